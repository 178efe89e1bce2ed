// The preview window and the preview protocol of the modules: pages read
// from the preview file, the page spin, the print answer, notes, pictures.

#include "formats/DibujoPagina.h"
#include "formats/edicion.h"
#include "formato_prueba.h"
#include "platform/print/Imagen.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/Componentes.h"
#include "support/Maneja.h"

#include <QApplication>
#include <QBuffer>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTest>

#include <functional>

namespace {

TElementoPagina Texto(double x, double y, const QString& texto, int pagina, int tamano = 9,
                      const QString& color = QStringLiteral("negro")) {
  TElementoPagina e;
  e.X = x;
  e.Y = y;
  e.Texto = texto;
  e.Tipo = tamano;
  e.Fuente = QStringLiteral("Arial");
  e.Color = color;
  e.NumeroPagina = pagina;
  return e;
}

TElementoPagina Cuadro(double x, double y, double derecha, double abajo, const QString& color, int pagina = 1) {
  TElementoPagina e;
  e.X = x;
  e.Y = y;
  e.Texto = TextoNumero(derecha);
  e.Tipo = kElementoCuadro;
  e.Fuente = QStringLiteral("1");
  e.Color = color;
  e.Extra = TextoNumero(abajo);
  e.NumeroPagina = pagina;
  return e;
}

// Pixels of the rectangle that are not white.
int Marcados(const QImage& imagen, const QRect& rect) {
  int n = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x)
      if (imagen.pixelColor(x, y) != Qt::white) ++n;
  return n;
}

class VistaPreviaTest : public FormatoPrueba {
 protected:
  static void EscribePrevia(const std::vector<TElementoPagina>& elementos) {
    CreaArchivosPrevia();
    for (const TElementoPagina& e : elementos) AgregaRegistroPagina(e);
  }

  // Shows a preview window of the mode with the script.
  static void EnVista(ModoEdicion modo, const std::function<void(TFormaEdicion&)>& guion) {
    TFormaEdicion vista(modo);
    ui::PuertaModal::Espera("TFormaEdicion", [&](QDialog&) { guion(vista); });
    vista.ShowModal();
  }

  static QImage Pagina(TFormaEdicion& vista) { return vista.VistaPreliminar->grab().toImage(); }

  // The area of the page where the text of (column, line) starts.
  static QRect Celda(const TFormaEdicion& vista, double columna, double linea) {
    const QSize t = vista.VistaPreliminar->size();
    return QRect(static_cast<int>(columna * t.width() / 82), static_cast<int>(linea * t.height() / 55), 40, 14);
  }
};

}  // namespace

TEST_F(VistaPreviaTest, PaginasDelArchivoYElSelectorDePagina) {
  EscribePrevia({Texto(10, 5, "MMMM", 1, 30), Texto(10, 20, "WWWW", 3, 30), Texto(30, 20, "WWWW", 3, 30)});
  EnVista(ModoEdicion::VistaPrevia, [&](TFormaEdicion& vista) {
    EXPECT_TRUE(vista.PanelPresentacion->isVisible());
    EXPECT_FALSE(vista.PanelEdicion->isVisible());
    EXPECT_FALSE(vista.Codigo->isVisible());
    QImage pagina = Pagina(vista);
    EXPECT_EQ(prueba::Texto(vista, "Pagina"), "3 Paginas");
    EXPECT_EQ(vista.NumerodePagina->maximum(), 3);
    EXPECT_EQ(vista.PaginaActual(), 1);
    EXPECT_GT(Marcados(pagina, Celda(vista, 10, 5)), 20);
    EXPECT_EQ(Marcados(pagina, Celda(vista, 10, 20)), 0);

    struct Caso {
      QString escrito;
      int pagina;
    };
    const Caso casos[] = {{"2", 2}, {"3", 3}, {"0", 1}, {"3", 3}, {"", 1}};
    for (const Caso& c : casos) {
      vista.NumerodePagina->findChild<QLineEdit*>()->selectAll();
      prueba::Tecla(vista, "qt_spinbox_lineedit", Qt::Key_Backspace);
      prueba::Teclea(vista, "qt_spinbox_lineedit", c.escrito);
      EXPECT_EQ(vista.PaginaActual(), c.pagina) << c.escrito.toStdString();
      pagina = Pagina(vista);
      EXPECT_EQ(Marcados(pagina, Celda(vista, 10, 5)) > 0, c.pagina == 1) << c.pagina;
      EXPECT_EQ(Marcados(pagina, Celda(vista, 30, 20)) > 0, c.pagina == 3) << c.pagina;
    }
    // Leaving the box puts page 1 in it; the arrows step from there.
    vista.NumerodePagina->interpretText();
    EXPECT_EQ(vista.NumerodePagina->value(), 1);
    vista.NumerodePagina->stepBy(1);
    EXPECT_EQ(vista.PaginaActual(), 2);
    prueba::Pulsa(vista, "BotonSalir");
    EXPECT_FALSE(vista.isVisible());
  });
}

TEST_F(VistaPreviaTest, ElRotuloSigueALaPagina) {
  const std::vector<TElementoPagina> elementos = {Texto(10, 5, "uno", 1), Texto(10, 5, "tres", 3)};
  const QSize tamano(700, 910);
  for (int pagina : {1, 2, 3}) {
    const PaginaDibujada d = TrazaPagina(&elementos, pagina, tamano, "3 Paginas");
    ASSERT_FALSE(d.trazos.empty());
    EXPECT_EQ(d.trazos.back().texto, QString::number(pagina) + " de 3 Paginas");
    EXPECT_EQ(d.trazos.back().punto, QPoint(500, 2));
    EXPECT_EQ(d.trazos.size(), pagina == 2 ? 1u : 2u);
  }
}

TEST_F(VistaPreviaTest, ComoSeDibujaCadaElemento) {
  const QSize tamano(724, 1100);  // a column is 8.83 pixels, a line 20
  EscribeBytes("C:\\logo.bmp", [] {
    QImage logo(8, 8, QImage::Format_RGB32);
    logo.fill(Qt::red);
    QByteArray bytes;
    QBuffer b(&bytes);
    b.open(QIODevice::WriteOnly);
    logo.save(&b, "BMP");
    return bytes;
  }());
  auto imagen = [](double x, double y, const QString& archivo, const QString& derecha, const QString& abajo) {
    TElementoPagina e;
    e.X = x;
    e.Y = y;
    e.Texto = archivo;
    e.Tipo = kElementoImagen;
    e.Fuente = abajo;
    e.Extra = derecha;
    e.NumeroPagina = 1;
    return e;
  };
  TElementoPagina linea = Cuadro(10, 5, 30, 5, QString());
  linea.Tipo = kElementoLinea;
  const QFont arial(QStringLiteral("Arial"));

  struct Caso {
    const char* nombre;
    std::vector<TElementoPagina> elementos;
    std::vector<TrazoPagina> esperados;  // before the caption
    QString error;
  };
  auto texto = [](QPoint p, const QString& t, int pixeles, QColor color) {
    TrazoPagina r{TrazoPagina::Tipo::Texto, p, {}, {}, t, QFont(QStringLiteral("Arial")), color, {}};
    r.fuente.setPixelSize(pixeles);
    return r;
  };
  auto raya = [](QPoint a, QPoint b) {
    return TrazoPagina{TrazoPagina::Tipo::Linea, a, b, {}, {}, {}, QColor(0, 0, 255), {}};
  };
  QFont centrada(QStringLiteral("Arial"));
  centrada.setPixelSize(12);
  const int anchoCentrado = QFontMetrics(centrada).horizontalAdvance("Total");
  const Caso casos[] = {
      // size 9 on a page 724 wide: 9 points, 12 pixels
      {"texto", {Texto(10, 5, "Hola", 1, 9)}, {texto({88, 100}, "Hola", 12, Qt::black)}, {}},
      {"columna 80 o más no se dibuja",
       {Texto(79.5, 1, "si", 1), Texto(80, 2, "no", 1), Texto(95, 3, "no", 1)},
       {texto({701, 20}, "si", 12, Qt::black)}, {}},
      {"centrado",
       {Texto(kColumnaCentrada, 2, "Total", 1)},
       {texto({static_cast<int>(std::lround((724 - anchoCentrado) * 0.5)), 40}, "Total", 12, Qt::black)}, {}},
      {"centrado más ancho que la página",
       {Texto(kColumnaCentrada, 2, QString(200, u'M'), 1, 20)},
       {texto({1, 40}, QString(200, u'M'), 27, Qt::black)}, {}},
      {"color desconocido conserva el anterior",
       {Texto(1, 1, "a", 1, 9, "rojo"), Texto(1, 2, "b", 1, 9, "morado"), Texto(1, 3, "c", 1, 9, "verde")},
       {texto({8, 20}, "a", 12, QColor(255, 0, 0)), texto({8, 40}, "b", 12, QColor(255, 0, 0)),
        texto({8, 60}, "c", 12, QColor(0, 128, 0))}, {}},
      {"cuadro", {Cuadro(10, 5, 30, 9, "clRed")},
       {raya({88, 100}, {264, 100}), raya({264, 100}, {264, 180}), raya({264, 180}, {88, 180}),
        raya({88, 180}, {88, 100})}, {}},
      {"línea", {linea}, {raya({88, 100}, {264, 100})}, {}},
      {"color de cuadro que no es color", {Cuadro(1, 1, 2, 2, "purpura"), Texto(1, 1, "x", 1)}, {}, "purpura"},
      {"imagen que falta", {imagen(1, 2, "C:\\falta.bmp", "5", "6")}, {}, {}},
      {"imagen en columna no entera", {imagen(1.5, 2, "C:\\logo.bmp", "5", "6")}, {}, "'1.5' no es un valor entero válido"},
      {"otra página no se dibuja", {Texto(1, 1, "x", 2), Cuadro(1, 1, 2, 2, "", 2)}, {}, {}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    const PaginaDibujada d = TrazaPagina(&c.elementos, 1, tamano, "1 Paginas");
    EXPECT_EQ(d.marco, QColor(0, 0, 255));
    if (!c.error.isEmpty()) {
      EXPECT_TRUE(d.error.contains(c.error)) << d.error.toStdString();
      EXPECT_TRUE(d.trazos.empty());  // drawing ends there, caption included
      continue;
    }
    EXPECT_TRUE(d.error.isEmpty()) << d.error.toStdString();
    ASSERT_EQ(d.trazos.size(), c.esperados.size() + 1);
    for (size_t i = 0; i < c.esperados.size(); ++i) {
      const TrazoPagina& e = c.esperados[i];
      const TrazoPagina& t = d.trazos[i];
      EXPECT_EQ(t.tipo, e.tipo) << i;
      EXPECT_EQ(t.punto, e.punto) << i;
      EXPECT_EQ(t.hasta, e.hasta) << i;
      EXPECT_EQ(t.texto, e.texto) << i;
      EXPECT_EQ(t.color, e.color) << i;
      if (e.tipo == TrazoPagina::Tipo::Texto) {
        EXPECT_EQ(t.fuente.pixelSize(), e.fuente.pixelSize()) << i;
      }
    }
  }

  // A picture of whole columns and lines: column 8 pixels, line 20.
  const std::vector<TElementoPagina> logo = {imagen(1, 2, "C:\\logo.bmp", "5", "6")};
  const PaginaDibujada d = TrazaPagina(&logo, 1, tamano, "1 Paginas");
  ASSERT_EQ(d.trazos.size(), 2u);
  EXPECT_EQ(d.trazos[0].tipo, TrazoPagina::Tipo::Imagen);
  EXPECT_EQ(d.trazos[0].rect, QRect(QPoint(8, 40), QPoint(40, 120)));
  // Without a preview file: the page's outline is black, the caption is drawn.
  const PaginaDibujada vacia = TrazaPagina(nullptr, 1, tamano, "0 Paginas");
  EXPECT_EQ(vacia.marco, QColor(Qt::black));
  ASSERT_EQ(vacia.trazos.size(), 1u);
  EXPECT_EQ(vacia.trazos[0].texto, "1 de 0 Paginas");
}

TEST_F(VistaPreviaTest, UnaPaginaQueNoSePuedeDibujarSeAvisaUnaVez) {
  EscribePrevia({Cuadro(1, 1, 5, 5, "purpura")});
  EnVista(ModoEdicion::VistaPrevia, [&](TFormaEdicion& vista) {
    Pagina(vista);
    Pagina(vista);
    QApplication::processEvents();
    Pagina(vista);
    QApplication::processEvents();
    ASSERT_EQ(Mensajes().size(), 1);
    EXPECT_TRUE(Mensajes()[0].contains("purpura"));
    vista.Close();
  });
}

TEST_F(VistaPreviaTest, ImprimirDesdeLaVistaPrevia) {
  EscribeLineas(kArchivoFormato, {"impresora,laser", "@10,2,nombr_f", "@10,3,total_f"});
  struct Caso {
    const char* nombre;
    const char* boton;
    bool ofreceImpresion;
    bool impreso;
  };
  const Caso casos[] = {
      {"imprimir", "BotonImprime", true, true},
      {"salir", "BotonSalir", true, false},
      {"quien no imprime", "BotonImprime", false, false},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    print::BorraOperacionesGrabadas();
    ui::PuertaModal::Espera("TFormaEdicion", [&](QDialog& d) {
      auto& vista = static_cast<TFormaEdicion&>(d);
      EXPECT_EQ(vista.Modo(), ModoEdicion::VistaPrevia);
      Pagina(vista);
      EXPECT_EQ(prueba::Texto(vista, "Pagina"), "1 Paginas");
      EXPECT_EQ(PaginasPrevia()[1], QStringList({"JUAN PEREZ", "1500.5"}));
      // Nothing printed while previewing.
      EXPECT_TRUE(print::OperacionesGrabadas().empty());
      prueba::Pulsa(vista, c.boton);
      EXPECT_FALSE(vista.isVisible());
    });
    OpcionesVistaPrevia opciones;
    opciones.ofreceImpresion = c.ofreceImpresion;
    EXPECT_EQ(VistaPreviaFormato(encabezado_.get(), detalle_.get(), kArchivoFormato, opciones), c.impreso);
    EXPECT_EQ(FormaEdicion(), nullptr);
    if (c.impreso) {
      EXPECT_EQ(Trabajo(), (std::vector{print::Operacion::Tipo::Comienza, print::Operacion::Tipo::Termina}));
      ASSERT_EQ(Impresos().size(), 2u);
      EXPECT_EQ(Impresos()[0].texto, "JUAN PEREZ");
    } else {
      EXPECT_TRUE(print::OperacionesGrabadas().empty());
    }
  }
}

TEST_F(VistaPreviaTest, FormatoQueNoExiste) {
  const QString falta = QStringLiteral("C:\\VRL\\consulta\\falta.fmt");
  // An earlier preview's pages are not shown for it.
  EscribePrevia({Texto(10, 5, "MMMM", 1, 30), Texto(10, 5, "MMMM", 2, 30)});
  ui::PuertaModal::Espera("TFormaEdicion", [](QDialog& d) {
    auto& vista = static_cast<TFormaEdicion&>(d);
    const QImage pagina = Pagina(vista);
    EXPECT_EQ(prueba::Texto(vista, "Pagina"), "0 Paginas");
    EXPECT_EQ(Marcados(pagina, Celda(vista, 10, 5)), 0);
    prueba::Pulsa(vista, "BotonImprime");
  });
  EXPECT_FALSE(VistaPreviaFormato(encabezado_.get(), detalle_.get(), falta));
  EXPECT_EQ(Mensajes(), QStringList({"El Formato C:\\VRL\\consulta\\falta.fmt No Existe"}));
  EXPECT_TRUE(print::OperacionesGrabadas().empty());

  // A caller that shows no window without its format.
  ui::PuertaModal::LimpiaMensajes();
  OpcionesVistaPrevia sinVentana;
  sinVentana.ventanaSinFormato = false;
  EXPECT_FALSE(VistaPreviaFormato(encabezado_.get(), detalle_.get(), falta, sinVentana));
  EXPECT_EQ(Mensajes().size(), 1);
}

TEST_F(VistaPreviaTest, ImagenesDeLaPagina) {
  EscribePrevia({Texto(10, 5, "Factura", 1, 20), Cuadro(5, 3, 60, 12, "")});
  for (ModoEdicion modo : {ModoEdicion::VistaPrevia, ModoEdicion::VistaPreviaConImagen}) {
    fs::BorraArchivo("C:\\fact.bmp");
    QSize tamano;
    EnVista(modo, [&](TFormaEdicion& vista) {
      tamano = vista.VistaPreliminar->size();
      prueba::Pulsa(vista, "BotonSalir");
    });
    if (modo == ModoEdicion::VistaPrevia) {
      EXPECT_FALSE(fs::Existe("C:\\fact.bmp"));
      continue;
    }
    QImage bmp;
    ASSERT_TRUE(bmp.loadFromData(fs::LeeBytes("C:\\fact.bmp"), "BMP"));
    EXPECT_EQ(bmp.size(), tamano);
    EXPECT_EQ(bmp.pixelColor(static_cast<int>(5 * tamano.width() / 82), static_cast<int>(3 * tamano.height() / 55)),
              QColor(0, 0, 255));
  }

  // "Guarda Imagen": the page as drawn, in JPEG.
  EnVista(ModoEdicion::VistaPrevia, [&](TFormaEdicion& vista) {
    prueba::Pulsa(vista, "SpeedButton1");
    const QImage jpeg = print::DecodificaJpeg(fs::LeeBytes("C:\\fact.jpg"));
    const QSize tamano = vista.VistaPreliminar->size();
    ASSERT_EQ(jpeg.size(), tamano);
    // Quality 100: the same pixels but for the blur of a compressed picture.
    const QImage pagina = Pagina(vista).convertToFormat(QImage::Format_RGB888);
    const QImage leida = jpeg.convertToFormat(QImage::Format_RGB888);
    const QRect texto = Celda(vista, 10, 5);
    ASSERT_GT(Marcados(pagina, texto), 20);
    double diferencia = 0;
    for (int y = texto.top(); y <= texto.bottom(); ++y)
      for (int x = texto.left() * 3; x < (texto.right() + 1) * 3; ++x)
        diferencia += std::abs(pagina.constScanLine(y)[x] - leida.constScanLine(y)[x]);
    EXPECT_LT(diferencia / (texto.width() * texto.height() * 3), 3.0);
    vista.Close();
  });
}

TEST_F(VistaPreviaTest, NotasSobreLaPagina) {
  EnVista(ModoEdicion::VistaPrevia, [&](TFormaEdicion& vista) {
    auto visibles = [&] {
      QStringList r;
      for (QLineEdit* n : vista.Notas)
        if (n->isVisible()) r << n->objectName();
      return r;
    };
    prueba::Pulsa(vista, "SpeedButton2");
    prueba::Pulsa(vista, "SpeedButton2");
    EXPECT_EQ(visibles(), QStringList({"Edit1", "Edit2"}));
    prueba::Teclea(vista, "Edit1", "revisar");
    prueba::DobleClic(vista.Notas[0]);
    EXPECT_EQ(visibles(), QStringList({"Edit2"}));
    EXPECT_TRUE(vista.Notas[0]->text().isEmpty());
    for (int i = 0; i < 12; ++i) prueba::Pulsa(vista, "SpeedButton2");
    EXPECT_EQ(visibles().size(), 10);

    // Moved with the mouse, a note tells its row and column on the page.
    const QRect pagina = vista.VistaPreliminar->geometry();
    const int columna = static_cast<int>(pagina.width() * 0.0125);
    const int linea = pagina.height() / 55;
    QLineEdit* nota = vista.Notas[1];
    const QPoint destino(pagina.x() + 12 * columna + 3, pagina.y() + 7 * linea + 2);
    QTest::mousePress(nota, Qt::LeftButton, {}, QPoint(5, 5));
    QMouseEvent mueve(QEvent::MouseMove, QPointF(5, 5) + (destino - nota->pos()),
                      nota->mapToGlobal(QPointF(5, 5) + (destino - nota->pos())), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(nota, &mueve);
    QTest::mouseRelease(nota, Qt::LeftButton, {}, QPoint(5, 5) + (destino - nota->pos()));
    EXPECT_EQ(nota->pos(), destino);
    EXPECT_EQ(nota->toolTip(), "Renglon 7 Columna 12");

    // The memo: the notes button toggles it, the right button on the page shows it.
    prueba::Pulsa(vista, "BotonNotas");
    EXPECT_TRUE(vista.Comentario->isVisible());
    prueba::Pulsa(vista, "BotonNotas");
    EXPECT_FALSE(vista.Comentario->isVisible());
    QTest::mouseClick(vista.VistaPreliminar, Qt::RightButton);
    EXPECT_TRUE(vista.Comentario->isVisible());
    vista.Close();
  });
}

TEST_F(VistaPreviaTest, TamanosDeLaPagina) {
  EnVista(ModoEdicion::VistaPrevia, [&](TFormaEdicion& vista) {
    const QRect caja = vista.Caja->geometry();
    const int ancho = caja.width() - 80;
    const QRect carta(caja.x() + 40, caja.y() - 20, ancho, static_cast<int>(ancho * 1.3));
    EXPECT_EQ(vista.marco->geometry(), carta);
    EXPECT_EQ(vista.VistaPreliminar->geometry(), carta.adjusted(10, 10, -10, -10));

    prueba::Pulsa(vista, "BotonDisminuye");
    EXPECT_EQ(vista.marco->geometry(), QRect(227, 20, 193, 315));
    EXPECT_EQ(vista.VistaPreliminar->geometry(), QRect(237, 30, 173, 295));

    vista.Ticket1->trigger();
    EXPECT_EQ(vista.marco->geometry(), carta);
    EXPECT_EQ(vista.VistaPreliminar->geometry(),
              QRect(carta.x() + 10, carta.y() + 10, static_cast<int>((ancho - 20) / 2.8933), carta.height() - 20));

    prueba::Pulsa(vista, "BotonAumento");
    EXPECT_EQ(vista.VistaPreliminar->geometry(), carta.adjusted(10, 10, -10, -10));
    vista.Close();
  });
}
