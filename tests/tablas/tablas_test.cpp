// The registry of every table: each layout sound, each field that the
// system's routines write present, keys as wide as the tables that copy them.

#include "platform/db/Tabla.h"
#include "pos/TablasVenta.h"
#include "support/RaizPrueba.h"
#include "tablas/TablasVorlan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

using db::CarpetaTabla;
using db::DefCampo;
using db::DefTabla;
using db::OrigenTabla;

namespace {

const db::Catalogo& Cat() { return CatalogoVorlan(); }

const DefTabla& T(CarpetaTabla carpeta, const QString& archivo) { return Cat().Tabla(carpeta, archivo); }

// Tables registered by file name alone, for tests that do not care where
// they live.
const DefTabla& T(const QString& archivo) {
  const DefTabla* t = Cat().Busca(archivo);
  if (!t) throw std::runtime_error(("sin tabla única " + archivo).toStdString());
  return *t;
}

QStringList FaltanEn(const DefTabla& t, const QStringList& campos) {
  QStringList faltan;
  for (const QString& c : campos)
    if (!t.Campo(c)) faltan << c;
  return faltan;
}

QString Nombre(CarpetaTabla c) {
  switch (c) {
    case CarpetaTabla::Datos:
      return "datos";
    case CarpetaTabla::Inventario:
      return "inventario";
    case CarpetaTabla::Remisiones:
      return "remisiones";
    case CarpetaTabla::Programa:
      return "programa";
    case CarpetaTabla::Tempo:
      return "tempo";
  }
  return {};
}

// A value fits a numeric field when its whole part has room beside the
// point and the decimals (and the sign).
bool Cabe(const DefCampo& c, double valor) {
  const int entero = c.ancho - (c.decimales > 0 ? c.decimales + 1 : 0);
  const QString texto = QString::number(std::trunc(valor), 'f', 0);
  return texto.size() <= entero;
}

}  // namespace

TEST(Tablas, CadaEsquemaEsSano) {
  for (const DefTabla& t : Cat().Tablas()) {
    const QStringList p = db::Problemas(t);
    EXPECT_TRUE(p.isEmpty()) << p.join("\n").toStdString();
    EXPECT_FALSE(t.subsistema.isEmpty()) << t.Titulo().toStdString();
  }
}

TEST(Tablas, ListaDeLasTablasRegistradas) {
  int cuenta[3] = {0, 0, 0};
  std::printf("Tablas registradas (origen, carpeta, archivo, subsistema, campos, índices):\n");
  for (const DefTabla& t : Cat().Tablas()) {
    const int o = static_cast<int>(t.origen);
    ++cuenta[o];
    const char* origen[] = {"empresa", "programa", "corrida"};
    std::printf("  %-9s %-10s %-22s %-12s %3d %d\n", origen[o], Nombre(t.carpeta).toUtf8().constData(),
                t.Titulo().toUtf8().constData(),
                t.subsistema.toUtf8().constData(), int(t.campos.size()), int(t.tags.size()));
  }
  std::printf("Empresa %d, programa %d, por corrida %d, en total %d\n", cuenta[0], cuenta[1], cuenta[2],
              int(Cat().Tablas().size()));
  // Every table of the company and of the program folder that the system
  // names: 50 of the company, 11 of the program folder.
  EXPECT_EQ(cuenta[0], 50);
  EXPECT_EQ(cuenta[1], 11);
}

// The two fixed lists of the required-files check after a login: every name
// a layout exists for is made by the setups, with its production index.
TEST(Tablas, ArchivosRequeridosAlEntrar) {
  for (const QString n : {"Deta", "Detacomp", "Detaminv"}) {
    const DefTabla* t = Cat().Busca(CarpetaTabla::Programa, n + ".db");
    ASSERT_NE(t, nullptr) << n.toStdString();
    EXPECT_EQ(t->origen, OrigenTabla::Programa) << n.toStdString();
  }
  // Credito, CreditoD, Cupagar and Poventas are named by the check only: no
  // routine reads or writes them and nothing gives their fields.
  for (const QString n : {"Cliente",  "Comovinv", "Comprasd", "Comprase", "Concepto", "Cotizacd", "Cotizaci",
                          "Cucobrar", "Devoluc",  "DevolucD", "Facturad", "Facturae", "Inventar", "Movinven",
                          "Pedido",   "Pedidod",  "Proveedo", "Remisiod", "Remision", "Vendedor"}) {
    const DefTabla* t = Cat().Busca(CarpetaTabla::Datos, n + ".dbf");
    if (!t) t = Cat().Busca(CarpetaTabla::Inventario, n + ".dbf");
    if (!t) t = Cat().Busca(CarpetaTabla::Remisiones, n + ".dbf");
    ASSERT_NE(t, nullptr) << n.toStdString();
    EXPECT_EQ(t->origen, OrigenTabla::Empresa) << n.toStdString();
    EXPECT_FALSE(t->tags.isEmpty()) << n.toStdString() << ": sin índices no hay .mdx";
  }
}

TEST(Tablas, ElEncabezadoDeVentaTieneCadaCampoQueSeEscribe) {
  // Written by the sale screen when it saves, totals, pays, cancels and
  // derives documents.
  const QStringList alGuardar = {
      "CLDOC_F", "CONTROL", "CLCLI_F", "NOMBR_F", "DIREC_F", "DIRE2_F", "POBLA_F", "RFCXX_F", "CPXXX_F", "ESTAD_F",
      "PAISX_F", "CONDI_F", "CLVEN_F", "CTOVE_F", "BCLIM_F", "DESFI_F", "IMIM1_F", "FEDOC_F", "FEENT_F", "FEVEN_F",
      "HORAX_F", "HORAF_F", "SUBTO_F", "IMIM2_F", "IMTOD_F", "COSTO_F", "DECOT_F", "EXENT_F", "IVAX1_F", "IVAX2_F",
      "IEPS1_F", "IEPS2_F", "IEPS3_F", "CAMBI_F", "ABONO_F", "SALDO_F", "PAGOX_F", "NUCTA_F", "NOMDI_F", "DIVIS_F",
      "REMIS_F", "CLPED_F", "DESTI_F", "STATU_F", "ORIGE_F", "TREGI_F", "proceso", "MI",      "CORTE"};
  // Written or read by the receivables, the invoice from a remission, the
  // discounts and the cash-cut reports.
  const QStringList enOtrasPartes = {"FEPAG_F", "METOD_F", "FORMA_F", "USUARIO", "FPGCX_F"};
  for (const ParDocumento& par : ParesDocumentoVenta()) {
    const DefTabla& t = T(par.carpeta, par.encabezado);
    EXPECT_EQ(FaltanEn(t, alGuardar), QStringList()) << par.encabezado.toStdString();
    EXPECT_EQ(FaltanEn(t, enOtrasPartes), QStringList()) << par.encabezado.toStdString();
    ASSERT_EQ(t.tags.size(), 1);
    EXPECT_EQ(t.tags[0].nombre, "INUMENC");
    EXPECT_EQ(t.tags[0].expresion, "CLDOC_F");
  }
}

TEST(Tablas, LaPartidaDeVentaTieneCadaCampoQueSeEscribe) {
  const QStringList alGuardar = {"CLDOC_FD", "CONTROL",  "CLPRO_FD", "DEPRO_FD", "UNIDA_FD", "CANTI_FD", "PENDI_FD",
                                 "PUNPR_FD", "PREDE_FD", "IMPOR_FD", "COPRO_FD", "PDES1_FD", "PIVA1_FD", "PIVA2_FD",
                                 "TICAM_FD", "FPGCX_FD", "IEPS1_FD", "FEDOC_FD", "FECHA",    "TIPOX_FD", "PCOMI_FD",
                                 "HORAF_F",  "USUARIO",  "NOMDI_FD", "INICIAL",  "FINAL",    "TREGI_FD", "TDOCU_FD"};
  // Read by the alternate stock card from every line table.
  const QStringList tarjeta = {"REFER_FD", "PRECL_OD"};
  for (const ParDocumento& par : ParesDocumentoVenta()) {
    const DefTabla& t = T(par.carpeta, par.partidas);
    EXPECT_EQ(FaltanEn(t, alGuardar), QStringList()) << par.partidas.toStdString();
    EXPECT_EQ(FaltanEn(t, tarjeta), QStringList()) << par.partidas.toStdString();
    EXPECT_EQ(t.tags.size(), 1);
    EXPECT_EQ(t.tags.value(0).expresion, "CLDOC_FD");
  }
}

TEST(Tablas, LosDocumentosDeVentaCompartenUnEncabezadoYUnaPartida) {
  const auto nombres = [](const DefTabla& t) {
    QStringList l;
    for (const DefCampo& c : t.campos) l << c.nombre;
    return l;
  };
  const DefTabla& e = T(CarpetaTabla::Remisiones, "Remision.dbf");
  const DefTabla& p = T(CarpetaTabla::Remisiones, "RemisioD.dbf");
  EXPECT_EQ(ParesDocumentoVenta().size(), 7);
  for (const ParDocumento& par : ParesDocumentoVenta()) {
    EXPECT_EQ(nombres(T(par.carpeta, par.encabezado)), nombres(e)) << par.encabezado.toStdString();
    EXPECT_EQ(nombres(T(par.carpeta, par.partidas)), nombres(p)) << par.partidas.toStdString();
  }
  EXPECT_EQ(T("FactAuxi.dbf").campos.size(), e.campos.size());
  EXPECT_EQ(T("FactAuxiD.dbf").campos.size(), p.campos.size());
}

TEST(Tablas, ElProductoTieneCadaCampoDeSuRegistro) {
  const DefTabla& t = T(CarpetaTabla::Inventario, "INVENTAR.DBF");
  QStringList campos = {"CLPRO_I", "DSCPR_I", "CODIG_I", "UMEDI_I", "LIPRO_I", "UEMPA_I", "EXIFA_I", "CLPR1_I",
                        "CLPR2_I", "FEALT_I", "FEULC_I", "FEULV_I", "HORAF_F", "PTICA_I", "TICOS_I", "PIVA1_I",
                        "PIVA2_I", "STMIN_I", "STMAX_I", "EXIST_I", "COMRE_I", "PESUR_I", "ULCOS_I", "CPROM_I",
                        "PPUBL_I", "PLIS2_I", "PLIS3_I", "PLIS4_I", "PMINI_I", "PLIS6_I", "PLIS7_I", "VANMO_I",
                        "VANCA_I", "DESCU_I", "UBICA_I", "ALMAC_I", "IMAGE_I", "SERIE_I", "KITXX_I", "FPGCC_I",
                        "FPGCI_I", "FACTO_I", "CADUC_I", "MENSA_I", "DESC1_I", "DESC2_I", "DESC3_I"};
  for (int n = 1; n <= 7; ++n) campos << QString("POLI%1_I").arg(n) << QString("PORC%1_I").arg(n);
  EXPECT_EQ(FaltanEn(t, campos), QStringList());
  // The widths the record fixes.
  struct Fijo {
    const char* campo;
    char tipo;
    int ancho;
  };
  for (const Fijo& f :
       {Fijo{"CLPRO_I", 'C', 20}, Fijo{"DSCPR_I", 'C', 60}, Fijo{"CODIG_I", 'C', 12}, Fijo{"UMEDI_I", 'C', 3},
        Fijo{"TICOS_I", 'C', 4}, Fijo{"SERIE_I", 'C', 1}, Fijo{"KITXX_I", 'C', 1}, Fijo{"FEULV_I", 'D', 8}}) {
    ASSERT_NE(t.Campo(f.campo), nullptr) << f.campo;
    EXPECT_EQ(t.Campo(f.campo)->tipo, QChar(f.tipo)) << f.campo;
    EXPECT_EQ(t.Campo(f.campo)->ancho, f.ancho) << f.campo;
  }
  QStringList tags;
  for (const db::DefTag& g : t.tags) tags << g.nombre + "=" + g.expresion;
  EXPECT_EQ(tags, (QStringList{"ICLPRO=CLPRO_I", "DSCPR_I=DSCPR_I", "CODIG_I=CODIG_I"}));
  // The product window's edit copy repeats the fields.
  EXPECT_EQ(T("InveAux.dbf").campos.size(), t.campos.size());
}

// Fields that the routines of other subsystems write into a table must be
// there.
TEST(Tablas, CamposQueEscribenOtrasPartes) {
  struct Caso {
    CarpetaTabla carpeta;
    const char* archivo;
    const char* quien;
    QStringList campos;
  };
  const QVector<Caso> casos = {
      {CarpetaTabla::Inventario,
       "MOVINVEN.DBF",
       "ventana de movimientos",
       {"CLDOC_MI", "TIMOV_MI", "FEDOC_MI", "REFMO_MI", "NUDOC_MI", "CLPRO_MI", "DESCR_MI",
        "CLPRV_MI", "CLCOP_MI", "CANTI_MI", "PUNIT_MI", "COSUN_MI", "NALMA_MI", "CADUC_MI",
        "EMPAQUE",  "INICIAL",  "FINAL",    "USUARIO",  "HORAF_F",  "FECHA"}},
      {CarpetaTabla::Inventario,
       "MOVINVEN.DBF",
       "venta, compra y forma anterior",
       {"CONTROL", "CLVEN_MI", "BANAF_MI", "EXIST_MI"}},
      {CarpetaTabla::Inventario, "MOVINVEN.DBF", "tarjeta alterna", {"PRECL_OD"}},
      {CarpetaTabla::Inventario, "MOVINVEN2.DBF", "compras cuando falla MOVINVEN", {"CLDOC_MI", "NUDOC_MI", "CONTROL"}},
      {CarpetaTabla::Inventario,
       "MOVIMIENTOS.DBF",
       "espejo de ventas y compras",
       {"CLDOC_MI", "CLPRO_MI", "TIMOV_MI", "FEDOC_MI", "CANTI_MI", "PUNIT_MI", "COSUN_MI", "CONTROL", "USUARIO",
        "PCXXX_MI", "STATUS"}},
      {CarpetaTabla::Inventario,
       "Kardex.dbf",
       "recuento y venta",
       {"CLPRO_I", "ENTRA_I", "SALID_I", "EXIST_I", "INVEN_I"}},
      {CarpetaTabla::Datos,
       "CLIENTE.DBF",
       "saldo de una venta",
       {"SALDO_C", "COMPR_C", "FULCO_C", "CARGO_C", "ABONO_C"}},
      {CarpetaTabla::Remisiones,
       "CucobrarRemision.DBF",
       "cobro de contado y devolución",
       {"NUFAC_CC", "CONCE_CC", "TIMOV_CC", "FEAPL_CC", "FEVEN_CC", "IMCUE_CC", "ABONO_CC", "CARGO_CC", "CONTROL",
        "OPERA_CC", "CLCLI_CC", "CORTE"}},
      {CarpetaTabla::Datos,
       "CUEPAGAR.DBF",
       "nota de crédito de proveedor",
       {"NUCOM_CP", "CLPRO_CP", "IMCUE_CP", "ABONO_CP", "TIMOV_CP", "FEAPL_CP", "FEVEN_CP", "OPERA_CP", "CONCE_CP"}},
      {CarpetaTabla::Datos,
       "ComprasE.dbf",
       "nota de crédito y cuentas por pagar",
       {"ABONO_O", "SALDO_O", "CONTR_O", "MONED_O", "TREFE_O"}},
      {CarpetaTabla::Datos, "PROVEEDO.DBF", "compras", {"FULCO_P", "SALDO_P", "COMPR_P", "DESC3_P", "POUTI_P"}},
  };
  for (const Caso& c : casos)
    EXPECT_EQ(FaltanEn(T(c.carpeta, c.archivo), c.campos), QStringList()) << c.archivo << " (" << c.quien << ")";
}

// A key copied from one table into another must fit: a text wider than its
// field is refused by the table layer. Where a layout fixes a narrower copy
// (the capture's PROVEEDOR, the count sheet's columns) the writer cuts.
TEST(Tablas, LasCopiasSonTanAnchasComoSuOrigen) {
  struct Lugar {
    CarpetaTabla carpeta;
    const char* archivo;
    const char* campo;
  };
  struct Caso {
    Lugar origen;
    QVector<Lugar> copias;
  };
  const auto I = CarpetaTabla::Inventario;
  const auto D = CarpetaTabla::Datos;
  const auto R = CarpetaTabla::Remisiones;
  const auto P = CarpetaTabla::Programa;
  const QVector<Caso> casos = {
      {{I, "INVENTAR.DBF", "CLPRO_I"},
       {{I, "Kardex.dbf", "CLPRO_I"},
        {I, "KITS.DBF", "CLPRO_I"},
        {I, "KITS.DBF", "CLPRO_K"},
        {I, "MOVINVEN.DBF", "CLPRO_MI"},
        {I, "MOVIMIENTOS.DBF", "CLPRO_MI"},
        {R, "RemisioD.dbf", "CLPRO_FD"},
        {D, "ComprasD.dbf", "CLPRO_OD"},
        {I, "Existe.dbf", "CLAVE"},
        {D, "Costeo.dbf", "CLPRO_I"},
        {P, "DETA.DBF", "CLAVE"},
        {D, "factuobs.dbf", "CLDOC_FO"},
        {P, "Deta.db", "CLAVE"}}},
      {{I, "INVENTAR.DBF", "DSCPR_I"},
       {{I, "MOVINVEN.DBF", "DESCR_MI"},
        {R, "RemisioD.dbf", "DEPRO_FD"},
        {D, "ComprasD.dbf", "DESCR_OD"},
        {I, "KITS.DBF", "DESCR_K"},
        {P, "Deta.db", "PRODUCTO"},
        {P, "DETA.DBF", "PRODUCTO"}}},
      {{I, "INVENTAR.DBF", "UMEDI_I"}, {{R, "RemisioD.dbf", "UNIDA_FD"}, {P, "Deta.db", "UNIDAD"}}},
      {{I, "INVENTAR.DBF", "LIPRO_I"},
       {{D, "ClieDesc.dbf", "LINEA_D"}, {I, "Ajuste.dbf", "LINEA"}, {P, "DETA.DBF", "LINEA"}}},
      {{D, "CLIENTE.DBF", "CLCLI_C"},
       {{R, "Remision.dbf", "CLCLI_F"},
        {D, "CUCOBRAR.DBF", "CLCLI_CC"},
        {R, "CucobrarRemision.DBF", "CLCLI_CC"},
        {D, "ClieDesc.dbf", "CLCLI_D"},
        {D, "ContClie.dbf", "CLCLI_C"},
        {I, "MOVINVEN.DBF", "CLPRV_MI"},
        {I, "MOVINVEN.DBF", "CLCOP_MI"},
        {D, "factuobs.dbf", "CLDOC_FO"}}},
      {{D, "CLIENTE.DBF", "NOMBR_C"}, {{R, "Remision.dbf", "NOMBR_F"}, {D, "CUCOBRAR.DBF", "NOMBR_CC"}}},
      {{D, "CLIENTE.DBF", "DIREC_C"}, {{R, "Remision.dbf", "DIREC_F"}}},
      {{D, "CLIENTE.DBF", "POBLA_C"}, {{R, "Remision.dbf", "POBLA_F"}}},
      {{D, "CLIENTE.DBF", "RFCXX_C"}, {{R, "Remision.dbf", "RFCXX_F"}}},
      {{D, "CLIENTE.DBF", "ESTAD_C"}, {{R, "Remision.dbf", "ESTAD_F"}}},
      {{D, "PROVEEDO.DBF", "CLAVE_P"},
       {{I, "INVENTAR.DBF", "CLPR1_I"},
        {I, "INVENTAR.DBF", "CLPR2_I"},
        {D, "ComprasE.dbf", "CLPRV_O"},
        {D, "ComprasD.dbf", "PROVE_OD"},
        {D, "CUEPAGAR.DBF", "CLPRO_CP"},
        {D, "ContProv.dbf", "CLAVE_P"},
        {R, "RemisioD.dbf", "NOMDI_FD"},
        {I, "MOVINVEN.DBF", "CLPRV_MI"},
        {P, "DETA.DBF", "PROVE"}}},
      {{D, "PROVEEDO.DBF", "NOMBR_P"}, {{D, "ComprasE.dbf", "NOMBR_O"}, {D, "CUEPAGAR.DBF", "NOMBR_CP"}}},
      {{D, "VENDEDOR.DBF", "CLVEN_V"},
       {{D, "CLIENTE.DBF", "CLVEN_C"},
        {R, "Remision.dbf", "CLVEN_F"},
        {I, "MOVINVEN.DBF", "CLVEN_MI"},
        {D, "PROVEEDO.DBF", "CLVEN_P"},
        {D, "CUCOBRAR.DBF", "CLVEN_CC"},
        {R, "Retiros.dbf", "CLVEN_F"}}},
      {{D, "VENDEDOR.DBF", "NOMBR_V"}, {{R, "RemisioD.dbf", "USUARIO"}, {R, "Remision.dbf", "USUARIO"}}},
      {{D, "Descuento.DBF", "TIPOPAGO"},
       {{R, "Remision.dbf", "PAGOX_F"}, {R, "Remision.dbf", "METOD_F"}, {D, "MultiPagos.dbf", "PAGOX_F"}}},
      {{D, "concepto.dbf", "CONCE_MO"}, {{D, "CUCOBRAR.DBF", "CONCE_CC"}, {D, "CUEPAGAR.DBF", "CONCE_CP"}}},
      {{D, "ComprasE.dbf", "REFER_O"}, {{D, "ComprasD.dbf", "REFER_OD"}}},
      {{D, "ComprasE.dbf", "NALMA_O"}, {{D, "ComprasD.dbf", "NALMA_OD"}}},
      {{P, "Detacomp.DB", "CADUCIDAD"}, {{D, "ComprasD.dbf", "CADUC_OD"}}},
      {{P, "Detaminv.db", "CADUCIDAD"}, {{I, "MOVINVEN.DBF", "CADUC_MI"}}},
      {{P, "Deta.db", "TARA"}, {{R, "RemisioD.dbf", "PENDI_FD"}}},
      {{R, "Remision.dbf", "CLDOC_F"},
       {{R, "RemisioD.dbf", "CLDOC_FD"}, {D, "MultiPagos.dbf", "CLDOC_F"}, {I, "MOVIMIENTOS.DBF", "CLDOC_MI"}}},
      {{D, "ComprasE.dbf", "CLDOC_O"}, {{D, "ComprasD.dbf", "CLDOC_OD"}, {D, "Costeo.dbf", "CLDOC_I"}}},
  };
  for (const Caso& c : casos) {
    const DefCampo* o = T(c.origen.carpeta, c.origen.archivo).Campo(c.origen.campo);
    ASSERT_NE(o, nullptr) << c.origen.archivo << "." << c.origen.campo;
    for (const Lugar& l : c.copias) {
      const DefCampo* d = T(l.carpeta, l.archivo).Campo(l.campo);
      ASSERT_NE(d, nullptr) << l.archivo << "." << l.campo;
      EXPECT_GE(d->ancho, o->ancho) << c.origen.archivo << "." << c.origen.campo << " no cabe en " << l.archivo << "."
                                    << l.campo;
    }
  }
}

// Sums kept for years must not overflow: a busy shop sells some products by
// the hundred thousand a year and takes tens of millions.
TEST(Tablas, LasSumasCabenUnAnoDeUnaTiendaConMovimiento) {
  struct Caso {
    CarpetaTabla carpeta;
    const char* archivo;
    const char* campo;
    double valor;
  };
  const auto I = CarpetaTabla::Inventario;
  const auto D = CarpetaTabla::Datos;
  const auto R = CarpetaTabla::Remisiones;
  for (const Caso& c :
       {Caso{I, "Kardex.dbf", "ENTRA_I", 250000.0}, Caso{I, "Kardex.dbf", "SALID_I", -250000.0},
        Caso{I, "Kardex.dbf", "EXIST_I", -150000.0}, Caso{I, "Kardex.dbf", "INVEN_I", 150000.0},
        Caso{I, "INVENTAR.DBF", "VANCA_I", 250000.0}, Caso{I, "INVENTAR.DBF", "VANMO_I", 90000000.0},
        Caso{I, "INVENTAR.DBF", "EXIST_I", -150000.0}, Caso{D, "CLIENTE.DBF", "COMPR_C", 90000000.0},
        Caso{D, "CLIENTE.DBF", "SALDO_C", -9000000.0}, Caso{D, "PROVEEDO.DBF", "COMPR_P", 90000000.0},
        Caso{D, "PROVEEDO.DBF", "SALDO_P", 9000000.0}, Caso{R, "Remision.dbf", "IMTOD_F", 9000000.0},
        Caso{D, "CUCOBRAR.DBF", "SALDO_CC", 9000000.0}, Caso{I, "MOVINVEN.DBF", "CANTI_MI", 250000.0},
        Caso{I, "MOVINVEN.DBF", "CLDOC_MI", 99999999.0}, Caso{R, "Remision.dbf", "CLDOC_F", 99999999.0}}) {
    const DefCampo* f = T(c.carpeta, c.archivo).Campo(c.campo);
    ASSERT_NE(f, nullptr) << c.archivo << "." << c.campo;
    EXPECT_TRUE(Cabe(*f, c.valor)) << c.archivo << "." << c.campo << " N(" << f->ancho << "," << f->decimales
                                   << ") no guarda " << c.valor;
  }
}

// The program folder's templates repeat the fields and tags of the tables
// of the data folder they are copied from.
TEST(Tablas, LasPlantillasDeTempoSonComoSusTablas) {
  struct Caso {
    CarpetaTabla carpeta;
    const char* archivo;
  };
  for (const Caso& c : {Caso{CarpetaTabla::Remisiones, "Remision.dbf"}, Caso{CarpetaTabla::Datos, "ComprasE.dbf"},
                        Caso{CarpetaTabla::Datos, "OrdenCom.dbf"}, Caso{CarpetaTabla::Datos, "DevolCom.DBF"},
                        Caso{CarpetaTabla::Datos, "Cotizar.DBF"}}) {
    const DefTabla& datos = T(c.carpeta, c.archivo);
    const DefTabla& plantilla = T(CarpetaTabla::Tempo, c.archivo);
    EXPECT_EQ(plantilla.origen, OrigenTabla::Programa);
    EXPECT_TRUE(db::ComparaTabla(plantilla, "tempo", datos.campos, datos.tags).isEmpty()) << c.archivo;
    EXPECT_TRUE(db::ComparaTabla(datos, "datos", plantilla.campos, plantilla.tags).isEmpty()) << c.archivo;
  }
}

TEST(Tablas, LasTablasDeCapturaDeVenta) {
  const DefTabla& deta = T(CarpetaTabla::Programa, "Deta.db");
  ASSERT_EQ(deta.campos.size(), 21);
  // The older document form binds the first sixteen, in this order.
  const QStringList primeros = {"CANTIDAD",   "CLAVE",      "PRODUCTO", "PRECIO", "DESCUENTO", "IMPORTE",
                                "COSTO",      "UNIDAD",     "IMPUESTO", "FACTOR", "EMPAQUE",   "PREC_TARA",
                                "DESCUENTO2", "DESCUENTO3", "TARA",     "FPGC"};
  for (int i = 0; i < primeros.size(); ++i) EXPECT_EQ(deta.campos[i].nombre, primeros[i]) << i;
  for (const char* otra : {"DetaCR.db", "DetaDevol.db"})
    EXPECT_TRUE(db::ComparaTabla(T(CarpetaTabla::Programa, otra), "programa", deta.campos, {}).isEmpty()) << otra;
  EXPECT_EQ(T(CarpetaTabla::Programa, "Detacomp.DB").campos.size(), 17);
  EXPECT_EQ(T(CarpetaTabla::Programa, "Detaminv.db").campos.size(), 11);
}

using TablasEnDisco = RaizPrueba;

// Each capture layout makes a Paradox table that opens with the same fields.
TEST_F(TablasEnDisco, LasTablasDeCapturaSeCreanYAbrenComoSeRegistraron) {
  QStringList creadas;
  for (const DefTabla& t : Cat().Tablas()) {
    if (!t.Paradox()) continue;
    creadas << t.archivo;
    db::Tabla::Crea("C:\\VRL", t.archivo, t.campos);
    db::Tabla tabla;
    tabla.SetCarpeta("C:\\VRL");
    tabla.SetNombreTabla(t.archivo);
    tabla.Open();
    EXPECT_EQ(tabla.NombresCampos().size(), t.campos.size()) << t.archivo.toStdString();
    for (const db::Diferencia& d : db::ComparaTabla(t, "C:\\VRL", tabla.Definiciones(), {}))
      ADD_FAILURE() << d.Texto().toStdString();
  }
  for (const char* archivo : {"Deta.db", "DetaCR.db", "Detacomp.DB", "Detaminv.db"})
    EXPECT_TRUE(creadas.contains(archivo)) << archivo;
}
