#include "platform/db/Dataset.h"

#include "platform/db/Bloqueo.h"
#include "platform/db/Filtro.h"
#include "platform/db/Valores.h"

#include <QElapsedTimer>
#include <QMetaMethod>
#include <QThread>

namespace db {

using plat::Clase;

Dataset::Dataset(QObject* parent) : QObject(parent) {}

Dataset::~Dataset() = default;

plat::Error Dataset::ErrorDe(Clase clase, const QString& mensaje) const {
  return plat::Error(clase, mensaje + QStringLiteral(" de la tabla ") + NombreParaMensajes());
}

QString Dataset::NombreParaMensajes() const { return NombreTabla(); }

void Dataset::ExigeActivo() const {
  if (estado_ == Estado::Inactivo)
    throw plat::Error(Clase::Estado, QStringLiteral("La tabla %1 está cerrada").arg(NombreParaMensajes()));
}

void Dataset::ExigeInactivo(const char* operacion) const {
  if (estado_ != Estado::Inactivo)
    throw plat::Error(Clase::Estado, QStringLiteral("No se puede %1 con la tabla %2 abierta")
                                         .arg(QString::fromUtf8(operacion), NombreParaMensajes()));
}

void Dataset::FijaEstado(Estado e) {
  if (estado_ == e) return;
  estado_ = e;
  emit estadoCambiado();
}

void Dataset::connectNotify(const QMetaMethod& senal) {
  if (senal == QMetaMethod::fromSignal(&Dataset::registroCambiado)) ++oyentesRegistro_;
}

// A receiver that is destroyed leaves the count high, which only costs a
// signal nobody hears.
void Dataset::disconnectNotify(const QMetaMethod& senal) {
  const QMetaMethod mia = QMetaMethod::fromSignal(&Dataset::registroCambiado);
  if (senal == mia) oyentesRegistro_ = std::max(0, oyentesRegistro_ - 1);
  else if (!senal.isValid() && !isSignalConnected(mia)) oyentesRegistro_ = 0;  // all disconnected
}

// --- Opening and closing.

void Dataset::Open() {
  if (Active()) return;
  Dispara(BeforeOpen);
  const QVector<DefCampo> defs = AbreCursor();
  try {
    CreaCampos(defs);
    estado_ = Estado::Navegando;
    CompilaFiltro();
    PosicionaPrimero();
  } catch (...) {
    estado_ = Estado::Inactivo;
    CierraCursor();
    throw;
  }
  emit estadoCambiado();
  emit registroCambiado();
  Dispara(AfterOpen);
}

void Dataset::Close() {
  if (!Active()) return;
  Dispara(BeforeClose);
  if (estado_ == Estado::Editando || estado_ == Estado::Insertando) DescartaEdicion();
  modificado_ = false;
  CierraCursor();
  hayFila_ = false;
  bof_ = eof_ = true;
  FijaEstado(Estado::Inactivo);
  emit registroCambiado();
  Dispara(AfterClose);
}

void Dataset::CreaCampos(const QVector<DefCampo>& defs) {
  // Fields keep their objects over a close and reopen with the same layout,
  // so references taken by callers stay good.
  bool iguales = static_cast<int>(campos_.size()) == defs.size();
  for (int i = 0; iguales && i < defs.size(); ++i) {
    const DefCampo& a = campos_[static_cast<size_t>(i)]->Definicion();
    iguales = a.nombre == defs[i].nombre && a.tipo == defs[i].tipo && a.ancho == defs[i].ancho &&
              a.decimales == defs[i].decimales;
  }
  if (iguales) return;
  campos_.clear();
  porNombre_.clear();
  for (int i = 0; i < defs.size(); ++i) {
    campos_.push_back(std::make_unique<Campo>(*this, i, defs[i], TipoDe(defs[i])));
    porNombre_.insert(defs[i].nombre.toUpper(), i);
  }
}

// --- Fields.

Campo& Dataset::Fields(int i) const {
  if (i < 0 || i >= FieldCount())
    throw plat::Error(Clase::NoExiste, QStringLiteral("La tabla %1 no tiene el campo número %2").arg(NombreParaMensajes()).arg(i));
  return *campos_[static_cast<size_t>(i)];
}

Campo* Dataset::FindField(const QString& nombre) const {
  const auto it = porNombre_.constFind(nombre.trimmed().toUpper());
  if (it != porNombre_.constEnd()) return campos_[static_cast<size_t>(*it)].get();
  // A long name may stand for a field stored under its first 10 characters.
  if (nombre.trimmed().size() <= kLargoNombreDbf) return nullptr;
  const int i = IndiceDeCampo(NombresCampos(), nombre);
  return i < 0 ? nullptr : campos_[static_cast<size_t>(i)].get();
}

Campo& Dataset::FieldByName(const QString& nombre) const {
  if (Campo* c = FindField(nombre)) return *c;
  throw plat::Error(Clase::NoExiste, QStringLiteral("Campo %1 no encontrado en %2").arg(nombre, NombreParaMensajes()));
}

QStringList Dataset::NombresCampos() const {
  QStringList n;
  for (const auto& c : campos_) n << c->Nombre();
  return n;
}

QVector<DefCampo> Dataset::Definiciones() const {
  QVector<DefCampo> d;
  for (const auto& c : campos_) d << c->Definicion();
  return d;
}

void Dataset::AsignaCampo(int i, const QVariant& valor) {
  if (estado_ != Estado::Editando && estado_ != Estado::Insertando)
    throw plat::Error(Clase::Estado, QStringLiteral("La tabla %1 no está en edición").arg(NombreParaMensajes()));
  EscribeCampo(i, valor);
  modificado_ = true;
  emit campoCambiado(i);
}

// --- Filtering.

void Dataset::SetFilter(const QString& texto) {
  if (texto == filtroTexto_) return;
  const QString anterior = filtroTexto_;
  filtroTexto_ = texto;
  if (!Active()) return;
  try {
    CompilaFiltro();
  } catch (...) {
    filtroTexto_ = anterior;
    CompilaFiltro();
    throw;
  }
  if (filtrado_) {
    ModoNavegacion();
    PosicionaPrimero();
    emit registroCambiado();
  }
}

void Dataset::SetFiltered(bool activo) {
  if (activo == filtrado_) return;
  filtrado_ = activo;
  if (!Active()) return;
  ModoNavegacion();
  PosicionaPrimero();
  emit registroCambiado();
}

void Dataset::CompilaFiltro() {
  filtro_.reset();
  if (filtroTexto_.trimmed().isEmpty()) return;
  Filtro::Contexto c;
  c.indice = [this](const QString& n) {
    Campo* f = FindField(n);
    return f ? f->Indice() : -1;
  };
  c.tipo = [this](int i) { return campos_[static_cast<size_t>(i)]->Tipo(); };
  c.nombre = [this](int i) { return campos_[static_cast<size_t>(i)]->Nombre(); };
  c.tabla = NombreParaMensajes();
  filtro_ = Filtro::Compila(filtroTexto_, c);
}

bool Dataset::HayFiltro() const { return filtrado_ && (filtro_ || OnFilterRecord); }

bool Dataset::CumpleFiltro() {
  if (!filtrado_) return true;
  if (filtro_ && !filtro_->Evalua([this](int i) { return LeeCampo(i); })) return false;
  if (OnFilterRecord && !OnFilterRecord(*this)) return false;
  return true;
}

// --- Navigation.

bool Dataset::Visible(bool hay, bool adelante) {
  while (hay && !CumpleFiltro()) hay = adelante ? CursorSiguiente() : CursorAnterior();
  return hay;
}

void Dataset::PosicionaPrimero() {
  hayFila_ = Visible(CursorPrimero(), true);
  bof_ = true;
  eof_ = !hayFila_;
}

void Dataset::ModoNavegacion() {
  if (estado_ == Estado::Editando || estado_ == Estado::Insertando) {
    if (modificado_) Post();
    else Cancel();
  }
}

void Dataset::First() {
  ExigeActivo();
  ModoNavegacion();
  Dispara(BeforeScroll);
  PosicionaPrimero();
  emit registroCambiado();
  Dispara(AfterScroll);
}

void Dataset::Last() {
  ExigeActivo();
  ModoNavegacion();
  Dispara(BeforeScroll);
  hayFila_ = Visible(CursorUltimo(), false);
  eof_ = true;
  bof_ = !hayFila_;
  emit registroCambiado();
  Dispara(AfterScroll);
}

bool Dataset::Paso(bool adelante) {
  if (!hayFila_) return false;
  const qint64 desde = CursorRegistro();
  if (Visible(adelante ? CursorSiguiente() : CursorAnterior(), adelante)) return true;
  // Filtered rows may have been skipped before the end: go back to where we stood.
  if (CursorRegistro() != desde) CursorVeA(desde);
  return false;
}

void Dataset::Next() { MoveBy(1); }
void Dataset::Prior() { MoveBy(-1); }

int Dataset::MoveBy(int n) {
  ExigeActivo();
  ModoNavegacion();
  if (n == 0 || !hayFila_) return 0;
  if ((n > 0 && eof_) || (n < 0 && bof_)) return 0;
  Dispara(BeforeScroll);
  const bool adelante = n > 0;
  int movidas = 0;
  const int total = adelante ? n : -n;
  bof_ = eof_ = false;
  while (movidas < total) {
    if (!Paso(adelante)) {
      (adelante ? eof_ : bof_) = true;
      break;
    }
    ++movidas;
  }
  // Scans call this per row: skip the signal machinery when nobody listens.
  if (oyentesRegistro_ > 0) emit registroCambiado();
  Dispara(AfterScroll);
  return adelante ? movidas : -movidas;
}

bool Dataset::IsEmpty() const {
  if (estado_ == Estado::Insertando) return false;
  return !hayFila_;
}

qint64 Dataset::RecordCount() {
  ExigeActivo();
  if (!HayFiltro()) return CursorCuenta();
  const qint64 donde = hayFila_ ? CursorRegistro() : 0;
  qint64 n = 0;
  for (bool hay = CursorPrimero(); hay; hay = CursorSiguiente())
    if (CumpleFiltro()) ++n;
  if (donde) CursorVeA(donde);
  return n;
}

qint64 Dataset::RecNo() const {
  if (estado_ == Estado::Inactivo || estado_ == Estado::Insertando || !hayFila_) return 0;
  return CursorRegistro();
}

void Dataset::Reposiciona(qint64 registro) {
  if (registro > 0 && CursorVeA(registro) && CumpleFiltro()) {
    hayFila_ = true;
    bof_ = eof_ = false;
  } else {
    PosicionaPrimero();
  }
  emit registroCambiado();
}

void Dataset::TrasMoverse(bool hay) {
  hayFila_ = hay && CumpleFiltro();
  if (hay && !hayFila_) hayFila_ = Visible(CursorSiguiente(), true);
  bof_ = false;
  eof_ = !hayFila_;
  if (!hayFila_) hayFila_ = Visible(CursorUltimo(), false);
  emit registroCambiado();
}

// --- Editing.

template <class F>
void Dataset::ConReintentos(const EventoError& manejador, F&& operacion, bool& abortado) {
  abortado = false;
  QElapsedTimer reloj;
  reloj.start();
  for (;;) {
    try {
      operacion();
      return;
    } catch (const plat::Error& e) {
      if (!manejador) throw;
      const AccionError a = manejador(*this, e);
      if (a == AccionError::Fail) throw;
      if (a == AccionError::Abort) {
        abortado = true;
        return;
      }
      // Retry, for a few seconds at most.
      if (reloj.elapsed() >= kEsperaMaximaMs) throw;
      QThread::msleep(20);
    }
  }
}

void Dataset::Alta(bool alFinal) {
  ExigeActivo();
  ModoNavegacion();
  emit porEditar();
  Dispara(BeforeInsert);
  registroAntesDeAlta_ = hayFila_ ? CursorRegistro() : 0;
  PreparaAlta(alFinal);
  modificado_ = false;
  FijaEstado(Estado::Insertando);
  try {
    Dispara(OnNewRecord);
  } catch (...) {
    DescartaEdicion();
    FijaEstado(Estado::Navegando);
    throw;
  }
  modificado_ = false;
  emit registroCambiado();
  Dispara(AfterInsert);
}

void Dataset::Append() { Alta(true); }
void Dataset::Insert() { Alta(false); }

void Dataset::Edit() {
  ExigeActivo();
  if (estado_ == Estado::Editando || estado_ == Estado::Insertando) return;
  if (!hayFila_) {
    Insert();
    return;
  }
  emit porEditar();
  Dispara(BeforeEdit);
  bool abortado;
  ConReintentos(OnEditError, [this] { PreparaEdicion(); }, abortado);
  if (abortado) return;
  modificado_ = false;
  FijaEstado(Estado::Editando);
  emit registroCambiado();
  Dispara(AfterEdit);
}

void Dataset::Post() {
  ExigeActivo();
  if (estado_ != Estado::Editando && estado_ != Estado::Insertando) return;
  Dispara(BeforePost);
  bool abortado;
  ConReintentos(OnPostError, [this] { GrabaEdicion(); }, abortado);
  if (abortado) return;
  modificado_ = false;
  hayFila_ = true;
  bof_ = eof_ = false;
  FijaEstado(Estado::Navegando);
  emit registroCambiado();
  Dispara(AfterPost);
}

void Dataset::Cancel() {
  if (estado_ != Estado::Editando && estado_ != Estado::Insertando) return;
  Dispara(BeforeCancel);
  const bool alta = estado_ == Estado::Insertando;
  DescartaEdicion();
  modificado_ = false;
  FijaEstado(Estado::Navegando);
  if (alta && registroAntesDeAlta_ > 0 && CursorVeA(registroAntesDeAlta_)) hayFila_ = true;
  emit registroCambiado();
  Dispara(AfterCancel);
}

void Dataset::Delete() {
  ExigeActivo();
  if (estado_ == Estado::Insertando) {
    Cancel();
    return;
  }
  if (!hayFila_)
    throw plat::Error(Clase::Estado, QStringLiteral("No se puede borrar: la tabla %1 está vacía").arg(NombreParaMensajes()));
  Dispara(BeforeDelete);
  bool abortado;
  ConReintentos(OnDeleteError, [this] { BorraActual(); }, abortado);
  if (abortado) return;
  modificado_ = false;
  FijaEstado(Estado::Navegando);
  // The next row, else the one before (standing at the end).
  bof_ = false;
  eof_ = false;
  hayFila_ = Visible(CursorSiguiente(), true);
  if (!hayFila_) {
    hayFila_ = Visible(CursorUltimo(), false);
    eof_ = true;
    bof_ = !hayFila_;
  }
  emit registroCambiado();
  Dispara(AfterDelete);
}

void Dataset::Refresh() {
  ExigeActivo();
  ModoNavegacion();
  const qint64 donde = hayFila_ ? CursorRegistro() : 0;
  CursorRefresca();
  if (donde > 0 && CursorVeA(donde) && CumpleFiltro()) {
    hayFila_ = true;
  } else if (donde > 0) {
    hayFila_ = Visible(CursorSiguiente(), true);
    if (!hayFila_) hayFila_ = Visible(CursorUltimo(), false);
  } else {
    PosicionaPrimero();
  }
  if (hayFila_) bof_ = eof_ = false;
  emit registroCambiado();
}

// --- Locate.

namespace {

bool Coincide(const Campo& c, const QVariant& v, const QVariant& buscado, OpcionesLocate o) {
  switch (c.Tipo()) {
    case TipoDato::Texto:
    case TipoDato::Memo: {
      const QString a = v.isValid() ? v.toString() : QString();
      QString b = buscado.isValid() ? buscado.toString() : QString();
      while (!b.isEmpty() && b.back() == u' ') b.chop(1);
      const Qt::CaseSensitivity cs = o.sinMayusculas ? Qt::CaseInsensitive : Qt::CaseSensitive;
      if (o.parcial) return a.startsWith(b, cs);
      return a.compare(b, cs) == 0;
    }
    default: break;
  }
  if (!buscado.isValid() || (buscado.typeId() == QMetaType::QString && buscado.toString().trimmed().isEmpty()))
    return !v.isValid();
  if (!v.isValid()) return false;
  switch (c.Tipo()) {
    case TipoDato::Entero:
    case TipoDato::Flotante:
    case TipoDato::Moneda: {
      std::optional<double> b;
      if (buscado.typeId() == QMetaType::QString) b = RealDeTexto(buscado.toString());
      else if (buscado.canConvert<double>()) b = buscado.toDouble();
      return b && v.toDouble() == *b;
    }
    case TipoDato::Fecha: {
      const QDate b = buscado.typeId() == QMetaType::QString ? FechaDeTexto(buscado.toString()) : buscado.toDate();
      return b.isValid() && v.toDate() == b;
    }
    case TipoDato::Logico: return v.toBool() == buscado.toBool();
    default: return false;
  }
}

}  // namespace

bool Dataset::Locate(const QString& campos, const QVariantList& valores, OpcionesLocate opciones) {
  ExigeActivo();
  ModoNavegacion();
  QVector<Campo*> lista;
  for (const QString& n : campos.split(u';', Qt::SkipEmptyParts)) lista << &FieldByName(n);
  if (lista.isEmpty() || lista.size() != valores.size())
    throw plat::Error(Clase::Estado, QStringLiteral("Locate en la tabla %1: %2 campos y %3 valores")
                                         .arg(NombreParaMensajes())
                                         .arg(lista.size())
                                         .arg(valores.size()));
  const qint64 donde = hayFila_ ? CursorRegistro() : 0;
  Dispara(BeforeScroll);
  for (bool hay = Visible(CursorPrimero(), true); hay; hay = Visible(CursorSiguiente(), true)) {
    bool todos = true;
    for (int k = 0; todos && k < lista.size(); ++k)
      todos = Coincide(*lista[k], LeeCampo(lista[k]->Indice()), valores[k], opciones);
    if (todos) {
      hayFila_ = true;
      bof_ = eof_ = false;
      emit registroCambiado();
      Dispara(AfterScroll);
      return true;
    }
  }
  if (donde) CursorVeA(donde);
  return false;
}

// --- Defaults of a read-only dataset.

namespace {
plat::Error SoloLectura(const Dataset& d) {
  return plat::Error(Clase::Estado, QStringLiteral("La tabla %1 es de sólo lectura").arg(d.NombreTabla()));
}
}  // namespace

void Dataset::PreparaEdicion() { throw SoloLectura(*this); }
void Dataset::PreparaAlta(bool) { throw SoloLectura(*this); }
void Dataset::EscribeCampo(int, const QVariant&) { throw SoloLectura(*this); }
void Dataset::GrabaEdicion() { throw SoloLectura(*this); }
void Dataset::DescartaEdicion() {}
void Dataset::BorraActual() { throw SoloLectura(*this); }

}  // namespace db
