#include "platform/ui/Colores.h"

#include <QPalette>

namespace ui {
namespace {

struct Nombre {
  TColor color;
  const char* nombre;
};

constexpr Nombre kNombres[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {0xC0DCC0, "clMoneyGreen"}, {0xF0CAA6, "clSkyBlue"}, {0xF0FBFF, "clCream"}, {0xA4A0A0, "clMedGray"},
    {SistemaColor(0), "clScrollBar"}, {SistemaColor(1), "clBackground"}, {SistemaColor(2), "clActiveCaption"},
    {SistemaColor(3), "clInactiveCaption"}, {SistemaColor(4), "clMenu"}, {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"}, {SistemaColor(7), "clMenuText"}, {clWindowText, "clWindowText"},
    {SistemaColor(9), "clCaptionText"}, {SistemaColor(10), "clActiveBorder"}, {SistemaColor(11), "clInactiveBorder"},
    {SistemaColor(12), "clAppWorkSpace"}, {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"}, {clBtnShadow, "clBtnShadow"}, {clGrayText, "clGrayText"}, {clBtnText, "clBtnText"},
    {SistemaColor(19), "clInactiveCaptionText"}, {clBtnHighlight, "clBtnHighlight"}, {SistemaColor(21), "cl3DDkShadow"},
    {SistemaColor(22), "cl3DLight"}, {SistemaColor(23), "clInfoText"}, {SistemaColor(24), "clInfoBk"},
    {0x1FFFFFFF, "clNone"}, {0x20000000, "clDefault"}};

QColor Rgb(uint32_t valor) { return QColor(valor & 0xFF, (valor >> 8) & 0xFF, (valor >> 16) & 0xFF); }

}  // namespace

QString ColorToString(TColor color) {
  for (const Nombre& n : kNombres) {
    if (n.color == color) return QString::fromLatin1(n.nombre);
  }
  return QStringLiteral("$%1").arg(static_cast<uint32_t>(color), 8, 16, QLatin1Char('0')).toUpper();
}

QColor ColorQt(TColor color, const QPalette& paleta) {
  const auto valor = static_cast<uint32_t>(color);
  if (!(valor & 0x80000000u)) return Rgb(valor);
  switch (valor & 0xFF) {
    case 5: return paleta.color(QPalette::Active, QPalette::Base);
    case 6: return paleta.color(QPalette::Active, QPalette::WindowText);
    case 8: return paleta.color(QPalette::Active, QPalette::WindowText);
    case 13: return paleta.color(QPalette::Active, QPalette::Highlight);
    case 14: return paleta.color(QPalette::Active, QPalette::HighlightedText);
    case 15: return paleta.color(QPalette::Active, QPalette::Button);
    case 16: return paleta.color(QPalette::Active, QPalette::Dark);
    case 17: return paleta.color(QPalette::Disabled, QPalette::Text);
    case 18: return paleta.color(QPalette::Active, QPalette::ButtonText);
    case 20: return paleta.color(QPalette::Active, QPalette::Light);
    case 21: return paleta.color(QPalette::Active, QPalette::Shadow);
    case 22: return paleta.color(QPalette::Active, QPalette::Midlight);
    case 23: return paleta.color(QPalette::Active, QPalette::ToolTipText);
    case 24: return paleta.color(QPalette::Active, QPalette::ToolTipBase);
    default: return paleta.color(QPalette::Active, QPalette::Window);
  }
}

}  // namespace ui
