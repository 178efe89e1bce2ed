#pragma once
// Printing the records of a catalogue (suppliers, sellers) through a print
// format: the catalogue's table is both the header and the detail table of
// the format, so the format prints the record the table stands on. A format
// that lists its detail walks the table to its end; these routines put the
// table back on the record it stood on.
//
//   ImprimeRegistroCatalogo(*TablaVendedor, FormatoVendedores, Usuario->text());
//   if (ImprimeRangoCatalogo(*TablaVendedor, formato, usuario) == RangoCatalogo::SinFormato) ...

#include <QString>

#include <functional>

namespace db {
class Tabla;
}

// "El Formato <path> No Existe".
QString AvisoFormatoNoExiste(const QString& formato);

// Runs `imprime` and puts the table back on the record it stood on.
void ConservaRegistro(db::Tabla& tabla, const std::function<void()>& imprime);

// Prints the record the table stands on with the format (print mode), the
// user's name given to the format's "usu" and "con". Errors of the run
// reach the caller.
void ImprimeRegistroCatalogo(db::Tabla& tabla, const QString& formato, const QString& usuario);

enum class RangoCatalogo { Cancelado, SinFormato, Impreso };

// Asks for a first and a last value in the range dialog TDialogoImprimir;
// when it is accepted and the format exists, the table is limited to that
// range on its current index and every record of it is printed, one job
// each. The range is cancelled afterwards, also when a print fails, and the
// table stands on the record it stood on.
RangoCatalogo ImprimeRangoCatalogo(db::Tabla& tabla, const QString& formato, const QString& usuario);
