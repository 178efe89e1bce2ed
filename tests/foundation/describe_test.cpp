#include "foundation/describe.h"
#include "platform/fs/CadenaCorta.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/PuertaModal.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"

#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QWidget>

#include <optional>

namespace {

const QString kDescribe = QStringLiteral("c:\\VRL\\ayuda\\describe.des");
const QString kDiseno = QStringLiteral("No hay una descripción para esta opción.");

QByteArray Registro(const QString& clave, const QString& parte1, const QString& parte2) {
  QByteArray r(kTamanoDescripcion, '\xAA');  // junk after each text must not show
  fs::EscribeCadenaCorta(r, 0, 11, clave);
  fs::EscribeCadenaCorta(r, 11, 126, parte1);
  fs::EscribeCadenaCorta(r, 137, 126, parte2);
  return r;
}

// A toolbar of one button whose right click shows help text n; returns the
// memo's text shown by the popup, or nullopt when no popup came up.
std::optional<QString> ClicEnBoton(Qt::MouseButton boton, int n, QPoint* lugar = nullptr,
                                   QPoint* esquina = nullptr) {
  QWidget ventana;
  ventana.setGeometry(100, 100, 400, 200);
  auto* b = new QPushButton("Nuevo", &ventana);
  b->setObjectName("BotonNuevo");
  b->setGeometry(30, 10, 60, 40);
  ConectaDescripcion(b, n);
  std::optional<QString> texto;
  ui::PuertaModal::Espera("TFormaDescribe", [&](QDialog& d) {
    texto = static_cast<TFormaDescribe&>(d).Comenta->toPlainText();
    if (lugar) *lugar = d.pos();
    prueba::Tecla(d, "", Qt::Key_Space);
    EXPECT_FALSE(d.isVisible());
  });
  QTest::mousePress(b, boton);
  QTest::mouseRelease(b, boton);
  if (esquina) *esquina = b->mapToGlobal(QPoint(0, b->height()));
  if (!texto) ui::PuertaModal::Reinicia();  // the unused answer
  EXPECT_EQ(FormaDescribe(), nullptr);      // freed in every case
  return texto;
}

}  // namespace

using DescribeTest = RaizPrueba;

TEST_F(DescribeTest, ClicDerechoMuestraLasDosPartesDelRegistro) {
  QByteArray archivo = Registro("BotonEmpre", "Elige la empresa ", "con la que se trabaja.") +
                       Registro("", "Uno", "") +
                       Registro("x", "Guarda los datos del documento ", "en la base de datos.");
  archivo[kTamanoDescripcion + 11] = char(200);  // a length beyond its field reads the whole field
  EscribeBytes(kDescribe, archivo);

  struct Caso { const char* nombre; Qt::MouseButton boton; int n; std::optional<QString> texto; };
  const Caso casos[] = {
      {"registro 0", Qt::RightButton, 0, "Elige la empresa con la que se trabaja."},
      {"registro 2", Qt::RightButton, 2, "Guarda los datos del documento en la base de datos."},
      // 125 characters: "Uno", then the field's filler bytes (0xAA is "ª").
      {"longitud de más", Qt::RightButton, 1, QString("Uno") + QString(122, QChar(0xAA))},
      {"más allá del último", Qt::RightButton, 3, kDiseno},
      {"número negativo", Qt::RightButton, -1, kDiseno},
      {"botón izquierdo", Qt::LeftButton, 0, std::nullopt},
      {"botón central", Qt::MiddleButton, 0, std::nullopt},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(ClicEnBoton(c.boton, c.n), c.texto) << c.nombre;
  }
}

TEST_F(DescribeTest, SinArchivoMuestraElTextoDeDisenoYSeColocaBajoElBoton) {
  QPoint lugar, esquina;
  EXPECT_EQ(ClicEnBoton(Qt::RightButton, 5, &lugar, &esquina), kDiseno);
  EXPECT_EQ(lugar, QPoint(esquina.x() - 61 + 25, esquina.y() + 70));
}

TEST_F(DescribeTest, UnClicEnElTextoCierra) {
  TFormaDescribe popup;
  ui::PuertaModal::Espera("TFormaDescribe", [&](QDialog&) {
    QTest::mouseClick(popup.Comenta->viewport(), Qt::LeftButton);
    EXPECT_FALSE(popup.isVisible());
  });
  popup.ShowModal();
}
