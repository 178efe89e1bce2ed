#pragma once
// What a save of the sale screen writes, fixed before its first write and
// kept in the save's journal (UnidadTrabajo.h): the kind, the tables, the
// control number, the user, the options that decide each line, and the
// header row whole. The lines come from the station's capture table, which
// nothing changes but the save until the save ends; so a save run again
// from its journal (after an error, or when a killed station starts again)
// writes what the first run would have written.

#include "foundation/dinero.h"
#include "foundation/UnidadTrabajo.h"
#include "foundation/ValoresFila.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <utility>

namespace db {
class Dataset;
}

struct PlanGuardado {
  enum class Modo {
    Nuevo,     // a new document: its header appended and numbered
    Cambio,    // a saved document changed: reserves back, old lines out
    Derivado,  // the header row stands written already; no numbering
    Cancelacion,  // a saved document cancelled: its effects reversed
  };

  QString tipo;       // the Base text
  QChar letra;        // the kind letter of the save switch
  Modo modo = Modo::Nuevo;
  qint64 control = 0;          // CONTROL of header and lines
  qint64 controlAnterior = 0;  // a change: CONTROL of the lines it replaces
  qint64 registro = 0;         // a change or derived document: the header's record
  qint64 ajuste = 0;           // folio offset of the numbering
  qint64 usuario = 0;          // HORAF_F of the lines
  QString usuarioTexto;        // USUARIO of the lines
  QString vendedor;            // the seller shown, for the document log
  double factor = 1.0;         // FactorPrecioPago
  QString carpetaDatos;        // configuration line 8
  QString carpetaEncabezado, tablaEncabezado, carpetaPartidas, tablaPartidas;
  bool rechazaSinExistencia = false;  // configuration line 21 "N"
  bool sinNegativos = false;          // line 41 "N"
  bool kits = false;                  // line 76 "S"
  bool basesCerradas = false;         // line 1 "NO"
  bool bitacora = false;              // line 85 "S"
  int concepto = 3;                   // ConceptoMovimiento
  bool movimientos = false;           // mi.cnf: a movement row per line
  bool espejo = false;                // the remission lines live in the folder of line 63
  double limiteAcumulado = 0;         // line 91, the day's cash ceiling
  QString caja;                       // the station's cash register
  Dinero totalAnterior;               // TotalAnterior: a changed invoice raises the balance by the difference
  QString carpetaRemisiones;          // the folder of the remission accounts
  bool abonaMostrador = false;        // a new document, lines 96 and 99 "S": a counter sale settled
  QStringList clavesReservadas, cantidadesReservadas;
  qint64 autoriza = 0;                // a cancel: the user who authorised it (ORIGE_F)
  // An invoice made from remissions: their folder, a line feed, their
  // numbers separated by commas; each is marked invoiced (REMIS_F) by the
  // save once the invoice is written.
  QString remisionesFacturadas;
  QList<std::pair<QString, QVariant>> encabezado;  // every field of the header row

  // The plan as the journal's start data, and back.
  UnidadTrabajo::Datos Datos() const;
  static PlanGuardado De(const UnidadTrabajo::Datos& datos);

  // A header field's value (invalid when absent or blank).
  QVariant Valor(const QString& campo) const;
  // Every header field but CLDOC_F into the row being written (fields the
  // table lacks are skipped).
  void EscribeEncabezado(db::Dataset& encabezado) const;
  // The header fields read from the dataset's current row or edit buffer.
  void LeeEncabezado(const db::Dataset& encabezado);
  // A header field's value set (added when the row has no such field yet).
  void Fija(const QString& campo, const QVariant& valor);
};
