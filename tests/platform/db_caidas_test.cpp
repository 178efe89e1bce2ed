// Stations killed in the middle of a write of an indexed table: at each
// point of the fault seam and at random moments (kill -9). Whatever the
// moment, the next operation of another station finishes the write: every
// tag holds exactly one key per live row (edited rows under their new keys)
// and a unique tag refuses a second row with the killed row's key.

#include "db_comun.h"
#include "platform/db/PuntosFalla.h"
#include "platform/db/mdx/MdxArchivo.h"
#include "platform/fs/Falla.h"
#include "support/Proceso.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QThread>

#include <algorithm>

using db::Tabla;
using plat::Clase;
using prueba::AvisaPadre;
using prueba::ProcesoHijo;

namespace {

const QString kCaidas = QStringLiteral("CAIDAS.DBF");
const QVector<db::DefCampo> kCampos = {
    {"CLAVE", 'C', 12, 0}, {"NUMERO", 'N', 8, 0}, {"NOMBRE", 'C', 20, 0}, {"NOTA", 'M', 10, 0}};
constexpr int kFilas = 30;

std::unique_ptr<Tabla> AbreCaidas(const QString& carpeta) {
  auto t = std::make_unique<Tabla>();
  t->SetCarpeta(carpeta);
  t->SetNombreTabla(kCaidas);
  t->Open();
  return t;
}

void PonFila(Tabla& t, const QString& clave, int numero, const QString& nombre) {
  t.FieldByName("CLAVE").SetAsString(clave);
  t.FieldByName("NUMERO").SetAsInteger(numero);
  t.FieldByName("NOMBRE").SetAsString(nombre);
  t.FieldByName("NOTA").SetAsString(QStringLiteral("nota de ") + clave);
}

// The i-th write of each kind, the same in the child that dies and in the
// test that checks.
void EscribeFila(Tabla& t, const QString& modo, int i, const QString& marca = QStringLiteral("")) {
  if (modo == u"alta") {
    t.Append();
    PonFila(t, QStringLiteral("A%1%2").arg(marca).arg(i), 500 + i, QStringLiteral("nuevo %1").arg(i));
    t.Post();
    return;
  }
  // From the last row back: the last rows' names are in the last leaf of
  // INOMBRE, the new names go to its first.
  if (!t.VeARegistro(kFilas + 1 - i)) throw plat::Error(QStringLiteral("falta el registro %1").arg(kFilas + 1 - i));
  if (modo == u"cambio") {
    t.Edit();
    PonFila(t, QStringLiteral("M%1%2").arg(marca).arg(i), 1000 + i, QStringLiteral("cambiado %1").arg(i));
    t.Post();
  } else {
    t.Delete();
  }
}

}  // namespace

// Arguments: folder, kind of write ("alta", "cambio" or "baja"), the point
// to die at and the pass. Writes rows 1, 2 ... until the seam stops it.
RUTINA_HIJA(EscribeHastaCaer) {
  falla::Arma(argumentos[2], argumentos[3].toInt());
  auto t = AbreCaidas(argumentos[0]);
  for (int i = 1; i <= kFilas; ++i) EscribeFila(*t, argumentos[1], i);
  return 0;  // the point was never reached
}

// Arguments: folder, "alta" or "cambio". Writes without end, with keys of
// its own, until it is killed.
RUTINA_HIJA(EscribeSinFin) {
  auto t = AbreCaidas(argumentos[0]);
  const QString marca = QStringLiteral("%1-").arg(QCoreApplication::applicationPid() % 100000);
  QRandomGenerator azar(static_cast<quint32>(QCoreApplication::applicationPid()));
  for (int vuelta = 1;; ++vuelta) {
    const int i = argumentos[1] == u"alta" ? vuelta : static_cast<int>(azar.bounded(1, kFilas + 1));
    EscribeFila(*t, argumentos[1], i, marca + QString::number(vuelta) + u'-');
    if (vuelta == 20) AvisaPadre("EN MARCHA");
  }
}

class PruebaCaidas : public PruebaTabla {
 protected:
  void SetUp() override {
    PruebaTabla::SetUp();
    Tabla::Crea(kDatos, kCaidas, kCampos,
                {{"IUNICA", "CLAVE", true}, {"INUMERO", "NUMERO"}, {"INOMBRE", "UPPER(NOMBRE)+CLAVE"}});
    auto t = Abre(kCaidas);
    for (int i = 1; i <= kFilas; ++i) {
      t->Append();
      PonFila(*t, QStringLiteral("K%1").arg(i), i, QStringLiteral("fila %1").arg(i, 2, 10, QChar(u'0')));
      t->Post();
    }
    t->Close();
    // Rebuilt tags have full leaves: an edit's new name splits the first
    // leaf of INOMBRE in two, so a write cut short tears a split.
    Tabla cerrada;
    cerrada.SetCarpeta(kDatos);
    cerrada.SetNombreTabla(kCaidas);
    cerrada.RegeneraIndices();
  }

  // Every entry of every tag, read straight from the index file, against
  // the keys the live rows give: one entry per live row and tag.
  static void ExigeCoherencia() {
    auto t = Abre(kCaidas, false, true);
    db::MdxArchivo mdx(fs::Local(fs::Une(kDatos, "CAIDAS.MDX")), kCampos);
    for (const db::InfoTag& tag : mdx.Tags()) {
      SCOPED_TRACE(tag.def.nombre.toStdString());
      std::vector<std::pair<QByteArray, quint32>> esperadas, halladas;
      for (t->First(); !t->Eof(); t->Next()) {
        const QByteArray k = mdx.ClaveDeRegistro(tag.def.nombre, [&](int c) { return t->Fields(c).Value(); });
        esperadas.emplace_back(k, static_cast<quint32>(t->RecNo()));
      }
      db::CursorMdx c(mdx, tag.def.nombre);
      for (bool hay = c.Primero(); hay; hay = c.Siguiente()) halladas.emplace_back(c.Clave(), c.Registro());
      std::sort(esperadas.begin(), esperadas.end());
      std::sort(halladas.begin(), halladas.end());
      EXPECT_EQ(halladas, esperadas);
    }
  }

  // A second row with that key: the unique tag refuses it.
  static void ExigeClaveTomada(Tabla& t, const QString& clave) {
    t.Append();
    PonFila(t, clave, 1, QStringLiteral("repetida"));
    const auto [clase, mensaje] = ErrorDe([&] { t.Post(); });
    EXPECT_EQ(clase, Clase::General) << mensaje.toStdString();
    EXPECT_TRUE(mensaje.contains("IUNICA")) << mensaje.toStdString();
    t.Cancel();
  }
};

TEST_F(PruebaCaidas, UnaEstacionMuertaEnCadaPuntoDeUnaEscrituraLaDejaTerminada) {
  using namespace db::puntos;
  struct Caso {
    const char* modo;
    const char* punto;
  };
  const Caso casos[] = {
      {"alta", kRegistroAMedias}, {"alta", kAntesDeClaves},   {"alta", kIndiceAMedias}, {"alta", kAntesDeCuenta},
      {"cambio", kRegistroAMedias}, {"cambio", kAntesDeClaves}, {"cambio", kIndiceAMedias},
      {"baja", kAntesDeClaves},   {"baja", kIndiceAMedias},
  };
  const QByteArray dbf = Bytes(kCaidas), dbt = Bytes("CAIDAS.DBT"), mdx = Bytes("CAIDAS.MDX");
  // The other station's next operation, different from case to case.
  const std::function<void(Tabla&)> siguientes[] = {
      [](Tabla& t) { t.First(); },
      [](Tabla& t) {
        t.SetIndexName("INUMERO");
        t.FindKey({1});
      },
      [](Tabla& t) { t.Refresh(); },
  };
  int caso = 0;
  for (const Caso& c : casos) {
    for (const int vez : {1, 3}) {
      SCOPED_TRACE(std::string(c.modo) + " " + c.punto + " vez " + std::to_string(vez));
      Escribe(kCaidas, dbf);
      Escribe("CAIDAS.DBT", dbt);
      Escribe("CAIDAS.MDX", mdx);
      auto otra = Abre(kCaidas);  // a station that has the table open meanwhile
      auto tercera = Abre(kCaidas);  // one that has read the unique tag's pages before
      tercera->SetIndexName("IUNICA");
      for (tercera->First(); !tercera->Eof(); tercera->Next()) {
      }
      ProcesoHijo hijo("EscribeHastaCaer", {kDatos, c.modo, c.punto, QString::number(vez)});
      ASSERT_TRUE(hijo.EsperaQueMuera());
      siguientes[caso++ % 3](*otra);
      ExigeCoherencia();

      // The killed write is finished, with those before it, for every station.
      const QString modo = c.modo;
      const QString muerta = modo == u"alta"     ? QStringLiteral("A%1").arg(vez)
                             : modo == u"cambio" ? QStringLiteral("M%1").arg(vez)
                                                 : QStringLiteral("K%1").arg(kFilas + 1 - vez);
      EXPECT_EQ(tercera->FindKey({muerta}), modo != u"baja");
      tercera->Close();
      auto t = Abre(kCaidas);
      t->SetIndexName("IUNICA");
      if (modo == u"alta") {
        const QString clave = QStringLiteral("A%1").arg(vez);
        ASSERT_TRUE(t->FindKey({clave}));
        EXPECT_EQ(t->RecNo(), kFilas + vez);
        EXPECT_EQ(t->FieldByName("NUMERO").AsInteger(), 500 + vez);
        EXPECT_EQ(t->FieldByName("NOTA").AsString(), "nota de " + clave);
        EXPECT_EQ(t->RecordCount(), kFilas + vez);
        ExigeClaveTomada(*t, clave);
      } else if (modo == u"cambio") {
        const QString clave = QStringLiteral("M%1").arg(vez);
        ASSERT_TRUE(t->FindKey({clave}));
        EXPECT_EQ(t->RecNo(), kFilas + 1 - vez);
        EXPECT_EQ(t->FieldByName("NUMERO").AsInteger(), 1000 + vez);
        EXPECT_FALSE(t->FindKey({QStringLiteral("K%1").arg(kFilas + 1 - vez)}));
        ExigeClaveTomada(*t, clave);
      } else {
        const QString clave = QStringLiteral("K%1").arg(kFilas + 1 - vez);
        EXPECT_FALSE(t->FindKey({clave}));
        EXPECT_EQ(t->RecordCount(), kFilas - vez);
        t->Append();  // a deleted row's key is free again
        PonFila(*t, clave, 1, "otra vez");
        t->Post();
      }
      // The table goes on: rows written after the crash keep the tags whole.
      EscribeFila(*t, "alta", 99);
      t->Close();
      otra->Close();
      ExigeCoherencia();
    }
  }
}

TEST_F(PruebaCaidas, EstacionesMatadasAlAzarNoDejanEtiquetasIncoherentes) {
  for (const char* modo : {"alta", "cambio"}) {
    for (int vuelta = 0; vuelta < 20; ++vuelta) {
      SCOPED_TRACE(std::string(modo) + " " + std::to_string(vuelta));
      auto otra = Abre(kCaidas);
      ProcesoHijo hijo("EscribeSinFin", {kDatos, modo});
      ASSERT_EQ(hijo.EsperaLinea(), "EN MARCHA");
      QThread::usleep(QRandomGenerator::global()->bounded(30000));
      hijo.Mata();
      otra->SetIndexName("IUNICA");
      otra->Last();
      ExigeCoherencia();
    }
  }
}

// A write armed to fail through the seam fails cleanly, before anything is
// written: the row is still being written and can be posted again. Armed
// for one table, the others write on; after the armed passes writes go on.
TEST_F(PruebaTabla, UnaEscrituraArmadaParaFallarFallaSoloEnSuTabla) {
  CreaClientes();
  Tabla::Crea(kDatos, QStringLiteral("OTRA.DBF"), {{"NOMBRE", 'C', 20, 0}});
  auto clientes = Abre(QStringLiteral("CLIENTES.DBF"));
  auto otra = Abre(QStringLiteral("OTRA.DBF"));
  const QString punto = QString::fromLatin1(db::puntos::kAntesDeEscribir) + QStringLiteral(":clientes.dbf");
  falla::ArmaError(punto, 1, 2);
  otra->Append();
  otra->FieldByName("NOMBRE").SetAsString("OTRA");
  otra->Post();
  clientes->Append();
  clientes->FieldByName("NOMBRE").SetAsString("ANA");
  for (int i = 0; i < 2; ++i) {
    const auto [clase, mensaje] = ErrorDe([&] { clientes->Post(); });
    EXPECT_EQ(clase, Clase::Io);
    EXPECT_EQ(mensaje, "Falla provocada en " + punto);
    EXPECT_EQ(clientes->State(), db::Dataset::Estado::Insertando);
  }
  clientes->Post();
  clientes->Edit();
  clientes->FieldByName("NUMERO").SetAsInteger(7);
  clientes->Post();
  falla::Desarma();
  auto leida = Abre(QStringLiteral("CLIENTES.DBF"), false, true);
  ASSERT_EQ(leida->RecordCount(), 1);
  EXPECT_EQ(leida->FieldByName("NOMBRE").AsString(), "ANA");
  EXPECT_EQ(leida->FieldByName("NUMERO").AsString(), "7");
  EXPECT_EQ(Abre(QStringLiteral("OTRA.DBF"))->RecordCount(), 1);
}
