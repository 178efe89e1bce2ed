// The tab "Campos" of the general configuration window: the field
// dictionary Campos.DBF of the program folder in a data grid.

#include "shell/General.h"

#include "foundation/rutinas_tablas.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/Campos.h"

#include <QVBoxLayout>

// Every field in table order; no check is made on what is typed.
void TFormaConfiguracionGeneral::CreaPestanaCampos(QWidget* pagina) {
  TablaCampos = new db::Tabla(this);
  TablaCampos->setObjectName(QStringLiteral("TablaCampos"));
  DataSourceCampos = new ui::FuenteDatos(this);
  DataSourceCampos->SetDataSet(TablaCampos);
  RejillaCampos = new ui::RejillaDatos(pagina);
  RejillaCampos->setObjectName(QStringLiteral("RejillaCampos"));
  RejillaCampos->SetFuente(DataSourceCampos);
  auto* capa = new QVBoxLayout(pagina);
  capa->addWidget(RejillaCampos);
}

// A dictionary that cannot be opened is logged and leaves the grid empty;
// the rest of the window works without it.
void TFormaConfiguracionGeneral::AbreCampos() {
  TablaCampos->SetCarpeta(carpetaPrograma_);
  TablaCampos->SetNombreTabla(kArchivoCampos);
  AbreTabla(*TablaCampos);
  if (TablaCampos->Active()) TablaCampos->SetIndexName(QStringLiteral("TABLA"));
}

// The row being edited is posted before the window closes, as leaving it
// would; a row the table refuses keeps the window open.
void TFormaConfiguracionGeneral::FormCloseQuery(bool& puedeCerrar) {
  if (!TablaCampos->Active()) return;
  if (!RejillaCampos->CierraEditor()) {
    puedeCerrar = false;
    return;
  }
  try {
    if (TablaCampos->State() == db::Dataset::Estado::Insertando && !TablaCampos->Modified())
      TablaCampos->Cancel();
    else if (TablaCampos->State() != db::Dataset::Estado::Navegando)
      TablaCampos->Post();
  } catch (const plat::Error& e) {
    ui::MuestraExcepcion(e);
    puedeCerrar = false;
  }
}

void TFormaConfiguracionGeneral::FormClose() { TablaCampos->Close(); }
