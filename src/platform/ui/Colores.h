#pragma once
// Colours as the system writes them: the Windows colour value $00BBGGRR
// (blue, green, red), or a system colour (high bit set, low byte the system
// colour's index) that follows the widget's palette.

#include <QColor>
#include <QString>
#include <cstdint>

class QPalette;

namespace ui {

using TColor = int32_t;

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;

constexpr TColor SistemaColor(int indice) { return static_cast<TColor>(0x80000000u | static_cast<uint32_t>(indice)); }
constexpr TColor clWindowFrame = SistemaColor(6), clWindow = SistemaColor(5), clWindowText = SistemaColor(8),
                 clHighlight = SistemaColor(13), clHighlightText = SistemaColor(14), clBtnFace = SistemaColor(15),
                 clBtnShadow = SistemaColor(16), clGrayText = SistemaColor(17), clBtnText = SistemaColor(18),
                 clBtnHighlight = SistemaColor(20);

// The colour's name: its identifier ("clBlue", "clBtnFace") when it has one,
// otherwise "$" and eight upper-case hexadecimal digits ("$00FF8000").
QString ColorToString(TColor color);
// The colour as red, green and blue; system colours from the palette's
// active group, as they do not change with a control's state.
QColor ColorQt(TColor color, const QPalette& paleta);

}  // namespace ui
