#pragma once
// The report engine's work files, in the folder "tempo" of the program
// folder. They are fixed-record files without a header; their texts are
// length-prefixed (platform/fs/CadenaCorta.h) and numbers inside rows are
// texts.
//
//   concen.tmp, orden.tmp, final.tmp  TRenglonReporte, 410 bytes a row
//   etique.tmp                        three TTitulosReporte, 260 bytes each
//   anchos.tmp                        one TAnchosReporte, 20 bytes
//
// A row whose key is empty or "*" is a marker, not a report row.
//
// Every copy of the program started from one program folder shares these
// files. A copy works on them only while it holds them
// (TomaArchivosReporte): from the engine's run until the viewer that shows
// the result closes.

#include "foundation/dinero.h"
#include "shell/Moneda.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QVector>

#include <array>
#include <cstdint>

inline const QString kArchivoConcen = QStringLiteral("concen.tmp");
inline const QString kArchivoOrden = QStringLiteral("orden.tmp");
inline const QString kArchivoFinal = QStringLiteral("final.tmp");
inline const QString kArchivoEtiquetas = QStringLiteral("etique.tmp");
inline const QString kArchivoAnchos = QStringLiteral("anchos.tmp");
// The viewer's export as tab-separated text.
inline const QString kArchivoExportacion = QStringLiteral("exel.tmp");

// A row of a report: key, text and eight columns.
//
//   offset            width  field
//        0              101  key: length byte + 100 characters
//      101              101  text: length byte + 100 characters
//      202 + 26 (n-1)    26  column n (1..8): length byte + 25 characters
struct TRenglonReporte {
  static constexpr int kTamano = 410;
  static constexpr int kColumnas = 8;
  static constexpr int kAnchoLlave = 101;
  static constexpr int kAnchoTexto = 101;
  static constexpr int kAnchoColumna = 26;
  static constexpr int kPosicionTexto = 101;
  static constexpr int kPosicionColumnas = 202;
  static constexpr int PosicionColumna(int i) { return kPosicionColumnas + kAnchoColumna * i; }  // i from 0

  QString Llave;
  QString Texto;
  std::array<QString, kColumnas> Columnas;

  bool EsMarca() const { return Llave.isEmpty() || Llave == u"*"; }

  // A marker row with the key "*", an empty text and every column "0".
  static TRenglonReporte Cierre();
  static TRenglonReporte DeBytes(QByteArrayView registro);
  // The 410 bytes: texts cut to their fields, the bytes after them zero.
  QByteArray ABytes() const;
};

// The bytes of a text field of a row, without its length byte.
QByteArrayView CampoRenglon(const char* registro, int posicion, int ancho);
// The key's bytes (a cheap way to compare keys: equal texts, equal bytes).
inline QByteArrayView LlaveRenglon(const char* registro) {
  return CampoRenglon(registro, 0, TRenglonReporte::kAnchoLlave);
}
inline QByteArrayView ColumnaRenglon(const char* registro, int i) {  // i from 0
  return CampoRenglon(registro, TRenglonReporte::PosicionColumna(i), TRenglonReporte::kAnchoColumna);
}
bool EsMarcaRenglon(const char* registro);

// A column text as an amount: the number it reads as, rounded to four
// decimals; 0 for a text that is no number (a type letter, a name, a date).
Dinero ImporteColumnaReporte(QByteArrayView texto);
// The eight columns of a row as amounts.
std::array<Dinero, TRenglonReporte::kColumnas> ImportesRenglon(const char* registro);

// Ten texts of at most 25 characters: a record of etique.tmp, slot i at
// offset 26 × i.
struct TTitulosReporte {
  static constexpr int kTamano = 260;
  static constexpr int kTextos = 10;
  static constexpr int kAncho = 26;

  std::array<QString, kTextos> Textos;

  static TTitulosReporte DeBytes(QByteArrayView registro);
  QByteArray ABytes() const;
};

// The widths of the key, the text and columns 1 to 8: ten 16-bit
// little-endian integers.
struct TAnchosReporte {
  static constexpr int kTamano = 20;

  std::array<quint16, 10> Anchos{};

  static TAnchosReporte DeBytes(QByteArrayView registro);
  QByteArray ABytes() const;
};

// The work folder: <program folder>\tempo.
QString CarpetaTrabajoReporte();
// A work file by name, in the work folder.
QString ArchivoTrabajoReporte(const QString& nombre);
// Deletes a work file; a missing one is passed over.
void BorraArchivoReporte(const QString& nombre);
// Renames a work file over another (which is replaced). Throws plat::Error.
void RenombraArchivoReporte(const QString& origen, const QString& destino);

// Reads rows of a work file by number (from 0), in blocks, forwards or
// backwards.
class LectorRenglones {
 public:
  // Throws plat::Error when the file cannot be opened.
  explicit LectorRenglones(const QString& nombre);
  qint64 Cuenta() const { return cuenta_; }
  // Row n's 410 bytes (n below Cuenta), valid until the next read.
  const char* Renglon(qint64 n);
  // Stands before row n.
  void VeA(qint64 n);
  // The next row's bytes, as Renglon; nullptr at the end.
  const char* Siguiente();

 private:
  QFile archivo_;
  QString nombre_;
  qint64 cuenta_ = 0;
  qint64 siguiente_ = 0;
  QByteArray bloque_;
  qint64 primeroBloque_ = 0;
  qint64 enBloque_ = 0;
};

// Writes a new work file (an old one is replaced) row by row, in blocks.
class EscritorRenglones {
 public:
  // Throws plat::Error when the file cannot be created.
  explicit EscritorRenglones(const QString& nombre);
  void Escribe(const TRenglonReporte& renglon);
  void Escribe(const char* registro);
  // Writes what is pending and closes; throws plat::Error on failure.
  void Cierra();

 private:
  void Vacia();
  QFile archivo_;
  QString nombre_;
  QByteArray pendiente_;  // a block of rows, filled up to usados_
  qsizetype usados_ = 0;
};

// etique.tmp's three records; throws plat::Error when the file is missing or
// short.
std::array<TTitulosReporte, 3> LeeTitulosReporte();
void EscribeArchivoTitulos(const std::array<TTitulosReporte, 3>& registros);

// The currencies of the company's table moneda.vrl (data folder), in file
// order; none when the file is missing.
QVector<TRegistroMoneda> MonedasReporte();

// Holds the work files for this copy of the program: true when it holds
// them (already, or now). Another copy holding them is waited for the table
// layer's bounded time when `esperar`, else not at all; then false. Throws
// plat::Error when the lock file cannot be made.
bool TomaArchivosReporte(bool esperar);
bool TieneArchivosReporte();
// Lets other copies have the work files.
void SueltaArchivosReporte();
