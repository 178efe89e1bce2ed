#pragma once
// The field catalogue confcamp.cmp of the program folder: for every table
// users may search or print, its field names and their descriptions. It is
// installation data; nothing in the program writes it.
//
// The file is a plain sequence of 83-byte records with no header. A record
// holds six strings, each a length byte followed by its characters
// (Windows-1252; bytes past the length are undefined):
//
//   text  offset  width  meaning
//    0       0      5    in the last record: N, the number of tables, in digits
//    1       5     11    field name
//    2      16     36    field description; in a directory record: a table file name
//    3      52     11    a further field text (the field's type name)
//    4      63      4    not read
//    5      67     16    not read
//
// For N tables: records b*50+1 .. b*50+49 describe the fields of table b
// (record b*50 is not read); records N*50 .. N*50+N-1 are the directory (the
// k-th names the table of block k); the last record holds N. An entry whose
// description is "No Disponible" is a free slot.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>

struct TRegistroCatalogo {
  static constexpr int kTamano = 83;
  static constexpr int kTextos = 6;
  // Offset and width (length byte included) of each text.
  static constexpr std::array<int, kTextos> kPosicion{0, 5, 16, 52, 63, 67};
  static constexpr std::array<int, kTextos> kAncho{5, 11, 36, 11, 4, 16};

  std::array<QString, kTextos> Textos;

  // Decodes one record from kTamano bytes; a length byte larger than its
  // field reads as the whole field.
  static TRegistroCatalogo DeBytes(QByteArrayView bytes);
};

// Records of one table's block, counted from the block's first record.
inline constexpr int kRegistrosPorTabla = 50;

// The catalogue's path: <CarpetaProgramaRutinas>\confcamp.cmp.
QString ArchivoCatalogo();

// The block of the table named `archivo` (file name, any case) in the
// directory; "ordendet.dbf" is looked up as "comprasd.dbf", whose field list
// purchase orders share. -1 when the directory does not list the table.
// A missing or damaged catalogue (no last record, N not a number, a
// directory running past the file's start) throws plat::Error.
int PosicionTablaCatalogo(const QString& archivo);

// salida := text `texto` (0-5) of record `registro`; for text 2 an empty
// description gives text 1 (the field name). A record that cannot be read
// (beyond the end, negative) or a text number outside 0-5 leaves salida as it
// was. A missing catalogue throws plat::Error.
void DatoCatalogoCampos(int registro, int texto, QString& salida);
