#pragma once
// The table browser of the Catálogos menu joined to the main window, with
// the record windows its drill-down opens and the product lookup of its F12.

class TFormaPrincipal;

void UneNavegadorCatalogos(TFormaPrincipal& principal);
