// The movement window's "Reportes" menu driven as a user drives it: the
// entry and exit listings, "General Movimientos" over a date range with its
// conditions and work table, two stations running it at once, "Consultas"
// with the saved views, and the stock card of a row's product (F7).

#include "inventory/Costeo.h"
#include "inventory/GuionesMovimientos.h"
#include "movimientos_prueba.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "reports/Consulta.h"
#include "reports/Formatos.h"
#include "reports/RepoSQL.h"
#include "reports/Vistas.h"
#include "shell/Campos.h"
#include "support/Maneja.h"
#include "support/Proceso.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>

#include <functional>
#include <memory>

namespace {

using namespace movimientos;
// Named here too: another unit of the same batch may bring the test support's keys.
using movimientos::Tecla;

// What the runner was handed and showed.
struct Reporte {
  bool dialogo = false;  // the runner's own parameters dialog was shown
  bool mostrado = false;
  QString caption;
  QStringList guion;  // the script's lines, its placeholders filled
  QStringList filas;  // the report's rows, blanks squeezed
  QString de, hasta;
};

// The report's rows: the lines that begin with a document number.
QStringList FilasReporte(const QStringList& paginas) {
  static const QRegularExpression fila(QStringLiteral("^\\d+ "));
  QStringList filas;
  for (const QString& p : paginas)
    if (const QString f = p.simplified(); fila.match(f).hasMatch()) filas << f;
  return filas;
}

// Answers the report window when it shows.
void EsperaReporte(const std::shared_ptr<Reporte>& r) {
  ui::PuertaModal::Espera("TFormaReporteSQL", [r](QDialog& d) {
    auto& v = static_cast<TFormaReporteSQL&>(d);
    r->mostrado = true;
    r->caption = v.windowTitle();
    r->guion = v.CodigoGlobal;
    r->filas = FilasReporte(v.PaginasGuion);
  });
}

// Answers a parameters dialog: its dates from `desde` to `hasta` set, then
// `resto` (when given), then "Ejecutar".
void RespondeParametros(QDate desde, QDate hasta, std::function<void(TFormaFormatos&)> resto = {},
                        std::shared_ptr<Reporte> r = {}) {
  ui::PuertaModal::Espera("TFormaFormatos", [=](QDialog& d) {
    auto& f = static_cast<TFormaFormatos&>(d);
    if (r) {
      r->dialogo = true;
      r->de = f.De->text();
      r->hasta = f.Hasta->text();
    }
    f.Inicial->setDate(desde);
    f.Final->setDate(hasta);
    if (resto) resto(f);
    prueba::Pulsa(d, "BitBtn4");
  });
}

// The user picks an entry of a drop-down list.
void Elige(QComboBox* caja, const QString& texto) {
  const int i = caja->findText(texto);
  ASSERT_GE(i, 0) << texto.toStdString();
  caja->setCurrentIndex(i);
}

const QDate kPrimero(2024, 3, 1);
const QDate kHoy(2024, 3, 5);

class ReportesMovimientos : public MovimientosPrueba {
 protected:
  void SetUp() override {
    MovimientosPrueba::SetUp();
    // The field dictionary an installation ships, for the dialog's fields,
    // in place of the empty one the company setup leaves.
    db::Tabla::Borra(kPrograma, "Campos.DBF");
    ASSERT_TRUE(InstalaCampos(kPrograma));
  }

  // Runs a report item of the window, its runner's dialog (when it shows)
  // answered with the dates given.
  static Reporte Corre(QAction* item, QDate desde = kPrimero, QDate hasta = kHoy) {
    auto r = std::make_shared<Reporte>();
    RespondeParametros(desde, hasta, {}, r);
    EsperaReporte(r);
    item->trigger();
    return *r;
  }
};

// --- Entries and exits.

TEST_F(ReportesMovimientos, EntradasYSalidasSeparanLosConceptosPorEl50) {
  AgregaMovimientos({{1, 57, "P1", 10, 1, 18.5},
                     {2, 51, "P2", 5, 1, 20},
                     {3, 6, "P3", 2, 1, 5},
                     {4, 50, "P1", 1, 1, 18.5},
                     {5, 3, "P2", 4, 1, 20}});
  TFormaMovimientosInventario& v = Ventana();
  prueba::Pulsa(v, "Botonprimero");
  ASSERT_EQ(v.NumeroDocumento(), 1);

  const QString kTipos = "%e           c            c                 t             t              c         ";
  const QString kTitulos = "#DOCUMENTO  PRODUCTO      DESCRIPCION       CANTIDAD      COSTO          FECHA     ";
  const Reporte entradas = Corre(v.Entradas1);
  ASSERT_TRUE(entradas.mostrado) << Mensajes().join(u'|').toStdString();
  EXPECT_EQ(entradas.caption, "Reporte de Entradas");
  // The dialog proposes the whole table, and the range is on CLDOC_MI and
  // both dates on FEDOC_MI.
  EXPECT_EQ(entradas.de, "1");
  EXPECT_EQ(entradas.hasta, "5");
  ASSERT_EQ(entradas.guion.size(), 7);
  EXPECT_EQ(entradas.guion[0], "$Entradas");
  EXPECT_EQ(entradas.guion[1],
            "& Select CLDOC_MI,CLPRO_MI,DESCR_MI,CANTI_MI,COSUN_MI,FEDOC_MI from \"C:\\VRL\\DATOS\\Movinven.DBF\"");
  EXPECT_TRUE(entradas.guion[2].startsWith("?(TIMOV_MI>50)  and FEDOC_MI >= '3/1/2024' and FEDOC_MI <= '3/5/2024'"))
      << entradas.guion[2].toStdString();
  EXPECT_TRUE(entradas.guion[2].endsWith(" and (CLDOC_MI>='1' and CLDOC_MI<='5')")) << entradas.guion[2].toStdString();
  EXPECT_EQ(entradas.guion.mid(3), (QStringList{"!CLDOC_MI", kTipos, kTitulos, "@"}));
  EXPECT_EQ(entradas.filas, (QStringList{"1 P1 Producto P1 10.00 18.50 01/03/2024",
                                         "2 P2 Producto P2 5.00 20.00 01/03/2024"}));
  // The window goes on to the next document.
  EXPECT_EQ(v.NumeroDocumento(), 2);
  EXPECT_EQ(v.EditCLDOC_MI->text(), "2");

  const Reporte salidas = Corre(v.Salidas1);
  ASSERT_TRUE(salidas.mostrado);
  EXPECT_EQ(salidas.caption, "Reporte de Salidas");
  EXPECT_TRUE(salidas.guion[2].startsWith("?(TIMOV_MI<51)  and FEDOC_MI >= '3/1/2024'")) << salidas.guion[2].toStdString();
  EXPECT_EQ(salidas.filas, (QStringList{"3 P3 Producto P3 2.00 5.00 01/03/2024", "4 P1 Producto P1 1.00 18.50 01/03/2024",
                                        "5 P2 Producto P2 4.00 20.00 01/03/2024"}));
  EXPECT_EQ(v.NumeroDocumento(), 3);
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ReportesMovimientos, LosReportesEsperanAQueSeGuardeElDocumento) {
  AgregaMovimientos({{1, 57, "P1", 10}});
  TFormaMovimientosInventario& v = Ventana();
  prueba::Pulsa(v, "BotonNuevo");
  ASSERT_TRUE(v.Capturando());
  for (QAction* item : {v.Entradas1, v.Salidas1, v.GeneralMovimientos1}) {
    ui::PuertaModal::LimpiaMensajes();
    item->trigger();
    EXPECT_EQ(Mensajes(), QStringList{kNecesarioGuardar}) << item->text().toStdString();
  }
  // The document keeps its number and its row.
  EXPECT_TRUE(v.Capturando());
  EXPECT_EQ(v.EditCLDOC_MI->text(), "2");
  Descarta(v);
}

// --- General Movimientos.

class GeneralMovimientos : public ReportesMovimientos {
 protected:
  void SetUp() override {
    ReportesMovimientos::SetUp();
    // Movement rows, one of them stamped as today's rows are.
    Agrega("MOVINVEN.DBF", {"CLDOC_MI", "TIMOV_MI", "FEDOC_MI", "CLPRO_MI", "DESCR_MI", "CANTI_MI", "COSUN_MI",
                            "PUNIT_MI", "FECHA"},
           {{7, 57, kPrimero, "P1", "Arroz 1 kg", 10, 18.5, 24.9, 49152},
            {8, 6, QDate(2024, 2, 20), "P2", "Frijol 1 kg", 2, 20, 30, 0}});
    const QStringList ventas = {"CLDOC_FD", "CLPRO_FD", "DEPRO_FD", "CANTI_FD", "PUNPR_FD", "FEDOC_FD", "TREGI_FD",
                                "TDOCU_FD"};
    // An invoice line of its own, one made from remissions, one cancelled.
    Agrega("FacturaD.dbf", ventas,
           {{"10", "P1", "Arroz 1 kg", 2, 24.9, QDate(2024, 3, 2), "", ""},
            {"11", "P2", "Frijol 1 kg", 1, 30, QDate(2024, 3, 2), "", "R"},
            {"12", "P3", "Sal 1 kg", 1, 9.5, QDate(2024, 3, 2), "C", ""}});
    Agrega("RemisioD.dbf", ventas,
           {{"20", "P2", "Frijol 1 kg con una descripción más larga que la columna", 3, 30, QDate(2024, 3, 3), "", ""},
            {"21", "P2", "Frijol 1 kg", 1, 30, QDate(2024, 3, 3), "C", ""},
            {"22", "P1", "Arroz 1 kg", 1, 24.9, QDate(2024, 3, 9), "", ""}});
    Agrega("ComprasD.dbf", {"CLDOC_OD", "CLPRO_OD", "DESCR_OD", "CANTI_OD", "CUNIT_OD", "FEDOC_OD", "TREGI_OD"},
           {{30, "P3", "Sal 1 kg", 12, 5, QDate(2024, 3, 4), ""}, {31, "P3", "Sal 1 kg", 6, 5, QDate(2024, 3, 4), "C"}});
  }

  // "General Movimientos" with its dialog answered: the dates and `resto`.
  static Reporte General(TFormaMovimientosInventario& v, std::function<void(TFormaFormatos&)> resto = {}) {
    auto r = std::make_shared<Reporte>();
    RespondeParametros(kPrimero, kHoy, resto);
    EsperaReporte(r);
    v.GeneralMovimientos1->trigger();
    // The runner's own dialog did not show.
    EXPECT_EQ(ui::PuertaModal::SinRespuesta(), QStringList());
    return *r;
  }
};

TEST_F(GeneralMovimientos, JuntaMovimientosVentasYComprasDeLasFechas) {
  TFormaMovimientosInventario& v = Ventana();
  prueba::Pulsa(v, "Botonprimero");
  ASSERT_EQ(v.NumeroDocumento(), 7);
  const Reporte r = General(v);
  ASSERT_TRUE(r.mostrado) << Mensajes().join(u'|').toStdString();
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(r.caption, "Reporte de General Movimientos");
  EXPECT_EQ(r.guion,
            (QStringList{"$General Movimientos",
                         "& Select DOCU,CLAVE,DESCRIPCIO,CANTIDAD,PRECIO,PRECIO_UNIT,MOVIMIENTO,FECHA,FECHA2 from "
                         "\"C:\\VRL\\RGeneral.dbf\"",
                         "!FECHA",
                         "%e           c                 c                     t             t             t              "
                         "e          c         ",
                         "#DOCUMENTO  PRODUCTO           DESCRIPCION           CANTIDAD      -COSTO        PRECIO         "
                         "MOVIMIENTO  FECHA     ",
                         "@"}));
  // Movement 1 for the invoice line, 3 for the remission line, 51 for the
  // purchase line, the row's own concept for the movement; the unit price
  // only movements have.
  EXPECT_EQ(r.filas, (QStringList{"7 P1 Arroz 1 kg 10.00 18.50 24.90 57 01/03/2024",
                                  "10 P1 Arroz 1 kg 2.00 24.90 0.00 1 02/03/2024",
                                  "20 P2 Frijol 1 kg con una d 3.00 30.00 0.00 3 03/03/2024",
                                  "30 P3 Sal 1 kg 12.00 5.00 0.00 51 04/03/2024"}));

  // The work table has the registry's layout; the description is cut to
  // its column and the day stamp too wide for FECHA2 left out.
  const db::DefTabla& registro = CatalogoVorlan().Tabla(db::CarpetaTabla::Programa, kTablaGeneral);
  auto trabajo = Abre(kTablaGeneral, {}, kPrograma);
  const QVector<db::DefCampo> campos = trabajo->Definiciones();
  ASSERT_EQ(campos.size(), registro.campos.size());
  for (qsizetype i = 0; i < campos.size(); ++i) {
    EXPECT_EQ(campos[i].nombre, registro.campos[i].nombre);
    EXPECT_EQ(campos[i].tipo, registro.campos[i].tipo) << campos[i].nombre.toStdString();
    EXPECT_EQ(campos[i].ancho, registro.campos[i].ancho) << campos[i].nombre.toStdString();
    EXPECT_EQ(campos[i].decimales, registro.campos[i].decimales) << campos[i].nombre.toStdString();
  }
  trabajo.reset();
  EXPECT_EQ(Filas(kTablaGeneral, {"DOCU", "DESCRIPCIO", "PRECIO_UNI", "MOVIMIENTO", "FECHA2"}, kPrograma),
            (QStringList{"7|Arroz 1 kg|24.9|57|", "10|Arroz 1 kg||1|", "20|Frijol 1 kg con una descr||3|",
                         "30|Sal 1 kg||51|"}));
  // The window goes on to the next document.
  EXPECT_EQ(v.NumeroDocumento(), 8);

  // Cancelled: nothing runs, the window stays where it is.
  ui::PuertaModal::Espera("TFormaFormatos", [](QDialog& d) { prueba::Pulsa(d, "BitBtn5"); });
  v.GeneralMovimientos1->trigger();
  EXPECT_EQ(v.NumeroDocumento(), 8);
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST(CondicionSQL, CadaOperadorDaSuComparacion) {
  struct Caso {
    const char* operador;
    QString valor;
    QString condicion;
  };
  const Caso casos[] = {
      {"=", "", " IS NULL"},
      {"=", "A", "= \"A\""},
      {"<>", "A", "<> \"A\""},
      {"<>", "", " LIKE NOT NULL"},
      {"<", "5", "< \"5\""},
      {">", "5", "> \"5\""},
      {"<=", "5", "<= \"5\""},
      {">=", "5", ">= \"5\""},
      {"Inicia_Con", "AB", " LIKE 'AB%'"},
      {"Termina_Con", "AB", " LIKE '%AB'"},
      {"Incluye", "AB", " LIKE '%AB%'"},
      // A value's quotes doubled, its wildcards matched as typed.
      {"=", "O\"Brien", "= \"O\"\"Brien\""},
      {"Incluye", "O'Brien", " LIKE '%O''Brien%'"},
      {"Inicia_Con", "50%", " LIKE '50\\%%' ESCAPE '\\'"},
      {"&", "A", ""},
      {"Parecido", "A", ""},
  };
  for (const Caso& c : casos)
    EXPECT_EQ(CondicionSQL(c.operador, c.valor), c.condicion) << c.operador << " " << c.valor.toStdString();
}

TEST_F(GeneralMovimientos, LasCondicionesEscapanSusValores) {
  Agrega("MOVINVEN.DBF", {"CLDOC_MI", "TIMOV_MI", "FEDOC_MI", "CLPRO_MI", "DESCR_MI", "CANTI_MI"},
         {{9, 57, kPrimero, "O\"Brien", "Caja d'Ávila", 4}, {9, 57, kPrimero, "O\"Brien", "Caja grande", 6}});
  TFormaMovimientosInventario& v = Ventana();
  const Reporte r = General(v, [](TFormaFormatos& f) {
    Elige(f.Condicion[0], "Clave del Producto");
    Elige(f.Operador[0], "=");
    f.Valor[0]->setEditText("O\"Brien");
    Elige(f.Condicion[1], "Descripción");
    Elige(f.Operador[1], "Incluye");
    f.Valor[1]->setEditText("d'Á");
  });
  ASSERT_TRUE(r.mostrado) << Mensajes().join(u'|').toStdString();
  EXPECT_EQ(Mensajes(), QStringList());
  ASSERT_EQ(r.guion.size(), 7);
  EXPECT_EQ(r.guion[1], "& Select DOCU,CLAVE,DESCRIPCIO,CANTIDAD,PRECIO,MOVIMIENTO,FECHA,FECHA2 from "
                        "\"C:\\VRL\\RGeneral.dbf\"");
  EXPECT_EQ(r.guion[2], "? CLAVE= \"O\"\"Brien\" and DESCRIPCIO LIKE '%d''Á%' ");
  EXPECT_EQ(r.guion.mid(3),
            (QStringList{"!FECHA",
                         "%e           c                 c                     t             t             e          "
                         "c         ",
                         "#DOCUMENTO  PRODUCTO           DESCRIPCION           CANTIDAD      COSTO         MOVIMIENTO  "
                         "FECHA     ",
                         "@"}));
  EXPECT_EQ(r.filas, QStringList{"9 O\"Brien Caja d'Ávila 4.00 0.00 57 01/03/2024"});
}

// An empty value: "=" asks for a blank field, "<>" for one that is not.
TEST_F(GeneralMovimientos, UnValorVacioBuscaLosBlancos) {
  Agrega("MOVINVEN.DBF", {"CLDOC_MI", "TIMOV_MI", "FEDOC_MI", "CLPRO_MI", "CANTI_MI"}, {{9, 57, kPrimero, "P3", 4}});
  struct Caso {
    const char* operador;
    QString condicion;
    QStringList documentos;
  };
  const Caso casos[] = {{"=", "? DESCRIPCIO IS NULL ", {"9"}},
                        {"<>", "? DESCRIPCIO LIKE NOT NULL ", {"7", "10", "20", "30"}}};
  TFormaMovimientosInventario& v = Ventana();
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.operador);
    const Reporte r = General(v, [&](TFormaFormatos& f) {
      Elige(f.Condicion[0], "Descripción");
      Elige(f.Operador[0], c.operador);
    });
    ASSERT_TRUE(r.mostrado) << Mensajes().join(u'|').toStdString();
    EXPECT_EQ(r.guion.value(2), c.condicion);
    QStringList documentos;
    for (const QString& fila : r.filas) documentos << fila.section(u' ', 0, 0);
    EXPECT_EQ(documentos, c.documentos);
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

// Another copy of the program from the same program folder runs "General
// Movimientos" and keeps its report open, telling the parent its rows.
std::unique_ptr<ui::Aplicacion> ArrancaEstacion() {
  static int argc = 1;
  static char nombre[] = "estacion";
  static char* argv[] = {nombre, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  auto aplicacion = std::make_unique<ui::Aplicacion>(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  return aplicacion;
}

}  // namespace

RUTINA_HIJA(GeneralAbierto) {
  const auto estacion = ArrancaEstacion();
  auto v = std::make_unique<TFormaMovimientosInventario>();
  v->Show();
  v->DisparaActivacion();
  RespondeParametros(QDate::fromString(argumentos.value(0), Qt::ISODate), kHoy);
  ui::PuertaModal::Espera("TFormaReporteSQL", [](QDialog& d) {
    auto& r = static_cast<TFormaReporteSQL&>(d);
    prueba::AvisaPadre(QStringLiteral("ABIERTO ") + FilasReporte(r.PaginasGuion).join(u';'));
    prueba::EsperaPadre();
  });
  v->GeneralMovimientos1->trigger();
  return ui::PuertaModal::Mensajes().isEmpty() ? 0 : 1;
}

namespace {

TEST_F(GeneralMovimientos, DosCopiasNoMezclanSusRenglones) {
  // The other copy lists only the purchase of the 4th.
  prueba::ProcesoHijo otra("GeneralAbierto", {QDate(2024, 3, 4).toString(Qt::ISODate)});
  const QString compra = "ABIERTO 30 P3 Sal 1 kg 12.00 5.00 0.00 51 04/03/2024";
  ASSERT_EQ(otra.EsperaLinea(), compra);

  // Here the run names the busy table and lists nothing.
  TFormaMovimientosInventario& v = Ventana();
  ui::PuertaModal::LimpiaMensajes();
  RespondeParametros(kPrimero, kHoy);
  v.GeneralMovimientos1->trigger();
  EXPECT_EQ(Mensajes(), QStringList{"La tabla C:\\VRL\\RGeneral.dbf está ocupada por otra estación"});
  otra.Envia("");
  EXPECT_EQ(otra.Espera(), 0);

  // Once the other report is closed it runs here.
  ui::PuertaModal::LimpiaMensajes();
  const Reporte r = General(v);
  ASSERT_TRUE(r.mostrado);
  EXPECT_EQ(r.filas.size(), 4);
  EXPECT_EQ(Mensajes(), QStringList());
}

// --- Consultas.

TEST_F(ReportesMovimientos, ConsultasListaLasVistasQueExisten) {
  AgregaMovimientos({{1, 57, "P1", 10}});
  const QString lista = kDatos + "\\report\\movinven.for";
  const QString vigente = "C:\\VRL\\report\\entradas.vis";
  const QString borrada = "C:\\VRL\\report\\salidas.vis";
  EscribeLineas(vigente, {"A.CLPRO_MI"});
  EscribeLineas(borrada, {"A.CLPRO_MI"});
  AgregaEntradaVista(lista, {vigente, "Entradas del mes"});
  AgregaEntradaVista(lista, {borrada, "Salidas del mes"});
  fs::BorraArchivo(borrada);

  QStringList archivos;
  QString elegida, descripcion, archi, producto;
  ui::PuertaModal::Espera("TFormaConsulta", [&](QDialog& d) {
    auto& c = static_cast<TFormaConsulta&>(d);
    for (int i = 0; i < c.Archivo->count(); ++i) archivos << c.Archivo->itemText(i);
    elegida = c.Archivo->currentText();
    descripcion = c.Descripcion->toPlainText();
    archi = c.Archi->text();
    producto = c.TablaConsulta->Active() ? c.TablaConsulta->FieldByName("CLPRO_MI").AsString() : QString();
  });
  TFormaMovimientosInventario& v = Ventana();
  v.Consultas1->trigger();

  EXPECT_EQ(archivos, QStringList{vigente});
  EXPECT_EQ(elegida, vigente);
  // The description of the last record read, though its view is gone.
  EXPECT_EQ(descripcion, "Salidas del mes");
  EXPECT_EQ(archi, "movinven.for");
  EXPECT_EQ(producto, "P1");
  for (const QString& archivo : {lista, kDatos + "\\report\\Cliente2.for"}) {
    QStringList quedan;
    for (const TEntradaVista& e : LeeListaVistas(archivo)) quedan << e.Archivo + "|" + e.Descripcion;
    EXPECT_EQ(quedan, QStringList{vigente + "|Entradas del mes"}) << archivo.toStdString();
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

// --- The stock card of a row's product.

TEST_F(ReportesMovimientos, F7MuestraElKardexDelProductoDelRenglon) {
  AgregaMovimientos({{1, 57, "P1", 10, 1, 18.5}, {1, 57, "P2", 4, 1, 20}, {2, 6, "P2", 1, 1, 20}, {3, 51, "P1", 2}});
  TFormaMovimientosInventario& v = Ventana();
  prueba::Pulsa(v, "Botonprimero");
  // "Reportes" after "Registro", and no menu shows "Kardex".
  QStringList menus;
  for (const QAction* a : v.MainMenu1->actions()) menus << a->text();
  EXPECT_EQ(menus, (QStringList{"&Archivo", "&Registro", "R&eportes", "Costeo", "Opciones", "Procesos", "Ayuda"}));
  QStringList reportes;
  for (const QAction* a : v.Reportes1->actions()) reportes << a->text();
  EXPECT_EQ(reportes, (QStringList{"Consultas", "Entradas", "Salidas", "General Movimientos"}));
  for (const QMenu* m : v.MainMenu1->findChildren<QMenu*>())
    for (const QAction* a : m->actions()) EXPECT_NE(a->text(), "Kardex") << m->title().toStdString();
  EXPECT_EQ(v.VerMovimientos1->shortcut(), QKeySequence(Qt::Key_F7));

  struct Tarjeta {
    QString actuales;
    QStringList filas;
  };
  const auto f7 = [&] {
    auto t = std::make_shared<Tarjeta>();
    ui::PuertaModal::Espera("TFormaCosteo", [t](QDialog& d) {
      auto& c = static_cast<TFormaCosteo&>(d);
      t->actuales = c.Actuales->text();
      db::Tabla& tabla = *c.TablaNormal;
      for (tabla.First(); !tabla.Eof(); tabla.Next())
        t->filas << tabla.FieldByName("CLAVE").AsString() + "/" + tabla.FieldByName("CANTIDAD").AsString() + "/" +
                        tabla.FieldByName("KARDEX").AsString();
    });
    Tecla(Qt::Key_F7);
    return *t;
  };
  // On the document's second line, P2.
  v.DetalleConsulta->setFocus();
  Tecla(Qt::Key_Down);
  ASSERT_EQ(v.Tablamovinve->FieldByName("CLPRO_MI").AsString(), "P2");
  const Tarjeta p2 = f7();
  EXPECT_EQ(p2.actuales, "_");
  EXPECT_EQ(p2.filas, (QStringList{"P2/4/4", "P2/-1/3"}));

  Tecla(Qt::Key_Up);
  const Tarjeta p1 = f7();
  EXPECT_EQ(p1.filas, (QStringList{"P1/10/10", "P1/2/12"}));
  EXPECT_EQ(Mensajes(), QStringList());
}

}  // namespace
