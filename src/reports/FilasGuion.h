#pragma once
// Report definitions as data, for every module whose report commands hand
// a script to the runner EjecutaReporteSQL (RepoSQL.h): a list report is a
// row of text lines (FilaGuion), a script is made of sections
// (SeccionGuion), and the table paths in the lines are placeholders filled
// from where the module's tables are at the click (LugarReporte).
//
// A script is made of lines, each ended by one carriage return (also the
// last one): "$" title, "&" query, "?" conditions with the mark "¿" where
// the runner puts the dialog's choices, "!" order, ">" break field, "%"
// column kinds, "#" column titles (their positions give the widths), "@"
// end of a section. The lines of a row are kept as the runner reads them,
// blanks included. Placeholders, each written as the table's quoted path in
// the table's own folder (shell/LugarTablas.h), so that a text joining
// tables of the data, inventory and remission folders reads each where it
// lives:
//
//   [H]        the header table
//   [L] [LL]   the line table
//   [P]        the product table
//   [C8H]      the header table
//   [HF]name [DF]name [C8]name [RF]name   the company table `name`
//
// (The marks keep the names the report definitions were written with.)

#include "platform/db/Catalogo.h"
#include "reports/RepoSQL.h"

#include <QChar>
#include <QString>
#include <QVector>

// The tables a report reads at the moment of the click; a module fills what
// its rows name.
struct LugarReporte {
  QString encabezado;     // the document header table's file
  QString partidas;       // its line table's file
  QString productos;      // the product table's file
  db::Carpetas carpetas;  // the company's folders (CarpetasEmpresa)
};

// The text with its table placeholders written as quoted paths.
QString LlenaRutasGuion(const QString& texto, const LugarReporte& lugar);

// One section of a script; a null line is left out ("$" and "@" always
// there). The lines keep their first character.
struct SeccionGuion {
  QString titulo;  // "$..."
  QString consulta;
  QString condicion;
  QString orden;
  QString corte;
  QString tipos;
  QString titulos;
};

// The script of the sections, placeholders filled; `corte` adds the cash
// cut's closing lines "<14-24" and "@".
QString GuionDeSecciones(const QVector<SeccionGuion>& secciones, const LugarReporte& lugar, bool corte = false);

// A list report of a module's menu. `Datos` names the dataset the report is
// about (the module's own list), `extras` the module's own switches.
template <class Datos>
struct FilaGuion {
  const char* clave;      // the menu item's component name
  const char* titulo;     // its caption
  const char* consulta;   // "&" line
  const char* condicion;  // "?" line, or nullptr
  const char* orden;      // "!" line, or nullptr
  const char* corte;      // ">" line, or nullptr
  const char* tipos;      // "%" line
  const char* titulos;    // "#" line
  Datos datos;
  unsigned extras;
};

// The section of a row's lines under the title line `titulo` ("$...").
SeccionGuion SeccionDeLineas(const QString& titulo, const char* consulta, const char* condicion, const char* orden,
                             const char* corte, const char* tipos, const char* titulos);
template <class Datos>
SeccionGuion SeccionDeFila(const FilaGuion<Datos>& fila, const QString& titulo) {
  return SeccionDeLineas(titulo, fila.consulta, fila.condicion, fila.orden, fila.corte, fila.tipos, fila.titulos);
}

// What a command hands EjecutaReporteSQL, in its order; `datos` says which
// dataset the command runs it over.
template <class Datos>
struct ArgumentosGuion {
  QString titulo;
  QString campoClave;
  QString fechaDesde;
  QString fechaHasta;
  QString claveBusca;
  Datos datos{};
  QString guion;
  int tipo = 0;
  QString mascara;
  bool dialogo = true;
  QChar sentido = u' ';
  QVector<int> bloquesResumen;
  bool operator==(const ArgumentosGuion&) const = default;
};

// Runs the arguments over the table the command chose for them.
template <class Datos>
void CorreGuion(const ArgumentosGuion<Datos>& a, db::Tabla& tabla) {
  EjecutaReporteSQL(a.titulo, a.campoClave, a.fechaDesde, a.fechaHasta, a.claveBusca, tabla, a.guion, a.tipo, a.mascara,
                    a.dialogo, a.sentido, a.bloquesResumen);
}
