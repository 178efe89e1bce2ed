#pragma once
// Money: a fixed-point amount with four decimals, kept as a whole number of
// ten-thousandths, so sums of any length are exact.
//
// Rounding rule of the whole system. Whenever a value has to lose decimals
// (a real or a text turned into money, money rounded to cents, a number
// written with fewer decimals), the rounding is decimal: it looks at the
// digits of the value as they are written (the shortest text that reads back
// as the same real), never at the binary fraction behind them, so 2.675
// rounds like the 2.675 a user typed. A half goes away from zero
// (Mitades::LejosDelCero: 0.125 -> 0.13, -0.125 -> -0.13) unless the routine
// says halves go to the even neighbour (Mitades::AlPar: 0.125 -> 0.12,
// 0.135 -> 0.14).
//
// Texts are read and written with the process's decimal separator
// (fs::Regional()); thousands separators are not read.

#include <QString>

#include <compare>
#include <cstdint>
#include <optional>

enum class Mitades { LejosDelCero, AlPar };

class Dinero {
 public:
  static constexpr int kDecimales = 4;
  static constexpr std::int64_t kEscala = 10000;

  constexpr Dinero() = default;
  // Whole currency units.
  constexpr Dinero(int unidades) : diezmilesimas_(std::int64_t{unidades} * kEscala) {}
  static constexpr Dinero DeDiezmilesimas(std::int64_t d) {
    Dinero x;
    x.diezmilesimas_ = d;
    return x;
  }
  // The real rounded to four decimals. Throws plat::Error (Conversion) when
  // it is not finite or does not fit.
  static Dinero DeReal(double valor, Mitades mitades = Mitades::LejosDelCero);
  // A number text ("1234.5", " -0.25 ", "1E3") rounded to four decimals;
  // nullopt when it is not a number or does not fit.
  static std::optional<Dinero> Lee(const QString& texto, Mitades mitades = Mitades::LejosDelCero);
  // As Lee; throws plat::Error (Conversion) with a Spanish message instead.
  static Dinero DeTexto(const QString& texto);

  constexpr std::int64_t Diezmilesimas() const { return diezmilesimas_; }
  double Real() const { return static_cast<double>(diezmilesimas_) / kEscala; }
  // The shortest text of the amount: "1234.5", "0", "-0.0001".
  QString Texto() const;
  // The amount rounded to 0..4 decimals.
  Dinero Redondeada(int decimales, Mitades mitades = Mitades::LejosDelCero) const;

  // Arithmetic throws plat::Error (Conversion) on overflow. Products are
  // rounded to four decimals by the rule above.
  Dinero operator-() const;
  Dinero& operator+=(Dinero otro);
  Dinero& operator-=(Dinero otro);
  friend Dinero operator+(Dinero a, Dinero b) { return a += b; }
  friend Dinero operator-(Dinero a, Dinero b) { return a -= b; }
  friend Dinero operator*(Dinero a, Dinero b);
  friend Dinero operator*(Dinero a, double factor);
  friend Dinero operator*(double factor, Dinero a) { return a * factor; }

  friend constexpr auto operator<=>(Dinero, Dinero) = default;
  friend constexpr bool operator==(Dinero, Dinero) = default;

 private:
  std::int64_t diezmilesimas_ = 0;
};
