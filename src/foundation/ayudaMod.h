#pragma once
// The help text viewer and the help index.
//
// TFormaAyudaLinea shows a help topic of the program folder's "ayuda" folder
// in the read-only box Texto, with the menus "Archivo" ("Abrir", "Imprimir
// Tema", "Salir") and "Busquedas" ("Buscar"). "Buscar" asks for a text in the
// quick search dialog and selects its first occurrence; F3 shows the plain
// message "posicion <p> <text>" and selects the next one. Esc and "Salir"
// close it. The caller creates it, calls MuestraAyuda and frees it.
//
// Help topics are named by their old file names (ayuda\inventar.rtf); the
// program ships them as HTML beside that name (ayuda\inventar.html), which
// is what the viewer shows when it exists.

#include "platform/ui/Forma.h"

#include <QString>

class QAction;
class QMenu;
class QMenuBar;
class QTextEdit;

class TFormaAyudaLinea : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaAyudaLinea(QWidget* owner = nullptr);

  QMenuBar* MainMenu1;
  QMenu* Archivo1;
  QAction* Abrir1;
  QAction* ImprimirTema1;
  QAction* Salir1;
  QMenu* Busquedas1;
  QAction* Buscar1;
  QTextEdit* Texto;

  // The last search text and the position of its last match (-1 after a
  // search that found nothing).
  QString TextoBuscado;
  int Posicion = 0;

 protected:
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  void Buscar1Click();
  void ImprimirTema1Click();
  void TextoF3();
};

inline TFormaAyudaLinea* FormaAyudaLinea() { return ui::InstanciaDe<TFormaAyudaLinea>().data(); }

// Loads the topic into the viewer the caller created (an own one when there
// is none) and shows it modally; a missing topic shows an empty viewer.
void MuestraAyuda(const QString& ruta);

// Selects the first occurrence of the text (without regard to case) at or
// after the 0-based position `inicio` in the viewer's text, focusing the
// text box, and returns its position; -1 and the selection left as it was
// when there is none.
int BuscaTextoAyuda(int inicio, const QString& texto);

// Appends to ayuda\ayudavrl.vrl of the program folder (created when missing)
// the title, then for each top-level item of the menu from the second on its
// caption, its sub-items' captions and a line of 29 asterisks. Input/output
// errors (a missing "ayuda" folder) reach the caller.
void EscribeIndiceAyuda(const QMenuBar& menu, const QString& titulo);
