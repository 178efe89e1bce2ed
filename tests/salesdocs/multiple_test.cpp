// Generar > "Agregar Documento" of the sale screen and the multiple-document
// window "Multiple", driven as a user would.

#include "platform/db/Tabla.h"
#include "platform/fs/Texto.h"
#include "platform/ui/PuertaModal.h"
#include "pos/venta_prueba.h"
#include "salesdocs/ComandosBusqueda.h"
#include "salesdocs/HotReporte.h"

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
    remision(10, 500, {{"IMTOD_F", "29"}});
    remision(11, 600, {{"IMTOD_F", "100"}});
    remision(12, 700, {{"DESFI_F", "5"}});
    remision(13, 800, {{"CLPED_F", "25"}});
    const auto linea = [](int n, int control, const char* descripcion, const char* precio, const char* importe) {
      AgregaFila("RemisioD.dbf", {{"CLDOC_FD", QString::number(n)},
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

}  // namespace
