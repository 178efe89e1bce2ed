#pragma once
// A company for the maintenance tests: the start file names Gener1.cnf, whose
// line 8 is the data folder C:\VRL\DATOS (created, and the shared event log's
// folder); the clock stands at 8 December 2026, 10:15:00.

#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/PuertaModal.h"
#include "support/RaizPrueba.h"

#include <QDialog>
#include <QDir>
#include <QFile>

#include <functional>

inline const QString kDatos = QStringLiteral("C:\\VRL\\DATOS");

class MantenimientoPrueba : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    EscribeLineas(kArchivoInicio, {"C:\\VRL", "C:\\VRL\\Gener1.cnf", ""});
    QStringList lineas(90);
    lineas[0] = "NO";
    lineas[7] = kDatos;
    EscribeLineas("C:\\VRL\\Gener1.cnf", lineas);
    fs::CreaCarpeta(kDatos);
    QString carpeta;
    CarpetaLocal(carpeta);
    FijaCarpetaBitacora();
    fs::FijaAhora(QDateTime(QDate(2026, 12, 8), QTime(10, 15, 0)));
  }

  // Shows the window modally through the gate and runs `guion` on it;
  // returns whether the window was still open when the script ended.
  template <class T>
  static bool Muestra(T& ventana, const std::function<void(T&)>& guion) {
    bool abierta = false;
    ui::PuertaModal::Espera(T::staticMetaObject.className(), [&](QDialog& d) {
      guion(static_cast<T&>(d));
      abierta = d.isVisible();
    });
    ventana.ShowModal();
    return abierta;
  }
};

// The bytes of a file (Windows form); empty when it cannot be read.
inline QByteArray Bytes(const QString& ruta) {
  QFile f(fs::Local(ruta));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The names in a folder (Windows form), hidden ones too, sorted.
inline QStringList Entradas(const QString& carpeta) {
  return QDir(fs::Local(carpeta)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                            QDir::Name);
}

// The texts of the shared event log, without their date-time lines.
inline QStringList TextosBitacora() {
  QStringList textos;
  const QString ruta = fs::Une(kDatos, "Bitacora.txt");
  if (!fs::ExisteArchivo(ruta)) return textos;
  const QStringList lineas = fs::LeeLineas(ruta);
  for (qsizetype i = 1; i < lineas.size(); i += 2) textos << lineas[i];
  return textos;
}

// Writes the bytes to a file (Windows form), creating its folders.
inline void EscribeArchivo(const QString& ruta, const QByteArray& bytes) {
  fs::CreaCarpeta(fs::CarpetaDe(ruta));
  fs::EscribeAtomico(ruta, bytes);
}
