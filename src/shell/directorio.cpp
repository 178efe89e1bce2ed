#include "shell/directorio.h"

#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ListaCarpetas.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

// The drive part of a Windows-form folder: "C:".
QString UnidadDe(const QString& carpeta) { return carpeta.left(2).toUpper(); }

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
  DirectoryListBox1 = new ui::ListaCarpetas(this);
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

  ui::Conecta(DriveComboBox1, &QComboBox::activated, this, [this] { DriveComboBox1Change(); });
  ui::Conecta(DirectoryListBox1, &ui::ListaCarpetas::CarpetaCambiada, this,
              [this](const QString& carpeta) { DirectoryListBox1Change(carpeta); });
  SetDirectorio(inicio);
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

QString TFormaDirectorio::Directorio() const { return DirectoryListBox1->Directorio(); }

void TFormaDirectorio::SetDirectorio(const QString& carpeta) { DirectoryListBox1->SetDirectorio(carpeta); }

void TFormaDirectorio::DirectoryListBox1Change(const QString& carpeta) {
  LabelDirectorio->setText(carpeta);
  const int unidad = DriveComboBox1->findData(UnidadDe(carpeta));
  if (unidad >= 0) DriveComboBox1->setCurrentIndex(unidad);
}

void TFormaDirectorio::DriveComboBox1Change() {
  const QString unidad = DriveComboBox1->currentData().toString();
  LabelDirectorio->setText(unidad);
  SetDirectorio(unidad + u'\\');
}

void EligeCarpeta(QString& salida) {
  TFormaDirectorio picker;
  picker.SetTag(0);
  picker.ShowModal();
  if (picker.Tag() == 1) salida = picker.LabelDirectorio->text();
}
