#pragma once
// Reading a workbook back with an independent reader (python3-openpyxl):
// the first sheet's name and rows, each cell as a text that tells its kind.
//
//   text cell     its text             "JOSÉ PÉREZ"
//   number cell   "=" value [format]   "=1234.5 [#,##0.00]"; "=3" in General
//   empty cell    ""
// Rows lose their empty cells at the end.

#include "platform/fs/Rutas.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <vector>

struct LibroLeido {
  QString hoja;
  std::vector<QStringList> filas;
  QString error;  // what the reader said when it could not read the file
};

inline LibroLeido LeeLibro(const QString& ruta) {
  static const char* kLector = R"(
import sys, openpyxl
libro = openpyxl.load_workbook(sys.argv[1])
hoja = libro.worksheets[0]
print(hoja.title)
for fila in hoja.iter_rows():
    celdas = []
    for c in fila:
        v = c.value
        if v is None:
            celdas.append("")
        elif isinstance(v, (int, float)):
            n = repr(v)
            if isinstance(v, float) and v.is_integer():
                n = repr(int(v))
            celdas.append("=" + n + ("" if c.number_format == "General" else " [" + c.number_format + "]"))
        else:
            celdas.append(str(v))
    while celdas and celdas[-1] == "":
        celdas.pop()
    print("\t".join(celdas))
)";
  QProcess p;
  p.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(kLector), fs::Local(ruta)});
  LibroLeido libro;
  if (!p.waitForFinished(60000) || p.exitCode() != 0) {
    libro.error = QString::fromUtf8(p.readAllStandardError());
    return libro;
  }
  QStringList lineas = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n');
  if (!lineas.isEmpty() && lineas.last().isEmpty()) lineas.removeLast();
  if (lineas.isEmpty()) return libro;
  libro.hoja = lineas.takeFirst();
  for (const QString& l : lineas) libro.filas.push_back(l.isEmpty() ? QStringList() : l.split(u'\t'));
  return libro;
}
