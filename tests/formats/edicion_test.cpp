// The format editor: opening, typing, the field lists, the printer line,
// saving, printing and the page layouts.

#include "formats/Impresoras.h"
#include "formats/catfor.h"
#include "formats/edicion.h"
#include "foundation/ArchivosPrograma.h"
#include "foundation/advierte.h"
#include "foundation/ayudaMod.h"
#include "foundation/rutinas.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/print/Impresora.h"
#include "platform/print/Impresoras.h"
#include "platform/print/Registro.h"
#include "platform/ui/DialogoArchivo.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/Componentes.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include <functional>

namespace {

const QString kFormato = QStringLiteral("C:\\VRL\\consulta\\ticket.fmt");

class EdicionTest : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    InstalaArchivosPrograma();
    print::FijaImpresorasPrueba({{"laser", "Laser de Oficina", print::TipoImpresora::Registro, QString(), 600},
                                 {"tickets", "Tickets", print::TipoImpresora::Registro, QString(), 203}},
                                0);
    print::Impresora::Global().Restablece();
    print::BorraOperacionesGrabadas();
  }
  void TearDown() override {
    print::RefrescaImpresoras();
    print::Impresora::Global().Restablece();
    RaizPrueba::TearDown();
  }

  // Runs the editor modally with the script; the editor opens `archivo`
  // through its open dialog first when one is given.
  static void EnEditor(const QString& archivo, const std::function<void(TFormaEdicion&)>& guion) {
    TFormaEdicion editor(ModoEdicion::Editor);
    ui::PuertaModal::Espera("TFormaEdicion", [&](QDialog&) {
      if (!archivo.isEmpty()) {
        ui::PuertaModal::Espera("AbreFormato", [&](QDialog& d) { prueba::EligeArchivo(d, archivo); });
        prueba::Pulsa(editor, "BotonAbrir");
      }
      guion(editor);
    });
    editor.ShowModal();
  }

  // Puts the caret at the end of line n (from 0).
  static void CursorAlFinal(TFormaEdicion& editor, int n) {
    QTextCursor cursor(editor.Codigo->document()->findBlockByNumber(n));
    cursor.movePosition(QTextCursor::EndOfBlock);
    editor.Codigo->setTextCursor(cursor);
  }
};

// Answers the save dialog with a file, and the overwrite question when one is given.
void GuardaComo(const QString& ruta, std::optional<bool> reemplaza) {
  ui::PuertaModal::Espera("Guardaformato", [ruta](QDialog& d) { prueba::EligeArchivo(d, ruta); });
  if (!reemplaza) return;
  ui::PuertaModal::Espera("TFormaAdvertencia", [si = *reemplaza](QDialog& d) {
    EXPECT_EQ(prueba::Texto(d, "Label1"), "El archivo ya existe desea sobreescribirlo ?");
    prueba::Pulsa(d, si ? "BitBtn1" : "BitBtn2");
  });
}

}  // namespace

TEST_F(EdicionTest, LoEscritoSigueTrasAbrirElSelectorDeCampos) {
  EscribeLineas(kFormato, {"impresora,laser", "@10,2,nombr_f"});
  EnEditor(kFormato, [&](TFormaEdicion& editor) {
    EXPECT_EQ(editor.Codigo->toPlainText(), "impresora,laser\n@10,2,nombr_f");
    CursorAlFinal(editor, 1);
    prueba::Tecla(editor, "Codigo", Qt::Key_Return);
    prueba::Teclea(editor, "Codigo", "@10,3,total_f");
    ui::PuertaModal::Espera("TFormaCampos", [](QDialog& d) {
      auto& picker = static_cast<TFormaCampos&>(d);
      picker.Bases->setCurrentText("Inventarios");
      picker.Campos->setCurrentRow(1);
      prueba::Tecla(d, "Campos", Qt::Key_Escape);
    });
    prueba::Pulsa(editor, "BotonCampos");
    // The window becomes active again, as when the picker's window closes.
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(&editor);
    editor.DisparaActivacion();
    EXPECT_EQ(editor.Codigo->toPlainText(), "impresora,laser\n@10,2,nombr_f\n@10,3,total_f");
    EXPECT_EQ(editor.UltimoCampo, "DSCPR_I  [001]  Descripción del Producto");
    EXPECT_EQ(editor.UltimaTabla, "Inventarios");
  });
  // Nothing was written.
  EXPECT_EQ(fs::LeeLineas(kFormato), QStringList({"impresora,laser", "@10,2,nombr_f"}));
}

TEST_F(EdicionTest, GuardarSobreUnArchivoPregunta) {
  EscribeLineas(kFormato, {"viejo"});
  const QString nuevo = QStringLiteral("C:\\VRL\\consulta\\nuevo.fmt");
  EnEditor(kFormato, [&](TFormaEdicion& editor) {
    editor.Codigo->setPlainText("@c,1,Nota de venta\n@10,2,nombr_f\ntexto(10,3,Gracias)");
    GuardaComo(kFormato, false);
    prueba::Pulsa(editor, "BotonGuardar");
    EXPECT_EQ(fs::LeeBytes(kFormato), "viejo\r\n");

    GuardaComo(kFormato, true);
    editor.Guardar1->trigger();
    EXPECT_EQ(fs::LeeBytes(kFormato), "@c,1,Nota de venta\r\n@10,2,nombr_f\r\ntexto(10,3,Gracias)\r\n");

    // A new file is written without a question; a cancelled dialog writes nothing.
    GuardaComo(nuevo, std::nullopt);
    editor.GuardarComo1->trigger();
    EXPECT_EQ(fs::LeeLineas(nuevo), QStringList({"@c,1,Nota de venta", "@10,2,nombr_f", "texto(10,3,Gracias)"}));
    editor.Codigo->clear();
    ui::PuertaModal::Espera("Guardaformato", [](QDialog& d) { d.reject(); });
    prueba::Pulsa(editor, "BotonGuardar");
    EXPECT_EQ(fs::LeeLineas(nuevo).size(), 3);
  });
}

TEST_F(EdicionTest, ListaDeImpresorasAgregaLaLineaDeImpresora) {
  EscribeLineas(kFormato, {"impresora,tickets", "@1,1,Hola"});
  EnEditor(kFormato, [&](TFormaEdicion& editor) {
    ui::PuertaModal::Espera("TFormaImpresoras", [](QDialog& d) {
      auto& picker = static_cast<TFormaImpresoras&>(d);
      EXPECT_EQ(picker.windowTitle(), "Impresoras");
      QStringList nombres;
      for (int i = 0; i < picker.ListBox1->count(); ++i) nombres << picker.ListBox1->item(i)->text();
      EXPECT_EQ(nombres, QStringList({"laser", "tickets"}));
      picker.ListBox1->setCurrentRow(0);
      prueba::Pulsa(d, "BitBtn1");
    });
    editor.ListadeImpresoras1->trigger();
    // Above the first line, even when that is a printer line already.
    EXPECT_EQ(editor.Codigo->toPlainText(), "impresora,laser\nimpresora,tickets\n@1,1,Hola");

    // Closed without choosing: nothing.
    ui::PuertaModal::Espera("TFormaImpresoras", [](QDialog& d) { static_cast<ui::Forma&>(d).Close(); });
    editor.ListadeImpresoras1->trigger();
    EXPECT_EQ(editor.Codigo->document()->blockCount(), 3);
  });
}

TEST_F(EdicionTest, F2MuestraLaListaYEnterAgregaLaReferencia) {
  EscribeLineas(kFormato, {"@10,2,", "@10,3,"});
  EnEditor(kFormato, [&](TFormaEdicion& editor) {
    // Before the picker names a table: the customers' list.
    CursorAlFinal(editor, 0);
    prueba::Tecla(editor, "Codigo", Qt::Key_F2);
    ASSERT_TRUE(editor.Campos->isVisible());
    EXPECT_EQ(editor.Campos->item(1)->text(), "[001]  NOMBR_C  Nombre del Cliente");
    editor.Campos->setCurrentRow(1);
    prueba::Tecla(editor, "Campos", Qt::Key_Return);
    EXPECT_FALSE(editor.Campos->isVisible());
    EXPECT_EQ(editor.Codigo->document()->findBlockByNumber(0).text(), "@10,2,[001]");

    // The table chosen in the picker gives the list; one without a list keeps it.
    ui::PuertaModal::Espera("TFormaCampos", [](QDialog& d) {
      static_cast<TFormaCampos&>(d).Bases->setCurrentText("Facturas");
      static_cast<ui::Forma&>(d).Close();
    });
    prueba::Pulsa(editor, "BotonCampos");
    CursorAlFinal(editor, 1);
    prueba::Tecla(editor, "Codigo", Qt::Key_F2);
    EXPECT_EQ(editor.Campos->item(3)->text(), "[003]  NOMBR_F  Nombre del Cliente");
    prueba::DobleClic(editor.Campos->viewport(), editor.Campos->visualItemRect(editor.Campos->item(3)).center());
    EXPECT_EQ(editor.Codigo->document()->findBlockByNumber(1).text(), "@10,3,[003]");

    ui::PuertaModal::Espera("TFormaCampos", [](QDialog& d) {
      static_cast<TFormaCampos&>(d).Bases->setCurrentText("Facturas Partidas");
      static_cast<ui::Forma&>(d).Close();
    });
    prueba::Pulsa(editor, "BotonCampos");
    prueba::Tecla(editor, "Codigo", Qt::Key_F2);
    EXPECT_EQ(editor.Campos->item(3)->text(), "[003]  NOMBR_F  Nombre del Cliente");

    // The right button shows and hides the list, the left one hides it.
    editor.Campos->hide();
    QWidget* hoja = editor.Codigo->viewport();
    QTest::mouseClick(hoja, Qt::RightButton);
    EXPECT_TRUE(editor.Campos->isVisible());
    QTest::mouseClick(hoja, Qt::RightButton);
    EXPECT_FALSE(editor.Campos->isVisible());
    QTest::mouseClick(hoja, Qt::RightButton);
    QTest::mouseClick(hoja, Qt::LeftButton);
    EXPECT_FALSE(editor.Campos->isVisible());

    // With the caret at the very start nothing is appended.
    editor.Codigo->moveCursor(QTextCursor::Start);
    prueba::Tecla(editor, "Codigo", Qt::Key_F2);
    prueba::Tecla(editor, "Campos", Qt::Key_Return);
    EXPECT_EQ(editor.Codigo->toPlainText(), "@10,2,[001]\n@10,3,[003]");
  });
}

TEST_F(EdicionTest, LineaYPosicionDelCursor) {
  EnEditor(QString(), [&](TFormaEdicion& editor) {
    editor.Codigo->setPlainText("abc\nde\n\nfghij");
    struct Caso {
      int posicion;  // in the editor, a line break counting as one
      const char* lineas;
      const char* posicionMostrada;  // a line break counting as two
    };
    const Caso casos[] = {
        {0, "0", "0"},  {1, "1", "1"},  {3, "1", "3"},
        {4, "1", "5"},  // first character of line 2: counts as the line before
        {5, "2", "6"},  {7, "2", "9"},  {8, "3", "11"}, {13, "4", "16"},
    };
    for (const Caso& c : casos) {
      QTextCursor cursor(editor.Codigo->document());
      cursor.setPosition(c.posicion);
      editor.Codigo->setTextCursor(cursor);
      EXPECT_EQ(prueba::Texto(editor, "lineas"), c.lineas) << c.posicion;
      EXPECT_EQ(prueba::Texto(editor, "Posicion"), c.posicionMostrada) << c.posicion;
    }
  });
}

TEST_F(EdicionTest, NuevoImprimirYAyuda) {
  EscribeLineas(kFormato, {"@10,2,nombr_f", "@10,3,total_f"});
  EnEditor(kFormato, [&](TFormaEdicion& editor) {
    editor.Imprimir1->trigger();
    const auto operaciones = print::OperacionesGrabadas();
    ASSERT_FALSE(operaciones.empty());
    EXPECT_EQ(operaciones.front().tipo, print::Operacion::Tipo::Comienza);
    EXPECT_EQ(operaciones.front().texto, "Codigo " + kFormato);
    EXPECT_EQ(operaciones.back().tipo, print::Operacion::Tipo::Termina);

    ui::PuertaModal::Espera("TFormaAyudaLinea", [](QDialog& d) {
      EXPECT_TRUE(static_cast<TFormaAyudaLinea&>(d).Texto->toPlainText().contains("Editor de formatos"));
      static_cast<ui::Forma&>(d).Close();
    });
    editor.Temas1->trigger();

    prueba::Pulsa(editor, "BotonNuevo");
    EXPECT_TRUE(editor.Codigo->toPlainText().isEmpty());
  });
}

TEST_F(EdicionTest, SinArchivoElegidoElEditorEmpiezaVacioEnConsulta) {
  EscribeLineas(QStringLiteral("C:\\VRL\\consulta\\ticket.fmt"), {"@1,1,x"});
  ui::PuertaModal::Espera("TFormaEdicion", [](QDialog& d) {
    auto& editor = static_cast<TFormaEdicion&>(d);
    EXPECT_TRUE(editor.Codigo->toPlainText().isEmpty());
    EXPECT_TRUE(editor.PanelEdicion->isVisible());
    EXPECT_FALSE(editor.PanelPresentacion->isVisible());
    EXPECT_EQ(editor.Distribucion(), 3);
    EXPECT_EQ(editor.marco->geometry(), QRect(367, 20, 193, 315));
    EXPECT_EQ(editor.VistaPreliminar->geometry(), QRect(377, 30, 173, 295));
    ui::PuertaModal::Espera("AbreFormato", [](QDialog& a) {
      EXPECT_EQ(fs::FormaWindows(static_cast<QFileDialog&>(a).directory().absolutePath()),
                fs::FormaWindows(fs::Local("C:\\VRL\\consulta")));
      a.reject();
    });
    prueba::Pulsa(d, "BotonAbrir");
    editor.Close();
  });
  MuestraEditorFormatos();
  EXPECT_EQ(FormaEdicion(), nullptr);
}

TEST_F(EdicionTest, AumentarEditor) {
  EnEditor(QString(), [&](TFormaEdicion& editor) {
    editor.AumentarEditor1->trigger();
    EXPECT_EQ(editor.panelCodigo->width(), 603);
    EXPECT_EQ(editor.Codigo->width(), 596);
    EXPECT_EQ(editor.Codigo->font().pointSize(), 14);
    editor.AumentarEditor1->trigger();
    EXPECT_EQ(editor.panelCodigo->width(), 360);
    EXPECT_EQ(editor.Codigo->width(), 353);
    EXPECT_EQ(editor.Codigo->font().family(), "Arial");
    EXPECT_EQ(editor.Codigo->font().pointSize(), 10);
  });
}
