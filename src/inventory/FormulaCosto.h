#pragma once
// The cost formula of a product and the discounts of its supplier: what the
// product window, the extra data window and the purchase window share. No
// window here: callers hand in the formula lines and the product's record.
//
// A cost formula is a list of assignment lines of the format language
// ("variable1=i.ulcos_i*(1+i.desc1_i/100)"), kept by the installation in a
// text file of the program folder. Its operands that name a field behind a
// prefix ("i.ulcos_i": the letter e, d or i and a dot) are replaced by the
// field's text before the line runs; the price is format variable1 after
// the last line.

#include <QChar>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

namespace db {
class Dataset;
}

// The cost formula file of the product window and the extra data window.
inline const QString kArchivoFormulaCosto = QStringLiteral("Formula_CostosI.dat");

// The text a prefixed operand stands for: `prefijo` is 'e', 'd' or 'i', and
// `campo` the rest of the operand, lower-cased ("ulcos_i"). Throws when the
// field cannot be read.
using ValorOperandoFormula = std::function<QString(QChar prefijo, const QString& campo)>;

// The formula lines as they will run: each line is cut into words at
// + - ; * / % # = (a ";" ends every line), each word lower-cased; a word of
// more than two characters whose first character is e, d or i and whose
// second is "." becomes the operand's value ("0" when that is empty); the
// separators but ";" stay. Lines that come out empty are left out.
QStringList TraduceFormulaCosto(const QStringList& formula, const ValorOperandoFormula& valor);

// Runs the formula for the product at the current row of `producto` (every
// prefix reads that row): `resultado` := the translated lines, each
// non-blank one is run with EjecutaAsignacionFormato against `producto`, and
// the price is variable1 read as a number, rounded to a 6-byte real.
// Throws plat::Error when a field is missing, a line cannot be evaluated,
// variable1 is no number, or no line was there to run (a stale variable1
// of an earlier run is never taken for the price).
double AplicaFormulaCosto(const QStringList& formula, QStringList& resultado, db::Dataset& producto);
// The same run with each prefixed operand read through `valor` (the purchase
// window reads "d." from the capture line, "e." from the header and "i."
// from the product) and the lines run against `registro`.
double AplicaFormulaCosto(const QStringList& formula, QStringList& resultado, db::Dataset& registro,
                          const ValorOperandoFormula& valor);

// The formula run of the windows' "Aplicar Fórmula": the formula as a
// memo holds it (lines apart by "\n"), run as AplicaFormulaCosto; answers
// the price with the mask "#####0.00" and puts the translated lines, as one
// text, into `resultado`. Throws as AplicaFormulaCosto, `resultado` then
// untouched.
QString PrecioFormulaCosto(const QString& formula, QString& resultado, db::Dataset& producto);

// "Cambiar Precio": PPUBL_I of the product's current row := the price text
// the formula left, posted. Errors reach the caller.
void GuardaPrecioFormula(db::Dataset& producto, const QString& precio);

// The formula lines of the program folder's Formula_CostosI.dat; nullopt
// when the file is not there. Read errors reach the caller.
std::optional<QStringList> LeeFormulaCosto(const QString& carpetaPrograma);

// The three discounts (DESC1_P, DESC2_P, DESC3_P, as texts) of the supplier
// `clave` of PROVEEDO.DBF in the data folder, found on tag ICLAPRO; nullopt
// when no supplier has that key. The table is closed again before return.
// Errors opening it reach the caller.
using DescuentosProveedor = std::array<QString, 3>;
std::optional<DescuentosProveedor> LeeDescuentosProveedor(const QString& carpetaDatos, const QString& clave);

// DESC1_I, DESC2_I, DESC3_I of the product's current row := the three texts.
// The row must be in edit.
void EscribeDescuentos(db::Dataset& producto, const DescuentosProveedor& descuentos);
