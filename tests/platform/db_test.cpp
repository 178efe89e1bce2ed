// The dBASE table layer inside one process: file bytes, values, errors,
// navigation, editing, events, filters, locate and table operations.

#include "db_comun.h"

#include <QSignalSpy>

using db::Tabla;
using plat::Clase;

namespace {

quint32 U32(const QByteArray& b, int pos) {
  return static_cast<quint8>(b[pos]) | (static_cast<quint8>(b[pos + 1]) << 8) |
         (static_cast<quint8>(b[pos + 2]) << 16) | (static_cast<quint32>(static_cast<quint8>(b[pos + 3])) << 24);
}
int U16(const QByteArray& b, int pos) { return static_cast<quint8>(b[pos]) | (static_cast<quint8>(b[pos + 1]) << 8); }

}  // namespace

// --- File bytes.

TEST_F(PruebaTabla, ElArchivoTieneLosBytesDeDbase) {
  CreaClientes();
  {
    auto t = Abre("clientes");  // no extension, other case
    t->Append();
    t->FieldByName("NOMBRE").SetAsString("Café Ñandú");
    t->FieldByName("NUMERO").SetAsString("57");
    t->FieldByName("SALDO").SetAsFloat(1234.5);
    t->FieldByName("ALTA").SetAsString("05/03/2024");
    t->FieldByName("ACTIVO").SetAsBoolean(true);
    t->Post();
    t->Append();
    t->FieldByName("SALDO").SetAsFloat(-2.675);
    t->Post();
    t->Delete();
  }
  const QByteArray b = Bytes("CLIENTES.DBF");
  const int hl = 32 + 5 * 32 + 1, rl = 1 + 20 + 6 + 10 + 8 + 1;
  EXPECT_EQ(static_cast<quint8>(b[0]), 0x03);
  EXPECT_EQ(static_cast<quint8>(b[1]), 124);  // 2024
  EXPECT_EQ(static_cast<quint8>(b[2]), 3);
  EXPECT_EQ(static_cast<quint8>(b[3]), 5);
  EXPECT_EQ(U32(b, 4), 2u);
  EXPECT_EQ(U16(b, 8), hl);
  EXPECT_EQ(U16(b, 10), rl);
  EXPECT_EQ(static_cast<quint8>(b[28]), 0);
  EXPECT_EQ(static_cast<quint8>(b[29]), 0x57);
  EXPECT_EQ(b.mid(32, 11), QByteArray("NOMBRE\0\0\0\0\0", 11));
  EXPECT_EQ(b[32 + 11], 'C');
  EXPECT_EQ(static_cast<quint8>(b[32 + 16]), 20);
  EXPECT_EQ(b[64 + 11], 'N');
  EXPECT_EQ(b[96 + 11], 'N');
  EXPECT_EQ(static_cast<quint8>(b[96 + 16]), 10);
  EXPECT_EQ(static_cast<quint8>(b[96 + 17]), 2);
  EXPECT_EQ(b[hl - 1], '\x0D');
  EXPECT_EQ(b.mid(hl, rl), QByteArray(" Caf\xE9 \xD1\x61nd\xFA          ") + "    57" + "   1234.50" + "20240305" + "T");
  EXPECT_EQ(b.mid(hl + rl, rl), QByteArray("*") + QByteArray(26, ' ') + "     -2.68" + QByteArray(9, ' '));
  EXPECT_EQ(b.size(), hl + 2 * rl + 1);
  EXPECT_EQ(b.back(), '\x1A');
}

TEST_F(PruebaTabla, ValoresGuardadosYLeidos) {
  db::Tabla::Crea(kDatos, "VALORES.DBF",
                  {{"TEXTO", 'C', 10, 0}, {"ENTERO", 'N', 8, 0}, {"GRANDE", 'N', 19, 0}, {"IMPORTE", 'N', 12, 4},
                   {"REAL", 'F', 12, 3}, {"FECHA", 'D', 8, 0}, {"LOGICO", 'L', 1, 0}, {"NOTA", 'M', 10, 0}});
  struct Caso {
    const char* campo;
    QVariant valor;  // set through SetValue (a QString goes through the text rules)
    const char* texto;  // AsString afterwards
    bool nulo;
  };
  const Caso casos[] = {
      {"TEXTO", QString("  con lado"), "  con lado", false},
      {"TEXTO", QString("fin   "), "fin", false},
      {"TEXTO", QString(""), "", true},
      {"TEXTO", QString("Año €"), "Año €", false},
      {"ENTERO", QString("-1234567"), "-1234567", false},
      {"ENTERO", QString(" 12 "), "12", false},
      {"ENTERO", QString("12.5"), "13", false},
      {"ENTERO", 0, "0", false},
      {"ENTERO", QString(""), "", true},
      {"ENTERO", QVariant(), "", true},
      {"GRANDE", QString("-1234567890123"), "-1234567890123", false},
      {"IMPORTE", QString("1234.5"), "1234.5", false},
      {"IMPORTE", 0.00005, "0.0001", false},
      {"IMPORTE", -0.00004, "0", false},
      {"REAL", 2.0005, "2.001", false},
      {"REAL", QString("-.5"), "-0.5", false},
      {"FECHA", QString("29/02/2024"), "29/02/2024", false},
      {"FECHA", QDate(1999, 12, 31), "31/12/1999", false},
      {"FECHA", QString(""), "", true},
      {"LOGICO", QString("F"), "False", false},
      {"LOGICO", true, "True", false},
      {"LOGICO", QVariant(), "", true},
      {"NOTA", QString("línea 1\r\nlínea 2"), "línea 1\r\nlínea 2", false},
      {"NOTA", QString(""), "", true},
  };
  auto t = Abre("VALORES.DBF");
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.campo) + " <- " + c.valor.toString().toStdString());
    t->Append();
    t->FieldByName(c.campo).SetValue(c.valor);
    t->Post();
    const qint64 n = t->RecNo();
    t->Close();
    t->Open();
    t->First();
    t->MoveBy(static_cast<int>(n - 1));
    ASSERT_EQ(t->RecNo(), n);
    EXPECT_EQ(t->FieldByName(c.campo).AsString(), QString::fromUtf8(c.texto));
    EXPECT_EQ(t->FieldByName(c.campo).IsNull(), c.nulo);
  }
  // Typed readers.
  t->Append();
  t->FieldByName("ENTERO").SetAsInteger(42);
  t->FieldByName("IMPORTE").SetAsString("0.1");
  t->FieldByName("FECHA").SetAsDate(QDate(2024, 3, 5));
  t->FieldByName("TEXTO").SetAsString("77");
  t->FieldByName("NOTA").SetAsString("nota");
  t->Post();
  EXPECT_EQ(t->FieldByName("ENTERO").Value(), QVariant::fromValue<qint64>(42));
  EXPECT_EQ(t->FieldByName("ENTERO").AsFloat(), 42.0);
  EXPECT_DOUBLE_EQ(t->FieldByName("IMPORTE").AsFloat(), 0.1);
  EXPECT_EQ(t->FieldByName("IMPORTE").AsInteger(), 0);
  EXPECT_EQ(t->FieldByName("FECHA").AsDate(), QDate(2024, 3, 5));
  EXPECT_EQ(t->FieldByName("TEXTO").AsInteger(), 77);
  EXPECT_FALSE(t->FieldByName("LOGICO").AsBoolean());
  EXPECT_FALSE(t->FieldByName("FECHA").AsDate().isNull());
  EXPECT_EQ(t->FieldByName("GRANDE").AsInteger(), 0);
  EXPECT_EQ(t->FieldByName("grande").Tipo(), db::TipoDato::Flotante);
  EXPECT_EQ(t->FieldByName("ENTERO").Tipo(), db::TipoDato::Entero);
  EXPECT_EQ(t->FieldByName("REAL").Tipo(), db::TipoDato::Flotante);
  EXPECT_EQ(ErrorDe([&] { t->FieldByName("NOTA").AsInteger(); }).first, Clase::Conversion);
}

TEST_F(PruebaTabla, UnValorQueNoCabeNombraTablaYCampoYNoTocaElArchivo) {
  CreaClientes();
  auto t = Abre("CLIENTES.DBF");
  Agrega(*t, {{"Ana", 1}});
  const QByteArray antes = Bytes("CLIENTES.DBF");
  struct Caso {
    const char* campo;
    QVariant valor;
    Clase clase;
  };
  const Caso casos[] = {
      {"NUMERO", 1234567, Clase::NoCabe},
      {"NUMERO", QString("-123456"), Clase::NoCabe},
      {"NUMERO", QString("12a"), Clase::Conversion},
      {"SALDO", 12345678.0, Clase::NoCabe},
      {"SALDO", QString("1,5"), Clase::Conversion},
      {"ALTA", QString("31/02/2024"), Clase::Conversion},
      {"ALTA", QString("2024-03-05"), Clase::Conversion},
      {"ACTIVO", QString("quizá"), Clase::Conversion},
  };
  t->Edit();
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.campo);
    const auto [clase, mensaje] = ErrorDe([&] { t->FieldByName(c.campo).SetValue(c.valor); });
    EXPECT_EQ(clase, c.clase);
    EXPECT_TRUE(mensaje.contains(c.campo)) << mensaje.toStdString();
    EXPECT_TRUE(mensaje.contains("CLIENTES.DBF")) << mensaje.toStdString();
  }
  EXPECT_EQ(t->FieldByName("NOMBRE").AsString(), "Ana");
  t->Cancel();
  EXPECT_EQ(Bytes("CLIENTES.DBF"), antes);
  EXPECT_EQ(ErrorDe([&] { t->FieldByName("NOMBRE").SetAsString("x"); }).first, Clase::Estado);
  EXPECT_EQ(ErrorDe([&] { t->FieldByName("NADA"); }).second, "Campo NADA no encontrado en CLIENTES.DBF");
  EXPECT_EQ(t->FindField("nada"), nullptr);
}

TEST_F(PruebaTabla, UnTextoLargoSeCortaAlAnchoDelCampoYUnNumeroQueNoCabeNo) {
  // The routines copy long descriptions into narrow work fields, in both
  // kinds of table.
  const QString sesenta = QStringLiteral("Añejo «Reserva» ") + QString(44, u'x');
  ASSERT_EQ(sesenta.size(), 60);
  for (const QString& archivo : {QStringLiteral("CORTO.DBF"), QStringLiteral("corto.db")}) {
    SCOPED_TRACE(archivo.toStdString());
    const bool paradox = archivo.endsWith(".db");
    Tabla::Crea(kDatos, archivo, {{"DESCR", paradox ? 'A' : 'C', 25, 0}, {"CANT", paradox ? 'S' : 'N', 3, 0}});
    auto t = Abre(archivo);
    t->Append();
    t->FieldByName("DESCR").SetAsString(sesenta);
    EXPECT_EQ(t->FieldByName("DESCR").AsString(), sesenta.left(25));
    const auto [clase, mensaje] = ErrorDe([&] { t->FieldByName("CANT").SetAsInteger(paradox ? 40000 : 1000); });
    EXPECT_EQ(clase, Clase::NoCabe);
    EXPECT_TRUE(mensaje.contains("CANT") && mensaje.contains(archivo)) << mensaje.toStdString();
    t->Post();
    t->Close();
    t = Abre(archivo);
    EXPECT_EQ(t->FieldByName("DESCR").AsString(), sesenta.left(25));
    EXPECT_TRUE(t->FieldByName("CANT").IsNull());
  }
}

TEST_F(PruebaTabla, UnaCarpetaEnFormaPosixSinBarraFinalAbreSusTablas) {
  QString posix = fs::Local(kDatos);
  while (posix.endsWith(u'/')) posix.chop(1);
  Tabla::Crea(posix, "T.DBF", {{"NOMBRE", 'C', 10, 0}});
  EXPECT_TRUE(QFile::exists(posix + "/T.DBF"));
  EXPECT_TRUE(Tabla::Existe(posix, "T.DBF"));
  db::Tabla t;
  t.SetCarpeta(posix);
  t.SetNombreTabla("T.DBF");
  t.Open();
  t.Append();
  t.FieldByName("NOMBRE").SetAsString("Ana");
  t.Post();
  t.Close();
  auto porUnidad = Abre("T.DBF");
  EXPECT_EQ(porUnidad->FieldByName("NOMBRE").AsString(), "Ana");
}

// --- Memos.

TEST_F(PruebaTabla, MemosDeAmbosFormatos) {
  // A dBASE III memo file (text ended by 0x1A) and a dBASE IV one (block
  // header), both 512-byte blocks; record 1 points to block 1, record 2 to 2.
  auto dbf = [](quint8 version) {
    QByteArray b(32, '\0');
    b[0] = static_cast<char>(version);
    b[4] = 2;
    b[8] = 32 + 32 + 1;
    b[10] = 11;
    QByteArray d(32, '\0');
    d.replace(0, 4, "NOTA");
    d[11] = 'M';
    d[16] = 10;
    return b + d + "\x0D" + " " + "         1" + " " + "         2" + "\x1A";
  };
  QByteArray iii(512, '\0');
  iii[0] = 4;
  iii[16] = 3;
  QByteArray bloque1 = fs::ACp1252(QString::fromUtf8("Señal ")) + QByteArray(600, 'x') + "\x1A\x1A";
  bloque1.append(QByteArray(1024 - bloque1.size(), '\0'));
  QByteArray bloque2 = QByteArray("corta\x1A\x1A");
  bloque2.append(QByteArray(512 - bloque2.size(), '\0'));
  Escribe("M3.DBF", dbf(0x83));
  Escribe("M3.DBT", iii + bloque1.left(512) + bloque1.mid(512));
  // Rewrite record 2 of the III file to point to block 3 (after the long memo).
  QByteArray m3 = Bytes("M3.DBF");
  m3.replace(65 + 11, 11, QByteArray(" ") + "         3");
  Escribe("M3.DBF", m3);
  EscribeBytes(fs::Une(kDatos, "M3.DBT"), Bytes("M3.DBT") + bloque2);

  QByteArray iv(512, '\0');
  iv[0] = 3;
  iv[20] = 0;
  iv[21] = 2;  // block length 512
  auto bloqueIV = [](const QByteArray& texto) {
    QByteArray b("\xFF\xFF\x08\x00", 4);
    const quint32 n = static_cast<quint32>(texto.size() + 8);
    for (int i = 0; i < 4; ++i) b.append(static_cast<char>((n >> (8 * i)) & 0xFF));
    b += texto;
    b.append(QByteArray(512 - b.size(), '\0'));
    return b;
  };
  Escribe("M4.DBF", dbf(0x8B));
  Escribe("M4.DBT", iv + bloqueIV("uno\x1A con 1A") + bloqueIV(fs::ACp1252(QString::fromUtf8("dós"))));

  auto t3 = Abre("M3.DBF");
  EXPECT_EQ(t3->FieldByName("NOTA").AsString(), QString::fromUtf8("Señal ") + QString(600, 'x'));
  t3->Next();
  EXPECT_EQ(t3->FieldByName("NOTA").AsString(), "corta");
  auto t4 = Abre("M4.DBF");
  EXPECT_EQ(t4->FieldByName("NOTA").AsString(), QString("uno\x1A con 1A"));
  t4->Next();
  EXPECT_EQ(t4->FieldByName("NOTA").AsString(), QString::fromUtf8("dós"));

  // Writing keeps each file's own layout, and other records' memos intact.
  for (auto* t : {t3.get(), t4.get()}) {
    t->First();
    t->Edit();
    t->FieldByName("NOTA").SetAsString(QString::fromUtf8("nueva ñ"));
    EXPECT_EQ(t->FieldByName("NOTA").AsString(), QString::fromUtf8("nueva ñ"));
    t->Post();
    t->Append();
    t->FieldByName("NOTA").SetAsString(QString(1500, 'z'));
    t->Post();
    t->Close();
    t->Open();
    EXPECT_EQ(Columna(*t, "NOTA"), QStringList({QString::fromUtf8("nueva ñ"), t == t3.get() ? "corta" : QString::fromUtf8("dós"), QString(1500, 'z')}));
  }
  EXPECT_TRUE(Bytes("M4.DBT").contains(QByteArray("\xFF\xFF\x08\x00\x0F\x00\x00\x00nueva \xF1", 15)));
  EXPECT_TRUE(Bytes("M3.DBT").contains(QByteArray("nueva \xF1\x1A\x1A")));

  // Packing keeps each file's layout and every memo whole, and drops the
  // replaced ones.
  for (auto* t : {t3.get(), t4.get()}) {
    const QStringList antes = Columna(*t, "NOTA");
    t->Close();
    t->SetExclusive(true);
    t->Open();
    t->Pack();
    EXPECT_EQ(Columna(*t, "NOTA"), antes);
  }
  EXPECT_EQ(Bytes("M3.DBT").size(), 512 * (1 + 1 + 1 + 3));
  EXPECT_TRUE(Bytes("M4.DBT").startsWith(iv.left(4).replace(0, 1, "\x06")));
  EXPECT_EQ(Bytes("M4.DBT").size(), 512 * (1 + 1 + 1 + 3));
}

TEST_F(PruebaTabla, EmpacarDevuelveElEspacioDeLosMemosCambiados) {
  Tabla::Crea(kDatos, "NOTAS.DBF", {{"CLAVE", 'N', 4, 0}, {"NOTA", 'M', 10, 0}});
  // Lengths across block edges: one block holds 510 bytes of text.
  auto texto = [](int fila, int vuelta) {
    const int largo = (fila * 37 + vuelta * 11) % 1500;
    return QStringLiteral("%1-%2|").arg(fila).arg(vuelta).leftJustified(largo, QChar(u'a' + fila % 26));
  };
  auto t = Abre("NOTAS.DBF");
  for (int fila = 1; fila <= 100; ++fila) {
    t->Append();
    t->FieldByName("CLAVE").SetAsInteger(fila);
    t->Post();
  }
  for (int vuelta = 1; vuelta <= 100; ++vuelta) {
    int fila = 1;
    for (t->First(); !t->Eof(); t->Next(), ++fila) {
      t->Edit();
      t->FieldByName("NOTA").SetAsString(texto(fila, vuelta));
      t->Post();
    }
  }
  t->Last();
  t->Delete();  // its memo goes too
  const qint64 antes = Bytes("NOTAS.DBT").size();
  t->Close();
  Tabla cerrada;
  cerrada.SetCarpeta(kDatos);
  cerrada.SetNombreTabla("NOTAS.DBF");
  cerrada.Pack();

  qint64 vivos = 512;
  for (int fila = 1; fila < 100; ++fila) vivos += (fs::ACp1252(texto(fila, 100)).size() + 2 + 511) / 512 * 512;
  EXPECT_EQ(Bytes("NOTAS.DBT").size(), vivos) << "antes " << antes;
  EXPECT_GT(antes, 20 * vivos);
  t = Abre("NOTAS.DBF");
  int fila = 1;
  for (t->First(); !t->Eof(); t->Next(), ++fila) {
    ASSERT_EQ(t->FieldByName("CLAVE").AsInteger(), fila);
    ASSERT_EQ(t->FieldByName("NOTA").AsString(), texto(fila, 100)) << fila;
  }
  EXPECT_EQ(fila, 100);
  // Memos written after the pack take the blocks after the live ones.
  t->First();
  t->Edit();
  t->FieldByName("NOTA").SetAsString("otra");
  t->Post();
  EXPECT_EQ(Bytes("NOTAS.DBT").size(), vivos + 512);
}

// --- Opening errors and damaged files.

TEST_F(PruebaTabla, ArchivosQueNoSeAbren) {
  CreaClientes();
  const QByteArray bueno = Bytes("CLIENTES.DBF");
  struct Caso {
    const char* nombre;
    QByteArray bytes;
    Clase clase;
    const char* enMensaje;
  };
  QByteArray tipoRaro = bueno;
  tipoRaro[32 + 11] = 'X';
  QByteArray largoMal = bueno;
  largoMal[10] = 60;
  QByteArray sinFin = bueno;
  sinFin[32 + 5 * 32] = ' ';
  QByteArray conIndice = bueno;
  conIndice[28] = 1;
  const Caso casos[] = {
      {"VACIO.DBF", QByteArray(), Clase::Corrupto, "VACIO.DBF"},
      {"CORTO.DBF", bueno.left(100), Clase::Corrupto, "CORTO.DBF"},
      {"TEXTO.DBF", QByteArray("Esto no es una tabla, es un texto cualquiera que ocupa bastante más de un encabezado.\r\n").repeated(4),
       Clase::Corrupto, "TEXTO.DBF"},
      {"TIPO.DBF", tipoRaro, Clase::Corrupto, "NOMBRE"},
      {"LARGO.DBF", largoMal, Clase::Corrupto, "LARGO.DBF"},
      {"SINFIN.DBF", sinFin, Clase::Corrupto, "SINFIN.DBF"},
      {"CONIDX.DBF", conIndice, Clase::NoExiste, "CONIDX.mdx"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    Escribe(c.nombre, c.bytes);
    const auto [clase, mensaje] = ErrorDe([&] { Abre(c.nombre); });
    EXPECT_EQ(clase, c.clase);
    EXPECT_TRUE(mensaje.contains(c.enMensaje, Qt::CaseInsensitive)) << mensaje.toStdString();
  }
  EXPECT_EQ(ErrorDe([&] { Abre("NOESTA.DBF"); }).first, Clase::NoExiste);
  // A memo table without its memo file.
  db::Tabla::Crea(kDatos, "CONMEMO.DBF", {{"NOTA", 'M', 10, 0}});
  QFile::remove(fs::Local(fs::Une(kDatos, "CONMEMO.dbt")));
  EXPECT_EQ(ErrorDe([&] { Abre("CONMEMO.DBF"); }), std::make_pair(Clase::NoExiste, QString("Falta el archivo de memos CONMEMO.DBT de la tabla CONMEMO.DBF")));
}

TEST_F(PruebaTabla, UnEscritorInterrumpidoDejaLasFilasEnterasLegibles) {
  CreaClientes();
  {
    auto t = Abre("CLIENTES.DBF");
    Agrega(*t, {{"uno", 1}, {"dos", 2}, {"tres", 3}});
  }
  const int rl = 46;
  // Header count one short (the writer died before updating it) and half a
  // record after the last whole one, without the end mark.
  QByteArray b = Bytes("CLIENTES.DBF");
  b[4] = 2;
  b.chop(1);
  b += QByteArray(" cua").append(QByteArray(rl / 2 - 4, ' '));
  Escribe("CLIENTES.DBF", b);
  auto t = Abre("CLIENTES.DBF");
  EXPECT_EQ(t->RecordCount(), 3);
  EXPECT_EQ(Columna(*t, "NOMBRE"), QStringList({"uno", "dos", "tres"}));
  Agrega(*t, {{"cuatro", 4}});
  EXPECT_EQ(t->RecNo(), 4);
  t->Close();
  const QByteArray d = Bytes("CLIENTES.DBF");
  EXPECT_EQ(static_cast<quint8>(d[4]), 4);
  EXPECT_EQ(d.size(), 193 + 4 * rl + 1);
  EXPECT_EQ(d.back(), '\x1A');
  t->Open();
  EXPECT_EQ(Columna(*t, "NOMBRE"), QStringList({"uno", "dos", "tres", "cuatro"}));
  t->Close();
  // A header that counts more records than the file holds (a cut copy).
  QByteArray cortado = Bytes("CLIENTES.DBF");
  cortado.chop(rl / 2 + 1);
  Escribe("CLIENTES.DBF", cortado);
  t->Open();
  EXPECT_EQ(Columna(*t, "NOMBRE"), QStringList({"uno", "dos", "tres"}));
}

TEST_F(PruebaTabla, UnCampoIlegibleDaErrorAlLeerlo) {
  CreaClientes();
  {
    auto t = Abre("CLIENTES.DBF");
    Agrega(*t, {{"uno", 1}});
  }
  QByteArray b = Bytes("CLIENTES.DBF");
  b.replace(193 + 21, 6, "  1x2 ");
  b.replace(193 + 37, 8, "20241399");
  Escribe("CLIENTES.DBF", b);
  auto t = Abre("CLIENTES.DBF");
  EXPECT_EQ(t->FieldByName("NOMBRE").AsString(), "uno");
  for (const char* campo : {"NUMERO", "ALTA"}) {
    const auto [clase, mensaje] = ErrorDe([&] { t->FieldByName(campo).AsString(); });
    EXPECT_EQ(clase, Clase::Conversion);
    EXPECT_TRUE(mensaje.contains(campo) && mensaje.contains("CLIENTES.DBF")) << mensaje.toStdString();
  }
}

TEST_F(PruebaTabla, BytesAlteradosDanErroresNuncaUnaCaida) {
  db::Tabla::Crea(kDatos, "BASE.DBF", {{"NOMBRE", 'C', 6, 0}, {"NUMERO", 'N', 5, 1}, {"ALTA", 'D', 8, 0},
                                       {"ACTIVO", 'L', 1, 0}, {"NOTA", 'M', 10, 0}});
  {
    auto t = Abre("BASE.DBF");
    for (int i = 0; i < 2; ++i) {
      t->Append();
      t->FieldByName("NOMBRE").SetAsString("fila");
      t->FieldByName("NUMERO").SetAsFloat(i + 0.5);
      t->FieldByName("ALTA").SetAsDate(QDate(2024, 1, 1 + i));
      t->FieldByName("ACTIVO").SetAsBoolean(true);
      t->FieldByName("NOTA").SetAsString("memo");
      t->Post();
    }
  }
  const QByteArray dbf = Bytes("BASE.DBF"), dbt = Bytes("BASE.DBT");
  int abiertas = 0, rechazadas = 0;
  auto prueba = [&](const QByteArray& d, const QByteArray& m) {
    Escribe("ALTERADA.DBF", d);
    Escribe("ALTERADA.DBT", m);
    try {
      auto t = Abre("ALTERADA.DBF");
      ++abiertas;
      for (t->First(); !t->Eof(); t->Next()) {
        for (int i = 0; i < t->FieldCount(); ++i) {
          try {
            t->Fields(i).AsString();
          } catch (const plat::Error& e) {
            EXPECT_EQ(e.clase(), Clase::Conversion) << e.mensaje().toStdString();
          }
        }
      }
    } catch (const plat::Error& e) {
      ++rechazadas;
      EXPECT_TRUE(e.clase() == Clase::Corrupto || e.clase() == Clase::NoExiste) << e.mensaje().toStdString();
    }
  };
  for (int pos = 0; pos < dbf.size(); ++pos) {
    for (char v : {'\0', '\xFF', '*', '9', ' '}) {
      QByteArray d = dbf;
      d[pos] = v;
      prueba(d, dbt);
    }
  }
  // Memo blocks that lie about their place or length.
  QByteArray d = dbf;
  d.replace(d.size() - 1 - 10, 10, "    999999");
  prueba(d, dbt);
  prueba(dbf, dbt.left(512));
  EXPECT_GT(abiertas, 0);
  EXPECT_GT(rechazadas, 0);
}
