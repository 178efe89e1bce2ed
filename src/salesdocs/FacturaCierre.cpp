#include "salesdocs/FacturaCierre.h"

#include "foundation/advierte.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "inventory/CamposRegistro.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/Componentes.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "reports/DialogoImprimir.h"
#include "salesdocs/BuferVenta.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

const QString kRemisiones = QStringLiteral("Remision.dbf");
const QString kPartidasRemision = QStringLiteral("RemisioD.dbf");

db::Campo& Campo(db::Tabla& t, const char* nombre) { return t.FieldByName(QString::fromLatin1(nombre)); }

void AbreEnCierre(db::Tabla& t, const QString& carpeta, const QString& archivo, const QString& tag) {
  t.SetCarpeta(carpeta);
  t.SetNombreTabla(archivo);
  t.SetIndexName(tag);
  t.Open();
}

}  // namespace

QList<qint64> RemisionesDelPeriodo(const QString& carpeta, const QDate& inicio, const QString& archivo) {
  db::Tabla e;
  e.SetReadOnly(true);
  AbreEnCierre(e, carpeta, archivo, QStringLiteral("INUMENC"));
  QList<qint64> numeros;
  if (e.IsEmpty()) return numeros;
  for (e.Last(); !e.Bof(); e.Prior()) {
    const QDate fecha = Campo(e, "FEDOC_F").AsDate();
    if (fecha.isValid() && fecha < inicio) break;
    const qint64 n = Campo(e, "CLDOC_F").AsInteger();
    if (numeros.isEmpty() || numeros.first() != n) numeros.prepend(n);
  }
  return numeros;
}

std::optional<QDate> PideInicioCierre(QWidget* padre, QString& texto) {
  TDialogoImprimir periodo(padre);
  periodo.SetTag(0);
  const QString hoy = TextoFecha(fs::Hoy());
  periodo.PrimeraPagina->setText(hoy);
  periodo.UltimaPagina->setText(hoy);
  periodo.ShowModal();
  if (periodo.Tag() != 1) return std::nullopt;
  texto = periodo.PrimeraPagina->text().trimmed();
  QDate inicio;
  if (!LeeFecha(texto, inicio)) {
    MuestraMensaje(QStringLiteral("'%1' no es una fecha válida").arg(texto));
    return std::nullopt;
  }
  return inicio;
}

QString OrigenCierre(const QList<qint64>& numeros) {
  if (numeros.isEmpty()) return QString();
  return QStringLiteral("CI(") + QString::number(numeros.first()) + u'-' + QString::number(numeros.last()) + u')';
}

void MarcaRemisionesCierre(const QString& carpeta, const QList<qint64>& numeros, const QString& factura) {
  // Each remission of the period not invoiced yet is marked; one that
  // cannot be (held by another station) is named, the invoice standing.
  QStringList sinMarca;
  {
    db::Tabla remisiones;
    AbreEnCierre(remisiones, carpeta, kRemisiones, QStringLiteral("INUMENC"));
    for (const qint64 n : numeros) {
      try {
        if (!remisiones.FindKey({n}) || !Campo(remisiones, "REMIS_F").AsString().isEmpty()) continue;
        remisiones.Edit();
        Campo(remisiones, "REMIS_F").SetAsString((QStringLiteral("F") + factura).left(13));
        remisiones.Post();
      } catch (const plat::Error&) {
        if (Editando(remisiones)) remisiones.Cancel();
        sinMarca << QString::number(n);
      }
    }
  }
  MuestraMensaje(QStringLiteral("Genero la Factura ") + factura +
                 QStringLiteral(" Puede Revisarla en el Módulo de Facturación de VRL"));
  if (!sinMarca.isEmpty())
    MuestraMensaje(QStringLiteral("No se pudieron marcar como facturadas las remisiones ") + sinMarca.join(u',') +
                   QStringLiteral(": una Factura de Cierre posterior las tomaría otra vez"));
}

bool PreguntaImprimirCierre(QWidget* padre) {
  TFormaAdvertencia pregunta(padre);
  pregunta.Label1->setText(QStringLiteral("Desea Imprimir la Factura?"));
  pregunta.ShowModal();
  return pregunta.Tag() == 1;
}

QString FormatoFacturaCierre() { return CarpetaPrograma(QStringLiteral("\\consulta\\FacturaCierre.fmt")); }

double CierrePartidas::Tasa() const {
  return subtotal == Dinero() ? 0 : impuesto.Real() * 100 / subtotal.Real();
}

double CierrePartidas::TasaDescuento() const {
  const Dinero bruto = subtotal + impuesto;
  return bruto == Dinero() ? 0 : descuento.Real() * 100 / bruto.Real();
}

CierrePartidas CargaPartidaCierre(TFormaCapturaRapida& p, const QString& carpeta, const QList<qint64>& numeros) {
  CierrePartidas r;
  p.VaciaCaptura();
  if (!numeros.isEmpty())
    p.Label18->setText(QStringLiteral("Ventas del Documento ") + QString::number(numeros.first()) +
                       QStringLiteral("  al  ") + QString::number(numeros.last()));
  db::Tabla e, l;
  e.SetReadOnly(true);
  l.SetReadOnly(true);
  AbreEnCierre(e, carpeta, kRemisiones, QStringLiteral("INUMENC"));
  AbreEnCierre(l, carpeta, kPartidasRemision, QStringLiteral("CLDOC_FD"));
  double fpgc = 0;
  for (const qint64 n : numeros) {
    if (!e.FindKey({n}) || !Campo(e, "REMIS_F").AsString().isEmpty()) continue;
    int contadas = 0;
    const QString clave = QString::number(n);
    l.SetRange({clave}, {clave});
    for (l.First(); !l.Eof(); l.Next()) {
      if (Campo(l, "TDOCU_FD").AsString() == QStringLiteral("F")) {
        r.facturaExistente = true;
        continue;
      }
      if (Campo(l, "TREGI_FD").AsString() == QStringLiteral("C")) continue;
      ++contadas;
    }
    l.CancelRange();
    // The remission's totals go in once, however many of its lines count.
    if (contadas > 0) {
      const Dinero total = registro::LeeImporte(Campo(e, "IMTOD_F")).value_or(Dinero());
      const Dinero impuesto = registro::LeeImporte(Campo(e, "IMIM2_F")).value_or(Dinero());
      const Dinero subtotal = registro::LeeImporte(Campo(e, "SUBTO_F")).value_or(total - impuesto);
      r.total += total;
      r.impuesto += impuesto;
      r.subtotal += subtotal;
      r.descuento += subtotal + impuesto - total;
    }
    r.lineas += contadas;
  }
  if (r.descuento < Dinero()) r.descuento = Dinero();
  p.Estado->setText(FormatoMascara(QStringLiteral("##,##0.00"), r.total));
  db::Tabla& captura = *p.TablaDeta;
  captura.Append();
  try {
    const auto fija = [&](const char* n, const QVariant& v) { captura.FieldByName(QString::fromLatin1(n)).SetValue(v); };
    fija("CANTIDAD", 1);
    fija("CLAVE", QStringLiteral("CIERRE"));
    fija("PRODUCTO", QStringLiteral("FACTURA DE CIERRE"));
    const Dinero importe = p.Conf.ImpuestosPorPartida ? r.subtotal + r.impuesto : r.subtotal;
    fija("PRECIO", importe.Real());
    fija("IMPORTE", importe.Real());
    fija("IMPUESTO", r.Tasa());
    fija("FPGC", fpgc);
    captura.Post();
  } catch (...) {
    captura.Cancel();
    throw;
  }
  if (r.facturaExistente) MuestraMensaje(QStringLiteral("Existe una Factura de Cierre para esta Fecha..."));
  return r;
}

void FacturadeCierre1Click(TFormaCapturaRapida& p) {
  if (p.usuario->text() != QStringLiteral("0")) {
    MuestraMensaje(QStringLiteral("Esta Opción es Exclusiva del Administrador..."));
    return;
  }
  p.UltimoNumeroDocumento = 0;
  p.LineasDeRango = false;
  QString textoInicio;
  const std::optional<QDate> inicio = PideInicioCierre(&p, textoInicio);
  if (!inicio) return;

  // The remissions are read where the remission family keeps them.
  if (p.Base->currentText() != QStringLiteral("Remisión")) {
    p.Base->setCurrentText(QStringLiteral("Remisión"));
    p.BaseChange();
  }
  p.DocumentoOrigen = CodigoOrigen(p.Base->currentText(), p.EditCLDOC_F->text());
  const QString carpeta = p.CarpetaEncabezadoCompartido();
  const QList<qint64> numeros = RemisionesDelPeriodo(carpeta, *inicio);
  const auto sinPartidas = [&p] {
    MuestraMensaje(kSinPartidasCierre);
    p.Base->setCurrentText(QStringLiteral("Remisión"));
    p.BaseChange();
  };
  if (numeros.isEmpty()) {
    sinPartidas();
    return;
  }
  const CierrePartidas cierre = CargaPartidaCierre(p, carpeta, numeros);
  if (cierre.lineas == 0) {
    sinPartidas();
    return;
  }

  // The header data the buffer carries into the invoice, put in the edits
  // only (the remission shown is not touched): customer "100", the last
  // seller, the period's start as the date. Its tax rate is the remissions'
  // own, the one the closing line carries (their tax, not the default tax
  // once more on totals that hold it), and their discounts are the
  // document's.
  p.ListaPrecioCliente = 0;
  p.Hora->setText(TextoHora(fs::Ahora().time()));
  p.LimpiaDatosCliente();
  p.EditIMIM1_F->setText(QString::number(cierre.Tasa(), 'g', 15));
  p.EditDESFI_F->setText(QString::number(cierre.TasaDescuento(), 'g', 15));
  p.EditCLCLI_F->setText(QStringLiteral("100"));
  p.EditCLVEN_F->setText(p.UltimoVendedor);
  p.EditFEDOC_F->setText(textoInicio);
  ui::SetTag(p.Base, 1);
  GuardaVentaEnBufer(p, u'F');
  CargaVentaDeBufer(p, u'F');
  p.TablaDeta->First();
  p.HabilitaCaptura();
  p.DocumentoNuevo = true;
  EditaFila(*p.TablaFacturae);
  // Saved as an invoice made from remissions: the stock left with them, and
  // the closing line names no product to check.
  p.FacturaDeRemisiones = true;
  try {
    p.BotonGuardarClick();
  } catch (...) {
    p.FacturaDeRemisiones = false;
    throw;
  }
  p.FacturaDeRemisiones = false;
  if (ui::Tag(p.BotonNuevo) != 0) return;  // the save told why it did not write
  const QString numero = p.EditCLDOC_F->text().left(12);

  db::Tabla& factura = *p.TablaFacturae;
  if (factura.FindKey({numero.toLongLong()})) {
    factura.Edit();
    Campo(factura, "CLPED_F").SetAsString(OrigenCierre(numeros));
    factura.Post();
  }

  MarcaRemisionesCierre(carpeta, numeros, numero);

  // The invoice is still on screen: it is what gets printed.
  if (PreguntaImprimirCierre(&p)) {
    const QString formato = p.FormatoTicket;
    p.FormatoTicket = FormatoFacturaCierre();
    try {
      p.BotonImprimirClick();
    } catch (...) {
      p.FormatoTicket = formato;
      throw;
    }
    p.FormatoTicket = formato;
  }
  p.Base->setCurrentText(QStringLiteral("Remisión"));
  p.BaseChange();
}
