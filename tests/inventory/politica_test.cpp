// The price policy window over the product table, and the rounding of its
// prices to the company's step.

#include "inventario_prueba.h"
#include "inventory/Politica.h"
#include "inventory/RegistroProducto.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/PuertaModal.h"
#include "support/Maneja.h"

#include <QApplication>

#include <functional>

namespace {

using prueba::Tecla;
using prueba::Teclea;

TEST(RedondeaPrecio, SubeOBajaAlPasoDeLaEmpresa) {
  struct Caso {
    int paso;
    const char* valor;
    const char* redondeado;
  };
  const Caso casos[] = {
      {5, "12.47", "12.5"}, {5, "12.80", "13"},  {5, "12.15", "12"},   {5, "12.26", "12.5"}, {5, "12.25", "12"},
      {5, "12.75", "13"},   {5, "12.7499", "12.5"}, {1, "12.08", "12.1"}, {1, "12.47", "13"}, {1, "12.05", "12"},
      {1, "12.15", "13"},   {0, "12.4712", "12.4712"}, {-3, "7.31", "7.31"}, {5, "0.3", "0.5"},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(RedondeaPrecio(c.paso, Dinero::DeTexto(c.valor)).Texto(), c.redondeado) << c.paso << " " << c.valor;
  }
}

class Politica : public InventarioPrueba {
 protected:
  // One product "P1" whose seven prices are 20, with the last cost and
  // percentage 1 given (blank when empty).
  static void Producto(const QString& costo, const QString& porcentaje1 = {}) {
    CreaTabla(kDatos, "INVENTAR.DBF");
    auto t = Abre("INVENTAR.DBF");
    t->Append();
    t->FieldByName("CLPRO_I").SetAsString("P1");
    t->FieldByName("ULCOS_I").SetAsString(costo);
    t->FieldByName("PORC1_I").SetAsString(porcentaje1);
    for (int n = 1; n <= kFilasPolitica; ++n) t->FieldByName(CampoPrecioLista(n)).SetAsString("20");
    t->Post();
  }

  // Prices and percentages of P1 as the file holds them: "price/percentage"
  // for each of the seven rows.
  static QStringList Archivo() {
    auto t = Abre("INVENTAR.DBF");
    QStringList filas;
    for (int n = 1; n <= kFilasPolitica; ++n)
      filas << t->FieldByName(CampoPrecioLista(n)).AsString() + u'/' +
                   t->FieldByName(QStringLiteral("PORC%1_I").arg(n)).AsString();
    return filas;
  }

  // The window on P1 of the product table, with the step as its Tag, run by
  // the script.
  static void Muestra(int paso, const std::function<void(TFormaPolitica&)>& guion) {
    auto productos = Abre("INVENTAR.DBF", "ICLPRO");
    ASSERT_TRUE(productos->FindKey({"P1"}));
    TFormaPolitica forma;
    forma.DataSource1->SetDataSet(productos.get());
    forma.SetTag(paso);
    ui::PuertaModal::Espera("TFormaPolitica", [&](QDialog&) { guion(forma); });
    forma.ShowModal();
  }
};

QStringList Filas(const QString& primera) {
  QStringList filas(kFilasPolitica, QStringLiteral("20/"));
  filas[0] = primera;
  return filas;
}

TEST_F(Politica, DejarUnPorcentajeCalculaElPrecioDesdeElUltimoCostoYGuarda) {
  struct Caso {
    const char* costo;
    int paso;
    int fila;
    const char* porcentaje;
    QStringList archivo;
  };
  QStringList quinta = Filas("20/");
  quinta[4] = "13/28";
  const Caso casos[] = {
      {"10", 5, 1, "24.7", Filas("12.5/24.7")},
      {"10", 5, 1, "21.5", Filas("12/21.5")},
      {"10", 5, 5, "28", quinta},
      {"10", 1, 1, "20.8", Filas("12.1/20.8")},
      {"10", 0, 1, "24.7", Filas("12.47/24.7")},
      {"10.01", 0, 1, "33.333", Filas("13.3466/33.333")},
      // No last cost: the prices stay, the percentage is saved.
      {"0", 5, 1, "24.7", Filas("20/24.7")},
      {"", 5, 1, "24.7", Filas("20/24.7")},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.costo) + " " + c.porcentaje);
    Producto(c.costo);
    Muestra(c.paso, [&](TFormaPolitica& f) {
      const QString caja = QStringLiteral("DBEdit%1").arg(2 * kFilasPolitica + c.fila);
      Teclea(f, caja, c.porcentaje);
      Tecla(f, caja, Qt::Key_Return);
      EXPECT_EQ(Archivo(), c.archivo);
      EXPECT_EQ(f.DataSource1->DataSet()->State(), db::Dataset::Estado::Navegando);
    });
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Politica, UnPorcentajeVacioOQueNoEsNumeroNoCambiaNada) {
  Producto("10", "30");
  Muestra(5, [](TFormaPolitica& f) {
    Tecla(f, "DBEdit15", Qt::Key_A, Qt::ControlModifier);
    Tecla(f, "DBEdit15", Qt::Key_Backspace);
    Tecla(f, "DBEdit15", Qt::Key_Return);
    EXPECT_EQ(Archivo(), Filas("20/30"));

    Teclea(f, "DBEdit15", "x");
    Tecla(f, "DBEdit15", Qt::Key_Return);
    EXPECT_EQ(Archivo(), Filas("20/30"));
    EXPECT_EQ(Mensajes().size(), 1);
    f.DataSource1->DataSet()->Cancel();
  });
}

TEST_F(Politica, ElFocoEmpiezaEnLaPrimeraPoliticaYLasFlechasLoMueven) {
  Producto("10");
  Muestra(5, [](TFormaPolitica& f) {
    EXPECT_EQ(f.windowTitle(), "Política de Precios");
    const auto foco = [] { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); };
    EXPECT_EQ(foco(), "DBEdit8");
    const std::pair<int, const char*> pasos[] = {
        {Qt::Key_Return, "DBEdit15"}, {Qt::Key_Down, "DBEdit2"}, {Qt::Key_Up, "DBEdit15"}, {Qt::Key_Up, "DBEdit8"}};
    for (const auto& [tecla, destino] : pasos) {
      Tecla(f, QString(), tecla);
      EXPECT_EQ(foco(), destino);
    }
    Tecla(f, QString(), Qt::Key_Escape);
    EXPECT_FALSE(f.isVisible());
  });
  EXPECT_EQ(Archivo(), Filas("20/"));
}

}  // namespace
