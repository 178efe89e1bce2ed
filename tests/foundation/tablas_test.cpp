#include "empresa_prueba.h"

#include "foundation/rutinas_tablas.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Texto.h"
#include "support/Proceso.h"

#include <QtEndian>

#include <memory>

namespace {

const QString kBitacoraLocal = QStringLiteral("C:\\VRL\\Bitacora.txt");
const QString kArticulos = QStringLiteral("ARTICULO.DBF");

std::unique_ptr<db::Tabla> Tabla(const QString& nombre, bool exclusiva = false) {
  auto t = std::make_unique<db::Tabla>();
  t->SetCarpeta(kDatosEmpresa);
  t->SetNombreTabla(nombre);
  t->SetExclusive(exclusiva);
  return t;
}

// ARTICULO.DBF with rows whose keys are "K1", "K2", ... and quantities 10, 20, ...
void CreaArticulos(int filas, const QVector<db::DefTag>& tags = {}) {
  db::Tabla::Crea(kDatosEmpresa, kArticulos, {{"CLAVE", 'C', 6, 0}, {"CANTIDAD", 'N', 6, 0}}, tags);
  auto t = Tabla(kArticulos);
  t->Open();
  for (int i = 1; i <= filas; ++i) {
    t->Append();
    t->FieldByName("CLAVE").SetAsString(QStringLiteral("K%1").arg(i));
    t->FieldByName("CANTIDAD").SetAsInteger(i * 10);
    t->Post();
  }
}

// The keys of the table in its current order.
QStringList Claves(db::Tabla& t) {
  QStringList claves;
  for (t.First(); !t.Eof(); t.Next()) claves << t.FieldByName("CLAVE").AsString();
  return claves;
}

// The record count the file's header declares (deleted records included).
quint32 RegistrosEnCabecera(const QString& archivo) {
  return qFromLittleEndian<quint32>(fs::LeeBytes(kDatosEmpresa + u'\\' + archivo).constData() + 4);
}

using TablasTest = EmpresaPrueba;

}  // namespace

TEST_F(TablasTest, AbreTablaAnotaLaFallaYNoMuestraNada) {
  CreaArticulos(2);
  EscribeBytes(kDatosEmpresa + "\\DANADA.DBF", QByteArray("no es una tabla"));
  auto exclusiva = Tabla(kArticulos, true);
  exclusiva->Open();

  struct Caso { QString nombre; };
  const Caso casos[] = {{"FALTA.DBF"}, {"DANADA.DBF"}, {"articulo.dbf"}};
  QStringList esperado;
  for (const Caso& c : casos) {
    auto t = Tabla(c.nombre);
    AbreTabla(*t);
    EXPECT_FALSE(t->Active()) << c.nombre.toStdString();
    esperado << "Error Apertura " + c.nombre + " 10:15:00 05/03/2010";
    EXPECT_EQ(fs::LeeLineas(kBitacoraLocal), esperado);
  }

  // Once the table is free it opens and nothing more is logged.
  exclusiva->Close();
  auto t = Tabla(kArticulos);
  AbreTabla(*t);
  EXPECT_TRUE(t->Active());
  EXPECT_EQ(fs::LeeLineas(kBitacoraLocal), esperado);
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(TablasTest, RefrescaTablaVuelveAlPrimeroYVeLoDeOtros) {
  CreaArticulos(8);
  auto t = Tabla(kArticulos);
  t->Open();
  t->MoveBy(4);
  ASSERT_EQ(t->RecNo(), 5);
  // Another station adds a row.
  auto otra = Tabla(kArticulos);
  otra->Open();
  otra->Append();
  otra->FieldByName("CLAVE").SetAsString("K9");
  otra->Post();

  RefrescaTabla(*t);
  EXPECT_TRUE(t->Active());
  EXPECT_EQ(t->RecNo(), 1);
  EXPECT_EQ(t->RecordCount(), 9);
  EXPECT_EQ(t->FieldByName("CANTIDAD").AsInteger(), 10);

  // While another station edits the current record the error reaches the caller.
  t->MoveBy(4);
  otra->First();
  otra->MoveBy(4);
  otra->Edit();
  try {
    RefrescaTabla(*t);
    ADD_FAILURE() << "se refrescó con el registro bloqueado";
  } catch (const plat::Error& e) {
    EXPECT_EQ(e.clase(), plat::Clase::Bloqueado);
  }
}

TEST_F(TablasTest, RefrescaTablaVaciaNoAgregaFilasYGuardaLaQueSeInserta) {
  CreaArticulos(0);
  auto t = Tabla(kArticulos);
  t->Open();
  RefrescaTabla(*t);
  EXPECT_TRUE(t->Active());
  EXPECT_TRUE(t->IsEmpty());
  EXPECT_EQ(RegistrosEnCabecera(kArticulos), 0u);

  // A row being inserted is saved, not lost.
  t->Append();
  t->FieldByName("CLAVE").SetAsString("K1");
  RefrescaTabla(*t);
  EXPECT_EQ(Claves(*t), QStringList({"K1"}));
}

RUTINA_HIJA(TieneAbierta) {
  auto t = Tabla(argumentos.at(0));
  t->Open();
  prueba::AvisaPadre("ABIERTA");
  prueba::EsperaPadre();
  return 0;
}

TEST_F(TablasTest, EmpacaTablaQuitaLosBorradosYExigeUsoExclusivo) {
  CreaArticulos(6);
  {
    auto t = Tabla(kArticulos);
    t->Open();
    for (int n : {2, 5}) {
      t->First();
      while (t->RecNo() != n) t->Next();
      t->Delete();
    }
  }
  ASSERT_EQ(RegistrosEnCabecera(kArticulos), 6u);

  // Another station has the table open: the engine's error, nothing packed.
  {
    prueba::ProcesoHijo estacion("TieneAbierta", {kArticulos});
    ASSERT_EQ(estacion.EsperaLinea(), "ABIERTA");
    try {
      EmpacaTabla(kDatosEmpresa, kArticulos);
      ADD_FAILURE() << "se empacó una tabla abierta por otra estación";
    } catch (const plat::Error& e) {
      EXPECT_EQ(e.clase(), plat::Clase::EnUso);
    }
    EXPECT_EQ(RegistrosEnCabecera(kArticulos), 6u);
    estacion.Envia("fin");
    EXPECT_EQ(estacion.Espera(), 0);
  }

  EmpacaTabla(kDatosEmpresa, "articulo");
  EXPECT_EQ(RegistrosEnCabecera(kArticulos), 4u);
  auto t = Tabla(kArticulos);
  t->Open();
  EXPECT_EQ(Claves(*t), QStringList({"K1", "K3", "K4", "K6"}));

  try {
    EmpacaTabla(kDatosEmpresa, "FALTA.DBF");
    ADD_FAILURE() << "se empacó una tabla que no existe";
  } catch (const plat::Error& e) {
    EXPECT_EQ(e.clase(), plat::Clase::NoExiste);
  }
}

TEST_F(TablasTest, EmpacaTablaReconstruyeLosIndices) {
  CreaArticulos(6, {{"CLAVE", "CLAVE"}, {"CANTIDAD", "CANTIDAD"}});
  {
    auto t = Tabla(kArticulos);
    t->Open();
    t->SetIndexName("CLAVE");
    ASSERT_TRUE(t->FindKey({"K4"}));
    t->Delete();
  }
  EmpacaTabla(kDatosEmpresa, kArticulos);
  auto t = Tabla(kArticulos);
  t->Open();
  t->SetIndexName("CLAVE");
  for (const char* clave : {"K1", "K2", "K3", "K5", "K6"}) {
    ASSERT_TRUE(t->FindKey({clave})) << clave;
    EXPECT_EQ(t->FieldByName("CLAVE").AsString(), clave);
  }
  EXPECT_FALSE(t->FindKey({"K4"}));
  t->SetIndexName("CANTIDAD");
  EXPECT_EQ(Claves(*t), QStringList({"K1", "K2", "K3", "K5", "K6"}));
}

TEST_F(TablasTest, LiberaBloqueosSueltaLosRegistros) {
  CreaArticulos(3);
  auto a = Tabla(kArticulos);
  auto b = Tabla(kArticulos);
  a->Open();
  b->Open();
  a->Next();
  a->Edit();
  b->Next();
  EXPECT_THROW(b->Edit(), plat::Error);
  LiberaBloqueos(*a);
  b->Edit();
  b->FieldByName("CANTIDAD").SetAsInteger(25);
  b->Post();
  EXPECT_EQ(b->FieldByName("CANTIDAD").AsInteger(), 25);

  a->Close();
  EXPECT_THROW(LiberaBloqueos(*a), plat::Error);
}
