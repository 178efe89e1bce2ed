#pragma once
// Pieces of an SQL text in the old local dialect, kept whole so that the text
// can be put back together after some pieces are rewritten: blanks, words
// (keywords and names), numbers, texts in single quotes, texts in double
// quotes (a table path or a text literal, told apart by position later),
// operators and any other character.
//
// Inside a quoted text the same quote doubled stands for itself; the other
// quote is an ordinary character, so "O'Brien" and 'dijo "sí"' are one piece.
// A colon glued to a word is a parameter (":FECHA", valor "FECHA").
// A text with no closing quote gives plat::Error(Sql) carrying the statement.

#include <QString>
#include <QVector>

namespace db::sql {

enum class TipoPieza { Blanco, Palabra, Numero, Cadena, Comillas, Parametro, Operador, Otro };

struct Pieza {
  TipoPieza tipo = TipoPieza::Otro;
  QString texto;  // as written (quotes included)
  QString valor;  // the contents of a quoted text, quotes undoubled; a parameter's name
  // Text put around the piece when the statement is put back together
  // (rewrites that wrap an expression leave the pieces themselves intact).
  QString antes;
  QString despues;

  bool Es(TipoPieza t) const { return tipo == t; }
  // A word equal to `palabra` without regard to case.
  bool EsPalabra(const char* palabra) const;
  bool EsOperador(const char* op) const { return tipo == TipoPieza::Operador && texto == QLatin1String(op); }
  bool EsTexto() const { return tipo == TipoPieza::Cadena || tipo == TipoPieza::Comillas; }
};

QVector<Pieza> Divide(const QString& sql);

// Puts the pieces back together.
QString Une(const QVector<Pieza>& piezas);

}  // namespace db::sql
