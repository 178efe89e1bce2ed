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
// shows the last preview until a new one is made.

#include "platform/ui/Forma.h"

#include <QString>
#include <QStringList>

#include <array>

class QAction;
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

  // The page drawn again from the preview file (clears anything drawn over it).
  void LimpiaBoceto();

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
