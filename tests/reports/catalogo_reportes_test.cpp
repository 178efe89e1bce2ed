#include "foundation/advierte.h"
#include "reports/ArchivosReporte.h"
#include "reports/Barras.h"
#include "reports/Formatos.h"
#include "reports/GuionTabla.h"
#include "reports/catalogo_prueba.h"
#include "reports/generador_prueba.h"
#include "support/Proceso.h"

#include "platform/db/Consulta.h"
#include "platform/fs/Texto.h"

#include <QAction>
#include <QMenu>
#include <QRegularExpression>
#include <QTextEdit>

namespace {

const QString kGuion = QStringLiteral("C:\\VRL\\report\\tempo.sql");
const QString kSelectSaldos =
    QStringLiteral("Select CLCLI_C, NOMBR_C, SALDO_C, FULCO_C From \"C:\\DATOS\\cliente.dbf\" Order by CLCLI_C");

class CatalogoReportesTest : public CatalogoPrueba {
 protected:
  void SetUp() override {
    CatalogoPrueba::SetUp();
    fs::CreaCarpeta(kPrograma + "\\tempo");
    Clientes();
    Agrega("cliente.dbf", {{"CLCLI_C", "NOMBR_C", "SALDO_C"}, {{"50", "GRANDE", 123456.78}}});
  }
  void TearDown() override {
    SueltaArchivosReporte();
    CatalogoPrueba::TearDown();
  }

  static void Reportes(const QStringList& lineas) { EscribeLineas("C:\\VRL\\report\\reportes.sql", lineas); }

  // The fields and rows of the temporary report table.
  static QStringList TablaTemporal() {
    db::Tabla t;
    t.SetCarpeta(kCarpetaTablaTemporal);
    t.SetNombreTabla(kTablaTemporal);
    t.Open();
    QStringList filas{t.NombresCampos().join(u',')};
    for (t.First(); !t.Eof(); t.Next()) {
      QStringList valores;
      for (int i = 0; i < t.FieldCount(); ++i) valores << t.Fields(i).AsString();
      filas << valores.join(u'|');
    }
    return filas;
  }
};

// Another copy of the program holding the temporary report table until told.
RUTINA_HIJA(RetieneTablaTemporal) {
  UsoTablaTemporal uso;
  if (!uso.Toma()) return 1;
  prueba::AvisaPadre("RETENIDA");
  prueba::EsperaPadre();
  return 0;
}

}  // namespace

TEST_F(CatalogoReportesTest, ElGuionLlenaLaTablaTemporalConCadaValor) {
  EscribeLineas(kGuion, {"Select CLCLI_C, SALDO_C,", "FULCO_C From \"C:\\DATOS\\cliente.dbf\"",
                         "where SALDO_C > 100 Order by CLCLI_C", "%Clave", "", "%Saldo", "nota"});
  QString sql, titulos;
  LeeSQLGuion(kGuion, sql);
  EXPECT_EQ(Mensajes(), QStringList{kGuion});  // the file's name, first
  EXPECT_EQ(sql, "Select CLCLI_C, SALDO_C, FULCO_C From \"C:\\DATOS\\cliente.dbf\" where SALDO_C > 100 Order by "
                 "CLCLI_C ");
  LeeTiposColumnaGuion(kGuion, titulos);
  EXPECT_EQ(titulos, "%Clave,%Saldo,");
  // A lone carriage return ends a line too.
  EscribeBytes(kGuion, "Select 1 as UNO\r%Uno\r%Dos\r\n");
  LeeSQLGuion(kGuion, sql);
  LeeTiposColumnaGuion(kGuion, titulos);
  EXPECT_EQ(sql, "Select 1 as UNO ");
  EXPECT_EQ(titulos, "%Uno,%Dos,");

  struct Tipo {
    db::TipoDato tipo;
    int ancho;
    const char* texto;
  };
  for (const Tipo& t : {Tipo{db::TipoDato::Texto, 10, "CHAR(11),"}, Tipo{db::TipoDato::Entero, 4, "NUMERIC(20,4),"},
                        Tipo{db::TipoDato::Flotante, 8, "NUMERIC(20,4),"}, Tipo{db::TipoDato::Fecha, 8, "DATE,"},
                        Tipo{db::TipoDato::Logico, 1, ""}}) {
    QString texto = "x";
    TipoCampoSQL(t.tipo, t.ancho, texto);
    EXPECT_EQ(texto, t.texto);
  }

  // Every value whole in the table, 123,456.78 included.
  EscribeLineas(kGuion, {"Select CLCLI_C, NOMBR_C, SALDO_C, FULCO_C, DCRED_C From \"C:\\DATOS\\cliente.dbf\"",
                         "where SALDO_C > 100 Order by CLCLI_C"});
  EjecutaGuionATablaTemporal(kGuion);
  EXPECT_EQ(TablaTemporal(), (QStringList{"CLCLI_C,NOMBR_C,SALDO_C,FULCO_C,DCRED_C",
                                          "10|GARCIA LUIS|150.25|01/03/2024|30", "30|Garza Pedro|1000||0",
                                          "50|GRANDE|123456.78||"}));

  // An error of the SQL reaches the caller; the table stays as it was.
  for (const QByteArray& malo : {QByteArray("%Solo titulos\r\n"), QByteArray("Select X From \"C:\\DATOS\\nada.dbf\"")}) {
    EscribeBytes(kGuion, malo);
    EXPECT_THROW(EjecutaGuionATablaTemporal(kGuion), plat::Error);
    EXPECT_EQ(TablaTemporal().size(), 4);
  }
  // A column the table cannot hold: the table is not made.
  db::Tabla::Crea(kDatosReporte, "marcas.dbf", {{"NOMBRE", 'C', 10, 0}, {"ACTIVO", 'L', 1, 0}});
  EscribeLineas(kGuion, {"Select NOMBRE, ACTIVO From \"C:\\DATOS\\marcas.dbf\""});
  EjecutaGuionATablaTemporal(kGuion);
  EXPECT_FALSE(db::Tabla::Existe(kCarpetaTablaTemporal, kTablaTemporal));
}

TEST_F(CatalogoReportesTest, ElMenuDeReportesCorreElGuionYMuestraElVisor) {
  Reportes({"Saldos#" + kSelectSaldos + "#%Clave#%Nombre#%Saldo#%Fecha",
            "Sin guion",
            "Saldos#Select NOMBR_C From \"C:\\DATOS\\cliente.dbf\"#%Nombre"});
  Navega("cliente.dbf", [](TFormaCatalogo& c) {
    const QList<QAction*> items = c.Reportes1->actions();
    QStringList titulos;
    for (QAction* a : items) titulos << a->text();
    ASSERT_EQ(titulos, (QStringList{"Saldos", "Sin guion", "Saldos"}));

    // The second item of one caption runs the first one's line.
    for (QAction* item : {items[0], items[2]}) {
      ui::PuertaModal::LimpiaMensajes();
      ui::PuertaModal::Espera("TFormaFormatos", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Reporte de Consecutivo de Documentos");
        prueba::Pulsa(d, "BitBtn4");
      });
      EsperaProgreso();
      QString pagina;
      std::array<QString, 10> titulos;
      ui::PuertaModal::Espera("TFormaBarras", [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Reporte de Consecutivo de Documentos");
        ASSERT_TRUE(FormaAdvertencia());
        EXPECT_FALSE(FormaAdvertencia()->isVisible());  // the notice is closed
        pagina = static_cast<TFormaBarras&>(d).Concentrado->toPlainText();
        titulos = LeeTitulosReporte()[0].Textos;
      });
      item->trigger();
      EXPECT_EQ(Mensajes(), QStringList{kGuion});
      // The titles keep their "%", which shows amounts without "$".
      EXPECT_EQ(titulos[0], "%Clave");
      EXPECT_EQ(titulos[2], "%Saldo");
      EXPECT_TRUE(pagina.contains(QRegularExpression("GRANDE +123,456.78"))) << pagina.toStdString();
      EXPECT_TRUE(pagina.contains("GARCIA LUIS"));
      EXPECT_EQ(FormaBarras(), nullptr);
      EXPECT_EQ(FormaFormatos(), nullptr);
    }
    EXPECT_EQ(fs::LeeBytes(kGuion), fs::ACp1252(kSelectSaldos + "\r%Clave\r%Nombre\r%Saldo\r%Fecha\r\n"));
    EXPECT_EQ(TablaTemporal().value(0), "CLCLI_C,NOMBR_C,SALDO_C,FULCO_C");
    EXPECT_EQ(TablaTemporal().last(), "50|GRANDE|123456.78|");

    // A line without "#": an empty script, whose query fails; nothing stays
    // open.
    ui::PuertaModal::LimpiaMensajes();
    ui::PuertaModal::Espera("TFormaFormatos", [](QDialog& d) { prueba::Pulsa(d, "BitBtn4"); });
    items[1]->trigger();
    EXPECT_EQ(Mensajes().size(), 2);
    EXPECT_EQ(Mensajes().value(0), kGuion);
    EXPECT_EQ(FormaAdvertencia(), nullptr);
    EXPECT_EQ(FormaBarras(), nullptr);

    // Cancelled parameters run nothing.
    ui::PuertaModal::LimpiaMensajes();
    ui::PuertaModal::Espera("TFormaFormatos", [](QDialog& d) { prueba::Pulsa(d, "BitBtn5"); });
    items[0]->trigger();
    EXPECT_EQ(Mensajes(), QStringList());
  });
}

TEST_F(CatalogoReportesTest, LaTablaTemporalEsDeUnaCorridaALaVez) {
  Reportes({"Saldos#" + kSelectSaldos + "#%Clave"});
  EscribeLineas(kGuion, {"antes"});
  prueba::ProcesoHijo otra("RetieneTablaTemporal");
  ASSERT_EQ(otra.EsperaLinea(), "RETENIDA");
  Navega("cliente.dbf", [](TFormaCatalogo& c) {
    ui::PuertaModal::Espera("TFormaFormatos", [](QDialog& d) { prueba::Pulsa(d, "BitBtn4"); });
    c.Reportes1->actions().value(0)->trigger();
  });
  EXPECT_EQ(Mensajes(), QStringList{"La tabla c:\\VRL\\tempo.dbf está ocupada por otra estación"});
  EXPECT_EQ(fs::LeeLineas(kGuion), QStringList{"antes"});  // nothing ran
  EXPECT_EQ(FormaAdvertencia(), nullptr);
  otra.Envia("listo");
  EXPECT_EQ(otra.Espera(), 0);
}
