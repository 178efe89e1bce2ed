#include "pos/XPrecio.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas_numero.h"
#include "inventory/CamposRegistro.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "pos/PartidasVenta.h"

#include <array>
#include <cmath>
#include <optional>

namespace {

constexpr int kListas = 7;

// The list price that fits the amount (see the header).
std::optional<Dinero> PrecioParaImporte(const TRegistroProducto& producto, Dinero importe) {
  std::array<Dinero, kListas> precio;
  std::array<Dinero, kListas> limite;
  for (int i = 0; i < kListas; ++i) {
    precio[i] = producto.Precio(i + 1).value_or(Dinero());
    limite[i] = precio[i] * producto.Politica(i + 1).value_or(0);
  }
  if (limite[0] == Dinero()) return producto.PPUBL_I;
  Dinero elegido;
  for (int i = kListas - 1; i >= 0; --i) {
    if (precio[i] > Dinero()) {
      elegido = precio[i];
      break;
    }
  }
  for (int i = kListas - 1; i >= 0; --i)
    if (precio[i] > Dinero() && importe <= limite[i]) elegido = precio[i];
  return elegido;
}

}  // namespace

bool TieneFraccion(double valor) { return valor - std::trunc(valor) > 0; }

bool EsPieza(const QString& unidad) {
  const QString u = unidad.toLower();
  return u == u"pza" || u == u"pz";
}

bool CorrigePiezas(db::Dataset& captura) {
  db::Campo& cantidad = captura.FieldByName(QStringLiteral("CANTIDAD"));
  if (!EsPieza(captura.FieldByName(QStringLiteral("UNIDAD")).AsString()) || !TieneFraccion(cantidad.AsFloat()))
    return false;
  MuestraMensaje(kCantidadEnPiezas);
  if (captura.State() == db::Dataset::Estado::Navegando) captura.Edit();
  cantidad.SetAsFloat(std::trunc(cantidad.AsFloat()));
  return true;
}

ResultadoXPrecio CalculaPrecioPorImporte(db::Dataset& captura, db::Tabla& productos) {
  db::Campo& clave = captura.FieldByName(QStringLiteral("CLAVE"));
  if (clave.AsString() == kClaveComentario || !LocalizaProducto(productos, clave.AsString()))
    return ResultadoXPrecio::SinProducto;
  TRegistroProducto producto;
  producto.Lee(productos);

  if (captura.State() == db::Dataset::Estado::Navegando) captura.Edit();
  if (clave.AsString() != producto.CLPRO_I) clave.SetAsString(producto.CLPRO_I);
  captura.FieldByName(QStringLiteral("PRODUCTO")).SetAsString(producto.DSCPR_I);
  registro::Escribe(captura.FieldByName(QStringLiteral("FACTOR")), producto.UEMPA_I);
  captura.FieldByName(QStringLiteral("UNIDAD")).SetAsString(producto.UMEDI_I);
  const Dinero importe = registro::LeeImporte(captura.FieldByName(QStringLiteral("IMPORTE"))).value_or(Dinero());
  const std::optional<Dinero> precio = PrecioParaImporte(producto, importe);
  registro::Escribe(captura.FieldByName(QStringLiteral("PRECIO")), precio);
  registro::Escribe(captura.FieldByName(QStringLiteral("COSTO")), CostoDeProducto(producto));
  registro::Escribe(captura.FieldByName(QStringLiteral("IMPUESTO")), producto.PIVA1_I);
  if (precio && *precio != Dinero())
    captura.FieldByName(QStringLiteral("CANTIDAD")).SetAsFloat(Redondea(4, importe.Real() / precio->Real()));
  CorrigePiezas(captura);
  captura.Post();

  captura.Last();
  if (!captura.FieldByName(QStringLiteral("CLAVE")).AsString().isEmpty() &&
      !captura.FieldByName(QStringLiteral("PRODUCTO")).AsString().isEmpty()) {
    captura.Append();
    captura.FieldByName(QStringLiteral("CANTIDAD")).SetAsFloat(1);
  }
  return ResultadoXPrecio::Calculado;
}
