#include "maintenance/respaldo.h"

#include "maintenance/Piezas.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_fecha.h"
#include "platform/Error.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

#include <filesystem>
#include <system_error>

namespace {

using namespace piezas;

constexpr int kPasoAvance = 2;
// Names of files not copied per line of the end message.
constexpr int kNombresPorLinea = 4;

// Creates the folder, with its missing parents when `conPadres` (else its
// parent must exist). Throws plat::Error naming the folder when it cannot.
void CreaCarpetaRespaldo(const QString& carpeta, bool conPadres) {
  const std::filesystem::path ruta(QFile::encodeName(fs::Local(carpeta)).toStdString());
  std::error_code error;
  if (conPadres) std::filesystem::create_directories(ruta, error);
  else std::filesystem::create_directory(ruta, error);
  if (error) throw plat::ErrorDeSistema(QStringLiteral("No se pudo crear la carpeta ") + carpeta, error.value());
}

QString CuentaRespaldo(qsizetype n, const char* uno, const char* varios) {
  return QString::number(n) + u' ' + QString::fromUtf8(n == 1 ? uno : varios);
}

// "a, b y c".
QString EnumeraRespaldo(const QStringList& partes) {
  if (partes.size() <= 1) return partes.join(QString());
  return partes.mid(0, partes.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" y ") + partes.last();
}

// The end message of a copy: done, or incomplete with the files not copied;
// then what was copied, by kind, and the subfolders it took.
QString MensajeFinal(const ArchivosRespaldo& archivos, const QStringList& noCopiados, const QString& destino) {
  QStringList lineas;
  if (noCopiados.isEmpty()) {
    lineas << kRespaldoTerminado;
  } else {
    lineas << QStringLiteral("Respaldo Incompleto, No se Pudieron Copiar los Archivos:");
    for (qsizetype i = 0; i < noCopiados.size(); i += kNombresPorLinea)
      lineas << noCopiados.mid(i, kNombresPorLinea).join(QStringLiteral(", "));
  }
  // Tables are counted by their .dbf; their memos go with the other files.
  qsizetype tablas = 0, indices = 0, otros = 0;
  for (const QString& nombre : archivos.Todos()) {
    if (noCopiados.contains(nombre)) continue;
    if (archivos.indices.contains(nombre)) ++indices;
    else if (archivos.tablas.contains(nombre) && nombre.endsWith(QStringLiteral(".dbf"), Qt::CaseInsensitive)) ++tablas;
    else ++otros;
  }
  QStringList carpetas;
  for (const QString& nombre : archivos.otros) {
    const QString carpeta = nombre.section(u'\\', 0, 0);
    if (nombre.contains(u'\\') && !noCopiados.contains(nombre) && !carpetas.contains(carpeta)) carpetas << carpeta;
  }
  QString resumen = QStringLiteral("Se copiaron ") + CuentaRespaldo(tablas + indices + otros, "archivo", "archivos") +
                    QStringLiteral(" en ") + destino + QStringLiteral(": ") +
                    EnumeraRespaldo({CuentaRespaldo(tablas, "tabla", "tablas"), CuentaRespaldo(indices, "índice", "índices"),
                             CuentaRespaldo(otros, "archivo más", "archivos más")});
  if (!carpetas.isEmpty())
    resumen += (carpetas.size() == 1 ? QStringLiteral(", con la carpeta ") : QStringLiteral(", con las carpetas ")) +
               EnumeraRespaldo(carpetas);
  lineas << resumen + u'.';
  return lineas.join(u'\n');
}

// The components of a page that copies from one folder to another.
struct PaginaDeCopia {
  QLineEdit* fuente;
  QLineEdit* destino;
  QProgressBar* avance;
  QToolButton* aceptar;
  QPushButton* cancelar;
};
struct NombresPaginaDeCopia {
  const char *fuente, *destino, *avance, *aceptar, *cancelar;
};

PaginaDeCopia LlenaPaginaDeCopia(QWidget* pagina, const NombresPaginaDeCopia& nombres) {
  Etiqueta(pagina, QStringLiteral("Directorio Fuente"), {20, 44, 300, 18});
  QLineEdit* fuente = Caja(pagina, nombres.fuente, {20, 64, 390, 24});
  Etiqueta(pagina, QStringLiteral("Directorio Destino"), {20, 96, 300, 18});
  QLineEdit* destino = Caja(pagina, nombres.destino, {20, 116, 390, 24});
  return {fuente, destino, Medidor(pagina, nombres.avance, {20, 154, 390, 22}),
          BotonRapido(pagina, nombres.aceptar, QStringLiteral("&Aceptar"), {110, 200, 100, 32}),
          Boton(pagina, nombres.cancelar, QStringLiteral("&Cancelar"), {230, 200, 100, 32})};
}

}  // namespace

QString CarpetaRespaldoDelDia() {
  const QDate hoy = fs::Hoy();
  return QStringLiteral("C:\\RESPALDOS\\%1-%2-%3").arg(hoy.day()).arg(hoy.month()).arg(hoy.year());
}

QString TextoDiaRespaldo() {
  const QDate hoy = fs::Hoy();
  return QStringLiteral("%1%2%3").arg(hoy.day()).arg(hoy.month()).arg(hoy.year());
}

TFormaRespaldo::TFormaRespaldo(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaRespaldo>() = this;
  setObjectName(QStringLiteral("FormaRespaldo"));
  setWindowTitle(QStringLiteral("Respaldo de Archivos del Sistema"));
  setFixedSize(440, 290);
  QFont negrita = font();
  negrita.setBold(true);

  TabbedNotebook1 = Nombrado(new QTabWidget(this), "TabbedNotebook1");
  TabbedNotebook1->setGeometry(0, 0, 440, 290);
  auto* respaldar = new QWidget;
  auto* restaurar = new QWidget;
  auto* crear = new QWidget;
  TabbedNotebook1->addTab(respaldar, QStringLiteral("Respaldar"));
  TabbedNotebook1->addTab(restaurar, QStringLiteral("Restaurar"));
  TabbedNotebook1->addTab(crear, QStringLiteral("Crear Bases de Datos"));

  // Respaldar.
  Normal = Nombrado(new QRadioButton(QStringLiteral("Normal"), respaldar), "Normal");
  Normal->setGeometry(20, 12, 120, 22);
  Normal->setChecked(true);
  Comprimido = Nombrado(new QRadioButton(QStringLiteral("Comprimido"), respaldar), "Comprimido");
  Comprimido->setGeometry(160, 12, 140, 22);
  const PaginaDeCopia copia =
      LlenaPaginaDeCopia(respaldar, {"DirectorioFuente", "DirectorioDestino", "Avance2", "Ejecutar", "BitBtn1"});
  DirectorioFuente = copia.fuente;
  DirectorioDestino = copia.destino;
  Avance2 = copia.avance;
  Ejecutar = copia.aceptar;
  BitBtn1 = copia.cancelar;

  // Restaurar: drawn, with no action.
  const PaginaDeCopia restauracion =
      LlenaPaginaDeCopia(restaurar, {"DirectorioFue", "DirectorioDes", "Avance", "Aceptar", "BitBtn2"});
  DirectorioFue = restauracion.fuente;
  DirectorioDes = restauracion.destino;
  Avance = restauracion.avance;
  Aceptar = restauracion.aceptar;
  BitBtn2 = restauracion.cancelar;

  // Crear Bases de Datos.
  Etiqueta(crear, QStringLiteral("Directorio"), {20, 44, 300, 18});
  Directorio2 = Caja(crear, "Directorio2", {20, 64, 390, 24});
  Avance4 = Medidor(crear, "Avance4", {20, 154, 390, 22});
  BitBtn5 = Boton(crear, "BitBtn5", QStringLiteral("&Iniciar"), {110, 200, 100, 32});
  BitBtn6 = Boton(crear, "BitBtn6", QStringLiteral("&Cancelar"), {230, 200, 100, 32});

  for (QWidget* w : std::initializer_list<QWidget*>{Ejecutar, BitBtn1, Aceptar, BitBtn2, BitBtn5, BitBtn6,
                                                     DirectorioFuente, DirectorioDestino, DirectorioFue,
                                                     DirectorioDes, Directorio2})
    w->setFont(negrita);

  ListaArchivo2 = Nombrado(new QListWidget(this), "ListaArchivo2");
  uno = Nombrado(new QLabel(this), "uno");
  dos = Nombrado(new QLabel(this), "dos");
  ArchivoBases = Nombrado(new QLabel(this), "ArchivoBases");
  for (QWidget* w : std::initializer_list<QWidget*>{ListaArchivo2, uno, dos, ArchivoBases}) w->hide();

  // The warnings lie below the visible area of the window.
  for (const auto& [texto, arriba] :
       {std::pair{QStringLiteral("Advertencia: Este proceso puede ocasionar la perdida parcial o total de su"), 300},
        std::pair{QStringLiteral("información asegurese de realizarlo correctamente"), 318}}) {
    QLabel* aviso = Etiqueta(this, texto, {10, arriba, 430, 18});
    QPalette paleta = aviso->palette();
    paleta.setColor(QPalette::WindowText, Qt::red);
    aviso->setPalette(paleta);
    aviso->setFont(negrita);
  }

  QString datos;
  LeeLineaConfig(8, datos);
  DirectorioFuente->setText(datos);
  DirectorioDes->setText(datos);
  DirectorioDestino->setText(CarpetaRespaldoDelDia());

  ui::Conecta(Ejecutar, &QToolButton::clicked, this, [this] { EjecutarClick(); });
  ui::Conecta(BitBtn5, &QPushButton::clicked, this, [this] { BitBtn5Click(); });
  for (QPushButton* cancelar : {BitBtn1, BitBtn2, BitBtn6}) {
    cancelar->setProperty("Cancel", true);
    ui::Conecta(cancelar, &QPushButton::clicked, this, [this] { Close(); });
  }
  ui::CentraEnPantalla(*this);
}

void TFormaRespaldo::EjecutarClick() {
  if (Normal->isChecked()) RespaldoNormal();
  else RespaldoComprimido();
}

void TFormaRespaldo::BitBtn5Click() {
  Normal->setChecked(true);
  if (Directorio2->text().isEmpty()) return;
  DirectorioDestino->setText(Directorio2->text());
  RespaldoNormal();
}

void TFormaRespaldo::BitBtn3Click() {
  MuestraMensaje(QStringLiteral("Proceso de Regeneración de Indices Terminado"));
  Close();
}

void TFormaRespaldo::RespaldoNormal() {
  RegistraBitacora(LineaBitacora(QStringLiteral("Último Respaldo ")));
  const QString destino = DirectorioDestino->text();
  if (!fs::ExisteCarpeta(destino)) {
    CreaCarpetaRespaldo(destino, true);
    MuestraMensaje(destino);
  }
  CopiaArchivosRespaldo();
}

void TFormaRespaldo::CopiaArchivosRespaldo() {
  Avance2->setValue(0);
  const QString fuente = DirectorioFuente->text();
  // A source that is not there would copy nothing and still end "Terminado".
  if (fuente.trimmed().isEmpty() || !fs::ExisteCarpeta(fuente))
    throw plat::Error(plat::Clase::NoExiste, QStringLiteral("No existe la carpeta ") + fuente);
  const QString destino = DirectorioDestino->text();
  const ArchivosRespaldo archivos = ArchivosDelRespaldo(fuente, destino);
  QStringList noCopiados;
  CopiaLista(archivos.tablas, noCopiados);
  CopiaLista(archivos.indices, noCopiados);
  // What the company needs besides its tables to start again from the
  // copy: users, folios, currencies, settings, the log and its folders.
  CopiaLista(archivos.otros, noCopiados);
  MuestraMensaje(MensajeFinal(archivos, noCopiados, destino));
  Close();
}

void TFormaRespaldo::CopiaLista(const QStringList& nombres, QStringList& noCopiados) {
  ListaArchivo2->clear();
  ListaArchivo2->addItems(nombres);
  const QString fuente = DirectorioFuente->text();
  const QString destino = DirectorioDestino->text();
  for (const QString& nombre : nombres) {
    const QString origen = fs::Une(fuente, nombre);
    const QString copia = fs::Une(destino, nombre);
    uno->setText(origen);
    dos->setText(copia);
    // fs::CopiaArchivo writes under a temporary name and renames when whole.
    const bool copiado = fs::ExisteCarpeta(destino) &&
                         (!nombre.contains(u'\\') || fs::CreaCarpeta(fs::CarpetaDe(copia))) &&
                         fs::CopiaArchivo(origen, copia);
    if (copiado) ArchivoBases->setText(origen);
    else noCopiados << nombre;
    Avance2->setValue(qMin(Avance2->value() + kPasoAvance, Avance2->maximum()));
    Avance2->repaint();
  }
}

void TFormaRespaldo::RespaldoComprimido() {
  const QString dia = TextoDiaRespaldo();
  RegistraBitacora(LineaBitacora(QStringLiteral("Último Respaldo comprimido ")));
  const QString destino = DirectorioDestino->text();
  if (!fs::ExisteCarpeta(destino)) {
    CreaCarpetaRespaldo(destino, false);
    MuestraMensaje(destino);
  }
  MuestraMensaje(dia);
  try {
    MuestraMensaje(dia);
    QString datos;
    LeeLineaConfig(8, datos);
    Avance2->setValue(0);
    EscribeZip(fs::Une(destino, kArchivoComprimido), datos, ArchivosDelRespaldo(datos, destino).Todos(),
               [this](double hecho) {
      Avance2->setValue(qRound(hecho * Avance2->maximum()));
      Avance2->repaint();
    });
  } catch (const std::exception&) {
    MuestraMensaje(kErrorCompresion);
  }
}
