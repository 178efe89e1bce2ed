#include "salesdocs/FacturaRemision.h"

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
#include "platform/db/Numeracion.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/ImportesVenta.h"
#include "pos/Corte.h"
#include "pos/PartidasDocumento.h"
#include "salesdocs/BuferVenta.h"
#include "shell/LineasConfiguracion.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QThread>
#include <QToolButton>

#include <functional>

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

// Removes what an invoice that could not be finished left: its lines and its
// header row. Each removal is tried; the first failure is what the user
// hears of after the error that stopped the invoice.
void QuitaFactura(db::Tabla& encabezados, qint64 registro, db::Tabla& partidas, const QString& numero) {
  try {
    if (Editando(partidas)) partidas.Cancel();
    partidas.SetRange({numero}, {numero});
    while (!partidas.IsEmpty()) {
      partidas.First();
      partidas.Delete();
    }
    partidas.CancelRange();
  } catch (const plat::Error&) {
  }
  try {
    if (Editando(encabezados)) encabezados.Cancel();
    if (registro > 0 && encabezados.VeARegistro(registro)) encabezados.Delete();
  } catch (const plat::Error&) {
  }
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
  qint64 registro = 0;
  {
    // The highest number + 1, read and posted under the numbering lock.
    db::Numeracion numeracion(encabezados);
    encabezados.Last();
    numero = (encabezados.IsEmpty() ? 0 : Campo(encabezados, "CLDOC_F").AsInteger()) + 1;
    encabezados.Append();
    try {
      encabezado(numero);
      Campo(encabezados, "CLDOC_F").SetAsInteger(numero);
      encabezados.Post();
    } catch (...) {
      if (Editando(encabezados)) encabezados.Cancel();
      throw;
    }
    registro = encabezados.RecNo();
  }
  const QString texto = QString::number(numero);
  try {
    lineas(texto);
    marca(texto);
  } catch (...) {
    QuitaFactura(encabezados, registro, partidas, texto);
    throw;
  }
  return numero;
}

qint64 GeneraFacturaDeRemision(TFormaCapturaRapida& p) {
  db::Tabla& remision = *p.TablaFacturae;
  const QString carpeta = CarpetaFacturas();
  db::Tabla encabezados;
  AbreTabla(encabezados, carpeta, kFacturaE, QStringLiteral("INUMENC"));
  db::Tabla partidas;
  AbreTabla(partidas, carpeta, kFacturaD, QStringLiteral("CLDOC_FD"));

  // The amounts: the document's subtotal and tax less its discount, the
  // discount to cents (halves away from zero).
  const Dinero total = p.Totales.SubtotalVenta + p.Totales.IvaVenta;
  const Dinero descuento = PorcentajeACentavos(total, ValorNumerico(p.EditDESFI_F->text()));
  const Dinero neto = total - descuento;
  const QString tipoPago = p.TipoPago->currentText();
  const qint64 control = Campo(remision, "CONTROL").AsInteger();

  const qint64 numero = EscribeFactura(
      encabezados, partidas,
      [&](qint64) {
        for (const QString& nombre : remision.NombresCampos())
          if (db::Campo* destino = encabezados.FindField(nombre)) destino->SetValue(remision.FieldByName(nombre).Value());
        Campo(encabezados, "CLPED_F").SetAsString(QStringLiteral("R") + p.EditCLDOC_F->text());
        const QDate hoy = fs::Hoy();
        for (const char* fecha : {"FEDOC_F", "FEVEN_F", "FEENT_F"}) Campo(encabezados, fecha).SetAsDate(hoy);
        if (EsPagoCredito(tipoPago)) {
          Campo(encabezados, "ABONO_F").SetAsFloat(0);
          Campo(encabezados, "SALDO_F").SetValue(remision.FieldByName(QStringLiteral("IMTOD_F")).Value());
        } else {
          Campo(encabezados, "ABONO_F").SetAsString(neto.Texto());
          Campo(encabezados, "SALDO_F").SetAsString(neto.Texto());
        }
        Campo(encabezados, "STATU_F").SetAsString(QStringLiteral("G"));
        if (!tipoPago.isEmpty()) {
          Campo(encabezados, "METOD_F").SetAsString(tipoPago);
          Campo(encabezados, "FORMA_F").SetAsString(kFormaPago);
        }
      },
      [&](const QString& texto) { CopiaPartidasAFactura(p, partidas, texto, control); },
      // The remission's mark last: the invoice stands whole before the
      // remission says it is invoiced.
      [&](const QString& texto) {
        try {
          EditaFila(remision);
          Campo(remision, "REMIS_F").SetAsString(QStringLiteral("F") + texto);
          remision.Post();
        } catch (...) {
          if (Editando(remision)) remision.Cancel();
          throw;
        }
      });
  AgregaEstado(p, QStringLiteral(" Genero ") + Campo(remision, "REMIS_F").AsString());
  return numero;
}

void CopiaPartidasAFactura(TFormaCapturaRapida& p, db::Tabla& partidas, const QString& numero, qint64 control) {
  db::Tabla& captura = *p.TablaDeta;
  PostPendiente(captura);
  const double descuentoDocumento = ValorNumerico(p.EditDESFI_F->text());
  QDate fecha;
  LeeFecha(p.EditFEDOC_F->text(), fecha);
  // The stamp of the line row the screen stands on (the remission's first).
  QDate fechaLinea;
  if (HayFila(*p.TablaFacturaD)) fechaLinea = Campo(*p.TablaFacturaD, "FEDOC_FD").AsDate();
  const QString usuarioLinea = p.OcultarVendedor1->isChecked() ? p.LabelVendedor->text() : p.usuario->text();
  for (captura.First(); !captura.Eof(); captura.Next()) {
    const auto de = [&](const char* n) -> db::Campo& { return Campo(captura, n); };
    if (de("CLAVE").AsString().isEmpty()) continue;
    const Dinero precio = registro::LeeImporte(de("PRECIO")).value_or(Dinero());
    partidas.Append();
    try {
      const auto fija = [&](const char* n, const QVariant& v) { Campo(partidas, n).SetValue(v); };
      fija("CLDOC_FD", numero);
      fija("CONTROL", control);
      fija("CLPRO_FD", de("CLAVE").Value());
      fija("CANTI_FD", de("CANTIDAD").Value());
      fija("PENDI_FD", de("TARA").Value());
      fija("DEPRO_FD", de("PRODUCTO").Value());
      fija("PUNPR_FD", de("PRECIO").Value());
      Campo(partidas, "PREDE_FD")
          .SetAsString(PrecioNetoPartida(precio, de("DESCUENTO").AsFloat(), de("DESCUENTO2").AsFloat(),
                                         de("DESCUENTO3").AsFloat(), descuentoDocumento)
                           .Texto());
      Campo(partidas, "IMPOR_FD").SetAsString((precio * de("CANTIDAD").AsFloat()).Texto());
      fija("COPRO_FD", de("COSTO").Value());
      fija("PDES1_FD", de("DESCUENTO").Value());
      fija("UNIDA_FD", de("UNIDAD").Value());
      if (fecha.isValid()) Campo(partidas, "FEDOC_FD").SetAsDate(fecha);
      fija("PIVA1_FD", de("IMPUESTO").Value());
      fija("FPGCX_FD", de("FPGC").Value());
      fija("TICAM_FD", de("EMPAQUE").Value());
      fija("PIVA2_FD", de("FACTOR").Value());
      fija("FECHA", SelloFecha(fechaLinea));
      fija("TIPOX_FD", de("TIPO").Value());
      fija("HORAF_F", p.usuario->text());
      fija("NOMDI_FD", de("PROVEEDOR").Value());
      fija("USUARIO", usuarioLinea);
      fija("INICIAL", de("INICIAL").Value());
      fija("FINAL", de("FINAL").Value());
      if (de("IEPS1").AsFloat() > 0) fija("IEPS1_FD", de("IEPS1").Value());
      fija("TDOCU_FD", QStringLiteral("F"));
      partidas.Post();
    } catch (...) {
      if (Editando(partidas)) partidas.Cancel();
      throw;
    }
  }
}

void RegistraCobroFactura(TFormaCapturaRapida& p) {
  if (EsPagoCredito(p.TipoPago->currentText())) return;
  db::Tabla& e = *p.TablaFacturae;
  db::Tabla cuentas;
  cuentas.SetCarpeta(RutaDatosCorte);
  cuentas.SetNombreTabla(QStringLiteral("Cucobrar.dbf"));
  cuentas.Open();
  cuentas.Append();
  try {
    const QDate hoy = fs::Hoy();
    Campo(cuentas, "NUFAC_CC").SetAsString(Campo(e, "REMIS_F").AsString().mid(1).trimmed());
    Campo(cuentas, "CONCE_CC").SetAsString(QStringLiteral("Factura Pagada ") + Campo(e, "CLDOC_F").AsString());
    Campo(cuentas, "TIMOV_CC").SetAsString(QStringLiteral("7"));
    Campo(cuentas, "FEAPL_CC").SetAsDate(hoy);
    Campo(cuentas, "FEVEN_CC").SetAsDate(hoy);
    Campo(cuentas, "IMCUE_CC").SetValue(Campo(e, "IMTOD_F").Value());
    Campo(cuentas, "ABONO_CC").SetValue(Campo(e, "IMTOD_F").Value());
    Campo(cuentas, "CONTROL").SetValue(Campo(e, "CONTROL").Value());
    Campo(cuentas, "OPERA_CC").SetAsString(QStringLiteral("A"));
    Campo(cuentas, "CLCLI_CC").SetAsString(QStringLiteral("1"));
    cuentas.Post();
  } catch (...) {
    if (Editando(cuentas)) cuentas.Cancel();
    throw;
  }
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
  try {
    RegistraCobroFactura(p);
  } catch (const std::exception&) {
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
  if (p.BitacoraVenta) {
    QString nombre;
    LeeNombreUsuario(p.usuario->text(), CarpetaPrograma(QString()), nombre);
    RegistraHistorial(true, RutaDatosCorte, u'R', p.EditCLDOC_F->text(), QStringLiteral("GENERAR FACTURA"), nombre);
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
