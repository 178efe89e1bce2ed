#include "platform/print/Jpeg.h"

#include "platform/Error.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace print {

namespace {

// libjpeg reports a fatal error through error_exit, which must not return.
struct ErrorCompresion {
  jpeg_error_mgr base;
  std::jmp_buf salto;
};

[[noreturn]] void SalidaDeError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorCompresion*>(info->err)->salto, 1);
}

void SinMensajes(j_common_ptr) {}

// Compresses RGB888 rows into a buffer libjpeg allocates. Only objects
// without destructors live in this frame, since an error leaves it by
// longjmp.
bool Comprime(const QImage& rgb, int calidad, unsigned char** salida, unsigned long* largo) {
  jpeg_compress_struct info;
  ErrorCompresion error;
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

}  // namespace

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

}  // namespace print
