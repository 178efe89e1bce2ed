#include "foundation/AyudaCampo.h"

#include "platform/ui/Componentes.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>

TFormaAyuda::TFormaAyuda(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaAyuda>() = this;
  setObjectName(QStringLiteral("FormaAyuda"));
  setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
  setFixedSize(220, 100);

  auto* marco = new ui::Figura(this, QColor(0xFF, 0xFF, 0xE1), 1);
  marco->setObjectName(QStringLiteral("Shape1"));
  marco->setGeometry(rect());

  auto etiqueta = [this](const QString& nombre, const QString& texto, int y) {
    auto* l = new QLabel(texto, this);
    l->setObjectName(nombre);
    l->setGeometry(10, y, 200, 17);
    return l;
  };
  Eti = etiqueta(QStringLiteral("Eti"), QString(), 6);
  QFont negrita = Eti->font();
  negrita.setBold(true);
  Eti->setFont(negrita);
  Tip = etiqueta(QStringLiteral("Tip"), QString(), 26);
  Tam = etiqueta(QStringLiteral("Tam"), QString(), 44);
  Label1 = etiqueta(QStringLiteral("Label1"), QStringLiteral("Ejemplo:"), 70);
  Label1->resize(60, 17);
  Eje = new QLineEdit(this);
  Eje->setObjectName(QStringLiteral("Eje"));
  Eje->setReadOnly(true);
  Eje->setGeometry(72, 67, 138, 22);

  SetKeyPreview(true);
}

void TFormaAyuda::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  tecla = 0;
  Close();
}

void MuestraAyudaCampo(const QString& etiqueta, const QString& ejemplo, const QString& tipo,
                       const QString& tamano) {
  TFormaAyuda* popup = FormaAyuda();
  if (!popup) popup = new TFormaAyuda();
  popup->Eti->setText(etiqueta);
  popup->Eje->setText(ejemplo);
  popup->Tip->setText(QStringLiteral("Tipo     ") + tipo);
  popup->Tam->setText(QStringLiteral("Tamaño   ") + tamano);
  const QWidget* control = QApplication::focusWidget();
  popup->move(control ? control->mapToGlobal(QPoint(0, control->height())) : QCursor::pos());
  popup->Show();
}
