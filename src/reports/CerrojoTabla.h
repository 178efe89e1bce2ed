#pragma once
// A work table that every copy of the program started from one program
// folder shares (BaseTempo.dbf of the query runner, tempo.dbf of the custom
// reports): one run holds it from before it is made until it has been read,
// so no other copy drops or fills it meanwhile. A view list (.for, Vistas.h)
// is held the same way while a station adds to it or cleans it. The hold is a lock file
// beside the table (its name with ".lck" in place of the extension); a copy
// that stops without letting go is found out by its process id.

#include <QString>

#include <memory>

class QLockFile;

class CerrojoTabla {
 public:
  // The table's path, in Windows form.
  explicit CerrojoTabla(QString tabla);
  ~CerrojoTabla();
  CerrojoTabla(const CerrojoTabla&) = delete;
  CerrojoTabla& operator=(const CerrojoTabla&) = delete;

  // True when it holds the table, after waiting the table layer's bounded
  // time for another copy to let it go. Throws plat::Error when the lock
  // file cannot be made.
  bool Toma();
  const QString& Tabla() const { return tabla_; }

 private:
  QString tabla_;
  std::unique_ptr<QLockFile> cerrojo_;
};
