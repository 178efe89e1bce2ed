// Local SQL over the tables: a GROUP BY with SUM over 1,000,000 document
// lines in a dBASE table, against the same query on a native SQLite table
// holding the same rows (measured in the same run; the counter "veces" of
// BM_AgrupaSumaTablaDbf is its time over the native one), and an equality
// on a tagged key of that table (needs the .mdx module).
//
// Mark: the GROUP BY over the dBASE table <= 1.5 times the native one
// ("veces" <= 1.5).

#include "platform/db/Consulta.h"
#include "platform/db/Orden.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>

namespace {

const QString kCarpeta = QStringLiteral("C:\\BENCH");
const QString kTabla = QStringLiteral("LINEAS.DBF");
constexpr int kFilas = 1000000;
constexpr int kProductos = 2000;

const QVector<db::DefCampo> kCampos = {{"CLDOC_FD", 'N', 10, 0}, {"CLPRO_FD", 'C', 15, 0}, {"DEPRO_FD", 'C', 40, 0},
                                       {"CANTI_FD", 'N', 12, 3}, {"PREDE_FD", 'N', 12, 2}, {"TREGI_FD", 'C', 1, 0},
                                       {"FEDOC_FD", 'D', 8, 0}};

struct Linea {
  qint64 documento;
  QString producto;
  QString descripcion;
  double cantidad;
  double precio;
  QString estado;
  QDate fecha;
};

Linea LineaNumero(int i) {
  const int p = (i * 7919) % kProductos;
  return {i / 4 + 1,
          QStringLiteral("P%1").arg(p, 6, 10, QLatin1Char('0')),
          QStringLiteral("Producto %1").arg(p),
          (i % 9) + 0.5,
          10 + (p % 50) * 0.25,
          i % 37 == 0 ? QStringLiteral("C") : QString(),
          QDate(2025, 1, 1).addDays(i % 365)};
}

void Prepara() {
  static QTemporaryDir dir;
  static bool hecho = false;
  if (hecho) return;
  qputenv("VORLAN_ROOT", QFile::encodeName(dir.path()));
  fs::CreaCarpeta(kCarpeta);
  db::Tabla::Crea(kCarpeta, kTabla, kCampos);
  db::Tabla t;
  t.SetCarpeta(kCarpeta);
  t.SetNombreTabla(kTabla);
  t.Open();
  for (int i = 0; i < kFilas; ++i) {
    const Linea l = LineaNumero(i);
    t.Append();
    t.Fields(0).SetAsInteger(l.documento);
    t.Fields(1).SetAsString(l.producto);
    t.Fields(2).SetAsString(l.descripcion);
    t.Fields(3).SetAsFloat(l.cantidad);
    t.Fields(4).SetAsFloat(l.precio);
    if (!l.estado.isEmpty()) t.Fields(5).SetAsString(l.estado);
    t.Fields(6).SetAsDate(l.fecha);
    t.Post();
  }
  hecho = true;
}

// The same rows in a native SQLite table (in memory), as the virtual table
// shows them: numbers REAL, blank texts '', dates yyyy-mm-dd.
sqlite3* Nativa() {
  static sqlite3* db = [] {
    sqlite3* d = nullptr;
    sqlite3_open(":memory:", &d);
    sqlite3_exec(d,
                 "CREATE TABLE lineas(CLDOC_FD REAL, CLPRO_FD TEXT, DEPRO_FD TEXT, CANTI_FD REAL, PREDE_FD REAL,"
                 " TREGI_FD TEXT, FEDOC_FD TEXT); BEGIN",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(d, "INSERT INTO lineas VALUES (?,?,?,?,?,?,?)", -1, &st, nullptr);
    for (int i = 0; i < kFilas; ++i) {
      const Linea l = LineaNumero(i);
      const QByteArray p = l.producto.toUtf8(), de = l.descripcion.toUtf8(), e = l.estado.toUtf8(),
                       f = l.fecha.toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
      sqlite3_bind_double(st, 1, static_cast<double>(l.documento));
      sqlite3_bind_text(st, 2, p.constData(), static_cast<int>(p.size()), SQLITE_TRANSIENT);
      sqlite3_bind_text(st, 3, de.constData(), static_cast<int>(de.size()), SQLITE_TRANSIENT);
      sqlite3_bind_double(st, 4, l.cantidad);
      sqlite3_bind_double(st, 5, l.precio);
      sqlite3_bind_text(st, 6, e.constData(), static_cast<int>(e.size()), SQLITE_TRANSIENT);
      sqlite3_bind_text(st, 7, f.constData(), static_cast<int>(f.size()), SQLITE_TRANSIENT);
      sqlite3_step(st);
      sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_exec(d, "COMMIT", nullptr, nullptr, nullptr);
    return d;
  }();
  return db;
}

const QString kAgrupaDbf = QStringLiteral(
    "SELECT CLPRO_FD, SUM(CANTI_FD), SUM(CANTI_FD*PREDE_FD) FROM \"C:\\BENCH\\LINEAS.DBF\" "
    "WHERE (TREGI_FD<>\"C\" OR TREGI_FD IS NULL) GROUP BY CLPRO_FD");
const char* const kAgrupaNativa =
    "SELECT CLPRO_FD, SUM(CANTI_FD), SUM(CANTI_FD*PREDE_FD) FROM lineas "
    "WHERE (TREGI_FD<>'C' OR IFNULL(TREGI_FD,'')='') GROUP BY CLPRO_FD";

qint64 AgrupaDbf() {
  db::Consulta q;
  q.SetSQL(kAgrupaDbf);
  q.Open();
  return q.RecordCount();
}

qint64 AgrupaNativa() {
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(Nativa(), kAgrupaNativa, -1, &st, nullptr);
  qint64 n = 0;
  while (sqlite3_step(st) == SQLITE_ROW) ++n;
  sqlite3_finalize(st);
  return n;
}

void Contadores(benchmark::State& state, qint64 grupos) {
  state.counters["filas"] = kFilas;
  state.counters["grupos"] = static_cast<double>(grupos);
  state.counters["MB_tabla"] = static_cast<double>(QFileInfo(fs::Local(fs::Une(kCarpeta, kTabla))).size()) / 1e6;
}

void BM_AgrupaSumaTablaNativa(benchmark::State& state) {
  Prepara();
  Nativa();
  qint64 grupos = 0;
  for (auto _ : state) benchmark::DoNotOptimize(grupos = AgrupaNativa());
  Contadores(state, grupos);
}

void BM_AgrupaSumaTablaDbf(benchmark::State& state) {
  Prepara();
  Nativa();
  qint64 grupos = 0;
  double dbf = 0, nativa = 0;
  for (auto _ : state) {
    QElapsedTimer r;
    r.start();
    benchmark::DoNotOptimize(grupos = AgrupaDbf());
    dbf += static_cast<double>(r.nsecsElapsed());
    state.PauseTiming();
    r.restart();
    benchmark::DoNotOptimize(AgrupaNativa());
    nativa += static_cast<double>(r.nsecsElapsed());
    state.ResumeTiming();
  }
  Contadores(state, grupos);
  state.counters["veces"] = dbf / nativa;
  state.counters["marca_veces"] = 1.5;
}

// An equality on the tagged key: one document's lines.
void BM_IgualdadSobreEtiqueta(benchmark::State& state) {
  Prepara();
  if (!db::FabricaDeIndices()) {
    state.SkipWithError("sin módulo de índices .mdx: no hay etiquetas");
    return;
  }
  static bool etiqueta = false;
  if (!etiqueta) {
    db::Tabla t;
    t.SetCarpeta(kCarpeta);
    t.SetNombreTabla(kTabla);
    t.SetExclusive(true);
    t.Open();
    if (!t.IndexNames().contains(QStringLiteral("CLDOC_FD"))) t.AddIndex({"CLDOC_FD", "CLDOC_FD", false, false});
    etiqueta = true;
  }
  int i = 0;
  qint64 filas = 0;
  for (auto _ : state) {
    db::Consulta q;
    q.SetSQL(QStringLiteral("SELECT CLPRO_FD, CANTI_FD FROM \"C:\\BENCH\\LINEAS.DBF\" WHERE CLDOC_FD = %1")
                 .arg((i++ * 104729) % (kFilas / 4) + 1));
    q.Open();
    benchmark::DoNotOptimize(filas = q.RecordCount());
  }
  state.counters["filas"] = kFilas;
  state.counters["filas_hallada"] = static_cast<double>(filas);
}

}  // namespace

BENCHMARK(BM_AgrupaSumaTablaNativa)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_AgrupaSumaTablaDbf)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_IgualdadSobreEtiqueta)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
