#include "formats/CodigosImpresora.h"

#include "platform/Error.h"
#include "platform/fs/Texto.h"
#include "platform/print/Cola.h"
#include "platform/print/Impresoras.h"

#include <QRegularExpression>

namespace {

char ByteDeElemento(const QString& elemento) {
  // A decimal number, blanks allowed before it, as the integer conversion of
  // the Windows program took it.
  static const QRegularExpression kDecimal(QStringLiteral("^ *[0-9]+$"));
  bool ok = kDecimal.match(elemento).hasMatch();
  const int valor = ok ? elemento.trimmed().toInt(&ok) : 0;
  if (!ok || valor > 255) {
    throw plat::Error(plat::Clase::Conversion,
                      QStringLiteral("'%1' no es un código de impresora válido").arg(elemento));
  }
  return static_cast<char>(valor);
}

}  // namespace

QByteArray BytesCodigosImpresora(const QString& codigos, const LectorVariableFormato& valor) {
  QByteArray bytes;
  const QStringList elementos = (codigos + u',').split(u',');
  // The text is walked with one "," appended: every item ends at a ",", so
  // what follows the last one is never an item.
  for (qsizetype i = 0; i + 1 < elementos.size(); ++i) {
    const QString& e = elementos[i];
    if (e.startsWith(u'*')) {
      bytes += fs::ACp1252(e.mid(1));
    } else if (e.startsWith(u'#')) {
      bytes += fs::ACp1252(valor(e.mid(1)));
    } else if (e.startsWith(u'&')) {
      QString barras = valor(e.mid(1));
      if (barras.size() <= 10) barras = barras.rightJustified(11, u'0');
      if (barras.size() < 13) barras += u'0';
      bytes += fs::ACp1252(barras);
    } else {
      bytes += ByteDeElemento(e);
    }
  }
  return bytes;
}

void EnviaCodigosImpresora(const QString& codigos, const LectorVariableFormato& valor) {
  const QByteArray bytes = BytesCodigosImpresora(codigos, valor);
  // The queue is looked up without changing the printer selected for other
  // printing, so the next document still prints where it did.
  int i = print::BuscaImpresora(kImpresoraRecibos);
  if (i < 0) i = print::ImpresoraPredeterminada();
  if (i < 0) return;
  try {
    print::EnviaCrudo(print::Impresoras()[static_cast<size_t>(i)].nombre, bytes, QStringLiteral("Test"));
  } catch (const plat::Error&) {
    // A queue that does not open takes nothing, and the sale goes on unaware.
  }
}
