// The legacy document window's header edits and its change field. The
// header is walked by position (CampoEncabezado, focused by
// EnfocaCampoFactura): 1 number, 2 seller, 3 customer, 4 register (the
// commission too), 5 date, 6 commission, 7 tax, 8 discount; the date leads
// into the line capture, so 6 to 8 are reached by clicking or with Up.

#include "customers/CONVEN.h"
#include "customers/Conclie.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "legacy/Factu.h"
#include "platform/Error.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/AyudaCampos.h"
#include "platform/ui/Eventos.h"
#include "pos/CaptuRap_comun.h"
#include "pos/TeclasVenta.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <functional>

namespace {

bool EsEnter(int tecla) { return tecla == Qt::Key_Return || tecla == Qt::Key_Enter; }

// Keeps the change field from giving its text to the header when the focus
// leaves it holding no amount: the field's own exit tells the cashier and
// takes the focus back.
class RetienePago : public QObject {
 public:
  explicit RetienePago(QLineEdit* campo) : QObject(campo), campo_(campo) { campo->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    return objeto == campo_ && evento->type() == QEvent::FocusOut && PagoNoNumerico(campo_->text());
  }

 private:
  QLineEdit* campo_;
};

}  // namespace

void TFormaFactura::ConectaEncabezadoFactura() {
  const auto entra = [this](QWidget* campo, std::function<void()> accion) {
    ui::Conecta(&ui::Eventos::De(campo), &ui::Eventos::Enter, this, std::move(accion));
  };
  const auto sale = [this](QWidget* campo, std::function<void()> accion) {
    ui::Conecta(&ui::Eventos::De(campo), &ui::Eventos::Exit, this, std::move(accion));
  };
  const auto tecla = [this](QWidget* campo, std::function<void(int&)> accion) {
    ui::Conecta(&ui::Eventos::De(campo), &ui::Eventos::KeyDown, this,
                [accion](int& t, Qt::KeyboardModifiers) { accion(t); });
  };
  // Lit at its own place, counted at a position.
  const auto enPosicion = [this](int propia, int posicion) {
    ResaltaCampoFactura(propia);
    EstadoFactura.CampoEncabezado = posicion;
  };

  entra(EditCLDOC_F, [enPosicion] { enPosicion(1, 1); });
  entra(EditCLVEN_F, [this] { EditCLVEN_FEnter(); });
  entra(EditCLCLI_F, [this] { EditCLCLI_FEnter(); });
  entra(EditBCLIM_F, [this] { EditBCLIM_FEnter(); });
  entra(EditCTOVE_F, [enPosicion] { enPosicion(6, 4); });
  entra(EditFEDOC_F, [this] { EditFEDOC_FEnter(); });
  entra(EditIMIM1_F, [this] { EditIMIM1_FEnter(); });
  entra(EditDESFI_F, [enPosicion] { enPosicion(8, 8); });

  for (int posicion : {1, 4, 6, 7, 8})
    sale(CampoDePosicion(posicion), [this, posicion] { RestauraCampoFactura(posicion); });
  sale(EditCLVEN_F, [this] { EditCLVEN_FExit(); });
  sale(EditFEDOC_F, [this] { EditFEDOC_FExit(); });
  // The customer's data come with its exit of the line capture
  // (EditCLCLI_FExit); its colour also returns when it was left unchanged.
  sale(EditCLCLI_F, [this] { RestauraCampoFactura(3); });

  for (QWidget* campo : {static_cast<QWidget*>(EditCLDOC_F), static_cast<QWidget*>(EditBCLIM_F),
                         static_cast<QWidget*>(EditCTOVE_F)})
    tecla(campo, [this](int& t) { NavegaEncabezado(t); });
  tecla(EditCLCLI_F, [this](int& t) { EditCLCLI_FKeyDown(t); });
  tecla(EditCLVEN_F, [this](int& t) { EditCLVEN_FKeyDown(t); });
  tecla(EditFEDOC_F, [this](int& t) { EditFEDOC_FKeyDown(t); });
  tecla(EditIMIM1_F, [this](int& t) { EditIMIM1_FKeyDown(t); });
  tecla(EditDESFI_F, [this](int& t) { EditDESFI_FKeyDown(t); });

  ui::ResaltaAlEnfocar(CAMBIO_F, ui::ColorQt(ui::clAqua, CAMBIO_F->palette()));
  new RetienePago(CAMBIO_F);
  entra(CAMBIO_F, [this] { CAMBIO_FEnter(); });
  sale(CAMBIO_F, [this] { CAMBIO_FExit(); });
  tecla(CAMBIO_F, [this](int& t) { CAMBIO_FKeyDown(t); });
}

void TFormaFactura::FijaCampoEncabezado(ui::EditDatos* campo, const QString& valor) {
  if (DocumentoEnCursoFactura() && TablaFacturae->Active() && HayFila(*TablaFacturae)) {
    EditaFila(*TablaFacturae);
    TablaFacturae->FieldByName(campo->Campo()).SetAsString(valor);
  }
  campo->setText(valor);
}

void TFormaFactura::NavegaEncabezado(int tecla) {
  if (EsEnter(tecla) || tecla == Qt::Key_Down) ++EstadoFactura.CampoEncabezado;
  else if (tecla == Qt::Key_Up) --EstadoFactura.CampoEncabezado;
  else return;
  EnfocaCampoFactura();
}

// --- Entering.

void TFormaFactura::EditCLVEN_FEnter() {
  FijaCampoEncabezado(EditCLVEN_F, EstadoFactura.VendedorFijo);
  ResaltaCampoFactura(2);
  EstadoFactura.CampoEncabezado = 2;
}

void TFormaFactura::EditCLCLI_FEnter() {
  // The counter customer, selected so that typing replaces it.
  FijaCampoEncabezado(EditCLCLI_F, QStringLiteral("1"));
  EditCLCLI_F->selectAll();
  ResaltaCampoFactura(3);
  EstadoFactura.CampoEncabezado = 3;
}

void TFormaFactura::EditBCLIM_FEnter() {
  FijaCampoEncabezado(EditBCLIM_F, EstadoFactura.Caja);
  if (!EstadoFactura.VendedorFijo.isEmpty()) FijaCampoEncabezado(EditCLVEN_F, EstadoFactura.VendedorFijo);
  ResaltaCampoFactura(4);
  EstadoFactura.CampoEncabezado = 4;
}

void TFormaFactura::EditFEDOC_FEnter() {
  ResaltaCampoFactura(5);
  EstadoFactura.CampoEncabezado = 5;
  EditFEDOC_F->setText(TextoFecha(fs::Hoy()));
}

void TFormaFactura::EditIMIM1_FEnter() {
  ResaltaCampoFactura(7);
  EstadoFactura.CampoEncabezado = 7;
  FijaCampoEncabezado(EditIMIM1_F, TextoReal(EstadoFactura.TasaPredeterminada));
}

// --- Leaving.

void TFormaFactura::EditCLVEN_FExit() {
  RestauraCampoFactura(2);
  if (!TablaVendedores->Active() || !Editando(*TablaFacturae)) return;
  if (!TablaVendedores->FindKey({EditCLVEN_F->text()})) return;
  TablaFacturae->FieldByName(QStringLiteral("CTOVE_F"))
      .SetValue(TablaVendedores->FieldByName(QStringLiteral("COMIS_V")).Value());
}

void TFormaFactura::EditFEDOC_FExit() {
  RestauraCampoFactura(5);
  // A day the calendar has not ("31/02/2027") would fail when the header
  // is written: today stands for it, as for any text that is no date.
  if (!FechaPosible(EditFEDOC_F->text())) EditFEDOC_F->setText(TextoFecha(fs::Hoy()));
}

// --- Keys.

void TFormaFactura::EditCLCLI_FKeyDown(int& tecla) {
  if (tecla == Qt::Key_F2) {
    tecla = 0;
    FijaCampoEncabezado(EditCLCLI_F, BuscaCliente(EditCLCLI_F->text(), usuario->text()));
    EditCLCLI_F->setFocus(Qt::OtherFocusReason);
    return;
  }
  NavegaEncabezado(tecla);
}

void TFormaFactura::EditCLVEN_FKeyDown(int& tecla) {
  if (TablaVendedores->Active()) {
    try {
      TablaVendedores->FindNearest({EditCLVEN_F->text()});
    } catch (const plat::Error&) {
    }
  }
  if (tecla == Qt::Key_F2) {
    tecla = 0;
    FijaCampoEncabezado(EditCLVEN_F, BuscaVendedor(EditCLVEN_F->text()));
    EditCLVEN_F->setFocus(Qt::OtherFocusReason);
    return;
  }
  NavegaEncabezado(tecla);
}

void TFormaFactura::EditFEDOC_FKeyDown(int& tecla) {
  if (EsEnter(tecla) || tecla == Qt::Key_Down) {
    EditFEDOC_FExit();
    (IniciaenClave1->isChecked() ? EditClave : EditCantidad)->setFocus(Qt::OtherFocusReason);
  } else if (tecla == Qt::Key_Up) {
    NavegaEncabezado(tecla);
  }
}

void TFormaFactura::EditIMIM1_FKeyDown(int& tecla) {
  if (EsEnter(tecla) || tecla == Qt::Key_Down) {
    if (EditDESFI_F->isEnabled()) NavegaEncabezado(Qt::Key_Down);
    else Detalle->setFocus(Qt::OtherFocusReason);
  } else if (tecla == Qt::Key_Up) {
    NavegaEncabezado(tecla);
  }
}

void TFormaFactura::EditDESFI_FKeyDown(int& tecla) {
  if (EsEnter(tecla)) Detalle->setFocus(Qt::OtherFocusReason);
}

// --- The amount received.

void TFormaFactura::CAMBIO_FEnter() {
  CalculaTotalesFactura();
  // The totals may have posted the header row: the amount typed goes into
  // the document being captured.
  if (DocumentoEnCursoFactura() && TablaFacturae->Active() && HayFila(*TablaFacturae)) EditaFila(*TablaFacturae);
}

void TFormaFactura::CAMBIO_FKeyDown(int& tecla) {
  // F6 here is the window's: the line deleted (FormKeyDown).
  if (!EsEnter(tecla)) return;
  tecla = 0;
  const std::optional<QString> importe = EvaluaCampoPago(CAMBIO_F);
  if (!importe) return;
  FijaCampoEncabezado(CAMBIO_F, *importe);
  CAMBIO_FExit();
}

void TFormaFactura::CAMBIO_FExit() {
  if (const std::optional<Dinero> recibido = LeeCampoPago(CAMBIO_F))
    SuCambio->setText(TextoCambio(*recibido, EstadoFactura.Total));
}
