#include "inventory/Tipinve.h"

#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"

#include <QPushButton>
#include <QRadioButton>

TFormaTipoInventario::TFormaTipoInventario(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaTipoInventario>() = this;
  setObjectName(QStringLiteral("FormaTipoInventario"));
  setWindowTitle(QStringLiteral("Control"));
  setFixedSize(180, 150);

  const auto opcion = [this](const char* nombre, const QString& texto, int y) {
    auto* r = new QRadioButton(texto, this);
    r->setObjectName(QString::fromLatin1(nombre));
    r->setGeometry(40, y, 110, 20);
    ui::Conecta(&ui::Eventos::De(r), &ui::Eventos::DblClick, this, [this] { Close(); });
    return r;
  };
  RadioButton1 = opcion("RadioButton1", QStringLiteral("PEPS"), 14);
  RadioButton2 = opcion("RadioButton2", QStringLiteral("UEPS"), 40);
  RadioButton3 = opcion("RadioButton3", QStringLiteral("PROM"), 66);
  RadioButton3->setChecked(true);

  Aceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
  Aceptar->setObjectName(QStringLiteral("Aceptar"));
  Aceptar->setGeometry(45, 104, 90, 30);
  ui::Conecta(Aceptar, &QPushButton::clicked, this, [this] { Close(); });

  for (QWidget* control : std::initializer_list<QWidget*>{RadioButton1, RadioButton2, RadioButton3, Aceptar}) {
    ui::Conecta(&ui::Eventos::De(control), &ui::Eventos::KeyDown, this, [this](int& tecla, Qt::KeyboardModifiers) {
      if (tecla != Qt::Key_Return && tecla != Qt::Key_Enter) return;
      tecla = 0;
      Close();
    });
  }
}

QString TFormaTipoInventario::Elegido() const {
  for (const QRadioButton* r : {RadioButton1, RadioButton2, RadioButton3})
    if (r->isChecked()) return r->text();
  return {};
}

void TFormaTipoInventario::mouseDoubleClickEvent(QMouseEvent*) { Close(); }

void EligeTipoCosto(QString& tipo) {
  TFormaTipoInventario forma;
  forma.ShowModal();
  tipo = forma.Elegido();
}
