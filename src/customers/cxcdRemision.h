#pragma once
// The receivable account of one remission, "Cuentas X Cobrar": the
// remission header, its movements from CucobrarRemision.DBF, the balance,
// whether it is owed ("Deudor") or settled ("Saldada") and how late it is.
// The sale screen's "CxC" makes the window, loads a remission with
// MuestraCxCRemision, shows it modally and frees it.
//
// Tables: the movements (TablaCxC, CucobrarRemision.DBF on tag ICUECOB) and
// the document headers (TablaFactura, Remision.dbf or the table named by
// configuration line 68, on tag INUMENC) in the remission folder (line 63,
// else the data folder); a header table named by line 68 in the data
// folder, as is the customer table (TablaClientes, the header table of the
// printed account). The account of a header is the rows whose NUFAC_CC is
// its number and, when the header has a control number, whose CONTROL is
// that control.
//
// Balance: the remission total IMTOD_F plus the charges less the payments,
// to cents. Loading and browsing accounts only show it: they write nothing.
// Every change of the movements (Nuevo, Cambio, Borrar) stores it back into
// the first movement (SALDO_CC) and the header (SALDO_F, ABONO_F = total
// less balance, FEPAG_F = due date of the last movement) and marks the
// header paid ("G") when it owes nothing and no other status stands, or
// takes the paid mark off when it owes again. A remission without movements
// stores nothing. Movements are added, changed and deleted through the entry
// window (CucobraRemision.h): Nuevo (F9), Cambio, Borrar (right 27; the
// deletion logged in Bitacora\R-<number>.bit of the data folder when line
// 85 is "S"). The grid only shows; nothing is typed into it.

#include "customers/CuentasCobrar.h"
#include "foundation/dinero.h"
#include "platform/ui/Forma.h"

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class TFormaRemCuCobra;
namespace db {
class Tabla;
}
namespace ui {
class EtiquetaDatos;
class FuenteDatos;
class Panel;
class RejillaDatos;
}  // namespace ui

// The window's globals.
extern QString FormatoCxCDetallada;    // <program folder>\consulta\<line 39>
extern QString ControlCuentaRemision;  // control number of the account shown

class TFormaRemCxCDetalle : public ui::Forma {
  Q_OBJECT
 public:
  // The first one made becomes the global instance (FormaRemCxCDetalle).
  explicit TFormaRemCxCDetalle(QWidget* owner = nullptr);

  ui::Panel* Panel1;
  QLineEdit* Factura;  // the remission number (read-only)
  QLabel *ClaveCliente, *NombreCliente, *FechaAplicacion, *FechaVencimiento, *FechaV, *tiempo, *Estado, *SaldoE;
  ui::EtiquetaDatos *DBText3, *DBText4, *DBEdit1, *DBEdit2;  // CLDOC_F, FEVEN_F, IMTOD_F, SALDO_F
  QPushButton *BotonCxC, *BotonElimina, *BotonCambios, *BotonImprime, *BotonSalir;
  QToolButton *SpeedButton1, *SpeedButton2;  // previous and next remission
  QLabel* Usuario;                           // hidden: the user number
  ui::Panel* Panel2;
  ui::RejillaDatos* Detalle;
  ui::Panel* Panel3;
  QLabel* Saldo;

  db::Tabla* TablaCxC;
  db::Tabla* TablaFactura;
  db::Tabla* TablaClientes;
  ui::FuenteDatos* FuenteCxC;
  ui::FuenteDatos* FuenteFactura;

  // Configuration line 85 is "S" (read at creation).
  bool BitacoraCxC = false;
  // The balance of the last computation.
  Dinero SaldoCuenta;

  // Loads the account of the remission `numero` whose header has the
  // control `control` (the next header of the number when the first found
  // has another).
  void MuestraCxCRemision(const QString& numero, const QString& control);
  // Points the tables that are closed at their folders and opens them
  // (line 68 names the header table); a table that does not open shows
  // "Ha Ocurrido un Error al Abrir una de las Bases de Datos.".
  void AbreTablasDetalleCxC();
  // The account of the number in Factura and ControlCuentaRemision: the
  // header, the movement rows, the balance, the labels and the due state.
  void CargaCuentaRemision();
  // The balance of the account shown, with its state and due labels.
  void SaldoCuentaRemision();
  // SaldoCuentaRemision, and the balance stored in the first movement and
  // the header, the header marked (a change of the movements).
  void GuardaSaldoCuentaRemision();
  void EncabezadoCuentaRemision();
  void VencimientoCuentaRemision();
  // The status of the account's own header (the header table's row of the
  // account's number and control): letter "G" marks a header without status
  // paid, "D" takes the paid mark "G" off; any other status ("C" cancelled,
  // "D" and "P" returned, "E" on hold) is never touched.
  void MarcaDocumentoPagado(const QString& numero, QChar letra);

  // Commands.
  void BotonCxCClick();
  void BotonCambiosClick();
  void BotonEliminaClick();
  void BotonImprimeClick();
  void SpeedButton1Click();
  void SpeedButton2Click();
  // Ctrl+B: a header found by number.
  void BuscaDocumento();

 protected:
  void FormActivate() override;
  void FormCloseQuery(bool& puedeCerrar) override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  void CreaComponentes();
  void ConectaEventos();
  // The entry window bound to the movement row, with its title and the
  // account's customer; shown modally.
  void MuestraEntrada(TFormaRemCuCobra& entrada, const QString& titulo);
  // The header table stood on a header: its number into Factura, its
  // control kept, the account loaded.
  void CargaDeEncabezado();
  void MueveEncabezado(bool adelante);
  // PgUp and PgDn in Factura.
  void SumaNumero(int paso);
  bool HayEncabezado() const;
  bool HayCuenta() const;
  // The account's movements added up; SaldoCuenta set.
  SumaCuenta SumaCuentaRemision();
  // SaldoCuenta in the balance labels, its state and the due labels.
  void MuestraSaldoRemision();

  bool hayEncabezado_ = false;  // the header table stands on the account's header
};

inline TFormaRemCxCDetalle* FormaRemCxCDetalle() { return ui::InstanciaDe<TFormaRemCxCDetalle>().data(); }
