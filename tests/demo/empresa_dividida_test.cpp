// The demonstration company kept apart: its products, per-product totals
// and movements in a folder of their own (configuration line 59) and its
// remissions in another (line 63). A day of work done as a user does it (a
// sale, a purchase receipt, a movement document, then the stock checks,
// cards, reports and cash cuts) shows the same rows and figures as on the
// company that keeps every table in its data folder.

#include "app/Vorlan.h"
#include "demo/Demo.h"
#include "foundation/ArchivosPrograma.h"
#include "foundation/rutinas.h"
#include "inventory/Caducidad.h"
#include "inventory/Costeo.h"
#include "inventory/Inven.h"
#include "inventory/movinv.h"
#include "legacy/abre_factura.h"
#include "maintenance/IndiTodo.h"
#include "platform/db/Consulta.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/PuertaModal.h"
#include "pos/CaptuRap.h"
#include "purchasing/Compras.h"
#include "reports/Formatos.h"
#include "reports/RepoSQL.h"
#include "salesdocs/RangoDocumentos.h"
#include "shell/Inicial.h"
#include "shell/LugarTablas.h"
#include "shell/Principa.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

const QString kDatos = QStringLiteral("C:\\Vorlan\\DATOS");
const QString kInventario = QStringLiteral("C:\\Vorlan\\INVENTARIO");
const QString kRemisiones = QStringLiteral("C:\\Vorlan\\REMISIONES");
const QDateTime kAhora(QDate(2024, 6, 14), QTime(12, 30));

QWidget* Foco() { return QApplication::focusWidget(); }
void Escribe(const QString& texto) {
  for (const QChar c : texto) QTest::keyClicks(Foco(), QString(c));
}
void Tecla(int tecla, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::keyClick(Foco(), static_cast<Qt::Key>(tecla), mods);
}

// The rows of a company table, each as the values of the fields joined by
// "|", read where the company keeps the table.
QStringList Filas(const QString& archivo, const QStringList& campos) {
  db::Tabla t;
  ApuntaTabla(t, archivo);
  t.SetReadOnly(true);
  t.Open();
  QStringList filas;
  for (t.First(); !t.Eof(); t.Next()) {
    QStringList v;
    for (const QString& c : campos) v << t.FieldByName(c).AsString();
    filas << v.join(u'|');
  }
  return filas;
}

// Runs a report command of a window's menu: its parameters dialog (when it
// shows) accepted as proposed, the pages the report window held.
QStringList Reporte(QMenuBar* menu, const char* comando) {
  auto paginas = std::make_shared<QStringList>();
  auto mostrada = std::make_shared<bool>(false);
  ui::PuertaModal::Espera("TFormaFormatos", [](QDialog& d) { prueba::Pulsa(d, "BitBtn4"); });
  ui::PuertaModal::Espera("TFormaReporteSQL", [=](QDialog& d) {
    *mostrada = true;
    *paginas = static_cast<TFormaReporteSQL&>(d).PaginasGuion;
  });
  QAction* item = menu->findChild<QAction*>(QString::fromLatin1(comando));
  EXPECT_TRUE(item && item->isEnabled()) << comando;
  if (item) item->trigger();
  EXPECT_TRUE(*mostrada) << comando << " " << ui::PuertaModal::Mensajes().join(u'|').toStdString();
  if (!*mostrada) ui::PuertaModal::Reinicia();
  return QStringList{QString::fromLatin1(comando)} + *paginas;
}

// Runs a command that shows a stock card: the card's totals and its rows.
QStringList Tarjeta(QAction* item) {
  auto vista = std::make_shared<QStringList>();
  ui::PuertaModal::Espera("TFormaCosteo", [vista](QDialog& d) {
    auto& card = static_cast<TFormaCosteo&>(d);
    *vista << card.Panel2->Caption().simplified() << card.Actuales->text()
           << QString::number(card.TablaNormal->RecordCount());
  });
  item->trigger();
  EXPECT_FALSE(vista->isEmpty()) << item->objectName().toStdString();
  return QStringList{item->objectName()} + *vista;
}

class EmpresaDividida : public RaizPrueba {
 protected:
  void TearDown() override {
    programa_.reset();
    RaizPrueba::TearDown();
  }

  // A day of work on a new demonstration company, split or not, under the
  // root in effect; what the user saw, in order.
  QStringList Jornada(bool dividida) {
    QStringList visto;
    fs::FijaAhora(kAhora);
    EXPECT_TRUE(dividida ? PreparaEmpresaDemo(kInventario, kRemisiones) : PreparaEmpresaDemo());
    InstalaArchivosPrograma();
    // Split for real: the data folder holds no product or remission table.
    EXPECT_EQ(db::Tabla::Existe(kDatos, "INVENTAR.DBF"), !dividida);
    EXPECT_EQ(db::Tabla::Existe(kDatos, "RemisioD.dbf"), !dividida);
    EXPECT_EQ(db::Tabla::Existe(kInventario, "Kardex.dbf"), dividida);

    programa_ = std::make_unique<ProgramaVorlan>();
    programa_->Inicia();
    TFormaPrincipal& principal = *FormaPrincipal();
    principal.Show();
    ui::PuertaModal::Espera("TFormaEmpresas", [](QDialog& d) {
      prueba::Teclea(d, "Clave", kClaveDemoAdministrador);
      prueba::Tecla(d, "Clave", Qt::Key_Return);
    });
    principal.DisparaActivacion();
    EXPECT_EQ(principal.Usuario->text(), "0");

    Venta(principal, visto);
    Compra(visto);
    Movimiento(visto);
    Producto(principal, visto);
    RangoRemisiones(visto);
    ValoresIniciales(principal, visto);
    AjusteK(visto);

    visto << QStringLiteral("Mensajes:") + ui::PuertaModal::Mensajes().join(u'|');
    // Nothing was written where a table does not live.
    for (const char* tabla : {"INVENTAR.DBF", "Kardex.dbf", "MOVINVEN.DBF", "MOVIMIENTOS.DBF", "Existe.dbf",
                              "Remision.dbf", "RemisioD.dbf", "CucobrarRemision.DBF", "Retiros.dbf"})
      EXPECT_EQ(db::Tabla::Existe(kDatos, QString::fromLatin1(tabla)), !dividida) << tabla;
    // The tables that failed to open: a table looked for outside its folder
    // would fail on the split company alone.
    const QString errores = fs::Une(CarpetaPrograma(QString()), QStringLiteral("Bitacora.txt"));
    const QStringList aperturas = fs::ExisteArchivo(errores) ? fs::LeeLineas(errores) : QStringList();
    visto << aperturas.filter(QStringLiteral("Error Apertura"));
    programa_.reset();
    return visto;
  }

  // A remission by keys on the sale screen, then its list report and the
  // day's cash cut.
  static void Venta(TFormaPrincipal& principal, QStringList& visto) {
    ui::PuertaModal::Espera("TFormaCapturaRapida", [&](QDialog& d) {
      auto& p = static_cast<TFormaCapturaRapida&>(d);
      QTest::keyClick(&p, Qt::Key_F9);
      for (int i = 0; i < 10 && Foco() != p.EditCantidad; ++i) Tecla(Qt::Key_Return);
      ASSERT_EQ(Foco(), p.EditCantidad);
      for (const auto& [cantidad, clave] : {std::pair{"2", "ARR001"}, {"5", "AGU001"}}) {
        Escribe(cantidad);
        Tecla(Qt::Key_Return);
        Escribe(clave);
        Tecla(Qt::Key_Return);
      }
      Tecla(Qt::Key_F10);
      visto << "Venta " + p.EditCLDOC_F->text() + " " + p.TotalFact->text().trimmed();
      visto << Reporte(p.MainMenu1, "ConsecutivodeFacturas1");
      visto << Reporte(p.MainMenu1, "CorteZ1");
    });
    principal.Item("CapturaRpida1")->trigger();
    visto << Filas("RemisioD.dbf", {"CLDOC_FD", "CLPRO_FD", "CANTI_FD"});
  }

  // A purchase receipt of supplier 1 saved with Ctrl+G.
  static void Compra(QStringList& visto) {
    TFormaCompras v;
    v.Usuario->setText("0");
    v.Show();
    QApplication::setActiveWindow(&v);
    v.DisparaActivacion();
    v.Nuevo1->trigger();
    v.EditCLPRV_O->setFocus();
    prueba::Reescribe(v.EditCLPRV_O, "1");
    v.EditFEDOC_O->setFocus();
    db::Tabla& c = *v.TablaDeta;
    c.Append();
    c.FieldByName("CANTIDAD").SetAsFloat(10);
    c.FieldByName("CLAVE").SetAsString("ARR001");
    c.FieldByName("PRODUCTO").SetAsString("Arroz blanco 1 kg");
    c.FieldByName("PRECIO").SetAsFloat(19);
    c.FieldByName("IMPUESTO").SetAsFloat(16);
    c.Post();
    v.CalculaTotalesCompra();
    prueba::Tecla(v, "", Qt::Key_G, Qt::ControlModifier);
    visto << "Compra " + v.EditCLDOC_O->text();
    v.Close();
  }

  // An exit of 3 bottles of water, then the movement window's entries and
  // exits and the card of the row's product (F7).
  static void Movimiento(QStringList& visto) {
    TFormaMovimientosInventario v;
    v.Usuario->setText("0");
    v.Show();
    QApplication::setActiveWindow(&v);
    v.DisparaActivacion();
    prueba::Pulsa(v, "BotonNuevo");
    v.EditTIMOV_MI->setFocus();
    Escribe("8");
    v.Detalle->setFocus();
    v.Detalle->SetSelectedIndex(0);
    Escribe("3");
    Tecla(Qt::Key_Return);
    Tecla(Qt::Key_Return);
    Escribe("AGU001");
    for (int i = 0; i < 5; ++i) Tecla(Qt::Key_Return);
    prueba::Pulsa(v, "BotonGuardar");
    visto << "Movimiento " + v.EditCLDOC_MI->text();
    prueba::Pulsa(v, "Botonprimero");
    visto << Reporte(v.findChild<QMenuBar*>(), "Entradas1");
    prueba::Pulsa(v, "Botonultimo");
    visto << Reporte(v.findChild<QMenuBar*>(), "Salidas1");
    prueba::Pulsa(v, "Botonultimo");
    visto << Tarjeta(v.VerMovimientos1);
    v.Close();
  }

  // The product window on the water: its cards, the totals that do not add
  // up, the stock check's list and the average costs set again.
  static void Producto(TFormaPrincipal& principal, QStringList& visto) {
    principal.Item("Producto1")->trigger();
    TFormaInventario& f = *FormaInventario();
    QApplication::setActiveWindow(&f);
    f.DisparaActivacion();
    f.PosicionaProducto("AGU001");
    visto << "Producto " + f.EditCLPRO_I->text() + " " + f.EditEXIST_I->text();
    visto << Tarjeta(f.Componente<QAction>("Kardex1"));
    visto << Tarjeta(f.Componente<QAction>("Kardexalterno1"));
    f.PosicionaProducto("AGU001");
    ui::PuertaModal::Espera("TFormaCaducidad", [&visto](QDialog& d) {
      db::Consulta& q = *static_cast<TFormaCaducidad&>(d).Query1;
      for (q.First(); !q.Eof(); q.Next())
        visto << "Desajuste " + q.FieldByName("CLPRO_I").AsString() + " " + q.FieldByName("EXIST_I").AsString();
    });
    f.Componente<QAction>("VerDesajuste1")->trigger();
    f.PosicionaProducto("ACE001");
    f.Componente<QAction>("RevisaExistencias1")->trigger();
    visto << fs::LeeLineas(CarpetaPrograma(QStringLiteral("\\tempo\\ajustar.txt")));
    f.PosicionaProducto("ACE001");
    f.Componente<QAction>("AjustarCostoPromedio1")->trigger();
    visto << Filas("INVENTAR.DBF", {"CLPRO_I", "EXIST_I", "CPROM_I"});
    visto << Filas("Kardex.dbf", {"CLPRO_I", "ENTRA_I", "SALID_I", "EXIST_I"});
    f.Close();
  }

  // The legacy window's "Rango de Documentos" over the remissions 1 to 3:
  // an invoice of their lines, each remission marked with it.
  static void RangoRemisiones(QStringList& visto) {
    AbreVentanaFactura("0", [&visto](TFormaFactura& f) {
      ui::PuertaModal::Espera("TFormaRango", [](QDialog& d) {
        auto& r = static_cast<TFormaRango&>(d);
        prueba::Reescribe(r.Edit1, "1-3");
        r.Factura->setChecked(true);
        prueba::Pulsa(d, "BitBtn1");
      });
      f.RangodeDocumentos1->trigger();
      visto << "Rango " + f.Base->currentText() + " " + QString::number(f.TablaDeta->RecordCount());
      f.BotonGuardar->click();
    });
    visto << Filas("FacturaE.dbf", {"CLDOC_F", "CLPED_F", "IMTOD_F"});
    visto << Filas("Remision.dbf", {"CLDOC_F", "REMIS_F"});
    visto << Filas("RemisioD.dbf", {"CLDOC_FD", "TDOCU_FD"});
  }

  // "Valores Iniciales": the last remission and invoice numbers.
  static void ValoresIniciales(TFormaPrincipal& principal, QStringList& visto) {
    ui::PuertaModal::Espera("TFormaInicial", [&visto](QDialog& d) {
      auto& v = static_cast<TFormaInicial&>(d);
      visto << "Iniciales " + v.Edit3->text() + " " + v.LabelAjuste->text() + " " + v.Edit4->text();
    });
    principal.Item("ValoresIniciales1")->trigger();
  }

  // "AjusteK": the totals rebuilt from the products' stock, the product
  // window's tables closed first as the reindex opener closes them.
  static void AjusteK(QStringList& visto) {
    CierraTablasVentana(FormaInventario());
    TFormaReindexaTodo v;
    prueba::Pulsa(v, "BitBtn12");
    visto << Filas("Kardex.dbf", {"CLPRO_I", "ENTRA_I", "SALID_I", "EXIST_I"});
  }

  std::unique_ptr<ProgramaVorlan> programa_;
};

TEST_F(EmpresaDividida, LaJornadaVeLoMismoConLasTablasEnSusCarpetas) {
  const QStringList junta = Jornada(false);
  // The day left its traces where the user looks for them.
  EXPECT_EQ(junta.filter(QRegularExpression("^Venta 3 ")).size(), 1) << junta.join(u'\n').toStdString();
  EXPECT_EQ(junta.filter(QRegularExpression("^Compra [1-9]")).size(), 1) << junta.join(u'\n').toStdString();
  EXPECT_EQ(junta.filter(QRegularExpression("^Movimiento [1-9]")).size(), 1) << junta.join(u'\n').toStdString();

  // A second root for the split company.
  QTemporaryDir otra;
  ASSERT_TRUE(otra.isValid());
  qputenv("VORLAN_ROOT", QFile::encodeName(otra.path()));
  QDir().mkpath(otra.path() + QStringLiteral("/c/VRL"));
  ui::PuertaModal::LimpiaMensajes();
  const QStringList dividida = Jornada(true);
  // Line by line, the first difference named.
  for (qsizetype i = 0; i < std::max(junta.size(), dividida.size()); ++i) {
    ASSERT_EQ(dividida.value(i), junta.value(i)) << "línea " << i << " tras «" << junta.value(i - 1).toStdString()
                                                 << "»";
  }
  if (qEnvironmentVariableIsSet("VORLAN_MUESTRA_JORNADA")) std::puts(qPrintable(junta.join(u'\n')));
}

}  // namespace
