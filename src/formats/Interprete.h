#pragma once
// The format interpreter: what the rest of the system calls.
//
// A format file (.fmt) is run against two open datasets: the header (one
// current record: the document header or the catalogue record) and the
// detail (every record: the document lines). Mode 'i' prints on the
// printer object, mode 'p' writes the preview page file tempo\format.tmp of
// the program folder for the preview window.
//
// One format runs at a time. The interpreter keeps one run state, reset at
// the start of each run; the 30 number variables ("variable1" ..
// "variable30") and the 30 text variables ("cadena1" .. "cadena30") keep
// their values after the run until the next run starts, so callers may set
// them with EjecutaAsignacionFormato and read them with ValorVariableFormato
// between runs (the cost formulas do).

#include <QChar>
#include <QString>

namespace db {
class Dataset;
}

// Runs the format file (Windows-form path) in mode 'i' (print) or 'p'
// (preview). The header dataset stands on its record; the detail dataset is
// walked from its first record to past its last. Errors of the format's
// lines are shown as messages and the run goes on; a missing format file, a
// work file that cannot be written, a failing condition or a printer that
// cannot print end the run with a plat::Error that reaches the caller, after
// the print job is aborted and the printer named by the format's first line
// given up for the default one.
// Throws plat::Error (Estado) when called while another run is active.
void EjecutaFormato(db::Dataset* encabezado, db::Dataset* detalle, const QString& archivo, QChar modo);

// Runs one assignment line ("variable1=precio*1.16", "cadena2=nombre+ +apellido")
// against the current record of the dataset (which may be null). A target
// that is not exactly one of the 60 variable names assigns nothing. Throws
// plat::Error when the expression cannot be evaluated (after showing
// "Existe un error en la expresion Faltan parentesis" for unbalanced
// parentheses); the variable then keeps its value.
void EjecutaAsignacionFormato(const QString& linea, db::Dataset* datos);

// The value text of a variable ("11.6": the shortest text of the number) or
// of a text variable; empty for any other name.
QString ValorVariableFormato(const QString& nombre);

// Sets the name the commands "usu" and "con" print: the name of the user of
// that number (a text) from the users file, upper-cased, at most 60
// characters, taken only while no name is set, so the first user who prints
// gives it until "-1" clears it. Callers run it just before EjecutaFormato.
void FijaUsuarioImpresion(const QString& usuario);
