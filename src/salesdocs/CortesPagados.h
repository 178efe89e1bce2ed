#pragma once
// The paid-document cuts of the sale screen's Reportes menu ("Cortes
// Pagados"), "Corte Comparativo" and "Producto Requerido": each computes a
// work table in the program folder's tempo and hands the report runner a
// one-section script that reads it.
//
// A work table is this run's from before it is made until the runner has
// read it: another copy of the program that holds it longer than the table
// layer waits makes the command say the table is busy and run nothing.

#include <QDate>
#include <QString>

class TFormaCapturaRapida;

// The period or the cut of a work table: a cut number (as text) or, when
// empty, the dates.
struct PeriodoCorte {
  QDate desde, hasta;
  QString corte;
};

// The unpaid remissions of the period (or the cut) in the list picker:
// -2 none (the list is not shown), -1 closed without choosing, else the
// number chosen.
int ListaRemisionesPendientes(TFormaCapturaRapida& pantalla, const PeriodoCorte& periodo);

// CORTE_PAG.DBF, concentrated: one row per payment kind ("Efectivo",
// "Tarjeta") and per receivable concept ("CxC " + concept). By dates the
// receivables are today's, by cut those of the cut.
void ConcentraPagos(TFormaCapturaRapida& pantalla, const PeriodoCorte& periodo);
// CORTE_PAG.DBF, detailed: one row per document and per receivable movement.
void DetallaPagos(TFormaCapturaRapida& pantalla, const PeriodoCorte& periodo);
// An empty copy of the fields and tags of a document table of the folder
// `origen`, named "tmp_" + its name, in `destino`; false when it could not
// be made.
bool CopiaEstructuraTemporal(const QString& origen, const QString& archivo, const QString& destino);
// The comparative copy ("tmp_" + the header table's name in tempo) filled
// with the period's documents, one row per part of a split payment.
void LlenaPagosComparativo(TFormaCapturaRapida& pantalla, const QDate& desde, const QDate& hasta);
// REPOR_KWO.DBF: the period's lines by product with their boxes.
void GeneraProductoRequerido(TFormaCapturaRapida& pantalla, const QDate& desde, const QDate& hasta);

// The boxes of a quantity: whole boxes plus the rest in quarters, a half
// quarter going to the even count; 0 for a factor of 0 or less.
double CajasRequeridas(double cantidad, double factor);

// The commands, by the menu item's component name; false for another name.
bool EjecutaCortePagado(TFormaCapturaRapida& pantalla, const QString& clave);
// Attaches the commands to the screen.
void InstalaCortesPagados(TFormaCapturaRapida& pantalla);
