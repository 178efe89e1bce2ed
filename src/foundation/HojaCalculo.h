#pragma once
// The spreadsheet program of the company (configuration line 31) opening an
// exported file. Every export of the program writes its file through
// platform/hoja/Hoja.h and then opens it here:
//
//   const QString nombre = hoja::NombreHoja(Guardar->FileName, agregaExtension);
//   hoja::Hoja salida(nombre);
//   for (...) salida.Agrega(fila, true);
//   salida.Cierra();
//   AbreHojaCalculo(nombre);
//
// A name ending in ".xlsx" makes a workbook whose amount cells are numbers;
// any other name gets the tab-separated text.

#include <QString>

// What the save dialog of an export offers under "Tipo de archivo": a
// workbook, tab-separated text, any name.
inline const QString kFiltroHojaCalculo =
    QStringLiteral("Hoja de cálculo (*.xlsx);;Texto separado por tabuladores (*.txt);;Todos los archivos (*)");

// Starts configuration line 31's program with the file's name in double
// quotes as its argument (the command line: the line, a blank, the quoted
// name), through the process layer, and does not wait for it. A program that
// is missing or wrong fails silently; the file stays.
void AbreHojaCalculo(const QString& nombre);
