#pragma once
// Commands of the sale screen that move its lines elsewhere: "Exportar
// Documento" (the capture lines appended to Movimientos.mov for another
// installation), "Venta en Espera" (Multi.dat and a second copy of the sale
// program for the next customer), and the unbilled sales "Concentrado de
// Ventas sin Facturar" and "Ventas por Facturar" (the period's lines of
// remissions not invoiced, listed, then put into one new document and
// invoiced for a user with the reprint right).

#include <QStringList>

class TFormaCapturaRapida;

// The held sale's hand-over: Multi.dat of the program folder rewritten
// whole with the lines given (errors reach the caller), and the held-sale
// program Tolvrin.exe of the program folder started (a failed start is not
// reported).
void EscribeMultiDat(const QStringList& lineas);
void ArrancaVentaEnEspera();

void ExportarDocumento1Click(TFormaCapturaRapida& p);
void VentaenEspera1Click(TFormaCapturaRapida& p);
void ConcentradodeVentassinFacturar1Click(TFormaCapturaRapida& p);
void VentasporFacturar1Click(TFormaCapturaRapida& p);

// Attaches the four commands to one screen.
void InstalaSinFacturar(TFormaCapturaRapida& p);
