#include "pos/ListaSQL.h"

#include "platform/db/Consulta.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"

#include <QVBoxLayout>

TFormaListaSQL::TFormaListaSQL(QWidget* owner) : ui::Forma(owner) {
  if (!ui::InstanciaDe<TFormaListaSQL>()) ui::InstanciaDe<TFormaListaSQL>() = this;
  setObjectName(QStringLiteral("FormaListaSQL"));
  setWindowTitle(QStringLiteral("Lista de Datos"));
  resize(640, 360);

  QueryLista = new db::Consulta(this);
  QueryLista->setObjectName(QStringLiteral("QueryLista"));
  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  DataSource1->SetDataSet(QueryLista);

  auto* capas = new QVBoxLayout(this);
  capas->setContentsMargins(0, 0, 0, 0);
  capas->setSpacing(0);
  Panel1 = new ui::Panel(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFixedHeight(30);
  capas->addWidget(Panel1);
  DBGrid1 = new ui::RejillaDatos(this);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->SetSoloLectura(true);
  DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  DBGrid1->SetFuente(DataSource1);
  capas->addWidget(DBGrid1, 1);

  ui::Conecta(&ui::Eventos::De(DBGrid1), &ui::Eventos::DblClick, this, [this] { DBGrid1DblClick(); });
}

void TFormaListaSQL::FormShow() {
  SetTag(0);
  DBGrid1->setFocus(Qt::OtherFocusReason);
}

void TFormaListaSQL::DBGrid1DblClick() {
  const bool fila = QueryLista->Active() && !QueryLista->IsEmpty();
  SetTag(fila ? static_cast<int>(QueryLista->FieldByName(QStringLiteral("CLDOC_F")).AsInteger()) : 0);
  Close();
}
