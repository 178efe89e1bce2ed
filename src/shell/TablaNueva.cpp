#include "shell/TablaNueva.h"

#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"

#include <QCoreApplication>
#include <QDir>

namespace {

QString NombreBorrador() { return QStringLiteral("_nueva%1").arg(QCoreApplication::applicationPid()); }

}  // namespace

TablaNueva::TablaNueva(const QString& carpeta, const QString& archivo, const QVector<db::DefCampo>& campos,
                       const QVector<db::DefTag>& tags)
    : carpeta_(carpeta), archivo_(archivo), borrador_(fs::Une(carpeta, NombreBorrador())) {
  if (!fs::CreaCarpeta(borrador_))
    throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo crear la carpeta ") + borrador_);
  try {
    db::Tabla::Crea(borrador_, archivo_, campos, tags);
    tabla_ = std::make_unique<db::Tabla>();
    tabla_->SetCarpeta(borrador_);
    tabla_->SetNombreTabla(archivo_);
    tabla_->SetExclusive(true);
    tabla_->Open();
  } catch (...) {
    tabla_.reset();
    QDir(fs::Local(borrador_)).removeRecursively();
    throw;
  }
}

TablaNueva::~TablaNueva() {
  tabla_.reset();
  QDir(fs::Local(borrador_)).removeRecursively();
}

void TablaNueva::Coloca() {
  tabla_->Close();
  db::Tabla::CopiaArchivos(carpeta_, fs::Une(NombreBorrador(), archivo_), archivo_);
}
