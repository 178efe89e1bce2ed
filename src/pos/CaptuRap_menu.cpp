// The sale screen's menu: every item with its caption, shortcut and
// visibility; the gate that makes an item usable; the two files that take
// menu entries away from ordinary users.

#include "foundation/BotonEsquinado.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "pos/CaptuRap.h"
#include "pos/EstadoComandos.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

namespace {

enum Bandera : unsigned {
  Oculto = 1,   // exists, never shown
  Marca = 2,    // carries a check mark
  Submenu = 4,  // opens a submenu: the level-2 entries after it go into it
};

// One entry of the menu: level 0 a menu of the bar, 1 an item of it, 2 an
// item of the submenu opened last; a name "-" is a separator.
struct EntradaMenu {
  int nivel;
  const char* nombre;
  const char* texto;  // UTF-8
  const char* atajo = "";
  unsigned banderas = 0;
};

// The menu in order. Plain caption lines of Reportes are items without a
// command.
const EntradaMenu kMenu[] = {
    {0, "Archivo1", "&Archivo"},
    {1, "ImprimirDocumento1", "Imprimir Documento", "F11"},
    {1, "ImprimirRangodeDocumentos1", "Imprimir Rango de Documentos"},
    {1, "Preliminar1", "Preliminar"},
    {1, "ImprimirenArchivo1", "Imprimir en Archivo", "", Marca},
    {1, "-", ""},
    {1, "Salir1", "Salir"},

    {0, "Registro1", "&Registro"},
    {1, "Nuevo1", "Nuevo (F9)", "F9"},
    {1, "Modificar1", "Modificar", "Ctrl+M", Oculto},
    {1, "Guardar1", "Guardar (F10)", "F10"},
    {1, "Buscar1", "Buscar", "Ctrl+B"},
    {1, "BusquedaAvanzada1", "Busqueda Avanzada"},
    {1, "Eliminar1", "Eliminar", "", Oculto},
    {1, "Cancelar1", "Cancelar"},
    {1, "CancelaMovimiento1", "Cancela Movimiento"},
    {1, "-", ""},
    {1, "Imprimir1", "Imprimir", "Ctrl+I"},
    {1, "Reproducir1", "Reproducir Nota"},
    {1, "ImportarCotizacin1", "Importar Cotización"},
    {1, "VentaenEspera1", "Venta en Espera", "Ctrl+X"},
    {1, "ImprimePlantilla1", "Imprime Plantilla"},
    {1, "ImprimiryAsignarCaja1", "Imprimir y Asignar Caja   (Pausa)"},
    {1, "ChecarPrecio1", "Checar Precio", "Ctrl+H"},
    {1, "MultiPagos1", "Multi Pagos"},
    {1, "VerListaTelefnica1", "Ver Lista Telefónica", "Ctrl+T"},
    {1, "Consecutivo1", "Consecutivo"},
    {1, "CxC1", "CxC", "Alt+C"},

    {0, "Generar1", "&Generar"},
    {1, "Factura1", "Factura"},
    {1, "FacturaeImprimir1", "Factura e Imprimir"},
    {1, "Remisin1", "Remisión", "", Oculto},
    {1, "Pedido1", "Pedido", "", Oculto},
    {1, "Devolucin1", "Devolución", "", Oculto},
    {1, "NotadeCrdito1", "Nota de Crédito"},
    {1, "RangodeDocumentos1", "Rango de Documentos"},
    {1, "FacturadeCierre1", "Factura de Cierre", "", Oculto},
    {1, "CopiadeDocumento1", "Copia de Documento", "", Oculto},
    {1, "AgregarDocumento1", "Agregar Documento"},
    {1, "AsignarCliente1", "Asignar Cliente"},
    {1, "-", ""},
    {1, "SalidasdeEfectivo1", "Salidas de Efectivo"},
    {1, "EntradasdeEfectivo1", "Entradas de Efectivo"},
    {1, "Acumulado1", "Acumulado..."},
    {1, "ReiniciarAcumulado1", "Reiniciar Acumulado"},

    {0, "Reportes1", "R&eportes"},
    {1, "Consultas1", "Consultas"},
    {1, "ConsecutivodeFacturas1", "Consecutivo de Documentos"},
    {1, "DocumentosPagados1", "Documentos Pagados"},
    {1, "DocumentosnoPagados1", "Documentos No Pagados"},
    {1, "DocumentosCancelados1", "Documentos Cancelados"},
    {1, "Comisiones1", "Comisiones"},
    {1, "ComisionesDetallado1", "Comisiones Detallado"},
    {1, "Ventas1", "Ventas", "", Submenu},
    {2, "VentasyUtilidad1", "Ventas y Utilidad"},
    {2, "VentasporDa1", "Ventas por Día"},
    {2, "VentasporMes1", "Ventas por Mes"},
    {2, "Ventasporao1", "Ventas por año"},
    {2, "VentasporArtculo1", "Ventas por Artículo"},
    {2, "VentasporVendedor2", "Ventas por Vendedor y Artículo"},
    {2, "VentasporCaja1", "Ventas por Caja", "", Oculto},
    {2, "VentasporVendedor1", "Ventas por Vendedor"},
    {2, "VentasaCrdito1", "Ventas a Crédito"},
    {2, "VentasaCrditoTodas1", "Ventas a Crédito (Todas)"},
    {2, "ConcentradodeVentassinFacturar1", "Concentrado de Ventas sin Facturar"},
    {1, "ReportesdeUtilidad1", "Reportes de Utilidad", "", Submenu},
    {2, "UtilidadporProducto1", "Utilidad por Producto"},
    {2, "UtilidadporProductoLinea1", "Utilidad por Producto (Linea)"},
    {2, "UtilidadporProductoProveedor1", "Utilidad por Producto (Proveedor)"},
    {2, "UtilidadporProductoantesdeIVA1", "Utilidad por Producto (antes de IVA)"},
    {2, "UtilidadMenor1", "Utilidad Menor  5%"},
    {2, "ConsentradoporArtculo1", "Concentrado por Artículo"},
    {2, "UtilidadporProductoCliente1", "Utilidad por Producto (Cliente)"},
    {1, "VendedoryLinea1", "Vendedor y Linea"},
    {1, "LineaTemporal1", "Linea Temporal"},
    {1, "DesgloceporMoneda1", "Desgloce por Moneda", "", Oculto},
    {1, "CortedeCaja1", "Corte de Caja"},
    {1, "CorteZ1", "Corte Z"},
    {1, "CorteZRESUMEN1", "Corte Z (RESUMEN)"},
    {1, "CortesZUV1", "Cortes ZUV", "", Submenu},
    {2, "CorteZZUV1", "Corte Z ZUV"},
    {2, "CorteZRESUMENZUV1", "Corte Z (RESUMEN) ZUV"},
    {1, "CortesEstandar1", "Cortes Estandar", "", Submenu},
    {2, "CorteZporTurno1", "Corte Z por Turno"},
    {2, "CortesSeparados1", "Cortes Separados"},
    {2, "CorteComparativo1", "Corte Comparativo"},
    {2, "CorteDetallado1", "Corte Detallado"},
    {2, "Linea1", "_______________"},
    {2, "CorteZconCxC1", "Corte Z con CxC"},
    {2, "CortedeCajayRetiros1", "Corte Z por Tipo de Pagos"},
    {1, "Globales1", "Globales", "", Submenu},
    {2, "GlobaldeUtilidad1", "Global de Utilidad"},
    {2, "GlobaldeVenta1", "Global de Venta"},
    {2, "globalporLinea1", "Global por Línea"},
    {2, "GlobaldeVentasporLinea1", "Global de Ventas por Linea"},
    {2, "GlobaldeVentasporLineaconUtilidad1", "Global de Ventas por Linea con Utilidad"},
    {1, "ReporteFPGC1", "Reporte FPGC"},
    {1, "CanceladasnoImpresas1", "Canceladas no Pagadas"},
    {1, "ProductosmsVendidos1", "Productos más Vendidos"},
    {1, "VentasporVendedor3", "Ventas por Vendedor"},
    {1, "DescuentosporDocumento1", "Descuentos por Documento"},
    {1, "VentasTotales1", "*Ventas Totales"},
    {1, "DescuentoporProducto1", "Descuento por Producto"},
    {1, "DescuentoporUsuario1", "Descuento por Usuario"},
    {1, "CortePagados1", "Cortes Pagados", "", Submenu},
    {2, "CortePagadosConcentrado1", "Corte Pagados Concentrado"},
    {2, "CorteDetallado2", "Corte Detallado"},
    {2, "Linea2", "-------Por Cortes------"},
    {2, "CortePagadosConcentradoporPeriodo1", "Corte Pagados Concentrado por Periodo"},
    {2, "Detallado1", "Detallado"},
    {2, "CortePagadosDetallado1", "Corte Pagados Detallado"},
    {2, "Linea3", "------Parciales-------"},
    {2, "CortePagadosConcentradoParcial1", "Corte Pagados Concentrado Parcial"},
    {2, "CorteDetalladoParcial1", "Corte Detallado Parcial"},
    {2, "DetalladosinCrdito1", "Corte Pagados Detallado"},
    {1, "VentasporProveedor1", "Ventas por Proveedor"},
    {1, "comparativoPagadas2", "comparativo Pagadas"},
    {1, "DocumentossinFacturar1", "Documentos sin Facturar"},
    {1, "CobrosporDa1", "Cobros por Día"},
    {1, "SaldosporDocumento1", "Saldos por Documento"},
    {1, "SaldosNoPagadas1", "Saldos No Pagadas"},
    {1, "EntradasyRetirosdeEfectivo1", "Entradas y Retiros de Efectivo"},
    {1, "CorteconCxC1", "Corte con CxC"},
    {1, "VentasPorFactor1", "Producto Requerido"},
    {1, "VentasporCantidad1", "Ventas por Cantidad"},
    {1, "VentasporFacturar1", "Ventas por Facturar"},
    {1, "NmerodeVentasporVendedor1", "Número de Ventas por Vendedor"},

    {0, "Formatos", "&Formatos"},
    {1, "Elegirformato1", "Elegir Formato"},
    {1, "DisearFormato1", "Diseñar Formato"},
    {1, "AsignarFormato1", "Asignar Formato", "", Submenu},
    {2, "CtrlF11", "Ctrl+F1"},
    {2, "CtrlF21", "Ctrl+F2"},
    {2, "CtrlF31", "Ctrl+F3"},
    {2, "CtrlF41", "Ctrl+F4"},
    {2, "CtrlF51", "Ctrl+F5"},
    {2, "CtrlF61", "Ctrl+F6"},
    {1, "HabilitarPantallaAlterna1", "Habilitar Pantalla Alterna", "", Marca},

    {0, "Opciones1", "&Opciones"},
    {1, "SaltarEncabezado1", "Saltar Encabezado", "", Marca},
    {1, "IniciaenClave1", "Inicia en Clave", "", Marca},
    {1, "IniciaenVendedor1", "Inicia en Vendedor", "", Marca},
    {1, "VerTotalesenformatoDigital1", "Ver Totales en formato Digital", "", Marca},
    {1, "VerSoloTotal1", "Ver Solo Total", "", Marca},
    {1, "OcultarVendedor1", "Ocultar Vendedor", "", Marca},
    {1, "PersonalizarDetalle1", "Personalizar Detalle", "", Marca},
    {1, "GuardareImprimirconF101", "Guardar e Imprimir con F10", "", Marca},
    {1, "IntegrarIdentificadorTelefnico1", "Integrar Identificador Telefónico", "", Marca},
    {1, "HabilitarBascula1", "Habilitar Bascula", "", Marca},
    {1, "CapturaporEmpaque1", "Captura por Empaque", "", Marca},
    {1, "VerCampoTara1", "Ver Campo Tara", "", Marca},
    {1, "HabilitarPago1", "Habilitar Pago", "", Marca},
    {1, "ConfigurarLectorSerial1", "Configurar Lector Serial", "", Marca},
    {1, "-", ""},
    {1, "VerFunciones1", "Ver Funciones", "Ctrl+F1"},
    {1, "CursorenCliente1", "Cursor en Cliente", "Ctrl+F2"},
    {1, "ConfiguraVendedor1", "Configura Vendedor", "F3"},
    {1, "CambioPrecio1", "Cambio Precio", "Ctrl+P"},
    {1, "DescuentosTipodePago1", "Descuentos Tipo de Pago"},
    {1, "ConfigurarCaja1", "Configurar Caja"},
    {1, "LeerPeso1", "Leer Peso"},
    {1, "AbrirCajn1", "Abrir Cajón"},
    {1, "Divisas1", "Divisas"},
    {1, "ExportarDocumento1", "Exportar Documento"},
    {1, "ChequeodeMovimientos1", "Chequeo de Impuestos"},
    {1, "VerificarMovimientos1", "Verificar Movimientos", "", Oculto},
    {1, "MI1", "MI", "", Oculto},
    {1, "Status1", "Status", "", Oculto},

    {0, "CortedeCaja2", "Corte de Caja"},
    {1, "GenerarCorte1", "Generar Corte"},

    {0, "Turno1", "Turno"},
    {1, "N011", "01", "", Marca},
    {1, "N021", "02", "", Marca},
    {1, "SinTurno1", "SinTurno", "", Marca},

    {0, "Movimientos1", "Movimientos", "", Oculto},
    {1, "Agregar1", "Agregar"},

    {0, "Ayuda1", "Ay&uda"},
    {1, "Temas1", "Temas..."},
    {1, "Calculadora1", "Calculadora"},
    {1, "Tabulador1", "Tabulador"},
    {1, "Bitacora1", "Bitacora"},
};

}  // namespace

void TFormaCapturaRapida::ConstruyeMenu() {
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* menu = nullptr;
  QMenu* submenu = nullptr;
  int separadores = 0;
  for (const EntradaMenu& e : kMenu) {
    const QString nombre = QString::fromLatin1(e.nombre);
    const QString texto = QString::fromUtf8(e.texto);
    QAction* item = nullptr;
    if (e.nivel == 0) {
      menu = MainMenu1->addMenu(texto);
      menu->setObjectName(nombre);
      item = menu->menuAction();
    } else {
      QMenu* dentro = e.nivel == 1 ? menu : submenu;
      if (nombre == QLatin1String("-")) {
        dentro->addSeparator()->setObjectName(QStringLiteral("Separador%1").arg(++separadores));
        continue;
      }
      if (e.banderas & Submenu) {
        submenu = dentro->addMenu(texto);
        submenu->setObjectName(nombre);
        item = submenu->menuAction();
      } else {
        item = dentro->addAction(texto);
        item->setObjectName(nombre);
        AplicaEstadoComando(item);
      }
    }
    if (*e.atajo) item->setShortcut(QKeySequence(QString::fromLatin1(e.atajo)));
    item->setCheckable(e.banderas & Marca);
    item->setVisible(!(e.banderas & Oculto));
  }

  const auto accion = [this](const char* nombre) {
    auto* a = MainMenu1->findChild<QAction*>(QString::fromLatin1(nombre));
    Q_ASSERT(a);
    return a;
  };
  const auto submenuDe = [this](const char* nombre) {
    auto* m = MainMenu1->findChild<QMenu*>(QString::fromLatin1(nombre));
    Q_ASSERT(m);
    return m;
  };
  Archivo1 = submenuDe("Archivo1");
  Registro1 = submenuDe("Registro1");
  Generar1 = submenuDe("Generar1");
  Reportes1 = submenuDe("Reportes1");
  Formatos = submenuDe("Formatos");
  Opciones1 = submenuDe("Opciones1");
  CortedeCaja2 = submenuDe("CortedeCaja2");
  Turno1 = submenuDe("Turno1");
  Movimientos1 = submenuDe("Movimientos1");
  Ayuda1 = submenuDe("Ayuda1");
  AsignarFormato1 = submenuDe("AsignarFormato1");
  ImprimirDocumento1 = accion("ImprimirDocumento1");
  ImprimirRangodeDocumentos1 = accion("ImprimirRangodeDocumentos1");
  Salir1 = accion("Salir1");
  Nuevo1 = accion("Nuevo1");
  Modificar1 = accion("Modificar1");
  Guardar1 = accion("Guardar1");
  Buscar1 = accion("Buscar1");
  Eliminar1 = accion("Eliminar1");
  Cancelar1 = accion("Cancelar1");
  CancelaMovimiento1 = accion("CancelaMovimiento1");
  Imprimir1 = accion("Imprimir1");
  ImprimiryAsignarCaja1 = accion("ImprimiryAsignarCaja1");
  MultiPagos1 = accion("MultiPagos1");
  Factura1 = accion("Factura1");
  FacturaeImprimir1 = accion("FacturaeImprimir1");
  Remisin1 = accion("Remisin1");
  Pedido1 = accion("Pedido1");
  Devolucin1 = accion("Devolucin1");
  NotadeCrdito1 = accion("NotadeCrdito1");
  CtrlF11 = accion("CtrlF11");
  CtrlF21 = accion("CtrlF21");
  CtrlF31 = accion("CtrlF31");
  CtrlF41 = accion("CtrlF41");
  CtrlF51 = accion("CtrlF51");
  CtrlF61 = accion("CtrlF61");
  SaltarEncabezado1 = accion("SaltarEncabezado1");
  IniciaenClave1 = accion("IniciaenClave1");
  VerTotalesenformatoDigital1 = accion("VerTotalesenformatoDigital1");
  GuardareImprimirconF101 = accion("GuardareImprimirconF101");
  IniciaenVendedor1 = accion("IniciaenVendedor1");
  PersonalizarDetalle1 = accion("PersonalizarDetalle1");
  IntegrarIdentificadorTelefnico1 = accion("IntegrarIdentificadorTelefnico1");
  HabilitarBascula1 = accion("HabilitarBascula1");
  OcultarVendedor1 = accion("OcultarVendedor1");
  VerSoloTotal1 = accion("VerSoloTotal1");
  VerCampoTara1 = accion("VerCampoTara1");
  ConfigurarLectorSerial1 = accion("ConfigurarLectorSerial1");
  CapturaporEmpaque1 = accion("CapturaporEmpaque1");
  HabilitarPago1 = accion("HabilitarPago1");
  DescuentosTipodePago1 = accion("DescuentosTipodePago1");
  N011 = accion("N011");
  N021 = accion("N021");
  SinTurno1 = accion("SinTurno1");

  AsignaComando(Salir1, [this] { Close(); });
}

void TFormaCapturaRapida::ComandosVisibles() {
  using Boton = QAbstractButton*;
  for (Boton boton : {Boton(BotonNuevaVenta), Boton(BotonRedondo1), Boton(BotonAgregarPartida),
                      Boton(BotonTerminaVenta), Boton(BotonRedondo2), Boton(BoronDescuento), Boton(BotonBascula),
                      Boton(BotonReset)})
    AplicaEstadoComando(boton);
}

void TFormaCapturaRapida::AsignaComando(QObject* item, std::function<void()> comando) {
  ::AsignaComando(item, this, std::move(comando));
}

void TFormaCapturaRapida::Permite(QObject* item, bool permitido) { PermiteComando(item, permitido); }

bool TFormaCapturaRapida::Permitido(const QObject* item) { return ComandoPermitido(item); }

void TFormaCapturaRapida::DesactivaMenusInactivos() {
  const QString ruta = fs::Une(RutaDatosVenta, QStringLiteral("Menu_inactivo.cnf"));
  if (!fs::ExisteArchivo(ruta)) return;
  const QStringList lineas = fs::LeeLineas(ruta);
  // Only the entries of the menus of the bar; deeper ones are not looked at.
  const auto menus = MainMenu1->actions();
  for (const QAction* menu : menus) {
    const auto items = menu->menu()->actions();
    for (QAction* item : items) {
      if (item->isSeparator() || !lineas.contains(item->text())) continue;
      DesactivaComando(item);
    }
  }
}

void TFormaCapturaRapida::OcultaReportesBloqueados() {
  if (usuario->text() == QStringLiteral("0") || !UsuarioRestringido) return;
  if (!fs::ExisteArchivo(CarpetaPrograma(QStringLiteral("\\Bloq.dat")))) return;
  const auto entradas = Reportes1->actions();
  for (int i = 0; i + 1 < entradas.size(); ++i) entradas[i]->setVisible(false);
}
