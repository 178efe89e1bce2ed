// Boxes, rounded boxes, lines and pictures of a format: what the printer is
// asked to draw, the records and side lines of a preview, the picture of
// each document, and a JPEG picture on a PDF page.

#include "formats/formato_prueba.h"
#include "formats/pdf_prueba.h"
#include "platform/Error.h"

namespace {

using Tipo = print::Operacion::Tipo;

class DibujoTest : public FormatoPrueba {};

QString Color(const QColor& c) { return c == QColor(Qt::white) ? QStringLiteral("blanco") : c.name(); }

// One drawing of the recording printer, in a line.
QString Describe(const print::Operacion& o) {
  const auto punto = [](QPoint p) { return QStringLiteral("%1,%2").arg(p.x()).arg(p.y()); };
  const auto rect = [&](QRect r) { return punto(r.topLeft()) + u'-' + punto(QPoint(r.x() + r.width(), r.y() + r.height())); };
  switch (o.tipo) {
    case Tipo::Texto: return QStringLiteral("texto %1 %2 fondo %3").arg(punto(o.punto), o.texto, Color(o.brocha.color));
    case Tipo::Linea: return QStringLiteral("linea %1 %2 pluma %3").arg(punto(o.punto), punto(o.hasta)).arg(o.pluma.grosor);
    case Tipo::Rectangulo:
      return QStringLiteral("relleno %1 pluma %2 brocha %3").arg(rect(o.rect)).arg(o.pluma.grosor).arg(Color(o.brocha.color));
    case Tipo::Redondeado:
      return QStringLiteral("redondo %1 esquina %2x%3 pluma %4 brocha %5")
          .arg(rect(o.rect))
          .arg(o.esquina.width())
          .arg(o.esquina.height())
          .arg(o.pluma.grosor)
          .arg(Color(o.brocha.color));
    case Tipo::Imagen: return QStringLiteral("imagen %1 de %2x%3").arg(rect(o.rect)).arg(o.imagen.width()).arg(o.imagen.height());
    default: return QString();
  }
}

QStringList Dibujos() {
  QStringList r;
  for (const print::Operacion& o : print::OperacionesGrabadas()) {
    if (const QString d = Describe(o); !d.isEmpty()) r << d;
  }
  return r;
}

// The four sides of a rectangle's outline.
QStringList Marco(int x1, int y1, int x2, int y2, int pluma) {
  const auto l = [&](int a, int b, int c, int d) {
    return QStringLiteral("linea %1,%2 %3,%4 pluma %5").arg(a).arg(b).arg(c).arg(d).arg(pluma);
  };
  return {l(x1, y1, x2, y1), l(x2, y1, x2, y2), l(x2, y2, x1, y2), l(x1, y2, x1, y1)};
}

QString Registro(const TElementoPagina& e) {
  return QStringLiteral("p%1 %2,%3 [%4] tipo %5 fuente %6 color %7 extra %8")
      .arg(e.NumeroPagina)
      .arg(TextoNumero(e.X), TextoNumero(e.Y), e.Texto)
      .arg(e.Tipo)
      .arg(e.Fuente, e.Color, e.Extra);
}

QStringList Registros() {
  QStringList r;
  for (const TElementoPagina& e : LeeElementosPagina()) r << Registro(e);
  return r;
}

}  // namespace

TEST_F(DibujoTest, CuadrosLineasYRedondosEnLaImpresora) {
  // Rows of 120 and columns of 63 device units.
  struct Caso {
    QStringList lineas;
    QStringList dibujos;
  };
  const Caso casos[] = {
      // filled with its colour, labelled on it, outlined in the pen
      {{"cuadro(10,5,30,9,2,clRed,Total)"},
       QStringList{"relleno 630,600-1890,1080 pluma 2 brocha #ff0000", "texto 630,600 Total fondo #ff0000"} +
           Marco(630, 600, 1890, 1080, 2)},
      // without a colour only the outline, and no label
      {{"cuadro(1,1,5,2,,,Hola)"}, Marco(63, 120, 315, 240, 1)},
      // rows from variables; the pen and brush go back to 1 and white
      {{"variable1=2", "cuadro(1,variable1,5,3.5,4,$00FFFF)", "texto(1,20,Sigue)"},
       QStringList{"relleno 63,240-315,420 pluma 4 brocha #ffff00"} + Marco(63, 240, 315, 420, 4) +
           QStringList{"texto 63,2400 Sigue fondo blanco"}},
      // a line moves with the row counter; the box does not
      {{"saltar(2)", "lna(0,3,80,3,3,clBlue)", "cuadro(1,1,2,2)"},
       Marco(0, 600, 5040, 600, 3) + Marco(63, 120, 126, 240, 1)},
      {{"redondo(1,10,20,12,2,1,4)", "lna(1,1,2,1)"},
       QStringList{"redondo 63,1200-1260,1440 esquina 126x120 pluma 4 brocha blanco"} + Marco(63, 120, 126, 120, 1)},
      // the brush of "fondo" fills rounded boxes and stays behind texts
      {{"fondo(amarillo)", "redondo(1,1,2,2,1,1)", "texto(1,3,A)"},
       {"redondo 63,120-126,240 esquina 63x120 pluma 1 brocha #ffff00", "texto 63,360 A fondo #ffff00"}},
  };
  for (const Caso& c : casos) {
    print::Impresora::Global().Restablece();
    print::BorraOperacionesGrabadas();
    Corre(QStringList{"impresora,laser"} + c.lineas, u'i');
    EXPECT_EQ(Dibujos(), c.dibujos) << c.lineas.join(u'|').toStdString();
  }
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(DibujoTest, UnArgumentoMaloSeReportaYNoCambiaLaPluma) {
  Corre({"impresora,laser", "cuadro(1,1,5,2,3,rosa)", "lna(1,x,5,2,3)", "redondo(1,1,5,2,1)", "cuadro(1,1,5,2)"},
        u'i');
  EXPECT_EQ(Mensajes(), (QStringList{"Error en el Formato Revise su Estructura", "Linea Afectada cuadro(1,1,5,2,3,rosa)",
                                     "Error en el Formato Revise su Estructura", "Linea Afectada lna(1,x,5,2,3)",
                                     "Error en el Formato Revise su Estructura", "Linea Afectada redondo(1,1,5,2,1)"}));
  EXPECT_EQ(Dibujos(), Marco(63, 120, 315, 240, 1));
}

TEST_F(DibujoTest, RegistrosDeVistaPreviaCadaUnoEnSuPagina) {
  EscribeLineas(QStringLiteral("C:\\VRL\\tempo\\remoto.tmp"), {"de otra corrida"});
  Corre({"cuadro(10,5,30,9,2,clRed)",
         "variable1=7.5",
         "cuadro(1,variable1,2.5,9,,,Cliente)",
         "saltar(2)",
         "lna(0,3,80,3,3,clBlue)",
         "redondo(1,10,20,12,2,1,4)",
         "logo(2,1,20,6,c:\\fotos\\logo.jpg)",
         "bitmap(2,1,20,6,c:\\fotos\\sello.bmp)",
         "nuevapagina",
         "cuadro(1,1,79,3)",
         "lna(1,4,79,4)"},
        u'p');
  EXPECT_EQ(Registros(), (QStringList{
                             "p1 10,5 [30] tipo -2 fuente 2 color clRed extra 9",
                             "p1 1,7.5 [2.5] tipo -2 fuente 1 color  extra 9",
                             "p1 0,5 [80] tipo -3 fuente 3 color clBlue extra 5",
                             "p1 1,10 [20] tipo -2 fuente 4 color  extra 12",
                             "p1 2,1 [c:\\fotos\\logo.jpg] tipo -1 fuente 6 color negro extra 20",
                             "p1 2,3 [c:\\fotos\\sello.bmp] tipo -1 fuente 8 color negro extra 20",
                             "p2 1,1 [79] tipo -2 fuente 1 color  extra 3",
                             "p2 1,4 [79] tipo -3 fuente 1 color  extra 4",
                         }));
  // Boxes of "cuadro" and lines, with page 1 as outside programs read it.
  EXPECT_EQ(fs::LeeLineas(QStringLiteral("C:\\VRL\\tempo\\remoto.tmp")),
            (QStringList{"10,5,-2,30,9,2,clRed,,1", "1,7,-2,2.5,9,1,,Cliente,1", "0,5,-3,80,5,3,clBlue,,1",
                         "1,1,-2,79,3,1,,,1", "1,4,-3,79,4,1,,,1"}));
  EXPECT_EQ(CuentaPaginasPrevia(LeeElementosPagina()), 2);
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(DibujoTest, LaImagenDeCadaDocumento) {
  std::unique_ptr<db::Tabla> factura = std::move(encabezado_);
  UsaDocumentoConControl(QStringLiteral("JUAN/PEREZ: ABARROTES DEL NORTE"), QStringLiteral("A12"));
  const QString nombre = QStringLiteral("57-JUANPEREZ ABARROTES DEL N-A12.bmp");
  struct Caso {
    QString archivo;  // as the format names it
    QString dibujado;
  };
  const Caso casos[] = {
      {"c:\\fotos\\numero", "c:\\fotos\\" + nombre},
      {"numero", nombre},
      {"c:\\fotos\\Numero", "c:\\fotos\\Numero"},
      {"c:\\fotos\\numero.bmp", "c:\\fotos\\numero.bmp"},
  };
  for (const Caso& c : casos) {
    Corre({"bitmap(1,1,20,10," + c.archivo + ")", "logo(1,1,20,10," + c.archivo + ")"}, u'p');
    const std::vector<TElementoPagina> registros = LeeElementosPagina();
    ASSERT_EQ(registros.size(), 2u);
    EXPECT_EQ(registros[0].Texto, c.dibujado);
    EXPECT_EQ(registros[1].Texto, c.archivo) << "logo no arma nombres";
  }

  // Printed when the picture exists; a missing one draws nothing.
  QImage imagen(30, 20, QImage::Format_RGB32);
  imagen.fill(Qt::blue);
  fs::CreaCarpeta(QStringLiteral("C:\\FOTOS"));
  ASSERT_TRUE(imagen.save(fs::Local("C:\\FOTOS\\" + nombre), "BMP"));
  Corre({"impresora,laser", "saltar(2)", "bitmap(1,1,20,10,c:\\fotos\\numero)", "logo(1,1,20,10,c:\\fotos\\numero)"}, u'i');
  EXPECT_EQ(Dibujos(), QStringList{"imagen 63,360-1260,1440 de 30x20"});

  // A document without the fields of the name reports the line.
  Corre({"bitmap(1,1,20,10,c:\\fotos\\numero)"}, u'p');
  encabezado_ = std::move(factura);
  Corre({"bitmap(1,1,20,10,c:\\fotos\\numero)"}, u'p');
  EXPECT_EQ(Mensajes(), (QStringList{"Error en el Formato Revise su Estructura",
                                     "Linea Afectada bitmap(1,1,20,10,c:\\fotos\\numero)"}));
}

TEST_F(DibujoTest, UnaFotoJpegEnLaPaginaPdf) {
  const QString pdf = raiz() + QStringLiteral("/factura.pdf");
  print::FijaImpresorasPrueba({{"pdf", "Imprimir a PDF", print::TipoImpresora::Pdf, pdf, 300},
                               {"laser", "", print::TipoImpresora::Registro, QString(), 600}},
                              0);
  print::Impresora::Global().Restablece();
  QImage logo(120, 60, QImage::Format_RGB32);
  logo.fill(QColor(200, 30, 40));
  QImage sello(80, 40, QImage::Format_RGB32);
  sello.fill(Qt::darkGreen);
  fs::CreaCarpeta(QStringLiteral("C:\\VRL\\fotos"));
  ASSERT_TRUE(logo.save(fs::Local(QStringLiteral("C:\\VRL\\fotos\\logo.jpg")), "JPEG", 95));
  ASSERT_TRUE(sello.save(fs::Local(QStringLiteral("C:\\VRL\\fotos\\sello.jpg")), "JPEG", 95));
  const QStringList formato{"logo(1,1,20,6,c:\\vrl\\fotos\\logo.jpg)", "saltar(10)",
                            "bitmap(1,1,10,4,c:\\vrl\\fotos\\sello.jpg)", "texto(1,20,Sello)"};

  Corre(QStringList{"impresora,pdf"} + formato, u'i');
  EXPECT_EQ(ImagenesDePdf(pdf), (QStringList{"1:120x60", "1:80x40"}));

  // Where they go, stretched over the rectangle: columns of 63, rows of 120
  // at 600 dpi.
  Corre(QStringList{"impresora,laser"} + formato, u'i');
  EXPECT_EQ(Dibujos(), (QStringList{"imagen 63,120-1260,720 de 120x60", "imagen 63,1320-630,1680 de 80x40",
                                    "texto 63,2400 Sello fondo blanco"}));
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}
