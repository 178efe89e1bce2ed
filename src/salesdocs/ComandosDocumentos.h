#pragma once
// The commands of the sales documents on the sale screen: Generar >
// "Factura", "Factura e Imprimir" and the hidden conversions "Remisión",
// "Pedido" and "Devolución", "Rango de Documentos", the hidden "Factura de
// Cierre" and "Copia de Documento"; Registro > "Reproducir Nota",
// "Importar Cotización" and the hidden "Movimientos" > "Agregar" (the
// returns grid); and the buffer writer the screen's change and
// cancel call (EscribeBuferVenta). Joined once by the program body; every
// sale screen made after has them.

void UneDocumentosVenta();
