#include "formats/DibujoPagina.h"

#include "formats/Interprete_estado.h"
#include "platform/Error.h"
#include "platform/fs/Rutas.h"
#include "platform/print/Colores.h"
#include "platform/print/Imagen.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

namespace {

constexpr int kColumnas = 82;
constexpr int kLineas = 55;

int Trunc(double v) { return static_cast<int>(std::trunc(v)); }

// A column or line of a picture: the record keeps reals, the picture needs
// whole numbers.
int Entero(double valor) {
  if (valor != std::trunc(valor)) return EnteroArgumento(TextoNumero(valor));
  return static_cast<int>(valor);
}

class Trazador {
 public:
  Trazador(QSize tamano, const QString& rotulo) : tamano_(tamano), rotulo_(rotulo) {
    fuente_.setFamily(QStringLiteral("Arial"));
    fuente_.setPixelSize(11);
  }

  void Elemento(const TElementoPagina& e, std::vector<TrazoPagina>& trazos) {
    if (e.Tipo >= 0) Texto(e, trazos);
    else if (e.Tipo == kElementoImagen) Imagen(e, trazos);
    else if (e.Tipo == kElementoCuadro || e.Tipo == kElementoLinea) Cuadro(e, trazos);
  }

  void Rotulo(int pagina, std::vector<TrazoPagina>& trazos) const {
    trazos.push_back({TrazoPagina::Tipo::Texto, QPoint(tamano_.width() - 200, 2), {}, {},
                      QString::number(pagina) + QStringLiteral(" de ") + rotulo_, fuente_, color_, {}});
  }

 private:
  int X(double columna) const { return Trunc(columna * tamano_.width() / kColumnas); }
  int Y(double linea) const { return Trunc(linea * tamano_.height() / kLineas); }

  void Texto(const TElementoPagina& e, std::vector<TrazoPagina>& trazos) {
    if (e.X >= 80) return;
    if (const auto color = ColorFormato(e.Color)) color_ = *color;
    const int puntos = Trunc(e.Tipo * 0.25 * tamano_.width() / 181);
    fuente_.setFamily(e.Fuente);
    // Points on a screen of 96 pixels per inch.
    fuente_.setPixelSize(std::max(1, static_cast<int>(std::lround(puntos * 96.0 / 72.0))));
    int x;
    if (e.X == kColumnaCentrada) {
      const int ancho = QFontMetrics(fuente_).horizontalAdvance(e.Texto);
      x = ancho >= tamano_.width() ? 1 : static_cast<int>(std::lround((tamano_.width() - ancho) * 0.5));
    } else {
      x = X(e.X);
    }
    trazos.push_back({TrazoPagina::Tipo::Texto, QPoint(x, Y(e.Y)), {}, {}, e.Texto, fuente_, color_, {}});
  }

  void Imagen(const TElementoPagina& e, std::vector<TrazoPagina>& trazos) {
    const int columna = tamano_.width() / kColumnas;
    const int linea = tamano_.height() / kLineas;
    const int izquierda = Entero(e.X);
    const int arriba = Entero(e.Y);
    const int derecha = EnteroArgumento(e.Extra);
    const int abajo = EnteroArgumento(e.Fuente);
    if (!fs::ExisteArchivo(e.Texto)) return;
    TrazoPagina t;
    t.tipo = TrazoPagina::Tipo::Imagen;
    t.rect = QRect(QPoint(izquierda * columna, arriba * linea), QPoint(derecha * columna, abajo * linea));
    t.imagen = print::LeeImagen(fs::Local(e.Texto));
    trazos.push_back(std::move(t));
  }

  void Cuadro(const TElementoPagina& e, std::vector<TrazoPagina>& trazos) const {
    if (!e.Color.isEmpty()) print::ColorDeTexto(e.Color);  // the brush: only a colour the system knows
    const int x1 = X(e.X);
    const int y1 = Y(e.Y);
    const int x2 = X(NumeroArgumento(e.Texto));
    const QColor azul(0, 0, 255);
    if (e.Tipo == kElementoLinea) {
      trazos.push_back({TrazoPagina::Tipo::Linea, QPoint(x1, y1), QPoint(x2, y1), {}, {}, {}, azul, {}});
      return;
    }
    const int y2 = Y(NumeroArgumento(e.Extra));
    const QPoint esquinas[] = {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
    for (int i = 0; i < 4; ++i)
      trazos.push_back({TrazoPagina::Tipo::Linea, esquinas[i], esquinas[(i + 1) % 4], {}, {}, {}, azul, {}});
  }

  QSize tamano_;
  QString rotulo_;
  QFont fuente_;
  QColor color_ = Qt::black;
};

}  // namespace

PaginaDibujada TrazaPagina(const std::vector<TElementoPagina>* elementos, int pagina, QSize tamano,
                           const QString& rotulo) {
  PaginaDibujada r;
  r.tamano = tamano;
  r.marco = elementos ? QColor(0, 0, 255) : QColor(Qt::black);
  Trazador trazador(tamano, rotulo);
  if (elementos) {
    for (const TElementoPagina& e : *elementos) {
      if (e.NumeroPagina != pagina) continue;
      try {
        trazador.Elemento(e, r.trazos);
      } catch (const plat::Error& error) {
        r.error = error.mensaje();
        return r;
      }
    }
  }
  trazador.Rotulo(pagina, r.trazos);
  return r;
}

void PintaPagina(QPainter& pintor, const PaginaDibujada& pagina) {
  pintor.save();
  pintor.setPen(pagina.marco);
  pintor.setBrush(Qt::white);
  pintor.drawRect(QRect(QPoint(0, 0), pagina.tamano).adjusted(0, 0, -1, -1));
  pintor.setBrush(Qt::NoBrush);
  for (const TrazoPagina& t : pagina.trazos) {
    switch (t.tipo) {
      case TrazoPagina::Tipo::Texto:
        pintor.setFont(t.fuente);
        pintor.setPen(t.color);
        pintor.drawText(t.punto + QPoint(0, QFontMetrics(t.fuente).ascent()), t.texto);
        break;
      case TrazoPagina::Tipo::Imagen:
        pintor.drawImage(t.rect, t.imagen);
        break;
      case TrazoPagina::Tipo::Linea:
        pintor.setPen(t.color);
        pintor.drawLine(t.punto, t.hasta);
        break;
      case TrazoPagina::Tipo::Elipse:
        pintor.setPen(t.color);
        pintor.drawEllipse(t.rect);
        break;
    }
  }
  pintor.restore();
}
