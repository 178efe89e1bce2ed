#pragma once
// Other stations in tests: a child process that runs a named routine of the
// same test program. The test binary is started again with
// "--rutina-hija <name> <args...>"; main() runs the routine instead of the
// tests and exits with its result. The child inherits the environment, so it
// works on the same root ($VORLAN_ROOT) as the test.
//
//   RUTINA_HIJA(AgregaFilas) {            // in a test file
//     ...                                 // argumentos: QStringList
//     prueba::AvisaPadre("LISTO");        // one line to the parent
//     return 0;
//   }
//   prueba::ProcesoHijo h("AgregaFilas", {"C:\\DATOS", "500"});
//   h.EsperaLinea();                      // "LISTO"
//   h.Mata();                             // kill -9, or h.Espera() for its exit code

#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace prueba {

using RutinaHija = std::function<int(const QStringList& argumentos)>;

// Registers a routine under a name (done by RUTINA_HIJA at start-up).
bool RegistraRutinaHija(const char* nombre, RutinaHija rutina);

// When argv asks for a child routine, runs it and returns its exit code;
// otherwise returns -1 and the test program goes on.
int EjecutaRutinaHija(int argc, char** argv);

// Child side: writes one line to the parent (stdout, flushed).
void AvisaPadre(const QString& linea);
// Child side: waits for one line from the parent (stdin); "" at its end.
QString EsperaPadre();

class ProcesoHijo {
 public:
  ProcesoHijo(const QString& rutina, const QStringList& argumentos = {});
  ~ProcesoHijo();  // kills the child (-9) if it still runs
  ProcesoHijo(const ProcesoHijo&) = delete;
  ProcesoHijo& operator=(const ProcesoHijo&) = delete;

  // The next line the child writes; "" (and a test failure) when none comes
  // within the time or the child ends first.
  QString EsperaLinea(int ms = 20000);
  // Sends one line to the child's stdin.
  void Envia(const QString& linea);
  // Waits for the child to end; its exit code, or -1 (and a test failure)
  // when it does not end within the time or crashes.
  int Espera(int ms = 60000);
  // Waits for the child to die from a signal, as the fault seam
  // (platform/fs/Falla.h) stops it; false, and a test failure, when it exits
  // normally or does not end within the time.
  bool EsperaQueMuera(int ms = 60000);
  // Waits for the child to end either way: its exit code, or nullopt when
  // a signal stopped it (the fault seam, a crash); a test failure only when
  // it does not end within the time.
  std::optional<int> EsperaFin(int ms = 60000);
  // SIGKILL, then waits for the end.
  void Mata();
  qint64 Pid() const;

 private:
  std::unique_ptr<QProcess> p_;
  QString rutina_;
};

// A crash test over every write of an operation. The company folder `raiz`
// (a local path) is kept aside; then, for each point and each pass 1, 2, ...,
// it is put back and the child routine `rutina` runs with `argumentos`, the
// point (when not empty) and the pass appended: the child arms the fault seam
// there (falla::Arma), says "ARMADO" and runs the operation. A point's passes
// go on until the child ends alive (the operation wrote fewer times), or run
// over `pasadas` only when listed (the child then must die on each).
// `revisa(murio)` checks what the next station finds, after each kill and
// after the pass that ended alive. The company is put back at the end.
// Returns the number of kills.
struct PuntoDeFalla {
  QString punto;
  QList<int> pasadas;
};
int MuereEnCadaEscritura(const QString& raiz, const QString& rutina, const QStringList& argumentos,
                         const QList<PuntoDeFalla>& puntos, const std::function<void(bool murio)>& revisa,
                         int maxPasadas = 60);

}  // namespace prueba

#define RUTINA_HIJA(nombre)                                                               \
  static int RutinaHija_##nombre(const QStringList& argumentos);                          \
  [[maybe_unused]] static const bool registro_##nombre =                                  \
      ::prueba::RegistraRutinaHija(#nombre, RutinaHija_##nombre);                         \
  static int RutinaHija_##nombre([[maybe_unused]] const QStringList& argumentos)
