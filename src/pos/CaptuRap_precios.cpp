// The price of a line on the sale screen and the commands around it:
// "Cambio Precio" unlocks the price column, "Descuento" unlocks the
// document discount.

#include "foundation/adminis.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/CamposRegistro.h"
#include "inventory/ConPro.h"
#include "inventory/RegistroProducto.h"
#include "platform/ui/Aplicacion.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/Corte.h"
#include "pos/PreciosVenta.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

#include <memory>

namespace {

const QString kPrecio = QStringLiteral("PRECIO");

}  // namespace

void TFormaCapturaRapida::ConectaPrecios() {
  AsignaComando(MainMenu1->findChild<QAction*>(QStringLiteral("CambioPrecio1")), [this] { CambioPrecio1Click(); });
  AsignaComando(MainMenu1->findChild<QAction*>(QStringLiteral("ChecarPrecio1")), [this] { ChecarPrecio1Click(); });
  AsignaComando(BoronDescuento, [this] { BoronDescuentoClick(); });
}

Dinero TFormaCapturaRapida::AsignaPrecioLista(int lista) {
  PostPendiente(*TablaTotal);
  db::Campo& precio = TablaDeta->FieldByName(kPrecio);
  const PrecioDeLista r = PrecioLista(ProductoActual(*TablaInventario), lista, registro::LeeImporte(precio));
  EditaFila(*TablaDeta);
  registro::Escribe(precio, r.precio);
  return r.resultado;
}

Dinero TFormaCapturaRapida::PrecioPorVolumen(double cantidad) const {
  return ::PrecioPorVolumen(ProductoActual(*TablaInventario), cantidad, FactorPrecioPago);
}

double TFormaCapturaRapida::DescuentoClienteLinea(const QString& cliente, const QString& linea) const {
  return ::DescuentoClienteLinea(RutaDatosVenta, cliente, linea);
}

void TFormaCapturaRapida::AsignaPrecioPartida() {
  const TRegistroProducto producto = ProductoActual(*TablaInventario);
  const ReglasPrecio reglas{ListaPrecioCliente, Conf.PoliticasPrecios, Conf.DescuentosClienteLinea, FactorPrecioPago};
  const double descuento =
      reglas.descuentosLinea ? DescuentoClienteLinea(EditCLCLI_F->text(), producto.LIPRO_I) : 0;
  PostPendiente(*TablaTotal);
  db::Campo& precio = TablaDeta->FieldByName(kPrecio);
  const double cantidad = TablaDeta->FieldByName(QStringLiteral("CANTIDAD")).AsFloat();
  const std::optional<Dinero> nuevo =
      PrecioPartida(producto, cantidad, registro::LeeImporte(precio), reglas, descuento);
  EditaFila(*TablaDeta);
  registro::Escribe(precio, nuevo);
}

void TFormaCapturaRapida::CambioPrecio1Click() {
  bool concedido = usuario->text() == QStringLiteral("0");
  if (!concedido) {
    auto clave = std::make_unique<TFormaAdministrador>();
    clave->ShowModal();
    concedido = clave->Tag() == 1 ||
                TieneDerecho(ValidaClaveUsuario(clave->Clave->text()), DerechoCambiarPrecios);
  }
  if (!concedido) return;
  PrecioDesbloqueado = true;
  if (ui::Tag(BotonNuevo) != 1 && ui::Tag(BotonCambios) != 1) {
    PrecioDesbloqueado = false;
    return;
  }
  int columna = 0;
  while (columna < Detalle->Columnas() && Detalle->Columna(columna).campo.compare(kPrecio, Qt::CaseInsensitive) != 0)
    ++columna;
  // The grid takes the focus first: entering it sends it to column 0.
  Detalle->setFocus(Qt::OtherFocusReason);
  Detalle->SetSelectedIndex(columna);
  Detalle->edit(Detalle->currentIndex());
  if (!HayFila(*TablaDeta)) return;
  const QString clave = TablaDeta->FieldByName(QStringLiteral("CLAVE")).AsString();
  if (!HayFila(*TablaInventario) || clave != TablaInventario->FieldByName(QStringLiteral("CLPRO_I")).AsString())
    TablaInventario->FindKey({clave});
}

void TFormaCapturaRapida::ChecarPrecio1Click() {
  // A look at the catalogue by description: the key chosen is not used.
  QString clave;
  BuscaProductoPorOrden(QString(), 1, 2, Conf.BusquedaAvanzada, clave);
}

void TFormaCapturaRapida::BoronDescuentoClick() {
  auto clave = std::make_unique<TFormaAdministrador>();
  clave->Label1->setText(QStringLiteral("Esta Opción Esta Limitada"));
  clave->Label2->setText(QStringLiteral("Introduzca su Clave"));
  clave->ShowModal();
  const int numero = ValidaClaveUsuario(clave->Clave->text());
  if (!TieneDerecho(numero, DerechoDescuentosConClave)) {
    EditDESFI_F->setReadOnly(true);
    Detalle->setFocus(Qt::OtherFocusReason);
    (IniciaenClave1->isChecked() ? EditClave : EditCantidad)->setFocus(Qt::OtherFocusReason);
    return;
  }
  const QString quien = QString::number(numero);
  EditDESFI_F->setReadOnly(false);
  EditaFila(*TablaFacturae);
  TablaFacturae->FieldByName(QStringLiteral("USUARIO")).SetAsString(quien);
  EditDESFI_F->setFocus(Qt::OtherFocusReason);
  QString nombre;
  LeeNombreUsuario(quien, CarpetaPrograma(QString()), nombre);
  RegistraHistorial(BitacoraVenta, RutaDatosCorte, u'R', EditCLDOC_F->text(), QStringLiteral("DESCUENTO"), nombre);
}
