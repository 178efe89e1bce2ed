#pragma once
// The catalogue of table layouts: every table a program keeps, with its file
// name, the folder it lives in (as a role the caller resolves), its fields and
// its index tags. Subsystems register their layouts into one Catalogo; the
// new-company setup, the checks of a data folder and the tests read it.
//
// A layout is sound when (Problemas gives nothing):
//   - field names are unique (without regard to case), not empty, made of
//     letters, digits and "_", at most 10 characters in a dBASE table and
//     25 in a Paradox table;
//   - each field's type and width are ones its format can store: dBASE
//     C 1..254, N/F 1..20 with decimals below width - 1 (or 0), D 8, L 1,
//     M 10, at most 255 fields in records of at most 4000 bytes (the
//     deletion mark included); Paradox A 1..255, N $ D S I L + with
//     width 0 (fixed size);
//   - every tag of a dBASE table has a unique name of at most 10 characters
//     and an expression whose names are fields of the table (a name followed
//     by "(" is a function); Paradox capture tables have no tags.

#include "platform/db/Esquema.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace db {

// The folder a table lives in, as the program decides it at run time.
enum class CarpetaTabla {
  Datos,       // the company data folder
  Inventario,  // products, per-product totals and movements; the data folder when not set
  Remisiones,  // remission tables; the data folder when not set
  Programa,    // the program folder
  Tempo,       // the folder "tempo" of the program folder
};

// When a table comes into being.
enum class OrigenTabla {
  Empresa,   // company data: made by the new-company setup, verified by the check
  Programa,  // a working table of the program folder: made by the program-folder setup
  Corrida,   // rebuilt by its own command (at each run, for one record or one
             // product); registered for its layout only, never made by a setup
             // nor verified
};

struct DefTabla {
  QString archivo;  // file name as the program spells it, with its extension
  CarpetaTabla carpeta = CarpetaTabla::Datos;
  OrigenTabla origen = OrigenTabla::Empresa;
  QString variante;    // empty, or the name of one of several layouts of one file
  QString subsistema;  // the subsystem that owns the layout
  QVector<DefCampo> campos;
  QVector<DefTag> tags;

  // A Paradox table (".db"); otherwise dBASE.
  bool Paradox() const;
  // The field of that name (without regard to case), or nullptr.
  const DefCampo* Campo(const QString& nombre) const;
  // "archivo" or "archivo (variante)", for messages.
  QString Titulo() const;
};

// Makes the layouts of one subsystem, each with its owner's name.
class Duenio {
 public:
  explicit Duenio(QString subsistema) : subsistema_(std::move(subsistema)) {}
  DefTabla Esquema(const QString& archivo, CarpetaTabla carpeta, OrigenTabla origen, QVector<DefCampo> campos,
                   QVector<DefTag> tags = {}, const QString& variante = {}) const;

 private:
  QString subsistema_;
};

// The same layout under another file name, folder or origin: the edit copies
// and templates that repeat a table's fields.
DefTabla ComoTabla(const DefTabla& modelo, const QString& archivo, CarpetaTabla carpeta, OrigenTabla origen,
                   bool conTags = true);

// Concrete folders (Windows form) for the roles; an empty inventory or
// remission folder means the data folder.
struct Carpetas {
  QString datos;
  QString inventario;
  QString remisiones;
  QString programa;

  QString De(CarpetaTabla carpeta) const;
};

// What is wrong with a layout, one Spanish sentence per fault naming the
// table and the field or tag; empty when the layout is sound.
QStringList Problemas(const DefTabla& tabla);

// The field names an index expression uses ("CLDOC_F+CLPRO_F" gives both,
// "UPPER(NOMBR_C)" gives NOMBR_C, "DTOS(FEDOC_F)" FEDOC_F).
QStringList CamposDeExpresion(const QString& expresion);

// One registered table, field or tag that a folder lacks or holds otherwise.
struct Diferencia {
  enum class Tipo { FaltaTabla, NoAbre, FaltaCampo, CampoDistinto, FaltaTag, TagDistinto };
  Tipo tipo;
  QString tabla;    // file name
  QString carpeta;  // the folder looked at (Windows form)
  QString nombre;   // field or tag name; empty for the table itself
  QString detalle;  // what was found, what the registry says, or the error

  QString Texto() const;  // the sentence shown to the user
};

// Compares a table as its file declares it with its registered layout: a
// registered field or tag the file lacks, a field of another type, width or
// decimals, a tag on another expression. Fields and tags the file has beyond
// the registry are not differences (the installation may add columns).
// Numbers 'N' and 'F' count as one type; fixed-size Paradox fields compare
// by type only.
QVector<Diferencia> ComparaTabla(const DefTabla& registrada, const QString& carpeta, const QVector<DefCampo>& campos,
                                 const QVector<DefTag>& tags);

class Catalogo;

// Makes, in its folder, every table of the origin (Empresa or Programa) that
// the folder lacks, with its tags, creating missing folders; a table already
// there is left as it is, rows and all. Returns the tables made, each as
// folder + "\\" + file. A table the layer cannot make ends the work with the
// layer's error; what was made stays. Corrida tables are never made here.
QStringList CreaTablas(const Catalogo& catalogo, const Carpetas& carpetas, OrigenTabla origen);

// For the tables of the origin (Empresa or Programa): every registered table
// its folder lacks, and for each table present every registered field or tag
// it lacks or holds otherwise (ComparaTabla). A table that is there and
// cannot be opened (held exclusively, a missing production index, a damaged
// file) is listed with the layer's message.
QVector<Diferencia> VerificaTablas(const Catalogo& catalogo, const Carpetas& carpetas, OrigenTabla origen);

class Catalogo {
 public:
  // Adds a layout. A second layout for the same folder role, file (without
  // regard to case) and variant is refused with a plat::Error naming it.
  void Registra(DefTabla tabla);

  // The layout of a file in a folder role, or nullptr.
  const DefTabla* Busca(CarpetaTabla carpeta, const QString& archivo, const QString& variante = {}) const;
  // The layout of a file wherever it lives when the name is registered in one
  // folder role only (nullptr when absent or ambiguous).
  const DefTabla* Busca(const QString& archivo, const QString& variante = {}) const;
  // The layout of a file in a folder role; plat::Error NoExiste when absent.
  const DefTabla& Tabla(CarpetaTabla carpeta, const QString& archivo, const QString& variante = {}) const;

  const QVector<DefTabla>& Tablas() const { return tablas_; }
  QVector<DefTabla> Tablas(OrigenTabla origen) const;

 private:
  QVector<DefTabla> tablas_;
};

// Compact field builders for layouts.
namespace campo {
// dBASE
inline DefCampo C(const QString& nombre, int ancho) { return {nombre, QChar('C'), ancho, 0}; }
inline DefCampo N(const QString& nombre, int ancho, int decimales = 0) {
  return {nombre, QChar('N'), ancho, decimales};
}
inline DefCampo D(const QString& nombre) { return {nombre, QChar('D'), 8, 0}; }
inline DefCampo L(const QString& nombre) { return {nombre, QChar('L'), 1, 0}; }
// Paradox
inline DefCampo A(const QString& nombre, int ancho) { return {nombre, QChar('A'), ancho, 0}; }
inline DefCampo Numero(const QString& nombre) { return {nombre, QChar('N'), 0, 0}; }
inline DefCampo Moneda(const QString& nombre) { return {nombre, QChar('$'), 0, 0}; }
// A tag on one field, named after the tag.
inline DefTag Tag(const QString& nombre, const QString& expresion) { return {nombre, expresion, false, false}; }
inline DefTag Tag(const QString& campo) { return {campo, campo, false, false}; }
}  // namespace campo

}  // namespace db
