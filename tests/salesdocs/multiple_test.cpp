// Generar > "Agregar Documento" of the sale screen and the multiple-document
// window "Multiple", driven as a user would.

#include "platform/db/Tabla.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/PuertaModal.h"
#include "pos/captura_prueba.h"
#include "pos/venta_prueba.h"
#include "salesdocs/ComandosBusqueda.h"
#include "salesdocs/HotReporte.h"
#include "support/Proceso.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

using ui::PuertaModal::LimpiaMensajes;
using ui::PuertaModal::Mensajes;

QList<QStringList> Filas(const QString& archivo, const QStringList& campos, const QString& tag = {}) {
  auto t = AbreEn(kDatos, archivo, tag);
  QList<QStringList> filas;
  for (t->First(); !t->Eof(); t->Next()) {
    QStringList fila;
    for (const QString& c : campos) fila << t->FieldByName(c).AsString();
    filas << fila;
  }
  return filas;
}

// "Generar Documento", answered "Yes".
void Genera(TFormaHotReporte& h) {
  ui::PuertaModal::Espera("MessageDlg", [](QDialog& d) { d.done(QMessageBox::Yes); });
  prueba::Pulsa(h, "BitBtn1");
}

// What the window showed.
struct Vista {
  bool mostrada = false;
  QStringList filas;      // Memo2
  QStringList coleccion;  // Memo1
  QStringList documentos;
  QString partidas;       // LabelDocu
  bool menuVisible = true;
};

class Multiple : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    UneBusquedaDocumentos();
    ventana_ = std::make_unique<TFormaHotReporte>();
    // Items: key, text, money shorter and longer than its column, a small
    // letter item that never matches, and text after the last comma.
    EscribeLineas(kPrograma + "\\Multiple.dat",
                  {"CLDOC_FD  ,DEPRO_FD    ,$PUNPR_FD,$IMPOR_FD  ,depro_fd  ,sobra", "CLPRO_FD,"});
    const auto remision = [](int n, int control, QMap<QString, QString> campos) {
      campos["CONTROL"] = QString::number(control);
      campos["CLCLI_F"] = "7";
      campos["NOMBR_F"] = "ANA";
      AgregaRemision(n, campos);
    };
    // The screen totals a document it shows from its lines: 25 and
    // 12345678.75.
    remision(10, 500, {{"IMTOD_F", "29"}, {"PAISX_F", "MEXICO"}, {"DESTI_F", "X,"}});
    remision(11, 600, {{"IMTOD_F", "100"}, {"ESTAD_F", "JALISCO"}, {"DESTI_F", "A,"}});
    remision(12, 700, {{"DESFI_F", "5"}});
    remision(13, 800, {{"CLPED_F", "25"}});
    const auto linea = [](int n, int control, const char* descripcion, const char* precio, const char* importe) {
      AgregaFila("RemisioD.dbf", {{"CLDOC_FD", QString::number(n)},
                                  {"CLPRO_FD", "P" + QString::number(n)},
                                  {"CANTI_FD", QString::number(QString(importe).toDouble() / QString(precio).toDouble())},
                                  {"CONTROL", QString::number(control)},
                                  {"DEPRO_FD", descripcion},
                                  {"PUNPR_FD", precio},
                                  {"IMPOR_FD", importe}});
    };
    linea(10, 500, "ARROZ|FINO", "12.5", "25");
    linea(10, 499, "VIEJA", "1", "1");  // another control: not this document's
    linea(11, 600, "FRIJOL", "12345678.75", "12345678.75");
    linea(12, 700, "SAL", "3", "3");
    linea(13, 800, "AZUCAR", "4", "4");
    AgregaFila("FacturaE.dbf", {{"CLDOC_F", "30"}, {"NOMBR_F", "ANTES"}});
    AgregaFila("FacturaE.dbf", {{"CLDOC_F", "20"}, {"NOMBR_F", "ANTES"}});
  }

  void TearDown() override {
    ventana_.reset();
    VentaPrueba::TearDown();
  }

  // The document shown on the screen, then Generar > "Agregar Documento";
  // the window (when shown) answered by `guion` after its view is read.
  static Vista Agrega(TFormaCapturaRapida& p, int numero, const std::function<void(TFormaHotReporte&)>& guion = {}) {
    EXPECT_TRUE(p.TablaFacturae->FindKey({numero}));
    p.MuestraDocumento();
    Vista v;
    ui::PuertaModal::Espera("TFormaHotReporte", [&v, guion](QDialog& d) {
      auto& h = static_cast<TFormaHotReporte&>(d);
      v.mostrada = true;
      v.filas = h.Memo2->toPlainText().split(u'\n', Qt::SkipEmptyParts);
      v.coleccion = h.Memo1->toPlainText().split(u'\n');
      for (int i = 0; i < h.ListaDocumentos->count(); ++i) v.documentos << h.ListaDocumentos->item(i)->text();
      v.partidas = h.LabelDocu->text();
      v.menuVisible = h.Prueba1->isVisible();
      if (guion) guion(h);
      else h.close();  // the close box
    });
    QAction* item = p.MainMenu1->findChild<QAction*>("AgregarDocumento1");
    EXPECT_TRUE(item && item->isEnabled());
    if (item) item->trigger();
    if (!v.mostrada) {
      // The answer queued for the window goes; the messages stay.
      const QStringList mensajes = Mensajes();
      ui::PuertaModal::Reinicia();
      for (const QString& m : mensajes) ui::PuertaModal::RegistraMensaje(m);
    }
    return v;
  }

  std::unique_ptr<TFormaHotReporte> ventana_;
};

const QString kFila10 = "10           ARROZ|FINO          12.50         25.00  ";
const QString kFila11 = "11           FRIJOL         12345678.  12,345,678.75  ";

TEST_F(Multiple, ColeccionaVistaYRechazos) {
  Abre("0", [](TFormaCapturaRapida& p) {
    Vista v = Agrega(p, 10, [](TFormaHotReporte& h) { prueba::Pulsa(h, "BitBtn4"); });
    ASSERT_TRUE(v.mostrada);
    EXPECT_FALSE(v.menuVisible);
    EXPECT_EQ(v.filas, QStringList{kFila10});
    EXPECT_EQ(v.documentos, QStringList{"10"});
    EXPECT_EQ(v.partidas, "Partidas  1");

    v = Agrega(p, 11);
    EXPECT_EQ(v.filas, (QStringList{kFila10, kFila11}));
    EXPECT_EQ(v.documentos, (QStringList{"10", "11"}));
    EXPECT_EQ(Mensajes(), QStringList());

    // The same document again, and a discounted one after the first:
    // refused, the window shown as it was.
    for (const auto& [numero, aviso] : {std::pair{10, "El Documento ya Existe..."},
                                        std::pair{12, "No se puede agregar más de un documento con descuento..."}}) {
      SCOPED_TRACE(numero);
      LimpiaMensajes();
      v = Agrega(p, numero);
      EXPECT_EQ(Mensajes(), QStringList{QString::fromUtf8(aviso)});
      EXPECT_EQ(v.filas, (QStringList{kFila10, kFila11}));
      EXPECT_EQ(v.documentos, (QStringList{"10", "11"}));
    }

    // Already invoiced: told, no window.
    LimpiaMensajes();
    v = Agrega(p, 13);
    EXPECT_FALSE(v.mostrada);
    EXPECT_EQ(Mensajes(), QStringList{"Esta Remisión ya se Facturo en el documento 25"});

    // "Eliminar" on 11: asked, told, its lines gone from the view and the
    // collection, the header lines kept.
    LimpiaMensajes();
    ui::PuertaModal::Espera("MessageDlg", [](QDialog& d) { d.done(QMessageBox::Yes); });
    Vista despues;
    v = Agrega(p, 10, [&despues](TFormaHotReporte& h) {
      h.ListaDocumentos->setCurrentRow(1);
      prueba::Pulsa(h, "BitBtn2");
      despues.filas = h.Memo2->toPlainText().split(u'\n', Qt::SkipEmptyParts);
      despues.coleccion = h.Memo1->toPlainText().split(u'\n');
      despues.partidas = h.LabelDocu->text();
      for (int i = 0; i < h.ListaDocumentos->count(); ++i) despues.documentos << h.ListaDocumentos->item(i)->text();
      h.close();
    });
    EXPECT_EQ(Mensajes(), (QStringList{"El Documento ya Existe...", "Eliminar las partidas del Documento 11",
                                       "Se borraron las partidas del documento 11"}));
    EXPECT_EQ(despues.filas, QStringList{kFila10});
    EXPECT_EQ(despues.partidas, "Partidas  1");
    EXPECT_EQ(despues.documentos, QStringList{"10"});
    ASSERT_EQ(despues.coleccion.size(), 8);
    EXPECT_TRUE(despues.coleccion[0].startsWith("CLDOC_F|CONTROL|")) << despues.coleccion[0].toStdString();
    EXPECT_TRUE(despues.coleccion[1].startsWith("10|500|7|ANA|")) << despues.coleccion[1].toStdString();
    EXPECT_EQ(despues.coleccion[2], "*10");
    EXPECT_TRUE(despues.coleccion[3].startsWith("CLDOC_FD|CONTROL|"));
    EXPECT_TRUE(despues.coleccion[4].contains("|ARROZ|FINO|"));
    EXPECT_EQ(despues.coleccion.mid(5), (QStringList{"*11", "*", "*"}));
  });
}

TEST_F(Multiple, CancelarCapturaVaciaLaColeccion) {
  Abre("0", [](TFormaCapturaRapida& p) {
    Agrega(p, 10);
    ui::PuertaModal::Espera("MessageDlg", [](QDialog& d) { d.done(QMessageBox::No); });
    Vista v = Agrega(p, 11, [](TFormaHotReporte& h) { prueba::Pulsa(h, "BitBtn3"); });  // answered "No"
    ui::PuertaModal::Espera("MessageDlg", [](QDialog& d) { d.done(QMessageBox::Yes); });
    v = Agrega(p, 12, [](TFormaHotReporte& h) { prueba::Pulsa(h, "BitBtn3"); });
    EXPECT_EQ(v.documentos, (QStringList{"10", "11"}));  // 12 refused: discounted after the first
    // Emptied: the discounted document may now come first.
    v = Agrega(p, 12);
    EXPECT_EQ(v.documentos, QStringList{"12"});
    EXPECT_EQ(v.filas, QStringList{"12" + QString(11, ' ') + "SAL" + QString(18, ' ') + "3.00" + QString(10, ' ') + "3.00  "});
    EXPECT_TRUE(v.coleccion[1].startsWith("12|700|"));
  });
  EXPECT_EQ(Mensajes(), (QStringList{"Esta Seguro de Cancelar la Captura...",
                                     "No se puede agregar más de un documento con descuento...",
                                     "Esta Seguro de Cancelar la Captura..."}));
}

// Without the template the window cannot show: told; the document added
// stays collected.
TEST_F(Multiple, SinPlantillaNoSeMuestra) {
  const QString plantilla = kPrograma + "\\Multiple.dat";
  const QStringList lineas = fs::LeeLineas(plantilla);
  ASSERT_TRUE(QFile::remove(fs::Local(plantilla)));
  Abre("0", [&](TFormaCapturaRapida& p) {
    Vista v = Agrega(p, 10);
    EXPECT_FALSE(v.mostrada);
    EXPECT_EQ(Mensajes(), QStringList{"No se encontró el archivo C:\\VRL\\Multiple.dat"});
    EscribeLineas(plantilla, lineas);
    v = Agrega(p, 11);
    EXPECT_EQ(v.documentos, (QStringList{"10", "11"}));
  });
}

// 42708: the control number of 10:15 (a part of the day every 864 ms).
TEST_F(Multiple, GenerarDocumentoEscribeLaFacturaDeLasRemisiones) {
  Abre("0", [](TFormaCapturaRapida& p) {
    Agrega(p, 10, [](TFormaHotReporte& h) { prueba::Pulsa(h, "BitBtn4"); });
    // "Generar Documento" answered "No": the window stays, nothing written.
    Agrega(p, 11, [](TFormaHotReporte& h) {
      ui::PuertaModal::Espera("MessageDlg", [](QDialog& d) { d.done(QMessageBox::No); });
      prueba::Pulsa(h, "BitBtn1");
      EXPECT_TRUE(h.isVisible());
      Genera(h);
    });
    EXPECT_EQ(p.LabelFactura->text(), "Factura 31");
    EXPECT_EQ(p.TablaFacturae->FieldByName("CLPED_F").AsString(), "31");
    EXPECT_EQ(Mensajes(), (QStringList{"Generar el Documento...", "Generar el Documento...",
                                       "Se Genero el Documento 31"}));

    // The collection is empty: the next document starts a new one, and the
    // close box generates nothing.
    Vista v = Agrega(p, 12);
    EXPECT_EQ(v.documentos, QStringList{"12"});
    EXPECT_TRUE(v.coleccion[1].startsWith("12|700|"));
    EXPECT_EQ(AbreEn(kDatos, "FacturaE.dbf")->RecordCount(), 3);
  });
  // Document 10's header with the sums of both, dated today; the screen's
  // document (11) named in CLPED_F, its country and state.
  EXPECT_EQ(Filas("FacturaE.dbf",
                  {"CLDOC_F", "CLCLI_F", "NOMBR_F", "SUBTO_F", "IMTOD_F", "CONTROL", "FEDOC_F", "CLPED_F", "PAISX_F",
                   "ESTAD_F", "STATU_F"},
                  "INUMENC")
                .last(),
            (QStringList{"31", "7", "ANA", "12345703.75", "12345703.75", "42708", "05/03/2010", "11", "", "JALISCO", ""}));
  EXPECT_EQ(Filas("FacturaD.dbf", {"CLDOC_FD", "CONTROL", "DEPRO_FD", "IMPOR_FD"}),
            (QList<QStringList>{{"31", "42708", "ARROZ|FINO", "25"}, {"31", "42708", "FRIJOL", "12345678.75"}}));
  EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F", "CLPED_F", "DESTI_F"}, "INUMENC").mid(0, 2),
            (QList<QStringList>{{"10", "31", "X,"}, {"11", "31", "A,F 31,"}}));
}

// A document removed from the collection is neither summed, nor written,
// nor marked; the first document's header stays the invoice's.
TEST_F(Multiple, UnDocumentoEliminadoNoEntraEnLaFactura) {
  Abre("0", [](TFormaCapturaRapida& p) {
    Agrega(p, 10, [](TFormaHotReporte& h) { prueba::Pulsa(h, "BitBtn4"); });
    Agrega(p, 11, [](TFormaHotReporte& h) {
      ui::PuertaModal::Espera("MessageDlg", [](QDialog& d) { d.done(QMessageBox::Yes); });
      h.ListaDocumentos->setCurrentRow(0);
      prueba::Pulsa(h, "BitBtn2");
      Genera(h);
    });
  });
  EXPECT_EQ(Filas("FacturaE.dbf", {"CLDOC_F", "NOMBR_F", "SUBTO_F", "IMTOD_F", "CLPED_F"}, "INUMENC").last(),
            (QStringList{"31", "ANA", "12345678.75", "12345678.75", "11"}));
  EXPECT_EQ(Filas("FacturaD.dbf", {"CLDOC_FD", "DEPRO_FD"}), (QList<QStringList>{{"31", "FRIJOL"}}));
  EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F", "CLPED_F"}, "INUMENC").mid(0, 2),
            (QList<QStringList>{{"10", ""}, {"11", "31"}}));
}

// An invoice that cannot be written whole leaves nothing: told, the
// remissions unmarked, the collection kept to try again.
TEST_F(Multiple, UnaFacturaQueFallaNoDejaNada) {
  AgregaFila("RemisioD.dbf", {{"CLDOC_FD", "11"}, {"CONTROL", "600"}, {"DEPRO_FD", "MALA"}, {"CANTI_FD", "1"}});
  Abre("0", [](TFormaCapturaRapida& p) {
    Agrega(p, 10, [](TFormaHotReporte& h) { prueba::Pulsa(h, "BitBtn4"); });
    // The last line's quantity no longer reads as a number.
    Vista v = Agrega(p, 11, [](TFormaHotReporte& h) {
      RenglonMultiple& r = h.Coleccion.documentos[1].partidas.last();
      r.valores[r.nombres.indexOf("CANTI_FD")] = "uno";
      Genera(h);
    });
    ASSERT_EQ(Mensajes().size(), 2);
    EXPECT_TRUE(Mensajes()[1].contains("CANTI_FD")) << Mensajes()[1].toStdString();
    EXPECT_EQ(p.LabelFactura->text().contains("31"), false);
    v = Agrega(p, 10);
    EXPECT_EQ(v.documentos, (QStringList{"10", "11"}));
  });
  EXPECT_EQ(Filas("FacturaE.dbf", {"CLDOC_F"}, "INUMENC"), (QList<QStringList>{{"20"}, {"30"}}));
  EXPECT_EQ(AbreEn(kDatos, "FacturaD.dbf")->RecordCount(), 0);
  EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F", "CLPED_F", "DESTI_F"}, "INUMENC").mid(0, 2),
            (QList<QStringList>{{"10", "", "X,"}, {"11", "", "A,"}}));
}

// Another station: the sale screen collects remission `numero` and, when
// the parent answers, generates its merged invoice.
RUTINA_HIJA(FacturaMultiple) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char nombre[] = "estacion";
  char* argv[] = {nombre, nullptr};
  ui::Aplicacion app(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  UneBusquedaDocumentos();
  const qint64 numero = argumentos.value(0).toLongLong();
  auto pantalla = std::make_unique<TFormaCapturaRapida>();
  pantalla->usuario->setText("0");
  ui::PuertaModal::Espera("TFormaCapturaRapida", [numero](QDialog& d) {
    auto& p = static_cast<TFormaCapturaRapida&>(d);
    if (!p.TablaFacturae->FindKey({numero})) return;
    p.MuestraDocumento();
    ui::PuertaModal::Espera("TFormaHotReporte", [](QDialog& v) {
      prueba::AvisaPadre("LISTO");
      prueba::EsperaPadre();
      Genera(static_cast<TFormaHotReporte&>(v));
    });
    p.MainMenu1->findChild<QAction*>("AgregarDocumento1")->trigger();
    prueba::AvisaPadre(ui::PuertaModal::Mensajes().join("|"));
  });
  pantalla->ShowModal();
  return 0;
}

TEST_F(Multiple, DosEstacionesGeneranALaVezConNumerosSeguidos) {
  prueba::ProcesoHijo una("FacturaMultiple", {"10"});
  prueba::ProcesoHijo otra("FacturaMultiple", {"11"});
  ASSERT_EQ(una.EsperaLinea(), "LISTO");
  ASSERT_EQ(otra.EsperaLinea(), "LISTO");
  una.Envia("");
  otra.Envia("");
  const QString dichoUna = una.EsperaLinea();
  const QString dichoOtra = otra.EsperaLinea();
  ASSERT_EQ(una.Espera(), 0);
  ASSERT_EQ(otra.Espera(), 0);
  const QList<QStringList> facturas = Filas("FacturaE.dbf", {"CLDOC_F", "CLPED_F"}, "INUMENC").mid(2);
  ASSERT_EQ(facturas.size(), 2);
  EXPECT_EQ(facturas[0][0], "31");
  EXPECT_EQ(facturas[1][0], "32");
  // Each station told its own number, and each remission names its invoice.
  for (const QStringList& f : facturas) {
    const QString& remision = f[1];
    EXPECT_EQ((remision == "10" ? dichoUna : dichoOtra), "Generar el Documento...|Se Genero el Documento " + f[0]);
    EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F", "CLPED_F"}, "INUMENC").value(remision.toInt() - 10),
              (QStringList{remision, f[0]}));
    EXPECT_EQ(Filas("FacturaD.dbf", {"CLDOC_FD", "DEPRO_FD"}).contains(
                  QStringList{f[0], remision == "10" ? "ARROZ|FINO" : "FRIJOL"}),
              true);
  }
}

}  // namespace
