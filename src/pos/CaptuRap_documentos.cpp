// The status of the document on the sale screen.

#include "pos/CaptuRap.h"
#include "pos/DocumentosVenta.h"

#include <QAction>
#include <QLabel>

void TFormaCapturaRapida::MuestraEstadoDocumento() {
  if (!TablaFacturae->Active()) return;
  const auto campo = [this](const char* nombre) {
    return TablaFacturae->FieldByName(QString::fromLatin1(nombre)).AsString();
  };
  const QString estado = campo("STATU_F");
  const std::optional<QString> texto = TextoEstadoDocumento(estado);
  if (estado == QString(kEstadoCancelada)) {
    Estado->setText(*texto);
    Permite(Cancelar1, false);
    return;
  }
  // A status no text stands for leaves the text of the document before.
  if (texto) {
    const QString generado = campo("REMIS_F");
    Estado->setText(generado.isEmpty() ? *texto : *texto + QStringLiteral(" Genero ") + generado);
  }
  const bool impresa = campo("TREGI_F") == kMarcaImpresa;
  if (impresa)
    Impresa->setText(campo("PAGOX_F").isEmpty() ? QStringLiteral("Impresa") : QStringLiteral("Impresa PAGADA"));
  else
    Impresa->setText(QStringLiteral("No Impresa"));
  ImpresoBitmap->setVisible(impresa);
  Permite(Cancelar1, true);
}
