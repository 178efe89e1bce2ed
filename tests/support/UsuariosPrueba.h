#pragma once
// The bytes of a users file for tests: user i is "Usuario i" with the
// password and the rights text of usuarios[i].

#include "foundation/rutinas_usuarios.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

// A rights text with every right but the positions given.
inline QString DerechosSin(const QList<int>& negados) {
  QString derechos(kNumeroDerechos, u's');
  for (int n : negados) derechos[n - 1] = u'n';
  return derechos;
}

inline QByteArray ArchivoUsuarios(const QList<std::pair<QString, QString>>& usuarios) {
  QByteArray bytes;
  for (int i = 0; i < usuarios.size(); ++i) {
    TRegistroUsuario r;
    r.NumeroUsuario = i;
    r.NombreUsuario = QString("Usuario %1").arg(i);
    r.ClaveUsuario = usuarios[i].first;
    r.Derechos = usuarios[i].second;
    bytes += r.ABytes();
  }
  return bytes;
}
