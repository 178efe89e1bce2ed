#pragma once
// The buffer files that carry a sale between two document kinds of the sale
// screen, and the conversion of the document on screen into a new document
// of another kind through them.
//
// Both files live in the program folder and are rewritten whole at every
// write (replaced atomically: stations of one PC share that folder):
//   buferenc.tmp  one 465-byte header record (an older form writes only its
//                 first 423 bytes; fields beyond the end read as empty)
//   bufer.tmp     one 120-byte record per capture line, in capture order
// Texts are length-prefixed (fs/CadenaCorta.h), cut to their field; numbers
// are 6-byte reals (fs/Real6.h). Reserved bytes are written as zeros and
// never read. The byte layout is the persistent format:
//
//   header                               line
//   0    11  document number  [10]       0    6  quantity (real)
//   11   16  customer key     [15]       6   16  product key      [15]
//   27   61  customer name    [60]       22  41  description      [40]
//   88   61  address 1        [60]       63   1  padding
//   149  61  address 2        [60]       64   6  price (real)
//   210  41  town             [40]       70   6  discount % (real)
//   251  16  seller key       [15]       76   6  cost (real)
//   267   5  CTOVE_F          [4]        82   4  unit             [3]
//   272  11  cash register    [10]       86   8  reserved
//   283  22  reserved                    94   6  tax % (real)
//   305  16  date text        [15]       100  6  package factor (real)
//   321  32  reserved                    106  7  tare text        [6]
//   353  11  tax rate text    [10]       113  1  padding
//   364  11  reserved                    114  6  FPGC (real)
//   375  11  discount % text  [10]
//   386  11  reserved
//   397  26  payment type     [25]
//   423  42  reserved

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QString>

class TFormaCapturaRapida;
namespace db {
class Dataset;
class Tabla;
}  // namespace db

inline constexpr int kTamanoBuferEncabezado = 465;
inline constexpr int kTamanoBuferPartida = 120;
inline const QString kArchivoBuferEncabezado = QStringLiteral("buferenc.tmp");
inline const QString kArchivoBuferPartidas = QStringLiteral("bufer.tmp");
// First line: the folder of the invoice tables of a conversion into an
// invoice (program folder; optional).
inline const QString kArchivoRutaFacturas = QStringLiteral("rutaf.dat");

struct TRegistroBuferEncabezado {
  QString Documento, Cliente, Nombre, Direccion, Direccion2, Poblacion, Vendedor, Comision, Caja, Fecha, Impuesto,
      Descuento, TipoPago;

  friend bool operator==(const TRegistroBuferEncabezado&, const TRegistroBuferEncabezado&) = default;
};

struct TRegistroBuferPartida {
  double Cantidad = 0;
  QString Clave, Producto;
  double Precio = 0, Descuento = 0, Costo = 0;
  QString Unidad;
  double Impuesto = 0, Factor = 0;
  QString Tara;
  double Fpgc = 0;

  friend bool operator==(const TRegistroBuferPartida&, const TRegistroBuferPartida&) = default;
};

// One record's bytes, and back. A header shorter than its 465 bytes reads
// the fields it holds whole and leaves the others empty. Reals read back as
// the shortest decimal their six bytes hold. Writing a number too large for
// six bytes throws plat::Error (NoCabe).
QByteArray CodificaBuferEncabezado(const TRegistroBuferEncabezado& r);
TRegistroBuferEncabezado LeeBuferEncabezado(QByteArrayView bytes);
QByteArray CodificaBuferPartida(const TRegistroBuferPartida& r);
TRegistroBuferPartida LeeBuferPartida(QByteArrayView bytes);

// The capture row and the line record (the fields the buffer carries; a row
// filled from a record also gets its amount).
TRegistroBuferPartida PartidaDeCaptura(const db::Dataset& captura);
void LlenaCapturaDeBufer(db::Dataset& captura, const TRegistroBuferPartida& r);

// Writes both files: the header record cut to `tamanoEncabezado` bytes
// (the legacy document window writes 423), one line record per row of the
// capture (a pending row posted first; none when it is not open). Returns
// the line records written. File errors reach the caller.
QList<TRegistroBuferPartida> EscribeBuferVenta(const TRegistroBuferEncabezado& encabezado, db::Tabla* captura,
                                               int tamanoEncabezado = kTamanoBuferEncabezado);
// Both files read back (a missing one throws plat::Error).
TRegistroBuferEncabezado LeeArchivoBuferEncabezado();
QList<TRegistroBuferPartida> LeeArchivoBuferPartidas();
// The header of a document read from the buffers: a row appended to
// `encabezados` numbered the last number + 1, read and posted under the
// table's numbering lock so two stations never take one number, with
// CONTROL `control`, the record's customer, seller, commission, register,
// tax rate and discount, and CLPED_F `origen`. Returns the number; on a
// failure nothing is appended and the error reaches the caller.
qint64 AgregaEncabezadoDeBufer(db::Tabla& encabezados, const TRegistroBuferEncabezado& r, const QString& origen,
                               int control);
// The records appended to the capture, in order.
void AgregaPartidasDeBufer(db::Dataset& captura, const QList<TRegistroBuferPartida>& partidas);

// The header record from a sale window's controls (the sale screen and the
// legacy document window name them alike): number, customer, seller,
// commission, register, date, tax and discount edits, the customer's
// captions and the payment type.
template <class Ventana>
TRegistroBuferEncabezado EncabezadoBuferDe(const Ventana& p) {
  TRegistroBuferEncabezado e;
  e.Documento = p.EditCLDOC_F->text();
  e.Cliente = p.EditCLCLI_F->text();
  e.Nombre = p.Nombre->text();
  e.Direccion = p.Direccion->text();
  e.Direccion2 = p.Direc2->text();
  e.Poblacion = p.Poblacion->text();
  e.Vendedor = p.EditCLVEN_F->text();
  e.Comision = p.EditCTOVE_F->text();
  e.Caja = p.EditBCLIM_F->text();
  e.Fecha = p.EditFEDOC_F->text();
  e.Impuesto = p.EditIMIM1_F->text();
  e.Descuento = p.EditDESFI_F->text();
  e.TipoPago = p.TipoPago->currentText();
  return e;
}
// What a document read from the buffers shows outside its header row: the
// customer's captions, the date and the payment type.
template <class Ventana>
void MuestraEncabezadoBufer(Ventana& p, const TRegistroBuferEncabezado& r) {
  p.Nombre->setText(r.Nombre);
  p.Direccion->setText(r.Direccion);
  p.Direc2->setText(r.Direccion2);
  p.Poblacion->setText(r.Poblacion);
  p.EditFEDOC_F->setText(r.Fecha);
  p.TipoPago->setCurrentText(r.TipoPago);
}

// The origin a derived document names in CLPED_F: the first letter of the
// source's kind and its number, 8 characters at most.
QString CodigoOrigen(const QString& base, const QString& numero);

// The kinds a conversion reaches: the kind selector's text, the tables and
// the print-format line of the letters "F", "R", "P" and "D"; nullptr for
// another letter.
struct TipoConversionVenta {
  QChar letra;
  QString base;
  QString encabezado, partidas;
  qint16 lineaFormato;
};
const TipoConversionVenta* TipoConversionDeLetra(QChar letra);

// Writes both files from the screen: the header from its controls, one line
// record per row of its capture table. The screen's reserved-quantity lists
// are rebuilt from the capture lines (each key's summed quantity). The
// letter callers pass has no effect. File errors reach the caller.
void GuardaVentaEnBufer(TFormaCapturaRapida& p, QChar letra);

// Reads the files back into a new document of the kind "F" invoice, "R"
// remission, "P" order or "D" return (another letter keeps the kind on
// screen): the screen switched to the kind's tables (an invoice's to the
// folder of rutaf.dat when it names one), a header row appended there
// numbered the last one + 1 under the table's numbering lock, with the
// buffer's header data and CLPED_F the screen's DocumentoOrigen; the capture
// filled from bufer.tmp, or, with LineasDeRango set, from the live lines of
// the documents of `rango` in the line table the screen had before (for an
// invoice made from remissions, FacturaDeRemisiones set, only of those not
// invoiced yet, which RemisionesDeFactura then names). The
// screen then treats the document as new and unsaved; its save keeps the
// number (the header row is already written).
// A range text with a part that is no whole number is refused
// (plat::Error Conversion) before anything is written.
void CargaVentaDeBufer(TFormaCapturaRapida& p, QChar tipo, const QString& rango = QString());

// A range text such as "3-8", "5,7,8,9" or "1,3-5,9": its parts, each a
// from-to pair (a single number is both ends). A part that is no whole
// number throws plat::Error (Conversion) naming it.
struct ParteRango {
  qint64 desde = 0, hasta = 0;
  friend bool operator==(const ParteRango&, const ParteRango&) = default;
};
QList<ParteRango> ExpandeListaDocumentos(const QString& texto);
// The numbers of the documents of a header table (tag INUMENC) between the
// part's ends, in order: only the documents that exist are visited, so a
// wide range over a few documents costs what those cost. Nothing when the
// end is below the start.
QList<qint64> ExpandeIntervalo(db::Tabla& encabezados, const ParteRango& parte);

// Appends to the capture the live lines (not cancelled, not carried into
// another document) of the documents of the range text, read from the line
// table `partidas` in `carpeta` and its header table. With `sinFacturados`
// the documents whose REMIS_F names an invoice made of them are left out.
// Returns the lines appended; `documentos`, when given, gets the number of
// each document that gave lines.
int CargaPartidasDeRango(TFormaCapturaRapida& p, const QString& carpeta, const QString& partidas,
                         const QString& rango, bool sinFacturados = false, QList<qint64>* documentos = nullptr);
// The same load through a line-table object `lineas` of the caller's
// (opened on the source and closed again) into `captura`.
int CargaPartidasDeRango(db::Tabla& lineas, db::Dataset& captura, const QString& carpeta, const QString& partidas,
                         const QString& rango, bool sinFacturados = false, QList<qint64>* documentos = nullptr);
// The live lines of the documents of the range text in that line table,
// counted without writing anything (the range's errors as above).
int CuentaPartidasDeRango(const QString& carpeta, const QString& partidas, const QString& rango,
                          bool sinFacturados = false);
// The live lines of one document of the open line table (tag CLDOC_FD).
int AgregaPartidasDeDocumento(db::Tabla& partidas, db::Dataset& captura, const QString& numero);

// Generar > "Remisión", "Pedido", "Devolución" (hidden items): the document
// on screen converted into a new one of that kind, left in capture.
void Remisin1Click(TFormaCapturaRapida& p);
void Pedido1Click(TFormaCapturaRapida& p);
void Devolucin1Click(TFormaCapturaRapida& p);
