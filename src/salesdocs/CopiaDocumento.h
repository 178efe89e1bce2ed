#pragma once
// Commands of the sale screen that start a new document from lines that
// already exist: Generar > "Copia de Documento" (hidden item), an exact
// copy of the document on screen as a new remission.

#include <QString>

class QWidget;
class TFormaCapturaRapida;

// "Esta Seguro que Desea UNA COPIA EXACTA DEL DOCUMENTO <numero> ?"
// answered "Si".
bool ConfirmaCopiaDocumento(QWidget* padre, const QString& numero);

// Asks first; the copy is a new, unsaved remission whatever the kind of the
// source, with the same header data and lines.
void CopiadeDocumento1Click(TFormaCapturaRapida& p);

// Registro > "Reproducir Nota": a new document of the kind on screen with
// the lines and the customer of the document shown (right 20).
void Reproducir1Click(TFormaCapturaRapida& p);
// Registro > "Importar Cotización": asks for a quotation number and starts
// a new document from the quotation's header (all its same-named fields,
// number and CONTROL included) and lines. An empty or unknown number does
// nothing.
void ImportarCotizacin1Click(TFormaCapturaRapida& p);
// The lines of quotation `numero` (CotizarD.DBF in the folder of the
// screen's line table) into the capture, as a shown document's lines load.
void CargaPartidasCotizacion(TFormaCapturaRapida& p, const QString& numero);
