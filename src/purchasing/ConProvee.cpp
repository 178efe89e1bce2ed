#include "purchasing/ConProvee.h"

#include "foundation/buscar.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_tablas.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "purchasing/RegistroProveedor.h"
#include "shell/LineasConfiguracion.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

bool EnComponente(const QWidget* componente) {
  const QWidget* foco = QApplication::focusWidget();
  return foco && (foco == componente || componente->isAncestorOf(foco));
}

}  // namespace

TFormaConProvee::TFormaConProvee(QWidget* owner) : ui::Forma(owner) {
  setObjectName(QStringLiteral("FormaConProvee"));
  setWindowTitle(QStringLiteral("Consulta Catalogo de Proveedores"));
  resize(520, 400);

  TablaConProvee = new db::Tabla(this);
  TablaConProvee->setObjectName(QStringLiteral("TablaConProvee"));
  TablaConProvee->SetNombreTabla(kTablaProveedores);
  TablaConProvee->SetIndexName(kTagClaveProveedor);
  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  DataSource1->SetDataSet(TablaConProvee);

  DBGrid1 = new ui::RejillaDatos(this);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->SetSoloLectura(true);
  DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  DBGrid1->SetFuente(DataSource1);
  DBGrid1->AgregaColumna(QStringLiteral("CLAVE_P"), QStringLiteral("Clave"));
  DBGrid1->AgregaColumna(QStringLiteral("NOMBR_P"), QStringLiteral("Nombre"));
  DBNavigator1 = new ui::Navegador(this);
  DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
  DBNavigator1->SetFuente(DataSource1);
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
  QString datos;
  LeeLineaConfig(ConfCarpetaDatos, datos);
  TablaConProvee->Close();
  TablaConProvee->SetCarpeta(datos);
  AbreTabla(*TablaConProvee);
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
  if (forma.TablaConProvee->Active()) {
    try {
      forma.TablaConProvee->FindNearest({inicio});
    } catch (const std::exception&) {
      // A start key the key order cannot take: the first supplier.
      forma.TablaConProvee->First();
    }
  }
  forma.ShowModal();
  const db::Tabla& tabla = *forma.TablaConProvee;
  if (forma.Tag() != kProveedorElegido || !tabla.Active() || tabla.IsEmpty()) return QString();
  return tabla.FieldByName(QStringLiteral("CLAVE_P")).AsString();
}
