// The movement window's "Reportes" menu: "Entradas", "Salidas" and "General
// Movimientos" through the report script runner, "Consultas" with the saved
// views of the movement table, and the stock card of a row's product (F7).

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_tablas.h"
#include "inventory/Costeo.h"
#include "inventory/GuionesMovimientos.h"
#include "inventory/movinv.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "reports/CerrojoTabla.h"
#include "reports/Consulta.h"
#include "reports/Formatos.h"
#include "reports/Progreso.h"
#include "reports/RepoSQL.h"
#include "reports/Vistas.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>

#include <cmath>

namespace {

const QString kListaVistas = QStringLiteral("movinven.for");
const QString kCopiaListaVistas = QStringLiteral("Cliente2.for");
const QString kTablaMovimientosConsulta = QStringLiteral("movinven.dbf");
// The field dictionary's entry of the work table's columns.
const QString kCamposGeneral = QStringLiteral("mi.dbf");
// The gauge moves every so many rows copied.
constexpr int kAvanceCada = 200;

// The program's progress window over the fill of the work table, when the
// program has one. The fill lets it repaint but takes no input meanwhile,
// so no command of the window can start inside it.
class AvanceGeneral {
 public:
  explicit AvanceGeneral(const QString& titulo) : ventana_(FormaProgreso()) {
    if (!ventana_) return;
    titulo_ = ventana_->windowTitle();
    ventana_->setWindowTitle(titulo);
    ventana_->SetTag(0);
    ventana_->BitBtn1->setEnabled(false);
    ventana_->FijaAvance(0);
    ventana_->Show();
  }
  ~AvanceGeneral() {
    if (!ventana_) return;
    ventana_->BitBtn1->setEnabled(true);
    ventana_->setWindowTitle(titulo_);
    ventana_->Close();
  }
  AvanceGeneral(const AvanceGeneral&) = delete;
  AvanceGeneral& operator=(const AvanceGeneral&) = delete;

  // Source `fuente` of `fuentes`, `fila` of its `filas` rows copied.
  void Fija(int fuente, int fuentes, qint64 fila, qint64 filas) {
    if (!ventana_) return;
    const double parte = filas > 0 ? double(fila) / double(filas) : 1.0;
    ventana_->FijaAvance(static_cast<int>(std::lround(100.0 * (fuente + parte) / fuentes)));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }

 private:
  QPointer<TFormaProgreso> ventana_;
  QString titulo_;
};

}  // namespace

void TFormaMovimientosInventario::CreaReportes() {
  // Between "Registro" and "Costeo".
  Reportes1 = ui::MenuNombrado(MainMenu1, "Reportes1", QStringLiteral("R&eportes"));
  if (QMenu* costeo = MainMenu1->findChild<QMenu*>(QStringLiteral("Costeo1")))
    MainMenu1->insertMenu(costeo->menuAction(), Reportes1);
  Consultas1 = ui::AccionNombrada(Reportes1, "Consultas1", QStringLiteral("Consultas"));
  Entradas1 = ui::AccionNombrada(Reportes1, "Entradas1", QStringLiteral("Entradas"));
  Salidas1 = ui::AccionNombrada(Reportes1, "Salidas1", QStringLiteral("Salidas"));
  GeneralMovimientos1 = ui::AccionNombrada(Reportes1, "GeneralMovimientos1", QStringLiteral("General Movimientos"));
  // The stock card key has no menu to show: the action is the window's, so
  // its shortcut works wherever the focus is.
  VerMovimientos1 = new QAction(QStringLiteral("Kardex"), this);
  VerMovimientos1->setObjectName(QStringLiteral("VerMovimientos1"));
  VerMovimientos1->setShortcut(QKeySequence(Qt::Key_F7));
  addAction(VerMovimientos1);

  using V = TFormaMovimientosInventario;
  const std::pair<QAction*, void (V::*)()> comandos[] = {
      {Entradas1, &V::Entradas1Click},
      {Salidas1, &V::Salidas1Click},
      {GeneralMovimientos1, &V::GeneralMovimientos1Click},
      {Consultas1, &V::Consultas1Click},
      {VerMovimientos1, &V::VerMovimientos1Click},
  };
  for (const auto& [accion, comando] : comandos)
    ui::Conecta(accion, &QAction::triggered, this, [this, comando] { (this->*comando)(); });
}

// --- Entries and exits.

void TFormaMovimientosInventario::Entradas1Click() { EntradasSalidas(Entradas1, true); }
void TFormaMovimientosInventario::Salidas1Click() { EntradasSalidas(Salidas1, false); }

void TFormaMovimientosInventario::EntradasSalidas(QAction* item, bool entradas) {
  // The runner opens the movement table again: a document being captured
  // would lose the row that holds its number.
  if (!SinCaptura()) return;
  const QString titulo = item->text();
  const QString documento =
      Tablamovinve->IsEmpty() ? QString() : Tablamovinve->FieldByName(QStringLiteral("CLDOC_MI")).AsString();
  const QString campoFecha = QStringLiteral("FEDOC_MI");
  try {
    EjecutaReporteSQL(titulo, QStringLiteral("CLDOC_MI"), campoFecha, campoFecha, documento, *Tablamovinve,
                      GuionEntradasSalidas(titulo, entradas), 0, QString(), true, u' ');
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
  }
  BotonsiguienteClick();
}

// --- Movements, sales and purchases of a date range.

void TFormaMovimientosInventario::GeneralMovimientos1Click() {
  if (!SinCaptura()) return;
  const QString titulo = GeneralMovimientos1->text();
  QString d1, d2, condicion;
  {
    TFormaFormatos formatos;
    formatos.Rangos->show();
    formatos.Formatos->hide();
    PreparaParametrosReporte(true, true, false, false, false, true, true, true, true, kCamposGeneral);
    formatos.ShowModal();
    if (formatos.Tag() != 1) {
      formatos.SetTag(0);
      return;
    }
    try {
      d1 = FechaSQL(TextoFecha(formatos.Inicial->date()));
      d2 = FechaSQL(TextoFecha(formatos.Final->date()));
    } catch (const std::exception& e) {
      ui::MuestraExcepcion(e);
      return;
    }
    for (size_t n = 0; n < formatos.Condicion.size(); ++n) {
      // A field box whose text names no offered field has no field name.
      const QString campo = formatos.C[n]->text();
      const QString operador = formatos.Operador[n]->currentText();
      if (formatos.Condicion[n]->currentText().isEmpty() || operador.isEmpty() || campo.isEmpty()) continue;
      if (!condicion.isEmpty()) condicion += QStringLiteral(" and ");
      condicion += campo + CondicionSQL(operador, formatos.Valor[n]->currentText());
    }
    formatos.SetTag(0);
  }

  // Every copy of the program started from this folder shares the work
  // table: this run holds it from its making until its report closes.
  CerrojoTabla uso(carpetaPrograma_ + u'\\' + kTablaGeneral);
  try {
    if (!uso.Toma()) {
      MuestraMensaje(QStringLiteral("La tabla ") + uso.Tabla() + QStringLiteral(" está ocupada por otra estación"));
      return;
    }
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return;
  }
  CreaTablaReporte(carpetaPrograma_, kNombreTablaGeneral, kColumnasTablaGeneral);
  db::Tabla trabajo;
  trabajo.SetCarpeta(carpetaPrograma_);
  trabajo.SetNombreTabla(kTablaGeneral);
  try {
    trabajo.Open();
    LlenaTablaGeneral(trabajo, d1, d2);
    const QString documento = trabajo.IsEmpty() ? QString() : trabajo.FieldByName(QStringLiteral("DOCU")).AsString();
    const QString campoFecha = QStringLiteral("FECHA");
    EjecutaReporteSQL(titulo, QStringLiteral("DOCU"), campoFecha, campoFecha, documento, trabajo,
                      GuionGeneralMovimientos(titulo, carpetaPrograma_, condicion), 0, QString(), false, u' ');
  } catch (const std::exception& e) {
    trabajo.Close();
    ui::MuestraExcepcion(e);
    return;
  }
  trabajo.Close();
  BotonsiguienteClick();
}

void TFormaMovimientosInventario::LlenaTablaGeneral(db::Tabla& trabajo, const QString& d1, const QString& d2) {
  const std::vector<FuenteGeneral> fuentes = FuentesGeneralMovimientos(d1, d2);
  db::Campo& docu = trabajo.FieldByName(QStringLiteral("DOCU"));
  db::Campo& clave = trabajo.FieldByName(QStringLiteral("CLAVE"));
  db::Campo& descripcion = trabajo.FieldByName(QStringLiteral("DESCRIPCIO"));
  db::Campo& cantidad = trabajo.FieldByName(QStringLiteral("CANTIDAD"));
  db::Campo& precio = trabajo.FieldByName(QStringLiteral("PRECIO"));
  db::Campo& precioUnitario = trabajo.FieldByName(QStringLiteral("PRECIO_UNIT"));
  db::Campo& movimiento = trabajo.FieldByName(QStringLiteral("MOVIMIENTO"));
  db::Campo& fecha = trabajo.FieldByName(QStringLiteral("FECHA"));
  db::Campo& sello = trabajo.FieldByName(QStringLiteral("FECHA2"));

  AvanceGeneral avance(GeneralMovimientos1->text());
  const int total = static_cast<int>(fuentes.size());
  for (int i = 0; i < total; ++i) {
    const FuenteGeneral& f = fuentes[static_cast<size_t>(i)];
    db::Consulta q;
    q.SetSQL(f.sql);
    q.Open();
    const qint64 filas = q.RecordCount();
    const db::Campo* porMovimiento = f.campoMovimiento.isEmpty() ? nullptr : &q.FieldByName(f.campoMovimiento);
    const db::Campo* porPrecio = f.precioUnitario.isEmpty() ? nullptr : &q.FieldByName(f.precioUnitario);
    const db::Campo& qDocumento = q.FieldByName(f.documento);
    const db::Campo& qClave = q.FieldByName(f.clave);
    const db::Campo& qDescripcion = q.FieldByName(f.descripcion);
    const db::Campo& qCantidad = q.FieldByName(f.cantidad);
    const db::Campo& qPrecio = q.FieldByName(f.precio);
    const db::Campo& qFecha = q.FieldByName(f.fecha);
    const db::Campo& qSello = q.FieldByName(QStringLiteral("FECHA"));
    qint64 fila = 0;
    for (q.First(); !q.Eof(); q.Next()) {
      // Each row on its own: one that cannot be copied is left out.
      try {
        trabajo.Append();
        docu.SetAsString(qDocumento.AsString());
        clave.SetAsString(qClave.AsString());
        descripcion.SetAsString(qDescripcion.AsString());
        cantidad.SetAsString(qCantidad.AsString());
        precio.SetAsString(qPrecio.AsString());
        if (porPrecio) precioUnitario.SetAsString(porPrecio->AsString());
        if (porMovimiento) movimiento.SetAsString(porMovimiento->AsString());
        else movimiento.SetAsInteger(f.movimiento);
        fecha.SetAsString(qFecha.AsString());
        try {
          sello.SetAsString(qSello.AsString());
        } catch (const plat::Error&) {
          // A day stamp of today's size is wider than the column, which no
          // report shows: the row is kept without it.
        }
        trabajo.Post();
      } catch (const std::exception&) {
        if (trabajo.State() != db::Dataset::Estado::Navegando) trabajo.Cancel();
      }
      if (++fila % kAvanceCada == 0) avance.Fija(i, total, fila, filas);
    }
    avance.Fija(i + 1, total, 0, 0);
  }
}

// --- Saved queries of the movement table.

void TFormaMovimientosInventario::Consultas1Click() {
  TFormaConsulta consulta;
  ApuntaTabla(*consulta.TablaConsulta, kTablaMovimientosConsulta);
  AbreTabla(*consulta.TablaConsulta);
  consulta.numcampo->setText(QStringLiteral("0"));
  CargaVistasMovimientos(consulta);
  PreparaConsulta(kTablaMovimientosConsulta, QString());
  consulta.ShowModal();
}

void TFormaMovimientosInventario::CargaVistasMovimientos(TFormaConsulta& consulta) {
  const QString carpeta = CarpetaListasVistas();
  consulta.CargaListaVistas(carpeta + u'\\' + kListaVistas, carpeta + u'\\' + kCopiaListaVistas);
}

// --- The stock card of a row's product.

void TFormaMovimientosInventario::VerMovimientos1Click() {
  if (!Tablamovinve->Active()) return;
  const QString clave =
      Tablamovinve->IsEmpty() ? QString() : Tablamovinve->FieldByName(QStringLiteral("CLPRO_MI")).AsString();
  try {
    MuestraKardex(ConsultaKardexMovimientos(clave), kOrdenKardexMovimientos,
                  QStringLiteral("_"));
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
  }
}
