#pragma once
// The general configuration window: one tabbed window that edits a
// company's configuration file Gener<N>.cnf (tabs "General" to "Sistema",
// one control per line of the line table of LineasConfiguracion), the users
// and rights of usuarios.def (tab "Usuarios") and the field dictionary
// Campos.DBF (tab "Campos").
//
// Company file. Edit0 holds the company number N. The first activation
// shows company 1, whatever company is logged in; changing Edit0 to a number
// of 1 or more loads that company at once (a missing file shows
// "No Existe La Empresa  N" and the controls keep what they show), a
// negative number turns into 0 and 0 loads nothing. Coming back to the
// window from another one (the folder picker, a file dialog, a message)
// keeps the edits and the company shown. "&Guardar" (BotonGuardar) writes
// the 99 lines of what the window shows under N, replacing the file at once
// (every station reads lines at any moment); a company without a file is
// created this way. The reserved lines are written back as loaded.
//
// Users. The tab shows the user whose number Nume holds from the program
// folder's working copy of usuarios.def: name, password and the sixty rights
// boxes ("s" checked). "&Nuevo" and "&Cambios" choose whether "&Guardar"
// (BotonGuarda) appends a user or rewrites the one shown; "&Eliminar" takes
// the user shown out (never user 0) and renumbers the users after it, going
// through usuatemp.def; "Aplicar Cambios en Red" publishes the working copy
// as the master of the data folder, which every login copies back. Each of
// those files is replaced whole at once.
//
// Field dictionary. A data grid over Campos.DBF of the program folder on its
// tag TABLA, every field, rows posted when left and at closing.

#include <QHash>
#include <QVector>

#include "platform/ui/Forma.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QToolButton;
struct DefLineaConfig;

namespace db {
class Tabla;
}
namespace ui {
class DialogoArchivo;
class FuenteDatos;
class RejillaDatos;
}  // namespace ui

// Messages of the window.
inline const QString kEmpresaNoExisteConfiguracion = QStringLiteral("No Existe La Empresa  ");
inline const QString kUsuarioCeroNoSeBorra = QStringLiteral("El Usuario 0 no puede ser dado de baja");
inline const QString kAvisoConsecutivos =
    QStringLiteral("Recuerde que esta opción alterara de forma definitiva las CLAVES de los catalogos...");

class TFormaConfiguracionGeneral : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaConfiguracionGeneral(QWidget* owner = nullptr);
  ~TFormaConfiguracionGeneral() override;

  QTabWidget* Folder;

  // Tab "General" (the line boxes are found through ControlDeLinea).
  QSpinBox* Edit0;
  QPushButton* BotonGuardar;
  QToolButton* SpeedButton3;  // folder picker of Edit8
  // Tab "Opciones".
  QToolButton* SpeedButton1;  // spreadsheet search of Edit30
  QToolButton* SpeedButton2;  // "Consecutivos": the key conversion, never shown
  // The open dialog of the format boxes, first folder <program>\consulta.
  ui::DialogoArchivo* ArchivoFormato;
  // Shown and never stored.
  QLineEdit* PartidasCompra;
  QComboBox* PuertoTorreta;
  QCheckBox* CheckBox62;

  // Tab "Usuarios".
  QSpinBox* Nume;
  QLineEdit* Edit26;  // name
  QLineEdit* Edit25;  // password
  QLabel* Usuario;    // name of the user shown
  QPushButton* BotonNuevo;
  QPushButton* BotonCambios;
  QPushButton* BotonGuarda;
  QPushButton* BotonElimina;
  QPushButton* BitBtn1;  // "Aplicar Cambios en Red"

  // Tab "Campos".
  db::Tabla* TablaCampos;
  ui::FuenteDatos* DataSourceCampos;
  ui::RejillaDatos* RejillaCampos;

  // The control of configuration line n (a QLineEdit, QCheckBox, QSpinBox or,
  // for line 65, the radio VistaResaltada); nullptr for a line without one.
  QWidget* ControlDeLinea(int n) const;
  // The rights box of position 1 to 60.
  QCheckBox* CasillaDerecho(int posicion) const;

  // Loads the company whose number Edit0 holds.
  void CargaConfiguracionEmpresa();
  // Shows the user whose number Nume holds.
  void CargaUsuario();

 protected:
  void FormShow() override;
  void FormActivate() override;
  void FormCloseQuery(bool& puedeCerrar) override;
  void FormClose() override;
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) override;

 private:
  void CreaPestanasLineas();
  void CreaPestanaUsuarios(QWidget* pagina);
  void CreaPestanaCampos(QWidget* pagina);
  void AbreCampos();

  QString ValorDeLinea(const DefLineaConfig& d) const;
  void PonValorDeLinea(const DefLineaConfig& d, const QString& valor);

  void Edit0Change();
  void BotonGuardarClick();
  void Edit1DblClick(QLineEdit* caja);
  void Edit12DblClick(QLineEdit* caja);
  void SpeedButton3Click();
  void SpeedButton1Click();
  void SpeedButton2Click();

  void NumeChange();
  void BotonNuevoClick();
  void BotonCambiosClick();
  void BotonGuardaClick();
  void BotonEliminaClick();
  void BitBtn1Click();

  QString carpetaPrograma_;
  QVector<QWidget*> controles_;  // by line - 1
  QRadioButton* vistaClasica_ = nullptr;
  QHash<int, QString> reservadas_;  // lines without a control, as loaded
  QVector<QCheckBox*> derechos_;    // by position - 1
  bool cargada_ = false;            // company 1 shown at the first activation
};

inline TFormaConfiguracionGeneral* FormaConfiguracionGeneral() {
  return ui::InstanciaDe<TFormaConfiguracionGeneral>().data();
}

// Changes the type of the key field `campo` of the catalogue table
// <carpeta>\<archivo>, keeping every key: to NUMERIC(10,0) when `numerica`,
// else to CHAR(10); the other fields, the rows and the tags stay, and the tag
// `tag` on the key is made when the table lacks it. A key that is not a
// whole number of at most ten characters (for numbers) or that is longer
// than ten characters (for texts) refuses the whole conversion and nothing
// changes. The table is held exclusively while it is converted. Throws
// plat::Error: Conversion for a refused key (the message names it), EnUso
// while another station has the table open, NoExiste for a missing table or
// field.
void ConvierteClavesCatalogo(const QString& carpeta, const QString& archivo, const QString& campo, const QString& tag,
                             bool numerica);
