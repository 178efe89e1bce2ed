#include "customers/PoliClie.h"

#include "foundation/rutinas.h"
#include "foundation/rutinas_tablas.h"
#include "platform/db/Consulta.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <memory>

namespace {

constexpr int kAnchoClave = 20;

// The distinct product lines of the company's inventar.dbf, in line order.
QStringList LineasProductos() {
  db::Consulta consulta;
  consulta.SetSQL(QStringLiteral("Select LIPRO_I FROM ") + TablaSQL(QStringLiteral("inventar.dbf")) +
                  QStringLiteral("   order by LIPRO_I"));
  consulta.Open();
  QStringList lineas;
  const db::Campo& linea = consulta.FieldByName(QStringLiteral("LIPRO_I"));
  for (consulta.First(); !consulta.Eof(); consulta.Next())
    if (!lineas.contains(linea.AsString())) lineas << linea.AsString();
  return lineas;
}

}  // namespace

TFormaPoliticaClientes::TFormaPoliticaClientes(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaPoliticaClientes>() = this;
  setObjectName(QStringLiteral("FormaPoliticaClientes"));
  setWindowTitle(QStringLiteral("Descuentos al Cliente por Linea de Productos"));
  resize(560, 340);

  TablaDescuentos = new db::Tabla(this);
  TablaDescuentos->setObjectName(QStringLiteral("TablaDescuentos"));
  TablaDescuentos->SetNombreTabla(kTablaDescuentosCliente);
  TablaDescuentos->SetIndexName(QStringLiteral("CLCLI_D"));
  // A new row is the customer's; a row nobody typed into is still dropped.
  TablaDescuentos->OnNewRecord = [this](db::Dataset& t) {
    t.FieldByName(QStringLiteral("CLCLI_D")).SetAsString(Cliente);
  };
  FuenteDescuentos = new ui::FuenteDatos(this);
  FuenteDescuentos->setObjectName(QStringLiteral("FuenteDescuentos"));
  FuenteDescuentos->SetDataSet(TablaDescuentos);

  auto* etiqueta = new QLabel(QStringLiteral("Lineas Disponibles"), this);
  etiqueta->setObjectName(QStringLiteral("Label1"));
  ListaLineas = new QListWidget(this);
  ListaLineas->setObjectName(QStringLiteral("ListaLineas"));
  ListaLineas->setFixedWidth(170);
  BitBtn1 = new QPushButton(QStringLiteral("Crear Lista"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  DBGrid1 = new ui::RejillaDatos(this);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->SetFuente(FuenteDescuentos);

  auto* capa = new QGridLayout(this);
  capa->addWidget(etiqueta, 0, 0);
  capa->addWidget(ListaLineas, 1, 0);
  capa->addWidget(BitBtn1, 2, 0);
  capa->addWidget(DBGrid1, 0, 1, 3, 1);
  capa->setColumnStretch(1, 1);

  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  // The key is the customer's: the grid passes on to the percentage.
  ui::Conecta(DBGrid1, &ui::RejillaDatos::ColEnter, this, [this] {
    if (DBGrid1->SelectedIndex() == 0) DBGrid1->SetSelectedIndex(1);
  });
}

void TFormaPoliticaClientes::BitBtn1Click() {
  if (!DBGrid1->CierraEditor()) return;
  db::Tabla& t = *TablaDescuentos;
  const db::Campo& linea = t.FieldByName(QStringLiteral("LINEA_D"));
  for (int i = 0; i < ListaLineas->count(); ++i) {
    const QString buscada = ListaLineas->item(i)->text();
    bool tiene = false;
    for (t.First(); !t.Eof() && !tiene; t.Next()) tiene = linea.AsString() == buscada;
    if (tiene) continue;
    t.Append();
    t.FieldByName(QStringLiteral("LINEA_D")).SetAsString(buscada);
    t.Post();
  }
}

void TFormaPoliticaClientes::FormCloseQuery(bool& puedeCerrar) {
  if (!GuardaFilaRejilla(*DBGrid1)) puedeCerrar = false;
}

void MuestraDescuentosCliente(const QString& carpeta, const QString& clave) {
  auto ventana = std::make_unique<TFormaPoliticaClientes>();
  ventana->Cliente = clave.left(kAnchoClave);
  db::Tabla& t = *ventana->TablaDescuentos;
  t.SetCarpeta(carpeta);
  t.Open();
  t.SetRange({ventana->Cliente}, {ventana->Cliente});
  ventana->ListaLineas->addItems(LineasProductos());
  const char* const titulos[] = {"Cliente", "Descuento", "Linea"};
  for (int i = 0; i < 3; ++i) ventana->DBGrid1->SetTituloColumna(i, QString::fromLatin1(titulos[i]));
  ventana->DBGrid1->SetSelectedIndex(1);
  ventana->ShowModal();
}
