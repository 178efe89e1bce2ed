// The legacy document window's buffer files and loading of lines: the
// sale screen's buffer files (the header record cut to 423 bytes), its
// conversion reader, its list loading and its chart work tables, with the
// folders and the stock effects of this window.

#include "legacy/Factu.h"

#include "customers/CucobraRemision.h"
#include "foundation/dialogos.h"
#include "inventory/CamposRegistro.h"
#include "inventory/RegistroProducto.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "pos/CaptuRap_comun.h"
#include "pos/DocumentosVenta.h"
#include "pos/PartidasDocumento.h"
#include "pos/TablaCaptura.h"
#include "salesdocs/BuferVenta.h"
#include "salesdocs/GraficasVenta.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

// The legacy header record: the first 423 bytes of the sale screen's.
constexpr int kTamanoBuferEncabezadoFactura = 423;

// A signed quantity added to the stock of the product the table stands on:
// below zero it stays at zero unless negative stock is allowed; the sold
// quantity and amount follow the stock actually taken (given back: lowered).
void CambiaExistencia(db::Tabla& productos, double cantidad, double precio, bool sinNegativos) {
  SumaExistencia(productos, cantidad, [&](db::Tabla& p) {
    db::Campo& existencia = p.FieldByName(QStringLiteral("EXIST_I"));
    const double sinTope = existencia.AsFloat();
    const double inicial = sinTope - cantidad;
    if (sinTope < 0 && sinNegativos) existencia.SetAsFloat(0);
    const double salida = inicial - existencia.AsFloat();
    db::Campo& vendida = p.FieldByName(QStringLiteral("VANCA_I"));
    vendida.SetAsFloat(vendida.AsFloat() + salida);
    db::Campo& importe = p.FieldByName(QStringLiteral("VANMO_I"));
    importe.SetAsFloat(importe.AsFloat() + salida * precio);
  });
}

}  // namespace

void TFormaFactura::GuardaDocumentoEnBufer(QChar letra) {
  const QList<TRegistroBuferPartida> partidas =
      EscribeBuferVenta(EncabezadoBuferDe(*this), TablaDeta, kTamanoBuferEncabezadoFactura);
  // Deleting or cancelling a document gives its lines' stock back.
  if (letra != u'F' || !TablaInventario->Active()) return;
  const bool sinNegativos = EstadoFactura.ExistenciasNegativas.startsWith(u'N');
  for (const TRegistroBuferPartida& r : partidas)
    if (!r.Clave.isEmpty() && TablaInventario->FindKey({r.Clave}))
      CambiaExistencia(*TablaInventario, r.Cantidad, r.Precio, sinNegativos);
}

void TFormaFactura::CargaDocumentoDeBufer(QChar letra) {
  // The list's source: the line table on screen before the switch, in the
  // data folder.
  const QString partidasOrigen = TablaFacturaD->NombreTabla();
  if (EstadoFactura.ConversionPorLista) ExpandeListaDocumentos(EstadoFactura.ListaOrigen);
  const TRegistroBuferEncabezado r = LeeArchivoBuferEncabezado();
  const QList<TRegistroBuferPartida> partidas =
      EstadoFactura.ConversionPorLista ? QList<TRegistroBuferPartida>() : LeeArchivoBuferPartidas();

  if (const TipoConversionVenta* t = TipoConversionDeLetra(letra)) {
    // Each kind's tables where the company keeps them.
    Base->setCurrentText(t->base);
    AbreParFactura(CarpetaDeTabla(t->encabezado), t->encabezado, t->partidas);
    EstadoFactura.LineaFormato = t->lineaFormato;
    TablaFacturae->Last();
    EstadoFactura.UltimoFolio =
        TablaFacturae->IsEmpty() ? 0 : TablaFacturae->FieldByName(QStringLiteral("CLDOC_F")).AsInteger();
  } else {
    PostPendiente(*TablaFacturae);
  }
  EstadoFactura.Control = NumeroControlFactura();
  AgregaEncabezadoDeBufer(*TablaFacturae, r, EstadoFactura.DocumentoOrigen, EstadoFactura.Control);
  MuestraEncabezadoBufer(*this, r);

  VaciaCapturaFactura();
  if (EstadoFactura.ConversionPorLista) PartidasDeListaFactura(EstadoFactura.ListaOrigen, partidasOrigen);
  else AgregaPartidasDeBufer(*TablaDeta, partidas);
}

void TFormaFactura::RestauraPartidasDeBufer() {
  const QList<TRegistroBuferPartida> partidas = LeeArchivoBuferPartidas();
  const bool sinNegativos = EstadoFactura.ExistenciasNegativas.startsWith(u'N');
  const QString numero = EditCLDOC_F->text();
  for (const TRegistroBuferPartida& r : partidas) {
    if (r.Clave.isEmpty() || !TablaInventario->Active() || !TablaInventario->FindKey({r.Clave})) continue;
    CambiaExistencia(*TablaInventario, -r.Cantidad, r.Precio, sinNegativos);
    db::Tabla& l = *TablaFacturaD;
    l.Insert();
    try {
      const auto fija = [&](const char* campo, const QVariant& valor) {
        l.FieldByName(QString::fromLatin1(campo)).SetValue(valor);
      };
      fija("CLDOC_FD", numero);
      fija("CONTROL", EstadoFactura.Control);
      fija("CLPRO_FD", r.Clave);
      fija("CANTI_FD", r.Cantidad);
      fija("PENDI_FD", r.Tara);
      fija("DEPRO_FD", r.Producto);
      fija("PUNPR_FD", r.Precio);
      fija("COPRO_FD", r.Costo);
      fija("PDES1_FD", r.Descuento);
      fija("UNIDA_FD", r.Unidad);
      fija("PIVA1_FD", r.Impuesto);
      l.Post();
    } catch (...) {
      l.Cancel();
      throw;
    }
  }
}

void TFormaFactura::CargaPartidasFactura(bool componentes) {
  if (!TablaDeta->Active() || !TablaFacturaD->Active() || !HayFila(*TablaFacturae)) return;
  const qint64 control = TablaFacturae->FieldByName(QStringLiteral("CONTROL")).AsInteger();
  const qint64 numero = TablaFacturae->FieldByName(QStringLiteral("CLDOC_F")).AsInteger();
  VaciaCapturaFactura();
  CargaPartidasDeControl(*TablaFacturaD, *TablaDeta, numero, control, componentes);
}

void TFormaFactura::CargaPartidasCierre(qint64 primero, qint64 ultimo) {
  VaciaCapturaFactura();
  db::Tabla encabezados;
  encabezados.SetCarpeta(TablaFacturae->Carpeta());
  encabezados.SetNombreTabla(TablaFacturae->NombreTabla());
  encabezados.SetIndexName(QStringLiteral("INUMENC"));
  encabezados.SetReadOnly(true);
  encabezados.Open();
  db::Tabla& l = *TablaFacturaD;
  bool hayCierre = false;
  // The numbers of the remissions of the range, each with its lines: the
  // line table's key is text, so its own order is not the numbers'.
  for (const qint64 numero : ExpandeIntervalo(encabezados, {primero, ultimo})) {
    if (!encabezados.FindKey({numero}) ||
        !encabezados.FieldByName(QStringLiteral("REMIS_F")).AsString().trimmed().isEmpty())
      continue;
    const QString clave = QString::number(numero);
    l.SetRange({clave}, {clave});
    for (l.First(); !l.Eof(); l.Next()) {
      const QString marca = l.FieldByName(QStringLiteral("TREGI_FD")).AsString();
      if (marca == u"F") hayCierre = true;
      if (marca == u"F" || marca == kMarcaLineaCancelada) continue;
      TablaDeta->Append();
      try {
        LlenaCapturaDePartida(*TablaDeta, l);
        TablaDeta->Post();
      } catch (...) {
        TablaDeta->Cancel();
        throw;
      }
    }
    l.CancelRange();
  }
  if (hayCierre) MuestraMensaje(QStringLiteral("Existe una Factura de Cierre para esta Fecha..."));
}

void TFormaFactura::CancelaPartidasFactura(const QString& numero) {
  MarcaPartidasFactura(*TablaFacturaD, numero, kMarcaLineaCancelada);
}

void TFormaFactura::MarcaPartidasFactura(db::Tabla& l, const QString& numero, const QString& marca) {
  try {
    MarcaPartidas(l, numero, marca);
  } catch (...) {
    l.CancelRange();
    throw;
  }
  l.CancelRange();
}

int TFormaFactura::PartidasDeListaFactura(const QString& lista, const QString& partidas) {
  db::Tabla lineas;
  const QString archivo = partidas.isEmpty() ? TablaFacturaD->NombreTabla() : partidas;
  return CargaPartidasDeRango(lineas, *TablaDeta, CarpetaDeTabla(archivo), archivo, lista);
}

int TFormaFactura::PartidasDeDocumentoFactura(db::Tabla& partidas, const QString& numero) {
  return AgregaPartidasDeDocumento(partidas, *TablaDeta, numero);
}

QList<qint64> TFormaFactura::ExpandeListaFolios(const QString& lista, const QString& encabezado) {
  const QList<ParteRango> partes = ExpandeListaDocumentos(lista);
  db::Tabla encabezados;
  ApuntaTabla(encabezados, encabezado.isEmpty() ? TablaFacturae->NombreTabla() : encabezado);
  encabezados.SetIndexName(QStringLiteral("INUMENC"));
  encabezados.SetReadOnly(true);
  encabezados.Open();
  QList<qint64> numeros;
  for (const ParteRango& parte : partes) numeros += ExpandeIntervalo(encabezados, parte);
  return numeros;
}

void TFormaFactura::CreaAuxiliarFactura(const QString& fuente, const QString& devoluciones, const QString& trabajo,
                                        const QDate& desde, const QDate& hasta, const QString& indice) {
  repaint();
  const QString carpetaTrabajo = RutaDatosCxC.isEmpty() ? CarpetaDatos() : RutaDatosCxC;
  PreparaFactAuxi(*TablaAuxiliar, *TablaFacturae, *TablaFacturaD, carpetaTrabajo, fuente, devoluciones, trabajo,
                  desde, hasta, indice);
}

void TFormaFactura::CopiaAuxiliarFactura(const db::Dataset& origen, db::Dataset& destino) {
  CopiaCamposTexto(origen, destino);
}

void TFormaFactura::VaciaCapturaFactura() {
  if (TablaDeta->Active()) VaciaCaptura(*TablaDeta, *TablaTotal);
}
