#include "shell/Empresas.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"
#include "shell/Principa.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

// What the caption shows between the product title and the company name: a
// user's login and the company key's differ by one blank.
const QString kVersionUsuario = QStringLiteral("    V 5.2.0   ");
const QString kVersionClaveEmpresa = QStringLiteral("     V 5.2.0   ");

// Paradox capture tables of the program folder.
const char* const kTablasCaptura[] = {"Deta", "Detacomp", "Detaminv"};

// dBASE tables of the company, each with its production index, looked for
// in their own folders. Credito, CreditoD, Cupagar and Poventas are not
// asked for: no routine of the program reads or writes them and no company
// is made with them, so they would be reported missing at every login.
const char* const kTablasEmpresa[] = {"Cliente",  "Comovinv", "Comprasd", "Comprase", "Concepto", "Cotizacd",
                                      "Cotizaci", "Cucobrar", "Devoluc",  "DevolucD", "Facturad", "Facturae",
                                      "Inventar", "Movinven", "Pedido",   "Pedidod",  "Proveedo", "Remisiod",
                                      "Remision", "Vendedor"};

QString NoExisteRevise(const QString& archivo) {
  return QStringLiteral("El Archivo ") + archivo + QStringLiteral(" No Existe Revise su Configuración");
}

}  // namespace

TFormaEmpresas::TFormaEmpresas(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaEmpresas>() = this;
  setObjectName(QStringLiteral("FormaEmpresas"));
  setWindowTitle(QStringLiteral("Empresa"));
  // No system menu and no close box: only a login leaves the dialog.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setFixedSize(360, 190);

  auto* etiqueta = new QLabel(QStringLiteral("Empresa:"), this);
  etiqueta->setGeometry(16, 16, 70, 24);
  Empresa = new QSpinBox(this);
  Empresa->setObjectName(QStringLiteral("Empresa"));
  Empresa->setRange(1, 999);
  Empresa->setValue(1);
  Empresa->setGeometry(90, 16, 70, 24);

  NombreEmpresa = new QLabel(this);
  NombreEmpresa->setObjectName(QStringLiteral("NombreEmpresa"));
  QFont negrita = NombreEmpresa->font();
  negrita.setBold(true);
  NombreEmpresa->setFont(negrita);
  NombreEmpresa->setGeometry(170, 16, 176, 24);

  Label1 = new QLabel(QStringLiteral("Ruta de Datos"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(16, 52, 100, 24);
  Rutainicio = new QLineEdit(this);
  Rutainicio->setObjectName(QStringLiteral("Rutainicio"));
  Rutainicio->setReadOnly(true);  // only shown
  Rutainicio->setFocusPolicy(Qt::NoFocus);
  Rutainicio->setGeometry(120, 52, 226, 24);

  Label2 = new QLabel(QStringLiteral("Clave:"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setGeometry(16, 92, 100, 24);
  Clave = new QLineEdit(this);
  Clave->setObjectName(QStringLiteral("Clave"));
  Clave->setEchoMode(QLineEdit::Password);
  Clave->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // "*"
  Clave->setGeometry(120, 92, 150, 24);
  Clave->installEventFilter(this);

  Aceptar = new QPushButton(QStringLiteral("&Abre Empresa"), this);
  Aceptar->setObjectName(QStringLiteral("Aceptar"));
  // Enter belongs to the password box, never to the button.
  Aceptar->setAutoDefault(false);
  Aceptar->setGeometry(120, 140, 120, 30);

  ui::Conecta(Empresa, &QSpinBox::valueChanged, this, [this] { EmpresaChange(); });
  ui::Conecta(Aceptar, &QPushButton::clicked, this, [this] { AceptarClick(); });

  ui::CentraEnPantalla(*this);

  // FormCreate: the program folder, and the data folder of company 1 (which
  // points the start file at company 1 when it exists).
  CarpetaLocal(carpetaPrograma_);
  ui::Protege([this] {
    QString datos;
    LeeLineaEmpresa(ConfCarpetaDatos, datos);
    Rutainicio->setText(datos);
  });
}

QString TFormaEmpresas::ArchivoElegido() const {
  return ArchivoEmpresa(carpetaPrograma_, QString::number(Empresa->value()));
}

void TFormaEmpresas::LeeLineaEmpresa(int n, QString& salida) {
  const QString archivo = ArchivoElegido();
  if (!fs::ExisteArchivo(archivo)) {
    MuestraMensaje(kEmpresaNoExiste + QStringLiteral("  ") + archivo);
    return;
  }
  const QStringList lineas = fs::LeeLineas(archivo);
  salida = n >= 1 && n <= lineas.size() ? lineas[n - 1] : QString();
  // Replaced whole at once: other copies of the program read it at any time.
  fs::CreaCarpeta(fs::CarpetaDe(kArchivoInicio));
  fs::ReescribeLineas(kArchivoInicio, {carpetaPrograma_, archivo, QString()});
}

void TFormaEmpresas::FormShow() {
  ingreso_ = false;
  avisada_.clear();
  // Enter after a login leaves the password in the box; the next person to
  // open the dialog must not find it there.
  Clave->clear();
  Clave->setFocus(Qt::OtherFocusReason);
}

void TFormaEmpresas::FormActivate() {
  SetTag(1);
  MuestraEmpresa(QString());
}

void TFormaEmpresas::FormCloseQuery(bool& puedeCerrar) { puedeCerrar = ingreso_; }

void TFormaEmpresas::EmpresaChange() { MuestraEmpresa(kEmpresaNoRegistrada); }

void TFormaEmpresas::MuestraEmpresa(const QString& sinRegistro) {
  const QString archivo = ArchivoElegido();
  if (fs::ExisteArchivo(archivo)) {
    avisada_.clear();
    QString texto;
    LeeLineaEmpresa(ConfCarpetaDatos, texto);
    Rutainicio->setText(texto);
    texto.clear();
    LeeLineaEmpresa(ConfNombreEmpresa, texto);
    NombreEmpresa->setText(texto);
    return;
  }
  Rutainicio->clear();
  if (!sinRegistro.isEmpty()) NombreEmpresa->setText(sinRegistro);
  // The dialog is activated again each time a message box over it closes;
  // telling again of the same missing company would never end.
  if (sinRegistro.isEmpty() && avisada_ == archivo) return;
  avisada_ = archivo;
  MuestraMensaje(kEmpresaNoExiste);
}

bool TFormaEmpresas::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == Clave && evento->type() == QEvent::KeyPress) {
    const int tecla = static_cast<QKeyEvent*>(evento)->key();
    if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
      ui::Protege([this, tecla] { ClaveKeyDown(tecla); });
      return true;
    }
  }
  return ui::Forma::eventFilter(objeto, evento);
}

void TFormaEmpresas::ClaveKeyDown(int tecla) {
  if (tecla != Qt::Key_Return && tecla != Qt::Key_Enter) return;
  FijaCarpetaBitacora();
  // The event log is shared and readable by anyone with the data folder:
  // it gets one asterisk per typed character, never the password.
  RegistraBitacora(kIngresandoClave + QString(Clave->text().toUcs4().size(), u'*'));
  if (!Clave->text().isEmpty()) ValidaIngreso();
  else Clave->setFocus(Qt::OtherFocusReason);
}

void TFormaEmpresas::AceptarClick() {
  FijaCarpetaBitacora();
  ValidaIngreso();
  Clave->clear();
  Clave->setFocus(Qt::OtherFocusReason);
}

void TFormaEmpresas::ValidaIngreso() {
  const QString clave = Clave->text();
  const int usuario = ValidaClaveUsuario(clave);
  if (usuario >= 0) {
    AbreEmpresa(usuario, kVersionUsuario);
    return;
  }
  // The company key counts only when it was set in an existing company:
  // an empty key would open the company to anyone without a user.
  QString claveEmpresa;
  if (fs::ExisteArchivo(ArchivoElegido())) LeeLineaEmpresa(ConfClaveAccesoEmpresa, claveEmpresa);
  if (!claveEmpresa.isEmpty() && clave == claveEmpresa) {
    AbreEmpresa(-1, kVersionClaveEmpresa);
    return;
  }
  MuestraMensaje(kClaveIncorrecta);
  Clave->selectAll();
  Clave->setFocus(Qt::OtherFocusReason);
}

void TFormaEmpresas::AbreEmpresa(int usuario, const QString& version) {
  QString nombre;
  LeeLineaEmpresa(ConfNombreEmpresa, nombre);
  if (TFormaPrincipal* principal = FormaPrincipal()) {
    principal->setEnabled(true);
    principal->setWindowTitle(kTituloProducto + version + nombre);
    if (usuario >= 0) principal->Usuario->setText(QString::number(usuario));
  }
  ingreso_ = true;
  SetModalResult(ui::mrOk);  // ends a modal show
  if (isVisible()) Close();
  VerificaArchivosEmpresa();
}

void TFormaEmpresas::VerificaArchivosEmpresa() {
  for (const char* nombre : kTablasCaptura) {
    const QString tabla = QString::fromLatin1(nombre);
    if (!fs::ExisteArchivo(fs::Une(carpetaPrograma_, tabla + QStringLiteral(".db"))))
      MuestraMensaje(NoExisteRevise(tabla));
  }

  // Each table is looked for where the program opens it.
  const db::Carpetas carpetas = CarpetasEmpresa();
  QStringList faltan;
  for (const char* extension : {".dbf", ".mdx"}) {
    for (const char* nombre : kTablasEmpresa) {
      const QString archivo = QString::fromLatin1(nombre) + QLatin1String(extension);
      if (!fs::ExisteArchivo(fs::Une(CarpetaDeTabla(archivo, carpetas), archivo))) faltan << NoExisteRevise(archivo);
    }
  }
  if (faltan.isEmpty()) return;
  MuestraMensaje(faltan.join(u'\n'));
  MuestraMensaje(kArchivosNoEncontrados);
}
