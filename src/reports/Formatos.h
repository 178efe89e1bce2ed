#pragma once
// The report parameters dialog, which is also the print-format picker and
// the launcher of the format editor: one window, "Edición de Formatos", with
// two panels of which the caller shows one.
//
// Panel Rangos asks for a report's parameters: a date range (Inicial,
// Final), a key range (De, Hasta), three check boxes the callers read, up to
// three field conditions (field Condicion<n>, operator Operador<n>, value
// Valor<n>; the chosen field's name shows in C<n> and its type name in T<n>),
// an order field (Orden; its name in O1) and a title. The fields are offered
// by their captions from the field dictionary Campos.DBF of the program
// folder (CamposReporte.h). "&Ejecutar" and Enter anywhere in the panel
// answer Tag 1, after dropping the conditions whose field box is empty;
// "&Cancelar" answers 0; "&Impresora..." opens the printer set-up
// (DialogosImpresora.h, component "Impresora"). A double click on a value
// box picks one of the values the field holds in the dialog's table.
//
// Panel Formatos picks a format file: the caller sets Tag 3 and shows the
// panel (EligeFormato runs the whole exchange); "&Aceptar" answers Tag 1
// with the chosen path in Rutas, "&Cancelar" answers 2.
//
// How report commands drive the dialog and hand its choices to the engine:
// ProtocoloReporte.h. Report scripts turn its conditions and order into SQL
// with CondicionesReporteSQL and OrdenReporteSQL.

#include "platform/ui/Forma.h"

#include <QString>
#include <QStringList>

#include <array>

class DialogoConfiguraImpresora;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QWidget;
class TPapelTapiz;
namespace ui {
class ListaCarpetas;
}

class TFormaFormatos : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaFormatos(QWidget* owner = nullptr);
  // A report run without a viewer lets the work files go with the dialog.
  ~TFormaFormatos() override;

  // --- Panel Rangos
  QWidget* Rangos;
  TPapelTapiz* PapelTapiz1;
  QGroupBox* GrupoDesde;
  QDateEdit* Inicial;
  QDateEdit* Final;
  QLineEdit* De;
  QLineEdit* Hasta;
  QGroupBox* GrupoOrden;
  QComboBox* Orden;
  QLabel* O1;
  QLabel* TO1;
  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;
  QGroupBox* GrupoOpciones;
  QCheckBox* Incluir1;
  QCheckBox* IncluirDevoluciones;
  QCheckBox* Incluir3;
  QGroupBox* GrupoCondiciones;
  std::array<QComboBox*, 3> Condicion{};  // Condicion1 .. Condicion3
  std::array<QComboBox*, 3> Operador{};   // Operador1 .. Operador3
  std::array<QComboBox*, 3> Valor{};      // Valor1 .. Valor3
  std::array<QLabel*, 3> C{};             // C1 .. C3: field names
  std::array<QLabel*, 3> T{};             // T1 .. T3: type names
  QComboBox* Conector;
  QComboBox* Conector2;
  QLineEdit* Titulo;
  QPushButton* BitBtn4;  // "&Ejecutar"
  QPushButton* BitBtn5;  // "&Cancelar"
  QPushButton* BitBtn1;  // "&Impresora..."
  QPushButton* BitBtn2;  // "&Datos Reporte...", hidden
  DialogoConfiguraImpresora* Impresora;

  // --- Panel Formatos
  QWidget* Formatos;
  QLineEdit* Rutas;
  QLabel* rutformato;
  ui::ListaCarpetas* Directorio;
  QListWidget* ArchivoLista;
  QPushButton* BotonEdicion;  // "&Aceptar"
  QPushButton* BitBtn3;       // "&Cancelar"
  QPushButton* BotonAceptar;  // hidden

  // The table file name last prepared, as given; the value pickers read it.
  QString TablaReporte() const { return tabla_; }
  // The field names and type names offered, in the order of the lists.
  const QStringList& NombresCampos() const { return nombres_; }
  const QStringList& TiposCampos() const { return tipos_; }

  // At most this many fields are offered.
  static constexpr int kMaximoCampos = 60;

  // Loads the fields of a table into the condition and order lists: the
  // dictionary's rows of the table, then the names of CamposGuionReporte
  // that the dictionary knows and whose caption is not offered yet.
  void CargaCampos(const QString& tabla);

  // Picker acceptance and the "Diseñar Formato" items: unless the dialog is
  // a picker (Tag 3), opens the format editor on <program folder>\consulta;
  // then answers Tag 1 and closes.
  void BotonEdicionClick();
  void BitBtn4Click();  // "&Ejecutar"
  void BitBtn1Click();  // "&Impresora..."
  // Picks a value of field C<n> into Valor<n> (n from 0).
  void ValorDblClick(int n);

 protected:
  void FormShow() override;
  void FormActivate() override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  void ConstruyeRangos();
  void ConstruyeCondiciones();
  void ConstruyeFormatos();
  void CondicionChange(int n);
  void OrdenChange();
  void CambiaCarpeta(const QString& carpeta);
  // The index of the offered field the box names, or −1.
  int CampoElegido(const QComboBox* caja) const;
  void AgregaCampo(const QString& descripcion, const QString& nombre, const QString& tipo);
  void Cierra(int tag);

  QString tabla_;
  QStringList nombres_;
  QStringList tipos_;
  bool recienMostrada_ = false;
};

inline TFormaFormatos* FormaFormatos() { return ui::InstanciaDe<TFormaFormatos>().data(); }

// The routines below act on FormaFormatos, which the caller has created;
// without it they do nothing (and give empty texts).

// Captions the dialog "Datos del Reporte", enables the date range, the key
// range, "Por Moneda", "Incluir Devoluciones", "No Disponible" and the
// condition fields by the flags (the last three flags are kept for the
// callers and do nothing) and loads the fields of the table (a file name
// such as "cliente.dbf").
void PreparaParametrosReporte(bool fechas, bool rango, bool porMoneda, bool devoluciones, bool noDisponible,
                              bool condiciones, bool, bool, bool, const QString& tabla);
// Keeps the program folder in CarpetaProgramaReportes, sets both dates to
// today and the key range to the first and last keys. The first two
// arguments are kept for the callers and do nothing.
void FijaRangoReporte(int, int, const QString& primera, const QString& ultima);
// CargaCampos of FormaFormatos, keeping the program folder in
// CarpetaProgramaReportes.
void CargaCamposReporte(const QString& tabla);

// One SQL comparison of a condition, to follow a field name: for "=", "<",
// ">", "<>", "<=", ">=" the word and the value in double quotes ("=" with no
// value gives " IS NULL", "<>" with no value " LIKE NOT NULL"); "&" gives
// "W"; "Inicia_Con", "Termina_Con" and "Incluye" a LIKE pattern in single
// quotes that matches the value as typed (a %, _ or backslash of the value
// escaped, with an ESCAPE clause). Quotes inside the value are doubled.
// Another word leaves `salida` as it was.
void ComparacionSQL(const QString& palabra, const QString& valor, QString& salida);
// The dialog's date range on the given fields (either may be empty) and its
// conditions, as SQL beginning with "and "; empty when nothing applies.
void CondicionesReporteSQL(const QString& campoDesde, const QString& campoHasta, QString& salida);
// The field name of the chosen order, or empty when Orden is empty. The
// first argument is kept for the callers and does nothing.
void OrdenReporteSQL(const QString&, QString& salida);

// The print-format picker of the "Elegir Formato" items: shows the panel
// Formatos on <program folder>\consulta; when the user accepts an existing
// file, `formato` := its path and true. An accepted path that names no file
// shows "El Formato <path> No Existe", naming the path accepted or (with
// AvisoFormato::Actual) the format kept, and leaves `formato` as it was.
enum class AvisoFormato { Elegido, Actual };
bool EligeFormato(QString& formato, AvisoFormato aviso = AvisoFormato::Elegido);
