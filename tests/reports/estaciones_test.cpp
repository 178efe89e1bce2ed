#include "platform/ui/Aplicacion.h"
#include "platform/ui/PuertaModal.h"
#include "reports/generador_prueba.h"
#include "support/Proceso.h"

// Another copy of the program from the same program folder: it runs a
// report over ventas.dbf and keeps its viewer open until the parent writes
// a line.
RUTINA_HIJA(ReporteAbierto) {
  int argc = 1;
  char nombre[] = "test_reports";
  char* argv[] = {nombre, nullptr};
  ui::Aplicacion aplicacion(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  db::Tabla ventas;
  ventas.SetCarpeta(kDatosReporte);
  ventas.SetNombreTabla(kTablaVentas);
  ventas.Open();
  bool mostrado = false;
  EjecutaReporte(ventas, {}, [&](QDialog& d) {
    mostrado = Lineas(static_cast<TFormaBarras&>(d)).size() > 3;
    prueba::AvisaPadre(QStringLiteral("ABIERTO"));
    prueba::EsperaPadre();
  });
  return mostrado && ui::PuertaModal::Mensajes().isEmpty() ? 0 : 1;
}

using EstacionesTest = GeneradorPrueba;

TEST_F(EstacionesTest, OtraCopiaEsperaAQueSeCierreElReporte) {
  EscribeVentas({{1, QDate(2024, 3, 1), "ANA", 10}, {2, QDate(2024, 3, 1), "JUAN", 20}});
  prueba::ProcesoHijo otra(QStringLiteral("ReporteAbierto"));
  ASSERT_EQ(otra.EsperaLinea(), "ABIERTO");
  const QByteArray resultado = fs::LeeBytes(ArchivoTrabajoReporte(kArchivoFinal));
  const QByteArray titulos = fs::LeeBytes(ArchivoTrabajoReporte(kArchivoEtiquetas));

  // A grouped report here would write other rows.
  PedidoReporte agrupado;
  agrupado.modo = "C";
  agrupado.corre = false;
  EjecutaReporte(agrupado, [](QDialog& d) {
    auto& visor = static_cast<TFormaBarras&>(d);
    EXPECT_EQ(visor.PanelPaginas->text(), "Paginas 0");
    EXPECT_TRUE(visor.Concentrado->toPlainText().isEmpty());
  });
  EXPECT_EQ(Mensajes(), QStringList{"Hay otro reporte abierto en esta computadora; ciérrelo e intente de nuevo"});
  EXPECT_EQ(fs::LeeBytes(ArchivoTrabajoReporte(kArchivoFinal)), resultado);
  EXPECT_EQ(fs::LeeBytes(ArchivoTrabajoReporte(kArchivoEtiquetas)), titulos);

  otra.Envia(QStringLiteral("CIERRA"));
  EXPECT_EQ(otra.Espera(), 0);
  EXPECT_FALSE(Existe(kArchivoFinal));

  // Once the other copy's viewer is closed the report runs.
  ui::PuertaModal::LimpiaMensajes();
  agrupado.corre = true;
  EjecutaReporte(agrupado, [](QDialog& d) {
    EXPECT_EQ(SinBlancosFinales(Lineas(static_cast<TFormaBarras&>(d))).mid(3, 2),
              (QStringList{"ANA    $         10.00", "JUAN   $         20.00"}));
  });
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(EstacionesTest, UnaCopiaQueMuereNoDetieneLosReportes) {
  EscribeVentas({{1, QDate(2024, 3, 1), "ANA", 10}});
  prueba::ProcesoHijo otra(QStringLiteral("ReporteAbierto"));
  ASSERT_EQ(otra.EsperaLinea(), "ABIERTO");
  otra.Mata();
  EjecutaReporte({}, [](QDialog& d) {
    EXPECT_EQ(SinBlancosFinales(Lineas(static_cast<TFormaBarras&>(d))).mid(3, 1), QStringList{"ANA    $         10.00"});
  });
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}
