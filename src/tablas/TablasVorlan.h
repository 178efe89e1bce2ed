#pragma once
// The one registry of every table of Vorlan: the layouts of all subsystems in
// one catalogue, which the program, the new-company setup, the demonstration
// company and the tests read.

#include "platform/db/Catalogo.h"

// Registers the layouts of every subsystem.
void RegistraTablasVorlan(db::Catalogo& catalogo);

// The catalogue of every layout, built once.
const db::Catalogo& CatalogoVorlan();
