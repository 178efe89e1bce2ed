// The product window's stock card commands ("Kardex", "Neuvo kardex",
// "Kardex alterno"), whose "Ajustar Inv." makes the card's stock the
// product's; the average cost and the last-use stamp of every product; and
// the cut of the movement rows that documents made ("Opciones").

#include "inventory/Inven.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "inventory/ConciliaExistencias.h"
#include "inventory/Costeo.h"
#include "inventory/EdicionFila.h"
#include "inventory/RecalculoExistencia.h"
#include "inventory/RecorridoProductos.h"
#include "inventory/RegistroMovimiento.h"
#include "inventory/RegistroProducto.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/PuertaModal.h"
#include "reports/Progreso.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QLineEdit>
#include <QScopedValueRollback>

#include <algorithm>
#include <functional>

namespace {

QString LineaKardex(int n) {
  QString valor;
  LeeLineaConfig(n, valor);
  return valor;
}

const QString kMovimientosCorte = QStringLiteral("MovInven.dbf");

// Concepts of the movement rows documents made, which the cut removes:
// sales on invoices and remissions, returns to suppliers, purchase
// receipts and stock put back by cancelled sales.
bool ConceptoDeDocumento(qint64 concepto) {
  switch (concepto) {
    case ConceptoVentaFactura:
    case ConceptoDevolucionProveedor:
    case ConceptoVentaRemision:
    case ConceptoCompra:
    case ConceptoCancelacionVenta:
      return true;
    default:
      return false;
  }
}

// A date as a day number; a blank one is day 0.
double DiaDe(const db::Campo& fecha) {
  const QDate d = fecha.IsNull() ? QDate() : fecha.AsDate();
  return d.isValid() ? NumeroDeFecha(d) : 0;
}

// Shows a card of the product shown; the stock it answers after "Ajustar
// Inv." becomes the product's EXIST_I (its totals row is not touched).
void TarjetaDelProducto(TFormaInventario& f,
                               const std::function<QString(const QString& clave, const QString& existencia)>& tarjeta) {
  db::Tabla& t = *f.TablaInventario;
  try {
    const QString final = tarjeta(t.FieldByName(QStringLiteral("CLPRO_I")).AsString(), f.EditEXIST_I->text());
    if (!final.isEmpty()) FijaExistencia(t, final);
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
  }
  f.MuestraProducto();
}

}  // namespace

// --- Stock cards of the product shown.

void TFormaInventario::Kardex1Click() {
  if (!EnProducto()) return;
  if (LineaKardex(ConfKardexIntegral) == u"S") {
    TarjetaDelProducto(*this, [&](const QString& clave, const QString& existencia) {
      return MuestraKardexIntegral(ConsultaEspejoExistencia(CarpetasEmpresa(), clave), kOrdenEspejo, existencia,
                                   true);
    });
  } else if (LineaKardex(ConfIntegraMovimientos) == u"SI") {
    Kardexalterno1Click();
  } else {
    TarjetaDelProducto(*this, [&](const QString& clave, const QString& existencia) {
      return MuestraKardex(ConsultaTarjetaMovimientos(CarpetasEmpresa(), clave), kOrdenTarjeta, existencia);
    });
  }
}

void TFormaInventario::Neuvokardex1Click() {
  if (!EnProducto()) return;
  TarjetaDelProducto(*this, [&](const QString& clave, const QString& existencia) {
    return MuestraKardex(ConsultaTarjetaMovimientos(CarpetasEmpresa(), clave), kOrdenTarjeta, existencia);
  });
}

void TFormaInventario::Kardexalterno1Click() {
  if (!EnProducto()) return;
  db::Tabla& t = *TablaInventario;
  try {
    KardexAlternoProducto(t.FieldByName(QStringLiteral("CLPRO_I")).AsString(), EditEXIST_I->text(), t);
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
  }
  MuestraProducto();
}

// --- Every product: average cost and last use.

void TFormaInventario::AjustarCostoPromedio1Click() {
  if (!EnProducto()) return;
  if (!Administrador()) {
    MuestraMensaje(kSoloAdministrador);
    return;
  }
  const QScopedValueRollback<bool> marca(recorriendo_, true);
  const db::Carpetas empresa = CarpetasEmpresa();
  qint64 ultimo = 0;
  try {
    auto productos = ProductosDeVentana(false, true);
    const db::Campo& clave = productos->FieldByName(QStringLiteral("CLPRO_I"));
    db::Campo& promedio = productos->FieldByName(QStringLiteral("CPROM_I"));
    for (productos->First(); !productos->Eof(); productos->Next()) {
      const QString k = clave.AsString();
      try {
        QString costo;
        ElementoComa(CalculaCostoPromedio(ConsultaCostoPromedio(empresa, k), kOrdenTarjeta, QStringLiteral("promedio"),
                                          k) + u',',
                     2, costo);
        // A product without receipt rows (or only receipts without cost)
        // has no average to give: it keeps its own.
        if (!costo.isEmpty() && ValorReal(costo) > 0)
          CambiaFila(*productos, kRegistroEnUso, [&] { promedio.SetAsString(costo); });
      } catch (const std::exception&) {
        // A product whose average cannot be had keeps its own.
      }
      ultimo = productos->RecNo();
      EditCLPRO_I->setText(k);
      EditCLPRO_I->repaint();
    }
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
  }
  TerminaRecorrido(ultimo);
}

void TFormaInventario::ActualizarFechaUso1Click() {
  if (!EnProducto()) return;
  const QScopedValueRollback<bool> marca(recorriendo_, true);
  qint64 ultimo = 0;
  try {
    auto productos = ProductosDeVentana(false, true);
    const db::Campo& compra = productos->FieldByName(QStringLiteral("FEULC_I"));
    const db::Campo& venta = productos->FieldByName(QStringLiteral("FEULV_I"));
    db::Campo& uso = productos->FieldByName(QStringLiteral("HORAF_F"));
    // The later of the last purchase and the last sale.
    const auto ultimaFecha = [&] { return std::max(DiaDe(venta), DiaDe(compra)); };
    for (productos->First(); !productos->Eof(); productos->Next()) {
      ultimo = productos->RecNo();
      if (ultimaFecha() <= uso.AsFloat()) continue;
      try {
        // Decided again on the row as the lock reads it.
        CambiaFila(*productos, kRegistroEnUso, [&] {
          if (const double d = ultimaFecha(); d > uso.AsFloat()) uso.SetAsFloat(d);
        });
      } catch (const std::exception&) {
        // A product held by another station keeps its stamp until the next run.
      }
    }
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    TerminaRecorrido(ultimo);
    return;
  }
  TerminaRecorrido(ultimo);
  ui::MensajeSimple(QStringLiteral("Proceso Terminado..."));
}

// --- The cut of the movements.

void TFormaInventario::cortedeInventario1Click() {
  if (recorriendo_ || Editando()) return;
  if (!Administrador()) {
    MuestraMensaje(kSoloAdministrador);
    return;
  }
  // Taken for itself alone: no station posts or reads movements while
  // their rows go.
  db::Tabla movimientos;
  movimientos.SetExclusive(true);
  try {
    ApuntaTabla(movimientos, kMovimientosCorte);
    movimientos.Open();
  } catch (const plat::Error& e) {
    if (e.clase() == plat::Clase::EnUso)
      MuestraMensaje(QStringLiteral("La tabla ") + fs::Une(movimientos.Carpeta(), kMovimientosCorte) +
                     QStringLiteral(" está en uso en otra estación; no se borró ningún movimiento"));
    else
      ui::MuestraExcepcion(e);
    return;
  }
  const QScopedValueRollback<bool> marca(recorriendo_, true);
  {
    AvanceInventario avance(AvanceInventario::Entrada::Rechazada);
    qint64 borrados = 0;
    try {
      const qint64 n = movimientos.RecordCount();
      const db::Campo& concepto = movimientos.FieldByName(QStringLiteral("TIMOV_MI"));
      qint64 i = 0;
      for (movimientos.First(); !movimientos.Eof(); ++i) {
        if (ConceptoDeDocumento(concepto.AsInteger())) {
          movimientos.Delete();
          ++borrados;
        } else {
          movimientos.Next();
        }
        avance.Ventana().FijaAvance(static_cast<int>(100 * i / n));
        avance.Pasa();
      }
    } catch (const std::exception& e) {
      // The rows already deleted stay deleted.
      ui::MuestraExcepcion(e);
    }
    ui::MensajeSimple(QString::number(borrados) + QStringLiteral(" borrados"));
    movimientos.Close();
    avance.Ventana().FijaAvance(100);
  }
  repaint();
}
