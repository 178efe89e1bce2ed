#include "foundation/Glyps.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

namespace {

struct Imagen {
  const char* boton;
  const char* tema;                  // icon of the desktop's theme
  QStyle::StandardPixmap respaldo;   // the style's own, when the theme lacks it
};

const Imagen kImagenes[] = {
    {"BotonTotales1", "accessories-calculator", QStyle::SP_FileDialogInfoView},
    {"BotonSalir1", "application-exit", QStyle::SP_DialogCloseButton},
    {"BotonPago1", "wallet-open", QStyle::SP_DialogYesButton},
    {"BotonBuscar1", "edit-find", QStyle::SP_FileDialogContentsView},
    {"BotonNuevo1", "document-new", QStyle::SP_FileIcon},
    {"BotonGuardar1", "document-save", QStyle::SP_DialogSaveButton},
    {"BotonImprimir1", "document-print", QStyle::SP_FileDialogDetailedView},
    {"BotonPreliminar1", "document-print-preview", QStyle::SP_FileDialogListView},
    {"BotonObservacion1", "accessories-text-editor", QStyle::SP_MessageBoxInformation},
    {"BotonCambios1", "document-edit", QStyle::SP_BrowserReload},
    {"BotonPago", "wallet-open", QStyle::SP_DialogYesButton},
};

}  // namespace

TFormaGlyp::TFormaGlyp(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaGlyp>() = this;
  setObjectName(QStringLiteral("FormaGlyp"));
  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  auto* fila = new QHBoxLayout(panel);
  for (const Imagen& imagen : kImagenes) {
    auto* boton = new QToolButton(panel);
    boton->setObjectName(QString::fromLatin1(imagen.boton));
    boton->setAutoRaise(true);
    boton->setIcon(QIcon::fromTheme(QString::fromLatin1(imagen.tema), style()->standardIcon(imagen.respaldo)));
    fila->addWidget(boton);
  }
  auto* capa = new QHBoxLayout(this);
  capa->addWidget(panel);
}

const QStringList& TFormaGlyp::Botones() {
  static const QStringList nombres = [] {
    QStringList n;
    for (const Imagen& imagen : kImagenes) n << QString::fromLatin1(imagen.boton);
    return n;
  }();
  return nombres;
}

void CopiaGlyp(const QString& origen, QAbstractButton* destino) {
  if (!destino) return;
  if (!FormaGlyp()) new TFormaGlyp();
  if (const auto* boton = FormaGlyp()->Componente<QAbstractButton>(origen)) destino->setIcon(boton->icon());
}

void CopiaGlyps(QWidget& ventana) {
  for (const QString& origen : TFormaGlyp::Botones()) {
    if (!origen.endsWith(u'1')) continue;
    CopiaGlyp(origen, ventana.findChild<QAbstractButton*>(origen.chopped(1)));
  }
}
