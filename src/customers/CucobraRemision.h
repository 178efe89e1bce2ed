#pragma once
// The movement entry window of the remission accounts, "Cuentas por Cobrar".
// One instance is created at start-up (it reads the receipt format then);
// the account window (cxcdRemision.h) makes a fresh one for each of its
// commands: it inserts a movement or puts the current one into edit, binds
// this window's boxes to that row (FuenteTablaCucobrar on its TablaCxC),
// sets its own Tag to the command (1 new, 2 change, 3 delete), fills the
// title Mensaje, NombreCliente, Usuario and SaldoCapturaCxC, disables the
// customer and document boxes, shows this window modally and frees it.
//
// The concept box takes the number of an account concept of concepto.dbf
// (F2 picks one in the concept catalogue); leaving it, or the free text
// below it, with a number that names no concept puts the focus back. Accept
// ("&Acepta Movimiento") deletes the row for the delete command (never the
// main charge, concept "1"); otherwise it completes the row (the amount as
// a charge or a payment by the concept's kind, the dates, the stamp, the
// cash cut in course) and posts it. Cancel drops the insert or edit.

#include "foundation/dinero.h"
#include "platform/ui/Forma.h"

#include <QPointer>
#include <QString>

class QLabel;
class QPushButton;
class TFormaRemCxCDetalle;
namespace db {
class Dataset;
class Tabla;
}  // namespace db
namespace ui {
class EditDatos;
class FuenteDatos;
class Panel;
}  // namespace ui

// The receipt format: <program folder>\consulta\<configuration line 60>,
// taken when the start-up instance is created.
extern QString FormatoReciboCxC;
// The account's balance when the account window's Nuevo opened this window
// (F4 in the amount box writes it).
extern Dinero SaldoCapturaCxC;
// The data folder (configuration line 8), taken at the first activation.
extern QString RutaDatosCxC;

inline const QString kCuentaPrincipalNoSeBorra =
    QStringLiteral("Este Documento no Puede Ser Eliminado Cuenta Principal");

class TFormaRemCuCobra : public ui::Forma {
  Q_OBJECT
 public:
  // The first one made becomes the global instance (FormaRemCuCobra).
  explicit TFormaRemCuCobra(QWidget* owner = nullptr);

  ui::Panel* Panel1;
  QLabel* Mensaje;  // the command's title
  QLabel* Label2;   // the concept's description
  QLabel* Usuario;  // hidden: the user number
  QPushButton* BotonSi;
  QLabel* NombreCliente;
  ui::EditDatos* EditCLCLI_CC;
  ui::EditDatos* EditTIMOV_CC;
  ui::EditDatos* EditNUFAC_CC;
  ui::EditDatos* EditNUDOC_CC;
  ui::EditDatos* EditNUREF_CC;
  ui::EditDatos* EditIMCUE_CC;
  ui::EditDatos* EditFEAPL_CC;
  ui::EditDatos* EditFEVEN_CC;
  ui::EditDatos* DBEdit1;  // "Concepto": COBRA_CC
  QPushButton* BotonNo;
  QPushButton* BitBtn1;  // "&Imprimir"
  ui::FuenteDatos* FuenteTablaCucobrar;
  db::Tabla* TablaConceptos;  // concepto.dbf of the data folder, for the lookups

  // The account window whose movement table the boxes show and whose Tag
  // names the command.
  QPointer<TFormaRemCxCDetalle> Cuenta;

  void BotonSiClick();
  void BotonNoClick();
  void BitBtn1Click();

 protected:
  void FormActivate() override;
  void FormClose() override;

 private:
  void CreaComponentes();
  void ConectaCampos();
  // The movement row the boxes show (nullptr when none is bound).
  db::Dataset* Movimiento() const;
  // The row into edit when it is browsing (a print posted it).
  void EditaMovimiento();
  // The concept whose number the concept box holds, looked up in
  // concepto.dbf (opened in the data folder when closed): found, the row
  // takes its description and kind and Label2 shows it.
  bool BuscaConcepto();
  // F2 in the concept boxes: the concept catalogue in pick mode; the
  // concept picked goes into the row and is looked up.
  void EligeConcepto();
  void EditFEAPL_CCEnter();
  // Leaving a date box empty, or F3 in it: today.
  void FechaDeHoy(const QString& campo, bool siVacia);
  void CompletaMovimiento();
  void CierraCon(bool aceptado);

  QString tipoConcepto_;  // TIPOO_MO of the concept looked up last
  bool aceptado_ = false;
};

inline TFormaRemCuCobra* FormaRemCuCobra() { return ui::InstanciaDe<TFormaRemCuCobra>().data(); }
