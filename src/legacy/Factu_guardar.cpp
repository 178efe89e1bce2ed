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
  if (!nuevo || !ValidaClienteFactura()) {
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
  if (letra.isNull()) {
    // A kind the save does not know writes nothing.
    ui::SetTag(BotonNuevo, 0);
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
    if (EstadoFactura.Control == 0) EstadoFactura.Control = static_cast<int>(FilaGuardar(e, "CONTROL").AsInteger());
    if (EstadoFactura.Control == 0) EstadoFactura.Control = NumeroControlFactura();
    PlanGuardado p;
    p.tipo = Base->currentText();
    p.letra = letra;
    p.modo = PlanGuardado::Modo::Nuevo;
    p.control = EstadoFactura.Control;
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
    p.Fija(QStringLiteral("TREGI_F"), QVariant());
    p.Fija(QStringLiteral("DESFI_F"), ValorNumerico(descuento));
    if (!tasa.isEmpty()) p.Fija(QStringLiteral("IMIM1_F"), ValorNumerico(tasa));
    FijaTablasPlanFactura(p);
    p.rechazaSinExistencia = EstadoFactura.FacturarSinExistencias == QStringLiteral("N");
    p.basesCerradas = LineaConf(ConfBasesAbiertas) == QStringLiteral("NO");
    p.concepto = letra == u'F' ? 1 : letra == u'R' ? 3 : letra == u'D' ? 52 : EstadoFactura.ConceptoMovimiento;
    p.totalAnterior = EstadoFactura.ImporteAnterior;
    p.caja = EstadoFactura.Caja;
    PostPendiente(e);
    UnidadTrabajo::Datos datos = p.Datos();
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
    if (!diario->HayEscrituras()) {
      diario->Termina();
      ui::SetTag(BotonNuevo, 1);
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

void TFormaFactura::GuardaPorLetraFactura(QChar letra) {
  // Every effect of a letter runs from EjecutaGuardadoFactura; here the
  // switch takes its customer and ends the new document.
  EstadoFactura.ClienteGuardado = guardado_ && guardado_->Pendiente()
                                      ? PlanGuardado::De(guardado_->Inicio()).Valor(QStringLiteral("CLCLI_F")).toString()
                                      : EditCLCLI_F->text();
  if (letra == u'F' || letra == u'R' || letra == u'D') EstadoFactura.ConceptoMovimiento = letra == u'F' ? 1 : letra == u'R' ? 3 : 52;
  ui::SetTag(BotonNuevo, 0);
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
  db::Tabla& captura = *TablaDeta;
  db::Tabla& movimientos = *TablamovimientosInventario;
  MovimientoVenta venta;
  venta.letra = plan.tipo.isEmpty() ? QChar(u' ') : plan.tipo[0];
  venta.numero = numero;
  venta.control = plan.control;
  venta.concepto = plan.concepto;
  venta.fecha = plan.Valor(QStringLiteral("FEDOC_F")).toDate();
  venta.cliente = plan.Valor(QStringLiteral("CLCLI_F")).toString();
  venta.vendedor = plan.Valor(QStringLiteral("CLVEN_F")).toString();
  venta.usuario = plan.usuario;
  const auto escribe = [&] {
    db::Numeracion numeracion(movimientos);
    const qint64 siguiente = SiguienteNumeroMovimiento(movimientos);
    u.Agrega(
        movimientos, paso, [&](db::Dataset& fila) { LlenaMovimientoVenta(fila, venta, captura, siguiente); }, true);
  };
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
