// The paid-document cuts, the comparative cut, "Producto Requerido" and the
// chart reports, run from the sale screen's Reportes menu over the fixture
// day, with their work tables read back.

#include "pos/Corte.h"
#include "support/Proceso.h"
#include "reports/CerrojoTabla.h"
#include "pos/ListaSQL.h"
#include "reports/Barras.h"
#include "reportes_prueba.h"
#include "salesdocs/CortesPagados.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

// Another copy of the program in the middle of a chart with returns: it
// holds FactAuxi.dbf until the parent says so.
RUTINA_HIJA(FactAuxiEnUso) {
  CerrojoTabla uso(argumentos.value(0));
  prueba::AvisaPadre(uso.Toma() ? QStringLiteral("TOMADA") : QStringLiteral("OCUPADA"));
  prueba::EsperaPadre();
  return 0;
}

namespace {

using Pantalla = TFormaCapturaRapida;

const QString kTempo = "C:\\VRL\\TEMPO";

// The rows of a table as "field=value" maps, in physical order.
QList<QMap<QString, QString>> Filas(const QString& carpeta, const QString& archivo) {
  QList<QMap<QString, QString>> filas;
  db::Tabla t;
  t.SetCarpeta(carpeta);
  t.SetNombreTabla(archivo);
  t.Open();
  for (t.First(); !t.Eof(); t.Next()) {
    QMap<QString, QString> fila;
    for (const QString& n : t.NombresCampos()) fila[n] = t.FieldByName(n).AsString().trimmed();
    filas << fila;
  }
  return filas;
}

// CORTE_PAG.DBF as concept -> total.
QMap<QString, Dinero> Conceptos() {
  QMap<QString, Dinero> m;
  for (const auto& f : Filas(kTempo, "CORTE_PAG.DBF")) m[f["CONCEPTO"]] = Dinero::DeTexto(f["TOTAL"]);
  return m;
}

Dinero D(const char* texto) { return Dinero::DeTexto(texto); }

void FijaDia(TFormaFormatos& d, const QDate& desde, const QDate& hasta) {
  d.Inicial->setDate(desde);
  d.Final->setDate(hasta);
}

// Sets a field of a header row of the remissions.
void CambiaRemision(int numero, const QString& campo, const QString& valor) {
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla("Remision.dbf");
  t.Open();
  t.SetIndexName("INUMENC");
  ASSERT_TRUE(t.FindKey({numero}));
  t.Edit();
  t.FieldByName(campo).SetAsString(valor);
  t.Post();
}

void EsperaProgreso() {
  ui::PuertaModal::Espera("TFormaProgreso", [](QDialog& d) {
    QElapsedTimer reloj;
    reloj.start();
    while (d.isVisible() && reloj.elapsed() < 60000) QTest::qWait(5);
  });
}

// What the chart viewer showed.
struct Visor {
  bool mostrado = false;
  QString caption;
  QString texto;  // the first text page
  ModeloGrafica grafica;  // after "Barras"
  int vista = -1;
};

class CortesPagados : public ReportesPrueba {
 protected:
  // Cuts 4 and 5 and three remissions stamped with them.
  static void CortesCuatroYCinco() {
    AgregaFila("Cortes.DBF", {{"CORTE", "4"}, {"FECHA", "05/03/2010"}});
    AgregaFila("Cortes.DBF", {{"CORTE", "5"}, {"FECHA", "05/03/2010"}});
    AgregaRemision(6, {{"IMTOD_F", "10"}, {"FEDOC_F", "05/03/2010"}, {"PAGOX_F", "Efectivo"}, {"CORTE", "4"},
                       {"NOMBR_F", "SEIS"}});
    AgregaRemision(7, {{"IMTOD_F", "20"}, {"FEDOC_F", "05/03/2010"}, {"PAGOX_F", "Tarjeta"}, {"CORTE", "5"},
                       {"NOMBR_F", "SIETE"}});
    AgregaRemision(8, {{"IMTOD_F", "30"}, {"FEDOC_F", "05/03/2010"}, {"PAGOX_F", "Credito"}, {"CORTE", "5"}});
  }

  // The cut window answers with its last cut (5), or is closed.
  // A by-cut command: the cut picker answers, the parameters dialog is not
  // shown.
  static CorridaReporte PorCorte(Pantalla& p, const char* comando, bool acepta) {
    EligeUltimoCorte(acepta);
    CorridaReporte c = Ejecuta(p, comando);
    ui::PuertaModal::Reinicia();
    return c;
  }

  static void EligeUltimoCorte(bool acepta) {
    ui::PuertaModal::Espera("TFormaCorte", [acepta](QDialog& d) {
      auto& corte = static_cast<TFormaCorte&>(d);
      corte.TablaCortes->Last();
      if (acepta)
        prueba::Pulsa(d, "BotonAceptar");
      else
        d.close();
    });
  }

  // Runs a chart item: the dialog for the period, returns ticked or not.
  static Visor Grafica(Pantalla& p, const char* comando, const QDate& desde, const QDate& hasta, bool devoluciones) {
    auto v = std::make_shared<Visor>();
    ui::PuertaModal::Espera("TFormaFormatos", [=](QDialog& d) {
      auto& f = static_cast<TFormaFormatos&>(d);
      FijaDia(f, desde, hasta);
      f.IncluirDevoluciones->setChecked(devoluciones);
      prueba::Pulsa(d, "BitBtn4");
      EsperaProgreso();
    });
    ui::PuertaModal::Espera("TFormaBarras", [v](QDialog& d) {
      auto& b = static_cast<TFormaBarras&>(d);
      v->mostrado = true;
      v->caption = b.windowTitle();
      v->texto = b.Concentrado->toPlainText();
      v->vista = ui::Tag(b.BotonGrafica);
      prueba::Pulsa(d, "BotonGrafica");
      v->grafica = b.Grafica;
    });
    QAction* item = p.MainMenu1->findChild<QAction*>(QString::fromLatin1(comando));
    EXPECT_TRUE(item && item->isEnabled()) << comando;
    if (item) item->trigger();
    return *v;
  }
};

TEST_F(CortesPagados, ConcentradoMuestraAntesLasRemisionesSinPagar) {
  Abre("0", [&](Pantalla& p) {
    // Remission 4 is unpaid: the list instead of the report; closing it ends.
    bool listada = false;
    ui::PuertaModal::Espera("TFormaListaSQL", [&](QDialog& d) {
      listada = static_cast<TFormaListaSQL&>(d).QueryLista->RecordCount() == 1;
      d.close();
    });
    CorridaReporte c = Ejecuta(p, "CortePagadosConcentrado1");
    EXPECT_TRUE(listada);
    EXPECT_FALSE(c.mostrada);

    // Choosing it shows it on the screen, without a report.
    ui::PuertaModal::Espera("TFormaListaSQL", [](QDialog& d) {
      ui::SetTag(&d, 4);
      d.close();
    });
    c = Ejecuta(p, "CortePagadosConcentrado1");
    EXPECT_FALSE(c.mostrada);
    EXPECT_EQ(p.TablaFacturae->FieldByName("CLDOC_F").AsInteger(), 4);

    // Once paid, the report: one row per payment kind and today's
    // receivables, also when the dialog asks for other days.
    CambiaRemision(4, "PAGOX_F", "Tarjeta");
    c = Ejecuta(p, "CortePagadosConcentrado1");
    ASSERT_TRUE(c.mostrada);
    EXPECT_TRUE(c.sql.contains("CORTE_PAG.DBF")) << c.sql.toStdString();
    // (The screen showed remission 4 from its lines: its total is 0.)
    EXPECT_EQ(Conceptos(), (QMap<QString, Dinero>{{"Efectivo", D("134.80")}, {"Tarjeta", D("0")}, {"CxC", D("140")}}));
    c = Ejecuta(p, "CortePagadosConcentrado1", [](TFormaFormatos& d) { FijaDia(d, {2010, 3, 1}, {2010, 3, 2}); });
    EXPECT_EQ(Conceptos(), (QMap<QString, Dinero>{{"CxC", D("140")}}));
  });
  db::Tabla t;
  t.SetCarpeta(kTempo);
  t.SetNombreTabla("CORTE_PAG.DBF");
  t.Open();
  EXPECT_EQ(t.NombresCampos(), QStringList({"FECHA", "DOCUMENTO", "TOTAL", "CONCEPTO", "CLIENTE"}));
  EXPECT_EQ(t.FieldByName("CONCEPTO").Ancho(), 25);
  EXPECT_EQ(t.IndexNames(), QStringList({"CONCEPTO"}));
}

TEST_F(CortesPagados, PorCortesElAnteriorYParcialesElElegido) {
  CortesCuatroYCinco();
  Abre("0", [&](Pantalla& p) {
    // Closed without a cut: nothing written, nothing shown.
    CorridaReporte c = PorCorte(p, "Detallado1", false);
    EXPECT_FALSE(c.mostrada);
    EXPECT_FALSE(fs::ExisteArchivo(fs::Une(kTempo, "CORTE_PAG.DBF")));

    c = PorCorte(p, "CortePagadosConcentradoporPeriodo1", true);
    ASSERT_TRUE(c.mostrada);
    EXPECT_EQ(Conceptos(), (QMap<QString, Dinero>{{"Efectivo", D("10")}}));
    c = PorCorte(p, "CortePagadosConcentradoParcial1", true);
    EXPECT_EQ(Conceptos(), (QMap<QString, Dinero>{{"Tarjeta", D("20")}}));

    c = PorCorte(p, "Detallado1", true);
    auto filas = Filas(kTempo, "CORTE_PAG.DBF");
    ASSERT_EQ(filas.size(), 1);
    EXPECT_EQ(filas[0]["DOCUMENTO"], "6");
    EXPECT_EQ(filas[0]["CLIENTE"], "SEIS");
    c = PorCorte(p, "DetalladosinCrdito1", true);
    filas = Filas(kTempo, "CORTE_PAG.DBF");
    ASSERT_EQ(filas.size(), 1);
    EXPECT_EQ(filas[0]["DOCUMENTO"], "7");
    EXPECT_TRUE(c.sql.contains("CONCEPTO<>\"Credito\"")) << c.sql.toStdString();
  });
}

TEST_F(CortesPagados, ComparativoReparteLosPagosEnPartes) {
  AgregaRemision(9, {{"IMTOD_F", "100"}, {"SUBTO_F", "100"}, {"FEDOC_F", "05/03/2010"}, {"PAGOX_F", "Efectivo"},
                     {"CONTROL", "777"}});
  AgregaFila("MultiPagos.dbf", {{"CLDOC_F", "9"}, {"CONTROL", "777"}, {"MONTO_F", "60"}, {"PAGOX_F", "Efectivo"},
                                {"FEDOC_F", "05/03/2010"}});
  AgregaFila("MultiPagos.dbf", {{"CLDOC_F", "9"}, {"CONTROL", "777"}, {"MONTO_F", "40"}, {"PAGOX_F", "Tarjeta"},
                                {"FEDOC_F", "05/03/2010"}});
  Abre("0", [&](Pantalla& p) {
    CorridaReporte c = Ejecuta(p, "CorteComparativo1");
    ASSERT_TRUE(c.mostrada);
    EXPECT_TRUE(c.sql.contains("tmp_Remision.dbf")) << c.sql.toStdString();
    QMap<QString, Dinero> sumas;
    for (const auto& f : Filas(kTempo, "tmp_Remision.dbf")) sumas[f["PAGOX_F"]] += Dinero::DeTexto(f["IMTOD_F"]);
    EXPECT_EQ(sumas["Efectivo"], Dinero::DeTexto("194.80"));  // 100 + 34.80 + 60
    EXPECT_EQ(sumas["Tarjeta"], Dinero::DeTexto("40"));
    EXPECT_EQ(sumas["CREDITO"], Dinero::DeTexto("220.40"));

    // Without split payments the report reads the header table.
    db::Tabla::Borra(kDatos, "MultiPagos.dbf");
    c = Ejecuta(p, "CorteComparativo1");
    ASSERT_TRUE(c.mostrada);
    EXPECT_FALSE(c.sql.contains("tmp_")) << c.sql.toStdString();
    EXPECT_TRUE(c.sql.contains("Remision.dbf")) << c.sql.toStdString();
  });
}

TEST_F(CortesPagados, ProductoRequeridoEnCajas) {
  EXPECT_EQ(CajasRequeridas(10, 4), 2.5);
  EXPECT_EQ(CajasRequeridas(9, 4), 2.25);
  EXPECT_EQ(CajasRequeridas(17, 8), 2.0);
  EXPECT_EQ(CajasRequeridas(19, 8), 2.5);  // 0.375 boxes: a half quarter up to the even count
  EXPECT_EQ(CajasRequeridas(5, 0), 0.0);
  const auto producto = [](const char* clave, const char* descripcion, const char* factor, double cantidad) {
    AgregaFila("INVENTAR.DBF", {{"CLPRO_I", clave}, {"DSCPR_I", descripcion}, {"FPGCC_I", factor}, {"CLPR1_I", "PR1"}});
    AgregaFila("RemisioD.dbf", {{"CLDOC_FD", "1"}, {"CLPRO_FD", clave}, {"DEPRO_FD", descripcion},
                                {"CANTI_FD", QString::number(cantidad)}, {"FEDOC_FD", "05/03/2010"}});
  };
  producto("C3", "CAJA DIEZ", "4", 10);
  producto("D4", "CAJA NUEVE", "4", 9);
  producto("E5", "CAJA DIECISIETE", "8", 17);
  Abre("0", [&](Pantalla& p) {
    // The dates of the first dialog; the runner's own dialog is accepted too.
    ui::PuertaModal::Espera("TFormaFormatos", [](QDialog& d) { prueba::Pulsa(d, "BitBtn4"); });
    CorridaReporte c = Ejecuta(p, "VentasPorFactor1");
    ASSERT_TRUE(c.mostrada);
    QMap<QString, Dinero> cajas;
    for (const auto& f : Filas(kTempo, "REPOR_KWO.DBF")) cajas[f["PRODUCTO"]] = D(f["CAJAS"].toLatin1().constData());
    EXPECT_EQ(cajas["C3"], D("2.5"));
    EXPECT_EQ(cajas["D4"], D("2.25"));
    EXPECT_EQ(cajas["E5"], D("2"));
    EXPECT_EQ(cajas["A1"], D("0"));
    const QString paginas = c.paginas.join(u'\n');
    EXPECT_TRUE(paginas.contains("CAJA DIECISIETE")) << paginas.toStdString();
    EXPECT_FALSE(paginas.contains("ARROZ")) << paginas.toStdString();
  });
}

TEST_F(CortesPagados, GraficasConYSinDevoluciones) {
  AgregaRemision(10, {{"IMTOD_F", "70"}, {"FEDOC_F", "06/03/2010"}, {"NOMBR_F", "OTRO DIA"}});
  // The screen opens on the last document and totals it from its lines.
  AgregaRemision(11, {{"FEDOC_F", "01/01/2010"}, {"STATU_F", "C"}});
  AgregaFila("Devoluc.dbf", {{"CLDOC_F", "2"}, {"IMTOD_F", "50"}, {"SUBTO_F", "50"}, {"FEDOC_F", "06/03/2010"}});
  Abre("0", [&](Pantalla& p) {
    // 6 March: 70.00 sold, 50.00 returned.
    Visor v = Grafica(p, "VentasporDa1", {2010, 3, 5}, {2010, 3, 6}, true);
    ASSERT_TRUE(v.mostrado);
    EXPECT_EQ(v.caption, "Reporte de Ventas por Día");
    EXPECT_EQ(v.vista, kVistaReporte);
    EXPECT_EQ(v.grafica.titulo, "Gráfica de Ventas por Día");
    ASSERT_FALSE(v.grafica.series.empty());
    ASSERT_EQ(v.grafica.series[0].puntos.size(), 2u);
    EXPECT_DOUBLE_EQ(v.grafica.series[0].puntos[1].valor, 20.0);
    db::Tabla aux;
    aux.SetCarpeta(kDatos);
    aux.SetNombreTabla("FactAuxi.dbf");
    aux.Open();
    db::Tabla remisiones;
    remisiones.SetCarpeta(kDatos);
    remisiones.SetNombreTabla("Remision.dbf");
    remisiones.Open();
    EXPECT_EQ(aux.NombresCampos(), remisiones.NombresCampos());
    EXPECT_EQ(aux.IndexNames(), QStringList({"INUMENC"}));
    aux.Close();

    // Unticked: the returns are not read.
    v = Grafica(p, "VentasporDa1", {2010, 3, 6}, {2010, 3, 6}, false);
    ASSERT_EQ(v.grafica.series[0].puntos.size(), 1u);
    EXPECT_DOUBLE_EQ(v.grafica.series[0].puntos[0].valor, 70.0);

    // "Corte de Caja" always takes them: the return is a row of its own.
    v = Grafica(p, "CortedeCaja1", {2010, 3, 6}, {2010, 3, 6}, false);
    ASSERT_TRUE(v.mostrado);
    double total = 0;
    for (const PuntoGrafica& punto : v.grafica.series[0].puntos) total += punto.valor;
    EXPECT_DOUBLE_EQ(total, 20.0);

    // Twelve months.
    v = Grafica(p, "VentasporMes1", {2010, 3, 5}, {2010, 3, 6}, false);
    int meses = 0;
    for (const char* mes : {"Enero", "Febrero", "Marzo", "Abril", "Mayo", "Junio", "Julio", "Agosto", "Septiembre",
                            "Octubre", "Noviembre", "Diciembre"})
      meses += v.texto.contains(QString::fromLatin1(mes), Qt::CaseInsensitive) ? 1 : 0;
    EXPECT_EQ(meses, 12) << v.texto.toStdString();
  });
}

TEST_F(CortesPagados, FactAuxiEsDeUnaCorridaALaVez) {
  AgregaFila("Devoluc.dbf", {{"CLDOC_F", "2"}, {"IMTOD_F", "50"}, {"SUBTO_F", "50"}, {"FEDOC_F", "05/03/2010"}});
  prueba::ProcesoHijo otra(QStringLiteral("FactAuxiEnUso"), {"C:\\VRL\\DATOS\\FactAuxi.dbf"});
  ASSERT_EQ(otra.EsperaLinea(), "TOMADA");
  Abre("0", [&](Pantalla& p) {
    // While the other copy holds it: the busy table named, no report.
    Visor v = Grafica(p, "VentasporDa1", {2010, 3, 5}, {2010, 3, 5}, true);
    EXPECT_FALSE(v.mostrado);
    EXPECT_EQ(Mensajes(), QStringList{"La tabla C:\\VRL\\DATOS\\FactAuxi.dbf está ocupada por otra estación"});
    ui::PuertaModal::Reinicia();
    otra.Envia(QStringLiteral("LISTO"));
    EXPECT_EQ(otra.Espera(), 0);
    // Once let go, this run's own totals: the day's sales less its two
    // returns (11.60 and 50.00).
    v = Grafica(p, "VentasporDa1", {2010, 3, 5}, {2010, 3, 5}, false);
    ASSERT_EQ(v.grafica.series[0].puntos.size(), 1u);
    const double vendido = v.grafica.series[0].puntos[0].valor;
    v = Grafica(p, "VentasporDa1", {2010, 3, 5}, {2010, 3, 5}, true);
    ASSERT_TRUE(v.mostrado);
    ASSERT_EQ(v.grafica.series[0].puntos.size(), 1u);
    EXPECT_NEAR(v.grafica.series[0].puntos[0].valor, vendido - 61.6, 1e-6);
  });
}

}  // namespace
