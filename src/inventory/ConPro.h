#pragma once
// The product lookup: the modal catalogue "Catálogo de Productos" from which
// every document window (sale screen, returns, purchases, inventory
// movements, kits, the legacy document form, the product window) picks a
// product, and the routines through which they call it.
//
// The window is created once at program start (FormaConProduct()) and keeps
// its product table open from one lookup to the next: an entry refreshes the
// table and moves to the nearest key, and the grid reads only the rows it
// shows, so a lookup costs the same on any catalogue. Only
// CierraConsultaProductos closes the table; the next lookup opens it again.
//
//   QString clave = textoCapturado;            // the default, kept on Esc
//   BuscaProducto(textoCapturado, 1, clave);
//   BuscaProductoPorOrden(texto, 1, 2, true, clave);  // descriptions holding it
//
// The grid shows the product table (table mode) or the result of a search
// (query mode): the descriptions containing a text (F4, or a lookup with
// `contiene`) or the two-field filter of busca_extra.cnf (F5). The right-hand
// panel always shows the table's current row: its line, its seven prices
// with their quantity limits, the stock in packages and pieces, the cost of
// a package and, without "Ver Politicas", the quantity available.
//
// Keys (the window sees them before its controls): Esc cancels (Tag 100),
// Enter and a double click accept (Tag 1); F1, F2, F3 order by key,
// description, code; Ctrl+B quick search; F4 search by a text held in the
// description; F5 two-field filter; F12 the price of a package; letters and
// digits type ahead to the nearest key ("0" clears); in the grid Alt+letter
// types ahead too and the numeric-pad plus and minus change its font size.
//
// Settings: precios.cnf in the program folder (line 1 the price columns
// shown, 2 "S" for "Activar Busqueda", 3 "S" for "Ver Politicas"), read at
// creation and rewritten on a change only when it exists. With several
// warehouses (configuration line 46 "S") a lookup lists the rows of its
// warehouse only.

#include "foundation/dinero.h"
#include "platform/ui/Forma.h"

#include <QString>

class ConsultaContiene;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
struct TRegistroProducto;

namespace db {
class Consulta;
class Dataset;
class Tabla;
}  // namespace db

namespace ui {
class EtiquetaDatos;
class FuenteDatos;
class Panel;
class RejillaDatos;
}  // namespace ui

class TFormaConProduct : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaConProduct(QWidget* owner = nullptr);
  ~TFormaConProduct() override;

  ui::Panel* Panel1;
  QRadioButton* RadioClave;        // "Clave (F1)"
  QRadioButton* RadioDescripcion;  // "Descripción (F2)"
  QRadioButton* RadioCodigo;       // "Código (F3)"
  QRadioButton* RadioFiltro;       // "Filtro Avanzado (F4)"
  QSpinBox* Precios;               // price columns shown, 1 to 7
  QCheckBox* ActivaBusqueda;
  QCheckBox* VerPoliticas;
  QPushButton* BotonBuscar;
  QPushButton* BotonFiltro;
  QLabel* LabeltiempoBusqueda;
  ui::RejillaDatos* Detalle;
  db::Tabla* TablaConProducto;     // INVENTAR.DBF, shown through DataSource1
  ConsultaContiene* QueryProducto; // descriptions holding a text, through DataSource2
  db::Consulta* QueryFiltro;       // the two-field filter, through DataSource2
  ui::FuenteDatos* DataSource1;
  ui::FuenteDatos* DataSource2;
  ui::Panel* Panel2;               // the right-hand panel
  QLabel* LabelEmpaque;
  ui::EtiquetaDatos* LabelLinea;   // LIPRO_I
  QLabel* Label2;
  ui::Panel* Panel4;               // Prec1 ... Prec7 beside Pol1 ... Pol7

  // Prices 1 to kPrecios are the grid's columns kColumnaPrecio1 onwards.
  static constexpr int kPrecios = 7;
  static constexpr int kColumnaPrecio1 = 2;

  // Set at creation from configuration line 46; the movement and purchase
  // windows set it again from the same line.
  bool FiltroPorAlmacen = false;
  // The warehouse of the last filtered lookup.
  int UltimoAlmacenConsulta = 0;
  // Type-ahead texts of the window and of the grid, 20 characters at most.
  QString TextoTecleado;
  QString TextoTecleadoGrid;

  // --- What the lookup routines below do, step by step.
  // Points the product table at the inventory folder and opens it when it is
  // closed (a failure is logged and the window goes on), then recomputes
  // the package label.
  void PreparaConsultaProductos();
  // The start of every lookup: the table in the grid, prepared when the Tag
  // is 0; a lookup of the table (porAlmacen) filters it to the warehouse
  // when several are in use and sets the Tag to 1.
  void PreparaEntrada(int almacen, bool porAlmacen);
  // Order 1 key, 2 description, 3 code sets that tag (and, with `titulo`,
  // the caption); any other leaves the tag. Then the table is refreshed and
  // moved to the key nearest to `texto`.
  void SituaEnOrden(int orden, bool titulo, const QString& texto);
  // Query mode with the products whose description contains the text, in
  // description order, from every warehouse.
  void BuscaContiene(const QString& texto);
  // The chosen key: Tag 1 gives the key of the row shown (the table's or the
  // query's; "" when there is none); any other Tag gives `inicial`.
  QString Resultado(const QString& inicial) const;
  // Table mode.
  void MuestraTabla();
  // Closes the table (the next lookup reopens it) and sets the Tag to 0.
  void CierraTablas();

  // The price of one package of the table's current product, as text
  // ("$ 114.00").
  QString TextoPrecioPorEmpaque() const;
  // DSCPR_I of the table's current row ("" when none).
  QString Descripcion() const;
  // LabelEmpaque: packages, pieces and the cost of a package of the table's
  // current row.
  void MuestraEmpaqueProducto();
  // Hides every price column, then shows price columns 1 to n (the count as
  // text; "" changes nothing, a count outside 1 to 7 leaves all hidden).
  void MuestraColumnasPrecios(const QString& cuantas);

 protected:
  void FormShow() override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  bool EnModoConsulta() const;
  void MuestraConsulta(db::Dataset* consulta);
  // The table's current row read as a record (blank when there is none).
  TRegistroProducto ProductoActual() const;
  // Label2 "Disponible" with EXIST_I - PESUR_I, unless "Ver Politicas".
  void MuestraDisponible();
  // F1 to F3 and a click of their radio buttons.
  void OrdenaPor(int orden, bool teclado);
  void BusquedaRapida();
  void BusquedaContieneDesdeTeclado();
  void FiltroDosCampos();
  // The filter statement from the field names and texts of the two boxes;
  // "" when both are empty. A name that is no field of the table is
  // plat::Error (NoExiste) and is never put into the statement.
  QString SentenciaFiltro(const QString& campo1, const QString& texto1, const QString& campo2,
                          const QString& texto2) const;
  // Appends the key's character to `buffer` and moves the table to the
  // nearest key, for keys from `desde` to the numeric-pad 9; any other key
  // (and a failed search) clears it.
  void TecleaBusqueda(QString& buffer, int codigoVirtual, int desde);
  // After the grid's row changed by Up, Down or a click.
  void FilaCambiada();
  void LeePrecios();
  void PreciosCambiados();
  void FuenteRejilla(int delta);

  bool almacenFiltrado_ = false;  // a lookup has filtered the table
};

inline TFormaConProduct* FormaConProduct() { return ui::InstanciaDe<TFormaConProduct>().data(); }

// Lookup in key order from the key nearest to `inicial`, among the rows of
// the warehouse when several are in use (warehouse 0: rows without one).
// clave := the chosen key; `inicial` when the user cancels (Esc), the
// current row's key when the window is closed by its close box. Needs the
// window created at start (plat::Error Estado otherwise).
void BuscaProducto(const QString& inicial, int almacen, QString& clave);
// Lookup in order 1 key, 2 description or 3 code (any other: the order in
// use) from the entry nearest to `texto`, filtered by warehouse as
// BuscaProducto; with `contiene`, the products of every warehouse whose
// description contains `texto`, in description order. clave := the chosen
// key, `texto` when cancelled or closed by the close box. The grid shows the
// table again afterwards.
void BuscaProductoPorOrden(const QString& texto, int almacen, int orden, bool contiene, QString& clave);
// Closes the lookup's tables so that the next lookup reads them afresh
// (another station's stock changes show). Called after a sale or purchase
// is saved. Does nothing when the window was never created.
void CierraConsultaProductos();
// precio := the price of one package of the lookup's current product, as
// text ("$ ###,##0.00").
void PrecioPorEmpaque(QString& precio);
// descripcion := DSCPR_I of the lookup's current product (the kit dialog
// calls it right after BuscaProducto).
void DescripcionConsultaProducto(QString& descripcion);

// The price of one package of a product: the package factor U = UEMPA_I
// times the price of the last of the seven tiers whose test holds, tier 1
// when 0 < U <= POLI1_I, tier n (2 to 7) when POLI(n-1)_I < U <= POLIn_I
// (blanks as 0). 0 when no tier holds (U of 0, or above every limit).
// This is the package rule of the lookup, not the sale screen's volume
// price.
Dinero PrecioEmpaque(const TRegistroProducto& producto);

// The old virtual-key code of a Qt key: letters 65 to 90, digits 48 to 57,
// numeric-pad digits 96 to 105; 0 for any other key.
int CodigoVirtual(int tecla, Qt::KeyboardModifiers modificadores);
