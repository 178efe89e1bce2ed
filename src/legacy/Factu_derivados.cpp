// The legacy document window's derived documents (Generar and Registro):
// an invoice from the remission on screen (printed or not), a remission,
// order or return of the document on screen, the closing invoice of the
// remissions since a date, a document from a range of documents, an exact
// copy, a replay of a note, and the held sale. Each follows the sale
// screen's command of the same name with its dialogs and steps
// (salesdocs/), over this window's buffer files, loader and save.
//
// A derived document is marked into its origins only once it is saved: a
// load or a save that fails leaves the origins as they were, removes the
// provisional header the load posted when nothing of the save was written,
// and takes the window back to the document it showed.

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "legacy/Factu.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "pos/CaptuRap_comun.h"
#include "pos/EstadoComandos.h"
#include "foundation/UnidadTrabajo.h"
#include "salesdocs/BuferVenta.h"
#include "salesdocs/CopiaDocumento.h"
#include "salesdocs/FacturaCierre.h"
#include "salesdocs/FacturaRemision.h"
#include "salesdocs/RangoDocumentos.h"
#include "salesdocs/SinFacturar.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

db::Campo& FilaDerivados(db::Dataset& t, const char* campo) { return t.FieldByName(QString::fromLatin1(campo)); }

// The print format of the window set for one print and given back after.
class FormatoPrestado {
 public:
  FormatoPrestado(QString& ruta, const QString& prestado) : ruta_(ruta), anterior_(ruta) { ruta_ = prestado; }
  ~FormatoPrestado() { ruta_ = anterior_; }
  FormatoPrestado(const FormatoPrestado&) = delete;
  FormatoPrestado& operator=(const FormatoPrestado&) = delete;

 private:
  QString& ruta_;
  QString anterior_;
};

}  // namespace

void TFormaFactura::ConectaDerivadosFactura() {
  const std::pair<QAction*, void (TFormaFactura::*)()> comandos[] = {
      {Factura1, &TFormaFactura::Factura1Click},
      {FacturaeImprimir1, &TFormaFactura::FacturaeImprimir1Click},
      {Remisin1, &TFormaFactura::Remisin1Click},
      {Pedido1, &TFormaFactura::Pedido1Click},
      {Devolucin1, &TFormaFactura::Devolucin1Click},
      {FacturadeCierre1, &TFormaFactura::FacturadeCierre1Click},
      {RangodeDocumentos1, &TFormaFactura::RangodeDocumentos1Click},
      {CopiadeDocumento1, &TFormaFactura::CopiadeDocumento1Click},
      {Reproducir1, &TFormaFactura::Reproducir1Click},
      {VentaenEspera1, &TFormaFactura::VentaenEspera1Click},
  };
  for (const auto& [item, comando] : comandos) AsignaComando(item, this, [this, comando] { (this->*comando)(); });
}

// --- Shared steps.

TFormaFactura::VistaFactura TFormaFactura::VistaActualFactura() const {
  VistaFactura v;
  v.base = Base->currentText();
  v.carpeta = TablaFacturae->Carpeta();
  v.encabezado = TablaFacturae->NombreTabla();
  v.partidas = TablaFacturaD->NombreTabla();
  v.lineaFormato = EstadoFactura.LineaFormato;
  v.rutaFormato = EstadoFactura.RutaFormato;
  if (HayFila(*TablaFacturae)) v.numero = TablaFacturae->FieldByName(QStringLiteral("CLDOC_F")).AsInteger();
  return v;
}

void TFormaFactura::ConvierteFactura(QChar letra, QWidget* foco) {
  GuardaDocumentoEnBufer(u'C');
  CargaDocumentoDeBufer(letra);
  if (TablaDeta->Active()) TablaDeta->First();
  CalculaTotalesFactura();
  AbreCapturaFactura();
  foco->setFocus(Qt::OtherFocusReason);
  EstadoFactura.DocumentoNuevo = true;
  // A new, unsaved document: its save renumbers the header row the load
  // posted, which takes its totals now that it is in capture.
  ui::SetTag(BotonNuevo, 1);
  ui::SetTag(BotonCambios, 0);
  try {
    ActualizaTotalesEncabezado();
  } catch (const plat::Error&) {
    // The save writes them again.
  }
  HabilitaBotonesFactura(false, false, true, false, false, false, true);
  EditaFila(*TablaFacturae);
}

bool TFormaFactura::GuardaDerivadoFactura(QString& numero) {
  BotonGuardarClick();
  UnidadTrabajo* diario = nullptr;
  try {
    diario = DiarioFactura();
  } catch (const plat::Error&) {
  }
  if (ui::Tag(BotonNuevo) != 0 || EstadoFactura.DocumentoNuevo || (diario && diario->Pendiente())) return false;
  if (!HayFila(*TablaFacturae)) return false;
  numero = TablaFacturae->FieldByName(QStringLiteral("CLDOC_F")).AsString().trimmed();
  return !numero.isEmpty();
}

void TFormaFactura::DescartaDerivadoFactura(const VistaFactura& vista) {
  // A save begun and stopped is finished by the next F10 or claim: its
  // document stays as the save left it.
  try {
    if (UnidadTrabajo* diario = DiarioFactura(); diario && diario->Pendiente()) return;
  } catch (const plat::Error&) {
  }
  db::Tabla& e = *TablaFacturae;
  try {
    if (Editando(e)) e.Cancel();
    // The provisional header of the load: the row of this document's
    // control, never the document the window showed.
    const bool otraTabla = e.NombreTabla() != vista.encabezado || e.Carpeta() != vista.carpeta;
    if (HayFila(e) && FilaDerivados(e, "CONTROL").AsInteger() == EstadoFactura.Control &&
        (otraTabla || FilaDerivados(e, "CLDOC_F").AsInteger() != vista.numero))
      e.Delete();
  } catch (const plat::Error&) {
    // What cannot be removed stays: a header without lines.
  }
  try {
    VaciaCapturaFactura();
  } catch (const plat::Error&) {
  }
  RegresaAVistaFactura(vista);
}

void TFormaFactura::RegresaAVistaFactura(const VistaFactura& vista) {
  ui::SetTag(Base, 0);
  ui::SetTag(BotonNuevo, 0);
  ui::SetTag(BotonCambios, 0);
  EstadoFactura.DocumentoNuevo = false;
  EstadoFactura.ConversionPorLista = false;
  try {
    if (TablaFacturae->NombreTabla() != vista.encabezado || TablaFacturae->Carpeta() != vista.carpeta ||
        !TablaFacturae->Active())
      AbreParFactura(vista.carpeta, vista.encabezado, vista.partidas);
    Base->setCurrentText(vista.base);
    EstadoFactura.LineaFormato = vista.lineaFormato;
    EstadoFactura.RutaFormato = vista.rutaFormato;
    if (TablaFacturae->FindKey({vista.numero}) || HayFila(*TablaFacturae)) MuestraDocumentoFactura();
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
  Navegador->setEnabled(true);
  HabilitaBotonesFactura(true, true, false, true, true, true, false);
  CierraCapturaFactura();
}

// --- Invoice from the remission on screen.

void TFormaFactura::Factura1Click() { FacturaDeRemisionFactura(false); }

void TFormaFactura::FacturaeImprimir1Click() { FacturaDeRemisionFactura(true); }

void TFormaFactura::FacturaDeRemisionFactura(bool imprime) {
  db::Tabla& e = *TablaFacturae;
  if (!HayFila(e)) return;
  if (!ConfirmaGenerarFactura(this)) return;
  if (!FilaDerivados(e, "REMIS_F").AsString().trimmed().isEmpty()) {
    MuestraMensaje(kDocumentoYaFacturado);
    return;
  }
  db::Tabla& clientes = *TablaCliente;
  if (clientes.Active()) clientes.SetIndexName(QStringLiteral("ICLACLI"));
  if (!clientes.Active() || !clientes.FindKey({EditCLCLI_F->text()})) {
    MuestraMensaje(kClienteNoExisteFactura);
    return;
  }
  MuestraClienteFactura(*this, clientes);
  const VistaFactura vista = VistaActualFactura();
  const qint64 remision = vista.numero;
  EstadoFactura.DocumentoOrigen = CodigoOrigen(Base->currentText(), EditCLDOC_F->text());
  EstadoFactura.ConversionPorLista = false;
  // Saved with the letter "Z": the stock and movements left with the
  // remission.
  ui::SetTag(Base, 1);
  if (!DerivaFactura(u'F', EditCLCLI_F)) return;
  // The remission is marked by the save once the invoice stands.
  remisionFacturada_ = CarpetaDeTabla(QStringLiteral("Remision.dbf")) + u'\n' + QString::number(remision);
  QString factura;
  const bool guardada = GuardaDerivadoFactura(factura);
  remisionFacturada_.clear();
  if (!guardada) {
    DescartaDerivadoFactura(vista);
    return;
  }
  if (imprime) {
    const FormatoPrestado formato(EstadoFactura.RutaFormato,
                                  CarpetaPrograma(QStringLiteral("\\consulta\\")) + LineaConf(ConfFormatoFactura));
    ImprimeDocumentoFactura();
  }
  // Back on the remissions, in their folder (configuration line 63 when
  // set), showing the remission marked.
  Base->setCurrentText(kBaseRemision);
  BaseChange();
  EstadoFactura.LineaFormato = vista.lineaFormato;
  EstadoFactura.RutaFormato = vista.rutaFormato;
  if (TablaFacturae->FindKey({remision})) MuestraDocumentoFactura();
}

void TFormaFactura::MarcaRemisionDeFactura(const QString& remision, const QString& factura) {
  const QString numero = remision.section(u'\n', 1);
  try {
    db::Tabla e;
    ApuntaTabla(e, QStringLiteral("Remision.dbf"));
    e.SetIndexName(QStringLiteral("INUMENC"));
    e.Open();
    MarcaRemisionFacturada(e, numero.toLongLong(), (QStringLiteral("F") + factura).left(8));
    db::Tabla l;
    ApuntaTabla(l, QStringLiteral("RemisioD.dbf"));
    l.SetIndexName(QStringLiteral("CLDOC_FD"));
    l.Open();
    MarcaPartidasFactura(l, numero, QStringLiteral("F"));
  } catch (const std::exception& error) {
    MuestraMensaje(QStringLiteral("La Factura %1 se guardó, pero la remisión %2 no se pudo marcar como facturada: ")
                       .arg(factura, numero) +
                   plat::TextoError(error));
  }
}

void TFormaFactura::MarcaCierreDeFactura(const QString& remisiones, const QString& factura) {
  QList<qint64> numeros;
  for (const QString& n : remisiones.section(u'\n', 1).split(u',', Qt::SkipEmptyParts)) numeros << n.toLongLong();
  try {
    MarcaRemisionesCierre(remisiones.section(u'\n', 0, 0), numeros, factura);
  } catch (const std::exception& error) {
    MuestraMensaje(QStringLiteral("La Factura %1 se guardó, pero sus remisiones no se pudieron marcar como facturadas: ")
                       .arg(factura) +
                   plat::TextoError(error));
  }
}

// --- Remission, order, return.

bool TFormaFactura::DerivaFactura(QChar letra, QWidget* foco) {
  const VistaFactura vista = VistaActualFactura();
  try {
    ConvierteFactura(letra, foco);
  } catch (const std::exception& error) {
    ui::MuestraExcepcion(error);
    DescartaDerivadoFactura(vista);
    return false;
  }
  return true;
}

void TFormaFactura::Remisin1Click() {
  EstadoFactura.DocumentoOrigen = CodigoOrigen(Base->currentText(), EditCLDOC_F->text());
  DerivaFactura(u'R', EditCLCLI_F);
}

void TFormaFactura::Pedido1Click() {
  EstadoFactura.DocumentoOrigen = CodigoOrigen(Base->currentText(), EditCLDOC_F->text());
  DerivaFactura(u'P', EditCLCLI_F);
}

void TFormaFactura::Devolucin1Click() {
  EstadoFactura.ConversionPorLista = false;
  EstadoFactura.DocumentoOrigen = CodigoOrigen(Base->currentText(), EditCLDOC_F->text());
  DerivaFactura(u'D', EditCLCLI_F);
}

// --- Closing invoice.

void TFormaFactura::FacturadeCierre1Click() {
  EstadoFactura.UltimoFolio = 0;
  EstadoFactura.ConversionPorLista = false;
  QString textoInicio;
  const std::optional<QDate> inicio = PideInicioCierre(this, textoInicio);
  if (!inicio) return;
  // The remissions are read where the remission kind keeps them.
  if (Base->currentText() != kBaseRemision) {
    Base->setCurrentText(kBaseRemision);
    BaseChange();
  }
  const VistaFactura vista = VistaActualFactura();
  QList<qint64> numeros;
  try {
    numeros = RemisionesDelPeriodo(vista.carpeta, *inicio, vista.encabezado);
    if (!numeros.isEmpty()) CargaPartidasCierre(numeros.first(), numeros.last());
  } catch (const std::exception& error) {
    // A period not read whole makes no invoice.
    ui::MuestraExcepcion(error);
    RegresaAVistaFactura(vista);
    return;
  }
  if (numeros.isEmpty() || !TablaDeta->Active() || TablaDeta->IsEmpty()) {
    MuestraMensaje(kSinPartidasCierre);
    RegresaAVistaFactura(vista);
    return;
  }

  // The invoice's header data, put in the edits only (the remission shown
  // is not touched): customer "100", the last seller, the period's start as
  // its date, the default tax and no discount.
  EstadoFactura.ListaPrecio = 0;
  Hora->setText(TextoHora(fs::Ahora().time()));
  for (QLabel* l : {Nombre, Direccion, Direc2, Poblacion, RFC, CodigoPostal}) l->clear();
  EditCLCLI_F->setText(QStringLiteral("100"));
  EditCLVEN_F->setText(EstadoFactura.UltimoVendedor);
  EditFEDOC_F->setText(textoInicio);
  EditIMIM1_F->setText(TextoReal(ValorNumerico(LineaConf(ConfIva))));
  EditDESFI_F->setText(QStringLiteral("0"));
  EstadoFactura.DocumentoOrigen = OrigenCierre(numeros);
  ui::SetTag(Base, 1);
  if (!DerivaFactura(u'F', EditCLCLI_F)) return;
  // The remissions are marked by the save once the invoice stands.
  QStringList lista;
  for (const qint64 n : numeros) lista << QString::number(n);
  remisionesCierre_ = vista.carpeta + u'\n' + lista.join(u',');
  QString factura;
  const bool guardada = GuardaDerivadoFactura(factura);
  remisionesCierre_.clear();
  if (!guardada) {
    DescartaDerivadoFactura(vista);
    return;
  }
  // The invoice is still on screen: it is what gets printed.
  if (PreguntaImprimirCierre(this)) {
    const FormatoPrestado formato(EstadoFactura.RutaFormato, FormatoFacturaCierre());
    ImprimeDocumentoFactura();
  }
  RegresaAVistaFactura(vista);
}

// --- Document from a range.

void TFormaFactura::RangodeDocumentos1Click() {
  EstadoFactura.MovimientoReutilizado = 0;
  const std::optional<EleccionRango> eleccion = PideRangoDocumentos(this, Base->currentText());
  if (!eleccion) return;
  // The range's live lines counted where the load takes them from, before
  // anything is written: a range that yields too few starts no document.
  int vivas = 0;
  try {
    vivas = CuentaPartidasDeRango(CarpetaDeTabla(TablaFacturaD->NombreTabla()), TablaFacturaD->NombreTabla(),
                                  eleccion->rango);
  } catch (const std::exception& error) {
    ui::MuestraExcepcion(error);
    return;
  }
  if (vivas < 2) {
    MuestraMensaje(kSinDocumentosRango);
    return;
  }
  EstadoFactura.ListaOrigen = eleccion->rango;
  EstadoFactura.DocumentoOrigen = CodigoOrigen(QString(eleccion->letra), EditCLDOC_F->text());
  EstadoFactura.LetraOrigen = Base->currentText().left(8);
  EstadoFactura.ConversionPorLista = true;
  ui::SetTag(Base, 1);
  DerivaFactura(eleccion->letra, EditCLDOC_F);
}

// --- Copy and replay.

void TFormaFactura::CopiadeDocumento1Click() {
  if (!HayFila(*TablaFacturae) || !ConfirmaCopiaDocumento(this, EditCLDOC_F->text())) return;
  EstadoFactura.MovimientoReutilizado = 0;
  EstadoFactura.ConversionPorLista = false;
  EstadoFactura.DocumentoOrigen = CodigoOrigen(Base->currentText(), EditCLDOC_F->text());
  DerivaFactura(u'R', EditCLDOC_F);
}

void TFormaFactura::Reproducir1Click() {
  if (!HayFila(*TablaFacturae)) return;
  EstadoFactura.DocumentoOrigen = CodigoOrigen(Base->currentText(), EditCLDOC_F->text());
  if (!DerivaFactura(u'R', EditCLCLI_F)) return;
  // Ready to be completed as a new note of today.
  EstadoFactura.ImporteAnterior = Dinero();
  AbreDocumentoNuevoFactura();
  EditCLCLI_F->setFocus(Qt::OtherFocusReason);
  QDate fecha;
  if (LeeFecha(EditFEDOC_F->text(), fecha)) TablaFacturae->FieldByName(QStringLiteral("FEDOC_F")).SetAsDate(fecha);
  TipoPago->setCurrentIndex(-1);
  IniciaCapturaFactura();
  Base->setCurrentText(kBaseRemision);
}

// --- Held sale.

void TFormaFactura::VentaenEspera1Click() {
  // The user and the capture table this window claimed, for the held-sale
  // program; a file that cannot be written stops it here.
  EscribeMultiDat({usuario->text(), TablaDeta->NombreTabla().section(u'.', 0, 0)});
  ArrancaVentaEnEspera();
}
