// The table layer's hot paths: a sequential scan of a large dBASE table
// reading two fields, and appends without index tags. Each prints the rows
// per second and the size of its data.
//
// Marks: the scan of 1,000,000 rows of about 300 bytes reading two numeric
// fields >= 8,000,000 rows/s, beside its peer (recorrido_peer.py: a Python
// script over the same file, python3-dbfread when installed), whose rows/s
// it prints as "peer_filas/s"; appending 100,000 rows without tags >=
// 150,000 rows/s.

#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

const QString kCarpeta = QStringLiteral("C:\\BENCH");
constexpr int kFilasScan = 1000000;

// About 300 bytes a row: key, description, line, price, stock, date, flags.
const QVector<db::DefCampo> kCampos = {
    {"CLPRO_I", 'C', 20, 0}, {"DSCPR_I", 'C', 120, 0}, {"LIPRO_I", 'C', 30, 0}, {"PPUBL_I", 'N', 14, 4},
    {"EXIST_I", 'N', 12, 0}, {"COSTO_I", 'N', 14, 4},  {"FECHA_I", 'D', 8, 0},  {"ACTIV_I", 'L', 1, 0},
    {"NOTAS_I", 'C', 80, 0}};

QTemporaryDir& Raiz() {
  static QTemporaryDir dir;
  static const bool listo = [] {
    qputenv("VORLAN_ROOT", QFile::encodeName(dir.path()));
    fs::CreaCarpeta(kCarpeta);
    return true;
  }();
  (void)listo;
  return dir;
}

void AgregaFila(db::Tabla& t, int i) {
  t.Append();
  t.Fields(0).SetAsString(QStringLiteral("P%1").arg(i, 8, 10, QLatin1Char('0')));
  t.Fields(1).SetAsString(QStringLiteral("Producto de prueba número %1").arg(i));
  t.Fields(2).SetAsString(QStringLiteral("LINEA %1").arg(i % 50));
  t.Fields(3).SetAsFloat(i * 0.25);
  t.Fields(4).SetAsInteger(i % 1000);
  t.Fields(5).SetAsFloat(i * 0.125);
  t.Fields(6).SetAsDate(QDate(2024, 1, 1).addDays(i % 365));
  t.Fields(7).SetAsBoolean(i % 2 == 0);
  t.Post();
}

std::unique_ptr<db::Tabla> Abre(const QString& nombre) {
  auto t = std::make_unique<db::Tabla>();
  t->SetCarpeta(kCarpeta);
  t->SetNombreTabla(nombre);
  t->Open();
  return t;
}

// The 1,000,000-row table, built once.
void PreparaTablaGrande() {
  Raiz();
  static bool hecha = false;
  if (hecha) return;
  db::Tabla::Crea(kCarpeta, QStringLiteral("GRANDE.DBF"), kCampos);
  auto t = Abre(QStringLiteral("GRANDE.DBF"));
  for (int i = 1; i <= kFilasScan; ++i) AgregaFila(*t, i);
  hecha = true;
}

void Tamanos(benchmark::State& state, const QString& nombre, qint64 filas) {
  const qint64 bytes = QFileInfo(fs::Local(fs::Une(kCarpeta, nombre))).size();
  state.counters["filas/s"] = benchmark::Counter(static_cast<double>(filas), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["filas"] = static_cast<double>(filas);
  state.counters["MB_tabla"] = static_cast<double>(bytes) / 1e6;
  state.counters["bytes_fila"] = static_cast<double>(bytes) / static_cast<double>(std::max<qint64>(1, filas));
}

void BM_RecorridoDosCamposNumericos(benchmark::State& state) {
  PreparaTablaGrande();
  auto t = Abre(QStringLiteral("GRANDE.DBF"));
  db::Campo& existencia = t->FieldByName("EXIST_I");
  db::Campo& precio = t->FieldByName("PPUBL_I");
  qint64 filas = 0;
  for (auto _ : state) {
    qint64 suma = 0;
    double total = 0;
    filas = 0;
    for (t->First(); !t->Eof(); t->Next()) {
      suma += existencia.AsInteger();
      total += precio.AsFloat();
      ++filas;
    }
    benchmark::DoNotOptimize(suma);
    benchmark::DoNotOptimize(total);
  }
  Tamanos(state, QStringLiteral("GRANDE.DBF"), filas);
  state.counters["marca_filas/s"] = 8e6;
  // The peer over the same file.
  QProcess peer;
  peer.start(QStringLiteral("python3"), {QStringLiteral(VORLAN_BENCH_DIR "/recorrido_peer.py"),
                                         fs::Local(fs::Une(kCarpeta, QStringLiteral("GRANDE.DBF"))),
                                         QStringLiteral("EXIST_I"), QStringLiteral("PPUBL_I")});
  if (peer.waitForFinished(600'000) && peer.exitCode() == 0) {
    const QList<QByteArray> cifras = peer.readAllStandardOutput().trimmed().split(' ');
    state.counters["peer_filas/s"] = cifras.value(2).toDouble();
    state.SetLabel("peer " + cifras.value(0).toStdString());
  }
}
BENCHMARK(BM_RecorridoDosCamposNumericos)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RecorridoClaveYNumero(benchmark::State& state) {
  PreparaTablaGrande();
  auto t = Abre(QStringLiteral("GRANDE.DBF"));
  db::Campo& clave = t->FieldByName("CLPRO_I");
  db::Campo& existencia = t->FieldByName("EXIST_I");
  qint64 filas = 0;
  for (auto _ : state) {
    qint64 largo = 0;
    filas = 0;
    for (t->First(); !t->Eof(); t->Next()) {
      largo += clave.AsString().size() + existencia.AsInteger();
      ++filas;
    }
    benchmark::DoNotOptimize(largo);
  }
  Tamanos(state, QStringLiteral("GRANDE.DBF"), filas);
}
BENCHMARK(BM_RecorridoClaveYNumero)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AgregaSinIndices(benchmark::State& state) {
  Raiz();
  const int filas = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    db::Tabla::Crea(kCarpeta, QStringLiteral("ALTAS.DBF"), kCampos);
    auto t = Abre(QStringLiteral("ALTAS.DBF"));
    state.ResumeTiming();
    for (int i = 1; i <= filas; ++i) AgregaFila(*t, i);
  }
  Tamanos(state, QStringLiteral("ALTAS.DBF"), filas);
  state.counters["marca_filas/s"] = 150e3;
}
BENCHMARK(BM_AgregaSinIndices)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
