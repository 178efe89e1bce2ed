#include "reports/ArchivosReporte.h"
#include "reports/TablaTrabajo.h"
#include "reports/consultas_prueba.h"

#include <QRegularExpression>

namespace {

// Sales of a day: customer, payment kind, amount, date.
class TrabajoTest : public ConsultaPrueba {
 protected:
  void SetUp() override {
    ConsultaPrueba::SetUp();
    EscribeTabla(QStringLiteral("ventas.dbf"),
                 {{"CLCLI_F", u'C', 10}, {"TIPO_F", u'C', 10}, {"IMTOD_F", u'N', 14, 2}, {"FEDOC_F", u'D', 8},
                  {"PAGADO_F", u'L', 1}},
                 {{"ANA", "EFECTIVO", "100", "05/03/2024", "T"},
                  {"ANA", "CREDITO", "50.25", "05/03/2024", "F"},
                  {"BETO", "EFECTIVO", "123456.78", "06/03/2024", "T"},
                  {"CARLOS", "CREDITO", "10", "06/03/2024", "F"},
                  {"CARLOS", "CREDITO", "5", "07/03/2024", "F"}});
  }

  // A view over ventas.dbf with lines 1, 3, 7 and 8 given, sorted by the
  // customer, and lines 11 and 12 when given.
  static QString Vista(const QString& seleccion, const QString& titulos, const QString& totales,
                       const QString& acciones, const QStringList& extra = {}) {
    QStringList formatos;
    for (qsizetype i = 0; i < titulos.count(u',') + 1; ++i) formatos << "C";
    return EscribeVista("ventas.vis", QStringList{seleccion, "\\ventas.dbf\" as V ", titulos + u' ',
                                                  formatos.join(u',') + u' ', "", "CLCLI_F,", totales, acciones, "",
                                                  "Ventas del Dia"} +
                                          extra);
  }

  struct Trabajo {
    QStringList titulos;
    std::vector<QStringList> filas;
    QStringList lineas;
  };
  static Trabajo Corre(const QString& vista, bool consecutivo = false) {
    Trabajo t;
    CorreVista(
        vista,
        [&](TFormaNuevoReporte& r) {
          TFormaGraficas& g = *FormaGraficas();
          EXPECT_EQ(g.DataSource2->DataSet(), g.TablaAuxiliar);
          t.titulos = g.Titulos();
          t.filas = FilasDe(*g.TablaAuxiliar);
          t.lineas = LineasReporte(r);
        },
        consecutivo);
    return t;
  }
};

}  // namespace

TEST_F(TrabajoTest, ModosDeResultado) {
  struct Caso {
    const char* nombre;
    QString seleccion, titulos, totales, acciones;
    QStringList titulosRejilla;
    std::vector<QStringList> filas;
  };
  const QString detalle = "V.CLCLI_F,V.TIPO_F,V.IMTOD_F";
  const QString cruzada = "V.CLCLI_F,V.TIPO_F,V.IMTOD_F,V.IMTOD_F,V.IMTOD_F";
  const Caso casos[] = {
      {"totales", detalle, "Cliente,Tipo,Importe", "N,N,totalizar,", "N,N,N,",
       {"Cliente", "Tipo", "$Importe"},
       {{"ANA", "EFECTIVO", "100"},
        {"ANA", "CREDITO", "50.25"},
        {"BETO", "EFECTIVO", "123456.78"},
        {"CARLOS", "CREDITO", "10"},
        {"CARLOS", "CREDITO", "5"},
        {"", "", ""},
        {"", "", ""},
        {"TOTALES", "", "123622.03"}}},
      {"sin totales", detalle, "Cliente,Tipo,Importe", "N,N,sin totales,", "N,Ejecutar,N,",
       {"Cliente", "Tipo", "Importe"},
       // Group subtotals with no summed column.
       {{"ANA", "EFECTIVO", "100"},
        {"ANA", "CREDITO", "50.25"},
        {"", "", ""},
        {"TOTALES", "", ""},
        {"BETO", "EFECTIVO", "123456.78"},
        {"", "", ""},
        {"TOTALES", "", ""},
        {"CARLOS", "CREDITO", "10"},
        {"CARLOS", "CREDITO", "5"},
        {"", "", ""},
        {"", "", ""},
        {"TOTALES", "", ""}}},
      {"grupos", detalle, "Cliente,Tipo,Importe", "N,N,totalizar,", "N,N,Ejecutar,",
       {"Cliente", "Tipo", "$Importe"},
       {{"ANA", "EFECTIVO", "100"},
        {"ANA", "CREDITO", "50.25"},
        {"", "", ""},
        {"TOTALES", "", "150.25"},
        {"BETO", "EFECTIVO", "123456.78"},
        {"", "", ""},
        {"TOTALES", "", "123456.78"},
        {"CARLOS", "CREDITO", "10"},
        {"CARLOS", "CREDITO", "5"},
        {"", "", ""},
        {"", "", ""},
        {"TOTALES", "", "15"}}},
      // "Ejecutar" first, "tabla" later: a cross-table. From the fourth
      // column on, a row counts where its second field is the title.
      {"tabla", cruzada, "Cliente,Tipo,Total,EFECTIVO,CREDITO", "N,N,totalizar,totalizar,totalizar,",
       "N,Ejecutar,N,N,tabla,",
       {"Cliente", "Tipo", "$Total", "$EFECTIVO", "$CREDITO"},
       {{"ANA", "", "150.25", "100", "50.25"},
        {"BETO", "", "123456.78", "123456.78", "0"},
        {"CARLOS", "", "15", "0", "15"},
        {"", "", "", "", ""},
        {"TOTALES", "", "123622.03", "123556.78", "65.25"}}},
      {"concentrar", cruzada, "Cliente,Tipo,Total,EFECTIVO,CREDITO", "N,N,totalizar,N,totalizar,",
       "N,N,concentrar,tabla,",
       {"Cliente", "Tipo", "$Total", "EFECTIVO", "$CREDITO"},
       {{"ANA", "", "150.25", "", "150.25"},
        {"BETO", "", "123456.78", "", "123456.78"},
        {"CARLOS", "", "15", "", "15"},
        {"", "", "", "", ""},
        {"TOTALES", "", "123622.03", "", "123622.03"}}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    const Trabajo t = Corre(Vista(c.seleccion, c.titulos, c.totales, c.acciones));
    EXPECT_EQ(t.titulos, c.titulosRejilla);
    EXPECT_EQ(t.filas, c.filas);
  }
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(TrabajoTest, LaTablaDeTrabajoGuardaCadaValorEntero) {
  // A date first, a logical value (no column) in the middle, a number last.
  const Trabajo t = Corre(Vista("V.FEDOC_F,V.PAGADO_F,V.IMTOD_F", "Fecha,Pagado,Importe", "N,N,totalizar,", "N,N,N,"),
                          true);
  db::Tabla trabajo;
  trabajo.SetCarpeta(CarpetaTrabajoReporte());
  trabajo.SetNombreTabla(kTablaTrabajo);
  trabajo.Open();
  QStringList definiciones;
  for (const db::DefCampo& d : trabajo.Definiciones())
    definiciones << QStringLiteral("%1 %2(%3,%4)").arg(d.nombre, d.tipo).arg(d.ancho).arg(d.decimales);
  EXPECT_EQ(definiciones, (QStringList{"FEDOC_F C(10,0)", "IMTOD_F N(20,4)", "CONSEC N(20,4)"}));
  // Titles follow their fields past the column a logical value has not.
  EXPECT_EQ(t.titulos, (QStringList{"Fecha", "$Importe", "#Consecutivo"}));
  EXPECT_EQ(t.filas, (std::vector<QStringList>{{"05/03/2024", "100", "1"},
                                               {"05/03/2024", "50.25", "2"},
                                               {"06/03/2024", "123456.78", "3"},
                                               {"06/03/2024", "10", "4"},
                                               {"07/03/2024", "5", "5"},
                                               {"", "", ""},
                                               {"", "", ""},
                                               {"TOTALES", "123622.03", ""}}));
  // The consecutive numbers open the report's lines.
  EXPECT_EQ(t.lineas.value(2).left(25), "Consecutivo   Fecha      ");
  EXPECT_EQ(t.lineas.value(4).left(25), "           1  05/03/2024 ");
}

TEST_F(TrabajoTest, TotalDeRetiros) {
  const db::DefTabla& def = CatalogoVorlan().Tabla(db::CarpetaTabla::Remisiones, "Retiros.dbf");
  db::Tabla::Crea(kDatosReporte, def.archivo, def.campos, def.tags);
  {
    db::Tabla retiros;
    retiros.SetCarpeta(kDatosReporte);
    retiros.SetNombreTabla(def.archivo);
    retiros.Open();
    for (const char* cantidad : {"1000.25", "234.25"}) {
      retiros.Append();
      retiros.FieldByName("CANTIDAD").SetAsString(cantidad);
      retiros.Post();
    }
  }
  const QString archivo = ArchivoTrabajoReporte(kArchivoRetiros);
  const QString seleccion = "V.CLCLI_F,V.IMTOD_F";
  struct Caso {
    const char* nombre;
    QStringList extra;
    QByteArray retiros;  // empty: no file
    QStringList finReporte;
  };
  const Caso casos[] = {
      {"retiros", {"Retiros", "S"}, "Total de Retiros $    1,234.50\r\n\r\n\r\n",
       {"", "", "Total de Retiros $    1,234.50", "", ""}},
      {"sin bloque", {"Retiros", ""}, "", {}},
      {"sin retiros", {"Otra", "S"}, "", {"", ""}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    EscribeBytes(archivo, "viejo");
    const Trabajo t = Corre(Vista(seleccion, "Cliente,Importe", "N,totalizar,", "N,N,", c.extra));
    EXPECT_EQ(fs::ExisteArchivo(archivo) ? fs::LeeBytes(archivo) : QByteArray(), c.retiros);
    // The block follows the last row, once.
    const qsizetype totales = t.lineas.indexOf(QRegularExpression("^TOTALES.*"));
    ASSERT_GE(totales, 0);
    EXPECT_EQ(t.lineas.mid(totales + 1), c.finReporte);
  }
}
