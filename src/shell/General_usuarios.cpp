// The tab "Usuarios" of the general configuration window: the users and
// rights of the program folder's working copy of usuarios.def.

#include "shell/General.h"

#include "foundation/describe.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/Error.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "shell/LineasConfiguracion.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const QString kArchivoUsuarios = QStringLiteral("usuarios.def");
const QString kArchivoUsuariosTemporal = QStringLiteral("usuatemp.def");

// Module rows of the rights grid, in the order of their positions.
const char* const kModulos[] = {
    "Clientes",           "Vendedores",        "Proveedores", "Facturación",        "Compras",
    "Cuentas por Cobrar", "Cuentas por Pagar", "Inventarios", "Mov. al Inventario", "Configuración"};
const char* const kColumnas[] = {"Módulo", "Altas", "Bajas", "Cambios", "Reportes"};

// The named permissions, positions 51 to 60.
struct Permiso {
  const char* nombre;
  const char* titulo;
};
const Permiso kPermisos[] = {
    {"CheckBox61", "Cambiar Precios"},
    {"CancelarVenta", "Cancelar"},
    {"Reimprimir", "Reimprimir"},
    {"Reindexar", "Reindexar"},
    {"Respaldar", "Respaldar"},
    {"Limitar", "Límitar Vendedor"},
    {"CancelarCompra", "Cancelar Compra"},
    {"DarDescuentos", "Dar Descuentos"},
    {"LimitarDSC", "Descuentos con Clave"},
    {"CheckBoxCreaCorte", "Crear Cortes"},
};

// Short help of the buttons' right click (records of ayuda\describe.des).
constexpr int kAyudaElimina = 55, kAyudaCambios = 56, kAyudaNuevo = 57, kAyudaGuarda = 58;

// Editing mode, the Tag of "&Nuevo".
constexpr int kModoNuevo = 1, kModoCambio = 0;

// Every record of a users file. Input/output errors (a missing file too)
// are thrown.
QVector<TRegistroUsuario> LeeUsuarios(const QString& ruta) {
  const QByteArray bytes = fs::LeeBytes(ruta);
  QVector<TRegistroUsuario> usuarios;
  for (qsizetype i = 0; i + TRegistroUsuario::kTamano <= bytes.size(); i += TRegistroUsuario::kTamano)
    usuarios << TRegistroUsuario::DeBytes(QByteArrayView(bytes).sliced(i, TRegistroUsuario::kTamano));
  return usuarios;
}

QByteArray BytesUsuarios(const QVector<TRegistroUsuario>& usuarios) {
  QByteArray bytes;
  for (const TRegistroUsuario& u : usuarios) bytes += u.ABytes();
  return bytes;
}

[[noreturn]] void SinUsuario(int n, const QString& ruta) {
  throw plat::Error(plat::Clase::NoExiste, QStringLiteral("El Usuario %1 no está en %2").arg(n).arg(ruta));
}

QPushButton* Boton(const char* nombre, const QString& texto, QWidget* padre) {
  auto* b = new QPushButton(texto, padre);
  b->setObjectName(QString::fromLatin1(nombre));
  return b;
}

}  // namespace

void TFormaConfiguracionGeneral::CreaPestanaUsuarios(QWidget* pagina) {
  Nume = new QSpinBox(pagina);
  Nume->setObjectName(QStringLiteral("Nume"));
  Nume->setRange(0, 0);
  Edit26 = new QLineEdit(pagina);
  Edit26->setObjectName(QStringLiteral("Edit26"));
  Edit25 = new QLineEdit(pagina);
  Edit25->setObjectName(QStringLiteral("Edit25"));
  Edit25->setEchoMode(QLineEdit::Password);
  Edit25->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // "*"
  Usuario = new QLabel(pagina);
  Usuario->setObjectName(QStringLiteral("Usuario"));
  QFont negrita = Usuario->font();
  negrita.setBold(true);
  Usuario->setFont(negrita);

  BotonNuevo = Boton("BotonNuevo", QStringLiteral("&Nuevo"), pagina);
  BotonCambios = Boton("BotonCambios", QStringLiteral("&Cambios"), pagina);
  BotonGuarda = Boton("BotonGuarda", QStringLiteral("&Guardar"), pagina);
  BotonGuarda->setEnabled(false);
  BotonElimina = Boton("BotonElimina", QStringLiteral("&Eliminar"), pagina);
  BitBtn1 = Boton("BitBtn1", QStringLiteral("Aplicar Cambios en Red"), pagina);
  ui::SetTag(BotonNuevo, kModoCambio);

  auto* datos = new QFormLayout;
  datos->addRow(new QLabel(QStringLiteral("No. de Usuario"), pagina), Nume);
  datos->addRow(new QLabel(QStringLiteral("Nombre"), pagina), Edit26);
  datos->addRow(new QLabel(QStringLiteral("Clave de Acceso"), pagina), Edit25);
  datos->addRow(Usuario);
  auto* botones = new QHBoxLayout;
  for (QPushButton* b : {BotonNuevo, BotonCambios, BotonGuarda, BotonElimina}) botones->addWidget(b);
  datos->addRow(botones);
  datos->addRow(BitBtn1);

  // Module row m: access is position m, "Altas", "Bajas", "Cambios" are
  // 11 + 3(m - 1) and the two after it, "Reportes" is 40 + m.
  derechos_.fill(nullptr, kNumeroDerechos);
  auto* rejilla = new QGridLayout;
  for (int c = 0; c < 5; ++c) rejilla->addWidget(new QLabel(QString::fromUtf8(kColumnas[c]), pagina), 0, c);
  for (int m = 1; m <= 10; ++m) {
    const int posiciones[] = {m, 11 + 3 * (m - 1), 12 + 3 * (m - 1), 13 + 3 * (m - 1), 40 + m};
    for (int c = 0; c < 5; ++c) {
      auto* casilla = new QCheckBox(c == 0 ? QString::fromUtf8(kModulos[m - 1]) : QString(), pagina);
      casilla->setObjectName(QStringLiteral("CheckBox%1").arg(posiciones[c]));
      derechos_[posiciones[c] - 1] = casilla;
      rejilla->addWidget(casilla, m, c);
    }
  }
  auto* permisos = new QGroupBox(pagina);
  auto* capaPermisos = new QGridLayout(permisos);
  for (int i = 0; i < 10; ++i) {
    auto* casilla = new QCheckBox(QString::fromUtf8(kPermisos[i].titulo), permisos);
    casilla->setObjectName(QString::fromLatin1(kPermisos[i].nombre));
    derechos_[50 + i] = casilla;
    capaPermisos->addWidget(casilla, i % 5, i / 5);
  }
  auto* derechos = new QVBoxLayout;
  derechos->addLayout(rejilla);
  derechos->addWidget(permisos);

  auto* capa = new QHBoxLayout(pagina);
  capa->addLayout(datos);
  capa->addLayout(derechos);

  ui::Conecta(Nume, &QSpinBox::valueChanged, this, [this] { NumeChange(); });
  ui::Conecta(BotonNuevo, &QPushButton::clicked, this, [this] { BotonNuevoClick(); });
  ui::Conecta(BotonCambios, &QPushButton::clicked, this, [this] { BotonCambiosClick(); });
  ui::Conecta(BotonGuarda, &QPushButton::clicked, this, [this] { BotonGuardaClick(); });
  ui::Conecta(BotonElimina, &QPushButton::clicked, this, [this] { BotonEliminaClick(); });
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ConectaDescripcion(BotonElimina, kAyudaElimina);
  ConectaDescripcion(BotonCambios, kAyudaCambios);
  ConectaDescripcion(BotonNuevo, kAyudaNuevo);
  ConectaDescripcion(BotonGuarda, kAyudaGuarda);
}

QCheckBox* TFormaConfiguracionGeneral::CasillaDerecho(int posicion) const {
  return posicion >= 1 && posicion <= derechos_.size() ? derechos_[posicion - 1] : nullptr;
}

void TFormaConfiguracionGeneral::FormShow() {
  {
    const QSignalBlocker quieto(Nume);
    Nume->setValue(0);
  }
  CargaUsuario();
}

void TFormaConfiguracionGeneral::CargaUsuario() {
  const QString ruta = fs::Une(carpetaPrograma_, kArchivoUsuarios);
  const QVector<TRegistroUsuario> usuarios = LeeUsuarios(ruta);
  {
    const QSignalBlocker quieto(Nume);
    Nume->setMaximum(std::max(0, static_cast<int>(usuarios.size()) - 1));
  }
  const int n = Nume->value();
  if (n >= usuarios.size()) SinUsuario(n, ruta);
  const TRegistroUsuario& registro = usuarios[n];
  Edit26->setText(DescifraTexto(registro.NombreUsuario));
  Usuario->setText(Edit26->text());
  Edit25->setText(DescifraTexto(registro.ClaveUsuario));
  // Only a lower-case "s" checks a box.
  for (int p = 1; p <= kNumeroDerechos; ++p)
    derechos_[p - 1]->setChecked(p <= registro.Derechos.size() && registro.Derechos[p - 1] == u's');
}

void TFormaConfiguracionGeneral::NumeChange() {
  if (Nume->value() <= 0) {
    const QSignalBlocker quieto(Nume);
    Nume->setValue(0);
  }
  CargaUsuario();
}

// The rights boxes keep the marks of the user shown.
void TFormaConfiguracionGeneral::BotonNuevoClick() {
  ui::SetTag(BotonNuevo, kModoNuevo);
  Edit26->clear();
  Edit25->clear();
  BotonCambios->setEnabled(false);
  BotonNuevo->setEnabled(false);
  BotonGuarda->setEnabled(true);
}

void TFormaConfiguracionGeneral::BotonCambiosClick() {
  ui::SetTag(BotonNuevo, kModoCambio);
  BotonCambios->setEnabled(false);
  BotonNuevo->setEnabled(false);
  BotonGuarda->setEnabled(true);
}

// A new user takes the number of the records before it; a change rewrites
// the user shown. The working copy is replaced whole, so a login of another
// copy of the program never reads it half written. Afterwards the tab shows
// the user written, so a second "&Guardar" rewrites that same user.
void TFormaConfiguracionGeneral::BotonGuardaClick() {
  TRegistroUsuario registro;
  registro.NombreUsuario = CifraTexto(Edit26->text());
  registro.ClaveUsuario = CifraTexto(Edit25->text());
  for (int p = 1; p <= kNumeroDerechos; ++p) registro.Derechos += derechos_[p - 1]->isChecked() ? u's' : u'n';

  const QString ruta = fs::Une(carpetaPrograma_, kArchivoUsuarios);
  QVector<TRegistroUsuario> usuarios = LeeUsuarios(ruta);
  const bool nuevo = ui::Tag(BotonNuevo) == kModoNuevo;
  const int n = nuevo ? static_cast<int>(usuarios.size()) : Nume->value();
  if (n > usuarios.size()) SinUsuario(n, ruta);
  registro.NumeroUsuario = n;
  if (n == usuarios.size())
    usuarios.append(registro);
  else
    usuarios[n] = registro;
  fs::EscribeAtomico(ruta, BytesUsuarios(usuarios));

  ui::SetTag(BotonNuevo, kModoCambio);
  BotonCambios->setEnabled(true);
  BotonNuevo->setEnabled(true);
  if (nuevo) {
    {
      const QSignalBlocker quieto(Nume);
      Nume->setMaximum(n);
      Nume->setValue(n);
    }
    CargaUsuario();
  }
}

// The users after the one deleted move up one number each. No question is
// asked, and the tab keeps showing the deleted user until another number is
// chosen.
void TFormaConfiguracionGeneral::BotonEliminaClick() {
  const int n = Nume->value();
  if (n == 0) {
    MuestraMensaje(kUsuarioCeroNoSeBorra);
    return;
  }
  const QString ruta = fs::Une(carpetaPrograma_, kArchivoUsuarios);
  QVector<TRegistroUsuario> usuarios = LeeUsuarios(ruta);
  if (n >= usuarios.size()) SinUsuario(n, ruta);
  usuarios.remove(n);
  for (int i = 0; i < usuarios.size(); ++i) usuarios[i].NumeroUsuario = i;
  const QString temporal = fs::Une(carpetaPrograma_, kArchivoUsuariosTemporal);
  fs::EscribeAtomico(temporal, BytesUsuarios(usuarios));
  fs::EscribeAtomico(ruta, fs::LeeBytes(temporal));
}

// Every login copies the master back over its working copy: a publication
// that fails is told, or the changes would be lost at the next login
// without anyone knowing.
void TFormaConfiguracionGeneral::BitBtn1Click() {
  try {
    const QString maestro = fs::Une(CarpetaDatosEmpresa(), kArchivoUsuarios);
    fs::EscribeAtomico(maestro, fs::LeeBytes(fs::Une(carpetaPrograma_, kArchivoUsuarios)));
  } catch (const plat::Error& e) {
    MuestraMensaje(QStringLiteral("No se pudieron aplicar los cambios en red: ") + e.mensaje());
  }
}
