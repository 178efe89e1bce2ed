#include "shell/directorio.h"

#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

namespace {

// The drive part of a Windows-form folder: "C:".
QString UnidadDe(const QString& carpeta) { return carpeta.left(2).toUpper(); }

// A folder as the disk spells it, in Windows form ("c:\vrl" -> "C:\VRL").
QString FormaDelDisco(const QString& carpeta) {
  QString forma = fs::FormaWindows(fs::Local(carpeta));
  if (forma.size() == 2 && forma[1] == u':') forma += u'\\';
  return forma;
}

}  // namespace

TFormaDirectorio::TFormaDirectorio(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaDirectorio>() = this;
  setObjectName(QStringLiteral("FormaDirectorio"));
  setWindowTitle(QStringLiteral("Directorio"));
  setFixedSize(322, 320);
  SetKeyPreview(true);

  LabelDirectorio = new QLabel(this);
  LabelDirectorio->setObjectName(QStringLiteral("LabelDirectorio"));
  LabelDirectorio->setGeometry(12, 10, 298, 20);
  DriveComboBox1 = new QComboBox(this);
  DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
  DriveComboBox1->setGeometry(12, 34, 298, 24);
  DirectoryListBox1 = new QListWidget(this);
  DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
  DirectoryListBox1->setGeometry(12, 64, 298, 200);

  Aceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
  Aceptar->setObjectName(QStringLiteral("Aceptar"));
  Aceptar->setGeometry(60, 276, 90, 30);
  Cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
  Cancelar->setObjectName(QStringLiteral("Cancelar"));
  Cancelar->setProperty("Cancel", true);
  Cancelar->setGeometry(172, 276, 90, 30);

  for (const QString& unidad : fs::Unidades()) DriveComboBox1->addItem(unidad.toLower(), unidad);

  // The list starts on the program folder, as the program runs there.
  QString inicio = fs::CarpetaDelPrograma();
  if (!fs::ExisteCarpeta(inicio)) inicio = UnidadDe(inicio) + u'\\';
  SetDirectorio(inicio);

  ui::Conecta(DriveComboBox1, &QComboBox::activated, this, [this] { DriveComboBox1Change(); });
  ui::Conecta(DirectoryListBox1, &QListWidget::itemActivated, this,
              [this](QListWidgetItem* elemento) { DirectoryListBox1DblClick(elemento); });
  ui::Conecta(Aceptar, &QPushButton::clicked, this, [this] {
    SetTag(1);
    Close();
  });
  ui::Conecta(Cancelar, &QPushButton::clicked, this, [this] {
    SetTag(0);
    Close();
  });
  ui::CentraEnPantalla(*this);
}

void TFormaDirectorio::SetDirectorio(const QString& carpeta) {
  if (!fs::ExisteCarpeta(carpeta)) return;
  directorio_ = FormaDelDisco(carpeta);
  LabelDirectorio->setText(directorio_);
  const int unidad = DriveComboBox1->findData(UnidadDe(directorio_));
  if (unidad >= 0) DriveComboBox1->setCurrentIndex(unidad);

  // The path from the drive down, each level indented one step more, then
  // the subfolders one step below the current folder.
  DirectoryListBox1->clear();
  const QIcon abierta = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon cerrada = style()->standardIcon(QStyle::SP_DirClosedIcon);
  QString camino = UnidadDe(directorio_) + u'\\';
  const QStringList partes = directorio_.mid(3).split(u'\\', Qt::SkipEmptyParts);
  auto* raiz = new QListWidgetItem(abierta, camino, DirectoryListBox1);
  raiz->setData(Qt::UserRole, camino);
  int nivel = 0;
  for (const QString& parte : partes) {
    camino = fs::Une(camino, parte);
    ++nivel;
    auto* elemento = new QListWidgetItem(abierta, QString(2 * nivel, u' ') + parte, DirectoryListBox1);
    elemento->setData(Qt::UserRole, camino);
  }
  DirectoryListBox1->setCurrentRow(DirectoryListBox1->count() - 1);
  const QStringList hijas =
      QDir(fs::Local(directorio_)).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
  for (const QString& hija : hijas) {
    auto* elemento = new QListWidgetItem(cerrada, QString(2 * (nivel + 1), u' ') + hija, DirectoryListBox1);
    elemento->setData(Qt::UserRole, fs::Une(directorio_, hija));
  }
}

void TFormaDirectorio::DriveComboBox1Change() {
  const QString unidad = DriveComboBox1->currentData().toString();
  LabelDirectorio->setText(unidad);
  SetDirectorio(unidad + u'\\');
}

void TFormaDirectorio::DirectoryListBox1DblClick(QListWidgetItem* elemento) {
  if (elemento) SetDirectorio(elemento->data(Qt::UserRole).toString());
}

void EligeCarpeta(QString& salida) {
  TFormaDirectorio picker;
  picker.SetTag(0);
  picker.ShowModal();
  if (picker.Tag() == 1) salida = picker.LabelDirectorio->text();
}
