#pragma once
// Pictures read from files for the printer canvas and the windows that show
// them, and pictures written as JPEG. A JPEG file is decoded and encoded by
// libjpeg; BMP, PNG and the other formats Qt
// reads go through Qt. A file is told by its first bytes, not by its name, so
// a JPEG saved as "logo.bmp" still shows.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace print {

// The picture of a local file. Throws plat::Error: NoExiste when there is no
// such file, Corrupto when its bytes are no picture that can be read.
QImage LeeImagen(const QString& archivo);

// The picture of the bytes of a JPEG file (greyscale, colour or CMYK); a
// null image when they cannot be decoded.
QImage DecodificaJpeg(const QByteArray& bytes);

// The bytes of a JPEG file of the picture (colour, baseline) at the quality
// given, 1 to 100. Throws plat::Error (Io) when it cannot be encoded.
QByteArray CodificaJpeg(const QImage& imagen, int calidad);

}  // namespace print
