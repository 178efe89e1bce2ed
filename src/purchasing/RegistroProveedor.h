#pragma once
// The supplier record: one row of PROVEEDO.DBF of the data folder, and the
// key a new supplier takes when keys are numbered automatically.
//
// The production index has the tags ICLAPRO (CLAVE_P) and NOMBR_P. The key
// column is CHAR(10) as registered, or NUMERIC(10,0) in a company that
// numbers its suppliers (the configuration window converts it); the routines
// take the key as the column types it.

#include "foundation/dinero.h"
#include "purchasing/TablasCompras.h"

#include <QDate>
#include <QString>

#include <optional>

namespace db {
class Dataset;
class Tabla;
}  // namespace db

inline const QString kTagClaveProveedor = QStringLiteral("ICLAPRO");
inline const QString kTagNombreProveedor = QStringLiteral("NOMBR_P");

// Blank fields are null: "" texts, invalid dates, nullopt numbers.
struct TRegistroProveedor {
  QString CLAVE_P;  // key; a numeric key reads as its digits
  QString NOMBR_P;  // name, in capitals
  QString TELEF_P;
  QString RFCXX_P;  // tax id, in capitals
  QString DIREC_P;
  QString POBLA_P;
  QString CPXXX_P;
  QString DREPA_P;  // days of review and payment
  QString ZONAX_P;  // zone or classification
  std::optional<qint64> DCRED_P;  // credit days
  QDate FULCO_P;                  // last purchase
  QString CLVEN_P;                // seller of VENDEDOR.DBF
  QString NOCLI_P;                // the company's customer number with the supplier
  std::optional<double> POUTI_P;  // profit factor
  // Purchase discounts in percent; columns an installation's table may lack.
  std::optional<double> DESC1_P, DESC2_P, DESC3_P;
  std::optional<Dinero> COMPR_P;  // total purchased
  QString ULTCO_P;                // number of the last purchase, as installed
  std::optional<Dinero> CARGO_P, ABONO_P, SALDO_P;  // payables: charges, payments, balance

  // Fills the record from the dataset's current row. A missing column other
  // than the three discounts is plat::Error (NoExiste).
  void Lee(const db::Dataset& proveedores);
};

// The key a new supplier takes when line 35 numbers suppliers: the highest
// key of the whole table that reads as a whole number, plus one; "00001"
// when no key does (an empty table). Reads the table's file through a handle
// of its own.
QString SiguienteClaveProveedor(const db::Tabla& proveedores);
