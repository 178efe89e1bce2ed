// The "Globales" summaries, the export of lines, the held sale and the
// unbilled sales of the sale screen, driven from its menus over a small
// week of remissions (8 to 12 March 2010) beside the reports' day.

#include "foundation/adminis.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "pos/Caja.h"
#include "reportes_prueba.h"
#include "salesdocs/GlobalesVenta.h"
#include "support/LanzadorGrabador.h"

#include <QDateEdit>
#include <QLineEdit>

namespace {

using Pantalla = TFormaCapturaRapida;

const QString kDeta = "C:\\VRL\\deta.DBF";

struct FilaDeta {
  QString clave, producto, linea, prove, prove2, docu;
  double cantidad, precio, costo, porcTot, porcUtil, empaque, cajas, piezas;
};

// The rows of the work table, in physical order.
std::vector<FilaDeta> LeeDeta() {
  db::Tabla t;
  t.SetCarpeta("c:\\VRL\\");
  t.SetNombreTabla("deta.DBF");
  t.Open();
  std::vector<FilaDeta> filas;
  for (t.First(); !t.Eof(); t.Next()) {
    const auto s = [&t](const char* c) { return t.FieldByName(c).AsString(); };
    const auto n = [&t](const char* c) { return t.FieldByName(c).AsFloat(); };
    filas.push_back({s("CLAVE"), s("PRODUCTO"), s("LINEA"), s("PROVE"), s("PROVE2"), s("DOCU"), n("CANTIDAD"),
                     n("PRECIO"), n("COSTO"), n("PORC_TOT"), n("PORC_UTIL"), n("EMPAQUE"), n("CAJAS"), n("PIEZAS")});
  }
  return filas;
}

const FilaDeta* Fila(const std::vector<FilaDeta>& filas, const QString& clave, bool porLinea = false) {
  for (const FilaDeta& f : filas)
    if ((porLinea ? f.linea : f.clave) == clave) return &f;
  return nullptr;
}

class Globales : public ReportesPrueba {
 protected:
  void SetUp() override {
    ReportesPrueba::SetUp();
    AgregaFila("INVENTAR.DBF", {{"CLPRO_I", "P1"}, {"DSCPR_I", "ACEITE"}, {"LIPRO_I", "ABARROTE"},
                                {"UEMPA_I", "12"}, {"CLPR1_I", "PR1"}, {"CLPR2_I", "PR2"}, {"PIVA1_I", "16"},
                                {"UMEDI_I", "LT"}});
    AgregaFila("INVENTAR.DBF", {{"CLPRO_I", "P2"}, {"DSCPR_I", "SAL"}, {"UEMPA_I", "0"}});
    AgregaFila("INVENTAR.DBF", {{"CLPRO_I", "P3"}, {"DSCPR_I", "AZUCAR"}, {"LIPRO_I", "ABARROTE"}});
    AgregaRemision(10, {{"CLCLI_F", "1"}, {"FEDOC_F", "08/03/2010"}});
    AgregaRemision(11, {{"CLCLI_F", "1"}, {"FEDOC_F", "09/03/2010"}});
    AgregaRemision(12, {{"CLCLI_F", "1"}, {"FEDOC_F", "10/03/2010"}, {"REMIS_F", "F7"}});
    AgregaRemision(13, {{"CLCLI_F", "1"}, {"FEDOC_F", "11/03/2010"}, {"STATU_F", "C"}});
    // P1: 20 at 10 cost 6 and 5 at 10 cost 6 (25 units, 12 a package);
    // P2: 3 at 10 with no cost; P3: 4 at 5 sold at cost.
    Linea(10, "P1", "ACEITE", 20, 10, 6, "08/03/2010");
    Linea(10, "P2", "SAL", 3, 10, 0, "08/03/2010");
    Linea(11, "P1", "ACEITE", 5, 10, 6, "09/03/2010");
    Linea(11, "P3", "AZUCAR", 4, 5, 5, "09/03/2010");
    Linea(12, "P2", "SAL", 1, 10, 0, "10/03/2010");
    Linea(13, "P1", "ACEITE", 50, 10, 6, "11/03/2010");
  }

  static void Linea(int documento, const char* clave, const char* descripcion, double cantidad, double precio,
                    double costo, const char* fecha) {
    AgregaFila("RemisioD.dbf", {{"CLDOC_FD", QString::number(documento)},
                                {"CLPRO_FD", clave},
                                {"DEPRO_FD", descripcion},
                                {"CANTI_FD", QString::number(cantidad)},
                                {"PUNPR_FD", QString::number(precio)},
                                {"PREDE_FD", QString::number(precio)},
                                {"COPRO_FD", QString::number(costo)},
                                {"IMPOR_FD", QString::number(cantidad * precio)},
                                {"FEDOC_FD", fecha}});
  }

  // The period of the parameters dialog.
  static std::function<void(TFormaFormatos&)> Periodo(QDate desde, QDate hasta) {
    return [desde, hasta](TFormaFormatos& f) {
      f.Inicial->setDate(desde);
      f.Final->setDate(hasta);
    };
  }
  static inline const QDate kLunes{2010, 3, 8};
  static inline const QDate kViernes{2010, 3, 12};
};

}  // namespace

TEST_F(Globales, GlobalDeUtilidadSumaCadaProductoYSusPorcentajes) {
  Abre("0", [&](Pantalla& p) {
    const CorridaReporte c = Ejecuta(p, "GlobaldeUtilidad1", Periodo(kLunes, kViernes));
    EXPECT_TRUE(c.mostrada);
    EXPECT_EQ(c.caption, "Reporte de Global de Utilidad");
    EXPECT_TRUE(ui::PuertaModal::Mensajes().isEmpty()) << ui::PuertaModal::Mensajes().join("|").toStdString();
  });
  const std::vector<FilaDeta> filas = LeeDeta();
  // Remission 12 is invoiced but not cancelled: it counts; 13 is cancelled.
  ASSERT_EQ(filas.size(), 3u);
  const FilaDeta* p1 = Fila(filas, "P1");
  ASSERT_TRUE(p1);
  EXPECT_DOUBLE_EQ(p1->cantidad, 25);
  EXPECT_DOUBLE_EQ(p1->precio, 250);
  EXPECT_DOUBLE_EQ(p1->costo, 100);
  EXPECT_EQ(p1->docu, "11");  // the later line's document
  EXPECT_EQ(p1->linea, "ABARROTE");
  EXPECT_EQ(p1->prove, "PR1");
  EXPECT_EQ(p1->prove2, "PR2");
  EXPECT_DOUBLE_EQ(p1->empaque, 12);
  // Sales 250 + 40 + 20 = 310, profit 100 + 40 + 0 = 140.
  double total = 0;
  for (const FilaDeta& f : filas) total += f.porcTot;
  EXPECT_NEAR(total, 100, 0.005);
  EXPECT_NEAR(p1->porcTot, 80.645, 0.001);
  EXPECT_NEAR(p1->porcUtil, 71.429, 0.001);
  EXPECT_NEAR(Fila(filas, "P3")->porcUtil, 0, 1e-9);
}

TEST_F(Globales, PeriodoSinVentasYDialogoCancelado) {
  Abre("0", [&](Pantalla& p) {
    const CorridaReporte c = Ejecuta(p, "GlobaldeVenta1", Periodo(QDate(2010, 4, 1), QDate(2010, 4, 2)));
    EXPECT_TRUE(c.mostrada);
  });
  EXPECT_TRUE(LeeDeta().empty());

  // A filled work table from a run, then a dialog not accepted: nothing runs
  // and the table is the empty copy.
  Abre("0", [&](Pantalla& p) { Ejecuta(p, "GlobaldeUtilidad1", Periodo(kLunes, kViernes)); });
  ASSERT_FALSE(LeeDeta().empty());
  Abre("0", [&](Pantalla& p) {
    bool reporte = false;
    ui::PuertaModal::Espera("TFormaFormatos", [](QDialog& d) { prueba::Pulsa(d, "BitBtn2"); });
    ui::PuertaModal::Espera("TFormaReporteSQL", [&reporte](QDialog&) { reporte = true; });
    p.MainMenu1->findChild<QAction*>("GlobaldeUtilidad1")->trigger();
    EXPECT_FALSE(reporte);
    ui::PuertaModal::Reinicia();
  });
  EXPECT_TRUE(LeeDeta().empty());
}

TEST_F(Globales, VentasPorLineaConUtilidadCajasPiezasYMargen) {
  Abre("0", [&](Pantalla& p) {
    EXPECT_TRUE(Ejecuta(p, "GlobaldeVentasporLineaconUtilidad1", Periodo(kLunes, kViernes)).mostrada);
  });
  const std::vector<FilaDeta> filas = LeeDeta();
  const FilaDeta* p1 = Fila(filas, "P1");
  ASSERT_TRUE(p1);
  EXPECT_DOUBLE_EQ(p1->costo, 150);  // the cost of sales
  EXPECT_DOUBLE_EQ(p1->cajas, 2);
  EXPECT_DOUBLE_EQ(p1->piezas, 1);
  EXPECT_NEAR(p1->porcUtil, 66.667, 0.001);
  EXPECT_NEAR(Fila(filas, "P3")->porcUtil, 0, 1e-9);    // sold at cost
  EXPECT_NEAR(Fila(filas, "P2")->porcUtil, 100, 1e-9);  // no cost
  EXPECT_DOUBLE_EQ(Fila(filas, "P2")->cajas, 4);       // no package: the quantity
}

TEST_F(Globales, PeriodoVendidoAlCostoDaCeroYMuestraElReporte) {
  // 9 March with its P1 line gone: P3 alone, sold at cost.
  {
    db::Tabla d;
    d.SetCarpeta(kDatos);
    d.SetNombreTabla("RemisioD.dbf");
    d.Open();
    for (d.First(); !d.Eof(); d.Next())
      if (d.FieldByName("CLPRO_FD").AsString() == "P1" && d.FieldByName("CLDOC_FD").AsInteger() == 11) {
        d.Delete();
        break;
      }
  }
  Abre("0", [&](Pantalla& p) {
    const CorridaReporte c = Ejecuta(p, "GlobaldeUtilidad1", Periodo(kLunes.addDays(1), kLunes.addDays(1)));
    EXPECT_TRUE(c.mostrada);
    EXPECT_TRUE(ui::PuertaModal::Mensajes().isEmpty());
  });
  const std::vector<FilaDeta> filas = LeeDeta();
  ASSERT_EQ(filas.size(), 1u);
  EXPECT_NEAR(filas[0].porcUtil, 0, 1e-9);
  EXPECT_NEAR(filas[0].porcTot, 100, 1e-9);
}

TEST_F(Globales, GlobalPorLineaSumaSinLineaBajoNA) {
  Abre("0", [&](Pantalla& p) { EXPECT_TRUE(Ejecuta(p, "globalporLinea1", Periodo(kLunes, kViernes)).mostrada); });
  const std::vector<FilaDeta> filas = LeeDeta();
  ASSERT_EQ(filas.size(), 2u);
  const FilaDeta* na = Fila(filas, " N.A.", true);
  ASSERT_TRUE(na);
  EXPECT_DOUBLE_EQ(na->cantidad, 4);
  EXPECT_DOUBLE_EQ(na->precio, 40);
  EXPECT_TRUE(na->clave.isEmpty());
  const FilaDeta* abarrotes = Fila(filas, "ABARROTE", true);
  ASSERT_TRUE(abarrotes);
  EXPECT_DOUBLE_EQ(abarrotes->cantidad, 29);
  EXPECT_DOUBLE_EQ(abarrotes->precio, 270);
}

TEST_F(Globales, GuionesYArgumentosDelEjecutor) {
  const MiembroGlobal* m = MiembroGlobalDe("GlobaldeUtilidad1");
  ASSERT_TRUE(m);
  EXPECT_EQ(GuionGlobal(*m),
            "$Global de Utilidad\r"
            "& Select CANTIDAD,EMPAQUE,PROVE,PROVE2,PRODUCTO,PRECIO,COSTO,PORC_TOT,PORC_UTIL,DOCU,CLAVE from "
            "\"c:\\VRL\\deta.DBF\"\r"
            "? CLAVE=CLAVE\r"
            "!DOCU\r"
            "%t                  c         c         c           c                    t              t                t "
            "            t                c              \r"
            "#CANTIDAD           EMPAQUE   PROVE1    PROVE2      PRODUCTO             TOTAL_VENTA    TOTAL_UTIL       "
            "PORC_TOTAL    PORC_UTIL        DOCUMENTO      \r"
            "@\r");
  EXPECT_EQ(GuionGlobal(*MiembroGlobalDe("globalporLinea1")),
            "$Global por Línea\r"
            "& Select LINEA,CANTIDAD,EMPAQUE,PROVE,PROVE2,PRECIO,COSTO,PORC_TOT,PORC_UTIL,CLAVE from "
            "\"c:\\VRL\\deta.DBF\"\r"
            "!LINEA\r"
            "%c         t              t              c         c         c           t                t             t "
            "               \r"
            "#LINEA     TOTAL_VENTA    CANTIDAD       EMPAQUE   PROVE1    PROVE2      TOTAL_UTIL       PORC_TOTAL    "
            "PORC_UTIL        \r"
            "@\r");
  EXPECT_EQ(GuionGlobal(*MiembroGlobalDe("GlobaldeVentasporLinea1")).section('\r', 1, 4),
            "& Select CANTIDAD,(CANTIDAD/EMPAQUE) AS EMPAQUE,PRODUCTO,LINEA,PROVE,PROVE2,PRODUCTO,PRECIO,COSTO,"
            "PORC_TOT,PORC_UTIL,DOCU,CLAVE from \"c:\\VRL\\deta.DBF\"\r? CLAVE=CLAVE\r!LINEA\r>LINEA");
  // Every member asks for its period once; the runner shows no dialog of
  // its own and reads the work table with the range of its key.
  for (const MiembroGlobal& g : MiembrosGlobales()) {
    SCOPED_TRACE(g.clave);
    Abre("0", [&](Pantalla& p) {
      int dialogos = 0;
      ui::PuertaModal::Espera("TFormaFormatos", [&dialogos](QDialog& d) {
        ++dialogos;
        auto& f = static_cast<TFormaFormatos&>(d);
        f.Inicial->setDate(kLunes);
        f.Final->setDate(kViernes);
        prueba::Pulsa(d, "BitBtn4");
      });
      QString sql;
      ui::PuertaModal::Espera("TFormaReporteSQL",
                              [&sql](QDialog& d) { sql = static_cast<TFormaReporteSQL&>(d).Query1->SQL(); });
      p.MainMenu1->findChild<QAction*>(g.clave)->trigger();
      EXPECT_EQ(dialogos, 1);
      EXPECT_TRUE(sql.contains("deta.DBF", Qt::CaseInsensitive)) << sql.toStdString();
      EXPECT_FALSE(sql.contains("FEDOC", Qt::CaseInsensitive)) << sql.toStdString();
      EXPECT_TRUE(ui::PuertaModal::Mensajes().isEmpty()) << ui::PuertaModal::Mensajes().join("|").toStdString();
      ui::PuertaModal::Reinicia();
    });
  }
}

namespace {

// The capture table emptied, then one row per (key, quantity).
void Captura(Pantalla& p, const QList<std::pair<QString, QString>>& filas) {
  db::Tabla& d = *p.TablaDeta;
  while (!d.IsEmpty()) {
    d.First();
    d.Delete();
  }
  for (const auto& [clave, cantidad] : filas) {
    d.Append();
    d.FieldByName("CLAVE").SetAsString(clave);
    d.FieldByName("CANTIDAD").SetAsString(cantidad);
    d.Post();
  }
}

// Runs "Exportar Documento" answering the folder dialog.
void Exporta(Pantalla& p, const QString& carpeta, bool acepta, QString* mostrada = nullptr) {
  ui::PuertaModal::Espera("TFormaCaja", [=](QDialog& d) {
    auto& c = static_cast<TFormaCaja&>(d);
    if (mostrada) *mostrada = c.Formato->text();
    EXPECT_FALSE(c.NoCaja->isVisible());
    c.Formato->setText(carpeta);
    prueba::Pulsa(d, acepta ? "BitBtn1" : "BitBtn2");
  });
  p.MainMenu1->findChild<QAction*>("ExportarDocumento1")->trigger();
}

}  // namespace

TEST_F(Globales, ExportarDocumentoAgregaLasLineasCadaVez) {
  fs::CreaCarpeta("C:\\EXPORTA");
  fs::CreaCarpeta("C:\\VACIA");
  const QString cnf = "C:\\VRL\\Exporta.cnf";
  Abre("0", [&](Pantalla& p) {
    Captura(p, {{"P1", "2"}, {"P3", "1.5"}});
    const QString doc = p.EditCLDOC_F->text();
    Exporta(p, "C:\\EXPORTA", true);
    QString mostrada;
    Exporta(p, "C:\\EXPORTA", true, &mostrada);
    EXPECT_EQ(mostrada, "C:\\EXPORTA");
    const QString linea1 = doc + ",P1,2,3";
    const QString linea2 = doc + ",P3,1.5,3";
    EXPECT_EQ(fs::LeeBytes("C:\\EXPORTA\\Movimientos.mov"),
              (linea1 + "\r\n" + linea2 + "\r\n" + linea1 + "\r\n" + linea2 + "\r\n").toLatin1());
    EXPECT_EQ(fs::LeeLineas(cnf), QStringList{"C:\\EXPORTA"});

    // Cancelled: nothing written, the folder shown kept.
    Exporta(p, "C:\\OTRA", false);
    EXPECT_EQ(fs::LeeLineas(cnf), QStringList{"C:\\OTRA"});
    EXPECT_FALSE(fs::Existe("C:\\OTRA\\Movimientos.mov"));

    // An empty capture makes the file with no line.
    Captura(p, {});
    Exporta(p, "C:\\VACIA", true);
    ASSERT_TRUE(fs::ExisteArchivo("C:\\VACIA\\Movimientos.mov"));
    EXPECT_TRUE(fs::LeeBytes("C:\\VACIA\\Movimientos.mov").isEmpty());

    // A folder that cannot be written is told; Exporta.cnf stays.
    Captura(p, {{"P1", "1"}});
    Exporta(p, "C:\\NOEXISTE\\SUB", true);
    EXPECT_EQ(ui::PuertaModal::Mensajes().size(), 1);
    EXPECT_EQ(fs::LeeLineas(cnf), QStringList{"C:\\VACIA"});
    ui::PuertaModal::LimpiaMensajes();
  });
}

TEST_F(Globales, VentaEnEsperaEscribeMultiDatYArrancaElSegundoPrograma) {
  qputenv("VORLAN_PROGRAMAS", "Tolvrin.exe=vorlan-espera");
  prueba::LanzadorGrabador lanzador;
  Abre("0", [&](Pantalla& p) {
    QAction* item = p.MainMenu1->findChild<QAction*>("VentaenEspera1");
    ASSERT_TRUE(item && item->isEnabled());
    EXPECT_EQ(item->shortcut(), QKeySequence("Ctrl+X"));
    const QString doc = p.EditCLDOC_F->text();
    item->trigger();
    EXPECT_EQ(fs::LeeBytes("C:\\VRL\\Multi.dat"), QByteArray("0\r\n\r\nDeta\r\n"));
    ASSERT_EQ(lanzador.iniciados.size(), 1);
    EXPECT_EQ(lanzador.iniciados[0].programa, "vorlan-espera");
    EXPECT_EQ(p.EditCLDOC_F->text(), doc);
    // A program that is not there is not reported.
    lanzador.faltantes << "vorlan-espera";
    item->trigger();
    EXPECT_TRUE(ui::PuertaModal::Mensajes().isEmpty());
  });
  qunsetenv("VORLAN_PROGRAMAS");
}

namespace {

class SinFacturar : public Globales {
 protected:
  void SetUp() override {
    Globales::SetUp();
    QString todos(kNumeroDerechos, u's');
    QString sin53 = todos;
    sin53[DerechoReimprimir - 1] = u'n';
    EscribeUsuarios({{"adm", todos}, {"caja", todos}, {"otra", todos}, {"bodega", todos}, {"sin53", sin53}});
  }

  // Runs the unbilled command with the week as period and the password.
  static CorridaReporte Corre(Pantalla& p, const char* comando, const QString& clave) {
    ui::PuertaModal::Espera("TFormaAdministrador", [clave](QDialog& d) {
      static_cast<TFormaAdministrador&>(d).Clave->setText(clave);
      prueba::Pulsa(d, "BitBtn1");
    });
    return Ejecuta(p, comando, Periodo(kLunes, kViernes));
  }

  static int Facturas() {
    db::Tabla t;
    t.SetCarpeta(kDatos);
    t.SetNombreTabla("FacturaE.dbf");
    t.Open();
    return t.RecordCount();
  }
};

}  // namespace

TEST_F(SinFacturar, ListaSoloRemisionesSinFacturarYSinDerechoNoFactura) {
  Abre("0", [&](Pantalla& p) {
    const CorridaReporte c = Corre(p, "ConcentradodeVentassinFacturar1", "sin53");
    EXPECT_TRUE(c.mostrada);
    EXPECT_EQ(ui::PuertaModal::Mensajes(), QStringList{kSinAcceso});
    ui::PuertaModal::LimpiaMensajes();
  });
  const std::vector<FilaDeta> filas = LeeDeta();
  QStringList documentos;
  for (const FilaDeta& f : filas) documentos << f.docu + ":" + f.clave;
  // In document order; remission 12 is invoiced, 13 cancelled.
  EXPECT_EQ(documentos, (QStringList{"10:P1", "10:P2", "11:P1", "11:P3"}));
  EXPECT_EQ(Facturas(), 2);
  double total = 0;
  for (const FilaDeta& f : filas) total += f.porcTot;
  EXPECT_NEAR(total, 100, 0.005);
}

TEST_F(SinFacturar, ConElDerechoFacturaLasLineasYMarcaLasRemisiones) {
  Abre("0", [&](Pantalla& p) {
    ui::PuertaModal::LimpiaMensajes();
    EXPECT_TRUE(Corre(p, "ConcentradodeVentassinFacturar1", "adm").mostrada);
    EXPECT_EQ(ui::PuertaModal::Mensajes(),
              (QStringList{"agrego detalle correcto", "creo factura  correcto", "actualiza facturad"}));
    ui::PuertaModal::LimpiaMensajes();
    // The new document the lines were put into is left.
    EXPECT_NE(p.EstadoCaptura->text(), "Capturando...");
  });
  ASSERT_EQ(Facturas(), 3);
  // The invoice's lines: each listed line at its unit price.
  {
    db::Tabla d;
    d.SetCarpeta(kDatos);
    d.SetNombreTabla("FacturaD.dbf");
    d.Open();
    QStringList lineas;
    for (d.First(); !d.Eof(); d.Next())
      if (d.FieldByName("CLDOC_FD").AsString() == "3")
        lineas << d.FieldByName("CLPRO_FD").AsString() + " " + d.FieldByName("CANTI_FD").AsString() + " " +
                      d.FieldByName("PUNPR_FD").AsString() + " " + d.FieldByName("IMPOR_FD").AsString();
    lineas.sort();
    EXPECT_EQ(lineas, (QStringList{"P1 20 10 200", "P1 5 10 50", "P2 3 10 30", "P3 4 5 20"}));
  }
  db::Tabla r;
  r.SetCarpeta(kDatos);
  r.SetNombreTabla("Remision.dbf");
  r.Open();
  r.SetIndexName("INUMENC");
  ASSERT_TRUE(r.FindKey({10}));
  EXPECT_EQ(r.FieldByName("REMIS_F").AsString(), "F3");
  ASSERT_TRUE(r.FindKey({11}));
  EXPECT_EQ(r.FieldByName("REMIS_F").AsString(), "F3");
  r.Close();
  // A second run lists none of them.
  Abre("0", [&](Pantalla& p) {
    Corre(p, "VentasporFacturar1", "sin53");
    ui::PuertaModal::LimpiaMensajes();
  });
  EXPECT_TRUE(LeeDeta().empty());
}

TEST_F(Globales, TablaDeTrabajoOcupadaPorOtraCopiaNoCorreNada) {
  Abre("0", [&](Pantalla& p) { Ejecuta(p, "GlobaldeUtilidad1", Periodo(kLunes, kViernes)); });
  const std::size_t filas = LeeDeta().size();
  ASSERT_GT(filas, 0u);
  // Another copy of the program reads the work table all along.
  db::Tabla otra;
  otra.SetCarpeta("c:\\VRL\\");
  otra.SetNombreTabla("deta.DBF");
  otra.Open();
  Abre("0", [&](Pantalla& p) {
    bool dialogo = false;
    bool reporte = false;
    ui::PuertaModal::Espera("TFormaFormatos", [&dialogo](QDialog&) { dialogo = true; });
    ui::PuertaModal::Espera("TFormaReporteSQL", [&reporte](QDialog&) { reporte = true; });
    ui::PuertaModal::LimpiaMensajes();
    p.MainMenu1->findChild<QAction*>("GlobaldeVenta1")->trigger();
    EXPECT_FALSE(dialogo);
    EXPECT_FALSE(reporte);
    const QStringList mensajes = ui::PuertaModal::Mensajes();
    ASSERT_EQ(mensajes.size(), 1);
    EXPECT_TRUE(mensajes[0].contains("deta.DBF") && mensajes[0].contains("otro usuario")) << mensajes[0].toStdString();
    ui::PuertaModal::Reinicia();
  });
  otra.Close();
  EXPECT_EQ(LeeDeta().size(), filas);
}

TEST_F(Globales, ConOtraCarpetaDeProgramaLaPlantillaSeHaceYSeCopia) {
  qputenv("VORLAN_PROGRAM_FOLDER", "C:\\PROG");
  const struct Restaura {
    ~Restaura() { qunsetenv("VORLAN_PROGRAM_FOLDER"); }
  } restaura;
  fs::CreaCarpeta("C:\\PROG");
  {
    std::unique_ptr<db::Tabla> t = PreparaTablaDeta("CLAVE");
    EXPECT_TRUE(t->Exclusive());
    t->Append();
    t->FieldByName("CLAVE").SetAsString("X");
    t->Post();
  }
  EXPECT_TRUE(db::Tabla::Existe("C:\\PROG", "DETA.DBF"));
  EXPECT_EQ(LeeDeta().size(), 1u);
  // The next run starts from the empty template again.
  std::unique_ptr<db::Tabla> t = PreparaTablaDeta("LINEA");
  EXPECT_TRUE(t->IsEmpty());
  EXPECT_EQ(t->IndexName().toUpper(), "LINEA");
}
