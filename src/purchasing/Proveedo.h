#pragma once
// The supplier catalogue: creates, changes, deletes, finds and prints the
// suppliers of PROVEEDO.DBF in the data folder (configuration line 8).
// Created once at start-up and shown modeless by the main menu after right 3
// (the opener hands the user over in the hidden label Usuario).
//
// Modes, kept in the Tag of two toolbar buttons: browsing (both 0), a new
// supplier (BotonNuevo 1: a row being inserted in PROVEEDO.DBF) and a change
// (BotonCambios 1: the supplier copied into ProvAux.dbf of the program
// folder, which every box then shows and changes). The edit area Caja is
// enabled and the frame Panel2 red while a supplier is being edited; green
// otherwise. The window's Tag is 0 until an activation has opened its tables
// (a change of company closes them and sets it back to 0).
//
// Saving, by Guardar or by the close question's "save", checks the key
// first: "Falta la Clave..." when it is empty, "La Clave ya Existe Es
// Necesario Cambiarla" when another supplier holds it (the supplier itself
// excluded), and the focus goes back to the key. The check and the write run
// under the table's numbering lock, so two stations never store one key
// twice. With automatic keys (line 35 "S") the key proposed is the highest
// numeric key + 1; when another station took it meanwhile the save takes the
// next free one and says so. A change is written back field by field into
// the supplier's row (the last station to save wins); until then it stays in
// ProvAux.dbf and on screen, and a save that fails loses nothing.

#include "customers/EdicionCatalogo.h"
#include "platform/ui/Forma.h"

#include <QString>
#include <QVariant>
#include <QVector>

#include <array>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QScrollArea;
class QToolButton;
namespace db {
class Tabla;
}
namespace ui {
class EditDatos;
class FuenteDatos;
class Navegador;
class Panel;
class RejillaDatos;
}  // namespace ui

// Messages of the catalogue (the ones every catalogue shows are in
// EdicionCatalogo.h).
inline const QString kFaltaClaveProveedor = QStringLiteral("Falta la Clave...");
inline const QString kClaveProveedorExiste = QStringLiteral("La Clave ya Existe Es Necesario Cambiarla");
inline const QString kProveedorConSaldo = QStringLiteral("No Es Posible Eliminar un Proveedor con Saldo");
inline const QString kValorNoValido = QStringLiteral("valor no Válido");
// The key another station took while this one was entering a supplier.
QString ClaveProveedorTomada(const QString& propuesta, const QString& guardada);

class TFormaProveedo : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaProveedo(QWidget* owner = nullptr);

  // Menus.
  QMenuBar* MainMenu1;
  QAction* Nuevo1;      // Archivo > "Nuevo"
  QAction* Modificar1;  // Archivo > "Modificar"
  QAction* Guardar1;
  QAction* Eliminar1;
  QAction* PresentacionPreliminar1;
  QAction* Imprimir1;  // Archivo > "Imprimir": no action
  QAction* ImprimePlantilla1;
  QAction* Salir1;
  QMenu* Registro1;
  QAction* Buscar1;  // Registro > "Buscar"
  QAction* CancelaMovimiento1;
  QMenu* BuscarMenu;  // "Buscar"
  QAction* BusquedaRapida1;
  QAction* BusquedaNoIndexada1;
  QMenu* Reportes1;
  QAction* ListadodeProveedores1;
  QAction* ElegirFormato1;
  QAction* DisenarFormato1;
  QAction* ImprimeRango1;
  QAction* Temas1;
  QAction* Informacion1;  // hidden

  // Toolbar.
  ui::Panel* Panel1;
  QToolButton* BotonNuevo;
  QToolButton* BotonCambios;
  QToolButton* BotonGuardar;
  QToolButton* BotonPreliminar;
  QToolButton* BotonImprimir;
  QToolButton* BotonBuscar;
  QToolButton* BotonObservacion;
  QToolButton* SpeedButton1;  // "Contactos"
  QToolButton* BotonSalir;
  ui::Navegador* Navegador;
  QLabel* Usuario;  // hidden: the user number the opener hands over

  // The frame, the edit area and its boxes.
  ui::Panel* Panel2;
  QScrollArea* Caja;
  ui::EditDatos* EditCLAVE_P;
  ui::EditDatos* EditNOMBR_P;
  ui::EditDatos* EditSTATU_P;  // TELEF_P
  ui::EditDatos* EditRFCXX_P;
  ui::EditDatos* EditDIREC_P;
  ui::EditDatos* EditPOBLA_P;
  ui::EditDatos* EditCPXXX_P;
  ui::EditDatos* EditDREPA_P;
  ui::EditDatos* EditZONAX_P;
  ui::EditDatos* EditDCRED_P;
  ui::EditDatos* EditFULCO_P;
  ui::EditDatos* EditCLVEN_P;
  ui::EditDatos* EditSALDO_P;  // NOCLI_P
  ui::EditDatos* DBEdit2;      // POUTI_P
  std::array<ui::EditDatos*, 3> EditDESC{};  // EditDESC1_P .. EditDESC3_P
  ui::EditDatos* EditCOMPR_P;  // hidden
  ui::EditDatos* DBEdit1;      // ULTCO_P, hidden
  QPushButton* Saldo;          // "Saldo..."
  QLabel* uno;                 // field help, first line
  QLabel* dos;                 // field help, second line

  // The list.
  ui::RejillaDatos* DBGrid1;

  // Tables and the source every box and the list show.
  db::Tabla* TablaProveedor;  // PROVEEDO.DBF
  db::Tabla* TablaRepetido;   // a second cursor on PROVEEDO.DBF for the key check
  db::Tabla* TablaAuxiliar;   // ProvAux.dbf of the program folder
  ui::FuenteDatos* Fuente;

  bool EnAlta() const;
  bool EnCambio() const;

  // The commands.
  void BotonNuevoClick();
  void BotonCambiosClick();
  void BotonGuardarClick();
  void Eliminar1Click();
  void CancelaMovimiento1Click();
  void BotonBuscarClick();
  void BusquedaNoIndexada1Click();
  void SpeedButton1Click();
  void BotonObservacionClick();
  void BotonImprimirClick();
  void BotonPreliminarClick();
  void ImprimeRango1Click();
  void ElegirFormato1Click();
  void DisenarFormato1Click();
  void ImprimePlantilla1Click();
  void Temas1Click();
  void Informacion1Click();
  // "Saldo...": the payables query on the supplier shown (ConsultaCuePagar.cpp).
  void SaldoClick();

  // The print format: <program folder>\consulta\<line 25>, or the one
  // "Elegir Formato" chose, which holds until the program ends.
  QString FormatoProveedores() const;

 protected:
  void FormShow() override;
  void FormActivate() override;
  void FormCloseQuery(bool& puedeCerrar) override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  // Construction (Proveedo.cpp).
  void CreaMenu();
  void CreaBarra();
  void CreaCaja();
  void ConectaCajas();

  // The first activation's work: tables pointed at the data folder and
  // opened, the key box by line 35, the discount boxes bound when the table
  // has DESC3_P.
  void AbreTablasProveedor();
  // Sets, in order, Cambios (button and item), Nuevo (with Nuevo and
  // Eliminar), Guardar (with its item), Buscar, Imprimir, the navigator (and
  // the list) and Cancela Movimiento; the reports, Registro > Buscar, the
  // Buscar menu and Imprime Rango follow the opposite of Guardar.
  void HabilitaBotonesProveedor(bool cambios, bool nuevo, bool guardar, bool buscar, bool imprimir, bool navegador,
                                bool cancela);
  enum class Modo { Navegando, Alta, Cambio };
  void FijaModo(Modo modo);
  void PintaMarco(bool editando);

  // Editing (Proveedo_edicion.cpp). Guarda runs the key checks and the
  // write; true when the supplier was saved and the window browses again.
  bool Guarda();
  bool GuardaBajoNumeracion(QString& tomada);
  void Descarta();
  void PreparaCopiaProveedor();
  void EnfocaClave();
  bool Consecutivo() const;
  int NumeroUsuario() const;
  db::Tabla& TablaEditada() const;
  // F2 in the seller box: the seller lookup started at its text; a refused
  // lookup leaves the box empty.
  void EditCLVEN_PKeyDown(int& tecla);

  // Printing (Proveedo_impresion.cpp).
  void ImprimeActual(const QString& formato);

  QString carpetaPrograma_;
  QVector<QVariant> original_;  // the copy's values when it was made
  QString formatoElegido_;
  bool claveAutomatica_ = false;  // the new supplier's key was proposed (line 35)
};

inline TFormaProveedo* FormaProveedo() { return ui::InstanciaDe<TFormaProveedo>().data(); }
