#include "reports/DialogosImpresora.h"

#include "platform/print/Impresora.h"
#include "platform/ui/PuertaModal.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace {

template <class T>
T* Nombrado(T* componente, const char* nombre) {
  componente->setObjectName(QString::fromLatin1(nombre));
  return componente;
}

print::Impresora& Impresora() { return print::Impresora::Global(); }

}  // namespace

DialogoImpresora::DialogoImpresora(QWidget* padre, const QString& nombre, const QString& titulo) : QDialog(padre) {
  setObjectName(nombre);
  setWindowTitle(titulo);
  auto* principal = new QVBoxLayout(this);
  auto* impresora = new QHBoxLayout;
  impresora->addWidget(new QLabel(QStringLiteral("Impresora:"), this));
  Impresoras = Nombrado(new QComboBox(this), "Impresoras");
  Impresoras->setMinimumWidth(240);
  impresora->addWidget(Impresoras, 1);
  principal->addLayout(impresora);
  cuerpo_ = new QVBoxLayout;
  principal->addLayout(cuerpo_);

  auto* botones = new QHBoxLayout;
  botones->addStretch();
  Aceptar = Nombrado(new QPushButton(QStringLiteral("Aceptar"), this), "Aceptar");
  Aceptar->setDefault(true);
  Cancelar = Nombrado(new QPushButton(QStringLiteral("Cancelar"), this), "Cancelar");
  botones->addWidget(Aceptar);
  botones->addWidget(Cancelar);
  principal->addLayout(botones);
  connect(Aceptar, &QPushButton::clicked, this, &QDialog::accept);
  connect(Cancelar, &QPushButton::clicked, this, &QDialog::reject);
}

bool DialogoImpresora::Ejecuta() {
  Impresoras->clear();
  Impresoras->addItems(Impresora().Nombres());
  Impresoras->setCurrentIndex(Impresora().Indice());
  if (ui::PuertaModal::EjecutaDialogo(*this, objectName()) != QDialog::Accepted) return false;
  if (Impresoras->currentIndex() >= 0) Impresora().FijaIndice(Impresoras->currentIndex());
  return true;
}

DialogoConfiguraImpresora::DialogoConfiguraImpresora(QWidget* padre, const QString& nombre)
    : DialogoImpresora(padre, nombre, QStringLiteral("Configurar Impresora")) {
  auto* grupo = new QGroupBox(QStringLiteral("Orientación"), this);
  auto* opciones = new QVBoxLayout(grupo);
  Vertical = Nombrado(new QRadioButton(QStringLiteral("Vertical"), grupo), "Vertical");
  Horizontal = Nombrado(new QRadioButton(QStringLiteral("Horizontal"), grupo), "Horizontal");
  opciones->addWidget(Vertical);
  opciones->addWidget(Horizontal);
  cuerpo_->addWidget(grupo);
}

bool DialogoConfiguraImpresora::Execute() {
  const bool horizontal = Impresora().orientacion() == print::Orientacion::Horizontal;
  Horizontal->setChecked(horizontal);
  Vertical->setChecked(!horizontal);
  if (!Ejecuta()) return false;
  Impresora().FijaOrientacion(Horizontal->isChecked() ? print::Orientacion::Horizontal
                                                      : print::Orientacion::Vertical);
  return true;
}

DialogoImpresion::DialogoImpresion(QWidget* padre, const QString& nombre)
    : DialogoImpresora(padre, nombre, QStringLiteral("Imprimir")) {
  auto* grupo = new QGroupBox(QStringLiteral("Intervalo de impresión"), this);
  auto* opciones = new QVBoxLayout(grupo);
  Todas = Nombrado(new QRadioButton(QStringLiteral("Todas"), grupo), "Todas");
  opciones->addWidget(Todas);
  auto* intervalo = new QHBoxLayout;
  Paginas = Nombrado(new QRadioButton(QStringLiteral("Páginas"), grupo), "Paginas");
  intervalo->addWidget(Paginas);
  intervalo->addWidget(new QLabel(QStringLiteral("desde:"), grupo));
  Desde = Nombrado(new QSpinBox(grupo), "Desde");
  intervalo->addWidget(Desde);
  intervalo->addWidget(new QLabel(QStringLiteral("hasta:"), grupo));
  Hasta = Nombrado(new QSpinBox(grupo), "Hasta");
  intervalo->addWidget(Hasta);
  opciones->addLayout(intervalo);
  cuerpo_->addWidget(grupo);
  // Typing a page chooses the range.
  for (QSpinBox* pagina : {Desde, Hasta})
    connect(pagina, &QSpinBox::valueChanged, this, [this] { Paginas->setChecked(true); });
}

bool DialogoImpresion::Execute() {
  const int ultima = std::max(MinPage, MaxPage);
  for (QSpinBox* pagina : {Desde, Hasta}) {
    const QSignalBlocker bloqueo(pagina);
    pagina->setRange(MinPage, ultima);
  }
  {
    const QSignalBlocker d(Desde), h(Hasta);
    Desde->setValue(std::clamp(FromPage, MinPage, ultima));
    Hasta->setValue(std::clamp(ToPage, MinPage, ultima));
  }
  Todas->setChecked(PrintRange == Rango::Todas);
  Paginas->setChecked(PrintRange == Rango::Paginas);
  if (!Ejecuta()) return false;
  PrintRange = Paginas->isChecked() ? Rango::Paginas : Rango::Todas;
  if (PrintRange == Rango::Todas) {
    FromPage = MinPage;
    ToPage = ultima;
  } else {
    FromPage = std::min(Desde->value(), Hasta->value());
    ToPage = std::max(Desde->value(), Hasta->value());
  }
  return true;
}
