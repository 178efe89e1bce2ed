// The viewer's subtotals and totals, worked out over the whole final.tmp.

#include "reports/ArchivosReporte.h"
#include "reports/Barras.h"

#include "platform/fs/Texto.h"

namespace {

bool EsImporte(const QString& tipo) { return tipo == u"f" || tipo == u"e"; }

}  // namespace

bool GrupoReporte::Entra(QByteArrayView llave, const ImportesReporte& importes, int moneda, GrupoReporte& cerrado) {
  const bool termina = !Llave.isEmpty() && llave != Llave;
  if (termina) {
    cerrado = *this;
    Subtotales = {};
    SubtotalesMoneda = {};
  }
  for (int c = 0; c < 8; ++c) {
    Subtotales[c] += importes[c];
    if (moneda > 0) SubtotalesMoneda[moneda - 1][c] += importes[c];
  }
  Llave = llave.toByteArray();
  return termina;
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

// One pass over final.tmp: the run of a "DC" report in progress at the start
// of every page (so a page drawn alone goes on from where the rows before it
// left), and the totals of the amount columns.
const TotalesArchivoReporte& TFormaBarras::Totales() {
  TEstadoVisorReporte& e = EstadoVisorReporte();
  if (e.Totales) return *e.Totales;
  auto totales = std::make_shared<TotalesArchivoReporte>();
  const bool porGrupos = e.ModoReporte == u"DC";
  std::array<bool, 8> importe{};
  for (int c = 0; c < 8; ++c) importe[c] = EsImporte(e.TiposColumnas[c + 2]);

  LectorRenglones final(kArchivoFinal);
  GrupoReporte grupo, cerrado;
  for (qint64 i = 0; const char* r = final.Siguiente(); ++i) {
    if (porGrupos && i % e.LineasPorPaginaReporte == 0) totales->InicioPagina.push_back(grupo);
    if (EsMarcaRenglon(r)) continue;
    const ImportesReporte importes = ImportesRenglon(r);
    const QByteArrayView columna8 = ColumnaRenglon(r, 7);
    const int moneda = IndiceMonedaReporte(fs::DeCp1252(columna8.data(), columna8.size()));
    if (porGrupos) grupo.Entra(LlaveRenglon(r), importes, moneda, cerrado);
    for (int c = 0; c < 8; ++c) {
      if (!importe[c]) continue;
      totales->Generales[c] += importes[c];
      if (moneda > 0) totales->Moneda[moneda - 1][c] += importes[c];
    }
  }
  e.Totales = totales;
  return *totales;
}
