// Stations are processes: appends of two processes at once, record locks,
// exclusive use, locks freed by kill -9, and a writer killed mid-append.

#include "db_comun.h"
#include "support/Proceso.h"

#include <QThread>

using db::Tabla;
using plat::Clase;
using prueba::AvisaPadre;
using prueba::EsperaPadre;
using prueba::ProcesoHijo;

namespace {

const QString kFilas = QStringLiteral("FILAS.DBF");

// A row that shows whether it was written whole: its text repeats a pattern
// made from the station and the sequence, and CHEQUEO sums them.
QString Patron(int estacion, int sec) {
  const QString base = QStringLiteral("%1-%2|").arg(estacion).arg(sec);
  return base.repeated(200 / base.size() + 1).left(200);
}

void CreaFilas() {
  Tabla::Crea(kDatos, kFilas,
              {{"ESTACION", 'N', 2, 0}, {"SEC", 'N', 7, 0}, {"TEXTO", 'C', 200, 0}, {"CHEQUEO", 'N', 10, 0},
               {"RELLENO", 'C', 80, 0}});
}

std::unique_ptr<Tabla> AbreEn(const QString& carpeta, const QString& nombre, bool exclusiva = false) {
  auto t = std::make_unique<Tabla>();
  t->SetCarpeta(carpeta);
  t->SetNombreTabla(nombre);
  t->SetExclusive(exclusiva);
  t->Open();
  return t;
}

void AgregaFila(Tabla& t, int estacion, int sec) {
  t.Append();
  t.FieldByName("ESTACION").SetAsInteger(estacion);
  t.FieldByName("SEC").SetAsInteger(sec);
  t.FieldByName("TEXTO").SetAsString(Patron(estacion, sec));
  t.FieldByName("CHEQUEO").SetAsInteger(estacion * 1000000 + sec);
  t.FieldByName("RELLENO").SetAsString(QString(80, QChar(u'a' + sec % 26)));
  t.Post();
}

// Checks every row; returns the sequences seen per station, in file order.
QMap<int, QList<int>> RevisaFilas(Tabla& t) {
  QMap<int, QList<int>> vistas;
  for (t.First(); !t.Eof(); t.Next()) {
    const int e = static_cast<int>(t.FieldByName("ESTACION").AsInteger());
    const int s = static_cast<int>(t.FieldByName("SEC").AsInteger());
    EXPECT_EQ(t.FieldByName("TEXTO").AsString(), Patron(e, s)) << "fila " << t.RecNo();
    EXPECT_EQ(t.FieldByName("CHEQUEO").AsInteger(), e * 1000000 + s) << "fila " << t.RecNo();
    EXPECT_EQ(t.FieldByName("RELLENO").AsString(), QString(80, QChar(u'a' + s % 26))) << "fila " << t.RecNo();
    vistas[e] << s;
  }
  return vistas;
}

quint32 CuentaCabecera(const QByteArray& b) {
  return static_cast<quint8>(b[4]) | (static_cast<quint8>(b[5]) << 8) | (static_cast<quint8>(b[6]) << 16) |
         (static_cast<quint32>(static_cast<quint8>(b[7])) << 24);
}

}  // namespace

// Children: arguments are the folder, the table and then their own.

RUTINA_HIJA(AgregaFilas) {
  auto t = AbreEn(argumentos[0], argumentos[1]);
  const int estacion = argumentos[2].toInt(), cuantas = argumentos[3].toInt();
  AvisaPadre("LISTO");
  if (EsperaPadre() != "YA") return 2;
  qint64 anterior = 0;
  for (int i = 1; i <= cuantas; ++i) {
    AgregaFila(*t, estacion, i);
    if (t->RecNo() <= anterior) return 3;  // numbers only grow
    anterior = t->RecNo();
  }
  return 0;
}

RUTINA_HIJA(AgregaSinFin) {
  auto t = AbreEn(argumentos[0], argumentos[1]);
  for (int i = 1;; ++i) {
    AgregaFila(*t, 7, i);
    if (i == 200) AvisaPadre("EN MARCHA");
  }
}

RUTINA_HIJA(EditaYEspera) {
  auto t = AbreEn(argumentos[0], argumentos[1]);
  t->Edit();
  t->FieldByName("TEXTO").SetAsString("del hijo");
  AvisaPadre("EDITANDO");
  if (EsperaPadre() != "POST") return 2;
  t->Post();
  AvisaPadre("HECHO");
  EsperaPadre();
  return 0;
}

RUTINA_HIJA(AbreYEspera) {
  auto t = AbreEn(argumentos[0], argumentos[1], argumentos[2] == "exclusiva");
  AvisaPadre("ABIERTA");
  EsperaPadre();
  return 0;
}

class PruebaEstaciones : public PruebaTabla {
 protected:
  void SetUp() override {
    PruebaTabla::SetUp();
    CreaFilas();
  }
};

TEST_F(PruebaEstaciones, DosProcesosAgreganALaVez) {
  auto observador = Abre(kFilas);
  ProcesoHijo a("AgregaFilas", {kDatos, kFilas, "1", "1000"});
  ProcesoHijo b("AgregaFilas", {kDatos, kFilas, "2", "1000"});
  ASSERT_EQ(a.EsperaLinea(), "LISTO");
  ASSERT_EQ(b.EsperaLinea(), "LISTO");
  a.Envia("YA");
  b.Envia("YA");
  // A reader meanwhile sees only whole rows.
  auto lector = Abre(kFilas);
  for (int i = 0; i < 20; ++i) {
    lector->Refresh();
    RevisaFilas(*lector);
  }
  EXPECT_EQ(a.Espera(), 0);
  EXPECT_EQ(b.Espera(), 0);

  EXPECT_EQ(observador->RecordCount(), 0);  // not until it refreshes
  observador->Refresh();
  EXPECT_EQ(observador->RecordCount(), 2000);
  const auto vistas = RevisaFilas(*observador);
  QList<int> esperadas;
  for (int i = 1; i <= 1000; ++i) esperadas << i;
  EXPECT_EQ(vistas.value(1), esperadas);  // each station's rows whole and in its order
  EXPECT_EQ(vistas.value(2), esperadas);
  observador->Last();
  EXPECT_EQ(observador->RecNo(), 2000);
  observador->Close();
  const QByteArray bytes = Bytes(kFilas);
  EXPECT_EQ(CuentaCabecera(bytes), 2000u);
  EXPECT_EQ(bytes.size(), 32 + 5 * 32 + 1 + 2000 * 300 + 1);
  EXPECT_EQ(bytes.back(), '\x1A');
}

TEST_F(PruebaEstaciones, ElBloqueoDeRegistroValeEntreProcesos) {
  {
    auto t = Abre(kFilas);
    AgregaFila(*t, 1, 1);
    AgregaFila(*t, 1, 2);
  }
  auto t = Abre(kFilas);
  ProcesoHijo hijo("EditaYEspera", {kDatos, kFilas});
  ASSERT_EQ(hijo.EsperaLinea(), "EDITANDO");
  EXPECT_EQ(ErrorDe([&] { t->Edit(); }),
            std::make_pair(Clase::Bloqueado, QString("El registro 1 de la tabla FILAS.DBF está bloqueado por otro usuario")));
  t->Next();
  t->Edit();  // record 2 is free
  t->Cancel();
  t->First();
  hijo.Envia("POST");
  ASSERT_EQ(hijo.EsperaLinea(), "HECHO");
  t->Edit();
  EXPECT_EQ(t->FieldByName("TEXTO").AsString(), "del hijo");
  t->Post();
  hijo.Envia("FIN");
  EXPECT_EQ(hijo.Espera(), 0);
}

TEST_F(PruebaEstaciones, MatarAlQueBloqueaLiberaSusBloqueos) {
  {
    auto t = Abre(kFilas);
    AgregaFila(*t, 1, 1);
  }
  {
    ProcesoHijo hijo("EditaYEspera", {kDatos, kFilas});
    ASSERT_EQ(hijo.EsperaLinea(), "EDITANDO");
    auto t = Abre(kFilas);
    EXPECT_EQ(ErrorDe([&] { t->Edit(); }).first, Clase::Bloqueado);
    hijo.Mata();
    t->Edit();
    EXPECT_EQ(t->FieldByName("TEXTO").AsString(), Patron(1, 1));  // the child's edit never reached the file
    t->Cancel();
  }
  ProcesoHijo hijo("AbreYEspera", {kDatos, kFilas, "exclusiva"});
  ASSERT_EQ(hijo.EsperaLinea(), "ABIERTA");
  EXPECT_EQ(ErrorDe([&] { Abre(kFilas); }).first, Clase::EnUso);
  hijo.Mata();
  auto t = Abre(kFilas, true);
  EXPECT_EQ(t->RecordCount(), 1);
}

TEST_F(PruebaEstaciones, UsoExclusivoFallaMientrasOtroProcesoLaTieneAbierta) {
  ProcesoHijo hijo("AbreYEspera", {kDatos, kFilas, "compartida"});
  ASSERT_EQ(hijo.EsperaLinea(), "ABIERTA");
  EXPECT_EQ(ErrorDe([&] { Abre(kFilas, true); }).first, Clase::EnUso);
  EXPECT_EQ(ErrorDe([&] { Tabla::Borra(kDatos, kFilas); }).first, Clase::EnUso);
  auto compartida = Abre(kFilas);  // sharing is fine
  compartida->Close();
  hijo.Envia("FIN");
  EXPECT_EQ(hijo.Espera(), 0);
  auto t = Abre(kFilas, true);
  EXPECT_TRUE(t->Active());
}

TEST_F(PruebaEstaciones, UnProcesoMatadoMientrasAgregaDejaUnArchivoLegible) {
  for (int vuelta = 0; vuelta < 2; ++vuelta) {
    SCOPED_TRACE(vuelta);
    ProcesoHijo hijo("AgregaSinFin", {kDatos, kFilas});
    ASSERT_EQ(hijo.EsperaLinea(), "EN MARCHA");
    QThread::msleep(20 + 37 * vuelta);
    hijo.Mata();

    auto t = Abre(kFilas);
    const auto vistas = RevisaFilas(*t);
    const QList<int> sec = vistas.value(7);
    ASSERT_GE(sec.size(), 200);
    for (int i = 0; i < sec.size(); ++i) ASSERT_EQ(sec[i], i + 1);
    const qint64 filas = t->RecordCount();
    // A writer killed between its record and its header leaves the count one short.
    const quint32 cabecera = CuentaCabecera(Bytes(kFilas));
    EXPECT_TRUE(cabecera == filas || cabecera + 1 == filas) << cabecera << " " << filas;
    // The table goes on: appends land after the last whole row.
    AgregaFila(*t, 8, 1);
    EXPECT_EQ(t->RecNo(), filas + 1);
    t->Delete();
    t->Close();
    EXPECT_EQ(CuentaCabecera(Bytes(kFilas)), filas + 1);
    auto e = Abre(kFilas, true);
    e->EmptyTable();
  }
}
