// The product window's searches, orders and moves, its printing through the
// print format, and the small commands of its Archivo, Opciones and Ayuda
// menus.

#include "inventory/ConPro.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/print/Impresora.h"
#include "platform/print/Impresoras.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "reports/ProtocoloReporte.h"
#include "support/LanzadorGrabador.h"
#include "ventana_inventario.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include <functional>

namespace {

using prueba::Pulsa;
using prueba::Tecla;
using prueba::Teclea;

class OpcionesInventario : public VentanaInventario {
 protected:
  void SetUp() override {
    VentanaInventario::SetUp();
    Producto({{"CLPRO_I", "A1"}, {"CODIG_I", "750"}, {"DSCPR_I", "Martillo"}, {"ALMAC_I", "1"}});
    Producto({{"CLPRO_I", "B2"}, {"CODIG_I", "120"}, {"DSCPR_I", "Clavo"}, {"ALMAC_I", "1"}});
    Producto({{"CLPRO_I", "D4"}, {"CODIG_I", "333"}, {"DSCPR_I", "Serrucho"}, {"ALMAC_I", "1"}});
  }
  void TearDown() override {
    print::Impresora::Global().Restablece();
    print::RefrescaImpresoras();
    VentanaInventario::TearDown();
  }

  // "Buscar" answered with the text, by key (F1) or by description (F2).
  static void Busca(TFormaInventario& f, const QString& texto, bool porClave) {
    ui::PuertaModal::Espera("TFormaBusqueda", [texto, porClave](QDialog& d) {
      Tecla(d, "CajaBuscar", porClave ? Qt::Key_F1 : Qt::Key_F2);
      Teclea(d, "CajaBuscar", texto);
      Pulsa(d, "BotonAceptar");
    });
    Pulsa(f, "BotonBuscar");
  }

  static QString Pdf(const QString& ruta) {
    QProcess texto;
    texto.start("pdftotext", {"-layout", ruta, "-"});
    texto.waitForFinished(20000);
    return QString::fromUtf8(texto.readAllStandardOutput());
  }
};

TEST_F(OpcionesInventario, BuscarPorClaveCaeAlCodigoYALaClaveMasCercana) {
  struct Caso {
    const char* texto;
    bool porClave;
    const char* encontrado;
    QString titulo;
  };
  const Caso casos[] = {
      {"B2", true, "B2", kOrdenClave},
      {"333", true, "D4", kOrdenClave},
      {"C", true, "D4", kOrdenClave},
      {"Ma", false, "A1", kOrdenDescripcion},
  };
  TFormaInventario& f = Ventana();
  for (const Caso& c : casos) {
    Busca(f, c.texto, c.porClave);
    EXPECT_EQ(f.EditCLPRO_I->text(), c.encontrado) << c.texto;
    EXPECT_EQ(f.EditDSCPR_I->text(), Campo(c.encontrado, "DSCPR_I")) << c.texto;
    EXPECT_EQ(f.windowTitle(), c.titulo) << c.texto;
    EXPECT_EQ(f.TablaInventario->IndexName(), c.porClave ? "ICLPRO" : "DSCPR_I") << c.texto;
  }
  // The order menu.
  const std::tuple<QAction*, QString, QString> ordenes[] = {
      {f.Cdigo21, kOrdenCodigo, "CODIG_I"}, {f.Dscripcin1, kOrdenDescripcion, "DSCPR_I"}, {f.Clave1, kOrdenClave, "ICLPRO"}};
  for (const auto& [item, titulo, tag] : ordenes) {
    item->trigger();
    EXPECT_EQ(f.windowTitle(), titulo);
    EXPECT_EQ(f.TablaInventario->IndexName(), tag);
  }
  EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList());
}

TEST_F(OpcionesInventario, LasTeclasYElNavegadorMuevenDeProducto) {
  TFormaInventario& f = Ventana();
  const auto tecla = [&](int k) { Tecla(f, "", k, Qt::ControlModifier); };
  tecla(Qt::Key_A);
  EXPECT_EQ(f.EditCLPRO_I->text(), "A1");  // the first stays
  tecla(Qt::Key_S);
  EXPECT_EQ(f.EditCLPRO_I->text(), "B2");
  tecla(Qt::Key_S);
  tecla(Qt::Key_S);
  EXPECT_EQ(f.EditCLPRO_I->text(), "D4");
  tecla(Qt::Key_A);
  EXPECT_EQ(f.EditCLPRO_I->text(), "B2");
  f.DBNavigator1->Pulsa(ui::Navegador::Primero);
  EXPECT_EQ(f.EditCLPRO_I->text(), "A1");
  EXPECT_EQ(f.EditDSCPR_I->text(), "Martillo");

  // F12: the product lookup, from the current key.
  TFormaConProduct consulta;
  ui::PuertaModal::Espera("TFormaConProduct", [](QDialog& d) {
    Tecla(d, "", Qt::Key_D);
    Tecla(d, "", Qt::Key_Return);
  });
  Tecla(f, "", Qt::Key_F12);
  EXPECT_EQ(f.EditCLPRO_I->text(), "D4");

  // While a product is entered they do nothing.
  Pulsa(f, "BotonNuevo");
  tecla(Qt::Key_A);
  Tecla(f, "", Qt::Key_F12);
  EXPECT_TRUE(f.Nuevo());
  EXPECT_EQ(f.TablaInventario->State(), db::Dataset::Estado::Editando);
  EXPECT_EQ(f.TablaInventario->FieldByName("CLPRO_I").AsString(), "");
}

// The lookup answers a key: the window finds it whatever order the user
// chose, and keeps that order.
TEST_F(OpcionesInventario, F12EncuentraLaClaveEnCualquierOrden) {
  TFormaInventario& f = Ventana();
  TFormaConProduct consulta;
  const std::tuple<QAction*, QString, QString> ordenes[] = {
      {f.Dscripcin1, kOrdenDescripcion, "DSCPR_I"}, {f.Cdigo21, kOrdenCodigo, "CODIG_I"}, {f.Clave1, kOrdenClave, "ICLPRO"}};
  for (const auto& [item, titulo, tag] : ordenes) {
    SCOPED_TRACE(tag.toStdString());
    f.PosicionaProducto("A1");
    item->trigger();
    ui::PuertaModal::Espera("TFormaConProduct", [](QDialog& d) {
      Tecla(d, "", Qt::Key_D);
      Tecla(d, "", Qt::Key_Return);
    });
    Tecla(f, "", Qt::Key_F12);
    EXPECT_EQ(f.EditCLPRO_I->text(), "D4");
    EXPECT_EQ(f.EditDSCPR_I->text(), "Serrucho");
    EXPECT_EQ(f.TablaInventario->FieldByName("CLPRO_I").AsString(), "D4");
    EXPECT_EQ(f.TablaInventario->IndexName(), tag);
    EXPECT_EQ(f.windowTitle(), titulo);
  }
  EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList());
}

TEST_F(OpcionesInventario, ImprimeElFormatoYVuelveAlProductoMostrado) {
  const QString pdf = raiz() + "/productos.pdf";
  print::FijaImpresorasPrueba({{"PDF", "", print::TipoImpresora::Pdf, pdf, 0}}, 0);
  print::Impresora::Global().Restablece();
  Lineas({{ConfFormatoInventarios, "inventa.fmt"}});
  TFormaInventario& f = Ventana();

  // Without the format the preview says so and shows an empty page.
  ui::PuertaModal::Espera("TFormaEdicion", [](QDialog& d) { d.reject(); });
  f.PresentacionPreliminar1->trigger();
  EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList{"El Formato C:\\VRL\\consulta\\inventa.fmt No Existe"});

  EscribeLineas("C:\\VRL\\consulta\\inventa.fmt", {"Productos", "lineas(55)", "paginas(imprime)", "$", "texto(1,1,Productos)",
                                                    "saltar(2)", "$", "&", "@1,0,clpro_i", "@14,0,dscpr_i", "saltar(1)",
                                                    "&"});
  Tecla(f, "", Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(f.EditCLPRO_I->text(), "B2");
  Pulsa(f, "BotonImprimir");
  const QString texto = Pdf(pdf);
  EXPECT_TRUE(texto.contains("Martillo")) << texto.toStdString();
  EXPECT_TRUE(texto.contains("Serrucho")) << texto.toStdString();
  // The print walked the table; the window shows the same product again.
  EXPECT_EQ(f.EditCLPRO_I->text(), "B2");
  EXPECT_EQ(f.EditDSCPR_I->text(), "Clavo");

  // "Imprime Plantilla": the window's picture on one page.
  f.ImprimePlantilla1->trigger();
  QProcess imagenes;
  imagenes.start("pdfimages", {"-list", pdf});
  ASSERT_TRUE(imagenes.waitForFinished(20000));
  const QStringList lista = QString::fromUtf8(imagenes.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lista.size(), 3);  // two heading lines and the one picture
  EXPECT_TRUE(lista[2].simplified().startsWith("1 0 image"));
  EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList{"El Formato C:\\VRL\\consulta\\inventa.fmt No Existe"});
}

TEST_F(OpcionesInventario, ElImpuestoDeReportesSeLeeAlMostrarConLaOpcion) {
  struct Caso {
    const char* opcion;
    const char* archivo;  // impuesto.cnf; nullptr: none
    double tasa;
  };
  const Caso casos[] = {{"S", "0.11", 0.11}, {"S", nullptr, 0}, {"S", "once", 0}, {"N", "0.11", 0.5}};
  for (const Caso& c : casos) {
    EscribeLineas("C:\\VRL\\opc_inv.cnf", {c.opcion});
    if (c.archivo) EscribeLineas(kDatos + "\\impuesto.cnf", {c.archivo});
    else fs::BorraArchivo(kDatos + "\\impuesto.cnf");
    TasaImpuestoReporte = 0.5;
    TFormaInventario& f = Ventana();
    EXPECT_EQ(f.LeerImpuestoenAltadeProducto1->isChecked(), c.opcion == QString("S"));
    EXPECT_DOUBLE_EQ(TasaImpuestoReporte, c.tasa) << c.opcion << " " << (c.archivo ? c.archivo : "-");
  }
  forma_->LeerImpuestoenAltadeProducto1->trigger();
  EXPECT_EQ(fs::LeeLineas("C:\\VRL\\opc_inv.cnf"), QStringList{"S"});
}

TEST_F(OpcionesInventario, LaBitacoraDelProductoSoloParaElAdministrador) {
  EscribeLineas(kDatos + "\\Bitacora\\I-A1.bit", {"05/03/2024 10:15:00 GUARDADA Por Usuario 0"});
  Ventana("1").Bitacora1->trigger();  // nothing for another user
  bool mostrada = false;
  ui::PuertaModal::Espera("TFormaObservaciones", [&](QDialog& d) {
    mostrada = true;
    EXPECT_EQ(d.windowTitle(), "Bitacora");
    EXPECT_TRUE(prueba::Componente(d, "BitBtn1")->isHidden());
    auto* memo = static_cast<QPlainTextEdit*>(prueba::Componente(d, "Observacion"));
    EXPECT_EQ(memo->toPlainText(), "05/03/2024 10:15:00 GUARDADA Por Usuario 0");
    EXPECT_TRUE(memo->isReadOnly());
  });
  Ventana("0").Bitacora1->trigger();
  EXPECT_TRUE(mostrada);
}

TEST_F(OpcionesInventario, AyudaCalculadoraYListaDeComponentes) {
  TFormaInventario& f = Ventana();
  ui::PuertaModal::Espera("TFormaAyudaLinea", [](QDialog& d) {
    EXPECT_TRUE(static_cast<QTextEdit*>(prueba::Componente(d, "Texto"))->toPlainText().contains("Catálogo de productos"));
  });
  f.Temas1->trigger();

  f.Informacion1->trigger();
  const QStringList indice = fs::LeeLineas("C:\\VRL\\ayuda\\ayudavrl.vrl");
  ASSERT_FALSE(indice.isEmpty());
  EXPECT_EQ(indice[0], "FormaInventario");
  EXPECT_TRUE(indice.contains("Checar Stocks"));

  prueba::LanzadorGrabador lanzador;
  qputenv("VORLAN_PROGRAMAS", "calc.exe=calculadora");
  f.Calculadora1->trigger();
  qunsetenv("VORLAN_PROGRAMAS");
  ASSERT_EQ(lanzador.iniciados.size(), 1);
  EXPECT_EQ(lanzador.iniciados[0].programa, "calculadora");

  fs::CreaCarpeta("c:\\formas");
  f.Componentes1->trigger();
  const QStringList lista = fs::LeeLineas("c:\\formas\\FormaInventario.for");
  EXPECT_EQ(lista.mid(0, 8), (QStringList{"FormaInventario", "FormaInventario", "FormaInventario", "******", "******",
                                          "******", "******", "******"}));
  const qsizetype clave = lista.indexOf("EditCLPRO_I");
  ASSERT_GT(clave, 0);
  EXPECT_EQ(lista[clave - 1], "True");
  EXPECT_EQ(lista[clave + 5], "A1");  // its text, twice: as caption and as edit text
  EXPECT_EQ(lista[clave + 6], "A1");
  EXPECT_EQ(lista[clave + 8], "******");
  EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList());
}

TEST_F(OpcionesInventario, ElNavegadorDeCatalogosAbreLaVentanaEnUnProducto) {
  TFormaInventario f;
  f.Usuario->setText("0");
  f.PosicionaProducto("D4");
  EXPECT_EQ(f.Tag(), 1);
  EXPECT_EQ(f.EditCLPRO_I->text(), "D4");
  EXPECT_EQ(f.EditDSCPR_I->text(), "Serrucho");
  f.PosicionaProducto("A1");
  EXPECT_EQ(f.EditCLPRO_I->text(), "A1");
}

}  // namespace
