#pragma once
// Printing on the printer object what is on screen: a text document (a help
// topic, a format's text) as the text boxes print themselves, and the picture
// of a window.

#include <QSize>
#include <QString>

class QImage;
class QTextDocument;

// The document laid out on the printed page with half an inch of margin, as
// many pages as it takes, in one job with the title given. An error of the printer aborts the job and
// reaches the caller.
void ImprimeDocumento(const QTextDocument& documento, const QString& titulo);

// The picture of a window (grabbed at `tamano` on a screen of `ppp` dots per
// inch) on one page, from its top-left corner, at the size the window has on
// the screen, or smaller when that does not fit the page; one job with the
// title given. An error of the printer aborts the job and reaches the caller.
void ImprimeVentana(const QImage& imagen, QSize tamano, int ppp, const QString& titulo);
