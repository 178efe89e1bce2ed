// The legacy document window's totals. Its formula is its own: the
// document discount comes off the subtotal before the tax; with taxes
// included in the prices (configuration line 33) a line's FPGC stays out of
// the base its tax is taken from; there is no IEPS. The rounding of the
// total, the control number, total.dat and the cent rounding are the sale
// screen's.

#include "legacy/Factu.h"

#include "foundation/rutinas_numero.h"
#include "inventory/CamposRegistro.h"
#include "platform/Error.h"
#include "pos/CaptuRap_comun.h"
#include "pos/DocumentosVenta.h"
#include "pos/ImportesVenta.h"
#include "pos/TotalesVenta.h"
#include "shell/LineasConfiguracion.h"

#include <QLabel>
#include <QLineEdit>

namespace {

const QString kMascaraTotal = QStringLiteral("##,##0.00");

Dinero Importe(const db::Campo& campo) { return registro::LeeImporte(campo).value_or(Dinero()); }

}  // namespace

void TFormaFactura::CalculaTotalesFactura() {
  EstadoFactura.ReservaClaves.clear();
  EstadoFactura.ReservaCantidades.clear();
  EstadoFactura.Subtotal = Dinero();
  EstadoFactura.ImpuestoAcumulado = 0;
  EstadoFactura.Costo = Dinero();
  EstadoFactura.Descuento = 0;
  EstadoFactura.Partidas = 0;
  try {
    if (EditDESFI_F->text().trimmed().isEmpty()) EditDESFI_F->setText(QStringLiteral("0"));
    const double descuento = ValorNumerico(EditDESFI_F->text());
    if (!TablaTotal->Active()) return;
    if (Editando(*TablaDeta)) TablaDeta->Post();
    db::Tabla& t = *TablaTotal;
    for (t.First(); !t.Eof(); t.Next()) {
      const double cantidad = t.FieldByName(QStringLiteral("CANTIDAD")).AsFloat();
      const Dinero importe = ImporteLinea(cantidad, Importe(t.FieldByName(QStringLiteral("PRECIO"))),
                                          t.FieldByName(QStringLiteral("DESCUENTO")).AsFloat());
      t.Edit();
      t.FieldByName(QStringLiteral("IMPORTE")).SetAsFloat(importe.Real());
      t.Post();
      EstadoFactura.Subtotal += importe;
      const double tasa = t.FieldByName(QStringLiteral("IMPUESTO")).AsFloat();
      if (EstadoFactura.ImpuestoIncluido) {
        const double fpgc = t.FieldByName(QStringLiteral("FPGC")).AsFloat();
        EstadoFactura.ImpuestoAcumulado += ImpuestoIncluido(importe.Real() - (fpgc > 0 ? fpgc : 0), tasa);
      } else {
        EstadoFactura.ImpuestoAcumulado += importe.Real() * tasa / 100;
      }
      EstadoFactura.Costo += Importe(t.FieldByName(QStringLiteral("COSTO"))) * cantidad;
      EstadoFactura.Descuento = descuento / 100 * EstadoFactura.Subtotal.Real();
      ++EstadoFactura.Partidas;
    }
    // The grid's cursor shows the amounts as the walk left them.
    if (TablaDeta->State() == db::Dataset::Estado::Navegando) TablaDeta->Refresh();
    if (EstadoFactura.ImpuestoIncluido) EstadoFactura.Subtotal -= Dinero::DeReal(EstadoFactura.ImpuestoAcumulado);
    EstadoFactura.Subtotal = ACentavos(EstadoFactura.Subtotal.Real());
    EstadoFactura.Subtotal -= PorcentajeACentavos(EstadoFactura.Subtotal, descuento);
    EstadoFactura.Subtotal = ACentavos(EstadoFactura.Subtotal.Real());
    const QString tasaDocumento = EditIMIM1_F->text().trimmed();
    const double tasa = ValorNumerico(tasaDocumento);
    EstadoFactura.Impuesto = !tasaDocumento.isEmpty() && tasa != 0 ? PorcentajeACentavos(EstadoFactura.Subtotal, tasa)
                                                           : ACentavos(EstadoFactura.ImpuestoAcumulado);
    ImpuestoValor->setText(FormatoImporte(kMascaraTotal, EstadoFactura.Impuesto.Texto()));
    EstadoFactura.Total = EstadoFactura.Subtotal + EstadoFactura.Impuesto;
    if (EstadoFactura.DigitosTotal > 0)
      EstadoFactura.Total = RedondeaTotal(EstadoFactura.DigitosTotal, EstadoFactura.Total);
    TotalFact->setText(FormatoImporte(kMascaraTotal, EstadoFactura.Total.Texto()));
    SumarTotal->setText(FormatoImporte(kMascaraTotal, EstadoFactura.Subtotal.Texto()));
    EscribeTotalDat();
    ActualizaTotalesEncabezado();
  } catch (const plat::Error&) {
    // A failed run ends here; what it computed stays.
  }
  // The amounts keep their right edge 5 pixels left of the captions
  // (FormResize).
  FormResize();
  LabelPartidas->setText(QStringLiteral("Partidas  ") + QString::number(EstadoFactura.Partidas));
}

void TFormaFactura::ActualizaTotalesEncabezado() {
  db::Tabla& e = *TablaFacturae;
  // A saved document shown keeps its header as its save wrote it, whatever
  // this window's formula makes of its lines.
  if (!HayFila(e) || !DocumentoEnCursoFactura()) return;
  // Values compared, not texts: a document whose totals did not change is
  // not written and keeps its CONTROL.
  if (Importe(e.FieldByName(QStringLiteral("IMTOD_F"))) == EstadoFactura.Total &&
      Importe(e.FieldByName(QStringLiteral("SUBTO_F"))) == EstadoFactura.Subtotal)
    return;
  EstadoFactura.Control = NumeroControlFactura();
  const bool propia = !Editando(e);
  EditaFila(e);
  try {
    e.FieldByName(QStringLiteral("SUBTO_F")).SetAsFloat(EstadoFactura.Subtotal.Real());
    e.FieldByName(QStringLiteral("DECOT_F")).SetAsFloat(EstadoFactura.Descuento);
    e.FieldByName(QStringLiteral("IMIM2_F")).SetAsFloat(EstadoFactura.Impuesto.Real());
    e.FieldByName(QStringLiteral("IMTOD_F")).SetAsFloat(EstadoFactura.Total.Real());
    e.FieldByName(QStringLiteral("COSTO_F")).SetAsFloat(EstadoFactura.Costo.Real());
    try {
      e.FieldByName(QStringLiteral("SALDO_F"))
          .SetAsFloat((EstadoFactura.Total - Importe(e.FieldByName(QStringLiteral("ABONO_F")))).Real());
    } catch (const plat::Error&) {
    }
    e.Post();
  } catch (...) {
    // An edit of our own does not keep the row held.
    if (propia && Editando(e)) e.Cancel();
    throw;
  }
}

int TFormaFactura::NumeroControlFactura() { return NumeroControl(); }

void TFormaFactura::EscribeTotalDat() { EscribeTotalArchivo(TotalFact->text()); }

void TFormaFactura::CargaImpuestoFactura() {
  EstadoFactura.TasaPredeterminada = ValorNumerico(LineaConf(ConfIva));
  if (!HayFila(*TablaFacturae)) return;
  EditaFila(*TablaFacturae);
  TablaFacturae->FieldByName(QStringLiteral("IMIM1_F")).SetAsFloat(EstadoFactura.TasaPredeterminada);
  TablaFacturae->FieldByName(QStringLiteral("DESFI_F")).SetAsFloat(0);
}
