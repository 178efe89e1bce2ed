#include "inventory/ConsultaContiene.h"

#include "platform/db/Campo.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Texto.h"

#include <algorithm>
#include <cstring>

ConsultaContiene::ConsultaContiene(QObject* parent) : db::Dataset(parent) {}

ConsultaContiene::~ConsultaContiene() = default;

void ConsultaContiene::SetCarpeta(const QString& carpeta) {
  ExigeInactivo("cambiar la carpeta");
  carpeta_ = carpeta;
}

void ConsultaContiene::SetNombreTabla(const QString& archivo) {
  ExigeInactivo("cambiar la tabla");
  archivo_ = archivo;
}

void ConsultaContiene::SetCampos(const QStringList& campos) {
  ExigeInactivo("cambiar los campos");
  campos_ = campos;
}

void ConsultaContiene::SetBusqueda(const QString& campo, const QString& texto) {
  ExigeInactivo("cambiar la búsqueda");
  campoBusqueda_ = campo;
  texto_ = texto;
}

QVector<db::DefCampo> ConsultaContiene::AbreCursor() {
  auto tabla = std::make_unique<db::Tabla>();
  tabla->SetCarpeta(carpeta_);
  tabla->SetNombreTabla(archivo_);
  tabla->SetReadOnly(true);
  tabla->Open();
  defs_.clear();
  tipos_.clear();
  indices_.clear();
  for (const QString& nombre : campos_) {
    const db::Campo& c = tabla->FieldByName(nombre);
    defs_ << c.Definicion();
    tipos_ << c.Tipo();
    indices_ << c.Indice();
  }
  tabla_ = std::move(tabla);
  Busca();
  return defs_;
}

namespace {

// A text field's stored bytes without the blanks and NULs that end it, as
// its value reads.
QByteArrayView BytesSinBlancosContiene(QByteArrayView bytes) {
  qsizetype fin = bytes.size();
  while (fin > 0 && (bytes[fin - 1] == ' ' || bytes[fin - 1] == '\0')) --fin;
  return bytes.first(fin);
}

}  // namespace

void ConsultaContiene::Busca() {
  struct Hallada {
    qint64 registro;
    QByteArray clave;  // the field's bytes as the tag keeps them: blank padded to its width
  };
  std::vector<Hallada> halladas;
  const db::Campo& campo = tabla_->FieldByName(campoBusqueda_);
  const int indice = campo.Indice();
  const int ancho = campo.Ancho();
  // The text as the file stores it; one with a character outside the code
  // page is in no record. The code page maps each byte to one character, so
  // a text contains the search exactly when its bytes contain the search's
  // bytes: the records are walked as stored, none decoded.
  const QByteArray buscado = fs::ACp1252(texto_);
  const bool cabe = fs::DeCp1252(buscado) == texto_;
  bool crudo = campo.Definicion().tipo == u'C';
  if (crudo) {
    crudo = tabla_->RecorreRegistros([&](qint64 n, const char* registro) {
      QByteArrayView bytes;
      char letra = 0;
      if (!crudo || !tabla_->BytesCampo(registro, indice, bytes, letra) || letra != 'C') {
        crudo = false;
        return;
      }
      const QByteArrayView valor = BytesSinBlancosContiene(bytes);
      if (cabe && valor.contains(buscado)) halladas.push_back({n, valor.toByteArray().leftJustified(ancho, ' ')});
    }) && crudo;
  }
  if (!crudo) {
    halladas.clear();
    for (tabla_->First(); !tabla_->Eof(); tabla_->Next()) {
      const QString texto = campo.AsString();
      if (texto.contains(texto_))
        halladas.push_back({tabla_->RecNo(), fs::ACp1252(texto).leftJustified(ancho, ' ')});
    }
  }
  // Key order is byte order of the padded keys. The scan went in record
  // order, so a stable sort leaves equal texts so.
  std::stable_sort(halladas.begin(), halladas.end(), [ancho](const Hallada& a, const Hallada& b) {
    return std::memcmp(a.clave.constData(), b.clave.constData(), static_cast<size_t>(ancho)) < 0;
  });
  registros_.clear();
  registros_.reserve(halladas.size());
  for (const Hallada& h : halladas) registros_.push_back(h.registro);
  actual_ = 0;
  leido_ = 0;
}

db::TipoDato ConsultaContiene::TipoDe(const db::DefCampo& def) const {
  for (int i = 0; i < defs_.size(); ++i)
    if (defs_[i].nombre == def.nombre) return tipos_[i];
  return db::TipoDatoDe(def);
}

void ConsultaContiene::CierraCursor() {
  tabla_.reset();
  registros_.clear();
  actual_ = 0;
  leido_ = 0;
}

bool ConsultaContiene::CursorPrimero() {
  actual_ = registros_.empty() ? 0 : 1;
  return actual_ > 0;
}

bool ConsultaContiene::CursorUltimo() {
  actual_ = static_cast<qint64>(registros_.size());
  return actual_ > 0;
}

bool ConsultaContiene::CursorSiguiente() {
  if (actual_ >= static_cast<qint64>(registros_.size())) return false;
  ++actual_;
  return true;
}

bool ConsultaContiene::CursorAnterior() {
  if (actual_ <= 1) return false;
  --actual_;
  return true;
}

bool ConsultaContiene::CursorVeA(qint64 registro) {
  if (registro < 1 || registro > static_cast<qint64>(registros_.size())) return false;
  actual_ = registro;
  return true;
}

void ConsultaContiene::CursorRefresca() {
  tabla_->Refresh();
  Busca();
}

QVariant ConsultaContiene::LeeCampo(int i) const {
  if (actual_ == 0 || !tabla_) return {};
  const qint64 registro = registros_[static_cast<size_t>(actual_ - 1)];
  if (leido_ != registro) {
    leido_ = tabla_->VeARegistro(registro) ? registro : 0;
    if (leido_ == 0) return {};
  }
  return tabla_->Fields(indices_[i]).Value();
}
