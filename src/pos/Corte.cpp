#include "pos/Corte.h"

QString RutaDatosCorte;
