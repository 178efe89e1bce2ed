#include "reports/ImpresionRenglones.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas_numero.h"
#include "platform/print/Impresora.h"

int RenglonImpresion = 0;
int UnidadColumnaImpresion = 0;
int UnidadRenglonImpresion = 0;

namespace {

// One eightieth and one seventieth of the page, as the grid was always cut.
constexpr double kFraccionColumna = 0.0125;
constexpr double kFraccionRenglon = 0.0142857142857;
constexpr int kRenglonesPagina = 70;
constexpr int kPrimerRenglon = 2;
constexpr int kColumnaPies = 55;

const QString kSystem = QStringLiteral("System");
const QString kCourier = QStringLiteral("Courier");

print::Impresora& Impresora() { return print::Impresora::Global(); }

QString FormatoColumna(const QString& texto, const QString& mascara) {
  const QString m = mascara.isEmpty() ? QStringLiteral("#,###,###") : mascara;
  if (m.size() >= 3 && m[m.size() - 3] == u'.') return FormatoImporte(QStringLiteral("#,###,##0.00"), texto, "f");
  return FormatoImporte(QStringLiteral("#,###,###"), texto);
}

}  // namespace

void IniciaImpresionRenglones(const QString& titulo1, const QString& titulo2, int renglon) {
  print::Impresora& impresora = Impresora();
  impresora.Comienza();
  print::Fuente& fuente = impresora.lienzo().fuente();
  fuente.nombre = kSystem;
  fuente.tamano = 10;
  UnidadColumnaImpresion = static_cast<int>(impresora.AnchoPagina() * kFraccionColumna);
  UnidadRenglonImpresion = static_cast<int>(impresora.AltoPagina() * kFraccionRenglon);
  RenglonImpresion = renglon;
  for (const QString& titulo : {titulo1, titulo2}) {
    if (!titulo.isEmpty()) ImprimeColumnaRenglon(1, 1, titulo, u'c', QString());
  }
}

void ImprimeColumnaRenglon(int columna, int avance, const QString& texto, QChar tipo, const QString& mascara) {
  print::Impresora& impresora = Impresora();
  print::Lienzo& lienzo = impresora.lienzo();
  const QString fuente = lienzo.fuente().nombre.left(50);
  const int x = columna * UnidadColumnaImpresion;
  const int y = RenglonImpresion * UnidadRenglonImpresion;
  if (tipo == u'c' || tipo == u'd') {
    lienzo.Texto(x, y, texto);
  } else if (tipo == u'f') {
    lienzo.fuente().nombre = kCourier;
    QString importe;
    try {
      importe = FormatoColumna(texto, mascara);
    } catch (...) {
      // A listing with a value it cannot print is not sent half made, and
      // the printer is left free for the next job.
      lienzo.fuente().nombre = fuente;
      impresora.Aborta();
      throw;
    }
    lienzo.Texto(x, y, importe);
  }
  lienzo.fuente().nombre = fuente;
  if (avance == 1) ++RenglonImpresion;
  if (RenglonImpresion >= kRenglonesPagina) {
    impresora.NuevaPagina();
    RenglonImpresion = kPrimerRenglon;
  }
}

void AvanzaRenglonImpresion() { ++RenglonImpresion; }

void TerminaImpresionRenglones(const QString& pie1, const QString& pie2, const QString& pie3, QChar aviso) {
  print::Impresora& impresora = Impresora();
  impresora.lienzo().fuente().nombre = kCourier;
  for (const QString& pie : {pie1, pie2, pie3}) {
    if (!pie.isEmpty()) ImprimeColumnaRenglon(kColumnaPies, 1, pie, u'c', QString());
  }
  impresora.lienzo().fuente().nombre = kSystem;
  impresora.Termina();
  if (aviso == u's') MuestraMensaje(QStringLiteral("La Impresión ha finalizado"));
}
