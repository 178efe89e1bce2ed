#pragma once
// Windows-form paths mapped onto local files.
//
// The system keeps paths as the Windows program stored them (c:\VRL\Vorlan.ini,
// configuration line 8 "C:\VRL\DATOS"). They are resolved only when a file is
// touched:
//   - a drive letter "X:" is the folder "x" under the root ($VORLAN_ROOT,
//     default ~/.vorlan);
//   - "\" and "/" both separate components; "." is skipped, ".." goes up;
//   - each component matches an existing entry without regard to case; a
//     component that does not exist keeps the case given;
//   - an absolute POSIX path ("/tmp/x") is taken as it is;
//   - a relative path is taken from the current folder, with the same matching.

#include <QString>

namespace fs {

// The root folder that holds the drive folders.
QString Raiz();

// The program folder in Windows form: "C:\VRL" unless $VORLAN_PROGRAM_FOLDER
// names another.
QString CarpetaDelPrograma();

// The user's desktop folder, where outside programs leave files for the
// user: $VORLAN_ESCRITORIO when set (Windows form or POSIX), else the
// desktop of the user's XDG folders (~/Desktop without them). It may not
// exist; empty when it cannot be told.
QString CarpetaEscritorio();

// The local path of a Windows-form (or POSIX) path.
QString Local(const QString& ruta);

// A local path in Windows form: under the root it becomes "X:\..."; other
// absolute paths are returned with "\" separators unchanged otherwise.
QString FormaWindows(const QString& local);

// Joins a folder and a name with one backslash (with "/" when the folder
// is an absolute POSIX path).
QString Une(const QString& carpeta, const QString& nombre);

bool Existe(const QString& ruta);          // a file or a folder
bool ExisteArchivo(const QString& ruta);   // a regular file
bool ExisteCarpeta(const QString& ruta);
// Creates the folder and its parents; false when it cannot.
bool CreaCarpeta(const QString& ruta);
// Deletes a file; false when it did not exist or could not be removed.
bool BorraArchivo(const QString& ruta);
// Copies a file over the target (atomically replaced); false on failure.
bool CopiaArchivo(const QString& origen, const QString& destino);
// Names of the entries of a folder matching a pattern such as "*.dbf"
// (matched without regard to case); sorted.
QStringList ListaCarpeta(const QString& carpeta, const QString& patron = QStringLiteral("*"));

// The drive letters the root maps (folders of one letter under the root).
QStringList Unidades();

// The file-name part of a Windows-form path: everything after the last "\",
// "/" or ":".
QString NombreArchivo(const QString& ruta);
// The folder part, without the trailing separator.
QString CarpetaDe(const QString& ruta);

}  // namespace fs
