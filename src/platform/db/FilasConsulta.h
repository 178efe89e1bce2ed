#pragma once
// The rows of a query's result, as SQLite gave them, kept compactly as work
// records (platform/fs/RegistrosTrabajo.h: in memory while they are few,
// then in a work file), so a result of any size takes a bounded amount of
// memory. Rows are read back by number in any order.
//
// Alongside, what the values of each column were like, from which a
// computed column takes its type (Consulta.h).

#include "platform/db/sql/Motor.h"
#include "platform/fs/RegistrosTrabajo.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVector>

#include <vector>

namespace db {

// What the values of one column were: texts, reals, whole numbers; whether
// every non-empty text reads as a yyyy-mm-dd date; the longest text (in
// UTF-16 code units, at least 1) and the most digits of a whole number
// (with its sign, at least 1).
struct ValoresColumna {
  bool textos = false;
  bool reales = false;
  bool enteros = false;
  bool fechas = true;
  int largo = 1;
  int digitos = 1;
};

class FilasConsulta {
 public:
  // `carpeta` (a local path) holds the work file once the rows outgrow
  // memory; empty: the system's temporary folder.
  FilasConsulta(int columnas, const QString& carpeta);

  // Appends a row (one value per column). Io when the work file cannot be
  // written.
  void Agrega(const sql::ValorSql* valores);

  qint64 Cuenta() const { return registros_.Cuenta(); }
  int Columnas() const { return columnas_; }
  const ValoresColumna& Valores(int columna) const { return valores_[static_cast<size_t>(columna)]; }
  // Row n (from 0): invalid for NULL, qint64, double or QString.
  QVector<QVariant> Fila(qint64 n);
  // Whether the rows went to the work file.
  bool EnArchivo() const { return registros_.EnArchivo(); }

 private:
  void Anota(int columna, const sql::ValorSql& v);

  int columnas_;
  std::vector<ValoresColumna> valores_;
  fs::RegistrosTrabajo registros_;
  QByteArray fila_;  // the row being encoded
};

}  // namespace db
