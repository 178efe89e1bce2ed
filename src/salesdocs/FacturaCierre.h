#pragma once
// Generar > "Factura de Cierre" (hidden item; administrator only): one
// invoice whose single line carries the sales total of the remissions of a
// period not invoiced yet; the remissions are marked with it.

#include "foundation/dinero.h"

#include <QString>
#include <QStringList>

class TFormaCapturaRapida;

// What the closing line counted.
struct CierrePartidas {
  int lineas = 0;            // the lines counted
  Dinero total;              // IMTOD_F of each remission with counted lines, once
  bool facturaExistente = false;  // a line already carried into an invoice
};

// The capture emptied and filled with the closing line over the remissions
// numbered `numeros` (headers and lines of the remission tables in
// `carpeta`): only remissions with no REMIS_F, only lines neither cancelled
// nor carried into an invoice ("Existe una Factura de Cierre para esta
// Fecha..." is told when one is). Returns what it counted.
CierrePartidas CargaPartidaCierre(TFormaCapturaRapida& p, const QString& carpeta, const QList<qint64>& numeros);

void FacturadeCierre1Click(TFormaCapturaRapida& p);
