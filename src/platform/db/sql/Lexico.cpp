#include "platform/db/sql/Lexico.h"

#include "platform/Error.h"

namespace db::sql {

bool Pieza::EsPalabra(const char* palabra) const {
  return tipo == TipoPieza::Palabra && texto.compare(QLatin1String(palabra), Qt::CaseInsensitive) == 0;
}

namespace {

bool InicioDePalabra(QChar c) { return c.isLetter() || c == u'_'; }
bool RestoDePalabra(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'$' || c == u'#'; }

}  // namespace

QVector<Pieza> Divide(const QString& sql) {
  QVector<Pieza> piezas;
  const qsizetype n = sql.size();
  qsizetype i = 0;
  while (i < n) {
    const QChar c = sql[i];
    const qsizetype inicio = i;
    Pieza p;
    if (c.isSpace()) {
      while (i < n && sql[i].isSpace()) ++i;
      p.tipo = TipoPieza::Blanco;
    } else if (c == u'\'' || c == u'"') {
      p.tipo = c == u'"' ? TipoPieza::Comillas : TipoPieza::Cadena;
      ++i;
      for (;;) {
        if (i >= n)
          throw plat::Error(plat::Clase::Sql,
                            QStringLiteral("Falta cerrar una comilla en la instrucción SQL:\n%1").arg(sql));
        if (sql[i] == c) {
          if (i + 1 < n && sql[i + 1] == c) {
            p.valor += c;
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        p.valor += sql[i++];
      }
    } else if (c.isDigit() || (c == u'.' && i + 1 < n && sql[i + 1].isDigit())) {
      p.tipo = TipoPieza::Numero;
      while (i < n && sql[i].isDigit()) ++i;
      if (i < n && sql[i] == u'.') {
        ++i;
        while (i < n && sql[i].isDigit()) ++i;
      }
      if (i < n && (sql[i] == u'e' || sql[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (sql[j] == u'+' || sql[j] == u'-')) ++j;
        if (j < n && sql[j].isDigit()) {
          i = j;
          while (i < n && sql[i].isDigit()) ++i;
        }
      }
    } else if (c == u':' && i + 1 < n && InicioDePalabra(sql[i + 1])) {
      p.tipo = TipoPieza::Parametro;
      ++i;
      while (i < n && RestoDePalabra(sql[i])) ++i;
      p.valor = sql.mid(inicio + 1, i - inicio - 1);
    } else if (InicioDePalabra(c)) {
      p.tipo = TipoPieza::Palabra;
      while (i < n && RestoDePalabra(sql[i])) ++i;
    } else {
      static const char* const dobles[] = {"<>", "<=", ">=", "!=", "==", "||"};
      p.tipo = TipoPieza::Operador;
      i += 1;
      for (const char* d : dobles) {
        if (sql.mid(inicio, 2) == QLatin1String(d)) {
          i = inicio + 2;
          break;
        }
      }
      if (i == inicio + 1 && !QStringLiteral("=<>+-*/%(),.;!|").contains(c)) p.tipo = TipoPieza::Otro;
    }
    p.texto = sql.mid(inicio, i - inicio);
    piezas.append(std::move(p));
  }
  return piezas;
}

QString Une(const QVector<Pieza>& piezas) {
  QString r;
  for (const Pieza& p : piezas) r += p.antes + p.texto + p.despues;
  return r;
}

}  // namespace db::sql
