// The editor's "Compilar": every line checked against the command
// signatures (rejected lines in red) and the format sketched on a layer over
// the small page.

#include "formats/DibujoPagina.h"
#include "formats/Interprete_estado.h"
#include "formats/edicion.h"
#include "formats/PaginaPrevia.h"
#include "platform/ui/PuertaModal.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"

#include <QAction>
#include <QBuffer>
#include <QTextBlock>
#include <QTextEdit>

#include <functional>

namespace {

class SintaxisTest : public RaizPrueba {
 protected:
  static void EnEditor(const std::function<void(TFormaEdicion&)>& guion) {
    TFormaEdicion editor(ModoEdicion::Editor);
    ui::PuertaModal::Espera("TFormaEdicion", [&](QDialog&) { guion(editor); });
    editor.ShowModal();
  }

  // Types the lines into the editor, as the user writes a format.
  static void Escribe(TFormaEdicion& editor, const QStringList& lineas) {
    editor.Codigo->clear();
    for (int i = 0; i < lineas.size(); ++i) {
      if (i > 0) prueba::Tecla(editor, "Codigo", Qt::Key_Return);
      if (!lineas[i].isEmpty()) prueba::Teclea(editor, "Codigo", lineas[i]);
    }
  }

  // The colour the text of line n is shown in (black for an empty line).
  static QColor ColorLinea(const TFormaEdicion& editor, int n) {
    const QTextBlock bloque = editor.Codigo->document()->findBlockByNumber(n);
    if (bloque.text().isEmpty()) return Qt::black;
    return bloque.begin().fragment().charFormat().foreground().color();
  }

  static std::vector<TrazoPagina> Textos(const TFormaEdicion& editor) {
    std::vector<TrazoPagina> r;
    for (const TrazoPagina& t : editor.Boceto())
      if (t.tipo == TrazoPagina::Tipo::Texto) r.push_back(t);
    return r;
  }
};

const QColor kRojo(255, 0, 0);

QByteArray Bmp(int lado) {
  QImage imagen(lado, lado, QImage::Format_RGB32);
  imagen.fill(Qt::blue);
  QByteArray bytes;
  QBuffer b(&bytes);
  b.open(QIODevice::WriteOnly);
  imagen.save(&b, "BMP");
  return bytes;
}

}  // namespace

// Each signature names a command the interpreter runs, by the same start.
TEST(FirmasComandos, CadaFirmaEsUnComandoDelInterprete) {
  ASSERT_EQ(FirmasComandos().size(), 15u);
  for (const FirmaComando& f : FirmasComandos()) {
    const QString inicio = f.comando.left(3).toString();
    SCOPED_TRACE(inicio.toStdString());
    ManejadorComando manejador = nullptr;
    for (const ComandoFormato& c : TablaComandos()) {
      if (c.prefijo == inicio) manejador = c.manejador;  // a later row of the same letters wins
    }
    EXPECT_NE(manejador, nullptr);
  }
}

TEST_F(SintaxisTest, LineasMarcadasEnRojo) {
  struct Caso {
    const char* linea;
    bool marcada;
  };
  const Caso casos[] = {
      {"@10,20,NOMBR_C", false},
      {"", false},  // empty: not checked
      {"@10,2,Hola, amigo", false},  // the value keeps its commas
      {"@ 10, 2 ,total_f", false},  // blanks of x and y are dropped
      {"@x,20,NOMBR_C", true},
      {"@10,20,", true},  // no value
      {"@10", true},
      {"color(rojo)", false},
      {"color(blanco)", false},
      {"colorear(azul)", false},  // the word is not judged, only its start
      {"color(rosa)", true},
      {"Color(rojo)", true},  // starts are compared as written
      {"traduce(10,5,total_f)", false},
      {"traduce(x,5,total_f)", true},
      {"cuadro(1,2,30,10,1,clRed,Total)", false},
      {"cuadro(1.5,2,30,10)", true},
      {"cuadro(1,2,30)", true},
      {"tamaño(12)", false},
      {"tipo(Courier New)", false},  // a font name
      {"tipo()", true},
      {"logo(1,2,30,10,c:\\logo.bmp)", false},
      {"dia(5,3,hoy)", false},
      {"mes(5.5,3,fecha_f)", false},
      {"año(5,3)", true},
      {"texto(10,2,Gracias)", false},
      {"texto(10,2,)", true},
      {"moneda(50,3,total_f,f,,2)", false},  // prefix, leading text and decimals are optional
      {"moneda(50,y,total_f)", true},
      {"estilo(negrita)", false},
      {"estilo(5)", true},
      {"separa(60)", false},
      {"separa(6.5)", true},
      {"formato(###,##0.00)", false},  // one argument, commas and all
      {"formato(###)(x)", true},       // nothing may follow the mask
      // Commands of the language outside the check's starts.
      {"si(total_f>1000)", true},
      {"variable1=5", true},
      {"saltar(3)", true},
      {"$", true},
      {"&", true},
      {"fondo(rojo)", true},
  };
  EnEditor([&](TFormaEdicion& editor) {
    QStringList lineas;
    for (const Caso& c : casos) lineas << c.linea;
    Escribe(editor, lineas);
    editor.Compilar1->trigger();
    for (int i = 0; i < static_cast<int>(std::size(casos)); ++i) {
      SCOPED_TRACE(casos[i].linea);
      EXPECT_EQ(ColorLinea(editor, i), casos[i].marcada ? kRojo : QColor(Qt::black));
    }
    // A corrected line turns black at the next check; the text is unchanged.
    QTextCursor cursor(editor.Codigo->document()->findBlockByNumber(4));
    cursor.movePosition(QTextCursor::NextCharacter);
    cursor.deleteChar();
    cursor.insertText("11");
    lineas[4] = "@11,20,NOMBR_C";
    prueba::Pulsa(editor, "BotonSintaxis");
    EXPECT_EQ(ColorLinea(editor, 4), QColor(Qt::black));
    EXPECT_EQ(ColorLinea(editor, 5), kRojo);
    EXPECT_EQ(editor.Codigo->toPlainText(), lineas.join(u'\n'));
    EXPECT_TRUE(Mensajes().isEmpty());
    editor.Close();
  });
}

TEST_F(SintaxisTest, BocetoDeLaPagina) {
  EscribeBytes("C:\\logo.bmp", Bmp(8));
  EnEditor([&](TFormaEdicion& editor) {
    const QSize pagina = editor.VistaPreliminar->size();
    ASSERT_EQ(pagina, QSize(173, 295));  // the editor's small page
    Escribe(editor, {"@10,20,NOMBR_C", "color(azul)", "tamaño(30)", "@1,2,Total: +total_f", "color(blanco)",
                     "@j5,3,no", "logo(1,2,30,10,c:\\logo.bmp)", "logo(1,2,30,10,c:\\falta.bmp)", "@3,4,fin",
                     "tipo(Courier New)", "cuadro(1,1,5,5)"});
    prueba::Pulsa(editor, "BotonSintaxis");
    ASSERT_TRUE(editor.HayBoceto());
    const std::vector<TrazoPagina> textos = Textos(editor);
    ASSERT_EQ(textos.size(), 3u);
    // At (2 × x, 5 × y) in Arial, with the size and colour reached by then.
    EXPECT_EQ(textos[0].punto, QPoint(20, 100));
    EXPECT_EQ(textos[0].texto, "NOMBR_C");
    EXPECT_EQ(textos[0].color, QColor(Qt::black));
    EXPECT_EQ(textos[0].fuente.family(), "Arial");
    EXPECT_EQ(textos[1].punto, QPoint(2, 10));
    EXPECT_EQ(textos[1].texto, "Total: +total_f");
    EXPECT_EQ(textos[1].color, QColor(0, 0, 255));
    EXPECT_EQ(textos[1].fuente.pixelSize(), 13);  // size 30 / 3 = 10 points
    EXPECT_EQ(textos[2].punto, QPoint(6, 20));
    EXPECT_EQ(textos[2].color, QColor(0, 0, 255));  // blanco keeps the colour
    // The picture: columns of 173 / 82 = 2 pixels, lines of 295 / 55 = 5.
    const auto imagen = std::find_if(editor.Boceto().begin(), editor.Boceto().end(),
                                     [](const TrazoPagina& t) { return t.tipo == TrazoPagina::Tipo::Imagen; });
    ASSERT_NE(imagen, editor.Boceto().end());
    EXPECT_EQ(imagen->rect, QRect(QPoint(2, 10), QPoint(60, 50)));
    EXPECT_EQ(editor.Boceto().size(), 4u);  // the missing picture draws nothing

    // The font carries over to the next check.
    Escribe(editor, {"@1,1,A"});
    prueba::Pulsa(editor, "BotonSintaxis");
    ASSERT_EQ(Textos(editor).size(), 1u);
    EXPECT_EQ(Textos(editor)[0].color, QColor(0, 0, 255));
    EXPECT_EQ(Textos(editor)[0].fuente.pixelSize(), 13);

    // "Nuevo" clears the page.
    prueba::Pulsa(editor, "BotonNuevo");
    EXPECT_FALSE(editor.HayBoceto());
    EXPECT_TRUE(editor.Boceto().empty());
    EXPECT_TRUE(Mensajes().isEmpty());
    editor.Close();
  });
}

// The sketch is a layer over the page: it hides the preview page under it
// until it is cleared.
TEST_F(SintaxisTest, ElBocetoCubreLaPaginaHastaQueSeLimpia) {
  CreaArchivosPrevia();
  TElementoPagina e;
  e.X = 40;
  e.Y = 40;
  e.Texto = QString(6, u'M');
  e.Tipo = 40;
  e.Fuente = QStringLiteral("Arial");
  e.Color = QStringLiteral("negro");
  e.NumeroPagina = 1;
  AgregaRegistroPagina(e);
  EnEditor([&](TFormaEdicion& editor) {
    auto marcados = [&](const QRect& zona) {
      const QImage imagen = editor.VistaPreliminar->grab().toImage();
      int n = 0;
      for (int y = zona.top(); y <= zona.bottom(); ++y)
        for (int x = zona.left(); x <= zona.right(); ++x)
          if (imagen.pixelColor(x, y) != Qt::white) ++n;
      return n;
    };
    const QSize t = editor.VistaPreliminar->size();
    const QRect previa(t.width() * 40 / 82, t.height() * 40 / 55, 40, 14);
    const QRect boceto(20, 100, 30, 10);
    EXPECT_GT(marcados(previa), 0);
    Escribe(editor, {"@10,20,NOMBR_C"});
    prueba::Pulsa(editor, "BotonSintaxis");
    EXPECT_EQ(marcados(previa), 0);
    EXPECT_GT(marcados(boceto), 0);
    prueba::Pulsa(editor, "BotonNuevo");
    EXPECT_GT(marcados(previa), 0);
    EXPECT_EQ(marcados(boceto), 0);
    editor.Close();
  });
}

// An argument the sketch cannot read ends the check at its line, with the
// error shown; the lines done keep their colours.
TEST_F(SintaxisTest, UnTamanoOLogoIlegibleDetieneLaRevision) {
  EscribeBytes("C:\\logo.bmp", QByteArray("no es una imagen"));
  struct Caso {
    const char* linea;
    bool marcada;  // by the check, which runs before the sketch
    const char* mensaje;
  };
  const Caso casos[] = {
      {"tamaño(x)", true, "'x' no es un valor entero válido"},
      {"logo(1,2,3.5,10,c:\\falta.bmp)", false, "'3.5' no es un valor entero válido"},
      {"logo(1,2,30,10,c:\\logo.bmp)", false, "No se pudo leer la imagen"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.linea);
    ui::PuertaModal::LimpiaMensajes();
    EnEditor([&](TFormaEdicion& editor) {
      Escribe(editor, {"@1,1,A", "fiesta", c.linea, "xyz", "@2,2,B"});
      prueba::Pulsa(editor, "BotonSintaxis");
      ASSERT_EQ(Mensajes().size(), 1);
      EXPECT_TRUE(Mensajes()[0].contains(c.mensaje)) << Mensajes()[0].toStdString();
      EXPECT_EQ(ColorLinea(editor, 1), kRojo);
      EXPECT_EQ(ColorLinea(editor, 2), c.marcada ? kRojo : QColor(Qt::black));
      EXPECT_EQ(ColorLinea(editor, 3), QColor(Qt::black));  // not checked
      EXPECT_EQ(ColorLinea(editor, 4), QColor(Qt::black));
      ASSERT_EQ(Textos(editor).size(), 1u);
      EXPECT_EQ(Textos(editor)[0].texto, "A");
      editor.Close();
    });
  }
}
