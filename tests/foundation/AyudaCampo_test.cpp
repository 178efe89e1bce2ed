#include "foundation/AyudaCampo.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <memory>

using AyudaCampoTest = RaizPrueba;

TEST_F(AyudaCampoTest, SeCreaAlPrimerUsoYNoEspera) {
  ASSERT_EQ(FormaAyuda(), nullptr);
  QWidget ventana;
  auto* clave = new QLineEdit(&ventana);
  ventana.show();
  clave->setFocus();

  MuestraAyudaCampo("Clave", "C-0001", "Cadena", "10");
  std::unique_ptr<TFormaAyuda> popup(FormaAyuda());
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(popup->isVisible());
  EXPECT_EQ(prueba::Texto(*popup, "Eti"), "Clave");
  EXPECT_EQ(prueba::Texto(*popup, "Eje"), "C-0001");
  EXPECT_EQ(prueba::Texto(*popup, "Tip"), "Tipo     Cadena");
  EXPECT_EQ(prueba::Texto(*popup, "Tam"), "Tamaño   10");
  EXPECT_EQ(prueba::Texto(*popup, "Label1"), "Ejemplo:");

  // A key closes it; the next call shows the same window with new texts.
  QTest::keyClick(popup.get(), Qt::Key_A);
  EXPECT_FALSE(popup->isVisible());
  MuestraAyudaCampo("Telefono", "55 1234 5678", "Cadena", "20");
  EXPECT_EQ(FormaAyuda(), popup.get());
  EXPECT_TRUE(popup->isVisible());
  EXPECT_EQ(prueba::Texto(*popup, "Tam"), "Tamaño   20");
}
