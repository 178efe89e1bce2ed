// The production index file: keys, expressions, tags kept against a model,
// two stations, damaged files, a file built by hand from the layout, and an
// independent reader.

#include "platform/Error.h"
#include "platform/db/mdx/ClaveIndice.h"
#include "platform/db/mdx/ExpresionIndice.h"
#include "platform/db/mdx/MdxArchivo.h"
#include "support/RaizPrueba.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <random>
#include <set>

using db::DefCampo;
using db::DefTag;
using db::MdxArchivo;
using db::CursorMdx;
using db::TipoClave;

namespace {

QByteArray Hex(const char* h) { return QByteArray::fromHex(h); }

// A table in memory: records by number, each a list of field values.
struct TablaMemoria {
  QVector<DefCampo> campos;
  std::map<std::uint32_t, QVariantList> filas;

  db::LectorCampo Lector(std::uint32_t r) const {
    const QVariantList* f = &filas.at(r);
    return [f](int c) { return (*f)[c]; };
  }
  db::RecorreRegistros Recorre() const {
    return [this](const db::VisitaRegistro& v) {
      for (const auto& [r, f] : filas) v(r, [&f](int c) { return f[c]; });
    };
  }
};

// Every entry of a tag walking forward, or backward, with a cursor.
std::vector<std::pair<QByteArray, std::uint32_t>> Recorrido(CursorMdx& c, bool adelante) {
  std::vector<std::pair<QByteArray, std::uint32_t>> r;
  for (bool ok = adelante ? c.Primero() : c.Ultimo(); ok; ok = adelante ? c.Siguiente() : c.Anterior()) {
    r.emplace_back(c.Clave(), c.Registro());
    if (r.size() > 1000000) break;
  }
  if (!adelante) std::reverse(r.begin(), r.end());
  return r;
}

}  // namespace

// ---------------------------------------------------------------- keys

TEST(ClavesMdx, NumerosComoLosGuardaElFormato) {
  struct Caso { const char* texto; const char* bytes; const char* vuelta; };
  const Caso casos[] = {
      {"0", "340100000000000000000000", "0"},
      {"1", "350510000000000000000000", "1"},
      {"-1", "358510000000000000000000", "-1"},
      {"100", "370d10000000000000000000", "100"},
      {"100.00", "370d10000000000000000000", "100"},
      {"0.5", "340550000000000000000000", "0.5"},
      {"123.45", "371512345000000000000000", "123.45"},
      {"-0.001", "328510000000000000000000", "-0.001"},
      {"  0042 ", "360942000000000000000000", "42"},
      {"12345678901234567890", "485112345678901234567890", "12345678901234567890"},
  };
  for (const Caso& c : casos) {
    const QByteArray k = db::clave::NumeroDeTexto(QString::fromLatin1(c.texto));
    EXPECT_EQ(k.toHex(), QByteArray(c.bytes)) << c.texto;
    EXPECT_EQ(db::clave::TextoDeNumero(reinterpret_cast<const std::uint8_t*>(k.constData())), QString::fromLatin1(c.vuelta));
  }
  EXPECT_EQ(db::clave::Numero(123.45), db::clave::NumeroDeTexto(QStringLiteral("123.45")));
  EXPECT_EQ(db::clave::Numero(qint64{-7}), db::clave::NumeroDeTexto(QStringLiteral("-7")));
  EXPECT_THROW(db::clave::NumeroDeTexto(QStringLiteral("12a")), plat::Error);

  // Numeric keys sort by value, negatives and fractions included.
  const double orden[] = {-1000, -99.5, -1, -0.25, -0.001, 0, 0.001, 0.5, 1, 9.99, 10, 100, 12345.678};
  for (size_t i = 0; i + 1 < std::size(orden); ++i) {
    const QByteArray a = db::clave::Numero(orden[i]);
    const QByteArray b = db::clave::Numero(orden[i + 1]);
    EXPECT_LT(db::clave::ComparaNumero(reinterpret_cast<const std::uint8_t*>(a.constData()),
                                       reinterpret_cast<const std::uint8_t*>(b.constData())), 0)
        << orden[i] << " < " << orden[i + 1];
  }
}

TEST(ClavesMdx, FechasYTextos) {
  const QByteArray k = db::clave::Fecha(QDate(2000, 1, 1));
  double dia;
  std::memcpy(&dia, k.constData(), 8);
  EXPECT_EQ(dia, 2451545.0);  // Julian day number of 1 January 2000
  EXPECT_EQ(db::clave::FechaDe(reinterpret_cast<const std::uint8_t*>(k.constData())), QDate(2000, 1, 1));
  EXPECT_EQ(db::clave::Fecha(QDate()), QByteArray(8, '\0'));
  const QByteArray blanco = db::clave::Fecha(QDate());
  EXPECT_LT(db::clave::ComparaFecha(reinterpret_cast<const std::uint8_t*>(blanco.constData()),
                                    reinterpret_cast<const std::uint8_t*>(k.constData())), 0);

  // Windows-1252 byte order: upper before lower, accented letters after both,
  // and a key that is a prefix of another sorts first.
  const QStringList textos = {QStringLiteral("12"), QStringLiteral("120"), QStringLiteral("Zeta"),
                              QStringLiteral("alfa"), QStringLiteral("Álamo"), QStringLiteral("ñandú")};
  for (int i = 0; i + 1 < textos.size(); ++i) {
    const QByteArray a = db::clave::Caracter(textos[i], 6);
    const QByteArray b = db::clave::Caracter(textos[i + 1], 6);
    EXPECT_LT(db::clave::ComparaCaracter(reinterpret_cast<const std::uint8_t*>(a.constData()),
                                         reinterpret_cast<const std::uint8_t*>(b.constData()), 6), 0)
        << textos[i].toStdString();
  }
  EXPECT_EQ(db::clave::Caracter(QStringLiteral("año"), 5), QByteArray("a\xF1o  "));
}

// ---------------------------------------------------------------- expressions

namespace {
QVector<DefCampo> CamposExpresion() {
  return {{QStringLiteral("NOMBR_C"), u'C', 10, 0}, {QStringLiteral("CLDOC_F"), u'N', 8, 0},
          {QStringLiteral("IMPOR_F"), u'N', 12, 2}, {QStringLiteral("FEDOC_F"), u'D', 8, 0},
          {QStringLiteral("ACTIV_C"), u'L', 1, 0}};
}
}  // namespace

TEST(ExpresionIndiceTest, CompilaYEvaluaClaves) {
  const auto campos = CamposExpresion();
  const QVariantList fila = {QStringLiteral("Año"), qint64(123), 12.5, QDate(2024, 3, 5), true};
  const QVariantList vacia = {QVariant(), QVariant(), QVariant(), QVariant(), QVariant()};
  auto lector = [](const QVariantList& f) { return [&f](int c) { return f[c]; }; };

  struct Caso { const char* expr; TipoClave tipo; int largo; QByteArray clave; QByteArray claveVacia; };
  const Caso casos[] = {
      {"NOMBR_C", TipoClave::Caracter, 10, "A\xF1o       ", "          "},
      {"upper(nombr_c)", TipoClave::Caracter, 10, "A\xD1O       ", "          "},
      {"DTOS(FEDOC_F)", TipoClave::Caracter, 8, "20240305", "        "},
      {"STR(CLDOC_F,8)", TipoClave::Caracter, 8, "     123", "       0"},
      {"STR(IMPOR_F,6,0)", TipoClave::Caracter, 6, "    13", "     0"},
      {"STR(IMPOR_F,8,2)", TipoClave::Caracter, 8, "   12.50", "    0.00"},
      {"STR(CLDOC_F,2)", TipoClave::Caracter, 2, "**", " 0"},
      {"SUBSTR(NOMBR_C,2,3)", TipoClave::Caracter, 3, "\xF1o ", "   "},
      {"SUBS(NOMBR_C,9)", TipoClave::Caracter, 2, "  ", "  "},
      {"NOMBR_C+DTOS(FEDOC_F)", TipoClave::Caracter, 18, "A\xF1o       20240305", "                  "},
      {"'X-' + ( NOMBR_C )", TipoClave::Caracter, 12, "X-A\xF1o       ", "X-          "},
      {"CLDOC_F", TipoClave::Numero, 12, db::clave::Numero(qint64(123)), db::clave::Numero(qint64(0))},
      {"CLDOC_F+IMPOR_F", TipoClave::Numero, 12, db::clave::Numero(135.5), db::clave::Numero(qint64(0))},
      {"FEDOC_F", TipoClave::Fecha, 8, db::clave::Fecha(QDate(2024, 3, 5)), QByteArray(8, '\0')},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.expr);
    db::ExpresionIndice e(QString::fromLatin1(c.expr), campos);
    EXPECT_EQ(e.Tipo(), c.tipo);
    EXPECT_EQ(e.Largo(), c.largo);
    EXPECT_EQ(e.Evalua(lector(fila)), c.clave);
    EXPECT_EQ(e.Evalua(lector(vacia)), c.claveVacia);
  }
  EXPECT_TRUE(db::ExpresionIndice(QStringLiteral(" nombr_c "), campos).EsCampo());
  EXPECT_FALSE(db::ExpresionIndice(QStringLiteral("UPPER(NOMBR_C)"), campos).EsCampo());

  const QVariantList negativo = {QString(), qint64(0), -2.5, QDate(), false};
  EXPECT_EQ(db::ExpresionIndice(QStringLiteral("STR(IMPOR_F,4)"), campos).Evalua(lector(negativo)), QByteArray("  -3"));
}

TEST(ExpresionIndiceTest, ErroresNombranLaExpresion) {
  const auto campos = CamposExpresion();
  const char* malas[] = {"NOEXISTE",        "LEFT(NOMBR_C,2)", "NOMBR_C+CLDOC_F", "ACTIV_C",
                         "STR(NOMBR_C)",    "UPPER(NOMBR_C",   "",                "NOMBR_C NOMBR_C",
                         "SUBSTR(NOMBR_C,0)", "DTOS(NOMBR_C)", "'abierta",       "NOMBR_C+NOMBR_C+NOMBR_C+NOMBR_C+NOMBR_C+NOMBR_C+NOMBR_C+NOMBR_C+NOMBR_C+NOMBR_C+NOMBR_C"};
  for (const char* m : malas) {
    try {
      db::ExpresionIndice e(QString::fromLatin1(m), campos);
      ADD_FAILURE() << "compiló: " << m;
    } catch (const plat::Error& e) {
      EXPECT_TRUE(e.mensaje().contains(QString::fromLatin1(m).trimmed())) << e.what();
      EXPECT_TRUE(e.mensaje().startsWith(QStringLiteral("Expresión de índice no válida"))) << e.what();
    }
  }
}

// ---------------------------------------------------------------- the file

class MdxTest : public RaizPrueba {
 protected:
  QString Ruta(const char* nombre = "prueba.mdx") const { return raiz() + u'/' + QString::fromLatin1(nombre); }
};

namespace {

// The model of a tag: its entries sorted as the tag sorts them.
struct ModeloTag {
  QString nombre;
  TipoClave tipo;
  int largo;
  bool descendente;
  std::vector<std::pair<QByteArray, std::uint32_t>> entradas;

  int Compara(const QByteArray& a, const QByteArray& b) const {
    int c = db::clave::Compara(tipo, reinterpret_cast<const std::uint8_t*>(a.constData()),
                               reinterpret_cast<const std::uint8_t*>(b.constData()), largo);
    return descendente ? -c : c;
  }
  void Ordena() {
    std::sort(entradas.begin(), entradas.end(), [this](const auto& x, const auto& y) {
      const int c = Compara(x.first, y.first);
      return c != 0 ? c < 0 : x.second < y.second;
    });
  }
};

ModeloTag Modelo(MdxArchivo& mdx, const TablaMemoria& t, const db::InfoTag& info) {
  ModeloTag m{info.def.nombre, info.tipo, info.largo, info.def.descendente, {}};
  for (const auto& [r, f] : t.filas) m.entradas.emplace_back(mdx.ClaveDeRegistro(info.def.nombre, t.Lector(r)), r);
  m.Ordena();
  return m;
}

// Checks walks, searches and ranges of every tag against the model.
void Verifica(MdxArchivo& lector, MdxArchivo& calculo, const TablaMemoria& t, std::mt19937& azar) {
  QStringList vistos, esperados;
  for (const db::InfoTag& info : lector.Tags()) vistos << info.def.nombre;
  for (const db::InfoTag& info : calculo.Tags()) esperados << info.def.nombre;
  ASSERT_EQ(vistos, esperados);
  ASSERT_FALSE(vistos.isEmpty());
  for (const db::InfoTag& info : lector.Tags()) {
    SCOPED_TRACE(info.def.nombre.toStdString());
    const ModeloTag m = Modelo(calculo, t, info);
    CursorMdx c(lector, info.def.nombre);
    ASSERT_EQ(Recorrido(c, true), m.entradas);
    ASSERT_EQ(Recorrido(c, false), m.entradas);
    EXPECT_EQ(c.Cuenta(), static_cast<qint64>(m.entradas.size()));
    if (m.entradas.empty()) continue;
    std::uniform_int_distribution<size_t> cual(0, m.entradas.size() - 1);
    for (int k = 0; k < 40; ++k) {
      const auto& e = m.entradas[cual(azar)];
      // Exact search stands on the first entry of the key.
      auto primero = std::find_if(m.entradas.begin(), m.entradas.end(), [&](const auto& x) { return m.Compara(x.first, e.first) == 0; });
      ASSERT_TRUE(c.Busca(e.first));
      EXPECT_EQ(c.Registro(), primero->second);
      ASSERT_TRUE(c.Situa(e.first, e.second));
      EXPECT_EQ(c.Registro(), e.second);
      // Nearest: a key of another entry, as a value that may be absent.
      QByteArray buscada = e.first;
      if (m.tipo == TipoClave::Caracter) buscada[buscada.size() - 1] = static_cast<char>('~');
      auto cerca = std::find_if(m.entradas.begin(), m.entradas.end(), [&](const auto& x) { return m.Compara(x.first, buscada) >= 0; });
      if (cerca == m.entradas.end()) {
        EXPECT_FALSE(c.BuscaCercano(buscada));
      } else {
        ASSERT_TRUE(c.BuscaCercano(buscada));
        EXPECT_EQ(c.Registro(), cerca->second);
        EXPECT_EQ(c.Busca(buscada), m.Compara(cerca->first, buscada) == 0);
      }
      // A range between two keys, walked both ways and counted.
      QByteArray desde = e.first, hasta = m.entradas[cual(azar)].first;
      if (m.Compara(desde, hasta) > 0) std::swap(desde, hasta);
      std::vector<std::pair<QByteArray, std::uint32_t>> dentro;
      for (const auto& x : m.entradas) {
        if (m.Compara(x.first, desde) >= 0 && m.Compara(x.first, hasta) <= 0) dentro.push_back(x);
      }
      c.FijaRango(desde, hasta);
      ASSERT_EQ(Recorrido(c, true), dentro);
      ASSERT_EQ(Recorrido(c, false), dentro);
      EXPECT_EQ(c.Cuenta(), static_cast<qint64>(dentro.size()));
      c.QuitaRango();
    }
  }
}

QVector<DefCampo> CamposModelo() {
  return {{QStringLiteral("CLAVE"), u'C', 40, 0}, {QStringLiteral("GRUPO"), u'C', 3, 0},
          {QStringLiteral("IMPORTE"), u'N', 10, 2}, {QStringLiteral("FECHA"), u'D', 8, 0},
          {QStringLiteral("ID"), u'N', 6, 0}};
}

QVariantList FilaAzar(std::mt19937& azar, qint64 id) {
  std::uniform_int_distribution<int> d(0, 299);
  const int n = d(azar);
  const QString clave = n % 37 == 0 ? QString() : QStringLiteral("K%1-%2").arg(n % 150, 3, 10, QChar(u'0')).arg(n % 7);
  const QString grupo = QStringLiteral("G%1").arg(n % 5);
  const QVariant importe = n % 23 == 0 ? QVariant() : QVariant((n - 150) * 1.25);
  const QVariant fecha = n % 19 == 0 ? QVariant() : QVariant(QDate(2020, 1, 1).addDays(n % 90));
  return {clave, grupo, importe, fecha, id};
}

}  // namespace

// Thousands of appends, key changes and deletes, against a sorted model; a
// second handle on the same file reads, so its cache must follow the writer.
TEST_F(MdxTest, ModeloAleatorioConDosManijas) {
  const auto campos = CamposModelo();
  MdxArchivo::Crea(Ruta(), QStringLiteral("MODELO"));
  MdxArchivo escritor(Ruta(), campos);
  MdxArchivo lector(Ruta(), campos);
  TablaMemoria t{campos, {}};
  escritor.AgregaTag({QStringLiteral("iclave"), QStringLiteral("CLAVE")}, t.Recorre());
  escritor.AgregaTag({QStringLiteral("IIMPORTE"), QStringLiteral("IMPORTE")}, t.Recorre());
  escritor.AgregaTag({QStringLiteral("IFECHA"), QStringLiteral("FECHA"), false, true}, t.Recorre());
  escritor.AgregaTag({QStringLiteral("IGRUPO"), QStringLiteral("GRUPO+UPPER(CLAVE)")}, t.Recorre());
  escritor.AgregaTag({QStringLiteral("IID"), QStringLiteral("STR(ID,6)"), true, false}, t.Recorre());

  std::mt19937 azar(4242);
  std::uint32_t siguiente = 1;
  std::uniform_int_distribution<int> que(0, 99);
  for (int op = 1; op <= 4000; ++op) {
    const int q = que(azar);
    if (q < 50 || t.filas.empty()) {
      const std::uint32_t r = siguiente++;
      t.filas[r] = FilaAzar(azar, r);
      escritor.Agrega(r, t.Lector(r));
    } else {
      auto it = t.filas.begin();
      std::advance(it, std::uniform_int_distribution<size_t>(0, t.filas.size() - 1)(azar));
      const std::uint32_t r = it->first;
      if (q < 80) {
        const QVariantList antes = it->second;
        QVariantList nueva = FilaAzar(azar, r);
        it->second = nueva;
        escritor.Cambia(r, [&antes](int c) { return antes[c]; }, t.Lector(r));
      } else {
        escritor.Quita(r, t.Lector(r));
        t.filas.erase(it);
      }
    }
    if (op % 800 == 0) {
      SCOPED_TRACE(op);
      Verifica(lector, escritor, t, azar);
      if (HasFatalFailure()) return;
    }
  }
  // Rebuilding from the records gives the same tags; so does reopening.
  escritor.Regenera(t.Recorre());
  MdxArchivo otra(Ruta(), campos);
  Verifica(otra, escritor, t, azar);
}

TEST_F(MdxTest, RangoDeTextoTomaClavesEnteras) {
  const QVector<DefCampo> campos = {{QStringLiteral("DOCUM"), u'C', 6, 0}};
  MdxArchivo::Crea(Ruta(), QStringLiteral("DOCS"));
  MdxArchivo mdx(Ruta(), campos);
  TablaMemoria t{campos, {}};
  const char* docs[] = {"12", "120", "11", "12", "1200", "13", "12A"};
  for (std::uint32_t r = 1; r <= std::size(docs); ++r) t.filas[r] = {QString::fromLatin1(docs[r - 1])};
  mdx.AgregaTag({QStringLiteral("IDOC"), QStringLiteral("DOCUM")}, t.Recorre());
  CursorMdx c(mdx, QStringLiteral("IDOC"));
  const QByteArray doce = mdx.ClaveDeValor(QStringLiteral("IDOC"), QStringLiteral("12"));
  c.FijaRango(doce, doce);
  std::vector<std::uint32_t> vistos;
  for (bool ok = c.Primero(); ok; ok = c.Siguiente()) vistos.push_back(c.Registro());
  EXPECT_EQ(vistos, (std::vector<std::uint32_t>{1, 4}));
  EXPECT_EQ(c.Cuenta(), 2);
  ASSERT_TRUE(c.Ultimo());
  EXPECT_EQ(c.Registro(), 4u);
  // Exact search of "12" never lands on "120"; nearest of "12B" gives "13".
  c.QuitaRango();
  ASSERT_TRUE(c.Busca(doce));
  EXPECT_EQ(c.Registro(), 1u);
  EXPECT_FALSE(c.Busca(mdx.ClaveDeValor(QStringLiteral("IDOC"), QStringLiteral("121"))));
  ASSERT_TRUE(c.BuscaCercano(mdx.ClaveDeValor(QStringLiteral("IDOC"), QStringLiteral("12B"))));
  EXPECT_EQ(c.Registro(), 6u);
  // A searched text longer than the key sorts after the keys it starts with.
  EXPECT_FALSE(c.Busca(mdx.ClaveDeValor(QStringLiteral("IDOC"), QStringLiteral("1200999"))));
  ASSERT_TRUE(c.BuscaCercano(mdx.ClaveDeValor(QStringLiteral("IDOC"), QStringLiteral("1200999"))));
  EXPECT_EQ(c.Registro(), 7u);  // "12A" after "1200"
}

TEST_F(MdxTest, UnicoRechazaUnaClaveAjenaYDescendenteOrdenaAlReves) {
  const QVector<DefCampo> campos = {{QStringLiteral("CODIGO"), u'C', 5, 0}, {QStringLiteral("CANT"), u'N', 5, 0}};
  MdxArchivo::Crea(Ruta(), QStringLiteral("PROD"));
  MdxArchivo mdx(Ruta(), campos);
  TablaMemoria t{campos, {}};
  t.filas[1] = {QStringLiteral("A"), 5};
  t.filas[2] = {QStringLiteral("B"), 7};
  t.filas[3] = {QStringLiteral("A"), 1};
  // A unique tag is never built over a repeated key: the rows are named and
  // no tag is left.
  const DefTag unico{QStringLiteral("ICODIGO"), QStringLiteral("CODIGO"), true, false};
  try {
    mdx.AgregaTag(unico, t.Recorre());
    ADD_FAILURE() << "construyó un índice único con una clave repetida";
  } catch (const plat::Error& e) {
    EXPECT_EQ(e.clase(), plat::Clase::General);
    EXPECT_TRUE(e.mensaje().contains(QStringLiteral("\"A\" está en los registros 1 y 3"))) << e.what();
  }
  EXPECT_FALSE(mdx.TieneTag(QStringLiteral("ICODIGO")));
  t.filas[3] = {QStringLiteral("Z"), 1};
  mdx.AgregaTag(unico, t.Recorre());
  mdx.AgregaTag({QStringLiteral("ICANT"), QStringLiteral("CANT"), false, true}, t.Recorre());
  CursorMdx c(mdx, QStringLiteral("ICODIGO"));
  EXPECT_EQ(Recorrido(c, true).size(), 3u);
  ASSERT_TRUE(c.Busca(mdx.ClaveDeValor(QStringLiteral("ICODIGO"), QStringLiteral("A"))));
  EXPECT_EQ(c.Registro(), 1u);

  t.filas[4] = {QStringLiteral("B"), 9};
  EXPECT_EQ(mdx.UnicoOcupado(4, t.Lector(4)), QStringLiteral("ICODIGO"));
  try {
    mdx.Agrega(4, t.Lector(4));
    ADD_FAILURE() << "aceptó una clave única repetida";
  } catch (const plat::Error& e) {
    EXPECT_TRUE(e.mensaje().contains(QStringLiteral("ICODIGO"))) << e.what();
  }
  // Nothing of the refused record went into any tag.
  CursorMdx cant(mdx, QStringLiteral("ICANT"));
  EXPECT_EQ(cant.Cuenta(), 3);
  // Changing a record to a free key, or keeping its own, is fine.
  t.filas[4] = {QStringLiteral("C"), 9};
  mdx.Agrega(4, t.Lector(4));
  const QVariantList antes = t.filas[4];
  t.filas[4] = {QStringLiteral("C"), 2};
  mdx.Cambia(4, [&](int k) { return antes[k]; }, t.Lector(4));

  // The descending tag walks from the greatest; nearest follows that order.
  std::vector<std::uint32_t> orden;
  for (bool ok = cant.Primero(); ok; ok = cant.Siguiente()) orden.push_back(cant.Registro());
  EXPECT_EQ(orden, (std::vector<std::uint32_t>{2, 1, 4, 3}));
  ASSERT_TRUE(cant.BuscaCercano(mdx.ClaveDeValor(QStringLiteral("ICANT"), 6)));
  EXPECT_EQ(cant.Registro(), 1u);  // 5 is the first key not before 6 going down
}

TEST_F(MdxTest, TagsSeAgreganBorranYListanSinImportarMayusculas) {
  const QVector<DefCampo> campos = {{QStringLiteral("NOMBRE"), u'C', 20, 0}, {QStringLiteral("ALTA"), u'D', 8, 0}};
  MdxArchivo::Crea(Ruta(), QStringLiteral("CLIENTE"));
  MdxArchivo mdx(Ruta(), campos);
  TablaMemoria t{campos, {}};
  for (std::uint32_t r = 1; r <= 300; ++r) t.filas[r] = {QStringLiteral("Cliente %1").arg(r % 97), QDate(2024, 1, 1).addDays(r)};
  mdx.AgregaTag({QStringLiteral("inombre"), QStringLiteral("upper(nombre)")}, t.Recorre());
  mdx.AgregaTag({QStringLiteral("IALTA"), QStringLiteral("ALTA")}, t.Recorre());
  mdx.AgregaTag({QStringLiteral("IMIXTO"), QStringLiteral("DTOS(ALTA)+NOMBRE")}, t.Recorre());
  EXPECT_TRUE(mdx.TieneTag(QStringLiteral("INombre")));

  const auto tags = mdx.Tags();
  ASSERT_EQ(tags.size(), 3);
  EXPECT_EQ(tags[0].def.nombre, QStringLiteral("INOMBRE"));
  EXPECT_EQ(tags[0].def.expresion, QStringLiteral("upper(nombre)"));
  EXPECT_FALSE(tags[0].unCampo);
  EXPECT_TRUE(tags[1].unCampo);
  EXPECT_EQ(tags[1].tipo, TipoClave::Fecha);
  EXPECT_EQ(tags[2].largo, 28);

  struct Mal { DefTag tag; plat::Clase clase; };
  const Mal malos[] = {
      {{QStringLiteral("ialta"), QStringLiteral("NOMBRE")}, plat::Clase::General},
      {{QStringLiteral("1MAL"), QStringLiteral("NOMBRE")}, plat::Clase::General},
      {{QStringLiteral("LARGUISIMO1"), QStringLiteral("NOMBRE")}, plat::Clase::General},
      {{QStringLiteral("IOTRO"), QStringLiteral("APELLIDO")}, plat::Clase::General},
  };
  for (const Mal& m : malos) {
    try {
      mdx.AgregaTag(m.tag, t.Recorre());
      ADD_FAILURE() << m.tag.nombre.toStdString();
    } catch (const plat::Error& e) {
      EXPECT_EQ(e.clase(), m.clase) << e.what();
    }
  }
  EXPECT_THROW(mdx.BorraTag(QStringLiteral("NOHAY")), plat::Error);

  mdx.BorraTag(QStringLiteral("ialta"));
  MdxArchivo otra(Ruta(), campos);
  QStringList nombres;
  for (const auto& i : otra.Tags()) nombres << i.def.nombre;
  EXPECT_EQ(nombres, (QStringList{QStringLiteral("INOMBRE"), QStringLiteral("IMIXTO")}));
  // The freed blocks are used again by a new tag; nothing is lost.
  const qint64 tamano = QFile(Ruta()).size();
  otra.AgregaTag({QStringLiteral("IALTA2"), QStringLiteral("ALTA")}, t.Recorre());
  EXPECT_EQ(QFile(Ruta()).size(), tamano);
  std::mt19937 azar(7);
  Verifica(otra, otra, t, azar);

  // The 47 tags the file holds, then a clear refusal.
  for (int i = static_cast<int>(otra.Tags().size()); i < 47; ++i) {
    otra.AgregaTag({QStringLiteral("T%1").arg(i), QStringLiteral("NOMBRE")}, {});
  }
  EXPECT_THROW(otra.AgregaTag({QStringLiteral("T47"), QStringLiteral("NOMBRE")}, {}), plat::Error);
}

// A cursor remembers the entry it stands on: when another handle removes it
// or moves its key, Siguiente and Anterior give the neighbours of the place
// it had.
TEST_F(MdxTest, CursorSigueDondeEstabaTrasCambiosAjenos) {
  const QVector<DefCampo> campos = {{QStringLiteral("CODIGO"), u'C', 4, 0}};
  MdxArchivo::Crea(Ruta(), QStringLiteral("CURSOR"));
  MdxArchivo a(Ruta(), campos), b(Ruta(), campos);
  TablaMemoria t{campos, {}};
  for (std::uint32_t r = 1; r <= 5; ++r) t.filas[r] = {QStringLiteral("C%1").arg(r)};
  b.AgregaTag({QStringLiteral("ICOD"), QStringLiteral("CODIGO")}, t.Recorre());
  CursorMdx c(a, QStringLiteral("ICOD"));
  auto clave = [&](const char* x) { return a.ClaveDeValor(QStringLiteral("ICOD"), QString::fromLatin1(x)); };

  ASSERT_TRUE(c.Busca(clave("C3")));
  b.Quita(3, t.Lector(3));
  ASSERT_TRUE(c.Siguiente());
  EXPECT_EQ(c.Registro(), 4u);
  ASSERT_TRUE(c.Busca(clave("C2")));
  b.Quita(2, t.Lector(2));
  ASSERT_TRUE(c.Anterior());
  EXPECT_EQ(c.Registro(), 1u);
  // The record stood on gets a key past the end: the cursor still moves from
  // where the record was.
  ASSERT_TRUE(c.Busca(clave("C4")));
  const QVariantList antes = t.filas[4];
  t.filas[4] = {QStringLiteral("Z9")};
  b.Cambia(4, [&](int k) { return antes[k]; }, t.Lector(4));
  ASSERT_TRUE(c.Siguiente());
  EXPECT_EQ(c.Registro(), 5u);
  ASSERT_TRUE(c.Siguiente());
  EXPECT_EQ(c.Registro(), 4u);
  EXPECT_FALSE(c.Siguiente());
  EXPECT_EQ(c.Registro(), 4u);  // a failed move keeps the position
  ASSERT_TRUE(c.Anterior());
  EXPECT_EQ(c.Registro(), 5u);

  // A tag removed by the other handle gives a clear error, and a write
  // cannot start inside a read hold.
  b.BorraTag(QStringLiteral("ICOD"));
  EXPECT_THROW(c.Primero(), plat::Error);
  MdxArchivo::Bloqueo lectura(a, false);
  try {
    a.AgregaTag({QStringLiteral("IOTRO"), QStringLiteral("CODIGO")}, t.Recorre());
    ADD_FAILURE();
  } catch (const plat::Error& e) {
    EXPECT_EQ(e.clase(), plat::Clase::Estado);
  }
}

// Two processes write the same file: first taking turns (each keeps its
// handle and its cached pages between turns), then both at once. Every key
// of both ends up in every tag, in order.
TEST_F(MdxTest, DosProcesosEscribenElMismoArchivo) {
  const QVector<DefCampo> campos = {{QStringLiteral("NOMBRE"), u'C', 12, 0}, {QStringLiteral("NUM"), u'N', 8, 0}};
  MdxArchivo::Crea(Ruta(), QStringLiteral("COMPARTE"));
  {
    MdxArchivo mdx(Ruta(), campos);
    mdx.AgregaTag({QStringLiteral("INOMBRE"), QStringLiteral("NOMBRE")}, {});
    mdx.AgregaTag({QStringLiteral("INUM"), QStringLiteral("NUM"), false, true}, {});
  }
  auto fila = [](std::uint32_t r, int version) {
    return QVariantList{QStringLiteral("N%1").arg((r * 7919 + version * 13) % 2000, 5, 10, QChar(u'0')), qint64((r + version) % 311)};
  };
  constexpr std::uint32_t kTurnos = 12, kPorTurno = 50, kJuntos = 600;
  int aHijo[2], aPadre[2];
  ASSERT_EQ(pipe(aHijo), 0);
  ASSERT_EQ(pipe(aPadre), 0);
  // Records of process p: 2k + 1 + p. Each turn appends kPorTurno records and
  // changes the keys of the ones appended the turn before.
  auto trabaja = [&](std::uint32_t p, int recibe, int avisa) {
    MdxArchivo mdx(Ruta(), campos);
    std::uint32_t k = 0;
    char testigo = 't';
    for (std::uint32_t turno = 0; turno < kTurnos; ++turno) {
      if (turno > 0 || p == 1) {
        if (read(recibe, &testigo, 1) != 1) return false;
      }
      for (std::uint32_t i = 0; i < kPorTurno; ++i, ++k) {
        const std::uint32_t r = 2 * k + 1 + p;
        const QVariantList f = fila(r, 0);
        mdx.Agrega(r, [&f](int c) { return f[c]; });
        if (k >= kPorTurno) {
          const std::uint32_t viejo = 2 * (k - kPorTurno) + 1 + p;
          const QVariantList a = fila(viejo, 0), b = fila(viejo, 1);
          mdx.Cambia(viejo, [&a](int c) { return a[c]; }, [&b](int c) { return b[c]; });
        }
      }
      if (write(avisa, &testigo, 1) != 1) return false;
    }
    for (std::uint32_t i = 0; i < kJuntos; ++i, ++k) {
      const std::uint32_t r = 2 * k + 1 + p;
      const QVariantList f = fila(r, 0);
      mdx.Agrega(r, [&f](int c) { return f[c]; });
    }
    return true;
  };
  const pid_t hijo = fork();
  ASSERT_GE(hijo, 0);
  if (hijo == 0) {
    bool ok = false;
    try {
      ok = trabaja(1, aHijo[0], aPadre[1]);
    } catch (...) {
    }
    _exit(ok ? 0 : 1);
  }
  const bool ok = trabaja(0, aPadre[0], aHijo[1]);
  int estado = 0;
  ASSERT_EQ(waitpid(hijo, &estado, 0), hijo);
  ASSERT_TRUE(ok);
  ASSERT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0);

  TablaMemoria t{campos, {}};
  const std::uint32_t porProceso = kTurnos * kPorTurno + kJuntos;
  const std::uint32_t cambiados = (kTurnos - 1) * kPorTurno;
  for (std::uint32_t p = 0; p < 2; ++p) {
    for (std::uint32_t k = 0; k < porProceso; ++k) {
      const std::uint32_t r = 2 * k + 1 + p;
      t.filas[r] = fila(r, k < cambiados ? 1 : 0);
    }
  }
  MdxArchivo mdx(Ruta(), campos);
  std::mt19937 azar(11);
  Verifica(mdx, mdx, t, azar);
}

// ---------------------------------------------------------------- damage

namespace {

QByteArray Lee(const QString& ruta) {
  QFile f(ruta);
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}
void Escribe(const QString& ruta, const QByteArray& b) {
  QFile f(ruta);
  f.open(QIODevice::WriteOnly | QIODevice::Truncate);
  f.write(b);
}

// Opens, walks every tag both ways and adds a key; a plat::Error is the only
// way to fail.
void Usa(const QString& ruta, const QVector<DefCampo>& campos) {
  MdxArchivo mdx(ruta, campos);
  for (const auto& i : mdx.Tags()) {
    CursorMdx c(mdx, i.def.nombre);
    int n = 0;
    for (bool ok = c.Primero(); ok && n < 100000; ok = c.Siguiente()) ++n;
    for (bool ok = c.Ultimo(); ok && n < 200000; ok = c.Anterior()) ++n;
    c.Cuenta();
  }
  const QVariantList f = {QStringLiteral("NUEVO"), qint64(5)};
  mdx.Agrega(9999, [&f](int c) { return f[c]; });
}

}  // namespace

TEST_F(MdxTest, ArchivoDanadoDaUnErrorClaroQueLoNombra) {
  const QVector<DefCampo> campos = {{QStringLiteral("NOMBRE"), u'C', 30, 0}, {QStringLiteral("NUM"), u'N', 8, 0}};
  MdxArchivo::Crea(Ruta(), QStringLiteral("DANADO"));
  TablaMemoria t{campos, {}};
  for (std::uint32_t r = 1; r <= 400; ++r) t.filas[r] = {QStringLiteral("Nombre %1").arg(r * 31 % 400), qint64(r)};
  {
    MdxArchivo mdx(Ruta(), campos);
    mdx.AgregaTag({QStringLiteral("INOMBRE"), QStringLiteral("NOMBRE")}, t.Recorre());
    mdx.AgregaTag({QStringLiteral("INUM"), QStringLiteral("NUM")}, t.Recorre());
  }
  const QByteArray sano = Lee(Ruta());
  const std::uint32_t cabecera = [&] { std::uint32_t p; std::memcpy(&p, sano.constData() + 544, 4); return p; }();
  const std::uint32_t raiz = [&] { std::uint32_t p; std::memcpy(&p, sano.constData() + cabecera * 512, 4); return p; }();

  struct Dano { const char* que; int posicion; QByteArray bytes; };
  const Dano danos[] = {
      {"versión", 0, Hex("07")},
      {"tamaño de bloque", 22, Hex("0300")},
      {"tags en uso", 28, Hex("3c00")},
      {"páginas del archivo", 32, Hex("ffffff00")},
      {"cabecera del tag fuera", 544, Hex("ffff0000")},
      {"tipo de clave", static_cast<int>(cabecera * 512 + 9), Hex("58")},
      {"largo de item", static_cast<int>(cabecera * 512 + 18), Hex("0300")},
      {"raíz fuera", static_cast<int>(cabecera * 512), Hex("ffffff0f")},
      {"cuenta de claves", static_cast<int>(raiz * 512), Hex("ffff0000")},
      {"hijo en bucle", static_cast<int>(raiz * 512 + 8), QByteArray(reinterpret_cast<const char*>(&raiz), 4)},
  };
  for (const Dano& d : danos) {
    SCOPED_TRACE(d.que);
    QByteArray b = sano;
    b.replace(d.posicion, d.bytes.size(), d.bytes);
    Escribe(Ruta(), b);
    try {
      Usa(Ruta(), campos);
      ADD_FAILURE() << "sin error";
    } catch (const plat::Error& e) {
      EXPECT_EQ(e.clase(), plat::Clase::Corrupto) << e.what();
      EXPECT_TRUE(e.mensaje().contains(Ruta())) << e.what();
    }
  }
  for (int largo : {0, 100, 2047, 3000, static_cast<int>(sano.size()) - 700}) {
    SCOPED_TRACE(largo);
    Escribe(Ruta(), sano.left(largo));
    try {
      Usa(Ruta(), campos);
      ADD_FAILURE() << "sin error";
    } catch (const plat::Error& e) {
      EXPECT_EQ(e.clase(), plat::Clase::Corrupto) << e.what();
    }
  }
  try {
    MdxArchivo mdx(Ruta("noesta.mdx"), campos);
    ADD_FAILURE();
  } catch (const plat::Error& e) {
    EXPECT_EQ(e.clase(), plat::Clase::NoExiste);
    EXPECT_TRUE(e.mensaje().contains(QStringLiteral("noesta.mdx")));
  }
  // Random bytes anywhere: a plat::Error or a working file, never a crash.
  std::mt19937 azar(99);
  for (int k = 0; k < 300; ++k) {
    QByteArray b = sano;
    for (int j = 0; j < 3; ++j) {
      b[std::uniform_int_distribution<int>(0, static_cast<int>(b.size()) - 1)(azar)] =
          static_cast<char>(std::uniform_int_distribution<int>(0, 255)(azar));
    }
    Escribe(Ruta(), b);
    try {
      Usa(Ruta(), campos);
    } catch (const plat::Error&) {
    }
  }
  // Regenerating rebuilds a damaged file from the records.
  MdxArchivo::Crea(Ruta(), QStringLiteral("DANADO"));
  MdxArchivo mdx(Ruta(), campos);
  mdx.AgregaTag({QStringLiteral("INOMBRE"), QStringLiteral("NOMBRE")}, t.Recorre());
  std::mt19937 azar2(5);
  Verifica(mdx, mdx, t, azar2);
}

// ---------------------------------------------------------------- fixtures

namespace {

// A file written byte by byte from the published layout: three tags, one of
// them a two-level tree, one descending.
QByteArray ArchivoAMano() {
  QByteArray f(22 * 512, '\0');
  auto u16 = [&](int pos, int v) { f[pos] = static_cast<char>(v & 0xFF); f[pos + 1] = static_cast<char>(v >> 8); };
  auto u32 = [&](int pos, quint32 v) { for (int i = 0; i < 4; ++i) f[pos + i] = static_cast<char>((v >> (8 * i)) & 0xFF); };
  auto bytes = [&](int pos, const QByteArray& b) { f.replace(pos, b.size(), b); };
  // File header.
  f[0] = 2;
  bytes(1, Hex("7c0305"));
  bytes(4, "FIXTURE");
  u16(20, 2);
  u16(22, 1024);
  f[24] = 1;
  f[25] = 0x30;
  f[26] = 0x20;
  u16(28, 3);
  f[30] = 4;
  f[31] = 0x1B;
  u32(32, 22);
  bytes(44, Hex("7c0305"));
  // Tag table.
  auto entrada = [&](int i, quint32 pagina, const QByteArray& nombre, char tipo) {
    const int e = 544 + 32 * i;
    u32(e, pagina);
    bytes(e + 4, nombre);
    f[e + 15] = 0x10;
    f[e + 19] = 0x02;
    f[e + 20] = tipo;
  };
  entrada(0, 6, "NOMBRE", 'C');
  entrada(1, 14, "IMPORTE", 'N');
  entrada(2, 18, "FECHA", 'D');
  f[544 + 16] = 2;  // IMPORTE < NOMBRE
  f[544 + 32 + 18] = 1;
  f[544 + 32 + 17] = 3;  // FECHA > IMPORTE
  f[544 + 64 + 18] = 2;
  auto cabecera = [&](int pagina, quint32 raiz, quint32 paginas, char formato, char tipo, int largo, int item,
                      int secundario, const QByteArray& expr) {
    const int c = pagina * 512;
    u32(c, raiz);
    u32(c + 4, paginas);
    f[c + 8] = formato;
    f[c + 9] = tipo;
    f[c + 11] = 0x1B;
    u16(c + 12, largo);
    u16(c + 14, (1024 - 12) / item);
    u16(c + 16, secundario);
    u16(c + 18, item);
    bytes(c + 24, expr);
  };
  cabecera(6, 8, 8, 0x10, 'C', 8, 12, 0, "NOMBRE");
  cabecera(14, 16, 4, 0x10, 'N', 12, 16, 0, "IMPORTE");
  cabecera(18, 20, 4, 0x18, 'D', 8, 12, 1, "FECHA");
  // NOMBRE: a root over two leaves; its key is the greatest of the left leaf.
  u32(8 * 512, 1);
  u32(8 * 512 + 8, 10);
  bytes(8 * 512 + 12, "CARLOS  ");
  u32(8 * 512 + 20, 12);
  auto hoja = [&](int pagina, std::initializer_list<std::pair<quint32, QByteArray>> items, int item) {
    const int b = pagina * 512;
    u32(b, static_cast<quint32>(items.size()));
    int k = 0;
    for (const auto& [r, clave] : items) {
      u32(b + 8 + k * item, r);
      bytes(b + 12 + k * item, clave);
      ++k;
    }
  };
  hoja(10, {{3, "ANA     "}, {1, "BETO    "}, {5, "CARLOS  "}}, 12);
  hoja(12, {{2, "DORA    "}, {6, "DORA    "}, {4, "EVA     "}}, 12);
  hoja(16, {{2, Hex("358550000000000000000000")}, {1, Hex("340100000000000000000000")},
            {3, Hex("360d12500000000000000000")}}, 16);
  hoja(20, {{1, Hex("000000806bc54241")}, {2, Hex("000000004bc54241")}, {3, Hex("0000000000000000")}}, 12);
  return f;
}

QVector<DefCampo> CamposAMano() {
  return {{QStringLiteral("NOMBRE"), u'C', 8, 0}, {QStringLiteral("IMPORTE"), u'N', 10, 2}, {QStringLiteral("FECHA"), u'D', 8, 0}};
}

std::vector<std::uint32_t> Registros(CursorMdx& c) {
  std::vector<std::uint32_t> r;
  for (bool ok = c.Primero(); ok; ok = c.Siguiente()) r.push_back(c.Registro());
  return r;
}

}  // namespace

TEST_F(MdxTest, LeeUnArchivoHechoAManoSegunElFormato) {
  Escribe(Ruta(), ArchivoAMano());
  MdxArchivo mdx(Ruta(), CamposAMano());
  const auto tags = mdx.Tags();
  ASSERT_EQ(tags.size(), 3);
  EXPECT_EQ(tags[0].def.nombre, QStringLiteral("NOMBRE"));
  EXPECT_EQ(tags[1].tipo, TipoClave::Numero);
  EXPECT_TRUE(tags[2].def.descendente);

  struct Caso { const char* tag; std::vector<std::uint32_t> orden; QVariant buscado; std::uint32_t hallado; };
  const Caso casos[] = {
      {"NOMBRE", {3, 1, 5, 2, 6, 4}, QStringLiteral("DORA"), 2},
      {"IMPORTE", {2, 1, 3}, 12.5, 3},
      {"FECHA", {1, 2, 3}, QDate(2023, 12, 31), 2},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.tag);
    CursorMdx cur(mdx, QString::fromLatin1(c.tag));
    EXPECT_EQ(Registros(cur), c.orden);
    ASSERT_TRUE(cur.Busca(mdx.ClaveDeValor(QString::fromLatin1(c.tag), c.buscado)));
    EXPECT_EQ(cur.Registro(), c.hallado);
  }
  CursorMdx nombre(mdx, QStringLiteral("NOMBRE"));
  ASSERT_TRUE(nombre.BuscaCercano(mdx.ClaveDeValor(QStringLiteral("NOMBRE"), QStringLiteral("CZ"))));
  EXPECT_EQ(nombre.Registro(), 2u);
  ASSERT_TRUE(nombre.Siguiente());
  EXPECT_EQ(nombre.Registro(), 6u);

  // Our changes keep the file readable: a key into each leaf and a removal.
  const QVariantList nuevo = {QStringLiteral("BRUNO"), 7.25, QDate(2024, 1, 1)};
  mdx.Agrega(7, [&](int c) { return nuevo[c]; });
  const QVariantList eva = {QStringLiteral("EVA"), QVariant(), QVariant()};
  EXPECT_TRUE(mdx.BorraClave(QStringLiteral("NOMBRE"), mdx.ClaveDeRegistro(QStringLiteral("NOMBRE"), [&](int c) { return eva[c]; }), 4));
  MdxArchivo otra(Ruta(), CamposAMano());
  CursorMdx n2(otra, QStringLiteral("NOMBRE")), i2(otra, QStringLiteral("IMPORTE")), f2(otra, QStringLiteral("FECHA"));
  EXPECT_EQ(Registros(n2), (std::vector<std::uint32_t>{3, 1, 7, 5, 2, 6}));
  EXPECT_EQ(Registros(i2), (std::vector<std::uint32_t>{2, 1, 7, 3}));
  EXPECT_EQ(Registros(f2), (std::vector<std::uint32_t>{1, 7, 2, 3}));
}

// The independent dBASE reader Debian ships (XBase::Index, index_dump) reads
// our files: every key and record number in order.
TEST_F(MdxTest, ElLectorIndependienteLeeNuestrosArchivos) {
  const QString programa = QStandardPaths::findExecutable(QStringLiteral("index_dump"));
  if (programa.isEmpty()) GTEST_SKIP() << "index_dump (libdbd-xbase-perl) no está instalado";
  const QVector<DefCampo> campos = {{QStringLiteral("NOMBRE"), u'C', 20, 0}, {QStringLiteral("NUM"), u'N', 8, 0}};
  MdxArchivo::Crea(Ruta(), QStringLiteral("LECTOR"));
  MdxArchivo mdx(Ruta(), campos);
  TablaMemoria t{campos, {}};
  for (std::uint32_t r = 1; r <= 2500; ++r) t.filas[r] = {QStringLiteral("Nombre %1").arg((r * 7919) % 3000, 4, 10, QChar(u'0')), qint64(r % 97)};
  mdx.AgregaTag({QStringLiteral("INOMBRE"), QStringLiteral("NOMBRE")}, t.Recorre());
  // Part built in bulk, part by single inserts and removals (node splits).
  for (std::uint32_t r = 2501; r <= 3200; ++r) {
    t.filas[r] = {QStringLiteral("Nombre %1").arg((r * 7919) % 3000, 4, 10, QChar(u'0')), qint64(r % 97)};
    mdx.Agrega(r, t.Lector(r));
  }
  for (std::uint32_t r = 10; r <= 3200; r += 9) {
    mdx.Quita(r, t.Lector(r));
    t.filas.erase(r);
  }
  std::vector<std::pair<QString, std::uint32_t>> esperado;
  for (const auto& [r, f] : t.filas) esperado.emplace_back(f[0].toString(), r);
  std::sort(esperado.begin(), esperado.end());

  QProcess p;
  p.start(programa, {Ruta(), QStringLiteral("INOMBRE")});
  ASSERT_TRUE(p.waitForFinished(60000));
  ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  std::vector<std::pair<QString, std::uint32_t>> leido;
  for (const QByteArray& linea : p.readAllStandardOutput().split('\n')) {
    const QString l = QString::fromLatin1(linea).trimmed();
    if (l.isEmpty()) continue;
    const int corte = l.lastIndexOf(u' ');
    leido.emplace_back(l.left(corte).trimmed(), l.mid(corte + 1).toUInt());
  }
  EXPECT_EQ(leido, esperado);
}

TEST_F(MdxTest, ElLectorIndependienteLeeElArchivoHechoAMano) {
  const QString programa = QStandardPaths::findExecutable(QStringLiteral("index_dump"));
  if (programa.isEmpty()) GTEST_SKIP() << "index_dump (libdbd-xbase-perl) no está instalado";
  Escribe(Ruta(), ArchivoAMano());
  QProcess p;
  p.start(programa, {Ruta(), QStringLiteral("NOMBRE")});
  ASSERT_TRUE(p.waitForFinished(60000));
  EXPECT_EQ(QString::fromLatin1(p.readAllStandardOutput()).simplified(),
            QStringLiteral("ANA 3 BETO 1 CARLOS 5 DORA 2 DORA 6 EVA 4"));
}
