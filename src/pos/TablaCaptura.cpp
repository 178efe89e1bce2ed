#include "pos/TablaCaptura.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_tablas.h"
#include "platform/Error.h"
#include "platform/db/Bloqueo.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "pos/CaptuRap_comun.h"

#include <QFile>
#include <QFileInfo>
#include <QWidget>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The permanent file whose byte n holds station n.
const QString kArchivoEstaciones = QStringLiteral("Estaciones.lck");
constexpr int kUltimaEstacion = 10;

// Opens both cursors again after `paso`, whatever became of it.
template <class Paso>
void ConCursoresCerrados(db::Tabla& deta, db::Tabla& total, Paso&& paso) {
  deta.Close();
  total.Close();
  try {
    paso();
  } catch (...) {
    deta.Open();
    total.Open();
    throw;
  }
  deta.Open();
  total.Open();
}

}  // namespace

QString TablaDeEstacion(int estacion) {
  return estacion == 1 ? QStringLiteral("deta.db") : QStringLiteral("deta%1.db").arg(estacion);
}

ui::TColor ColorEstacion(int estacion) {
  switch (estacion) {
    case 2: return ui::clAqua;
    case 3: return ui::clFuchsia;
    case 4: return ui::clGreen;
    case 5: return ui::clOlive;
    case 6: return ui::clPurple;
    case 7: return ui::clWhite;
    case 8: return ui::clYellow;
    case 9: return ui::clTeal;
    case 10: return ui::clSilver;
    case kSinEstacion: return ui::clGray;
    default: return ui::clBtnFace;
  }
}

EstacionCaptura::~EstacionCaptura() { Libera(); }

void EstacionCaptura::Libera() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool EstacionCaptura::Prueba(int estacion, bool reemplazaDanada) {
  const QString tabla = TablaDeEstacion(estacion);
  // A table is never its own template.
  const bool propia = tabla.compare(plantilla_, Qt::CaseInsensitive) == 0;
  return ReclamaTablaPrograma(fd_, estacion, programa_, tabla, propia ? QString() : plantilla_,
                              reemplazaDanada && !propia);
}

bool ReclamaTablaPrograma(int fd, qint64 posicion, const QString& programa, const QString& tabla,
                          const QString& plantilla, bool reemplazaDanada) {
  if (!db::IntentaBloqueo(fd, posicion, db::TipoBloqueo::Exclusivo)) return false;
  const auto abre = [&] {
    try {
      db::Tabla t;
      t.SetCarpeta(programa);
      t.SetNombreTabla(tabla);
      t.SetExclusive(true);
      t.Open();
      return true;
    } catch (const plat::Error&) {
      return false;
    }
  };
  const auto copia = [&] {
    if (plantilla.isEmpty()) return;
    try {
      db::Tabla::CopiaArchivos(programa, plantilla, tabla);
    } catch (const plat::Error&) {
    }
  };
  if (!db::Tabla::Existe(programa, tabla)) copia();
  bool libre = abre();
  if (!libre && reemplazaDanada) {
    copia();
    libre = abre();
  }
  if (!libre) db::QuitaBloqueo(fd, posicion);
  return libre;
}

int EstacionCaptura::Reclama(const QString& programa, const QString& plantilla) {
  Libera();
  programa_ = programa;
  plantilla_ = plantilla;
  numero_ = kSinEstacion;
  const QString ruta = fs::Local(fs::Une(programa, kArchivoEstaciones));
  fd_ = ::open(QFile::encodeName(ruta).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd_ < 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo abrir ") + ruta, errno);
  for (int n = 1; n <= kUltimaEstacion; ++n) {
    // Only deta.db is replaced when its probe fails: a numbered table that
    // cannot be opened is passed by.
    if (Prueba(n, n == 1)) {
      numero_ = n;
      return n;
    }
  }
  Libera();
  return numero_;
}

void EstacionCaptura::CopiaPlantilla() const {
  if (!Tiene() || NombreTabla().compare(plantilla_, Qt::CaseInsensitive) == 0) return;
  try {
    db::Tabla::CopiaArchivos(programa_, plantilla_, NombreTabla());
  } catch (const plat::Error&) {
  }
}

int ReclamaCapturaVentana(EstacionCaptura& estacion, db::Tabla& deta, db::Tabla& total, QWidget& ventana,
                          QWidget* panel, const QString& plantilla) {
  const QString programa = CarpetaPrograma(QString());
  int numero = kSinEstacion;
  try {
    numero = estacion.Reclama(programa, plantilla);
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
  for (db::Tabla* t : {&deta, &total}) {
    t->SetCarpeta(programa);
    t->SetNombreTabla(TablaDeEstacion(numero));
  }
  if (numero > 1) {
    ventana.setWindowTitle(ventana.windowTitle() + QStringLiteral("           VENTANA ") + QString::number(numero));
    if (panel) PintaFondo(panel, ColorEstacion(numero));
  }
  return numero;
}

QString NombreEncabezadoTemporal(const QString& archivo, int estacion) {
  const QFileInfo nombre(archivo);
  return nombre.completeBaseName() + QString::number(estacion) + u'.' + nombre.suffix();
}

void CreaEncabezadoTemporal(db::Tabla& encabezado, const QString& carpeta, const QString& archivo, int estacion,
                            const QString& alterna) {
  const QString propio = NombreEncabezadoTemporal(archivo, estacion);
  const QString tempo = QStringLiteral("tempo\\");
  const QString plantilla = tempo + (db::Tabla::Existe(carpeta, tempo + archivo) ? archivo : alterna);
  const QString carpetaAntes = encabezado.Carpeta();
  const QString archivoAntes = encabezado.NombreTabla();
  encabezado.Close();
  try {
    db::Tabla::CopiaArchivos(carpeta, plantilla, propio);
    encabezado.SetCarpeta(carpeta);
    encabezado.SetNombreTabla(propio);
    encabezado.Open();
  } catch (...) {
    encabezado.Close();
    encabezado.SetCarpeta(carpetaAntes);
    encabezado.SetNombreTabla(archivoAntes);
    AbreTabla(encabezado);
    throw;
  }
}

void CompactaTabla(const QString& carpeta, const QString& archivo) { EmpacaTabla(carpeta, archivo); }

void VaciaCaptura(db::Tabla& deta, db::Tabla& total) {
  deta.First();
  while (!deta.IsEmpty()) deta.Delete();
  ConCursoresCerrados(deta, total, [&] { CompactaTabla(deta.Carpeta(), deta.NombreTabla()); });
}

void BorraPartidaYCompacta(db::Tabla& deta, db::Tabla& total, int partida) {
  ConCursoresCerrados(deta, total, [&] { CompactaTabla(deta.Carpeta(), deta.NombreTabla()); });
  deta.First();
  deta.MoveBy(partida - 1);
}

void ReiniciaCaptura(const EstacionCaptura& estacion, db::Tabla& deta, db::Tabla& total) {
  ConCursoresCerrados(deta, total, [&] { estacion.CopiaPlantilla(); });
  VaciaCaptura(deta, total);
}
