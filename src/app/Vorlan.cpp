#include "app/Vorlan.h"

#include "formats/edicion.h"
#include "foundation/Glyps.h"
#include "reports/Progreso.h"
#include "shell/Elipse.h"
#include "shell/Empresas.h"
#include "shell/Movimientos.h"
#include "shell/Principa.h"
#include "tablas/TablasVorlan.h"

#include <functional>

namespace {

using Creador = std::function<std::unique_ptr<ui::Forma>()>;

template <class T>
std::unique_ptr<ui::Forma> Crea() {
  return std::make_unique<T>();
}

// The main window with what it reaches of later subsystems: the registry of
// table layouts; the sale screen opener and the catalogue windows (customers,
// suppliers, sellers, products, purchases) join here as they are built.
std::unique_ptr<ui::Forma> CreaPrincipal() {
  auto principal = std::make_unique<TFormaPrincipal>();
  principal->Tablas = &CatalogoVorlan();
  return principal;
}

// The windows that live for the whole run, in the order they are created:
// the main window first, then the company dialog (whose creation reads
// company 1's configuration and points the start file at it, so the main
// window's show handler works on company 1 when it exists). Each window of a
// later subsystem takes the place marked for it when it is built.
const Creador kVentanasDeInicio[] = {
    CreaPrincipal,
    Crea<TFormaEmpresas>,
    // TFormaCompras, TFormaInventario, TFormaConProduct, TFormaProveedo
    Crea<TFormaProgreso>,
    Crea<TFormaGlyp>,
    // TFormaCalculaxPrecio, TFormaConsultaCuePagar, TFormaClientes, TFormaCxPDetalle
    [] { return std::unique_ptr<ui::Forma>(std::make_unique<TFormaEdicion>(ModoEdicion::Editor)); },
    Crea<TFormaMovimientos>,
    // TFormaColector, TFormaCaducidad, TFormaRemCuCobra, TFormaConceptos, TFormaBuscaSQL,
    // TFormaListaSQL, TFormaHotReporte, TFormaMultiPagos
};

}  // namespace

ProgramaVorlan::ProgramaVorlan() = default;

ProgramaVorlan::~ProgramaVorlan() {
  while (!ventanas_.empty()) ventanas_.pop_back();
}

void ProgramaVorlan::Inicia() {
  auto presentacion = std::make_unique<TFormaElipse>();
  presentacion->Show();
  presentacion->repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

  // Registered only: help is shown from the help pages of the program folder.
  qApp->setProperty("ArchivoAyuda", kArchivoAyuda);

  for (const Creador& crea : kVentanasDeInicio) ventanas_.push_back(crea());
  presentacion.reset();
}

int EjecutaVorlan(QApplication& aplicacion) {
  ProgramaVorlan programa;
  programa.Inicia();
  TFormaPrincipal* principal = FormaPrincipal();
  QObject::connect(principal, &TFormaPrincipal::Cerrada, &aplicacion, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  principal->setWindowState(Qt::WindowMaximized);
  principal->Show();
  return aplicacion.exec();
}
