#include "platform/print/Impresora.h"

#include "platform/Error.h"
#include "platform/fs/Texto.h"
#include "platform/print/Cola.h"
#include "platform/print/Dispositivos.h"
#include "platform/print/Imagen.h"

#include <cmath>
#include <functional>
#include <vector>

namespace print {

namespace {

plat::Error EnCurso() {
  return plat::Error(plat::Clase::Estado, QStringLiteral("Hay una impresión en curso"));
}

plat::Error SinTrabajo() {
  return plat::Error(plat::Clase::Estado, QStringLiteral("No hay una impresión en curso"));
}

QRect Rect(int x1, int y1, int x2, int y2) { return QRect(x1, y1, x2 - x1, y2 - y1).normalized(); }

// The pages of an open job, kept until it ends and then drawn on the job's
// device in order: so a text known only at the end (a page total) can still
// be written on an earlier page, and a job that fails halfway sends nothing.
class PaginasDelTrabajo : public Dispositivo {
 public:
  explicit PaginasDelTrabajo(std::unique_ptr<Dispositivo> destino) : destino_(std::move(destino)) {}

  int Paginas() const { return static_cast<int>(paginas_.size()); }
  // Later drawing goes to page i (from 0) until NuevaPagina or another call.
  void DibujaEn(int i) { actual_ = static_cast<size_t>(i); }

  void NuevaPagina() override {
    paginas_.emplace_back();
    actual_ = paginas_.size() - 1;
  }

  void Termina() override {
    for (size_t i = 0; i < paginas_.size(); ++i) {
      if (i > 0) destino_->NuevaPagina();
      for (const Paso& paso : paginas_[i]) paso(*destino_);
    }
    paginas_.clear();
    destino_->Termina();
  }

  void Aborta() override {
    paginas_.clear();
    destino_->Aborta();
  }

  void Texto(QPoint punto, const QString& texto, const Fuente& fuente, const Brocha& fondo) override {
    Agrega([=](Dispositivo& d) { d.Texto(punto, texto, fuente, fondo); });
  }
  void Linea(QPoint desde, QPoint hasta, const Pluma& pluma) override {
    Agrega([=](Dispositivo& d) { d.Linea(desde, hasta, pluma); });
  }
  void Rectangulo(const QRect& rect, const Pluma* pluma, const Brocha* brocha) override {
    const bool conPluma = pluma, conBrocha = brocha;
    const Pluma p = pluma ? *pluma : Pluma();
    const Brocha b = brocha ? *brocha : Brocha();
    Agrega([=](Dispositivo& d) { d.Rectangulo(rect, conPluma ? &p : nullptr, conBrocha ? &b : nullptr); });
  }
  void RectanguloRedondeado(const QRect& rect, QSize esquina, const Pluma& pluma, const Brocha& brocha) override {
    Agrega([=](Dispositivo& d) { d.RectanguloRedondeado(rect, esquina, pluma, brocha); });
  }
  void Imagen(const QRect& rect, const QImage& imagen) override {
    Agrega([=](Dispositivo& d) { d.Imagen(rect, imagen); });
  }

 private:
  using Paso = std::function<void(Dispositivo&)>;
  void Agrega(Paso paso) { paginas_[actual_].push_back(std::move(paso)); }

  std::unique_ptr<Dispositivo> destino_;
  std::vector<std::vector<Paso>> paginas_{1};
  size_t actual_ = 0;
};

}  // namespace

// --- Lienzo

Dispositivo* Lienzo::dispositivo() const { return impresora_.dispositivo_.get(); }

void Lienzo::Texto(int x, int y, const QString& texto) {
  if (Dispositivo* d = dispositivo()) d->Texto(QPoint(x, y), texto, fuente_, brocha_);
}

int Lienzo::AnchoTexto(const QString& texto) const {
  return static_cast<int>(std::lround(detalle::Metricas(fuente_, impresora_.Resolucion()).horizontalAdvance(texto)));
}

int Lienzo::AltoTexto(const QString&) const {
  const QFontMetricsF m = detalle::Metricas(fuente_, impresora_.Resolucion());
  return static_cast<int>(std::lround(m.ascent() + m.descent()));
}

void Lienzo::MueveA(int x, int y) { posicion_ = QPoint(x, y); }

void Lienzo::LineaA(int x, int y) {
  const QPoint hasta(x, y);
  if (Dispositivo* d = dispositivo()) d->Linea(posicion_, hasta, pluma_);
  posicion_ = hasta;
}

void Lienzo::Rectangulo(int x1, int y1, int x2, int y2) {
  if (Dispositivo* d = dispositivo()) d->Rectangulo(Rect(x1, y1, x2, y2), &pluma_, &brocha_);
}

void Lienzo::RellenaRectangulo(int x1, int y1, int x2, int y2) {
  if (Dispositivo* d = dispositivo()) d->Rectangulo(Rect(x1, y1, x2, y2), nullptr, &brocha_);
}

void Lienzo::RectanguloRedondeado(int x1, int y1, int x2, int y2, int anchoEsquina, int altoEsquina) {
  if (Dispositivo* d = dispositivo()) {
    d->RectanguloRedondeado(Rect(x1, y1, x2, y2), QSize(anchoEsquina, altoEsquina), pluma_, brocha_);
  }
}

void Lienzo::EstiraImagen(const QRect& rect, const QString& archivo) {
  Dispositivo* d = dispositivo();
  if (!d) return;
  d->Imagen(rect.normalized(), LeeImagen(archivo));
}

void Lienzo::TextoEnPagina(int pagina, int x, int y, const QString& texto) {
  auto* paginas = static_cast<PaginasDelTrabajo*>(dispositivo());
  if (!paginas) throw SinTrabajo();
  if (pagina < 1 || pagina > paginas->Paginas()) {
    throw plat::Error(plat::Clase::Estado, QStringLiteral("La impresión no tiene página %1").arg(pagina));
  }
  paginas->DibujaEn(pagina - 1);
  paginas->Texto(QPoint(x, y), texto, fuente_, brocha_);
  paginas->DibujaEn(paginas->Paginas() - 1);
}

void Lienzo::DibujaImagen(const QRect& rect, const QImage& imagen) {
  if (Dispositivo* d = dispositivo()) d->Imagen(rect.normalized(), imagen);
}

// --- Impresora

Impresora::Impresora() : lienzo_(*this) {}

Impresora& Impresora::Global() {
  static Impresora impresora;
  return impresora;
}

void Impresora::Restablece() {
  Aborta();
  indice_ = -1;
  version_ = detalle::VersionImpresoras();
  orientacion_ = Orientacion::Vertical;
  papel_ = Papel::Carta;
  lienzo_.fuente_ = Fuente();
  lienzo_.pluma_ = Pluma();
  lienzo_.brocha_ = Brocha();
  lienzo_.posicion_ = QPoint();
}

int Impresora::IndiceValido() const {
  const int total = static_cast<int>(Impresoras().size());
  // A choice made on a list that has since been replaced falls back to the
  // default printer.
  if (indice_ >= 0 && indice_ < total && version_ == detalle::VersionImpresoras()) return indice_;
  return ImpresoraPredeterminada();
}

int Impresora::Indice() const { return IndiceValido(); }

void Impresora::FijaIndice(int i) {
  if (Imprimiendo()) throw EnCurso();
  if (i < -1 || i >= static_cast<int>(Impresoras().size())) {
    throw plat::Error(plat::Clase::NoExiste, QStringLiteral("No existe la impresora número %1").arg(i));
  }
  indice_ = i;
  version_ = detalle::VersionImpresoras();
}

DatosImpresora Impresora::Seleccionada() const {
  const int i = IndiceValido();
  if (i < 0) throw plat::Error(plat::Clase::NoExiste, QStringLiteral("No hay ninguna impresora instalada"));
  return Impresoras()[static_cast<size_t>(i)];
}

void Impresora::FijaOrientacion(Orientacion o) {
  if (Imprimiendo()) throw EnCurso();
  orientacion_ = o;
}

void Impresora::FijaPapel(Papel p) {
  if (Imprimiendo()) throw EnCurso();
  papel_ = p;
}

int Impresora::Resolucion() const { return ResolucionImpresora(IndiceValido()); }

int Impresora::AnchoPagina() const { return detalle::TamanoPagina(papel_, orientacion_, Resolucion()).width(); }

int Impresora::AltoPagina() const { return detalle::TamanoPagina(papel_, orientacion_, Resolucion()).height(); }

void Impresora::Comienza(const QString& titulo) {
  if (Imprimiendo()) throw EnCurso();
  const DatosImpresora datos = Seleccionada();
  dispositivo_ = std::make_unique<PaginasDelTrabajo>(
      detalle::CreaDispositivo(datos, Resolucion(), papel_, orientacion_, titulo));
  pagina_ = 1;
}

void Impresora::NuevaPagina() {
  if (!Imprimiendo()) throw SinTrabajo();
  dispositivo_->NuevaPagina();
  ++pagina_;
}

void Impresora::Termina() {
  if (!Imprimiendo()) throw SinTrabajo();
  // The job is over whatever becomes of its output.
  std::unique_ptr<Dispositivo> dispositivo = std::move(dispositivo_);
  pagina_ = 0;
  dispositivo->Termina();
}

void Impresora::Aborta() {
  if (!Imprimiendo()) return;
  std::unique_ptr<Dispositivo> dispositivo = std::move(dispositivo_);
  pagina_ = 0;
  dispositivo->Aborta();
}

void Impresora::TrabajoVacio(const QString& titulo) {
  if (Imprimiendo()) throw EnCurso();
  const DatosImpresora datos = Seleccionada();
  if (datos.tipo == TipoImpresora::Cola) {
    EnviaCrudo(datos.nombre, QByteArray(), titulo);
    return;
  }
  Comienza(titulo);
  Termina();
}

void Impresora::ImprimeTexto(const QStringList& lineas, const QString& titulo) {
  if (Imprimiendo()) throw EnCurso();
  const DatosImpresora datos = Seleccionada();
  if (datos.tipo == TipoImpresora::Cola) {
    QByteArray bytes;
    for (const QString& linea : lineas) bytes += fs::ACp1252(linea) + "\r\n";
    EnviaCrudo(datos.nombre, bytes, titulo);
    return;
  }
  Comienza(titulo);
  try {
    const int alto = static_cast<int>(std::lround(detalle::Metricas(lienzo_.fuente_, Resolucion()).lineSpacing()));
    int y = 0;
    for (const QString& linea : lineas) {
      if (y > 0 && y + alto > AltoPagina()) {
        NuevaPagina();
        y = 0;
      }
      lienzo_.Texto(0, y, linea);
      y += alto;
    }
  } catch (...) {
    Aborta();
    throw;
  }
  Termina();
}

}  // namespace print
