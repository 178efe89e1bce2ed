#pragma once
// The program folder the format interpreter works in. It is taken with
// CarpetaLocal at the start of every run and by FijaTextosMoneda; its tempo
// folder holds the preview page file and the other work files of a run.

#include <QString>

extern QString CarpetaProgramaFormato;

// <program folder>\<relativa>, from the folder taken last (the program folder
// itself when none has been taken yet).
QString RutaTrabajoFormato(const QString& relativa);
