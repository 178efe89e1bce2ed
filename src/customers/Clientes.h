#pragma once
// The customer catalogue: adds, changes, deletes and finds the customers of
// CLIENTE.DBF in the data folder (configuration line 8), and shows the
// balance and sales totals that sales and receivables keep. Created once at
// start-up and shown modeless by the main menu after right 1 (the opener
// hands the user number over in the hidden label Usuario); the customer
// lookup makes one of its own for its "Clientes" button.
//
// States, kept in the Tag of two toolbar buttons: browsing (both 0), a new
// customer (BotonNuevo 1: a row being appended to CLIENTE.DBF) and a change
// (BotonCambios 1: the customer copied into ClieAuxi.dbf of the program
// folder, which every box then shows and changes). While editing, the field
// area Caja is enabled and the frame Panel2 turns red; it turns blue after a
// save and when the window is shown. The window's Tag is 0 until its tables
// have been opened (a change of company closes them and sets it back to 0).
//
// Saving, by Guardar or by the close question's "save", checks the key:
// "La Clave No Existe" when empty; for a new customer "La Clave ya Existe Es
// Necesario Cambiarla" and for a changed key "La clave esta Repetida..."
// when another customer holds it. A change is written back into the
// customer's row only when saved, and only the fields the user changed, so
// what sales wrote meanwhile (the balance) stays; until then it stays in
// ClieAuxi.dbf and on screen, so a save that fails (the row held by another
// station) loses nothing and can be tried again.

#include "customers/EdicionCatalogo.h"
#include "platform/ui/Forma.h"

#include <QString>
#include <QVariant>
#include <QVector>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QScrollArea;
class QToolButton;
class TFormaConsulta;
namespace db {
class Tabla;
}
namespace ui {
class ComboDatos;
class EditDatos;
class FuenteDatos;
class Navegador;
class Panel;
}  // namespace ui

// Messages of the catalogue (the ones every catalogue shows are in
// EdicionCatalogo.h).
inline const QString kClaveClienteNoExiste = QStringLiteral("La Clave No Existe");
inline const QString kClaveClienteExiste = QStringLiteral("La Clave ya Existe Es Necesario Cambiarla");
inline const QString kClaveClienteRepetida = QStringLiteral("La clave esta Repetida...");
inline const QString kEscribaClaveCliente = QStringLiteral("Es Necesario Escribir una Clave...");
inline const QString kClienteConSaldo = QStringLiteral("No se puede eliminar cliente con saldo");
inline const QString kClienteEnUso = QStringLiteral("No se Pueden Editar los Datos Registro en Uso");
inline const QString kErrorGuardarCliente = QStringLiteral("No se Pueden Guardar los Datos ha Ocurrido un Error");
inline const QString kValorNoValidoCliente = QStringLiteral("Valor no Válido");
inline const QString kClientesPorClave = QStringLiteral("Consulta Cobranza Ordenado por Clave");
inline const QString kClientesPorNombre = QStringLiteral("Consulta Cobranza Ordenado por Nombre");
// The key another station took while this one was entering a customer with
// a consecutive key.
QString ClaveClienteTomada(const QString& propuesta, const QString& guardada);

// cliente.cnf of the program folder: "S" locks the preferred price list.
inline const QString kArchivoBloqueoPrecio = QStringLiteral("cliente.cnf");

// The customer listings as the report script runner takes them (RepoSQL.h):
// lines ended by a carriage return. `tabla` is the customer table's full
// path (data folder, a backslash, the file name).
// "Listado de Clientes": key, name, telephone, tax id and town.
QString GuionListadoClientes(const QString& titulo, const QString& tabla);
// "Cliente y Telefono": key, name and telephone.
QString GuionClienteTelefono(const QString& titulo, const QString& tabla);

// The view list of the customer window, in the folder report of the data
// folder.
inline const QString kListaVistasClientes = QStringLiteral("Clientes.for");

class TFormaClientes : public ui::Forma {
  Q_OBJECT
 public:
  // The first window made becomes the global instance (FormaClientes);
  // later ones (the lookup's own) do not replace it.
  explicit TFormaClientes(QWidget* owner = nullptr);

  // Menus.
  QMenuBar* MainMenu1;
  QAction* Nuevo1;
  QAction* Modificar1;
  QAction* Guardar1;
  QAction* Eliminar1;
  QAction* PresentacionPreliminar1;
  QAction* Imprimir1;
  QAction* ImprimePlantilla1;
  QAction* Salir1;
  QAction* Buscar1;  // Registro > "Buscar"
  QAction* CancelarMovimiento1;
  QMenu* Buscar2;  // the "Buscar" menu
  QAction* BusquedaRapida1;
  QAction* BusquedaNoIndexada1;
  QMenu* Reportes1;
  QAction* Consultas1;
  QAction* CargosyAbonos1;
  QAction* VentasPorCliente1;
  QAction* Saldos1;
  QAction* SaldosPorZona1;
  QAction* ListadodeClientes1;
  QAction* ClienteyTelefono1;
  QMenu* Formatos1;
  QAction* EligeFormato1;
  QAction* DiseaFormato1;
  QAction* ImprimeRango1;
  QAction* BloquearPrecioPreferencial1;
  QAction* Temas1;
  QAction* Informacion1;

  // Toolbar.
  ui::Panel* Panel;
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
  QLabel* Usuario;  // hidden: the user number

  // The frame, the field area and its boxes.
  ui::Panel* Panel2;
  QScrollArea* Caja;
  ui::EditDatos* EditCLCLI_C;
  ui::EditDatos* EditNOMBR_C;
  ui::EditDatos* EditTELEF_C;
  ui::EditDatos* DBEdit1;  // fax
  ui::EditDatos* EditEMAIL;
  ui::EditDatos* EditRFCXX_C;
  ui::EditDatos* EditCURPX_C;
  ui::EditDatos* EditDIREC_C;
  ui::EditDatos* EditDIRE2_C;
  ui::EditDatos* EditPOBLA_C;
  ui::EditDatos* EditCPXXX_C;
  ui::EditDatos* EditEstado;
  ui::EditDatos* EditPais;
  ui::EditDatos* EditDCRED_C;
  ui::ComboDatos* EditDREPA_C;
  ui::EditDatos* EditHOREV_C;
  ui::ComboDatos* EditDIPAG_C;
  ui::EditDatos* EditHOPAG_C;
  ui::EditDatos* EditZONAX_C;
  ui::EditDatos* EditFULCO_C;
  ui::EditDatos* EditCLVEN_C;
  ui::EditDatos* DBEdit2;  // preferred price list
  ui::EditDatos* EditSALDO_C;
  ui::EditDatos* EditCOMPR_C;
  ui::EditDatos* EditSTATU_C;
  QLabel* Uno;  // field help, first line
  QLabel* Dos;  // field help, second line
  QLabel* Cargo;
  QLabel* Abono;
  QLabel* EtiEstado;
  QPushButton* BotonSaldo;  // "Saldo...": the invoice receivables (right 6)
  QPushButton* BitBtn1;     // "Descuentos...": the line discounts of the customer

  // Tables and the source every box shows.
  db::Tabla* TablaCliente;   // CLIENTE.DBF
  db::Tabla* TablaRepetido;  // a second cursor on CLIENTE.DBF for the key checks
  db::Tabla* TablaAuxiliar;  // ClieAuxi.dbf of the program folder
  ui::FuenteDatos* Fuentetablacliente;

  // The data and program folders, and the key of the customer being changed.
  QString RutaDatosClientes;
  QString CarpetaProgramaClientes;
  // The print format: <program folder>\consulta\<line 12> from the window's
  // preparation on, until "Elige Formato" chooses another.
  QString FormatoClientes;
  QString ClaveAnteriorCliente;
  // The field with the focus: 1 key, 2 name, 3 telephone, 4 fax, 5 RFC,
  // 6 CURP, 7 street, 8 district, 9 town, 10 postal code, 11 credit days,
  // 12 review day, 13 review hour, 14 zone, 15 payment day, 16 payment hour,
  // 17 last purchase, 18 seller, 19 balance, 20 total sales.
  int CampoActualCliente = 1;

  bool EnAlta() const;
  bool EnCambio() const;

  // Stands the catalogue on the customer of that key (preparing the window
  // first when it never was). An unknown key leaves it where it was; with
  // `crear` 1 a new customer holding the key is started instead (right 11).
  // A customer being entered or changed is left as it is. Does not show the
  // window.
  void PosicionaCliente(const QString& clave, int crear);

  // The commands.
  void BotonNuevoClick();
  void BotonCambiosClick();
  void BotonGuardarClick();
  void Eliminar1Click();
  void CancelarMovimiento1Click();
  void BotonBuscarClick();
  void BusquedaNoIndexada1Click();
  void SpeedButton1Click();
  void BotonSaldoClick();
  void BitBtn1Click();
  void BotonObservacionClick();
  void BloquearPrecioPreferencial1Click();
  void ImprimePlantilla1Click();
  // Reports and printing (Clientes_reportes.cpp).
  void BotonImprimirClick();
  void BotonPreliminarClick();
  void Consultas1Click();
  void ListadodeClientes1Click();
  void ClienteyTelefono1Click();
  void EligeFormato1Click();
  void DiseaFormato1Click();
  void ImprimeRango1Click();
  // The four generator reports; the item's caption names the report.
  void ReporteCatalogoClientes(const QAction* item);
  // The runner's view list from report\Clientes.for of the data folder.
  void ListaVistasClientes(TFormaConsulta& consulta);
  void Temas1Click();
  void Informacion1Click();

  // The window's own routines.
  void NuevoCliente();
  QString ClaveConsecutivaCliente();
  void EstadoBotonesCliente(bool editando);
  void MuestraResumenCliente();
  void CopiaClienteAuxiliar();
  void DevuelveClienteAuxiliar();
  void VaciaClienteAuxiliar();
  void AbreTablasClientes();

 protected:
  void FormShow() override;
  void FormActivate() override;
  void FormCloseQuery(bool& puedeCerrar) override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  // Construction (Clientes.cpp).
  void CreaMenu();
  void CreaBarra();
  void CreaCaja();
  void ConectaCajas();
  // The window's first preparation: tables opened, browsing, the summary.
  void Prepara();
  void PintaMarco(bool editando);
  // Cargo, Abono and EtiEstado from the current record.
  void MuestraEtiquetas();
  void MuestraEstado();

  // Editing (Clientes_edicion.cpp). Guarda runs the key checks and the
  // write; true when the customer was saved and the window browses again.
  // EscribeAlta and EscribeCambio check and write: "" when written, else
  // the message that refuses it (`aviso`: one to show after the save).
  bool Guarda();
  QString EscribeAlta(QString& aviso);
  QString EscribeCambio();
  // The edit states: a new customer (`alta`) or a change, and back to
  // browsing (the frame keeps its colour).
  void IniciaEdicion(bool alta);
  void TerminaEdicion();
  void EnfocaClave();
  bool Consecutivo() const;
  int NumeroUsuario() const;
  db::Tabla& TablaEditada() const;
  // True when a customer other than the one being changed holds the key.
  bool ClaveOcupada(const QVariant& clave);

  bool claveAutomatica_ = false;  // the new customer's key was proposed (line 34)
  QVector<QVariant> original_;    // the copy's values when it was made
};

inline TFormaClientes* FormaClientes() { return ui::InstanciaDe<TFormaClientes>().data(); }
