#pragma once
// The cash-register settings of a station: caja.cnf of the program folder, a
// typed file of 36-byte records TRegistroCaja, record k - 1 for register slot
// k (1 to 99). The sale screen works with the register of the first record.
//
//   offset  width  field
//      0      4    Caja      length byte + 3 characters: register number
//      4      6    Vendedor  length byte + 5 characters: seller key
//     10     26    Formato   length byte + 25 characters: ticket format file
//                            name, in the consulta folder of the program folder

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

struct TRegistroCaja {
  static constexpr int kTamano = 36;
  static constexpr int kPosCaja = 0, kAnchoCaja = 4;
  static constexpr int kPosVendedor = 4, kAnchoVendedor = 6;
  static constexpr int kPosFormato = 10, kAnchoFormato = 26;

  QString Caja;
  QString Vendedor;
  QString Formato;

  // Decodes one record from kTamano bytes.
  static TRegistroCaja DeBytes(QByteArrayView bytes);
  // The record's kTamano bytes: texts cut to their field, unused bytes zero.
  QByteArray ABytes() const;
};

inline const QString kArchivoCajas = QStringLiteral("caja.cnf");

// The first record of <programa>\caja.cnf; nullopt when the file is missing.
// A file too short for one record throws plat::Error (Corrupto) naming it;
// an unreadable one throws too.
std::optional<TRegistroCaja> LeePrimeraCaja(const QString& programa);

// Record `ranura` - 1 of <programa>\caja.cnf; nullopt when the file is
// missing or ends before that record. Throws plat::Error when it cannot be
// read.
std::optional<TRegistroCaja> LeeCaja(const QString& programa, int ranura);
// Writes the record into slot `ranura` (from 1) of <programa>\caja.cnf,
// making the file when it is missing: a slot past the end extends the file,
// the records between filled with zeros (they read as empty texts). The file
// is replaced whole, atomically. Throws plat::Error when it cannot be read
// or written.
void EscribeCaja(const QString& programa, int ranura, const TRegistroCaja& registro);
