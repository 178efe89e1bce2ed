#pragma once
// The cash voucher window "Salidas de Efectivo" / "Entradas de Efectivo":
// the vouchers of one day and one kind (1 cash out, 2 cash in) of
// Retiros.dbf, a new one numbered after the largest of that day and kind,
// its amount and concept, saved into the table and the day's cash file
// (AcumulaEfectivo), deleted or printed with the administrator's password.
//
// The caller creates the window, hands it the register number, the kind and
// the shift text through MuestraMovimientosEfectivo (which shows it
// modally), and frees it. Retiros.dbf is the company's, in its own folder
// (shell/LugarTablas.h), whatever kind of document the caller shows. A Tag
// of 1 afterwards says the user chose "&Imprimir": TablaRetiros then stands
// on the voucher to print.
//
//   auto ventana = std::make_unique<TFormaSalidasEfectivo>();
//   MuestraMovimientosEfectivo(caja, 1, turno);
//   if (ventana->Tag() == 1) ... print TablaRetiros's row
//
// Numbers: the number a new voucher shows is taken again when it is saved,
// under the numbering lock of Retiros.dbf, as the largest number of its day
// and kind + 1, so two registers saving at once never share one.

#include "platform/ui/Forma.h"

#include <QString>

#include <memory>

class QDateEdit;
class QLabel;
class QListWidget;
class QPushButton;
class QToolButton;
namespace db {
class Numeracion;
class Tabla;
}  // namespace db
namespace ui {
class EditDatos;
class FuenteDatos;
class Navegador;
class Panel;
class RejillaDatos;
}  // namespace ui

class TFormaSalidasEfectivo : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaSalidasEfectivo(QWidget* owner = nullptr);
  ~TFormaSalidasEfectivo() override;

  db::Tabla* TablaRetiros;
  ui::FuenteDatos* FuenteRetiros;
  ui::Panel* Panel1;
  QDateEdit* Calendario;
  ui::RejillaDatos* DBGrid1;
  ui::Navegador* DBNavigator1;
  ui::EditDatos* EditCantidad;
  QListWidget* ListaConceptos;
  QToolButton* SpeedButton1;  // "..."
  QPushButton *BitBtn3, *BitBtn4, *Guardar, *BitBtn1;  // "&Nuevo", "Eliminar", "&Guardar", "&Imprimir"
  QLabel* Total;
  QLabel *LabelTipo, *LabelTurno;  // hidden: the kind ("1", "2") and the shift text

  // Fills the window for the register, kind and shift and shows it modally
  // (see the top of this file).
  void MuestraMovimientosEfectivo(const QString& caja, int tipo, const QString& turno);

  void BitBtn3Click();  // "&Nuevo"
  void BitBtn4Click();  // "Eliminar"
  void GuardarClick();  // "&Guardar"
  void BitBtn1Click();  // "&Imprimir"
  void SpeedButton1Click();
  void CalendarioChange();
  // "Retiros  " + the sum of every voucher of the table (all days, both
  // kinds), rounded up to ten cents.
  void ActualizaTotal();

 protected:
  void FormShow() override;
  void FormClose() override;

 private:
  void FiltraDia();
  void LeeConceptos();
  void ListaConceptosClick();
  void ListaConceptosDblClick();
  void MuestraConcepto();
  void HabilitaCaptura(bool habilitado);
  bool AutorizaAdministrador();
  void TablaRetirosBeforePost();
  // The voucher being typed numbered under the numbering lock (held until
  // the row is posted).
  void NumeraRetiro();
  QString CarpetaDatos() const;

  QString caja_;           // the register number, at most 4 characters
  double acumulado_ = 0;   // the amount of configuration line 91
  QString programa_;       // the folder of the day files and of borrados.dat
  std::unique_ptr<db::Tabla> numerador_;        // a handle of its own for the numbering lock
  std::unique_ptr<db::Numeracion> numeracion_;  // held while a new voucher is posted
};

inline TFormaSalidasEfectivo* FormaSalidasEfectivo() { return ui::InstanciaDe<TFormaSalidasEfectivo>().data(); }

// MuestraMovimientosEfectivo of FormaSalidasEfectivo, which the caller has
// created; nothing without it.
void MuestraMovimientosEfectivo(const QString& caja, int tipo, const QString& turno);
