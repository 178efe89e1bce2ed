#include "shell/Moneda.h"

#include "platform/fs/CadenaCorta.h"

TRegistroMoneda TRegistroMoneda::DeBytes(QByteArrayView bytes) {
  Q_ASSERT(bytes.size() >= kTamano);
  TRegistroMoneda r;
  for (int i = 0; i < kCamposMoneda; ++i)
    r.Campos[i] = fs::LeeCadenaCorta(bytes, kPosiciones[i].desplazamiento, kPosiciones[i].ancho);
  return r;
}

QByteArray TRegistroMoneda::ABytes() const {
  QByteArray bytes(kTamano, '\0');
  for (int i = 0; i < kCamposMoneda; ++i)
    fs::EscribeCadenaCorta(bytes, kPosiciones[i].desplazamiento, kPosiciones[i].ancho, Campos[i]);
  return bytes;
}

QVector<TRegistroMoneda> RegistrosMoneda(QByteArrayView bytes) {
  QVector<TRegistroMoneda> registros;
  for (qsizetype inicio = 0; bytes.size() - inicio >= TRegistroMoneda::kTamano; inicio += TRegistroMoneda::kTamano)
    registros << TRegistroMoneda::DeBytes(bytes.sliced(inicio, TRegistroMoneda::kTamano));
  return registros;
}
