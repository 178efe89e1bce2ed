#pragma once
// "Consulta de Cuentas por Pagar": one supplier at a time with the charges,
// payments and balance of its purchase receipts and the list of those
// receipts (only those that still owe more than 0.01 while "Solo con Saldo"
// is marked), in one currency: "M.N." lists the national ones, a blank
// MONED_O included; another name lists only its own. A receipt is live
// while STDOC_O is not "C" (blank is live). Every time a supplier is shown
// its totals, as the list counts them, are written into CARGO_P, ABONO_P
// and SALDO_P of its record.
//
// Enter or a double click on a receipt (or "&Pagos y Movimientos") opens
// its payable account (CxPDetalle.h). Ver > "Pago Masivo" shows the list of
// receipts to pay at once: "Agregar" adds the receipt under the cursor once,
// "Aplicar" pays in cash, after asking, every listed receipt of the view:
// one CUEPAGAR.DBF row of concept 7 "Efectivo" for its balance at that
// moment and the receipt marked paid. Each receipt is locked before its
// balance is read, so two stations paying it at once pay it once.
//
// Created at start-up; the supplier catalogue's "Saldo..." (right 7) shows
// it modeless and positions it on the supplier shown.

#include "foundation/dinero.h"
#include "purchasing/TablasCompras.h"
#include "platform/ui/Forma.h"

#include <QString>

class QAction;
class QComboBox;
class QLabel;
class QListWidget;
class QMenuBar;
class QPushButton;
namespace db {
class Tabla;
}
namespace ui {
class EtiquetaDatos;
class FuenteDatos;
class Navegador;
class Panel;
class RejillaDatos;
}  // namespace ui

// The concept of a cash payment.
inline constexpr int kConceptoPagoEfectivoCxP = 7;

inline const QString kMonedaNacional = QStringLiteral("M.N.");
inline const QString kConfirmaPagoMasivo = QStringLiteral("Esta Seguro de Aplicar los PAGOS ?");

// The record filter of a supplier's receipts as the list shows them: live
// ones (with a balance above 0.01 when `soloConSaldo`) of the currency
// `moneda`, "M.N." taking the blank currency too. The name is spliced as a
// quoted constant, its quotes doubled.
QString FiltroComprasProveedor(bool soloConSaldo, const QString& moneda);
// The record filter of the payables table: the receipts' charge rows
// (concept 51), only those with a balance when `soloConSaldo`.
QString FiltroCuentasPagar(bool soloConSaldo);

class TFormaConsultaCuePagar : public ui::Forma {
  Q_OBJECT
 public:
  // The first one made becomes the global instance (FormaConsultaCuePagar).
  explicit TFormaConsultaCuePagar(QWidget* owner = nullptr);

  QMenuBar* MainMenu1;
  QAction *Buscar1, *SoloconSaldo1, *PagoMasivo1, *Agregar1, *Aplicar1, *Informacion1, *Salir1;
  ui::Panel* Panel1;
  ui::EtiquetaDatos* ClaveProveedor;  // CLAVE_P
  QLabel *Nombre, *Cargos, *Abonos, *Saldo;
  ui::Navegador* DBNavigator1;
  QComboBox* editDIVIO_CP;
  QPushButton *BitBtn1, *BitBtn2, *BitBtn3, *BotonBuscar, *BotonPreliminar, *BotonSalir;
  ui::RejillaDatos* Detalle2;
  QLabel* BarraEstado;
  QListWidget* ListBoxPagos;
  QLabel* LabelTotal;

  db::Tabla* TablaProveedo;  // PROVEEDO.DBF, ICLAPRO
  db::Tabla* TablaCompras;   // COMPRASE.DBF, CLPRV_O
  db::Tabla* TablaDeta;      // Cuepagar.DBF, CLPRO_CP
  ui::FuenteDatos* FuenteProveedo;
  ui::FuenteDatos* FuenteCompras;

  // The bulk-payment total and the payables print format
  // (<program folder>\consulta\<line 20>).
  Dinero TotalPagos;
  QString FormatoCxP;
  // The supplier's totals as last computed.
  Dinero CargosProveedor, AbonosProveedor, SaldoProveedor;

  // Prepares the window when it was not, stands on the supplier nearest to
  // `clave` and shows its receipts and totals. The caller shows the window.
  void PosicionaCuentaProveedor(const QString& clave);
  // The receipts of the supplier shown, by "Solo con Saldo" and currency.
  void FiltraDocumentosProveedor();
  // The totals of the receipts of the view, shown and written into the
  // supplier's record (a failed write is let go).
  void RecalculaSaldoProveedor();
  // Every table pointed at the data folder and opened (each failure logged).
  void AbreTablasCxP();
  // The payables table's record filter, by "Solo con Saldo", switched on.
  void FiltraCuentasPagar();

  // Commands.
  void AbreCuentaCompra();
  void BotonBuscarClick();
  void SoloconSaldo1Click();
  void PagoMasivo1Click();
  void Agregar1Click();
  void Aplicar1Click();
  void BotonPreliminarClick();
  void MueveProveedor();
  void editDIVIO_CPEnter();

 protected:
  void FormShow() override;
  void FormActivate() override;
  void FormClose() override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  void CreaComponentes();
  void CreaMenu();
  void ConectaEventos();
  void Prepara();
  void AjustaAncho();
  QString MonedaElegida() const;
  // Pays one receipt (record `registro` of the receipt table) through
  // cursors of its own on the receipts and the payables: false when it owed
  // nothing by then.
  bool PagaCompra(db::Tabla& compras, db::Tabla& cuentas, qint64 registro);

  bool cargandoMonedas_ = false;
};

inline TFormaConsultaCuePagar* FormaConsultaCuePagar() { return ui::InstanciaDe<TFormaConsultaCuePagar>().data(); }
