#pragma once
// Spreadsheet exports are tab-separated text files opened with the
// spreadsheet program the company names in configuration line 31.

#include <QString>

// Starts "<line 31> "<archivo>"" without waiting for it. A program that is
// not there or cannot start is not reported: the exported file stays where
// it was written.
void AbreHojaCalculo(const QString& archivo);
