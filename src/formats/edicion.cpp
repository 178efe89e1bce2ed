// The window of both modes: its components, the page layouts, showing,
// activation and closing, and the protocols its openers follow.

#include "formats/edicion.h"

#include "formats/Interprete.h"
#include "formats/PaginaPrevia.h"
#include "foundation/describe.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/DialogoArchivo.h"

#include <QAction>
#include <QBuffer>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTextEdit>
#include <QVBoxLayout>

#include <memory>

namespace {

constexpr int kAltoBarra = 41;  // height of the toolbars

QPushButton* Boton(QWidget* padre, const QString& nombre, const QString& texto, const QString& pista, int ayuda) {
  auto* b = new QPushButton(texto, padre);
  b->setObjectName(nombre);
  b->setToolTip(pista);
  b->setFocusPolicy(Qt::NoFocus);
  if (ayuda > 0) ConectaDescripcion(b, ayuda);
  return b;
}

// Lays the buttons of a toolbar out from the left.
void Alinea(std::initializer_list<QWidget*> controles, int x = 4) {
  for (QWidget* w : controles) {
    const int ancho = std::max({w->sizeHint().width(), w->minimumWidth(), 34});
    w->setGeometry(x, 6, ancho, kAltoBarra - 12);
    x += ancho + 3;
  }
}

// The page spin: a page below 1 or no page may be typed (the window then
// shows page 1), and leaving the box puts 1 in its place.
class CajaPagina : public QSpinBox {
 public:
  explicit CajaPagina(QWidget* padre) : QSpinBox(padre) {}
  QLineEdit* Caja() const { return lineEdit(); }

 protected:
  QValidator::State validate(QString& texto, int& posicion) const override {
    bool ok = false;
    const int valor = texto.trimmed().toInt(&ok);
    if (texto.trimmed().isEmpty() || (ok && valor < minimum())) return QValidator::Intermediate;
    return QSpinBox::validate(texto, posicion);
  }
  void fixup(QString& texto) const override {
    bool ok = false;
    const int valor = texto.trimmed().toInt(&ok);
    if (!ok || valor < minimum()) texto = QString::number(minimum());
  }
};

}  // namespace

// The page: painted from the preview file by the window.
class PaginaVista : public QWidget {
 public:
  PaginaVista(TFormaEdicion* forma, QWidget* padre) : QWidget(padre), forma_(forma) {
    setObjectName(QStringLiteral("VistaPreliminar"));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter pintor(this);
    ui::Protege([&] { forma_->VistaPreliminarPaint(pintor); });
  }
  void mousePressEvent(QMouseEvent* evento) override {
    ui::Protege([&] { forma_->VistaPreliminarMouseDown(evento->button()); });
  }
  // A click: the left button pressed and released on the page.
  void mouseReleaseEvent(QMouseEvent* evento) override {
    if (evento->button() != Qt::LeftButton || !rect().contains(evento->position().toPoint())) return;
    ui::Protege([&] { forma_->VistaPreliminarClick(evento->position().toPoint()); });
  }

 private:
  TFormaEdicion* forma_;
};

TFormaEdicion::TFormaEdicion(ModoEdicion modo, QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaEdicion>() = this;
  setObjectName(QStringLiteral("FormaEdicion"));
  setWindowTitle(QStringLiteral("Formatos"));
  setWindowFlag(Qt::WindowMaximizeButtonHint, true);
  resize(800, 600);
  Construye();
  FijaModo(modo);
}

ModoEdicion TFormaEdicion::Modo() const {
  const int tag = ui::Tag(Hoja);
  if (tag == 1) return ModoEdicion::Editor;
  return tag > 1 ? ModoEdicion::VistaPreviaConImagen : ModoEdicion::VistaPrevia;
}

void TFormaEdicion::FijaModo(ModoEdicion modo) { ui::SetTag(Hoja, static_cast<int>(modo)); }

bool TFormaEdicion::EnEditor() const { return ui::Tag(Hoja) == 1; }

void TFormaEdicion::Construye() {
  cliente_ = new QWidget(this);
  cliente_->setObjectName(QStringLiteral("Cliente"));
  ConstruyeMenu();
  auto* capas = new QVBoxLayout(this);
  capas->setContentsMargins(0, 0, 0, 0);
  capas->setMenuBar(MainMenu1);
  capas->addWidget(cliente_);
  ConstruyeHoja();
  ConstruyeEditor();
  ConstruyeEdicion();
  ConstruyePresentacion();
  ConstruyeHerramientas();

  AbreFormato = new ui::DialogoArchivo(this, ui::DialogoArchivo::Tipo::Abrir, QStringLiteral("AbreFormato"));
  AbreFormato->DefaultExt = QStringLiteral("fmt");
  AbreFormato->FileName = QStringLiteral("*.fmt");
  AbreFormato->Filter = QStringLiteral("*.fmt");
  Guardaformato = new ui::DialogoArchivo(this, ui::DialogoArchivo::Tipo::Guardar, QStringLiteral("Guardaformato"));
  cliente_->installEventFilter(this);
}

void TFormaEdicion::ConstruyeMenu() {
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  auto menu = [this](const QString& nombre, const QString& texto) {
    QMenu* m = MainMenu1->addMenu(texto);
    m->setObjectName(nombre);
    return m;
  };
  auto accion = [this](QMenu* m, const QString& nombre, const QString& texto, auto manejador) {
    QAction* a = m->addAction(texto);
    a->setObjectName(nombre);
    ui::Conecta(a, &QAction::triggered, this, manejador);
    return a;
  };
  Archivo1 = menu(QStringLiteral("Archivo1"), QStringLiteral("Archivo"));
  Nuevo1 = accion(Archivo1, QStringLiteral("Nuevo1"), QStringLiteral("Nuevo"), [this] { Nuevo1Click(); });
  Abrir1 = accion(Archivo1, QStringLiteral("Abrir1"), QStringLiteral("Abrir"), [this] { Abrir1Click(); });
  Guardar1 = accion(Archivo1, QStringLiteral("Guardar1"), QStringLiteral("Guardar"), [this] { Guardar1Click(); });
  Guardar1->setShortcut(Qt::Key_F9);
  GuardarComo1 = accion(Archivo1, QStringLiteral("GuardarComo1"), QStringLiteral("Guardar Como"),
                        [this] { Guardar1Click(); });
  Imprimir1 = accion(Archivo1, QStringLiteral("Imprimir1"), QStringLiteral("Imprimir"), [this] { Imprimir1Click(); });
  Archivo1->addSeparator();
  Salir1 = accion(Archivo1, QStringLiteral("Salir1"), QStringLiteral("Salir"), [this] { Close(); });

  Ver1 = menu(QStringLiteral("Ver1"), QStringLiteral("Ver"));
  AumentarEditor1 = accion(Ver1, QStringLiteral("AumentarEditor1"), QStringLiteral("Aumentar Editor"),
                           [this] { AumentarEditor1Click(); });
  Fuentes1 = accion(Ver1, QStringLiteral("Fuentes1"), QStringLiteral("Fuentes"), [this] { Fuentes1Click(); });

  Herramientas1 = menu(QStringLiteral("Herramientas1"), QStringLiteral("Herramientas"));
  ListadeCampos1 = accion(Herramientas1, QStringLiteral("ListadeCampos1"), QStringLiteral("Lista de Campos"),
                          [this] { BotonCamposClick(); });
  ListadeImpresoras1 = accion(Herramientas1, QStringLiteral("ListadeImpresoras1"),
                              QStringLiteral("Lista de Impresoras"), [this] { ListadeImpresoras1Click(); });
  Compilar1 = accion(Herramientas1, QStringLiteral("Compilar1"), QStringLiteral("Compilar"),
                     [this] { Compilar1Click(); });

  Papel1 = menu(QStringLiteral("Papel1"), QStringLiteral("Papel"));
  Carta1 = accion(Papel1, QStringLiteral("Carta1"), QStringLiteral("Carta"), [this] { FijaDistribucion(1); });
  // Legal paper is offered and does nothing.
  Oficio1 = Papel1->addAction(QStringLiteral("Oficio"));
  Oficio1->setObjectName(QStringLiteral("Oficio1"));
  Ticket1 = accion(Papel1, QStringLiteral("Ticket1"), QStringLiteral("Ticket"), [this] { FijaDistribucion(4); });

  Ayuda1 = menu(QStringLiteral("Ayuda1"), QStringLiteral("Ayuda"));
  Temas1 = accion(Ayuda1, QStringLiteral("Temas1"), QStringLiteral("Temas..."), [this] { Temas1Click(); });
}

void TFormaEdicion::ConstruyeEdicion() {
  PanelEdicion = new ui::Panel(cliente_);
  PanelEdicion->setObjectName(QStringLiteral("PanelEdicion"));
  BotonNuevo = Boton(PanelEdicion, QStringLiteral("BotonNuevo"), QStringLiteral("Nuevo"),
                     QStringLiteral("Nuevo Formato"), 76);
  BotonAbrir = Boton(PanelEdicion, QStringLiteral("BotonAbrir"), QStringLiteral("Abrir"),
                     QStringLiteral("Abrir un Formato"), 77);
  BotonGuardar = Boton(PanelEdicion, QStringLiteral("BotonGuardar"), QStringLiteral("Guardar"),
                       QStringLiteral("Guardar el Formato"), 78);
  BotonCopiar = Boton(PanelEdicion, QStringLiteral("BotonCopiar"), QStringLiteral("Copiar"),
                      QStringLiteral("Copiar"), 79);
  BotonCortar = Boton(PanelEdicion, QStringLiteral("BotonCortar"), QStringLiteral("Cortar"),
                      QStringLiteral("Cortar"), 80);
  BotonPegar = Boton(PanelEdicion, QStringLiteral("BotonPegar"), QStringLiteral("Pegar"),
                     QStringLiteral("Pegar"), 81);
  BotonAumentar = Boton(PanelEdicion, QStringLiteral("BotonAumentar"), QStringLiteral("Aumentar"),
                        QStringLiteral("Aumentar"), 82);
  BotonCampos = Boton(PanelEdicion, QStringLiteral("BotonCampos"), QStringLiteral("Campos"),
                      QStringLiteral("Lista de Campos"), 83);
  BotonSintaxis = Boton(PanelEdicion, QStringLiteral("BotonSintaxis"), QStringLiteral("Compilar"),
                        QStringLiteral("Revisa la Sintaxis del Formato"), 84);
  Asistente = Boton(PanelEdicion, QStringLiteral("Asistente"), QStringLiteral("Asistente"),
                    QStringLiteral("Asistente para Formatos"), 81);
  Alinea({BotonNuevo, BotonAbrir, BotonGuardar, BotonCopiar, BotonCortar, BotonPegar, BotonAumentar, BotonCampos,
          BotonSintaxis, Asistente});

  ui::Conecta(BotonNuevo, &QPushButton::clicked, this, [this] { Nuevo1Click(); });
  ui::Conecta(BotonAbrir, &QPushButton::clicked, this, [this] { Abrir1Click(); });
  ui::Conecta(BotonGuardar, &QPushButton::clicked, this, [this] { Guardar1Click(); });
  ui::Conecta(BotonCopiar, &QPushButton::clicked, this, [this] { Codigo->copy(); });
  ui::Conecta(BotonCortar, &QPushButton::clicked, this, [this] { Codigo->cut(); });
  ui::Conecta(BotonPegar, &QPushButton::clicked, this, [this] { Codigo->paste(); });
  ui::Conecta(BotonCampos, &QPushButton::clicked, this, [this] { BotonCamposClick(); });
  ui::Conecta(BotonSintaxis, &QPushButton::clicked, this, [this] { Compilar1Click(); });
  ui::Conecta(Asistente, &QPushButton::clicked, this, [this] { AsistenteClick(); });
}

void TFormaEdicion::ConstruyePresentacion() {
  PanelPresentacion = new ui::Panel(cliente_);
  PanelPresentacion->setObjectName(QStringLiteral("PanelPresentacion"));
  BotonAumento = Boton(PanelPresentacion, QStringLiteral("BotonAumento"), QStringLiteral("Ampliar"),
                       QStringLiteral("Ampliar la Vista Preliminar"), 85);
  BotonDisminuye = Boton(PanelPresentacion, QStringLiteral("BotonDisminuye"), QStringLiteral("Reducir"),
                         QStringLiteral("Reducir la vista Preliminar"), 86);
  BotonNotas = Boton(PanelPresentacion, QStringLiteral("BotonNotas"), QStringLiteral("Nota"),
                     QStringLiteral("Agregar Nota"), 0);
  SpeedButton1 = Boton(PanelPresentacion, QStringLiteral("SpeedButton1"), QStringLiteral("Imagen"),
                       QStringLiteral("Guarda Imagen"), 0);
  SpeedButton2 = Boton(PanelPresentacion, QStringLiteral("SpeedButton2"), QStringLiteral("Comentarios"),
                       QStringLiteral("Muestra Comentarios"), 0);
  auto* caja = new CajaPagina(PanelPresentacion);
  NumerodePagina = caja;
  NumerodePagina->setObjectName(QStringLiteral("NumerodePagina"));
  NumerodePagina->setRange(1, 1);
  Pagina = new QLabel(QStringLiteral("0 Paginas"), PanelPresentacion);
  Pagina->setObjectName(QStringLiteral("Pagina"));
  Pagina->setMinimumWidth(90);
  BotonImprime = Boton(PanelPresentacion, QStringLiteral("BotonImprime"), QStringLiteral("Imprimir"),
                       QStringLiteral("Imprimir"), 87);
  BotonSalir = Boton(PanelPresentacion, QStringLiteral("BotonSalir"), QStringLiteral("Salir"),
                     QStringLiteral("Salir"), 0);
  NumerodePagina->setFixedWidth(60);
  Alinea({BotonAumento, BotonDisminuye, BotonNotas, SpeedButton1, SpeedButton2, NumerodePagina, Pagina,
          BotonImprime});
  BotonSalir->resize(std::max(BotonSalir->sizeHint().width(), 34), kAltoBarra - 12);

  ui::Conecta(BotonAumento, &QPushButton::clicked, this, [this] { FijaDistribucion(1); });
  ui::Conecta(BotonDisminuye, &QPushButton::clicked, this, [this] { FijaDistribucion(0); });
  ui::Conecta(BotonNotas, &QPushButton::clicked, this, [this] { BotonNotasClick(); });
  ui::Conecta(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
  ui::Conecta(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
  // Every text typed (a page below 1 too) and every page stepped to.
  ui::Conecta(caja->Caja(), &QLineEdit::textEdited, this, [this](const QString& t) { NumerodePaginaChange(t); });
  ui::Conecta(caja, &QSpinBox::textChanged, this, [this](const QString& t) { NumerodePaginaChange(t); });
  ui::Conecta(BotonImprime, &QPushButton::clicked, this, [this] { BotonImprimeClick(); });
  ui::Conecta(BotonSalir, &QPushButton::clicked, this, [this] { Close(); });
}

void TFormaEdicion::ConstruyeEditor() {
  panelCodigo = new ui::Panel(cliente_);
  panelCodigo->setObjectName(QStringLiteral("panelCodigo"));
  Codigo = new QTextEdit(panelCodigo);
  Codigo->setObjectName(QStringLiteral("Codigo"));
  Codigo->setAcceptRichText(false);
  Codigo->setLineWrapMode(QTextEdit::NoWrap);
  Codigo->setContextMenuPolicy(Qt::NoContextMenu);  // the right button shows the field list
  Codigo->setFont(QFont(QStringLiteral("Arial"), 10));
  Codigo->installEventFilter(this);
  Codigo->viewport()->installEventFilter(this);
  lineas = new QLabel(QStringLiteral("0"), panelCodigo);
  lineas->setObjectName(QStringLiteral("lineas"));
  Posicion = new QLabel(QStringLiteral("0"), panelCodigo);
  Posicion->setObjectName(QStringLiteral("Posicion"));
  Campos = new QListWidget(panelCodigo);
  Campos->setObjectName(QStringLiteral("Campos"));
  Campos->hide();
  Campos->installEventFilter(this);

  ui::Conecta(Codigo, &QTextEdit::cursorPositionChanged, this, [this] { SigueCursor(); });
  ui::Conecta(Campos, &QListWidget::itemDoubleClicked, this, [this] { EligeEntradaCampos(); });
}

void TFormaEdicion::ConstruyeHoja() {
  Hoja = new QTextEdit(cliente_);
  Hoja->setObjectName(QStringLiteral("Hoja"));
  Hoja->hide();

  Caja = new QScrollArea(cliente_);
  Caja->setObjectName(QStringLiteral("Caja"));
  Caja->setWidgetResizable(false);
  contenido_ = new QWidget;
  contenido_->setObjectName(QStringLiteral("ContenidoCaja"));
  Caja->setWidget(contenido_);
  marco = new QFrame(contenido_);
  marco->setObjectName(QStringLiteral("marco"));
  marco->setFrameStyle(QFrame::Box | QFrame::Sunken);
  VistaPreliminar = new PaginaVista(this, contenido_);

  Comentario = new QPlainTextEdit(contenido_);
  Comentario->setObjectName(QStringLiteral("Comentario"));
  Comentario->resize(260, 120);
  Comentario->setStyleSheet(QStringLiteral("background: #ffffe1;"));
  Comentario->hide();
  ui::ArrastraControl(Comentario->viewport(), Comentario, [this] { ColocaNota(Comentario); });
  for (int i = 0; i < static_cast<int>(Notas.size()); ++i) {
    auto* nota = new QLineEdit(contenido_);
    nota->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
    nota->resize(180, 24);
    nota->setStyleSheet(QStringLiteral("background: #ffffe1;"));
    nota->hide();
    nota->installEventFilter(this);
    ui::ArrastraControl(nota, nota, [this, nota] { ColocaNota(nota); });
    Notas[i] = nota;
  }
}

void TFormaEdicion::FormResize() {
  const int ancho = cliente_->width();
  const int alto = cliente_->height();
  PanelEdicion->setGeometry(0, 0, ancho, kAltoBarra);
  PanelPresentacion->setGeometry(0, 0, ancho, kAltoBarra);
  BotonSalir->move(ancho - BotonSalir->width() - 4, 6);
  Caja->setGeometry(0, kAltoBarra, ancho, std::max(0, alto - kAltoBarra));
  const int anchoPanel = editorGrande_ ? 603 : 360;
  panelCodigo->setGeometry(0, kAltoBarra, anchoPanel, std::max(0, alto - kAltoBarra));
  Codigo->setGeometry(3, 3, anchoPanel - 7, std::max(0, panelCodigo->height() - 30));
  lineas->setGeometry(8, panelCodigo->height() - 24, 60, 20);
  Posicion->setGeometry(80, panelCodigo->height() - 24, 80, 20);
  FijaDistribucion(distribucion_);
}

void TFormaEdicion::FijaDistribucion(int distribucion) {
  distribucion_ = distribucion;
  QRect m;
  switch (distribucion) {
    case 0:
      m = QRect(227, 20, 193, 315);
      break;
    case 3:
      m = QRect(367, 20, 193, 315);
      Comentario->hide();
      break;
    default: {  // 1 letter, 4 ticket
      const int ancho = std::max(40, Caja->width() - 80);
      m = QRect(Caja->x() + 40, Caja->y() - 20, ancho, static_cast<int>(ancho * 1.3));
      break;
    }
  }
  marco->setGeometry(m);
  QRect pagina = m.adjusted(10, 10, -10, -10);
  if (distribucion == 4) pagina.setWidth(static_cast<int>((m.width() - 20) / 2.8933));
  VistaPreliminar->setGeometry(pagina);
  // The scroll box's content holds the frame; the vertical bar it may need
  // must not force a horizontal one.
  const int borde = 2 * Caja->frameWidth();
  const int alto = std::max(Caja->height() - borde, m.bottom() + 20);
  const int barra = alto > Caja->height() - borde ? Caja->verticalScrollBar()->sizeHint().width() : 0;
  contenido_->resize(std::max(Caja->width() - borde - barra, m.right() + 20), alto);
  marco->lower();
  VistaPreliminar->update();
}

void TFormaEdicion::LimpiaBoceto() {
  hayBoceto_ = false;
  boceto_.clear();
  bocetoConPuntos_ = false;
  VistaPreliminar->update();
}

void TFormaEdicion::FormShow() {
  lineasPagina_ = 55;
  CarpetaLocal(carpeta_);
  paginaActual_ = 1;
  {
    const QSignalBlocker bloqueo(NumerodePagina);
    NumerodePagina->setValue(1);
  }
  FormResize();
  FijaDistribucion(1);
  // The editor reads its file once, when it is shown: dialogs opened from it
  // must not replace what the user typed.
  if (EnEditor() && !AbreFormato->FileName.contains(u'*') && fs::ExisteArchivo(AbreFormato->FileName))
    CargaArchivo(AbreFormato->FileName);
}

void TFormaEdicion::FormActivate() {
  const bool editor = EnEditor();
  if (editor) FijaDistribucion(3);
  // The assistant keeps its toolbar and tools when the window becomes active
  // again (after the field picker): the preview's commands have no place there.
  const bool asistente = AsistenteActivo();
  PanelEdicion->setVisible(editor || asistente);
  PanelPresentacion->setVisible(!editor && !asistente);
  Herramientas->setVisible(asistente);
  panelCodigo->setVisible(editor);
  lineas->setVisible(editor);
  Posicion->setVisible(editor);
}

void TFormaEdicion::FormClose() {
  if (ui::Tag(Hoja) <= 1) return;
  // A picture that cannot be written is reported; the window closes anyway.
  ui::Protege([this] {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ImagenPagina().save(&buffer, "BMP");
    fs::EscribeAtomico(QStringLiteral("c:\\fact.bmp"), bytes);
  });
}

bool TFormaEdicion::eventFilter(QObject* objeto, QEvent* evento) {
  if (!Codigo || !Campos) return ui::Forma::eventFilter(objeto, evento);  // still being built
  if (objeto == cliente_ && evento->type() == QEvent::Resize) {
    FormResize();
  } else if (objeto == Codigo && evento->type() == QEvent::KeyPress) {
    bool consumida = false;
    ui::Protege([&] { consumida = TeclaEditor(static_cast<QKeyEvent*>(evento)->key()); });
    if (consumida) return true;
  } else if (objeto == Codigo->viewport() && evento->type() == QEvent::MouseButtonPress) {
    ui::Protege([&] { RatonEditor(static_cast<QMouseEvent*>(evento)->button()); });
  } else if (objeto == Campos && evento->type() == QEvent::KeyPress) {
    const int tecla = static_cast<QKeyEvent*>(evento)->key();
    if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
      ui::Protege([this] { EligeEntradaCampos(); });
      return true;
    }
  } else if (auto* caja = qobject_cast<QLineEdit*>(objeto); caja && EsCajaAsistente(caja)) {
    bool consumido = false;
    ui::Protege([&] { consumido = EventoCaja(caja, evento); });
    if (consumido) return true;
  } else if (evento->type() == QEvent::MouseButtonDblClick) {
    for (int i = 0; i < static_cast<int>(Notas.size()); ++i) {
      if (objeto == Notas[i]) {
        NotaDblClick(i);
        return true;
      }
    }
  }
  return ui::Forma::eventFilter(objeto, evento);
}

void MuestraEditorFormatos() {
  QString carpeta;
  CarpetaLocal(carpeta);
  TFormaEdicion editor(ModoEdicion::Editor);
  editor.AbreFormato->InitialDir = carpeta + QStringLiteral("\\consulta");
  editor.ShowModal();
  editor.FijaModo(ModoEdicion::VistaPrevia);
}

bool VistaPreviaFormato(db::Dataset* encabezado, db::Dataset* detalle, const QString& archivo,
                        const OpcionesVistaPrevia& opciones) {
  // A preview mode only: the editor is never opened this way.
  auto vista = std::make_unique<TFormaEdicion>(opciones.modo == ModoEdicion::Editor ? ModoEdicion::VistaPrevia
                                                                                    : opciones.modo);
  ui::SetTag(vista->BotonImprime, 0);
  const bool existe = fs::ExisteArchivo(archivo);
  if (existe) {
    EjecutaFormato(encabezado, detalle, archivo, u'p');
  } else {
    MuestraMensaje(QStringLiteral("El Formato ") + archivo + QStringLiteral(" No Existe"));
    if (!opciones.ventanaSinFormato) return false;
    // The window shows no pages rather than those of an earlier preview.
    fs::BorraArchivo(ArchivoPaginaPrevia());
  }
  vista->ShowModal();
  const bool imprime = opciones.ofreceImpresion && existe && ui::Tag(vista->BotonImprime) == 1;
  vista.reset();
  if (imprime) EjecutaFormato(encabezado, detalle, archivo, u'i');
  return imprime;
}
