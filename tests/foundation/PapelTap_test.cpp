#include "foundation/PapelTap.h"
#include "support/RaizPrueba.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <algorithm>
#include <functional>

namespace {

// The wallpaper paints in a working folder of the test's root, where the
// cache files go.
class PapelTapizTest : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    anterior_ = QDir::currentPath();
    carpeta = raiz() + "/trabajo";
    QDir().mkpath(carpeta);
    QDir::setCurrent(carpeta);
  }
  void TearDown() override {
    QDir::setCurrent(anterior_);
    RaizPrueba::TearDown();
  }
  static QImage Pinta(QWidget& w) {
    QImage imagen(w.size(), QImage::Format_RGB32);
    imagen.fill(Qt::magenta);
    w.render(&imagen);
    return imagen;
  }
  QStringList Archivos() const { return QDir(carpeta).entryList(QDir::Files | QDir::Hidden); }

  QString carpeta;

 private:
  QString anterior_;
};

int Rampa(int y, int limite) { return std::min(3 * y, limite); }

}  // namespace

TEST_F(PapelTapizTest, DegradadoPorCanal) {
  struct Caso {
    QString variante;
    ui::TColor color;
    std::function<QColor(int)> linea;
  };
  for (const Caso& c : {
           Caso{"g", ui::clBlue, [](int y) { return QColor(0, Rampa(y, 255), 255); }},
           Caso{"", ui::clBlue, [](int y) { return QColor(0, Rampa(y, 255), 255); }},
           Caso{"x", 0x808080, [](int y) { const int v = 0x80 | Rampa(y, 117); return QColor(v, v, v); }},
           Caso{"r", 0x00FF8000, [](int y) { return QColor(Rampa(y, 255), 0x80, 0xFF); }},
           Caso{"b", ui::clRed, [](int y) { return QColor(255, 0, Rampa(y, 255)); }},
       }) {
    TPapelTapiz papel;
    papel.resize(30, 100);
    papel.SetColor(c.color);
    papel.SetColorVariante(c.variante);
    const QImage imagen = Pinta(papel);
    for (int y = 0; y < 100; ++y) {
      for (int x : {0, 29}) {
        ASSERT_EQ(imagen.pixelColor(x, y), c.linea(y)) << c.variante.toStdString() << " línea " << y;
      }
    }
    EXPECT_EQ(papel.ColorPrevio(), ui::ColorToString(c.color));
  }
  EXPECT_TRUE(Archivos().isEmpty()) << "sin Forma no se escribe caché";
}

TEST_F(PapelTapizTest, LaTiraDeCache) {
  TPapelTapiz papel;
  papel.resize(30, 100);
  papel.SetColor(ui::clBlue);
  papel.SetColorVariante("g");
  papel.SetForma("PapelTapiz2");
  Pinta(papel);
  EXPECT_EQ(papel.ColorPrevio(), "clBlue");

  // The top half of the gradient, 10 pixels wide, 32 bits per pixel.
  const QString ruta = carpeta + "/PapelTapiz2.bmp";
  QFile archivo(ruta);
  ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
  const QByteArray bytes = archivo.readAll();
  ASSERT_GE(bytes.size(), 54);
  EXPECT_EQ(bytes.left(2), "BM");
  EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 32);
  EXPECT_EQ(bytes.size(), 54 + 10 * 50 * 4);
  QImage tira(ruta);
  ASSERT_EQ(tira.size(), QSize(10, 50));
  for (int y = 0; y < 50; ++y) ASSERT_EQ(tira.pixelColor(9, y), QColor(0, 3 * y, 255)) << y;

  // The next paint stretches the strip: the lower half keeps its last colour.
  QImage segunda = Pinta(papel);
  EXPECT_EQ(segunda.pixelColor(29, 10), QColor(0, 30, 255));
  EXPECT_EQ(segunda.pixelColor(29, 70), QColor(0, 147, 255));

  // Another colour draws the gradient again and rewrites the strip.
  papel.SetColor(ui::clRed);
  const QImage tercera = Pinta(papel);
  EXPECT_EQ(tercera.pixelColor(29, 70), QColor(255, 210, 0));
  EXPECT_EQ(QImage(ruta).pixelColor(0, 10), QColor(255, 30, 0));
  EXPECT_EQ(papel.ColorPrevio(), "clRed");
  EXPECT_EQ(Archivos(), QStringList{"PapelTapiz2.bmp"});
}

TEST_F(PapelTapizTest, CacheIlegibleOAjena) {
  // A damaged strip is replaced by the gradient and rewritten.
  QFile dañado(carpeta + "/Fondo.bmp");
  ASSERT_TRUE(dañado.open(QIODevice::WriteOnly));
  dañado.write("no es una imagen");
  dañado.close();
  TPapelTapiz papel;
  papel.resize(20, 100);
  papel.SetColor(ui::clBlue);
  papel.SetForma("Fondo");
  EXPECT_EQ(Pinta(papel).pixelColor(0, 70), QColor(0, 210, 255));
  EXPECT_EQ(QImage(carpeta + "/Fondo.bmp").size(), QSize(10, 50));

  // Without a name, a file named just ".bmp" is never taken for a cache.
  QImage negro(10, 50, QImage::Format_RGB32);
  negro.fill(Qt::black);
  ASSERT_TRUE(negro.save(carpeta + "/.bmp", "BMP"));
  TPapelTapiz sinNombre;
  sinNombre.resize(20, 100);
  sinNombre.SetColor(ui::clBlue);
  EXPECT_EQ(Pinta(sinNombre).pixelColor(0, 70), QColor(0, 210, 255));
}

TEST_F(PapelTapizTest, ImagenEnMosaico) {
  QImage dibujo(3, 2, QImage::Format_RGB32);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) dibujo.setPixelColor(x, y, QColor(40 * x, 100 * y, 7));
  }
  TPapelTapiz papel;
  papel.resize(7, 5);
  papel.SetForma("Mosaico");
  papel.SetBitMap(dibujo);
  dibujo.fill(Qt::white);  // the wallpaper keeps its own copy
  const QImage imagen = Pinta(papel);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) ASSERT_EQ(imagen.pixelColor(x, y), QColor(40 * (x % 3), 100 * (y % 2), 7)) << x << "," << y;
  }
  EXPECT_TRUE(Archivos().isEmpty());
}
