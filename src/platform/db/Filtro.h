#pragma once
// Record filter texts as the windows write them ("TIDOC_FO='CL'",
// "FEDOC_F='05/03/2024' AND NUM_CONCEP<=1"), compiled once against a
// dataset's fields and evaluated on its current row. Grammar and value rules
// are in Dataset.h.

#include "platform/db/Esquema.h"

#include <QString>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>

namespace db {

class Filtro {
 public:
  // What the compiler needs of the dataset: the field index of a name (-1
  // when unknown), its type, and the error naming the dataset.
  struct Contexto {
    std::function<int(const QString&)> indice;
    std::function<TipoDato(int)> tipo;
    std::function<QString(int)> nombre;
    QString tabla;
  };

  // Throws Conversion for a text that does not parse or a constant that does
  // not fit its field, NoExiste for an unknown field.
  static std::unique_ptr<Filtro> Compila(const QString& texto, const Contexto& contexto);
  ~Filtro();

  // `valor(i)` gives field i of the current row (invalid QVariant for null).
  bool Evalua(const std::function<QVariant(int)>& valor) const;

  struct Nodo;

 private:
  Filtro() = default;
  std::unique_ptr<Nodo> raiz_;
};

}  // namespace db
