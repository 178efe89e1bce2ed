#pragma once
// The data folder of the inventory tests' companies (line 8 of their
// Gener1.cnf), one name for every test header of the folder.

#include <QString>

inline const QString kDatos = QStringLiteral("C:\\VRL\\DATOS");
