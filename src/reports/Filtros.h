#pragma once
// The field filter of the catalogue browser: the dialog "Filtros" lists the
// fields of the browser's table from the field catalogue confcamp.cmp, the
// user types an operator word ("=", "<", ">", "<>", "<=", ">=", "&") and a
// value beside the fields to filter by, and the accepted conditions go to
// the browser's condition store, which the table's record filter then
// applies: a record passes when every condition holds.
//
//   =  <  >  <>  <=  >=   compare the field's value with the value: a date
//                         condition (type name "ftDate") or a date field as
//                         dates, a number field as a number, any other field
//                         as text (case-sensitive, by the bytes of its
//                         Windows-1252 text); a blank field is "" or 0, or
//                         before any date.
//  &                      the field's text holds the value (case-sensitive);
//                         a date condition ignores it.
// Any other word puts no condition.
//
// The receivables table "cucobrar.dbf" has a filter of its own: only its
// rows of movement kind TIMOV_CC "1" or "2" pass, whatever conditions were
// typed.
//
// Each condition is kept as its four texts (field, operator word, value,
// type name), so a value holding any character is kept whole.

#include "platform/ui/Forma.h"

#include <QDate>
#include <QString>
#include <QVector>

#include <array>

class QPushButton;
namespace db {
class Dataset;
}
namespace ui {
class RejillaTexto;
}

// One condition of the filter.
struct CondicionFiltro {
  QString campo;
  QString operador;  // the word typed; empty: no condition
  QString valor;
  QString tipo;      // the field's type name in the field catalogue
};

// The browser's condition store: the catalogue table's file name and up to
// 30 conditions. It lives as long as the program.
struct TFiltrosCatalogo {
  static constexpr int kCondiciones = 30;
  QString tabla;
  std::array<CondicionFiltro, kCondiciones> condiciones;
  // Grows whenever the conditions change.
  int version = 0;
};
TFiltrosCatalogo& FiltrosCatalogo();

class TFormaFiltros : public ui::Forma {
  Q_OBJECT
 public:
  static constexpr int kRenglones = 60;  // the title row included

  explicit TFormaFiltros(QWidget* owner = nullptr);

  // Columns: 0 "Clave" (hidden) the field name, 1 "Campo" its description,
  // 2 "Condición" the operator word, 3 "Valor", 4 (hidden) the type name.
  ui::RejillaTexto* TablaFiltros;
  QPushButton* BotonFiltrar;  // "&Filtrar": Tag 1
  QPushButton* BitBtn2;       // "&Cancelar": Tag 0
  QPushButton* BitBtn3;       // "&Aplicar Operación": hidden, no action

  void BotonFiltrarClick();
  void BitBtn2Click();

 private:
  void TablaFiltrosDblClick();
};

inline TFormaFiltros* FormaFiltros() { return ui::InstanciaDe<TFormaFiltros>().data(); }

// Fills FormaFiltros's grid with the fields of the table's block of the
// field catalogue, one row per field whose description is neither empty nor
// "No Disponible" (a row of such an entry is taken by the next entry).
void CargaCamposFiltro(const QString& tabla);
// The conditions of the grid's rows whose "Condición" is not empty, in
// order.
QVector<CondicionFiltro> LeeFiltrosCatalogo();
// Puts the conditions into the store in place of the old ones (the first
// 30).
void DesglosaFiltrosCatalogo(const QVector<CondicionFiltro>& condiciones);
// Whether the stored conditions can be applied to the dataset: every field
// named by a condition that compares exists (else plat::Error naming it),
// and its value reads as a date for a date comparison and as a number for a
// number field (else false, the user is to be told "Valor Erroneo"). An
// empty value of a number field is 0.
bool RevisaFiltrosCatalogo(const db::Dataset& datos);
// The stored conditions on the dataset's current record.
bool CumpleFiltrosCatalogo(db::Dataset& datos);
// The browser's record filter: the receivables' own filter for
// "cucobrar.dbf", the stored conditions for any other table.
bool FiltroRegistroCatalogo(db::Dataset& datos);

inline const QString kValorErroneo = QStringLiteral("Valor Erroneo");
