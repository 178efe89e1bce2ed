#include "inventory/PreciosPref.h"

#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "platform/ui/RejillaDatos.h"

#include <QLabel>

namespace {

// Key, description and the price columns stay in the grid.
bool EsColumnaDePrecio(const QString& campo) {
  const QString nombre = campo.toLower();
  return nombre == u"clpro_i" || nombre == u"dscpr_i" || nombre == u"ppubl_i" || nombre.startsWith(u"plis") ||
         nombre.startsWith(u"pmin");
}

}  // namespace

TFormaPrecios::TFormaPrecios(QWidget* owner)
    : VentanaRejilla(owner, QStringLiteral("FormaPrecios"), QStringLiteral("Precios")) {
  ui::InstanciaDe<TFormaPrecios>() = this;
  Table1->SetNombreTabla(QStringLiteral("inventar.dbf"));
  Table1->SetIndexName(kTagClaveProducto);
  LabelRuta = new QLabel(this);
  LabelRuta->setObjectName(QStringLiteral("LabelRuta"));
  LabelRuta->hide();
}

void TFormaPrecios::FormShow() {
  Table1->Close();
  Table1->SetCarpeta(LabelRuta->text());
  Table1->Open();
  DBGrid1->QuitaColumnas();
  for (const QString& campo : Table1->NombresCampos())
    DBGrid1->SetColumnaVisible(DBGrid1->AgregaColumna(campo), EsColumnaDePrecio(campo));
}
