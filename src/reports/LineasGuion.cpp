#include "reports/LineasGuion.h"

LineasGuion::LineasGuion(const QString& carpeta) : registros_(carpeta, QStringLiteral("guion")) {}

QString LineasGuion::Linea(qsizetype i) const {
  const QByteArrayView bytes = registros_.Lee(i);
  return QString::fromUtf8(bytes.data(), bytes.size());
}

LineasGuion& LineasGuion::operator<<(const QString& linea) {
  registros_.Agrega(linea.toUtf8());
  return *this;
}

LineasGuion& LineasGuion::operator<<(const QStringList& lineas) {
  for (const QString& linea : lineas) *this << linea;
  return *this;
}

void LineasGuion::Termina() const {
  if (!fin_) return;
  // The run clears it once it has ended.
  const std::function<void()> fin = fin_;
  fin();
}

qsizetype LineasGuion::size() const {
  Termina();
  return Escritas();
}

QString LineasGuion::operator[](qsizetype i) const {
  Termina();
  return Linea(i);
}

LineasGuion::operator QStringList() const {
  Termina();
  QStringList lineas;
  lineas.reserve(Escritas());
  for (qsizetype i = 0; i < Escritas(); ++i) lineas << Linea(i);
  return lineas;
}
