// Virtual-table module "tabla": a table file of the table layer as an SQLite
// table.
//
//   RegistraModuloTabla(db, &pendiente);
//   CREATE VIRTUAL TABLE temp.t1 USING tabla('C:\DATOS\remisiod.dbf');
//   SELECT CLPRO_FD, SUM(CANTI_FD) FROM t1 GROUP BY CLPRO_FD;
//   UPDATE t1 SET TREGI_FD = 'C' WHERE CLDOC_FD = 57;
//   DROP TABLE temp.t1;
//
// Columns are the table's fields, in order, named as in the file. Values:
//   text and memo  TEXT, right-trimmed; a blank field is '' (never NULL);
//                  collation CP1252 (Colacion.h);
//   numbers        REAL, also integer fields, so that no division truncates;
//                  a blank field is NULL;
//   dates          TEXT 'yyyy-mm-dd' (sorts and compares as dates); NULL;
//   logical        INTEGER 1 or 0; NULL.
// The declared type of each column carries the field's definition
// (TipoDeclarado), which a query result uses to type its columns.
// The rowid is the physical record number (in a Paradox table, the row's
// place: a DELETE of several rows follows the rows as they move up).
//
// Each cursor opens its own read-only handle on the file, so self-joins and
// subqueries walk independently; deleted records are never seen. Writes go
// through one more handle, opened at the first write, with the table
// layer's record locks: UPDATE locks each row while it rewrites it (a row
// held by another station fails the statement with the lock error at
// once), DELETE marks the row deleted, INSERT appends. Only the columns the
// statement changes are written.
//
// Query plans (xBestIndex -> xFilter). A tag is usable for a column when its
// key is that field alone and it is neither unique nor descending. Texts
// compare under CP1252 (equality also under BINARY).
//
//   idxNum bit   constraint on the column            argv      walk
//   ----------   --------------------------------    -------   --------------------
//   (none)       -                                   -         physical order
//   0x01         column = value                      next      SetRange(v, v)
//   0x02         column > or >= value (lower bound)  next      with 0x04: SetRange;
//   0x04         column < or <= value (upper bound)  next        alone: FindNearest / First
//   0x08         column = value from another table   next      rows of an in-memory key
//                (a join) on a column without a tag            map of the column, built
//                                                              by one walk at the first
//                                                              search of the cursor
//   idxNum >> 8  the column whose tag (or key map) is used
//
// Bounds are inclusive in the walk; SQLite checks every constraint again on
// the rows given (omit is never set), so a value that cannot be a key of
// the tag (a text against a number) simply falls back to the physical walk.
// When the rows come from a tag and the ORDER BY is that one column
// ascending, the order is taken as given (idxNum bit 0x10). Otherwise a
// range whose bounds hold the tag's first and last keys walks the table in
// physical order: reading every row through the tag costs more. Without tags, a constant
// constraint walks the whole table once, and a join walks it once to build
// the key map, not once per row of the other table. In test mode
// (FijaRegistroDePlanes) each search started reports its plan in words.

#include "platform/db/sql/ModuloTabla.h"

#include "platform/db/Campo.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/db/Valores.h"
#include "platform/db/sql/Colacion.h"
#include "platform/db/sql/Traductor.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <iterator>
#include <memory>

namespace db::sql {
namespace {

using plat::Clase;
using plat::Error;

std::function<void(const QString&)>& RegistroDePlanes() {
  static std::function<void(const QString&)> r;
  return r;
}

void AnotaPlan(const QString& texto) {
  if (RegistroDePlanes()) RegistroDePlanes()(texto);
}

constexpr int kIgual = 0x01;
constexpr int kDesde = 0x02;
constexpr int kHasta = 0x04;
constexpr int kMapa = 0x08;
constexpr int kOrden = 0x10;  // the rows must come in the tag's order (ORDER BY consumed)
constexpr int kBitsRestriccion = 0x0F;

struct Modulo {
  std::optional<Error>* pendiente;
};

struct TablaVirtual : sqlite3_vtab {
  Modulo* modulo = nullptr;
  QString carpeta;
  QString archivo;
  QVector<DefCampo> defs;
  QVector<TipoDato> tipos;
  QStringList tagDeColumna;  // usable tag per column, "" when none
  double filas = 1;          // estimate for the planner
  std::unique_ptr<Tabla> escritura;
  // Rows deleted so far by the statement (which has this table to itself),
  // by their numbers before it, in order: in a table that renumbers, each
  // one moved the rows after it up.
  QVector<qint64> borradas;

  // The row's number now, from its number before the statement.
  qint64 NumeroActual(qint64 n) const {
    return n - (std::lower_bound(borradas.cbegin(), borradas.cend(), n) - borradas.cbegin());
  }

  std::unique_ptr<Tabla> Abre(bool soloLectura) const {
    auto t = std::make_unique<Tabla>();
    t->SetCarpeta(carpeta);
    t->SetNombreTabla(archivo);
    t->SetReadOnly(soloLectura);
    t->Open();
    return t;
  }

  Tabla& Escritura() {
    if (!escritura) escritura = Abre(false);
    return *escritura;
  }
};

struct Cursor : sqlite3_vtab_cursor {
  std::unique_ptr<Tabla> t;
  QVector<Campo*> campos;
  bool fin = true;
  int columnaTope = -1;  // upper bound checked while walking (no range)
  QVariant tope;
  // Key map of one column (plan kMapa): key -> record numbers; for a text
  // column also the rows by the number their text reads as.
  int columnaMapa = -1;
  QHash<QString, QVector<qint64>> mapa;
  QHash<QString, QVector<qint64>> mapaNumerico;
  bool porMapa = false;       // the current search uses the key map
  QVector<qint64> registros;  // its rows
  qsizetype siguiente = 0;
};

TablaVirtual* VT(sqlite3_vtab* v) { return static_cast<TablaVirtual*>(v); }
Cursor* CU(sqlite3_vtab_cursor* c) { return static_cast<Cursor*>(c); }

// Runs a callback body; errors become SQLite errors, the table layer's one
// kept for the caller.
template <class F>
int Protegido(sqlite3_vtab* vt, Modulo* m, F&& cuerpo) {
  try {
    cuerpo();
    return SQLITE_OK;
  } catch (const Error& e) {
    if (m && m->pendiente && !*m->pendiente) *m->pendiente = e;
    if (vt) {
      sqlite3_free(vt->zErrMsg);
      vt->zErrMsg = sqlite3_mprintf("%s", e.what());
    }
    return SQLITE_ERROR;
  } catch (const std::exception& e) {
    if (vt) {
      sqlite3_free(vt->zErrMsg);
      vt->zErrMsg = sqlite3_mprintf("%s", e.what());
    }
    return SQLITE_ERROR;
  }
}

QString Argumento(const char* texto) {
  QString a = QString::fromUtf8(texto).trimmed();
  if (a.size() >= 2 && a.front() == u'\'' && a.back() == u'\'') a = a.mid(1, a.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
  return a;
}

QString NombreColumna(const QString& n) { return u'"' + QString(n).replace(u'"', QStringLiteral("\"\"")) + u'"'; }

QString TextoFecha(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }

QDate FechaDeTexto(const QString& t) {
  const QDate iso = QDate::fromString(t.trimmed(), QStringLiteral("yyyy-MM-dd"));
  return iso.isValid() ? iso : FechaDelDialecto(t);
}

// --- Creating and connecting.

int Conecta(sqlite3* db, void* aux, int argc, const char* const* argv, sqlite3_vtab** salida, char** error) {
  auto vt = std::make_unique<TablaVirtual>();
  std::memset(static_cast<sqlite3_vtab*>(vt.get()), 0, sizeof(sqlite3_vtab));
  vt->modulo = static_cast<Modulo*>(aux);
  try {
    if (argc < 4) throw Error(Clase::Sql, QStringLiteral("Falta la tabla del módulo"));
    const QString ruta = Argumento(argv[3]);
    vt->carpeta = fs::CarpetaDe(ruta);
    vt->archivo = fs::NombreArchivo(ruta);
    auto t = vt->Abre(true);
    vt->defs = t->Definiciones();
    QStringList columnas;
    for (int i = 0; i < t->FieldCount(); ++i) {
      const Campo& c = t->Fields(i);
      vt->tipos << c.Tipo();
      QString col = NombreColumna(c.Nombre()) + u' ' + TipoDeclarado(c.Definicion(), c.Tipo());
      if (c.Tipo() == TipoDato::Texto || c.Tipo() == TipoDato::Memo) col += QStringLiteral(" COLLATE ") + kColacion;
      columnas << col;
    }
    vt->tagDeColumna = QStringList(vt->defs.size(), QString());
    for (const DefTag& tag : t->IndexDefs()) {
      if (tag.unico || tag.descendente) continue;
      for (int i = 0; i < vt->defs.size(); ++i) {
        if (tag.expresion.trimmed().compare(vt->defs[i].nombre, Qt::CaseInsensitive) != 0) continue;
        if (vt->tipos[i] == TipoDato::Logico || vt->tipos[i] == TipoDato::Memo) continue;
        if (vt->tagDeColumna[i].isEmpty()) vt->tagDeColumna[i] = tag.nombre;
      }
    }
    // Rows estimated from the file size and the record length, without
    // reading the records (a dBASE header is 32 bytes a field and 33 more).
    int largo = 1;
    for (const DefCampo& d : vt->defs) largo += std::max(1, d.ancho);
    const QFileInfo archivo(t->Ruta());
    const qint64 cabecera = archivo.suffix().compare(QStringLiteral("dbf"), Qt::CaseInsensitive) == 0 ? 33 + 32 * vt->defs.size() : 0;
    vt->filas = std::max<double>(1, static_cast<double>(archivo.size() - cabecera) / largo);
    const QByteArray decl = (QStringLiteral("CREATE TABLE x(") + columnas.join(u',') + u')').toUtf8();
    const int rc = sqlite3_declare_vtab(db, decl.constData());
    if (rc != SQLITE_OK)
      throw Error(Clase::Sql, QStringLiteral("No se pudo declarar la tabla %1: %2").arg(ruta, QString::fromUtf8(sqlite3_errmsg(db))));
  } catch (const Error& e) {
    if (vt->modulo && vt->modulo->pendiente && !*vt->modulo->pendiente) *vt->modulo->pendiente = e;
    *error = sqlite3_mprintf("%s", e.what());
    return SQLITE_ERROR;
  }
  *salida = vt.release();
  return SQLITE_OK;
}

int Desconecta(sqlite3_vtab* v) {
  delete VT(v);
  return SQLITE_OK;
}

// --- Plans.

int MejorIndice(sqlite3_vtab* v, sqlite3_index_info* info) {
  TablaVirtual* vt = VT(v);
  const int n = static_cast<int>(vt->defs.size());
  QVector<int> igual(n, -1), desde(n, -1), hasta(n, -1);
  for (int i = 0; i < info->nConstraint; ++i) {
    const auto& c = info->aConstraint[i];
    if (!c.usable || c.iColumn < 0 || c.iColumn >= n || vt->tagDeColumna[c.iColumn].isEmpty()) continue;
    const bool texto = vt->tipos[c.iColumn] == TipoDato::Texto;
    const char* colacion = sqlite3_vtab_collation(info, i);
    const bool cp1252 = !colacion || std::strcmp(colacion, kColacion) == 0;
    const bool binaria = colacion && sqlite3_stricmp(colacion, "BINARY") == 0;
    switch (c.op) {
      case SQLITE_INDEX_CONSTRAINT_EQ:
        if ((!texto || cp1252 || binaria) && igual[c.iColumn] < 0) igual[c.iColumn] = i;
        break;
      case SQLITE_INDEX_CONSTRAINT_GT:
      case SQLITE_INDEX_CONSTRAINT_GE:
        if ((!texto || cp1252) && desde[c.iColumn] < 0) desde[c.iColumn] = i;
        break;
      case SQLITE_INDEX_CONSTRAINT_LT:
      case SQLITE_INDEX_CONSTRAINT_LE:
        if ((!texto || cp1252) && hasta[c.iColumn] < 0) hasta[c.iColumn] = i;
        break;
      default: break;
    }
  }
  int columna = -1, puntos = 0;
  for (int i = 0; i < n; ++i) {
    const int p = igual[i] >= 0 ? 3 : (desde[i] >= 0 && hasta[i] >= 0) ? 2 : (desde[i] >= 0 || hasta[i] >= 0) ? 1 : 0;
    if (p > puntos) {
      puntos = p;
      columna = i;
    }
  }
  const double filas = vt->filas;
  if (columna < 0) {
    // A join on a column without a tag: a key map of the column.
    for (int i = 0; i < info->nConstraint; ++i) {
      const auto& c = info->aConstraint[i];
      if (!c.usable || c.op != SQLITE_INDEX_CONSTRAINT_EQ || c.iColumn < 0 || c.iColumn >= n) continue;
      const TipoDato tipo = vt->tipos[c.iColumn];
      if (tipo == TipoDato::Logico || tipo == TipoDato::Memo) continue;
      const char* colacion = sqlite3_vtab_collation(info, i);
      if (tipo == TipoDato::Texto && colacion && std::strcmp(colacion, kColacion) != 0 &&
          sqlite3_stricmp(colacion, "BINARY") != 0)
        continue;
      sqlite3_value* constante = nullptr;
      if (sqlite3_vtab_rhs_value(info, i, &constante) == SQLITE_OK) continue;  // a constant: one walk is enough
      info->aConstraintUsage[i].argvIndex = 1;
      info->aConstraintUsage[i].omit = 0;
      info->idxNum = kMapa | (c.iColumn << 8);
      info->estimatedCost = 1 + std::log2(filas + 1);
      info->estimatedRows = 10;
      return SQLITE_OK;
    }
    info->idxNum = 0;
    info->estimatedCost = filas;
    info->estimatedRows = static_cast<sqlite3_int64>(filas);
    return SQLITE_OK;
  }
  int bits = 0, arg = 0;
  auto usa = [&](int restriccion, int bit) {
    info->aConstraintUsage[restriccion].argvIndex = ++arg;
    info->aConstraintUsage[restriccion].omit = 0;
    bits |= bit;
  };
  if (igual[columna] >= 0) {
    usa(igual[columna], kIgual);
    info->estimatedCost = 1 + std::log2(filas + 1);
    info->estimatedRows = 10;
  } else {
    if (desde[columna] >= 0) usa(desde[columna], kDesde);
    if (hasta[columna] >= 0) usa(hasta[columna], kHasta);
    const double parte = (bits == (kDesde | kHasta)) ? filas / 8 : filas / 3;
    info->estimatedCost = 1 + parte;
    info->estimatedRows = static_cast<sqlite3_int64>(std::max(1.0, parte));
  }
  info->idxNum = bits | (columna << 8);
  if (info->nOrderBy == 1 && info->aOrderBy[0].iColumn == columna && !info->aOrderBy[0].desc) {
    info->orderByConsumed = 1;
    info->idxNum |= kOrden;
  }
  return SQLITE_OK;
}

// --- Cursors.

int AbreCursor(sqlite3_vtab* v, sqlite3_vtab_cursor** salida) {
  TablaVirtual* vt = VT(v);
  auto c = std::make_unique<Cursor>();
  std::memset(static_cast<sqlite3_vtab_cursor*>(c.get()), 0, sizeof(sqlite3_vtab_cursor));
  const int rc = Protegido(v, vt->modulo, [&] {
    c->t = vt->Abre(true);
    for (int i = 0; i < c->t->FieldCount(); ++i) c->campos << &c->t->Fields(i);
  });
  if (rc != SQLITE_OK) return rc;
  *salida = c.release();
  return SQLITE_OK;
}

int CierraCursor(sqlite3_vtab_cursor* c) {
  delete CU(c);
  return SQLITE_OK;
}

// A constraint value as a key of the column's tag; invalid when it cannot be
// one (the plan then walks the whole table).
QVariant Clave(sqlite3_value* v, TipoDato tipo) {
  const int t = sqlite3_value_type(v);
  if (t == SQLITE_NULL) return {};
  switch (tipo) {
    case TipoDato::Texto:
      return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
    case TipoDato::Entero:
    case TipoDato::Flotante:
    case TipoDato::Moneda: {
      double d;
      if (t == SQLITE_INTEGER || t == SQLITE_FLOAT) {
        d = sqlite3_value_double(v);
      } else {
        const auto r = RealDeTexto(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v))));
        if (!r) return {};
        d = *r;
      }
      if (tipo == TipoDato::Entero && d == std::floor(d) && std::fabs(d) < 9e15) return QVariant::fromValue<qint64>(static_cast<qint64>(d));
      return d;
    }
    case TipoDato::Fecha: {
      if (t != SQLITE_TEXT) return {};
      const QDate f = FechaDeTexto(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v))));
      return f.isValid() ? QVariant(f) : QVariant();
    }
    default: return {};
  }
}

int ComparaValores(const QVariant& a, const QVariant& b, TipoDato tipo) {
  switch (tipo) {
    case TipoDato::Texto: return ComparaCp1252(a.toString(), b.toString());
    case TipoDato::Fecha: return a.toDate() < b.toDate() ? -1 : a.toDate() > b.toDate() ? 1 : 0;
    default: return a.toDouble() < b.toDouble() ? -1 : a.toDouble() > b.toDouble() ? 1 : 0;
  }
}

// Whether desde .. hasta holds the first and the last key of the table's
// current tag (an empty table: yes).
bool AbarcaEtiqueta(Tabla& t, const Campo& campo, const QVariant& desde, const QVariant& hasta) {
  t.CancelRange();
  t.First();
  if (t.IsEmpty()) return true;
  const QVariant primera = campo.Value();
  t.Last();
  const QVariant ultima = campo.Value();
  return ComparaValores(desde, primera, campo.Tipo()) <= 0 && ComparaValores(hasta, ultima, campo.Tipo()) >= 0;
}

void MiraTope(Cursor* c) {
  if (c->fin || c->columnaTope < 0) return;
  const QVariant v = c->campos[c->columnaTope]->Value();
  if (v.isValid() && ComparaValores(v, c->tope, c->campos[c->columnaTope]->Tipo()) > 0) c->fin = true;
}

QString TextoClave(const QVariant& v) {
  if (v.typeId() == QMetaType::QDate) return TextoFecha(v.toDate());
  if (v.typeId() == QMetaType::Double) return TextoReal(v.toDouble());
  return v.toString();
}

// The key of a value in a column's key map: texts without trailing blanks
// (as they compare), numbers in full, dates yyyy-mm-dd.
QString LlaveDeMapa(const QVariant& v) {
  switch (v.typeId()) {
    case QMetaType::QString: {
      QString t = v.toString();
      qsizetype fin = t.size();
      while (fin > 0 && t[fin - 1] == u' ') --fin;
      t.truncate(fin);
      return t;
    }
    case QMetaType::QDate: return TextoFecha(v.toDate());
    case QMetaType::LongLong:
    case QMetaType::Double: return QString::number(v.toDouble(), 'g', 17);
    default: return v.toString();
  }
}

// Stands on the next row of the current key-map search.
void SiguienteDelMapa(Cursor* c) {
  while (c->siguiente < c->registros.size()) {
    if (c->t->VeARegistro(c->registros[c->siguiente++])) {
      c->fin = false;
      return;
    }
  }
  c->fin = true;
}

bool EsNumero(sqlite3_value* v) {
  const int t = sqlite3_value_type(v);
  return t == SQLITE_INTEGER || t == SQLITE_FLOAT;
}

QString LlaveNumerica(double d) { return QString::number(d, 'g', 17); }

void BuscaEnMapa(Cursor* c, TablaVirtual* vt, int col, sqlite3_value* valor) {
  const bool texto = vt->tipos[col] == TipoDato::Texto;
  if (c->columnaMapa != col) {
    c->mapa.clear();
    c->mapaNumerico.clear();
    Tabla& t = *c->t;
    if (!t.IndexName().isEmpty()) t.SetIndexName(QString());
    for (t.First(); !t.Eof(); t.Next()) {
      const QVariant v = c->campos[col]->Value();
      if (!v.isValid()) continue;
      c->mapa[LlaveDeMapa(v)].append(t.RecNo());
      if (!texto) continue;
      if (const auto d = RealDeTexto(v.toString())) c->mapaNumerico[LlaveNumerica(*d)].append(t.RecNo());
    }
    c->columnaMapa = col;
  }
  const QVariant clave = Clave(valor, vt->tipos[col]);
  c->registros = clave.isValid() ? c->mapa.value(LlaveDeMapa(clave)) : QVector<qint64>();
  if (texto && EsNumero(valor)) {
    // A number against a text column: SQLite may compare them as numbers,
    // so the rows whose text reads as that number are given too.
    const QVector<qint64> otros = c->mapaNumerico.value(LlaveNumerica(sqlite3_value_double(valor)));
    QVector<qint64> todos;
    std::set_union(c->registros.cbegin(), c->registros.cend(), otros.cbegin(), otros.cend(), std::back_inserter(todos));
    c->registros = todos;
  }
  c->siguiente = 0;
  SiguienteDelMapa(c);
  AnotaPlan(vt->archivo + QStringLiteral(": llaves en memoria de ") + vt->defs[col].nombre + QStringLiteral(" = ") +
            (clave.isValid() ? LlaveDeMapa(clave) : QString()));
}

int Filtra(sqlite3_vtab_cursor* cur, int idxNum, const char*, int argc, sqlite3_value** argv) {
  Cursor* c = CU(cur);
  TablaVirtual* vt = VT(cur->pVtab);
  return Protegido(cur->pVtab, vt->modulo, [&] {
    Tabla& t = *c->t;
    c->columnaTope = -1;
    c->registros.clear();
    int bits = idxNum & kBitsRestriccion;
    const int col = idxNum >> 8;
    // A number against a text column cannot be a key of its tag: the rows
    // whose text reads as it come from the key map, a range walks the table.
    const bool numeroContraTexto = col < vt->defs.size() && vt->tipos[col] == TipoDato::Texto && argc > 0 &&
                                   std::any_of(argv, argv + argc, EsNumero);
    if (numeroContraTexto && bits != kIgual && bits != kMapa) bits = 0;
    c->porMapa = (bits == kMapa || (bits == kIgual && numeroContraTexto)) && col < vt->defs.size() && argc > 0;
    if (c->porMapa) {
      BuscaEnMapa(c, vt, col, argv[0]);
      return;
    }
    auto recorrido = [&](const QString& nota) {
      if (!t.IndexName().isEmpty()) t.SetIndexName(QString());
      t.First();
      c->fin = t.Eof();
      AnotaPlan(vt->archivo + QStringLiteral(": recorrido") + nota);
    };
    if (bits == 0 || col < 0 || col >= vt->defs.size()) {
      recorrido(QString());
      return;
    }
    const TipoDato tipo = vt->tipos[col];
    const QString tag = vt->tagDeColumna[col];
    int a = 0;
    QVariant igual, desde, hasta;
    bool nulo = false;
    auto lee = [&](QVariant& destino) {
      if (a >= argc) return;
      if (sqlite3_value_type(argv[a]) == SQLITE_NULL) nulo = true;
      destino = Clave(argv[a++], tipo);
    };
    if (bits & kIgual) lee(igual);
    if (bits & kDesde) lee(desde);
    if (bits & kHasta) lee(hasta);
    if (nulo) {  // a comparison with NULL holds for no row
      c->fin = true;
      AnotaPlan(vt->archivo + QStringLiteral(": ninguna fila"));
      return;
    }
    if (((bits & kIgual) && !igual.isValid()) || ((bits & kDesde) && !desde.isValid()) ||
        ((bits & kHasta) && !hasta.isValid())) {
      recorrido(QStringLiteral(" (valor que no es clave)"));
      return;
    }
    t.SetIndexName(tag);
    QString plan = vt->archivo + QStringLiteral(": índice ") + tag;
    if (bits & kIgual) {
      t.SetRange({igual}, {igual});
      plan += QStringLiteral(" = ") + TextoClave(igual);
    } else if ((bits & kDesde) && (bits & kHasta)) {
      // A range that holds every key of the tag is walked faster in the
      // table's own order, unless the rows must come in the tag's.
      if (!(idxNum & kOrden) && AbarcaEtiqueta(t, *c->campos[col], desde, hasta)) {
        recorrido(QStringLiteral(" (el rango abarca toda la etiqueta)"));
        return;
      }
      t.SetRange({desde}, {hasta});
      plan += QStringLiteral(" desde %1 hasta %2").arg(TextoClave(desde), TextoClave(hasta));
    } else if (bits & kDesde) {
      t.CancelRange();
      t.FindNearest({desde});
      plan += QStringLiteral(" desde ") + TextoClave(desde);
    } else {
      t.CancelRange();
      t.First();
      c->columnaTope = col;
      c->tope = hasta;
      plan += QStringLiteral(" hasta ") + TextoClave(hasta);
    }
    c->fin = t.Eof() || t.IsEmpty();
    MiraTope(c);
    AnotaPlan(plan);
  });
}

int Siguiente(sqlite3_vtab_cursor* cur) {
  Cursor* c = CU(cur);
  return Protegido(cur->pVtab, VT(cur->pVtab)->modulo, [&] {
    if (c->porMapa) {
      SiguienteDelMapa(c);
      return;
    }
    c->t->Next();
    c->fin = c->t->Eof();
    MiraTope(c);
  });
}

int Fin(sqlite3_vtab_cursor* cur) { return CU(cur)->fin ? 1 : 0; }

void Texto(sqlite3_context* ctx, const QString& s) {
  const QByteArray u = s.toUtf8();
  sqlite3_result_text(ctx, u.constData(), static_cast<int>(u.size()), SQLITE_TRANSIENT);
}

// UTF-8 of each byte of code page 1252.
struct Utf8DeCp1252 {
  std::array<QByteArray, 256> de;
  Utf8DeCp1252() {
    for (int b = 0; b < 256; ++b) {
      const char c = static_cast<char>(b);
      de[static_cast<size_t>(b)] = fs::DeCp1252(&c, 1).toUtf8();
    }
  }
};

// A text field's stored bytes as the column's text: blanks and NULs at the
// end dropped, as Value() reads it. False for bytes Value() would read
// otherwise (a NUL inside).
bool TextoRapido(sqlite3_context* ctx, const char* p, int n) {
  while (n > 0 && (p[n - 1] == ' ' || p[n - 1] == '\0')) --n;
  int i = 0;
  while (i < n && static_cast<unsigned char>(p[i]) < 0x80 && p[i] != '\0') ++i;
  if (i == n) {
    sqlite3_result_text(ctx, p, n, SQLITE_TRANSIENT);
    return true;
  }
  static const Utf8DeCp1252 tabla;
  thread_local QByteArray u;
  u.clear();
  u.append(p, i);
  for (; i < n; ++i) {
    if (p[i] == '\0') return false;
    u.append(tabla.de[static_cast<unsigned char>(p[i])]);
  }
  sqlite3_result_text(ctx, u.constData(), static_cast<int>(u.size()), SQLITE_TRANSIENT);
  return true;
}

// A number field's stored bytes as the column's value, as Value() reads
// it; false for bytes that are no number (Value() then tells the error).
bool NumeroRapido(sqlite3_context* ctx, const char* p, int n, TipoDato tipo) {
  while (n > 0 && (p[n - 1] == ' ' || p[n - 1] == '\0')) --n;
  int ini = 0;
  while (ini < n && p[ini] == ' ') ++ini;
  if (ini == n) {
    sqlite3_result_null(ctx);
    return true;
  }
  if (tipo == TipoDato::Entero) {
    if (const auto v = LeeEnteroTexto(p + ini, n - ini)) {
      sqlite3_result_double(ctx, static_cast<double>(*v));
      return true;
    }
  }
  const auto v = LeeRealTexto(p + ini, n - ini);
  if (!v) return false;
  sqlite3_result_double(ctx, tipo == TipoDato::Entero ? static_cast<double>(RedondeaEntero(*v)) : *v);
  return true;
}

// A date field's stored bytes (yyyymmdd) as the column's text yyyy-mm-dd,
// as Value() reads it; false for bytes that are no date.
bool FechaRapida(sqlite3_context* ctx, const char* p, int n) {
  while (n > 0 && (p[n - 1] == ' ' || p[n - 1] == '\0')) --n;
  if (n == 0 || (n == 8 && std::memcmp(p, "00000000", 8) == 0)) {
    sqlite3_result_null(ctx);
    return true;
  }
  if (!LeeFechaDbf(p, n).isValid()) return false;
  const char texto[10] = {p[0], p[1], p[2], p[3], '-', p[4], p[5], '-', p[6], p[7]};
  sqlite3_result_text(ctx, texto, 10, SQLITE_TRANSIENT);
  return true;
}

// The column from the field's stored bytes, without decoding the row: what
// Value() gives, for the usual texts, numbers and dates. False to read it
// through Value().
bool ColumnaRapida(sqlite3_context* ctx, const Tabla& t, const Campo& campo) {
  QByteArrayView bytes;
  char letra = 0;
  if (!t.BytesCampo(campo.Indice(), bytes, letra)) return false;
  const int n = static_cast<int>(bytes.size());
  switch (letra) {
    case 'C': return campo.Tipo() == TipoDato::Texto && TextoRapido(ctx, bytes.data(), n);
    case 'N':
    case 'F':
      return (campo.Tipo() == TipoDato::Entero || campo.Tipo() == TipoDato::Flotante ||
              campo.Tipo() == TipoDato::Moneda) &&
             NumeroRapido(ctx, bytes.data(), n, campo.Tipo());
    case 'D': return campo.Tipo() == TipoDato::Fecha && FechaRapida(ctx, bytes.data(), n);
    default: return false;
  }
}

int Columna(sqlite3_vtab_cursor* cur, sqlite3_context* ctx, int i) {
  Cursor* c = CU(cur);
  if (sqlite3_vtab_nochange(ctx)) return SQLITE_OK;  // UPDATE leaves this column as it is
  return Protegido(cur->pVtab, VT(cur->pVtab)->modulo, [&] {
    const Campo& campo = *c->campos[i];
    if (ColumnaRapida(ctx, *c->t, campo)) return;
    const QVariant v = campo.Value();
    switch (campo.Tipo()) {
      case TipoDato::Texto:
      case TipoDato::Memo:
        if (v.isValid()) Texto(ctx, v.toString());
        else sqlite3_result_text(ctx, "", 0, SQLITE_STATIC);
        return;
      default: break;
    }
    if (!v.isValid()) {
      sqlite3_result_null(ctx);
      return;
    }
    switch (campo.Tipo()) {
      case TipoDato::Entero: sqlite3_result_double(ctx, static_cast<double>(v.toLongLong())); break;
      case TipoDato::Fecha: Texto(ctx, TextoFecha(v.toDate())); break;
      case TipoDato::Logico: sqlite3_result_int(ctx, v.toBool() ? 1 : 0); break;
      default: sqlite3_result_double(ctx, v.toDouble()); break;
    }
  });
}

int NumeroDeFila(sqlite3_vtab_cursor* cur, sqlite3_int64* fila) {
  *fila = CU(cur)->t->RecNo();
  return SQLITE_OK;
}

// --- Writing.

QString TextoDeValor(sqlite3_value* v) {
  if (sqlite3_value_type(v) == SQLITE_FLOAT) return TextoReal(sqlite3_value_double(v));
  return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
}

// The value an SQL value stands for in a field of the given type, in the
// form Campo::SetValue takes.
QVariant ValorParaCampo(sqlite3_value* v, const Campo& campo, const QString& tabla) {
  const int t = sqlite3_value_type(v);
  if (t == SQLITE_NULL) return {};
  switch (campo.Tipo()) {
    case TipoDato::Fecha: {
      const QString texto = TextoDeValor(v);
      if (texto.trimmed().isEmpty()) return {};
      const QDate f = t == SQLITE_TEXT ? FechaDeTexto(texto) : QDate();
      if (!f.isValid())
        throw Error(Clase::Conversion, QStringLiteral("\"%1\" no es una fecha válida para el campo %2 de la tabla %3")
                                           .arg(texto, campo.Nombre(), tabla));
      return f;
    }
    case TipoDato::Entero:
      if (t == SQLITE_INTEGER) return QVariant::fromValue<qint64>(sqlite3_value_int64(v));
      [[fallthrough]];
    case TipoDato::Flotante:
    case TipoDato::Moneda:
      if (t == SQLITE_INTEGER || t == SQLITE_FLOAT) return sqlite3_value_double(v);
      return TextoDeValor(v);
    case TipoDato::Logico:
      if (t == SQLITE_INTEGER || t == SQLITE_FLOAT) return sqlite3_value_double(v) != 0;
      return TextoDeValor(v);
    default: return TextoDeValor(v);
  }
}

bool MismoValor(const QVariant& actual, const QVariant& nuevo, TipoDato tipo) {
  if (!actual.isValid() || !nuevo.isValid()) {
    const bool vacioActual = !actual.isValid() || (actual.typeId() == QMetaType::QString && actual.toString().isEmpty());
    const bool vacioNuevo = !nuevo.isValid() || (nuevo.typeId() == QMetaType::QString && nuevo.toString().isEmpty());
    return vacioActual && vacioNuevo;
  }
  switch (tipo) {
    case TipoDato::Texto:
    case TipoDato::Memo: return actual.toString() == nuevo.toString();
    case TipoDato::Fecha: return actual.toDate() == nuevo.toDate();
    case TipoDato::Logico: return nuevo.typeId() == QMetaType::Bool && actual.toBool() == nuevo.toBool();
    default:
      return nuevo.typeId() != QMetaType::QString && actual.toDouble() == nuevo.toDouble();
  }
}

void Asigna(Tabla& t, int argc, sqlite3_value** argv, bool soloCambios, const QString& tabla) {
  for (int i = 0; i + 2 < argc && i < t.FieldCount(); ++i) {
    sqlite3_value* v = argv[i + 2];
    if (soloCambios && sqlite3_value_nochange(v)) continue;
    Campo& campo = t.Fields(i);
    const QVariant nuevo = ValorParaCampo(v, campo, tabla);
    if (soloCambios && MismoValor(campo.Value(), nuevo, campo.Tipo())) continue;
    campo.SetValue(nuevo);
  }
}

Error SinRegistro(const QString& tabla, qint64 n) {
  return Error(Clase::NoExiste, QStringLiteral("El registro %1 de la tabla %2 ya no existe").arg(n).arg(tabla));
}

int Actualiza(sqlite3_vtab* v, int argc, sqlite3_value** argv, sqlite3_int64* fila) {
  TablaVirtual* vt = VT(v);
  return Protegido(v, vt->modulo, [&] {
    Tabla& t = vt->Escritura();
    if (argc == 1) {
      const qint64 n = sqlite3_value_int64(argv[0]);
      if (!t.VeARegistro(vt->NumeroActual(n))) throw SinRegistro(vt->archivo, n);
      t.Delete();
      if (t.Renumera()) vt->borradas.insert(std::lower_bound(vt->borradas.begin(), vt->borradas.end(), n), n);
      return;
    }
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
      t.Append();
      try {
        Asigna(t, argc, argv, false, vt->archivo);
        t.Post();
      } catch (...) {
        t.Cancel();
        throw;
      }
      *fila = t.RecNo();
      return;
    }
    const qint64 n = sqlite3_value_int64(argv[0]);
    if (sqlite3_value_type(argv[1]) != SQLITE_NULL && sqlite3_value_int64(argv[1]) != n)
      throw Error(Clase::Sql, QStringLiteral("No se puede cambiar el número de registro en la tabla %1").arg(vt->archivo));
    if (!t.VeARegistro(vt->NumeroActual(n))) throw SinRegistro(vt->archivo, n);
    t.Edit();
    try {
      Asigna(t, argc, argv, true, vt->archivo);
      t.Post();
    } catch (...) {
      t.Cancel();
      throw;
    }
  });
}

sqlite3_module ElModulo() {
  sqlite3_module m{};
  m.iVersion = 2;
  m.xCreate = Conecta;
  m.xConnect = Conecta;
  m.xBestIndex = MejorIndice;
  m.xDisconnect = Desconecta;
  m.xDestroy = Desconecta;
  m.xOpen = AbreCursor;
  m.xClose = CierraCursor;
  m.xFilter = Filtra;
  m.xNext = Siguiente;
  m.xEof = Fin;
  m.xColumn = Columna;
  m.xRowid = NumeroDeFila;
  m.xUpdate = Actualiza;
  return m;
}

}  // namespace

void RegistraModuloTabla(sqlite3* db, std::optional<plat::Error>* pendiente) {
  static const sqlite3_module modulo = ElModulo();
  auto* aux = new Modulo{pendiente};
  sqlite3_create_module_v2(db, "tabla", &modulo, aux, [](void* p) { delete static_cast<Modulo*>(p); });
}

QString CreaTablaVirtual(const QString& nombre, const QString& ruta) {
  return QStringLiteral("CREATE VIRTUAL TABLE temp.%1 USING tabla(%2)").arg(nombre, LiteralApostrofos(ruta));
}

void FijaRegistroDePlanes(std::function<void(const QString&)> registro) { RegistroDePlanes() = std::move(registro); }

QString TipoDeclarado(const DefCampo& def, TipoDato tipo) {
  const char letra = def.tipo.toUpper().toLatin1();
  switch (tipo) {
    case TipoDato::Texto: return QStringLiteral("CHAR(%1)").arg(std::max(1, def.ancho));
    case TipoDato::Fecha: return QStringLiteral("DATE");
    case TipoDato::Logico: return QStringLiteral("LOGICAL");
    case TipoDato::Memo: return QStringLiteral("MEMO TEXT");
    case TipoDato::Moneda: return QStringLiteral("MONEY");
    case TipoDato::Entero:
      if (letra == 'N') return QStringLiteral("NUMERIC(%1,0)").arg(def.ancho);
      if (letra == 'S') return QStringLiteral("SMALLINT");
      if (letra == '+') return QStringLiteral("AUTOINC");
      return QStringLiteral("INTEGER");
    case TipoDato::Flotante:
      if (letra == 'N' && def.ancho > 0) return QStringLiteral("NUMERIC(%1,%2)").arg(def.ancho).arg(def.decimales);
      if (letra == 'F' && def.ancho > 0) return QStringLiteral("FLOAT(%1,%2)").arg(def.ancho).arg(def.decimales);
      return QStringLiteral("FLOAT");
  }
  return QStringLiteral("CHAR(%1)").arg(std::max(1, def.ancho));
}

bool DeTipoDeclarado(const QString& declarado, DefCampo& def, TipoDato& tipo) {
  static const QRegularExpression patron(QStringLiteral("^\\s*([A-Z ]+?)\\s*(?:\\(\\s*(\\d+)\\s*(?:,\\s*(\\d+)\\s*)?\\))?\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch m = patron.match(declarado);
  if (!m.hasMatch()) return false;
  const QString nombre = m.captured(1).toUpper();
  const int ancho = m.captured(2).toInt();
  const int decimales = m.captured(3).toInt();
  if (nombre == u"CHAR" && ancho > 0) {
    def.tipo = u'C', def.ancho = ancho, def.decimales = 0;
  } else if (nombre == u"NUMERIC" && ancho > 0) {
    def.tipo = u'N', def.ancho = ancho, def.decimales = decimales;
  } else if (nombre == u"FLOAT") {
    def.tipo = u'F', def.ancho = ancho > 0 ? ancho : 20, def.decimales = ancho > 0 ? decimales : 4;
  } else if (nombre == u"DATE") {
    def.tipo = u'D', def.ancho = 8, def.decimales = 0;
  } else if (nombre == u"LOGICAL") {
    def.tipo = u'L', def.ancho = 1, def.decimales = 0;
  } else if (nombre == u"MEMO TEXT") {
    def.tipo = u'M', def.ancho = 10, def.decimales = 0;
  } else if (nombre == u"MONEY") {
    def.tipo = u'N', def.ancho = 20, def.decimales = 4;
    tipo = TipoDato::Moneda;
    return true;
  } else if (nombre == u"SMALLINT") {
    def.tipo = u'N', def.ancho = 6, def.decimales = 0;
  } else if (nombre == u"INTEGER" || nombre == u"AUTOINC") {
    def.tipo = u'N', def.ancho = 11, def.decimales = 0;
  } else {
    return false;
  }
  tipo = TipoDatoDe(def);
  return true;
}

}  // namespace db::sql
