#include "foundation/rutinas.h"

#include "foundation/dialogos.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"

#include <QStringList>

#include <unistd.h>

QString CarpetaProgramaRutinas;

namespace {

// Line n of a text file that exists: the last of n reads from the top, so
// lines past the end, and n below 1, read as empty texts. Input/output errors
// reach the caller.
QString LineaDeArchivo(const QString& ruta, int n) {
  if (n < 1) return QString();
  const QStringList lineas = fs::LeeLineas(ruta);
  return n <= lineas.size() ? lineas[n - 1] : QString();
}

}  // namespace

QString CarpetaPrograma(const QString& extra) {
  const QString carpeta = fs::CarpetaDelPrograma();
  if (carpeta.size() <= 2) return extra;
  return carpeta + extra;
}

void CarpetaLocal(QString& salida) {
  salida = CarpetaPrograma(QString());
  CarpetaProgramaRutinas = salida;
}

void ArchivoConfiguracion(QString& salida) {
  if (!fs::ExisteArchivo(kArchivoInicio)) {
    MuestraMensaje(QStringLiteral("El Archivo de Inicio No Existe Revise su configuración"));
    return;
  }
  // Line 1 and then line 2 are read into one variable, so a one-line file
  // leaves line 1's text and a shorter one nothing.
  const QStringList lineas = fs::LeeLineas(kArchivoInicio);
  QString linea;
  for (int i = 0; i < 2; ++i) linea = i < lineas.size() ? lineas[i] : QString();
  QString carpeta;
  CarpetaLocal(carpeta);
  salida = carpeta + QStringLiteral("\\") + fs::NombreArchivo(linea);
}

void LeeLineaConfig(int n, QString& salida) {
  QString ruta;
  ArchivoConfiguracion(ruta);
  if (ruta.isEmpty() || !fs::ExisteArchivo(ruta)) {
    QString otra;
    ArchivoConfiguracion(otra);
    MuestraMensaje(QStringLiteral("El Archivo ") + otra + QStringLiteral(" No Existe"));
    return;
  }
  salida = LineaDeArchivo(ruta, n);
}

void LeeLineaArchivo(int n, const QString& nombre, QString& salida) {
  const QString ruta = CarpetaProgramaRutinas + QStringLiteral("\\") + nombre;
  if (!fs::ExisteArchivo(ruta)) {
    MuestraMensaje(QStringLiteral("El Archivo ") + nombre + QStringLiteral(" No Existe"));
    return;
  }
  salida = LineaDeArchivo(ruta, n);
}

void AgregaLineaArchivo(bool habilitado, const QString& ruta, const QString& linea) {
  if (!habilitado) return;
  try {
    fs::AgregaLinea(ruta, linea);
  } catch (...) {
    // A history line that cannot be written is not worth stopping for.
  }
}

void NombreComputadora(QString& salida) {
  char nombre[256] = {};
  if (::gethostname(nombre, sizeof nombre - 1) != 0) {
    salida.clear();
    return;
  }
  salida = QString::fromLocal8Bit(nombre).left(15);
}

void ElementoSeparado(const QString& texto, int n, QChar separador, QString& salida) {
  const QString completo = texto + separador;
  int contador = 1;
  QString acumulado;
  for (QChar c : completo) {
    if (c != separador) {
      acumulado += c;
      continue;
    }
    if (contador == n) {
      salida = acumulado;
      return;
    }
    acumulado.clear();
    ++contador;
  }
}

void ElementoComa(const QString& texto, int n, QString& salida) { ElementoSeparado(texto, n, u',', salida); }
