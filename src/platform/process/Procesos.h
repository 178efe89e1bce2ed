#pragma once
// Starting, waiting for and closing other programs.
//
// Callers pass Windows command lines, as the system stores them ("calc.exe",
// "notepad.exe c:\VRL\tempo\ajustar.txt", configuration line 31 followed by a
// quoted file name). The program of the line is found this way:
//   - its file name ("calc.exe", "EXCEL.EXE", "Plenvik.exe"; a name without
//     extension is also tried with ".exe") is looked up, without regard to
//     case, in the program map: the environment variable VORLAN_PROGRAMAS
//     ("calc.exe=gnome-calculator;notepad.exe=mousepad") and then the file
//     programas.map of the program folder (one "calc.exe=gnome-calculator" a
//     line). The value is a Linux command line (quotes group words); the
//     arguments of the Windows line are added after it;
//   - a Windows program (.exe, .com, .bat, .cmd, .pif) that the map lacks
//     does not exist: its start fails as a missing program's would;
//   - any other name is a Linux program: a path (Windows form or POSIX) to an
//     executable file, or a bare name found on PATH.
// An unquoted program path with blanks ("C:\Archivos de programa\...\EXCEL.EXE
// libro.xls") is cut, as Windows does, at the first blank that leaves a
// program that can be found. Arguments that are Windows-form paths
// ("c:\VRL\tempo\ajustar.txt") are handed over as local paths.
//
// Windows found a companion program's window by its title. Here, a program
// started without waiting is remembered under the title its window would
// bear: its Windows file name without the extension ("GUNDEL.exe" ->
// "GUNDEL", "Tolvrin.exe" -> "Tolvrin"). CierraVentana asks the most recent
// live one of that title to end (SIGTERM). Programs this layer did not start
// are not found.
//
// Every start goes through the current Lanzador; tests put a recording one
// in place of the system's.

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

namespace proc {

// A Linux program to run: an executable path or a bare name searched on PATH,
// its arguments, and its working folder (local path; empty = ours).
struct Orden {
  QString programa;
  QStringList argumentos;
  QString carpeta;
  bool operator==(const Orden&) const = default;
};

// A started program.
class Proceso : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;
  virtual bool Termino() const = 0;
  // The exit code once it has ended (-1 when killed by a signal).
  virtual int CodigoSalida() const = 0;
  // Asks it to end (SIGTERM).
  virtual void PideCierre() = 0;

 signals:
  void Terminado();
};

class Lanzador {
 public:
  virtual ~Lanzador() = default;
  // Starts the program in a session of its own, so it outlives this program
  // when that ends first. Throws plat::Error (NoExiste for a program that is
  // not there or cannot be run).
  virtual std::unique_ptr<Proceso> Inicia(const Orden& orden) = 0;
};

// The launcher in use, and a way to replace it (nullptr restores the
// system's). The caller keeps ownership of what it installs.
Lanzador& LanzadorActual();
void FijaLanzador(Lanzador* lanzador);

struct Resultado {
  bool iniciado = false;
  int codigoSalida = 0;  // for EjecutaYEspera, once the program ended
  QString error;         // why it did not start
  explicit operator bool() const { return iniciado; }
};

// The Orden a Windows command line stands for (see the top of this file), or
// a plat::Error of kind NoExiste naming the program.
Orden Traduce(const QString& linea, const QString& carpeta = QString());

// Starts the command line and returns at once. `carpeta` is the working
// folder in Windows form (empty = ours).
Resultado Ejecuta(const QString& linea, const QString& carpeta = QString());

// Starts the command line and waits for its end, in steps of at most 1000 ms
// during which window messages are handled, so the user can act on other
// windows meanwhile. The wait also ends when the application is shutting
// down. A program that cannot be started ends the wait at once.
Resultado EjecutaYEspera(const QString& linea, const QString& carpeta = QString());

// Opens a document (Windows-form or POSIX path) or a URL with the desktop's
// opener: "xdg-open", or what the program map gives for "xdg-open".
Resultado AbreDocumento(const QString& documento);

// Asks the companion program whose window bears the title to close; false
// when there is none.
bool CierraVentana(const QString& titulo);

}  // namespace proc
