#include "platform/ui/ListaCarpetas.h"

#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"

#include <QDir>
#include <QStyle>

namespace ui {

namespace {

// A folder as the disk spells it, in Windows form ("c:\vrl" -> "C:\VRL").
QString FormaDelDisco(const QString& carpeta) {
  QString forma = fs::FormaWindows(fs::Local(carpeta));
  if (forma.size() == 2 && forma[1] == u':') forma += u'\\';
  return forma;
}

}  // namespace

ListaCarpetas::ListaCarpetas(QWidget* padre) : QListWidget(padre) {
  Conecta(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* elemento) {
    if (elemento) SetDirectorio(elemento->data(Qt::UserRole).toString());
  });
}

void ListaCarpetas::SetDirectorio(const QString& carpeta) {
  if (!fs::ExisteCarpeta(carpeta)) return;
  directorio_ = FormaDelDisco(carpeta);

  clear();
  const QIcon abierta = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon cerrada = style()->standardIcon(QStyle::SP_DirClosedIcon);
  QString camino = directorio_.left(2).toUpper() + u'\\';
  const QStringList partes = directorio_.mid(3).split(u'\\', Qt::SkipEmptyParts);
  auto* raiz = new QListWidgetItem(abierta, camino, this);
  raiz->setData(Qt::UserRole, camino);
  int nivel = 0;
  for (const QString& parte : partes) {
    camino = fs::Une(camino, parte);
    ++nivel;
    auto* elemento = new QListWidgetItem(abierta, QString(2 * nivel, u' ') + parte, this);
    elemento->setData(Qt::UserRole, camino);
  }
  setCurrentRow(count() - 1);
  const QStringList hijas =
      QDir(fs::Local(directorio_)).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
  for (const QString& hija : hijas) {
    auto* elemento = new QListWidgetItem(cerrada, QString(2 * (nivel + 1), u' ') + hija, this);
    elemento->setData(Qt::UserRole, fs::Une(directorio_, hija));
  }
  emit CarpetaCambiada(directorio_);
}

}  // namespace ui
