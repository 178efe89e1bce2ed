#include "platform/db/FilasConsulta.h"

#include <QDate>

#include <cstring>

namespace db {

namespace {

enum : char { kNulo = 0, kEntero = 1, kReal = 2, kTexto = 3 };

bool Digitos(const char* t, int desde, int hasta) {
  for (int i = desde; i < hasta; ++i)
    if (t[i] < '0' || t[i] > '9') return false;
  return true;
}

// "yyyy-mm-dd" naming a real day.
bool EsFechaIso(const char* t, int largo) {
  if (largo != 10 || t[4] != '-' || t[7] != '-' || !Digitos(t, 0, 4) || !Digitos(t, 5, 7) || !Digitos(t, 8, 10))
    return false;
  const auto n = [t](int i, int k) {
    int v = 0;
    for (int j = i; j < i + k; ++j) v = v * 10 + (t[j] - '0');
    return v;
  };
  return QDate(n(0, 4), n(5, 2), n(8, 2)).isValid();
}

// UTF-16 code units of a UTF-8 text: one per character, two for those
// beyond the basic plane.
int UnidadesUtf16(const char* t, int largo) {
  int n = 0;
  for (int i = 0; i < largo; ++i) {
    const auto b = static_cast<unsigned char>(t[i]);
    if ((b & 0xC0) != 0x80) n += b >= 0xF0 ? 2 : 1;
  }
  return n;
}

int DigitosEntero(qint64 v) {
  int n = v < 0 ? 2 : 1;
  for (quint64 m = v < 0 ? 0 - static_cast<quint64>(v) : static_cast<quint64>(v); m >= 10; m /= 10) ++n;
  return n;
}

template <class T>
void Pon(QByteArray& b, const T& v) {
  b.append(reinterpret_cast<const char*>(&v), sizeof v);
}

template <class T>
T Toma(const char*& p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  p += sizeof v;
  return v;
}

}  // namespace

FilasConsulta::FilasConsulta(int columnas, const QString& carpeta)
    : columnas_(columnas), valores_(static_cast<size_t>(columnas)), registros_(carpeta, QStringLiteral("consulta")) {}

void FilasConsulta::Anota(int columna, const sql::ValorSql& v) {
  ValoresColumna& c = valores_[static_cast<size_t>(columna)];
  switch (v.tipo) {
    case sql::ValorSql::Tipo::Texto:
      c.textos = true;
      c.largo = std::max(c.largo, UnidadesUtf16(v.texto, v.largo));
      if (c.fechas && v.largo > 0 && !EsFechaIso(v.texto, v.largo)) c.fechas = false;
      break;
    case sql::ValorSql::Tipo::Real: c.reales = true; break;
    case sql::ValorSql::Tipo::Entero:
      c.enteros = true;
      c.digitos = std::max(c.digitos, DigitosEntero(v.entero));
      break;
    case sql::ValorSql::Tipo::Nulo: break;
  }
}

void FilasConsulta::Agrega(const sql::ValorSql* valores) {
  fila_.clear();
  for (int i = 0; i < columnas_; ++i) {
    const sql::ValorSql& v = valores[i];
    Anota(i, v);
    switch (v.tipo) {
      case sql::ValorSql::Tipo::Nulo: fila_.append(kNulo); break;
      case sql::ValorSql::Tipo::Entero:
        fila_.append(kEntero);
        Pon(fila_, v.entero);
        break;
      case sql::ValorSql::Tipo::Real:
        fila_.append(kReal);
        Pon(fila_, v.real);
        break;
      case sql::ValorSql::Tipo::Texto:
        fila_.append(kTexto);
        Pon(fila_, static_cast<qint32>(v.largo));
        fila_.append(v.texto, v.largo);
        break;
    }
  }
  registros_.Agrega(fila_);
}

QVector<QVariant> FilasConsulta::Fila(qint64 n) {
  const char* p = registros_.Lee(n).data();
  QVector<QVariant> fila(columnas_);
  for (int i = 0; i < columnas_; ++i) {
    switch (*p++) {
      case kEntero: fila[i] = QVariant::fromValue<qint64>(Toma<qint64>(p)); break;
      case kReal: fila[i] = Toma<double>(p); break;
      case kTexto: {
        const auto n = Toma<qint32>(p);
        fila[i] = QString::fromUtf8(p, n);
        p += n;
        break;
      }
      default: break;
    }
  }
  return fila;
}

}  // namespace db
