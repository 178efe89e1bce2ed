#include "salesdocs/ComandosDocumentos.h"

#include "pos/CaptuRap.h"
#include "pos/ComandosVenta.h"
#include "salesdocs/BuferVenta.h"
#include "salesdocs/CopiaDocumento.h"
#include "salesdocs/FacturaCierre.h"
#include "salesdocs/FacturaRemision.h"
#include "salesdocs/FormaDevolucion.h"
#include "salesdocs/RangoDocumentos.h"

#include <QAction>
#include <QMenuBar>

void UneDocumentosVenta() {
  UneComandosVenta(QStringLiteral("DocumentosVenta"), [](TFormaCapturaRapida& p) {
    TFormaCapturaRapida* pantalla = &p;
    p.EscribeBuferVenta = [pantalla](QChar letra) { GuardaVentaEnBufer(*pantalla, letra); };
    p.TerminaDerivadosPendientes = [pantalla] { TerminaFacturaRemisionPendiente(*pantalla); };
    p.AsignaComando(p.Factura1, [pantalla] { Factura1Click(*pantalla); });
    p.AsignaComando(p.FacturaeImprimir1, [pantalla] { FacturaeImprimir1Click(*pantalla); });
    p.AsignaComando(p.Remisin1, [pantalla] { Remisin1Click(*pantalla); });
    p.AsignaComando(p.Pedido1, [pantalla] { Pedido1Click(*pantalla); });
    p.AsignaComando(p.Devolucin1, [pantalla] { Devolucin1Click(*pantalla); });
    const auto item = [&p](const char* nombre) { return p.MainMenu1->findChild<QAction*>(QString::fromLatin1(nombre)); };
    if (QAction* a = item("RangodeDocumentos1")) p.AsignaComando(a, [pantalla] { RangodeDocumentos1Click(*pantalla); });
    if (QAction* a = item("CopiadeDocumento1")) p.AsignaComando(a, [pantalla] { CopiadeDocumento1Click(*pantalla); });
    if (QAction* a = item("FacturadeCierre1")) p.AsignaComando(a, [pantalla] { FacturadeCierre1Click(*pantalla); });
    if (QAction* a = item("Agregar1")) p.AsignaComando(a, [pantalla] { Agregar1Click(*pantalla); });
    if (QAction* a = item("Reproducir1")) p.AsignaComando(a, [pantalla] { Reproducir1Click(*pantalla); });
    if (QAction* a = item("ImportarCotizacin1")) p.AsignaComando(a, [pantalla] { ImportarCotizacin1Click(*pantalla); });
  });
}
