// Files exchanged with an independent dBASE reader and writer (the python3
// dbf module of Debian), run as a child process: types C N F D L M and
// accented text both ways; after a writer was killed in the middle of an
// append, that reader (which trusts the header's record count) sees every
// whole record once the table is next opened for writing or written.

#include "db_comun.h"
#include "platform/db/PuntosFalla.h"
#include "platform/fs/Falla.h"
#include "support/Proceso.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

using db::Tabla;

namespace {

// Runs a python script with the table path as its argument; its stdout.
QByteArray Python(const QString& guion, const QString& ruta) {
  QProcess p;
  p.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), guion, ruta});
  if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
    ADD_FAILURE() << "python3 falló: " << p.readAllStandardError().toStdString();
    return {};
  }
  return p.readAllStandardOutput();
}

const char* kLeeConDbf = R"(
import dbf, json, sys
t = dbf.Table(sys.argv[1])
t.open(dbf.READ_ONLY)
filas = []
for r in t:
    fila = {}
    for f in t.field_names:
        v = r[f]
        if isinstance(v, str):
            v = v.rstrip()
        elif v is not None and not isinstance(v, (bool, int, float)):
            v = v.isoformat() if hasattr(v, 'isoformat') else str(v)
        fila[f.upper()] = v
    fila['BORRADO'] = dbf.is_deleted(r)
    filas.append(fila)
print(json.dumps({'version': t._meta.header.version, 'filas': filas}, ensure_ascii=False))
)";

const char* kEscribeConDbf = R"(
import dbf, sys, datetime
t = dbf.Table(sys.argv[1], 'NOMBRE C(25); CANT N(8,0); PRECIO N(12,2); TASA F(10,4); FECHA D; ACTIVO L; NOTAS M',
              dbf_type='db3', codepage='cp1252')
t.open(dbf.READ_WRITE)
t.append(('Ñoño Pérez', 12, 1234.56, 0.1234, datetime.date(2024, 2, 29), True, 'Línea uno\r\nlínea «dos» €'))
t.append(('', -7, -0.5, -1.5, None, False, ''))
t.append()
t.append(('borrado', 1, 1, 1, None, None, 'x' * 2000))
dbf.delete(t[3])
t.close()
)";

// The NOMBRE of every live record the header's count takes in, as a JSON
// list.
const char* kNombresConDbf = R"(
import dbf, json, sys
t = dbf.Table(sys.argv[1])
t.open(dbf.READ_ONLY)
print(json.dumps([r['nombre'].rstrip() for r in t if not dbf.is_deleted(r)]))
)";

QStringList Nombres(const QString& archivo) {
  QStringList r;
  for (const QJsonValue v : QJsonDocument::fromJson(Python(kNombresConDbf, fs::Local(fs::Une(kDatos, archivo)))).array())
    r << v.toString();
  return r;
}

std::unique_ptr<Tabla> AbreEn(const QString& carpeta, const QString& archivo) {
  auto t = std::make_unique<Tabla>();
  t->SetCarpeta(carpeta);
  t->SetNombreTabla(archivo);
  t->Open();
  return t;
}

void AgregaNombre(Tabla& t, const QString& nombre) {
  t.Append();
  t.FieldByName("NOMBRE").SetAsString(nombre);
  t.Post();
}

}  // namespace

// Arguments: folder, table, the point to die at and the pass. Appends "F1",
// "F2" ... until the seam stops it.
RUTINA_HIJA(AgregaNombresHastaCaer) {
  falla::Arma(argumentos[2], argumentos[3].toInt());
  auto t = AbreEn(argumentos[0], argumentos[1]);
  for (int i = 1; i <= 10; ++i) AgregaNombre(*t, QStringLiteral("F%1").arg(i));
  return 0;
}

TEST_F(PruebaTabla, TrasUnaAltaCortadaUnLectorQueCreeLaCabeceraVeCadaFilaEntera) {
  using namespace db::puntos;
  struct Caso {
    bool indice;
    const char* punto;
    bool conEscritura;  // the next station edits a row it had open, instead of opening the table
  };
  const Caso casos[] = {
      {false, kRegistroAMedias, false}, {false, kAntesDeClaves, false}, {false, kAntesDeCuenta, false},
      {true, kRegistroAMedias, false},  {true, kAntesDeClaves, false},  {true, kAntesDeCuenta, false},
      {false, kAntesDeCuenta, true},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.punto) + (c.indice ? " con índice" : " sin índice") + (c.conEscritura ? " escribe" : ""));
    const QString archivo = c.indice ? QStringLiteral("CONINDICE.DBF") : QStringLiteral("SININDICE.DBF");
    Tabla::Crea(kDatos, archivo, {{"NOMBRE", 'C', 20, 0}},
                c.indice ? QVector<db::DefTag>{{"INOMBRE", "NOMBRE"}} : QVector<db::DefTag>{});
    auto antes = AbreEn(kDatos, archivo);
    AgregaNombre(*antes, "A");
    prueba::ProcesoHijo hijo("AgregaNombresHastaCaer", {kDatos, archivo, c.punto, "3"});
    ASSERT_TRUE(hijo.EsperaQueMuera());
    if (c.conEscritura) {
      antes->First();
      antes->Edit();
      antes->FieldByName("NOMBRE").SetAsString("B");
      antes->Post();
    } else {
      AbreEn(kDatos, archivo);
    }
    antes->Refresh();
    const QStringList nuestras = Columna(*antes, "NOMBRE");
    // A half-written row of a table without index is no record; with an
    // index the intent finishes it.
    QStringList esperadas = {c.conEscritura ? "B" : "A", "F1", "F2", "F3"};
    if (!c.indice && c.punto == std::string(kRegistroAMedias)) esperadas.removeLast();
    EXPECT_EQ(nuestras, esperadas);
    antes->Close();
    EXPECT_EQ(Nombres(archivo), esperadas);
  }
}

// The first tag of a table given rows by the same handle keeps the header's
// count of those rows.
TEST_F(PruebaTabla, ElPrimerIndiceDeUnaTablaConFilasNuevasConservaSuCuenta) {
  Tabla::Crea(kDatos, "NUEVA.DBF", {{"NOMBRE", 'C', 20, 0}});
  auto t = Abre("NUEVA.DBF", true);
  for (const char* n : {"X", "Y", "Z"}) AgregaNombre(*t, n);
  t->AddIndex({"INOMBRE", "NOMBRE"});
  t->Close();
  EXPECT_EQ(Nombres("NUEVA.DBF"), (QStringList{"X", "Y", "Z"}));
}

TEST_F(PruebaTabla, UnLectorIndependienteLeeNuestrasTablas) {
  Tabla::Crea(kDatos, "NUESTRA.DBF",
              {{"NOMBRE", 'C', 25, 0}, {"CANT", 'N', 8, 0}, {"PRECIO", 'N', 12, 2}, {"TASA", 'F', 10, 4},
               {"FECHA", 'D', 8, 0}, {"ACTIVO", 'L', 1, 0}, {"NOTAS", 'M', 10, 0}});
  {
    auto t = Abre("NUESTRA.DBF");
    t->Append();
    t->FieldByName("NOMBRE").SetAsString(QString::fromUtf8("Ñoño Pérez"));
    t->FieldByName("CANT").SetAsInteger(12);
    t->FieldByName("PRECIO").SetAsFloat(1234.56);
    t->FieldByName("TASA").SetAsString("0.1234");
    t->FieldByName("FECHA").SetAsDate(QDate(2024, 2, 29));
    t->FieldByName("ACTIVO").SetAsBoolean(true);
    t->FieldByName("NOTAS").SetAsString(QString::fromUtf8("Línea uno\r\nlínea «dos» €"));
    t->Post();
    t->Append();
    t->FieldByName("CANT").SetAsInteger(-7);
    t->FieldByName("ACTIVO").SetAsBoolean(false);
    t->FieldByName("NOTAS").SetAsString(QString(2000, 'x'));
    t->Post();
    t->Append();
    t->FieldByName("NOMBRE").SetAsString("borrado");
    t->Post();
    t->Delete();
  }
  const QJsonObject r = QJsonDocument::fromJson(Python(kLeeConDbf, fs::Local(fs::Une(kDatos, "NUESTRA.DBF")))).object();
  const QJsonArray filas = r["filas"].toArray();
  ASSERT_EQ(filas.size(), 3);
  const QJsonObject a = filas[0].toObject(), b = filas[1].toObject(), c = filas[2].toObject();
  EXPECT_EQ(a["NOMBRE"].toString(), QString::fromUtf8("Ñoño Pérez"));
  EXPECT_EQ(a["CANT"].toInt(), 12);
  EXPECT_DOUBLE_EQ(a["PRECIO"].toDouble(), 1234.56);
  EXPECT_DOUBLE_EQ(a["TASA"].toDouble(), 0.1234);
  EXPECT_EQ(a["FECHA"].toString(), "2024-02-29");
  EXPECT_EQ(a["ACTIVO"], QJsonValue(true));
  EXPECT_EQ(a["NOTAS"].toString(), QString::fromUtf8("Línea uno\r\nlínea «dos» €"));
  EXPECT_EQ(a["BORRADO"], QJsonValue(false));
  EXPECT_EQ(b["NOMBRE"].toString(), "");
  EXPECT_EQ(b["CANT"].toInt(), -7);
  EXPECT_TRUE(b["PRECIO"].isNull());
  EXPECT_TRUE(b["FECHA"].isNull());
  EXPECT_EQ(b["ACTIVO"], QJsonValue(false));
  EXPECT_EQ(b["NOTAS"].toString(), QString(2000, 'x'));
  EXPECT_EQ(c["NOMBRE"].toString(), "borrado");
  EXPECT_EQ(c["BORRADO"], QJsonValue(true));
  EXPECT_TRUE(c["ACTIVO"].isNull());
}

TEST_F(PruebaTabla, LeemosLasTablasDeUnEscritorIndependiente) {
  Python(kEscribeConDbf, fs::Local(kDatos) + QStringLiteral("/ajena.dbf"));
  auto t = Abre("AJENA.DBF");
  EXPECT_EQ(t->RecordCount(), 3);
  EXPECT_EQ(t->FieldByName("CANT").Tipo(), db::TipoDato::Entero);
  EXPECT_EQ(t->FieldByName("TASA").Tipo(), db::TipoDato::Flotante);
  struct Esperado {
    const char* campo;
    QStringList valores;  // AsString of rows 1..3
  };
  const Esperado esperados[] = {
      {"NOMBRE", {QString::fromUtf8("Ñoño Pérez"), "", ""}},
      {"CANT", {"12", "-7", ""}},
      {"PRECIO", {"1234.56", "-0.5", ""}},
      {"TASA", {"0.1234", "-1.5", ""}},
      {"FECHA", {"29/02/2024", "", ""}},
      {"ACTIVO", {"True", "False", ""}},
      {"NOTAS", {QString::fromUtf8("Línea uno\r\nlínea «dos» €"), "", ""}},
  };
  for (const Esperado& e : esperados) {
    SCOPED_TRACE(e.campo);
    EXPECT_EQ(Columna(*t, e.campo), e.valores);
  }
  t->Last();
  EXPECT_TRUE(t->FieldByName("CANT").IsNull());
  // We write into its file and it still reads it.
  t->Append();
  t->FieldByName("NOMBRE").SetAsString(QString::fromUtf8("añadida"));
  t->FieldByName("NOTAS").SetAsString(QString::fromUtf8("memo añadido"));
  t->Post();
  t->Close();
  const QJsonObject r = QJsonDocument::fromJson(Python(kLeeConDbf, fs::Local(kDatos) + QStringLiteral("/ajena.dbf"))).object();
  const QJsonArray filas = r["filas"].toArray();
  ASSERT_EQ(filas.size(), 5);
  EXPECT_EQ(filas[4].toObject()["NOMBRE"].toString(), QString::fromUtf8("añadida"));
  EXPECT_EQ(filas[4].toObject()["NOTAS"].toString(), QString::fromUtf8("memo añadido"));
  EXPECT_EQ(filas[3].toObject()["BORRADO"], QJsonValue(true));
  EXPECT_EQ(filas[0].toObject()["NOTAS"].toString(), QString::fromUtf8("Línea uno\r\nlínea «dos» €"));
}
