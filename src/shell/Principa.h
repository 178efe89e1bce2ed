#pragma once
// The main window, from its creation to its closing.
//
// It is created disabled and stays so until the company dialog accepts a
// login. Its show handler, which runs once before anybody logs in, prepares
// the working side of the program folder and the company tables that must
// exist (templates in tempo, the capture-table template DetaCR.db, the
// packing of the Paradox capture tables, the counters numeroc.dbf and
// numerof.dbf, the per-product totals Kardex.dbf, the Control and Bitacora
// folders, the start marker). Its first activation shows the company dialog
// (only while that dialog's Tag is 0, that is until the dialog has been
// activated once) and then follows the start options of rapida.cnf. Closing
// it writes the stop marker, closes the companion programs and the catalogue
// windows still open, deletes the engine's temporary query files and starts
// the exit-time program.
//
// The label Usuario holds the logged-in user's number as text; the module
// openers copy it into the Usuario label of the windows they open. It turns
// red when a capture table could not be packed at start (another copy of the
// program holds it).

#include "platform/ui/Forma.h"

#include <QString>
#include <QVector>

#include <functional>

class QAction;
class QLabel;
class QLineEdit;
class QTimer;
class QToolButton;
class TPapelTapiz;

namespace db {
class Catalogo;
}
namespace ui {
class Panel;
}

// The product title that opens the main window's caption.
inline const QString kTituloProducto = QStringLiteral("Vorlan");

// Texts of the start and stop marker inicio.vrl.
inline const QString kMarcaInicio = QStringLiteral("Inicio Perfecto");
inline const QString kMarcaFinal = QStringLiteral("Final Perfecto");
inline const QString kMarcaSinControl = QStringLiteral("XXXXXXX");

// A catalogue window of another subsystem (customers, suppliers, sellers,
// products, purchases), reached through its global instance.
struct VentanaCatalogo {
  std::function<ui::Forma*()> instancia;  // null while the window does not exist
  // Shown and closed when the program ends; the seller window, created for
  // the occasion, only gets its tables closed at a change of company.
  bool seCierraAlSalir = true;
};

class TFormaPrincipal : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaPrincipal(QWidget* owner = nullptr);

  // What the window reaches of later subsystems, which this unit cannot name;
  // the program body fills them in when it creates the window.
  // The registry of table layouts, for the tables the show handler makes.
  const db::Catalogo* Tablas = nullptr;
  // Opens the sale screen as the menu's "Captura Rápida" does; empty while
  // the program has no sale screen.
  std::function<void()> AbreCapturaRapida;
  // The catalogue windows, in the order customers, suppliers, sellers,
  // products, purchases.
  QVector<VentanaCatalogo> Catalogos;

  // Toolbar across the top, with its wallpaper and the exit button.
  ui::Panel* Panel1;
  TPapelTapiz* PapelTapiz2;
  QToolButton* BotonSalir;
  // The client panel: wallpaper, title labels, caption under the logo, user.
  ui::Panel* Panel3;
  TPapelTapiz* PapelTapiz1;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Usuario;
  // The logo with its picture and the "Captura Rápida" panel button.
  ui::Panel* Logo;
  QLabel* Image8;
  ui::Panel* Panel2;
  // The maintenance panel (hidden) and its path boxes.
  ui::Panel* Panel4;
  QLineEdit* EditRuta;
  QLineEdit* Edit1;
  // The clock timer: enabled by configuration line 71 when rapida.cnf exists;
  // nothing runs when it fires.
  QTimer* TimerHora;
  // The start options of the Configuración menu (check marks).
  QAction* IniciarenCapturaRpida1;  // "Iniciar en Captura Rápida (DETALLADA)"
  QAction* IniciarenCapturaRpida2;  // "Iniciar en Captura Rápida"
  QAction* ServidordeHorario1;      // "Servidor de Horario"
  QAction* ActualizarFechayHora1;   // "Actualizar Fecha y Hora"

  // Places the logo, the caption under it, the user label and the titles in
  // the middle of the window.
  void AcomodaFondo();
  // Writes the start options to rapida.cnf; only for the administrator
  // (Usuario "0"), for others the check marks change on screen only.
  void GuardaOpcionesInicio();
  // The sale screen opener of the logo and its panel button.
  void Panel2Click();

 signals:
  // The window was closed: the program ends.
  void Cerrada();

 protected:
  void FormShow() override;
  void FormActivate() override;
  void FormClose() override;
  void resizeEvent(QResizeEvent* evento) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void FormResize();
  // The capture tables of the program folder; false when DetaComp.db or
  // Detaminv.db could not be packed.
  bool PreparaTablasCaptura(const QString& programa);
  void CreaContadores(const QString& datos);
  void LeeOpcionesInicio();

  bool mostrada_ = false;
};

inline TFormaPrincipal* FormaPrincipal() { return ui::InstanciaDe<TFormaPrincipal>().data(); }

// Makes in `carpeta` an empty table named `archivo` with the fields and
// index tags of the same-named table of the data folder `datos`, over any
// table of that name there. Header tables are opened on their number tag.
// Throws plat::Error when the source cannot be opened or the copy made.
void CopiaEstructuraTabla(const QString& datos, const QString& carpeta, const QString& archivo);

// Appends to the counter table of the data folder one row whose NUMERO is
// the key field of the last row of the header table on the tag (0 when the
// header table is empty). Throws plat::Error.
void InicializaContador(const QString& datos, const QString& contador, const QString& encabezado,
                        const QString& tag, const QString& campo);

// <carpeta>\inicio.vrl rewritten with the text as its only line, only when it
// exists (Actualiza) or always (Escribe).
void ActualizaMarcaEjecucion(const QString& carpeta, const QString& texto);
void EscribeMarcaEjecucion(const QString& carpeta, const QString& texto);

// With configuration line 65 "N" (classic view): every wallpaper of the
// window turns grey ($808080, variant "x") and every white label black.
void AplicaVistaClasica(QWidget& ventana);

// Closes every table of the window (its child datasets) and sets its Tag to
// 0. Errors end the routine silently.
void CierraTablasVentana(ui::Forma* ventana);
// CierraTablasVentana on every catalogue window of the main window.
void CierraTablasCatalogos();
// Each catalogue window closed at the end of the program that is visible is
// brought forward and closed, so that its own closing checks run.
void CierraVentanasCatalogos();
