// Making and checking the tables of a small catalogue on disk.

#include "platform/Error.h"
#include "platform/db/Catalogo.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "support/RaizPrueba.h"

using namespace db;
using namespace db::campo;

namespace {

class CatalogoEnDisco : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    cat.Registra(Duenio("prueba").Esquema("CLIENTE.DBF", CarpetaTabla::Datos, OrigenTabla::Empresa,
                        {C("CLCLI_C", 10), C("NOMBR_C", 60), N("SALDO_C", 16, 4)}));
    cat.Registra(Duenio("prueba").Esquema("Kardex.dbf", CarpetaTabla::Inventario, OrigenTabla::Empresa,
                        {C("CLPRO_I", 20), N("EXIST_I", 16, 5)}));
    cat.Registra(Duenio("prueba").Esquema("Remision.dbf", CarpetaTabla::Remisiones, OrigenTabla::Empresa,
                        {N("CLDOC_F", 10, 0), D("FEDOC_F")}));
    cat.Registra(Duenio("prueba").Esquema("Remision.dbf", CarpetaTabla::Tempo, OrigenTabla::Programa,
                        {N("CLDOC_F", 10, 0), D("FEDOC_F")}));
    cat.Registra(Duenio("prueba").Esquema("RGeneral.dbf", CarpetaTabla::Programa, OrigenTabla::Corrida, {C("CLAVE", 20)}));
  }

  static QStringList Textos(const QVector<Diferencia>& d) {
    QStringList r;
    for (const Diferencia& x : d) r << x.Texto();
    return r;
  }

  Catalogo cat;
  Carpetas carpetas{"C:\\VRL\\DATOS", "C:\\VRL\\INV", "", "C:\\VRL"};
};

}  // namespace

TEST_F(CatalogoEnDisco, CreaLasTablasQueFaltanEnSusCarpetas) {
  EXPECT_EQ(CreaTablas(cat, carpetas, OrigenTabla::Empresa),
            (QStringList{"C:\\VRL\\DATOS\\CLIENTE.DBF", "C:\\VRL\\INV\\Kardex.dbf", "C:\\VRL\\DATOS\\Remision.dbf"}));
  EXPECT_EQ(CreaTablas(cat, carpetas, OrigenTabla::Programa), QStringList{"C:\\VRL\\tempo\\Remision.dbf"});
  EXPECT_TRUE(CreaTablas(cat, carpetas, OrigenTabla::Corrida).isEmpty());
  EXPECT_FALSE(Tabla::Existe("C:\\VRL", "RGeneral.dbf"));

  Tabla t;
  t.SetCarpeta("C:\\VRL\\INV");
  t.SetNombreTabla("Kardex.dbf");
  t.Open();
  ASSERT_EQ(t.FieldCount(), 2);
  EXPECT_EQ(t.Fields(1).Nombre(), "EXIST_I");
  EXPECT_EQ(t.Fields(1).Ancho(), 16);
  EXPECT_EQ(t.Fields(1).Decimales(), 5);
  EXPECT_TRUE(t.IsEmpty());
  t.Close();

  EXPECT_TRUE(VerificaTablas(cat, carpetas, OrigenTabla::Empresa).isEmpty());
  EXPECT_TRUE(VerificaTablas(cat, carpetas, OrigenTabla::Programa).isEmpty());
}

TEST_F(CatalogoEnDisco, UnaTablaQueYaExisteSeQuedaConSusRegistros) {
  CreaTablas(cat, carpetas, OrigenTabla::Empresa);
  Tabla t;
  t.SetCarpeta("C:\\VRL\\DATOS");
  t.SetNombreTabla("CLIENTE.DBF");
  t.Open();
  t.Append();
  t.FieldByName("CLCLI_C").SetAsString("17");
  t.Post();
  t.Close();
  fs::BorraArchivo(fs::Une("C:\\VRL\\INV", "Kardex.dbf"));

  EXPECT_EQ(CreaTablas(cat, carpetas, OrigenTabla::Empresa), QStringList{"C:\\VRL\\INV\\Kardex.dbf"});
  t.Open();
  EXPECT_EQ(t.RecordCount(), 1);
  EXPECT_EQ(t.FieldByName("CLCLI_C").AsString(), "17");
}

TEST_F(CatalogoEnDisco, LaRevisionNombraLoQueFaltaODifiere) {
  CreaTablas(cat, carpetas, OrigenTabla::Empresa);
  // A customer table without SALDO_C and with a shorter name field; no
  // remission table; a Kardex held exclusively by another station.
  Tabla::Crea("C:\\VRL\\DATOS", "CLIENTE.DBF", {C("CLCLI_C", 10), C("NOMBR_C", 40), C("RFCXX_C", 15)});
  Tabla::Borra("C:\\VRL\\DATOS", "Remision.dbf");
  Tabla otra;
  otra.SetCarpeta("C:\\VRL\\INV");
  otra.SetNombreTabla("Kardex.dbf");
  otra.SetExclusive(true);
  otra.Open();

  const QVector<Diferencia> d = VerificaTablas(cat, carpetas, OrigenTabla::Empresa);
  const QStringList textos = Textos(d);
  ASSERT_EQ(textos.size(), 4) << textos.join("\n").toStdString();
  EXPECT_EQ(textos[0], "El campo NOMBR_C de la tabla CLIENTE.DBF es C(40) y debe ser C(60)");
  EXPECT_EQ(textos[1], "A la tabla CLIENTE.DBF le falta el campo SALDO_C");
  EXPECT_EQ(d[2].tipo, Diferencia::Tipo::NoAbre);
  EXPECT_EQ(d[2].tabla, "Kardex.dbf");
  EXPECT_TRUE(textos[2].startsWith("No se pudo abrir la tabla Kardex.dbf en C:\\VRL\\INV: ")) << textos[2].toStdString();
  EXPECT_EQ(textos[3], "Falta la tabla Remision.dbf en C:\\VRL\\DATOS");
}
