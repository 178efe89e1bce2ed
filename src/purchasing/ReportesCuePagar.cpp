#include "purchasing/ReportesCuePagar.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_texto.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "pos/CaptuRap_comun.h"
#include "purchasing/ReportesCompras.h"
#include "reports/ImpresionRenglones.h"
#include "shell/LineasConfiguracion.h"


ContextoReporteCompra ContextoDeCuentasPagar(const VentanaReportesCxP& v) {
  ContextoReporteCompra x;
  x.lugar.carpetaLinea8 = LineaConf(ConfCarpetaDatos);
  x.hoy = fs::Hoy();
  x.proveedor = ValorActualReporte(*v.proveedores, QStringLiteral("CLAVE_P"));
  x.proveedorRecepcion = ValorActualReporte(*v.recepciones, QStringLiteral("CLPRV_O"));
  if (v.recepciones && v.recepciones->Active())
    x.letraClave = AjustaLetraTipo(TipoCampoDe(v.recepciones->FieldByName(QStringLiteral("CLPRV_O")).Tipo()),
                                   QStringLiteral("e"));
  return x;
}

void EjecutaReporteCuentasPagar(const VentanaReportesCxP& v, const FilaReporteCompra& fila) {
  const ArgumentosReporteCompra a = ArgumentosDeFilaCompra(fila, ContextoDeCuentasPagar(v));
  switch (a.datos) {
    case DatosReporteCompra::Proveedores:
      CorreGuion(a, *v.proveedores);
      break;
    case DatosReporteCompra::Movimientos: {
      db::Tabla movimientos;
      movimientos.SetCarpeta(v.recepciones->Carpeta());
      movimientos.SetNombreTabla(QStringLiteral("CUEPAGAR.DBF"));
      movimientos.Open();
      movimientos.SetIndexName(QStringLiteral("NUCOM"));
      CorreGuion(a, movimientos);
      break;
    }
    default:
      CorreGuion(a, *v.recepciones);
      break;
  }
  if (v.refiltra) v.refiltra();
}

void ConsultaCuentasPagar(QWidget* padre, const QString& datos) {
  MuestraConsultaTabla(padre, datos, QStringLiteral("Cuepagar.DBF"), QStringLiteral("cuepagar.dbf"),
                       [&datos](TFormaConsulta& c) {
                         CargaVistasLista(c, datos, QStringLiteral("Cxp.for"), QStringLiteral("Cxp2.for"),
                                          QStringLiteral("Cxp.for"));
                       });
}

void ImprimeCuentasDetallado(const ImpresionCuentasDetallado& p) {
  if (!ImpresoraLista()) {
    MuestraMensaje(QStringLiteral("La Impresora No Se Encuentra Lista..."));
    return;
  }
  db::Dataset& cuentas = *p.cuentas;
  cuentas.First();
  IniciaImpresionRenglones(QStringLiteral("Reporte de Cuentas por Cobrar Detallado al Día ") + TextoFecha(fs::Hoy()),
                           p.nombre, 2);
  if (p.muestraCuenta) p.muestraCuenta();
  // The account window goes away however the print ends.
  struct Cierra {
    const std::function<void()>& cierra;
    ~Cierra() {
      if (cierra) cierra();
    }
  } cierra{p.cierraCuenta};
  for (; !cuentas.Eof(); cuentas.Next()) p.imprimeCuenta(cuentas.FieldByName(QStringLiteral("NUCOM_CP")).AsString());
  TerminaImpresionRenglones(p.cargos, p.abonos, p.saldo, u's');
}
