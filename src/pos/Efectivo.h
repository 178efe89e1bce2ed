#pragma once
// Small routines of the cash vouchers and of the sale screen's printing:
// the configuration read straight from the start file, a concept's
// classification, the rounding of the vouchers' total and the currency texts
// of moneda.vrl.

#include "foundation/dinero.h"

#include <QString>

// salida := line n of the company configuration file named in line 2 of the
// start file c:\VRL\Vorlan.ini (a full path), read from the top ("" beyond
// its end); untouched when either file is missing or cannot be read.
void LeeLineaConfigDirecta(int n, QString& salida);

// The key of a concept line: the leading characters of the trimmed text up
// to the first blank or "-".
QString ClaveConcepto(const QString& concepto);
// key + " " + CLASIFICAC of the row of <carpeta>\Clasificacion.dbf (tag
// CLAVE) whose key is the concept's key; "" when there is none. The table
// is opened and closed at each call; its errors reach the caller.
QString ClasificacionConcepto(const QString& carpeta, const QString& concepto);

// x with its cents raised to the next multiple of 10 × n cents (12.34 with
// n = 2 gives 12.40, 12.90 gives 13.00); a negative amount's cents go toward
// zero instead (-12.34 gives -12.20). Whole cents that are already a
// multiple are kept (the fraction of a cent dropped); no cents at all give x.
Dinero RedondeaCentavos(Dinero x, int n);

// Text n (1 singular, 2 plural after millions, 3 plural, 4 abbreviation) of
// the first record of <data folder>\moneda.vrl named `nombre`; "xx" when no
// record has that name, when the file is missing or cannot be read, or for
// n outside 1..4.
QString TextoMonedaVenta(const QString& carpetaDatos, const QString& nombre, int n);
