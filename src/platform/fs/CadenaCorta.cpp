#include "platform/fs/CadenaCorta.h"

#include "platform/fs/Texto.h"

#include <algorithm>

namespace fs {

QString LeeCadenaCorta(QByteArrayView bytes, qsizetype posicion, int ancho) {
  const int largo = std::min<int>(static_cast<unsigned char>(bytes[posicion]), ancho - 1);
  return DeCp1252(bytes.data() + posicion + 1, largo);
}

void EscribeCadenaCorta(QByteArray& bytes, qsizetype posicion, int ancho, const QString& texto) {
  const QByteArray codificado = ACp1252(texto.left(ancho - 1));
  bytes[posicion] = static_cast<char>(codificado.size());
  std::copy(codificado.begin(), codificado.end(), bytes.begin() + posicion + 1);
}

}  // namespace fs
