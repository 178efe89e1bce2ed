#include "foundation/ayudaMod.h"
#include "foundation/buscar.h"
#include "platform/Error.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/print/Impresora.h"
#include "platform/print/Impresoras.h"
#include "platform/print/Registro.h"
#include "platform/ui/PuertaModal.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QTextEdit>

using AyudaTest = RaizPrueba;

namespace {

const QString kTema = QStringLiteral(
    "<html><head><meta charset=\"utf-8\"></head><body>"
    "<h1>Movimientos</h1>"
    "<p>Para guardar un documento pulse <b>Guardar</b>.</p>"
    "<p>Al GUARDAR se mueven las existencias.</p>"
    "<p>Después de guardar puede imprimir.</p>"
    "</body></html>");

}  // namespace

TEST_F(AyudaTest, BuscarYF3SeleccionanCoincidenciasSucesivas) {
  EscribeBytes("c:\\VRL\\ayuda\\movinv.html", kTema.toUtf8());
  TFormaAyudaLinea visor;
  ui::PuertaModal::Espera("TFormaAyudaLinea", [&](QDialog&) {
    const QString texto = visor.Texto->toPlainText();
    ASSERT_TRUE(texto.startsWith("Movimientos\nPara guardar un documento pulse Guardar."));
    QList<int> esperadas;
    for (int p = texto.indexOf("guardar", 0, Qt::CaseInsensitive); p >= 0;
         p = texto.indexOf("guardar", p + 1, Qt::CaseInsensitive))
      esperadas << p;
    ASSERT_EQ(esperadas.size(), 4);

    ui::PuertaModal::Espera("TFormaBusqueda", [](QDialog& d) {
      prueba::Teclea(d, "CajaBuscar", "guardar");
      prueba::Tecla(d, "CajaBuscar", Qt::Key_Return);
    });
    visor.Buscar1->trigger();
    EXPECT_EQ(visor.Posicion, esperadas[0]);
    EXPECT_EQ(visor.focusWidget(), visor.Texto);
    EXPECT_EQ(visor.Texto->textCursor().selectedText(), "guardar");

    QStringList mensajes;
    const QString seleccion[] = {"Guardar", "GUARDAR", "guardar"};
    for (int i = 1; i < 4; ++i) {
      mensajes << QString("posicion %1 guardar").arg(visor.Posicion);
      prueba::Tecla(visor, "Texto", Qt::Key_F3);
      EXPECT_EQ(visor.Posicion, esperadas[i]);
      EXPECT_EQ(visor.Texto->textCursor().selectionStart(), esperadas[i]);
      EXPECT_EQ(visor.Texto->textCursor().selectedText(), seleccion[i - 1]);
    }
    // Past the last match: -1 and the selection stays.
    mensajes << QString("posicion %1 guardar").arg(visor.Posicion);
    prueba::Tecla(visor, "Texto", Qt::Key_F3);
    EXPECT_EQ(visor.Posicion, -1);
    EXPECT_EQ(visor.Texto->textCursor().selectionStart(), esperadas[3]);
    // Then again from the length of the text minus 1.
    mensajes << "posicion -1 guardar";
    prueba::Tecla(visor, "Texto", Qt::Key_F3);
    EXPECT_EQ(visor.Posicion, esperadas[0]);
    EXPECT_EQ(Mensajes(), mensajes);

    // A text that does not occur leaves the selection.
    ui::PuertaModal::Espera("TFormaBusqueda", [](QDialog& d) {
      prueba::Teclea(d, "CajaBuscar", "factura");
      prueba::Tecla(d, "CajaBuscar", Qt::Key_Return);
    });
    visor.Buscar1->trigger();
    EXPECT_EQ(visor.Posicion, -1);
    EXPECT_EQ(visor.Texto->textCursor().selectionStart(), esperadas[0]);

    prueba::Tecla(visor, "Texto", Qt::Key_Escape);
    EXPECT_FALSE(visor.isVisible());
  });
  // Callers name the old topic file; its HTML form is shown.
  MuestraAyuda("C:\\VRL\\ayuda\\movinv.rtf");
}

TEST_F(AyudaTest, TemasQueSeMuestran) {
  EscribeBytes("c:\\VRL\\ayuda\\notas.txt", "Linea uno\r\nAcci\xF3n dos\r\n");
  EscribeBytes("c:\\VRL\\ayuda\\solo.htm", "<p>Tema <i>corto</i></p>");
  struct Caso { const char* nombre; QString ruta; QString texto; };
  const Caso casos[] = {
      {"falta el archivo", "C:\\VRL\\ayuda\\clientes.rtf", ""},
      {"texto simple", "C:\\VRL\\ayuda\\notas.txt", "Linea uno\nAcción dos\n"},
      {"forma .htm", "C:\\VRL\\ayuda\\solo.rtf", "Tema corto"},
  };
  for (const Caso& c : casos) {
    QString mostrado = "sin mostrar";
    ui::PuertaModal::Espera("TFormaAyudaLinea", [&](QDialog& d) {
      mostrado = static_cast<TFormaAyudaLinea&>(d).Texto->toPlainText();
      static_cast<TFormaAyudaLinea&>(d).Salir1->trigger();
      EXPECT_FALSE(d.isVisible());
    });
    TFormaAyudaLinea visor;
    MuestraAyuda(c.ruta);
    EXPECT_EQ(mostrado, c.texto) << c.nombre;
  }
}

TEST_F(AyudaTest, ImprimirTema) {
  print::FijaImpresorasPrueba({{"Registro", "", print::TipoImpresora::Registro, QString(), 300}}, 0);
  print::Impresora::Global().Restablece();
  print::BorraOperacionesGrabadas();
  QString largo;
  for (int i = 0; i < 150; ++i) largo += QString("<p>Renglón %1 del tema</p>").arg(i);
  TFormaAyudaLinea visor;
  visor.Texto->setHtml(largo);
  visor.ImprimirTema1->trigger();

  QStringList tipos;
  QString titulo = "ninguno";
  for (const print::Operacion& o : print::OperacionesGrabadas()) {
    using T = print::Operacion::Tipo;
    if (o.tipo == T::Comienza) titulo = o.texto;
    if (o.tipo == T::Imagen) {
      EXPECT_EQ(o.rect, QRect(150, 150, 2550 - 300, 3300 - 300));
    }
    tipos << (o.tipo == T::Comienza ? "C" : o.tipo == T::Pagina ? "P" : o.tipo == T::Imagen ? "I" : o.tipo == T::Termina ? "T" : "?");
  }
  EXPECT_EQ(titulo, "");
  // 150 paragraphs take more than one letter page.
  EXPECT_TRUE(tipos.join("").startsWith("CIPI")) << tipos.join("").toStdString();
  EXPECT_TRUE(tipos.join("").endsWith("IT")) << tipos.join("").toStdString();
  print::Impresora::Global().Restablece();
  print::RefrescaImpresoras();
}

TEST_F(AyudaTest, IndiceDeAyuda) {
  QMenuBar menu;
  menu.addMenu("&Archivo")->addAction("Salir");
  QMenu* registro = menu.addMenu("&Registro");
  registro->addAction("Nuevo");
  registro->addSeparator();
  registro->addAction("Guardar");
  menu.addMenu("Ay&uda")->addAction("Temas...");

  // Without the "ayuda" folder the error reaches the caller.
  EXPECT_THROW(EscribeIndiceAyuda(menu, "FormaInventario"), plat::Error);

  fs::CreaCarpeta("c:\\VRL\\ayuda");
  EscribeIndiceAyuda(menu, "FormaInventario");
  EscribeIndiceAyuda(menu, "FormaMovimientos");
  const QString estrellas(29, u'*');
  const QStringList bloque{"&Registro", "Nuevo", "-", "Guardar", estrellas, "Ay&uda", "Temas...", estrellas};
  EXPECT_EQ(fs::LeeLineas("c:\\VRL\\ayuda\\ayudavrl.vrl"),
            QStringList{"FormaInventario"} + bloque + QStringList{"FormaMovimientos"} + bloque);
}
