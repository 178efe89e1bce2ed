#pragma once
// The report engine: turns a report description into the work files the
// viewer shows (ArchivosReporte.h). It walks a dataset of the caller inside a
// key range, keeps the records that pass a date range, the dialog's
// conditions (ProtocoloReporte.h) and one fixed condition, evaluates a key, a
// text and eight column expressions for every record kept, and leaves the
// rows in final.tmp in detail, sorted, or grouped with sums:
//
//   "D"   concen.tmp as written: a marker row with the eight column type
//         letters, the rows in dataset order, a closing "*" row;
//   "DC"  the same rows sorted by key (orden.tmp), then three "*" rows;
//   "C"   one row per key with the amount columns summed.
//
// Expressions (key and columns): a field name (the field's text); "%" N and
// a field name (the first N characters of the field's text; key only); "&"
// and an arithmetic expression whose operands, field names or numbers, are
// each followed by "&" ("&%IMTOD_F&*&%CTOVE_F&*&0.01&").
//
// Column type letters: "x" no expression, "f" arithmetic, otherwise
// LetraTipoCampo of the field ("c" text, "e" integer, "f" float, "$"
// currency, "d" date ...). "f" and "e" columns are amounts: summed in mode
// "C" and in the viewer's totals.
//
// A run holds the work files (TomaArchivosReporte) until the viewer that
// shows them closes; a copy of the program that cannot have them within the
// bounded wait is told so and runs nothing. A run that fails (an unknown
// field, a value that does not convert, no work folder) shows the error and
// leaves no result: final.tmp, etique.tmp and anchos.tmp are deleted.

#include "foundation/dinero.h"
#include "platform/db/Esquema.h"

#include <QChar>
#include <QString>

#include <array>

namespace db {
class Dataset;
}

// The description of a run, as GeneraReporte receives it.
struct ArgumentosReporte {
  db::Dataset* Dataset = nullptr;
  QString LlaveDesde;  // key range on the dataset's current index; applied when
  QString LlaveHasta;  // both are given and from is not greater than to
  QString CampoFecha;  // "f": no date test
  QString FechaDesde;  // "dd/MM/yyyy"; both empty: no date test
  QString FechaHasta;
  QString Llave;       // key expression; empty gives the key "N.A."
  QString Texto;       // field copied as the row's text; empty: none
  std::array<QString, 8> Columnas;  // empty: the column holds "0"
  QString CampoCondicion;   // the fourth condition's field; empty: none
  QString CodigoCondicion;  // "=", "<", ">", "!" (different), "X" (always true)
  QString ValorCondicion;   // compared as text
  QString Modo;             // "C", "D" or "DC"
};

// What the engine keeps between the protocol's steps.
struct EstadoGenerador {
  ArgumentosReporte Argumentos;  // of the last run
  std::array<QString, 8> TiposColumnaReporte;  // the column type letters of the last run
  // Currency conversion of each column: operator ("*", "/", "+", "-") and
  // the field naming the column's currency; none when the operator is empty.
  struct Conversion {
    QString Operador;
    QString Campo;
  };
  std::array<Conversion, 8> ConversionMonedaReporte;
  // The last run was refused: another copy of the program held the work
  // files, so whatever they hold is not this run's.
  bool Rechazada = false;
};
EstadoGenerador& EstadoGeneradorReporte();

// Runs the engine behind the progress window (shown modally; its timer
// starts the work) and returns when it closes. See the file comment.
void GeneraReporte(db::Dataset& dataset, const QString& llaveDesde, const QString& llaveHasta,
                   const QString& campoFecha, const QString& fechaDesde, const QString& fechaHasta,
                   const QString& llave, const QString& texto, const std::array<QString, 8>& columnas,
                   const QString& campoCondicion, const QString& codigoCondicion, const QString& valorCondicion,
                   const QString& modo);

// The engine itself, showing its progress in FormaProgreso when there is
// one. Throws plat::Error (leaving the work files half made) on failure.
void ProcesaReporte(const ArgumentosReporte& argumentos);

// Sorts concen.tmp into orden.tmp by key, in Spanish order without regard to
// case; rows of equal keys follow the text order of their row numbers (row 10
// before row 9). Three "*" rows close it.
void OrdenaReporte();
// Groups orden.tmp into final.tmp: one row per run of equal keys, its "f"
// and "e" columns summed, its other columns the first row's value as a
// number; the closing "*" rows are not written.
void AgrupaReporte();
// final.tmp of a run keyed by a "dd/mm/yyyy" date becomes twelve rows, one
// per month ("Enero" ...), columns 1 to 4 summed.
void ConcentraPorMes();
// The same, one row per year; rows keyed "N.A." keep their key.
void ConcentraPorAno();

// Writes etique.tmp (titles; the run's mode and column letters; the dialog's
// conditions) and clears the dialog's conditions. The last argument is kept
// for the callers and does nothing.
void EscribeTitulosReporte(const QString& tituloLlave, const QString& tituloTexto,
                           const std::array<QString, 8>& titulosColumnas, const QString& = {});
// Writes anchos.tmp. The last argument is kept for the callers.
void EscribeAnchosReporte(const std::array<quint16, 10>& anchos, int = 0);

// Sets the currency conversion of the eight columns (operator and currency
// field of each).
void FijaConversionMonedaReporte(const std::array<EstadoGenerador::Conversion, 8>& conversiones);

// One dialog condition: the field's value (its text), the operator code
// (CodigoOperador), the condition value and the field's type.
//   text:    codes = < > X(different) Y(<=) Z(>=) compare the texts by their
//            bytes; I begins with; T ends with (never for an empty value);
//            U holds the value ("?"s in front skip that many characters:
//            "?B" wants "B" second); never for an empty value;
//   date:    an empty field counts as 01/01/1980; = < > X Y Z as dates;
//   numbers: the field's number (0 when none), an empty condition counts 0.
// I, T and U test the texts whatever the type. Throws plat::Error
// (Conversion) when the condition value is no date or number for such a
// field.
bool CumpleCondicionReporte(const QString& valor, QChar codigo, const QString& condicion, db::TipoDato tipo);
// True when any dialog condition names a field; the others are set to "X".
bool HayCondicionesReporte();
// The date text inside the range; false for an empty date and for a range
// not given ("f" or empty). Throws plat::Error (Conversion) for a text that
// is no date.
bool FechaEnRango(const QString& fecha, const QString& desde, const QString& hasta);
// The fourth condition: "=", "<", ">", "!" (different) compare the texts;
// "X" is always true; any other code never.
bool CumpleCondicionLlave(const QString& valor, const QString& codigo, const QString& comparacion);
// The amount converted with the rate: "*", "/", "+", "-"; any other operator
// gives 1. Empty texts count 0. Throws plat::Error for a text that is no
// number and for a division by a rate of 0.
Dinero ConvierteImporteMoneda(const QString& importe, const QString& operador, const QString& tasa);
// The rate of the first currency of moneda.vrl named so; 0 when none.
Dinero TasaMoneda(const QString& moneda);
// The text cut to 100 characters, then fitted to ancho + 1 characters:
// padded with blanks, or cut to ancho and one blank added.
QString AjustaLlaveOrden(const QString& texto, int ancho);
