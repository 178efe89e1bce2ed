// Index tags of dBASE tables through the dataset: walks, key searches and
// ranges against a sorted model after random appends, key edits and
// deletes; two processes writing at once; the remission numbering sequence;
// tag maintenance, copies, packs and damaged index files.

#include "db_comun.h"
#include "platform/db/Orden.h"
#include "platform/db/mdx/MdxArchivo.h"
#include "support/Proceso.h"

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

// --- The remission numbering: the final number is the row's record number.

namespace {

const QString kRemision = QStringLiteral("Remision.dbf");

void CreaRemision(int filas) {
  Tabla::Crea(kDatos, kRemision, {{"CLDOC_F", 'N', 10, 0}, {"CONTROL", 'N', 10, 0}, {"CLCLI_F", 'C', 10, 0}},
              {{"INUMENC", "CLDOC_F"}});
  auto t = std::make_unique<Tabla>();
  t->SetCarpeta(kDatos);
  t->SetNombreTabla(kRemision);
  t->Open();
  for (int i = 1; i <= filas; ++i) {
    t->Append();
    t->FieldByName("CLDOC_F").SetAsInteger(i * 10);
    t->FieldByName("CONTROL").SetAsInteger(i);
    t->Post();
  }
}

// Appends a header numbered after the last one, then renumbers it from its
// record number plus the folio offset; returns the number given.
qint64 Renumera(Tabla& t, qint64 desplazamiento, qint64 control) {
  t.SetIndexName("INUMENC");
  t.Last();
  const qint64 ultimo = t.FieldByName("CLDOC_F").AsInteger();
  t.Insert();
  t.FieldByName("CLDOC_F").SetAsInteger(ultimo + 1);
  t.FieldByName("CONTROL").SetAsInteger(control);
  t.Post();
  t.SetIndexName("");
  const qint64 r = t.RecNo();
  t.Edit();
  t.FieldByName("CLDOC_F").SetAsInteger(r + desplazamiento);
  t.Post();
  t.SetIndexName("INUMENC");
  EXPECT_EQ(t.RecNo(), r);  // still on the renumbered row
  return r + desplazamiento;
}

}  // namespace

TEST_F(PruebaIndices, LaRemisionSeNumeraPorSuRegistroYSeEncuentraPorSuNumero) {
  CreaRemision(5);
  auto a = Abre(kRemision);
  auto b = Abre(kRemision);
  // Two stations save one after the other: consecutive record numbers.
  EXPECT_EQ(Renumera(*a, 99, 71), 105);
  EXPECT_EQ(Renumera(*b, 99, 72), 106);
  for (auto* t : {a.get(), b.get()}) {
    for (const auto& [numero, control] : {std::pair{105, 71}, std::pair{106, 72}}) {
      ASSERT_TRUE(t->FindKey({numero}));
      EXPECT_EQ(t->FieldByName("CONTROL").AsInteger(), control);
    }
    EXPECT_FALSE(t->FindKey({51}));  // the provisional number is gone
    t->SetRange({50}, {200});
    QStringList numeros;
    for (t->First(); !t->Eof(); t->Next()) numeros << t->FieldByName("CLDOC_F").AsString();
    EXPECT_EQ(numeros, QStringList({"50", "105", "106"}));
    t->CancelRange();
  }
  a->Close();
  b->Close();

  // A copy of the table and its index under another name works on its own.
  for (const char* ext : {".dbf", ".MDX"}) {
    ASSERT_TRUE(QFile::copy(fs::Local(fs::Une(kDatos, QStringLiteral("Remision") + ext)),
                            fs::Local(kDatos) + QStringLiteral("/Remision2") + ext));
  }
  auto copia = Abre("Remision2.dbf");
  EXPECT_EQ(copia->IndexNames(), QStringList({"INUMENC"}));
  EXPECT_EQ(Renumera(*copia, 0, 73), 8);
  ASSERT_TRUE(copia->FindKey({106}));
  ASSERT_TRUE(copia->FindKey({8}));
  EXPECT_EQ(copia->FieldByName("CONTROL").AsInteger(), 73);
  auto original = Abre(kRemision);
  original->SetIndexName("inumenc");
  EXPECT_FALSE(original->FindKey({8}));
  EXPECT_EQ(original->RecordCount(), 7);
}

// --- Tag maintenance, positions and searches.

namespace {

const int kCabClientes = 32 + 5 * 32 + 1;  // header length of CLIENTES.DBF

// Header byte 28 and the tag byte of each field's descriptor.
QString Banderas(const QByteArray& dbf) {
  QString r = QString::number(static_cast<int>(dbf[28]));
  for (int k = 0; k < 5; ++k) r += QString::number(static_cast<int>(dbf[32 + 32 * k + 31]));
  return r;
}

}  // namespace

TEST_F(PruebaIndices, LasEtiquetasSeAgreganYQuitanConSusBanderas) {
  CreaClientes();
  {
    auto t = Abre("CLIENTES.DBF");
    Agrega(*t, {{"Pérez", 3}, {"Álvarez", 1}, {"Zapata", 2}, {"pérez", 4}});
    // Tag maintenance needs the table alone.
    EXPECT_EQ(ErrorDe([&] { t->AddIndex({"INOMBRE", "NOMBRE"}); }).first, Clase::EnUso);
    EXPECT_EQ(ErrorDe([&] { Tabla().AddIndex({"INOMBRE", "NOMBRE"}); }).first, Clase::NoExiste);
  }
  Tabla cerrada;
  cerrada.SetCarpeta(kDatos);
  cerrada.SetNombreTabla("CLIENTES.DBF");
  cerrada.AddIndex({"INOMBRE", "NOMBRE"});
  cerrada.AddIndex({"inumsal", "STR(NUMERO,6)+STR(SALDO,10,2)"});
  cerrada.AddIndex({"INUMDESC", "NUMERO", true, true});
  EXPECT_EQ(Banderas(Bytes("CLIENTES.DBF")), "111000");  // NOMBRE and NUMERO have tags of their own
  EXPECT_TRUE(fs::ExisteArchivo(fs::Une(kDatos, "CLIENTES.MDX")));
  const QVector<DefTag> defs = cerrada.IndexDefs();
  ASSERT_EQ(defs.size(), 3);
  EXPECT_EQ(defs[1].nombre, "INUMSAL");
  EXPECT_EQ(defs[1].expresion, "STR(NUMERO,6)+STR(SALDO,10,2)");
  EXPECT_TRUE(defs[2].unico && defs[2].descendente);

  const struct {
    DefTag tag;
    const char* enMensaje;
  } malos[] = {
      {{"INOMBRE", "NUMERO"}, "INOMBRE"},          // taken
      {{"1MAL", "NOMBRE"}, "1MAL"},                // not a name
      {{"IOTRO", "NOEXISTE"}, "NOEXISTE"},         // no such field
      {{"IOTRO", "NOMBRE+NUMERO"}, "NOMBRE+NUMERO"},  // text and number
  };
  for (const auto& m : malos) {
    const auto [clase, mensaje] = ErrorDe([&] { cerrada.AddIndex(m.tag); });
    EXPECT_EQ(clase, Clase::General);
    EXPECT_TRUE(mensaje.contains(m.enMensaje)) << mensaje.toStdString();
  }
  EXPECT_EQ(cerrada.IndexNames(), QStringList({"INOMBRE", "INUMSAL", "INUMDESC"}));

  auto t = Abre("CLIENTES.DBF", true);
  t->SetIndexName("inombre");
  EXPECT_EQ(Columna(*t, "NOMBRE"), QStringList({"Pérez", "Zapata", "pérez", "Álvarez"}));  // Windows-1252 byte order
  t->SetIndexName("INUMDESC");
  EXPECT_EQ(Columna(*t, "NUMERO"), QStringList({"4", "3", "2", "1"}));
  EXPECT_EQ(ErrorDe([&] { t->FindKey({2, 0}); }),
            std::make_pair(Clase::Estado, QString("El índice INUMDESC de la tabla CLIENTES.DBF se busca con un valor, no con 2")));
  t->SetIndexName("INUMSAL");
  ASSERT_TRUE(t->FindKey({2, 0}));
  EXPECT_EQ(t->FieldByName("NOMBRE").AsString(), "Zapata");
  t->SetIndexName("INUMDESC");
  t->DeleteIndex("inumdesc");  // the current tag: physical order
  EXPECT_EQ(t->IndexName(), "");
  EXPECT_EQ(t->RecNo(), 3);
  EXPECT_EQ(Banderas(Bytes("CLIENTES.DBF")), "110000");
  EXPECT_EQ(ErrorDe([&] { t->DeleteIndex("INUMDESC"); }),
            std::make_pair(Clase::NoExiste, QString("La tabla CLIENTES.DBF no tiene el índice INUMDESC")));
  t->DeleteIndex("INOMBRE");
  t->DeleteIndex("INUMSAL");
  EXPECT_EQ(Banderas(Bytes("CLIENTES.DBF")), "000000");
  EXPECT_FALSE(fs::ExisteArchivo(fs::Une(kDatos, "CLIENTES.MDX")));
  EXPECT_TRUE(t->IndexNames().isEmpty());
  EXPECT_EQ(t->RecordCount(), 4);

  // Other kinds of table keep no .mdx.
  EXPECT_EQ(ErrorDe([&] { Tabla::Crea(kDatos, "CAPTURA.DB", {{"CLAVE", 'A', 10, 0}}, {{"ICLAVE", "CLAVE"}}); }),
            std::make_pair(Clase::Estado, QString("La tabla CAPTURA.DB no puede llevar índices .mdx")));
  EXPECT_FALSE(Tabla::Existe(kDatos, "CAPTURA.DB"));
  Tabla::Crea(kDatos, "CAPTURA.DB", {{"CLAVE", 'A', 10, 0}});
  Tabla captura;
  captura.SetCarpeta(kDatos);
  captura.SetNombreTabla("CAPTURA.DB");
  EXPECT_EQ(ErrorDe([&] { captura.AddIndex({"ICLAVE", "CLAVE"}); }).first, Clase::Estado);
  EXPECT_FALSE(fs::ExisteArchivo(fs::Une(kDatos, "CAPTURA.MDX")));
}

TEST_F(PruebaIndices, CambiarDeEtiquetaYDeRangoSeQuedaEnLaFila) {
  db::Tabla::Crea(kDatos, "DOCS.DBF", {{"DOC", 'C', 6, 0}, {"N", 'N', 4, 0}}, {{"IDOC", "DOC"}, {"IN", "N"}});
  auto t = Abre("DOCS.DBF");
  int n = 0;
  for (const char* doc : {"120", "12", "13", "1", "12", "2"}) {
    t->Append();
    t->FieldByName("DOC").SetAsString(doc);
    t->FieldByName("N").SetAsInteger(++n);
    t->Post();
  }
  t->SetIndexName("IDoc");
  ASSERT_TRUE(t->FindKey({"13"}));
  t->SetIndexName("in");
  EXPECT_EQ(t->RecNo(), 3);
  t->Next();
  EXPECT_EQ(t->RecNo(), 4);
  t->SetIndexName("");
  EXPECT_EQ(t->RecNo(), 4);
  t->SetIndexName("IDOC");
  EXPECT_EQ(Columna(*t, "N"), QStringList({"4", "2", "5", "1", "3", "6"}));
  // Ranges take whole keys: "12" is not "120".
  t->SetRange({"12"}, {"12"});
  EXPECT_EQ(Columna(*t, "N"), QStringList({"2", "5"}));
  EXPECT_EQ(t->RecordCount(), 2);
  EXPECT_FALSE(t->FindKey({"120"}));
  t->Last();
  t->CancelRange();
  EXPECT_EQ(t->RecNo(), 5);
  t->SetRange({"12"}, {"13"});
  EXPECT_EQ(Columna(*t, "N"), QStringList({"2", "5", "1", "3"}));
  t->CancelRange();
  // Nearest: the first key not below; past the last key, Eof.
  t->FindNearest({"121"});
  EXPECT_EQ(t->FieldByName("DOC").AsString(), "13");
  t->FindNearest({"3"});
  EXPECT_TRUE(t->Eof());
  EXPECT_FALSE(t->FindKey({"3"}));
  // Deleting the current row leaves the next one in the tag's order.
  ASSERT_TRUE(t->FindKey({"12"}));
  t->Delete();
  EXPECT_EQ(t->FieldByName("DOC").AsString(), "12");
  EXPECT_EQ(t->RecNo(), 5);
  t->Prior();
  EXPECT_EQ(t->FieldByName("DOC").AsString(), "1");
  EXPECT_EQ(ErrorDe([&] { t->SetIndexName("INADA"); }),
            std::make_pair(Clase::NoExiste, QString("La tabla DOCS.DBF no tiene el índice INADA")));
  EXPECT_EQ(t->IndexName(), "IDOC");
}

TEST_F(PruebaIndices, UnaEtiquetaUnicaRechazaLaClaveRepetidaSinEscribirNada) {
  db::Tabla::Crea(kDatos, "PRODUCTO.DBF", {{"CODIGO", 'C', 8, 0}, {"PRECIO", 'N', 8, 2}},
                  {{"ICODIGO", "CODIGO", true}, {"IPRECIO", "PRECIO"}});
  auto t = Abre("PRODUCTO.DBF");
  auto alta = [&](const QString& codigo, double precio) {
    t->Append();
    t->FieldByName("CODIGO").SetAsString(codigo);
    t->FieldByName("PRECIO").SetAsFloat(precio);
    t->Post();
  };
  alta("A1", 10);
  alta("B2", 20);
  const QByteArray antes = Bytes("PRODUCTO.DBF");
  EXPECT_EQ(ErrorDe([&] { alta("A1", 30); }),
            std::make_pair(Clase::General, QString("La clave \"A1\" ya existe en el índice único ICODIGO de la tabla PRODUCTO.DBF")));
  t->Cancel();
  EXPECT_EQ(Bytes("PRODUCTO.DBF"), antes);
  // Editing a row keeps its own key; taking another row's key is refused.
  t->SetIndexName("ICODIGO");
  ASSERT_TRUE(t->FindKey({"B2"}));
  t->Edit();
  t->FieldByName("PRECIO").SetAsFloat(25);
  t->Post();
  t->Edit();
  t->FieldByName("CODIGO").SetAsString("A1");
  EXPECT_EQ(ErrorDe([&] { t->Post(); }).first, Clase::General);
  t->Cancel();
  EXPECT_EQ(Columna(*t, "CODIGO"), QStringList({"A1", "B2"}));
  // Once its row is deleted, the key is free again.
  ASSERT_TRUE(t->FindKey({"A1"}));
  t->Delete();
  alta("A1", 30);
  EXPECT_EQ(t->RecNo(), 3);
  t->SetIndexName("IPRECIO");
  EXPECT_EQ(Columna(*t, "PRECIO"), QStringList({"25", "30"}));
}

TEST_F(PruebaIndices, EmpacarCopiarYCrearComoLlevanLasEtiquetas) {
  db::Tabla::Crea(kDatos, "ARTIC.DBF", {{"CLAVE", 'C', 6, 0}, {"ALTA", 'D', 8, 0}},
                  {{"ICLAVE", "CLAVE"}, {"IALTA", "DTOS(ALTA)+CLAVE"}});
  {
    auto t = Abre("ARTIC.DBF");
    for (int i = 6; i >= 1; --i) {
      t->Append();
      t->FieldByName("CLAVE").SetAsString(QStringLiteral("K%1").arg(i));
      t->FieldByName("ALTA").SetAsDate(QDate(2024, 3, i % 3 + 1));
      t->Post();
    }
    t->SetIndexName("ICLAVE");
    for (const char* k : {"K2", "K5"}) {
      ASSERT_TRUE(t->FindKey({k}));
      t->Delete();
    }
  }
  Tabla cerrada;
  cerrada.SetCarpeta(kDatos);
  cerrada.SetNombreTabla("ARTIC.DBF");
  cerrada.Pack();
  auto t = Abre("ARTIC.DBF");
  t->SetIndexName("ICLAVE");
  const QStringList claves = {"K1", "K3", "K4", "K6"};
  const QList<qint64> registros = {4, 3, 2, 1};  // renumbered by the pack
  for (int i = 0; i < claves.size(); ++i) {
    ASSERT_TRUE(t->FindKey({claves[i]}));
    EXPECT_EQ(t->RecNo(), registros[i]);
  }
  t->SetIndexName("IALTA");
  EXPECT_EQ(Columna(*t, "CLAVE"), QStringList({"K3", "K6", "K1", "K4"}));
  ASSERT_TRUE(t->FindKey({QDate(2024, 3, 2), "K1"}));
  EXPECT_EQ(t->RecNo(), 4);

  // A new table like it has its tags; rows copied into it are in them.
  Tabla::CreaComo(kDatos, "NUEVO.DBF", *t);
  auto nueva = Abre("NUEVO.DBF");
  ASSERT_EQ(nueva->IndexDefs().size(), 2);
  EXPECT_EQ(nueva->IndexDefs()[1].expresion, "DTOS(ALTA)+CLAVE");
  EXPECT_EQ(Tabla::CopiaRegistros(*t, *nueva, true), 4);
  nueva->SetIndexName("ICLAVE");
  EXPECT_EQ(Columna(*nueva, "CLAVE"), claves);
  EXPECT_TRUE(nueva->FindKey({"K6"}));
}

// --- Other stations and other programs.

TEST_F(PruebaIndices, LoQueAgregaOtraEstacionSeEncuentraSinRefrescar) {
  CreaRemision(3);
  auto a = Abre(kRemision);
  a->SetIndexName("INUMENC");
  auto b = Abre(kRemision);
  b->Append();
  b->FieldByName("CLDOC_F").SetAsInteger(25);
  b->FieldByName("CONTROL").SetAsInteger(9);
  b->Post();
  ASSERT_TRUE(a->FindKey({25}));  // a record past what this station had counted
  EXPECT_EQ(a->RecNo(), 4);
  EXPECT_EQ(a->FieldByName("CONTROL").AsInteger(), 9);
  a->Next();
  EXPECT_EQ(a->FieldByName("CLDOC_F").AsInteger(), 30);
}

TEST_F(PruebaIndices, LasClavesDeFilasBorradasPorOtroProgramaSeSaltan) {
  CreaRemision(4);  // numbers 10, 20, 30, 40
  // Another program marks rows 2 and 3 deleted and keeps their keys, as
  // dBASE does.
  QByteArray dbf = Bytes(kRemision);
  const int cabecera = 32 + 3 * 32 + 1, largo = 31;
  dbf[cabecera + largo] = '*';
  dbf[cabecera + 2 * largo] = '*';
  Escribe(kRemision, dbf);
  auto t = Abre(kRemision);
  t->SetIndexName("INUMENC");
  EXPECT_EQ(Columna(*t, "CLDOC_F"), QStringList({"10", "40"}));
  t->Last();
  t->Prior();
  EXPECT_EQ(t->RecNo(), 1);
  EXPECT_FALSE(t->FindKey({20}));
  t->FindNearest({15});
  EXPECT_EQ(t->RecNo(), 4);
  t->SetRange({15}, {35});
  EXPECT_TRUE(t->IsEmpty());
  EXPECT_EQ(t->RecordCount(), 0);
}

TEST_F(PruebaIndices, UnIndiceDanadoOFaltanteSeDiceYSeRehace) {
  CreaRemision(6);
  const QString mdx = "Remision.mdx";
  const QByteArray bueno = Bytes(mdx);

  // Missing: the table does not open, naming the file.
  QFile::remove(fs::Local(fs::Une(kDatos, mdx)));
  EXPECT_EQ(ErrorDe([&] { Abre(kRemision); }),
            std::make_pair(Clase::NoExiste, QString("Falta el índice Remision.mdx de la tabla Remision.dbf")));
  // Not an index file at all.
  Escribe(mdx, QByteArray(2048, 'x'));
  auto [clase, mensaje] = ErrorDe([&] { Abre(kRemision); });
  EXPECT_EQ(clase, Clase::Corrupto);
  EXPECT_TRUE(mensaje.contains("Remision.mdx")) << mensaje.toStdString();

  // A damaged page of a tag: the search says so, and regenerating rebuilds
  // the tag from the rows.
  QByteArray danado = bueno;
  const quint32 cabeceraTag = qFromLittleEndian<quint32>(danado.constData() + 544);
  const quint32 raiz = qFromLittleEndian<quint32>(danado.constData() + cabeceraTag * 512);
  qToLittleEndian<quint32>(0xFFFF, danado.data() + raiz * 512);
  Escribe(mdx, danado);
  {
    auto t = Abre(kRemision);
    std::tie(clase, mensaje) = ErrorDe([&] {
      t->SetIndexName("INUMENC");
      t->FindKey({30});
    });
    EXPECT_EQ(clase, Clase::Corrupto);
    EXPECT_TRUE(mensaje.contains("Remision.mdx")) << mensaje.toStdString();
  }
  Tabla cerrada;
  cerrada.SetCarpeta(kDatos);
  cerrada.SetNombreTabla(kRemision);
  cerrada.RegeneraIndices();
  {
    auto t = Abre(kRemision);
    t->SetIndexName("INUMENC");
    ASSERT_TRUE(t->FindKey({30}));
    EXPECT_EQ(t->RecNo(), 3);
  }

  // Lost for good: with the header's flag cleared the table opens without
  // it, and adding the tag again makes a new index from the rows.
  QFile::remove(fs::Local(fs::Une(kDatos, mdx)));
  QByteArray dbf = Bytes(kRemision);
  dbf[28] = 0;
  Escribe(kRemision, dbf);
  cerrada.AddIndex({"INUMENC", "CLDOC_F"});
  auto t = Abre(kRemision);
  t->SetIndexName("INUMENC");
  t->Last();
  EXPECT_EQ(t->FieldByName("CLDOC_F").AsInteger(), 60);
  EXPECT_EQ(Bytes(kRemision)[28], 1);
}

TEST_F(PruebaIndices, UnaEntradaQueApuntaFueraOUnaExpresionDanadaSonDanoNuncaUnRecorridoCorto) {
  CreaRemision(6);
  const QString mdx = "Remision.mdx";
  const QByteArray bueno = Bytes(mdx);
  const quint32 cabeceraTag = qFromLittleEndian<quint32>(bueno.constData() + 544);
  const quint32 hoja = qFromLittleEndian<quint32>(bueno.constData() + cabeceraTag * 512);  // the root is a leaf
  const int entrada = static_cast<int>(hoja) * 512 + 8 + 2 * 16;  // third entry: record, then a 12-byte key
  struct Caso {
    const char* dano;
    std::function<void(QByteArray&)> aplica;
    const char* enMensaje;
  };
  const Caso casos[] = {
      {"registro 0", [&](QByteArray& b) { qToLittleEndian<quint32>(0, b.data() + entrada); }, "registro 0"},
      {"registro tras el final", [&](QByteArray& b) { qToLittleEndian<quint32>(7, b.data() + entrada); }, "registro 7"},
      {"expresión", [&](QByteArray& b) { b.replace(cabeceraTag * 512 + 24, 7, "CL#OC_F"); }, "INUMENC"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.dano);
    QByteArray danado = bueno;
    c.aplica(danado);
    Escribe(mdx, danado);
    int filas = 0;
    const auto [clase, mensaje] = ErrorDe([&] {
      auto t = Abre(kRemision);
      t->SetIndexName("INUMENC");
      for (t->First(); !t->Eof(); t->Next()) ++filas;
    });
    EXPECT_EQ(clase, Clase::Corrupto) << filas << " filas";
    EXPECT_TRUE(mensaje.contains("Remision.mdx") && mensaje.contains(c.enMensaje)) << mensaje.toStdString();
  }
}

TEST_F(PruebaIndices, RegenerarUnIndiceUnicoSobreClavesRepetidasNombraLasFilas) {
  Tabla::Crea(kDatos, "UNICOS.DBF", {{"CLAVE", 'C', 5, 0}}, {{"ICLAVE", "CLAVE", true}});
  {
    auto t = Abre("UNICOS.DBF");
    for (const char* c : {"A", "B", "C", "D"}) {
      t->Append();
      t->FieldByName("CLAVE").SetAsString(c);
      t->Post();
    }
  }
  // Another program gives row 4 the key of row 2.
  QByteArray dbf = Bytes("UNICOS.DBF");
  dbf[32 + 32 + 1 + 3 * 6 + 1] = 'B';
  Escribe("UNICOS.DBF", dbf);
  Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla("UNICOS.DBF");
  const auto [clase, mensaje] = ErrorDe([&] { t.RegeneraIndices(); });
  EXPECT_EQ(clase, Clase::General);
  EXPECT_TRUE(mensaje.contains("ICLAVE") && mensaje.contains("\"B\" está en los registros 2 y 4")) << mensaje.toStdString();
  // Nothing was rebuilt: the tag is as it was.
  auto abierta = Abre("UNICOS.DBF");
  abierta->SetIndexName("ICLAVE");
  ASSERT_TRUE(abierta->FindKey({"D"}));
  EXPECT_EQ(abierta->RecNo(), 4);
}
