#include "pos/PreciosVenta.h"

#include "inventory/RegistroProducto.h"
#include "pos/ImportesVenta.h"
#include "platform/db/Tabla.h"
#include "shell/LugarTablas.h"

#include <array>

namespace {

constexpr int kListas = 7;

}  // namespace

PrecioDeLista PrecioLista(const TRegistroProducto& producto, int lista, std::optional<Dinero> actual) {
  if (lista < 1) lista = 1;
  PrecioDeLista r{actual, actual.value_or(Dinero())};
  if (producto.TieneLista(lista)) {
    r.precio = producto.Precio(lista);
    r.resultado = r.precio.value_or(Dinero());
  }
  if (!r.precio || *r.precio == Dinero()) {
    r.precio = producto.PPUBL_I;
    r.resultado = producto.PPUBL_I.value_or(Dinero());
  }
  return r;
}

Dinero PrecioPorVolumen(const TRegistroProducto& producto, double cantidad, double factor) {
  std::array<Dinero, kListas> p;
  std::array<double, kListas> q;
  for (int i = 0; i < kListas; ++i) {
    p[i] = producto.Precio(i + 1).value_or(Dinero());
    q[i] = producto.Politica(i + 1).value_or(0);
  }
  int mayor = 0;
  for (int i = 1; i < kListas; ++i)
    if (q[i] > q[mayor]) mayor = i;
  if (cantidad >= q[mayor]) return PrecioLista(producto, mayor + 1, std::nullopt).resultado * factor;
  if (cantidad >= 0 && cantidad <= q[0]) return p[0] * factor;
  for (int i = 1; i < kListas - 1; ++i)
    if (cantidad > q[i - 1] && cantidad <= q[i]) return p[i] * factor;
  if (cantidad > q[kListas - 2]) return p[kListas - 1] * factor;
  return p[0];
}

double DescuentoClienteLinea(const QString& carpetaDatos, const QString& cliente, const QString& linea) {
  db::Tabla descuentos;
  ApuntaTabla(descuentos, QStringLiteral("ClieDesc.dbf"), db::Carpetas{carpetaDatos, {}, {}, {}});
  descuentos.SetIndexName(QStringLiteral("CLCLI_D"));
  descuentos.SetReadOnly(true);
  descuentos.Open();
  descuentos.SetRange({cliente}, {cliente});
  const db::Campo& lineaFila = descuentos.FieldByName(QStringLiteral("LINEA_D"));
  for (descuentos.First(); !descuentos.Eof(); descuentos.Next())
    if (lineaFila.AsString() == linea) return descuentos.FieldByName(QStringLiteral("DESCU_D")).AsFloat();
  return 0;
}

std::optional<Dinero> PrecioPartida(const TRegistroProducto& producto, double cantidad,
                                    std::optional<Dinero> actual, const ReglasPrecio& reglas,
                                    double descuentoCliente) {
  std::optional<Dinero> precio;
  if (reglas.listaCliente > 0) precio = PrecioLista(producto, reglas.listaCliente, actual).precio;
  else if (reglas.politicas) precio = PrecioPorVolumen(producto, cantidad, reglas.factor);
  else precio = PrecioLista(producto, 1, actual).precio;
  if (reglas.descuentosLinea) {
    const Dinero publico = producto.PPUBL_I.value_or(Dinero());
    precio = publico - DescuentoDeLinea(1, publico, descuentoCliente);
  }
  return precio;
}
