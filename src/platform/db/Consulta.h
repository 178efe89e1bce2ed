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
// Parameters: a word with a colon before it (":DESDE") is a parameter; each
// gets its value through Params(i) or ParamByName before Open or ExecSQL:
//
//   q.SetSQL("Select CLDOC_F from \"C:\\DATOS\\remision.dbf\" where FEDOC_F>=:DESDE and CLCLI_F=:CLIENTE");
//   q.ParamByName("DESDE").SetAsDate(desde);
//   q.ParamByName("CLIENTE").SetAsString(cliente);
//   q.Open();
//
// A value is a text, a number, a date or null; it is never read as part of
// the statement. A parameter left without a value fails the statement.
//
// Open runs the statement and keeps every row of its result: in memory
// while they are few, then in a work file of the work folder (the system's
// temporary folder unless SetCarpetaTrabajo names another), so a result of
// any size takes little memory; a
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
// A blank text reads null, as in tables. A computed number reads as the old
// engine held it, to 15 significant digits (0.1*3 reads 0.3).

#include "platform/db/Dataset.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>

#include <memory>
#include <vector>

namespace db {

class FilasConsulta;

// A parameter of a statement and the value it will be given.
class Parametro {
 public:
  explicit Parametro(const QString& nombre) : nombre_(nombre) {}

  const QString& Nombre() const { return nombre_; }
  void SetAsString(const QString& texto) { Fija(texto); }
  void SetAsFloat(double valor) { Fija(valor); }
  void SetAsInteger(qint64 valor) { Fija(QVariant::fromValue<qint64>(valor)); }
  // An invalid date is null.
  void SetAsDate(const QDate& fecha) { Fija(fecha.isValid() ? QVariant(fecha) : QVariant()); }
  // Null.
  void Clear() { Fija(QVariant()); }
  // A QString, a number, a QDate, or an invalid QVariant for null; a
  // value of another type is refused (Conversion).
  void SetValue(const QVariant& valor);

  // Invalid for null; meaningful once Asignado.
  const QVariant& Value() const { return valor_; }
  bool Asignado() const { return asignado_; }

 private:
  void Fija(const QVariant& valor) {
    valor_ = valor;
    asignado_ = true;
  }

  QString nombre_;
  QVariant valor_;
  bool asignado_ = false;
};

class Consulta : public Dataset {
  Q_OBJECT

 public:
  explicit Consulta(QObject* parent = nullptr);
  ~Consulta() override;

  // Set while closed (Estado otherwise). The parameters become those of the
  // new statement, each once, in order, without values.
  void SetSQL(const QString& sql);
  const QString& SQL() const { return sql_; }

  // Runs the statement without keeping rows; returns the rows written by
  // INSERT, UPDATE or DELETE (0 for others).
  qint64 ExecSQL();

  // Parameters keep their values across runs; a change is used by the next
  // Open, ExecSQL or Refresh.
  int ParamCount() const { return static_cast<int>(params_.size()); }
  Parametro& Params(int i);
  // Any case; NoExiste "Parámetro X no encontrado" for another name.
  Parametro& ParamByName(const QString& nombre);

  // The folder (a local path) of the work file of a large result; empty:
  // the system's temporary folder. Used by the next Open or Refresh.
  void SetCarpetaTrabajo(const QString& carpeta);

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
  qint64 CursorCuenta() override { return Cuenta(); }
  void CursorRefresca() override;
  QVariant LeeCampo(int i) const override;

 private:
  void Carga();
  qint64 Cuenta() const;
  QHash<QString, QVariant> ValoresParametros() const;

  QString sql_;
  QString carpetaTrabajo_;
  std::vector<Parametro> params_;
  QVector<DefCampo> defs_;
  QVector<TipoDato> tipos_;
  QVector<bool> calculadas_;  // computed columns (their numbers to 15 digits)
  std::unique_ptr<FilasConsulta> filas_;
  qint64 actual_ = 0;
  // The current row's values, read once for all its fields.
  mutable qint64 leida_ = 0;
  mutable QVector<QVariant> fila_;
};

}  // namespace db
