#pragma once
// The regional formats the system works with, fixed in code and never taken
// from the operating system's locale.

#include <QChar>
#include <QString>

namespace fs {

struct FormatosRegionales {
  QChar separadorFecha = u'/';
  QString fechaCorta = QStringLiteral("dd/MM/yyyy");
  QString fechaLarga = QStringLiteral("dddd d 'de' MMMM 'de' yyyy");
  QString hora = QStringLiteral("HH:mm:ss");
  QChar separadorMiles = u',';
  QChar separadorDecimal = u'.';
  int decimalesMoneda = 2;
  // Placement of the currency symbol: 0 symbol before the amount with no
  // blank; for negatives, 0 the amount in parentheses.
  int formatoMoneda = 0;
  int formatoMonedaNegativa = 0;
};

// The formats in force for the process; the Spanish (Mexico) ones by default.
FormatosRegionales& Regional();

}  // namespace fs
