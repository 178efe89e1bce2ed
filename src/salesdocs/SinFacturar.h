#pragma once
// Commands of the sale screen that move its lines elsewhere: "Exportar
// Documento" (the capture lines appended to Movimientos.mov for another
// installation), "Venta en Espera" (Multi.dat and a second copy of the sale
// program for the next customer), and the unbilled sales "Concentrado de
// Ventas sin Facturar" and "Ventas por Facturar" (the period's lines of
// remissions not invoiced, listed, then put into one new document and
// invoiced for a user with the reprint right).

class TFormaCapturaRapida;

void ExportarDocumento1Click(TFormaCapturaRapida& p);
void VentaenEspera1Click(TFormaCapturaRapida& p);
void ConcentradodeVentassinFacturar1Click(TFormaCapturaRapida& p);
void VentasporFacturar1Click(TFormaCapturaRapida& p);

// Attaches the four commands to one screen.
void InstalaSinFacturar(TFormaCapturaRapida& p);
