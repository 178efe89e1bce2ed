// The record verification window driven as a user: tables left by stations
// killed in their writes (kill -9 and the table layer's fault seam), a stale
// index copied back, a header flag without its index, unreadable records,
// the copy into tempo, and the byte reader that completes a cut record.

#include "maintenance/IndiTodo.h"
#include "maintenance/VerRegis.h"
#include "platform/db/PuntosFalla.h"
#include "platform/fs/Falla.h"
#include "support/Maneja.h"
#include "support/Proceso.h"
#include "tablas_prueba.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QThread>

#include <map>

using prueba::Pulsa;

namespace {

const QVector<db::DefCampo> kCampos = {{"CLAVE", 'C', 12, 0}, {"NUMERO", 'N', 8, 0}, {"NOMBRE", 'C', 20, 0}};
const QVector<db::DefTag> kTags = {{"ICLAVE", "CLAVE"}, {"INUMERO", "NUMERO"}, {"INOMBRE", "UPPER(NOMBRE)+CLAVE"}};

void PonFila(db::Tabla& t, const QString& clave, int numero) {
  t.FieldByName("CLAVE").SetAsString(clave);
  t.FieldByName("NUMERO").SetAsInteger(numero);
  t.FieldByName("NOMBRE").SetAsString(QStringLiteral("nombre %1").arg(clave));
}

// Appends (modo "alta") or edits a row (modo "cambio") with keys of its own.
void Escribe(db::Tabla& t, const QString& modo, int i, const QString& marca) {
  if (modo == u"alta") {
    t.Append();
    PonFila(t, marca + QString::number(i), 1000 + i);
  } else {
    t.First();
    t.MoveBy(i % 20);
    t.Edit();
    PonFila(t, marca + QString::number(i), 5000 + i);
  }
  t.Post();
}

QVector<QVariantList> Filas(const QString& prefijo, int n) {
  QVector<QVariantList> filas;
  for (int i = 1; i <= n; ++i) filas.append({prefijo + QString::number(i), qint64(i), QString("fila %1").arg(i)});
  return filas;
}

// The bytes of every whole record of a table file by number.
std::map<qint64, QByteArray> RegistrosEnteros(const QString& ruta) {
  const QByteArray b = Bytes(ruta);
  const CabeceraDbf c = LeeCabecera(ruta);
  std::map<qint64, QByteArray> r;
  for (qint64 n = 1; n <= c.enteros; ++n) r[n] = b.mid(c.longCabecera + (n - 1) * c.longRegistro, c.longRegistro);
  return r;
}

QStringList Renglones(const QListWidget& lista) {
  QStringList r;
  for (int i = 0; i < lista.count(); ++i) r << lista.item(i)->text();
  return r;
}

class Verificacion : public MantenimientoPrueba {
 protected:
  // Runs a verification button in a window on the data folder; returns the
  // window's lists of tables that failed to open and of tables repaired.
  struct Resultado {
    QStringList noAbren, reparadas;
    QString errores;
    int tag = 0;
  };
  static Resultado Verifica(const char* boton = "BitBtn4") {
    TFormaVerificaRegistros v;
    v.Edit1->setText(kDatos);
    Resultado r;
    Muestra<TFormaVerificaRegistros>(v, [&](TFormaVerificaRegistros& w) {
      Pulsa(w, boton);
      r.noAbren = Renglones(*w.FileListBox2);
      r.reparadas = Renglones(*w.ListaReparadas);
      r.errores = w.Label4->text();
      r.tag = w.Tag();
    });
    return r;
  }
};

}  // namespace

// Arguments: folder, table, "alta" or "cambio". Writes until killed.
RUTINA_HIJA(EscribeSinFin) {
  auto t = AbrePrueba(argumentos[0], argumentos[1]);
  const QString marca = QStringLiteral("H%1-").arg(QCoreApplication::applicationPid() % 100000);
  for (int i = 1;; ++i) {
    Escribe(*t, argumentos[2], i, marca);
    if (i == 20) prueba::AvisaPadre("EN MARCHA");
  }
}

// Arguments: folder, table, "alta" or "cambio", point, pass. Writes until
// the seam stops it.
RUTINA_HIJA(EscribeHastaCaer) {
  falla::Arma(argumentos[3], argumentos[4].toInt());
  auto t = AbrePrueba(argumentos[0], argumentos[1]);
  const QString marca = QStringLiteral("S%1-").arg(QCoreApplication::applicationPid() % 100000);
  for (int i = 1; i < 1000; ++i) Escribe(*t, argumentos[2], i, marca);
  return 0;
}

TEST_F(Verificacion, TablasDeEstacionesMuertasYUnIndiceViejoQuedanSanasYUnaSegundaVueltaNoReparaNada) {
  CreaTablaPrueba(kDatos, "movtos.dbf", kCampos, kTags, Filas("M", 30));
  CreaTablaPrueba(kDatos, "sinindice.dbf", kCampos, {}, Filas("S", 10));
  CreaTablaPrueba(kDatos, "clientes.dbf", kCampos, kTags, Filas("C", 10));
  EscribeLineas(fs::Une(kDatos, "Indices.cnf"), CatalogoDeCarpeta(kDatos));

  // An index saved before 500 appends is copied back.
  const QByteArray viejo = Bytes(fs::Une(kDatos, "clientes.mdx"));
  {
    auto t = AbrePrueba(kDatos, "clientes.dbf");
    for (int i = 1; i <= 500; ++i) Escribe(*t, "alta", i, "N");
  }
  EscribeArchivo(fs::Une(kDatos, "clientes.mdx"), viejo);

  // Stations stopped by the seam at both points of a write, and killed at
  // staggered moments.
  struct Caida {
    const char *tabla, *modo, *punto;
    int vez;
  };
  const Caida caidas[] = {
      {"movtos.dbf", "alta", db::puntos::kAntesDeClaves, 3},  {"movtos.dbf", "alta", db::puntos::kAntesDeCuenta, 2},
      {"movtos.dbf", "cambio", db::puntos::kAntesDeClaves, 2}, {"sinindice.dbf", "alta", db::puntos::kAntesDeCuenta, 2},
      {"sinindice.dbf", "alta", db::puntos::kRegistroAMedias, 1},
  };
  for (const Caida& c : caidas) {
    prueba::ProcesoHijo h("EscribeHastaCaer", {kDatos, c.tabla, c.modo, c.punto, QString::number(c.vez)});
    EXPECT_TRUE(h.EsperaQueMuera()) << c.tabla << " " << c.punto;
  }
  int espera = 5;
  for (const char* modo : {"alta", "cambio", "alta"}) {
    prueba::ProcesoHijo h("EscribeSinFin", {kDatos, "movtos.dbf", modo});
    ASSERT_EQ(h.EsperaLinea(), "EN MARCHA");
    QThread::msleep(espera += 20);
    h.Mata();
  }
  const QStringList tablas = {"clientes.dbf", "movtos.dbf", "sinindice.dbf"};
  std::map<QString, std::map<qint64, QByteArray>> antes;
  for (const QString& t : tablas) antes[t] = RegistrosEnteros(fs::Une(kDatos, t));
  // The count the first kill left behind was set right when the second
  // station opened the table for writing; the record the second cut short
  // is still there in part.
  const CabeceraDbf cortada = LeeCabecera(fs::Une(kDatos, "sinindice.dbf"));
  ASSERT_EQ(cortada.cuenta, cortada.enteros);
  ASSERT_GT(Bytes(fs::Une(kDatos, "sinindice.dbf")).size(),
            cortada.longCabecera + cortada.enteros * cortada.longRegistro + 1);

  auto exigeSanas = [&] {
    for (const QString& t : tablas) {
      SCOPED_TRACE(t.toStdString());
      const QString ruta = fs::Une(kDatos, t);
      const CabeceraDbf c = LeeCabecera(ruta);
      EXPECT_EQ(c.cuenta, c.enteros);
      EXPECT_EQ(Bytes(ruta).size(), c.longCabecera + c.enteros * c.longRegistro + 1);
      EXPECT_NO_THROW(EXPECT_EQ(AbrePrueba(kDatos, t)->TagsDiscrepantes(), QStringList()));
      const auto despues = RegistrosEnteros(ruta);
      for (const auto& [n, bytes] : antes[t]) EXPECT_EQ(despues.at(n), bytes) << "registro " << n;
    }
  };

  const Resultado primera = Verifica();
  EXPECT_EQ(primera.tag, 1);
  EXPECT_EQ(primera.noAbren, QStringList());
  EXPECT_EQ(primera.reparadas, QStringList({"clientes.dbf", "sinindice.dbf"}));
  exigeSanas();
  // The cut record was completed, logged and deleted: no station saw it.
  EXPECT_EQ(ValoresVivos(kDatos, "sinindice.dbf").size(), cortada.enteros);
  EXPECT_EQ(LeeCabecera(fs::Une(kDatos, "sinindice.dbf")).enteros, cortada.enteros + 1);
  const QStringList borrados = fs::LeeLineas("C:\\VRL\\borrados.dat");
  ASSERT_EQ(borrados.size(), 1);
  EXPECT_TRUE(borrados[0].startsWith("sinindice.dbf,08/12/2026 10:15:00,CLAVE,S")) << borrados[0].toStdString();
  EXPECT_EQ(ValoresPorTag(kDatos, "clientes.dbf", "INUMERO").size(), 510);
  QStringList textos = TextosBitacora();
  ASSERT_EQ(textos.size(), 2);
  EXPECT_TRUE(textos[0].startsWith("Tabla clientes.dbf reparada: índices regenerados: ICLAVE, INUMERO, INOMBRE"))
      << textos[0].toStdString();

  EXPECT_EQ(Verifica().reparadas, QStringList());

  // Through the reindex window: the verification, then the replay.
  ui::PuertaModal::Espera("TFormaVerificaRegistros", [](QDialog& d) { Pulsa(d, "BitBtn4"); });
  TFormaReindexaTodo reindexa;
  Pulsa(reindexa, "BitBtn10");
  // The replay packed the deleted rows away: compare live rows instead.
  for (const QString& t : tablas) {
    SCOPED_TRACE(t.toStdString());
    const CabeceraDbf c = LeeCabecera(fs::Une(kDatos, t));
    EXPECT_EQ(c.cuenta, c.enteros);
    EXPECT_EQ(AbrePrueba(kDatos, t)->TagsDiscrepantes(), QStringList());
  }
  EXPECT_EQ(NombresTags(kDatos, "movtos.dbf"), QStringList({"ICLAVE", "INUMERO", "INOMBRE"}));
  EXPECT_EQ(TextosBitacora().last(), "Reindexado Total 08/12/2026  10:15:00");
  EXPECT_EQ(Verifica().reparadas, QStringList());
}

TEST_F(Verificacion, UnaBanderaDeIndiceSinSuMdxSeQuitaSoloEnSusBytesYLaTablaAbre) {
  CreaTablaPrueba(kDatos, "cliente.dbf", kCampos, {{"ICLAVE", "CLAVE"}, {"INOMBRE", "UPPER(NOMBRE)"}}, Filas("C", 3));
  fs::BorraArchivo(fs::Une(kDatos, "cliente.mdx"));
  const QByteArray antes = Bytes(fs::Une(kDatos, "cliente.dbf"));
  const Resultado r = Verifica();
  EXPECT_EQ(r.noAbren, QStringList{"cliente.dbf"});
  const QByteArray despues = Bytes(fs::Une(kDatos, "cliente.dbf"));
  ASSERT_EQ(despues.size(), antes.size());
  QList<int> cambiados;
  for (int i = 0; i < antes.size(); ++i)
    if (antes[i] != despues[i]) cambiados << i;
  EXPECT_EQ(cambiados, QList<int>({28, 32 + 31}));
  EXPECT_EQ(ValoresVivos(kDatos, "cliente.dbf"), QStringList({"C1", "C2", "C3"}));
}

TEST_F(Verificacion, LaLimpiezaDeBanderasSigueLaDisposicionDeLaVersionYNoPasaDeLaCabecera) {
  struct Caso {
    const char* nombre;
    unsigned char version;
    int cabecera, descriptor, bandera;
  };
  const Caso casos[] = {{"clasica.dbf", 0x03, 32, 32, 31}, {"nivel7.dbf", 0x8C, 68, 48, 37}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    // Two descriptors with their flag set, the terminator, and records
    // whose bytes hold 1 at the places a walk past the header would touch.
    const int longCabecera = c.cabecera + 2 * c.descriptor + 1;
    QByteArray b(longCabecera, '\0');
    b[0] = static_cast<char>(c.version);
    b[8] = static_cast<char>(longCabecera & 0xFF);
    b[9] = static_cast<char>(longCabecera >> 8);
    b[28] = 1;
    for (int d = 0; d < 2; ++d) b[c.cabecera + d * c.descriptor + c.bandera] = 1;
    b[longCabecera - 1] = 0x0D;
    b += QByteArray(3 * c.descriptor, '\1');
    EscribeArchivo(fs::Une(kDatos, c.nombre), b);
    EscribeArchivo(fs::Une(kDatos, QString(c.nombre).replace(".dbf", ".mdx")), "indice");
    ASSERT_TRUE(db::QuitaIndiceProduccion(kDatos, c.nombre));
    QByteArray esperado = b;
    esperado[28] = 0;
    for (int d = 0; d < 2; ++d) esperado[c.cabecera + d * c.descriptor + c.bandera] = 0;
    EXPECT_EQ(Bytes(fs::Une(kDatos, c.nombre)), esperado);
    EXPECT_FALSE(fs::Existe(fs::Une(kDatos, QString(c.nombre).replace(".dbf", ".mdx"))));
  }
}

TEST_F(Verificacion, RegistrosConLetrasEnUnCampoNumericoSeBorranYCompletaCopiaAntesATempo) {
  CreaTablaPrueba(kDatos, "precios.dbf", kCampos, kTags, Filas("P", 6));
  QByteArray b = Bytes(fs::Une(kDatos, "precios.dbf"));
  const CabeceraDbf c = LeeCabecera(fs::Une(kDatos, "precios.dbf"));
  for (int n : {2, 3, 5}) b.replace(c.longCabecera + (n - 1) * c.longRegistro + 1 + 12, 8, "  12ab34");
  EscribeArchivo(fs::Une(kDatos, "precios.dbf"), b);
  const Resultado r = Verifica("BitBtn3");
  EXPECT_EQ(Bytes(fs::Une(kDatos, "tempo\\precios.dbf")), b);
  EXPECT_EQ(r.errores, "La Tabla Tenia Errores");
  EXPECT_EQ(ValoresVivos(kDatos, "precios.dbf"), QStringList({"P1", "P4", "P6"}));
  EXPECT_EQ(ValoresPorTag(kDatos, "precios.dbf", "INUMERO"), QStringList({"P1", "P4", "P6"}));
  EXPECT_EQ(Verifica().errores, "");
}

TEST_F(Verificacion, ElLectorDeBytesCompletaElUltimoRegistroCortado) {
  struct Caso {
    QByteArray registros;  // after the header: 59-byte text field, then a 5-byte number
    QStringList mensajes;
    QByteArray agregado;
  };
  const QByteArray r1 = " " + QByteArray(59, 'a') + "  -12";
  const Caso casos[] = {
      {r1 + r1, {"el registro tuvo error 2"}, "\x1A"},
      {r1 + r1 + "\x1A", {}, ""},
      {r1 + " " + QByteArray(59, 'b') + " 3x", {"el registro tuvo error 2", "error N x"}, "  \x1A"},
  };
  for (const Caso& c : casos) {
    ui::PuertaModal::LimpiaMensajes();
    db::Tabla::Crea(kDatos, "crudo.dbf", {{"TEXTO", 'C', 59, 0}, {"CANTI", 'N', 5, 0}});
    const QByteArray cabecera = Bytes(fs::Une(kDatos, "crudo.dbf")).chopped(1);
    EscribeArchivo(fs::Une(kDatos, "crudo.dbf"), cabecera + c.registros);
    TFormaVerificaRegistros v;
    v.RevisaRegistrosCrudos(fs::Une(kDatos, "crudo.dbf"));
    EXPECT_EQ(Mensajes(), c.mensajes);
    EXPECT_EQ(Bytes(fs::Une(kDatos, "crudo.dbf")), cabecera + c.registros + c.agregado);
  }
}

TEST_F(Verificacion, ValidaCaracterCampoPorTipo) {
  struct Caso {
    char caracter;
    char tipo;
    int resultado;
    const char* mensaje;
  };
  const Caso casos[] = {{'-', 'N', 1, nullptr}, {'.', 'F', 1, nullptr}, {'a', 'N', 0, "error N a"},
                        {'/', 'D', 1, nullptr}, {'x', 'D', 0, "error D  x"}, {'~', 'C', 1, nullptr},
                        {'T', 'L', 0, nullptr}};
  for (const Caso& c : casos) {
    ui::PuertaModal::LimpiaMensajes();
    EXPECT_EQ(ValidaCaracterCampo(c.caracter, QChar(c.tipo)), c.resultado) << c.caracter << c.tipo;
    EXPECT_EQ(Mensajes(), c.mensaje ? QStringList{c.mensaje} : QStringList());
  }
}
