#include "reports/ModeloGrafica.h"

#include <algorithm>

const std::vector<QColor>& PaletaGrafica() {
  static const std::vector<QColor> paleta = {
      QColor(255, 0, 0),   QColor(0, 128, 0),   QColor(255, 255, 0), QColor(0, 0, 255),
      QColor(255, 128, 0), QColor(128, 128, 128), QColor(255, 0, 255), QColor(0, 128, 128),
      QColor(0, 0, 128),   QColor(128, 0, 0),   QColor(0, 255, 0),   QColor(128, 128, 0),
      QColor(128, 0, 128), QColor(192, 192, 192), QColor(0, 255, 255), QColor(0, 0, 0),
  };
  return paleta;
}

void SerieGrafica::Agrega(double x, double valor, const QString& etiqueta) {
  const std::vector<QColor>& paleta = PaletaGrafica();
  const QColor c = colorPorPunto ? paleta[puntos.size() % paleta.size()] : color;
  puntos.push_back({x, valor, etiqueta, c});
}

double SerieGrafica::MayorValor() const {
  if (puntos.empty()) return 0;
  return std::max_element(puntos.begin(), puntos.end(),
                          [](const PuntoGrafica& a, const PuntoGrafica& b) { return a.valor < b.valor; })
      ->valor;
}
