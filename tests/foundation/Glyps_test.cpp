#include "foundation/Glyps.h"
#include "support/RaizPrueba.h"

#include <QToolButton>

namespace {

QToolButton* Boton(QWidget& padre, const QString& nombre) {
  auto* b = new QToolButton(&padre);
  b->setObjectName(nombre);
  return b;
}

qint64 Clave(const QAbstractButton* boton) { return boton->icon().cacheKey(); }

}  // namespace

TEST(Glyps, LasVentanasCopianLasImagenesDelContenedor) {
  auto* glyps = new TFormaGlyp();
  EXPECT_EQ(FormaGlyp(), glyps);
  EXPECT_EQ(TFormaGlyp::Botones().size(), 11);
  for (const QString& nombre : TFormaGlyp::Botones()) {
    const auto* b = glyps->Componente<QAbstractButton>(nombre);
    ASSERT_NE(b, nullptr) << nombre.toStdString();
    EXPECT_FALSE(b->icon().isNull()) << nombre.toStdString();
  }
  auto imagen = [&](const char* nombre) { return Clave(glyps->Componente<QAbstractButton>(nombre)); };
  EXPECT_NE(imagen("BotonNuevo1"), imagen("BotonSalir1"));

  QWidget ventana;
  QToolButton* nuevo = Boton(ventana, "BotonNuevo");
  QToolButton* salir = Boton(ventana, "BotonSalir");
  QToolButton* pagos = Boton(ventana, "BotonPagos");
  QToolButton* otro = Boton(ventana, "BotonOtro");
  CopiaGlyps(ventana);
  EXPECT_EQ(Clave(nuevo), imagen("BotonNuevo1"));
  EXPECT_EQ(Clave(salir), imagen("BotonSalir1"));
  EXPECT_TRUE(pagos->icon().isNull());
  EXPECT_TRUE(otro->icon().isNull());
  CopiaGlyp("BotonPago", pagos);
  EXPECT_EQ(Clave(pagos), imagen("BotonPago"));

  delete glyps;
  EXPECT_EQ(FormaGlyp(), nullptr);
}
