#include "foundation/BotonEsquinado.h"
#include "support/RaizPrueba.h"

#include <QImage>

namespace {

// What the button paints, over magenta.
QImage Pinta(QWidget& w) {
  QImage imagen(w.size(), QImage::Format_RGB32);
  imagen.fill(Qt::magenta);
  w.render(&imagen, QPoint(), QRegion(), QWidget::DrawChildren);
  return imagen;
}

// Pixels of exactly that colour inside the face, away from the outlines.
int Cuenta(const QImage& imagen, const QColor& color) {
  int n = 0;
  for (int y = 12; y < imagen.height() - 12; ++y) {
    for (int x = 12; x < imagen.width() - 12; ++x) n += imagen.pixel(x, y) == color.rgb();
  }
  return n;
}

// The darkest pixel inside the face.
QRgb MasOscuro(const QImage& imagen) {
  QRgb oscuro = qRgb(255, 255, 255);
  for (int y = 12; y < imagen.height() - 12; ++y) {
    for (int x = 12; x < imagen.width() - 12; ++x) {
      if (qGray(imagen.pixel(x, y)) < qGray(oscuro)) oscuro = imagen.pixel(x, y);
    }
  }
  return oscuro;
}

}  // namespace

TEST(BotonEsquinado, EsquinasYCara) {
  struct Caso {
    int rx, ry;
    bool esquinaVacia;
  };
  for (const Caso& c : {Caso{40, 35, true}, Caso{20, 15, true}, Caso{0, 0, false}}) {
    TBotonEsquinado boton;
    boton.resize(120, 44);
    boton.SetRedondes_x(c.rx);
    boton.SetRedondes_y(c.ry);
    boton.SetEl_color(ui::clYellow);
    const QImage imagen = Pinta(boton);
    EXPECT_EQ(imagen.pixelColor(0, 0) == QColor(Qt::magenta), c.esquinaVacia) << c.rx;
    EXPECT_EQ(imagen.pixelColor(119, 43) == QColor(Qt::magenta), c.esquinaVacia) << c.rx;
    EXPECT_EQ(imagen.pixelColor(60, 22), QColor(Qt::yellow)) << c.rx;
    EXPECT_EQ(imagen.pixelColor(8, 22), QColor(Qt::yellow)) << c.rx;
  }
}

TEST(BotonEsquinado, TextoDeshabilitadoEnColorDeSombra) {
  TBotonEsquinado boton;
  boton.resize(160, 50);
  boton.SetRedondes_x(40);
  boton.SetRedondes_y(35);
  boton.SetEl_color(ui::clWhite);
  QFont letra = boton.font();
  letra.setPixelSize(16);
  letra.setBold(true);
  boton.setFont(letra);
  boton.setText("Termina (F10)");
  const QColor texto = boton.palette().color(QPalette::ButtonText);
  const QColor sombra = ui::ColorQt(ui::clBtnShadow, boton.palette());
  ASSERT_NE(texto, sombra);

  const QImage habilitado = Pinta(boton);
  EXPECT_GT(Cuenta(habilitado, texto), 20);
  EXPECT_EQ(MasOscuro(habilitado), texto.rgb());

  boton.setEnabled(false);
  const QImage deshabilitado = Pinta(boton);
  EXPECT_GT(Cuenta(deshabilitado, sombra), 20);
  EXPECT_EQ(MasOscuro(deshabilitado), sombra.rgb());
}
