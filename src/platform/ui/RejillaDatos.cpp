#include "platform/ui/RejillaDatos.h"

#include "platform/db/Campo.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/RejillaDatos_modelo.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QToolButton>

namespace ui {

RejillaDatos::RejillaDatos(QWidget* padre)
    : QTableView(padre), modelo_(new ModeloDatos(*this)), delegado_(new DelegadoDatos(*this)) {
  setModel(modelo_);
  setItemDelegate(delegado_);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumWidth(fontMetrics().horizontalAdvance(u'W') * 2);
  Eventos& eventos = Eventos::De(this);
  eventos.SetTeclasPropias(true);
  connect(this, &QAbstractItemView::clicked, this, [this] { Protege([this] { emit CellClick(); }); });
  connect(this, &QAbstractItemView::doubleClicked, this, [this] { Protege([this] { emit Eventos::De(this).DblClick(); }); });
  // Leaving the grid drops a new row nobody typed into.
  connect(&eventos, &Eventos::Exit, this, [this] {
    db::Dataset* d = Datos();
    if (d && d->State() == db::Dataset::Estado::Insertando && !d->Modified()) Protege([d] { d->Cancel(); });
  });
  connect(modelo_, &QAbstractItemModel::modelReset, this, &RejillaDatos::AplicaColumnas);
}

RejillaDatos::~RejillaDatos() = default;

db::Dataset* RejillaDatos::Datos() const { return fuente_ ? fuente_->DataSet() : nullptr; }

void RejillaDatos::SetFuente(FuenteDatos* fuente) {
  if (fuente == fuente_) return;
  for (auto& c : conexiones_) disconnect(c);
  fuente_ = fuente;
  if (fuente) {
    conexiones_[0] = connect(fuente, &FuenteDatos::cambioDataset, this, [this] {
      modelo_->Reinicia();
      MuestraFilaActual();
    });
    conexiones_[1] = connect(fuente, &FuenteDatos::cambioEstado, this, &RejillaDatos::Sincroniza);
    conexiones_[2] = connect(fuente, &FuenteDatos::cambioRegistro, this, &RejillaDatos::Sincroniza);
    conexiones_[3] = connect(fuente, &FuenteDatos::cambioCampo, modelo_, &ModeloDatos::CampoCambiado);
    conexiones_[4] = connect(fuente, &FuenteDatos::porEditar, modelo_, &ModeloDatos::LeeAntesDeEditar);
  }
  modelo_->Reinicia();
  MuestraFilaActual();
}

// --- Columns.

int RejillaDatos::AgregaColumna(const QString& campo, const QString& titulo, int ancho) {
  ColumnaDatos c;
  c.campo = campo;
  c.titulo = titulo;
  c.ancho = std::max(ancho, 0);
  c.visible = ancho >= 0;
  modelo_->Propias().push_back(c);
  modelo_->Reinicia();
  MuestraFilaActual();
  return static_cast<int>(modelo_->Propias().size()) - 1;
}

void RejillaDatos::QuitaColumnas() {
  modelo_->Propias().clear();
  modelo_->Reinicia();
  MuestraFilaActual();
}

void RejillaDatos::SetColumnas(const QVector<ColumnaDatos>& columnas) {
  modelo_->Propias() = columnas;
  modelo_->Reinicia();
  MuestraFilaActual();
}

int RejillaDatos::Columnas() const { return static_cast<int>(modelo_->Efectivas().size()); }

ColumnaDatos RejillaDatos::Columna(int i) const { return modelo_->Efectivas().value(i); }

void RejillaDatos::ModificaColumna(int i, const std::function<void(ColumnaDatos&)>& cambio) {
  // The columns shown become the window's own on the first change.
  auto& propias = modelo_->Propias();
  if (propias.isEmpty()) propias = modelo_->Efectivas();
  if (i < 0 || i >= propias.size()) return;
  cambio(propias[i]);
  modelo_->Reinicia();
  MuestraFilaActual();
}

void RejillaDatos::SetCampoColumna(int i, const QString& campo) {
  ModificaColumna(i, [&](ColumnaDatos& c) { c.campo = campo; });
}

void RejillaDatos::SetTituloColumna(int i, const QString& titulo) {
  ModificaColumna(i, [&](ColumnaDatos& c) { c.titulo = titulo; });
}

void RejillaDatos::SetAnchoColumna(int i, int ancho) {
  ModificaColumna(i, [&](ColumnaDatos& c) {
    c.ancho = std::max(ancho, 0);
    c.visible = ancho >= 0;
  });
}

void RejillaDatos::SetColumnaVisible(int i, bool visible) {
  ModificaColumna(i, [&](ColumnaDatos& c) { c.visible = visible; });
}

void RejillaDatos::SetColumnaSoloLectura(int i, bool soloLectura) {
  ModificaColumna(i, [&](ColumnaDatos& c) { c.soloLectura = soloLectura; });
}

void RejillaDatos::SetColorColumna(int i, const QColor& texto, bool negrita) {
  ModificaColumna(i, [&](ColumnaDatos& c) {
    c.colorTexto = texto;
    c.negrita = negrita;
  });
}

void RejillaDatos::SetFondoColumna(int i, const QColor& fondo) {
  ModificaColumna(i, [&](ColumnaDatos& c) { c.colorFondo = fondo; });
}

void RejillaDatos::SetColorTitulo(int i, const QColor& color) {
  ModificaColumna(i, [&](ColumnaDatos& c) { c.colorTitulo = color; });
}

void RejillaDatos::SetListaColumna(int i, const QStringList& lista) {
  // Refilled while the cell may be edited (a price list on entering the
  // column): the rows are not read again, the next editor offers it.
  auto& propias = modelo_->Propias();
  if (propias.isEmpty()) propias = modelo_->Efectivas();
  if (i < 0 || i >= propias.size()) return;
  propias[i].lista = lista;
  modelo_->CambiaLista(i, lista);
}

void RejillaDatos::AplicaColumnas() {
  const auto& columnas = modelo_->Efectivas();
  for (int i = 0; i < columnas.size(); ++i) {
    const ColumnaDatos& c = columnas[i];
    setColumnHidden(i, !c.visible);
    int ancho = c.ancho;
    if (ancho == 0) {
      // As wide as the field's text (at most 40 characters) or its title.
      const db::Campo* campo = modelo_->CampoDe(i);
      const bool texto = !campo || campo->Tipo() == db::TipoDato::Texto || campo->Tipo() == db::TipoDato::Memo;
      const int caracteres = !campo ? 10 : campo->Tipo() == db::TipoDato::Fecha ? 10 : std::clamp(campo->Ancho(), 4, 40);
      const QFontMetrics m = fontMetrics();
      const int contenido = texto ? m.averageCharWidth() * caracteres : m.horizontalAdvance(QString(caracteres, u'0'));
      const QString titulo = c.titulo.isEmpty() ? c.campo : c.titulo;
      ancho = std::max(contenido, m.horizontalAdvance(titulo)) + 16;
    }
    setColumnWidth(i, ancho);
  }
}

void RejillaDatos::SetSoloLectura(bool soloLectura) {
  soloLectura_ = soloLectura;
  modelo_->Reinicia();
  MuestraFilaActual();
}

// --- Following the dataset.

void RejillaDatos::Sincroniza() {
  modelo_->Sincroniza();
  MuestraFilaActual();
}

void RejillaDatos::MuestraFilaActual() {
  const int fila = modelo_->FilaActual();
  const int columnas = Columnas();
  if (fila < 0 || columnas == 0) return;
  const QModelIndex i = modelo_->index(fila, std::clamp(columna_, 0, columnas - 1));
  if (currentIndex() == i) return;
  sincronizando_ = true;
  setCurrentIndex(i);
  sincronizando_ = false;
}

void RejillaDatos::currentChanged(const QModelIndex& actual, const QModelIndex& anterior) {
  QTableView::currentChanged(actual, anterior);
  if (sincronizando_ || !actual.isValid()) return;
  if (actual.row() != modelo_->FilaActual()) {
    const bool movido = modelo_->VeAFila(actual.row());
    const int fila = modelo_->FilaActual();
    // Back on the row the dataset stands on when it could not move, and on
    // the column asked for when the rows were laid out again.
    const QModelIndex donde = modelo_->index(fila, movido ? actual.column() : columna_);
    if (fila >= 0 && currentIndex() != donde) {
      sincronizando_ = true;
      setCurrentIndex(donde);
      sincronizando_ = false;
    }
    if (!movido) return;
  }
  CambiaColumna(actual.column());
}

void RejillaDatos::CambiaColumna(int columna) {
  if (columna == columna_) return;
  ++cambios_;
  // As the class library's grid: a move made by a ColExit handler runs no
  // second ColExit, and the move that was leaving is then given up.
  if (!enColExit_) {
    const int antes = columna_;
    enColExit_ = true;
    Protege([this] { emit ColExit(); });
    enColExit_ = false;
    if (columna_ != antes) {
      MuestraFilaActual();
      return;
    }
  }
  columna_ = columna;
  Protege([this] { emit ColEnter(); });
}

void RejillaDatos::SetSelectedIndex(int columna) {
  if (columna < 0 || columna >= Columnas()) return;
  const QModelIndex actual = currentIndex();
  if (actual.isValid() && actual.column() != columna) {
    const quint64 cambios = cambios_;
    setCurrentIndex(modelo_->index(actual.row(), columna));  // runs ColExit and ColEnter
    // Done, or a ColExit or ColEnter handler moved the cursor elsewhere.
    if (cambios_ != cambios) return;
  }
  CambiaColumna(columna);
}

QString RejillaDatos::CampoSeleccionado() const { return Columna(columna_).campo; }

bool RejillaDatos::CierraEditor() {
  QWidget* editor = delegado_->Editor();
  if (!editor) return true;
  commitData(editor);
  if (modelo_->Rechazada()) return false;
  closeEditor(editor, QAbstractItemDelegate::NoHint);
  return true;
}

// --- Keys.

bool RejillaDatos::event(QEvent* evento) {
  if (evento->type() != QEvent::KeyPress && evento->type() != QEvent::KeyRelease) return QTableView::event(evento);
  teclaEnCurso_ = evento;
  const bool hecho = ProcesaTecla(this, static_cast<QKeyEvent*>(evento), nullptr) || QTableView::event(evento);
  teclaEnCurso_ = nullptr;
  return hecho;
}

bool RejillaDatos::PuedeAgregar() const { return modelo_->Editable(); }

bool RejillaDatos::ProcesaTecla(QObject* destino, QKeyEvent* evento, QWidget* editor) {
  // A key typed on the grid opens the cell editor and is handed to it: its
  // handlers already ran.
  const bool pasada = editor && evento == teclaEnCurso_;
  if (!pasada && Eventos::De(this).Tecla(destino, evento)) return true;
  if (evento->type() != QEvent::KeyPress) return false;
  const Qt::KeyboardModifiers mods = evento->modifiers();
  const bool ctrl = mods & Qt::ControlModifier, alt = mods & Qt::AltModifier, shift = mods & Qt::ShiftModifier;
  int tecla = evento->key();
  if ((tecla == Qt::Key_Return || tecla == Qt::Key_Enter) && enterComoTab_ && !ctrl && !alt) tecla = Qt::Key_Tab;
  db::Dataset* d = Datos();
  switch (tecla) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Ends the cell's editing; a refused text keeps the cell open.
      if (!editor) return false;
      if (CierraEditor()) setFocus();
      return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      if (ctrl || alt) return false;
      if (CierraEditor()) Tabula(tecla == Qt::Key_Tab && !shift);
      return true;
    case Qt::Key_Down:
      if (ctrl || alt) return false;
      if (CierraEditor()) SiguienteFila();
      return true;
    case Qt::Key_Up:
      if (ctrl || alt) return false;
      if (CierraEditor()) FilaAnterior();
      return true;
    case Qt::Key_Escape:
      if (editor || !d) return false;
      if (d->State() == db::Dataset::Estado::Editando || d->State() == db::Dataset::Estado::Insertando) {
        Protege([d] { d->Cancel(); });
        return true;
      }
      return false;
    case Qt::Key_Insert:
      if (editor || !d || !PuedeAgregar()) return false;
      Protege([d] { d->Insert(); });
      return true;
    case Qt::Key_Delete:
      if (editor || !ctrl) return false;
      BorraFila();
      return true;
    default:
      return false;
  }
}

void RejillaDatos::SiguienteFila() {
  db::Dataset* d = Datos();
  if (!d || !d->Active()) return;
  Protege([&] {
    if (d->State() == db::Dataset::Estado::Insertando && !d->Modified()) {
      // A new row nobody typed into: nothing further to go to.
      if (!modelo_->EsUltima(modelo_->FilaActual())) d->Cancel();
      return;
    }
    d->MoveBy(1);
    if (PuedeAgregar() && d->Eof()) d->Append();
  });
}

void RejillaDatos::FilaAnterior() {
  db::Dataset* d = Datos();
  if (!d || !d->Active()) return;
  Protege([&] {
    if (d->State() == db::Dataset::Estado::Insertando && !d->Modified() && modelo_->EsUltima(modelo_->FilaActual()))
      d->Cancel();
    else
      d->MoveBy(-1);
  });
}

void RejillaDatos::Tabula(bool adelante) {
  const int n = Columnas();
  if (n == 0) return;
  const int original = columna_;
  int c = original;
  for (int vueltas = 0; vueltas <= n; ++vueltas) {
    c += adelante ? 1 : -1;
    if (c >= n) {
      SiguienteFila();
      c = 0;
    } else if (c < 0) {
      FilaAnterior();
      c = n - 1;
    }
    if (c == original) return;
    if (!isColumnHidden(c)) {
      SetSelectedIndex(c);
      return;
    }
  }
}

void RejillaDatos::BorraFila() {
  db::Dataset* d = Datos();
  if (!d || !d->Active() || d->IsEmpty() || !modelo_->Editable()) return;
  if (!PreguntaSimple(QStringLiteral("¿Borrar el registro?"))) return;
  Protege([d] { d->Delete(); });
}

// --- Navegador.

Navegador::Navegador(QWidget* padre) : QWidget(padre) {
  auto* capa = new QHBoxLayout(this);
  capa->setContentsMargins(0, 0, 0, 0);
  capa->setSpacing(0);
  const struct {
    const char* nombre;
    QString pista;
    Qt::ArrowType flecha;
    QString texto;
  } botones[] = {
      {"Primero", QStringLiteral("Primero"), Qt::NoArrow, QStringLiteral("|◀")},
      {"Anterior", QStringLiteral("Anterior"), Qt::LeftArrow, {}},
      {"Siguiente", QStringLiteral("Siguiente"), Qt::RightArrow, {}},
      {"Ultimo", QStringLiteral("Último"), Qt::NoArrow, QStringLiteral("▶|")},
  };
  for (int i = 0; i < 4; ++i) {
    auto* b = new QToolButton(this);
    b->setObjectName(QLatin1String(botones[i].nombre));
    b->setToolTip(botones[i].pista);
    if (botones[i].flecha != Qt::NoArrow) b->setArrowType(botones[i].flecha);
    else b->setText(botones[i].texto);
    b->setFocusPolicy(Qt::NoFocus);
    capa->addWidget(b);
    connect(b, &QToolButton::clicked, this, [this, i] { Pulsa(static_cast<Boton>(i)); });
    botones_[i] = b;
  }
  Actualiza();
}

void Navegador::SetFuente(FuenteDatos* fuente) {
  fuente_.Vigila(fuente, this, [this] { Actualiza(); });
  Actualiza();
}

db::Dataset* Navegador::Datos() const { return fuente_.Fuente() ? fuente_.Fuente()->DataSet() : nullptr; }

void Navegador::Actualiza() {
  const db::Dataset* d = Datos();
  const bool activo = d && d->Active();
  botones_[Primero]->setEnabled(activo && !d->Bof());
  botones_[Anterior]->setEnabled(activo && !d->Bof());
  botones_[Siguiente]->setEnabled(activo && !d->Eof());
  botones_[Ultimo]->setEnabled(activo && !d->Eof());
}

void Navegador::Pulsa(Boton boton) {
  db::Dataset* d = Datos();
  if (!d || !d->Active() || !isEnabled() || !botones_[boton]->isEnabled()) return;
  Protege([&] {
    switch (boton) {
      case Primero: d->First(); break;
      case Anterior: d->Prior(); break;
      case Siguiente: d->Next(); break;
      case Ultimo: d->Last(); break;
    }
    emit Click(boton);
  });
}

}  // namespace ui
