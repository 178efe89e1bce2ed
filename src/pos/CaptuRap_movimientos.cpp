// The inventory movement rows of a sale, their reversal when the sale is
// cancelled or changed, its movement mirror and the tax check of its lines
// (the rows are MovimientosVenta.h's).
//
// A movement row takes the last number of the movement table + 1 while it
// holds the table's numbering lock, the lock every writer of movement rows
// takes, so no two rows of two stations' sales, or a sale's and a movement
// document's, ever share a number. During a save each row is a step of the
// save's unit of work: a station killed in the middle writes it once when
// the save is finished, the row found again by its document (NUDOC_MI), its
// CONTROL and its line's key.

#include "customers/CuentasCobrar.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "inventory/DocumentoMovimiento.h"
#include "inventory/RegistroMovimiento.h"
#include "inventory/RegistroProducto.h"
#include "platform/Error.h"
#include "platform/db/Numeracion.h"
#include "platform/db/Tabla.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/MovimientosVenta.h"
#include "pos/PlanGuardado.h"
#include "foundation/UnidadTrabajo.h"
#include "pos/XPrecio.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>

namespace {

const QString& kTrafico = kTraficoMovimiento;
const QString kLineaServicio = QStringLiteral("SERVI");

}  // namespace

MovimientoVenta TFormaCapturaRapida::DatosMovimiento() const {
  MovimientoVenta v;
  if (plan_) {
    v.letra = plan_->tipo.isEmpty() ? QChar() : plan_->tipo[0];
    v.numero = numeroGuardado_;
    v.control = plan_->control;
    v.concepto = plan_->concepto;
    v.fecha = plan_->Valor(QStringLiteral("FEDOC_F")).toDate();
    v.cliente = plan_->Valor(QStringLiteral("CLCLI_F")).toString();
    v.vendedor = plan_->Valor(QStringLiteral("CLVEN_F")).toString();
    v.usuario = plan_->usuario;
    return v;
  }
  const QString tipo = Base->currentText();
  v.letra = tipo.isEmpty() ? QChar() : tipo[0];
  v.numero = EditCLDOC_F->text();
  v.concepto = ConceptoMovimiento;
  v.control = ConceptoMovimiento == ConceptoCancelacionVenta && HayFila(*TablaFacturae)
                  ? TablaFacturae->FieldByName(QStringLiteral("CONTROL")).AsInteger()
                  : ControlDocumento;
  LeeFecha(EditFEDOC_F->text(), v.fecha);
  v.cliente = EditCLCLI_F->text();
  v.vendedor = EditCLVEN_F->text();
  v.usuario = NumeroUsuario();
  return v;
}

void TFormaCapturaRapida::GuardaMovimientoPartida() {
  if (!(plan_ ? plan_->movimientos : OpcionMI)) return;
  // A comment that is no product moves no stock: it gets no row.
  if (Partida("CLAVE").AsString() == kClaveComentario &&
      !(TablaInventario->Active() && TablaInventario->FindKey({kClaveComentario})))
    return;
  EscribeMovimientoConReintentos([this] { EscribeMovimientoPartida(); });
}

bool TFormaCapturaRapida::EscribeMovimientoConReintentos(const std::function<void()>& escribe) {
  QString titulo;
  return EscribeConReintentos(
      escribe,
      [&] {
        AnotaDocumentoSinMovimiento(plan_ ? numeroGuardado_ : EditCLDOC_F->text());
        // The caption without the text of an earlier failure.
        titulo = windowTitle();
        if (const qsizetype i = titulo.indexOf(kTrafico); i >= 0) titulo.truncate(i);
      },
      [&](int intento) {
        setWindowTitle(titulo + kTrafico + QString::number(intento));
        repaint();
      });
}

void TFormaCapturaRapida::EscribeMovimientoPartida() {
  db::Dataset& captura = *TablaDeta;
  if (Partida("CANTIDAD").AsFloat() <= 0) return;
  db::Tabla& movimientos = *TablamovimientosInventario;
  const MovimientoVenta venta = DatosMovimiento();
  if (!plan_) {
    IniciaDocumentoMovimiento(movimientos,
                              [&](db::Tabla& fila) {
                                LlenaMovimientoVenta(fila, venta, captura,
                                                     fila.FieldByName(kTagDocumentoMovimiento).AsInteger());
                              });
    return;
  }
  const QString paso = QStringLiteral("MI") + QString::number(captura.RecNo());
  if (guardado_->Hecho(paso)) return;
  db::Numeracion numeracion(movimientos);
  const qint64 numero = SiguienteNumeroMovimiento(movimientos);
  guardado_->Agrega(
      movimientos, paso, [&](db::Dataset& fila) { LlenaMovimientoVenta(fila, venta, captura, numero); }, true);
}

void TFormaCapturaRapida::RevierteMovimientosVenta(const QString& numero, qint64 control) {
  if (!plan_ || !plan_->movimientos) return;
  db::Tabla& movimientos = *TablamovimientosInventario;
  if (!movimientos.Active()) return;
  MovimientoVenta venta;
  venta.letra = plan_->tipo.isEmpty() ? QChar() : plan_->tipo[0];
  venta.numero = numero;
  venta.control = control;
  const QString referencia = DocumentoMovimientoVenta(venta);
  // The sale's own rows, read through a handle of their own.
  QList<std::pair<qint64, TRegistroMovimientoInventario>> vendidas;
  {
    db::Tabla lee;
    lee.SetCarpeta(movimientos.Carpeta());
    lee.SetNombreTabla(movimientos.NombreTabla());
    lee.SetIndexName(QStringLiteral("NUDOC_MI"));
    lee.SetReadOnly(true);
    lee.Open();
    lee.SetRange({referencia}, {referencia});
    for (lee.First(); !lee.Eof(); lee.Next()) {
      const qint64 concepto = lee.FieldByName(QStringLiteral("TIMOV_MI")).AsInteger();
      if (concepto != ConceptoVentaRemision && concepto != ConceptoVentaFactura) continue;
      TRegistroMovimientoInventario m;
      m.Lee(lee);
      vendidas.append({lee.RecNo(), m});
    }
  }
  for (auto& [registro, m] : vendidas) {
    const QString paso = QStringLiteral("VM") + QString::number(registro);
    if (guardado_->Hecho(paso)) continue;
    m.TIMOV_MI = ConceptoCancelacionVenta;
    m.HORAF_F = plan_->usuario;
    // A row that cannot be written is left out, as every movement row of a
    // cancel: the stock and the marks are the document's.
    EscribeMovimientoConReintentos([&] {
      db::Numeracion numeracion(movimientos);
      m.CLDOC_MI = SiguienteNumeroMovimiento(movimientos);
      guardado_->Agrega(movimientos, paso, [&](db::Dataset& fila) { m.Escribe(fila); }, true);
    });
  }
}

void TFormaCapturaRapida::EscribeMovimientosCaptura(int concepto) {
  ConceptoMovimiento = concepto;
  db::Tabla& captura = *TablaDeta;
  PostPendiente(captura);
  for (captura.First(); !captura.Eof(); captura.Next()) {
    const QString clave = Partida("CLAVE").AsString();
    if (Partida("CANTIDAD").AsFloat() <= 0 || clave.isEmpty()) continue;
    if (Partida("PRODUCTO").AsString().isEmpty() && clave != kClaveComentario) continue;
    // A comment that is no product moves no stock: it gets no row.
    if (!TablaInventario->Active() || !TablaInventario->FindKey({clave})) continue;
    if (TablaInventario->FieldByName(QStringLiteral("LIPRO_I")).AsString().toUpper() == kLineaServicio) continue;
    GuardaMovimientoPartida();
  }
}

void TFormaCapturaRapida::AnotaDocumentoSinMovimiento(const QString& numero) {
  AnotaSinMovimiento(CarpetaPrograma(QString()), numero);
}

bool TFormaCapturaRapida::EspejoDocumentoNuevo(db::Tabla& lineas) {
  const bool espejo = plan_ ? plan_->espejo : EspejoRemisiones == kEspejoRemisiones;
  if (!espejo || !lineas.NombreTabla().startsWith(u'r', Qt::CaseInsensitive)) return false;
  if (!HayFila(*TablaFacturae)) return false;
  const QString numero = TablaFacturae->FieldByName(QStringLiteral("CLDOC_F")).AsString();
  const qint64 control = TablaFacturae->FieldByName(QStringLiteral("CONTROL")).AsInteger();
  const QString usuarioTexto = plan_ ? QString::number(plan_->usuario) : usuario->text();
  const QString caja = plan_ ? plan_->caja : CajaActual;
  EscribeEspejoLineas(
      lineas, TablamovimientosInventario->Carpeta(), numero, plan_ ? guardado_.get() : nullptr,
      [&](const db::Dataset& linea) { return linea.FieldByName(QStringLiteral("CONTROL")).AsInteger() == control; },
      [&](db::Dataset& fila, const db::Dataset& linea) { LlenaEspejo(fila, linea, usuarioTexto, caja); });
  return true;
}

bool TFormaCapturaRapida::EspejoDocumentoModificado(db::Tabla&, qint64) { return false; }

void TFormaCapturaRapida::ChequeodeMovimientos1Click() {
  db::Tabla& lineas = *TablaFacturaD;
  if (!lineas.Active() || !TablaInventario->Active()) return;
  int revisadas = 0, ajustadas = 0;
  try {
    PostPendiente(lineas);
    for (lineas.First(); !lineas.Eof(); lineas.Next()) {
      ++revisadas;
      if (!TablaInventario->FindKey({lineas.FieldByName(QStringLiteral("CLPRO_FD")).AsString()})) continue;
      const db::Campo& tasa = TablaInventario->FieldByName(QStringLiteral("PIVA1_I"));
      if (lineas.FieldByName(QStringLiteral("PIVA1_FD")).AsString() == tasa.AsString()) continue;
      lineas.Edit();
      lineas.FieldByName(QStringLiteral("PIVA1_FD")).SetValue(tasa.Value());
      lineas.Post();
      ++ajustadas;
    }
  } catch (const plat::Error& e) {
    if (Editando(lineas)) lineas.Cancel();
    MuestraMensaje(e.mensaje());
  }
  MuestraMensaje(QStringLiteral("Partidas Revisadas   ") + QString::number(revisadas) +
                 QStringLiteral("  Ajustadas   ") + QString::number(ajustadas));
  if (ajustadas > 0) MuestraDocumento();
}
