#pragma once
// A fresh root for each test: $VORLAN_ROOT points at a temporary folder that
// holds the program folder c:\VRL, the clock is free, the modal gate is empty.
// At the end, a modal window shown without an answer or an answer never used
// fails the test.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Texts shown as text in test failures.
inline void PrintTo(const QString& texto, std::ostream* os) { *os << '"' << texto.toStdString() << '"'; }

class RaizPrueba : public ::testing::Test {
 public:
  // Copies a local folder tree over another (which is emptied first): a
  // company kept aside and put back between the passes of a crash test.
  static void CopiaArbol(const QString& de, const QString& a);

 protected:
  void SetUp() override;
  void TearDown() override;

  // The local path of the root.
  QString raiz() const { return dir_->path(); }
  // Writes lines (CR LF, Windows-1252) to a Windows-form path, creating folders.
  static void EscribeLineas(const QString& ruta, const QStringList& lineas);
  static void EscribeBytes(const QString& ruta, const QByteArray& bytes);
  // Messages shown so far.
  static QStringList Mensajes();

 private:
  std::unique_ptr<QTemporaryDir> dir_;
};
