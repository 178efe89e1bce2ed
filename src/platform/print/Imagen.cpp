#include "platform/print/Imagen.h"

#include "platform/Error.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace print {

namespace {

// libjpeg reports a fatal error through error_exit, which must not return:
// it jumps back to the decoder, which then gives up on the picture.
struct ErrorJpeg {
  jpeg_error_mgr base;
  std::jmp_buf salto;
};

[[noreturn]] void SalidaDeError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorJpeg*>(info->err)->salto, 1);
}

// Warnings of damaged but readable files are not printed on the console.
void SinMensajes(j_common_ptr) {}

// Decodes into *imagen. Only objects without destructors live in this frame,
// since a decoding error leaves it by longjmp. *cmykInvertido tells a CMYK
// picture written with inverted inks (the usual Adobe way).
bool Descomprime(const unsigned char* datos, unsigned long largo, QImage* imagen, bool* cmyk, bool* cmykInvertido) {
  jpeg_decompress_struct info;
  ErrorJpeg error;
  info.err = jpeg_std_error(&error.base);
  error.base.error_exit = SalidaDeError;
  error.base.output_message = SinMensajes;
  if (setjmp(error.salto)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, datos, largo);
  jpeg_read_header(&info, TRUE);
  QImage::Format formato = QImage::Format_RGB888;
  switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
      info.out_color_space = JCS_GRAYSCALE;
      formato = QImage::Format_Grayscale8;
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      info.out_color_space = JCS_CMYK;
      formato = QImage::Format_RGBX8888;  // four bytes a pixel, made RGB by the caller
      *cmyk = true;
      *cmykInvertido = info.saw_Adobe_marker;
      break;
    default:
      info.out_color_space = JCS_RGB;
      break;
  }
  jpeg_start_decompress(&info);
  *imagen = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), formato);
  if (imagen->isNull()) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  while (info.output_scanline < info.output_height) {
    JSAMPROW fila = imagen->scanLine(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &fila, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

// Compresses RGB888 rows into a buffer libjpeg allocates; as Descomprime,
// only objects without destructors live in this frame.
bool Comprime(const QImage& rgb, int calidad, unsigned char** salida, unsigned long* largo) {
  jpeg_compress_struct info;
  ErrorJpeg error;
  info.err = jpeg_std_error(&error.base);
  error.base.error_exit = SalidaDeError;
  error.base.output_message = SinMensajes;
  if (setjmp(error.salto)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, salida, largo);
  info.image_width = static_cast<JDIMENSION>(rgb.width());
  info.image_height = static_cast<JDIMENSION>(rgb.height());
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, calidad, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    auto* fila = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &fila, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

QImage CmykARgb(const QImage& cmyk, bool invertido) {
  QImage rgb(cmyk.size(), QImage::Format_RGB888);
  for (int y = 0; y < cmyk.height(); ++y) {
    const uchar* origen = cmyk.constScanLine(y);
    uchar* destino = rgb.scanLine(y);
    for (int x = 0; x < cmyk.width(); ++x, origen += 4, destino += 3) {
      const int k = invertido ? origen[3] : 255 - origen[3];
      for (int i = 0; i < 3; ++i) {
        const int tinta = invertido ? origen[i] : 255 - origen[i];
        destino[i] = static_cast<uchar>(tinta * k / 255);
      }
    }
  }
  return rgb;
}

bool EsJpeg(const QByteArray& bytes) { return bytes.startsWith("\xFF\xD8\xFF"); }

}  // namespace

QImage DecodificaJpeg(const QByteArray& bytes) {
  QImage imagen;
  bool cmyk = false;
  bool invertido = false;
  if (!Descomprime(reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<unsigned long>(bytes.size()),
                   &imagen, &cmyk, &invertido)) {
    return QImage();
  }
  return cmyk ? CmykARgb(imagen, invertido) : imagen;
}

QByteArray CodificaJpeg(const QImage& imagen, int calidad) {
  const QImage rgb = imagen.convertToFormat(QImage::Format_RGB888);
  if (rgb.isNull() || rgb.width() == 0 || rgb.height() == 0)
    throw plat::Error(plat::Clase::Io, QStringLiteral("No hay imagen que guardar"));
  unsigned char* salida = nullptr;
  unsigned long largo = 0;
  const bool hecho = Comprime(rgb, std::clamp(calidad, 1, 100), &salida, &largo);
  QByteArray bytes;
  if (hecho) bytes = QByteArray(reinterpret_cast<const char*>(salida), static_cast<qsizetype>(largo));
  std::free(salida);
  if (!hecho) throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo comprimir la imagen en JPEG"));
  return bytes;
}

QImage LeeImagen(const QString& archivo) {
  QFile f(archivo);
  if (!QFileInfo(archivo).isFile() || !f.open(QIODevice::ReadOnly)) {
    throw plat::Error(plat::Clase::NoExiste, QStringLiteral("No existe la imagen %1").arg(archivo));
  }
  const QByteArray bytes = f.readAll();
  QImage imagen;
  if (EsJpeg(bytes)) {
    imagen = DecodificaJpeg(bytes);
  } else {
    QBuffer buffer;
    buffer.setData(bytes);
    imagen = QImageReader(&buffer).read();
  }
  if (imagen.isNull()) {
    throw plat::Error(plat::Clase::Corrupto, QStringLiteral("No se pudo leer la imagen %1").arg(archivo));
  }
  return imagen;
}

}  // namespace print
