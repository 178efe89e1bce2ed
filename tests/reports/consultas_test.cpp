#include "reports/Vistas.h"
#include "reports/consultas_prueba.h"
#include "support/LanzadorGrabador.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

// A view of customers and their invoices, joined by the customer's key.
QStringList VistaFacturas(const QString& orden = QStringLiteral("NOMBR_C,"), const QString& union_ = "CLCLI_C=CLCLI_F ") {
  return {"A.CLCLI_C,A.NOMBR_C,D.CLDOC_F,D.IMTOD_F",
          "\\cliente.dbf\" as A,\\facturae.dbf\" as D ",
          "Cliente,Nombre,Documento,Importe ",
          "C,C,C,C ",
          "0,0,0,0,",
          orden,
          "N,N,N,N,",
          "N,N,N,N,",
          union_,
          "Ventas por Cliente"};
}

class ConsultasTest : public ConsultaPrueba {
 protected:
  void SetUp() override {
    ConsultaPrueba::SetUp();
    EscribeClientesConsulta({{"15", "ZOILA", "10", "1", "05/03/2024"},
                             {"16", "ANA", "20", "2", "06/03/2024"},
                             {"17", "O\"NEIL", "30", "3", "07/03/2024"},
                             {"18", "AT&T", "40", "4", "08/03/2024"}});
    EscribeFacturas({{"1", "15", "100.5", "05/03/2024", "05/03/2024"},
                     {"2", "16", "200", "05/03/2024", "09/03/2024"},
                     {"3", "15", "300", "10/03/2024", "10/03/2024"}});
  }

  // The statement and the rows of a run, read while its report is shown.
  struct Corrida {
    QString sql;
    std::vector<QStringList> filas;
    QString titulo;
    QStringList lineas;
  };
  static void Lee(Corrida& c, TFormaNuevoReporte& r) {
    c.sql = FormaGraficas()->TablaConsultaSQL->SQL();
    c.filas = FilasDe(*FormaGraficas()->TablaConsultaSQL);
    c.titulo = r.windowTitle();
    c.lineas = LineasReporte(r);
  }
};

}  // namespace

TEST_F(ConsultasTest, VistaDeDosTablasConCondicionElegidaEnLaLista) {
  const QString vista = EscribeVista("facturas.vis", VistaFacturas());
  Corrida c;
  AbreConsulta(vista, [&](TFormaConsulta& consulta) {
    // The list offers the available fields only.
    ClicCelda(consulta, 1, 1);
    QStringList ofrecidos;
    for (int i = 0; i < consulta.ListaOpcion->count(); ++i) ofrecidos << consulta.ListaOpcion->item(i)->text();
    EXPECT_EQ(ofrecidos, (QStringList{"Cliente", "Nombre", "Saldo", "Visitas", "Alta"}));
    ClicCelda(consulta, 2, 1);
    EXPECT_EQ(consulta.ListaOpcion->count(), 6);

    Condicion(consulta, 1, "Cliente", "=", "15");
    EsperaReporte([&](TFormaNuevoReporte& r) { Lee(c, r); });
    prueba::Pulsa(consulta, "Ejecutar");
    // The conditions are emptied after the run.
    EXPECT_EQ(consulta.Condiciones->Cells(1, 1), "");
    EXPECT_EQ(consulta.Condiciones->Cells(3, 1), "");
    EXPECT_TRUE(consulta.ListaCondiciones[1].Campo.isEmpty());
    EXPECT_EQ(consulta.TipoVista, vista);
  });
  EXPECT_EQ(c.sql,
            "Select A.CLCLI_C,A.NOMBR_C,D.CLDOC_F,D.IMTOD_F From  \"C:\\DATOS\\cliente.dbf\" as A,"
            "\"C:\\DATOS\\facturae.dbf\" as D   Where CLCLI_C = \"15\" and CLCLI_C=CLCLI_F  Order by NOMBR_C  ");
  EXPECT_EQ(c.filas, (std::vector<QStringList>{{"15", "ZOILA", "1", "100.5"}, {"15", "ZOILA", "3", "300"}}));
  EXPECT_EQ(c.titulo, "Ventas por Cliente");
  EXPECT_EQ(c.lineas.value(0), "Ventas por Cliente ");
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();

  // Without line 6 the order is the first item of line 1.
  EscribeVista("facturas.vis", VistaFacturas(QString()));
  CorreVista(vista, [&](TFormaNuevoReporte& r) { Lee(c, r); });
  EXPECT_TRUE(c.sql.endsWith(" Order by A.CLCLI_C")) << c.sql.toStdString();
  EXPECT_EQ(c.filas.size(), 3u);
  EXPECT_EQ(c.filas.front().value(0), "15");
}

TEST_F(ConsultasTest, ValoresTecleadosYFechasDeLaVista) {
  struct Caso {
    const char* campo;
    const char* valor;
    const char* enSentencia;
    QStringList claves;
  };
  const Caso casos[] = {
      {"Alta", "5/3/2024", "ALTA_C = \"3/5/2024\"", {"15"}},
      {"Alta", "05/03/2024", "ALTA_C = \"3/5/2024\"", {"15"}},
      {"Nombre", "O\"NEIL", "NOMBR_C = \"O\"\"NEIL\"", {"17"}},
      // A "&" or "$" typed is the user's text, never a date.
      {"Nombre", "AT&T", "NOMBR_C = \"AT&T\"", {"18"}},
      {"Nombre", "A$B", "NOMBR_C = \"A$B\"", {}},
      // Not a calendar date: compared as typed.
      {"Nombre", "1/2/abcd", "NOMBR_C = \"1/2/abcd\"", {}},
  };
  const QString vista = EscribeVista("clientes.vis", {"A.CLCLI_C", "\\cliente.dbf\" as A ", "Cliente ", "C ", "0,",
                                                      "CLCLI_C,", "N,", "N,", "", "Clientes"});
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.valor);
    Corrida c;
    AbreConsulta(vista, [&](TFormaConsulta& consulta) {
      Condicion(consulta, 1, caso.campo, "=", caso.valor);
      EsperaReporte([&](TFormaNuevoReporte& r) { Lee(c, r); });
      prueba::Pulsa(consulta, "Ejecutar");
    });
    EXPECT_TRUE(c.sql.contains(QString::fromUtf8(caso.enSentencia))) << c.sql.toStdString();
    QStringList claves;
    for (const QStringList& f : c.filas) claves << f.value(0);
    EXPECT_EQ(claves, caso.claves);
  }
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();

  // "&" and "$" in the view's own lines are the start and end dates.
  EscribeVista("clientes.vis", {"A.CLCLI_C", "\\cliente.dbf\" as A ", "Cliente ", "C ", "0,", "CLCLI_C,", "N,", "N,",
                                "ALTA_C>=& and ALTA_C<=$", "Clientes"});
  Corrida c;
  AbreConsulta(vista, [&](TFormaConsulta& consulta) {
    consulta.Inicial->setDate(QDate(2024, 3, 6));
    consulta.Final->setDate(QDate(2024, 3, 7));
    EsperaReporte([&](TFormaNuevoReporte& r) { Lee(c, r); });
    prueba::Pulsa(consulta, "Ejecutar");
  });
  EXPECT_TRUE(c.sql.contains("Where ALTA_C>= '3/6/2024'  and ALTA_C<= '3/7/2024' ")) << c.sql.toStdString();
  EXPECT_EQ(c.filas, (std::vector<QStringList>{{"16"}, {"17"}}));
}

TEST_F(ConsultasTest, RangoDeFechasDeUnaCorridaDirecta) {
  // A command runs a view at once on a runner it never shows.
  const QString vista = EscribeVista("ventas.vis", {"D.CLDOC_F", "\\facturae.dbf\" as D ", "Documento ", "C ", "0,",
                                                    "CLDOC_F,", "N,", "N,", "", "Ventas"});
  TFormaConsulta consulta;
  PreparaConsulta(QStringLiteral("facturae.dbf"), QStringLiteral("FEDOC_F,FEVEN_F"));
  EXPECT_FALSE(consulta.FechaReporte->isHidden());
  EXPECT_FALSE(consulta.UsarFecha->isChecked());
  EXPECT_EQ(consulta.FechaReporte->currentText(), "FEDOC_F");
  consulta.Archivo->setEditText(vista);
  consulta.UsarFecha->setChecked(true);
  consulta.Inicial->setDate(QDate(2024, 3, 5));
  consulta.Final->setDate(QDate(2024, 3, 9));
  Corrida c;
  EsperaReporte([&](TFormaNuevoReporte& r) { Lee(c, r); });
  consulta.EjecutarClick();
  EXPECT_EQ(c.sql, "Select D.CLDOC_F From  \"C:\\DATOS\\facturae.dbf\" as D   Where FEDOC_F>='3/5/2024' and "
                   "FEVEN_F<='3/9/2024' Order by CLDOC_F  ");
  EXPECT_EQ(c.filas, (std::vector<QStringList>{{"1"}, {"2"}}));
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(ConsultasTest, UnCampoComoValorComparaLosDosCampos) {
  EscribeClientesConsulta({{"15", "15", "1", "1", ""}, {"16", "X", "2", "2", ""}, {"17", "17", "3", "4", ""}});
  const QString vista = EscribeVista("clientes.vis", {"A.CLCLI_C", "\\cliente.dbf\" as A ", "Cliente ", "C ", "0,",
                                                      "CLCLI_C,", "N,", "N,", "", "Clientes"});
  Corrida c;
  AbreConsulta(vista, [&](TFormaConsulta& consulta) {
    EligeEnCondicion(consulta, 1, 1, "Cliente");
    EligeEnCondicion(consulta, 2, 1, "=");
    EligeEnCondicion(consulta, 3, 1, "Nombre");
    EXPECT_EQ(consulta.Condiciones->Cells(3, 1), "Nombre");
    // A date is no match for a number: the cell keeps what it had.
    EligeEnCondicion(consulta, 1, 2, "Saldo");
    EligeEnCondicion(consulta, 2, 2, "=");
    EligeEnCondicion(consulta, 3, 2, "Alta");
    EXPECT_EQ(consulta.Condiciones->Cells(3, 2), "");
    EligeEnCondicion(consulta, 3, 2, "Saldo");
    EligeEnCondicion(consulta, 1, 3, "Visitas");
    EligeEnCondicion(consulta, 2, 3, "<>");
    TecleaValor(consulta, 3, "4");
    EsperaReporte([&](TFormaNuevoReporte& r) { Lee(c, r); });
    prueba::Pulsa(consulta, "Ejecutar");
  });
  EXPECT_EQ(Mensajes(), QStringList{"No son compatibles los tipos"});
  EXPECT_TRUE(c.sql.contains("Where CLCLI_C = NOMBR_C and SALDO_C = SALDO_C and VISIT_C <> \"4\" ")) << c.sql.toStdString();
  EXPECT_EQ(c.filas, (std::vector<QStringList>{{"15"}}));
}

TEST_F(ConsultasTest, ValoresQueNoConvienenASuCampo) {
  struct Caso {
    const char* campo;
    const char* valor;
    bool erroneo;
  };
  const Caso casos[] = {
      {"Saldo", "12.5", false}, {"Saldo", "12a", true},        {"Visitas", "12", false},
      {"Visitas", "1.5", true}, {"Alta", "05/03/", false},     {"Alta", "05/03/2024x", true},
      {"Nombre", "x1/", false}, {"Saldo", "*cualquiera", false},
  };
  const QString vista = EscribeVista("clientes.vis", {"A.CLCLI_C", "\\cliente.dbf\" as A ", "Cliente ", "C ", "0,",
                                                      "", "N,", "N,", "", "Clientes"});
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.valor);
    ui::PuertaModal::LimpiaMensajes();
    AbreConsulta(vista, [&](TFormaConsulta& consulta) {
      EligeEnCondicion(consulta, 1, 1, caso.campo);
      TecleaValor(consulta, 1, caso.valor);
      // The value stays in the cell.
      consulta.Condiciones->CierraEditor();
      EXPECT_EQ(consulta.Condiciones->Cells(3, 1), caso.valor);
    });
    // The last key decides; each key checks what is typed so far.
    EXPECT_EQ(Mensajes().value(Mensajes().size() - 1) == "Valor Erroneo", caso.erroneo) << Mensajes().join(u'|').toStdString();
  }
}

TEST_F(ConsultasTest, VistasQueFaltanOQueFallan) {
  AbreConsulta(QStringLiteral("C:\\VRL\\report\\nohay.vis"), [](TFormaConsulta& consulta) {
    consulta.Descripcion->setPlainText("Descripción");
    prueba::Pulsa(consulta, "Ejecutar");
    EXPECT_EQ(consulta.Descripcion->toPlainText(), "Descripción");
  });
  EXPECT_EQ(Mensajes(), (QStringList{"El Archivo No Existe", "El Archivo De consulta No Existe..."}));

  ui::PuertaModal::LimpiaMensajes();
  const QString vista = EscribeVista("mala.vis", {"A.NOHAY_C", "\\cliente.dbf\" as A ", "X ", "C ", "0,", "", "N,",
                                                  "N,", "", "Mala"});
  AbreConsulta(vista, [](TFormaConsulta& consulta) {
    consulta.Descripcion->setPlainText("Descripción");
    Condicion(consulta, 1, "Cliente", "=", "15");
    prueba::Pulsa(consulta, "Ejecutar");
    EXPECT_TRUE(consulta.Descripcion->toPlainText().isEmpty());
    EXPECT_EQ(consulta.Condiciones->Cells(1, 1), "");
    EXPECT_TRUE(consulta.ListaCondiciones[1].Campo.isEmpty());
  });
  EXPECT_EQ(Mensajes(), QStringList{"Ocurrio un error revise sus condiciones y su archivo de consulta"});
}

TEST_F(ConsultasTest, F12BorraSoloVistas) {
  const QString vista = EscribeVista("borrame.vis", {"A.CLCLI_C"});
  const QString otro = kPrograma + QStringLiteral("\\Gener1.cnf");
  AbreConsulta(otro, [&](TFormaConsulta& consulta) {
    prueba::Tecla(consulta, "Archivo", Qt::Key_F12);
    consulta.Archivo->setEditText(vista);
    prueba::Tecla(consulta, "Archivo", Qt::Key_F12);
  });
  EXPECT_TRUE(fs::ExisteArchivo(otro));
  EXPECT_FALSE(fs::ExisteArchivo(vista));
  EXPECT_EQ(Mensajes(), QStringList{"Sólo se pueden borrar archivos de consulta (.vis)"});
}

TEST_F(ConsultasTest, EditarConsultaAbreLaVistaEnElEditor) {
  const QString vista = EscribeVista("editar.vis", {"A.CLCLI_C"});
  prueba::LanzadorGrabador lanzador;
  EscribeLineas(kPrograma + QStringLiteral("\\programas.map"), {"notepad.exe=editor-de-texto"});
  AbreConsulta(vista, [](TFormaConsulta& consulta) { prueba::Pulsa(consulta, "BitBtn1"); });
  ASSERT_EQ(lanzador.iniciados.size(), 1);
  EXPECT_EQ(lanzador.iniciados[0].programa, "editor-de-texto");
  EXPECT_EQ(lanzador.iniciados[0].argumentos, QStringList{fs::Local(vista)});

  // Without the editor the user is told.
  lanzador.faltantes << "editor-de-texto";
  AbreConsulta(vista, [](TFormaConsulta& consulta) { prueba::Pulsa(consulta, "BitBtn1"); });
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].startsWith("No se pudo abrir el editor de consultas")) << Mensajes()[0].toStdString();
}
