// The purchase window's Save and Change commands, the save of the close
// question, the save left unfinished by a crash (finished when the window
// next claims its capture table), the key check before a save, the previous
// quantities of a change, the price policy window of a line, the positioning
// from the catalogue browser and the buffer files.
//
// The save itself is GuardaCompra.h's unit of work; this file fixes its plan
// from what the window shows and puts the window back in browse state.

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_tablas.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/ConPro.h"
#include "inventory/RegistroProducto.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "pos/CaptuRap_comun.h"
#include "foundation/UnidadTrabajo.h"
#include "purchasing/BuferCompra.h"
#include "purchasing/CancelaCompra.h"
#include "purchasing/Compras.h"
#include "purchasing/GuardaCompra.h"
#include "purchasing/PoliticaCompras.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>

namespace {

const QString kFaltaNumero = QStringLiteral("Falta el Número de Documento");
const QString kSinConexion = QStringLiteral("No es Posible Guardar los Datos...error de conexión...") + QChar(u'\r') +
                             QStringLiteral(" Se Recomienda revisar su red y REINICIAR EL PROGRAMA");
const QString kModificadoPorOtro = QStringLiteral("Este documento esta siendo Modificado por otro usuario...");
const QString kPendiente = QStringLiteral("No se pudo terminar de guardar la compra %1: %2");
const QString kNoEncontrada = QStringLiteral("No se encontro esta CLAVE ");

using plat::TextoError;

QString Campo(const db::Dataset& d, const char* campo) { return d.FieldByName(QString::fromLatin1(campo)).AsString(); }
double RealGuardar(const db::Dataset& d, const char* campo) { return d.FieldByName(QString::fromLatin1(campo)).AsFloat(); }

// What the save tells and asks through the window.
AvisosCompra AvisosDeVentana(TFormaCompras& v) {
  AvisosCompra a;
  a.mensaje = [](const QString& texto) { MuestraMensaje(texto); };
  a.politica = [&v](const QString& clave) { v.MuestraPoliticaCompra(clave); };
  a.formula = [&v](db::Dataset& producto) {
    QStringList resultado;
    const double precio = EvaluaFormulaCosto(v.MemoFormula->toPlainText().split(u'\n'), resultado, *v.TablaDeta,
                                             *v.TablaComprasE, producto);
    v.MemoResultado->setPlainText(resultado.join(u'\n'));
    return precio;
  };
  return a;
}

// The plan of the document on screen: the header row as the window holds
// it with what the header writer stores, the kind's tables and switches.
PlanCompra PlanDeVentana(TFormaCompras& v, bool nuevo) {
  db::Tabla& e = *v.TablaComprasE;
  PostPendiente(*v.TablaDeta);
  v.CalculaTotalesCompra();
  const TipoCompra* tipo = TipoCompraDe(v.TextoTipoCompra);
  if (!tipo) tipo = TipoCompraDe(u'R');
  const bool recepcion = tipo->letra == u'R';

  PlanCompra plan;
  PlanGuardado& p = plan.base;
  p.tipo = tipo->texto;
  p.letra = tipo->letra;
  p.modo = nuevo ? PlanGuardado::Modo::Nuevo : PlanGuardado::Modo::Cambio;
  p.controlAnterior = e.FieldByName(QStringLiteral("CONTROL")).AsInteger();
  // A changed receipt keeps its control number; anything else draws one.
  if (nuevo || !recepcion || v.ControlCompra == 0) v.ControlCompra = NumeroControlCompra();
  p.control = v.ControlCompra;
  p.registro = nuevo ? 0 : e.RecNo();
  p.LeeEncabezado(e);
  const TotalesCompra& t = v.Totales;
  p.Fija(QStringLiteral("SUBTO_O"), t.SubtotalCompra.Real());
  p.Fija(QStringLiteral("IMPMO_O"), t.ImpuestoCompra.Real());
  p.Fija(QStringLiteral("IMDOC_O"), t.TotalCompra.Real());
  p.Fija(QStringLiteral("SALDO_O"), (t.TotalCompra - Dinero::DeReal(RealGuardar(e, "ABONO_O"))).Real());
  p.Fija(QStringLiteral("NOMBR_O"), v.Nombre->text());
  p.Fija(QStringLiteral("DIREC_O"), v.Direccion->text());
  p.Fija(QStringLiteral("POBLA_O"), v.Poblacion->text());
  p.Fija(QStringLiteral("CONTROL"), static_cast<qint64>(p.control));
  if (e.FindField(QStringLiteral("MONED_O"))) p.Fija(QStringLiteral("MONED_O"), v.EditDIVIS_O->currentText());
  p.Fija(QStringLiteral("TREGI_O"), v.NoDesglosado->isChecked() ? QStringLiteral("S") : QStringLiteral("N"));
  p.Fija(QStringLiteral("HORAF_F"), static_cast<qint64>(v.NumeroUsuario()));
  p.Fija(QStringLiteral("USUARIO"), v.Usuario->text());
  // The station's provisional row keeps the document as it was captured.
  if (nuevo) PostPendiente(e);

  p.usuario = v.NumeroUsuario();
  p.usuarioTexto = v.Usuario->text();
  p.carpetaDatos = v.RutaDatosCompras;
  p.carpetaEncabezado = v.TablaComprasD->Carpeta();
  p.tablaEncabezado = tipo->encabezado;
  p.carpetaPartidas = v.TablaComprasD->Carpeta();
  p.tablaPartidas = tipo->partidas;
  p.sinNegativos = v.Conf.ExistenciasNegativas == QStringLiteral("N");
  p.basesCerradas = v.Conf.BasesAbiertas == QStringLiteral("NO");
  p.bitacora = v.BitacoraCompras;
  // A return leaves its stock as an exit (concept 2).
  p.concepto = tipo->letra == u'D' ? 2 : v.ConceptoMovimientoCompra;
  p.movimientos = v.MovimientosCompra == u'S';
  if (!nuevo) p.totalAnterior = v.TotalAnteriorCompra;
  if (!nuevo && recepcion) {
    p.clavesReservadas = v.ClavesAnterioresCompra;
    p.cantidadesReservadas = v.CantidadesAnterioresCompra;
  }
  plan.carpetaPrograma = CarpetaPrograma(QString());
  plan.carpetaInventario = v.TablaInventario->Carpeta();
  LeeNombreUsuario(v.Usuario->text(), plan.carpetaPrograma, plan.nombreUsuario);
  plan.controlInicio = v.ControlInicioCompra;
  plan.calculaPrecios = v.Conf.CalculaPrecios;
  plan.costoMayor = v.PorCostoPromedio1->isChecked();
  plan.formula = v.Conf.FormulaCosto;
  plan.politica = v.Conf.PrecioEnCompra == QStringLiteral("S");
  plan.desdeOrden = recepcion && ui::Tag(v.TipoDocumento) == 1;
  plan.margenProveedor = recepcion ? v.MargenProveedorCompra : 0;
  return plan;
}

}  // namespace

void TFormaCompras::ConectaGuardadoCompra() {
  for (QAction* a : {Guardar1, Modificar1}) a->setProperty("pendiente", false);
  ui::Conecta(Guardar1, &QAction::triggered, this, [this] { BotonGuardarClick(); });
  ui::Conecta(BotonGuardar, &QToolButton::clicked, this, [this] { BotonGuardarClick(); });
  ui::Conecta(Modificar1, &QAction::triggered, this, [this] { BotonCambiosClick(); });
  ui::Conecta(BotonCambios, &QToolButton::clicked, this, [this] { BotonCambiosClick(); });
}

UnidadTrabajo& TFormaCompras::DiarioCompras() {
  if (!diarioCompras_) diarioCompras_ = std::make_shared<UnidadTrabajo>(CarpetaPrograma(QString()), kDiarioCompras);
  return *diarioCompras_;
}

void TFormaCompras::BotonGuardarClick() { GuardaDocumentoCompra(); }

bool TFormaCompras::GuardaDocumentoCompra() {
  if (guardandoCompra_) return false;
  UnidadTrabajo* diario = nullptr;
  try {
    diario = &DiarioCompras();
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
    return false;
  }
  // A save stopped by an error is finished first, as it began.
  if (diario->Pendiente()) {
    if (!PlanCancelacionCompra::De(diario->Inicio())) return ContinuaGuardadoCompra();
    // A cancel left unfinished is finished before this save starts.
    if (!TerminaGuardadoCompraPendiente()) return false;
  }
  const bool nuevo = EnAlta();
  if (!nuevo && !EnCambio()) return false;
  if (CarpetaNoDisponible(RutaDatosCompras)) {
    SinConexionAlGuardar();
    return false;
  }
  if (EditCLDOC_O->text().trimmed().isEmpty()) {
    MuestraMensaje(kFaltaNumero);
    return false;
  }
  // A date box holding a text the calendar does not have stops the save
  // before anything is written.
  if (!RevisaFechasCompra()) return false;
  // Where the document stands, to go back there when nothing was written.
  const QString carpeta = TablaComprasE->Carpeta(), tabla = TablaComprasE->NombreTabla();
  const qint64 registro = HayEncabezado() ? TablaComprasE->RecNo() : 0;
  try {
    DepuraClavesInexistentes();
    if (EditDIVIS_O->currentText().isEmpty() && EditDIVIS_O->count() > 0) EditDIVIS_O->setCurrentIndex(0);
    diario->Inicia(PlanDeVentana(*this, nuevo).Datos());
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return false;
  }
  if (ContinuaGuardadoCompra()) return true;
  if (!diario->Pendiente() && nuevo && TablaComprasE->NombreTabla() != tabla) {
    // Nothing reached the tables: the provisional header is edited again.
    try {
      TablaComprasE->Close();
      TablaComprasE->SetCarpeta(carpeta);
      TablaComprasE->SetNombreTabla(tabla);
      TablaComprasE->Open();
      if (registro > 0) TablaComprasE->VeARegistro(registro);
      TablaComprasE->Edit();
    } catch (const plat::Error&) {
    }
  }
  return false;
}

bool TFormaCompras::ContinuaGuardadoCompra() {
  UnidadTrabajo& u = *diarioCompras_;
  const PlanCompra plan = PlanCompra::De(u.Inicio());
  if (CarpetaNoDisponible(plan.base.carpetaDatos)) {
    // Nothing is written: the journal and the capture keep the document for
    // the next save once the folder is back. The window closes (the close
    // question that may be running closes it itself).
    SinConexionAlGuardar();
    if (!preguntaCierre_) Close();
    return false;
  }
  guardandoCompra_ = true;
  try {
    GuardadoCompra(u, plan, *TablaComprasE, *TablaComprasD, *TablaDeta, AvisosDeVentana(*this)).Ejecuta();
  } catch (const std::exception& e) {
    guardandoCompra_ = false;
    if (!u.HayEscrituras()) {
      // Nothing reached the tables: the document is still only captured.
      u.Termina();
    } else {
      // Part of it is written: Save finishes this same document.
      BloqueaEncabezadoCompra();
      HabilitaBotonesCompra(false, false, true, false, false, false, false);
    }
    ui::MuestraExcepcion(e);
    return false;
  }
  guardandoCompra_ = false;
  u.Termina();
  FinGuardadoCompra();
  return true;
}

void TFormaCompras::SinConexionAlGuardar() {
  MuestraMensaje(kSinConexion);
  CierraConsultaProductos();
  for (db::Tabla* t : {TablaInventario, TablaComprasE, TablaComprasD}) {
    try {
      t->Close();
    } catch (const plat::Error&) {
    }
  }
  SinConexionCompras = true;
}

void TFormaCompras::RefrescaTablasCompra() {
  const QString numero = EditCLDOC_O->text().trimmed().left(20);
  if (MovimientosCompra == u'S') {
    try {
      if (TablaMovimientosInventario->Active()) RefrescaTabla(*TablaMovimientosInventario);
    } catch (const plat::Error&) {
    }
  }
  try {
    for (db::Tabla* t : {TablaComprasE, TablaComprasD, TablaInventario, TablaCuPagar, TablaProveedor})
      if (t->Active()) RefrescaTabla(*t);
    if (TablaComprasE->Active() && !numero.isEmpty()) {
      TablaComprasE->SetIndexName(kTagEncabezadoCompra);
      TablaComprasE->FindKey({numero.toLongLong()});
    }
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
  }
}

void TFormaCompras::FinGuardadoCompra() {
  // A saved change lets its header row go.
  if (TablaComprasE->Active()) TablaComprasE->SueltaRetenidos();
  // Tables worked closed (configuration line 1 "NO"): everything read again,
  // on the document saved.
  if (Conf.BasesAbiertas == QStringLiteral("NO")) RefrescaTablasCompra();
  try {
    VaciaCapturaCompra();
  } catch (const plat::Error&) {
  }
  LimpiaDatosProveedor();
  ui::SetTag(BotonNuevo, 0);
  ui::SetTag(BotonCambios, 0);
  ui::SetTag(TipoDocumento, 0);
  BloqueaEncabezadoCompra();
  MargenProveedorCompra = 0;
  NumeroMovimientoCompra = 0;
  PintaEncabezado(false);
  HabilitaBotonesCompra(true, true, false, false, true, true, true);
  try {
    MuestraCompraActual();
  } catch (const plat::Error&) {
    // The document is saved; showing it again is not worth an error.
  }
}

bool TFormaCompras::TerminaGuardadoCompraPendiente() {
  UnidadTrabajo* diario = nullptr;
  try {
    diario = &DiarioCompras();
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
    return false;
  }
  if (!diario->Pendiente()) return true;
  if (const auto cancelacion = PlanCancelacionCompra::De(diario->Inicio()))
    return TerminaCancelacionCompra(*diario, *cancelacion);
  const PlanCompra plan = PlanCompra::De(diario->Inicio());
  if (CarpetaNoDisponible(plan.base.carpetaDatos)) {
    MuestraMensaje(kPendiente.arg(plan.Numero(), kSinConexion));
    return false;
  }
  bool hecho = true;
  guardandoCompra_ = true;
  try {
    GuardadoCompra(*diario, plan, *TablaComprasE, *TablaComprasD, *TablaDeta, AvisosDeVentana(*this)).Ejecuta();
    diario->Termina();
  } catch (const std::exception& e) {
    MuestraMensaje(kPendiente.arg(plan.Numero(), TextoError(e)));
    hecho = false;
  }
  guardandoCompra_ = false;
  if (hecho) {
    try {
      VaciaCapturaCompra();
    } catch (const plat::Error&) {
    }
  }
  // Back on the tables of the kind the window shows.
  if (const TipoCompra* tipo = TipoCompraDe(TextoTipoCompra)) CambiaTipoCompra(tipo->letra);
  return hecho;
}

void TFormaCompras::BotonCambiosClick() {
  if (Tag() == 0 || EnAlta() || EnCambio() || !HayEncabezado()) return;
  ControlInicioCompra = NumeroControlCompra();
  MargenProveedorCompra = 0;
  if (!TieneDerecho(NumeroUsuario(), DerechoCambioCompras)) return;
  NumeroMovimientoCompra = 0;
  db::Tabla& e = *TablaComprasE;
  if (!Editando(e)) e.SetIndexName(kTagEncabezadoCompra);
  // The header's row stays locked (the table's retained row) while the
  // change lasts, whatever posts the header meanwhile (printing, totals): a
  // second station is refused here until the change is saved or abandoned.
  const auto suelta = [&e] {
    if (Editando(e)) e.Cancel();
    e.SueltaRetenidos();
  };
  try {
    EditaFila(e);
    e.RetieneRegistro();
  } catch (const plat::Error&) {
    suelta();
    MuestraMensaje(kModificadoPorOtro);
    return;
  }
  // Held, the document is shown again as it is stored: what another station
  // saved since this window showed it is what the change starts from.
  try {
    MuestraCompraActual();
    EditaFila(e);
    FijaProcesoCompra(QStringLiteral("N"));
    e.Post();
    e.Edit();
  } catch (const plat::Error&) {
    suelta();
    MuestraMensaje(kModificadoPorOtro);
    return;
  }
  const int control = static_cast<int>(e.FieldByName(QStringLiteral("CONTROL")).AsInteger());
  HabilitaEncabezadoCompra();
  RespaldaPartidasCompra();
  EditCLDOC_O->setReadOnly(true);
  EditCLPRV_O->setFocus(Qt::OtherFocusReason);
  TotalAnteriorCompra = Dinero::DeReal(RealGuardar(e, "IMDOC_O"));
  HabilitaBotonesCompra(false, false, true, true, false, false, false);
  ui::SetTag(BotonCambios, 1);
  ui::SetTag(BotonNuevo, 0);
  EditCLDOC_O->setFocus(Qt::OtherFocusReason);
  PintaEncabezado(true);
  ControlCompra = control;
  QString nombre;
  LeeNombreUsuario(Usuario->text(), CarpetaPrograma(QString()), nombre);
  RegistraHistorial(BitacoraCompras, RutaDatosCompras, u'C', EditCLDOC_O->text(), QStringLiteral("MODIFICADA"), nombre);
  RegistraConsecutivoCompra();
}

void TFormaCompras::RegistraConsecutivoCompra() {
  ::RegistraConsecutivoCompra(RutaDatosCompras, TextoTipoCompra.isEmpty() ? u'R' : TextoTipoCompra[0],
                              EditCLDOC_O->text(), ControlInicioCompra);
}

bool TFormaCompras::ClaveCompraValida(const QString& clave) {
  return clave != kClaveComentarioCompra && TablaInventario->Active() && TablaInventario->FindKey({clave});
}

void TFormaCompras::DepuraClavesInexistentes() {
  db::Tabla& c = *TablaDeta;
  PostPendiente(c);
  c.First();
  while (!c.IsEmpty() && !c.Eof()) {
    const QString clave = Campo(c, "CLAVE");
    if (!clave.isEmpty() && clave != kClaveComentarioCompra && !ClaveCompraValida(clave)) {
      MuestraMensaje(kNoEncontrada + clave);
      c.Delete();
      continue;
    }
    c.Next();
  }
}

namespace {

PartidaBuferCompra PartidaDeCaptura(const db::Dataset& c) {
  PartidaBuferCompra p;
  p.cantidad = RealGuardar(c, "CANTIDAD");
  p.clave = Campo(c, "CLAVE");
  p.producto = Campo(c, "PRODUCTO");
  p.precio = RealGuardar(c, "PRECIO");
  p.descuento = RealGuardar(c, "DESCUENTO");
  p.descuento2 = RealGuardar(c, "DESCUENTO2");
  p.descuento3 = RealGuardar(c, "DESCUENTO3");
  p.importe = RealGuardar(c, "IMPORTE");
  p.impuesto = RealGuardar(c, "IMPUESTO");
  p.cajas = RealGuardar(c, "CAJAS");
  p.surtido = RealGuardar(c, "SURTIDO");
  p.caducidad = Campo(c, "CADUCIDAD");
  p.empaque = RealGuardar(c, "EMPAQUE");
  return p;
}

QString RutaBufer(const QString& archivo) { return fs::Une(CarpetaPrograma(QString()), archivo); }

}  // namespace

void TFormaCompras::RespaldaPartidasCompra() {
  ClavesAnterioresCompra.clear();
  CantidadesAnterioresCompra.clear();
  db::Tabla& c = *TablaDeta;
  PostPendiente(c);
  QList<PartidaBuferCompra> partidas;
  for (c.First(); !c.Eof(); c.Next()) {
    partidas << PartidaDeCaptura(c);
    AcumulaCantidadAnterior(ClavesAnterioresCompra, CantidadesAnterioresCompra, Campo(c, "CLAVE"),
                            RealGuardar(c, "CANTIDAD"));
  }
  try {
    fs::EscribeAtomico(RutaBufer(kBuferPartidasCompra), CodificaPartidasBuferCompra(partidas));
  } catch (const plat::Error&) {
    // The buffer is a copy for the return command; the change goes on.
  }
  c.First();
}

void TFormaCompras::GuardaEncabezadoEnBufer() {
  EncabezadoBuferCompra b;
  b.numero = EditCLDOC_O->text();
  b.proveedor = EditCLPRV_O->text();
  b.nombre = Nombre->text();
  b.direccion = Direccion->text();
  b.poblacion = Poblacion->text();
  b.fechaDocumento = EditFEDOC_O->text();
  b.fechaRecepcion = EditFEREC_O->text();
  b.fechaPago = EditFEPAG_O->text();
  b.impuesto = EditTIMPU_O->text();
  b.descuento = EditDTOTA_O->text();
  b.descuentoFinanciero = EditDFINT_O->text();
  b.indirectos = EditTINDI_O->text();
  b.almacen = EditNALMA_O->text();
  b.moneda = EditDIVIS_O->currentText();
  fs::EscribeAtomico(RutaBufer(kBuferEncabezadoCompra), CodificaEncabezadoBuferCompra(b));
}

void TFormaCompras::GuardaPartidasEnBufer() {
  db::Tabla& c = *TablaDeta;
  PostPendiente(c);
  // From the last line to the first.
  QList<PartidaBuferCompra> partidas;
  for (c.First(); !c.Eof(); c.Next()) partidas.prepend(PartidaDeCaptura(c));
  fs::EscribeAtomico(RutaBufer(kBuferPartidasCompra), CodificaPartidasBuferCompra(partidas));
}

void TFormaCompras::CargaBuferCompra() {
  const EncabezadoBuferCompra b = DecodificaEncabezadoBuferCompra(fs::LeeBytes(RutaBufer(kBuferEncabezadoCompra)));
  const QList<PartidaBuferCompra> partidas = DecodificaPartidasBuferCompra(fs::LeeBytes(RutaBufer(kBuferPartidasCompra)));
  FijaCampoCompra(EditCLPRV_O, b.proveedor);
  Nombre->setText(b.nombre);
  Direccion->setText(b.direccion);
  Poblacion->setText(b.poblacion);
  FijaCampoCompra(EditFEDOC_O, b.fechaDocumento);
  FijaCampoCompra(EditFEREC_O, b.fechaRecepcion);
  FijaCampoCompra(EditFEPAG_O, b.fechaPago);
  FijaCampoCompra(EditTIMPU_O, b.impuesto);
  FijaCampoCompra(EditDTOTA_O, b.descuento);
  FijaCampoCompra(EditDFINT_O, b.descuentoFinanciero);
  FijaCampoCompra(EditTINDI_O, b.indirectos);
  FijaCampoCompra(EditNALMA_O, b.almacen);
  EditDIVIS_O->setEditText(b.moneda);
  // Each record goes before the lines read so far: the file's reverse order
  // gives back the order of the capture.
  db::Tabla& c = *TablaDeta;
  for (qsizetype i = partidas.size() - 1; i >= 0; --i) {
    const PartidaBuferCompra& p = partidas[i];
    c.Append();
    try {
      const auto fija = [&c](const char* campo, double valor) { c.FieldByName(QString::fromLatin1(campo)).SetAsFloat(valor); };
      fija("CANTIDAD", p.cantidad);
      c.FieldByName(QStringLiteral("CLAVE")).SetAsString(p.clave);
      c.FieldByName(QStringLiteral("PRODUCTO")).SetAsString(p.producto);
      fija("DESCUENTO", p.descuento);
      fija("DESCUENTO2", p.descuento2);
      fija("DESCUENTO3", p.descuento3);
      fija("CAJAS", p.cajas);
      fija("EMPAQUE", p.empaque);
      fija("PRECIO", p.precio);
      fija("IMPORTE", p.importe);
      fija("IMPUESTO", p.impuesto);
      fija("SURTIDO", p.surtido);
      c.FieldByName(QStringLiteral("CADUCIDAD")).SetAsString(p.caducidad);
      c.Post();
    } catch (...) {
      c.Cancel();
      throw;
    }
  }
  c.First();
}

void TFormaCompras::NuevoDesdeBufer() {
  if (!NuevoDocumentoCompra()) return;
  TotalAnteriorCompra = Dinero();
  CargaBuferCompra();
  CalculaTotalesCompra();
}

void TFormaCompras::MuestraPoliticaCompra(const QString& clave) {
  auto politica = std::make_unique<TFormaPoliticaCompras>(this);
  politica->LabelProducto->setText(Campo(*TablaDeta, "PRODUCTO"));
  politica->LabelCosto->setText(QStringLiteral("Costo   ") +
                                FormatoMascara(QStringLiteral("###,##0.00"), RealGuardar(*TablaDeta, "PRECIO")));
  db::Tabla productos;
  productos.SetCarpeta(TablaInventario->Carpeta());
  productos.SetNombreTabla(TablaInventario->NombreTabla());
  productos.SetIndexName(kTagClaveProducto);
  productos.Open();
  if (productos.FindKey({clave})) {
    politica->DataSource1->SetDataSet(&productos);
    politica->ShowModal();
    politica->DataSource1->SetDataSet(nullptr);
  }
  productos.Close();
}

void TFormaCompras::PosicionaCompra(const QString& clave) {
  if (Tag() == 0) {
    // The capture table is claimed as the first activation claims it.
    if (!ReclamaCaptura()) {
      MuestraMensaje(kComprasEnOtraCopia);
      return;
    }
    repaint();
    PreparaTablasCompra();
    TerminaGuardadoCompraPendiente();
    BloqueaEncabezadoCompra();
    LimpiaDatosProveedor();
    HabilitaBotonesCompra(true, true, false, false, true, true, true);
    try {
      LeeNumeroCompras();
    } catch (const std::exception&) {
    }
  }
  SetTag(1);
  if (!TablaComprasE->Active()) return;
  if (!Editando(*TablaComprasE)) TablaComprasE->SetIndexName(kTagEncabezadoCompra);
  bool entero = false;
  const qint64 numero = clave.trimmed().toLongLong(&entero);
  if (entero) TablaComprasE->FindKey({numero});
  MuestraCompraActual();
}
