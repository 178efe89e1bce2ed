// The viewer's subtotals and totals, worked out over the whole final.tmp.

#include "reports/ArchivosReporte.h"
#include "reports/Barras.h"

#include "platform/fs/Texto.h"

#include <algorithm>

bool GrupoReporte::Entra(QByteArrayView llave, const ImportesReporte& importes, int moneda, GrupoReporte& cerrado) {
  const bool termina = !Llave.isEmpty() && llave != Llave;
  if (termina) {
    cerrado = *this;
    Subtotales = {};
    SubtotalesMoneda = {};
  }
  Suma(importes, moneda);
  Llave = llave.toByteArray();
  return termina;
}

void GrupoReporte::Suma(const ImportesReporte& importes, int moneda) {
  for (int c = 0; c < 8; ++c) {
    Subtotales[c] += importes[c];
    if (moneda > 0) SubtotalesMoneda[moneda - 1][c] += importes[c];
  }
}

int IndiceMonedaReporte(const QString& nombre) {
  if (nombre.isEmpty()) return 0;
  const TEstadoVisorReporte& e = EstadoVisorReporte();
  for (int i = 1; i <= 4; ++i) {
    if (e.NombresMoneda[i] == nombre) return i;
  }
  return 0;
}

void ReiniciaTotalesReporte() {
  TEstadoVisorReporte& e = EstadoVisorReporte();
  e.TotalesMoneda = {};
  e.SubtotalesMoneda = {};
  e.TotalesGenerales = {};
}

void ReiniciaTotalesGenerales() {
  TEstadoVisorReporte& e = EstadoVisorReporte();
  e.TotalesGenerales = {};
  e.FinReporteAlcanzado = false;
}

void GuardaSubtotalesFinales() {
  TEstadoVisorReporte& e = EstadoVisorReporte();
  if (e.FinReporteAlcanzado) return;
  e.SubtotalesGuardados = e.SubtotalesGrupo;
  e.FinReporteAlcanzado = true;
}

namespace {

int MonedaRenglon(const char* registro) {
  const QByteArrayView columna8 = ColumnaRenglon(registro, 7);
  return IndiceMonedaReporte(fs::DeCp1252(columna8.data(), columna8.size()));
}

}  // namespace

// One pass over final.tmp: the amount columns of every row.
const TotalesArchivoReporte& TFormaBarras::Totales() {
  TEstadoVisorReporte& e = EstadoVisorReporte();
  if (e.Totales) return *e.Totales;
  auto totales = std::make_shared<TotalesArchivoReporte>();
  std::array<bool, 8> importe{};
  for (int c = 0; c < 8; ++c) importe[c] = EsColumnaImporte(e.TiposColumnas[c + 2]);
  const bool conMonedas = std::any_of(e.NombresMoneda.begin(), e.NombresMoneda.end(),
                                      [](const QString& nombre) { return !nombre.isEmpty(); });
  LectorRenglones final(kArchivoFinal);
  while (const char* r = final.Siguiente()) {
    if (EsMarcaRenglon(r)) continue;
    const ImportesReporte importes = ImportesRenglon(r);
    const int moneda = conMonedas ? MonedaRenglon(r) : 0;
    for (int c = 0; c < 8; ++c) {
      if (!importe[c]) continue;
      totales->Generales[c] += importes[c];
      if (moneda > 0) totales->Moneda[moneda - 1][c] += importes[c];
    }
  }
  e.Totales = totales;
  return *totales;
}

// Back from the page's first row over the rows of the last key before it
// (markers are no rows of a run).
GrupoReporte TFormaBarras::GrupoAnterior(LectorRenglones& final, qint64 inicio) const {
  GrupoReporte grupo;
  for (qint64 i = inicio - 1; i >= 0; --i) {
    const char* r = final.Renglon(i);
    if (EsMarcaRenglon(r)) continue;
    const QByteArrayView llave = LlaveRenglon(r);
    if (grupo.Llave.isEmpty()) grupo.Llave = llave.toByteArray();
    else if (llave != grupo.Llave) break;
    grupo.Suma(ImportesRenglon(r), MonedaRenglon(r));
  }
  return grupo;
}
