// A report over many document lines: GeneraReporte in mode "DC" keyed by a
// date over a 1,000,000-row sales table (three columns, one of them
// arithmetic, cancelled documents left out), timed to the viewer's first
// page; then the viewer's text pages of the result: the last one with its
// subtotals and totals, and pages spread over the report.
//
// Marks: the first page <= 2 s from the start of the run; the last page
// <= 2 s; any other page <= 50 ms.

#include "foundation/rutinas.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "reports/ArchivosReporte.h"
#include "reports/Barras.h"
#include "reports/GeneradorReporte.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextEdit>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace {

const QString kDatos = QStringLiteral("C:\\BENCH");
const QString kTabla = QStringLiteral("ventas.dbf");
constexpr int kVentas = 1'000'000;

double Milisegundos(std::chrono::steady_clock::time_point desde) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - desde).count();
}

// The company and its table, made once.
db::Tabla& Ventas() {
  static QTemporaryDir dir;
  static std::unique_ptr<db::Tabla> tabla = [] {
    qputenv("VORLAN_ROOT", QFile::encodeName(dir.path()));
    QStringList config(90);
    config[7] = kDatos;
    fs::CreaCarpeta(QStringLiteral("C:\\VRL\\tempo"));
    fs::CreaCarpeta(kDatos);
    fs::ReescribeLineas(kArchivoInicio, {QStringLiteral("C:\\VRL"), QStringLiteral("C:\\VRL\\Gener1.cnf"), QString()});
    fs::ReescribeLineas(QStringLiteral("C:\\VRL\\Gener1.cnf"), config);
    db::Tabla::Crea(kDatos, kTabla,
                    {{"CLDOC_F", 'N', 10, 0},
                     {"FEDOC_F", 'D', 8, 0},
                     {"NOMBR_F", 'C', 40, 0},
                     {"IMTOD_F", 'N', 16, 4},
                     {"CTOVE_F", 'N', 8, 3},
                     {"STATU_F", 'C', 1, 0}});
    auto t = std::make_unique<db::Tabla>();
    t->SetCarpeta(kDatos);
    t->SetNombreTabla(kTabla);
    t->Open();
    const QDate inicio(2022, 1, 1);
    for (int i = 1; i <= kVentas; ++i) {
      t->Append();
      t->Fields(0).SetAsInteger(i);
      t->Fields(1).SetAsDate(inicio.addDays(i % 1096));
      t->Fields(2).SetAsString(QStringLiteral("Cliente %1").arg(i % 5000));
      t->Fields(3).SetAsFloat((i % 10000) * 0.25);
      t->Fields(4).SetAsFloat(i % 20);
      t->Fields(5).SetAsString(i % 100 == 0 ? QStringLiteral("C") : QString());
      t->Post();
    }
    return t;
  }();
  return *tabla;
}

// The first page of the viewer as a report command shows it.
void PrimeraPagina(TFormaBarras& visor) {
  EscribeTitulosReporte("Fecha", "Cliente", {"Importe", "-Comision", "%Comision"});
  EscribeAnchosReporte({10, 20, 16, 8, 16});
  visor.setWindowTitle(QStringLiteral("Reporte de Ventas por Día"));
  PreparaGraficaReporte(QStringLiteral("Gráfica de Ventas por Día"), QStringLiteral("Día"), QStringLiteral("Total"), 1);
  visor.MuestraPaginaReporte(0);
}

void BM_GeneraReporteDC(benchmark::State& estado) {
  db::Tabla& ventas = Ventas();
  std::vector<double> corridas;
  std::vector<double> primeras;
  for (auto _ : estado) {
    const auto t0 = std::chrono::steady_clock::now();
    GeneraReporte(ventas, "", "", "f", "f", "f", "FEDOC_F", "NOMBR_F",
                  {"IMTOD_F", "CTOVE_F", "&IMTOD_F&*&CTOVE_F&*&0.01&"}, "STATU_F", "!", "C", "DC");
    corridas.push_back(Milisegundos(t0) / 1000);
    TFormaBarras visor;
    PrimeraPagina(visor);
    primeras.push_back(Milisegundos(t0) / 1000);
  }
  std::sort(corridas.begin(), corridas.end());
  std::sort(primeras.begin(), primeras.end());
  estado.counters["s_corrida"] = corridas[corridas.size() / 2];
  estado.counters["s_primera_pagina"] = primeras[primeras.size() / 2];
  estado.counters["marca_s"] = 2;
  estado.counters["ventas"] = kVentas;
  estado.counters["MB_tabla"] = static_cast<double>(QFileInfo(fs::Local(fs::Une(kDatos, kTabla))).size()) / 1e6;
  estado.counters["renglones_final"] =
      static_cast<double>(QFileInfo(fs::Local(ArchivoTrabajoReporte(kArchivoFinal))).size() / TRenglonReporte::kTamano);
}
BENCHMARK(BM_GeneraReporteDC)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// The pages of the result of the run above: the last one first (its totals
// are worked out then), then 200 pages spread over the report.
void BM_PaginasDelReporte(benchmark::State& estado) {
  if (!fs::ExisteArchivo(ArchivoTrabajoReporte(kArchivoFinal))) {
    estado.SkipWithError("sin final.tmp: corra antes BM_GeneraReporteDC");
    return;
  }
  TFormaBarras visor;
  PrimeraPagina(visor);
  const qint32 paginas = EstadoVisorReporte().TotalPaginasReporte;
  double ultima = 0;
  std::vector<double> otras;
  for (auto _ : estado) {
    auto t0 = std::chrono::steady_clock::now();
    visor.MuestraPaginaReporte(paginas - 1);
    ultima = Milisegundos(t0);
    for (int i = 0; i < 200; ++i) {
      t0 = std::chrono::steady_clock::now();
      visor.MuestraPaginaReporte(static_cast<qint32>(static_cast<qint64>(paginas - 1) * i / 200));
      otras.push_back(Milisegundos(t0));
    }
  }
  std::sort(otras.begin(), otras.end());
  estado.counters["paginas"] = paginas;
  estado.counters["ultima_ms"] = ultima;
  estado.counters["otra_peor_ms"] = otras.back();
  estado.counters["otra_mediana_ms"] = otras[otras.size() / 2];
  estado.counters["lineas_ultima"] = visor.Concentrado->document()->blockCount();
}
BENCHMARK(BM_PaginasDelReporte)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
