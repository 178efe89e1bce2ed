// The SQL report writer as a user works it: writing a statement from the
// field list, running it, column kinds, sums, export, saved statements,
// printing in strips and a write held up by another station.

#include "foundation/ArchivosPrograma.h"
#include "platform/db/Consulta.h"
#include "platform/fs/Texto.h"
#include "platform/ui/DialogoArchivo.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/RejillaDatos.h"
#include "platform/ui/RejillaTexto.h"
#include "reports/DialogosImpresora.h"
#include "reports/ImpresionFranjas.h"
#include "reports/OperacionesRejilla.h"
#include "reports/ReporteadorSQL.h"
#include "reports/Tipos.h"
#include "reports/reportes_prueba.h"
#include "support/LanzadorGrabador.h"
#include "support/LibroPrueba.h"
#include "support/Maneja.h"
#include "support/Proceso.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <functional>
#include <map>
#include <set>

namespace {

const QString kClientes = QStringLiteral("C:\\DATOS\\cliente.dbf");

QString Clave(int i) { return QStringLiteral("%1").arg(i, 4, 10, QChar(u'0')); }

// cliente.dbf as the company keeps it, with rows of key, name, balance and
// zone.
struct Cliente {
  QString clave, nombre;
  double saldo;
  QString zona;
};

void EscribeClientesSQL(const std::vector<Cliente>& clientes) {
  const db::DefTabla& def = CatalogoVorlan().Tabla(db::CarpetaTabla::Datos, "CLIENTE.DBF");
  db::Tabla::Crea(kDatosReporte, QStringLiteral("cliente.dbf"), def.campos, def.tags);
  db::Tabla t;
  t.SetCarpeta(kDatosReporte);
  t.SetNombreTabla(QStringLiteral("cliente.dbf"));
  t.Open();
  for (const Cliente& c : clientes) {
    t.Append();
    t.FieldByName("CLCLI_C").SetAsString(c.clave);
    t.FieldByName("NOMBR_C").SetAsString(c.nombre);
    t.FieldByName("SALDO_C").SetAsFloat(c.saldo);
    t.FieldByName("ZONAX_C").SetAsString(c.zona);
    t.Post();
  }
}

// n customers 0001, 0002 ... named "CLIENTE <i>", balance i × 10.5.
void ClientesNumerados(int n) {
  std::vector<Cliente> clientes;
  for (int i = 1; i <= n; ++i) clientes.push_back({Clave(i), QStringLiteral("CLIENTE %1").arg(i), i * 10.5, "NORTE"});
  EscribeClientesSQL(clientes);
}

QStringList Lineas(const QPlainTextEdit* memo) { return memo->toPlainText().split(u'\n'); }

class ReporteadorTest : public ReportePrueba {
 protected:
  void SetUp() override {
    ReportePrueba::SetUp();
    InstalaArchivosPrograma();
    ConHojaCalculo();
  }

  // The window shown as the main menu shows it; `usuario` works in it and
  // the window closes after.
  static void AbreReporteador(const std::function<void(TFormaSQL&)>& usuario) {
    TFormaSQL forma;
    ui::PuertaModal::Espera("TFormaSQL", [&](QDialog&) {
      usuario(forma);
      forma.Close();
    });
    forma.ShowModal();
  }

  // Types the statement and presses "Ejecutar".
  static void Ejecuta(TFormaSQL& f, const QString& sql) {
    f.Codigo->setPlainText(sql);
    prueba::Pulsa(f, "BitBtn1");
  }

  // A double click on the row of the field in the field list.
  static void EligeCampo(TFormaSQL& f, const QString& campo) {
    ui::RejillaTexto& rejilla = *f.TablaFiltros;
    for (int fila = 1; fila < rejilla.RowCount(); ++fila) {
      if (rejilla.Cells(0, fila) != campo) continue;
      rejilla.setCurrentCell(fila - 1, 1);
      prueba::DobleClic(rejilla.viewport(), rejilla.visualItemRect(rejilla.item(fila - 1, 1)).center());
      return;
    }
    ADD_FAILURE() << "sin el campo " << campo.toStdString();
  }

  // The grid's row as shown.
  static QStringList Renglon(TFormaSQL& f, int fila) {
    QStringList textos;
    for (int c = 0; c < f.DBGrid1->Columnas(); ++c) textos << f.DBGrid1->model()->index(fila, c).data().toString();
    return textos;
  }

  // Prints the result through the print dialog, every page or pages desde
  // to hasta; the pages the dialog offered.
  static int Imprime(TFormaSQL& f, int desde = 0, int hasta = 0) {
    int ofrecidas = -1;
    ui::PuertaModal::Espera("Imprimir", [&, desde, hasta](QDialog& d) {
      auto& dialogo = static_cast<DialogoImpresion&>(d);
      ofrecidas = dialogo.MaxPage;
      if (desde > 0) {
        dialogo.Paginas->setChecked(true);
        dialogo.Desde->setValue(desde);
        dialogo.Hasta->setValue(hasta);
      }
      prueba::Pulsa(d, "Aceptar");
    });
    prueba::Pulsa(f, "BotonImprimir");
    return ofrecidas;
  }

  // The texts printed on each sheet, in order.
  static std::map<int, QStringList> Hojas() {
    std::map<int, QStringList> hojas;
    for (const TextoImpreso& t : Impresos()) hojas[t.pagina] << t.texto;
    return hojas;
  }
};

}  // namespace

TEST(TraduccionSQL, PalabrasEnEspanolFueraDeLasComillas) {
  struct Caso {
    const char* escrito;
    const char* traducido;
  };
  const Caso casos[] = {
      {"selecciona CLCLI_C,NOMBR_C desde \"C:\\DATOS\\cliente.dbf\" cuando SALDO_C > 0 y ZONAX_C = \"NORTE\" "
       "ordenar por NOMBR_C",
       "SELECT CLCLI_C,NOMBR_C FROM \"C:\\DATOS\\cliente.dbf\" WHERE SALDO_C > 0 AND ZONAX_C = \"NORTE\" "
       "ORDER BY NOMBR_C "},
      {"VALORES", "VALUES "},
      {"VALUES", "VALUES "},
      {"Suma (IMTOD_F),suma(IMTOD_F)", "SUM (IMTOD_F),suma(IMTOD_F) "},
      {"cuando NOMBR_C = \"JUAN Y MARIA\" o ZONAX_C en (\"EN\",'NO')",
       "WHERE NOMBR_C = \"JUAN Y MARIA\" OR ZONAX_C IN (\"EN\",'NO') "},
      {"desde \"C:\\EMPRESA Y SUCURSAL\\EN\\cliente.dbf\" como A", "FROM \"C:\\EMPRESA Y SUCURSAL\\EN\\cliente.dbf\" AS A "},
      {"actualiza \"C:\\D\\x.dbf\" campos A=\"SI Y NO\",B = 1", "UPDATE \"C:\\D\\x.dbf\" SET A=\"SI Y NO\",B = 1 "},
      {"inserta dentro T (A,B) valores (1, nulo )", "INSERT INTO T (A,B) VALUES (1, NULL ) "},
      {"valores (1, nulo)", "VALUES (1, nulo) "},
      {"crear tabla T (A CHAR(3), llave primario(A))", "CREATE TABLE T (A CHAR(3), KEY primario(A)) "},
      {"", " "},
      {"a  ,,b", "a  ,,b "},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(TraduceLineasSQL({QString::fromUtf8(c.escrito)}), QStringList{QString::fromUtf8(c.traducido)});
  }
  // A text runs on over a line break; each line keeps its own blank.
  EXPECT_EQ(TraduceLineasSQL({"cuando A = \"UNO Y", "DOS\" y B = 1"}),
            (QStringList{"WHERE A = \"UNO Y ", "DOS\" AND B = 1 "}));
}

TEST_F(ReporteadorTest, NuevoYDobleClicEscribenLaConsultaYEjecutarLaTitula) {
  EscribeClientesSQL({{"10", "ANA", 150.5, "NORTE"}, {"20", "BETO", 0, "SUR"}, {"30", "CARLA", 80, "NORTE"}});
  AbreReporteador([](TFormaSQL& f) {
    f.NombreTabla->setCurrentIndex(0);  // "Clientes"
    EXPECT_EQ(f.TablaFiltros->Cells(0, 1), "CLCLI_C");
    EXPECT_EQ(f.TablaFiltros->Cells(1, 1), "Clave del Cliente");
    EXPECT_EQ(f.TablaFiltros->Cells(4, 1), "ftString");
    EXPECT_EQ(f.TablaFiltros->Cells(0, f.TablaFiltros->RowCount() - 1), "");

    prueba::Pulsa(f, "BitBtn2");
    EXPECT_EQ(Lineas(f.Codigo), (QStringList{"Select", "", "", "", "From \"" + kClientes + "\""}));
    for (const QString campo : {"CLCLI_C", "NOMBR_C", "SALDO_C"}) EligeCampo(f, campo);
    EXPECT_EQ(Lineas(f.Codigo),
              (QStringList{"Select", "", "", "CLCLI_C,", "NOMBR_C,", "SALDO_C", "", "From \"" + kClientes + "\""}));

    prueba::Pulsa(f, "BitBtn1");
    EXPECT_EQ(TitulosVisibles(*f.DBGrid1), (QStringList{"Clave del Cliente", "Nombre del Cliente", "Saldo"}));
    EXPECT_EQ(f.Query1->RecordCount(), 3);
    EXPECT_EQ(Renglon(f, 0), (QStringList{"10", "ANA", "150.5"}));

    // Spanish keywords and an order.
    Ejecuta(f, "selecciona NOMBR_C desde \"" + kClientes + "\"\ncuando ZONAX_C = \"NORTE\" y SALDO_C > 0\n"
               "ordenar por NOMBR_C DESC");
    EXPECT_EQ(f.Query1->RecordCount(), 2);
    EXPECT_EQ(Renglon(f, 0), QStringList{"CARLA"});
    EXPECT_TRUE(Mensajes().isEmpty());

    // A misspelt field: the engine's word, and nothing in the grid.
    Ejecuta(f, "Select NOMBRX_C From \"" + kClientes + "\"");
    ASSERT_EQ(Mensajes().size(), 1);
    EXPECT_TRUE(Mensajes()[0].contains("NOMBRX_C")) << Mensajes()[0].toStdString();
    EXPECT_FALSE(f.Query1->Active());
    EXPECT_EQ(f.DBGrid1->Columnas(), 0);
  });
}

TEST_F(ReporteadorTest, LosTitulosSonLosDeLosCamposDeCadaConsultaYLosErroresSeDicenEnEspanol) {
  EscribeClientesSQL({{"10", "ANA", 150.5, "NORTE"}});
  AbreReporteador([](TFormaSQL& f) {
    f.NombreTabla->setCurrentIndex(0);  // "Clientes"
    prueba::Pulsa(f, "BitBtn2");
    for (const QString campo : {"CLCLI_C", "NOMBR_C"}) EligeCampo(f, campo);
    prueba::Pulsa(f, "BitBtn1");
    EXPECT_EQ(TitulosVisibles(*f.DBGrid1), (QStringList{"Clave del Cliente", "Nombre del Cliente"}));

    // Statements typed after the picks: each column by its own field, the
    // picked description only where the field is the one picked.
    struct Caso {
      QString sql;
      QStringList titulos;
    };
    for (const Caso& c : {Caso{"selecciona NOMBR_C, SALDO_C desde \"" + kClientes + "\"", {"Nombre del Cliente", "SALDO_C"}},
                          Caso{"Select ZONAX_C, clcli_c From \"" + kClientes + "\"", {"ZONAX_C", "Clave del Cliente"}},
                          Caso{"Select SUM(SALDO_C) AS TOTAL From \"" + kClientes + "\"", {"TOTAL"}}}) {
      SCOPED_TRACE(c.sql.toStdString());
      Ejecuta(f, c.sql);
      EXPECT_EQ(TitulosVisibles(*f.DBGrid1), c.titulos);
    }
    EXPECT_TRUE(Mensajes().isEmpty());

    // A table named without its folder, a misspelt field, a broken
    // statement: a Spanish message naming what is wrong, an empty grid.
    struct Falla {
      QString sql, dice;
    };
    for (const Falla& c : {Falla{"Select NOMBR_C From cliente", "no existe la tabla cliente"},
                           Falla{"selecciona NOMBR_C desde clientes cuando SALDO_C > 0", "no existe la tabla clientes"},
                           Falla{"Select NOMBRX_C From \"" + kClientes + "\"", "no existe el campo NOMBRX_C"},
                           Falla{"Select NOMBR_C Frm \"" + kClientes + "\"", "error de sintaxis cerca de"}}) {
      SCOPED_TRACE(c.sql.toStdString());
      ui::PuertaModal::LimpiaMensajes();
      Ejecuta(f, c.sql);
      ASSERT_EQ(Mensajes().size(), 1);
      EXPECT_TRUE(Mensajes()[0].contains(c.dice)) << Mensajes()[0].toStdString();
      EXPECT_FALSE(Mensajes()[0].contains("no such")) << Mensajes()[0].toStdString();
      EXPECT_FALSE(f.Query1->Active());
      EXPECT_EQ(f.DBGrid1->Columnas(), 0);
    }
  });
}

TEST_F(ReporteadorTest, TiposDeColumnaSumaYExportacion) {
  EscribeClientesSQL({{"10", "ANA", 150.5, "NORTE"}, {"20", "BETO", 0.25, "SUR"}});
  prueba::LanzadorGrabador lanzador;
  AbreReporteador([&](TFormaSQL& f) {
    Ejecuta(f, "Select CLCLI_C,NOMBR_C,SALDO_C,ZONAX_C From \"" + kClientes + "\"");
    ASSERT_EQ(f.DBGrid1->Columnas(), 4);
    const auto tipo = [&](int columna, const char* boton, int tag = 1) {
      ui::PuertaModal::Espera("TFormaTipos", [=](QDialog& d) {
        if (boton) prueba::Pulsa(d, boton);
        prueba::Pulsa(d, tag == 1 ? "BitBtn1" : "BitBtn2");
      });
      emit f.DBGrid1->horizontalHeader()->sectionClicked(columna);
    };
    const auto fondo = [&](int columna) {
      return f.DBGrid1->model()->headerData(columna, Qt::Horizontal, Qt::ForegroundRole).value<QColor>();
    };
    tipo(2, "Moneda");
    EXPECT_EQ(fondo(2), kColorMoneda);
    EXPECT_EQ(f.TiposColumnaSQL[2], u'm');
    tipo(0, "Cadena");
    EXPECT_EQ(fondo(0), kColorCadena);
    tipo(1, "Numero", 0);  // cancelled: nothing changes
    EXPECT_FALSE(fondo(1).isValid());
    EXPECT_EQ(f.TiposColumnaSQL[1], u' ');
    tipo(3, "NoVisible");
    EXPECT_FALSE(f.DBGrid1->Columna(3).visible);
    EXPECT_EQ(TitulosVisibles(*f.DBGrid1), (QStringList{"CLCLI_C", "NOMBR_C", "SALDO_C"}));

    f.DBGrid1->SetSelectedIndex(2);
    f.Sumar1->trigger();
    f.DBGrid1->SetSelectedIndex(1);
    f.Sumar1->trigger();
    EXPECT_EQ(Mensajes(), (QStringList{"La Suma es : 150.75", "No es Posible Relizar la operación en esta columna"}));

    // The hidden column is not exported. A name ending in ".xls" makes a
    // workbook; any other name, one without an extension too, the text.
    for (const char* nombre : {"C:\\EXPORTA\\saldos", "C:\\EXPORTA\\saldos.xls"}) {
      ui::PuertaModal::Espera("DialogoGuarda", [nombre](QDialog& d) { prueba::EligeArchivo(d, nombre); });
      prueba::Pulsa(f, "BitBtn4");
    }

    // Ejecutar gives every column back its title, colour and place.
    prueba::Pulsa(f, "BitBtn1");
    EXPECT_EQ(f.DBGrid1->Columnas(), 4);
    EXPECT_TRUE(f.DBGrid1->Columna(3).visible);
    EXPECT_FALSE(fondo(2).isValid());
    EXPECT_EQ(f.TiposColumnaSQL[2], u' ');
  });
  const LibroLeido libro = LeeLibro("C:\\EXPORTA\\saldos.xlsx");
  EXPECT_EQ(libro.error, "");
  EXPECT_EQ(libro.filas, (std::vector<QStringList>{{"CLCLI_C", "NOMBR_C", "SALDO_C"},
                                                   {"10", "ANA", "=150.5 [0.0]"},
                                                   {"20", "BETO", "=0.25 [0.00]"}}));
  EXPECT_EQ(fs::LeeLineas("C:\\EXPORTA\\saldos"),
            (QStringList{"CLCLI_C\tNOMBR_C\tSALDO_C\t", "10\tANA\t150.5\t", "20\tBETO\t0.25\t"}));
  ASSERT_EQ(lanzador.iniciados.size(), 2);
  EXPECT_EQ(lanzador.iniciados[0], (proc::Orden{"hojacalc", {"--abre", fs::Local("C:\\EXPORTA\\saldos")}, {}}));
  EXPECT_EQ(lanzador.iniciados[1], (proc::Orden{"hojacalc", {"--abre", fs::Local("C:\\EXPORTA\\saldos.xlsx")}, {}}));
}

TEST_F(ReporteadorTest, GuardaYCargaConsultasDeLaCarpetaReport) {
  EscribeLineas("C:\\VRL\\report\\b saldos.sql", {"Select SALDO_C", "From \"C:\\DATOS\\cliente.dbf\""});
  EscribeLineas("C:\\VRL\\report\\vista.vis", {"no es una consulta"});
  AbreReporteador([](TFormaSQL& f) {
    f.PantallaCompleta1->trigger();
    EXPECT_TRUE(f.Panel2->isHidden());
    f.PantallaCompleta1->trigger();
    EXPECT_FALSE(f.Panel2->isHidden());
    ASSERT_EQ(f.Archivo->count(), 1);
    EXPECT_EQ(f.Archivo->itemText(0), "b saldos.sql");

    f.Codigo->setPlainText(QString::fromUtf8("Select NOMBR_C\nFrom \"C:\\DATOS\\cliente.dbf\"\ncuando NOMBR_C = \"PEÑA\""));
    ui::PuertaModal::Espera("DialogoGuarda", [](QDialog& d) {
      auto& dialogo = static_cast<ui::DialogoArchivo&>(d);
      EXPECT_EQ(fs::FormaWindows(dialogo.directory().absolutePath()).toLower(), QString("c:\\vrl\\report"));
      prueba::EligeArchivo(d, "C:\\VRL\\report\\a nombres.sql");
    });
    prueba::Pulsa(f, "BitBtn5");
    EXPECT_EQ(f.Archivo->count(), 2);

    // Choosing a saved one loads it; choosing the other brings it back.
    f.Archivo->setCurrentIndex(f.Archivo->findText("b saldos.sql"));
    emit f.Archivo->activated(f.Archivo->currentIndex());
    EXPECT_EQ(Lineas(f.Codigo), (QStringList{"Select SALDO_C", "From \"C:\\DATOS\\cliente.dbf\""}));
    f.Archivo->setCurrentIndex(f.Archivo->findText("a nombres.sql"));
    emit f.Archivo->activated(f.Archivo->currentIndex());
    EXPECT_EQ(Lineas(f.Codigo).last(), QString::fromUtf8("cuando NOMBR_C = \"PEÑA\""));
  });
  EXPECT_EQ(fs::LeeBytes("C:\\VRL\\report\\a nombres.sql"),
            QByteArray("Select NOMBR_C\r\nFrom \"C:\\DATOS\\cliente.dbf\"\r\ncuando NOMBR_C = \"PE\xD1" "A\"\r\n"));
}

TEST_F(ReporteadorTest, PaginasDeCuarentaYNueveRegistrosBajoSusTitulos) {
  ClientesNumerados(148);
  AbreReporteador([](TFormaSQL& f) {
    Ejecuta(f, "Select CLCLI_C From \"" + kClientes + "\" Where CLCLI_C <= \"0120\" Order by CLCLI_C");
    EXPECT_EQ(Imprime(f), 3);
    std::map<int, QStringList> hojas = Hojas();
    ASSERT_EQ(hojas.size(), 3u);
    for (const auto& [pagina, primero, cuantos] : {std::tuple{1, 1, 49}, {2, 50, 49}, {3, 99, 22}}) {
      SCOPED_TRACE(pagina);
      QStringList esperado{"CLCLI_C"};
      for (int i = primero; i < primero + cuantos; ++i) esperado << Clave(i);
      EXPECT_EQ(hojas[pagina], esperado);
    }

    // 148 rows: four pages, every record printed.
    print::BorraOperacionesGrabadas();
    Ejecuta(f, "Select CLCLI_C From \"" + kClientes + "\" Order by CLCLI_C");
    // The grid moves 50 rows at a time.
    EXPECT_FALSE(f.BotonAnterior->isEnabled());
    for (int i = 0; i < 3; ++i) prueba::Pulsa(f, "BotonSiguiente");
    EXPECT_EQ(f.Query1->RecNo(), 148);
    EXPECT_FALSE(f.BotonSiguiente->isEnabled());
    prueba::Pulsa(f, "BotonAnterior");
    EXPECT_EQ(f.Query1->RecNo(), 98);
    EXPECT_TRUE(f.BotonSiguiente->isEnabled());
    EXPECT_EQ(Imprime(f), 4);
    std::set<QString> impresos;
    for (const TextoImpreso& t : Impresos())
      if (t.texto != "CLCLI_C") impresos.insert(t.texto);
    EXPECT_EQ(impresos.size(), 148u);

    // Pages 2 and 3 start at record 50.
    print::BorraOperacionesGrabadas();
    Imprime(f, 2, 3);
    hojas = Hojas();
    ASSERT_EQ(hojas.size(), 2u);
    EXPECT_EQ(hojas[1].value(1), "0050");
    EXPECT_EQ(hojas[2].value(1), "0099");
    EXPECT_EQ(hojas[2].last(), "0147");

    // Landscape pages hold 37.
    print::BorraOperacionesGrabadas();
    print::Impresora::Global().FijaOrientacion(print::Orientacion::Horizontal);
    EXPECT_EQ(Imprime(f), 4);
    hojas = Hojas();
    ASSERT_EQ(hojas.size(), 4u);
    EXPECT_EQ(hojas[2].size(), 38);
    EXPECT_EQ(hojas[2].value(1), Clave(38));
    EXPECT_EQ(hojas[4].size(), 1 + 148 - 3 * 37);

    // A statement without rows has nothing to print.
    print::BorraOperacionesGrabadas();
    Ejecuta(f, "Select CLCLI_C From \"" + kClientes + "\" Where CLCLI_C = \"X\"");
    prueba::Pulsa(f, "BotonImprimir");
    EXPECT_TRUE(print::OperacionesGrabadas().empty());
    EXPECT_EQ(Mensajes(), QStringList{"No hay datos que imprimir"});
  });
}

TEST_F(ReporteadorTest, ImpresoEnPdf) {
  const QString pdf = raiz() + "/reporte.pdf";
  print::FijaImpresorasPrueba({{"pdf", "Imprimir a PDF", print::TipoImpresora::Pdf, pdf, 300}}, 0);
  print::Impresora::Global().Restablece();
  ClientesNumerados(120);
  AbreReporteador([](TFormaSQL& f) {
    Ejecuta(f, "Select CLCLI_C,NOMBR_C From \"" + kClientes + "\" Order by CLCLI_C");
    EXPECT_EQ(Imprime(f), 3);
  });
  QProcess info;
  info.start("pdfinfo", {pdf});
  ASSERT_TRUE(info.waitForFinished());
  EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+3\\n")));
  QProcess texto;
  texto.start("pdftotext", {"-f", "3", "-l", "3", "-layout", pdf, "-"});
  ASSERT_TRUE(texto.waitForFinished());
  const QString pagina3 = QString::fromUtf8(texto.readAllStandardOutput());
  EXPECT_TRUE(pagina3.contains("CLCLI_C"));
  EXPECT_TRUE(pagina3.contains("0099"));
  EXPECT_TRUE(pagina3.contains("CLIENTE 120"));
  EXPECT_FALSE(pagina3.contains("0098"));
}

TEST_F(ReporteadorTest, FranjasDeColumnasYCeldasPorTipo) {
  db::Tabla::Crea(kDatosReporte, "anchos.dbf",
                  {{"UNO", u'C', 60}, {"DOS", u'C', 60}, {"TRES", u'C', 30}, {"MONTO", u'N', 12, 2}});
  {
    db::Tabla t;
    t.SetCarpeta(kDatosReporte);
    t.SetNombreTabla("anchos.dbf");
    t.Open();
    for (int i = 1; i <= 60; ++i) {
      t.Append();
      t.FieldByName("UNO").SetAsString("U" + Clave(i));
      t.FieldByName("DOS").SetAsString("D" + Clave(i));
      t.FieldByName("TRES").SetAsString("T" + Clave(i));
      t.FieldByName("MONTO").SetAsFloat(1234.5 * i);
      t.Post();
    }
  }
  AbreReporteador([](TFormaSQL& f) {
    Ejecuta(f, "Select UNO,DOS,TRES From \"C:\\DATOS\\anchos.dbf\"");
    EXPECT_EQ(Imprime(f), 2);
    // The first strip holds UNO; DOS opens the second, marked in the grid.
    std::map<int, QStringList> hojas = Hojas();
    ASSERT_EQ(hojas.size(), 4u);
    EXPECT_EQ(hojas[1].mid(0, 2), (QStringList{"UNO", "U0001"}));
    EXPECT_EQ(hojas[2].size(), 1 + 11);
    EXPECT_EQ(hojas[3].mid(0, 4), (QStringList{"DOS >", "TRES", "D0001", "T0001"}));
    EXPECT_EQ(hojas[4].last(), "T0060");
    EXPECT_EQ(f.DBGrid1->Columna(1).titulo, "DOS >");
    EXPECT_EQ(f.DBGrid1->Columna(1).colorTexto, QColor(255, 0, 0));
    // Cell borders in white, black with "Celdas" checked.
    const auto plumas = [] {
      std::set<QRgb> colores;
      for (const print::Operacion& op : print::OperacionesGrabadas())
        if (op.tipo == print::Operacion::Tipo::Rectangulo) colores.insert(op.pluma.color.rgb());
      return colores;
    };
    EXPECT_EQ(plumas(), std::set<QRgb>{QColor(Qt::white).rgb()});
    // A second printing marks the column once.
    f.Celdas1->trigger();
    print::BorraOperacionesGrabadas();
    Imprime(f, 2, 2);
    EXPECT_EQ(Hojas()[2].first(), "DOS >");
    EXPECT_EQ(plumas(), std::set<QRgb>{QColor(Qt::black).rgb()});

    // A float column printed by its kind, right-aligned in its width.
    Ejecuta(f, "Select MONTO From \"C:\\DATOS\\anchos.dbf\" Where UNO = \"U0001\"");
    const auto kind = [&](const char* boton) {
      ui::PuertaModal::Espera("TFormaTipos", [=](QDialog& d) {
        if (boton) prueba::Pulsa(d, boton);
        prueba::Pulsa(d, "BitBtn1");
      });
      emit f.DBGrid1->horizontalHeader()->sectionClicked(0);
    };
    const EscalaFranjas m = EscalaFranjas::De(print::Impresora::Global());
    for (const auto& [boton, impreso] : {std::pair{"Moneda", "1,234.50"}, {"Numero", "1,235"}, {"Cadena", "1234.5"},
                                         {static_cast<const char*>(nullptr), "1,234.50"}}) {
      SCOPED_TRACE(impreso);
      kind(boton);
      print::BorraOperacionesGrabadas();
      Imprime(f);
      const std::vector<TextoImpreso> textos = Impresos();
      ASSERT_EQ(textos.size(), 2u);
      EXPECT_EQ(textos[1].texto, impreso);
      EXPECT_EQ(textos[1].x + print::Impresora::Global().lienzo().AnchoTexto(impreso), 12 * m.unidad - 10);
      EXPECT_EQ(textos[1].y, 2 * m.alto - 50);
      EXPECT_EQ(textos[0].x, 5);
    }
  });
  EXPECT_TRUE(Mensajes().isEmpty());
}

// Another station editing a customer: holds the row's lock until told.
RUTINA_HIJA(EditaClienteSQL) {
  db::Tabla t;
  t.SetCarpeta(kDatosReporte);
  t.SetNombreTabla("cliente.dbf");
  t.Open();
  t.Locate("CLCLI_C", {argumentos.value(0)});
  t.Edit();
  t.FieldByName("NOMBR_C").SetAsString("EN CAPTURA");
  prueba::AvisaPadre("EDITANDO");
  prueba::EsperaPadre();
  t.Cancel();
  return 0;
}

TEST_F(ReporteadorTest, UnaActualizacionSobreUnRenglonEnEdicionMuestraElBloqueo) {
  EscribeClientesSQL({{"10", "ANA", 150.5, "NORTE"}});
  prueba::ProcesoHijo otra("EditaClienteSQL", {"10"});
  ASSERT_EQ(otra.EsperaLinea(), "EDITANDO");
  AbreReporteador([](TFormaSQL& f) {
    Ejecuta(f, "actualiza \"" + kClientes + "\" campos SALDO_C = 0 cuando CLCLI_C = \"10\"");
    ASSERT_EQ(Mensajes().size(), 1);
    EXPECT_TRUE(Mensajes()[0].contains("bloqueado por otro usuario")) << Mensajes()[0].toStdString();
    EXPECT_EQ(f.DBGrid1->Columnas(), 0);
  });
  otra.Envia("SIGUE");
  EXPECT_EQ(otra.Espera(), 0);
  db::Consulta q;
  q.SetSQL("Select NOMBR_C,SALDO_C From \"" + kClientes + "\"");
  q.Open();
  EXPECT_EQ(q.Fields(0).AsString(), "ANA");
  EXPECT_EQ(q.Fields(1).AsFloat(), 150.5);

  // With the row free the same statement writes, and leaves the grid empty.
  ui::PuertaModal::LimpiaMensajes();
  AbreReporteador([](TFormaSQL& f) {
    Ejecuta(f, "actualiza \"" + kClientes + "\" campos SALDO_C = 0 cuando CLCLI_C = \"10\"");
    EXPECT_TRUE(Mensajes().isEmpty());
    EXPECT_EQ(f.DBGrid1->Columnas(), 0);
  });
  q.Refresh();
  EXPECT_EQ(q.Fields(1).AsFloat(), 0);
}
