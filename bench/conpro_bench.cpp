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
// Beside the search, its peer: the same descriptions in a native SQLite
// table in memory searched with GLOB (capitals told apart, as the lookup
// does), no index, the rows found ordered by description.
//
// Marks: search <= 100 ms and faster than the SQLite peer (counter
// "veces_peer" below 1); entry <= 20 ms.
//
// The company (about 1 GB) goes when the program ends.

#include "limpieza_bench.h"

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
#include <sqlite3.h>

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
  static QTemporaryDir* dir = nullptr;
  static TFormaConProduct* ventana = nullptr;
  if (ventana) return *ventana;
  dir = new QTemporaryDir;
  // The window goes while the application lives, then the company.
  AlTerminarBench([] {
    delete ventana;
    delete dir;
  });
  ventana = [] {
    qputenv("VORLAN_ROOT", QFile::encodeName(dir->path()));
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
    auto* v = new TFormaConProduct;
    v->resize(1000, 600);
    v->show();
    return v;
  }();
  return *ventana;
}

// The peer: the same descriptions in a native SQLite table in memory.
sqlite3* Nativa() {
  static sqlite3* d = [] {
    sqlite3* n = nullptr;
    sqlite3_open(":memory:", &n);
    sqlite3_exec(n, "CREATE TABLE inv (clpro TEXT, dscpr TEXT, ppubl REAL)", nullptr, nullptr, nullptr);
    sqlite3_exec(n, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(n, "INSERT INTO inv VALUES (?, ?, ?)", -1, &st, nullptr);
    for (int i = 1; i <= kProductos; ++i) {
      const QByteArray clave = Clave(i).toUtf8();
      const QByteArray descripcion = Descripcion(i).toUtf8();
      sqlite3_bind_text(st, 1, clave.constData(), static_cast<int>(clave.size()), SQLITE_TRANSIENT);
      sqlite3_bind_text(st, 2, descripcion.constData(), static_cast<int>(descripcion.size()), SQLITE_TRANSIENT);
      sqlite3_bind_double(st, 3, (i % 100'000) * 0.25);
      sqlite3_step(st);
      sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_exec(n, "COMMIT", nullptr, nullptr, nullptr);
    AlTerminarBench([n] { sqlite3_close(n); });
    return n;
  }();
  return d;
}

// The peer's search: rows whose description holds the text, ordered by it.
qint64 BuscaNativa(const char* texto) {
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(Nativa(), "SELECT clpro, dscpr, ppubl FROM inv WHERE dscpr GLOB ? ORDER BY dscpr", -1, &st,
                     nullptr);
  const QByteArray patron = QByteArray("*") + texto + "*";
  sqlite3_bind_text(st, 1, patron.constData(), static_cast<int>(patron.size()), SQLITE_TRANSIENT);
  qint64 filas = 0;
  while (sqlite3_step(st) == SQLITE_ROW) ++filas;
  sqlite3_finalize(st);
  return filas;
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
  // The peer, measured in the same run on the same texts.
  std::vector<double> peer;
  qint64 filasPeer = 0;
  for (int i = 0; i < 5; ++i) peer.push_back(Mide([&] { filasPeer = BuscaNativa(texto); }));
  std::sort(peer.begin(), peer.end());
  Cifras(estado, tiempos);
  estado.counters["filas_halladas"] = static_cast<double>(filas);
  estado.counters["peer_sqlite_glob_ms"] = peer[peer.size() / 2];
  estado.counters["veces_peer"] = estado.counters["mediana_ms"] / peer[peer.size() / 2];
  estado.counters["marca_ms"] = 100;
  if (filasPeer != filas) estado.SkipWithError("el peer halló otras filas");
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
