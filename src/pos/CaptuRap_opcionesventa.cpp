// The sale screen's options kept in encabeza.cnf: the toggles of their menu
// items and the file's writer; the print formats of Ctrl+F1 to Ctrl+F6; the
// small commands of Opciones, Formatos and Ayuda. What each option changes
// in capture and display is read when the screen is created
// (CaptuRap_opciones.cpp): a toggle only marks the item and saves the file.

#include "foundation/ayudaMod.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "platform/fs/Texto.h"
#include "platform/process/Procesos.h"
#include "platform/ui/PuertaModal.h"
#include "pos/CaptuRap.h"
#include "pos/TeclasVenta.h"
#include "reports/Formatos.h"

#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QTextEdit>

namespace {

const QString kS = QStringLiteral("S");
const QString kN = QStringLiteral("N");
const QString kAdministrador = QStringLiteral("0");

QString Marca(const QAction* item) { return item->isChecked() ? kS : kN; }

}  // namespace

void TFormaCapturaRapida::ConectaOpciones() {
  // The check mark of an item is its handler's: the toggle the menu makes
  // when the item is chosen is undone before the handler runs, so a refused
  // user leaves the mark as it was.
  const auto conMarca = [this](QAction* item, std::function<void()> manejador) {
    AsignaComando(item, [item, manejador] {
      item->setChecked(!item->isChecked());
      manejador();
    });
  };
  const auto opcion = [this, conMarca](QAction* item, bool soloAdministrador) {
    conMarca(item, [this, item, soloAdministrador] {
      if (soloAdministrador && usuario->text() != kAdministrador) return;
      item->setChecked(!item->isChecked());
      GuardaOpcionesVenta();
    });
  };
  for (QAction* item : {SaltarEncabezado1, IniciaenClave1, VerTotalesenformatoDigital1, GuardareImprimirconF101,
                        IniciaenVendedor1, IntegrarIdentificadorTelefnico1, HabilitarBascula1})
    opcion(item, false);
  for (QAction* item : {PersonalizarDetalle1, OcultarVendedor1, VerSoloTotal1}) opcion(item, true);

  conMarca(N011, [this] { N011Click(); });
  conMarca(N021, [this] { N021Click(); });
  conMarca(SinTurno1, [this] { SinTurno1Click(); });

  QAction* const atajos[] = {CtrlF11, CtrlF21, CtrlF31, CtrlF41, CtrlF51, CtrlF61};
  for (int n = 1; n <= 6; ++n) AsignaComando(atajos[n - 1], [this, n] { AsignaFormatoAtajo(n); });

  const auto item = [this](const char* nombre) {
    return MainMenu1->findChild<QAction*>(QString::fromLatin1(nombre));
  };
  AsignaComando(item("VerFunciones1"), [this] { VerFunciones1Click(); });
  AsignaComando(item("CursorenCliente1"), [this] { CursorenCliente1Click(); });
  conMarca(item("HabilitarPantallaAlterna1"), [this] { HabilitarPantallaAlterna1Click(); });
  AsignaComando(item("Temas1"), [this] { Temas1Click(); });
  AsignaComando(item("Tabulador1"), [this] { Tabulador1Click(); });
}

void TFormaCapturaRapida::GuardaOpcionesVenta() {
  const QStringList lineas = {Marca(SaltarEncabezado1),
                              Marca(IniciaenClave1),
                              CtrlF11->text(),
                              CtrlF21->text(),
                              CtrlF31->text(),
                              CtrlF41->text(),
                              CtrlF51->text(),
                              CtrlF61->text(),
                              Marca(VerTotalesenformatoDigital1),
                              Marca(GuardareImprimirconF101),
                              Marca(IniciaenVendedor1),
                              Marca(PersonalizarDetalle1),
                              Marca(IntegrarIdentificadorTelefnico1),
                              Marca(HabilitarBascula1),
                              N011->isChecked() ? QStringLiteral("01") : kN,
                              N021->isChecked() ? QStringLiteral("02") : kN,
                              Marca(OcultarVendedor1),
                              Marca(VerSoloTotal1)};
  Q_ASSERT(lineas.size() == kLineasOpcionesVenta);
  EscribeOpcionesEncabezado(lineas);
}

bool TFormaCapturaRapida::EligeFormatoImpresion(QString& formato) { return EligeFormato(formato); }

void TFormaCapturaRapida::AsignaFormatoAtajo(int n) {
  QAction* const atajos[] = {CtrlF11, CtrlF21, CtrlF31, CtrlF41, CtrlF51, CtrlF61};
  QString formato;
  // A picker cancelled, or a format that does not exist, changes nothing.
  if (!EligeFormatoImpresion(formato)) return;
  atajos[n - 1]->setText(QStringLiteral("Ctrl+F%1 (").arg(n) + formato + u')');
  GuardaOpcionesVenta();
}

void TFormaCapturaRapida::VerFunciones1Click() { MuestraFuncionesVenta(); }

void TFormaCapturaRapida::CursorenCliente1Click() {
  if (Permitido(BotonTerminaVenta)) EditCLCLI_F->setFocus(Qt::OtherFocusReason);
}

void TFormaCapturaRapida::HabilitarPantallaAlterna1Click() {
  QAction* item = MainMenu1->findChild<QAction*>(QStringLiteral("HabilitarPantallaAlterna1"));
  item->setChecked(!item->isChecked());
  PantallaAlterna->setVisible(item->isChecked());
  if (item->isChecked()) PantallaAlterna->raise();
}

void TFormaCapturaRapida::Temas1Click() { MuestraAyuda(CarpetaPrograma(QStringLiteral("\\ayuda\\factura.rtf"))); }

void TFormaCapturaRapida::Tabulador1Click() {
  const proc::Resultado r = proc::Ejecuta(kProgramaTabulador);
  if (!r) MuestraMensaje(QStringLiteral("No se pudo abrir el tabulador: ") + r.error);
}
