#include "platform/db/sql/Traductor.h"

#include "platform/Error.h"
#include "platform/db/sql/Lexico.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <optional>

namespace db::sql {

QDate FechaDelDialecto(const QString& texto) {
  static const QRegularExpression patron(QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{4})\\s*$"));
  const QRegularExpressionMatch m = patron.match(texto);
  if (!m.hasMatch()) return {};
  return QDate(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt());
}

namespace {

// Words that are never a name, an alias or an operand.
const QSet<QString>& Reservadas() {
  static const QSet<QString> r = {
      "SELECT", "FROM",  "WHERE",  "GROUP",   "ORDER",  "BY",     "HAVING",    "UNION",  "ALL",   "DISTINCT",
      "AS",     "ON",    "JOIN",   "INNER",   "LEFT",   "RIGHT",  "OUTER",     "FULL",   "CROSS", "NATURAL",
      "AND",    "OR",    "NOT",    "IS",      "NULL",   "IN",     "LIKE",      "BETWEEN", "CASE", "WHEN",
      "THEN",   "ELSE",  "END",    "SET",     "VALUES", "INTO",   "UPDATE",    "DELETE", "INSERT", "LIMIT",
      "OFFSET", "EXISTS", "INTERSECT", "EXCEPT", "ASC",  "DESC",   "USING",     "ESCAPE", "COLLATE", "GLOB"};
  return r;
}

bool EsReservada(const Pieza& p) { return p.Es(TipoPieza::Palabra) && Reservadas().contains(p.texto.toUpper()); }

bool EsComparacion(const Pieza& p) {
  if (p.tipo != TipoPieza::Operador) return false;
  static const QSet<QString> ops = {"=", "==", "<>", "!=", "<", ">", "<=", ">="};
  return ops.contains(p.texto);
}

bool EsAritmetico(const Pieza& p) {
  if (p.tipo != TipoPieza::Operador) return false;
  static const QSet<QString> ops = {"+", "-", "*", "/", "%", "||"};
  return ops.contains(p.texto);
}

struct Rango {
  int desde = -1;
  int hasta = -1;
  bool Vale() const { return desde >= 0; }
};

struct Referencia {
  QString ruta;
  QString nombre;  // virtual table
  QString alias;   // upper case, may be empty
  int nucleo = 0;
};

class Traductor {
 public:
  Traductor(const QString& sql, const ColumnasDe& columnas, const QString& prefijo)
      : sql_(sql), columnas_(columnas), prefijo_(prefijo), piezas_(Divide(sql)) {
    for (int i = 0; i < piezas_.size(); ++i)
      if (!piezas_[i].Es(TipoPieza::Blanco)) v_.append(i);
    Empareja();
  }

  Traduccion Ejecuta() {
    Subcadenas();
    Estructura();
    RestaDeFechas();
    FechasLiterales();
    Nulos();
    Divisiones();
    Traduccion t;
    t.sqlite = Une(piezas_);
    for (const auto& [ruta, nombre] : nombres_) t.tablas.append({ruta, nombre});
    return t;
  }

 private:
  // --- Pieces by position among the non-blank ones.
  int N() const { return static_cast<int>(v_.size()); }
  Pieza& P(int k) { return piezas_[v_[k]]; }
  bool Hay(int k) const { return k >= 0 && k < N(); }
  bool EsOp(int k, const char* op) { return Hay(k) && P(k).EsOperador(op); }
  bool EsPal(int k, const char* w) { return Hay(k) && P(k).EsPalabra(w); }

  plat::Error ErrorSql(const QString& detalle) const {
    return plat::Error(plat::Clase::Sql, detalle + QStringLiteral(" en la instrucción SQL:\n") + sql_);
  }

  void Empareja() {
    par_.fill(-1, N());
    encierra_.fill(-1, N());
    QVector<int> pila;
    for (int k = 0; k < N(); ++k) {
      encierra_[k] = pila.isEmpty() ? -1 : pila.back();
      if (EsOp(k, "(")) {
        pila.append(k);
      } else if (EsOp(k, ")") && !pila.isEmpty()) {
        par_[k] = pila.back();
        par_[pila.back()] = k;
        pila.removeLast();
        encierra_[k] = pila.isEmpty() ? -1 : pila.back();
      }
    }
  }

  // SUBSTRING(x FROM a FOR b) -> SUBSTR(x, a, b), before FROM is read as a
  // table clause.
  void Subcadenas() {
    for (int k = 0; k + 1 < N(); ++k) {
      if (!EsPal(k, "SUBSTRING") || !EsOp(k + 1, "(") || par_[k + 1] < 0) continue;
      P(k).texto = QStringLiteral("SUBSTR");
      for (int j = k + 2; j < par_[k + 1]; ++j) {
        if (EsOp(j, "(")) {
          j = par_[j] < 0 ? j : par_[j];
          continue;
        }
        if (EsPal(j, "FROM") || EsPal(j, "FOR")) {
          P(j).tipo = TipoPieza::Operador;
          P(j).texto = QStringLiteral(",");
        }
      }
    }
  }

  // Table paths, aliases and the SELECT each piece belongs to; double-quoted
  // texts elsewhere become literals.
  void Estructura() {
    nucleo_.fill(0, N());
    padre_ = {-1};
    QVector<int> nucleos = {0};
    QVector<bool> enDesde = {false};
    bool esperaTabla = false;
    for (int k = 0; k < N(); ++k) {
      Pieza& p = P(k);
      bool tabla = false;
      if (p.EsOperador("(")) {
        nucleos.append(nucleos.back());
        enDesde.append(false);
      } else if (p.EsOperador(")")) {
        if (nucleos.size() > 1) {
          nucleos.removeLast();
          enDesde.removeLast();
        }
      } else if (p.EsPalabra("SELECT")) {
        padre_.append(nucleos.size() > 1 ? nucleos[nucleos.size() - 2] : -1);
        nucleos.back() = static_cast<int>(padre_.size()) - 1;
        enDesde.back() = false;
      } else if (p.EsPalabra("FROM")) {
        enDesde.back() = true;
        tabla = true;
      } else if (p.EsPalabra("JOIN") || p.EsPalabra("INTO") || p.EsPalabra("UPDATE")) {
        tabla = true;
      } else if (p.EsOperador(",")) {
        tabla = enDesde.back();
      } else if (p.EsPalabra("WHERE") || p.EsPalabra("GROUP") || p.EsPalabra("ORDER") || p.EsPalabra("HAVING") ||
                 p.EsPalabra("UNION") || p.EsPalabra("INTERSECT") || p.EsPalabra("EXCEPT") || p.EsPalabra("LIMIT") ||
                 p.EsPalabra("SET") || p.EsPalabra("VALUES")) {
        enDesde.back() = false;
      } else if (p.EsTexto()) {
        if (esperaTabla) {
          NombraTabla(k, nucleos.back());
        } else if (p.Es(TipoPieza::Comillas)) {
          p.tipo = TipoPieza::Cadena;
          p.texto = LiteralSqlite(p.valor);
        }
      }
      nucleo_[k] = nucleos.back();
      esperaTabla = tabla;
    }
  }

  void NombraTabla(int k, int nucleo) {
    Pieza& p = P(k);
    Referencia r;
    r.ruta = p.valor;
    r.nucleo = nucleo;
    auto it = std::find_if(nombres_.begin(), nombres_.end(), [&](const auto& e) { return e.first == r.ruta; });
    if (it == nombres_.end()) {
      nombres_.append({r.ruta, prefijo_ + QString::number(nombres_.size() + 1)});
      it = nombres_.end() - 1;
    }
    r.nombre = it->second;
    p.tipo = TipoPieza::Palabra;
    p.texto = r.nombre;
    p.antes = QStringLiteral(" ");  // the path may touch the words around it: FROM"x.dbf"SET
    p.despues = QStringLiteral(" ");
    if (EsPal(k + 1, "AS") && Hay(k + 2) && P(k + 2).Es(TipoPieza::Palabra)) {
      r.alias = P(k + 2).texto.toUpper();
    } else if (Hay(k + 1) && P(k + 1).Es(TipoPieza::Palabra) && !EsReservada(P(k + 1))) {
      r.alias = P(k + 1).texto.toUpper();
    }
    referencias_.append(r);
  }

  // --- Operands.

  // The primary expression (name, qualified name, literal, call or
  // parenthesis) that ends at k.
  Rango PrimarioQueTermina(int k) {
    if (!Hay(k)) return {};
    const Pieza& p = P(k);
    if (p.EsOperador(")")) {
      int desde = par_[k];
      if (desde < 0) return {};
      if (Hay(desde - 1) && P(desde - 1).Es(TipoPieza::Palabra) && !EsReservada(P(desde - 1))) --desde;
      return {desde, k};
    }
    if (p.Es(TipoPieza::Numero) || p.EsTexto()) return {k, k};
    if (p.Es(TipoPieza::Palabra) && !EsReservada(p)) {
      if (EsOp(k - 1, ".") && Hay(k - 2) && P(k - 2).Es(TipoPieza::Palabra)) return {k - 2, k};
      return {k, k};
    }
    return {};
  }

  // The primary expression that begins at k.
  Rango PrimarioQueEmpieza(int k) {
    if (!Hay(k)) return {};
    const Pieza& p = P(k);
    if (p.EsOperador("(")) return par_[k] < 0 ? Rango{} : Rango{k, par_[k]};
    if (p.Es(TipoPieza::Numero) || p.EsTexto()) return {k, k};
    if (p.Es(TipoPieza::Palabra) && !EsReservada(p)) {
      if (EsOp(k + 1, "(")) return par_[k + 1] < 0 ? Rango{} : Rango{k, par_[k + 1]};
      if (EsOp(k + 1, ".") && Hay(k + 2) && P(k + 2).Es(TipoPieza::Palabra)) return {k, k + 2};
      return {k, k};
    }
    return {};
  }

  // The whole left operand of a comparison ending at k: primaries joined by
  // arithmetic operators.
  Rango OperandoQueTermina(int k) {
    Rango r = PrimarioQueTermina(k);
    if (!r.Vale()) return r;
    for (;;) {
      if (!Hay(r.desde - 1) || !EsAritmetico(P(r.desde - 1))) break;
      const Rango antes = PrimarioQueTermina(r.desde - 2);
      if (!antes.Vale()) break;
      r.desde = antes.desde;
    }
    return r;
  }

  // --- Columns of the tables named.

  const QVector<ColumnaTabla>& ColumnasDeRuta(const QString& ruta) {
    auto it = cache_.find(ruta);
    if (it == cache_.end()) it = cache_.insert(ruta, columnas_(ruta));
    return *it;
  }

  std::optional<TipoDato> TipoEn(const Referencia& r, const QString& columna) {
    for (const ColumnaTabla& c : ColumnasDeRuta(r.ruta))
      if (c.nombre.compare(columna, Qt::CaseInsensitive) == 0) return c.tipo;
    return std::nullopt;
  }

  // The type of the column named at k (a bare name or the name after
  // "alias."), when some table of the statement has it.
  std::optional<TipoDato> TipoColumna(int k) {
    const QString columna = P(k).texto;
    if (EsOp(k - 1, ".") && Hay(k - 2)) {
      const QString alias = P(k - 2).texto.toUpper();
      for (const Referencia& r : referencias_)
        if (r.alias == alias || r.nombre.compare(alias, Qt::CaseInsensitive) == 0) return TipoEn(r, columna);
      return std::nullopt;
    }
    for (int n = nucleo_[k]; n >= 0; n = padre_[n])
      for (const Referencia& r : referencias_)
        if (r.nucleo == n)
          if (auto t = TipoEn(r, columna)) return t;
    for (const Referencia& r : referencias_)
      if (auto t = TipoEn(r, columna)) return t;
    return std::nullopt;
  }

  bool TieneColumnaFecha(Rango r) {
    for (int k = r.desde; k <= r.hasta; ++k) {
      const Pieza& p = P(k);
      if (!p.Es(TipoPieza::Palabra) || EsReservada(p) || EsOp(k + 1, "(") || EsOp(k + 1, ".")) continue;
      if (TipoColumna(k) == TipoDato::Fecha) return true;
    }
    return false;
  }

  bool EsLiteralFecha(Rango r) {
    return r.Vale() && r.desde == r.hasta && P(r.desde).EsTexto() && FechaDelDialecto(P(r.desde).valor).isValid();
  }

  // A text literal compared with a date: the date in the column's form.
  void ComoFecha(int k) {
    Pieza& p = P(k);
    if (p.valor.trimmed().isEmpty()) return;
    const QDate f = FechaDelDialecto(p.valor);
    if (!f.isValid()) throw ErrorSql(QStringLiteral("La fecha \"%1\" no es válida (se espera mes/día/año)").arg(p.valor));
    p.tipo = TipoPieza::Cadena;
    p.texto = LiteralSqlite(f.toString(QStringLiteral("yyyy-MM-dd")));
    p.valor = f.toString(QStringLiteral("yyyy-MM-dd"));
  }

  // --- Rewrites.

  // date - date: the days between them.
  void RestaDeFechas() {
    for (int k = 1; k + 1 < N(); ++k) {
      if (!EsOp(k, "-")) continue;
      const Rango a = PrimarioQueTermina(k - 1);
      const Rango b = PrimarioQueEmpieza(k + 1);
      if (!a.Vale() || !b.Vale()) continue;
      const bool colA = TieneColumnaFecha(a), colB = TieneColumnaFecha(b);
      if (!(colA || colB) || !(colA || EsLiteralFecha(a)) || !(colB || EsLiteralFecha(b))) continue;
      if (!colA) ComoFecha(a.desde);
      if (!colB) ComoFecha(b.desde);
      P(a.desde).antes += QStringLiteral("(JULIANDAY(");
      P(a.hasta).despues += QStringLiteral(")");
      P(b.desde).antes += QStringLiteral("JULIANDAY(");
      P(b.hasta).despues += QStringLiteral("))");
    }
  }

  // The operand a literal at k is compared with, if any.
  Rango Pareja(int k) {
    auto antesDe = [&](int j) {  // operand ending at j, skipping a NOT
      if (EsPal(j, "NOT")) --j;
      return PrimarioQueTermina(j);
    };
    if (Hay(k - 1) && EsComparacion(P(k - 1))) return PrimarioQueTermina(k - 2);
    if (Hay(k + 1) && EsComparacion(P(k + 1))) return PrimarioQueEmpieza(k + 2);
    if (EsPal(k - 1, "BETWEEN")) return antesDe(k - 2);
    if (EsPal(k - 1, "AND")) {
      const Rango menor = PrimarioQueTermina(k - 2);
      if (menor.Vale() && EsPal(menor.desde - 1, "BETWEEN")) return antesDe(menor.desde - 2);
    }
    if (EsOp(k - 1, "(") || EsOp(k - 1, ",")) {
      const int abre = EsOp(k - 1, "(") ? k - 1 : encierra_[k];
      if (abre >= 0 && EsPal(abre - 1, "IN")) return antesDe(abre - 2);
    }
    return {};
  }

  void FechasLiterales() {
    for (int k = 0; k < N(); ++k) {
      if (!P(k).Es(TipoPieza::Cadena) || P(k).texto.isEmpty()) continue;
      if (!P(k).valor.contains(u'/')) continue;  // m/d/yyyy or a bad date meant as one
      const Rango r = Pareja(k);
      if (r.Vale() && TieneColumnaFecha(r)) ComoFecha(k);
    }
  }

  // X IS NULL -> IFNULL(X,'') = '' ; X IS NOT NULL and X LIKE NOT NULL ->
  // IFNULL(X,'') <> ''.
  void Nulos() {
    for (int k = 1; k + 1 < N(); ++k) {
      const bool es = EsPal(k, "IS"), like = EsPal(k, "LIKE");
      if (!es && !like) continue;
      int j = k + 1;
      const bool no = EsPal(j, "NOT");
      if (no) ++j;
      if (!EsPal(j, "NULL") || (like && !no)) continue;
      const Rango x = OperandoQueTermina(k - 1);
      if (!x.Vale()) continue;
      P(x.desde).antes.prepend(QStringLiteral("IFNULL("));
      P(x.hasta).despues += QStringLiteral(",'')");
      P(k).tipo = TipoPieza::Operador;
      P(k).texto = no ? QStringLiteral("<>") : QStringLiteral("=");
      if (no) P(k + 1).texto.clear();
      P(j).tipo = TipoPieza::Cadena;
      P(j).texto = QStringLiteral("''");
      P(j).valor.clear();
      k = j;
    }
  }

  void Divisiones() {
    auto real = [&](int k) {
      if (!Hay(k) || !P(k).Es(TipoPieza::Numero)) return;
      QString& t = P(k).texto;
      if (!t.contains(u'.') && !t.contains(u'e') && !t.contains(u'E')) t += QStringLiteral(".0");
    };
    for (int k = 0; k < N(); ++k) {
      if (!EsOp(k, "/")) continue;
      real(k - 1);
      real(k + 1);
    }
  }

  QString sql_;
  ColumnasDe columnas_;
  QString prefijo_;
  QVector<Pieza> piezas_;
  QVector<int> v_;         // positions of the non-blank pieces
  QVector<int> par_;       // matching parenthesis
  QVector<int> encierra_;  // the "(" a piece stands inside
  QVector<int> nucleo_;    // the SELECT a piece belongs to
  QVector<int> padre_;     // the SELECT around each SELECT
  QVector<Referencia> referencias_;
  QVector<std::pair<QString, QString>> nombres_;  // path -> virtual table
  QHash<QString, QVector<ColumnaTabla>> cache_;
};

}  // namespace

Traduccion Traduce(const QString& sql, const ColumnasDe& columnas, const QString& prefijo) {
  return Traductor(sql, columnas, prefijo).Ejecuta();
}

}  // namespace db::sql
