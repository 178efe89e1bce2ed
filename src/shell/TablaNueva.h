#pragma once
// A table made anew beside one that other stations may open, and put in its
// place only once it is complete:
//
//   TablaNueva nueva(carpeta, "cliente.dbf", campos, tags);
//   ... fill nueva.Tabla() ...
//   nueva.Coloca();   // over <carpeta>\cliente.dbf
//
// It is made in a scratch folder of `carpeta` under its final name, so its
// index file names the table it indexes; the scratch folder goes when the
// object does, placed or not. Until Coloca the old table is untouched.

#include <QString>
#include <QVector>
#include <memory>

#include "platform/db/Esquema.h"

namespace db {
class Tabla;
}

class TablaNueva {
 public:
  // Makes the table and opens it exclusively. Throws plat::Error.
  TablaNueva(const QString& carpeta, const QString& archivo, const QVector<db::DefCampo>& campos,
             const QVector<db::DefTag>& tags);
  ~TablaNueva();
  TablaNueva(const TablaNueva&) = delete;
  TablaNueva& operator=(const TablaNueva&) = delete;

  db::Tabla& Tabla() { return *tabla_; }

  // Closes it and copies it, with its index, over <carpeta>\<archivo>.
  // Throws plat::Error (EnUso, nothing replaced, while another station has
  // the old table open).
  void Coloca();

 private:
  QString carpeta_, archivo_, borrador_;
  std::unique_ptr<db::Tabla> tabla_;
};
