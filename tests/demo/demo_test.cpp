// The demonstration company on a fresh root: what a newcomer finds, and that
// a root already in use is left alone.

#include "demo/Demo.h"
#include "formats/ImporteLetra.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/RegistroProducto.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/PuertaModal.h"
#include "shell/Empresas.h"
#include "shell/LineasConfiguracion.h"
#include "shell/Principa.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"
#include "tablas/TablasVorlan.h"
#include "platform/db/Consulta.h"
#include "platform/db/Tabla.h"
#include "reports/ReporteadorSQL.h"
#include "reports/Consulta.h"
#include "reports/Vistas.h"

namespace {

const QString kDatosDemo = QStringLiteral("C:\\Vorlan\\DATOS");

class EmpresaDemo : public RaizPrueba {};

TEST_F(EmpresaDemo, UnaRaizNuevaRecibeLaEmpresaUno) {
  ASSERT_TRUE(PreparaEmpresaDemo());
  EXPECT_EQ(fs::LeeLineas(kArchivoInicio), (QStringList{"C:\\VRL", "C:\\VRL\\Gener1.cnf", ""}));

  QStringList esperadas = ValoresInicialesConfiguracion();
  esperadas[ConfCarpetaDatos - 1] = kDatosDemo;
  esperadas[ConfNombreEmpresa - 1] = "Vorlan Demostración";
  esperadas[ConfFormatoClientes - 1] = "clientes.fmt";    // shipped in consulta
  esperadas[ConfFormatoVendedores - 1] = "vendedor.fmt";
  esperadas[ConfFormatoCxCDetallada - 1] = "cuenta.fmt";  // the remission account
  esperadas[ConfFormatoCheque - 1] = "recibo.fmt";        // a movement's receipt
  esperadas[ConfFormatoRemision - 1] = "ticket.fmt";      // the sale screen's ticket
  esperadas[ConfFormatoRecepcion - 1] = "compra.fmt";     // the purchase documents
  esperadas[ConfFormatoOrdenCompra - 1] = "compra.fmt";
  esperadas[ConfFormatoDevolucionCompra - 1] = "compra.fmt";
  esperadas[ConfBitacora - 1] = "S";
  esperadas[ConfTotalAcumulado - 1] = "20000";
  EXPECT_EQ(fs::LeeLineas("C:\\VRL\\Gener1.cnf"), esperadas);
  // The sale screen writes movement rows.
  EXPECT_EQ(fs::LeeLineas("C:\\VRL\\mi.cnf"), QStringList{"con movimientos"});

  // Both copies of the users file; the login finds each password.
  EXPECT_EQ(fs::LeeBytes(fs::Une(kDatosDemo, "usuarios.def")), fs::LeeBytes("C:\\VRL\\usuarios.def"));
  EXPECT_EQ(ValidaClaveUsuario(kClaveDemoAdministrador), 0);
  EXPECT_EQ(ValidaClaveUsuario(kClaveDemoCajero), 1);
  EXPECT_TRUE(ValidaClaveAdministrador(kClaveDemoAdministrador));
  EXPECT_TRUE(TieneDerechoSinAviso(0, DerechoConfiguracion));
  EXPECT_TRUE(TieneDerechoSinAviso(1, DerechoFacturacion));
  EXPECT_FALSE(TieneDerechoSinAviso(1, DerechoConfiguracion));
  EXPECT_FALSE(TieneDerechoSinAviso(1, DerechoCancelarVenta));

  // Every registered table, as registered.
  QStringList diferencias;
  for (const db::Diferencia& d : VerificaTablasEmpresa(db::Carpetas{kDatosDemo, {}, {}, "C:\\VRL"}))
    diferencias << d.Texto();
  EXPECT_EQ(diferencias, QStringList());

  // Products with prices and stock, the stock accounted for by the
  // initial-inventory movement and the per-product totals.
  db::Tabla productos, movimientos, totales, remisiones;
  for (auto [t, archivo] : {std::pair{&productos, "INVENTAR.DBF"}, std::pair{&movimientos, "MOVINVEN.DBF"},
                            std::pair{&totales, "Kardex.dbf"}, std::pair{&remisiones, "RemisioD.dbf"}}) {
    t->SetCarpeta(kDatosDemo);
    t->SetNombreTabla(archivo);
    t->Open();
  }
  EXPECT_GE(productos.RecordCount(), 5);
  ASSERT_TRUE(productos.Locate("CLPRO_I", {"ARR001"}));
  EXPECT_EQ(productos.FieldByName("PPUBL_I").AsFloat(), 24.90);
  EXPECT_EQ(productos.FieldByName("DSCPR_I").AsString(), "Arroz blanco 1 kg");
  // A scanned barcode names its product.
  productos.SetIndexName("ICLPRO");
  ASSERT_TRUE(LocalizaProducto(productos, "750100110016"));
  EXPECT_EQ(productos.FieldByName("CLPRO_I").AsString(), "ARR001");
  totales.SetIndexName("CLPRO_I");
  for (productos.First(); !productos.Eof(); productos.Next()) {
    const QString clave = productos.FieldByName("CLPRO_I").AsString();
    const double existencia = productos.FieldByName("EXIST_I").AsFloat();
    EXPECT_GT(existencia, 0) << clave.toStdString();
    EXPECT_GT(productos.FieldByName("PPUBL_I").AsFloat(), productos.FieldByName("ULCOS_I").AsFloat());
    ASSERT_TRUE(totales.FindKey({clave})) << clave.toStdString();
    EXPECT_EQ(totales.FieldByName("EXIST_I").AsFloat(), existencia);
    double entradas = 0;
    for (movimientos.First(); !movimientos.Eof(); movimientos.Next()) {
      if (movimientos.FieldByName("CLPRO_MI").AsString() != clave) continue;
      EXPECT_GT(movimientos.FieldByName("TIMOV_MI").AsInteger(), 50);
      entradas += movimientos.FieldByName("CANTI_MI").AsFloat();
    }
    // Less what the day's remissions sold.
    double vendido = 0;
    for (remisiones.First(); !remisiones.Eof(); remisiones.Next())
      if (remisiones.FieldByName("CLPRO_FD").AsString() == clave) vendido += remisiones.FieldByName("CANTI_FD").AsFloat();
    EXPECT_EQ(entradas - vendido, existencia) << clave.toStdString();
    EXPECT_EQ(totales.FieldByName("SALID_I").AsFloat(), -vendido) << clave.toStdString();
  }

  // The counter customer and the sellers the sale screen starts with.
  db::Tabla clientes, vendedores;
  clientes.SetCarpeta(kDatosDemo);
  clientes.SetNombreTabla("CLIENTE.DBF");
  clientes.Open();
  EXPECT_TRUE(clientes.Locate("CLCLI_C", {"1"}));
  EXPECT_GE(clientes.RecordCount(), 3);
  vendedores.SetCarpeta(kDatosDemo);
  vendedores.SetNombreTabla("VENDEDOR.DBF");
  vendedores.Open();
  EXPECT_TRUE(vendedores.Locate("CLVEN_V", {"01"}));

  // Suppliers with credit days, each with a contact.
  db::Tabla proveedores, contactos;
  proveedores.SetCarpeta(kDatosDemo);
  proveedores.SetNombreTabla("PROVEEDO.DBF");
  proveedores.Open();
  contactos.SetCarpeta(kDatosDemo);
  contactos.SetNombreTabla("ContProv.dbf");
  contactos.SetIndexName("ICLAPRO");
  contactos.Open();
  EXPECT_GE(proveedores.RecordCount(), 3);
  for (proveedores.First(); !proveedores.Eof(); proveedores.Next()) {
    const QString clave = proveedores.FieldByName("CLAVE_P").AsString();
    EXPECT_GT(proveedores.FieldByName("DCRED_P").AsInteger(), 0) << clave.toStdString();
    EXPECT_TRUE(contactos.FindKey({clave})) << clave.toStdString();
  }

  // The account concepts the catalogue keeps, 1 to 11 and 51, each a payment
  // or a charge, among them those the program writes (7 cash, 10 credit
  // note, 51 the charge of a purchase).
  db::Tabla conceptos;
  conceptos.SetCarpeta(kDatosDemo);
  conceptos.SetNombreTabla("concepto.dbf");
  conceptos.SetIndexName("NUME");
  conceptos.Open();
  QList<qint64> numeros;
  for (conceptos.First(); !conceptos.Eof(); conceptos.Next()) {
    numeros << conceptos.FieldByName("NUMOV_MO").AsInteger();
    EXPECT_TRUE(QStringList({"A", "C"}).contains(conceptos.FieldByName("TIPOO_MO").AsString()));
    EXPECT_FALSE(conceptos.FieldByName("CONCE_MO").AsString().isEmpty());
  }
  EXPECT_EQ(numeros, (QList<qint64>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 51}));

  // A remission sold on credit, its account holding a payment on account
  // that its header's balance agrees with.
  db::Tabla encabezados, cuenta;
  encabezados.SetCarpeta(kDatosDemo);
  encabezados.SetNombreTabla("Remision.dbf");
  encabezados.Open();
  cuenta.SetCarpeta(kDatosDemo);
  cuenta.SetNombreTabla("CucobrarRemision.DBF");
  cuenta.Open();
  ASSERT_TRUE(encabezados.Locate("PAGOX_F", {"Crédito"}));
  ASSERT_EQ(cuenta.RecordCount(), 1);
  EXPECT_EQ(cuenta.FieldByName("NUFAC_CC").AsInteger(), encabezados.FieldByName("CLDOC_F").AsInteger());
  EXPECT_EQ(cuenta.FieldByName("CONTROL").AsInteger(), encabezados.FieldByName("CONTROL").AsInteger());
  EXPECT_EQ(cuenta.FieldByName("OPERA_CC").AsString(), "A");
  EXPECT_DOUBLE_EQ(encabezados.FieldByName("SALDO_F").AsFloat(),
                   encabezados.FieldByName("IMTOD_F").AsFloat() - cuenta.FieldByName("IMCUE_CC").AsFloat());
  ASSERT_TRUE(conceptos.Locate("NUMOV_MO", {7}));
  EXPECT_EQ(conceptos.FieldByName("CONCE_MO").AsString(), "Efectivo");

  // The payment types the sale screen offers: pagos.cnf lists the table's
  // types in its order; one gives a price list, one a discount.
  db::Tabla pagos;
  pagos.SetCarpeta(kDatosDemo);
  pagos.SetNombreTabla("Descuento.DBF");
  pagos.Open();
  QStringList tipos;
  for (pagos.First(); !pagos.Eof(); pagos.Next()) tipos << pagos.FieldByName("TIPOPAGO").AsString();
  EXPECT_EQ(fs::LeeLineas(fs::Une(kDatosDemo, "pagos.cnf")), tipos);
  EXPECT_TRUE(tipos.contains("Tarjeta") && tipos.contains("Efectivo"));
  ASSERT_TRUE(pagos.Locate("TIPOPAGO", {"Mayoreo"}));
  EXPECT_EQ(pagos.FieldByName("PRECIO").AsInteger(), 2);
  ASSERT_TRUE(pagos.Locate("TIPOPAGO", {"Empleado"}));
  EXPECT_EQ(pagos.FieldByName("DESCUENTO").AsFloat(), 5);

  // Amounts in words in either currency of the currency table.
  struct Moneda {
    const char* nombre;
    double importe;
    const char* letra;
  };
  for (const Moneda& m : {Moneda{"Pesos", 2000000, "( DOS MILLONES DE PESOS 00/100 M.N.)"},
                          Moneda{"Dólares", 1.5, "( UN DÓLAR 50/100 USD)"}}) {
    QString t[4];
    for (int i = 0; i < 4; ++i) TextoMoneda(QString::fromUtf8(m.nombre), i + 1, t[i]);
    FijaTextosMoneda(t[0], t[1], t[2], t[3]);
    EXPECT_EQ(ImporteConLetra(m.importe), QString::fromUtf8(m.letra));
  }

  // Custom reports whose SQL runs over the demonstration tables.
  const QStringList reportes = fs::LeeLineas("C:\\VRL\\report\\reportes.sql");
  EXPECT_EQ(reportes.size(), 2);
  for (const QString& linea : reportes) {
    SCOPED_TRACE(linea.toStdString());
    db::Consulta sql;
    sql.SetSQL(linea.section(u'#', 1, 1));
    sql.Open();
    EXPECT_GE(sql.RecordCount(), 3);
    EXPECT_EQ(linea.count(u'#'), sql.FieldCount() + 1);  // a title for each column
  }

  // The SQL report writer's saved statement lists the customers by name.
  db::Consulta guardada;
  guardada.SetSQL(TraduceLineasSQL(fs::LeeLineas("C:\\VRL\\report\\Clientes por nombre.sql")).join(u'\n'));
  guardada.Open();
  EXPECT_EQ(guardada.RecordCount(), clientes.RecordCount());
  EXPECT_EQ(guardada.FieldByName("NOMBR_C").AsString(), "Abarrotes La Esperanza");

  // The customer window's saved query: its list names the view, whose
  // statement runs over the customers.
  const QVector<TEntradaVista> vistas = LeeListaVistas(fs::Une(kDatosDemo, "report\\Clientes.for"));
  ASSERT_EQ(vistas.size(), 1);
  PeticionVista peticion;
  peticion.carpetas = db::Carpetas{kDatosDemo, {}, {}, "C:\\VRL"};
  peticion.inicial = peticion.final = fs::Hoy();
  db::Consulta saldos;
  saldos.SetSQL(SentenciaVista(LeeVista(vistas[0].Archivo), peticion));
  saldos.Open();
  EXPECT_EQ(saldos.RecordCount(), clientes.RecordCount());
  // The movement window's saved query runs over the movement rows.
  const QVector<TEntradaVista> vistasMovimientos = LeeListaVistas(fs::Une(kDatosDemo, "report\\movinven.for"));
  ASSERT_EQ(vistasMovimientos.size(), 1);
  db::Consulta porProducto;
  porProducto.SetSQL(SentenciaVista(LeeVista(vistasMovimientos[0].Archivo), peticion));
  porProducto.Open();
  EXPECT_EQ(porProducto.RecordCount(), movimientos.RecordCount());

  // The sale screen's saved query: the invoices' list names the view of
  // the remissions, whose statement runs.
  const QVector<TEntradaVista> ventas = LeeListaVistas(fs::Une(kDatosDemo, "report\\facturae.for"));
  ASSERT_EQ(ventas.size(), 1);
  db::Consulta vistaVentas;
  vistaVentas.SetSQL(SentenciaVista(LeeVista(ventas[0].Archivo), peticion));
  vistaVentas.Open();
  EXPECT_GE(vistaVentas.RecordCount(), 2);

  // The day's caller history ends with a customer of the company.
  const QStringList llamadas =
      fs::LeeLineas("C:\\SERIAL\\historial\\" + fs::Hoy().toString("yyyy-MM-dd") + ".his");
  ASSERT_EQ(llamadas.size(), 2);
  EXPECT_TRUE(clientes.Locate("CLCLI_C", {llamadas.last().section(u',', 0, 0)})) << llamadas.last().toStdString();

  const QString aviso = AvisoEmpresaDemo();
  EXPECT_TRUE(aviso.contains(kClaveDemoAdministrador) && aviso.contains(kClaveDemoCajero)) << aviso.toStdString();
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(EmpresaDemo, UnaRaizEnUsoNoSeToca) {
  // A root with a start file, and one with a company of its own but no start
  // file yet: nothing is written over.
  EscribeLineas(kArchivoInicio, {"C:\\VRL", "C:\\VRL\\Gener3.cnf", ""});
  EXPECT_FALSE(PreparaEmpresaDemo());
  EXPECT_FALSE(fs::Existe("C:\\VRL\\Gener1.cnf"));
  EXPECT_FALSE(fs::Existe(kDatosDemo));
  EXPECT_EQ(AvisoEmpresaDemo(), "");

  fs::BorraArchivo(kArchivoInicio);
  EscribeLineas("C:\\VRL\\Gener1.cnf", {"SI", "", "", "", "", "", "", "C:\\PROPIA", "Mi Tienda"});
  EscribeBytes("C:\\VRL\\usuarios.def", "propio");
  EXPECT_TRUE(PreparaEmpresaDemo());
  EXPECT_EQ(fs::LeeLinea("C:\\VRL\\Gener1.cnf", ConfNombreEmpresa), "Mi Tienda");
  EXPECT_EQ(fs::LeeBytes("C:\\VRL\\usuarios.def"), "propio");
  EXPECT_EQ(AvisoEmpresaDemo(), "");
}

// The newcomer's first login: the administrator's password opens company 1.
TEST_F(EmpresaDemo, ElAdministradorEntra) {
  ASSERT_TRUE(PreparaEmpresaDemo());
  TFormaPrincipal principal;
  TFormaEmpresas empresas;
  ui::PuertaModal::Espera("TFormaEmpresas", [](QDialog& d) {
    EXPECT_EQ(prueba::Texto(d, "NombreEmpresa"), "Vorlan Demostración");
    prueba::Teclea(d, "Clave", kClaveDemoAdministrador);
    prueba::Tecla(d, "Clave", Qt::Key_Return);
  });
  principal.DisparaActivacion();
  EXPECT_TRUE(principal.isEnabled());
  EXPECT_EQ(principal.windowTitle(), "Vorlan    V 5.2.0   Vorlan Demostración");
  EXPECT_EQ(prueba::Texto(principal, "Usuario"), "0");
  // Every file the login checks for is there.
  EXPECT_EQ(Mensajes(), QStringList());
  // A second preparation finds the root in use.
  EXPECT_FALSE(PreparaEmpresaDemo());
}

}  // namespace
