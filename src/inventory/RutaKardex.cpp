#include "inventory/RutaKardex.h"

#include "platform/db/Tabla.h"
#include "shell/LugarTablas.h"

TFormaRutaKardex::TFormaRutaKardex(QWidget* owner)
    : VentanaRejilla(owner, QStringLiteral("FormaRutaKardex"), QStringLiteral("Rutas del Kardex")) {
  ui::InstanciaDe<TFormaRutaKardex>() = this;
  Table1->SetNombreTabla(QStringLiteral("RutasMI.dbf"));
}

void MuestraRutasKardex() {
  TFormaRutaKardex rutas;
  ApuntaTabla(*rutas.Table1);
  rutas.Table1->Open();
  rutas.ShowModal();
}
