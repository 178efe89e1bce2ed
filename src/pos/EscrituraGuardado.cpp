#include "pos/EscrituraGuardado.h"

#include "foundation/UnidadTrabajo.h"
#include "platform/db/Tabla.h"


EscrituraGuardado::EscrituraGuardado(UnidadTrabajo& unidad, const QString& prefijo)
    : unidad_(unidad), prefijo_(prefijo) {}

QString EscrituraGuardado::Paso() { return prefijo_ + u'.' + QString::number(++escrituras_); }

void EscrituraGuardado::Agrega(db::Tabla& tabla, const ValoresFila& valores) {
  const QString paso = Paso();
  // The values are journaled first: run again (another day, say), the save
  // looks for and writes the row it began with.
  const QString nombre = paso + QStringLiteral("=1");
  ValoresFila fila = valores;
  if (const auto anotados = unidad_.Resultado(nombre)) fila = DecodificaValores(*anotados);
  else if (!unidad_.Hecho(paso)) unidad_.Anota(nombre, CodificaValores(valores));
  unidad_.Agrega(tabla, paso, [&](db::Dataset& f) { EscribeValores(f, fila); });
}

void EscrituraGuardado::Cambia(db::Tabla& tabla, const std::function<ValoresFila(const db::Dataset& fila)>& calcula) {
  unidad_.Cambia(Paso(), tabla, calcula);
}

void EscrituraGuardado::Borra(db::Tabla& tabla) {
  unidad_.Fija(prefijo_ + QStringLiteral(".B") + QString::number(tabla.RecNo()), [&] { tabla.Delete(); });
}
