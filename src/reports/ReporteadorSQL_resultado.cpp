// The report writer's result: running the statement, its pages, column
// kinds, printing in strips, export and sum.

#include "reports/ReporteadorSQL.h"

#include "foundation/HojaCalculo.h"
#include "foundation/dialogos.h"
#include "foundation/dinero.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_texto.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/hoja/Hoja.h"
#include "platform/print/Impresora.h"
#include "platform/ui/DialogoArchivo.h"
#include "platform/ui/RejillaDatos.h"
#include "reports/DialogosImpresora.h"
#include "reports/ImpresionFranjas.h"
#include "reports/OperacionesRejilla.h"
#include "reports/Tipos.h"
#include "reports/TrabajoImpresion.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int kRenglonesPorSalto = 50;
const QColor kColorCorte(255, 0, 0);
const QString kMarcaCorte = QStringLiteral(" >");

bool EsReal(db::TipoDato tipo) { return tipo == db::TipoDato::Flotante || tipo == db::TipoDato::Moneda; }

}  // namespace

void TFormaSQL::TraduceCodigoSQL() {
  Traduccion->setPlainText(TraduceLineasSQL(Lineas(*Codigo)).join(u'\n'));
}

void TFormaSQL::BitBtn1Click() {
  TiposColumnaSQL.fill(u' ');
  TraduceCodigoSQL();
  Query1->Close();
  DBGrid1->QuitaColumnas();
  try {
    Query1->SetSQL(Traduccion->toPlainText());
    Query1->Open();
    TitulosResultadoSQL();
  } catch (const plat::Error& e) {
    // The grid stays empty and the user reads why.
    Query1->Close();
    Query1->SetSQL(QString());
    DBGrid1->QuitaColumnas();
    MuestraMensaje(e.mensaje());
  }
  HabilitaPaginas();
}

void TFormaSQL::TitulosResultadoSQL() {
  // One column per field, each with its system colours and shown; a field
  // picked from the list takes its description, any other (typed, loaded
  // from a file, an expression's name) its own name, so a statement written
  // after the picks never wears titles of fields it does not have.
  DBGrid1->QuitaColumnas();
  const QStringList campos = Query1->NombresCampos();
  for (const QString& campo : campos) {
    QString titulo;
    for (int j = 0; j < NumeroTitulosSQL && titulo.isEmpty(); ++j) {
      if (CamposTituloSQL[static_cast<size_t>(j)].compare(campo, Qt::CaseInsensitive) == 0)
        titulo = TitulosColumnaSQL[static_cast<size_t>(j)];
    }
    DBGrid1->AgregaColumna(campo, titulo.isEmpty() ? campo : titulo);
  }
}

void TFormaSQL::HabilitaPaginas() {
  const bool activa = Query1->Active();
  BotonSiguiente->setEnabled(activa && !Query1->Eof());
  BotonAnterior->setEnabled(activa && !Query1->Bof());
}

void TFormaSQL::PaginaResultadoSQL(int direccion) {
  if (!Query1->Active()) return;
  try {
    Query1->MoveBy(direccion * kRenglonesPorSalto);
  } catch (const plat::Error&) {
    // A failed move leaves the page as it was.
  }
  HabilitaPaginas();
}

void TFormaSQL::BotonAnteriorClick() { PaginaResultadoSQL(-1); }

void TFormaSQL::BotonSiguienteClick() { PaginaResultadoSQL(1); }

void TFormaSQL::DBGrid1TitleClick(int columna) {
  if (columna < 0 || columna >= DBGrid1->Columnas()) return;
  TFormaTipos tipos;
  tipos.SetTag(0);
  tipos.ShowModal();
  if (tipos.Tag() != 1) return;
  QChar letra = u' ';
  if (tipos.Numero->isChecked()) letra = u'n';
  if (tipos.Moneda->isChecked()) letra = u'm';
  if (tipos.Cadena->isChecked()) letra = u'c';
  if (tipos.NoVisible->isChecked()) letra = u'i';
  if (columna < kColumnas) TiposColumnaSQL[static_cast<size_t>(columna)] = letra;
  switch (letra.unicode()) {
    case u'c': DBGrid1->SetColorTitulo(columna, kColorCadena); break;
    case u'm': DBGrid1->SetColorTitulo(columna, kColorMoneda); break;
    case u'n': DBGrid1->SetColorTitulo(columna, kColorNumero); break;
    case u'i': DBGrid1->SetColumnaVisible(columna, false); break;
    default: break;
  }
}

int TFormaSQL::PaginasResultadoSQL(qint64 renglones) const {
  return PaginasImpresion(renglones, print::Impresora::Global().orientacion());
}

void TFormaSQL::BotonImprimirClick() {
  if (!ImpresoraLista()) return;
  if (!Query1->Active() || Query1->IsEmpty() || DBGrid1->Columnas() == 0) {
    MuestraMensaje(QStringLiteral("No hay datos que imprimir"));
    return;
  }
  const int paginas = PaginasResultadoSQL(Query1->RecordCount());
  Imprimir->MinPage = 1;
  Imprimir->MaxPage = paginas;
  Imprimir->FromPage = 1;
  Imprimir->ToPage = paginas;
  if (!Imprimir->Execute()) return;
  try {
    ImprimeResultadoSQL(Imprimir->FromPage, Imprimir->ToPage);
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}

void TFormaSQL::ImprimeResultadoSQL(int primera, int ultima) {
  TrabajoImpresion trabajo(windowTitle());
  trabajo.Comienza();
  print::Impresora& impresora = trabajo.Impresora();
  const EscalaFranjas escala = EscalaFranjas::De(impresora);
  // The visible columns, by their fields' display widths.
  QVector<int> deRejilla, anchos;
  std::vector<ColumnaFranja> columnas;
  for (int i = 0; i < DBGrid1->Columnas(); ++i) {
    const ui::ColumnaDatos c = DBGrid1->Columna(i);
    if (!c.visible) continue;
    const db::Campo* campo = &Query1->FieldByName(c.campo);
    deRejilla << i;
    anchos << AnchoMostrado(*campo);
    columnas.push_back({QString(), anchos.back(), [campo] { return campo->AsString(); }});
  }
  const std::vector<Franja> franjas = CortaFranjas(anchos, escala.presupuesto);
  // The column opening each further strip is shown in red and marked.
  for (size_t f = 1; f < franjas.size(); ++f) {
    const int i = deRejilla[franjas[f].primera];
    const ui::ColumnaDatos c = DBGrid1->Columna(i);
    DBGrid1->SetColorColumna(i, kColorCorte, c.negrita);
    if (!c.titulo.endsWith(kMarcaCorte)) DBGrid1->SetTituloColumna(i, c.titulo + kMarcaCorte);
  }
  // Titles as the grid shows them now, marks included.
  for (size_t k = 0; k < columnas.size(); ++k) {
    const ui::ColumnaDatos c = DBGrid1->Columna(deRejilla[static_cast<int>(k)]);
    columnas[k].titulo = c.titulo.isEmpty() ? c.campo : c.titulo;
  }
  ImprimeFranjas(*Query1, columnas, franjas, primera, ultima, escala, impresora,
                 [&](int x, int renglon, int ancho, const QString& texto, int columna) {
                   const int i = deRejilla[columna];
                   const db::Campo* campo = renglon == 0 ? nullptr : &Query1->FieldByName(DBGrid1->Columna(i).campo);
                   ImprimeCeldaSQL(x, renglon, ancho, texto, campo, i, escala.unidad, escala.alto);
                 });
  trabajo.Termina();
}

void TFormaSQL::ImprimeCeldaSQL(int x, int y, int ancho, const QString& texto, const db::Campo* campo, int columna,
                                int unidadColumna, int unidadRenglon) {
  print::Lienzo& lienzo = print::Impresora::Global().lienzo();
  lienzo.fuente() = print::Fuente();
  lienzo.fuente().nombre = QStringLiteral("Arial");
  lienzo.fuente().color = Qt::black;
  if (DBGrid1->font().pointSize() > 0) lienzo.fuente().tamano = DBGrid1->font().pointSize();
  lienzo.pluma().grosor = 2;
  lienzo.pluma().color = Celdas1->isChecked() ? QColor(Qt::black) : QColor(Qt::white);
  lienzo.brocha().color = Qt::white;
  lienzo.Rectangulo(x * unidadColumna, y * unidadRenglon + 10, (x + ancho) * unidadColumna + 10,
                    (y + 1) * unidadRenglon + 10);
  QString escrito = texto;
  int desplazamiento = 0;
  if (campo && EsReal(campo->Tipo())) {
    if (const std::optional<Dinero> valor = Dinero::Lee(texto)) {
      const QChar letra = columna < kColumnas ? TiposColumnaSQL[static_cast<size_t>(columna)] : QChar(u' ');
      if (letra == u'm') escrito = FormatoMascara(QStringLiteral("###,###,##0.00"), *valor);
      else if (letra == u'n') escrito = FormatoMascara(QStringLiteral("###,###,##0"), *valor);
      else if (letra != u'c') escrito = FormatoMascara(QStringLiteral("###,###,##0.00"), *valor);
      desplazamiento = ancho * unidadColumna - lienzo.AnchoTexto(escrito) - 15;
    }
  }
  lienzo.Texto(x * unidadColumna + 5 + desplazamiento, (y + 1) * unidadRenglon - 50, escrito);
}

void TFormaSQL::BitBtn4Click() {
  if (!Query1->Active()) return;
  DialogoGuarda->FileName = QString();
  DialogoGuarda->Filter = kFiltroHojaCalculo;
  DialogoGuarda->DefaultExt = QString();
  if (!DialogoGuarda->Execute()) return;
  // Written under the name given: ".xls" (or ".xlsx") makes a workbook, any
  // other name the tab-separated text; nothing is added to it.
  try {
    ExportaRejilla(*DBGrid1, hoja::NombreHoja(DialogoGuarda->FileName, false));
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}

void TFormaSQL::Sumar1Click() { SumaColumnaRejilla(*DBGrid1); }
