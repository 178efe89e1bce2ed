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
// the documents of `rango` in the line table the screen had before. The
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
// table `partidas` in `carpeta` and its header table. Returns the lines
// appended.
int CargaPartidasDeRango(TFormaCapturaRapida& p, const QString& carpeta, const QString& partidas,
                         const QString& rango);
// The live lines of the documents of the range text in that line table,
// counted without writing anything (the range's errors as above).
int CuentaPartidasDeRango(const QString& carpeta, const QString& partidas, const QString& rango);
// The live lines of one document of the open line table (tag CLDOC_FD).
int AgregaPartidasDeDocumento(db::Tabla& partidas, db::Dataset& captura, const QString& numero);

// Generar > "Remisión", "Pedido", "Devolución" (hidden items): the document
// on screen converted into a new one of that kind, left in capture.
void Remisin1Click(TFormaCapturaRapida& p);
void Pedido1Click(TFormaCapturaRapida& p);
void Devolucin1Click(TFormaCapturaRapida& p);
