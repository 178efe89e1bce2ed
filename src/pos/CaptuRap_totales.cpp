// The totals and taxes of the sale on screen: the capture walked, the
// totals shown, written into the header and left in total.dat.

#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Forma.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/DocumentosVenta.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

const QString kMascaraTotal = QStringLiteral("##,##0.00");

QString Importe(Dinero valor) { return FormatoImporte(kMascaraTotal, valor.Texto()); }

// DECOT_F of the header row being written: 0 when empty.
void DescuentoTotalACero(db::Dataset& encabezado) {
  db::Campo& decot = encabezado.FieldByName(QStringLiteral("DECOT_F"));
  if (decot.IsNull()) decot.SetAsFloat(0);
}

}  // namespace

int TFormaCapturaRapida::CalculaTotales() {
  try {
    TotalizaCaptura();
    EscribeTotalesEncabezado(Totales);
    MuestraPartidas();
  } catch (const plat::Error&) {
    return LineasCaptura;
  }
  LabelFPGC->setText(QString::number(++CorridasTotales));
  return LineasCaptura;
}

void TFormaCapturaRapida::TotalizaCaptura() {
  ClavesCapturadas.clear();
  CantidadesCapturadas.clear();
  if (EditDESFI_F->text().isEmpty()) EditDESFI_F->setText(QStringLiteral("0"));
  if (Editando(*TablaDeta)) TablaDeta->Post();
  ReglasTotales reglas;
  reglas.impuestosIncluidos = Conf.ImpuestosPorPartida;
  reglas.digitosTotal = Conf.DigitosTotal;
  reglas.precioDesbloqueado = PrecioDesbloqueado;
  reglas.factorPrecio = FactorPrecioPago;
  reglas.descuentoDocumento = ValorNumerico(EditDESFI_F->text());
  reglas.tasaDocumento = ValorNumerico(EditIMIM1_F->text());
  Totales = CalculaTotalesCaptura(*TablaTotal, TablaInventario->Active() ? TablaInventario : nullptr, reglas);
  // The grid's cursor shows the rows as the walk left them.
  if (TablaDeta->State() == db::Dataset::Estado::Navegando) TablaDeta->Refresh();
  ImpuestoValor->setText(Importe(Totales.IvaVenta));
  TotalFact->setText(Importe(Totales.TotalVenta));
  SumarTotal->setText(Importe(Totales.SubtotalVenta));
  LabelDescuento->setText(Importe(Totales.DescuentoDocumento));
  EscribeTotalArchivo();
}

void TFormaCapturaRapida::MuestraPartidas() {
  LabelIEPS->setText(FormatoMascara(kMascaraTotal, Totales.IepsVenta));
  LabelPartidas->setText(QStringLiteral("Partidas  ") + QString::number(Totales.Partidas) +
                         QStringLiteral("  ARTICULOS ") + TextoReal(Totales.Articulos));
  LabelPartidas->adjustSize();
  LineasCaptura = Totales.Partidas;
}

void TFormaCapturaRapida::EscribeTotalesEncabezado(const TotalesVenta& t) {
  db::Tabla& encabezado = *TablaFacturae;
  const bool propio = !Editando(encabezado);
  try {
    if (TotalesDifieren(encabezado, t)) {
      ControlDocumento = NumeroControl();
      if (propio) encabezado.Edit();
      EscribeTotales(encabezado, t);
      encabezado.Post();
    }
    if (encabezado.FieldByName(QStringLiteral("DECOT_F")).IsNull()) {
      if (!Editando(encabezado)) encabezado.Edit();
      DescuentoTotalACero(encabezado);
      encabezado.Post();
    }
  } catch (...) {
    // An edit of our own is not left holding the row.
    if (propio && Editando(encabezado)) encabezado.Cancel();
    throw;
  }
}

bool TFormaCapturaRapida::DifiereCampo(const QString& campo, double valor) const {
  return ::DifiereCampo(*TablaFacturae, campo, valor);
}

bool TFormaCapturaRapida::HayEncabezado(qint64 numero) const {
  // Looked for in the file through a handle of its own: the screen's cursor
  // stays where it is.
  db::Tabla busca;
  busca.SetCarpeta(TablaFacturae->Carpeta());
  busca.SetNombreTabla(TablaFacturae->NombreTabla());
  busca.SetIndexName(QStringLiteral("INUMENC"));
  busca.SetReadOnly(true);
  busca.Open();
  return busca.FindKey({numero});
}

void TFormaCapturaRapida::InsertaEncabezadoFaltante(const QString& numero, int control) {
  const qint64 documento = numero.trimmed().toLongLong();
  if (HayEncabezado(documento)) return;
  // The totals first, while the screen still shows the document's discount
  // and tax rate (the new row has neither).
  TotalizaCaptura();
  GrabaFilaDocumento(*TablaFacturae, QStringLiteral("A"), true, [&](db::Dataset& e) {
    e.FieldByName(QStringLiteral("CLDOC_F")).SetAsInteger(documento);
    e.FieldByName(QStringLiteral("CONTROL")).SetAsInteger(control);
    const std::pair<const char*, QLabel*> cliente[] = {{"NOMBR_F", Nombre},   {"DIREC_F", Direccion},
                                                       {"DIRE2_F", Direc2},   {"POBLA_F", Poblacion},
                                                       {"RFCXX_F", RFC},      {"CPXXX_F", CodigoPostal}};
    for (const auto& [campo, etiqueta] : cliente) e.FieldByName(QString::fromLatin1(campo)).SetAsString(etiqueta->text());
    QDate fecha;
    LeeFecha(EditFEDOC_F->text(), fecha);
    e.FieldByName(QStringLiteral("FEDOC_F")).SetAsDate(fecha);
    e.FieldByName(QStringLiteral("FEENT_F")).SetAsDate(fecha);
    e.FieldByName(QStringLiteral("FEVEN_F")).SetAsDate(fecha);
    EscribeTotales(e, Totales);
    DescuentoTotalACero(e);
    e.FieldByName(QStringLiteral("HORAX_F")).SetAsFloat(NumeroFechaHora(fs::Ahora()));
    if (ui::Tag(BotonNuevo) == 1) e.FieldByName(QStringLiteral("TREGI_F")).Clear();
  });
  MuestraPartidas();
}

void TFormaCapturaRapida::EscribeTotalArchivo() { ::EscribeTotalArchivo(TotalFact->text()); }
