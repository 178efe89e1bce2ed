// Saving a sale on the sale screen (F10): the checks, everything the save
// will write fixed and journaled as one unit of work of the station, the
// final number of a new document and the folios, the writes, the saved
// phase; a save finished from its journal when F10 is pressed again or the
// station starts again; the question when the window closes.
//
// The unit of work (UnidadTrabajo.h) keeps the save of the station in
// Guardado<n>.jnl of the program folder. Its data are the plan
// (PlanGuardado.h): the header row whole, the control number, the user, the
// options that decide each line; its lines come from the station's capture
// table, which nothing but the save changes until the save ends. Run again,
// the save skips what is written and finds the rows a killed run appended, so
// the same document comes out, under the same number, once.

#include "customers/CuentasCobrar.h"
#include "foundation/BotonEsquinado.h"
#include "foundation/cerrar.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "inventory/ConPro.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/process/Procesos.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Forma.h"
#include "platform/ui/PuertaModal.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/DocumentosVenta.h"
#include "pos/NumeroFinal.h"
#include "pos/PartidasDocumento.h"
#include "pos/EscrituraGuardado.h"
#include "pos/PlanGuardado.h"
#include "pos/TablasVenta.h"
#include "foundation/UnidadTrabajo.h"
#include "shell/Inicial.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

const QString kNoGuardados = QStringLiteral("No Pueden Guardarse los Datos ha Ocurrido un Error");
const QString kFaltaNumero = QStringLiteral("Falta el Número de Documento");
const QString kFaltaCambio = QStringLiteral("Falta Calcular Cambio...");
const QString kErrorFolios = QStringLiteral("Hay un error en la base de datos Folios");
const QString kSinConexion = QStringLiteral("No es Posible Guardar los Datos...error de conexión...") + QChar(u'\r') +
                             QStringLiteral(" Se Recomienda revisar su red y REINICIAR EL PROGRAMA");
const QString kPendiente = QStringLiteral("No se pudo terminar de guardar la venta %1 de esta ventana: %2");

QString ArchivoDiario(int estacion) { return QStringLiteral("Guardado%1.jnl").arg(estacion); }

using plat::TextoError;

}  // namespace

void TFormaCapturaRapida::ConectaGuardado() {
  for (QObject* item : {static_cast<QObject*>(Guardar1), static_cast<QObject*>(BotonTerminaVenta),
                        static_cast<QObject*>(BotonRedondo2)})
    AsignaComando(item, [this] { BotonGuardarClick(); });
  ui::Conecta(BotonGuardar, &QToolButton::clicked, this, [this] { BotonGuardarClick(); });
}

UnidadTrabajo* TFormaCapturaRapida::Diario() {
  if (!estacion_.Tiene()) return nullptr;
  const QString archivo = ArchivoDiario(estacion_.Numero());
  if (!guardado_ || guardado_->Ruta() != fs::Local(fs::Une(estacion_.Carpeta(), archivo)))
    guardado_ = std::make_unique<UnidadTrabajo>(estacion_.Carpeta(), archivo);
  return guardado_.get();
}

bool TFormaCapturaRapida::GuardadoPendiente() {
  try {
    const UnidadTrabajo* diario = Diario();
    return diario && diario->Pendiente();
  } catch (const plat::Error&) {
    return false;
  }
}

bool TFormaCapturaRapida::SinConexionDatos(const QString& carpeta) const { return !fs::ExisteCarpeta(carpeta); }

void TFormaCapturaRapida::BotonGuardarClick() {
  if (plan_) return;
  UnidadTrabajo* diario = nullptr;
  try {
    diario = Diario();
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
    return;
  }
  // A save stopped by an error is finished first, under its own number.
  if (diario && diario->Pendiente()) {
    ContinuaGuardado();
    return;
  }
  if (OpcionHerrajesF5 && HayFila(*TablaFacturae) &&
      ValorNumerico(CAMBIO_F->text()) < TablaFacturae->FieldByName(QStringLiteral("IMTOD_F")).AsFloat()) {
    ui::MensajeSimple(kFaltaCambio);
    return;
  }
  const bool nuevo = ui::Tag(BotonNuevo) == 1;
  const bool cambio = ui::Tag(BotonCambios) == 1;
  Hora->setText(TextoHora(fs::Ahora().time()));
  // A refused save writes nothing and leaves the document in capture.
  if ((!nuevo && !cambio) || !ValidaClienteDocumento()) {
    try {
      PostPendiente(*TablaFacturae);
    } catch (const plat::Error&) {
    }
    MuestraMensaje(kNoGuardados);
    return;
  }
  if (EditCLDOC_F->text().trimmed().isEmpty()) {
    MuestraMensaje(kFaltaNumero);
    EditCLDOC_F->setFocus(Qt::OtherFocusReason);
    return;
  }
  if (!diario) {
    TieneTablaCaptura();
    return;
  }
  // The package field is left (only a shown one can hold the focus).
  if (EmpaqueVisible()) EditEmpaqueExit();
  try {
    QChar letra = LetraDocumento(Base->currentText());
    if (FacturaDeRemisiones && letra == u'F') letra = u'Z';
    const PlanGuardado plan = PlanDePantalla(letra, nuevo, cambio);
    diario->Inicia(plan.Datos());
  } catch (const std::exception& e) {
    MuestraMensaje(TextoError(e));
    return;
  }
  ContinuaGuardado();
}

PlanGuardado TFormaCapturaRapida::PlanDePantalla(QChar letra, bool nuevo, bool cambio) {
  db::Tabla& e = *TablaFacturae;
  PostPendiente(*TablaDeta);
  PlanGuardado p;
  p.tipo = Base->currentText();
  p.letra = letra;
  p.modo = cambio ? PlanGuardado::Modo::Cambio
                  : (nuevo && !FacturaDerivada ? PlanGuardado::Modo::Nuevo : PlanGuardado::Modo::Derivado);
  const bool numerado = p.modo == PlanGuardado::Modo::Nuevo;
  // The totals, which draw a new control number when they changed.
  CalculaTotales();
  if (ControlDocumento == 0) ControlDocumento = static_cast<int>(e.FieldByName(QStringLiteral("CONTROL")).AsInteger());
  p.control = ControlDocumento;
  p.controlAnterior = e.FieldByName(QStringLiteral("CONTROL")).AsInteger();
  p.registro = e.RecNo();
  // The header row as the screen holds it, with what the save writes.
  p.LeeEncabezado(e);
  EscribeEncabezadoDocumento(p);
  if (numerado) {
    if (!p.Valor(QStringLiteral("NOMDI_F")).isValid()) {
      p.Fija(QStringLiteral("NOMDI_F"), QStringLiteral("M.N."));
      p.Fija(QStringLiteral("DIVIS_F"), 1.0);
    }
    if (Conf.ConCortes) {
      try {
        p.Fija(QStringLiteral("CORTE"), UltimoCorte(RutaDatosVenta));
      } catch (const plat::Error&) {
      }
    }
    // The station's provisional row keeps the document as it was captured.
    PostPendiente(e);
  }
  // A new document goes to the shared table of its kind's pair.
  p.carpetaEncabezado = e.Carpeta();
  p.tablaEncabezado = e.NombreTabla();
  if (numerado) {
    p.carpetaEncabezado = TablaFacturaD->Carpeta();
    for (const ParDocumento& par : ParesDocumentoVenta())
      if (par.partidas.compare(TablaFacturaD->NombreTabla(), Qt::CaseInsensitive) == 0) p.tablaEncabezado = par.encabezado;
  }
  p.carpetaPartidas = TablaFacturaD->Carpeta();
  p.tablaPartidas = TablaFacturaD->NombreTabla();
  // The remissions take their offsets; every other kind none.
  p.ajuste = p.tablaEncabezado.compare(QStringLiteral("Remision.dbf"), Qt::CaseInsensitive) == 0 ? AjusteFolio(u'r') : 0;
  p.usuario = NumeroUsuario();
  p.usuarioTexto = OcultarVendedor1->isChecked() ? LabelVendedor->text() : usuario->text();
  p.vendedor = LabelVendedor->text();
  p.factor = FactorPrecioPago;
  p.carpetaDatos = RutaDatosVenta;
  p.rechazaSinExistencia = Conf.FacturarSinExistencias == QStringLiteral("N");
  p.sinNegativos = Conf.ExistenciasNegativas == QStringLiteral("N");
  p.kits = Conf.Kits;
  p.basesCerradas = LineaConf(ConfBasesAbiertas) == QStringLiteral("NO");
  p.bitacora = BitacoraVenta;
  p.concepto = ConceptoMovimiento;
  p.movimientos = OpcionMI;
  p.espejo = EspejoRemisiones == kEspejoRemisiones;
  p.limiteAcumulado = Conf.TotalAcumulado;
  p.caja = CajaActual;
  p.totalAnterior = TotalAnterior;
  p.carpetaRemisiones = CarpetaDeTabla(kTablaCxCRemision);
  p.abonaMostrador = nuevo && Conf.CxCRemisiones && Conf.PagarCxCMostrador;
  if (letra == u'Z') p.remisionesFacturadas = RemisionesDeFactura;
  if (cambio) {
    p.clavesReservadas = ClavesReservadas;
    p.cantidadesReservadas = CantidadesReservadas;
  }
  return p;
}

void TFormaCapturaRapida::ContinuaGuardado() {
  UnidadTrabajo& diario = *guardado_;
  const PlanGuardado plan = PlanGuardado::De(diario.Inicio());
  if (SinConexionDatos(plan.carpetaDatos)) {
    // Nothing is written: the journal and the capture keep the sale for the
    // next start of the station.
    MuestraMensaje(kSinConexion);
    CierraConsultaProductos();
    for (db::Tabla* t : {TablaInventario, TablaFacturae, TablaFacturaD}) t->Close();
    CierreTrasGuardar = true;
    if (!preguntaCierre_) Close();
    return;
  }
  try {
    EjecutaGuardado(plan);
  } catch (const std::exception& e) {
    if (!diario.HayEscrituras()) {
      // Nothing reached the tables: the document is still only captured.
      diario.Termina();
    } else {
      // Part of it is written: F10 finishes this same save, so its lines
      // stay as they are.
      HabilitaBotonesCaptura(false, false, true, false, false, false, true);
      BloqueaCaptura();
    }
    ui::MuestraExcepcion(e);
    return;
  }
  diario.Termina();
  if (plan.modo == PlanGuardado::Modo::Cancelacion) FinCancelacion();
  else FinGuardado(plan);
}

void TFormaCapturaRapida::EjecutaGuardado(const PlanGuardado& plan) {
  plan_ = std::make_unique<PlanGuardado>(plan);
  const bool documentoNuevo = DocumentoNuevo;
  struct Fin {
    TFormaCapturaRapida& p;
    bool documentoNuevo;
    ~Fin() {
      p.plan_.reset();
      p.DocumentoNuevo = documentoNuevo;
    }
  } fin{*this, documentoNuevo};
  // The header table waits for another station's lock only while a new
  // document is written.
  DocumentoNuevo = DocumentoNuevo || plan.modo == PlanGuardado::Modo::Nuevo;
  ControlDocumento = static_cast<int>(plan.control);
  FactorPrecioPago = plan.factor;
  if (plan.modo == PlanGuardado::Modo::Cancelacion) {
    EscribeCancelacion(plan);
    return;
  }
  bool enFila = true;
  if (plan.modo == PlanGuardado::Modo::Nuevo) AsignaNumeroFinal();
  else enFila = PosicionaEncabezado(plan, plan.registro);
  // A header another station removed is made again after the lines, with
  // the number the save began with.
  const QString numero = enFila ? TablaFacturae->FieldByName(QStringLiteral("CLDOC_F")).AsString()
                                : plan.Valor(QStringLiteral("CLDOC_F")).toString();
  numeroGuardado_ = numero;
  if (plan.modo == PlanGuardado::Modo::Cambio && enFila) {
    DevuelveVentaCambiada(numero);
    BorraPartidasAnteriores();
  }
  GuardaPorTipo(plan.letra);
  if (!plan.remisionesFacturadas.isEmpty()) MarcaRemisionesFacturadas(numero);
  if (plan.basesCerradas) {
    guardado_->Fija(QStringLiteral("G"), [&] {
      if (!EnEncabezadoGuardado(numero)) return;
      FijaProceso(kFaseGuardada);
      TablaFacturae->Post();
    });
  }
  DepuraPartidasHuerfanas(QString::number(plan.control), numero);
  // The control snapshot, the day's accumulator and the movement mirror.
  RastrosGuardado(numero);
  EscribeBitacoraGuardado(numero);
  if (plan.abonaMostrador) AbonaMostradorGuardado(numero);
}

void TFormaCapturaRapida::DevuelveVentaCambiada(const QString& numero) {
  const PlanGuardado& plan = *plan_;
  // What the document as saved did goes back before its new lines apply
  // theirs, so a change counts each unit once: its lines' stock, sold
  // accumulators and totals, its movement rows, its total in the day's
  // accumulator.
  if (plan.letra == u'F' || plan.letra == u'R' || plan.letra == u'Z') {
    DevuelveEfectosVenta(numero, plan.controlAnterior);
    try {
      RevierteMovimientosVenta(numero, plan.controlAnterior);
    } catch (const std::exception&) {
    }
  }
  guardado_->Aplica(
      QStringLiteral("VACU"),
      [&] {
        AcumulaTotalDia(-1, plan.limiteAcumulado, plan.totalAnterior);
        return QStringList();
      },
      [] { return QStringList(); });
}

void TFormaCapturaRapida::MarcaRemisionesFacturadas(const QString& numero) {
  const QString& facturadas = plan_->remisionesFacturadas;
  const QString marca = (QStringLiteral("F") + numero).left(8);
  QStringList sinMarca;
  guardado_->Fija(QStringLiteral("RF"), [&] {
    // The first line names the folder the remissions were read from: the
    // remission table's own, which the one routine answers.
    db::Tabla remisiones;
    ApuntaTabla(remisiones, QStringLiteral("Remision.dbf"));
    remisiones.SetIndexName(QStringLiteral("INUMENC"));
    remisiones.Open();
    for (const QString& n : facturadas.section(u'\n', 1).split(u',', Qt::SkipEmptyParts)) {
      try {
        if (remisiones.FindKey({n.toLongLong()}) &&
            remisiones.FieldByName(QStringLiteral("REMIS_F")).AsString().isEmpty())
          MarcaRemisionFacturada(remisiones, n.toLongLong(), marca);
      } catch (const plat::Error&) {
        sinMarca << n;
      }
    }
  });
  if (!sinMarca.isEmpty())
    MuestraMensaje(QStringLiteral("La Factura %1 se guardó, pero las remisiones %2 no se pudieron marcar como facturadas")
                       .arg(numero, sinMarca.join(u',')));
}

void TFormaCapturaRapida::OlvidaFacturaDeRemisiones() {
  FacturaDeRemisiones = false;
  RemisionesDeFactura.clear();
}

void TFormaCapturaRapida::SaldoClienteGuardado() {
  EscrituraGuardado escritura(*guardado_, QStringLiteral("CxCSaldo"));
  ActualizaSaldoCliente(escritura);
}

void TFormaCapturaRapida::AbonaMostradorGuardado(const QString& numero) {
  // The document is saved: a failure here only leaves the sale unsettled.
  try {
    if (!EnEncabezadoGuardado(numero)) return;
    EscrituraGuardado escritura(*guardado_, QStringLiteral("CxCMostrador"));
    AbonaContadoMostrador(escritura);
  } catch (const std::exception&) {
  }
}

void TFormaCapturaRapida::FinGuardado(const PlanGuardado&) {
  UltimoVendedor = EditCLVEN_F->text();
  Navegador->setEnabled(!UsuarioRestringido);
  Navegador->setVisible(!UsuarioRestringido);
  HabilitaBotonesCaptura(true, true, false, true, true, true, false);
  // The range flag of the derived documents and "Guardar e Imprimir con
  // F10" (printing) act here.
  FacturaDerivada = false;
  LineasDeRango = false;
  OlvidaFacturaDeRemisiones();
  try {
    PostPendiente(*TablaFacturae);
  } catch (const plat::Error&) {
    PostPendiente(*TablaFacturae);
  }
  // A saved change lets its header row go.
  TablaFacturae->SueltaRetenidos();
  CAMBIO_F->setFocus(Qt::OtherFocusReason);
  try {
    PostPendiente(*TablaDeta);
    MuestraDocumento();
  } catch (const plat::Error&) {
    // The document is saved; showing it again is not worth an error.
  }
  // "Guardar e Imprimir con F10": the ticket of the remission just saved.
  if (GuardareImprimirconF101->isChecked() && Base->currentText() == QStringLiteral("Remisión")) BotonImprimirClick();
  FactorPrecioPago = 1.0;
  DocumentoNuevo = false;
}

bool TFormaCapturaRapida::PosicionaEncabezado(const PlanGuardado& plan, qint64 registro) {
  db::Tabla& e = *TablaFacturae;
  if (fs::Local(e.Carpeta()) != fs::Local(plan.carpetaEncabezado) ||
      e.NombreTabla().compare(plan.tablaEncabezado, Qt::CaseInsensitive) != 0 || !e.Active()) {
    e.Close();
    e.SetCarpeta(plan.carpetaEncabezado);
    e.SetNombreTabla(plan.tablaEncabezado);
    e.SetIndexName(QStringLiteral("INUMENC"));
    e.Open();
  }
  db::Tabla& l = *TablaFacturaD;
  if (fs::Local(l.Carpeta()) != fs::Local(plan.carpetaPartidas) ||
      l.NombreTabla().compare(plan.tablaPartidas, Qt::CaseInsensitive) != 0 || !l.Active()) {
    l.Close();
    l.SetCarpeta(plan.carpetaPartidas);
    l.SetNombreTabla(plan.tablaPartidas);
    l.SetIndexName(QStringLiteral("CLDOC_FD"));
    l.Open();
  }
  if (registro <= 0) return true;
  // A row being written stays as it is; another one is found by its record.
  if (HayFila(e) && e.RecNo() == registro) return true;
  return e.VeARegistro(registro);
}

void TFormaCapturaRapida::AsignaNumeroFinal() {
  const PlanGuardado& plan = *plan_;
  UnidadTrabajo& u = *guardado_;
  PosicionaEncabezado(plan, 0);
  db::Tabla& e = *TablaFacturae;
  qint64 registro = 0;
  if (const auto hecho = u.Resultado(QStringLiteral("E"))) {
    registro = hecho->value(0).toLongLong();
  } else {
    // Appended whole, under the numbering lock, numbered the last one + 1
    // until its record number is known.
    registro = AgregaConSiguienteNumero(e, QStringLiteral("CLDOC_F"), [&](qint64 siguiente) {
      return u.Agrega(
          e, QStringLiteral("E"),
          [&](db::Dataset& fila) {
            plan.EscribeEncabezado(fila);
            fila.FieldByName(QStringLiteral("CLDOC_F")).SetAsInteger(siguiente);
          });
    });
  }
  // The final number: the record number plus the folio offset.
  u.Fija(QStringLiteral("N"), [&] {
    if (!e.VeARegistro(registro))
      throw plat::Error(plat::Clase::NoExiste,
                        QStringLiteral("El registro %1 de la tabla %2 ya no existe").arg(registro).arg(e.NombreTabla()));
    e.Edit();
    try {
      e.FieldByName(QStringLiteral("CLDOC_F")).SetAsInteger(registro + plan.ajuste);
      e.Post();
    } catch (...) {
      if (Editando(e)) e.Cancel();
      throw;
    }
  });
  e.VeARegistro(registro);
}

qint64 TFormaCapturaRapida::AjusteFolio(QChar letra) const {
  switch (letra.toLower().unicode()) {
    case u'f': return FolioBaseFactura + FolioAjusteFactura;
    case u'r': return FolioBaseRemision + FolioAjusteRemision;
    default: return 0;
  }
}

void TFormaCapturaRapida::LeeFolios() {
  const QString ruta = fs::Une(RutaDatosVenta, kArchivoFolios);
  try {
    if (!fs::ExisteArchivo(ruta))
      fs::ReescribeLineas(ruta, {QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"),
                                 QStringLiteral("0"), QStringLiteral("0")});
    const QStringList lineas = fs::LeeLineas(ruta);
    const auto numero = [&](int linea) {
      bool entero = false;
      const qint64 valor = lineas.value(linea - 1).trimmed().toLongLong(&entero);
      if (!entero) throw plat::Error(plat::Clase::Conversion, ruta);
      return valor;
    };
    FolioBaseRemision = numero(1) - 1;
    FolioAjusteRemision = numero(2);
    FolioBaseFactura = numero(4) - 1;
    FolioAjusteFactura = numero(5);
  } catch (const plat::Error&) {
    MuestraMensaje(kErrorFolios);
  }
}

void TFormaCapturaRapida::FijaProceso(const QString& letra) {
  EditaFila(*TablaFacturae);
  TablaFacturae->FieldByName(QStringLiteral("proceso")).SetAsString(letra);
}

void TFormaCapturaRapida::DepuraPartidasHuerfanas(const QString& control, const QString& numero) {
  if (!HayFila(*TablaFacturae) || TablaFacturae->FieldByName(QStringLiteral("CLDOC_F")).AsString() != numero) return;
  db::Tabla& lineas = *TablaFacturaD;
  const auto controlDe = [](const db::Dataset& t) { return t.FieldByName(QStringLiteral("CONTROL")).AsString(); };
  // The controls of the number's lines that are not the saved one's.
  QStringList ajenos;
  lineas.SetRange({numero}, {numero});
  int vistas = 0;
  for (lineas.First(); !lineas.Eof() && vistas < 200 && ajenos.size() < 10; lineas.Next(), ++vistas) {
    const QString c = controlDe(lineas);
    if (c != control && !ajenos.contains(c)) ajenos << c;
  }
  if (ajenos.isEmpty()) return;
  // A control that a header of the number has is another document's.
  {
    db::Tabla encabezados;
    encabezados.SetCarpeta(TablaFacturae->Carpeta());
    encabezados.SetNombreTabla(TablaFacturae->NombreTabla());
    encabezados.SetIndexName(QStringLiteral("INUMENC"));
    encabezados.SetReadOnly(true);
    encabezados.Open();
    encabezados.SetRange({numero.toLongLong()}, {numero.toLongLong()});
    for (encabezados.First(); !encabezados.Eof(); encabezados.Next()) ajenos.removeAll(controlDe(encabezados));
  }
  for (const QString& huerfano : ajenos) {
    const auto vacia = [&] {
      lineas.SetRange({numero}, {numero});
      for (lineas.First(); !lineas.Eof(); lineas.Next()) {
        if (controlDe(lineas) != huerfano) continue;
        lineas.Edit();
        lineas.FieldByName(QStringLiteral("CANTI_FD")).SetAsFloat(0);
        lineas.Post();
      }
    };
    if (plan_) guardado_->Fija(QStringLiteral("D") + huerfano, vacia);
    else vacia();
  }
}

void TFormaCapturaRapida::EscribeBitacoraGuardado(const QString& numero) {
  if (!plan_->bitacora) return;
  // Never written twice: a line whose writing a kill cut short is lost.
  guardado_->Aplica(
      QStringLiteral("T"),
      [&] {
        RegistraHistorial(true, plan_->carpetaDatos, u'R', numero, QStringLiteral("GUARDADA"), plan_->vendedor);
        return QStringList();
      },
      [] { return QStringList(); });
}

bool TFormaCapturaRapida::TerminaGuardadoPendiente() {
  UnidadTrabajo* diario = nullptr;
  try {
    diario = Diario();
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
    return false;
  }
  if (!diario || !diario->Pendiente()) return true;
  const PlanGuardado plan = PlanGuardado::De(diario->Inicio());
  const QString documento = plan.Valor(QStringLiteral("CLDOC_F")).toString();
  if (SinConexionDatos(plan.carpetaDatos)) {
    MuestraMensaje(kPendiente.arg(documento, kSinConexion));
    return false;
  }
  // The screen as the save left it: its kind, its tables, its capture; then
  // back to the kind it shows.
  const QString tipo = Base->currentText();
  const std::pair<QString, QString> tablas[] = {{TablaFacturae->Carpeta(), TablaFacturae->NombreTabla()},
                                                {TablaFacturaD->Carpeta(), TablaFacturaD->NombreTabla()}};
  Base->setCurrentText(plan.tipo);
  ui::SetTag(BotonNuevo, plan.modo == PlanGuardado::Modo::Cambio ? 0 : 1);
  ui::SetTag(BotonCambios, plan.modo == PlanGuardado::Modo::Cambio ? 1 : 0);
  bool hecho = true;
  try {
    PosicionaEncabezado(plan, 0);
    EjecutaGuardado(plan);
    diario->Termina();
  } catch (const std::exception& e) {
    MuestraMensaje(kPendiente.arg(documento, TextoError(e)));
    hecho = false;
  }
  ui::SetTag(BotonNuevo, 0);
  ui::SetTag(BotonCambios, 0);
  BloqueaCaptura();
  Base->setCurrentText(tipo);
  PlanGuardado antes;
  antes.carpetaEncabezado = tablas[0].first;
  antes.tablaEncabezado = tablas[0].second;
  antes.carpetaPartidas = tablas[1].first;
  antes.tablaPartidas = tablas[1].second;
  try {
    PosicionaEncabezado(antes, 0);
  } catch (const plat::Error&) {
  }
  return hecho;
}

// --- Closing.

void TFormaCapturaRapida::FormCloseQuery(bool& puedeCerrar) {
  if (CierreTrasGuardar) return;
  const bool capturando = ui::Tag(BotonNuevo) == 1 || ui::Tag(BotonCambios) == 1;
  const bool pendiente = GuardadoPendiente() && guardado_->HayEscrituras();
  if (!capturando && !pendiente) return;
  TFormaCerrar pregunta(this);
  pregunta.SetTag(3);
  pregunta.ShowModal();
  switch (pregunta.Tag()) {
    case 1:
      // Saved as F10 saves; a save refused or stopped keeps the window open.
      preguntaCierre_ = true;
      BotonGuardarClick();
      preguntaCierre_ = false;
      if (CierreTrasGuardar) return;
      if (ui::Tag(BotonNuevo) == 1 || ui::Tag(BotonCambios) == 1 || GuardadoPendiente()) puedeCerrar = false;
      break;
    case 2:
      // A sale partly written is not given up: the next start finishes it.
      if (pendiente) break;
      if (ui::Tag(BotonNuevo) == 1) {
        VaciaCaptura();
        CalculaTotales();
      }
      try {
        if (ui::Tag(BotonCambios) == 1) SueltaEncabezado();
        else PostPendiente(*TablaFacturae);
        if (Editando(*TablaDeta)) TablaDeta->Cancel();
      } catch (const plat::Error&) {
      }
      HabilitaBotonesCaptura(true, true, false, true, true, true, false);
      BloqueaCaptura();
      ui::SetTag(BotonNuevo, 0);
      ui::SetTag(BotonCambios, 0);
      break;
    default:
      puedeCerrar = false;
  }
}
