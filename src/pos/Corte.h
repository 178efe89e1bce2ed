#pragma once
// The cash cut: Cortes.DBF of the data folder (tag CORTE), one row per cut
// with the range of sale documents it closes, and the list file
// Cortes\Cortes.dat of the data folder, the readable lines of the window's
// list of cuts.
//
// TFormaCorte ("FormaCorte") makes cuts and serves the cash-cut reports as a
// picker of a cut. Its upper panel holds the read-only grid of Cortes.DBF,
// the list ListaCortes, "De" (Edit1), "Hasta" (Edit2), the password edit
// "Contraseña" (Clave), "Agregar Corte" (BotonCorte) and "Aceptar"
// (BotonAceptar); the lower panel a date (Edit3) and "Cambiar Hora", which
// stay disabled. Both panels start disabled; "Agregar Corte", "Aceptar" and
// the password with its label start hidden. The caller fills LabelRuta (data
// folder), LabelDocumento (last document number) and Usuario (user number),
// enables and shows what it needs, shows the window modally and reads Tag
// (2: a cut was chosen with "Aceptar") and the texts of "De" and "Hasta":
//
//   TFormaCorte corte;
//   corte.LabelRuta->setText(RutaDatosCorte);
//   corte.LabelDocumento->setText("150");
//   corte.Usuario->setText("0");
//   corte.BotonCorte->show();
//   corte.Panel1->setEnabled(true);
//   corte.ShowModal();
//
// The list is read when the window is shown and written back whole when it
// closes. The password is shown by the cut command and decides nothing.

#include "platform/ui/Forma.h"

#include <QDateTime>
#include <QString>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
namespace db {
class Tabla;
}
namespace ui {
class FuenteDatos;
class Panel;
class RejillaDatos;
}  // namespace ui

// The cash-cut unit's data folder: the folder of Cortes.DBF, Cortes\Cortes.dat,
// MultiPagos.dbf and Retiros.dbf. The sale screen sets it from configuration
// line 8 at its first activation; the cash-cut window from its LabelRuta.
extern QString RutaDatosCorte;

// The cut that documents saved now belong to: UltimoCorte
// (customers/CuentasCobrar.h).

// The list line of a cut: "Corte de Caja <n> ,<date-time> ,<the same moment
// as a day count>,<last document>".
QString LineaListaCortes(int n, const QDateTime& momento, const QString& documento);

class TFormaCorte : public ui::Forma {
  Q_OBJECT
 public:
  explicit TFormaCorte(QWidget* owner = nullptr);

  ui::Panel* Panel1;
  ui::RejillaDatos* DBGrid1;
  ui::FuenteDatos* DataSource1;
  db::Tabla* TablaCortes;
  QListWidget* ListaCortes;
  QLabel *Label1, *Label2, *LabelClave;
  QLineEdit *Edit1, *Edit2, *Clave;
  QPushButton *BotonCorte, *BotonAceptar;
  QLabel *LabelDocumento, *LabelRuta, *Usuario;
  ui::Panel* Panel2;
  QLineEdit* Edit3;
  QPushButton* BotonCambiarHora;

  // "Agregar Corte": with "Hasta" a whole number above "De" and right 60,
  // a list line; then, when documents were made since the last cut, a row
  // numbered after the last one (under the table's numbering lock) from the
  // last cut's FIN + 1 to LabelDocumento.
  void BotonCorteClick();
  // "Aceptar": Tag 2.
  void BotonAceptarClick();
  // A list line chosen: "De" := the second field of the line before it,
  // "Hasta" := its own second field.
  void ListaCortesClick();

 protected:
  void FormShow() override;
  void FormClose() override;

 private:
  QString ArchivoLista() const;
};

inline TFormaCorte* FormaCorte() { return ui::InstanciaDe<TFormaCorte>().data(); }
