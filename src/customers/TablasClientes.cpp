#include "customers/TablasClientes.h"

#include "foundation/Anchos.h"

using namespace db::campo;
using db::CarpetaTabla;
using db::DefTabla;
using db::OrigenTabla;

namespace {

const db::Duenio kClientes(QStringLiteral("customers"));

// One movement of a receivable account: remissions and invoices keep the
// same record.
QVector<db::DefCampo> CamposCuentaCobrar() {
  using namespace ancho;
  return {NumeroDocumento("NUFAC_CC"),
          Control("CONTROL"),
          ClaveCliente("CLCLI_CC"),
          Nombre("NOMBR_CC"),
          C("TIMOV_CC", 4),  // a concept number as text
          ConceptoTexto("CONCE_CC"),
          Marca("OPERA_CC"),
          Importe("IMCUE_CC"),
          Importe("CARGO_CC"),
          Importe("ABONO_CC"),
          Importe("SALDO_CC"),
          D("FEAPL_CC"),
          D("FEVEN_CC"),
          C("NUDOC_CC", 15),  // receipt or cheque number
          C("NUREF_CC", 15),
          ConceptoTexto("COBRA_CC"),
          Control("CORTE"),  // cash cut number
          FechaHora("HORAF_F"),
          VendedorOTurno("CLVEN_CC"),  // the document's CLVEN_F
          Importe("COMIS_CC"),
          Importe("IVAXX_CC")};
}

}  // namespace

DefTabla EsquemaCliente() {
  using namespace ancho;
  return kClientes.Esquema("CLIENTE.DBF", CarpetaTabla::Datos, OrigenTabla::Empresa,
                           {C("CLCLI_C", 10),
                            C("NOMBR_C", 60),
                            C("TELEF_C", 20),
                            Telefono("FAXXX_C"),
                            Correo("MAILX_C"),
                            Rfc("RFCXX_C"),
                            C("CURPX_C", 18),  // a CURP has 18 characters
                            Direccion("DIREC_C"),
                            Direccion("DIRE2_C"),
                            Poblacion("POBLA_C"),
                            CodigoPostal("CPXXX_C"),
                            C("ESTAD_C", 30),
                            C("PAISX_C", 30),
                            Dias("DCRED_C"),
                            C("DREPA_C", 10),  // a weekday, "Miercoles" the longest
                            C("HOREV_C", 10),
                            C("DIPAG_C", 10),
                            C("HOPAG_C", 10),
                            C("ZONAX_C", 10),
                            D("FULCO_C"),
                            C("CLVEN_C", 5),
                            Concepto("PREPR_C"),  // a price-list number, up to 200
                            Importe("SALDO_C"),
                            Importe("COMPR_C"),
                            Importe("CARGO_C"),
                            Importe("ABONO_C"),
                            C("STATU_C", 1)},
                           {Tag("ICLACLI", "CLCLI_C"), Tag("NOMBR_C"), Tag("DIREC_C")});
}

void RegistraTablasClientes(db::Catalogo& catalogo) {
  using namespace ancho;
  const DefTabla cliente = EsquemaCliente();
  catalogo.Registra(cliente);
  catalogo.Registra(db::ComoTabla(cliente, "ClieAuxi.dbf", CarpetaTabla::Programa, OrigenTabla::Corrida, false));

  catalogo.Registra(kClientes.Esquema("VENDEDOR.DBF", CarpetaTabla::Datos, OrigenTabla::Empresa,
                                      {C("CLVEN_V", 5), C("NOMBR_V", 30), Telefono("TELEF_V"), Porcentaje("COMIS_V"),
                                       C("CLASV_V", 5), C("STATU_V", 1)},
                                      {Tag("ICLAVEN", "CLVEN_V"), Tag("NOMBR_V")}));
  catalogo.Registra(kClientes.Esquema(
      "ClieDesc.dbf", CarpetaTabla::Datos, OrigenTabla::Empresa,
      {ClaveCliente("CLCLI_D"), Porcentaje("DESCU_D"), Linea("LINEA_D")}, {Tag("CLCLI_D")}));
  catalogo.Registra(kClientes.Esquema("ContClie.dbf", CarpetaTabla::Datos, OrigenTabla::Empresa,
                                      {ClaveCliente("CLCLI_C"), Nombre("COBRA_C"),
                                       C("CARGO_C", 30),  // the contact's position
                                       Telefono("TELEF_C"), Telefono("FAXXX_C"), Correo("MAILX_C")},
                                      {Tag("ICLACLI", "CLCLI_C")}));

  catalogo.Registra(kClientes.Esquema("CUCOBRAR.DBF", CarpetaTabla::Datos, OrigenTabla::Empresa, CamposCuentaCobrar(),
                                      {Tag("ICUECOB", "NUFAC_CC"), Tag("CLCLI_CC"), Tag("NUREF_CC")}));
  // The remission accounts live beside the remissions.
  catalogo.Registra(kClientes.Esquema(
      "CucobrarRemision.DBF", CarpetaTabla::Remisiones, OrigenTabla::Empresa, CamposCuentaCobrar(),
      {Tag("ICUECOB", "NUFAC_CC")}));
}
