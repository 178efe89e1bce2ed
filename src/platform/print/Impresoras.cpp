#include "platform/print/Impresoras.h"

#include "platform/print/Cola.h"


namespace print {

namespace {

constexpr int kResolucionSupuesta = 600;

struct Lista {
  bool leida = false;
  std::vector<DatosImpresora> impresoras;
  int predeterminada = -1;
  int version = 0;
};

Lista& Estado() {
  static Lista lista;
  return lista;
}

Lista& LaLista() {
  Lista& lista = Estado();
  if (!lista.leida) {
    lista.leida = true;
    for (const detalle::ColaSistema& c : detalle::ColasDelSistema()) {
      if (c.predeterminada) lista.predeterminada = static_cast<int>(lista.impresoras.size());
      lista.impresoras.push_back({c.nombre, c.descripcion, TipoImpresora::Cola, QString(), 0});
    }
  }
  return lista;
}

}  // namespace

const std::vector<DatosImpresora>& Impresoras() { return LaLista().impresoras; }

QStringList NombresImpresoras() {
  QStringList nombres;
  for (const DatosImpresora& d : LaLista().impresoras) nombres << d.nombre;
  return nombres;
}

int ImpresoraPredeterminada() { return LaLista().predeterminada; }

int BuscaImpresora(const QString& nombre) {
  const std::vector<DatosImpresora>& lista = LaLista().impresoras;
  for (size_t i = 0; i < lista.size(); ++i) {
    if (lista[i].nombre.compare(nombre, Qt::CaseInsensitive) == 0 ||
        (!lista[i].descripcion.isEmpty() && lista[i].descripcion.compare(nombre, Qt::CaseInsensitive) == 0)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int ResolucionImpresora(int i) {
  std::vector<DatosImpresora>& lista = LaLista().impresoras;
  if (i < 0 || i >= static_cast<int>(lista.size())) return kResolucionSupuesta;
  DatosImpresora& d = lista[static_cast<size_t>(i)];
  if (d.resolucion <= 0) {
    const int ppp = d.tipo == TipoImpresora::Cola ? detalle::ResolucionDeCola(d.nombre) : 0;
    d.resolucion = ppp > 0 ? ppp : kResolucionSupuesta;
  }
  return d.resolucion;
}

void FijaImpresorasPrueba(std::vector<DatosImpresora> lista, int predeterminada) {
  Lista& l = Estado();
  l.leida = true;
  l.impresoras = std::move(lista);
  l.predeterminada = predeterminada >= 0 && predeterminada < static_cast<int>(l.impresoras.size()) ? predeterminada : -1;
  ++l.version;
}

void RefrescaImpresoras() {
  Lista& l = Estado();
  l.leida = false;
  l.impresoras.clear();
  l.predeterminada = -1;
  ++l.version;
}

namespace detalle {
int VersionImpresoras() { return Estado().version; }
}  // namespace detalle

}  // namespace print
