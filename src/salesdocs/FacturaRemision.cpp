#include "salesdocs/FacturaRemision.h"

#include "foundation/UnidadTrabajo.h"
#include "foundation/ValoresFila.h"
#include "foundation/advierte.h"
#include "foundation/dialogos.h"
#include "foundation/dinero.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/CamposRegistro.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/ImportesVenta.h"
#include "pos/Corte.h"
#include "pos/NumeroFinal.h"
#include "pos/PartidasDocumento.h"
#include "salesdocs/BuferVenta.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QThread>
#include <QToolButton>

#include <QHash>

#include <functional>
#include <memory>
#include <optional>

namespace {

const QString kCancelado = QStringLiteral("No se Puede Generar Factura de un Documento CANCELADO...");
const QString kConfirma = QStringLiteral("Esta Seguro que Desea GENERAR LA FACTURA ?");
const QString kFormaPago = QStringLiteral("Pago en una sola Exhibición");
const QString kFacturaE = QStringLiteral("FacturaE.dbf");
const QString kFacturaD = QStringLiteral("FacturaD.dbf");

db::Campo& Campo(const db::Dataset& t, const char* nombre) { return t.FieldByName(QString::fromLatin1(nombre)); }

void AgregaEstado(TFormaCapturaRapida& p, const QString& texto) {
  p.Estado->setText(p.Estado->text() + texto);
  p.Estado->repaint();
}

bool ClienteExiste(TFormaCapturaRapida& p) {
  return p.TablaCliente->Active() && p.TablaCliente->FindKey({p.EditCLCLI_F->text()});
}

// The folder of the invoice tables: the first line of rutaf.dat when it
// names one (a file that cannot be read is as none), else the data folder.
QString CarpetaFacturas() {
  try {
    const std::optional<QString> linea = PrimeraLinea(kArchivoRutaFacturas);
    if (linea && !linea->trimmed().isEmpty()) return linea->trimmed();
  } catch (const plat::Error&) {
  }
  return RutaDatosCorte;
}

void AbreTabla(db::Tabla& t, const QString& carpeta, const QString& archivo, const QString& tag) {
  t.SetCarpeta(carpeta);
  t.SetNombreTabla(archivo);
  t.SetIndexName(tag);
  t.Open();
}

// The checks both commands make, in order; false when the command stops.
// `pregunta`: "Factura e Imprimir" asks before anything else is looked at.
bool ValidaFacturacion(TFormaCapturaRapida& p, bool pregunta) {
  db::Tabla& e = *p.TablaFacturae;
  if (!HayFila(e)) return false;
  if (Campo(e, "STATU_F").AsString() == QStringLiteral("C")) {
    MuestraMensaje(kCancelado);
    return false;
  }
  if (pregunta && !ConfirmaGenerarFactura(&p)) return false;
  if (!ClienteExiste(p)) p.AsignaClienteDocumento();
  if (!Campo(e, "REMIS_F").AsString().isEmpty()) {
    MuestraMensaje(kDocumentoYaFacturado);
    return false;
  }
  if (!pregunta) {
    AgregaEstado(p, QStringLiteral(" Leyendo Datos..."));
    QThread::msleep(800);
  }
  if (!ClienteExiste(p)) {
    MuestraMensaje(kClienteNoExisteFactura);
    return false;
  }
  if (!pregunta) {
    try {
      p.CompletaEstadoPais();
    } catch (const std::exception&) {
    }
  }
  p.FacturaDerivada = true;
  MuestraClienteFactura(p, *p.TablaCliente);
  p.DocumentoOrigen = CodigoOrigen(p.Base->currentText(), p.EditCLDOC_F->text());
  p.LineasDeRango = false;
  ui::SetTag(p.Base, 1);
  return true;
}

// The header's currency, when it has none, is the national one.
void MonedaNacional(db::Tabla& e) {
  if (!Campo(e, "NOMDI_F").IsNull()) return;
  EditaFila(e);
  Campo(e, "NOMDI_F").SetAsString(QStringLiteral("M.N."));
  Campo(e, "DIVIS_F").SetAsFloat(1.0);
  e.Post();
}

// The steps of the invoice's unit of work (UnidadTrabajo.h), journaled in
// FacturaRemision<n>.jnl of the station's program folder:
//   E      the header, numbered the highest + 1 under the numbering lock;
//   L<k>   the invoice lines;
//   R      the remission's mark (from here on the invoice stands);
//   C      the receipt of a paid invoice (a failure only leaves it out);
//   BIT    the remission's log line.
// Before the mark a failure undoes the rows written (DESHACE, then U...), so
// the remission can be invoiced again; a kill in the middle of the undo goes
// on undoing when the unit runs again.
const QString kPasoDeshace = QStringLiteral("DESHACE");
const QString kEncabezado = QStringLiteral("E:");
const QString kCobro = QStringLiteral("C:");

QString ArchivoDiario(int estacion) { return QStringLiteral("FacturaRemision%1.jnl").arg(estacion); }

QString Si(bool b) { return b ? QStringLiteral("S") : QStringLiteral("N"); }

// The values of the unit's data under a prefix, in order.
ValoresFila ValoresCon(const UnidadTrabajo::Datos& datos, const QString& prefijo) {
  ValoresFila v;
  for (const auto& [clave, valor] : datos)
    if (clave.startsWith(prefijo)) v.append({clave.mid(prefijo.size()), DecodificaValor(valor)});
  return v;
}

// Undoes the rows the unit wrote and ends it; false, the unit pending, when
// a removal failed.
bool QuitaFactura(UnidadTrabajo& u, db::Tabla& encabezados, db::Tabla& partidas, qsizetype lineas) {
  u.Anota(kPasoDeshace);
  bool todo = true;
  const auto paso = [&](const std::function<void()>& fn) {
    try {
      fn();
    } catch (const std::exception&) {
      todo = false;
    }
  };
  for (db::Tabla* t : {&partidas, &encabezados})
    paso([&] {
      if (Editando(*t)) t->Cancel();
    });
  for (qsizetype k = lineas; k >= 1; --k)
    paso([&] { u.QuitaAgregada(QStringLiteral("L%1").arg(k), QStringLiteral("UL%1").arg(k), partidas); });
  paso([&] { u.QuitaAgregada(QStringLiteral("E"), QStringLiteral("UE"), encabezados); });
  if (todo) u.Termina();
  return todo;
}

// Runs the invoice's unit pending in `u` to its end (or its undo) and ends
// it. `remision`, when given, is the table standing on the remission (the
// screen's); otherwise the remission is found by the record the data name.
// Returns the invoice number; throws, after the undo, on a failure before
// the mark.
qint64 TerminaFactura(UnidadTrabajo& u, db::Tabla* pantalla) {
  const UnidadTrabajo::Datos& datos = u.Inicio();
  const QString carpeta = u.Dato(QStringLiteral("carpeta"));
  db::Tabla encabezados;
  AbreTabla(encabezados, carpeta, kFacturaE, QStringLiteral("INUMENC"));
  db::Tabla partidas;
  AbreTabla(partidas, carpeta, kFacturaD, QStringLiteral("CLDOC_FD"));
  QList<ValoresFila> lineas;
  for (const auto& [clave, valor] : datos)
    if (clave == u"linea") lineas << DecodificaValores(valor.split(u'\t'));
  if (u.Hecho(kPasoDeshace)) {
    const bool deshecha = QuitaFactura(u, encabezados, partidas, lineas.size());
    throw plat::Error(plat::Clase::General, deshecha ? QStringLiteral("La factura se había interrumpido y se deshizo")
                                                     : QStringLiteral("La factura interrumpida no se pudo deshacer"));
  }
  qint64 numero = 0;
  try {
    AgregaConSiguienteNumero(encabezados, QStringLiteral("CLDOC_F"), [&](qint64 siguiente) {
      return u.Agrega(
          encabezados, QStringLiteral("E"),
          [&](db::Dataset& e) {
            EscribeValores(e, ValoresCon(datos, kEncabezado));
            Campo(e, "CLDOC_F").SetAsInteger(siguiente);
          },
          true);
    });
    numero = Campo(encabezados, "CLDOC_F").AsInteger();
    const QString texto = QString::number(numero);
    for (qsizetype k = 0; k < lineas.size(); ++k)
      u.Agrega(partidas, QStringLiteral("L%1").arg(k + 1), [&](db::Dataset& l) {
        EscribeValores(l, lineas[k]);
        Campo(l, "CLDOC_FD").SetAsString(texto);
      });
    // The remission's mark last: the invoice stands whole before the
    // remission says it is invoiced.
    u.Fija(QStringLiteral("R"), [&] {
      const qint64 registro = u.Dato(QStringLiteral("remisionRegistro")).toLongLong();
      std::optional<db::Tabla> propia;
      db::Tabla* remision = pantalla;
      if (!remision) {
        propia.emplace();
        AbreTabla(*propia, u.Dato(QStringLiteral("remisionCarpeta")), u.Dato(QStringLiteral("remisionTabla")), {});
        remision = &*propia;
      }
      if (!(HayFila(*remision) && remision->RecNo() == registro) && !remision->VeARegistro(registro))
        throw plat::Error(plat::Clase::NoExiste, QStringLiteral("La remisión %1 ya no está en la tabla %2")
                                                     .arg(u.Dato(QStringLiteral("remisionNumero")), remision->NombreTabla()));
      try {
        EditaFila(*remision);
        Campo(*remision, "REMIS_F").SetAsString(QStringLiteral("F") + texto);
        remision->Post();
      } catch (...) {
        if (Editando(*remision)) remision->Cancel();
        throw;
      }
    });
  } catch (const std::exception&) {
    // Nothing of the invoice is left; the remission can be invoiced again.
    QuitaFactura(u, encabezados, partidas, lineas.size());
    throw;
  }
  const ValoresFila cobro = ValoresCon(datos, kCobro);
  if (!cobro.isEmpty()) {
    try {
      db::Tabla cuentas;
      AbreTabla(cuentas, u.Dato(QStringLiteral("carpetaCuentas")), QStringLiteral("Cucobrar.dbf"), {});
      RegistraCobroFactura(u, cuentas, cobro, numero);
    } catch (const std::exception&) {
      // The invoice stands without its receipt.
    }
  }
  if (u.Dato(QStringLiteral("bitacora")) == u"S") {
    // Never written twice: a line whose writing a kill cut short is lost.
    u.Aplica(
        QStringLiteral("BIT"),
        [&] {
          RegistraHistorial(true, u.Dato(QStringLiteral("carpetaCuentas")), u'R', u.Dato(QStringLiteral("remisionNumero")),
                            QStringLiteral("GENERAR FACTURA"), u.Dato(QStringLiteral("nombre")));
          return QStringList();
        },
        [] { return QStringList(); });
  }
  u.Termina();
  return numero;
}

}  // namespace

bool ConfirmaGenerarFactura(QWidget* padre) {
  TFormaAdvertencia confirma(padre);
  confirma.Label1->setText(kConfirma);
  confirma.ShowModal();
  return confirma.Tag() == 1;
}

bool EsPagoCredito(const QString& tipoPago) {
  return tipoPago == QStringLiteral("Crédito") || tipoPago == QStringLiteral("Credito") ||
         tipoPago == QStringLiteral("CREDITO");
}

qint64 EscribeFactura(db::Tabla& encabezados, db::Tabla& partidas, const std::function<void(qint64)>& encabezado,
                      const std::function<void(const QString&)>& lineas,
                      const std::function<void(const QString&)>& marca) {
  qint64 numero = 0;
  // The highest number + 1, read and posted under the numbering lock.
  const qint64 registro = AgregaConSiguienteNumero(encabezados, QStringLiteral("CLDOC_F"), [&](qint64 siguiente) {
    numero = siguiente;
    encabezados.Append();
    try {
      encabezado(numero);
      Campo(encabezados, "CLDOC_F").SetAsInteger(numero);
      encabezados.Post();
    } catch (...) {
      if (Editando(encabezados)) encabezados.Cancel();
      throw;
    }
    return encabezados.RecNo();
  });
  const QString texto = QString::number(numero);
  try {
    lineas(texto);
    marca(texto);
  } catch (...) {
    // What could not be finished goes: its lines and its header row, each
    // removal tried; the error that stopped the invoice is what the user
    // hears of.
    try {
      if (Editando(partidas)) partidas.Cancel();
      partidas.SetRange({texto}, {texto});
      while (!partidas.IsEmpty()) {
        partidas.First();
        partidas.Delete();
      }
      partidas.CancelRange();
    } catch (const plat::Error&) {
    }
    try {
      if (Editando(encabezados)) encabezados.Cancel();
      if (encabezados.VeARegistro(registro)) encabezados.Delete();
    } catch (const plat::Error&) {
    }
    throw;
  }
  return numero;
}

UnidadTrabajo* DiarioFactura(TFormaCapturaRapida& p) {
  if (!p.Estacion().Tiene()) return nullptr;
  // One object per journal file and screen, read when first asked for.
  static QHash<TFormaCapturaRapida*, std::shared_ptr<UnidadTrabajo>> diarios;
  const QString carpeta = p.Estacion().Carpeta();
  const QString archivo = ArchivoDiario(p.Estacion().Numero());
  std::shared_ptr<UnidadTrabajo>& d = diarios[&p];
  if (!d || d->Ruta() != fs::Local(fs::Une(carpeta, archivo))) {
    d = std::make_shared<UnidadTrabajo>(carpeta, archivo);
    QObject::connect(&p, &QObject::destroyed, [pantalla = &p] { diarios.remove(pantalla); });
  }
  return d.get();
}

qint64 GeneraFacturaDeRemision(TFormaCapturaRapida& p) {
  UnidadTrabajo* u = DiarioFactura(p);
  if (!u) throw plat::Error(plat::Clase::Estado, QStringLiteral("La ventana no tiene tabla de captura"));
  // An invoice the station left unfinished is finished first.
  if (u->Pendiente()) TerminaFactura(*u, nullptr);
  db::Tabla& remision = *p.TablaFacturae;
  const QString carpeta = CarpetaFacturas();
  db::Tabla encabezados;
  AbreTabla(encabezados, carpeta, kFacturaE, QStringLiteral("INUMENC"));

  // The amounts: the document's subtotal and tax less its discount, the
  // discount to cents (halves away from zero).
  const Dinero total = p.Totales.SubtotalVenta + p.Totales.IvaVenta;
  const Dinero descuento = PorcentajeACentavos(total, ValorNumerico(p.EditDESFI_F->text()));
  const Dinero neto = total - descuento;
  const QString tipoPago = p.TipoPago->currentText();
  const qint64 control = Campo(remision, "CONTROL").AsInteger();

  // Everything the invoice writes, fixed before its first write.
  UnidadTrabajo::Datos datos = {
      {"carpeta", carpeta},
      {"carpetaCuentas", CarpetaDeTabla(QStringLiteral("Cucobrar.dbf"))},
      {"remisionCarpeta", remision.Carpeta()},
      {"remisionTabla", remision.NombreTabla()},
      {"remisionRegistro", QString::number(remision.RecNo())},
      {"remisionNumero", p.EditCLDOC_F->text()},
      {"bitacora", Si(p.BitacoraVenta)},
  };
  if (p.BitacoraVenta) {
    QString nombre;
    LeeNombreUsuario(p.usuario->text(), CarpetaPrograma(QString()), nombre);
    datos.append({QStringLiteral("nombre"), nombre});
  }
  ValoresFila encabezado;
  const auto fija = [&encabezado](const QString& campo, const QVariant& valor) {
    for (auto& [nombre, v] : encabezado)
      if (nombre.compare(campo, Qt::CaseInsensitive) == 0) {
        v = valor;
        return;
      }
    encabezado.append({campo, valor});
  };
  for (const QString& nombre : remision.NombresCampos())
    if (encabezados.FindField(nombre)) fija(nombre, remision.FieldByName(nombre).Value());
  fija(QStringLiteral("CLPED_F"), QStringLiteral("R") + p.EditCLDOC_F->text());
  for (const char* fecha : {"FEDOC_F", "FEVEN_F", "FEENT_F"}) fija(QString::fromLatin1(fecha), fs::Hoy());
  if (EsPagoCredito(tipoPago)) {
    fija(QStringLiteral("ABONO_F"), 0.0);
    fija(QStringLiteral("SALDO_F"), remision.FieldByName(QStringLiteral("IMTOD_F")).Value());
  } else {
    fija(QStringLiteral("ABONO_F"), neto.Texto());
    fija(QStringLiteral("SALDO_F"), neto.Texto());
  }
  fija(QStringLiteral("STATU_F"), QStringLiteral("G"));
  if (!tipoPago.isEmpty()) {
    fija(QStringLiteral("METOD_F"), tipoPago);
    fija(QStringLiteral("FORMA_F"), kFormaPago);
  }
  for (const auto& [campo, valor] : encabezado) datos.append({kEncabezado + campo, CodificaValor(valor)});
  for (const ValoresFila& linea : CopiaPartidasAFactura(p, control))
    datos.append({QStringLiteral("linea"), CodificaValores(linea).join(u'\t')});
  if (!EsPagoCredito(tipoPago))
    for (const auto& [campo, valor] : CobroFactura(remision))
      datos.append({kCobro + campo, CodificaValor(valor)});

  u->Inicia(datos);
  const qint64 numero = TerminaFactura(*u, &remision);
  AgregaEstado(p, QStringLiteral(" Genero ") + Campo(remision, "REMIS_F").AsString());
  return numero;
}

bool TerminaFacturaRemisionPendiente(TFormaCapturaRapida& p) {
  try {
    UnidadTrabajo* u = DiarioFactura(p);
    if (!u || !u->Pendiente()) return true;
    const QString remision = u->Dato(QStringLiteral("remisionNumero"));
    try {
      TerminaFactura(*u, nullptr);
    } catch (const std::exception& e) {
      MuestraMensaje(QStringLiteral("No se pudo terminar la factura de la remisión %1 de esta ventana: %2")
                         .arg(remision, plat::TextoError(e)));
      return false;
    }
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return false;
  }
  return true;
}

QList<ValoresFila> CopiaPartidasAFactura(TFormaCapturaRapida& p, qint64 control) {
  db::Tabla& captura = *p.TablaDeta;
  PostPendiente(captura);
  const double descuentoDocumento = ValorNumerico(p.EditDESFI_F->text());
  QDate fecha;
  LeeFecha(p.EditFEDOC_F->text(), fecha);
  // The stamp of the line row the screen stands on (the remission's first).
  QDate fechaLinea;
  if (HayFila(*p.TablaFacturaD)) fechaLinea = Campo(*p.TablaFacturaD, "FEDOC_FD").AsDate();
  const QString usuarioLinea = p.OcultarVendedor1->isChecked() ? p.LabelVendedor->text() : p.usuario->text();
  QList<ValoresFila> lineas;
  for (captura.First(); !captura.Eof(); captura.Next()) {
    const auto de = [&](const char* n) -> db::Campo& { return Campo(captura, n); };
    if (de("CLAVE").AsString().isEmpty()) continue;
    const Dinero precio = registro::LeeImporte(de("PRECIO")).value_or(Dinero());
    ValoresFila l;
    const auto fija = [&](const char* n, const QVariant& v) { l.append({QString::fromLatin1(n), v}); };
    fija("CONTROL", control);
    fija("CLPRO_FD", de("CLAVE").Value());
    fija("CANTI_FD", de("CANTIDAD").Value());
    fija("PENDI_FD", de("TARA").Value());
    fija("DEPRO_FD", de("PRODUCTO").Value());
    fija("PUNPR_FD", de("PRECIO").Value());
    fija("PREDE_FD", PrecioNetoPartida(precio, de("DESCUENTO").AsFloat(), de("DESCUENTO2").AsFloat(),
                                       de("DESCUENTO3").AsFloat(), descuentoDocumento)
                         .Texto());
    fija("IMPOR_FD", (precio * de("CANTIDAD").AsFloat()).Texto());
    fija("COPRO_FD", de("COSTO").Value());
    fija("PDES1_FD", de("DESCUENTO").Value());
    fija("UNIDA_FD", de("UNIDAD").Value());
    if (fecha.isValid()) fija("FEDOC_FD", fecha);
    fija("PIVA1_FD", de("IMPUESTO").Value());
    fija("FPGCX_FD", de("FPGC").Value());
    fija("TICAM_FD", de("EMPAQUE").Value());
    fija("PIVA2_FD", de("FACTOR").Value());
    fija("FECHA", qint64{SelloFecha(fechaLinea)});
    fija("TIPOX_FD", de("TIPO").Value());
    fija("HORAF_F", p.usuario->text());
    fija("NOMDI_FD", de("PROVEEDOR").Value());
    fija("USUARIO", usuarioLinea);
    fija("INICIAL", de("INICIAL").Value());
    fija("FINAL", de("FINAL").Value());
    if (de("IEPS1").AsFloat() > 0) fija("IEPS1_FD", de("IEPS1").Value());
    fija("TDOCU_FD", QStringLiteral("F"));
    lineas << l;
  }
  return lineas;
}

ValoresFila CobroFactura(const db::Dataset& remision) {
  const QDate hoy = fs::Hoy();
  return {{QStringLiteral("CONCE_CC"), QStringLiteral("Factura Pagada ") + Campo(remision, "CLDOC_F").AsString()},
          {QStringLiteral("TIMOV_CC"), QStringLiteral("7")},
          {QStringLiteral("FEAPL_CC"), hoy},
          {QStringLiteral("FEVEN_CC"), hoy},
          {QStringLiteral("IMCUE_CC"), Campo(remision, "IMTOD_F").Value()},
          {QStringLiteral("ABONO_CC"), Campo(remision, "IMTOD_F").Value()},
          {QStringLiteral("CONTROL"), Campo(remision, "CONTROL").Value()},
          {QStringLiteral("OPERA_CC"), QStringLiteral("A")},
          {QStringLiteral("CLCLI_CC"), QStringLiteral("1")}};
}

void RegistraCobroFactura(UnidadTrabajo& u, db::Tabla& cuentas, const ValoresFila& cobro, qint64 numero) {
  u.Agrega(cuentas, QStringLiteral("C"), [&](db::Dataset& c) {
    Campo(c, "NUFAC_CC").SetAsString(QString::number(numero));
    EscribeValores(c, cobro);
  });
}

void Factura1Click(TFormaCapturaRapida& p) {
  if (!ValidaFacturacion(p, false)) return;
  AgregaEstado(p, QStringLiteral(" GENERANDO FACTURA..."));
  QThread::msleep(600);
  try {
    GeneraFacturaDeRemision(p);
  } catch (const std::exception& e) {
    // Nothing of the invoice is left; the remission can be invoiced again.
    p.FacturaDerivada = false;
    ui::MuestraExcepcion(e);
    return;
  }
  db::Tabla& e = *p.TablaFacturae;
  if (p.TablaFacturaD->Active()) p.TablaFacturaD->First();
  p.HabilitaCaptura();
  p.EditCLCLI_F->setFocus(Qt::OtherFocusReason);
  p.DocumentoNuevo = true;
  EditaFila(e);
  MonedaNacional(e);
  const QString numero = Campo(e, "CLDOC_F").AsString();
  if (p.TablaFacturaD->Active()) {
    p.TablaFacturaD->SetRange({numero}, {numero});
    p.TablaFacturaD->First();
  }
  p.MuestraDocumento();
  p.Detalle->setFocus(Qt::OtherFocusReason);
}

void FacturaeImprimir1Click(TFormaCapturaRapida& p) {
  if (!ValidaFacturacion(p, true)) return;
  const qint64 remision = Campo(*p.TablaFacturae, "CLDOC_F").AsInteger();
  // Saved as an invoice made from the remission, which its save marks.
  p.FacturaDeRemisiones = true;
  p.RemisionesDeFactura = p.TablaFacturae->Carpeta() + u'\n' + QString::number(remision);
  GuardaVentaEnBufer(p, u'C');
  CargaVentaDeBufer(p, u'F');
  if (p.TablaFacturaD->Active()) p.TablaFacturaD->First();
  p.HabilitaCaptura();
  p.EditCLCLI_F->setFocus(Qt::OtherFocusReason);
  p.DocumentoNuevo = true;
  EditaFila(*p.TablaFacturae);
  p.BotonGuardarClick();
  // A save refused or stopped leaves the invoice in capture, to be saved
  // again; the remission is marked only once its invoice is saved.
  if (p.FacturaDerivada || ui::Tag(p.BotonNuevo) == 1) return;

  MonedaNacional(*p.TablaFacturae);
  p.DocumentoOrigen = CodigoOrigen(QStringLiteral("F"), p.EditCLDOC_F->text());
  // Back on the remissions, in their folder (configuration line 63 when set).
  p.Base->setCurrentText(QStringLiteral("Remisión"));
  p.BaseChange();
  if (p.TablaFacturae->FindKey({remision})) p.MuestraDocumento();
}
