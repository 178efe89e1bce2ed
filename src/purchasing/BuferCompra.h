#pragma once
// The purchase window's buffer files, typed files of fixed-size records
// with no file header, in the program folder:
//   "buferEnc.tmp"  one 328-byte record: the header as typed in the window;
//   "bufer.tmp"     one 130-byte record per capture line.
// Texts are length-prefixed short strings (cut to their field), numbers
// 6-byte reals. The sale screen keeps buffer files of the same names with
// other layouts; each window rewrites a buffer before reading it.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

inline const QString kBuferEncabezadoCompra = QStringLiteral("buferEnc.tmp");
inline const QString kBuferPartidasCompra = QStringLiteral("bufer.tmp");
inline constexpr int kTamanoEncabezadoBuferCompra = 328;
inline constexpr int kTamanoPartidaBuferCompra = 130;

// TBuferEncabezadoCompra.
struct EncabezadoBuferCompra {
  QString numero;               // offset 0, string[15]
  QString proveedor;            // 16, string[15]
  QString nombre;               // 32, string[60]
  QString direccion;            // 93, string[60]
  QString poblacion;            // 154, string[40]
  QString fechaDocumento;       // 195, string[12]
  QString fechaRecepcion;       // 208, string[12]
  QString fechaPago;            // 221, string[12]
  QString impuesto;             // 234, string[20]
  QString descuento;            // 255, string[20]
  QString descuentoFinanciero;  // 276, string[20]
  QString indirectos;           // 297, string[20]
  QString almacen;              // 318, string[2]
  QString moneda;               // 321, string[6]
};

// TBuferPartidaCompra.
struct PartidaBuferCompra {
  double cantidad = 0;  // offset 0
  QString clave;        // 6, string[15]
  QString producto;     // 22, string[40]
  double precio = 0;    // 64
  double descuento = 0, descuento2 = 0, descuento3 = 0;  // 70, 76, 82
  double importe = 0;   // 88
  double impuesto = 0;  // 94
  double cajas = 0;     // 100
  double surtido = 0;   // 106
  QString caducidad;    // 112, string[10]
  double empaque = 0;   // 124
};

QByteArray CodificaEncabezadoBuferCompra(const EncabezadoBuferCompra& e);
// Reads one record (the bytes hold at least kTamanoEncabezadoBuferCompra).
EncabezadoBuferCompra DecodificaEncabezadoBuferCompra(QByteArrayView bytes);
QByteArray CodificaPartidaBuferCompra(const PartidaBuferCompra& p);
PartidaBuferCompra DecodificaPartidaBuferCompra(QByteArrayView bytes);

// The whole line file from records, and back (a short last record is
// dropped).
QByteArray CodificaPartidasBuferCompra(const QList<PartidaBuferCompra>& partidas);
QList<PartidaBuferCompra> DecodificaPartidasBuferCompra(const QByteArray& bytes);
