#pragma once
// Text files as the system stores them: Windows-1252 bytes, CR LF line ends
// (LF alone is read too). Code works with QString; bytes are converted here
// and nowhere else.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace fs {

QByteArray ACp1252(const QString& texto);  // characters outside the code page become '?'
QString DeCp1252(const QByteArray& bytes);
QString DeCp1252(const char* bytes, qsizetype n);
// Decodes a line of a file that may have been edited on Linux: valid UTF-8
// holding non-ASCII characters is read as UTF-8, anything else as Windows-1252.
QString DeCp1252OUtf8(const QByteArray& bytes);

// Splits file bytes into lines at CR LF or LF; a last line without an end is
// kept, an empty file has no lines.
QStringList DivideLineas(const QByteArray& bytes);
// As DivideLineas, each line decoded by DeCp1252OUtf8; a leading UTF-8
// byte-order mark is dropped.
QStringList DivideLineasCp1252OUtf8(const QByteArray& bytes);

// Reads every line of a text file. Throws plat::Error (NoExiste when missing,
// Io when it cannot be read).
QStringList LeeLineas(const QString& ruta);
// As LeeLineas for files that may have been edited on Linux
// (DivideLineasCp1252OUtf8).
QStringList LeeLineasCp1252OUtf8(const QString& ruta);
// Line n (from 1) of a text file; nullopt beyond the end or for n < 1.
// Throws as LeeLineas.
std::optional<QString> LeeLinea(const QString& ruta, int n);

// Appends one line (and CR LF) in a single write under the file's lock, so
// lines of several stations never interleave. Creates the file when missing.
// Throws plat::Error on failure.
void AgregaLinea(const QString& ruta, const QString& linea);
// Appends bytes (a record of a typed file) the same way.
void AgregaBytes(const QString& ruta, const QByteArray& bytes);

// Replaces a whole file atomically: the bytes go to a temporary file in the
// same folder which is then renamed over the old one, so a reader sees either
// the old or the new file, never a half-written one. Throws plat::Error.
void EscribeAtomico(const QString& ruta, const QByteArray& bytes);
// The process's file-creation mask, for files made under a temporary name
// (read once: reading it means setting it).
unsigned MascaraDelProceso();

// The lines, each ended by CR LF, written with EscribeAtomico.
void ReescribeLineas(const QString& ruta, const QStringList& lineas);

// Reads a whole file's bytes. Throws plat::Error.
QByteArray LeeBytes(const QString& ruta);

}  // namespace fs
