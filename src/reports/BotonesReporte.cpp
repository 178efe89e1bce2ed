#include "reports/BotonesReporte.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

QMenu* MenuReporte(QMenuBar* barra, const char* nombre, const QString& texto) {
  QMenu* menu = barra->addMenu(texto);
  menu->setObjectName(QString::fromLatin1(nombre));
  return menu;
}

QAction* AccionReporte(QMenu* menu, const char* nombre, const QString& texto, const QKeySequence& atajo) {
  QAction* accion = menu->addAction(texto);
  accion->setObjectName(QString::fromLatin1(nombre));
  accion->setShortcut(atajo);
  return accion;
}

FilaBotones::FilaBotones(QWidget* ventana, const char* nombre) : panel_(new QWidget(ventana)) {
  panel_->setObjectName(QString::fromLatin1(nombre));
  fila_ = new QHBoxLayout(panel_);
  fila_->setContentsMargins(4, 2, 4, 2);
}

QToolButton* FilaBotones::Boton(const char* nombre, const QString& texto) {
  auto* boton = new QToolButton(panel_);
  boton->setObjectName(QString::fromLatin1(nombre));
  boton->setText(texto);
  boton->setToolTip(texto);
  boton->setAutoRaise(true);
  fila_->addWidget(boton);
  return boton;
}
