#pragma once
// The rows of a table whose text field contains a text, in that field's
// order: the rows and order of
//
//   SELECT <campos> FROM "<carpeta>\<archivo>"
//   WHERE <campo> LIKE '%<texto>%' ORDER BY <campo>
//
// with the text taken as typed (its "%" and "_" are characters), capitals
// told apart, in key order (Windows-1252 bytes, trailing blanks not
// counting) and equal texts in record order, as the field's index tag keeps
// them. One pass over the file finds the rows; the values are read from the
// file when they are asked for, so a grid over a large result reads only the
// rows it shows.
//
//   ConsultaContiene q;
//   q.SetCarpeta(carpeta);
//   q.SetNombreTabla("INVENTAR.DBF");
//   q.SetCampos({"CLPRO_I", "DSCPR_I", "PPUBL_I"});
//   q.SetBusqueda("DSCPR_I", "TORN");
//   q.Open();
//
// Read-only; RecNo is the row's place in the result. Refresh searches again.
// A row another station deletes after the search reads blank. A missing
// table or field reaches the caller at Open (plat::Error).

#include "platform/db/Dataset.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>
#include <vector>

namespace db {
class Tabla;
}

class ConsultaContiene : public db::Dataset {
  Q_OBJECT

 public:
  explicit ConsultaContiene(QObject* parent = nullptr);
  ~ConsultaContiene() override;

  // Set while closed (Estado otherwise).
  void SetCarpeta(const QString& carpeta);
  void SetNombreTabla(const QString& archivo);
  // The fields of each row, in order.
  void SetCampos(const QStringList& campos);
  // The field searched and the text it must contain.
  void SetBusqueda(const QString& campo, const QString& texto);

  QString NombreTabla() const override { return archivo_; }
  QString Carpeta() const override { return carpeta_; }

 protected:
  QVector<db::DefCampo> AbreCursor() override;
  db::TipoDato TipoDe(const db::DefCampo& def) const override;
  void CierraCursor() override;
  bool CursorPrimero() override;
  bool CursorUltimo() override;
  bool CursorSiguiente() override;
  bool CursorAnterior() override;
  bool CursorVeA(qint64 registro) override;
  qint64 CursorRegistro() const override { return actual_; }
  qint64 CursorCuenta() override { return static_cast<qint64>(registros_.size()); }
  void CursorRefresca() override;
  QVariant LeeCampo(int i) const override;

 private:
  // Fills registros_ with the record numbers found, in the result's order.
  void Busca();

  QString carpeta_, archivo_;
  QStringList campos_;
  QString campoBusqueda_, texto_;
  std::unique_ptr<db::Tabla> tabla_;  // read-only, physical order
  QVector<db::DefCampo> defs_;
  QVector<db::TipoDato> tipos_;
  QVector<int> indices_;              // field of the table behind each field
  std::vector<qint64> registros_;     // record numbers, in the result's order
  qint64 actual_ = 0;                 // place in registros_, from 1; 0 none
  mutable qint64 leido_ = 0;          // record the table stands on (0: none)
};
