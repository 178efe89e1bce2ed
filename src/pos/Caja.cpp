#include "pos/Caja.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "platform/Error.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "pos/RegistroCaja.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <memory>

namespace {

template <class T>
T* Nombrado(T* w, const char* nombre) {
  w->setObjectName(QString::fromLatin1(nombre));
  return w;
}

}  // namespace

TFormaCaja::TFormaCaja(QWidget* owner) : ui::Forma(owner) {
  setObjectName(QStringLiteral("FormaCaja"));
  setWindowTitle(QStringLiteral("Caja"));
  SetMueveFocoConTeclas(true);

  Label1 = Nombrado(new QLabel(QStringLiteral("Registro"), this), "Label1");
  NumeroCaja = Nombrado(new QSpinBox(this), "NumeroCaja");
  NumeroCaja->setRange(1, 99);
  Label4 = Nombrado(new QLabel(QStringLiteral("No. Caja"), this), "Label4");
  NoCaja = Nombrado(new QLineEdit(this), "NoCaja");
  Label3 = Nombrado(new QLabel(QStringLiteral("Clave Vendedor"), this), "Label3");
  ClaveVendedor = Nombrado(new QLineEdit(this), "ClaveVendedor");
  Label2 = Nombrado(new QLabel(QStringLiteral("Ruta de Formato"), this), "Label2");
  Formato = Nombrado(new QLineEdit(this), "Formato");
  Formato->setMinimumWidth(280);
  // Each box takes no more characters than its field of the register file
  // holds (the field's width less its length byte).
  NoCaja->setMaxLength(TRegistroCaja::kAnchoCaja - 1);
  ClaveVendedor->setMaxLength(TRegistroCaja::kAnchoVendedor - 1);
  Formato->setMaxLength(TRegistroCaja::kAnchoFormato - 1);
  Ruta = Nombrado(new QLabel(this), "Ruta");
  Ruta->hide();
  BitBtn1 = Nombrado(new QPushButton(QStringLiteral("Aceptar"), this), "BitBtn1");
  BitBtn2 = Nombrado(new QPushButton(QStringLiteral("Cancelar"), this), "BitBtn2");
  BitBtn2->setProperty("Cancel", true);

  auto* capas = new QVBoxLayout(this);
  auto* campos = new QGridLayout;
  campos->addWidget(Label1, 0, 0);
  campos->addWidget(NumeroCaja, 0, 1);
  campos->addWidget(Label4, 1, 0);
  campos->addWidget(NoCaja, 1, 1);
  campos->addWidget(Label3, 2, 0);
  campos->addWidget(ClaveVendedor, 2, 1);
  campos->addWidget(Label2, 3, 0);
  campos->addWidget(Formato, 3, 1);
  capas->addLayout(campos);
  auto* botones = new QHBoxLayout;
  botones->addStretch(1);
  botones->addWidget(BitBtn1);
  botones->addWidget(BitBtn2);
  capas->addLayout(botones);

  ui::Conecta(NumeroCaja, &QSpinBox::valueChanged, this, [this] { NumeroCajaChange(); });
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] {
    SetTag(1);
    Close();
  });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] {
    SetTag(0);
    Close();
  });
  // A new dialog stands on slot 1.
  NumeroCaja->setValue(1);
  ui::CentraEnPantalla(*this);
}

void TFormaCaja::FormShow() {
  // The slot shown (slot 1 when the box was emptied) is read from the file
  // the caller named.
  NumeroCajaChange();
}

void TFormaCaja::NumeroCajaChange() {
  if (NumeroCaja->cleanText().trimmed().isEmpty()) {
    const QSignalBlocker silencio(NumeroCaja);
    NumeroCaja->setValue(1);
  }
  if (Ruta->text().isEmpty()) return;
  try {
    const std::optional<TRegistroCaja> caja = LeeCaja(Ruta->text(), NumeroCaja->value());
    NoCaja->setText(caja ? caja->Caja : QString());
    ClaveVendedor->setText(caja ? caja->Vendedor : QString());
    Formato->setText(caja ? caja->Formato : QString());
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}

bool PreguntaCarpetaEnCaja(QString& carpeta) {
  auto caja = std::make_unique<TFormaCaja>();
  for (QWidget* w : {static_cast<QWidget*>(caja->Label1), static_cast<QWidget*>(caja->NumeroCaja),
                     static_cast<QWidget*>(caja->Label4), static_cast<QWidget*>(caja->NoCaja),
                     static_cast<QWidget*>(caja->Label3), static_cast<QWidget*>(caja->ClaveVendedor)})
    w->hide();
  caja->Formato->setText(carpeta);
  caja->ShowModal();
  if (caja->Tag() != 1) return false;
  carpeta = caja->Formato->text();
  return true;
}

std::optional<TRegistroCaja> ConfiguraCaja(QWidget* owner) {
  const QString programa = CarpetaPrograma(QString());
  auto caja = std::make_unique<TFormaCaja>(owner);
  caja->Ruta->setText(programa);
  caja->NumeroCaja->clear();
  caja->ShowModal();
  if (caja->Tag() != 1) return std::nullopt;
  const TRegistroCaja registro{caja->NoCaja->text().left(3), caja->ClaveVendedor->text().left(5),
                               caja->Formato->text().left(25)};
  try {
    EscribeCaja(programa, caja->NumeroCaja->value(), registro);
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
    return std::nullopt;
  }
  return registro;
}
