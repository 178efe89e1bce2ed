#pragma once
// What the maintenance windows are built from: named components placed at
// fixed boxes, and the date-and-time ending of their log lines.

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <QToolButton>

namespace piezas {

template <class T>
T* Nombrado(T* componente, const char* nombre) {
  componente->setObjectName(QString::fromLatin1(nombre));
  return componente;
}

QLabel* Etiqueta(QWidget* padre, const QString& texto, const QRect& caja);
QProgressBar* Medidor(QWidget* padre, const char* nombre, const QRect& caja);
QToolButton* BotonRapido(QWidget* padre, const char* nombre, const QString& texto, const QRect& caja);
QPushButton* Boton(QWidget* padre, const char* nombre, const QString& texto, const QRect& caja);
QLineEdit* Caja(QWidget* padre, const char* nombre, const QRect& caja);
QListWidget* Lista(QWidget* padre, const char* nombre, const QRect& caja);

// A log line of the maintenance windows: the text, today's date, two blanks
// and the time ("Reindexado 08/12/2026  10:15:00").
QString LineaBitacora(const QString& texto);

}  // namespace piezas
