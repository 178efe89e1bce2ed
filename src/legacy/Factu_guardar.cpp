// Saving the document of the legacy window (F10): the checks, the kind
// letter, and the save switch run as one unit of work of the window's
// station (foundation/UnidadTrabajo.h, journal Factura<n>.jnl of the program
// folder): the final number, the header, the stock exit and movement row of
// each line, the lines, a lost header made again, the customer's balance.
// A save stopped by an error or a killed station is finished when F10 is
// pressed again or the window next claims its capture table, each write
// made once.
//
// The final number: the provisional header of F9 stands in the shared
// header table; it is renumbered in place while holding the table's
// numbering lock (platform/db/Numeracion.h), from the first read of the
// allocation until the header carrying the number is posted. A number
// another header already holds becomes the last number + 1.

#include "customers/CuentasCobrar.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "inventory/CamposRegistro.h"
#include "inventory/DocumentoMovimiento.h"
#include "legacy/Factu.h"
#include "platform/Error.h"
#include "platform/db/Numeracion.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "pos/CaptuRap_comun.h"
#include "pos/CuentasVenta.h"
#include "pos/DocumentosVenta.h"
#include "pos/EscrituraGuardado.h"
#include "pos/ExistenciasVenta.h"
#include "pos/MovimientosVenta.h"
#include "pos/PartidasDocumento.h"
#include "pos/PlanGuardado.h"
#include "foundation/UnidadTrabajo.h"
#include "pos/XPrecio.h"
#include "salesdocs/BuferVenta.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <exception>

namespace {

const QString kNoGuardados = QStringLiteral("No Pueden Guardarse los Datos ha Ocurrido un Error");
const QString kFaltaNumero = QStringLiteral("Falta el Numero de Documento");
// Retries of a movement row after its first attempt, and the pause before
// each: a thousand within a few seconds. An attempt that waits for a table
// another station holds takes seconds itself: no retry starts once the
// attempts have spent the bound.
constexpr int kReintentosMovimiento = 1000;
constexpr unsigned long kPausaReintentoMs = 2;
constexpr int kPlazoReintentosMs = 10000;
const QString kRechazada = QStringLiteral("rechazada");
// The journal's record of the movement number a change takes back.
const QString kReutilizado = QStringLiteral("reutilizado");
// The concept of a reversal row (a sale return).
constexpr int kConceptoReversa = 52;

QString TextoError(const std::exception& e) {
  const auto* propio = dynamic_cast<const plat::Error*>(&e);
  return propio ? propio->mensaje() : QString::fromUtf8(e.what());
}

db::Campo& FilaGuardar(db::Dataset& t, const char* campo) { return t.FieldByName(QString::fromLatin1(campo)); }

void AbreTablaGuardado(db::Tabla& t, const QString& carpeta, const QString& archivo, const QString& indice) {
  t.SetCarpeta(carpeta);
  t.SetNombreTabla(archivo);
  t.SetIndexName(indice);
  t.Open();
  EsperaBloqueos(t);
}

}  // namespace

QChar TFormaFactura::LetraFactura() const {
  const QString tipo = Base->currentText();
  // The buffer reader labels remissions without the accent.
  if (tipo == QStringLiteral("Remision")) return u'R';
  QChar letra = LetraDocumento(tipo);
  if (letra == u'F' && ui::Tag(Base) == 1) letra = u'Z';
  return letra;
}

bool TFormaFactura::ValidaClienteFactura() {
  if (!EditCLCLI_F->text().trimmed().isEmpty()) return true;
  MuestraMensaje(QStringLiteral("No se puede Guardar la Factura faltan datos del Cliente"));
  return false;
}

UnidadTrabajo* TFormaFactura::DiarioFactura() {
  if (!estacion_.Tiene()) return nullptr;
  const QString archivo = QStringLiteral("Factura%1.jnl").arg(estacion_.Numero());
  if (!guardado_ || guardado_->Ruta() != fs::Local(fs::Une(estacion_.Carpeta(), archivo)))
    guardado_ = std::make_unique<UnidadTrabajo>(estacion_.Carpeta(), archivo);
  return guardado_.get();
}

void TFormaFactura::BotonGuardarClick() {
  Hora->setText(TextoHora(fs::Ahora().time()));
  UnidadTrabajo* diario = nullptr;
  try {
    diario = DiarioFactura();
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
    return;
  }
  if (diario && diario->Pendiente()) {
    TerminaGuardadoFactura();
    return;
  }
  const bool nuevo = ui::Tag(BotonNuevo) == 1;
  const bool cambio = !nuevo && ui::Tag(BotonCambios) == 1;
  if ((!nuevo && !cambio) || !ValidaClienteFactura()) {
    MuestraMensaje(kNoGuardados);
    return;
  }
  if (EditCLDOC_F->text().trimmed().isEmpty()) {
    MuestraMensaje(kFaltaNumero);
    EditCLDOC_F->setFocus(Qt::OtherFocusReason);
    return;
  }
  if (!diario) {
    MuestraMensaje(kSinTablaCaptura);
    return;
  }
  const QChar letra = LetraFactura();
  // A kind the save does not know writes nothing; a change is written for
  // orders, quotations and petty cash, invoices and remissions only.
  if (letra.isNull() || (cambio && !QStringLiteral("CPFR").contains(letra))) {
    ui::SetTag(BotonNuevo, 0);
    ui::SetTag(BotonCambios, 0);
    CierraCapturaFactura();
    return;
  }
  try {
    // The header's rates as the edits show them (a refresh of the header
    // row redraws the edits from the row).
    const QString descuento = EditDESFI_F->text().trimmed();
    const QString tasa = EditIMIM1_F->text().trimmed();
    PostPendiente(*TablaDeta);
    CalculaTotalesFactura();
    db::Tabla& e = *TablaFacturae;
    // A change keeps the document's control; a new document has the one
    // its totals drew.
    if (cambio || EstadoFactura.Control == 0) EstadoFactura.Control = static_cast<int>(FilaGuardar(e, "CONTROL").AsInteger());
    if (EstadoFactura.Control == 0) EstadoFactura.Control = NumeroControlFactura();
    PlanGuardado p;
    p.tipo = Base->currentText();
    p.letra = letra;
    p.modo = cambio ? PlanGuardado::Modo::Cambio : PlanGuardado::Modo::Nuevo;
    p.control = EstadoFactura.Control;
    p.controlAnterior = p.control;
    p.registro = e.RecNo();
    p.LeeEncabezado(e);
    QDate fecha;
    LeeFecha(EditFEDOC_F->text(), fecha);
    p.Fija(QStringLiteral("CONTROL"), static_cast<qint64>(p.control));
    const std::pair<const char*, QLabel*> cliente[] = {{"NOMBR_F", Nombre}, {"DIREC_F", Direccion},
                                                       {"DIRE2_F", Direc2}, {"POBLA_F", Poblacion},
                                                       {"RFCXX_F", RFC},     {"CPXXX_F", CodigoPostal}};
    for (const auto& [campo, etiqueta] : cliente) p.Fija(QString::fromLatin1(campo), etiqueta->text());
    for (const char* campo : {"FEDOC_F", "FEENT_F", "FEVEN_F"}) p.Fija(QString::fromLatin1(campo), fecha);
    p.Fija(QStringLiteral("SUBTO_F"), EstadoFactura.Subtotal.Real());
    p.Fija(QStringLiteral("DECOT_F"), EstadoFactura.Descuento);
    p.Fija(QStringLiteral("IMIM2_F"), EstadoFactura.Impuesto.Real());
    p.Fija(QStringLiteral("IMTOD_F"), EstadoFactura.Total.Real());
    p.Fija(QStringLiteral("COSTO_F"), EstadoFactura.Costo.Real());
    p.Fija(QStringLiteral("HORAX_F"), NumeroFechaHora(fs::Ahora()));
    if (!cambio) p.Fija(QStringLiteral("TREGI_F"), QVariant());
    p.Fija(QStringLiteral("DESFI_F"), ValorNumerico(descuento));
    if (!tasa.isEmpty()) p.Fija(QStringLiteral("IMIM1_F"), ValorNumerico(tasa));
    FijaTablasPlanFactura(p);
    p.rechazaSinExistencia = EstadoFactura.FacturarSinExistencias == QStringLiteral("N");
    p.basesCerradas = LineaConf(ConfBasesAbiertas) == QStringLiteral("NO");
    p.concepto = letra == u'F' ? 1 : letra == u'R' ? 3 : letra == u'D' ? 52 : EstadoFactura.ConceptoMovimiento;
    p.totalAnterior = EstadoFactura.ImporteAnterior;
    p.caja = EstadoFactura.Caja;
    // What the change replaces is read before the header's pending edit
    // (the capture's new totals) is posted.
    if (cambio) AntesDelCambioFactura(p);
    PostPendiente(e);
    qint64 reutilizado = 0;
    if (cambio) {
      reutilizado = PrimerMovimientoFactura(ReferenciaMovimiento(p, p.Valor(QStringLiteral("CLDOC_F")).toString(),
                                                                 p.controlAnterior));
    }
    UnidadTrabajo::Datos datos = p.Datos();
    datos.append({kReutilizado, QString::number(reutilizado)});
    datos.append({QStringLiteral("ultimoFolio"), QString::number(EstadoFactura.UltimoFolio)});
    datos.append({QStringLiteral("tecleado"), EditCLDOC_F->text().trimmed()});
    datos.append({QStringLiteral("subtotal"), EstadoFactura.Subtotal.Texto()});
    datos.append({QStringLiteral("tasa"), tasa});
    datos.append({QStringLiteral("descuento"), descuento});
    datos.append({QStringLiteral("lista"), EstadoFactura.ConversionPorLista ? EstadoFactura.ListaOrigen : QString()});
    datos.append({QStringLiteral("letraOrigen"), EstadoFactura.LetraOrigen});
    datos.append({QStringLiteral("remisionFacturada"), remisionFacturada_});
    datos.append({QStringLiteral("remisionesCierre"), remisionesCierre_});
    diario->Inicia(datos);
  } catch (const std::exception& e) {
    MuestraMensaje(TextoError(e));
    return;
  }
  TerminaGuardadoFactura();
}

void TFormaFactura::TerminaGuardadoFactura() {
  UnidadTrabajo* diario = nullptr;
  try {
    diario = DiarioFactura();
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
    return;
  }
  if (!diario || !diario->Pendiente()) return;
  const PlanGuardado plan = PlanGuardado::De(diario->Inicio());
  // A cancel or delete of a saved document (Factu_comandos.cpp).
  if (plan.modo == PlanGuardado::Modo::Cancelacion) {
    TerminaCancelacionFactura(plan);
    return;
  }
  QString numero;
  try {
    EjecutaGuardadoFactura(plan);
    numero = diario->Resultado(QStringLiteral("E")).value_or(QStringList()).value(0);
  } catch (const std::exception& e) {
    // Nothing written: the document is still only captured. Otherwise the
    // capture stays as the save began it, locked, for F10 to finish.
    EstadoFactura.MovimientoReutilizado = 0;
    if (!diario->HayEscrituras()) {
      diario->Termina();
      ui::SetTag(plan.modo == PlanGuardado::Modo::Cambio ? BotonCambios : BotonNuevo, 1);
    } else {
      CierraCapturaFactura();
    }
    MuestraMensaje(TextoError(e));
    return;
  }
  const QString lista = diario->Dato(QStringLiteral("lista"));
  const QString letraOrigen = diario->Dato(QStringLiteral("letraOrigen"));
  const QString remision = diario->Dato(QStringLiteral("remisionFacturada"));
  const QString cierre = diario->Dato(QStringLiteral("remisionesCierre"));
  diario->Termina();
  if (!lista.isEmpty()) {
    try {
      MarcaOrigenesFactura(lista, letraOrigen, plan.tipo, numero.toLongLong());
    } catch (const std::exception&) {
    }
  }
  // The remission of an invoice made from it, marked once the invoice
  // stands (now, or when a stopped save is finished).
  if (!remision.isEmpty()) MarcaRemisionDeFactura(remision, numero);
  if (!cierre.isEmpty()) MarcaCierreDeFactura(cierre, numero);
  FinGuardadoFactura(numero);
}

void TFormaFactura::FijaTablasPlanFactura(PlanGuardado& p) const {
  p.carpetaEncabezado = TablaFacturae->Carpeta();
  p.tablaEncabezado = TablaFacturae->NombreTabla();
  p.carpetaPartidas = TablaFacturaD->Carpeta();
  p.tablaPartidas = TablaFacturaD->NombreTabla();
  p.usuario = usuario->text().toLongLong();
  p.usuarioTexto = usuario->text();
  p.vendedor = EditCLVEN_F->text();
  p.carpetaDatos = CarpetaDatos();
  p.sinNegativos = EstadoFactura.ExistenciasNegativas.startsWith(u'N');
  p.movimientos = EstadoFactura.IntegraMovimientos == QStringLiteral("S");
}

void TFormaFactura::EjecutaGuardadoFactura(const PlanGuardado& plan) {
  GuardaPorLetraFactura(plan.letra);
  if (plan.modo == PlanGuardado::Modo::Cambio) {
    EjecutaCambioFactura(plan);
    return;
  }
  EstadoFactura.MovimientoReutilizado = 0;
  UnidadTrabajo& u = *guardado_;
  const QChar letra = plan.letra;
  db::Tabla encabezado;
  AbreTablaGuardado(encabezado, plan.carpetaEncabezado, plan.tablaEncabezado, QStringLiteral("INUMENC"));
  // The document's number, fixed once under the numbering lock.
  const QStringList hecho = u.Aplica(
      QStringLiteral("E"), [&] { return QStringList{QString::number(AsignaFolioFactura(plan))}; },
      [&] {
        // A begun allocation: the provisional row carries the control when
        // it was posted.
        if (encabezado.VeARegistro(plan.registro) && FilaGuardar(encabezado, "CONTROL").AsInteger() == plan.control)
          return QStringList{FilaGuardar(encabezado, "CLDOC_F").AsString()};
        return QStringList{QString::number(AsignaFolioFactura(plan))};
      });
  const QString numero = hecho.value(0);
  if (letra == u'D' && plan.movimientos) RegresaExistenciasFactura(plan, numero);
  EscribeDocumentoFactura(plan);
  if (letra == u'F' || letra == u'Z') SaldoClienteFactura(plan);
}

void TFormaFactura::EjecutaCambioFactura(const PlanGuardado& plan) {
  UnidadTrabajo& u = *guardado_;
  const QString numero = plan.Valor(QStringLiteral("CLDOC_F")).toString();
  const QChar letra = plan.letra;
  const bool conExistencias = letra == u'F' || letra == u'R';
  // The movement rows of the document as saved go; the new ones take their
  // number back.
  EstadoFactura.MovimientoReutilizado = static_cast<int>(u.Dato(kReutilizado).toLongLong());
  if (plan.movimientos && conExistencias) {
    u.Fija(QStringLiteral("BM"), [&] {
      BorraMovimientosReferencia(ReferenciaMovimiento(plan, numero, plan.controlAnterior));
    });
  }
  // The stock its saved lines took comes back (sold quantity and amount
  // lowered with it) before the new lines take theirs; a line made from a
  // remission took none.
  db::Tabla lineas;
  AbreTablaGuardado(lineas, plan.carpetaPartidas, plan.tablaPartidas, QStringLiteral("CLDOC_FD"));
  if (conExistencias && TablaInventario->Active()) {
    db::Tabla& productos = *TablaInventario;
    productos.SetIndexName(QStringLiteral("ICLPRO"));
    lineas.SetRange({numero}, {numero});
    for (lineas.First(); !lineas.Eof(); lineas.Next()) {
      if (FilaGuardar(lineas, "CONTROL").AsInteger() != plan.controlAnterior || !FilaGuardar(lineas, "TDOCU_FD").AsString().isEmpty())
        continue;
      const QString clave = FilaGuardar(lineas, "CLPRO_FD").AsString();
      if (clave.isEmpty() || !productos.FindKey({clave})) continue;
      const double cantidad = FilaGuardar(lineas, "CANTI_FD").AsFloat();
      const Dinero precio = registro::LeeImporte(FilaGuardar(lineas, "PUNPR_FD")).value_or(Dinero());
      u.Aplica(
          QStringLiteral("DV") + QString::number(lineas.RecNo()),
          [&] {
            DescuentaExistencia(productos, -cantidad, precio, plan.Valor(QStringLiteral("FEDOC_F")).toDate(), false,
                                plan.sinNegativos);
            return QStringList();
          },
          [] { return QStringList(); });
    }
  }
  // The saved lines go; the capture's are written in their place.
  u.Fija(QStringLiteral("BP"), [&] { BorraPartidasDeControl(lineas, numero, plan.controlAnterior); });
  // The header, under its own number.
  const auto escribeEncabezado = [&] {
    db::Tabla e;
    AbreTablaGuardado(e, plan.carpetaEncabezado, plan.tablaEncabezado, QStringLiteral("INUMENC"));
    if (!e.VeARegistro(plan.registro) || FilaGuardar(e, "CLDOC_F").AsString() != numero)
      throw plat::Error(plat::Clase::NoExiste,
                        QStringLiteral("El documento %1 ya no existe en %2").arg(numero, plan.tablaEncabezado));
    e.Edit();
    try {
      plan.EscribeEncabezado(e);
      e.Post();
    } catch (...) {
      if (Editando(e)) e.Cancel();
      throw;
    }
    return QStringList{numero};
  };
  u.Aplica(QStringLiteral("E"), escribeEncabezado, escribeEncabezado);
  EscribeDocumentoFactura(plan);
  if (letra == u'F') SaldoClienteFactura(plan);
}

void TFormaFactura::AntesDelCambioFactura(PlanGuardado& p) {
  // The total the customer's balance already counts: the saved header's,
  // so that a changed invoice raises the balance by the difference only.
  db::Tabla e;
  AbreTablaGuardado(e, p.carpetaEncabezado, p.tablaEncabezado, QStringLiteral("INUMENC"));
  const QString numero = p.Valor(QStringLiteral("CLDOC_F")).toString();
  if (e.VeARegistro(p.registro) && FilaGuardar(e, "CLDOC_F").AsString() == numero)
    p.totalAnterior = Dinero::DeReal(FilaGuardar(e, "IMTOD_F").AsFloat());
}

void TFormaFactura::GuardaPorLetraFactura(QChar letra) {
  // Every effect of a letter runs from EjecutaGuardadoFactura; here the
  // switch takes its customer and ends the new document.
  EstadoFactura.ClienteGuardado = guardado_ && guardado_->Pendiente()
                                      ? PlanGuardado::De(guardado_->Inicio()).Valor(QStringLiteral("CLCLI_F")).toString()
                                      : EditCLCLI_F->text();
  if (letra == u'F' || letra == u'R' || letra == u'D') EstadoFactura.ConceptoMovimiento = letra == u'F' ? 1 : letra == u'R' ? 3 : 52;
  ui::SetTag(BotonNuevo, 0);
  ui::SetTag(BotonCambios, 0);
}

qint64 TFormaFactura::AsignaFolioFactura(const PlanGuardado& plan) {
  UnidadTrabajo& u = *guardado_;
  db::Tabla e;
  AbreTablaGuardado(e, plan.carpetaEncabezado, plan.tablaEncabezado, QStringLiteral("INUMENC"));
  db::Numeracion numeracion(e);
  const qint64 ultimoFolio = u.Dato(QStringLiteral("ultimoFolio")).toLongLong();
  const auto ultimo = [&] {
    e.Last();
    return e.IsEmpty() ? 0 : FilaGuardar(e, "CLDOC_F").AsInteger();
  };
  if (!e.VeARegistro(plan.registro))
    throw plat::Error(plat::Clase::NoExiste,
                      QStringLiteral("El encabezado provisional del documento ya no está en %1").arg(e.NombreTabla()));
  qint64 n = FilaGuardar(e, "CLDOC_F").AsInteger();
  if (n < ultimoFolio) {
    bool entero = false;
    n = u.Dato(QStringLiteral("tecleado")).toLongLong(&entero);
    if (!entero) n = ultimoFolio;
  }
  if (n == 1 && e.RecordCount() >= 2) n = ultimo() + 1;
  for (int intento = 0; intento < 10 && n < ultimoFolio; ++intento) n = ultimo() + 1;
  if (n >= ultimoFolio) {
    e.VeARegistro(plan.registro);
    e.Edit();
    FilaGuardar(e, "CLDOC_F").SetAsInteger(n);
    e.Post();
  }
  // The rows at or above the candidate, this one included, walking back.
  e.VeARegistro(plan.registro);
  const qint64 propio = FilaGuardar(e, "CLDOC_F").AsInteger();
  qint64 k = 0;
  while (k < 15 && !e.Bof() && FilaGuardar(e, "CLDOC_F").AsInteger() >= n) {
    ++k;
    e.Prior();
  }
  qint64 folio = n + k - 1;
  if (folio < ultimoFolio) folio = propio;
  // A number another header holds: the last one + 1.
  const auto ocupado = [&](qint64 numero) {
    e.SetRange({numero}, {numero});
    bool otro = false;
    for (e.First(); !e.Eof() && !otro; e.Next()) otro = e.RecNo() != plan.registro;
    e.CancelRange();
    return otro;
  };
  if (ocupado(folio)) {
    e.Last();
    if (e.RecNo() == plan.registro) e.Prior();
    folio = FilaGuardar(e, "CLDOC_F").AsInteger() + 1;
  }
  // The header with its number, posted while the lock is held.
  e.VeARegistro(plan.registro);
  e.Edit();
  try {
    plan.EscribeEncabezado(e);
    FilaGuardar(e, "CLDOC_F").SetAsInteger(folio);
    e.Post();
  } catch (...) {
    if (Editando(e)) e.Cancel();
    throw;
  }
  return folio;
}

void TFormaFactura::EscribeDocumentoFactura(const PlanGuardado& plan) {
  UnidadTrabajo& u = *guardado_;
  const QString numero = u.Resultado(QStringLiteral("E")).value_or(QStringList()).value(0);
  db::Tabla lineas;
  AbreTablaGuardado(lineas, plan.carpetaPartidas, plan.tablaPartidas, QStringLiteral("CLDOC_FD"));
  DatosPartidaDocumento datos;
  datos.numero = numero;
  datos.control = plan.control;
  datos.fecha = plan.Valor(QStringLiteral("FEDOC_F")).toDate();
  // The document's discount is the header's percentage.
  datos.descuentoDocumento = ValorNumerico(u.Dato(QStringLiteral("descuento")));
  datos.usuario = plan.usuario;
  datos.usuarioTexto = plan.usuarioTexto;
  // An invoice made from remissions takes no stock: its lines say so.
  if (plan.letra == u'Z') datos.conversion = QStringLiteral("F");
  const bool conExistencias = plan.letra == u'F' || plan.letra == u'R';
  db::Tabla& captura = *TablaDeta;
  PostPendiente(captura);
  for (captura.First(); !captura.Eof(); captura.Next()) {
    const QString fila = QString::number(captura.RecNo());
    if (u.Hecho(QStringLiteral("L") + fila)) continue;
    if (!PartidaSeEscribe(captura) && !u.Hecho(QStringLiteral("Q") + fila)) continue;
    u.Anota(QStringLiteral("Q") + fila);
    if (conExistencias) {
      double existencia = 0;
      DescargaPartidaFactura(plan, numero, existencia);
      if (existencia < 0 && plan.rechazaSinExistencia) continue;
    }
    u.Agrega(
        lineas, QStringLiteral("L") + fila,
        [&](db::Dataset& linea) {
          LlenaPartidaDocumento(linea, captura, datos);
          // The net price without the line's tax.
          try {
            const Dinero precio = registro::LeeImporte(FilaGuardar(captura, "PRECIO")).value_or(Dinero());
            const Dinero neto = PrecioNetoPartida(precio, FilaGuardar(captura, "DESCUENTO").AsFloat(),
                                                  FilaGuardar(captura, "DESCUENTO2").AsFloat(),
                                                  FilaGuardar(captura, "DESCUENTO3").AsFloat(), datos.descuentoDocumento);
            const double tasa = FilaGuardar(captura, "IMPUESTO").AsFloat();
            registro::Escribe(FilaGuardar(linea, "PREDE_FD"), std::optional(Dinero::DeReal(neto.Real() / (1 + tasa / 100))));
          } catch (const plat::Error&) {
          }
        });
  }
  // A header another station removed meanwhile is made again.
  u.Fija(QStringLiteral("A"), [&] {
    db::Tabla e;
    AbreTablaGuardado(e, plan.carpetaEncabezado, plan.tablaEncabezado, QStringLiteral("INUMENC"));
    if (e.FindKey({numero.toLongLong()})) return;
    e.Append();
    try {
      plan.EscribeEncabezado(e);
      FilaGuardar(e, "CLDOC_F").SetAsInteger(numero.toLongLong());
      e.Post();
    } catch (...) {
      e.Cancel();
      throw;
    }
  });
}

void TFormaFactura::DescargaPartidaFactura(const PlanGuardado& plan, const QString& numero, double& existencia) {
  UnidadTrabajo& u = *guardado_;
  db::Tabla& captura = *TablaDeta;
  db::Tabla& productos = *TablaInventario;
  const QString fila = QString::number(captura.RecNo());
  const QString clave = FilaGuardar(captura, "CLAVE").AsString();
  existencia = 0;
  if (clave.isEmpty() || !productos.Active()) return;
  productos.SetIndexName(QStringLiteral("ICLPRO"));
  if (!productos.FindKey({clave}) || FilaGuardar(productos, "DSCPR_I").AsString().isEmpty()) return;
  const bool decidida = u.Hecho(QStringLiteral("S") + fila);
  const double cantidad = FilaGuardar(captura, "CANTIDAD").AsFloat();
  const Dinero precio = registro::LeeImporte(FilaGuardar(captura, "PRECIO")).value_or(Dinero());
  const QStringList r = u.Aplica(
      QStringLiteral("S") + fila,
      [&] {
        const SalidaExistencia s =
            DescuentaExistencia(productos, cantidad, precio, plan.Valor(QStringLiteral("FEDOC_F")).toDate(),
                                plan.rechazaSinExistencia, plan.sinNegativos);
        if (s.rechazada) return QStringList{kRechazada, TextoReal(s.inicial)};
        // A product without a public price takes the line's.
        if (FilaGuardar(productos, "PPUBL_I").AsFloat() == 0) {
          productos.Edit();
          registro::Escribe(FilaGuardar(productos, "PPUBL_I"), std::optional(precio));
          productos.Post();
        }
        return QStringList{TextoReal(s.final)};
      },
      [&] { return QStringList{FilaGuardar(productos, "EXIST_I").AsString()}; });
  if (r.value(0) == kRechazada) {
    if (!decidida)
      MuestraMensaje(QStringLiteral("No hay Existencias Suficientes Para Surtir ") + FilaGuardar(captura, "PRODUCTO").AsString() +
                     QStringLiteral("  Existencias ") + r.value(1));
    existencia = -1;
    return;
  }
  existencia = ValorNumerico(r.value(0));
  // A line refused for lack of stock gets no movement row.
  GrabaMovimientoFactura(plan, numero, QStringLiteral("MI") + fila);
}

void TFormaFactura::GrabaMovimientoFactura(const PlanGuardado& plan, const QString& numero, const QString& paso) {
  if (!plan.movimientos) return;
  UnidadTrabajo& u = *guardado_;
  if (u.Hecho(paso)) return;
  const auto escribe = [&] { AgregaMovimientoFactura(plan, numero, paso, plan.concepto); };
  QString titulo;
  std::exception_ptr error;
  const bool escrito = EscribeConReintentos(
      [&] {
        try {
          escribe();
        } catch (const std::exception&) {
          error = std::current_exception();
          throw;
        }
      },
      [&] {
        // The caption without the text of an earlier failure.
        titulo = windowTitle();
        if (const qsizetype i = titulo.indexOf(kTraficoMovimiento); i >= 0) titulo.truncate(i);
      },
      [&](int intento) {
        setWindowTitle(titulo + kTraficoMovimiento + QString::number(intento));
        repaint();
      },
      kReintentosMovimiento, kPausaReintentoMs, kPlazoReintentosMs);
  // A row still not written stops the save rather than being lost: F10, or
  // the window's next claim, finishes it from here.
  if (!escrito && error) std::rethrow_exception(error);
}

MovimientoVenta TFormaFactura::MovimientoFactura(const PlanGuardado& plan, const QString& numero, qint64 control) {
  MovimientoVenta venta;
  venta.letra = plan.tipo.isEmpty() ? QChar(u' ') : plan.tipo[0];
  venta.numero = numero;
  venta.control = control;
  venta.concepto = plan.concepto;
  venta.fecha = plan.Valor(QStringLiteral("FEDOC_F")).toDate();
  venta.cliente = plan.Valor(QStringLiteral("CLCLI_F")).toString();
  venta.vendedor = plan.Valor(QStringLiteral("CLVEN_F")).toString();
  venta.usuario = plan.usuario;
  return venta;
}

QString TFormaFactura::ReferenciaMovimiento(const PlanGuardado& plan, const QString& numero, qint64 control) {
  return DocumentoMovimientoVenta(MovimientoFactura(plan, numero, control));
}

void TFormaFactura::AgregaMovimientoFactura(const PlanGuardado& plan, const QString& numero, const QString& paso,
                                            int concepto, bool reversa) {
  UnidadTrabajo& u = *guardado_;
  db::Tabla& captura = *TablaDeta;
  db::Tabla& movimientos = *TablamovimientosInventario;
  MovimientoVenta venta = MovimientoFactura(plan, numero, plan.control);
  venta.concepto = concepto;
  const auto llena = [&](qint64 documento) {
    return [&, documento](db::Dataset& fila) {
      LlenaMovimientoVenta(fila, venta, captura, documento);
      // The reversal row leaves the stock after it unwritten.
      if (reversa) fila.FieldByName(QStringLiteral("EXIST_MI")).Clear();
    };
  };
  // A changed document's rows take back the number of the rows it replaced.
  if (EstadoFactura.MovimientoReutilizado != 0) {
    u.Agrega(movimientos, paso, llena(EstadoFactura.MovimientoReutilizado), true);
    return;
  }
  db::Numeracion numeracion(movimientos);
  u.Agrega(movimientos, paso, llena(SiguienteNumeroMovimiento(movimientos)), true);
}

void TFormaFactura::EscribeMovimientoReversa(const PlanGuardado& plan, const QString& numero, const QString& paso) {
  if (!plan.movimientos) return;
  try {
    AgregaMovimientoFactura(plan, numero, paso, kConceptoReversa, true);
  } catch (const std::exception&) {
    // The reversal row is a record only: the command goes on without it.
  }
}

qint64 TFormaFactura::PrimerMovimientoFactura(const QString& referencia) {
  if (EstadoFactura.IntegraMovimientos != QStringLiteral("S")) return 0;
  db::Tabla m;
  m.SetCarpeta(TablamovimientosInventario->Carpeta());
  m.SetNombreTabla(TablamovimientosInventario->NombreTabla());
  m.SetIndexName(QStringLiteral("NUDOC_MI"));
  m.SetReadOnly(true);
  m.Open();
  m.SetRange({referencia}, {referencia});
  m.First();
  return m.Eof() ? 0 : FilaGuardar(m, "CLDOC_MI").AsInteger();
}

void TFormaFactura::RegresaExistenciasFactura(const PlanGuardado& plan, const QString& numero) {
  UnidadTrabajo& u = *guardado_;
  db::Tabla& captura = *TablaDeta;
  db::Tabla& productos = *TablaInventario;
  if (!productos.Active()) return;
  PostPendiente(captura);
  productos.SetIndexName(QStringLiteral("ICLPRO"));
  for (captura.First(); !captura.Eof(); captura.Next()) {
    const QString clave = FilaGuardar(captura, "CLAVE").AsString();
    if (clave.isEmpty() || !productos.FindKey({clave})) continue;
    const QString fila = QString::number(captura.RecNo());
    const double cantidad = FilaGuardar(captura, "CANTIDAD").AsFloat();
    const Dinero precio = registro::LeeImporte(FilaGuardar(captura, "PRECIO")).value_or(Dinero());
    u.Aplica(
        QStringLiteral("DS") + fila,
        [&] {
          DescuentaExistencia(productos, -cantidad, precio, plan.Valor(QStringLiteral("FEDOC_F")).toDate(), false,
                              plan.sinNegativos);
          return QStringList();
        },
        [] { return QStringList(); });
    // Every restocked line has its movement row.
    GrabaMovimientoFactura(plan, numero, QStringLiteral("DMI") + fila);
  }
}

void TFormaFactura::SaldoClienteFactura(const PlanGuardado& plan) {
  UnidadTrabajo& u = *guardado_;
  if (!TablaCliente->Active()) return;
  cuentas::SaldoVenta venta;
  venta.cliente = plan.Valor(QStringLiteral("CLCLI_F")).toString();
  venta.subtotal = Dinero::DeTexto(u.Dato(QStringLiteral("subtotal")));
  // An empty or unreadable rate is no tax.
  venta.tasaIva = ValorNumerico(u.Dato(QStringLiteral("tasa")));
  venta.fecha = plan.Valor(QStringLiteral("FEDOC_F")).toDate();
  venta.totalAnterior = plan.totalAnterior;
  EscrituraGuardado escritura(u, QStringLiteral("CxCSaldo"));
  EstadoFactura.Subtotal = cuentas::ActualizaSaldoCliente(escritura, *TablaCliente, venta);
}

void TFormaFactura::FinGuardadoFactura(const QString& numero) {
  EstadoFactura.UltimoVendedor = EditCLVEN_F->text().left(10);
  for (db::Tabla* t : {TablaFacturae, TablaFacturaD, TablaInventario, TablaCliente, TablamovimientosInventario}) {
    try {
      if (t->Active()) {
        if (Editando(*t)) t->Cancel();
        t->Refresh();
      }
    } catch (const plat::Error&) {
    }
  }
  try {
    if (TablaFacturae->Active() && TablaFacturae->FindKey({numero.toLongLong()})) MuestraDocumentoFactura();
  } catch (const plat::Error&) {
  }
  Navegador->setEnabled(true);
  ui::SetTag(Base, 0);
  ui::SetTag(BotonNuevo, 0);
  ui::SetTag(BotonCambios, 0);
  EstadoFactura.DocumentoNuevo = false;
  EstadoFactura.MovimientoReutilizado = 0;
  EstadoFactura.ConversionPorLista = false;
  HabilitaBotonesFactura(true, true, false, true, true, true, false);
  CierraCapturaFactura();
}

void TFormaFactura::MarcaOrigenesFactura(const QString& lista, const QString& letraOrigen, const QString& destino,
                                         qint64 numero) {
  static const QHash<QChar, std::pair<QString, QString>> pares = {
      {u'F', {QStringLiteral("FacturaE.dbf"), QStringLiteral("FacturaD.dbf")}},
      {u'R', {QStringLiteral("Remision.dbf"), QStringLiteral("RemisioD.dbf")}},
      {u'P', {QStringLiteral("Pedido.dbf"), QStringLiteral("PedidoD.dbf")}},
      {u'C', {QStringLiteral("Cotizaci.dbf"), QStringLiteral("CotizacD.dbf")}}};
  const auto par = pares.find(letraOrigen.isEmpty() ? QChar() : letraOrigen[0].toUpper());
  if (par == pares.end()) return;
  const QString marca = (destino.isEmpty() ? QString() : destino.left(1)) + QString::number(numero);
  // The numbers of the origin documents, in their own header table.
  for (const qint64 origen : ExpandeListaFolios(lista, par->first)) {
    try {
      db::Tabla e;
      AbreTablaGuardado(e, CarpetaDeTabla(par->first), par->first, QStringLiteral("INUMENC"));
      if (e.FindKey({origen}) && FilaGuardar(e, "REMIS_F").AsString() != marca) {
        e.Edit();
        FilaGuardar(e, "REMIS_F").SetAsString(marca);
        e.Post();
      }
      db::Tabla l;
      AbreTablaGuardado(l, CarpetaDeTabla(par->second), par->second, QStringLiteral("CLDOC_FD"));
      const QString texto = QString::number(origen);
      l.SetRange({texto}, {texto});
      for (l.First(); !l.Eof(); l.Next()) {
        if (FilaGuardar(l, "TDOCU_FD").AsString() == marca) break;
        l.Edit();
        FilaGuardar(l, "TDOCU_FD").SetAsString(marca);
        l.Post();
      }
    } catch (const std::exception&) {
    }
  }
}
