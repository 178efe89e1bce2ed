// The inventory movement rebuild tool of the maintenance panel on a company
// of 20,000 remissions of 3 lines (60,000 lines) whose movement rows are
// whole but for one remission in 200 (100 listed), among 200,000 movement
// rows over 10,000 products:
//   - the check of every remission against its rows;
//   - the regeneration of the 100 listed remissions (old rows deleted and
//     logged, new ones written under a new movement number each);
//   - the whole run stepped as the timer would step it: the check again,
//     then the recount (every product's stock recorded, every movement row
//     totalled, every stock set).
//
// Targets: check <= 3 s; regeneration <= 1 s; whole run <= 30 s.

#include "empresa_bench.h"
#include "foundation/rutinas.h"
#include "inventory/RegistroMovimiento.h"
#include "inventory/RegistroProducto.h"
#include "maintenance/PrincipaMI.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/PuertaModal.h"
#include "shell/LineasConfiguracion.h"
#include "shell/Principa.h"
#include "tablas/TablasVorlan.h"

#include <QDate>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

const QString kDatos = QStringLiteral("C:\\VRL\\DATOS");
constexpr int kRemisiones = 20'000;
constexpr int kPartidas = 3;
constexpr int kIncompletaCada = 200;
constexpr int kMovimientos = 200'000;
constexpr int kProductos = 10'000;

QString Control(int remision) { return QString::number(10'000 + remision % 80'000); }

void Prepara() {
  static QTemporaryDir dir;
  static const bool hecha = [] {
    PreparaEmpresaBench(dir, kDatos);
    ui::PuertaModal::ModoPrueba(true);
    QString programa;
    CarpetaLocal(programa);
    for (const char* t : {"INVENTAR.DBF", "MOVINVEN.DBF"}) CreaTablaBench(kDatos, db::CarpetaTabla::Inventario, t);
    CreaTablaBench(kDatos, db::CarpetaTabla::Remisiones, QStringLiteral("Remision.dbf"));
    CreaTablaBench(kDatos, db::CarpetaTabla::Remisiones, QStringLiteral("RemisioD.dbf"));
    // The other kinds, empty.
    for (const char* t : {"FacturaE.dbf", "FacturaD.dbf", "Devoluc.dbf", "DevolucD.dbf", "ComprasE.dbf",
                          "ComprasD.dbf", "DevolCom.DBF", "DevolDet.dbf"})
      CreaTablaBench(kDatos, db::CarpetaTabla::Datos, t);

    const QDate dia(2024, 1, 1);
    const auto clave = [](int i) { return QStringLiteral("P%1").arg(i % kProductos); };
    LlenaTablaBench(kDatos, kTablaProductos, kProductos, [](db::Tabla& t, int i) {
      t.FieldByName("CLPRO_I").SetAsString(QStringLiteral("P%1").arg(i));
      t.FieldByName("EXIST_I").SetAsFloat(i % 40);
    });
    LlenaTablaBench(kDatos, QStringLiteral("Remision.dbf"), kRemisiones, [&](db::Tabla& t, int i) {
      t.FieldByName("CLDOC_F").SetAsInteger(i + 1);
      t.FieldByName("CONTROL").SetAsString(Control(i + 1));
      t.FieldByName("FEDOC_F").SetAsDate(dia.addDays(i % 365));
      t.FieldByName("CLCLI_F").SetAsString(QStringLiteral("1"));
    });
    LlenaTablaBench(kDatos, QStringLiteral("RemisioD.dbf"), kRemisiones * kPartidas, [&](db::Tabla& t, int i) {
      const int remision = i / kPartidas + 1;
      t.FieldByName("CLDOC_FD").SetAsString(QString::number(remision));
      t.FieldByName("CONTROL").SetAsString(Control(remision));
      t.FieldByName("CLPRO_FD").SetAsString(clave(i * 7));
      t.FieldByName("CANTI_FD").SetAsFloat(1 + i % 3);
    });
    // The rows of the whole remissions, then rows of other origins.
    struct Fila {
      QString clave, nudoc;
    };
    std::vector<Fila> filas;
    for (int r = 1; r <= kRemisiones; ++r)
      if (r % kIncompletaCada != 0)
        for (int p = 0; p < kPartidas; ++p)
          filas.push_back({clave(((r - 1) * kPartidas + p) * 7), QStringLiteral("R%1-%2").arg(r).arg(Control(r))});
    for (int i = static_cast<int>(filas.size()); i < kMovimientos; ++i)
      filas.push_back({clave(i), QStringLiteral("M%1").arg(i)});
    LlenaTablaBench(kDatos, kTablaMovimientos, kMovimientos, [&](db::Tabla& t, int i) {
      t.FieldByName("CLDOC_MI").SetAsInteger(i + 1);
      t.FieldByName("TIMOV_MI").SetAsInteger(i % 2 ? ConceptoVentaRemision : ConceptoCompra);
      t.FieldByName("CANTI_MI").SetAsFloat(1 + i % 3);
      t.FieldByName("FEDOC_MI").SetAsDate(dia.addDays(i % 365));
      t.FieldByName("CLPRO_MI").SetAsString(filas[i].clave);
      t.FieldByName("NUDOC_MI").SetAsString(filas[i].nudoc);
    });
    std::printf("%d remisiones de %d líneas, %d movimientos, %d productos\n", kRemisiones, kPartidas, kMovimientos,
                kProductos);
    return true;
  }();
  (void)hecha;
}

// The main window's panel with the tool joined, on the company.
struct Panel {
  Panel() {
    Prepara();
    principal.setEnabled(true);  // as a login leaves it
    principal.EditRuta->setText(kDatos);
    herramienta = UneHerramientaMI(principal);
  }
  int Revisa() {
    principal.MemoMov->clear();
    herramienta->AbreTablasDocumento(TipoMI(DocumentoMI::Remision));
    while (!herramienta->RevisaMovimientosRemision()) {
    }
    return principal.MemoMov->toPlainText().isEmpty() ? 0 : principal.MemoMov->document()->blockCount();
  }
  TFormaPrincipal principal;
  THerramientaMI* herramienta;
};

void BM_RevisaRemisiones(benchmark::State& estado) {
  Panel panel;
  int listadas = 0;
  for (auto _ : estado) listadas = panel.Revisa();
  if (listadas != kRemisiones / kIncompletaCada) estado.SkipWithError("no se listaron las remisiones incompletas");
  estado.counters["remisiones"] = kRemisiones;
  estado.counters["movimientos"] = kMovimientos;
}
BENCHMARK(BM_RevisaRemisiones)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RegeneraListadas(benchmark::State& estado) {
  Panel panel;
  const int listadas = panel.Revisa();
  for (auto _ : estado) {
    panel.herramienta->AbreTablasDocumento(TipoMI(DocumentoMI::Remision));
    for (int i = 0; i < listadas; ++i) panel.herramienta->RegeneraMovimientosRemision(i);
  }
  if (panel.Revisa() != 0) estado.SkipWithError("quedaron remisiones incompletas");
  estado.counters["listadas"] = listadas;
  estado.counters["movimientos"] = kMovimientos;
}
BENCHMARK(BM_RegeneraListadas)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole run, one step at a time as the timer would give them: the
// checks (every remission, none listed after the regeneration above), then
// the recount.
void BM_CorridaCompleta(benchmark::State& estado) {
  Panel panel;
  for (auto _ : estado) {
    panel.principal.BitBtn1->click();
    do panel.herramienta->Paso();
    while (panel.herramienta->EstadoMI() != 8);
    do panel.herramienta->Paso();
    while (panel.herramienta->EstadoMI() != -7);
  }
  estado.counters["productos"] = kProductos;
  estado.counters["movimientos"] = kMovimientos;
}
BENCHMARK(BM_CorridaCompleta)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
