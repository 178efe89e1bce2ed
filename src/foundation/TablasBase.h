#pragma once
// Layout of the foundation's own table: the observation lines of records.

#include "platform/db/Catalogo.h"

void RegistraTablasBase(db::Catalogo& catalogo);
