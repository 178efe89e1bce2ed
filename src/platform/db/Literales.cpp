#include "platform/db/Literales.h"

namespace db {

namespace {

QString Entre(QChar comilla, const QString& texto) {
  QString r = texto;
  r.replace(comilla, QString(2, comilla));
  return comilla + r + comilla;
}

}  // namespace

QString LiteralComillas(const QString& texto) { return Entre(u'"', texto); }

QString LiteralApostrofos(const QString& texto) { return Entre(u'\'', texto); }

QString PatronLike(const QString& texto) {
  QString r;
  r.reserve(texto.size());
  for (QChar c : texto) {
    if (c == u'%' || c == u'_' || c == u'\\') r += u'\\';
    r += c;
  }
  return r;
}

}  // namespace db
