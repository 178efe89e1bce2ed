#pragma once
// Decimal numbers as digit strings, the one place where numbers are read
// from text, rounded and written back. Money, number masks, Redondea and the
// arithmetic evaluator all go through here, so they share one rounding rule
// (see dinero.h).

#include "foundation/dinero.h"

#include <QString>

#include <optional>
#include <string>

// value = (negativo ? -1 : 1) × digitos × 10^exponente. Kept normalised:
// no leading or trailing zeros in digitos; zero is an empty digitos, never
// negative.
struct NumeroDecimal {
  bool negativo = false;
  std::string digitos;
  int exponente = 0;

  bool EsCero() const { return digitos.empty(); }
};

// Reads a number text: blanks around it, an optional sign, digits with at
// most one decimal separator (fs::Regional()), at least one digit, an
// optional exponent ("E", "e", sign, digits). nullopt otherwise.
std::optional<NumeroDecimal> LeeDecimal(const QString& texto);
// The shortest digits that read back as the same real. `valor` must be finite.
NumeroDecimal DecimalDeReal(double valor);
NumeroDecimal DecimalDeDiezmilesimas(std::int64_t d);
// The nearest real; nullopt when it overflows.
std::optional<double> RealDeDecimal(const NumeroDecimal& n);
// Ten-thousandths of n rounded to four decimals; nullopt when they overflow.
std::optional<std::int64_t> DiezmilesimasDeDecimal(const NumeroDecimal& n, Mitades mitades);
NumeroDecimal Redondeado(const NumeroDecimal& n, int decimales, Mitades mitades);
// The exact product.
NumeroDecimal Producto(const NumeroDecimal& a, const NumeroDecimal& b);
// n rounded to `decimales` and written with exactly that many decimals
// ("-12.50"; no sign for a value that rounds to zero).
QString TextoFijo(const NumeroDecimal& n, int decimales, Mitades mitades = Mitades::LejosDelCero);
// The digits of n without trailing zeros ("1234.5", "0.0001", "-7"); plain
// notation up to 10^21 and down to 10^-21, "1.5E30" beyond.
QString TextoGeneral(const NumeroDecimal& n);
