// The commands of the legacy window's menus as a cashier uses them: a
// remission or return cancelled (rights, question, stock, balance,
// movement rows, marks) and a station killed in the middle of it; a
// document deleted; the document in progress dropped; the price unlock;
// printing and reprinting, a range, pay and print with the header held by
// another station; the register slots, the package and tare options, the
// quick formats, the totals breakdown and the search.

#include "factura_prueba.h"

#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Falla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Texto.h"
#include "platform/print/Impresora.h"
#include "platform/print/Impresoras.h"
#include "platform/print/Registro.h"
#include "platform/ui/Aplicacion.h"
#include "pos/CaptuRap_comun.h"
#include "pos/RegistroCaja.h"
#include "foundation/UnidadTrabajo.h"
#include "reports/Formatos.h"
#include "salesdocs/ReportesVenta.h"
#include "shell/LineasConfiguracion.h"
#include "support/ImpresionPrueba.h"
#include "support/LanzadorGrabador.h"
#include "support/Proceso.h"
#include "support/SostieneRegistro.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

namespace {

RUTINA_HIJA(SostieneEncabezadoFactura) { return prueba::SostieneRegistro(argumentos); }

void Producto(const QString& clave, double precio, double existencia) {
  TRegistroProducto p;
  p.CLPRO_I = clave;
  p.DSCPR_I = "ARTICULO " + clave;
  p.PPUBL_I = Dinero::DeReal(precio);
  p.CPROM_I = Dinero::DeReal(precio / 2);
  p.UMEDI_I = "pza";
  p.EXIST_I = existencia;
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla("INVENTAR.DBF");
  t.Open();
  t.Append();
  p.Escribe(t);
  t.Post();
}

// F9, each line typed into the grid (quantity and key, then the
// description column entered), F10.
void Captura(TFormaFactura& f, const QList<std::pair<QString, QString>>& lineas) {
  f.BotonNuevo->click();
  for (const auto& [cantidad, clave] : lineas) {
    db::Tabla& d = *f.TablaDeta;
    if (d.State() != db::Dataset::Estado::Insertando) d.Append();
    d.FieldByName("CANTIDAD").SetAsString(cantidad);
    d.FieldByName("CLAVE").SetAsString(clave);
    d.Post();
    f.Detalle->SetSelectedIndex(1);
    f.Detalle->SetSelectedIndex(2);
  }
  f.BotonGuardar->click();
}

// The named fields of the rows of a data-folder table that pass the
// filter, joined by "|".
QStringList Filas(const QString& archivo, const QStringList& campos,
                  const std::function<bool(const db::Dataset&)>& filtro = {}) {
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla(archivo);
  t.Open();
  QStringList filas;
  for (t.First(); !t.Eof(); t.Next()) {
    if (filtro && !filtro(t)) continue;
    QStringList fila;
    for (const QString& c : campos) fila << t.FieldByName(c).AsString();
    filas << fila.join(u'|');
  }
  return filas;
}

QString Existencia(const QString& clave) {
  const QStringList f =
      Filas("INVENTAR.DBF", {"EXIST_I"}, [&](const db::Dataset& t) { return t.FieldByName("CLPRO_I").AsString() == clave; });
  return f.value(0);
}

QStringList Conceptos(const QString& concepto) {
  return Filas("Movinven.DBF", {"CLPRO_MI", "CANTI_MI", "NUDOC_MI"},
               [&](const db::Dataset& t) { return t.FieldByName("TIMOV_MI").AsString() == concepto; });
}

// The password prompt answered with a password, and the question with
// "Si" or "No" (its text and caption kept).
void Clave(const QString& clave) {
  ui::PuertaModal::Espera("TFormaAdministrador", [clave](QDialog& d) {
    prueba::Teclea(d, "Clave", clave);
    prueba::Pulsa(d, "BitBtn1");
  });
}
struct Pregunta {
  QString texto, titulo;
};
void Responde(Pregunta& p, bool si = true) {
  ui::PuertaModal::Espera("TFormaAdvertencia", [&p, si](QDialog& d) {
    p.texto = d.findChild<QLabel*>("Label1")->text();
    p.titulo = d.windowTitle();
    prueba::Pulsa(d, si ? "BitBtn1" : "BitBtn2");
  });
}

// A station that cancels the document shown (the last saved) with the
// fault seam armed at argumentos[0], pass argumentos[1].
RUTINA_HIJA(FacturaMuereAlCancelar) {
  int argc = 1;
  char nombre[] = "estacion";
  char* argv[] = {nombre, nullptr};
  ui::Aplicacion app(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  auto ventana = std::make_unique<TFormaFactura>();
  ventana->usuario->setText("0");
  ui::PuertaModal::Espera("TFormaFactura", [&](QDialog& d) {
    auto& f = static_cast<TFormaFactura&>(d);
    ui::PuertaModal::Espera("TFormaAdvertencia", [](QDialog& a) { prueba::Pulsa(a, "BitBtn1"); });
    falla::Arma(argumentos.value(0), argumentos.value(1).toInt());
    prueba::AvisaPadre("ARMADO");
    f.Cancelar1->trigger();
    falla::Desarma();
    if (f.isVisible()) f.Close();
  });
  ventana->ShowModal();
  return 0;
}

// Users: 0 "adm" and 1 "caja" with every right; 2 "limitada" without the
// rights to cancel (52), to change prices (51) and to change documents
// (22). Movements on, products A (10, 50 in stock) and B (4, 20), the
// counter customer with a balance of 100.
class ComandosFactura : public FacturaPrueba {
 protected:
  void SetUp() override {
    FacturaPrueba::SetUp();
    QString todos(kNumeroDerechos, u's');
    QString limitada = todos;
    for (int d : {DerechoCancelarVenta, DerechoCambiarPrecios, DerechoCambioFacturacion}) limitada[d - 1] = u'n';
    EscribeUsuarios({{"adm", todos}, {"caja", todos}, {"limitada", limitada}});
    FijaLinea(ConfIntegraMovimientos, "SI");
    FijaLinea(ConfFacturarSinExistencias, "S");
    FijaLinea(ConfIva, "0");
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "1"}, {"NOMBR_C", "MOSTRADOR"}, {"SALDO_C", "100"}, {"COMPR_C", "100"}});
    Producto("A", 10, 50);
    Producto("B", 4, 20);
  }
  static QString Estado(const QString& numero) {
    return Filas("Remision.dbf", {"STATU_F"}, [&](const db::Dataset& t) {
             return t.FieldByName("CLDOC_F").AsString() == numero;
           }).value(0, "<ninguno>");
  }
};

}  // namespace

// --- Cancel.

TEST_F(ComandosFactura, CancelarUnaRemisionDevuelveSuExistenciaYEscribeSusMovimientos) {
  AbreFactura("0", [](TFormaFactura& f) {
    Captura(f, {{"3", "A"}});
    const QString numero = f.EditCLDOC_F->text();
    ASSERT_EQ(Existencia("A"), "47");
    const QString control = f.TablaFacturae->FieldByName("CONTROL").AsString();
    ui::PuertaModal::LimpiaMensajes();

    // "No": nothing changes.
    Pregunta p;
    Responde(p, false);
    f.Cancelar1->trigger();
    EXPECT_EQ(p.texto, "Esta Seguro que Desea CANCELAR este Documento ?");
    EXPECT_EQ(Estado(numero), "");

    Responde(p);
    f.Cancelar1->trigger();
    EXPECT_EQ(Mensajes(), QStringList());
    EXPECT_TRUE(ui::PuertaModal::SinRespuesta().isEmpty());
    EXPECT_EQ(f.Estado->text(), "Cancelada");
    EXPECT_EQ(Estado(numero), "C");
    EXPECT_EQ(Filas("RemisioD.dbf", {"CLPRO_FD", "TREGI_FD"}), QStringList{"A|C"});
    EXPECT_EQ(Existencia("A"), "50");
    EXPECT_EQ(Conceptos("54"), QStringList{"A|3|R" + numero + "-" + control});
    EXPECT_EQ(Conceptos("3").size(), 1);  // the save's row stays
    EXPECT_EQ(Filas("CLIENTE.DBF", {"SALDO_C", "COMPR_C"}), QStringList{"100|100"});  // a remission never raised them
    EXPECT_FALSE(QFile::exists(fs::Local(fs::Une(kPrograma, "Factura1.jnl"))));

    // Twice: told, nothing changes.
    Responde(p);
    f.Cancelar1->trigger();
    EXPECT_EQ(Mensajes(), QStringList{"La Factura Ya Fue Cancelada"});
    EXPECT_EQ(Existencia("A"), "50");
    EXPECT_EQ(Conceptos("54").size(), 1);
    EXPECT_EQ(Filas("CLIENTE.DBF", {"SALDO_C"}), QStringList{"100"});
  });
}

TEST_F(ComandosFactura, UnaDevolucionCanceladaDejaLaExistenciaComoAntesYLaCajaChicaNada) {
  // A saved return of 4 of C, which its save restocked from 20 to 24.
  Producto("C", 4, 24);
  AgregaRemision(30, {{"CONTROL", "300"}, {"CLCLI_F", "1"}, {"IMTOD_F", "16"}});
  AgregaPartida(30, 300, "C", "4", "4");
  AgregaFila("CajaChic.dbf", {{"CLDOC_F", "3"}, {"CONTROL", "30"}});
  AbreFactura("0", [](TFormaFactura& f) {
    f.Base->setCurrentText(kBaseDevolucion);
    f.BaseChange();
    ASSERT_EQ(f.EditCLDOC_F->text(), "30");
    const QString numero = f.EditCLDOC_F->text();
    Pregunta p;
    Responde(p);
    f.Cancelar1->trigger();
    EXPECT_EQ(Mensajes(), QStringList());
    EXPECT_EQ(Existencia("C"), "20");
    EXPECT_EQ(Estado(numero), "C");
    EXPECT_EQ(Conceptos("3"), QStringList{"C|4|D30-300"});  // the cancel's row of the return
    EXPECT_EQ(Filas("CLIENTE.DBF", {"SALDO_C"}), QStringList{"100"});
    EXPECT_EQ(f.Estado->text(), "Cancelada");

    // Petty cash: the question, then nothing.
    f.Base->setCurrentText(kBaseCajaChica);
    f.BaseChange();
    ASSERT_TRUE(HayFila(*f.TablaFacturae));
    const QByteArray antes = Bytes(kDatos, f.TablaFacturae->NombreTabla());
    Responde(p);
    f.Cancelar1->trigger();
    EXPECT_EQ(p.texto, "Esta Seguro que Desea CANCELAR este Documento ?");
    EXPECT_EQ(Bytes(kDatos, f.TablaFacturae->NombreTabla()), antes);
  });
}

TEST_F(ComandosFactura, SinElDerechoDeCancelarLaClaveDelAdministradorDecide) {
  QString numero;
  AbreFactura("1", [&](TFormaFactura& f) {
    Captura(f, {{"3", "A"}});
    numero = f.EditCLDOC_F->text();
  });
  AbreFactura("2", [&](TFormaFactura& f) {
    ui::PuertaModal::LimpiaMensajes();
    Clave("otra");
    f.Cancelar1->trigger();
    EXPECT_EQ(Mensajes(), (QStringList{kSinAcceso, "No se tiene acceso a esta opción"}));
    EXPECT_EQ(Estado(numero), "");
    ui::PuertaModal::LimpiaMensajes();
    Clave("adm");
    Pregunta p;
    Responde(p);
    f.Cancelar1->trigger();
    EXPECT_EQ(Estado(numero), "C");
    EXPECT_EQ(Existencia("A"), "50");
  });
}

// A kit remission saved by the sale screen (the kit line and its component
// lines, the components' stock lowered): cancelled here, every stock is
// back, and only the kit line, whose sale wrote a movement row, gets its
// reversal.
TEST_F(ComandosFactura, UnaRemisionDeKitCanceladaDevuelveLosComponentes) {
  Producto("K", 25, 28);  // 30 less the kit sold
  Producto("C", 1, 16);   // 20 less 2 × 2
  AgregaRemision(40, {{"CONTROL", "400"}, {"CLCLI_F", "1"}, {"IMTOD_F", "50"}});
  AgregaPartida(40, 400, "K", "2", "25", {{"TIPOX_FD", "K"}, {"INICIAL", "30"}, {"FINAL", "28"}});
  AgregaPartida(40, 400, "C", "4", "0", {{"TIPOX_FD", "X"}, {"PCOMI_FD", "-1"}});
  AgregaFila("Movinven.DBF", {{"CLDOC_MI", "1"}, {"TIMOV_MI", "3"}, {"NUDOC_MI", "R40-400"}, {"CONTROL", "400"},
                              {"CLPRO_MI", "K"}, {"CANTI_MI", "2"}});
  AbreFactura("0", [](TFormaFactura& f) {
    ASSERT_EQ(f.EditCLDOC_F->text(), "40");
    // Shown, the kit's components are not lines of the document.
    EXPECT_EQ(f.TablaDeta->RecordCount(), 1);
    Pregunta p;
    Responde(p);
    f.Cancelar1->trigger();
    EXPECT_EQ(Mensajes(), QStringList());
  });
  EXPECT_EQ(Existencia("K"), "30");
  EXPECT_EQ(Existencia("C"), "20");
  EXPECT_EQ(Conceptos("54"), QStringList{"K|2|R40-400"});
}

// Deleting gives stock back only for what the document took and still
// holds: not for a cancelled remission (its cancel gave it back), nor for
// an invoice made from remissions (they took it); and only the document's
// own lines go, not another document's of the same number.
TEST_F(ComandosFactura, EliminarDevuelveSoloLoQueElDocumentoTomo) {
  AgregaRemision(30, {{"CONTROL", "300"}, {"CLCLI_F", "1"}, {"STATU_F", "C"}});
  AgregaPartida(30, 300, "A", "3", "10", {{"TREGI_FD", "C"}});
  AgregaPartida(30, 299, "B", "1", "4");
  AgregaFila("Facturae.dbf", {{"CLDOC_F", "8"}, {"CONTROL", "80"}, {"CLCLI_F", "1"}, {"CLPED_F", "R7"}});
  AgregaPartida(8, 80, "A", "2", "10", {{"TDOCU_FD", "F"}}, "FacturaD.dbf");
  AbreFactura("1", [](TFormaFactura& f) {
    ASSERT_EQ(f.EditCLDOC_F->text(), "30");
    Pregunta p;
    Responde(p);
    f.Eliminar1->trigger();
  });
  // The invoice, opened from the browser.
  ui::PuertaModal::Espera("TFormaFactura", [](QDialog& d) {
    auto& f = static_cast<TFormaFactura&>(d);
    Pregunta p;
    Responde(p);
    f.Eliminar1->trigger();
    f.Close();
  });
  AbreDocumentoFactura("facturae.dbf", "8", "1");
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F"}), QStringList());
  EXPECT_EQ(Filas("RemisioD.dbf", {"CLDOC_FD", "CONTROL", "CLPRO_FD"}), QStringList{"30|299|B"});
  EXPECT_EQ(Filas("Facturae.dbf", {"CLDOC_F"}), QStringList());
  EXPECT_EQ(Existencia("A"), "50");
  EXPECT_EQ(Existencia("B"), "20");
}

// A saved remission with a general discount, whose totals this window's
// formula would make otherwise, shown and browsed (Ctrl+S, Ctrl+A and the
// navigator): its header is never written.
TEST_F(ComandosFactura, MostrarYRecorrerDocumentosNoEscribeSusEncabezados) {
  for (int n : {5, 6}) {
    AgregaRemision(n, {{"CONTROL", QString::number(n * 100)}, {"CLCLI_F", "1"}, {"DESFI_F", "10"},
                       {"IMIM1_F", "16"}, {"SUBTO_F", "100"}, {"IMIM2_F", "16"}, {"IMTOD_F", "104.4"}});
    AgregaPartida(n, n * 100, "A", "10", "10");
  }
  const QByteArray antes = Bytes(kDatos, "Remision.dbf");
  AbreFactura("0", [&](TFormaFactura& f) {
    ASSERT_EQ(f.EditCLDOC_F->text(), "6");
    for (Qt::Key tecla : {Qt::Key_A, Qt::Key_S, Qt::Key_A}) prueba::Tecla(f, "", tecla, Qt::ControlModifier);
    EXPECT_EQ(f.EditCLDOC_F->text(), "5");
    f.MuestraDocumentoFactura();
    EXPECT_EQ(Bytes(kDatos, "Remision.dbf"), antes);
  });
  EXPECT_EQ(Bytes(kDatos, "Remision.dbf"), antes);
  EXPECT_EQ(Mensajes(), QStringList());
}

// A station killed at each write of its cancel: the window opened again
// finishes it, every write made once.
TEST_F(ComandosFactura, UnaEstacionMuertaAlCancelarLoTerminaUnaVez) {
  QString numero, control;
  AbreFactura("0", [&](TFormaFactura& f) {
    Captura(f, {{"3", "A"}, {"2", "B"}});
    numero = f.EditCLDOC_F->text();
    control = f.TablaFacturae->FieldByName("CONTROL").AsString();
  });
  const QString raizDatos = fs::Local("C:\\");
  const QString copia = QDir(raizDatos).absoluteFilePath("../inicial_cancela");
  CopiaArbol(raizDatos, copia);
  int muertes = 0;
  for (int pasada = 1; pasada <= 40; ++pasada) {
    SCOPED_TRACE(pasada);
    CopiaArbol(copia, raizDatos);
    prueba::ProcesoHijo estacion("FacturaMuereAlCancelar", {guardado::puntos::kEscrito, QString::number(pasada)});
    ASSERT_EQ(estacion.EsperaLinea(60000), "ARMADO");
    const bool vivo = estacion.EsperaFin().has_value();
    if (!vivo) ++muertes;
    AbreFactura("0", [&](TFormaFactura& f) { EXPECT_EQ(f.EditCLDOC_F->text(), numero); });
    EXPECT_EQ(Estado(numero), "C");
    EXPECT_EQ(Filas("RemisioD.dbf", {"TREGI_FD"}), (QStringList{"C", "C"}));
    EXPECT_EQ(Existencia("A"), "50");
    EXPECT_EQ(Existencia("B"), "20");
    EXPECT_EQ(Conceptos("54"), (QStringList{"A|3|R" + numero + "-" + control, "B|2|R" + numero + "-" + control}));
    EXPECT_EQ(Filas("CLIENTE.DBF", {"SALDO_C"}), QStringList{"100"});
    if (vivo) break;
  }
  EXPECT_GE(muertes, 4);
}

// --- Delete and drop.

TEST_F(ComandosFactura, EliminarUnaRemisionLaQuitaConSusPartidasYMovimientos) {
  AbreFactura("2", [](TFormaFactura& f) {
    Captura(f, {{"3", "A"}});
    ui::PuertaModal::LimpiaMensajes();
    f.Eliminar1->trigger();  // without right 22
    EXPECT_EQ(Mensajes(), QStringList{kSinAcceso});
  });
  EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F"}).size(), 1);
  ui::PuertaModal::LimpiaMensajes();
  AbreFactura("1", [](TFormaFactura& f) {
    EXPECT_FALSE(f.Eliminar1->isVisible());
    Pregunta p;
    Responde(p);
    f.Eliminar1->trigger();
    EXPECT_EQ(p.texto, "¿ Esta Seguro que Desea Eliminar el Documento ?");
    EXPECT_EQ(Mensajes(), QStringList());
  });
  EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F"}), QStringList());
  EXPECT_EQ(Filas("RemisioD.dbf", {"CLDOC_FD"}), QStringList());
  EXPECT_EQ(Filas("Movinven.DBF", {"CLPRO_MI"}), QStringList());
  EXPECT_EQ(Existencia("A"), "50");
  const QStringList borrados = fs::LeeLineas(fs::Une(kPrograma, "borrados.dat"));
  ASSERT_EQ(borrados.size(), 1);
  EXPECT_TRUE(borrados[0].startsWith("Remision")) << borrados[0].toStdString();
}

TEST_F(ComandosFactura, UnaFacturaConMovimientosNoSeElimina) {
  AgregaFila("Facturae.dbf", {{"CLDOC_F", "8"}, {"CONTROL", "80"}, {"CLCLI_F", "1"}});
  AgregaPartida(8, 80, "A", "2", "10", {}, "FacturaD.dbf");
  AgregaFila("Movinven.DBF", {{"CLDOC_MI", "1"}, {"NUDOC_MI", "F8-80"}, {"CLPRO_MI", "A"}});
  AgregaFila("Facturae.dbf", {{"CLDOC_F", "9"}, {"CONTROL", "90"}, {"CLCLI_F", "1"}});
  AgregaPartida(9, 90, "B", "1", "4", {}, "FacturaD.dbf");
  // Opened modally from the browser: the window is driven from its gate.
  ui::PuertaModal::Espera("TFormaFactura", [](QDialog& d) {
    auto& f = static_cast<TFormaFactura&>(d);
    Pregunta p;
    Responde(p);
    f.Eliminar1->trigger();
    EXPECT_EQ(Mensajes(), QStringList{"El documento No Puede Eliminarse Posee Movimientos"});
    ASSERT_TRUE(f.TablaFacturae->FindKey({9}));
    f.MuestraDocumentoFactura();
    Responde(p);
    f.Eliminar1->trigger();
    f.Close();
  });
  AbreDocumentoFactura("facturae.dbf", "8", "1");
  EXPECT_EQ(ui::PuertaModal::Pendientes(), 0);
  EXPECT_EQ(Filas("Facturae.dbf", {"CLDOC_F"}), QStringList{"8"});
  EXPECT_EQ(Filas("FacturaD.dbf", {"CLPRO_FD"}), QStringList{"A"});
  EXPECT_EQ(Existencia("B"), "21");
}

TEST_F(ComandosFactura, CancelaMovimientoVaciaLaCapturaYVuelveANavegar) {
  AbreFactura("1", [](TFormaFactura& f) {
    f.BotonNuevo->click();
    f.TablaDeta->Append();
    f.TablaDeta->FieldByName("CANTIDAD").SetAsString("2");
    f.TablaDeta->FieldByName("CLAVE").SetAsString("A");
    f.TablaDeta->Post();
    f.CancelaMovimiento1->trigger();
    EXPECT_TRUE(f.TablaDeta->IsEmpty());
    EXPECT_EQ(ui::Tag(f.BotonNuevo), 0);
    EXPECT_TRUE(f.BotonNuevo->isEnabled());
    EXPECT_FALSE(f.BotonGuardar->isEnabled());
  });
  EXPECT_EQ(Existencia("A"), "50");
}

// --- Price.

TEST_F(ComandosFactura, CambioPrecioAbreLaCeldaSinClaveSoloConElDerecho) {
  AbreFactura("1", [](TFormaFactura& f) {
    f.BotonNuevo->click();
    f.TablaDeta->Append();
    f.TablaDeta->FieldByName("CANTIDAD").SetAsString("2");
    f.TablaDeta->FieldByName("CLAVE").SetAsString("A");
    f.TablaDeta->Post();
    f.Detalle->SetSelectedIndex(1);
    f.Detalle->SetSelectedIndex(2);
    f.TablaDeta->First();
    ui::PuertaModal::LimpiaMensajes();
    // Without the unlock the column is refused.
    f.Detalle->SetSelectedIndex(4);
    EXPECT_EQ(Mensajes(), QStringList{"No Tiene Acceso a Precios"});
    EXPECT_EQ(f.Detalle->SelectedIndex(), 0);
    ui::PuertaModal::LimpiaMensajes();

    f.CambioPrecio1->trigger();
    EXPECT_EQ(Mensajes(), QStringList());
    EXPECT_TRUE(ui::PuertaModal::SinRespuesta().isEmpty());
    EXPECT_EQ(f.Detalle->Columna(f.Detalle->SelectedIndex()).campo, "PRECIO");
    // The cell's editor has the focus.
    QWidget* editor = QApplication::focusWidget();
    ASSERT_TRUE(editor && editor != f.Detalle && f.Detalle->isAncestorOf(editor));
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, "17");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(Mensajes(), QStringList());
    EXPECT_EQ(f.TablaDeta->FieldByName("PRECIO").AsString(), "17");
    // The amount follows the new price, and Enter walks on through it.
    EXPECT_EQ(f.Detalle->Columna(f.Detalle->SelectedIndex()).campo, "IMPORTE");
    EXPECT_EQ(f.TablaDeta->FieldByName("IMPORTE").AsString(), "34");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Mensajes(), QStringList());
    prueba::RespondeCierre(2);
  });
  AbreFactura("2", [](TFormaFactura& f) {
    f.BotonNuevo->click();
    ui::PuertaModal::LimpiaMensajes();
    f.CambioPrecio1->trigger();
    EXPECT_EQ(Mensajes(), QStringList{kSinAcceso});
    EXPECT_FALSE(f.EstadoFactura.PrecioAutorizado);
    prueba::RespondeCierre(2);
  });
}

// --- Printing and paying.

class ImpresionComandos : public ComandosFactura {
 protected:
  void SetUp() override {
    ComandosFactura::SetUp();
    FijaLinea(ConfFormatoRemision, "remi.fmt");
    EscribeLineas("C:\\VRL\\consulta\\remi.fmt", {"impresora,laser", "@2,3,cldoc_f"});
    print::FijaImpresorasPrueba({{"laser", "", print::TipoImpresora::Registro, QString(), 600}}, 0);
    print::Impresora::Global().Restablece();
    print::BorraOperacionesGrabadas();
    AgregaRemision(12, {{"CONTROL", "120"}, {"CLCLI_F", "1"}, {"TREGI_F", "I"}});
    AgregaPartida(12, 120, "A", "1", "10");
  }
  void TearDown() override {
    print::Impresora::Global().Restablece();
    print::RefrescaImpresoras();
    ComandosFactura::TearDown();
  }
  static QString Campo(const QString& campo) {
    return Filas("Remision.dbf", {campo}, [](const db::Dataset& t) { return t.FieldByName("CLDOC_F").AsString() == "12"; })
        .value(0);
  }
};

TEST_F(ImpresionComandos, UnDocumentoImpresoSeReimprimeConElAdministrador) {
  AbreFactura("0", [](TFormaFactura& f) {
    f.Imprimir1->trigger();
    EXPECT_TRUE(ui::PuertaModal::SinRespuesta().isEmpty());
  });
  EXPECT_EQ(TrabajosImpresos().size(), 1);
  AbreFactura("1", [](TFormaFactura& f) {
    Clave("caja");  // not the administrator's
    f.BotonImprimir->click();
    EXPECT_EQ(TrabajosImpresos().size(), 1);
    Clave("adm");
    f.ImprimirDocumento1->trigger();
    EXPECT_EQ(TrabajosImpresos().size(), 2);
    // The range 0 to 0: no document has number 0.
    ui::PuertaModal::Espera("TDialogoImprimir", [](QDialog& d) {
      EXPECT_EQ(prueba::Texto(d, "UltimaPagina"), "12");
      prueba::Reescribe(d.findChild<QLineEdit*>("UltimaPagina"), "0");
      prueba::Pulsa(d, "BitBtn1");
    });
    f.ImprimirRangodeDocumentos1->trigger();
    EXPECT_EQ(TrabajosImpresos().size(), 2);
    ui::PuertaModal::Espera("TDialogoImprimir", [](QDialog& d) { prueba::Pulsa(d, "BitBtn1"); });
    f.ImprimirRangodeDocumentos1->trigger();
    EXPECT_EQ(TrabajosImpresos().size(), 3);
    EXPECT_EQ(f.EditCLDOC_F->text(), "12");
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ImpresionComandos, PagarEImprimirMarcaLaCajaYUnaSegundaVezPregunta) {
  EscribeCaja(CarpetaPrograma(QString()), 1, TRegistroCaja{"07", "", ""});
  // Line 62 other than "S": nothing.
  AbreFactura("0", [](TFormaFactura& f) { f.ImprimiryAsignarCaja1->trigger(); });
  EXPECT_TRUE(ui::PuertaModal::SinRespuesta().isEmpty());
  EXPECT_EQ(TrabajosImpresos().size(), 0);
  FijaLinea(ConfPagosCaja, "S");
  AbreFactura("1", [](TFormaFactura& f) {
    Pregunta p;
    Responde(p);
    f.ImprimiryAsignarCaja1->trigger();
    EXPECT_EQ(p.texto, "Pagar e Imprimir el Documento   12   Cliente   1");
    EXPECT_EQ(p.titulo, "Pagar e Imprimir");
    EXPECT_EQ(Campo("PAGOX_F"), "Pagada en 07");
    EXPECT_EQ(Campo("TREGI_F"), "I");
    EXPECT_EQ(Campo("BCLIM_F"), "07");
    EXPECT_EQ(f.TipoPago->currentText(), "Pagada en 07");
    EXPECT_EQ(TrabajosImpresos().size(), 1);

    // Paid already: the administrator, then the second question.
    Clave("adm");
    Pregunta primera, segunda;
    Responde(primera);
    Responde(segunda, false);
    f.ImprimiryAsignarCaja1->trigger();
    EXPECT_EQ(segunda.titulo, "El documento ya se Pago desea volver a pagarlo?");
    EXPECT_EQ(segunda.texto, "El documento ya se Pago desea volver a pagarlo? ");
    EXPECT_EQ(TrabajosImpresos().size(), 1);
  });
}

TEST_F(ImpresionComandos, ConElEncabezadoTomadoElPagoQuedaEnElArchivoDelDia) {
  FijaLinea(ConfPagosCaja, "S");
  EscribeCaja(CarpetaPrograma(QString()), 1, TRegistroCaja{"07", "", ""});
  AbreFactura("1", [](TFormaFactura& f) {
    prueba::ProcesoHijo otra("SostieneEncabezadoFactura", {fs::Local(kDatos), "Remision.dbf", "INUMENC", "#12"});
    ASSERT_EQ(otra.EsperaLinea(30000), "LISTO");
    Pregunta p;
    Responde(p);
    f.ImprimiryAsignarCaja1->trigger();
    EXPECT_EQ(Campo("PAGOX_F"), "");
    EXPECT_EQ(fs::LeeLineas(ArchivoPagosDelDia(kDatos, fs::Hoy())), (QStringList{"12", "07", "12", "07"}));
    EXPECT_EQ(TrabajosImpresos().size(), 1);
    otra.Envia("FIN");
    otra.EsperaFin();
    f.AplicaPagosFactura();
    EXPECT_EQ(Campo("PAGOX_F"), "Pagada en 07");
  });
}

// --- Options.

TEST_F(ComandosFactura, ConfigurarCajaEscribeSoloElRegistroDeSuRanura) {
  const QString programa = CarpetaPrograma(QString());
  for (int n = 1; n <= 4; ++n) EscribeCaja(programa, n, TRegistroCaja{QString::number(n), "V" + QString::number(n), ""});
  const QByteArray antes = fs::LeeBytes(fs::Une(programa, kArchivoCajas));
  AbreFactura("1", [](TFormaFactura& f) {
    ui::PuertaModal::Espera("TFormaCaja", [](QDialog& d) {
      d.findChild<QSpinBox*>("NumeroCaja")->setValue(3);
      prueba::Reescribe(d.findChild<QLineEdit*>("NoCaja"), "33");
      prueba::Reescribe(d.findChild<QLineEdit*>("ClaveVendedor"), "V33");
      prueba::Reescribe(d.findChild<QLineEdit*>("Formato"), "tres.fmt");
      prueba::Pulsa(d, "BitBtn1");
    });
    f.ConfigurarCaja1->trigger();
    EXPECT_EQ(f.EstadoFactura.Caja, "33");
    EXPECT_EQ(f.EstadoFactura.VendedorFijo, "V33");
    EXPECT_EQ(f.EstadoFactura.RutaFormato, "C:\\VRL\\consulta\\tres.fmt");
  });
  const QByteArray despues = fs::LeeBytes(fs::Une(programa, kArchivoCajas));
  ASSERT_EQ(despues.size(), antes.size());
  const int t = TRegistroCaja::kTamano;
  EXPECT_EQ(despues.left(2 * t), antes.left(2 * t));
  EXPECT_EQ(despues.mid(3 * t), antes.mid(3 * t));
  EXPECT_EQ(despues.mid(2 * t, t), (TRegistroCaja{"33", "V33", "tres.fmt"}.ABytes()));
}

TEST_F(ComandosFactura, EmpaqueDelAdministradorTaraEnElEditorYFormatosRapidos) {
  prueba::LanzadorGrabador lanzador;
  qputenv("VORLAN_PROGRAMAS", "notepad.exe=editor");
  const QString formato = "C:\\VRL\\consulta\\remi.fmt";
  EscribeLineas(formato, {"impresora,laser"});
  AbreFactura("1", [](TFormaFactura& f) {
    f.CapturaporEmpaque1->trigger();
    EXPECT_FALSE(f.CapturaporEmpaque1->isChecked());
    EXPECT_FALSE(QFile::exists(fs::Local(fs::Une(kPrograma, "empaque.cnf"))));
  });
  AbreFactura("0", [&](TFormaFactura& f) {
    f.CapturaporEmpaque1->trigger();
    EXPECT_TRUE(f.CapturaporEmpaque1->isChecked());
    EXPECT_TRUE(f.EditEmpaque->isVisible());
    EXPECT_EQ(fs::LeeLineas(fs::Une(kPrograma, "empaque.cnf")), QStringList{"S"});

    ui::PuertaModal::LimpiaMensajes();
    f.VerCampoTara1->trigger();
    ASSERT_EQ(lanzador.iniciados.size(), 1);
    EXPECT_EQ(lanzador.iniciados[0].programa, "editor");
    EXPECT_EQ(lanzador.iniciados[0].argumentos, QStringList{fs::Local(fs::Une(kPrograma, "especial.cnf"))});
    EXPECT_EQ(Mensajes(), QStringList{"Para que este cambio se lleve a cabo reinicie el sistema..."});
    EXPECT_FALSE(f.VerCampoTara1->isChecked());

    ui::PuertaModal::Espera("TFormaFormatos", [&](QDialog& d) {
      static_cast<TFormaFormatos&>(d).Rutas->setText(formato);
      prueba::Pulsa(d, "BotonEdicion");
    });
    f.CtrlF21->trigger();
    EXPECT_EQ(f.CtrlF21->text(), "Ctrl+F2 (" + formato + ")");
    // The picker cancelled changes nothing.
    ui::PuertaModal::Espera("TFormaFormatos", [](QDialog& d) { d.reject(); });
    f.CtrlF21->trigger();
    EXPECT_EQ(f.CtrlF21->text(), "Ctrl+F2 (" + formato + ")");
    f.SaltarEncabezado1->trigger();
  });
  qunsetenv("VORLAN_PROGRAMAS");
  const QStringList opciones = fs::LeeLineas(fs::Une(kPrograma, "encabeza.cnf"));
  EXPECT_EQ(opciones.value(3), "Ctrl+F2 (" + formato + ")");
  EXPECT_EQ(opciones.value(0), "S");
}

TEST_F(ComandosFactura, TotalesPorDivisaYBuscarUnDocumento) {
  AgregaRemision(5, {{"CONTROL", "50"}});
  AgregaRemision(12, {{"CONTROL", "120"}, {"DESFI_F", "10"}, {"IMIM1_F", "0"}});
  AgregaPartida(12, 120, "A", "3", "100");
  AgregaRemision(20, {{"CONTROL", "200"}});
  AbreFactura("1", [](TFormaFactura& f) {
    ui::PuertaModal::Espera("TFormaBusqueda", [](QDialog& d) {
      EXPECT_EQ(d.findChild<QRadioButton*>("Clave")->text(), "Por Documento (F1)");
      prueba::Reescribe(d.findChild<QLineEdit*>("CajaBuscar"), "12");
      prueba::Pulsa(d, "BotonAceptar");
    });
    f.Buscar1->trigger();
    ASSERT_EQ(f.EditCLDOC_F->text(), "12");
    QStringList vistos;
    ui::PuertaModal::Espera("TFormaDesglosaTotal", [&](QDialog& d) {
      for (const char* n : {"SubTotal", "Descuento", "Iva", "Total", "Letra1", "Letra2"})
        vistos << d.findChild<QLabel*>(n)->text();
      d.close();
    });
    f.BotonTotales->click();
    ASSERT_EQ(vistos.size(), 6);
    EXPECT_EQ(vistos[0], f.SumarTotal->text());
    EXPECT_EQ(vistos[1], FormatoImporte("##,##0.00", TextoImporte(Dinero::DeReal(f.EstadoFactura.Descuento))));
    EXPECT_EQ(vistos[2], f.ImpuestoValor->text());
    EXPECT_EQ(vistos[3], f.TotalFact->text());
    EXPECT_FALSE(vistos[4].isEmpty());
    EXPECT_EQ(vistos[5], "");
  });
}


TEST_F(ComandosFactura, LasHerramientasYLaVistaPreviaSinFormato) {
  prueba::LanzadorGrabador lanzador;
  qputenv("VORLAN_PROGRAMAS", "calc.exe=calculadora;tabulador.exe=tabulador");
  FijaLinea(ConfFormatoRemision, "falta.fmt");
  AgregaRemision(12, {{"CONTROL", "120"}});
  AbreFactura("1", [&](TFormaFactura& f) {
    f.Calculadora1->trigger();
    f.Tabulador1->trigger();
    ASSERT_EQ(lanzador.iniciados.size(), 2);
    EXPECT_EQ(lanzador.iniciados[0].programa, "calculadora");
    EXPECT_EQ(lanzador.iniciados[1].programa, "tabulador");
    bool divisas = false, ayuda = false;
    ui::PuertaModal::Espera("TFormaDivisa", [&](QDialog& d) {
      divisas = true;
      d.close();
    });
    f.Divisas1->trigger();
    ui::PuertaModal::Espera("TFormaAyudaLinea", [&](QDialog& d) {
      ayuda = true;
      d.close();
    });
    f.Temas1->trigger();
    EXPECT_TRUE(divisas);
    EXPECT_TRUE(ayuda);
    // The withdrawals window accepted without retiro.fmt: told.
    ui::PuertaModal::Espera("TFormaSalidasEfectivo", [](QDialog& d) {
      static_cast<ui::Forma&>(d).SetTag(1);
      d.close();
    });
    ui::PuertaModal::LimpiaMensajes();
    f.SalidasdeEfectivo1->trigger();
    EXPECT_EQ(Mensajes(), QStringList{"El Formato C:\\VRL\\consulta\\retiro.fmt No Existe"});
    ui::PuertaModal::LimpiaMensajes();
    f.BotonPreliminar->click();
    f.Preliminar1->trigger();
    EXPECT_EQ(Mensajes(), (QStringList(2, "El Formato C:\\VRL\\consulta\\falta.fmt No Existe")));
  });
  qunsetenv("VORLAN_PROGRAMAS");
}
