#pragma once
// The multiple-document window "Multiple" (TFormaHotReporte) and the
// collection it keeps: the sale screen's Generar > "Agregar Documento" adds
// the document on screen, header and lines, and shows the window with one
// row per collected line, laid out by the column template Multiple.dat of
// the program folder. From the window the user goes back to add another
// document, removes the lines of one, or abandons the collection.
//
// One window lives for the whole run (created at start-up), so the
// collection survives between uses of the command. The collection is kept
// as rows of field names and values (ColeccionMultiple); Memo1 shows it in
// its text form and Memo2 shows the view, both rendered from the rows, so a
// value holding "|" never shifts the fields after it.
//
// Collection text (Memo1), one line each: the header's field names, each
// followed by "|", and the first document's values so; then for every
// document "*" and its number, and for each of its lines a names line and a
// values line, each replaced by "*" once the document is removed.

#include "platform/ui/Forma.h"

#include <QString>
#include <QStringList>
#include <QVector>

class QLabel;
class QListWidget;
class QMenuBar;
class QAction;
class QPlainTextEdit;
class QPushButton;
class TFormaCapturaRapida;

// One row of a table: its field names in field order and their values as
// text.
struct RenglonMultiple {
  QStringList nombres;
  QStringList valores;
};

// A collected document: its number, its header row, its lines; removed
// documents keep their place.
struct DocumentoMultiple {
  QString numero;
  RenglonMultiple encabezado;
  QVector<RenglonMultiple> partidas;
  bool eliminado = false;
};

struct ColeccionMultiple {
  // The header row of the first document ever added: the invoice's header.
  RenglonMultiple encabezado;
  QVector<DocumentoMultiple> documentos;

  bool Vacia() const { return documentos.isEmpty(); }
  // The documents not removed, in the order added.
  QStringList Numeros() const;
};

// The collection's text (Memo1), line by line.
QStringList TextoColeccionMultiple(const ColeccionMultiple& coleccion);

// The position, from 1, of a template item among the names (compared in
// capitals; the item itself is not converted, "$" left out); 0 when absent.
int ColumnaMultiple(const QString& item, const QStringList& nombres);
// One cell of the view: a money item ("$" first) formats its value with
// "###,##0.00" right-aligned in width + 1 characters, any other item pads
// its value to width + 1; a value longer than the width is cut to it as it
// stands. Two blanks follow every cell.
QString CeldaMultiple(const QString& valor, const QString& item, int ancho);
// The view rows of the collection through the template's first line (items
// ended by commas, text after the last comma ignored): one row per header
// or line row that the template names a field of.
QStringList MuestraPartidasMultiple(const QString& plantilla, const ColeccionMultiple& coleccion);

class TFormaHotReporte : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaHotReporte(QWidget* owner = nullptr);
  ~TFormaHotReporte() override;

  QMenuBar* MainMenu1;
  QAction* Prueba1;                  // "1": hidden by the command before every show
  QPlainTextEdit* Memo1;             // the collection, under Memo2
  QPlainTextEdit* Memo2;             // the view
  QListWidget* ListaDocumentos;      // the documents collected
  QLabel* LabelDocu;                 // "Partidas  " and the view's rows
  QLabel* LabelFacturaFinal;         // the last invoice generated
  QPushButton* BitBtn1;              // "Generar Documento"
  QPushButton* BitBtn2;              // "Eliminar"
  QPushButton* BitBtn3;              // "Cancelar Captura"
  QPushButton* BitBtn4;              // "Agregar Otro Documento"

  ColeccionMultiple Coleccion;

  // Adds the document on the screen's header row with its lines (those of
  // its CONTROL); a document already collected, or a discounted one after
  // the first, is refused with its message and nothing is added.
  void AgregaDocumentoMultiple(TFormaCapturaRapida& pantalla);
  // The merged invoice, written whole into FacturaE / FacturaD of the data
  // folder (numbered under the numbering lock; removed when a step fails):
  // the header of the first document collected, its amounts the sums of the
  // documents still listed, dated today with a control number of its own;
  // every line of the listed documents, whole, with the invoice's number
  // and control; then "F <n>," added to DESTI_F of the screen's document.
  // Tells "Se Genero el Documento <n>" and leaves n in LabelFacturaFinal.
  // Errors reach the caller with nothing written.
  qint64 GeneraFacturaMultiple(TFormaCapturaRapida& pantalla);
  // Memo1, Memo2 and LabelDocu from the collection and Multiple.dat.
  void MuestraColeccion();
  // The collection emptied.
  void LimpiaColeccion();

  void BitBtn1Click();  // "Generar Documento"
  void BitBtn2Click();  // "Eliminar"
  void BitBtn3Click();  // "Cancelar Captura"
  void BitBtn4Click();  // "Agregar Otro Documento"

 protected:
  void FormShow() override;
};

// CLPED_F := the invoice number of each listed document found in the
// screen's header table (opened apart, in the folder of its line table);
// numbers not found are skipped.
void MarcaDocumentosFacturados(TFormaCapturaRapida& pantalla, const QStringList& documentos, const QString& factura);

// Generar > "Agregar Documento": a document already invoiced (CLPED_F) is
// refused with "Esta Remisión ya se Facturo en el documento <x>"; otherwise
// it joins the collection and the window is shown. Multiple.dat missing
// fails with its error before the window shows; the document stays
// collected. Closed by "Generar Documento", the merged invoice is written,
// the documents marked and the collection emptied; an invoice that fails
// is told and the collection kept.
void AgregarDocumento1Click(TFormaCapturaRapida& pantalla);

inline TFormaHotReporte* FormaHotReporte() { return ui::InstanciaDe<TFormaHotReporte>().data(); }
