#include "platform/Error.h"
#include "platform/fs/Real6.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

fs::BytesReal6 B(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4,
                 std::uint8_t b5) {
  return {b0, b1, b2, b3, b4, b5};
}

}  // namespace

TEST(Real6Test, BytesDeValoresConocidos) {
  struct Caso { double valor; fs::BytesReal6 bytes; };
  const Caso casos[] = {
      {0, B(0, 0, 0, 0, 0, 0)},
      {1, B(0x81, 0, 0, 0, 0, 0)},
      {-1, B(0x81, 0, 0, 0, 0, 0x80)},
      {10, B(0x84, 0, 0, 0, 0, 0x20)},
      {0.1, B(0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C)},
      {-1000, B(0x8A, 0, 0, 0, 0, 0xFA)},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(fs::CodificaReal6(c.valor), c.bytes) << c.valor;
    EXPECT_EQ(fs::DecodificaReal6(c.bytes), fs::AjustaReal6(c.valor)) << c.valor;
  }
}

TEST(Real6Test, IdaYVueltaDentroDeLaPrecision) {
  // 40 significant bits: a relative error of at most 2^-40.
  for (double v : {1.0, -1000.0, 0.1, 12345.678, -0.000123, 3.0e37, -1.5e-38, 999999999.99, 1.0 / 3}) {
    const double leido = fs::DecodificaReal6(fs::CodificaReal6(v));
    EXPECT_LE(std::fabs(leido - v), std::fabs(v) * std::ldexp(1.0, -40)) << v;
    EXPECT_EQ(std::signbit(leido), std::signbit(v)) << v;
  }
}

TEST(Real6Test, LimitesDelFormato) {
  // The exponent byte alone decides 0.
  EXPECT_EQ(fs::DecodificaReal6(B(0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF)), 0.0);
  // The largest and smallest magnitudes.
  EXPECT_EQ(fs::DecodificaReal6(B(0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F)), std::ldexp(2.0 - std::ldexp(1.0, -39), 126));
  EXPECT_EQ(fs::DecodificaReal6(B(0x01, 0, 0, 0, 0, 0)), std::ldexp(1.0, -128));
  EXPECT_EQ(fs::CodificaReal6(std::ldexp(1.0, -130)), B(0, 0, 0, 0, 0, 0));
  // Rounding up across a power of two carries into the exponent.
  EXPECT_EQ(fs::CodificaReal6(std::nextafter(2.0, 1.0)), B(0x82, 0, 0, 0, 0, 0));
  for (double v : {1e39, -1e39, double(INFINITY), double(NAN)}) {
    try {
      fs::CodificaReal6(v);
      ADD_FAILURE() << v;
    } catch (const plat::Error& e) {
      EXPECT_EQ(e.clase(), plat::Clase::NoCabe) << v;
    }
  }
}
