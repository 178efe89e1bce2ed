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
  QChar separadorMiles = u',';
  QChar separadorDecimal = u'.';
  int decimalesMoneda = 2;
};

// The formats in force for the process; the Spanish (Mexico) ones by default.
FormatosRegionales& Regional();

}  // namespace fs
