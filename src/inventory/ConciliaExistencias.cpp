#include "inventory/ConciliaExistencias.h"

#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "inventory/DocumentoMovimiento.h"
#include "inventory/RecalculoExistencia.h"
#include "inventory/RegistroMovimiento.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "shell/LugarTablas.h"

#include <exception>

namespace {

// %1 is a table's path, %2 the product key, both as double-quoted literals.
const QString kEspejo = QStringLiteral(
    "Select CLPRO_MI,CANTI_MI,COSUN_MI,CLDOC_MI,TIMOV_MI,FEDOC_MI from %1"
    "  Where (STATUS<>\"C\" OR STATUS IS NULL) AND TIMOV_MI>0 and CLPRO_MI=%2");
const QString kEspejoMovimientos = QStringLiteral(
    "Select CLPRO_MI,CANTI_MI,COSUN_MI,NUDOC_MI,TIMOV_MI,FEDOC_MI From %1"
    " WHERE CLPRO_MI=%2 and(TIMOV_MI<>\"54\" and TIMOV_MI<>\"52\") ");

const QString kReducidaRemisiones = QStringLiteral(
    "Select CLDOC_FD AS CLAVE,CLPRO_FD AS PRO,CANTI_FD,TREGI_FD,(111100+3)*(-1) AS CLDOC_F From %1"
    " WHERE CLPRO_FD=%2  AND (TREGI_FD<>\"C\" OR TREGI_FD IS NULL) ");
const QString kReducidaCompras = QStringLiteral(
    "Select CLDOC_OD AS CLAVE,CLPRO_OD AS PRO,CANTI_OD,TREGI_OD,(111100+51)*(-1) AS CLDOC_F From %1"
    "  WHERE (CLPRO_OD=%2) AND (TREGI_OD<>\"C\" OR TREGI_OD IS NULL) ");
const QString kReducidaMovimientos = QStringLiteral(
    "Select CLDOC_MI  AS CLAVE,CLPRO_MI AS PRO,CANTI_MI,REFMO_MI,(111100+TIMOV_MI)*(-1)  AS CLDOC_F From %1"
    "  WHERE CLPRO_MI=%2  and(TIMOV_MI<>\"54\")");

const QString kTarjeta = QStringLiteral(
    "Select CLPRO_MI,DESCR_MI,CANTI_MI,COSUN_MI,CLDOC_MI,TIMOV_MI,FEDOC_MI,REFMO_MI,EXIST_MI from %1"
    "  Where TIMOV_MI>0 and CLPRO_MI=%2");
const QString kCosto = QStringLiteral(
    "Select CLPRO_MI,DESCR_MI,CANTI_MI,COSUN_MI,CLDOC_MI,TIMOV_MI,FEDOC_MI,EXIST_MI from %1"
    "  Where TIMOV_MI>0 and CLPRO_MI=%2");

QString Seleccion(const QString& plantilla, const QString& archivo, const db::Carpetas& empresa, const QString& clave) {
  return plantilla.arg(TablaSQL(archivo, empresa), db::LiteralComillas(clave));
}

// The stock's decimals (Cantidad fields).
constexpr int kDecimalesExistencia = 5;
// The smallest difference an adjustment movement is posted for.
constexpr double kCentavo = 0.01;

}  // namespace

QString ConsultaEspejoExistencia(const db::Carpetas& empresa, const QString& clave) {
  // The mirror holds the remissions' lines: their own movement rows are not
  // counted again.
  return Seleccion(kEspejo, QStringLiteral("movimientos.dbf"), empresa, clave) + QStringLiteral("  union  ALL ") +
         Seleccion(kEspejoMovimientos, QStringLiteral("MovInven.dbf"), empresa, clave) +
         CondicionMovimientoNoVenta(QStringLiteral("R"));
}

QString ConsultaExistenciaReducida(const db::Carpetas& empresa, const QString& clave) {
  return Seleccion(kReducidaRemisiones, QStringLiteral("remisiod.dbf"), empresa, clave) +
         QStringLiteral("   union ALL ") + Seleccion(kReducidaCompras, QStringLiteral("COMPRASD.dbf"), empresa, clave) +
         QStringLiteral("UNION ALL ") + Seleccion(kReducidaMovimientos, QStringLiteral("MOVINVEN.dbf"), empresa, clave) +
         CondicionMovimientoNoVenta(QStringLiteral("R"));
}

QString ConsultaTarjetaMovimientos(const db::Carpetas& empresa, const QString& clave) {
  return Seleccion(kTarjeta, QStringLiteral("movinven.dbf"), empresa, clave);
}

QString ConsultaCostoPromedio(const db::Carpetas& empresa, const QString& clave) {
  return Seleccion(kCosto, QStringLiteral("movinven.dbf"), empresa, clave);
}

double DiferenciaExistencia(double guardada, double recuento) {
  return Redondea(kDecimalesExistencia, guardada - recuento);
}

qint64 AgregaMovimientoAjuste(db::Tabla& movimientos, const db::Dataset& producto, int concepto, double cantidad) {
  const auto de = [&producto](const char* campo) { return producto.FieldByName(QString::fromLatin1(campo)).Value(); };
  const QVariant clave = de("CLPRO_I"), descripcion = de("DSCPR_I"), costo = de("CPROM_I"), precio = de("PPUBL_I");
  const QDate hoy = fs::Hoy();
  return IniciaDocumentoMovimiento(movimientos, [&](db::Tabla& t) {
    const auto pon = [&t](const char* campo, const QVariant& valor) {
      db::Campo& c = t.FieldByName(QString::fromLatin1(campo));
      if (c.Tipo() == db::TipoDato::Texto && valor.typeId() == QMetaType::QString)
        c.SetAsString(valor.toString().left(c.Ancho()));
      else
        c.SetValue(valor);
    };
    pon("TIMOV_MI", concepto);
    pon("CANTI_MI", cantidad);
    pon("CLPRO_MI", clave);
    pon("DESCR_MI", descripcion);
    pon("FEDOC_MI", hoy);
    pon("REFMO_MI", QStringLiteral("Ajus"));
    pon("CLPRV_MI", QStringLiteral("Ajuste"));
    pon("CLCOP_MI", QStringLiteral("Ajuste"));
    pon("COSUN_MI", costo);
    pon("PUNIT_MI", precio);
    pon("NALMA_MI", 1);
    pon("FECHA", SelloFecha(hoy));
  });
}

int AjustaPorMovimiento(db::Tabla& movimientos, const db::Dataset& producto, const QString& recuento,
                        double guardada) {
  const double diferencia = DiferenciaExistencia(guardada, ValorReal(recuento));
  if (diferencia < kCentavo && diferencia > -kCentavo) return 0;
  const int concepto = diferencia > 0 ? ConceptoAjusteEntrada : ConceptoAjusteSalida;
  AgregaMovimientoAjuste(movimientos, producto, concepto, diferencia > 0 ? diferencia : -diferencia);
  return concepto;
}

void SelloUltimoKardex(const QString& carpetaDatos) {
  const QDateTime ahora = fs::Ahora();
  const QString carpeta = fs::Une(carpetaDatos, QStringLiteral("Control\\") + ahora.toString(QStringLiteral("MM-yyyy")));
  if (!fs::ExisteCarpeta(carpeta)) return;
  const double numero = NumeroDeFecha(ahora.date()) + ahora.time().msecsSinceStartOfDay() / 86400000.0;
  try {
    fs::ReescribeLineas(fs::Une(carpeta, QStringLiteral("UltimoKardex.dat")), {TextoReal(numero), TextoFechaHora(ahora)});
  } catch (const std::exception&) {
    // Nothing reads the stamp: a failure to write it only leaves it old.
  }
}
