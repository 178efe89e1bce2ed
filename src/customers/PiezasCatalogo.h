#pragma once
// The parts the catalogue windows (customers, suppliers) are built from:
// their menus and toolbar buttons, the field frame with its scroll box and
// help lines, the frame's colour and the boxes typed in capitals.

#include "platform/ui/Colores.h"

#include <QString>

#include <initializer_list>

class QAction;
class QBoxLayout;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QMenu;
class QMenuBar;
class QScrollArea;
class QToolButton;
class QWidget;
namespace ui {
class FuenteDatos;
class Navegador;
class Panel;
}  // namespace ui

// A menu of the bar, and an item of a menu, named as their handlers.
QMenu* MenuCatalogo(QMenuBar* barra, const char* nombre, const QString& texto);
QAction* ItemCatalogo(QMenu* menu, const char* nombre, const QString& texto, const char* atajo = nullptr);

// A toolbar button showing its caption, also as its hint, added to the bar.
QToolButton* BotonCatalogo(QWidget* panel, QBoxLayout* barra, const char* nombre, const QString& texto);

// The end of a catalogue's toolbar: the record navigator over `fuente`,
// then the hidden label Usuario (holding `usuario` until an opener hands the
// user over); a right click on each of `descritos` shows its short help,
// records `primera`, `primera` + 1 ... of describe.des.
struct FinBarra {
  ui::Navegador* navegador;
  QLabel* usuario;
};
FinBarra TerminaBarra(QWidget* panel, QBoxLayout* barra, ui::FuenteDatos* fuente, const QString& usuario,
                      std::initializer_list<QToolButton*> descritos, int primera);

// The field frame of a window: the panel Panel2, filled with its colour,
// holding the scroll box Caja (the boxes go into `rejilla`, two columns of a
// label and its box) and, under it, the foot: the two help lines at its left
// (the labels named as given), then whatever the window adds.
struct MarcoCampos {
  ui::Panel* Panel2;
  QScrollArea* Caja;
  QWidget* interior;
  QGridLayout* rejilla;
  QHBoxLayout* pie;
  QLabel* uno;
  QLabel* dos;
};
MarcoCampos CreaMarcoCampos(QWidget* ventana, const char* nombreUno, const char* nombreDos);

// Where a box goes in the frame: its row, its column (0 or 1), and whether
// it runs across both columns.
struct Lugar {
  int fila;
  int columna;
  bool ancha = false;
};
// Names the box, fixes its width and places it with its label (whose buddy
// it becomes).
void ColocaCampo(const MarcoCampos& marco, QWidget* caja, const char* nombre, const char* titulo, int ancho,
                 Lugar lugar);

// The frame red while a record is being edited, `navegando` otherwise.
void PintaMarco(QWidget* marco, bool editando, ui::TColor navegando);

// Letters typed into the boxes become capitals.
void EnMayusculas(std::initializer_list<QWidget*> cajas);
