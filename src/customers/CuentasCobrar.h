#pragma once
// What the receivable accounts share. An account is the list of movements
// (TRegistroCuentaCobrar: charges and payments) recorded against one sales
// document: remissions in CucobrarRemision.DBF of the remission folder,
// invoices in Cucobrar.dbf of the data folder, one record layout for both
// (TablasClientes.cpp). A movement's sign comes from OPERA_CC alone: "A"
// (abono) subtracts IMCUE_CC, anything else adds it. CONTROL tells apart
// the accounts of two documents that share a number.

#include "foundation/dinero.h"

#include <QDateTime>
#include <QString>

class QLabel;
namespace db {
class Dataset;
class Tabla;
}  // namespace db

// The table of the remission accounts (in the remission folder) and of the
// invoice accounts (in the data folder), both on tag ICUECOB (NUFAC_CC).
inline const QString kTablaCxCRemision = QStringLiteral("CucobrarRemision.DBF");
inline const QString kTablaCxCFactura = QStringLiteral("Cucobrar.dbf");
inline const QString kTagCuentaCobrar = QStringLiteral("ICUECOB");

// Movement concepts (TIMOV_CC) the program itself writes or guards: "1" the
// account's main charge, "7" a cash payment, "12" a return.
inline const QString kConceptoCuentaPrincipal = QStringLiteral("1");
inline const QString kConceptoPagoEfectivo = QStringLiteral("7");
inline const QString kConceptoDevolucion = QStringLiteral("12");
// Kinds of a concept (TIPOO_MO, copied into OPERA_CC).
inline const QString kOperacionAbono = QStringLiteral("A");
inline const QString kOperacionCargo = QStringLiteral("C");

inline const QString kCuentaDeudora = QStringLiteral("Deudor");
inline const QString kCuentaSaldada = QStringLiteral("Saldada");

// The movements of an account added up.
struct SumaCuenta {
  Dinero saldo;      // charges less payments
  Dinero cargos;     // the rows that add
  Dinero abonos;     // the rows that subtract
  int movimientos = 0;
  QString ultimoVencimiento;  // FEVEN_CC of the last row, as text
};
// Walks the dataset (an account: its range and filter) from its first row
// to its last, where it is left standing. A row being edited or inserted is
// posted first. Table errors reach the caller. The payable accounts keep
// the same columns with the suffix "CP" (IMCUE_CP, OPERA_CP, FEVEN_CP).
SumaCuenta SumaMovimientosCuenta(db::Dataset& cuenta, const QString& sufijo = QStringLiteral("CC"));

// The due state of an account whose due date is `vence` (dd/MM/yyyy) seen on
// `hoy`, both as day counts of DiasDesde1980 (every month 30 days): "no
// vencido" before, "Se vence Hoy" on the day, "vencido  <n>  dias" after.
// Throws plat::Error (Conversion) when `vence` is not a date.
QString EstadoVencimiento(const QString& vence, const QDate& hoy);
// The due state label of an account window: `tiempo` shows the state of the
// date `fechaVencimiento` shows, seen today; a date label left empty leaves
// it as it is, a text that is no date empties it.
void MuestraVencimientoCuenta(const QLabel& fechaVencimiento, QLabel& tiempo);

// A balance as the account windows show it: "$" and the amount with the
// mask "###,###,##0.00", blanks on the left to the mask's width.
QString TextoSaldoCuenta(Dinero saldo);

// The state label of an account: "Deudor" in red above 0, otherwise
// "Saldada" in navy.
void MuestraEstadoCuenta(QLabel& estado, Dinero saldo);
// The balance in both balance labels of an account window and its state.
void MuestraSaldoCuenta(QLabel& saldo, QLabel& saldoE, QLabel& estado, Dinero importe);

// The account concept `numero` of concepto.dbf (tag NUME), looked up
// through `conceptos`, which is opened in the data folder when closed:
// found, its name (CONCE_MO) and kind (TIPOO_MO, "A" or "C"). False for a
// text that is no number, a number of no concept or a table that does not
// open (logged by AbreTabla).
bool BuscaConceptoCuenta(db::Tabla& conceptos, const QString& numero, QString& nombre, QString& tipo);

// The record filter that keeps the rows of the document whose control
// number is `control`.
QString FiltroControlCuenta(const QString& control);

// A row or table another station holds is waited for on edit, post and
// delete, within the table layer's bound; any other error fails at once.
// Every table of the accounts waits so.
void EsperaBloqueos(db::Dataset& tabla);

// The cash cut in course, the one documents and account movements made now
// belong to: the CORTE of the last row of Cortes.DBF (tag CORTE) of the data
// folder; 0 when no cut was ever made. Read through a read-only handle of
// its own, so another station's cut is seen at once. Throws plat::Error
// when the table cannot be read. The one reading of it for every subsystem
// (the sale screen, the cash-cut window, the accounts).
qint64 UltimoCorte(const QString& carpetaDatos);

// A moment as the date-time stamps of the movements (HORAF_F) keep it: days
// since 30/12/1899 plus the fraction of the day elapsed.
double SelloMomentoCuenta(const QDateTime& momento);
