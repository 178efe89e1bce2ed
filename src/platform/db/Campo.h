#pragma once
// A field of a dataset's current record.
//
// Reading gives the value of the row the dataset stands on; while the dataset
// is editing or inserting it reads and writes the edit buffer, which reaches
// the file only at Post. Values are typed by the field's TipoDato (the one
// rule in Esquema.h); a blank stored field is null.
//
// Errors (plat::Error, messages name the table and the field):
//   Estado     writing while the dataset is not editing or inserting;
//              reading while it is closed or has no current row.
//   Conversion text that is not a number, an integer or a dd/MM/yyyy date;
//              stored bytes that cannot be read as the field's type.
//   NoCabe     a number that overflows its width, a value of a kind the
//              field cannot hold. (A text longer than a text field is cut
//              to the field's width, as the routines rely on.)

#include "platform/db/Esquema.h"

#include <QDate>
#include <QString>
#include <QVariant>

namespace db {

class Dataset;

class Campo {
 public:
  Campo(Dataset& dataset, int indice, const DefCampo& def, TipoDato tipo);
  Campo(const Campo&) = delete;
  Campo& operator=(const Campo&) = delete;

  const QString& Nombre() const { return def_.nombre; }
  TipoDato Tipo() const { return tipo_; }
  int Ancho() const { return def_.ancho; }
  int Decimales() const { return def_.decimales; }
  int Indice() const { return indice_; }
  const DefCampo& Definicion() const { return def_; }
  Dataset& DataSet() const { return *dataset_; }

  // Texts right-trimmed (leading blanks kept); integers as digits; floats in
  // the shortest general form ("1234.5", "3"); dates dd/MM/yyyy; logical
  // "True"/"False"; null gives "".
  QString AsString() const;
  // Null gives 0; a float is rounded half away from zero; a text that is no
  // integer gives Conversion.
  qint64 AsInteger() const;
  // Null gives 0; a text that is no number gives Conversion.
  double AsFloat() const;
  // Null gives an invalid date; a text must read dd/MM/yyyy.
  QDate AsDate() const;
  // Null gives false; texts "T", "True", "S", "Y" (any case) are true.
  bool AsBoolean() const;
  // Typed value: QString, qint64, double, QDate or bool; null gives an
  // invalid QVariant.
  QVariant Value() const;
  bool IsNull() const;

  // To number fields: "." decimals, "" gives null. To date fields:
  // dd/MM/yyyy, "" gives null. To logical fields: "T"/"F"/"True"/"False"/
  // "S"/"N"/"Y", "" gives null. To text fields: the text as it stands, cut
  // to the field's width.
  void SetAsString(const QString& texto);
  // True when SetAsString would take the text (the number, date or logical
  // rule of the field's type; any text for text fields), so that a caller
  // can check a whole import before writing any of it.
  bool AceptaTexto(const QString& texto) const;
  void SetAsInteger(qint64 valor);
  void SetAsFloat(double valor);
  void SetAsDate(const QDate& fecha);  // an invalid date gives null
  void SetAsBoolean(bool valor);
  // An invalid QVariant gives null; others are converted as the setters above.
  void SetValue(const QVariant& valor);
  void Clear();

 private:
  void Asigna(const QVariant& valor);

  Dataset* dataset_;
  int indice_;
  DefCampo def_;
  TipoDato tipo_;
};

}  // namespace db
