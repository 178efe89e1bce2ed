#include "platform/ui/RejillaDatos_modelo.h"

#include "platform/Error.h"
#include "platform/db/Campo.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"

#include <QComboBox>
#include <QFont>
#include <QKeyEvent>
#include <QLineEdit>

#include <limits>

namespace ui {
namespace {

// Rows read on each side of a row asked for.
constexpr int kMargen = 40;
// Tables with more rows than this are numbered by an estimate.
constexpr qint64 kFilasContadas = 1000;

bool EsNumero(db::TipoDato t) {
  return t == db::TipoDato::Entero || t == db::TipoDato::Flotante || t == db::TipoDato::Moneda;
}

}  // namespace

ModeloDatos::ModeloDatos(RejillaDatos& rejilla) : QAbstractTableModel(&rejilla), r_(rejilla) {}

db::Dataset* ModeloDatos::Datos() const { return r_.Datos(); }

// --- Columns.

void ModeloDatos::Columnas() {
  db::Dataset* d = Datos();
  const bool abierto = d && d->Active();
  if (!propias_.isEmpty()) {
    columnas_ = propias_;
  } else {
    columnas_.clear();
    if (abierto)
      for (const QString& n : d->NombresCampos()) columnas_.push_back({n, {}, 0, true, false, {}, {}, false, {}, {}});
  }
  indices_.clear();
  for (const ColumnaDatos& c : columnas_) {
    const db::Campo* f = abierto ? d->FindField(c.campo) : nullptr;
    indices_.push_back(f ? f->Indice() : -1);
  }
}

db::Campo* ModeloDatos::CampoDe(int columna) const {
  db::Dataset* d = Datos();
  if (!d || !d->Active() || columna < 0 || columna >= indices_.size() || indices_[columna] < 0) return nullptr;
  return &d->Fields(indices_[columna]);
}

bool ModeloDatos::Editable() const {
  const auto* t = qobject_cast<const db::Tabla*>(Datos());
  return t && t->Active() && !t->ReadOnly() && !r_.SoloLectura();
}

// --- Following the dataset.

int ModeloDatos::OrdinalActual() const {
  db::Dataset* d = Datos();
  if (!d || !d->Active() || d->State() != db::Dataset::Estado::Navegando || d->RecNo() == 0) return -1;
  CursorQuieto cursor(*d);
  return -cursor.MoveBy(-std::numeric_limits<int>::max());
}

int ModeloDatos::OrdinalEstimado(qint64& cuenta) const {
  db::Dataset* d = Datos();
  if (!d || !d->Active() || d->State() != db::Dataset::Estado::Navegando || d->RecNo() == 0) return -1;
  int antes = 0;
  {
    CursorQuieto cursor(*d);
    antes = -cursor.MoveBy(-(kMargen + 1));
  }
  qint64 ordinal = antes;
  if (antes > kMargen) {
    // Far from the first row: on the last row, or a guess (the row's place
    // in the file for physical order, the middle for a tag) that the rows
    // read around it correct at the ends.
    const auto* t = qobject_cast<const db::Tabla*>(d);
    if (d->Eof()) ordinal = cuenta - 1;
    else if (t && t->IndexName().isEmpty()) ordinal = d->RecNo() - 1;
    else ordinal = cuenta / 2;
    ordinal = std::clamp<qint64>(ordinal, antes, std::numeric_limits<int>::max() - 2 * kMargen);
  }
  cuenta = std::max(cuenta, ordinal + 1);
  return static_cast<int>(ordinal);
}

qint64 ModeloDatos::Cuenta(bool& aproximado) const {
  db::Dataset* d = Datos();
  aproximado = false;
  if (const auto* t = qobject_cast<const db::Tabla*>(d)) {
    const qint64 estimada = t->CuentaEstimada();
    if (estimada > kFilasContadas) {
      aproximado = true;
      return estimada;
    }
  }
  return d->RecordCount();
}

void ModeloDatos::CorrigeExtremos(int primera, qint64 cuenta) const {
  if (!correccion_) {
    correccion_ = true;
    corrigePrimera_ = 0;
    corrigeCuenta_ = -1;
    auto* modelo = const_cast<ModeloDatos*>(this);
    QMetaObject::invokeMethod(
        modelo, [modelo, generacion = generacion_] { modelo->AplicaCorreccion(generacion); }, Qt::QueuedConnection);
  }
  corrigePrimera_ = std::max(corrigePrimera_, primera);
  if (cuenta >= 0) corrigeCuenta_ = cuenta;
}

void ModeloDatos::AplicaCorreccion(int generacion) {
  if (!correccion_) return;
  correccion_ = false;
  db::Dataset* d = Datos();
  if (generacion != generacion_ || !aproximado_ || !d || !d->Active() ||
      d->State() != db::Dataset::Estado::Navegando || actual_ < 0)
    return;
  beginResetModel();
  const qint64 cuenta = (corrigeCuenta_ >= 0 ? corrigeCuenta_ : cuenta_) - corrigePrimera_;
  actual_ -= corrigePrimera_;
  cuenta_ = std::max<qint64>(cuenta, actual_ + 1);
  cache_.clear();
  ++generacion_;
  endResetModel();
  r_.MuestraFilaActual();
}

QString ModeloDatos::Orden() const {
  const db::Dataset* d = Datos();
  const auto* t = qobject_cast<const db::Tabla*>(d);
  return (t ? t->IndexName() : QString()) + u'|' + d->Filter() + (d->Filtered() ? u'+' : u'-');
}

bool ModeloDatos::VecinosIguales(int fila) const {
  db::Dataset* d = Datos();
  for (const int paso : {-1, 1}) {
    const auto vecino = cache_.constFind(fila + paso);
    if (vecino == cache_.cend()) continue;
    CursorQuieto cursor(*d);
    if (cursor.MoveBy(paso) != paso || d->RecNo() != vecino->registro) return false;
  }
  return true;
}

int ModeloDatos::OrdinalDe(qint64 registro, int cerca) const {
  db::Dataset* d = Datos();
  if (!d || d->State() != db::Dataset::Estado::Navegando || registro == 0 || actual_ < 0) return -1;
  CursorQuieto cursor(*d);
  // Most often the row is still where it was.
  if (cursor.MoveBy(cerca - actual_) == cerca - actual_ && d->RecNo() == registro) return cerca;
  cursor.MoveBy(-std::numeric_limits<int>::max());
  for (int n = 0;; ++n) {
    if (d->RecNo() == registro) return n;
    if (cursor.MoveBy(1) != 1) return -1;
  }
}

void ModeloDatos::Reinicia() {
  beginResetModel();
  Columnas();
  cache_.clear();
  insertando_ = false;
  cuenta_ = 0;
  actual_ = -1;
  db::Dataset* d = Datos();
  abierto_ = d && d->Active();
  dudoso_ = false;
  aproximado_ = false;
  ++generacion_;
  if (abierto_) {
    orden_ = Orden();
    Protege([&] {
      cuenta_ = Cuenta(aproximado_);
      estimada_ = cuenta_;
      if (d->State() == db::Dataset::Estado::Insertando) {
        insertando_ = true;
        actual_ = static_cast<int>(cuenta_);
      } else {
        actual_ = aproximado_ ? OrdinalEstimado(cuenta_) : OrdinalActual();
      }
    });
  }
  endResetModel();
}

void ModeloDatos::Sincroniza() {
  db::Dataset* d = Datos();
  // Opened, closed or reopened on another layout: everything anew.
  if (!d || !d->Active() || !abierto_) {
    Reinicia();
    return;
  }
  const int ultimaColumna = static_cast<int>(columnas_.size()) - 1;
  if (d->State() == db::Dataset::Estado::Editando) {
    // The same row, now from the edit buffer.
    if (actual_ >= 0) {
      emit dataChanged(index(actual_, 0), index(actual_, ultimaColumna));
      emit headerDataChanged(Qt::Vertical, actual_, actual_);
    }
    return;
  }
  if (d->State() == db::Dataset::Estado::Insertando) {
    if (!insertando_) {
      const int fila = static_cast<int>(cuenta_);
      beginInsertRows({}, fila, fila);
      insertando_ = true;
      actual_ = fila;
      endInsertRows();
    } else {
      emit dataChanged(index(actual_, 0), index(actual_, ultimaColumna));
    }
    emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    return;
  }
  qint64 cuenta = 0;
  qint64 estimada = 0;
  bool aproximado = false;
  int ordinal = -1;
  try {
    cuenta = estimada = Cuenta(aproximado);
    // A large table keeps its numbering, as corrected, while its estimate
    // stands.
    const bool misma = aproximado ? aproximado_ && estimada == estimada_ : !aproximado_ && cuenta == cuenta_;
    if (aproximado && misma) cuenta = cuenta_;
    const qint64 registro = d->RecNo();
    // The rows read last tell where the dataset stands, while the order is
    // the same and the row's neighbours are the ones read beside it;
    // otherwise it is counted from the first row (estimated for a large
    // table).
    const QString orden = Orden();
    if (!insertando_ && misma && orden == orden_ && !dudoso_) {
      for (auto it = cache_.cbegin(); it != cache_.cend(); ++it)
        if (it->registro == registro) {
          if (VecinosIguales(it.key())) ordinal = it.key();
          break;
        }
    }
    if (ordinal < 0) {
      ordinal = aproximado ? OrdinalEstimado(cuenta) : OrdinalActual();
      ++generacion_;
    }
    orden_ = orden;
    dudoso_ = false;
  } catch (const std::exception& e) {
    MuestraExcepcion(e);
  }
  if (cuenta != cuenta_ || insertando_ || aproximado != aproximado_) {
    beginResetModel();
    cuenta_ = cuenta;
    aproximado_ = aproximado;
    estimada_ = estimada;
    insertando_ = false;
    cache_.clear();
    actual_ = ordinal;
    ++generacion_;
    endResetModel();
    return;
  }
  cache_.clear();
  actual_ = ordinal;
  if (cuenta_ > 0) {
    emit dataChanged(index(0, 0), index(static_cast<int>(cuenta_) - 1, ultimaColumna));
    emit headerDataChanged(Qt::Vertical, 0, static_cast<int>(cuenta_) - 1);
  }
}

void ModeloDatos::CampoCambiado(int indice) {
  if (escribiendo_ || actual_ < 0) return;
  for (int c = 0; c < indices_.size(); ++c)
    if (indices_[c] == indice) emit dataChanged(index(actual_, c), index(actual_, c));
}

void ModeloDatos::LeeAntesDeEditar() {
  db::Dataset* d = Datos();
  if (!d || !d->Active() || d->State() != db::Dataset::Estado::Navegando || actual_ < 0 || cuenta_ <= 0) return;
  const int ultimaFila = static_cast<int>(cuenta_) - 1;
  const int arriba = r_.rowAt(0);
  const int abajo = r_.rowAt(std::max(r_.viewport()->height() - 1, 0));
  const int desde = std::clamp(std::min(arriba < 0 ? actual_ : arriba, actual_), 0, ultimaFila);
  const int hasta = std::clamp(std::max(abajo < 0 ? actual_ : abajo, actual_), 0, ultimaFila);
  // Each read takes kMargen rows on each side of the row asked for. The
  // current row too: a row inserted becomes the current one.
  for (int fila = desde; fila <= hasta; ++fila) {
    if (cache_.contains(fila)) continue;
    Llena(fila);
    if (!cache_.contains(fila)) return;  // the rows moved meanwhile: counted again once it browses
  }
}

bool ModeloDatos::VeAFila(int fila) {
  db::Dataset* d = Datos();
  if (!d || !d->Active() || fila == actual_) return true;
  try {
    const auto estado = d->State();
    if (estado == db::Dataset::Estado::Editando || estado == db::Dataset::Estado::Insertando) {
      // Post first, then find the row asked for: posting may reorder rows.
      const auto it = cache_.constFind(fila);
      const qint64 registro = it != cache_.cend() ? it->registro : 0;
      if (d->Modified()) d->Post();
      else d->Cancel();
      if (d->State() != db::Dataset::Estado::Navegando) return false;  // an event aborted it
      const int donde = OrdinalDe(registro, fila);
      if (donde >= 0) fila = donde;
      fila = std::min(fila, static_cast<int>(cuenta_) - 1);
    }
    if (actual_ >= 0 && fila >= 0 && fila != actual_) {
      // The ends of a large table are reached as such, whatever the rows'
      // numbers say.
      if (aproximado_ && fila == 0) d->First();
      else if (aproximado_ && fila == cuenta_ - 1) d->Last();
      else d->MoveBy(fila - actual_);
    }
    return true;
  } catch (const std::exception& e) {
    MuestraExcepcion(e);
    return false;
  }
}

void ModeloDatos::AbreCelda(int columna) {
  columnaAbierta_ = columna;
  original_ = QVariant();
  if (db::Campo* campo = CampoDe(columna)) {
    try {
      original_ = campo->Value();
    } catch (const std::exception&) {
    }
  }
}

bool ModeloDatos::Escribe(int columna, const QString& texto, bool estricto) {
  rechazada_ = bloqueada_ = false;
  db::Dataset* d = Datos();
  db::Campo* campo = CampoDe(columna);
  if (!campo || !Editable()) return false;
  try {
    if (d->State() == db::Dataset::Estado::Navegando) {
      if (campo->AsString() == texto) return true;  // nothing typed
      if (!r_.Fuente()->AutoEdit()) return false;
      d->Edit();
      if (d->State() == db::Dataset::Estado::Navegando) return false;  // OnEditError aborted it
    }
    escribiendo_ = true;
    campo->SetAsString(texto);
    escribiendo_ = false;
  } catch (const plat::Error& e) {
    // Refused: the field goes back to what it held when the cell was opened,
    // so no part of a bad text is posted.
    if (columna == columnaAbierta_ && d->State() != db::Dataset::Estado::Navegando) {
      try {
        campo->SetValue(original_);
      } catch (const plat::Error&) {
      }
    }
    escribiendo_ = false;
    const bool aunNo = e.clase() == plat::Clase::Conversion || e.clase() == plat::Clase::NoCabe;
    if (aunNo && !estricto) return true;
    rechazada_ = true;
    bloqueada_ = e.clase() == plat::Clase::Bloqueado;
    MuestraExcepcion(e);
    return false;
  } catch (const std::exception& e) {
    escribiendo_ = false;
    rechazada_ = true;
    MuestraExcepcion(e);
    return false;
  }
  // Other columns of the same field follow.
  for (int c = 0; c < indices_.size(); ++c)
    if (c != columna && indices_[c] == campo->Indice()) emit dataChanged(index(actual_, c), index(actual_, c));
  return true;
}

// --- Reading rows.

void ModeloDatos::Llena(int fila) const {
  db::Dataset* d = Datos();
  // An editing dataset cannot be walked: those rows show once it browses.
  if (d->State() != db::Dataset::Estado::Navegando || actual_ < 0) return;
  const int desde = std::max(0, fila - kMargen);
  const int hasta = std::min(static_cast<int>(cuenta_) - 1, fila + kMargen);
  const int campos = d->FieldCount();
  try {
    const qint64 registroActual = d->RecNo();
    CursorQuieto cursor(*d);
    const int pos0 = actual_ + cursor.MoveBy(desde - actual_);
    if (pos0 != desde && aproximado_) {
      // A large table ends sooner than its numbers said: the first row
      // stands at pos0, or the last one.
      if (pos0 > desde) CorrigeExtremos(pos0, -1);
      else CorrigeExtremos(0, pos0 + 1);
      return;
    }
    if (pos0 != desde) {
      // The first row came sooner than its number said: rows went or moved
      // (another station). Counted again from the first row.
      cache_.clear();
      dudoso_ = true;
      QMetaObject::invokeMethod(&r_, [r = &r_] { r->Sincroniza(); }, Qt::QueuedConnection);
      return;
    }
    int pos = pos0;
    for (;;) {
      Fila f;
      f.registro = d->RecNo();
      f.textos.reserve(campos);
      f.valores.reserve(campos);
      for (int i = 0; i < campos; ++i) {
        const db::Campo& c = d->Fields(i);
        f.valores.push_back(c.Value());
        f.textos.push_back(c.AsString());
      }
      cache_.insert(pos, std::move(f));
      if (pos >= hasta) {
        // Rows past the last one numbered in a large table: room for more.
        if (aproximado_ && pos == cuenta_ - 1 && cursor.MoveBy(1) == 1) CorrigeExtremos(0, cuenta_ + 2 * kMargen);
        break;
      }
      if (cursor.MoveBy(1) != 1) {
        if (aproximado_ && pos < cuenta_ - 1) CorrigeExtremos(0, pos + 1);
        break;
      }
      ++pos;
    }
    // The ordinal kept for the current row must name it; else count again.
    const auto it = cache_.constFind(actual_);
    if (it != cache_.cend() && it->registro != registroActual) {
      cache_.clear();
      dudoso_ = true;
      QMetaObject::invokeMethod(&r_, [r = &r_] { r->Sincroniza(); }, Qt::QueuedConnection);
    }
  } catch (const std::exception& e) {
    cache_.clear();
    MuestraExcepcion(e);
  }
}

const ModeloDatos::Fila* ModeloDatos::Lee(int fila) const {
  auto it = cache_.constFind(fila);
  if (it == cache_.cend()) {
    Llena(fila);
    it = cache_.constFind(fila);
    if (it == cache_.cend()) return nullptr;
  }
  return &*it;
}

QString ModeloDatos::Texto(const db::Campo& campo, const QVariant& valor, const QString& texto) const {
  return r_.TextoCelda ? r_.TextoCelda(campo, valor, texto) : texto;
}

int ModeloDatos::rowCount(const QModelIndex& padre) const {
  return padre.isValid() ? 0 : static_cast<int>(cuenta_) + (insertando_ ? 1 : 0);
}

int ModeloDatos::columnCount(const QModelIndex& padre) const {
  return padre.isValid() ? 0 : static_cast<int>(columnas_.size());
}

QVariant ModeloDatos::data(const QModelIndex& indice, int rol) const {
  if (!indice.isValid()) return {};
  const int col = indice.column();
  db::Campo* campo = CampoDe(col);
  if (!campo) return {};
  const ColumnaDatos& c = columnas_[col];
  switch (rol) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
      QString texto;
      QVariant valor;
      if (indice.row() == actual_) {
        try {
          valor = campo->Value();
          texto = campo->AsString();
        } catch (const std::exception&) {
          return {};  // a value the field cannot read: shown where the window reads it
        }
      } else {
        const Fila* f = Lee(indice.row());
        if (!f) return {};
        valor = f->valores.value(campo->Indice());
        texto = f->textos.value(campo->Indice());
      }
      return rol == Qt::EditRole ? texto : Texto(*campo, valor, texto);
    }
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::AlignVCenter | (EsNumero(campo->Tipo()) ? Qt::AlignRight : Qt::AlignLeft));
    case Qt::ForegroundRole:
      return c.colorTexto.isValid() ? QVariant(c.colorTexto) : QVariant();
    case Qt::BackgroundRole:
      return c.colorFondo.isValid() ? QVariant(c.colorFondo) : QVariant();
    case Qt::FontRole:
      if (c.negrita) {
        QFont f = r_.font();
        f.setBold(true);
        return f;
      }
      return {};
    default:
      return {};
  }
}

bool ModeloDatos::setData(const QModelIndex& indice, const QVariant& valor, int rol) {
  // Only the row the dataset stands on: an editor left behind by a move made
  // by code is dropped, not written into another row.
  if (rol != Qt::EditRole || !indice.isValid() || indice.row() != actual_) return false;
  if (!Escribe(indice.column(), valor.toString(), true)) return false;
  emit dataChanged(indice, indice);
  return true;
}

Qt::ItemFlags ModeloDatos::flags(const QModelIndex& indice) const {
  if (!indice.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  if (Editable() && !columnas_[indice.column()].soloLectura && CampoDe(indice.column())) f |= Qt::ItemIsEditable;
  return f;
}

QVariant ModeloDatos::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
  if (rol == Qt::ForegroundRole && orientacion == Qt::Horizontal && seccion >= 0 && seccion < columnas_.size()) {
    const QColor& color = columnas_[seccion].colorTitulo;
    return color.isValid() ? QVariant(color) : QVariant();
  }
  if (rol != Qt::DisplayRole) return {};
  if (orientacion == Qt::Horizontal) {
    if (seccion < 0 || seccion >= columnas_.size()) return {};
    const ColumnaDatos& c = columnas_[seccion];
    return c.titulo.isEmpty() ? c.campo : c.titulo;
  }
  // The indicator: the current row and what is being done on it.
  if (seccion != actual_) return QString();
  db::Dataset* d = Datos();
  if (!d) return QString();
  switch (d->State()) {
    case db::Dataset::Estado::Editando: return QStringLiteral("I");
    case db::Dataset::Estado::Insertando: return QStringLiteral("*");
    default: return QString(QChar(0x25B6));
  }
}

// --- Cell editors.

DelegadoDatos::DelegadoDatos(RejillaDatos& rejilla) : QStyledItemDelegate(&rejilla), r_(rejilla) {}

QWidget* DelegadoDatos::createEditor(QWidget* padre, const QStyleOptionViewItem&, const QModelIndex& indice) const {
  const int columna = indice.column();
  const ColumnaDatos c = r_.Columna(columna);
  const db::Campo* campo = r_.modelo_->CampoDe(columna);
  const int largo = campo && campo->Tipo() == db::TipoDato::Texto && campo->Ancho() > 0 ? campo->Ancho() : 32767;
  QWidget* editor;
  if (!c.lista.isEmpty()) {
    auto* combo = new QComboBox(padre);
    combo->setEditable(true);
    combo->addItems(c.lista);
    combo->lineEdit()->setMaxLength(largo);
    connect(combo->lineEdit(), &QLineEdit::textEdited, combo,
            [this, combo, columna](const QString& t) { Tecleado(combo, columna, t); });
    connect(combo, &QComboBox::activated, combo,
            [this, combo, columna](int i) { Tecleado(combo, columna, combo->itemText(i)); });
    editor = combo;
  } else {
    auto* edit = new QLineEdit(padre);
    edit->setFrame(false);
    edit->setMaxLength(largo);
    connect(edit, &QLineEdit::textEdited, edit, [this, edit, columna](const QString& t) { Tecleado(edit, columna, t); });
    editor = edit;
  }
  editor_ = editor;
  r_.modelo_->AbreCelda(columna);
  return editor;
}

void DelegadoDatos::Tecleado(QWidget* editor, int columna, const QString& texto) const {
  // From the first key the editor keeps what the user typed.
  editor->setProperty("ui_tecleado", true);
  // A row another station holds: what is typed stays in the cell, told once,
  // and is written when the cell is closed (the row is locked again then;
  // still held, the cell stays open on the text).
  if (editor->property("ui_retenido").toBool()) return;
  if (r_.modelo_->Escribe(columna, texto, false)) return;
  if (r_.modelo_->Bloqueada()) editor->setProperty("ui_retenido", true);
  else r_.closeEditor(editor, QAbstractItemDelegate::RevertModelCache);  // the cell shows the field again
}

void DelegadoDatos::setEditorData(QWidget* editor, const QModelIndex& indice) const {
  if (editor->property("ui_tecleado").toBool()) return;
  const QString texto = indice.data(Qt::EditRole).toString();
  if (auto* combo = qobject_cast<QComboBox*>(editor)) combo->setEditText(texto);
  else if (auto* edit = qobject_cast<QLineEdit*>(editor)) edit->setText(texto);
}

void DelegadoDatos::setModelData(QWidget* editor, QAbstractItemModel* modelo, const QModelIndex& indice) const {
  if (!editor->property("ui_tecleado").toBool()) return;  // looked at, not changed
  QString texto;
  if (auto* combo = qobject_cast<QComboBox*>(editor)) texto = combo->currentText();
  else if (auto* edit = qobject_cast<QLineEdit*>(editor)) texto = edit->text();
  modelo->setData(indice, texto, Qt::EditRole);
}

void DelegadoDatos::destroyEditor(QWidget* editor, const QModelIndex& indice) const {
  if (editor_ == editor) editor_ = nullptr;
  QStyledItemDelegate::destroyEditor(editor, indice);
}

bool DelegadoDatos::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::KeyPress || evento->type() == QEvent::KeyRelease) {
    auto* editor = qobject_cast<QWidget*>(objeto);
    if (editor && r_.ProcesaTecla(objeto, static_cast<QKeyEvent*>(evento), editor)) return true;
  }
  // Another window taking the focus for a while (the message about what was
  // typed) is no leaving the cell: it stays open on its text.
  if (evento->type() == QEvent::FocusOut &&
      static_cast<QFocusEvent*>(evento)->reason() == Qt::ActiveWindowFocusReason)
    return false;
  return QStyledItemDelegate::eventFilter(objeto, evento);
}

}  // namespace ui
