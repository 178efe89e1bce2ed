#pragma once
// The seller catalogue "Vendedores": adds, changes, deletes and finds the
// sellers of VENDEDOR.DBF in the data folder (configuration line 8), lists
// them, reports the commissions of the invoices (FACTURAE.DBF) by seller and
// prints sellers through the print format of configuration line 13. Made by
// the main menu for the occasion after right 2 (the opener hands the user
// number over in the hidden label Usuario), shown modally and freed; the
// catalogue browser stands it on a seller with PosicionaVendedor first.
//
// States, kept in the Tag of two toolbar buttons: browsing (both 0), a new
// seller (BotonNuevo 1) and a change (BotonCambios 1). A new seller is
// posted empty at once and then edited, so from "Nuevo" on an empty row
// exists; cancelling it (Cancela Movimiento, or "no" at the close question)
// logs it to borrados.dat and deletes it. A change edits the row itself,
// which stays locked against other stations until it is saved or cancelled.
// While editing, the field area Caja is enabled and the frame Panel2 is
// red; it turns maroon after a save and when the window is shown.
//
// Saving, by Guardar or by the close question's "save", checks the key:
// "Falta la Clave..." when empty, "La Clave ya Existe Es Necesario
// Cambiarla" when another seller holds it (for a new seller and for a
// changed key alike), with the focus back on the key. The check and the
// write run under the table's numbering lock, so two stations never store
// one key twice.

#include "platform/ui/Forma.h"

#include <QString>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
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
}  // namespace ui

// Messages of the seller catalogue (the ones every catalogue shows are in
// EdicionCatalogo.h).
inline const QString kFaltaClaveVendedor = QStringLiteral("Falta la Clave...");
inline const QString kClaveVendedorExiste = QStringLiteral("La Clave ya Existe Es Necesario Cambiarla");
inline const QString kErrorGuardarVendedor = QStringLiteral("No se Pueden Guardar los Datos ha Ocurrido un Error");
inline const QString kErrorEditarVendedor = QStringLiteral("No se Pueden Editar los Datos ha Ocurrido un Error");
inline const QString kValorNoValidoVendedor = QStringLiteral("Valor no Válido");
inline const QString kImpresoraNoLista = QStringLiteral("La Impresora No Se Encuentra Lista...");
inline const QString kVendedoresPorClave = QStringLiteral("Vendedores Ordenado por Clave");
inline const QString kVendedoresPorNombre = QStringLiteral("Vendedores Ordenado por Nombre");

// The report scripts of the seller catalogue, as the report script runner
// takes them (RepoSQL.h): lines ended by a carriage return. `tabla` is the
// table's full path (data folder, a backslash, the file name).
// The listing: key, name, telephone and commission of every seller.
QString GuionListadoVendedores(const QString& titulo, const QString& tabla);
// The commissions of the invoices of `tabla`, by seller and number: per
// invoice the seller, the customer, the number, the subtotal, the
// commission (subtotal × the invoice's percent × 0.01) and the date;
// invoices without a seller included. `concentrado` adds subtotals at each
// seller.
QString GuionComisiones(const QString& titulo, const QString& tabla, bool concentrado);

class TFormaVendedor : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaVendedor(QWidget* owner = nullptr);

  // Menus.
  QMenuBar* MainMenu1;
  QAction* Nuevo1;
  QAction* Modificar1;
  QAction* Guardar1;
  QAction* Eliminar1;
  QAction* PresentacionPreliminar1;
  QAction* Imprimir1;  // Archivo > "Imprimir": no command of its own
  QAction* ImprimePlantilla1;
  QAction* Salir1;
  QMenu* Registro1;
  QAction* Buscar1;
  QAction* CancelaMovimiento1;
  QMenu* Reportes1;
  QAction* ListadodeVendedores1;
  QAction* ComisionesDetallado1;
  QAction* ComisionesConcentrado1;
  QAction* Consultas1;  // hidden
  QMenu* Formatos1;
  QAction* ElegirFormato1;
  QAction* DisenarFormato1;
  QAction* ImprimirRango1;
  QAction* Temas1;
  QAction* Informacion1;  // hidden

  // Toolbar.
  ui::Panel* Panel1;
  QToolButton* BotonNuevo;
  QToolButton* BotonCambios;  // "Modificar"
  QToolButton* BotonGuardar;
  QToolButton* BotonPreliminar;
  QToolButton* BotonImprimir;
  QToolButton* BotonBuscar;
  QToolButton* BotonObservacion;
  QToolButton* BotonSalir;  // Tag 1000 once the window has been closed
  ui::Navegador* Navegador;
  QLabel* Usuario;  // hidden: the user number

  // The frame, the field area and its boxes.
  ui::Panel* Panel2;
  QScrollArea* Caja;
  ui::EditDatos* EditCLVEN_V;
  ui::EditDatos* EditNOMBR_V;
  ui::EditDatos* EditSTATU_V;  // the telephone, TELEF_V
  ui::EditDatos* EditCOMIS_V;
  ui::EditDatos* EditCLASV_V;
  QLabel* uno;  // field help, first line
  QLabel* dos;  // field help, second line

  // Tables and the source every box shows.
  db::Tabla* TablaVendedor;  // vendedor.dbf
  db::Tabla* TablaRepetido;  // a second cursor on vendedor.dbf for the key check
  db::Tabla* TablaFactura;   // FACTURAE.DBF, read by the commission reports
  ui::FuenteDatos* Fuente;

  // The data and program folders, and the print format: <program
  // folder>\consulta\<line 13> until "Elegir Formato" chooses another.
  QString RutaDatosVendedor;
  QString CarpetaProgramaVendedor;
  QString FormatoVendedores;

  bool EnAlta() const;
  bool EnCambio() const;

  // Prepares the window when it never was (tables opened, browsing) and
  // stands it on the seller nearest to the key on the current index. The
  // caller shows the window.
  void PosicionaVendedor(const QString& clave);

  // The commands.
  void BotonNuevoClick();
  void BotonCambiosClick();
  void BotonGuardarClick();
  void Eliminar1Click();
  void CancelaMovimiento1Click();
  void BotonBuscarClick();
  void BotonObservacionClick();
  void BotonImprimirClick();
  void BotonPreliminarClick();
  void ListadodeVendedores1Click();
  void ComisionesDetallado1Click();
  void ComisionesConcentrado1Click();
  // The saved-query runner on vendedor.dbf with the views of
  // report\vendedor.for of the data folder.
  void Consultas1Click();
  void ElegirFormato1Click();
  void DisenarFormato1Click();
  void ImprimirRango1Click();
  void ImprimePlantilla1Click();
  void Temas1Click();
  void Informacion1Click();

  // The window's own routines.
  void EstadoBotonesVendedor(bool editando);
  void AbreTablasVendedor();

 protected:
  void FormShow() override;
  void FormActivate() override;
  void FormCloseQuery(bool& puedeCerrar) override;
  void FormClose() override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  // Construction (Vendedor.cpp).
  void CreaMenu();
  void CreaBarra();
  void CreaCaja();
  void ConectaCajas();
  // Tables opened, pictures, browsing; Tag 1.
  void Prepara();
  void PintaMarco(bool editando);

  // Editing (Vendedor_edicion.cpp). Guarda runs the key checks and the
  // post; true when the seller was saved and the window browses again.
  bool Guarda();
  // Leaves the edit unsaved: a change is cancelled, a new seller logged and
  // deleted.
  void Descarta();
  void IniciaEdicion(bool alta);
  void TerminaEdicion();
  void EnfocaClave();
  int NumeroUsuario() const;

  // Reports and printing (Vendedor_reportes.cpp).
  void Comisiones(const QAction* item, bool concentrado);
  void ImprimeVendedor(const QString& formato);

  QString claveAnterior_;  // the key of the seller being changed, as it was
};

inline TFormaVendedor* FormaVendedor() { return ui::InstanciaDe<TFormaVendedor>().data(); }
