// A whole sale by keys only, as a cashier of the demonstration company makes
// it: the program started, the login, the sale screen from the main menu,
// New, the header walked with Enter, three lines (one by barcode), a payment
// type with its account number, the amount received as a sum, the change;
// and the demo's credit remission invoiced from the Generar menu; a sale
// whose product is then saved unchanged in the product window, its stock
// and totals counting the units sold once.

#include "app/Vorlan.h"
#include "demo/Demo.h"
#include "foundation/ArchivosPrograma.h"
#include "foundation/rutinas_numero.h"
#include "inventory/Inven.h"
#include "platform/db/Tabla.h"
#include "foundation/rutinas.h"
#include "shell/LineasConfiguracion.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/PuertaModal.h"
#include "pos/CaptuRap.h"
#include "shell/Principa.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"

#include <QAbstractItemModel>
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
  // The program started and the user of `clave` logged in on the demo company.
  TFormaPrincipal& Entra(const QString& clave) {
    fs::FijaAhora(QDateTime(QDate(2024, 6, 14), QTime(12, 30)));
    EXPECT_TRUE(PreparaEmpresaDemo());
    InstalaArchivosPrograma();
    programa_ = std::make_unique<ProgramaVorlan>();
    programa_->Inicia();
    TFormaPrincipal& principal = *FormaPrincipal();
    principal.Show();
    ui::PuertaModal::Espera("TFormaEmpresas", [&clave](QDialog& d) {
      prueba::Teclea(d, "Clave", clave);
      prueba::Tecla(d, "Clave", Qt::Key_Return);
    });
    principal.DisparaActivacion();
    return principal;
  }
  TFormaPrincipal& EntraCajero() { return Entra(kClaveDemoCajero); }
  std::unique_ptr<ProgramaVorlan> programa_;
};

// The cells the grid shows (its model's display role) of a row: quantity,
// key, product, price, amount; and its row marker.
QStringList Celdas(const QAbstractItemModel& m, int fila) {
  QStringList celdas;
  for (int c = 0; c < 5; ++c) celdas << m.data(m.index(fila, c), Qt::DisplayRole).toString().trimmed();
  return celdas;
}
QString Marca(const QAbstractItemModel& m, int fila) {
  return m.headerData(fila, Qt::Vertical, Qt::DisplayRole).toString();
}

}  // namespace

TEST_F(VentaDemo, UnaVentaEnteraSoloConTeclasDesdeElMenuPrincipal) {
  TFormaPrincipal& principal = EntraCajero();
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
  TFormaPrincipal& principal = EntraCajero();
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

TEST_F(VentaDemo, LaRejillaMuestraCadaPartidaEnCuantoSeCaptura) {
  TFormaPrincipal& principal = EntraCajero();
  bool vista = false;
  ui::PuertaModal::Espera("TFormaCapturaRapida", [&](QDialog& d) {
    auto& p = static_cast<TFormaCapturaRapida&>(d);
    vista = true;
    const QAbstractItemModel& m = *p.Detalle->model();
    QTest::keyClick(&p, Qt::Key_F9);
    for (int i = 0; i < 12 && Foco() != p.EditClave; ++i) Pulsa(Qt::Key_Return);
    ASSERT_EQ(Foco(), p.EditClave);
    const QStringList frijol{"1.00", "FRI001", "Frijol negro 1 kg", "34.50", "34.50"};
    Escribe("FRI001");
    Pulsa(Qt::Key_Return);
    // The line is written and a new one begun: both show, the new one marked.
    ASSERT_EQ(m.rowCount(), 2);
    EXPECT_EQ(Celdas(m, 0), frijol);
    EXPECT_EQ(Marca(m, 0), "");
    EXPECT_NE(Marca(m, 1), "");
    EXPECT_EQ(p.TotalFact->text().trimmed(), "39.68");
    Escribe("1");
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(Celdas(m, 0), frijol);
    EXPECT_EQ(Celdas(m, 1).first(), "1.00");
    Escribe("JAB001");
    Pulsa(Qt::Key_Return);
    ASSERT_EQ(m.rowCount(), 3);
    EXPECT_EQ(Celdas(m, 0), frijol);
    EXPECT_EQ(Celdas(m, 1), (QStringList{"1.00", "JAB001", "Jabón de tocador 150 g", "18.50", "18.50"}));
    EXPECT_NE(Marca(m, 2), "");
    EXPECT_EQ(p.TotalFact->text().trimmed(), "60.95");
    prueba::RespondeCierre(2);
  });
  principal.Item("CapturaRpida1")->trigger();
  EXPECT_TRUE(vista);
  EXPECT_EQ(Mensajes(), QStringList());
}

// The demo writes movement rows for its sales (mi.cnf): a product saved in
// the product window recounts its stock from the remission lines and leaves
// those rows out, so the 2 sold count once.
TEST_F(VentaDemo, UnProductoGuardadoSinCambiosConservaLaExistenciaDeSusVentas) {
  TFormaPrincipal& principal = Entra(kClaveDemoAdministrador);
  ASSERT_FALSE(HasFailure());
  QString datos;
  LeeLineaConfig(ConfCarpetaDatos, datos);
  const auto valor = [&datos](const QString& archivo, const QString& tag, const char* campo) {
    db::Tabla t;
    t.SetCarpeta(datos);
    t.SetNombreTabla(archivo);
    t.SetIndexName(tag);
    t.Open();
    return t.FindKey({QStringLiteral("JAB001")}) ? t.FieldByName(QString::fromLatin1(campo)).AsString() : QString();
  };
  ASSERT_EQ(valor("INVENTAR.DBF", "ICLPRO", "EXIST_I"), "35");

  ui::PuertaModal::Espera("TFormaCapturaRapida", [&](QDialog& d) {
    auto& p = static_cast<TFormaCapturaRapida&>(d);
    QTest::keyClick(&p, Qt::Key_F9);
    for (int i = 0; i < 10 && Foco() != p.EditCantidad; ++i) Pulsa(Qt::Key_Return);
    ASSERT_EQ(Foco(), p.EditCantidad);
    Escribe("2");
    Pulsa(Qt::Key_Return);
    Escribe("JAB001");
    Pulsa(Qt::Key_Return);
    Pulsa(Qt::Key_F10);
    EXPECT_EQ(p.EstadoCaptura->text(), "Terminada");
    p.Close();
  });
  principal.Item("CapturaRpida1")->trigger();
  EXPECT_EQ(valor("INVENTAR.DBF", "ICLPRO", "EXIST_I"), "33");

  // The product window: "Buscar" by key, "Modificar", "Guardar".
  principal.Item("Producto1")->trigger();
  TFormaInventario& f = *FormaInventario();
  // The window system activates the window shown (not offscreen).
  QApplication::setActiveWindow(&f);
  f.DisparaActivacion();
  ui::PuertaModal::Espera("TFormaBusqueda", [](QDialog& d) {
    prueba::Tecla(d, "CajaBuscar", Qt::Key_F1);
    prueba::Teclea(d, "CajaBuscar", "JAB001");
    prueba::Pulsa(d, "BotonAceptar");
  });
  prueba::Pulsa(f, "BotonBuscar");
  ASSERT_EQ(f.EditCLPRO_I->text(), "JAB001");
  prueba::Pulsa(f, "BotonCambios");
  prueba::Pulsa(f, "BotonGuardar");
  EXPECT_FALSE(f.Editando());
  EXPECT_EQ(valor("INVENTAR.DBF", "ICLPRO", "EXIST_I"), "33");
  EXPECT_EQ(valor("Kardex.dbf", "CLPRO_I", "EXIST_I"), "33");
  EXPECT_EQ(valor("Kardex.dbf", "CLPRO_I", "SALID_I"), "-3");
  EXPECT_EQ(Mensajes(), QStringList());
}
