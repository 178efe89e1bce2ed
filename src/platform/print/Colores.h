#pragma once
// Colours as the Windows program wrote them.
//
// A colour value is a number $00BBGGRR (blue, green, red from the high byte
// down): $0000FF is red. A colour text is either a colour constant name
// ("clRed", "clNavy", compared without regard to case) or such a number,
// decimal ("255") or hexadecimal after "$" ("$0000FF").

#include <QColor>
#include <QString>

#include <cstdint>

namespace print {

QColor ColorWindows(std::uint32_t valor);

// The colour a colour text names. Throws plat::Error (Conversion) for a text
// that is neither a known name nor a number.
QColor ColorDeTexto(const QString& texto);

}  // namespace print
