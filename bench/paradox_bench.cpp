// The capture table's hot paths through the dataset API: a totals run (walk
// every line, read six fields, rewrite the amount), the same walk reading
// only, and loading saved lines by inserting each before the first row.
// Sizes are the lines of a sale up to a large one; each prints lines per
// second and the size of the table.
//
// Target: a totals run over 1,000 lines <= 5 ms (a walk costs O(lines)).

#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

const QString kCarpeta = QStringLiteral("C:\\VRL");
const QString kDeta = QStringLiteral("deta.db");

QVector<db::DefCampo> Campos() {
  QVector<db::DefCampo> c;
  for (const char* n : {"CANTIDAD", "DESCUENTO", "IMPUESTO", "FACTOR", "EMPAQUE", "PREC_TARA", "DESCUENTO2",
                        "DESCUENTO3", "FPGC", "INICIAL", "FINAL", "IEPS1"})
    c << db::DefCampo{n, 'N', 0, 0};
  for (const char* n : {"PRECIO", "IMPORTE", "COSTO"}) c << db::DefCampo{n, '$', 0, 0};
  c << db::DefCampo{"CLAVE", 'A', 30, 0} << db::DefCampo{"PRODUCTO", 'A', 60, 0} << db::DefCampo{"UNIDAD", 'A', 3, 0}
    << db::DefCampo{"TARA", 'A', 6, 0} << db::DefCampo{"TIPO", 'A', 1, 0} << db::DefCampo{"PROVEEDOR", 'A', 8, 0};
  return c;
}

void Raiz() {
  static QTemporaryDir dir;
  static const bool listo = [] {
    qputenv("VORLAN_ROOT", QFile::encodeName(dir.path()));
    fs::CreaCarpeta(kCarpeta);
    return true;
  }();
  (void)listo;
}

std::unique_ptr<db::Tabla> Abre() {
  auto t = std::make_unique<db::Tabla>();
  t->SetCarpeta(kCarpeta);
  t->SetNombreTabla(kDeta);
  t->Open();
  return t;
}

void PonLinea(db::Tabla& t, int i) {
  t.FieldByName("CANTIDAD").SetAsFloat(1 + i % 7);
  t.FieldByName("CLAVE").SetAsString(QStringLiteral("P%1").arg(i, 6, 10, QLatin1Char('0')));
  t.FieldByName("PRODUCTO").SetAsString(QStringLiteral("Producto de prueba número %1").arg(i));
  t.FieldByName("PRECIO").SetAsFloat(10.5 + i);
  t.FieldByName("DESCUENTO").SetAsFloat(i % 3 ? 0 : 5);
  t.FieldByName("IMPUESTO").SetAsFloat(16);
  t.FieldByName("UNIDAD").SetAsString(QStringLiteral("pza"));
}

void Informa(benchmark::State& state, qint64 lineas) {
  state.counters["lineas/s"] = benchmark::Counter(static_cast<double>(lineas), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["lineas"] = static_cast<double>(lineas);
  state.counters["KB_tabla"] = static_cast<double>(QFileInfo(fs::Local(fs::Une(kCarpeta, kDeta))).size()) / 1024;
}

// A capture of that many lines, filled through one cursor; the second
// cursor, the totals', is returned.
std::unique_ptr<db::Tabla> CapturaLlena(int lineas) {
  Raiz();
  db::Tabla::Crea(kCarpeta, kDeta, Campos());
  auto deta = Abre();
  for (int i = 1; i <= lineas; ++i) {
    deta->Append();
    PonLinea(*deta, i);
    deta->Post();
  }
  return Abre();
}

void BM_TotalesDeLaCaptura(benchmark::State& state) {
  const int lineas = static_cast<int>(state.range(0));
  auto total = CapturaLlena(lineas);
  db::Campo& cantidad = total->FieldByName("CANTIDAD");
  db::Campo& precio = total->FieldByName("PRECIO");
  db::Campo& descuento = total->FieldByName("DESCUENTO");
  db::Campo& importe = total->FieldByName("IMPORTE");
  db::Campo& impuesto = total->FieldByName("IMPUESTO");
  db::Campo& costo = total->FieldByName("COSTO");
  for (auto _ : state) {
    double iva = 0;
    for (total->First(); !total->Eof(); total->Next()) {
      total->Edit();
      const double monto = cantidad.AsFloat() * precio.AsFloat() * (1 - descuento.AsFloat() / 100);
      importe.SetAsFloat(monto);
      total->Post();
      iva += importe.AsFloat() * impuesto.AsFloat() / 100 + costo.AsFloat();
    }
    benchmark::DoNotOptimize(iva);
  }
  Informa(state, lineas);
}
BENCHMARK(BM_TotalesDeLaCaptura)->Arg(30)->Arg(300)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RecorridoDeLaCaptura(benchmark::State& state) {
  const int lineas = static_cast<int>(state.range(0));
  auto total = CapturaLlena(lineas);
  db::Campo& cantidad = total->FieldByName("CANTIDAD");
  db::Campo& precio = total->FieldByName("PRECIO");
  db::Campo& descuento = total->FieldByName("DESCUENTO");
  db::Campo& impuesto = total->FieldByName("IMPUESTO");
  db::Campo& costo = total->FieldByName("COSTO");
  db::Campo& clave = total->FieldByName("CLAVE");
  for (auto _ : state) {
    double suma = 0;
    qint64 largo = 0;
    for (total->First(); !total->Eof(); total->Next()) {
      suma += cantidad.AsFloat() * precio.AsFloat() * (1 - descuento.AsFloat() / 100) * (1 + impuesto.AsFloat() / 100) +
              costo.AsFloat();
      largo += clave.AsString().size();
    }
    benchmark::DoNotOptimize(suma);
    benchmark::DoNotOptimize(largo);
  }
  Informa(state, lineas);
}
BENCHMARK(BM_RecorridoDeLaCaptura)->Arg(30)->Arg(300)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CargaInsertandoAntesDeLaPrimera(benchmark::State& state) {
  Raiz();
  const int lineas = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    db::Tabla::Crea(kCarpeta, kDeta, Campos());
    auto deta = Abre();
    state.ResumeTiming();
    for (int i = lineas; i >= 1; --i) {
      deta->Insert();
      PonLinea(*deta, i);
      deta->Post();
    }
  }
  Informa(state, lineas);
}
BENCHMARK(BM_CargaInsertandoAntesDeLaPrimera)->Arg(30)->Arg(300)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
