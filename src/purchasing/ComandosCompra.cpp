// The purchase window's document commands: the kind switch, a receipt
// generated from the purchase order shown, an order prepared from a
// supplier's stock limits, the suggested order, reproducing a receipt, the
// archive copy of the capture table, the document's observations and
// payments, the cancel, and the hidden delete and return.

#include "customers/CuentasCobrar.h"
#include "foundation/adminis.h"
#include "foundation/advierte.h"
#include "foundation/dialogos.h"
#include "foundation/observa.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/RejillaDatos.h"
#include "pos/CaptuRap_comun.h"
#include "purchasing/CancelaCompra.h"
#include "purchasing/Compras.h"
#include "purchasing/ConProvee.h"
#include "purchasing/CxPDetalle.h"
#include "purchasing/GuardaCompra.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QToolButton>

#include <memory>

namespace {

const QString kFaltaProveedor = QStringLiteral("Falto un Proveedor...");
// The fixed folder that receives the archive copy of the capture table.
const QString kCarpetaArchivoCompras = QStringLiteral("c:\\VRL\\");

// What each kind sets besides its tables.
struct AjustesTipo {
  QChar letra;
  bool pagos;           // payments button shown, observations offered
  int concepto;         // movement concept; 0 leaves it as it is
  int lineaFormato;     // configuration line of the print format
};

const AjustesTipo* AjustesDe(const QString& tipo) {
  static const AjustesTipo recepcion{u'R', true, 51, ConfFormatoRecepcion};
  static const AjustesTipo orden{u'O', false, 0, ConfFormatoOrdenCompra};
  static const AjustesTipo devolucion{u'D', false, 2, ConfFormatoDevolucionCompra};
  if (tipo == kRecepcion) return &recepcion;
  if (tipo == kOrdenCompra) return &orden;
  if (tipo == kDevolucionCompra) return &devolucion;
  return nullptr;
}

// A new document made from a saved one inherits its columns, but not the
// marks of the saved one's life: it is still provisional, active, unprinted,
// unpaid, without stock applied or movement mirror.
void QuitaMarcasDeGuardado(db::Dataset& encabezado) {
  encabezado.FieldByName(QStringLiteral("proceso")).SetAsString(QStringLiteral("N"));
  for (const char* marca : {"STDOC_O", "TDOCU_O", "MI", "TREFE_O", "ABONO_O"})
    if (db::Campo* c = encabezado.FindField(QString::fromLatin1(marca))) c->Clear();
}

// A second cursor on a header table, by its number.
struct EncabezadoAparte {
  db::Tabla tabla;
  EncabezadoAparte(const QString& carpeta, const QString& archivo) {
    tabla.SetCarpeta(carpeta);
    tabla.SetNombreTabla(archivo);
    tabla.SetIndexName(kTagEncabezadoCompra);
    tabla.SetReadOnly(true);
    tabla.Open();
  }
  bool Busca(const QString& numero) {
    bool entero = false;
    const qint64 n = numero.trimmed().toLongLong(&entero);
    return entero && tabla.FindKey({n});
  }
};

}  // namespace

void TFormaCompras::ConectaComandosCompra() {
  for (QAction* a : {Recepcin1, OrdendeCompra1, GenerarCuentaporPagar1, ArchivodeCompras1, ReproducirDocumento1,
                     CompraSugerida1, Cancelar1, Eliminar1, Devolucin1})
    a->setProperty("pendiente", false);
  // The combo takes typed text, which the switch puts right.
  TipoDocumento->setEditable(true);
  TipoDocumento->setInsertPolicy(QComboBox::NoInsert);
  ui::Conecta(TipoDocumento, &QComboBox::currentTextChanged, this, [this] { TipoDocumentoChange(); });
  ui::Conecta(Recepcin1, &QAction::triggered, this, [this] { Recepcin1Click(); });
  ui::Conecta(OrdendeCompra1, &QAction::triggered, this, [this] { OrdendeCompra1Click(); });
  ui::Conecta(CompraSugerida1, &QAction::triggered, this, [this] { CompraSugerida1Click(); });
  ui::Conecta(ReproducirDocumento1, &QAction::triggered, this, [this] { ReproducirDocumento1Click(); });
  ui::Conecta(ArchivodeCompras1, &QAction::triggered, this, [this] { ArchivodeCompras1Click(); });
  ui::Conecta(BotonObservacion, &QToolButton::clicked, this, [this] { BotonObservacionClick(); });
  ui::Conecta(BotonPagos, &QToolButton::clicked, this, [this] { BotonPagosClick(); });
  ui::Conecta(Cancelar1, &QAction::triggered, this, [this] { Cancelar1Click(); });
  ui::Conecta(Eliminar1, &QAction::triggered, this, [this] { Eliminar1Click(); });
  ui::Conecta(Devolucin1, &QAction::triggered, this, [this] { Devolucin1Click(); });
  // "Generar Cuenta por Pagar" has no command.
}

void TFormaCompras::RegistraHistorialCompra(const QString& accion) {
  if (!BitacoraCompras) return;
  QString nombre;
  LeeNombreUsuario(Usuario->text(), CarpetaLocalCompras, nombre);
  RegistraHistorial(true, RutaDatosCompras, u'C', EditCLDOC_O->text(), accion, nombre);
}

// --- Kind switch.

namespace {

// The settings of a kind on the window, its tables opened; the movement
// switch is the caller's.
void AplicaTipo(TFormaCompras& v, const QString& tipo) {
  const AjustesTipo* a = AjustesDe(tipo);
  if (!a) return;
  v.CambiaTipoCompra(a->letra);
  v.BotonPagos->setVisible(a->pagos);
  if (a->pagos) v.BotonPagos->setEnabled(true);
  v.BotonObservacion->setEnabled(a->pagos);
  if (a->concepto != 0) v.ConceptoMovimientoCompra = a->concepto;
  v.FormatoCompra = v.CarpetaLocalCompras + QStringLiteral("\\consulta\\") + LineaConf(a->lineaFormato);
}

}  // namespace

void TFormaCompras::TipoDocumentoChange() {
  QString tipo = ValidaTipoDocumento(TipoDocumento->currentText());
  if (tipo.isEmpty()) tipo = kRecepcion;
  if (TipoDocumento->currentText() != tipo) {
    const QSignalBlocker quieto(TipoDocumento);
    TipoDocumento->setCurrentText(tipo);
  }
  TextoTipoCompra = tipo;
  MovimientosCompra = tipo == kRecepcion                                       ? u'N'
                      : LineaConf(ConfIntegraMovimientos) == QStringLiteral("SI") ? u'S'
                                                                                  : u'N';
  AplicaTipo(*this, tipo);
  // The kind's last document, shown whole (header, supplier, lines and
  // totals), as the window opens on it: a header of the reopened table
  // with the previous kind's supplier labels would mix two documents.
  if (TablaComprasE->Active()) TablaComprasE->Last();
  MuestraCompraActual();
}

// --- Receipt from the purchase order shown.

void TFormaCompras::Recepcin1Click() {
  if (TextoTipoCompra != kOrdenCompra || !HayEncabezado() || EnAlta() || EnCambio()) return;
  const QString numero = EditCLDOC_O->text().trimmed();
  ConceptoMovimientoCompra = 51;
  std::unique_ptr<EncabezadoAparte> orden;
  bool hallada = false;
  try {
    orden = std::make_unique<EncabezadoAparte>(TablaComprasE->Carpeta(), TablaComprasE->NombreTabla());
    hallada = orden->Busca(numero);
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
    return;
  }

  // The receipt kind by code; the movement switch stays the order's.
  {
    const QSignalBlocker quieto(TipoDocumento);
    TipoDocumento->setCurrentText(kRecepcion);
  }
  TextoTipoCompra = kRecepcion;
  AplicaTipo(*this, kRecepcion);
  HabilitaEncabezadoCompra();
  ui::SetTag(TipoDocumento, 1);
  MargenProveedorCompra = 0;
  BotonNuevoClick();
  if (!EnAlta()) {
    // New refused: no receipt is being made from the order.
    ui::SetTag(TipoDocumento, 0);
    BloqueaEncabezadoCompra();
    MuestraUltimaCompra();
    return;
  }
  if (hallada) {
    EditaFila(*TablaComprasE);
    CopiaEncabezadoSinNumero(orden->tabla, *TablaComprasE);
    QuitaMarcasDeGuardado(*TablaComprasE);
    CargaPartidasOrden(numero);
    CalculaTotalesCompra();
  }
  orden.reset();
  MuestraProveedorCompra();
  EditCLDOC_O->setFocus(Qt::OtherFocusReason);
  EditCLPRV_O->setFocus(Qt::OtherFocusReason);
}

// --- Order by supplier and suggested order.

void TFormaCompras::OrdendeCompra1Click() {
  if (EnAlta() || EnCambio()) return;
  {
    const QSignalBlocker quieto(TipoDocumento);
    TipoDocumento->setCurrentText(kOrdenCompra);
  }
  TipoDocumentoChange();
  const QString proveedor = BuscaProveedor(QString()).trimmed();
  if (proveedor.isEmpty()) {
    MuestraMensaje(kFaltaProveedor);
    return;
  }
  TablaProveedor->SetIndexName(QStringLiteral("ICLAPRO"));
  if (!TablaProveedor->Active() || !TablaProveedor->FindKey({proveedor})) return;
  BotonNuevoClick();
  if (!EnAlta()) return;
  FijaCampoCompra(EditCLPRV_O, proveedor);
  MuestraProveedorCompra();
  GeneraOrdenPorMaximo(proveedor);
  CalculaTotalesCompra();
  // Each box entered takes its default.
  for (QWidget* caja : std::initializer_list<QWidget*>{EditFEDOC_O, EditFEPAG_O, EditTIMPU_O, EditDTOTA_O,
                                                       EditDFINT_O, EditREFER_O, EditNALMA_O, Detalle})
    caja->setFocus(Qt::TabFocusReason);
}

void TFormaCompras::CompraSugerida1Click() { GeneraCompraSugerida(); }

// --- Reproduce a receipt.

void TFormaCompras::ReproducirDocumento1Click() {
  if (!HayEncabezado() || EnAlta() || EnCambio()) return;
  const QString numero = EditCLDOC_O->text().trimmed();
  const QString control = TablaComprasE->FieldByName(QStringLiteral("CONTROL")).AsString();
  std::unique_ptr<EncabezadoAparte> recepciones;
  try {
    recepciones = std::make_unique<EncabezadoAparte>(TablaComprasE->Carpeta(), QStringLiteral("ComprasE.DBF"));
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
    return;
  }
  BotonNuevoClick();
  if (!EnAlta()) return;
  // Only the receipt as it was shown: one changed since starts empty.
  if (!recepciones->Busca(numero) ||
      recepciones->tabla.FieldByName(QStringLiteral("CONTROL")).AsString() != control)
    return;
  EditaFila(*TablaComprasE);
  CopiaEncabezadoSinNumero(recepciones->tabla, *TablaComprasE);
  QuitaMarcasDeGuardado(*TablaComprasE);
  ControlInicioCompra = NumeroControlCompra();
  TablaComprasE->FieldByName(QStringLiteral("CONTROL")).SetAsInteger(ControlInicioCompra);
  TablaComprasE->FieldByName(QStringLiteral("FEDOC_O")).SetAsDate(fs::Hoy());
  for (const char* vacio : {"FEREC_O", "FEPAG_O", "STDOC_O"})
    TablaComprasE->FieldByName(QString::fromLatin1(vacio)).Clear();
  recepciones.reset();
  MuestraProveedorCompra();
  // The dates take their defaults as they are entered.
  EditFEREC_O->setFocus(Qt::TabFocusReason);
  EditFEPAG_O->setFocus(Qt::TabFocusReason);
  CargaPartidasCompra(control, numero);
  CalculaTotalesCompra();
  EditaFila(*TablaComprasE);
  Detalle->setFocus(Qt::TabFocusReason);
  EditCLPRV_O->setFocus(Qt::TabFocusReason);
}

// --- Archive copy and observations.

void TFormaCompras::ArchivodeCompras1Click() {
  if (EnAlta() || EnCambio()) return;
  const QString archivo = TablaDeta->NombreTabla();
  const QString origen = fs::Une(TablaDeta->Carpeta(), archivo);
  // The copy replaces the old one whole: a failed copy leaves the old one.
  if (!fs::CopiaArchivo(origen, kCarpetaArchivoCompras + archivo))
    MuestraMensaje(QStringLiteral("No se pudo copiar %1 a %2").arg(origen, kCarpetaArchivoCompras));
}

void TFormaCompras::BotonObservacionClick() {
  if (!HayEncabezado()) return;
  try {
    EditaObservaciones(EditCLDOC_O->text().trimmed(), TextoTipoCompra, CarpetaDeTabla(kTablaObservaciones));
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}

// --- Payments.

void TFormaCompras::BotonPagosClick() {
  if (!HayEncabezado() || EnAlta() || EnCambio()) return;
  // Right 6, as the payments have always tested it.
  if (!TieneDerecho(NumeroUsuario(), DerechoCuentasPorCobrar)) return;
  if (!FormaCxPDetalle()) new TFormaCxPDetalle(this);
  TFormaCxPDetalle& cuenta = *FormaCxPDetalle();
  PostPendiente(*TablaComprasE);
  cuenta.MuestraCxPDocumento(EditCLDOC_O->text().trimmed());
  cuenta.ShowModal();
  // The balance and the "Pagada" status follow the payments.
  try {
    TablaComprasE->Refresh();
  } catch (const plat::Error&) {
  }
  MuestraEstadoCompra();
}

// --- Cancel.

namespace {

const QString kTienePagos = QStringLiteral("El Documento No Puede Borrarse Tiene Pagos...");

}  // namespace

void TFormaCompras::Cancelar1Click() {
  if (!HayEncabezado() || EnAlta() || EnCambio()) return;
  // A save or a cancel this station left unfinished goes first.
  if (!TerminaGuardadoCompraPendiente()) return;
  int autoriza = -1;
  {
    auto clave = std::make_unique<TFormaAdministrador>(this);
    clave->ShowModal();
    try {
      autoriza = ValidaClaveUsuario(clave->Clave->text());
    } catch (const plat::Error& e) {
      MuestraMensaje(e.mensaje());
    }
  }
  // The right is asked (and a refusal said) for everyone; the logged-in
  // administrator goes on whatever was typed.
  const bool autorizada = TieneDerecho(autoriza, DerechoCancelarCompra);
  if (Usuario->text().trimmed() != QStringLiteral("0") && !autorizada) return;
  // Another station may have cancelled it since it was shown.
  try {
    TablaComprasE->Refresh();
  } catch (const plat::Error&) {
  }
  if (!HayEncabezado() || TablaComprasE->FieldByName(QStringLiteral("STDOC_O")).AsString() == QStringLiteral("C"))
    return;
  const QString numero = EditCLDOC_O->text().trimmed();
  const TipoCompra* tipo = TipoCompraDe(TextoTipoCompra);
  {
    TFormaAdvertencia pregunta(this);
    // Payments recorded: the cancel ends without a word.
    if (TienePagosCompra(RutaDatosCompras, numero.toLongLong())) return;
    pregunta.Label1->setText(QStringLiteral("Esta Seguro de Cancelar este Documento ?"));
    pregunta.ShowModal();
    if (pregunta.Tag() != 1 || !tipo || tipo->letra == u'D') return;
  }
  if (tipo->letra == u'R') {
    if (!PagosSinCancelar(RutaDatosCompras, numero)) {
      MuestraMensaje(kTienePagos);
      ConceptoMovimientoCompra = 51;
      return;
    }
    // The lines as they were, for the return command.
    RespaldaPartidasCompra();
  }
  PlanCancelacionCompra plan;
  plan.letra = tipo->letra;
  plan.numero = numero;
  plan.control = TablaComprasE->FieldByName(QStringLiteral("CONTROL")).AsString();
  plan.carpetaDatos = RutaDatosCompras;
  plan.carpetaInventario = TablaInventario->Carpeta();
  plan.tablaEncabezado = TablaComprasE->NombreTabla();
  plan.tablaPartidas = TablaComprasD->NombreTabla();
  plan.bitacora = BitacoraCompras;
  LeeNombreUsuario(Usuario->text(), CarpetaLocalCompras, plan.nombreUsuario);
  UnidadTrabajo* diario = nullptr;
  try {
    diario = &DiarioCompras();
    diario->Inicia(plan.Datos());
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
    return;
  }
  // Receipts write no movement rows, so their cancel writes none either.
  ConceptoMovimientoCompra = 2;
  NumeroMovimientoCompra = 0;
  TerminaCancelacionCompra(*diario, plan);
  ConceptoMovimientoCompra = 51;
  try {
    TablaComprasE->Refresh();
  } catch (const plat::Error&) {
  }
  MuestraEstadoCompra();
}

bool TFormaCompras::TerminaCancelacionCompra(UnidadTrabajo& diario, const PlanCancelacionCompra& plan) {
  QString error;
  try {
    CancelaCompra(diario, plan);
  } catch (const plat::Error& e) {
    error = e.mensaje();
  } catch (const std::exception& e) {
    error = QString::fromUtf8(e.what());
  }
  if (error.isEmpty()) {
    diario.Termina();
    return true;
  }
  if (!diario.HayEscrituras()) {
    // Nothing reached the tables: the document stays as it was.
    diario.Termina();
    MuestraMensaje(QStringLiteral("No se pudo cancelar la compra %1: %2").arg(plan.numero, error));
  } else {
    // The journal keeps it: the next cancel, save or start finishes it.
    MuestraMensaje(QStringLiteral("No se pudo terminar de cancelar la compra %1: %2").arg(plan.numero, error));
  }
  return false;
}

// --- The hidden delete and return.

namespace {

// Deletes the movement rows of a document version (NUDOC_MI `clave`), each
// logged in borrados.dat before it goes; returns the first one's CLDOC_MI
// (0 when there is none). An error ends the walk where it occurs.
qint64 BorraMovimientosCompra(db::Tabla& movimientos, const QString& clave) {
  qint64 numero = 0;
  if (!movimientos.Active()) return numero;
  const QString indice = movimientos.IndexName();
  try {
    movimientos.SetIndexName(QStringLiteral("NUDOC_MI"));
    movimientos.SetRange({clave}, {clave});
    movimientos.First();
    if (!movimientos.Eof()) numero = movimientos.FieldByName(QStringLiteral("CLDOC_MI")).AsInteger();
    while (!movimientos.IsEmpty()) {
      movimientos.First();
      RegistraBorrado(movimientos);
      movimientos.Delete();
    }
  } catch (const plat::Error&) {
  }
  try {
    movimientos.CancelRange();
    movimientos.SetIndexName(indice);
  } catch (const plat::Error&) {
  }
  return numero;
}

}  // namespace

void TFormaCompras::Eliminar1Click() {
  if (!HayEncabezado() || EnAlta() || EnCambio()) return;
  const QString numero = EditCLDOC_O->text().trimmed();
  {
    TFormaAdvertencia pregunta(this);
    if (TienePagosCompra(RutaDatosCompras, numero.toLongLong())) {
      MuestraMensaje(QStringLiteral("La Compra no puede Eliminarse porque Tiene Movimientos"));
      return;
    }
    pregunta.Label1->setText(QStringLiteral("Esta Seguro de Eliminar este Registro ?"));
    pregunta.ShowModal();
    if (pregunta.Tag() != 1) return;
  }
  if (TextoTipoCompra == kRecepcion && !PagosSinCancelar(RutaDatosCompras, numero)) {
    MuestraMensaje(QStringLiteral("El Documento No Puede Borrarse Tiene Pagos..,"));
    return;
  }
  const QString control = TablaComprasE->FieldByName(QStringLiteral("CONTROL")).AsString();
  try {
    RespaldaPartidasCompra();
    if (MovimientosCompra == u'S') {
      const QString clave = QString(LetraMovimientoCompra(TextoTipoCompra)) + numero + u'-' + control;
      NumeroMovimientoCompra = static_cast<int>(BorraMovimientosCompra(*TablaMovimientosInventario, clave));
      BorraMovimientosCompra(*TablaMI, clave);
    }
    // The lines of the header's version go; the header row stays.
    db::Tabla lineas;
    lineas.SetCarpeta(TablaComprasD->Carpeta());
    lineas.SetNombreTabla(TablaComprasD->NombreTabla());
    lineas.SetIndexName(kTagPartidaCompra);
    lineas.Open();
    EsperaBloqueos(lineas);
    lineas.SetRange({numero}, {numero});
    for (lineas.First(); !lineas.Eof();) {
      if (lineas.FieldByName(QStringLiteral("CONTROL")).AsString() == control) lineas.Delete();
      else lineas.Next();
    }
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
  try {
    TablaComprasD->Refresh();
  } catch (const plat::Error&) {
  }
  MuestraCompraActual();
}

void TFormaCompras::Devolucin1Click() {
  if (!HayEncabezado() || EnAlta() || EnCambio()) return;
  ConceptoMovimientoCompra = 2;
  try {
    GuardaPartidasEnBufer();
    GuardaEncabezadoEnBufer();
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
    return;
  }
  VaciaCapturaCompra();
  // The return's tables and kind before its document is started on them.
  const QString anterior = TextoTipoCompra;
  CambiaTipoCompra(u'D');
  TextoTipoCompra = kDevolucionCompra;
  {
    const QSignalBlocker quieto(TipoDocumento);
    TipoDocumento->setCurrentText(kDevolucionCompra);
  }
  NuevoDesdeBufer();
  if (!EnAlta()) {
    // New refused: back to the kind that was shown.
    {
      const QSignalBlocker quieto(TipoDocumento);
      TipoDocumento->setCurrentText(anterior);
    }
    TipoDocumentoChange();
    return;
  }
  HabilitaEncabezadoCompra();
  MargenProveedorCompra = 0;
}
