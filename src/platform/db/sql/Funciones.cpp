#include "platform/db/sql/Funciones.h"

#include "platform/db/Valores.h"

#include <sqlite3.h>

#include <charconv>
#include <cmath>

namespace db::sql {

namespace {

QString TextoDe(sqlite3_value* v) {
  return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
}

void Texto(sqlite3_context* ctx, const QString& s) {
  const QByteArray u = s.toUtf8();
  sqlite3_result_text(ctx, u.constData(), static_cast<int>(u.size()), SQLITE_TRANSIENT);
}

void Mayusculas(sqlite3_context* ctx, sqlite3_value** argv, bool mayus) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  const QString t = TextoDe(argv[0]);
  Texto(ctx, mayus ? t.toUpper() : t.toLower());
}

void NumeroDeTexto(sqlite3_context* ctx, int, sqlite3_value** argv) {
  switch (sqlite3_value_type(argv[0])) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
    case SQLITE_NULL: return sqlite3_result_value(ctx, argv[0]);
    default:
      if (const auto r = RealDeTexto(TextoDe(argv[0]))) return sqlite3_result_double(ctx, *r);
      sqlite3_result_null(ctx);
  }
}

void TextoDeNumeroSql(sqlite3_context* ctx, int, sqlite3_value** argv) {
  switch (sqlite3_value_type(argv[0])) {
    case SQLITE_INTEGER: return Texto(ctx, QString::number(sqlite3_value_int64(argv[0])));
    case SQLITE_FLOAT: return Texto(ctx, TextoDeNumero(sqlite3_value_double(argv[0])));
    default: sqlite3_result_value(ctx, argv[0]);
  }
}

}  // namespace

double QuinceCifras(double v) {
  if (!std::isfinite(v) || v == 0) return v;
  char buf[64];
  const auto fin = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15).ptr;
  double r = v;
  std::from_chars(buf, fin, r);
  return r;
}

QString TextoDeNumero(double v) { return TextoReal(QuinceCifras(v)); }

void RegistraFunciones(sqlite3* db) {
  const int banderas = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
  sqlite3_create_function(db, "upper", 1, banderas, nullptr,
                          [](sqlite3_context* c, int, sqlite3_value** v) { Mayusculas(c, v, true); }, nullptr, nullptr);
  sqlite3_create_function(db, "lower", 1, banderas, nullptr,
                          [](sqlite3_context* c, int, sqlite3_value** v) { Mayusculas(c, v, false); }, nullptr, nullptr);
  sqlite3_create_function(db, kNumeroDeTexto, 1, banderas, nullptr, NumeroDeTexto, nullptr, nullptr);
  sqlite3_create_function(db, kTextoDeNumero, 1, banderas, nullptr, TextoDeNumeroSql, nullptr, nullptr);
}

}  // namespace db::sql
