#include "customers/CuentasCobrar.h"

#include "foundation/rutinas_tablas.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "platform/Error.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/Colores.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QDateTime>
#include <QLabel>

namespace {

Dinero Importe(const db::Dataset& cuenta, const QString& campo) {
  return Dinero::DeReal(cuenta.FieldByName(campo).AsFloat());
}

}  // namespace

SumaCuenta SumaMovimientosCuenta(db::Dataset& cuenta, const QString& sufijo) {
  const QString importeCampo = QStringLiteral("IMCUE_") + sufijo;
  const QString operacion = QStringLiteral("OPERA_") + sufijo;
  const QString vence = QStringLiteral("FEVEN_") + sufijo;
  cuenta.Post();
  SumaCuenta suma;
  for (cuenta.First(); !cuenta.Eof(); cuenta.Next()) {
    const Dinero importe = Importe(cuenta, importeCampo);
    if (cuenta.FieldByName(operacion).AsString() == kOperacionAbono) {
      suma.saldo -= importe;
      suma.abonos += importe;
    } else {
      suma.saldo += importe;
      suma.cargos += importe;
    }
    ++suma.movimientos;
    suma.ultimoVencimiento = cuenta.FieldByName(vence).AsString();
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

void MuestraVencimientoCuenta(const QLabel& fechaVencimiento, QLabel& tiempo) {
  if (fechaVencimiento.text().isEmpty()) return;
  try {
    tiempo.setText(EstadoVencimiento(fechaVencimiento.text(), fs::Hoy()));
  } catch (const plat::Error&) {
    tiempo.clear();
  }
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

void MuestraSaldoCuenta(QLabel& saldo, QLabel& saldoE, QLabel& estado, Dinero importe) {
  saldo.setText(TextoSaldoCuenta(importe));
  saldoE.setText(saldo.text());
  MuestraEstadoCuenta(estado, importe);
}

bool BuscaConceptoCuenta(db::Tabla& conceptos, const QString& numero, QString& nombre, QString& tipo) {
  if (!conceptos.Active()) {
    try {
      ApuntaTabla(conceptos, QStringLiteral("concepto.dbf"));
    } catch (const plat::Error&) {
      return false;
    }
    conceptos.SetIndexName(QStringLiteral("NUME"));
    AbreTabla(conceptos);
    if (!conceptos.Active()) return false;
  }
  bool esNumero = false;
  const int n = numero.trimmed().toInt(&esNumero);
  if (!esNumero || !conceptos.FindKey({n})) return false;
  nombre = conceptos.FieldByName(QStringLiteral("CONCE_MO")).AsString();
  tipo = conceptos.FieldByName(QStringLiteral("TIPOO_MO")).AsString();
  return true;
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
  ApuntaTabla(cortes, QStringLiteral("Cortes.DBF"), db::Carpetas{carpetaDatos, {}, {}, {}});
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
