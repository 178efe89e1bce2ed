// The backup window driven as a user: the normal backup into today's folder
// and into the folder of "Crear Bases de Datos", the compressed backup read
// back with Debian's unzip, and what each shows and leaves when a file or
// folder fails.

#include "maintenance/respaldo.h"
#include "mantenimiento_prueba.h"
#include "support/Maneja.h"

#include <QLineEdit>
#include <QDirIterator>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QRadioButton>
#include <QTemporaryDir>

using prueba::Pulsa;
using prueba::Texto;

namespace {

using Respaldo = MantenimientoPrueba;

const QString kHoy = QStringLiteral("C:\\RESPALDOS\\8-12-2026");
// The day text as the message box shows it: padded with nine blanks.
const QString kDiaMostrado = QStringLiteral("8122026         ");

// Bytes of every value, the dBASE end mark among them, `n` long.
QByteArray Relleno(int semilla, int n) {
  QByteArray bytes(n, Qt::Uninitialized);
  for (int i = 0; i < n; ++i) bytes[i] = static_cast<char>((i * 31 + semilla * 7) % 256);
  return bytes;
}

// Links a name of a folder (Windows form) to a local target.
void Enlaza(const QString& ruta, const QString& destino) {
  ASSERT_TRUE(QFile::link(destino, fs::Local(ruta))) << ruta.toStdString();
}

void EscribeEn(const QString& carpeta, const QMap<QString, QByteArray>& archivos) {
  for (auto it = archivos.begin(); it != archivos.end(); ++it) EscribeArchivo(fs::Une(carpeta, it.key()), it.value());
}

// The files under a folder, subfolders and all, as "sub\\name", sorted.
QStringList ArchivosBajo(const QString& carpeta) {
  const QString raiz = fs::Local(carpeta);
  QStringList nombres;
  QDirIterator it(raiz, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
  while (it.hasNext()) nombres << QDir(raiz).relativeFilePath(it.next()).replace(u'/', u'\\');
  nombres.sort();
  return nombres;
}

// Every file of `esperados` lies in the folder with the same bytes, and
// nothing else does.
void EsperaCopias(const QString& carpeta, const QMap<QString, QByteArray>& esperados) {
  QStringList nombres = esperados.keys();
  nombres.sort();
  EXPECT_EQ(ArchivosBajo(carpeta), nombres);
  for (auto it = esperados.begin(); it != esperados.end(); ++it)
    EXPECT_TRUE(Bytes(fs::Une(carpeta, it.key())) == it.value()) << it.key().toStdString();
}

// The data folder's files as they are now (the event log among them).
QMap<QString, QByteArray> ArchivosDeDatos() {
  QMap<QString, QByteArray> archivos;
  for (const QString& nombre : ArchivosBajo(kDatos)) archivos[nombre] = Bytes(fs::Une(kDatos, nombre));
  return archivos;
}

int Ejecuta(const QString& programa, const QStringList& argumentos) {
  QProcess p;
  p.start(programa, argumentos);
  if (!p.waitForFinished(60000)) return -1;
  return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

}  // namespace

TEST_F(Respaldo, ElNormalCopiaTablasIndicesYTodoLoQueLaEmpresaNecesitaParaVolverAEmpezar) {
  // Tables with their memos and indexes, and what else a company keeps in
  // its data folder: users, folios, currencies, settings, lists of views,
  // cuts, control counters, document logs.
  EscribeEn(kDatos, {{"Cliente.dbf", Relleno(1, 70000)}, {"CLIENTE.DBT", Relleno(2, 1024)}, {"inventar.DBF", Relleno(3, 900)},
                     {"INVENTAR.MDX", Relleno(4, 4096)}, {"kardex.dbf", Relleno(5, 10)}, {"usuarios.def", Relleno(6, 420)},
                     {"Folios.dbs", Relleno(7, 40)}, {"moneda.vrl", Relleno(8, 336)}, {"Indices.cnf", "cliente.dbf,iclacli,clcli_c"},
                     {"opcion.cnf", "S"}, {"huerfano.dbt", "y"}, {"report\\Clientes.for", Relleno(9, 187)},
                     {"report\\vistas\\saldos.vis", "v"}, {"Cortes\\Cortes.dat", "Corte de Caja 1"},
                     {"Control\\c1.ctl", "1"}, {"Bitacora\\R-15.bit", "b"}});
  fs::CreaCarpeta(fs::Une(kDatos, "viejo.dbf"));  // a folder named like a table, empty

  TFormaRespaldo respaldo;
  EXPECT_EQ(respaldo.windowTitle(), "Respaldo de Archivos del Sistema");
  EXPECT_EQ(Texto(respaldo, "DirectorioFuente"), kDatos);
  EXPECT_EQ(Texto(respaldo, "DirectorioDes"), kDatos);
  EXPECT_EQ(Texto(respaldo, "DirectorioDestino"), kHoy);
  EXPECT_TRUE(respaldo.Normal->isChecked());
  QStringList orden;
  EXPECT_FALSE(Muestra<TFormaRespaldo>(respaldo, [&](TFormaRespaldo& w) {
    QObject::connect(w.Avance2, &QProgressBar::valueChanged, [&](int) { orden << w.ArchivoBases->text(); });
    Pulsa(w, "Ejecutar");
  }));
  // Tables and memos, then indexes, then the rest (the log written first).
  const QString fuente = kDatos + "\\";
  EXPECT_EQ(orden.mid(0, 6), (QStringList{fuente + "Cliente.dbf", fuente + "CLIENTE.DBT", fuente + "inventar.DBF",
                                          fuente + "kardex.dbf", fuente + "INVENTAR.MDX", fuente + "Bitacora.txt"}));
  EXPECT_EQ(Mensajes(),
            QStringList({kHoy, kRespaldoTerminado + "\nSe copiaron 17 archivos en " + kHoy +
                                   ": 3 tablas, 1 índice y 13 archivos más, con las carpetas Bitacora, Control, "
                                   "Cortes y report."}));
  EsperaCopias(kHoy, ArchivosDeDatos());
  EXPECT_EQ(TextosBitacora(), QStringList{"Último Respaldo 08/12/2026  10:15:00"});

  // A second backup of the day writes over the first one's files, in the
  // folder that now exists, and leaves no temporary file behind.
  ui::PuertaModal::LimpiaMensajes();
  EscribeEn(kDatos, {{"Cliente.dbf", Relleno(9, 300)}, {"Folios.dbs", Relleno(10, 40)}});
  TFormaRespaldo otro;
  EXPECT_FALSE(Muestra<TFormaRespaldo>(otro, [](TFormaRespaldo& w) { Pulsa(w, "Ejecutar"); }));
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].startsWith(kRespaldoTerminado + "\nSe copiaron 17 archivos")) << Mensajes()[0].toStdString();
  EsperaCopias(kHoy, ArchivosDeDatos());
}

TEST_F(Respaldo, UnDestinoDentroDeLaCarpetaDeDatosNoSeCopiaASiMismo) {
  EscribeEn(kDatos, {{"cliente.dbf", "c"}, {"report\\a.for", "f"}});
  // An earlier copy there, left as it is and not copied into the new one.
  const QString dentro = fs::Une(kDatos, "respaldos\\hoy");
  EscribeArchivo(fs::Une(dentro, "viejo.txt"), "viejo");
  TFormaRespaldo respaldo;
  respaldo.DirectorioDestino->setText(dentro);
  EXPECT_FALSE(Muestra<TFormaRespaldo>(respaldo, [](TFormaRespaldo& w) { Pulsa(w, "Ejecutar"); }));
  EXPECT_EQ(ArchivosBajo(dentro), (QStringList{"Bitacora.txt", "cliente.dbf", "report\\a.for", "viejo.txt"}));
  EXPECT_EQ(Mensajes(), QStringList{kRespaldoTerminado + "\nSe copiaron 3 archivos en " + dentro +
                                    ": 1 tabla, 0 índices y 2 archivos más, con la carpeta report."});
}

TEST_F(Respaldo, ElAvanceSubeDosPorArchivoHastaCien) {
  struct Caso {
    int archivos;
    int final;
  };
  for (const Caso c : {Caso{3, 6}, Caso{60, 100}}) {
    SCOPED_TRACE(c.archivos);
    QDir(fs::Local(kDatos)).removeRecursively();
    // With the event log the backup writes first, one file more.
    for (int i = 1; i < c.archivos; ++i) EscribeBytes(fs::Une(kDatos, QStringLiteral("t%1.dbf").arg(i, 2, 10, QChar('0'))), "t");
    QList<int> valores;
    TFormaRespaldo respaldo;
    Muestra<TFormaRespaldo>(respaldo, [&](TFormaRespaldo& w) {
      QObject::connect(w.Avance2, &QProgressBar::valueChanged, [&](int v) { valores << v; });
      Pulsa(w, "Ejecutar");
    });
    QList<int> esperados;
    for (int i = 1; i <= c.archivos && 2 * i <= 100; ++i) esperados << 2 * i;
    EXPECT_EQ(valores, esperados);
    EXPECT_EQ(respaldo.Avance2->value(), c.final);
    EXPECT_EQ(Entradas(kHoy).size(), c.archivos);
  }
}

TEST_F(Respaldo, LoQueNoSeCopiaSeNombraYNoDaniaLaCopiaAnterior) {
  EscribeBytes(fs::Une(kDatos, "bueno.dbf"), "bueno");
  // A name that leads to no file, and one that opens but fails to read.
  Enlaza(fs::Une(kDatos, "roto.dbf"), fs::Local(kDatos) + "/no-existe.dbf");
  Enlaza(fs::Une(kDatos, "ROTO.MDX"), "/proc/self/mem");
  EscribeBytes(fs::Une(kHoy, "ROTO.MDX"), "anterior");

  TFormaRespaldo respaldo;
  EXPECT_FALSE(Muestra<TFormaRespaldo>(respaldo, [](TFormaRespaldo& w) { Pulsa(w, "Ejecutar"); }));
  EXPECT_EQ(Mensajes(), QStringList{"Respaldo Incompleto, No se Pudieron Copiar los Archivos:\nroto.dbf, ROTO.MDX\n"
                                    "Se copiaron 2 archivos en " + kHoy + ": 1 tabla, 0 índices y 1 archivo más."});
  EsperaCopias(kHoy, {{"bueno.dbf", "bueno"}, {"ROTO.MDX", "anterior"}, {"Bitacora.txt", Bytes(fs::Une(kDatos, "Bitacora.txt"))}});

  // A file of a subfolder that cannot be read is named by its path.
  ui::PuertaModal::LimpiaMensajes();
  QFile::remove(fs::Local(fs::Une(kDatos, "roto.dbf")));
  QFile::remove(fs::Local(fs::Une(kDatos, "ROTO.MDX")));
  fs::CreaCarpeta(fs::Une(kDatos, "report"));
  Enlaza(fs::Une(kDatos, "report\\roto.for"), "/proc/self/mem");
  TFormaRespaldo otro;
  EXPECT_FALSE(Muestra<TFormaRespaldo>(otro, [](TFormaRespaldo& w) { Pulsa(w, "Ejecutar"); }));
  EXPECT_EQ(Mensajes(), QStringList{"Respaldo Incompleto, No se Pudieron Copiar los Archivos:\nreport\\roto.for\n"
                                    "Se copiaron 2 archivos en " + kHoy + ": 1 tabla, 0 índices y 1 archivo más."});
}

TEST_F(Respaldo, SinCarpetaFuenteODestinoNoSeCopiaNiSeDaPorTerminado) {
  EscribeArchivo(fs::Une(kDatos, "cliente.dbf"), "c");
  struct Caso {
    QString fuente, destino, mensaje;
  };
  // A target under a file cannot exist; a source may be mistyped or cleared.
  for (const Caso& c : {Caso{kDatos, "C:\\VRL\\Gener1.cnf\\respaldo", "No se pudo crear la carpeta C:\\VRL\\Gener1.cnf\\respaldo: "},
                        Caso{"C:\\VRL\\DATOZ", kHoy, "No existe la carpeta C:\\VRL\\DATOZ"},
                        Caso{"", kHoy, "No existe la carpeta "}}) {
    SCOPED_TRACE(c.fuente.toStdString());
    ui::PuertaModal::LimpiaMensajes();
    TFormaRespaldo respaldo;
    respaldo.DirectorioFuente->setText(c.fuente);
    respaldo.DirectorioDestino->setText(c.destino);
    EXPECT_TRUE(Muestra<TFormaRespaldo>(respaldo, [](TFormaRespaldo& w) { Pulsa(w, "Ejecutar"); }));
    QStringList mensajes = Mensajes();
    mensajes.removeAll(kHoy);  // the target folder made first
    ASSERT_EQ(mensajes.size(), 1);
    EXPECT_TRUE(mensajes[0].startsWith(c.mensaje)) << mensajes[0].toStdString();
    EXPECT_FALSE(fs::Existe(fs::Une(c.destino, "cliente.dbf")));
  }
}

TEST_F(Respaldo, ElComprimidoGuardaCadaArchivoDeLaCarpetaDeDatos) {
  EscribeEn(kDatos, {{"Cliente.dbf", Relleno(1, 200000)}, {"CLIENTE.DBT", Relleno(2, 512)}, {"sin_extension", "s"},
                     {"Folios.dbs", Relleno(3, 40)}});
  // Files in subfolders are taken too, under their folders.
  EscribeBytes(fs::Une(kDatos, "Bitacora\\R-1.bit"), "b");
  fs::CreaCarpeta("C:\\RESPALDOS");

  TFormaRespaldo respaldo;
  EXPECT_TRUE(Muestra<TFormaRespaldo>(respaldo, [](TFormaRespaldo& w) {
    w.Comprimido->setChecked(true);
    Pulsa(w, "Ejecutar");
  }));
  EXPECT_EQ(Mensajes(), QStringList({kHoy, kDiaMostrado, kDiaMostrado}));
  EXPECT_EQ(respaldo.Avance2->value(), 100);
  EXPECT_EQ(TextosBitacora(), QStringList{"Último Respaldo comprimido 08/12/2026  10:15:00"});
  EXPECT_EQ(Entradas(kHoy), QStringList{"prue.zip"});

  const QString zip = fs::Local(fs::Une(kHoy, "prue.zip"));
  EXPECT_EQ(Ejecuta("unzip", {"-tq", zip}), 0);
  QTemporaryDir fuera;
  ASSERT_EQ(Ejecuta("unzip", {"-q", zip, "-d", fuera.path()}), 0);
  // The log line written before the archive is in it too.
  const QStringList archivos = ArchivosBajo(kDatos);
  EXPECT_TRUE(archivos.contains("Bitacora\\R-1.bit"));
  EXPECT_EQ(ArchivosBajo(fuera.path()), archivos);
  for (const QString& nombre : archivos) {
    QFile extraido(fuera.path() + "/" + QString(nombre).replace(u'\\', u'/'));
    ASSERT_TRUE(extraido.open(QIODevice::ReadOnly)) << nombre.toStdString();
    EXPECT_TRUE(extraido.readAll() == Bytes(fs::Une(kDatos, nombre))) << nombre.toStdString();
  }
}

TEST_F(Respaldo, ElComprimidoQueFallaNoDejaArchivo) {
  struct Caso {
    const char* que;
    std::function<void()> prepara;
    QString destino;
    QStringList mensajes;    // besides the folder-creation error
    bool errorDeCarpeta;
    QByteArray anterior;     // an earlier archive in the target, kept whole
  };
  const Caso casos[] = {
      {"sin C:\\RESPALDOS", [] {}, kHoy, {}, true, {}},
      {"un destino donde no se puede escribir", [] {}, "/proc/", {kDiaMostrado, kDiaMostrado, kErrorCompresion}, false, {}},
      {"un archivo ilegible", [] { Enlaza(fs::Une(kDatos, "roto.dbf"), "/proc/self/mem"); }, kHoy,
       {kDiaMostrado, kDiaMostrado, kErrorCompresion}, false, {}},
      {"un archivo ilegible y un archivo anterior",
       [] { Enlaza(fs::Une(kDatos, "roto.dbf"), "/proc/self/mem"); }, kHoy,
       {kDiaMostrado, kDiaMostrado, kErrorCompresion}, false, "anterior"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.que);
    QDir(raiz()).mkpath("c/VRL/DATOS");
    EscribeBytes(fs::Une(kDatos, "cliente.dbf"), "c");
    c.prepara();
    if (c.destino == kHoy && !c.errorDeCarpeta) fs::CreaCarpeta(kHoy);
    if (!c.anterior.isEmpty()) EscribeBytes(fs::Une(kHoy, "prue.zip"), c.anterior);

    TFormaRespaldo respaldo;
    respaldo.DirectorioDestino->setText(c.destino);
    EXPECT_TRUE(Muestra<TFormaRespaldo>(respaldo, [](TFormaRespaldo& w) {
      w.Comprimido->setChecked(true);
      Pulsa(w, "Ejecutar");
    }));
    QStringList mensajes = Mensajes();
    if (c.errorDeCarpeta) {
      ASSERT_FALSE(mensajes.isEmpty());
      EXPECT_TRUE(mensajes.takeFirst().startsWith("No se pudo crear la carpeta " + c.destino + ": "));
      EXPECT_FALSE(fs::Existe(c.destino));
    }
    EXPECT_EQ(mensajes, c.mensajes);
    if (c.anterior.isEmpty()) {
      EXPECT_FALSE(QFile::exists(fs::Local(fs::Une(c.destino, "prue.zip"))));
    } else {
      EXPECT_EQ(Entradas(kHoy), QStringList{"prue.zip"});  // no temporary file left either
      EXPECT_EQ(Bytes(fs::Une(kHoy, "prue.zip")), c.anterior);
    }

    ui::PuertaModal::LimpiaMensajes();
    QDir(raiz() + "/c/RESPALDOS").removeRecursively();
    QDir(fs::Local(kDatos)).removeRecursively();
  }
}

TEST_F(Respaldo, CrearBasesDeDatosLlenaLaCarpetaEscrita) {
  EscribeEn(kDatos, {{"cliente.dbf", "c"}, {"cliente.mdx", "i"}});

  // Empty: only the normal backup is chosen.
  TFormaRespaldo vacio;
  EXPECT_TRUE(Muestra<TFormaRespaldo>(vacio, [](TFormaRespaldo& w) {
    w.Comprimido->setChecked(true);
    Pulsa(w, "BitBtn5");
  }));
  EXPECT_TRUE(vacio.Normal->isChecked());
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(TextosBitacora(), QStringList());

  TFormaRespaldo respaldo;
  EXPECT_FALSE(Muestra<TFormaRespaldo>(respaldo, [](TFormaRespaldo& w) {
    prueba::Teclea(w, "Directorio2", "C:\\EMPRESA2\\DATOS");
    Pulsa(w, "BitBtn5");
  }));
  EXPECT_EQ(Mensajes(), QStringList({"C:\\EMPRESA2\\DATOS", kRespaldoTerminado + "\nSe copiaron 3 archivos en "
                                                               "C:\\EMPRESA2\\DATOS: 1 tabla, 1 índice y 1 archivo más."}));
  EsperaCopias("C:\\EMPRESA2\\DATOS", ArchivosDeDatos());
  EXPECT_FALSE(fs::Existe("C:\\RESPALDOS"));
  EXPECT_EQ(TextosBitacora(), QStringList{"Último Respaldo 08/12/2026  10:15:00"});
}

TEST_F(Respaldo, CancelarCierraYRestaurarNoHaceNada) {
  EscribeBytes(fs::Une(kDatos, "cliente.dbf"), "c");
  for (const auto& [boton, cierra] : {std::pair{"BitBtn1", true}, std::pair{"BitBtn2", true},
                                      std::pair{"BitBtn6", true}, std::pair{"Aceptar", false}}) {
    SCOPED_TRACE(boton);
    TFormaRespaldo respaldo;
    EXPECT_EQ(Muestra<TFormaRespaldo>(respaldo, [&](TFormaRespaldo& w) { Pulsa(w, boton); }), !cierra);
  }
  TFormaRespaldo respaldo;
  EXPECT_FALSE(Muestra<TFormaRespaldo>(respaldo, [](TFormaRespaldo& w) { w.BitBtn3Click(); }));
  EXPECT_EQ(Mensajes(), QStringList{"Proceso de Regeneración de Indices Terminado"});
  EXPECT_FALSE(fs::Existe(kHoy));
  EXPECT_EQ(TextosBitacora(), QStringList());
}

TEST_F(Respaldo, LaCarpetaYElTextoDelDiaSinCeros) {
  for (const auto& [dia, carpeta, texto] :
       {std::tuple{QDate(2027, 1, 3), "C:\\RESPALDOS\\3-1-2027", "312027"},
        std::tuple{QDate(2026, 12, 8), "C:\\RESPALDOS\\8-12-2026", "8122026"},
        std::tuple{QDate(2026, 10, 31), "C:\\RESPALDOS\\31-10-2026", "31102026"}}) {
    fs::FijaAhora(QDateTime(dia, QTime(9, 0)));
    EXPECT_EQ(CarpetaRespaldoDelDia(), carpeta);
    EXPECT_EQ(TextoDiaRespaldo(), texto);
  }
}
