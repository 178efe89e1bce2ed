#include "customers/VentanaContactos.h"

#include "customers/EdicionCatalogo.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas_tablas.h"
#include "platform/db/Tabla.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QVBoxLayout>

namespace {

constexpr int kLargoClave = 30;

}  // namespace

VentanaContactos::VentanaContactos(QWidget* owner, const QString& titulo, const QString& nombreTabla,
                                   const QString& archivo, const QString& tag, const QString& campoClave,
                                   std::initializer_list<std::pair<const char*, const char*>> columnas)
    : ui::Forma(owner) {
  setWindowTitle(titulo);
  resize(720, 300);

  TablaContacto = new db::Tabla(this);
  TablaContacto->setObjectName(nombreTabla);
  TablaContacto->SetNombreTabla(archivo);
  TablaContacto->SetIndexName(tag);
  // The key is the new row's own default, so a row nobody typed into is
  // still dropped when the grid leaves it.
  TablaContacto->OnNewRecord = [this, campoClave](db::Dataset& tabla) {
    tabla.FieldByName(campoClave).SetAsString(Clave);
  };
  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  DataSource1->SetDataSet(TablaContacto);

  DBGrid1 = new ui::RejillaDatos(this);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->SetFuente(DataSource1);
  for (const auto& [campo, encabezado] : columnas)
    DBGrid1->AgregaColumna(QString::fromLatin1(campo), QString::fromUtf8(encabezado));

  auto* capa = new QVBoxLayout(this);
  capa->setContentsMargins(0, 0, 0, 0);
  capa->addWidget(DBGrid1);
}

void VentanaContactos::AbreTablasContactos() {
  try {
    TablaContacto->Close();
    ApuntaTabla(*TablaContacto);
    AbreTabla(*TablaContacto);
  } catch (const std::exception&) {
  }
  if (!TablaContacto->Active()) MuestraMensaje(kErrorAbrirTablas);
  SetTag(1);
}

void VentanaContactos::MuestraContactos(const QString& clave) {
  if (!TablaContacto->Active()) AbreTablasContactos();
  Clave = clave.left(kLargoClave);
  if (TablaContacto->Active()) {
    TablaContacto->CancelRange();
    TablaContacto->SetRange({Clave}, {Clave});
  }
  ShowModal();
}

void VentanaContactos::FormActivate() {
  if (Tag() == 0) AbreTablasContactos();
  DBGrid1->setFocus(Qt::OtherFocusReason);
}

void VentanaContactos::FormCloseQuery(bool& puedeCerrar) {
  if (!GuardaFilaRejilla(*DBGrid1)) puedeCerrar = false;
}
