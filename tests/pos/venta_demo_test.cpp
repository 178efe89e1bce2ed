// A whole sale by keys only, as a cashier of the demonstration company makes
// it: the program started, the login, the sale screen from the main menu,
// New, the header walked with Enter, three lines (one by barcode), a payment
// type with its account number, the amount received as a sum, the change;
// and the demo's credit remission invoiced from the Generar menu.

#include "app/Vorlan.h"
#include "demo/Demo.h"
#include "foundation/ArchivosPrograma.h"
#include "foundation/rutinas_numero.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/PuertaModal.h"
#include "pos/CaptuRap.h"
#include "shell/Principa.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

QWidget* FocoDemo() { return QApplication::focusWidget(); }

void EscribeDemo(const QString& texto) {
  for (const QChar c : texto) QTest::keyClicks(FocoDemo(), QString(c));
}
void PulsaDemo(int tecla, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::keyClick(FocoDemo(), static_cast<Qt::Key>(tecla), mods);
}

class VentaDemo : public RaizPrueba {
 protected:
  void TearDown() override {
    programa_.reset();
    RaizPrueba::TearDown();
  }
  std::unique_ptr<ProgramaVorlan> programa_;
};

}  // namespace

TEST_F(VentaDemo, UnaVentaEnteraSoloConTeclasDesdeElMenuPrincipal) {
  fs::FijaAhora(QDateTime(QDate(2024, 6, 14), QTime(12, 30)));
  ASSERT_TRUE(PreparaEmpresaDemo());
  InstalaArchivosPrograma();
  programa_ = std::make_unique<ProgramaVorlan>();
  programa_->Inicia();
  TFormaPrincipal& principal = *FormaPrincipal();
  principal.Show();
  ui::PuertaModal::Espera("TFormaEmpresas", [](QDialog& d) {
    prueba::Teclea(d, "Clave", kClaveDemoCajero);
    prueba::Tecla(d, "Clave", Qt::Key_Return);
  });
  principal.DisparaActivacion();
  ASSERT_EQ(principal.Usuario->text(), "1");

  bool vista = false;
  ui::PuertaModal::Espera("TFormaCapturaRapida", [&](QDialog& d) {
    auto& p = static_cast<TFormaCapturaRapida&>(d);
    vista = true;
    // The last remission of the day is shown with its lines and totals,
    // which agree with the ones it was saved with; Ctrl+A goes back one.
    EXPECT_EQ(p.EditCLDOC_F->text(), "2");
    EXPECT_EQ(p.Nombre->text(), "Abarrotes La Esperanza");
    EXPECT_EQ(p.LabelVendedor->text(), "Mostrador");
    EXPECT_EQ(p.TotalFact->text().trimmed(), "140.30");
    EXPECT_EQ(p.TablaDeta->RecordCount(), 2);
    EXPECT_EQ(p.ControlDocumento, 0);
    p.Detalle->setFocus();
    PulsaDemo(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(p.EditCLDOC_F->text(), "1");
    EXPECT_EQ(p.TotalFact->text().trimmed(), "105.57");
    EXPECT_EQ(p.SuCambio->text(), "Cambio     94.43");
    EXPECT_EQ(p.Impresa->text(), "Impresa PAGADA");
    EXPECT_EQ(p.ControlDocumento, 0);
    QTest::keyClick(&p, Qt::Key_F9);
    ASSERT_EQ(FocoDemo(), p.EditCLCLI_F);
    // Enter from the customer to the quantity.
    for (int i = 0; i < 10 && FocoDemo() != p.EditCantidad; ++i) PulsaDemo(Qt::Key_Return);
    ASSERT_EQ(FocoDemo(), p.EditCantidad);
    EXPECT_EQ(p.Nombre->text(), "PUBLICO EN GENERAL");
    // Three lines: by key, by barcode, by key.
    for (const auto& [cantidad, clave] : {std::pair{"1", "ARR001"}, {"2", "750100110023"}, {"1", "AGU001"}}) {
      EscribeDemo(cantidad);
      PulsaDemo(Qt::Key_Return);
      EscribeDemo(clave);
      PulsaDemo(Qt::Key_Return);
    }
    EXPECT_EQ(p.LabelPartidas->text().section("  ", 0, 1), "Partidas  3");
    // F8: a card, with its number.
    PulsaDemo(Qt::Key_F8);
    EscribeDemo("Tarjeta");
    ASSERT_EQ(FocoDemo(), p.EditCUENTA);
    EscribeDemo("4152");
    // F5: the amount received as a sum.
    PulsaDemo(Qt::Key_F5);
    ASSERT_EQ(FocoDemo(), p.CAMBIO_F);
    EscribeDemo("500+200");
    PulsaDemo(Qt::Key_Return);
    EXPECT_EQ(p.CAMBIO_F->text(), "700.00");
    const Dinero total = p.Totales.TotalVenta;
    EXPECT_GT(total, Dinero());
    EXPECT_EQ(p.TotalFact->text().trimmed(), FormatoMascara("##,##0.00", total));
    EXPECT_EQ(p.SuCambio->text(), "Cambio " + FormatoImporte("##,##0.00", (Dinero(700) - total).Texto()));
    // The header is paid, by card, with the account number.
    const auto encabezado = [&p](const char* campo) { return p.TablaFacturae->FieldByName(campo).AsString(); };
    EXPECT_EQ(encabezado("ABONO_F"), encabezado("IMTOD_F"));
    EXPECT_EQ(encabezado("IMTOD_F"), total.Texto());
    EXPECT_EQ(encabezado("SALDO_F"), "0");
    EXPECT_EQ(encabezado("CAMBI_F"), "700");
    EXPECT_EQ(encabezado("NUCTA_F"), "4152");
    EXPECT_EQ(p.TipoPago->currentText(), "Tarjeta");
    // F10: saved as the next remission, the screen back to the saved phase
    // showing it.
    PulsaDemo(Qt::Key_F10);
    EXPECT_EQ(p.EditCLDOC_F->text(), "3");
    EXPECT_EQ(p.EstadoCaptura->text(), "Terminada");
    EXPECT_EQ(p.TablaDeta->RecordCount(), 3);
    EXPECT_EQ(p.TotalFact->text().trimmed(), FormatoMascara("##,##0.00", total));
    EXPECT_EQ(p.TablaFacturae->FieldByName("PAGOX_F").AsString(), "Tarjeta");
  });
  principal.Item("CapturaRpida1")->trigger();
  EXPECT_TRUE(vista);
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(VentaDemo, LaRemisionACreditoSeFacturaDesdeElMenuGenerar) {
  fs::FijaAhora(QDateTime(QDate(2024, 6, 14), QTime(12, 30)));
  ASSERT_TRUE(PreparaEmpresaDemo());
  InstalaArchivosPrograma();
  programa_ = std::make_unique<ProgramaVorlan>();
  programa_->Inicia();
  TFormaPrincipal& principal = *FormaPrincipal();
  principal.Show();
  ui::PuertaModal::Espera("TFormaEmpresas", [](QDialog& d) {
    prueba::Teclea(d, "Clave", kClaveDemoCajero);
    prueba::Tecla(d, "Clave", Qt::Key_Return);
  });
  principal.DisparaActivacion();
  QString factura;
  ui::PuertaModal::Espera("TFormaCapturaRapida", [&](QDialog& d) {
    auto& p = static_cast<TFormaCapturaRapida&>(d);
    ASSERT_EQ(p.EditCLDOC_F->text(), "2");
    ASSERT_TRUE(p.Factura1->isEnabled());
    p.Factura1->trigger();
    factura = p.TablaFacturae->FieldByName("REMIS_F").AsString();
  });
  principal.Item("CapturaRpida1")->trigger();
  EXPECT_EQ(factura, "F1");
  EXPECT_EQ(Mensajes(), QStringList());
}
