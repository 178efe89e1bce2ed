#pragma once
// Generar > "Factura de Cierre" (hidden item; administrator only): one
// invoice whose single line carries the sales total of the remissions of a
// period not invoiced yet; the remissions are marked with it.

#include "foundation/dinero.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;
class TFormaCapturaRapida;

inline const QString kSinPartidasCierre =
    QStringLiteral("No hay Partidas para estas Fechas, puede ser que ya se Genero la Factura de Cierre");

// What the closing line counted: each remission with counted lines once,
// with its own subtotal, tax and total.
struct CierrePartidas {
  int lineas = 0;            // the lines counted
  Dinero total;              // the remissions' IMTOD_F
  Dinero subtotal;           // their SUBTO_F (a remission without one: its total less its tax)
  Dinero impuesto;           // their IMIM2_F
  Dinero descuento;          // what their discounts took off: subtotal + tax - total, when above 0
  bool facturaExistente = false;  // a line already carried into an invoice

  // The tax rate that gives the subtotal its tax, in per cent (0 without a
  // subtotal).
  double Tasa() const;
  // The document discount, in per cent of subtotal + tax, that takes off
  // the discount.
  double TasaDescuento() const;
};

// The capture emptied and filled with the closing line over the remissions
// numbered `numeros` (headers and lines of the remission tables in
// `carpeta`): only remissions with no REMIS_F, only lines neither cancelled
// nor carried into an invoice ("Existe una Factura de Cierre para esta
// Fecha..." is told when one is). The line carries the remissions' subtotal
// at their tax rate (their subtotal and tax when `impuestosIncluidos`,
// prices holding their taxes), so the invoice's totals are the remissions'.
// Returns what it counted.
CierrePartidas CargaPartidaCierre(TFormaCapturaRapida& p, const QString& carpeta, const QList<qint64>& numeros);

void FacturadeCierre1Click(TFormaCapturaRapida& p);

// The steps the legacy document window's closing invoice shares:
// The period's start asked in the from-to dialog (both edits showing
// today): the date and, in `texto`, the text typed; nothing when the dialog
// is not accepted or the text is no date (told).
std::optional<QDate> PideInicioCierre(QWidget* padre, QString& texto);
// The remissions of the period in the header table `archivo` of `carpeta`:
// from the last one back while its date is not before the start, in
// ascending order.
QList<qint64> RemisionesDelPeriodo(const QString& carpeta, const QDate& inicio,
                                   const QString& archivo = QStringLiteral("Remision.dbf"));
// The closing invoice's origin: "CI(" + first + "-" + last + ")".
QString OrigenCierre(const QList<qint64>& numeros);
// Each remission of `numeros` in Remision.dbf of `carpeta` not invoiced
// yet marked REMIS_F "F" + `factura`; then "Genero la Factura <n> ..." is
// told, and the remissions that could not be marked are named.
void MarcaRemisionesCierre(const QString& carpeta, const QList<qint64>& numeros, const QString& factura);
// "Desea Imprimir la Factura?" answered "Si".
bool PreguntaImprimirCierre(QWidget* padre);
// The closing invoice's format: <program folder>\consulta\FacturaCierre.fmt.
QString FormatoFacturaCierre();
