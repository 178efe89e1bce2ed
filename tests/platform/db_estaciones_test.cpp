// Stations are processes: appends of two processes at once, record locks,
// exclusive use, locks freed by kill -9, and a writer killed mid-append.

#include "db_comun.h"
#include "platform/db/Numeracion.h"
#include "platform/fs/Falla.h"
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
    // A writer killed between its record and its header left the count one
    // short; the open for writing set it right.
    EXPECT_EQ(CuentaCabecera(Bytes(kFilas)), filas);
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

// --- Where stations meet: the numbering lock and fresh lookups.

namespace {

const QString kNumeros = QStringLiteral("NUMEROS.DBF");
const QString kPrecios = QStringLiteral("PRECIOS.DBF");

void CreaNumeros() {
  Tabla::Crea(kDatos, kNumeros, {{"NUMERO", 'N', 8, 0}, {"ESTACION", 'N', 2, 0}}, {{"INUMERO", "NUMERO"}});
}

// "last + 1" as the routines do it: the highest number by its tag, plus one.
qint64 TomaSiguiente(Tabla& t, int estacion) {
  db::Numeracion n(t);
  t.Last();
  const qint64 siguiente = t.IsEmpty() ? 1 : t.FieldByName("NUMERO").AsInteger() + 1;
  t.Append();
  t.FieldByName("NUMERO").SetAsInteger(siguiente);
  t.FieldByName("ESTACION").SetAsInteger(estacion);
  t.Post();
  return siguiente;
}

}  // namespace

RUTINA_HIJA(TomaNumeros) {
  auto t = AbreEn(argumentos[0], kNumeros);
  t->SetIndexName("INUMERO");
  const int estacion = argumentos[1].toInt(), cuantos = argumentos[2].toInt();
  AvisaPadre("LISTO");
  if (EsperaPadre() != "YA") return 2;
  for (int i = 0; i < cuantos; ++i) TomaSiguiente(*t, estacion);
  return 0;
}

RUTINA_HIJA(NumeraYEspera) {
  auto t = AbreEn(argumentos[0], kNumeros);
  db::Numeracion n(*t);
  AvisaPadre("NUMERANDO");
  EsperaPadre();
  return 0;
}

// Takes orders from the parent: "<key> <price>" posts a new price for the
// row of that key.
RUTINA_HIJA(CambiaPrecios) {
  auto t = AbreEn(argumentos[0], kPrecios);
  t->SetIndexName("ICLAVE");
  for (QString orden = EsperaPadre(); !orden.isEmpty(); orden = EsperaPadre()) {
    const QStringList partes = orden.split(u' ');
    if (!t->FindKey({partes[0]})) return 2;
    t->Edit();
    t->FieldByName("PRECIO").SetAsString(partes[1]);
    t->Post();
    AvisaPadre("HECHO");
  }
  return 0;
}

TEST_F(PruebaEstaciones, DosProcesosNumeranSinRepetirNiSaltarse) {
  CreaNumeros();
  ProcesoHijo a("TomaNumeros", {kDatos, "1", "500"});
  ProcesoHijo b("TomaNumeros", {kDatos, "2", "500"});
  ASSERT_EQ(a.EsperaLinea(), "LISTO");
  ASSERT_EQ(b.EsperaLinea(), "LISTO");
  a.Envia("YA");
  b.Envia("YA");
  EXPECT_EQ(a.Espera(), 0);
  EXPECT_EQ(b.Espera(), 0);
  auto t = Abre(kNumeros);
  t->SetIndexName("INUMERO");
  QMap<int, int> porEstacion;
  qint64 esperado = 1;
  for (t->First(); !t->Eof(); t->Next(), ++esperado) {
    ASSERT_EQ(t->FieldByName("NUMERO").AsInteger(), esperado);
    ++porEstacion[static_cast<int>(t->FieldByName("ESTACION").AsInteger())];
  }
  EXPECT_EQ(esperado - 1, 1000);
  EXPECT_EQ(porEstacion.value(1), 500);
  EXPECT_EQ(porEstacion.value(2), 500);
}

TEST_F(PruebaEstaciones, LaNumeracionEsperaPocoYSeLiberaAlCerrarOMorir) {
  CreaNumeros();
  auto t = Abre(kNumeros);
  {
    ProcesoHijo hijo("NumeraYEspera", {kDatos});
    ASSERT_EQ(hijo.EsperaLinea(), "NUMERANDO");
    // Bounded: after a few seconds a clear error naming the table.
    EXPECT_EQ(ErrorDe([&] { db::Numeracion n(*t); }),
              std::make_pair(Clase::EnUso, QString("La numeración de la tabla NUMEROS.DBF está ocupada por otra estación")));
    hijo.Mata();
    EXPECT_EQ(TomaSiguiente(*t, 1), 1);  // the dead holder's lock is gone
  }
  // Released at Close: another handle of this process takes it at once.
  auto otra = Abre(kNumeros);
  t->TomaNumeracion();
  t->Close();
  EXPECT_EQ(TomaSiguiente(*otra, 2), 2);
  // A station that has not refreshed still numbers after the others' rows.
  t->Open();
  t->SetIndexName("INUMERO");
  TomaSiguiente(*otra, 2);
  EXPECT_EQ(TomaSiguiente(*t, 1), 4);
}

TEST_F(PruebaEstaciones, UnPrecioQuePostaOtraEstacionSeVeEnLaSiguienteBusqueda) {
  Tabla::Crea(kDatos, kPrecios, {{"CLAVE", 'C', 10, 0}, {"PRECIO", 'N', 10, 2}}, {{"ICLAVE", "CLAVE"}});
  auto t = Abre(kPrecios);
  for (const char* clave : {"A1", "B2", "C3"}) {
    t->Append();
    t->FieldByName("CLAVE").SetAsString(clave);
    t->FieldByName("PRECIO").SetAsFloat(10);
    t->Post();
  }
  t->SetIndexName("ICLAVE");
  ProcesoHijo hijo("CambiaPrecios", {kDatos});
  // Each lookup stands on B2 after the other station posted a new price;
  // this station has read the old one and never refreshes.
  struct Caso {
    const char* como;
    std::function<void()> busca;
  };
  const Caso casos[] = {
      {"FindKey", [&] { ASSERT_TRUE(t->FindKey({"B2"})); }},
      {"FindNearest", [&] { t->FindNearest({"B"}); }},
      {"SetRange", [&] { t->SetRange({"B2"}, {"B2"}); }},
      {"Locate por el índice", [&] { ASSERT_TRUE(t->Locate("CLAVE", {"B2"})); }},
      {"Edit", [&] {
         ASSERT_TRUE(t->FindKey({"B2"}));
         hijo.Envia("B2 99.5");  // after this station stands on the row
         ASSERT_EQ(hijo.EsperaLinea(), "HECHO");
         t->Edit();
       }},
  };
  int vuelta = 0;
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.como);
    const QString precio = QString::number(11 + vuelta++);
    t->CancelRange();
    ASSERT_TRUE(t->FindKey({"B2"}));
    EXPECT_NE(t->FieldByName("PRECIO").AsString(), precio);  // the old price, read here first
    hijo.Envia("B2 " + precio);
    ASSERT_EQ(hijo.EsperaLinea(), "HECHO");
    t->First();
    c.busca();
    EXPECT_EQ(t->FieldByName("CLAVE").AsString(), "B2");
    EXPECT_EQ(t->FieldByName("PRECIO").AsString(), QString(c.como) == QString("Edit") ? "99.5" : precio);
    t->Cancel();
  }
  hijo.Envia("");
}

// --- Appends recognised by their record: a row reserved before it shows.

namespace {

// Reserves a row of NUMERO argumentos[1], tells the parent its record and
// digest, and dies before the row goes live.
RUTINA_HIJA(ReservaYMuere) {
  auto t = AbreEn(argumentos[0], kNumeros);
  t->Append();
  t->FieldByName("NUMERO").SetAsInteger(argumentos[1].toLongLong());
  t->PostReservado([](qint64 n, const QByteArray& firma) {
    AvisaPadre(QString::number(n) + u' ' + QString::fromLatin1(firma.toHex()));
    falla::Arma(QStringLiteral("prueba.reservada"));
    falla::Punto("prueba.reservada");
  });
  return 0;
}

}  // namespace

TEST_F(PruebaEstaciones, UnaFilaReservadaNoSeVeHastaQueSeHaceViva) {
  CreaNumeros();
  auto t = Abre(kNumeros);
  auto otra = Abre(kNumeros);
  otra->SetIndexName("INUMERO");
  // A reservation its writer could not note stays deleted; the row is still
  // being appended.
  t->Append();
  t->FieldByName("NUMERO").SetAsInteger(6);
  EXPECT_THROW(t->PostReservado([](qint64, const QByteArray&) { throw plat::Error(QStringLiteral("sin diario")); }),
               plat::Error);
  EXPECT_EQ(t->State(), db::Dataset::Estado::Insertando);
  t->Cancel();

  t->Append();
  t->FieldByName("NUMERO").SetAsInteger(7);
  qint64 reservado = 0;
  QByteArray firma;
  const qint64 n = t->PostReservado([&](qint64 r, const QByteArray& f) {
    reservado = r;
    firma = f;
    otra->Refresh();
    EXPECT_FALSE(otra->FindKey({7}));
    EXPECT_EQ(otra->RecordCount(), 0);
    EXPECT_EQ(otra->EstadoReserva(r, f), Tabla::Reserva::Reservada);
  });
  EXPECT_EQ(n, 2);
  EXPECT_EQ(n, reservado);
  EXPECT_EQ(t->RecNo(), n);
  EXPECT_EQ(t->FieldByName("NUMERO").AsInteger(), 7);
  ASSERT_TRUE(otra->FindKey({7}));
  EXPECT_EQ(otra->RecNo(), n);
  otra->Refresh();
  EXPECT_EQ(otra->RecordCount(), 1);
  EXPECT_EQ(otra->EstadoReserva(n, firma), Tabla::Reserva::Viva);
  EXPECT_EQ(otra->EstadoReserva(n, QByteArray("otra")), Tabla::Reserva::Ajena);
  EXPECT_EQ(otra->EstadoReserva(n + 1, firma), Tabla::Reserva::Ajena);
  EXPECT_EQ(otra->TagsDiscrepantes(), QStringList());
}

TEST_F(PruebaEstaciones, UnaReservaDeUnaEstacionMuertaEsSuyaYSeTerminaSinOtraFila) {
  CreaNumeros();
  ProcesoHijo hijo("ReservaYMuere", {kDatos, "7"});
  const QStringList reserva = hijo.EsperaLinea().split(u' ');
  ASSERT_TRUE(hijo.EsperaQueMuera());
  ASSERT_EQ(reserva.size(), 2);
  const qint64 n = reserva[0].toLongLong();
  const QByteArray firma = QByteArray::fromHex(reserva[1].toLatin1());

  // Another station sees nothing of it and appends past it.
  auto otra = Abre(kNumeros);
  otra->SetIndexName("INUMERO");
  EXPECT_FALSE(otra->FindKey({7}));
  otra->Append();
  otra->FieldByName("NUMERO").SetAsInteger(8);
  otra->Post();
  EXPECT_EQ(otra->RecNo(), n + 1);

  // The dead station, started again, finds its row by the record it noted.
  auto t = Abre(kNumeros);
  ASSERT_EQ(t->EstadoReserva(n, firma), Tabla::Reserva::Reservada);
  EXPECT_EQ(t->EstadoReserva(n + 1, firma), Tabla::Reserva::Ajena);
  t->Restituye(n);
  EXPECT_EQ(t->RecNo(), n);
  EXPECT_EQ(t->FieldByName("NUMERO").AsInteger(), 7);
  EXPECT_EQ(t->EstadoReserva(n, firma), Tabla::Reserva::Viva);
  t->Restituye(n);  // a live row stays as it is
  otra->Refresh();
  EXPECT_EQ(Columna(*otra, "NUMERO"), (QStringList{"7", "8"}));
  EXPECT_EQ(otra->RecordCount(), 2);
  EXPECT_EQ(otra->TagsDiscrepantes(), QStringList());
}
