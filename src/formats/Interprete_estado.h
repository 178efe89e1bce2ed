#pragma once
// Inside the format interpreter: the run state, the line being executed, the
// command table and the routines that command handlers share.
//
// Adding a command: write its handler, void(const LineaFormato&), in the
// Interprete_<topic>.cpp of its topic, declare it below under "Handlers",
// and put it in the row of its three letters in the table of
// Interprete_comandos.cpp. The handler reads its arguments from the line's
// tokens and the run state from EstadoActual(); an error it throws is
// reported by the interpreter ("Error en el Formato Revise su Estructura",
// "Linea Afectada " + the line) unless the handler reports its own.
//
// Positions: columns and rows of the format become device units of the
// printer (UnidadHorizontal, UnidadVertical of the state) in print runs, and
// stay columns and rows in preview runs (both units are 1).

#include <QChar>
#include <QColor>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>
#include <span>

namespace db {
class Dataset;
}

// The state of the run, one per program. The fields marked "kept" survive
// from one run to the next.
struct EstadoFormato {
  QChar Modo = u'i';               // 'i' print, 'p' preview
  double UnidadVertical = 1;       // device units of one row (never below 1)
  double UnidadHorizontal = 1;     // device units of one column (never below 1)
  double RenglonesPagina = 55;     // rows per page height, for UnidadVertical
  int LineasPorPagina = 50;        // page-break threshold of the row counter
  int Renglon = 0;                 // row counter added to row-relative rows
  int PaginaActual = 1;
  int TotalPaginas = 0;            // kept; written by preview runs
  bool NumerarPaginas = false;
  int Desplazamiento = 0;          // vertical continuation offset ("saltar(fin)")
  int UltimaY = 0;                 // device y of the last text placed
  QString Mascara;                 // number mask
  QString NombreFuente;            // font recorded for texts (50 characters)
  int TamanoFuente = 9;
  QString NombreColor;             // colour recorded for preview texts (8 characters)
  int MaximoTexto = 100;           // longest text placed on one line
  int AnchoJustificado = 0;        // right column of justified texts; 0 off
  bool Suspendido = false;         // only assignments execute
  bool PausaActiva = false;
  int UnidadesPausa = 0;           // kept
  bool ModoTexto = false;          // the document is printed as text lines
  QStringList ListaTexto;          // the text lines
  int InicioPaginaTexto = 0;       // first line of the current page in ListaTexto
  QString CodigosImpresora;        // raw codes sent at the end of the run
  bool EncabezadoAbierto = true;   // the next page-header block may be recorded
  std::array<double, 30> Variables{};
  std::array<QString, 30> Cadenas;
  QString CarpetaFacturaElectronica;
  QString UsuarioImpresion;        // kept (60 characters)
  db::Dataset* EncabezadoDatos = nullptr;

  // The recorded page header and the detail template, held here rather
  // than in work files that other copies of the program could overwrite.
  QStringList Encabezado;
  QStringList Plantilla;

  bool Activo = false;             // a run is going on
  bool EnEncabezado = false;       // the page header is being run
  bool ConLineaImpresora = false;  // the run selected a printer by its first line
  QString TituloTrabajo;           // title of the run's print jobs
};

EstadoFormato& EstadoActual();

// Command codes with a meaning of their own.
namespace codigo {
inline constexpr int Ninguno = 0;
inline constexpr int Coloca = 1;       // "@"
inline constexpr int Asignacion = 18;  // "var", "cad"
inline constexpr int Suspendida = 100;
}  // namespace codigo

// One line being executed.
struct LineaFormato {
  db::Dataset* datos = nullptr;  // header in context 'e', detail in 'd'
  QString texto;                 // the line as given
  int renglon = 0;               // the row counter when the line started
  int codigo = 0;
  QChar contexto = u'e';
  std::array<QString, 8> tokens;  // the command word and up to 7 arguments

  // Token n, from 1 (the command word) to 8.
  const QString& Token(int n) const { return tokens[static_cast<size_t>(n - 1)]; }
};

using ManejadorComando = void (*)(const LineaFormato&);

// One row of the command table: the first three letters of a line (lower
// case), the code they give and the handler of that code (null: the code
// does nothing yet).
struct ComandoFormato {
  QStringView prefijo;
  int codigo;
  ManejadorComando manejador;
};

// The command table in the order lines are matched (a later row of the same
// letters wins).
std::span<const ComandoFormato> TablaComandos();

// --- Lines (Interprete_linea.cpp)

// The command code of a line as read.
int CodigoComando(const QString& linea);
// The tokens of a line: "@x,y,value" is cut at its first two commas; any
// other line at "(", ")" and "," (commas are kept after the word "formato").
std::array<QString, 8> TokensDeLinea(const QString& linea);
// Executes one line with its code; the handler's errors reach the caller.
void EjecutaLineaFormato(db::Dataset* datos, const QString& linea, int renglon, int codigo, QChar contexto);

// The text with the letters A to Z in lower case (words of the language are
// compared so).
QString MinusculasAZ(const QString& texto);
// TRUNC of a position in device units; throws plat::Error (Conversion) for
// a value beyond the integers.
int Trunca(double valor);
// True when token 1, lower-cased (A to Z only), is the word.
bool EsPalabra(const LineaFormato& linea, QStringView palabra);
// A number argument; throws plat::Error (Conversion) when it is not one.
double NumeroArgumento(const QString& texto);
// A whole-number argument; throws plat::Error (Conversion) when it is not one.
int EnteroArgumento(const QString& texto);
// The same reading without the error: false (and `valor` untouched) when the
// text is not a whole number.
bool LeeEnteroArgumento(const QString& texto, int& valor);
// Column x in device units: TRUNC(x × UnidadHorizontal).
int ColumnaDispositivo(double x);
// Row y in device units: relative to the row counter, (y + renglon) ×
// UnidadVertical; absolute, TRUNC(y × UnidadVertical); fixed step,
// TRUNC(y × UnidadVertical + renglon × 50).
double RenglonRelativo(double y, int renglon);
int RenglonAbsoluto(double y);
int RenglonFijo(double y, int renglon);
// Shows "Existe un error en la estructura de la linea " + the line.
void ReportaErrorDeLinea(const QString& linea);

// --- Values, variables and conditions (Interprete_valores.cpp, Interprete_condiciones.cpp)

// The kind of a token: 1 field by index ("[005]"), 2 variable, 3 text
// variable, 4 field name of the dataset, 5 "ini_" key, 0 anything else.
int TipoElemento(const QString& token, db::Dataset* datos);
QString ValorElemento(const QString& token, db::Dataset* datos);
// The value of pieces joined by "+": fields, variables, "ini_" keys and
// literals, each piece's text appended.
QString ValorCompuesto(const QString& texto, db::Dataset* datos);
// The token when it reads as a number, the value of a variable or text
// variable, empty otherwise.
QString ValorNumericoElemento(const QString& token);
// The line after the line <key> of FE_emisor.ini, for the token "ini_<key>".
QString ValorIni(const QString& token);
// Index of a field-by-index token; −2 for a variable, −3 for a text variable,
// −1 otherwise.
int IndiceCampo(const QString& token);
// 1 variable name, 2 text variable name, 0 other.
int TipoVariable(const QString& nombre);
void FijaVariable(const QString& nombre, double valor);
void FijaCadena(const QString& nombre, const QString& valor);
// The value of an arithmetic text with parentheses, 15 characters wide with
// 4 decimals. Unbalanced parentheses or an empty text show "Existe un error
// en la expresion Faltan parentesis" and give an empty text. Throws
// plat::Error (Conversion) for a group that cannot be reduced ("5*").
QString EvaluaExpresion(const QString& texto);

enum class TipoComparacion { Texto, Numero, Fecha };
// The condition of a "si" line against the dataset's record. Throws
// plat::Error (Conversion) for a comparison without a right operand or a
// date or number that cannot be read.
bool EvaluaCondicion(const QString& linea, db::Dataset* datos);
// Operator '=', '<', '>', 'X' (different), 'Y' (at most), 'Z' (at least).
bool ComparaValores(const QString& izquierdo, QChar operador, const QString& derecho, TipoComparacion tipo);
// "v" or "f" for a text of v, f, "^" (and), "|" (or) and parentheses; "^"
// binds before "|". A text without operators comes back without its
// parentheses.
QString EvaluaLogica(const QString& texto);

// --- Output (Interprete_salida.cpp)

// Places one text at device x and y (columns and rows in preview runs), with
// the font size and name recorded for it, in context 'e' or 'd': on the
// printer, in the text-mode lines, or as a preview record; cuts texts longer
// than MaximoTexto and breaks pages for texts of the header context.
void ColocaTexto(int x, const QString& texto, const QString& extra, double y, int tamano, const QString& fuente,
                 QChar contexto);
// Places a text cut to `ancho` characters, starting a page when the
// continuation offset carries it past the page.
void ColocaTextoAjustado(int x, const QString& texto, const QString& extra, double y, int tamano,
                         const QString& fuente, int ancho);
// Writes the text on the printer canvas with its words spread so that the
// last one ends at `columna`.
void TextoJustificado(int x, int y, int columna, const QString& texto);
// Appends "page,x,y,size,font,extra,text" to tempo\formato.txt; errors ignored.
void RegistraTextoImpreso(int pagina, int x, int y, const QString& texto, const QString& extra,
                          const QString& fuente, int tamano);
// Places the records of tempo\comentar.tmp.
void ImprimeComentarios();
// Prints the lines as plain text on the selected printer.
void ImprimeModoTexto(const QStringList& lineas);
// Index of a printer in the printer list by number or name; 1000 for "texto"
// (text mode); 0 for a name no printer has.
int IndiceImpresora(const QString& texto);
// Blocks for a pause of `unidades` (nothing below 0).
void EsperaPausa(int unidades);

// --- Pages (Interprete_driver.cpp)

// The print-mode units from the selected printer's page: the row from
// RenglonesPagina, the column 1/80 of the page width; never below 1.
void CalculaUnidadVertical();
void CalculaUnidades();
// A new printer page; in text mode the lines of the next page follow on.
void NuevaPaginaImpresora();
// Page break of the detail loop and of the header context: new page, page
// number, page header, page-number text. Ignored while the page header runs.
void SaltoPaginaDetalle();
void SaltoPaginaEncabezado();
// Runs the recorded page header in context 'e' against the header dataset.
void ImprimeEncabezadoPagina();

// --- Data sources and outside programs (Interprete_datos.cpp, Interprete_programas.cpp)

// The printer font style becomes exactly the word's: "negrita", "cursiva",
// "subrayada" or "normal" (none), compared lower-cased; other words change
// nothing.
void FijaEstiloLetra(const QString& estilo);
// The file name of a document's data file DAT\<name>.dat and of its
// numbered pictures: its number text, "-", the first 25 characters of the
// header's NOMBR_F without the characters file names cannot hold, "-", its
// CONTROL. Throws plat::Error for a header or a field that is missing.
QString NombreArchivoDocumento(const QString& documento);

// Section `clave` of the document data file of the header's CLDOC_F: the
// non-empty lines after the line "*<clave>" up to the next line starting
// with "*", joined without separators; empty when the file or the section is
// missing. With a switch, a style word other than "" and "e" sets the
// printer font's style first.
QString SeccionDatosDocumento(const QString& interruptor, const QString& clave, const QString& estilo);
// Item n of line k of the label template eti\<nombre>.eti of the program
// folder; the output is left as it was when the template cannot be read.
void LeeEtiqueta(const QString& nombre, int n, int k, const QString& estilo, QString& salida);
// Places the observation lines of the company's factuobs.dbf of the owner
// `clave` and kind `tipo` (its first two characters), one row apart from
// column x and row y down.
void ImprimeObservaciones(const QString& clave, const QString& tipo, int x, int y, int tamano, const QString& fuente);
// The first field of the first row of the query
//   Select <campos> from "<folder>\<tabla>.dbf" where <condicion>"<clave>"
// (the table in its own folder, shell/LugarTablas.h)
// as text; empty when there is no row. Errors reach the caller.
QString ValorConsultaSQL(const QString& campos, const QString& tabla, const QString& condicion, const QString& clave);
// Writes c:\barras\bar3.prn for the value, runs the barcode program on it and
// waits for its end, window messages handled meanwhile.
void ImprimeCodigoBarras(const QString& valor);
// Writes puerto.dat of the program folder with the two lines and starts the
// port program without waiting; errors ignored.
void EjecutaProgramaPuerto(const QString& primero, const QString& segundo);

// --- Handlers
void ComandoMoneda(const LineaFormato& l);        // moneda(x,y,value,prefix,leading text,decimals)
void ComandoImporteLetra(const LineaFormato& l);  // tra(x,y,value)
void ComandoImporteIngles(const LineaFormato& l); // tin(x,y,value,currency)
void ComandoAjusta(const LineaFormato& l);        // aju(x,y,value,width)
void ComandoDia(const LineaFormato& l);           // dia(x,y,date)
void ComandoMes(const LineaFormato& l);           // mes(x,y,date)
void ComandoAno(const LineaFormato& l);           // año(x,y,date)
void ComandoMesLetra(const LineaFormato& l);      // mletra(x,y,date)
void ComandoFechaLarga(const LineaFormato& l);    // flarga(x,y,date)
void ComandoHora(const LineaFormato& l);          // hor(x,y,value)
void ComandoUsuario(const LineaFormato& l);       // usu(x,y), con(x,y)
void ComandoSeccion(const LineaFormato& l);       // txt(x,y,key,style,switch)
void ComandoLeeSeccion(const LineaFormato& l);    // lee(x,y,key,style,switch)
void ComandoEtiqueta(const LineaFormato& l);      // eti(x,y,line,style)
void ComandoDatoEtiqueta(const LineaFormato& l);  // dto(x,y,line,style)
void ComandoObservaciones(const LineaFormato& l); // com(x,y)
void ComandoSQL(const LineaFormato& l);           // sql(x,y,fields,table,condition,key field)
void ComandoVariableSQL(const LineaFormato& l);   // vsq(x,y,fields,table,condition,key field,target)
void ComandoPausa(const LineaFormato& l);         // pausa(units)
void ComandoPuerto(const LineaFormato& l);        // puerto(value,value)
void ComandoBarras(const LineaFormato& l);        // barras(value)
void ComandoColoca(const LineaFormato& l);        // @x,y,value
void ComandoTexto(const LineaFormato& l);         // texto(x,y,text)
void ComandoAsignacion(const LineaFormato& l);    // variableN=..., cadenaN=...
void ComandoNumero(const LineaFormato& l);        // numero(value,,target)
void ComandoModulo(const LineaFormato& l);        // modulo(a,b,target)
void ComandoEntero(const LineaFormato& l);        // entero(a,b,target)
void ComandoCorta(const LineaFormato& l);         // corta(name,length)
void ComandoDato(const LineaFormato& l);          // dato(name,prompt)
void ComandoSaltar(const LineaFormato& l);        // saltar(n|fin|inicio)
void ComandoLineas(const LineaFormato& l);        // lineas(n)
void ComandoSepara(const LineaFormato& l);        // separa(rows per page)
void ComandoMaximo(const LineaFormato& l);        // maximo(characters)
void ComandoNuevaPagina(const LineaFormato& l);   // nuevapagina
void ComandoColor(const LineaFormato& l);         // color(name)
void ComandoFondo(const LineaFormato& l);         // fondo(name)
void ComandoEstilo(const LineaFormato& l);        // estilo(negrita|cursiva|subrayada|normal)
void ComandoTamano(const LineaFormato& l);        // tamaño(points)
void ComandoTipo(const LineaFormato& l);          // tipo(font name)
void ComandoMascara(const LineaFormato& l);       // formato(mask)
void ComandoJustifica(const LineaFormato& l);     // justifica(column)
void ComandoPaginas(const LineaFormato& l);       // paginas(imprime)
void ComandoTerminaImpresion(const LineaFormato& l);  // terminaimpresion
void ComandoReset(const LineaFormato& l);         // reset
void ComandoCambiaImpresora(const LineaFormato& l);   // cambiaimpresora(printer)
void ComandoDireccion(const LineaFormato& l);     // direccion(horizontal)
void ComandoPapelLegal(const LineaFormato& l);    // ppl
void ComandoCuadro(const LineaFormato& l);        // cuadro(x1,y1,x2,y2,pen,colour,text)
void ComandoRedondo(const LineaFormato& l);       // redondo(x1,y1,x2,y2,corner w,corner h,pen)
void ComandoLinea(const LineaFormato& l);         // lna(x1,y1,x2,y2,pen,colour)
void ComandoLogo(const LineaFormato& l);          // logo(x1,y1,x2,y2,file)
void ComandoBitmap(const LineaFormato& l);        // bitmap(x1,y1,x2,y2,file)
void ComandoEscape(const LineaFormato& l);        // esc,27,112,...
void ComandoAborta(const LineaFormato& l);        // aborta

// The colour of one of the six colour names of the language, as written in
// lower case ("rojo", "azul", "verde", "amarillo", "negro", "blanco");
// nothing for any other name.
std::optional<QColor> ColorFormato(const QString& nombre);

// --- Fonts, pages and drawing (Interprete_fuentes.cpp, Interprete_paginas.cpp, Interprete_dibujo.cpp,
//     Interprete_salida.cpp)

// Legal paper on the printer, when no print job is open.
void PapelLegal();
// A rectangle's outline as four lines in the canvas pen.
void DibujaMarco(int x1, int y1, int x2, int y2);
// "<n> de <m> Paginas".
QString TextoNumeroPagina(int numero, int total);
// Places the number of page n at row y as ColocaTexto places a text, its
// right edge `margen` units left of the page's, in the canvas font. In a
// print job the text and its formato.txt line wait for the end of the job
// (NumeroPaginaAlTerminar); otherwise m is TotalPaginas.
void ColocaNumeroPagina(int numero, int margen, double y, int tamano, const QString& fuente);
// Writes "<n> de <m> Paginas" on the current page of the open print job at
// device row y, its right edge `margen` units left of the page's, in the
// canvas font and brush of now, when the job ends: m is then the run's page
// count (PaginaActual). With `registra`, its formato.txt line (page n, the
// size and font given) is written then too. Nothing without a job.
void NumeroPaginaAlTerminar(int numero, int y, int margen, bool registra, int tamano, const QString& fuente);
// Writes the waiting page numbers on the open job; before it ends.
void ResuelveNumerosPagina();
// Forgets the waiting page numbers (a job ended without output).
void DescartaNumerosPagina();
