#include "purchasing/CuentaPagar.h"

#include "customers/CuentasCobrar.h"
#include "platform/db/Tabla.h"
#include "pos/CaptuRap_comun.h"
#include "pos/CuentasVenta.h"
#include "purchasing/DocumentosCompra.h"

namespace {

const QString kTagCuenta = QStringLiteral("NUCOM");

Dinero ImporteDe(const db::Dataset& fila, const char* campo) {
  return Dinero::DeReal(fila.FieldByName(QString::fromLatin1(campo)).AsFloat());
}

}  // namespace

CuentaCompra LeeCuentaPagar(db::Tabla& cuentas, qint64 numero) {
  cuentas.SetIndexName(kTagCuenta);
  cuentas.SetRange({numero}, {numero});
  CuentaCompra c;
  try {
    const SumaCuenta suma = SumaMovimientosCuenta(cuentas, QStringLiteral("CP"));
    c.saldo = suma.saldo;
    c.abonos = suma.abonos;
    for (cuentas.First(); !cuentas.Eof(); cuentas.Next()) {
      if (c.primera == 0) c.primera = cuentas.RecNo();
      if (c.cargo != 0 || cuentas.FieldByName(QStringLiteral("TIMOV_CP")).AsInteger() != kConceptoCargoCompra) continue;
      c.cargo = cuentas.RecNo();
      c.cargoPagado = ImporteDe(cuentas, "SALDO_CP") < ImporteDe(cuentas, "IMCUE_CP");
    }
  } catch (...) {
    cuentas.CancelRange();
    throw;
  }
  cuentas.CancelRange();
  return c;
}

Dinero AsientaCuentaPagar(EscrituraVenta& escritura, db::Tabla& cuentas, db::Tabla* compra, qint64 numero) {
  const CuentaCompra c = LeeCuentaPagar(cuentas, numero);
  const qint64 fila = c.cargo != 0 ? c.cargo : c.primera;
  if (fila == 0) return c.saldo;
  if (!cuentas.VeARegistro(fila)) return c.saldo;
  const QString saldo = c.saldo.Texto();
  escritura.Cambia(cuentas, [&saldo](const db::Dataset&) { return ValoresFila{{QStringLiteral("SALDO_CP"), saldo}}; });
  if (c.cargo == 0 || !compra || !HayFila(*compra) || compra->FieldByName(QStringLiteral("CLDOC_O")).AsInteger() != numero) return c.saldo;
  escritura.Cambia(*compra, [&c](const db::Dataset& recepcion) {
    return ValoresFila{{QStringLiteral("SALDO_O"), c.saldo.Texto()},
                       {QStringLiteral("ABONO_O"), (ImporteDe(recepcion, "IMDOC_O") - c.saldo).Texto()}};
  });
  return c.saldo;
}

Dinero AsientaCuentaPagar(const QString& carpetaDatos, qint64 numero) {
  const auto abre = [&carpetaDatos](db::Tabla& t, const QString& archivo, const QString& tag) {
    t.SetCarpeta(carpetaDatos);
    t.SetNombreTabla(archivo);
    t.SetIndexName(tag);
    EsperaBloqueos(t);
    t.Open();
  };
  db::Tabla cuentas, compras;
  abre(cuentas, kTablaCuentasPagar, kTagCuenta);
  abre(compras, TipoCompraDe(u'R')->encabezado, kTagEncabezadoCompra);
  EscrituraDirecta escritura;
  return AsientaCuentaPagar(escritura, cuentas, compras.FindKey({numero}) ? &compras : nullptr, numero);
}
