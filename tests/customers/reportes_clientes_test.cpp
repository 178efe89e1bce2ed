// The customer catalogue's reports and printing driven as a user drives
// them: the four summary reports through the parameters dialog, the engine
// and the viewer with its chart; the two listings through the report script
// runner; Consultas with the view list report\Clientes.for (and another
// station reading that list while it is cleaned); printing through the
// customer format on the recording printer.

#include "clientes_prueba.h"
#include "customers/Clientes.h"
#include "formats/PaginaPrevia.h"
#include "platform/fs/Texto.h"
#include "platform/print/Impresora.h"
#include "platform/print/Impresoras.h"
#include "platform/print/Registro.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/ControlesDatos.h"
#include "reports/ArchivosReporte.h"
#include "reports/Barras.h"
#include "reports/Consulta.h"
#include "reports/Formatos.h"
#include "reports/RepoSQL.h"
#include "reports/Vistas.h"
#include "support/ImpresionPrueba.h"
#include "support/Maneja.h"
#include "support/Proceso.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <memory>

namespace {

using prueba::Pulsa;
using prueba::Tecla;
using prueba::Teclea;

// Line 12 of the tests; the program ships clientes.fmt.
const QString kFormato = QStringLiteral("C:\\VRL\\consulta\\prueba.fmt");
const QString kListaVistas = QStringLiteral("C:\\VRL\\DATOS\\report\\Clientes.for");

class ReportesClientes : public ClientesPrueba {
 protected:
  void SetUp() override {
    ClientesPrueba::SetUp();
    fs::CreaCarpeta("C:\\VRL\\tempo");
    FijaLinea(ConfFormatoClientes, "prueba.fmt");
    // Keys and names sort apart: by name the first customer is B2 and the
    // last D4, and no name lies between those keys.
    Agrega("CLIENTE.DBF",
           {"CLCLI_C", "NOMBR_C", "TELEF_C", "RFCXX_C", "POBLA_C", "ZONAX_C", "SALDO_C", "COMPR_C", "CARGO_C",
            "ABONO_C"},
           {{"A1", "MERCERIA LUPITA", "3311-1111", "MELU800101AA1", "TONALA", "NORTE", "150", "1200", "400", "250"},
            {"B2", "ABARROTES EL SOL", "3322-2222", "AESO900202BB2", "ZAPOPAN", "CENTRO", "0", "800.5", "300", "300"},
            {"C3", "PAPELERIA ESCOLAR", "", "", "", "NORTE", "75.25", "310", "100", "24.75"},
            {"D4", "ZAPATERIA MODELO", "3344-4444", "ZAMO700404DD4", "TLAQUEPAQUE", "SUR", "1000", "5000", "1500",
             "500"}});
    print::FijaImpresorasPrueba({{"laser", "", print::TipoImpresora::Registro, QString(), 600}}, 0);
    print::Impresora::Global().Restablece();
    print::BorraOperacionesGrabadas();
  }

  void TearDown() override {
    ventana_.reset();
    SueltaArchivosReporte();
    print::Impresora::Global().Restablece();
    print::RefrescaImpresoras();
    ClientesPrueba::TearDown();
  }

  static void FijaLinea(int linea, const QString& valor) {
    const QString archivo = "C:\\VRL\\Gener1.cnf";
    QStringList lineas = fs::LeeLineas(archivo);
    lineas[linea - 1] = valor;
    EscribeLineas(archivo, lineas);
  }

  static void EscribeFormato() { EscribeLineas(kFormato, {"impresora,laser", "@2,2,nombr_c", "@2,3,clcli_c"}); }

  static void EnClave(TFormaClientes& v, const QString& clave) {
    v.TablaCliente->SetIndexName("ICLACLI");
    ASSERT_TRUE(v.TablaCliente->FindKey({clave})) << clave.toStdString();
  }

  // The quick search by name, as the user types it.
  static void BuscaPorNombre(TFormaClientes& v, const QString& texto) {
    ui::PuertaModal::Espera("TFormaBusqueda", [texto](QDialog& d) {
      Teclea(d, "CajaBuscar", texto);
      Pulsa(d, "Nombre");
      Tecla(d, "CajaBuscar", Qt::Key_Return);
    });
    Pulsa(v, "BotonBuscar");
  }

  TFormaClientes& Ventana() {
    if (!ventana_) ventana_ = std::make_unique<TFormaClientes>();
    ventana_->Usuario->setText("0");
    ventana_->Show();
    QApplication::setActiveWindow(ventana_.get());
    ventana_->DisparaActivacion();
    return *ventana_;
  }

  std::unique_ptr<TFormaClientes> ventana_;
};

// The user waits while the engine's progress window shows the run.
void EsperaProgreso() {
  ui::PuertaModal::Espera("TFormaProgreso", [](QDialog& d) {
    QElapsedTimer reloj;
    reloj.start();
    while (d.isVisible() && reloj.elapsed() < 60000) QTest::qWait(5);
  });
}

// What a summary report showed.
struct Resumen {
  QString de, hasta;   // the range the dialog proposed
  bool mostrado = false;
  QString caption;
  QStringList lineas;  // the first text page, blanks run together
  ModeloGrafica grafica;  // after "Barras"
};

// Runs a summary report, the dialog accepted with `de` and `hasta` typed
// when given.
Resumen CorreResumen(QAction* item, const QString& de = {}, const QString& hasta = {}) {
  auto r = std::make_shared<Resumen>();
  ui::PuertaModal::Espera("TFormaFormatos", [r, de, hasta](QDialog& d) {
    auto& f = static_cast<TFormaFormatos&>(d);
    r->de = f.De->text();
    r->hasta = f.Hasta->text();
    if (!de.isEmpty()) f.De->setText(de);
    if (!hasta.isEmpty()) f.Hasta->setText(hasta);
    Pulsa(d, "BitBtn4");
    EsperaProgreso();
  });
  ui::PuertaModal::Espera("TFormaBarras", [r](QDialog& d) {
    auto& visor = static_cast<TFormaBarras&>(d);
    r->mostrado = true;
    r->caption = visor.windowTitle();
    for (const QString& l : visor.Concentrado->toPlainText().split(u'\n')) r->lineas << l.simplified();
    Pulsa(d, "BotonGrafica");
    r->grafica = visor.Grafica;
  });
  item->trigger();
  return *r;
}

// The rows of a text page: lines that begin with one of the keys.
QStringList Filas(const QStringList& lineas, const QStringList& llaves) {
  QStringList filas;
  for (const QString& l : lineas) {
    for (const QString& k : llaves) {
      if (l.startsWith(k + u' ')) {
        filas << l;
        break;
      }
    }
  }
  return filas;
}

}  // namespace

// --- The summary reports.

TEST_F(ReportesClientes, VentasPorClienteTrasUnaBusquedaPorNombre) {
  TFormaClientes& v = Ventana();
  EnClave(v, "C3");
  BuscaPorNombre(v, "PAP");
  ASSERT_EQ(v.EditCLCLI_C->text(), "C3");

  const Resumen r = CorreResumen(v.VentasPorCliente1);
  // The range runs from the alphabetically first customer's key to the
  // last one's, and takes in every customer in name order.
  EXPECT_EQ(r.de, "B2");
  EXPECT_EQ(r.hasta, "D4");
  ASSERT_TRUE(r.mostrado);
  EXPECT_EQ(r.caption, "Reporte de Ventas Por Cliente");
  EXPECT_EQ(Filas(r.lineas, {"A1", "B2", "C3", "D4"}),
            (QStringList{"B2 ABARROTES EL SOL $ 0.00 $ 800.50", "A1 MERCERIA LUPITA $ 150.00 $ 1,200.00",
                         "C3 PAPELERIA ESCOLAR $ 75.25 $ 310.00", "D4 ZAPATERIA MODELO $ 1,000.00 $ 5,000.00"}))
      << r.lineas.join(u'\n').toStdString();
  EXPECT_TRUE(r.lineas.join(u'\n').contains("Cliente Nombre Saldos Compras Totales")) << r.lineas.join(u'\n').toStdString();
  // "Barras": one value of each customer, by its key.
  EXPECT_EQ(r.grafica.titulo, "Gráfica Ventas Por Cliente");
  EXPECT_EQ(r.grafica.ejeInferior.titulo, "Clave del Cliente");
  EXPECT_EQ(r.grafica.ejeIzquierdo.titulo, "Total de Venta");
  ASSERT_FALSE(r.grafica.series.empty());
  QStringList barras;
  for (const PuntoGrafica& p : r.grafica.series[0].puntos) barras << p.etiqueta + u'=' + QString::number(p.valor);
  EXPECT_EQ(barras, (QStringList{"B2=0", "A1=150", "C3=75.25", "D4=1000"}));

  // The window stays on its customer, in name order.
  EXPECT_EQ(v.EditCLCLI_C->text(), "C3");
  EXPECT_EQ(v.TablaCliente->IndexName(), "NOMBR_C");
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ReportesClientes, ElRangoTecleadoSigueElOrdenDeLaVentana) {
  TFormaClientes& v = Ventana();
  struct Caso {
    const char* nombre;
    bool porNombre;
    const char* de;
    const char* hasta;
    QStringList filas;
  };
  const Caso casos[] = {
      // By name, from MERCERIA (A1) to PAPELERIA (C3).
      {"por nombre", true, "A1", "C3", {"A1", "C3"}},
      {"por clave", false, "B2", "C3", {"B2", "C3"}},
      // A key no customer holds stands for the next customer: B for
      // ABARROTES (B2), C9 for ZAPATERIA (D4).
      {"clave inexistente", true, "B", "C9", {"B2", "A1", "C3", "D4"}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    if (c.porNombre) BuscaPorNombre(v, "A");
    else EnClave(v, "A1");
    const Resumen r = CorreResumen(v.Saldos1, c.de, c.hasta);
    ASSERT_TRUE(r.mostrado);
    QStringList llaves;
    for (const QString& f : Filas(r.lineas, {"A1", "B2", "C3", "D4"})) llaves << f.section(u' ', 0, 0);
    EXPECT_EQ(llaves, c.filas) << r.lineas.join(u'\n').toStdString();
    SueltaArchivosReporte();
  }
}

TEST_F(ReportesClientes, LosCuatroResumenes) {
  TFormaClientes& v = Ventana();
  struct Caso {
    QAction* item;
    const char* caption;
    const char* titulos;  // the title line, blanks run together
    QStringList filas;    // in key order
    const char* ejeIzquierdo;
    int valores;          // charted per customer
  };
  const Caso casos[] = {
      {v.CargosyAbonos1,
       "Reporte de Cargos y Abonos",
       "Cliente Nombre Cargos Abonos Saldos",
       {"A1 MERCERIA LUPITA $ 400.00 $ 250.00 $ 150.00", "B2 ABARROTES EL SOL $ 300.00 $ 300.00 $ 0.00",
        "C3 PAPELERIA ESCOLAR $ 100.00 $ 24.75 $ 75.25", "D4 ZAPATERIA MODELO $ 1,500.00 $ 500.00 $ 1,000.00"},
       "Saldos",
       3},
      {v.Saldos1,
       "Reporte de Saldos",
       "Cliente Nombre Saldos Compras Totales",
       {"A1 MERCERIA LUPITA $ 150.00", "B2 ABARROTES EL SOL $ 0.00", "C3 PAPELERIA ESCOLAR $ 75.25",
        "D4 ZAPATERIA MODELO $ 1,000.00"},
       "Total de Venta",
       1},
      // Keyed by the zone: the customers' rows begin with it.
      {v.SaldosPorZona1,
       "Reporte de Saldos Por Zona",
       "Zona Nombre Saldo",
       {"NORTE MERCERIA LUPITA $ 150.00", "CENTRO ABARROTES EL SOL $ 0.00", "NORTE PAPELERIA ESCOLAR $ 75.25",
        "SUR ZAPATERIA MODELO $ 1,000.00"},
       "Saldos",
       1},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.caption);
    const Resumen r = CorreResumen(c.item);
    ASSERT_TRUE(r.mostrado);
    EXPECT_EQ(r.caption, c.caption);
    EXPECT_EQ(r.de, "A1");
    EXPECT_EQ(r.hasta, "D4");
    const QString texto = r.lineas.join(u'\n');
    EXPECT_TRUE(texto.contains(c.titulos)) << texto.toStdString();
    EXPECT_EQ(Filas(r.lineas, {"A1", "B2", "C3", "D4", "NORTE", "CENTRO", "SUR"}), c.filas) << texto.toStdString();
    EXPECT_EQ(r.grafica.titulo, "Gráfica " + c.item->text());
    EXPECT_EQ(r.grafica.ejeIzquierdo.titulo, c.ejeIzquierdo);
    EXPECT_EQ(EstadoVisorReporte().ValoresPorRegistro, c.valores);
    SueltaArchivosReporte();
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ReportesClientes, UnDialogoCanceladoNoMuestraNada) {
  TFormaClientes& v = Ventana();
  EnClave(v, "B2");
  ui::PuertaModal::Espera("TFormaFormatos", [](QDialog& d) { Pulsa(d, "BitBtn5"); });
  v.VentasPorCliente1->trigger();
  // No viewer asked for an answer.
  EXPECT_EQ(ui::PuertaModal::SinRespuesta(), QStringList());
  EXPECT_FALSE(fs::Existe("C:\\VRL\\tempo\\final.tmp"));
  EXPECT_EQ(v.EditCLCLI_C->text(), "B2");
  EXPECT_EQ(Mensajes(), QStringList());
}

// --- The listings.

namespace {

struct Listado {
  bool mostrado = false;
  QString caption;
  QByteArray guion;  // the script as the runner received it, placeholders filled
  QString de, hasta;
  QStringList paginas;
};

Listado CorreListado(QAction* item) {
  auto r = std::make_shared<Listado>();
  ui::PuertaModal::Espera("TFormaFormatos", [r](QDialog& d) {
    auto& f = static_cast<TFormaFormatos&>(d);
    r->de = f.De->text();
    r->hasta = f.Hasta->text();
    Pulsa(d, "BitBtn4");
  });
  ui::PuertaModal::Espera("TFormaReporteSQL", [r](QDialog& d) {
    auto& v = static_cast<TFormaReporteSQL&>(d);
    r->mostrado = true;
    r->caption = v.windowTitle();
    r->guion = fs::ACp1252(v.CodigoGlobal.join(u'\r') + u'\r');
    r->paginas = v.PaginasGuion;
  });
  item->trigger();
  return *r;
}

}  // namespace

TEST_F(ReportesClientes, LosListadosLlevanLasLineasDelCatalogo) {
  TFormaClientes& v = Ventana();
  const QByteArray tabla = "\"C:\\VRL\\DATOS\\Cliente.DBF\"";
  struct Caso {
    QAction* item;
    QByteArray guion;    // "~" where the runner puts the dialog's choices
    QString fila;        // a row of the pages
  };
  const Caso casos[] = {
      {v.ListadodeClientes1,
       "$Listado de Clientes\r"
       "& Select CLCLI_C,NOMBR_C,TELEF_C,RFCXX_C,POBLA_C,CLCLI_C\xAB from " + tabla + "\r"
       "?(CLCLI_C=CLCLI_C)~\r"
       "!CLCLI_C\r"
       "%c          c                  c               c                c\r"
       "#CLIENTE    NOMBRE             TELEFONO        R.F.C.           POBLACION          \r"
       "@\r",
       "A1 MERCERIA LUPITA 3311-1111 MELU800101AA1 TONALA"},
      {v.ClienteyTelefono1,
       "$Cliente y Telefono\r"
       "& Select CLCLI_C,NOMBR_C,TELEF_C from " + tabla + "\r"
       "?(CLCLI_C=CLCLI_C)~\r"
       "!CLCLI_C\r"
       "%c          c                  c\r"
       "#CLIENTE    NOMBRE             TELEFONO       \r"
       "@\r",
       "D4 ZAPATERIA MODELO 3344-4444"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.item->text().toStdString());
    // The script the window builds, byte for byte.
    QByteArray propio = c.guion;
    propio.replace('~', '\xBF');
    const QString titulo = c.item->text();
    EXPECT_EQ(fs::ACp1252(c.item == v.ListadodeClientes1
                              ? GuionListadoClientes(titulo, "C:\\VRL\\DATOS\\Cliente.DBF")
                              : GuionClienteTelefono(titulo, "C:\\VRL\\DATOS\\Cliente.DBF")),
              propio);

    const Listado r = CorreListado(c.item);
    ASSERT_TRUE(r.mostrado);
    EXPECT_EQ(r.caption, "Reporte de " + titulo);
    // The range is proposed on CLCLI_C and reaches the statement on it.
    EXPECT_EQ(r.de, "A1");
    EXPECT_EQ(r.hasta, "D4");
    QByteArray recibido = c.guion;
    recibido.replace("~", "  and (CLCLI_C>='A1' and CLCLI_C<='D4')");
    EXPECT_EQ(r.guion, recibido);
    QStringList filas;
    for (const QString& p : r.paginas) filas << p.simplified();
    EXPECT_TRUE(filas.contains(c.fila)) << r.paginas.join(u'\n').toStdString();
    EXPECT_TRUE(v.TablaCliente->Active());
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

// --- Consultas.

namespace {

// A view of the customers' balances in the program folder's report folder.
QString Vista(const QString& nombre) {
  const QString ruta = "C:\\VRL\\report\\" + nombre;
  EscribeVista(ruta, {"A.CLCLI_C,A.SALDO_C", "\\cliente.dbf\" as A ", "Cliente,Saldo ", "C,N ", "10,14,", "CLCLI_C,",
                      "N,totalizar,", "N,N,", "", nombre});
  return ruta;
}

// The list of three views, of which the second's file is then deleted.
QStringList ListaConUnaVistaBorrada() {
  const QStringList vistas = {Vista("uno.vis"), Vista("dos.vis"), Vista("tres.vis")};
  const char* descripciones[] = {"Saldos uno", "Saldos dos", "Saldos tres"};
  for (int i = 0; i < 3; ++i) AgregaEntradaVista(kListaVistas, {vistas[i], QString::fromLatin1(descripciones[i])});
  fs::BorraArchivo(vistas[1]);
  return vistas;
}

// What the query runner offered when Consultas opened it.
struct Runner {
  bool mostrado = false;
  QStringList archivos;
  QString actual, descripcion, archi, numcampo;
  bool tablaAbierta = false;
};

Runner AbreConsultas(TFormaClientes& v) {
  auto r = std::make_shared<Runner>();
  ui::PuertaModal::Espera("TFormaConsulta", [r](QDialog& d) {
    auto& c = static_cast<TFormaConsulta&>(d);
    r->mostrado = true;
    for (int i = 0; i < c.Archivo->count(); ++i) r->archivos << c.Archivo->itemText(i);
    r->actual = c.Archivo->currentText();
    r->descripcion = c.Descripcion->toPlainText();
    r->archi = c.Archi->text();
    r->numcampo = c.numcampo->text();
    r->tablaAbierta = c.TablaConsulta->Active() && c.TablaConsulta->NombreTabla() == u"cliente.dbf";
    c.Close();
  });
  v.Consultas1->trigger();
  return *r;
}

}  // namespace

TEST_F(ReportesClientes, ConsultasQuitaDeLaListaLasVistasBorradas) {
  const QStringList vistas = ListaConUnaVistaBorrada();
  TFormaClientes& v = Ventana();
  const Runner r = AbreConsultas(v);
  ASSERT_TRUE(r.mostrado);
  EXPECT_EQ(r.archivos, (QStringList{vistas[0], vistas[2]}));
  EXPECT_EQ(r.actual, vistas[0]);
  EXPECT_EQ(r.descripcion, "Saldos tres");  // the last record read
  EXPECT_EQ(r.archi, "Clientes.for");
  EXPECT_EQ(r.numcampo, "0");
  EXPECT_TRUE(r.tablaAbierta);
  // The list holds the two records left, as they were.
  EXPECT_EQ(fs::LeeBytes(kListaVistas).size(), 2 * TEntradaVista::kTamano);
  const QVector<TEntradaVista> quedan = LeeListaVistas(kListaVistas);
  ASSERT_EQ(quedan.size(), 2);
  EXPECT_EQ(quedan[1].Archivo, vistas[2]);
  EXPECT_EQ(quedan[1].Descripcion, "Saldos tres");

  // Without the list the runner opens with empty lists.
  fs::BorraArchivo(kListaVistas);
  const Runner sin = AbreConsultas(v);
  ASSERT_TRUE(sin.mostrado);
  EXPECT_EQ(sin.archivos, QStringList());
  EXPECT_EQ(sin.descripcion, "");
  EXPECT_FALSE(fs::Existe(kListaVistas));
  EXPECT_EQ(Mensajes(), QStringList());
}

// Another station reads the list over and over until told to stop; it
// tells how many reads it made and which sizes it saw that are not whole
// lists of three or two records.
RUTINA_HIJA(LeeListaVistasSinParar) {
  const QString alto = argumentos.value(1);
  prueba::AvisaPadre("LEYENDO");
  qint64 lecturas = 0;
  QStringList malas;
  QElapsedTimer reloj;
  reloj.start();
  while (!fs::Existe(alto) && reloj.elapsed() < 60000) {
    const qsizetype tamano = fs::LeeBytes(argumentos.value(0)).size();
    if (tamano != 2 * TEntradaVista::kTamano && tamano != 3 * TEntradaVista::kTamano) malas << QString::number(tamano);
    ++lecturas;
  }
  prueba::AvisaPadre(QStringLiteral("LECTURAS %1 MALAS %2").arg(lecturas).arg(malas.join(u',')));
  return 0;
}

TEST_F(ReportesClientes, OtraEstacionSoloVeListasEnteras) {
  ListaConUnaVistaBorrada();
  const QByteArray tres = fs::LeeBytes(kListaVistas);
  const QString alto = "C:\\VRL\\alto.txt";
  prueba::ProcesoHijo otra("LeeListaVistasSinParar", {kListaVistas, alto});
  ASSERT_EQ(otra.EsperaLinea(), "LEYENDO");

  TFormaClientes& v = Ventana();
  EXPECT_EQ(AbreConsultas(v).archivos.size(), 2);
  // The list named the deleted view again, and is cleaned again, many times.
  for (int i = 0; i < 200; ++i) {
    fs::EscribeAtomico(kListaVistas, tres);
    ASSERT_EQ(DepuraListaVistas(kListaVistas).size(), 2);
  }
  EscribeLineas(alto, {"alto"});
  const QString visto = otra.EsperaLinea();
  const QRegularExpressionMatch lectura = QRegularExpression("^LECTURAS (\\d+) MALAS(.*)$").match(visto);
  ASSERT_TRUE(lectura.hasMatch()) << visto.toStdString();
  EXPECT_GT(lectura.captured(1).toLongLong(), 0);
  EXPECT_EQ(lectura.captured(2).trimmed(), "") << "sizes seen: " << visto.toStdString();
  EXPECT_EQ(otra.Espera(), 0);
}

// --- Printing with the customer format.

TEST_F(ReportesClientes, ImprimirYPresentacionPreliminarDelClienteMostrado) {
  TFormaClientes& v = Ventana();
  EnClave(v, "B2");
  EXPECT_EQ(v.FormatoClientes, kFormato);
  Pulsa(v, "BotonImprimir");
  EXPECT_EQ(Mensajes(), QStringList{"El Formato " + kFormato + " No Existe"});
  EXPECT_TRUE(TrabajosImpresos().isEmpty());

  ui::PuertaModal::LimpiaMensajes();
  EscribeFormato();
  v.Imprimir1->trigger();
  EXPECT_EQ(TrabajosImpresos(), QList<QStringList>{(QStringList{"ABARROTES EL SOL", "B2"})});

  // The preview shows the customer; its print answer prints it once.
  for (const bool imprime : {false, true}) {
    SCOPED_TRACE(imprime ? "imprime" : "solo vista");
    print::BorraOperacionesGrabadas();
    QStringList previa;
    ui::PuertaModal::Espera("TFormaEdicion", [&previa, imprime](QDialog& d) {
      const QByteArray bytes = fs::LeeBytes(ArchivoPaginaPrevia());
      for (qsizetype i = 0; i + kTamanoElementoPagina <= bytes.size(); i += kTamanoElementoPagina)
        previa << DecodificaElementoPagina(bytes.constData() + i).Texto;
      if (imprime) Pulsa(d, "BotonImprime");
    });
    Pulsa(v, "BotonPreliminar");
    EXPECT_EQ(previa, (QStringList{"ABARROTES EL SOL", "B2"}));
    EXPECT_EQ(TrabajosImpresos(),
              imprime ? QList<QStringList>{(QStringList{"ABARROTES EL SOL", "B2"})} : QList<QStringList>());
    EXPECT_EQ(v.EditCLCLI_C->text(), "B2");
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ReportesClientes, ImprimeRangoImprimeCadaClienteDelRango) {
  EscribeFormato();
  TFormaClientes& v = Ventana();
  for (const bool acepta : {true, false}) {
    SCOPED_TRACE(acepta ? "aceptado" : "cancelado");
    EnClave(v, "D4");
    print::BorraOperacionesGrabadas();
    ui::PuertaModal::Espera("TDialogoImprimir", [acepta](QDialog& d) {
      Teclea(d, "PrimeraPagina", "A1");
      Teclea(d, "UltimaPagina", "C3");
      Pulsa(d, acepta ? "BitBtn1" : "BitBtn2");
    });
    v.ImprimeRango1->trigger();
    EXPECT_EQ(TrabajosImpresos(),
              acepta ? (QList<QStringList>{{"MERCERIA LUPITA", "A1"}, {"ABARROTES EL SOL", "B2"},
                                           {"PAPELERIA ESCOLAR", "C3"}})
                     : QList<QStringList>());
    // The range is cancelled: the whole catalogue, on its customer.
    EXPECT_EQ(v.TablaCliente->RecordCount(), 4);
    EXPECT_EQ(v.EditCLCLI_C->text(), "D4");
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ReportesClientes, EligeFormatoYDisenaFormato) {
  EscribeFormato();
  TFormaClientes& v = Ventana();
  EnClave(v, "A1");
  const auto elige = [&v](const QString& ruta) {
    ui::PuertaModal::Espera("TFormaFormatos", [ruta](QDialog& d) {
      auto& f = static_cast<TFormaFormatos&>(d);
      EXPECT_TRUE(f.Rangos->isHidden());
      EXPECT_FALSE(f.Formatos->isHidden());
      f.Rutas->setText(ruta);
      Pulsa(d, "BotonEdicion");
    });
    v.EligeFormato1->trigger();
  };
  // A path that names no file keeps the current format, and says so.
  elige("C:\\VRL\\consulta\\falta.fmt");
  EXPECT_EQ(Mensajes(), QStringList{"El Formato " + kFormato + " No Existe"});
  EXPECT_EQ(v.FormatoClientes, kFormato);
  EXPECT_TRUE(TrabajosImpresos().isEmpty());

  // One that exists is used by the next "Imprimir".
  ui::PuertaModal::LimpiaMensajes();
  const QString otro = "C:\\VRL\\consulta\\otro.fmt";
  EscribeLineas(otro, {"impresora,laser", "@2,2,telef_c"});
  elige(otro);
  EXPECT_EQ(v.FormatoClientes, otro);
  EXPECT_TRUE(TrabajosImpresos().isEmpty());
  Pulsa(v, "BotonImprimir");
  EXPECT_EQ(TrabajosImpresos(), QList<QStringList>{QStringList{"3311-1111"}});

  bool editor = false;
  ui::PuertaModal::Espera("TFormaEdicion", [&editor](QDialog&) { editor = true; });
  v.DiseaFormato1->trigger();
  EXPECT_TRUE(editor);
  EXPECT_EQ(Mensajes(), QStringList());
}

// While a customer is entered, nothing that walks the customer table runs.
TEST_F(ReportesClientes, NadaSeImprimeNiReportaMientrasSeEdita) {
  TFormaClientes& v = Ventana();
  Pulsa(v, "BotonNuevo");
  for (QAction* a : {v.Reportes1->menuAction(), v.Formatos1->menuAction(), v.Imprimir1, v.PresentacionPreliminar1})
    EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
  EXPECT_FALSE(v.BotonImprimir->isEnabled());
  EXPECT_FALSE(v.BotonPreliminar->isEnabled());
  v.CancelarMovimiento1->trigger();
  for (QAction* a : {v.Reportes1->menuAction(), v.Formatos1->menuAction(), v.Imprimir1, v.PresentacionPreliminar1})
    EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
  EXPECT_TRUE(v.BotonImprimir->isEnabled());
}

// The format the program ships, named in line 12 of the demo company.
TEST_F(ReportesClientes, ElFormatoDeClientesQueTraeElPrograma) {
  FijaLinea(ConfFormatoClientes, "clientes.fmt");
  TFormaClientes& v = Ventana();
  EnClave(v, "D4");
  QStringList previa;
  ui::PuertaModal::Espera("TFormaEdicion", [&previa](QDialog&) {
    const QByteArray bytes = fs::LeeBytes(ArchivoPaginaPrevia());
    for (qsizetype i = 0; i + kTamanoElementoPagina <= bytes.size(); i += kTamanoElementoPagina)
      previa << DecodificaElementoPagina(bytes.constData() + i).Texto.trimmed();
  });
  Pulsa(v, "BotonPreliminar");
  for (const char* texto : {"CLIENTE", "D4", "ZAPATERIA MODELO", "ZAMO700404DD4", "SUR"})
    EXPECT_TRUE(previa.contains(texto)) << texto << ": " << previa.join(u'|').toStdString();
  EXPECT_TRUE(previa.join(u'|').contains("1,000.00")) << previa.join(u'|').toStdString();
  EXPECT_EQ(Mensajes(), QStringList());
}
