#include "salesdocs/TablasDocumentos.h"

#include "foundation/Anchos.h"
#include "pos/TablasVenta.h"

using namespace db::campo;
using db::CarpetaTabla;
using db::DefTabla;
using db::OrigenTabla;

namespace {

const db::Duenio kDocumentos(QStringLiteral("salesdocs"));

// CORTE_PAG.DBF: one row per concept, or one per document or movement.
DefTabla CortePagados(bool concentrado) {
  return kDocumentos.Esquema(
      "CORTE_PAG.DBF", CarpetaTabla::Tempo, OrigenTabla::Corrida,
      {D("FECHA"), N("DOCUMENTO", 10, 0), N("TOTAL", 10, 2), C("CONCEPTO", concentrado ? 25 : 18),
       C("CLIENTE", concentrado ? 15 : 25)},
      concentrado ? QVector<db::DefTag>{Tag("CONCEPTO")} : QVector<db::DefTag>{},
      concentrado ? QStringLiteral("concentrado") : QStringLiteral("detallado"));
}

}  // namespace

void RegistraTablasDocumentos(db::Catalogo& catalogo) {
  using namespace ancho;
  // Chart work tables: the fields of the current header or line table with
  // one tag, made again for every run.
  DefTabla aux = EsquemaEncabezadoDocumento("FactAuxi.dbf", CarpetaTabla::Datos, OrigenTabla::Corrida);
  aux.subsistema = QStringLiteral("salesdocs");
  catalogo.Registra(aux);
  DefTabla auxD = EsquemaPartidaDocumento("FactAuxiD.dbf", CarpetaTabla::Datos, OrigenTabla::Corrida);
  auxD.subsistema = QStringLiteral("salesdocs");
  catalogo.Registra(auxD);

  // The returns grid: the capture layout, copied from the template when shown.
  DefTabla devol = EsquemaPartidaCaptura("DetaDevol.db", OrigenTabla::Corrida);
  devol.subsistema = QStringLiteral("salesdocs");
  catalogo.Registra(devol);

  // Template of the global sales summaries, copied to c:\VRL\deta.DBF for
  // every run.
  catalogo.Registra(kDocumentos.Esquema(
      "DETA.DBF", CarpetaTabla::Programa, OrigenTabla::Programa,
      {ClaveProducto("CLAVE"), Descripcion("PRODUCTO"), Cantidad("CANTIDAD"),
       Importe("PRECIO"),  // amount sold
       Importe("COSTO"),   // profit, or cost
       ClaveProveedor("PROVE"), ClaveProveedor("PROVE2"), Linea("LINEA"), Factor("EMPAQUE"),
       NumeroDocumento("DOCU"), Porcentaje("IMPUESTO"),
       N("PORC_TOT", 12, 3),   // a share of the total, in percent
       N("PORC_UTIL", 12, 3),  // a margin: may run far above 100
       Cantidad("CAJAS"), Cantidad("PIEZAS")},
      {Tag("CLAVE"), Tag("LINEA")}));

  catalogo.Registra(CortePagados(true));
  catalogo.Registra(CortePagados(false));
  // DESCRIPCION is stored under its first ten characters.
  catalogo.Registra(kDocumentos.Esquema(
      "REPOR_KWO.DBF", CarpetaTabla::Tempo, OrigenTabla::Corrida,
      {N("DOCUMENTO", 10, 0), C("PRODUCTO", 20), C("DESCRIPCIO", 50), N("CANTIDAD", 12, 3),
       N("FACTOR", 12, 3), N("CAJAS", 12, 3), C("PROVEEDOR", 15), C("FEDOC_FD", 15)},
      {Tag("PRODUCTO")}));
}
