#pragma once
// The caller list "Lista Telefónica": the lines of the day's call history
// that an outside recorder leaves in C:\SERIAL\historial, one caller a line,
// the caller's telephone number (also the customer's key) first and the
// other items after commas. The caller fills ListaTelefonica, points
// TablaCliente at the customer table and opens it, and shows the window
// modally.
//
// On show the last line is selected; Up and Down move through the lines, and
// the labels show the name and address of the customer whose key is the
// selected line's number (empty when no customer has it). F9, Enter, Esc and
// "(F9) Nueva Venta" answer Tag 1 (a new sale for the selected caller);
// "Cancelar" answers Tag 0.

#include "platform/ui/Forma.h"

#include <QDate>
#include <QString>

class QLabel;
class QListWidget;
class QPushButton;
namespace db {
class Tabla;
}

// The history file of a day: C:\SERIAL\historial\<yyyy>-<mm>-<dd>.his.
QString ArchivoHistorialLlamadas(const QDate& dia);

class TFormaTelefonica : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaTelefonica(QWidget* owner = nullptr);

  QListWidget* ListaTelefonica;
  QLabel* LabelCliente;
  QLabel* LabelDireccion;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
  db::Tabla* TablaCliente;

  // The selected line, "" when none is.
  QString LineaElegida() const;

 protected:
  void FormShow() override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  // The labels from the customer of the selected line.
  void MuestraCliente();
  void Responde(int tag);
};

inline TFormaTelefonica* FormaTelefonica() { return ui::InstanciaDe<TFormaTelefonica>().data(); }
