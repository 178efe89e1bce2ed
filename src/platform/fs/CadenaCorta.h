#pragma once
// The length-prefixed texts of the typed record files: a field of `ancho`
// bytes holds a length byte followed by up to ancho - 1 Windows-1252
// characters; the bytes after the text are not part of it.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace fs {

// The text of the field at `posicion`. A length byte larger than the field
// reads the whole field. The field must lie inside `bytes`.
QString LeeCadenaCorta(QByteArrayView bytes, qsizetype posicion, int ancho);

// Writes the text into the field at `posicion` (cut to ancho - 1
// characters); the bytes after the text are left as they are.
void EscribeCadenaCorta(QByteArray& bytes, qsizetype posicion, int ancho, const QString& texto);

}  // namespace fs
