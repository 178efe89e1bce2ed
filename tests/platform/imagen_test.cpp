// Pictures read from files: JPEG through libjpeg (colour, greyscale, CMYK),
// the rest through Qt, told apart by their bytes.

#include "platform/Error.h"
#include "platform/print/Imagen.h"
#include "support/RaizPrueba.h"

#include <QFile>
#include <QImage>

#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace {

class ImagenTest : public RaizPrueba {
 protected:
  QString Archivo(const QString& nombre) const { return raiz() + u'/' + nombre; }

  void Escribe(const QString& nombre, const QByteArray& bytes) const {
    QFile f(Archivo(nombre));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
};

// A JPEG of w × h pixels of one colour, written by libjpeg: `componentes`
// bytes a pixel in `espacio` (JCS_RGB, JCS_GRAYSCALE, JCS_CMYK); a CMYK
// picture gets the Adobe marker and inverted inks, as picture editors write
// them.
QByteArray Jpeg(int w, int h, J_COLOR_SPACE espacio, int componentes, std::vector<unsigned char> pixel) {
  jpeg_compress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* salida = nullptr;
  unsigned long largo = 0;
  jpeg_mem_dest(&info, &salida, &largo);
  info.image_width = static_cast<JDIMENSION>(w);
  info.image_height = static_cast<JDIMENSION>(h);
  info.input_components = componentes;
  info.in_color_space = espacio;
  jpeg_set_defaults(&info);
  if (espacio == JCS_CMYK) {
    jpeg_set_colorspace(&info, JCS_CMYK);
    info.write_Adobe_marker = TRUE;
    for (unsigned char& c : pixel) c = static_cast<unsigned char>(255 - c);
  }
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> fila;
  for (int x = 0; x < w; ++x) fila.insert(fila.end(), pixel.begin(), pixel.end());
  while (info.next_scanline < info.image_height) {
    JSAMPROW p = fila.data();
    jpeg_write_scanlines(&info, &p, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  QByteArray bytes(reinterpret_cast<const char*>(salida), static_cast<qsizetype>(largo));
  std::free(salida);
  return bytes;
}

bool Cerca(QColor a, QColor b) {
  return std::abs(a.red() - b.red()) <= 6 && std::abs(a.green() - b.green()) <= 6 && std::abs(a.blue() - b.blue()) <= 6;
}

}  // namespace

TEST_F(ImagenTest, JpegDeColorGrisYCmyk) {
  struct Caso {
    const char* nombre;
    QByteArray bytes;
    QSize tamano;
    QColor color;
  };
  const Caso casos[] = {
      {"rojo.jpg", Jpeg(120, 60, JCS_RGB, 3, {200, 30, 40}), {120, 60}, QColor(200, 30, 40)},
      {"gris.jpg", Jpeg(33, 17, JCS_GRAYSCALE, 1, {128}), {33, 17}, QColor(128, 128, 128)},
      // cyan 0, magenta 255, yellow 255, black 0: red
      {"cmyk.jpg", Jpeg(16, 8, JCS_CMYK, 4, {0, 255, 255, 0}), {16, 8}, QColor(255, 0, 0)},
      // a JPEG whatever its name says
      {"logo.bmp", Jpeg(10, 10, JCS_RGB, 3, {0, 0, 255}), {10, 10}, QColor(0, 0, 255)},
  };
  for (const Caso& c : casos) {
    Escribe(c.nombre, c.bytes);
    const QImage imagen = print::LeeImagen(Archivo(c.nombre));
    EXPECT_EQ(imagen.size(), c.tamano) << c.nombre;
    EXPECT_TRUE(Cerca(imagen.pixelColor(c.tamano.width() / 2, c.tamano.height() / 2), c.color))
        << c.nombre << " " << imagen.pixelColor(c.tamano.width() / 2, c.tamano.height() / 2).name().toStdString();
  }
}

TEST_F(ImagenTest, BmpPorQtYErroresClaros) {
  QImage bmp(40, 20, QImage::Format_RGB32);
  bmp.fill(Qt::green);
  ASSERT_TRUE(bmp.save(Archivo("logo.bmp"), "BMP"));
  const QImage leida = print::LeeImagen(Archivo("logo.bmp"));
  EXPECT_EQ(leida.size(), QSize(40, 20));
  EXPECT_EQ(leida.pixelColor(5, 5), QColor(Qt::green));

  const QByteArray jpeg = Jpeg(50, 50, JCS_RGB, 3, {1, 2, 3});
  Escribe("cortado.jpg", jpeg.left(20));  // ends before its frame header
  Escribe("texto.jpg", "no es una imagen");
  struct Caso {
    const char* nombre;
    plat::Clase clase;
  };
  for (const Caso& c : {Caso{"falta.jpg", plat::Clase::NoExiste}, Caso{"cortado.jpg", plat::Clase::Corrupto},
                        Caso{"texto.jpg", plat::Clase::Corrupto}}) {
    try {
      print::LeeImagen(Archivo(c.nombre));
      ADD_FAILURE() << c.nombre;
    } catch (const plat::Error& e) {
      EXPECT_EQ(e.clase(), c.clase) << c.nombre;
      EXPECT_TRUE(e.mensaje().contains(c.nombre)) << e.what();
    }
  }
}
