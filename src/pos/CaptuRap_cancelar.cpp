// Cancelling, changing and abandoning a document on the sale screen.
//
// A cancel marks the remission or return shown cancelled and reverses what
// its save did: the movement rows (each row of a remission's sale reversed
// by one of concept 54; a return's written again with concept 3), what every
// line of a remission took from stock, the sold accumulators and Kardex.dbf
// (kit components included), its receivable rows and the return row, the
// invoice made from it, the day's accumulator. Its writes go through the
// station's save journal as one unit of work (PlanGuardado's mode
// Cancelacion), fixed before the first write; a station killed in the
// middle finishes the cancel, once, when it starts again.
//
// A change takes the saved document back into capture; its header row is
// kept locked (the table's retained row) from "Modificar" until the save of
// the change or its abandon, whatever posts the header meanwhile (totals,
// the customer), so a second station cannot change it at the same time.

#include "customers/CuentasCobrar.h"
#include "foundation/BotonEsquinado.h"
#include "foundation/adminis.h"
#include "foundation/advierte.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/RegistroMovimiento.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/CuentasVenta.h"
#include "pos/DocumentosVenta.h"
#include "pos/EscrituraGuardado.h"
#include "pos/PartidasDocumento.h"
#include "pos/PlanGuardado.h"
#include "pos/TablasVenta.h"
#include "foundation/UnidadTrabajo.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <memory>

namespace {

const QString kConAbonos = QStringLiteral("El Documento Generó una Factura y Esta Tiene Aplicados Abono");
const QString kSinAccesoCancelar = QStringLiteral("No se tiene acceso a esta opción");
const QString kPreguntaCancelar = QStringLiteral("Esta Seguro que Desea CANCELAR este Documento ?");
const QString kYaCancelada = QStringLiteral("La Factura Ya Fue Cancelada");
const QString kNoModificarCancelado = QStringLiteral("No se Puede MODIFICAR un Documento CANCELADO...");
const QString kModificadoPorOtro = QStringLiteral("Este documento esta siendo Modificado por otro usuario...");
const QString kSinCambios = QStringLiteral("No se Pueden Realizar Cambios");
const QString kTablaFacturas = QStringLiteral("FacturaE.dbf");
const QString kTablaPartidasFactura = QStringLiteral("FacturaD.dbf");

QString Campo(const db::Dataset& t, const char* nombre) {
  return t.FieldByName(QString::fromLatin1(nombre)).AsString().trimmed();
}

// The number of a reference: the reference without its kind letter.
QString NumeroReferencia(const QString& referencia) { return referencia.mid(1).trimmed(); }

}  // namespace

void TFormaCapturaRapida::ConectaCancelacion() {
  AsignaComando(Cancelar1, [this] { Cancelar1Click(); });
  AsignaComando(Modificar1, [this] { BotonCambiosClick(); });
  AsignaComando(CancelaMovimiento1, [this] { CancelaMovimiento1Click(); });
  ui::Conecta(BotonCambios, &QToolButton::clicked, this, [this] { BotonCambiosClick(); });
}

bool TFormaCapturaRapida::FacturaConAbonos(const QString& referencia) {
  try {
    db::Tabla facturas;
    ApuntaTabla(facturas, kTablaFacturas);
    facturas.SetIndexName(QStringLiteral("INUMENC"));
    facturas.SetReadOnly(true);
    facturas.Open();
    bool numero = false;
    const qint64 n = NumeroReferencia(referencia).toLongLong(&numero);
    if (!numero || !facturas.FindKey({n})) return false;
    return facturas.FieldByName(QStringLiteral("ABONO_F")).AsFloat() > 0;
  } catch (const std::exception&) {
    return false;
  }
}

void TFormaCapturaRapida::CancelaFacturaGenerada(const QString& referencia) {
  bool esNumero = false;
  const qint64 n = NumeroReferencia(referencia).toLongLong(&esNumero);
  if (!esNumero) return;
  db::Tabla facturas;
  ApuntaTabla(facturas, kTablaFacturas);
  facturas.SetIndexName(QStringLiteral("INUMENC"));
  facturas.Open();
  EsperaBloqueos(facturas);
  if (facturas.FindKey({n})) {
    facturas.Edit();
    facturas.FieldByName(QStringLiteral("STATU_F")).SetAsString(QString(kEstadoCancelada));
    facturas.Post();
  }
  db::Tabla lineas;
  ApuntaTabla(lineas, kTablaPartidasFactura);
  lineas.SetIndexName(QStringLiteral("CLDOC_FD"));
  lineas.Open();
  EsperaBloqueos(lineas);
  const QString numero = QString::number(n);
  lineas.SetRange({numero}, {numero});
  for (lineas.First(); !lineas.Eof(); lineas.Next()) {
    lineas.Edit();
    lineas.FieldByName(QStringLiteral("TREGI_FD")).SetAsString(kMarcaLineaCancelada);
    lineas.Post();
  }
}

void TFormaCapturaRapida::MarcaPartidasCanceladas(const QString& numero) {
  ::MarcaPartidasCanceladas(*TablaFacturaD, numero);
}

void TFormaCapturaRapida::RecargaPartidasDocumento() {
  ++RecargasCancelacion;
  Label8->setText(QStringLiteral("det ") + QString::number(RecargasCancelacion));
  VaciaCaptura();
  if (!TablaFacturaD->Active() || !HayFila(*TablaFacturae)) return;
  CargaPartidasDeControl(*TablaFacturaD, *TablaDeta, TablaFacturae->FieldByName(QStringLiteral("CLDOC_F")).AsInteger(),
                         TablaFacturae->FieldByName(QStringLiteral("CONTROL")).AsInteger(), true);
}

// --- Cancel.

void TFormaCapturaRapida::Cancelar1Click() {
  if (Capturando() || !HayFila(*TablaFacturae)) return;
  // A save the station left unfinished goes first.
  if (GuardadoPendiente() && !TerminaGuardadoPendiente()) return;
  LeeMarcasDocumento();
  const QString referencia = Campo(*TablaFacturae, "REMIS_F");
  if (!referencia.isEmpty() && FacturaConAbonos(referencia)) MuestraMensaje(kConAbonos + u'F' + referencia.mid(1));

  auto clave = std::make_unique<TFormaAdministrador>(this);
  clave->ShowModal();
  if (clave->Tag() == 2) return;
  int autoriza = -1;
  try {
    autoriza = ValidaClaveUsuario(clave->Clave->text());
  } catch (const plat::Error&) {
  }
  clave.reset();
  const bool administrador = usuario->text().trimmed() == u"0";
  if (!administrador && (autoriza < 0 || !TieneDerechoSinAviso(autoriza, DerechoCancelarVenta))) {
    MuestraMensaje(kSinAccesoCancelar);
    return;
  }
  // The logged administrator passes even with a wrong password.
  if (autoriza < 0) autoriza = 0;

  {
    TFormaAdvertencia pregunta(this);
    pregunta.Label1->setText(kPreguntaCancelar);
    pregunta.ShowModal();
    if (pregunta.Tag() != 1) return;
  }
  LeeMarcasDocumento();
  if (Campo(*TablaFacturae, "STATU_F") == QString(kEstadoCancelada)) {
    MuestraMensaje(kYaCancelada);
    return;
  }
  const QChar letra = Base->currentText().isEmpty() ? QChar() : Base->currentText()[0];
  const QString numero = TablaFacturae->FieldByName(QStringLiteral("CLDOC_F")).AsString();
  if (letra != u'R' && letra != u'D') {
    // Petty cash and the other kinds: only the log line.
    QString nombre;
    LeeNombreUsuario(usuario->text(), CarpetaPrograma(QString()), nombre);
    RegistraHistorial(BitacoraVenta, RutaDatosVenta, u'R', numero, QStringLiteral("CANCELADA"), nombre);
    return;
  }
  UnidadTrabajo* diario = nullptr;
  try {
    diario = Diario();
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
    return;
  }
  if (!diario) {
    TieneTablaCaptura();
    return;
  }
  try {
    RecargasCancelacion = 0;
    if (letra == u'R') RecargaPartidasDocumento();
    PostPendiente(*TablaDeta);
    // The buffer keeps the document as it was; it is no part of the cancel.
    if (EscribeBuferVenta) {
      try {
        EscribeBuferVenta(u'F');
      } catch (const plat::Error&) {
      }
    }
    TotalAnterior = Dinero::DeReal(TablaFacturae->FieldByName(QStringLiteral("IMTOD_F")).AsFloat());
    diario->Inicia(PlanCancelacion(autoriza).Datos());
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return;
  }
  ContinuaGuardado();
}

PlanGuardado TFormaCapturaRapida::PlanCancelacion(int autoriza) {
  db::Tabla& e = *TablaFacturae;
  PlanGuardado p;
  p.tipo = Base->currentText();
  p.letra = p.tipo.isEmpty() ? QChar() : p.tipo[0];
  p.modo = PlanGuardado::Modo::Cancelacion;
  p.control = e.FieldByName(QStringLiteral("CONTROL")).AsInteger();
  p.controlAnterior = p.control;
  p.registro = e.RecNo();
  p.LeeEncabezado(e);
  // The payment type and customer as the screen shows them.
  p.Fija(QStringLiteral("PAGOX_F"), TipoPago->currentText());
  p.Fija(QStringLiteral("CLCLI_F"), EditCLCLI_F->text());
  p.carpetaEncabezado = e.Carpeta();
  p.tablaEncabezado = e.NombreTabla();
  p.carpetaPartidas = TablaFacturaD->Carpeta();
  p.tablaPartidas = TablaFacturaD->NombreTabla();
  p.usuario = NumeroUsuario();
  p.usuarioTexto = usuario->text();
  LeeNombreUsuario(usuario->text(), CarpetaPrograma(QString()), p.vendedor);
  p.autoriza = autoriza;
  p.carpetaDatos = RutaDatosVenta;
  p.bitacora = BitacoraVenta;
  p.concepto = p.letra == u'R' ? static_cast<int>(ConceptoCancelacionVenta) : 3;
  p.movimientos = OpcionMI;
  p.limiteAcumulado = Conf.TotalAcumulado;
  p.caja = CajaActual;
  p.totalAnterior = TotalAnterior;
  p.carpetaRemisiones = CarpetaDeTabla(kTablaCxCRemision);
  return p;
}

void TFormaCapturaRapida::EscribeCancelacion(const PlanGuardado& plan) {
  UnidadTrabajo& u = *guardado_;
  if (!PosicionaEncabezado(plan, plan.registro))
    throw plat::Error(plat::Clase::NoExiste, QStringLiteral("El documento %1 ya no existe en %2")
                                                 .arg(plan.Valor(QStringLiteral("CLDOC_F")).toString(),
                                                      plan.tablaEncabezado));
  db::Tabla& e = *TablaFacturae;
  const QString numero = e.FieldByName(QStringLiteral("CLDOC_F")).AsString();
  numeroGuardado_ = numero;
  const bool remision = plan.letra == u'R';
  // The mark first: a header another station holds stops the cancel before
  // anything else is written.
  GrabaFilaDocumento(e, QStringLiteral("CH"), false, [&](db::Dataset& fila) {
    fila.FieldByName(QStringLiteral("STATU_F")).SetAsString(QString(kEstadoCancelada));
    fila.FieldByName(QStringLiteral("ORIGE_F")).SetAsString(QString::number(plan.autoriza));
  });
  u.Fija(QStringLiteral("CL"), [&] { MarcaPartidasCanceladas(numero); });
  const QString cliente = plan.Valor(QStringLiteral("CLCLI_F")).toString();
  // The customer's balance and total sales stay: only an invoice's save
  // raises them (ActualizaSaldoCliente), never a remission's or a return's,
  // so their cancel has nothing of them to give back.
  // Movement rows: a remission's own rows reversed, a return's written
  // again as exits; a failure is ignored.
  try {
    if (remision) RevierteMovimientosVenta(numero, plan.control);
    else EscribeMovimientosCaptura(plan.concepto);
  } catch (const std::exception&) {
  }
  ConceptoMovimiento = 3;
  PosicionaEncabezado(plan, plan.registro);
  if (remision) {
    DevuelveEfectosVenta(numero, plan.control);
    cuentas::VentaCuenta venta;
    venta.numero = numero.toLongLong();
    venta.control = QString::number(plan.control);
    venta.total = plan.totalAnterior;
    venta.cliente = cliente;
    venta.tipoPago = plan.Valor(QStringLiteral("PAGOX_F")).toString();
    {
      EscrituraGuardado escritura(u, QStringLiteral("CxCBorra"));
      cuentas::BorraCuentaCobrarDocumento(escritura, plan.carpetaRemisiones, venta.numero, venta.control);
    }
    const QString referencia = plan.Valor(QStringLiteral("REMIS_F")).toString().trimmed();
    if (!referencia.isEmpty()) u.Fija(QStringLiteral("CF"), [&] { CancelaFacturaGenerada(referencia); });
    try {
      EscrituraGuardado escritura(u, QStringLiteral("CxCDevolucion"));
      cuentas::DevolucionCuentaCobrar(escritura, plan.carpetaRemisiones, plan.carpetaDatos, venta, Conf.ConCortes);
    } catch (const std::exception&) {
    }
    PosicionaEncabezado(plan, plan.registro);
    u.Aplica(
        QStringLiteral("AC"),
        [&] {
          AcumulaTotalDia(-1, plan.limiteAcumulado);
          return QStringList();
        },
        [] { return QStringList(); });
  }
  if (plan.bitacora) {
    u.Aplica(
        QStringLiteral("T"),
        [&] {
          RegistraHistorial(true, plan.carpetaDatos, u'R', numero, QStringLiteral("CANCELADA"), plan.vendedor);
          return QStringList();
        },
        [] { return QStringList(); });
  }
}

void TFormaCapturaRapida::FinCancelacion() {
  HabilitaBotonesCaptura(true, true, false, true, true, true, false);
  Totales = TotalesVenta();
  PartidasCargadas = 0;
  try {
    TablaFacturae->Refresh();
    MuestraDocumento();
  } catch (const plat::Error&) {
  }
  Estado->setText(QStringLiteral("Cancelada"));
}

// --- Change.

void TFormaCapturaRapida::ReservaComponentesKit() {
  db::Tabla& lineas = *TablaFacturaD;
  if (!lineas.Active() || !HayFila(*TablaFacturae)) return;
  const QString numero = TablaFacturae->FieldByName(QStringLiteral("CLDOC_F")).AsString();
  const qint64 control = TablaFacturae->FieldByName(QStringLiteral("CONTROL")).AsInteger();
  lineas.SetRange({numero}, {numero});
  for (lineas.First(); !lineas.Eof(); lineas.Next()) {
    if (lineas.FieldByName(QStringLiteral("CONTROL")).AsInteger() != control) continue;
    if (Campo(lineas, "TIPOX_FD") != u"X" || Campo(lineas, "PCOMI_FD") != u"-1") continue;
    AcumulaReservaProducto(Campo(lineas, "CLPRO_FD"), lineas.FieldByName(QStringLiteral("CANTI_FD")).AsFloat());
  }
}

void TFormaCapturaRapida::BotonCambiosClick() {
  if (Permitido(BotonRedondo2) || Capturando() || !HayFila(*TablaFacturae)) return;
  if (GuardadoPendiente() && !TerminaGuardadoPendiente()) return;
  db::Tabla& e = *TablaFacturae;
  LeeMarcasDocumento();
  const auto fin = [this] {
    Navegador->setEnabled(false);
    Navegador->setVisible(!UsuarioRestringido);
  };
  if (Campo(e, "STATU_F") == QString(kEstadoCancelada)) {
    MuestraMensaje(kNoModificarCancelado);
    return;
  }
  ControlVenta = NumeroControl();
  if (!TieneDerecho(NumeroUsuario(), DerechoCambioFacturacion)) {
    fin();
    return;
  }
  DocumentoNuevo = false;
  // The header's record lock is taken here and kept until the change is
  // saved or abandoned: another station's edit of it fails at once.
  try {
    e.Edit();
    e.RetieneRegistro();
  } catch (const plat::Error&) {
    SueltaEncabezado();
    MuestraMensaje(kModificadoPorOtro);
    return;
  }
  // Held, the document is shown again as it is stored: what another station
  // saved since this screen showed it is what the change starts from.
  try {
    MuestraDocumento();
  } catch (const plat::Error& error) {
    SueltaEncabezado();
    MuestraMensaje(error.mensaje());
    fin();
    return;
  }
  if (Campo(e, "STATU_F") == QString(kEstadoCancelada)) {
    SueltaEncabezado();
    MuestraMensaje(kNoModificarCancelado);
    return;
  }
  try {
    EditaFila(e);
    FijaProceso(kFaseModificada);
    e.Post();
    e.Edit();
  } catch (const plat::Error&) {
    SueltaEncabezado();
    MuestraMensaje(kModificadoPorOtro);
    return;
  }
  if (!Editando(e)) {
    SueltaEncabezado();
    MuestraMensaje(kSinCambios);
    fin();
    return;
  }
  try {
    if (EscribeBuferVenta) {
      EscribeBuferVenta(u'F');
    } else {
      // Without the buffer writer the reserves are still the capture's.
      ClavesReservadas.clear();
      CantidadesReservadas.clear();
      PostPendiente(*TablaDeta);
      for (TablaDeta->First(); !TablaDeta->Eof(); TablaDeta->Next())
        AcumulaReservaProducto(Partida("CLAVE").AsString(), Partida("CANTIDAD").AsFloat());
    }
    ReservaComponentesKit();
  } catch (const plat::Error& error) {
    SueltaEncabezado();
    MuestraMensaje(error.mensaje());
    fin();
    return;
  }
  TotalAnterior = Dinero::DeReal(e.FieldByName(QStringLiteral("IMTOD_F")).AsFloat());
  // An invoice made from remissions stays one: its change moves no stock.
  FacturaDeRemisiones = LetraDocumento(Base->currentText()) == u'F' && PartidasConvertidas();
  EditCLCLI_F->show();
  HabilitaCaptura();
  Totales = TotalesVenta();
  HabilitaBotonesCaptura(false, false, true, false, false, false, true);
  ui::SetTag(BotonCambios, 1);
  ui::SetTag(BotonNuevo, 0);
  EditCLCLI_F->setFocus(Qt::OtherFocusReason);
  ConceptoMovimiento = 3;
  QString nombre;
  LeeNombreUsuario(usuario->text(), CarpetaPrograma(QString()), nombre);
  RegistraHistorial(BitacoraVenta, RutaDatosVenta, u'R', e.FieldByName(QStringLiteral("CLDOC_F")).AsString(),
                    QStringLiteral("MODIFICADO"), nombre);
  fin();
}

void TFormaCapturaRapida::SueltaEncabezado() {
  db::Tabla& e = *TablaFacturae;
  if (Editando(e)) e.Cancel();
  e.SueltaRetenidos();
}

// --- Abandon.

void TFormaCapturaRapida::CancelaMovimiento1Click() {
  if (!TieneDerecho(NumeroUsuario(), DerechoCambioFacturacion)) return;
  db::Tabla& e = *TablaFacturae;
  const qint64 numero = EditCLDOC_F->text().trimmed().toLongLong();
  try {
    if (ui::Tag(BotonCambios) == 1) {
      // The change is given up: the header's edit, and its lock, go.
      SueltaEncabezado();
      if (Editando(*TablaDeta)) TablaDeta->Cancel();
      BloqueaCaptura();
    } else {
      if (Editando(*TablaDeta)) TablaDeta->Cancel();
      VaciaCaptura();
      EditCantidad->setFocus(Qt::OtherFocusReason);
      if (Editando(e)) e.Cancel();
      BloqueaCaptura();
    }
    // The shared header table of the kind, never the station's provisional
    // one, stands on the saved document nearest the number kept.
    VuelveEncabezadoCompartido();
    e.Refresh();
    e.FindNearest({numero});
    if (e.Eof() && !e.IsEmpty()) e.Last();
    PartidasCargadas = 0;
    MuestraDocumento();
  } catch (const plat::Error& error) {
    MuestraMensaje(error.mensaje());
  }
  HabilitaBotonesCaptura(true, true, false, true, true, true, false);
  ui::SetTag(BotonNuevo, 0);
  ui::SetTag(BotonCambios, 0);
  LineasDeRango = false;
  OlvidaFacturaDeRemisiones();
  DocumentoNuevo = false;
}
