// The accounts payable as a user keeps them: the supplier's receipts and
// totals reached from the catalogue's "Saldo...", by currency and balance;
// bulk payment, also by two stations at once; the account of one receipt
// with its balance, state and due state; movements typed into its grid or
// through the movement editor; the printed statement and the preview.

#include "compras_prueba.h"
#include "customers/CuentasCobrar.h"
#include "customers/ImpresionCatalogo.h"
#include "foundation/advierte.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Colores.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "purchasing/ConsultaCuePagar.h"
#include "purchasing/CxPDetalle.h"
#include "purchasing/MovimientoCxP.h"
#include "reports/ImpresionRenglones.h"
#include "shell/Concep.h"
#include "shell/Moneda.h"
#include "support/ImpresionPrueba.h"
#include "support/Maneja.h"
#include "support/Proceso.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QThread>

namespace {

using prueba::Pulsa;
using prueba::Tecla;
using prueba::Teclea;

void Agrega(const QString& archivo, const QStringList& campos, const QList<QStringList>& filas) {
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla(archivo);
  t.Open();
  for (const QStringList& fila : filas) {
    t.Append();
    for (int i = 0; i < campos.size(); ++i)
      if (!fila.value(i).isEmpty()) t.FieldByName(campos[i]).SetAsString(fila.value(i));
    t.Post();
  }
}

// A purchase receipt of the supplier: its total and balance; status and
// currency are left blank unless given.
void Compra(int numero, const QString& proveedor, const QString& importe, const QString& saldo,
            const QString& estado = {}, const QString& moneda = {}) {
  const QString abono = QString::number(importe.toDouble() - saldo.toDouble());
  Agrega("COMPRASE.DBF", {"CLDOC_O", "CLPRV_O", "NOMBR_O", "IMDOC_O", "ABONO_O", "SALDO_O", "STDOC_O", "MONED_O", "FEDOC_O"},
         {{QString::number(numero), proveedor, "PROVEEDOR " + proveedor, importe, abono, saldo, estado, moneda,
           "01/01/2027"}});
}

// A movement of a receipt's account.
void Movimiento(int numero, const QString& concepto, const QString& opera, const QString& importe,
                const QString& aplica = "01/01/2027", const QString& vence = "28/02/2027") {
  const QString columna = opera == "A" ? "ABONO_CP" : "CARGO_CP";
  Agrega("CUEPAGAR.DBF", {"NUCOM_CP", "CLPRO_CP", "TIMOV_CP", "OPERA_CP", "IMCUE_CP", columna, "FEAPL_CP", "FEVEN_CP"},
         {{QString::number(numero), "S", concepto, opera, importe, importe, aplica, vence}});
}

// Fields of every row of a table, "|"-joined, in physical order.
QStringList Filas(const QString& archivo, const QStringList& campos) {
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla(archivo);
  t.Open();
  QStringList filas;
  for (t.First(); !t.Eof(); t.Next()) {
    QStringList valores;
    for (const QString& c : campos) valores << t.FieldByName(c).AsString();
    filas << valores.join(u'|');
  }
  return filas;
}

const QStringList kCamposPago{"NUCOM_CP", "CLPRO_CP", "NOMBR_CP", "TIMOV_CP", "OPERA_CP", "CONCE_CP",
                              "IMCUE_CP", "ABONO_CP", "FEAPL_CP", "FEVEN_CP"};

// The receipt numbers the query's list shows.
QStringList Lista(TFormaConsultaCuePagar& consulta) {
  QStringList numeros;
  db::Tabla& t = *consulta.TablaCompras;
  for (t.First(); !t.Eof(); t.Next()) numeros << t.FieldByName("CLDOC_O").AsString();
  EXPECT_EQ(consulta.Detalle2->model()->rowCount(), numeros.size());
  return numeros;
}

QString Totales(const TFormaConsultaCuePagar& consulta) {
  return consulta.Cargos->text() + u'|' + consulta.Abonos->text() + u'|' + consulta.Saldo->text();
}

void RespondeAdvertencia(bool si, QString* pregunta = nullptr) {
  ui::PuertaModal::Espera("TFormaAdvertencia", [si, pregunta](QDialog& d) {
    if (pregunta) *pregunta = static_cast<TFormaAdvertencia&>(d).Label1->text();
    Pulsa(d, si ? "BitBtn1" : "BitBtn2");
  });
}

class CuentasPagar : public ComprasPrueba {
 protected:
  void SetUp() override {
    ComprasPrueba::SetUp();
    fs::FijaAhora(QDateTime(QDate(2027, 3, 1), QTime(10, 0)));
    Agrega("concepto.dbf", {"NUMOV_MO", "CONCE_MO", "TIPOO_MO"},
           {{"2", "Cargo", "C"}, {"3", "Abono", "A"}, {"7", "Efectivo", "A"}, {"51", "Compra", "C"}});
    conceptos_ = std::make_unique<TFormaConceptos>();
    AgregaProveedor("S", "SURTIDORA DEL NORTE");
    AgregaProveedor("T", "TORNILLOS DEL SUR");
  }

  void TearDown() override {
    consulta_.reset();
    conceptos_.reset();
    ComprasPrueba::TearDown();
  }

  TFormaConsultaCuePagar& Consulta() {
    consulta_ = std::make_unique<TFormaConsultaCuePagar>();
    consulta_->Show();
    consulta_->PosicionaCuentaProveedor("S");
    return *consulta_;
  }

  std::unique_ptr<TFormaConceptos> conceptos_;
  std::unique_ptr<TFormaConsultaCuePagar> consulta_;
};

// From the catalogue's "Saldo..." (right 7): the live receipts of the
// supplier with a balance, blank status and currency counting as live and
// national; the totals shown and stored follow the view.
TEST_F(CuentasPagar, ElSaldoDelProveedorSigueLaVistaDeSusCompras) {
  Compra(1, "S", "1000", "600");
  Compra(2, "S", "500", "500");
  Compra(3, "S", "300", "300", "C");
  Compra(4, "S", "200", "0");
  Compra(5, "T", "999", "999");
  Compra(6, "S", "50", "50", {}, "DOLAR");

  TFormaProveedo& catalogo = Ventana("0");
  ASSERT_TRUE(catalogo.TablaProveedor->Locate("CLAVE_P", {"S"}));
  Pulsa(catalogo, "Saldo");
  TFormaConsultaCuePagar* consulta = FormaConsultaCuePagar();
  ASSERT_NE(consulta, nullptr);
  EXPECT_TRUE(consulta->isVisible());
  EXPECT_EQ(consulta->Nombre->text(), "Nombre:  SURTIDORA DEL NORTE");
  EXPECT_EQ(Lista(*consulta), (QStringList{"1", "2"}));
  EXPECT_EQ(Totales(*consulta), "Cargos :   $      1,500.00|Abonos : - $        400.00|Saldo  :   $      1,100.00");
  const QStringList totales{"CLAVE_P", "CARGO_P", "ABONO_P", "SALDO_P"};
  EXPECT_EQ(Filas("PROVEEDO.DBF", totales), (QStringList{"S|1500|400|1100", "T|||0"}));

  // Paid receipts count again without "Solo con Saldo".
  consulta->SoloconSaldo1->trigger();
  EXPECT_EQ(Lista(*consulta), (QStringList{"1", "2", "4"}));
  EXPECT_EQ(Filas("PROVEEDO.DBF", totales).first(), "S|1700|600|1100");
  consulta->SoloconSaldo1->trigger();

  // Another currency lists its own receipts only; a quote in the name is a
  // name like any other.
  consulta->editDIVIO_CP->setEditText("DOLAR");
  EXPECT_EQ(Lista(*consulta), QStringList{"6"});
  consulta->editDIVIO_CP->setEditText("O'HARA");
  EXPECT_EQ(Lista(*consulta), QStringList());
  EXPECT_EQ(Totales(*consulta), "Cargos :   $          0.00|Abonos : - $          0.00|Saldo  :   $          0.00");
  EXPECT_EQ(Filas("PROVEEDO.DBF", totales).first(), "S|0|0|0");
  consulta->editDIVIO_CP->setEditText("M.N.");
  EXPECT_EQ(Lista(*consulta), (QStringList{"1", "2"}));
  EXPECT_EQ(Mensajes(), QStringList());

  // The navigator moves to the next supplier.
  consulta->DBNavigator1->Pulsa(ui::Navegador::Siguiente);
  EXPECT_EQ(Lista(*consulta), QStringList{"5"});
  EXPECT_EQ(Filas("PROVEEDO.DBF", totales).last(), "T|999|0|999");
}

// Enter on a receipt opens its account; "Buscar" finds a supplier by key;
// the currency box offers the names of moneda.vrl.
TEST_F(CuentasPagar, DeLaListaALaCuentaYAOtroProveedor) {
  Compra(1, "S", "1000", "600");
  Compra(2, "T", "70", "70", {}, "DOLAR");
  Movimiento(1, "51", "C", "1000");
  Movimiento(1, "7", "A", "400");
  QByteArray monedas;
  for (const char* nombre : {"M.N.", "DOLAR", ""}) {
    TRegistroMoneda m;
    m.Campos[MonedaDivisa] = QString::fromLatin1(nombre);
    monedas += m.ABytes();
  }
  EscribeBytes(fs::Une(kDatos, kArchivoMonedas), monedas);
  TFormaConsultaCuePagar& consulta = Consulta();

  QString cuenta;
  ui::PuertaModal::Espera("TFormaCxPDetalle", [&cuenta](QDialog& d) {
    auto& v = static_cast<TFormaCxPDetalle&>(d);
    cuenta = v.Factura->text() + u'|' + v.SaldoE->text() + u'|' + v.Estado->text();
  });
  consulta.Detalle2->setFocus();
  Tecla(consulta, "Detalle2", Qt::Key_Return);
  EXPECT_EQ(cuenta, "1|$        600.00|Deudor");

  ui::PuertaModal::Espera("TFormaBusqueda", [](QDialog& b) {
    Teclea(b, "CajaBuscar", "T");
    Pulsa(b, "BotonAceptar");
  });
  consulta.Buscar1->trigger();
  EXPECT_EQ(consulta.windowTitle(), "Consulta Cobranza Ordenado por Clave");
  EXPECT_EQ(consulta.Nombre->text(), "Nombre:  TORNILLOS DEL SUR");
  EXPECT_EQ(Lista(consulta), QStringList());

  consulta.editDIVIO_CP->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(consulta.editDIVIO_CP->count(), 2);
  EXPECT_EQ(consulta.editDIVIO_CP->itemText(1), "DOLAR");
  consulta.editDIVIO_CP->setCurrentIndex(1);
  EXPECT_EQ(Lista(consulta), QStringList{"2"});
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(CuentasPagar, SinElDerechoSieteNoSeVeElSaldo) {
  const QByteArray usuarios =
      ArchivoUsuarios({{"adm", DerechosSin({})}, {"caja", DerechosSin({DerechoCuentasPorPagar})}});
  EscribeBytes(fs::Une(kDatos, "usuarios.def"), usuarios);
  EscribeBytes(fs::Une(kPrograma, "usuarios.def"), usuarios);
  TFormaProveedo& catalogo = Ventana("1");
  Pulsa(catalogo, "Saldo");
  EXPECT_EQ(Mensajes(), QStringList{kSinAcceso});
  EXPECT_TRUE(!FormaConsultaCuePagar() || !FormaConsultaCuePagar()->isVisible());
}

// The filters the list is built from: blank status and currency are live
// and national, the currency name's quotes are doubled.
TEST_F(CuentasPagar, ElFiltroDeComprasConservaLosBlancos) {
  EXPECT_EQ(FiltroComprasProveedor(true, "M.N."),
            "(STDOC_O <>'C' and SALDO_O>0.01) and (MONED_O='M.N.' OR MONED_O='')");
  EXPECT_EQ(FiltroComprasProveedor(false, "O'HARA"), "(STDOC_O <>'C') and MONED_O='O''HARA'");
}

// Bulk payment: a receipt listed once, however often it is added; nothing
// without confirmation or with an empty list; each listed receipt paid in
// cash for its balance and marked paid.
TEST_F(CuentasPagar, ElPagoMasivoPagaCadaCompraListadaUnaVez) {
  Compra(1, "S", "1000", "600");
  Compra(2, "S", "500", "500");
  Compra(3, "S", "80", "80");
  TFormaConsultaCuePagar& consulta = Consulta();
  consulta.PagoMasivo1->trigger();
  EXPECT_FALSE(consulta.ListBoxPagos->isHidden());

  QString pregunta;
  RespondeAdvertencia(true, &pregunta);
  consulta.Aplicar1->trigger();
  EXPECT_EQ(pregunta, "Esta Seguro de Aplicar los PAGOS ?");
  EXPECT_EQ(Filas("CUEPAGAR.DBF", kCamposPago), QStringList());

  ASSERT_TRUE(consulta.TablaCompras->Locate("CLDOC_O", {1}));
  Pulsa(consulta, "BitBtn2");
  Pulsa(consulta, "BitBtn2");
  EXPECT_EQ(consulta.ListBoxPagos->count(), 1);
  EXPECT_EQ(consulta.LabelTotal->text(), "600.00");
  ASSERT_TRUE(consulta.TablaCompras->Locate("CLDOC_O", {2}));
  consulta.Agregar1->trigger();
  EXPECT_EQ(consulta.LabelTotal->text(), "1,100.00");

  RespondeAdvertencia(false);
  Pulsa(consulta, "BitBtn3");
  EXPECT_EQ(Filas("CUEPAGAR.DBF", kCamposPago), QStringList());

  RespondeAdvertencia(true);
  Pulsa(consulta, "BitBtn3");
  EXPECT_EQ(Mensajes(), (QStringList{"Aplicara pagos a 1", "Aplicara pagos a 2"}));
  EXPECT_EQ(Filas("CUEPAGAR.DBF", kCamposPago),
            (QStringList{"1|S|SURTIDORA DEL NORTE|7|A|Efectivo|600|600|01/03/2027|01/03/2027",
                         "2|S|SURTIDORA DEL NORTE|7|A|Efectivo|500|500|01/03/2027|01/03/2027"}));
  EXPECT_EQ(Filas("COMPRASE.DBF", {"CLDOC_O", "ABONO_O", "SALDO_O"}), (QStringList{"1|1000|0", "2|500|0", "3|0|80"}));

  // Shown again, the supplier owes the receipt left.
  consulta.PosicionaCuentaProveedor("S");
  EXPECT_EQ(Lista(consulta), QStringList{"3"});
  EXPECT_EQ(Filas("PROVEEDO.DBF", {"SALDO_P"}).first(), "80");
}

// A station paying receipt 1 of supplier S in bulk, when its parent says.
RUTINA_HIJA(PagoMasivo) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char nombre[] = "estacion";
  char* argv[] = {nombre, nullptr};
  ui::Aplicacion aplicacion(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  TFormaConsultaCuePagar consulta;
  consulta.Show();
  consulta.PosicionaCuentaProveedor("S");
  if (!consulta.TablaCompras->Locate("CLDOC_O", {1})) return 2;
  consulta.Agregar1->trigger();
  prueba::AvisaPadre("LISTO");
  prueba::EsperaPadre();
  ui::PuertaModal::Espera("TFormaAdvertencia", [](QDialog& d) { Pulsa(d, "BitBtn1"); });
  consulta.Aplicar1->trigger();
  prueba::AvisaPadre("TERMINADO");
  return 0;
}

// Two stations pay one receipt at once: it is paid once. Both wait on the
// receipt this test holds, and take it one after the other.
TEST_F(CuentasPagar, DosEstacionesPaganUnaCompraUnaSolaVez) {
  Compra(1, "S", "600", "600");
  db::Tabla retenida;
  retenida.SetCarpeta(kDatos);
  retenida.SetNombreTabla("COMPRASE.DBF");
  retenida.Open();
  ASSERT_TRUE(retenida.Locate("CLDOC_O", {1}));
  retenida.Edit();

  prueba::ProcesoHijo una("PagoMasivo");
  prueba::ProcesoHijo otra("PagoMasivo");
  ASSERT_EQ(una.EsperaLinea(), "LISTO");
  ASSERT_EQ(otra.EsperaLinea(), "LISTO");
  una.Envia("");
  otra.Envia("");
  QThread::msleep(400);
  retenida.Cancel();
  EXPECT_EQ(una.EsperaLinea(), "TERMINADO");
  EXPECT_EQ(otra.EsperaLinea(), "TERMINADO");
  EXPECT_EQ(una.Espera(), 0);
  EXPECT_EQ(otra.Espera(), 0);

  EXPECT_EQ(Filas("CUEPAGAR.DBF", {"NUCOM_CP", "TIMOV_CP", "IMCUE_CP"}), QStringList{"1|7|600"});
  EXPECT_EQ(Filas("COMPRASE.DBF", {"ABONO_O", "SALDO_O"}), QStringList{"600|0"});
}

// The account of a receipt: its balance and state, the supplier and dates
// of its first row; a number without rows leaves the labels as they were.
TEST_F(CuentasPagar, LaCuentaDeUnaCompraMuestraSaldoYEstado) {
  Movimiento(1, "51", "C", "1000", "01/01/2027", "31/01/2027");
  Movimiento(1, "7", "A", "400", "15/01/2027", "");
  Movimiento(2, "51", "C", "500");
  Movimiento(2, "7", "A", "500");
  Movimiento(3, "7", "A", "100");

  TFormaCxPDetalle cuenta;
  cuenta.MuestraCxPDocumento("1");
  EXPECT_EQ(cuenta.SaldoE->text(), "$        600.00");
  EXPECT_EQ(cuenta.Saldo->text(), "$        600.00");
  EXPECT_EQ(cuenta.Estado->text(), "Deudor");
  EXPECT_EQ(cuenta.Estado->palette().color(QPalette::WindowText), ui::ColorQt(ui::clRed, cuenta.palette()));
  EXPECT_EQ(cuenta.ClaveCliente->text(), "S");
  EXPECT_EQ(cuenta.FechaAplicacion->text(), "01/01/2027");
  EXPECT_EQ(cuenta.FechaVencimiento->text(), "31/01/2027");
  EXPECT_EQ(cuenta.Detalle->model()->rowCount(), 2);

  for (const char* numero : {"2", "3"}) {
    cuenta.MuestraCxPDocumento(numero);
    EXPECT_EQ(cuenta.Estado->text(), "Saldada") << numero;
    EXPECT_EQ(cuenta.Estado->palette().color(QPalette::WindowText), ui::ColorQt(ui::clNavy, cuenta.palette()));
  }
  cuenta.MuestraCxPDocumento("99");
  EXPECT_EQ(cuenta.Detalle->model()->rowCount(), 0);
  EXPECT_EQ(cuenta.ClaveCliente->text(), "S");
  EXPECT_EQ(cuenta.Estado->text(), "Saldada");
  EXPECT_EQ(Mensajes(), QStringList());
}

// Every month counts 30 days.
TEST_F(CuentasPagar, ElVencimientoCuentaMesesDeTreintaDias) {
  struct Caso {
    QString vence;
    QDate hoy;
    QString estado;
  };
  const Caso casos[] = {
      {"31/01/2027", QDate(2027, 2, 1), "Se vence Hoy"},
      {"28/02/2027", QDate(2027, 3, 1), "vencido  3  dias"},
      {"28/02/2027", QDate(2027, 2, 27), "no vencido"},
  };
  int numero = 0;
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.vence.toStdString());
    Movimiento(++numero, "51", "C", "100", "01/01/2027", c.vence);
    fs::FijaAhora(QDateTime(c.hoy, QTime(12, 0)));
    TFormaCxPDetalle cuenta;
    cuenta.MuestraCxPDocumento(QString::number(numero));
    EXPECT_EQ(cuenta.tiempo->text(), c.estado);
  }
}

// Typed into the grid: the concept is checked on entering "Concepto" and
// fills the row with the balance as amount; F2 fills it from the concept
// catalogue; the row is saved in the receipt's account as a payment of
// the amount typed in its column.
TEST_F(CuentasPagar, UnMovimientoTecleadoEnLaRejilla) {
  Movimiento(1, "51", "C", "1000");
  Movimiento(1, "7", "A", "400");
  TFormaCxPDetalle cuenta;
  cuenta.MuestraCxPDocumento("1");
  ui::PuertaModal::Espera("TFormaCxPDetalle", [&cuenta](QDialog& d) {
    ui::RejillaDatos& rejilla = *cuenta.Detalle;
    rejilla.setFocus();
    rejilla.SetSelectedIndex(0);
    Tecla(d, "Detalle", Qt::Key_Down);
    ASSERT_EQ(cuenta.TablaCxP->State(), db::Dataset::Estado::Insertando);
    Teclea(d, "Detalle", "99");
    Tecla(d, "", Qt::Key_Tab);
    EXPECT_EQ(Mensajes(), QStringList{kMovimientoNoEncontrado});
    EXPECT_EQ(rejilla.SelectedIndex(), 0);

    ui::PuertaModal::Espera("TFormaConceptos", [](QDialog& c) {
      auto& conceptos = static_cast<TFormaConceptos&>(c);
      conceptos.RejillaConceptos->setFocus();
      ASSERT_TRUE(conceptos.TablaConcepto->Locate("NUMOV_MO", {3}));
      Tecla(c, "", Qt::Key_Return);
    });
    Tecla(d, "Detalle", Qt::Key_F2);
    EXPECT_EQ(cuenta.TablaCxP->FieldByName("TIMOV_CP").AsString(), "3");
    EXPECT_EQ(cuenta.TablaCxP->FieldByName("CONCE_CP").AsString(), "Abono");
    rejilla.setFocus();
    Tecla(d, "Detalle", Qt::Key_Tab);
    EXPECT_EQ(rejilla.SelectedIndex(), 1);
    EXPECT_EQ(cuenta.TablaCxP->FieldByName("OPERA_CP").AsString(), "A");
    EXPECT_EQ(cuenta.TablaCxP->FieldByName("IMCUE_CP").AsString(), "600");
    // Less is paid than proposed: the amount typed in "Abono" is the one.
    rejilla.SetSelectedIndex(5);
    Teclea(d, "Detalle", "2");  // opens the cell's editor, which takes the rest
    Tecla(d, "", Qt::Key_5);
    Tecla(d, "", Qt::Key_0);
    Pulsa(d, "BotonSalir");
  });
  cuenta.ShowModal();
  EXPECT_EQ(Filas("CUEPAGAR.DBF", {"NUCOM_CP", "CLPRO_CP", "TIMOV_CP", "CONCE_CP", "OPERA_CP", "IMCUE_CP", "ABONO_CP",
                                   "CARGO_CP", "FEVEN_CP"}),
            (QStringList{"1|S|51||C|1000||1000|28/02/2027", "1|S|7||A|400|400||28/02/2027",
                         "1|S|3|Abono|A|250|250||28/02/2027"}));
  ui::PuertaModal::LimpiaMensajes();
  cuenta.MuestraCxPDocumento("1");
  EXPECT_EQ(cuenta.Saldo->text(), "$        350.00");
  EXPECT_EQ(Mensajes(), QStringList());
}

// The movement editor: a new payment (only of a known concept), a change
// and a deletion; after a new or deleted row the balance is stored in the
// account's first row.
TEST_F(CuentasPagar, ElEditorDeMovimientosAgregaCambiaYElimina) {
  Movimiento(1, "51", "C", "1000");
  Movimiento(1, "7", "A", "400");
  TFormaCxPDetalle cuenta;
  cuenta.MuestraCxPDocumento("1");

  ui::PuertaModal::Espera("TFormaMovimientoCxP", [](QDialog& d) {
    auto& e = static_cast<TFormaMovimientoCxP&>(d);
    EXPECT_EQ(e.Mensaje->text(), "Nueva cuenta");
    EXPECT_FALSE(e.EditCLPRO_CP->isEnabled());
    EXPECT_FALSE(e.EditNUCOM_CP->isEnabled());
    EXPECT_EQ(e.EditCLPRO_CP->text(), "S");
    EXPECT_EQ(e.EditNUCOM_CP->text(), "1");
    Teclea(d, "EditTIMOV_CP", "99");
    Pulsa(d, "BotonSi");
    EXPECT_TRUE(e.isVisible());
    prueba::Reescribe(e.EditTIMOV_CP, "7");
    Teclea(d, "EditIMCUE_CP", "100");
    Teclea(d, "EditNUDOC_CP", "CH-5");
    Pulsa(d, "BotonSi");
  });
  Pulsa(cuenta, "BotonNuevo");
  EXPECT_EQ(Mensajes(), QStringList{kMovimientoNoEncontrado});
  EXPECT_EQ(Filas("CUEPAGAR.DBF", {"TIMOV_CP", "CONCE_CP", "OPERA_CP", "IMCUE_CP", "ABONO_CP", "NUDOC_CP", "FEAPL_CP",
                                   "SALDO_CP"}),
            (QStringList{"51||C|1000|||01/01/2027|500", "7||A|400|400||01/01/2027|",
                         "7|Efectivo|A|100|100|CH-5|01/03/2027|"}));
  EXPECT_EQ(cuenta.Saldo->text(), "$        500.00");

  // A change: the payment becomes 150; the balance shown follows.
  ui::PuertaModal::Espera("TFormaMovimientoCxP", [](QDialog& d) {
    auto& e = static_cast<TFormaMovimientoCxP&>(d);
    EXPECT_EQ(e.Mensaje->text(), "Cambia datos");
    prueba::Reescribe(e.EditIMCUE_CP, "150");
    Pulsa(d, "BotonSi");
  });
  ASSERT_TRUE(cuenta.TablaCxP->Locate("NUDOC_CP", {"CH-5"}));
  Pulsa(cuenta, "BotonCambios");
  EXPECT_EQ(Filas("CUEPAGAR.DBF", {"IMCUE_CP", "ABONO_CP"}).last(), "150|150");
  EXPECT_EQ(cuenta.Saldo->text(), "$        450.00");

  // Cancelled, the deletion deletes nothing; accepted, it deletes the row.
  int tag = -1;
  ui::PuertaModal::Espera("TFormaMovimientoCxP", [&tag, &cuenta](QDialog& d) {
    EXPECT_EQ(static_cast<TFormaMovimientoCxP&>(d).Mensaje->text(), "Elimina cuenta");
    tag = cuenta.Tag();
    Pulsa(d, "BotonNo");
  });
  ASSERT_TRUE(cuenta.TablaCxP->Locate("NUDOC_CP", {"CH-5"}));
  Pulsa(cuenta, "BotonElimina");
  EXPECT_EQ(tag, 3);
  EXPECT_EQ(Filas("CUEPAGAR.DBF", {"TIMOV_CP"}).size(), 3);
  ui::PuertaModal::Espera("TFormaMovimientoCxP", [](QDialog& d) { Pulsa(d, "BotonSi"); });
  ASSERT_TRUE(cuenta.TablaCxP->Locate("NUDOC_CP", {"CH-5"}));
  Pulsa(cuenta, "BotonElimina");
  EXPECT_EQ(Filas("CUEPAGAR.DBF", {"TIMOV_CP", "SALDO_CP"}), (QStringList{"51|600", "7|"}));
  EXPECT_EQ(cuenta.Saldo->text(), "$        600.00");
}

// "&Imprimir": the statement on the line printer, column by column.
TEST_F(CuentasPagar, ElEstadoDeCuentaSeImprimeRenglonPorRenglon) {
  Movimiento(1, "51", "C", "1000");
  Movimiento(1, "7", "A", "400", "15/01/2027");
  TFormaCxPDetalle cuenta;
  cuenta.MuestraCxPDocumento("1");
  Pulsa(cuenta, "BotonImprime");

  using Impreso = std::pair<QString, int>;  // text and column
  QList<Impreso> textos;
  for (const print::Operacion& op : print::OperacionesGrabadas())
    if (op.tipo == print::Operacion::Tipo::Texto) textos.append({op.texto, op.punto.x() / UnidadColumnaImpresion});
  ASSERT_GE(textos.size(), 4);
  EXPECT_EQ(textos[0], Impreso("Compra No. 1                     Estado vencido  3  dias", 1));
  EXPECT_EQ(textos[1], Impreso("Proveedor S", 1));
  EXPECT_EQ(textos[2], Impreso("Fecha de Aplicacion 01/01/2027", 1));
  EXPECT_EQ(textos[3], Impreso("Fecha de Vencimiento 28/02/2027", 1));
  EXPECT_TRUE(textos.contains(Impreso("Movimiento", 0)));
  EXPECT_TRUE(textos.contains(Impreso("Concepto", 16)));
  EXPECT_TRUE(textos.contains(Impreso("Abono", 80)));
  EXPECT_TRUE(textos.contains(Impreso("51", 0)));
  EXPECT_TRUE(textos.contains(Impreso("15/01/2027", 48)));
  EXPECT_TRUE(textos.contains(Impreso("Saldo $        600.00", 58)));
  int rayas = 0;
  for (const auto& [texto, columna] : textos) rayas += texto == "-" ? 1 : 0;
  EXPECT_EQ(rayas, 80);
  EXPECT_EQ(TrabajosImpresos().size(), 1);
  EXPECT_EQ(Mensajes(), QStringList());
}

// The hidden "&Imprime Cuentas Detallado": one statement per receipt, read
// from its charge row (its payments are no accounts of their own); with
// "Solo con Saldo" marked only the receipts that still owe.
TEST_F(CuentasPagar, LasCuentasDetalladasUnaVezCadaRecepcion) {
  const QStringList campos{"NUCOM_CP", "CLPRO_CP", "TIMOV_CP", "OPERA_CP", "IMCUE_CP", "SALDO_CP"};
  Agrega("CUEPAGAR.DBF", campos,
         {{"1", "S", "51", "C", "1000", "600"}, {"1", "S", "7", "A", "400", ""}, {"2", "S", "51", "C", "500", "0"},
          {"2", "S", "7", "A", "500", ""}});
  Compra(1, "S", "1000", "600");
  Compra(2, "S", "500", "0");
  TFormaConsultaCuePagar& consulta = Consulta();
  QAction* detallado = consulta.MainMenu1->findChild<QAction*>("ImprimeCuentasDetallado1");
  ASSERT_TRUE(detallado);
  const auto impresas = [&detallado] {
    print::BorraOperacionesGrabadas();
    detallado->trigger();
    QStringList compras;
    for (const QStringList& trabajo : TrabajosImpresos())
      for (const QString& texto : trabajo)
        if (texto.startsWith("Compra No. ")) compras << texto.section(u' ', 2, 2);
    return compras;
  };
  EXPECT_EQ(impresas(), QStringList{"1"});
  consulta.SoloconSaldo1->trigger();
  EXPECT_EQ(impresas(), (QStringList{"1", "2"}));
  // Closed, the payables table goes back to every row.
  consulta.Close();
  EXPECT_FALSE(consulta.TablaDeta->Filtered());
}

// Looking at the payables writes nothing once the suppliers' totals are
// stored: moving between suppliers, a receipt's account opened and closed.
TEST_F(CuentasPagar, MirarLasCuentasNoEscribeNada) {
  Compra(1, "S", "1000", "600");
  Agrega("CUEPAGAR.DBF", {"NUCOM_CP", "CLPRO_CP", "TIMOV_CP", "OPERA_CP", "IMCUE_CP", "SALDO_CP"},
         {{"1", "S", "51", "C", "1000", "600"}, {"1", "S", "7", "A", "400", ""}});
  TFormaConsultaCuePagar& consulta = Consulta();
  EXPECT_EQ(Filas("PROVEEDO.DBF", {"CLAVE_P", "CARGO_P", "ABONO_P", "SALDO_P"}).first(), "S|1000|400|600");
  const auto archivos = [] {
    QByteArray bytes;
    for (const char* archivo : {"PROVEEDO.DBF", "COMPRASE.DBF", "CUEPAGAR.DBF"})
      bytes += fs::LeeBytes(fs::Une(kDatos, archivo));
    return bytes;
  };
  const QByteArray antes = archivos();
  Tecla(consulta, "", Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(consulta.Nombre->text().endsWith("TORNILLOS DEL SUR"));
  Tecla(consulta, "", Qt::Key_A, Qt::ControlModifier);
  ASSERT_TRUE(consulta.TablaCompras->Locate("CLDOC_O", {1}));
  QString saldo;
  ui::PuertaModal::Espera("TFormaCxPDetalle", [&saldo](QDialog& d) {
    saldo = static_cast<TFormaCxPDetalle&>(d).Saldo->text().remove(u' ');
    Pulsa(d, "BotonSalir");
  });
  Pulsa(consulta, "BitBtn1");
  EXPECT_EQ(saldo, "$600.00");
  EXPECT_EQ(archivos(), antes);
  EXPECT_EQ(Mensajes(), QStringList());
}

// The query's preview: the supplier heads the payables format and its
// receipts are the detail; a missing format is named.
TEST_F(CuentasPagar, LaPresentacionPreliminarUsaElFormatoDeCuentasPorPagar) {
  Compra(1, "S", "1000", "600");
  Compra(2, "S", "500", "500");
  FijaLinea(ConfFormatoCxP, "cxp.fmt");
  TFormaConsultaCuePagar& consulta = Consulta();
  ui::PuertaModal::Espera("TFormaEdicion", [](QDialog&) {});
  Pulsa(consulta, "BotonPreliminar");
  EXPECT_TRUE(consulta.FormatoCxP.endsWith("\\consulta\\cxp.fmt")) << consulta.FormatoCxP.toStdString();
  EXPECT_EQ(Mensajes(), QStringList{AvisoFormatoNoExiste(consulta.FormatoCxP)});

  ui::PuertaModal::LimpiaMensajes();
  EscribeLineas("C:\\VRL\\consulta\\cxp.fmt",
                {"impresora,laser", "@2,2,nombr_p", "saltar(3)", "&", "@2,0,cldoc_o", "saltar(1)", "&"});
  ui::PuertaModal::Espera("TFormaEdicion", [](QDialog& e) { Pulsa(e, "BotonImprime"); });
  Pulsa(consulta, "BotonPreliminar");
  const QList<QStringList> trabajos = TrabajosImpresos();
  ASSERT_EQ(trabajos.size(), 1);
  EXPECT_TRUE(trabajos[0].contains("SURTIDORA DEL NORTE")) << trabajos[0].join(u'|').toStdString();
  EXPECT_TRUE(trabajos[0].contains("2")) << trabajos[0].join(u'|').toStdString();
  EXPECT_EQ(Mensajes(), QStringList());
}

}  // namespace
