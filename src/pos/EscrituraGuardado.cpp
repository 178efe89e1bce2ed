#include "pos/EscrituraGuardado.h"

#include "platform/db/Tabla.h"
#include "pos/PlanGuardado.h"
#include "pos/UnidadTrabajo.h"

#include <QDate>

#include <cmath>

namespace {

// The values as journal entries: name, then the value with its type.
QStringList Codifica(const ValoresFila& valores) {
  QStringList r;
  for (const auto& [campo, valor] : valores) r << campo << CodificaValor(valor);
  return r;
}

ValoresFila Decodifica(const QStringList& texto) {
  ValoresFila r;
  for (qsizetype i = 0; i + 1 < texto.size(); i += 2) r.append({texto[i], DecodificaValor(texto[i + 1])});
  return r;
}

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

EscrituraGuardado::EscrituraGuardado(UnidadTrabajo& unidad, const QString& prefijo)
    : unidad_(unidad), prefijo_(prefijo) {}

QString EscrituraGuardado::Paso() { return prefijo_ + u'.' + QString::number(++escrituras_); }

bool EscrituraGuardado::Coinciden(const db::Dataset& fila, const ValoresFila& valores) {
  for (const auto& [nombre, valor] : valores) {
    const db::Campo* campo = fila.FindField(nombre);
    if (!campo || !Coincide(*campo, valor)) return false;
  }
  return true;
}

void EscrituraGuardado::Agrega(db::Tabla& tabla, const ValoresFila& valores) {
  const QString paso = Paso();
  // The values are journaled first: run again (another day, say), the save
  // looks for and writes the row it began with.
  const QString nombre = paso + QStringLiteral("=1");
  ValoresFila fila = valores;
  if (const auto anotados = unidad_.Resultado(nombre)) fila = Decodifica(*anotados);
  else if (!unidad_.Hecho(paso)) unidad_.Anota(nombre, Codifica(valores));
  unidad_.Agrega(
      tabla, paso, [&](db::Dataset& f) { EscribeValores(f, fila); },
      [&](const db::Dataset& f) { return Coinciden(f, fila); });
}

void EscrituraGuardado::Cambia(db::Tabla& tabla, const std::function<ValoresFila(const db::Dataset& fila)>& calcula) {
  const QString paso = Paso();
  if (unidad_.Hecho(paso)) return;
  const auto escribe = [&] {
    const bool propia = tabla.State() == db::Dataset::Estado::Navegando;
    if (propia) tabla.Edit();
    try {
      // The values of each former try, journaled before it wrote: a row
      // holding them was written.
      QString nombre;
      for (int intento = 1;; ++intento) {
        nombre = paso + u'=' + QString::number(intento);
        const auto anotados = unidad_.Resultado(nombre);
        if (!anotados) break;
        if (Coinciden(tabla, Decodifica(*anotados))) {
          if (propia) tabla.Cancel();
          return QStringList();
        }
      }
      const ValoresFila valores = calcula(tabla);
      unidad_.Anota(nombre, Codifica(valores));
      EscribeValores(tabla, valores);
      tabla.Post();
    } catch (...) {
      if (propia && tabla.State() != db::Dataset::Estado::Navegando) tabla.Cancel();
      throw;
    }
    return QStringList();
  };
  unidad_.Aplica(paso, escribe, escribe);
}

void EscrituraGuardado::Borra(db::Tabla& tabla) {
  unidad_.Fija(prefijo_ + QStringLiteral(".B") + QString::number(tabla.RecNo()), [&] { tabla.Delete(); });
}
