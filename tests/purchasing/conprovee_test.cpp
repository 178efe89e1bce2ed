// The supplier lookup and the supplier's contacts, as another window calls
// them and a user answers them; and the catalogue's "Contactos" button.

#include "compras_prueba.h"
#include "foundation/buscar.h"
#include "platform/ui/RejillaDatos.h"
#include "purchasing/ConProvee.h"
#include "purchasing/ContProv.h"
#include "platform/ui/ControlesDatos.h"
#include "support/Maneja.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <functional>

namespace {

using prueba::Pulsa;
using prueba::Teclea;

void Tecla(int tecla) {
  QWidget* foco = QApplication::focusWidget();
  ASSERT_TRUE(foco);
  QTest::keyClick(foco, static_cast<Qt::Key>(tecla));
}

class ConsultaProveedores : public ComprasPrueba {
 protected:
  void SetUp() override {
    ComprasPrueba::SetUp();
    for (const auto& [clave, nombre] : {std::pair{"A1", "ZAPATOS"}, std::pair{"B2", "ACEROS"},
                                        std::pair{"C3", "MADERAS"}, std::pair{"D4", "BARNICES"}})
      AgregaProveedor(clave, nombre);
  }

  // The contacts as "supplier|contact", in physical order.
  static QStringList Contactos() {
    QStringList filas;
    auto t = Abre("ContProv.dbf");
    for (t->First(); !t->Eof(); t->Next())
      filas << t->FieldByName("CLAVE_P").AsString() + u'|' + t->FieldByName("CONTA_P").AsString();
    return filas;
  }

  static void AgregaContacto(const QString& clave, const QString& nombre) {
    auto t = Abre("ContProv.dbf");
    t->Append();
    t->FieldByName("CLAVE_P").SetAsString(clave);
    t->FieldByName("CONTA_P").SetAsString(nombre);
    t->Post();
  }
};

QString Actual(const TFormaConProvee& v) { return v.TablaConProvee->FieldByName("CLAVE_P").AsString(); }

TEST_F(ConsultaProveedores, LaConsultaDevuelveLaClaveAceptadaYNadaAlRehusar) {
  struct Caso {
    const char* nombre;
    QString inicio;
    QString enInicio;  // the row the lookup opens on
    std::function<void(TFormaConProvee&)> respuesta;
    QString clave;
  };
  const Caso casos[] = {
      {"Enter en la lista", "B", "B2", [](TFormaConProvee&) { Tecla(Qt::Key_Return); }, "B2"},
      {"doble clic", "C3", "C3",
       [](TFormaConProvee& v) {
         const QModelIndex celda = v.DBGrid1->currentIndex();
         prueba::DobleClic(v.DBGrid1->viewport(), v.DBGrid1->visualRect(celda).center());
       },
       "C3"},
      {"Esc en la lista", "B", "B2", [](TFormaConProvee&) { Tecla(Qt::Key_Escape); }, ""},
      {"caja de cierre", "A", "A1", [](TFormaConProvee& v) { v.close(); }, ""},
      {"más allá del último", "Z", "D4", [](TFormaConProvee&) { Tecla(Qt::Key_Return); }, "D4"},
      {"por nombre con F2",
       "A",
       "A1",
       [](TFormaConProvee& v) {
         ui::PuertaModal::Espera("TFormaBusqueda", [](QDialog& d) {
           auto& b = static_cast<TFormaBusqueda&>(d);
           EXPECT_TRUE(b.Clave->isHidden());
           EXPECT_TRUE(b.Nombre->isHidden());
           Teclea(d, "CajaBuscar", "MAD");
           Pulsa(d, "BotonAceptar");
         });
         Tecla(Qt::Key_F2);
         EXPECT_EQ(Actual(v), "C3");
         EXPECT_TRUE(v.PorClave->isChecked());
         // The lookup is the active window again once the search closes.
         QApplication::setActiveWindow(&v);
         v.DBGrid1->setFocus();
         Tecla(Qt::Key_Return);
       },
       "C3"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    bool vista = false;
    ui::PuertaModal::Espera("TFormaConProvee", [&](QDialog& d) {
      vista = true;
      auto& v = static_cast<TFormaConProvee&>(d);
      EXPECT_EQ(v.windowTitle(), "Consulta Catalogo de Proveedores");
      EXPECT_EQ(Actual(v), c.enInicio);
      EXPECT_EQ(QApplication::focusWidget(), v.DBGrid1);
      c.respuesta(v);
      EXPECT_FALSE(v.isVisible());
    });
    EXPECT_EQ(BuscaProveedor(c.inicio), c.clave);
    EXPECT_TRUE(vista);
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ConsultaProveedores, LosContactosSonLosDelProveedorYLosNuevosLlevanSuClave) {
  AgregaContacto("A1", "Ana Ruiz");
  AgregaContacto("B2", "Beto Paz");
  AgregaContacto("A1", "Aldo Vega");
  bool visto = false;
  ui::PuertaModal::Espera("TFormaContactosProveedor", [&](QDialog& d) {
    visto = true;
    auto& v = static_cast<TFormaContactosProveedor&>(d);
    EXPECT_EQ(v.windowTitle(), "Contactos Proveedor");
    QStringList titulos;
    for (int i = 0; i < v.DBGrid1->Columnas(); ++i) titulos << v.DBGrid1->Columna(i).titulo;
    EXPECT_EQ(titulos,
              (QStringList{"Proveedor", "Contacto", "Cargo", "Telefono", "Número de Fax", "Correo Electrónico"}));
    EXPECT_EQ(v.TablaContacto->RecordCount(), 2);

    // A new row, the supplier column left empty.
    v.DBGrid1->setFocus();
    Tecla(Qt::Key_Insert);
    v.DBGrid1->SetSelectedIndex(1);
    for (QChar ch : QStringLiteral("Eva Sol")) QTest::keyClicks(QApplication::focusWidget(), QString(ch));
    v.Close();
  });
  // The catalogue's button opens them for the supplier shown.
  TFormaProveedo& catalogo = Ventana();
  Pulsa(catalogo, "SpeedButton1");
  EXPECT_TRUE(visto);
  EXPECT_EQ(Contactos(), (QStringList{"A1|Ana Ruiz", "B2|Beto Paz", "A1|Aldo Vega", "A1|Eva Sol"}));

  // A supplier without contacts: an empty grid that takes new rows.
  ui::PuertaModal::Espera("TFormaContactosProveedor", [](QDialog& d) {
    auto& v = static_cast<TFormaContactosProveedor&>(d);
    EXPECT_EQ(v.TablaContacto->RecordCount(), 0);
    v.DBGrid1->setFocus();
    Tecla(Qt::Key_Down);
    v.DBGrid1->SetSelectedIndex(1);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("X"));
    Tecla(Qt::Key_Return);
    v.Close();
  });
  MuestraContactosProveedor("C3");
  EXPECT_EQ(Contactos().last(), "C3|X");
  EXPECT_EQ(Mensajes(), QStringList());
}

}  // namespace
