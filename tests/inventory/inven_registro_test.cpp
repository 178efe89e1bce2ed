// The product window's record commands as a user drives them: a new
// product from the main menu, the key checks, a change while another
// station writes the same product, the save question on closing, deleting,
// and the rights each command asks.

#include "app/Vorlan.h"
#include "foundation/rutinas_bitacora.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/ControlesDatos.h"
#include "shell/Principa.h"
#include "support/Proceso.h"
#include "ventana_inventario.h"

#include <QAction>
#include <QDateTime>
#include <QElapsedTimer>
#include <QScrollArea>
#include <QSpinBox>
#include <QToolButton>

#include <functional>

namespace {

using prueba::Pulsa;
using prueba::Tecla;
using prueba::Teclea;

const QString kBitacora = kDatos + "\\Bitacora";

// Another station: writes field=value pairs into the product of a key.
RUTINA_HIJA(CambiaProducto) {
  auto t = AbreTabla(kDatos, "INVENTAR.DBF", "ICLPRO");
  if (!t->FindKey({argumentos.value(0)})) return 1;
  t->Edit();
  for (const QString& par : argumentos.mid(1)) t->FieldByName(par.section(u'=', 0, 0)).SetAsString(par.section(u'=', 1));
  t->Post();
  prueba::AvisaPadre("LISTO");
  return 0;
}

// Another station deletes the product of a key.
RUTINA_HIJA(BorraProducto) {
  auto t = AbreTabla(kDatos, "INVENTAR.DBF", "ICLPRO");
  if (!t->FindKey({argumentos.value(0)})) return 1;
  t->Delete();
  return 0;
}

// Another station holds the product of a key in edit until told.
RUTINA_HIJA(RetieneProducto) {
  auto t = AbreTabla(kDatos, "INVENTAR.DBF", "ICLPRO");
  if (!t->FindKey({argumentos.value(0)})) return 1;
  t->Edit();
  prueba::AvisaPadre("RETENIDO");
  prueba::EsperaPadre();
  t->Cancel();
  return 0;
}

// Another station's product window, rounds of one new product each: the
// key "Z<round>" typed, then, at the parent's word, "Guardar". It answers
// what it was told and whether the row is still being entered; a refused
// row then takes the key "Y<round>" and is saved, for the next round.
RUTINA_HIJA(AltaConClave) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char nombre[] = "estacion";
  char* argv[] = {nombre, nullptr};
  ui::Aplicacion aplicacion(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  TFormaInventario f;
  f.Usuario->setText("0");
  f.Show();
  QApplication::setActiveWindow(&f);
  f.DisparaActivacion();
  for (int i = 1; i <= argumentos.value(0).toInt(); ++i) {
    const QString ronda = QString::number(i);
    Pulsa(f, "BotonNuevo");
    f.EditCLPRO_I->clear();
    Teclea(f, "EditCLPRO_I", "Z" + ronda);
    Teclea(f, "EditDSCPR_I", "Otra");
    prueba::AvisaPadre("LISTO");
    prueba::EsperaPadre();
    ui::PuertaModal::LimpiaMensajes();
    Pulsa(f, "BotonGuardar");
    prueba::AvisaPadre(ui::PuertaModal::Mensajes().join(u'|') + (f.Nuevo() ? "|NUEVO" : "|GUARDADO"));
    if (f.Nuevo()) {
      f.EditCLPRO_I->clear();
      Teclea(f, "EditCLPRO_I", "Y" + ronda);
      Pulsa(f, "BotonGuardar");
    }
  }
  return 0;
}

class RegistroInventario : public VentanaInventario {
 protected:
  static QStringList Bitacora(const QString& clave) {
    const QString archivo = ArchivoHistorial(kDatos, u'I', clave);
    return fs::ExisteArchivo(archivo) ? fs::LeeLineas(archivo) : QStringList();
  }
  static void ConFormula(bool con) {
    const QString archivo = QStringLiteral("C:\\VRL\\Formula_CostosI.dat");
    if (con) EscribeLineas(archivo, {"variable1=ulcos_i*1.3"});
    else fs::BorraArchivo(archivo);
  }
};

TEST_F(RegistroInventario, DesdeElMenuElAdministradorDaDeAltaConLaSiguienteClave) {
  Lineas({{ConfConsecutivoProductos, "S"}, {ConfBitacora, "S"}});
  ConFormula(true);
  fs::CreaCarpeta(kBitacora);
  for (int i = 1; i <= 120; ++i) Producto({{"CLPRO_I", QString::number(i)}, {"ALMAC_I", "1"}});
  fs::FijaAhora(QDateTime(QDate(2024, 3, 5), QTime(10, 15)));

  ProgramaVorlan programa;
  programa.Inicia();
  FormaPrincipal()->Usuario->setText("0");
  FormaPrincipal()->Item("Producto1")->trigger();
  TFormaInventario& f = *FormaInventario();
  ASSERT_TRUE(f.isVisible());
  EXPECT_EQ(f.windowTitle(), "Inventario");
  EXPECT_EQ(f.Usuario->text(), "0");
  Activa(f);
  EXPECT_EQ(f.EditCLPRO_I->text(), "1");
  EXPECT_FALSE(f.Caja->isEnabled());

  Pulsa(f, "BotonNuevo");
  EXPECT_EQ(f.EditCLPRO_I->text(), "121");
  EXPECT_EQ(Foco(), f.DBEdit1);
  EXPECT_TRUE(f.Caja->isEnabled());
  EXPECT_FALSE(f.BotonNuevo->isEnabled());
  EXPECT_FALSE(f.Buscar1->isEnabled());
  EXPECT_TRUE(f.BotonGuardar->isEnabled());
  Teclea(f, "EditDSCPR_I", "Tornillo");
  Teclea(f, "EditPPUBL_I", "12.5");
  Pulsa(f, "BotonGuardar");

  EXPECT_EQ(Campo("121", "DSCPR_I"), "Tornillo");
  EXPECT_EQ(Campo("121", "PPUBL_I"), "12.5");
  EXPECT_EQ(Campo("121", "FEALT_I"), "05/03/2024");
  EXPECT_EQ(Campo("121", "ALMAC_I"), "1");
  EXPECT_EQ(Bitacora("121"), QStringList{"05/03/2024 10:15:00 GUARDADA Por Usuario 0"});
  EXPECT_FALSE(f.Caja->isEnabled());
  EXPECT_TRUE(f.BotonNuevo->isEnabled());
  EXPECT_FALSE(f.BotonGuardar->isEnabled());
  EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList());
  fs::LiberaReloj();
}

TEST_F(RegistroInventario, LaBitacoraPideLaLinea85YElArchivoDeFormulaAlCrearse) {
  Producto({{"CLPRO_I", "P1"}});
  fs::CreaCarpeta(kBitacora);
  struct Caso {
    const char* linea85;
    bool formula;
    bool escribe;
  };
  const Caso casos[] = {{"S", true, true}, {"S", false, false}, {"N", true, false}};
  for (const Caso& c : casos) {
    Lineas({{ConfBitacora, c.linea85}});
    ConFormula(c.formula);
    fs::BorraArchivo(ArchivoHistorial(kDatos, u'I', "P1"));
    TFormaInventario& f = Ventana();
    Pulsa(f, "BotonCambios");
    Pulsa(f, "BotonGuardar");
    const QStringList lineas = Bitacora("P1");
    ASSERT_EQ(lineas.size(), c.escribe ? 2 : 0) << c.linea85 << c.formula;
    if (c.escribe) {
      EXPECT_TRUE(lineas[0].endsWith(" MODIFICADA Por Usuario 0"));
      EXPECT_TRUE(lineas[1].endsWith(" GUARDADA Por Usuario 0"));
    }
  }
}

TEST_F(RegistroInventario, UnaClaveNuevaQueYaExisteEnElAlmacenSeRechaza) {
  struct Caso {
    const char* nombre;
    const char* consecutivo;
    const char* varios;
    int almacen;
    const char* clave;
    bool guarda;
  };
  const Caso casos[] = {
      {"repetida", "N", "N", 1, "A1", false},
      {"repetida con claves consecutivas", "S", "N", 1, "A1", false},
      {"vacía", "N", "N", 1, "", false},
      {"libre", "N", "N", 1, "B7", true},
      {"de otro almacén", "N", "S", 2, "A1", true},
      {"del mismo almacén", "N", "S", 1, "A1", false},
  };
  for (const Caso& c : casos) {
    CreaTabla(kDatos, "INVENTAR.DBF");
    Producto({{"CLPRO_I", "A1"}, {"ALMAC_I", "1"}, {"DSCPR_I", "Existente"}});
    Producto({{"CLPRO_I", "7"}, {"ALMAC_I", "1"}});
    Lineas({{ConfConsecutivoProductos, c.consecutivo}, {ConfMultialmacen, c.varios}});
    TFormaInventario& f = Ventana();
    f.NoAlmacen->setValue(c.almacen);
    ui::PuertaModal::LimpiaMensajes();
    Pulsa(f, "BotonNuevo");
    f.EditCLPRO_I->clear();
    Teclea(f, "EditCLPRO_I", c.clave);
    Tecla(f, "EditCLPRO_I", Qt::Key_Return);
    // Leaving the box on a key in use says so and keeps the focus.
    const QStringList alSalir = c.guarda || !*c.clave ? QStringList() : QStringList{kClaveProductoExiste};
    EXPECT_EQ(ui::PuertaModal::Mensajes(), alSalir) << c.nombre;
    if (!c.guarda) {
      EXPECT_EQ(Foco(), f.EditCLPRO_I) << c.nombre;
    }
    Teclea(f, "EditDSCPR_I", "Nuevo");
    ui::PuertaModal::LimpiaMensajes();
    Pulsa(f, "BotonGuardar");
    if (c.guarda) {
      EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList()) << c.nombre;
      EXPECT_FALSE(f.Editando()) << c.nombre;
      auto t = Abre("INVENTAR.DBF");
      EXPECT_TRUE(t->Locate("CLPRO_I;DSCPR_I", {c.clave, "Nuevo"})) << c.nombre;
      EXPECT_EQ(t->FieldByName("ALMAC_I").AsString(), QString::number(c.almacen)) << c.nombre;
    } else {
      EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList{kClaveYaExiste}) << c.nombre;
      EXPECT_TRUE(f.Nuevo()) << c.nombre;
      EXPECT_EQ(Foco(), f.EditCLPRO_I) << c.nombre;
      EXPECT_EQ(Campo("A1", "DSCPR_I"), "Existente") << c.nombre;
    }
    forma_.reset();
  }
}

// A box takes no more characters than its field holds, new or changed: a
// 13-digit barcode typed into the 12 of "Código" stops at the twelfth.
TEST_F(RegistroInventario, UnaCajaNoTomaMasLetrasQueSuCampo) {
  Producto({{"CLPRO_I", "P1"}, {"DSCPR_I", "Martillo"}});
  TFormaInventario& f = Ventana();
  for (const char* boton : {"BotonCambios", "BotonNuevo"}) {
    SCOPED_TRACE(boton);
    Pulsa(f, boton);
    prueba::Reescribe(f.DBEdit1, "7501001100234");
    EXPECT_EQ(f.DBEdit1->text(), "750100110023");
    for (const ui::EditDatos* caja : f.findChildren<ui::EditDatos*>()) {
      const db::Campo* campo = caja->Fuente() ? caja->Fuente()->Campo(caja->Campo()) : nullptr;
      if (campo && campo->Tipo() == db::TipoDato::Texto) {
        EXPECT_EQ(caja->maxLength(), campo->Ancho()) << caja->objectName().toStdString();
      }
    }
    if (f.Cambio()) Pulsa(f, "BotonGuardar");
  }
  EXPECT_EQ(Campo("P1", "CODIG_I"), "750100110023");
}

TEST_F(RegistroInventario, UnCambioGuardaLoQueElUsuarioCambioYConservaLoDeOtraEstacion) {
  Producto({{"CLPRO_I", "P1"}, {"DSCPR_I", "Martillo"}, {"PPUBL_I", "10"}, {"VANCA_I", "5"}, {"CPROM_I", "7"},
            {"EXIST_I", "3"}, {"ALMAC_I", "1"}});
  {
    // A purchase of 20 in the movements: the stock the documents give.
    auto m = Abre("MOVINVEN.DBF");
    m->Append();
    m->FieldByName("CLPRO_MI").SetAsString("P1");
    m->FieldByName("TIMOV_MI").SetAsInteger(57);
    m->FieldByName("CANTI_MI").SetAsFloat(20);
    m->Post();
  }
  TFormaInventario& f = Ventana();
  Pulsa(f, "BotonCambios");
  EXPECT_TRUE(f.Cambio());
  EXPECT_EQ(f.DataSource1->DataSet(), f.TablaAuxiliar);
  f.EditPPUBL_I->clear();
  Teclea(f, "EditPPUBL_I", "15");

  prueba::ProcesoHijo otra("CambiaProducto", {"P1", "VANCA_I=9", "CPROM_I=8", "EXIST_I=20"});
  EXPECT_EQ(otra.EsperaLinea(), "LISTO");
  EXPECT_EQ(otra.Espera(), 0);

  Pulsa(f, "BotonGuardar");
  EXPECT_FALSE(f.Editando());
  EXPECT_EQ(f.DataSource1->DataSet(), f.TablaInventario);
  EXPECT_EQ(Campo("P1", "PPUBL_I"), "15");
  EXPECT_EQ(Campo("P1", "DSCPR_I"), "Martillo");
  EXPECT_EQ(Campo("P1", "VANCA_I"), "9");
  EXPECT_EQ(Campo("P1", "CPROM_I"), "8");
  EXPECT_EQ(Campo("P1", "EXIST_I"), "20");
  EXPECT_EQ(Claves(), QStringList{"P1"});
  EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList());
}

TEST_F(RegistroInventario, UnCambioGuardadoRecuentaLaExistenciaDeSusDocumentos) {
  Producto({{"CLPRO_I", "P1"}, {"DSCPR_I", "Martillo"}, {"EXIST_I", "3"}, {"ALMAC_I", "1"}});
  {
    auto m = Abre("MOVINVEN.DBF");
    m->Append();
    m->FieldByName("CLPRO_MI").SetAsString("P1");
    m->FieldByName("TIMOV_MI").SetAsInteger(57);
    m->FieldByName("CANTI_MI").SetAsFloat(20);
    m->Post();
    auto r = Abre("RemisioD.dbf");
    r->Append();
    r->FieldByName("CLDOC_FD").SetAsString("15");
    r->FieldByName("CLPRO_FD").SetAsString("P1");
    r->FieldByName("CANTI_FD").SetAsFloat(5);
    r->Post();
  }
  TFormaInventario& f = Ventana();
  Pulsa(f, "BotonCambios");
  f.EditDSCPR_I->clear();
  Teclea(f, "EditDSCPR_I", "Martillo grande");
  Pulsa(f, "BotonGuardar");
  EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList());
  EXPECT_EQ(Campo("P1", "DSCPR_I"), "Martillo grande");
  EXPECT_EQ(Campo("P1", "EXIST_I"), "15");
  auto k = Abre("Kardex.dbf", "CLPRO_I");
  ASSERT_TRUE(k->FindKey({"P1"}));
  EXPECT_EQ(k->FieldByName("EXIST_I").AsFloat(), 15);
  EXPECT_EQ(k->FieldByName("ENTRA_I").AsFloat(), 20);

  // A document table that cannot be read: the change stays saved and the
  // error is shown; the stock is left as it was.
  fs::BorraArchivo(kDatos + "\\FacturaD.dbf");
  Pulsa(f, "BotonCambios");
  f.EditDSCPR_I->clear();
  Teclea(f, "EditDSCPR_I", "Martillo chico");
  Pulsa(f, "BotonGuardar");
  ASSERT_EQ(ui::PuertaModal::Mensajes().size(), 1);
  EXPECT_TRUE(ui::PuertaModal::Mensajes().front().contains("facturad.dbf", Qt::CaseInsensitive));
  EXPECT_FALSE(f.Editando());
  EXPECT_EQ(Campo("P1", "DSCPR_I"), "Martillo chico");
  EXPECT_EQ(Campo("P1", "EXIST_I"), "15");
}

TEST_F(RegistroInventario, UnCambioDeClaveSeRevisaContraLasDemas) {
  Lineas({{ConfBitacora, "S"}});
  ConFormula(true);
  fs::CreaCarpeta(kBitacora);
  Producto({{"CLPRO_I", "A1"}});
  Producto({{"CLPRO_I", "B2"}});
  TFormaInventario& f = Ventana();
  ASSERT_EQ(f.EditCLPRO_I->text(), "A1");
  Pulsa(f, "BotonCambios");

  // Its own former key says nothing; another product's key is refused on
  // leaving the box and at the save.
  f.EditCLPRO_I->clear();
  Teclea(f, "EditCLPRO_I", "A1");
  Tecla(f, "EditCLPRO_I", Qt::Key_Return);
  EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList());
  f.EditCLPRO_I->clear();
  Teclea(f, "EditCLPRO_I", "B2");
  Tecla(f, "EditCLPRO_I", Qt::Key_Return);
  EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList{kClaveProductoExiste});
  EXPECT_EQ(Foco(), f.EditCLPRO_I);
  Pulsa(f, "BotonGuardar");
  EXPECT_EQ(ui::PuertaModal::Mensajes(), (QStringList{kClaveProductoExiste, kClaveYaExiste}));
  EXPECT_TRUE(f.Cambio());
  EXPECT_EQ(Claves(), (QStringList{"A1", "B2"}));

  f.EditCLPRO_I->clear();
  Teclea(f, "EditCLPRO_I", "C3");
  Pulsa(f, "BotonGuardar");
  EXPECT_FALSE(f.Editando());
  EXPECT_EQ(Claves(), (QStringList{"C3", "B2"}));
  EXPECT_EQ(Bitacora("C3").size(), 1);
  EXPECT_TRUE(Bitacora("C3")[0].endsWith(" GUARDADA Por Usuario 0"));
}

TEST_F(RegistroInventario, AlCerrarMientrasSeCapturaSePregunta) {
  struct Caso {
    const char* nombre;
    const char* boton;  // of the save question
    bool cambio;        // a change, else a new product
    const char* clave;
    bool cierra;
    QStringList claves;
    QStringList mensajes;
  };
  const Caso casos[] = {
      {"nuevo descartado", "BitBtn3", false, "N9", true, {"A1"}, {}},
      {"nuevo guardado", "BitBtn1", false, "N9", true, {"A1", "N9"}, {}},
      {"nuevo con clave repetida", "BitBtn1", false, "A1", false, {"A1", ""}, {kClaveYaExiste}},
      {"nuevo sin clave", "BitBtn1", false, "", true, {"A1"}, {}},
      {"nuevo, cancelar", "BitBtn2", false, "N9", false, {"A1", ""}, {}},
      {"cambio descartado", "BitBtn3", true, "Z1", true, {"A1"}, {}},
      {"cambio guardado", "BitBtn1", true, "Z1", true, {"Z1"}, {}},
  };
  for (const Caso& c : casos) {
    CreaTabla(kDatos, "INVENTAR.DBF");
    fs::BorraArchivo("C:\\VRL\\borrados.dat");
    Producto({{"CLPRO_I", "A1"}});
    TFormaInventario& f = Ventana();
    Pulsa(f, c.cambio ? "BotonCambios" : "BotonNuevo");
    f.EditCLPRO_I->clear();
    Teclea(f, "EditCLPRO_I", c.clave);
    Teclea(f, "EditDSCPR_I", "Descripción");
    ui::PuertaModal::LimpiaMensajes();
    const QString boton = c.boton;
    ui::PuertaModal::Espera("TFormaCerrar", [boton](QDialog& d) { Pulsa(d, boton); });
    f.Close();
    EXPECT_EQ(f.isVisible(), !c.cierra) << c.nombre;
    EXPECT_EQ(f.Editando(), !c.cierra) << c.nombre;
    EXPECT_EQ(ui::PuertaModal::Mensajes(), c.mensajes) << c.nombre;
    EXPECT_EQ(Claves(), c.claves) << c.nombre;
    // A discarded new product is logged as deleted.
    const bool borrado = !c.cambio && c.cierra && c.claves.size() == 1;
    EXPECT_EQ(fs::ExisteArchivo("C:\\VRL\\borrados.dat"), borrado || c.cambio) << c.nombre;
    if (borrado) {
      EXPECT_TRUE(fs::LeeLineas("C:\\VRL\\borrados.dat")[0].startsWith("INVENTAR.DBF,")) << c.nombre;
    }
    if (!c.cierra) {
      ui::PuertaModal::Espera("TFormaCerrar", [](QDialog& d) { Pulsa(d, "BitBtn3"); });
      f.Close();
    }
    forma_.reset();
  }
}

TEST_F(RegistroInventario, CadaComandoPideSuDerechoYEliminarConfirma) {
  Producto({{"CLPRO_I", "A1"}});
  Producto({{"CLPRO_I", "B2"}});
  {
    TFormaInventario& f = Ventana("1");
    for (const char* boton : {"BotonNuevo", "BotonCambios"}) {
      Pulsa(f, boton);
      EXPECT_FALSE(f.Editando()) << boton;
    }
    f.Eliminar1->trigger();
    EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList(3, kSinAcceso));
    EXPECT_EQ(Claves(), (QStringList{"A1", "B2"}));
  }

  TFormaInventario& f = Ventana();
  ui::PuertaModal::Espera("TFormaAdvertencia", [](QDialog& d) {
    EXPECT_EQ(prueba::Texto(d, "Label1"), kSeguroEliminar);
    Pulsa(d, "BitBtn2");
  });
  f.Eliminar1->trigger();
  EXPECT_EQ(Claves(), (QStringList{"A1", "B2"}));
  ui::PuertaModal::Espera("TFormaAdvertencia", [](QDialog& d) { Pulsa(d, "BitBtn1"); });
  f.Eliminar1->trigger();
  EXPECT_EQ(Claves(), QStringList{"B2"});
  EXPECT_EQ(f.EditCLPRO_I->text(), "B2");
  EXPECT_TRUE(fs::LeeLineas("C:\\VRL\\borrados.dat")[0].contains(",CLPRO_I,A1,"));

  // Another station deletes the product while the question is open: the
  // next product is not deleted in its place.
  Producto({{"CLPRO_I", "C3"}});
  ui::PuertaModal::Espera("TFormaAdvertencia", [](QDialog& d) {
    prueba::ProcesoHijo otra("BorraProducto", {"B2"});
    EXPECT_EQ(otra.Espera(), 0);
    Pulsa(d, "BitBtn1");
  });
  f.Eliminar1->trigger();
  EXPECT_EQ(Claves(), QStringList{"C3"});
  EXPECT_EQ(f.EditCLPRO_I->text(), "C3");
}

TEST_F(RegistroInventario, UnProductoRetenidoPorOtraEstacionNoSeGuardaYNadaSePierde) {
  Producto({{"CLPRO_I", "P1"}, {"PPUBL_I", "10"}});
  TFormaInventario& f = Ventana();
  Pulsa(f, "BotonCambios");
  f.EditPPUBL_I->clear();
  Teclea(f, "EditPPUBL_I", "15");

  prueba::ProcesoHijo otra("RetieneProducto", {"P1"});
  ASSERT_EQ(otra.EsperaLinea(), "RETENIDO");
  QElapsedTimer reloj;
  reloj.start();
  Pulsa(f, "BotonGuardar");
  EXPECT_GE(reloj.elapsed(), 4000);  // the table layer's bounded wait first
  EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList{kNoSeEditan});
  EXPECT_EQ(Campo("P1", "PPUBL_I"), "10");
  EXPECT_TRUE(f.Cambio());
  EXPECT_EQ(f.EditPPUBL_I->text(), "15");

  otra.Envia("");
  EXPECT_EQ(otra.Espera(), 0);
  Pulsa(f, "BotonGuardar");
  EXPECT_FALSE(f.Editando());
  EXPECT_EQ(Campo("P1", "PPUBL_I"), "15");
}

// Two stations save the same new key at once, round after round: the key
// is counted again, and the row written, under the product table's
// numbering lock, so one row of each key is saved and the other station is
// told, its row still being entered.
TEST_F(RegistroInventario, DosEstacionesGuardanLaMismaClaveNuevaYSoloUnaQueda) {
  constexpr int kRondas = 60;
  Producto({{"CLPRO_I", "A1"}, {"ALMAC_I", "1"}});
  TFormaInventario& f = Ventana();
  prueba::ProcesoHijo otra("AltaConClave", {QString::number(kRondas)});
  for (int i = 1; i <= kRondas; ++i) {
    SCOPED_TRACE(i);
    const QString ronda = QString::number(i);
    Pulsa(f, "BotonNuevo");
    f.EditCLPRO_I->clear();
    Teclea(f, "EditCLPRO_I", "Z" + ronda);
    Teclea(f, "EditDSCPR_I", "Esta");
    ASSERT_EQ(otra.EsperaLinea(60000), "LISTO");
    ui::PuertaModal::LimpiaMensajes();
    otra.Envia("GUARDA");
    Pulsa(f, "BotonGuardar");
    const QString alla = otra.EsperaLinea(60000);
    if (f.Nuevo()) {
      EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList{kClaveYaExiste});
      EXPECT_EQ(Foco(), f.EditCLPRO_I);
      EXPECT_EQ(alla, "|GUARDADO");
      f.EditCLPRO_I->clear();
      Teclea(f, "EditCLPRO_I", "X" + ronda);
      Pulsa(f, "BotonGuardar");
      EXPECT_FALSE(f.Editando());
    } else {
      EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList());
      EXPECT_EQ(alla, kClaveYaExiste + "|NUEVO");
    }
  }
  EXPECT_EQ(otra.Espera(), 0);
  // One row of each key, and every row saved with a key of its own.
  QStringList claves = Claves();
  EXPECT_EQ(claves.size(), 1 + 2 * kRondas);
  claves.removeDuplicates();
  EXPECT_EQ(claves.size(), 1 + 2 * kRondas);
  for (int i = 1; i <= kRondas; ++i) EXPECT_TRUE(claves.contains("Z" + QString::number(i))) << i;
  EXPECT_EQ(Abre("INVENTAR.DBF")->TagsDiscrepantes(), QStringList());
}

}  // namespace
