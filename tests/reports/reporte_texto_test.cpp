#include "platform/print/Registro.h"
#include "reports/DialogosImpresora.h"
#include "reports/TamoColu.h"
#include "reports/consultas_prueba.h"

#include <QAction>
#include <QFontDialog>
#include <QFontMetrics>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>

namespace {

// A result grid over a query of renglones.dbf, as a run leaves it.
class ReporteTextoTest : public ConsultaPrueba {
 protected:
  // n rows "C001" ... with the name, two amounts 1234.25 and a note.
  static void EscribeRenglones(int n, const FilaPrueba& ultima = {}) {
    std::vector<FilaPrueba> filas;
    for (int i = 1; i <= n; ++i)
      filas.push_back({QStringLiteral("C%1").arg(i, 3, 10, QChar(u'0')), "ZOILA MARIA", "1234.25", "1234.25", "abc"});
    if (!ultima.isEmpty()) filas.push_back(ultima);
    EscribeTabla(QStringLiteral("renglones.dbf"),
                 {{"CLCLI_C", u'C', 10}, {"NOMBR_C", u'C', 30}, {"IMPOR_C", u'N', 12, 2}, {"TOTAL_C", u'N', 12, 2},
                  {"NOTA_C", u'C', 8}},
                 filas);
  }

  // Opens the report over the rows, titled and with widths as a view gives
  // them; `reporte` answers it.
  static void Abre(const QString& titulo, const QString& anchos, std::function<void(TFormaNuevoReporte&)> reporte) {
    TFormaGraficas graficas;
    graficas.TablaConsultaSQL->SetSQL("Select * From \"C:\\DATOS\\renglones.dbf\" Order by CLCLI_C");
    graficas.TablaConsultaSQL->Open();
    graficas.PonTitulos({"Clave", "Nombre", "#Importe", "$Total", "Nota"});
    EstadoConsultas().BanderaRetiros = QStringLiteral("N");
    EstadoConsultas().AnchosVista.clear();
    EsperaReporte(std::move(reporte));
    AbreReporteTexto(graficas.Detalle, titulo, anchos);
  }
};

}  // namespace

TEST_F(ReporteTextoTest, CeldasPorAnchoYTipo) {
  EscribeRenglones(1);
  QStringList lineas;
  Abre("Reporte de &CLCLI_C", "10,5,0,0,-1,", [&](TFormaNuevoReporte& r) { lineas = LineasReporte(r); });
  ASSERT_EQ(lineas.size(), 5);
  EXPECT_EQ(lineas[0], "Reporte de   C001 ");
  EXPECT_EQ(lineas[1], " ");
  // Texts take their widths plus one; numbers 12 plus one; -1 hides.
  EXPECT_EQ(lineas[2], "Clave       Nombr  Importe       Total           ");
  EXPECT_EQ(lineas[3], " ");
  EXPECT_EQ(lineas[4], "C001        ZOILA         1,234      1,234.25    ");

  // Without widths every column takes its field's.
  Abre("Reporte", "", [&](TFormaNuevoReporte& r) { lineas = LineasReporte(r); });
  EXPECT_EQ(lineas.value(4), "C001        ZOILA MARIA                            1,234      1,234.25  abc        ");
}

TEST_F(ReporteTextoTest, PaginasDeCuarentaRenglones) {
  struct Caso {
    int renglones;
    int paginas;
  };
  for (const Caso c : {Caso{40, 1}, Caso{41, 2}, Caso{0, 0}}) {
    SCOPED_TRACE(c.renglones);
    EscribeRenglones(c.renglones);
    Abre("Reporte", "", [&](TFormaNuevoReporte& r) {
      EXPECT_EQ(r.TotalPaginas, c.paginas);
      EXPECT_EQ(r.PanelPaginas->text(), "Paginas 0");
      EXPECT_EQ(LineasReporte(r).size(), 4 + std::min(c.renglones, 40));
      prueba::Pulsa(r, "BotonSiguiente");
      if (c.paginas < 2) {
        EXPECT_EQ(r.PaginaActual, 0);
        return;
      }
      // The second page has no heading.
      EXPECT_EQ(r.PanelPaginas->text(), "Página 2");
      EXPECT_EQ(LineasReporte(r).size(), 1);
      EXPECT_TRUE(LineasReporte(r)[0].startsWith("C041")) << LineasReporte(r)[0].toStdString();
      prueba::Pulsa(r, "BotonSiguiente");
      EXPECT_EQ(r.PaginaActual, 1);
      prueba::Pulsa(r, "BotonAnterior");
      EXPECT_EQ(r.PanelPaginas->text(), "Página 1");
      EXPECT_EQ(LineasReporte(r)[0], "Reporte ");
    });
  }
}

TEST_F(ReporteTextoTest, AvanceAutomaticoHastaLaUltimaPagina) {
  EscribeRenglones(85);
  Abre("Reporte", "", [](TFormaNuevoReporte& r) {
    EXPECT_EQ(r.Timer1->interval(), 1000);
    prueba::Pulsa(r, "BotonAutomatico");
    EXPECT_TRUE(r.Timer1->isActive());
    r.Timer1Timer();
    EXPECT_TRUE(r.Timer1->isActive());
    r.Timer1Timer();
    EXPECT_EQ(r.PanelPaginas->text(), "Página 3");
    EXPECT_FALSE(r.Timer1->isActive());
  });
}

TEST_F(ReporteTextoTest, RenglonDeTotalesSinCerosSueltos) {
  EscribeRenglones(1, {"TOTALES", "AB 0.00", "0", "1000", "X 50.00"});
  QString totales;
  Abre("Reporte", "10,10,0,0,8,", [&](TFormaNuevoReporte& r) { totales = LineasReporte(r).value(5); });
  // A "0.00" after a letter goes; after a blank, a digit or "," it stays.
  EXPECT_EQ(totales, "TOTALES     AB                     0      1,000.00  X 5        ");
}

TEST_F(ReporteTextoTest, AnchosDeColumnasFuenteYColores) {
  EscribeRenglones(1);
  Abre("Reporte", "10,5,", [](TFormaNuevoReporte& r) {
    ui::PuertaModal::Espera("TFormaTamanoColumnas", [](QDialog& d) {
      auto& t = static_cast<TFormaTamanoColumnas&>(d);
      EXPECT_EQ(t.Edit[0]->text(), "10");
      EXPECT_EQ(t.Edit[1]->text(), "5");
      EXPECT_EQ(t.Edit[2]->text(), "0");
      t.Edit[0]->setText("4");
      t.Edit[1]->setText("x");
      prueba::Pulsa(d, "Button1");
    });
    prueba::Pulsa(r, "SpeedButton3");
    // The widths before the faulty box are taken.
    EXPECT_EQ(r.AnchosColumnas.mid(0, 2), (QVector<int>{4, 5}));
    EXPECT_TRUE(LineasReporte(r).value(4).startsWith("C001  ZOILA ")) << LineasReporte(r).value(4).toStdString();

    prueba::Pulsa(r, "BotonColor");
    EXPECT_EQ(r.Concentrado->palette().color(QPalette::Base), QColor(Qt::black));
    prueba::Pulsa(r, "BotonColor");
    EXPECT_EQ(r.Concentrado->palette().color(QPalette::Base), QColor(Qt::white));
    r.TamanoFuente->setValue(14);
    EXPECT_EQ(r.Concentrado->font().pointSize(), 14);
    EXPECT_EQ(LineasReporte(r).value(0), "Reporte ");
  });
  EXPECT_EQ(Mensajes(), QStringList{"'x' no es un valor entero válido"});
}

TEST_F(ReporteTextoTest, ConsecutivoSinCampoEsUnError) {
  EscribeRenglones(1);
  Abre("Reporte", "", [](TFormaNuevoReporte& r) {
    r.Consecutivo1->trigger();
    EXPECT_TRUE(r.Consecutivo1->isChecked());
  });
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].contains("CONSEC")) << Mensajes()[0].toStdString();
}

TEST_F(ReporteTextoTest, ImprimeElRangoDePaginas) {
  EscribeRenglones(41);
  Abre("Reporte", "", [](TFormaNuevoReporte& r) {
    ui::PuertaModal::Espera("Impresora", [](QDialog& d) {
      auto& dialogo = static_cast<DialogoImpresion&>(d);
      EXPECT_EQ(dialogo.MaxPage, 2);
      EXPECT_EQ(dialogo.ToPage, 2);
      prueba::Pulsa(d, "Aceptar");
    });
    prueba::Pulsa(r, "BotonImprime");
    // The text box keeps the pages printed.
    EXPECT_EQ(LineasReporte(r).size(), 4 + 41);
  });
  std::vector<print::Operacion> ops = print::OperacionesGrabadas();
  ASSERT_FALSE(ops.empty());
  EXPECT_EQ(ops.front().tipo, print::Operacion::Tipo::Comienza);
  EXPECT_EQ(ops.front().texto, "*************Reporte ************");
  EXPECT_EQ(ops.back().tipo, print::Operacion::Tipo::Termina);
  QStringList textos;
  for (const TextoImpreso& t : Impresos()) textos << t.texto;
  ASSERT_EQ(textos.size(), 45);
  EXPECT_EQ(textos[0], "Reporte ");
  EXPECT_TRUE(textos[44].startsWith("C041")) << textos[44].toStdString();
  EXPECT_EQ(Impresos()[0].fuente, "Courier New");

  // Cancelled, nothing prints.
  print::BorraOperacionesGrabadas();
  Abre("Reporte", "", [](TFormaNuevoReporte& r) {
    ui::PuertaModal::Espera("Impresora", [](QDialog& d) { prueba::Pulsa(d, "Cancelar"); });
    prueba::Pulsa(r, "BotonImprime");
  });
  EXPECT_TRUE(print::OperacionesGrabadas().empty());
}

TEST_F(ReporteTextoTest, DisenoDeDatosMuestraLaRejilla) {
  EscribeRenglones(2);
  Abre("Reporte", "", [](TFormaNuevoReporte& r) {
    bool mostrada = false;
    ui::PuertaModal::Espera("TFormaGraficas", [&](QDialog& d) {
      mostrada = static_cast<TFormaGraficas&>(d).Titulos().value(3) == "$Total";
    });
    r.DiseodeDatos1->trigger();
    EXPECT_TRUE(mostrada);
  });
}

TEST_F(ReporteTextoTest, FuenteProporcionalEnsanchaLasCeldas) {
  EscribeRenglones(1);
  Abre("Reporte", "10,5,", [](TFormaNuevoReporte& r) {
    const QString fija = LineasReporte(r).value(4);
    ui::PuertaModal::Espera("Fuentes", [](QDialog& dialogo) {
      auto& fuentes = static_cast<QFontDialog&>(dialogo);
      fuentes.setCurrentFont(QFont(QStringLiteral("Liberation Serif"), 12));
      fuentes.accept();
    });
    r.TipodeLetra1->trigger();
    EXPECT_EQ(r.Concentrado->font().family(), "Liberation Serif");
    const QString proporcional = LineasReporte(r).value(4);
    // Each cell as wide as its width in letters "M": blanks after texts,
    // in front of numbers.
    const QFontMetrics medidas(r.Concentrado->font());
    const int celdas = 10 + 5 + 12 + 12 + 8;
    EXPECT_GE(medidas.horizontalAdvance(proporcional), medidas.horizontalAdvance(u'M') * (celdas - 5));
    EXPECT_GT(proporcional.indexOf("ZOILA"), fija.indexOf("ZOILA"));
    EXPECT_GT(proporcional.indexOf("1,234") - proporcional.indexOf("ZOILA"), fija.indexOf("1,234") - fija.indexOf("ZOILA"));
  });
}
