// Movement totals, stock adjustments and physical counts, as a user runs
// them from the movement window: "Calcula Cantidad", "Ajuste de Existencias
// por Movimientos", "Actualizar", the count sheet ("Ajuste de Inventario")
// with its variances, filters, counts file, copy, print and both ways of
// posting, and the adjustment sheet ("Ajuste").

#include "foundation/rutinas_fecha.h"
#include "inventory/AjusteIN.h"
#include "inventory/Ajustar.h"
#include "movimientos_prueba.h"
#include "platform/db/Catalogo.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Texto.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "reports/Barras.h"
#include "reports/ArchivosReporte.h"
#include "support/Maneja.h"
#include "support/Proceso.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolButton>

namespace {

using namespace movimientos;
// Named here too: another unit of the same batch may bring the test support's keys.
using movimientos::Tecla;

const QString kSinAccesoModulo = QStringLiteral("No se Tiene Acceso a este Módulo");
const QString kDelicado = QStringLiteral("Recuerde que el siguente Proceso es muy DELICADO Desea Continuar?...");

class Ajustes : public MovimientosPrueba {
 protected:
  void SetUp() override {
    MovimientosPrueba::SetUp();
    Agrega("comovinv.dbf", {"NUCON_CM", "DECON_CM"},
           {{2, "Devolución"}, {3, "Venta"}, {8, "Salida"}, {56, "Ajuste de Entrada"}, {58, "Inventario Físico"}});
    FijaProductos("LIPRO_I", {"ABAR", "ABAR", "COND"});
    FijaProductos("CLPR1_I", {"PR1", "PR2", "PR1"});
  }

  static void FijaProductos(const QString& campo, const QVariantList& valores) {
    auto t = Abre("INVENTAR.DBF", "ICLPRO");
    int i = 0;
    for (t->First(); !t->Eof(); t->Next()) {
      t->Edit();
      t->FieldByName(campo).SetValue(valores.value(i++));
      t->Post();
    }
  }

  // The next administrator prompt answered with the password.
  static void Clave(const QString& clave) {
    ui::PuertaModal::Espera("TFormaAdministrador", [clave](QDialog& d) {
      prueba::Teclea(d, "Clave", clave);
      prueba::Pulsa(d, "BitBtn1");
    });
  }

  static QStringList Productos(const QStringList& campos = {"CLPRO_I", "EXIST_I"}) {
    return Filas("INVENTAR.DBF", campos);
  }
  static QStringList Renglones() {
    return Filas("MOVINVEN.DBF", {"CLDOC_MI", "TIMOV_MI", "CLPRO_MI", "CANTI_MI", "FEDOC_MI", "COSUN_MI"});
  }
  static QStringList Hoja(const QStringList& campos = {"CLAVE", "TEORICO", "REALES", "AJUSTE", "COSTO", "VALOR_TEOR",
                                                       "VALOR_REAL", "VALOR_AJUS"}) {
    return Filas(kTablaConteo, campos);
  }

  // The count sheet as the movement window builds it, without the window.
  static void CreaHoja() {
    CreaTablaAjuste(kDatos);
    LlenaTablaAjuste(kDatos);
  }
  static void Cuenta(TFormaAjustar& h, const QString& clave, const QVariant& reales) {
    ASSERT_TRUE(h.TablaAjuste->FindKey({clave}));
    h.TablaAjuste->Edit();
    h.TablaAjuste->FieldByName("REALES").SetValue(reales);
    h.TablaAjuste->Post();
  }

  // "Ajuste de Inventario" run to the sheet, whose script `hoja` answers it.
  void Inventario(TFormaMovimientosInventario& v, const std::function<void(TFormaAjustar&)>& hoja) {
    Clave("adm");
    ui::PuertaModal::Espera("TFormaAdvertencia", [](QDialog& d) {
      EXPECT_EQ(prueba::Texto(d, "Label1"), kDelicado);
      prueba::Pulsa(d, "BitBtn1");
    });
    ui::PuertaModal::Espera("TFormaAjustar", [hoja](QDialog& d) { hoja(static_cast<TFormaAjustar&>(d)); });
    ui::PuertaModal::LimpiaMensajes();
    v.AjustedeInventario1->trigger();
  }
};

TEST_F(Ajustes, CalculaCantidadMuestraLosTotalesYAjusteDeExistenciasLosEscribeEnElProducto) {
  AgregaMovimientos({{1, 51, "P1", 10}, {1, 3, "P1", 4}, {1, 2, "P1", 1}, {2, 51, "P3", 6}});
  TFormaMovimientosInventario& v = Ventana();
  QStringList menus;
  for (QAction* a : v.MainMenu1->actions()) menus << a->text();
  EXPECT_EQ(menus.mid(menus.indexOf("Opciones")), (QStringList{"Opciones", "Procesos", "Ayuda"}));
  EXPECT_EQ(v.Actualizart1->parent()->objectName(), "Ayuda1");
  EXPECT_TRUE(v.Entradas->isHidden());
  v.Botonprimero->click();
  v.CalculaCantidad1->trigger();
  EXPECT_TRUE(v.CalculaCantidad1->isChecked());
  EXPECT_FALSE(v.Entradas->isHidden());
  EXPECT_EQ(v.Entradas->text(), "Entradas      10.00");
  EXPECT_EQ(v.Salidas->text(), "Salidas       5.00");
  EXPECT_EQ(v.Existencias->text(), "Existencias       5.00");
  // Line 38 is not "S": the product is left alone.
  EXPECT_FALSE(v.ExistenciaPorTotales);

  // Checked, each document shown is totalled; unchecked, the last totals stay.
  v.Botonultimo->click();
  EXPECT_EQ(v.Entradas->text(), "Entradas       6.00");
  v.CalculaCantidad1->trigger();
  EXPECT_FALSE(v.CalculaCantidad1->isChecked());
  v.Botonprimero->click();
  EXPECT_EQ(v.Entradas->text(), "Entradas       6.00");

  // With line 38 "S" the switch goes on, but the view in document order
  // writes nothing into the product.
  FijaLinea(ConfActualizaExistencias, "S");
  v.CalculaCantidad1->trigger();
  EXPECT_TRUE(v.ExistenciaPorTotales);
  EXPECT_EQ(Productos({"CLPRO_I", "EXIST_I", "VANCA_I"}), (QStringList{"P1|40|", "P2|10|", "P3|7|"}));

  // A wrong password: said, nothing changes.
  Clave("bodega");
  v.AjustedeExistenciasporMovimientos1->trigger();
  EXPECT_EQ(Mensajes(), QStringList{kSinAccesoModulo});
  EXPECT_EQ(Productos(), (QStringList{"P1|40", "P2|10", "P3|7"}));

  // In product order every product with rows gets its stock, sold quantity
  // and sold amount at price 1; one without rows keeps what it had. A row
  // without a document number is no movement: it goes to borrados.dat.
  {
    auto t = Abre("MOVINVEN.DBF");
    t->Append();
    t->FieldByName("CLPRO_MI").SetAsString("P2");
    t->FieldByName("CANTI_MI").SetAsFloat(3);
    t->FieldByName("TIMOV_MI").SetAsInteger(51);
    t->Post();
  }
  v.CalculaCantidad1->trigger();
  EXPECT_FALSE(v.CalculaCantidad1->isChecked());
  v.ExistenciaPorTotales = false;
  Clave("adm");
  v.AjustedeExistenciasporMovimientos1->trigger();
  EXPECT_EQ(Productos({"CLPRO_I", "EXIST_I", "VANCA_I", "VANMO_I"}),
            (QStringList{"P1|5|4|99.6", "P2|10||", "P3|6|0|0"}));
  // The window is back as it was, on the document it showed.
  EXPECT_FALSE(v.CalculaCantidad1->isChecked());
  EXPECT_FALSE(v.ExistenciaPorTotales);
  EXPECT_EQ(v.EditCLDOC_MI->text(), "1");
  EXPECT_EQ(v.DetalleConsulta->model()->rowCount(), 3);
  EXPECT_EQ(Mensajes(), QStringList{kSinAccesoModulo});
  ASSERT_EQ(Borrados().size(), 1);
  EXPECT_TRUE(Borrados()[0].contains(",CLPRO_MI,P2,")) << Borrados()[0].toStdString();
  EXPECT_EQ(FilasMovimientos().size(), 4);
}

TEST_F(Ajustes, ActualizarDejaEnCadaProductoLaFechaDeSuUltimoDocumento) {
  AgregaMovimientos({{5, 51, "P1", 3}, {9, 51, "P1", 2}, {7, 51, "P2", 1}, {8, 51, "ZZ", 1}});
  {
    auto t = Abre("MOVINVEN.DBF", "CLDOC_MI");
    ASSERT_TRUE(t->FindKey({9}));
    t->Edit();
    t->FieldByName("FEDOC_MI").SetAsDate(QDate(2024, 2, 15));
    t->Post();
  }
  TFormaMovimientosInventario& v = Ventana();
  v.Actualizart1->trigger();
  EXPECT_EQ(Mensajes(), QStringList{"proceso terminado"});
  EXPECT_EQ(Productos({"CLPRO_I", "FPGCI_I"}),
            (QStringList{"P1|" + QString::number(NumeroDeFecha(QDate(2024, 2, 15))),
                         "P2|" + QString::number(NumeroDeFecha(QDate(2024, 3, 1))), "P3|"}));
}

TEST_F(Ajustes, AjusteDeInventarioConstruyeLaHojaConLasColumnasRegistradasYLaAbre) {
  TFormaMovimientosInventario& v = Ventana();
  // Answered "No": nothing is built.
  Clave("adm");
  ui::PuertaModal::Espera("TFormaAdvertencia", [](QDialog& d) {
    EXPECT_EQ(prueba::Texto(d, "Label1"), kDelicado);
    EXPECT_EQ(d.findChild<QLabel*>("Label1")->width(), 570);
    prueba::Pulsa(d, "BitBtn2");
  });
  v.AjustedeInventario1->trigger();
  EXPECT_FALSE(db::Tabla::Existe(kDatos, kTablaConteo));
  // A refused password: nothing, and no question.
  Clave("bodega");
  v.AjustedeInventario1->trigger();
  EXPECT_EQ(ui::PuertaModal::Pendientes(), 0);
  EXPECT_FALSE(db::Tabla::Existe(kDatos, kTablaConteo));

  bool vista = false;
  Inventario(v, [&](TFormaAjustar& h) {
    vista = true;
    EXPECT_EQ(h.windowTitle(), "Ajustar");
    EXPECT_EQ(h.TablaAjuste->IndexName(), "CLAVE");
    EXPECT_FALSE(h.CampoAjuste->isChecked() || h.CampoReales->isChecked());
    EXPECT_EQ(h.DBGrid1->model()->rowCount(), 3);
  });
  EXPECT_TRUE(vista);
  {
    auto t = Abre(kTablaConteo);
    EXPECT_TRUE(db::ComparaTabla(CatalogoVorlan().Tabla(db::CarpetaTabla::Inventario, kTablaConteo), kDatos,
                                 t->Definiciones(), t->IndexDefs())
                    .isEmpty());
    EXPECT_EQ(t->NombresCampos(), (QStringList{"CLAVE", "DESCRIPCIO", "TEORICO", "REALES", "AJUSTE", "COSTO",
                                               "VALOR_TEOR", "VALOR_REAL", "VALOR_AJUS", "LINEA", "PROVEEDOR"}));
  }
  EXPECT_EQ(Hoja({"CLAVE", "DESCRIPCIO", "TEORICO", "REALES", "COSTO", "LINEA", "PROVEEDOR"}),
            (QStringList{"P1|Arroz 1 kg|40||18.5|ABAR|PR1", "P2|Frijol 1 kg|10||20|ABAR|PR2",
                         "P3|Sal 1 kg|7||5|COND|PR1"}));
  // Closed without "Ajustar...": nothing posted.
  EXPECT_EQ(Renglones(), QStringList());
  EXPECT_EQ(Mensajes(), QStringList());

  // Built again, the old counts are gone.
  Inventario(v, [&](TFormaAjustar& h) {
    Cuenta(h, "P1", 3);
    h.Close();
  });
  Inventario(v, [&](TFormaAjustar& h) { h.Close(); });
  EXPECT_EQ(Hoja({"CLAVE", "REALES"}), (QStringList{"P1|", "P2|", "P3|"}));
}

RUTINA_HIJA(AbreTablaConteo) {
  db::Tabla t;
  t.SetCarpeta(argumentos.value(0));
  t.SetNombreTabla(argumentos.value(1));
  t.Open();
  prueba::AvisaPadre("LISTO");
  prueba::EsperaPadre();
  return 0;
}

TEST_F(Ajustes, UnaHojaQueOtraEstacionTieneAbiertaNoSeLlenaDosVeces) {
  CreaHoja();
  prueba::ProcesoHijo otra("AbreTablaConteo", {kDatos, kTablaConteo});
  ASSERT_EQ(otra.EsperaLinea(), "LISTO");
  TFormaMovimientosInventario& v = Ventana();
  Clave("adm");
  ui::PuertaModal::Espera("TFormaAdvertencia", [](QDialog& d) { prueba::Pulsa(d, "BitBtn1"); });
  v.AjustedeInventario1->trigger();
  EXPECT_EQ(Hoja({"CLAVE"}), (QStringList{"P1", "P2", "P3"}));
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].contains("está en uso en otra estación")) << Mensajes()[0].toStdString();
  otra.Envia("");
  EXPECT_EQ(otra.Espera(), 0);
}

TEST_F(Ajustes, LaHojaCalculaVariacionesFiltraYCopia) {
  FijaProductos("EXIST_I", {10, 4, 7});
  FijaProductos("ULCOS_I", {2.5, 1, 3});
  CreaHoja();
  TFormaAjustar h;
  h.TablaAjuste->SetCarpeta(kDatos);
  h.TablaAjuste->SetNombreTabla(kTablaConteo);
  h.TablaAjuste->Open();
  h.TablaAjuste->SetIndexName("CLAVE");
  h.Show();
  QApplication::setActiveWindow(&h);
  // Typed in the grid: only the count column takes it.
  h.DBGrid1->setFocus();
  h.DBGrid1->SetSelectedIndex(3);
  Escribe("7");
  Tecla(Qt::Key_Down);
  Escribe("4");
  Tecla(Qt::Key_Down);
  h.DBGrid1->SetSelectedIndex(2);
  EXPECT_EQ(h.DBGrid1->SelectedIndex(), 2);
  Escribe("9");
  prueba::Pulsa(h, "BitBtn1");
  // 10 counted as 7 at 2.5; 4 as 4; 7 not counted.
  EXPECT_EQ(Hoja(), (QStringList{"P1|10|7|-3|2.5|25|17.5|-7.5", "P2|4|4|0|1|4|4|0", "P3|7||-7|3|21|0|-21"}));
  EXPECT_EQ(h.DBGrid1->model()->rowCount(), 3);

  // Filters, the typed bounds spliced as values.
  const auto filtra = [&](QCheckBox* casilla, const QString& de, const QString& hasta) {
    for (QCheckBox* c : {h.ClaveF, h.LineaF, h.ProveedorF}) c->setChecked(c == casilla);
    prueba::Reescribe(h.Edit1, de);
    prueba::Reescribe(h.Edit2, hasta);
    prueba::Pulsa(h, "BitBtn5");
  };
  filtra(h.ClaveF, "A", "M");
  EXPECT_EQ(h.TablaAjuste->Filter(), "CLAVE>='A' and CLAVE<='M'");
  EXPECT_EQ(h.TablaAjuste->RecordCount(), 0);
  filtra(h.LineaF, "ABAR", "ABAR");
  EXPECT_EQ(h.TablaAjuste->Filter(), "LINEA>='ABAR' and LINEA<='ABAR'");
  EXPECT_EQ(h.TablaAjuste->RecordCount(), 2);
  h.SoloConAjuste->click();
  EXPECT_EQ(h.TablaAjuste->Filter(), "LINEA>='ABAR' and LINEA<='ABAR' and REALES>0");
  EXPECT_EQ(h.TablaAjuste->RecordCount(), 2);
  h.SoloConAjuste->click();
  EXPECT_TRUE(h.TablaAjuste->Filtered() == false);
  filtra(h.ProveedorF, "O'B", "PR1");
  EXPECT_EQ(h.TablaAjuste->Filter(), "PROVEEDOR>='O''B' and PROVEEDOR<='PR1'");
  EXPECT_EQ(h.TablaAjuste->RecordCount(), 2);
  // A variance computed on the rows shown leaves the others.
  Cuenta(h, "P1", 8);
  Cuenta(h, "P3", 6);
  prueba::Pulsa(h, "BitBtn1");
  EXPECT_EQ(Hoja({"CLAVE", "AJUSTE"}), (QStringList{"P1|-2", "P2|0", "P3|-1"}));
  filtra(h.ClaveF, "P2", "P3");
  Cuenta(h, "P3", 5);
  prueba::Pulsa(h, "BitBtn1");
  EXPECT_EQ(Hoja({"CLAVE", "AJUSTE"}), (QStringList{"P1|-2", "P2|0", "P3|-2"}));
  // An empty bound: said, and no filter.
  filtra(h.ClaveF, "", "P9");
  EXPECT_EQ(Mensajes(), QStringList{kFaltanDatosFiltrar});
  EXPECT_FALSE(h.TablaAjuste->Filtered());
  // With no box ticked the filter stays as it was.
  filtra(nullptr, "A", "B");
  EXPECT_FALSE(h.TablaAjuste->Filtered());

  // The copy for a spreadsheet: the table's bytes, over an older copy.
  const QString copia = fs::Une(kDatos, "Ajuste.xls");
  fs::ReescribeLineas(copia, {"vieja"});
  prueba::Pulsa(h, "BitBtn3");
  EXPECT_EQ(fs::LeeBytes(copia), fs::LeeBytes(fs::Une(kDatos, kTablaConteo)));
  h.Close();
}

TEST_F(Ajustes, ElArchivoDeConteosSeSumaSoloCuandoTodasSusLineasSirven) {
  CreaHoja();
  TFormaAjustar h;
  h.TablaAjuste->SetCarpeta(kDatos);
  h.TablaAjuste->SetNombreTabla(kTablaConteo);
  h.TablaAjuste->Open();
  h.TablaAjuste->SetIndexName("CLAVE");
  EXPECT_TRUE(h.BitBtn2->isEnabled());
  const QString archivo = "C:\\VRL\\conteos.txt";

  struct Caso {
    const char* nombre;
    QStringList lineas;
    QChar separador;
    QStringList reales;
    QStringList mensajes;
  };
  const Caso casos[] = {
      {"dos líneas de una clave se suman", {"P1,2", "", "P1,3", ",9", "P3,1.5,x,y,z,w"}, u',', {"P1|5", "P2|", "P3|1.5"}, {}},
      {"otro separador", {"P2;4", "P1;1"}, u';', {"P1|6", "P2|4", "P3|1.5"}, {}},
      {"una clave que la hoja no tiene",
       {"P1,1", "ZZ,2"},
       u',',
       {"P1|6", "P2|4", "P3|1.5"},
       {"No se agregó ningún conteo del archivo C:\\VRL\\conteos.txt:\nLínea 2: la clave ZZ no está en la hoja"}},
      {"una cantidad que no es número",
       {"P1,x", "P2,1", "P3"},
       u',',
       {"P1|6", "P2|4", "P3|1.5"},
       {"No se agregó ningún conteo del archivo C:\\VRL\\conteos.txt:\nLínea 1: la cantidad \"x\" no es un número\n"
        "Línea 3: la cantidad \"\" no es un número"}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    ui::PuertaModal::LimpiaMensajes();
    fs::ReescribeLineas(archivo, c.lineas);
    h.ImportaConteos(archivo, c.separador);
    EXPECT_EQ(Hoja({"CLAVE", "REALES"}), c.reales);
    EXPECT_EQ(Mensajes(), c.mensajes);
  }
  ui::PuertaModal::LimpiaMensajes();
  h.ImportaConteos("C:\\VRL\\noexiste.txt", u',');
  EXPECT_EQ(Mensajes(), QStringList{"El Archivo C:\\VRL\\noexiste.txt No Existe"});

  // The file and separator chosen are offered from importa.cnf (defaults
  // without it) and kept there once accepted.
  const QString cnf = "C:\\VRL\\importa.cnf";
  QString ofrecido;
  h.ImportaArchivo([&](QString& ruta, QString& separador) {
    ofrecido = ruta + "|" + separador;
    return false;
  });
  EXPECT_EQ(ofrecido, "C:\\VRL\\|,");
  EXPECT_FALSE(fs::ExisteArchivo(cnf));
  fs::ReescribeLineas(archivo, {"P2|2"});
  h.ImportaArchivo([&](QString& ruta, QString& separador) {
    ruta = archivo;
    separador = "|";
    return true;
  });
  EXPECT_EQ(fs::LeeLineas(cnf), (QStringList{archivo, "|"}));
  EXPECT_EQ(Hoja({"CLAVE", "REALES"}), (QStringList{"P1|6", "P2|6", "P3|1.5"}));
  h.ImportaArchivo([&](QString& ruta, QString& separador) {
    ofrecido = ruta + "|" + separador;
    return false;
  });
  EXPECT_EQ(ofrecido, archivo + "||");

  // "Importar Archivo" offers them in the import dialog: "Importar" adds the
  // counts of the file it names, "Cancelar" nothing.
  ui::PuertaModal::Espera("TFormaImportaArchivo", [&](QDialog& d) {
    auto* ruta = d.findChild<QLineEdit*>("Ruta");
    ASSERT_NE(ruta, nullptr);
    EXPECT_EQ(ruta->text(), archivo);
    prueba::Pulsa(d, "BotonImportar");
  });
  prueba::Pulsa(h, "BitBtn2");
  EXPECT_EQ(Hoja({"CLAVE", "REALES"}), (QStringList{"P1|6", "P2|8", "P3|1.5"}));
  ui::PuertaModal::Espera("TFormaImportaArchivo", [](QDialog& d) { prueba::Pulsa(d, "BotonCancelar"); });
  prueba::Pulsa(h, "BitBtn2");
  EXPECT_EQ(Hoja({"CLAVE", "REALES"}), (QStringList{"P1|6", "P2|8", "P3|1.5"}));
}

TEST_F(Ajustes, ImprimirLlevaLaHojaAlGeneradorDeReportes) {
  CreaHoja();
  TFormaAjustar h;
  h.TablaAjuste->SetCarpeta(kDatos);
  h.TablaAjuste->SetNombreTabla(kTablaConteo);
  h.TablaAjuste->Open();
  h.TablaAjuste->SetIndexName("CLAVE");
  Cuenta(h, "P1", 37);
  prueba::Pulsa(h, "BitBtn1");
  ui::PuertaModal::Espera("TFormaFormatos", [](QDialog& d) {
    EXPECT_EQ(prueba::Texto(d, "De"), "P1");
    EXPECT_EQ(prueba::Texto(d, "Hasta"), "P3");
    prueba::Reescribe(d.findChild<QLineEdit*>("Hasta"), "P2");
    prueba::Pulsa(d, "BitBtn4");
  });
  ui::PuertaModal::Espera("TFormaProgreso", [](QDialog& d) {
    for (int i = 0; i < 6000 && d.isVisible(); ++i) QTest::qWait(5);
  });
  QString pagina, titulo;
  std::array<QString, 10> titulos;
  ui::PuertaModal::Espera("TFormaBarras", [&](QDialog& d) {
    titulo = d.windowTitle();
    pagina = static_cast<TFormaBarras&>(d).Concentrado->toPlainText();
    titulos = LeeTitulosReporte()[0].Textos;
  });
  h.Imprimir1->trigger();
  EXPECT_EQ(titulo, "Reporte de Consecutivo de Documentos");
  EXPECT_EQ(titulos[0], "Clave");
  EXPECT_EQ(titulos[2], "%Teórico");
  EXPECT_EQ(titulos[7], "Valor Ajuste");
  EXPECT_TRUE(pagina.contains("Arroz 1 kg")) << pagina.toStdString();
  EXPECT_TRUE(pagina.contains("-55.50")) << pagina.toStdString();
  EXPECT_TRUE(pagina.contains("Frijol 1 kg"));
  EXPECT_FALSE(pagina.contains("Sal 1 kg"));
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Ajustes, AjustarConElCampoAjustePostaLasDiferenciasYDejaLoContado) {
  AgregaMovimientos({{1, 51, "P1", 40}});
  TFormaMovimientosInventario& v = Ventana();
  // Neither mode: nothing.
  Inventario(v, [&](TFormaAjustar& h) {
    Cuenta(h, "P1", 37);
    prueba::Pulsa(h, "BitBtn1");
    prueba::Pulsa(h, "BitBtn4");
  });
  EXPECT_EQ(Productos(), (QStringList{"P1|40", "P2|10", "P3|7"}));
  EXPECT_EQ(Renglones().size(), 1);

  // P1 counted 37 (−3), P2 10 (0), P3 9 (+2): one concept-58 document.
  Inventario(v, [&](TFormaAjustar& h) {
    Cuenta(h, "P1", 37);
    Cuenta(h, "P2", 10);
    Cuenta(h, "P3", 9);
    prueba::Pulsa(h, "BitBtn1");
    h.CampoAjuste->click();
    prueba::Pulsa(h, "BitBtn4");
  });
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(Renglones().mid(1), (QStringList{"2|8|P1|3|05/03/2024|18.5", "2|58|P3|2|05/03/2024|5"}));
  EXPECT_EQ(Productos(), (QStringList{"P1|37", "P2|10", "P3|9"}));
  // The totals as the save keeps them: a line of a concept above 50 counts
  // in the entries, with its sign.
  EXPECT_EQ(Filas("Kardex.dbf", {"CLPRO_I", "ENTRA_I", "SALID_I"}), (QStringList{"P1|-3|0", "P3|2|0"}));
  // The window browses the count document.
  EXPECT_FALSE(v.Capturando());
  EXPECT_EQ(v.EditCLDOC_MI->text(), "2");

  // Only the rows shown are posted; an empty count empties the stock.
  Inventario(v, [&](TFormaAjustar& h) {
    Cuenta(h, "P2", 12);
    prueba::Pulsa(h, "BitBtn1");
    prueba::Reescribe(h.Edit1, "P2");
    prueba::Reescribe(h.Edit2, "P3");
    h.ClaveF->setChecked(true);
    prueba::Pulsa(h, "BitBtn5");
    h.CampoAjuste->click();
    prueba::Pulsa(h, "BitBtn4");
  });
  EXPECT_EQ(Renglones().mid(3), (QStringList{"3|58|P2|2|05/03/2024|20", "3|8|P3|9|05/03/2024|5"}));
  EXPECT_EQ(Productos(), (QStringList{"P1|37", "P2|12", "P3|"}));
}

// "Ajustar..." computes the variances itself: counts typed (or changed)
// after the last "Calcular Variación", or never computed, are posted as
// they stand, so the history and the stocks set to the counts agree.
TEST_F(Ajustes, AjustarSinCalcularPostaLasVariacionesDeLoContado) {
  TFormaMovimientosInventario& v = Ventana();
  Inventario(v, [&](TFormaAjustar& h) {
    Cuenta(h, "P1", 37);
    Cuenta(h, "P3", 9);
    prueba::Pulsa(h, "BitBtn1");
    Cuenta(h, "P3", 8);  // counted again after the variances
    h.SoloConAjuste->click();
    h.CampoAjuste->click();
    prueba::Pulsa(h, "BitBtn4");
  });
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(Renglones(), (QStringList{"1|8|P1|3|05/03/2024|18.5", "1|58|P3|1|05/03/2024|5"}));
  EXPECT_EQ(Productos(), (QStringList{"P1|37", "P2|10", "P3|8"}));
  // P2's variance, computed while every row was shown, was not posted.
  EXPECT_EQ(Hoja({"CLAVE", "AJUSTE"}), (QStringList{"P1|-3", "P2|-10", "P3|1"}));
}

TEST_F(Ajustes, UnConteoQueNoSeGuardaNoCambiaLasExistencias) {
  TFormaMovimientosInventario& v = Ventana();
  prueba::ProcesoHijo otra("SostieneProductoConteo", {kDatos, "P3"});
  ASSERT_EQ(otra.EsperaLinea(), "LISTO");
  Inventario(v, [&](TFormaAjustar& h) {
    Cuenta(h, "P1", 30);
    Cuenta(h, "P2", 10);
    Cuenta(h, "P3", 1);
    prueba::Pulsa(h, "BitBtn1");
    h.CampoAjuste->click();
    prueba::Pulsa(h, "BitBtn4");
  });
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].contains("El producto P3 está en uso en otra estación")) << Mensajes()[0].toStdString();
  EXPECT_EQ(Productos(), (QStringList{"P1|40", "P2|10", "P3|7"}));
  // The count stays captured, to be saved again.
  EXPECT_TRUE(v.Capturando());
  EXPECT_EQ(Captura(), (QStringList{"-10||P1|Arroz 1 kg|18.5|24.9|", "-6||P3|Sal 1 kg|5|9.5|"}));
  otra.Envia("");
  EXPECT_EQ(otra.Espera(), 0);
  ui::PuertaModal::LimpiaMensajes();
  prueba::Pulsa(v, "BotonGuardar");
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(Productos(), (QStringList{"P1|30", "P2|10", "P3|1"}));
}

RUTINA_HIJA(SostieneProductoConteo) {
  db::Tabla t;
  t.SetCarpeta(argumentos.value(0));
  t.SetNombreTabla("INVENTAR.DBF");
  t.Open();
  t.SetIndexName("ICLPRO");
  if (!t.FindKey({argumentos.value(1)})) return 2;
  t.Edit();
  prueba::AvisaPadre("LISTO");
  prueba::EsperaPadre();
  t.Cancel();
  return 0;
}

TEST_F(Ajustes, AjustarConElCampoRealesDejaElConteoComoUnicoDocumento) {
  AgregaMovimientos({{1, 51, "P1", 40}, {2, 51, "P2", 10}, {3, 3, "P1", 2}});
  TFormaMovimientosInventario& v = Ventana();
  const auto cuenta = [&](TFormaAjustar& h) {
    Cuenta(h, "P1", 25);
    Cuenta(h, "P3", 4);
    prueba::Pulsa(h, "BitBtn1");
    h.CampoReales->click();
    prueba::Pulsa(h, "BitBtn4");
  };
  // Another station has the movement table open: said, nothing changes.
  {
    prueba::ProcesoHijo otra("AbreTablaConteo", {kDatos, "MOVINVEN.DBF"});
    ASSERT_EQ(otra.EsperaLinea(), "LISTO");
    Inventario(v, cuenta);
    ASSERT_EQ(Mensajes().size(), 1);
    EXPECT_TRUE(Mensajes()[0].contains("MOVINVEN.DBF")) << Mensajes()[0].toStdString();
    EXPECT_EQ(Renglones().size(), 3);
    EXPECT_EQ(Productos(), (QStringList{"P1|40", "P2|10", "P3|7"}));
    EXPECT_FALSE(v.Capturando());
    otra.Envia("");
    EXPECT_EQ(otra.Espera(), 0);
  }
  Inventario(v, cuenta);
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(Renglones(), (QStringList{"1|58|P1|25|05/03/2024|18.5", "1|58|P3|4|05/03/2024|5"}));
  // An uncounted product ends with an empty stock, as its count.
  EXPECT_EQ(Productos(), (QStringList{"P1|25", "P2|", "P3|4"}));
  // The window has the table shared again, on the count document.
  EXPECT_FALSE(v.Tablamovinve->Exclusive());
  EXPECT_EQ(v.EditCLDOC_MI->text(), "1");
  prueba::ProcesoHijo otra("AbreTablaConteo", {kDatos, "MOVINVEN.DBF"});
  EXPECT_EQ(otra.EsperaLinea(), "LISTO");
  otra.Envia("");
  EXPECT_EQ(otra.Espera(), 0);
}

TEST_F(Ajustes, LaHojaDeAjusteMuestraLosAjustesYAjusteLosPosta) {
  FijaProductos("EXIST_I", {40, 2.5, 7});
  TFormaMovimientosInventario& v = Ventana();
  // "Calcular": counts give adjustments with three decimals; an empty count
  // leaves the adjustment empty; the window stays.
  ui::PuertaModal::Espera("TFormaAjusteIN", [&](QDialog& d) {
    auto& h = static_cast<TFormaAjusteIN&>(d);
    EXPECT_EQ(h.DBGrid1->model()->rowCount(), 3);
    ASSERT_TRUE(h.TablaSQLM_P->FindKey({"P2"}));
    h.TablaSQLM_P->Edit();
    h.TablaSQLM_P->FieldByName("REALES").SetAsFloat(2.125);
    h.TablaSQLM_P->Post();
    prueba::Pulsa(h, "BitBtn2");
    EXPECT_EQ(h.Tag(), 0);
    EXPECT_TRUE(h.isVisible());
    h.Close();
  });
  v.Ajuste1->trigger();
  EXPECT_EQ(Filas(kTablaAjusteMovimientos, {"CLAVE", "PRODUCTO", "ACTUAL", "REALES", "AJUSTE", "COSTO"}, kPrograma),
            (QStringList{"P1|Arroz 1 kg|40|||18.5", "P2|Frijol 1 kg|2.5|2.125|-0.375|20", "P3|Sal 1 kg|7|||5"}));
  EXPECT_EQ(Renglones(), QStringList());

  // Shown again it starts afresh; "Ajustar" posts +3, −2 and nothing for 0
  // as one document.
  FijaProductos("EXIST_I", {40, 10, 7});
  AgregaMovimientos({{4, 51, "P1", 1}});
  ui::PuertaModal::Espera("TFormaAjusteIN", [&](QDialog& d) {
    auto& h = static_cast<TFormaAjusteIN&>(d);
    EXPECT_EQ(h.TablaSQLM_P->RecordCount(), 3);
    h.DBGrid1->setFocus();
    h.DBGrid1->SetSelectedIndex(3);
    for (const char* conteo : {"43", "8", "7"}) {
      Escribe(conteo);
      Tecla(Qt::Key_Down);
    }
    prueba::Pulsa(h, "BitBtn1");
  });
  v.Ajuste1->trigger();
  EXPECT_EQ(Renglones().mid(1), (QStringList{"5|56|P1|3|05/03/2024|18.5", "5|6|P2|2|05/03/2024|20"}));
  EXPECT_EQ(Productos(), (QStringList{"P1|43", "P2|8", "P3|7"}));
  EXPECT_EQ(Filas("Kardex.dbf", {"CLPRO_I"}), QStringList());
  EXPECT_EQ(v.EditCLDOC_MI->text(), "5");
  EXPECT_EQ(Mensajes(), QStringList());

  // A product another station holds: nothing of the run stays.
  prueba::ProcesoHijo otra("SostieneProductoConteo", {kDatos, "P2"});
  ASSERT_EQ(otra.EsperaLinea(), "LISTO");
  ui::PuertaModal::Espera("TFormaAjusteIN", [&](QDialog& d) {
    auto& h = static_cast<TFormaAjusteIN&>(d);
    for (const auto& [clave, reales] : {std::pair{"P1", 44}, std::pair{"P2", 9}}) {
      ASSERT_TRUE(h.TablaSQLM_P->FindKey({clave}));
      h.TablaSQLM_P->Edit();
      h.TablaSQLM_P->FieldByName("REALES").SetAsFloat(reales);
      h.TablaSQLM_P->Post();
    }
    prueba::Pulsa(h, "BitBtn1");
  });
  v.Ajuste1->trigger();
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].contains("P2")) << Mensajes()[0].toStdString();
  EXPECT_EQ(Renglones().size(), 3);
  EXPECT_EQ(Productos(), (QStringList{"P1|43", "P2|8", "P3|7"}));
  otra.Envia("");
  EXPECT_EQ(otra.Espera(), 0);
}

TEST_F(Ajustes, MientrasSeCapturaUnDocumentoLosAjustesEsperan) {
  TFormaMovimientosInventario& v = Ventana();
  prueba::Pulsa(v, "BotonNuevo");
  ui::PuertaModal::LimpiaMensajes();
  for (QAction* a : {v.CalculaCantidad1, v.AjustedeInventario1, v.AjustedeExistenciasporMovimientos1, v.Ajuste1,
                     v.Actualizart1})
    a->trigger();
  EXPECT_EQ(Mensajes(), QStringList(5, kNecesarioGuardar));
  EXPECT_FALSE(v.CalculaCantidad1->isChecked());
  EXPECT_EQ(ui::PuertaModal::SinRespuesta(), QStringList());
  Descarta(v);
}

}  // namespace
