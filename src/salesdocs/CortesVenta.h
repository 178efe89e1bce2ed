#pragma once
// The cash cuts of the sale screen's Reportes menu ("Corte Z" and its
// variants, "*Ventas Totales", "Corte con CxC"): scripts of several sections
// that read the day's movements from fixed tables whatever document kind
// the screen shows, and the runner's summary page they ask for.
//
// Every cut is built from the sections of "Corte Z" (open remissions,
// remissions invoiced, direct invoices, cancellations, returns, cash
// withdrawals, cash entries) and says only what differs; a section whose
// kinds or titles differ lays its "%" and "#" lines out in the columns of
// the same "Corte Z" line (each kind and title at least one blank wider
// than itself), so the runner gives the columns the same widths.

#include "salesdocs/GuionesVenta.h"

#include <QString>
#include <QStringList>
#include <QVector>

// How a cut's first section is titled.
enum class TituloCorte {
  Completo,          // "$" caption "  " date " REMISIONES " user " HORA : " time
  SinFecha,          // "$" caption " REMISIONES " user " HORA : " time
  Pantalla,          // "$" screen's caption "  " date " REMISIONES " user "  " date " HORA : " time
  PantallaSinFecha,  // "$" screen's caption " REMISIONES " user " HORA : " time
  Abonos,            // "$" caption " VENTAS ABONOS"
};

struct CorteVenta {
  const char* clave;   // the menu item's component name
  const char* titulo;  // its caption
  int tipo;            // the runner's summary layout
  bool cuentaCeros;    // CuentaDocumentosEnCero first
  TituloCorte forma;
  // The section each block of the summary reads (0: none), for a cut whose
  // sections are not the seven of "Corte Z"; empty: sections 1 to 7.
  QVector<int> bloquesResumen = {};
};

// Every cut, in menu order.
const QVector<CorteVenta>& CortesVenta();
const CorteVenta* CorteDeClave(const QString& clave);

// The sections of a cut, placeholders still in (GuionesVenta.h). The turn
// and time-window conditions come from the context.
QVector<SeccionGuion> SeccionesCorte(const CorteVenta& corte, const ContextoReporte& contexto);

// The script and the runner's arguments of a cut.
ArgumentosReporteVenta ArgumentosDeCorte(const CorteVenta& corte, const ContextoReporte& contexto);

// A "%" or "#" line: the prefix and each item in the column the model line
// (same prefix) gives the item of that position; a column the model lacks
// is 13 wide; an item always keeps one blank after it.
QString LineaEnColumnas(const QString& modelo, const QStringList& elementos);

// The turn condition of "Corte Z por Turno": " (CLVEN_F="02") AND " when
// the second turn is marked, " (CLVEN_F="01") AND " when the first is,
// else empty.
QString CondicionTurno(bool turno1, bool turno2);
