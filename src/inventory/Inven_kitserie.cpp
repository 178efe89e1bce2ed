// The product window's openers of the kit components, the serial numbers
// and the key generator.

#include "inventory/DiseClave.h"
#include "inventory/Inven.h"
#include "inventory/Kit.h"
#include "inventory/RegistroProducto.h"
#include "inventory/Serie.h"
#include "shell/LugarTablas.h"

#include "foundation/dialogos.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "shell/LineasConfiguracion.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include <memory>

// Whatever the "Producto Kit" box says: a product may get its components
// before it is marked a kit.
void TFormaInventario::SpeedButton1Click() { MuestraComponentesKit(EditCLPRO_I->text()); }

void TFormaInventario::NmerosdeSerie1Click() {
  if (!Series->isChecked()) {
    MuestraMensaje(kSinNumerosSerie);
    return;
  }
  auto series = std::make_unique<TFormaNumeroSerie>(this);
  series->MuestraNumerosSerie(EditCLPRO_I->text(), fs::Une(CarpetaDatos, QStringLiteral("serie")));
}

// The new products go to the product table every other window shows: the
// inventory folder.
void TFormaInventario::ConfiguraClave1Click() {
  auto generador = std::make_unique<TFormaClaveDiseno>(this);
  generador->SetTag(0);
  generador->LabelRuta->setText(CarpetaDeTabla(kTablaProductos));
  generador->ShowModal();
}
