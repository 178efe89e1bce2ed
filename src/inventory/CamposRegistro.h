#pragma once
// Records of the inventory tables copied to and from a dataset's current
// row, field by field under the table's own names. Each record type lists
// its fields once (name, member, whether the table may lack it); reading and
// writing walk that list.
//
// Values: texts as QString (a blank field reads ""), dates as QDate (null:
// an invalid date), numbers as std::optional (a blank field is nullopt, never
// 0): quantities, percentages and factors as double with every decimal the
// field keeps, prices, costs and amounts as Dinero, integers as qint64.

#include "foundation/dinero.h"
#include "platform/db/Campo.h"
#include "platform/db/Dataset.h"

#include <QDate>
#include <QString>

#include <optional>
#include <type_traits>
#include <variant>
#include <vector>

namespace registro {

std::optional<double> LeeReal(const db::Campo& campo);
std::optional<Dinero> LeeImporte(const db::Campo& campo);
std::optional<qint64> LeeEntero(const db::Campo& campo);
// nullopt clears the field.
void Escribe(db::Campo& campo, const std::optional<double>& valor);
void Escribe(db::Campo& campo, const std::optional<Dinero>& valor);
void Escribe(db::Campo& campo, const std::optional<qint64>& valor);

// One field of a record type R.
template <class R>
struct Campo {
  using Miembro = std::variant<QString R::*, QDate R::*, std::optional<double> R::*, std::optional<Dinero> R::*,
                               std::optional<qint64> R::*>;
  const char* nombre;
  Miembro miembro;
  bool opcional = false;  // a column the installation's table may lack
};

// The dataset's field of that name; nullptr for an optional column the table
// lacks; plat::Error (NoExiste) for any other missing column.
db::Campo* Busca(const db::Dataset& tabla, const char* nombre, bool opcional);

// Fills r from the current row. A missing optional column reads as blank.
template <class R>
void Lee(R& r, const db::Dataset& tabla, const std::vector<Campo<R>>& campos) {
  for (const Campo<R>& c : campos) {
    const db::Campo* f = Busca(tabla, c.nombre, c.opcional);
    std::visit(
        [&](auto m) {
          using T = std::remove_reference_t<decltype(r.*m)>;
          if constexpr (std::is_same_v<T, QString>) {
            r.*m = f ? f->AsString() : QString();
          } else if constexpr (std::is_same_v<T, QDate>) {
            r.*m = f ? f->AsDate() : QDate();
          } else if constexpr (std::is_same_v<T, std::optional<double>>) {
            r.*m = f ? LeeReal(*f) : std::nullopt;
          } else if constexpr (std::is_same_v<T, std::optional<Dinero>>) {
            r.*m = f ? LeeImporte(*f) : std::nullopt;
          } else {
            r.*m = f ? LeeEntero(*f) : std::nullopt;
          }
        },
        c.miembro);
  }
}

// Writes every field of r into the row being edited or appended (the
// dataset must be editing or inserting). A missing optional column is
// skipped. Texts wider than their field are cut by the table layer.
template <class R>
void Escribe(const R& r, db::Dataset& tabla, const std::vector<Campo<R>>& campos) {
  for (const Campo<R>& c : campos) {
    db::Campo* f = Busca(tabla, c.nombre, c.opcional);
    if (!f) continue;
    std::visit(
        [&](auto m) {
          using T = std::remove_cvref_t<decltype(r.*m)>;
          if constexpr (std::is_same_v<T, QString>) {
            f->SetAsString(r.*m);
          } else if constexpr (std::is_same_v<T, QDate>) {
            f->SetAsDate(r.*m);
          } else {
            Escribe(*f, r.*m);
          }
        },
        c.miembro);
  }
}

}  // namespace registro
