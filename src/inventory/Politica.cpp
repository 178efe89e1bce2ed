#include "inventory/Politica.h"

#include "foundation/decimal.h"
#include "inventory/CamposRegistro.h"
#include "inventory/RegistroProducto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/FuenteDatos.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kAltoFila = 28;
constexpr int kPrimeraFila = 34;

}  // namespace

TFormaPolitica::TFormaPolitica(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaPolitica>() = this;
  setObjectName(QStringLiteral("FormaPolitica"));
  setWindowTitle(QStringLiteral("Política de Precios"));
  setFixedSize(400, 290);
  SetKeyPreview(true);

  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));

  const auto etiqueta = [this](const QString& texto, int x, int y, int ancho) {
    auto* l = new QLabel(texto, this);
    l->setGeometry(x, y, ancho, 17);
    return l;
  };
  etiqueta(QStringLiteral("Precio"), 40, 12, 110);
  etiqueta(QStringLiteral("Política"), 176, 12, 100);
  etiqueta(QStringLiteral("% de Utilidad"), 296, 12, 90);

  // Row by row, so the focus goes price, limit, percentage, next row.
  const auto caja = [this](int numero, const QString& campo, int x, int y, int ancho) {
    auto* e = new ui::EditDatos(this);
    e->setObjectName(QStringLiteral("DBEdit%1").arg(numero));
    e->SetFuente(DataSource1);
    e->SetCampo(campo);
    e->setGeometry(x, y, ancho, 23);
    return e;
  };
  for (int n = 1; n <= kFilasPolitica; ++n) {
    const int y = kPrimeraFila + (n - 1) * kAltoFila;
    etiqueta(QStringLiteral("%1:").arg(n), 12, y + 3, 20);
    Precios[n - 1] = caja(n, CampoPrecioLista(n), 36, y, 110);
    etiqueta(QStringLiteral("<="), 154, y + 3, 18);
    Politicas[n - 1] = caja(kFilasPolitica + n, QStringLiteral("POLI%1_I").arg(n), 176, y, 100);
    Porcentajes[n - 1] = caja(2 * kFilasPolitica + n, QStringLiteral("PORC%1_I").arg(n), 296, y, 80);
    ui::Conecta(&ui::Eventos::De(Porcentajes[n - 1]), &ui::Eventos::Exit, this, [this, n] { PorcentajeExit(n); });
  }

  BitBtn1 = new QPushButton(QStringLiteral("Aceptar"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(155, kPrimeraFila + kFilasPolitica * kAltoFila + 8, 90, 30);
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { Close(); });
}

void TFormaPolitica::FormShow() { Politicas[0]->setFocus(Qt::OtherFocusReason); }

void TFormaPolitica::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  if (tecla == Qt::Key_Escape) {
    Close();
    tecla = 0;
  } else if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter || tecla == Qt::Key_Down) {
    focusNextPrevChild(true);
    tecla = 0;
  } else if (tecla == Qt::Key_Up) {
    focusNextPrevChild(false);
  }
}

void TFormaPolitica::PorcentajeExit(int fila) {
  // An empty box changes nothing; a text that is no number was refused by
  // the box itself, which keeps the field as it was.
  const QString texto = Porcentajes[fila - 1]->text();
  db::Dataset* productos = DataSource1->DataSet();
  if (texto.isEmpty() || !LeeDecimal(texto) || !productos || !productos->Active()) return;
  if (productos->State() == db::Dataset::Estado::Navegando) productos->Edit();
  TRegistroProducto producto;
  producto.Lee(*productos);
  if (producto.ULCOS_I && *producto.ULCOS_I > Dinero()) {
    const std::optional<Dinero> precio = RedondeaPrecio(Tag(), *producto.PrecioDesdeCosto(fila));
    registro::Escribe(productos->FieldByName(CampoPrecioLista(fila)), precio);
  }
  productos->Post();
}

Dinero RedondeaPrecio(int paso, Dinero valor) {
  const std::int64_t s = std::int64_t{paso} * 10;  // the step in cents
  if (s <= 0) return valor;
  const std::int64_t d = valor.Diezmilesimas();
  const std::int64_t centavos = (d % Dinero::kEscala) / 100;  // truncated, with the value's sign
  const std::int64_t h = s / 2;
  const Dinero entero = Dinero::DeDiezmilesimas(d - d % Dinero::kEscala);
  if (centavos <= h) return entero;
  if (centavos < h + s) return entero + Dinero::DeDiezmilesimas(s * 100);
  return entero + Dinero(1);
}
