#include "inventory/RecalculoExistencia.h"

#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_tablas.h"
#include "inventory/Costeo.h"
#include "inventory/RegistroMovimiento.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <exception>

namespace {

// The selects, as the local dialect takes them: %1 is the table's path, %2
// the product key, both as double-quoted literals.
const QString kRemisionesListada = QStringLiteral(
    " Select CLDOC_FD AS CLAVE,CLPRO_FD AS PRO,CANTI_FD,TREGI_FD,(111100+3)*(-1) AS CLDOC_F,FECHA AS FECH From %1"
    " WHERE CLPRO_FD=%2  AND (TREGI_FD<>\"C\" OR TREGI_FD IS NULL) ");
const QString kRemisionesDatos = QStringLiteral(
    " Select CLDOC_FD AS CLAVE,CLPRO_FD AS PRO,CANTI_FD,TREGI_FD,(111100+3)*(-1) AS CLDOC_F,FECHA  AS FECH From %1"
    " WHERE CLPRO_FD=%2  AND (TREGI_FD<>\"C\" OR TREGI_FD IS NULL ) ");
const QString kFacturas = QStringLiteral(
    "Select CLDOC_FD AS CLAVE,CLPRO_FD AS PRO,CANTI_FD,TREGI_FD,(111100+1)*(-1) AS CLDOC_F,FECHA  AS FECH From %1"
    " WHERE (TDOCU_FD IS NULL) and (CLPRO_FD=%2)  AND (TREGI_FD<>\"C\" OR TREGI_FD IS NULL) ");
const QString kCompras = QStringLiteral(
    "Select CLDOC_OD AS CLAVE,CLPRO_OD AS PRO,CANTI_OD,TREGI_OD,(111100+51)*(-1) AS CLDOC_F,FECHA  AS FECH From %1"
    "  WHERE (CLPRO_OD=%2) AND (TREGI_OD<>\"C\" OR TREGI_OD IS NULL) ");
const QString kMovimientos = QStringLiteral(
    "Select CLDOC_MI  AS CLAVE,CLPRO_MI AS PRO,CANTI_MI,REFMO_MI,(111100+TIMOV_MI)*(-1)  AS CLDOC_F,FECHA  AS FECH"
    " From %1  WHERE CLPRO_MI=%2 and(TIMOV_MI<>\"54\")");

const QString kRemisionesDetalleListada = QStringLiteral(
    " Select CLDOC_FD AS CLAVE,CLPRO_FD AS PRO,CANTI_FD AS CANTI_FD,TREGI_FD,(111100+3)*(-1) AS CLDOC_F,FEDOC_FD  AS "
    "FECHA,REFER_FD AS REFE,CLDOC_FD AS ORIGEN,PRECL_OD AS CLIPROV,FECHA  AS FECH,USUARIO AS USUARIO From %1"
    " WHERE CLPRO_FD=%2  AND (TREGI_FD<>\"C\" OR TREGI_FD IS NULL ) ");
const QString kRemisionesDetalleDatos = QStringLiteral(
    "Select CLDOC_FD AS CLAVE,CLPRO_FD AS PRO,CANTI_FD AS CANTI_FD,TREGI_FD,(111100+3)*(-1) AS CLDOC_F,FEDOC_FD  AS "
    "FECHA,REFER_FD AS REFE,CLDOC_FD AS ORIGEN,PRECL_OD AS CLIPROV,FECHA  AS FECH,USUARIO AS USUARIO  From %1"
    " WHERE CLPRO_FD=%2  AND (TREGI_FD<>\"C\" OR TREGI_FD IS NULL) ");
const QString kComprasDetalle = QStringLiteral(
    "Select CLDOC_OD AS CLAVE,CLPRO_OD AS PRO,CANTI_OD AS CANTI_FD,TREGI_OD,(111100+51)*(-1) AS CLDOC_F,FEDOC_OD AS "
    "FECHA,REFER_OD AS REFE,CLDOC_OD AS ORIGEN,PRECL_OD AS CLIPROV,FECHA  AS FECH,USUARIO AS USUARIO From %1"
    "  WHERE (CLPRO_OD=%2) AND (TREGI_OD<>\"C\" OR TREGI_OD IS NULL) ");
const QString kFacturasDetalle = QStringLiteral(
    "Select CLDOC_FD AS CLAVE,CLPRO_FD AS PRO,CANTI_FD AS CANTI_FD,TREGI_FD,(111100+1)*(-1) AS CLDOC_F,FEDOC_FD  AS "
    "FECHA,REFER_FD AS REFE,CLDOC_FD AS ORIGEN,PRECL_OD AS CLIPROV,FECHA  AS FECH,USUARIO AS USUARIO From %1"
    " WHERE (TDOCU_FD IS NULL) AND(CLPRO_FD=%2) AND (TREGI_FD<>\"C\" OR TREGI_FD IS NULL) ");
const QString kMovimientosDetalle = QStringLiteral(
    "Select CLDOC_MI  AS CLAVE,CLPRO_MI AS PRO,CANTI_MI AS CANTI_FD,REFMO_MI,(111100+TIMOV_MI)*(-1)  AS "
    "CLDOC_F,FEDOC_MI AS FECHA,REFMO_MI AS REFE,CLDOC_MI AS ORIGEN,PRECL_OD AS CLIPROV,FECHA  AS FECH,USUARIO AS "
    "USUARIO From %1  WHERE CLPRO_MI=%2 and(TIMOV_MI<>\"54\") ");

const QString kRemisiones = QStringLiteral("remisiod.dbf");
// The kinds of sale whose lines the recount union counts: invoices and
// remissions.
const QString kVentasContadas = QStringLiteral("FR");

// The select over a table (quoted path) for the key.
QString Seleccion(const QString& plantilla, const QString& tabla, const QString& clave) {
  return plantilla.arg(tabla, db::LiteralComillas(clave));
}

// The select over the company table `archivo`, in its own folder.
QString Seleccion(const QString& plantilla, const QString& archivo, const db::Carpetas& empresa,
                  const QString& clave) {
  return Seleccion(plantilla, TablaSQL(archivo, empresa), clave);
}

// The folders of the company's RutasMI.dbf that hold remission lines, in
// table order; none when the list is missing or cannot be opened.
QStringList CarpetasListadas(const db::Carpetas& empresa) {
  QStringList carpetas;
  const QString lista = QStringLiteral("RutasMI.dbf");
  if (!fs::ExisteArchivo(RutaDeTabla(lista, empresa))) return carpetas;
  db::Tabla rutas;
  rutas.SetNombreTabla(lista);
  ApuntaTabla(rutas, empresa);
  rutas.SetReadOnly(true);
  AbreTabla(rutas);
  if (!rutas.Active()) return carpetas;
  const db::Campo& ruta = rutas.FieldByName(QStringLiteral("ruta"));
  for (rutas.First(); !rutas.Eof(); rutas.Next()) {
    const QString r = ruta.AsString();
    if (!r.isEmpty() && fs::ExisteArchivo(fs::Une(r, kRemisiones))) carpetas << r;
  }
  return carpetas;
}

QString Union(const db::Carpetas& empresa, int modo, const QString& clave, const QString& listada,
              const QString& propia, const QString& union1) {
  QString texto;
  if (modo == 1)
    for (const QString& r : CarpetasListadas(empresa))
      texto += Seleccion(listada, db::LiteralComillas(fs::Une(r, kRemisiones)), clave) + union1 + u'\r';
  if (texto.isEmpty()) texto = Seleccion(propia, kRemisiones, empresa, clave) + union1;
  return texto;
}

// A number of a totals text ("" reads 0).
double Real(const QString& texto) { return ValorReal(texto); }

// The totals row beside the product table.
void EscribeTotales(db::Tabla& productos, const QString& existencia, const QString& entradas,
                    const QString& salidas) {
  db::Tabla kardex;
  ApuntaTabla(kardex, kTablaKardex);
  AbreTabla(kardex);
  EscribeRenglonKardex(kardex, productos.FieldByName(QStringLiteral("CLPRO_I")).AsString(), Real(existencia),
                       Real(entradas), Real(salidas));
}

}  // namespace

QString UnionRemisiones(const db::Carpetas& empresa, int modo, const QString& clave) {
  return Union(empresa, modo, clave, kRemisionesListada, kRemisionesDatos, QStringLiteral("   union ALL "));
}

QString UnionRemisionesDetalle(const db::Carpetas& empresa, int modo, const QString& clave) {
  return Union(empresa, modo, clave, kRemisionesDetalleListada, kRemisionesDetalleDatos,
               QStringLiteral("  union ALL "));
}

QString CondicionMovimientoNoVenta(const QString& letras) {
  QStringList referencias;
  for (const QChar letra : letras)
    referencias << QStringLiteral("NUDOC_MI LIKE ") + db::LiteralComillas(QString(letra) + u'%');
  if (referencias.isEmpty()) return QString();
  return QStringLiteral(
             " and (CONTROL IS NULL OR (TIMOV_MI<>1 AND TIMOV_MI<>3 AND TIMOV_MI<>52 AND TIMOV_MI<>54) OR "
             "NUDOC_MI IS NULL OR NOT (%1))")
      .arg(referencias.join(QStringLiteral(" OR ")));
}

QString ConsultaExistencia(const db::Carpetas& empresa, const QString& clave) {
  return UnionRemisiones(empresa, 1, clave) + Seleccion(kFacturas, QStringLiteral("facturad.dbf"), empresa, clave) +
         QStringLiteral("   union ALL ") + Seleccion(kCompras, QStringLiteral("COMPRASD.dbf"), empresa, clave) +
         QStringLiteral(" UNION ALL ") + Seleccion(kMovimientos, kTablaMovimientos, empresa, clave) +
         CondicionMovimientoNoVenta(kVentasContadas);
}

QString ConsultaKardexAlterno(const db::Carpetas& empresa, const QString& clave) {
  return Seleccion(kComprasDetalle, QStringLiteral("COMPRASD.dbf"), empresa, clave) + QStringLiteral(" UNION ALL ") +
         UnionRemisionesDetalle(empresa, 1, clave) +
         Seleccion(kFacturasDetalle, QStringLiteral("facturad.dbf"), empresa, clave) + QStringLiteral("  union ALL ") +
         Seleccion(kMovimientosDetalle, kTablaMovimientos, empresa, clave) +
         CondicionMovimientoNoVenta(kVentasContadas) + QStringLiteral(" ORDER BY FECHA,FECH ");
}

void EscribeRenglonKardex(db::Tabla& kardex, const QString& clave, double existencia, double entradas,
                          double salidas) {
  if (!kardex.Active()) return;
  try {
    db::Campo& entra = kardex.FieldByName(QStringLiteral("ENTRA_I"));
    db::Campo& salid = kardex.FieldByName(QStringLiteral("SALID_I"));
    db::Campo& exist = kardex.FieldByName(QStringLiteral("EXIST_I"));
    db::Campo& inven = kardex.FieldByName(QStringLiteral("INVEN_I"));
    CambiaRenglonKardex(kardex, clave, [&] {
      salid.SetAsFloat(salidas * -1);
      entra.SetAsFloat(entradas);
      exist.SetAsFloat(existencia);
      inven.SetAsFloat(existencia);
    });
  } catch (const std::exception&) {
    // The totals are a summary beside the stock: the stock already written
    // stays.
  }
}

RecuentoEscrito EscribeRecuento(db::Tabla& productos, const QString& existencia, const QString& entradas,
                                const QString& salidas, bool vacioSeQueda, bool conTotales) {
  RecuentoEscrito r;
  r.existencia = existencia;
  if (existencia.isEmpty()) return r;
  const db::Campo& campo = productos.FieldByName(QStringLiteral("EXIST_I"));
  const QString guardada = campo.IsNull() ? QString() : TextoCantidadKardex(campo.AsFloat());
  if (guardada == existencia) return r;
  if (!(vacioSeQueda && guardada.isEmpty() && Real(existencia) == 0)) {
    if (const double n = Real(existencia); n > -0.001 && n < 0.001)
      r.existencia = QStringLiteral("0");
    else
      r.ajustada = true;
    FijaExistencia(productos, r.existencia);
    r.escrita = true;
  }
  if (conTotales) EscribeTotales(productos, r.existencia, entradas, salidas);
  return r;
}

void RecalculaExistenciaProducto(const QString& clave, db::Tabla& productos) {
  const QString totales = CalculaExistenciaKardex(ConsultaExistencia(CarpetasEmpresa(), clave));
  QString existencia, entradas, salidas;
  ElementoComa(totales, 1, existencia);
  ElementoComa(totales, 2, entradas);
  ElementoComa(totales, 3, salidas);
  EscribeRecuento(productos, existencia, entradas, salidas, true, true);
}

void KardexAlternoProducto(const QString& clave, const QString& existencia, db::Tabla& productos) {
  const QString consulta = ConsultaKardexAlterno(CarpetasEmpresa(), clave);
  const QString totales = MuestraKardexAlterno(consulta, clave, existencia, true);
  QString final, entradas, salidas;
  ElementoComa(totales, 1, final);
  ElementoComa(totales, 2, entradas);
  ElementoComa(totales, 3, salidas);
  if (final.isEmpty()) return;
  FijaExistencia(productos, final);
  EscribeTotales(productos, final, entradas, salidas);
}
