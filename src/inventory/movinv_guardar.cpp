// The movement window's save: the header checked, the capture posted as one
// unit (PosteoMovimiento.h), the window back to browsing on the saved
// document, the supplier credit note of concept 20 and the document's log.

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_tablas.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/PosteoMovimiento.h"
#include "inventory/movinv.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LineasConfiguracion.h"

#include <QLabel>
#include <QSpinBox>

#include <exception>
#include <vector>

namespace {

QString Linea(int n) {
  QString valor;
  LeeLineaConfig(n, valor);
  return valor;
}

}  // namespace

void TFormaMovimientosInventario::BotonGuardarClick() { GuardaMovimiento(); }

bool TFormaMovimientosInventario::GuardaMovimiento() {
  if (!Capturando()) return false;
  const QString concepto = EditTIMOV_MI->text().trimmed();
  if (concepto.isEmpty()) {
    MuestraMensaje(kFaltaTipoMovimiento);
    EditTIMOV_MI->setFocus(Qt::OtherFocusReason);
    return false;
  }
  if (!GuardaDocumentoMovimiento()) return false;
  // Booked for the document just saved, whatever other stations saved since.
  if (concepto == u"20") NotaCreditoProveedor(costoDocumento_);
  QString nombre;
  LeeNombreUsuario(Usuario->text(), carpetaPrograma_, nombre);
  RegistraHistorial(bitacora_, carpetaDatos_, u'M', QString::number(guardado_.numero), QStringLiteral("GUARDADA"),
                    nombre);
  return true;
}

bool TFormaMovimientosInventario::GuardaDocumentoMovimiento() {
  if (!Capturando()) return false;
  // The line being typed is part of the document.
  if (!Detalle->CierraEditor()) return false;
  if (TablaDeta->State() != db::Dataset::Estado::Navegando) {
    if (TablaDeta->Modified()) TablaDeta->Post();
    else TablaDeta->Cancel();
  }

  EncabezadoMovimiento d;
  bool numero = false, concepto = false;
  d.numero = EditCLDOC_MI->text().trimmed().toLongLong(&numero);
  d.concepto = EditTIMOV_MI->text().trimmed().toInt(&concepto);
  if (!LeeFecha(EditFEDOC_MI->text(), d.fecha) || !numero || !concepto) {
    MuestraMensaje(kFaltanDatosMovimiento);
    return false;
  }
  d.contraparte = EditCLPRO_MI->text();
  d.referencia = EditREFMO_MI->text();
  d.almacen = EditAlmacen->value();
  d.usuario = Usuario->text();
  d.sinNegativos = existenciasNegativas_ == u'N';
  d.traspaso = tipoConcepto_ == u'T';
  d.carpetaDestino = carpetaDestino_;
  d.traspasoPorEmpaque = Linea(ConfTraspasosEmpaque) == u"S";
  if (!AplicaMovimientos(d)) return false;
  guardado_ = {d.numero, d.referencia, d.contraparte};

  // Back to browsing, on the document just saved.
  VaciaCaptura(false);
  FijaCaptura(false);
  TIPMOV->clear();
  if (Linea(ConfBasesAbiertas) == u"NO") RefrescaTabla(*Tablamovinve);
  TablaCompleta();
  Tablamovinve->FindNearest({d.numero});
  MuestraDocumento(Llegada::Guardado);
  return true;
}

bool TFormaMovimientosInventario::AplicaMovimientos(const EncabezadoMovimiento& documento) {
  costoDocumento_ = Dinero();
  std::vector<TPartidaCapturaMovimiento> partidas;
  for (TablaDeta->First(); !TablaDeta->Eof(); TablaDeta->Next()) {
    TPartidaCapturaMovimiento p;
    p.Lee(*TablaDeta);
    partidas.push_back(p);
  }
  try {
    const Dinero costo = CostoDocumento(partidas);
    PostaDocumentoMovimiento(documento, partidas, *Tablamovinve, *TablaInventario, *TablaKardex);
    costoDocumento_ = costo;
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return false;
  }
  return true;
}

void TFormaMovimientosInventario::NotaCreditoProveedor(Dinero importe) {
  try {
    ::NotaCreditoProveedor(carpetaDatos_, guardado_, importe);
  } catch (const std::exception& e) {
    // The document stands; the credit note is said to be missing.
    MuestraMensaje(QStringLiteral("No se registró la nota de crédito del proveedor: ") +
                   QString::fromUtf8(e.what()));
  }
}
