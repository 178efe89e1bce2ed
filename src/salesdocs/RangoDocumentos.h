#pragma once
// Generar > "Rango de Documentos": one new document of another kind made
// from the live lines of a list or range of documents of the kind on
// screen, left in capture for the user to save.

#include "platform/ui/Forma.h"

#include <QChar>
#include <QString>

#include <optional>

class QLineEdit;
class QPushButton;
class QRadioButton;
class TFormaCapturaRapida;

// The range and the kind to make. "Generar" answers Tag 1 (refused, the
// window kept open, while no kind is chosen), "Cancelar" Tag 0.
class TFormaRango : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaRango(QWidget* owner = nullptr);

  QLineEdit* Edit1;
  QRadioButton *Factura, *Remision, *Pedido;
  QPushButton *BitBtn1, *BitBtn2;

  // The kinds offered for the kind on screen ("Cotización": all three,
  // "Pedido": invoice and remission, "Remisión": invoice).
  void HabilitaPorBase(const QString& base);
  // "F", "R" or "P": the first letter of the chosen kind; null when none.
  QChar LetraElegida() const;

  void BitBtn1Click();
  void BitBtn2Click();
};

inline const QString kSinDocumentosRango =
    QStringLiteral("No se puede generar una factura no hay documentos en este rango...");

// The range dialog for a window showing the kind `base`: the kind chosen
// ("F", "R" or "P") and the range typed, or nothing when cancelled.
struct EleccionRango {
  QChar letra;
  QString rango;
};
std::optional<EleccionRango> PideRangoDocumentos(QWidget* padre, const QString& base);

void RangodeDocumentos1Click(TFormaCapturaRapida& p);
