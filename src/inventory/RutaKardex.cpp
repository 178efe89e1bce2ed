#include "inventory/RutaKardex.h"

#include "platform/db/Tabla.h"

TFormaRutaKardex::TFormaRutaKardex(QWidget* owner)
    : VentanaRejilla(owner, QStringLiteral("FormaRutaKardex"), QStringLiteral("Rutas del Kardex")) {
  ui::InstanciaDe<TFormaRutaKardex>() = this;
  Table1->SetNombreTabla(QStringLiteral("RutasMI.dbf"));
}

void MuestraRutasKardex(const QString& carpeta) {
  TFormaRutaKardex rutas;
  rutas.Table1->SetCarpeta(carpeta);
  rutas.Table1->Open();
  rutas.ShowModal();
}
