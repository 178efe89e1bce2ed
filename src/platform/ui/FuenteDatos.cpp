#include "platform/ui/FuenteDatos.h"

#include "platform/ui/Aplicacion.h"

namespace ui {

FuenteDatos::FuenteDatos(QObject* padre) : QObject(padre) {}

void FuenteDatos::SetDataSet(db::Dataset* dataset) {
  if (dataset == dataset_) return;
  for (auto& c : conexiones_) disconnect(c);
  dataset_ = dataset;
  if (dataset) {
    conexiones_[0] = connect(dataset, &db::Dataset::estadoCambiado, this, &FuenteDatos::cambioEstado);
    conexiones_[1] = connect(dataset, &db::Dataset::registroCambiado, this, &FuenteDatos::cambioRegistro);
    conexiones_[2] = connect(dataset, &db::Dataset::campoCambiado, this, &FuenteDatos::cambioCampo);
    conexiones_[3] = connect(dataset, &QObject::destroyed, this, &FuenteDatos::cambioDataset);
    conexiones_[4] = connect(dataset, &db::Dataset::porEditar, this, &FuenteDatos::porEditar);
  }
  emit cambioDataset();
}

db::Campo* FuenteDatos::Campo(const QString& nombre) const {
  if (!dataset_ || !dataset_->Active() || nombre.isEmpty()) return nullptr;
  return dataset_->FindField(nombre);
}

// --- VigilaFuente.

void VigilaFuente::Suelta() {
  for (auto& c : conexiones_) QObject::disconnect(c);
}

void VigilaFuente::Vigila(FuenteDatos* fuente, QObject* contexto, const std::function<void()>& fn) {
  Suelta();
  fuente_ = fuente;
  if (!fuente) return;
  conexiones_[0] = QObject::connect(fuente, &FuenteDatos::cambioDataset, contexto, fn);
  conexiones_[1] = QObject::connect(fuente, &FuenteDatos::cambioEstado, contexto, fn);
  conexiones_[2] = QObject::connect(fuente, &FuenteDatos::cambioRegistro, contexto, fn);
}

// --- CursorQuieto.

CursorQuieto::CursorQuieto(db::Dataset& dataset)
    : d_(dataset), bloqueo_(&dataset), registro_(dataset.RecNo()), bof_(dataset.Bof()), eof_(dataset.Eof()) {
  std::swap(antes_, d_.BeforeScroll);
  std::swap(despues_, d_.AfterScroll);
}

int CursorQuieto::MoveBy(int n) {
  const int movidas = d_.MoveBy(n);
  neto_ += movidas;
  return movidas;
}

CursorQuieto::~CursorQuieto() {
  try {
    if (neto_ != 0) d_.MoveBy(-neto_);
    if (registro_ != 0 && d_.RecNo() != registro_) {
      // Rows came or went meanwhile: look for the row from the start.
      d_.First();
      while (!d_.Eof() && d_.RecNo() != registro_) d_.Next();
      if (d_.RecNo() != registro_) d_.First();
    }
    // Steps set and clear the flags, also a step against an end that moved
    // nothing: they are given back as they were.
    if (d_.RecNo() == registro_) d_.RestauraLimites(bof_, eof_);
  } catch (const std::exception& e) {
    MuestraExcepcion(e);
  }
  std::swap(antes_, d_.BeforeScroll);
  std::swap(despues_, d_.AfterScroll);
}

}  // namespace ui
