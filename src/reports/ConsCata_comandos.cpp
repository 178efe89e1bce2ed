// The browser's commands on its table: search, order, filter, column kinds,
// sum, export and the drill-down into the record windows.

#include "reports/ConsCata.h"

#include "foundation/HojaCalculo.h"
#include "foundation/buscar.h"
#include "foundation/dialogos.h"
#include "foundation/dinero.h"
#include "foundation/rutinas_catalogo.h"
#include "foundation/rutinas_numero.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/hoja/Hoja.h"
#include "platform/ui/DialogoArchivo.h"
#include "platform/ui/RejillaDatos.h"
#include "reports/Filtros.h"
#include "reports/OrdenPor.h"
#include "reports/Tipos.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

// ConsCata.cpp
const AperturaCatalogo* AperturaRegistradaCatalogo(const QString& tabla);
const BusquedaProductoCatalogo& BusquedaProductoRegistrada();

namespace {

const QString kClientes = QStringLiteral("cliente.dbf");
const QString kReceptoras = QStringLiteral("cucobrar.dbf");
const QString kMascaraSuma = QStringLiteral("##,###,##0.00");
// The old engine read numbers of up to four digits without decimals as
// small integers, which it sums; wider whole numbers it does not.
constexpr int kAnchoEnteroCorto = 4;

bool EsNumero(db::TipoDato tipo) {
  return tipo == db::TipoDato::Entero || tipo == db::TipoDato::Flotante || tipo == db::TipoDato::Moneda;
}

bool EsSumable(const db::Campo& campo) {
  return campo.Tipo() == db::TipoDato::Flotante ||
         (campo.Tipo() == db::TipoDato::Entero && campo.Ancho() <= kAnchoEnteroCorto);
}

}  // namespace

// --- Search.

void TFormaCatalogo::BotonBuscarClick() {
  if (TablaConsulta->IndexName().isEmpty()) {
    MuestraMensaje(kSinIndice);
    return;
  }
  TFormaBusqueda busqueda;
  const bool clientes = TablaConsulta->NombreTabla().toLower() == kClientes;
  if (clientes) busqueda.Direccion->show();
  busqueda.ShowModal();
  if (clientes) {
    TablaConsulta->SetIndexName(busqueda.Clave->isChecked()    ? QStringLiteral("ICLACLI")
                                : busqueda.Nombre->isChecked() ? QStringLiteral("NOMBR_C")
                                                               : QStringLiteral("DIREC_C"));
  }
  TablaConsulta->FindNearest({busqueda.CajaBuscar->text()});
}

void TFormaCatalogo::BusquedaAvanzada1Click() {
  if (!EsInventario()) return;
  TablaConsulta->SetIndexName(QStringLiteral("iclpro"));
  const BusquedaProductoCatalogo& busqueda = BusquedaProductoRegistrada();
  if (!busqueda) return;
  const QString inicial = TablaConsulta->IsEmpty() ? QString() : TablaConsulta->FieldByName("CLPRO_I").AsString();
  const QString clave = busqueda(inicial);
  if (!clave.isEmpty()) TablaConsulta->FindKey({clave});
}

// --- Order.

void TFormaCatalogo::BotonIndicesClick() {
  const QVector<db::DefTag> tags = TablaConsulta->IndexDefs();
  // The description of each index's key field in the table's block of the
  // field catalogue; an index without one is offered under its own name.
  int bloque = -1;
  try {
    bloque = PosicionTablaCatalogo(TablaConsulta->NombreTabla());
  } catch (const plat::Error&) {
  }
  QString nombres, descripciones;
  for (const db::DefTag& tag : tags) {
    QString descripcion = tag.nombre;
    for (int e = 1; bloque >= 0 && e < kRegistrosPorTabla; ++e) {
      QString campo;
      DatoCatalogoCampos(bloque * kRegistrosPorTabla + e, 1, campo);
      if (!campo.isEmpty() && campo.compare(tag.expresion.trimmed(), Qt::CaseInsensitive) == 0) {
        DatoCatalogoCampos(bloque * kRegistrosPorTabla + e, 2, descripcion);
        break;
      }
    }
    nombres += tag.nombre + u',';
    descripciones += descripcion + u',';
  }
  TFormaOrdenarPor orden;
  QString indice;
  EligeOrdenTabla(nombres, descripciones, indice);
  if (orden.Tag() == 1 && !indice.isEmpty()) TablaConsulta->SetIndexName(indice);
}

// --- Filter.

void TFormaCatalogo::BotonOrdenClick() {
  TFormaFiltros filtros;
  DesglosaFiltrosCatalogo({});
  CargaCamposFiltro(TablaConsulta->NombreTabla().toLower());
  filtros.SetTag(0);
  filtros.ShowModal();
  // The filter in force goes; the new one, when accepted and sound, comes.
  TablaConsulta->SetFiltered(false);
  if (filtros.Tag() != 1) return;
  DesglosaFiltrosCatalogo(LeeFiltrosCatalogo());
  if (TablaConsulta->NombreTabla() != kReceptoras && !RevisaFiltrosCatalogo(*TablaConsulta)) {
    MuestraMensaje(kValorErroneo);
    return;
  }
  TablaConsulta->SetFiltered(true);
}

// --- Column kinds.

void TFormaCatalogo::TituloClick(int columna) {
  if (columna < 0 || columna >= DetalleCatalogo->Columnas()) return;
  TFormaTipos tipos;
  tipos.ShowModal();
  if (tipos.Tag() != 1) return;
  const ui::ColumnaDatos c = DetalleCatalogo->Columna(columna);
  if (tipos.Cadena->isChecked()) {
    DetalleCatalogo->SetColorTitulo(columna, kColorCadena);
  } else if (tipos.NoVisible->isChecked()) {
    // The field is hidden, in every column that shows it.
    for (int i = 0; i < DetalleCatalogo->Columnas(); ++i)
      if (DetalleCatalogo->Columna(i).campo.compare(c.campo, Qt::CaseInsensitive) == 0)
        DetalleCatalogo->SetColumnaVisible(i, false);
  } else if (tipos.Moneda->isChecked() || tipos.Numero->isChecked()) {
    const db::Campo* campo = CampoColumna(columna);
    if (!campo || !EsNumero(campo->Tipo()) || campo->Tipo() == db::TipoDato::Moneda) {
      MuestraMensaje(kNoNumerica);
      return;
    }
    DetalleCatalogo->SetColorTitulo(columna, tipos.Moneda->isChecked() ? kColorMoneda : kColorNumero);
    const QString titulo = c.titulo.isEmpty() ? c.campo : c.titulo;
    if (tipos.AcumulaNumerico->isChecked() && !titulo.startsWith(u'+'))
      DetalleCatalogo->SetTituloColumna(columna, u'+' + titulo);
  }
}

// --- Sum.

void TFormaCatalogo::Sumar1Click() {
  const db::Campo* campo = CampoColumna(DetalleCatalogo->SelectedIndex());
  if (!campo || !EsSumable(*campo)) {
    MuestraMensaje(kNoSumable);
    return;
  }
  Dinero suma;
  for (TablaConsulta->First(); !TablaConsulta->Eof(); TablaConsulta->Next())
    suma += Dinero::DeReal(campo->AsFloat());
  MuestraMensaje(QStringLiteral("La suma es = ") + FormatoImporte(kMascaraSuma, suma.Texto(), QString()));
}

// --- Export.

void TFormaCatalogo::BotonBordesClick() {
  if (!TablaConsulta->Active()) return;
  if (!DialogoGuarda->Execute()) return;
  const QString tecleado = DialogoGuarda->FileName;
  // A name whose fourth character from the end is not a point gets the
  // spreadsheet's extension; the file replaces any of that name.
  const QString archivo = fs::NombreArchivo(tecleado);
  const bool agrega = archivo.size() < 4 || archivo[archivo.size() - 4] != u'.';
  const QString nombre = hoja::NombreHoja(tecleado, agrega);
  hoja::Hoja salida(nombre);
  for (TablaConsulta->First(); !TablaConsulta->Eof(); TablaConsulta->Next()) {
    hoja::Fila fila;
    for (int i = 0; i < TablaConsulta->FieldCount(); ++i) {
      const db::Campo& campo = TablaConsulta->Fields(i);
      fila << hoja::Celda{campo.AsString(), EsNumero(campo.Tipo()) ? hoja::Tipo::Numero : hoja::Tipo::Texto};
    }
    salida.Agrega(fila, true);
  }
  salida.Cierra();
  AbreHojaCalculo(nombre);
}

// --- Drill-down.

void TFormaCatalogo::DetalleCatalogoDblClick() {
  if (!TablaConsulta->Active() || TablaConsulta->IsEmpty()) return;
  const AperturaCatalogo* apertura = AperturaRegistradaCatalogo(TablaConsulta->NombreTabla());
  if (!apertura) return;
  RegistroCatalogo registro;
  const QVector<int> visibles = ColumnasVisibles();
  if (!visibles.isEmpty()) registro.clave = TextoColumna(visibles.first());
  registro.cuartaColumna = TextoColumna(3);
  registro.usuario = Usuario->text();
  (*apertura)(registro);
}
