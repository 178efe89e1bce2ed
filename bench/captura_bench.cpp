// A line of the sale screen as the cashier captures it, on a
// 1,000,000-product INVENTAR.DBF with its three tags (ICLPRO, DSCPR_I,
// CODIG_I): a key, or a barcode that is no key, typed into the key field,
// then Enter until the line is filled, priced and the totals shown, with 30
// lines already in the capture (and, for comparison, 300). Each case times
// 200 lines of products spread over the table and reports the median and
// the worst.
//
// Target: <= 20 ms median with 30 lines in the capture.

#include "foundation/rutinas.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/RegistroProducto.h"
#include "inventory/TablasInventario.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "pos/CaptuRap.h"
#include "shell/LineasConfiguracion.h"
#include "tablas/TablasVorlan.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QKeyEvent>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <vector>

namespace {

const QString kPrograma = QStringLiteral("C:\\VRL");
const QString kDatos = QStringLiteral("C:\\VRL\\DATOS");
constexpr int kProductos = 1'000'000;
constexpr int kPartidas = 200;

// Keys and codes in an order unrelated to the record number.
int Revuelto(int i) { return static_cast<int>((static_cast<qint64>(i) * 7'368'787) % 1'000'003); }
QString Clave(int i) { return QStringLiteral("P%1").arg(Revuelto(i)); }
QString Codigo(int i) { return QStringLiteral("CB%1").arg(Revuelto(i), 10, 10, QChar(u'0')); }
Dinero Precio(int i) { return Dinero::DeDiezmilesimas(10'000 + (i % 5'000) * 100); }

// The company with its tables, user 0 with every right, the header skipped
// by New; the products made once: rows first, then the tags built from them.
void Prepara() {
  static QTemporaryDir dir;
  static const bool hecha = [] {
    qputenv("VORLAN_ROOT", QFile::encodeName(dir.path()));
    fs::CreaCarpeta(kDatos);
    QStringList conf = ValoresInicialesConfiguracion();
    conf[ConfCarpetaDatos - 1] = kDatos;
    conf[ConfMaximoPartidas - 1] = QStringLiteral("1000");
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

    const db::DefTabla def = EsquemaInventar();
    db::Tabla::Crea(kDatos, kTablaProductos, def.campos);
    {
      db::Tabla t;
      t.SetCarpeta(kDatos);
      t.SetNombreTabla(kTablaProductos);
      t.Open();
      const auto campo = [&t](const char* nombre) -> db::Campo& { return t.FieldByName(QString::fromLatin1(nombre)); };
      db::Campo &clave = campo("CLPRO_I"), &codigo = campo("CODIG_I"), &descripcion = campo("DSCPR_I"),
                &unidad = campo("UMEDI_I"), &existencia = campo("EXIST_I"), &iva = campo("PIVA1_I"),
                &costo = campo("CPROM_I"), &publico = campo("PPUBL_I"), &lista2 = campo("PLIS2_I"),
                &limite1 = campo("POLI1_I"), &limite2 = campo("POLI2_I");
      for (int i = 1; i <= kProductos; ++i) {
        t.Append();
        clave.SetAsString(Clave(i));
        codigo.SetAsString(Codigo(i));
        descripcion.SetAsString(QStringLiteral("PRODUCTO DE PRUEBA %1 MARCA %2").arg(i).arg(i % 977));
        unidad.SetAsString(QStringLiteral("pza"));
        existencia.SetAsFloat(1'000'000);
        iva.SetAsFloat(16);
        costo.SetAsFloat(Precio(i).Real() * 0.7);
        publico.SetAsFloat(Precio(i).Real());
        lista2.SetAsFloat(Precio(i).Real() * 0.9);
        limite1.SetAsFloat(10);
        limite2.SetAsFloat(50);
        t.Post();
      }
    }
    db::Tabla t;
    t.SetCarpeta(kDatos);
    t.SetNombreTabla(kTablaProductos);
    t.SetExclusive(true);
    t.Open();
    for (const db::DefTag& tag : def.tags) t.AddIndex(tag);
    return true;
  }();
  (void)hecha;
}

// A key pressed and released on a widget, as the keyboard delivers it.
void Tecla(QWidget* w, int tecla, const QString& texto = {}) {
  QKeyEvent presion(QEvent::KeyPress, tecla, Qt::NoModifier, texto);
  QKeyEvent suelta(QEvent::KeyRelease, tecla, Qt::NoModifier, texto);
  QApplication::sendEvent(w, &presion);
  QApplication::sendEvent(w, &suelta);
}
void Teclea(QWidget* w, const QString& texto) {
  for (const QChar c : texto) Tecla(w, c.toUpper().unicode(), QString(c));
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

// A new document with `lineas` filled lines of products spread over the
// table, its totals shown, and a new line of quantity 1 to type into.
void Documento(TFormaCapturaRapida& p, int lineas, std::mt19937& azar) {
  p.BotonNuevoClick();
  db::Tabla& deta = *p.TablaDeta;
  const auto campo = [&deta](const char* nombre) -> db::Campo& { return deta.FieldByName(QString::fromLatin1(nombre)); };
  for (int i = 0; i < lineas; ++i) {
    const int n = std::uniform_int_distribution<int>(1, kProductos)(azar);
    if (deta.State() == db::Dataset::Estado::Navegando) deta.Append();
    campo("CANTIDAD").SetAsFloat(1);
    campo("CLAVE").SetAsString(Clave(n));
    campo("PRODUCTO").SetAsString(QStringLiteral("PRODUCTO DE PRUEBA %1").arg(n));
    campo("PRECIO").SetAsFloat(Precio(n).Real());
    campo("IMPORTE").SetAsFloat(Precio(n).Real());
    campo("IMPUESTO").SetAsFloat(16);
    deta.Post();
  }
  p.CalculaTotales();
  deta.Append();
  campo("CANTIDAD").SetAsFloat(1);
  p.EditClave->setFocus();
  QApplication::processEvents();
}

void Captura(benchmark::State& estado, bool porCodigo) {
  Prepara();
  const std::unique_ptr<TFormaCapturaRapida> pantalla = Pantalla();
  TFormaCapturaRapida& p = *pantalla;
  const int lineas = static_cast<int>(estado.range(0));
  std::mt19937 azar(porCodigo ? 2 : 1);
  std::vector<double> tiempos;
  for (auto _ : estado) {
    for (int i = 0; i < kPartidas; ++i) {
      Documento(p, lineas, azar);
      const int n = std::uniform_int_distribution<int>(1, kProductos)(azar);
      Teclea(p.EditClave, porCodigo ? Codigo(n).toLower() : Clave(n));
      const auto t0 = std::chrono::steady_clock::now();
      Tecla(p.EditClave, Qt::Key_Return, QStringLiteral("\r"));
      const auto t1 = std::chrono::steady_clock::now();
      tiempos.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
      if (p.LineasCaptura != lineas + 1) estado.SkipWithError("la partida no se llenó");
    }
  }
  std::sort(tiempos.begin(), tiempos.end());
  estado.counters["mediana_ms"] = tiempos[tiempos.size() / 2];
  estado.counters["peor_ms"] = tiempos.back();
  estado.counters["partidas_capturadas"] = lineas;
  estado.counters["productos"] = kProductos;
  estado.counters["MB_tabla"] =
      static_cast<double>(QFileInfo(fs::Local(fs::Une(kDatos, kTablaProductos))).size()) / 1e6;
}

void BM_PartidaPorClave(benchmark::State& estado) { Captura(estado, false); }
BENCHMARK(BM_PartidaPorClave)->Arg(30)->Arg(300)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PartidaPorCodigo(benchmark::State& estado) { Captura(estado, true); }
BENCHMARK(BM_PartidaPorCodigo)->Arg(30)->Arg(300)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
