#pragma once
// Layouts of the work tables of the maintenance utilities.

#include "platform/db/Catalogo.h"

void RegistraTablasMantenimiento(db::Catalogo& catalogo);
