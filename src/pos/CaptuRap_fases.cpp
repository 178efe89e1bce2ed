// The phase of the document on the sale screen and the buttons and menu
// items each phase allows.

#include "foundation/BotonEsquinado.h"
#include "platform/ui/Componentes.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>

void TFormaCapturaRapida::HabilitaBotonesCaptura(bool Cambios, bool Nuevo, bool Guardar, bool Buscar, bool,
                                                 bool Navegador_, bool) {
  BotonCambios->setEnabled(Cambios);
  Permite(Modificar1, ModificacionDesbloqueada);
  BotonNuevo->setEnabled(Nuevo);
  Permite(Nuevo1, Nuevo);
  BotonGuardar->setEnabled(Guardar);
  Permite(Guardar1, Guardar);
  BotonBuscar->setEnabled(Buscar);
  Navegador->setEnabled(Navegador_);
  Navegador->setVisible(!UsuarioRestringido);
  Permite(Eliminar1, Nuevo);
  Permite(Cancelar1, Nuevo);
  Permite(CancelaMovimiento1, Guardar);
  // The capture buttons follow Guardar, the new-sale buttons Nuevo.
  const bool terminaVenta = Guardar;
  const bool nuevaVenta = Nuevo;
  HabilitaTerminaVenta(terminaVenta);
  Permite(BotonNuevaVenta, nuevaVenta);
  Permite(BotonRedondo1, nuevaVenta);
  Permite(BotonAgregarPartida, !Cambios);
  if (ReportesPermitidos) Permite(Reportes1->menuAction(), !Guardar);
  Permite(Generar1->menuAction(), !Guardar);
  // A cut shows the last saved document: not while one is being captured.
  Permite(CortedeCaja2->menuAction(), !Guardar);
  Permite(Buscar1, !Guardar);
  BotonImprimir->setEnabled(nuevaVenta);
  Permite(ImprimirDocumento1, nuevaVenta);
  Permite(ImprimirRangodeDocumentos1, nuevaVenta);
  Permite(Imprimir1, Permitido(ImprimirDocumento1));
}

void TFormaCapturaRapida::HabilitaTerminaVenta(bool habilitado) {
  Permite(BotonTerminaVenta, habilitado);
  Permite(BotonRedondo2, habilitado);
  for (QWidget* w : {EditClave, EditCantidad, EditEmpaque, EditTARA}) w->setEnabled(habilitado);
  MuestraEstadoCaptura(habilitado);
}

void TFormaCapturaRapida::MuestraEstadoCaptura(bool Capturando) {
  EstadoCaptura->setText(Capturando ? QStringLiteral("Capturando...") : QStringLiteral("Terminada"));
  PintaFondo(Panel2, Capturando ? ui::clRed : colorPanel2_);
}

void TFormaCapturaRapida::HabilitaCaptura() {
  Caja->setEnabled(true);
  Detalle->SetSoloLectura(false);
  EditCantidad->setReadOnly(false);
  EditClave->setReadOnly(false);
}

void TFormaCapturaRapida::BloqueaCaptura() {
  Caja->setEnabled(false);
  Detalle->SetSoloLectura(true);
  EditCantidad->setReadOnly(true);
  EditClave->setReadOnly(true);
}
