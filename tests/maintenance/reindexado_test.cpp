// The reindexing window driven as a user: the catalogue read from the
// tables and written, the full replay over tables whose indexes are gone,
// the check of missing tags and their replay, emptying a table, the
// per-product totals from stock, and the keys that show the hidden parts.
// Another station is a child process holding a table.

#include "maintenance/IndiTodo.h"
#include "support/Maneja.h"
#include "support/Proceso.h"
#include "tablas_prueba.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

using prueba::Pulsa;

namespace {

const QVector<db::DefCampo> kCamposCliente = {{"CLCLI_C", 'C', 10, 0}, {"NOMBR_C", 'C', 30, 0}};
const QVector<db::DefCampo> kCamposRemision = {{"CLDOC_F", 'N', 10, 0}, {"CLPRO_F", 'C', 10, 0}};
const QVector<db::DefCampo> kCamposKardex = {
    {"CLPRO_I", 'C', 20, 0}, {"ENTRA_I", 'N', 12, 3}, {"SALID_I", 'N', 12, 3}, {"EXIST_I", 'N', 12, 3},
    {"INVEN_I", 'N', 12, 3}, {"OK", 'C', 1, 0}};

const QStringList kCatalogo = {
    "cliente.dbf,iclacli,clcli_c",
    "cliente.dbf,nombre,*upper(nombr_c)",
    "kardex.dbf,clpro_i,clpro_i",
    "remision.dbf,inumenc,*str(cldoc_f,10)+clpro_f",
};

class Reindexado : public MantenimientoPrueba {
 protected:
  void SetUp() override {
    MantenimientoPrueba::SetUp();
    CreaTablas();
  }

  static void CreaTablas() {
    CreaTablaPrueba(kDatos, "cliente.dbf", kCamposCliente,
                    {{"ICLACLI", "CLCLI_C"}, {"NOMBRE", "UPPER(NOMBR_C)"}},
                    {{"C3", "zapata"}, {"C1", "Ana"}, {"C2", "beto"}, {"C4", "borrado"}});
    CreaTablaPrueba(kDatos, "remision.dbf", kCamposRemision, {{"INUMENC", "STR(CLDOC_F,10)+CLPRO_F"}},
                    {{qint64(7), "P2"}, {qint64(7), "P1"}, {qint64(5), "P9"}});
    CreaTablaPrueba(kDatos, "kardex.dbf", kCamposKardex, {{"CLPRO_I", "CLPRO_I", true}}, {{"P1", 1.0}});
    CreaTablaPrueba(kDatos, "vacia.dbf", {{"DATO", 'C', 5, 0}}, {}, {{"x"}});
    for (const char* numeros : {"numero.dbf", "numeroc.dbf", "numerof.dbf"})
      CreaTablaPrueba(kDatos, numeros, {{"NUMERO", 'N', 10, 0}}, {}, {{qint64(1)}, {qint64(2)}});
    BorraFilas(kDatos, "cliente.dbf", {"C4"});
    BorraFilas(kDatos, "numero.dbf", {"1"});
    ui::PuertaModal::LimpiaMensajes();
  }

  static QStringList Renglones(const QListWidget& lista) {
    QStringList r;
    for (int i = 0; i < lista.count(); ++i) r << lista.item(i)->text();
    return r;
  }

  static void EscribeCatalogo(const QString& carpeta, const QStringList& lineas) {
    EscribeLineas(fs::Une(carpeta, "Indices.cnf"), lineas);
  }
};

RUTINA_HIJA(SostieneTabla) {
  auto t = AbrePrueba(argumentos[0], argumentos[1]);
  prueba::AvisaPadre("LISTO");
  prueba::EsperaPadre();
  return 0;
}

}  // namespace

TEST_F(Reindexado, LeeIndicesDaUnaLineaPorTagYGuardaArchivoLaEscribeConCRLF) {
  TFormaReindexaTodo v;
  EXPECT_EQ(Mensajes(), QStringList{"No se puede abrir el archivo C:\\VRL\\DATOS\\Indices.cnf"});
  EXPECT_EQ(v.EditRuta->text(), kDatos);
  Pulsa(v, "BitBtn1");
  EXPECT_EQ(v.Memo1->toPlainText(), kCatalogo.join('\n'));
  Pulsa(v, "BitBtn4");
  EXPECT_EQ(Bytes(fs::Une(kDatos, "Indices.cnf")), (kCatalogo.join("\r\n") + "\r\n").toLatin1());
}

TEST_F(Reindexado, ReindexaRehaceCadaTablaDeSuCatalogoSinTocarLaQueOtraEstacionTiene) {
  EscribeCatalogo(kDatos, kCatalogo + QStringList{"vacia.dbf,solo dos campos", "remision.dbf"});
  // Subfolder 2 with its own catalogue.
  const QString sub = fs::Une(kDatos, "2");
  fs::CreaCarpeta(sub);
  CreaTablaPrueba(sub, "cliente.dbf", kCamposCliente, {}, {{"S1", "sub"}});
  EscribeCatalogo(sub, {"cliente.dbf,iclacli,clcli_c"});
  // The capture table that detaVRL.db copies.
  db::Tabla::Crea("C:\\VRL", "deta.db", {{"CLAVE", 'A', 10, 0}});
  // Another station holds the totals table; every other index file is
  // gone, the header flags still set.
  prueba::ProcesoHijo estacion("SostieneTabla", {kDatos, "kardex.dbf"});
  ASSERT_EQ(estacion.EsperaLinea(), "LISTO");
  for (const QString& f : Entradas(kDatos))
    if (f.endsWith(".mdx") && f != "kardex.mdx") fs::BorraArchivo(fs::Une(kDatos, f));
  const QByteArray kardexAntes = Bytes(fs::Une(kDatos, "kardex.dbf"));
  const QByteArray kardexMdxAntes = Bytes(fs::Une(kDatos, "kardex.mdx"));

  TFormaReindexaTodo v;
  Pulsa(v, "BitBtn2");

  // One summary: what was rebuilt, here and in subfolder 2, and what was
  // left as it was.
  EXPECT_EQ(Mensajes(), QStringList{"Proceso de Regeneración de Indices Terminado\n3 tablas reindexadas\n"
                                    "En uso por una ventana abierta u otra estación, se dejaron sin cambios: kardex.dbf"});
  EXPECT_EQ(NombresTags(kDatos, "cliente.dbf"), QStringList({"ICLACLI", "NOMBRE"}));
  EXPECT_EQ(NombresTags(kDatos, "remision.dbf"), QStringList{"INUMENC"});
  EXPECT_EQ(NombresTags(sub, "cliente.dbf"), QStringList{"ICLACLI"});
  // The key after the second comma is the whole expression.
  EXPECT_EQ(ValoresPorTag(kDatos, "remision.dbf", "INUMENC", 1), QStringList({"P9", "P1", "P2"}));
  EXPECT_EQ(ValoresPorTag(kDatos, "cliente.dbf", "NOMBRE"), QStringList({"C1", "C2", "C3"}));
  // Packed: deleted rows gone.
  EXPECT_EQ(LeeCabecera(fs::Une(kDatos, "cliente.dbf")).enteros, 3);
  EXPECT_EQ(LeeCabecera(fs::Une(kDatos, "numero.dbf")).enteros, 1);
  EXPECT_EQ(Bytes(fs::Une(kDatos, "kardex.dbf")), kardexAntes);
  EXPECT_EQ(Bytes(fs::Une(kDatos, "kardex.mdx")), kardexMdxAntes);
  EXPECT_TRUE(db::Tabla::Existe("C:\\VRL", "detaVRL.db"));
  EXPECT_EQ(TextosBitacora(), QStringList{"Reindexado 08/12/2026  10:15:00"});
  EXPECT_EQ(v.EditRuta->text(), kDatos);
  EXPECT_EQ(v.Progreso->value(), 100);
  estacion.Envia("FIN");
  EXPECT_EQ(estacion.Espera(), 0);

  // Free again, its unique tag comes back unique.
  fs::BorraArchivo(fs::Une(kDatos, "kardex.dbf"));
  CreaTablaPrueba(kDatos, "kardex.dbf", kCamposKardex, {{"CLPRO_I", "CLPRO_I", true}}, {{"P1", 1.0}});
  Pulsa(v, "BitBtn2");
  const QVector<db::DefTag> tags = AbrePrueba(kDatos, "kardex.dbf")->IndexDefs();
  ASSERT_EQ(tags.size(), 1);
  EXPECT_TRUE(tags[0].unico);
}

TEST_F(Reindexado, UnaClaveQueNoSePuedeConstruirSeAvisaYLaReproduccionSigue) {
  EscribeCatalogo(kDatos, {"cliente.dbf,malo,*nocampo+1", "cliente.dbf,iclacli,clcli_c", "falta.dbf,iclave,clave"});
  TFormaReindexaTodo v;
  Pulsa(v, "BitBtn2");
  EXPECT_EQ(Mensajes(), QStringList({"Fallo en malo nocampo+1",
                                     "Ocurrio un Error al Crear un Indice en la Tabla falta.dbf",
                                     "Proceso de Regeneración de Indices Terminado\n1 tabla reindexada\n"
                                     "No se pudieron reindexar: falta.dbf"}));
  EXPECT_EQ(NombresTags(kDatos, "cliente.dbf"), QStringList{"ICLACLI"});
  EXPECT_EQ(Renglones(*v.Lista2), QStringList({"cliente.dbf", "falta.dbf"}));
}

TEST_F(Reindexado, ChecaIndicesListaElTagQueFaltaEIncompletosLoAgregaJuntoALosDemas) {
  EscribeCatalogo(kDatos, kCatalogo);
  AbrePrueba(kDatos, "cliente.dbf", true)->DeleteIndex("NOMBRE");
  TFormaReindexaTodo v;
  Pulsa(v, "BitBtn6");
  ASSERT_EQ(v.Faltantes->count(), 1);
  EXPECT_EQ(v.Faltantes->item(0)->text(), "cliente.dbf,nombre,*upper(nombr_c)");
  Pulsa(v, "BitBtn7");
  EXPECT_EQ(Mensajes(), QStringList{"Proceso de Regeneración de Indices Terminado\n1 tabla reindexada"});
  EXPECT_EQ(NombresTags(kDatos, "cliente.dbf"), QStringList({"ICLACLI", "NOMBRE"}));
  EXPECT_EQ(ValoresPorTag(kDatos, "cliente.dbf", "ICLACLI"), QStringList({"C1", "C2", "C3"}));
  EXPECT_EQ(v.Memo1->toPlainText(), "cliente.dbf,nombre,*upper(nombr_c)");
  EXPECT_EQ(TextosBitacora(), QStringList{"Reindexado Incompletos 08/12/2026  10:15:00"});
  EXPECT_EQ(Bytes(fs::Une(kDatos, "Indices.cnf")), (kCatalogo.join("\r\n") + "\r\n").toLatin1());
  Pulsa(v, "BitBtn6");
  EXPECT_EQ(v.Faltantes->count(), 0);
}

TEST_F(Reindexado, BorraDatosVaciaLaTablaElegidaYSuCompaneraSoloConSi) {
  struct Caso {
    const char* tabla;
    int respuesta;
    QStringList remision, numero, cliente;
    qint64 numeroEnteros;
  };
  const Caso casos[] = {
      {"remision.dbf", 0, {"7", "7", "5"}, {"2"}, {"C3", "C1", "C2"}, 2},
      {"remision.dbf", 1, {}, {}, {"C3", "C1", "C2"}, 0},
      {"cliente.dbf", 1, {"7", "7", "5"}, {"2"}, {}, 2},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.tabla) + " " + std::to_string(c.respuesta));
    CreaTablas();
    TFormaReindexaTodo v;
    v.FormDblClick();
    const auto elegida = v.Lista2->findItems(c.tabla, Qt::MatchExactly);
    ASSERT_EQ(elegida.size(), 1);
    v.Lista2->setCurrentItem(elegida[0]);
    QString pregunta;
    ui::PuertaModal::Espera("TFormaAdvertencia", [&](QDialog& d) {
      pregunta = prueba::Texto(d, "Label1");
      Pulsa(d, c.respuesta == 1 ? "BitBtn1" : "BitBtn2");
    });
    Pulsa(v, "BitBtn11");
    EXPECT_EQ(pregunta, "Recuerde que el siguente Proceso es muy DELICADO Desea Continuar?...");
    EXPECT_EQ(ValoresVivos(kDatos, "remision.dbf"), c.remision);
    EXPECT_EQ(ValoresVivos(kDatos, "numero.dbf"), c.numero);
    EXPECT_EQ(ValoresVivos(kDatos, "cliente.dbf"), c.cliente);
    EXPECT_EQ(LeeCabecera(fs::Une(kDatos, "numero.dbf")).enteros, c.numeroEnteros);
  }
}

TEST_F(Reindexado, AjusteKPoneEnLosTotalesLaExistenciaDeCadaProducto) {
  EscribeLineas("C:\\VRL\\Gener1.cnf", [] {
    QStringList l(90);
    l[7] = kDatos;
    l[58] = "C:\\VRL\\INVENT";
    return l;
  }());
  const QString inventario = "C:\\VRL\\INVENT";
  fs::CreaCarpeta(inventario);
  CreaTablaPrueba(inventario, "INVENTAR.DBF", {{"CLPRO_I", 'C', 20, 0}, {"EXIST_I", 'N', 12, 3}},
                  {{"ICLPRO", "CLPRO_I"}}, {{"B", -3.0}, {"A", 5.0}, {"C", 0.0}});
  CreaTablaPrueba(inventario, "Kardex.dbf", kCamposKardex, {{"CLPRO_I", "CLPRO_I", true}},
                  {{"A", 99.0, -1.0, 98.0, 7.0}, {"VIEJO", 1.0}});
  TFormaReindexaTodo v;
  Pulsa(v, "BitBtn12");
  auto k = AbrePrueba(inventario, "Kardex.dbf");
  k->SetIndexName("CLPRO_I");
  QStringList filas;
  for (k->First(); !k->Eof(); k->Next())
    filas << QString("%1 %2 %3 %4").arg(k->Fields(0).AsString(), k->Fields(1).AsString(), k->Fields(2).AsString(),
                                        k->Fields(3).AsString());
  EXPECT_EQ(filas, QStringList({"A 5 0 5", "B 0 -3 -3", "C 0 0 0"}));
  EXPECT_EQ(v.Progreso->value(), 100);
}

TEST_F(Reindexado, F12MuestraLasListasYCtrlF12TambienLosBotonesOcultos) {
  struct Caso {
    int tecla;
    Qt::KeyboardModifiers mods;
    bool listas, botones;
  };
  const Caso casos[] = {{Qt::Key_F12, Qt::NoModifier, true, false},
                        {Qt::Key_F12, Qt::ControlModifier, true, true},
                        {Qt::Key_F12, Qt::ControlModifier | Qt::ShiftModifier, true, false},
                        {Qt::Key_F11, Qt::NoModifier, false, false}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.tecla);
    TFormaReindexaTodo v;
    v.Show();
    if (c.tecla == Qt::Key_F11) prueba::Tecla(v, "EditRuta", Qt::Key_F12);
    prueba::Tecla(v, "EditRuta", c.tecla, c.mods);
    for (const char* n : {"Lista", "Faltantes", "Memo1"}) EXPECT_EQ(!prueba::Componente(v, n)->isHidden(), c.listas) << n;
    for (const char* n : {"BitBtn3", "BitBtn8"}) EXPECT_EQ(!prueba::Componente(v, n)->isHidden(), c.botones) << n;
    EXPECT_TRUE(prueba::Componente(v, "BitBtn9")->isHidden());
    v.Close();
  }
}
