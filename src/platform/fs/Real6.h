#pragma once
// The 6-byte real of the typed record files.
//
// Byte 0 is the binary exponent biased by 129; 0 means the value 0 whatever
// the other bytes hold. Bytes 1 to 5 hold the 39-bit fraction, least
// significant byte first, with the sign in the top bit of byte 5:
//   value = sign × (1 + fraction / 2^39) × 2^(exponent − 129)
// So the format keeps 40 significant bits and magnitudes from 2^−128 to
// just under 2^127.

#include <array>
#include <cstdint>

namespace fs {

using BytesReal6 = std::array<std::uint8_t, 6>;

// The value rounded to the nearest 6-byte real. Magnitudes below the
// smallest one become 0. Throws plat::Error (NoCabe) for a value too large
// for the format and for infinities and NaN.
BytesReal6 CodificaReal6(double valor);

// The value of six bytes in the format.
double DecodificaReal6(const std::uint8_t* bytes);
inline double DecodificaReal6(const BytesReal6& bytes) { return DecodificaReal6(bytes.data()); }

// The value of six bytes as the shortest decimal they hold: the number with
// the fewest significant digits that encodes to the same six bytes (a
// quantity 1234567.89 written reads back as 1234567.89, not as the nearest
// binary fraction).
double DecodificaReal6Breve(const std::uint8_t* bytes);

// The value as a 6-byte real would hold it (encoded and decoded again).
double AjustaReal6(double valor);

}  // namespace fs
