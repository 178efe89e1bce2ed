// The product lookup on a 1,000,000-product INVENTAR.DBF with its three
// tags, through its window (grid, right-hand panel), as the document
// windows use it:
//   - a search held in the description, until its rows can be shown (the
//     rows found and ordered, the grid's first screen read), for a text
//     found in one product of twenty and for a rare one;
//   - a lookup's entry: the table refreshed, moved to the key nearest to a
//     typed text, the grid's rows around it read, for texts spread over the
//     table.
// Each reports its worst and median times and the size of its data.
//
// Targets: search <= 300 ms; entry <= 20 ms.

#include "foundation/rutinas.h"
#include "inventory/ConPro.h"
#include "inventory/ConsultaContiene.h"
#include "inventory/RegistroProducto.h"
#include "inventory/TablasInventario.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LineasConfiguracion.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <vector>

namespace {

const QString kCarpeta = QStringLiteral("C:\\BENCH");
constexpr int kProductos = 1'000'000;
constexpr int kFilasPantalla = 30;
const char* const kPalabras[] = {"TORNILLO", "CLAVO",  "TUERCA", "ARANDELA", "BROCA", "TAQUETE", "PIJA",
                                 "REMACHE",  "CABLE",  "FOCO",   "CINTA",    "PINTURA", "BROCHA", "LIJA",
                                 "MARTILLO", "PINZA",  "LLAVE",  "CANDADO",  "BISAGRA", "CHAPA"};

// Keys in an order unrelated to the record number.
QString Clave(int i) { return QString::number((static_cast<qint64>(i) * 7'368'787) % 1'000'003); }

QString Descripcion(int i) {
  return QStringLiteral("%1 %2 MEDIDA %3")
      .arg(QLatin1String(kPalabras[(i * 7) % 20]), QString::fromLatin1(kPalabras[(i / 20) % 20]).toLower())
      .arg(i % 977);
}

// The company (configuration lines 8 and 46), the table made once: rows
// first, then the tags built from them; the lookup window as at start.
TFormaConProduct& Ventana() {
  static QTemporaryDir dir;
  static std::unique_ptr<TFormaConProduct> ventana = [] {
    qputenv("VORLAN_ROOT", QFile::encodeName(dir.path()));
    fs::CreaCarpeta(kCarpeta);
    fs::CreaCarpeta(QStringLiteral("C:\\VRL"));
    QStringList lineas = ValoresInicialesConfiguracion();
    lineas[ConfCarpetaDatos - 1] = kCarpeta;
    EscribeConfiguracionEmpresa(QStringLiteral("C:\\VRL\\Gener1.cnf"), lineas);
    fs::ReescribeLineas(kArchivoInicio, {QStringLiteral("C:\\VRL"), QStringLiteral("C:\\VRL\\Gener1.cnf"), QString()});
    const db::DefTabla def = EsquemaInventar();
    db::Tabla::Crea(kCarpeta, kTablaProductos, def.campos);
    {
      db::Tabla t;
      t.SetCarpeta(kCarpeta);
      t.SetNombreTabla(kTablaProductos);
      t.Open();
      db::Campo& clave = t.FieldByName("CLPRO_I");
      db::Campo& descripcion = t.FieldByName("DSCPR_I");
      db::Campo& almacen = t.FieldByName("ALMAC_I");
      db::Campo& existencia = t.FieldByName("EXIST_I");
      db::Campo& precio = t.FieldByName("PPUBL_I");
      for (int i = 1; i <= kProductos; ++i) {
        t.Append();
        clave.SetAsString(Clave(i));
        descripcion.SetAsString(Descripcion(i));
        almacen.SetAsString(QStringLiteral("1"));
        existencia.SetAsFloat(i % 1000);
        precio.SetAsFloat((i % 100'000) * 0.25);
        t.Post();
      }
    }
    db::Tabla t;
    t.SetCarpeta(kCarpeta);
    t.SetNombreTabla(kTablaProductos);
    t.SetExclusive(true);
    t.Open();
    for (const db::DefTag& tag : def.tags) t.AddIndex(tag);
    t.Close();
    auto v = std::make_unique<TFormaConProduct>();
    v->resize(1000, 600);
    v->show();
    return v;
  }();
  return *ventana;
}

// What painting the grid's screen around the current row reads.
void LeePantalla(TFormaConProduct& f) {
  const QAbstractItemModel* m = f.Detalle->model();
  const int actual = std::max(0, f.Detalle->currentIndex().row());
  const int desde = std::max(0, actual - kFilasPantalla / 2);
  for (int fila = desde; fila < std::min(m->rowCount(), desde + kFilasPantalla); ++fila)
    for (int c = 0; c < m->columnCount(); ++c) benchmark::DoNotOptimize(m->index(fila, c).data());
}

void Cifras(benchmark::State& estado, std::vector<double>& tiempos) {
  std::sort(tiempos.begin(), tiempos.end());
  estado.counters["peor_ms"] = tiempos.back();
  estado.counters["mediana_ms"] = tiempos[tiempos.size() / 2];
  estado.counters["productos"] = kProductos;
  estado.counters["MB_tabla"] =
      static_cast<double>(QFileInfo(fs::Local(fs::Une(kCarpeta, kTablaProductos))).size()) / 1e6;
}

template <class F>
double Mide(F&& f) {
  const auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

void BM_BusquedaEnDescripcion(benchmark::State& estado, const char* texto) {
  TFormaConProduct& f = Ventana();
  f.PreparaEntrada(1, false);
  std::vector<double> tiempos;
  qint64 filas = 0;
  for (auto _ : estado) {
    tiempos.push_back(Mide([&] {
      f.BuscaContiene(QString::fromLatin1(texto));
      LeePantalla(f);
    }));
    filas = f.QueryProducto->RecordCount();
  }
  f.MuestraTabla();
  Cifras(estado, tiempos);
  estado.counters["filas_halladas"] = static_cast<double>(filas);
}
BENCHMARK_CAPTURE(BM_BusquedaEnDescripcion, uno_de_veinte, "TORN")
    ->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_BusquedaEnDescripcion, rara, "tuerca MEDIDA 976")
    ->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EntradaDeConsulta(benchmark::State& estado) {
  TFormaConProduct& f = Ventana();
  std::mt19937 azar(1);
  std::vector<double> tiempos;
  for (auto _ : estado) {
    const QString texto = Clave(std::uniform_int_distribution<int>(1, kProductos)(azar)).left(3);
    tiempos.push_back(Mide([&] {
      f.PreparaEntrada(1, true);
      f.SituaEnOrden(1, false, texto);
      LeePantalla(f);
    }));
  }
  Cifras(estado, tiempos);
}
BENCHMARK(BM_EntradaDeConsulta)->Iterations(200)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
