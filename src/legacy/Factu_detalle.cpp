// The legacy window's grid and line-capture keys: Enter walking the grid's
// columns, the lookups of F1 and F2, F3 to fill a line again or to reach
// the packages, F12 back to the grid; the quantity, key, package and tare
// edits; the amount of a line once its price is left; totals after a line
// is deleted. What both sale windows do alike is pos/CapturaLineas.h.

#include "foundation/dialogos.h"
#include "foundation/rutinas_numero.h"
#include "legacy/Factu.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/AyudaCampos.h"
#include "platform/ui/Eventos.h"
#include "pos/CaptuRap_comun.h"
#include "pos/EstadoComandos.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

constexpr int kColumnaPrecio = 3;

bool EsEnter(int tecla) { return tecla == Qt::Key_Return || tecla == Qt::Key_Enter; }

}  // namespace

void TFormaFactura::ConectaDetalleFactura() {
  lineas_ = CapturaLineas({this, Detalle, TablaDeta, TablaInventario, EditCantidad, EditClave, EditTARA, EditEmpaque,
                           LabelFactor, CAMBIO_F},
                          [this] { return EstadoFactura.IniciaEnClave; }, [this] { DetalleColEnter(); });
  // Aqua while they have the focus, white again when they lose it.
  const QColor aqua = ui::ColorQt(ui::clAqua, EditClave->palette());
  for (QWidget* caja : {EditCantidad, EditClave, EditEmpaque}) ui::ResaltaAlEnfocar(caja, aqua);
  const auto teclas = [this](QWidget* caja, void (TFormaFactura::*manejador)(int&)) {
    ui::Conecta(&ui::Eventos::De(caja), &ui::Eventos::KeyDown, this,
                [this, manejador](int& tecla, Qt::KeyboardModifiers) { (this->*manejador)(tecla); });
  };
  ui::Conecta(&ui::Eventos::De(EditCantidad), &ui::Eventos::Enter, this, [this] { EditCantidadEnter(); });
  teclas(EditCantidad, &TFormaFactura::EditCantidadKeyDown);
  teclas(EditClave, &TFormaFactura::EditClaveKeyDown);
  teclas(EditEmpaque, &TFormaFactura::EditEmpaqueKeyDown);
  ui::Conecta(&ui::Eventos::De(EditEmpaque), &ui::Eventos::Exit, this, [this] { EditEmpaqueExit(); });
  ui::Conecta(&ui::Eventos::De(EditTARA), &ui::Eventos::KeyDown, this, [this](int& tecla, Qt::KeyboardModifiers) {
    if (!EsEnter(tecla)) return;
    tecla = 0;
    PosicionaClaveFactura();
  });

  teclas(Detalle, &TFormaFactura::DetalleKeyDown);
  ui::Conecta(&ui::Eventos::De(Detalle), &ui::Eventos::Enter, this, [this] { DetalleEnter(); });
  ui::Conecta(Detalle, &ui::RejillaDatos::ColExit, this, [this] { DetalleColExit(); });
  lineas_.ConectaRejilla(this);
  // A deleted line leaves the totals of the document being captured.
  TablaDeta->AfterDelete = [this](db::Dataset&) {
    if (!ComandoPermitido(BotonNuevaVenta)) CalculaTotalesFactura();
  };
  AsignaComando(BotonAgregarPartida, this, [this] { BotonAgregarPartidaClick(); });
}

bool TFormaFactura::CapturandoFactura() const { return Detalle->isEnabled() && DocumentoEnCursoFactura(); }

bool TFormaFactura::DocumentoEnCursoFactura() const {
  return ui::Tag(BotonNuevo) == 1 || ui::Tag(BotonCambios) == 1;
}

// --- The grid.

void TFormaFactura::DetalleKeyDown(int& tecla) {
  if (!CapturandoFactura()) return;
  switch (tecla) {
    case Qt::Key_F2:
      tecla = 0;
      lineas_.BuscaEnCatalogo(1, true);
      EditClave->setFocus(Qt::OtherFocusReason);
      break;
    case Qt::Key_F4:
      tecla = 0;
      Detalle->SetSelectedIndex(0);
      break;
    default:
      lineas_.TeclaRejilla(tecla);
      break;
  }
}

void TFormaFactura::DetalleEnter() {
  Detalle->SetSelectedIndex(0);
  if (!TablaDeta->Active()) return;
  lineas_.MuestraFactor();
  // Only a document being captured takes a first row.
  if (CapturandoFactura()) lineas_.PrimeraPartida();
}

void TFormaFactura::DetalleColExit() {
  if (Detalle->SelectedIndex() != kColumnaPrecio || !CapturandoFactura() || !HayFila(*TablaDeta)) return;
  lineas_.ImporteDePartida();
}

// --- The capture edits.

void TFormaFactura::EditCantidadEnter() {
  if (Detalle->SoloLectura() && (ui::Tag(BotonNuevo) == 1 || ui::Tag(BotonCambios) == 1)) {
    Detalle->SetSoloLectura(false);
    EditCantidad->setReadOnly(false);
    EditClave->setReadOnly(false);
  }
}

void TFormaFactura::EditCantidadKeyDown(int& tecla) {
  if (EsEnter(tecla)) {
    tecla = 0;
    lineas_.AceptaCantidad();
  } else if (tecla == Qt::Key_F12) {
    tecla = 0;
    Detalle->SetSelectedIndex(0);
    Detalle->setFocus(Qt::OtherFocusReason);
  }
}

void TFormaFactura::EditClaveKeyDown(int& tecla) {
  switch (tecla) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      tecla = 0;
      // Products of the configured kind take a tare before their line.
      if (EstadoFactura.TaraEspecial)
        EditTARA->setVisible(lineas_.TaraDeClave(EstadoFactura.CampoTara, EstadoFactura.ValorTara).value_or(false));
      if (EditTARA->isVisibleTo(this)) EditTARA->setFocus(Qt::OtherFocusReason);
      else PosicionaClaveFactura();
      break;
    case Qt::Key_F1:
    case Qt::Key_F2:
      lineas_.BuscaEnCatalogo(tecla == Qt::Key_F1 ? 2 : 1, true);
      tecla = 0;
      lineas_.EnfocaCaptura();
      break;
    case Qt::Key_F3:
      tecla = 0;
      if (Editando(*TablaDeta)) {
        TablaDeta->Post();
        TablaDeta->Edit();
      }
      lineas_.RepitePartida();
      break;
    case Qt::Key_F12:
      tecla = 0;
      Detalle->SetSelectedIndex(0);
      Detalle->setFocus(Qt::OtherFocusReason);
      break;
    default:
      break;
  }
}

void TFormaFactura::PosicionaClaveFactura() { lineas_.PosicionaClave(); }

void TFormaFactura::EditEmpaqueExit() {
  double factor = 0;
  if (!LeeReal(LabelFactor->text(), factor)) return;
  if (factor > 0) lineas_.EmpaqueACantidad();
  else MuestraMensaje(QStringLiteral("Falta la Unidad de Empaque"));
}

void TFormaFactura::EditEmpaqueKeyDown(int& tecla) {
  switch (tecla) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      tecla = 0;
      lineas_.CierraEmpaque([this] { NuevaPartidaFactura(); });
      // The next line starts at one unit per package; filling this one
      // again showed its product's factor.
      LabelFactor->setText(QStringLiteral("1"));
      break;
    case Qt::Key_F2:
      tecla = 0;
      lineas_.BuscaEnCatalogo(1, true);
      lineas_.EnfocaCaptura();
      break;
    case Qt::Key_F3:
      tecla = 0;
      lineas_.EnfocaEmpaque();
      break;
    case Qt::Key_F4:
      tecla = 0;
      EditCantidad->setFocus(Qt::OtherFocusReason);
      break;
    case Qt::Key_F12:
      tecla = 0;
      Detalle->SetSelectedIndex(0);
      Detalle->setFocus(Qt::OtherFocusReason);
      break;
    default:
      break;
  }
}

void TFormaFactura::BotonAgregarPartidaClick() {
  if (CapturandoFactura() && lineas_.AgregaPartida()) lineas_.EnfocaCaptura();
}
