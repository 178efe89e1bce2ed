#pragma once
// What the shared tables of a document window do when an edit, a post or a
// delete fails. Several stations share them: a record another station
// holds, or a table it is writing, is waited for (the table layer retries
// for a few seconds at most, then gives the error up); any other failure (a
// full disk, a value that does not fit, a table open only for reading)
// fails at once. The error then reaches the guard of the routine that did
// the write, which shows it or swallows it, and it names the table.
//
// The header table keeps one rule of its own: outside a new document its
// edit fails at once with "No se Pueden Editar los Datos ha Ocurrido un
// Error", whatever the cause.
//
// A window's own tables (its capture table, its work tables) are not
// shared: their errors fail at once, as the table layer gives them.

#include <functional>
#include <initializer_list>

namespace db {
class Tabla;
}

// The policy set on the shared tables and on the header table (one of them
// or not); `documentoNuevo` tells whether a new document is being made.
void ConectaErroresCompartidos(std::initializer_list<db::Tabla*> compartidas, db::Tabla* encabezado,
                               std::function<bool()> documentoNuevo);
