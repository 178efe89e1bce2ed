#include "foundation/ValoresFila.h"

#include "platform/db/Dataset.h"

#include <QDate>

#include <cmath>

namespace {

bool Coincide(const db::Campo& campo, const QVariant& valor) {
  if (!valor.isValid() || (valor.typeId() == QMetaType::QString && valor.toString().isEmpty())) return campo.IsNull();
  if (campo.IsNull()) return false;
  switch (campo.Tipo()) {
    case db::TipoDato::Entero:
    case db::TipoDato::Flotante:
    case db::TipoDato::Moneda: {
      bool ok = false;
      const double v = valor.toDouble(&ok);
      return ok && std::abs(campo.AsFloat() - v) < 1e-6;
    }
    case db::TipoDato::Fecha: return campo.AsDate() == valor.toDate();
    default: {
      QString texto = valor.toString();
      if (campo.Ancho() > 0) texto.truncate(campo.Ancho());
      while (texto.endsWith(u' ')) texto.chop(1);
      return campo.AsString() == texto;
    }
  }
}

}  // namespace

QString CodificaValor(const QVariant& v) {
  if (!v.isValid()) return QStringLiteral("n");
  switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int: return u'i' + QString::number(v.toLongLong());
    case QMetaType::Double: return u'f' + QString::number(v.toDouble(), 'g', 17);
    case QMetaType::QDate: return u'd' + v.toDate().toString(QStringLiteral("yyyyMMdd"));
    case QMetaType::Bool: return v.toBool() ? QStringLiteral("b1") : QStringLiteral("b0");
    default: return u's' + v.toString();
  }
}

QVariant DecodificaValor(const QString& texto) {
  const QString resto = texto.mid(1);
  switch (texto.isEmpty() ? u'n' : texto[0].unicode()) {
    case u'i': return resto.toLongLong();
    case u'f': return resto.toDouble();
    case u'd': return QDate::fromString(resto, QStringLiteral("yyyyMMdd"));
    case u'b': return resto == u"1";
    case u's': return resto;
    default: return {};
  }
}

QStringList CodificaValores(const ValoresFila& valores) {
  QStringList r;
  for (const auto& [campo, valor] : valores) r << campo << CodificaValor(valor);
  return r;
}

ValoresFila DecodificaValores(const QStringList& textos) {
  ValoresFila r;
  for (qsizetype i = 0; i + 1 < textos.size(); i += 2) r.append({textos[i], DecodificaValor(textos[i + 1])});
  return r;
}

void EscribeValores(db::Dataset& tabla, const ValoresFila& valores) {
  for (const auto& [campo, valor] : valores) tabla.FieldByName(campo).SetValue(valor);
}

bool Coinciden(const db::Dataset& fila, const ValoresFila& valores) {
  for (const auto& [nombre, valor] : valores) {
    const db::Campo* campo = fila.FindField(nombre);
    if (!campo || !Coincide(*campo, valor)) return false;
  }
  return true;
}
