#include "pos/DescuentoPago.h"

#include "platform/db/Tabla.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"

#include <QVBoxLayout>

TFormaDescuentoPago::TFormaDescuentoPago(QWidget* owner) : ui::Forma(owner) {
  setObjectName(QStringLiteral("FormaDescuentoPago"));
  setWindowTitle(QStringLiteral("Descuentos Tipo Pago"));
  resize(460, 320);

  TablaDescuento = new db::Tabla(this);
  TablaDescuento->setObjectName(QStringLiteral("TablaDescuento"));
  FuenteDescuento = new ui::FuenteDatos(this);
  FuenteDescuento->setObjectName(QStringLiteral("FuenteDescuento"));
  FuenteDescuento->SetDataSet(TablaDescuento);

  DBGrid1 = new ui::RejillaDatos(this);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->SetFuente(FuenteDescuento);
  DBGrid1->AgregaColumna(QStringLiteral("TIPOPAGO"), QStringLiteral("Tipo de Pago"), 200);
  DBGrid1->AgregaColumna(QStringLiteral("DESCUENTO"), QStringLiteral("Descuento %"), 100);
  DBGrid1->AgregaColumna(QStringLiteral("PRECIO"), QStringLiteral("Lista de Precio"), 100);

  auto* capas = new QVBoxLayout(this);
  capas->setContentsMargins(0, 0, 0, 0);
  capas->addWidget(DBGrid1);
}

void TFormaDescuentoPago::FormShow() { DBGrid1->setFocus(Qt::OtherFocusReason); }

void TFormaDescuentoPago::FormClose() {
  if (TablaDescuento->State() == db::Dataset::Estado::Editando ||
      TablaDescuento->State() == db::Dataset::Estado::Insertando)
    TablaDescuento->Post();
}
