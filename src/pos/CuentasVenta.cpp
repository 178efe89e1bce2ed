#include "pos/CuentasVenta.h"

#include "customers/CuentasCobrar.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "pos/ImportesVenta.h"

void EscrituraDirecta::Agrega(db::Tabla& tabla, const ValoresFila& valores) {
  tabla.Append();
  try {
    EscribeValores(tabla, valores);
    tabla.Post();
  } catch (...) {
    tabla.Cancel();
    throw;
  }
}

void EscrituraDirecta::Cambia(db::Tabla& tabla,
                              const std::function<ValoresFila(const db::Dataset& fila)>& calcula) {
  const bool propia = tabla.State() == db::Dataset::Estado::Navegando;
  if (propia) tabla.Edit();
  try {
    EscribeValores(tabla, calcula(tabla));
    tabla.Post();
  } catch (...) {
    if (propia) tabla.Cancel();
    throw;
  }
}

void EscrituraDirecta::Borra(db::Tabla& tabla) { tabla.Delete(); }

namespace cuentas {

namespace {

QVariant Importe(Dinero d) { return d.Texto(); }

Dinero ImporteDe(const db::Dataset& fila, const char* campo) {
  return Dinero::DeReal(fila.FieldByName(QString::fromLatin1(campo)).AsFloat());
}

// CucobrarRemision.DBF of the folder, open.
void AbreCuentas(db::Tabla& tabla, const QString& carpeta, bool conIndice) {
  tabla.SetCarpeta(carpeta);
  tabla.SetNombreTabla(kTablaCxCRemision);
  EsperaBloqueos(tabla);
  if (conIndice) tabla.SetIndexName(kTagCuentaCobrar);
  tabla.Open();
}

}  // namespace

bool PagoACredito(const QString& tipoPago) {
  return tipoPago == QStringLiteral("Crédito") || tipoPago == QStringLiteral("Credito") ||
         tipoPago == QStringLiteral("CREDITO");
}

Dinero ActualizaSaldoCliente(EscrituraVenta& escritura, db::Tabla& clientes, const SaldoVenta& venta) {
  clientes.SetIndexName(QStringLiteral("ICLACLI"));
  clientes.First();
  if (!clientes.FindKey({venta.cliente})) return venta.subtotal;
  // The tax to the cent, as the document's totals take it.
  const Dinero conIva = venta.subtotal + PorcentajeACentavos(venta.subtotal, venta.tasaIva);
  const Dinero diferencia = conIva - venta.totalAnterior;
  escritura.Cambia(clientes, [&](const db::Dataset& fila) {
    return ValoresFila{{QStringLiteral("FULCO_C"), venta.fecha},
                       {QStringLiteral("SALDO_C"), Importe(ImporteDe(fila, "SALDO_C") + diferencia)},
                       {QStringLiteral("COMPR_C"), Importe(ImporteDe(fila, "COMPR_C") + diferencia)}};
  });
  return conIva;
}

bool AbonaContadoMostrador(EscrituraVenta& escritura, const QString& carpetaRemisiones, db::Tabla& encabezado,
                           const VentaCuenta& venta, bool cxcRemisiones) {
  if (venta.cliente != kClienteMostrador || !(PagoACredito(venta.tipoPago) || cxcRemisiones)) return false;
  const QString numero = QString::number(venta.numero);
  {
    db::Tabla cuentas;
    AbreCuentas(cuentas, carpetaRemisiones, false);
    escritura.Agrega(cuentas, {{QStringLiteral("NUFAC_CC"), venta.numero},
                               {QStringLiteral("CONCE_CC"), QStringLiteral("Efectivo Contado ") + numero},
                               {QStringLiteral("TIMOV_CC"), kConceptoPagoEfectivo},
                               {QStringLiteral("FEAPL_CC"), fs::Hoy()},
                               {QStringLiteral("FEVEN_CC"), fs::Hoy()},
                               {QStringLiteral("IMCUE_CC"), Importe(venta.total)},
                               {QStringLiteral("ABONO_CC"), Importe(venta.total)},
                               {QStringLiteral("CONTROL"), venta.control},
                               {QStringLiteral("OPERA_CC"), kOperacionAbono},
                               {QStringLiteral("CLCLI_CC"), kClienteMostrador}});
  }
  escritura.Cambia(encabezado, [&venta](const db::Dataset&) {
    return ValoresFila{{QStringLiteral("ABONO_F"), Importe(venta.total)}, {QStringLiteral("SALDO_F"), Importe(Dinero())}};
  });
  return true;
}

bool DevolucionCuentaCobrar(EscrituraVenta& escritura, const QString& carpetaRemisiones,
                            const QString& carpetaDatos, const VentaCuenta& venta, bool conCortes) {
  if (venta.tipoPago != QStringLiteral("Efectivo") && venta.tipoPago != QStringLiteral("Tarjeta")) return false;
  const QString numero = QString::number(venta.numero);
  ValoresFila fila{{QStringLiteral("NUFAC_CC"), venta.numero},
                   {QStringLiteral("CONCE_CC"), QStringLiteral("Devolucion ") + numero},
                   {QStringLiteral("TIMOV_CC"), kConceptoDevolucion},
                   {QStringLiteral("FEAPL_CC"), fs::Hoy()},
                   {QStringLiteral("FEVEN_CC"), fs::Hoy()},
                   {QStringLiteral("IMCUE_CC"), Importe(-venta.total)},
                   {QStringLiteral("CARGO_CC"), Importe(-venta.total)}};
  if (conCortes) {
    try {
      fila.append({QStringLiteral("CORTE"), UltimoCorte(carpetaDatos)});
    } catch (const plat::Error&) {
      // Without the cuts the row is written unstamped.
    }
  }
  db::Tabla cuentas;
  AbreCuentas(cuentas, carpetaRemisiones, false);
  escritura.Agrega(cuentas, fila);
  return true;
}

int BorraCuentaCobrarDocumento(EscrituraVenta& escritura, const QString& carpetaRemisiones, qint64 numero,
                               const QString& control) {
  db::Tabla cuentas;
  AbreCuentas(cuentas, carpetaRemisiones, true);
  cuentas.SetRange({numero}, {numero});
  if (!control.isEmpty()) {
    cuentas.SetFilter(FiltroControlCuenta(control));
    cuentas.SetFiltered(true);
  }
  int borradas = 0;
  for (cuentas.First(); !cuentas.IsEmpty(); cuentas.First()) {
    escritura.Borra(cuentas);
    ++borradas;
  }
  return borradas;
}

}  // namespace cuentas
