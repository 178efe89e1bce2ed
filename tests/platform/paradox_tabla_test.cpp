// Paradox capture tables through the dataset API: two cursors of one
// window on one file, inserting before the current row, deleting, packing,
// copying the template, local SQL, other stations and damaged files.

#include "paradox_comun.h"

#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "support/Proceso.h"
#include "support/RaizPrueba.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <functional>
#include <memory>

using db::Tabla;
using db::TipoDato;
using plat::Clase;
using prueba::ProcesoHijo;

namespace {

const QString kVrl = QStringLiteral("C:\\VRL");
const QString kDeta = QStringLiteral("deta.db");
const QString kPlantilla = QStringLiteral("DetaCR.db");

QString En(const QString& archivo) { return fs::Une(kVrl, archivo); }

std::pair<Clase, QString> ErrorDe(const std::function<void()>& operacion) {
  const plat::Error e = Falla(operacion);
  return {e.clase(), e.mensaje()};
}

std::unique_ptr<Tabla> Abre(const QString& nombre, bool exclusiva = false) {
  auto t = std::make_unique<Tabla>();
  t->SetCarpeta(kVrl);
  t->SetNombreTabla(nombre);
  t->SetExclusive(exclusiva);
  t->Open();
  return t;
}

void PonFila(Tabla& t, const Fila& f) {
  for (int i = 0; i < f.size(); ++i) t.Fields(i).SetValue(f[i]);
}

Fila FilaActual(const Tabla& t) {
  Fila f(t.FieldCount());
  for (int i = 0; i < f.size(); ++i) f[i] = t.Fields(i).Value();
  return f;
}

QVector<Fila> Filas(Tabla& t) {
  QVector<Fila> filas;
  for (t.First(); !t.Eof(); t.Next()) filas << FilaActual(t);
  return filas;
}

QStringList Claves(Tabla& t) {
  QStringList claves;
  for (t.First(); !t.Eof(); t.Next()) claves << t.FieldByName("CLAVE").AsString();
  return claves;
}

QStringList Numeradas(const QString& prefijo, int desde, int hasta) {
  QStringList claves;
  for (int i = desde; i <= hasta; ++i) claves << prefijo + QString::number(i);
  return claves;
}

QStringList ClavesPx(const QString& archivo) {
  const LecturaPx px = LeePx(En(archivo));
  EXPECT_TRUE(px.error.isEmpty()) << px.error.toStdString();
  QStringList claves;
  for (const Fila& f : px.filas) claves << f[1].toString();
  return claves;
}

// A capture table of the given keys, in that order.
void CreaCaptura(const QString& archivo, const QStringList& claves) {
  Tabla::Crea(kVrl, archivo, CamposCaptura());
  auto t = Abre(archivo);
  for (const QString& clave : claves) {
    t->Append();
    PonFila(*t, Linea(1, clave, clave, 1));
    t->Post();
  }
}

// Stands on row n (from 1) by moving from the first row, as a grid does.
void VeAFila(Tabla& t, int n) {
  t.First();
  ASSERT_EQ(t.MoveBy(n - 1), n - 1);
}

}  // namespace

// Another station: holds a table open shared after appending one row to it,
// until the parent says so.
RUTINA_HIJA(TieneLaCaptura) {
  auto t = Abre(argumentos[0]);
  t->Append();
  t->FieldByName("CLAVE").SetAsString(QStringLiteral("DE OTRA"));
  t->Post();
  prueba::AvisaPadre("LISTO");
  prueba::EsperaPadre();
  return 0;
}

// A second station that rewrites lines without end, and every few edits
// inserts a line at the top, so lines move between blocks. Each line
// carries its sequence k: CANTIDAD k, CLAVE "C<k>", PRODUCTO sixty times one
// letter of k.
RUTINA_HIJA(ReescribeLineas) {
  auto t = Abre(kDeta);
  for (int k = 1;; ++k) {
    if (k % 8 == 0) {
      t->First();
      t->Insert();
    } else {
      t->VeARegistro(1 + k % int(t->RecordCount()));
      t->Edit();
    }
    t->FieldByName("CANTIDAD").SetAsFloat(k);
    t->FieldByName("CLAVE").SetAsString(QStringLiteral("C%1").arg(k));
    t->FieldByName("PRODUCTO").SetAsString(QString(60, QChar(u'A' + k % 26)));
    t->Post();
    if (k == 50) prueba::AvisaPadre("EN MARCHA");
  }
}

using ParadoxTablaTest = RaizPrueba;

TEST_F(ParadoxTablaTest, DosCursoresDeLaVentanaSeVenEmpacarConservaElOrdenYOtroLectorLee) {
  Tabla::Crea(kVrl, kDeta, CamposCaptura());
  auto deta = Abre(kDeta);   // the grid and the capture edits
  auto total = Abre(kDeta);  // the totals
  ASSERT_EQ(deta->FieldCount(), 21);
  EXPECT_EQ(deta->FieldByName("PRECIO").Tipo(), TipoDato::Moneda);
  EXPECT_EQ(deta->FieldByName("CANTIDAD").Tipo(), TipoDato::Flotante);
  EXPECT_EQ(deta->FieldByName("CLAVE").Tipo(), TipoDato::Texto);
  EXPECT_EQ(total->RecordCount(), 0);

  QVector<Fila> esperadas;
  for (int i = 1; i <= 12; ++i) {
    Fila f = Linea(i, QStringLiteral("P%1").arg(i), QStringLiteral("Café nº %1 ñandú").arg(i), 10.5 * i);
    if (i % 3 == 0) f[4] = 12.5;
    deta->Append();
    PonFila(*deta, f);
    deta->Post();
    EXPECT_EQ(deta->RecNo(), i);
    esperadas << f;
    // The totals cursor counts the line at once and reaches it at its next move.
    ASSERT_EQ(total->RecordCount(), i);
    total->Last();
    ASSERT_EQ(total->RecNo(), i);
    ASSERT_EQ(FilaActual(*total), f);
  }

  // A totals run: every line rewritten through the totals cursor.
  for (total->First(); !total->Eof(); total->Next()) {
    total->Edit();
    const double importe = total->FieldByName("CANTIDAD").AsFloat() * total->FieldByName("PRECIO").AsFloat() *
                           (1 - total->FieldByName("DESCUENTO").AsFloat() / 100);
    total->FieldByName("IMPORTE").SetAsFloat(importe);
    total->Post();
    esperadas[int(total->RecNo()) - 1][5] = importe;
  }
  // The grid, still on the last line, shows the new amount.
  EXPECT_EQ(deta->RecNo(), 12);
  EXPECT_DOUBLE_EQ(deta->FieldByName("IMPORTE").AsFloat(), 12 * 126 * (1 - 0.125));
  EXPECT_EQ(Filas(*deta), esperadas);
  // A line the grid posts is seen by the totals at their next move, within
  // the rows they have just read too.
  total->First();
  VeAFila(*deta, 2);
  deta->Edit();
  deta->FieldByName("PRODUCTO").SetAsString(QStringLiteral("Cambiada"));
  deta->Post();
  esperadas[1][2] = QStringLiteral("Cambiada");
  total->Next();
  EXPECT_EQ(total->FieldByName("PRODUCTO").AsString(), QStringLiteral("Cambiada"));
  // Blank numbers stay apart from 0.
  EXPECT_FALSE(deta->FieldByName("DESCUENTO").IsNull());
  EXPECT_TRUE(deta->FieldByName("DESCUENTO2").IsNull());
  EXPECT_EQ(deta->FieldByName("DESCUENTO2").AsString(), QString());

  // F6 on the third line: the grid stands on the former fourth one.
  VeAFila(*deta, 3);
  deta->Delete();
  esperadas.removeAt(2);
  EXPECT_EQ(deta->RecNo(), 3);
  EXPECT_EQ(deta->FieldByName("CLAVE").AsString(), QStringLiteral("P4"));
  EXPECT_FALSE(deta->Eof());
  deta->Prior();
  EXPECT_EQ(deta->FieldByName("CLAVE").AsString(), QStringLiteral("P2"));
  // F6 on the last line: it stands on the new last one.
  deta->Last();
  deta->Delete();
  esperadas.removeLast();
  EXPECT_EQ(deta->RecNo(), 10);
  EXPECT_EQ(deta->FieldByName("CLAVE").AsString(), QStringLiteral("P11"));
  EXPECT_TRUE(deta->Eof());
  // A line edited into the middle through the grid, in a block of its own.
  VeAFila(*deta, 5);
  for (int i = 0; i < 3; ++i) {
    deta->Insert();
    const Fila f = Linea(1, QStringLiteral("N%1").arg(i), QStringLiteral("Nueva"), 2);
    PonFila(*deta, f);
    deta->Post();
    esperadas.insert(4, f);
  }
  EXPECT_EQ(total->RecordCount(), 13);
  EXPECT_EQ(Filas(*total), esperadas);

  // Packing needs the table alone.
  deta->Close();
  Tabla empaque;
  empaque.SetCarpeta(kVrl);
  empaque.SetNombreTabla(kDeta);
  const auto e = ErrorDe([&] { empaque.Pack(); });
  EXPECT_EQ(e.first, Clase::EnUso) << e.second.toStdString();
  EXPECT_TRUE(e.second.contains(kDeta)) << e.second.toStdString();
  total->Close();
  const qint64 antes = QFileInfo(fs::Local(En(kDeta))).size();
  empaque.Pack();
  EXPECT_LT(QFileInfo(fs::Local(En(kDeta))).size(), antes);
  EXPECT_EQ(QFileInfo(fs::Local(En(kDeta))).size(), 2048 + 2 * 2048);  // 13 rows, 8 to a block

  deta->Open();
  EXPECT_EQ(Filas(*deta), esperadas);
  const LecturaPx px = LeePx(En(kDeta));
  ASSERT_TRUE(px.error.isEmpty()) << px.error.toStdString();
  EXPECT_EQ(px.nombres, deta->NombresCampos());
  EXPECT_EQ(px.filas, esperadas);
}

TEST_F(ParadoxTablaTest, InsertarPoneLaFilaNuevaAntesDeLaActual) {
  struct Caso {
    int filas;
    int en;  // row stood on; 0: none (empty table)
  };
  const Caso casos[] = {{5, 3}, {5, 1}, {5, 5}, {0, 0}, {8, 8}, {9, 1}};
  for (const Caso& c : casos) {
    const std::string donde = std::to_string(c.filas) + " filas, en " + std::to_string(c.en);
    CreaCaptura(kDeta, Numeradas(QStringLiteral("L"), 1, c.filas));
    auto t = Abre(kDeta);
    if (c.en > 0) VeAFila(*t, c.en);
    t->Insert();
    EXPECT_EQ(t->RecNo(), 0) << donde;
    t->FieldByName("CLAVE").SetAsString(QStringLiteral("NUEVA"));
    t->Post();
    const int fila = c.en > 0 ? c.en : 1;
    EXPECT_EQ(t->RecNo(), fila) << donde;
    EXPECT_EQ(t->FieldByName("CLAVE").AsString(), QStringLiteral("NUEVA")) << donde;
    t->Next();
    EXPECT_EQ(t->FieldByName("CLAVE").AsString(), c.en > 0 ? QStringLiteral("L%1").arg(c.en) : QStringLiteral("NUEVA"))
        << donde;
    QStringList esperadas = Numeradas(QStringLiteral("L"), 1, c.filas);
    esperadas.insert(fila - 1, QStringLiteral("NUEVA"));
    EXPECT_EQ(Claves(*t), esperadas) << donde;
    EXPECT_EQ(ClavesPx(kDeta), esperadas) << donde;
  }

  // A cancelled insert leaves the table and the row stood on as they were.
  CreaCaptura(kDeta, Numeradas(QStringLiteral("L"), 1, 5));
  auto t = Abre(kDeta);
  VeAFila(*t, 4);
  t->Insert();
  t->FieldByName("CLAVE").SetAsString(QStringLiteral("NO"));
  t->Cancel();
  EXPECT_EQ(t->RecNo(), 4);
  EXPECT_EQ(t->FieldByName("CLAVE").AsString(), QStringLiteral("L4"));
  EXPECT_EQ(Claves(*t), Numeradas(QStringLiteral("L"), 1, 5));
}

TEST_F(ParadoxTablaTest, CargarLineasGuardadasInsertandoAntesDeLaActualConservaSuOrden) {
  // The saved lines of a document, read from the last to the first; each is
  // inserted before the current capture row, which is the one inserted last.
  Tabla::Crea(kVrl, QStringLiteral("LINEAS.DBF"), {{"CLPRO", 'C', 20, 0}, {"CANTI", 'N', 8, 2}});
  auto guardadas = Abre(QStringLiteral("LINEAS.DBF"));
  const QStringList claves = Numeradas(QStringLiteral("G"), 1, 10);
  for (int i = 0; i < claves.size(); ++i) {
    guardadas->Append();
    guardadas->FieldByName("CLPRO").SetAsString(claves[i]);
    guardadas->FieldByName("CANTI").SetAsFloat(i + 1.5);
    guardadas->Post();
  }
  CreaCaptura(kDeta, {});
  auto deta = Abre(kDeta);
  for (guardadas->Last(); !guardadas->Bof(); guardadas->Prior()) {
    deta->Insert();
    deta->FieldByName("CLAVE").SetAsString(guardadas->FieldByName("CLPRO").AsString());
    deta->FieldByName("CANTIDAD").SetAsFloat(guardadas->FieldByName("CANTI").AsFloat());
    deta->Post();
    ASSERT_EQ(deta->RecNo(), 1);
  }
  EXPECT_EQ(Claves(*deta), claves);
  VeAFila(*deta, 4);
  EXPECT_EQ(deta->FieldByName("CANTIDAD").AsFloat(), 4.5);
  EXPECT_EQ(ClavesPx(kDeta), claves);
}

TEST_F(ParadoxTablaTest, BorrarEditarYVaciarFilaPorFila) {
  CreaCaptura(kDeta, Numeradas(QStringLiteral("L"), 1, 5));
  auto t = Abre(kDeta);
  VeAFila(*t, 2);
  t->Edit();
  t->FieldByName("CLAVE").SetAsString(QStringLiteral("CAMBIADA"));
  t->FieldByName("DESCUENTO").Clear();
  t->Post();
  EXPECT_EQ(t->RecNo(), 2);
  VeAFila(*t, 3);
  t->Edit();
  t->FieldByName("CLAVE").SetAsString(QStringLiteral("NO"));
  t->Cancel();
  EXPECT_EQ(Claves(*t), (QStringList{"L1", "CAMBIADA", "L3", "L4", "L5"}));
  VeAFila(*t, 2);
  EXPECT_TRUE(t->FieldByName("DESCUENTO").IsNull());

  // Emptying the capture as the sale screen does: first row, delete until empty.
  t->First();
  int borradas = 0;
  while (!t->IsEmpty()) {
    ASSERT_EQ(t->RecNo(), 1);
    t->Delete();
    ++borradas;
  }
  EXPECT_EQ(borradas, 5);
  EXPECT_TRUE(t->Eof() && t->Bof());
  EXPECT_EQ(t->RecordCount(), 0);
  EXPECT_TRUE(ClavesPx(kDeta).isEmpty());

  // EmptyTable needs exclusive use; on a closed table it takes it.
  t->Append();
  t->FieldByName("CLAVE").SetAsString(QStringLiteral("OTRA"));
  t->Post();
  EXPECT_EQ(ErrorDe([&] { t->EmptyTable(); }).first, Clase::EnUso);
  t->Close();
  t->EmptyTable();
  t->Open();
  EXPECT_TRUE(t->IsEmpty());
}

TEST_F(ParadoxTablaTest, EdicionDeUnCursorBloqueaLoQueMoveriaSuFila) {
  CreaCaptura(kDeta, Numeradas(QStringLiteral("L"), 1, 5));
  auto a = Abre(kDeta);
  auto b = Abre(kDeta);
  VeAFila(*a, 3);
  a->Edit();
  a->FieldByName("CANTIDAD").SetAsFloat(7);

  const std::function<void()> operaciones[] = {
      [&] { VeAFila(*b, 3); b->Edit(); },
      [&] { VeAFila(*b, 1); b->Delete(); },
      [&] {
        VeAFila(*b, 2);
        b->Insert();
        b->FieldByName("CLAVE").SetAsString(QStringLiteral("X"));
        b->Post();
      },
  };
  for (const auto& operacion : operaciones) {
    const auto e = ErrorDe(operacion);
    EXPECT_EQ(e.first, Clase::Bloqueado) << e.second.toStdString();
    EXPECT_TRUE(e.second.contains(kDeta)) << e.second.toStdString();
    b->Cancel();
  }
  // After rows of its own, the other cursor may append and delete freely.
  VeAFila(*b, 5);
  b->Delete();
  b->Append();
  b->FieldByName("CLAVE").SetAsString(QStringLiteral("L6"));
  b->Post();
  a->Post();
  VeAFila(*b, 3);
  b->Edit();
  b->Post();
  EXPECT_EQ(b->FieldByName("CANTIDAD").AsFloat(), 7);
  EXPECT_EQ(Claves(*b), (QStringList{"L1", "L2", "L3", "L4", "L6"}));
}

TEST_F(ParadoxTablaTest, OtraEstacionConLaTablaAbiertaImpideUsoExclusivoEmpaqueYReemplazo) {
  CreaCaptura(kPlantilla, {});
  CreaCaptura(kDeta, {QStringLiteral("MIA")});
  ProcesoHijo otra("TieneLaCaptura", {kDeta});
  ASSERT_EQ(otra.EsperaLinea(), QStringLiteral("LISTO"));
  const QByteArray antes = fs::LeeBytes(En(kDeta));

  const auto cerrada = [] {
    auto t = std::make_unique<Tabla>();
    t->SetCarpeta(kVrl);
    t->SetNombreTabla(kDeta);
    return t;
  };
  const std::function<void()> operaciones[] = {
      [] { Abre(kDeta, true); },
      [&] { cerrada()->Pack(); },
      [&] { cerrada()->EmptyTable(); },
      [] { Tabla::CopiaArchivos(kVrl, kPlantilla, kDeta); },
      [] { Tabla::Crea(kVrl, kDeta, CamposCaptura()); },
      [] { Tabla::Borra(kVrl, kDeta); },
  };
  for (const auto& operacion : operaciones) {
    const auto e = ErrorDe(operacion);
    EXPECT_EQ(e.first, Clase::EnUso) << e.second.toStdString();
    EXPECT_TRUE(e.second.contains(kDeta)) << e.second.toStdString();
  }
  EXPECT_EQ(fs::LeeBytes(En(kDeta)), antes);
  // A shared open works beside it and sees its row.
  EXPECT_EQ(Claves(*Abre(kDeta)), (QStringList{"MIA", "DE OTRA"}));

  // Its open ends with it, even when it is killed.
  otra.Mata();
  Abre(kDeta, true)->Pack();
  EXPECT_EQ(ClavesPx(kDeta), (QStringList{"MIA", "DE OTRA"}));
}

TEST_F(ParadoxTablaTest, CapturaDaniadaDaUnErrorClaroYLaPlantillaLaRepone) {
  CreaCaptura(kPlantilla, {});
  CreaCaptura(kDeta, Numeradas(QStringLiteral("L"), 1, 10));  // header and two blocks
  const QByteArray buena = fs::LeeBytes(En(kDeta));
  ASSERT_EQ(buena.size(), 3 * 2048);
  struct Caso {
    const char* que;
    QByteArray bytes;
  };
  const Caso casos[] = {
      {"vacía", QByteArray()},
      {"encabezado cortado", buena.left(100)},
      {"bloque cortado", buena.left(2048 + 2048 + 500)},
      {"texto", QByteArray("no es una tabla ").repeated(300)},
  };
  for (const Caso& c : casos) {
    EscribeBytes(En(kDeta), c.bytes);
    const auto e = ErrorDe([] { Claves(*Abre(kDeta)); });
    EXPECT_EQ(e.first, Clase::Corrupto) << c.que << ": " << e.second.toStdString();
    EXPECT_TRUE(e.second.contains(kDeta)) << c.que << ": " << e.second.toStdString();
  }
  // The template replaces it (nobody holds it).
  Tabla::CopiaArchivos(kVrl, kPlantilla, kDeta);
  EXPECT_TRUE(Abre(kDeta, true)->IsEmpty());

  // Cut while open: moving or reading gives the error.
  EscribeBytes(En(kDeta), buena);
  auto t = Abre(kDeta);
  ASSERT_TRUE(QFile::resize(fs::Local(En(kDeta)), 2048 + 1500));
  EXPECT_EQ(ErrorDe([&] { t->Last(); }).first, Clase::Corrupto);
  EXPECT_EQ(ErrorDe([&] { t->FieldByName("CLAVE").AsString(); }).first, Clase::Corrupto);
}

TEST_F(ParadoxTablaTest, CrearConLetrasParadoxYValoresDeCadaTipo) {
  const QString tipos = QStringLiteral("Tipos.db");
  Tabla::Crea(kVrl, tipos,
              {{"Texto", 'A', 10, 0}, {"Numero", 'N', 0, 0}, {"Moneda", '$', 0, 0}, {"Fecha", 'D', 0, 0},
               {"Corto", 'S', 0, 0}, {"Largo", 'I', 0, 0}, {"Logico", 'L', 0, 0}});
  auto t = Abre(tipos);
  EXPECT_EQ(t->NombresCampos(), (QStringList{"Texto", "Numero", "Moneda", "Fecha", "Corto", "Largo", "Logico"}));
  const TipoDato esperados[] = {TipoDato::Texto, TipoDato::Flotante, TipoDato::Moneda, TipoDato::Fecha,
                                TipoDato::Entero, TipoDato::Entero, TipoDato::Logico};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(t->Fields(i).Tipo(), esperados[i]) << i;

  t->Append();
  t->Post();  // every field blank
  t->Append();
  t->FieldByName("Texto").SetAsString(QStringLiteral("0"));
  for (const char* campo : {"Numero", "Moneda", "Corto", "Largo"}) t->FieldByName(campo).SetAsString(QStringLiteral("0"));
  t->FieldByName("Fecha").SetAsString(QStringLiteral("29/02/2024"));
  t->FieldByName("Logico").SetAsBoolean(false);
  t->Post();
  t->Append();
  t->FieldByName("Texto").SetAsString(QStringLiteral("Año €"));
  t->FieldByName("Numero").SetAsFloat(-1234.5678);
  t->FieldByName("Moneda").SetAsString(QStringLiteral("99.95"));
  t->FieldByName("Corto").SetAsInteger(-32767);
  t->FieldByName("Largo").SetAsInteger(2147483647);
  t->FieldByName("Logico").SetAsString(QStringLiteral("S"));
  t->Post();

  t->First();
  for (int i = 0; i < 7; ++i) EXPECT_TRUE(t->Fields(i).IsNull()) << i;
  t->Next();
  for (int i = 0; i < 7; ++i) EXPECT_FALSE(t->Fields(i).IsNull()) << i;
  EXPECT_EQ(t->FieldByName("Numero").AsString(), QStringLiteral("0"));
  EXPECT_EQ(t->FieldByName("Fecha").AsDate(), QDate(2024, 2, 29));
  EXPECT_EQ(t->FieldByName("Logico").AsString(), QStringLiteral("False"));
  t->Next();
  EXPECT_EQ(t->FieldByName("Texto").AsString(), QStringLiteral("Año €"));
  EXPECT_EQ(t->FieldByName("Numero").AsFloat(), -1234.5678);
  EXPECT_EQ(t->FieldByName("Moneda").AsFloat(), 99.95);
  EXPECT_EQ(t->FieldByName("Corto").AsInteger(), -32767);
  EXPECT_EQ(t->FieldByName("Largo").Value(), QVariant(qint64(2147483647)));
  EXPECT_TRUE(t->FieldByName("Logico").AsBoolean());
  // A value that does not fit names the field and leaves the row as it was.
  t->Edit();
  EXPECT_EQ(ErrorDe([&] { t->FieldByName("Corto").SetAsInteger(40000); }).first, Clase::NoCabe);
  t->Post();
  EXPECT_EQ(t->FieldByName("Corto").AsInteger(), -32767);
  t->Close();

  // Bad layouts give NoCabe naming the table; nothing is left behind.
  const QVector<QVector<db::DefCampo>> malas = {
      {},
      {{"CLAVE", 'C', 10, 0}},
      {{"CLAVE", 'A', 0, 0}},
      {{"CLAVE", 'A', 5, 0}, {"clave", 'N', 0, 0}},
  };
  for (const auto& campos : malas) {
    const auto e = ErrorDe([&] { Tabla::Crea(kVrl, QStringLiteral("Mala.db"), campos); });
    EXPECT_EQ(e.first, Clase::NoCabe) << e.second.toStdString();
    EXPECT_TRUE(e.second.contains(QStringLiteral("Mala.db"))) << e.second.toStdString();
  }
  EXPECT_FALSE(Tabla::Existe(kVrl, QStringLiteral("Mala.db")));
}

TEST_F(ParadoxTablaTest, CopiaDeArchivosDeTablaConLoQueNecesitanParaAbrirse) {
  // The template with a companion file, over an old station table with rows
  // and companions of its own; a dBASE table of the same name stays.
  CreaCaptura(kPlantilla, {});
  EscribeBytes(En(QStringLiteral("DetaCR.VAL")), "reglas");
  CreaCaptura(QStringLiteral("deta3.db"), {QStringLiteral("VIEJA")});
  EscribeBytes(En(QStringLiteral("deta3.PX")), "índice viejo");
  EscribeBytes(En(QStringLiteral("deta3.dbf")), "otra tabla");
  Tabla::CopiaArchivos(kVrl, kPlantilla, QStringLiteral("deta3.db"));
  EXPECT_EQ(fs::LeeBytes(En(QStringLiteral("deta3.db"))), fs::LeeBytes(En(kPlantilla)));
  EXPECT_EQ(fs::LeeBytes(En(QStringLiteral("deta3.VAL"))), QByteArray("reglas"));
  EXPECT_FALSE(fs::Existe(En(QStringLiteral("deta3.PX"))));
  EXPECT_EQ(fs::LeeBytes(En(QStringLiteral("deta3.dbf"))), QByteArray("otra tabla"));
  {
    auto t = Abre(QStringLiteral("deta3.db"), true);
    EXPECT_TRUE(t->IsEmpty());
    // Not over a table open here either.
    const auto e = ErrorDe([] { Tabla::CopiaArchivos(kVrl, kPlantilla, QStringLiteral("deta3.db")); });
    EXPECT_EQ(e.first, Clase::EnUso) << e.second.toStdString();
  }
  // Deleting the table takes its companions, not the dBASE table.
  Tabla::Borra(kVrl, QStringLiteral("deta3.db"));
  EXPECT_FALSE(fs::Existe(En(QStringLiteral("deta3.db"))));
  EXPECT_FALSE(fs::Existe(En(QStringLiteral("deta3.VAL"))));
  EXPECT_TRUE(fs::Existe(En(QStringLiteral("deta3.dbf"))));

  // dBASE: the memo file and the index file go with the table.
  Tabla::Crea(kVrl, QStringLiteral("NOTAS.DBF"), {{"CLAVE", 'C', 10, 0}, {"TEXTO", 'M', 10, 0}});
  {
    auto n = Abre(QStringLiteral("NOTAS.DBF"));
    n->Append();
    n->FieldByName("CLAVE").SetAsString(QStringLiteral("A"));
    n->FieldByName("TEXTO").SetAsString(QStringLiteral("una nota larga"));
    n->Post();
  }
  EscribeBytes(En(QStringLiteral("NOTAS.MDX")), "índice");
  Tabla::CopiaArchivos(kVrl, QStringLiteral("NOTAS.DBF"), QStringLiteral("NOTAS2.DBF"));
  EXPECT_EQ(fs::LeeBytes(En(QStringLiteral("NOTAS2.MDX"))), QByteArray("índice"));
  auto copia = Abre(QStringLiteral("NOTAS2.DBF"));
  EXPECT_EQ(copia->FieldByName("TEXTO").AsString(), QStringLiteral("una nota larga"));
  EXPECT_EQ(ErrorDe([] { Tabla::CopiaArchivos(kVrl, QStringLiteral("NOTAS.DBF"), QStringLiteral("NOTAS2.DBF")); }).first,
            Clase::EnUso);

  // Errors: a missing source, tables of two kinds, a table over itself.
  const auto falta = ErrorDe([] { Tabla::CopiaArchivos(kVrl, QStringLiteral("NoHay.db"), QStringLiteral("deta4.db")); });
  EXPECT_EQ(falta.first, Clase::NoExiste);
  EXPECT_TRUE(falta.second.contains(QStringLiteral("NoHay.db"))) << falta.second.toStdString();
  EXPECT_FALSE(fs::Existe(En(QStringLiteral("deta4.db"))));
  EXPECT_TRUE(ErrorDe([] { Tabla::CopiaArchivos(kVrl, kPlantilla, QStringLiteral("deta4.dbf")); })
                  .second.contains(QStringLiteral("tipos distintos")));
  EXPECT_TRUE(ErrorDe([] { Tabla::CopiaArchivos(kVrl, kPlantilla, QStringLiteral("detacr.DB")); })
                  .second.contains(QStringLiteral("sobre sí misma")));
  EXPECT_EQ(fs::LeeBytes(En(QStringLiteral("DetaCR.VAL"))), QByteArray("reglas"));
}

TEST_F(ParadoxTablaTest, CopiaDeRegistrosDeLaCapturaAOtraTabla) {
  CreaCaptura(kDeta, Numeradas(QStringLiteral("L"), 1, 4));
  auto deta = Abre(kDeta);
  // Into a closed table: created with the capture's fields, rows in order.
  Tabla respaldo;
  respaldo.SetCarpeta(kVrl);
  respaldo.SetNombreTabla(QStringLiteral("respaldo.db"));
  EXPECT_EQ(Tabla::CopiaRegistros(*deta, respaldo, true), 4);
  respaldo.Open();
  EXPECT_EQ(respaldo.Definiciones().size(), 21);
  EXPECT_EQ(Filas(respaldo), Filas(*deta));
  // Into an open dBASE line table, fields matched by name.
  Tabla::Crea(kVrl, QStringLiteral("PARTIDAS.DBF"), {{"CLAVE", 'C', 30, 0}, {"CANTIDAD", 'N', 10, 2}});
  auto partidas = Abre(QStringLiteral("PARTIDAS.DBF"));
  VeAFila(*deta, 3);
  EXPECT_EQ(Tabla::CopiaRegistros(*deta, *partidas, false), 1);
  EXPECT_EQ(Tabla::CopiaRegistros(*deta, *partidas, true), 4);
  EXPECT_EQ(Claves(*partidas), (QStringList{"L3", "L1", "L2", "L3", "L4"}));
}


TEST_F(ParadoxTablaTest, InstruccionesSqlSobreLaCaptura) {
  CreaCaptura(kDeta, Numeradas(QStringLiteral("L"), 1, 7));
  const auto ejecuta = [](const QString& sql) {
    db::Consulta q;
    q.SetSQL(sql);
    return q.ExecSQL();
  };
  // Deleting several rows: each number SQLite gives is from before the
  // statement, while every delete moves the rows after it up.
  EXPECT_EQ(ejecuta(R"(DELETE FROM "C:\VRL\deta.db" WHERE CLAVE <> "L1" AND CLAVE <> "L4" AND CLAVE <> "L7")"), 4);
  EXPECT_EQ(ClavesPx(kDeta), (QStringList{"L1", "L4", "L7"}));
  EXPECT_EQ(ejecuta(R"(UPDATE "C:\VRL\deta.db" SET CANTIDAD = 3 WHERE CLAVE = "L4")"), 1);
  EXPECT_EQ(ejecuta(R"(INSERT INTO "C:\VRL\deta.db" (CLAVE, CANTIDAD) VALUES ("L8", 2))"), 1);
  db::Consulta q;
  q.SetSQL(R"(SELECT COUNT(*) AS N, SUM(CANTIDAD) AS S FROM "C:\VRL\deta.db")");
  q.Open();
  EXPECT_EQ(q.FieldByName("N").AsInteger(), 4);
  EXPECT_EQ(q.FieldByName("S").AsFloat(), 1 + 3 + 1 + 2);
  auto t = Abre(kDeta);
  EXPECT_EQ(Claves(*t), (QStringList{"L1", "L4", "L7", "L8"}));
  EXPECT_EQ(ejecuta(R"(DELETE FROM "C:\VRL\deta.db")"), 4);
  EXPECT_EQ(t->RecordCount(), 0);
}

TEST_F(ParadoxTablaTest, UnaLecturaNuncaVeUnaLineaAMediasDeOtraEstacion) {
  Tabla::Crea(kVrl, kDeta, CamposCaptura());
  {
    auto t = Abre(kDeta);
    for (int i = 0; i < 40; ++i) {
      t->Append();
      t->FieldByName("CANTIDAD").SetAsFloat(0);
      t->FieldByName("CLAVE").SetAsString(QStringLiteral("C0"));
      t->FieldByName("PRODUCTO").SetAsString(QString(60, u'A'));
      t->Post();
    }
  }
  ProcesoHijo hijo("ReescribeLineas", {});
  ASSERT_EQ(hijo.EsperaLinea(), "EN MARCHA");
  // Walks while the other station writes: each field read is whole, of one
  // write (the fields of a line may come from two, read apart), and never
  // blank: no line goes away.
  auto t = Abre(kDeta);
  int filas = 0;
  for (int vuelta = 0; vuelta < 300; ++vuelta) {
    for (t->First(); !t->Eof(); t->Next(), ++filas) {
      const double k = t->FieldByName("CANTIDAD").AsFloat();
      ASSERT_TRUE(!t->FieldByName("CANTIDAD").IsNull() && k == std::floor(k)) << k;
      const QString clave = t->FieldByName("CLAVE").AsString();
      ASSERT_TRUE(clave.startsWith(u'C') && clave.mid(1).toInt() >= 0) << clave.toStdString();
      const QString producto = t->FieldByName("PRODUCTO").AsString();
      ASSERT_EQ(producto, QString(60, producto.isEmpty() ? u'?' : producto[0]));
    }
  }
  hijo.Mata();
  EXPECT_GT(filas, 0);
}
