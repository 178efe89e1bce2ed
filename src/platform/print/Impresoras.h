#pragma once
// The list of printers the program can print on.
//
// In the program the list is the CUPS queues of the system, read once per
// process (RefrescaImpresoras reads it again), in the order CUPS gives them.
// Tests replace it with a list of their own (FijaImpresorasPrueba), where
// besides queues they may name a PDF pseudo-printer or a recording printer.
//
// A printer is named as the Windows program named it: a name is matched
// against a queue's name or its description, without regard to case, since
// CUPS queue names hold no blanks or colons.

#include <QString>
#include <QStringList>

#include <vector>

namespace print {

enum class TipoImpresora {
  Cola,      // a CUPS queue: pages rendered at its resolution and sent as a PDF job
  Pdf,       // a pseudo-printer that writes its pages into a PDF file
  Registro,  // a pseudo-printer that records what is drawn (tests)
};

struct DatosImpresora {
  QString nombre;       // queue name, or the pseudo-printer's name
  QString descripcion;  // the queue's description (printer-info); may be empty
  TipoImpresora tipo = TipoImpresora::Cola;
  QString archivo;      // Pdf: the file each job writes (replaced by every job)
  int resolucion = 0;   // dots per inch; 0 asks the queue (600 when it does not say)
};

// The printers, in the system's order. The reference is good until the list
// is replaced or dropped.
const std::vector<DatosImpresora>& Impresoras();
// Their names, in the same order.
QStringList NombresImpresoras();
// Index of the system's default printer; −1 when there is none.
int ImpresoraPredeterminada();
// Index of the first printer whose name or description equals `nombre`
// ignoring case; −1 when none does.
int BuscaImpresora(const QString& nombre);
// Resolution of printer i in dots per inch: its own when the list gives one,
// otherwise asked once to its queue (600 when the queue cannot say).
int ResolucionImpresora(int i);

// Replaces the system's list (tests). `predeterminada` is an index or −1.
void FijaImpresorasPrueba(std::vector<DatosImpresora> lista, int predeterminada);
// Drops the list held (the system's or a test's); the next use reads the
// system's queues again.
void RefrescaImpresoras();

namespace detalle {
// Grows each time the list is replaced or dropped, so a selection made on an
// older list is known to be stale.
int VersionImpresoras();
}  // namespace detalle

}  // namespace print
