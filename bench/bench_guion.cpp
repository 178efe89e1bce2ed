// A report script over many document lines: "Ventas por Artículo" (the sale
// screen's product sales with cost and margin) over a RemisioD.dbf of
// 1,000,000 lines spread over two years (2023 and 2024), run as the sale
// screen runs it: EjecutaReporteSQL with its dialog answered, timed from
// the dialog's acceptance to the report window showing its first page, and
// to the run's end (its last slices run while the window shows); the peak
// memory of the run.
//
// Marks: one month (March 2024, about 42,000 lines) <= 2 s to the first
// page; the whole table (1,000,000 lines, its progress shown): the first
// page <= 2 s, the whole run <= 6 s; memory <= 200 MB whatever the size.

#include "memoria_bench.h"

#include "foundation/rutinas.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/PuertaModal.h"
#include "reports/Formatos.h"
#include "reports/RepoSQL.h"
#include "tablas/TablasVorlan.h"

#include <QApplication>
#include <QDateEdit>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

const QString kDatos = QStringLiteral("C:\\BENCH");
const QString kPartidas = QStringLiteral("RemisioD.dbf");
constexpr int kLineas = 1'000'000;
constexpr int kProductos = 2000;
const QDate kPrimerDia(2023, 1, 1);
constexpr int kDias = 731;  // 2023 and 2024

using Reloj = std::chrono::steady_clock;

// The company and its remission lines, made once.
db::Tabla& Partidas() {
  static QTemporaryDir dir;
  static std::unique_ptr<db::Tabla> tabla = [] {
    qputenv("VORLAN_ROOT", QFile::encodeName(dir.path()));
    QStringList config(90);
    config[7] = kDatos;
    fs::CreaCarpeta(kDatos);
    fs::CreaCarpeta(QStringLiteral("C:\\VRL"));
    fs::ReescribeLineas(kArchivoInicio, {QStringLiteral("C:\\VRL"), QStringLiteral("C:\\VRL\\Gener1.cnf"), QString()});
    fs::ReescribeLineas(QStringLiteral("C:\\VRL\\Gener1.cnf"), config);
    const db::DefTabla& def = CatalogoVorlan().Tabla(db::CarpetaTabla::Remisiones, kPartidas);
    db::Tabla::Crea(kDatos, kPartidas, def.campos);
    auto t = std::make_unique<db::Tabla>();
    t->SetCarpeta(kDatos);
    t->SetNombreTabla(kPartidas);
    t->Open();
    db::Campo& documento = t->FieldByName("CLDOC_FD");
    db::Campo& producto = t->FieldByName("CLPRO_FD");
    db::Campo& descripcion = t->FieldByName("DEPRO_FD");
    db::Campo& cantidad = t->FieldByName("CANTI_FD");
    db::Campo& costo = t->FieldByName("COPRO_FD");
    db::Campo& precio = t->FieldByName("PREDE_FD");
    db::Campo& fecha = t->FieldByName("FEDOC_FD");
    db::Campo& marca = t->FieldByName("TREGI_FD");
    for (int i = 0; i < kLineas; ++i) {
      const int p = static_cast<int>(static_cast<qint64>(i) * 7919 % kProductos);
      t->Append();
      documento.SetAsString(QString::number(i / 4 + 1));
      producto.SetAsString(QStringLiteral("P%1").arg(p, 6, 10, QChar(u'0')));
      descripcion.SetAsString(QStringLiteral("Producto %1").arg(p));
      cantidad.SetAsFloat(i % 9 + 1);
      costo.SetAsFloat(8 + (p % 50) * 0.25);
      precio.SetAsFloat(10 + (p % 50) * 0.3);
      fecha.SetAsDate(kPrimerDia.addDays(static_cast<qint64>(i) * kDias / kLineas));
      marca.SetAsString(i % 37 == 0 ? QStringLiteral("C") : QString());
      t->Post();
    }
    t->Close();
    t->AddIndex({QStringLiteral("CLDOC_FD"), QStringLiteral("CLDOC_FD")});
    t->Open();
    t->SetIndexName(QStringLiteral("CLDOC_FD"));
    return t;
  }();
  return *tabla;
}

QString GuionVentasPorArticulo() {
  return QStringLiteral("$Ventas por Artículo\r"
                        "& Select CLDOC_FD,CLPRO_FD,DEPRO_FD,CANTI_FD,CANTI_FD*COPRO_FD,(CANTI_FD*PREDE_FD),"
                        "(CANTI_FD*PREDE_FD)-(CANTI_FD*COPRO_FD),((PREDE_FD-COPRO_FD)/PREDE_FD)*100,FEDOC_FD from "
                        "\"C:\\BENCH\\RemisioD.dbf\"\r"
                        "?(TREGI_FD<>\"C\" OR TREGI_FD IS NULL) \u00BF\r"
                        "!CLPRO_FD\r"
                        "%e          c            c               t               t              t                  t"
                        "             m             c\r"
                        "#DOCUMENTO  PRODUCTO     DESCRIPCION     CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     "
                        "UTILIDAD      %PROM.UTILID. FECHA     \r"
                        "@\r");
}

// Whether the progress window showed during a run.
struct TestigoProgreso : QObject {
  bool visto = false;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Show && o->objectName() == QStringLiteral("FormaProgreso")) visto = true;
    return false;
  }
};

// The sale screen's run over the dates given.
void VentasPorArticulo(benchmark::State& estado, const QDate& desde, const QDate& hasta) {
  db::Tabla& partidas = Partidas();
  ui::PuertaModal::ModoPrueba(true);
  TestigoProgreso testigo;
  qApp->installEventFilter(&testigo);
  double segundos = 0;
  qint64 lineas = 0;
  double megas = 0;
  double entera = 0;
  for (auto _ : estado) {
    ReiniciaPicoMemoriaBench();
    Reloj::time_point acepta;
    Reloj::time_point muestra;
    ui::PuertaModal::Espera("TFormaFormatos", [&](QDialog& d) {
      auto& dialogo = static_cast<TFormaFormatos&>(d);
      dialogo.Inicial->setDate(desde);
      dialogo.Final->setDate(hasta);
      acepta = Reloj::now();
      dialogo.BitBtn4->click();
    });
    Reloj::time_point termina;
    ui::PuertaModal::Espera("TFormaReporteSQL", [&](QDialog& d) {
      muestra = Reloj::now();
      auto& v = static_cast<TFormaReporteSQL&>(d);
      while (!v.CorridaTerminada()) QCoreApplication::processEvents();
      termina = Reloj::now();
      lineas = v.PaginasGuion.Escritas();
    });
    EjecutaReporteSQL("Ventas por Artículo", "CLDOC_FD", "FEDOC_FD", "FEDOC_FD", "1", partidas,
                      GuionVentasPorArticulo(), 0, "", true, u' ');
    segundos = std::chrono::duration<double>(muestra - acepta).count();
    entera = std::chrono::duration<double>(termina - acepta).count();
    megas = PicoMemoriaBench();
    estado.SetIterationTime(segundos);
  }
  qApp->removeEventFilter(&testigo);
  if (!ui::PuertaModal::Mensajes().isEmpty())
    estado.SkipWithError(ui::PuertaModal::Mensajes().join(u'|').toStdString().c_str());
  estado.counters["lineas_tabla"] = kLineas;
  estado.counters["MB_tabla"] = static_cast<double>(QFileInfo(fs::Local(fs::Une(kDatos, kPartidas))).size()) / 1e6;
  estado.counters["lineas_reporte"] = static_cast<double>(lineas);
  estado.counters["progreso"] = testigo.visto ? 1 : 0;
  estado.counters["s_hasta_primera_pagina"] = segundos;
  estado.counters["s_corrida_entera"] = entera;
  estado.counters["MB_pico"] = megas;
  estado.counters["marca_s_primera_pagina"] = 2;
  estado.counters["marca_s_corrida_entera"] = 6;
  estado.counters["marca_MB"] = 200;
}

void BM_VentasPorArticuloUnMes(benchmark::State& estado) {
  VentasPorArticulo(estado, QDate(2024, 3, 1), QDate(2024, 3, 31));
}
BENCHMARK(BM_VentasPorArticuloUnMes)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_VentasPorArticuloTodaLaTabla(benchmark::State& estado) {
  VentasPorArticulo(estado, kPrimerDia, kPrimerDia.addDays(kDias - 1));
}
BENCHMARK(BM_VentasPorArticuloTodaLaTabla)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
