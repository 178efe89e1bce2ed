// The legacy window driven from the keyboard: Enter walking the header of a
// new document, the values its fields take on entering, the lookups of F2,
// the date put right; the amount received and the change; the window keys
// (F4 to F8, F6 deleting a line, Ctrl+A and Ctrl+S, the quick formats of
// Ctrl+F4 to Ctrl+F6, Ctrl+F12) and the two menu shortcuts Ctrl+F1 and
// Ctrl+F2 that come before them.

#include "factura_prueba.h"

#include "pos/RegistroCaja.h"
#include "pos/captura_prueba.h"
#include "platform/print/Impresoras.h"
#include "support/ImpresionPrueba.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

namespace {

QWidget* Foco() { return QApplication::focusWidget(); }
QString NombreFoco() { return Foco() ? Foco()->objectName() : QString("<ninguno>"); }

void Pulsa(int tecla, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::keyClick(Foco(), static_cast<Qt::Key>(tecla), mods);
}
void Escribe(const QString& texto) {
  for (const QChar c : texto) QTest::keyClicks(Foco(), QString(c));
}

QColor Fondo(const QWidget* w) { return w->palette().color(QPalette::Base); }
const QColor kAqua(0, 255, 255);

QString Encabezado(TFormaFactura& f, const char* campo) { return f.TablaFacturae->FieldByName(campo).AsString(); }

// A line typed into the capture: quantity and key in the row the capture
// offers, then the description column entered (the line is resolved).
void LineaTeclas(TFormaFactura& f, const QString& cantidad, const QString& clave) {
  db::Tabla& d = *f.TablaDeta;
  if (d.State() != db::Dataset::Estado::Insertando) d.Append();
  d.FieldByName("CANTIDAD").SetAsString(cantidad);
  d.FieldByName("CLAVE").SetAsString(clave);
  d.Post();
  f.Detalle->SetSelectedIndex(1);
  f.Detalle->SetSelectedIndex(2);
}

// The keys of the lines written in the window's capture table, as another
// cursor reads them (the row offered for the next line has none).
QStringList Claves(TFormaFactura& f) {
  auto t = AbreEn(kPrograma, f.TablaDeta->NombreTabla());
  QStringList claves = ColumnaCaptura(*t, "CLAVE");
  claves.removeAll(QString());
  return claves;
}

class TeclasFactura : public FacturaPrueba {
 protected:
  void SetUp() override {
    FacturaPrueba::SetUp();
    FijaLinea(ConfIva, "0");
    for (int numero : {5, 6, 7}) AgregaRemision(numero, {{"CLCLI_F", "1"}, {"CONTROL", QString::number(numero * 10)}});
    AgregaPartida(6, 60, "P1", "3", "10");
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "1"}, {"NOMBR_C", "MOSTRADOR"}});
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "7"}, {"NOMBR_C", "ROSA DIAZ"}});
    AgregaFila("VENDEDOR.DBF", {{"CLVEN_V", "01"}, {"NOMBR_V", "LUIS"}, {"COMIS_V", "3"}});
    AgregaFila("VENDEDOR.DBF", {{"CLVEN_V", "02"}, {"NOMBR_V", "EVA"}, {"COMIS_V", "5"}});
    for (const auto& [clave, descripcion, precio] :
         {std::tuple{"P1", "TORNILLO", 10.0}, std::tuple{"P2", "TUERCA", 4.0}}) {
      TRegistroProducto p;
      p.CLPRO_I = clave;
      p.DSCPR_I = descripcion;
      p.PPUBL_I = Dinero::DeReal(precio);
      p.UMEDI_I = "pza";
      p.PIVA1_I = 0;
      p.EXIST_I = 100;
      AgregaProducto(p);
    }
  }
};

}  // namespace

TEST_F(TeclasFactura, EnterRecorreElEncabezadoDelNumeroALaFechaYLaFechaLlevaALaCaptura) {
  // The register of the station has no seller of its own.
  EscribeCaja(CarpetaPrograma(QString()), 1, TRegistroCaja{"3", "", ""});
  ui::PuertaModal::Espera("TFormaConClientes", [](QDialog& d) {
    prueba::Tecla(d, "Detalle", Qt::Key_Down);
    prueba::Tecla(d, "Detalle", Qt::Key_Return);
  });
  ui::PuertaModal::Espera("TFormaConVendedores", [](QDialog& d) {
    prueba::Tecla(d, "DBGrid1", Qt::Key_Down);
    prueba::Tecla(d, "DBGrid1", Qt::Key_Return);
  });
  AbreFactura("2", [](TFormaFactura& f) {
    f.EstadoFactura.UltimoVendedor = "01";
    QTest::keyClick(&f, Qt::Key_F9);
    ASSERT_EQ(f.EditCLDOC_F->text(), "8");
    ASSERT_EQ(Encabezado(f, "CLVEN_F"), "01");
    f.EditCLDOC_F->setFocus();
    EXPECT_EQ(Fondo(f.EditCLDOC_F), kAqua);

    // Number -> seller: emptied, as the register has no seller.
    Pulsa(Qt::Key_Return);
    ASSERT_EQ(Foco(), f.EditCLVEN_F);
    EXPECT_NE(Fondo(f.EditCLDOC_F), kAqua);
    EXPECT_EQ(Fondo(f.EditCLVEN_F), kAqua);
    EXPECT_EQ(f.EditCLVEN_F->text(), "");
    EXPECT_EQ(Encabezado(f, "CLVEN_F"), "");
    // F2 picks the second seller; leaving it takes its commission.
    Pulsa(Qt::Key_F2);
    EXPECT_EQ(Foco(), f.EditCLVEN_F);
    EXPECT_EQ(Encabezado(f, "CLVEN_F"), "02");

    // Seller -> customer: "1", selected, so typing replaces it.
    Pulsa(Qt::Key_Return);
    ASSERT_EQ(Foco(), f.EditCLCLI_F);
    EXPECT_EQ(Encabezado(f, "CTOVE_F"), "5");
    EXPECT_EQ(f.EditCLCLI_F->text(), "1");
    EXPECT_EQ(f.EditCLCLI_F->selectedText(), "1");
    EXPECT_EQ(f.EstadoFactura.CampoEncabezado, 3);
    // F2 with the lookup answered puts the key chosen.
    Pulsa(Qt::Key_F2);
    EXPECT_EQ(Foco(), f.EditCLCLI_F);
    EXPECT_EQ(f.EditCLCLI_F->text(), "7");
    EXPECT_EQ(Encabezado(f, "CLCLI_F"), "7");

    // Customer -> register: the station's register.
    Pulsa(Qt::Key_Return);
    ASSERT_EQ(Foco(), f.EditBCLIM_F);
    EXPECT_EQ(f.Nombre->text(), "ROSA DIAZ");
    EXPECT_EQ(Encabezado(f, "BCLIM_F"), "3");

    // Register -> date: today, and a day the calendar has not is today too.
    Pulsa(Qt::Key_Return);
    ASSERT_EQ(Foco(), f.EditFEDOC_F);
    EXPECT_EQ(f.EditFEDOC_F->text(), "05/03/2010");
    f.EditFEDOC_F->setText("31/02/2027");
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(f.EditFEDOC_F->text(), "05/03/2010");
    EXPECT_NE(Fondo(f.EditFEDOC_F), kAqua);
    EXPECT_EQ(NombreFoco(), "EditCantidad");

    // With "Inicia en Clave" checked the date leads to the key.
    f.IniciaenClave1->setChecked(true);
    f.EditFEDOC_F->setFocus();
    f.EditFEDOC_F->setText("31/02/2027");
    Pulsa(Qt::Key_Down);
    EXPECT_EQ(NombreFoco(), "EditClave");
    EXPECT_EQ(f.EditFEDOC_F->text(), "05/03/2010");

    // The commission counts as the register: Enter to the date, Up to the
    // customer; Up from the tax to the commission.
    f.EditCTOVE_F->setFocus();
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(Foco(), f.EditFEDOC_F);
    f.EditCTOVE_F->setFocus();
    Pulsa(Qt::Key_Up);
    EXPECT_EQ(Foco(), f.EditCLCLI_F);
    f.EditIMIM1_F->setFocus();
    EXPECT_EQ(f.EditIMIM1_F->text(), "0");
    Pulsa(Qt::Key_Up);
    EXPECT_EQ(Foco(), f.EditCTOVE_F);
    prueba::RespondeCierre(2);
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(TeclasFactura, ElPagoSeSumaYDaElCambioYUnTextoQueNoEsImporteSeQueda) {
  AbreFactura("2", [](TFormaFactura& f) {
    QTest::keyClick(&f, Qt::Key_F9);
    LineaTeclas(f, "2", "P1");
    ASSERT_EQ(f.TotalFact->text().trimmed(), "20.00");
    Pulsa(Qt::Key_F5);
    ASSERT_EQ(Foco(), f.CAMBIO_F);
    EXPECT_EQ(Fondo(f.CAMBIO_F), kAqua);
    Escribe("100+50");
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(f.CAMBIO_F->text(), "150.00");
    EXPECT_EQ(f.SuCambio->text().simplified(), "Cambio 130.00");
    EXPECT_EQ(Encabezado(f, "CAMBI_F"), "150");

    prueba::Reescribe(f.CAMBIO_F, "abc");
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(Mensajes(), QStringList{"Hay un error en el PAGO..."});
    EXPECT_EQ(Foco(), f.CAMBIO_F);
    EXPECT_EQ(f.CAMBIO_F->selectedText(), "abc");
    EXPECT_EQ(f.SuCambio->text().simplified(), "Cambio 130.00");
    // Leaving it with no amount tells it again and keeps the focus.
    f.EditCantidad->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(f.focusWidget(), f.CAMBIO_F) << (f.focusWidget() ? f.focusWidget()->objectName().toStdString() : "");
    EXPECT_EQ(Mensajes().size(), 2);
    prueba::Reescribe(f.CAMBIO_F, "");
    prueba::RespondeCierre(2);
  });
}

TEST_F(TeclasFactura, F6PreguntaYBorraLaPartidaYLasTeclasLlevanACantidadPagoYRejilla) {
  AbreFactura("2", [](TFormaFactura& f) {
    // Between documents F6 deletes none of the lines shown.
    f.Detalle->setFocus();
    Pulsa(Qt::Key_F6);
    EXPECT_EQ(ui::PuertaModal::SinRespuesta(), QStringList());

    QTest::keyClick(&f, Qt::Key_F9);
    // On an empty capture F6 asks nothing.
    Pulsa(Qt::Key_F6);
    EXPECT_EQ(ui::PuertaModal::SinRespuesta(), QStringList());
    // From the kind selector too, whose list F4 would open.
    ASSERT_EQ(Foco(), f.Base);
    Pulsa(Qt::Key_F4);
    EXPECT_EQ(NombreFoco(), "EditCantidad");
    LineaTeclas(f, "2", "P1");
    LineaTeclas(f, "3", "P2");
    ASSERT_EQ(Claves(f), QStringList({"P1", "P2"}));
    ASSERT_EQ(f.TotalFact->text().trimmed(), "32.00");

    // "No" keeps the line; "Si" deletes it and the totals follow.
    QStringList preguntas;
    for (const char* boton : {"BitBtn2", "BitBtn1"}) {
      ui::PuertaModal::Espera("TFormaAdvertencia", [&preguntas, boton](QDialog& d) {
        preguntas << prueba::Texto(d, "Label1");
        prueba::Pulsa(d, boton);
      });
    }
    f.TablaDeta->First();
    Pulsa(Qt::Key_F6);
    EXPECT_EQ(Claves(f), QStringList({"P1", "P2"}));
    f.TablaDeta->First();
    Pulsa(Qt::Key_F6);
    EXPECT_EQ(preguntas, QStringList(2, "Esta Seguro que Desea ELIMINAR esta Partida 2  TORNILLO"));
    EXPECT_EQ(Claves(f), QStringList{"P2"});
    EXPECT_EQ(f.TotalFact->text().trimmed(), "12.00");

    // F8, F5, F4 and Ctrl+F12.
    Pulsa(Qt::Key_F8);
    EXPECT_EQ(Foco(), f.TipoPago);
    Pulsa(Qt::Key_F5);
    EXPECT_EQ(Foco(), f.CAMBIO_F);
    Pulsa(Qt::Key_F4);
    EXPECT_EQ(Foco(), f.EditCantidad);
    f.Detalle->SetSelectedIndex(2);
    Pulsa(Qt::Key_F12, Qt::ControlModifier);
    EXPECT_EQ(NombreFoco(), "Detalle");
    EXPECT_EQ(f.Detalle->SelectedIndex(), 0);
    // In the change field F6 is asked once too.
    ui::PuertaModal::Espera("TFormaAdvertencia", [](QDialog& d) { prueba::Pulsa(d, "BitBtn2"); });
    Pulsa(Qt::Key_F5);
    Pulsa(Qt::Key_F6);
    EXPECT_EQ(Claves(f), QStringList{"P2"});
    prueba::RespondeCierre(2);
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(TeclasFactura, CtrlAyCtrlSMuevenEntreDocumentosYCtrlF4ImprimeSuFormato) {
  const QString formato = "c:\\VRL\\consulta\\nota.fmt";
  EscribeLineas(formato, {"impresora,laser", "$", "@2,2,cldoc_f", "$", "&", "@2,0,clave", "saltar(1)", "&"});
  EscribeOpciones({{3, "Ctrl+F1 (" + formato + ")"}, {6, "Ctrl+F4 (" + formato + ")"}});
  print::FijaImpresorasPrueba({{"laser", "", print::TipoImpresora::Registro, QString(), 600}}, 0);
  print::BorraOperacionesGrabadas();
  AbreFactura("2", [&](TFormaFactura& f) {
    ASSERT_EQ(f.EditCLDOC_F->text(), "7");
    ASSERT_EQ(f.CtrlF41->text(), "Ctrl+F4 (" + formato + ")");
    f.EditCLDOC_F->setFocus();
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    struct Paso {
      int tecla;
      Qt::KeyboardModifiers mods;
      const char* documento;
    };
    for (const Paso& p : {Paso{Qt::Key_A, ctrl, "6"}, Paso{Qt::Key_A, ctrl, "5"}, Paso{Qt::Key_S, ctrl, "6"},
                          Paso{Qt::Key_A, ctrl | Qt::ShiftModifier, "6"}, Paso{Qt::Key_A, ctrl | Qt::AltModifier, "6"},
                          Paso{Qt::Key_A, {}, "6"}}) {
      Pulsa(p.tecla, p.mods);
      EXPECT_EQ(f.EditCLDOC_F->text(), p.documento) << p.tecla << " " << p.mods.toInt();
    }

    // Ctrl+F4 prints the document on screen with its caption's format.
    Pulsa(Qt::Key_F4, ctrl);
    const QList<QStringList> trabajos = TrabajosImpresos();
    ASSERT_EQ(trabajos.size(), 1);
    EXPECT_EQ(trabajos[0].mid(0, 2), QStringList({"6", "P1"}));
    // Ctrl+F1 is "Ver Funciones" and Ctrl+F2 "Cursor en Cliente": neither prints.
    Pulsa(Qt::Key_F1, ctrl);
    Pulsa(Qt::Key_F2, ctrl);
    EXPECT_EQ(Foco(), f.EditCLCLI_F);
    EXPECT_EQ(TrabajosImpresos().size(), 1);

    // While a document is captured Ctrl+A and Ctrl+S stay on it.
    QTest::keyClick(&f, Qt::Key_F9);
    Pulsa(Qt::Key_A, ctrl);
    Pulsa(Qt::Key_S, ctrl);
    EXPECT_EQ(f.EditCLDOC_F->text(), "8");
    prueba::RespondeCierre(2);
  });
  print::RefrescaImpresoras();
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].startsWith("F1    Busca Producto por Descipción\rF2")) << Mensajes()[0].toStdString();
  EXPECT_TRUE(Mensajes()[0].endsWith("Ctrl+F2    Cursor en Cliente\r"));
}

TEST_F(TeclasFactura, F7CalculaLaPartidaDeLaVentanaYCtrlF3LlevaAlEmpaque) {
  AbreFactura("2", [](TFormaFactura& f) {
    // Between documents F7 opens nothing.
    f.EditCLDOC_F->setFocus();
    Pulsa(Qt::Key_F7);
    QTest::keyClick(&f, Qt::Key_F9);
    LineaTeclas(f, "2", "P2");
    // The amount and the key of the line offered next: the calculator works
    // on this window's capture and the totals follow.
    ui::PuertaModal::Espera("TFormaCalculaxPrecio", [](QDialog& d) {
      Escribe("30");
      Pulsa(Qt::Key_Return);
      Escribe("P1");
      Pulsa(Qt::Key_Return);
      EXPECT_FALSE(d.isVisible());
    });
    Pulsa(Qt::Key_F4);
    Pulsa(Qt::Key_F7);
    EXPECT_EQ(Claves(f), QStringList({"P2", "P1"}));
    EXPECT_EQ(f.TotalFact->text().trimmed(), "38.00");
    EXPECT_EQ(Foco(), f.EditCantidad);

    // Ctrl+F3 does nothing while the package edit is hidden; shown (as
    // "Captura por Empaque" shows it), it gets the focus with the line's
    // package factor.
    Pulsa(Qt::Key_F3, Qt::ControlModifier);
    EXPECT_EQ(Foco(), f.EditCantidad);
    for (QWidget* w : {static_cast<QWidget*>(f.LabelEmpaque), static_cast<QWidget*>(f.EditEmpaque),
                       static_cast<QWidget*>(f.LabelFactor)})
      w->show();
    f.TablaDeta->First();
    f.TablaDeta->Edit();
    f.TablaDeta->FieldByName("FACTOR").SetAsFloat(12);
    f.TablaDeta->Post();
    Pulsa(Qt::Key_F3, Qt::ControlModifier);
    EXPECT_EQ(Foco(), f.EditEmpaque);
    EXPECT_EQ(f.LabelFactor->text(), "12");

    // Enter in the tax goes to the grid while the discount is disabled.
    f.EditIMIM1_F->setFocus();
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(NombreFoco(), "Detalle");
    prueba::RespondeCierre(2);
  });
  EXPECT_EQ(Mensajes(), QStringList());
}
