#pragma once
// Payment types of a sale, without a window: what a type does to the
// document, the value of its row in the payment-type table Descuento.DBF,
// the list of types pagos.cnf, and the amount received as the cashier types
// it (a sum such as 500+200).

#include <QString>
#include <QStringList>

#include <optional>

// The types the payment boxes offer when the data folder has no pagos.cnf.
inline const QStringList kTiposPagoIniciales = {QStringLiteral("Efectivo"), QStringLiteral("Tarjeta"),
                                                QStringLiteral("Cheque")};

// The price factor of a type: 1.025 for a card on credit ("T.CREDITO"),
// otherwise 1. It raises volume prices only.
double FactorDePago(const QString& tipo);
// The types that take an account or card number: "Tarjeta", "Cheque",
// "Transferencia" (exactly).
bool TipoConCuenta(const QString& tipo);

// The value of a type's row in Descuento.DBF of the folder (tag TIPOPAGO),
// coded in one number:
//   kSinDescuentoPago              no row, or a row with neither a discount
//                                  nor a price list;
//   kBaseListaPago + the list      a price list (PRECIO) and no discount;
//   the discount                   a document discount (DESCUENTO), which
//                                  wins over the list.
// Throws plat::Error when the table cannot be read.
inline constexpr double kSinDescuentoPago = -1000;
inline constexpr double kBaseListaPago = 1000;
double DescuentoDePago(const QString& carpeta, const QString& tipo);

// The lines of pagos.cnf in the folder; nullopt when there is no such file.
std::optional<QStringList> TiposDePago(const QString& carpeta);

// An amount as the cashier may type it: digits, points, blanks and the
// signs + - * /, with at least one digit. Anything else (letters) is no
// amount and is refused rather than taken as 0.
bool EsImporteAritmetico(const QString& texto);
// The amount's value written with "#####0.00" ("500+200" gives "700.00").
// The text must be an arithmetic amount.
QString EvaluaImporte(const QString& texto);
