#include "pos/ComponentesVenta.h"

#include "platform/db/Tabla.h"
#include "platform/ui/ControlesDatos.h"

#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

ui::Panel* NuevoPanel(QWidget* padre, const char* nombre, ui::Panel::Bisel bisel) {
  auto* p = new ui::Panel(padre, bisel);
  p->setObjectName(QString::fromLatin1(nombre));
  return p;
}

QToolButton* BotonRapido(QWidget* padre, const char* nombre, const QString& pista, int x) {
  auto* b = new QToolButton(padre);
  b->setObjectName(QString::fromLatin1(nombre));
  b->setToolTip(pista);
  b->setText(pista);
  b->setAutoRaise(true);
  b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  b->setGeometry(x, 2, 60, 40);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

QPushButton* Boton(QWidget* padre, const char* nombre, const QString& texto, const QRect& donde) {
  auto* b = new QPushButton(texto, padre);
  b->setObjectName(QString::fromLatin1(nombre));
  b->setGeometry(donde);
  return b;
}

QLineEdit* Edit(QWidget* padre, const char* nombre, const QRect& donde) {
  auto* e = new QLineEdit(padre);
  e->setObjectName(QString::fromLatin1(nombre));
  e->setGeometry(donde);
  return e;
}

ui::EditDatos* EditCampo(QWidget* padre, const char* nombre, ui::FuenteDatos* fuente, const char* campo,
                         const QRect& donde) {
  auto* e = new ui::EditDatos(padre);
  e->setObjectName(QString::fromLatin1(nombre));
  e->SetFuente(fuente);
  if (*campo) e->SetCampo(QString::fromLatin1(campo));
  e->setGeometry(donde);
  return e;
}

db::Tabla* NuevaTabla(QObject* padre, const char* nombre, const char* archivo, const char* indice) {
  auto* t = new db::Tabla(padre);
  t->setObjectName(QString::fromLatin1(nombre));
  t->SetNombreTabla(QString::fromLatin1(archivo));
  t->SetIndexName(QString::fromLatin1(indice));
  return t;
}

