#include "purchasing/ReportesCuePagar.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_texto.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "pos/CaptuRap_comun.h"
#include "purchasing/ConsultaCuePagar.h"
#include "purchasing/CxPDetalle.h"
#include "purchasing/ReportesCompras.h"
#include "reports/ImpresionRenglones.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include <memory>


ContextoReporteCompra ContextoDeCuentasPagar(const VentanaReportesCxP& v) {
  ContextoReporteCompra x;
  x.lugar.carpetas = CarpetasEmpresa();
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
      ApuntaTabla(movimientos, QStringLiteral("CUEPAGAR.DBF"));
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

VentanaReportesCxP VentanaDeConsultaCxP(TFormaConsultaCuePagar& v) {
  VentanaReportesCxP w;
  w.proveedores = v.TablaProveedo;
  w.recepciones = v.TablaCompras;
  w.refiltra = [&v] {
    v.FiltraDocumentosProveedor();
    v.RecalculaSaldoProveedor();
  };
  return w;
}

void ImprimeCuentasDetalladoCxP(TFormaConsultaCuePagar& v) {
  // The account window of the program, or one of the print's own.
  std::unique_ptr<TFormaCxPDetalle> propia;
  TFormaCxPDetalle* cuenta = FormaCxPDetalle();
  if (!cuenta) {
    propia = std::make_unique<TFormaCxPDetalle>(&v);
    cuenta = propia.get();
  }
  ImpresionCuentasDetallado p;
  p.cuentas = v.TablaDeta;
  p.nombre = v.Nombre->text();
  p.cargos = v.Cargos->text();
  p.abonos = v.Abonos->text();
  p.saldo = v.Saldo->text();
  p.muestraCuenta = [cuenta] { cuenta->Show(); };
  p.imprimeCuenta = [cuenta](const QString& numero) { cuenta->ImprimeCuentaPagarDocumento(numero); };
  p.cierraCuenta = [cuenta] { cuenta->Close(); };
  ImprimeCuentasDetallado(p);
}

void InstalaReportesCuentasPagar(TFormaConsultaCuePagar& v) {
  TFormaConsultaCuePagar* w = &v;
  auto* menu = new QMenu(QStringLiteral("&Reportes"), v.MainMenu1);
  menu->setObjectName(QStringLiteral("Reportes1"));
  QMenu* ayuda = v.MainMenu1->findChild<QMenu*>(QStringLiteral("Ayuda1"));
  if (ayuda) v.MainMenu1->insertMenu(ayuda->menuAction(), menu);
  else v.MainMenu1->addMenu(menu);
  const auto une = [w](QAction* item, const std::function<void()>& fn) {
    ui::Conecta(item, &QAction::triggered, w, [fn] { ui::Protege(fn); });
  };
  une(ui::AccionNombrada(menu, "Consulta1", QStringLiteral("Consulta")),
      [w] { ConsultaCuentasPagar(w, LineaConf(ConfCarpetaDatos)); });
  const auto fila = [&](const FilaReporteCompra& f) {
    QAction* item = ui::AccionNombrada(menu, f.clave, QString::fromUtf8(f.titulo));
    // The supplier balances are hidden.
    item->setVisible(f.datos != DatosReporteCompra::Proveedores);
    une(item, [w, &f] { EjecutaReporteCuentasPagar(VentanaDeConsultaCxP(*w), f); });
  };
  const QVector<FilaReporteCompra>& filas = FilasReporteCuentasPagar();
  for (const FilaReporteCompra& f : filas)
    if (f.datos == DatosReporteCompra::Proveedores) fila(f);
  QAction* detallado =
      ui::AccionNombrada(menu, "ImprimeCuentasDetallado1", QStringLiteral("&Imprime Cuentas Detallado"));
  detallado->setVisible(false);
  une(detallado, [w] { ImprimeCuentasDetalladoCxP(*w); });
  for (const FilaReporteCompra& f : filas)
    if (f.datos != DatosReporteCompra::Proveedores) fila(f);
}
