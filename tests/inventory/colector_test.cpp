// The data collector as a user runs it from the movement window: the
// transfer program run and its Form.dat kept in the Colector folder (only
// Form.dat ever deleted from the desktop), the newest reading totalled per
// key against the stock, and the totals posted as movement documents, by
// concept or by differences, all or nothing.

#include "inventory/Colector.h"
#include "movimientos_prueba.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/RejillaTexto.h"
#include "support/Maneja.h"
#include "support/Proceso.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>

namespace {

using namespace movimientos;
// Named here too: another unit of the same batch may bring the test support's keys.
using movimientos::Tecla;

const QString kColector = QStringLiteral("C:\\VRL\\Colector");
// 05/03/2024 10:30, the test's clock, as the copies are named.
const QString kCopiaDeHoy = QStringLiteral("45356.4375_Form.dat");

class Colector : public MovimientosPrueba {
 protected:
  void SetUp() override {
    MovimientosPrueba::SetUp();
    escritorio_ = raiz() + "/Escritorio";
    fs::CreaCarpeta(escritorio_);
    qputenv("VORLAN_ESCRITORIO", escritorio_.toLocal8Bit());
    Agrega("INVENTAR.DBF", {"CLPRO_I", "DSCPR_I", "EXIST_I"},
           {{"A1", "Aceite 1 l", 3}, {"B2", "Azucar 1 kg", 2}, {"C3", "Cafe 500 g", 4}});
  }
  void TearDown() override {
    qunsetenv("VORLAN_ESCRITORIO");
    MovimientosPrueba::TearDown();
  }

  // The transfer program: a script that leaves these lines in Form.dat on
  // the desktop and notes the folder it ran in.
  void ProgramaTransferencia(const QStringList& lineas) {
    const QString script = raiz() + "/transfiere.sh";
    QFile f(script);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\npwd > \"$VORLAN_ESCRITORIO/../carpeta.txt\"\nprintf '" +
            lineas.join("\\r\\n").toUtf8() + "\\r\\n' > \"$VORLAN_ESCRITORIO/Form.dat\"\n");
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    EscribeLineas("C:\\VRL\\programas.map", {"Transfiere.exe=" + script});
  }
  // A reading already kept in the Colector folder.
  static void Lectura(const QString& nombre, const QStringList& lineas) {
    EscribeLineas(fs::Une(kColector, nombre), lineas);
  }

  // Rows 1 on of the collector's grid, columns 1 to 5 joined by "|".
  static QStringList Rejilla(const TFormaColector& c) {
    QStringList filas;
    const ui::RejillaTexto& g = *c.StringGridColector;
    for (int r = 1; r < g.RowCount(); ++r) {
      QStringList celdas;
      for (int col = ColColectorClave; col <= ColColectorDiferencia; ++col) celdas << g.Cells(col, r);
      filas << celdas.join(u'|');
    }
    return filas;
  }

  // A collector window as the movement window makes it.
  static std::unique_ptr<TFormaColector> VentanaColector() {
    auto c = std::make_unique<TFormaColector>();
    c->TablaInventario->SetCarpeta(kDatos);
    c->TablaInventario->SetNombreTabla("INVENTAR.DBF");
    c->TablaInventario->SetIndexName("ICLPRO");
    c->Show();
    return c;
  }

  static QStringList Renglones() {
    return Filas("MOVINVEN.DBF", {"CLDOC_MI", "TIMOV_MI", "CLPRO_MI", "CANTI_MI", "REFMO_MI", "FEDOC_MI"});
  }
  static QString Existencia(const QString& clave) {
    auto t = Abre("INVENTAR.DBF", "ICLPRO");
    return t->FindKey({clave}) ? t->FieldByName("EXIST_I").AsString() : "no existe";
  }

  QString escritorio_;
};

TEST_F(Colector, LeerGuardaUnaCopiaYOrdenarTotalizaContraLaExistencia) {
  ProgramaTransferencia({"A1,2", "B7,1", "A1,3", "C2,-1"});
  EscribeLineas(escritorio_ + "/otros.dat", {"del usuario"});
  EscribeLineas(escritorio_ + "/Form.dat", {"Z9,1"});
  TFormaMovimientosInventario& v = Ventana();
  QStringList primera, segunda;
  ui::PuertaModal::Espera("TFormaColector", [&](QDialog& d) {
    auto& c = static_cast<TFormaColector&>(d);
    // Shown: the old Form.dat goes, the user's own file stays.
    EXPECT_EQ(c.FileListBox1->count(), 1);
    EXPECT_EQ(c.FileListBox1->item(0)->text(), "otros.dat");
    prueba::Pulsa(c, "SpeedButton1");
    EXPECT_EQ(c.FileListBox2->count(), 1);
    prueba::Pulsa(c, "SpeedButton2");
    primera = Rejilla(c);
    prueba::Pulsa(c, "SpeedButton2");
    segunda = Rejilla(c);
    EXPECT_EQ(c.ListaOrdenada, (QStringList{"A1,5.00", "B7,1.00"}));
    c.Close();
  });
  v.Colector1->trigger();

  // Run in the program folder; its Form.dat kept under today's stamp, then
  // gone from the desktop; otros.dat still there.
  EXPECT_EQ(fs::LeeLineas(raiz() + "/carpeta.txt"), QStringList{fs::Local(kPrograma)});
  EXPECT_EQ(fs::ListaCarpeta(kColector), QStringList{kCopiaDeHoy});
  EXPECT_EQ(fs::LeeLineas(fs::Une(kColector, kCopiaDeHoy)), (QStringList{"A1,2", "B7,1", "A1,3", "C2,-1"}));
  EXPECT_EQ(fs::ListaCarpeta(escritorio_), QStringList{"otros.dat"});
  // A1 5 against a stock of 3; B7 unknown; C2 adds up to less than 0.
  EXPECT_EQ(primera, (QStringList{"A1|5.00|Aceite 1 l|3|2.00", "B7|1.00|NO IDENTIFICADO||"}));
  EXPECT_EQ(segunda, primera);
  // Closed without exporting: nothing written.
  EXPECT_EQ(Renglones(), QStringList());
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Colector, OrdenarTomaLaLecturaMasRecienteYNoTotalizaUnArchivoMalo) {
  auto c = VentanaColector();
  // No reading yet.
  prueba::Pulsa(*c, "SpeedButton2");
  EXPECT_EQ(Mensajes(), QStringList{"No hay lecturas del colector en C:\\VRL\\Colector"});
  ui::PuertaModal::LimpiaMensajes();

  // "45000.55" is later than "45000.5", though it sorts before it as text.
  Lectura("45000.5_Form.dat", {"A1,1"});
  Lectura("45000.55_Form.dat", {"A1,1", "C3,1", "C3,2", "B2,x", "A1, 0.5", ""});
  Lectura("notas.dat", {"A1,100"});
  prueba::Pulsa(*c, "SpeedButton2");
  // A quantity that is not a number counts 0; a blank line says nothing.
  EXPECT_EQ(Rejilla(*c), (QStringList{"A1|1.50|Aceite 1 l|3|-1.50", "C3|3.00|Cafe 500 g|4|-1.00"}));

  // A line without a key: said with its line, nothing totalled.
  Lectura("45001_Form.dat", {"A1,1", ",5"});
  prueba::Pulsa(*c, "SpeedButton2");
  EXPECT_EQ(Mensajes(), QStringList{"La línea 2 del archivo C:\\VRL\\Colector\\45001_Form.dat no tiene clave de "
                                    "producto; no se ordenó nada"});
  EXPECT_EQ(Rejilla(*c).size(), 2);
  EXPECT_EQ(c->ListaOrdenada.size(), 2);

  // Without a transfer program in the map: said, nothing copied.
  ui::PuertaModal::LimpiaMensajes();
  EscribeLineas(escritorio_ + "/Form.dat", {"A1,1"});
  prueba::Pulsa(*c, "SpeedButton1");
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].startsWith("No se pudo iniciar el programa del colector: ")) << Mensajes()[0].toStdString();
  EXPECT_EQ(fs::ListaCarpeta(kColector).size(), 4);
  EXPECT_FALSE(fs::ExisteArchivo(escritorio_ + "/Form.dat"));

  // The concept's kind, the adjustment colour, at least one line a document;
  // without a concept nothing is exported.
  c->EditTipo->setText("3");
  EXPECT_EQ(c->LabelDescribe->text(), "MOVIMIENTO DE SALIDA");
  c->EditTipo->setText("56");
  EXPECT_EQ(c->LabelDescribe->text(), "MOVIMIENTO DE ENTRADA");
  c->CheckAjuste->setChecked(true);
  EXPECT_EQ(c->Panel1->palette().color(QPalette::Window), QColor(255, 139, 83));
  c->CheckAjuste->setChecked(false);
  EXPECT_EQ(c->Panel1->palette().color(QPalette::Window), QColor(0, 128, 255));
  c->PartidasMI->setValue(0);
  EXPECT_EQ(c->PartidasMI->value(), 1);
  ui::PuertaModal::LimpiaMensajes();
  c->EditTipo->clear();
  prueba::Pulsa(*c, "SpeedButton3");
  EXPECT_EQ(Mensajes(), QStringList{kNoHayMovimiento});
  EXPECT_EQ(c->Tag(), 0);
  EXPECT_TRUE(c->isVisible());
}

TEST_F(Colector, ExportarEscribeDocumentosDePartidasMIConSusExistenciasYTotales) {
  QList<QVariantList> productos;
  QStringList lectura;
  for (int i = 1; i <= 120; ++i) {
    const QString clave = QStringLiteral("K%1").arg(i, 3, 10, QChar(u'0'));
    productos << QVariantList{clave, "Producto " + clave, 1};
    lectura << clave + ",2";
  }
  Agrega("INVENTAR.DBF", {"CLPRO_I", "DSCPR_I", "EXIST_I"}, productos);
  Lectura("45356_Form.dat", lectura);
  AgregaMovimientos({{4, 51, "P1", 1}});
  TFormaMovimientosInventario& v = Ventana();
  ui::PuertaModal::Espera("TFormaColector", [](QDialog& d) {
    prueba::Pulsa(d, "SpeedButton2");
    EXPECT_EQ(static_cast<QLineEdit*>(prueba::Componente(d, "EditTipo"))->text(), "57");
    prueba::Pulsa(d, "SpeedButton3");
  });
  v.Colector1->trigger();
  EXPECT_EQ(Mensajes(), QStringList{"Proceso terminado..."});

  // Documents 5, 6 and 7 of 50, 50 and 20 rows, concept 57.
  const QStringList renglones = Renglones().mid(1);
  ASSERT_EQ(renglones.size(), 120);
  QMap<QString, int> porDocumento;
  for (const QString& r : renglones) {
    ++porDocumento[r.section(u'|', 0, 0)];
    EXPECT_EQ(r.section(u'|', 1, 1), "57");
    EXPECT_EQ(r.section(u'|', 3), "2|Colector|05/03/2024");
  }
  EXPECT_EQ(porDocumento, (QMap<QString, int>{{"5", 50}, {"6", 50}, {"7", 20}}));
  EXPECT_EQ(renglones.first().section(u'|', 2, 2), "K001");
  EXPECT_EQ(Filas("MOVINVEN.DBF", {"DESCR_MI", "NALMA_MI", "USUARIO"}).value(1), "Producto K001|1|0");
  EXPECT_EQ(Existencia("K001"), "3");
  EXPECT_EQ(Existencia("K120"), "3");
  const QStringList kardex = Filas("Kardex.dbf", {"CLPRO_I", "ENTRA_I", "EXIST_I", "INVEN_I"});
  EXPECT_EQ(kardex.size(), 120);
  EXPECT_EQ(kardex.value(119), "K120|2|2|3");
  // The window shows the last document.
  EXPECT_EQ(v.EditCLDOC_MI->text(), "7");
}

RUTINA_HIJA(RetieneProductoColector) {
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

TEST_F(Colector, ElAjusteEscribeLasDiferenciasYNadaSiUnProductoEstaOcupado) {
  // Counted: A1 2 (stock 5), B2 6 (stock 2), C3 4 (stock 4), ZZ 1 (unknown).
  {
    auto t = Abre("INVENTAR.DBF", "ICLPRO");
    ASSERT_TRUE(t->FindKey({"A1"}));
    t->Edit();
    t->FieldByName("EXIST_I").SetAsFloat(5);
    t->Post();
  }
  Lectura("45356_Form.dat", {"A1,2", "B2,6", "C3,4", "ZZ,1"});
  TFormaMovimientosInventario& v = Ventana();
  const auto exporta = [] {
    ui::PuertaModal::Espera("TFormaColector", [](QDialog& d) {
      prueba::Pulsa(d, "SpeedButton2");
      static_cast<QCheckBox*>(prueba::Componente(d, "CheckAjuste"))->setChecked(true);
      prueba::Pulsa(d, "SpeedButton3");
    });
  };

  // B2 held by another station: nothing of the run is written.
  {
    prueba::ProcesoHijo otra("RetieneProductoColector", {kDatos, "B2"});
    ASSERT_EQ(otra.EsperaLinea(), "LISTO");
    exporta();
    v.Colector1->trigger();
    EXPECT_EQ(Mensajes(), QStringList{"El producto B2 está en uso en otra estación; no se guardó ningún movimiento"});
    otra.Envia("");
    EXPECT_EQ(otra.Espera(), 0);
  }
  EXPECT_EQ(Renglones(), QStringList());
  EXPECT_EQ((QStringList{Existencia("A1"), Existencia("B2")}), (QStringList{"5", "2"}));

  // Free again: −3 goes out as concept 6, +4 comes in as concept 56; no
  // difference, or no stock to compare with, writes nothing.
  ui::PuertaModal::LimpiaMensajes();
  exporta();
  v.Colector1->trigger();
  EXPECT_EQ(Mensajes(), QStringList{"Proceso terminado..."});
  EXPECT_EQ(Renglones(), (QStringList{"1|6|A1|3|Colector|05/03/2024", "1|56|B2|4|Colector|05/03/2024"}));
  EXPECT_EQ((QStringList{Existencia("A1"), Existencia("B2"), Existencia("C3")}), (QStringList{"2", "6", "4"}));
  EXPECT_EQ(Filas("Kardex.dbf", {"CLPRO_I", "ENTRA_I", "SALID_I", "EXIST_I", "INVEN_I"}),
            (QStringList{"A1|0|-3|-3|2", "B2|4|0|4|6"}));
}

}  // namespace
