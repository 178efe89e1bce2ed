// The product window's tools: repeating a product, the line picker, the
// observations, the barcode label program and the spreadsheet import
// program; and the quick query grid the product queries open.

#include "foundation/Lineas.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/ConsultaRap.h"
#include "platform/db/Consulta.h"
#include "platform/fs/Texto.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "support/LanzadorGrabador.h"
#include "ventana_inventario.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableView>

namespace {

using prueba::Pulsa;
using prueba::Tecla;
using ui::PuertaModal::Mensajes;

class HerramientasInventario : public VentanaInventario {
 protected:
  void TearDown() override {
    qunsetenv("VORLAN_PROGRAMAS");
    VentanaInventario::TearDown();
  }
};

TEST_F(HerramientasInventario, RepetirCopiaElProductoConLaSiguienteClaveSinLaExistencia) {
  Lineas({{ConfConsecutivoProductos, "S"}});
  const std::map<QString, QString> original = {
      {"CLPRO_I", "120"},     {"DSCPR_I", "Tornillo, cabeza plana, 1/2\""}, {"CODIG_I", "750"},
      {"LIPRO_I", "FER"},     {"ULCOS_I", "3.5"},  {"PPUBL_I", "5"},        {"PLIS2_I", "4.75"},
      {"FEULV_I", "05/03/2024"}, {"SERIE_I", "S"}, {"KITXX_I", "N"},       {"ALMAC_I", "1"},
      {"EXIST_I", "7"}};
  Producto(original);
  TFormaInventario& f = Ventana();
  Tecla(f, "", Qt::Key_D, Qt::ControlModifier);
  ASSERT_TRUE(f.Nuevo());
  EXPECT_EQ(f.EditCLPRO_I->text(), "121");
  EXPECT_EQ(f.EditDSCPR_I->text(), original.at("DSCPR_I"));
  EXPECT_TRUE(f.Series->isChecked());
  EXPECT_EQ(f.EditEXIST_I->text(), "");
  Pulsa(f, "BotonGuardar");

  for (const auto& [campo, valor] : original) {
    const QString esperado = campo == u"CLPRO_I" ? QStringLiteral("121") : campo == u"EXIST_I" ? QString() : valor;
    EXPECT_EQ(Campo("121", campo), esperado) << campo.toStdString();
  }
  EXPECT_EQ(Campo("121", "UBICA_I"), "");  // empty fields stay empty
  EXPECT_EQ(Campo("120", "EXIST_I"), "7");
  EXPECT_EQ(Mensajes(), QStringList());

  // Without the right to add products nothing is copied.
  TFormaInventario& caja = Ventana("1");
  caja.Repetir1->trigger();
  ASSERT_FALSE(Mensajes().isEmpty());
  EXPECT_EQ(Mensajes().first(), kSinAcceso);
  EXPECT_EQ(Claves(), QStringList({"120", "121"}));
}

TEST_F(HerramientasInventario, ElSelectorDeLineasYLasObservaciones) {
  const std::pair<const char*, const char*> productos[] = {{"A1", "PLO"}, {"B2", "FER"}, {"C3", "PLO"}};
  for (const auto& [clave, linea] : productos) Producto({{"CLPRO_I", clave}, {"LIPRO_I", linea}, {"ALMAC_I", "1"}});
  const db::DefTabla& d = CatalogoVorlan().Tabla(db::CarpetaTabla::Datos, "factuobs.dbf");
  db::Tabla::Crea(kDatos, d.archivo, d.campos, d.tags);
  TFormaInventario& f = Ventana();
  ASSERT_EQ(f.EditCLPRO_I->text(), "A1");

  ui::PuertaModal::Espera("TFormaObservaciones", [](QDialog& d) {
    static_cast<QPlainTextEdit*>(prueba::Componente(d, "Observacion"))->setPlainText("Frágil");
    Pulsa(d, "BitBtn1");
  });
  Pulsa(f, "BotonObservacion");
  auto obs = Abre("factuobs.dbf");
  ASSERT_EQ(obs->RecordCount(), 1);
  EXPECT_EQ(obs->FieldByName("CLDOC_FO").AsString(), "A1");
  EXPECT_EQ(obs->FieldByName("TIDOC_FO").AsString(), "IN");
  EXPECT_EQ(obs->FieldByName("OBSER_FO").AsString(), "Frágil");

  // The line picker offers each line once; the line chosen goes into the
  // product being changed, Esc leaves it.
  Pulsa(f, "BotonCambios");
  for (const bool acepta : {false, true}) {
    ui::PuertaModal::Espera("TFormaLineas", [acepta](QDialog& d) {
      auto& lineas = static_cast<TFormaLineas&>(d);
      ASSERT_EQ(lineas.DBGrid1->model()->rowCount(), 2);
      EXPECT_EQ(lineas.DBGrid1->model()->index(0, 0).data().toString(), "FER");
      Tecla(d, "DBGrid1", acepta ? Qt::Key_Return : Qt::Key_Escape);
    });
    Pulsa(f, "SpeedButton2");
    EXPECT_EQ(f.EditLIPRO_I->text(), acepta ? "FER" : "PLO");
  }
  EXPECT_EQ(Campo("A1", "LIPRO_I"), "PLO");
  Pulsa(f, "BotonGuardar");
  EXPECT_EQ(Campo("A1", "LIPRO_I"), "FER");
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(HerramientasInventario, ImprimeCodigoYExcelArrancanSusProgramas) {
  Producto({{"CLPRO_I", "A1"}, {"ALMAC_I", "1"}});
  Producto({{"CLPRO_I", "B2"}, {"ALMAC_I", "1"}});
  prueba::LanzadorGrabador lanzador;
  TFormaInventario& f = Ventana();
  QAction* codigo = f.Componente<QAction>("ImprimeCdigo1");
  QAction* excel = f.Componente<QAction>("ImportardesdeEXCEL1");
  const QString barra = QStringLiteral("C:\\VRL\\barra.dat");

  // Without the label program barra.dat is written all the same.
  codigo->trigger();
  EXPECT_EQ(fs::LeeLineas(barra), QStringList{"A1"});
  excel->trigger();
  EXPECT_EQ(Mensajes(), QStringList({"No Se Puede Utilizar el Código de Barras",
                                     "No se encontró el programa Famtuli.exe"}));
  EXPECT_TRUE(lanzador.iniciados.isEmpty());

  ui::PuertaModal::LimpiaMensajes();
  qputenv("VORLAN_PROGRAMAS", "GUNDEL.exe=etiquetas --copias 1;Famtuli.exe=importador");
  Tecla(f, "", Qt::Key_S, Qt::ControlModifier);
  codigo->trigger();
  excel->trigger();
  EXPECT_EQ(fs::LeeLineas(barra), QStringList{"B2"});
  ASSERT_EQ(lanzador.iniciados.size(), 2);
  EXPECT_EQ(lanzador.iniciados[0], (proc::Orden{"etiquetas", {"--copias", "1"}, {}}));
  EXPECT_EQ(lanzador.iniciados[1].programa, "importador");
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(HerramientasInventario, LaConsultaRapidaEmpiezaEnSuUltimoRenglon) {
  for (const char* clave : {"A1", "B2", "C3"}) Producto({{"CLPRO_I", clave}, {"ALMAC_I", "1"}});
  struct Caso {
    const char* donde;
    int renglones;
  };
  for (const Caso c : {Caso{"", 3}, Caso{" where CLPRO_I = \"X\"", 0}}) {
    TFormaConsultaRapida consulta;
    consulta.LabelEncabezado->setText("A1  Martillo");
    consulta.QueryRap->SetSQL("select CLPRO_I from \"C:\\VRL\\DATOS\\INVENTAR.DBF\"" + QString(c.donde) +
                              " order by CLPRO_I");
    consulta.QueryRap->Open();
    bool mostrada = false;
    ui::PuertaModal::Espera("TFormaConsultaRapida", [&](QDialog&) {
      mostrada = true;
      ASSERT_EQ(consulta.DetalleConsulta->model()->rowCount(), c.renglones);
      if (c.renglones) {
        EXPECT_EQ(consulta.QueryRap->FieldByName("CLPRO_I").AsString(), "C3");
        EXPECT_EQ(consulta.DetalleConsulta->currentIndex().row(), 2);
      }
    });
    consulta.ShowModal();
    EXPECT_TRUE(mostrada);
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

}  // namespace
