#pragma once
// The peak memory of a stretch of a benchmark: the process's peak resident
// size is reset at its start and read at its end (Linux /proc).

#include <QByteArray>
#include <QFile>

// Resets the peak resident size to the present one.
inline void ReiniciaPicoMemoriaBench() {
  QFile f(QStringLiteral("/proc/self/clear_refs"));
  if (f.open(QIODevice::WriteOnly)) f.write("5");
}

// The peak resident size since the last reset, in megabytes (0 when it
// cannot be read).
inline double PicoMemoriaBench() {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& linea : f.readAll().split('\n')) {
    if (!linea.startsWith("VmHWM:")) continue;
    return linea.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
  }
  return 0;
}
