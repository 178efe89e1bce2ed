#include "demo/Demo.h"

#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_usuarios.h"
#include "maintenance/IndiTodo.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "shell/Campos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/Moneda.h"
#include "tablas/TablasVorlan.h"

#include <QByteArray>
#include <QVariant>

#include <tuple>
#include <utility>

namespace {

// The cashier's rights: the customer, sale and product modules, adding
// customers and sales, and the sale reports.
QString DerechosCajero() {
  QString derechos(kNumeroDerechos, u'n');
  for (int d : {DerechoClientes, DerechoFacturacion, DerechoInventarios, DerechoAltaClientes, DerechoAltaFacturacion,
                DerechoReportesFacturacion})
    derechos[d - 1] = u's';
  return derechos;
}

QByteArray ArchivoUsuarios() {
  TRegistroUsuario administrador;
  administrador.NumeroUsuario = 0;
  administrador.NombreUsuario = QStringLiteral("Administrador");
  administrador.ClaveUsuario = CifraTexto(kClaveDemoAdministrador);
  administrador.Derechos = QString(kNumeroDerechos, u's');
  TRegistroUsuario cajero;
  cajero.NumeroUsuario = 1;
  cajero.NombreUsuario = QStringLiteral("Cajero");
  cajero.ClaveUsuario = CifraTexto(kClaveDemoCajero);
  cajero.Derechos = DerechosCajero();
  return administrador.ABytes() + cajero.ABytes();
}

void EscribeSiFalta(const QString& ruta, const QByteArray& bytes) {
  if (!fs::Existe(ruta)) fs::EscribeAtomico(ruta, bytes);
}

// The currency table as the currency window writes it: seven records, the
// first two the currencies of amounts in words, the others empty.
QByteArray ArchivoMonedas() {
  const auto moneda = [](const char* divisa, const char* valor, const char* singular, const char* pluralMillones,
                         const char* plural, const char* abreviatura, const char* simbolo) {
    TRegistroMoneda r;
    int i = 0;
    for (const char* texto : {divisa, valor, singular, pluralMillones, plural, abreviatura, simbolo})
      r.Campos[i++] = QString::fromUtf8(texto);
    return r.ABytes();
  };
  QByteArray bytes = moneda("Pesos", "1.00", "PESO", "DE PESOS", "PESOS", "M.N.", "$") +
                     moneda("Dólares", "18.00", "DÓLAR", "DE DÓLARES", "DÓLARES", "USD", "US$");
  while (bytes.size() < TRegistroMoneda::kTamano * 7) bytes += TRegistroMoneda().ABytes();
  return bytes;
}

QString CarpetaDatosDemo() { return DefinicionLinea(ConfCarpetaDatos)->Inicial(); }
// The data folder of a branch, the destination of the demonstration transfer.
const QString kSucursalDemo = QStringLiteral("C:\\Vorlan\\SUCURSAL");

// One row: field names and values.
using Fila = QVector<std::pair<const char*, QVariant>>;

// Appends the rows to a table that has none; a table with rows is left as
// it is.
void LlenaSiVacia(const QString& carpeta, const QString& archivo, const QVector<Fila>& filas) {
  db::Tabla tabla;
  tabla.SetCarpeta(carpeta);
  tabla.SetNombreTabla(archivo);
  tabla.Open();
  if (tabla.RecordCount() == 0) {
    for (const Fila& fila : filas) {
      tabla.Append();
      for (const auto& [campo, valor] : fila) tabla.FieldByName(QString::fromLatin1(campo)).SetValue(valor);
      tabla.Post();
    }
  }
  tabla.Close();
}

// Customer "1" is the counter customer every new sale starts with.
QVector<Fila> Clientes() {
  const auto cliente = [](const char* clave, const char* nombre, const char* rfc, const char* direccion,
                          const char* telefono, int dias, const char* vendedor, int lista) {
    return Fila{{"CLCLI_C", clave},
                {"NOMBR_C", QString::fromUtf8(nombre)},
                {"RFCXX_C", rfc},
                {"DIREC_C", QString::fromUtf8(direccion)},
                {"POBLA_C", "Guadalajara"},
                {"CPXXX_C", "44100"},
                {"ESTAD_C", "Jalisco"},
                {"PAISX_C", QString::fromUtf8("México")},
                {"TELEF_C", telefono},
                {"DCRED_C", dias},
                {"CLVEN_C", vendedor},
                {"PREPR_C", lista}};
  };
  return {cliente("1", "PUBLICO EN GENERAL", "XAXX010101000", "", "", 0, "01", 1),
          cliente("2", "Abarrotes La Esperanza", "ALE950612KJ3", "Av. Juárez 145", "33 3615 2040", 15, "02", 2),
          cliente("3", "Cocina Económica Doña Mary", "MAGM780304PL1", "Calle Hidalgo 88", "33 3826 1177", 0, "02", 1),
          cliente("4", "Papelería El Estudiante", "PES010920RT5", "Av. Vallarta 2310", "33 3630 4512", 30, "03", 3)};
}

QVector<Fila> Vendedores() {
  const auto vendedor = [](const char* clave, const char* nombre, double comision) {
    return Fila{{"CLVEN_V", clave}, {"NOMBR_V", QString::fromUtf8(nombre)}, {"COMIS_V", comision}};
  };
  return {vendedor("01", "Mostrador", 0), vendedor("02", "Laura Méndez", 3), vendedor("03", "Jorge Ramírez", 2.5)};
}

QVector<Fila> Proveedores() {
  const auto proveedor = [](const char* clave, const char* nombre, const char* rfc, const char* direccion,
                            const char* poblacion, const char* telefono, int dias) {
    return Fila{{"CLAVE_P", clave},
                {"NOMBR_P", QString::fromUtf8(nombre)},
                {"RFCXX_P", rfc},
                {"DIREC_P", QString::fromUtf8(direccion)},
                {"POBLA_P", QString::fromUtf8(poblacion)},
                {"TELEF_P", telefono},
                {"DCRED_P", dias},
                {"DREPA_P", "Revisión lunes, pago viernes"},
                {"SALDO_P", 0}};
  };
  return {proveedor("1", "ABARROTERA DEL BAJIO SA DE CV", "ABA870512HT3", "Blvd. López Mateos 1820", "León",
                    "477 712 4400", 30),
          proveedor("2", "EMBOTELLADORA DE OCCIDENTE SA", "EOC920301QW8", "Av. Lázaro Cárdenas 3050",
                    "Guadalajara", "33 3812 6600", 15),
          proveedor("3", "PRODUCTOS DE LIMPIEZA LA ESTRELLA", "PLE050817AB2", "Calle Industria 45", "Zapopan",
                    "33 3656 9011", 8)};
}

QVector<Fila> ContactosProveedores() {
  const auto contacto = [](const char* clave, const char* nombre, const char* cargo, const char* telefono,
                           const char* correo) {
    return Fila{{"CLAVE_P", clave},
                {"CONTA_P", QString::fromUtf8(nombre)},
                {"CARGO_P", QString::fromUtf8(cargo)},
                {"TELEF_P", telefono},
                {"MAILX_P", correo}};
  };
  return {contacto("1", "Ricardo Salinas", "Ventas", "477 712 4410", "ventas@abarroterabajio.mx"),
          contacto("2", "Marta Ochoa", "Crédito y Cobranza", "33 3812 6615", "credito@embotelladora.mx"),
          contacto("3", "Luis Ortega", "Agente de Ventas", "33 3656 9020", "pedidos@laestrella.mx")};
}

struct Producto {
  const char* clave;
  const char* codigo;  // the UPC-A barcode a scanner reads
  const char* descripcion;
  const char* linea;
  double costo;
  double precios[3];  // lists 1 to 3
  double existencia;
};

const Producto kProductos[] = {
    {"ARR001", "750100110016", "Arroz blanco 1 kg", "ABARROTE", 18.50, {24.90, 23.50, 22.90}, 40},
    {"FRI001", "750100110023", "Frijol negro 1 kg", "ABARROTE", 26.00, {34.50, 32.90, 31.90}, 35},
    {"ACE001", "750100110030", "Aceite vegetal 1 l", "ABARROTE", 32.00, {42.00, 40.00, 39.00}, 24},
    {"AZU001", "750100110047", "Azúcar estándar 1 kg", "ABARROTE", 22.00, {29.50, 28.00, 27.50}, 30},
    {"REF001", "750100110054", "Refresco de cola 600 ml", "BEBIDAS", 11.50, {17.00, 16.00, 15.50}, 48},
    {"AGU001", "750100110061", "Agua natural 1 l", "BEBIDAS", 7.00, {12.00, 11.00, 10.50}, 60},
    {"JAB001", "750100110078", "Jabón de tocador 150 g", "LIMPIEZA", 12.00, {18.50, 17.50, 17.00}, 36},
    {"DET001", "750100110085", "Detergente en polvo 1 kg", "LIMPIEZA", 30.00, {41.00, 39.00, 38.00}, 20},
};

QVector<Fila> Productos(const QString& iva) {
  QVector<Fila> filas;
  for (const Producto& p : kProductos)
    filas << Fila{{"CLPRO_I", p.clave},         {"CODIG_I", p.codigo},
                  {"DSCPR_I", QString::fromUtf8(p.descripcion)},
                  {"UMEDI_I", "PZA"},           {"LIPRO_I", p.linea},
                  {"FEALT_I", fs::Hoy()},       {"PIVA1_I", iva},
                  {"ULCOS_I", p.costo},         {"CPROM_I", p.costo},
                  {"PPUBL_I", p.precios[0]},    {"PLIS2_I", p.precios[1]},
                  {"PLIS3_I", p.precios[2]},    {"STMIN_I", 5},
                  {"STMAX_I", 100},             {"EXIST_I", p.existencia}};
  return filas;
}

// The stock came in by an initial-inventory document (concept 57), so the
// movement history and the per-product totals account for it as posting
// would: a recount from the documents finds the same stock.
constexpr int kConceptoInventarioInicial = 57;

QVector<Fila> MovimientosIniciales() {
  QVector<Fila> filas;
  for (const Producto& p : kProductos)
    filas << Fila{{"CLDOC_MI", 1},
                  {"TIMOV_MI", kConceptoInventarioInicial},
                  {"FEDOC_MI", fs::Hoy()},
                  {"REFMO_MI", "Inventario Inicial"},
                  {"NUDOC_MI", "M1"},
                  {"CLPRO_MI", p.clave},
                  {"DESCR_MI", QString::fromUtf8(p.descripcion)},
                  {"CANTI_MI", p.existencia},
                  {"PUNIT_MI", p.costo},
                  {"COSUN_MI", p.costo},
                  {"NALMA_MI", 1},
                  {"USUARIO", "0"},
                  {"HORAF_F", 0},
                  {"FECHA", SelloFecha(fs::Hoy())}};
  return filas;
}

QVector<Fila> Kardex() {
  QVector<Fila> filas;
  for (const Producto& p : kProductos)
    filas << Fila{{"CLPRO_I", p.clave},
                  {"ENTRA_I", p.existencia},
                  {"SALID_I", 0},
                  {"EXIST_I", p.existencia},
                  {"INVEN_I", p.existencia}};
  return filas;
}

// The inventory movement concepts whose numbers have a fixed role; above 50
// an entry, 50 or below an exit.
QVector<Fila> ConceptosMovimiento() {
  const std::pair<int, const char*> conceptos[] = {
      {1, "Venta Factura"},          {2, "Devolución a Proveedor"},    {3, "Venta Remisión"},
      {6, "Ajuste de Salida"},       {8, "Salida"},                    {20, "Nota de Crédito de Proveedor"},
      {51, "Compra"},                {52, "Devolución de Cliente"},    {54, "Cancelación de Venta"},
      {56, "Ajuste de Entrada"},     {57, "Inventario Inicial"},       {58, "Inventario Físico"},
      {60, "Entrada por Traspaso"}};
  QVector<Fila> filas;
  for (const auto& [numero, nombre] : conceptos)
    filas << Fila{{"NUCON_CM", numero}, {"DECON_CM", QString::fromUtf8(nombre)}};
  // A transfer to the branch's warehouse folder.
  filas << Fila{
      {"NUCON_CM", 9}, {"DECON_CM", "Traspaso a Sucursal"}, {"TIPOX_CM", "T"}, {"ALMAC_CM", kSucursalDemo}};
  return filas;
}

// The account concepts up to 11, which the catalogue never deletes: 1 the
// main charge of a receivable, 7 a cash payment and 10 a supplier credit
// note are written by the receivables, the purchases and the inventory
// movements; the others are there for the user to pick.
QVector<Fila> ConceptosCuenta() {
  const std::tuple<int, const char*, const char*> conceptos[] = {
      {1, "Cuenta Principal", "C"}, {2, "Cargo", "C"},        {3, "Abono", "A"},
      {4, "Cheque", "A"},           {5, "Tarjeta", "A"},      {6, "Transferencia", "A"},
      {7, "Efectivo", "A"},         {8, "Intereses", "C"},    {9, "Descuento", "A"},
      {10, "Nota de Crédito", "A"}, {11, "Ajuste", "C"}};
  QVector<Fila> filas;
  for (const auto& [numero, nombre, tipo] : conceptos)
    filas << Fila{{"NUMOV_MO", numero}, {"CONCE_MO", QString::fromUtf8(nombre)}, {"TIPOO_MO", tipo}};
  return filas;
}

// Each line: the menu caption, "#", then the script with "#" between its
// lines: the SQL, then the column titles ("%": amounts without "$").
QStringList ReportesPersonalizados(const QString& datos) {
  const auto tabla = [&datos](const char* archivo) { return u'"' + fs::Une(datos, QString::fromLatin1(archivo)) + u'"'; };
  return {QStringLiteral("Existencias de Productos#Select CLPRO_I, DSCPR_I, EXIST_I, PPUBL_I From ") +
              tabla("INVENTAR.DBF") + QStringLiteral(" Order by DSCPR_I#%Clave#%Descripción#%Existencia#Precio"),
          QStringLiteral("Saldos de Clientes#Select CLCLI_C, NOMBR_C, SALDO_C, FULCO_C From ") + tabla("CLIENTE.DBF") +
              QStringLiteral(" Order by NOMBR_C#%Clave#%Nombre#Saldo#%Última Compra")};
}

// The payment types the sale screen offers, in the order of pagos.cnf:
// the card on credit raises volume prices, "Mayoreo" prices from list 2,
// "Empleado" takes 5 % off the document.
QVector<Fila> TiposPago() {
  QVector<Fila> filas;
  for (const char* tipo : {"Efectivo", "Tarjeta", "Cheque", "Transferencia", "T.CREDITO"})
    filas << Fila{{"TIPOPAGO", tipo}};
  filas << Fila{{"TIPOPAGO", "Mayoreo"}, {"PRECIO", 2}} << Fila{{"TIPOPAGO", "Empleado"}, {"DESCUENTO", 5}};
  return filas;
}

// pagos.cnf as "Descuentos Tipo de Pago" writes it: the types of the table.
QByteArray ListaTiposPago() {
  QStringList tipos;
  for (const Fila& fila : TiposPago()) tipos << fila.front().second.toString();
  return fs::ACp1252(tipos.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// The field dictionary the program ships, every registered table of the
// company and of the program folder, then the demonstration rows.
void LlenaTablas(const QString& programa, const QString& datos, const QString& iva) {
  InstalaCampos(programa);
  CreaTablasEmpresa(db::Carpetas{datos, {}, {}, programa});
  CreaTablasEmpresa(db::Carpetas{kSucursalDemo, {}, {}, programa});
  LlenaSiVacia(datos, QStringLiteral("CLIENTE.DBF"), Clientes());
  LlenaSiVacia(datos, QStringLiteral("VENDEDOR.DBF"), Vendedores());
  LlenaSiVacia(datos, QStringLiteral("PROVEEDO.DBF"), Proveedores());
  LlenaSiVacia(datos, QStringLiteral("ContProv.dbf"), ContactosProveedores());
  LlenaSiVacia(datos, QStringLiteral("INVENTAR.DBF"), Productos(iva));
  LlenaSiVacia(datos, QStringLiteral("MOVINVEN.DBF"), MovimientosIniciales());
  LlenaSiVacia(datos, QStringLiteral("Kardex.dbf"), Kardex());
  LlenaSiVacia(datos, QStringLiteral("comovinv.dbf"), ConceptosMovimiento());
  LlenaSiVacia(datos, QStringLiteral("concepto.dbf"), ConceptosCuenta());
  LlenaSiVacia(datos, QStringLiteral("Descuento.DBF"), TiposPago());
}

}  // namespace

bool PreparaEmpresaDemo() {
  if (fs::Existe(kArchivoInicio)) return false;
  QString programa;
  CarpetaLocal(programa);
  const QString datos = CarpetaDatosDemo();
  for (const QString& carpeta : {programa, datos, kSucursalDemo, fs::CarpetaDe(kArchivoInicio)}) {
    if (!fs::CreaCarpeta(carpeta))
      throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo crear la carpeta %1").arg(carpeta));
  }

  const QString configuracion = ArchivoEmpresa(programa, QStringLiteral("1"));
  if (!fs::Existe(configuracion)) {
    QStringList lineas = ValoresInicialesConfiguracion();
    lineas[ConfCarpetaDatos - 1] = datos;
    lineas[ConfNombreEmpresa - 1] = kNombreEmpresaDemo;
    lineas[ConfFormatoVendedores - 1] = QStringLiteral("vendedor.fmt");
    EscribeConfiguracionEmpresa(configuracion, lineas);
  }
  LlenaTablas(programa, datos, DefinicionLinea(ConfIva)->Inicial());

  // The master copy in the data folder and the working copy the login
  // refreshes from it.
  const QByteArray usuarios = ArchivoUsuarios();
  EscribeSiFalta(fs::Une(datos, QStringLiteral("usuarios.def")), usuarios);
  EscribeSiFalta(fs::Une(programa, QStringLiteral("usuarios.def")), usuarios);
  EscribeSiFalta(fs::Une(datos, kArchivoMonedas), ArchivoMonedas());
  // The custom reports of the table browser's Reportes menu.
  const QString carpetaReportes = fs::Une(programa, QStringLiteral("report"));
  fs::CreaCarpeta(carpetaReportes);
  const QString reportes = fs::Une(carpetaReportes, QStringLiteral("reportes.sql"));
  if (!fs::Existe(reportes)) fs::ReescribeLineas(reportes, ReportesPersonalizados(datos));
  EscribeSiFalta(fs::Une(datos, QStringLiteral("pagos.cnf")), ListaTiposPago());
  // The index catalogue of the reindexing window, as "Lee indices" reads it.
  const QString catalogo = fs::Une(datos, kCatalogoIndices);
  if (!fs::Existe(catalogo)) fs::ReescribeLineas(catalogo, CatalogoDeCarpeta(datos));

  // A saved statement of the SQL report writer, in its Spanish words.
  const QString consulta = fs::Une(carpetaReportes, QStringLiteral("Clientes por nombre.sql"));
  if (!fs::Existe(consulta))
    fs::ReescribeLineas(consulta, {QStringLiteral("selecciona CLCLI_C,NOMBR_C,TELEF_C,SALDO_C"),
                                   QStringLiteral("desde \"") + fs::Une(datos, QStringLiteral("cliente.dbf")) + u'"',
                                   QStringLiteral("ordenar por NOMBR_C")});

  // The caller recorder's history of the day the company was made, for the
  // sale screen's "Ver Lista Telefónica": an unknown number, then a customer.
  const QString llamadas = QStringLiteral("C:\\SERIAL\\historial\\") + fs::Hoy().toString(QStringLiteral("yyyy-MM-dd")) +
                           QStringLiteral(".his");
  if (fs::CreaCarpeta(fs::CarpetaDe(llamadas)) && !fs::Existe(llamadas))
    fs::ReescribeLineas(llamadas, {QStringLiteral("3336159090,09:12"),
                                   QStringLiteral("3,10:41,Cocina Económica Doña Mary")});

  fs::ReescribeLineas(kArchivoInicio, {programa, configuracion, QString()});
  return true;
}

QString AvisoEmpresaDemo() {
  QString programa;
  CarpetaLocal(programa);
  const QString configuracion = ArchivoEmpresa(programa, QStringLiteral("1"));
  if (!fs::ExisteArchivo(configuracion)) return {};
  if (fs::LeeLinea(configuracion, ConfNombreEmpresa).value_or(QString()) != kNombreEmpresaDemo) return {};
  return QStringLiteral("Empresa 1, \"%1\": clave del administrador \"%2\", clave del cajero \"%3\".")
      .arg(kNombreEmpresaDemo, kClaveDemoAdministrador, kClaveDemoCajero);
}
