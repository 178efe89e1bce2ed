#pragma once
// Layouts of the work tables of the derived documents and sales reports.

#include "platform/db/Catalogo.h"

void RegistraTablasDocumentos(db::Catalogo& catalogo);
