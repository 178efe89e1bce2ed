#pragma once
// What the marks of a sales document mean: the kind letter that selects the
// branch of a save, the status in STATU_F and the text shown for it, the
// print mark TREGI_F and the capture phase in the header column proceso.
//
// A document is one header row (TEncabezadoDocumento) and its line rows
// (TPartidaDocumento) in the table pair of its kind (ParesDocumentoVenta).
// The number CLDOC_F alone is not unique: the lines of a document are the
// rows whose CLDOC_FD and CONTROL equal the header's CLDOC_F and CONTROL.

#include <QChar>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>

// TLetraDocumento: the letter of a kind text of the sale screen's kind
// selector ("Factura" F, "Remisión" R, "Pedido" P, "Cotización" and "Caja
// Chica" C, "Devolución" D, "Nota de Crédito" N); a null QChar for any other
// text. The save also takes "X" and "Z", which no kind text gives.
QChar LetraDocumento(const QString& tipo);

// TEstadoDocumento, the letters of STATU_F.
inline constexpr QChar kEstadoCancelada = u'C';
inline constexpr QChar kEstadoDevolucionTotal = u'D';
inline constexpr QChar kEstadoDevolucionParcial = u'P';
inline constexpr QChar kEstadoPagada = u'G';
inline constexpr QChar kEstadoEnEspera = u'E';

// The text the sale screen shows for a STATU_F value ("" is "Activa");
// nullopt for a value no status has.
std::optional<QString> TextoEstadoDocumento(const QString& estado);

// TREGI_F of a printed header, TREGI_FD of a cancelled line.
inline const QString kMarcaImpresa = QStringLiteral("I");
inline const QString kMarcaLineaCancelada = QStringLiteral("C");

// The control number of a moment: the fraction of the day elapsed at "now"
// times 100000, truncated (0 to 99999). A document drawn at New keeps it in
// CONTROL, and so does every line of it.
int NumeroControl();

// TEstadoCaptura, the phase of the document in the header column proceso.
inline const QString kFaseNueva = QStringLiteral("N");
inline const QString kFaseModificada = QStringLiteral("M");
inline const QString kFaseGuardada = QStringLiteral("G");

// A date and time as the header's date-time fields keep it: days since
// 30/12/1899 plus the elapsed fraction of the day.
double NumeroFechaHora(const QDateTime& momento);
// The time of such a number (its fraction of the day), to the nearest
// second.
QTime HoraDeNumero(double numero);

// The reading of a number typed or scanned into the document search box: a
// text longer than 5 characters that starts with "0000" (a zero-padded
// number read from a printed ticket) loses every leading "0" and
// `deTicket` is set; any other text comes back as it is and `deTicket` is
// left alone.
QString QuitaCerosBusqueda(const QString& texto, bool& deTicket);
