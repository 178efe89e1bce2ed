// The viewer's text pages: cells, lines and the page itself.

#include "reports/ArchivosReporte.h"
#include "reports/Barras.h"
#include "reports/GeneradorReporte.h"

#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_texto.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"

#include <QFontMetrics>
#include <QLabel>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int kLargoCelda = 50;
constexpr int kLargoImporte = 40;
constexpr int kLargoTotal = 20;
const QString kMascaraImporte = QStringLiteral("###,###,##0.00");
const QString kMascaraEntero = QStringLiteral("###,###,##0");
const QString kRaya(62, u'_');
const QStringList kCodigosMoneda = {QStringLiteral("M.N."), QStringLiteral("DLLS"), QStringLiteral("DM"),
                                    QStringLiteral("FR")};


bool FuenteFija(const QString& nombre) { return nombre == u"MS Sans Serif" || nombre == u"Courier New"; }

}  // namespace

QString LimpiaTituloColumna(const QString& texto) {
  QString limpio = texto;
  for (QChar& c : limpio) {
    if (c == u'#' || c == u'$' || c == u'%' || c == u'&' || c == u'-') c = u' ';
  }
  return limpio;
}

QString QuitaAmpersand(const QString& texto) { return QString(texto).remove(u'&'); }

QString TFormaBarras::AjustaTextoColumna(const QString& texto, int ancho) const {
  QString t = texto.left(kLargoCelda);
  for (QChar& c : t) {
    if (c.unicode() < 30) c = u' ';
  }
  const QString fuente = Concentrado->font().family();
  const bool fija = FuenteFija(fuente);
  if (ancho > t.size()) t = t.leftJustified(ancho + 1, u' ');
  else if (fija) t = t.left(ancho) + u' ';
  if (!fija) {
    // Blanks to the width of as many letters "X" on the window's canvas.
    QFont lienzo = fuenteLienzo_;
    lienzo.setFamily(fuente);
    const QFontMetrics medidas(lienzo, const_cast<TFormaBarras*>(this));
    const int meta = medidas.horizontalAdvance(QString(ancho, u'X'));
    if (medidas.horizontalAdvance(u' ') > 0) {
      while (medidas.horizontalAdvance(t) < meta) t += u' ';
    }
  }
  return t;
}

QString TFormaBarras::FormateaCeldaReporte(const QString& valor, const QString& titulo, const QString& tipo,
                                           int ancho) const {
  const auto importe = [&](const QString& mascara, const QString& prefijo) {
    QString texto;
    FormatoImporteAncho(mascara, valor, prefijo, texto, Concentrado->font(), this);
    return AjustaTextoColumna(texto.left(kLargoImporte), ancho);
  };
  QString celda;
  if (EsColumnaImporte(tipo) && titulo != u"C") {
    if (titulo.isEmpty()) celda = AjustaTextoColumna(QString(), ancho);
    else if (titulo.startsWith(u'-')) celda = importe(kMascaraEntero, QString());
    else celda = importe(kMascaraImporte, QStringLiteral("$"));
  } else if (tipo != u"x") {
    celda = AjustaTextoColumna(valor, ancho);
  }
  if (titulo.startsWith(u'%')) celda = importe(kMascaraImporte, QString());
  return celda;
}

QString FilaTotalesReporte::TituloColumna(int c) const {
  const QString& titulo = EstadoVisorReporte().TitulosColumnas[c + 2];
  return deMoneda ? u'%' + titulo : titulo;
}

bool TotalVisibleReporte(const QString& titulo) {
  if (titulo.isEmpty() || titulo.startsWith(u'-')) return false;
  return !titulo.startsWith(u'%') || (titulo.size() > 1 && titulo[1] != u'-');
}

bool EsCodigoMonedaReporte(const QString& columna8) { return kCodigosMoneda.contains(columna8); }

std::vector<FilaTotalesReporte> FilasTotalesReporte(const ImportesReporte& importes,
                                                    const ImportesMonedaReporte& moneda, bool porMoneda) {
  if (!porMoneda) return {{QStringLiteral(" "), importes, false}};
  const TEstadoVisorReporte& e = EstadoVisorReporte();
  std::vector<FilaTotalesReporte> filas;
  for (int i = 0; i < 4; ++i) {
    if (std::none_of(moneda[i].begin(), moneda[i].end(), [](Dinero d) { return d > Dinero(); })) continue;
    filas.push_back({e.NombresMoneda[i + 1], moneda[i], true});
  }
  return filas;
}

QString TFormaBarras::FormateaTotalReporte(const QString& valor, const QString& titulo, int ancho) const {
  if (!TotalVisibleReporte(titulo)) return AjustaTextoColumna(QStringLiteral(" "), ancho);
  const QString prefijo = titulo.startsWith(u'%') ? QString() : QStringLiteral("$");
  return AjustaTextoColumna(FormatoImporte(kMascaraImporte, valor, prefijo).left(kLargoTotal), ancho);
}

QString TFormaBarras::LineaSubrayado() const {
  const TEstadoVisorReporte& e = EstadoVisorReporte();
  QString linea = AjustaTextoColumna(kRaya, e.AnchosColumnas[0]) + AjustaTextoColumna(kRaya, e.AnchosColumnas[1]);
  for (int k = 2; k < 9; ++k) linea += FormateaCeldaReporte(kRaya, QStringLiteral("-"), e.TiposColumnas[k], e.AnchosColumnas[k]);
  return linea;
}

QString TFormaBarras::LineaTotales(const FilaTotalesReporte& fila) const {
  const TEstadoVisorReporte& e = EstadoVisorReporte();
  QString linea = AjustaTextoColumna(QStringLiteral("TOTALES"), e.AnchosColumnas[0]) +
                  AjustaTextoColumna(fila.texto, e.AnchosColumnas[1]);
  for (int c = 0; c < 8; ++c)
    linea += FormateaTotalReporte(fila.importes[c].Texto(), fila.TituloColumna(c), e.AnchosColumnas[c + 2]);
  return linea;
}

QString TFormaBarras::LineaTotales(const ImportesReporte& importes) const {
  return LineaTotales(FilasTotalesReporte(importes, {}, false).front());
}

QStringList TFormaBarras::BloqueMonedas(const ImportesMonedaReporte& importes) const {
  QStringList lineas;
  for (const FilaTotalesReporte& fila : FilasTotalesReporte({}, importes, true)) lineas << LineaTotales(fila);
  return lineas;
}

bool ReporteDelVisor() { return TieneArchivosReporte() && !EstadoGeneradorReporte().Rechazada; }

void TFormaBarras::CargaArchivosReporte() {
  TEstadoVisorReporte& e = EstadoVisorReporte();
  // Another copy's work files are not this viewer's to show.
  e.HayReporte = false;
  if (!ReporteDelVisor()) return;
  const QString anchos = ArchivoTrabajoReporte(kArchivoAnchos);
  if (!e.AnchosAplicados && fs::ExisteArchivo(anchos)) {
    const QByteArray bytes = fs::LeeBytes(anchos);
    if (bytes.size() >= TAnchosReporte::kTamano) e.AnchosColumnas = TAnchosReporte::DeBytes(bytes).Anchos;
  }
  const std::array<TTitulosReporte, 3> titulos = LeeTitulosReporte();
  e.TitulosColumnas = titulos[0].Textos;
  e.TiposColumnas = titulos[1].Textos;
  e.CondicionesReporte = titulos[2].Textos;
  e.ModoReporte = e.TiposColumnas[0];
  e.HayReporte = fs::ExisteArchivo(ArchivoTrabajoReporte(kArchivoFinal));
}

bool TFormaBarras::MuestraPaginaReporte(qint32 p) {
  TEstadoVisorReporte& e = EstadoVisorReporte();
  if (p == 0) {
    CargaArchivosReporte();
    ReiniciaTotalesReporte();
    e.SubtotalesGrupo = {};
  }
  if (!e.HayReporte) return false;
  LectorRenglones final(kArchivoFinal);
  const qint64 cuenta = final.Cuenta();
  const qint64 porPagina = e.LineasPorPaginaReporte;
  if (cuenta <= p * porPagina) {
    e.PaginaReporte = static_cast<qint32>(cuenta / porPagina);
    return false;
  }
  e.TotalPaginasReporte = static_cast<qint32>(cuenta / porPagina + (cuenta % porPagina != 0 ? 1 : 0));
  PanelPaginas->setText(QStringLiteral("Página %1 de  %2").arg(p + 1).arg(e.TotalPaginasReporte));

  const auto& anchos = e.AnchosColumnas;
  QStringList lineas;
  QString titulos;
  for (int k = 0; k < 10; ++k) titulos += LimpiaTituloColumna(AjustaTextoColumna(e.TitulosColumnas[k], anchos[k]));
  lineas << titulos << LineaSubrayado();

  e.SinMonedaPagina = true;
  e.TextoBarras = QStringLiteral("fff");
  const bool porGrupos = e.ModoReporte == u"DC";
  // A page goes on with the run of keys the rows before it left.
  GrupoReporte grupo = porGrupos ? GrupoAnterior(final, p * porPagina) : GrupoReporte();
  final.VeA(p * porPagina);
  e.LlaveAnterior = fs::DeCp1252(grupo.Llave);
  qint64 leidos = 0;
  for (; leidos < porPagina; ++leidos) {
    const char* r = final.Siguiente();
    if (!r) break;
    if (EsMarcaRenglon(r)) continue;
    const TRenglonReporte renglon = TRenglonReporte::DeBytes(QByteArrayView(r, TRenglonReporte::kTamano));
    if (porGrupos) {
      e.TextoBarras = renglon.Llave;
      GrupoReporte cerrado;
      if (grupo.Entra(LlaveRenglon(r), ImportesRenglon(r), IndiceMonedaReporte(renglon.Columnas[7]), cerrado)) {
        if (e.SinMonedaPagina) {
          lineas << LineaTotales(cerrado.Subtotales);
        } else {
          lineas << QString(16, u' ');
          lineas << BloqueMonedas(cerrado.SubtotalesMoneda);
        }
        lineas << LineaSubrayado();
      }
      e.LlaveAnterior = e.TextoBarras;
      e.SubtotalesGrupo = grupo.Subtotales;
      e.SubtotalesMoneda = grupo.SubtotalesMoneda;
    }
    if (EsCodigoMonedaReporte(renglon.Columnas[7])) e.SinMonedaPagina = false;
    QString linea = AjustaTextoColumna(renglon.Llave, anchos[0]) + AjustaTextoColumna(renglon.Texto, anchos[1]);
    for (int c = 0; c < 8; ++c)
      linea += FormateaCeldaReporte(renglon.Columnas[c], e.TitulosColumnas[c + 2], e.TiposColumnas[c + 2], anchos[c + 2]);
    lineas << linea;
    if (ui::Tag(BotonSonido) == 1) EmiteSonido(10);
  }

  if (p * porPagina + leidos >= cuenta) {
    GuardaSubtotalesFinales();
    Timer1->stop();
    lineas << QStringLiteral(" ");
    if (porGrupos && !grupo.Llave.isEmpty()) {
      if (e.SinMonedaPagina) {
        lineas << LineaTotales(grupo.Subtotales);
      } else {
        lineas << BloqueMonedas(grupo.SubtotalesMoneda);
        e.SubtotalesMoneda = {};
      }
      lineas << QString(17, u' ');
    }
    const TotalesArchivoReporte& totales = Totales();
    e.TotalesGenerales = totales.Generales;
    e.TotalesMoneda = totales.Moneda;
    if (e.SinMonedaPagina) lineas << LineaTotales(totales.Generales);
    else lineas << BloqueMonedas(totales.Moneda);
  }

  Concentrado->show();
  Concentrado->clear();
  QTextCursor cursor(Concentrado->document());
  QTextCharFormat encabezado;
  encabezado.setForeground(QColor(Qt::red));
  encabezado.setProperty(QTextFormat::FontPixelSize, 20);
  cursor.insertText(QuitaAmpersand(windowTitle()), encabezado);
  QTextCharFormat cuerpo;
  cuerpo.setForeground(colorTexto_);
  cuerpo.setProperty(QTextFormat::FontPixelSize, Concentrado->font().pointSize() + 3);
  for (const QString& linea : lineas) {
    cursor.insertBlock(QTextBlockFormat(), cuerpo);
    cursor.insertText(linea, cuerpo);
  }
  return true;
}
