#include "foundation/adminis.h"

#include "foundation/rutinas_usuarios.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFormaAdministrador::TFormaAdministrador(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaAdministrador>() = this;
  setObjectName(QStringLiteral("FormaAdministrador"));
  setWindowTitle(QStringLiteral("Clave de Acceso"));
  setFixedSize(420, 140);

  Label1 = new QLabel(QStringLiteral("Introduce la Clave del Administrador"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  QFont letra = Label1->font();
  letra.setBold(true);
  Label1->setFont(letra);
  Label1->setGeometry(16, 12, 388, 20);

  Label2 = new QLabel(QStringLiteral("Este Módulo sólo Puede ser Utilizado por el Administrador del Sistema"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setWordWrap(true);
  Label2->setGeometry(16, 34, 388, 32);

  Clave = new QLineEdit(this);
  Clave->setObjectName(QStringLiteral("Clave"));
  Clave->setEchoMode(QLineEdit::Password);
  Clave->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // "*"
  Clave->setGeometry(110, 72, 200, 24);
  Clave->installEventFilter(this);

  BitBtn1 = new QPushButton(QStringLiteral("&Aceptar"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(120, 105, 80, 25);
  BitBtn2 = new QPushButton(QStringLiteral("&Cancelar"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setGeometry(220, 105, 80, 25);

  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });

  ui::CentraEnPantalla(*this);
}

void TFormaAdministrador::FormActivate() {
  Clave->clear();
  Clave->setFocus(Qt::OtherFocusReason);
}

bool TFormaAdministrador::eventFilter(QObject* objeto, QEvent* evento) {
  // Enter in the password box accepts, as "Aceptar" does.
  if (objeto == Clave && evento->type() == QEvent::KeyPress) {
    const int tecla = static_cast<QKeyEvent*>(evento)->key();
    if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
      ui::Protege([this] { BitBtn1Click(); });
      return true;
    }
  }
  return ui::Forma::eventFilter(objeto, evento);
}

void TFormaAdministrador::BitBtn1Click() {
  SetTag(ValidaClaveAdministrador(Clave->text()) ? 1 : 0);
  Close();
}

void TFormaAdministrador::BitBtn2Click() {
  SetTag(2);
  Close();
}
