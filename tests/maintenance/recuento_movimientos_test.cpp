// The inventory movement rebuild tool of the main window's maintenance
// panel, stepped as its timer would step it: the check of each kind's
// documents against their movement rows, the regeneration of the listed
// ones, and the recount that sets each product's stock to the total of its
// rows; with another station changing a stock meanwhile; and, in the
// program, "Pruebas" changing nothing.

#include "maintenance/PrincipaMI.h"
#include "programa_mantenimiento.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Componentes.h"
#include "shell/LineasConfiguracion.h"
#include "shell/Principa.h"
#include "support/Maneja.h"
#include "support/Proceso.h"
#include "tablas/TablasVorlan.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVariantMap>

#include <memory>

namespace {

const QString kMovimientos = QStringLiteral("MOVINVEN.DBF");
const QString kProductos = QStringLiteral("INVENTAR.DBF");
const QString kBorrados = QStringLiteral("C:\\VRL\\borrados.dat");
const QDate kFecha(2026, 11, 3);

void CreaTablas(const QString& carpeta, const QStringList& archivos) {
  fs::CreaCarpeta(carpeta);
  for (const QString& archivo : archivos) {
    const db::DefTabla* d = nullptr;
    for (db::CarpetaTabla rol : {db::CarpetaTabla::Datos, db::CarpetaTabla::Remisiones, db::CarpetaTabla::Inventario})
      if (!d) d = CatalogoVorlan().Busca(rol, archivo);
    ASSERT_NE(d, nullptr) << archivo.toStdString();
    db::Tabla::Crea(carpeta, d->archivo, d->campos, d->tags);
  }
}

void AgregaFila(const QString& carpeta, const QString& archivo, const QVariantMap& valores) {
  db::Tabla t;
  t.SetCarpeta(carpeta);
  t.SetNombreTabla(archivo);
  t.Open();
  t.Append();
  for (auto i = valores.cbegin(); i != valores.cend(); ++i) t.FieldByName(i.key()).SetValue(i.value());
  t.Post();
}

// Every live row of a table, each as its fields' texts.
QVector<QVariantMap> Filas(const QString& carpeta, const QString& archivo) {
  db::Tabla t;
  t.SetCarpeta(carpeta);
  t.SetNombreTabla(archivo);
  t.SetReadOnly(true);
  t.Open();
  QVector<QVariantMap> filas;
  for (t.First(); !t.Eof(); t.Next()) {
    QVariantMap fila;
    for (int i = 0; i < t.FieldCount(); ++i) fila[t.Fields(i).Nombre()] = t.Fields(i).AsString();
    filas << fila;
  }
  return filas;
}

// The movement rows of an origin reference, in the order they were written.
QVector<QVariantMap> FilasDe(const QString& nudoc, const QString& carpeta = kDatos) {
  QVector<QVariantMap> r;
  for (const QVariantMap& f : Filas(carpeta, kMovimientos))
    if (f["NUDOC_MI"] == nudoc) r << f;
  return r;
}

// A layout as text: "NAME type width.decimals" per field and
// "NAME=expression unique" per tag.
QStringList Forma(const QVector<db::DefCampo>& campos, const QVector<db::DefTag>& tags) {
  QStringList r;
  for (const db::DefCampo& c : campos)
    r << QString("%1 %2 %3.%4").arg(c.nombre, QString(c.tipo)).arg(c.ancho).arg(c.decimales);
  for (const db::DefTag& t : tags) r << QString("%1=%2 %3").arg(t.nombre, t.expresion).arg(t.unico);
  return r;
}

QStringList Conceptos(const QVector<QVariantMap>& filas) {
  QStringList r;
  for (const QVariantMap& f : filas) r << f["TIMOV_MI"].toString();
  return r;
}

QString Existencia(const QString& clave, const QString& carpeta = kDatos) {
  for (const QVariantMap& f : Filas(carpeta, kProductos))
    if (f["CLPRO_I"] == clave) return f["EXIST_I"].toString();
  return "sin producto";
}

void Producto(const QString& clave, double existencia, const QString& carpeta = kDatos) {
  AgregaFila(carpeta, kProductos, {{"CLPRO_I", clave}, {"DSCPR_I", "Producto " + clave}, {"EXIST_I", existencia}});
}

void Movimiento(const QString& clave, int concepto, double cantidad, const QString& nudoc = "M1",
                const QString& carpeta = kDatos) {
  AgregaFila(carpeta, kMovimientos,
             {{"CLDOC_MI", 1}, {"CLPRO_MI", clave}, {"TIMOV_MI", concepto}, {"CANTI_MI", cantidad},
              {"NUDOC_MI", nudoc}, {"FEDOC_MI", kFecha}});
}

// One line of a document: its quantity, and its control when it is not the
// header's.
struct Linea {
  double cantidad;
  const char* control = nullptr;
};

// A saved document of the kind with its lines (product keys P1, P2 ...).
void Documento(DocumentoMI documento, qint64 numero, const QString& control, const QString& estado,
               const QList<Linea>& lineas, const QVariantMap& mas = {}, const QString& carpeta = kDatos) {
  const TipoDocumentoMI& tipo = TipoMI(documento);
  QVariantMap encabezado;
  if (tipo.compra) {
    encabezado = {{"CLDOC_O", numero}, {"CONTROL", control}, {"STDOC_O", estado}, {"FEDOC_O", kFecha},
                  {"CLPRV_O", "PRV1"}};
  } else {
    encabezado = {{"CLDOC_F", numero}, {"CONTROL", control}, {"STATU_F", estado}, {"FEDOC_F", kFecha},
                  {"CLCLI_F", "CLI1"}, {"CLVEN_F", "VEN1"}};
  }
  encabezado.insert(mas);
  AgregaFila(carpeta, tipo.encabezado, encabezado);
  int n = 0;
  for (const Linea& l : lineas) {
    const QString clave = QString("P%1").arg(++n);
    const QString suControl = l.control ? QString(l.control) : control;
    if (tipo.compra)
      AgregaFila(carpeta, tipo.partidas,
                 {{"CLDOC_OD", QString::number(numero)}, {"CONTROL", suControl}, {"CLPRO_OD", clave},
                  {"DESCR_OD", "Producto " + clave}, {"CANTI_OD", l.cantidad}, {"CUNIT_OD", 12.5}});
    else
      AgregaFila(carpeta, tipo.partidas,
                 {{"CLDOC_FD", QString::number(numero)}, {"CONTROL", suControl}, {"CLPRO_FD", clave},
                  {"DEPRO_FD", "Producto " + clave}, {"CANTI_FD", l.cantidad}, {"PUNPR_FD", 20.0},
                  {"COPRO_FD", 11.0}});
  }
}

const QStringList kTablasDocumento = {"Remision.dbf", "RemisioD.dbf", "FacturaE.dbf", "FacturaD.dbf",
                                      "Devoluc.dbf",  "DevolucD.dbf", "ComprasE.dbf", "ComprasD.dbf",
                                      "DevolCom.DBF", "DevolDet.dbf"};

class Recuento : public MantenimientoPrueba {
 protected:
  void SetUp() override {
    MantenimientoPrueba::SetUp();
    CreaTablas(kDatos, kTablasDocumento + QStringList{kProductos, kMovimientos});
    principal_ = std::make_unique<TFormaPrincipal>();
    principal_->setEnabled(true);  // as a login leaves it
    principal_->EditRuta->setText(kDatos);
    h_ = UneHerramientaMI(*principal_);
  }
  void TearDown() override {
    principal_.reset();
    MantenimientoPrueba::TearDown();
  }

  // "Pruebas", then steps until the state is `hasta` (after a step, or
  // before the first when already there); the states shown in Label5 after
  // each step are kept, repeats once.
  void Corre(int hasta) {
    principal_->BitBtn1->click();
    Sigue(hasta);
  }
  void Sigue(int hasta) {
    for (int paso = 0; paso < 100000; ++paso) {
      if (h_->EstadoMI() == hasta && paso > 0) return;
      h_->Paso();
      const int mostrado = principal_->Label5->text().toInt();
      if (estados_.isEmpty() || estados_.last() != mostrado) estados_ << mostrado;
      if (h_->EstadoMI() == hasta) return;
    }
    FAIL() << "el estado " << hasta << " no llegó";
  }
  // Steps through the whole run: the checks, the regeneration, the recount.
  void CorreTodo() {
    Corre(8);
    Sigue(-7);
  }
  QStringList Lista() const {
    const QString texto = principal_->MemoMov->toPlainText();
    return texto.isEmpty() ? QStringList() : texto.split('\n');
  }

  std::unique_ptr<TFormaPrincipal> principal_;
  THerramientaMI* h_ = nullptr;
  QList<int> estados_;
};

// --- The check and the regeneration, one document per case.

struct Caso {
  const char* nombre;
  DocumentoMI documento;
  QString estado;
  QString control;
  QList<Linea> lineas;
  int filasPrevias;         // rows already under the document's reference
  QVariantMap mas;          // further header fields
  QString listada;          // its line of the list ("" not listed)
  QString referencia;       // NUDOC_MI of its rows
  QStringList conceptos;    // its rows afterwards, in order
};

void PrintTo(const Caso& c, std::ostream* os) { *os << c.nombre; }

class RevisionDocumento : public Recuento, public ::testing::WithParamInterface<Caso> {};

TEST_P(RevisionDocumento, SeListaSiSusFilasNoCuadranYSeReescribenDeSusPartidas) {
  const Caso& c = GetParam();
  Documento(c.documento, 7, c.control, c.estado, c.lineas, c.mas);
  for (int i = 0; i < c.filasPrevias; ++i) Movimiento("VIEJA", 8, 1, c.referencia);

  Corre(0);

  EXPECT_EQ(Lista(), c.listada.isEmpty() ? QStringList() : QStringList{c.listada});
  const QVector<QVariantMap> filas = FilasDe(c.referencia);
  EXPECT_EQ(Conceptos(filas), c.conceptos);
  if (!c.listada.isEmpty()) {
    // Each pass has one new movement number; the rows come from the lines.
    const QString banaf = TipoMI(c.documento).compra ? "O" : "F";
    for (const QVariantMap& f : filas) {
      EXPECT_EQ(f["BANAF_MI"], banaf);
      EXPECT_EQ(f["CONTROL"], c.control);
      EXPECT_EQ(f["REFMO_MI"], c.referencia.section('-', 0, 0));
      EXPECT_TRUE(f["CLPRO_MI"].toString().startsWith("P"));
    }
    EXPECT_EQ(filas.first()["CLDOC_MI"], "1");
    if (c.estado == "C") {
      EXPECT_EQ(filas.last()["CLDOC_MI"], "2");
    }
    // The old rows were logged before they went.
    const QStringList borrados = fs::ExisteArchivo(kBorrados) ? fs::LeeLineas(kBorrados) : QStringList();
    EXPECT_EQ(borrados.filter(QRegularExpression("^MOVINVEN\\.DBF,.*,NUDOC_MI," + c.referencia + ",")).size(),
              c.filasPrevias);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, RevisionDocumento,
    ::testing::Values(
        Caso{"RemisionCanceladaCompleta", DocumentoMI::Remision, "C", "4321", {{1}, {2}}, 4, {}, "", "R7-4321",
             {"8", "8", "8", "8"}},
        Caso{"RemisionCanceladaIncompleta", DocumentoMI::Remision, "C", "4321", {{1}, {2}}, 2, {},
             "R7,4321,2,2,C", "R7-4321", {"3", "3", "54", "54"}},
        Caso{"FacturaDeOtroDocumentoCancelada", DocumentoMI::Factura, "C", "4321", {{1}}, 0, {{"CLPED_F", "R3"}},
             "F7,4321,1,0,C", "F7-4321", {"3", "54"}},
        Caso{"FacturaSinOrigenSePasa", DocumentoMI::Factura, "", "4321", {{1}}, 0, {}, "", "F7-4321", {}},
        Caso{"DevolucionCancelada", DocumentoMI::Devolucion, "C", "4321", {{1}}, 0, {}, "D7,4321,1,0,C",
             "D7-4321", {"52", "3"}},
        Caso{"RecepcionActivaSinFilas", DocumentoMI::Compra, "", "4321", {{1}, {2}, {3}}, 0, {}, "O7,4321,3,0",
             "O7-4321", {"51", "51", "51"}},
        Caso{"DevolucionAProveedorSinFilas", DocumentoMI::DevolucionCompra, "", "4321", {{2}}, 0, {},
             "E7,4321,1,0", "P7-4321", {"2"}},
        Caso{"DevolucionAProveedorConSuFila", DocumentoMI::DevolucionCompra, "", "4321", {{2}}, 1, {}, "",
             "P7-4321", {"8"}},
        Caso{"PartidaSinCantidadNoTieneFila", DocumentoMI::Remision, "", "4321", {{2}, {0}}, 1, {},
             "R7,4321,2,1", "R7-4321", {"3"}},
        Caso{"SinControlCuentaTodasLasPartidas", DocumentoMI::Remision, "", "", {{1, "11"}, {1, "12"}}, 1, {},
             "R7,,2,1", "R7-", {"3", "3"}},
        Caso{"PartidasDeOtraGrabacionNoCuentan", DocumentoMI::Remision, "", "4321", {{1}, {1, "999"}}, 1, {}, "",
             "R7-4321", {"8"}}),
    [](const ::testing::TestParamInfo<Caso>& i) { return std::string(i.param.nombre); });

TEST_F(Recuento, LasFilasRegeneradasLlevanLosDatosDelDocumento) {
  Documento(DocumentoMI::Remision, 7, "4321", "", {{2.5}});
  Documento(DocumentoMI::Compra, 9, "555", "", {{4}});
  AgregaFila(kDatos, kMovimientos, {{"CLDOC_MI", 40}, {"CLPRO_MI", "OTRO"}, {"TIMOV_MI", 51}, {"CANTI_MI", 1}});

  Corre(0);

  const QVector<QVariantMap> venta = FilasDe("R7-4321");
  ASSERT_EQ(venta.size(), 1);
  const QVariantMap esperadaVenta = {{"CLDOC_MI", "41"}, {"CONTROL", "4321"}, {"CLPRO_MI", "P1"},
                                     {"DESCR_MI", "Producto P1"}, {"TIMOV_MI", "3"}, {"FEDOC_MI", "03/11/2026"},
                                     {"REFMO_MI", "R7"}, {"CLCOP_MI", "CLI1"}, {"CLVEN_MI", "VEN1"},
                                     {"CANTI_MI", "2.5"}, {"PUNIT_MI", "20"}, {"COSUN_MI", "11"},
                                     {"NALMA_MI", "1"}, {"BANAF_MI", "F"}, {"CLPRV_MI", "CLI1"},
                                     {"EXIST_MI", "0"}, {"HORAF_F", "1000"}};
  for (auto i = esperadaVenta.cbegin(); i != esperadaVenta.cend(); ++i)
    EXPECT_EQ(venta[0][i.key()], i.value()) << i.key().toStdString();

  const QVector<QVariantMap> compra = FilasDe("O9-555");
  ASSERT_EQ(compra.size(), 1);
  const QVariantMap esperadaCompra = {{"CLDOC_MI", "42"}, {"CLPRO_MI", "P1"}, {"DESCR_MI", "Producto P1"},
                                      {"TIMOV_MI", "51"}, {"REFMO_MI", "O9"}, {"CLCOP_MI", "PRV1"},
                                      {"CLVEN_MI", ""}, {"CLPRV_MI", ""}, {"CANTI_MI", "4"},
                                      {"PUNIT_MI", "12.5"}, {"COSUN_MI", "12.5"}, {"BANAF_MI", "O"},
                                      {"HORAF_F", "1000"}};
  for (auto i = esperadaCompra.cbegin(); i != esperadaCompra.cend(); ++i)
    EXPECT_EQ(compra[0][i.key()], i.value()) << i.key().toStdString();
}

TEST_F(Recuento, LaListaSeLeeComoEstaAlRegenerar) {
  Documento(DocumentoMI::Remision, 7, "4321", "", {{1}});
  Corre(-2);
  // A line whose number the headers lack and a line of no kind are passed
  // over; the others are regenerated.
  principal_->MemoMov->setPlainText("R999,1,1,0\nX7,4321,1,0\nR7,4321,1,0");
  Sigue(0);
  EXPECT_EQ(Conceptos(FilasDe("R7-4321")), QStringList{"3"});
  EXPECT_TRUE(FilasDe("R999-1").isEmpty());
  EXPECT_EQ(Filas(kDatos, kMovimientos).size(), 1);
}

TEST_F(Recuento, MasDeCienLineasPasanDeUnTipoAlSiguienteYLaListaSeRegeneraEntera) {
  // A first run leaves a list of one line behind.
  Documento(DocumentoMI::Remision, 1, "100", "", {{1}});
  Corre(0);
  ASSERT_EQ(Lista().size(), 1);

  for (int n = 2; n <= 102; ++n) Documento(DocumentoMI::Remision, n, "100", "", {{1}});
  for (int n = 1; n <= 2; ++n) Documento(DocumentoMI::Factura, n, "200", "", {{1}}, {{"CLPED_F", "R1"}});
  estados_.clear();
  Corre(0);

  // The 101st line ends the remissions, the invoices stop after one.
  const QStringList lista = Lista();
  ASSERT_EQ(lista.size(), 102);
  EXPECT_EQ(lista.filter(QRegularExpression("^R")).size(), 101);
  EXPECT_EQ(lista.last(), "F1,200,1,0");
  EXPECT_EQ(estados_.mid(0, 3), (QList<int>{-8, -7, -6}));
  // Every listed document got its row, the first listed too.
  for (int n = 2; n <= 102; ++n) EXPECT_EQ(FilasDe(QString("R%1-100").arg(n)).size(), 1) << n;
  EXPECT_EQ(FilasDe("F1-200").size(), 1);
  EXPECT_TRUE(FilasDe("F2-200").isEmpty());
}

// --- The recount.

TEST_F(Recuento, CadaProductoQuedaConElTotalDeSusFilas) {
  Producto("A", 10);
  Producto("B", 4);
  Producto("C", 3);
  Movimiento("A", 51, 12);
  Movimiento("A", 3, 5);
  Movimiento("C", 51, 3);
  Movimiento("C", 0, 100, "M2");

  CorreTodo();

  EXPECT_EQ(Existencia("A"), "7");
  EXPECT_EQ(Existencia("B"), "0");
  EXPECT_EQ(Existencia("C"), "3");
  // The concept-0 row is gone, logged first.
  EXPECT_TRUE(FilasDe("M2").isEmpty());
  EXPECT_EQ(FilasDe("M1").size(), 3);
  EXPECT_EQ(fs::LeeLineas(kBorrados).filter("NUDOC_MI,M2,").size(), 1);

  EXPECT_EQ(estados_, (QList<int>{-7, -6, -5, -4, -3, -2, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8, -7}));
  const QString progreso = principal_->Label4->text();
  EXPECT_TRUE(progreso.startsWith("4 ")) << progreso.toStdString();
  EXPECT_TRUE(progreso.endsWith(",A,7,7,B,0, 2  Actualizados")) << progreso.toStdString();
  EXPECT_FALSE(principal_->TimerMI->isActive());
  EXPECT_TRUE(principal_->TimerHora->isActive());
}

TEST_F(Recuento, LaTablaDeTrabajoSeRehaceConSuFormaRegistrada) {
  // A work table left by an earlier run, of another layout and with rows.
  db::Tabla::Crea("C:\\VRL", "MI.dbf", {{"CLAVE", 'C', 10, 0}}, {{"CLAVE", "CLAVE", false, false}});
  AgregaFila("C:\\VRL", "MI.dbf", {{"CLAVE", "VIEJA"}});
  Producto("A", 2);

  Corre(3);

  db::Tabla mi;
  mi.SetCarpeta("C:\\VRL");
  mi.SetNombreTabla("MI.dbf");
  mi.SetReadOnly(true);
  mi.Open();
  const db::DefTabla& registrada = CatalogoVorlan().Tabla(db::CarpetaTabla::Programa, "MI.dbf");
  EXPECT_EQ(Forma(mi.Definiciones(), mi.IndexDefs()), Forma(registrada.campos, registrada.tags));
  QStringList claves;
  for (mi.First(); !mi.Eof(); mi.Next()) claves << mi.FieldByName("CLAVE").AsString();
  EXPECT_EQ(claves, QStringList{"A"});
}

TEST_F(Recuento, LosDocumentosYLasExistenciasSeBuscanEnSusCarpetas) {
  const QString remisiones = "C:\\VRL\\REMIS", inventario = "C:\\VRL\\INVEN";
  QStringList lineas = fs::LeeLineas("C:\\VRL\\Gener1.cnf");
  lineas[ConfCarpetaInventario - 1] = inventario;
  lineas[ConfCarpetaRemisiones - 1] = remisiones;
  EscribeLineas("C:\\VRL\\Gener1.cnf", lineas);
  CreaTablas(remisiones, {"Remision.dbf", "RemisioD.dbf"});
  CreaTablas(inventario, {kProductos, kMovimientos});
  Documento(DocumentoMI::Remision, 7, "4321", "", {{3}}, {}, remisiones);
  Documento(DocumentoMI::Remision, 8, "4321", "", {{5}});  // in the data folder: not a remission of this company
  Producto("P1", 20, inventario);
  Producto("P1", 20);

  CorreTodo();

  EXPECT_EQ(Conceptos(FilasDe("R7-4321", inventario)), QStringList{"3"});
  EXPECT_TRUE(Filas(kDatos, kMovimientos).isEmpty());
  EXPECT_EQ(Existencia("P1", inventario), "-3");
  EXPECT_EQ(Existencia("P1"), "20");
}

TEST_F(Recuento, UnaTablaQueFaltaDetieneElPasoConSuErrorYApagaElReloj) {
  db::Tabla::Borra(kDatos, "DevolCom.DBF");
  Corre(-4);
  principal_->TimerMI->start();
  EXPECT_THROW(h_->Paso(), plat::Error);
  EXPECT_EQ(h_->EstadoMI(), -4);
  EXPECT_FALSE(principal_->TimerMI->isActive());
}

// --- Two stations.

RUTINA_HIJA(CambiaExistencia) {
  db::Tabla t;
  t.SetCarpeta(argumentos.value(0));
  t.SetNombreTabla("INVENTAR.DBF");
  t.Open();
  t.SetIndexName("ICLPRO");
  if (!t.FindKey({argumentos.value(1)})) return 2;
  t.Edit();
  t.FieldByName("EXIST_I").SetAsString(argumentos.value(2));
  t.Post();
  prueba::AvisaPadre("LISTO");
  return 0;
}

TEST_F(Recuento, UnProductoQueOtraEstacionMueveDuranteElRecuentoConservaSuExistencia) {
  Producto("A", 10);
  Producto("B", 4);
  Movimiento("A", 51, 12);
  Movimiento("B", 51, 1);

  Corre(3);  // every product's stock recorded
  prueba::ProcesoHijo otra("CambiaExistencia", {kDatos, "A", "9"});
  EXPECT_EQ(otra.EsperaLinea(), "LISTO");
  EXPECT_EQ(otra.Espera(), 0);
  Sigue(-7);

  EXPECT_EQ(Existencia("A"), "9");
  EXPECT_EQ(Existencia("B"), "1");
}

// --- In the program.

class EnElPrograma : public ProgramaMantenimiento {
 protected:
  void SetUp() override {
    ProgramaMantenimiento::SetUp();
    CreaTablas(kDatos, kTablasDocumento + QStringList{kProductos, kMovimientos});
    Producto("A", 4);
    Movimiento("A", 0, 1);
    Documento(DocumentoMI::Remision, 7, "4321", "", {{1}});
    IniciaPrograma();
  }
};

// Names and bytes of every file of a folder.
QMap<QString, QByteArray> Contenido(const QString& carpeta) {
  QMap<QString, QByteArray> r;
  for (const QString& nombre : Entradas(carpeta)) r[nombre] = Bytes(fs::Une(carpeta, nombre));
  return r;
}

TEST_F(EnElPrograma, PruebasEnciendeElRelojQueNoCambiaNada) {
  TFormaPrincipal* principal = FormaPrincipal();
  principal->setEnabled(true);  // as a login leaves it
  principal->Item("VerMantenimiento1")->trigger();
  EXPECT_FALSE(principal->Panel4->isHidden());
  EXPECT_TRUE(principal->BotonMI->isHidden());
  const QMap<QString, QByteArray> antes = Contenido(kDatos);

  QSignalSpy disparos(principal->TimerMI, &QTimer::timeout);
  prueba::Pulsa(*principal, "BitBtn1");
  EXPECT_EQ(HerramientaMI(*principal)->EstadoMI(), -8);
  EXPECT_TRUE(principal->TimerMI->isActive());
  EXPECT_TRUE(QTest::qWaitFor([&] { return disparos.count() >= 100; }, 20000));

  EXPECT_EQ(Contenido(kDatos), antes);
  EXPECT_EQ(principal->MemoMov->toPlainText(), "");
  EXPECT_EQ(HerramientaMI(*principal)->EstadoMI(), -8);
  principal->TimerMI->stop();
}

}  // namespace
