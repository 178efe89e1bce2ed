#pragma once
// Puts a table made anew in place of one that other stations may open.

#include "platform/db/Esquema.h"

#include <QString>
#include <QVector>

#include <functional>

namespace db {
class Tabla;
}

// Makes the table `archivo` with these fields and tags in a scratch folder
// of `carpeta`, lets `llena` fill it (opened exclusively), and only then
// copies it, with its index, over <carpeta>\<archivo>; the scratch folder
// goes in every case. An error while making or filling it leaves the old
// table as it was. Throws plat::Error (EnUso, nothing replaced, while
// another station has the old table open).
void ColocaTabla(const QString& carpeta, const QString& archivo, const QVector<db::DefCampo>& campos,
                 const QVector<db::DefTag>& tags, const std::function<void(db::Tabla&)>& llena);
