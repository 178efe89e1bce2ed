#include "support/Maneja.h"

#include "platform/fs/Rutas.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/RejillaTexto.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace prueba {

void Reescribe(QLineEdit* caja, const QString& texto) {
  caja->setFocus(Qt::OtherFocusReason);
  caja->selectAll();
  QTest::keyClick(caja, Qt::Key_Delete);
  if (!texto.isEmpty()) Teclea(*caja->window(), caja->objectName(), texto);
}

void RespondeCierre(int respuesta) {
  ui::PuertaModal::Espera("TFormaCerrar", [respuesta](QDialog& d) {
    Pulsa(d, respuesta == 1 ? "BitBtn1" : respuesta == 2 ? "BitBtn3" : "BitBtn2");
  });
}

QWidget* Componente(const QWidget& raiz, const QString& nombre) {
  if (raiz.objectName() == nombre) return const_cast<QWidget*>(&raiz);
  QWidget* w = raiz.findChild<QWidget*>(nombre);
  if (!w) ADD_FAILURE() << "no existe el componente " << nombre.toStdString();
  return w;
}

void Pulsa(const QWidget& raiz, const QString& nombre) {
  auto* boton = qobject_cast<QAbstractButton*>(Componente(raiz, nombre));
  if (!boton) {
    ADD_FAILURE() << nombre.toStdString() << " no es un botón";
    return;
  }
  boton->click();
}

namespace {

// One key press and release per character; characters without a key code
// of their own (accents, "ñ") travel as the event's text, as a keyboard
// layout would deliver them.
void EnviaTexto(QWidget* w, const QString& texto) {
  for (QChar c : texto) {
    const int tecla = c.unicode() < 0x80 ? QKeySequence(QString(c))[0].key() : Qt::Key_unknown;
    QKeyEvent presion(QEvent::KeyPress, tecla, Qt::NoModifier, QString(c));
    QKeyEvent suelta(QEvent::KeyRelease, tecla, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &presion);
    QApplication::sendEvent(w, &suelta);
  }
}

}  // namespace

void Teclea(const QWidget& raiz, const QString& nombre, const QString& texto) {
  QWidget* w = Componente(raiz, nombre);
  if (!w) return;
  w->setFocus(Qt::OtherFocusReason);
  EnviaTexto(w, texto);
}

void TecleaCelda(ui::RejillaTexto& rejilla, int col, int fila, const QString& texto) {
  rejilla.setFocus();
  rejilla.SetRow(fila);
  rejilla.SetCol(col);
  EnviaTexto(&rejilla, texto.left(1));
  QWidget* editor = rejilla.indexWidget(rejilla.currentIndex());
  if (!editor) {
    ADD_FAILURE() << "la celda " << col << "," << fila << " no se abrió para escribir";
    return;
  }
  EnviaTexto(editor, texto.mid(1));
}

void Tecla(const QWidget& raiz, const QString& nombre, int tecla, Qt::KeyboardModifiers mods) {
  QWidget* w = nombre.isEmpty() ? QApplication::focusWidget() : Componente(raiz, nombre);
  if (!w) w = const_cast<QWidget*>(&raiz);
  if (!nombre.isEmpty()) w->setFocus(Qt::OtherFocusReason);
  QTest::keyClick(w, static_cast<Qt::Key>(tecla), mods);
}

QString Texto(const QWidget& raiz, const QString& nombre) {
  QWidget* w = Componente(raiz, nombre);
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  if (auto* p = qobject_cast<QPlainTextEdit*>(w)) return p->toPlainText();
  if (auto* t = qobject_cast<QTextEdit*>(w)) return t->toPlainText();
  return w ? w->windowTitle() : QString();
}

void DobleClic(QWidget* w, QPoint punto) {
  if (punto.isNull()) punto = w->rect().center();
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, punto);
  QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, punto);
}

QList<QPair<int, int>> CasillasTabulador(QWidget* primera) {
  QList<QPair<int, int>> casillas;
  auto* rejilla = primera && primera->parentWidget() ? qobject_cast<QGridLayout*>(primera->parentWidget()->layout())
                                                      : nullptr;
  if (!rejilla) {
    ADD_FAILURE() << "la caja no está en una rejilla de cajas";
    return casillas;
  }
  primera->setFocus(Qt::TabFocusReason);
  QList<QWidget*> vistas;
  for (QWidget* w = QApplication::focusWidget(); w && !vistas.contains(w); w = QApplication::focusWidget()) {
    const int i = rejilla->indexOf(w);
    if (i < 0) break;
    int fila = 0, columna = 0, filas = 0, columnas = 0;
    rejilla->getItemPosition(i, &fila, &columna, &filas, &columnas);
    casillas << qMakePair(fila, columna);
    vistas << w;
    QTest::keyClick(w, Qt::Key_Tab);
  }
  return casillas;
}

void EligeArchivo(QDialog& dialogo, const QString& ruta) {
  auto* archivo = qobject_cast<QFileDialog*>(&dialogo);
  if (!archivo) {
    ADD_FAILURE() << "no es un diálogo de archivos";
    return;
  }
  archivo->selectFile(fs::Local(ruta));
  static_cast<QDialog*>(archivo)->accept();  // the file dialog's own check of the name runs
}

}  // namespace prueba
