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
#include "reports/Vistas.h"
#include "shell/Campos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"
#include "shell/Moneda.h"
#include "tablas/TablasVorlan.h"

#include <QByteArray>
#include <QHash>
#include <QTime>
#include <QVariant>

#include <cmath>
#include <tuple>
#include <utility>
#include <vector>

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

// Appends the rows to a company table that has none, in its own folder; a
// table with rows is left as it is.
void LlenaSiVacia(const db::Carpetas& carpetas, const QString& archivo, const QVector<Fila>& filas) {
  db::Tabla tabla;
  tabla.SetNombreTabla(archivo);
  ApuntaTabla(tabla, carpetas);
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
                          const char* telefono, int dias, const char* vendedor, int lista, const char* zona,
                          double compras, double cargos, double abonos) {
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
                {"PREPR_C", lista},
                {"ZONAX_C", zona},
                {"COMPR_C", compras},
                {"CARGO_C", cargos},
                {"ABONO_C", abonos},
                {"SALDO_C", cargos - abonos}};
  };
  return {cliente("1", "PUBLICO EN GENERAL", "XAXX010101000", "", "", 0, "01", 1, "CENTRO", 48250.5, 0, 0),
          cliente("2", "Abarrotes La Esperanza", "ALE950612KJ3", "Av. Juárez 145", "33 3615 2040", 15, "02", 2,
                  "CENTRO", 15820.4, 6200, 2700),
          cliente("3", "Cocina Económica Doña Mary", "MAGM780304PL1", "Calle Hidalgo 88", "33 3826 1177", 0, "02", 1,
                  "NORTE", 7310, 1250, 1250),
          cliente("4", "Papelería El Estudiante", "PES010920RT5", "Av. Vallarta 2310", "33 3630 4512", 30, "03", 3,
                  "PONIENTE", 22460.75, 9800, 4300)};
}

// A saved query of the customer window's Consultas: the balances by zone,
// totalled, and the customers' view list naming it.
void VistaClientes(const QString& programa, const QString& datos) {
  const QString lista = fs::Une(datos, QStringLiteral("report\\Clientes.for"));
  if (fs::Existe(lista)) return;
  const QString vista = fs::Une(programa, QStringLiteral("report\\SaldosZona.vis"));
  EscribeVista(vista, {QStringLiteral("A.ZONAX_C,A.CLCLI_C,A.NOMBR_C,A.SALDO_C"), QStringLiteral("\\cliente.dbf\" as A "),
                       QStringLiteral("Zona,Cliente,Nombre,Saldo "), QStringLiteral("C,C,C,N "),
                       QStringLiteral("10,8,40,14,"), QStringLiteral("ZONAX_C,NOMBR_C,"),
                       QStringLiteral("N,N,N,totalizar,"), QStringLiteral("N,N,N,N,"), QString(),
                       QStringLiteral("Saldos de Clientes por Zona")});
  AgregaEntradaVista(lista, {vista, QStringLiteral("Saldos de los clientes por zona, con su total")});
}

// A saved query of the movement window's Reportes > "Consultas": the
// movement rows by product, the quantities totalled.
void VistaMovimientos(const QString& programa, const QString& datos) {
  const QString lista = fs::Une(datos, QStringLiteral("report\\movinven.for"));
  if (fs::Existe(lista)) return;
  const QString vista = fs::Une(programa, QStringLiteral("report\\MovimientosProducto.vis"));
  EscribeVista(vista, {QStringLiteral("A.CLPRO_MI,A.DESCR_MI,A.TIMOV_MI,A.CANTI_MI"),
                       QStringLiteral("\\movinven.dbf\" as A "), QStringLiteral("Producto,Descripción,Concepto,Cantidad "),
                       QStringLiteral("C,C,C,N "), QStringLiteral("12,40,8,14,"), QStringLiteral("CLPRO_MI,"),
                       QStringLiteral("N,N,N,totalizar,"), QStringLiteral("N,N,N,N,"), QString(),
                       QStringLiteral("Movimientos por Producto")});
  AgregaEntradaVista(lista, {vista, QStringLiteral("Los movimientos de cada producto, con el total de sus cantidades")});
}

// A saved query of the sale screen's Consultas: the remissions with their
// payment and total, and the invoices' view list naming it.
void VistaVentas(const QString& programa, const QString& datos) {
  const QString lista = fs::Une(datos, QStringLiteral("report\\facturae.for"));
  if (fs::Existe(lista)) return;
  const QString vista = fs::Une(programa, QStringLiteral("report\\Remisiones.vis"));
  EscribeVista(vista, {QStringLiteral("A.CLDOC_F,A.NOMBR_F,A.PAGOX_F,A.IMTOD_F"),
                       QStringLiteral("\\remision.dbf\" as A "), QStringLiteral("Documento,Cliente,Pago,Total "),
                       QStringLiteral("N,C,C,N "), QStringLiteral("10,40,20,14,"), QStringLiteral("CLDOC_F,"),
                       QStringLiteral("N,N,N,totalizar,"), QStringLiteral("N,N,N,N,"), QString(),
                       QStringLiteral("Remisiones")});
  AgregaEntradaVista(lista, {vista, QStringLiteral("Remisiones con su forma de pago y su total")});
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

// What the product window's reports read beyond prices and stock: the
// quantity and amount sold so far, units per package, and the receipts
// (quantity, days to expiry) the stock came in.
struct Historia {
  const char* clave;
  double vendido;
  double monto;
  double empaque;
  QVector<std::pair<double, int>> lotes;
};

const Historia kHistorias[] = {
    {"REF001", 36, 612, 24, {{30, 45}, {18, 120}}},
    {"AGU001", 50, 600, 12, {{24, 200}, {36, 365}}},
    {"ARR001", 12, 298.80, 0, {{40, 300}}},
    {"JAB001", 8, 148, 6, {}},
};

const Historia* HistoriaDe(const char* clave) {
  for (const Historia& h : kHistorias)
    if (qstrcmp(h.clave, clave) == 0) return &h;
  return nullptr;
}

// Two remissions of the day, sold from the stock counted in: each line's
// quantity and list-1 price; the day's tax rate on every line. The second
// is sold on credit: its account (the remission receivables) holds one
// payment on account and is due in the customer's credit days.
struct LineaRemision {
  const char* clave;
  double cantidad;
};
struct RemisionDemo {
  int numero;
  int control;
  QTime hora;
  const char* cliente;
  const char* nombre;
  const char* pago;
  double recibido;
  std::vector<LineaRemision> lineas;
  double aCuenta = 0;  // paid on account, for a credit sale
  int diasCredito = 0;
};
const char kPagoCredito[] = "Crédito";
const RemisionDemo kRemisiones[] = {
    {1, 42083, QTime(10, 6), "1", "PUBLICO EN GENERAL", "Efectivo", 200, {{"ARR001", 2}, {"ACE001", 1}}},
    {2, 48611, QTime(11, 40), "2", "Abarrotes La Esperanza", kPagoCredito, 0, {{"FRI001", 3}, {"JAB001", 1}}, 50, 15},
};

bool ACredito(const RemisionDemo& r) { return qstrcmp(r.pago, kPagoCredito) == 0; }

const Producto& ProductoDemo(const char* clave) {
  for (const Producto& p : kProductos)
    if (qstrcmp(p.clave, clave) == 0) return p;
  throw plat::Error(plat::Clase::NoExiste, QString::fromLatin1(clave));
}

// What the remissions sold of a product.
double VendidoDemo(const char* clave) {
  double vendido = 0;
  for (const RemisionDemo& r : kRemisiones)
    for (const LineaRemision& l : r.lineas)
      if (qstrcmp(l.clave, clave) == 0) vendido += l.cantidad;
  return vendido;
}

double Centavos(double valor) { return std::round(valor * 100) / 100; }

// The total of a remission, with the tax rate of the day.
double TotalRemision(const RemisionDemo& r, double iva) {
  double subtotal = 0;
  for (const LineaRemision& l : r.lineas) subtotal += l.cantidad * ProductoDemo(l.clave).precios[0];
  subtotal = Centavos(subtotal);
  return subtotal + Centavos(subtotal * iva / 100);
}

QVector<Fila> Remisiones(double iva) {
  QVector<Fila> filas;
  for (const RemisionDemo& r : kRemisiones) {
    double subtotal = 0, costo = 0;
    for (const LineaRemision& l : r.lineas) {
      subtotal += l.cantidad * ProductoDemo(l.clave).precios[0];
      costo += l.cantidad * ProductoDemo(l.clave).costo;
    }
    subtotal = Centavos(subtotal);
    const double impuesto = Centavos(subtotal * iva / 100);
    const double total = subtotal + impuesto;
    const double abonado = ACredito(r) ? r.aCuenta : total;
    const double momento = NumeroDeFecha(fs::Hoy()) + r.hora.msecsSinceStartOfDay() / 86400000.0;
    filas << Fila{{"CLDOC_F", r.numero},  {"CONTROL", r.control},   {"CLCLI_F", r.cliente},
                  {"NOMBR_F", QString::fromUtf8(r.nombre)},       {"CLVEN_F", "01"},
                  {"BCLIM_F", "1"},       {"IMIM1_F", iva},         {"DESFI_F", 0},
                  {"FEDOC_F", fs::Hoy()}, {"FEENT_F", fs::Hoy()},   {"FEVEN_F", fs::Hoy().addDays(r.diasCredito)},
                  {"HORAX_F", momento},   {"HORAF_F", momento},     {"SUBTO_F", subtotal},
                  {"IMIM2_F", impuesto},  {"IMTOD_F", total},       {"COSTO_F", costo},
                  {"DECOT_F", 0},         {"EXENT_F", 0},           {"CAMBI_F", r.recibido},
                  {"ABONO_F", abonado},   {"SALDO_F", total - abonado},
                  {"PAGOX_F", QString::fromUtf8(r.pago)},
                  {"NOMDI_F", "M.N."},    {"DIVIS_F", 1},           {"TREGI_F", "I"},
                  {"proceso", "N"}};
  }
  return filas;
}

QVector<Fila> PartidasRemisiones(double iva) {
  QVector<Fila> filas;
  QHash<QString, double> existencia;
  for (const Producto& p : kProductos) existencia[QString::fromLatin1(p.clave)] = p.existencia;
  for (const RemisionDemo& r : kRemisiones)
    for (const LineaRemision& l : r.lineas) {
      const Producto& p = ProductoDemo(l.clave);
      double& exist = existencia[QString::fromLatin1(l.clave)];
      filas << Fila{{"CLDOC_FD", QString::number(r.numero)},
                    {"CONTROL", r.control},
                    {"CLPRO_FD", l.clave},
                    {"DEPRO_FD", QString::fromUtf8(p.descripcion)},
                    {"UNIDA_FD", "PZA"},
                    {"CANTI_FD", l.cantidad},
                    {"PUNPR_FD", p.precios[0]},
                    {"PREDE_FD", p.precios[0]},
                    {"IMPOR_FD", l.cantidad * p.precios[0]},
                    {"COPRO_FD", p.costo},
                    {"PDES1_FD", 0},
                    {"PIVA1_FD", iva},
                    {"FEDOC_FD", fs::Hoy()},
                    {"FECHA", SelloFecha(fs::Hoy())},
                    {"PCOMI_FD", "1"},
                    {"HORAF_F", 1},
                    {"USUARIO", "1"},
                    {"INICIAL", exist},
                    {"FINAL", exist - l.cantidad}};
      exist -= l.cantidad;
    }
  return filas;
}

// A paid receipt of the first supplier, as the purchase window shows it
// when it opens, and an order of the second one still to be received: no
// stock or balance moves with them (the stock came in by the initial
// inventory).
struct CompraDemo {
  const char* encabezado;
  const char* partidas;
  int numero;
  int control;
  const char* proveedor;
  const char* nombre;
  const char* referencia;
  std::vector<std::pair<const char*, double>> lineas;  // product, quantity
  bool pagada;
};
const CompraDemo kCompras[] = {
    {"ComprasE.dbf", "ComprasD.dbf", 1, 31000, "1", "ABARROTERA DEL BAJIO SA DE CV", "A-1520",
     {{"ARR001", 12}, {"FRI001", 12}, {"ACE001", 6}}, true},
    {"OrdenCom.dbf", "OrdenDet.dbf", 1, 32000, "2", "EMBOTELLADORA DE OCCIDENTE SA", "",
     {{"REF001", 48}, {"AGU001", 24}}, false},
};

void LlenaCompras(const db::Carpetas& carpetas, double iva) {
  for (const CompraDemo& c : kCompras) {
    double subtotal = 0;
    QVector<Fila> partidas;
    for (const auto& [clave, cantidad] : c.lineas) {
      const Producto& p = ProductoDemo(clave);
      subtotal += cantidad * p.costo;
      partidas << Fila{{"CLDOC_OD", QString::number(c.numero)},
                       {"CONTROL", c.control},
                       {"CLPRO_OD", clave},
                       {"DESCR_OD", QString::fromUtf8(p.descripcion)},
                       {"CANTI_OD", cantidad},
                       {"CUNIT_OD", p.costo},
                       {"POIVA_OD", iva},
                       {"REFER_OD", c.referencia},
                       {"PROVE_OD", c.proveedor},
                       {"NALMA_OD", "1"},
                       {"FEDOC_OD", fs::Hoy()},
                       {"FECHA", SelloFecha(fs::Hoy())},
                       {"USUARIO", "0"}};
    }
    subtotal = Centavos(subtotal);
    const double impuesto = Centavos(subtotal * iva / 100);
    const double total = subtotal + impuesto;
    LlenaSiVacia(carpetas, QString::fromLatin1(c.encabezado),
                 {Fila{{"CLDOC_O", c.numero},   {"CONTROL", c.control},   {"CLPRV_O", c.proveedor},
                       {"NOMBR_O", QString::fromUtf8(c.nombre)},        {"FEDOC_O", fs::Hoy()},
                       {"FEREC_O", fs::Hoy()},  {"FEPAG_O", fs::Hoy()},   {"TIMPU_O", iva},
                       {"DTOTA_O", 0},          {"DFINT_O", 0},           {"REFER_O", c.referencia},
                       {"NALMA_O", "1"},        {"MONED_O", "M.N."},      {"SUBTO_O", subtotal},
                       {"IMPMO_O", impuesto},   {"IMDOC_O", total},       {"ABONO_O", c.pagada ? total : 0},
                       {"SALDO_O", c.pagada ? 0 : total},                 {"STDOC_O", c.pagada ? "G" : ""},
                       {"TREGI_O", "N"},        {"HORAF_F", 0},           {"USUARIO", "0"},
                       {"proceso", "G"}}});
    LlenaSiVacia(carpetas, QString::fromLatin1(c.partidas), partidas);
    // A receipt's payable account: its charge (concept 51) and, when paid,
    // its cash payment.
    if (QString::fromLatin1(c.encabezado) != QStringLiteral("ComprasE.dbf")) continue;
    const auto movimiento = [&](int concepto, const char* texto, const char* opera) {
      return Fila{{"NUCOM_CP", c.numero},          {"CLPRO_CP", c.proveedor},
                  {"NOMBR_CP", QString::fromUtf8(c.nombre)},
                  {"TIMOV_CP", concepto},           {"CONCE_CP", texto},
                  {"OPERA_CP", opera},              {"IMCUE_CP", total},
                  {*opera == 'A' ? "ABONO_CP" : "CARGO_CP", total},
                  {"FEAPL_CP", fs::Hoy()},          {"FEVEN_CP", fs::Hoy()},
                  {"NUDOC_CP", c.referencia}};
    };
    QVector<Fila> cuenta{movimiento(51, "Compra", "C")};
    if (c.pagada) cuenta << movimiento(7, "Efectivo", "A");
    cuenta.first() << Fila::value_type{"SALDO_CP", c.pagada ? 0 : total};
    LlenaSiVacia(carpetas, QStringLiteral("Cuepagar.DBF"), cuenta);
  }
}

// The account of each credit remission: its payment on account.
// A quotation for Registro > "Importar Cotización": the first remission's
// header and lines under the same number.
QVector<Fila> Cotizaciones(double iva) { return {Remisiones(iva).first()}; }

QVector<Fila> PartidasCotizaciones(double iva) {
  const QVariant numero = Remisiones(iva).first().first().second;
  QVector<Fila> filas;
  for (const Fila& f : PartidasRemisiones(iva))
    if (f.first().second.toString() == numero.toString()) filas << f;
  return filas;
}

QVector<Fila> CuentasRemisiones(double iva) {
  QVector<Fila> filas;
  for (const RemisionDemo& r : kRemisiones) {
    if (!ACredito(r)) continue;
    filas << Fila{{"NUFAC_CC", r.numero},
                  {"CONTROL", r.control},
                  {"CLCLI_CC", r.cliente},
                  {"NOMBR_CC", QString::fromUtf8(r.nombre)},
                  {"TIMOV_CC", "3"},
                  {"CONCE_CC", "Abono"},
                  {"OPERA_CC", "A"},
                  {"IMCUE_CC", r.aCuenta},
                  {"ABONO_CC", r.aCuenta},
                  {"SALDO_CC", TotalRemision(r, iva) - r.aCuenta},
                  {"FEAPL_CC", fs::Hoy()},
                  {"FEVEN_CC", fs::Hoy()},
                  {"NUDOC_CC", "REC-001"}};
  }
  return filas;
}

// The first supplier of a product: the one whose demo purchase lists it,
// so "Orden de Compra por Proveedor" finds its products.
const char* ProveedorDemo(const char* clave) {
  for (const CompraDemo& c : kCompras)
    for (const auto& linea : c.lineas)
      if (qstrcmp(linea.first, clave) == 0) return c.proveedor;
  return nullptr;
}

QVector<Fila> Productos(const QString& iva) {
  QVector<Fila> filas;
  for (const Producto& p : kProductos) {
    Fila fila{{"CLPRO_I", p.clave},         {"CODIG_I", p.codigo},
              {"DSCPR_I", QString::fromUtf8(p.descripcion)},
              {"UMEDI_I", "PZA"},           {"LIPRO_I", p.linea},
              {"FEALT_I", fs::Hoy()},       {"PIVA1_I", iva},
              {"ULCOS_I", p.costo},         {"CPROM_I", p.costo},
              {"PPUBL_I", p.precios[0]},    {"PLIS2_I", p.precios[1]},
              {"PLIS3_I", p.precios[2]},    {"STMIN_I", 5},
              {"STMAX_I", 100},             {"EXIST_I", p.existencia - VendidoDemo(p.clave)}};
    if (const char* proveedor = ProveedorDemo(p.clave)) fila << std::pair{"CLPR1_I", QVariant(proveedor)};
    if (const Historia* h = HistoriaDe(p.clave))
      fila << std::pair{"VANCA_I", QVariant(h->vendido)} << std::pair{"VANMO_I", QVariant(h->monto)}
           << std::pair{"UEMPA_I", QVariant(h->empaque)};
    filas << fila;
  }
  return filas;
}

// The stock came in by an initial-inventory document (concept 57), so the
// movement history and the per-product totals account for it as posting
// would; the remissions then took their quantities out of the stock and
// the totals, as a sale does without movement rows (the history was made
// before mi.cnf asked for them).
constexpr int kConceptoInventarioInicial = 57;

// Perishable products came in batches, each with its expiry text.
QVector<Fila> MovimientosIniciales() {
  QVector<Fila> filas;
  for (const Producto& p : kProductos) {
    const Historia* h = HistoriaDe(p.clave);
    const QVector<std::pair<double, int>> lotes =
        h && !h->lotes.isEmpty() ? h->lotes : QVector<std::pair<double, int>>{{p.existencia, -1}};
    for (const auto& [cantidad, dias] : lotes)
      filas << Fila{{"CLDOC_MI", 1},
                    {"TIMOV_MI", kConceptoInventarioInicial},
                    {"FEDOC_MI", fs::Hoy()},
                    {"REFMO_MI", "Inventario Inicial"},
                    {"NUDOC_MI", "M1"},
                    {"CLPRO_MI", p.clave},
                    {"DESCR_MI", QString::fromUtf8(p.descripcion)},
                    {"CANTI_MI", cantidad},
                    {"PUNIT_MI", p.costo},
                    {"COSUN_MI", p.costo},
                    {"NALMA_MI", 1},
                    {"USUARIO", "0"},
                    {"HORAF_F", 0},
                    {"CADUC_MI", dias < 0 ? QVariant() : QVariant(TextoFecha(fs::Hoy().addDays(dias)))},
                    {"FECHA", SelloFecha(fs::Hoy())}};
  }
  return filas;
}

QVector<Fila> Kardex() {
  QVector<Fila> filas;
  for (const Producto& p : kProductos)
    filas << Fila{{"CLPRO_I", p.clave},
                  {"ENTRA_I", p.existencia},
                  {"SALID_I", -VendidoDemo(p.clave)},
                  {"EXIST_I", p.existencia - VendidoDemo(p.clave)},
                  {"INVEN_I", p.existencia - VendidoDemo(p.clave)}};
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
      {10, "Nota de Crédito", "A"}, {11, "Ajuste", "C"},        {51, "Compra", "C"}};
  QVector<Fila> filas;
  for (const auto& [numero, nombre, tipo] : conceptos)
    filas << Fila{{"NUMOV_MO", numero}, {"CONCE_MO", QString::fromUtf8(nombre)}, {"TIPOO_MO", tipo}};
  return filas;
}

// Each line: the menu caption, "#", then the script with "#" between its
// lines: the SQL, then the column titles ("%": amounts without "$").
QStringList ReportesPersonalizados(const db::Carpetas& carpetas) {
  const auto tabla = [&carpetas](const char* archivo) { return TablaSQL(QString::fromLatin1(archivo), carpetas); };
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
  for (const char* tipo : {"Efectivo", "Tarjeta", "Cheque", kPagoCredito, "Transferencia", "T.CREDITO"})
    filas << Fila{{"TIPOPAGO", QString::fromUtf8(tipo)}};
  filas << Fila{{"TIPOPAGO", "Mayoreo"}, {"PRECIO", 2}} << Fila{{"TIPOPAGO", "Empleado"}, {"DESCUENTO", 5}};
  return filas;
}

// pagos.cnf as "Descuentos Tipo de Pago" writes it: the types of the table.
QByteArray ListaTiposPago() {
  QStringList tipos;
  for (const Fila& fila : TiposPago()) tipos << fila.front().second.toString();
  return fs::ACp1252(tipos.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// The classifications of cash vouchers and their concepts, each concept
// under its classification's key; Salidas.cnf lists the concepts as the
// concept window writes it.
QVector<Fila> ClasificacionesEfectivo() {
  return {Fila{{"CLAVE", "01"}, {"CLASIFICAC", QStringLiteral("Gastos de Operación")}},
          Fila{{"CLAVE", "02"}, {"CLASIFICAC", "Proveedores"}}, Fila{{"CLAVE", "03"}, {"CLASIFICAC", "Fondo de Caja"}}};
}
QVector<Fila> ConceptosEfectivo() {
  return {Fila{{"CLAVE", "01"}, {"CONCEPTO", "Gasolina"}}, Fila{{"CLAVE", "01"}, {"CONCEPTO", QStringLiteral("Papelería")}},
          Fila{{"CLAVE", "02"}, {"CONCEPTO", "Pago a Proveedor"}}, Fila{{"CLAVE", "03"}, {"CONCEPTO", "Cambio"}}};
}
QStringList ListaConceptosEfectivo() {
  QStringList lineas;
  for (const Fila& fila : ConceptosEfectivo())
    lineas << fila[0].second.toString() + QStringLiteral("  ") + fila[1].second.toString();
  return lineas;
}

// The field dictionary the program ships, every registered table of the
// company and of the program folder, then the demonstration rows.
void LlenaTablas(const db::Carpetas& carpetas, const QString& iva) {
  InstalaCampos(carpetas.programa);
  CreaTablasEmpresa(carpetas);
  CreaTablasEmpresa(db::Carpetas{kSucursalDemo, {}, {}, carpetas.programa});
  LlenaSiVacia(carpetas, QStringLiteral("CLIENTE.DBF"), Clientes());
  LlenaSiVacia(carpetas, QStringLiteral("VENDEDOR.DBF"), Vendedores());
  LlenaSiVacia(carpetas, QStringLiteral("PROVEEDO.DBF"), Proveedores());
  LlenaSiVacia(carpetas, QStringLiteral("ContProv.dbf"), ContactosProveedores());
  LlenaSiVacia(carpetas, QStringLiteral("INVENTAR.DBF"), Productos(iva));
  LlenaSiVacia(carpetas, QStringLiteral("MOVINVEN.DBF"), MovimientosIniciales());
  LlenaSiVacia(carpetas, QStringLiteral("Kardex.dbf"), Kardex());
  LlenaSiVacia(carpetas, QStringLiteral("comovinv.dbf"), ConceptosMovimiento());
  LlenaSiVacia(carpetas, QStringLiteral("concepto.dbf"), ConceptosCuenta());
  LlenaSiVacia(carpetas, QStringLiteral("Descuento.DBF"), TiposPago());
  LlenaSiVacia(carpetas, QStringLiteral("Remision.dbf"), Remisiones(iva.toDouble()));
  LlenaSiVacia(carpetas, QStringLiteral("RemisioD.dbf"), PartidasRemisiones(iva.toDouble()));
  LlenaSiVacia(carpetas, QStringLiteral("CucobrarRemision.DBF"), CuentasRemisiones(iva.toDouble()));
  LlenaSiVacia(carpetas, QStringLiteral("Cotizar.DBF"), Cotizaciones(iva.toDouble()));
  LlenaSiVacia(carpetas, QStringLiteral("CotizarD.dbf"), PartidasCotizaciones(iva.toDouble()));
  LlenaSiVacia(carpetas, QStringLiteral("Clasificacion.dbf"), ClasificacionesEfectivo());
  LlenaSiVacia(carpetas, QStringLiteral("Pagos.dbf"), ConceptosEfectivo());
  LlenaCompras(carpetas, iva.toDouble());
}

// What the movement window's imports read: the field maps, a counts file
// for "Importar Archivo Texto", document lines for "Importar Datos" (the
// import dialog's remembered file) and a collector reading for "2) Ordenar".
void ArchivosImportacion(const QString& programa) {
  const auto escribe = [&](const QString& nombre, const QStringList& lineas) {
    const QString ruta = fs::Une(programa, nombre);
    fs::CreaCarpeta(fs::CarpetaDe(ruta));
    if (!fs::Existe(ruta)) fs::ReescribeLineas(ruta, lineas);
  };
  const QString lineas = fs::Une(programa, QStringLiteral("importa\\lineas.txt"));
  escribe(QStringLiteral("CamposMI.dat"), {QStringLiteral("CANTIDAD,CLAVE")});
  escribe(QStringLiteral("importa\\conteo.txt"),
          {QStringLiteral("12\tARR001"), QStringLiteral("6\t750100110030"), QStringLiteral("24\tAGU001")});
  escribe(QStringLiteral("importa_fact.cnf"), {QStringLiteral("CLAVE"), QStringLiteral("CANTIDAD")});
  escribe(QStringLiteral("importa\\lineas.txt"),
          {QStringLiteral("FRI001,10,1"), QStringLiteral("REF001,24,1"), QStringLiteral("JAB001,12,2")});
  escribe(QStringLiteral("confi_importa.cnf"), {lineas});
  // The purchase window offers its discount list on entering "DESC 1".
  escribe(QStringLiteral("DescCompra.cnf"), {QStringLiteral("S")});
  escribe(QStringLiteral("DescentosCompra.cnf"),
          {QStringLiteral("PRONTO PAGO"), QStringLiteral("2"), QStringLiteral("VOLUMEN"), QStringLiteral("5"),
           QStringLiteral("PROMOCION"), QStringLiteral("10")});
  escribe(QStringLiteral("Colector\\45000.5_Form.dat"),
          {QStringLiteral("ARR001,30"), QStringLiteral("ACE001,12"), QStringLiteral("ARR001,8"),
           QStringLiteral("DET001,20")});
}

}  // namespace

bool PreparaEmpresaDemo() { return PreparaEmpresaDemo(QString(), QString()); }

bool PreparaEmpresaDemo(const QString& inventario, const QString& remisiones) {
  if (fs::Existe(kArchivoInicio)) return false;
  QString programa;
  CarpetaLocal(programa);
  const QString datos = CarpetaDatosDemo();
  const db::Carpetas carpetas{datos, inventario, remisiones, programa};
  for (const QString& carpeta :
       {programa, datos, inventario, remisiones, kSucursalDemo, fs::CarpetaDe(kArchivoInicio)}) {
    if (!carpeta.isEmpty() && !fs::CreaCarpeta(carpeta))
      throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo crear la carpeta %1").arg(carpeta));
  }

  const QString configuracion = ArchivoEmpresa(programa, QStringLiteral("1"));
  if (!fs::Existe(configuracion)) {
    QStringList lineas = ValoresInicialesConfiguracion();
    lineas[ConfCarpetaDatos - 1] = datos;
    lineas[ConfNombreEmpresa - 1] = kNombreEmpresaDemo;
    lineas[ConfFormatoClientes - 1] = QStringLiteral("clientes.fmt");
    lineas[ConfFormatoVendedores - 1] = QStringLiteral("vendedor.fmt");
    lineas[ConfFormatoCxCDetallada - 1] = QStringLiteral("cuenta.fmt");
    lineas[ConfFormatoCheque - 1] = QStringLiteral("recibo.fmt");
    // The purchase documents, printed and previewed from the purchase window.
    for (int linea : {ConfFormatoRecepcion, ConfFormatoOrdenCompra, ConfFormatoDevolucionCompra})
      lineas[linea - 1] = QStringLiteral("compra.fmt");
    // The sale screen's ticket, printed as text on the receipt printer.
    lineas[ConfFormatoRemision - 1] = QStringLiteral("ticket.fmt");
    // Each sale logged in its document's log, and a day's cash ceiling.
    lineas[ConfBitacora - 1] = QStringLiteral("S");
    lineas[ConfTotalAcumulado - 1] = QStringLiteral("20000");
    lineas[ConfCarpetaInventario - 1] = inventario;
    lineas[ConfCarpetaRemisiones - 1] = remisiones;
    EscribeConfiguracionEmpresa(configuracion, lineas);
  }
  LlenaTablas(carpetas, DefinicionLinea(ConfIva)->Inicial());

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
  if (!fs::Existe(reportes)) fs::ReescribeLineas(reportes, ReportesPersonalizados(carpetas));
  EscribeSiFalta(fs::Une(datos, QStringLiteral("pagos.cnf")), ListaTiposPago());
  const QString salidas = fs::Une(datos, QStringLiteral("Salidas.cnf"));
  if (!fs::Existe(salidas)) fs::ReescribeLineas(salidas, ListaConceptosEfectivo());
  // The sales saved from now on write their movement rows.
  EscribeSiFalta(fs::Une(programa, QStringLiteral("mi.cnf")), QByteArrayLiteral("con movimientos\r\n"));
  // "Modificar" shows on the sale screen.
  EscribeSiFalta(fs::Une(programa, QStringLiteral("mdf.cnf")), QByteArrayLiteral("pqzwvmtnxbc7k52hsdl\r\n"));
  VistaClientes(programa, datos);
  VistaMovimientos(programa, datos);
  VistaVentas(programa, datos);
  // The index catalogue of the reindexing window, as "Lee indices" reads it.
  const QString catalogo = fs::Une(datos, kCatalogoIndices);
  if (!fs::Existe(catalogo)) fs::ReescribeLineas(catalogo, CatalogoDeCarpeta(datos));

  // A saved statement of the SQL report writer, in its Spanish words.
  const QString consulta = fs::Une(carpetaReportes, QStringLiteral("Clientes por nombre.sql"));
  if (!fs::Existe(consulta))
    fs::ReescribeLineas(consulta, {QStringLiteral("selecciona CLCLI_C,NOMBR_C,TELEF_C,SALDO_C"),
                                   QStringLiteral("desde ") + TablaSQL(QStringLiteral("cliente.dbf"), carpetas),
                                   QStringLiteral("ordenar por NOMBR_C")});

  ArchivosImportacion(programa);
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
