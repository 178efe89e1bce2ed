#include "reports/TamoColu.h"

#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/Eventos.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFormaTamanoColumnas::TFormaTamanoColumnas(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaTamanoColumnas>() = this;
  setObjectName(QStringLiteral("FormaTamanoColumnas"));
  setWindowTitle(QStringLiteral("Tamaño de Columnas"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(601, 151);
  SetKeyPreview(true);

  for (int n = 0; n < 8; ++n) {
    const QString numero = QString::number(n + 1);
    const int x = 12 + 72 * n;
    Col[n] = new QLabel(QStringLiteral("Col") + numero, this);
    Col[n]->setObjectName(QStringLiteral("Col") + numero);
    Col[n]->setGeometry(x, 20, 64, 20);
    Edit[n] = new QLineEdit(n == 1 ? QStringLiteral("30") : QStringLiteral("20"), this);
    Edit[n]->setObjectName(QStringLiteral("Edit") + numero);
    Edit[n]->setGeometry(x, 44, 64, 24);
  }
  Button1 = new QPushButton(QStringLiteral("Aplicar"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(250, 96, 100, 30);

  for (int n = 0; n < 2; ++n) ui::Conecta(&ui::Eventos::De(Edit[n]), &ui::Eventos::Exit, this, [this, n] { Edit1Exit(n); });
  ui::Conecta(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  ui::CentraEnPantalla(*this);
}

void TFormaTamanoColumnas::Button1Click() {
  SetTag(1);
  Close();
}

void TFormaTamanoColumnas::Edit1Exit(int n) {
  if (Tag() != 0) return;
  bool entero = false;
  Edit[n]->text().toInt(&entero);
  if (!entero) Edit[n]->setText(QStringLiteral("20"));
}

void TFormaTamanoColumnas::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  if (tecla != Qt::Key_Return && tecla != Qt::Key_Enter) return;
  tecla = 0;
  Button1Click();
}
