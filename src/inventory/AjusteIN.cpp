#include "inventory/AjusteIN.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_tablas.h"
#include "inventory/CamposRegistro.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LugarTablas.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kColumnas = QStringLiteral(
    "CLAVE CHAR(20), PRODUCTO CHAR(40), ACTUAL NUMERIC(10,3), REALES NUMERIC(10,3), AJUSTE NUMERIC(10,3), "
    "COSTO NUMERIC(10,3), OTRO CHAR(1)");

}  // namespace

TFormaAjusteIN::TFormaAjusteIN(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaAjusteIN>() = this;
  setObjectName(QStringLiteral("FormaAjusteIN"));
  setWindowTitle(QStringLiteral("Ajuste de Inventario"));
  resize(760, 520);
  LabelRuta = new QLabel(this);
  LabelRuta->setObjectName(QStringLiteral("LabelRuta"));
  LabelRuta->hide();
  TablaSQLM_P = new db::Tabla(this);
  TablaSQLM_P->setObjectName(QStringLiteral("TablaSQLM_P"));
  QueryInventario = new db::Consulta(this);
  QueryInventario->setObjectName(QStringLiteral("QueryInventario"));
  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  DataSource1->SetDataSet(TablaSQLM_P);
  DBGrid1 = new ui::RejillaDatos(this);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->SetFuente(DataSource1);
  for (const char* campo : {"CLAVE", "PRODUCTO", "ACTUAL", "REALES", "AJUSTE", "COSTO"}) {
    const int i = DBGrid1->AgregaColumna(QString::fromLatin1(campo));
    DBGrid1->SetColumnaSoloLectura(i, qstrcmp(campo, "REALES") != 0);
  }
  BitBtn1 = new QPushButton(QStringLiteral("Ajustar"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn2 = new QPushButton(QStringLiteral("Calcular"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  auto* botones = new QHBoxLayout;
  botones->addStretch();
  botones->addWidget(BitBtn2);
  botones->addWidget(BitBtn1);
  auto* capa = new QVBoxLayout(this);
  capa->addWidget(DBGrid1, 1);
  capa->addLayout(botones);
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
}

void TFormaAjusteIN::FormShow() {
  QString programa;
  CarpetaLocal(programa);
  db::Tabla& t = *TablaSQLM_P;
  t.Close();
  // A fresh table each showing; a step that fails is passed over.
  try {
    if (db::Tabla::Existe(programa, kTablaAjusteMovimientos)) db::Tabla::Borra(programa, kTablaAjusteMovimientos);
  } catch (const plat::Error&) {
  }
  const QString ruta = db::LiteralComillas(fs::Une(programa, kTablaAjusteMovimientos));
  db::Consulta esquema;
  for (const QString& sql : {QStringLiteral("CREATE TABLE ") + ruta + QStringLiteral(" (") + kColumnas + u')',
                             QStringLiteral("CREATE INDEX CLAVE ON ") + ruta + QStringLiteral(" (CLAVE)")}) {
    try {
      esquema.Close();
      esquema.SetSQL(sql);
      esquema.ExecSQL();
    } catch (const plat::Error&) {
    }
  }

  QueryInventario->Close();
  QueryInventario->SetSQL(QStringLiteral("Select clpro_i, DSCPR_I, exist_i, ulcos_i from ") +
                          TablaSQL(QStringLiteral("inventar.dbf")) + QStringLiteral(" order by clpro_i"));
  QueryInventario->Open();
  t.SetCarpeta(programa);
  t.SetNombreTabla(kTablaAjusteMovimientos);
  t.Open();
  t.SetIndexName(QStringLiteral("CLAVE"));
  if (!t.IsEmpty()) {
    // Another copy of the program holds the old sheet: its counts are not
    // this one's, and adding the products again would post them twice.
    t.Close();
    QueryInventario->Close();
    MuestraMensaje(QStringLiteral("No se pudo crear de nuevo la tabla %1: está en uso por otra copia del programa")
                       .arg(fs::Une(programa, kTablaAjusteMovimientos)));
    return;
  }
  DataSource1->SetDataSet(nullptr);
  const std::pair<const char*, const char*> copia[] = {
      {"CLAVE", "clpro_i"}, {"PRODUCTO", "DSCPR_I"}, {"ACTUAL", "exist_i"}, {"COSTO", "ulcos_i"}};
  for (QueryInventario->First(); !QueryInventario->Eof(); QueryInventario->Next()) {
    try {
      t.Append();
      for (const auto& [destino, origen] : copia)
        t.FieldByName(QString::fromLatin1(destino))
            .SetAsString(QueryInventario->FieldByName(QString::fromLatin1(origen)).AsString());
      t.Post();
    } catch (const std::exception&) {
      // A product whose row cannot be made is left out.
      if (t.State() != db::Dataset::Estado::Navegando) t.Cancel();
    }
  }
  QueryInventario->Close();
  t.First();
  DataSource1->SetDataSet(&t);
  DBGrid1->SetSelectedIndex(3);  // the quantity found is what is typed
}

void TFormaAjusteIN::FormCloseQuery(bool& puedeCerrar) {
  if (TablaSQLM_P->Active() && !GuardaFilaRejilla(*DBGrid1)) puedeCerrar = false;
}

bool TFormaAjusteIN::Calcula() {
  db::Tabla& t = *TablaSQLM_P;
  if (!t.Active()) return true;
  if (!GuardaFilaRejilla(*DBGrid1)) return false;
  DataSource1->SetDataSet(nullptr);
  try {
    for (t.First(); !t.Eof(); t.Next()) {
      const std::optional<double> reales = registro::LeeReal(t.FieldByName(QStringLiteral("REALES")));
      if (!reales) continue;
      const double actual = registro::LeeReal(t.FieldByName(QStringLiteral("ACTUAL"))).value_or(0);
      t.Edit();
      try {
        t.FieldByName(QStringLiteral("AJUSTE")).SetAsFloat(*reales - actual);
        t.Post();
      } catch (...) {
        t.Cancel();
        throw;
      }
    }
  } catch (...) {
    t.First();
    DataSource1->SetDataSet(&t);
    throw;
  }
  t.First();
  DataSource1->SetDataSet(&t);
  return true;
}

void TFormaAjusteIN::BitBtn2Click() {
  Calcula();
  SetTag(0);
}

void TFormaAjusteIN::BitBtn1Click() {
  if (!Calcula()) return;
  SetTag(1);
  Close();
}
