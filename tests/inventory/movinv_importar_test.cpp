// The movement window's imports as a user runs them from its Opciones menu:
// a TAB-separated text file laid out by CamposMI.dat, the transfer file of
// another store saved as one document, and the rows of the import dialog
// added to the document being captured. A bad line stops each import
// before anything is touched.

#include "app/Vorlan.h"
#include "inventory/ConsultasExternas.h"
#include "inventory/Importa.h"
#include "movimientos_prueba.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "support/Maneja.h"
#include "support/Proceso.h"

#include <QAction>
#include <QLineEdit>

namespace {

using namespace movimientos;
// Named here too: another unit of the same batch may bring the test support's keys.
using movimientos::Tecla;

const QString kTexto = QStringLiteral("C:\\VRL\\importa\\conteo.txt");
const QString kTienda = QStringLiteral("C:\\VRL\\TIENDA2");
const QString kTransferencia = QStringLiteral("C:\\VRL\\TIENDA2\\Movimientos.mov");
const QString kDatosDialogo = QStringLiteral("C:\\VRL\\importa\\lineas.txt");

class ImportaMovimientos : public MovimientosPrueba {
 protected:
  void SetUp() override {
    MovimientosPrueba::SetUp();
    // User 3 may capture movements but not add from the import dialog.
    const QByteArray usuarios =
        ArchivoUsuarios({{"adm", DerechosSin({})},
                         {"bodega", DerechosSin({DerechoAltaMovimientos})},
                         {"caja", DerechosSin({DerechoMovimientos})},
                         {"compras", DerechosSin({DerechoAltaFacturacion})}});
    EscribeBytes(fs::Une(kDatos, "usuarios.def"), usuarios);
    EscribeBytes(fs::Une(kPrograma, "usuarios.def"), usuarios);
  }
  void TearDown() override {
    UnePreguntaCarpeta({});
    MovimientosPrueba::TearDown();
  }

  // "Importar Archivo Texto" choosing the file.
  static void ImportaTexto(TFormaMovimientosInventario& v, const QString& archivo) {
    ui::PuertaModal::LimpiaMensajes();
    ui::PuertaModal::Espera("AbrirDelimitado", [archivo](QDialog& d) { prueba::EligeArchivo(d, archivo); });
    v.LeerArchivoTexto1->trigger();
  }

  static QStringList Renglones() { return Filas("MOVINVEN.DBF", {"CLDOC_MI", "TIMOV_MI", "CLPRO_MI", "CANTI_MI"}); }
  static QString Existencia(const QString& clave) {
    auto t = Abre("INVENTAR.DBF", "ICLPRO");
    return t->FindKey({clave}) ? t->FieldByName("EXIST_I").AsString() : "no existe";
  }
};

TEST_F(ImportaMovimientos, ArchivoTextoIniciaUnDocumentoYLasReglasCompletanSusLineas) {
  EscribeLineas("C:\\VRL\\CamposMI.dat", {"CANTIDAD,CLAVE"});
  EscribeLineas(kTexto, {"3\tP1", "2\tc1", "4\tP3"});
  TFormaMovimientosInventario& v = Ventana();
  ImportaTexto(v, kTexto);
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_TRUE(v.Capturando());
  EXPECT_EQ(v.EditCLDOC_MI->text(), "1");
  // Each line found its product (the code c1 gives P1's key) and took its
  // description, cost and price.
  EXPECT_EQ(Captura(), (QStringList{"3||P1|Arroz 1 kg|18.5|24.9|", "2||P1|Arroz 1 kg|18.5|24.9|",
                                    "4||P3|Sal 1 kg|5|9.5|"}));
  // The user saves it.
  v.EditTIMOV_MI->setFocus();
  Escribe("51");
  prueba::Pulsa(v, "BotonGuardar");
  EXPECT_EQ(Renglones(), (QStringList{"1|51|P1|3", "1|51|P1|2", "1|51|P3|4"}));
  EXPECT_EQ(Existencia("P1"), "45");
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ImportaMovimientos, ArchivoTextoConUnValorMaloNoIniciaNada) {
  EscribeLineas("C:\\VRL\\CamposMI.dat", {"CANTIDAD,CLAVE"});
  EscribeLineas(kTexto, {"3\tP1", "x\tA1", "1\tP2"});
  TFormaMovimientosInventario& v = Ventana();
  ImportaTexto(v, kTexto);
  EXPECT_EQ(Mensajes(), QStringList{"Error en la línea 2 del archivo " + kTexto +
                                    ": \"x\" no es un valor válido para CANTIDAD. No se importó nada."});
  EXPECT_FALSE(v.Capturando());
  EXPECT_EQ(Renglones(), QStringList());
  EXPECT_EQ(Captura(), QStringList());

  // A map naming a field the capture lacks is said the same way.
  EscribeLineas("C:\\VRL\\CamposMI.dat", {"CANTIDAD,PESO"});
  ImportaTexto(v, kTexto);
  EXPECT_EQ(Mensajes(), QStringList{"El archivo CamposMI.dat nombra el campo PESO, que la captura de movimientos no "
                                    "tiene. No se importó nada."});
  EXPECT_EQ(Renglones(), QStringList());

  // Without the map, or cancelling the file, nothing happens.
  fs::BorraArchivo("C:\\VRL\\CamposMI.dat");
  ImportaTexto(v, kTexto);
  ui::PuertaModal::Espera("AbrirDelimitado", [](QDialog& d) { d.reject(); });
  v.LeerArchivoTexto1->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_FALSE(v.Capturando());
}

TEST_F(ImportaMovimientos, ArchivoTextoConPaquetesNombresVaciosLineasCortasYClavesDesconocidas) {
  // Empty names are skipped; values past the last name are left out.
  EscribeLineas("C:\\VRL\\CamposMI.dat", {"CANTIDAD,,EMPAQUE,CLAVE"});
  EscribeLineas(kTexto, {"1\t2\tc1\tsobra", "", "5", "1\t\tZZ"});
  TFormaMovimientosInventario& v = Ventana();
  ImportaTexto(v, kTexto);
  // Packages times P1's 12 units; an empty line is a line too; the unknown
  // key and the line without one are kept and said.
  EXPECT_EQ(Captura(), (QStringList{"24|2|P1|Arroz 1 kg|18.5|24.9|", "||||||", "5||||||", "1||ZZ||||"}));
  EXPECT_EQ(Mensajes(), QStringList(2, kProductoNoEncontrado));
  EXPECT_TRUE(v.Capturando());
  // Importing again is for a new document: not offered while capturing.
  EXPECT_FALSE(v.LeerArchivoTexto1->isEnabled());
  EXPECT_FALSE(v.Colector1->isEnabled());
  EXPECT_TRUE(v.ImportarDatos1->isEnabled());
  Descarta(v);
  EXPECT_TRUE(v.LeerArchivoTexto1->isEnabled());
  EXPECT_FALSE(v.ImportarDatos1->isEnabled());
}

RUTINA_HIJA(ApartaProducto) {
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

TEST_F(ImportaMovimientos, ArchivoDeTransferenciaSeGuardaComoEntradaYSeBorraSoloGuardado) {
  TFormaMovimientosInventario& sinPregunta = Ventana();
  // Without the sale screen's folder prompt the command is not offered.
  EXPECT_FALSE(sinPregunta.ImportarArchivo1->isEnabled());

  QStringList propuestas;
  bool acepta = true;
  UnePreguntaCarpeta([&](QString& carpeta) {
    propuestas << carpeta;
    if (!acepta) return false;
    carpeta = kTienda;
    return true;
  });
  EscribeLineas("C:\\VRL\\Exporta.cnf", {"C:\\VRL\\EXPORTA"});
  fs::CreaCarpeta(kTienda);
  TFormaMovimientosInventario& v = Ventana();
  ASSERT_TRUE(v.ImportarArchivo1->isEnabled());

  // No file there.
  v.ImportarArchivo1->trigger();
  EXPECT_EQ(propuestas, QStringList{"C:\\VRL\\EXPORTA"});
  EXPECT_EQ(Mensajes(), QStringList{"No Existe ningun Movimiento..."});
  EXPECT_FALSE(v.Capturando());

  // A remission of another store: its lines come in as concept 53, the
  // stock rises, the file goes.
  EscribeLineas(kTransferencia, {"44,P1,5,3", "44,P2,2.5,3"});
  ui::PuertaModal::LimpiaMensajes();
  v.ImportarArchivo1->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_FALSE(v.Capturando());
  EXPECT_EQ(Renglones(), (QStringList{"1|53|P1|5", "1|53|P2|2.5"}));
  EXPECT_EQ(Filas("MOVINVEN.DBF", {"DESCR_MI", "COSUN_MI"}), QStringList(2, "|"));
  EXPECT_EQ((QStringList{Existencia("P1"), Existencia("P2")}), (QStringList{"45", "12.5"}));
  EXPECT_FALSE(fs::ExisteArchivo(kTransferencia));

  // Cancelling the prompt does nothing.
  EscribeLineas(kTransferencia, {"45,P1,1,1"});
  acepta = false;
  v.ImportarArchivo1->trigger();
  EXPECT_EQ(Renglones().size(), 2);
  EXPECT_TRUE(fs::ExisteArchivo(kTransferencia));
  acepta = true;

  // A save refused (P1 held by another station): the document stays
  // captured and the file stays, to be imported again.
  {
    prueba::ProcesoHijo otra("ApartaProducto", {kDatos, "P1"});
    ASSERT_EQ(otra.EsperaLinea(), "LISTO");
    v.ImportarArchivo1->trigger();
    EXPECT_EQ(Mensajes(), QStringList{"El producto P1 está en uso en otra estación; no se guardó el documento"});
    otra.Envia("");
    EXPECT_EQ(otra.Espera(), 0);
  }
  EXPECT_TRUE(v.Capturando());
  EXPECT_TRUE(fs::ExisteArchivo(kTransferencia));
  EXPECT_EQ(Existencia("P1"), "45");
  Descarta(v);

  // An invoice's lines, the second one bad: nothing started.
  EscribeLineas(kTransferencia, {"46,P3,1,1", "46,P1,2"});
  ui::PuertaModal::LimpiaMensajes();
  v.ImportarArchivo1->trigger();
  EXPECT_EQ(Mensajes(), QStringList{"Error en la línea 2 del archivo " + kTransferencia +
                                    ": no tiene sus cuatro datos (documento, clave, cantidad y tipo). No se importó "
                                    "nada."});
  EscribeLineas(kTransferencia, {"46,P3,1,1", "46,P1,dos,1"});
  ui::PuertaModal::LimpiaMensajes();
  v.ImportarArchivo1->trigger();
  EXPECT_EQ(Mensajes(), QStringList{"Error en la línea 2 del archivo " + kTransferencia +
                                    ": la cantidad \"dos\" no es un número. No se importó nada."});
  EXPECT_FALSE(v.Capturando());
  EXPECT_EQ(Renglones().size(), 2);

  // Fixed, it saves as concept 51 (number 2 again: the refused document's
  // was given up).
  EscribeLineas(kTransferencia, {"46,P3,1,1", "46,P1,2,1"});
  ui::PuertaModal::LimpiaMensajes();
  v.ImportarArchivo1->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(Renglones().mid(2), (QStringList{"2|51|P3|1", "2|51|P1|2"}));
  EXPECT_EQ(Existencia("P3"), "8");
}

TEST_F(ImportaMovimientos, ImportarDatosAgregaLasFilasDelDialogoALaCaptura) {
  EscribeLineas("C:\\VRL\\importa_fact.cnf", {"CLAVE", "CANTIDAD", "", "COSTO"});
  EscribeLineas(kDatosDialogo, {"P1,5,7,20", "c1,2,7", "ZZ,1,7", "P2,3,8"});
  EscribeLineas("C:\\VRL\\confi_importa.cnf", {kDatosDialogo});
  TFormaMovimientosInventario& v = Ventana();
  // Offered only while a document is being captured.
  EXPECT_FALSE(v.ImportarDatos1->isEnabled());
  prueba::Pulsa(v, "BotonNuevo");
  const auto documento = [](const QString& numero) {
    ui::PuertaModal::Espera("TFormaImportaArchivo", [numero](QDialog& d) {
      EXPECT_EQ(static_cast<QLineEdit*>(prueba::Componente(d, "Ruta"))->text(), kDatosDialogo);
      prueba::Reescribe(static_cast<QLineEdit*>(prueba::Componente(d, "EditDocumento")), numero);
      prueba::Pulsa(d, "BotonAgregar");
      prueba::Pulsa(d, "BotonImportar");
    });
  };
  documento("7");
  v.ImportarDatos1->trigger();
  // In the dialog's order; the code became P1's key; the product rules
  // give description, cost and price (over the file's cost); a line's
  // amount is reckoned once the next begins; ZZ is kept and said.
  EXPECT_EQ(Captura(), (QStringList{"2||P1|Arroz 1 kg|18.5|24.9|49.8", "5||P1|Arroz 1 kg|18.5|24.9|124.5",
                                    "1||ZZ||||"}));
  EXPECT_EQ(Mensajes(), QStringList{kProductoNoEncontrado});

  // More lines join the capture as it stands.
  ui::PuertaModal::LimpiaMensajes();
  documento("8");
  v.ImportarDatos1->trigger();
  EXPECT_EQ(Captura().size(), 4);
  EXPECT_EQ(Captura().value(3), "3||P2|Frijol 1 kg|20|30|");

  // A value the capture does not take: named by its file line, nothing added.
  EscribeLineas(kDatosDialogo, {"P3,1,9", "P1,x,9"});
  EscribeLineas("C:\\VRL\\confi_importa.cnf", {kDatosDialogo});
  ui::PuertaModal::LimpiaMensajes();
  documento("9");
  v.ImportarDatos1->trigger();
  EXPECT_EQ(Mensajes(), QStringList{"Error en la línea 2 del archivo " + kDatosDialogo +
                                    ": \"x\" no es un valor válido para CANTIDAD. No se importó nada."});
  EXPECT_EQ(Captura().size(), 4);

  // Cancelled: nothing.
  ui::PuertaModal::LimpiaMensajes();
  ui::PuertaModal::Espera("TFormaImportaArchivo", [](QDialog& d) { prueba::Pulsa(d, "BotonCancelar"); });
  v.ImportarDatos1->trigger();
  EXPECT_EQ(Captura().size(), 4);
  EXPECT_EQ(Mensajes(), QStringList());
  Descarta(v);
}

TEST_F(ImportaMovimientos, ImportarDatosSinElDerecho20NoAbreElDialogo) {
  TFormaMovimientosInventario& v = Ventana("3");
  prueba::Pulsa(v, "BotonNuevo");
  v.ImportarDatos1->trigger();
  EXPECT_EQ(Mensajes(), QStringList{"No Se Tiene Acceso..."});
  EXPECT_EQ(Captura(), QStringList());
  Descarta(v);
}

}  // namespace

TEST_F(ImportaMovimientos, DesdeElInicioImportarArchivoPreguntaLaCarpetaEnElDialogoDeCaja) {
  // The program's start joins the sale screen's register dialog.
  ProgramaVorlan programa;
  programa.Inicia();
  EscribeLineas("C:\\VRL\\Exporta.cnf", {"C:\\VRL\\EXPORTA"});
  fs::CreaCarpeta(kTienda);
  EscribeLineas(kTransferencia, {"44,P1,5,3"});
  TFormaMovimientosInventario& v = Ventana();
  ASSERT_TRUE(v.ImportarArchivo1->isEnabled());

  // Only the folder box and the two buttons; "Cancelar" does nothing.
  ui::PuertaModal::Espera("TFormaCaja", [](QDialog& d) {
    EXPECT_EQ(prueba::Texto(d, "Label2"), "Ruta de Formato");
    for (const char* oculto : {"NumeroCaja", "NoCaja", "ClaveVendedor", "Label1", "Label3", "Label4"})
      EXPECT_FALSE(prueba::Componente(d, oculto)->isVisible()) << oculto;
    for (const char* visible : {"Formato", "BitBtn1", "BitBtn2"})
      EXPECT_TRUE(prueba::Componente(d, visible)->isVisible()) << visible;
    EXPECT_EQ(prueba::Texto(d, "Formato"), "C:\\VRL\\EXPORTA");
    prueba::Pulsa(d, "BitBtn2");
  });
  v.ImportarArchivo1->trigger();
  EXPECT_EQ(Renglones(), QStringList());
  EXPECT_TRUE(fs::ExisteArchivo(kTransferencia));

  // The store's folder typed and accepted: its transfer file is saved.
  ui::PuertaModal::Espera("TFormaCaja", [](QDialog& d) {
    prueba::Reescribe(static_cast<QLineEdit*>(prueba::Componente(d, "Formato")), kTienda);
    prueba::Pulsa(d, "BitBtn1");
  });
  v.ImportarArchivo1->trigger();
  EXPECT_EQ(Renglones(), QStringList{"1|53|P1|5"});
  EXPECT_FALSE(fs::ExisteArchivo(kTransferencia));
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(ui::PuertaModal::Pendientes(), 0);
}
