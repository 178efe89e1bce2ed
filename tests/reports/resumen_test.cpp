// The cash-cut summaries of report scripts, from the totals of a cut's
// seven blocks (remissions, invoices, direct invoices, cancellations,
// returns, withdrawals, entries).

#include "reports/guion_prueba.h"

#include "shell/Moneda.h"

#include <QRegularExpression>
#include <QSpinBox>
#include <QTextBlock>

namespace {

QString B(int n) { return QString(n, u' '); }

// A label followed by its amount as the summaries show it.
QString Linea(const char* etiqueta, const char* importe) {
  return QString::fromUtf8(etiqueta) + QString::fromUtf8(importe).rightJustified(12);
}

// Rows of cortes.dbf: the block and columns 1 to 9.
struct FilaCorte {
  int bloque;
  std::array<double, 9> columnas;
};

class ResumenTest : public GuionPrueba {
 protected:
  void SetUp() override {
    GuionPrueba::SetUp();
    TRegistroMoneda pesos;
    pesos.Campos[MonedaDivisa] = "M.N.";
    pesos.Campos[MonedaSingular] = "PESO";
    pesos.Campos[MonedaPluralMillones] = "PESOS DE";
    pesos.Campos[MonedaPlural] = "PESOS";
    pesos.Campos[MonedaAbreviatura] = "M.N.";
    EscribeBytes(kDatosReporte + "\\moneda.vrl", pesos.ABytes());
  }

  db::Tabla& Cortes(const std::vector<FilaCorte>& filas) {
    QVector<db::DefCampo> campos{{"BLOQUE", 'N', 2, 0}};
    for (int c = 1; c <= 9; ++c) campos.push_back({QStringLiteral("C%1").arg(c), 'N', 12, 2});
    std::vector<QVariantList> valores;
    for (const FilaCorte& f : filas) {
      QVariantList v{f.bloque};
      for (double c : f.columnas) v << c;
      valores.push_back(v);
    }
    return Tabla("cortes.dbf", campos, {}, valores);
  }

  // The seven blocks of a cut, every column summed.
  static QString GuionCorte() {
    QString guion;
    for (int b = 1; b <= 7; ++b) {
      guion += QStringLiteral("$Bloque %1\r& Select C1,C2,C3,C4,C5,C6,C7,C8,C9 from \"C:\\DATOS\\cortes.dbf\"\r"
                              "?BLOQUE=%1\r!C1\r%t  t  t  t  t  t  t  t  t\r"
                              "#C1           C2           C3           C4           C5           C6           C7"
                              "           C8           C9           \r@\r")
                    .arg(b);
    }
    return guion;
  }

  // A day's cut: block 1 remissions of 116.00 with 16.00 of tax and 4.00
  // of IEPS, invoices of 58.00, direct invoices of 23.20, and one row for
  // each of the other blocks.
  db::Tabla& DiaDeCorte() {
    return Cortes({{1, {0, 0, 100, 90, 10, 0, 3, 2, 4}},
                   {1, {0, 0, 16, 10, 6, 0, 0, 0, 0}},
                   {2, {0, 0, 58, 50, 8, 0, 0, 0, 0}},
                   {3, {0, 0, 23.2, 20, 3.2, 0, 0, 0, 0}},
                   {4, {0, 0, 10, 0, 0, 0, 0, 0, 0}},
                   {5, {0, 0, 5, 0, 0, 0, 0, 0, 0}},
                   {6, {0, 0, 20, 0, 0, 0, 0, 0, 0}},
                   {7, {0, 0, 30, 0, 0, 0, 0, 0, 0}}});
  }

  static PedidoGuion Tipo(int tipo) {
    PedidoGuion p;
    p.clave.clear();
    p.dialogo = false;
    p.tipo = tipo;
    return p;
  }
};

}  // namespace

TEST_F(ResumenTest, CorteDeCajaConSusFirmas) {
  EscribeLineas(kPrograma + "\\extras.txt", {"Firma del Cajero: ________", "Firma del Gerente: ________"});
  const CorridaGuion c = Ejecuta(DiaDeCorte(), GuionCorte(), Tipo(1));
  ASSERT_TRUE(c.mostrada) << Mensajes().join(u'|').toStdString();
  const QStringList resumen = {
      "",
      "*Reporte de Bloque 1",
      "Firma del Cajero: ________",
      "Firma del Gerente: ________",
      "",
      Linea("Total Remisiones(IVA)       ", "100.00"),
      Linea("Total Remisiones(IEPS)      ", "50.00"),
      Linea("Total Remisiones(NO GRABADO)", "-54.00"),
      Linea("Impuesto de Remisiones      ", "16.00"),
      Linea("Impuesto de Remisiones IEPS ", "4.00"),
      Linea("Descuento de Remisiones     ", "2.00"),
      Linea("Total de Remisiones         ", "116.00"),
      "",
      "( CIENTO DIECISEIS PESOS 00/100 M.N.)",
      "",
      Linea("Total Facturas (GRABADO)    ", "50.00"),
      Linea("Total Facturas (NO GRABADO) ", "8.00"),
      Linea("Impuesto de Facturas        ", "8.00"),
      Linea("Total de Facturas           ", "58.00"),
      "",
      Linea("Facturas Directas (GRABADO) ", "20.00"),
      Linea("Facturas Directas (NO GRABADO)", "3.20"),
      Linea("Impuesto Directas           ", "3.20"),
      Linea("Total de Directas           ", "23.20"),
      "",
      Linea("Total de Directas       ", "23.20"),
      Linea("Total de Cancelaciones  ", "10.00"),
      Linea("Total de Devoluciones   ", "5.00"),
      Linea("Total de Retiros        ", "20.00"),
      Linea("Total de Entradas       ", "30.00"),
      "",
      Linea("Total de DESCUENTOS     ", "3.00"),
      "",
      // 116 + 58 - 5 - 20 + 30: the direct invoices stay out.
      Linea("TOTAL EN CAJA           ", "179.00"),
      " ",
      " ",
      "( CIENTO SETENTA Y NUEVE PESOS 00/100 M.N.)",
      "_  ",
  };
  ASSERT_GT(c.paginas.size(), resumen.size());
  EXPECT_EQ(c.paginas.mid(c.paginas.size() - resumen.size()), resumen);
  EXPECT_EQ(c.paginas[c.paginas.size() - resumen.size() - 1], ".");

  // A day without sales or cash movements, and without extras.txt.
  fs::BorraArchivo(kPrograma + "\\extras.txt");
  const CorridaGuion vacio = Ejecuta(Cortes({}), GuionCorte(), Tipo(1));
  ASSERT_TRUE(vacio.mostrada) << Mensajes().join(u'|').toStdString();
  const QStringList ceros = vacio.paginas.mid(vacio.paginas.size() - (resumen.size() - 2));
  EXPECT_EQ(ceros.mid(0, 3), (QStringList{"", "*Reporte de Bloque 1", ""}));
  EXPECT_EQ(ceros.filter(QRegularExpression("^[A-Za-z]")).size(), 22);
  for (const QString& linea : ceros.filter(QRegularExpression("^(Total|Impuesto|Descuento|Facturas|TOTAL)")))
    EXPECT_TRUE(linea.endsWith(B(8) + "0.00")) << linea.toStdString();
  EXPECT_EQ(ceros[ceros.size() - 2], "(CERO  PESOS 00/100 M.N.)");
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(ResumenTest, CobranzaYGlobal) {
  const CorridaGuion cobranza = Ejecuta(DiaDeCorte(), GuionCorte(), Tipo(3), [](TFormaReporteSQL& v) {
    // The debtors' line is a title of the pages.
    QStringList paginas;
    for (int p = 1; p <= v.TotalPaginasGuion; ++p) {
      v.PaginaActual->setValue(p);
      paginas << Hoja(v);
    }
    EXPECT_TRUE(paginas.contains(Linea("Total Remisiones DEUDOR (GRABADO)   ", "20.00")));
  });
  for (const QString& linea : {Linea("Total Remisiones a CONTADO (GRABADO)    ", "100.00"),
                               Linea("Total Remisiones a CONTADO (NO GRABADO) ", "0.00"),
                               Linea("Impuesto FPGC a CONTADO                 ", "3.00"),
                               Linea("///Total Remisiones ABONOS  (GRABADO)     ", "50.00"),
                               Linea("*Total Remisiones DEUDOR (GRABADO)   ", "20.00"),
                               Linea("Total Remisiones DEUDOR             ", "3.20"),
                               Linea("Total Remisiones DEUDOR             ", "23.20"),
                               Linea("Total de SALDOS         ", "23.20"), QString("////")}) {
    EXPECT_TRUE(cobranza.paginas.contains(linea)) << linea.toStdString();
  }

  // The global summary takes the place of the pages, at every display.
  EscribeLineas(kPrograma + "\\extras.txt", {"Sucursal Centro"});
  const CorridaGuion global = Ejecuta(DiaDeCorte(), GuionCorte(), Tipo(2), [](TFormaReporteSQL& v) {
    const QStringList hoja = Hoja(v);
    EXPECT_EQ(hoja.mid(0, 4), (QStringList{"", "*Reporte de Bloque 1", "Sucursal Centro", ""}));
    EXPECT_EQ(hoja[4], Linea("Total Remisiones(GRABADO)   ", "100.00"));
    EXPECT_EQ(hoja[5], Linea("Total Remisiones(NO GRABADO)", "0.00"));
    EXPECT_TRUE(hoja.contains(Linea("Impuesto FPGC               ", "3.00")));
    EXPECT_TRUE(hoja.contains("-------------------------------------------"));
    EXPECT_TRUE(hoja.contains(Linea("TOTAL EN CAJA           ", "179.00")));
    EXPECT_EQ(v.Hoja->document()->firstBlock().charFormat().foreground().color(), QColor(Qt::red));
    prueba::Pulsa(v, "BotonSiguiente");
    EXPECT_EQ(Hoja(v), hoja);
    v.TamanoFuente->setValue(12);
    EXPECT_EQ(Hoja(v), hoja);
  });
  EXPECT_FALSE(global.paginas.contains(Linea("TOTAL EN CAJA           ", "179.00")));
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(ResumenTest, SoloLineasDeResumenPorGrupo) {
  db::Tabla& cortes =
      Cortes({{6, {0, 1, 10, 0, 0, 0, 0, 0, 0}}, {6, {0, 1, 5, 0, 0, 0, 0, 0, 0}}, {6, {0, 2, 7, 0, 0, 0, 0, 0, 0}}});
  // Five blocks of calculation lines keep their numbers: the withdrawals
  // are block 6, broken by their classification.
  const QString guion = QString("<1\r@\r").repeated(5) +
                        "$Retiros\r& Select C2,C1,C3 from \"C:\\DATOS\\cortes.dbf\"\r?BLOQUE=6\r!C2\r>C2\r"
                        "%c  c  t\r#TIPO     X   IMPORTE     \r@\r";
  const CorridaGuion c = Ejecuta(cortes, guion, Tipo(4));
  ASSERT_TRUE(c.mostrada) << Mensajes().join(u'|').toStdString();
  const QString subrayado = B(13) + "____________ ";
  EXPECT_EQ(c.paginas.mid(0, 19), (QStringList{"*Reporte de Retiros", "TIPO     X   IMPORTE     ", "", "", subrayado,
                                               "1" + B(13) + "       15.00 ", "", subrayado,
                                               "2" + B(13) + "        7.00 ", "", subrayado,
                                               B(13) + "       22.00 ", "", "", "", "*Reporte de Retiros", "",
                                               Linea("Total Remisiones(IVA)       ", "0.00"),
                                               Linea("Total Remisiones(IEPS)      ", "0.00")}));
  EXPECT_TRUE(c.paginas.contains(Linea("Total de Retiros        ", "22.00")));
  EXPECT_TRUE(c.paginas.contains(Linea("TOTAL EN CAJA           ", "-22.00")));
}
