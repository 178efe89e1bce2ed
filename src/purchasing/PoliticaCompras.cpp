#include "purchasing/PoliticaCompras.h"

#include "inventory/CamposRegistro.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Dataset.h"
#include "platform/ui/Colores.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/FuenteDatos.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFormaPoliticaCompras::TFormaPoliticaCompras(QWidget* owner) : ui::Forma(owner) {
  setObjectName(QStringLiteral("FormaPoliticaCompras"));
  setWindowTitle(QStringLiteral("Política de Precios"));
  setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
  SetKeyPreview(true);
  // The window's own key handler moves the focus.
  SetMueveFocoConTeclas(false);
  QPalette fondo = palette();
  fondo.setColor(QPalette::Window, ui::ColorQt(static_cast<ui::TColor>(15263999), fondo));
  setPalette(fondo);
  setAutoFillBackground(true);

  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));

  auto* capa = new QVBoxLayout(this);
  LabelProducto = new QLabel(this);
  LabelProducto->setObjectName(QStringLiteral("LabelProducto"));
  LabelCosto = new QLabel(this);
  LabelCosto->setObjectName(QStringLiteral("LabelCosto"));
  capa->addWidget(LabelProducto);
  capa->addWidget(LabelCosto);
  auto* rejilla = new QGridLayout;
  capa->addLayout(rejilla);
  rejilla->addWidget(new QLabel(QStringLiteral("Precio"), this), 0, 1);
  rejilla->addWidget(new QLabel(QStringLiteral("Política"), this), 0, 3);
  rejilla->addWidget(new QLabel(QStringLiteral("% de Utilidad"), this), 0, 4);
  const auto caja = [this](int numero, const QString& campo) {
    auto* e = new ui::EditDatos(this);
    e->setObjectName(QStringLiteral("DBEdit%1").arg(numero));
    e->SetFuente(DataSource1);
    e->SetCampo(campo);
    return e;
  };
  // Created column by column: the focus walks the prices, the policies,
  // the percentages and then the package.
  for (int n = 1; n <= kFilasPolitica; ++n) {
    rejilla->addWidget(new QLabel(QStringLiteral("%1:").arg(n), this), n, 0);
    Precios[n - 1] = caja(n, CampoPrecioLista(n));
    rejilla->addWidget(Precios[n - 1], n, 1);
  }
  for (int n = 1; n <= kFilasPolitica; ++n) {
    rejilla->addWidget(new QLabel(QStringLiteral("<="), this), n, 2);
    Politicas[n - 1] = caja(kFilasPolitica + n, QStringLiteral("POLI%1_I").arg(n));
    rejilla->addWidget(Politicas[n - 1], n, 3);
  }
  for (int n = 1; n <= kFilasPolitica; ++n) {
    Porcentajes[n - 1] = caja(2 * kFilasPolitica + n, QStringLiteral("PORC%1_I").arg(n));
    rejilla->addWidget(Porcentajes[n - 1], n, 4);
    ui::Conecta(&ui::Eventos::De(Porcentajes[n - 1]), &ui::Eventos::Exit, this, [this, n] { PorcentajeExit(n); });
  }
  rejilla->addWidget(new QLabel(QStringLiteral("Empaque"), this), kFilasPolitica + 1, 0);
  Empaque = caja(3 * kFilasPolitica + 1, QStringLiteral("UEMPA_I"));
  rejilla->addWidget(Empaque, kFilasPolitica + 1, 1);
  BitBtn1 = new QPushButton(QStringLiteral("Aceptar"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  capa->addWidget(BitBtn1);
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { Acepta(); });
}

void TFormaPoliticaCompras::FormShow() { Precios[0]->setFocus(Qt::OtherFocusReason); }

void TFormaPoliticaCompras::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  if (tecla == Qt::Key_Escape) {
    tecla = 0;
    Close();
  } else if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter || tecla == Qt::Key_Down) {
    tecla = 0;
    focusNextPrevChild(true);
  } else if (tecla == Qt::Key_Up) {
    tecla = 0;
    focusNextPrevChild(false);
  }
}

void TFormaPoliticaCompras::PorcentajeExit(int fila) {
  db::Dataset* productos = DataSource1->DataSet();
  if (Porcentajes[fila - 1]->text().trimmed().isEmpty() || !productos || !productos->Active()) return;
  if (productos->State() == db::Dataset::Estado::Navegando) productos->Edit();
  TRegistroProducto producto;
  producto.Lee(*productos);
  const double porcentaje = producto.Porcentaje(fila).value_or(0);
  if (porcentaje > 0 && producto.ULCOS_I && *producto.ULCOS_I > Dinero()) {
    const std::optional<Dinero> precio = RedondeaPrecioPolitica(Tag(), *producto.PrecioDesdeCosto(fila));
    registro::Escribe(productos->FieldByName(CampoPrecioLista(fila)), precio);
  }
  productos->Post();
}

void TFormaPoliticaCompras::Acepta() {
  db::Dataset* productos = DataSource1->DataSet();
  if (productos && productos->State() != db::Dataset::Estado::Navegando) productos->Post();
  Close();
}
