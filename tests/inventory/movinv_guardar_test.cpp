// Saving movement documents as a user saves them in the movement window:
// the stock, rows, totals, average cost and date each line leaves, negative
// stock, the supplier credit note of concept 20, transfers into another
// folder, the checks of the header, a save that cannot be done whole, and
// two stations saving documents of one product at once.

#include "inventory/PosteoMovimiento.h"
#include "movimientos_prueba.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "foundation/UnidadTrabajo.h"
#include "platform/db/PuntosFalla.h"
#include "platform/fs/Falla.h"
#include "support/Maneja.h"
#include "support/Proceso.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>
#include <QToolButton>

namespace {

using namespace movimientos;
// Named here too: another unit of the same batch may bring the test support's keys.
using movimientos::Tecla;

const QString kDestino = QStringLiteral("C:\\VRL\\ALMACEN2");
// 05/03/2024 as a day number, the stamp of the last movement.
const QString kHoy = QStringLiteral("45356");

class GuardaMovimientos : public MovimientosPrueba {
 protected:
  void SetUp() override {
    MovimientosPrueba::SetUp();
    Agrega("comovinv.dbf", {"NUCON_CM", "DECON_CM", "TIPOX_CM", "ALMAC_CM"},
           {{3, "Salida por Venta", "", ""},
            {20, "Devolución con Nota", "", ""},
            {9, "Traspaso", "T", kDestino},
            {10, "Traspaso sin almacén", "T", "C:\\VRL\\NOEXISTE"}});
  }

  // A new document with its header typed.
  TFormaMovimientosInventario& Nuevo(int concepto, const QString& contraparte = {}, const QString& referencia = {}) {
    TFormaMovimientosInventario& v = Ventana();
    prueba::Pulsa(v, "BotonNuevo");
    Escribe(contraparte);
    v.EditREFMO_MI->setFocus();
    Escribe(referencia);
    v.EditTIMOV_MI->setFocus();
    Escribe(QString::number(concepto));
    v.Detalle->setFocus();
    v.Detalle->SetSelectedIndex(0);
    return v;
  }

  // One line typed in the capture grid: quantity, key (the product fills
  // cost and price), the cost typed over when given; the cursor ends on the
  // next line's quantity.
  static void Linea(const QString& cantidad, const QString& clave, const QString& costo = {}) {
    Escribe(cantidad);
    Tecla(Qt::Key_Return);
    Tecla(Qt::Key_Return);
    Escribe(clave);
    Tecla(Qt::Key_Return);
    Tecla(Qt::Key_Return);
    Escribe(costo);
    for (int i = 0; i < 3; ++i) Tecla(Qt::Key_Return);
  }

  static void Guarda(TFormaMovimientosInventario& v) {
    ui::PuertaModal::LimpiaMensajes();
    prueba::Pulsa(v, "BotonGuardar");
  }

  static QString Producto(const QString& clave, const QString& carpeta = kDatos) {
    auto t = Abre("INVENTAR.DBF", "ICLPRO", carpeta);
    if (!t->FindKey({clave})) return "no existe";
    return QStringList{t->FieldByName("EXIST_I").AsString(), t->FieldByName("CPROM_I").AsString(),
                       t->FieldByName("FPGCI_I").AsString()}
        .join(u'|');
  }
  static void FijaProducto(const QString& clave, const QString& campo, const QVariant& valor,
                           const QString& carpeta = kDatos) {
    auto t = Abre("INVENTAR.DBF", "ICLPRO", carpeta);
    ASSERT_TRUE(t->FindKey({clave}));
    t->Edit();
    t->FieldByName(campo).SetValue(valor);
    t->Post();
  }
  static QStringList Renglones(const QString& carpeta = kDatos) {
    return Filas("MOVINVEN.DBF", {"CLDOC_MI", "TIMOV_MI", "CLPRO_MI", "CANTI_MI"}, carpeta);
  }
  static QStringList Kardex() {
    return Filas("Kardex.dbf", {"CLPRO_I", "ENTRA_I", "SALID_I", "EXIST_I", "INVEN_I"});
  }
  static QStringList Bitacora(int documento) {
    const QString ruta = fs::Une(kDatos, QStringLiteral("Bitacora\\M-%1.bit").arg(documento));
    return fs::ExisteArchivo(ruta) ? fs::LeeLineas(ruta) : QStringList();
  }
  // The destination folder of transfers, its tables as this folder's.
  static void CreaDestino() {
    fs::CreaCarpeta(kDestino);
    for (const char* archivo : {"MOVINVEN.DBF", "INVENTAR.DBF"}) {
      auto modelo = Abre(archivo);
      db::Tabla::CreaComo(kDestino, archivo, *modelo);
    }
  }
};

TEST_F(GuardaMovimientos, UnaSalidaMueveLaExistenciaEscribeSusRenglonesYQuedaALaVista) {
  TFormaMovimientosInventario& v = Nuevo(3, "CL1", "REM 44");
  Linea("5", "P1");
  Linea("-2", "P1");
  Linea("0", "P1");
  Guarda(v);
  EXPECT_EQ(Mensajes(), QStringList());

  // 40 − 5 + 2; no row for the 0 line, the negative one as concept 8.
  EXPECT_EQ(Producto("P1"), "37||" + kHoy);
  EXPECT_EQ(Renglones(), (QStringList{"1|3|P1|5", "1|8|P1|2"}));
  EXPECT_EQ(Filas("MOVINVEN.DBF", {"NUDOC_MI", "CLPRV_MI", "CLCOP_MI", "REFMO_MI", "FEDOC_MI", "COSUN_MI", "PUNIT_MI",
                                   "NALMA_MI", "USUARIO", "HORAF_F", "DESCR_MI"}),
            QStringList(2, "M1|CL1|CL1|REM 44|05/03/2024|18.5|24.9|1|0|0|Arroz 1 kg"));
  EXPECT_EQ(Kardex(), QStringList{"P1|0|-3|-3|37"});

  // Browsing the saved document, the capture emptied.
  EXPECT_FALSE(v.Capturando());
  EXPECT_FALSE(v.BotonGuardar->isEnabled());
  EXPECT_TRUE(v.BotonNuevo->isEnabled() && v.Botonultimo->isEnabled());
  EXPECT_TRUE(v.DetalleConsulta->isVisible());
  EXPECT_EQ(v.EditCLDOC_MI->text(), "1");
  EXPECT_EQ(v.TIPMOV->text(), "Salida por Venta");
  EXPECT_EQ(v.DetalleConsulta->model()->rowCount(), 2);
  EXPECT_EQ(Captura(), QStringList());
  EXPECT_EQ(Bitacora(1), (QStringList{"05/03/2024 10:30:00 NUEVO Por Usuario 0",
                                      "05/03/2024 10:30:00 GUARDADA Por Usuario 0"}));

  // The menu item saves too; without line 85 no log line is written. A
  // key the product table lacks is written without stock or totals.
  FijaLinea(ConfBitacora, "N");
  TFormaMovimientosInventario& w = Nuevo(3);
  Linea("1", "P3");
  w.TablaDeta->Append();
  w.TablaDeta->FieldByName("CANTIDAD").SetAsFloat(2);
  w.TablaDeta->FieldByName("CLAVE").SetAsString("ZZ");
  w.TablaDeta->Post();
  w.Guardar1->trigger();
  EXPECT_FALSE(w.Capturando());
  EXPECT_EQ(Producto("P3"), "6||" + kHoy);
  EXPECT_EQ(Renglones().mid(2), (QStringList{"2|3|P3|1", "2|3|ZZ|2"}));
  EXPECT_EQ(Kardex(), (QStringList{"P1|0|-3|-3|37", "P3|0|-1|-1|6"}));
  EXPECT_EQ(Bitacora(2), QStringList());

  // A document without lines leaves its provisional row, no longer held:
  // the next visit to the last document removes it.
  TFormaMovimientosInventario& x = Nuevo(3);
  Guarda(x);
  EXPECT_FALSE(x.Capturando());
  EXPECT_EQ(Renglones().mid(4), QStringList{"3|3||"});
  x.Botonultimo->click();
  EXPECT_EQ(Renglones().size(), 4);
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(GuardaMovimientos, ElCostoPromedio) {
  struct Caso {
    const char* metodo;
    double existencia, cantidad, promedio, costo, esperado;
  };
  const Caso casos[] = {
      {"PROM", 5, 10, 9, 12, 11},  // (5 × 9 + 10 × 12) / 15
      {"", 5, 10, 9, 12, 11},      // an empty method is "PROM"
      {"PEPS", 5, 10, 9, 12, 12},
      {"UEPS", 5, 10, 9, 12, 12},
      {"PROM", 0, 10, 9, 12, 12},
      {"PROM", -3, 10, 9, 12, 12},
      {"PROM", 3, 1, 10, 11, 10.25},
      {"PROM", 3, 0.5, 1, 2, 1.1429},  // rounded to four decimals
      {"PROM", 5, -5, 9, 12, 9},       // nothing left to weigh: kept
      {"PROM", 5, -7, 9, 12, 9},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(testing::Message() << c.metodo << " " << c.existencia << " + " << c.cantidad);
    EXPECT_EQ(CostoPromedio(c.metodo, c.existencia, c.cantidad, Dinero::DeReal(c.promedio), Dinero::DeReal(c.costo)),
              Dinero::DeReal(c.esperado));
  }
}

TEST_F(GuardaMovimientos, LasEntradasDeCompraEInventarioInicialLlevanElPromedioLinePorLinea) {
  FijaProducto("P2", "CPROM_I", 9);
  FijaProducto("P2", "TICOS_I", "PROM");
  // Each line weighs the stock the line before it left: 10 at 9 with 10 at
  // 12 gives 10.5; that with 20 at 15 gives 12.75. A line without cost
  // leaves it.
  TFormaMovimientosInventario& v = Nuevo(51);
  Linea("10", "P2", "12");
  Linea("20", "P2", "15");
  Linea("5", "P2", "0");
  Guarda(v);
  EXPECT_EQ(Producto("P2"), "45|12.75|" + kHoy);

  // An exit or another entry concept never touches it; an initial inventory does.
  for (const auto& [concepto, esperado] : {std::pair{3, "44|12.75"}, std::pair{56, "45|12.75"},
                                          std::pair{57, "46|12.6685"}}) {
    TFormaMovimientosInventario& w = Nuevo(concepto);
    Linea("1", "P2", "9");
    Guarda(w);
    EXPECT_EQ(Producto("P2"), QString(esperado) + "|" + kHoy) << concepto;
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(GuardaMovimientos, SinExistenciasNegativasSeGuardaCeroYLosTotalesLlevanLaCuenta) {
  for (const QString linea41 : {"N", "S"}) {
    SCOPED_TRACE(linea41.toStdString());
    FijaLinea(ConfExistenciasNegativas, linea41);
    FijaProducto("P3", "EXIST_I", 7);
    TFormaMovimientosInventario& v = Nuevo(3);
    Linea("11", "P3");
    Guarda(v);
    EXPECT_EQ(Producto("P3"), (linea41 == "N" ? "0||" : "-4||") + kHoy);
    // INVEN_I is the stock before the clamp either way.
    ASSERT_EQ(Kardex().size(), 1);
    EXPECT_TRUE(Kardex()[0].endsWith("|-4")) << Kardex()[0].toStdString();
  }
}

RUTINA_HIJA(CapturaDocumento) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char nombre[] = "estacion";
  static char* argv[] = {nombre, nullptr};
  ui::Aplicacion aplicacion(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  TFormaMovimientosInventario v;
  v.Show();
  v.DisparaActivacion();
  v.BotonNuevo->click();
  prueba::AvisaPadre(v.EditCLDOC_MI->text());
  prueba::EsperaPadre();
  return 0;
}

TEST_F(GuardaMovimientos, ElConcepto20AbonaLaCompraDeSuReferenciaAunqueOtraEstacionCaptureDespues) {
  Agrega("ComprasE.dbf", {"CLDOC_O", "CLPRV_O", "IMDOC_O", "ABONO_O", "SALDO_O"}, {{15, "PR1", 500, 100, 400}});
  TFormaMovimientosInventario& v = Nuevo(20, "PR1", "15");
  // Another station starts a later document meanwhile: its provisional row
  // is the last of the table when this one is saved.
  prueba::ProcesoHijo otra("CapturaDocumento");
  ASSERT_EQ(otra.EsperaLinea(), "2");
  Linea("2", "P1");        // 2 × 18.5
  Linea("3", "P2", "20");  // 3 × 20
  Guarda(v);
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(Filas("CUEPAGAR.DBF", {"NUCOM_CP", "CLPRO_CP", "IMCUE_CP", "ABONO_CP", "TIMOV_CP", "FEAPL_CP", "FEVEN_CP",
                                   "OPERA_CP", "CONCE_CP"}),
            QStringList{"15|PR1|97|97|10|05/03/2024|05/03/2024|A|Nota de Crédito"});
  EXPECT_EQ(Filas("ComprasE.dbf", {"CLDOC_O", "ABONO_O", "SALDO_O"}), QStringList{"15|197|303"});
  EXPECT_EQ(Bitacora(1).value(1), "05/03/2024 10:30:00 GUARDADA Por Usuario 0");
  EXPECT_FALSE(Bitacora(2).join(u' ').contains("GUARDADA"));
  otra.Envia("");
  EXPECT_EQ(otra.Espera(), 0);

  // A reference that names no purchase, or a concept other than 20: nothing.
  for (const auto& [concepto, referencia] : {std::pair{20, "16"}, std::pair{20, "ABC"}, std::pair{6, "15"}}) {
    TFormaMovimientosInventario& w = Nuevo(concepto, "PR1", referencia);
    Linea("1", "P1");
    Guarda(w);
    EXPECT_FALSE(w.Capturando());
  }
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(Filas("CUEPAGAR.DBF", {"NUCOM_CP"}).size(), 1);
  EXPECT_EQ(Filas("ComprasE.dbf", {"CLDOC_O", "ABONO_O", "SALDO_O"}), QStringList{"15|197|303"});
}

TEST_F(GuardaMovimientos, UnTraspasoLlevaLaMercanciaAlAlmacenDestino) {
  CreaDestino();
  {
    auto t = Abre("INVENTAR.DBF", {}, kDestino);
    t->Append();
    t->FieldByName("CLPRO_I").SetAsString("P1");
    t->FieldByName("DSCPR_I").SetAsString("Arroz 1 kg");
    t->FieldByName("UEMPA_I").SetAsFloat(12);
    t->FieldByName("EXIST_I").SetAsFloat(4);
    t->Post();
  }
  struct Caso {
    QString linea57;
    QStringList destino;  // rows at the destination after the save
    QString p1;           // P1's stock there
  };
  const Caso casos[] = {
      {"S", {"1|60|P1|36", "1|60|P2|2"}, "40"},
      {"N", {"1|60|P1|36", "1|60|P2|2", "2|60|P1|3", "2|60|P2|2"}, "43"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.linea57.toStdString());
    FijaLinea(ConfTraspasosEmpaque, c.linea57);
    TFormaMovimientosInventario& v = Nuevo(9, "CL1", "T-1");
    Linea("3", "P1");  // 3 packages of 12 at the destination
    Linea("2", "P2");  // missing there: made first
    Guarda(v);
    EXPECT_EQ(Mensajes(), QStringList());
    EXPECT_EQ(Renglones(kDestino), c.destino);
    EXPECT_EQ(Producto("P1", kDestino).section(u'|', 0, 0), c.p1);
  }
  // Here the transfer is an exit of each line, twice.
  EXPECT_EQ(Producto("P1"), "34||" + kHoy);
  EXPECT_EQ(Producto("P2"), "6||" + kHoy);
  // The product made there is this folder's but for its stock.
  EXPECT_EQ(Filas("INVENTAR.DBF", {"CLPRO_I", "DSCPR_I", "ULCOS_I", "PPUBL_I", "EXIST_I"}, kDestino),
            (QStringList{"P1|Arroz 1 kg|||43", "P2|Frijol 1 kg|20|30|4"}));
  // The destination rows carry the header, not this folder's numbering.
  EXPECT_EQ(Filas("MOVINVEN.DBF", {"CLPRV_MI", "REFMO_MI", "FEDOC_MI", "COSUN_MI", "NALMA_MI", "NUDOC_MI", "USUARIO"},
                  kDestino)
                .value(1),
            "CL1|T-1|05/03/2024|20|1||");
}

RUTINA_HIJA(SostieneProducto) {
  db::Tabla t;
  t.SetCarpeta(argumentos.value(0));
  t.SetNombreTabla("INVENTAR.DBF");
  t.Open();
  t.SetIndexName("ICLPRO");
  if (!t.FindKey({argumentos.value(1)})) return 2;
  t.Edit();
  prueba::AvisaPadre("LISTO");
  prueba::EsperaPadre();
  t.Cancel();
  return 0;
}

TEST_F(GuardaMovimientos, FaltandoDatosNoSeGuardaYSeSigueCapturando) {
  TFormaMovimientosInventario& v = Nuevo(3);
  Linea("1", "P1");
  // No concept: said, and the focus goes to it.
  v.EditTIMOV_MI->setFocus();
  v.EditTIMOV_MI->selectAll();
  Tecla(Qt::Key_Delete);
  Guarda(v);
  EXPECT_EQ(Mensajes(), QStringList{kFaltaTipoMovimiento});
  EXPECT_EQ(QApplication::focusWidget(), v.EditTIMOV_MI);
  // No date.
  Escribe("3");
  v.Tablamovinve->FieldByName("FEDOC_MI").Clear();
  Guarda(v);
  EXPECT_EQ(Mensajes(), QStringList{kFaltanDatosMovimiento});
  EXPECT_TRUE(v.Capturando());
  EXPECT_EQ(Renglones(), QStringList{"1|||"});
  EXPECT_EQ(Producto("P1"), "40||");
  EXPECT_EQ(Captura().size(), 1);
  Descarta(v);
}

TEST_F(GuardaMovimientos, UnDocumentoQueNoSePuedeGuardarEnteroNoDejaNadaYSeGuardaDespues) {
  TFormaMovimientosInventario& v = Nuevo(3);
  Linea("4", "P1");
  Linea("2", "P2");

  // P2 held by another station: after the bounded wait, nothing posted.
  {
    prueba::ProcesoHijo otra("SostieneProducto", {kDatos, "P2"});
    ASSERT_EQ(otra.EsperaLinea(), "LISTO");
    Guarda(v);
    EXPECT_EQ(Mensajes(), QStringList{"El producto P2 está en uso en otra estación; no se guardó el documento"});
    otra.Envia("");
    EXPECT_EQ(otra.Espera(), 0);
  }
  EXPECT_TRUE(v.Capturando());
  EXPECT_EQ(Renglones(), QStringList{"1|||"});
  EXPECT_EQ(Producto("P1"), "40||");
  EXPECT_EQ(Kardex(), QStringList());

  // A line whose quantity does not fit the movement table, after two that
  // were written: they are undone. The provisional row keeps the header.
  Tecla(Qt::Key_Down);
  Linea("12345678901", "P3");
  Guarda(v);
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].contains("CANTI_MI") && Mensajes()[0].endsWith("; no se guardó el documento"))
      << Mensajes()[0].toStdString();
  EXPECT_TRUE(v.Capturando());
  EXPECT_EQ(Renglones(), QStringList{"1|3||"});
  EXPECT_EQ((QStringList{Producto("P1"), Producto("P2"), Producto("P3")}), (QStringList{"40||", "10||", "7||"}));
  EXPECT_EQ(Kardex(), QStringList());

  // The provisional row is still this station's: another cannot take it.
  {
    auto t = Abre("MOVINVEN.DBF");
    EXPECT_THROW(t->Edit(), plat::Error);
  }

  // Without the bad line the same capture saves, each line once.
  v.TablaDeta->Last();
  v.TablaDeta->Delete();
  Guarda(v);
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_FALSE(v.Capturando());
  EXPECT_EQ(Renglones(), (QStringList{"1|3|P1|4", "1|3|P2|2"}));
  EXPECT_EQ((QStringList{Producto("P1"), Producto("P2")}), (QStringList{"36||" + kHoy, "8||" + kHoy}));

  // A transfer whose destination cannot be opened names it.
  TFormaMovimientosInventario& w = Nuevo(10);
  Linea("1", "P1");
  Guarda(w);
  EXPECT_EQ(Mensajes(),
            QStringList{"No se puede abrir el almacén destino \"C:\\VRL\\NOEXISTE\"; no se guardó el documento"});
  EXPECT_TRUE(w.Capturando());
  EXPECT_EQ(Producto("P1"), "36||" + kHoy);
  Descarta(w);
}

TEST_F(GuardaMovimientos, LaPreguntaAlCerrarGuardaSinNotaDeCreditoNiBitacora) {
  Agrega("ComprasE.dbf", {"CLDOC_O", "ABONO_O", "SALDO_O"}, {{15, 0, 400}});
  TFormaMovimientosInventario& v = Nuevo(20, "PR1", "15");
  Linea("2", "P1");
  // Without a concept the window stays open.
  v.EditTIMOV_MI->setFocus();
  v.EditTIMOV_MI->selectAll();
  Tecla(Qt::Key_Delete);
  ui::PuertaModal::LimpiaMensajes();
  Responde(1);
  v.Close();
  EXPECT_TRUE(v.isVisible());
  EXPECT_EQ(Mensajes(), QStringList{kFaltaTipoMovimiento});

  Escribe("20");
  Responde(1);
  v.Close();
  EXPECT_FALSE(v.isVisible());
  EXPECT_EQ(Renglones(), QStringList{"1|20|P1|2"});
  EXPECT_EQ(Producto("P1"), "38||" + kHoy);
  EXPECT_EQ(Filas("CUEPAGAR.DBF", {"NUCOM_CP"}), QStringList());
  EXPECT_EQ(Bitacora(1), QStringList{"05/03/2024 10:30:00 NUEVO Por Usuario 0"});
}

// --- Two stations saving at once.

// Saves documents of one product from its own program folder (argumentos:
// the folder, the number of documents): entries of 5 (concept 51) and exits
// of 3 (concept 3) in turn.
RUTINA_HIJA(GuardaDocumentos) {
  qputenv("VORLAN_PROGRAM_FOLDER", argumentos.value(0).toLocal8Bit());
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char nombre[] = "estacion";
  static char* argv[] = {nombre, nullptr};
  ui::Aplicacion aplicacion(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  TFormaMovimientosInventario v;
  v.Show();
  v.DisparaActivacion();
  prueba::AvisaPadre("LISTO");
  prueba::EsperaPadre();
  for (int i = 0; i < argumentos.value(1).toInt(); ++i) {
    v.BotonNuevo->click();
    if (!v.Capturando()) return 2;
    const bool entrada = i % 2 == 0;
    v.FijaConcepto(entrada ? "51" : "3", {});
    v.TablaDeta->Append();
    v.TablaDeta->FieldByName("CANTIDAD").SetAsFloat(entrada ? 5 : 3);
    v.TablaDeta->FieldByName("CLAVE").SetAsString("P1");
    v.TablaDeta->Post();
    v.BotonGuardar->click();
    if (v.Capturando()) {
      for (const QString& m : ui::PuertaModal::Mensajes()) prueba::AvisaPadre(m);
      return 3;
    }
  }
  return 0;
}

// A station that captures a document of concept argumentos[0] with
// counterpart "PR1", reference "15" and the lines argumentos[1] ("5 P1 20,-2
// P1,..."; quantity, key, cost), then saves it with the fault seam armed at
// argumentos[2], pass argumentos[3].
RUTINA_HIJA(GuardaYMuere) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char nombre[] = "estacion";
  static char* argv[] = {nombre, nullptr};
  ui::Aplicacion aplicacion(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  TFormaMovimientosInventario v;
  v.Usuario->setText("0");
  v.Show();
  v.DisparaActivacion();
  v.BotonNuevo->click();
  if (!v.Capturando()) return 2;
  v.EditCLPRO_MI->setText("PR1");
  v.EditREFMO_MI->setText("15");
  v.FijaConcepto(argumentos.value(0), {});
  for (const QString& linea : argumentos.value(1).split(u',')) {
    const QStringList partes = linea.split(u' ');
    v.TablaDeta->Append();
    v.TablaDeta->FieldByName("CANTIDAD").SetAsString(partes.value(0));
    v.TablaDeta->FieldByName("CLAVE").SetAsString(partes.value(1));
    if (partes.size() > 2) v.TablaDeta->FieldByName("COSTO").SetAsString(partes.value(2));
    v.TablaDeta->Post();
  }
  falla::Arma(argumentos.value(2), argumentos.value(3).toInt());
  prueba::AvisaPadre("ARMADO");
  v.BotonGuardar->click();
  falla::Desarma();
  return v.Capturando() ? 3 : 0;
}

// Killed at every write of a save (an entry with its average cost, a
// transfer that makes a product at the destination, a return with the
// supplier's credit note), the station started again finishes the save
// before anything is shown: the tables end as an uninterrupted save leaves
// them, every row, stock, total and note once, every tag agreeing.
TEST_F(GuardaMovimientos, UnaEstacionMuertaEnCadaEscrituraDelGuardadoLoTerminaAlVolver) {
  CreaDestino();
  FijaLinea(ConfTraspasosEmpaque, "S");
  Agrega("ComprasE.dbf", {"CLDOC_O", "CLPRV_O", "IMDOC_O", "ABONO_O", "SALDO_O"}, {{15, "PR1", 500, 100, 400}});
  // The stations read the clock the test set.
  struct Reloj {
    Reloj() { qputenv("VORLAN_AHORA", "2024-03-05T10:30:00.000"); }
    ~Reloj() { qunsetenv("VORLAN_AHORA"); }
  } reloj;
  const QString kDiario = fs::Une(kPrograma, "GuardadoMovimientos.jnl");
  const auto estado = [] {
    QStringList e;
    e << Filas("MOVINVEN.DBF", {"CLDOC_MI", "TIMOV_MI", "CLPRO_MI", "CANTI_MI", "NUDOC_MI", "COSUN_MI"});
    e << Filas("INVENTAR.DBF", {"CLPRO_I", "EXIST_I", "CPROM_I", "FPGCI_I"});
    e << Filas("Kardex.dbf", {"CLPRO_I", "ENTRA_I", "SALID_I", "EXIST_I", "INVEN_I"});
    e << Filas("MOVINVEN.DBF", {"CLDOC_MI", "TIMOV_MI", "CLPRO_MI", "CANTI_MI"}, kDestino);
    e << Filas("INVENTAR.DBF", {"CLPRO_I", "DSCPR_I", "EXIST_I"}, kDestino);
    e << Filas("CUEPAGAR.DBF", {"NUCOM_CP", "CLPRO_CP", "IMCUE_CP", "TIMOV_CP"});
    e << Filas("ComprasE.dbf", {"CLDOC_O", "ABONO_O", "SALDO_O"});
    e << QString::number(Bitacora(1).filter("GUARDADA").size());
    return e;
  };
  struct Caso {
    const char* concepto;
    const char* lineas;
    QStringList rastros;  // rows an uninterrupted save leaves
    QList<prueba::PuntoDeFalla> puntos;
  };
  const Caso casos[] = {
      {"51", "10 P1 20,-2 P1 20,4 P3 6", {"1|51|P1|10|M1|20", "1|8|P1|2|M1|20", "1|51|P3|4|M1|6"},
       {{guardado::puntos::kEscrito, {}},
        {guardado::puntos::kReservado, {}},
        {db::puntos::kRegistroAMedias, {1, 2, 4, 7}},
        {db::puntos::kAntesDeClaves, {3, 5}}}},
      {"9", "3 P1,2 P2", {"1|60|P1|36", "1|60|P2|2", "P1|Arroz 1 kg|36", "P2|Frijol 1 kg|2", "P1|37||45356"}, {{guardado::puntos::kEscrito, {}}, {guardado::puntos::kReservado, {}}}},
      {"20", "2 P1 18.5,3 P2 20", {"15|PR1|97|10", "15|197|303", "1"}, {{guardado::puntos::kEscrito, {}}, {guardado::puntos::kReservado, {}}}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.concepto);
    QList<QStringList> estados;
    const auto revisa = [&](bool) {
      // The station starts again: nothing to tell, nothing pending.
      ui::PuertaModal::LimpiaMensajes();
      TFormaMovimientosInventario& v = Ventana();
      EXPECT_EQ(Mensajes(), QStringList());
      EXPECT_FALSE(v.Capturando());
      EXPECT_FALSE(fs::ExisteArchivo(kDiario));
      ventana_.reset();
      for (const auto& [archivo, carpeta] : {std::pair{"MOVINVEN.DBF", kDatos}, std::pair{"INVENTAR.DBF", kDatos},
                                             std::pair{"Kardex.dbf", kDatos}, std::pair{"MOVINVEN.DBF", kDestino},
                                             std::pair{"INVENTAR.DBF", kDestino}}) {
        SCOPED_TRACE(archivo);
        EXPECT_EQ(Abre(archivo, {}, carpeta)->TagsDiscrepantes(), QStringList());
      }
      estados << estado();
      for (const QString& r : c.rastros) EXPECT_TRUE(estados.last().contains(r)) << r.toStdString();
    };
    const int muertes = prueba::MuereEnCadaEscritura(fs::Local("C:\\"), "GuardaYMuere", {c.concepto, c.lineas}, c.puntos,
                                                     revisa);
    EXPECT_GE(muertes, 10);
    // Every station that died ends as the one that saved without dying.
    ASSERT_FALSE(estados.isEmpty());
    for (const QStringList& e : estados) EXPECT_EQ(e, estados.last());
  }
}

TEST_F(GuardaMovimientos, DosEstacionesGuardandoElMismoProductoNoPierdenNada) {
  constexpr int kPorEstacion = 100;
  const QStringList programas = {"C:\\VRL2", "C:\\VRL3"};
  for (const QString& programa : programas) {
    fs::CreaCarpeta(programa);
    for (const char* archivo : {"Gener1.cnf", "usuarios.def"})
      fs::CopiaArchivo(fs::Une(kPrograma, archivo), fs::Une(programa, archivo));
    CreaTablasEmpresa(db::Carpetas{kDatos, {}, {}, programa});
  }
  prueba::ProcesoHijo una("GuardaDocumentos", {programas[0], QString::number(kPorEstacion)});
  prueba::ProcesoHijo otra("GuardaDocumentos", {programas[1], QString::number(kPorEstacion)});
  ASSERT_EQ(una.EsperaLinea(), "LISTO");
  ASSERT_EQ(otra.EsperaLinea(), "LISTO");
  una.Envia("");
  otra.Envia("");
  EXPECT_EQ(una.Espera(120000), 0);
  EXPECT_EQ(otra.Espera(120000), 0);

  // 40 + 2 × 50 × (5 − 3).
  EXPECT_EQ(Producto("P1").section(u'|', 0, 0), "240");
  EXPECT_EQ(Kardex(), QStringList{"P1|500|-300|200|240"});
  const QStringList filas = Filas("MOVINVEN.DBF", {"CLDOC_MI", "TIMOV_MI", "CANTI_MI"});
  ASSERT_EQ(filas.size(), 2 * kPorEstacion);
  QSet<int> numeros;
  for (const QString& f : filas) {
    numeros.insert(f.section(u'|', 0, 0).toInt());
    EXPECT_TRUE(f.endsWith("|51|5") || f.endsWith("|3|3")) << f.toStdString();
  }
  EXPECT_EQ(numeros.size(), 2 * kPorEstacion);
}

}  // namespace
