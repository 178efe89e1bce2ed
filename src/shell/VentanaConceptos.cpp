#include "shell/VentanaConceptos.h"

#include "foundation/Glyps.h"
#include "foundation/rutinas_tablas.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

VentanaConceptos::VentanaConceptos(QWidget* owner, const QString& nombreTabla, const QString& archivo,
                                   const QString& tag, const QString& nombreRejilla,
                                   const QList<std::pair<QString, QString>>& columnas)
    : ui::Forma(owner) {
  tabla_ = new db::Tabla(this);
  tabla_->setObjectName(nombreTabla);
  tabla_->SetNombreTabla(archivo);
  tabla_->SetIndexName(tag);
  fuente_ = new ui::FuenteDatos(this);
  fuente_->SetDataSet(tabla_);

  Panel1 = new ui::Panel(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  auto* barra = new QHBoxLayout(Panel1);
  barra->setContentsMargins(3, 2, 3, 2);
  const auto boton = [this, barra](const char* nombre, const QString& texto) {
    auto* b = new QToolButton(Panel1);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setText(texto);
    b->setToolTip(texto);
    b->setAutoRaise(true);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    barra->addWidget(b);
    return b;
  };
  BotonNuevo = boton("BotonNuevo", QStringLiteral("Nuevo"));
  BotonGuardar = boton("BotonGuardar", QStringLiteral("Guardar"));
  BotonEliminar = boton("BotonEliminar", QStringLiteral("Eliminar"));
  BotonSalir = boton("BotonSalir", QStringLiteral("Salir"));
  CopiaGlyps(*this);
  BotonEliminar->setIcon(QIcon::fromTheme(QStringLiteral("edit-delete"), style()->standardIcon(QStyle::SP_TrashIcon)));
  barra->addSpacing(12);
  DBNavigator1 = new ui::Navegador(Panel1);
  DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
  DBNavigator1->SetFuente(fuente_);
  barra->addWidget(DBNavigator1);
  barra->addStretch();

  rejilla_ = new ui::RejillaDatos(this);
  rejilla_->setObjectName(nombreRejilla);
  rejilla_->SetFuente(fuente_);
  for (const auto& [campo, titulo] : columnas) rejilla_->AgregaColumna(campo, titulo);

  auto* capa = new QVBoxLayout(this);
  capa->setContentsMargins(0, 0, 0, 0);
  capa->setSpacing(0);
  capa->addWidget(Panel1);
  capa->addWidget(rejilla_, 1);

  ui::Conecta(BotonNuevo, &QToolButton::clicked, this, [this] { BotonNuevoClick(); });
  ui::Conecta(BotonGuardar, &QToolButton::clicked, this, [this] { BotonGuardarClick(); });
  ui::Conecta(BotonEliminar, &QToolButton::clicked, this, [this] { BotonEliminarClick(); });
  ui::Conecta(BotonSalir, &QToolButton::clicked, this, [this] { Close(); });
}

void VentanaConceptos::FormActivate() {
  if (Tag() == 0) {
    const db::Carpetas carpetas = CarpetasEmpresa();
    const auto tablas = findChildren<db::Tabla*>();
    for (db::Tabla* tabla : tablas) {
      tabla->Close();
      ApuntaTabla(*tabla, carpetas);
      AbreTabla(*tabla);
    }
    SetTag(1);
  }
  rejilla_->setFocus();
}

void VentanaConceptos::BotonNuevoClick() {
  if (!rejilla_->CierraEditor()) return;
  tabla_->Insert();
  rejilla_->SetSelectedIndex(0);
  rejilla_->setFocus();
}

void VentanaConceptos::BotonGuardarClick() {
  if (!rejilla_->CierraEditor()) return;
  tabla_->Post();
}

void VentanaConceptos::FormCloseQuery(bool& puedeCerrar) {
  if (!GuardaFilaRejilla(*rejilla_)) puedeCerrar = false;
}
