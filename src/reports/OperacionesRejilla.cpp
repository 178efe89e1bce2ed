#include "reports/OperacionesRejilla.h"

#include "foundation/HojaCalculo.h"
#include "foundation/dialogos.h"
#include "platform/Error.h"
#include "platform/db/Dataset.h"
#include "platform/hoja/Hoja.h"
#include "platform/ui/RejillaDatos.h"

#include <vector>

namespace {

bool EsNumero(db::TipoDato tipo) {
  return tipo == db::TipoDato::Entero || tipo == db::TipoDato::Flotante || tipo == db::TipoDato::Moneda;
}

db::Dataset* DatosAbiertos(const ui::RejillaDatos& rejilla) {
  db::Dataset* datos = rejilla.Fuente() ? rejilla.Fuente()->DataSet() : nullptr;
  return datos && datos->Active() ? datos : nullptr;
}

}  // namespace

QStringList TitulosVisibles(const ui::RejillaDatos& rejilla) {
  QStringList titulos;
  for (int i = 0; i < rejilla.Columnas(); ++i) {
    const ui::ColumnaDatos c = rejilla.Columna(i);
    if (c.visible) titulos << (c.titulo.isEmpty() ? c.campo : c.titulo);
  }
  return titulos;
}

void ExportaRejilla(const ui::RejillaDatos& rejilla, const QString& nombre) {
  db::Dataset* datos = DatosAbiertos(rejilla);
  if (!datos) return;
  std::vector<const db::Campo*> campos;
  for (int i = 0; i < rejilla.Columnas(); ++i) {
    const ui::ColumnaDatos c = rejilla.Columna(i);
    if (c.visible) campos.push_back(&datos->FieldByName(c.campo));
  }
  hoja::Hoja salida(nombre);
  hoja::Fila titulos;
  for (const QString& titulo : TitulosVisibles(rejilla)) titulos << hoja::Celda{titulo};
  salida.Agrega(titulos, true);
  for (datos->First(); !datos->Eof(); datos->Next()) {
    hoja::Fila fila;
    for (const db::Campo* campo : campos)
      fila << hoja::Celda{campo->AsString(), EsNumero(campo->Tipo()) ? hoja::Tipo::Numero : hoja::Tipo::Texto};
    salida.Agrega(fila, true);
  }
  salida.Cierra();
  AbreHojaCalculo(nombre);
}

void SumaColumnaRejilla(const ui::RejillaDatos& rejilla) {
  db::Dataset* datos = DatosAbiertos(rejilla);
  const int columna = rejilla.SelectedIndex();
  if (!datos || columna < 0 || columna >= rejilla.Columnas()) return;
  double suma = 0;
  try {
    const db::Campo& campo = datos->FieldByName(rejilla.Columna(columna).campo);
    for (datos->First(); !datos->Eof(); datos->Next()) suma += campo.AsFloat();
  } catch (const plat::Error&) {
    MuestraMensaje(QStringLiteral("No es Posible Relizar la operación en esta columna"));
    return;
  }
  MuestraMensaje(QStringLiteral("La Suma es : ") + QString::number(suma, 'g', 15));
}
