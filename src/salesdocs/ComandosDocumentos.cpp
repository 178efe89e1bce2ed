#include "salesdocs/ComandosDocumentos.h"

#include "pos/CaptuRap.h"
#include "pos/ComandosVenta.h"
#include "salesdocs/BuferVenta.h"
#include "salesdocs/FacturaRemision.h"

void UneDocumentosVenta() {
  UneComandosVenta(QStringLiteral("DocumentosVenta"), [](TFormaCapturaRapida& p) {
    TFormaCapturaRapida* pantalla = &p;
    p.EscribeBuferVenta = [pantalla](QChar letra) { GuardaVentaEnBufer(*pantalla, letra); };
    p.AsignaComando(p.Factura1, [pantalla] { Factura1Click(*pantalla); });
    p.AsignaComando(p.FacturaeImprimir1, [pantalla] { FacturaeImprimir1Click(*pantalla); });
    p.AsignaComando(p.Remisin1, [pantalla] { Remisin1Click(*pantalla); });
    p.AsignaComando(p.Pedido1, [pantalla] { Pedido1Click(*pantalla); });
    p.AsignaComando(p.Devolucin1, [pantalla] { Devolucin1Click(*pantalla); });
  });
}
