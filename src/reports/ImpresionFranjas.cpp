#include "reports/ImpresionFranjas.h"

#include "platform/db/Dataset.h"
#include "reports/TrabajoImpresion.h"

MedidasFranjas MedidasDe(const print::Impresora& impresora) {
  MedidasFranjas m;
  const bool horizontal = impresora.orientacion() == print::Orientacion::Horizontal;
  m.anchoPagina = horizontal ? kAnchoFranjasHorizontal : kAnchoFranjasVertical;
  m.renglones = horizontal ? kRenglonesHojaHorizontal : kRenglonesHojaVertical;
  m.unidadColumna = impresora.AnchoPagina() / m.anchoPagina;
  m.unidadRenglon = impresora.AltoPagina() / kDivisionesAltoHoja;
  return m;
}

int PaginasFranjas(qint64 registros, const MedidasFranjas& medidas) {
  const qint64 porPagina = medidas.RegistrosPagina();
  return static_cast<int>(std::max<qint64>(1, (registros + porPagina - 1) / porPagina));
}

QVector<int> CortesFranjas(const QVector<int>& anchos, int anchoPagina) {
  QVector<int> cortes;
  int suma = 0;
  for (int i = 0; i < anchos.size(); ++i) {
    if (i > 0 && suma + anchos[i] >= anchoPagina) {
      cortes << i;
      suma = anchos[i];
    } else {
      suma += anchos[i];
    }
  }
  return cortes;
}

int AnchoMostrado(const db::Campo& campo) {
  switch (campo.Tipo()) {
    case db::TipoDato::Fecha: return 10;
    case db::TipoDato::Logico: return 5;
    default: return campo.Ancho();
  }
}

void ImprimeFranjas(TrabajoImpresion& trabajo, db::Dataset& datos, const QVector<int>& anchos,
                    const MedidasFranjas& medidas, int primera, int ultima,
                    const std::function<void(const CeldaFranja&)>& imprime) {
  if (anchos.isEmpty() || primera > ultima) return;
  primera = std::max(primera, 1);
  QVector<int> inicios = CortesFranjas(anchos, medidas.anchoPagina);
  inicios.prepend(0);
  const qint64 salto = qint64{primera - 1} * medidas.RegistrosPagina();

  // A page is begun only for a cell to print on it.
  bool paginaPendiente = false;
  const auto celda = [&](const CeldaFranja& c) {
    if (!trabajo.Impresora().Imprimiendo()) trabajo.Comienza();
    else if (paginaPendiente) trabajo.Impresora().NuevaPagina();
    paginaPendiente = false;
    imprime(c);
  };

  for (qsizetype franja = 0; franja < inicios.size(); ++franja) {
    const int desde = inicios[franja];
    const int hasta = franja + 1 < inicios.size() ? inicios[franja + 1] : static_cast<int>(anchos.size());
    if (trabajo.Impresora().Imprimiendo()) paginaPendiente = true;
    datos.First();
    for (qint64 resta = salto; resta > 0 && !datos.Eof();) {
      const int paso = static_cast<int>(std::min<qint64>(resta, 1 << 30));
      if (datos.MoveBy(paso) < paso) {
        // Fewer records than the pages skipped: nothing left to print.
        datos.Last();
        datos.Next();
        break;
      }
      resta -= paso;
    }
    int pagina = primera;
    int renglon = 0;
    while (pagina <= ultima && !datos.Eof()) {
      int x = 0;
      for (int c = desde; c < hasta; ++c) {
        celda({c, x, renglon, anchos[c], renglon == 0});
        x += anchos[c];
      }
      if (renglon > 0) datos.Next();
      if (++renglon == medidas.renglones) {
        renglon = 0;
        ++pagina;
        paginaPendiente = true;
      }
    }
  }
}
