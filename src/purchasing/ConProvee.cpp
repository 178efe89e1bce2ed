#include "purchasing/ConProvee.h"

#include "customers/Consultas.h"
#include "foundation/buscar.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "purchasing/RegistroProveedor.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

TFormaConProvee::TFormaConProvee(QWidget* owner) : ui::Forma(owner) {
  setObjectName(QStringLiteral("FormaConProvee"));
  setWindowTitle(QStringLiteral("Consulta Catalogo de Proveedores"));
  resize(520, 400);

  TablaConProvee = NuevaTablaConsulta(this, "TablaConProvee", "PROVEEDO.DBF", kTagClaveProveedor);
  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  DataSource1->SetDataSet(TablaConProvee);

  DBGrid1 = RejillaConsulta(this, "DBGrid1", DataSource1, {{"CLAVE_P", "Clave"}, {"NOMBR_P", "Nombre"}});
  DBNavigator1 = NavegadorConsulta(this, "DBNavigator1", DataSource1);
  PorNombre = new QRadioButton(QStringLiteral("Por Nombre F2"), this);
  PorNombre->setObjectName(QStringLiteral("PorNombre"));
  PorClave = new QRadioButton(QStringLiteral("Por Clave F3"), this);
  PorClave->setObjectName(QStringLiteral("PorClave"));
  PorClave->setChecked(true);

  auto* capa = new QVBoxLayout(this);
  capa->addWidget(DBGrid1, 1);
  auto* pie = new QHBoxLayout;
  pie->addWidget(DBNavigator1);
  pie->addStretch();
  pie->addWidget(PorNombre);
  pie->addWidget(PorClave);
  capa->addLayout(pie);

  SetKeyPreview(true);
  ui::Conecta(&ui::Eventos::De(DBGrid1), &ui::Eventos::DblClick, this, [this] {
    SetTag(kProveedorElegido);
    Close();
  });
  ui::Conecta(PorNombre, &QRadioButton::clicked, this, [this] { BuscaRapidaProveedor(true); });
  ui::Conecta(PorClave, &QRadioButton::clicked, this, [this] { BuscaRapidaProveedor(false); });
}

void TFormaConProvee::AbreTablasConProvee() {
  ApuntaADatos(*this);
  SetTag(1);
}

void TFormaConProvee::BuscaRapidaProveedor(bool porNombre) {
  TablaConProvee->SetIndexName(porNombre ? kTagNombreProveedor : kTagClaveProveedor);
  TFormaBusqueda busqueda;
  busqueda.Clave->hide();
  busqueda.Nombre->hide();
  busqueda.ShowModal();
  TablaConProvee->FindNearest({busqueda.CajaBuscar->text()});
}

void TFormaConProvee::FormActivate() {
  if (Tag() != 0) SetTag(1);
  DBGrid1->SetSelectedIndex(0);
  DBGrid1->setFocus(Qt::OtherFocusReason);
}

void TFormaConProvee::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  const bool enLista = EnComponente(DBGrid1);
  switch (tecla) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!enLista) return;
      SetTag(kProveedorElegido);
      Close();
      break;
    case Qt::Key_Escape:
      if (enLista) SetTag(2);
      Close();
      break;
    case Qt::Key_F2:
    case Qt::Key_F3:
      if (!TablaConProvee->Active()) return;
      BuscaRapidaProveedor(tecla == Qt::Key_F2);
      break;
    default:
      return;
  }
  tecla = 0;
}

QString BuscaProveedor(const QString& inicio) {
  TFormaConProvee forma;
  if (forma.Tag() == 0) forma.AbreTablasConProvee();
  EnClaveCercana(*forma.TablaConProvee, inicio);
  forma.ShowModal();
  return forma.Tag() == kProveedorElegido ? CampoActual(*forma.DBGrid1, "CLAVE_P") : QString();
}
