#include "shell/Movimientos.h"

#include "platform/ui/RejillaDatos.h"

#include <QLabel>
#include <QVBoxLayout>

TFormaMovimientos::TFormaMovimientos(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaMovimientos>() = this;
  setObjectName(QStringLiteral("FormaMovimientos"));
  setWindowTitle(QStringLiteral("Movimientos"));
  resize(696, 480);

  LabelRuta = new QLabel(this);
  LabelRuta->setObjectName(QStringLiteral("LabelRuta"));
  LabelRuta->hide();

  Table1 = new db::Tabla(this);
  Table1->setObjectName(QStringLiteral("Table1"));
  Table1->SetNombreTabla(QStringLiteral("Movimientos.dbf"));
  Table1->SetReadOnly(true);
  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->SetDataSet(Table1);

  DBGrid1 = new ui::RejillaDatos(this);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->SetFuente(DataSource1);
  DBGrid1->SetSoloLectura(true);
  auto* capa = new QVBoxLayout(this);
  capa->setContentsMargins(0, 0, 0, 0);
  capa->addWidget(DBGrid1);
}

void TFormaMovimientos::FormShow() {
  Table1->Close();
  Table1->SetCarpeta(LabelRuta->text());
  Table1->Open();
}

void TFormaMovimientos::FormClose() { Table1->Close(); }
