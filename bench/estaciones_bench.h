#pragma once
// What the benchmarks of a save share: other stations as child processes of
// the same benchmark program, the timing counters and a table's size.

#include "platform/fs/Rutas.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

// n copies of this program started with argumentos(i), each ready once it
// has written its first line.
inline std::vector<std::unique_ptr<QProcess>> LanzaEstacionesBench(
    benchmark::State& estado, int n, const std::function<QStringList(int)>& argumentos) {
  std::vector<std::unique_ptr<QProcess>> otras;
  for (int i = 0; i < n; ++i) {
    auto o = std::make_unique<QProcess>();
    o->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    o->start(QCoreApplication::applicationFilePath(), argumentos(i));
    if (!o->waitForStarted() || !o->waitForReadyRead(120'000)) estado.SkipWithError("otra estación no arrancó");
    otras.push_back(std::move(o));
  }
  return otras;
}

// Closes the stations' input (they stop) and waits for them.
inline void TerminaEstacionesBench(std::vector<std::unique_ptr<QProcess>>& otras) {
  for (auto& o : otras) {
    o->closeWriteChannel();
    if (!o->waitForFinished(60'000)) o->kill();
  }
}

// Median, 95th percentile and count of the times measured.
inline void AnotaTiemposBench(benchmark::State& estado, std::vector<double> tiempos) {
  if (tiempos.empty()) return;
  std::sort(tiempos.begin(), tiempos.end());
  estado.counters["mediana_ms"] = tiempos[tiempos.size() / 2];
  estado.counters["p95_ms"] = tiempos[(tiempos.size() * 95) / 100];
  estado.counters["guardados"] = static_cast<double>(tiempos.size());
}

// Megabytes of a table of the folder with its production index.
inline double MegasTablaBench(const QString& carpeta, const QString& archivo) {
  const QString base = fs::Local(fs::Une(carpeta, archivo));
  double bytes = static_cast<double>(QFileInfo(base).size());
  const QString raiz = base.left(base.lastIndexOf(u'.'));
  for (const QString& m : {raiz + QStringLiteral(".mdx"), raiz + QStringLiteral(".MDX")})
    if (QFileInfo::exists(m)) {
      bytes += static_cast<double>(QFileInfo(m).size());
      break;
    }
  return bytes / 1e6;
}
