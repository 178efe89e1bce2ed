// Editor mode: the format text, its files, the field lists and the printer
// line.

#include "formats/Impresoras.h"
#include "formats/catfor.h"
#include "formats/edicion.h"
#include "foundation/ImprimeDocumento.h"
#include "foundation/advierte.h"
#include "foundation/ayudaMod.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/print/Impresoras.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/DialogoArchivo.h"
#include "platform/ui/PuertaModal.h"

#include <QComboBox>
#include <QFontDialog>
#include <QLabel>
#include <QListWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

void TFormaEdicion::CargaArchivo(const QString& ruta) {
  // Read whole before the editor changes: a failed read leaves the text.
  // A format edited on Linux may be UTF-8, as the interpreter reads it.
  const QStringList texto = fs::LeeLineasCp1252OUtf8(ruta);
  Codigo->setPlainText(texto.join(u'\n'));
}

void TFormaEdicion::Nuevo1Click() {
  LimpiaBoceto();
  Codigo->clear();
}

void TFormaEdicion::Abrir1Click() {
  if (!AbreFormato->Execute()) return;
  CargaArchivo(AbreFormato->FileName);
  LimpiaBoceto();
}

void TFormaEdicion::Guardar1Click() {
  Guardaformato->FileName = AbreFormato->FileName;
  Guardaformato->InitialDir = AbreFormato->InitialDir;
  if (!Guardaformato->Execute()) return;
  const QString ruta = Guardaformato->FileName;
  if (fs::ExisteArchivo(ruta)) {
    TFormaAdvertencia pregunta;
    pregunta.Label1->setText(QStringLiteral("El archivo ya existe desea sobreescribirlo ?"));
    pregunta.SetTag(0);
    pregunta.ShowModal();
    if (pregunta.Tag() != 1) return;
  }
  if (AsistenteActivo()) {
    GuardaAsistente(ruta);
  } else {
    const QString texto = Codigo->toPlainText();
    fs::ReescribeLineas(ruta, texto.isEmpty() ? QStringList() : texto.split(u'\n'));
  }
  LimpiaBoceto();
  TerminaAsistente();
}

void TFormaEdicion::Imprimir1Click() {
  ImprimeDocumento(*Codigo->document(), QStringLiteral("Codigo ") + AbreFormato->FileName);
}

void TFormaEdicion::AumentarEditor1Click() {
  editorGrande_ = !editorGrande_;
  Codigo->setFont(QFont(QStringLiteral("Arial"), editorGrande_ ? 14 : 10));
  FormResize();
}

void TFormaEdicion::Fuentes1Click() {
  QFontDialog fuentes(Codigo->font(), this);
  fuentes.setObjectName(QStringLiteral("Fuentes"));
  if (ui::PuertaModal::EjecutaDialogo(fuentes, fuentes.objectName()) == QDialog::Accepted)
    Codigo->setFont(fuentes.currentFont());
}

void TFormaEdicion::BotonCamposClick() {
  TFormaCampos picker;
  picker.ShowModal();
  UltimaTabla = picker.Bases->currentText();
  if (std::optional<QString> elegido = picker.Elegido()) UltimoCampo = *elegido;
}

void TFormaEdicion::ListadeImpresoras1Click() {
  TFormaImpresoras picker;
  picker.ListBox1->addItems(print::NombresImpresoras());
  picker.SetTag(0);
  picker.ShowModal();
  if (picker.Tag() != 1 || !picker.ListBox1->currentItem()) return;
  QTextCursor cursor(Codigo->document());
  cursor.movePosition(QTextCursor::Start);
  cursor.insertText(QStringLiteral("impresora,") + picker.ListBox1->currentItem()->text() + u'\n');
}

void TFormaEdicion::Temas1Click() { MuestraAyuda(carpeta_ + QStringLiteral("\\ayuda\\edicion.rtf")); }

// Posicion counts characters from the start with each line break as the two
// characters the file holds; lineas adds whole lines (their length and the
// break) until the sum reaches the caret, so a caret at the first character
// of a line counts as the line before, and 0 stands for the very start.
void TFormaEdicion::SigueCursor() {
  const QTextCursor cursor = Codigo->textCursor();
  const int posicion = cursor.position() + cursor.blockNumber();
  int suma = 0;
  int linea = 0;
  for (QTextBlock b = Codigo->document()->begin(); b.isValid() && suma < posicion; b = b.next()) {
    suma += b.length() - 1 + 2;
    ++linea;
  }
  Posicion->setText(QString::number(posicion));
  lineas->setText(QString::number(linea));
}

bool TFormaEdicion::TeclaEditor(int tecla) {
  if (tecla != Qt::Key_F2) return false;
  MuestraListaCampos();
  return true;
}

bool TFormaEdicion::RatonEditor(Qt::MouseButton boton) {
  if (boton == Qt::RightButton) Campos->setVisible(!Campos->isVisible());
  else if (boton == Qt::LeftButton) Campos->hide();
  return false;
}

void TFormaEdicion::MuestraListaCampos() {
  const int linea = lineas->text().toInt();
  Campos->setGeometry(Codigo->x() + 30, linea * (Codigo->font().pointSize() + 5) + Codigo->y(),
                      std::min(300, Codigo->width() - 30), 160);
  // Before the picker names a table, the list is that of its first table.
  const QString lista = ListaCamposTabla(UltimaTabla.isEmpty() ? QStringLiteral("Clientes") : UltimaTabla);
  const QString ruta = carpeta_ + QStringLiteral("\\define\\") + lista;
  if (!lista.isEmpty() && fs::ExisteArchivo(ruta)) {
    Campos->clear();
    Campos->addItems(fs::LeeLineas(ruta));
    if (Campos->count() > 0) Campos->setCurrentRow(0);
  }
  Campos->show();
  Campos->raise();
  Campos->setFocus(Qt::OtherFocusReason);
}

void TFormaEdicion::EligeEntradaCampos() {
  const int destino = lineas->text().toInt() - 1;
  if (destino >= 0 && Campos->currentItem()) {
    const QTextBlock bloque = Codigo->document()->findBlockByNumber(destino);
    if (bloque.isValid()) {
      QTextCursor cursor(bloque);
      cursor.movePosition(QTextCursor::EndOfBlock);
      cursor.insertText(Campos->currentItem()->text().left(5));
    }
  }
  Campos->hide();
  Codigo->setFocus(Qt::OtherFocusReason);
}
