#include "foundation/buscar.h"

#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

template <class T>
T* Crea(QWidget* padre, const QString& nombre, const QRect& lugar) {
  auto* w = new T(padre);
  w->setObjectName(nombre);
  w->setGeometry(lugar);
  return w;
}

}  // namespace

TFormaBusqueda::TFormaBusqueda(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaBusqueda>() = this;
  setObjectName(QStringLiteral("FormaBusqueda"));
  setWindowTitle(QStringLiteral("Busquedas Rápidas"));
  resize(330, 150);

  Label1 = Crea<QLabel>(this, QStringLiteral("Label1"), {12, 14, 50, 17});
  Label1->setText(QStringLiteral("Buscar:"));
  CajaBuscar = Crea<QLineEdit>(this, QStringLiteral("CajaBuscar"), {64, 10, 254, 24});

  // Exclusivity is kept by Elige: the options must also be able to end up
  // all un-chosen, which Qt's automatic exclusivity does not allow.
  auto opcion = [this](const QString& nombre, const QString& texto, int y) {
    auto* r = Crea<QRadioButton>(this, nombre, {64, y, 200, 20});
    r->setText(texto);
    r->setAutoExclusive(false);
    ui::Conecta(r, &QRadioButton::clicked, this, [this, r] { OpcionClick(r); });
    return r;
  };
  Clave = opcion(QStringLiteral("Clave"), QStringLiteral("Por Clave (F1)"), 42);
  Nombre = opcion(QStringLiteral("Nombre"), QStringLiteral("Por Nombre (F2)"), 64);
  Direccion = opcion(QStringLiteral("Direccion"), QStringLiteral("Por Dirección (F3)"), 86);
  Direccion->hide();
  Clave->setChecked(true);

  BotonAceptar = Crea<QPushButton>(this, QStringLiteral("BotonAceptar"), {232, 112, 86, 28});
  BotonAceptar->setText(QStringLiteral("&Aceptar"));
  BotonAceptar->setAutoDefault(false);

  // The two-field form, over the same place as the single field.
  LabelBusca1 = Crea<QLabel>(this, QStringLiteral("LabelBusca1"), {12, 14, 120, 17});
  EditBusca1 = Crea<QLineEdit>(this, QStringLiteral("EditBusca1"), {136, 10, 182, 24});
  LabelBusca2 = Crea<QLabel>(this, QStringLiteral("LabelBusca2"), {12, 46, 120, 17});
  EditBusca2 = Crea<QLineEdit>(this, QStringLiteral("EditBusca2"), {136, 42, 182, 24});
  LabelCampo1 = Crea<QLabel>(this, QStringLiteral("LabelCampo1"), {12, 74, 120, 17});
  LabelCampo2 = Crea<QLabel>(this, QStringLiteral("LabelCampo2"), {136, 74, 120, 17});
  for (QWidget* w : std::initializer_list<QWidget*>{LabelBusca1, EditBusca1, LabelBusca2, EditBusca2,
                                                    LabelCampo1, LabelCampo2})
    w->hide();

  SetKeyPreview(true);
  ui::Conecta(BotonAceptar, &QPushButton::clicked, this, [this] { BotonAceptarClick(); });
  CajaBuscar->clear();
}

void TFormaBusqueda::FormActivate() {
  CajaBuscar->clear();
  if (!CajaBuscar->isHidden()) CajaBuscar->setFocus(Qt::OtherFocusReason);
  if (!EditBusca1->isHidden()) EditBusca1->setFocus(Qt::OtherFocusReason);
}

void TFormaBusqueda::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  switch (tecla) {
    case Qt::Key_F1:
      Elige(Clave);
      break;
    case Qt::Key_F2:
      Elige(Nombre);
      break;
    case Qt::Key_F3:
      if (!Direccion->isHidden()) Elige(Direccion);
      break;
    case Qt::Key_Escape:
      // No option chosen tells the caller the search was cancelled.
      Elige(nullptr);
      Close();
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
      QWidget* foco = QApplication::focusWidget();
      if (foco == CajaBuscar) {
        Close();
      } else if (foco == EditBusca1 || foco == EditBusca2) {
        SetTag(1);
        Close();
      } else {
        return;
      }
      break;
    }
    default:
      return;
  }
  tecla = 0;
}

void TFormaBusqueda::Elige(QRadioButton* opcion) {
  for (QRadioButton* r : {Clave, Nombre, Direccion}) r->setChecked(r == opcion);
}

void TFormaBusqueda::OpcionClick(QRadioButton* opcion) {
  Elige(opcion);
  CajaBuscar->setFocus(Qt::OtherFocusReason);
}

void TFormaBusqueda::BotonAceptarClick() {
  SetTag(1);
  Close();
}
