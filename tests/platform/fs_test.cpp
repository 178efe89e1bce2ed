#include "platform/Error.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "support/RaizPrueba.h"

#include <QDir>
#include <QFile>
#include <QProcess>

using RutasTest = RaizPrueba;

TEST_F(RutasTest, ResuelveSinImportarMayusculas) {
  EscribeBytes(QStringLiteral("C:\\VRL\\VORLAN.INI"), "x");
  EscribeBytes(QStringLiteral("C:\\VRL\\Datos\\Gener1.cnf"), "y");
  const QString ini = raiz() + QStringLiteral("/c/VRL/VORLAN.INI");
  const QString cnf = raiz() + QStringLiteral("/c/VRL/Datos/Gener1.cnf");

  struct Caso { const char* ruta; QString esperado; };
  const Caso casos[] = {
      {"c:\\VRL\\Vorlan.ini", ini},
      {"C:/vrl/vorlan.INI", ini},
      {"c:\\vrl/Vorlan.ini", ini},
      {"C:\\VRL\\datos\\..\\Vorlan.ini", ini},
      {"C:\\VRL\\DATOS\\.\\GENER1.CNF", cnf},
      {"c:\\\\VRL\\\\datos\\gener1.cnf", cnf},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(fs::Local(QString::fromUtf8(c.ruta)), c.esperado) << c.ruta;
  }
}

TEST_F(RutasTest, NombresNuevosConservanSuCasoYOtrasUnidades) {
  EXPECT_EQ(fs::Local(QStringLiteral("c:\\VRL\\Nuevo\\Archivo.TXT")), raiz() + QStringLiteral("/c/VRL/Nuevo/Archivo.TXT"));
  EXPECT_EQ(fs::Local(QStringLiteral("D:\\Respaldo\\x.dbf")), raiz() + QStringLiteral("/d/Respaldo/x.dbf"));
  EXPECT_EQ(fs::Local(QStringLiteral("/tmp/Algo\\raro")), QStringLiteral("/tmp/Algo\\raro"));
  EXPECT_EQ(fs::FormaWindows(raiz() + QStringLiteral("/d/Respaldo/x.dbf")), QStringLiteral("D:\\Respaldo\\x.dbf"));
}

TEST_F(RutasTest, CarpetaDelProgramaPorOmisionYPorVariable) {
  EXPECT_EQ(fs::CarpetaDelPrograma(), QStringLiteral("C:\\VRL"));
  qputenv("VORLAN_PROGRAM_FOLDER", "D:\\Vorlan\\");
  EXPECT_EQ(fs::CarpetaDelPrograma(), QStringLiteral("D:\\Vorlan"));
  qunsetenv("VORLAN_PROGRAM_FOLDER");
}

TEST_F(RutasTest, NombreYCarpetaDeUnaRuta) {
  EXPECT_EQ(fs::NombreArchivo(QStringLiteral("C:\\otra\\Gener2.cnf")), QStringLiteral("Gener2.cnf"));
  EXPECT_EQ(fs::NombreArchivo(QStringLiteral("C:Gener2.cnf")), QStringLiteral("Gener2.cnf"));
  EXPECT_EQ(fs::NombreArchivo(QStringLiteral("C:\\otra\\")), QString());
  EXPECT_EQ(fs::CarpetaDe(QStringLiteral("C:\\otra\\Gener2.cnf")), QStringLiteral("C:\\otra"));
}

using TextoTest = RaizPrueba;

TEST_F(TextoTest, Windows1252EnDisco) {
  const QString ruta = QStringLiteral("c:\\VRL\\prueba.txt");
  fs::ReescribeLineas(ruta, {QStringLiteral("Configuración"), QStringLiteral("€ año")});
  const QByteArray bytes = fs::LeeBytes(ruta);
  EXPECT_EQ(bytes, QByteArray("Configuraci\xF3n\r\n\x80 a\xF1o\r\n"));
  EXPECT_EQ(static_cast<unsigned char>(bytes[11]), 0xF3);
  EXPECT_EQ(fs::LeeLineas(ruta), (QStringList{QStringLiteral("Configuración"), QStringLiteral("€ año")}));
}

TEST_F(TextoTest, LineasConCrLfOLfSolo) {
  EXPECT_EQ(fs::DivideLineas("a\r\nb\nc"), (QStringList{"a", "b", "c"}));
  EXPECT_EQ(fs::DivideLineas("a\r\n\r\n"), (QStringList{"a", ""}));
  EXPECT_TRUE(fs::DivideLineas("").isEmpty());
  EXPECT_EQ(fs::DeCp1252OUtf8("a\xC3\xB1o"), QStringLiteral("año"));
  EXPECT_EQ(fs::DeCp1252OUtf8("a\xF1o"), QStringLiteral("año"));
}

TEST_F(TextoTest, ArchivoFaltanteEsNoExiste) {
  try {
    fs::LeeLineas(QStringLiteral("c:\\VRL\\no.txt"));
    FAIL();
  } catch (const plat::Error& e) {
    EXPECT_EQ(e.clase(), plat::Clase::NoExiste);
  }
}

TEST_F(TextoTest, ReescrituraAtomicaNoDejaTemporales) {
  const QString ruta = QStringLiteral("c:\\VRL\\compartido.cnf");
  fs::ReescribeLineas(ruta, {"1"});
  fs::ReescribeLineas(ruta, {"2", "3"});
  EXPECT_EQ(fs::LeeLineas(ruta), (QStringList{"2", "3"}));
  EXPECT_EQ(QDir(raiz() + "/c/VRL").entryList(QDir::Files | QDir::Hidden), QStringList{"compartido.cnf"});
}

TEST_F(TextoTest, AnexosDeVariosProcesosNoSeMezclan) {
  const QString ruta = QStringLiteral("c:\\VRL\\bitacora.txt");
  const QString local = fs::Local(ruta);
  // Two shells append long lines at once; every line must come out whole.
  const QString linea(3000, u'x');
  QList<QProcess*> hijos;
  for (int p = 0; p < 2; ++p) {
    auto* h = new QProcess;
    const QString guion = QStringLiteral("for i in $(seq 200); do printf '%s%d\\r\\n' \"$L\" $i >> \"$F\"; done");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("L", linea);
    env.insert("F", local);
    h->setProcessEnvironment(env);
    h->start("sh", {"-c", guion});
    hijos << h;
  }
  for (int i = 0; i < 200; ++i) fs::AgregaLinea(ruta, linea + QString::number(i));
  for (QProcess* h : hijos) {
    ASSERT_TRUE(h->waitForFinished(60000));
    delete h;
  }
  const QStringList lineas = fs::LeeLineas(ruta);
  ASSERT_EQ(lineas.size(), 600);
  for (const QString& l : lineas) ASSERT_TRUE(l.startsWith(linea) && l.size() <= 3003) << l.size();
}

TEST(RelojTest, SePuedeFijar) {
  const QDateTime momento(QDate(2024, 3, 5), QTime(10, 30, 15));
  fs::FijaAhora(momento);
  EXPECT_EQ(fs::Ahora(), momento);
  EXPECT_EQ(fs::Hoy(), QDate(2024, 3, 5));
  fs::LiberaReloj();
  EXPECT_NE(fs::Ahora(), momento);
}
