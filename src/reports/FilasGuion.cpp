#include "reports/FilasGuion.h"

#include "shell/LugarTablas.h"

#include <QRegularExpression>

namespace {

QString Texto(const char* s) { return s ? QString::fromUtf8(s) : QString(); }

}  // namespace

QString LlenaRutasGuion(const QString& texto, const LugarReporte& l) {
  static const QRegularExpression kMarca(QStringLiteral("\\[(H|L|LL|P|C8H)\\]|\\[(HF|DF|C8|RF)\\]([A-Za-z0-9_.]+)"));
  QString lleno;
  qsizetype desde = 0;
  for (auto it = kMarca.globalMatch(texto); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    lleno += texto.mid(desde, m.capturedStart() - desde);
    desde = m.capturedEnd();
    const QString sola = m.captured(1);
    QString archivo = m.captured(3);
    if (sola == u"H" || sola == u"C8H") archivo = l.encabezado;
    else if (sola == u"L" || sola == u"LL") archivo = l.partidas;
    else if (sola == u"P") archivo = l.productos;
    lleno += TablaSQL(archivo, l.carpetas);
  }
  return lleno + texto.mid(desde);
}

QString GuionDeSecciones(const QVector<SeccionGuion>& secciones, const LugarReporte& lugar, bool corte) {
  QString guion;
  const auto linea = [&guion](const QString& texto) {
    if (!texto.isNull()) guion += texto + u'\r';
  };
  for (const SeccionGuion& s : secciones) {
    linea(s.titulo);
    linea(s.consulta);
    linea(s.condicion);
    linea(s.orden);
    linea(s.corte);
    linea(s.tipos);
    linea(s.titulos);
    linea(QStringLiteral("@"));
  }
  if (corte) {
    linea(QStringLiteral("<14-24"));
    linea(QStringLiteral("@"));
  }
  return LlenaRutasGuion(guion, lugar);
}

SeccionGuion SeccionDeLineas(const QString& titulo, const char* consulta, const char* condicion, const char* orden,
                             const char* corte, const char* tipos, const char* titulos) {
  SeccionGuion s;
  s.titulo = titulo;
  s.consulta = Texto(consulta);
  s.condicion = Texto(condicion);
  s.orden = Texto(orden);
  s.corte = Texto(corte);
  s.tipos = Texto(tipos);
  s.titulos = Texto(titulos);
  return s;
}
