#pragma once
// The sale screen's commands of the document search and the multiple-document
// window: Registro > "Busqueda Avanzada" (the advanced search over the family
// on screen, BuscarSQL.h) and Generar > "Agregar Documento" (the collection
// of documents, HotReporte.h). Joined once by the program body (UneComandosVenta);
// every sale screen made after has them.

class TFormaCapturaRapida;

void UneBusquedaDocumentos();

// Registro > "Busqueda Avanzada": the capture's pending line posted, the
// search shown over the family's header and line tables; the document
// chosen is shown. During a capture the search only looks: a document
// chosen is not shown, so the sale in capture stays as it is.
void BusquedaAvanzada1Click(TFormaCapturaRapida& pantalla);
