#include "app/NavegadorCatalogos.h"

#include "customers/Clientes.h"
#include "customers/CxCDocumento.h"
#include "customers/Vendedor.h"
#include "foundation/dialogos.h"
#include "inventory/ConPro.h"
#include "inventory/Inven.h"
#include "inventory/movinv.h"
#include "legacy/Factu.h"
#include "purchasing/Compras.h"
#include "purchasing/Proveedo.h"
#include "reports/ConsCata.h"
#include "shell/Principa.h"

#include <QLabel>

namespace {

// Each record window is shown on the key of the browser's row, with the
// browser's user. The sales document tables open the legacy document window.

void AbreCliente(const RegistroCatalogo& r) {
  TFormaClientes* clientes = FormaClientes();
  if (!clientes) return;
  clientes->PosicionaCliente(r.clave, 0);
  clientes->Usuario->setText(r.usuario);
  clientes->Show();
}

// Shown where it stands.
void AbreProveedor(const RegistroCatalogo& r) {
  TFormaProveedo* proveedores = FormaProveedo();
  if (!proveedores) return;
  proveedores->Usuario->setText(r.usuario);
  proveedores->Show();
}

// A receipt: the purchase window on the row's document.
void AbreCompra(const RegistroCatalogo& r) {
  TFormaCompras* compras = FormaCompras();
  if (!compras) return;
  compras->Usuario->setText(r.usuario);
  compras->PosicionaCompra(r.clave);
  compras->Show();
}

// Made for the occasion, as the main menu makes it, on the row's seller.
void AbreVendedor(const RegistroCatalogo& r) {
  TFormaVendedor vendedores;
  vendedores.Usuario->setText(r.usuario);
  vendedores.PosicionaVendedor(r.clave);
  vendedores.ShowModal();
}

// A product window busy entering or changing a product is left as it is,
// with its own user, and brought forward so the user can finish there.
void AbreProducto(const RegistroCatalogo& r) {
  TFormaInventario* inventario = FormaInventario();
  if (!inventario) return;
  if (!inventario->PosicionaProducto(r.clave)) {
    MuestraMensaje(QStringLiteral("En la ventana de Inventario se está capturando un producto; guárdelo o "
                                  "descártelo antes de abrir otro"));
    inventario->Show();
    return;
  }
  inventario->Usuario->setText(r.usuario);
  inventario->Show();
}

// On the last movement document, whatever the row.
void AbreMovimientos(const RegistroCatalogo& r) {
  TFormaMovimientosInventario movimientos;
  PreparaMovimientosInventario();
  movimientos.Usuario->setText(r.usuario);
  movimientos.ShowModal();
}

}  // namespace

void UneNavegadorCatalogos(TFormaPrincipal& principal) {
  principal.UneNavegador(CreaNavegadorCatalogo);
  UneAperturaCatalogo(QStringLiteral("cliente.dbf"), AbreCliente);
  UneAperturaCatalogo(QStringLiteral("proveedo.dbf"), AbreProveedor);
  UneAperturaCatalogo(QStringLiteral("vendedor.dbf"), AbreVendedor);
  UneAperturaCatalogo(QStringLiteral("comprase.dbf"), AbreCompra);
  UneAperturaCatalogo(QStringLiteral("inventar.dbf"), AbreProducto);
  UneAperturaCatalogo(QStringLiteral("movinven.dbf"), AbreMovimientos);
  UneDocumentosFactura();
  // A receivable row: the invoice account of its document (fourth column).
  UneAperturaCatalogo(QStringLiteral("cucobrar.dbf"),
                      [](const RegistroCatalogo& r) { MuestraCuentasDocumento(r.usuario, r.cuartaColumna); });
  UneBusquedaProductoCatalogo([](const QString& inicial) {
    QString clave;
    BuscaProducto(inicial, 1, clave);
    return clave;
  });
}
