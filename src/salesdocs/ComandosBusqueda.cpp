#include "salesdocs/ComandosBusqueda.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "platform/db/Tabla.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/ComandosVenta.h"
#include "pos/TablasVenta.h"
#include "salesdocs/BuscarSQL.h"
#include "salesdocs/HotReporte.h"
#include "shell/LineasConfiguracion.h"

#include <QAction>
#include <QComboBox>
#include <QMenuBar>
#include <QToolButton>

void BusquedaAvanzada1Click(TFormaCapturaRapida& p) {
  const bool capturando = p.BotonGuardar->isEnabled();
  if (capturando && p.TablaDeta->Active()) PostPendiente(*p.TablaDeta);

  // The family's own tables: during a new document the header table stands
  // on the station's provisional copy, which no search should read.
  const ParDocumento* par = ParDeTipo(p.Base->currentText());
  BusquedaAvanzada b;
  b.TablaEncabezado = par ? par->encabezado : p.TablaFacturae->NombreTabla();
  b.TablaDetalle = par ? par->partidas : p.TablaFacturaD->NombreTabla();
  b.CarpetaDatos = p.TablaFacturaD->Carpeta();
  b.LlaveEncabezado = QStringLiteral("CLDOC_F");
  b.LlaveDetalle = QStringLiteral("CLDOC_FD");
  b.SelectEncabezado = QStringLiteral("Select CLDOC_F,NOMBR_F,IMTOD_F,FEDOC_F");
  b.SelectDetalle = QStringLiteral("Select CLDOC_FD,CANTI_FD,DEPRO_FD,PUNPR_FD");
  b.HojaCalculo = LineaConf(ConfHojaCalculo);
  b.CarpetaPrograma = CarpetaPrograma(QString());
  const int numero = MuestraBusquedaAvanzada(b);
  if (numero <= 0) return;
  if (capturando) {
    MuestraMensaje(QStringLiteral("Termine o cancele el documento en captura para ver el documento ") +
                   QString::number(numero));
    return;
  }
  if (!p.TablaFacturae->Active() || !p.TablaFacturae->FindKey({numero})) return;
  p.MuestraDocumento();
}

void UneBusquedaDocumentos() {
  UneComandosVenta(QStringLiteral("BusquedaDocumentos"), [](TFormaCapturaRapida& p) {
    TFormaCapturaRapida* pantalla = &p;
    if (auto* busqueda = p.MainMenu1->findChild<QAction*>(QStringLiteral("BusquedaAvanzada1")))
      p.AsignaComando(busqueda, [pantalla] { BusquedaAvanzada1Click(*pantalla); });
    if (auto* agrega = p.MainMenu1->findChild<QAction*>(QStringLiteral("AgregarDocumento1")))
      p.AsignaComando(agrega, [pantalla] { AgregarDocumento1Click(*pantalla); });
  });
}
