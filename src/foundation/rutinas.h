#pragma once
// Program folder, start file and configuration lines.
//
// Settings are never cached: every value is read from disk when asked for, so
// a value saved by the configuration window is seen by the next read anywhere.
// Routines that deliver through an output parameter leave it untouched when
// they fail after showing their message.

#include <QString>

// The program folder as kept by this unit; set by CarpetaLocal, empty before.
extern QString CarpetaProgramaRutinas;

// The start file, at a fixed path.
inline const QString kArchivoInicio = QStringLiteral("c:\\VRL\\Vorlan.ini");

// The program folder followed by `extra`; only `extra` when the folder is two
// characters or shorter (a drive root).
QString CarpetaPrograma(const QString& extra);
// salida := program folder; also sets CarpetaProgramaRutinas.
void CarpetaLocal(QString& salida);
// salida := path of the company configuration file named by the start file,
// always taken from the program folder. Untouched when the start file is
// missing (after a message).
void ArchivoConfiguracion(QString& salida);
// salida := line n of the company configuration file ("" beyond its end or
// for n < 1). Untouched when a file is missing (after a message).
void LeeLineaConfig(int n, QString& salida);
// salida := line n of <CarpetaProgramaRutinas>\<nombre>; as LeeLineaConfig.
void LeeLineaArchivo(int n, const QString& nombre, QString& salida);
// When `habilitado`, appends the line to the file (created when missing).
// Failures are swallowed.
void AgregaLineaArchivo(bool habilitado, const QString& ruta, const QString& linea);
// salida := the computer's network name, at most 15 characters; "" on failure.
void NombreComputadora(QString& salida);
// salida := item n (from 1) of `texto` split at `separador`; untouched for n
// below 1 or beyond the items. Empty items count.
void ElementoSeparado(const QString& texto, int n, QChar separador, QString& salida);
void ElementoComa(const QString& texto, int n, QString& salida);
