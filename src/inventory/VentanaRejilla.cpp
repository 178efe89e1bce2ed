#include "inventory/VentanaRejilla.h"

#include "foundation/rutinas_tablas.h"
#include "platform/db/Tabla.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"

#include <QVBoxLayout>

VentanaRejilla::VentanaRejilla(QWidget* owner, const QString& nombre, const QString& titulo) : ui::Forma(owner) {
  setObjectName(nombre);
  setWindowTitle(titulo);
  resize(640, 420);
  Table1 = new db::Tabla(this);
  Table1->setObjectName(QStringLiteral("Table1"));
  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  DataSource1->SetDataSet(Table1);
  DBGrid1 = new ui::RejillaDatos(this);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->SetFuente(DataSource1);
  auto* capa = new QVBoxLayout(this);
  capa->setContentsMargins(0, 0, 0, 0);
  capa->addWidget(DBGrid1, 1);
}

void VentanaRejilla::FormCloseQuery(bool& puedeCerrar) {
  if (!GuardaFilaRejilla(*DBGrid1)) puedeCerrar = false;
}

void VentanaRejilla::FormClose() { Table1->Close(); }
