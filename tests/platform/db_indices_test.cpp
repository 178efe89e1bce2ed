// Index tags of dBASE tables through the dataset: walks, key searches and
// ranges against a sorted model after random appends, key edits and
// deletes; two processes writing at once; the remission numbering sequence;
// tag maintenance, copies, packs and damaged index files.

#include "db_comun.h"
#include "platform/db/Orden.h"
#include "platform/db/mdx/MdxArchivo.h"
#include "support/Proceso.h"

#include <QDir>
#include <QtEndian>

#include <algorithm>
#include <map>
#include <random>

using db::DefTag;
using db::Tabla;
using plat::Clase;
using prueba::AvisaPadre;
using prueba::EsperaPadre;
using prueba::ProcesoHijo;

namespace {

// --- The model: rows as the test wrote them, and each tag's order.

struct Fila {
  QString clave;           // CLAVE C8
  qint64 centavos = 0;     // IMPORTE N10,2
  bool importeNulo = true;
  QDate fecha;             // FECHA D (invalid: blank)
  QString nombre;          // NOMBRE C12
  bool viva = true;
};

QByteArray Texto(const QString& s, int ancho) {
  QByteArray b = fs::ACp1252(s);
  b.append(QByteArray(ancho - b.size(), ' '));
  return b;
}

// Bytes whose memcmp order is the order of the number.
QByteArray Ordenable(qint64 v) {
  QByteArray b(8, '\0');
  qToBigEndian(static_cast<quint64>(v) ^ (quint64{1} << 63), b.data());
  return b;
}

struct TagModelo {
  DefTag def;
  std::function<QByteArray(const Fila&)> clave;  // comparable with memcmp
  std::function<QVariantList(const Fila&)> valores;  // what a user searches with
};

const std::vector<TagModelo>& Tags() {
  static const std::vector<TagModelo> tags = {
      {{"ICLAVE", "CLAVE"}, [](const Fila& f) { return Texto(f.clave, 8); },
       [](const Fila& f) { return QVariantList{f.clave}; }},
      {{"IIMPORTE", "IMPORTE"}, [](const Fila& f) { return Ordenable(f.centavos); },
       [](const Fila& f) { return QVariantList{f.centavos / 100.0}; }},
      {{"IFECHA", "FECHA"}, [](const Fila& f) { return Ordenable(f.fecha.isValid() ? f.fecha.toJulianDay() : 0); },
       [](const Fila& f) { return QVariantList{f.fecha}; }},
      {{"INOMFEC", "UPPER(NOMBRE)+DTOS(FECHA)"},
       [](const Fila& f) {
         return Texto(f.nombre.toUpper(), 12) + (f.fecha.isValid() ? f.fecha.toString("yyyyMMdd").toLatin1() : QByteArray(8, ' '));
       },
       // One value per operand, as a user types them (lower case is fine: the
       // operand makes it upper).
       [](const Fila& f) { return QVariantList{f.nombre.toLower(), f.fecha}; }},
      {{"IIMPDESC", "IMPORTE", false, true}, [](const Fila& f) { return Ordenable(-f.centavos); },
       [](const Fila& f) { return QVariantList{f.centavos / 100.0}; }},
  };
  return tags;
}

const QString kModelo = QStringLiteral("MODELO.DBF");

class Modelo {
 public:
  explicit Modelo(unsigned semilla) : azar_(semilla) {}

  std::vector<Fila> filas;  // record n is filas[n - 1]

  int Al(int n) { return std::uniform_int_distribution<int>(0, n - 1)(azar_); }

  Fila Nueva() {
    static const QStringList claves = [] {
      QStringList c = {"", "Z", "a", "Ñ1", "á2", "€", "12", "120", "1"};
      for (int i = 0; i < 150; ++i) c << QStringLiteral("K%1").arg(i * 7 % 150, 3, 10, QChar(u'0'));
      return c;
    }();
    static const QStringList nombres = {"juan", "Ana", "ñoño", "Émile", "zoe", "ÁLVARO", "bob", ""};
    Fila f;
    f.clave = claves[Al(claves.size())];
    f.importeNulo = Al(10) == 0;
    f.centavos = f.importeNulo ? 0 : Al(2001) - 1000;
    if (Al(10) != 0) f.fecha = QDate(2024, 1, 1).addDays(Al(60));
    f.nombre = nombres[Al(nombres.size())];
    return f;
  }

  // Live records in the tag's order: key, then record number.
  std::vector<qint64> Orden(const TagModelo& tag) const {
    std::vector<qint64> r;
    for (size_t i = 0; i < filas.size(); ++i)
      if (filas[i].viva) r.push_back(static_cast<qint64>(i + 1));
    std::stable_sort(r.begin(), r.end(), [&](qint64 a, qint64 b) { return tag.clave(filas[a - 1]) < tag.clave(filas[b - 1]); });
    return r;
  }

  std::mt19937 azar_;
};

void PonFila(Tabla& t, const Fila& f) {
  t.FieldByName("CLAVE").SetAsString(f.clave);
  if (f.importeNulo) t.FieldByName("IMPORTE").Clear();
  else t.FieldByName("IMPORTE").SetAsFloat(f.centavos / 100.0);
  t.FieldByName("FECHA").SetAsDate(f.fecha);
  t.FieldByName("NOMBRE").SetAsString(f.nombre);
}

std::vector<qint64> Recorre(Tabla& t) {
  std::vector<qint64> r;
  for (t.First(); !t.Eof(); t.Next()) r.push_back(t.RecNo());
  return r;
}

std::vector<qint64> RecorreAlReves(Tabla& t) {
  std::vector<qint64> r;
  for (t.Last(); !t.Bof(); t.Prior()) r.push_back(t.RecNo());
  std::reverse(r.begin(), r.end());
  return r;
}

// Stands on record n through a key search on CLAVE and a walk over its equals.
void VeA(Tabla& t, const Fila& f, qint64 n) {
  t.SetIndexName("iclave");
  ASSERT_TRUE(t.FindKey({f.clave})) << n;
  while (!t.Eof() && t.RecNo() != n) t.Next();
  ASSERT_EQ(t.RecNo(), n);
}

// Every tag against the model: walks both ways, counts, exact and nearest
// searches of present and absent keys, ranges.
void Compara(Tabla& t, Modelo& m, bool alReves) {
  for (const TagModelo& tag : Tags()) {
    SCOPED_TRACE(tag.def.nombre.toStdString());
    t.SetIndexName(tag.def.nombre.toLower());
    const std::vector<qint64> orden = m.Orden(tag);
    ASSERT_EQ(Recorre(t), orden);
    if (alReves) {
      ASSERT_EQ(RecorreAlReves(t), orden);
    }
    EXPECT_EQ(t.RecordCount(), static_cast<qint64>(orden.size()));
    if (orden.empty()) continue;
    auto posicion = [&](const QByteArray& k) {  // first entry not before k in the tag's order
      return std::find_if(orden.begin(), orden.end(), [&](qint64 n) { return !(tag.clave(m.filas[n - 1]) < k); });
    };
    for (int i = 0; i < 15; ++i) {
      const Fila& f = m.filas[orden[m.Al(orden.size())] - 1];
      ASSERT_TRUE(t.FindKey(tag.valores(f)));
      EXPECT_EQ(t.RecNo(), *posicion(tag.clave(f)));
      // A probe that is not a key: a fresh row's values, searched nearest.
      const Fila sonda = m.Nueva();
      const auto p = posicion(tag.clave(sonda));
      const bool existe = p != orden.end() && tag.clave(m.filas[*p - 1]) == tag.clave(sonda);
      const qint64 antes = t.RecNo();
      EXPECT_EQ(t.FindKey(tag.valores(sonda)), existe);
      if (!existe) {
        EXPECT_EQ(t.RecNo(), antes);
      }
      t.FindNearest(tag.valores(sonda));
      if (p == orden.end()) {
        EXPECT_TRUE(t.Eof());
      } else {
        EXPECT_EQ(t.RecNo(), *p);
      }
    }
    for (int i = 0; i < 4; ++i) {
      const Fila& a = m.filas[orden[m.Al(orden.size())] - 1];
      const Fila& b = m.filas[orden[m.Al(orden.size())] - 1];
      const bool ordenados = !(tag.clave(b) < tag.clave(a));
      const Fila& desde = ordenados ? a : b;
      const Fila& hasta = ordenados ? b : a;
      std::vector<qint64> esperadas;
      for (qint64 n : orden) {
        const QByteArray k = tag.clave(m.filas[n - 1]);
        if (!(k < tag.clave(desde)) && !(tag.clave(hasta) < k)) esperadas.push_back(n);
      }
      t.SetRange(tag.valores(desde), tag.valores(hasta));
      EXPECT_EQ(Recorre(t), esperadas);
      EXPECT_EQ(t.RecordCount(), static_cast<qint64>(esperadas.size()));
      t.CancelRange();
    }
  }
}

class PruebaIndices : public PruebaTabla {
 protected:
  static void CreaModelo() {
    QVector<DefTag> tags;
    for (const TagModelo& t : Tags()) tags << t.def;
    Tabla::Crea(kDatos, kModelo,
                {{"CLAVE", 'C', 8, 0}, {"IMPORTE", 'N', 10, 2}, {"FECHA", 'D', 8, 0}, {"NOMBRE", 'C', 12, 0}}, tags);
  }
};

}  // namespace

TEST_F(PruebaIndices, LasEtiquetasCoincidenConUnaListaOrdenadaTrasMilesDeCambios) {
  CreaModelo();
  Modelo m(20240305);
  auto t = Abre(kModelo);
  for (int paso = 1; paso <= 3000; ++paso) {
    const int op = m.Al(100);
    std::vector<qint64> vivas;
    for (size_t i = 0; i < m.filas.size(); ++i)
      if (m.filas[i].viva) vivas.push_back(static_cast<qint64>(i + 1));
    if (op < 45 || vivas.size() < 20) {
      const Fila f = m.Nueva();
      t->SetIndexName(Tags()[m.Al(Tags().size())].def.nombre);
      t->Append();
      PonFila(*t, f);
      t->Post();
      m.filas.push_back(f);
      ASSERT_EQ(t->RecNo(), static_cast<qint64>(m.filas.size()));
    } else if (op < 80) {
      const qint64 n = vivas[m.Al(vivas.size())];
      Fila& f = m.filas[n - 1];
      VeA(*t, f, n);
      const Fila otra = m.Nueva();
      if (m.Al(2)) f.clave = otra.clave;
      if (m.Al(2)) {
        f.centavos = otra.centavos;
        f.importeNulo = otra.importeNulo;
      }
      if (m.Al(2)) f.fecha = otra.fecha;
      if (m.Al(2)) f.nombre = otra.nombre;
      t->Edit();
      PonFila(*t, f);
      t->Post();
      ASSERT_EQ(t->RecNo(), n);  // the edited row stays current in its new place
    } else {
      const qint64 n = vivas[m.Al(vivas.size())];
      VeA(*t, m.filas[n - 1], n);
      t->Delete();
      m.filas[n - 1].viva = false;
    }
    if (paso % 750 == 0) {
      SCOPED_TRACE(paso);
      Compara(*t, m, paso % 1500 == 0);
    }
  }
  // Rebuilt from the rows, the tags are the same.
  t->Close();
  t->SetExclusive(true);
  t->Open();
  t->RegeneraIndices();
  Compara(*t, m, false);
}

// --- Two stations writing at once.

namespace {

const QString kComparte = QStringLiteral("COMPARTE.DBF");
const QVector<db::DefCampo> kCamposComparte = {
    {"CLAVE", 'C', 10, 0}, {"NUMERO", 'N', 8, 0}, {"FECHA", 'D', 8, 0}, {"UNICO", 'C', 8, 0}};

void CreaComparte() {
  Tabla::Crea(kDatos, kComparte, kCamposComparte,
              {{"ICLAVE", "CLAVE"}, {"INUMERO", "NUMERO"}, {"IFECHA", "FECHA"}, {"IUNICO", "UNICO", true},
               {"ICLAFEC", "CLAVE+DTOS(FECHA)", false, true}});
}

std::unique_ptr<Tabla> AbreComparte() {
  auto t = std::make_unique<Tabla>();
  t->SetCarpeta(kDatos);
  t->SetNombreTabla(kComparte);
  t->Open();
  return t;
}

// Every entry (key bytes, record) of every tag, read from the index file.
std::map<QString, std::vector<std::pair<QByteArray, quint32>>> Entradas() {
  std::map<QString, std::vector<std::pair<QByteArray, quint32>>> r;
  db::MdxArchivo mdx(fs::Local(fs::Une(kDatos, "COMPARTE.MDX")), kCamposComparte);
  for (const db::InfoTag& tag : mdx.Tags()) {
    db::CursorMdx c(mdx, tag.def.nombre);
    auto& lista = r[tag.def.nombre];
    for (bool hay = c.Primero(); hay; hay = c.Siguiente()) lista.emplace_back(c.Clave(), c.Registro());
  }
  return r;
}

}  // namespace

// A station: appends rows numbered from its own base, trying the unique keys
// U1, U2 ... that the other station tries too (taking an E key when the
// other got there first), edits the keys of its rows and deletes some.
RUTINA_HIJA(EscribeConIndices) {
  const int estacion = argumentos[0].toInt(), vueltas = argumentos[1].toInt();
  std::mt19937 azar(static_cast<unsigned>(estacion));
  auto al = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(azar); };
  auto t = AbreComparte();
  std::vector<qint64> numeros;  // NUMERO of this station's live rows
  AvisaPadre("LISTO");
  if (EsperaPadre() != "YA") return 2;
  for (int i = 1; i <= vueltas; ++i) {
    const qint64 numero = estacion * 1000000 + i;
    t->Append();
    t->FieldByName("CLAVE").SetAsString(QStringLiteral("C%1").arg(al(300)));
    t->FieldByName("NUMERO").SetAsInteger(numero);
    t->FieldByName("FECHA").SetAsDate(QDate(2024, 1, 1).addDays(al(90)));
    t->FieldByName("UNICO").SetAsString(QStringLiteral("U%1").arg(i));
    try {
      t->Post();
    } catch (const plat::Error& e) {
      if (e.clase() != Clase::General || !e.mensaje().contains("IUNICO")) return 3;
      t->FieldByName("UNICO").SetAsString(QStringLiteral("E%1-%2").arg(estacion).arg(i));
      t->Post();
    }
    numeros.push_back(numero);
    const int op = al(10);
    if (op < 4) {
      const size_t k = static_cast<size_t>(al(static_cast<int>(numeros.size())));
      t->SetIndexName("INUMERO");
      if (!t->FindKey({numeros[k]})) return 4;
      t->Edit();
      t->FieldByName("CLAVE").SetAsString(QStringLiteral("C%1").arg(al(300)));
      if (op == 0) t->FieldByName("FECHA").Clear();
      if (op == 1) {
        numeros[k] = -numeros[k];
        t->FieldByName("NUMERO").SetAsInteger(numeros[k]);
      }
      t->Post();
    } else if (op == 4) {
      const size_t k = static_cast<size_t>(al(static_cast<int>(numeros.size())));
      t->SetIndexName("INUMERO");
      if (!t->FindKey({numeros[k]})) return 5;
      t->Delete();
      numeros.erase(numeros.begin() + static_cast<std::ptrdiff_t>(k));
    }
  }
  return 0;
}

TEST_F(PruebaIndices, DosProcesosQueEscribenALaVezDejanLasEtiquetasCompletas) {
  CreaComparte();
  constexpr int kVueltas = 1000;
  ProcesoHijo a("EscribeConIndices", {"1", QString::number(kVueltas)});
  ProcesoHijo b("EscribeConIndices", {"2", QString::number(kVueltas)});
  ASSERT_EQ(a.EsperaLinea(), "LISTO");
  ASSERT_EQ(b.EsperaLinea(), "LISTO");
  a.Envia("YA");
  b.Envia("YA");
  // A reader meanwhile walks a tag in order.
  auto lector = AbreComparte();
  lector->SetIndexName("ICLAVE");
  for (int i = 0; i < 10; ++i) {
    lector->Refresh();
    QString anterior;
    for (lector->First(); !lector->Eof(); lector->Next()) {
      const QString clave = lector->FieldByName("CLAVE").AsString();
      ASSERT_LE(fs::ACp1252(anterior), fs::ACp1252(clave));
      anterior = clave;
    }
  }
  EXPECT_EQ(a.Espera(), 0);
  EXPECT_EQ(b.Espera(), 0);
  lector->Close();

  // Each unique key went to one station only.
  auto t = AbreComparte();
  t->SetIndexName("iunico");
  for (int i = 1; i <= kVueltas; ++i) {
    if (!t->FindKey({QStringLiteral("U%1").arg(i)})) continue;  // its row may have been deleted since
    t->Next();
    EXPECT_TRUE(t->Eof() || t->FieldByName("UNICO").AsString() != QStringLiteral("U%1").arg(i));
  }
  // Every row is found by its number, and the entries equal those rebuilt
  // from the rows.
  t->SetIndexName("");
  std::vector<std::pair<qint64, qint64>> filas;
  for (t->First(); !t->Eof(); t->Next()) filas.emplace_back(t->FieldByName("NUMERO").AsInteger(), t->RecNo());
  EXPECT_GT(filas.size(), size_t{kVueltas});
  t->SetIndexName("INUMERO");
  for (const auto& [numero, registro] : filas) {
    ASSERT_TRUE(t->FindKey({numero})) << numero;
    EXPECT_EQ(t->RecNo(), registro);
  }
  t->Close();
  const auto mantenidas = Entradas();
  auto e = std::make_unique<Tabla>();
  e->SetCarpeta(kDatos);
  e->SetNombreTabla(kComparte);
  e->SetExclusive(true);
  e->Open();
  e->RegeneraIndices();
  e->Close();
  const auto regeneradas = Entradas();
  ASSERT_EQ(mantenidas.size(), 5u);
  for (const auto& [tag, lista] : regeneradas) {
    SCOPED_TRACE(tag.toStdString());
    EXPECT_EQ(lista.size(), filas.size());  // no keys of deleted rows, none twice
    EXPECT_TRUE(mantenidas.at(tag) == lista);
  }
}
