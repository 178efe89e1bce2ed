#pragma once
// Records of any length appended one after another and read back by number,
// kept in memory while they are few and then in a work file (a temporary
// file of a folder, removed with the object), so any number of them takes
// a bounded amount of memory: the record starts, 8 bytes each, and two
// pieces of a megabyte (the records not yet written, the piece read last).
// A walk reads the file a piece at a time, forwards or backwards; records
// may be read while more are appended.
//
//   fs::RegistrosTrabajo r(carpetaLocal);
//   r.Agrega("uno");
//   r.Agrega("dos");
//   QByteArrayView dos = r.Lee(1);   // valid until the next call
//
// Errors of the work file are plat::Error (Io) naming it.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <vector>

class QTemporaryFile;

namespace fs {

class RegistrosTrabajo {
 public:
  // `carpeta`: the local path of the folder of the work file; empty: the
  // system's temporary folder. `prefijo` begins the work file's name.
  explicit RegistrosTrabajo(const QString& carpeta = {}, const QString& prefijo = QStringLiteral("trabajo"));
  ~RegistrosTrabajo();
  RegistrosTrabajo(const RegistrosTrabajo&) = delete;
  RegistrosTrabajo& operator=(const RegistrosTrabajo&) = delete;

  void Agrega(QByteArrayView registro);
  qint64 Cuenta() const { return static_cast<qint64>(inicios_.size()); }
  // Record n (from 0); the view lasts until the next call on this object.
  QByteArrayView Lee(qint64 n);
  // No records left; the work file goes.
  void Vacia();
  // Whether the records outgrew memory and went to the work file.
  bool EnArchivo() const { return archivo_ != nullptr; }

 private:
  void Vuelca();
  [[noreturn]] void Falla(const QString& que) const;

  QString carpeta_;
  QString prefijo_;
  std::vector<qint64> inicios_;  // where each record starts
  qint64 total_ = 0;             // bytes appended
  qint64 enArchivo_ = 0;         // bytes written to the file
  QByteArray bufer_;             // the bytes after enArchivo_
  std::unique_ptr<QTemporaryFile> archivo_;
  QByteArray ventana_;           // the piece of the file read last
  qint64 inicioVentana_ = -1;
};

}  // namespace fs
