#pragma once
// The demonstration company that ./run.sh starts on, so that a newcomer can
// log in and look around: company 1, "Vorlan Demostración", with its
// configuration file (the initial values of a fresh configuration window,
// the data folder in line 8), every registered table of the company and of
// the program folder, a few customers, sellers, suppliers (with credit days
// and a contact each) and products with prices and stock (brought in by an
// initial-inventory movement), the movement concepts (9 a transfer into the
// tables of a branch folder, C:\Vorlan\SUCURSAL), the payment types of the
// sale screen (one with a price list, one with a document discount), the
// files the movement window's imports read (field maps, a counts file,
// document lines and a collector reading in the program folder), its users
// (the administrator, user 0, and a cashier, user 1) and the start file
// pointing at it.

#include <QString>

inline const QString kNombreEmpresaDemo = QStringLiteral("Vorlan Demostración");
inline const QString kClaveDemoAdministrador = QStringLiteral("admin");
inline const QString kClaveDemoCajero = QStringLiteral("caja");

// Creates the demonstration company when the root has no start file; a root
// with a start file is never touched, no existing file is overwritten and
// rows go only into empty tables.
// The start file is written last, so an interrupted preparation is taken up
// again by the next call. Returns true when it created the company. Throws
// plat::Error when a file cannot be written.
bool PreparaEmpresaDemo();
// The same company keeping its product, per-product totals and movement
// tables in the folder `inventario` (configuration line 59) and its
// remission tables in `remisiones` (line 63), each table where the company's
// folders say (shell/LugarTablas.h); an empty folder keeps those tables in
// the data folder, as PreparaEmpresaDemo() does.
bool PreparaEmpresaDemo(const QString& inventario, const QString& remisiones);

// Tells the demonstration passwords when company 1 is the demonstration
// company; empty otherwise.
QString AvisoEmpresaDemo();
