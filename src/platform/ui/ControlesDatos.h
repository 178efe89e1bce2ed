#pragma once
// Data-aware boxes: each shows one field of the current record of its data
// source's dataset and writes what the user types back into it.
//
//  - They show the field again whenever the dataset moves, is refreshed,
//    opened or closed, posts or cancels, when code writes the field, and when
//    the source is switched to another dataset (found again by name).
//  - Typing puts a browsing dataset into edit (FuenteDatos::AutoEdit); a
//    dataset that cannot be edited (a record locked elsewhere) shows why and
//    the box goes back to the field's value.
//  - What is typed goes into the edit buffer at once, so a Post made from a
//    toolbar button takes it. A number or date not yet complete waits until
//    the box is left; a text the field cannot take is then shown as an
//    error and the focus stays in the box.
//  - With no dataset, a closed one or no such field the box is empty and
//    takes no input.
//
// Every box carries its component name as objectName; its focus, key and
// mouse events are reached through ui::Eventos.

#include "platform/ui/FuenteDatos.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>

#include <functional>

namespace ui {

// The link of one box to its field (used by every data-aware box).
class EnlaceCampo : public QObject {
  Q_OBJECT
 public:
  // `muestra` puts the field's value (or nothing) into the box.
  EnlaceCampo(QWidget* caja, std::function<void()> muestra);

  FuenteDatos* Fuente() const { return fuente_.Fuente(); }
  void SetFuente(FuenteDatos* fuente);
  const QString& NombreCampo() const { return campo_; }
  void SetCampo(const QString& nombre);
  // The field, or nullptr (no source, dataset closed, no such field).
  db::Campo* Campo() const;

  // Before a change typed by the user: puts the dataset into edit when it is
  // browsing. False when the change must be undone.
  bool Edita();
  // Writes the box's text into the field. A text the field does not take
  // puts back the value the field had before the typing began and is kept
  // pending; with `estricto` the error is shown and false returned.
  bool Escribe(const QString& texto, bool estricto);
  bool Pendiente() const { return pendiente_; }

 private:
  void Muestra();
  void CampoCambiado(int indice);

  QWidget* caja_;
  std::function<void()> muestra_;
  VigilaFuente fuente_;
  QMetaObject::Connection campoCambiado_;
  QString campo_;
  bool propio_ = false;     // our own Edit or write is under way
  bool pendiente_ = false;  // the box holds a text the field did not take yet
  bool tocado_ = false;     // typed into since the field was last shown
  QVariant original_;       // the field's value before the typing began
  QString avisado_;         // the last missing field reported
};

// What every data-aware box has: its source and field, and the two ways a
// user changes it.
template <class Caja>
class CajaDatos : public Caja {
 public:
  explicit CajaDatos(QWidget* padre) : Caja(padre), enlace_(this, [this] { Muestra(); }) {}

  FuenteDatos* Fuente() const { return enlace_.Fuente(); }
  void SetFuente(FuenteDatos* fuente) { enlace_.SetFuente(fuente); }
  QString Campo() const { return enlace_.NombreCampo(); }
  void SetCampo(const QString& nombre) { enlace_.SetCampo(nombre); }

 protected:
  // Puts the field's value (or nothing) into the box.
  virtual void Muestra() = 0;

  // A text being typed: written as far as the field takes it.
  void Teclea(const QString& texto) {
    if (!enlace_.Edita()) Muestra();
    else enlace_.Escribe(texto, false);
  }
  // A value chosen at once (a click, a list item): written or refused.
  void Elige(const QString& valor) {
    if (!enlace_.Edita() || !enlace_.Escribe(valor, true)) Muestra();
  }
  // Leaving the box with a text the field did not take: the error, and the
  // focus stays in the box.
  void Confirma(const QString& texto) {
    if (enlace_.Pendiente() && !enlace_.Escribe(texto, true))
      QTimer::singleShot(0, this, [this] { this->setFocus(Qt::OtherFocusReason); });
  }

  EnlaceCampo enlace_;
};

class EditDatos : public CajaDatos<QLineEdit> {
  Q_OBJECT
 public:
  explicit EditDatos(QWidget* padre = nullptr);

 protected:
  void focusOutEvent(QFocusEvent* evento) override;
  void Muestra() override;
};

// Shows the field; never edits it.
class EtiquetaDatos : public CajaDatos<QLabel> {
  Q_OBJECT
 public:
  explicit EtiquetaDatos(QWidget* padre = nullptr) : CajaDatos(padre) {}

 protected:
  void Muestra() override;
};

// A text of several lines (memo fields and long texts).
class MemoDatos : public CajaDatos<QPlainTextEdit> {
  Q_OBJECT
 public:
  explicit MemoDatos(QWidget* padre = nullptr);

 protected:
  void focusOutEvent(QFocusEvent* evento) override;
  void Muestra() override;

 private:
  bool mostrando_ = false;
};

// A check box on a logical field, or on a text field holding one of two
// values (by default "S" checked and "N" not).
class CasillaDatos : public CajaDatos<QCheckBox> {
  Q_OBJECT
 public:
  explicit CasillaDatos(QWidget* padre = nullptr);
  // The texts a text field holds when checked and unchecked (compared
  // without regard to case).
  void SetValores(const QString& marcado, const QString& desmarcado);

 protected:
  void Muestra() override;

 private:
  QString marcado_ = QStringLiteral("S");
  QString desmarcado_ = QStringLiteral("N");
};

// A combo box whose text is the field: the items are the window's; an
// editable combo (the default) also takes any typed text.
class ComboDatos : public CajaDatos<QComboBox> {
  Q_OBJECT
 public:
  explicit ComboDatos(QWidget* padre = nullptr);
  // Switching editable on or off keeps the binding of the typed text.
  void SetEditable(bool editable);

 protected:
  void focusOutEvent(QFocusEvent* evento) override;
  void Muestra() override;
};

// A lookup combo: the field holds a key; the list shows, for every row of a
// second dataset (the list), the list field, and choosing one writes that
// row's key field into the bound field. The list is read again when its
// dataset opens or changes, at the latest when the list is shown.
class ComboBusqueda : public CajaDatos<QComboBox> {
  Q_OBJECT
 public:
  explicit ComboBusqueda(QWidget* padre = nullptr);

  void SetFuenteLista(FuenteDatos* lista);
  void SetCampoClave(const QString& nombre);
  void SetCampoLista(const QString& nombre);
  // Reads the list's rows again (otherwise done when needed).
  void Recarga();

  void showPopup() override;

 protected:
  void Muestra() override;

 private:
  void ListaCambiada();

  VigilaFuente lista_;
  QString clave_, texto_;
  bool vigente_ = false;  // the items reflect the list dataset
  bool mostrando_ = false;
};

}  // namespace ui
