#include "formats/CodigosImpresora.h"
#include "platform/Error.h"
#include "platform/print/Impresora.h"
#include "platform/print/Impresoras.h"
#include "support/RaizPrueba.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using print::TipoImpresora;

namespace {

class CodigosImpresoraTest : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    ASSERT_TRUE(cola_.isValid());
    qputenv("VORLAN_RAW_SPOOL", QFile::encodeName(cola_.path()));
    print::FijaImpresorasPrueba({{"oficina", "Laser", TipoImpresora::Cola, QString(), 600},
                                 {"recibos", kImpresoraRecibos, TipoImpresora::Cola, QString(), 180},
                                 {"otra", "", TipoImpresora::Cola, QString(), 600}},
                                0);
    print::Impresora::Global().Restablece();
  }
  void TearDown() override {
    print::RefrescaImpresoras();
    print::Impresora::Global().Restablece();
    RaizPrueba::TearDown();
  }

  QStringList Trabajos() const { return QDir(cola_.path()).entryList(QDir::Files, QDir::Name); }
  QByteArray Trabajo(int i) const {
    QFile f(cola_.path() + u'/' + Trabajos().value(i));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(no existe)");
  }

  // Format variables as a run would hold them.
  static QString Valor(const QString& nombre) {
    if (nombre == "variable1") return QStringLiteral("123");
    if (nombre == "variable2") return QStringLiteral("75010123456");
    if (nombre == "cadena1") return QStringLiteral("Señor");
    return QString();
  }

  QTemporaryDir cola_;
};

}  // namespace

TEST_F(CodigosImpresoraTest, CadaTextoEsUnSoloTrabajoEnLaColaDeRecibos) {
  struct Caso { const char* codigos; QByteArray bytes; };
  const Caso casos[] = {
      {"27,112,0,25,250", QByteArray::fromHex("1b700019fa")},
      {"*ABC", "ABC"},
      {"&variable1", "000000001230"},
      {"&variable2", "750101234560"},
      {"#variable1,10", "123\n"},
      {"27,64,#cadena1,*: ,&cadena9", "\x1b@Se\xf1or: 000000000000"},
      {" 29,86,1", QByteArray::fromHex("1d5601")},
  };
  int n = 0;
  for (const Caso& c : casos) {
    EnviaCodigosImpresora(QString::fromUtf8(c.codigos), &Valor);
    ++n;
    ASSERT_EQ(Trabajos().size(), n) << c.codigos;
    EXPECT_TRUE(Trabajos().last().endsWith("-recibos.prn")) << c.codigos;
    EXPECT_EQ(Trabajo(n - 1), c.bytes) << c.codigos;
  }
}

TEST_F(CodigosImpresoraTest, UnCodigoMaloNoEnviaNada) {
  for (const char* malo : {"27,,5", "27,112,", "", "27,abc", "256", "-1", "27 ", "$1B"}) {
    try {
      EnviaCodigosImpresora(QString::fromUtf8(malo), &Valor);
      ADD_FAILURE() << malo;
    } catch (const plat::Error& e) {
      EXPECT_EQ(e.clase(), plat::Clase::Conversion) << malo;
    }
  }
  EXPECT_TRUE(Trabajos().isEmpty());
}

TEST_F(CodigosImpresoraTest, LaImpresoraElegidaSigueElegida) {
  print::Impresora& imp = print::Impresora::Global();
  imp.FijaIndice(2);
  EnviaCodigosImpresora("27,112,0,25,250", &Valor);
  EXPECT_EQ(imp.Indice(), 2);
  EXPECT_EQ(Trabajos(), QStringList{"000001-recibos.prn"});
}

TEST_F(CodigosImpresoraTest, SinImpresoraDeRecibosVaALaPredeterminada) {
  print::FijaImpresorasPrueba({{"oficina", "Laser", TipoImpresora::Cola, QString(), 600},
                               {"otra", "", TipoImpresora::Cola, QString(), 600}},
                              1);
  EnviaCodigosImpresora("*x", &Valor);
  EXPECT_EQ(Trabajos(), QStringList{"000001-otra.prn"});

  // With no printer at all there is no queue to open: nothing is sent.
  print::FijaImpresorasPrueba({}, -1);
  EnviaCodigosImpresora("*x", &Valor);
  EXPECT_EQ(Trabajos().size(), 1);
}

TEST_F(CodigosImpresoraTest, UnaColaQueNoAbreNoInterrumpeLaVenta) {
  qunsetenv("VORLAN_RAW_SPOOL");
  print::FijaImpresorasPrueba({{"cola-que-no-existe", kImpresoraRecibos, TipoImpresora::Cola, QString(), 180}}, 0);
  EXPECT_NO_THROW(EnviaCodigosImpresora("27,112,0,25,250", &Valor));
  EXPECT_TRUE(Mensajes().isEmpty());
}
