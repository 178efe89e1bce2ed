#include "platform/ui/Aplicacion.h"
#include "reports/TablaTrabajo.h"
#include "reports/consultas_prueba.h"
#include "support/Proceso.h"

namespace {

// The work table's rows as one line.
QString Renglones(db::Dataset& datos) {
  QStringList filas;
  for (const QStringList& f : FilasDe(datos)) filas << f.join(u'|');
  return filas.join(u';');
}

}  // namespace

// Another copy of the program from the same program folder runs the view
// given and keeps its report open, telling the parent the work table's rows
// when shown and again when the parent writes a line.
RUTINA_HIJA(VistaAbierta) {
  int argc = 1;
  char nombre[] = "test_reports";
  char* argv[] = {nombre, nullptr};
  ui::Aplicacion aplicacion(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  TFormaConsulta consulta;
  consulta.Archivo->setEditText(argumentos.value(0));
  ui::PuertaModal::Espera("TFormaNuevoReporte", [](QDialog&) {
    db::Dataset& trabajo = *FormaGraficas()->TablaAuxiliar;
    prueba::AvisaPadre(QStringLiteral("ABIERTO ") + Renglones(trabajo));
    prueba::EsperaPadre();
    prueba::AvisaPadre(QStringLiteral("SIGUE ") + Renglones(trabajo));
    prueba::EsperaPadre();
  });
  consulta.EjecutarClick();
  return ui::PuertaModal::Mensajes().isEmpty() ? 0 : 1;
}

namespace {

class ConsultasEstacionesTest : public ConsultaPrueba {
 protected:
  void SetUp() override {
    ConsultaPrueba::SetUp();
    EscribeClientesConsulta({{"15", "ZOILA", "10"}, {"16", "ANA", "20"}});
  }

  // A view of the customers' balances, totalled, over the rows the
  // condition of line 9 leaves.
  static QString Vista(const QString& nombre, const QString& condicion) {
    return EscribeVista(nombre, {"A.CLCLI_C,A.SALDO_C", "\\cliente.dbf\" as A ", "Cliente,Saldo ", "C,C ", "0,0,",
                                 "CLCLI_C,", "N,totalizar,", "N,N,", condicion, "Saldos"});
  }

  // Runs the view here; the work table's rows while its report shows.
  static QString Corre(const QString& vista) {
    QString renglones;
    TFormaConsulta consulta;
    consulta.Archivo->setEditText(vista);
    EsperaReporte([&](TFormaNuevoReporte&) { renglones = Renglones(*FormaGraficas()->TablaAuxiliar); });
    consulta.EjecutarClick();
    return renglones;
  }
};

const QString kSaldosZoila = "15|10;|;|;TOTALES|10";
const QString kSaldosAna = "16|20;|;|;TOTALES|20";

}  // namespace

TEST_F(ConsultasEstacionesTest, CadaCopiaVeSusRenglonesOLaTablaOcupada) {
  const QString zoila = Vista("zoila.vis", "CLCLI_C = \"15\"");
  const QString ana = Vista("ana.vis", "CLCLI_C = \"16\"");
  prueba::ProcesoHijo otra(QStringLiteral("VistaAbierta"), {zoila});
  ASSERT_EQ(otra.EsperaLinea(), "ABIERTO " + kSaldosZoila);

  // Here the run names the busy table and writes nothing.
  TFormaConsulta consulta;
  consulta.Archivo->setEditText(ana);
  consulta.EjecutarClick();
  EXPECT_EQ(Mensajes(), QStringList{"La tabla C:\\VRL\\tempo\\BaseTempo.dbf está ocupada por otra estación"});
  otra.Envia(QStringLiteral("SIGUE"));
  EXPECT_EQ(otra.EsperaLinea(), "SIGUE " + kSaldosZoila);
  otra.Envia(QStringLiteral("CIERRA"));
  EXPECT_EQ(otra.Espera(), 0);

  // Once the other report is closed the view runs here.
  ui::PuertaModal::LimpiaMensajes();
  EXPECT_EQ(Corre(ana), kSaldosAna);
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(ConsultasEstacionesTest, UnaCopiaQueMuereNoRetieneLaTabla) {
  const QString zoila = Vista("zoila.vis", "CLCLI_C = \"15\"");
  prueba::ProcesoHijo otra(QStringLiteral("VistaAbierta"), {zoila});
  ASSERT_EQ(otra.EsperaLinea(), "ABIERTO " + kSaldosZoila);
  otra.Mata();
  EXPECT_EQ(Corre(Vista("ana.vis", "CLCLI_C = \"16\"")), kSaldosAna);
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}
