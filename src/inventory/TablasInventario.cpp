#include "inventory/TablasInventario.h"

#include "foundation/Anchos.h"

using namespace db::campo;
using db::CarpetaTabla;
using db::DefTabla;
using db::OrigenTabla;

namespace {

const db::Duenio kInventario(QStringLiteral("inventory"));

}  // namespace

DefTabla EsquemaCaducidad(bool todos) {
  QVector<db::DefCampo> c = {D("CADUCIDAD"),           N("CANTIDAD", 10, 3), N("SUMA", 10, 3),
                             N("DOCUMENTO", 10, 3),    D("FECHA"),           N("MOVIMIENTO", 10, 0)};
  if (todos)
    c << C("CLPRO", 18) << C("PRODUCTO", 30);
  else
    c << N("CUENTA", 6, 0);
  return kInventario.Esquema("CADUCIDAD.DBF", CarpetaTabla::Programa, OrigenTabla::Corrida, c, {},
                             todos ? QStringLiteral("todos") : QStringLiteral("producto"));
}

DefTabla EsquemaAuxiliar(const QString& variante) {
  const bool integral = variante == u"integral";
  const bool costo = variante == u"costo";
  const bool alterno = variante == u"alterno";
  QVector<db::DefCampo> c = {C("CLAVE", 20),
                             C("DESCRIPCIO", 25),
                             N("CANTIDAD", 10, 2),
                             N("MOVIMIENTO", 10, 2),
                             N("KARDEX", 10, 2),
                             integral ? C("DOCUMENTO", 11) : N("DOCUMENTO", 10, 0),
                             N("COSTO", 10, 2),
                             D("FECHA"),
                             C("DES_MOVIM", 25)};
  if (!costo) c << C("ORIGEN", 15);
  if (!costo && !alterno) c << N("EXISTENCIA", 10, 2);
  c << C("REFERENCIA", 10);
  if (alterno) c << C("CLIPROV", 10) << C("USUARIO", 10) << C("NOMBRE", 10);
  return kInventario.Esquema("auxiliar.dbf", CarpetaTabla::Datos, OrigenTabla::Corrida, c, {}, variante);
}

DefTabla EsquemaInventar() {
  using namespace ancho;
  QVector<db::DefCampo> c = {
      C("CLPRO_I", 20),
      C("DSCPR_I", 60),
      C("CODIG_I", 12),
      C("UMEDI_I", 3),
      Linea("LIPRO_I"),
      Factor("UEMPA_I"),
      Cantidad("EXIFA_I"),
      ClaveProveedor("CLPR1_I"),
      ClaveProveedor("CLPR2_I"),
      D("FEALT_I"),
      D("FEULC_I"),
      D("FEULV_I"),
      FechaHora("HORAF_F"),
      Factor("PTICA_I"),  // exchange rate
      C("TICOS_I", 4),
      Porcentaje("PIVA1_I"),
      Porcentaje("PIVA2_I"),
      Cantidad("STMIN_I"),
      Cantidad("STMAX_I"),
      Cantidad("EXIST_I"),
      Cantidad("COMRE_I"),
      Cantidad("PESUR_I"),
      Importe("ULCOS_I"),
      Importe("CPROM_I"),
      Importe("PPUBL_I"),
      Importe("PLIS2_I"),
      Importe("PLIS3_I"),
      Importe("PLIS4_I"),
      Importe("PMINI_I"),
      Importe("PLIS6_I"),
      Importe("PLIS7_I"),
  };
  for (int n = 1; n <= 7; ++n) c << Cantidad(QStringLiteral("POLI%1_I").arg(n));
  for (int n = 1; n <= 7; ++n) c << Porcentaje(QStringLiteral("PORC%1_I").arg(n));
  c << Importe("VANMO_I") << Cantidad("VANCA_I") << Porcentaje("DESCU_I")
    << C("UBICA_I", 20)  // a shelf or aisle text
    << Almacen("ALMAC_I") << Ruta("IMAGE_I") << Marca("SERIE_I") << Marca("KITXX_I")
    << Factor("FPGCC_I")
    << FechaHora("FPGCI_I")  // the date stock was last posted, as a number
    << Factor("FACTO_I")     // tare per box
    << C("CADUC_I", 10)      // expiry as text, as the purchase lines keep it
    << C("MENSA_I", 60) << Porcentaje("DESC1_I") << Porcentaje("DESC2_I") << Porcentaje("DESC3_I");
  return kInventario.Esquema("INVENTAR.DBF", CarpetaTabla::Inventario, OrigenTabla::Empresa, c,
                             {Tag("ICLPRO", "CLPRO_I"), Tag("DSCPR_I"), Tag("CODIG_I")});
}

DefTabla EsquemaMovinven() {
  using namespace ancho;
  return kInventario.Esquema("MOVINVEN.DBF", CarpetaTabla::Inventario, OrigenTabla::Empresa,
                             {NumeroDocumento("CLDOC_MI"),
                              Concepto("TIMOV_MI"),
                              D("FEDOC_MI"),
                              Referencia("REFMO_MI"),  // cut to 20 by the movement window
                              C("NUDOC_MI", 20),       // kind letter + number + "-" + control
                              ClaveProducto("CLPRO_MI"),
                              Descripcion("DESCR_MI"),
                              C("CLPRV_MI", 20),  // the counterpart cut to 20
                              C("CLCOP_MI", 30),  // the counterpart as captured
                              VendedorOTurno("CLVEN_MI"),
                              Cantidad("CANTI_MI"),
                              Importe("PUNIT_MI"),
                              Importe("COSUN_MI"),
                              N("NALMA_MI", 3, 0),  // warehouse 0 .. 99
                              Marca("BANAF_MI"),
                              Cantidad("EXIST_MI"),
                              C("CADUC_MI", 10),  // the capture's expiry text
                              Cantidad("EMPAQUE"),
                              Cantidad("INICIAL"),
                              Cantidad("FINAL"),
                              Usuario("USUARIO"),
                              NumeroUsuario("HORAF_F"),
                              SelloFecha("FECHA"),
                              Control("CONTROL"),
                              C("PRECL_OD", 15)},  // as in the purchase lines
                             {Tag("CLDOC_MI"), Tag("NUDOC_MI"), Tag("CLPRO_MI"), Tag("FEDOC_MI")});
}

void RegistraTablasInventario(db::Catalogo& catalogo) {
  using namespace ancho;
  const DefTabla inventar = EsquemaInventar();
  catalogo.Registra(inventar);
  catalogo.Registra(db::ComoTabla(inventar, "InveAux.dbf", CarpetaTabla::Programa, OrigenTabla::Corrida, false));

  const DefTabla movinven = EsquemaMovinven();
  catalogo.Registra(movinven);
  // Purchases write here when MOVINVEN.DBF cannot be written.
  catalogo.Registra(db::ComoTabla(movinven, "MOVINVEN2.DBF", CarpetaTabla::Inventario, OrigenTabla::Empresa));

  // Per-product totals. The quantities are as wide as the product's stock:
  // entries and exits add up for years and outgrow NUMERIC(8,2). The key is
  // the table's primary key: one row per product, so two stations making
  // a product's first row at once cannot make two.
  catalogo.Registra(kInventario.Esquema(
      "Kardex.dbf", CarpetaTabla::Inventario, OrigenTabla::Empresa,
      {C("CLPRO_I", 20), Cantidad("ENTRA_I"), Cantidad("SALID_I"), Cantidad("EXIST_I"),
       Cantidad("INVEN_I"), C("OK", 1)},
      {db::DefTag{"CLPRO_I", "CLPRO_I", true, false}}));

  // The movement mirror: copies of remission and purchase-receipt lines.
  catalogo.Registra(kInventario.Esquema(
      "MOVIMIENTOS.DBF", CarpetaTabla::Inventario, OrigenTabla::Empresa,
      {DocumentoTexto("CLDOC_MI"), ClaveProducto("CLPRO_MI"), Concepto("TIMOV_MI"), D("FEDOC_MI"),
       Cantidad("CANTI_MI"), Importe("PUNIT_MI"), Importe("COSUN_MI"), Control("CONTROL"),
       Usuario("USUARIO"), Caja("PCXXX_MI"), C("NUDOC_MI", 20), Marca("STATUS")}));

  catalogo.Registra(kInventario.Esquema(
      "KITS.DBF", CarpetaTabla::Inventario, OrigenTabla::Empresa,
      {C("CLPRO_I", 20), ClaveProducto("CLPRO_K"), Descripcion("DESCR_K"), Cantidad("CANTI_K")},
      {Tag("CLPRO_I")}));
  // One table of serial numbers per product, named after its key.
  catalogo.Registra(kInventario.Esquema("serie\\<clave>.dbf", CarpetaTabla::Datos, OrigenTabla::Corrida,
                                        {C("NUSER_NS", 30), NumeroDocumento("DOSAL_NS"), C("control", 10)}));
  catalogo.Registra(kInventario.Esquema("RutasMI.dbf", CarpetaTabla::Datos, OrigenTabla::Empresa, {Ruta("ruta")}));

  catalogo.Registra(kInventario.Esquema(
      "Detaminv.db", CarpetaTabla::Programa, OrigenTabla::Programa,
      {Numero("CANTIDAD"), Numero("EMPAQUE"), A("CLAVE", 30), A("DESCRIPCION", 40), Moneda("COSTO"),
       Moneda("PRECIO"), Moneda("IMPORTE"), A("REFERENCIA", 8), A("CADUCIDAD", 10),
       Numero("INICIAL"), Numero("FINAL")}));

  // Work tables rebuilt by their commands. A dBASE field name holds 10
  // characters: VALOR_TEORICO, VALOR_REALES, VALOR_AJUSTE and PRECIO_UNIT
  // are stored under their first ten.
  catalogo.Registra(kInventario.Esquema(
      "Ajuste.dbf", CarpetaTabla::Inventario, OrigenTabla::Corrida,
      {C("CLAVE", 20), C("DESCRIPCIO", 25), N("TEORICO", 10, 2), N("REALES", 10, 2),
       N("AJUSTE", 10, 2), N("COSTO", 10, 2), N("VALOR_TEOR", 10, 2), N("VALOR_REAL", 10, 2),
       N("VALOR_AJUS", 10, 2), C("LINEA", 8), C("PROVEEDOR", 8)},
      {Tag("CLAVE")}));
  catalogo.Registra(kInventario.Esquema("AjusteMI.dbf", CarpetaTabla::Programa, OrigenTabla::Corrida,
                                        {C("CLAVE", 20), C("PRODUCTO", 40), N("ACTUAL", 10, 3), N("REALES", 10, 3),
                                         N("AJUSTE", 10, 3), N("COSTO", 10, 3), C("OTRO", 1)},
                                        {Tag("CLAVE")}));
  catalogo.Registra(EsquemaCaducidad(false));
  catalogo.Registra(EsquemaCaducidad(true));
  catalogo.Registra(kInventario.Esquema("RGeneral.dbf", CarpetaTabla::Programa, OrigenTabla::Corrida,
                                        {N("DOCU", 6, 0), C("CLAVE", 20), C("DESCRIPCIO", 25), N("CANTIDAD", 10, 2),
                                         N("PRECIO", 10, 2), N("PRECIO_UNI", 10, 2), N("MOVIMIENTO", 10, 2), D("FECHA"),
                                         N("FECHA2", 8, 3), C("DES_MOVIM", 25)}));
  for (const char* variante : {"integral", "movimientos", "costo", "alterno"})
    catalogo.Registra(EsquemaAuxiliar(QString::fromLatin1(variante)));
}
