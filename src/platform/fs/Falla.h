#pragma once
// The fault seam for crash tests: named points of writes where a test can
// make this process stop dead, exactly as kill -9 would (SIGKILL to itself:
// no destructor runs, no buffer is flushed, every kernel lock is dropped).
//
//   falla::Punto("tabla.antes-de-claves");            // in the writer
//   falla::Punto("tabla.registro-a-medias", [&] {     // a point that first
//     EscribeMitad();                                 // leaves a write half done
//   });
//
//   falla::Arma("tabla.antes-de-claves", 3);          // in a test's child: dies
//                                                     // the 3rd time it passes
//
// A point is any text; each writer declares the names of its own points next
// to its code (the table layer's are in platform/db/PuntosFalla.h), and later
// code adds its own the same way. A child process started by a test can also
// be armed through the environment: $VORLAN_FALLA="<point>" or
// "<point>@<n>", read once at start.
//
// A point can also be armed to fail instead (ArmaError): passing it then
// throws plat::Error (Io), as a disk or network error would, and the process
// goes on. Only the points passed through PuntoTabla honour that; the others
// are moments inside a write, where only a stop is meaningful. A PuntoTabla
// names the table it writes: armed as "<point>" it fires for every table, as
// "<point>:<table file>" (case ignored) for that table only.
//
//   falla::ArmaError("tabla.antes-de-escribir:MOVINVEN.DBF", 1, 5);
//                                                     // its next 5 writes fail
//
// Off unless armed: an unarmed point costs one load of a flag.

#include <QString>

#include <atomic>

namespace falla {

namespace detalle {
extern std::atomic<bool> armado;
// Whether this pass of the point is the one armed to stop (counts the passes).
bool Toca(const char* punto);
[[noreturn]] void Muere();
// The pass of a table's point: stops, throws or returns as armed.
void PasaTabla(const char* punto, const QString& tabla);
}  // namespace detalle

// Arms one point: the process stops dead the n-th time (from 1) it passes
// it. Arming again replaces the point armed before.
void Arma(const QString& punto, int vez = 1);
// Arms one point to fail: from its n-th pass (from 1), `veces` passes throw
// plat::Error (Io) "Falla provocada en <point>"; the passes after them go on.
void ArmaError(const QString& punto, int vez = 1, int veces = 1);
void Desarma();

// Passing a point.
inline void Punto(const char* punto) {
  if (detalle::armado.load(std::memory_order_relaxed) && detalle::Toca(punto)) detalle::Muere();
}

// Passing a point whose death leaves work half done: when it fires,
// `aMedias` runs first (a write cut short, say), then the process stops.
template <class F>
inline void Punto(const char* punto, F&& aMedias) {
  if (detalle::armado.load(std::memory_order_relaxed) && detalle::Toca(punto)) {
    aMedias();
    detalle::Muere();
  }
}

// Passing a point before the write of a row of the table (its file name).
inline void PuntoTabla(const char* punto, const QString& tabla) {
  if (detalle::armado.load(std::memory_order_relaxed)) detalle::PasaTabla(punto, tabla);
}

}  // namespace falla
