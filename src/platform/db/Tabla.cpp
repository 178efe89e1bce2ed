#include "platform/db/Tabla.h"

#include "platform/Error.h"
#include "platform/db/Almacen.h"
#include "platform/db/Dbf.h"
#include "platform/db/Orden.h"
#include "platform/db/PuntosFalla.h"
#include "platform/fs/Falla.h"
#include "platform/fs/Rutas.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace db {

using plat::Clase;
using plat::Error;

struct Tabla::Edicion {
  Registro r;
  qint64 n = 0;          // record edited; 0 for a new one
  bool alFinal = true;   // new record: append (else insert before `antes`)
  qint64 antes = 0;
  qint64 reservado = 0;  // PostReservado: the row reserved and journaled
};

namespace {

QString Extension(const QString& archivo) { return QFileInfo(archivo).suffix().toLower(); }

FabricaAlmacen& FabricaDe(const QString& archivo) {
  FabricaAlmacen* f = FabricaPara(Extension(archivo));
  if (!f)
    throw Error(Clase::NoExiste, QStringLiteral("No se pueden usar tablas del tipo de %1").arg(archivo));
  return *f;
}

FabricaIndices& ModuloIndices(const QString& tabla) {
  FabricaIndices* f = FabricaDeIndices();
  if (!f)
    throw Error(Clase::General, QStringLiteral("Los índices de la tabla %1 no se pueden usar en este programa").arg(tabla));
  return *f;
}

// Only dBASE tables keep a production index; another kind would get an
// .mdx nobody opens or keeps.
void ExigeTablaDbf(const QString& archivo) {
  if (Extension(archivo) != u"dbf")
    throw Error(Clase::Estado, QStringLiteral("La tabla %1 no puede llevar índices .mdx").arg(archivo));
}

// Fields that get the descriptor's tag byte: tags keyed on one plain field.
QStringList CamposConTag(const QVector<DefTag>& tags, const QVector<DefCampo>& campos) {
  QStringList r;
  for (const DefTag& t : tags)
    for (const DefCampo& c : campos)
      if (t.expresion.trimmed().compare(c.nombre, Qt::CaseInsensitive) == 0) r << c.nombre;
  return r;
}

}  // namespace

Tabla::Tabla(QObject* parent) : Dataset(parent) {}

Tabla::~Tabla() {
  try {
    Close();
  } catch (...) {
  }
}

QString Tabla::ConExtension(const QString& archivo) {
  return QFileInfo(archivo).suffix().isEmpty() ? archivo + QStringLiteral(".dbf") : archivo;
}

void Tabla::SetCarpeta(const QString& carpeta) {
  ExigeInactivo("cambiar la carpeta");
  carpeta_ = carpeta;
}

void Tabla::SetNombreTabla(const QString& archivo) {
  ExigeInactivo("cambiar el nombre");
  nombre_ = archivo;
}

void Tabla::SetExclusive(bool exclusivo) {
  ExigeInactivo("cambiar el uso exclusivo");
  exclusivo_ = exclusivo;
}

void Tabla::SetReadOnly(bool soloLectura) {
  ExigeInactivo("cambiar el modo de sólo lectura");
  soloLectura_ = soloLectura;
}

QString Tabla::Ruta() const {
  const QString archivo = ConExtension(nombre_);
  return fs::Local(carpeta_.isEmpty() ? archivo : fs::Une(carpeta_, archivo));
}

TipoDato Tabla::TipoDe(const DefCampo& def) const { return TipoDatoDe(def, Extension(ConExtension(nombre_)) == u"db"); }

// --- Cursor.

QVector<DefCampo> Tabla::AbreCursor() {
  if (nombre_.isEmpty()) throw Error(Clase::NoExiste, QStringLiteral("No se indicó el nombre de la tabla"));
  const QString ruta = Ruta();
  almacen_ = FabricaDe(ConExtension(nombre_)).Abre(ruta, nombre_, {exclusivo_, soloLectura_});
  try {
    if (almacen_->TieneIndiceProduccion()) {
      const QString mdx = RutaCompanero(ruta, QStringLiteral("mdx"));
      if (!QFileInfo::exists(mdx))
        throw Error(Clase::NoExiste, QStringLiteral("Falta el índice %1 de la tabla %2").arg(QFileInfo(mdx).fileName(), nombre_));
      indices_ = ModuloIndices(nombre_).Abre(mdx, *almacen_, exclusivo_);
    }
    AbreOrden(indice_);
  } catch (...) {
    orden_.reset();
    indices_.reset();
    almacen_.reset();
    throw;
  }
  actual_ = 0;
  return almacen_->Campos();
}

void Tabla::CierraCursor() {
  edicion_.reset();
  hueco_ = 0;
  retenidos_.clear();
  if (almacen_) almacen_->LiberaBloqueos();
  orden_.reset();
  indices_.reset();
  almacen_.reset();
  actual_ = 0;
}

void Tabla::AbreOrden(const QString& tag) {
  if (tag.isEmpty()) {
    orden_ = OrdenFisico(*almacen_);
    return;
  }
  if (!indices_) throw Error(Clase::NoExiste, QStringLiteral("La tabla %1 no tiene el índice %2").arg(nombre_, tag));
  orden_ = indices_->AbreOrden(tag);
}

bool Tabla::Mueve(qint64 n) {
  hueco_ = 0;
  if (n == 0) return false;
  actual_ = n;
  return true;
}

// A walk in physical order reads no index: a write a dead station left is
// finished before it starts (tag orders do it at every move).
void Tabla::RevisaIndices() {
  if (indices_ && indice_.isEmpty()) indices_->Revisa();
}

bool Tabla::CursorPrimero() {
  RevisaIndices();
  if (Mueve(orden_->Primero())) return true;
  actual_ = 0;
  return false;
}

bool Tabla::CursorUltimo() {
  RevisaIndices();
  if (Mueve(orden_->Ultimo())) return true;
  actual_ = 0;
  return false;
}

// Right after a delete on a storage that renumbers, the next row is the one
// that took the deleted row's number.
bool Tabla::CursorSiguiente() {
  if (const qint64 n = hueco_) return Mueve(orden_->VeA(n));
  return Mueve(orden_->Siguiente());
}

bool Tabla::CursorAnterior() {
  if (const qint64 n = hueco_) return Mueve(n > 1 ? orden_->VeA(n - 1) : 0);
  return Mueve(orden_->Anterior());
}

bool Tabla::CursorVeA(qint64 registro) { return Mueve(orden_->VeA(registro)); }
qint64 Tabla::CursorCuenta() { return orden_->Cuenta(); }

void Tabla::CursorRefresca() {
  hueco_ = 0;
  if (indices_) indices_->Revisa();
  almacen_->Refresca();
  if (indices_) indices_->Refresca();
  orden_->Refresca();
}

QVariant Tabla::LeeCampo(int i) const {
  if (edicion_) return almacen_->ValorDe(edicion_->r, i);
  if (actual_ == 0) return {};
  const char* r = almacen_->Lee(actual_);
  return r ? almacen_->Valor(r, i) : QVariant();
}

bool Tabla::CampoNulo(int i) const {
  if (edicion_) return !almacen_->ValorDe(edicion_->r, i).isValid();
  if (actual_ == 0) return true;
  const char* r = almacen_->Lee(actual_);
  return !r || almacen_->Nulo(r, i);
}

// --- Editing.

void Tabla::PreparaEdicion() {
  const qint64 n = actual_;
  almacen_->Bloquea(n);
  try {
    auto e = std::make_unique<Edicion>();
    e->r = almacen_->Carga(n);
    if (almacen_->Borrado(e->r.datos.constData()))
      throw Error(Clase::NoExiste, QStringLiteral("El registro %1 de la tabla %2 fue borrado por otro usuario").arg(n).arg(nombre_));
    e->n = n;
    edicion_ = std::move(e);
  } catch (...) {
    if (!retenidos_.contains(n)) almacen_->Libera(n);
    throw;
  }
}

void Tabla::PreparaAlta(bool alFinal) {
  if (almacen_->Modo().soloLectura)
    throw Error(Clase::Estado, QStringLiteral("La tabla %1 está abierta sólo para lectura").arg(nombre_));
  auto e = std::make_unique<Edicion>();
  e->r = almacen_->Vacio();
  e->alFinal = alFinal;
  e->antes = actual_;
  edicion_ = std::move(e);
}

void Tabla::EscribeCampo(int i, const QVariant& valor) { almacen_->Fija(edicion_->r, i, valor); }

void Tabla::GrabaEdicion() {
  falla::PuntoTabla(puntos::kAntesDeEscribir, nombre_);
  Edicion& e = *edicion_;
  Indices* ix = indices_.get();
  qint64 n = e.n;
  // The order stands on the written row while the index file is still held
  // (one lock and header check less per write).
  if (n > 0) {
    almacen_->Bloquea(n);  // held since Edit, unless LiberaBloqueos let it go
    auto graba = [&] {
      Registro antes;
      PasosEscritura pasos;
      pasos.liberaRegistro = true;  // released below in any case
      if (ix) {
        antes = almacen_->Carga(n);
        ix->ExigeUnicos(n, antes.datos.constData(), e.r.datos.constData());
        pasos.antes = [&](qint64 m, const QByteArray& final) {
          ix->Anuncia(Indices::Cambio::Modificacion, m, antes.datos.constData(), final);
        };
        pasos.despues = [&](qint64 m) { ix->Cambiado(m, antes.datos.constData(), e.r.datos.constData()); };
      }
      almacen_->Graba(n, e.r, pasos);
      orden_->VeA(n);
    };
    if (ix) ix->Escribe(graba);
    else graba();
    if (!retenidos_.contains(n)) almacen_->Libera(n);
  } else if (reserva_ || e.reservado > 0) {
    n = AgregaReservado(e);
  } else {
    auto agrega = [&] {
      PasosEscritura pasos;
      if (ix) {
        ix->ExigeUnicos(0, nullptr, e.r.datos.constData());
        pasos.antes = [&](qint64 m, const QByteArray& final) { ix->Anuncia(Indices::Cambio::Alta, m, nullptr, final); };
        pasos.despues = [&](qint64 m) { ix->Agregado(m, e.r.datos.constData()); };
      }
      n = e.alFinal || e.antes == 0 ? almacen_->Agrega(e.r, pasos) : almacen_->Inserta(e.antes, e.r, pasos);
      orden_->VeA(n);
    };
    if (ix) ix->Escribe(agrega);
    else agrega();
  }
  edicion_.reset();
  actual_ = n;
}

// The digest of a row's bytes, whether it is marked deleted or not.
QByteArray Tabla::Firma(QByteArray registro) const {
  Registro r{std::move(registro), {}};
  almacen_->Revive(r);
  return QCryptographicHash::hash(r.datos, QCryptographicHash::Md5);
}

qint64 Tabla::PostReservado(const std::function<void(qint64, const QByteArray&)>& reservado) {
  ExigeActivo();
  if (State() != Estado::Insertando)
    throw Error(Clase::Estado, QStringLiteral("La tabla %1 no tiene una fila nueva que guardar").arg(nombre_));
  reserva_ = &reservado;
  try {
    Post();
  } catch (...) {
    reserva_ = nullptr;
    throw;
  }
  reserva_ = nullptr;
  return RecNo();
}

qint64 Tabla::AgregaReservado(Edicion& e) {
  if (almacen_->Renumera())
    throw Error(Clase::Estado, QStringLiteral("La tabla %1 no puede reservar filas").arg(nombre_));
  if (e.reservado == 0) {
    QByteArray bytes;
    qint64 n = 0;
    auto agrega = [&] {
      PasosEscritura pasos;
      pasos.borrado = true;
      pasos.antes = [&](qint64, const QByteArray& final) { bytes = final; };
      n = almacen_->Agrega(e.r, pasos);
    };
    if (Indices* ix = indices_.get()) ix->Escribe(agrega);
    else agrega();
    // Only a row its writer knows of goes live: when `reserva_` fails, a
    // try again reserves another.
    (*reserva_)(n, Firma(bytes));
    e.reservado = n;
  }
  HazVivo(e.reservado);
  orden_->VeA(e.reservado);
  return e.reservado;
}

void Tabla::HazVivo(qint64 n) {
  almacen_->Bloquea(n);
  try {
    Indices* ix = indices_.get();
    auto graba = [&] {
      Registro r = almacen_->Carga(n);
      if (!almacen_->Borrado(r.datos.constData())) return;
      const QByteArray antes = r.datos;
      almacen_->Revive(r);
      PasosEscritura pasos;
      pasos.liberaRegistro = true;  // released below in any case
      if (ix) {
        ix->ExigeUnicos(n, nullptr, r.datos.constData());
        pasos.antes = [&](qint64 m, const QByteArray& final) {
          ix->Anuncia(Indices::Cambio::Modificacion, m, antes.constData(), final);
        };
        pasos.despues = [&](qint64 m) { ix->Agregado(m, r.datos.constData()); };
      }
      almacen_->Graba(n, r, pasos);
    };
    if (ix) ix->Escribe(graba);
    else graba();
  } catch (...) {
    if (!retenidos_.contains(n)) almacen_->Libera(n);
    throw;
  }
  if (!retenidos_.contains(n)) almacen_->Libera(n);
}

Tabla::Reserva Tabla::EstadoReserva(qint64 registro, const QByteArray& firma) {
  ExigeActivo();
  if (registro < 1) return Reserva::Ajena;
  // A write a dead station left on the row is finished first.
  if (indices_) indices_->Revisa();
  Registro r;
  try {
    r = almacen_->Carga(registro);
  } catch (const Error& error) {
    if (error.clase() == Clase::NoExiste) return Reserva::Ajena;
    throw;
  }
  if (Firma(r.datos) != firma) return Reserva::Ajena;
  return almacen_->Borrado(r.datos.constData()) ? Reserva::Reservada : Reserva::Viva;
}

void Tabla::Restituye(qint64 registro) {
  ExigeActivo();
  ModoNavegacion();
  falla::PuntoTabla(puntos::kAntesDeEscribir, nombre_);
  if (almacen_->Modo().soloLectura)
    throw Error(Clase::Estado, QStringLiteral("La tabla %1 está abierta sólo para lectura").arg(nombre_));
  HazVivo(registro);
  CursorRefresca();
  if (!VeARegistro(registro))
    throw Error(Clase::NoExiste, QStringLiteral("La tabla %1 no tiene el registro %2").arg(nombre_).arg(registro));
}

void Tabla::DescartaEdicion() {
  if (edicion_ && edicion_->n > 0 && !retenidos_.contains(edicion_->n)) almacen_->Libera(edicion_->n);
  edicion_.reset();
}

void Tabla::BorraActual() {
  falla::PuntoTabla(puntos::kAntesDeEscribir, nombre_);
  if (almacen_->Modo().soloLectura)
    throw Error(Clase::Estado, QStringLiteral("La tabla %1 está abierta sólo para lectura").arg(nombre_));
  const qint64 n = actual_;
  almacen_->Bloquea(n);
  try {
    Indices* ix = indices_.get();
    auto borra = [&] {
      const Registro r = almacen_->Carga(n);
      if (almacen_->Borrado(r.datos.constData())) return;
      PasosEscritura pasos;
      if (ix) {
        pasos.antes = [&](qint64 m, const QByteArray& final) {
          ix->Anuncia(Indices::Cambio::Baja, m, r.datos.constData(), final);
        };
        pasos.despues = [&](qint64 m) { ix->Borrado(m, r.datos.constData()); };
      }
      almacen_->Borra(n, pasos);
    };
    if (ix) ix->Escribe(borra);
    else borra();
  } catch (...) {
    if (!edicion_ && !retenidos_.contains(n)) almacen_->Libera(n);
    throw;
  }
  edicion_.reset();
  retenidos_.remove(n);
  almacen_->Libera(n);
  orden_->Refresca();
  if (almacen_->Renumera()) hueco_ = n;
}

// --- Index tags.

QStringList Tabla::IndexNames() const {
  QStringList r;
  for (const DefTag& t : IndexDefs()) r << t.nombre;
  return r;
}

QVector<DefTag> Tabla::IndexDefs() const {
  if (Active()) return indices_ ? indices_->Tags() : QVector<DefTag>();
  // A closed table's tags are read from its files.
  Tabla t;
  t.SetCarpeta(carpeta_);
  t.SetNombreTabla(nombre_);
  t.SetReadOnly(true);
  t.Open();
  return t.IndexDefs();
}

void Tabla::SetIndexName(const QString& tag) {
  if (!Active()) {
    indice_ = tag;
    return;
  }
  if (tag.compare(indice_, Qt::CaseInsensitive) == 0) return;
  ModoNavegacion();
  const qint64 donde = RecNo();
  AbreOrden(tag);
  indice_ = tag;
  Reposiciona(donde);
}

Orden& Tabla::OrdenConIndice() {
  ExigeActivo();
  if (indice_.isEmpty())
    throw Error(Clase::Estado, QStringLiteral("La tabla %1 no tiene un índice activo").arg(nombre_));
  return *orden_;
}

bool Tabla::FindKey(const QVariantList& clave) {
  Orden& o = OrdenConIndice();
  ModoNavegacion();
  const qint64 n = o.Busca(clave, true);
  if (n == 0) return false;
  actual_ = n;
  TrasMoverse(true);
  return true;
}

void Tabla::FindNearest(const QVariantList& clave) {
  Orden& o = OrdenConIndice();
  ModoNavegacion();
  const qint64 n = o.Busca(clave, false);
  if (n) actual_ = n;
  TrasMoverse(n != 0);
}

void Tabla::SetRange(const QVariantList& desde, const QVariantList& hasta) {
  Orden& o = OrdenConIndice();
  ModoNavegacion();
  o.FijaRango(desde, hasta);
  Reposiciona(0);
}

void Tabla::CancelRange() {
  ExigeActivo();
  ModoNavegacion();
  if (!orden_->ConRango()) return;
  const qint64 donde = RecNo();
  orden_->QuitaRango();
  Reposiciona(donde);
}

bool Tabla::VeARegistro(qint64 registro) {
  ExigeActivo();
  ModoNavegacion();
  if (registro <= 0 || !orden_->VeA(registro)) return false;
  actual_ = registro;
  TrasMoverse(true);
  return RecNo() == registro;
}

bool Tabla::Renumera() const { return almacen_ && almacen_->Renumera(); }

qint64 Tabla::CuentaEstimada() const {
  ExigeActivo();
  return orden_->ConRango() ? orden_->Cuenta() : almacen_->Cuenta();
}

void Tabla::ExigeExclusivo(const char* operacion) const {
  ExigeActivo();
  if (!exclusivo_ || soloLectura_)
    throw Error(Clase::EnUso, QStringLiteral("Para %1 se necesita el uso exclusivo de la tabla %2")
                                  .arg(QString::fromUtf8(operacion), nombre_));
}

bool Tabla::EnOtroManejador(const std::function<void(Tabla&)>& operacion) const {
  if (Active()) return false;
  Tabla t;
  t.SetCarpeta(carpeta_);
  t.SetNombreTabla(nombre_);
  t.SetExclusive(true);
  t.Open();
  operacion(t);
  return true;
}

void Tabla::AddIndex(const DefTag& tag) {
  if (EnOtroManejador([&](Tabla& t) { t.AddIndex(tag); })) return;
  ExigeExclusivo("crear un índice");
  ExigeTablaDbf(ConExtension(nombre_));
  ModoNavegacion();
  const qint64 donde = RecNo();
  if (!indices_) {
    indices_ = ModuloIndices(nombre_).Crea(RutaCompanero(Ruta(), QStringLiteral("mdx")), *almacen_, {tag});
  } else {
    indices_->AgregaTag(tag);
  }
  almacen_->FijaIndiceProduccion(true, CamposConTag(indices_->Tags(), almacen_->Campos()));
  Reposiciona(donde);
}

void Tabla::DeleteIndex(const QString& tag) {
  if (EnOtroManejador([&](Tabla& t) { t.DeleteIndex(tag); })) return;
  ExigeExclusivo("borrar un índice");
  ModoNavegacion();
  if (!IndexNames().contains(tag, Qt::CaseInsensitive))
    throw Error(Clase::NoExiste, QStringLiteral("La tabla %1 no tiene el índice %2").arg(nombre_, tag));
  const qint64 donde = RecNo();
  if (tag.compare(indice_, Qt::CaseInsensitive) == 0) {
    indice_.clear();
    AbreOrden(indice_);
  }
  indices_->QuitaTag(tag);
  if (indices_->Tags().isEmpty()) {
    indices_.reset();
    QFile::remove(RutaCompanero(Ruta(), QStringLiteral("mdx")));
    almacen_->FijaIndiceProduccion(false, {});
  } else {
    almacen_->FijaIndiceProduccion(true, CamposConTag(indices_->Tags(), almacen_->Campos()));
  }
  Reposiciona(donde);
}

void Tabla::RegeneraIndices() {
  if (EnOtroManejador([](Tabla& t) { t.RegeneraIndices(); })) return;
  ExigeExclusivo("regenerar los índices");
  ModoNavegacion();
  const qint64 donde = RecNo();
  if (indices_) indices_->Regenera();
  orden_->Refresca();
  Reposiciona(donde);
}

QStringList Tabla::TagsDiscrepantes() {
  if (!Active()) {
    Tabla t;
    t.SetCarpeta(carpeta_);
    t.SetNombreTabla(nombre_);
    t.SetReadOnly(true);
    t.Open();
    return t.TagsDiscrepantes();
  }
  return indices_ ? indices_->Discrepantes() : QStringList();
}

// --- Whole-table operations.

void Tabla::EmptyTable() {
  if (EnOtroManejador([](Tabla& t) { t.EmptyTable(); })) return;
  ExigeExclusivo("vaciar la tabla");
  ModoNavegacion();
  if (indices_) indices_->Revisa();
  almacen_->Vacia();
  if (indices_) indices_->Regenera();
  orden_->Refresca();
  Reposiciona(0);
}

void Tabla::Pack() {
  if (EnOtroManejador([](Tabla& t) { t.Pack(); })) return;
  ExigeExclusivo("empacar la tabla");
  ModoNavegacion();
  if (indices_) indices_->Revisa();  // record numbers change next
  almacen_->Empaca();
  if (indices_) indices_->Regenera();
  orden_->Refresca();
  Reposiciona(0);
}

ReparacionFin Tabla::ReparaFin() {
  ExigeExclusivo("reparar la tabla");
  ModoNavegacion();
  if (indices_) indices_->Revisa();
  const ReparacionFin r = almacen_->ReparaFin();
  orden_->Refresca();
  Reposiciona(0);
  return r;
}

void Tabla::LiberaBloqueos() {
  ExigeActivo();
  retenidos_.clear();
  almacen_->LiberaBloqueos();
}

void Tabla::RetieneRegistro() {
  ExigeActivo();
  const qint64 n = edicion_ ? edicion_->n : actual_;
  if (n <= 0)
    throw Error(Clase::Estado, QStringLiteral("No hay un registro de la tabla %1 que bloquear").arg(nombre_));
  almacen_->Bloquea(n);
  retenidos_.insert(n);
}

void Tabla::SueltaRetenidos() {
  if (!almacen_) return;
  for (const qint64 n : std::as_const(retenidos_))
    if (!edicion_ || edicion_->n != n) almacen_->Libera(n);
  retenidos_.clear();
}

void Tabla::TomaNumeracion() {
  ExigeActivo();
  almacen_->TomaNumeracion();
  try {
    Refresh();
  } catch (...) {
    almacen_->SueltaNumeracion();
    throw;
  }
}

void Tabla::SueltaNumeracion() {
  if (almacen_) almacen_->SueltaNumeracion();
}

// --- Creating, copying and deleting tables.

void Tabla::Crea(const QString& carpeta, const QString& archivo, const QVector<DefCampo>& campos,
                 const QVector<DefTag>& tags) {
  const QString nombre = ConExtension(archivo);
  const QString ruta = fs::Local(fs::Une(carpeta, nombre));
  if (!tags.isEmpty()) {
    ModuloIndices(archivo);
    ExigeTablaDbf(nombre);
  }
  FabricaDe(nombre).Crea(ruta, archivo, campos);
  if (tags.isEmpty()) return;
  Tabla t;
  t.SetCarpeta(carpeta);
  t.SetNombreTabla(archivo);
  t.SetExclusive(true);
  t.Open();
  for (const DefTag& tag : tags) t.AddIndex(tag);
}

void Tabla::CreaComo(const QString& carpeta, const QString& archivo, const Tabla& modelo) {
  if (modelo.Active()) {
    Crea(carpeta, archivo, modelo.Definiciones(), modelo.IndexDefs());
    return;
  }
  Tabla m;
  m.SetCarpeta(modelo.Carpeta());
  m.SetNombreTabla(modelo.NombreTabla());
  m.SetReadOnly(true);
  m.Open();
  const QVector<DefCampo> defs = m.Definiciones();
  const QVector<DefTag> tags = m.IndexDefs();
  m.Close();
  Crea(carpeta, archivo, defs, tags);
}

qint64 Tabla::CopiaRegistros(Tabla& origen, Tabla& destino, bool todos) {
  origen.ExigeActivo();
  if (!destino.Active()) {
    Crea(destino.Carpeta(), destino.NombreTabla(), origen.Definiciones());
    Tabla nueva;
    nueva.SetCarpeta(destino.Carpeta());
    nueva.SetNombreTabla(destino.NombreTabla());
    nueva.SetExclusive(true);
    nueva.Open();
    return CopiaRegistros(origen, nueva, todos);
  }
  origen.ModoNavegacion();
  destino.ModoNavegacion();
  QVector<QPair<Campo*, Campo*>> pares;
  for (int i = 0; i < destino.FieldCount(); ++i)
    if (Campo* o = origen.FindField(destino.Fields(i).Nombre())) pares.append(qMakePair(o, &destino.Fields(i)));
  auto copia = [&] {
    destino.Append();
    try {
      for (const auto& [o, d] : pares) d->SetValue(o->Value());
      destino.Post();
    } catch (...) {
      destino.Cancel();
      throw;
    }
  };
  if (!todos) {
    if (origen.IsEmpty()) return 0;
    copia();
    return 1;
  }
  qint64 n = 0;
  for (origen.First(); !origen.Eof(); origen.Next()) {
    copia();
    ++n;
  }
  return n;
}

void Tabla::Borra(const QString& carpeta, const QString& archivo) {
  const QString nombre = ConExtension(archivo);
  const QString ruta = fs::Local(fs::Une(carpeta, nombre));
  if (!QFileInfo(ruta).isFile()) throw Error(Clase::NoExiste, QStringLiteral("La tabla %1 no existe").arg(archivo));
  FabricaAlmacen& f = FabricaDe(nombre);
  // Held exclusively while its files go, so nobody has it open meanwhile;
  // a damaged file can still be deleted.
  std::unique_ptr<Almacen> a;
  try {
    a = f.Abre(ruta, archivo, {true, false});
  } catch (const Error& e) {
    if (e.clase() != Clase::Corrupto) throw;
  }
  for (const QString& c : f.Companeros(ruta)) QFile::remove(c);
  if (!QFile::remove(ruta)) throw Error(Clase::Io, QStringLiteral("No se pudo borrar la tabla %1").arg(archivo));
}

void Tabla::CopiaArchivos(const QString& carpeta, const QString& origen, const QString& destino) {
  const QString de = ConExtension(origen);
  const QString a = ConExtension(destino);
  FabricaAlmacen& fabrica = FabricaDe(de);
  if (&FabricaDe(a) != &fabrica)
    throw Error(Clase::General, QStringLiteral("No se puede copiar la tabla %1 en %2: son tablas de tipos distintos").arg(origen, destino));
  const QString rutaOrigen = fs::Local(fs::Une(carpeta, de));
  const QString rutaDestino = fs::Local(fs::Une(carpeta, a));
  // Over itself the old companions would go before they are copied.
  const QString mismo = QFileInfo(rutaOrigen).canonicalFilePath();
  if (!mismo.isEmpty() && mismo == QFileInfo(rutaDestino).canonicalFilePath())
    throw Error(Clase::General, QStringLiteral("No se puede copiar la tabla %1 sobre sí misma").arg(origen));
  fabrica.Copia(rutaOrigen, rutaDestino, origen, destino);
}

bool Tabla::Existe(const QString& carpeta, const QString& archivo) {
  return fs::ExisteArchivo(fs::Une(carpeta, ConExtension(archivo)));
}

}  // namespace db
