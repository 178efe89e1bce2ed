#include "reports/Operador.h"
#include "reports/catalogo_prueba.h"

#include "platform/ui/RejillaTexto.h"

#include <QTest>

namespace {

class CatalogoFiltrosTest : public CatalogoPrueba {
 protected:
  void SetUp() override {
    CatalogoPrueba::SetUp();
    Clientes();
  }
};

struct Condicion {
  QString campo, operador, valor;
};

// The user fills the filter dialog's rows of these fields and presses
// "&Filtrar" (or Enter in the grid, or "&Cancelar").
enum class Fin { Filtrar, Enter, Cancelar };
void Llena(const std::vector<Condicion>& condiciones, Fin fin = Fin::Filtrar) {
  ui::PuertaModal::Espera("TFormaFiltros", [=](QDialog& d) {
    auto& f = static_cast<TFormaFiltros&>(d);
    for (const Condicion& c : condiciones) {
      int r = 1;
      while (r < f.TablaFiltros->RowCount() && f.TablaFiltros->Cells(0, r) != c.campo) ++r;
      ASSERT_LT(r, f.TablaFiltros->RowCount()) << c.campo.toStdString();
      f.TablaFiltros->SetCells(2, r, c.operador);
      f.TablaFiltros->SetCells(3, r, c.valor);
    }
    if (fin == Fin::Enter) prueba::Tecla(d, "TablaFiltros", Qt::Key_Return);
    else prueba::Pulsa(d, fin == Fin::Filtrar ? "BotonFiltrar" : "BitBtn2");
  });
}

}  // namespace

TEST_F(CatalogoFiltrosTest, FiltraPorLasCondicionesDeSusCampos) {
  struct Caso {
    std::vector<Condicion> condiciones;
    QStringList claves;
    QStringList mensajes;
  };
  const Caso casos[] = {
      {{{"SALDO_C", ">", "100"}}, {"10", "30"}, {}},
      {{{"NOMBR_C", "&", "Gar"}}, {"30"}, {}},  // case-sensitive
      {{{"FULCO_C", ">=", "01/03/2024"}}, {"10", "40"}, {}},  // a blank date is before any
      {{{"FULCO_C", "<>", "15/03/2024"}}, {"10", "20", "30"}, {}},
      {{{"NOMBR_C", "=", "A*B"}}, {"40"}, {}},  // a value holding "*" is kept whole
      {{{"FULCO_C", "&", "2024"}}, {"10", "20", "30", "40"}, {}},  // "&" on a date restricts nothing
      {{{"SALDO_C", "<=", ""}}, {"40"}, {}},  // an empty value of a number is 0
      {{{"NOMBR_C", ">", "B"}, {"DCRED_C", "Y", "20"}}, {"10", "30"}, {}},  // "Y" is no operator word
      {{{"NOMBR_C", ">", "B"}, {"DCRED_C", "<", "20"}}, {"30"}, {}},
      {{{"NOMBR_C", "Incluye", "x"}}, {"10", "20", "30", "40"}, {}},
      {{{"FULCO_C", "=", "31/02/2024"}}, {"10", "20", "30", "40"}, {kValorErroneo}},
      {{{"DCRED_C", "=", "diez"}}, {"10", "20", "30", "40"}, {kValorErroneo}},
  };
  Navega("cliente.dbf", [&](TFormaCatalogo& c) {
    for (const Caso& caso : casos) {
      SCOPED_TRACE(caso.condiciones[0].campo.toStdString() + " " + caso.condiciones[0].operador.toStdString());
      ui::PuertaModal::LimpiaMensajes();
      Llena(caso.condiciones);
      prueba::Pulsa(c, "BotonOrden");
      EXPECT_EQ(Columna(c, "CLCLI_C"), caso.claves);
      EXPECT_EQ(c.TablaConsulta->Filtered(), caso.mensajes.isEmpty());
      EXPECT_EQ(Mensajes(), caso.mensajes);
    }
    // Enter in the grid filters; cancelling shows every row again.
    Llena({{"SALDO_C", ">", "100"}}, Fin::Enter);
    prueba::Pulsa(c, "BotonOrden");
    EXPECT_EQ(Columna(c, "CLCLI_C"), (QStringList{"10", "30"}));
    Llena({{"SALDO_C", ">", "500"}}, Fin::Cancelar);
    prueba::Pulsa(c, "BotonOrden");
    EXPECT_EQ(Columna(c, "CLCLI_C"), (QStringList{"10", "20", "30", "40"}));
    EXPECT_FALSE(c.TablaConsulta->Filtered());
  });
}

TEST_F(CatalogoFiltrosTest, ElDialogoListaLosCamposDelCatalogoYSuLeyenda) {
  Navega("cliente.dbf", [](TFormaCatalogo& c) {
    ui::PuertaModal::Espera("TFormaFiltros", [](QDialog& d) {
      auto& f = static_cast<TFormaFiltros&>(d);
      EXPECT_EQ(f.windowTitle(), "Filtros");
      EXPECT_EQ(f.TablaFiltros->Cells(1, 0), "Campo");
      EXPECT_TRUE(f.TablaFiltros->isColumnHidden(0));
      EXPECT_TRUE(f.TablaFiltros->isColumnHidden(4));
      // The customer's 27 fields, then the last free entry of the block.
      EXPECT_EQ(f.TablaFiltros->Cells(0, 1), "CLCLI_C");
      EXPECT_EQ(f.TablaFiltros->Cells(1, 2), "Nombre del Cliente");
      EXPECT_EQ(f.TablaFiltros->Cells(4, 20), "ftDate");
      EXPECT_EQ(f.TablaFiltros->Cells(0, 27), "STATU_C");
      EXPECT_EQ(f.TablaFiltros->Cells(1, 28), "No Disponible");
      EXPECT_EQ(f.TablaFiltros->Cells(1, 29), "");
      // A double click on "Condición" shows the operators.
      f.TablaFiltros->SetCol(2);
      f.TablaFiltros->SetRow(3);
      bool leyenda = false;
      ui::PuertaModal::Espera("TFormaOperador", [&](QDialog& o) {
        leyenda = o.windowTitle() == "FormaOperador";
      });
      const QRect celda = f.TablaFiltros->visualItemRect(f.TablaFiltros->item(2, 2));
      prueba::DobleClic(f.TablaFiltros->viewport(), celda.center());
      EXPECT_TRUE(leyenda);
      prueba::Pulsa(d, "BitBtn2");
    });
    prueba::Pulsa(c, "BotonOrden");
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(CatalogoFiltrosTest, DosCondicionesDeUnCampoYLasCuentasPorCobrar) {
  CreaTabla("cucobrar.dbf", {{"NUFAC_CC", "TIMOV_CC", "SALDO_CC"},
                             {{1, "1", 10}, {2, "7", 20}, {3, "2", 30}, {4, "10", 40}}});
  Navega("cliente.dbf", [](TFormaCatalogo& c) {
    DesglosaFiltrosCatalogo(
        {{"SALDO_C", ">", "10", "ftFloat"}, {"SALDO_C", "<", "500", "ftFloat"}, {"NOMBR_C", "", "x", "ftString"}});
    c.TablaConsulta->SetFiltered(true);
    EXPECT_EQ(Columna(c, "CLCLI_C"), (QStringList{"10", "20"}));
  });
  // The receivables show their payments and charges only, whatever is typed.
  Navega("cucobrar.dbf", [](TFormaCatalogo& c) {
    Llena({{"SALDO_CC", ">", "35"}});
    prueba::Pulsa(c, "BotonOrden");
    EXPECT_EQ(Columna(c, "NUFAC_CC"), (QStringList{"1", "3"}));
  });
  EXPECT_EQ(Mensajes(), QStringList());
}
