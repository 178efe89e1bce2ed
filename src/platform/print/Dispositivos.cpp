#include "platform/print/Dispositivos.h"

#include "platform/Error.h"
#include "platform/print/Cola.h"
#include "platform/print/Registro.h"

#include <QFile>
#include <QPageSize>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QTemporaryDir>

#include <cmath>

namespace print::detalle {

namespace {

// A paint device that only tells its resolution, to measure texts for a
// printer without opening a job on it.
class Medidor : public QPaintDevice {
 public:
  explicit Medidor(int ppp) : ppp_(ppp) {}
  QPaintEngine* paintEngine() const override { return nullptr; }

 protected:
  int metric(PaintDeviceMetric m) const override {
    switch (m) {
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY:
        return ppp_;
      case PdmDevicePixelRatio:
        return 1;
      case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
      default:
        return QPaintDevice::metric(m);
    }
  }

 private:
  int ppp_;
};

QPageSize::PageSizeId IdPapel(Papel papel) {
  switch (papel) {
    case Papel::Oficio: return QPageSize::Legal;
    case Papel::A4: return QPageSize::A4;
    case Papel::Carta: break;
  }
  return QPageSize::Letter;
}

QPen PlumaQt(const Pluma& pluma) {
  return QPen(QBrush(pluma.color), std::max(1, pluma.grosor), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Pages drawn by a QPrinter into a PDF file: the file of a PDF pseudo-printer,
// or a temporary one sent to a CUPS queue when the job ends.
class DispositivoQt : public Dispositivo {
 public:
  DispositivoQt(const DatosImpresora& datos, int ppp, Papel papel, Orientacion orientacion, const QString& titulo)
      : ppp_(ppp), titulo_(titulo) {
    if (datos.tipo == TipoImpresora::Cola) {
      cola_ = datos.nombre;
      if (!temporal_.isValid()) {
        throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo preparar el trabajo de impresión"));
      }
      archivo_ = temporal_.filePath(QStringLiteral("trabajo.pdf"));
    } else {
      archivo_ = datos.archivo;
    }
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(archivo_);
    printer_.setResolution(ppp);
    printer_.setFullPage(true);
    printer_.setPageSize(QPageSize(IdPapel(papel)));
    printer_.setPageOrientation(orientacion == Orientacion::Horizontal ? QPageLayout::Landscape
                                                                       : QPageLayout::Portrait);
    printer_.setDocName(titulo);
    if (!painter_.begin(&printer_)) {
      throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo abrir la impresión en %1").arg(archivo_));
    }
  }

  ~DispositivoQt() override {
    if (painter_.isActive()) painter_.end();
  }

  void NuevaPagina() override {
    if (!printer_.newPage()) throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo empezar otra página"));
  }

  void Termina() override {
    if (!painter_.end()) {
      throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo escribir la impresión en %1").arg(archivo_));
    }
    if (cola_.isEmpty()) return;
    QFile archivo(archivo_);
    if (!archivo.open(QIODevice::ReadOnly)) {
      throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo leer la impresión de %1").arg(archivo_));
    }
    EnviaPdf(cola_, archivo.readAll(), titulo_);
  }

  void Aborta() override {
    if (painter_.isActive()) painter_.end();
    QFile::remove(archivo_);
  }

  void Texto(QPoint punto, const QString& texto, const Fuente& fuente, const Brocha& fondo) override {
    const QFont qf = FuenteQt(fuente, ppp_);
    painter_.setFont(qf);
    painter_.setPen(fuente.color);
    painter_.setBackgroundMode(Qt::OpaqueMode);
    painter_.setBackground(QBrush(fondo.color));
    painter_.drawText(QPointF(punto.x(), punto.y() + QFontMetricsF(qf, &printer_).ascent()), texto);
  }

  void Linea(QPoint desde, QPoint hasta, const Pluma& pluma) override {
    painter_.setPen(PlumaQt(pluma));
    painter_.drawLine(desde, hasta);
  }

  void Rectangulo(const QRect& rect, const Pluma* pluma, const Brocha* brocha) override {
    painter_.setPen(pluma ? PlumaQt(*pluma) : QPen(Qt::NoPen));
    painter_.setBrush(brocha ? QBrush(brocha->color) : QBrush(Qt::NoBrush));
    painter_.drawRect(QRectF(rect));
  }

  void RectanguloRedondeado(const QRect& rect, QSize esquina, const Pluma& pluma, const Brocha& brocha) override {
    painter_.setPen(PlumaQt(pluma));
    painter_.setBrush(QBrush(brocha.color));
    painter_.drawRoundedRect(QRectF(rect), esquina.width() / 2.0, esquina.height() / 2.0);
  }

  void Imagen(const QRect& rect, const QImage& imagen) override { painter_.drawImage(QRectF(rect), imagen); }

 private:
  int ppp_;
  QString titulo_;
  QString cola_;
  QTemporaryDir temporal_;
  QString archivo_;
  QPrinter printer_{QPrinter::HighResolution};
  QPainter painter_;
};

std::vector<Operacion>& Grabadas() {
  static std::vector<Operacion> operaciones;
  return operaciones;
}

class DispositivoRegistro : public Dispositivo {
 public:
  DispositivoRegistro(const DatosImpresora& datos, const QString& titulo) : nombre_(datos.nombre) {
    Operacion op = Nueva(Operacion::Tipo::Comienza);
    op.texto = titulo;
    Grabadas().push_back(op);
  }

  void NuevaPagina() override {
    ++pagina_;
    Grabadas().push_back(Nueva(Operacion::Tipo::Pagina));
  }
  void Termina() override { Grabadas().push_back(Nueva(Operacion::Tipo::Termina)); }
  void Aborta() override { Grabadas().push_back(Nueva(Operacion::Tipo::Aborta)); }

  void Texto(QPoint punto, const QString& texto, const Fuente& fuente, const Brocha& fondo) override {
    Operacion op = Nueva(Operacion::Tipo::Texto);
    op.punto = punto;
    op.texto = texto;
    op.fuente = fuente;
    op.brocha = fondo;
    Grabadas().push_back(op);
  }

  void Linea(QPoint desde, QPoint hasta, const Pluma& pluma) override {
    Operacion op = Nueva(Operacion::Tipo::Linea);
    op.punto = desde;
    op.hasta = hasta;
    op.pluma = pluma;
    Grabadas().push_back(op);
  }

  void Rectangulo(const QRect& rect, const Pluma* pluma, const Brocha* brocha) override {
    Operacion op = Nueva(Operacion::Tipo::Rectangulo);
    op.rect = rect;
    op.conPluma = pluma != nullptr;
    op.conBrocha = brocha != nullptr;
    if (pluma) op.pluma = *pluma;
    if (brocha) op.brocha = *brocha;
    Grabadas().push_back(op);
  }

  void RectanguloRedondeado(const QRect& rect, QSize esquina, const Pluma& pluma, const Brocha& brocha) override {
    Operacion op = Nueva(Operacion::Tipo::Redondeado);
    op.rect = rect;
    op.esquina = esquina;
    op.conPluma = op.conBrocha = true;
    op.pluma = pluma;
    op.brocha = brocha;
    Grabadas().push_back(op);
  }

  void Imagen(const QRect& rect, const QImage& imagen) override {
    Operacion op = Nueva(Operacion::Tipo::Imagen);
    op.rect = rect;
    op.imagen = imagen.size();
    Grabadas().push_back(op);
  }

 private:
  Operacion Nueva(Operacion::Tipo tipo) const {
    Operacion op;
    op.tipo = tipo;
    op.impresora = nombre_;
    op.pagina = pagina_;
    return op;
  }

  QString nombre_;
  int pagina_ = 1;
};

}  // namespace

QString FamiliaQt(const QString& nombre) {
  // The Windows faces the system names and the metric-compatible faces that
  // stand for them, so texts measure as they did there: Arial and the
  // logical "System" in Liberation Sans, Courier New and the logical
  // "Courier" in Liberation Mono. Other names go to fontconfig as they are.
  static const struct {
    const char16_t* windows;
    const char16_t* local;
  } kFamilias[] = {
      {u"Arial", u"Liberation Sans"},
      {u"System", u"Liberation Sans"},
      {u"Courier New", u"Liberation Mono"},
      {u"Courier", u"Liberation Mono"},
  };
  for (const auto& f : kFamilias) {
    if (nombre.compare(QStringView(f.windows), Qt::CaseInsensitive) == 0) return QString::fromUtf16(f.local);
  }
  return nombre;
}

QFont FuenteQt(const Fuente& fuente, int ppp) {
  QFont f(FamiliaQt(fuente.nombre));
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(fuente.tamano * ppp / 72.0))));
  f.setBold(fuente.negrita);
  f.setItalic(fuente.cursiva);
  f.setUnderline(fuente.subrayada);
  return f;
}

QFontMetricsF Metricas(const Fuente& fuente, int ppp) {
  const Medidor medidor(ppp);
  return QFontMetricsF(FuenteQt(fuente, ppp), &medidor);
}

std::unique_ptr<Dispositivo> CreaDispositivo(const DatosImpresora& datos, int ppp, Papel papel,
                                             Orientacion orientacion, const QString& titulo) {
  if (datos.tipo == TipoImpresora::Registro) return std::make_unique<DispositivoRegistro>(datos, titulo);
  return std::make_unique<DispositivoQt>(datos, ppp, papel, orientacion, titulo);
}

QSize TamanoPagina(Papel papel, Orientacion orientacion, int ppp) {
  // From the paper's exact size, as a printer driver gives it (A4 at 300 dpi
  // is 2480 × 3508 dots).
  const QPageSize::PageSizeId id = IdPapel(papel);
  const double escala = QPageSize::definitionUnits(id) == QPageSize::Millimeter ? ppp / 25.4 : ppp;
  const QSizeF definicion = QPageSize::definitionSize(id);
  const QSize vertical(qRound(definicion.width() * escala), qRound(definicion.height() * escala));
  return orientacion == Orientacion::Horizontal ? vertical.transposed() : vertical;
}

}  // namespace print::detalle

namespace print {

std::vector<Operacion> OperacionesGrabadas() { return detalle::Grabadas(); }
void BorraOperacionesGrabadas() { detalle::Grabadas().clear(); }

}  // namespace print
