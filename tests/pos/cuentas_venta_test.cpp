// The customer side of a sale: the customer's balance raised by an invoice,
// the counter sale settled at once in the remission accounts (every write
// through the save's writer), the rows a cancelled remission removes and
// leaves, two stations settling and raising balances at once, and the
// sale screen's "CxC" item.

#include "customers/CucobraRemision.h"
#include "customers/cxcdRemision.h"
#include "platform/ui/Forma.h"
#include "pos/CuentasVenta.h"
#include "shell/Concep.h"
#include "support/Maneja.h"
#include "support/Proceso.h"
#include "venta_prueba.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>

#include <memory>

namespace {

// A writer that records each write (kind and table) and makes it at once.
class Grabadora : public EscrituraVenta {
 public:
  void Agrega(db::Tabla& tabla, const ValoresFila& valores) override {
    escrituras << "Agrega " + tabla.NombreTabla();
    directa_.Agrega(tabla, valores);
  }
  void Cambia(db::Tabla& tabla, const std::function<ValoresFila(const db::Dataset&)>& calcula) override {
    escrituras << "Cambia " + tabla.NombreTabla();
    directa_.Cambia(tabla, calcula);
  }
  void Borra(db::Tabla& tabla) override {
    escrituras << "Borra " + tabla.NombreTabla();
    directa_.Borra(tabla);
  }
  QStringList escrituras;

 private:
  EscrituraDirecta directa_;
};

class CuentasVenta : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    EscribeLineas(fs::Une(kDatos, "pagos.cnf"), {"Efectivo", "Crédito", "Tarjeta", "Cheque"});
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "1"}, {"NOMBR_C", "PUBLICO EN GENERAL"}});
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "20"}, {"NOMBR_C", "FERRETERIA LUNA"}, {"SALDO_C", "50"},
                               {"COMPR_C", "70"}});
  }

  static db::Tabla& Abierta(db::Tabla& t, const QString& archivo, const QString& carpeta = kDatos) {
    t.SetCarpeta(carpeta);
    t.SetNombreTabla(archivo);
    t.Open();
    return t;
  }

  // The fields of every row of a table, each row as "A|B|...".
  static QStringList Filas(const QString& archivo, const QStringList& campos) {
    db::Tabla t;
    Abierta(t, archivo);
    QStringList filas;
    for (t.First(); !t.Eof(); t.Next()) {
      QStringList valores;
      for (const QString& c : campos) valores << t.FieldByName(c).AsString();
      filas << valores.join(u'|');
    }
    return filas;
  }

  // A remission with one line of the amount, so that showing it keeps its
  // total.
  static void Venta(int numero, int control, const QString& cliente, const QString& total, const QString& pago,
                    QMap<QString, QString> campos = {}) {
    campos.insert({{"CONTROL", QString::number(control)}, {"CLCLI_F", cliente}, {"IMTOD_F", total},
                   {"SUBTO_F", total}, {"PAGOX_F", pago}, {"IMIM1_F", "0"}});
    AgregaRemision(numero, campos);
    AgregaFila("RemisioD.dbf", {{"CLDOC_FD", QString::number(numero)}, {"CONTROL", QString::number(control)},
                                {"CLPRO_FD", "P1"}, {"DEPRO_FD", "PRODUCTO"}, {"CANTI_FD", "1"},
                                {"PUNPR_FD", total}, {"PREDE_FD", total}, {"IMPOR_FD", total}, {"PIVA1_FD", "0"}});
  }

  static void Cuenta(int numero, int control, const QString& concepto, const QString& importe) {
    AgregaFila("CucobrarRemision.DBF", {{"NUFAC_CC", QString::number(numero)}, {"CONTROL", QString::number(control)},
                                        {"TIMOV_CC", concepto}, {"OPERA_CC", "A"}, {"IMCUE_CC", importe}});
  }
};

// An invoice raises the balance by the subtotal with tax; a changed one by
// the difference from its previous total; an unknown key changes nothing.
TEST_F(CuentasVenta, LaFacturaSubeElSaldoDelCliente) {
  db::Tabla clientes;
  Abierta(clientes, "CLIENTE.DBF");
  Grabadora escritura;
  cuentas::SaldoVenta venta{"20", Dinero(100), 16, QDate(2010, 3, 4), Dinero()};
  EXPECT_EQ(cuentas::ActualizaSaldoCliente(escritura, clientes, venta), Dinero(116));
  EXPECT_EQ(Filas("CLIENTE.DBF", {"CLCLI_C", "SALDO_C", "COMPR_C", "FULCO_C"}),
            (QStringList{"1|||", "20|166|186|04/03/2010"}));

  venta.subtotal = Dinero(200);
  venta.totalAnterior = Dinero(116);
  EXPECT_EQ(cuentas::ActualizaSaldoCliente(escritura, clientes, venta), Dinero(232));
  EXPECT_EQ(Filas("CLIENTE.DBF", {"SALDO_C", "COMPR_C"}), (QStringList{"|", "282|302"}));
  EXPECT_EQ(escritura.escrituras, (QStringList{"Cambia CLIENTE.DBF", "Cambia CLIENTE.DBF"}));

  venta.cliente = "99";
  EXPECT_EQ(cuentas::ActualizaSaldoCliente(escritura, clientes, venta), Dinero(200));
  EXPECT_EQ(escritura.escrituras.size(), 2);
  EXPECT_EQ(Filas("CLIENTE.DBF", {"SALDO_C"}), (QStringList{"", "282"}));
}

// Lines 96 and 99 "S": the counter sale on screen is settled by one cash
// row and its header paid in full; another customer's sale writes nothing.
TEST_F(CuentasVenta, LaVentaDeMostradorQuedaPagadaAlGuardar) {
  FijaLinea(ConfCxCRemisiones, "S");
  FijaLinea(ConfPagarCxCMostrador, "S");
  Venta(56, 1111, "20", "80", "Efectivo");
  Venta(57, 4321, "1", "232.5", "Efectivo");
  Abre("1", [](TFormaCapturaRapida& p) {
    ASSERT_EQ(p.EditCLDOC_F->text(), "57");
    Grabadora escritura;
    p.AbonaContadoMostrador(escritura);
    EXPECT_EQ(escritura.escrituras, (QStringList{"Agrega CucobrarRemision.DBF", "Cambia Remision.dbf"}));
    EXPECT_EQ(p.TablaFacturae->FieldByName("SALDO_F").AsString(), "0");
    EXPECT_EQ(p.TablaFacturae->FieldByName("ABONO_F").AsString(), "232.5");

    // The sale of another customer.
    p.TablaFacturae->Prior();
    p.MuestraDocumento();
    ASSERT_EQ(p.EditCLDOC_F->text(), "56");
    Grabadora otra;
    p.AbonaContadoMostrador(otra);
    EXPECT_TRUE(otra.escrituras.isEmpty());
  });
  EXPECT_EQ(Filas("CucobrarRemision.DBF", {"NUFAC_CC", "CONCE_CC", "TIMOV_CC", "OPERA_CC", "IMCUE_CC", "ABONO_CC",
                                           "CARGO_CC", "CONTROL", "CLCLI_CC", "FEAPL_CC", "FEVEN_CC"}),
            QStringList{"57|Efectivo Contado 57|7|A|232.5|232.5||4321|1|05/03/2010|05/03/2010"});
  EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F", "ABONO_F"}), (QStringList{"56|", "57|232.5"}));
  EXPECT_EQ(Mensajes(), QStringList());
}

// Cancelling: the rows of the document go, those of another document with
// its number stay; a cash or card sale leaves its return row, stamped with
// the cut in course; a cheque leaves none.
TEST_F(CuentasVenta, CancelarQuitaSusCuentasYDejaLaDevolucion) {
  Cuenta(57, 4321, "7", "232.5");
  Cuenta(57, 4321, "3", "10");
  Cuenta(57, 9999, "3", "40");
  Cuenta(58, 4321, "3", "5");
  AgregaFila("Cortes.DBF", {{"CORTE", "3"}, {"INICIO", "1"}, {"FIN", "50"}});
  Grabadora escritura;
  EXPECT_EQ(cuentas::BorraCuentaCobrarDocumento(escritura, kDatos, 57, "4321"), 2);
  EXPECT_EQ(Filas("CucobrarRemision.DBF", {"NUFAC_CC", "CONTROL"}), (QStringList{"57|9999", "58|4321"}));

  cuentas::VentaCuenta venta{57, "4321", Dinero::DeTexto("232.5"), "1", "Cheque"};
  EXPECT_FALSE(cuentas::DevolucionCuentaCobrar(escritura, kDatos, kDatos, venta, true));
  venta.tipoPago = "Tarjeta";
  EXPECT_TRUE(cuentas::DevolucionCuentaCobrar(escritura, kDatos, kDatos, venta, true));
  EXPECT_EQ(escritura.escrituras,
            (QStringList{"Borra CucobrarRemision.DBF", "Borra CucobrarRemision.DBF", "Agrega CucobrarRemision.DBF"}));
  EXPECT_EQ(Filas("CucobrarRemision.DBF", {"NUFAC_CC", "CONCE_CC", "TIMOV_CC", "IMCUE_CC", "CARGO_CC", "ABONO_CC",
                                           "OPERA_CC", "CONTROL", "CORTE", "FEAPL_CC"})
                .last(),
            "57|Devolucion 57|12|-232.5|-232.5||||3|05/03/2010");
}

// Another station: `n` counter sales from number `desde` settled, each
// raising customer 20's balance by 10.
RUTINA_HIJA(VendeAlMostrador) {
  const qint64 desde = argumentos.value(0).toLongLong();
  const int n = argumentos.value(1).toInt();
  db::Tabla encabezados, clientes;
  encabezados.SetCarpeta(kDatos);
  encabezados.SetNombreTabla("Remision.dbf");
  encabezados.Open();
  clientes.SetCarpeta(kDatos);
  clientes.SetNombreTabla("CLIENTE.DBF");
  clientes.Open();
  // As the sale screen's shared tables.
  EsperaBloqueos(encabezados);
  EsperaBloqueos(clientes);
  EscrituraDirecta escritura;
  prueba::AvisaPadre("LISTO");
  prueba::EsperaPadre();
  for (qint64 numero = desde; numero < desde + n; ++numero) {
    encabezados.Append();
    encabezados.FieldByName("CLDOC_F").SetAsInteger(numero);
    encabezados.FieldByName("IMTOD_F").SetAsFloat(10);
    encabezados.Post();
    cuentas::AbonaContadoMostrador(escritura, kDatos, encabezados, {numero, "1", Dinero(10), "1", "Efectivo"}, true);
    cuentas::ActualizaSaldoCliente(escritura, clientes, {"20", Dinero(10), 0, QDate(2010, 3, 5), Dinero()});
  }
  return 0;
}

TEST_F(CuentasVenta, DosEstacionesGuardanAlMismoTiempo) {
  constexpr int kVentas = 40;
  prueba::ProcesoHijo una("VendeAlMostrador", {"1000", QString::number(kVentas)});
  prueba::ProcesoHijo otra("VendeAlMostrador", {"2000", QString::number(kVentas)});
  ASSERT_EQ(una.EsperaLinea(), "LISTO");
  ASSERT_EQ(otra.EsperaLinea(), "LISTO");
  una.Envia("");
  otra.Envia("");
  ASSERT_EQ(una.Espera(), 0);
  ASSERT_EQ(otra.Espera(), 0);

  QStringList numeros = Filas("CucobrarRemision.DBF", {"NUFAC_CC"});
  numeros.sort();
  QStringList esperados;
  for (int base : {1000, 2000})
    for (int i = 0; i < kVentas; ++i) esperados << QString::number(base + i);
  EXPECT_EQ(numeros, esperados);
  EXPECT_EQ(Filas("CLIENTE.DBF", {"SALDO_C"}).last(), QString::number(50 + 2 * kVentas * 10));
  EXPECT_FALSE(Filas("Remision.dbf", {"SALDO_F"}).contains(QString()));
}

// "CxC": a credit sale opens its account; paid there in full, the screen
// shows it paid. A cash sale with line 96 "N" opens nothing.
TEST_F(CuentasVenta, CxCAbreLaCuentaDeUnaVentaACredito) {
  auto conceptos = std::make_unique<TFormaConceptos>();
  AgregaFila("concepto.dbf", {{"NUMOV_MO", "3"}, {"CONCE_MO", "Abono"}, {"TIPOO_MO", "A"}});
  Venta(60, 700, "20", "90", "Efectivo");
  Venta(61, 800, "20", "150", "Crédito", {{"FEVEN_F", "20/03/2010"}});
  bool cuenta = false;
  Abre("1", [&cuenta](TFormaCapturaRapida& p) {
    ASSERT_EQ(p.TipoPago->currentText(), "Crédito");
    QAction* cxc = p.MainMenu1->findChild<QAction*>("CxC1");
    ASSERT_TRUE(cxc->isEnabled());
    ui::PuertaModal::Espera("TFormaRemCxCDetalle", [&cuenta](QDialog& d) {
      auto& c = static_cast<TFormaRemCxCDetalle&>(d);
      cuenta = true;
      EXPECT_EQ(c.Factura->text(), "61");
      EXPECT_EQ(c.Usuario->text(), "1");
      EXPECT_EQ(c.Estado->text(), "Deudor");
      ui::PuertaModal::Espera("TFormaRemCuCobra", [](QDialog& e) {
        prueba::Reescribe(static_cast<TFormaRemCuCobra&>(e).EditTIMOV_CC, "3");
        prueba::Tecla(e, "EditTIMOV_CC", Qt::Key_Return);
        prueba::Reescribe(static_cast<TFormaRemCuCobra&>(e).EditIMCUE_CC, "150");
        prueba::Pulsa(e, "BotonSi");
      });
      prueba::Tecla(d, "", Qt::Key_F9);
      EXPECT_EQ(c.Estado->text(), "Saldada");
    });
    cxc->trigger();
    EXPECT_EQ(p.Estado->text(), "Pagada");

    p.TablaFacturae->Prior();
    p.MuestraDocumento();
    ASSERT_EQ(p.TipoPago->currentText(), "Efectivo");
    cxc->trigger();
  });
  EXPECT_TRUE(cuenta);
  EXPECT_EQ(ui::PuertaModal::SinRespuesta(), QStringList());
  EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F", "STATU_F"}), (QStringList{"60|", "61|G"}));
  EXPECT_EQ(Mensajes(), QStringList());
}

}  // namespace
