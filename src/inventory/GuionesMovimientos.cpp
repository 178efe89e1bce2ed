// The scripts and statements of the movement window's reports and stock card.

#include "inventory/GuionesMovimientos.h"

#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/db/Literales.h"
#include "reports/Formatos.h"
#include "shell/LugarTablas.h"

namespace {

constexpr QChar kCR = u'\r';

// A table's path between double quotes, as the scripts name it.
QString Ruta(const QString& carpeta, const QString& archivo) { return u'"' + carpeta + u'\\' + archivo + u'"'; }

// The date range on a date field, the dates as quoted literals.
QString RangoFechas(const QString& campo, const QString& d1, const QString& d2) {
  return QStringLiteral(" Where (") + campo + QStringLiteral(">='") + d1 + QStringLiteral("' and ") + campo +
         QStringLiteral("<='") + d2 + QStringLiteral("')");
}

// A line status that is not "C" (cancelled), or none.
QString Vigente(const QString& campo) {
  return QStringLiteral(" and (") + campo + QStringLiteral("<>\"C\" or ") + campo + QStringLiteral(" IS NULL)");
}

}  // namespace

const QString kColumnasTablaGeneral = QStringLiteral(
    "DOCU NUMERIC(6,0), CLAVE CHAR(20), DESCRIPCIO CHAR(25), CANTIDAD NUMERIC(10,2), PRECIO NUMERIC(10,2), "
    "PRECIO_UNIT NUMERIC(10,2), MOVIMIENTO NUMERIC(10,2), FECHA DATE, FECHA2 NUMERIC(8,3), DES_MOVIM CHAR(25)");

QString GuionEntradasSalidas(const QString& titulo, bool entradas) {
  return u'$' + titulo + kCR +
         QStringLiteral("& Select CLDOC_MI,CLPRO_MI,DESCR_MI,CANTI_MI,COSUN_MI,FEDOC_MI from ") +
         TablaSQL(QStringLiteral("Movinven.DBF")) + kCR +
         (entradas ? QStringLiteral("?(TIMOV_MI>50) ") : QStringLiteral("?(TIMOV_MI<51) ")) + u'\u00BF' + kCR +
         QStringLiteral("!CLDOC_MI") + kCR +
         QStringLiteral("%e           c            c                 t             t              c         ") + kCR +
         QStringLiteral("#DOCUMENTO  PRODUCTO      DESCRIPCION       CANTIDAD      COSTO          FECHA     ") + kCR +
         u'@' + kCR;
}

QString CondicionSQL(const QString& operador, const QString& valor) {
  // The dialog's comparison, but for its "&", which is no condition here.
  if (operador == u"&") return {};
  QString condicion;
  ComparacionSQL(operador, valor, condicion);
  return condicion;
}

void CreaTablaReporte(const QString& carpeta, const QString& nombre, const QString& columnas) {
  const QString tabla = db::LiteralComillas(carpeta + QStringLiteral("\\R") + nombre);
  db::Consulta q;
  for (const QString& sql : {QStringLiteral("DROP TABLE ") + tabla,
                             QStringLiteral("CREATE TABLE ") + tabla + QStringLiteral(" (") + columnas + u')'}) {
    try {
      q.Close();
      q.SetSQL(sql);
      q.ExecSQL();
    } catch (const plat::Error&) {
      // Passed over: the filling finds out what is there.
    }
  }
}

std::vector<FuenteGeneral> FuentesGeneralMovimientos(const QString& d1, const QString& d2) {
  const QString ventas = QStringLiteral("Select CLDOC_FD,CLPRO_FD,DEPRO_FD,CANTI_FD,PUNPR_FD,FEDOC_FD,FECHA from ");
  const auto venta = [&](const QString& archivo, const QString& condicion, int movimiento) {
    return FuenteGeneral{ventas + TablaSQL(archivo) + RangoFechas(QStringLiteral("FEDOC_FD"), d1, d2) +
                             condicion + Vigente(QStringLiteral("TREGI_FD")),
                         QStringLiteral("CLDOC_FD"),
                         QStringLiteral("CLPRO_FD"),
                         QStringLiteral("DEPRO_FD"),
                         QStringLiteral("CANTI_FD"),
                         QStringLiteral("PUNPR_FD"),
                         QString(),
                         QStringLiteral("FEDOC_FD"),
                         QString(),
                         movimiento};
  };
  return {
      {QStringLiteral("Select CLDOC_MI,CLPRO_MI,DESCR_MI,CANTI_MI,COSUN_MI,PUNIT_MI,FEDOC_MI,TIMOV_MI,FECHA from ") +
           TablaSQL(QStringLiteral("Movinven.DBF")) + RangoFechas(QStringLiteral("FEDOC_MI"), d1, d2),
       QStringLiteral("CLDOC_MI"), QStringLiteral("CLPRO_MI"), QStringLiteral("DESCR_MI"), QStringLiteral("CANTI_MI"),
       QStringLiteral("COSUN_MI"), QStringLiteral("PUNIT_MI"), QStringLiteral("FEDOC_MI"), QStringLiteral("TIMOV_MI"),
       0},
      // Invoice lines made from remissions are counted with their remissions.
      venta(QStringLiteral("facturad.dbf"), QStringLiteral(" and TDOCU_FD IS NULL"), 1),
      venta(QStringLiteral("RemisioD.dbf"), QString(), 3),
      {QStringLiteral("Select CLDOC_OD,CLPRO_OD,DESCR_OD,CANTI_OD,CUNIT_OD,FEDOC_OD,FECHA from ") +
           TablaSQL(QStringLiteral("ComprasD.dbf")) + RangoFechas(QStringLiteral("FEDOC_OD"), d1, d2) +
           Vigente(QStringLiteral("TREGI_OD")),
       QStringLiteral("CLDOC_OD"), QStringLiteral("CLPRO_OD"), QStringLiteral("DESCR_OD"), QStringLiteral("CANTI_OD"),
       QStringLiteral("CUNIT_OD"), QString(), QStringLiteral("FEDOC_OD"), QString(), 51},
  };
}

QString GuionGeneralMovimientos(const QString& titulo, const QString& carpetaPrograma, const QString& condicion) {
  const QString tabla = Ruta(carpetaPrograma, kTablaGeneral);
  if (!condicion.isEmpty())
    return u'$' + titulo + kCR +
           QStringLiteral("& Select DOCU,CLAVE,DESCRIPCIO,CANTIDAD,PRECIO,MOVIMIENTO,FECHA,FECHA2 from ") + tabla +
           kCR + QStringLiteral("? ") + condicion + u' ' + kCR + QStringLiteral("!FECHA") + kCR +
           QStringLiteral("%e           c                 c                     t             t             e          "
                          "c         ") +
           kCR +
           QStringLiteral("#DOCUMENTO  PRODUCTO           DESCRIPCION           CANTIDAD      COSTO         MOVIMIENTO  "
                          "FECHA     ") +
           kCR + u'@' + kCR;
  return u'$' + titulo + kCR +
         QStringLiteral("& Select DOCU,CLAVE,DESCRIPCIO,CANTIDAD,PRECIO,PRECIO_UNIT,MOVIMIENTO,FECHA,FECHA2 from ") +
         tabla + kCR + QStringLiteral("!FECHA") + kCR +
         QStringLiteral("%e           c                 c                     t             t             t              "
                        "e          c         ") +
         kCR +
         QStringLiteral("#DOCUMENTO  PRODUCTO           DESCRIPCION           CANTIDAD      -COSTO        PRECIO         "
                        "MOVIMIENTO  FECHA     ") +
         kCR + u'@' + kCR;
}

QString ConsultaKardexMovimientos(const QString& clave) {
  return QStringLiteral("Select CLPRO_MI,DESCR_MI,CANTI_MI,COSUN_MI,CLDOC_MI,TIMOV_MI,FEDOC_MI,REFMO_MI from ") +
         TablaSQL(QStringLiteral("movinven.dbf")) + QStringLiteral("  Where TIMOV_MI>0 and CLPRO_MI=") +
         db::LiteralComillas(clave);
}
