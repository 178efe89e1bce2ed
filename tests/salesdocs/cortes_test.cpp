// The cash cuts run on the sale screen over the fixture day: titles,
// sections, the rows each section takes and the summary's cash in the
// drawer, the turn, the cut picker and the receivable payments.

#include "pos/Corte.h"
#include "reportes_prueba.h"
#include "reports/GuionReporte.h"

#include <QDateEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

using Pantalla = TFormaCapturaRapida;

const QString kListaCortes = "C:\\VRL\\DATOS\\Cortes\\Cortes.dat";

// The first field of each row of a section: its heading, underlines, group
// and total lines (blank in the first column) and empty lines left out.
QStringList Documentos(const CorridaReporte& c, int seccion) {
  const QStringList lineas = Seccion(c, seccion);
  QStringList documentos;
  for (int i = 1; i < lineas.size(); ++i) {
    const QString& l = lineas[i];
    if (l.left(11).trimmed().isEmpty() || l.contains(u'_') || l == u".") continue;
    documentos << l.section(u' ', 0, 0, QString::SectionSkipEmpty);
  }
  return documentos;
}

// The summary's line that starts with the label.
QString LineaResumen(const CorridaReporte& c, const QString& etiqueta) {
  for (const QString& l : c.paginas)
    if (l.startsWith(etiqueta)) return l;
  return QString();
}

int Titulos(const CorridaReporte& c) {
  int n = 0;
  for (const QString& l : c.paginas)
    if (l.startsWith(u'*') || l.startsWith(QStringLiteral("/*"))) ++n;
  return n;
}

void FijaFechas(TFormaFormatos& d, const QDate& desde, const QDate& hasta) {
  d.Inicial->setDate(desde);
  d.Final->setDate(hasta);
}

class Cortes : public ReportesPrueba {};

}  // namespace

TEST_F(Cortes, CorteZDelDia) {
  Abre("0", [&](Pantalla& p) {
    p.TablaFacturae->FindKey({2});
    p.MuestraDocumento();
    const CorridaReporte c = Ejecuta(p, "CorteZ1");
    ASSERT_TRUE(c.mostrada);
    EXPECT_EQ(c.caption, "Reporte de Corte Z  05/03/2010 VENTAS REMISION ");
    EXPECT_EQ(c.paginas.value(0), "*Reporte de Corte Z  05/03/2010 REMISIONES USUARIO 0 HORA : 10:15:00");
    EXPECT_EQ(Titulos(c), 8);  // seven sections and the summary's repeated title
    EXPECT_EQ(Documentos(c, 1), QStringList({"1", "4", "5"}));
    EXPECT_EQ(Documentos(c, 2), QStringList({"2"}));
    EXPECT_EQ(Documentos(c, 3), QStringList({"2"}));
    EXPECT_EQ(Documentos(c, 4), QStringList({"3"}));
    EXPECT_EQ(Documentos(c, 5), QStringList({"1"}));
    EXPECT_EQ(Documentos(c, 6), QStringList({"1", "3"}));
    EXPECT_EQ(Documentos(c, 7), QStringList({"2"}));
    // The returns count nothing; the drawer: 320.50 + 34.80 - 0 - 50 + 500.
    EXPECT_EQ(c.totales[4][2], Dinero());
    EXPECT_EQ(LineaResumen(c, "TOTAL EN CAJA"), "TOTAL EN CAJA                 805.30");
    // CuentaDocumentosEnCero ran first; the document shown again.
    EXPECT_EQ(p.LabelControl->text(), "1");
    EXPECT_EQ(p.EditCLDOC_F->text(), "2");
  });
}

TEST_F(Cortes, LasVariantesDelCorteZ) {
  Abre("0", [&](Pantalla& p) {
    // The returns with their real amounts: 805.30 - 11.60.
    CorridaReporte c = Ejecuta(p, "CorteZZUV1");
    EXPECT_EQ(LineaResumen(c, "TOTAL EN CAJA"), "TOTAL EN CAJA                 793.70");
    // Withdrawals grouped by the first three letters of their concept.
    EXPECT_EQ(Documentos(c, 6), QStringList({"1", "3"}));

    // The open remissions at 70 per cent: 100.00 shown as 70.00.
    c = Ejecuta(p, "VentasTotales1");
    ASSERT_TRUE(c.mostrada);
    EXPECT_EQ(c.caption, "Reporte de " + p.windowTitle() + " VENTAS REMISION ");
    const QStringList abiertas = Seccion(c, 1);
    ASSERT_GE(abiertas.size(), 4);
    EXPECT_TRUE(abiertas[3].startsWith("      1")) << abiertas[3].toStdString();
    EXPECT_TRUE(abiertas[3].contains("       70.00")) << abiertas[3].toStdString();
    EXPECT_EQ(c.totales[0][2], Dinero::DeTexto("224.35"));

    // Only turn 01: its remissions and its slips.
    p.N011->setChecked(true);
    c = Ejecuta(p, "CorteZporTurno1");
    EXPECT_EQ(c.paginas.value(0), "*Reporte de Corte Z por Turno REMISIONES USUARIO 0 HORA : 10:15:00");
    EXPECT_EQ(Documentos(c, 1), QStringList({"1", "5"}));
    EXPECT_EQ(Documentos(c, 6), QStringList({"1"}));
    EXPECT_EQ(Documentos(c, 7), QStringList({"2"}));
    p.N011->setChecked(false);
    c = Ejecuta(p, "CorteZporTurno1");
    EXPECT_EQ(Documentos(c, 1), QStringList({"1", "4", "5"}));
  });
}

TEST_F(Cortes, CortesSeparadosPorElCorteElegido) {
  EscribeLineas(kListaCortes, {"Corte de Caja 1 ,05/03/2010 09:43:55 ,40242.4055,1",
                               "Corte de Caja 2 ,05/03/2010 10:26:24 ,40242.435,4"});
  const auto elige = [](int fila, bool acepta) {
    ui::PuertaModal::Espera("TFormaCorte", [fila, acepta](QDialog& d) {
      auto& corte = static_cast<TFormaCorte&>(d);
      EXPECT_TRUE(corte.BotonAceptar->isVisible());
      corte.ListaCortes->setCurrentRow(fila);
      if (acepta)
        prueba::Pulsa(d, "BotonAceptar");
      else
        d.close();
    });
  };
  Abre("0", [&](Pantalla& p) {
    // Closed without a cut: no report.
    elige(0, false);
    QAction* item = p.MainMenu1->findChild<QAction*>("CortesSeparados1");
    item->trigger();
    EXPECT_EQ(Mensajes(), QStringList());

    // The first cut: from today's midnight to its stamp.
    elige(0, true);
    CorridaReporte c = Ejecuta(p, "CortesSeparados1");
    ASSERT_TRUE(c.mostrada);
    EXPECT_EQ(Documentos(c, 1), QStringList({"1"}));
    EXPECT_EQ(Documentos(c, 6), QStringList({"1"}));
    EXPECT_EQ(Documentos(c, 7), QStringList());
    EXPECT_TRUE(c.sql.contains("(HORAF_F>=40242 and HORAF_F<=40242.4055)")) << c.sql.toStdString();

    // A later cut: from the stamp before it to its own.
    elige(1, true);
    c = Ejecuta(p, "CortesSeparados1");
    EXPECT_EQ(Documentos(c, 1), QStringList({"4"}));
    EXPECT_EQ(Documentos(c, 6), QStringList({"3"}));
    EXPECT_EQ(Documentos(c, 7), QStringList({"2"}));
  });
}

TEST_F(Cortes, LosCortesConCobranza) {
  Abre("0", [&](Pantalla& p) {
    const auto ayerYHoy = [](TFormaFormatos& d) { FijaFechas(d, QDate(2010, 3, 4), QDate(2010, 3, 5)); };
    // Today's payments only, whatever the dialog's dates.
    CorridaReporte c = Ejecuta(p, "CorteconCxC1", ayerYHoy);
    EXPECT_EQ(Documentos(c, 2), QStringList({"1", "5"}));
    // Its totals page shows the withdrawals and entries it listed (its third
    // and fourth sections) and counts them in the drawer.
    ASSERT_EQ(c.totales.size(), 4u);
    const Dinero retiros = c.totales[2][2], entradas = c.totales[3][2];
    EXPECT_EQ(retiros, Dinero(50));
    EXPECT_EQ(entradas, Dinero(500));
    const auto importe = [](Dinero d) { return FormateaValorGuion(d.Texto(), "f"); };
    EXPECT_EQ(LineaResumen(c, "Total de Retiros"), "Total de Retiros        " + importe(retiros));
    EXPECT_EQ(LineaResumen(c, "Total de Entradas"), "Total de Entradas       " + importe(entradas));
    EXPECT_EQ(LineaResumen(c, "Total de Devoluciones"), "Total de Devoluciones   " + importe(Dinero()));
    EXPECT_EQ(LineaResumen(c, "TOTAL EN CAJA"),
              "TOTAL EN CAJA           " + importe(c.totales[0][2] + c.totales[1][2] - retiros + entradas));
    // The dialog's dates: the counter customer's payments, then the others'.
    c = Ejecuta(p, "CorteZconCxC1", ayerYHoy);
    EXPECT_EQ(c.paginas.value(0), "*Reporte de Corte Z con CxC VENTAS ABONOS");
    EXPECT_EQ(c.caption, "Reporte de Corte Z con CxC  05/03/2010 VENTAS CONTADO ");
    EXPECT_EQ(Documentos(c, 1), QStringList({"1"}));
    EXPECT_EQ(Documentos(c, 2), QStringList({"5", "5"}));
    c = Ejecuta(p, "CorteZconCxC1");
    EXPECT_EQ(Documentos(c, 2), QStringList({"5"}));
    // Remissions with a balance.
    EXPECT_EQ(Documentos(c, 3), QStringList({"5"}));
  });
}
