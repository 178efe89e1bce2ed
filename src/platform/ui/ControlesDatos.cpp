#include "platform/ui/ControlesDatos.h"

#include "platform/Error.h"
#include "platform/db/Campo.h"
#include "platform/ui/Aplicacion.h"


#include <limits>

namespace ui {

// --- EnlaceCampo.

EnlaceCampo::EnlaceCampo(QWidget* caja, std::function<void()> muestra)
    : QObject(caja), caja_(caja), muestra_(std::move(muestra)) {}

void EnlaceCampo::SetFuente(FuenteDatos* fuente) {
  if (fuente == fuente_.Fuente()) return;
  fuente_.Vigila(fuente, this, [this] { Muestra(); });
  disconnect(campoCambiado_);
  if (fuente) campoCambiado_ = connect(fuente, &FuenteDatos::cambioCampo, this, &EnlaceCampo::CampoCambiado);
  Muestra();
}

void EnlaceCampo::SetCampo(const QString& nombre) {
  campo_ = nombre;
  Muestra();
}

db::Campo* EnlaceCampo::Campo() const { return Fuente() ? Fuente()->Campo(campo_) : nullptr; }

void EnlaceCampo::Muestra() {
  if (propio_) return;
  pendiente_ = false;
  tocado_ = false;
  // A bound name the open dataset does not have is the window's mistake:
  // said once per dataset and name, as the engine did on opening.
  db::Dataset* d = Fuente() ? Fuente()->DataSet() : nullptr;
  if (d && d->Active() && !campo_.isEmpty() && !d->FindField(campo_)) {
    const QString clave = d->NombreTabla() + u'|' + campo_;
    if (avisado_ != clave) {
      avisado_ = clave;
      Protege([&] { d->FieldByName(campo_); });
    }
  }
  Protege(muestra_);
}

void EnlaceCampo::CampoCambiado(int indice) {
  const db::Campo* c = Campo();
  if (c && c->Indice() == indice) Muestra();
}

bool EnlaceCampo::Edita() {
  if (!Campo()) return false;
  db::Dataset* d = Fuente()->DataSet();
  if (d->State() == db::Dataset::Estado::Navegando) {
    if (!Fuente()->AutoEdit()) return false;
    propio_ = true;
    try {
      d->Edit();
    } catch (const std::exception& e) {
      propio_ = false;
      MuestraExcepcion(e);
      return false;
    }
    propio_ = false;
  }
  const auto estado = d->State();
  return estado == db::Dataset::Estado::Editando || estado == db::Dataset::Estado::Insertando;
}

bool EnlaceCampo::Escribe(const QString& texto, bool estricto) {
  db::Campo* c = Campo();
  if (!c) return false;
  if (!tocado_) {
    original_ = c->Value();
    tocado_ = true;
  }
  propio_ = true;
  try {
    c->SetAsString(texto);
    propio_ = false;
    pendiente_ = false;
    return true;
  } catch (const plat::Error& e) {
    // A text the field does not take leaves the field as it was before the
    // typing began: neither the bad text nor a part of it reaches the file.
    try {
      c->SetValue(original_);
    } catch (const plat::Error&) {
    }
    propio_ = false;
    const bool aunNo = e.clase() == plat::Clase::Conversion || e.clase() == plat::Clase::NoCabe;
    if (aunNo && !estricto) {
      pendiente_ = true;
      return true;
    }
    MuestraExcepcion(e);
    return false;
  }
}

// --- The boxes.

EditDatos::EditDatos(QWidget* padre) : CajaDatos(padre) {
  connect(this, &QLineEdit::textEdited, this, &EditDatos::Teclea);
}

void EditDatos::Muestra() {
  const db::Campo* c = enlace_.Campo();
  setMaxLength(c && c->Tipo() == db::TipoDato::Texto && c->Ancho() > 0 ? c->Ancho() : 32767);
  setText(c ? c->AsString() : QString());
}

void EditDatos::focusOutEvent(QFocusEvent* evento) {
  QLineEdit::focusOutEvent(evento);
  Confirma(text());
}

void EtiquetaDatos::Muestra() {
  const db::Campo* c = enlace_.Campo();
  setText(c ? c->AsString() : QString());
}

MemoDatos::MemoDatos(QWidget* padre) : CajaDatos(padre) {
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    if (!mostrando_) Teclea(toPlainText());
  });
}

void MemoDatos::Muestra() {
  const db::Campo* c = enlace_.Campo();
  mostrando_ = true;
  setPlainText(c ? c->AsString() : QString());
  mostrando_ = false;
}

void MemoDatos::focusOutEvent(QFocusEvent* evento) {
  QPlainTextEdit::focusOutEvent(evento);
  Confirma(toPlainText());
}

CasillaDatos::CasillaDatos(QWidget* padre) : CajaDatos(padre) {
  connect(this, &QCheckBox::clicked, this, [this](bool marcada) {
    const db::Campo* c = enlace_.Campo();
    if (c && c->Tipo() == db::TipoDato::Logico) Elige(marcada ? QStringLiteral("T") : QStringLiteral("F"));
    else Elige(marcada ? marcado_ : desmarcado_);
  });
}

void CasillaDatos::SetValores(const QString& marcado, const QString& desmarcado) {
  marcado_ = marcado;
  desmarcado_ = desmarcado;
  Muestra();
}

void CasillaDatos::Muestra() {
  const db::Campo* c = enlace_.Campo();
  bool marcada = false;
  if (c && c->Tipo() == db::TipoDato::Logico) marcada = c->AsBoolean();
  else if (c) marcada = c->AsString().compare(marcado_, Qt::CaseInsensitive) == 0;
  setChecked(marcada);
}

ComboDatos::ComboDatos(QWidget* padre) : CajaDatos(padre) {
  connect(this, &QComboBox::activated, this, [this](int i) { Elige(itemText(i)); });
  SetEditable(true);
}

void ComboDatos::SetEditable(bool editable) {
  QComboBox::setEditable(editable);
  if (editable) connect(lineEdit(), &QLineEdit::textEdited, this, &ComboDatos::Teclea, Qt::UniqueConnection);
  Muestra();
}

void ComboDatos::Muestra() {
  const db::Campo* c = enlace_.Campo();
  const QString texto = c ? c->AsString() : QString();
  if (isEditable()) {
    lineEdit()->setMaxLength(c && c->Tipo() == db::TipoDato::Texto && c->Ancho() > 0 ? c->Ancho() : 32767);
    setEditText(texto);
  } else {
    setCurrentIndex(findText(texto));
  }
}

void ComboDatos::focusOutEvent(QFocusEvent* evento) {
  QComboBox::focusOutEvent(evento);
  Confirma(currentText());
}

// --- ComboBusqueda.

ComboBusqueda::ComboBusqueda(QWidget* padre) : CajaDatos(padre) {
  connect(this, &QComboBox::activated, this, [this](int i) { Elige(itemData(i).toString()); });
}

void ComboBusqueda::SetFuenteLista(FuenteDatos* lista) {
  lista_.Vigila(lista, this, [this] { ListaCambiada(); });
  ListaCambiada();
}

void ComboBusqueda::SetCampoClave(const QString& nombre) {
  clave_ = nombre;
  ListaCambiada();
}

void ComboBusqueda::SetCampoLista(const QString& nombre) {
  texto_ = nombre;
  ListaCambiada();
}

void ComboBusqueda::ListaCambiada() {
  // Read lazily: a window walking the list table must not pay a reload per row.
  vigente_ = false;
  Muestra();
}

void ComboBusqueda::Recarga() {
  db::Dataset* d = lista_.Fuente() ? lista_.Fuente()->DataSet() : nullptr;
  if (d && d->Active() && d->State() != db::Dataset::Estado::Navegando) return;  // read it once it browses again
  mostrando_ = true;
  clear();
  vigente_ = true;
  if (d && d->Active() && !clave_.isEmpty() && !texto_.isEmpty()) {
    Protege([&] {
      db::Campo& clave = d->FieldByName(clave_);
      db::Campo& texto = d->FieldByName(texto_);
      CursorQuieto cursor(*d);
      cursor.MoveBy(-std::numeric_limits<int>::max());
      if (!d->IsEmpty()) {
        do addItem(texto.AsString(), clave.AsString());
        while (cursor.MoveBy(1) == 1);
      }
    });
  }
  mostrando_ = false;
}

void ComboBusqueda::Muestra() {
  if (mostrando_) return;
  if (!vigente_) Recarga();
  const db::Campo* c = enlace_.Campo();
  mostrando_ = true;
  setCurrentIndex(c ? findData(c->AsString()) : -1);
  mostrando_ = false;
}

void ComboBusqueda::showPopup() {
  if (!vigente_) Muestra();
  QComboBox::showPopup();
}

}  // namespace ui
