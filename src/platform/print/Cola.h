#pragma once
// Jobs sent to a CUPS queue.
//
// When $VORLAN_RAW_SPOOL names a folder, jobs are not sent: each one becomes
// a file of that folder named "<number>-<queue>.<ext>" (numbers from 000001,
// in the order sent; characters of the queue name unsafe in file names become
// "_"), written whole before it appears. Otherwise the job goes to the CUPS
// server through libcups. Nothing waits forever: connecting gives up after a
// few seconds and every later wait on the server after some more, and a
// missing queue or a server that does not answer is raised as plat::Error.

#include <QByteArray>
#include <QString>

#include <vector>

namespace print {

// Sends the bytes as they are (raw data type) in one job. Throws
// plat::Error: NoExiste when the queue does not exist, Io when the server
// cannot be reached or refuses the job.
void EnviaCrudo(const QString& cola, const QByteArray& bytes, const QString& titulo);

// Sends a PDF document in one job; errors as EnviaCrudo.
void EnviaPdf(const QString& cola, const QByteArray& pdf, const QString& titulo);

namespace detalle {
struct ColaSistema {
  QString nombre;
  QString descripcion;
  bool predeterminada = false;
};
// The queues of the CUPS server (empty when it cannot be reached).
std::vector<ColaSistema> ColasDelSistema();
// The queue's default resolution in dots per inch; 0 when it cannot say.
int ResolucionDeCola(const QString& cola);
}  // namespace detalle

}  // namespace print
