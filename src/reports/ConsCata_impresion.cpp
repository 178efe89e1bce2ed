// The browser's "Imprimir": the grid's first columns printed on the printer
// canvas in strips (ImpresionFranjas.h), page range chosen in the print
// dialog.

#include "reports/ConsCata.h"

#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_texto.h"
#include "platform/db/Tabla.h"
#include "platform/print/Impresora.h"
#include "platform/ui/RejillaDatos.h"
#include "reports/DialogosImpresora.h"
#include "reports/ImpresionFranjas.h"
#include "reports/TrabajoImpresion.h"

namespace {

// Of the grid's first columns, as many print as have titles.
constexpr int kColumnasImpresas = 8;
const QString kMarcaCorte = QStringLiteral(" >");
const QColor kColorCorte(255, 0, 0);
const QString kMascaraImporte = QStringLiteral("#,###,##0.00");

QString SinMarcaCorte(const QString& titulo) {
  return titulo.endsWith(kMarcaCorte) ? titulo.chopped(kMarcaCorte.size()) : titulo;
}

}  // namespace

// One cell of the printed grid: its frame and its text; a text of the form
// digits, point, two digits prints as money.
void ImprimeCeldaCatalogo(const EscalaFranjas& escala, int x, int renglon, int ancho, int tamano, const QString& texto,
                          const QString& fuente) {
  print::Lienzo& lienzo = print::Impresora::Global().lienzo();
  lienzo.pluma().grosor = 2;
  lienzo.pluma().color = Qt::black;
  lienzo.fuente().color = Qt::black;
  lienzo.fuente().tamano = tamano;
  lienzo.fuente().nombre = fuente;
  QString impreso = texto;
  if (texto.size() >= 3 && texto[texto.size() - 3] == u'.') {
    try {
      impreso = FormatoImporte(kMascaraImporte, texto.trimmed(), QStringLiteral("$"));
    } catch (const std::exception&) {
      // Not a number after all: it prints as it is.
    }
  }
  lienzo.Rectangulo(x * escala.unidad, renglon * escala.alto + 10, (x + ancho) * escala.unidad,
                    (renglon + 1) * escala.alto + 10);
  lienzo.Texto(x * escala.unidad + 5, (renglon + 1) * escala.alto - 50, impreso);
}

void TFormaCatalogo::BotonImprimirClick() {
  if (!ImpresoraLista() || !TablaConsulta->Active()) return;
  const int paginas = PaginasImpresion(TablaConsulta->RecordCount(), print::Impresora::Global().orientacion());
  Imprimir->MinPage = 1;
  Imprimir->MaxPage = paginas;
  Imprimir->FromPage = 1;
  Imprimir->ToPage = paginas;
  if (!Imprimir->Execute()) return;
  ImprimeCatalogo(Imprimir->FromPage, Imprimir->ToPage);
}

void TFormaCatalogo::ImprimeCatalogo(int desde, int hasta) {
  TrabajoImpresion trabajo(windowTitle());
  trabajo.Comienza();
  print::Impresora& impresora = trabajo.Impresora();
  const EscalaFranjas escala = EscalaFranjas::De(impresora);

  // The first visible columns, as many as have titles among the first eight.
  const QVector<int> visibles = ColumnasVisibles();
  int n = 0;
  for (int i = 0; i < visibles.size() && i < kColumnasImpresas; ++i)
    if (!DetalleCatalogo->Columna(visibles[i]).titulo.isEmpty()) ++n;
  std::vector<ColumnaFranja> columnas;
  QVector<int> anchos;
  QVector<int> deRejilla;
  for (int i = 0; i < n; ++i) {
    const db::Campo* campo = CampoColumna(visibles[i]);
    if (!campo) continue;
    const ui::ColumnaDatos c = DetalleCatalogo->Columna(visibles[i]);
    columnas.push_back({SinMarcaCorte(c.titulo), AnchoMostrado(*campo), [campo] { return campo->AsString(); }});
    anchos << AnchoMostrado(*campo);
    deRejilla << visibles[i];
  }
  const std::vector<Franja> franjas = CortaFranjas(anchos, escala.presupuesto);
  // The column that opens each further strip shows so on the screen.
  for (size_t f = 1; f < franjas.size(); ++f) {
    const int columna = deRejilla[franjas[f].primera];
    DetalleCatalogo->SetFondoColumna(columna, kColorCorte);
    const QString titulo = DetalleCatalogo->Columna(columna).titulo;
    if (!titulo.endsWith(kMarcaCorte)) DetalleCatalogo->SetTituloColumna(columna, titulo + kMarcaCorte);
  }
  const int tamano = DetalleCatalogo->font().pointSize();
  ImprimeFranjas(*TablaConsulta, columnas, franjas, desde, hasta, escala, impresora,
                 [&](int x, int renglon, int ancho, const QString& texto, int) {
                   ImprimeCeldaCatalogo(escala, x, renglon, ancho, tamano, texto, QStringLiteral("Arial"));
                 });
  trabajo.Termina();
}
