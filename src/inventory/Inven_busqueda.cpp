// The product window's moves: previous and next, the quick search, the
// product lookup (F12), the orders of the table, and the entry of the
// catalogue browser.

#include "inventory/Inven.h"

#include "foundation/Glyps.h"
#include "foundation/buscar.h"
#include "inventory/ConPro.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

void TFormaInventario::Mueve(bool adelante) {
  if (!TablaInventario->Active()) return;
  if (adelante) TablaInventario->Next();
  else TablaInventario->Prior();
  MuestraProducto();
}

void TFormaInventario::ConsultaProducto() {
  QString clave = EditCLPRO_I->text();
  BuscaProducto(EditCLPRO_I->text(), 1, clave);
  // The lookup answers a key: found on the key tag, then shown in the order
  // the user chose (the table stays on the row when its tag changes).
  const QString orden = TablaInventario->IndexName();
  TablaInventario->SetIndexName(kTagClaveProducto);
  const bool encontrado = TablaInventario->FindKey({clave});
  TablaInventario->SetIndexName(orden);
  if (encontrado) MuestraProducto();
}

void TFormaInventario::Ordena(const QString& tag, const QString& titulo) {
  TablaInventario->SetIndexName(tag);
  setWindowTitle(titulo);
}

void TFormaInventario::Clave1Click() { Ordena(kTagClaveProducto, kOrdenClave); }
void TFormaInventario::Dscripcin1Click() { Ordena(kTagDescripcionProducto, kOrdenDescripcion); }
void TFormaInventario::Cdigo21Click() { Ordena(kTagCodigoProducto, kOrdenCodigo); }

void TFormaInventario::BotonBuscarClick() {
  if (Editando()) return;
  TotalesSoloAdministrador();
  TFormaBusqueda busqueda(this);
  busqueda.resize(busqueda.width() + 50, busqueda.height());
  busqueda.Nombre->setText(QStringLiteral("Por Descripción (F2)"));
  busqueda.ShowModal();
  const QString texto = busqueda.CajaBuscar->text();
  if (busqueda.Clave->isChecked()) {
    // The key, else the second code, else the nearest key; in key order.
    Ordena(kTagClaveProducto, kOrdenClave);
    if (!TablaInventario->FindKey({texto})) {
      TablaInventario->SetIndexName(kTagCodigoProducto);
      const bool porCodigo = TablaInventario->FindKey({texto});
      TablaInventario->SetIndexName(kTagClaveProducto);
      if (!porCodigo) TablaInventario->FindNearest({texto});
    }
  } else {
    Ordena(kTagDescripcionProducto, kOrdenDescripcion);
    TablaInventario->FindNearest({texto});
  }
  HabilitaDatos(false);
  MuestraProducto();
}

void TFormaInventario::ConservaProducto(const std::function<void()>& recorrido) {
  const qint64 registro = TablaInventario->Active() && !TablaInventario->IsEmpty() ? TablaInventario->RecNo() : 0;
  struct Vuelve {
    TFormaInventario& f;
    qint64 registro;
    ~Vuelve() {
      if (registro > 0) f.TablaInventario->VeARegistro(registro);
      f.MuestraProducto();
    }
  } vuelve{*this, registro};
  recorrido();
}

bool TFormaInventario::PosicionaProducto(const QString& clave) {
  // A product being entered or changed keeps the table on its row.
  if (Editando()) return false;
  if (Tag() == 0) {
    SetTag(1);
    PreparaTablas();
    HabilitaDatos(false);
    EditCLPRO_I->clear();
    BotonGuardar->setEnabled(false);
    ui::SetTag(BotonCambios, 0);
    // An edit and a post give the first product its warehouse.
    if (TablaInventario->Active() && !TablaInventario->IsEmpty()) {
      TablaInventario->Edit();
      TablaInventario->Post();
    }
    CopiaGlyps(*this);
    MuestraProducto();
  }
  TablaInventario->SetIndexName(kTagClaveProducto);
  TablaInventario->FindKey({clave});
  MuestraProducto();
  return true;
}
