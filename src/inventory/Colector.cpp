#include "inventory/Colector.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "inventory/RegistroMovimiento.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "platform/db/Valores.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/process/Procesos.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/RejillaTexto.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <optional>

namespace {

const QString kMascaraTotal = QStringLiteral("######0.00");
const QString kSufijoCopia = QStringLiteral("_Form.dat");
// Looks for Form.dat after the transfer program ended, a second apart.
constexpr int kBusquedas = 10;
constexpr int kPausaMs = 1000;

// Waits while the windows stay live.
void Pausa(int ms) {
  QEventLoop bucle;
  QTimer::singleShot(ms, &bucle, &QEventLoop::quit);
  bucle.exec();
}

// Now as days since 30/12/1899 with the fraction of the day, as the copies
// are named.
QString SelloCopia() {
  const QDateTime ahora = fs::Ahora();
  const double dias = NumeroDeFecha(ahora.date()) + ahora.time().msecsSinceStartOfDay() / 86400000.0;
  return QString::number(dias, 'g', 15);
}

// The date-time a copy's name begins with; nullopt for another file.
std::optional<double> SelloDe(const QString& nombre) {
  if (!nombre.endsWith(kSufijoCopia, Qt::CaseInsensitive)) return std::nullopt;
  return db::RealDeTexto(nombre.left(nombre.size() - kSufijoCopia.size()));
}

void ColorPanel(QWidget* panel, const QColor& color) {
  QPalette paleta = panel->palette();
  paleta.setColor(QPalette::Window, color);
  panel->setPalette(paleta);
  panel->setAutoFillBackground(true);
}

const QColor kAzul(0, 128, 255);
const QColor kNaranja(255, 139, 83);

}  // namespace

TFormaColector::TFormaColector(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaColector>() = this;
  setObjectName(QStringLiteral("FormaColector"));
  setWindowTitle(QStringLiteral("COLECTOR"));
  resize(760, 520);
  CarpetaLocal(carpetaPrograma_);

  Panel1 = new ui::Panel(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  ColorPanel(Panel1, kAzul);
  const auto boton = [this](const char* nombre, const QString& texto) {
    auto* b = new QToolButton(Panel1);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setText(texto);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
  };
  SpeedButton1 = boton("SpeedButton1", QStringLiteral("1) Leer Colector"));
  SpeedButton2 = boton("SpeedButton2", QStringLiteral("2) Ordenar"));
  SpeedButton3 = boton("SpeedButton3", QStringLiteral("3) Exportar"));
  EditTipo = new QLineEdit(QStringLiteral("57"), Panel1);
  EditTipo->setObjectName(QStringLiteral("EditTipo"));
  EditTipo->setValidator(new QIntValidator(0, 9999, EditTipo));
  EditTipo->setFixedWidth(60);
  LabelDescribe = new QLabel(QStringLiteral("MOVIMIENTO DE ENTRADA"), Panel1);
  LabelDescribe->setObjectName(QStringLiteral("LabelDescribe"));
  CheckAjuste = new QCheckBox(QStringLiteral("Ajuste de Existencias"), Panel1);
  CheckAjuste->setObjectName(QStringLiteral("CheckAjuste"));
  PartidasMI = new QSpinBox(Panel1);
  PartidasMI->setObjectName(QStringLiteral("PartidasMI"));
  PartidasMI->setRange(1, 9999);
  PartidasMI->setValue(50);
  const auto etiqueta = [this](const QString& texto, QWidget* socio) {
    auto* l = new QLabel(texto, Panel1);
    l->setBuddy(socio);
    QPalette paleta = l->palette();
    paleta.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(paleta);
    return l;
  };
  auto* panel = new QGridLayout(Panel1);
  panel->addWidget(SpeedButton1, 0, 0);
  panel->addWidget(SpeedButton2, 0, 1);
  panel->addWidget(SpeedButton3, 0, 2);
  panel->addWidget(etiqueta(QStringLiteral("Tipo de Movimiento"), EditTipo), 1, 0);
  panel->addWidget(EditTipo, 1, 1);
  panel->addWidget(LabelDescribe, 1, 2, 1, 2);
  panel->addWidget(CheckAjuste, 2, 0);
  panel->addWidget(etiqueta(QStringLiteral("Partidas por Movimiento"), PartidasMI), 2, 1);
  panel->addWidget(PartidasMI, 2, 2, Qt::AlignLeft);
  panel->setColumnStretch(3, 1);

  StringGridColector = new ui::RejillaTexto(this, 6, 2, 1, 1);
  StringGridColector->setObjectName(QStringLiteral("StringGridColector"));
  const QString titulos[] = {QStringLiteral("Clave"), QStringLiteral("Cantidad"), QStringLiteral("Descripción"),
                             QStringLiteral("Existencia"), QStringLiteral("Diferencia")};
  for (int c = ColColectorClave; c <= ColColectorDiferencia; ++c) StringGridColector->SetCells(c, 0, titulos[c - 1]);
  StringGridColector->SetColWidths(ColColectorDescripcion, 260);
  FileListBox1 = new QListWidget(this);
  FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
  FileListBox2 = new QListWidget(this);
  FileListBox2->setObjectName(QStringLiteral("FileListBox2"));
  LabelRuta = new QLabel(this);
  LabelRuta->setObjectName(QStringLiteral("LabelRuta"));
  LabelRuta->hide();
  TablaInventario = new db::Tabla(this);
  TablaInventario->setObjectName(QStringLiteral("TablaInventario"));

  auto* capa = new QVBoxLayout(this);
  capa->addWidget(Panel1);
  auto* abajo = new QHBoxLayout;
  abajo->addWidget(StringGridColector, 3);
  auto* listas = new QVBoxLayout;
  listas->addWidget(FileListBox1);
  listas->addWidget(FileListBox2);
  abajo->addLayout(listas, 1);
  capa->addLayout(abajo, 1);

  ui::Conecta(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
  ui::Conecta(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
  ui::Conecta(SpeedButton3, &QToolButton::clicked, this, [this] { SpeedButton3Click(); });
  ui::Conecta(EditTipo, &QLineEdit::textChanged, this, [this] { EditTipoChange(); });
  ui::Conecta(CheckAjuste, &QCheckBox::toggled, this, [this] { CheckAjusteClick(); });
}

TFormaColector::~TFormaColector() = default;

QString TFormaColector::CarpetaColector() const { return carpetaPrograma_ + QStringLiteral("\\Colector"); }

void TFormaColector::FormShow() {
  escritorio_ = fs::CarpetaEscritorio();
  BorraArchivoColector();
  MuestraArchivos();
}

void TFormaColector::BorraArchivoColector() {
  if (escritorio_.isEmpty()) return;
  const QString archivo = fs::Une(escritorio_, kArchivoColector);
  if (fs::ExisteArchivo(archivo)) fs::BorraArchivo(archivo);
}

void TFormaColector::MuestraArchivos() {
  const auto muestra = [](QListWidget* lista, const QString& carpeta) {
    lista->clear();
    if (!carpeta.isEmpty() && fs::ExisteCarpeta(carpeta)) lista->addItems(fs::ListaCarpeta(carpeta, "*.dat"));
  };
  muestra(FileListBox1, escritorio_);
  muestra(FileListBox2, CarpetaColector());
}

void TFormaColector::SpeedButton1Click() {
  if (escritorio_.isEmpty()) {
    MuestraMensaje(QStringLiteral("No se encontró la carpeta del escritorio donde el colector deja ") +
                   kArchivoColector);
    return;
  }
  // The window stays live while the program runs: its commands wait.
  const QList<QToolButton*> botones{SpeedButton1, SpeedButton2, SpeedButton3};
  for (QToolButton* b : botones) b->setEnabled(false);
  const auto habilita = qScopeGuard([&] {
    for (QToolButton* b : botones) b->setEnabled(true);
  });
  BorraArchivoColector();
  const proc::Resultado r = proc::EjecutaYEspera(kProgramaColector, carpetaPrograma_);
  if (!r) {
    MuestraMensaje(QStringLiteral("No se pudo iniciar el programa del colector: ") + r.error);
    return;
  }
  QApplication::beep();
  const QString archivo = fs::Une(escritorio_, kArchivoColector);
  for (int i = 0; i < kBusquedas; ++i) {
    if (fs::ExisteArchivo(archivo)) {
      fs::CreaCarpeta(CarpetaColector());
      const QString copia = fs::Une(CarpetaColector(), SelloCopia() + kSufijoCopia);
      if (!fs::CopiaArchivo(archivo, copia))
        MuestraMensaje(QStringLiteral("No se pudo copiar ") + kArchivoColector + QStringLiteral(" a ") + copia);
      break;
    }
    Pausa(kPausaMs);
  }
  BorraArchivoColector();
  MuestraArchivos();
}

QString TFormaColector::UltimaLectura() const {
  QString ultima;
  double mayor = 0;
  for (const QString& nombre : fs::ListaCarpeta(CarpetaColector(), QStringLiteral("*.dat"))) {
    const std::optional<double> sello = SelloDe(nombre);
    if (!sello || (!ultima.isEmpty() && *sello <= mayor)) continue;
    mayor = *sello;
    ultima = nombre;
  }
  return ultima;
}

void TFormaColector::SpeedButton2Click() {
  TablaInventario->Close();
  const QString nombre = fs::ExisteCarpeta(CarpetaColector()) ? UltimaLectura() : QString();
  if (nombre.isEmpty()) {
    MuestraMensaje(QStringLiteral("No hay lecturas del colector en ") + CarpetaColector());
    return;
  }
  const QString archivo = fs::Une(CarpetaColector(), nombre);

  // Every line is checked before anything is totalled. Blank lines say
  // nothing; a quantity that is not a number counts 0.
  QMap<QString, double> totales;
  const QStringList lineas = fs::LeeLineasCp1252OUtf8(archivo);
  for (int i = 0; i < lineas.size(); ++i) {
    if (lineas[i].trimmed().isEmpty()) continue;
    const QStringList items = lineas[i].split(u',');
    const QString clave = items[0].trimmed();
    if (clave.isEmpty()) {
      MuestraMensaje(QStringLiteral("La línea %1 del archivo %2 no tiene clave de producto; no se ordenó nada")
                         .arg(i + 1)
                         .arg(archivo));
      return;
    }
    totales[clave] += db::RealDeTexto(items.value(1)).value_or(0);
  }
  try {
    TablaInventario->Open();
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return;
  }

  // Keys whose quantities add up to 0 or less are dropped.
  ListaOrdenada.clear();
  for (auto i = totales.cbegin(); i != totales.cend(); ++i)
    if (i.value() > 0) ListaOrdenada << i.key() + u',' + FormatoMascara(kMascaraTotal, i.value());

  ui::RejillaTexto& g = *StringGridColector;
  g.clearContents();
  g.SetRowCount(std::max<int>(ListaOrdenada.size() + 1, 2));
  for (int r = 1; r <= ListaOrdenada.size(); ++r) {
    const QString& linea = ListaOrdenada[r - 1];
    const QString clave = linea.section(u',', 0, 0);
    const QString total = linea.section(u',', 1);
    g.SetCells(ColColectorClave, r, clave);
    g.SetCells(ColColectorTotal, r, total);
    if (!TablaInventario->FindKey({clave})) {
      g.SetCells(ColColectorDescripcion, r, kNoIdentificado);
      continue;
    }
    g.SetCells(ColColectorDescripcion, r, TablaInventario->FieldByName(QStringLiteral("DSCPR_I")).AsString());
    const QString existencia = TablaInventario->FieldByName(QStringLiteral("EXIST_I")).AsString();
    g.SetCells(ColColectorExistencia, r, existencia);
    const std::optional<double> stock = db::RealDeTexto(existencia);
    if (stock) g.SetCells(ColColectorDiferencia, r, FormatoMascara(kMascaraTotal, ValorReal(total) - *stock));
  }
  TablaInventario->Close();
}

void TFormaColector::SpeedButton3Click() {
  if (EditTipo->text().trimmed().isEmpty()) {
    MuestraMensaje(kNoHayMovimiento);
    return;
  }
  SetTag(kColectorAceptado);
  Close();
}

void TFormaColector::EditTipoChange() {
  bool numero = false;
  const int concepto = EditTipo->text().trimmed().toInt(&numero);
  if (!numero) return;
  LabelDescribe->setText(EsEntrada(concepto) ? QStringLiteral("MOVIMIENTO DE ENTRADA")
                                       : QStringLiteral("MOVIMIENTO DE SALIDA"));
}

void TFormaColector::CheckAjusteClick() { ColorPanel(Panel1, CheckAjuste->isChecked() ? kNaranja : kAzul); }
