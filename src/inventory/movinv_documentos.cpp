// The movement window's documents: opening its tables, showing a document
// and moving between documents, the search, loading a document into the
// capture table, deleting one, its log, observations and printing.

#include "formats/Interprete.h"
#include "formats/edicion.h"
#include "foundation/adminis.h"
#include "foundation/buscar.h"
#include "foundation/dialogos.h"
#include "foundation/observa.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_tablas.h"
#include "inventory/DocumentoMovimiento.h"
#include "inventory/Inven.h"
#include "inventory/RegistroMovimiento.h"
#include "inventory/RegistroProducto.h"
#include "inventory/movinv.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/ControlesDatos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace {

const QString kCampoNumeroDocumentos = QStringLiteral("CLDOC_MI");
const QString kFiltroCantidad = QStringLiteral("CANTI_MI > 0");

}  // namespace

void TFormaMovimientosInventario::AbreTablasMovimientos() {
  LeeLineaConfig(ConfCarpetaDatos, carpetaDatos_);
  const db::Carpetas carpetas = CarpetasEmpresa();
  for (db::Tabla* tabla : {Tablamovinve, TablaInventario, TablaConcepto, TablaKardex, TablaDeta}) {
    tabla->Close();
    if (tabla == TablaDeta) tabla->SetCarpeta(carpetaPrograma_);
    else ApuntaTabla(*tabla, carpetas);
    AbreTabla(*tabla);
  }
  QString negativas;
  LeeLineaConfig(ConfExistenciasNegativas, negativas);
  existenciasNegativas_ = negativas.isEmpty() ? QChar() : negativas[0];
}

void TFormaMovimientosInventario::TablaCompleta() {
  Tablamovinve->CancelRange();
  Tablamovinve->SetFiltered(false);
  Tablamovinve->SetIndexName(kTagDocumentoMovimiento);
}

void TFormaMovimientosInventario::MuestraDocumento(Llegada llegada) {
  db::Tabla& t = *Tablamovinve;
  if (!t.IsEmpty()) numeroDocumento_ = t.FieldByName(kCampoNumeroDocumentos).AsInteger();
  t.SetRange({numeroDocumento_}, {numeroDocumento_});
  t.SetFilter(kFiltroCantidad);
  t.SetFiltered(true);
  if (llegada == Llegada::Navegacion) QuitaProvisionales(t, numeroDocumento_);
  EnlazaCabecera();
  if (llegada == Llegada::Busqueda) return;
  const bool hay = !t.IsEmpty();
  // An initial inventory keeps the header of the document shown before it.
  if (llegada == Llegada::Apertura || !hay || InventarioInicial->isChecked() ||
      t.FieldByName(QStringLiteral("TIMOV_MI")).AsInteger() != ConceptoInventarioInicial) {
    if (hay) EditAlmacen->setValue(static_cast<int>(t.FieldByName(QStringLiteral("NALMA_MI")).AsInteger()));
    MuestraNombreConcepto();
  }
  if (llegada != Llegada::Apertura && CalculaCantidad1->isChecked()) TotalizaMovimientos();
}

void TFormaMovimientosInventario::EnlazaCabecera() {
  // A document with no line to show shows an empty header, not the row the
  // table's cursor happens to rest on.
  const bool vacia = !Capturando() && Tablamovinve->Active() && Tablamovinve->IsEmpty();
  db::Dataset* datos = vacia ? nullptr : Tablamovinve;
  if (DataSource1->DataSet() != datos) DataSource1->SetDataSet(datos);
}

void TFormaMovimientosInventario::MuestraNombreConcepto() {
  const QString texto = EditTIMOV_MI->text().trimmed();
  bool numero = false;
  const qint64 concepto = texto.toLongLong(&numero);
  const bool existe = numero && TablaConcepto->Active() && TablaConcepto->FindKey({concepto});
  TIPMOV->setText(existe ? TablaConcepto->FieldByName(QStringLiteral("DECON_CM")).AsString() : kConceptoNoDefinido);
}

void TFormaMovimientosInventario::BotonprimeroClick() {
  TablaCompleta();
  Tablamovinve->First();
  MuestraDocumento(Llegada::Navegacion);
}

void TFormaMovimientosInventario::BotonultimoClick() {
  TablaCompleta();
  Tablamovinve->Last();
  MuestraDocumento(Llegada::Navegacion);
}

void TFormaMovimientosInventario::BotonsiguienteClick() {
  // The first row past the document; after the last document, the last.
  TablaCompleta();
  Tablamovinve->FindNearest({numeroDocumento_ + 1});
  MuestraDocumento(Llegada::Navegacion);
}

void TFormaMovimientosInventario::BotonanteriorClick() {
  // The row before the document's first one.
  TablaCompleta();
  Tablamovinve->FindNearest({numeroDocumento_});
  if (!Tablamovinve->Eof()) Tablamovinve->Prior();
  MuestraDocumento(Llegada::Anterior);
}

void TFormaMovimientosInventario::NoAlmacenChange() {
  // While a document is captured its provisional row stays where it is.
  if (Capturando() || !Tablamovinve->Active()) return;
  try {
    TablaCompleta();
    Tablamovinve->FindNearest({numeroDocumento_});
    MuestraDocumento(Llegada::Navegacion);
  } catch (const std::exception&) {
    MuestraMensaje(kAlmacenNoExiste);
  }
}

void TFormaMovimientosInventario::BotonBuscarClick() {
  TFormaBusqueda busqueda;
  busqueda.Clave->setText(QStringLiteral("Por Documento (F1)"));
  busqueda.Nombre->hide();
  busqueda.ShowModal();
  // Esc leaves no option chosen.
  if (!busqueda.Clave->isChecked()) return;
  try {
    bool numero = false;
    const qint64 documento = busqueda.CajaBuscar->text().trimmed().toLongLong(&numero);
    if (!numero) throw plat::Error(plat::Clase::Conversion, kErrorBusquedaMovimiento);
    TablaCompleta();
    Tablamovinve->FindNearest({documento});
    MuestraDocumento(Llegada::Busqueda);
    CargaDocumentoCaptura();
  } catch (const std::exception&) {
    MuestraMensaje(kErrorBusquedaMovimiento);
  }
}

void TFormaMovimientosInventario::CargaDocumentoCaptura() {
  db::Tabla& t = *Tablamovinve;
  VaciaCaptura(false);
  QuitaProvisionales(t, numeroDocumento_);
  // From the document's last row back to its first.
  for (t.Last(); !t.IsEmpty();) {
    TRegistroMovimientoInventario m;
    m.Lee(t);
    TPartidaCapturaMovimiento p;
    p.CANTIDAD = m.CANTI_MI;
    p.CLAVE = m.CLPRO_MI;
    p.DESCRIPCION = m.DESCR_MI;
    p.COSTO = m.COSUN_MI;
    p.PRECIO = m.PUNIT_MI;
    p.EMPAQUE = m.EMPAQUE;
    p.CADUCIDAD = m.CADUC_MI;
    if (m.TIMOV_MI) {
      const std::optional<Dinero> unitario = EsEntrada(static_cast<int>(*m.TIMOV_MI)) ? m.COSUN_MI : m.PUNIT_MI;
      p.IMPORTE = unitario.value_or(Dinero()) * m.CANTI_MI.value_or(0);
    }
    TablaDeta->Append();
    p.Escribe(*TablaDeta);
    TablaDeta->Post();
    t.Prior();
    if (t.Bof()) break;
  }
  t.First();
}

void TFormaMovimientosInventario::Eliminar1Click() {
  TFormaAdministrador clave;
  clave.ShowModal();
  if (clave.Tag() != 1) return;
  // The rows in view: the shown document's lines. Stock and totals stay.
  db::Tabla& t = *Tablamovinve;
  for (t.First(); !t.IsEmpty();) {
    RegistraBorrado(t);
    t.Delete();
  }
  EnlazaCabecera();
}

void TFormaMovimientosInventario::Bitacora1Click() {
  if (Usuario->text() != u"0") return;
  const QString ruta = ArchivoHistorial(carpetaDatos_, u'M', QString::number(numeroDocumento_));
  if (!fs::ExisteArchivo(ruta)) return;
  MuestraArchivoBitacora(nullptr, ruta);
}

void TFormaMovimientosInventario::BotonObservacionClick() {
  EditaObservaciones(QString::number(numeroDocumento_), QStringLiteral("MI"), CarpetaDeTabla(kTablaObservaciones));
}

void TFormaMovimientosInventario::BotonImprimirClick() {
  if (Capturando()) {
    MuestraMensaje(kNecesarioGuardar);
    return;
  }
  QString archivo;
  LeeLineaConfig(ConfFormatoMovimientos, archivo);
  const QString formato = carpetaPrograma_ + QStringLiteral("\\consulta\\") + archivo;
  if (!fs::ExisteArchivo(formato)) {
    MuestraMensaje(QStringLiteral("El Formato ") + formato + QStringLiteral(" No Existe"));
    return;
  }
  FijaUsuarioImpresion(Usuario->text());
  EjecutaFormato(Tablamovinve, Tablamovinve, formato, u'i');
  Tablamovinve->First();
}

void TFormaMovimientosInventario::BotonPreliminarClick() {
  if (Capturando()) {
    MuestraMensaje(kNecesarioGuardar);
    return;
  }
  FijaUsuarioImpresion(Usuario->text());
  VistaPreviaFormato(Tablamovinve, Tablamovinve, formato_);
  Tablamovinve->First();
}
