#pragma once
// The process-wide printer object and its canvas.
//
// One object stands for "the printer" of the whole program: the printer
// selected from the list (Impresoras.h), the page orientation and paper, and
// the canvas's font, pen and brush. All of these stay as the last caller left
// them, from one print job to the next, until changed again.
//
// Positions and sizes are device units of the selected printer: its dots, at
// its resolution, counted from the top-left corner of the paper (a letter
// page at 600 dpi is 5100 × 6600 units). Font sizes are points.
//
// Drawing happens only while a job is open (Comienza .. Termina); outside a
// job the canvas measures texts and ignores drawing, so code may run the
// same drawing steps with no job and leave no mark. A job keeps its pages
// until it ends: they reach the device (the PDF file, the queue) at Termina,
// and a text may still be added to an earlier page meanwhile.
//
// Errors are plat::Error: NoExiste when there is no printer to print on,
// Estado for a call the job state does not allow (changing the printer,
// orientation or paper while a job is open; a page or an end with no job),
// Io when the pages cannot be written or sent.

#include "platform/print/Impresoras.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>

namespace print {

enum class Orientacion { Vertical, Horizontal };
enum class Papel { Carta, Oficio, A4 };  // letter, legal, A4

struct Fuente {
  QString nombre = QStringLiteral("Arial");
  int tamano = 10;  // points
  bool negrita = false;
  bool cursiva = false;
  bool subrayada = false;
  QColor color = Qt::black;
};

struct Pluma {
  int grosor = 1;  // device units; 0 draws as 1
  QColor color = Qt::black;
};

// Fills shapes and the background behind texts.
struct Brocha {
  QColor color = Qt::white;
};

class Impresora;

// Output of one job; the printer object makes one per job for the selected
// printer's kind.
class Dispositivo {
 public:
  virtual ~Dispositivo() = default;
  virtual void NuevaPagina() = 0;
  // Ends the job: pages written, closed and, for a queue, sent.
  virtual void Termina() = 0;
  // Ends the job without output.
  virtual void Aborta() = 0;
  // A text whose cell's top-left corner is `punto`, drawn on an opaque
  // background of the brush colour.
  virtual void Texto(QPoint punto, const QString& texto, const Fuente& fuente, const Brocha& fondo) = 0;
  virtual void Linea(QPoint desde, QPoint hasta, const Pluma& pluma) = 0;
  // A rectangle outlined with the pen (none when null) and filled with the
  // brush (none when null).
  virtual void Rectangulo(const QRect& rect, const Pluma* pluma, const Brocha* brocha) = 0;
  virtual void RectanguloRedondeado(const QRect& rect, QSize esquina, const Pluma& pluma, const Brocha& brocha) = 0;
  virtual void Imagen(const QRect& rect, const QImage& imagen) = 0;
};

// The canvas of the printer object.
class Lienzo {
 public:
  Fuente& fuente() { return fuente_; }
  Pluma& pluma() { return pluma_; }
  Brocha& brocha() { return brocha_; }

  // Writes a text with its cell's top-left corner at (x, y), in the font,
  // on an opaque background of the brush colour.
  void Texto(int x, int y, const QString& texto);
  // Width and height of a text in the current font, in device units.
  int AnchoTexto(const QString& texto) const;
  int AltoTexto(const QString& texto) const;

  // The pen position and a line from it, as a drawing pen moves.
  void MueveA(int x, int y);
  void LineaA(int x, int y);
  // A rectangle from (x1, y1) to (x2, y2): outlined with the pen, filled
  // with the brush.
  void Rectangulo(int x1, int y1, int x2, int y2);
  // Fills the rectangle with the brush, without an outline.
  void RellenaRectangulo(int x1, int y1, int x2, int y2);
  // A rectangle with rounded corners: the corners are quarters of an ellipse
  // of the given width and height.
  void RectanguloRedondeado(int x1, int y1, int x2, int y2, int anchoEsquina, int altoEsquina);
  // The picture of a local file (JPEG, BMP, PNG: LeeImagen) stretched into
  // the rectangle. Throws plat::Error (NoExiste, Corrupto) when it cannot be
  // read.
  void EstiraImagen(const QRect& rect, const QString& archivo);
  // Writes a text on page `pagina` (from 1) of the open job, in the current
  // font and brush, as Texto does on the current page: for a text known only
  // after its page was left, such as a page total. Throws plat::Error
  // (Estado) with no job open or a page the job does not have.
  void TextoEnPagina(int pagina, int x, int y, const QString& texto);
  // A picture drawn in memory, stretched into the rectangle.
  void DibujaImagen(const QRect& rect, const QImage& imagen);

 private:
  friend class Impresora;
  explicit Lienzo(Impresora& impresora) : impresora_(impresora) {}
  Dispositivo* dispositivo() const;

  Impresora& impresora_;
  Fuente fuente_;
  Pluma pluma_;
  Brocha brocha_;
  QPoint posicion_;
};

class Impresora {
 public:
  static Impresora& Global();

  // Back to the state the program starts with: no job, the default printer,
  // portrait letter paper, the canvas's first font, pen and brush. An open
  // job is aborted.
  void Restablece();

  // --- choice of printer
  QStringList Nombres() const { return NombresImpresoras(); }
  // Index of the selected printer in the list: the default one until another
  // is chosen; −1 when the list is empty.
  int Indice() const;
  // Selects printer i of the list; −1 selects the default printer again.
  // Throws NoExiste for an index outside the list, Estado while printing.
  void FijaIndice(int i);
  // The selected printer. Throws NoExiste when there is none.
  DatosImpresora Seleccionada() const;

  // --- page settings
  Orientacion orientacion() const { return orientacion_; }
  void FijaOrientacion(Orientacion o);  // Estado while printing
  Papel papel() const { return papel_; }
  void FijaPapel(Papel p);              // Estado while printing
  // Resolution of the selected printer (dots per inch) and the page size in
  // device units, oriented.
  int Resolucion() const;
  int AnchoPagina() const;
  int AltoPagina() const;

  // --- the job
  void Comienza(const QString& titulo = QString());
  void NuevaPagina();
  void Termina();
  // Ends an open job without output; nothing when no job is open.
  void Aborta();
  bool Imprimiendo() const { return static_cast<bool>(dispositivo_); }
  int NumeroPagina() const { return pagina_; }

  Lienzo& lienzo() { return lienzo_; }

  // Prints plain text lines as one job on the selected printer: a queue gets
  // them as raw text (Windows-1252, each line ended by CR LF), so a receipt
  // or dot-matrix printer prints them in its own font; a pseudo-printer
  // draws them one under the other in the canvas font, on as many pages as
  // they take. Estado while a job is open.
  void ImprimeTexto(const QStringList& lineas, const QString& titulo = QString());
  // Starts a job on the selected printer and ends it at once with nothing
  // printed: a queue gets an empty raw job (a receipt printer opens its cash
  // drawer when it receives one), a pseudo-printer an empty job. Estado
  // while a job is open.
  void TrabajoVacio(const QString& titulo = QString());

 private:
  friend class Lienzo;
  Impresora();
  int IndiceValido() const;

  Lienzo lienzo_;
  int indice_ = -1;  // −1: the default printer
  int version_ = 0;  // list version the choice was made on
  Orientacion orientacion_ = Orientacion::Vertical;
  Papel papel_ = Papel::Carta;
  std::unique_ptr<Dispositivo> dispositivo_;
  int pagina_ = 0;
};

}  // namespace print
