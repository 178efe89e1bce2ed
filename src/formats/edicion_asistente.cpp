// The layout assistant: field boxes, label boxes and frames placed with the
// mouse on an empty letter page, and saved as "@" lines in columns and lines
// of the page (80 columns by 55 lines).

#include "formats/catfor.h"
#include "formats/edicion.h"
#include "foundation/dialogos.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>

#include <algorithm>

namespace {

constexpr size_t kMaximoCampos = 100;
constexpr size_t kMaximoEtiquetas = 100;
constexpr int kMaximoCuadros = 25;
constexpr int kLadoCuadro = 200;

enum Herramienta { Ninguna = 0, Campo = 1, Etiqueta = 2, Cuadro = 3 };

// A frame: a square outline that guides the layout. The mouse goes through
// it to the page, so boxes can be placed inside it.
class CuadroGuia : public QWidget {
 public:
  explicit CuadroGuia(QWidget* padre) : QWidget(padre) { setAttribute(Qt::WA_TransparentForMouseEvents); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter pintor(this);
    pintor.setPen(Qt::black);
    pintor.drawRect(rect().adjusted(0, 0, -1, -1));
  }
};

// A position of the grid with two decimals, at least four characters.
QString Coordenada(double valor) { return QString::number(valor, 'f', 2).rightJustified(4, u' '); }

}  // namespace

void TFormaEdicion::ConstruyeHerramientas() {
  Herramientas = new ui::Panel(cliente_);
  Herramientas->setObjectName(QStringLiteral("Herramientas"));
  Herramientas->setToolTip(QStringLiteral("Asistente para Formatos"));
  Herramientas->hide();
  ui::ArrastraControl(Herramientas, Herramientas);

  auto boton = [this](const QString& nombre, const QString& texto, int herramienta) {
    auto* b = new QPushButton(texto, Herramientas);
    b->setObjectName(nombre);
    b->setToolTip(QStringLiteral("Asistente para Formatos"));
    b->setFocusPolicy(Qt::NoFocus);
    ui::SetTag(b, herramienta);
    return b;
  };
  CajaCampo = boton(QStringLiteral("CajaCampo"), QStringLiteral("Campo"), Campo);
  CajaTexto = boton(QStringLiteral("CajaTexto"), QStringLiteral("Etiqueta"), Etiqueta);
  SpeedButton4 = boton(QStringLiteral("SpeedButton4"), QStringLiteral("Cuadro"), Cuadro);
  SpeedButton3 = boton(QStringLiteral("SpeedButton3"), QStringLiteral("Ampliar"), Ninguna);
  SpeedButton6 = boton(QStringLiteral("SpeedButton6"), QStringLiteral("Puntos"), Ninguna);
  SpeedButton7 = boton(QStringLiteral("SpeedButton7"), QStringLiteral("Formatos"), Ninguna);
  LabelModulo = new QLabel(QStringLiteral("Módulo"), Herramientas);
  LabelModulo->setObjectName(QStringLiteral("LabelModulo"));
  TipoTabla = new QComboBox(Herramientas);
  TipoTabla->setObjectName(QStringLiteral("TipoTabla"));
  TipoTabla->addItems(TablasCampos());
  TipoTabla->setCurrentText(QStringLiteral("Clientes"));

  int y = 8;
  for (QPushButton* b : {CajaCampo, CajaTexto, SpeedButton4, SpeedButton3, SpeedButton6, SpeedButton7}) {
    b->setGeometry(8, y, 134, 28);
    y += 32;
  }
  LabelModulo->setGeometry(8, y + 2, 134, 18);
  TipoTabla->setGeometry(8, y + 22, 134, 26);
  Herramientas->resize(150, y + 58);

  for (QPushButton* b : {CajaCampo, CajaTexto, SpeedButton4})
    ui::Conecta(b, &QPushButton::clicked, this, [this, b] { EligeHerramienta(b); });
  ui::Conecta(SpeedButton3, &QPushButton::clicked, this, [this] { FijaDistribucion(1); });
  ui::Conecta(SpeedButton6, &QPushButton::clicked, this, [this] { SpeedButton6Click(); });
}

bool TFormaEdicion::AsistenteActivo() const { return ui::Tag(Asistente) == 1; }

void TFormaEdicion::AsistenteClick() {
  fs::BorraArchivo(carpeta_ + QStringLiteral("\\tempo\\format.tmp"));
  // The window works as a preview of an empty page, with the editing toolbar.
  FijaModo(ModoEdicion::VistaPrevia);
  FormActivate();
  PanelEdicion->show();
  PanelPresentacion->hide();
  if (!herramientasColocadas_) {
    herramientasColocadas_ = true;
    Herramientas->move(std::max(0, cliente_->width() - Herramientas->width() - 24),
                       PanelEdicion->geometry().bottom() + 10);
  }
  Herramientas->show();
  Herramientas->raise();
  // A new run numbers its boxes from 1 again on an empty page: the boxes of
  // an earlier run are removed (they were saved or given up). Frames stay.
  for (QLineEdit* caja : cajasCampo_) delete caja;
  for (QLineEdit* caja : cajasEtiqueta_) delete caja;
  cajasCampo_.clear();
  cajasEtiqueta_.clear();
  ui::SetTag(Asistente, 1);
  FijaDistribucion(1);
  LimpiaBoceto();
}

void TFormaEdicion::TerminaAsistente() {
  ui::SetTag(Asistente, 0);
  Herramientas->hide();
}

// The chosen tool's button is disabled and the other two are enabled again.
void TFormaEdicion::EligeHerramienta(QPushButton* boton) {
  for (QPushButton* b : {CajaCampo, CajaTexto, SpeedButton4}) b->setEnabled(b != boton);
  ui::SetTag(Herramientas, ui::Tag(boton));
}

void TFormaEdicion::VistaPreliminarClick(QPoint punto) {
  if (!AsistenteActivo()) return;
  const QPoint lugar = VistaPreliminar->pos() + punto;
  switch (ui::Tag(Herramientas)) {
    case Campo: {
      if (cajasCampo_.size() >= kMaximoCampos) {
        MuestraMensaje(QStringLiteral("No se pueden colocar más de %1 campos en el formato").arg(kMaximoCampos));
        return;
      }
      cajasCampo_.push_back(NuevaCaja(QStringLiteral("Campo%1").arg(cajasCampo_.size() + 1), lugar, true));
      break;
    }
    case Etiqueta: {
      if (cajasEtiqueta_.size() >= kMaximoEtiquetas) {
        MuestraMensaje(
            QStringLiteral("No se pueden colocar más de %1 etiquetas en el formato").arg(kMaximoEtiquetas));
        return;
      }
      cajasEtiqueta_.push_back(
          NuevaCaja(QStringLiteral("Etiqueta%1").arg(cajasEtiqueta_.size() + 1), lugar, false));
      break;
    }
    case Cuadro:
      ColocaCuadro(lugar);
      break;
    default:
      break;
  }
}

QLineEdit* TFormaEdicion::NuevaCaja(const QString& nombre, QPoint punto, bool conMarco) {
  auto* caja = new QLineEdit(nombre, contenido_);
  caja->setObjectName(nombre);
  caja->setFrame(conMarco);
  if (!conMarco) caja->setStyleSheet(QStringLiteral("background: transparent;"));
  caja->setGeometry(QRect(punto, QSize(121, 21)));
  caja->setMouseTracking(true);
  // The window's filter first, so the dragging filter sees the mouse before it.
  caja->installEventFilter(this);
  ui::ArrastraControl(caja, caja, [this, caja] { MuestraPosicion(caja); });
  caja->show();
  caja->raise();
  return caja;
}

void TFormaEdicion::ColocaCuadro(QPoint punto) {
  if (cuadros_ >= kMaximoCuadros) {
    MuestraMensaje(QStringLiteral("No se pueden colocar más de %1 cuadros").arg(kMaximoCuadros));
    return;
  }
  ++cuadros_;
  auto* cuadro = new CuadroGuia(contenido_);
  cuadro->setObjectName(QStringLiteral("Cuadro%1").arg(cuadros_));
  cuadro->setGeometry(QRect(punto, QSize(kLadoCuadro, kLadoCuadro)));
  cuadro->show();
  // Over the page, under every box.
  cuadro->raise();
  for (QLineEdit* caja : cajasCampo_) caja->raise();
  for (QLineEdit* caja : cajasEtiqueta_) caja->raise();
}

std::pair<QString, QString> TFormaEdicion::PosicionCaja(const QWidget* caja) const {
  const QRect pagina = VistaPreliminar->geometry();
  const double columna = pagina.width() * 0.0125;
  const double linea = pagina.height() / static_cast<double>(lineasPagina_);
  return {Coordenada((caja->x() - pagina.x()) / columna), Coordenada((caja->y() - pagina.y()) / linea)};
}

void TFormaEdicion::MuestraPosicion(QLineEdit* caja) {
  const auto [x, y] = PosicionCaja(caja);
  caja->setToolTip(QStringLiteral("Posición ") + x + QStringLiteral(" , ") + y);
  QToolTip::showText(caja->mapToGlobal(QPoint(0, caja->height())), caja->toolTip(), caja);
}

bool TFormaEdicion::EsCajaAsistente(const QLineEdit* caja) const {
  return std::find(cajasCampo_.begin(), cajasCampo_.end(), caja) != cajasCampo_.end() ||
         std::find(cajasEtiqueta_.begin(), cajasEtiqueta_.end(), caja) != cajasEtiqueta_.end();
}

bool TFormaEdicion::EventoCaja(QLineEdit* caja, QEvent* evento) {
  switch (evento->type()) {
    case QEvent::MouseMove:
      MuestraPosicion(caja);
      return false;
    case QEvent::MouseButtonDblClick:
      CajaDblClick(caja);
      return true;
    case QEvent::KeyPress: {
      const auto* tecla = static_cast<QKeyEvent*>(evento);
      if (!(tecla->modifiers() & Qt::ControlModifier)) return false;
      QPoint paso;
      switch (tecla->key()) {
        case Qt::Key_Left: paso = QPoint(-1, 0); break;
        case Qt::Key_Up: paso = QPoint(0, -1); break;
        case Qt::Key_Right: paso = QPoint(1, 0); break;
        case Qt::Key_Down: paso = QPoint(0, 1); break;
        default: return false;
      }
      caja->move(caja->pos() + paso);
      MuestraPosicion(caja);
      return true;
    }
    default:
      return false;
  }
}

void TFormaEdicion::CajaDblClick(QLineEdit* caja) {
  TFormaCampos picker;
  picker.Bases->setCurrentText(TipoTabla->currentText());
  picker.BasesChange();
  picker.ShowModal();
  if (std::optional<QString> elegido = picker.Elegido()) UltimoCampo = *elegido;
  const QString texto = UltimoCampo.section(u',', 0, 0);
  caja->setText(texto);
  caja->resize(caja->fontMetrics().horizontalAdvance(texto) + 25, caja->height());
}

void TFormaEdicion::SpeedButton6Click() {
  if (bocetoConPuntos_) return;
  hayBoceto_ = true;
  bocetoConPuntos_ = true;
  const QSize pagina = VistaPreliminar->size();
  for (int c = 1; c <= 80; ++c) {
    for (int r = 1; r <= 53; ++r) {
      TrazoPagina punto;
      punto.tipo = TrazoPagina::Tipo::Elipse;
      punto.rect = QRect(static_cast<int>(pagina.width() * 0.0125 * c),
                         static_cast<int>(pagina.height() / static_cast<double>(lineasPagina_) * r), 2, 2);
      punto.color = Qt::black;
      boceto_.push_back(punto);
    }
  }
  VistaPreliminar->update();
}

void TFormaEdicion::GuardaAsistente(const QString& ruta) {
  QStringList lineas;
  auto agrega = [&](const QLineEdit* caja, const QString& valor) {
    const auto [x, y] = PosicionCaja(caja);
    lineas << QStringLiteral("@") + x + u',' + y + u',' + valor;
  };
  for (const QLineEdit* caja : cajasCampo_) {
    if (!caja->isHidden()) agrega(caja, caja->text().section(u' ', 0, 0));
  }
  for (const QLineEdit* caja : cajasEtiqueta_) {
    if (!caja->isHidden()) agrega(caja, caja->text());
  }
  fs::ReescribeLineas(ruta, lineas);
}
