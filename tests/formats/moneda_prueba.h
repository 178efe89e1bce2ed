#pragma once
// Records of the currency table moneda.vrl for tests.

#include "platform/fs/Texto.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// One record of moneda.vrl: seven short strings and unused bytes.
inline QByteArray RegistroMoneda(const QString& nombre, const QStringList& textos) {
  QByteArray r(168, '\x7F');  // undefined bytes beyond each text
  const auto pon = [&](int desplazamiento, int maximo, const QString& texto) {
    const QByteArray b = fs::ACp1252(texto.left(maximo));
    r[desplazamiento] = static_cast<char>(b.size());
    r.replace(desplazamiento + 1, b.size(), b);
  };
  pon(0, 15, nombre);
  pon(16, 10, QStringLiteral("1.00"));
  for (int i = 0; i < 4; ++i) pon(27 + 31 * i, 30, textos.value(i));
  pon(151, 5, QStringLiteral("$"));
  return r;
}
