// The legacy document window's commands on the document shown: cancel,
// delete, dropping the document in progress, a price change, printing (one
// document, the preview, a range, the window's picture) and paying and
// printing at the register.
//
// Cancel and delete write through the station's save journal (the one F10
// uses) as one unit of work, fixed before the first write: a station killed
// in the middle finishes them, each write once, when it next claims its
// capture table or presses F10. Their lines come from the capture table,
// which holds the document's saved lines while it is shown.

#include "customers/CuentasCobrar.h"
#include "customers/ImpresionCatalogo.h"
#include "formats/Interprete.h"
#include "formats/edicion.h"
#include "foundation/ImprimeDocumento.h"
#include "foundation/adminis.h"
#include "foundation/advierte.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_tablas.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/CamposRegistro.h"
#include "legacy/Factu.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "pos/CaptuRap_comun.h"
#include "pos/ComponentesVenta.h"
#include "pos/DocumentosVenta.h"
#include "pos/EstadoComandos.h"
#include "pos/ExistenciasVenta.h"
#include "pos/ImpresionVenta.h"
#include "pos/MovimientosVenta.h"
#include "pos/PartidasDocumento.h"
#include "pos/PlanGuardado.h"
#include "foundation/UnidadTrabajo.h"
#include "pos/XPrecio.h"
#include "reports/DialogoImprimir.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QToolButton>

#include <memory>

namespace {

const QString kSinAccesoCancelar = QStringLiteral("No se tiene acceso a esta opción");
const QString kPreguntaCancelar = QStringLiteral("Esta Seguro que Desea CANCELAR este Documento ?");
const QString kYaCancelada = QStringLiteral("La Factura Ya Fue Cancelada");
const QString kConMovimientos = QStringLiteral("El documento No Puede Eliminarse Posee Movimientos");
const QString kVolverAPagar = QStringLiteral("El documento ya se Pago desea volver a pagarlo?");
const QString kLineaServicio = QStringLiteral("SERVI");
// The journal's word for what a cancel-mode unit of work does.
const QString kComando = QStringLiteral("comando");
const QString kBorrar = QStringLiteral("borrar");
// A delete gives its lines' stock back ("S") or not ("N": the document
// took none, or gave it back when it was cancelled).
const QString kDevuelve = QStringLiteral("devuelve");
// Retries of the paid mark after its first failure, and the pause before
// each: ten within a few seconds.
constexpr int kReintentosPago = 10;
constexpr unsigned long kPausaPagoMs = 300;

db::Campo& Fila(db::Dataset& t, const char* campo) { return t.FieldByName(QString::fromLatin1(campo)); }

void AbreTablaComando(db::Tabla& t, const QString& carpeta, const QString& archivo, const QString& indice) {
  t.SetCarpeta(carpeta);
  t.SetNombreTabla(archivo);
  t.SetIndexName(indice);
  t.Open();
  EsperaBloqueos(t);
}

// The administrator's password prompt answered with the administrator's
// password.
bool AutorizaAdministrador(QWidget* owner) {
  auto clave = std::make_unique<TFormaAdministrador>(owner);
  clave->ShowModal();
  return clave->Tag() == 1;
}

// A yes/no question; true on "Si".
bool Confirma(QWidget* owner, const QString& pregunta = QString(), const QString& titulo = QString()) {
  TFormaAdvertencia advertencia(owner);
  if (!pregunta.isEmpty()) advertencia.Label1->setText(pregunta);
  if (!titulo.isEmpty()) advertencia.setWindowTitle(titulo);
  advertencia.ShowModal();
  return advertencia.Tag() == 1;
}

}  // namespace

void TFormaFactura::ConectaComandosFactura() {
  BotonPreliminar = BotonRapido(Panel1, "BotonPreliminar", QStringLiteral("Presentación Preliminar"), 560);
  BotonTotales = BotonRapido(Panel1, "BotonTotales", QStringLiteral("Totales"), 622);
  AsignaComando(Cancelar1, this, [this] { Cancelar1Click(); });
  // Deleting is reached only through the item's command, not the menu.
  Eliminar1->setVisible(false);
  AsignaComando(Eliminar1, this, [this] { Eliminar1Click(); });
  AsignaComando(CancelaMovimiento1, this, [this] { CancelaMovimiento1Click(); });
  AsignaComando(CambioPrecio1, this, [this] { CambioPrecio1Click(); });
  for (QObject* c : {static_cast<QObject*>(BotonImprimir), static_cast<QObject*>(ImprimirDocumento1),
                     static_cast<QObject*>(Imprimir1)})
    AsignaComando(c, this, [this] { BotonImprimirClick(); });
  AsignaComando(BotonPreliminar, this, [this] { BotonPreliminarClick(); });
  AsignaComando(Preliminar1, this, [this] { Preliminar1Click(); });
  AsignaComando(ImprimirRangodeDocumentos1, this, [this] { ImprimirRangodeDocumentos1Click(); });
  AsignaComando(ImprimePlantilla1, this, [this] { ImprimePlantilla1Click(); });
  AsignaComando(ImprimiryAsignarCaja1, this, [this] { ImprimiryAsignarCaja1Click(); });
  ConectaOpcionesFactura();
}

// --- Cancel and delete.

PlanGuardado TFormaFactura::PlanCancelacionFactura() {
  db::Tabla& e = *TablaFacturae;
  PlanGuardado p;
  p.tipo = Base->currentText();
  p.letra = p.tipo.isEmpty() ? QChar() : p.tipo[0];
  p.modo = PlanGuardado::Modo::Cancelacion;
  p.control = Fila(e, "CONTROL").AsInteger();
  p.controlAnterior = p.control;
  p.registro = e.RecNo();
  p.LeeEncabezado(e);
  p.Fija(QStringLiteral("CLCLI_F"), EditCLCLI_F->text());
  FijaTablasPlanFactura(p);
  p.concepto = p.letra == u'R' ? 54 : 3;
  p.totalAnterior = Dinero::DeReal(Fila(e, "IMTOD_F").AsFloat());
  p.caja = EstadoFactura.Caja;
  return p;
}

void TFormaFactura::Cancelar1Click() {
  if (!HayFila(*TablaFacturae)) return;
  // A save or cancel the station left unfinished goes first.
  if (guardado_ && guardado_->Pendiente()) {
    TerminaGuardadoFactura();
    if (guardado_->Pendiente()) return;
  }
  if (usuario->text() != QStringLiteral("0") && !TieneDerecho(usuario->text().toInt(), DerechoCancelarVenta) &&
      !AutorizaAdministrador(this)) {
    MuestraMensaje(kSinAccesoCancelar);
    return;
  }
  if (!Confirma(this, kPreguntaCancelar)) return;
  EstadoFactura.CampoEncabezado = 1;
  // Another station may have cancelled it since it was shown.
  try {
    if (!Editando(*TablaFacturae)) TablaFacturae->Refresh();
  } catch (const plat::Error&) {
  }
  if (Fila(*TablaFacturae, "STATU_F").AsString() == QString(kEstadoCancelada)) {
    MuestraMensaje(kYaCancelada);
    return;
  }
  const QChar letra = Base->currentText().isEmpty() ? QChar() : Base->currentText()[0];
  // Petty cash, invoices and orders: nothing.
  if (letra != u'R' && letra != u'D') return;
  UnidadTrabajo* diario = nullptr;
  try {
    diario = DiarioFactura();
    if (!diario) {
      MuestraMensaje(kSinTablaCaptura);
      return;
    }
    CargaPartidasFactura(true);
    PostPendiente(*TablaDeta);
    // The buffer keeps the document as it was; its stock goes back as a
    // step of the cancel.
    try {
      GuardaDocumentoEnBufer(u'C');
    } catch (const plat::Error&) {
    }
    UnidadTrabajo::Datos datos = PlanCancelacionFactura().Datos();
    datos.append({kComando, QStringLiteral("cancelar")});
    diario->Inicia(datos);
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return;
  }
  TerminaGuardadoFactura();
}

void TFormaFactura::Eliminar1Click() {
  if (!HayFila(*TablaFacturae)) return;
  if (guardado_ && guardado_->Pendiente()) {
    TerminaGuardadoFactura();
    if (guardado_->Pendiente()) return;
  }
  if (!TieneDerecho(usuario->text().toInt(), DerechoCambioFacturacion)) return;
  if (!Confirma(this)) return;
  const QString tipo = Base->currentText();
  const bool remision = tipo == kBaseRemision || tipo == QStringLiteral("Remision");
  if (!remision && tipo != QStringLiteral("Factura")) {
    MuestraDocumentoFactura();
    return;
  }
  try {
    if (!remision) {
      // An invoice whose stock moved on record stays.
      db::Tabla& m = *TablamovimientosInventario;
      m.SetIndexName(QStringLiteral("NUDOC_MI"));
      const QString referencia = ReferenciaMovimientoFactura();
      m.SetRange({referencia}, {referencia});
      const bool conMovimientos = !m.IsEmpty();
      m.CancelRange();
      m.SetIndexName(QStringLiteral("CLDOC_MI"));
      if (conMovimientos) {
        MuestraMensaje(kConMovimientos);
        MuestraDocumentoFactura();
        return;
      }
    }
    UnidadTrabajo* diario = DiarioFactura();
    if (!diario) {
      MuestraMensaje(kSinTablaCaptura);
      return;
    }
    CargaPartidasFactura(true);
    PostPendiente(*TablaDeta);
    try {
      GuardaDocumentoEnBufer(u'C');
    } catch (const plat::Error&) {
    }
    PlanGuardado plan = PlanCancelacionFactura();
    plan.letra = remision ? u'R' : u'F';
    UnidadTrabajo::Datos datos = plan.Datos();
    datos.append({kComando, kBorrar});
    datos.append({kDevuelve, TomoExistenciasFactura() ? QStringLiteral("S") : QStringLiteral("N")});
    diario->Inicia(datos);
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return;
  }
  TerminaGuardadoFactura();
}

void TFormaFactura::TerminaCancelacionFactura(const PlanGuardado& plan) {
  UnidadTrabajo& u = *guardado_;
  const bool borrado = u.Dato(kComando) == kBorrar;
  planComando_ = &plan;
  try {
    if (borrado) EscribeBorradoFactura(plan);
    else EscribeCancelacionFactura(plan);
  } catch (const std::exception& e) {
    planComando_ = nullptr;
    // Nothing written: the command is given up whole.
    if (!u.HayEscrituras()) u.Termina();
    ui::MuestraExcepcion(e);
    return;
  }
  planComando_ = nullptr;
  u.Termina();
  for (db::Tabla* t : {TablaFacturae, TablaFacturaD, TablaInventario, TablaCliente, TablamovimientosInventario}) {
    try {
      if (t->Active()) {
        if (Editando(*t)) t->Cancel();
        t->Refresh();
      }
    } catch (const plat::Error&) {
    }
  }
  EstadoFactura.DocumentoNuevo = false;
  EstadoFactura.CampoEncabezado = 1;
  try {
    if (borrado) {
      if (TablaFacturae->Active() && HayFila(*TablaFacturae)) MuestraDocumentoFactura();
      return;
    }
    if (TablaFacturae->Active() && TablaFacturae->FindKey({plan.Valor(QStringLiteral("CLDOC_F")).toLongLong()}))
      MuestraDocumentoFactura();
  } catch (const plat::Error&) {
  }
  if (plan.letra == u'R') EstadoFactura.ConceptoMovimiento = 3;
  Estado->setText(QStringLiteral("Cancelada"));
}

void TFormaFactura::EscribeCancelacionFactura(const PlanGuardado& plan) {
  UnidadTrabajo& u = *guardado_;
  db::Tabla e;
  AbreTablaComando(e, plan.carpetaEncabezado, plan.tablaEncabezado, QStringLiteral("INUMENC"));
  const QString numero = plan.Valor(QStringLiteral("CLDOC_F")).toString();
  if (!e.VeARegistro(plan.registro) || Fila(e, "CLDOC_F").AsString() != numero)
    throw plat::Error(plat::Clase::NoExiste,
                      QStringLiteral("El documento %1 ya no existe en %2").arg(numero, plan.tablaEncabezado));
  // The mark first: a header another station holds stops the cancel before
  // anything else is written.
  u.Fija(QStringLiteral("CH"), [&] {
    e.Edit();
    try {
      Fila(e, "STATU_F").SetAsString(QString(kEstadoCancelada));
      e.Post();
    } catch (...) {
      if (Editando(e)) e.Cancel();
      throw;
    }
  });
  u.Fija(QStringLiteral("CL"), [&] {
    db::Tabla lineas;
    AbreTablaComando(lineas, plan.carpetaPartidas, plan.tablaPartidas, QStringLiteral("CLDOC_FD"));
    MarcaPartidasCanceladas(lineas, numero);
  });
  // The customer's balance and total sales stay: only an invoice's save
  // raises them, never a remission's or a return's.
  MovimientosCancelacionFactura(plan.concepto);
  // The stock the save moved goes back: a remission's lines went out; a
  // return's came in only when the movements are on.
  const double signo = plan.letra == u'R' ? -1 : plan.movimientos ? 1 : 0;
  if (signo == 0 || !TablaInventario->Active()) return;
  db::Tabla& captura = *TablaDeta;
  db::Tabla& productos = *TablaInventario;
  productos.SetIndexName(QStringLiteral("ICLPRO"));
  for (captura.First(); !captura.Eof(); captura.Next()) {
    const QString clave = Fila(captura, "CLAVE").AsString();
    if (clave.isEmpty() || !productos.FindKey({clave}) || Fila(productos, "DSCPR_I").AsString().isEmpty()) continue;
    const double cantidad = Fila(captura, "CANTIDAD").AsFloat();
    const Dinero precio = registro::LeeImporte(Fila(captura, "PRECIO")).value_or(Dinero());
    u.Aplica(
        QStringLiteral("CS") + QString::number(captura.RecNo()),
        [&] {
          DescuentaExistencia(productos, signo * cantidad, precio, plan.Valor(QStringLiteral("FEDOC_F")).toDate(),
                              false, plan.sinNegativos);
          return QStringList();
        },
        [] { return QStringList(); });
  }
}

void TFormaFactura::EscribeBorradoFactura(const PlanGuardado& plan) {
  UnidadTrabajo& u = *guardado_;
  const QString numero = plan.Valor(QStringLiteral("CLDOC_F")).toString();
  db::Tabla e;
  AbreTablaComando(e, plan.carpetaEncabezado, plan.tablaEncabezado, QStringLiteral("INUMENC"));
  const auto posiciona = [&] { return e.VeARegistro(plan.registro) && Fila(e, "CLDOC_F").AsString() == numero; };
  if (!u.Hecho(QStringLiteral("BE")) && !posiciona())
    throw plat::Error(plat::Clase::NoExiste,
                      QStringLiteral("El documento %1 ya no existe en %2").arg(numero, plan.tablaEncabezado));
  // The stock of its lines back, when they took it.
  db::Tabla& captura = *TablaDeta;
  db::Tabla& productos = *TablaInventario;
  if (productos.Active() && u.Dato(kDevuelve) != u"N") {
    productos.SetIndexName(QStringLiteral("ICLPRO"));
    for (captura.First(); !captura.Eof(); captura.Next()) {
      const QString clave = Fila(captura, "CLAVE").AsString();
      if (clave.isEmpty() || !productos.FindKey({clave}) || Fila(productos, "DSCPR_I").AsString().isEmpty())
        continue;
      const double cantidad = Fila(captura, "CANTIDAD").AsFloat();
      const Dinero precio = registro::LeeImporte(Fila(captura, "PRECIO")).value_or(Dinero());
      u.Aplica(
          QStringLiteral("BS") + QString::number(captura.RecNo()),
          [&] {
            DescuentaExistencia(productos, -cantidad, precio, plan.Valor(QStringLiteral("FEDOC_F")).toDate(), false,
                                plan.sinNegativos);
            return QStringList();
          },
          [] { return QStringList(); });
    }
  }
  u.Fija(QStringLiteral("BM"), [&] { BorraMovimientosFactura(); });
  u.Fija(QStringLiteral("BP"), [&] { BorraPartidasFactura(numero, plan.control); });
  u.Aplica(
      QStringLiteral("BR"),
      [&] {
        if (posiciona()) RegistraBorrado(e);
        return QStringList();
      },
      [] { return QStringList(); });
  u.Fija(QStringLiteral("BE"), [&] {
    if (posiciona()) e.Delete();
  });
}

QString TFormaFactura::ReferenciaMovimientoFactura() const {
  MovimientoVenta venta;
  if (planComando_) {
    venta.letra = planComando_->letra;
    venta.numero = planComando_->Valor(QStringLiteral("CLDOC_F")).toString();
    venta.control = planComando_->control;
  } else {
    const QString tipo = Base->currentText();
    venta.letra = tipo.isEmpty() ? QChar(u' ') : tipo[0];
    venta.numero = TablaFacturae->FieldByName(QStringLiteral("CLDOC_F")).AsString();
    venta.control = TablaFacturae->FieldByName(QStringLiteral("CONTROL")).AsInteger();
  }
  return DocumentoMovimientoVenta(venta);
}

void TFormaFactura::MovimientosCancelacionFactura(int concepto) {
  EstadoFactura.MovimientoReutilizado = 0;
  EstadoFactura.ConceptoMovimiento = concepto;
  if (!planComando_ || !planComando_->movimientos || !TablaInventario->Active()) return;
  PlanGuardado plan = *planComando_;
  plan.concepto = concepto;
  const QString numero = plan.Valor(QStringLiteral("CLDOC_F")).toString();
  db::Tabla& captura = *TablaDeta;
  db::Tabla& productos = *TablaInventario;
  productos.SetIndexName(QStringLiteral("ICLPRO"));
  PostPendiente(captura);
  for (captura.First(); !captura.Eof(); captura.Next()) {
    const QString clave = Fila(captura, "CLAVE").AsString();
    if (Fila(captura, "CANTIDAD").AsFloat() <= 0 || clave.isEmpty()) continue;
    // A kit's components left with the kit line: their sale wrote no rows.
    if (Fila(captura, "TIPO").AsString() == u"X") continue;
    if (Fila(captura, "PRODUCTO").AsString().isEmpty() && clave != kClaveComentario) continue;
    // A comment that is no product moves no stock: it gets no row; nor
    // does a service.
    if (!productos.FindKey({clave})) continue;
    if (Fila(productos, "LIPRO_I").AsString().toUpper() == kLineaServicio) continue;
    try {
      GrabaMovimientoFactura(plan, numero, QStringLiteral("CMI") + QString::number(captura.RecNo()));
    } catch (const std::exception&) {
    }
  }
  EstadoFactura.MovimientoReutilizado = 0;
}

void TFormaFactura::BorraMovimientosFactura() {
  if (EstadoFactura.IntegraMovimientos != QStringLiteral("S") && !(planComando_ && planComando_->movimientos))
    return;
  db::Tabla& m = *TablamovimientosInventario;
  if (!m.Active()) return;
  const QString referencia = ReferenciaMovimientoFactura();
  m.SetIndexName(QStringLiteral("NUDOC_MI"));
  try {
    m.SetRange({referencia}, {referencia});
    m.First();
    if (!m.Eof()) EstadoFactura.MovimientoReutilizado = static_cast<int>(Fila(m, "CLDOC_MI").AsInteger());
    while (!m.IsEmpty()) {
      m.First();
      m.Delete();
    }
  } catch (...) {
    m.CancelRange();
    m.SetIndexName(QStringLiteral("CLDOC_MI"));
    throw;
  }
  m.CancelRange();
  m.SetIndexName(QStringLiteral("CLDOC_MI"));
}

bool TFormaFactura::TomoExistenciasFactura() {
  db::Tabla& e = *TablaFacturae;
  if (Fila(e, "STATU_F").AsString() == QString(kEstadoCancelada)) return false;
  // An invoice made from remissions carries the conversion mark on its
  // lines: their stock left with the remissions.
  db::Tabla& l = *TablaFacturaD;
  const QString numero = Fila(e, "CLDOC_F").AsString();
  const qint64 control = Fila(e, "CONTROL").AsInteger();
  l.SetRange({numero}, {numero});
  bool tomo = true;
  for (l.First(); !l.Eof() && tomo; l.Next())
    if (Fila(l, "CONTROL").AsInteger() == control && !Fila(l, "TDOCU_FD").AsString().isEmpty()) tomo = false;
  return tomo;
}

void TFormaFactura::BorraPartidasFactura(const QString& numero, qint64 control) {
  const bool propia = planComando_ != nullptr;
  db::Tabla propias;
  if (propia)
    AbreTablaComando(propias, planComando_->carpetaPartidas, planComando_->tablaPartidas, QStringLiteral("CLDOC_FD"));
  db::Tabla& l = propia ? propias : *TablaFacturaD;
  l.SetRange({numero}, {numero});
  // Only the document's own lines: another document of the number keeps
  // its.
  try {
    l.First();
    while (!l.Eof()) {
      if (Fila(l, "CONTROL").AsInteger() == control) l.Delete();
      else l.Next();
    }
  } catch (...) {
    l.CancelRange();
    throw;
  }
  l.CancelRange();
}

// --- The document in progress dropped.

void TFormaFactura::CancelaMovimiento1Click() {
  if (!TieneDerecho(usuario->text().toInt(), DerechoCambioFacturacion)) return;
  try {
    if (Editando(*TablaDeta)) TablaDeta->Cancel();
    if (ui::Tag(BotonCambios) == 1) {
      RestauraPartidasDeBufer();
      if (Editando(*TablaFacturae)) TablaFacturae->Cancel();
      CierraCapturaFactura();
    } else {
      VaciaCapturaFactura();
      // The provisional header row stays; its pending change goes.
      if (Editando(*TablaFacturae)) TablaFacturae->Cancel();
      EditCantidad->setFocus(Qt::OtherFocusReason);
    }
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
  }
  HabilitaBotonesFactura(true, true, false, true, true, true, false);
  ui::SetTag(BotonNuevo, 0);
  ui::SetTag(BotonCambios, 0);
  EstadoFactura.ConversionPorLista = false;
  EstadoFactura.DocumentoNuevo = false;
}

// --- Price change.

void TFormaFactura::CambioPrecio1Click() {
  if (usuario->text() != QStringLiteral("0") && !TieneDerecho(usuario->text().toInt(), DerechoCambiarPrecios))
    return;
  EstadoFactura.PrecioAutorizado = true;
  if (ui::Tag(BotonNuevo) != 1 && ui::Tag(BotonCambios) != 1) {
    EstadoFactura.PrecioAutorizado = false;
    return;
  }
  // The price cell opens for typing at once.
  int columna = 0;
  while (columna < Detalle->Columnas() &&
         Detalle->Columna(columna).campo.compare(QStringLiteral("PRECIO"), Qt::CaseInsensitive) != 0)
    ++columna;
  Detalle->setFocus(Qt::OtherFocusReason);
  Detalle->SetSelectedIndex(columna);
  // Entering the price column spends the unlock; it stands for this line
  // until Enter has walked on past its amount.
  EstadoFactura.PrecioAutorizado = true;
  Detalle->edit(Detalle->currentIndex());
}

// --- Printing.

void TFormaFactura::BotonImprimirClick() {
  if (!HayFila(*TablaFacturae)) return;
  // Another station may have printed or cancelled it since it was shown.
  try {
    if (!Editando(*TablaFacturae)) TablaFacturae->Refresh();
  } catch (const plat::Error&) {
  }
  const bool impresa = Fila(*TablaFacturae, "TREGI_F").AsString() == kMarcaImpresa ||
                       Fila(*TablaFacturae, "STATU_F").AsString() == QString(kEstadoCancelada);
  if (impresa && usuario->text() != QStringLiteral("0") && !AutorizaAdministrador(this)) return;
  ImprimeDocumentoFactura();
}

void TFormaFactura::BotonPreliminarClick() {
  const QString& formato = EstadoFactura.RutaFormato;
  if (!fs::ExisteArchivo(formato)) {
    MuestraMensaje(AvisoFormatoNoExiste(formato));
    return;
  }
  try {
    PreparaImpresionDocumento(usuario->text(), CarpetaDatos());
    OpcionesVistaPrevia opciones;
    opciones.ofreceImpresion = false;
    opciones.ventanaSinFormato = false;
    VistaPreviaFormato(TablaFacturae, TablaDeta, formato, opciones);
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}

void TFormaFactura::ImprimirRangodeDocumentos1Click() {
  if (!TablaFacturae->Active()) return;
  qint64 primera = 0, ultima = 0;
  if (!PideRangoNumeros(this, HayFila(*TablaFacturae) ? Fila(*TablaFacturae, "CLDOC_F").AsString() : QString(),
                        primera, ultima))
    return;
  const qint64 actual = HayFila(*TablaFacturae) ? Fila(*TablaFacturae, "CLDOC_F").AsInteger() : 0;
  try {
    TablaFacturae->First();
    for (qint64 numero = primera; numero <= ultima; ++numero) {
      if (!TablaFacturae->FindKey({numero})) continue;
      MuestraDocumentoFactura();
      if (!fs::ExisteArchivo(EstadoFactura.RutaFormato)) {
        MuestraMensaje(AvisoFormatoNoExiste(EstadoFactura.RutaFormato));
        continue;
      }
      FijaUsuarioImpresion(usuario->text());
      EjecutaFormato(TablaFacturae, TablaDeta, EstadoFactura.RutaFormato, u'i');
    }
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
  if (TablaFacturae->FindKey({actual})) MuestraDocumentoFactura();
}

void TFormaFactura::ImprimePlantilla1Click() {
  try {
    ImprimeVentana(grab().toImage(), size(), logicalDpiX(), windowTitle());
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}

// --- Pay and print.

void TFormaFactura::ImprimiryAsignarCaja1Click() {
  if (!HayFila(*TablaFacturae)) return;
  const bool pagada = !Fila(*TablaFacturae, "PAGOX_F").AsString().isEmpty();
  // Paying again needs the administrator's password; giving the prompt up
  // is no consent.
  if (pagada && !AutorizaAdministrador(this)) return;
  if (!BotonNuevo->isEnabled() || EstadoFactura.PagosCaja.trimmed() != QStringLiteral("S")) return;
  const QString numero = Fila(*TablaFacturae, "CLDOC_F").AsString();
  if (!Confirma(this,
                QStringLiteral("Pagar e Imprimir el Documento   ") + numero + QStringLiteral("   Cliente   ") +
                    Fila(*TablaFacturae, "CLCLI_F").AsString(),
                QStringLiteral("Pagar e Imprimir")))
    return;
  if (pagada && !Confirma(this, kVolverAPagar + u' ', kVolverAPagar)) return;
  try {
    MarcaPagadaFactura();
    RefrescaTabla(*TablaFacturae);
    if (TablaFacturae->FindKey({numero.left(12).toLongLong()})) MuestraDocumentoFactura();
  } catch (const std::exception&) {
    // The header is held elsewhere: the day's file keeps the payment for
    // whoever applies it, and the mark is tried a few more times.
    try {
      AnotaPagoFactura();
    } catch (const plat::Error&) {
    }
    bool marcada = false;
    for (int intento = 0; intento < kReintentosPago && !marcada; ++intento) {
      QThread::msleep(kPausaPagoMs);
      try {
        MarcaPagadaFactura();
        marcada = true;
      } catch (const std::exception&) {
      }
    }
    if (!marcada) {
      try {
        AnotaPagoFactura();
      } catch (const plat::Error&) {
      }
    }
  }
  ImprimeDocumentoFactura();
}
