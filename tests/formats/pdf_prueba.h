#pragma once
// Reading back PDF files printed by the tests, through poppler's tools.

#include <QProcess>
#include <QString>
#include <QStringList>

// The standard output of a program, once it ends.
inline QString SalidaDePrograma(const QString& programa, const QStringList& argumentos) {
  QProcess p;
  p.start(programa, argumentos);
  if (!p.waitForFinished(20000)) return QStringLiteral("(no terminó)");
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of page n, laid out as on paper.
inline QString TextoDePaginaPdf(const QString& pdf, int n) {
  return SalidaDePrograma(QStringLiteral("pdftotext"),
                          {"-layout", "-f", QString::number(n), "-l", QString::number(n), pdf, "-"});
}

// The pictures of the file, "<page>:<width>x<height>" in pixels, in order.
inline QStringList ImagenesDePdf(const QString& pdf) {
  QStringList r;
  // After two heading lines: page num type width height ...
  const QString lista = SalidaDePrograma(QStringLiteral("pdfimages"), {"-list", pdf});
  for (const QString& linea : lista.split(u'\n').mid(2)) {
    const QStringList c = linea.simplified().split(u' ');
    if (c.size() > 4) r << c[0] + u':' + c[3] + u'x' + c[4];
  }
  return r;
}
