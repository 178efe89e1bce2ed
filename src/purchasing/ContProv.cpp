#include "purchasing/ContProv.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas_tablas.h"
#include "platform/db/Tabla.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "purchasing/Proveedo.h"
#include "purchasing/RegistroProveedor.h"
#include "shell/LineasConfiguracion.h"

#include <QVBoxLayout>

TFormaContactosProveedor::TFormaContactosProveedor(QWidget* owner) : ui::Forma(owner) {
  setObjectName(QStringLiteral("FormaContactosProveedor"));
  setWindowTitle(QStringLiteral("Contactos Proveedor"));
  resize(720, 300);

  TablaContacto = new db::Tabla(this);
  TablaContacto->setObjectName(QStringLiteral("TablaContacto"));
  TablaContacto->SetNombreTabla(QStringLiteral("ContProv.dbf"));
  TablaContacto->SetIndexName(kTagClaveProveedor);
  // The key is the new row's default: a row nobody typed into is still
  // dropped when the grid leaves it.
  TablaContacto->OnNewRecord = [this](db::Dataset& tabla) {
    tabla.FieldByName(QStringLiteral("CLAVE_P")).SetAsString(ClaveProveedor.left(30));
  };
  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  DataSource1->SetDataSet(TablaContacto);

  DBGrid1 = new ui::RejillaDatos(this);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->SetFuente(DataSource1);
  for (const auto& [campo, titulo] :
       {std::pair{"CLAVE_P", "Proveedor"}, std::pair{"CONTA_P", "Contacto"}, std::pair{"CARGO_P", "Cargo"},
        std::pair{"TELEF_P", "Telefono"}, std::pair{"FAXXX_P", "Número de Fax"},
        std::pair{"MAILX_P", "Correo Electrónico"}})
    DBGrid1->AgregaColumna(QString::fromLatin1(campo), QString::fromUtf8(titulo));

  auto* capa = new QVBoxLayout(this);
  capa->setContentsMargins(0, 0, 0, 0);
  capa->addWidget(DBGrid1);
}

void TFormaContactosProveedor::AbreTablasContactos() {
  try {
    const QString datos = CarpetaDatosEmpresa();
    TablaContacto->Close();
    TablaContacto->SetCarpeta(datos);
    AbreTabla(*TablaContacto);
  } catch (const std::exception&) {
    MuestraMensaje(kErrorAbrirTablas);
  }
  SetTag(1);
}

void TFormaContactosProveedor::FormActivate() {
  if (Tag() == 0) AbreTablasContactos();
  SetTag(1);
  DBGrid1->setFocus(Qt::OtherFocusReason);
}

void TFormaContactosProveedor::FormCloseQuery(bool& puedeCerrar) {
  if (!GuardaFilaRejilla(*DBGrid1)) puedeCerrar = false;
}

void MuestraContactosProveedor(const QString& clave) {
  TFormaContactosProveedor forma;
  if (!forma.TablaContacto->Active()) forma.AbreTablasContactos();
  if (forma.TablaContacto->Active()) {
    forma.TablaContacto->CancelRange();
    forma.TablaContacto->SetRange({clave}, {clave});
  }
  forma.ClaveProveedor = clave.left(30);
  forma.ShowModal();
}
