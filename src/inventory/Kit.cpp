#include "inventory/Kit.h"

#include "foundation/rutinas_tablas.h"
#include "inventory/ConPro.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LugarTablas.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

TFormaKit::TFormaKit(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaKit>() = this;
  setObjectName(QStringLiteral("FormaKit"));
  setWindowTitle(QStringLiteral("Kit"));
  resize(560, 320);

  TablaKit = new db::Tabla(this);
  TablaKit->setObjectName(QStringLiteral("TablaKit"));
  TablaKit->SetNombreTabla(QStringLiteral("KITS.DBF"));
  TablaKit->SetIndexName(QStringLiteral("CLPRO_I"));
  // The kit's key is written as the row is made, so a new row nobody typed
  // into still counts as untouched and the grid drops it.
  TablaKit->OnNewRecord = [this](db::Dataset&) { TablaKitAfterInsert(); };
  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  DataSource1->SetDataSet(TablaKit);

  Detalle = new ui::RejillaDatos(this);
  Detalle->setObjectName(QStringLiteral("Detalle"));
  Detalle->SetFuente(DataSource1);
  ui::Conecta(&ui::Eventos::De(Detalle), &ui::Eventos::KeyDown, this,
              [this](int& tecla, Qt::KeyboardModifiers shift) { DetalleKeyDown(tecla, shift); });

  BitBtn1 = new QPushButton(QStringLiteral("Guardar"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });

  auto* capa = new QVBoxLayout(this);
  capa->addWidget(Detalle, 1);
  auto* botones = new QHBoxLayout();
  botones->addStretch();
  botones->addWidget(BitBtn1);
  capa->addLayout(botones);
}

void TFormaKit::TablaKitAfterInsert() { TablaKit->FieldByName(QStringLiteral("CLPRO_I")).SetAsString(ClaveKit); }

void TFormaKit::DetalleKeyDown(int& tecla, Qt::KeyboardModifiers) {
  if (tecla != Qt::Key_F2) return;
  tecla = 0;
  if (!Detalle->CierraEditor()) return;
  TablaKit->Edit();
  db::Campo& componente = TablaKit->FieldByName(QStringLiteral("CLPRO_K"));
  QString clave = componente.AsString();
  BuscaProducto(clave, 1, clave);
  componente.SetAsString(clave);
  QString descripcion;
  DescripcionConsultaProducto(descripcion);
  TablaKit->FieldByName(QStringLiteral("DESCR_K")).SetAsString(descripcion);
}

void TFormaKit::BitBtn1Click() { GuardaFilaRejilla(*Detalle); }

void TFormaKit::FormCloseQuery(bool& puedeCerrar) {
  if (!GuardaFilaRejilla(*Detalle)) puedeCerrar = false;
}

void MuestraComponentesKit(const QString& clave) {
  auto forma = std::make_unique<TFormaKit>();
  forma->ClaveKit = clave;
  ApuntaTabla(*forma->TablaKit);
  forma->TablaKit->Open();
  forma->TablaKit->SetRange({clave}, {clave});
  const char* titulos[][2] = {
      {"CLPRO_I", "Producto"}, {"CLPRO_K", "Clave Kit"}, {"DESCR_K", "Descripción"}, {"CANTI_K", "Cantidad"}};
  for (const auto& [campo, titulo] : titulos)
    forma->Detalle->AgregaColumna(QString::fromLatin1(campo), QString::fromUtf8(titulo));
  forma->ShowModal();
  forma->TablaKit->Close();
}
