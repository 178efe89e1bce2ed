#include "platform/db/Campo.h"

#include "platform/db/Dataset.h"
#include "platform/db/Valores.h"

namespace db {
namespace {

std::optional<bool> LogicoDeTexto(const QString& texto) {
  const QString t = texto.trimmed().toUpper();
  if (t == u"T" || t == u"TRUE" || t == u"S" || t == u"SI" || t == u"Y" || t == u"YES" || t == u"1") return true;
  if (t == u"F" || t == u"FALSE" || t == u"N" || t == u"NO" || t == u"0") return false;
  return std::nullopt;
}

}  // namespace

Campo::Campo(Dataset& dataset, int indice, const DefCampo& def, TipoDato tipo)
    : dataset_(&dataset), indice_(indice), def_(def), tipo_(tipo) {}

QVariant Campo::Value() const {
  dataset_->ExigeActivo();
  return dataset_->LeeCampo(indice_);
}

bool Campo::IsNull() const {
  dataset_->ExigeActivo();
  return dataset_->CampoNulo(indice_);
}

QString Campo::AsString() const {
  const QVariant v = Value();
  if (!v.isValid()) return {};
  switch (v.typeId()) {
    case QMetaType::Double: return TextoReal(v.toDouble());
    case QMetaType::QDate: return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case QMetaType::Bool: return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default: return v.toString();
  }
}

qint64 Campo::AsInteger() const {
  const QVariant v = Value();
  if (!v.isValid()) return 0;
  switch (v.typeId()) {
    case QMetaType::LongLong: return v.toLongLong();
    case QMetaType::Double: return RedondeaEntero(v.toDouble());
    case QMetaType::Bool: return v.toBool() ? 1 : 0;
    case QMetaType::QString:
      if (auto e = EnteroDeTexto(v.toString())) return *e;
      break;
    default: break;
  }
  throw dataset_->ErrorDe(plat::Clase::Conversion, QStringLiteral("\"%1\" no es un valor entero válido para el campo %2")
                                                       .arg(v.toString(), def_.nombre));
}

double Campo::AsFloat() const {
  const QVariant v = Value();
  if (!v.isValid()) return 0;
  switch (v.typeId()) {
    case QMetaType::LongLong: return static_cast<double>(v.toLongLong());
    case QMetaType::Double: return v.toDouble();
    case QMetaType::Bool: return v.toBool() ? 1 : 0;
    case QMetaType::QString:
      if (auto r = RealDeTexto(v.toString())) return *r;
      break;
    default: break;
  }
  throw dataset_->ErrorDe(plat::Clase::Conversion, QStringLiteral("\"%1\" no es un número válido para el campo %2")
                                                       .arg(v.toString(), def_.nombre));
}

QDate Campo::AsDate() const {
  const QVariant v = Value();
  if (!v.isValid()) return {};
  if (v.typeId() == QMetaType::QDate) return v.toDate();
  if (v.typeId() == QMetaType::QString) {
    const QDate d = FechaDeTexto(v.toString());
    if (d.isValid()) return d;
  }
  throw dataset_->ErrorDe(plat::Clase::Conversion, QStringLiteral("\"%1\" no es una fecha válida para el campo %2")
                                                       .arg(v.toString(), def_.nombre));
}

bool Campo::AsBoolean() const {
  const QVariant v = Value();
  if (!v.isValid()) return false;
  switch (v.typeId()) {
    case QMetaType::Bool: return v.toBool();
    case QMetaType::LongLong: return v.toLongLong() != 0;
    case QMetaType::Double: return v.toDouble() != 0;
    case QMetaType::QString:
      if (auto b = LogicoDeTexto(v.toString())) return *b;
      break;
    default: break;
  }
  throw dataset_->ErrorDe(plat::Clase::Conversion, QStringLiteral("\"%1\" no es un valor lógico válido para el campo %2")
                                                       .arg(v.toString(), def_.nombre));
}

void Campo::SetAsString(const QString& texto) { Asigna(texto); }

bool Campo::AceptaTexto(const QString& texto) const {
  if (tipo_ == TipoDato::Texto || tipo_ == TipoDato::Memo || texto.trimmed().isEmpty()) return true;
  switch (tipo_) {
    case TipoDato::Entero:
      return EnteroDeTexto(texto) || RealDeTexto(texto);
    case TipoDato::Flotante:
    case TipoDato::Moneda:
      return RealDeTexto(texto).has_value();
    case TipoDato::Fecha:
      return FechaDeTexto(texto).isValid();
    case TipoDato::Logico:
      return LogicoDeTexto(texto).has_value();
    default:
      return true;
  }
}
void Campo::SetAsInteger(qint64 valor) { Asigna(QVariant::fromValue<qint64>(valor)); }
void Campo::SetAsFloat(double valor) { Asigna(valor); }
void Campo::SetAsDate(const QDate& fecha) { Asigna(fecha.isValid() ? QVariant(fecha) : QVariant()); }
void Campo::SetAsBoolean(bool valor) { Asigna(valor); }
void Campo::SetValue(const QVariant& valor) { Asigna(valor); }
void Campo::Clear() { Asigna(QVariant()); }

// Converts a value to the field's type and hands it to the dataset.
void Campo::Asigna(const QVariant& valor) {
  auto malo = [&](const QString& que) {
    return dataset_->ErrorDe(plat::Clase::Conversion,
                             QStringLiteral("\"%1\" no es %2 válido para el campo %3").arg(valor.toString(), que, def_.nombre));
  };
  const bool esTexto = valor.typeId() == QMetaType::QString;
  QVariant v;
  if (valor.isValid() && !(esTexto && valor.toString().trimmed().isEmpty() && tipo_ != TipoDato::Texto && tipo_ != TipoDato::Memo)) {
    switch (tipo_) {
      case TipoDato::Texto:
      case TipoDato::Memo:
        switch (valor.typeId()) {
          case QMetaType::Double: v = TextoReal(valor.toDouble()); break;
          case QMetaType::QDate: v = valor.toDate().toString(QStringLiteral("dd/MM/yyyy")); break;
          case QMetaType::Bool: v = valor.toBool() ? QStringLiteral("T") : QStringLiteral("F"); break;
          default: v = valor.toString();
        }
        break;
      case TipoDato::Entero:
        if (esTexto) {
          if (auto e = EnteroDeTexto(valor.toString())) v = QVariant::fromValue<qint64>(*e);
          else if (auto r = RealDeTexto(valor.toString())) v = QVariant::fromValue<qint64>(RedondeaEntero(*r));
          else throw malo(QStringLiteral("un número"));
        } else if (valor.typeId() == QMetaType::Double) {
          v = QVariant::fromValue<qint64>(RedondeaEntero(valor.toDouble()));
        } else if (valor.canConvert<qint64>() && valor.typeId() != QMetaType::QDate) {
          v = QVariant::fromValue<qint64>(valor.toLongLong());
        } else {
          throw malo(QStringLiteral("un número"));
        }
        break;
      case TipoDato::Flotante:
      case TipoDato::Moneda:
        if (esTexto) {
          if (auto r = RealDeTexto(valor.toString())) v = *r;
          else throw malo(QStringLiteral("un número"));
        } else if (valor.typeId() == QMetaType::LongLong || valor.typeId() == QMetaType::Int) {
          v = QVariant::fromValue<qint64>(valor.toLongLong());
        } else if (valor.canConvert<double>() && valor.typeId() != QMetaType::QDate) {
          v = valor.toDouble();
        } else {
          throw malo(QStringLiteral("un número"));
        }
        break;
      case TipoDato::Fecha:
        if (esTexto) {
          const QDate d = FechaDeTexto(valor.toString());
          if (!d.isValid()) throw malo(QStringLiteral("una fecha"));
          v = d;
        } else if (valor.typeId() == QMetaType::QDate || valor.typeId() == QMetaType::QDateTime) {
          if (valor.toDate().isValid()) v = valor.toDate();
        } else {
          throw malo(QStringLiteral("una fecha"));
        }
        break;
      case TipoDato::Logico:
        if (esTexto) {
          const auto b = LogicoDeTexto(valor.toString());
          if (!b) throw malo(QStringLiteral("un valor lógico"));
          v = *b;
        } else {
          v = valor.toBool();
        }
        break;
    }
  }
  dataset_->AsignaCampo(indice_, v);
}

}  // namespace db
