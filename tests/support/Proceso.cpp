#include "support/Proceso.h"

#include "support/RaizPrueba.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QMap>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

namespace prueba {
namespace {

constexpr const char* kOpcion = "--rutina-hija";

QMap<QString, RutinaHija>& Rutinas() {
  static QMap<QString, RutinaHija> rutinas;
  return rutinas;
}

}  // namespace

bool RegistraRutinaHija(const char* nombre, RutinaHija rutina) {
  // Two test files of one program naming their routines alike would run the
  // wrong one in the child: stop at start-up instead.
  if (Rutinas().contains(QString::fromLatin1(nombre))) {
    std::fprintf(stderr, "Rutina hija repetida: %s\n", nombre);
    std::abort();
  }
  Rutinas().insert(QString::fromLatin1(nombre), std::move(rutina));
  return true;
}

int EjecutaRutinaHija(int argc, char** argv) {
  if (argc < 3 || std::string(argv[1]) != kOpcion) return -1;
  QCoreApplication app(argc, argv);
  const QString nombre = QString::fromLocal8Bit(argv[2]);
  QStringList argumentos;
  for (int i = 3; i < argc; ++i) argumentos << QString::fromLocal8Bit(argv[i]);
  const auto it = Rutinas().constFind(nombre);
  if (it == Rutinas().constEnd()) {
    std::fprintf(stderr, "rutina hija desconocida: %s\n", argv[2]);
    return 125;
  }
  try {
    return (*it)(argumentos);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "rutina hija %s: %s\n", argv[2], e.what());
    return 124;
  }
}

void AvisaPadre(const QString& linea) {
  std::fputs((linea + u'\n').toUtf8().constData(), stdout);
  std::fflush(stdout);
}

QString EsperaPadre() {
  std::string linea;
  if (!std::getline(std::cin, linea)) return {};
  return QString::fromUtf8(linea.c_str());
}

ProcesoHijo::ProcesoHijo(const QString& rutina, const QStringList& argumentos)
    : p_(std::make_unique<QProcess>()), rutina_(rutina) {
  p_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
  p_->start(QCoreApplication::applicationFilePath(), QStringList{QString::fromLatin1(kOpcion), rutina} + argumentos);
  if (!p_->waitForStarted(10000)) ADD_FAILURE() << "no arrancó la rutina hija " << rutina.toStdString();
}

ProcesoHijo::~ProcesoHijo() {
  if (p_->state() != QProcess::NotRunning) Mata();
}

QString ProcesoHijo::EsperaLinea(int ms) {
  while (!p_->canReadLine()) {
    if (p_->state() == QProcess::NotRunning || !p_->waitForReadyRead(ms)) {
      if (p_->canReadLine()) break;
      ADD_FAILURE() << "la rutina hija " << rutina_.toStdString() << " no escribió la línea esperada";
      return {};
    }
  }
  return QString::fromUtf8(p_->readLine()).trimmed();
}

void ProcesoHijo::Envia(const QString& linea) {
  p_->write((linea + u'\n').toUtf8());
  p_->waitForBytesWritten(5000);
}

int ProcesoHijo::Espera(int ms) {
  if (!p_->waitForFinished(ms) && p_->state() != QProcess::NotRunning) {
    ADD_FAILURE() << "la rutina hija " << rutina_.toStdString() << " no terminó";
    Mata();
    return -1;
  }
  if (p_->exitStatus() != QProcess::NormalExit) {
    ADD_FAILURE() << "la rutina hija " << rutina_.toStdString() << " terminó de forma anormal";
    return -1;
  }
  return p_->exitCode();
}

bool ProcesoHijo::EsperaQueMuera(int ms) {
  if (!p_->waitForFinished(ms) && p_->state() != QProcess::NotRunning) {
    ADD_FAILURE() << "la rutina hija " << rutina_.toStdString() << " no se detuvo";
    Mata();
    return false;
  }
  if (p_->exitStatus() != QProcess::CrashExit) {
    ADD_FAILURE() << "la rutina hija " << rutina_.toStdString() << " terminó sola (código " << p_->exitCode() << ")";
    return false;
  }
  return true;
}

std::optional<int> ProcesoHijo::EsperaFin(int ms) {
  if (!p_->waitForFinished(ms) && p_->state() != QProcess::NotRunning) {
    ADD_FAILURE() << "la rutina hija " << rutina_.toStdString() << " no terminó";
    Mata();
    return std::nullopt;
  }
  if (p_->exitStatus() != QProcess::NormalExit) return std::nullopt;
  return p_->exitCode();
}

void ProcesoHijo::Mata() {
  p_->kill();
  p_->waitForFinished(10000);
}

qint64 ProcesoHijo::Pid() const { return p_->processId(); }

int MuereEnCadaEscritura(const QString& raiz, const QString& rutina, const QStringList& argumentos,
                         const QList<PuntoDeFalla>& puntos, const std::function<void(bool murio)>& revisa,
                         int maxPasadas) {
  QTemporaryDir aparte;
  const QString copia = QDir(aparte.path()).absoluteFilePath("inicial");
  RaizPrueba::CopiaArbol(raiz, copia);
  int muertes = 0;
  for (const PuntoDeFalla& punto : puntos) {
    const int ultima = punto.pasadas.isEmpty() ? maxPasadas : punto.pasadas.last();
    for (int pasada = 1; pasada <= ultima; ++pasada) {
      if (!punto.pasadas.isEmpty() && !punto.pasadas.contains(pasada)) continue;
      SCOPED_TRACE((punto.punto + u' ' + QString::number(pasada)).toStdString());
      RaizPrueba::CopiaArbol(copia, raiz);
      QStringList a = argumentos;
      if (!punto.punto.isEmpty()) a << punto.punto;
      a << QString::number(pasada);
      ProcesoHijo estacion(rutina, a);
      if (estacion.EsperaLinea(60000) != QStringLiteral("ARMADO")) return muertes;
      const bool murio = !estacion.EsperaFin().has_value();
      if (murio) ++muertes;
      else EXPECT_TRUE(punto.pasadas.isEmpty()) << "the operation ended before the point";
      revisa(murio);
      if (!murio) break;
    }
  }
  RaizPrueba::CopiaArbol(copia, raiz);
  return muertes;
}

}  // namespace prueba
