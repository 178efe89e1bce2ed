#include "platform/print/Colores.h"

#include "platform/Error.h"

namespace print {

namespace {

struct ColorNombrado {
  const char* nombre;
  std::uint32_t valor;
};

constexpr ColorNombrado kColores[] = {
    {"clBlack", 0x000000},  {"clMaroon", 0x000080},     {"clGreen", 0x008000},   {"clOlive", 0x008080},
    {"clNavy", 0x800000},   {"clPurple", 0x800080},     {"clTeal", 0x808000},    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},        {"clLime", 0x00FF00},    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF},    {"clAqua", 0xFFFF00},    {"clLtGray", 0xC0C0C0},
    {"clDkGray", 0x808080}, {"clWhite", 0xFFFFFF},      {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},  {"clMedGray", 0xA4A0A0},
};

}  // namespace

QColor ColorWindows(std::uint32_t valor) {
  return QColor(static_cast<int>(valor & 0xFF), static_cast<int>((valor >> 8) & 0xFF),
                static_cast<int>((valor >> 16) & 0xFF));
}

QColor ColorDeTexto(const QString& texto) {
  for (const ColorNombrado& c : kColores) {
    if (texto.compare(QLatin1String(c.nombre), Qt::CaseInsensitive) == 0) return ColorWindows(c.valor);
  }
  bool ok = false;
  const QString t = texto.trimmed();
  const qlonglong valor = t.startsWith(u'$') ? t.mid(1).toLongLong(&ok, 16) : t.toLongLong(&ok, 10);
  if (!ok || valor < 0 || valor > 0xFFFFFF) {
    throw plat::Error(plat::Clase::Conversion, QStringLiteral("'%1' no es un color válido").arg(texto));
  }
  return ColorWindows(static_cast<std::uint32_t>(valor));
}

}  // namespace print
