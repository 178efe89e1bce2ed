#pragma once
// The two printer dialogs of the printing windows. Each runs through the
// modal gate under the name its owning window gives it ("Impresora" for the
// set-up, "Imprimir" for the print dialog), so a test answers it with a
// script queued for that name.
//
//  - DialogoConfiguraImpresora: the printer and the page orientation; when
//    accepted both become the print layer's for every later job.
//  - DialogoImpresion: the printer and the pages to print, all of them or a
//    range inside the caller's bounds; when accepted the printer becomes the
//    print layer's and the caller prints pages FromPage to ToPage.
//
// The printers offered are the print layer's list, with the selected one
// chosen at first.

#include <QDialog>

class QComboBox;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QVBoxLayout;

// What both dialogs share: the printer list, "Aceptar" and "Cancelar".
class DialogoImpresora : public QDialog {
  Q_OBJECT
 public:
  QComboBox* Impresoras;
  QPushButton* Aceptar;
  QPushButton* Cancelar;

 protected:
  DialogoImpresora(QWidget* padre, const QString& nombre, const QString& titulo);
  // The controls of the dialog go here, between the printer and the buttons.
  QVBoxLayout* cuerpo_;
  // Shows the dialog; when accepted, selects the chosen printer and returns
  // true.
  bool Ejecuta();
};

class DialogoConfiguraImpresora : public DialogoImpresora {
  Q_OBJECT
 public:
  DialogoConfiguraImpresora(QWidget* padre, const QString& nombre);

  QRadioButton* Vertical;
  QRadioButton* Horizontal;

  // Shows the printer and orientation in force; true when accepted.
  bool Execute();
};

class DialogoImpresion : public DialogoImpresora {
  Q_OBJECT
 public:
  enum class Rango { Todas, Paginas };

  DialogoImpresion(QWidget* padre, const QString& nombre);

  QRadioButton* Todas;
  QRadioButton* Paginas;
  QSpinBox* Desde;
  QSpinBox* Hasta;

  // The pages the caller has (set before Execute).
  int MinPage = 1;
  int MaxPage = 1;
  // The pages proposed before Execute; the pages to print after it (every
  // page for Todas), first never after last.
  int FromPage = 1;
  int ToPage = 1;
  Rango PrintRange = Rango::Todas;

  // True when accepted.
  bool Execute();
};
