// Printing a sale: the document shown run through its print format
// (FormatoTicket) over the header table and the capture table, which holds
// the document's lines while it is shown; the print mark and the approval
// of reprints; the preview; a range of documents; choosing and designing the
// format; the picture of the screen.

#include "customers/ImpresionCatalogo.h"
#include "formats/ImporteLetra.h"
#include "formats/Interprete.h"
#include "formats/edicion.h"
#include "foundation/BotonEsquinado.h"
#include "foundation/ImprimeDocumento.h"
#include "foundation/adminis.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/Error.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/RejillaDatos.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/DocumentosVenta.h"
#include "pos/Efectivo.h"
#include "pos/ImpresionVenta.h"
#include "reports/DialogoImprimir.h"
#include "reports/Formatos.h"
#include "shell/LineasConfiguracion.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

#include <memory>

namespace {

QString Campo(const db::Tabla& t, const char* nombre) { return t.FieldByName(QString::fromLatin1(nombre)).AsString(); }

}  // namespace

void TFormaCapturaRapida::ConectaImpresion() {
  const auto item = [this](const char* nombre) {
    return MainMenu1->findChild<QAction*>(QString::fromLatin1(nombre));
  };
  for (QObject* imprimir : {static_cast<QObject*>(ImprimirDocumento1), static_cast<QObject*>(Imprimir1)})
    AsignaComando(imprimir, [this] { BotonImprimirClick(); });
  ui::Conecta(BotonImprimir, &QToolButton::clicked, this, [this] { BotonImprimirClick(); });
  AsignaComando(ImprimirRangodeDocumentos1, [this] { ImprimirRangodeDocumentos1Click(); });
  Preliminar1 = item("Preliminar1");
  AsignaComando(Preliminar1, [this] { Preliminar1Click(); });
  // The menu marks the item; the handler's toggle is the one that counts.
  ImprimirenArchivo1 = item("ImprimirenArchivo1");
  AsignaComando(ImprimirenArchivo1, [this] {
    ImprimirenArchivo1->setChecked(!ImprimirenArchivo1->isChecked());
    ImprimirenArchivo1Click();
  });
  AsignaComando(item("Elegirformato1"), [this] { Elegirformato1Click(); });
  AsignaComando(item("DisearFormato1"), [this] { DisearFormato1Click(); });
  AsignaComando(item("ImprimePlantilla1"), [this] { ImprimePlantilla1Click(); });
}

void TFormaCapturaRapida::PreparaImpresion(bool monedaVenta) {
  PreparaImpresionDocumento(usuario->text(), monedaVenta ? RutaDatosVenta : QString());
}

bool TFormaCapturaRapida::ImpresaOCancelada() const {
  return HayFila(*TablaFacturae) &&
         (Campo(*TablaFacturae, "TREGI_F") == kMarcaImpresa || Campo(*TablaFacturae, "STATU_F") == kEstadoCancelada);
}

bool TFormaCapturaRapida::AutorizaReimpresion() {
  auto clave = std::make_unique<TFormaAdministrador>(this);
  clave->ShowModal();
  // "Cancelar" gives up without a word.
  if (clave->Tag() == 2) return false;
  return TieneDerecho(ValidaClaveUsuario(clave->Clave->text()), DerechoReimprimir);
}

void TFormaCapturaRapida::BotonImprimirClick() {
  if (!BotonNuevo->isEnabled()) {
    ui::MensajeSimple(QStringLiteral("Para Imprimir tiene que Guardar el Documento..."));
    return;
  }
  if (ImprimirenArchivo1->isChecked()) {
    VistaPreviaDocumento();
    return;
  }
  if (!HayFila(*TablaFacturae)) return;
  LeeMarcasDocumento();
  if (ImpresaOCancelada() && !AutorizaReimpresion()) return;
  ImprimeDocumento();
}

void TFormaCapturaRapida::LeeMarcasDocumento() {
  // Another station may have printed or cancelled the document since it was
  // shown here: its marks are read again from the file.
  if (TablaFacturae->State() != db::Dataset::Estado::Navegando) return;
  try {
    TablaFacturae->Refresh();
  } catch (const plat::Error&) {
  }
}

void TFormaCapturaRapida::ImprimeDocumento() {
  // Nothing starts another document while the printer works.
  const bool detalle = Detalle->isEnabled();
  QObject* const nuevos[] = {BotonNuevaVenta, BotonRedondo1, Nuevo1};
  bool permitidos[3];
  for (int i = 0; i < 3; ++i) {
    permitidos[i] = Permitido(nuevos[i]);
    Permite(nuevos[i], false);
  }
  Detalle->setEnabled(false);
  const auto restaura = [&] {
    Detalle->setEnabled(detalle);
    for (int i = 0; i < 3; ++i) Permite(nuevos[i], permitidos[i]);
  };

  if (ImprimeYMarcaDocumento(FormatoTicket, *TablaFacturae, TablaDeta, usuario->text())) {
    Impresa->setText(TipoPago->currentText().isEmpty() ? QStringLiteral("Impresa") : QStringLiteral("Impresa PAGADA"));
    ImpresoBitmap->show();
  } else {
    MuestraEstadoDocumento();
  }
  restaura();
}

void TFormaCapturaRapida::VistaPrevia(bool monedaVenta) {
  if (!fs::ExisteArchivo(FormatoTicket)) {
    MuestraMensaje(AvisoFormatoNoExiste(FormatoTicket));
    return;
  }
  try {
    PreparaImpresion(monedaVenta);
    OpcionesVistaPrevia opciones;
    opciones.modo = ModoEdicion::VistaPrevia;
    opciones.ofreceImpresion = false;
    opciones.ventanaSinFormato = false;
    VistaPreviaFormato(TablaFacturae, TablaDeta, FormatoTicket, opciones);
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}

void TFormaCapturaRapida::VistaPreviaDocumento() { VistaPrevia(false); }

void TFormaCapturaRapida::Preliminar1Click() {
  if (!BotonNuevo->isEnabled()) {
    ui::MensajeSimple(QStringLiteral("Para Imprimir tiene que Guardar el Documento..."));
    return;
  }
  VistaPrevia(true);
}

void TFormaCapturaRapida::ImprimirenArchivo1Click() {
  ImprimirenArchivo1->setChecked(!ImprimirenArchivo1->isChecked());
}

void TFormaCapturaRapida::ImprimirRangodeDocumentos1Click() {
  if (!BotonNuevo->isEnabled()) {
    ui::MensajeSimple(QStringLiteral("Para Imprimir tiene que Guardar el Documento..."));
    return;
  }
  if (!TablaFacturae->Active()) return;
  LeeMarcasDocumento();
  if (ImpresaOCancelada() && !AutorizaReimpresion()) return;
  qint64 primera = 0, ultima = 0;
  if (!PideRangoNumeros(this, EditCLDOC_F->text(), primera, ultima)) return;
  // A missing format is told once, not once per document.
  if (!fs::ExisteArchivo(FormatoTicket)) {
    MuestraMensaje(AvisoFormatoNoExiste(FormatoTicket));
    return;
  }
  try {
    for (qint64 numero = primera; numero <= ultima; ++numero) {
      if (!TablaFacturae->FindKey({numero})) continue;
      MuestraDocumento();
      FijaUsuarioImpresion(usuario->text());
      EjecutaFormato(TablaFacturae, TablaDeta, FormatoTicket, u'i');
    }
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
  MuestraDocumento();
}

void TFormaCapturaRapida::Elegirformato1Click() { EligeFormato(FormatoTicket); }

void TFormaCapturaRapida::DisearFormato1Click() {
  TFormaFormatos dialogo;
  dialogo.Rangos->hide();
  dialogo.Formatos->show();
  dialogo.BotonEdicionClick();
}

void TFormaCapturaRapida::ImprimePlantilla1Click() {
  try {
    ImprimeVentana(grab().toImage(), size(), logicalDpiX(), windowTitle());
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}
