#include "platform/fs/RegistrosTrabajo.h"

#include "platform/Error.h"

#include <QDir>
#include <QTemporaryFile>

namespace fs {

namespace {

// Bytes held in memory before the records go to the work file, and the
// pieces the file is then written and read in.
constexpr qsizetype kLimiteMemoria = 4 << 20;
constexpr qsizetype kPieza = 1 << 20;

}  // namespace

RegistrosTrabajo::RegistrosTrabajo(const QString& carpeta, const QString& prefijo)
    : carpeta_(carpeta), prefijo_(prefijo) {}

RegistrosTrabajo::~RegistrosTrabajo() = default;

void RegistrosTrabajo::Falla(const QString& que) const {
  throw plat::Error(plat::Clase::Io, que + (archivo_ ? QStringLiteral(" ") + archivo_->fileName() +
                                                            QStringLiteral(": ") + archivo_->errorString()
                                                      : QString()));
}

void RegistrosTrabajo::Agrega(QByteArrayView registro) {
  inicios_.push_back(total_);
  bufer_.append(registro.data(), registro.size());
  total_ += registro.size();
  if (bufer_.size() >= (archivo_ ? kPieza : kLimiteMemoria)) Vuelca();
}

void RegistrosTrabajo::Vuelca() {
  if (!archivo_) {
    const QString carpeta = carpeta_.isEmpty() ? QDir::tempPath() : carpeta_;
    archivo_ = std::make_unique<QTemporaryFile>(QDir(carpeta).filePath(prefijo_ + QStringLiteral("_XXXXXX.tmp")));
    if (!archivo_->open()) {
      const QString motivo = archivo_->errorString();
      archivo_.reset();
      throw plat::Error(plat::Clase::Io,
                        QStringLiteral("No se pudo crear un archivo de trabajo en ") + carpeta + QStringLiteral(": ") + motivo);
    }
  }
  if (!archivo_->seek(enArchivo_) || archivo_->write(bufer_) != bufer_.size() || !archivo_->flush())
    Falla(QStringLiteral("No se pudo escribir el archivo de trabajo"));
  enArchivo_ += bufer_.size();
  bufer_.clear();
}

QByteArrayView RegistrosTrabajo::Lee(qint64 n) {
  const qint64 inicio = inicios_[static_cast<size_t>(n)];
  const qint64 fin = n + 1 < Cuenta() ? inicios_[static_cast<size_t>(n + 1)] : total_;
  if (inicio >= enArchivo_) return QByteArrayView(bufer_.constData() + (inicio - enArchivo_), fin - inicio);
  if (inicioVentana_ < 0 || inicio < inicioVentana_ || fin > inicioVentana_ + ventana_.size()) {
    // A walk backwards reads the piece that ends with the record; any other
    // the one that starts with it.
    const bool atras = inicioVentana_ >= 0 && inicio < inicioVentana_;
    const qint64 tamano = std::max<qint64>(kPieza, fin - inicio);
    inicioVentana_ = atras ? std::max<qint64>(0, fin - tamano) : inicio;
    ventana_.clear();
    if (!archivo_->seek(inicioVentana_)) Falla(QStringLiteral("No se pudo leer el archivo de trabajo"));
    ventana_ = archivo_->read(std::min(tamano, enArchivo_ - inicioVentana_));
    if (ventana_.size() < fin - inicioVentana_) {
      inicioVentana_ = -1;
      Falla(QStringLiteral("No se pudo leer el archivo de trabajo"));
    }
  }
  return QByteArrayView(ventana_.constData() + (inicio - inicioVentana_), fin - inicio);
}

void RegistrosTrabajo::Vacia() {
  archivo_.reset();
  inicios_.clear();
  inicios_.shrink_to_fit();
  total_ = enArchivo_ = 0;
  bufer_ = QByteArray();
  ventana_ = QByteArray();
  inicioVentana_ = -1;
}

}  // namespace fs
