#include "paradox_comun.h"

#include "platform/Error.h"
#include "platform/db/paradox/ParadoxArchivo.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "support/RaizPrueba.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <memory>
#include <functional>
#include <limits>
#include <random>

#include <ostream>

using db::DefCampo;
using db::ParadoxArchivo;
using Uso = ParadoxArchivo::Uso;

namespace {

const QString kDeta = QStringLiteral("C:\\VRL\\deta.db");
const QString kPlantilla = QStringLiteral("C:\\VRL\\DetaCR.db");

QString Clave(const Fila& f) { return f[1].toString(); }

QStringList Claves(ParadoxArchivo& t) {
  QStringList claves;
  for (qint64 n = 1, total = t.Registros(); n <= total; ++n) claves << Clave(t.Lee(n));
  return claves;
}

QVector<Fila> Filas(ParadoxArchivo& t) {
  QVector<Fila> filas;
  for (qint64 n = 1, total = t.Registros(); n <= total; ++n) filas << t.Lee(n);
  return filas;
}

// Another station (a second process) holding a table open.
class OtraEstacion {
 public:
  OtraEstacion(const QString& ruta, const char* uso) {
    proceso_.start(QStringLiteral(TENEDOR_PARADOX), {fs::Local(ruta), QString::fromLatin1(uso)});
    proceso_.waitForReadyRead(10000);
    respuesta_ = QString::fromLocal8Bit(proceso_.readLine()).trimmed();
  }
  ~OtraEstacion() {
    proceso_.closeWriteChannel();
    if (!proceso_.waitForFinished(10000)) proceso_.kill();
  }
  const QString& Respuesta() const { return respuesta_; }

 private:
  QProcess proceso_;
  QString respuesta_;
};

}  // namespace

using ParadoxTest = RaizPrueba;

TEST_F(ParadoxTest, CapturaLlenaEditadaEmpacadaYLeidaPorOtroLector) {
  ParadoxArchivo::Crea(kDeta, CamposCaptura());
  ParadoxArchivo grid(kDeta, Uso::Compartido);
  auto total = std::make_unique<ParadoxArchivo>(kDeta, Uso::Compartido);
  ASSERT_EQ(grid.Campos().size(), 21);
  EXPECT_EQ(grid.Campos()[2].nombre, QStringLiteral("PRODUCTO"));
  EXPECT_EQ(grid.Campos()[2].ancho, 60);
  EXPECT_EQ(grid.Campos()[3].tipo, u'$');

  QVector<Fila> esperadas;
  for (int i = 1; i <= 12; ++i) {
    Fila f = Linea(i, QStringLiteral("P%1").arg(i), QStringLiteral("Café molido nº %1 ñandú €").arg(i), 10.5 * i);
    if (i % 3 == 0) f[4] = 12.5;
    if (i == 5) f[3] = -3.25;  // a credit line
    if (i == 7) f[1] = QStringLiteral("COMENTARIO");
    grid.Agrega(f);
    esperadas << f;
    // The totals cursor sees each posted line at once.
    ASSERT_EQ(total->Registros(), i);
    ASSERT_EQ(total->Lee(i), f);
  }
  // The totals cursor rewrites the amounts; the grid cursor sees them.
  for (int i = 1; i <= 12; ++i) {
    Fila f = total->Lee(i);
    f[5] = f[0].toDouble() * f[3].toDouble() * (1 - f[4].toDouble() / 100);
    total->Escribe(i, f);
    esperadas[i - 1] = f;
  }
  EXPECT_EQ(Filas(grid), esperadas);
  // F6 on lines 9 and 4 from the grid cursor.
  grid.Borra(9);
  grid.Borra(4);
  esperadas.removeAt(8);
  esperadas.removeAt(3);
  EXPECT_EQ(Filas(*total), esperadas);

  // Packing needs the table alone: not while the totals cursor has it open.
  const plat::Error e = Falla([&] { grid.Empaca(); });
  EXPECT_EQ(e.clase(), plat::Clase::EnUso) << e.what();
  EXPECT_TRUE(e.mensaje().contains(QStringLiteral("deta.db"))) << e.what();
  total.reset();
  grid.Empaca();
  EXPECT_EQ(Filas(grid), esperadas);
  EXPECT_EQ(QFileInfo(fs::Local(kDeta)).size(), 2048 + 2 * 2048);  // 10 rows of 228 bytes, 8 to a block

  const LecturaPx px = LeePx(kDeta);
  ASSERT_TRUE(px.error.isEmpty()) << px.error.toStdString();
  QStringList nombres;
  QString tipos;
  for (const DefCampo& c : CamposCaptura()) {
    nombres << c.nombre;
    tipos += c.tipo;
  }
  EXPECT_EQ(px.nombres, nombres);
  EXPECT_EQ(px.tipos, tipos);
  EXPECT_EQ(px.filas, esperadas);
}

namespace {

QStringList Numeradas(int desde, int hasta) {
  QStringList claves;
  for (int i = desde; i <= hasta; ++i) claves << QStringLiteral("L%1").arg(i);
  return claves;
}

QStringList ClavesPx(const QString& ruta) {
  const LecturaPx px = LeePx(ruta);
  EXPECT_TRUE(px.error.isEmpty()) << px.error.toStdString();
  QStringList claves;
  for (const Fila& f : px.filas) claves << Clave(f);
  return claves;
}

}  // namespace

TEST_F(ParadoxTest, InsertarPoneLaFilaAntesDeLaIndicada) {
  // 228-byte rows, 8 to a 2 KB block: 8 and 16 rows fill whole blocks.
  struct Caso {
    int filas;
    int en;
  };
  const Caso casos[] = {{5, 3}, {5, 1}, {5, 5}, {5, 6}, {0, 1}, {8, 1}, {8, 5}, {8, 9}, {16, 9}, {16, 17}, {17, 16}};
  for (const Caso& caso : casos) {
    ParadoxArchivo::Crea(kDeta, CamposCaptura());
    ParadoxArchivo t(kDeta, Uso::Compartido);
    for (const QString& clave : Numeradas(1, caso.filas)) t.Agrega(Linea(1, clave, clave, 1));
    t.Inserta(caso.en, Linea(1, QStringLiteral("NUEVA"), QString(), 1));
    QStringList esperadas = Numeradas(1, caso.filas);
    esperadas.insert(caso.en - 1, QStringLiteral("NUEVA"));
    const QString donde = QStringLiteral("%1 filas, en %2").arg(caso.filas).arg(caso.en);
    EXPECT_EQ(Claves(t), esperadas) << donde.toStdString();
    EXPECT_EQ(ClavesPx(kDeta), esperadas) << donde.toStdString();
  }
}

TEST_F(ParadoxTest, UnLectorVeLasFilasQueOtroMovioAunqueLasCuentasDelEncabezadoQuedenIguales) {
  // 20 rows in blocks of 8, 8 and 4. The other handle inserts into the last
  // block and deletes from the first: the row count and the blocks in use
  // stand as they were, yet every row after the deleted one moved.
  ParadoxArchivo::Crea(kDeta, CamposCaptura());
  ParadoxArchivo lector(kDeta, Uso::Compartido);
  ParadoxArchivo escritor(kDeta, Uso::Compartido);
  for (const QString& clave : Numeradas(1, 20)) escritor.Agrega(Linea(1, clave, clave, 1));
  EXPECT_EQ(Claves(lector), Numeradas(1, 20));
  escritor.Inserta(19, Linea(1, QStringLiteral("NUEVA"), QString(), 1));
  escritor.Borra(2);
  QStringList esperadas = Numeradas(1, 20);
  esperadas.insert(18, QStringLiteral("NUEVA"));
  esperadas.removeAt(1);
  EXPECT_EQ(Claves(lector), esperadas);
  EXPECT_EQ(ClavesPx(kDeta), esperadas);
}

TEST_F(ParadoxTest, CargarLineasInsertandoAntesDeLaPrimeraConservaSuOrden) {
  // The saved lines are walked from the last to the first and each one is
  // inserted before the current row, which is the row inserted just before.
  ParadoxArchivo::Crea(kDeta, CamposCaptura());
  ParadoxArchivo t(kDeta, Uso::Compartido);
  const QStringList guardadas = Numeradas(1, 10);
  for (int i = guardadas.size() - 1; i >= 0; --i) t.Inserta(1, Linea(i + 1, guardadas[i], QString(), 2.5));
  EXPECT_EQ(Claves(t), guardadas);
  EXPECT_EQ(t.Lee(4)[0].toDouble(), 4.0);
  EXPECT_EQ(ClavesPx(kDeta), guardadas);
}

TEST_F(ParadoxTest, OperacionesMezcladasCoincidenConUnaListaYEmpacarConservaElOrden) {
  ParadoxArchivo::Crea(kDeta, CamposCaptura());
  ParadoxArchivo t(kDeta, Uso::Compartido);
  auto otro = std::make_unique<ParadoxArchivo>(kDeta, Uso::Compartido);
  QStringList modelo;
  std::mt19937 azar(20240305);
  int siguiente = 0;
  for (int paso = 0; paso < 400; ++paso) {
    const int dado = int(azar() % 100);
    const int n = modelo.size();
    const QString nueva = QStringLiteral("K%1").arg(++siguiente);
    if (dado < 45 || n == 0) {
      const int en = int(azar() % (n + 1)) + 1;
      t.Inserta(en, Linea(1, nueva, QString(), 1));
      modelo.insert(en - 1, nueva);
    } else if (dado < 75) {
      const int en = int(azar() % n) + 1;
      otro->Borra(en);
      modelo.removeAt(en - 1);
    } else if (dado < 85) {
      otro->Agrega(Linea(1, nueva, QString(), 1));
      modelo << nueva;
    } else {
      const int en = int(azar() % n) + 1;
      t.Escribe(en, Linea(2, nueva, QString(), 1));
      modelo[en - 1] = nueva;
    }
    ASSERT_EQ(otro->Registros(), modelo.size()) << "paso " << paso;
    if (paso % 25 == 0) {
      ASSERT_EQ(Claves(*otro), modelo) << "paso " << paso;
    }
  }
  EXPECT_EQ(Claves(t), modelo);
  EXPECT_EQ(ClavesPx(kDeta), modelo);

  // Packing keeps the order and leaves full blocks; not while another
  // handle has the table open.
  EXPECT_EQ(Falla([&] { t.Empaca(); }).clase(), plat::Clase::EnUso);
  otro.reset();
  t.Empaca();
  EXPECT_EQ(Claves(t), modelo);
  EXPECT_EQ(QFileInfo(fs::Local(kDeta)).size(), 2048 + (modelo.size() + 7) / 8 * 2048);
  EXPECT_EQ(ClavesPx(kDeta), modelo);
  // The handle goes on with the packed file, still shared.
  t.Inserta(1, Linea(1, QStringLiteral("PRIMERA"), QString(), 1));
  modelo.prepend(QStringLiteral("PRIMERA"));
  ParadoxArchivo despues(kDeta, Uso::Compartido);
  EXPECT_EQ(Claves(despues), modelo);
}

namespace {

const QString kTipos = QStringLiteral("C:\\VRL\\Tipos.db");

QVector<DefCampo> CamposDeCadaTipo() {
  return {{QStringLiteral("TEXTO"), u'A', 10, 0}, {QStringLiteral("NUMERO"), u'N', 0, 0},
          {QStringLiteral("MONEDA"), u'$', 0, 0}, {QStringLiteral("FECHA"), u'D', 0, 0},
          {QStringLiteral("CORTO"), u'S', 0, 0},  {QStringLiteral("LARGO"), u'I', 0, 0},
          {QStringLiteral("LOGICO"), u'L', 0, 0}};
}

}  // namespace

TEST_F(ParadoxTest, BlancosQuedanDistintosDeCeroEnCadaTipo) {
  ParadoxArchivo::Crea(kTipos, CamposDeCadaTipo());
  const QVector<Fila> filas = {
      Fila(7),  // all blank
      {QStringLiteral("0"), 0.0, 0.0, QDate(2024, 2, 29), 0, 0, false},
      {QStringLiteral("Año ñ €"), 1234.5678, -0.01, QDate(1, 1, 1), -32767, 2147483647, true},
      {QStringLiteral("  sangría"), -1e-300, 1e15, QDate(9999, 12, 31), 32767, -2147483647, false},
  };
  {
    ParadoxArchivo t(kTipos, Uso::Exclusivo);
    for (const Fila& f : filas) t.Agrega(f);
    EXPECT_EQ(Filas(t), filas);
  }
  const LecturaPx px = LeePx(kTipos);
  ASSERT_TRUE(px.error.isEmpty()) << px.error.toStdString();
  EXPECT_EQ(px.tipos, QStringLiteral("AN$DSIL"));
  EXPECT_EQ(px.filas, filas);

  // What the program may hand in for a value, and what comes back.
  struct Caso {
    int campo;
    QVariant dado;
    QVariant leido;
  };
  const Caso casos[] = {
      {0, QStringLiteral("abc   "), QStringLiteral("abc")},  // trailing blanks are not kept
      {0, QString(), QVariant()},
      {1, -0.0, 0.0},
      {1, QStringLiteral("12.5"), 12.5},
      {3, QStringLiteral("05/03/2024"), QDate(2024, 3, 5)},
      {3, QDate(), QVariant()},
      {3, QStringLiteral(""), QVariant()},
      {4, 12.0, 12},
  };
  ParadoxArchivo t(kTipos, Uso::Compartido);
  for (const Caso& c : casos) {
    Fila f(7);
    f[c.campo] = c.dado;
    t.Escribe(1, f);
    EXPECT_EQ(t.Lee(1)[c.campo], c.leido) << c.campo << " " << c.dado.toString().toStdString();
  }
}

TEST_F(ParadoxTest, ValoresQueNoCabenONoSonValidosNombranCampoYTabla) {
  ParadoxArchivo::Crea(kTipos, CamposDeCadaTipo());
  ParadoxArchivo t(kTipos, Uso::Compartido);
  t.Agrega(Fila(7));
  struct Caso {
    int campo;
    QVariant valor;
    plat::Clase clase;
  };
  const Caso casos[] = {
      {1, QStringLiteral("doce"), plat::Clase::Conversion},
      {1, std::numeric_limits<double>::infinity(), plat::Clase::NoCabe},
      {2, std::numeric_limits<double>::quiet_NaN(), plat::Clase::NoCabe},
      {3, QStringLiteral("31/02/2024"), plat::Clase::Conversion},
      {3, 45, plat::Clase::Conversion},
      {4, 32768, plat::Clase::NoCabe},
      {4, -32768, plat::Clase::NoCabe},
      {4, 1.5, plat::Clase::NoCabe},
      {5, 3e9, plat::Clase::NoCabe},
  };
  for (const Caso& c : casos) {
    Fila f(7);
    f[c.campo] = c.valor;
    for (int intento = 0; intento < 2; ++intento) {
      const plat::Error e = Falla([&] { intento ? t.Escribe(1, f) : void(t.Agrega(f)); });
      EXPECT_EQ(e.clase(), c.clase) << c.campo << " " << e.what();
      EXPECT_TRUE(e.mensaje().contains(CamposDeCadaTipo()[c.campo].nombre) && e.mensaje().contains(QStringLiteral("Tipos.db")))
          << e.what();
    }
  }
  EXPECT_EQ(t.Registros(), 1);
  EXPECT_EQ(t.Lee(1), Fila(7));
  EXPECT_FALSE(Falla([&] { t.Agrega(Fila(3)); }).mensaje().isEmpty());
  // A value refused leaves the record's field as it was.
  QByteArray registro = t.Vacio();
  t.Fija(registro, 0, QStringLiteral("abc"));
  t.Fija(registro, 4, 7);
  EXPECT_EQ(Falla([&] { t.Fija(registro, 4, 40000); }).clase(), plat::Clase::NoCabe);
  EXPECT_EQ(t.Valor(registro.constData(), 0), QStringLiteral("abc"));
  EXPECT_EQ(t.Valor(registro.constData(), 4), qint64(7));
  EXPECT_EQ(t.Registros(), 1);
}

TEST_F(ParadoxTest, CrearRechazaDefinicionesMalas) {
  struct Caso {
    QVector<DefCampo> campos;
    const char* dice;
  };
  const QVector<Caso> casos = {
      {{}, "entre 1 y 255 campos"},
      {{{QStringLiteral("CLAVE"), u'A', 5, 0}, {QStringLiteral("clave"), u'N', 0, 0}}, "repetido"},
      {{{QString(), u'A', 5, 0}}, "Nombre de campo"},
      {{{QStringLiteral("UN_NOMBRE_DEMASIADO_LARGO_"), u'N', 0, 0}}, "Nombre de campo"},
      {{{QStringLiteral("CLAVE"), u'X', 5, 0}}, "tipo no válido"},
      {{{QStringLiteral("CLAVE"), u'A', 0, 0}}, "entre 1 y 255"},
      {{{QStringLiteral("CLAVE"), u'A', 256, 0}}, "entre 1 y 255"},
  };
  for (const Caso& c : casos) {
    const plat::Error e = Falla([&] { ParadoxArchivo::Crea(kTipos, c.campos); });
    EXPECT_TRUE(e.mensaje().contains(QString::fromUtf8(c.dice)) && e.mensaje().contains(QStringLiteral("Tipos.db"))) << e.what();
    EXPECT_FALSE(fs::Existe(kTipos));
  }
}

TEST_F(ParadoxTest, UsoExclusivoEntreManejadoresDeUnProceso) {
  ParadoxArchivo::Crea(kDeta, CamposCaptura());
  struct Caso {
    Uso primero;
    Uso segundo;
    bool abre;
  };
  const Caso casos[] = {{Uso::Compartido, Uso::Compartido, true},
                        {Uso::Compartido, Uso::Exclusivo, false},
                        {Uso::Exclusivo, Uso::Compartido, false},
                        {Uso::Exclusivo, Uso::Exclusivo, false}};
  for (const Caso& c : casos) {
    ParadoxArchivo primero(kDeta, c.primero);
    const plat::Error e = Falla([&] { ParadoxArchivo segundo(kDeta, c.segundo); });
    if (c.abre) {
      EXPECT_EQ(e.mensaje(), QStringLiteral("<sin error>"));
    } else {
      EXPECT_EQ(e.clase(), plat::Clase::EnUso) << e.what();
      EXPECT_TRUE(e.mensaje().contains(QStringLiteral("deta.db"))) << e.what();
    }
  }
  // Closing ends the use: the table can be claimed again.
  ParadoxArchivo libre(kDeta, Uso::Exclusivo);
  EXPECT_TRUE(libre.Exclusivo());
}

TEST_F(ParadoxTest, OtraEstacionConLaTablaAbiertaImpideUsoExclusivoEmpacarYReemplazar) {
  ParadoxArchivo::Crea(kPlantilla, CamposCaptura());
  ParadoxArchivo::Crea(kDeta, CamposCaptura());
  {
    ParadoxArchivo t(kDeta, Uso::Compartido);
    t.Agrega(Linea(1, QStringLiteral("A"), QString(), 1));
    t.Agrega(Linea(1, QStringLiteral("B"), QString(), 1));
    t.Borra(1);
  }
  const QByteArray antes = fs::LeeBytes(kDeta);
  {
    OtraEstacion otra(kDeta, "compartido");
    ASSERT_EQ(otra.Respuesta(), QStringLiteral("listo"));
    const auto operaciones = std::vector<std::function<void()>>{
        [] { ParadoxArchivo t(kDeta, Uso::Exclusivo); },
        [] { ParadoxArchivo::EmpacaArchivo(kDeta); },
        [] { ParadoxArchivo(kDeta, Uso::Compartido).Empaca(); },
        [] { ParadoxArchivo(kDeta, Uso::Compartido).Vacia(); },
        [] { ParadoxArchivo::Copia(kPlantilla, kDeta); },
        [] { ParadoxArchivo::Crea(kDeta, CamposCaptura()); },
    };
    for (const auto& operacion : operaciones) {
      const plat::Error e = Falla(operacion);
      EXPECT_EQ(e.clase(), plat::Clase::EnUso) << e.what();
      EXPECT_TRUE(e.mensaje().contains(QStringLiteral("deta.db"))) << e.what();
    }
    EXPECT_EQ(fs::LeeBytes(kDeta), antes);
    ParadoxArchivo compartida(kDeta, Uso::Compartido);
    EXPECT_EQ(Claves(compartida), QStringList{QStringLiteral("B")});
  }
  {
    OtraEstacion otra(kDeta, "exclusivo");
    ASSERT_EQ(otra.Respuesta(), QStringLiteral("listo"));
    EXPECT_EQ(Falla([] { ParadoxArchivo t(kDeta, Uso::Compartido); }).clase(), plat::Clase::EnUso);
  }
  {
    // This station holds it: the other one cannot claim it.
    ParadoxArchivo t(kDeta, Uso::Compartido);
    OtraEstacion otra(kDeta, "exclusivo");
    EXPECT_TRUE(otra.Respuesta().startsWith(QStringLiteral("error")) && otra.Respuesta().contains(QStringLiteral("deta.db")))
        << otra.Respuesta().toStdString();
  }
  // The other station's locks ended with it.
  ParadoxArchivo::EmpacaArchivo(kDeta);
  EXPECT_EQ(ClavesPx(kDeta), QStringList{QStringLiteral("B")});
}

TEST_F(ParadoxTest, BloqueosDeRegistroEntreManejadoresSiguenALaFila) {
  ParadoxArchivo::Crea(kDeta, CamposCaptura());
  ParadoxArchivo a(kDeta, Uso::Compartido);
  ParadoxArchivo b(kDeta, Uso::Compartido);
  for (const QString& clave : Numeradas(1, 4)) a.Agrega(Linea(1, clave, QString(), 1));
  a.BloqueaRegistro(2);

  const auto bloqueado = [](const std::function<void()>& operacion) {
    const plat::Error e = Falla(operacion);
    return e.clase() == plat::Clase::Bloqueado && e.mensaje().contains(QStringLiteral("deta.db"));
  };
  EXPECT_TRUE(bloqueado([&] { b.BloqueaRegistro(2); }));
  EXPECT_TRUE(bloqueado([&] { b.Escribe(2, Linea(9, QStringLiteral("X"), QString(), 1)); }));
  EXPECT_TRUE(bloqueado([&] { b.Inserta(1, Linea(9, QStringLiteral("X"), QString(), 1)); }));
  EXPECT_TRUE(bloqueado([&] { b.Borra(1); }));
  b.Escribe(3, Linea(9, QStringLiteral("L3b"), QString(), 1));
  b.Agrega(Linea(1, QStringLiteral("L5"), QString(), 1));
  b.Borra(4);
  EXPECT_EQ(Claves(a), (QStringList{"L1", "L2", "L3b", "L5"}));

  // The holder's own insert before its row moves the lock with the row.
  a.Inserta(1, Linea(1, QStringLiteral("L0"), QString(), 1));
  EXPECT_TRUE(a.TieneBloqueo(3));
  EXPECT_TRUE(bloqueado([&] { b.BloqueaRegistro(3); }));
  b.BloqueaRegistro(2);
  b.LiberaRegistro(2);
  a.Borra(1);
  EXPECT_TRUE(a.TieneBloqueo(2));
  EXPECT_TRUE(bloqueado([&] { b.BloqueaRegistro(2); }));
  a.LiberaBloqueos();
  b.BloqueaRegistro(2);
  {
    // Closing a handle releases its locks.
    ParadoxArchivo c(kDeta, Uso::Compartido);
    c.BloqueaRegistro(1);
    EXPECT_TRUE(bloqueado([&] { a.BloqueaRegistro(1); }));
  }
  a.BloqueaRegistro(1);
  // A read-only handle neither writes nor locks.
  ParadoxArchivo lectura(kDeta, Uso::Compartido, true);
  EXPECT_EQ(Falla([&] { lectura.BloqueaRegistro(3); }).clase(), plat::Clase::Estado);
  EXPECT_EQ(Falla([&] { lectura.Agrega(Fila(21)); }).clase(), plat::Clase::Estado);
  EXPECT_EQ(lectura.Registros(), 4);
}

TEST_F(ParadoxTest, VaciarDejaLaTablaSinFilasYUsable) {
  ParadoxArchivo::Crea(kDeta, CamposCaptura());
  ParadoxArchivo grid(kDeta, Uso::Compartido);
  auto total = std::make_unique<ParadoxArchivo>(kDeta, Uso::Compartido);
  for (const QString& clave : Numeradas(1, 20)) grid.Agrega(Linea(1, clave, QString(), 1));
  EXPECT_EQ(Falla([&] { total->Vacia(); }).clase(), plat::Clase::EnUso);
  total.reset();
  grid.Vacia();
  EXPECT_EQ(grid.Registros(), 0);
  EXPECT_EQ(QFileInfo(fs::Local(kDeta)).size(), 2048);
  EXPECT_TRUE(ClavesPx(kDeta).isEmpty());
  // Still shared once emptied; deleting the only row empties it as well.
  ParadoxArchivo otro(kDeta, Uso::Compartido);
  otro.Agrega(Linea(1, QStringLiteral("UNA"), QString(), 1));
  EXPECT_EQ(Claves(grid), QStringList{QStringLiteral("UNA")});
  grid.Borra(1);
  EXPECT_EQ(otro.Registros(), 0);
  // Other handles may be reading its block, so the file keeps it, out of
  // the list of rows.
  EXPECT_TRUE(ClavesPx(kDeta).isEmpty());
  grid.Inserta(1, Linea(1, QStringLiteral("OTRA"), QString(), 1));
  EXPECT_EQ(ClavesPx(kDeta), QStringList{QStringLiteral("OTRA")});
}

TEST_F(ParadoxTest, CopiaDeLaPlantillaConSusArchivosCompanieros) {
  ParadoxArchivo::Crea(kPlantilla, CamposCaptura());
  EscribeBytes(QStringLiteral("C:\\VRL\\DetaCR.VAL"), "reglas de validez");
  const QString deta3 = QStringLiteral("C:\\VRL\\deta3.db");
  ParadoxArchivo::Crea(deta3, CamposDeCadaTipo());
  {
    ParadoxArchivo vieja(deta3, Uso::Compartido);
    vieja.Agrega(Fila(7));
  }
  ParadoxArchivo::Copia(kPlantilla, deta3);
  ParadoxArchivo copia(deta3, Uso::Exclusivo);
  EXPECT_EQ(copia.Campos().size(), 21);
  EXPECT_EQ(copia.Registros(), 0);
  EXPECT_EQ(fs::LeeBytes(deta3), fs::LeeBytes(kPlantilla));
  EXPECT_EQ(fs::LeeBytes(QStringLiteral("C:\\VRL\\deta3.val")), QByteArray("reglas de validez"));
  copia.Agrega(Linea(1, QStringLiteral("P1"), QString(), 1));
  EXPECT_EQ(ParadoxArchivo(kPlantilla, Uso::Compartido).Registros(), 0);

  const plat::Error e = Falla([] { ParadoxArchivo::Copia(QStringLiteral("C:\\VRL\\NoHay.db"), QStringLiteral("C:\\VRL\\deta4.db")); });
  EXPECT_EQ(e.clase(), plat::Clase::NoExiste);
  EXPECT_TRUE(e.mensaje().contains(QStringLiteral("NoHay.db")));
  EXPECT_FALSE(fs::Existe(QStringLiteral("C:\\VRL\\deta4.db")));
}

namespace {

// A table of 10 capture rows: header 0x800, blocks 1 and 2 at 0x800 and 0x1000.
QByteArray TablaDeDiezFilas() {
  ParadoxArchivo::Crea(kDeta, CamposCaptura());
  {
    ParadoxArchivo t(kDeta, Uso::Exclusivo);
    for (const QString& clave : Numeradas(1, 10)) t.Agrega(Linea(1, clave, QString(), 1));
  }
  return fs::LeeBytes(kDeta);
}

void EscribeSinRespaldo(const QString& ruta, const QByteArray& bytes) {
  QFile f(fs::Local(ruta));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
}

// Opens the table and reads every row; the error, if any.
plat::Error AbreYLee() {
  return Falla([] {
    ParadoxArchivo t(kDeta, Uso::Compartido);
    Filas(t);
  });
}

QByteArray Con(QByteArray bytes, int posicion, QByteArray valor) {
  bytes.replace(posicion, valor.size(), valor);
  return bytes;
}

}  // namespace

TEST_F(ParadoxTest, TablaDaniadaDaUnErrorClaroQueLaNombra) {
  const QByteArray buena = TablaDeDiezFilas();
  ASSERT_EQ(buena.size(), 3 * 2048);
  struct Caso {
    const char* que;
    QByteArray bytes;
  };
  const Caso casos[] = {
      {"vacía", QByteArray()},
      {"encabezado cortado", buena.left(40)},
      {"encabezado a medias", buena.left(1000)},
      {"bloque cortado", buena.left(2048 + 1000)},
      {"un bloque menos", buena.left(2 * 2048)},
      {"no es una tabla", QByteArray("Esto no es una tabla, es texto.").repeated(100)},
      {"tipo de campo", Con(buena, 0x78, "\x7F")},
      {"registro vacío", Con(buena, 0, QByteArray(2, '\0'))},
      {"tamaño de registro", Con(buena, 0, "\x10\x00")},
      {"cadena circular", Con(buena, 2 * 2048, QByteArray("\x01\x00", 2))},
      {"bloque inexistente", Con(buena, 2048, "\x32\x00")},
      {"anterior equivocado", Con(buena, 2 * 2048 + 2, QByteArray("\x00\x00", 2))},
      {"más registros", Con(buena, 6, "\x63")},
      {"cuenta de bloque", Con(buena, 2048 + 4, QByteArray("\x05\x00", 2))},
      {"bloque de más", Con(buena, 0x0C, "\x09")},
  };
  for (const Caso& c : casos) {
    EscribeSinRespaldo(kDeta, c.bytes);
    const plat::Error e = AbreYLee();
    EXPECT_EQ(e.clase(), plat::Clase::Corrupto) << c.que << ": " << e.what();
    EXPECT_TRUE(e.mensaje().contains(QStringLiteral("deta.db"))) << c.que << ": " << e.what();
  }

  // A table cut while it is open.
  EscribeSinRespaldo(kDeta, buena);
  ParadoxArchivo t(kDeta, Uso::Compartido);
  ASSERT_TRUE(QFile::resize(fs::Local(kDeta), 2048 + 2000));
  EXPECT_EQ(Falla([&] { t.Lee(10); }).clase(), plat::Clase::Corrupto);
  EXPECT_EQ(Falla([&] { t.Agrega(Fila(21)); }).clase(), plat::Clase::Corrupto);

  // Tables this layer does not handle say so.
  EscribeSinRespaldo(kDeta, Con(buena, 0x04, QByteArray(1, '\0')));
  EXPECT_TRUE(AbreYLee().mensaje().contains(QStringLiteral("llave primaria")));
  EscribeSinRespaldo(kDeta, Con(buena, 0x5C, "\x01\x02\x03\x04"));
  EXPECT_TRUE(AbreYLee().mensaje().contains(QStringLiteral("contraseña")));
}

TEST_F(ParadoxTest, BytesAlteradosNuncaTumbanElPrograma) {
  const QByteArray buena = TablaDeDiezFilas();
  // Every byte of the fixed header, the field descriptors and both block
  // headers, set to a few values: each opens and reads, or fails with an error.
  QVector<int> posiciones;
  for (int p = 0; p < 0x78 + 21 * 2; ++p) posiciones << p;
  for (int b : {2048, 2 * 2048})
    for (int p = 0; p < 6; ++p) posiciones << b + p;
  int fallas = 0;
  for (int p : posiciones) {
    for (char valor : {'\x00', '\x01', '\x7F', '\xFF'}) {
      EscribeSinRespaldo(kDeta, Con(buena, p, QByteArray(1, valor)));
      try {
        ParadoxArchivo t(kDeta, Uso::Compartido);
        Filas(t);
        t.Agrega(Fila(21));
        t.Inserta(1, Fila(21));
        t.Borra(2);
      } catch (const plat::Error& e) {
        ++fallas;
        EXPECT_TRUE(e.mensaje().contains(QStringLiteral("deta.db")) || e.clase() == plat::Clase::Conversion) << e.what();
      }
    }
  }
  EXPECT_GT(fallas, 0);
}
