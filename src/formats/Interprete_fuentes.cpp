// Commands of the look of later texts: color, fondo, estilo, tamaño, tipo,
// formato (the number mask) and justifica.
//
// The printer's font and brush belong to the printer object and stay as the
// last command left them, for later runs too; the font name, size and colour
// recorded for texts belong to the run.

#include "formats/Interprete_estado.h"
#include "platform/print/Colores.h"
#include "platform/print/Impresora.h"

#include <optional>

namespace {

print::Lienzo& Lienzo() { return print::Impresora::Global().lienzo(); }

bool Previa() { return EstadoActual().Modo == u'p'; }

}  // namespace

std::optional<QColor> ColorFormato(const QString& nombre) {
  struct Color {
    QStringView nombre;
    std::uint32_t valor;
  };
  static constexpr Color kColores[] = {{u"rojo", 0x0000FF},     {u"azul", 0xFF0000},  {u"verde", 0x008000},
                                       {u"amarillo", 0x00FFFF}, {u"negro", 0x000000}, {u"blanco", 0xFFFFFF}};
  for (const Color& c : kColores) {
    if (nombre == c.nombre) return print::ColorWindows(c.valor);
  }
  return std::nullopt;
}

void ComandoColor(const LineaFormato& l) {
  EstadoFormato& e = EstadoActual();
  if (Previa()) {
    // The number mask stays, so a preview shows the amounts as they print.
    e.NombreColor = l.Token(2).left(8);
    return;
  }
  if (const auto color = ColorFormato(l.Token(2))) Lienzo().fuente().color = *color;
}

void ComandoFondo(const LineaFormato& l) {
  if (const auto color = ColorFormato(l.Token(2))) Lienzo().brocha().color = *color;
}

void ComandoEstilo(const LineaFormato& l) { FijaEstiloLetra(l.Token(2)); }

void ComandoTamano(const LineaFormato& l) {
  EstadoFormato& e = EstadoActual();
  e.TamanoFuente = EnteroArgumento(l.Token(2));
  if (!Previa()) Lienzo().fuente().tamano = e.TamanoFuente;
}

void ComandoTipo(const LineaFormato& l) {
  EstadoFormato& e = EstadoActual();
  e.NombreFuente = l.Token(2).left(50);
  if (!Previa()) Lienzo().fuente().nombre = l.Token(2);
}

void ComandoMascara(const LineaFormato& l) {
  if (!EsPalabra(l, u"formato")) return;
  EstadoActual().Mascara = l.Token(2);
}

void ComandoJustifica(const LineaFormato& l) {
  EstadoFormato& e = EstadoActual();
  try {
    e.AnchoJustificado = EnteroArgumento(l.Token(2));
  } catch (const std::exception&) {
    e.AnchoJustificado = 0;
  }
}
