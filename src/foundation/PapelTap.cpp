#include "foundation/PapelTap.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>
#include <QtEndian>

#include <cmath>

namespace {

// The picture as a 32-bit uncompressed bitmap file: file header, 40-byte
// information header, rows from the bottom up, bytes blue, green, red, 0.
QByteArray Bmp32(const QImage& imagen) {
  const int ancho = imagen.width();
  const int alto = imagen.height();
  const quint32 datos = static_cast<quint32>(ancho) * static_cast<quint32>(alto) * 4;
  QByteArray bytes(54, '\0');
  char* c = bytes.data();
  c[0] = 'B';
  c[1] = 'M';
  qToLittleEndian<quint32>(54 + datos, c + 2);
  qToLittleEndian<quint32>(54, c + 10);
  qToLittleEndian<quint32>(40, c + 14);
  qToLittleEndian<qint32>(ancho, c + 18);
  qToLittleEndian<qint32>(alto, c + 22);
  qToLittleEndian<quint16>(1, c + 26);
  qToLittleEndian<quint16>(32, c + 28);
  qToLittleEndian<quint32>(datos, c + 34);
  bytes.reserve(54 + static_cast<qsizetype>(datos));
  for (int y = alto - 1; y >= 0; --y) {
    for (int x = 0; x < ancho; ++x) {
      const QRgb px = imagen.pixel(x, y);
      const char bgr0[4] = {static_cast<char>(qBlue(px)), static_cast<char>(qGreen(px)), static_cast<char>(qRed(px)), 0};
      bytes.append(bgr0, 4);
    }
  }
  return bytes;
}

}  // namespace

TPapelTapiz::TPapelTapiz(QWidget* owner) : QWidget(owner) { resize(50, 50); }

void TPapelTapiz::SetBitMap(const QImage& imagen) {
  if (imagen == bitMap_) return;
  bitMap_ = imagen;
  update();
}

void TPapelTapiz::SetColor(ui::TColor valor) {
  color_ = valor;
  update();
}

void TPapelTapiz::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (!bitMap_.isNull()) {
    Tesela(p);
  } else {
    const int alto = height();
    int paso = 1;
    if (alto < 256) paso = alto > 0 ? static_cast<int>(std::lround(256.0 / alto)) : 256;
    if (colorVariante_.isEmpty()) colorVariante_ = QStringLiteral("g");
    const int limite = colorVariante_ == QStringLiteral("x") ? 120 : 256;
    const QString nombre = ui::ColorToString(color_);
    if (colorPrevio_.isEmpty()) colorPrevio_ = nombre;
    // Without a name there is no cache: nothing is read or written.
    const QString ruta = forma_.isEmpty() ? QString() : QDir::current().filePath(forma_ + QStringLiteral(".bmp"));
    const bool delCache = !ruta.isEmpty() && QFileInfo::exists(ruta) && colorPrevio_ == nombre && DesdeCache(p, ruta);
    if (!delCache) Degradado(p, paso, limite, ruta);
  }
  colorPrevio_ = ui::ColorToString(color_);
}

void TPapelTapiz::Tesela(QPainter& p) {
  const int ancho = bitMap_.width();
  const int alto = bitMap_.height();
  for (int columna = 0; columna <= width() / ancho; ++columna) {
    for (int fila = 0; fila <= height() / alto; ++fila) p.drawImage(columna * ancho, fila * alto, bitMap_);
  }
}

bool TPapelTapiz::DesdeCache(QPainter& p, const QString& ruta) {
  const QImage tira(ruta);
  if (tira.isNull()) return false;  // unreadable: the gradient is drawn and the file rewritten
  const int alto = tira.height();
  p.drawImage(QRect(0, 0, 10, alto), tira, QRect(0, 0, 10, alto));
  p.drawImage(QRect(0, 0, width(), alto), tira);
  const QColor ultimo = tira.pixelColor(tira.width() - 1, alto - 1);
  if (height() > alto) p.fillRect(QRect(0, alto, width(), height() - alto), ultimo);
  return true;
}

void TPapelTapiz::Degradado(QPainter& p, int paso, int limite, const QString& ruta) {
  const QColor base = ui::ColorQt(color_, palette());
  const uint32_t rgbBase = static_cast<uint32_t>(base.red()) | (static_cast<uint32_t>(base.green()) << 8) |
                           (static_cast<uint32_t>(base.blue()) << 16);
  const int alto = height();
  QImage tira(10, static_cast<int>(alto * 0.5), QImage::Format_RGB32);
  uint32_t linea = 0;
  for (int y = 0; y <= alto; ++y) {
    const int v = y * paso;
    if (v < limite) {
      const auto c = static_cast<uint32_t>(v);
      if (colorVariante_ == QStringLiteral("b")) linea = c << 16;
      else if (colorVariante_ == QStringLiteral("g")) linea = c << 8;
      else if (colorVariante_ == QStringLiteral("r")) linea = c;
      else if (colorVariante_ == QStringLiteral("x")) linea = c | (c << 8) | (c << 16);
      else linea = 0;  // an unknown channel leaves the base colour plain
    }
    const uint32_t valor = linea | rgbBase;
    const QColor color(valor & 0xFF, (valor >> 8) & 0xFF, (valor >> 16) & 0xFF);
    p.fillRect(QRect(0, y, width(), 1), color);
    if (y < tira.height()) tira.setPixelColor(0, y, color);
  }
  if (ruta.isEmpty() || tira.isNull()) return;
  for (int y = 0; y < tira.height(); ++y) {
    QRgb* fila = reinterpret_cast<QRgb*>(tira.scanLine(y));
    std::fill(fila + 1, fila + 10, fila[0]);
  }
  // Replaced whole, so another copy of the program never reads half a file.
  // The cache only saves time: a folder that refuses it costs a warning.
  QSaveFile archivo(ruta);
  if (!archivo.open(QIODevice::WriteOnly) || archivo.write(Bmp32(tira)) < 0 || !archivo.commit()) {
    qWarning("No se pudo guardar %s", qUtf8Printable(ruta));
  }
}
