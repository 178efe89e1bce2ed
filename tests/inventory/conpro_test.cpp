// The product lookup driven as the document windows and their users drive
// it: entries by key and by order, searches held in the description, the
// two-field filter, the price of a package, the settings file, warehouses,
// type-ahead, and the stock another station changed.

#include "foundation/buscar.h"
#include "inventario_prueba.h"
#include "inventory/ConPro.h"
#include "inventory/ConsultaContiene.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Consulta.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/RejillaDatos.h"
#include "support/Maneja.h"
#include "support/Proceso.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

using prueba::Pulsa;
using prueba::Tecla;

namespace {

struct Producto {
  QString clave;
  QString descripcion = {};
  QString almacen = QStringLiteral("1");
  double existencia = 0;
  double pendiente = 0;
  double empaque = 0;
  double costo = 0;
};

const QString kPrecios = QStringLiteral("C:\\VRL\\precios.cnf");

class ConsultaProductos : public InventarioPrueba {
 protected:
  void TearDown() override {
    ventana_.reset();
    InventarioPrueba::TearDown();
  }

  // The window as the program creates it at start.
  TFormaConProduct& Ventana() {
    if (!ventana_) ventana_ = std::make_unique<TFormaConProduct>();
    return *ventana_;
  }

  // Configuration line 46: several warehouses.
  static void Multialmacen() {
    QStringList v = fs::LeeLineas(QStringLiteral("C:\\VRL\\Gener1.cnf"));
    v[ConfMultialmacen - 1] = QStringLiteral("S");
    EscribeLineas(QStringLiteral("C:\\VRL\\Gener1.cnf"), v);
  }

  static void Agrega(const QList<Producto>& productos) {
    auto t = Abre(kTablaProductos);
    for (const Producto& p : productos) {
      t->Append();
      t->FieldByName("CLPRO_I").SetAsString(p.clave);
      t->FieldByName("DSCPR_I").SetAsString(p.descripcion.isEmpty() ? "Producto " + p.clave : p.descripcion);
      t->FieldByName("ALMAC_I").SetAsString(p.almacen);
      t->FieldByName("EXIST_I").SetAsFloat(p.existencia);
      t->FieldByName("PESUR_I").SetAsFloat(p.pendiente);
      t->FieldByName("UEMPA_I").SetAsFloat(p.empaque);
      t->FieldByName("ULCOS_I").SetAsFloat(p.costo);
      t->Post();
    }
  }

  // Runs a lookup; `guion` acts in the window while it is shown.
  void Responde(const std::function<void(TFormaConProduct&)>& guion) {
    Ventana();
    ui::PuertaModal::Espera("TFormaConProduct", [guion](QDialog& d) { guion(static_cast<TFormaConProduct&>(d)); });
  }

  static void Pulsa(TFormaConProduct& f, int tecla, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    Tecla(f, "Detalle", tecla, mods);
  }

  // Column 0 of every row the grid lists.
  static QStringList Filas(const TFormaConProduct& f) {
    QStringList filas;
    const QAbstractItemModel* m = f.Detalle->model();
    for (int i = 0; i < m->rowCount(); ++i) filas << m->index(i, 0).data().toString();
    return filas;
  }

  static QString Actual(const TFormaConProduct& f) { return f.TablaConProducto->FieldByName("CLPRO_I").AsString(); }

  // The quick search dialog answered with a text, accepted or left with Esc.
  static void BuscaTexto(const QString& texto, bool acepta = true) {
    ui::PuertaModal::Espera("TFormaBusqueda", [texto, acepta](QDialog& d) {
      prueba::Teclea(d, "CajaBuscar", texto);
      if (acepta) prueba::Pulsa(d, "BotonAceptar");
      else Tecla(d, "CajaBuscar", Qt::Key_Escape);
    });
  }

 private:
  std::unique_ptr<TFormaConProduct> ventana_;
};

}  // namespace

TEST_F(ConsultaProductos, BuscaProductoAbreEnLaClaveMasCercanaYDevuelveSegunElCierre) {
  Agrega({{"A1"}, {"A2"}, {"B1"}, {"B2"}, {"B3"}, {"C1"}});
  struct Caso {
    const char* cierre;
    std::function<void(TFormaConProduct&)> cierra;
    QString esperada;
  };
  const Caso casos[] = {
      {"Esc", [](TFormaConProduct& f) { Pulsa(f, Qt::Key_Escape); }, "B"},
      {"Enter", [](TFormaConProduct& f) { Pulsa(f, Qt::Key_Return); }, "B3"},
      {"cuadro de cierre", [](TFormaConProduct& f) { static_cast<QWidget&>(f).close(); }, "B3"},
      {"doble clic",
       [](TFormaConProduct& f) {
         prueba::DobleClic(f.Detalle->viewport(), f.Detalle->visualRect(f.Detalle->currentIndex()).center());
       },
       "B3"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.cierre);
    Responde([&](TFormaConProduct& f) {
      EXPECT_EQ(f.windowTitle(), "Catálogo de Productos");
      EXPECT_EQ(Actual(f), "B1");
      EXPECT_EQ(f.Detalle->currentIndex().row(), 2);
      Pulsa(f, Qt::Key_Down);
      Pulsa(f, Qt::Key_Down);
      EXPECT_EQ(Actual(f), "B3");
      c.cierra(f);
      EXPECT_FALSE(f.isVisible());
    });
    QString clave = "sin tocar";
    BuscaProducto("B", 1, clave);
    EXPECT_EQ(clave, c.esperada);
  }
  // The kit dialog reads the description of the product chosen.
  QString descripcion = {};
  DescripcionConsultaProducto(descripcion);
  EXPECT_EQ(descripcion, "Producto B3");
}

TEST_F(ConsultaProductos, BuscaProductoPorOrdenOrdenaTitulaYDevuelveElTextoAlCancelar) {
  Agrega({{"P1", "TUERCA"}, {"P2", "ARANDELA"}, {"P3", "CLAVO"}});
  struct Caso {
    int orden;
    const char* titulo;
    const char* texto;
    const char* situada;
  };
  const Caso casos[] = {
      {2, "Catálogo de Productos ORDENADO POR DESCRIPCION ", "B", "P3"},
      {1, "Catálogo de Productos ORDENADO POR CLAVE ", "P2", "P2"},
      {9, "Catálogo de Productos ORDENADO POR CLAVE ", "P3", "P3"},  // any other order: the one in use
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.orden);
    Responde([&](TFormaConProduct& f) {
      EXPECT_EQ(f.windowTitle(), c.titulo);
      EXPECT_EQ(Actual(f), c.situada);
      static_cast<QWidget&>(f).close();
    });
    QString clave;
    BuscaProductoPorOrden(c.texto, 1, c.orden, false, clave);
    EXPECT_EQ(clave, c.texto);
  }
  Responde([](TFormaConProduct& f) { Pulsa(f, Qt::Key_Return); });
  QString clave;
  BuscaProductoPorOrden("C", 1, 2, false, clave);
  EXPECT_EQ(clave, "P3");
}

// The search held in the description gives the rows and order of
//   WHERE DSCPR_I LIKE '%<text>%' ORDER BY DSCPR_I
// with the text taken as typed: capitals told apart, quotes, "%" and "_"
// plain characters, Windows-1252 order, letters beyond ASCII as stored.
TEST_F(ConsultaProductos, LaBusquedaEnLaDescripcionDaLasFilasYElOrdenDeLaInstruccion) {
  Agrega({{"T1", "TORNILLO 1/2\""},
          {"T2", "ARANDELA"},
          {"T3", "D'TORNADO"},
          {"T4", "TORNO Ñ"},
          {"T5", "TORNO €"},
          {"T6", "tornillo fino"},
          {"T7", "DESCUENTO 50%"},
          {"T8", "DESCUENTO 50 PZ"},
          {"T9", "TUBO A_B"},
          {"T10", "TUBO AXB"},
          {"T11", "TORNO ZETA", "2"},
          {"T12", "TORNO abc"},
          {"T13", "TORNO ?"}});
  struct Caso {
    const char* texto;
    QStringList claves;
  };
  const Caso casos[] = {
      {"TORN", {"T3", "T1", "T13", "T11", "T12", "T5", "T4"}},
      {"torn", {"T6"}},
      {"1/2\"", {"T1"}},
      {"D'T", {"T3"}},
      {"50%", {"T7"}},
      {"A_B", {"T9"}},
      {"' OR ''='", {}},
      {"Ñ", {"T4"}},
      {"O €", {"T5"}},
      // Blanks that end a description are not part of it.
      {"ZETA ", {}},
      // A character the file cannot hold is in no description.
      {"TORNO \u2192", {}},
      {"TORNO ?", {"T13"}},
      {"", {"T2", "T3", "T8", "T7", "T1", "T13", "T11", "T12", "T5", "T4", "T10", "T9", "T6"}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.texto);
    ConsultaContiene q;
    q.SetCarpeta(kDatos);
    q.SetNombreTabla(kTablaProductos);
    q.SetCampos({"CLPRO_I", "DSCPR_I", "PPUBL_I"});
    q.SetBusqueda("DSCPR_I", c.texto);
    q.Open();
    QStringList claves;
    for (q.First(); !q.Eof(); q.Next()) claves << q.FieldByName("CLPRO_I").AsString();
    EXPECT_EQ(claves, c.claves);
  }
}

TEST_F(ConsultaProductos, ConContieneListaLasDescripcionesDeTodosLosAlmacenes) {
  Multialmacen();
  Agrega({{"T1", "TORNILLO"}, {"T2", "ARANDELA"}, {"T3", "TORNO", "2"}, {"T4", "CLAVO TORNEADO"}});
  Responde([](TFormaConProduct& f) {
    EXPECT_TRUE(f.RadioFiltro->isChecked());
    EXPECT_EQ(Filas(f), QStringList({"T4", "T1", "T3"}));
    // The right-hand panel follows the row chosen in the list.
    Pulsa(f, Qt::Key_Down);
    EXPECT_EQ(Actual(f), "T1");
    Pulsa(f, Qt::Key_Escape);
  });
  QString clave;
  BuscaProductoPorOrden("TORN", 1, 2, true, clave);
  EXPECT_EQ(clave, "TORN");
  Responde([](TFormaConProduct& f) {
    Pulsa(f, Qt::Key_Down);
    Pulsa(f, Qt::Key_Return);
  });
  BuscaProductoPorOrden("TORN", 1, 2, true, clave);
  EXPECT_EQ(clave, "T1");
  // Afterwards the grid shows the table again, of warehouse 1 only.
  Responde([](TFormaConProduct& f) {
    EXPECT_EQ(Filas(f), QStringList({"T1", "T2", "T4"}));
    Pulsa(f, Qt::Key_Escape);
  });
  BuscaProducto("", 1, clave);
  // F4 asks for the text; one left in the box by Esc is searched all the same.
  Responde([](TFormaConProduct& f) {
    BuscaTexto("CLAVO", false);
    Pulsa(f, Qt::Key_F4);
    EXPECT_EQ(Filas(f), QStringList({"T4"}));
    Pulsa(f, Qt::Key_F1);
    EXPECT_EQ(Filas(f), QStringList({"T1", "T2", "T4"}));
    EXPECT_EQ(f.windowTitle(), "Catálogo de Productos Ordenado por CLAVE");
    Pulsa(f, Qt::Key_Escape);
  });
  BuscaProducto("", 1, clave);
}

TEST_F(ConsultaProductos, FiltroDeDosCamposConLosCamposDeBuscaExtra) {
  Agrega({{"T1", "TORNILLO"}, {"T2", "TORNO"}, {"T3", "D'TORNO 1/2\""}, {"T4", "CLAVO"}});
  {
    auto t = Abre(kTablaProductos);
    for (const auto& [clave, linea] :
         {std::pair{"T1", "FERRE2"}, {"T2", "MADERA"}, {"T3", "FERRE1"}, {"T4", "FERRE3"}}) {
      t->First();
      ASSERT_TRUE(t->Locate("CLPRO_I", {clave}));
      t->Edit();
      t->FieldByName("LIPRO_I").SetAsString(linea);
      t->Post();
    }
  }
  EscribeLineas("C:\\VRL\\busca_extra.cnf", {"Descripción", "DSCPR_I", "Línea", "LIPRO_I"});
  struct Caso {
    const char* texto1;
    const char* texto2;
    QStringList claves;
  };
  const Caso casos[] = {
      {"TORN", "FERR", {"T3", "T1"}},  // both: ordered by the second field
      {"TORN", "", {"T3", "T1", "T2"}},
      {"", "MADE", {"T2"}},
      {"D'T", "", {"T3"}},
      {"1/2\"", "FERRE", {"T3"}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.texto1) + "|" + c.texto2);
    Responde([&](TFormaConProduct& f) {
      ui::PuertaModal::Espera("TFormaBusqueda", [&](QDialog& d) {
        auto& b = static_cast<TFormaBusqueda&>(d);
        EXPECT_EQ(b.LabelBusca1->text(), "Descripción");
        EXPECT_EQ(b.LabelBusca2->text(), "Línea");
        EXPECT_TRUE(b.CajaBuscar->isHidden());
        b.EditBusca1->setText(c.texto1);
        b.EditBusca2->setText(c.texto2);
        prueba::Pulsa(d, "BotonAceptar");
      });
      Pulsa(f, Qt::Key_F5);
      EXPECT_EQ(Filas(f), c.claves);
      EXPECT_TRUE(f.LabeltiempoBusqueda->text().startsWith("Tiempo de Busqueda "));
      EXPECT_TRUE(f.LabeltiempoBusqueda->text().endsWith(" Segundos"));
      Pulsa(f, Qt::Key_Escape);
    });
    QString clave;
    BuscaProducto("", 1, clave);
  }
  EXPECT_TRUE(Mensajes().isEmpty());

  // A name that is no field of the table is shown as an error and never run;
  // the grid stays empty until F1 to F3 puts the table back.
  EscribeLineas("C:\\VRL\\busca_extra.cnf", {"Descripción", "DSCPR_I) OR (1=1", "Línea", "LIPRO_I"});
  Responde([](TFormaConProduct& f) {
    ui::PuertaModal::Espera("TFormaBusqueda", [](QDialog& d) {
      static_cast<TFormaBusqueda&>(d).EditBusca1->setText("X");
      prueba::Pulsa(d, "BotonAceptar");
    });
    Pulsa(f, Qt::Key_F5);
    EXPECT_TRUE(Filas(f).isEmpty());
    Pulsa(f, Qt::Key_F2);
    EXPECT_EQ(Filas(f), QStringList({"T4", "T3", "T1", "T2"}));
    Pulsa(f, Qt::Key_Escape);
  });
  QString clave;
  BuscaProducto("", 1, clave);
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].contains("DSCPR_I) OR (1=1")) << Mensajes()[0].toStdString();
}

TEST_F(ConsultaProductos, PrecioDeUnEmpaquePorElUltimoEscalonQueSeCumple) {
  struct Caso {
    double factor;
    std::vector<double> limites;
    std::vector<double> precios;
    Dinero esperado;
  };
  const Caso casos[] = {
      {12, {10, 20}, {8, 9.5}, Dinero::DeReal(114)},
      {10, {10, 20}, {8, 9.5}, Dinero(80)},      // equal to a limit: the lower tier
      {11, {10, 11}, {8, 9.5}, Dinero::DeReal(104.5)},
      {25, {10, 20}, {8, 9.5}, Dinero()},        // above every limit
      {0, {10, 20}, {8, 9.5}, Dinero()},         // not sold by package
      {6, {10, 5, 20}, {1, 2, 3}, Dinero(18)},  // limits out of order: the last test that holds
      {30, {10, 20, 0, 0, 0, 0, 40}, {1, 2, 3, 4, 5, 6, 7}, Dinero(210)},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.factor);
    TRegistroProducto p;
    p.UEMPA_I = c.factor;
    std::optional<double>* limites[] = {&p.POLI1_I, &p.POLI2_I, &p.POLI3_I, &p.POLI4_I,
                                        &p.POLI5_I, &p.POLI6_I, &p.POLI7_I};
    std::optional<Dinero>* precios[] = {&p.PPUBL_I, &p.PLIS2_I, &p.PLIS3_I, &p.PLIS4_I,
                                        &p.PMINI_I, &p.PLIS6_I, &p.PLIS7_I};
    for (size_t i = 0; i < c.limites.size(); ++i) *limites[i] = c.limites[i];
    for (size_t i = 0; i < c.precios.size(); ++i) *precios[i] = Dinero::DeReal(c.precios[i]);
    EXPECT_EQ(PrecioEmpaque(p), c.esperado);
  }

  // F12 in the window, on the current product.
  Agrega({{"P1", "CAJA", "1", 0, 0, 12}});
  {
    auto t = Abre(kTablaProductos);
    t->Edit();
    t->FieldByName("POLI1_I").SetAsFloat(10);
    t->FieldByName("POLI2_I").SetAsFloat(20);
    t->FieldByName("PPUBL_I").SetAsFloat(8);
    t->FieldByName("PLIS2_I").SetAsFloat(9.5);
    t->Post();
  }
  Responde([](TFormaConProduct& f) {
    Pulsa(f, Qt::Key_F12);
    QString precio;
    PrecioPorEmpaque(precio);
    EXPECT_EQ(precio, "$ 114.00");
    Pulsa(f, Qt::Key_Escape);
  });
  QString clave;
  BuscaProducto("P1", 1, clave);
  EXPECT_EQ(Mensajes(), QStringList({"El precio por Empaque      $ 114.00"}));
}

TEST_F(ConsultaProductos, PreciosCnfFijaColumnasYOpcionesYSoloSeReescribeSiExiste) {
  const auto visibles = [](const TFormaConProduct& f) {
    int n = 0;
    for (int c = 2; c <= 8; ++c) n += f.Detalle->isColumnHidden(c) ? 0 : 1;
    return n;
  };
  {
    // As designed: price 1 only, both boxes unchecked, the price panel shown.
    TFormaConProduct f;
    EXPECT_EQ(visibles(f), 1);
    EXPECT_FALSE(f.ActivaBusqueda->isChecked());
    EXPECT_FALSE(f.VerPoliticas->isChecked());
    EXPECT_FALSE(f.Panel4->isHidden());
    f.Precios->setValue(4);
    EXPECT_EQ(visibles(f), 1);
    EXPECT_FALSE(fs::ExisteArchivo(kPrecios));
  }
  EscribeLineas(kPrecios, {"3", "", "S"});
  TFormaConProduct f;
  EXPECT_EQ(visibles(f), 3);
  EXPECT_FALSE(f.Detalle->isColumnHidden(4));
  EXPECT_TRUE(f.Detalle->isColumnHidden(5));
  EXPECT_EQ(f.Precios->value(), 3);
  EXPECT_FALSE(f.ActivaBusqueda->isChecked());
  EXPECT_TRUE(f.VerPoliticas->isChecked());
  EXPECT_FALSE(f.Panel4->isHidden());
  f.Precios->setValue(5);
  f.ActivaBusqueda->setChecked(true);
  EXPECT_EQ(visibles(f), 5);
  EXPECT_EQ(fs::LeeLineas(kPrecios), QStringList({"5", "S", "S"}));
  EXPECT_EQ(f.Detalle->columnWidth(6), 64);
  EscribeLineas(kPrecios, {"3", "S", ""});
  TFormaConProduct sinPanel;
  EXPECT_TRUE(sinPanel.Panel4->isHidden());
  EXPECT_TRUE(sinPanel.ActivaBusqueda->isChecked());
}

TEST_F(ConsultaProductos, ConVariosAlmacenesListaSoloLosDelAlmacenYMuestraEmpaques) {
  Multialmacen();
  Agrega({{"K1", "", "1"}, {"K2", "", "2", 25, 12, 12, 3}, {"K3", "", ""}, {"K4", "", "2"}});
  struct Caso {
    int almacen;
    QStringList filas;
  };
  // Warehouse 0 first and again: the rows without a warehouse each time.
  for (const Caso& c :
       {Caso{0, {"K3"}}, Caso{2, {"K2", "K4"}}, Caso{2, {"K2", "K4"}}, Caso{0, {"K3"}}, Caso{1, {"K1"}}}) {
    SCOPED_TRACE(c.almacen);
    Responde([&](TFormaConProduct& f) {
      EXPECT_EQ(Filas(f), c.filas);
      Pulsa(f, Qt::Key_Escape);
    });
    QString clave;
    BuscaProducto("", c.almacen, clave);
  }
  Responde([](TFormaConProduct& f) {
    EXPECT_EQ(Actual(f), "K2");
    EXPECT_EQ(f.LabelEmpaque->text(), " 2.00 Emp.\n 1.00 Pz\n 36.00 Emp");
    EXPECT_EQ(f.Label2->text(), "Disponible \n       13.00");
    Pulsa(f, Qt::Key_Down);
    EXPECT_EQ(f.LabelEmpaque->text(), " 0.00 Emp.\n 0.00 Pz\n 0.00 Emp");
    EXPECT_EQ(f.Label2->text(), "Disponible \n        0.00");
    Pulsa(f, Qt::Key_Escape);
  });
  QString clave;
  BuscaProducto("K2", 2, clave);
  // With "Ver Politicas" the heading stays.
  EscribeLineas(kPrecios, {"1", "", "S"});
  TFormaConProduct conPoliticas;
  EXPECT_EQ(conPoliticas.Label2->text(), "Precio      Hasta");
}

TEST_F(ConsultaProductos, TecleoAdelantadoBuscaLaClaveMasCercana) {
  Agrega({{"A1"}, {"A11"}, {"A2"}, {"B"}, {"C"}});
  Responde([](TFormaConProduct& f) {
    struct Paso {
      int tecla;
      Qt::KeyboardModifiers mods;
      const char* texto;
      const char* actual;
    };
    for (const Paso& p : {Paso{Qt::Key_A, {}, "A", "A1"},
                          Paso{Qt::Key_1, {}, "A1", "A1"},
                          Paso{Qt::Key_1, Qt::KeypadModifier, "A11", "A11"},
                          Paso{Qt::Key_0, {}, "", "A11"},
                          Paso{Qt::Key_B, {}, "B", "B"},
                          Paso{Qt::Key_Space, {}, "", "B"},
                          Paso{Qt::Key_A, {}, "A", "A1"}}) {
      SCOPED_TRACE(p.texto);
      Pulsa(f, p.tecla, p.mods);
      EXPECT_EQ(f.TextoTecleado, p.texto);
      EXPECT_EQ(Actual(f), p.actual);
    }
    // Alt and a letter in the grid types on the grid's own text.
    Pulsa(f, Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(f.TextoTecleadoGrid, "C");
    EXPECT_EQ(Actual(f), "C");
    Pulsa(f, Qt::Key_A);
    EXPECT_EQ(f.TextoTecleadoGrid, "");
    // The numeric-pad plus and minus change the grid's type size.
    const int puntos = f.Detalle->font().pointSize();
    Pulsa(f, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(f.Detalle->font().pointSize(), puntos + 1);
    Pulsa(f, Qt::Key_Minus, Qt::KeypadModifier);
    Pulsa(f, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(f.Detalle->font().pointSize(), puntos - 1);
    Pulsa(f, Qt::Key_Escape);
  });
  QString clave;
  BuscaProducto("", 1, clave);
}

TEST_F(ConsultaProductos, BusquedaRapidaYTablaQueNoAbre) {
  Agrega({{"P1", "TUERCA"}, {"P2", "ARANDELA"}, {"P3", "CLAVO"}});
  Responde([](TFormaConProduct& f) {
    BuscaTexto("P3");
    Pulsa(f, Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(Actual(f), "P3");
    EXPECT_TRUE(f.TextoTecleado.isEmpty());
    // With "Activar Busqueda", F2 orders by description and asks at once;
    // a text left by Esc is looked for too.
    f.ActivaBusqueda->setChecked(true);
    BuscaTexto("B", false);
    Pulsa(f, Qt::Key_F2);
    EXPECT_TRUE(f.RadioDescripcion->isChecked());
    EXPECT_EQ(f.TablaConProducto->IndexName(), "DSCPR_I");
    EXPECT_EQ(Actual(f), "P3");
    // A click on a radio button orders without asking.
    f.RadioClave->click();
    EXPECT_EQ(f.TablaConProducto->IndexName(), "ICLPRO");
    Pulsa(f, Qt::Key_Escape);
  });
  QString clave;
  BuscaProducto("", 1, clave);

  // The table that cannot be opened is logged; the window still shows.
  CierraConsultaProductos();
  db::Tabla::Borra(kDatos, kTablaProductos);
  Responde([](TFormaConProduct& f) {
    EXPECT_FALSE(f.TablaConProducto->Active());
    BuscaTexto("P1");
    Pulsa(f, Qt::Key_B, Qt::ControlModifier);
    Pulsa(f, Qt::Key_Return);
  });
  clave = "sin tocar";
  BuscaProducto("P1", 1, clave);
  EXPECT_EQ(clave, "");
  EXPECT_EQ(Mensajes(), QStringList({"Valor no Válido"}));
  EXPECT_TRUE(fs::LeeLineas("C:\\VRL\\Bitacora.txt").join(u'\n').contains("Error Apertura"));
}

// Another station raises a product's stock.
RUTINA_HIJA(SubeExistencia) {
  auto t = AbreTabla(argumentos[0], kTablaProductos, kTagClaveProducto);
  if (!t->FindKey({argumentos[1]})) return 2;
  SumaExistencia(*t, argumentos[2].toDouble());
  return 0;
}

// Another station adds a product with the description given and deletes
// the product of the key given.
RUTINA_HIJA(AgregaYBorraProducto) {
  auto t = AbreTabla(argumentos[0], kTablaProductos, kTagClaveProducto);
  t->Append();
  t->FieldByName("CLPRO_I").SetAsString(argumentos[1]);
  t->FieldByName("DSCPR_I").SetAsString(argumentos[2]);
  t->FieldByName("ALMAC_I").SetAsString("1");
  t->Post();
  if (!t->FindKey({argumentos[3]})) return 2;
  t->Delete();
  return 0;
}

// The search made again sees what another station added and deleted since.
TEST_F(ConsultaProductos, LaBusquedaHechaDeNuevoVeLasAltasYBajasDeOtraEstacion) {
  Agrega({{"T1", "TORNILLO"}, {"T2", "TORNO"}, {"T3", "CLAVO"}});
  ConsultaContiene q;
  q.SetCarpeta(kDatos);
  q.SetNombreTabla(kTablaProductos);
  q.SetCampos({"CLPRO_I", "DSCPR_I"});
  q.SetBusqueda("DSCPR_I", "TORN");
  q.Open();
  const auto claves = [&q] {
    QStringList c;
    for (q.First(); !q.Eof(); q.Next()) c << q.FieldByName("CLPRO_I").AsString();
    return c;
  };
  EXPECT_EQ(claves(), QStringList({"T1", "T2"}));
  prueba::ProcesoHijo otra("AgregaYBorraProducto", {kDatos, "T4", "TORNEADO", "T1"});
  ASSERT_EQ(otra.Espera(), 0);
  q.Refresh();
  EXPECT_EQ(claves(), QStringList({"T4", "T2"}));
}

TEST_F(ConsultaProductos, TrasCerrarLaConsultaSeVeLaExistenciaQueOtraEstacionCambio) {
  Agrega({{"P1", "", "1", 5}, {"P2", "", "1", 7}});
  const auto existencia = [this] {
    QString visto;
    Responde([&](TFormaConProduct& f) {
      visto = f.Detalle->model()->index(f.Detalle->currentIndex().row(), 9).data().toString();
      Pulsa(f, Qt::Key_Escape);
    });
    QString clave;
    BuscaProducto("P2", 1, clave);
    return visto;
  };
  EXPECT_EQ(existencia(), "7");
  prueba::ProcesoHijo otra("SubeExistencia", {kDatos, "P2", "5"});
  EXPECT_EQ(otra.Espera(), 0);
  CierraConsultaProductos();
  EXPECT_EQ(Ventana().Tag(), 0);
  EXPECT_FALSE(Ventana().TablaConProducto->Active());
  EXPECT_EQ(existencia(), "12");
}
