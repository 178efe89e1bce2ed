// The commands of the format language by their first three letters. A line
// is matched against every row in order and the last matching row gives its
// code, so of the two rows of "est" and of "fon" only the second counts.
// Rows without a handler are commands whose code does nothing. The rows of
// "@" and of the assignments come first: "@" is told by the first character
// of the line as written, and "var"/"cad" lines assign even while the run is
// suspended (CodigoComando).

#include "formats/Interprete_estado.h"

namespace {

constexpr ComandoFormato kComandos[] = {
    {u"@", codigo::Coloca, ComandoColoca},
    {u"var", codigo::Asignacion, ComandoAsignacion},
    {u"cad", codigo::Asignacion, ComandoAsignacion},
    {u"col", 3, ComandoColor},
    {u"tra", 4, ComandoImporteLetra},
    {u"cua", 5, ComandoCuadro},
    {u"tam", 6, ComandoTamano},
    {u"tip", 7, ComandoTipo},
    {u"log", 8, ComandoLogo},
    {u"dia", 9, ComandoDia},
    {u"mes", 10, ComandoMes},
    {u"año", 11, ComandoAno},
    {u"tex", 12, ComandoTexto},
    {u"mon", 13, ComandoMoneda},
    {u"est", 14, nullptr},
    {u"sep", 15, ComandoSepara},
    {u"for", 16, ComandoMascara},
    {u"fec", 17, nullptr},
    {u"mle", 20, ComandoMesLetra},
    {u"sal", 21, ComandoSaltar},
    {u"pag", 22, ComandoPaginas},
    {u"est", 23, ComandoEstilo},
    {u"dat", 24, ComandoDato},
    {u"red", 25, ComandoRedondo},
    {u"nue", 26, ComandoNuevaPagina},
    {u"lin", 27, ComandoLineas},
    {u"max", 28, ComandoMaximo},
    {u"cor", 29, ComandoCorta},
    {u"fla", 30, ComandoFechaLarga},
    {u"sql", 31, ComandoSQL},
    {u"aju", 32, ComandoAjusta},
    {u"fon", 33, nullptr},
    {u"ter", 34, ComandoTerminaImpresion},
    {u"cam", 35, ComandoCambiaImpresora},
    {u"fon", 36, ComandoFondo},
    {u"num", 37, ComandoNumero},
    {u"mod", 38, ComandoModulo},
    {u"ent", 39, ComandoEntero},
    {u"abo", 40, ComandoAborta},
    {u"dir", 41, ComandoDireccion},
    {u"usu", 42, ComandoUsuario},
    {u"con", 43, ComandoUsuario},
    {u"pau", 44, ComandoPausa},
    {u"esc", 45, ComandoEscape},
    {u"vsq", 46, ComandoVariableSQL},
    {u"com", 47, ComandoObservaciones},
    {u"tin", 48, ComandoImporteIngles},
    {u"pue", 49, ComandoPuerto},
    {u"bar", 50, ComandoBarras},
    {u"evi", 51, nullptr},
    {u"arc", 52, nullptr},
    {u"txt", 55, ComandoSeccion},
    {u"hor", 56, ComandoHora},
    {u"bit", 57, ComandoBitmap},
    {u"lee", 58, ComandoLeeSeccion},
    {u"res", 59, ComandoReset},
    {u"lna", 60, ComandoLinea},
    {u"eti", 61, ComandoEtiqueta},
    {u"dto", 62, ComandoDatoEtiqueta},
    {u"ppl", 63, ComandoPapelLegal},
    {u"jus", 64, ComandoJustifica},
};

}  // namespace

std::span<const ComandoFormato> TablaComandos() { return kComandos; }
