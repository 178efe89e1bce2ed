#include "reports/ImpresionFranjas.h"

#include "platform/db/Campo.h"
#include "platform/db/Dataset.h"

#include <algorithm>

namespace {

constexpr int kAnchoVertical = 110;
constexpr int kAnchoHorizontal = 150;
constexpr int kRenglonesVertical = 50;
constexpr int kRenglonesHorizontal = 38;
constexpr double kAltoRenglon = 0.02;

bool Horizontal(print::Orientacion o) { return o == print::Orientacion::Horizontal; }

}  // namespace

int AnchoImpresion(print::Orientacion orientacion) {
  return Horizontal(orientacion) ? kAnchoHorizontal : kAnchoVertical;
}

int RenglonesPorPagina(print::Orientacion orientacion) {
  return Horizontal(orientacion) ? kRenglonesHorizontal : kRenglonesVertical;
}

int RegistrosPorPagina(print::Orientacion orientacion) { return RenglonesPorPagina(orientacion) - 1; }

int PaginasImpresion(qint64 registros, print::Orientacion orientacion) {
  const int porPagina = RegistrosPorPagina(orientacion);
  return static_cast<int>(std::max<qint64>(1, (registros + porPagina - 1) / porPagina));
}

qint64 PrimerRegistroPagina(int pagina, print::Orientacion orientacion) {
  return qint64{std::max(pagina, 1) - 1} * RegistrosPorPagina(orientacion) + 1;
}

int AnchoMostrado(const db::Campo& campo) {
  switch (campo.Tipo()) {
    case db::TipoDato::Fecha: return 10;
    case db::TipoDato::Logico: return 5;
    default: return campo.Ancho();
  }
}

EscalaFranjas EscalaFranjas::De(const print::Impresora& impresora) {
  EscalaFranjas e;
  e.presupuesto = AnchoImpresion(impresora.orientacion());
  e.renglones = RenglonesPorPagina(impresora.orientacion());
  e.unidad = std::max(1, impresora.AnchoPagina() / e.presupuesto);
  e.alto = std::max(1, static_cast<int>(impresora.AltoPagina() * kAltoRenglon));
  return e;
}

std::vector<Franja> CortaFranjas(const QVector<int>& anchos, int presupuesto) {
  std::vector<Franja> franjas;
  int suma = 0;
  for (int c = 0; c < anchos.size(); ++c) {
    const int ancho = std::max(0, anchos[c]);
    // The first column opens the first strip; a column that makes the sum
    // reach the budget opens the next one, and so does any column after one
    // that alone reached it.
    if (franjas.empty() || suma >= presupuesto || suma + ancho >= presupuesto) {
      franjas.push_back({c, c});
      suma = ancho;
      continue;
    }
    suma += ancho;
    franjas.back().ultima = c;
  }
  return franjas;
}

void ImprimeFranjas(db::Dataset& datos, const std::vector<ColumnaFranja>& columnas,
                    const std::vector<Franja>& franjas, int desde, int hasta, const EscalaFranjas& escala,
                    print::Impresora& impresora, const CeldaFranja& celda) {
  const int porPagina = escala.renglones - 1;
  // Pages begin when something is to be printed on them, so the job never
  // ends with an empty one.
  bool paginaUsada = false;
  bool nuevaPagina = false;
  const auto imprimeRenglon = [&](const Franja& f, int renglon, bool titulos) {
    if (nuevaPagina) {
      impresora.NuevaPagina();
      nuevaPagina = false;
    }
    int x = 0;
    for (int c = f.primera; c <= f.ultima && c < static_cast<int>(columnas.size()); ++c) {
      const ColumnaFranja& columna = columnas[static_cast<size_t>(c)];
      const int ancho = std::min(columna.ancho, escala.presupuesto - x);
      if (ancho <= 0) break;
      celda(x, renglon, ancho, titulos ? columna.titulo : columna.texto(), c);
      x += ancho;
    }
    paginaUsada = true;
  };
  for (const Franja& f : franjas) {
    if (f.ultima < f.primera) continue;
    if (paginaUsada) nuevaPagina = true;
    datos.First();
    datos.MoveBy(static_cast<int>(std::max<qint64>(0, qint64{std::max(desde, 1) - 1} * porPagina)));
    bool hay = !datos.Eof() && !datos.IsEmpty();
    for (int pagina = std::max(desde, 1); pagina <= hasta && hay; ++pagina) {
      imprimeRenglon(f, 0, true);
      for (int renglon = 1; renglon <= porPagina && hay; ++renglon) {
        imprimeRenglon(f, renglon, false);
        datos.Next();
        hay = !datos.Eof();
      }
      nuevaPagina = true;
    }
  }
}
