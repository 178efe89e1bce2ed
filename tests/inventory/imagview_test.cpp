// The picture viewer of a product: real JPEG and BMP files, the description
// kept beside the picture, printing the window, and a picture that is gone.

#include "inventory/imagview.h"
#include "platform/fs/Rutas.h"
#include "platform/print/Imagen.h"
#include "platform/print/Impresora.h"
#include "platform/print/Impresoras.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/PuertaModal.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"

#include <QBuffer>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>

#include <functional>

namespace {

using prueba::Pulsa;
using prueba::Tecla;
using prueba::Teclea;

// A picture of w × h pixels, a red band over blue.
QImage Foto(int w, int h) {
  QImage foto(w, h, QImage::Format_RGB32);
  foto.fill(Qt::blue);
  for (int y = 0; y < h / 3; ++y)
    for (int x = 0; x < w; ++x) foto.setPixelColor(x, y, Qt::red);
  return foto;
}

QByteArray Bmp(const QImage& foto) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  foto.save(&buffer, "BMP");
  return bytes;
}

QByteArray Bytes(const QString& ruta) {
  QFile f(fs::Local(ruta));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(no existe)");
}

class VisorImagen : public RaizPrueba {
 protected:
  void TearDown() override {
    print::Impresora::Global().Restablece();
    print::RefrescaImpresoras();
    RaizPrueba::TearDown();
  }

  // Shows the picture and runs the script on the viewer.
  static void Muestra(const QString& archivo, const std::function<void(TFormaImagen&)>& guion) {
    ui::PuertaModal::Espera("TFormaImagen", [&](QDialog& d) { guion(static_cast<TFormaImagen&>(d)); });
    MuestraImagen(archivo);
  }
};

TEST_F(VisorImagen, MuestraJpegYBmpConLaDescripcionQueSeGuardaAlLado) {
  struct Caso {
    const char* archivo;
    QByteArray bytes;
  };
  const Caso casos[] = {{"C:\\FOTOS\\p1.jpg", print::CodificaJpeg(Foto(64, 48), 90)},
                        {"C:\\FOTOS\\p2.bmp", Bmp(Foto(30, 500))}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.archivo);
    EscribeBytes(c.archivo, c.bytes);
    const QSize tamano = print::DecodificaJpeg(c.bytes).isNull() ? QImage::fromData(c.bytes).size()
                                                                 : print::DecodificaJpeg(c.bytes).size();
    // The path as the product keeps it, in another case than the folder's.
    const QString guardada = QString(c.archivo).replace("C:\\FOTOS", "c:\\fotos");
    Muestra(guardada, [&](TFormaImagen& f) {
      EXPECT_TRUE(f.windowFlags().testFlag(Qt::FramelessWindowHint));
      EXPECT_EQ(f.Imagen->pixmap().size(), tamano);
      EXPECT_EQ(f.Imagen->size(), QSize(321, 313));
      EXPECT_EQ(f.Descripcion->toPlainText(), "");
      Teclea(f, "Descripcion", "Tornillo de cabeza hexagonal");
      Tecla(f, "Descripcion", Qt::Key_Return);
      Teclea(f, "Descripcion", "acero, tamaño ½\"");
      Pulsa(f, "SpeedButton1");
      Pulsa(f, "BotonSalir");
      EXPECT_FALSE(f.isVisible());
    });
    EXPECT_EQ(Bytes(QString(c.archivo) + ".dat"), "Tornillo de cabeza hexagonal\r\nacero, tama\xF1o \xBD\"\r\n");
    Muestra(guardada, [](TFormaImagen& f) {
      EXPECT_EQ(f.Descripcion->toPlainText(), "Tornillo de cabeza hexagonal\nacero, tamaño ½\"");
      f.Panel2->Click();
      EXPECT_FALSE(f.isVisible());
    });
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(VisorImagen, UnaImagenQueYaNoEstaSoloLoDice) {
  MuestraImagen("c:\\fotos\\borrada.jpg");
  EXPECT_EQ(Mensajes(), QStringList{kSinImagen});
  EXPECT_EQ(FormaImagen(), nullptr);
}

// The double click fits the picture to the box's width, stretched and not
// by turns; not stretched, the box is as tall as the picture.
TEST_F(VisorImagen, ElDobleClicAjustaLaImagenAlAnchoDeLaCaja) {
  EscribeBytes("c:\\fotos\\ancha.bmp", Bmp(Foto(642, 400)));
  Muestra("c:\\fotos\\ancha.bmp", [](TFormaImagen& f) {
    prueba::DobleClic(f.Imagen);
    EXPECT_EQ(f.Imagen->size(), QSize(321, 200));
    EXPECT_TRUE(f.Imagen->hasScaledContents());
    prueba::DobleClic(f.Imagen);
    EXPECT_EQ(f.Imagen->size(), QSize(321, 400));
    EXPECT_FALSE(f.Imagen->hasScaledContents());
  });
}

TEST_F(VisorImagen, ImprimirDaUnaPaginaConLaVentanaSinSuTitulo) {
  const QString pdf = raiz() + "/imagen.pdf";
  print::FijaImpresorasPrueba({{"PDF", "", print::TipoImpresora::Pdf, pdf, 0}}, 0);
  print::Impresora::Global().Restablece();
  EscribeBytes("c:\\fotos\\p1.jpg", print::CodificaJpeg(Foto(64, 48), 90));
  Muestra("c:\\fotos\\p1.jpg", [](TFormaImagen& f) {
    Pulsa(f, "BotonImprimir");
    EXPECT_TRUE(f.Panel1->isVisible());
  });
  QProcess info;
  info.start("pdfinfo", {pdf});
  ASSERT_TRUE(info.waitForFinished(20000));
  EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+1\\n")));
  QProcess imagenes;
  imagenes.start("pdfimages", {"-png", pdf, raiz() + "/pagina"});
  ASSERT_TRUE(imagenes.waitForFinished(20000));
  // The one picture of the page is the window; where its title panel was
  // there is only the window's ground.
  const QImage ventana(raiz() + "/pagina-000.png");
  ASSERT_EQ(ventana.size(), QSize(560, 352));
  EXPECT_FALSE(QFile::exists(raiz() + "/pagina-001.png"));
  const QColor fondo = ventana.pixelColor(2, 2);
  int distintos = 0;
  for (int y = 4; y < 24; ++y)
    for (int x = 4; x < 556; ++x)
      if (std::abs(ventana.pixelColor(x, y).lightness() - fondo.lightness()) > 24) ++distintos;
  EXPECT_EQ(distintos, 0);
  EXPECT_NE(ventana.pixelColor(20, 35), fondo);  // the picture is there
  EXPECT_EQ(Mensajes(), QStringList());
}

}  // namespace
