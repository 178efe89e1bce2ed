// The product window's printing and its small commands: the product sheet
// through the print format (printed or previewed), the window's picture,
// the two options kept in files of the program folder, help, the
// calculator, the product log and the control list.

#include "inventory/Inven.h"

#include "formats/Interprete.h"
#include "formats/edicion.h"
#include "foundation/ImprimeDocumento.h"
#include "foundation/ayudaMod.h"
#include "foundation/observa.h"
#include "foundation/rutinas_bitacora.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Componentes.h"
#include "shell/Principa.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include <optional>

void TFormaInventario::BotonImprimirClick() {
  if (Editando()) return;
  FijaUsuarioImpresion(Usuario->text());
  ConservaProducto([this] { EjecutaFormato(TablaInventario, TablaInventario, ArchivoFormato, u'i'); });
}

void TFormaInventario::Preliminar1Click() {
  if (Editando()) return;
  if (fs::ExisteArchivo(ArchivoFormato)) FijaUsuarioImpresion(Usuario->text());
  ConservaProducto([this] { VistaPreviaFormato(TablaInventario, TablaInventario, ArchivoFormato); });
}

void TFormaInventario::ChecarStocks1Click() {
  fs::ReescribeLineas(fs::Une(CarpetaPrograma, QStringLiteral("inventar.cnf")),
                      {ChecarStocks1->isChecked() ? QStringLiteral("S") : QStringLiteral("N")});
}

void TFormaInventario::LeerImpuestoenAltadeProducto1Click() {
  fs::ReescribeLineas(fs::Une(CarpetaPrograma, QStringLiteral("opc_inv.cnf")),
                      {LeerImpuestoenAltadeProducto1->isChecked() ? QStringLiteral("S") : QStringLiteral("N")});
}

void TFormaInventario::ImprimePlantilla1Click() {
  ImprimeVentana(grab().toImage(), size(), logicalDpiX(), windowTitle());
}

void TFormaInventario::Temas1Click() {
  TFormaAyudaLinea visor(this);
  MuestraAyuda(CarpetaPrograma + QStringLiteral("\\ayuda\\inventar.rtf"));
}

void TFormaInventario::Informacion1Click() { EscribeIndiceAyuda(*MainMenu1, QStringLiteral("FormaInventario")); }

void TFormaInventario::Calculadora1Click() { AbreCalculadora(); }

void TFormaInventario::Bitacora1Click() {
  if (!Administrador()) return;
  const QString archivo = ArchivoHistorial(CarpetaDatos, u'I', EditCLPRO_I->text());
  if (!fs::ExisteArchivo(archivo)) return;
  MuestraArchivoBitacora(this, archivo);
}

namespace {

const QString kSeparadorLista = QStringLiteral("******");

// The text or caption a component shows.
QString TextoComponente(const QWidget& w) {
  if (const auto* l = qobject_cast<const QLabel*>(&w)) return l->text();
  if (const auto* b = qobject_cast<const QAbstractButton*>(&w)) return b->text();
  if (const auto* e = qobject_cast<const QLineEdit*>(&w)) return e->text();
  if (const auto* p = qobject_cast<const ui::Panel*>(&w)) return p->Caption();
  if (const auto* g = qobject_cast<const QGroupBox*>(&w)) return g->title();
  return w.isWindow() ? w.windowTitle() : QString();
}

// Its place in its parent's tab order; nullopt for a component that takes
// no focus from the keyboard.
std::optional<int> OrdenTabulacion(const QWidget& w) {
  if (!(w.focusPolicy() & Qt::TabFocus) || !w.parentWidget()) return std::nullopt;
  int orden = 0;
  for (const QObject* hermano : w.parentWidget()->children()) {
    if (hermano == &w) return orden;
    if (const auto* h = qobject_cast<const QWidget*>(hermano); h && (h->focusPolicy() & Qt::TabFocus)) ++orden;
  }
  return orden;
}

// The lines of one component; false where a property it lacks was asked.
bool LineasComponente(const QObject& o, QStringList& lineas) {
  const auto* w = qobject_cast<const QWidget*>(&o);
  const auto* a = qobject_cast<const QAction*>(&o);
  if (!w && !a) return false;
  const auto logico = [](bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); };
  lineas << logico(w ? !w->isHidden() : a->isVisible()) << o.objectName();
  if (!w) return false;
  lineas << QString::number(w->y()) << QString::number(w->x()) << QString::number(w->width())
         << QString::number(w->height()) << TextoComponente(*w);
  const auto* edit = qobject_cast<const QLineEdit*>(w);
  lineas << (edit ? (edit->text().isEmpty() ? QStringLiteral("_") : edit->text()) : QString());
  const std::optional<int> orden = OrdenTabulacion(*w);
  if (!orden) return false;
  lineas << QString::number(*orden) << kSeparadorLista;
  return true;
}

}  // namespace

void TFormaInventario::Componentes1Click() {
  QStringList lineas = {objectName(), objectName(), objectName()};
  for (int i = 0; i < 5; ++i) lineas << kSeparadorLista;
  const auto componentes = findChildren<QObject*>();
  for (const QObject* o : componentes) {
    if (o->objectName().isEmpty() || o->objectName().startsWith(QLatin1String("qt_"))) continue;
    if (!LineasComponente(*o, lineas))
      for (int i = 0; i < 8; ++i) lineas << kSeparadorLista;
  }
  fs::ReescribeLineas(QStringLiteral("c:\\formas\\") + objectName() + QStringLiteral(".for"), lineas);
}
