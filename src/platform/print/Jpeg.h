#pragma once
// Pictures written as JPEG files, through libjpeg.

#include <QByteArray>
#include <QImage>

namespace print {

// The bytes of a JPEG file of the picture (colour, baseline) at the quality
// given, 1 to 100. Throws plat::Error (Io) when libjpeg cannot encode it.
QByteArray CodificaJpeg(const QImage& imagen, int calidad);

}  // namespace print
