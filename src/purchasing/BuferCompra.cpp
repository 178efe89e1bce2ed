#include "purchasing/BuferCompra.h"

#include "platform/fs/CadenaCorta.h"
#include "platform/fs/Real6.h"

#include <cstring>

namespace {

struct CampoTexto {
  int posicion, ancho;
};

// The header's texts in record order.
constexpr CampoTexto kTextosEncabezado[] = {{0, 16},   {16, 16},  {32, 61},  {93, 61},  {154, 41},
                                            {195, 13}, {208, 13}, {221, 13}, {234, 21}, {255, 21},
                                            {276, 21}, {297, 21}, {318, 3},  {321, 7}};

QString* TextosDe(EncabezadoBuferCompra& e, int i) {
  QString* const textos[] = {&e.numero,         &e.proveedor,      &e.nombre,    &e.direccion,
                             &e.poblacion,      &e.fechaDocumento, &e.fechaRecepcion, &e.fechaPago,
                             &e.impuesto,       &e.descuento,      &e.descuentoFinanciero, &e.indirectos,
                             &e.almacen,        &e.moneda};
  return textos[i];
}

void EscribeReal(QByteArray& bytes, int posicion, double valor) {
  const fs::BytesReal6 r = fs::CodificaReal6(valor);
  std::memcpy(bytes.data() + posicion, r.data(), r.size());
}

double LeeReal(QByteArrayView bytes, int posicion) {
  return fs::DecodificaReal6Breve(reinterpret_cast<const std::uint8_t*>(bytes.data()) + posicion);
}

}  // namespace

QByteArray CodificaEncabezadoBuferCompra(const EncabezadoBuferCompra& e) {
  QByteArray bytes(kTamanoEncabezadoBuferCompra, '\0');
  EncabezadoBuferCompra copia = e;
  for (int i = 0; i < 14; ++i)
    fs::EscribeCadenaCorta(bytes, kTextosEncabezado[i].posicion, kTextosEncabezado[i].ancho, *TextosDe(copia, i));
  return bytes;
}

EncabezadoBuferCompra DecodificaEncabezadoBuferCompra(QByteArrayView bytes) {
  EncabezadoBuferCompra e;
  for (int i = 0; i < 14; ++i)
    *TextosDe(e, i) = fs::LeeCadenaCorta(bytes, kTextosEncabezado[i].posicion, kTextosEncabezado[i].ancho);
  return e;
}

QByteArray CodificaPartidaBuferCompra(const PartidaBuferCompra& p) {
  QByteArray bytes(kTamanoPartidaBuferCompra, '\0');
  EscribeReal(bytes, 0, p.cantidad);
  fs::EscribeCadenaCorta(bytes, 6, 16, p.clave);
  fs::EscribeCadenaCorta(bytes, 22, 41, p.producto);
  EscribeReal(bytes, 64, p.precio);
  EscribeReal(bytes, 70, p.descuento);
  EscribeReal(bytes, 76, p.descuento2);
  EscribeReal(bytes, 82, p.descuento3);
  EscribeReal(bytes, 88, p.importe);
  EscribeReal(bytes, 94, p.impuesto);
  EscribeReal(bytes, 100, p.cajas);
  EscribeReal(bytes, 106, p.surtido);
  fs::EscribeCadenaCorta(bytes, 112, 11, p.caducidad);
  EscribeReal(bytes, 124, p.empaque);
  return bytes;
}

PartidaBuferCompra DecodificaPartidaBuferCompra(QByteArrayView bytes) {
  PartidaBuferCompra p;
  p.cantidad = LeeReal(bytes, 0);
  p.clave = fs::LeeCadenaCorta(bytes, 6, 16);
  p.producto = fs::LeeCadenaCorta(bytes, 22, 41);
  p.precio = LeeReal(bytes, 64);
  p.descuento = LeeReal(bytes, 70);
  p.descuento2 = LeeReal(bytes, 76);
  p.descuento3 = LeeReal(bytes, 82);
  p.importe = LeeReal(bytes, 88);
  p.impuesto = LeeReal(bytes, 94);
  p.cajas = LeeReal(bytes, 100);
  p.surtido = LeeReal(bytes, 106);
  p.caducidad = fs::LeeCadenaCorta(bytes, 112, 11);
  p.empaque = LeeReal(bytes, 124);
  return p;
}

QByteArray CodificaPartidasBuferCompra(const QList<PartidaBuferCompra>& partidas) {
  QByteArray bytes;
  for (const PartidaBuferCompra& p : partidas) bytes += CodificaPartidaBuferCompra(p);
  return bytes;
}

QList<PartidaBuferCompra> DecodificaPartidasBuferCompra(const QByteArray& bytes) {
  QList<PartidaBuferCompra> partidas;
  for (qsizetype i = 0; i + kTamanoPartidaBuferCompra <= bytes.size(); i += kTamanoPartidaBuferCompra)
    partidas << DecodificaPartidaBuferCompra(QByteArrayView(bytes.constData() + i, kTamanoPartidaBuferCompra));
  return partidas;
}
