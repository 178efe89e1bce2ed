#pragma once
// Raw codes for the receipt printer.
//
// A format gathers a text of items separated by ",", each one of:
//   27       a decimal byte value (0 to 255)
//   *ABC     the characters after the "*"
//   #name    the value text of a format variable
//   &name    that value prepared for a barcode: up to 10 characters are
//            padded on the left with "0" to 11, and a value then shorter
//            than 13 characters gets one "0" appended
// At the end of the run the bytes go as one raw job to the receipt printer's
// queue.

#include <QByteArray>
#include <QString>

#include <functional>

// The receipt printer, as the system names it: matched against the queues'
// names and descriptions.
inline const QString kImpresoraRecibos = QStringLiteral("EPSON TM-T88II Partial cut sur COM2:");

// The value text of a format variable ("variable1", "cadena3") by its name.
using LectorVariableFormato = std::function<QString(const QString& nombre)>;

// The bytes of a raw-code text. Throws plat::Error (Conversion) for an item
// that is neither marked nor a decimal byte value, an empty item included.
QByteArray BytesCodigosImpresora(const QString& codigos, const LectorVariableFormato& valor);

// Sends the bytes of a raw-code text in one raw job titled "Test" to the
// receipt printer's queue, or to the default printer's when no printer has
// its name. The printer selected for other printing stays as it was. When
// the queue does not take the job nothing is sent and nothing is reported.
// A bad item throws as BytesCodigosImpresora, before anything is sent.
void EnviaCodigosImpresora(const QString& codigos, const LectorVariableFormato& valor);
