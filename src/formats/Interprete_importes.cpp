// Commands that place amounts and values: moneda (an amount through the
// number mask), tra and tin (an amount in Spanish or English words) and aju
// (a value cut to a width).

#include "formats/ImporteLetra.h"
#include "formats/Interprete_estado.h"
#include "foundation/rutinas_numero.h"
#include "platform/print/Impresora.h"

namespace {

const QString kCourier = QStringLiteral("Courier New");

// The canvas font name is Courier New while the amount is placed and the
// run's font again afterwards, however the command ends.
class FuenteMoneda {
 public:
  FuenteMoneda() { print::Impresora::Global().lienzo().fuente().nombre = kCourier; }
  ~FuenteMoneda() { print::Impresora::Global().lienzo().fuente().nombre = EstadoActual().NombreFuente; }
  FuenteMoneda(const FuenteMoneda&) = delete;
  FuenteMoneda& operator=(const FuenteMoneda&) = delete;
};

// The value argument read as a number, rounded to `decimales` decimals and
// right-aligned in 12 characters; the argument as written when either is no
// number.
QString ConDecimales(const QString& valor, const QString& decimales, db::Dataset* datos) {
  try {
    const int d = EnteroArgumento(decimales);
    if (d < 0 || d > 18) return valor;
    return TextoRedondeado(d, NumeroArgumento(ValorCompuesto(valor, datos))).rightJustified(12);
  } catch (const std::exception&) {
    return valor;
  }
}

// x and y of a row-relative placing command.
struct Posicion {
  int x;
  double y;
};

Posicion PosicionRelativa(const LineaFormato& l) {
  return {ColumnaDispositivo(NumeroArgumento(l.Token(2))), RenglonRelativo(NumeroArgumento(l.Token(3)), l.renglon)};
}

void Coloca(const LineaFormato& l, const QString& texto) {
  const EstadoFormato& e = EstadoActual();
  const Posicion p = PosicionRelativa(l);
  ColocaTexto(p.x, texto, QString(), p.y, e.TamanoFuente, e.NombreFuente, l.contexto);
}

}  // namespace

void ComandoMoneda(const LineaFormato& l) {
  const FuenteMoneda fuente;
  if (l.Token(1) != u"moneda") return;
  QString valor = l.Token(4);
  if (!l.Token(7).isEmpty()) valor = ConDecimales(valor, l.Token(7), l.datos);
  const EstadoFormato& e = EstadoActual();
  const QString importe = FormatoImporte(e.Mascara, ValorCompuesto(valor, l.datos), ValorCompuesto(l.Token(5), l.datos));
  const Posicion p = PosicionRelativa(l);
  ColocaTexto(p.x, l.Token(6) + importe, e.Mascara, p.y, e.TamanoFuente, kCourier, l.contexto);
}

void ComandoImporteLetra(const LineaFormato& l) {
  Coloca(l, ImporteConLetra(NumeroArgumento(ValorCompuesto(l.Token(4), l.datos))));
}

void ComandoImporteIngles(const LineaFormato& l) {
  // The currency's texts stay set for later amounts in words.
  const QString moneda = l.Token(5);
  QString textos[4];
  for (int i = 0; i < 4; ++i) TextoMoneda(moneda, i + 1, textos[i]);
  FijaTextosMoneda(textos[0], textos[1], textos[2], textos[3]);
  Coloca(l, ImporteEnIngles(moneda, NumeroArgumento(ValorCompuesto(l.Token(4), l.datos))));
}

void ComandoAjusta(const LineaFormato& l) {
  const EstadoFormato& e = EstadoActual();
  const Posicion p = PosicionRelativa(l);
  const QString texto = ValorCompuesto(l.Token(4), l.datos);
  ColocaTextoAjustado(p.x, texto, QString(), p.y, e.TamanoFuente, e.NombreFuente, EnteroArgumento(l.Token(5)));
}
