#include "inventory/ConsultaRap.h"

#include "platform/db/Consulta.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"

#include <QLabel>
#include <QVBoxLayout>

TFormaConsultaRapida::TFormaConsultaRapida(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaConsultaRapida>() = this;
  setObjectName(QStringLiteral("FormaConsultaRapida"));
  setWindowTitle(QStringLiteral("Consulta"));
  resize(700, 420);
  QueryRap = new db::Consulta(this);
  QueryRap->setObjectName(QStringLiteral("QueryRap"));
  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  DataSource1->SetDataSet(QueryRap);
  LabelEncabezado = new QLabel(this);
  LabelEncabezado->setObjectName(QStringLiteral("LabelEncabezado"));
  QFont negrita = LabelEncabezado->font();
  negrita.setBold(true);
  LabelEncabezado->setFont(negrita);
  DetalleConsulta = new ui::RejillaDatos(this);
  DetalleConsulta->setObjectName(QStringLiteral("DetalleConsulta"));
  DetalleConsulta->SetFuente(DataSource1);
  DetalleConsulta->SetSoloLectura(true);
  auto* capa = new QVBoxLayout(this);
  capa->addWidget(LabelEncabezado);
  capa->addWidget(DetalleConsulta, 1);
}

void TFormaConsultaRapida::FormShow() {
  if (QueryRap->Active()) QueryRap->Last();
}
