// The report script window's printing, export and charts.

#include "reports/RepoSQL.h"

#include "foundation/HojaCalculo.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/hoja/Hoja.h"
#include "platform/print/Impresora.h"
#include "platform/ui/DialogoArchivo.h"
#include "reports/Barras.h"
#include "reports/DialogosImpresora.h"
#include "reports/GuionReporte.h"
#include "reports/TrabajoImpresion.h"

#include <QChartView>
#include <QFontInfo>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>

#include <limits>

namespace {

constexpr int kRenglonesExtraHoja = 7;  // a slot is the page height over the lines of a page plus these
constexpr int kRenglonesGrafica = 10;
constexpr double kMargenEje = 100;  // above the greatest value
constexpr int kMargenHoja = 50;
const QString kGraficaPorLinea = QStringLiteral("Reporte de Global por Línea");

bool EsFlotante(const db::Campo& campo) {
  return campo.Tipo() == db::TipoDato::Flotante || campo.Tipo() == db::TipoDato::Moneda;
}

// Points of a character format's font.
int Puntos(const QFont& fuente) {
  if (fuente.pointSize() > 0) return fuente.pointSize();
  return QFontInfo(fuente).pointSize();
}

}  // namespace

void TFormaReporteSQL::BotonImprimeClick() {
  Impresora->MinPage = 1;
  Impresora->MaxPage = std::max(TotalPaginasGuion, 1);
  Impresora->FromPage = 1;
  Impresora->ToPage = Impresora->MaxPage;
  if (!Impresora->Execute()) return;
  TrabajoImpresion trabajo(windowTitle());
  print::Fuente& fuente = trabajo.Impresora().lienzo().fuente();
  fuente.nombre = Hoja->font().family();
  fuente.tamano = Puntos(Hoja->font());
  fuente.negrita = Hoja->font().bold();
  fuente.cursiva = Hoja->font().italic();
  trabajo.Comienza();
  ImprimePaginasGuion(Impresora->FromPage, Impresora->ToPage);
  trabajo.Termina();
}

void TFormaReporteSQL::ImprimePaginasGuion(int primera, int ultima) {
  print::Impresora& impresora = print::Impresora::Global();
  print::Lienzo& lienzo = impresora.lienzo();
  const int alto = impresora.AltoPagina() / (RenglonesPorPaginaGuion + kRenglonesExtraHoja);
  const qsizetype desde = qsizetype(std::max(primera, 1) - 1) * RenglonesPorPaginaGuion;
  const qsizetype hasta = std::min(qsizetype(ultima) * RenglonesPorPaginaGuion, PaginasGuion.size() - 1);
  int lugar = 1;
  bool hojaLlena = false;
  for (qsizetype i = desde; i <= hasta; ++i) {
    // A sheet is started only for a line to print on it.
    if (hojaLlena) impresora.NuevaPagina();
    hojaLlena = false;
    const QString& linea = PaginasGuion[i];
    if (linea.startsWith(u'*')) {
      lienzo.fuente().color = Qt::red;
      lienzo.Texto(1, lugar * alto, QString(linea).remove(u'*'));
      lienzo.fuente().color = Qt::black;
    } else if (!linea.isEmpty()) {
      lienzo.Texto(1, lugar * alto, linea);
    }
    // The first sheet takes slots 1 to 51, the others 2 to 51.
    if (lugar == RenglonesPorPaginaGuion + 1) {
      hojaLlena = true;
      lugar = 1;
    }
    ++lugar;
  }
}

void TFormaReporteSQL::ImprimeHoja() {
  Impresora->MinPage = 1;
  Impresora->MaxPage = 1;
  Impresora->FromPage = 1;
  Impresora->ToPage = 1;
  if (!Impresora->Execute()) return;
  TrabajoImpresion trabajo{QString()};
  print::Impresora& impresora = trabajo.Impresora();
  print::Lienzo& lienzo = impresora.lienzo();
  lienzo.fuente().nombre = Hoja->font().family();
  lienzo.fuente().negrita = Hoja->font().bold();
  trabajo.Comienza();
  int y = kMargenHoja;
  for (QTextBlock bloque = Hoja->document()->begin(); bloque.isValid(); bloque = bloque.next()) {
    // Each line in the size and colour it shows in.
    const QTextCharFormat formato = bloque.begin().atEnd() ? bloque.charFormat() : bloque.begin().fragment().charFormat();
    lienzo.fuente().tamano = Puntos(formato.font());
    lienzo.fuente().color = formato.foreground().color();
    const int alto = lienzo.AltoTexto(QStringLiteral("X"));
    if (y + alto > impresora.AltoPagina() - kMargenHoja && y > kMargenHoja) {
      impresora.NuevaPagina();
      y = kMargenHoja;
    }
    if (!bloque.text().isEmpty()) lienzo.Texto(kMargenHoja, y, bloque.text());
    y += alto;
  }
  lienzo.fuente().color = Qt::black;
  trabajo.Termina();
}

void TFormaReporteSQL::BotonExportaClick() {
  if (!Guardar->Execute()) return;
  const QString nombre = NombreExportacion(Guardar->FileName);
  ExportaGuion(nombre);
  AbreHojaCalculo(nombre);
}

void TFormaReporteSQL::ExportaGuion(const QString& nombre) {
  hoja::Hoja salida(nombre);
  hoja::Fila titulos;
  for (const QString& titulo : std::as_const(TitulosGuion)) {
    if (!titulo.isEmpty()) titulos << hoja::Celda{titulo};
  }
  salida.Agrega(titulos, true);
  if (nombre.right(3).toLower() == u"txt") {
    // Every page as it shows.
    for (int pagina = 1; pagina <= TotalPaginasGuion; ++pagina) {
      FijaPagina(pagina);
      for (const QString& linea : Hoja->toPlainText().split(u'\n')) salida.Agrega({hoja::Celda{linea}});
    }
  } else {
    // The last block's rows, a cell per field; a text file keeps two blanks
    // before the first field so a spreadsheet reads a key as text. Its
    // subtotal and total lines stand where the screen shows them, each
    // amount under its field.
    db::Consulta& resultado = *Query1;
    const QString sangria = salida.EsLibro() ? QString() : QStringLiteral("  ");
    auto totales = LineasTotalesGuion.cbegin();
    const auto lineasTotales = [&](qint64 renglones) {
      for (; totales != LineasTotalesGuion.cend() && totales->renglones <= renglones; ++totales) {
        hoja::Fila fila;
        for (const std::optional<Dinero>& importe : totales->importes) {
          fila << (importe ? hoja::Celda{TextoRealGuion(importe->Real()), hoja::Tipo::Numero} : hoja::Celda{});
        }
        salida.Agrega(fila, true);
      }
    };
    qint64 renglones = 0;
    for (resultado.First(); !resultado.Eof(); resultado.Next()) {
      lineasTotales(renglones);
      hoja::Fila fila;
      for (int j = 0; j < resultado.FieldCount(); ++j) {
        const db::Campo& campo = resultado.Fields(j);
        if (!EsFlotante(campo)) {
          fila << hoja::Celda{(j == 0 ? sangria : QString()) + campo.AsString()};
          continue;
        }
        double valor = 0;
        try {
          valor = campo.AsFloat();
        } catch (const plat::Error&) {
          valor = 0;
        }
        fila << hoja::Celda{TextoRealGuion(valor), hoja::Tipo::Numero};
      }
      salida.Agrega(fila, true);
      ++renglones;
    }
    lineasTotales(std::numeric_limits<qint64>::max());
  }
  salida.Cierra();
}

void TFormaReporteSQL::MuestraGrafica(int tipo, int campo) {
  // At the end of the rows the chart starts over from the first.
  if (Query1->Active() && Query1->Eof()) Query1->First();
  ui::SetTag(BotonGrafica, tipo);
  Hoja->hide();
  ModuloGrafica->show();
  GraficaGuion(campo);
}

void TFormaReporteSQL::BotonGraficaClick() {
  SetTag(1);
  MuestraGrafica(kGraficaBarrasGuion, windowTitle() == kGraficaPorLinea ? 2 : 0);
}

void TFormaReporteSQL::BotonPieClick() { MuestraGrafica(kGraficaPieGuion, 0); }

void TFormaReporteSQL::BotonLineasClick() { MuestraGrafica(kGraficaLineasGuion, 0); }

void TFormaReporteSQL::GraficaGuion(int n) {
  for (SerieGrafica& serie : Grafica.series) serie.puntos.clear();
  db::Consulta& resultado = *Query1;
  const int tipo = ui::Tag(BotonGrafica);
  int campo = n;
  if (n == 0) {
    campo = -1;
    for (int i = 1; i < resultado.FieldCount() && campo < 0; ++i) {
      if (EsFlotante(resultado.Fields(i))) campo = i;
    }
  }
  if (campo >= 0) {
    const db::Campo& valor = resultado.Fields(campo);
    const db::Campo& etiqueta = resultado.Fields(0);
    for (int i = 1; i <= kRenglonesGrafica && !resultado.Eof(); ++i, resultado.Next()) {
      const double v = valor.AsFloat();
      const QString texto = etiqueta.AsString();
      if (tipo == kGraficaBarrasGuion) Grafica.series[0].Agrega(i, v, texto);
      else if (tipo == kGraficaPieGuion && v > 0) Grafica.series[1].Agrega(i, v, texto);
      else if (tipo == kGraficaLineasGuion) Grafica.series[2].Agrega(i, v, texto);
    }
  }
  const SerieGrafica& escala = Grafica.series[tipo == kGraficaLineasGuion ? 2 : 0];
  Grafica.ejeIzquierdo.automatico = false;
  Grafica.ejeIzquierdo.minimo = 0;
  Grafica.ejeIzquierdo.maximo = escala.MayorValor() + kMargenEje;
  Grafica.ejesVisibles = true;
  RedibujaGrafica();
}
