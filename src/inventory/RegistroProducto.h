#pragma once
// The product record: one row of INVENTAR.DBF (one product in one
// warehouse), the routines that find a product from a typed text, propose
// the next consecutive key, and move its stock between stations.
//
// The table lives in the inventory folder (CarpetaInventario,
// shell/LineasConfiguracion.h); its production index has the tags ICLPRO
// (CLPRO_I), DSCPR_I and CODIG_I. The pair (CLPRO_I, ALMAC_I) names a row:
// a product kept in several warehouses has one row per warehouse.

#include "foundation/dinero.h"

#include <QDate>
#include <QString>

#include <functional>
#include <map>
#include <optional>

namespace db {
class Dataset;
class Tabla;
}  // namespace db

inline const QString kTablaProductos = QStringLiteral("INVENTAR.DBF");
inline const QString kTagClaveProducto = QStringLiteral("ICLPRO");
inline const QString kTagCodigoProducto = QStringLiteral("CODIG_I");
inline const QString kTagDescripcionProducto = QStringLiteral("DSCPR_I");

// The column of price list n: 1 PPUBL_I, 2 PLIS2_I, 3 PLIS3_I, 4 PLIS4_I,
// 5 PMINI_I, 6 PLIS6_I, 7 PLIS7_I, above 7 "PLIS" + n + "_I" (the columns
// PLIS101_I ... PLIS200_I the product window adds). "" below 1.
QString CampoPrecioLista(int lista);

// Blank fields are null: nullopt numbers, "" texts, invalid dates. An empty
// CPROM_I is nullopt, not 0: the product window gives it the last cost then.
struct TRegistroProducto {
  QString CLPRO_I;  // key
  QString DSCPR_I;  // description
  QString CODIG_I;  // alternative code ("Código 2"), found upper-cased
  QString UMEDI_I;  // unit of measure
  QString LIPRO_I;  // product line; "SERVI" (any case) marks a service
  std::optional<double> UEMPA_I;  // units per package; 0: not sold by package
  std::optional<double> EXIFA_I;  // stock in packages
  QString CLPR1_I, CLPR2_I;       // supplier keys
  QDate FEALT_I;                  // registered
  QDate FEULC_I;                  // last purchase
  QDate FEULV_I;                  // last sale
  std::optional<double> HORAF_F;  // last use, a date-time number
  std::optional<double> PTICA_I;  // exchange rate
  QString TICOS_I;                // costing method: "PEPS", "UEPS", "PROM"
  std::optional<double> PIVA1_I, PIVA2_I;  // tax percentages
  std::optional<double> STMIN_I, STMAX_I;  // stock limits
  std::optional<double> EXIST_I;           // stock; moved only by SumaExistencia, FijaExistencia
  std::optional<double> COMRE_I;           // on order from suppliers
  std::optional<double> PESUR_I;           // promised to customers
  std::optional<Dinero> ULCOS_I;           // last cost
  std::optional<Dinero> CPROM_I;           // average cost
  std::optional<Dinero> PPUBL_I, PLIS2_I, PLIS3_I, PLIS4_I, PMINI_I, PLIS6_I, PLIS7_I;  // prices 1 to 7
  std::optional<double> POLI1_I, POLI2_I, POLI3_I, POLI4_I, POLI5_I, POLI6_I, POLI7_I;  // quantity limits
  std::optional<double> PORC1_I, PORC2_I, PORC3_I, PORC4_I, PORC5_I, PORC6_I, PORC7_I;  // profit percentages
  std::optional<Dinero> VANMO_I;  // accumulated sales amount
  std::optional<double> VANCA_I;  // accumulated sales quantity
  std::optional<double> DESCU_I;  // discount percentage of sale lines
  QString UBICA_I;                // storage location
  QString ALMAC_I;                // warehouse number as text
  QString IMAGE_I;                // picture file
  QString SERIE_I;                // "S": sold with serial numbers
  QString KITXX_I;                // "S": a kit
  std::optional<double> FPGCC_I;  // factor copied into sale lines
  std::optional<double> FPGCI_I;  // date stock was last posted, as a number
  std::optional<double> FACTO_I;  // tare
  QString CADUC_I;                // expiry
  QString MENSA_I;                // message line
  // Purchase discounts; columns an installation's table may lack.
  std::optional<double> DESC1_I, DESC2_I, DESC3_I;
  // Price lists above 7 whose column the table has, blank ones as nullopt.
  std::map<int, std::optional<Dinero>> PreciosExtra;

  // Fills the record from the dataset's current row. A column of the list
  // above that the table lacks is plat::Error (NoExiste), except DESC1_I to
  // DESC3_I and the extra price lists, which then read blank.
  void Lee(const db::Dataset& productos);
  // Writes every field into the row the dataset is editing or appending,
  // EXIST_I included: a caller changing a product's stock goes through
  // SumaExistencia instead. Columns the table lacks among DESC1_I to DESC3_I
  // and the extra lists are skipped.
  void Escribe(db::Dataset& productos) const;

  // Whether list n has a column in the table the record was read from
  // (lists 1 to 7 always).
  bool TieneLista(int lista) const;
  // Price of list n; nullopt when the list has no column ("no price",
  // distinct from 0) or its field is blank.
  std::optional<Dinero> Precio(int lista) const;
  // Quantity limit and profit percentage that go with price n (1 to 7);
  // nullopt outside.
  std::optional<double> Politica(int lista) const;
  std::optional<double> Porcentaje(int lista) const;
  // Price n computed from the last cost: ULCOS_I × (1 + percentage n / 100),
  // rounded to four decimals; nullopt without a last cost or outside 1..7.
  std::optional<Dinero> PrecioDesdeCosto(int lista) const;
  // EXIST_I − PESUR_I, blanks as 0.
  double Disponible() const;
  // EXIST_I / UEMPA_I when the factor is above 0; nullopt otherwise (the
  // stored EXIFA_I then stays as it is).
  std::optional<double> ExistenciaEnEmpaques() const;
};

// Stands the open product table on the product a typed text names: the row
// whose key CLPRO_I is exactly the text (tag ICLPRO); else the row whose code
// CODIG_I is exactly the text upper-cased (tag CODIG_I). The sale screen,
// purchases and the movement grid all find their products so. True when
// found; false, the table where it stood, when neither matches or the text
// is empty. The table keeps its current tag.
bool LocalizaProducto(db::Tabla& productos, const QString& texto);
// The key of the product a typed text or scanned code names, looked up as
// LocalizaProducto does through a handle of its own on INVENTAR.DBF of
// `carpeta`; "" when the text is empty, nothing matches or the table cannot
// be read.
QString ClavePorCodigo(const QString& carpeta, const QString& texto);

// The key a new product takes with consecutive keys: the largest key of the
// table that reads as a whole number, plus one. Keys in character order end
// on "99" before "100" would sort, so every key is read. "" when no key is a
// whole number. Reads the table's file through a handle of its own; the
// caller's cursor does not move.
QString SiguienteClaveProducto(const db::Tabla& productos);

// Run on the row being edited, after the addition and before the post.
using AjusteExistencia = std::function<void(db::Tabla& productos)>;

// Adds a signed quantity to EXIST_I of the product table's current row, as
// stations meet: the row is put into edit (which locks it and reads it
// afresh from the file), the quantity is added to the stock read under the
// lock (a blank stock counts as 0), `ajuste` runs (the caller's own rules:
// a clamp at zero, costs, accumulators, dates) and the row is posted.
// Returns EXIST_I as posted.
// A row held by another station is tried again for the table layer's
// bounded wait; then plat::Error (Bloqueado) "El producto <key> está en uso
// en otra estación". On any error the edit is cancelled and nothing of the
// row changes.
double SumaExistencia(db::Tabla& productos, double cantidad, const AjusteExistencia& ajuste = {});

// Writes 0 over a negative EXIST_I of the product table's current row (the
// rule when negative stock is not allowed), testing the stock as read under
// the row's lock, so a stock another station raised meanwhile is left as it
// is. True when 0 was written. The bounded wait and message of
// SumaExistencia.
bool AnulaExistenciaNegativa(db::Tabla& productos);

// Writes a stock text into EXIST_I of the product table's current row (the
// field reads it as a number; "" leaves it blank), runs `ajuste` and posts,
// under the row's lock with the bounded wait and the message of
// SumaExistencia. On any error the edit is cancelled and nothing of the row
// changes.
void FijaExistencia(db::Tabla& productos, const QString& existencia, const AjusteExistencia& ajuste = {});
