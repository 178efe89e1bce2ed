#include "pos/TablasVenta.h"

#include "foundation/Anchos.h"

using namespace db::campo;
using db::CarpetaTabla;
using db::DefTabla;
using db::OrigenTabla;

namespace {

const db::Duenio kVenta(QStringLiteral("pos"));

}  // namespace

DefTabla EsquemaEncabezadoDocumento(const QString& archivo, CarpetaTabla carpeta, OrigenTabla origen) {
  using namespace ancho;
  return kVenta.Esquema(archivo, carpeta, origen,
                        {NumeroDocumento("CLDOC_F"),
                         Control("CONTROL"),
                         ClaveCliente("CLCLI_F"),
                         Nombre("NOMBR_F"),
                         Direccion("DIREC_F"),
                         Direccion("DIRE2_F"),
                         Poblacion("POBLA_F"),
                         Rfc("RFCXX_F"),
                         CodigoPostal("CPXXX_F"),
                         C("ESTAD_F", 30),  // as ESTAD_C
                         C("PAISX_F", 30),  // as PAISX_C
                         Dias("CONDI_F"),
                         VendedorOTurno("CLVEN_F"),
                         Porcentaje("CTOVE_F"),  // the seller's commission percentage
                         Caja("BCLIM_F"),
                         Porcentaje("DESFI_F"),
                         Porcentaje("IMIM1_F"),
                         D("FEDOC_F"),
                         D("FEENT_F"),
                         D("FEVEN_F"),
                         D("FEPAG_F"),
                         FechaHora("HORAX_F"),
                         FechaHora("HORAF_F"),
                         Importe("SUBTO_F"),
                         Importe("IMIM2_F"),
                         Importe("IMTOD_F"),
                         Importe("COSTO_F"),
                         Importe("DECOT_F"),
                         Importe("EXENT_F"),
                         Importe("IVAX1_F"),
                         Importe("IVAX2_F"),
                         Importe("IEPS1_F"),
                         Importe("IEPS2_F"),
                         Importe("IEPS3_F"),
                         Importe("FPGCX_F"),
                         Importe("CAMBI_F"),
                         Importe("ABONO_F"),
                         Importe("SALDO_F"),
                         C("PAGOX_F", 30),  // a payment-type name, or "Pagada en " + a register
                         C("METOD_F", 30),  // the payment-type text
                         C("FORMA_F", 30),  // "Pago en una sola Exhibición"
                         C("NUCTA_F", 30),  // an account or card number
                         C("NOMDI_F", 15),  // a currency name, as the currency file keeps it
                         Factor("DIVIS_F"),
                         C("REMIS_F", 15),   // "F" + an invoice number, cut to 13 by the closing invoice
                         C("CLPED_F", 25),   // up to "CI(" + first + "-" + last + ")"
                         C("DESTI_F", 100),  // "F " + number + "," once per merged invoice
                         Usuario("ORIGE_F"),
                         C("USUARIO", 30),  // a user number, or the seller name shown
                         ancho::Marca("STATU_F"),
                         ancho::Marca("TREGI_F"),
                         ancho::Marca("proceso"),
                         ancho::Marca("MI"),
                         Control("CORTE")},
                        {Tag("INUMENC", "CLDOC_F")});
}

DefTabla EsquemaPartidaDocumento(const QString& archivo, CarpetaTabla carpeta, OrigenTabla origen) {
  using namespace ancho;
  return kVenta.Esquema(archivo, carpeta, origen,
                        {DocumentoTexto("CLDOC_FD"),
                         Control("CONTROL"),
                         ClaveProducto("CLPRO_FD"),
                         Descripcion("DEPRO_FD"),
                         C("UNIDA_FD", 3),  // as UMEDI_I
                         Cantidad("CANTI_FD"),
                         C("PENDI_FD", 6),  // the capture's tare text
                         Importe("PUNPR_FD"),
                         Importe("PREDE_FD"),
                         Importe("IMPOR_FD"),
                         Importe("COPRO_FD"),
                         Porcentaje("PDES1_FD"),
                         Porcentaje("PIVA1_FD"),
                         Factor("PIVA2_FD"),  // the package factor
                         Cantidad("TICAM_FD"),
                         Factor("FPGCX_FD"),
                         Porcentaje("IEPS1_FD"),
                         D("FEDOC_FD"),
                         SelloFecha("FECHA"),
                         ancho::Marca("TIPOX_FD"),
                         C("PCOMI_FD", 2),  // "1", "0" or "-1"
                         NumeroUsuario("HORAF_F"),
                         C("USUARIO", 30),           // a user number, or the seller name shown
                         ClaveProveedor("NOMDI_FD"),  // the product's first supplier
                         Cantidad("INICIAL"),
                         Cantidad("FINAL"),
                         ancho::Marca("TREGI_FD"),
                         ancho::Marca("TDOCU_FD"),
                         Referencia("REFER_FD"),  // read by the alternate stock card, written by no one
                         C("PRECL_OD", 15)},      // read by the alternate stock card, as in the purchase lines
                        {Tag("CLDOC_FD")});
}

DefTabla EsquemaPartidaCaptura(const QString& archivo, OrigenTabla origen) {
  return kVenta.Esquema(archivo, CarpetaTabla::Programa, origen,
                        {Numero("CANTIDAD"),   A("CLAVE", 30),       A("PRODUCTO", 60),    Moneda("PRECIO"),
                         Numero("DESCUENTO"),  Moneda("IMPORTE"),    Moneda("COSTO"),      A("UNIDAD", 3),
                         Numero("IMPUESTO"),   Numero("FACTOR"),     Numero("EMPAQUE"),    Numero("PREC_TARA"),
                         Numero("DESCUENTO2"), Numero("DESCUENTO3"), A("TARA", 6),         Numero("FPGC"),
                         A("TIPO", 1),         A("PROVEEDOR", 8),    Numero("INICIAL"),    Numero("FINAL"),
                         Numero("IEPS1")});
}

QVector<ParDocumento> ParesDocumentoVenta() {
  return {{QStringLiteral("Remisión"), "Remision.dbf", "RemisioD.dbf", CarpetaTabla::Remisiones},
          {QStringLiteral("Caja Chica"), "CajaChic.dbf", "CajaChiD.dbf", CarpetaTabla::Datos},
          {QStringLiteral("Factura"), "FacturaE.dbf", "FacturaD.dbf", CarpetaTabla::Datos},
          {QStringLiteral("Pedido"), "Pedido.dbf", "PedidoD.dbf", CarpetaTabla::Datos},
          {QStringLiteral("Cotización"), "Cotizaci.dbf", "CotizacD.dbf", CarpetaTabla::Datos},
          {QString(), "Cotizar.DBF", "CotizarD.dbf", CarpetaTabla::Datos},
          {QStringLiteral("Devolución"), "Devoluc.dbf", "DevolucD.dbf", CarpetaTabla::Datos}};
}

const ParDocumento* ParDeTipo(const QString& tipo) {
  static const QVector<ParDocumento> pares = ParesDocumentoVenta();
  for (const ParDocumento& par : pares)
    if (!tipo.isEmpty() && par.tipo == tipo) return &par;
  return nullptr;
}

void RegistraTablasVenta(db::Catalogo& catalogo) {
  using namespace ancho;
  for (const ParDocumento& par : ParesDocumentoVenta()) {
    catalogo.Registra(EsquemaEncabezadoDocumento(par.encabezado, par.carpeta));
    catalogo.Registra(EsquemaPartidaDocumento(par.partidas, par.carpeta));
  }
  // Templates of the per-station header tables, made again at every start.
  for (const QString& archivo : {QStringLiteral("Remision.dbf"), QStringLiteral("Cotizar.DBF")})
    catalogo.Registra(EsquemaEncabezadoDocumento(archivo, CarpetaTabla::Tempo, OrigenTabla::Programa));

  catalogo.Registra(EsquemaPartidaCaptura("Deta.db"));
  catalogo.Registra(EsquemaPartidaCaptura("DetaCR.db"));

  catalogo.Registra(kVenta.Esquema("Descuento.DBF", CarpetaTabla::Datos, OrigenTabla::Empresa,
                                   {C("TIPOPAGO", 25),  // the sale buffers keep 25 for a payment type
                                    Porcentaje("DESCUENTO"), Concepto("PRECIO")},
                                   {Tag("TIPOPAGO")}));
  catalogo.Registra(kVenta.Esquema("MultiPagos.dbf", CarpetaTabla::Datos, OrigenTabla::Empresa,
                                   {DocumentoTexto("CLDOC_F"), Control("CONTROL"), Importe("MONTO_F"), C("PAGOX_F", 30),
                                    D("FEDOC_F")},
                                   {Tag("CLDOC_F")}));
  // Cash vouchers live beside the sale screen's header table.
  catalogo.Registra(kVenta.Esquema(
      "Retiros.dbf", CarpetaTabla::Remisiones, OrigenTabla::Empresa,
      {NumeroDocumento("CLDOC_F"), D("FEDOC_F"),
       C("HORA", 12),          // a time text
       N("NUM_CONCEP", 2, 0),  // 1 cash out, 2 cash in; compared as a number
       C("CONCEPTO", 60),      // a line of the concept list: key, two blanks, concept
       Importe("CANTIDAD"),
       C("CLASIFI", 45),  // the concept's key, a blank and its classification
       FechaHora("HORAF_F"), Caja("BCLIM_F"), VendedorOTurno("CLVEN_F"), C("NUM_RETIRO", 1)},
      {Tag("CLDOC_F")}));
  catalogo.Registra(kVenta.Esquema("Pagos.dbf", CarpetaTabla::Datos, OrigenTabla::Empresa,
                                   {C("CLAVE", 10), C("CONCEPTO", 40)}, {Tag("CLAVE")}));
  catalogo.Registra(kVenta.Esquema("Clasificacion.dbf", CarpetaTabla::Datos, OrigenTabla::Empresa,
                                   {C("CLAVE", 10), C("CLASIFICAC", 30)}, {Tag("CLAVE")}));
  catalogo.Registra(kVenta.Esquema("Cortes.DBF", CarpetaTabla::Datos, OrigenTabla::Empresa,
                                   {Control("CORTE"), FechaHora("CONTROL"), D("FECHA"), C("HORA", 12),
                                    NumeroDocumento("INICIO"), NumeroDocumento("FIN"), Usuario("USUARIO")},
                                   {Tag("CORTE")}));
  // Stock writes that failed during a sale.
  catalogo.Registra(kVenta.Esquema("Existe.dbf", CarpetaTabla::Inventario, OrigenTabla::Empresa,
                                   {ClaveProducto("CLAVE"), Cantidad("CANTI"), C("CONTROL", 10),
                                    C("MODULO", 20),  // the kind of document, "Nota de Crédito" the longest
                                    Concepto("MOVIMIENTO")}));
}
