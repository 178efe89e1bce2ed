#pragma once
// The stock card ("Kardex") of a product: the movement lines that changed
// its stock, one row per line in the order of the caller's query, each with
// its signed quantity and the running stock after it, and the totals of
// entries, exits and the resulting stock.
//
// Builders run a query given by their caller, copy its rows into the card
// table auxiliar.dbf and show it in TFormaCosteo; two more only count the
// rows. Each card lives in a scratch folder of its own under the program
// folder's tempo (one auxiliar.dbf per card, so stations and windows carding
// at once never mix their rows), removed with the window.
//
// Sign rule: a concept above 50 is an entry (the quantity as it comes), any
// other an exit (the quantity × −1). Document queries deliver the concept in
// the integer column CLDOC_F as −(111100 + concept).
//
// Results are texts; numbers in them are written by TextoCantidadKardex.
// A query the SQL layer cannot run reaches the caller as plat::Error and no
// card is shown; a row that cannot be copied is skipped and counts nowhere.

#include "platform/ui/Forma.h"

#include <QString>

#include <memory>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTemporaryDir;
class QToolButton;

namespace db {
class Consulta;
class Tabla;
}  // namespace db
namespace ui {
class DialogoArchivo;
class FuenteDatos;
class Panel;
class RejillaDatos;
}  // namespace ui

// The card window. Tag: 0 created, 1 after the first activation, 100 after
// "Ajustar Inv.".
class TFormaCosteo : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaCosteo(QWidget* owner = nullptr);
  ~TFormaCosteo() override;

  ui::Panel* Panel1;
  QDateEdit* Inicio;
  QDateEdit* Final;
  QPushButton* BotonFiltrar;
  QComboBox* ComboCampos;
  QComboBox* Operador1;
  QLineEdit* EditFiltro;
  QPushButton* BitBtn1;  // "Ajustar Inv."
  QPushButton* BitBtn2;  // "Exportar"
  QToolButton* SpeedButton1;  // "Imprimir": the card through the report generator
  QLabel* EtiquetaProducto;
  QLabel* EtiquetaDescribe;
  ui::RejillaDatos* Detalle;
  ui::Panel* Panel2;
  QLabel* Actuales;
  db::Consulta* TablaSQLCosteo;
  db::Tabla* TablaNormal;
  ui::FuenteDatos* FuenteNormal;
  ui::DialogoArchivo* DialogoGuarda;

  // Makes this card's auxiliar.dbf, in the layout of the variant
  // (EsquemaAuxiliar), in a new folder of its own, and opens it in
  // TablaNormal. plat::Error when the folder or the table cannot be made.
  void CreaTarjeta(const QString& variante);
  // That folder (local path); "" before CreaTarjeta.
  QString CarpetaTarjeta() const;

 protected:
  void FormShow() override;
  void FormActivate() override;

 private:
  void ConstruyePanelSuperior();
  void TitulaColumnas();
  void BotonFiltrarClick();
  void BitBtn1Click();
  void BitBtn2Click();
  // The rows the card shows (filtered ones only while filtered) through the
  // report parameters dialog, the report engine and its viewer, with the
  // card's chart (Costeo_impresion.cpp).
  void SpeedButton1Click();
  // The filter text of the pickers and the field condition; the field
  // test of "Termina_Con" and "Incluye" goes to OnFilterRecord.
  QString TextoFiltro();
  // KARDEX from 0 over the visible rows.
  void RecuentaKardex();

  std::unique_ptr<QTemporaryDir> carpeta_;
};

inline TFormaCosteo* FormaCosteo() { return ui::InstanciaDe<TFormaCosteo>().data(); }

// The card of the movement mirror (layout A): query columns CLPRO_MI,
// TIMOV_MI, CANTI_MI, COSUN_MI, CLDOC_MI (turned into the document text of
// TextoDocumentoKardex), FEDOC_MI; the order clause goes on a line of its
// own after the query. Shown modally when `muestra`. Result: the final
// stock when the card was not shown or the user pressed "Ajustar Inv.",
// else "".
QString MuestraKardexIntegral(const QString& consulta, const QString& orden, const QString& existenciaActual,
                              bool muestra);

// The card of the movement rows (layout B): the columns of layout A and
// DESCR_MI, REFMO_MI; EXIST_MI and REFE when the query has them. Always
// shown. Result: the final stock after "Ajustar Inv.", else "".
QString MuestraKardex(const QString& consulta, const QString& orden, const QString& existenciaActual);

// The card of the movement rows without rows, product or title, totals 0,
// shown modally; whatever the user does, nothing comes back.
void MuestraKardexVacio();

// The alternate card (layout D) of a document union: query columns PRO,
// CLDOC_F, CANTI_FD, CLAVE, FECHA, ORIGEN, REFE, CLIPROV, USUARIO, run as
// given. The key prefixes the wait notice. Shown modally when `muestra`.
// Result after "Ajustar Inv." on an unfiltered card: "stock,entries,exits,"
// (exits positive); otherwise "".
QString MuestraKardexAlterno(const QString& consulta, const QString& clave, const QString& existenciaActual,
                             bool muestra);

// Builds layout C without showing it and, with mode "promedio", returns
// "stock,average cost": the cost weighted over every concept-51 row of the
// query (Σ CANTI_MI × COSUN_MI ÷ Σ CANTI_MI), or "stock,0" when those sums
// are not above zero. Any other mode returns "".
QString CalculaCostoPromedio(const QString& consulta, const QString& orden, const QString& modo,
                             const QString& clave);

// Counts a document union (columns CLDOC_F, CANTI_FD) without a card:
// "stock,entries,exits," with exits positive.
QString CalculaExistenciaKardex(const QString& consulta);

// The same count as "entries<TAB>exits" with exits negative.
QString SumaMovimientosKardex(const QString& consulta);

// A number as the results write it: 15 significant digits, no trailing
// zeros, so sums of decimal quantities read as typed (0.33 three times is
// "0.99"); -0 is "0".
QString TextoCantidadKardex(double valor);

// The document text of the integral card: the first character, "-", then
// "0" and the rest left-padded with "0" to six characters ("R15" gives
// "R-000015"); a text of one character or none as it is.
QString TextoDocumentoKardex(const QString& documento);
