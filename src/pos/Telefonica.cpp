#include "pos/Telefonica.h"

#include "foundation/rutinas.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/Eventos.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

QString ArchivoHistorialLlamadas(const QDate& dia) {
  return QStringLiteral("C:\\SERIAL\\historial\\") + dia.toString(QStringLiteral("yyyy-MM-dd")) +
         QStringLiteral(".his");
}

TFormaTelefonica::TFormaTelefonica(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaTelefonica>() = this;
  setObjectName(QStringLiteral("FormaTelefonica"));
  setWindowTitle(QStringLiteral("Lista Telefónica"));
  setFixedSize(520, 380);
  QPalette paleta = palette();
  paleta.setColor(QPalette::Window, Qt::blue);
  setPalette(paleta);
  setAutoFillBackground(true);
  SetKeyPreview(true);

  ListaTelefonica = new QListWidget(this);
  ListaTelefonica->setObjectName(QStringLiteral("ListaTelefonica"));
  ListaTelefonica->setGeometry(10, 10, 500, 250);

  const auto etiqueta = [this](const char* nombre, int y) {
    auto* l = new QLabel(QStringLiteral("_"), this);
    l->setObjectName(QString::fromLatin1(nombre));
    l->setGeometry(10, y, 500, 20);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(p);
    QFont letra = l->font();
    letra.setBold(true);
    l->setFont(letra);
    return l;
  };
  LabelCliente = etiqueta("LabelCliente", 268);
  LabelDireccion = etiqueta("LabelDireccion", 292);

  BitBtn1 = new QPushButton(QStringLiteral("(F9) Nueva Venta"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(120, 330, 140, 30);
  BitBtn2 = new QPushButton(QStringLiteral("Cancelar"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setGeometry(280, 330, 120, 30);

  TablaCliente = new db::Tabla(this);
  TablaCliente->setObjectName(QStringLiteral("TablaCliente"));

  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { Responde(1); });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] { Responde(0); });
  ui::Conecta(&ui::Eventos::De(ListaTelefonica), &ui::Eventos::KeyUp, this,
              [this](int& tecla, Qt::KeyboardModifiers) {
                if (tecla == Qt::Key_Up || tecla == Qt::Key_Down) MuestraCliente();
              });
  ui::CentraEnPantalla(*this);
}

QString TFormaTelefonica::LineaElegida() const {
  const QListWidgetItem* item = ListaTelefonica->currentItem();
  return item ? item->text() : QString();
}

void TFormaTelefonica::FormShow() {
  ListaTelefonica->setFocus(Qt::OtherFocusReason);
  if (ListaTelefonica->count() > 0) ListaTelefonica->setCurrentRow(ListaTelefonica->count() - 1);
  MuestraCliente();
}

void TFormaTelefonica::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  if (tecla == Qt::Key_F9 || tecla == Qt::Key_Return || tecla == Qt::Key_Enter || tecla == Qt::Key_Escape) {
    tecla = 0;
    Responde(1);
  }
}

void TFormaTelefonica::MuestraCliente() {
  LabelCliente->clear();
  LabelDireccion->clear();
  QString clave;
  ElementoComa(LineaElegida(), 1, clave);
  if (clave.isEmpty() || !TablaCliente->Active()) return;
  try {
    if (!TablaCliente->FindKey({clave})) return;
  } catch (const plat::Error&) {
    // A number the key field cannot hold is no customer's key.
    return;
  }
  LabelCliente->setText(TablaCliente->FieldByName(QStringLiteral("NOMBR_C")).AsString());
  LabelDireccion->setText(TablaCliente->FieldByName(QStringLiteral("DIREC_C")).AsString());
}

void TFormaTelefonica::Responde(int tag) {
  SetTag(tag);
  Close();
}
