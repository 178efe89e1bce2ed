#include "foundation/DatoForm.h"

#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

bool EsNumeroValido(const QString& texto) {
  if (texto.isEmpty()) return false;
  const QChar ultimo = texto.back();
  return (ultimo >= u'0' && ultimo <= u'9') || ultimo == u'.';
}

TFormaDato::TFormaDato(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaDato>() = this;
  setObjectName(QStringLiteral("FormaDato"));
  setWindowTitle(QStringLiteral("Inserta un Dato"));
  setFixedSize(282, 124);

  Label1 = new QLabel(QStringLiteral("Insertar un dato"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(16, 12, 250, 17);

  EditDato = new QLineEdit(this);
  EditDato->setObjectName(QStringLiteral("EditDato"));
  EditDato->setGeometry(16, 34, 250, 24);

  NumeMes = new QSpinBox(this);
  NumeMes->setObjectName(QStringLiteral("NumeMes"));
  NumeMes->setRange(1, 12);
  NumeMes->setGeometry(EditDato->geometry());
  NumeMes->hide();

  Label2 = new QLabel(this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setGeometry(16, 62, 250, 17);

  BitBtn1 = new QPushButton(QStringLiteral("Aceptar"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(99, 86, 84, 28);
  // Enter in the edit has its own meaning; the button never takes it.
  BitBtn1->setAutoDefault(false);

  EditDato->installEventFilter(this);
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
}

void TFormaDato::FormShow() {
  ui::CentraEnPantalla(*this);
  // A proposed value comes selected, so the first key typed replaces it.
  if (NumeMes->isHidden()) {
    EditDato->setFocus(Qt::OtherFocusReason);
    EditDato->selectAll();
  } else {
    NumeMes->setFocus(Qt::OtherFocusReason);
  }
}

bool TFormaDato::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == EditDato && evento->type() == QEvent::KeyPress) {
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    if (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter) {
      ui::Protege([this] { Close(); });
      return true;
    }
    // Keys that type (or erase) a character; focus and cursor keys do not.
    if (!tecla->text().isEmpty() && tecla->key() != Qt::Key_Tab && tecla->key() != Qt::Key_Backtab) {
      ui::Protege([this] { EditDatoKeyPress(); });
    }
  }
  return ui::Forma::eventFilter(objeto, evento);
}

void TFormaDato::EditDatoKeyPress() {
  if (Tag() != 1) return;
  const QString texto = EditDato->text();
  if (EsNumeroValido(texto)) {
    Label2->setText(QStringLiteral("Número Válido"));
    return;
  }
  Label2->setText(QStringLiteral("Número no Válido"));
  if (texto.isEmpty()) return;
  // The cursor stays where it was, so the key lands where the user typed it.
  const int cursor = EditDato->cursorPosition();
  EditDato->setText(texto.chopped(1));
  EditDato->setCursorPosition(qMin(cursor, texto.size() - 1));
}

void TFormaDato::BitBtn1Click() {
  if (!NumeMes->isHidden()) SetTag(100);
  else if (Tag() == 1 && !EsNumeroValido(EditDato->text())) EditDato->setText(QStringLiteral("0"));
  Close();
}
