#include "purchasing/DesglosaTotal.h"

#include "formats/ImporteLetra.h"
#include "foundation/rutinas_numero.h"
#include "platform/ui/Colores.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <memory>

namespace {

const QString kMascaraDesglose = QStringLiteral("###,###,##0.00");

}  // namespace

QString ImporteDesglose(Dinero importe) {
  return FormatoImporte(kMascaraDesglose, importe.Texto(), QStringLiteral("$"));
}

TFormaDesglosaTotal::TFormaDesglosaTotal(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaDesglosaTotal>() = this;
  setObjectName(QStringLiteral("FormaDesglosaTotal"));
  setWindowTitle(QStringLiteral("Totales"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(391, 180);
  SetKeyPreview(true);
  QPalette fondo = palette();
  fondo.setColor(QPalette::Window, ui::ColorQt(ui::clSilver, fondo));
  setPalette(fondo);
  setAutoFillBackground(true);

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  auto* rejilla = new QGridLayout(panel);
  QFont valores(QStringLiteral("Courier New"));
  valores.setBold(true);
  const QColor rojo = ui::ColorQt(ui::clRed, fondo);
  const auto fila = [&](int n, const QString& titulo, const char* nombre, bool enRojo) {
    auto* etiqueta = new QLabel(titulo, panel);
    auto* valor = new QLabel(QStringLiteral("0"), panel);
    valor->setObjectName(QString::fromLatin1(nombre));
    valor->setFont(valores);
    valor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (enRojo) {
      for (QLabel* l : {etiqueta, valor}) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, rojo);
        l->setPalette(p);
      }
    }
    rejilla->addWidget(etiqueta, n, 0);
    rejilla->addWidget(valor, n, 1);
    return valor;
  };
  SubTotal = fila(0, QStringLiteral("SubTotal"), "SubTotal", false);
  Descuento = fila(1, QStringLiteral("Descuento Comercial"), "Descuento", false);
  DescuentoFin = fila(2, QStringLiteral("Descuento Financiero"), "DescuentoFin", false);
  Iva = fila(3, QStringLiteral("I.V.A."), "Iva", false);
  Total = fila(4, QStringLiteral("TOTAL"), "Total", true);

  Letra1 = new QLabel(this);
  Letra1->setObjectName(QStringLiteral("Letra1"));
  Letra1->setFont(QFont(QStringLiteral("Arial"), 7));
  Letra1->setWordWrap(true);
  Letra2 = new QLabel(this);
  Letra2->setObjectName(QStringLiteral("Letra2"));
  Letra2->hide();
  auto* capa = new QVBoxLayout(this);
  capa->setContentsMargins(6, 6, 6, 6);
  capa->addWidget(panel);
  capa->addWidget(Letra1);
  capa->addWidget(Letra2);
}

void TFormaDesglosaTotal::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  tecla = 0;
  Close();
}

void MuestraDesglosaTotal(Dinero subtotal, Dinero descuento, Dinero descuentoFinanciero, Dinero impuesto,
                          Dinero total, QWidget* owner) {
  auto ventana = std::make_unique<TFormaDesglosaTotal>(owner);
  ventana->SubTotal->setText(ImporteDesglose(subtotal));
  ventana->Descuento->setText(ImporteDesglose(descuento));
  ventana->DescuentoFin->setText(ImporteDesglose(descuentoFinanciero));
  ventana->Iva->setText(ImporteDesglose(impuesto));
  ventana->Total->setText(ImporteDesglose(total));
  ventana->Letra1->setText(ImporteConLetra(total.Real()));
  ventana->Letra2->clear();
  ventana->ShowModal();
}
