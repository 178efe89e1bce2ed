#pragma once
// The base of every window: a QDialog with the class library's habits.
//
//  - Tag: an integer every window and component carries; dialogs answer
//    through it.
//  - Show (modeless), ShowModal (through the modal gate), Close.
//  - ModalResult: setting it to a non-zero value ends a modal run.
//  - Handlers named after the window's events: FormShow, FormActivate,
//    FormCloseQuery, FormClose, FormKeyDown, FormKeyPress. With KeyPreview on,
//    keys typed in any child reach FormKeyDown / FormKeyPress first; a
//    handler that sets the key to 0 consumes it. SetMueveFocoConTeclas adds
//    the movement of the focus by Enter, Down and Up.
//  - Enter presses the button that has the focus, else the button made
//    default with setDefault(true), else nothing: Qt's habit of making the
//    first button of a dialog the default is switched off, so Enter in a box
//    never presses a button the window did not choose. Esc presses a button
//    whose "Cancel" property is true.
//  - Child components carry their names as objectName and are found with
//    Componente<T>(name).
//  - One instance per class: InstanciaDe<T>() is a QPointer, so it turns null
//    when the window is freed.

#include <QDialog>
#include <QPointer>

class QKeyEvent;

namespace ui {

// Tag of any window or component (0 when never set).
int Tag(const QObject* objeto);
void SetTag(QObject* objeto, int valor);

enum ResultadoModal { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

class Forma : public QDialog {
  Q_OBJECT
 public:
  explicit Forma(QWidget* owner = nullptr);
  ~Forma() override;

  int Tag() const { return ui::Tag(this); }
  void SetTag(int valor) { ui::SetTag(this, valor); }

  void Show();
  // Shows the window modally through the modal gate; returns ModalResult.
  int ShowModal();
  // Asks FormCloseQuery, runs FormClose and hides the window; a modal run
  // ends with ModalResult (mrCancel when none was set).
  void Close();

  int ModalResult() const { return modalResult_; }
  // A non-zero result ends a running modal show (the class library's rule).
  void SetModalResult(int resultado);
  bool EnModal() const { return enModal_; }

  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool activo);

  // With key preview on, Enter and Down move the focus to the next control
  // and Up to the previous one, after FormKeyDown (unless it consumed the
  // key). The control that had the focus still receives the key.
  bool MueveFocoConTeclas() const { return mueveFoco_; }
  void SetMueveFocoConTeclas(bool activo) { mueveFoco_ = activo; }

  // Windows that only inform (message boxes) are closed by the gate in tests
  // when no answer was queued for them.
  bool CierreAutomaticoEnPrueba() const { return cierreAutomatico_; }
  void SetCierreAutomaticoEnPrueba(bool valor) { cierreAutomatico_ = valor; }

  template <class T = QWidget>
  T* Componente(const QString& nombre) const {
    return findChild<T*>(nombre);
  }

  // Called by the modal gate and by the window system.
  void DisparaActivacion();

 protected:
  virtual void FormShow() {}
  virtual void FormActivate() {}
  virtual void FormDeactivate() {}
  virtual void FormCloseQuery(bool& /*puedeCerrar*/) {}
  virtual void FormClose() {}
  virtual void FormKeyDown(int& /*tecla*/, Qt::KeyboardModifiers /*shift*/) {}
  virtual void FormKeyPress(QChar& /*tecla*/) {}

  void showEvent(QShowEvent* evento) override;
  void closeEvent(QCloseEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;
  bool event(QEvent* evento) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;
  void reject() override;

 public:
  void setVisible(bool visible) override;

 private:
  friend int EjecutaModal(Forma& forma);
  bool PreguntaCierre();
  // Runs the key handlers on a key event; true when they consumed it.
  bool PasaTecla(QKeyEvent* evento);
  bool PrimerReceptor(QWidget* w);

  int modalResult_ = mrNone;
  bool enModal_ = false;
  bool keyPreview_ = false;
  bool mueveFoco_ = false;
  quint64 teclaVista_ = 0;  // last key press the preview passed on
  bool activa_ = false;
  bool cerrando_ = false;
  bool cierreAutomatico_ = false;
};

template <class T>
QPointer<T>& InstanciaDe() {
  static QPointer<T> instancia;
  return instancia;
}

}  // namespace ui
