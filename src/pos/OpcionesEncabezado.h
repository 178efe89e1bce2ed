#pragma once
// encabeza.cnf of the program folder: the sale screen's options, one a line
// ("S"/"N" marks, the captions of the printing shortcuts, the turns). The
// legacy document window shares the file: it reads and writes its first
// nine lines and leaves the rest to the sale screen.
//
//   1 skip the header   2 start in the key    3-8 captions of Ctrl+F1..F6
//   9 digital totals   10 save and print with F10   11 start in the seller
//  12 own grid widths  13 caller id   14 scale   15, 16 turns
//  17 hide the seller  18 only the total

#include <QString>
#include <QStringList>

inline const QString kArchivoOpcionesEncabezado = QStringLiteral("encabeza.cnf");
// The number of lines of encabeza.cnf.
inline constexpr int kLineasOpcionesVenta = 18;

// The file's lines as they are (a short file gives fewer). A missing or
// unreadable file throws plat::Error.
QStringList LeeOpcionesEncabezado();

// Rewrites the file whole and atomically: `primeras` in place of its first
// lines, the lines after them as the file holds them ("N" for those it
// lacks, up to kLineasOpcionesVenta), so a window that keeps fewer options
// never takes another's away. Throws plat::Error when it cannot be written.
void EscribeOpcionesEncabezado(const QStringList& primeras);
