#pragma once
// The fields the report dialogs offer: the field dictionary Campos.DBF of
// the program folder lists, per table file name in lower case, each field
// with its caption (DESCRIBE) and type name (TIPO: "ftString", "ftDate" ...).

#include <QString>
#include <QVector>

// The field names of the last report script's select, one per line (each
// ended by a carriage return but the last); emptied whenever a parameters
// dialog is created.
extern QString CamposGuionReporte;

// The name under which the dictionary lists a table's fields: the headers of
// every sales document kind under "facturae.dbf", their lines under
// "facturad.dbf"; any other name as it is. Give it in lower case.
QString TablaCamposReporte(const QString& tabla);

// The column names of the first select of a report script: from the first
// "&" on, past the word glued to it, up to the first "from" (any case); the
// separators "," "-" "+" "*" "/" end a name (a carriage return), "(" and
// ")" are dropped, blanks stay, and a qualifier ("f.") goes with everything
// before it on its line. The result is also kept in CamposGuionReporte.
void CamposDelSelect(const QString& guion, QString& salida);

// A row of the dictionary.
struct FilaCamposReporte {
  QString campo;
  QString describe;
  QString tipo;
  QString tamo;
};
// The dictionary's rows of a table (file name, given in lower case), in
// dictionary order. Throws plat::Error when Campos.DBF cannot be opened.
QVector<FilaCamposReporte> CamposDeTabla(const QString& tabla);
