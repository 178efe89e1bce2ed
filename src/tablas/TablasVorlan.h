#pragma once
// The one registry of every table of Vorlan: the layouts of all subsystems in
// one catalogue, which the program, the new-company setup, the demonstration
// company and the tests read.

#include "platform/db/Catalogo.h"

// Registers the layouts of every subsystem.
void RegistraTablasVorlan(db::Catalogo& catalogo);

// The catalogue of every layout, built once.
const db::Catalogo& CatalogoVorlan();

// Makes the tables of a company (its data, inventory and remission folders)
// and the working tables of the program folder that are missing, each with
// its tags; tables already there are left as they are. Returns the tables
// made (folder + "\\" + file).
QStringList CreaTablasEmpresa(const db::Carpetas& carpetas);

// Every registered table, field or tag that the company's folders or the
// program folder lack or hold otherwise.
QVector<db::Diferencia> VerificaTablasEmpresa(const db::Carpetas& carpetas);
