// The product window's tools: the line picker, the observations, the copy
// of a product into a new one, the barcode label and the spreadsheet
// import program.

#include "inventory/Inven.h"

#include "foundation/Lineas.h"
#include "foundation/dialogos.h"
#include "foundation/observa.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/process/Procesos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QLineEdit>

#include <utility>
#include <vector>

namespace {

const QString kSinCodigoBarras = QStringLiteral("No Se Puede Utilizar el Código de Barras");

}  // namespace

void TFormaInventario::SpeedButton2Click() {
  TFormaLineas lineas(this);
  EligeDeConsulta(QStringLiteral("SELECT DISTINCT LIPRO_I FROM ") +
                  TablaSQL(QStringLiteral("inventar.dbf")) +
                  QStringLiteral(" order by LIPRO_I"));
  if (lineas.Tag() == 1)
    EscribeCampo(QStringLiteral("LIPRO_I"), lineas.Query1->FieldByName(QStringLiteral("LIPRO_I")).AsString());
}

void TFormaInventario::BotonObservacionClick() {
  EditaObservaciones(EditCLPRO_I->text(), QStringLiteral("IN"), CarpetaDeTabla(kTablaObservaciones));
}

// "Repetir": a new product holding every non-empty field of the one shown,
// but the key the new-product command gives and the stock, which only
// movements bring. Nothing is posted: the user saves or drops it.
void TFormaInventario::Repetir1Click() {
  std::vector<std::pair<QString, QVariant>> campos;
  if (TablaInventario->Active() && !TablaInventario->IsEmpty()) {
    for (int i = 0; i < TablaInventario->FieldCount(); ++i) {
      const db::Campo& c = TablaInventario->Fields(i);
      const QString nombre = c.Nombre().toUpper();
      if (c.AsString().isEmpty() || nombre == u"CLPRO_I" || nombre == u"EXIST_I") continue;
      campos.emplace_back(nombre, c.Value());
    }
  }
  BotonNuevoClick();
  for (const auto& [nombre, valor] : campos) TablaInventario->FieldByName(nombre).SetValue(valor);
  // The picture, serial and kit marks of the copy are saved from the display.
  MuestraProducto();
}

void TFormaInventario::EscribeArchivoBarras() {
  fs::ReescribeLineas(fs::Une(CarpetaPrograma, QStringLiteral("barra.dat")),
                      {TablaInventario->FieldByName(QStringLiteral("CLPRO_I")).AsString()});
}

void TFormaInventario::ImprimeCdigo1Click() {
  EscribeArchivoBarras();
  const QString programa = u'"' + fs::Une(CarpetaPrograma, QStringLiteral("GUNDEL.exe")) + u'"';
  try {
    proc::Traduce(programa);
  } catch (const plat::Error& e) {
    if (e.clase() != plat::Clase::NoExiste) throw;
    MuestraMensaje(kSinCodigoBarras);
    return;
  }
  const proc::Resultado r = proc::Ejecuta(programa);
  if (!r) MuestraMensaje(r.error);
}

void TFormaInventario::ImportardesdeEXCEL1Click() {
  const proc::Resultado r = proc::Ejecuta(QStringLiteral("Famtuli.exe"));
  if (!r) MuestraMensaje(r.error);
}
