#include "customers/PiezasCatalogo.h"

#include "foundation/describe.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/RejillaDatos.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

QMenu* MenuCatalogo(QMenuBar* barra, const char* nombre, const QString& texto) {
  return ui::MenuNombrado(barra, nombre, texto);
}

QAction* ItemCatalogo(QMenu* menu, const char* nombre, const QString& texto, const char* atajo) {
  return ui::AccionNombrada(menu, nombre, texto, atajo);
}

QToolButton* BotonCatalogo(QWidget* panel, QBoxLayout* barra, const char* nombre, const QString& texto) {
  auto* b = new QToolButton(panel);
  b->setObjectName(QString::fromLatin1(nombre));
  b->setToolTip(texto);
  b->setText(texto);
  b->setAutoRaise(true);
  b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  barra->addWidget(b);
  return b;
}

FinBarra TerminaBarra(QWidget* panel, QBoxLayout* barra, ui::FuenteDatos* fuente, const QString& usuario,
                      std::initializer_list<QToolButton*> descritos, int primera) {
  barra->addSpacing(12);
  FinBarra fin;
  fin.navegador = new ui::Navegador(panel);
  fin.navegador->setObjectName(QStringLiteral("Navegador"));
  fin.navegador->SetFuente(fuente);
  barra->addWidget(fin.navegador);
  barra->addStretch();
  fin.usuario = new QLabel(usuario, panel);
  fin.usuario->setObjectName(QStringLiteral("Usuario"));
  fin.usuario->hide();
  for (QToolButton* b : descritos) ConectaDescripcion(b, primera++);
  return fin;
}

MarcoCampos CreaMarcoCampos(QWidget* ventana, const char* nombreUno, const char* nombreDos) {
  MarcoCampos m;
  m.Panel2 = new ui::Panel(ventana);
  m.Panel2->setObjectName(QStringLiteral("Panel2"));
  m.Panel2->setAutoFillBackground(true);
  auto* marco = new QVBoxLayout(m.Panel2);
  marco->setContentsMargins(6, 6, 6, 6);

  m.Caja = new QScrollArea(m.Panel2);
  m.Caja->setObjectName(QStringLiteral("Caja"));
  m.Caja->setWidgetResizable(true);
  m.interior = new QWidget(m.Caja);
  m.rejilla = new QGridLayout(m.interior);
  m.Caja->setWidget(m.interior);
  marco->addWidget(m.Caja, 1);

  m.pie = new QHBoxLayout;
  auto* lineas = new QVBoxLayout;
  const auto etiqueta = [&](const char* nombre) {
    auto* l = new QLabel(m.Panel2);
    l->setObjectName(QString::fromLatin1(nombre));
    lineas->addWidget(l);
    return l;
  };
  m.uno = etiqueta(nombreUno);
  m.dos = etiqueta(nombreDos);
  m.pie->addLayout(lineas, 1);
  marco->addLayout(m.pie);
  return m;
}

void ColocaCampo(const MarcoCampos& marco, QWidget* caja, const char* nombre, const char* titulo, int ancho,
                 Lugar lugar) {
  caja->setObjectName(QString::fromLatin1(nombre));
  caja->setFixedWidth(ancho);
  auto* etiqueta = new QLabel(QString::fromUtf8(titulo), marco.interior);
  etiqueta->setBuddy(caja);
  marco.rejilla->addWidget(etiqueta, lugar.fila, lugar.columna * 2);
  marco.rejilla->addWidget(caja, lugar.fila, lugar.columna * 2 + 1, 1, lugar.ancha ? 3 : 1, Qt::AlignLeft);
}

void PintaMarco(QWidget* marco, bool editando, ui::TColor navegando) {
  QPalette paleta = marco->palette();
  paleta.setColor(QPalette::Window, ui::ColorQt(editando ? ui::clRed : navegando, paleta));
  marco->setPalette(paleta);
}

void EnMayusculas(std::initializer_list<QWidget*> cajas) {
  for (QWidget* caja : cajas)
    QObject::connect(&ui::Eventos::De(caja), &ui::Eventos::KeyPress, caja, [](QChar& c) { c = c.toUpper(); });
}
