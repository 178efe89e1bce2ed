#pragma once
// A statement of the old local SQL dialect and, for a query, its result as a
// read-only dataset.
//
//   db::Consulta q;
//   q.SetSQL("Select CLDOC_F,IMTOD_F From \"C:\\DATOS\\remision.dbf\""
//            " where (STATU_F<>\"C\" OR STATU_F IS NULL) and FEDOC_F>=\"3/1/2025\"");
//   q.Open();
//   for (q.First(); !q.Eof(); q.Next()) total += q.FieldByName("IMTOD_F").AsFloat();
//
// Open runs the statement and keeps every row of its result in memory; a
// statement without a result (INSERT, UPDATE, DELETE, CREATE TABLE, ALTER
// TABLE, DROP TABLE, CREATE INDEX) runs and raises nothing, leaving the
// dataset open with no fields and no rows. ExecSQL runs any statement and
// keeps no rows. Refresh runs the statement again. The dialect, the tables
// and the errors are those of sql/Motor.h.
//
// Fields: a column taken from a table field has that field's definition (a
// CHAR(20) column is a C field of 20); a computed column is typed by its
// values: texts C of their longest length, whole numbers from counts and
// integer arithmetic N(w,0), other numbers N(20,4), texts that all read
// yyyy-mm-dd dates D. Names are the result's names; a computed column
// without an alias is EXPR<n> (n its position from 1), and a repeated name
// gets _1, _2 ... so the definitions can create a work table as they stand.
// A blank text reads null, as in tables.

#include "platform/db/Dataset.h"

#include <QString>
#include <QVariant>
#include <QVector>

#include <vector>

namespace db {

class Consulta : public Dataset {
  Q_OBJECT

 public:
  explicit Consulta(QObject* parent = nullptr);
  ~Consulta() override;

  // Set while closed (Estado otherwise).
  void SetSQL(const QString& sql);
  const QString& SQL() const { return sql_; }

  // Runs the statement without keeping rows; returns the rows written by
  // INSERT, UPDATE or DELETE (0 for others).
  qint64 ExecSQL();

  QString NombreTabla() const override;
  QString Carpeta() const override { return {}; }

 protected:
  QVector<DefCampo> AbreCursor() override;
  TipoDato TipoDe(const DefCampo& def) const override;
  void CierraCursor() override;
  bool CursorPrimero() override;
  bool CursorUltimo() override;
  bool CursorSiguiente() override;
  bool CursorAnterior() override;
  bool CursorVeA(qint64 registro) override;
  qint64 CursorRegistro() const override { return actual_; }
  qint64 CursorCuenta() override { return static_cast<qint64>(filas_.size()); }
  void CursorRefresca() override;
  QVariant LeeCampo(int i) const override;

 private:
  void Carga();

  QString sql_;
  QVector<DefCampo> defs_;
  QVector<TipoDato> tipos_;
  std::vector<QVector<QVariant>> filas_;
  qint64 actual_ = 0;
};

}  // namespace db
