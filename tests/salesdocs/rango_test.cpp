// Documents made on the sale screen from lines that already exist: Generar >
// "Rango de Documentos" and the hidden "Copia de Documento", driven through
// the menu and their dialogs.

#include "foundation/rutinas_usuarios.h"
#include "inventory/ConPro.h"
#include "foundation/ArchivosPrograma.h"
#include "platform/db/Tabla.h"
#include "platform/print/Impresora.h"
#include "platform/print/Impresoras.h"
#include "platform/ui/PuertaModal.h"
#include "pos/captura_prueba.h"
#include "salesdocs/ComandosDocumentos.h"
#include "salesdocs/CopiaDocumento.h"
#include "salesdocs/FacturaCierre.h"
#include "salesdocs/FormaDevolucion.h"
#include "support/ImpresionPrueba.h"
#include "support/Maneja.h"
#include "support/Proceso.h"

#include <QAction>
#include <QLabel>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using Pantalla = TFormaCapturaRapida;
using Campos = QMap<QString, QString>;
using ui::PuertaModal::Mensajes;

QList<QStringList> Filas(const QString& carpeta, const QString& archivo, const QStringList& campos,
                         const QString& tag = {}) {
  auto t = AbreEn(carpeta, archivo, tag);
  QList<QStringList> filas;
  for (t->First(); !t->Eof(); t->Next()) {
    QStringList fila;
    for (const QString& c : campos) fila << t->FieldByName(c).AsString();
    filas << fila;
  }
  return filas;
}

void Ejecuta(Pantalla& p, const char* item) {
  auto* a = p.MainMenu1->findChild<QAction*>(QString::fromLatin1(item));
  ASSERT_TRUE(a) << item;
  ASSERT_TRUE(a->isEnabled()) << item;
  a->trigger();
}

void Muestra(Pantalla& p, qint64 numero) {
  ASSERT_TRUE(p.TablaFacturae->FindKey({numero})) << numero;
  p.MuestraDocumento();
}

class DocumentosDeLineas : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    UneDocumentosVenta();
    TRegistroProducto producto;
    producto.CLPRO_I = "P1";
    producto.DSCPR_I = "TORNILLO";
    producto.PPUBL_I = Dinero(50);
    producto.EXIST_I = 100;
    AgregaProducto(producto);
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "1"}, {"NOMBR_C", "MOSTRADOR"}});
  }

  static void AgregaLinea(const QString& archivo, int numero, const QString& clave, Campos campos = {}) {
    campos["CLDOC_FD"] = QString::number(numero);
    if (!campos.contains("CONTROL")) campos["CONTROL"] = QString::number(numero * 100);
    campos["CLPRO_FD"] = clave;
    if (!campos.contains("PUNPR_FD")) campos["PUNPR_FD"] = "10";
    if (!campos.contains("CANTI_FD")) campos["CANTI_FD"] = "1";
    AgregaFila(archivo, campos);
  }

  // Remissions 3 to 6 with one live line each (quantity = number); 4 also
  // has a cancelled line, 5 a line carried into an invoice already; 7 has
  // only such lines.
  static void Remisiones() {
    for (int n = 3; n <= 7; ++n) AgregaRemision(n, {{"CONTROL", QString::number(n * 100)}, {"CLCLI_F", "1"}});
    for (int n = 3; n <= 6; ++n) AgregaLinea("RemisioD.dbf", n, "P1", {{"CANTI_FD", QString::number(n)}});
    AgregaLinea("RemisioD.dbf", 4, "X1", {{"TREGI_FD", "C"}});
    AgregaLinea("RemisioD.dbf", 5, "X2", {{"TDOCU_FD", "F"}});
    AgregaLinea("RemisioD.dbf", 7, "X3", {{"TREGI_FD", "C"}});
    AgregaLinea("RemisioD.dbf", 7, "X4", {{"TDOCU_FD", "F"}});
  }

  // Answers the range dialog: the text typed, the kind chosen (none when
  // empty), "Generar".
  static void Responde(const QString& rango, const QString& tipo) {
    ui::PuertaModal::Espera("TFormaRango", [rango, tipo](QDialog& d) {
      prueba::Teclea(d, "Edit1", rango);
      if (!tipo.isEmpty()) prueba::Pulsa(d, tipo);
      prueba::Pulsa(d, "BitBtn1");
    });
  }
};

}  // namespace

TEST_F(DocumentosDeLineas, ElRangoOfreceLosTiposQueElDocumentoEnPantallaPuedeDar) {
  struct Caso {
    QString base;
    bool factura, remision, pedido;
  };
  const Caso casos[] = {
      {"Remisión", true, false, false},
      {"Pedido", true, true, false},
      {"Cotización", true, true, true},
  };
  Abre("2", [&](Pantalla& p) {
    for (const Caso& c : casos) {
      p.Base->setEditable(true);
      p.Base->setCurrentText(c.base);
      bool visto = false;
      ui::PuertaModal::Espera("TFormaRango", [&](QDialog& d) {
        visto = true;
        EXPECT_EQ(d.windowTitle(), "Rango de Documentos ");
        EXPECT_EQ(d.findChild<QRadioButton*>("Factura")->isEnabled(), c.factura) << c.base.toStdString();
        EXPECT_EQ(d.findChild<QRadioButton*>("Remision")->isEnabled(), c.remision) << c.base.toStdString();
        EXPECT_EQ(d.findChild<QRadioButton*>("Pedido")->isEnabled(), c.pedido) << c.base.toStdString();
        prueba::Pulsa(d, "BitBtn2");
      });
      Ejecuta(p, "RangodeDocumentos1");
      EXPECT_TRUE(visto);
    }
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(DocumentosDeLineas, UnRangoDeRemisionesDaUnaFacturaConSusLineasVivas) {
  Remisiones();
  AgregaFila("FacturaE.dbf", {{"CLDOC_F", "8"}});
  Abre("2", [&](Pantalla& p) {
    Muestra(p, 6);
    Responde("3-5", "Factura");
    Ejecuta(p, "RangodeDocumentos1");
    EXPECT_EQ(p.Base->currentText(), "Factura");
    EXPECT_EQ(p.EditCLDOC_F->text(), "9");
    EXPECT_TRUE(p.DocumentoNuevo);
    EXPECT_EQ(ui::Tag(p.BotonNuevo), 1);
    EXPECT_EQ(ColumnaCaptura(*p.TablaDeta, "CLAVE"), (QStringList{"P1", "P1", "P1"}));
    EXPECT_EQ(ColumnaCaptura(*p.TablaDeta, "CANTIDAD"), (QStringList{"3", "4", "5"}));
  });
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(Filas(kDatos, "FacturaE.dbf", {"CLDOC_F", "CLPED_F"}, "INUMENC"),
            (QList<QStringList>{{"8", ""}, {"9", "F6"}}));
}

// An invoice of a range of remissions is one made from them: saved, it
// moves no stock and writes no movement rows (the remissions did both),
// its lines carry the conversion mark, and the remissions it took are
// marked invoiced, so neither a later range nor "Factura" invoices them
// again; a remission invoiced before is left out.
TEST_F(DocumentosDeLineas, UnaFacturaDeRangoNoMueveExistenciasYMarcaSusRemisiones) {
  EscribeLineas(fs::Une(kPrograma, "mi.cnf"), {"con movimientos"});
  for (int n = 3; n <= 6; ++n) {
    AgregaRemision(n, {{"CONTROL", QString::number(n * 100)}, {"CLCLI_F", "1"}, {"REMIS_F", n == 6 ? "F2" : ""}});
    AgregaLinea("RemisioD.dbf", n, "P1", {{"CANTI_FD", QString::number(n)}, {"DEPRO_FD", "TORNILLO"}});
  }
  Abre("2", [&](Pantalla& p) {
    Muestra(p, 5);
    Responde("3-6", "Factura");
    Ejecuta(p, "RangodeDocumentos1");
    EXPECT_EQ(ColumnaCaptura(*p.TablaDeta, "CANTIDAD"), (QStringList{"3", "4", "5"}));
    p.BotonGuardarClick();
    ASSERT_EQ(ui::Tag(p.BotonNuevo), 0);
    EXPECT_EQ(p.EditCLDOC_F->text(), "1");

    // Invoiced: refused by another range and by "Factura".
    p.Base->setCurrentText("Remisión");
    p.BaseChange();
    Muestra(p, 4);
    Responde("3-5", "Factura");
    Ejecuta(p, "RangodeDocumentos1");
    p.Factura1->trigger();
  });
  EXPECT_EQ(Mensajes(), (QStringList{"No se puede generar una factura no hay documentos en este rango...",
                                     "El Documento ya se FACTURO..."}));
  EXPECT_EQ(Filas(kDatos, "Remision.dbf", {"CLDOC_F", "REMIS_F"}, "INUMENC"),
            (QList<QStringList>{{"3", "F1"}, {"4", "F1"}, {"5", "F1"}, {"6", "F2"}}));
  EXPECT_EQ(Filas(kDatos, "FacturaD.dbf", {"CLPRO_FD", "CANTI_FD", "TDOCU_FD"}),
            (QList<QStringList>{{"P1", "3", "F"}, {"P1", "4", "F"}, {"P1", "5", "F"}}));
  EXPECT_EQ(Filas(kDatos, "INVENTAR.DBF", {"EXIST_I"}), QList<QStringList>{{"100"}});
  EXPECT_EQ(Filas(kDatos, "MOVINVEN.DBF", {"CLPRO_MI"}), QList<QStringList>());
  EXPECT_EQ(Filas(kDatos, "FacturaE.dbf", {"CLDOC_F"}), QList<QStringList>{{"1"}});
}

TEST_F(DocumentosDeLineas, UnRangoRechazadoNoEscribeNada) {
  Remisiones();
  struct Caso {
    QString rango, tipo, mensaje;
  };
  const Caso casos[] = {
      {"3-x", "Factura", "'x' no es un valor entero válido"},
      {"7", "Factura", "No se puede generar una factura no hay documentos en este rango..."},
      {"40-90", "Factura", "No se puede generar una factura no hay documentos en este rango..."},
  };
  Abre("2", [&](Pantalla& p) {
    Muestra(p, 6);
    for (const Caso& c : casos) {
      ui::PuertaModal::LimpiaMensajes();
      Responde(c.rango, c.tipo);
      Ejecuta(p, "RangodeDocumentos1");
      EXPECT_EQ(Mensajes(), QStringList{c.mensaje}) << c.rango.toStdString();
      EXPECT_EQ(p.Base->currentText(), "Remisión");
      EXPECT_EQ(p.EditCLDOC_F->text(), "6");
      EXPECT_EQ(ui::Tag(p.BotonNuevo), 0);
    }
    // "Generar" with no kind chosen keeps the dialog open.
    ui::PuertaModal::LimpiaMensajes();
    bool abierta = false;
    ui::PuertaModal::Espera("TFormaRango", [&](QDialog& d) {
      prueba::Teclea(d, "Edit1", "3-5");
      prueba::Pulsa(d, "BitBtn1");
      abierta = d.isVisible();
      prueba::Pulsa(d, "BitBtn2");
    });
    Ejecuta(p, "RangodeDocumentos1");
    EXPECT_TRUE(abierta);
    EXPECT_EQ(Mensajes(), QStringList{"Elija el documento a generar"});
  });
  EXPECT_EQ(Filas(kDatos, "FacturaE.dbf", {"CLDOC_F"}), QList<QStringList>());
}

TEST_F(DocumentosDeLineas, LaCopiaDeUnaFacturaEsUnaRemisionNuevaConSusLineas) {
  AgregaRemision(3, {{"CONTROL", "300"}, {"CLCLI_F", "1"}});
  AgregaLinea("RemisioD.dbf", 3, "P1", {{"CANTI_FD", "2"}, {"DEPRO_FD", "TORNILLO"}});
  AgregaLinea("RemisioD.dbf", 3, "P1", {{"CANTI_FD", "5"}, {"DEPRO_FD", "TORNILLO"}});
  Abre("2", [&](Pantalla& p) {
    // The hidden items stay hidden (and so disabled): their handlers run.
    for (const char* oculto : {"FacturadeCierre1", "CopiadeDocumento1"})
      EXPECT_FALSE(p.MainMenu1->findChild<QAction*>(oculto)->isVisible()) << oculto;
    EXPECT_FALSE(p.Movimientos1->menuAction()->isVisible());
    // An invoice of remission 3, saved and shown.
    Muestra(p, 3);
    Responde("3", "Factura");
    Ejecuta(p, "RangodeDocumentos1");
    p.BotonGuardarClick();
    ASSERT_EQ(ui::Tag(p.BotonNuevo), 0);
    ASSERT_EQ(p.Base->currentText(), "Factura");
    ASSERT_EQ(p.EditCLDOC_F->text(), "1");

    QString pregunta;
    ui::PuertaModal::Espera("TFormaAdvertencia", [&](QDialog& d) {
      pregunta = prueba::Texto(d, "Label1");
      prueba::Pulsa(d, "BitBtn2");
    });
    CopiadeDocumento1Click(p);
    EXPECT_EQ(pregunta, "Esta Seguro que Desea UNA COPIA EXACTA DEL DOCUMENTO 1 ?");
    EXPECT_EQ(ui::Tag(p.BotonNuevo), 0);

    ui::PuertaModal::Espera("TFormaAdvertencia", [](QDialog& d) { prueba::Pulsa(d, "BitBtn1"); });
    CopiadeDocumento1Click(p);
    EXPECT_EQ(p.Base->currentText(), "Remisión");
    EXPECT_EQ(p.EditCLDOC_F->text(), "4");
    EXPECT_TRUE(p.DocumentoNuevo);
    EXPECT_EQ(ColumnaCaptura(*p.TablaDeta, "CANTIDAD"), (QStringList{"2", "5"}));
  });
  EXPECT_EQ(Mensajes(), QStringList());
  // Unsaved: only the header row the conversion numbers it by.
  EXPECT_EQ(Filas(kDatos, "RemisioD.dbf", {"CLDOC_FD"}), (QList<QStringList>{{"3"}, {"3"}}));
  EXPECT_EQ(Filas(kDatos, "Remision.dbf", {"CLDOC_F", "CLPED_F"}, "INUMENC"),
            (QList<QStringList>{{"3", ""}, {"4", "F1"}}));
}

// --- Replay and quotation import.

TEST_F(DocumentosDeLineas, ReproducirEmpiezaUnDocumentoConLasLineasYElClienteDelMostrado) {
  AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "20"}, {"NOMBR_C", "FERRETERA DEL NORTE"}});
  AgregaRemision(5, {{"CONTROL", "500"}, {"CLCLI_F", "20"}, {"NOMBR_F", "FERRETERA DEL NORTE"}});
  AgregaLinea("RemisioD.dbf", 5, "P1", {{"CANTI_FD", "2"}, {"DEPRO_FD", "TORNILLO"}});
  AgregaLinea("RemisioD.dbf", 5, "P1", {{"CANTI_FD", "3"}, {"DEPRO_FD", "TORNILLO"}});
  Abre("2", [&](Pantalla& p) {
    Muestra(p, 5);
    Ejecuta(p, "Reproducir1");
    EXPECT_EQ(ui::Tag(p.BotonNuevo), 1);
    EXPECT_EQ(p.EditCLDOC_F->text(), "6");
    EXPECT_EQ(p.EditCLCLI_F->text(), "20");
    EXPECT_EQ(p.Nombre->text(), "FERRETERA DEL NORTE");
    EXPECT_EQ(ColumnaCaptura(*p.TablaDeta, "CANTIDAD"), (QStringList{"2", "3", "1"}));
    EXPECT_EQ(ColumnaCaptura(*p.TablaDeta, "CLAVE"), (QStringList{"P1", "P1", ""}));
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(DocumentosDeLineas, ReproducirSinElDerechoDeAltaNoEmpiezaNada) {
  QString sinAlta(kNumeroDerechos, u's');
  sinAlta[DerechoAltaFacturacion - 1] = u'n';
  EscribeUsuarios({{"adm", QString(kNumeroDerechos, u's')}, {"sinalta", sinAlta}});
  AgregaRemision(5, {{"CONTROL", "500"}, {"CLCLI_F", "1"}});
  AgregaLinea("RemisioD.dbf", 5, "P1", {{"CANTI_FD", "2"}});
  Abre("1", [&](Pantalla& p) {
    Muestra(p, 5);
    Ejecuta(p, "Reproducir1");
    EXPECT_EQ(ui::Tag(p.BotonNuevo), 0);
    EXPECT_EQ(p.EditCLDOC_F->text(), "5");
  });
  EXPECT_EQ(Mensajes(), QStringList{"No Se Tiene Acceso..."});
  EXPECT_EQ(Filas(kDatos, "Remision.dbf", {"CLDOC_F"}), QList<QStringList>{{"5"}});
}

TEST_F(DocumentosDeLineas, ImportarCotizacionTraeSuEncabezadoYSusLineas) {
  AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "20"}, {"NOMBR_C", "FERRETERA DEL NORTE"}});
  AgregaFila("Cotizar.DBF", {{"CLDOC_F", "7"}, {"CONTROL", "700"}, {"CLCLI_F", "20"}, {"NOMBR_F", "FERRETERA"}});
  AgregaLinea("CotizarD.dbf", 7, "P1", {{"CANTI_FD", "4"}, {"DEPRO_FD", "TORNILLO"}, {"CONTROL", "700"}});
  AgregaLinea("CotizarD.dbf", 7, "K1", {{"CANTI_FD", "1"}, {"CONTROL", "700"}});
  AgregaLinea("CotizarD.dbf", 7, "C1", {{"CANTI_FD", "2"}, {"CONTROL", "700"}, {"TIPOX_FD", "X"}});
  AgregaLinea("CotizarD.dbf", 7, "P9", {{"CANTI_FD", "9"}, {"CONTROL", "999"}});
  const auto importa = [](Pantalla& p, const QString& numero) {
    ui::PuertaModal::Espera("TFormaBusqueda", [numero](QDialog& d) {
      prueba::Teclea(d, "CajaBuscar", numero);
      prueba::Pulsa(d, "BotonAceptar");
    });
    Ejecuta(p, "ImportarCotizacin1");
  };
  // No remission to show: nothing was loaded yet.
  Abre("2", [&](Pantalla& p) {
    for (const QString& nada : {QString(), QStringLiteral("99")}) {
      importa(p, nada);
      EXPECT_EQ(ui::Tag(p.BotonNuevo), 0) << nada.toStdString();
    }
    importa(p, "7");
    EXPECT_EQ(ui::Tag(p.BotonNuevo), 1);
    EXPECT_EQ(p.EditCLDOC_F->text(), "7");
    EXPECT_EQ(p.EditCLCLI_F->text(), "20");
    EXPECT_EQ(p.TablaFacturae->FieldByName("CONTROL").AsString(), "700");
    EXPECT_EQ(ColumnaCaptura(*p.TablaDeta, "CLAVE"), (QStringList{"P1", "K1"}));
    EXPECT_EQ(ColumnaCaptura(*p.TablaDeta, "CANTIDAD"), (QStringList{"4", "1"}));
  });
  // As the screen is used, on a stored document shown (it opens on the
  // last remission): the quotation's lines come all the same, in place of
  // the remission's.
  AgregaRemision(5, {{"CONTROL", "500"}, {"CLCLI_F", "1"}});
  AgregaLinea("RemisioD.dbf", 5, "P1", {{"CANTI_FD", "2"}});
  Abre("2", [&](Pantalla& p) {
    Muestra(p, 5);
    ASSERT_EQ(ColumnaCaptura(*p.TablaDeta, "CANTIDAD"), QStringList{"2"});
    importa(p, "7");
    EXPECT_EQ(p.EditCLDOC_F->text(), "7");
    EXPECT_EQ(p.EditCLCLI_F->text(), "20");
    EXPECT_EQ(ColumnaCaptura(*p.TablaDeta, "CLAVE"), (QStringList{"P1", "K1"}));
    EXPECT_EQ(ColumnaCaptura(*p.TablaDeta, "CANTIDAD"), (QStringList{"4", "1"}));
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

// --- The returns grid.

TEST_F(DocumentosDeLineas, LaRejillaDeDevolucionAbreSobreUnaCopiaNuevaYF2BuscaElProducto) {
  FijaLinea(ConfBusquedaAvanzada, "S");
  TFormaConProduct catalogo;
  // A row left from an earlier opening.
  db::Tabla::CopiaArchivos(kPrograma, "DetaCR.db", "DetaDevol.db");
  AgregaFila("DetaDevol.db", {{"CLAVE", "VIEJA"}}, kPrograma);
  Abre("2", [&](Pantalla& p) {
    bool visto = false;
    ui::PuertaModal::Espera("TFormaDevolucion", [&](QDialog& d) {
      visto = true;
      auto& f = static_cast<TFormaDevolucion&>(d);
      EXPECT_EQ(f.TablaDevol->RecordCount(), 0);
      EXPECT_EQ(f.Avanzada->text(), "1");
      f.TablaDevol->Append();
      f.TablaDevol->FieldByName("CLAVE").SetAsString("TORN");
      f.TablaDevol->Post();
      ui::PuertaModal::Espera("TFormaConProduct", [](QDialog& c) { prueba::Tecla(c, "Detalle", Qt::Key_Return); });
      prueba::Tecla(d, "DBGrid1", Qt::Key_F2);
      EXPECT_EQ(f.TablaDevol->FieldByName("CLAVE").AsString(), "P1");
    });
    Agregar1Click(p);
    EXPECT_TRUE(visto);
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

// --- The closing invoice.

class FacturaDeCierre : public DocumentosDeLineas {
 protected:
  void SetUp() override {
    DocumentosDeLineas::SetUp();
    InstalaArchivosPrograma();
    print::FijaImpresorasPrueba({{"laser", "Laser", print::TipoImpresora::Registro, QString(), 600}}, 0);
    print::Impresora::Global().Restablece();
    print::BorraOperacionesGrabadas();
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "100"}, {"NOMBR_C", "PUBLICO EN GENERAL"}});
    // Before the period; then remissions 3 (three lines) and 4 (two).
    AgregaRemision(2, {{"CONTROL", "200"}, {"FEDOC_F", "01/03/2010"}, {"IMTOD_F", "999"}});
    AgregaLinea("RemisioD.dbf", 2, "P1");
    AgregaRemision(3, {{"CONTROL", "300"}, {"FEDOC_F", "05/03/2010"}, {"IMTOD_F", "116"}});
    for (const char* precio : {"40", "40", "36"}) AgregaLinea("RemisioD.dbf", 3, "P1", {{"PUNPR_FD", precio}});
    AgregaRemision(4, {{"CONTROL", "400"}, {"FEDOC_F", "05/03/2010"}, {"IMTOD_F", "58"}});
    for (int i = 0; i < 2; ++i) AgregaLinea("RemisioD.dbf", 4, "P1", {{"PUNPR_FD", "29"}});
  }
  void TearDown() override {
    print::RefrescaImpresoras();
    print::Impresora::Global().Restablece();
    DocumentosDeLineas::TearDown();
  }

  // Runs the command over the period starting today, answering the print
  // question with `imprime`.
  static void Cierra(Pantalla& p, bool imprime) {
    ui::PuertaModal::Espera("TDialogoImprimir", [](QDialog& d) { prueba::Pulsa(d, "BitBtn1"); });
    ui::PuertaModal::Espera("TFormaAdvertencia", [imprime](QDialog& d) {
      EXPECT_EQ(prueba::Texto(d, "Label1"), "Desea Imprimir la Factura?");
      prueba::Pulsa(d, imprime ? "BitBtn1" : "BitBtn2");
    });
    FacturadeCierre1Click(p);
  }
};

TEST_F(FacturaDeCierre, SoloElAdministradorLaGenera) {
  Abre("2", [](Pantalla& p) { FacturadeCierre1Click(p); });
  EXPECT_EQ(Mensajes(), QStringList{"Esta Opción es Exclusiva del Administrador..."});
  EXPECT_EQ(Filas(kDatos, "FacturaE.dbf", {"CLDOC_F"}), QList<QStringList>());
}

// The closing line's key, whatever the catalogue holds under it: nothing,
// or a product of another description and price with no stock while
// invoicing without stock is refused.
struct CatalogoCierre {
  const char* nombre;
  bool producto;
};

class FacturaDeCierreCatalogo : public FacturaDeCierre, public ::testing::WithParamInterface<CatalogoCierre> {};

TEST_P(FacturaDeCierreCatalogo, UnaLineaConElTotalDeLasRemisionesGuardadaTalCualYLasRemisionesMarcadas) {
  if (GetParam().producto) {
    FijaLinea(ConfFacturarSinExistencias, "N");
    TRegistroProducto cierre;
    cierre.CLPRO_I = "CIERRE";
    cierre.DSCPR_I = "CIERRE DEL DIA";
    cierre.PPUBL_I = Dinero(5);
    cierre.EXIST_I = 0;
    AgregaProducto(cierre);
  }
  Abre("0", [](Pantalla& p) {
    const QString formato = p.FormatoTicket;
    Cierra(p, true);
    EXPECT_EQ(p.Base->currentText(), "Remisión");
    EXPECT_EQ(p.FormatoTicket, formato);
  });
  EXPECT_EQ(Mensajes(),
            QStringList{"Genero la Factura 1 Puede Revisarla en el Módulo de Facturación de VRL"});
  EXPECT_EQ(Filas(kDatos, "FacturaE.dbf", {"CLDOC_F", "CLPED_F", "CLCLI_F", "SUBTO_F", "IMIM2_F", "IMTOD_F"}),
            (QList<QStringList>{{"1", "CI(3-4)", "100", "174", "0", "174"}}));
  // The line as the closing built it: the remissions' totals, which hold
  // their tax, and no product to price it or take stock from.
  EXPECT_EQ(Filas(kDatos, "FacturaD.dbf", {"CLDOC_FD", "CLPRO_FD", "DEPRO_FD", "CANTI_FD", "PUNPR_FD", "IMPOR_FD"}),
            (QList<QStringList>{{"1", "CIERRE", "FACTURA DE CIERRE", "1", "174", "174"}}));
  if (GetParam().producto) {
    EXPECT_EQ(Filas(kDatos, "INVENTAR.DBF", {"CLPRO_I", "EXIST_I"}, "ICLPRO"),
              (QList<QStringList>{{"CIERRE", "0"}, {"P1", "100"}}));
  }
  EXPECT_EQ(Filas(kDatos, "CLIENTE.DBF", {"CLCLI_C", "SALDO_C"}), (QList<QStringList>{{"1", ""}, {"100", "174"}}));
  // No stored remission took anything of the invoice's header.
  EXPECT_EQ(Filas(kDatos, "Remision.dbf", {"CLDOC_F", "REMIS_F", "CLCLI_F", "IMIM1_F"}, "INUMENC"),
            (QList<QStringList>{{"2", "", "", ""}, {"3", "F1", "", ""}, {"4", "F1", "", ""}}));
  const QList<QStringList> trabajos = TrabajosImpresos();
  ASSERT_EQ(trabajos.size(), 1);
  EXPECT_TRUE(trabajos[0].contains("FACTURA DE CIERRE")) << trabajos[0].join("|").toStdString();
  EXPECT_TRUE(trabajos[0].contains("Remisiones CI(3-4)")) << trabajos[0].join("|").toStdString();
}

INSTANTIATE_TEST_SUITE_P(Catalogo, FacturaDeCierreCatalogo,
                         ::testing::Values(CatalogoCierre{"SinProducto", false},
                                           CatalogoCierre{"ProductoDeOtraDescripcionSinExistencia", true}),
                         [](const auto& info) { return std::string(info.param.nombre); });

// Remissions with their IVA (one of them with a document discount): the
// closing invoice's subtotal, tax and total are the sums of theirs, and its
// customer's balance grows by its subtotal and tax.
TEST_F(FacturaDeCierre, LaFacturaDeCierreLlevaElSubtotalYElImpuestoDeLasRemisiones) {
  // Remission 3: 40 + 40 + 20 at 16 %; remission 4: 2 x 25 at 8 %, less 10 %
  // of the document (the screen shows it and finds its totals right).
  {
    auto lineas = AbreEn(kDatos, "RemisioD.dbf");
    const QStringList precios{"40", "40", "20", "25", "25"};
    int i = 0;
    for (lineas->First(); !lineas->Eof(); lineas->Next()) {
      const QString numero = lineas->FieldByName("CLDOC_FD").AsString();
      if (numero != "3" && numero != "4") continue;
      lineas->Edit();
      lineas->FieldByName("PUNPR_FD").SetAsString(precios.value(i++));
      lineas->FieldByName("PIVA1_FD").SetAsString(numero == "3" ? "16" : "8");
      lineas->Post();
    }
    ASSERT_EQ(i, 5);
  }
  for (const auto& [numero, subtotal, impuesto, descuento, total] :
       {std::tuple{3, "100", "16", "0", "116"}, std::tuple{4, "50", "4", "10", "48.6"}}) {
    auto t = AbreEn(kDatos, "Remision.dbf", "INUMENC");
    ASSERT_TRUE(t->FindKey({numero}));
    t->Edit();
    t->FieldByName("SUBTO_F").SetAsString(subtotal);
    t->FieldByName("IMIM2_F").SetAsString(impuesto);
    t->FieldByName("DESFI_F").SetAsString(descuento);
    t->FieldByName("IMTOD_F").SetAsString(total);
    t->Post();
  }
  Abre("0", [](Pantalla& p) { Cierra(p, false); });
  EXPECT_EQ(Mensajes(),
            QStringList{"Genero la Factura 1 Puede Revisarla en el Módulo de Facturación de VRL"});
  EXPECT_EQ(Filas(kDatos, "FacturaE.dbf", {"CLDOC_F", "SUBTO_F", "IMIM2_F", "IMTOD_F"}),
            (QList<QStringList>{{"1", "150", "20", "164.6"}}));
  EXPECT_EQ(Filas(kDatos, "FacturaD.dbf", {"CLPRO_FD", "PUNPR_FD", "IMPOR_FD"}),
            (QList<QStringList>{{"CIERRE", "150", "150"}}));
  EXPECT_EQ(Filas(kDatos, "CLIENTE.DBF", {"CLCLI_C", "SALDO_C"}), (QList<QStringList>{{"1", ""}, {"100", "170"}}));
}

TEST_F(FacturaDeCierre, LaLineaDeCierreSumaElTotalDeCadaRemisionUnaVez) {
  Abre("0", [](Pantalla& p) {
    const CierrePartidas c = CargaPartidaCierre(p, kDatos, {2, 3, 4});
    EXPECT_EQ(c.lineas, 6);
    EXPECT_EQ(c.total, Dinero(116 + 58 + 999));
    EXPECT_EQ(ColumnaCaptura(*p.TablaDeta, "CLAVE"), QStringList{"CIERRE"});
    EXPECT_EQ(ColumnaCaptura(*p.TablaDeta, "IMPORTE"), QStringList{"1173"});
  });
}

TEST_F(FacturaDeCierre, SinPartidasNoGeneraYUnaLineaFacturadaSeAvisa) {
  // Remission 4's lines are all carried into an invoice; 3 is invoiced.
  AgregaRemision(5, {{"CONTROL", "500"}, {"FEDOC_F", "05/03/2010"}, {"IMTOD_F", "10"}});
  AgregaLinea("RemisioD.dbf", 5, "P1", {{"TDOCU_FD", "F"}});
  {
    auto t = AbreEn(kDatos, "Remision.dbf", "INUMENC");
    for (int n : {3, 4}) {
      ASSERT_TRUE(t->FindKey({n}));
      t->Edit();
      t->FieldByName("REMIS_F").SetAsString("F9");
      t->Post();
    }
  }
  Abre("0", [](Pantalla& p) {
    ui::PuertaModal::Espera("TDialogoImprimir", [](QDialog& d) { prueba::Pulsa(d, "BitBtn1"); });
    FacturadeCierre1Click(p);
    EXPECT_EQ(p.Base->currentText(), "Remisión");
  });
  EXPECT_EQ(Mensajes(), (QStringList{"Existe una Factura de Cierre para esta Fecha...",
                                     "No hay Partidas para estas Fechas, puede ser que ya se Genero la Factura de "
                                     "Cierre"}));
  EXPECT_EQ(Filas(kDatos, "FacturaE.dbf", {"CLDOC_F"}), QList<QStringList>());
}

// Another station: holds a remission in edit until told.
RUTINA_HIJA(EditaRemision) {
  auto t = AbreEn(argumentos.value(0), "Remision.dbf", "INUMENC");
  if (!t->FindKey({argumentos.value(1).toLongLong()})) return 1;
  t->Edit();
  prueba::AvisaPadre("EDITANDO");
  prueba::EsperaPadre();
  t->Cancel();
  return 0;
}

TEST_F(FacturaDeCierre, UnaRemisionQueOtraEstacionTieneSeNombraYLaFacturaQueda) {
  prueba::ProcesoHijo otra("EditaRemision", {kDatos, "4"});
  ASSERT_EQ(otra.EsperaLinea(), "EDITANDO");
  Abre("0", [](Pantalla& p) { Cierra(p, false); });
  otra.Envia("");
  EXPECT_EQ(otra.Espera(), 0);
  EXPECT_EQ(Mensajes(), (QStringList{"Genero la Factura 1 Puede Revisarla en el Módulo de Facturación de VRL",
                                     "No se pudieron marcar como facturadas las remisiones 4: una Factura de Cierre "
                                     "posterior las tomaría otra vez"}));
  EXPECT_EQ(Filas(kDatos, "FacturaE.dbf", {"CLDOC_F", "CLPED_F", "IMTOD_F"}),
            (QList<QStringList>{{"1", "CI(3-4)", "174"}}));
  EXPECT_EQ(Filas(kDatos, "FacturaD.dbf", {"CLPRO_FD", "IMPOR_FD"}), (QList<QStringList>{{"CIERRE", "174"}}));
  EXPECT_EQ(Filas(kDatos, "Remision.dbf", {"CLDOC_F", "REMIS_F"}, "INUMENC"),
            (QList<QStringList>{{"2", ""}, {"3", "F1"}, {"4", ""}}));
  EXPECT_TRUE(TrabajosImpresos().isEmpty());
}
