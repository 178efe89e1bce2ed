#pragma once
// The preview page file and its side file.
//
// A preview run draws nothing: each text, picture, box and line it places is
// appended as one 284-byte record to <program folder>\tempo\format.tmp, which
// the preview window reads back page by page. Boxes and lines also get one
// text line each in tempo\remoto.tmp, for outside programs.
//
// Record layout (little-endian; a short string is a length byte followed by
// its declared number of Windows-1252 bytes; unused bytes are written as 0):
//   0   6  X             6-byte real: left column; −1000 for a centred text
//   6   6  Y             6-byte real: top row
//   12  151 Texto        string[150]: the text; picture: bitmap path;
//                        box and line: right column as a number text
//   163 1  (padding)
//   164 4  Tipo          int32: ≥ 0 text (its font size); −1 picture;
//                        −2 box; −3 horizontal line
//   168 51 Fuente        string[50]: font; picture: bottom row (integer
//                        text); box and line: pen width (integer text)
//   219 9  Color         string[8]: colour name; box and line: brush colour
//   228 26 Extra         string[25]: extra text (number mask of amounts);
//                        picture: right column; box and line: bottom row
//   254 26 (reserved)
//   280 4  NumeroPagina  int32: page, from 1
//
// remoto.tmp lines (CR LF, fields separated by ","): left column and top row
// truncated to whole numbers, kind, right column, bottom row, pen width,
// brush colour, the box's text, and the page number, which is always 1:
// outside programs read the file as it has always been written.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

struct TElementoPagina {
  double X = 0;
  double Y = 0;
  QString Texto;
  std::int32_t Tipo = 0;
  QString Fuente;
  QString Color;
  QString Extra;
  std::int32_t NumeroPagina = 0;
};

inline constexpr int kTamanoElementoPagina = 284;
inline constexpr std::int32_t kElementoImagen = -1;
inline constexpr std::int32_t kElementoCuadro = -2;
inline constexpr std::int32_t kElementoLinea = -3;
inline constexpr double kColumnaCentrada = -1000;

// The record's 284 bytes; texts longer than their fields are cut (Texto to
// 150 characters, Fuente to 50, Color to 8, Extra to 25). Throws plat::Error
// (NoCabe) for a position too large for a 6-byte real.
QByteArray CodificaElementoPagina(const TElementoPagina& elemento);
// A record read back from its 284 bytes.
TElementoPagina DecodificaElementoPagina(const char* bytes);

// Windows-form paths of the two files in the interpreter's program folder.
QString ArchivoPaginaPrevia();      // tempo\format.tmp
QString ArchivoElementosRemotos();  // tempo\remoto.tmp

// Starts a preview run: both files created empty (the tempo folder too when
// it is missing). Throws plat::Error when they cannot be written.
void CreaArchivosPrevia();

// Appends one record after the last whole record of format.tmp, which must
// exist. Throws plat::Error (NoExiste when the file is gone, Io otherwise).
void AgregaRegistroPagina(const TElementoPagina& elemento);

// Appends one box (kind −2) or line (kind −3) record: X := izquierda,
// Y := arriba, Texto := derecha, Tipo := tipo, Fuente := grosor,
// Color := color, Extra := abajo, NumeroPagina := pagina. Callers pass the
// page the element is drawn on. Throws as AgregaRegistroPagina.
void AgregaElementoPagina(double izquierda, int tipo, int pagina, double arriba, const QString& derecha,
                          const QString& abajo, const QString& grosor, const QString& color);

// Appends the remoto.tmp line of a box or line (page always 1). Throws
// plat::Error when the file cannot be written.
void RegistraElementoRemoto(double izquierda, double arriba, int tipo, const QString& derecha,
                            const QString& abajo, const QString& grosor, const QString& color,
                            const QString& texto);

// Every record of the file (format.tmp of the interpreter's folder unless
// another is named) in file order; none when the file is missing. Throws
// plat::Error (Corrupto) when the file ends inside a record.
std::vector<TElementoPagina> LeeElementosPagina(const QString& ruta = ArchivoPaginaPrevia());
// The number of pages: the largest page number of the records, 0 for none.
int CuentaPaginasPrevia(const std::vector<TElementoPagina>& elementos);

// A number as the record's number texts hold it: the shortest general
// decimal form ("12" for 12.0, "12.5", "1E15" for 10^15).
QString TextoNumero(double valor);
// A number truncated to a whole number, in decimal.
QString TextoEntero(double valor);
