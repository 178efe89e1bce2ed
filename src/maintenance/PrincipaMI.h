#pragma once
// The inventory movement rebuild tool of the main window's maintenance panel
// (TFormaPrincipal::Panel4).
//
// It checks, for every saved document of five kinds, that its movement rows
// in MOVINVEN.DBF match its lines (one row per line, two for a cancelled
// document: the row of the document and the row that undid it), lists those
// that do not in MemoMov, rewrites their rows from their lines, and then sets
// each product's stock to the total of its movement rows (entries minus
// exits), leaving alone a product whose stock changed while the recount ran.
// The rows of a document are linked to it by NUDOC_MI = reference letter +
// number + "-" + CONTROL.
//
// It runs as a state machine, one step (Paso) per call, from -8 to 8:
//   -8..-4  check the remissions, invoices, returns, purchase receipts and
//           returns to supplier, one header per step; each kind moves on at
//           the end of its headers, and one kind further whenever the list
//           holds more than 100 lines (never past -3);
//   -3..-1  regenerate the listed documents, one line of the list per step;
//   0..8    rebuild the work table MI.dbf of the program folder, record each
//           product's stock, total the movement rows (20 per step, deleting
//           rows of concept 0 or below), read the stock again, and add the
//           difference to every product whose stock did not move meanwhile.
// Label5 shows the state after every step; Label4 the progress and, at the
// end, the products changed followed by " <n>  Actualizados".
//
// Nothing in the program runs it: its steps rewrite every product's stock
// from the movement rows, which are whole only when every writer writes them
// (the sale screen writes none while its movement option is off). "Pruebas"
// only sets the state to -8 and enables TimerMI, whose handler runs no step;
// "Iniciar" is hidden. Callers (tests) run the steps with Paso.
//
// Folders: headers and lines in the folder typed in EditRuta (the data
// folder), the remission tables in the remission folder of configuration
// line 63 when it is set; movements and products in the folder of line 59
// when it is set, else in EditRuta's.
//
// Errors: a listed number the header table does not hold is skipped; any
// other failure (a table missing or held exclusively elsewhere) ends the
// step with the table layer's plat::Error, the state unchanged and TimerMI
// left off. A product another station holds when its stock is set is
// passed over.

#include <QDate>
#include <QObject>
#include <QString>

#include <array>
#include <memory>

class TFormaPrincipal;
namespace db {
class Tabla;
}

// The kinds of document the tool checks, in the order it checks them.
enum class DocumentoMI { Remision, Factura, Devolucion, Compra, DevolucionCompra };

struct TipoDocumentoMI {
  DocumentoMI documento;
  QChar lista;              // first letter of its lines in the discrepancy list
  QString encabezado;       // header table
  QString partidas;         // line table
  QString tagEncabezado;    // on the number
  QString tagPartidas;      // on the number text of the lines
  bool compra;              // purchase layouts (_O, _OD) instead of sales (_F, _FD)
  QChar referencia;         // first letter of NUDOC_MI, as the document's writer writes it
  int conceptoActivo;       // concept of the document's rows
  int conceptoCancelacion;  // concept of the rows that undid a cancelled document
};

const TipoDocumentoMI& TipoMI(DocumentoMI documento);
// The kind whose list letter is `letra`; nullptr for any other letter.
const TipoDocumentoMI* TipoMIDeLista(QChar letra);

// The records a table file holds by its size: (file size) / (record size),
// truncated (the header counts as records, so it is an estimate).
qint64 CuentaRegistrosArchivo(const db::Tabla& tabla);

class THerramientaMI : public QObject {
  Q_OBJECT
 public:
  // Joins the tool to the window's panel (it becomes the window's child):
  // BotonMI and BitBtn1 run their handlers, TimerMI its handler.
  explicit THerramientaMI(TFormaPrincipal& principal);
  ~THerramientaMI() override;

  int EstadoMI() const { return estado_; }
  qint64 ContadorMI() const { return contador_; }
  qint64 EstimadoMI() const { return estimado_; }

  // "Iniciar": the clock timer off, MI.dbf rebuilt, the movement table open
  // (EstimadoMI: its rows - 1), the state -8 and TimerMI enabled.
  void BotonMIClick();
  // "Pruebas": the state -8 and TimerMI enabled.
  void BitBtn1Click();
  // TimerMI's handler: runs no step (see the top of this file).
  void TimerMITimer();

  // One step of the state machine.
  void Paso();

  // State 0's preparation: MI.dbf deleted with its index and made again by
  // CREATE TABLE, opened on CLAVE; TablaMI on the movement table (no tag);
  // EstimadoMI := CuentaRegistrosArchivo of it; ContadorMI := 0.
  void PreparaTablaMI();

  // --- The check and regeneration of one kind's documents.

  // Closes TablaE, TablaD and TablaMI and opens them on the kind's header
  // table (on its number tag), line table and the movement table (on
  // NUDOC_MI); EditClave shows the header's number; stands on the first
  // header.
  void AbreTablasDocumento(const TipoDocumentoMI& tipo);
  // Checks the current header of the open kind and moves to the next; true
  // when there was none (the end of the headers). A document whose rows do
  // not match its lines gets its line in MemoMov: list letter + number + ","
  // + control + "," + lines + "," + rows, and ",C" when cancelled. Invoices
  // without an origin (CLPED_F) are passed over.
  bool RevisaMovimientos(DocumentoMI documento);
  bool RevisaMovimientosRemision() { return RevisaMovimientos(DocumentoMI::Remision); }
  bool RevisaMovimientosFactura() { return RevisaMovimientos(DocumentoMI::Factura); }
  bool RevisaMovimientosDevolucion() { return RevisaMovimientos(DocumentoMI::Devolucion); }
  bool RevisaMovimientosCompra() { return RevisaMovimientos(DocumentoMI::Compra); }
  bool RevisaMovimientosDevolCom() { return RevisaMovimientos(DocumentoMI::DevolucionCompra); }
  // Rewrites the rows of the document of line `indice` of MemoMov (the open
  // kind's tables): its old rows are deleted (each logged in borrados.dat)
  // and one row per line written with the kind's concept; a cancelled
  // document gets a second pass with the cancellation concept.
  void RegeneraMovimientos(DocumentoMI documento, int indice);
  void RegeneraMovimientosRemision(int indice) { RegeneraMovimientos(DocumentoMI::Remision, indice); }
  void RegeneraMovimientosFactura(int indice) { RegeneraMovimientos(DocumentoMI::Factura, indice); }
  void RegeneraMovimientosDevolucion(int indice) { RegeneraMovimientos(DocumentoMI::Devolucion, indice); }
  void RegeneraMovimientosCompra(int indice) { RegeneraMovimientos(DocumentoMI::Compra, indice); }
  void RegeneraMovimientosDevolCom(int indice) { RegeneraMovimientos(DocumentoMI::DevolucionCompra, indice); }
  // One pass over the current document's lines (TablaD, in its range and
  // filter) appending a movement row per line, every row of the pass under
  // one new movement number (last CLDOC_MI + 1, taken under the table's
  // numbering lock). A first pass (marca not "C") deletes the rows in the
  // movement table's range first. Sales lines of quantity 0 or less get no
  // row; purchase lines always do.
  void GeneraMovimientosVenta(const QString& control, const QString& marca, const QDate& fecha,
                              const QString& referencia, int concepto);
  void GeneraMovimientosCompra(const QString& control, const QString& marca, const QDate& fecha,
                               const QString& referencia, int concepto);
  // Deletes every row in the movement table's range, each first logged with
  // RegistraBorrado.
  void BorraMovimientosRango();

 private:
  // A new run: the state -8 and every kind's tables to be opened again.
  void Reinicia();
  void PasoRevision(int indiceTipo);
  void PasoRegeneracion();
  void PasoProductos();
  void PasoMovimientos();
  void PasoActuales();
  void PasoAjuste();
  void Termina();
  // MI.dbf; plat::Error (Estado) when it is not open.
  db::Tabla& MI() const;
  void SueltaMI();
  // TablaMI on a table of the movement folder.
  void AbreTablaMI(const QString& archivo, const QString& tag);
  static void AbreTablaEn(db::Tabla& tabla, const QString& carpeta, const QString& archivo, const QString& tag);
  // The lines of the current document (TablaD) and the movement rows of a
  // reference (TablaMI).
  void LimitaPartidas(const QString& numero, const QString& control);
  void LimitaMovimientos(const QString& clave);
  void GeneraMovimientos(bool compra, const QString& control, const QString& marca, const QDate& fecha,
                         const QString& referencia, int concepto);
  // The folder of a company table when the company keeps it apart from its
  // data folder (configuration lines 59 and 63), else EditRuta's.
  QString CarpetaOEditRuta(const QString& archivo) const;
  int LineasLista() const;
  QString LineaLista(int indice) const;

  TFormaPrincipal& p_;
  int estado_ = -8;
  std::array<bool, 5> abiertas_{};  // the kind's tables were opened by its check
  QChar letraActual_;               // the kind whose tables the regeneration has open
  int indiceLista_ = 0;
  qint64 contador_ = 0;
  qint64 estimado_ = 0;
  std::unique_ptr<db::Tabla> mi_;  // MI.dbf
  bool detenido_ = false;          // the step stopped the timer for good
};

// Joins the tool to the main window; the program body calls it once.
THerramientaMI* UneHerramientaMI(TFormaPrincipal& principal);
// The tool joined to the window; nullptr when none.
THerramientaMI* HerramientaMI(const TFormaPrincipal& principal);
