#include "foundation/rutinas_texto.h"

QString SubTexto(int inicio, int fin, const QString& texto) {
  const qsizetype desde = qMax(inicio, 1);
  const qsizetype hasta = qMin<qsizetype>(fin, texto.size());
  if (hasta < desde) return QString();
  return texto.mid(desde - 1, hasta - desde + 1);
}

QStringList LineasDeTexto(QString texto) {
  if (texto.isEmpty()) return {};
  if (texto.endsWith(u'\n')) texto.chop(1);
  return texto.split(u'\n');
}

QString AnchoFijo(int ancho, const QString& texto) {
  if (ancho <= 0) return QString();
  return texto.leftJustified(ancho, u' ', true);
}

QChar Mayuscula(QChar c) { return c >= u'a' && c <= u'z' ? QChar(c.unicode() - (u'a' - u'A')) : c; }

QString LimpiaNombreArchivo(const QString& texto) {
  static const QString kProhibidos = QStringLiteral("\"*+/:<>?\\|");
  QString limpio;
  limpio.reserve(texto.size());
  for (QChar c : texto) {
    if (!kProhibidos.contains(c)) limpio += c;
  }
  return limpio;
}

QString TituloReporte(const QString& porOmision, const QString& tecleado) {
  return tecleado == u"Título" ? porOmision : tecleado;
}

bool ContieneTexto(const QString& parte, const QString& texto) { return !parte.isEmpty() && texto.contains(parte); }

QString UneTextos(const QString& texto) {
  QString pieza, unido;
  for (QChar c : texto + u';') {
    if (c == u'+' || c == u';') {
      unido += pieza;
      pieza.clear();
    } else if (c == u'>') {
      if (!unido.contains(pieza)) unido += pieza;
      pieza.clear();
    } else {
      pieza += c;
    }
  }
  return unido;
}

QString AjustaClave(const QString& clave, int /*tamano*/) { return clave; }

bool ImpresoraLista() { return true; }

void EmiteSonido(int /*duracion*/) {}
