#pragma once
// The company's currency table moneda.vrl, in the data folder: a typed file
// of 168-byte records and no header. The currency window writes exactly
// seven records, one per row of its grid, empty rows included; the format
// language reads the words of amounts in words from it, the report viewer
// the symbols.
//
// Record layout (each text a length byte and up to width - 1 Windows-1252
// characters; bytes after a text's length are not part of it):
//   offset  width  field
//        0     16  currency name
//       16     11  exchange rate, as text
//       27     31  word for one unit (singular)
//       58     31  plural word used after millions
//       89     31  plural word
//      120     31  abbreviation
//      151      6  symbol
//      157     11  unused

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QVector>

#include <array>

inline const QString kArchivoMonedas = QStringLiteral("moneda.vrl");

// The fields in record order (the currency window's grid columns 1 to 7).
enum CampoMoneda : int {
  MonedaDivisa,
  MonedaValor,
  MonedaSingular,
  MonedaPluralMillones,
  MonedaPlural,
  MonedaAbreviatura,
  MonedaSimbolo,
  kCamposMoneda
};

struct TRegistroMoneda {
  static constexpr int kTamano = 168;
  // Offset and width (length byte included) of each field.
  struct Posicion {
    int desplazamiento;
    int ancho;
  };
  static constexpr std::array<Posicion, kCamposMoneda> kPosiciones{
      {{0, 16}, {16, 11}, {27, 31}, {58, 31}, {89, 31}, {120, 31}, {151, 6}}};

  std::array<QString, kCamposMoneda> Campos;

  // The longest text a field holds.
  static int Largo(CampoMoneda campo) { return kPosiciones[campo].ancho - 1; }

  // Decodes one record from kTamano bytes.
  static TRegistroMoneda DeBytes(QByteArrayView bytes);
  // The record's kTamano bytes: texts cut to their field, other bytes zero.
  QByteArray ABytes() const;
};

// The whole records of the file's bytes, in order; a piece shorter than a
// record at the end is not one.
QVector<TRegistroMoneda> RegistrosMoneda(QByteArrayView bytes);
