// Cancelling a saved sale, as a cashier does it: the password of a user
// with the cancel right, the question, then every effect of the sale
// reversed (stock, receivable rows and the return row,
// movement rows, the day's accumulator, the invoice made from it, the
// log); a station killed in the middle of a cancel finishes it, once, when
// it starts again. Changing a saved sale and abandoning a capture.

#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Falla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/PuertaModal.h"
#include "pos/ExistenciasVenta.h"
#include "foundation/UnidadTrabajo.h"
#include "salesdocs/ComandosDocumentos.h"
#include "support/Maneja.h"
#include "support/Proceso.h"
#include "captura_prueba.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

using Pantalla = TFormaCapturaRapida;

QWidget* Foco() { return QApplication::focusWidget(); }
void Escribe(const QString& texto) {
  for (const QChar c : texto) QTest::keyClicks(Foco(), QString(c));
}
void Pulsa(int tecla) {
  QWidget* w = Foco() ? Foco() : QApplication::activeWindow();
  QTest::keyClick(w, static_cast<Qt::Key>(tecla));
}

// F9, each line (quantity, Enter, key, Enter), F10.
void Vende(Pantalla& p, const QList<std::pair<QString, QString>>& lineas) {
  Pulsa(Qt::Key_F9);
  for (const auto& [cantidad, clave] : lineas) {
    Escribe(cantidad);
    Pulsa(Qt::Key_Return);
    Escribe(clave);
    Pulsa(Qt::Key_Return);
  }
  if (p.TablaDeta->State() == db::Dataset::Estado::Insertando) p.TablaDeta->Cancel();
  Pulsa(Qt::Key_F10);
}

QStringList Filas(const QString& archivo, const QStringList& campos,
                  const std::function<bool(const db::Dataset&)>& filtro = {}) {
  auto t = AbreEn(kDatos, archivo);
  QStringList filas;
  for (t->First(); !t->Eof(); t->Next()) {
    if (filtro && !filtro(*t)) continue;
    QStringList fila;
    for (const QString& c : campos) fila << t->FieldByName(c).AsString();
    filas << fila.join(u'|');
  }
  return filas;
}

QString Existencia(const QString& clave) {
  auto t = AbreEn(kDatos, kTablaProductos, kTagClaveProducto);
  return t->FindKey({clave}) ? t->FieldByName("EXIST_I").AsString() : QString();
}

// The cancel answered: the password typed, then the question's answer.
// Returns the question's text ("" when it was not asked).
struct Respuestas {
  QString pregunta;
};
void RespondeCancelar(const QString& clave, Respuestas& r, bool si = true) {
  ui::PuertaModal::Espera("TFormaAdministrador", [clave](QDialog& d) {
    prueba::Teclea(d, "Clave", clave);
    prueba::Pulsa(d, "BitBtn1");
  });
  ui::PuertaModal::Espera("TFormaAdvertencia", [&r, si](QDialog& d) {
    r.pregunta = d.findChild<QLabel*>("Label1")->text();
    prueba::Pulsa(d, si ? "BitBtn1" : "BitBtn2");
  });
}

// The company of these tests: product P1 (A) and P2, a counter customer
// with a balance, receivables of remissions with the counter sale settled
// at once, cuts, a cash ceiling, the document logs and mi.cnf on. User 4
// "cajera" has every right but the cancel right (52).
class Cancelar : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    QString todos(kNumeroDerechos, u's');
    QString libre = todos;
    libre[DerechoLimitarVendedor - 1] = u'n';
    QString sinVentas = todos;
    sinVentas[DerechoFacturacion - 1] = u'n';
    QString sinCancelar = libre;
    sinCancelar[DerechoCancelarVenta - 1] = u'n';
    EscribeUsuarios({{"adm", todos}, {"caja", todos}, {"otra", libre}, {"bodega", sinVentas}, {"cajera", sinCancelar}});
    FijaLinea(ConfIva, "0");
    FijaLinea(ConfTotalAcumulado, "100000");
    FijaLinea(ConfConCortes, "S");
    FijaLinea(ConfBitacora, "S");
    // The log folder the main window makes at start.
    fs::CreaCarpeta(fs::Une(kDatos, "Bitacora"));
    FijaLinea(ConfCxCRemisiones, "S");
    FijaLinea(ConfPagarCxCMostrador, "S");
    EscribeOpciones({{1, "S"}});
    UneDocumentosVenta();
    EscribeLineas(fs::Une(kPrograma, "mi.cnf"), {"con movimientos"});
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "1"}, {"NOMBR_C", "PUBLICO EN GENERAL"}, {"SALDO_C", "100"},
                               {"COMPR_C", "100"}});
    AgregaFila("Cortes.DBF", {{"CORTE", "3"}, {"INICIO", "1"}, {"FIN", "50"}});
    for (const auto& [clave, nombre] : {std::pair{"P1", "TORNILLO"}, std::pair{"P2", "CLAVO"}}) {
      TRegistroProducto p;
      p.CLPRO_I = clave;
      p.DSCPR_I = nombre;
      p.PPUBL_I = Dinero::DeReal(10);
      p.CPROM_I = Dinero::DeReal(6);
      p.UMEDI_I = "pz";
      p.EXIST_I = 50;
      AgregaProducto(p);
    }
  }

  static QStringList Cuentas(const QString& numero) {
    return Filas("CucobrarRemision.DBF", {"CONCE_CC", "TIMOV_CC", "IMCUE_CC", "CORTE"},
                 [&](const db::Dataset& t) { return t.FieldByName("NUFAC_CC").AsString() == numero; });
  }

  // Kits on, and KIT1 (50 in stock) made of 2 P2.
  void AgregaKitDeP2() {
    FijaLinea(ConfKits, "S");
    TRegistroProducto kit;
    kit.CLPRO_I = "KIT1";
    kit.DSCPR_I = "JUEGO";
    kit.PPUBL_I = Dinero::DeReal(25);
    kit.UMEDI_I = "pz";
    kit.EXIST_I = 50;
    kit.KITXX_I = "S";
    AgregaProducto(kit);
    AgregaFila(kTablaKits, {{"CLPRO_I", "KIT1"}, {"CLPRO_K", "P2"}, {"CANTI_K", "2"}, {"DESCR_K", "P2 DEL JUEGO"}});
  }
};

}  // namespace

TEST_F(Cancelar, UnaRemisionCanceladaDevuelveTodoLoQueSuVentaHizo) {
  Abre("4", [&](Pantalla& p) {
    Vende(p, {{"3", "P1"}});
    const QString numero = p.EditCLDOC_F->text();
    ASSERT_EQ(numero, "1");
    ASSERT_EQ(Existencia("P1"), "47");
    ASSERT_FALSE(Cuentas(numero).isEmpty());  // the counter sale settled
    // A remission leaves the customer's balance and total sales as they were.
    ASSERT_EQ(Filas("CLIENTE.DBF", {"SALDO_C", "COMPR_C"}), QStringList{"100|100"});
    ui::PuertaModal::LimpiaMensajes();

    // A password whose user lacks the right: refused, nothing changes.
    ui::PuertaModal::Espera("TFormaAdministrador", [](QDialog& d) {
      prueba::Teclea(d, "Clave", "cajera");
      prueba::Pulsa(d, "BitBtn1");
    });
    p.Cancelar1->trigger();
    EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList{"No se tiene acceso a esta opción"});
    EXPECT_EQ(Filas("Remision.dbf", {"STATU_F"}), QStringList{""});
    ui::PuertaModal::LimpiaMensajes();

    // Answered "No": nothing changes either.
    Respuestas r;
    RespondeCancelar("otra", r, false);
    p.Cancelar1->trigger();
    EXPECT_EQ(r.pregunta, "Esta Seguro que Desea CANCELAR este Documento ?");
    EXPECT_EQ(Filas("Remision.dbf", {"STATU_F"}), QStringList{""});

    // The password of a user with the right.
    RespondeCancelar("otra", r);
    p.Cancelar1->trigger();
    EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList());
    EXPECT_EQ(p.Estado->text(), "Cancelada");
    EXPECT_EQ(Existencia("P1"), "50");
    EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F", "STATU_F", "ORIGE_F"}), QStringList{"1|C|2"});
    EXPECT_EQ(Filas("RemisioD.dbf", {"CLPRO_FD", "TREGI_FD"}), QStringList{"P1|C"});
    EXPECT_EQ(Cuentas(numero), QStringList{"Devolucion 1|12|-30|3"});
    // Its cancel gives back nothing of them: its save added nothing.
    EXPECT_EQ(Filas("CLIENTE.DBF", {"SALDO_C", "COMPR_C"}), QStringList{"100|100"});
    const QStringList acumulado = fs::LeeLineas(fs::Une(kPrograma, "Acumular\\2010-3-5.acu"));
    ASSERT_FALSE(acumulado.isEmpty());
    EXPECT_EQ(acumulado.last(), "-30");
    EXPECT_EQ(Filas("MOVINVEN.DBF", {"CLPRO_MI", "TIMOV_MI", "CANTI_MI"},
                    [](const db::Dataset& t) { return t.FieldByName("TIMOV_MI").AsString() == "54"; }),
              QStringList{"P1|54|3"});
    // The totals row and the sold quantity give the sale back too.
    EXPECT_EQ(Filas("Kardex.dbf", {"CLPRO_I", "SALID_I", "EXIST_I"}), QStringList{"P1|0|0"});
    EXPECT_EQ(Filas(kTablaProductos, {"CLPRO_I", "VANCA_I", "VANMO_I"}), (QStringList{"P1|0|0", "P2||"}));
    const QStringList bitacora = fs::LeeLineas(fs::Une(kDatos, "Bitacora\\R-1.bit"));
    ASSERT_FALSE(bitacora.isEmpty());
    EXPECT_TRUE(bitacora.last().endsWith(" CANCELADA Por Usuario 4")) << bitacora.last().toStdString();

    // Once cancelled, the command is off and a second cancel changes nothing.
    ui::PuertaModal::LimpiaMensajes();
    EXPECT_FALSE(p.Cancelar1->isEnabled());
    p.Cancelar1->trigger();
    EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList());
    EXPECT_EQ(Existencia("P1"), "50");
    EXPECT_EQ(Cuentas(numero).size(), 1);
  });
}

TEST_F(Cancelar, LaFacturaGeneradaSeCancelaYSusAbonosSeAvisan) {
  AgregaFila("FacturaE.dbf", {{"CLDOC_F", "77"}, {"ABONO_F", "5"}});
  AgregaFila("FacturaD.dbf", {{"CLDOC_FD", "77"}, {"CLPRO_FD", "P1"}});
  AgregaFila("FacturaD.dbf", {{"CLDOC_FD", "78"}, {"CLPRO_FD", "P2"}});
  Abre("0", [&](Pantalla& p) {
    Vende(p, {{"2", "P1"}});
    // Invoiced by another station, and paid by cheque.
    {
      auto e = AbreEn(kDatos, "Remision.dbf");
      e->First();
      e->Edit();
      e->FieldByName("REMIS_F").SetAsString("F77");
      e->FieldByName("PAGOX_F").SetAsString("Cheque");
      e->Post();
    }
    p.TablaFacturae->Refresh();
    p.MuestraDocumento();
    ui::PuertaModal::LimpiaMensajes();
    Respuestas r;
    // The administrator passes with any password.
    RespondeCancelar("no es", r);
    p.Cancelar1->trigger();
    EXPECT_EQ(ui::PuertaModal::Mensajes().value(0), "El Documento Generó una Factura y Esta Tiene Aplicados AbonoF77");
    EXPECT_EQ(Filas("Remision.dbf", {"STATU_F", "ORIGE_F"}), QStringList{"C|0"});
    EXPECT_EQ(Filas("FacturaE.dbf", {"CLDOC_F", "STATU_F"}), QStringList{"77|C"});
    EXPECT_EQ(Filas("FacturaD.dbf", {"CLDOC_FD", "TREGI_FD"}), (QStringList{"77|C", "78|"}));
    // Paid by cheque: no return row.
    EXPECT_EQ(Cuentas("1"), QStringList());
    EXPECT_EQ(Existencia("P1"), "50");
  });
}

TEST_F(Cancelar, UnaDevolucionCanceladaEscribeConcepto3YNoTocaExistencias) {
  Abre("0", [&](Pantalla& p) {
    Vende(p, {{"2", "P2"}});
    ASSERT_EQ(Existencia("P2"), "48");
    // The kind "Devolución" shows the same tables.
    p.Base->setCurrentText("Devolución");
    p.BaseChange();
    ASSERT_EQ(p.EditCLDOC_F->text(), "1");
    Respuestas r;
    RespondeCancelar("adm", r);
    p.Cancelar1->trigger();
    EXPECT_EQ(p.Estado->text(), "Cancelada");
    EXPECT_EQ(Filas("Remision.dbf", {"STATU_F"}), QStringList{"C"});
    EXPECT_EQ(Filas("RemisioD.dbf", {"TREGI_FD"}), QStringList{"C"});
    EXPECT_EQ(Existencia("P2"), "48");
    // The sale's row and the cancel's, both concept 3; none of 54.
    EXPECT_EQ(Filas("MOVINVEN.DBF", {"CLPRO_MI", "TIMOV_MI", "CANTI_MI"}), (QStringList{"P2|3|2", "P2|3|2"}));
    EXPECT_EQ(Filas("CLIENTE.DBF", {"SALDO_C", "COMPR_C"}), QStringList{"100|100"});
  });
}

TEST_F(Cancelar, UnKitModificadoSinCambiosDejaLasExistenciasDeSusComponentes) {
  EscribeLineas(fs::Une(kPrograma, "mdf.cnf"), {kClaveModificacion});
  AgregaKitDeP2();
  Abre("1", [&](Pantalla& p) {
    Vende(p, {{"3", "KIT1"}});
    ASSERT_EQ(Existencia("P2"), "44");
    p.Modificar1->trigger();
    ASSERT_EQ(ui::Tag(p.BotonCambios), 1);
    Pulsa(Qt::Key_F10);
    EXPECT_EQ(ui::Tag(p.BotonCambios), 0);
    EXPECT_EQ(Existencia("KIT1"), "47");
    EXPECT_EQ(Existencia("P2"), "44");
  });
}

// A kit sold with the movement rows on: its own line wrote a row, its
// components none. The cancel reverses that row alone and gives every
// stock back.
TEST_F(Cancelar, UnKitCanceladoRevierteSoloLosRenglonesQueSuVentaEscribio) {
  AgregaKitDeP2();
  Abre("0", [&](Pantalla& p) {
    Vende(p, {{"3", "KIT1"}});
    ASSERT_EQ(Existencia("P2"), "44");
    Respuestas r;
    RespondeCancelar("adm", r);
    p.Cancelar1->trigger();
  });
  EXPECT_EQ(Existencia("KIT1"), "50");
  EXPECT_EQ(Existencia("P2"), "50");
  EXPECT_EQ(Filas("MOVINVEN.DBF", {"CLPRO_MI", "TIMOV_MI", "CANTI_MI"}), (QStringList{"KIT1|3|3", "KIT1|54|3"}));
  EXPECT_EQ(Filas("Kardex.dbf", {"CLPRO_I", "SALID_I", "EXIST_I"}), (QStringList{"KIT1|0|0", "P2|0|0"}));
}

// A change gives back everything the sale did before its new lines apply
// theirs: selling 3 and changing it to 1 counts 1 sold in the stock, the
// totals row, the sold quantity and amount, the movement rows (the old
// one reversed) and the day's accumulator (the old total taken out).
TEST_F(Cancelar, UnCambioDe3A1CuentaUnoVendidoEnTodo) {
  EscribeLineas(fs::Une(kPrograma, "mdf.cnf"), {kClaveModificacion});
  Abre("1", [&](Pantalla& p) {
    Vende(p, {{"3", "P1"}});
    const QString antes = Filas("Remision.dbf", {"CONTROL"}).value(0);
    p.Modificar1->trigger();
    ASSERT_EQ(ui::Tag(p.BotonCambios), 1);
    p.TablaDeta->First();
    p.TablaDeta->Edit();
    p.TablaDeta->FieldByName("CANTIDAD").SetAsFloat(1);
    p.TablaDeta->Post();
    Pulsa(Qt::Key_F10);
    ASSERT_EQ(ui::Tag(p.BotonCambios), 0);
    const QString despues = Filas("Remision.dbf", {"CONTROL"}).value(0);
    EXPECT_EQ(Filas("MOVINVEN.DBF", {"CLPRO_MI", "TIMOV_MI", "CANTI_MI", "NUDOC_MI"}),
              (QStringList{"P1|3|3|R1-" + antes, "P1|54|3|R1-" + antes, "P1|3|1|R1-" + despues}));
  });
  EXPECT_EQ(Existencia("P1"), "49");
  EXPECT_EQ(Filas("Kardex.dbf", {"CLPRO_I", "SALID_I", "EXIST_I", "INVEN_I"}), QStringList{"P1|-1|-1|49"});
  EXPECT_EQ(Filas(kTablaProductos, {"CLPRO_I", "VANCA_I", "VANMO_I"}).value(0), "P1|1|10");
  EXPECT_EQ(fs::LeeLineas(fs::Une(kPrograma, "Acumular\\2010-3-5.acu")), (QStringList{"30", "-30", "10"}));
}

// Negative stock refused: a sale over the stock took what there was, and
// that is what its cancel gives back.
TEST_F(Cancelar, UnaVentaSobreLaExistenciaDevuelveLoQueTomo) {
  FijaLinea(ConfFacturarSinExistencias, "S");
  FijaLinea(ConfExistenciasNegativas, "N");
  Abre("0", [&](Pantalla& p) {
    Vende(p, {{"60", "P1"}});
    ASSERT_EQ(Existencia("P1"), "0");
    Respuestas r;
    RespondeCancelar("adm", r);
    p.Cancelar1->trigger();
  });
  EXPECT_EQ(Existencia("P1"), "50");
  EXPECT_EQ(Filas(kTablaProductos, {"CLPRO_I", "VANCA_I"}).value(0), "P1|0");
  EXPECT_EQ(Filas("Kardex.dbf", {"CLPRO_I", "SALID_I", "EXIST_I"}), QStringList{"P1|0|0"});
}

namespace {

// A station that cancels remission 1 and dies at the given pass of the
// "written, not yet journaled" point.
RUTINA_HIJA(CancelaYMuere) {
  int argc = 1;
  char nombre[] = "estacion";
  char* argv[] = {nombre, nullptr};
  ui::Aplicacion app(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  fs::FijaAhora(QDateTime(QDate(2010, 3, 5), QTime(11, 0, 0)));
  auto pantalla = std::make_unique<Pantalla>();
  pantalla->usuario->setText("0");
  ui::PuertaModal::Espera("TFormaCapturaRapida", [&](QDialog& d) {
    auto& p = static_cast<Pantalla&>(d);
    Respuestas r;
    RespondeCancelar("adm", r);
    falla::Arma(QString::fromLatin1(guardado::puntos::kEscrito), argumentos.value(0).toInt());
    prueba::AvisaPadre("ARMADO");
    p.Cancelar1->trigger();
  });
  pantalla->ShowModal();
  return 0;  // the point was never reached
}

}  // namespace

TEST_F(Cancelar, UnaEstacionMuertaAMitadDeCancelarTerminaLaCancelacionUnaVezAlVolver) {
  Abre("0", [&](Pantalla& p) { Vende(p, {{"3", "P1"}, {"2", "P2"}}); });
  ASSERT_EQ(Existencia("P1"), "47");
  const auto revisa = [&](bool) {
    // The station starts again: the cancel is finished, each effect once.
    ui::PuertaModal::LimpiaMensajes();
    Abre("0", [&](Pantalla&) {});
    EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList());
    EXPECT_EQ(Filas("Remision.dbf", {"STATU_F"}), QStringList{"C"});
    EXPECT_EQ(Filas("RemisioD.dbf", {"TREGI_FD"}), (QStringList{"C", "C"}));
    // A stock write a kill left unknown is noted in Existe.dbf, never made twice.
    const QStringList dudosas = Filas(kTablaFaltantes, {"CLAVE"});
    for (const auto& [clave, vendida] : {std::pair{"P1", "47"}, std::pair{"P2", "48"}}) {
      if (dudosas.contains(clave)) EXPECT_TRUE(Existencia(clave) == "50" || Existencia(clave) == vendida);
      else EXPECT_EQ(Existencia(clave), "50");
    }
    EXPECT_EQ(Cuentas("1"), QStringList{"Devolucion 1|12|-50|3"});
    EXPECT_EQ(Filas("CLIENTE.DBF", {"SALDO_C"}), QStringList{"100"});
    EXPECT_EQ(Filas("MOVINVEN.DBF", {"CLPRO_MI"},
                    [](const db::Dataset& t) { return t.FieldByName("TIMOV_MI").AsString() == "54"; })
                  .size(),
              2);
  };
  const int muertes = prueba::MuereEnCadaEscritura(fs::Local("C:\\"), "CancelaYMuere", {}, {{QString(), {}}}, revisa, 40);
  EXPECT_GE(muertes, 5);
}

TEST_F(Cancelar, ModificarGuardaLaVentaConSusNuevasLineasYElMismoNumero) {
  EscribeLineas(fs::Une(kPrograma, "mdf.cnf"), {kClaveModificacion});
  Abre("1", [&](Pantalla& p) {
    Vende(p, {{"3", "P1"}, {"1", "P2"}});
    ASSERT_EQ(p.EditCLDOC_F->text(), "1");
    ASSERT_EQ(Existencia("P1"), "47");
    p.Modificar1->trigger();
    ASSERT_EQ(ui::Tag(p.BotonCambios), 1);
    EXPECT_EQ(p.EstadoCaptura->text(), "Capturando...");
    EXPECT_EQ(QFileInfo(fs::Local(fs::Une(kPrograma, "buferenc.tmp"))).size(), 465);
    EXPECT_EQ(QFileInfo(fs::Local(fs::Une(kPrograma, "bufer.tmp"))).size(), 240);
    // A changes from 3 to 1.
    for (p.TablaDeta->First(); !p.TablaDeta->Eof(); p.TablaDeta->Next()) {
      if (p.TablaDeta->FieldByName("CLAVE").AsString() != "P1") continue;
      p.TablaDeta->Edit();
      p.TablaDeta->FieldByName("CANTIDAD").SetAsFloat(1);
      p.TablaDeta->Post();
    }
    ui::PuertaModal::LimpiaMensajes();
    Pulsa(Qt::Key_F10);
    EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList());
    EXPECT_EQ(ui::Tag(p.BotonCambios), 0);
    const QStringList encabezado = Filas("Remision.dbf", {"CLDOC_F", "CONTROL"});
    ASSERT_EQ(encabezado.size(), 1);
    const QString control = encabezado[0].section(u'|', 1);
    EXPECT_EQ(encabezado[0].section(u'|', 0, 0), "1");
    QStringList lineas = Filas("RemisioD.dbf", {"CLPRO_FD", "CANTI_FD", "CONTROL"},
                               [](const db::Dataset& t) { return t.FieldByName("CANTI_FD").AsFloat() > 0; });
    lineas.sort();
    EXPECT_EQ(lineas, (QStringList{"P1|1|" + control, "P2|1|" + control}));
    EXPECT_EQ(Existencia("P1"), "49");
    EXPECT_EQ(Existencia("P2"), "49");
    const QStringList bitacora = fs::LeeLineas(fs::Une(kDatos, "Bitacora\\R-1.bit"));
    EXPECT_TRUE(bitacora.join(u'\n').contains(" MODIFICADO Por Usuario 1"));

    // A cancelled document cannot be changed.
    Respuestas r;
    RespondeCancelar("adm", r);
    p.Cancelar1->trigger();
    ui::PuertaModal::LimpiaMensajes();
    p.Modificar1->trigger();
    EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList{"No se Puede MODIFICAR un Documento CANCELADO..."});
    EXPECT_EQ(ui::Tag(p.BotonCambios), 0);
  });
}

// A line typed by keys during "Modificar" (quantity, Enter, key, Enter) is
// a new line of the document; the saved lines stay as they were.
TEST_F(Cancelar, EnUnCambioUnaLineaTecleadaSeAgregaALasDelDocumento) {
  EscribeLineas(fs::Une(kPrograma, "mdf.cnf"), {kClaveModificacion});
  Abre("1", [&](Pantalla& p) {
    Vende(p, {{"3", "P1"}, {"1", "P2"}});
    p.Modificar1->trigger();
    ASSERT_EQ(ui::Tag(p.BotonCambios), 1);
    p.EditCantidad->setFocus();
    Escribe("4");
    Pulsa(Qt::Key_Return);
    Escribe("P2");
    Pulsa(Qt::Key_Return);
    ui::PuertaModal::LimpiaMensajes();
    Pulsa(Qt::Key_F10);
    EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList());
    EXPECT_EQ(ui::Tag(p.BotonCambios), 0);
    QStringList lineas = Filas("RemisioD.dbf", {"CLPRO_FD", "CANTI_FD"});
    lineas.sort();
    EXPECT_EQ(lineas, (QStringList{"P1|3", "P2|1", "P2|4"}));
    EXPECT_EQ(Existencia("P1"), "47");
    EXPECT_EQ(Existencia("P2"), "45");
  });
}

TEST_F(Cancelar, CancelaMovimientoTiraLaCapturaYMuestraElDocumentoGuardado) {
  EscribeLineas(fs::Une(kPrograma, "mdf.cnf"), {kClaveModificacion});
  Abre("1", [&](Pantalla& p) {
    Vende(p, {{"3", "P1"}});
    Vende(p, {{"2", "P2"}});
    ASSERT_EQ(p.EditCLDOC_F->text(), "2");
    // A new document thrown away.
    Pulsa(Qt::Key_F9);
    Escribe("4");
    Pulsa(Qt::Key_Return);
    Escribe("P1");
    Pulsa(Qt::Key_Return);
    ASSERT_EQ(p.EditCLDOC_F->text(), "3");
    p.CancelaMovimiento1->trigger();
    EXPECT_EQ(p.TablaFacturae->NombreTabla().toLower(), "remision.dbf");
    EXPECT_EQ(p.EditCLDOC_F->text(), "2");
    EXPECT_EQ(ColumnaCaptura(*p.TablaDeta, "CLAVE"), QStringList{"P2"});
    EXPECT_EQ(ui::Tag(p.BotonNuevo), 0);
    EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F"}), (QStringList{"1", "2"}));
    EXPECT_EQ(Existencia("P1"), "47");

    // A change given up: the header's lock goes with it.
    p.Modificar1->trigger();
    ASSERT_EQ(ui::Tag(p.BotonCambios), 1);
    p.CancelaMovimiento1->trigger();
    EXPECT_EQ(ui::Tag(p.BotonCambios), 0);
    EXPECT_EQ(p.TablaFacturae->State(), db::Dataset::Estado::Navegando);
    auto otra = AbreEn(kDatos, "Remision.dbf", "INUMENC");
    ASSERT_TRUE(otra->FindKey({2}));
    otra->Edit();
    otra->Cancel();
    EXPECT_EQ(Existencia("P2"), "48");
  });
}

namespace {

// A station that takes remission 1 into change and goes on one step at each
// word of the parent: its line to 5 units (whose totals post the header), the
// print command (refused while in capture) with the totals run again, then
// the save of the change.
RUTINA_HIJA(ModificaPorPasos) {
  int argc = 1;
  char nombre[] = "estacion";
  char* argv[] = {nombre, nullptr};
  ui::Aplicacion app(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  auto pantalla = std::make_unique<Pantalla>();
  pantalla->usuario->setText("1");
  ui::PuertaModal::Espera("TFormaCapturaRapida", [&](QDialog& d) {
    auto& p = static_cast<Pantalla&>(d);
    p.Modificar1->trigger();
    prueba::AvisaPadre(ui::Tag(p.BotonCambios) == 1 ? "MODIFICANDO" : "NO");
    prueba::EsperaPadre();
    if (p.TablaDeta->State() != db::Dataset::Estado::Navegando) p.TablaDeta->Post();
    p.TablaDeta->First();
    p.TablaDeta->Edit();
    p.TablaDeta->FieldByName("CANTIDAD").SetAsFloat(5);
    p.TablaDeta->Post();
    p.CalculaTotales();
    prueba::AvisaPadre("LINEA " + p.TotalFact->text().simplified());
    prueba::EsperaPadre();
    ui::PuertaModal::LimpiaMensajes();
    // The print commands are closed while in capture; the print routine,
    // which other windows call, refuses.
    p.ImprimirDocumento1->trigger();
    p.Imprimir1->trigger();
    p.BotonImprimirClick();
    p.CalculaTotales();
    prueba::AvisaPadre("IMPRIME " + ui::PuertaModal::Mensajes().join(u'|'));
    prueba::EsperaPadre();
    Pulsa(Qt::Key_F10);
    prueba::AvisaPadre(ui::Tag(p.BotonCambios) == 0 ? "GUARDADO" : "NO");
    prueba::EsperaPadre();
  });
  pantalla->ShowModal();
  return 0;
}

}  // namespace

// One station per document: while one station has remission 1 in change,
// whatever it does (a line, printing, the totals), another station's
// "Modificar" is refused; once saved, the other gets in, on the document as
// the first one left it, and each save counts once in stock and lines.
TEST_F(Cancelar, DosEstacionesNoModificanElMismoDocumentoALaVez) {
  EscribeLineas(fs::Une(kPrograma, "mdf.cnf"), {kClaveModificacion});
  Abre("1", [&](Pantalla& p) { Vende(p, {{"3", "P1"}}); });
  prueba::ProcesoHijo otra("ModificaPorPasos");
  ASSERT_EQ(otra.EsperaLinea(60000), "MODIFICANDO");
  Abre("1", [&](Pantalla& p) {
    ASSERT_EQ(p.EditCLDOC_F->text(), "1");
    const auto rechazada = [&](const char* paso) {
      SCOPED_TRACE(paso);
      ui::PuertaModal::LimpiaMensajes();
      p.Modificar1->trigger();
      EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList{"Este documento esta siendo Modificado por otro usuario..."});
      EXPECT_EQ(ui::Tag(p.BotonCambios), 0);
      EXPECT_EQ(p.EstadoCaptura->text(), "Terminada");
    };
    rechazada("tomado");
    otra.Envia("SIGUE");
    ASSERT_EQ(otra.EsperaLinea(60000), "LINEA 50.00");
    rechazada("con la linea cambiada");
    otra.Envia("SIGUE");
    ASSERT_EQ(otra.EsperaLinea(60000), "IMPRIME Para Imprimir tiene que Guardar el Documento...");
    rechazada("tras imprimir y totalizar");
    otra.Envia("SIGUE");
    ASSERT_EQ(otra.EsperaLinea(60000), "GUARDADO");

    // Saved (its screen still open), the document is free: here now, on the
    // lines the other station saved, P1 goes from 5 to 1.
    ui::PuertaModal::LimpiaMensajes();
    p.Modificar1->trigger();
    EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList());
    ASSERT_EQ(ui::Tag(p.BotonCambios), 1);
    // The document's lines, and the new line the capture waits on.
    QStringList captura;
    for (p.TablaDeta->First(); !p.TablaDeta->Eof(); p.TablaDeta->Next()) {
      captura << p.TablaDeta->FieldByName("CLAVE").AsString() + u'=' + p.TablaDeta->FieldByName("CANTIDAD").AsString();
      if (p.TablaDeta->FieldByName("CLAVE").AsString() != "P1") continue;
      p.TablaDeta->Edit();
      p.TablaDeta->FieldByName("CANTIDAD").SetAsFloat(1);
      p.TablaDeta->Post();
    }
    captura.sort();
    EXPECT_EQ(captura, (QStringList{"=1", "P1=5"}));
    Pulsa(Qt::Key_F10);
    EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList());
    EXPECT_EQ(ui::Tag(p.BotonCambios), 0);
  });
  otra.Envia("CIERRA");
  EXPECT_EQ(otra.Espera(), 0);
  // Each save once: the stock is the initial one less the lines that stand.
  const QStringList encabezado = Filas("Remision.dbf", {"CONTROL", "IMTOD_F"});
  ASSERT_EQ(encabezado.size(), 1);
  EXPECT_EQ(encabezado[0].section(u'|', 1), "10");
  QStringList lineas = Filas("RemisioD.dbf", {"CLPRO_FD", "CANTI_FD", "CONTROL"},
                             [](const db::Dataset& t) { return t.FieldByName("CANTI_FD").AsFloat() > 0; });
  lineas.sort();
  const QString control = encabezado[0].section(u'|', 0, 0);
  EXPECT_EQ(lineas, QStringList{"P1|1|" + control});
  EXPECT_EQ(Existencia("P1"), "49");
}
