#pragma once
// The cash-cut unit's data folder: the folder of Cortes.DBF, Cortes\Cortes.dat,
// MultiPagos.dbf and Retiros.dbf. The sale screen sets it from configuration
// line 8 at its first activation; the cash-cut window from its LabelRuta.

#include <QString>

extern QString RutaDatosCorte;
