#pragma once
// An invoice made from the remission shown on the sale screen (Generar >
// "Factura" and "Factura e Imprimir").
//
// "Factura" writes the invoice straight into the invoice tables (FacturaE /
// FacturaD of the data folder, or of the folder rutaf.dat names): the
// header copied from the remission's, numbered the highest invoice + 1
// under the table's numbering lock, then one line per captured line with a
// key, then the remission marked REMIS_F "F" + the number. Written in that
// order as one whole: when a step fails, the invoice rows already written
// are removed, the remission stays unmarked (it can be invoiced again) and
// the user is told why. A paid invoice then gets its receipt row in
// Cucobrar.dbf (a failure there is ignored: the invoice stands), and the
// remission its log line. All of it is one unit of work of the station
// (UnidadTrabajo.h): a station killed at any write finishes the invoice,
// each row once, when the sale screen is next activated (or goes on
// undoing one it was undoing).
//
// "Factura e Imprimir" (shown when configuration line 86 is "S") asks
// first, converts the document into a new invoice through the buffer files
// and saves it with the screen's ordinary save (the number kept) as an
// invoice made from remissions: no stock and no movement rows (the
// remission took them), its lines marked "F" and the remission marked
// invoiced by the save itself. It comes back to the remission and prints
// nothing.

#include "foundation/UnidadTrabajo.h"
#include "foundation/ValoresFila.h"
#include "platform/db/Tabla.h"
#include "pos/PartidasDocumento.h"

#include <QLabel>
#include <QString>

#include <functional>

class QWidget;
class TFormaCapturaRapida;

inline const QString kDocumentoYaFacturado = QStringLiteral("El Documento ya se FACTURO...");
inline const QString kClienteNoExisteFactura =
    QStringLiteral("La Clave del Cliente no EXISTE es necesario darla de alta para Facturar");

void Factura1Click(TFormaCapturaRapida& p);
void FacturaeImprimir1Click(TFormaCapturaRapida& p);

// The invoice written and the remission marked, as above; throws (nothing
// left written) on failure. Returns the invoice number.
qint64 GeneraFacturaDeRemision(TFormaCapturaRapida& p);
// An invoice written whole into the open header table (ordered by
// "INUMENC") and line table: numbered the highest CLDOC_F + 1 under the
// header table's numbering lock, its header filled by `encabezado` (given
// the number; CLDOC_F is set after it) and posted, then its lines written by
// `lineas`, then its source marked by `marca` (both given the number as
// text). When a step fails, the invoice rows already written are removed and
// the error reaches the caller. Returns the number.
qint64 EscribeFactura(db::Tabla& encabezados, db::Tabla& partidas, const std::function<void(qint64)>& encabezado,
                      const std::function<void(const QString&)>& lineas,
                      const std::function<void(const QString&)>& marca);
// The values of one invoice line per capture row with a key (all but its
// number, CLDOC_FD).
QList<ValoresFila> CopiaPartidasAFactura(TFormaCapturaRapida& p, qint64 control);
// The values of the receipt row of an invoice not sold on credit, from the
// remission row (all but the invoice number, NUFAC_CC).
ValoresFila CobroFactura(const db::Dataset& remision);
// The receipt row appended to the open receivables table as the step "C"
// of the invoice's unit of work, NUFAC_CC the invoice number.
void RegistraCobroFactura(UnidadTrabajo& unidad, db::Tabla& cuentas, const ValoresFila& cobro, qint64 numero);
// The invoice's unit of work of the screen's station (FacturaRemision<n>.jnl
// of its program folder); null without a station.
UnidadTrabajo* DiarioFactura(TFormaCapturaRapida& p);
// An invoice the screen's station left unfinished (killed at any of its
// writes) finished, or undone when it was being undone; false after a
// message when it could not be (it stays for the next try).
bool TerminaFacturaRemisionPendiente(TFormaCapturaRapida& p);
// "Crédito", "Credito" or "CREDITO".
bool EsPagoCredito(const QString& tipoPago);

// "Esta Seguro que Desea GENERAR LA FACTURA ?": true when answered "Si".
bool ConfirmaGenerarFactura(QWidget* padre);
// The customer's name, addresses, RFC and postal code (the row `cliente`
// stands on) into a sale window's captions (the sale screen and the legacy
// document window name them alike).
template <class Ventana>
void MuestraClienteFactura(Ventana& p, const db::Dataset& cliente) {
  const std::pair<const char*, QLabel*> captions[] = {{"NOMBR_C", p.Nombre},    {"DIREC_C", p.Direccion},
                                                      {"DIRE2_C", p.Direc2},    {"POBLA_C", p.Poblacion},
                                                      {"RFCXX_C", p.RFC},       {"CPXXX_C", p.CodigoPostal}};
  for (const auto& [campo, etiqueta] : captions)
    etiqueta->setText(cliente.FieldByName(QString::fromLatin1(campo)).AsString());
}
