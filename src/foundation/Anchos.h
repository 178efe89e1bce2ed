#pragma once
// Widths of the table fields whose width no layout fixes, chosen once for
// the whole system: a key is as wide as every table that copies it, a text
// holds the longest value written into it, and sums kept for years (stock,
// sales, balances) do not overflow. The layouts of each subsystem build their
// fields with these.

#include "platform/db/Esquema.h"

namespace ancho {

using db::DefCampo;

// Keys and references
inline DefCampo ClaveProducto(const QString& n) { return {n, QChar('C'), 20, 0}; }   // as CLPRO_I
inline DefCampo ClaveCliente(const QString& n) { return {n, QChar('C'), 10, 0}; }    // as CLCLI_C
inline DefCampo ClaveProveedor(const QString& n) { return {n, QChar('C'), 10, 0}; }  // as CLAVE_P
inline DefCampo ClaveVendedor(const QString& n) { return {n, QChar('C'), 5, 0}; }    // as CLVEN_V
// A seller key, a turn "01"/"02" or a user number: the sale screen keeps 10.
inline DefCampo VendedorOTurno(const QString& n) { return {n, QChar('C'), 10, 0}; }
inline DefCampo Linea(const QString& n) { return {n, QChar('C'), 8, 0}; }    // the count sheet copies it into CHAR(8)
inline DefCampo Almacen(const QString& n) { return {n, QChar('C'), 2, 0}; }  // "1" .. "99"
inline DefCampo DocumentoTexto(const QString& n) { return {n, QChar('C'), 10, 0}; }  // a document number as text
inline DefCampo Usuario(const QString& n) { return {n, QChar('C'), 10, 0}; }         // a user number as text
inline DefCampo Caja(const QString& n) { return {n, QChar('C'), 10, 0}; }            // a cash register number
inline DefCampo Marca(const QString& n) { return {n, QChar('C'), 1, 0}; }            // one-letter marks

// Numbers
inline DefCampo NumeroDocumento(const QString& n) { return {n, QChar('N'), 10, 0}; }
inline DefCampo Control(const QString& n) { return {n, QChar('N'), 8, 0}; }  // 0 .. 99999
inline DefCampo NumeroUsuario(const QString& n) { return {n, QChar('N'), 6, 0}; }
inline DefCampo Concepto(const QString& n) { return {n, QChar('N'), 4, 0}; }  // concept and price-list numbers
inline DefCampo Dias(const QString& n) { return {n, QChar('N'), 4, 0}; }      // credit days
// Day number plus 10000 times the fraction of the day (about 56000).
inline DefCampo SelloFecha(const QString& n) { return {n, QChar('N'), 10, 0}; }
// Date and time as days since 30/12/1899 with the fraction (a tenth of a second).
inline DefCampo FechaHora(const QString& n) { return {n, QChar('N'), 16, 6}; }
// Money, totals, balances and accumulated sales: four decimals as the money
// type, up to 9,999,999,999.9999 (NUMERIC(8,2) overflows above 99,999.99).
inline DefCampo Importe(const QString& n) { return {n, QChar('N'), 16, 4}; }
// Quantities and stock: five decimals (configuration line 42 allows five),
// up to 9,999,999,999.99999.
inline DefCampo Cantidad(const QString& n) { return {n, QChar('N'), 16, 5}; }
inline DefCampo Porcentaje(const QString& n) { return {n, QChar('N'), 8, 3}; }  // 16.000, a margin of 250.000
inline DefCampo Factor(const QString& n) { return {n, QChar('N'), 12, 4}; }  // units per package, tare, exchange rate

// Texts
inline DefCampo Descripcion(const QString& n) { return {n, QChar('C'), 60, 0}; }  // as DSCPR_I
inline DefCampo Nombre(const QString& n) { return {n, QChar('C'), 60, 0}; }       // as NOMBR_C
inline DefCampo Direccion(const QString& n) { return {n, QChar('C'), 60, 0}; }
inline DefCampo Poblacion(const QString& n) { return {n, QChar('C'), 40, 0}; }  // the document buffers keep 40
inline DefCampo Telefono(const QString& n) { return {n, QChar('C'), 20, 0}; }   // as TELEF_C
inline DefCampo Correo(const QString& n) { return {n, QChar('C'), 60, 0}; }
inline DefCampo Rfc(const QString& n) { return {n, QChar('C'), 15, 0}; }  // 13 characters of a tax number
inline DefCampo CodigoPostal(const QString& n) { return {n, QChar('C'), 10, 0}; }
inline DefCampo Referencia(const QString& n) {
  return {n, QChar('C'), 20, 0};
}  // a supplier's invoice or free reference
inline DefCampo ConceptoTexto(const QString& n) { return {n, QChar('C'), 40, 0}; }  // "Efectivo Contado " + a number
inline DefCampo Ruta(const QString& n) { return {n, QChar('C'), 120, 0}; }          // a full folder or file path

}  // namespace ancho
