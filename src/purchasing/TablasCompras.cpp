#include "purchasing/TablasCompras.h"

#include "foundation/Anchos.h"

using namespace db::campo;
using db::CarpetaTabla;
using db::DefTabla;
using db::OrigenTabla;

namespace {

const db::Duenio kCompras(QStringLiteral("purchasing"));

}  // namespace

DefTabla EsquemaEncabezadoCompra(const QString& archivo, CarpetaTabla carpeta, OrigenTabla origen,
                                 bool tagsRecepcion) {
  using namespace ancho;
  QVector<db::DefTag> tags = {Tag("ICOMENC", "CLDOC_O")};
  if (tagsRecepcion) tags << Tag("CLPRV_O") << Tag("REFER_O");
  return kCompras.Esquema(archivo, carpeta, origen,
                          {NumeroDocumento("CLDOC_O"),
                           ClaveProveedor("CLPRV_O"),
                           D("FEDOC_O"),
                           D("FEREC_O"),
                           D("FEPAG_O"),
                           Porcentaje("TIMPU_O"),
                           Porcentaje("DTOTA_O"),
                           Porcentaje("DFINT_O"),
                           Importe("TINDI_O"),
                           Referencia("REFER_O"),
                           Almacen("NALMA_O"),
                           Nombre("NOMBR_O"),
                           Direccion("DIREC_O"),
                           Poblacion("POBLA_O"),
                           C("MONED_O", 15),  // a currency name, as the currency file keeps it
                           C("CONTR_O", 15),  // the counter-receipt number the payables list shows
                           Importe("SUBTO_O"),
                           Importe("IMPMO_O"),
                           Importe("IMDOC_O"),
                           Importe("ABONO_O"),
                           Importe("SALDO_O"),
                           Marca("STDOC_O"),
                           Marca("TREGI_O"),
                           Marca("TDOCU_O"),
                           Control("CONTROL"),
                           NumeroUsuario("HORAF_F"),
                           Usuario("USUARIO"),
                           Marca("proceso"),
                           Marca("MI"),
                           N("TREFE_O", 2, 0)},  // 1 once the stock effects were applied
                          tags);
}

DefTabla EsquemaPartidaCompra(const QString& archivo) {
  using namespace ancho;
  return kCompras.Esquema(archivo, CarpetaTabla::Datos, OrigenTabla::Empresa,
                          {DocumentoTexto("CLDOC_OD"),  // the number as the window shows it, as in the sales lines
                           Control("CONTROL"),
                           ClaveProducto("CLPRO_OD"),
                           Descripcion("DESCR_OD"),
                           Cantidad("CANTI_OD"),
                           Importe("CUNIT_OD"),
                           Porcentaje("PODES_OD"),
                           Porcentaje("PODE2_OD"),
                           Porcentaje("PODE3_OD"),
                           Cantidad("CAJAS_OD"),
                           Factor("EMPAQ_OD"),
                           Porcentaje("POIVA_OD"),
                           Porcentaje("PIVAX_OD"),
                           C("PRECL_OD", 15),  // the client price as text
                           C("CADUC_OD", 10),
                           Referencia("REFER_OD"),
                           ClaveProveedor("PROVE_OD"),
                           Almacen("NALMA_OD"),
                           D("FEDOC_OD"),
                           SelloFecha("FECHA"),
                           Usuario("USUARIO"),
                           Cantidad("INICIAL"),
                           Cantidad("FINAL"),
                           Marca("TREGI_OD")},
                          {Tag("ICOMDET", "CLDOC_OD")});
}

DefTabla EsquemaProveedor() {
  using namespace ancho;
  return kCompras.Esquema("PROVEEDO.DBF", CarpetaTabla::Datos, OrigenTabla::Empresa,
                          {C("CLAVE_P", 10),
                           Nombre("NOMBR_P"),
                           Telefono("TELEF_P"),
                           Rfc("RFCXX_P"),
                           Direccion("DIREC_P"),
                           Poblacion("POBLA_P"),
                           CodigoPostal("CPXXX_P"),
                           C("DREPA_P", 30),  // days of review and payment
                           C("ZONAX_P", 10),  // as ZONAX_C
                           Dias("DCRED_P"),
                           D("FULCO_P"),
                           ClaveVendedor("CLVEN_P"),
                           C("NOCLI_P", 15),
                           Porcentaje("POUTI_P"),
                           Porcentaje("DESC1_P"),
                           Porcentaje("DESC2_P"),
                           Porcentaje("DESC3_P"),
                           Importe("COMPR_P"),
                           NumeroDocumento("ULTCO_P"),  // number of the last purchase
                           Importe("CARGO_P"),
                           Importe("ABONO_P"),
                           Importe("SALDO_P")},
                          {Tag("ICLAPRO", "CLAVE_P"), Tag("NOMBR_P")});
}

void RegistraTablasCompras(db::Catalogo& catalogo) {
  using namespace ancho;
  struct Par {
    const char* encabezado;
    const char* partidas;
  };
  for (const Par& par : {Par{"ComprasE.dbf", "ComprasD.dbf"}, Par{"OrdenCom.dbf", "OrdenDet.dbf"},
                         Par{"DevolCom.DBF", "DevolDet.dbf"}}) {
    const bool recepcion = QString(par.encabezado) == QStringLiteral("ComprasE.dbf");
    catalogo.Registra(EsquemaEncabezadoCompra(par.encabezado, CarpetaTabla::Datos, OrigenTabla::Empresa, recepcion));
    catalogo.Registra(EsquemaPartidaCompra(par.partidas));
    // Templates in tempo, with the fields and tags of the data folder's table.
    catalogo.Registra(EsquemaEncabezadoCompra(par.encabezado, CarpetaTabla::Tempo, OrigenTabla::Programa, recepcion));
  }

  catalogo.Registra(kCompras.Esquema(
      "Detacomp.DB", CarpetaTabla::Programa, OrigenTabla::Programa,
      {Numero("CANTIDAD"), Numero("CAJAS"), A("CLAVE", 30), A("PRODUCTO", 40), Moneda("PRECIO"),
       Numero("DESCUENTO"), Moneda("IMPORTE"), Numero("IMPUESTO"), Numero("DESCUENTO2"),
       Numero("DESCUENTO3"), A("CADUCIDAD", 10), Numero("PRECIOCLIENTE"), Numero("SURTIDO"),
       Numero("INICIAL"), Numero("FINAL"), Numero("PCON_IVA"), Numero("EMPAQUE")}));

  const DefTabla proveedor = EsquemaProveedor();
  catalogo.Registra(proveedor);
  catalogo.Registra(db::ComoTabla(proveedor, "ProvAux.dbf", CarpetaTabla::Programa, OrigenTabla::Corrida, false));
  catalogo.Registra(kCompras.Esquema("ContProv.dbf", CarpetaTabla::Datos, OrigenTabla::Empresa,
                                     {ClaveProveedor("CLAVE_P"), Nombre("CONTA_P"),
                                      C("CARGO_P", 30),  // the contact's position
                                      Telefono("TELEF_P"), Telefono("FAXXX_P"), Correo("MAILX_P")},
                                     {Tag("ICLAPRO", "CLAVE_P")}));
  catalogo.Registra(kCompras.Esquema(
      "CUEPAGAR.DBF", CarpetaTabla::Datos, OrigenTabla::Empresa,
      {NumeroDocumento("NUCOM_CP"), ClaveProveedor("CLPRO_CP"), Nombre("NOMBR_CP"),
       Concepto("TIMOV_CP"), ConceptoTexto("CONCE_CP"), Marca("OPERA_CP"), Importe("IMCUE_CP"),
       Importe("CARGO_CP"), Importe("ABONO_CP"), Importe("SALDO_CP"), D("FEAPL_CP"),
       D("FEVEN_CP"), C("NUDOC_CP", 15), C("NUREF_CP", 15), Marca("STATU_CP"),
       C("DIVIO_CP", 15),  // a currency name
       Referencia("REFER_CP")},
      {Tag("NUCOM", "NUCOM_CP"), Tag("CLPRO_CP")}));
  // Cost layers, appended to by receipts; every value kept as text.
  catalogo.Registra(kCompras.Esquema(
      "Costeo.dbf", CarpetaTabla::Datos, OrigenTabla::Empresa,
      {DocumentoTexto("CLDOC_I"), ClaveProducto("CLPRO_I"), C("CANTI_I", 20), C("FECHA_I", 10)},
      {Tag("CLPRO_I")}));
}
