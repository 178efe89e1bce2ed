#include "purchasing/ReportesCompras.h"

#include "formats/ImporteLetra.h"
#include "formats/Interprete.h"
#include "formats/edicion.h"
#include "foundation/ImprimeDocumento.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_tablas.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_texto.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "pos/CaptuRap_comun.h"
#include "purchasing/Compras.h"
#include "reports/Consulta.h"
#include "reports/Formatos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace {

// The four currency texts of the document's currency, for the amount in
// words of the format.
void FijaMonedaCompra(TFormaCompras& v) {
  const QString moneda = v.EditDIVIS_O->currentText();
  std::array<QString, 4> textos;
  for (int n = 0; n < 4; ++n) TextoMoneda(moneda, n + 1, textos[n]);
  FijaTextosMoneda(textos[0], textos[1], textos[2], textos[3]);
}

// Connects a menu item (and a button) to a command run under the default
// handler, and makes it usable from now on.
template <class Fn>
void Une(TFormaCompras& v, QAction* item, Fn fn) {
  item->setProperty("pendiente", false);
  item->setEnabled(true);
  ui::Conecta(item, &QAction::triggered, &v, [fn] { ui::Protege(fn); });
}
template <class Fn>
void Une(TFormaCompras& v, QToolButton* boton, Fn fn) {
  ui::Conecta(boton, &QToolButton::clicked, &v, [fn] { ui::Protege(fn); });
}

}  // namespace

ContextoReporteCompra ContextoDeCompras(TFormaCompras& v) {
  ContextoReporteCompra x;
  x.lugar.encabezado = v.TablaComprasE->NombreTabla();
  x.lugar.partidas = v.TablaComprasD->NombreTabla();
  x.lugar.carpetas = CarpetasEmpresa();
  x.hoy = fs::Hoy();
  x.numeroEncabezado = ValorActualReporte(*v.TablaComprasE, QStringLiteral("CLDOC_O"));
  x.numeroPartida = ValorActualReporte(*v.TablaComprasD, QStringLiteral("CLDOC_OD"));
  x.proveedor = ValorActualReporte(*v.TablaComprasE, QStringLiteral("CLPRV_O"));
  x.proveedorRecepcion = x.proveedor;
  return x;
}

void ImprimeCompra(TFormaCompras& v) {
  // The print layer answers ready always; a printer that fails tells so
  // when the job is written.
  ImpresoraLista();
  FijaUsuarioImpresion(v.Usuario->text());
  FijaMonedaCompra(v);
  EjecutaFormato(v.TablaComprasE, v.TablaDeta, v.FormatoCompra, u'i');
  db::Tabla& e = *v.TablaComprasE;
  if (!e.Active() || e.IsEmpty()) return;
  // Marked printed: edit, post, and a document in capture is put into edit
  // again, its row still held by the change; a document browsed is left
  // browsing, so no other station waits on its lock.
  const bool enCaptura = Editando(e);
  e.Edit();
  try {
    e.FieldByName(QStringLiteral("TDOCU_O")).SetAsString(QStringLiteral("I"));
    e.Post();
  } catch (...) {
    // What is being captured in the header stays as it was typed.
    if (!enCaptura) e.Cancel();
    throw;
  }
  if (enCaptura) e.Edit();
}

void VistaPreviaCompra(TFormaCompras& v) {
  FijaUsuarioImpresion(v.Usuario->text());
  FijaMonedaCompra(v);
  // A missing format is told and the preview opens empty; the print it
  // answers does not mark the document.
  VistaPreviaFormato(v.TablaComprasE, v.TablaDeta, v.FormatoCompra);
}

void EligeFormatoCompra(TFormaCompras& v) { EligeFormato(v.FormatoCompra); }

void DisenaFormatoCompra() {
  TFormaFormatos dialogo;
  dialogo.Rangos->hide();
  dialogo.Formatos->show();
  dialogo.BotonEdicionClick();
}

void ImprimePlantillaCompra(TFormaCompras& v) {
  ImprimeVentana(v.grab().toImage(), v.size(), v.logicalDpiX(), v.windowTitle());
}

void MuestraConsultaTabla(QWidget* padre, const QString& carpetaDatos, const QString& tabla, const QString& campos,
                          const std::function<void(TFormaConsulta&)>& vistas) {
  TFormaConsulta consulta(padre);
  ApuntaTabla(*consulta.TablaConsulta, tabla, db::Carpetas{carpetaDatos, {}, {}, {}});
  AbreTabla(*consulta.TablaConsulta);
  if (consulta.TablaConsulta->Active()) {
    consulta.TablaConsulta->First();
    consulta.TablaConsulta->Last();
    consulta.TablaConsulta->First();
  }
  consulta.numcampo->setText(QStringLiteral("0"));
  vistas(consulta);
  PreparaConsulta(campos, QString());
  consulta.ShowModal();
}

void CargaVistasLista(TFormaConsulta& consulta, const QString& carpetaDatos, const QString& lista,
                      const QString& copia, const QString& etiqueta) {
  const QString ruta = fs::Une(carpetaDatos, QStringLiteral("report\\") + lista);
  if (!fs::ExisteArchivo(ruta)) return;
  consulta.CargaListaVistas(ruta, fs::Une(carpetaDatos, QStringLiteral("report\\") + copia));
  consulta.Archi->setText(etiqueta);
}

void CargaConsultasCompras(TFormaConsulta& consulta, const QString& carpetaDatos) {
  CargaVistasLista(consulta, carpetaDatos, QStringLiteral("comprase.for"), QStringLiteral("Cliente2.for"),
                   QStringLiteral("Comprase.for"));
}

void ConsultasCompras(TFormaCompras& v) {
  const QString datos = v.RutaDatosCompras;
  MuestraConsultaTabla(&v, datos, QStringLiteral("comprase.dbf"), QStringLiteral("comprase.dbf"),
                       [&datos](TFormaConsulta& c) { CargaConsultasCompras(c, datos); });
}

void EjecutaReporteCompra(TFormaCompras& v, const FilaReporteCompra& fila) {
  const ArgumentosReporteCompra a = ArgumentosDeFilaCompra(fila, ContextoDeCompras(v));
  CorreGuion(a, a.datos == DatosReporteCompra::Partidas ? *v.TablaComprasD : *v.TablaComprasE);
  v.MuestraCompraActual();
}

void EjecutaReporteCompras(db::Tabla& datos, const ParametrosReporteCompras& parametros) {
  EjecutaReporteCatalogo(datos, parametros);
}

void ConsecutivoDocumentosCompras(TFormaCompras& v) {
  // Always the receipts, whatever kind the window shows.
  db::Tabla recepciones;
  ApuntaTabla(recepciones, QStringLiteral("comprase.dbf"));
  AbreTabla(recepciones);
  if (!recepciones.Active()) return;
  recepciones.SetIndexName(kTagEncabezadoCompra);
  ParametrosReporteCompras p;
  p.Tabla = QStringLiteral("comprase.dbf");
  p.CampoRango = QStringLiteral("CLDOC_O");
  p.Nombre = v.ConsecutivodeDocumentos1->text().remove(u'&');
  p.Fechas = true;
  p.PorMoneda = true;
  p.CampoFecha = QStringLiteral("FEDOC_O");
  p.FechasDelDialogo = true;
  p.TituloLlave = QStringLiteral("Cliente");
  p.Llave = QStringLiteral("CLDOC_O");
  p.TituloTexto = QStringLiteral("Nombre");
  p.Texto = QStringLiteral("NOMBR_O");
  p.Columnas[0] = QStringLiteral("IMDOC_O");
  p.Columnas[1] = QStringLiteral("SUBTO_O");
  p.Columnas[2] = QStringLiteral("IMPMO_O");
  p.Titulos[0] = QStringLiteral("Importe");
  p.Titulos[1] = QStringLiteral("SubTotal");
  p.Titulos[2] = QStringLiteral("Impuesto");
  p.ColumnaMoneda = QStringLiteral("MONED_O");
  p.CampoCondicion = QStringLiteral("STDOC_O");
  p.EjeInferior = QStringLiteral("Número de Documento");
  p.EjeIzquierdo = QStringLiteral("Total por Documento");
  EjecutaReporteCompras(recepciones, p);
}

void InstalaReportesCompras(TFormaCompras& v) {
  TFormaCompras* w = &v;
  Une(v, v.Imprimir1, [w] { ImprimeCompra(*w); });
  Une(v, v.BotonImprimir, [w] { ImprimeCompra(*w); });
  Une(v, v.PresentacionPreliminar1, [w] { VistaPreviaCompra(*w); });
  Une(v, v.BotonPreliminar, [w] { VistaPreviaCompra(*w); });
  v.BotonPreliminar->setEnabled(true);
  Une(v, v.EligeFormato1, [w] { EligeFormatoCompra(*w); });
  Une(v, v.DisenaFormato1, [] { DisenaFormatoCompra(); });
  Une(v, v.ImprimePlantilla1, [w] { ImprimePlantillaCompra(*w); });
  Une(v, v.Consultas1, [w] { ConsultasCompras(*w); });
  for (const FilaReporteCompra& fila : FilasReporteCompras()) {
    QAction* item = v.MainMenu1->findChild<QAction*>(QString::fromLatin1(fila.clave));
    if (item) Une(v, item, [w, &fila] { EjecutaReporteCompra(*w, fila); });
  }
  Une(v, v.ConsecutivodeDocumentos1, [w] { ConsecutivoDocumentosCompras(*w); });
}
