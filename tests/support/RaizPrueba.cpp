#include "support/RaizPrueba.h"

#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/PuertaModal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void RaizPrueba::SetUp() {
  dir_ = std::make_unique<QTemporaryDir>();
  ASSERT_TRUE(dir_->isValid());
  qputenv("VORLAN_ROOT", QFile::encodeName(dir_->path()));
  qunsetenv("VORLAN_PROGRAM_FOLDER");
  qunsetenv("VORLAN_RAW_SPOOL");
  QDir().mkpath(dir_->path() + QStringLiteral("/c/VRL"));
  fs::LiberaReloj();
  ui::PuertaModal::Reinicia();
}

void RaizPrueba::TearDown() {
  EXPECT_TRUE(ui::PuertaModal::SinRespuesta().isEmpty())
      << "ventanas modales sin respuesta: " << ui::PuertaModal::SinRespuesta().join(u',').toStdString();
  EXPECT_EQ(ui::PuertaModal::Pendientes(), 0) << "respuestas preparadas que ninguna ventana usó";
  ui::PuertaModal::Reinicia();
  fs::LiberaReloj();
}

void RaizPrueba::EscribeLineas(const QString& ruta, const QStringList& lineas) {
  fs::CreaCarpeta(fs::CarpetaDe(ruta));
  fs::ReescribeLineas(ruta, lineas);
}

void RaizPrueba::EscribeBytes(const QString& ruta, const QByteArray& bytes) {
  fs::CreaCarpeta(fs::CarpetaDe(ruta));
  fs::EscribeAtomico(ruta, bytes);
}

void RaizPrueba::CopiaArbol(const QString& de, const QString& a) {
  QDir(a).removeRecursively();
  QDir().mkpath(a);
  for (const QFileInfo& f : QDir(de).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
    const QString destino = a + u'/' + f.fileName();
    if (f.isDir()) CopiaArbol(f.filePath(), destino);
    else QFile::copy(f.filePath(), destino);
  }
}

QStringList RaizPrueba::Mensajes() { return ui::PuertaModal::Mensajes(); }
