// The legacy document window's keys: the key map of FormKeyDown, which the
// window sees before any control (key preview), and the two menu items
// whose shortcuts it gives way to. The pieces the sale screen has too (who
// gets a menu's key, the shortcut's format, the line's deletion, the list
// of keys) are the sale screen's (pos/TeclasVenta.h).

#include "legacy/Factu.h"

#include "platform/Error.h"
#include "platform/ui/Componentes.h"
#include "pos/CalculaxPrecio.h"
#include "pos/CaptuRap_comun.h"
#include "pos/EstadoComandos.h"
#include "pos/TeclasVenta.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolButton>

#include <memory>

void TFormaFactura::ConectaTeclasFactura() {
  ConectaEncabezadoFactura();
  AsignaComando(VerFunciones1, this, [this] { VerFunciones1Click(); });
  AsignaComando(CursorenCliente1, this, [this] { CursorenCliente1Click(); });
}

void TFormaFactura::VerFunciones1Click() { MuestraFuncionesVenta(); }

void TFormaFactura::CursorenCliente1Click() { EditCLCLI_F->setFocus(Qt::OtherFocusReason); }

void TFormaFactura::FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) {
  if (EsAtajoDeMenu(AtajosDeMenu(*MainMenu1), tecla, shift)) return;
  const bool soloCtrl = SoloCtrl(shift);
  const bool enCurso = ui::Tag(BotonNuevo) == 1 || ui::Tag(BotonCambios) == 1;
  // A key that fails (no row, a closed table) does nothing.
  try {
    // Moving to another document while one is captured would leave the
    // capture on the wrong header row: only between documents.
    if (soloCtrl && (tecla == Qt::Key_A || tecla == Qt::Key_S) && !enCurso && TablaFacturae->Active()) {
      if (tecla == Qt::Key_A) TablaFacturae->Prior();
      else TablaFacturae->Next();
      MuestraDocumentoFactura();
    }
    // The control left keeps no F4 of its own (a combo box would open its
    // list), but the grid's (column 0).
    if (tecla == Qt::Key_F4) {
      EditCantidad->setFocus(Qt::OtherFocusReason);
      if (!soloCtrl && !EnfocadoEn(Detalle)) tecla = 0;
    }
    if (tecla == Qt::Key_Pause && ImprimiryAsignarCaja1->isEnabled()) ImprimiryAsignarCaja1->trigger();
    // Only a line being captured goes: the lines of a saved document on
    // screen are what cancelling it gives back to stock. Asked once, also
    // from the change field; Ctrl+F6 is a quick format.
    if (tecla == Qt::Key_F6 && !soloCtrl) {
      tecla = 0;
      if (enCurso && EliminaPartidaCaptura(this, *TablaDeta, *TablaTotal)) CalculaTotalesFactura();
      return;
    }
    if (tecla == Qt::Key_F7 && enCurso) {
      try {
        auto calculadora = std::make_unique<TFormaCalculaxPrecio>(this);
        calculadora->FijaCaptura({FuenteTablaDeta, TablaDeta, TablaInventario, Detalle, EditCantidad});
        calculadora->ShowModal();
        CalculaTotalesFactura();
      } catch (const std::exception&) {
      }
    }
    // The type and the amount are entered as by Tab: their text selected.
    if (tecla == Qt::Key_F8) TipoPago->setFocus(Qt::TabFocusReason);
    if (tecla == Qt::Key_F5) CAMBIO_F->setFocus(Qt::TabFocusReason);
    if (soloCtrl) {
      QAction* const atajos[] = {CtrlF11, CtrlF21, nullptr, CtrlF41, CtrlF51, CtrlF61};
      if (tecla >= Qt::Key_F1 && tecla <= Qt::Key_F6) {
        if (QAction* atajo = atajos[tecla - Qt::Key_F1]) ImprimeConFormatoFactura(FormatoDeAtajo(atajo->text()));
      }
      if (tecla == Qt::Key_F3 && EditEmpaque->isVisibleTo(this)) {
        if (TablaDeta->Active() && HayFila(*TablaDeta))
          LabelFactor->setText(TablaDeta->FieldByName(QStringLiteral("FACTOR")).AsString());
        EditEmpaque->setFocus(Qt::OtherFocusReason);
      }
      if (tecla == Qt::Key_F12) {
        Detalle->SetSelectedIndex(0);
        Detalle->setFocus(Qt::OtherFocusReason);
      }
    }
  } catch (const std::exception&) {
  }
}
