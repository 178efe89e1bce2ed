#pragma once
// The physical count sheet "Ajustar": Ajuste.dbf of the inventory folder,
// one row per product with the stock the system expects (TEORICO), the
// quantity counted (REALES, typed in the grid), the variance (AJUSTE) and the
// three values at the last cost. The movement window's "Ajuste de
// Inventario" builds the table (CreaTablaAjuste, LlenaTablaAjuste) and opens
// the sheet over it (AbreHojaConteo); "Ajustar..." accepts it, and the count
// of the rows shown at that moment is posted through the movement window
// (TFormaMovimientosInventario::GuardaConteo) in the mode chosen:
// "Utilizar Campo Ajuste" posts the variances, "Utilizar Campo Reales"
// makes the count the new starting inventory. Neither chosen: nothing.
//
// A dBASE field name keeps ten characters: VALOR_TEORICO, VALOR_REALES and
// VALOR_AJUSTE are stored as VALOR_TEOR, VALOR_REAL and VALOR_AJUS.

#include "platform/ui/Forma.h"

#include <QString>

#include <functional>

class QAction;
class QCheckBox;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QRadioButton;
namespace db {
class Tabla;
}
namespace ui {
class FuenteDatos;
class RejillaDatos;
}  // namespace ui

inline const QString kTablaConteo = QStringLiteral("Ajuste.dbf");
inline const QString kArchivoImporta = QStringLiteral("importa.cnf");
inline const QString kFaltanDatosFiltrar = QStringLiteral("Faltan Datos para Filtrar...");

class TFormaAjustar : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaAjustar(QWidget* owner = nullptr);

  QMenuBar* MainMenu1;
  QAction* Imprimir1;
  QRadioButton* CampoAjuste;  // "Utilizar Campo Ajuste"
  QRadioButton* CampoReales;  // "Utilizar Campo Reales"
  QPushButton* BitBtn1;       // "Calcular Variación"
  QPushButton* BitBtn2;       // "Importar Archivo"
  QPushButton* BitBtn3;       // "Exportar Archivo"
  QPushButton* BitBtn4;       // "Ajustar...": Tag 1 and close
  QLineEdit* Edit1;           // "De"
  QLineEdit* Edit2;           // "Hasta"
  QCheckBox* ClaveF;
  QCheckBox* LineaF;
  QCheckBox* ProveedorF;
  QPushButton* BitBtn5;       // "Filtrar..."
  QCheckBox* SoloConAjuste;   // "Solo con Cantidad de Ajuste"
  db::Tabla* TablaAjuste;     // Ajuste.dbf, tag CLAVE
  ui::FuenteDatos* DataSource1;
  ui::RejillaDatos* DBGrid1;  // only REALES is typed into

  // Adds the counts of a counts file to REALES: one count a line, the key,
  // the separator, the quantity (at most five items are read, each cut to 60
  // characters; only the first two are used; a line without a key is
  // passed over; several lines of one key add up). The file is read whole
  // first: when any line names a key the sheet lacks or holds a quantity
  // that is not a number, one message names those lines and nothing is
  // added. A missing file: "El Archivo <ruta> No Existe".
  void ImportaConteos(const QString& ruta, QChar separador);
  // "Importar Archivo": the path and separator of importa.cnf (program
  // folder; "C:\VRL\" and "," when it is missing or short) offered to
  // `elige`, the text-file import dialog; when it accepts, importa.cnf is
  // rewritten with its path and separator and the counts of that file are
  // added (ImportaConteos, with the separator's first character).
  using EligeArchivoConteos = std::function<bool(QString& ruta, QString& separador)>;
  void ImportaArchivo(const EligeArchivoConteos& elige);

 protected:
  void FormCloseQuery(bool& puedeCerrar) override;

 private:
  void BitBtn1Click();
  // "Calcular Variación" over the rows shown; false when the row being
  // typed could not be kept (the grid told why).
  bool CalculaVariacion();
  void BitBtn2Click();
  void BitBtn3Click();
  void BitBtn4Click();
  void BitBtn5Click();
  void SoloConAjusteClick();
  void Imprimir1Click();
};

// Recreates Ajuste.dbf in the folder through the SQL layer: DROP TABLE,
// CREATE TABLE with the sheet's columns, CREATE INDEX CLAVE; a statement
// that fails is passed over.
void CreaTablaAjuste(const QString& carpeta);
// Appends to Ajuste.dbf of the folder one row per product of INVENTAR.DBF of
// the same folder, in key order: CLAVE, DESCRIPCIO, TEORICO (the stock),
// COSTO (the last cost), LINEA and PROVEEDOR (the first supplier), each
// copied as text. When the table already holds rows (another station has
// it open, so it could not be made anew) nothing is appended and
// plat::Error (EnUso) says so. Other errors reach the caller.
void LlenaTablaAjuste(const QString& carpeta);

// Shows the count sheet over Ajuste.dbf of the folder and, when it is
// accepted with a mode chosen, posts the rows shown through the movement
// window (FormaMovimientosInventario, which must exist).
void AbreHojaConteo(const QString& carpeta);
