#include "pos/CalculaxPrecio.h"

#include "inventory/ConPro.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/Eventos.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/XPrecio.h"

#include <QLabel>
#include <QPushButton>

namespace {

bool EsEnter(int tecla) { return tecla == Qt::Key_Return || tecla == Qt::Key_Enter; }

QLabel* Etiqueta(QWidget* padre, const char* nombre, const QString& texto, const QRect& donde) {
  auto* l = new QLabel(texto, padre);
  l->setObjectName(QString::fromLatin1(nombre));
  l->setGeometry(donde);
  return l;
}

ui::EditDatos* Campo(QWidget* padre, const char* nombre, const QRect& donde) {
  auto* e = new ui::EditDatos(padre);
  e->setObjectName(QString::fromLatin1(nombre));
  e->setGeometry(donde);
  return e;
}

QPushButton* Boton(QWidget* padre, const char* nombre, const QString& texto, const QRect& donde) {
  auto* b = new QPushButton(texto, padre);
  b->setObjectName(QString::fromLatin1(nombre));
  b->setGeometry(donde);
  return b;
}

}  // namespace

TFormaCalculaxPrecio::TFormaCalculaxPrecio(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaCalculaxPrecio>() = this;
  setObjectName(QStringLiteral("FormaCalculaxPrecio"));
  setWindowTitle(QStringLiteral("Calcular x Precio"));
  setFixedSize(280, 152);
  SetKeyPreview(true);

  Label1 = Etiqueta(this, "Label1", QStringLiteral("Importe"), {16, 16, 70, 20});
  DBEdit1 = Campo(this, "DBEdit1", {90, 12, 170, 26});
  Clave = Etiqueta(this, "Clave", QStringLiteral("Clave"), {16, 52, 70, 20});
  DBEdit2 = Campo(this, "DBEdit2", {90, 48, 170, 26});
  Label3 = Etiqueta(this, "Label3", QStringLiteral("_"), {16, 82, 240, 20});
  BitBtn1 = Boton(this, "BitBtn1", QStringLiteral("Aceptar"), {40, 112, 90, 28});
  BitBtn2 = Boton(this, "BitBtn2", QStringLiteral("Cancelar"), {150, 112, 90, 28});

  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { Close(); });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] { Close(); });
  ui::Conecta(&ui::Eventos::De(DBEdit1), &ui::Eventos::KeyDown, this,
              [this](int& tecla, Qt::KeyboardModifiers) { DBEdit1KeyDown(tecla); });
  ui::Conecta(&ui::Eventos::De(DBEdit2), &ui::Eventos::KeyDown, this,
              [this](int& tecla, Qt::KeyboardModifiers) { DBEdit2KeyDown(tecla); });
  ui::Conecta(&ui::Eventos::De(DBEdit2), &ui::Eventos::Exit, this, [this] { Calcula(); });
  ui::CentraEnPantalla(*this);
}

CapturaCalculadora TFormaCalculaxPrecio::Captura() const {
  if (captura_.deta) return captura_;
  TFormaCapturaRapida* venta = FormaCapturaRapida();
  if (!venta) return {};
  return {venta->FuenteTablaDeta, venta->TablaDeta, venta->TablaInventario, venta->Detalle, venta->EditCantidad};
}

void TFormaCalculaxPrecio::FormShow() {
  const CapturaCalculadora captura = Captura();
  if (!captura.deta) return;
  DBEdit1->SetFuente(captura.fuente);
  DBEdit1->SetCampo(QStringLiteral("IMPORTE"));
  DBEdit2->SetFuente(captura.fuente);
  DBEdit2->SetCampo(QStringLiteral("CLAVE"));
  DBEdit1->setReadOnly(false);
  EditaFila(*captura.deta);
  DBEdit1->setFocus(Qt::OtherFocusReason);
  DBEdit1->selectAll();
}

void TFormaCalculaxPrecio::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  if (tecla != Qt::Key_Escape) return;
  tecla = 0;
  Close();
}

void TFormaCalculaxPrecio::DBEdit1KeyDown(int& tecla) {
  if (!EsEnter(tecla)) return;
  tecla = 0;
  DBEdit2->setFocus(Qt::OtherFocusReason);
  DBEdit2->selectAll();
}

void TFormaCalculaxPrecio::DBEdit2KeyDown(int& tecla) {
  if (EsEnter(tecla)) {
    tecla = 0;
    // Leaving the key computes the row.
    BitBtn1->setFocus(Qt::OtherFocusReason);
  } else if (tecla == Qt::Key_F2) {
    tecla = 0;
    BuscaClave();
  }
}

void TFormaCalculaxPrecio::BuscaClave() {
  const CapturaCalculadora captura = Captura();
  if (!captura.deta) return;
  ui::SetTag(captura.detalle, 3);
  PostPendiente(*captura.deta);
  EditaFila(*captura.deta);
  db::Campo& clave = captura.deta->FieldByName(QStringLiteral("CLAVE"));
  QString elegida;
  BuscaProducto(clave.AsString(), 1, elegida);
  clave.SetAsString(elegida);
  Calcula();
}

void TFormaCalculaxPrecio::Calcula() {
  const CapturaCalculadora captura = Captura();
  if (calculado_ || !captura.deta || !isVisible()) return;
  calculado_ = true;
  try {
    if (CalculaPrecioPorImporte(*captura.deta, *captura.inventario) == ResultadoXPrecio::Calculado)
      captura.detalle->SetSelectedIndex(1);
  } catch (...) {
    // The window stays open: leaving the key again tries once more.
    calculado_ = false;
    throw;
  }
  Close();
  captura.cantidad->setFocus(Qt::OtherFocusReason);
}
