#include "platform/db/sql/Traductor.h"

#include "platform/Error.h"
#include "platform/db/Literales.h"
#include "platform/db/sql/Funciones.h"
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
  Traductor(const QString& sql, const ColumnasDe& columnas, const QString& prefijo, const Parametros& parametros)
      : sql_(sql), columnas_(columnas), prefijo_(prefijo), parametros_(parametros), piezas_(Divide(sql)) {
    for (int i = 0; i < piezas_.size(); ++i)
      if (!piezas_[i].Es(TipoPieza::Blanco)) v_.append(i);
    Empareja();
  }

  Traduccion Ejecuta() {
    Subcadenas();
    Extracciones();
    Estructura();
    NombresLargos();
    Asignaciones();
    RestaDeFechas();
    FechasLiterales();
    TextoContraNumero();
    Conversiones();
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

  // The piece at k stands for `texto` (or for nothing) and is no longer a
  // word or an operator to the other rewrites.
  void Reemplaza(int k, const QString& texto) {
    P(k).tipo = TipoPieza::Otro;
    P(k).texto = texto;
  }

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

  // EXTRACT(YEAR FROM d) -> CAST(STRFTIME('%Y', d) AS INTEGER), also before
  // FROM is read as a table clause.
  void Extracciones() {
    static const QHash<QString, QString> formatos = {
        {QStringLiteral("YEAR"), QStringLiteral("%Y")},
        {QStringLiteral("MONTH"), QStringLiteral("%m")},
        {QStringLiteral("DAY"), QStringLiteral("%d")}};
    for (int k = 0; k + 1 < N(); ++k) {
      if (!EsPal(k, "EXTRACT") || !EsOp(k + 1, "(") || par_[k + 1] < 0) continue;
      const int cierra = par_[k + 1];
      const QString parte = Hay(k + 2) && P(k + 2).Es(TipoPieza::Palabra) ? P(k + 2).texto.toUpper() : QString();
      if (!formatos.contains(parte) || !EsPal(k + 3, "FROM") || k + 4 >= cierra)
        throw ErrorSql(QStringLiteral("EXTRACT lleva YEAR, MONTH o DAY, FROM y una fecha"));
      P(k).texto = QStringLiteral("CAST");
      Reemplaza(k + 2, QStringLiteral("STRFTIME('%1',").arg(formatos[parte]));
      Reemplaza(k + 3, QString());
      P(cierra).antes += QStringLiteral(") AS INTEGER");
      extracciones_.insert(k);
      fechasExtraidas_.append({k + 4, cierra - 1});
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
          p.texto = LiteralApostrofos(p.valor);
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
    if (p.Es(TipoPieza::Numero) || p.EsTexto() || p.Es(TipoPieza::Parametro)) return {k, k};
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
    if (p.Es(TipoPieza::Numero) || p.EsTexto() || p.Es(TipoPieza::Parametro)) return {k, k};
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

  // The whole right operand of a comparison beginning at k: an optional
  // sign, then primaries joined by arithmetic operators.
  Rango OperandoQueEmpieza(int k) {
    const int desde = k;
    if (EsOp(k, "-") || EsOp(k, "+")) ++k;
    Rango r = PrimarioQueEmpieza(k);
    if (!r.Vale()) return r;
    r.desde = desde;
    while (Hay(r.hasta + 1) && EsAritmetico(P(r.hasta + 1))) {
      const Rango despues = PrimarioQueEmpieza(r.hasta + 2);
      if (!despues.Vale()) break;
      r.hasta = despues.hasta;
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

  // The tables a column named at k may belong to, in the order they are
  // asked: after "alias." that table alone; else those of its SELECT, of
  // the SELECTs around it, then all.
  QVector<const Referencia*> TablasPara(int k) {
    QVector<const Referencia*> tablas;
    if (EsOp(k - 1, ".") && Hay(k - 2)) {
      const QString alias = P(k - 2).texto.toUpper();
      for (const Referencia& r : referencias_)
        if (r.alias == alias || r.nombre.compare(alias, Qt::CaseInsensitive) == 0) return {&r};
      return {};
    }
    for (int n = nucleo_[k]; n >= 0; n = padre_[n])
      for (const Referencia& r : referencias_)
        if (r.nucleo == n) tablas << &r;
    for (const Referencia& r : referencias_) tablas << &r;
    return tablas;
  }

  // The type of the column named at k (a bare name or the name after
  // "alias."), when some table of the statement has it.
  std::optional<TipoDato> TipoColumna(int k) {
    for (const Referencia* r : TablasPara(k))
      if (auto t = TipoEn(*r, P(k).texto)) return t;
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

  // The value type of a parameter piece, when it has a value.
  std::optional<TipoDato> TipoParametro(const Pieza& p) const {
    const auto it = parametros_.constFind(p.valor.toUpper());
    if (it == parametros_.constEnd()) return std::nullopt;
    switch (it->typeId()) {
      case QMetaType::Int:
      case QMetaType::LongLong:
      case QMetaType::Double: return TipoDato::Flotante;
      case QMetaType::QDate: return TipoDato::Fecha;
      case QMetaType::QString: return TipoDato::Texto;
      default: return std::nullopt;
    }
  }

  bool EsParametroFecha(Rango r) {
    return r.Vale() && r.desde == r.hasta && P(r.desde).Es(TipoPieza::Parametro) &&
           TipoParametro(P(r.desde)) == TipoDato::Fecha;
  }

  // A column named at k: a word that is no keyword, call or alias
  // qualifier (the name after "alias." included).
  bool EsColumna(int k) {
    return Hay(k) && P(k).Es(TipoPieza::Palabra) && !EsReservada(P(k)) && !EsOp(k + 1, "(") && !EsOp(k + 1, ".");
  }

  // An operand whose value is a number: a number literal or parameter, a
  // number column, arithmetic, a signed or parenthesized number, or a call
  // of a function that gives numbers.
  bool EsNumerico(Rango r) {
    static const QSet<QString> funciones = {"COUNT", "SUM", "AVG", "ABS", "ROUND", "LENGTH", "JULIANDAY"};
    if (!r.Vale()) return false;
    if (EsOp(r.desde, "-") || EsOp(r.desde, "+")) return true;
    for (int k = r.desde; k <= r.hasta; ++k) {
      if (EsOp(k, "(") && par_[k] > k) {
        k = par_[k];
        continue;
      }
      if (k > r.desde && EsAritmetico(P(k)) && !EsOp(k, "||")) return true;
    }
    const Pieza& p = P(r.desde);
    if (r.desde == r.hasta) {
      if (p.Es(TipoPieza::Numero)) return true;
      if (p.Es(TipoPieza::Parametro)) return TipoParametro(p) == TipoDato::Flotante;
    }
    if (EsColumna(r.hasta) && (r.desde == r.hasta || EsOp(r.hasta - 1, "."))) {
      const auto t = TipoColumna(r.hasta);
      return t == TipoDato::Entero || t == TipoDato::Flotante || t == TipoDato::Moneda;
    }
    if (EsOp(r.desde, "(") && par_[r.desde] == r.hasta) return EsNumerico(OperandoQueEmpieza(r.desde + 1));
    if (p.Es(TipoPieza::Palabra) && EsOp(r.desde + 1, "(") && par_[r.desde + 1] == r.hasta)
      return extracciones_.contains(r.desde) || funciones.contains(p.texto.toUpper());
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
    p.texto = LiteralApostrofos(f.toString(QStringLiteral("yyyy-MM-dd")));
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
      const bool colA = TieneColumnaFecha(a) || EsParametroFecha(a), colB = TieneColumnaFecha(b) || EsParametroFecha(b);
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
    for (const Rango& r : fechasExtraidas_)
      if (r.desde == r.hasta && P(r.desde).EsTexto()) ComoFecha(r.desde);
    for (int k = 0; k < N(); ++k) {
      if (!P(k).Es(TipoPieza::Cadena) || P(k).texto.isEmpty()) continue;
      if (!P(k).valor.contains(u'/')) continue;  // m/d/yyyy or a bad date meant as one
      const Rango r = Pareja(k);
      if (r.Vale() && TieneColumnaFecha(r)) ComoFecha(k);
    }
  }

  // Long column names -> the names stored (the first 10 characters).
  void NombresLargos() {
    QSet<QString> alias;
    for (const Referencia& r : referencias_) alias.insert(r.alias);
    for (int k = 1; k < N(); ++k)
      if (EsPal(k - 1, "AS") && P(k).Es(TipoPieza::Palabra)) alias.insert(P(k).texto.toUpper());
    for (int k = 0; k < N(); ++k) {
      if (!EsColumna(k) || P(k).texto.size() <= kLargoNombreDbf || alias.contains(P(k).texto.toUpper())) continue;
      for (const Referencia* r : TablasPara(k)) {
        QStringList nombres;
        for (const ColumnaTabla& c : ColumnasDeRuta(r->ruta)) nombres << c.nombre;
        const int i = IndiceDeCampo(nombres, P(k).texto);
        if (i < 0) continue;
        P(k).texto = nombres[i];
        break;
      }
    }
  }

  // The "=" of each assignment of an UPDATE's SET list.
  void Asignaciones() {
    for (int k = 0; k < N(); ++k) {
      if (!EsPal(k, "SET")) continue;
      const int nivel = encierra_[k];
      for (int j = k + 1; Hay(j);) {
        const int igual = EsOp(j + 1, ".") ? j + 3 : j + 1;
        if (!EsOp(igual, "=")) break;
        asignaciones_.insert(igual);
        int m = igual + 1;
        for (; Hay(m) && !(encierra_[m] == nivel && (EsOp(m, ",") || EsPal(m, "WHERE"))); ++m)
          if (EsOp(m, "(") && par_[m] > m) m = par_[m];
        if (!EsOp(m, ",")) break;
        j = m + 1;
      }
    }
  }

  // Whether the operand r (a column) is compared with numbers only.
  bool ComparadaConNumero(Rango r) {
    const int antes = r.desde - 1, despues = r.hasta + 1;
    const bool solaAntes = !Hay(antes) || !EsAritmetico(P(antes));
    const bool solaDespues = !Hay(despues) || !EsAritmetico(P(despues));
    if (Hay(despues) && EsComparacion(P(despues)) && !asignaciones_.contains(despues) && solaAntes)
      return EsNumerico(OperandoQueEmpieza(despues + 1));
    if (Hay(antes) && EsComparacion(P(antes)) && !asignaciones_.contains(antes) && solaDespues)
      return EsNumerico(OperandoQueTermina(antes - 1));
    if (!solaAntes) return false;
    int j = EsPal(despues, "NOT") ? despues + 1 : despues;
    if (EsPal(j, "BETWEEN")) {
      const Rango menor = OperandoQueEmpieza(j + 1);
      if (!menor.Vale() || !EsPal(menor.hasta + 1, "AND")) return false;
      return EsNumerico(menor) && EsNumerico(OperandoQueEmpieza(menor.hasta + 2));
    }
    if (EsPal(j, "IN") && EsOp(j + 1, "(") && par_[j + 1] > j + 1 && EsPal(j + 2, "SELECT")) {
      // a subquery of one number column
      const int k = EsPal(j + 3, "DISTINCT") || EsPal(j + 3, "ALL") ? j + 4 : j + 3;
      const Rango columna = OperandoQueEmpieza(k);
      return EsNumerico(columna) && EsPal(columna.hasta + 1, "FROM");
    }
    if (EsPal(j, "IN") && EsOp(j + 1, "(") && par_[j + 1] > j + 1) {
      for (int k = j + 2; k < par_[j + 1]; k += 2) {
        const Rango elemento = OperandoQueEmpieza(k);
        if (!EsNumerico(elemento)) return false;
        k = elemento.hasta;
        if (!EsOp(k + 1, ",") && k + 1 != par_[j + 1]) return false;
      }
      return true;
    }
    return false;
  }

  // textcol <op> number -> numero_de_texto(textcol) <op> number.
  void TextoContraNumero() {
    for (int k = 0; k < N(); ++k) {
      if (!EsColumna(k) || TipoColumna(k) != TipoDato::Texto) continue;
      const Rango r = EsOp(k - 1, ".") ? Rango{k - 2, k} : Rango{k, k};
      if (!ComparadaConNumero(r)) continue;
      P(r.desde).antes += QString::fromLatin1(kNumeroDeTexto) + u'(';
      P(r.hasta).despues.prepend(u')');
    }
  }

  // CAST(x AS CHAR(n)) -> SUBSTR(texto_de_numero(x),1,n);
  // CAST(x AS CHAR) -> texto_de_numero(x).
  void Conversiones() {
    static const QSet<QString> textos = {"CHAR", "VARCHAR", "CHARACTER"};
    for (int k = 0; k + 1 < N(); ++k) {
      if (!EsPal(k, "CAST") || extracciones_.contains(k) || !EsOp(k + 1, "(") || par_[k + 1] < 0) continue;
      const int cierra = par_[k + 1];
      int como = -1;
      for (int j = k + 2; j < cierra; ++j) {
        if (EsOp(j, "(") && par_[j] > j) j = par_[j];
        else if (EsPal(j, "AS")) como = j;
      }
      if (como < 0 || !Hay(como + 1) || !textos.contains(P(como + 1).texto.toUpper())) continue;
      const QString funcion = QString::fromLatin1(kTextoDeNumero);
      if (como + 2 == cierra) {
        P(k).texto = funcion;
        Reemplaza(como, QString());
        Reemplaza(como + 1, QString());
      } else if (EsOp(como + 2, "(") && P(como + 3).Es(TipoPieza::Numero) && EsOp(como + 4, ")") && como + 5 == cierra) {
        P(k).texto = QStringLiteral("SUBSTR");
        P(k + 1).despues += funcion + u'(';
        Reemplaza(como, QStringLiteral("),1,"));
        Reemplaza(como + 1, QString());
        Reemplaza(como + 2, QString());
        Reemplaza(como + 4, QString());
      }
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
  Parametros parametros_;
  QVector<Pieza> piezas_;
  QVector<int> v_;         // positions of the non-blank pieces
  QVector<int> par_;       // matching parenthesis
  QVector<int> encierra_;  // the "(" a piece stands inside
  QVector<int> nucleo_;    // the SELECT a piece belongs to
  QVector<int> padre_;     // the SELECT around each SELECT
  QVector<Referencia> referencias_;
  QVector<std::pair<QString, QString>> nombres_;  // path -> virtual table
  QSet<int> extracciones_;                         // the calls EXTRACT became
  QVector<Rango> fechasExtraidas_;                 // their date operands
  QSet<int> asignaciones_;                         // "=" of SET lists
  QHash<QString, QVector<ColumnaTabla>> cache_;
};

}  // namespace

Traduccion Traduce(const QString& sql, const ColumnasDe& columnas, const QString& prefijo,
                   const Parametros& parametros) {
  return Traductor(sql, columnas, prefijo, parametros).Ejecuta();
}

}  // namespace db::sql
