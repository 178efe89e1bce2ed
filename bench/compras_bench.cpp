// Saving a purchase receipt in the purchase window: a 50-line receipt saved
// with Ctrl+G (the whole save: final number, header, supplier balance,
// charge row, stock, costs and per-product totals of each line, the lines,
// the mirror, the control snapshot, the journal), timed from the command to
// the browse state, into a company of 1,000,000 products with their totals
// rows; alone, and while two other stations (processes of this program, each
// with its program folder, on the same data folder) save receipts of the
// same products without pause. Reports the median, the 95th percentile, the
// other stations' saves and the sizes of the tables.
//
// Target: <= 150 ms median alone, <= 400 ms with the two other stations.
//
// Run as "bench_compras --estacion <program folder>" it is one of the other
// stations: it saves five-line receipts until its input closes.

#include "foundation/ArchivosPrograma.h"
#include "estaciones_bench.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/RegistroMovimiento.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/PuertaModal.h"
#include "purchasing/Compras.h"
#include "shell/LineasConfiguracion.h"
#include "tablas/TablasVorlan.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

namespace {

const QString kPrograma = QStringLiteral("C:\\VRL");
const QString kDatos = QStringLiteral("C:\\VRL\\DATOS");
constexpr int kProductos = 1'000'000;
constexpr int kLineasRecepcion = 50;
constexpr int kGuardados = 60;
// The products the receipts of every station take their lines from.
constexpr int kSurtido = 200;

QString Clave(int i) { return QStringLiteral("P%1").arg(i); }
QString Descripcion(int i) { return QStringLiteral("PRODUCTO DE PRUEBA %1").arg(i); }
int ProductoSurtido(int n) { return 1 + (n * 4'999) % kProductos; }

// A table of the registry made without tags, filled through fields taken
// once, and its tags built from the rows.
void Llena(const QString& archivo, const QStringList& campos, int n,
           const std::function<void(QVector<db::Campo*>&, int)>& fila) {
  // Products and totals are tables of the inventory folder, here the data folder.
  const db::DefTabla& d = CatalogoVorlan().Tabla(db::CarpetaTabla::Inventario, archivo);
  db::Tabla::Crea(kDatos, d.archivo, d.campos);
  {
    db::Tabla t;
    t.SetCarpeta(kDatos);
    t.SetNombreTabla(archivo);
    t.SetExclusive(true);
    t.Open();
    QVector<db::Campo*> c;
    for (const QString& campo : campos) c << &t.FieldByName(campo);
    for (int i = 1; i <= n; ++i) {
      t.Append();
      fila(c, i);
      t.Post();
    }
  }
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla(archivo);
  t.SetExclusive(true);
  t.Open();
  for (const db::DefTag& tag : d.tags) t.AddIndex(tag);
}

void CopiaPrograma(const QString& de, const QString& a) {
  QDir().mkpath(a);
  for (const QFileInfo& f : QDir(de).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
    if (f.isDir() && f.fileName().compare(QStringLiteral("DATOS"), Qt::CaseInsensitive) == 0) continue;
    if (f.isDir()) CopiaPrograma(f.filePath(), a + u'/' + f.fileName());
    else QFile::copy(f.filePath(), a + u'/' + f.fileName());
  }
}

QTemporaryDir& Raiz() {
  static QTemporaryDir dir;
  return dir;
}

void Prepara() {
  static const bool hecha = [] {
    qputenv("VORLAN_ROOT", QFile::encodeName(Raiz().path()));
    fs::CreaCarpeta(kDatos);
    QStringList conf = ValoresInicialesConfiguracion();
    conf[ConfCarpetaDatos - 1] = kDatos;
    EscribeConfiguracionEmpresa(QStringLiteral("C:\\VRL\\Gener1.cnf"), conf);
    fs::ReescribeLineas(kArchivoInicio, {kPrograma, QStringLiteral("C:\\VRL\\Gener1.cnf"), QString()});
    QString programa;
    CarpetaLocal(programa);
    InstalaArchivosPrograma();
    TRegistroUsuario administrador;
    administrador.NombreUsuario = QStringLiteral("Administrador");
    administrador.ClaveUsuario = QStringLiteral("adm");
    administrador.Derechos = QString(kNumeroDerechos, u's');
    for (const QString& carpeta : {kDatos, kPrograma})
      fs::EscribeAtomico(fs::Une(carpeta, QStringLiteral("usuarios.def")), administrador.ABytes());
    fs::ReescribeLineas(fs::Une(kDatos, QStringLiteral("impuesto.cnf")), {QStringLiteral("16")});
    CreaTablasEmpresa(db::Carpetas{kDatos, {}, {}, kPrograma});

    Llena(kTablaProductos, {"CLPRO_I", "DSCPR_I", "EXIST_I", "ULCOS_I", "CPROM_I", "PPUBL_I", "TICOS_I", "ALMAC_I"},
          kProductos, [](QVector<db::Campo*>& c, int i) {
            c[0]->SetAsString(Clave(i));
            c[1]->SetAsString(Descripcion(i));
            c[2]->SetAsFloat(100);
            c[3]->SetAsFloat(5);
            c[4]->SetAsFloat(5);
            c[5]->SetAsFloat(10);
            c[6]->SetAsString(QStringLiteral("PROM"));
            c[7]->SetAsString(QStringLiteral("1"));
          });
    Llena(kTablaKardex, {"CLPRO_I", "ENTRA_I", "SALID_I", "EXIST_I", "INVEN_I"}, kProductos,
          [](QVector<db::Campo*>& c, int i) {
            c[0]->SetAsString(Clave(i));
            c[1]->SetAsFloat(100);
            c[2]->SetAsFloat(0);
            c[3]->SetAsFloat(100);
            c[4]->SetAsFloat(100);
          });
    db::Tabla proveedores;
    proveedores.SetCarpeta(kDatos);
    proveedores.SetNombreTabla(QStringLiteral("PROVEEDO.DBF"));
    proveedores.Open();
    proveedores.Append();
    proveedores.FieldByName(QStringLiteral("CLAVE_P")).SetAsString(QStringLiteral("S"));
    proveedores.FieldByName(QStringLiteral("NOMBR_P")).SetAsString(QStringLiteral("PROVEEDOR DE PRUEBA"));
    proveedores.Post();
    for (const char* otra : {"C:\\VRL2", "C:\\VRL3"})
      CopiaPrograma(fs::Local(kPrograma), fs::Local(QString::fromLatin1(otra)));
    return true;
  }();
  (void)hecha;
}

// The purchase window of user 0, shown and activated (capture table claimed).
std::unique_ptr<TFormaCompras> Ventana() {
  auto v = std::make_unique<TFormaCompras>();
  v->Usuario->setText(QStringLiteral("0"));
  v->show();
  QApplication::setActiveWindow(v.get());
  v->DisparaActivacion();
  QApplication::processEvents();
  return v;
}

// A new receipt of supplier S with `lineas` lines of the assortment, as the
// capture leaves them, and its totals.
void Recepcion(TFormaCompras& v, int lineas, std::mt19937& azar) {
  v.Nuevo1->trigger();
  v.EditCLPRV_O->setText(QStringLiteral("S"));
  v.EditCLPRV_OExit();
  db::Tabla& c = *v.TablaDeta;
  for (int i = 0; i < lineas; ++i) {
    const int n = ProductoSurtido(std::uniform_int_distribution<int>(0, kSurtido - 1)(azar));
    c.Append();
    c.FieldByName(QStringLiteral("CANTIDAD")).SetAsFloat(1 + i % 5);
    c.FieldByName(QStringLiteral("CLAVE")).SetAsString(Clave(n));
    c.FieldByName(QStringLiteral("PRODUCTO")).SetAsString(Descripcion(n));
    c.FieldByName(QStringLiteral("PRECIO")).SetAsFloat(6);
    c.FieldByName(QStringLiteral("IMPUESTO")).SetAsFloat(16);
    c.Post();
  }
  v.CalculaTotalesCompra();
  QApplication::processEvents();
}

qint64 Recepciones() {
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla(QStringLiteral("ComprasE.dbf"));
  t.SetReadOnly(true);
  t.Open();
  return t.CuentaEstimada();
}

double Megas(const QString& archivo) { return MegasTablaBench(kDatos, archivo); }

void BM_GuardarRecepcion(benchmark::State& estado) {
  Prepara();
  auto otras = LanzaEstacionesBench(estado, static_cast<int>(estado.range(0)), [](int i) {
    return QStringList{QStringLiteral("--estacion"), QStringLiteral("C:\\VRL%1").arg(i + 2)};
  });
  const std::unique_ptr<TFormaCompras> ventana = Ventana();
  TFormaCompras& v = *ventana;
  std::mt19937 azar(1);
  std::vector<double> tiempos;
  const qint64 antes = Recepciones();
  for (auto _ : estado) {
    for (int i = 0; i < kGuardados; ++i) {
      Recepcion(v, kLineasRecepcion, azar);
      ui::PuertaModal::LimpiaMensajes();
      const auto t0 = std::chrono::steady_clock::now();
      v.Guardar1->trigger();
      const auto t1 = std::chrono::steady_clock::now();
      tiempos.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
      if (v.EnAlta() || !ui::PuertaModal::Mensajes().isEmpty())
        estado.SkipWithError(qPrintable(QStringLiteral("la recepción no se guardó: ") +
                                        ui::PuertaModal::Mensajes().join(u';')));
    }
  }
  const qint64 despues = Recepciones();
  TerminaEstacionesBench(otras);
  AnotaTiemposBench(estado, tiempos);
  estado.counters["guardados_otras"] = static_cast<double>(despues - antes - static_cast<qint64>(tiempos.size()));
  estado.counters["productos"] = kProductos;
  estado.counters["lineas"] = kLineasRecepcion;
  estado.counters["MB_productos"] = Megas(kTablaProductos);
  estado.counters["MB_kardex"] = Megas(kTablaKardex);
  estado.counters["MB_recepciones"] = Megas(QStringLiteral("ComprasE.dbf"));
  estado.counters["MB_lineas"] = Megas(QStringLiteral("ComprasD.dbf"));
}
BENCHMARK(BM_GuardarRecepcion)->Arg(0)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Another station: saves five-line receipts until its input closes.
int Estacion(const QString& programa) {
  qputenv("VORLAN_PROGRAM_FOLDER", programa.toLocal8Bit());
  ui::PuertaModal::ModoPrueba(true);
  const std::unique_ptr<TFormaCompras> ventana = Ventana();
  TFormaCompras& v = *ventana;
  bool sigue = true;
  QSocketNotifier entrada(0, QSocketNotifier::Read);
  QObject::connect(&entrada, &QSocketNotifier::activated, [&] {
    char c;
    if (::fread(&c, 1, 1, stdin) != 1) sigue = false;
  });
  std::mt19937 azar(static_cast<unsigned>(QCoreApplication::applicationPid()));
  std::fputs("LISTO\n", stdout);
  std::fflush(stdout);
  while (sigue) {
    Recepcion(v, 5, azar);
    v.Guardar1->trigger();
    ui::PuertaModal::LimpiaMensajes();
    QCoreApplication::processEvents();
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ui::Aplicacion app(argc, argv);
  if (argc > 2 && QByteArray(argv[1]) == "--estacion") return Estacion(QString::fromLocal8Bit(argv[2]));
  ui::PuertaModal::ModoPrueba(true);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
