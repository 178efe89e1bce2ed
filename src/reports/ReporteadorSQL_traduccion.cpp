// The keywords of the report writer's statements, Spanish to SQL.

#include "reports/ReporteadorSQL.h"

#include <QHash>

namespace {

const QHash<QString, QString>& PalabrasSQL() {
  static const QHash<QString, QString> tabla = {
      {"SELECCIONA", "SELECT"}, {"DESDE", "FROM"},     {"CUANDO", "WHERE"},   {"Y", "AND"},
      {"O", "OR"},              {"COMO", "AS"},        {"INSERTA", "INSERT"}, {"BORRA", "DELETE"},
      {"ACTUALIZA", "UPDATE"},  {"CAMPOS", "SET"},     {"ORDENAR", "ORDER"},  {"POR", "BY"},
      {"AGRUPAR", "GROUP"},     {"TENIENDO", "HAVING"}, {"CONTIENE", "LIKE"}, {"SUMA", "SUM"},
      {"CUENTA", "COUNT"},      {"PROMEDIO", "AVG"},   {"MAXIMO", "MAX"},     {"MINIMO", "MIN"},
      {"EN", "IN"},             {"DENTRO", "INTO"},    {"VALORES", "VALUES"}, {"CREAR", "CREATE"},
      {"ALTERAR", "ALTER"},     {"ELIMINA", "DROP"},   {"CONVIERTE", "CONVERT"}, {"UNICO", "UNIQUE"},
      {"INDICE", "INDEX"},      {"TABLA", "TABLE"},    {"CON", "WITH"},       {"NULO", "NULL"},
      {"PRIMARIO", "PRIMARY"},  {"LLAVE", "KEY"},      {"NO", "NOT"},         {"AGREGAR", "ADD"},
  };
  return tabla;
}

bool EsComilla(QChar c) { return c == u'"' || c == u'\''; }

}  // namespace

QString TraducePalabraSQL(const QString& palabra) {
  return PalabrasSQL().value(palabra.toUpper(), palabra);
}

QStringList TraduceLineasSQL(const QStringList& lineas) {
  QStringList traducidas;
  // The quote that opened the text being read; null outside quotes. A text
  // may run on to the next line.
  QChar comilla;
  for (const QString& original : lineas) {
    const QString linea = original + u' ';
    QString salida;
    QString pieza;
    bool citada = false;  // some of the piece lies inside quotes
    for (const QChar c : linea) {
      if (comilla.isNull() && (c == u' ' || c == u',')) {
        salida += citada ? pieza : TraducePalabraSQL(pieza);
        salida += c;
        pieza.clear();
        citada = false;
        continue;
      }
      if (!comilla.isNull() || EsComilla(c)) citada = true;
      if (comilla.isNull() && EsComilla(c)) comilla = c;
      else if (c == comilla) comilla = QChar();
      pieza += c;
    }
    // A quote left open at the line's end: the rest goes as written.
    salida += pieza;
    traducidas << salida;
  }
  return traducidas;
}
