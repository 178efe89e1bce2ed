#pragma once
// Name -> value maps that adapt the system to the machine it runs on (which
// device is "COM3", which Linux program stands for "calc.exe").
//
// A map has two sources: an environment variable holding entries
// "NOMBRE=valor" separated by ';', and a text file (Windows-form path) with
// one entry a line. Blank lines and lines starting with '#' or ';' are
// comments. Names are compared without regard to case and trimmed; values
// are trimmed. The variable wins over the file; within one source the first
// entry of a name wins.

#include <QString>
#include <optional>

namespace fs {

// The value of `nombre`, or nullopt when neither source has it. A missing or
// unreadable file counts as empty.
std::optional<QString> BuscaEnMapa(const char* variable, const QString& archivo, const QString& nombre);

}  // namespace fs
