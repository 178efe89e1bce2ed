// The receivable accounts of remissions as a user keeps them: the account
// window loaded as the sale screen loads it (balance, state, due state,
// what it stores in the first movement and in the remission's own header),
// movements added and changed through the entry window, deletions with
// their logs, the remission folder of line 63 and the header table of line
// 68, printing; and the invoice accounts of Cucobrar.dbf from the customer
// catalogue's "Saldo...".

#include "clientes_prueba.h"
#include "customers/Clientes.h"
#include "customers/CucobraRemision.h"
#include "customers/CuentasCobrar.h"
#include "customers/CxCDocumento.h"
#include "customers/cxcdRemision.h"
#include "formats/PaginaPrevia.h"
#include "foundation/advierte.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Texto.h"
#include "platform/print/Impresora.h"
#include "platform/print/Impresoras.h"
#include "platform/print/Registro.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/Concep.h"
#include "support/ImpresionPrueba.h"
#include "support/Maneja.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

namespace {

using prueba::Pulsa;
using prueba::Tecla;
using prueba::Teclea;

const QString kRemisiones = QStringLiteral("C:\\VRL\\REMIS");

class CuentasRemision : public ClientesPrueba {
 protected:
  void SetUp() override {
    ClientesPrueba::SetUp();
    fs::FijaAhora(QDateTime(QDate(2011, 2, 1), QTime(9, 30)));
    Agrega("concepto.dbf", {"NUMOV_MO", "CONCE_MO", "TIPOO_MO"},
           {{"1", "Cuenta Principal", "C"}, {"2", "Cargo", "C"}, {"3", "Abono", "A"}, {"7", "Efectivo", "A"}});
    Agrega("CLIENTE.DBF", {"CLCLI_C", "NOMBR_C"}, {{"19", "ABARROTES SOL"}, {"20", "FERRETERIA LUNA"}});
    conceptos_ = std::make_unique<TFormaConceptos>();
    print::FijaImpresorasPrueba({{"laser", "", print::TipoImpresora::Registro, QString(), 600}}, 0);
    print::Impresora::Global().Restablece();
    print::BorraOperacionesGrabadas();
  }

  void TearDown() override {
    conceptos_.reset();
    print::Impresora::Global().Restablece();
    print::RefrescaImpresoras();
    ClientesPrueba::TearDown();
  }

  static void FijaLinea(int linea, const QString& valor) {
    const QString archivo = "C:\\VRL\\Gener1.cnf";
    QStringList lineas = fs::LeeLineas(archivo);
    lineas[linea - 1] = valor;
    EscribeLineas(archivo, lineas);
  }

  static void AgregaEn(const QString& carpeta, const QString& archivo, const QStringList& campos,
                       const QList<QStringList>& filas) {
    db::Tabla t;
    t.SetCarpeta(carpeta);
    t.SetNombreTabla(archivo);
    t.Open();
    for (const QStringList& fila : filas) {
      t.Append();
      for (int i = 0; i < campos.size(); ++i) t.FieldByName(campos[i]).SetAsString(fila.value(i));
      t.Post();
    }
  }

  // A remission header: number, control, total and due date, customer 20.
  static void Remision(int numero, int control, const QString& total, const QString& vence = "31/01/2011",
                       const QString& estado = {}, const QString& archivo = "REMISION.DBF",
                       const QString& carpeta = kDatosClientes) {
    AgregaEn(carpeta, archivo, {"CLDOC_F", "CONTROL", "CLCLI_F", "NOMBR_F", "IMTOD_F", "FEVEN_F", "FEENT_F", "STATU_F"},
             {{QString::number(numero), QString::number(control), "20", "FERRETERIA LUNA", total, vence, "01/01/2011",
               estado}});
  }

  // A movement of an account: number, control, concept, kind and amount.
  static void Movimiento(int numero, int control, const QString& concepto, const QString& opera,
                         const QString& importe, const QString& carpeta = kDatosClientes) {
    AgregaEn(carpeta, "CucobrarRemision.DBF",
             {"NUFAC_CC", "CONTROL", "CLCLI_CC", "TIMOV_CC", "OPERA_CC", "IMCUE_CC", "FEAPL_CC", "FEVEN_CC"},
             {{QString::number(numero), QString::number(control), "20", concepto, opera, importe, "05/01/2011",
               "20/01/2011"}});
  }

  // A field of every row of a table, in physical order.
  static QStringList Columna(const QString& archivo, const QString& campo, const QString& carpeta = kDatosClientes) {
    db::Tabla t;
    t.SetCarpeta(carpeta);
    t.SetNombreTabla(archivo);
    t.Open();
    QStringList valores;
    for (t.First(); !t.Eof(); t.Next()) valores << t.FieldByName(campo).AsString();
    return valores;
  }

  static QString SinBlancos(QString texto) { return texto.remove(u' '); }

  std::unique_ptr<TFormaConceptos> conceptos_;
};

// The balance is the remission's total plus the charges less the payments.
// Loaded, the account only shows it; a change of a movement (Cambio
// accepted) stores it in the first movement and in the remission's own
// header (matched by number and control), which is marked paid or owed.
TEST_F(CuentasRemision, ElSaldoSeGuardaEnLaPrimeraCuentaYEnSuRemision) {
  struct Caso {
    const char* nombre;
    QString total;
    QList<std::pair<QString, QString>> movimientos;  // kind and amount
    QString estadoAntes;
    QString saldo, estado, abono, saldoGuardado, estadoDespues;
    bool vencimientoVisible;
  };
  const Caso casos[] = {
      {"pagada en dos abonos", "1000", {{"A", "300"}, {"A", "700"}}, "", "$0.00", "Saldada", "1000", "0", "G", false},
      {"un cargo sobre el total", "100", {{"C", "50"}}, "G", "$150.00", "Deudor", "-50", "150", "", true},
      {"sin movimientos", "250", {}, "", "$250.00", "Deudor", "", "", "", true},
      {"cancelada no se marca", "80", {{"A", "80"}}, "C", "$0.00", "Saldada", "80", "0", "C", false},
  };
  int numero = 100;
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    ++numero;
    Remision(numero, 500, c.total, "31/01/2011", c.estadoAntes);
    for (const auto& [opera, importe] : c.movimientos) Movimiento(numero, 500, opera == "A" ? "3" : "2", opera, importe);
    const QByteArray remisiones = fs::LeeBytes(fs::Une(kDatosClientes, "REMISION.DBF"));
    TFormaRemCxCDetalle cuenta;
    cuenta.MuestraCxCRemision(QString::number(numero), "500");
    EXPECT_EQ(SinBlancos(cuenta.Saldo->text()), c.saldo);
    EXPECT_EQ(cuenta.SaldoE->text(), cuenta.Saldo->text());
    EXPECT_EQ(cuenta.Estado->text(), c.estado);
    EXPECT_EQ(cuenta.FechaVencimiento->isHidden(), !c.vencimientoVisible);
    EXPECT_EQ(cuenta.tiempo->isHidden(), !c.vencimientoVisible);
    EXPECT_EQ(cuenta.ClaveCliente->text(), "20");
    EXPECT_EQ(cuenta.NombreCliente->text(), "FERRETERIA LUNA");
    EXPECT_EQ(fs::LeeBytes(fs::Une(kDatosClientes, "REMISION.DBF")), remisiones);
    if (!c.movimientos.isEmpty()) {
      ui::PuertaModal::Espera("TFormaRemCuCobra", [](QDialog& d) { Pulsa(d, "BotonSi"); });
      Pulsa(cuenta, "BotonCambios");
    }

    db::Tabla remision;
    remision.SetCarpeta(kDatosClientes);
    remision.SetNombreTabla("REMISION.DBF");
    remision.Open();
    ASSERT_TRUE(remision.Locate("CLDOC_F", {numero}));
    EXPECT_EQ(remision.FieldByName("ABONO_F").AsString(), c.abono);
    EXPECT_EQ(remision.FieldByName("SALDO_F").AsString(), c.saldoGuardado);
    EXPECT_EQ(remision.FieldByName("STATU_F").AsString(), c.estadoDespues);
    if (!c.movimientos.isEmpty()) {
      db::Tabla cuentas;
      cuentas.SetCarpeta(kDatosClientes);
      cuentas.SetNombreTabla("CucobrarRemision.DBF");
      cuentas.Open();
      ASSERT_TRUE(cuentas.Locate("NUFAC_CC", {numero}));
      EXPECT_EQ(cuentas.FieldByName("SALDO_CC").AsString(), c.saldoGuardado);
    }
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

// Every status by every balance: browsing the accounts (PgDn, PgUp, the
// arrows) writes nothing at all; a change of an account's movement stores
// its balance and puts the paid mark "G" on a remission without status
// that owes nothing, or takes it off one that owes again. A cancelled
// ("C"), returned ("D", "P") or held ("E") remission keeps its status.
TEST_F(CuentasRemision, MirarUnaCuentaNoEscribeYSoloLaMarcaDePagadaVaYViene) {
  enum Saldo { Debe, Pagada, SinMovimientos };
  struct Caso {
    int numero;
    QString estado;
    Saldo saldo;
  };
  QList<Caso> casos;
  int numero = 100;
  for (const QString& estado : QStringList{"", "G", "D", "P", "E", "C"}) {
    for (const Saldo saldo : {Debe, Pagada, SinMovimientos}) {
      ++numero;
      Remision(numero, 500, "100", "31/01/2011", estado);
      if (saldo != SinMovimientos) Movimiento(numero, 500, "3", "A", saldo == Debe ? "40" : "100");
      casos.append({numero, estado, saldo});
    }
  }
  const auto archivos = [] {
    return fs::LeeBytes(fs::Une(kDatosClientes, "REMISION.DBF")) +
           fs::LeeBytes(fs::Une(kDatosClientes, "CucobrarRemision.DBF"));
  };
  const QByteArray antes = archivos();
  TFormaRemCxCDetalle cuenta;
  cuenta.MuestraCxCRemision("101", "500");
  ui::PuertaModal::Espera("TFormaRemCxCDetalle", [&](QDialog& d) {
    for (qsizetype i = 1; i < casos.size(); ++i) Tecla(d, "Factura", Qt::Key_PageDown);
    EXPECT_EQ(cuenta.Factura->text(), "118");
    for (qsizetype i = 1; i < casos.size(); ++i) Pulsa(d, "SpeedButton1");
    EXPECT_EQ(cuenta.Factura->text(), "101");
    Tecla(d, "Factura", Qt::Key_PageUp);
  });
  cuenta.ShowModal();
  EXPECT_EQ(archivos(), antes);

  for (const Caso& c : casos) {
    SCOPED_TRACE(QStringLiteral("%1 '%2' %3").arg(c.numero).arg(c.estado).arg(int(c.saldo)).toStdString());
    cuenta.MuestraCxCRemision(QString::number(c.numero), "500");
    if (c.saldo != SinMovimientos) {
      ui::PuertaModal::Espera("TFormaRemCuCobra", [](QDialog& d) { Pulsa(d, "BotonSi"); });
      Pulsa(cuenta, "BotonCambios");
    }
    QString esperado = c.estado;
    if (c.saldo == Pagada && c.estado.isEmpty()) esperado = "G";
    if (c.saldo == Debe && c.estado == "G") esperado = "";
    db::Tabla remision;
    remision.SetCarpeta(kDatosClientes);
    remision.SetNombreTabla("REMISION.DBF");
    remision.Open();
    ASSERT_TRUE(remision.Locate("CLDOC_F", {c.numero}));
    EXPECT_EQ(remision.FieldByName("STATU_F").AsString(), esperado);
    EXPECT_EQ(remision.FieldByName("SALDO_F").AsString(),
              c.saldo == Debe ? "60" : c.saldo == Pagada ? "0" : "");
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

// Two remissions with one number are two accounts, told apart by CONTROL;
// an invoice that happens to carry the number is not touched.
TEST_F(CuentasRemision, CadaRemisionVeSoloSusMovimientos) {
  Remision(7, 111, "100");
  Remision(7, 222, "100");
  Movimiento(7, 111, "3", "A", "10");
  Movimiento(7, 222, "3", "A", "100");
  Agrega("FACTURAE.DBF", {"CLDOC_F", "CONTROL", "IMTOD_F"}, {{"7", "222", "500"}});

  TFormaRemCxCDetalle cuenta;
  cuenta.MuestraCxCRemision("7", "222");
  EXPECT_EQ(cuenta.Detalle->model()->rowCount(), 1);
  EXPECT_EQ(cuenta.Estado->text(), "Saldada");
  cuenta.MuestraCxCRemision("7", "111");
  EXPECT_EQ(cuenta.Detalle->model()->rowCount(), 1);
  EXPECT_EQ(SinBlancos(cuenta.Saldo->text()), "$90.00");

  // A change of account 222's movement marks its own header only.
  cuenta.MuestraCxCRemision("7", "222");
  ui::PuertaModal::Espera("TFormaRemCuCobra", [](QDialog& d) { Pulsa(d, "BotonSi"); });
  Pulsa(cuenta, "BotonCambios");
  EXPECT_EQ(Columna("REMISION.DBF", "CONTROL"), (QStringList{"111", "222"}));
  EXPECT_EQ(Columna("REMISION.DBF", "STATU_F"), (QStringList{"", "G"}));
  EXPECT_EQ(Columna("REMISION.DBF", "SALDO_F"), (QStringList{"", "0"}));
  EXPECT_EQ(Columna("FACTURAE.DBF", "STATU_F"), QStringList{""});
  EXPECT_EQ(Columna("FACTURAE.DBF", "SALDO_F"), QStringList{""});
}

// Line 63 holds the remissions and their accounts; a header table named by
// line 68 is read in the data folder, and is the one marked.
TEST_F(CuentasRemision, LasCuentasVivenConLasRemisiones) {
  FijaLinea(ConfCarpetaRemisiones, kRemisiones);
  CreaTablasEmpresa(db::Carpetas{kDatosClientes, {}, kRemisiones, "C:\\VRL"});
  Remision(9, 1, "60", "31/01/2011", {}, "REMISION.DBF", kRemisiones);
  Movimiento(9, 1, "3", "A", "60", kRemisiones);
  Movimiento(9, 1, "3", "A", "999");  // a stray row in the data folder

  const auto cambia = [](TFormaRemCxCDetalle& cuenta) {
    ui::PuertaModal::Espera("TFormaRemCuCobra", [](QDialog& d) { Pulsa(d, "BotonSi"); });
    Pulsa(cuenta, "BotonCambios");
  };
  TFormaRemCxCDetalle cuenta;
  cuenta.MuestraCxCRemision("9", "1");
  EXPECT_EQ(SinBlancos(cuenta.Saldo->text()), "$0.00");
  cambia(cuenta);
  EXPECT_EQ(Columna("REMISION.DBF", "STATU_F", kRemisiones), QStringList{"G"});

  FijaLinea(ConfTablaCxC, "FACTURAE.DBF");
  Remision(9, 1, "60", "31/01/2011", {}, "FACTURAE.DBF");
  TFormaRemCxCDetalle facturas;
  facturas.MuestraCxCRemision("9", "1");
  EXPECT_EQ(facturas.Estado->text(), "Saldada");
  cambia(facturas);
  EXPECT_EQ(Columna("FACTURAE.DBF", "STATU_F"), QStringList{"G"});
  EXPECT_EQ(Mensajes(), QStringList());
}

// Every month counts 30 days: the 31st is due on the 1st of the next month.
TEST_F(CuentasRemision, ElVencimientoCuentaMesesDeTreintaDias) {
  struct Caso {
    QString vence;
    QDate hoy;
    QString estado;
  };
  const Caso casos[] = {
      {"31/01/2011", QDate(2011, 2, 1), "Se vence Hoy"},
      {"31/01/2011", QDate(2011, 1, 30), "no vencido"},
      {"20/01/2011", QDate(2011, 1, 30), "vencido  10  dias"},
  };
  int numero = 0;
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.vence.toStdString() + " " + c.hoy.toString().toStdString());
    fs::FijaAhora(QDateTime(c.hoy, QTime(12, 0)));
    Remision(++numero, 5, "100", c.vence);
    TFormaRemCxCDetalle cuenta;
    cuenta.MuestraCxCRemision(QString::number(numero), "5");
    EXPECT_EQ(cuenta.FechaVencimiento->text(), c.vence);
    EXPECT_EQ(cuenta.tiempo->text(), c.estado);
  }
}

// From one remission to another: the arrows step through the headers,
// PgDn and PgUp through the numbers, Ctrl+B finds one; each loads its own
// account.
TEST_F(CuentasRemision, DeUnaRemisionAOtra) {
  Remision(10, 1, "100");
  Remision(11, 2, "200");
  Remision(12, 3, "300");
  Movimiento(11, 2, "3", "A", "50");
  TFormaRemCxCDetalle cuenta;
  cuenta.MuestraCxCRemision("10", "1");
  ui::PuertaModal::Espera("TFormaRemCxCDetalle", [&cuenta](QDialog& d) {
    const auto muestra = [&cuenta]() {
      return cuenta.Factura->text() + u'|' + cuenta.Saldo->text().remove(u' ') + u'|' +
             QString::number(cuenta.Detalle->model()->rowCount());
    };
    EXPECT_EQ(muestra(), "10|$100.00|0");
    Pulsa(d, "SpeedButton2");
    EXPECT_EQ(muestra(), "11|$150.00|1");
    Pulsa(d, "SpeedButton1");
    EXPECT_EQ(muestra(), "10|$100.00|0");
    Tecla(d, "Factura", Qt::Key_PageDown);
    EXPECT_EQ(muestra(), "11|$150.00|1");
    Tecla(d, "Factura", Qt::Key_PageUp);
    EXPECT_EQ(muestra(), "10|$100.00|0");
    QString opcion;
    ui::PuertaModal::Espera("TFormaBusqueda", [&opcion](QDialog& b) {
      opcion = prueba::Texto(b, "Clave");
      Teclea(b, "CajaBuscar", "12");
      Pulsa(b, "BotonAceptar");
    });
    Tecla(d, "Factura", Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(opcion, "Por Documento (F1)");
    EXPECT_EQ(muestra(), "12|$300.00|0");
  });
  cuenta.ShowModal();
  // Looking stores nothing.
  EXPECT_EQ(Columna("REMISION.DBF", "SALDO_F"), (QStringList{"", "", ""}));
  EXPECT_EQ(Mensajes(), QStringList());
}

// Nuevo (F9) through the entry window, as user 1: an unknown concept keeps
// the focus, the date of application is today's and cannot be typed, F4
// writes the balance, the payment is stamped with the cash cut in course.
TEST_F(CuentasRemision, UnAbonoNuevoPorLaVentanaDeCaptura) {
  Remision(100, 500, "1000");
  Movimiento(100, 500, "3", "A", "400");
  Agrega("Cortes.DBF", {"CORTE", "INICIO", "FIN"}, {{"11", "1", "40"}, {"12", "41", "90"}});

  TFormaRemCxCDetalle cuenta;
  cuenta.MuestraCxCRemision("100", "500");
  cuenta.Usuario->setText("1");
  bool entrada = false;
  ui::PuertaModal::Espera("TFormaRemCuCobra", [&](QDialog& d) {
    auto& e = static_cast<TFormaRemCuCobra&>(d);
    entrada = true;
    EXPECT_EQ(e.Mensaje->text(), "Nueva cuenta");
    EXPECT_EQ(e.NombreCliente->text(), "FERRETERIA LUNA");
    EXPECT_FALSE(e.EditCLCLI_CC->isEnabled());
    EXPECT_FALSE(e.EditNUFAC_CC->isEnabled());
    EXPECT_EQ(e.EditNUFAC_CC->text(), "100");

    Teclea(d, "EditTIMOV_CC", "99");
    Tecla(d, "EditTIMOV_CC", Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), e.EditTIMOV_CC);

    prueba::Reescribe(e.EditTIMOV_CC, "3");
    Tecla(d, "EditTIMOV_CC", Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_NE(QApplication::focusWidget(), e.EditTIMOV_CC);
    EXPECT_EQ(e.Label2->text(), "Abono");

    e.EditFEAPL_CC->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(e.EditFEAPL_CC->isReadOnly());
    EXPECT_EQ(e.EditFEAPL_CC->text(), "01/02/2011");

    Tecla(d, "EditIMCUE_CC", Qt::Key_F4);
    EXPECT_EQ(e.EditIMCUE_CC->text(), "600");
    Teclea(d, "EditNUDOC_CC", "REC-18");
    Pulsa(d, "BotonSi");
  });
  Tecla(cuenta, "Factura", Qt::Key_F9);
  EXPECT_TRUE(entrada);

  db::Tabla cuentas;
  cuentas.SetCarpeta(kDatosClientes);
  cuentas.SetNombreTabla("CucobrarRemision.DBF");
  cuentas.Open();
  ASSERT_EQ(cuentas.RecordCount(), 2);
  cuentas.Last();
  const auto campo = [&cuentas](const char* nombre) { return cuentas.FieldByName(nombre).AsString(); };
  EXPECT_EQ(campo("NUFAC_CC"), "100");
  EXPECT_EQ(campo("CONTROL"), "500");
  EXPECT_EQ(campo("CLCLI_CC"), "20");
  EXPECT_EQ(campo("NOMBR_CC"), "FERRETERIA LUNA");
  EXPECT_EQ(campo("TIMOV_CC"), "3");
  EXPECT_EQ(campo("CONCE_CC"), "Abono");
  EXPECT_EQ(campo("OPERA_CC"), "A");
  EXPECT_EQ(campo("IMCUE_CC"), "600");
  EXPECT_EQ(campo("ABONO_CC"), "600");
  EXPECT_EQ(campo("CARGO_CC"), "");
  EXPECT_EQ(campo("NUDOC_CC"), "REC-18");
  EXPECT_EQ(campo("FEAPL_CC"), "01/02/2011");
  EXPECT_EQ(campo("FEVEN_CC"), "01/02/2011");
  EXPECT_EQ(campo("CORTE"), "12");
  EXPECT_FALSE(cuentas.FieldByName("HORAF_F").IsNull());
  // The account is settled by it.
  EXPECT_EQ(cuenta.Estado->text(), "Saldada");
  EXPECT_EQ(Columna("REMISION.DBF", "STATU_F"), QStringList{"G"});
  EXPECT_EQ(Mensajes(), QStringList());
}

// Cambio turns a payment into a charge: the amount moves to the charge
// column and the balance follows; the administrator types the date.
TEST_F(CuentasRemision, UnCambioDeConceptoMueveElImporte) {
  Remision(100, 500, "1000");
  Movimiento(100, 500, "3", "A", "400");
  TFormaRemCxCDetalle cuenta;
  cuenta.MuestraCxCRemision("100", "500");
  ui::PuertaModal::Espera("TFormaRemCuCobra", [&](QDialog& d) {
    auto& e = static_cast<TFormaRemCuCobra&>(d);
    EXPECT_EQ(e.Mensaje->text(), "Cambios a la cuenta");
    // F2: the concept picked in the catalogue, which is left as it was.
    ui::PuertaModal::Espera("TFormaConceptos", [](QDialog& c) {
      auto& conceptos = static_cast<TFormaConceptos&>(c);
      EXPECT_TRUE(conceptos.Panel1->isHidden());
      conceptos.RejillaConceptos->setFocus();
      ASSERT_TRUE(conceptos.TablaConcepto->Locate("NUMOV_MO", {2}));
      Tecla(c, "", Qt::Key_Return);

    });
    Tecla(d, "EditTIMOV_CC", Qt::Key_F2);
    EXPECT_FALSE(FormaConceptos()->Panel1->isHidden());
    EXPECT_EQ(e.EditTIMOV_CC->text(), "2");
    EXPECT_EQ(e.Label2->text(), "Cargo");
    e.EditFEAPL_CC->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(e.EditFEAPL_CC->isReadOnly());
    Pulsa(d, "BotonSi");
  });
  Pulsa(cuenta, "BotonCambios");
  EXPECT_EQ(Columna("CucobrarRemision.DBF", "CARGO_CC"), QStringList{"400"});
  EXPECT_EQ(Columna("CucobrarRemision.DBF", "ABONO_CC"), QStringList{""});
  EXPECT_EQ(Columna("CucobrarRemision.DBF", "FEAPL_CC"), QStringList{"05/01/2011"});
  EXPECT_EQ(SinBlancos(cuenta.Saldo->text()), "$1,400.00");
  EXPECT_EQ(Columna("REMISION.DBF", "SALDO_F"), QStringList{"1400"});

  // Cancelled, nothing changes.
  ui::PuertaModal::Espera("TFormaRemCuCobra", [](QDialog& d) {
    prueba::Reescribe(static_cast<TFormaRemCuCobra&>(d).EditIMCUE_CC, "5");
    Pulsa(d, "BotonNo");
  });
  Pulsa(cuenta, "BotonCambios");
  EXPECT_EQ(Columna("CucobrarRemision.DBF", "IMCUE_CC"), QStringList{"400"});
  EXPECT_EQ(Mensajes(), QStringList());
}

// Borrar asks, needs right 27, never deletes the main charge, logs what it
// deletes and, with line 85, writes the remission's history.
TEST_F(CuentasRemision, BorrarRespetaLaCuentaPrincipalYDejaBitacora) {
  FijaLinea(ConfBitacora, "S");
  fs::CreaCarpeta(fs::Une(kDatosClientes, "Bitacora"));  // made at the program's start
  Remision(100, 500, "1000");
  Movimiento(100, 500, "1", "C", "0");
  Movimiento(100, 500, "3", "A", "300");
  TFormaRemCxCDetalle cuenta;
  cuenta.MuestraCxCRemision("100", "500");
  cuenta.Usuario->setText("0");
  const auto borra = [&](const QString& concepto, bool si) {
    ASSERT_TRUE(cuenta.TablaCxC->Locate("TIMOV_CC", {concepto}));
    ui::PuertaModal::Espera("TFormaAdvertencia", [si](QDialog& d) { Pulsa(d, si ? "BitBtn1" : "BitBtn2"); });
    if (si) ui::PuertaModal::Espera("TFormaRemCuCobra", [](QDialog& d) {
        EXPECT_EQ(static_cast<TFormaRemCuCobra&>(d).Mensaje->text(), "Deseas borrar la cuenta");
        Pulsa(d, "BotonSi");
      });
    Pulsa(cuenta, "BotonElimina");
  };

  borra("3", false);
  borra("1", true);
  EXPECT_EQ(Mensajes(), QStringList{kCuentaPrincipalNoSeBorra});
  EXPECT_EQ(Columna("CucobrarRemision.DBF", "TIMOV_CC"), (QStringList{"1", "3"}));
  EXPECT_FALSE(fs::ExisteArchivo("C:\\VRL\\borrados.dat"));

  ui::PuertaModal::LimpiaMensajes();
  fs::FijaAhora(QDateTime(QDate(2011, 2, 1), QTime(9, 45, 10)));
  borra("3", true);
  EXPECT_EQ(Columna("CucobrarRemision.DBF", "TIMOV_CC"), QStringList{"1"});
  EXPECT_EQ(SinBlancos(cuenta.Saldo->text()), "$1,000.00");
  EXPECT_EQ(cuenta.Estado->text(), "Deudor");
  const QStringList borrados = fs::LeeLineas("C:\\VRL\\borrados.dat");
  ASSERT_EQ(borrados.size(), 1);
  EXPECT_TRUE(borrados[0].contains(",TIMOV_CC,3,")) << borrados[0].toStdString();
  EXPECT_EQ(fs::LeeLineas(fs::Une(kDatosClientes, "Bitacora\\R-100.bit")),
            QStringList{"01/02/2011 09:45:10 ELIMINADA CXC 300.00 Por Usuario 0"});
  EXPECT_EQ(Mensajes(), QStringList());
}

// A Usuario label that holds no user number is no user: Borrar refuses it
// as such, where reading it as 0 would pass it as the administrator.
TEST_F(CuentasRemision, BorrarSinUnUsuarioNoBorra) {
  Remision(100, 500, "1000");
  Movimiento(100, 500, "1", "C", "0");
  Movimiento(100, 500, "3", "A", "300");
  TFormaRemCxCDetalle cuenta;
  cuenta.MuestraCxCRemision("100", "500");
  for (const char* usuario : {"", "caja"}) {
    SCOPED_TRACE(usuario);
    cuenta.Usuario->setText(usuario);
    ASSERT_TRUE(cuenta.TablaCxC->Locate("TIMOV_CC", {"3"}));
    ui::PuertaModal::Espera("TFormaAdvertencia", [](QDialog& d) { Pulsa(d, "BitBtn1"); });
    Pulsa(cuenta, "BotonElimina");
    EXPECT_EQ(Mensajes(), QStringList{kUsuarioNoValido});
    ui::PuertaModal::LimpiaMensajes();
  }
  EXPECT_EQ(Columna("CucobrarRemision.DBF", "TIMOV_CC"), (QStringList{"1", "3"}));
  EXPECT_FALSE(fs::ExisteArchivo("C:\\VRL\\borrados.dat"));
}

// "Imprime": the customer of the account heads the format, the movements
// are its detail; the preview is printed when asked.
TEST_F(CuentasRemision, ImprimeLaCuentaConSuCliente) {
  FijaLinea(ConfFormatoCxCDetallada, "cxc.fmt");
  EscribeLineas("C:\\VRL\\consulta\\cxc.fmt", {"impresora,laser", "@2,2,nombr_c", "saltar(3)", "&", "@2,0,conce_cc", "saltar(1)", "&"});
  Remision(100, 500, "1000");
  Movimiento(100, 500, "3", "A", "300");
  AgregaEn(kDatosClientes, "CucobrarRemision.DBF", {"NUFAC_CC", "CONTROL", "CONCE_CC", "OPERA_CC", "IMCUE_CC"},
           {{"100", "500", "Pago de enero", "A", "100"}});
  TFormaRemCxCDetalle cuenta;
  cuenta.MuestraCxCRemision("100", "500");
  ui::PuertaModal::Espera("TFormaRemCxCDetalle", [](QDialog& d) {
    ui::PuertaModal::Espera("TFormaEdicion", [](QDialog& e) { Pulsa(e, "BotonImprime"); });
    Pulsa(d, "BotonImprime");
  });
  cuenta.ShowModal();
  const QList<QStringList> trabajos = TrabajosImpresos();
  ASSERT_EQ(trabajos.size(), 1);
  EXPECT_TRUE(trabajos[0].contains("FERRETERIA LUNA")) << trabajos[0].join(u'|').toStdString();
  EXPECT_TRUE(trabajos[0].contains("Pago de enero")) << trabajos[0].join(u'|').toStdString();
  EXPECT_EQ(Mensajes(), QStringList());
}

// The formats the program ships, as the demonstration company names them:
// the account's preview, and a movement's receipt printed from the entry
// window (line 60 names a format of the consulta folder).
TEST_F(CuentasRemision, LosFormatosDeCuentaQueTraeElPrograma) {
  FijaLinea(ConfFormatoCxCDetallada, "cuenta.fmt");
  FijaLinea(ConfFormatoCheque, "recibo.fmt");
  Remision(100, 500, "1000");
  Movimiento(100, 500, "3", "A", "300");
  TFormaRemCxCDetalle cuenta;
  cuenta.MuestraCxCRemision("100", "500");
  QStringList previa;
  ui::PuertaModal::Espera("TFormaRemCxCDetalle", [&previa](QDialog& d) {
    ui::PuertaModal::Espera("TFormaEdicion", [&previa](QDialog&) {
      const QByteArray bytes = fs::LeeBytes(ArchivoPaginaPrevia());
      for (qsizetype i = 0; i + kTamanoElementoPagina <= bytes.size(); i += kTamanoElementoPagina)
        previa << DecodificaElementoPagina(bytes.constData() + i).Texto;
    });
    Pulsa(d, "BotonImprime");
  });
  cuenta.ShowModal();
  EXPECT_TRUE(previa.contains("FERRETERIA LUNA")) << previa.join(u'|').toStdString();
  EXPECT_TRUE(previa.contains("20/01/2011")) << previa.join(u'|').toStdString();

  ui::PuertaModal::Espera("TFormaRemCuCobra", [](QDialog& d) {
    Teclea(d, "EditTIMOV_CC", "3");
    Tecla(d, "EditTIMOV_CC", Qt::Key_Return);
    Teclea(d, "EditIMCUE_CC", "125");
    Teclea(d, "EditNUDOC_CC", "REC-19");
    Pulsa(d, "BitBtn1");
    Pulsa(d, "BotonSi");
  });
  Pulsa(cuenta, "BotonCxC");
  const QList<QStringList> trabajos = TrabajosImpresos();
  ASSERT_EQ(trabajos.size(), 1);
  EXPECT_TRUE(trabajos[0].contains("REC-19")) << trabajos[0].join(u'|').toStdString();
  EXPECT_TRUE(trabajos[0].contains("FERRETERIA LUNA")) << trabajos[0].join(u'|').toStdString();
  EXPECT_EQ(Columna("CucobrarRemision.DBF", "IMCUE_CC"), (QStringList{"300", "125"}));
  EXPECT_EQ(Mensajes(), QStringList());
}

// The invoice accounts: the balance of the movements alone, stored in the
// first; a number without movements leaves the labels as they were. The
// customer catalogue reaches them with right 6.
TEST_F(CuentasRemision, LasCuentasDeFacturasDesdeElCatalogo) {
  Agrega("Cucobrar.dbf", {"NUFAC_CC", "CLCLI_CC", "TIMOV_CC", "OPERA_CC", "IMCUE_CC", "FEAPL_CC", "FEVEN_CC"},
         {{"55", "20", "1", "C", "500", "10/01/2011", "25/01/2011"}, {"55", "20", "3", "A", "200", "15/01/2011", ""}});
  // User 2 lacks right 6.
  EscribeBytes("C:\\VRL\\usuarios.def",
               ArchivoUsuarios({{"adm", DerechosSin({})}, {"caja", DerechosSin({})},
                                {"vista", DerechosSin({DerechoCuentasPorCobrar})}}));
  TFormaClientes clientes;
  clientes.Usuario->setText("2");
  clientes.BotonSaldo->click();
  EXPECT_EQ(Mensajes(), QStringList{kSinAcceso});

  ui::PuertaModal::LimpiaMensajes();
  clientes.Usuario->setText("0");
  bool vista = false;
  ui::PuertaModal::Espera("TFormaCxCDocumento", [&vista](QDialog& d) {
    auto& v = static_cast<TFormaCxCDocumento&>(d);
    vista = true;
    Teclea(d, "Factura", "55");
    Tecla(d, "Factura", Qt::Key_Return);
    EXPECT_EQ(v.Estado->text(), "Deudor");
    EXPECT_EQ(v.Saldo->text().remove(u' '), "$300.00");
    EXPECT_EQ(v.ClaveCliente->text(), "20");
    EXPECT_EQ(v.FechaVencimiento->text(), "25/01/2011");
    EXPECT_EQ(v.tiempo->text(), "vencido  6  dias");
    EXPECT_EQ(v.Detalle->model()->rowCount(), 2);

    Tecla(d, "Factura", Qt::Key_PageDown);
    EXPECT_EQ(v.Factura->text(), "56");
    EXPECT_EQ(v.Estado->text(), "Deudor");
    EXPECT_EQ(v.ClaveCliente->text(), "20");
    EXPECT_EQ(v.Detalle->model()->rowCount(), 0);
  });
  clientes.BotonSaldo->click();
  EXPECT_TRUE(vista);
  EXPECT_EQ(Columna("Cucobrar.dbf", "SALDO_CC"), (QStringList{"300", ""}));
  EXPECT_EQ(Mensajes(), QStringList());
}

// "Saldo..." opens on the latest account of the customer shown; a customer
// without invoice accounts is told so.
TEST_F(CuentasRemision, ElSaldoDelClienteAbreSuUltimaCuenta) {
  Agrega("Cucobrar.dbf", {"NUFAC_CC", "CLCLI_CC", "TIMOV_CC", "OPERA_CC", "IMCUE_CC"},
         {{"55", "20", "1", "C", "500"}, {"61", "19", "1", "C", "80"}, {"58", "20", "1", "C", "120"},
          {"58", "20", "3", "A", "20"}});
  TFormaClientes clientes;
  clientes.Usuario->setText("0");
  clientes.DisparaActivacion();
  struct Caso {
    QString cliente;
    QString cuenta;  // "" when none opens
    QString saldo;
  };
  for (const Caso& c : {Caso{"20", "58", "$100.00"}, Caso{"19", "61", "$80.00"}}) {
    SCOPED_TRACE(c.cliente.toStdString());
    clientes.PosicionaCliente(c.cliente, 0);
    ASSERT_EQ(clientes.EditCLCLI_C->text().trimmed(), c.cliente);
    QString factura, clave, saldo;
    ui::PuertaModal::Espera("TFormaCxCDocumento", [&](QDialog& d) {
      auto& v = static_cast<TFormaCxCDocumento&>(d);
      factura = v.Factura->text();
      clave = v.ClaveCliente->text();
      saldo = v.Saldo->text().remove(u' ');
    });
    clientes.BotonSaldo->click();
    EXPECT_EQ(factura, c.cuenta);
    EXPECT_EQ(clave, c.cliente);
    EXPECT_EQ(saldo, c.saldo);
  }
  EXPECT_EQ(Mensajes(), QStringList());

  Agrega("CLIENTE.DBF", {"CLCLI_C", "NOMBR_C"}, {{"40", "SIN CUENTAS"}});
  clientes.PosicionaCliente("40", 0);
  ASSERT_EQ(clientes.EditCLCLI_C->text().trimmed(), "40");
  clientes.BotonSaldo->click();
  // No window shown (one would be recorded as shown without an answer).
  EXPECT_EQ(ui::PuertaModal::SinRespuesta(), QStringList());
  EXPECT_EQ(Mensajes(), QStringList{"El cliente 40 no tiene cuentas por cobrar de facturas"});
}

}  // namespace
