#pragma once
// Printing a text document (a help topic, a format's text) on the printer
// object as the text boxes print themselves: laid out on the printed page
// with half an inch of margin, as many pages as it takes, in one job.

#include <QString>

class QTextDocument;

// One job with the title given. An error of the printer aborts the job and
// reaches the caller.
void ImprimeDocumento(const QTextDocument& documento, const QString& titulo);
