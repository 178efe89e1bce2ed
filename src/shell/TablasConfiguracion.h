#pragma once
// Layouts of the shell's tables: the field dictionary, the concept
// catalogues and the document counters.

#include "platform/db/Catalogo.h"

void RegistraTablasConfiguracion(db::Catalogo& catalogo);

// The layout of the field dictionary Campos.DBF of the program folder.
db::DefTabla EsquemaCampos();
