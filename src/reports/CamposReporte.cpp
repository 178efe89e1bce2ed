#include "reports/CamposReporte.h"

#include "foundation/rutinas.h"
#include "platform/db/Tabla.h"

#include <QStringList>

QString CamposGuionReporte;

QString TablaCamposReporte(const QString& tabla) {
  static const struct {
    const char16_t* tabla;
    const char16_t* catalogada;
  } kDocumentos[] = {
      {u"remision.dbf", u"facturae.dbf"}, {u"cotizaci.dbf", u"facturae.dbf"}, {u"pedido.dbf", u"facturae.dbf"},
      {u"devoluci.dbf", u"facturae.dbf"}, {u"devoluc.dbf", u"facturae.dbf"},  {u"remisiod.dbf", u"facturad.dbf"},
      {u"cotizacd.dbf", u"facturad.dbf"}, {u"pedidod.dbf", u"facturad.dbf"},  {u"devolucd.dbf", u"facturad.dbf"},
  };
  for (const auto& d : kDocumentos) {
    if (tabla == QStringView(d.tabla)) return QString::fromUtf16(d.catalogada);
  }
  return tabla;
}

void CamposDelSelect(const QString& guion, QString& salida) {
  const qsizetype n = guion.size();
  // Past the "&" (from the start when there is none) and the word glued to it.
  qsizetype i = guion.indexOf(u'&') + 1;
  while (i < n && guion[i] != u' ') ++i;

  QString campos;
  for (; i < n && guion.mid(i, 4).compare(QLatin1String("from"), Qt::CaseInsensitive) != 0; ++i) {
    const QChar c = guion[i];
    if (QStringLiteral(",-+*/").contains(c)) campos += u'\r';
    else if (c != u'(' && c != u')') campos += c;
  }

  QStringList nombres = campos.split(u'\r');
  for (QString& nombre : nombres) nombre = nombre.mid(nombre.lastIndexOf(u'.') + 1);
  CamposGuionReporte = nombres.join(u'\r');
  salida = CamposGuionReporte;
}

QVector<FilaCamposReporte> CamposDeTabla(const QString& tabla) {
  QString programa;
  CarpetaLocal(programa);
  db::Tabla campos;
  campos.SetCarpeta(programa);
  campos.SetNombreTabla(QStringLiteral("campos.dbf"));
  campos.SetReadOnly(true);
  campos.Open();
  campos.SetIndexName(QStringLiteral("TABLA"));
  campos.SetRange({tabla}, {tabla});
  QVector<FilaCamposReporte> filas;
  for (campos.First(); !campos.Eof(); campos.Next()) {
    const auto texto = [&](const char* campo) { return campos.FieldByName(QString::fromLatin1(campo)).AsString(); };
    filas.push_back({texto("CAMPO"), texto("DESCRIBE"), texto("TIPO"), texto("TAMO")});
  }
  return filas;
}
