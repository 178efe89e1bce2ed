// The layout assistant of the format editor: boxes placed on the page grid
// with the mouse, moved, filled from the field picker and saved as "@" lines.

#include "formats/catfor.h"
#include "formats/edicion.h"
#include "foundation/ArchivosPrograma.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/DialogoArchivo.h"
#include "platform/ui/PuertaModal.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <functional>

namespace {

const QString kNuevo = QStringLiteral("C:\\VRL\\consulta\\nuevo.fmt");

class AsistenteTest : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    InstalaArchivosPrograma();
  }

  // The editor 900 pixels wide: in the assistant its page is 800 pixels
  // wide (a column of 10 pixels) and 1046 high (a line of 19.02).
  static void EnAsistente(const std::function<void(TFormaEdicion&)>& guion) {
    TFormaEdicion editor(ModoEdicion::Editor);
    editor.resize(900, 640);
    ui::PuertaModal::Espera("TFormaEdicion", [&](QDialog&) {
      prueba::Pulsa(editor, "Asistente");
      ASSERT_EQ(editor.VistaPreliminar->width(), 800);
      ASSERT_EQ(editor.VistaPreliminar->height(), 1046);
      guion(editor);
    });
    editor.ShowModal();
  }

  static void Clic(TFormaEdicion& editor, QPoint punto) {
    QTest::mouseClick(editor.VistaPreliminar, Qt::LeftButton, {}, punto);
  }

  // Drags the widget by `desplazamiento` with the left button.
  static void Arrastra(QWidget* w, QPoint desplazamiento) {
    const QPoint desde(5, 5);
    const QPoint hasta = desde + desplazamiento;
    QTest::mousePress(w, Qt::LeftButton, {}, desde);
    QMouseEvent mueve(QEvent::MouseMove, QPointF(hasta), w->mapToGlobal(QPointF(hasta)), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &mueve);
    QTest::mouseRelease(w, Qt::LeftButton, {}, hasta);
  }

  static QString Pista(QLineEdit* caja) {
    QMouseEvent mueve(QEvent::MouseMove, QPointF(3, 3), caja->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(caja, &mueve);
    return caja->toolTip();
  }

  // The window becomes active again, as when a dialog it opened closes.
  static void Reactiva(TFormaEdicion& editor) {
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(&editor);
    editor.DisparaActivacion();
  }

  static void Guarda(TFormaEdicion& editor, const QString& ruta) {
    ui::PuertaModal::Espera("Guardaformato", [ruta](QDialog& d) { prueba::EligeArchivo(d, ruta); });
    prueba::Pulsa(editor, "BotonGuardar");
  }
};

}  // namespace

TEST_F(AsistenteTest, CajasColocadasSeGuardanComoLineas) {
  EscribeBytes("C:\\VRL\\tempo\\format.tmp", QByteArray(284, '\0'));
  EnAsistente([&](TFormaEdicion& editor) {
    // An empty page of the enlarged layout, the editing toolbar and the tools.
    EXPECT_FALSE(fs::ExisteArchivo("C:\\VRL\\tempo\\format.tmp"));
    EXPECT_EQ(ui::Tag(editor.Hoja), 0);
    EXPECT_EQ(ui::Tag(editor.Asistente), 1);
    EXPECT_TRUE(editor.PanelEdicion->isVisible());
    EXPECT_FALSE(editor.PanelPresentacion->isVisible());
    EXPECT_TRUE(editor.Herramientas->isVisible());
    EXPECT_FALSE(editor.panelCodigo->isVisible());
    editor.Codigo->setPlainText("texto(1,1,no se guarda)");

    // No tool yet: a click places nothing.
    Clic(editor, QPoint(50, 50));
    EXPECT_TRUE(editor.CajasCampo().empty());

    // A field box 10 columns right and 5 lines below the page's corner.
    prueba::Pulsa(editor, "CajaCampo");
    EXPECT_FALSE(editor.CajaCampo->isEnabled());
    Clic(editor, QPoint(100, 95));
    ASSERT_EQ(editor.CajasCampo().size(), 1u);
    QLineEdit* campo = editor.CajasCampo()[0];
    EXPECT_EQ(campo->objectName(), "Campo1");
    EXPECT_EQ(campo->text(), "Campo1");
    EXPECT_EQ(campo->pos(), editor.VistaPreliminar->pos() + QPoint(100, 95));
    EXPECT_EQ(Pista(campo), "Posición 10.00 , 5.00");
    prueba::Tecla(editor, "Campo1", Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(campo->toolTip(), "Posición 10.10 , 5.00");
    prueba::Tecla(editor, "Campo1", Qt::Key_Down, Qt::ControlModifier);
    prueba::Tecla(editor, "Campo1", Qt::Key_Left, Qt::ControlModifier);
    prueba::Tecla(editor, "Campo1", Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(campo->toolTip(), "Posición 10.00 , 5.00");

    // Filled from the field picker of the table chosen in the tool panel.
    ui::PuertaModal::Espera("TFormaCampos", [](QDialog& d) {
      auto& picker = static_cast<TFormaCampos&>(d);
      EXPECT_EQ(picker.Bases->currentText(), "Clientes");
      const auto filas = picker.Campos->findItems("NOMBR_C ", Qt::MatchStartsWith);
      ASSERT_EQ(filas.size(), 1);
      picker.Campos->setCurrentItem(filas[0]);
      prueba::Tecla(d, "Campos", Qt::Key_Escape);
    });
    prueba::DobleClic(campo);
    Reactiva(editor);
    EXPECT_TRUE(campo->text().startsWith("NOMBR_C  [001]")) << campo->text().toStdString();
    EXPECT_EQ(campo->width(), campo->fontMetrics().horizontalAdvance(campo->text()) + 25);
    EXPECT_EQ(editor.UltimoCampo, campo->text());
    // The assistant keeps its toolbar and tools after the picker.
    EXPECT_TRUE(editor.PanelEdicion->isVisible());
    EXPECT_FALSE(editor.PanelPresentacion->isVisible());
    EXPECT_TRUE(editor.Herramientas->isVisible());

    // A second field box dragged left of the page saves a negative column.
    Clic(editor, QPoint(50, 191));
    ASSERT_EQ(editor.CajasCampo().size(), 2u);
    Arrastra(editor.CajasCampo()[1], QPoint(-70, 0));
    EXPECT_EQ(editor.CajasCampo()[1]->toolTip(), "Posición -2.00 , 10.04");

    // A label box of several words, and a frame.
    prueba::Pulsa(editor, "CajaTexto");
    EXPECT_TRUE(editor.CajaCampo->isEnabled());
    EXPECT_FALSE(editor.CajaTexto->isEnabled());
    Clic(editor, QPoint(200, 20));
    ASSERT_EQ(editor.CajasEtiqueta().size(), 1u);
    EXPECT_EQ(editor.CajasEtiqueta()[0]->text(), "Etiqueta1");
    prueba::Tecla(editor, "Etiqueta1", Qt::Key_A, Qt::ControlModifier);
    prueba::Teclea(editor, "Etiqueta1", "Gracias por su compra");
    prueba::Pulsa(editor, "SpeedButton4");
    EXPECT_TRUE(editor.CajaCampo->isEnabled());
    EXPECT_TRUE(editor.CajaTexto->isEnabled());
    EXPECT_FALSE(editor.SpeedButton4->isEnabled());
    Clic(editor, QPoint(90, 80));
    EXPECT_EQ(editor.Cuadros(), 1);
    EXPECT_NE(editor.findChild<QWidget*>("Cuadro1"), nullptr);
    // A click inside the frame reaches the page.
    prueba::Pulsa(editor, "CajaCampo");
    EXPECT_TRUE(editor.SpeedButton4->isEnabled());
    QWidget* cuadro = editor.findChild<QWidget*>("Cuadro1");
    QTest::mouseClick(editor.VistaPreliminar, Qt::LeftButton, {}, QPoint(150, 250));
    ASSERT_EQ(editor.CajasCampo().size(), 3u);
    EXPECT_TRUE(cuadro->geometry().contains(editor.CajasCampo()[2]->pos()));
    editor.CajasCampo()[2]->hide();  // a box not shown is not saved

    // Fields first, then labels; frames never; the editor text is not written.
    Guarda(editor, kNuevo);
    EXPECT_EQ(fs::LeeLineas(kNuevo),
              QStringList({"@10.00,5.00,NOMBR_C", "@-2.00,10.04,Campo2", "@20.00,1.05,Gracias por su compra"}));
    // The assistant has ended; the boxes stay on the page.
    EXPECT_EQ(ui::Tag(editor.Asistente), 0);
    EXPECT_FALSE(editor.Herramientas->isVisible());
    EXPECT_TRUE(editor.CajasCampo()[0]->isVisible());
    Clic(editor, QPoint(300, 300));
    EXPECT_EQ(editor.CajasCampo().size(), 3u);
    EXPECT_TRUE(Mensajes().isEmpty());
    editor.Close();
  });
}

// At most 100 field boxes and 100 label boxes in a run, and 25 frames in the
// life of the window: one more is refused with a message.
TEST_F(AsistenteTest, LimitesDeCajasYCuadros) {
  EnAsistente([&](TFormaEdicion& editor) {
    struct Caso {
      const char* herramienta;
      size_t limite;
      std::function<size_t()> cuenta;
      const char* mensaje;
    };
    const Caso casos[] = {
        {"CajaCampo", 100, [&] { return editor.CajasCampo().size(); },
         "No se pueden colocar más de 100 campos en el formato"},
        {"CajaTexto", 100, [&] { return editor.CajasEtiqueta().size(); },
         "No se pueden colocar más de 100 etiquetas en el formato"},
        {"SpeedButton4", 25, [&] { return static_cast<size_t>(editor.Cuadros()); },
         "No se pueden colocar más de 25 cuadros"},
    };
    for (const Caso& c : casos) {
      SCOPED_TRACE(c.herramienta);
      ui::PuertaModal::LimpiaMensajes();
      prueba::Pulsa(editor, c.herramienta);
      for (size_t i = 0; i < c.limite; ++i) Clic(editor, QPoint(static_cast<int>(i % 60) * 10, 20));
      EXPECT_EQ(c.cuenta(), c.limite);
      EXPECT_TRUE(Mensajes().isEmpty());
      Clic(editor, QPoint(700, 700));
      EXPECT_EQ(c.cuenta(), c.limite);
      EXPECT_EQ(Mensajes(), QStringList({c.mensaje}));
    }
    EXPECT_EQ(editor.findChild<QLineEdit*>("Campo101"), nullptr);
    EXPECT_EQ(editor.CajasCampo().back()->objectName(), "Campo100");

    // The picker closed without a choice, at the first use, empties the box.
    ui::PuertaModal::Espera("TFormaCampos", [](QDialog& d) { prueba::Tecla(d, "Campos", Qt::Key_Escape); });
    prueba::DobleClic(editor.CajasCampo()[0]);
    EXPECT_EQ(editor.CajasCampo()[0]->text(), "");

    // A new run starts numbering on an empty page; the frames stay counted.
    ui::PuertaModal::LimpiaMensajes();
    prueba::Pulsa(editor, "Asistente");
    EXPECT_TRUE(editor.CajasCampo().empty());
    EXPECT_EQ(editor.findChild<QLineEdit*>("Campo1"), nullptr);
    prueba::Pulsa(editor, "CajaCampo");
    Clic(editor, QPoint(10, 10));
    EXPECT_EQ(editor.CajasCampo()[0]->objectName(), "Campo1");
    prueba::Pulsa(editor, "SpeedButton4");
    Clic(editor, QPoint(10, 10));
    EXPECT_EQ(Mensajes(), QStringList({"No se pueden colocar más de 25 cuadros"}));
    editor.Close();
  });
}

// The dot grid: a dot at every column 1 to 80 and line 1 to 53 of the page.
TEST_F(AsistenteTest, RejillaDePuntos) {
  EnAsistente([&](TFormaEdicion& editor) {
    prueba::Pulsa(editor, "SpeedButton6");
    ASSERT_TRUE(editor.HayBoceto());
    const std::vector<TrazoPagina>& puntos = editor.Boceto();
    ASSERT_EQ(puntos.size(), 80u * 53u);
    EXPECT_EQ(puntos.front().tipo, TrazoPagina::Tipo::Elipse);
    EXPECT_EQ(puntos.front().rect, QRect(10, 19, 2, 2));
    EXPECT_EQ(puntos.back().rect, QRect(800, 1007, 2, 2));  // TRUNC(1046 / 55 × 53)
    prueba::Pulsa(editor, "SpeedButton6");
    EXPECT_EQ(editor.Boceto().size(), 80u * 53u);
    editor.Close();
  });
}
