#pragma once
// The field dictionary Campos.DBF of the program folder: one row per field
// of a table, read by the report and query windows to offer and title
// fields by their captions, edited in the configuration window. Fields:
// TABLA the table's file name in lower case, CAMPO the field name, DESCRIBE
// its caption, TIPO its type name ("ftString", "ftInteger", "ftFloat",
// "ftDate" ...), TAMO the search mode of the advanced document search (0
// every mode). Tags TABLA and CAMPO.

#include <QString>

inline const QString kArchivoCampos = QStringLiteral("Campos.DBF");

// Puts the dictionary the program ships, every field of the field
// catalogue's source with TAMO 0, into the program folder when the folder
// has none; a dictionary already there is left as it is, rows and all.
// True when it was put there. Throws plat::Error.
bool InstalaCampos(const QString& carpetaPrograma);
