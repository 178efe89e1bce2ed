#pragma once
// The lines of a report script's pages (PaginasGuion of TFormaReporteSQL),
// kept as work records (platform/fs/RegistrosTrabajo.h), so a report of any
// length takes little memory. A line beginning with "*" is a title.
//
// A long run shows its first page while it goes on writing the rest. What
// the window shows reads the lines written so far (Escritas, Linea); a
// reader of the whole report (size, operator[], the conversion to a
// QStringList) has the run finished first, through the function the window
// gives while its run goes on (FijaCorrida).

#include "platform/fs/RegistrosTrabajo.h"

#include <QString>
#include <QStringList>

#include <functional>

class LineasGuion {
 public:
  // `carpeta`: the local path of the folder of the work file; empty: the
  // system's temporary folder.
  explicit LineasGuion(const QString& carpeta = {});

  // --- What the run has written so far; nothing waits for it.
  qsizetype Escritas() const { return static_cast<qsizetype>(registros_.Cuenta()); }
  QString Linea(qsizetype i) const;
  LineasGuion& operator<<(const QString& linea);
  LineasGuion& operator<<(const QStringList& lineas);
  void clear() { registros_.Vacia(); }

  // --- The whole report: the run is finished first.
  qsizetype size() const;
  bool isEmpty() const { return size() == 0; }
  QString operator[](qsizetype i) const;
  QString first() const { return (*this)[0]; }
  operator QStringList() const;

  // `fin` finishes the run that writes the lines; empty when none goes on.
  void FijaCorrida(std::function<void()> fin) { fin_ = std::move(fin); }

 private:
  void Termina() const;

  mutable fs::RegistrosTrabajo registros_;
  std::function<void()> fin_;
};
