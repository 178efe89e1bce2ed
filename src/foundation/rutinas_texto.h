#pragma once
// Small text routines shared by every module.

#include <QChar>
#include <QString>
#include <QStringList>

// Characters start..end of the text, counted from 1; positions outside the
// text give nothing, end < start gives "".
QString SubTexto(int inicio, int fin, const QString& texto);
// The lines of a memo's text as the memo's list of lines holds them: none
// for an empty text, and no empty line after a final line end.
QStringList LineasDeTexto(QString texto);
// The text cut or padded on the right with blanks to exactly `ancho`.
QString AnchoFijo(int ancho, const QString& texto);
// The upper-case form of "a".."z"; any other character unchanged.
QChar Mayuscula(QChar c);
// The text without the characters file names may not hold:
// " * + / : < > ? \ |
QString LimpiaNombreArchivo(const QString& texto);
// The typed title, or the default one while the typed title still reads
// "Título".
QString TituloReporte(const QString& porOmision, const QString& tecleado);
// True when `parte` occurs in `texto`; an empty part never occurs.
bool ContieneTexto(const QString& parte, const QString& texto);
// Joins the pieces of the text separated by "+" or ";"; a piece ended by ">"
// is added only when the joined text does not hold it yet. So
// "nombre+ +apellido" gives "nombre apellido".
QString UneTextos(const QString& texto);
// Keys are stored as typed: the key text unchanged (the field size is not
// used).
QString AjustaClave(const QString& clave, int tamano);
// Printing never waits for a printer-ready test: always true.
bool ImpresoraLista();
// The report preview's sound button makes no sound: does nothing.
void EmiteSonido(int duracion);
