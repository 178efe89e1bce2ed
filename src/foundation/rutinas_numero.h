#pragma once
// Numbers as the windows show, print and read them: amounts by number mask,
// rounding, reals read from text, field-type letters and condition operator
// codes.
//
// Masks use "#" (optional digit), "0" (forced digit), "," (thousands
// separators on, wherever it stands) and "." (decimal point); any other
// character is copied where it stands. They are applied by this code with
// the separators of fs::Regional(), never by the operating system's locale.
// Rounding follows the rule written in dinero.h.

#include "foundation/dinero.h"
#include "platform/db/Esquema.h"

#include <QString>

class QFont;
class QPaintDevice;

// The value written with the mask. An empty mask writes the shortest text of
// the value.
QString FormatoMascara(const QString& mascara, Dinero valor);
QString FormatoMascara(const QString& mascara, double valor);

// Reads a real as the windows type it: blanks around, sign, digits with the
// regional decimal separator, optional exponent; no thousands separators.
// False (and `valor` untouched) when the text is not such a number.
bool LeeReal(const QString& texto, double& valor);
// The shortest text that reads back as the same real ("0.1", "1234.5").
QString TextoReal(double valor);

// The value text read as money and written with the mask, padded on the left
// with blanks to the mask's length, behind the prefix. Prefix "f" stands for
// "$"; prefix "c" returns the value text as it is. An empty value is 0.
// Throws plat::Error (Conversion) when the value is not a number.
QString FormatoImporte(const QString& mascara, const QString& valor, const QString& prefijo = QString());
// FormatoImporte fitted to a canvas font: unless the font is "MS Sans Serif"
// or "Courier New", blanks go in front until the text is at least as wide as
// the mask in that font, a leading "$" staying first. `dispositivo` is the
// canvas's paint device (nullptr: the screen). On any failure salida := the
// value text.
void FormatoImporteAncho(const QString& mascara, const QString& valor, const QString& prefijo, QString& salida,
                         const QFont& fuente, const QPaintDevice* dispositivo = nullptr);
// The amount with the mask "###########0.00": no separators, two decimals.
QString TextoImporte(Dinero importe);

// The value rounded to `decimales` decimals (halves away from zero).
double Redondea(int decimales, double valor);
// The value rounded as Redondea and written with exactly that many decimals:
// "2.68" for (2, 2.675), "-3" for (0, -2.5), "0.00" for (2, -0.001).
// Non-finite values as TextoReal writes them.
QString TextoRedondeado(int decimales, double valor);
// The text read as a real; 0 when it is not a number.
double ValorReal(const QString& texto);
// As ValorReal; the texts "", "f", "e" and "x" are 0 as well.
double ValorNumerico(const QString& texto);

// Field types as the report and query windows tell them apart.
enum class TipoCampo {
  Cadena, Logico, BCD, Hora, Autoincremento, Blob, Memo,
  EnteroCorto, Entero, Bytes,
  Palabra,
  Flotante,
  Moneda,
  Fecha, FechaHora,
  BytesVariables,
  Grafico,
  Otro,
};
// The field type of a value kind of the table layer.
TipoCampo TipoCampoDe(db::TipoDato tipo);
// "c" text-like, "e" integer, "w" word, "f" float, "$" currency, "d" date,
// "b" variable bytes, "g" graphic, "x" anything else.
QString LetraTipoCampo(TipoCampo tipo);
// The letter, except that "e" becomes "c" when the field is not a float.
QString AjustaLetraTipo(TipoCampo tipo, const QString& letra);
// The one-character code of a condition operator word ("<>" -> "X",
// "Inicia_Con" -> "I" ...); "" for a word it does not know, which callers
// take as no condition.
QString CodigoOperador(const QString& palabra);
