#pragma once
// The station's capture table: the Paradox table of the program folder that
// holds the lines of the document on a sale screen until the document is
// saved (rows TPartidaCaptura, layout EsquemaPartidaCaptura). A screen reaches
// it through two cursors, the grid's and the totals', always on one file.
//
// Stations 1 to 10 own deta.db and deta2.db .. deta10.db, made from the
// template DetaCR.db when missing. A screen claims one station for its whole
// life (EstacionCaptura):
//  - a kernel lock on byte n of the permanent file Estaciones.lck of the
//    program folder holds station n; it is taken before anything touches the
//    station's table and released by Libera, by the destructor, or by the
//    death of the process;
//  - the probe, an exclusive open and close of the table, then decides: a
//    table that another program holds open is passed by, and a damaged
//    deta.db is replaced by the template and probed once more.
// A table is copied or replaced only while its station is held, so no two
// screens ever work on one table, not even while a screen has closed its
// cursors to reset the table from the template.

#include "platform/ui/Colores.h"

#include <QString>

class QWidget;
namespace db {
class Tabla;
}

// The template of every capture table.
inline const QString kPlantillaCaptura = QStringLiteral("DetaCR.db");
// The station number that claims no table: every table is taken.
inline constexpr int kSinEstacion = 11;
// What a screen without a station tells the cashier.
inline const QString kSinTablaCaptura = QStringLiteral("No hay tabla de captura libre, cierre otra ventana de venta");

// The table of station n: "deta.db" for 1, "deta<n>.db" otherwise (station
// 11 names no file).
QString TablaDeEstacion(int estacion);

// The colour of the capture panel of station n: 2 aqua, 3 fuchsia, 4 green,
// 5 olive, 6 purple, 7 white, 8 yellow, 9 teal, 10 silver, 11 grey; station
// 1 keeps the panel's own colour (button face).
ui::TColor ColorEstacion(int estacion);

class EstacionCaptura {
 public:
  EstacionCaptura() = default;
  ~EstacionCaptura();
  EstacionCaptura(const EstacionCaptura&) = delete;
  EstacionCaptura& operator=(const EstacionCaptura&) = delete;

  // Claims the first free station of the program folder: 1 when deta.db
  // passes the probe (or passes it after being replaced by the template),
  // else the first of 2 to 10 whose table (made from the template when
  // missing) passes it; kSinEstacion when none does. A station already held
  // is released first. Throws plat::Error when the lock file cannot be
  // opened. `plantilla` is the table a missing one is made from (the legacy
  // document window makes them from deta.db itself, which is then never
  // replaced).
  int Reclama(const QString& programa, const QString& plantilla = kPlantillaCaptura);
  // Gives the station up; nothing when none is held.
  void Libera();

  // The number claimed (0 before any claim).
  int Numero() const { return numero_; }
  // A station from 1 to 10 is held.
  bool Tiene() const { return fd_ >= 0; }
  QString Carpeta() const { return programa_; }
  QString NombreTabla() const { return TablaDeEstacion(numero_); }

  // Copies the template over the held station's table, whose cursors are
  // closed. A failed copy (the template missing, another program holding the
  // table) is not reported: the next open decides. Nothing without a
  // station, nor when the template is the station's table itself.
  void CopiaPlantilla() const;

 private:
  // Takes station n's lock and probes its table; the lock stays only when
  // the probe passes.
  bool Prueba(int estacion, bool reemplazaDanada);

  int fd_ = -1;
  int numero_ = 0;
  QString programa_;
  QString plantilla_ = kPlantillaCaptura;
};

// The claim of a window that captures on a station (the sale screen, the
// legacy document window): the station claimed with `plantilla` (a failure
// to open the lock file told), both cursors named after its table in the
// program folder (not opened); a window without station 1 gets
// "           VENTANA <n>" after its caption and `panel` the station's
// colour. Returns the station's number.
int ReclamaCapturaVentana(EstacionCaptura& estacion, db::Tabla& deta, db::Tabla& total, QWidget& ventana,
                          QWidget* panel, const QString& plantilla = kPlantillaCaptura);

// The claim of one table of the program folder by a window that works on it
// alone (a sale station, the purchase window): takes the kernel lock on byte
// `posicion` of the lock file open in `fd`, then probes the table with an
// exclusive open and close. A missing table is first copied from `plantilla`
// (none when empty); a table that fails the probe is, with
// `reemplazaDanada`, replaced by the template and probed once more. True
// when the table passed: the lock stays held (until QuitaBloqueo, the close
// of `fd`, or the death of the process); false, the lock released, when
// another holder has the lock or the table cannot be opened exclusively.
bool ReclamaTablaPrograma(int fd, qint64 posicion, const QString& programa, const QString& tabla,
                          const QString& plantilla, bool reemplazaDanada);

// The provisional header table of station `estacion`: the header file's
// name with the station number before its extension ("Remision1.dbf",
// "ComprasE1.dbf"), so it never names a shared table, even when the program
// folder is the data folder.
QString NombreEncabezadoTemporal(const QString& archivo, int estacion);
// Copies the template tempo\<archivo> of `carpeta` (or tempo\<alterna> when
// the folder lacks it) with its index over the station's provisional header
// table in `carpeta`, and opens `encabezado` on it. On a failure (template
// missing, file in use) `encabezado` is opened again where it was and the
// error reaches the caller.
void CreaEncabezadoTemporal(db::Tabla& encabezado, const QString& carpeta, const QString& archivo, int estacion,
                            const QString& alterna);

// Packs a table of the program folder (removes deleted rows; exclusive use).
// Errors reach the caller as plat::Error.
void CompactaTabla(const QString& carpeta, const QString& archivo);

// Deletes every row of the capture table through `deta`, closes both
// cursors, packs the table and opens both cursors again (also when the pack
// failed, whose error then reaches the caller).
void VaciaCaptura(db::Tabla& deta, db::Tabla& total);

// After the line at row `partida` (from 1) was deleted: closes both cursors,
// packs the table, opens both again and stands `deta` on row `partida`, the
// line that followed the deleted one, or on the last line when the deleted
// one was last.
void BorraPartidaYCompacta(db::Tabla& deta, db::Tabla& total, int partida);

// The reset of a new document: both cursors closed, the template copied over
// the station's table, both opened again, then VaciaCaptura. The station
// must be held.
void ReiniciaCaptura(const EstacionCaptura& estacion, db::Tabla& deta, db::Tabla& total);
