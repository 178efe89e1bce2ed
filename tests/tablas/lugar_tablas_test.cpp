// One home for every company table: the routine answers each table's folder
// from the configuration as the registry places the table, and no opener in
// the sources builds a company table's folder by hand.

#include "foundation/rutinas.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Texto.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"
#include "support/RaizPrueba.h"
#include "tablas/TablasVorlan.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

#include <gtest/gtest.h>

using db::CarpetaTabla;

namespace {

const QString kDatos = QStringLiteral("C:\\DATOS");

class LugarTablas : public RaizPrueba {
 protected:
  // Company 1 with its data folder and lines 59 and 63 as given.
  static void Configura(const QString& inventario, const QString& remisiones) {
    QStringList lineas = ValoresInicialesConfiguracion();
    lineas[ConfCarpetaDatos - 1] = kDatos;
    lineas[ConfCarpetaInventario - 1] = inventario;
    lineas[ConfCarpetaRemisiones - 1] = remisiones;
    EscribeLineas(QStringLiteral("C:\\VRL\\Gener1.cnf"), lineas);
    EscribeLineas(kArchivoInicio, {QStringLiteral("C:\\VRL"), QStringLiteral("C:\\VRL\\Gener1.cnf"), QString()});
  }
};

bool DeLaEmpresa(const db::DefTabla& t) {
  return t.origen != db::OrigenTabla::Programa &&
         (t.carpeta == CarpetaTabla::Datos || t.carpeta == CarpetaTabla::Inventario ||
          t.carpeta == CarpetaTabla::Remisiones);
}

TEST_F(LugarTablas, CadaTablaDeLaEmpresaViveDondeLaRegistraElCatalogo) {
  for (const db::DefTabla& t : CatalogoVorlan().Tablas()) {
    if (!DeLaEmpresa(t)) continue;
    EXPECT_EQ(LugarDeTabla(t.archivo), t.carpeta) << t.archivo.toStdString();
    // However the sources spell it.
    EXPECT_EQ(LugarDeTabla(t.archivo.toUpper()), t.carpeta) << t.archivo.toStdString();
    EXPECT_EQ(LugarDeTabla(QStringLiteral("C:\\OTRA\\") + t.archivo.section(u'.', 0, 0)), t.carpeta)
        << t.archivo.toStdString();
  }
}

TEST_F(LugarTablas, LaCarpetaSaleDeLasLineas8_59Y63AlMomento) {
  struct Caso {
    const char* inventario;
    const char* remisiones;
    const char* tabla;
    const char* carpeta;
  };
  const Caso casos[] = {
      {"", "", "INVENTAR.DBF", "C:\\DATOS"},          {"", "", "RemisioD.dbf", "C:\\DATOS"},
      {"C:\\INV", "", "Kardex.dbf", "C:\\INV"},       {"C:\\INV", "", "Remision.dbf", "C:\\DATOS"},
      {"C:\\INV", "C:\\REM", "MOVINVEN.DBF", "C:\\INV"}, {"C:\\INV", "C:\\REM", "movimientos", "C:\\INV"},
      {"C:\\INV", "C:\\REM", "KITS.DBF", "C:\\INV"},  {"C:\\INV", "C:\\REM", "CucobrarRemision.DBF", "C:\\REM"},
      {"C:\\INV", "C:\\REM", "Retiros.dbf", "C:\\REM"}, {"C:\\INV", "C:\\REM", "FacturaE.dbf", "C:\\DATOS"},
      {"C:\\INV", "C:\\REM", "Cucobrar.dbf", "C:\\DATOS"}, {"", "C:\\REM", "Existe.dbf", "C:\\DATOS"},
      {"", "C:\\REM", "Remision.mdx", "C:\\REM"},
  };
  for (const Caso& c : casos) {
    Configura(c.inventario, c.remisiones);
    EXPECT_EQ(CarpetaDeTabla(c.tabla), c.carpeta) << c.tabla << " 59=" << c.inventario << " 63=" << c.remisiones;
    EXPECT_EQ(RutaDeTabla(c.tabla), QString::fromLatin1(c.carpeta) + u'\\' + c.tabla);
    EXPECT_EQ(TablaSQL(c.tabla), u'"' + QString::fromLatin1(c.carpeta) + u'\\' + c.tabla + u'"');
    db::Tabla t;
    ApuntaTabla(t, QString::fromLatin1(c.tabla));
    EXPECT_EQ(t.Carpeta(), c.carpeta);
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(LugarTablas, SinCarpetaDeDatosNoSeApuntaNingunaTabla) {
  Configura(QString(), QString());
  QStringList lineas = fs::LeeLineas(QStringLiteral("C:\\VRL\\Gener1.cnf"));
  lineas[ConfCarpetaDatos - 1].clear();
  EscribeConfiguracionEmpresa(QStringLiteral("C:\\VRL\\Gener1.cnf"), lineas);
  db::Tabla t;
  EXPECT_THROW(ApuntaTabla(t, QStringLiteral("CLIENTE.DBF")), plat::Error);
  EXPECT_THROW(TablaSQL(QStringLiteral("INVENTAR.DBF")), plat::Error);
  EXPECT_EQ(t.Carpeta(), QString());
}

// --- The sources.

// The routine's own entries: a statement that names one of them asks it.
const QStringList kEntradasRutina = {"CarpetaDeTabla(", "RutaDeTabla(", "TablaSQL(", "ApuntaTabla("};
// What builds a folder and a file name into a path, or points a table.
const QStringList kArmaRuta = {"fs::Une(", "SetCarpeta(", "Existe(", "Ruta(", "Comillas(", "+ u'\\\\'"};
// What reads a company folder from the configuration by hand.
const QStringList kLeeCarpeta = {"ConfCarpetaDatos", "CarpetaDatosEmpresa()", "LeeLineaConfig(8,"};

// The file names of the company's tables, lower case without ".dbf".
QSet<QString> NombresTablasEmpresa() {
  QSet<QString> nombres;
  for (const db::DefTabla& t : CatalogoVorlan().Tablas())
    if (DeLaEmpresa(t)) nombres << t.archivo.section(u'.', 0, 0).toLower();
  return nombres;
}

// The code without its comments (kept line for line).
QString SinComentarios(const QString& texto) {
  static const QRegularExpression comentario(QStringLiteral("//[^\\n]*"));
  QString sinBloques = texto;
  static const QRegularExpression bloque(QStringLiteral("/\\*.*?\\*/"),
                                         QRegularExpression::DotMatchesEverythingOption);
  sinBloques.replace(bloque, QString());
  QString r;
  // A "//" inside a string literal ("http://") is rare in this code; the
  // literals that name tables never hold one.
  for (const QString& linea : sinBloques.split(u'\n')) r += QString(linea).remove(comentario) + u'\n';
  return r;
}

// The company table a statement's string literals name ("...\\Kardex.dbf",
// "INVENTAR.DBF"), or "".
QString TablaNombrada(const QString& sentencia, const QSet<QString>& nombres) {
  static const QRegularExpression literal(QStringLiteral("\"((?:[^\"\\\\\\n]|\\\\.)*)\""));
  static const QRegularExpression archivo(QStringLiteral("([A-Za-z0-9_]+)\\.dbf"),
                                          QRegularExpression::CaseInsensitiveOption);
  for (auto l = literal.globalMatch(sentencia); l.hasNext();) {
    const QString texto = l.next().captured(1);
    for (auto a = archivo.globalMatch(texto); a.hasNext();) {
      const QString nombre = a.next().captured(1).toLower();
      if (nombres.contains(nombre)) return nombre;
    }
  }
  return {};
}

bool Contiene(const QString& sentencia, const QStringList& piezas) {
  for (const QString& p : piezas)
    if (sentencia.contains(p)) return true;
  return false;
}

// What is wrong with one statement of the sources: a company table's path
// built by hand, or a table pointed at a data folder read by hand; "" when
// nothing is.
QString Falta(const QString& sentencia, const QSet<QString>& nombres) {
  if (Contiene(sentencia, kEntradasRutina)) return {};
  const QString tabla = TablaNombrada(sentencia, nombres);
  // A literal path piece joined to a folder: + "\\Kardex.dbf".
  const QRegularExpression pieza(QStringLiteral("\\+\\s*(QStringLiteral\\()?u?\"\\\\\\\\") + tabla + QStringLiteral("\\.dbf"),
                                 QRegularExpression::CaseInsensitiveOption);
  if (!tabla.isEmpty() && (Contiene(sentencia, kArmaRuta) || pieza.match(sentencia).hasMatch()))
    return QStringLiteral("ruta a mano de ") + tabla;
  if (sentencia.contains(QStringLiteral("SetCarpeta(")) && Contiene(sentencia, kLeeCarpeta))
    return QStringLiteral("tabla en la carpeta de datos leída a mano");
  // Writing the lines (a new company's configuration) reads no folder.
  static const QRegularExpression lectura(QStringLiteral("ConfCarpeta(Inventario|Remisiones)(?! - 1\\] =)"));
  if (lectura.match(sentencia).hasMatch()) return QStringLiteral("carpeta de la línea 59 o 63 leída a mano");
  return {};
}

struct Hallazgo {
  QString archivo;  // relative to src/
  int linea = 0;
  QString sentencia;
  QString falta;
};

struct Sentencia {
  int linea = 0;
  QString texto;
};

// The statements of a source text (what lies between two ";"), each with
// the line it starts on.
QVector<Sentencia> Sentencias(const QString& texto) {
  static const QRegularExpression blancos(QStringLiteral("^\\s*"));
  QVector<Sentencia> sentencias;
  qsizetype inicio = 0;
  while (inicio < texto.size()) {
    qsizetype fin = texto.indexOf(u';', inicio);
    if (fin < 0) fin = texto.size();
    const QString s = texto.mid(inicio, fin - inicio);
    const qsizetype primera = inicio + blancos.match(s).capturedLength();
    sentencias.push_back({static_cast<int>(texto.left(primera).count(u'\n')) + 1, s});
    inicio = fin + 1;
  }
  return sentencias;
}

// A table pointed at a folder by hand and named a company table a few
// statements away ("t.SetCarpeta(datos); t.SetNombreTabla("Kardex.dbf")").
// A folder the caller handed in LabelRuta, and the program folder and its
// work folders, are no company table's.
QString FaltaEnPar(const QVector<Sentencia>& sentencias, qsizetype k, const QSet<QString>& nombres) {
  static const QRegularExpression carpeta(QStringLiteral("(\\w+)\\s*(?:->|\\.)\\s*SetCarpeta\\("));
  static const QRegularExpression ajena(QStringLiteral("LabelRuta|[Pp]rograma|Local|[Tt]empo"));
  const QString& s = sentencias[k].texto;
  const QRegularExpressionMatch m = carpeta.match(s);
  if (!m.hasMatch() || Contiene(s, kEntradasRutina) || ajena.match(s.mid(m.capturedEnd())).hasMatch()) return {};
  const QRegularExpression nombra(QRegularExpression::escape(m.captured(1)) +
                                  QStringLiteral("\\s*(?:->|\\.)\\s*SetNombreTabla\\("));
  for (qsizetype j = std::max<qsizetype>(0, k - 3); j < std::min<qsizetype>(sentencias.size(), k + 4); ++j) {
    const QString tabla = TablaNombrada(sentencias[j].texto, nombres);
    if (!tabla.isEmpty() && nombra.match(sentencias[j].texto).hasMatch())
      return QStringLiteral("tabla apuntada a mano a ") + tabla;
  }
  return {};
}

// Every statement of src/ that names a company table or points a table,
// with what is wrong with it. The platform layers know no company table;
// the routine, the configuration lines and the registry's layouts are where
// the folders and names are defined.
QVector<Hallazgo> RecorreFuentes(const QSet<QString>& nombres) {
  const QDir raiz(QStringLiteral(VORLAN_FUENTES));
  static const QRegularExpression registro(QStringLiteral("(^|/)Tablas[A-Z][A-Za-z]*\\.cpp$"));
  QVector<Hallazgo> hallazgos;
  QDirIterator it(raiz.path(), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString ruta = raiz.relativeFilePath(it.next());
    if (ruta.startsWith(QStringLiteral("platform/")) || ruta.startsWith(QStringLiteral("shell/LugarTablas.")) ||
        ruta.startsWith(QStringLiteral("shell/LineasConfiguracion.")) || registro.match(ruta).hasMatch())
      continue;
    QFile f(raiz.filePath(ruta));
    if (!f.open(QIODevice::ReadOnly)) continue;
    const QVector<Sentencia> sentencias = Sentencias(SinComentarios(QString::fromUtf8(f.readAll())));
    for (qsizetype k = 0; k < sentencias.size(); ++k) {
      const QString& s = sentencias[k].texto;
      const bool abre = !TablaNombrada(s, nombres).isEmpty() || s.contains(QStringLiteral("SetCarpeta("));
      if (!abre && !s.contains(QStringLiteral("ConfCarpetaInventario")) &&
          !s.contains(QStringLiteral("ConfCarpetaRemisiones")))
        continue;
      QString falta = Falta(s, nombres);
      if (falta.isEmpty()) falta = FaltaEnPar(sentencias, k, nombres);
      hallazgos.push_back({ruta, sentencias[k].linea, s.simplified(), falta});
    }
  }
  return hallazgos;
}

TEST(FuentesLugarTablas, ElDetectorDistingueLaRutinaDeLaRutaAMano) {
  const QSet<QString> nombres = NombresTablasEmpresa();
  struct Caso {
    const char* sentencia;
    bool falta;
  };
  const Caso casos[] = {
      {R"(q.SetSQL("Select * from \"" + datos + "\\Kardex.dbf\""))", true},
      {R"(t.SetCarpeta(carpeta); t.SetNombreTabla("MOVINVEN.DBF"))", true},
      {R"(db::LiteralComillas(fs::Une(Linea(ConfCarpetaDatos), QStringLiteral("KARDEX.DBF"))))", true},
      {R"(t->SetCarpeta(Linea(ConfCarpetaDatos)))", true},
      {R"(LeeLineaConfig(ConfCarpetaRemisiones, remisiones))", true},
      {R"(lineas[ConfCarpetaInventario - 1] = inventario)", false},
      {R"(q.SetSQL("Select * from " + TablaSQL(QStringLiteral("Kardex.dbf"))))", false},
      {R"(ApuntaTabla(t, QStringLiteral("MOVINVEN.DBF")))", false},
      {R"(TablaInventario = NuevaTabla(this, "TablaInventario", "INVENTAR.DBF", "ICLPRO"))", false},
      {R"(t->SetCarpeta(CarpetaPrograma))", false},
      {R"(e.SetCarpeta(RutaDatosCorte); e.SetNombreTabla(QStringLiteral("FacturaE.dbf")))", true},
      {R"(p.SetCarpeta(LabelRuta->text()); p.SetNombreTabla(QStringLiteral("INVENTAR.DBF")))", false},
      {R"(t.SetCarpeta(CarpetaLocalCompras); t.SetNombreTabla(QStringLiteral("Detacomp.db")))", false},
      {R"(MuestraMensaje("Revise INVENTAR.DBF"))", false},
      // A saved view's table piece: its runner gives it its folder.
      {R"(EscribeVista(vista, {QStringLiteral("\\movinven.dbf\" as A ")}))", false},
  };
  for (const Caso& c : casos) {
    const QVector<Sentencia> sentencias = Sentencias(QString::fromUtf8(c.sentencia));
    bool falta = false;
    for (qsizetype k = 0; k < sentencias.size(); ++k)
      falta = falta || !Falta(sentencias[k].texto, nombres).isEmpty() || !FaltaEnPar(sentencias, k, nombres).isEmpty();
    EXPECT_EQ(falta, c.falta) << c.sentencia;
  }
}

TEST(FuentesLugarTablas, CadaAperturaDeUnaTablaDeLaEmpresaPasaPorLaRutina) {
  const QSet<QString> nombres = NombresTablasEmpresa();
  ASSERT_TRUE(nombres.contains(QStringLiteral("inventar")) && nombres.contains(QStringLiteral("remisiod")) &&
              nombres.contains(QStringLiteral("cliente")));
  const QVector<Hallazgo> hallazgos = RecorreFuentes(nombres);

  // Openers the search must find, each through the routine: a search that
  // found none of them would prove nothing.
  struct Conocida {
    const char* archivo;
    const char* pieza;
  };
  const Conocida conocidas[] = {
      {"inventory/Inven_existencias.cpp", "KARDEX.DBF"},          // "Ver Desajuste"
      {"inventory/RecalculoExistencia.cpp", "COMPRASD.dbf"},      // the recount and "Kardex alterno"
      {"inventory/GuionesMovimientos.cpp", "Movinven.DBF"},       // "Entradas", "Salidas", F7
      {"inventory/ConciliaExistencias.cpp", "movimientos.dbf"},   // the integral card
      {"salesdocs/GlobalesVenta.cpp", "REMISION.DBF"},            // a join of three folders
      {"pos/CaptuRap_encabezado.cpp", "Remision.dbf"},            // the customer's open remissions
      {"customers/PoliClie.cpp", "inventar.dbf"},                 // the product lines
      {"shell/Inicial.cpp", "Remision.dbf"},                      // "Valores Iniciales"
      {"maintenance/IndiTodo.cpp", "kTablaKardex"},               // "AjusteK"
  };
  for (const Conocida& c : conocidas) {
    QFile f(QStringLiteral(VORLAN_FUENTES "/") + QLatin1String(c.archivo));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << c.archivo;
    const QString fuente = QString::fromUtf8(f.readAll());
    // The unit asks the routine, and the search finds the opener sound
    // (the AjusteK opener names its table through a constant).
    EXPECT_TRUE(Contiene(fuente, kEntradasRutina)) << c.archivo;
    bool vista = false;
    for (const Hallazgo& h : hallazgos)
      if (h.archivo == QLatin1String(c.archivo) && h.sentencia.contains(QLatin1String(c.pieza)) && h.falta.isEmpty())
        vista = true;
    if (QLatin1String(c.pieza).startsWith(QLatin1String("kTabla")))
      vista = fuente.contains(QStringLiteral("ApuntaTabla(*Table1, ") + QLatin1String(c.pieza));
    EXPECT_TRUE(vista) << c.archivo << " " << c.pieza;
  }

  QStringList faltas;
  for (const Hallazgo& h : hallazgos)
    if (!h.falta.isEmpty())
      faltas << QStringLiteral("%1:%2: %3: %4").arg(h.archivo).arg(h.linea).arg(h.falta, h.sentencia.left(160));
  EXPECT_EQ(faltas, QStringList());
}

}  // namespace
