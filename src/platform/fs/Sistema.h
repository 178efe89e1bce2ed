#pragma once
// Figures of the machine as the system information window shows them: the
// physical memory and how much of it is in use, and the free space of a disk.

#include <QString>

namespace fs {

struct EstadoMemoria {
  qint64 totalBytes = 0;       // physical memory
  qint64 disponibleBytes = 0;  // what programs can still take without swapping
  int cargaPorciento = 0;      // memory in use, 0 to 100
};

// From /proc/meminfo (MemTotal, MemAvailable; MemFree + Buffers + Cached on
// kernels without MemAvailable). All zero when it cannot be read.
EstadoMemoria LeeEstadoMemoria();
// The same from the text of a meminfo file.
EstadoMemoria EstadoMemoriaDe(const QByteArray& meminfo);

// Bytes free for an ordinary user on the disk that holds the path (Windows
// form or POSIX); -1 when the disk cannot be asked.
qint64 EspacioLibre(const QString& ruta);

}  // namespace fs
