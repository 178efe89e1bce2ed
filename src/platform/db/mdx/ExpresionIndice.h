#pragma once
// Key expressions of index tags, compiled once against a table's fields and
// evaluated for each record.
//
//   ExpresionIndice e(QStringLiteral("UPPER(NOMBR_C)+DTOS(FEALT_C)"), campos);
//   QByteArray clave = e.Evalua([&](int campo) { return valorDe(campo); });
//
// The language: field names (any case), text literals in '...' or "...",
// numbers, parentheses, "+" (joins texts, adds numbers), and the functions
// UPPER(texto), STR(número [, largo [, decimales]]), DTOS(fecha) and
// SUBSTR(texto, inicio [, largo]); a function name may be cut to its first
// four letters, as the old engine allowed. C fields are text, N and F
// numbers, D dates. The key is 'C' (its fixed length computed from the
// expression, at most 100), 'N' or 'D'.
//
// The field reader gives a field's value as the table layer does: QString
// or QByteArray (Windows-1252 bytes) for texts, qint64 or double for numbers,
// QDate for dates; an invalid QVariant for a blank field.

#include "platform/db/Esquema.h"
#include "platform/db/mdx/ClaveIndice.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVector>

#include <cstdint>
#include <functional>
#include <memory>

namespace db {

using LectorCampo = std::function<QVariant(int campo)>;

class ExpresionIndice {
 public:
  // Throws plat::Error (General) naming the expression when it cannot be
  // compiled: unknown field or function, types that do not match, a key
  // longer than 100 characters.
  ExpresionIndice(const QString& texto, const QVector<DefCampo>& campos);
  ~ExpresionIndice();
  ExpresionIndice(ExpresionIndice&&) noexcept;
  ExpresionIndice& operator=(ExpresionIndice&&) noexcept;

  const QString& Texto() const { return texto_; }
  TipoClave Tipo() const;
  int Largo() const;  // bytes of the key
  // The expression is one field name alone.
  bool EsCampo() const;

  // The key of a record. Conversion when a number field holds no number.
  QByteArray Evalua(const LectorCampo& lector) const;
  void Evalua(const LectorCampo& lector, std::uint8_t* destino) const;

  struct Nodo;

 private:
  QString texto_;
  std::unique_ptr<Nodo> raiz_;
};

}  // namespace db
