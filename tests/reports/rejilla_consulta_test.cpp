#include "platform/print/Registro.h"
#include "reports/Tipos.h"
#include "reports/consultas_prueba.h"
#include "support/LanzadorGrabador.h"
#include "support/LibroPrueba.h"

#include <QAction>
#include <QHeaderView>
#include <QRadioButton>
#include <QToolButton>

namespace {

// The result grid of a run over clientes.dbf: a text, a totalled integer, a
// numeric float and a date.
class RejillaConsultaTest : public ConsultaPrueba {
 protected:
  void SetUp() override {
    ConsultaPrueba::SetUp();
    QStringList config(90);
    config[7] = kDatosReporte;
    config[30] = "C:\\Office\\EXCEL.EXE";
    EscribeLineas(kPrograma + "\\Gener1.cnf", config);
    EscribeLineas(kPrograma + "\\programas.map", {"EXCEL.EXE=hojacalc"});
    fs::CreaCarpeta("C:\\EXPORTA");
    EscribeClientes(3);
  }

  // n customers: key 15, 16 ...; visits 1250 each; balances 0.1, 0.2, 0 ...
  static void EscribeClientes(int n) {
    std::vector<FilaPrueba> filas;
    for (int i = 0; i < n; ++i)
      filas.push_back({QString::number(15 + i), "", i < 2 ? QString::number(0.1 * (i + 1)) : "0", "1250",
                       "05/03/2024"});
    EscribeClientesConsulta(filas);
  }

  static void Rejilla(std::function<void(TFormaGraficas&)> usuario) {
    TFormaGraficas g;
    g.TablaConsultaSQL->SetSQL(
        "Select CLCLI_C,VISIT_C,SALDO_C,ALTA_C From \"C:\\DATOS\\cliente.dbf\" Order by CLCLI_C");
    g.TablaConsultaSQL->Open();
    g.PonTitulos({"Cliente", "$Visitas", "#Saldo", "Alta"});
    usuario(g);
  }

  static QString Celda(TFormaGraficas& g, int fila, int col) {
    return g.Detalle->model()->index(fila, col).data().toString();
  }
};

}  // namespace

TEST_F(RejillaConsultaTest, ColumnasConSignoDePesosMuestranImportes) {
  Rejilla([](TFormaGraficas& g) {
    EXPECT_EQ(g.windowTitle(), "Consultas");
    EXPECT_EQ(Celda(g, 0, 0), "15");
    EXPECT_EQ(Celda(g, 0, 1), "1,250.00");
    EXPECT_EQ(Celda(g, 0, 2), "0.1");
    g.PonTitulos({"Cliente", "Visitas", "$Saldo", "$Alta"});
    EXPECT_EQ(Celda(g, 0, 1), "1250");
    EXPECT_EQ(Celda(g, 2, 2), "0.00");
    EXPECT_EQ(Celda(g, 0, 3), "05/03/2024");
  });
}

TEST_F(RejillaConsultaTest, SumaDeLaColumnaElegida) {
  struct Caso {
    int columna;
    const char* mensaje;
  };
  const Caso casos[] = {
      {1, "La Suma es : 3750"},
      {2, "La Suma es : 0.3"},
      {0, "La Suma es : 48"},  // keys that read as numbers
      {3, "No es Posible Relizar la operación en esta columna"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.columna);
    ui::PuertaModal::LimpiaMensajes();
    Rejilla([&](TFormaGraficas& g) {
      g.Detalle->SetSelectedIndex(c.columna);
      g.Sumar1->trigger();
    });
    EXPECT_EQ(Mensajes(), QStringList{QString::fromUtf8(c.mensaje)});
  }
  // Names are no numbers.
  ui::PuertaModal::LimpiaMensajes();
  EscribeClientesConsulta({{"15", "ANA"}});
  TFormaGraficas g;
  g.TablaConsultaSQL->SetSQL("Select NOMBR_C From \"C:\\DATOS\\cliente.dbf\"");
  g.TablaConsultaSQL->Open();
  g.PonTitulos({"Nombre"});
  g.Sumar1->trigger();
  EXPECT_EQ(Mensajes(), QStringList{"No es Posible Relizar la operación en esta columna"});
}

TEST_F(RejillaConsultaTest, ExportaConLosTitulosDeLaVista) {
  const QByteArray texto =
      "Cliente\t$Visitas\t#Saldo\tAlta\t\r\n15\t1250\t0.1\t05/03/2024\t\r\n16\t1250\t0.2\t05/03/2024\t\r\n"
      "17\t1250\t0\t05/03/2024\t\r\n";
  struct Caso {
    const char* tecleado;
    const char* archivo;
  };
  for (const Caso& c : {Caso{"C:\\EXPORTA\\consulta", "C:\\EXPORTA\\consulta.xlsx"},
                        Caso{"C:\\EXPORTA\\otra.xls", "C:\\EXPORTA\\otra.xlsx"},
                        Caso{"C:\\EXPORTA\\consulta.txt", "C:\\EXPORTA\\consulta.txt"},
                        Caso{"C:\\EXPORTA\\ab", "C:\\EXPORTA\\ab"}}) {
    SCOPED_TRACE(c.tecleado);
    prueba::LanzadorGrabador lanzador;
    Rejilla([&](TFormaGraficas& g) {
      ui::PuertaModal::Espera("DialogoGuarda", [&](QDialog& d) { prueba::EligeArchivo(d, c.tecleado); });
      prueba::Pulsa(g, "BotonBordes");
      EXPECT_TRUE(g.TablaConsultaSQL->Eof());
    });
    if (QString(c.archivo).endsWith("xlsx")) {
      const LibroLeido leido = LeeLibro(c.archivo);
      EXPECT_EQ(leido.error, "");
      EXPECT_EQ(leido.filas, (std::vector<QStringList>{{"Cliente", "$Visitas", "#Saldo", "Alta"},
                                                       {"15", "=1250 [0]", "=0.1 [0.0]", "05/03/2024"},
                                                       {"16", "=1250 [0]", "=0.2 [0.0]", "05/03/2024"},
                                                       {"17", "=1250 [0]", "=0 [0]", "05/03/2024"}}));
    } else {
      EXPECT_EQ(fs::LeeBytes(c.archivo), texto);
    }
    ASSERT_EQ(lanzador.iniciados.size(), 1);
    EXPECT_EQ(lanzador.iniciados[0], (proc::Orden{"hojacalc", {fs::Local(c.archivo)}, {}}));
  }

  // Cancelled, nothing is written or started.
  prueba::LanzadorGrabador lanzador;
  Rejilla([](TFormaGraficas& g) {
    ui::PuertaModal::Espera("DialogoGuarda", [](QDialog& d) { d.reject(); });
    g.Exc1->trigger();
  });
  EXPECT_TRUE(lanzador.iniciados.isEmpty());
}

TEST_F(RejillaConsultaTest, TituloYDobleClicDeUnaColumna) {
  Rejilla([](TFormaGraficas& g) {
    bool sinEleccion = false;
    ui::PuertaModal::Espera("TFormaTipos", [&](QDialog& d) {
      auto& tipos = static_cast<TFormaTipos&>(d);
      sinEleccion = !tipos.Numero->isChecked() && !tipos.Moneda->isChecked() && !tipos.Cadena->isChecked() &&
                    !tipos.NoVisible->isChecked();
      prueba::Pulsa(d, "Moneda");
      prueba::Pulsa(d, "BitBtn1");
    });
    emit g.Detalle->horizontalHeader()->sectionClicked(1);
    EXPECT_TRUE(sinEleccion);
    // The kind chosen changes nothing.
    EXPECT_EQ(g.Titulos(), (QStringList{"Cliente", "$Visitas", "#Saldo", "Alta"}));

    g.Detalle->SetSelectedIndex(2);
    g.DetalleDblClick();
  });
  EXPECT_EQ(Mensajes(), QStringList{"SALDO_C         "});  // the message box pads short texts
}

TEST_F(RejillaConsultaTest, AvanzaYRetrocedeCincuentaRenglones) {
  EscribeClientes(120);
  Rejilla([](TFormaGraficas& g) {
    db::Consulta& q = *g.TablaConsultaSQL;
    EXPECT_EQ(ui::Tag(g.BotonSiguiente), 1);
    prueba::Pulsa(g, "BotonSiguiente");
    EXPECT_EQ(q.RecNo(), 51);
    EXPECT_TRUE(g.BotonAnterior->isEnabled());
    prueba::Pulsa(g, "BotonSiguiente");
    prueba::Pulsa(g, "BotonSiguiente");
    EXPECT_EQ(q.RecNo(), 120);
    EXPECT_FALSE(g.BotonSiguiente->isEnabled());
    prueba::Pulsa(g, "BotonAnterior");
    EXPECT_EQ(q.RecNo(), 70);
    EXPECT_TRUE(g.BotonSiguiente->isEnabled());
  });
}

TEST_F(RejillaConsultaTest, ImprimeLaImagenDeLaRejilla) {
  Rejilla([](TFormaGraficas& g) {
    g.TablaConsultaSQL->First();
    g.Imprimir1->trigger();
  });
  EXPECT_EQ(Mensajes(), QStringList{"15-10*1,250.00-6*0.1-12*05/03/2024-10*"});
  EXPECT_EQ(Pasos(), (std::vector<print::Operacion::Tipo>{print::Operacion::Tipo::Comienza,
                                                          print::Operacion::Tipo::Imagen,
                                                          print::Operacion::Tipo::Termina}));
}
