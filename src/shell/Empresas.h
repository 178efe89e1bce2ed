#pragma once
// The company dialog: where a run chooses its company and its user.
//
// The number in Empresa (1 to 999) selects the configuration file
// <program folder>\Gener<N>.cnf. Every read of a line of an existing company
// rewrites the start file to name it, so from then on every configuration
// read of the program (and of every copy sharing the start file) comes from
// that company. The password selects the first user of the users file whose
// password matches; when none does, the company key of configuration line 11
// opens the company without a user, provided the company's file exists and
// the key is set. A login enables the main window, puts the company name in
// its caption and the user number in its Usuario label, closes the dialog and
// checks that the company's files are there. There is no other way out of
// the dialog: it has no close box.

#include "platform/ui/Forma.h"

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// Messages and texts of the dialog.
inline const QString kEmpresaNoExiste = QStringLiteral("La Empresa No Existe");
inline const QString kEmpresaNoRegistrada = QStringLiteral("EMPRESA NO REGISTRADA");
inline const QString kClaveIncorrecta = QStringLiteral("Clave Incorrecta");
inline const QString kIngresandoClave = QStringLiteral("Ingresando CLAVE ");
inline const QString kArchivosNoEncontrados =
    QStringLiteral("Uno o Más Archivos no se Encuentran Revise su Carpeta o Directorio de Trabajo");

class TFormaEmpresas : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaEmpresas(QWidget* owner = nullptr);

  QSpinBox* Empresa;
  QLabel* NombreEmpresa;
  QLabel* Label1;  // "Ruta de Datos"
  QLineEdit* Rutainicio;
  QLabel* Label2;  // "Clave:"
  QLineEdit* Clave;
  QPushButton* Aceptar;

  // salida := line n of the chosen company's file ("" beyond its end), and
  // the start file is rewritten to name that company. When the file is
  // missing: "La Empresa No Existe  " + its path, salida untouched.
  void LeeLineaEmpresa(int n, QString& salida);
  // The login with the password typed in Clave.
  void ValidaIngreso();
  // Tells which of the company's required files are missing; only informs.
  void VerificaArchivosEmpresa();

 protected:
  void FormShow() override;
  void FormActivate() override;
  void FormCloseQuery(bool& puedeCerrar) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void EmpresaChange();
  void ClaveKeyDown(int tecla);
  void AceptarClick();
  // The configuration file of the number in Empresa.
  QString ArchivoElegido() const;
  // Shows the data folder and the name of the chosen company, or says it
  // does not exist (after `sinRegistro` in NombreEmpresa when given: a
  // change of number, which always tells).
  void MuestraEmpresa(const QString& sinRegistro);
  // Enables the main window as the company's, with `version` between the
  // product title and the company name in its caption; usuario < 0 leaves
  // its Usuario label as it is.
  void AbreEmpresa(int usuario, const QString& version);

  QString carpetaPrograma_;
  bool ingreso_ = false;
  // The configuration file last reported missing during this show.
  QString avisada_;
};

inline TFormaEmpresas* FormaEmpresas() { return ui::InstanciaDe<TFormaEmpresas>().data(); }
