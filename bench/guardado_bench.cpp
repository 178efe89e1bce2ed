// Saving a sale on the sale screen: a 20-line remission saved with F10 (the
// whole save: final number, header, lines, stock and per-product totals,
// journal; no printing), timed from the key to the saved phase, while two
// other stations (processes of this program on the same root) save
// remissions without pause, into a company of 100,000 products (with their
// totals rows) and 100,000 remissions of two lines each. Reports the
// median, the 95th percentile, the other stations' saves and the sizes of
// the tables; and, for comparison, the same with no other station.
//
// Mark: <= 50 ms median with two other stations saving.
//
// Long sales, alone: a remission of 30, 300 and 1,000 lines saved with F10,
// then its lines loaded back into the capture as the screen shows a saved
// document. Both grow linearly with the lines.
// Mark: a 1,000-line save <= 1 s; the time per line of the save and of the
// load no worse at 1,000 lines than at 30 (counters ms_por_linea).
//
// Run as "bench_guardado --rastros" every save also leaves the traces a shop
// usually keeps: a movement row per line (mi.cnf "con movimientos"), the
// remission lines mirrored (line 63 set) and the control snapshot.
//
// Run as "bench_guardado --estacion" it is one of the other stations: it
// saves five-line remissions until its input closes.

#include "estaciones_bench.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/RegistroMovimiento.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/PuertaModal.h"
#include "pos/CaptuRap.h"
#include "shell/LineasConfiguracion.h"
#include "tablas/TablasVorlan.h"

#include <QApplication>
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
constexpr int kProductos = 100'000;
constexpr int kRemisiones = 100'000;
constexpr int kLineasRemision = 20;
constexpr int kGuardados = 100;
bool rastros = false;  // --rastros

QString Clave(int i) { return QStringLiteral("P%1").arg(i); }
QString Descripcion(int i) { return QStringLiteral("PRODUCTO DE PRUEBA %1").arg(i); }
double Precio(int i) { return 1.0 + (i % 5'000) * 0.01; }

// Fills a table of the company made by the registry: its tags dropped, the
// rows appended, the tags built again from them.
void Llena(const QString& archivo, int n, const std::function<void(db::Tabla&, int)>& fila) {
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla(archivo);
  t.SetExclusive(true);
  t.Open();
  const QVector<db::DefTag> tags = t.IndexDefs();
  for (const db::DefTag& tag : tags) t.DeleteIndex(tag.nombre);
  for (int i = 1; i <= n; ++i) {
    t.Append();
    fila(t, i);
    t.Post();
  }
  for (const db::DefTag& tag : tags) t.AddIndex(tag);
}

void Prepara() {
  static QTemporaryDir dir;
  static const bool hecha = [] {
    qputenv("VORLAN_ROOT", QFile::encodeName(dir.path()));
    fs::CreaCarpeta(kDatos);
    QStringList conf = ValoresInicialesConfiguracion();
    conf[ConfCarpetaDatos - 1] = kDatos;
    conf[ConfMaximoPartidas - 1] = QStringLiteral("1000");
    if (rastros) {
      conf[ConfCarpetaRemisiones - 1] = kDatos;
      fs::ReescribeLineas(fs::Une(kPrograma, QStringLiteral("mi.cnf")), {QStringLiteral("con movimientos")});
    }
    EscribeConfiguracionEmpresa(QStringLiteral("C:\\VRL\\Gener1.cnf"), conf);
    fs::ReescribeLineas(kArchivoInicio, {kPrograma, QStringLiteral("C:\\VRL\\Gener1.cnf"), QString()});
    TRegistroUsuario administrador;
    administrador.NombreUsuario = QStringLiteral("Administrador");
    administrador.ClaveUsuario = QStringLiteral("adm");
    administrador.Derechos = QString(kNumeroDerechos, u's');
    for (const QString& carpeta : {kDatos, kPrograma})
      fs::EscribeAtomico(fs::Une(carpeta, QStringLiteral("usuarios.def")), administrador.ABytes());
    QStringList opciones(kLineasOpcionesVenta, QStringLiteral("N"));
    opciones[0] = QStringLiteral("S");
    fs::ReescribeLineas(fs::Une(kPrograma, QStringLiteral("encabeza.cnf")), opciones);
    CreaTablasEmpresa(db::Carpetas{kDatos, {}, {}, kPrograma});

    Llena(kTablaProductos, kProductos, [](db::Tabla& t, int i) {
      t.FieldByName(QStringLiteral("CLPRO_I")).SetAsString(Clave(i));
      t.FieldByName(QStringLiteral("DSCPR_I")).SetAsString(Descripcion(i));
      t.FieldByName(QStringLiteral("UMEDI_I")).SetAsString(QStringLiteral("pza"));
      t.FieldByName(QStringLiteral("EXIST_I")).SetAsFloat(1'000'000);
      t.FieldByName(QStringLiteral("PPUBL_I")).SetAsFloat(Precio(i));
    });
    Llena(kTablaKardex, kProductos, [](db::Tabla& t, int i) {
      t.FieldByName(QStringLiteral("CLPRO_I")).SetAsString(Clave(i));
      t.FieldByName(QStringLiteral("ENTRA_I")).SetAsFloat(1'000'000);
      t.FieldByName(QStringLiteral("SALID_I")).SetAsFloat(0);
      t.FieldByName(QStringLiteral("EXIST_I")).SetAsFloat(1'000'000);
      t.FieldByName(QStringLiteral("INVEN_I")).SetAsFloat(1'000'000);
    });
    Llena(QStringLiteral("Remision.dbf"), kRemisiones, [](db::Tabla& t, int i) {
      t.FieldByName(QStringLiteral("CLDOC_F")).SetAsInteger(i);
      t.FieldByName(QStringLiteral("CONTROL")).SetAsInteger(i);
      t.FieldByName(QStringLiteral("CLCLI_F")).SetAsString(QStringLiteral("1"));
      t.FieldByName(QStringLiteral("NOMBR_F")).SetAsString(QStringLiteral("PUBLICO EN GENERAL"));
      t.FieldByName(QStringLiteral("IMTOD_F")).SetAsFloat(Precio(i) + Precio(i + 1));
      t.FieldByName(QStringLiteral("PAGOX_F")).SetAsString(QStringLiteral("Efectivo"));
    });
    Llena(QStringLiteral("RemisioD.dbf"), 2 * kRemisiones, [](db::Tabla& t, int i) {
      const int remision = (i + 1) / 2;
      const int producto = 1 + (i * 7'919) % kProductos;
      t.FieldByName(QStringLiteral("CLDOC_FD")).SetAsString(QString::number(remision));
      t.FieldByName(QStringLiteral("CONTROL")).SetAsInteger(remision);
      t.FieldByName(QStringLiteral("CLPRO_FD")).SetAsString(Clave(producto));
      t.FieldByName(QStringLiteral("DEPRO_FD")).SetAsString(Descripcion(producto));
      t.FieldByName(QStringLiteral("CANTI_FD")).SetAsFloat(1);
      t.FieldByName(QStringLiteral("PUNPR_FD")).SetAsFloat(Precio(producto));
      t.FieldByName(QStringLiteral("IMPOR_FD")).SetAsFloat(Precio(producto));
    });
    return true;
  }();
  (void)hecha;
}

// The sale screen of user 0, shown and activated (capture table claimed).
std::unique_ptr<TFormaCapturaRapida> Pantalla() {
  auto p = std::make_unique<TFormaCapturaRapida>();
  p->usuario->setText(QStringLiteral("0"));
  p->show();
  QApplication::setActiveWindow(p.get());
  QApplication::processEvents();
  return p;
}

// A new document with `lineas` lines of products spread over the table, as
// the capture leaves them, and its totals.
void Documento(TFormaCapturaRapida& p, int lineas, std::mt19937& azar) {
  p.BotonNuevoClick();
  db::Tabla& deta = *p.TablaDeta;
  const auto campo = [&deta](const char* nombre) -> db::Campo& { return deta.FieldByName(QString::fromLatin1(nombre)); };
  for (int i = 0; i < lineas; ++i) {
    const int n = std::uniform_int_distribution<int>(1, kProductos)(azar);
    if (deta.State() == db::Dataset::Estado::Navegando) deta.Append();
    campo("CANTIDAD").SetAsFloat(1);
    campo("CLAVE").SetAsString(Clave(n));
    campo("PRODUCTO").SetAsString(Descripcion(n));
    campo("PRECIO").SetAsFloat(Precio(n));
    campo("IMPORTE").SetAsFloat(Precio(n));
    campo("UNIDAD").SetAsString(QStringLiteral("pza"));
    deta.Post();
  }
  p.CalculaTotales();
  QApplication::processEvents();
}

qint64 Remisiones() {
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla(QStringLiteral("Remision.dbf"));
  t.SetReadOnly(true);
  t.Open();
  return t.CuentaEstimada();
}

double Megas(const QString& archivo) { return MegasTablaBench(kDatos, archivo); }

void BM_GuardarRemision(benchmark::State& estado) {
  Prepara();
  // The other stations, saving from the moment they are ready.
  auto otras = LanzaEstacionesBench(estado, static_cast<int>(estado.range(0)), [](int) {
    QStringList argumentos{QStringLiteral("--estacion")};
    if (rastros) argumentos << QStringLiteral("--rastros");
    return argumentos;
  });
  const std::unique_ptr<TFormaCapturaRapida> pantalla = Pantalla();
  TFormaCapturaRapida& p = *pantalla;
  std::mt19937 azar(1);
  std::vector<double> tiempos;
  const qint64 antes = Remisiones();
  for (auto _ : estado) {
    for (int i = 0; i < kGuardados; ++i) {
      Documento(p, kLineasRemision, azar);
      const auto t0 = std::chrono::steady_clock::now();
      p.BotonGuardarClick();
      const auto t1 = std::chrono::steady_clock::now();
      tiempos.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
      if (p.EstadoCaptura->text() != QStringLiteral("Terminada") || !ui::PuertaModal::Mensajes().isEmpty())
        estado.SkipWithError(qPrintable(QStringLiteral("la venta no se guardó: ") +
                                        ui::PuertaModal::Mensajes().join(u';')));
    }
  }
  const qint64 despues = Remisiones();
  TerminaEstacionesBench(otras);
  AnotaTiemposBench(estado, tiempos);
  estado.counters["guardados_otras"] = static_cast<double>(despues - antes - static_cast<qint64>(tiempos.size()));
  estado.counters["rastros"] = rastros ? 1 : 0;
  estado.counters["productos"] = kProductos;
  estado.counters["remisiones"] = kRemisiones;
  estado.counters["MB_productos"] = Megas(kTablaProductos);
  estado.counters["MB_kardex"] = Megas(kTablaKardex);
  estado.counters["MB_remisiones"] = Megas(QStringLiteral("Remision.dbf"));
  estado.counters["MB_lineas"] = Megas(QStringLiteral("RemisioD.dbf"));
}
BENCHMARK(BM_GuardarRemision)->Arg(2)->Arg(0)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// A long remission saved (median of a few), then its lines loaded into the
// capture as a shown document loads them (median).
void BM_GuardarYCargarLarga(benchmark::State& estado) {
  Prepara();
  const int lineas = static_cast<int>(estado.range(0));
  const std::unique_ptr<TFormaCapturaRapida> pantalla = Pantalla();
  TFormaCapturaRapida& p = *pantalla;
  std::mt19937 azar(2);
  std::vector<double> guardados;
  std::vector<double> cargas;
  for (auto _ : estado) {
    Documento(p, lineas, azar);
    const auto t0 = std::chrono::steady_clock::now();
    p.BotonGuardarClick();
    const auto t1 = std::chrono::steady_clock::now();
    guardados.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    if (p.EstadoCaptura->text() != QStringLiteral("Terminada") || !ui::PuertaModal::Mensajes().isEmpty())
      estado.SkipWithError(qPrintable(QStringLiteral("la venta no se guardó: ") +
                                      ui::PuertaModal::Mensajes().join(u';')));
    for (int i = 0; i < 3; ++i) {
      p.PartidasCargadas = 0;
      const auto c0 = std::chrono::steady_clock::now();
      p.CargaPartidasDocumento();
      const auto c1 = std::chrono::steady_clock::now();
      cargas.push_back(std::chrono::duration<double, std::milli>(c1 - c0).count());
    }
    if (p.TablaDeta->RecordCount() != lineas) estado.SkipWithError("no se cargaron todas las líneas");
  }
  std::sort(guardados.begin(), guardados.end());
  std::sort(cargas.begin(), cargas.end());
  const double guardado = guardados[guardados.size() / 2];
  const double carga = cargas[cargas.size() / 2];
  estado.counters["lineas"] = lineas;
  estado.counters["guardado_ms"] = guardado;
  estado.counters["guardado_ms_por_linea"] = guardado / lineas;
  estado.counters["carga_ms"] = carga;
  estado.counters["carga_ms_por_linea"] = carga / lineas;
  estado.counters["marca_guardado_1000_ms"] = 1000;
}
BENCHMARK(BM_GuardarYCargarLarga)->Arg(30)->Iterations(9)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GuardarYCargarLarga)->Arg(300)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GuardarYCargarLarga)->Arg(1000)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// Another station: saves five-line remissions until its input closes.
int Estacion() {
  ui::PuertaModal::ModoPrueba(true);
  const std::unique_ptr<TFormaCapturaRapida> pantalla = Pantalla();
  TFormaCapturaRapida& p = *pantalla;
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
    Documento(p, 5, azar);
    p.BotonGuardarClick();
    ui::PuertaModal::LimpiaMensajes();
    QCoreApplication::processEvents();
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ui::Aplicacion app(argc, argv);
  for (int i = 1; i < argc; ++i)
    if (QByteArray(argv[i]) == "--rastros") {
      rastros = true;
      for (int j = i; j + 1 < argc; ++j) argv[j] = argv[j + 1];
      --argc;
      break;
    }
  if (argc > 1 && QByteArray(argv[1]) == "--estacion") return Estacion();
  ui::PuertaModal::ModoPrueba(true);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
