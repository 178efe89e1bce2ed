// Documents derived on the sale screen: the buffer files read byte by byte,
// a document converted into another kind through them (also from a range of
// documents), and a remission turned into an invoice through Generar >
// "Factura" and "Factura e Imprimir", with two stations invoicing at once
// and an invoice that fails halfway.

#include "foundation/rutinas_usuarios.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/CadenaCorta.h"
#include "platform/fs/Real6.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Forma.h"
#include "platform/ui/PuertaModal.h"
#include "salesdocs/BuferVenta.h"
#include "salesdocs/ComandosDocumentos.h"
#include "salesdocs/FacturaRemision.h"
#include "foundation/UnidadTrabajo.h"
#include "platform/db/PuntosFalla.h"
#include "platform/fs/Falla.h"
#include "support/Maneja.h"
#include "support/Proceso.h"
#include "captura_prueba.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

using Pantalla = TFormaCapturaRapida;
using Campos = QMap<QString, QString>;

QList<QStringList> Filas(const QString& carpeta, const QString& archivo, const QStringList& campos,
                         const QString& tag = {}) {
  auto t = AbreEn(carpeta, archivo, tag);
  QList<QStringList> filas;
  for (t->First(); !t->Eof(); t->Next()) {
    QStringList fila;
    for (const QString& c : campos) fila << t->FieldByName(c).AsString();
    filas << fila;
  }
  return filas;
}

QList<QStringList> Captura(Pantalla& p, const QStringList& campos) {
  return Filas(kPrograma, p.TablaDeta->NombreTabla(), campos);
}

QByteArray Bytes(const QString& archivo) { return fs::LeeBytes(fs::Une(kPrograma, archivo)); }

// Shows the document of that number of the kind on screen.
void Muestra(Pantalla& p, qint64 numero) {
  ASSERT_TRUE(p.TablaFacturae->FindKey({numero})) << numero;
  p.MuestraDocumento();
}

class DocumentosDerivados : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    UneDocumentosVenta();
    for (const char* clave : {"P1", "P2"}) {
      TRegistroProducto producto;
      producto.CLPRO_I = clave;
      producto.DSCPR_I = clave == QStringLiteral("P1") ? "TORNILLO" : "ROLDANA";
      producto.PPUBL_I = Dinero(50);
      producto.EXIST_I = 100;
      AgregaProducto(producto);
    }
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "1"}, {"NOMBR_C", "MOSTRADOR"}});
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "20"},
                               {"NOMBR_C", "FERRETERA DEL NORTE"},
                               {"DIREC_C", "JUAREZ 10"},
                               {"POBLA_C", "MONTERREY"},
                               {"RFCXX_C", "FNO800101AB1"},
                               {"ESTAD_C", "NUEVO LEON"},
                               {"PAISX_C", "MEXICO"}});
  }

  static void AgregaLinea(const QString& archivo, int numero, int control, const QString& clave, Campos campos = {}) {
    campos["CLDOC_FD"] = QString::number(numero);
    campos["CONTROL"] = QString::number(control);
    campos["CLPRO_FD"] = clave;
    if (!campos.contains("CANTI_FD")) campos["CANTI_FD"] = "1";
    AgregaFila(archivo, campos);
  }

  // Remission n of customer 20 paid by `pago`, subtotal 100, tax 16 %,
  // document discount 10 %: two pieces at 50 and a note without a key.
  static void RemisionParaFacturar(int numero, const QString& pago, const QString& cliente = "20") {
    AgregaRemision(numero, {{"CONTROL", QString::number(numero * 100)},
                            {"CLCLI_F", cliente},
                            {"NOMBR_F", "FERRETERA DEL NORTE"},
                            {"PAGOX_F", pago},
                            {"IMIM1_F", "16"},
                            {"DESFI_F", "10"},
                            {"SUBTO_F", "100"},
                            {"IMIM2_F", "16"},
                            {"IMTOD_F", "104.4"},
                            {"METOD_F", "Anterior"},
                            {"FEDOC_F", "01/03/2010"}});
    AgregaLinea("RemisioD.dbf", numero, numero * 100, "P1",
                {{"CANTI_FD", "2"}, {"DEPRO_FD", "TORNILLO"}, {"PUNPR_FD", "50"}, {"PIVA1_FD", "16"},
                 {"COPRO_FD", "30"}, {"UNIDA_FD", "pz"}, {"FEDOC_FD", "01/03/2010"}});
    AgregaLinea("RemisioD.dbf", numero, numero * 100, "",
                {{"CANTI_FD", "1"}, {"DEPRO_FD", "ENTREGAR EN BODEGA"}, {"PUNPR_FD", "0"}});
  }

  // Invoices already numbered 10, 30 and 20: the next one is 31.
  static void FacturasAnteriores() {
    for (int n : {10, 30, 20}) AgregaFila("FacturaE.dbf", {{"CLDOC_F", QString::number(n)}});
  }
};

}  // namespace

// --- The buffer files.

TEST_F(DocumentosDerivados, LosArchivosDeBuferGuardanCadaCampoEnSuLugar) {
  AgregaRemision(5, {{"CONTROL", "500"}, {"CLCLI_F", "20"}, {"CLVEN_F", "01"}, {"BCLIM_F", "CAJA3"},
                     {"IMIM1_F", "16"}, {"DESFI_F", "2.5"}, {"PAGOX_F", "Tarjeta"}, {"CTOVE_F", "3"}});
  for (int n : {40, 41}) AgregaFila("Pedido.dbf", {{"CLDOC_F", QString::number(n)}});
  const QString nombre70 = QString(60, u'N') + "0123456789";
  Abre("2", [&](Pantalla& p) {
    Muestra(p, 5);
    p.Nombre->setText(nombre70);
    p.Direccion->setText("CALLE ÁLAMO 1");
    p.Direc2->setText("COL. CENTRO");
    p.Poblacion->setText("SALTILLO");
    p.EditFEDOC_F->setText("05/03/2010");
    AgregaFilas(*p.TablaDeta, {{{"CANTIDAD", 1.5}, {"CLAVE", "P1"}, {"PRODUCTO", "TORNILLO"}, {"PRECIO", 12.5},
                                {"DESCUENTO", 10}, {"COSTO", 7.25}, {"UNIDAD", "pza"}, {"IMPUESTO", 16},
                                {"FACTOR", 12}, {"TARA", "0.250"}, {"FPGC", 1.5}},
                               {{"CANTIDAD", -2.25}, {"CLAVE", "P2"}, {"PRODUCTO", QString(45, u'C')}},
                               {{"CANTIDAD", 1234567.89}, {"CLAVE", "P1"}}});
    GuardaVentaEnBufer(p, u'C');

    const QByteArray e = Bytes("buferenc.tmp");
    ASSERT_EQ(e.size(), 465);
    struct Campo {
      int posicion, ancho;
      QString valor;
    };
    for (const Campo& c : {Campo{0, 11, "5"}, {11, 16, "20"}, {27, 61, nombre70.left(60)}, {88, 61, "CALLE ÁLAMO 1"},
                           {149, 61, "COL. CENTRO"}, {210, 41, "SALTILLO"}, {251, 16, "01"}, {267, 5, "3"},
                           {272, 11, "CAJA3"}, {305, 16, "05/03/2010"}, {353, 11, "16"}, {375, 11, "2.5"},
                           {397, 26, "Tarjeta"}})
      EXPECT_EQ(fs::LeeCadenaCorta(e, c.posicion, c.ancho), c.valor) << c.posicion;
    EXPECT_EQ(static_cast<unsigned char>(e[27]), 60);

    const QByteArray l = Bytes("bufer.tmp");
    ASSERT_EQ(l.size(), 3 * 120);
    const auto real = [&](int pos) {
      return fs::DecodificaReal6(reinterpret_cast<const std::uint8_t*>(l.data() + pos));
    };
    EXPECT_EQ(real(0), 1.5);
    EXPECT_EQ(real(120), -2.25);
    EXPECT_EQ(fs::LeeCadenaCorta(l, 6, 16), "P1");
    EXPECT_EQ(fs::LeeCadenaCorta(l, 22, 41), "TORNILLO");
    EXPECT_EQ(fs::LeeCadenaCorta(l, 120 + 22, 41), QString(40, u'C'));
    for (const auto& [pos, valor] : {std::pair{64, 12.5}, {70, 10.0}, {76, 7.25}, {94, 16.0}, {100, 12.0}, {114, 1.5}})
      EXPECT_DOUBLE_EQ(real(pos), valor) << pos;
    EXPECT_EQ(fs::LeeCadenaCorta(l, 82, 4), "pza");
    EXPECT_EQ(fs::LeeCadenaCorta(l, 106, 7), "0.250");
    // The reserves hold the capture: each key's summed quantity.
    EXPECT_EQ(p.ClavesReservadas, QStringList({"P1", "P2"}));
    EXPECT_EQ(p.CantidadesReservadas, QStringList({"1234569.39", "-2.25"}));

    // Read back as an order: the last order + 1, the origin, the lines.
    p.DocumentoOrigen = "R5";
    CargaVentaDeBufer(p, u'P');
    EXPECT_EQ(p.Base->currentText(), "Pedido");
    EXPECT_EQ(p.EditCLDOC_F->text(), "42");
    EXPECT_EQ(p.Nombre->text(), nombre70.left(60));
    EXPECT_EQ(p.TipoPago->currentText(), "Tarjeta");
    EXPECT_EQ(ui::Tag(p.BotonNuevo), 1);
    EXPECT_TRUE(p.BotonGuardar->isEnabled());
    EXPECT_EQ(Captura(p, {"CANTIDAD", "CLAVE", "PRODUCTO", "PRECIO", "DESCUENTO", "COSTO", "UNIDAD", "IMPUESTO",
                          "FACTOR", "TARA", "FPGC"}),
              (QList<QStringList>{{"1.5", "P1", "TORNILLO", "12.5", "10", "7.25", "pza", "16", "12", "0.250", "1.5"},
                                  {"-2.25", "P2", QString(40, u'C'), "0", "0", "0", "", "0", "0", "", "0"},
                                  {"1234567.89", "P1", "", "0", "0", "0", "", "0", "0", "", "0"}}));
    EXPECT_EQ(Filas(kDatos, "Pedido.dbf", {"CLDOC_F", "CLPED_F", "CLCLI_F", "CLVEN_F", "BCLIM_F", "IMIM1_F", "DESFI_F"},
                    "INUMENC")
                  .last(),
              (QStringList{"42", "R5", "20", "01", "CAJA3", "16", "2.5"}));

    // An empty capture: an empty line file and a document without lines.
    p.VaciaCaptura();
    GuardaVentaEnBufer(p, u'F');
    EXPECT_EQ(Bytes("bufer.tmp").size(), 0);
    EXPECT_EQ(Bytes("buferenc.tmp").size(), 465);
    CargaVentaDeBufer(p, u'D');
    EXPECT_EQ(p.Base->currentText(), "Devolución");
    EXPECT_EQ(p.EditCLDOC_F->text(), "1");
    EXPECT_EQ(Captura(p, {"CLAVE"}), QList<QStringList>());
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST(BuferVenta, UnEncabezadoCortoLeeVaciosLosCamposQueNoTiene) {
  TRegistroBuferEncabezado r;
  r.Documento = "12";
  r.Cliente = "20";
  r.Fecha = "05/03/2010";
  r.Descuento = "10";
  r.TipoPago = "Efectivo";
  const QByteArray bytes = CodificaBuferEncabezado(r);
  // The older writer's 423 bytes hold every field.
  EXPECT_EQ(LeeBuferEncabezado(QByteArrayView(bytes).first(423)), r);
  // Cut inside the discount: it and the payment type read empty.
  TRegistroBuferEncabezado corto = r;
  corto.Descuento.clear();
  corto.TipoPago.clear();
  EXPECT_EQ(LeeBuferEncabezado(QByteArrayView(bytes).first(380)), corto);
  EXPECT_EQ(LeeBuferEncabezado(QByteArrayView()), TRegistroBuferEncabezado());
}

// --- Ranges.

TEST_F(DocumentosDerivados, LosRangosVisitanSoloLosDocumentosQueExisten) {
  struct Caso {
    const char* texto;
    QList<qint64> numeros;
  };
  for (int n = 1; n <= 20; ++n) AgregaRemision(n, {{"CONTROL", QString::number(n)}});
  auto remisiones = AbreEn(kDatos, "Remision.dbf", "INUMENC");
  for (const Caso& c : {Caso{"3-8", {3, 4, 5, 6, 7, 8}}, Caso{"5,7,8,9", {5, 7, 8, 9}},
                        Caso{"1,3-5,9", {1, 3, 4, 5, 9}}, Caso{"8-3", {}}, Caso{"7", {7}},
                        Caso{"18-99999999", {18, 19, 20}}, Caso{"3--5,", {3, 4, 5}}}) {
    QList<qint64> numeros;
    for (const ParteRango& parte : ExpandeListaDocumentos(c.texto)) numeros += ExpandeIntervalo(*remisiones, parte);
    EXPECT_EQ(numeros, c.numeros) << c.texto;
  }
  for (const char* malo : {"3-x", "a", "1,,b-4"}) {
    try {
      ExpandeListaDocumentos(malo);
      ADD_FAILURE() << malo;
    } catch (const plat::Error& e) {
      EXPECT_EQ(e.clase(), plat::Clase::Conversion) << malo;
    }
  }
}

TEST_F(DocumentosDerivados, UnRangoAmplioCargaLasLineasVivasDeSusDocumentos) {
  for (int n = 1; n <= 20; ++n) {
    AgregaRemision(n, {{"CONTROL", QString::number(n)}, {"CLCLI_F", "1"}});
    AgregaLinea("RemisioD.dbf", n, n, "P1", {{"CANTI_FD", QString::number(n)}, {"PUNPR_FD", "10"}, {"PDES1_FD", "10"}});
  }
  // Lines that do not go: cancelled, and carried into an invoice already.
  AgregaLinea("RemisioD.dbf", 4, 4, "P2", {{"TREGI_FD", "C"}});
  AgregaLinea("RemisioD.dbf", 5, 5, "P2", {{"TDOCU_FD", "F"}});
  AgregaFila("FacturaE.dbf", {{"CLDOC_F", "3"}});
  Abre("2", [&](Pantalla& p) {
    Muestra(p, 20);
    const qint64 antes = AbreEn(kDatos, "FacturaE.dbf")->RecordCount();
    // A part that is no number: the error, nothing written.
    p.LineasDeRango = true;
    p.DocumentoOrigen = "R20";
    try {
      CargaVentaDeBufer(p, u'F', "1-5,3-x");
      ADD_FAILURE();
    } catch (const plat::Error& e) {
      EXPECT_EQ(e.mensaje(), "'x' no es un valor entero válido");
    }
    EXPECT_EQ(AbreEn(kDatos, "FacturaE.dbf")->RecordCount(), antes);
    EXPECT_EQ(p.Base->currentText(), "Remisión");

    GuardaVentaEnBufer(p, u'C');
    CargaVentaDeBufer(p, u'F', "1-99999999");
    EXPECT_EQ(p.EditCLDOC_F->text(), "4");
    QStringList cantidades;
    for (const QStringList& fila : Captura(p, {"CANTIDAD", "CLAVE", "IMPORTE"})) {
      EXPECT_EQ(fila[1], "P1");
      cantidades << fila[0];
    }
    QStringList esperadas;
    for (int n = 1; n <= 20; ++n) esperadas << QString::number(n);
    EXPECT_EQ(cantidades, esperadas);
    EXPECT_EQ(Captura(p, {"IMPORTE"}).value(2), QStringList{"27"});  // 3 × 10 less 10 %
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(DocumentosDerivados, UnaFacturaVaALaCarpetaDeRutafDat) {
  const QString otra = "C:\\VRL\\FACTURAS";
  fs::CreaCarpeta(otra);
  for (const char* archivo : {"FacturaE.dbf", "FacturaD.dbf"}) {
    auto modelo = AbreEn(kDatos, archivo);
    db::Tabla::CreaComo(otra, archivo, *modelo);
  }
  EscribeLineas(fs::Une(kPrograma, "rutaf.dat"), {otra});
  AgregaRemision(9, {{"CONTROL", "900"}, {"CLCLI_F", "20"}});
  AgregaLinea("RemisioD.dbf", 9, 900, "P1", {{"CANTI_FD", "3"}});
  Abre("2", [&](Pantalla& p) {
    Muestra(p, 9);
    p.DocumentoOrigen = "R9";
    GuardaVentaEnBufer(p, u'C');
    CargaVentaDeBufer(p, u'F');
    EXPECT_EQ(fs::Local(p.TablaFacturae->Carpeta()), fs::Local(otra));
    EXPECT_EQ(Captura(p, {"CLAVE", "CANTIDAD"}), (QList<QStringList>{{"P1", "3"}}));
  });
  EXPECT_EQ(Filas(otra, "FacturaE.dbf", {"CLDOC_F", "CLPED_F", "CLCLI_F"}), (QList<QStringList>{{"1", "R9", "20"}}));
  EXPECT_EQ(AbreEn(kDatos, "FacturaE.dbf")->RecordCount(), 0);
}

// --- The invoice from a remission.

TEST_F(DocumentosDerivados, FacturaDeUnaRemisionPagada) {
  FijaLinea(ConfBitacora, "S");
  fs::CreaCarpeta(fs::Une(kDatos, "Bitacora"));
  FacturasAnteriores();
  RemisionParaFacturar(7, "Efectivo");
  Abre("2", [&](Pantalla& p) {
    Muestra(p, 7);
    ASSERT_EQ(p.Totales.SubtotalVenta, Dinero(100));
    ASSERT_EQ(p.Totales.IvaVenta, Dinero(16));
    p.Factura1->trigger();
    // The remission stays on screen, marked.
    EXPECT_EQ(p.EditCLDOC_F->text(), "7");
    EXPECT_EQ(p.Label18->text().right(3), "F31");
    EXPECT_TRUE(p.Estado->text().endsWith(" Genero F31")) << p.Estado->text().toStdString();
  });
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(Filas(kDatos, "FacturaE.dbf",
                  {"CLDOC_F", "CLPED_F", "CLCLI_F", "NOMBR_F", "SALDO_F", "ABONO_F", "STATU_F", "METOD_F", "FORMA_F",
                   "FEDOC_F", "FEVEN_F", "FEENT_F", "IMTOD_F", "CONTROL"},
                  "INUMENC")
                .last(),
            (QStringList{"31", "R7", "20", "FERRETERA DEL NORTE", "104.4", "104.4", "G", "Efectivo",
                         "Pago en una sola Exhibición", "05/03/2010", "05/03/2010", "05/03/2010", "104.4", "700"}));
  // One line per keyed capture line: 50 less the document's 10 %.
  EXPECT_EQ(Filas(kDatos, "FacturaD.dbf",
                  {"CLDOC_FD", "CONTROL", "CLPRO_FD", "CANTI_FD", "PUNPR_FD", "PREDE_FD", "IMPOR_FD", "COPRO_FD",
                   "PIVA1_FD", "UNIDA_FD", "FEDOC_FD", "HORAF_F", "USUARIO", "TDOCU_FD"}),
            (QList<QStringList>{{"31", "700", "P1", "2", "50", "45", "100", "30", "16", "pz", "01/03/2010", "2", "2",
                                 "F"}}));
  EXPECT_EQ(Filas(kDatos, "Remision.dbf", {"CLDOC_F", "REMIS_F", "NOMDI_F"}),
            (QList<QStringList>{{"7", "F31", "M.N."}}));
  EXPECT_EQ(Filas(kDatos, "Cucobrar.dbf",
                  {"NUFAC_CC", "TIMOV_CC", "CONCE_CC", "OPERA_CC", "CLCLI_CC", "IMCUE_CC", "ABONO_CC", "CONTROL",
                   "FEAPL_CC", "FEVEN_CC"}),
            (QList<QStringList>{{"31", "7", "Factura Pagada 7", "A", "1", "104.4", "104.4", "700", "05/03/2010",
                                 "05/03/2010"}}));
  const QStringList bitacora = fs::LeeLineas(fs::Une(kDatos, "Bitacora\\R-7.bit"));
  ASSERT_EQ(bitacora.size(), 1);
  EXPECT_TRUE(bitacora[0].endsWith(" GENERAR FACTURA Por Usuario 2")) << bitacora[0].toStdString();
}

TEST_F(DocumentosDerivados, UnaVentaACreditoNoTieneCobro) {
  // Each spelling of credit, then a sale with no payment type at all.
  const QStringList formas = {"Crédito", "Credito", "CREDITO", ""};
  for (int i = 0; i < formas.size(); ++i) RemisionParaFacturar(7 + i, formas[i]);
  Abre("2", [&](Pantalla& p) {
    for (int i = 0; i < formas.size(); ++i) {
      Muestra(p, 7 + i);
      p.Factura1->trigger();
    }
  });
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(Filas(kDatos, "FacturaE.dbf", {"CLDOC_F", "CLPED_F", "ABONO_F", "SALDO_F", "METOD_F", "FORMA_F"},
                  "INUMENC"),
            (QList<QStringList>{{"1", "R7", "0", "104.4", "Crédito", "Pago en una sola Exhibición"},
                                {"2", "R8", "0", "104.4", "Credito", "Pago en una sola Exhibición"},
                                {"3", "R9", "0", "104.4", "CREDITO", "Pago en una sola Exhibición"},
                                {"4", "R10", "104.4", "104.4", "Anterior", ""}}));
  EXPECT_EQ(Filas(kDatos, "Cucobrar.dbf", {"NUFAC_CC", "CONCE_CC"}),
            (QList<QStringList>{{"4", "Factura Pagada 10"}}));
  EXPECT_EQ(Filas(kDatos, "Remision.dbf", {"REMIS_F"}), (QList<QStringList>{{"F1"}, {"F2"}, {"F3"}, {"F4"}}));
}

TEST_F(DocumentosDerivados, LasNegativasVanEnOrdenYNoEscribenNada) {
  FijaLinea(ConfSoloCodigoBidimensional, "S");
  RemisionParaFacturar(7, "Efectivo");
  AgregaRemision(8, {{"CLCLI_F", "20"}, {"STATU_F", "C"}});
  AgregaRemision(9, {{"CLCLI_F", "20"}, {"REMIS_F", "F4"}});
  AgregaRemision(10, {{"CLCLI_F", "99"}});
  // The unknown customer: the lookup opens and is given up.
  ui::PuertaModal::Espera("TFormaConClientes", [](QDialog& d) { prueba::Tecla(d, "Detalle", Qt::Key_Escape); });
  Abre("2", [&](Pantalla& p) {
    // Cancelled: refused before the question of "Factura e Imprimir".
    Muestra(p, 8);
    p.FacturaeImprimir1->trigger();
    Muestra(p, 9);
    p.Factura1->trigger();
    Muestra(p, 10);
    p.Factura1->trigger();
    // "No" to the question writes nothing.
    Muestra(p, 7);
    ui::PuertaModal::Espera("TFormaAdvertencia", [](QDialog& d) {
      EXPECT_EQ(prueba::Texto(d, "Label1"), "Esta Seguro que Desea GENERAR LA FACTURA ?");
      prueba::Pulsa(d, "BitBtn2");
    });
    p.FacturaeImprimir1->trigger();
    EXPECT_EQ(p.Base->currentText(), "Remisión");
  });
  EXPECT_EQ(Mensajes(), QStringList({"No se Puede Generar Factura de un Documento CANCELADO...",
                                     "El Documento ya se FACTURO...",
                                     "La Clave del Cliente no EXISTE es necesario darla de alta para Facturar"}));
  EXPECT_EQ(AbreEn(kDatos, "FacturaE.dbf")->RecordCount(), 0);
  EXPECT_EQ(AbreEn(kDatos, "FacturaD.dbf")->RecordCount(), 0);
  EXPECT_EQ(Filas(kDatos, "Remision.dbf", {"CLDOC_F", "REMIS_F"}),
            (QList<QStringList>{{"7", ""}, {"8", ""}, {"9", "F4"}, {"10", ""}}));
}

TEST_F(DocumentosDerivados, FacturaEImprimirGuardaLaFacturaYVuelveALaRemision) {
  FijaLinea(ConfSoloCodigoBidimensional, "S");
  EscribeLineas(fs::Une(kPrograma, "mi.cnf"), {"con movimientos"});
  FacturasAnteriores();
  RemisionParaFacturar(7, "Efectivo");
  Abre("2", [&](Pantalla& p) {
    EXPECT_TRUE(p.FacturaeImprimir1->isVisible());
    Muestra(p, 7);
    ui::PuertaModal::Espera("TFormaAdvertencia", [](QDialog& d) { prueba::Pulsa(d, "BitBtn1"); });
    p.FacturaeImprimir1->trigger();
    EXPECT_EQ(p.Base->currentText(), "Remisión");
    EXPECT_EQ(p.EditCLDOC_F->text(), "7");
    EXPECT_EQ(p.TablaFacturae->FieldByName("REMIS_F").AsString(), "F31");
    EXPECT_EQ(ui::Tag(p.BotonNuevo), 0);
  });
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(Filas(kDatos, "FacturaE.dbf", {"CLDOC_F", "CLPED_F", "CLCLI_F", "NOMDI_F"}, "INUMENC").last(),
            (QStringList{"31", "R7", "20", "M.N."}));
  EXPECT_EQ(Filas(kDatos, "FacturaD.dbf", {"CLDOC_FD", "CLPRO_FD", "CANTI_FD", "TDOCU_FD"}),
            (QList<QStringList>{{"31", "P1", "2", "F"}}));
  EXPECT_EQ(Filas(kDatos, "Remision.dbf", {"CLDOC_F", "REMIS_F"}), (QList<QStringList>{{"7", "F31"}}));
  // The remission took the stock and wrote the rows: the invoice neither.
  EXPECT_EQ(Filas(kDatos, "INVENTAR.DBF", {"CLPRO_I", "EXIST_I", "VANCA_I"}),
            (QList<QStringList>{{"P1", "100", ""}, {"P2", "100", ""}}));
  EXPECT_EQ(Filas(kDatos, "MOVINVEN.DBF", {"CLPRO_MI"}), QList<QStringList>());
  EXPECT_EQ(Filas(kDatos, "Kardex.dbf", {"CLPRO_I"}), QList<QStringList>());
}

// Another station: the sale screen on remission `numero`, which it turns
// into an invoice when the parent answers.
RUTINA_HIJA(FacturaRemision) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char nombre[] = "estacion";
  char* argv[] = {nombre, nullptr};
  ui::Aplicacion app(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  UneDocumentosVenta();
  const qint64 numero = argumentos.value(0).toLongLong();
  auto pantalla = std::make_unique<Pantalla>();
  pantalla->usuario->setText("2");
  ui::PuertaModal::Espera("TFormaCapturaRapida", [numero](QDialog& d) {
    auto& p = static_cast<Pantalla&>(d);
    if (!p.TablaFacturae->FindKey({numero})) return;
    p.MuestraDocumento();
    prueba::AvisaPadre("LISTO");
    prueba::EsperaPadre();
    p.Factura1->trigger();
    prueba::AvisaPadre(ui::PuertaModal::Mensajes().join("|"));
  });
  pantalla->ShowModal();
  return 0;
}

TEST_F(DocumentosDerivados, DosEstacionesFacturanALaVezConNumerosSeguidos) {
  FacturasAnteriores();
  RemisionParaFacturar(7, "Efectivo");
  RemisionParaFacturar(8, "Efectivo");
  prueba::ProcesoHijo una("FacturaRemision", {"7"});
  prueba::ProcesoHijo otra("FacturaRemision", {"8"});
  ASSERT_EQ(una.EsperaLinea(), "LISTO");
  ASSERT_EQ(otra.EsperaLinea(), "LISTO");
  una.Envia("");
  otra.Envia("");
  EXPECT_EQ(una.EsperaLinea(), "");
  EXPECT_EQ(otra.EsperaLinea(), "");
  ASSERT_EQ(una.Espera(), 0);
  ASSERT_EQ(otra.Espera(), 0);
  QList<QStringList> facturas = Filas(kDatos, "FacturaE.dbf", {"CLDOC_F", "CLPED_F"}, "INUMENC").mid(3);
  ASSERT_EQ(facturas.size(), 2);
  EXPECT_EQ(facturas[0][0], "31");
  EXPECT_EQ(facturas[1][0], "32");
  // Each remission names its own invoice, and each invoice its lines.
  for (const QStringList& f : facturas) {
    const QString remision = f[1].mid(1);
    EXPECT_EQ(Filas(kDatos, "Remision.dbf", {"CLDOC_F", "REMIS_F"}).value(remision.toInt() - 7),
              (QStringList{remision, "F" + f[0]}));
  }
  EXPECT_EQ(Filas(kDatos, "FacturaD.dbf", {"CLDOC_FD"}, "CLDOC_FD"), (QList<QStringList>{{"31"}, {"32"}}));
}

// Another station: the sale screen on remission argumentos[0], which it
// turns into an invoice with the fault seam armed at argumentos[1], pass
// argumentos[2].
RUTINA_HIJA(FacturaYMuere) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char nombre[] = "estacion";
  char* argv[] = {nombre, nullptr};
  ui::Aplicacion app(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  UneDocumentosVenta();
  auto pantalla = std::make_unique<Pantalla>();
  pantalla->usuario->setText("2");
  ui::PuertaModal::Espera("TFormaCapturaRapida", [&](QDialog& d) {
    auto& p = static_cast<Pantalla&>(d);
    if (!p.TablaFacturae->FindKey({argumentos.value(0).toLongLong()})) return;
    p.MuestraDocumento();
    falla::Arma(argumentos.value(1), argumentos.value(2).toInt());
    prueba::AvisaPadre("ARMADO");
    p.Factura1->trigger();
    falla::Desarma();
  });
  pantalla->ShowModal();
  return 0;
}

// Killed at every write of "Factura", the station started again finishes
// the invoice before anything is shown: one invoice of the remission with
// its line, its receipt and its log line, the remission marked with it,
// every tag agreeing; as the invoice an uninterrupted station writes.
TEST_F(DocumentosDerivados, UnaEstacionMuertaEnCadaEscrituraDeLaFacturaLaTerminaAlVolver) {
  FijaLinea(ConfBitacora, "S");
  fs::CreaCarpeta(fs::Une(kDatos, "Bitacora"));
  FacturasAnteriores();
  RemisionParaFacturar(7, "Efectivo");
  // The stations read the clock the test set.
  struct Reloj {
    Reloj() { qputenv("VORLAN_AHORA", "2010-03-05T10:15:00.000"); }
    ~Reloj() { qunsetenv("VORLAN_AHORA"); }
  } reloj;
  const auto estado = [] {
    QList<QList<QStringList>> e;
    e.append(Filas(kDatos, "FacturaE.dbf", {"CLDOC_F", "CLPED_F", "SALDO_F", "ABONO_F", "STATU_F", "IMTOD_F", "CONTROL"}));
    e.append(Filas(kDatos, "FacturaD.dbf", {"CLDOC_FD", "CONTROL", "CLPRO_FD", "CANTI_FD", "PREDE_FD", "TDOCU_FD"}));
    e.append(Filas(kDatos, "Remision.dbf", {"CLDOC_F", "REMIS_F"}));
    e.append(Filas(kDatos, "Cucobrar.dbf", {"NUFAC_CC", "CONCE_CC", "IMCUE_CC", "ABONO_CC"}));
    const QString bitacora = fs::Une(kDatos, "Bitacora\\R-7.bit");
    const qsizetype lineas = fs::ExisteArchivo(bitacora) ? fs::LeeLineas(bitacora).filter("GENERAR FACTURA").size() : 0;
    e.append({{QString::number(lineas)}});
    return e;
  };
  QList<QList<QList<QStringList>>> estados;
  const auto revisa = [&](bool) {
    ui::PuertaModal::LimpiaMensajes();
    Abre("2", [](Pantalla&) {});
    EXPECT_EQ(Mensajes(), QStringList());
    EXPECT_FALSE(fs::ExisteArchivo(fs::Une(kPrograma, "FacturaRemision1.jnl")));
    for (const char* t : {"FacturaE.dbf", "FacturaD.dbf", "Remision.dbf"}) {
      SCOPED_TRACE(t);
      EXPECT_EQ(AbreEn(kDatos, t)->TagsDiscrepantes(), QStringList());
    }
    estados << estado();
    EXPECT_EQ(estados.last().value(2), (QList<QStringList>{{"7", "F31"}}));
  };
  const int muertes = prueba::MuereEnCadaEscritura(fs::Local("C:\\"), "FacturaYMuere", {"7"},
                                                   {{guardado::puntos::kEscrito, {}},
                                                    {guardado::puntos::kReservado, {}},
                                                    // (its first write is the remission's state and
                                                    // country, before the invoice begins)
                                                    {db::puntos::kRegistroAMedias, {2, 3, 4}}},
                                                   revisa);
  EXPECT_GE(muertes, 10);
  ASSERT_FALSE(estados.isEmpty());
  for (const auto& e : estados) EXPECT_EQ(e, estados.last());
  const QList<QList<QStringList>> hecho = estados.last();
  EXPECT_EQ(hecho[0].value(3), (QStringList{"31", "R7", "104.4", "104.4", "G", "104.4", "700"}));
  EXPECT_EQ(hecho[1], (QList<QStringList>{{"31", "700", "P1", "2", "45", "F"}}));
  EXPECT_EQ(hecho[2], (QList<QStringList>{{"7", "F31"}}));
  EXPECT_EQ(hecho[3], (QList<QStringList>{{"31", "Factura Pagada 7", "104.4", "104.4"}}));
  EXPECT_EQ(hecho[4], (QList<QStringList>{{"1"}}));
}

TEST_F(DocumentosDerivados, UnaFacturaQueFallaNoDejaNadaYLaRemisionSePuedeFacturar) {
  FacturasAnteriores();
  RemisionParaFacturar(7, "Efectivo");
  AgregaLinea("RemisioD.dbf", 7, 700, "P2", {{"CANTI_FD", "1"}, {"PUNPR_FD", "5"}});
  Abre("2", [&](Pantalla& p) {
    Muestra(p, 7);
    // The third line cannot be written: its quantity does not fit the
    // invoice line (the first has been written by then).
    p.TablaDeta->Last();
    p.TablaDeta->Edit();
    p.TablaDeta->FieldByName("CANTIDAD").SetAsFloat(1e12);
    p.TablaDeta->Post();
    p.Factura1->trigger();
    ASSERT_EQ(Mensajes().size(), 1);
    EXPECT_TRUE(Mensajes()[0].contains("CANTI_FD")) << Mensajes()[0].toStdString();
    EXPECT_EQ(Filas(kDatos, "FacturaE.dbf", {"CLDOC_F"}, "INUMENC"),
              (QList<QStringList>{{"10"}, {"20"}, {"30"}}));
    EXPECT_EQ(AbreEn(kDatos, "FacturaD.dbf")->RecordCount(), 0);
    EXPECT_EQ(Filas(kDatos, "Remision.dbf", {"REMIS_F"}), (QList<QStringList>{{""}}));
    EXPECT_EQ(Filas(kDatos, "Cucobrar.dbf", {"NUFAC_CC"}), QList<QStringList>());

    // Mended, it is invoiced as if nothing had happened.
    ui::PuertaModal::LimpiaMensajes();
    p.TablaDeta->Last();
    p.TablaDeta->Edit();
    p.TablaDeta->FieldByName("CANTIDAD").SetAsFloat(1);
    p.TablaDeta->Post();
    p.Factura1->trigger();
    EXPECT_EQ(Mensajes(), QStringList());
  });
  EXPECT_EQ(Filas(kDatos, "FacturaD.dbf", {"CLDOC_FD", "CLPRO_FD"}), (QList<QStringList>{{"31", "P1"}, {"31", "P2"}}));
  EXPECT_EQ(Filas(kDatos, "Remision.dbf", {"REMIS_F"}), (QList<QStringList>{{"F31"}}));
}

// --- The hidden conversions.

TEST_F(DocumentosDerivados, LasConversionesOcultasDejanUnDocumentoNuevoQueSeGuardaConSuNumero) {
  AgregaRemision(5, {{"CONTROL", "500"}, {"CLCLI_F", "20"}, {"PAGOX_F", "Efectivo"}});
  AgregaLinea("RemisioD.dbf", 5, 500, "P1", {{"CANTI_FD", "3"}, {"DEPRO_FD", "TORNILLO"}, {"PUNPR_FD", "50"}});
  for (int n : {40, 41}) AgregaFila("Pedido.dbf", {{"CLDOC_F", QString::number(n)}});
  Abre("2", [&](Pantalla& p) {
    for (QAction* oculto : {p.Remisin1, p.Pedido1, p.Devolucin1}) EXPECT_FALSE(oculto->isVisible());
    Muestra(p, 5);
    Pedido1Click(p);
    EXPECT_EQ(p.Base->currentText(), "Pedido");
    EXPECT_EQ(p.EditCLDOC_F->text(), "42");
    EXPECT_TRUE(p.DocumentoNuevo);
    p.BotonGuardarClick();
    EXPECT_EQ(ui::Tag(p.BotonNuevo), 0);
    EXPECT_EQ(p.EditCLDOC_F->text(), "42");

    // From the order just saved, a remission: it lowers the stock.
    Remisin1Click(p);
    EXPECT_EQ(p.Base->currentText(), "Remisión");
    EXPECT_EQ(p.EditCLDOC_F->text(), "6");
    p.BotonGuardarClick();
    EXPECT_EQ(ui::Tag(p.BotonNuevo), 0);

    // A return never reads a range: its lines come from the buffer.
    p.LineasDeRango = true;
    Devolucin1Click(p);
    EXPECT_FALSE(p.LineasDeRango);
    EXPECT_EQ(p.EditCLDOC_F->text(), "1");
    EXPECT_EQ(Captura(p, {"CLAVE", "CANTIDAD"}), (QList<QStringList>{{"P1", "3"}}));
    // The writer the screen's change and cancel call is the same one.
    ASSERT_TRUE(p.EscribeBuferVenta);
    p.VaciaCaptura();
    p.EscribeBuferVenta(u'F');
    EXPECT_EQ(Bytes("bufer.tmp").size(), 0);
  });
  EXPECT_EQ(Mensajes(), QStringList());
  // One header each, numbered last + 1, naming its origin; no header left
  // behind by the conversion itself.
  EXPECT_EQ(Filas(kDatos, "Pedido.dbf", {"CLDOC_F", "CLPED_F", "CLCLI_F"}, "INUMENC"),
            (QList<QStringList>{{"40", "", ""}, {"41", "", ""}, {"42", "R5", "20"}}));
  EXPECT_EQ(Filas(kDatos, "PedidoD.dbf", {"CLDOC_FD", "CLPRO_FD", "CANTI_FD"}),
            (QList<QStringList>{{"42", "P1", "3"}}));
  EXPECT_EQ(Filas(kDatos, "Remision.dbf", {"CLDOC_F", "CLPED_F", "REMIS_F"}, "INUMENC"),
            (QList<QStringList>{{"5", "", ""}, {"6", "P42", ""}}));
  EXPECT_EQ(Filas(kDatos, "RemisioD.dbf", {"CLDOC_FD", "CLPRO_FD", "CANTI_FD"}, "CLDOC_FD"),
            (QList<QStringList>{{"5", "P1", "3"}, {"6", "P1", "3"}}));
  auto productos = AbreEn(kDatos, kTablaProductos, kTagClaveProducto);
  ASSERT_TRUE(productos->FindKey({"P1"}));
  EXPECT_EQ(productos->FieldByName("EXIST_I").AsFloat(), 97);
}
