#include "reports/DialogoImprimir.h"

#include "foundation/dialogos.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

TDialogoImprimir::TDialogoImprimir(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TDialogoImprimir>() = this;
  setObjectName(QStringLiteral("DialogoImprimir"));
  setWindowTitle(QStringLiteral("Rango"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(250, 130);

  const auto valor = [this](const char* etiqueta, const char* nombreEtiqueta, const char* nombre, int arriba,
                            QLabel*& label) {
    label = new QLabel(QString::fromLatin1(etiqueta), this);
    label->setObjectName(QString::fromLatin1(nombreEtiqueta));
    label->setGeometry(20, arriba + 3, 50, 20);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(nombre));
    edit->setGeometry(80, arriba, 150, 24);
    return edit;
  };
  PrimeraPagina = valor("De", "Label1", "PrimeraPagina", 14, Label1);
  UltimaPagina = valor("Hasta", "Label2", "UltimaPagina", 46, Label2);

  const QFont arial(QStringLiteral("Arial"));
  BitBtn1 = new QPushButton(QStringLiteral("&Aceptar"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setFont(arial);
  BitBtn1->setGeometry(30, 88, 90, 28);
  BitBtn2 = new QPushButton(QStringLiteral("&Cancelar"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setFont(arial);
  BitBtn2->setGeometry(130, 88, 90, 28);

  SetKeyPreview(true);
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  ui::CentraEnPantalla(*this);
}

void TDialogoImprimir::BitBtn1Click() {
  SetTag(1);
  Close();
}

void TDialogoImprimir::BitBtn2Click() {
  Close();
  SetTag(0);
}

void TDialogoImprimir::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  SetTag(0);
  if (tecla != Qt::Key_Escape) return;
  tecla = 0;
  Close();
}

bool PideRangoNumeros(QWidget* owner, const QString& ultimo, qint64& primera, qint64& ultima) {
  auto rango = std::make_unique<TDialogoImprimir>(owner);
  rango->SetTag(0);
  rango->PrimeraPagina->setText(QStringLiteral("0"));
  rango->UltimaPagina->setText(ultimo);
  rango->ShowModal();
  if (rango->Tag() != 1) return false;
  bool bienPrimera = false, bienUltima = false;
  primera = rango->PrimeraPagina->text().trimmed().toLongLong(&bienPrimera);
  ultima = rango->UltimaPagina->text().trimmed().toLongLong(&bienUltima);
  rango.reset();
  if (!bienPrimera || !bienUltima) {
    MuestraMensaje(QStringLiteral("Valor no Válido"));
    return false;
  }
  return true;
}
