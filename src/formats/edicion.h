#pragma once
// The format editor and the preview window: one window with two modes.
//
// Editor mode edits format files (.fmt): open, type, insert field references
// from the field lists define\*.cam (F2) and the field picker, insert a
// printer line, save with a question before replacing a file, print the
// text. Preview mode shows the pages a preview run of the interpreter left
// in tempo\format.tmp, one at a time, with notes laid over the page, and
// answers a print request through the Tag of BotonImprime.
//
// The mode is the Tag of the hidden text box Hoja: 1 editor, any other value
// preview, above 1 a preview that also saves a picture of the page in
// "c:\fact.bmp" when the window closes. It is given explicitly when the
// window is made (ModoEdicion); the modules preview through
// VistaPreviaFormato, which runs the whole protocol.
//
// The small page beside the editor is the page of the preview file too: it
// shows the last preview until a new one is made. "Compilar" checks every
// line of the format against the command signatures (lines it rejects turn
// red) and sketches the format on a layer of its own over that page, which
// stays until the page is cleared (Nuevo, Abrir, Guardar).
//
// The layout assistant ("Asistente") lays a new format out with the mouse:
// field boxes, label boxes and frames placed on an empty letter page of 80
// columns by 55 lines, moved with the mouse or Ctrl + arrows, filled from the
// field picker, and saved as one "@" line per box (fields first, then
// labels; frames are only guides). At most 100 field boxes, 100 label boxes
// and, in the life of the window, 25 frames.

#include "formats/DibujoPagina.h"
#include "platform/ui/Forma.h"

#include <QString>
#include <QStringList>

#include <array>
#include <span>
#include <utility>
#include <vector>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QMenuBar;
class QPainter;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QTextEdit;
class QLineEdit;

namespace db {
class Dataset;
}
namespace ui {
class DialogoArchivo;
class Panel;
}  // namespace ui

// One row of the command signatures of the syntax check: the command and
// the kinds of its arguments 1 to 5: "num" a number, "numE" a whole number,
// "campo" a value, "texto" a text, "letra" a word of letters, "archivo" a
// file name, a colour name (the colours the command takes), "-" (nothing is
// expected there; anything found is not judged) or empty (nothing may be
// there).
struct FirmaComando {
  QStringView comando;
  std::array<QStringView, 5> argumentos;
};

// The signatures, in the order the check looks them up. A line starting with
// "@" is the "@" command; any other line names the command whose first three
// letters it starts with.
std::span<const FirmaComando> FirmasComandos();

// The syntax check of one line: true when it passes, false when the editor
// marks it (an unknown start, or an argument not of its kind).
bool VerificaLineaFormato(const QString& linea);

enum class ModoEdicion {
  VistaPrevia = 0,
  Editor = 1,
  VistaPreviaConImagen = 2,  // also saves "c:\fact.bmp" when the window closes
};

class TFormaEdicion : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaEdicion(ModoEdicion modo, QWidget* owner = nullptr);

  // The mode kept in Hoja's Tag.
  ModoEdicion Modo() const;
  void FijaModo(ModoEdicion modo);
  bool EnEditor() const;

  QMenuBar* MainMenu1 = nullptr;
  QMenu* Archivo1 = nullptr;
  QAction* Nuevo1 = nullptr;
  QAction* Abrir1 = nullptr;
  QAction* Guardar1 = nullptr;
  QAction* GuardarComo1 = nullptr;
  QAction* Imprimir1 = nullptr;
  QAction* Salir1 = nullptr;
  QMenu* Ver1 = nullptr;
  QAction* AumentarEditor1 = nullptr;
  QAction* Fuentes1 = nullptr;
  QMenu* Herramientas1 = nullptr;
  QAction* ListadeCampos1 = nullptr;
  QAction* ListadeImpresoras1 = nullptr;
  QAction* Compilar1 = nullptr;
  QMenu* Papel1 = nullptr;
  QAction* Carta1 = nullptr;
  QAction* Oficio1 = nullptr;
  QAction* Ticket1 = nullptr;
  QMenu* Ayuda1 = nullptr;
  QAction* Temas1 = nullptr;

  // Editing toolbar.
  ui::Panel* PanelEdicion = nullptr;
  QPushButton* BotonNuevo = nullptr;
  QPushButton* BotonAbrir = nullptr;
  QPushButton* BotonGuardar = nullptr;
  QPushButton* BotonCopiar = nullptr;
  QPushButton* BotonCortar = nullptr;
  QPushButton* BotonPegar = nullptr;
  QPushButton* BotonAumentar = nullptr;
  QPushButton* BotonCampos = nullptr;
  QPushButton* BotonSintaxis = nullptr;
  QPushButton* Asistente = nullptr;  // its Tag is 1 while the assistant is on

  // The assistant's tool panel; its Tag is the current tool (0 none, 1 field
  // box, 2 label box, 3 frame).
  ui::Panel* Herramientas = nullptr;
  QPushButton* CajaCampo = nullptr;     // field box tool
  QPushButton* CajaTexto = nullptr;     // label box tool
  QPushButton* SpeedButton4 = nullptr;  // frame tool
  QPushButton* SpeedButton3 = nullptr;  // enlarge the page
  QPushButton* SpeedButton6 = nullptr;  // dot grid
  QPushButton* SpeedButton7 = nullptr;  // no action
  QLabel* LabelModulo = nullptr;
  QComboBox* TipoTabla = nullptr;       // the picker's table for the boxes

  // Preview toolbar.
  ui::Panel* PanelPresentacion = nullptr;
  QPushButton* BotonAumento = nullptr;
  QPushButton* BotonDisminuye = nullptr;
  QPushButton* BotonNotas = nullptr;
  QPushButton* SpeedButton1 = nullptr;  // "Guarda Imagen"
  QPushButton* SpeedButton2 = nullptr;  // "Muestra Comentarios"
  QSpinBox* NumerodePagina = nullptr;
  QLabel* Pagina = nullptr;
  QPushButton* BotonImprime = nullptr;
  QPushButton* BotonSalir = nullptr;

  // The editor.
  ui::Panel* panelCodigo = nullptr;
  QTextEdit* Codigo = nullptr;
  QListWidget* Campos = nullptr;
  QLabel* lineas = nullptr;
  QLabel* Posicion = nullptr;

  // The page.
  QScrollArea* Caja = nullptr;
  QFrame* marco = nullptr;
  QWidget* VistaPreliminar = nullptr;
  QPlainTextEdit* Comentario = nullptr;
  std::array<QLineEdit*, 10> Notas{};  // Edit1 .. Edit10

  QTextEdit* Hoja = nullptr;  // never shown; its Tag is the mode
  ui::DialogoArchivo* AbreFormato = nullptr;
  ui::DialogoArchivo* Guardaformato = nullptr;

  // The last entry chosen in the field picker, and its table.
  QString UltimoCampo;
  QString UltimaTabla;

  // Page shown, counted from 1, and the page layout (0 small, 1 letter,
  // 3 editor, 4 ticket).
  int PaginaActual() const { return paginaActual_; }
  int Distribucion() const { return distribucion_; }
  void FijaDistribucion(int distribucion);

  // Removes the sketch layer: the page shows the preview file again.
  void LimpiaBoceto();
  // The sketch layer: what the last check and the dot grid drew, in pixels
  // of the page; empty and off when the page is clear.
  bool HayBoceto() const { return hayBoceto_; }
  const std::vector<TrazoPagina>& Boceto() const { return boceto_; }

  // The syntax check and sketch of the whole text. An argument that the
  // sketch cannot read (a size or a picture corner that is no whole number,
  // a picture file that is no picture) ends it at that line with the error.
  void Compilar1Click();

  // Layout assistant.
  void AsistenteClick();
  bool AsistenteActivo() const;
  void EligeHerramienta(QPushButton* boton);
  // A click on the page at `punto` (page pixels) places an object of the
  // current tool there.
  void VistaPreliminarClick(QPoint punto);
  void SpeedButton6Click();
  // The boxes placed in this run of the assistant, in order.
  const std::vector<QLineEdit*>& CajasCampo() const { return cajasCampo_; }
  const std::vector<QLineEdit*>& CajasEtiqueta() const { return cajasEtiqueta_; }
  // The frames placed in the life of the window.
  int Cuadros() const { return cuadros_; }

  // Editor commands.
  void Nuevo1Click();
  void Abrir1Click();
  void Guardar1Click();
  void Imprimir1Click();
  void AumentarEditor1Click();
  void Fuentes1Click();
  void BotonCamposClick();
  void ListadeImpresoras1Click();
  void Temas1Click();

  // Preview commands.
  void BotonImprimeClick();
  void BotonNotasClick();
  void SpeedButton1Click();
  void SpeedButton2Click();

 protected:
  void FormShow() override;
  void FormActivate() override;
  void FormClose() override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  friend class PaginaVista;

  void Construye();
  void ConstruyeMenu();
  void ConstruyeEdicion();
  void ConstruyePresentacion();
  void ConstruyeEditor();
  void ConstruyeHoja();
  void FormResize();

  // Editor.
  void CargaArchivo(const QString& ruta);
  void SigueCursor();
  void MuestraListaCampos();
  void EligeEntradaCampos();
  bool TeclaEditor(int tecla);
  bool RatonEditor(Qt::MouseButton boton);

  // Preview.
  void VistaPreliminarPaint(QPainter& pintor);
  void VistaPreliminarMouseDown(Qt::MouseButton boton);
  void NumerodePaginaChange(const QString& texto);
  void MuestraComentario(bool visible);
  void ColocaNota(QWidget* nota);
  void NotaDblClick(int i);
  QImage ImagenPagina() const;
  void ReportaError(const QString& error);

  // Syntax check and sketch.
  void ColoreaLinea(int linea, const QColor& color);
  void DibujaLineaBoceto(const QString& linea);

  // Layout assistant.
  void ConstruyeHerramientas();
  void TerminaAsistente();
  void GuardaAsistente(const QString& ruta);
  QLineEdit* NuevaCaja(const QString& nombre, QPoint punto, bool conMarco);
  void ColocaCuadro(QPoint punto);
  // The box's place on the page grid: column and line, two decimals.
  std::pair<QString, QString> PosicionCaja(const QWidget* caja) const;
  void MuestraPosicion(QLineEdit* caja);
  bool EsCajaAsistente(const QLineEdit* caja) const;
  bool EventoCaja(QLineEdit* caja, QEvent* evento);
  void CajaDblClick(QLineEdit* caja);

  QString carpeta_;          // program folder, stored when the window is shown
  int lineasPagina_ = 55;
  int paginaActual_ = 1;
  int distribucion_ = 1;
  bool editorGrande_ = false;
  std::array<bool, 10> notaOcupada_{};
  bool comentarioColocado_ = false;
  QString errorReportado_;   // last drawing error shown, so a page shows it once
  QWidget* cliente_ = nullptr;
  QWidget* contenido_ = nullptr;

  // The sketch layer and the font it writes with, kept from one check to
  // the next.
  bool hayBoceto_ = false;
  std::vector<TrazoPagina> boceto_;
  bool bocetoConPuntos_ = false;
  QString fuenteBoceto_ = QStringLiteral("Arial");
  int tamanoBoceto_ = 8;
  QColor colorBoceto_ = Qt::black;

  std::vector<QLineEdit*> cajasCampo_;
  std::vector<QLineEdit*> cajasEtiqueta_;
  int cuadros_ = 0;
  bool herramientasColocadas_ = false;
};

inline TFormaEdicion* FormaEdicion() { return ui::InstanciaDe<TFormaEdicion>().data(); }

// The format editor as the report parameters dialog opens it: the open
// dialog starts in <program folder>\consulta.
void MuestraEditorFormatos();

struct OpcionesVistaPrevia {
  ModoEdicion modo = ModoEdicion::VistaPrevia;  // or VistaPreviaConImagen
  bool ofreceImpresion = true;    // the format is printed when the answer is print
  bool ventanaSinFormato = true;  // the window is shown (empty) when the format is missing
};

// The preview of a document or list: the window is made, the format runs in
// preview mode over the datasets ("El Formato <path> No Existe" when the
// file is missing), the window is shown, and when the user answers print
// (and the caller offers printing) the format runs again in print mode.
// True when it was printed. The caller sets the print user and the currency
// texts before. Errors of the runs reach the caller.
bool VistaPreviaFormato(db::Dataset* encabezado, db::Dataset* detalle, const QString& archivo,
                        const OpcionesVistaPrevia& opciones = {});
