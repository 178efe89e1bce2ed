// The layout of the sale screen's client area: the grid on the left, the
// right panel centred in the room beside it, the totals at its bottom.

#include "platform/ui/Componentes.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"

#include <QLabel>

#include <algorithm>

void TFormaCapturaRapida::FormResize() {
  const int alto = Panel2->height();
  // The grid area fills its height; the grid is as wide as its area.
  const int detalle = std::clamp(Panel2->width() - Panel5->width(), 0, kAnchoDetalle);
  Panel4->setGeometry(0, 0, detalle, alto);
  Panel5->setGeometry(static_cast<int>((Panel2->width() - detalle) / 2.0 - Panel5->width() / 2.0 + detalle), 0,
                      Panel5->width(), alto);

  int u = static_cast<int>(PanelSuma->height() * 2.0 / 7.0 - 10);
  PanelSuma->move(PanelSuma->x(), Panel5->height() - PanelSuma->height() - 8);
  const bool digital = PanelSuma->font().family() == kFuenteDigital;
  if (!digital) u -= 4;
  for (QLabel* total : {SumarTotal, ImpuestoValor, TotalFact}) {
    QFont fuente = total->font();
    if (!digital) fuente.setFamily(PanelSuma->font().family());
    fuente.setPointSize(std::max(1, u - 1));
    total->setFont(fuente);
  }
  const int t = 1;
  SumarTotal->move(SumarTotal->x(), t);
  Label12->move(Label12->x(), t);
  ImpuestoValor->move(ImpuestoValor->x(), t + u + 9);
  Label22->move(Label22->x(), t + u + 14);
  TotalFact->move(TotalFact->x(), t + 2 * u + 18);
  Label24->move(Label24->x(), t + 2 * u + 22);
  LabelDescuento->move(LabelDescuento->x(), t + 3 * u + 27);
  Label14->move(Label14->x(), t + 3 * u + 30);

  // The captions share one width, the widest one's.
  int ancho = 0;
  for (QLabel* etiqueta : {Label12, Label22, Label24, Label14}) ancho = std::max(ancho, etiqueta->sizeHint().width());
  for (QLabel* etiqueta : {Label12, Label22, Label24, Label14}) etiqueta->resize(ancho, etiqueta->sizeHint().height());
  const int etiquetas = PanelSuma->width() - Label12->width() - 5;
  for (QLabel* total : {SumarTotal, ImpuestoValor, TotalFact}) {
    total->move(15, total->y());
    total->resize(std::max(0, etiquetas - 20), total->sizeHint().height());
    total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  for (QLabel* etiqueta : {Label12, Label22, Label24}) etiqueta->move(etiquetas, etiqueta->y());
  if (!digital) Label14->move(etiquetas, Label14->y());
  // The white rounded frame one pixel around the totals.
  PaintBox1->setGeometry(PanelSuma->geometry().adjusted(-1, -1, 1, 1));
}
