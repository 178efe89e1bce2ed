#include "reports/OrdenPor.h"

#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

TFormaOrdenarPor::TFormaOrdenarPor(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaOrdenarPor>() = this;
  setObjectName(QStringLiteral("FormaOrdenarPor"));
  setWindowTitle(QStringLiteral("Orden de Tabla"));
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFixedSize(424, 246);

  static const char* const kNombres[kOpciones] = {"Uno", "dos", "Tres", "Cuatro", "Cinco", "Seis", "siete", "Ocho"};
  static const char* const kTextos[kOpciones] = {"uno", "dos", "tres", "cuatro", "cinco", "seis", "siete", "ocho"};
  auto* grupo = new QButtonGroup(this);
  for (int k = 0; k < kOpciones; ++k) {
    const int columna = k / 4;
    const int arriba = 16 + (k % 4) * 40;
    auto* opcion = new QRadioButton(QString::fromLatin1(kTextos[k]), this);
    opcion->setObjectName(QString::fromLatin1(kNombres[k]));
    opcion->setGeometry(16 + columna * 206, arriba, 90, 20);
    grupo->addButton(opcion);
    Opciones[k] = opcion;
    auto* etiqueta = new QLabel(QStringLiteral("_"), this);
    etiqueta->setObjectName(QStringLiteral("Label%1").arg(k + 1));
    etiqueta->setGeometry(32 + columna * 206, arriba + 18, 180, 16);
    Etiquetas[k] = etiqueta;
  }
  BitBtn1 = new QPushButton(QStringLiteral("&Aceptar"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(110, 200, 90, 28);
  BitBtn2 = new QPushButton(QStringLiteral("&Cancelar"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setGeometry(224, 200, 90, 28);
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });

  Opciones[0]->setChecked(true);
  SetTag(1);
  ui::CentraEnPantalla(*this);
}

void TFormaOrdenarPor::BitBtn1Click() {
  SetTag(1);
  Close();
}

void TFormaOrdenarPor::BitBtn2Click() {
  SetTag(0);
  Close();
}

void ElementoLista(const QString& lista, int k, QString& elemento) {
  const QStringList elementos = (lista + u',').split(u',');
  elemento = k >= 1 && k <= elementos.size() ? elementos[k - 1] : QString();
}

void EligeOrdenTabla(const QString& indices, const QString& descripciones, QString& indice) {
  TFormaOrdenarPor* forma = FormaOrdenarPor();
  indice.clear();
  if (!forma) return;
  for (int k = 0; k < TFormaOrdenarPor::kOpciones; ++k) {
    QString descripcion, nombre;
    ElementoLista(descripciones, k + 1, descripcion);
    ElementoLista(indices, k + 1, nombre);
    forma->Etiquetas[k]->setText(descripcion);
    forma->Etiquetas[k]->setVisible(!descripcion.isEmpty());
    forma->Opciones[k]->setText(nombre);
    forma->Opciones[k]->setVisible(!nombre.isEmpty());
  }
  forma->ShowModal();
  for (QRadioButton* opcion : forma->Opciones) {
    if (!opcion->isHidden() && opcion->isChecked()) {
      indice = opcion->text();
      return;
    }
  }
}
