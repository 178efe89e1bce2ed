#include "pos/PartidasVenta.h"

#include "foundation/rutinas_numero.h"
#include "inventory/CamposRegistro.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "pos/ImportesVenta.h"
#include "pos/PreciosVenta.h"

#include <QHash>

namespace {

db::Campo& Campo(db::Dataset& d, const char* nombre) { return d.FieldByName(QString::fromLatin1(nombre)); }

}  // namespace

QString FiltraNumero(const QString& texto) {
  QString numero;
  for (const QChar c : texto)
    if (c >= u'.' && c <= u'9') numero += c;
  return numero;
}

double SemejanzaDescripcion(db::Tabla& productos, const QString& texto) {
  if (texto.isEmpty()) return 0;
  const QString buscado = texto.toUpper();
  const QString tag = productos.IndexName();
  QString descripcion;
  productos.SetIndexName(kTagDescripcionProducto);
  try {
    productos.FindNearest({buscado});
    if (!productos.Eof()) descripcion = productos.FieldByName(QStringLiteral("DSCPR_I")).AsString();
  } catch (...) {
    productos.SetIndexName(tag);
    throw;
  }
  productos.SetIndexName(tag);
  int iguales = 0;
  for (int i = 0; i < buscado.size() && i < descripcion.size(); ++i)
    if (buscado[i] == descripcion[i]) ++iguales;
  return static_cast<double>(iguales) / buscado.size();
}

void SumaCantidadesPorClave(db::Dataset& captura, QStringList& claves, QStringList& cantidades) {
  QStringList orden;
  QHash<QString, double> suma;
  db::Campo& clave = Campo(captura, "CLAVE");
  db::Campo& cantidad = Campo(captura, "CANTIDAD");
  for (captura.First(); !captura.Eof(); captura.Next()) {
    const QString k = clave.AsString();
    if (!suma.contains(k)) orden << k;
    suma[k] += cantidad.AsFloat();
  }
  claves = orden;
  cantidades.clear();
  for (const QString& k : orden) cantidades << TextoReal(suma.value(k));
}

double CantidadDeClave(const QStringList& claves, const QStringList& cantidades, const QString& clave) {
  const qsizetype i = claves.indexOf(clave);
  return i < 0 ? 0 : ValorNumerico(cantidades.value(i));
}

std::optional<Dinero> CostoDeProducto(const TRegistroProducto& producto) {
  const bool promedio = producto.TICOS_I.isEmpty() || producto.TICOS_I == u"PROM";
  return promedio ? producto.CPROM_I : producto.ULCOS_I;
}

double FactorDeProducto(const TRegistroProducto& producto) { return producto.UEMPA_I.value_or(1); }

void DatosDeProducto(db::Dataset& captura, const TRegistroProducto& producto) {
  Campo(captura, "PRODUCTO").SetAsString(producto.DSCPR_I);
  Campo(captura, "FACTOR").SetAsFloat(FactorDeProducto(producto));
  Campo(captura, "TIPO").SetAsString(producto.KITXX_I == u"S" ? QStringLiteral("K") : QString());
  Campo(captura, "UNIDAD").SetAsString(producto.UMEDI_I);
  Campo(captura, "PROVEEDOR").SetAsString(producto.CLPR1_I);
  registro::Escribe(Campo(captura, "IMPUESTO"), producto.PIVA1_I);
  registro::Escribe(Campo(captura, "FPGC"), producto.FPGCC_I);
  db::Campo& descuento = Campo(captura, "DESCUENTO");
  if (descuento.AsFloat() <= 0) registro::Escribe(descuento, producto.DESCU_I);
}

void CostoDePartida(db::Dataset& captura, const TRegistroProducto& producto) {
  registro::Escribe(Campo(captura, "IEPS1"), producto.PIVA2_I);
  Campo(captura, "TARA").SetAsString(producto.UEMPA_I ? TextoReal(*producto.UEMPA_I) : QString());
  registro::Escribe(Campo(captura, "COSTO"), CostoDeProducto(producto));
}

void RehacePartidaDeProducto(db::Dataset& captura, const TRegistroProducto& producto, double factor) {
  const double cantidad = Campo(captura, "CANTIDAD").AsFloat();
  Campo(captura, "PRODUCTO").SetAsString(producto.DSCPR_I);
  Campo(captura, "UNIDAD").SetAsString(producto.UMEDI_I);
  Campo(captura, "PROVEEDOR").SetAsString(producto.CLPR1_I);
  const Dinero precio = registro::LeeImporte(Campo(captura, "PRECIO")).value_or(Dinero());
  registro::Escribe(Campo(captura, "IMPORTE"),
                    std::optional(ImporteLinea(cantidad, precio, Campo(captura, "DESCUENTO").AsFloat())));
  registro::Escribe(Campo(captura, "IMPUESTO"), producto.PIVA1_I);
  registro::Escribe(Campo(captura, "IEPS1"), producto.PIVA2_I);
  Campo(captura, "TARA").SetAsString(producto.UEMPA_I ? TextoReal(*producto.UEMPA_I) : QString());
  registro::Escribe(Campo(captura, "FPGC"), producto.FPGCC_I);
  db::Campo& descuento = Campo(captura, "DESCUENTO");
  if (descuento.AsFloat() <= 0) registro::Escribe(descuento, producto.DESCU_I);
  registro::Escribe(Campo(captura, "PRECIO"), std::optional(PrecioPorVolumen(producto, cantidad, factor)));
}

QString TextoExistencia(const TRegistroProducto& producto) {
  return producto.EXIST_I ? TextoReal(*producto.EXIST_I) : QString();
}
