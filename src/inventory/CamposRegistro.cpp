#include "inventory/CamposRegistro.h"

#include "platform/Error.h"

namespace registro {

std::optional<double> LeeReal(const db::Campo& campo) {
  if (campo.IsNull()) return std::nullopt;
  return campo.AsFloat();
}

std::optional<Dinero> LeeImporte(const db::Campo& campo) {
  if (campo.IsNull()) return std::nullopt;
  return Dinero::DeReal(campo.AsFloat());
}

std::optional<qint64> LeeEntero(const db::Campo& campo) {
  if (campo.IsNull()) return std::nullopt;
  return campo.AsInteger();
}

void Escribe(db::Campo& campo, const std::optional<double>& valor) {
  if (valor) campo.SetAsFloat(*valor);
  else campo.Clear();
}

// A real goes into its field by its shortest decimal form, which for an
// amount of four decimals is the amount's own digits.
void Escribe(db::Campo& campo, const std::optional<Dinero>& valor) {
  if (valor) campo.SetAsFloat(valor->Real());
  else campo.Clear();
}

void Escribe(db::Campo& campo, const std::optional<qint64>& valor) {
  if (valor) campo.SetAsInteger(*valor);
  else campo.Clear();
}

db::Campo* Busca(const db::Dataset& tabla, const char* nombre, bool opcional) {
  const QString n = QString::fromLatin1(nombre);
  return opcional ? tabla.FindField(n) : &tabla.FieldByName(n);
}

}  // namespace registro
