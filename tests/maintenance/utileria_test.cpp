// The utilities window on its fixed folders: the list of tables, the tag
// rebuild and where it stops, and the fixed copy.

#include "maintenance/utileria.h"
#include "mantenimiento_prueba.h"
#include "platform/Error.h"
#include "platform/db/Catalogo.h"
#include "platform/db/Tabla.h"
#include "support/Maneja.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QTimer>

using prueba::Pulsa;

namespace {

using Utilerias = MantenimientoPrueba;
using namespace db::campo;

QStringList Elementos(const QListWidget& lista) {
  QStringList textos;
  for (int i = 0; i < lista.count(); ++i) textos << lista.item(i)->text();
  return textos;
}

// A product table with three rows; `tags` empty makes one without an index.
void CreaProductos(const QString& nombre, const QVector<db::DefTag>& tags) {
  db::Tabla::Crea(kCarpetaDatosUtilerias, nombre, {C("CLPRO_I", 20), C("DSCPR_I", 40)}, tags);
  db::Tabla t;
  t.SetCarpeta(kCarpetaDatosUtilerias);
  t.SetNombreTabla(nombre);
  t.Open();
  for (const char* clave : {"P3", "P1", "P2"}) {
    t.Append();
    t.FieldByName("CLPRO_I").SetAsString(clave);
    t.FieldByName("DSCPR_I").SetAsString(QStringLiteral("Producto %1").arg(clave));
    t.Post();
  }
}

QStringList Tags(const QString& nombre) {
  db::Tabla t;
  t.SetCarpeta(kCarpetaDatosUtilerias);
  t.SetNombreTabla(nombre);
  return t.IndexNames();
}

}  // namespace

TEST_F(Utilerias, LaListaMuestraLasTablasDeProyectoAlActivarse) {
  for (const char* nombre : {"inventar.dbf", "Cliente.DBF", "deta.db", "notas.txt", "vacio.mdx"})
    EscribeBytes(kCarpetaProyecto + nombre, "x");
  fs::CreaCarpeta(kCarpetaProyecto + "sub.dbf");
  TFormaUtilerias utilerias;
  Muestra<TFormaUtilerias>(utilerias, [](TFormaUtilerias& w) {
    EXPECT_EQ(w.windowTitle(), "Utilerías");
    EXPECT_EQ(Elementos(*w.Lista), QStringList({"Cliente.DBF", "deta.db", "inventar.dbf"}));
  });
  // The next activation reads the folder again.
  fs::BorraArchivo(kCarpetaProyecto + "deta.db");
  Muestra<TFormaUtilerias>(utilerias, [](TFormaUtilerias& w) {
    EXPECT_EQ(Elementos(*w.Lista), QStringList({"Cliente.DBF", "inventar.dbf"}));
  });
}

TEST_F(Utilerias, LaReconstruccionPoneIiroUnicoYSeDetieneEnLaPrimeraFalla) {
  const QVector<db::DefTag> conTags = {Tag("ICLPRO", "CLPRO_I"), Tag("DSCPR_I")};
  struct Caso {
    const char* que;
    QVector<QVector<db::DefTag>> tablas;  // a.dbf, b.dbf, c.dbf; empty: no table
    bool bExiste;
    QString error;                        // the message after "b.dbf"; empty: no failure
  };
  const Caso casos[] = {
      {"todas con tags", {conTags, conTags, conTags}, true, {}},
      {"b sin tags", {conTags, {}, conTags}, true, "La tabla b.dbf no tiene índices"},
      {"b no existe en datos", {conTags, {}, conTags}, false, "*"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.que);
    QDir(fs::Local(kCarpetaDatosUtilerias)).removeRecursively();
    fs::CreaCarpeta(kCarpetaDatosUtilerias);
    const QStringList nombres = {"a.dbf", "b.dbf", "c.dbf"};
    for (int i = 0; i < 3; ++i) {
      EscribeBytes(kCarpetaProyecto + nombres[i], "x");
      if (i != 1 || c.bExiste) CreaProductos(nombres[i], c.tablas[i]);
    }
    ui::PuertaModal::LimpiaMensajes();

    TFormaUtilerias utilerias;
    Muestra<TFormaUtilerias>(utilerias, [](TFormaUtilerias& w) { Pulsa(w, "BitBtn1"); });
    EXPECT_TRUE(utilerias.Timer1->isActive());
    // Running, it does not spin: a hundred passes of the event loop see it
    // fire once at most.
    int disparos = 0;
    QObject::connect(utilerias.Timer1, &QTimer::timeout, [&disparos] { ++disparos; });
    for (int i = 0; i < 100; ++i) QCoreApplication::processEvents();
    EXPECT_LE(disparos, 1);
    QStringList mensajes = Mensajes();
    QStringList esperados = {"indexando la tabla  a.dbf", "indexando la tabla  b.dbf"};
    if (c.error.isEmpty()) esperados << "indexando la tabla  c.dbf";
    EXPECT_EQ(mensajes.mid(0, esperados.size()), esperados);
    if (!c.error.isEmpty()) {
      ASSERT_EQ(mensajes.size(), 3);
      if (c.error != "*") {
        EXPECT_EQ(mensajes[2], c.error);
      }
      EXPECT_TRUE(mensajes[2].contains("b.dbf", Qt::CaseInsensitive)) << mensajes[2].toStdString();
    }

    // Tables handled: the first tag replaced by iiro, unique on CLPRO_I.
    EXPECT_EQ(Tags("a.dbf"), QStringList({"DSCPR_I", "IIRO"}));
    db::Tabla a;
    a.SetCarpeta(kCarpetaDatosUtilerias);
    a.SetNombreTabla("a.dbf");
    a.Open();
    const db::DefTag iiro = a.IndexDefs().last();
    EXPECT_EQ(iiro.expresion.toUpper(), "CLPRO_I");
    EXPECT_TRUE(iiro.unico);
    a.SetIndexName("iiro");
    a.First();
    EXPECT_EQ(a.FieldByName("CLPRO_I").AsString(), "P1");
    a.Append();
    a.FieldByName("CLPRO_I").SetAsString("P2");
    EXPECT_THROW(a.Post(), plat::Error);
    a.Cancel();
    // Tables after the failure keep their tags.
    EXPECT_EQ(Tags("c.dbf"), c.error.isEmpty() ? QStringList({"DSCPR_I", "IIRO"}) : QStringList({"ICLPRO", "DSCPR_I"}));
  }
}

TEST_F(Utilerias, LaCopiaFijaCopiaLosPresentesSobreLosAnteriores) {
  EscribeBytes(kCarpetaProyecto + "cliente.dbf", "nuevo");
  EscribeBytes(kCarpetaProyecto + "INVENTAR.DBF", "inventario");
  EscribeBytes(kCarpetaProyecto + "deta.db", "captura");
  EscribeBytes(kCarpetaProyecto + "extra.dbf", "no va");
  EscribeBytes(kCarpetaCopiaUtilerias + "cliente.dbf", "viejo");
  TFormaUtilerias utilerias;
  Muestra<TFormaUtilerias>(utilerias, [](TFormaUtilerias& w) { Pulsa(w, "BotonCrear"); });
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(Entradas(kCarpetaCopiaUtilerias), QStringList({"cliente.dbf", "deta.db", "inventar.dbf"}));
  EXPECT_EQ(Bytes(kCarpetaCopiaUtilerias + "cliente.dbf"), "nuevo");
  EXPECT_EQ(Bytes(kCarpetaCopiaUtilerias + "inventar.dbf"), "inventario");
  EXPECT_EQ(Bytes(kCarpetaCopiaUtilerias + "deta.db"), "captura");
}
