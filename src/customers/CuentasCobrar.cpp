#include "customers/CuentasCobrar.h"

#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "platform/Error.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Colores.h"

#include <QDateTime>
#include <QLabel>

namespace {

Dinero Importe(const db::Dataset& cuenta, const char* campo) {
  return Dinero::DeReal(cuenta.FieldByName(QString::fromLatin1(campo)).AsFloat());
}

}  // namespace

SumaCuenta SumaMovimientosCuenta(db::Dataset& cuenta) {
  cuenta.Post();
  SumaCuenta suma;
  for (cuenta.First(); !cuenta.Eof(); cuenta.Next()) {
    const Dinero importe = Importe(cuenta, "IMCUE_CC");
    if (cuenta.FieldByName(QStringLiteral("OPERA_CC")).AsString() == kOperacionAbono) {
      suma.saldo -= importe;
      suma.abonos += importe;
    } else {
      suma.saldo += importe;
      suma.cargos += importe;
    }
    ++suma.movimientos;
    suma.ultimoVencimiento = cuenta.FieldByName(QStringLiteral("FEVEN_CC")).AsString();
  }
  return suma;
}

QString EstadoVencimiento(const QString& vence, const QDate& hoy) {
  const int dia = DiasDesde1980(vence);
  const int actual = DiasDesde1980(TextoFecha(hoy));
  if (actual < dia) return QStringLiteral("no vencido");
  if (actual == dia) return QStringLiteral("Se vence Hoy");
  return QStringLiteral("vencido  ") + QString::number(actual - dia) + QStringLiteral("  dias");
}

QString TextoSaldoCuenta(Dinero saldo) {
  return FormatoImporte(QStringLiteral("###,###,##0.00"), saldo.Texto(), QStringLiteral("$"));
}

void MuestraEstadoCuenta(QLabel& estado, Dinero saldo) {
  const bool deudor = saldo > Dinero();
  estado.setText(deudor ? kCuentaDeudora : kCuentaSaldada);
  QPalette paleta = estado.palette();
  paleta.setColor(QPalette::WindowText, ui::ColorQt(deudor ? ui::clRed : ui::clNavy, paleta));
  estado.setPalette(paleta);
}

void EsperaBloqueos(db::Dataset& tabla) {
  const auto espera = [](db::Dataset&, const plat::Error& e) {
    return e.clase() == plat::Clase::Bloqueado || e.clase() == plat::Clase::EnUso ? db::AccionError::Retry
                                                                                   : db::AccionError::Fail;
  };
  tabla.OnEditError = espera;
  tabla.OnPostError = espera;
  tabla.OnDeleteError = espera;
}

QString FiltroControlCuenta(const QString& control) {
  return QStringLiteral("CONTROL =") + db::LiteralApostrofos(control);
}

qint64 UltimoCorte(const QString& carpetaDatos) {
  db::Tabla cortes;
  cortes.SetCarpeta(carpetaDatos);
  cortes.SetNombreTabla(QStringLiteral("Cortes.DBF"));
  cortes.SetIndexName(QStringLiteral("CORTE"));
  cortes.SetReadOnly(true);
  cortes.Open();
  cortes.Last();
  if (cortes.IsEmpty()) return 0;
  return cortes.FieldByName(QStringLiteral("CORTE")).AsInteger();
}

double SelloMomentoCuenta(const QDateTime& momento) {
  return NumeroDeFecha(momento.date()) + momento.time().msecsSinceStartOfDay() / 86400000.0;
}
