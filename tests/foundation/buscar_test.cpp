#include "foundation/buscar.h"
#include "platform/ui/PuertaModal.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <functional>

namespace {

using Guion = std::function<void(TFormaBusqueda&)>;

// The option chosen when the dialog closed: "Clave", "Nombre", "Direccion",
// "" for none, or several names when more than one were left chosen.
QString Elegidas(const TFormaBusqueda& f) {
  QStringList r;
  for (QRadioButton* o : {f.Clave, f.Nombre, f.Direccion})
    if (o->isChecked()) r << o->objectName();
  return r.join(u'+');
}

}  // namespace

using BuscarTest = RaizPrueba;

TEST_F(BuscarTest, OpcionesTeclasYCierre) {
  struct Caso {
    const char* nombre;
    bool conDireccion;
    Guion guion;
    QString texto;
    QString opcion;
    int tag;
  };
  auto teclas = [](std::initializer_list<int> ts) {
    return [ts](TFormaBusqueda& d) {
      for (int t : ts) prueba::Tecla(d, "", t);
    };
  };
  auto y = [](Guion a, Guion b) { return [a, b](TFormaBusqueda& d) { a(d); b(d); }; };
  auto escribe = [](const QString& t) { return [t](TFormaBusqueda& d) { prueba::Teclea(d, "CajaBuscar", t); }; };
  const Guion enter = [](TFormaBusqueda& d) { prueba::Tecla(d, "CajaBuscar", Qt::Key_Return); };
  const Guion aceptar = [](TFormaBusqueda& d) { prueba::Pulsa(d, "BotonAceptar"); };
  const Guion esc = [](TFormaBusqueda& d) { prueba::Tecla(d, "", Qt::Key_Escape); };

  const Caso casos[] = {
      {"Enter: por clave", false, y(escribe("A-10"), enter), "A-10", "Clave", 0},
      {"Aceptar responde 1", false, y(escribe("A-10"), aceptar), "A-10", "Clave", 1},
      {"F2 por nombre", false, y(escribe("PEREZ"), y(teclas({Qt::Key_F2}), enter)), "PEREZ", "Nombre", 0},
      {"F2 y F1", false, y(teclas({Qt::Key_F2, Qt::Key_F1}), enter), "", "Clave", 0},
      {"F3 con Dirección oculta", false, y(teclas({Qt::Key_F2, Qt::Key_F3}), enter), "", "Nombre", 0},
      {"F3 con Dirección visible", true, y(teclas({Qt::Key_F2, Qt::Key_F3}), aceptar), "", "Direccion", 1},
      {"Esc", false, y(escribe("abc"), esc), "abc", "", 0},
      {"Esc tras F2", false, y(teclas({Qt::Key_F2}), esc), "", "", 0},
      {"Esc tras F3", true, y(teclas({Qt::Key_F3}), esc), "", "", 0},
  };
  for (const Caso& c : casos) {
    TFormaBusqueda forma;
    if (c.conDireccion) forma.Direccion->show();
    ui::PuertaModal::Espera("TFormaBusqueda", [&](QDialog&) { c.guion(forma); });
    forma.ShowModal();
    EXPECT_FALSE(forma.isVisible()) << c.nombre;
    EXPECT_EQ(forma.CajaBuscar->text(), c.texto) << c.nombre;
    EXPECT_EQ(Elegidas(forma), c.opcion) << c.nombre;
    EXPECT_EQ(forma.Tag(), c.tag) << c.nombre;
  }
}

TEST_F(BuscarTest, ClicEnOpcionYActivacion) {
  TFormaBusqueda forma;
  EXPECT_EQ(forma.windowTitle(), "Busquedas Rápidas");
  EXPECT_EQ(forma.Clave->text(), "Por Clave (F1)");
  EXPECT_EQ(forma.Nombre->text(), "Por Nombre (F2)");
  EXPECT_EQ(forma.Direccion->text(), "Por Dirección (F3)");
  EXPECT_TRUE(forma.Direccion->isHidden());
  forma.CajaBuscar->setText("previo");
  ui::PuertaModal::Espera("TFormaBusqueda", [&](QDialog&) {
    EXPECT_EQ(forma.CajaBuscar->text(), "");  // emptied on activation
    EXPECT_TRUE(forma.CajaBuscar->hasFocus());
    QTest::mouseClick(forma.Nombre, Qt::LeftButton);
    EXPECT_EQ(Elegidas(forma), "Nombre");
    EXPECT_TRUE(forma.CajaBuscar->hasFocus());
    QTest::mouseClick(forma.Nombre, Qt::LeftButton);  // a chosen option stays chosen
    EXPECT_EQ(Elegidas(forma), "Nombre");
    QTest::mouseClick(forma.Clave, Qt::LeftButton);
    EXPECT_EQ(Elegidas(forma), "Clave");
    prueba::Teclea(forma, "CajaBuscar", "12");
    prueba::Tecla(forma, "CajaBuscar", Qt::Key_Return);
  });
  forma.ShowModal();
  EXPECT_EQ(forma.CajaBuscar->text(), "12");
  EXPECT_EQ(forma.Tag(), 0);
}

TEST_F(BuscarTest, FormaDeDosCampos) {
  struct Caso { const char* nombre; const char* enterEn; int tag; };
  const Caso casos[] = {{"Enter en el primero", "EditBusca1", 1}, {"Enter en el segundo", "EditBusca2", 1}};
  for (const Caso& c : casos) {
    TFormaBusqueda forma;
    forma.CajaBuscar->hide();
    forma.Label1->hide();
    for (QWidget* w : {static_cast<QWidget*>(forma.Clave), static_cast<QWidget*>(forma.Nombre)}) w->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{forma.EditBusca1, forma.EditBusca2, forma.LabelBusca1,
                                                      forma.LabelBusca2})
      w->show();
    ui::PuertaModal::Espera("TFormaBusqueda", [&](QDialog&) {
      EXPECT_TRUE(forma.EditBusca1->hasFocus()) << c.nombre;
      prueba::Teclea(forma, "EditBusca1", "10");
      prueba::Teclea(forma, "EditBusca2", "20");
      prueba::Tecla(forma, c.enterEn, Qt::Key_Return);
    });
    forma.ShowModal();
    EXPECT_EQ(forma.Tag(), c.tag) << c.nombre;
    EXPECT_EQ(forma.EditBusca1->text(), "10");
    EXPECT_EQ(forma.EditBusca2->text(), "20");
  }
}
