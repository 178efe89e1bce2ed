#include "reports/Operador.h"

#include "platform/ui/Componentes.h"

#include <QFontMetrics>
#include <QPainter>

TFormaOperador::TFormaOperador(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaOperador>() = this;
  setObjectName(QStringLiteral("FormaOperador"));
  setWindowTitle(QStringLiteral("FormaOperador"));
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFixedSize(317, 85);
  ui::CentraEnPantalla(*this);
}

void TFormaOperador::paintEvent(QPaintEvent*) {
  QPainter pintor(this);
  // The legend's top-left corner at (20, 20).
  pintor.drawText(20, 20 + QFontMetrics(font()).ascent(), kLeyendaOperadores);
}
