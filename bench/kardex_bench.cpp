// The stock of one product counted again from a company's documents, and
// the alternate stock card of a product with many lines. The company holds
// 200,000 remission lines, 50,000 invoice lines, 50,000 purchase lines and
// 200,000 movement rows over 10,000 products; the product "P0" has one
// remission line and one movement row in every hundred and one invoice line
// in every 25 (5,734 rows on its card once cancelled, converted and
// concept-54 lines are left out).
//
// Each recount case times 20 products spread over the catalogue and reports
// the worst and the median; the card case builds the whole card without
// showing it.

#include "empresa_bench.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/Costeo.h"
#include "inventory/RecalculoExistencia.h"
#include "inventory/RegistroMovimiento.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Consulta.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "shell/LineasConfiguracion.h"
#include "tablas/TablasVorlan.h"

#include <QDate>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

const QString kDatos = QStringLiteral("C:\\VRL\\DATOS");
constexpr int kProductos = 10'000;
constexpr int kRemisiones = 200'000;
constexpr int kFacturas = 50'000;
constexpr int kCompras = 50'000;
constexpr int kMovimientos = 200'000;
constexpr int kRecuentos = 20;

QString Clave(int i) { return i % 100 == 1 ? QStringLiteral("P0") : QStringLiteral("P%1").arg(i % kProductos); }

void Prepara() {
  static QTemporaryDir dir;
  static const bool hecha = [] {
    PreparaEmpresaBench(dir, kDatos);
    QString programa;
    CarpetaLocal(programa);
    TRegistroUsuario administrador;
    administrador.NombreUsuario = QStringLiteral("ADMINISTRADOR");
    fs::EscribeAtomico(fs::Une(programa, QStringLiteral("usuarios.def")), administrador.ABytes());
    for (const char* t : {"INVENTAR.DBF", "MOVINVEN.DBF", "Kardex.dbf"})
      CreaTablaBench(kDatos, db::CarpetaTabla::Inventario, t);
    CreaTablaBench(kDatos, db::CarpetaTabla::Remisiones, QStringLiteral("RemisioD.dbf"));
    CreaTablaBench(kDatos, db::CarpetaTabla::Datos, QStringLiteral("FacturaD.dbf"));
    CreaTablaBench(kDatos, db::CarpetaTabla::Datos, QStringLiteral("ComprasD.dbf"));
    CreaTablaBench(kDatos, db::CarpetaTabla::Datos, QStringLiteral("comovinv.dbf"));

    const QDate dia(2024, 1, 1);
    LlenaTablaBench(kDatos, kTablaProductos, kProductos, [](db::Tabla& t, int i) {
      t.FieldByName("CLPRO_I").SetAsString(QStringLiteral("P%1").arg(i));
      t.FieldByName("DSCPR_I").SetAsString(QStringLiteral("Producto %1").arg(i));
    });
    LlenaTablaBench(kDatos, QStringLiteral("RemisioD.dbf"), kRemisiones, [&](db::Tabla& t, int i) {
      t.FieldByName("CLDOC_FD").SetAsString(QString::number(i / 5));
      t.FieldByName("CLPRO_FD").SetAsString(Clave(i));
      t.FieldByName("CANTI_FD").SetAsFloat(1 + i % 3);
      t.FieldByName("FEDOC_FD").SetAsDate(dia.addDays(i % 365));
      if (i % 50 == 0) t.FieldByName("TREGI_FD").SetAsString(QStringLiteral("C"));
    });
    LlenaTablaBench(kDatos, QStringLiteral("FacturaD.dbf"), kFacturas, [&](db::Tabla& t, int i) {
      t.FieldByName("CLDOC_FD").SetAsString(QString::number(i / 5));
      t.FieldByName("CLPRO_FD").SetAsString(Clave(i * 4 + 1));
      t.FieldByName("CANTI_FD").SetAsFloat(1);
      t.FieldByName("FEDOC_FD").SetAsDate(dia.addDays(i % 365));
      if (i % 7 == 0) t.FieldByName("TDOCU_FD").SetAsString(QStringLiteral("R"));
    });
    LlenaTablaBench(kDatos, QStringLiteral("ComprasD.dbf"), kCompras, [&](db::Tabla& t, int i) {
      t.FieldByName("CLDOC_OD").SetAsString(QString::number(i / 10));
      t.FieldByName("CLPRO_OD").SetAsString(Clave(i * 4 + 2));
      t.FieldByName("CANTI_OD").SetAsFloat(12);
      t.FieldByName("FEDOC_OD").SetAsDate(dia.addDays(i % 365));
    });
    const int conceptos[] = {ConceptoVentaRemision, ConceptoCompra, ConceptoAjusteEntrada, ConceptoAjusteSalida,
                             ConceptoCancelacionVenta};
    LlenaTablaBench(kDatos, kTablaMovimientos, kMovimientos, [&](db::Tabla& t, int i) {
      t.FieldByName("CLDOC_MI").SetAsInteger(i / 4);
      t.FieldByName("CLPRO_MI").SetAsString(Clave(i));
      t.FieldByName("TIMOV_MI").SetAsInteger(conceptos[i % 5]);
      t.FieldByName("CANTI_MI").SetAsFloat(2);
      t.FieldByName("FEDOC_MI").SetAsDate(dia.addDays(i % 365));
    });
    std::printf("%d productos; %d líneas de remisión, %d de factura, %d de compra, %d movimientos\n", kProductos,
                kRemisiones, kFacturas, kCompras, kMovimientos);
    return true;
  }();
  (void)hecha;
}

void Informa(benchmark::State& estado, std::vector<double>& tiempos) {
  std::sort(tiempos.begin(), tiempos.end());
  estado.counters["peor_ms"] = tiempos.back();
  estado.counters["mediana_ms"] = tiempos[tiempos.size() / 2];
  estado.counters["lineas"] = kRemisiones + kFacturas + kCompras + kMovimientos;
}

void BM_RecuentoDeUnProducto(benchmark::State& estado) {
  Prepara();
  db::Tabla productos;
  productos.SetCarpeta(kDatos);
  productos.SetNombreTabla(kTablaProductos);
  productos.Open();
  productos.SetIndexName(kTagClaveProducto);
  std::vector<double> tiempos;
  for (auto _ : estado) {
    for (int i = 1; i <= kRecuentos; ++i) {
      const QString clave = QStringLiteral("P%1").arg(i * (kProductos / kRecuentos) - 1);
      if (!productos.FindKey({clave})) estado.SkipWithError("producto no hallado");
      const auto t0 = std::chrono::steady_clock::now();
      RecalculaExistenciaProducto(clave, productos);
      tiempos.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
  }
  Informa(estado, tiempos);
}
BENCHMARK(BM_RecuentoDeUnProducto)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TarjetaAlternaDeUnProductoConMuchasFilas(benchmark::State& estado) {
  Prepara();
  const QString consulta = ConsultaKardexAlterno(db::Carpetas{kDatos, {}, {}, {}}, QStringLiteral("P0"));
  db::Consulta filas;
  filas.SetSQL(consulta);
  filas.Open();
  estado.counters["filas_tarjeta"] = static_cast<double>(filas.RecordCount());
  std::vector<double> tiempos;
  for (auto _ : estado) {
    const auto t0 = std::chrono::steady_clock::now();
    MuestraKardexAlterno(consulta, QStringLiteral("P0"), QString(), false);
    tiempos.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
  }
  Informa(estado, tiempos);
}
BENCHMARK(BM_TarjetaAlternaDeUnProductoConMuchasFilas)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
