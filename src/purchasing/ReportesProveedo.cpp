#include "purchasing/ReportesProveedo.h"

#include "foundation/rutinas.h"
#include "foundation/rutinas_tablas.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "pos/CaptuRap_comun.h"
#include "purchasing/GuionesCompras.h"
#include "purchasing/Proveedo.h"
#include "purchasing/ReportesCompras.h"
#include "reports/ReporteCatalogo.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QMenu>

db::Tabla& RecepcionesDelCatalogo(TFormaProveedo& v) {
  auto* t = v.findChild<db::Tabla*>(QStringLiteral("TablaCompras"), Qt::FindDirectChildrenOnly);
  if (!t) {
    t = new db::Tabla(&v);
    t->setObjectName(QStringLiteral("TablaCompras"));
    t->SetNombreTabla(QStringLiteral("ComprasE.dbf"));
    t->SetIndexName(QStringLiteral("CLPRV_O"));
  }
  if (!t->Active()) {
    ApuntaTabla(*t);
    AbreTabla(*t);
  }
  return *t;
}

void ListadoProveedores(TFormaProveedo& v) {
  const FilaReporteCompra& fila = FilasReporteProveedores().first();
  ContextoReporteCompra x;
  x.lugar.carpetas = CarpetasEmpresa();
  x.hoy = fs::Hoy();
  const ArgumentosReporteCompra a = ArgumentosDeFilaCompra(fila, x);
  CorreGuion(a, *v.TablaProveedor);
  db::Tabla& recepciones = RecepcionesDelCatalogo(v);
  if (!recepciones.Active()) return;
  const QString clave = ValorActualReporte(*v.TablaProveedor, QStringLiteral("CLAVE_P"));
  recepciones.SetRange({clave}, {clave});
}

void ConsultasProveedores(TFormaProveedo& v) {
  const QString datos = v.TablaProveedor->Carpeta();
  MuestraConsultaTabla(&v, datos, QStringLiteral("proveedo.dbf"), QStringLiteral("proveedo.dbf"),
                       [&datos](TFormaConsulta& c) {
                         CargaVistasLista(c, datos, QStringLiteral("proveedo.for"), QStringLiteral("Cliente2.for"),
                                          QStringLiteral("proveedo.for"));
                       });
}

void SaldosProveedores(TFormaProveedo& v, const QAction& item, bool cargosYAbonos) {
  ReporteCatalogo r;
  r.Tabla = QStringLiteral("proveedo.dbf");
  r.CampoRango = QStringLiteral("CLAVE_P");
  r.Nombre = item.text();
  r.TituloLlave = QStringLiteral("Proveedor");
  r.Llave = QStringLiteral("CLAVE_P");
  r.TituloTexto = QStringLiteral("Nombre");
  r.Texto = QStringLiteral("NOMBR_P");
  if (cargosYAbonos) {
    r.Columnas[0] = QStringLiteral("CARGO_P");
    r.Columnas[1] = QStringLiteral("ABONO_P");
    r.Columnas[2] = QStringLiteral("SALDO_P");
    r.Titulos[0] = QStringLiteral("Cargos");
    r.Titulos[1] = QStringLiteral("Abonos");
    r.Titulos[2] = QStringLiteral("Saldo");
    r.Grafica = QStringLiteral("Gráfica de Cargos, Abonos y Saldo de Proveedores");
    r.Divisor = 3;
  } else {
    r.Columnas[0] = QStringLiteral("SALDO_P");
    r.Titulos[0] = QStringLiteral("Saldo");
    r.Grafica = QStringLiteral("Gráfica de Saldos de Proveedores");
  }
  r.EjeInferior = QStringLiteral("Clave del Proveedor");
  r.EjeIzquierdo = QStringLiteral("Cantidad");
  EjecutaReporteCatalogo(*v.TablaProveedor, r);
}

void InstalaReportesProveedor(TFormaProveedo& v) {
  TFormaProveedo* w = &v;
  const auto une = [w](QAction* item, const std::function<void()>& fn) {
    item->setEnabled(true);
    ui::Conecta(item, &QAction::triggered, w, [fn] { ui::Protege(fn); });
  };
  une(v.ListadodeProveedores1, [w] { ListadoProveedores(*w); });
  QAction* consultas = ui::AccionNombrada(v.Reportes1, "Consultas1", QStringLiteral("Consultas"));
  QAction* saldos = ui::AccionNombrada(v.Reportes1, "Saldos1", QStringLiteral("Saldos"));
  QAction* cargos = ui::AccionNombrada(v.Reportes1, "CargosAbonosSaldo1", QStringLiteral("Cargos, Abonos, Saldo"));
  for (QAction* a : {consultas, saldos, cargos}) a->setVisible(false);
  une(consultas, [w] { ConsultasProveedores(*w); });
  une(saldos, [w, saldos] { SaldosProveedores(*w, *saldos, false); });
  une(cargos, [w, cargos] { SaldosProveedores(*w, *cargos, true); });
}
