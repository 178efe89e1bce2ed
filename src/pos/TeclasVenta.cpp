#include "pos/TeclasVenta.h"

#include "foundation/advierte.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas_numero.h"
#include "platform/db/Tabla.h"
#include "platform/ui/PuertaModal.h"
#include "pos/CaptuRap_comun.h"
#include "pos/PagosVenta.h"
#include "pos/TablaCaptura.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTimer>

namespace {

constexpr Qt::KeyboardModifiers kModificadores =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

}  // namespace

QList<QKeyCombination> AtajosDeMenu(const QMenuBar& menu) {
  QList<QKeyCombination> atajos;
  for (const QAction* a : menu.findChildren<QAction*>())
    for (const QKeySequence& atajo : a->shortcuts())
      if (atajo.count() == 1) atajos << atajo[0];
  return atajos;
}

bool EsAtajoDeMenu(const QList<QKeyCombination>& atajos, int tecla, Qt::KeyboardModifiers shift) {
  return atajos.contains(QKeyCombination(shift & kModificadores, static_cast<Qt::Key>(tecla)));
}

bool EnfocadoEn(const QWidget* w) {
  for (const QWidget* f = QApplication::focusWidget(); f; f = f->parentWidget())
    if (f == w) return true;
  return false;
}

bool SoloCtrl(Qt::KeyboardModifiers shift) { return (shift & kModificadores) == Qt::ControlModifier; }

QString FormatoDeAtajo(const QString& titulo) {
  return titulo.size() > 10 ? titulo.mid(9, titulo.size() - 10) : QString();
}

void MuestraFuncionesVenta() {
  static const char* const kTeclas[] = {
      "F1    Busca Producto por Descipción", "F2    Busca Producto por Clave", "F4    Salta a Cantidad",
      "F5    Introducir Efectivo",           "F6    Borrar Partida",           "F7    Inicia Captura por Importe",
      "F8    Tipo de Pago",                  "F9    Venta Nueva",              "F10   Guardar Venta",
      "Ctrl+B     Buscar",                   "Ctrl+I ó F11    Imprimir",       "Ctrl+P     Cambiar Precio",
      "Ctrl+F2    Cursor en Cliente"};
  QString texto;
  for (const char* linea : kTeclas) texto += QString::fromUtf8(linea) + u'\r';
  ui::MensajeSimple(texto);
}

bool EliminaPartidaCaptura(QWidget* dueno, db::Tabla& deta, db::Tabla& total) {
  if (!deta.Active() || !HayFila(deta)) return false;
  TFormaAdvertencia pregunta(dueno);
  pregunta.Label1->setText(QStringLiteral("Esta Seguro que Desea ELIMINAR esta Partida ") +
                           deta.FieldByName(QStringLiteral("CANTIDAD")).AsString() + QStringLiteral("  ") +
                           deta.FieldByName(QStringLiteral("PRODUCTO")).AsString());
  pregunta.ShowModal();
  if (pregunta.Tag() != 1) return false;
  // A row not yet written is only dropped; a row being edited is deleted as
  // it stands in the table.
  const bool nueva = deta.State() == db::Dataset::Estado::Insertando;
  deta.Cancel();
  if (nueva) return true;
  const qint64 partida = deta.RecNo();
  deta.Delete();
  BorraPartidaYCompacta(deta, total, static_cast<int>(partida));
  return true;
}

std::optional<QString> EvaluaCampoPago(QLineEdit* campo) {
  QString texto = campo->text().trimmed();
  if (texto.isEmpty()) texto = QStringLiteral("0");
  // Letters are no amount: they are refused, not taken as nothing paid.
  if (!EsImporteAritmetico(texto)) {
    MuestraMensaje(kErrorPago);
    campo->setFocus(Qt::OtherFocusReason);
    campo->selectAll();
    return std::nullopt;
  }
  return EvaluaImporte(texto);
}

std::optional<Dinero> LeeCampoPago(QLineEdit* campo) {
  const QString texto = campo->text().trimmed();
  if (texto.isEmpty()) return std::nullopt;
  const std::optional<Dinero> recibido = Dinero::Lee(texto);
  if (!recibido) {
    MuestraMensaje(kErrorPago);
    QTimer::singleShot(0, campo, [campo] {
      campo->setFocus(Qt::OtherFocusReason);
      campo->selectAll();
    });
  }
  return recibido;
}

bool PagoNoNumerico(const QString& texto) {
  const QString limpio = texto.trimmed();
  return !limpio.isEmpty() && !Dinero::Lee(limpio);
}

QString TextoCambio(const Dinero& recibido, const Dinero& total) {
  return QStringLiteral("Cambio ") + FormatoImporte(QStringLiteral("##,##0.00"), (recibido - total).Texto());
}
