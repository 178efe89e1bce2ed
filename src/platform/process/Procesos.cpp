#include "platform/process/Procesos.h"

#include "platform/Error.h"
#include "platform/fs/Mapa.h"
#include "platform/fs/Rutas.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>

#include <optional>

namespace proc {

std::unique_ptr<Lanzador> NuevoLanzadorDelSistema();

namespace {

Lanzador* lanzadorInstalado = nullptr;

// Programs started without waiting, remembered under their window titles
// until they end. Children of the application object, so they go with it.
class Registro : public QObject {
 public:
  using QObject::QObject;

  void Agrega(const QString& titulo, std::unique_ptr<Proceso> proceso) {
    Proceso* p = proceso.release();
    p->setParent(this);
    if (p->Termino()) {
      p->deleteLater();
      return;
    }
    p->setProperty("titulo", titulo);
    connect(p, &Proceso::Terminado, p, &QObject::deleteLater);
  }

  // The most recent live program started under the title.
  Proceso* Busca(const QString& titulo) const {
    const QList<Proceso*> procesos = findChildren<Proceso*>(QString(), Qt::FindDirectChildrenOnly);
    for (auto it = procesos.crbegin(); it != procesos.crend(); ++it) {
      if ((*it)->property("titulo").toString().compare(titulo, Qt::CaseInsensitive) == 0 && !(*it)->Termino()) return *it;
    }
    return nullptr;
  }
};

Registro& ElRegistro() {
  static QPointer<Registro> registro;
  if (!registro) registro = new Registro(QCoreApplication::instance());
  return *registro;
}

bool EsProgramaWindows(const QString& nombre) {
  static const QRegularExpression extension(QStringLiteral("\\.(exe|com|bat|cmd|pif)$"), QRegularExpression::CaseInsensitiveOption);
  return extension.match(nombre).hasMatch();
}

bool EsRutaWindows(const QString& texto) {
  static const QRegularExpression unidad(QStringLiteral("^[A-Za-z]:[\\\\/]"));
  return unidad.match(texto).hasMatch() || texto.startsWith(QStringLiteral("\\\\"));
}

// Local form of a path given in Windows form; anything else as it is.
QString ArgumentoLocal(const QString& argumento) {
  return EsRutaWindows(argumento) ? fs::Local(argumento) : argumento;
}

std::optional<QString> BuscaEnMapaDeProgramas(const QString& nombre) {
  const QString archivo = fs::Une(fs::CarpetaDelPrograma(), QStringLiteral("programas.map"));
  return fs::BuscaEnMapa("VORLAN_PROGRAMAS", archivo, nombre);
}

// The Linux command of a map entry: program and leading arguments.
Orden OrdenDeMapa(const QString& valor) {
  QStringList partes = QProcess::splitCommand(valor);
  Orden orden;
  if (partes.isEmpty()) return orden;
  const QString programa = partes.takeFirst();
  orden.programa = (programa.contains(u'\\') || EsRutaWindows(programa)) ? fs::Local(programa) : programa;
  for (const QString& p : partes) orden.argumentos << ArgumentoLocal(p);
  return orden;
}

// The Linux program a Windows program name or path stands for.
std::optional<Orden> Resuelve(const QString& programa) {
  const QString nombre = fs::NombreArchivo(programa);
  if (nombre.isEmpty()) return std::nullopt;
  auto mapeado = BuscaEnMapaDeProgramas(nombre);
  if (!mapeado && !nombre.contains(u'.')) mapeado = BuscaEnMapaDeProgramas(nombre + QStringLiteral(".exe"));
  if (mapeado) {
    Orden orden = OrdenDeMapa(*mapeado);
    if (orden.programa.isEmpty()) return std::nullopt;
    return orden;
  }
  if (EsProgramaWindows(nombre)) return std::nullopt;

  Orden orden;
  if (programa.contains(u'/') || programa.contains(u'\\') || EsRutaWindows(programa)) {
    const QFileInfo info(programa.startsWith(u'/') ? programa : fs::Local(programa));
    if (!info.isFile() || !info.isExecutable()) return std::nullopt;
    orden.programa = info.filePath();
  } else {
    orden.programa = QStandardPaths::findExecutable(programa);
    if (orden.programa.isEmpty()) return std::nullopt;
  }
  return orden;
}

// The arguments of a Windows command line, split as Windows programs split
// them: blanks separate, double quotes group; 2n backslashes before a quote
// give n and the quote groups, 2n+1 give n and a literal quote; other
// backslashes are literal; "" inside quotes is a literal quote.
QStringList DivideArgumentos(const QString& texto) {
  QStringList argumentos;
  QString actual;
  bool hay = false;
  bool entreComillas = false;
  for (qsizetype i = 0; i < texto.size();) {
    const QChar c = texto[i];
    if (c == u'\\') {
      qsizetype barras = 0;
      while (i < texto.size() && texto[i] == u'\\') {
        ++barras;
        ++i;
      }
      if (i < texto.size() && texto[i] == u'"') {
        actual += QString(barras / 2, u'\\');
        hay = true;
        if (barras % 2) {
          actual += u'"';
          ++i;
        }
      } else {
        actual += QString(barras, u'\\');
        hay = true;
      }
      continue;
    }
    if (c == u'"') {
      hay = true;
      if (entreComillas && i + 1 < texto.size() && texto[i + 1] == u'"') {
        actual += u'"';
        i += 2;
        continue;
      }
      entreComillas = !entreComillas;
      ++i;
      continue;
    }
    if ((c == u' ' || c == u'\t') && !entreComillas) {
      if (hay) argumentos << actual;
      actual.clear();
      hay = false;
      ++i;
      continue;
    }
    actual += c;
    hay = true;
    ++i;
  }
  if (hay) argumentos << actual;
  return argumentos;
}

struct Partida {
  QString programa;  // the program as the line names it
  Orden orden;
};

Partida Parte(const QString& linea, const QString& carpeta) {
  const QString texto = linea.trimmed();
  QString programa;
  QString resto;
  std::optional<Orden> base;
  if (texto.startsWith(u'"')) {
    const qsizetype cierre = texto.indexOf(u'"', 1);
    programa = cierre < 0 ? texto.mid(1) : texto.mid(1, cierre - 1);
    resto = cierre < 0 ? QString() : texto.mid(cierre + 1);
    base = Resuelve(programa);
  } else {
    // Unquoted: try each cut at a blank, shortest first, as Windows does.
    qsizetype corte = texto.indexOf(u' ');
    for (;;) {
      const QString candidato = corte < 0 ? texto : texto.left(corte);
      if ((base = Resuelve(candidato))) {
        programa = candidato;
        resto = corte < 0 ? QString() : texto.mid(corte + 1);
        break;
      }
      if (corte < 0) break;
      corte = texto.indexOf(u' ', corte + 1);
    }
    if (!base) {
      const qsizetype primero = texto.indexOf(u' ');
      programa = primero < 0 ? texto : texto.left(primero);
    }
  }
  if (!base) {
    throw plat::Error(plat::Clase::NoExiste, QStringLiteral("No se encontró el programa %1").arg(programa));
  }
  Partida partida{programa, *base};
  for (const QString& a : DivideArgumentos(resto)) partida.orden.argumentos << ArgumentoLocal(a);
  if (!carpeta.isEmpty()) partida.orden.carpeta = carpeta.startsWith(u'/') ? carpeta : fs::Local(carpeta);
  return partida;
}

// The title of a started program's window: its file name without extension.
QString TituloDe(const QString& programa) {
  QString nombre = fs::NombreArchivo(programa);
  const qsizetype punto = nombre.lastIndexOf(u'.');
  if (punto > 0) nombre.truncate(punto);
  return nombre;
}

}  // namespace

Lanzador& LanzadorActual() {
  if (lanzadorInstalado) return *lanzadorInstalado;
  static const std::unique_ptr<Lanzador> sistema = NuevoLanzadorDelSistema();
  return *sistema;
}

void FijaLanzador(Lanzador* lanzador) { lanzadorInstalado = lanzador; }

Orden Traduce(const QString& linea, const QString& carpeta) { return Parte(linea, carpeta).orden; }

Resultado Ejecuta(const QString& linea, const QString& carpeta) {
  try {
    Partida partida = Parte(linea, carpeta);
    ElRegistro().Agrega(TituloDe(partida.programa), LanzadorActual().Inicia(partida.orden));
    return Resultado{true, 0, QString()};
  } catch (const plat::Error& e) {
    return Resultado{false, 0, e.mensaje()};
  }
}

Resultado EjecutaYEspera(const QString& linea, const QString& carpeta) {
  Partida partida;
  std::unique_ptr<Proceso> proceso;
  try {
    partida = Parte(linea, carpeta);
    proceso = LanzadorActual().Inicia(partida.orden);
  } catch (const plat::Error& e) {
    return Resultado{false, 0, e.mensaje()};
  }
  if (!proceso->Termino()) {
    QEventLoop bucle;
    QTimer paso;
    paso.setInterval(1000);
    QObject::connect(&paso, &QTimer::timeout, &bucle, [&] {
      if (proceso->Termino()) bucle.quit();
    });
    QObject::connect(proceso.get(), &Proceso::Terminado, &bucle, &QEventLoop::quit);
    paso.start();
    // Ends with the program, or when the application quits (which ends
    // every event loop of the thread).
    bucle.exec();
  }
  if (!proceso->Termino()) {
    // The application is going away; the program lives on, as on Windows.
    ElRegistro().Agrega(TituloDe(partida.programa), std::move(proceso));
    return Resultado{true, 259, QString()};
  }
  return Resultado{true, proceso->CodigoSalida(), QString()};
}

Resultado AbreDocumento(const QString& documento) {
  static const QRegularExpression url(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:(//|[^\\\\/])"));
  Orden orden;
  if (const auto mapeado = BuscaEnMapaDeProgramas(QStringLiteral("xdg-open"))) orden = OrdenDeMapa(*mapeado);
  if (orden.programa.isEmpty()) orden.programa = QStringLiteral("xdg-open");
  const bool esUrl = url.match(documento).hasMatch() && !EsRutaWindows(documento);
  orden.argumentos << (esUrl || documento.startsWith(u'/') ? documento : fs::Local(documento));
  try {
    ElRegistro().Agrega(QString(), LanzadorActual().Inicia(orden));
    return Resultado{true, 0, QString()};
  } catch (const plat::Error& e) {
    return Resultado{false, 0, e.mensaje()};
  }
}

bool CierraVentana(const QString& titulo) {
  if (titulo.isEmpty()) return false;
  Proceso* proceso = ElRegistro().Busca(titulo);
  if (!proceso) return false;
  proceso->PideCierre();
  return true;
}

}  // namespace proc
