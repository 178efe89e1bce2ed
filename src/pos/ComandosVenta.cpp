#include "pos/ComandosVenta.h"

#include <QList>

#include <utility>

namespace {

struct Union {
  QString nombre;
  InstalaComandosVenta instala;
};

QList<Union>& Uniones() {
  static QList<Union> uniones;
  return uniones;
}

}  // namespace

void UneComandosVenta(const QString& nombre, InstalaComandosVenta instala) {
  for (Union& u : Uniones()) {
    if (u.nombre == nombre) {
      u.instala = std::move(instala);
      return;
    }
  }
  Uniones().append({nombre, std::move(instala)});
}

void InstalaComandosUnidos(TFormaCapturaRapida& pantalla) {
  for (const Union& u : std::as_const(Uniones()))
    if (u.instala) u.instala(pantalla);
}
