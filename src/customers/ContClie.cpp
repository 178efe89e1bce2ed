#include "customers/ContClie.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_tablas.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LineasConfiguracion.h"

#include <QVBoxLayout>

namespace {

constexpr int kLargoClave = 30;

}  // namespace

TFormaContactos::TFormaContactos(QWidget* owner) : ui::Forma(owner) {
  setObjectName(QStringLiteral("FormaContactos"));
  setWindowTitle(QStringLiteral("Contactos"));
  resize(720, 300);

  Tablacontactos = new db::Tabla(this);
  Tablacontactos->setObjectName(QStringLiteral("Tablacontactos"));
  Tablacontactos->SetNombreTabla(QStringLiteral("ContClie.dbf"));
  Tablacontactos->SetIndexName(QStringLiteral("ICLACLI"));
  // The key is the new row's own default, so a row nobody typed into is
  // still dropped when the grid leaves it.
  Tablacontactos->OnNewRecord = [this](db::Dataset& tabla) {
    tabla.FieldByName(QStringLiteral("CLCLI_C")).SetAsString(ClaveCliente);
  };
  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  DataSource1->SetDataSet(Tablacontactos);

  DBGrid1 = new ui::RejillaDatos(this);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->SetFuente(DataSource1);
  for (const auto& [campo, titulo] :
       {std::pair{"CLCLI_C", "Cliente"}, std::pair{"COBRA_C", "Contacto"}, std::pair{"CARGO_C", "Cargo"},
        std::pair{"TELEF_C", "Telefono"}, std::pair{"FAXXX_C", "Número de Fax"},
        std::pair{"MAILX_C", "correo Electrónico"}})
    DBGrid1->AgregaColumna(QString::fromLatin1(campo), QString::fromUtf8(titulo));

  auto* capa = new QVBoxLayout(this);
  capa->setContentsMargins(0, 0, 0, 0);
  capa->addWidget(DBGrid1);
}

void TFormaContactos::AbreTablasContactos() {
  QString datos;
  LeeLineaConfig(ConfCarpetaDatos, datos);
  Tablacontactos->Close();
  Tablacontactos->SetCarpeta(datos);
  AbreTabla(*Tablacontactos);
  if (!Tablacontactos->Active()) MuestraMensaje(kErrorAbrirContactos);
  SetTag(1);
}

void TFormaContactos::FormActivate() {
  if (Tag() == 0) AbreTablasContactos();
  DBGrid1->setFocus(Qt::OtherFocusReason);
}

void TFormaContactos::FormCloseQuery(bool& puedeCerrar) {
  if (!Tablacontactos->Active()) return;
  if (!DBGrid1->CierraEditor()) {
    puedeCerrar = false;
    return;
  }
  const auto estado = Tablacontactos->State();
  if (estado != db::Dataset::Estado::Editando && estado != db::Dataset::Estado::Insertando) return;
  try {
    if (Tablacontactos->Modified()) Tablacontactos->Post();
    else Tablacontactos->Cancel();
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    puedeCerrar = false;
  }
}

void MuestraContactosCliente(const QString& clave) {
  TFormaContactos forma;
  if (!forma.Tablacontactos->Active()) forma.AbreTablasContactos();
  forma.ClaveCliente = clave.left(kLargoClave);
  if (forma.Tablacontactos->Active()) {
    forma.Tablacontactos->CancelRange();
    forma.Tablacontactos->SetRange({forma.ClaveCliente}, {forma.ClaveCliente});
  }
  forma.ShowModal();
}
