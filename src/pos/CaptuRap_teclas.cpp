// The sale screen's keys: who gets a key (the rule is written in
// CaptuRap.h), the key map of FormKeyDown, the focus movement of Enter,
// Down and Up, the handlers of the header's fields, the grid's display and
// its typed letters, and the printing shortcuts Ctrl+F1 to Ctrl+F6.

#include "formats/ImporteLetra.h"
#include "foundation/BotonEsquinado.h"
#include "formats/Interprete.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_texto.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/ImpresionVenta.h"
#include "pos/TeclasVenta.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

namespace {

bool EsEnter(int tecla) { return tecla == Qt::Key_Return || tecla == Qt::Key_Enter; }

}  // namespace

void TFormaCapturaRapida::ConectaTeclas() {
  // The focus movement is FormKeyDown's (MueveFocoPorTecla), after the rule
  // of who gets the key.
  SetMueveFocoConTeclas(false);
  atajosMenu_ = AtajosDeMenu(*MainMenu1);
  for (QWidget* control : {static_cast<QWidget*>(EditClave), static_cast<QWidget*>(EditEmpaque),
                           static_cast<QWidget*>(Detalle), static_cast<QWidget*>(CAMBIO_F)})
    control->installEventFilter(this);

  const auto entra = [this](QWidget* campo, std::function<void()> tambien = {}) {
    ui::Conecta(&ui::Eventos::De(campo), &ui::Eventos::Enter, this, [this, campo, tambien] {
      ResaltaCampo(campo);
      if (tambien) tambien();
    });
  };
  const auto sale = [this](QWidget* campo, std::function<void()> tambien = {}) {
    ui::Conecta(&ui::Eventos::De(campo), &ui::Eventos::Exit, this, [this, campo, tambien] {
      RestauraColorCampo(campo);
      if (tambien) tambien();
    });
  };
  for (QWidget* campo : {static_cast<QWidget*>(EditCLDOC_F), static_cast<QWidget*>(EditCTOVE_F),
                         static_cast<QWidget*>(EditCLCLI_F), static_cast<QWidget*>(EditCLVEN_F),
                         static_cast<QWidget*>(EditBCLIM_F), static_cast<QWidget*>(EditIMIM1_F)}) {
    sale(campo);
  }
  for (QWidget* campo : {static_cast<QWidget*>(EditCLDOC_F), static_cast<QWidget*>(EditCTOVE_F),
                         static_cast<QWidget*>(EditCLCLI_F), static_cast<QWidget*>(EditCLVEN_F),
                         static_cast<QWidget*>(EditDESFI_F)}) {
    entra(campo);
  }
  entra(EditBCLIM_F, [this] {
    EscribeEncabezado(EditBCLIM_F, CajaActual);
    if (EditCLVEN_F->text().isEmpty() && !VendedorCaja.isEmpty()) EscribeEncabezado(EditCLVEN_F, VendedorCaja);
  });
  entra(EditIMIM1_F, [this] { EscribeEncabezado(EditIMIM1_F, TextoReal(TasaIvaVenta)); });
  sale(EditDESFI_F, [this] {
    if (BoronDescuento->isVisibleTo(this)) EditDESFI_F->setReadOnly(true);
  });
  // The hidden time field acts on the date too.
  for (QWidget* fecha : {static_cast<QWidget*>(EditFEDOC_F), static_cast<QWidget*>(HoraExtra)}) {
    ui::Eventos& eventos = ui::Eventos::De(fecha);
    ui::Conecta(&eventos, &ui::Eventos::Enter, this, [this] { EditFEDOC_FEnter(); });
    ui::Conecta(&eventos, &ui::Eventos::Exit, this, [this] { ValidaFecha(); });
    ui::Conecta(&eventos, &ui::Eventos::KeyDown, this, [this](int& tecla, Qt::KeyboardModifiers) {
      if (EsEnter(tecla) || tecla == Qt::Key_Down) ValidaFecha();
    });
  }
  ui::Conecta(&ui::Eventos::De(EditIMIM1_F), &ui::Eventos::KeyDown, this,
              [this](int& tecla, Qt::KeyboardModifiers) { EditIMIM1_FKeyDown(tecla); });
  ui::Conecta(&ui::Eventos::De(EditDESFI_F), &ui::Eventos::KeyDown, this,
              [this](int& tecla, Qt::KeyboardModifiers) { EditDESFI_FKeyDown(tecla); });
  OrdenEncabezado();

  Detalle->TextoCelda = [this](const db::Campo& campo, const QVariant& valor, const QString& texto) {
    return TextoCeldaDetalle(campo, valor, texto);
  };
}

void TFormaCapturaRapida::OrdenEncabezado() {
  QWidget* const orden[] = {EditCLDOC_F, EditCLCLI_F, EditCLVEN_F, EditCTOVE_F, EditBCLIM_F, EditFEDOC_F,
                            EditIMIM1_F, EditDESFI_F, EditCantidad, EditClave, EditTARA, EditEmpaque,
                            BotonTerminaVenta, BotonAgregarPartida, BotonNuevaVenta, TipoPago, EditCUENTA,
                            BoronDescuento, CAMBIO_F, Detalle};
  for (std::size_t i = 1; i < std::size(orden); ++i) setTabOrder(orden[i - 1], orden[i]);
}

// --- Who gets a key.

bool TFormaCapturaRapida::TeclaDelControl(int tecla) const {
  if (tecla == Qt::Key_F3 && Capturando())
    return EnfocadoEn(EditClave) || EnfocadoEn(EditEmpaque) || (EnfocadoEn(Detalle) && EmpaqueVisible());
  return (EsEnter(tecla) || tecla == Qt::Key_F6) && EnfocadoEn(CAMBIO_F);
}

bool TFormaCapturaRapida::TeclaDeMenu(int tecla, Qt::KeyboardModifiers shift) const {
  return EsAtajoDeMenu(atajosMenu_, tecla, shift);
}

// --- The key map.

void TFormaCapturaRapida::FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) {
  if (TeclaDelControl(tecla) || TeclaDeMenu(tecla, shift)) return;
  const bool soloCtrl = SoloCtrl(shift);
  // The phase: "Nueva (F9)" usable means no capture is in progress.
  const bool sinCaptura = Permitido(BotonRedondo1);
  // End, Ctrl+A and Ctrl+S move the header table and show its row.
  if (tecla == Qt::Key_End && sinCaptura && TablaFacturae->Active()) {
    TablaFacturae->Last();
    MuestraDocumento();
  }
  if (tecla == Qt::Key_PageUp) ui::Protege([this] { LeerPeso1Click(); });
  if (soloCtrl && (tecla == Qt::Key_A || tecla == Qt::Key_S) && sinCaptura && !UsuarioRestringido &&
      TablaFacturae->Active()) {
    if (tecla == Qt::Key_A) TablaFacturae->Prior();
    else TablaFacturae->Next();
    MuestraDocumento();
  }
  if (tecla == Qt::Key_F4) EditCantidad->setFocus(Qt::OtherFocusReason);
  if (tecla == Qt::Key_F6 && !sinCaptura) EliminaPartida();
  if (tecla == Qt::Key_F7 && (ui::Tag(BotonNuevo) == 1 || ui::Tag(BotonCambios) == 1)) CalculaPorImporte();
  // The type and the amount are entered as by Tab: their text selected, so
  // what is typed replaces it.
  if (tecla == Qt::Key_F8) TipoPago->setFocus(Qt::TabFocusReason);
  if (tecla == Qt::Key_F5) CAMBIO_F->setFocus(Qt::TabFocusReason);
  if (soloCtrl) {
    try {
      QAction* const atajos[] = {CtrlF11, CtrlF21, nullptr, CtrlF41, CtrlF51, CtrlF61};
      if (tecla >= Qt::Key_F1 && tecla <= Qt::Key_F6) {
        if (QAction* atajo = atajos[tecla - Qt::Key_F1]) ImprimeConFormato(FormatoDeAtajo(atajo->text()));
      }
    } catch (const std::exception&) {
    }
    if (tecla == Qt::Key_F3 && EmpaqueVisible()) {
      if (HayFila(*TablaDeta)) LabelFactor->setText(Partida("FACTOR").AsString());
      EditEmpaque->setFocus(Qt::OtherFocusReason);
    }
    if (tecla == Qt::Key_F12) {
      Detalle->SetSelectedIndex(0);
      Detalle->setFocus(Qt::OtherFocusReason);
    }
  }
  MueveFocoPorTecla(tecla);
}

void TFormaCapturaRapida::MueveFocoPorTecla(int tecla) {
  if (EsEnter(tecla) || tecla == Qt::Key_Down) focusNextPrevChild(true);
  else if (tecla == Qt::Key_Up) focusNextPrevChild(false);
}

// --- Printing with a shortcut's format.

void TFormaCapturaRapida::ImprimeConFormato(const QString& formato) {
  ::ImprimeConFormato(formato, TablaFacturae, TablaDeta, usuario->text());
}

// --- The header's fields.

void TFormaCapturaRapida::ResaltaCampo(QWidget* campo, ui::TColor color) { colorCampo_ = PintaCampo(campo, color); }

void TFormaCapturaRapida::RestauraColorCampo(QWidget* campo) { ::RestauraColorCampo(campo, colorCampo_); }

void TFormaCapturaRapida::EscribeEncabezado(ui::EditDatos* caja, const QString& valor) {
  // The header box can be entered only during a capture, whose header row
  // is the document being captured (the totals may have posted it).
  if (!Permitido(BotonRedondo2) || !HayFila(*TablaFacturae)) return;
  EditaFila(*TablaFacturae);
  TablaFacturae->FieldByName(caja->Campo()).SetAsString(valor);
}

void TFormaCapturaRapida::EditFEDOC_FEnter() {
  ResaltaCampo(EditFEDOC_F);
  EditFEDOC_F->setText(TextoFecha(fs::Hoy()));
}

void TFormaCapturaRapida::ValidaFecha() {
  RestauraColorCampo(EditFEDOC_F);
  if (!FechaValida(EditFEDOC_F->text())) EditFEDOC_F->setText(TextoFecha(fs::Hoy()));
}

void TFormaCapturaRapida::EditIMIM1_FKeyDown(int& tecla) {
  if (!EsEnter(tecla) && tecla != Qt::Key_Down) return;
  if (!EditDESFI_F->isEnabled()) (IniciaenClave1->isChecked() ? EditClave : EditCantidad)->setFocus(Qt::OtherFocusReason);
}

void TFormaCapturaRapida::EditDESFI_FKeyDown(int& tecla) {
  if (!EsEnter(tecla)) return;
  if (!EditDESFI_F->text().isEmpty()) CalculaTotales();
  Detalle->setFocus(Qt::OtherFocusReason);
  (IniciaenClave1->isChecked() ? EditClave : EditCantidad)->setFocus(Qt::OtherFocusReason);
}

// --- The grid.

QString TFormaCapturaRapida::TextoCeldaDetalle(const db::Campo& campo, const QVariant& valor,
                                               const QString& texto) const {
  return TextoCeldaCaptura(campo, valor, texto, Conf.DigitosCantidad, MascaraCantidad);
}
