#pragma once
// The report generator protocol: what a report command hands from the
// parameters dialog (Formatos.h) to the report engine, and the state the two
// share between the steps. A report command runs, in this order:
//
//   1. creates FormaFormatos and shows its panel Rangos;
//   2. PreparaParametrosReporte (flags, table file name);
//   3. FijaRangoReporte (0, 0, first key, last key);
//   4. shows FormaFormatos modally; nothing more unless its Tag is 1;
//   5. FijaCondicionesReporte with the dialog's three conditions (C<n>,
//      CodigoOperador of Operador<n>, Valor<n>, T<n>) and Conector;
//   6. runs the engine over its dataset, then writes titles and widths
//      (the engine's steps), and shows the viewer;
//   7. frees the windows, setting FormaFormatos's Tag to 0 first.
//
// The conditions set in step 5 stay until the engine clears them when it
// writes the titles of a report (back to CondicionesReporte{}).

#include <QString>

#include <array>

// The program folder as the report module keeps it for its work files
// (the folder "tempo" under it); set by FijaRangoReporte and
// CargaCamposReporte, read by the engine and by other subsystems.
extern QString CarpetaProgramaReportes;

// The report engine's tax rate, by which some report columns divide
// amounts. The report script runner sets it at the start of each run (to
// 0.16; RepoSQL.h); the product window sets it from the company's
// impuesto.cnf when it is shown.
extern double TasaImpuestoReporte;
// The special tax (IEPS) rate of the cash-cut summaries; the report script
// runner sets it at the start of each run (to 0.08).
extern double TasaIepsReporte;

// One condition of the dialog as the engine receives it.
struct CondicionReporte {
  QString campo;                        // field name; empty or "X": no condition
  QString codigo = QStringLiteral("X");  // CodigoOperador of the operator word; one character
  QString valor;                        // compared with the field; at most 15 characters
  QString tipo;                         // the field's type name, as Campos.DBF gives it; at most 15
};

struct CondicionesReporte {
  std::array<CondicionReporte, 3> condiciones;
  QString conector;  // "Y" all must hold, "O" any; one character
};

// The conditions of the next report run (step 5 above).
CondicionesReporte& CondicionesDialogoReporte();

// Stores the three conditions and the connector for the next run: values
// and types are cut to 15 characters, codes and the connector to one.
void FijaCondicionesReporte(const QString& campo1, const QString& codigo1, const QString& valor1,
                            const QString& tipo1, const QString& campo2, const QString& codigo2,
                            const QString& valor2, const QString& tipo2, const QString& campo3,
                            const QString& codigo3, const QString& valor3, const QString& tipo3,
                            const QString& conector);
