#include "shell/LineasConfiguracion.h"

#include "foundation/rutinas.h"
#include "platform/Error.h"
#include "platform/fs/Texto.h"

namespace {

// Line, name, control, component, caption, tab, group, value kind, initial
// value [, spin range] [, second radio and its caption]. Lines 52 to 57 sit
// in the groups "Entradas", "Salidas" and "Traspasos" of the frame
// "Movimientos al Inventario".
// clang-format off: one line per row.
const QVector<DefLineaConfig> kLineas = {
    {ConfBasesAbiertas, "ConfBasesAbiertas", ControlLinea::Caja, "Edit1", "Trabajar Bases de Datos Abiertas ", "General", "", ValorLinea::SiNo, "SI"},
    {ConfIntegraCxC, "ConfIntegraCxC", ControlLinea::Caja, "Edit2", "Integración de Cuentas por Cobrar ", "General", "", ValorLinea::SiNo, "SI"},
    {ConfIntegraCxP, "ConfIntegraCxP", ControlLinea::Caja, "Edit3", "Integración de  Cuentas por  Pagar", "General", "", ValorLinea::SiNo, "SI"},
    {ConfReservada4, "ConfReservada4", ControlLinea::CajaOculta, "Edit4", "", "", "", ValorLinea::Texto, ""},
    {ConfIva, "ConfIva", ControlLinea::Caja, "Edit5", "I.V.A:", "General", "", ValorLinea::Decimal, "15"},
    {ConfIntegraMovimientos, "ConfIntegraMovimientos", ControlLinea::Caja, "Edit6", "Integrar Movimientos al Inventario", "General", "", ValorLinea::SiNo, "SI"},
    {ConfTipoCambio, "ConfTipoCambio", ControlLinea::Caja, "Edit7", "Tipo de cambio ", "General", "", ValorLinea::Decimal, "9.50"},
    {ConfCarpetaDatos, "ConfCarpetaDatos", ControlLinea::Caja, "Edit8", "Ruta de Base de Datos ", "General", "", ValorLinea::Carpeta, "C:\\Vorlan\\DATOS"},
    {ConfNombreEmpresa, "ConfNombreEmpresa", ControlLinea::Caja, "Edit9", "Nombre de la Empresa", "General", "", ValorLinea::Texto, ""},
    {ConfReservada10, "ConfReservada10", ControlLinea::Ninguno, "", "", "", "", ValorLinea::Texto, ""},
    {ConfClaveAccesoEmpresa, "ConfClaveAccesoEmpresa", ControlLinea::CajaOculta, "Edit11", "Clave de   Acceso", "General", "", ValorLinea::Texto, ""},
    {ConfFormatoClientes, "ConfFormatoClientes", ControlLinea::Caja, "Edit12", "Clientes", "Formatos", "", ValorLinea::Formato, ""},
    {ConfFormatoVendedores, "ConfFormatoVendedores", ControlLinea::Caja, "Edit13", "Vendedores", "Formatos", "", ValorLinea::Formato, ""},
    {ConfFormatoFactura, "ConfFormatoFactura", ControlLinea::Caja, "Edit14", "Facturación", "Formatos", "", ValorLinea::Formato, ""},
    {ConfFormatoRemision, "ConfFormatoRemision", ControlLinea::Caja, "Edit15", "Remisión", "Formatos", "", ValorLinea::Formato, ""},
    {ConfFormatoPedido, "ConfFormatoPedido", ControlLinea::Caja, "Edit16", "Pedido", "Formatos", "", ValorLinea::Formato, ""},
    {ConfFormatoCotizacion, "ConfFormatoCotizacion", ControlLinea::Caja, "Edit17", "Cotización", "Formatos", "", ValorLinea::Formato, ""},
    {ConfFormatoMovimientos, "ConfFormatoMovimientos", ControlLinea::Caja, "Edit18", "Movimientos", "Formatos", "", ValorLinea::Formato, ""},
    {ConfFormatoCxC, "ConfFormatoCxC", ControlLinea::Caja, "Edit19", "CxCobrar", "Formatos", "", ValorLinea::Formato, ""},
    {ConfFormatoCxP, "ConfFormatoCxP", ControlLinea::Caja, "Edit20", "CxPagar", "Formatos", "", ValorLinea::Formato, ""},
    {ConfFacturarSinExistencias, "ConfFacturarSinExistencias", ControlLinea::Casilla, "EditFacExis", "Facturar sin Existencias", "Opciones", "", ValorLinea::SN, "N"},
    {ConfFormatoDevolucion, "ConfFormatoDevolucion", ControlLinea::Caja, "Edit21", "Devolución", "Formatos", "", ValorLinea::Formato, ""},
    {ConfFormatoNotaCredito, "ConfFormatoNotaCredito", ControlLinea::Caja, "Edit22", "Nota de Crédito", "Formatos", "", ValorLinea::Formato, ""},
    {ConfFormatoInventarios, "ConfFormatoInventarios", ControlLinea::Caja, "Edit23", "Inventarios", "Formatos", "", ValorLinea::Formato, ""},
    {ConfFormatoProveedores, "ConfFormatoProveedores", ControlLinea::Caja, "Edit24", "Proveedores", "Formatos", "", ValorLinea::Formato, ""},
    {ConfReservada26, "ConfReservada26", ControlLinea::Ninguno, "", "", "", "", ValorLinea::Texto, ""},
    {ConfReservada27, "ConfReservada27", ControlLinea::Ninguno, "", "", "", "", ValorLinea::Texto, ""},
    {ConfFormatoRecepcion, "ConfFormatoRecepcion", ControlLinea::Caja, "Edit27", "Compras Recepción", "Formatos", "", ValorLinea::Formato, ""},
    {ConfFormatoOrdenCompra, "ConfFormatoOrdenCompra", ControlLinea::Caja, "Edit28", "Compras Orden", "Formatos", "", ValorLinea::Formato, ""},
    {ConfFormatoDevolucionCompra, "ConfFormatoDevolucionCompra", ControlLinea::Caja, "Edit29", "Compras Devolución", "Formatos", "", ValorLinea::Formato, ""},
    {ConfHojaCalculo, "ConfHojaCalculo", ControlLinea::Caja, "Edit30", "Hoja de Cálculo", "Opciones", "", ValorLinea::Programa, ""},
    {ConfCalculadora, "ConfCalculadora", ControlLinea::Caja, "Edit31", "Calculadora", "Opciones", "", ValorLinea::Programa, ""},
    {ConfImpuestosPorPartida, "ConfImpuestosPorPartida", ControlLinea::Casilla, "ImpuestosPartida", "Ver Impuestos por Partida/Iva Desglosado", "Opciones", "", ValorLinea::SN, "N"},
    {ConfConsecutivoClientes, "ConfConsecutivoClientes", ControlLinea::Casilla, "ConsecutivoClientes", "Consecutivo Clientes", "Opciones", "", ValorLinea::SN, "N"},
    {ConfConsecutivoProveedores, "ConfConsecutivoProveedores", ControlLinea::Casilla, "ConsecutivoProveedor", "Consecutivo Proveedores", "Opciones", "", ValorLinea::SN, "N"},
    {ConfFallosEnergia, "ConfFallosEnergia", ControlLinea::Casilla, "FalloEnergia", "Checar por Fallos de Energía y Sistema", "Opciones", "", ValorLinea::SN, "N"},
    {ConfModoCobranza, "ConfModoCobranza", ControlLinea::Casilla, "modoCobranza", "Modo Cuenta (cobranza)", "Opciones", "", ValorLinea::SN, "N"},
    {ConfActualizaExistencias, "ConfActualizaExistencias", ControlLinea::Casilla, "ActualizaExistencias", "Actualizar Existencias Segun Mov. Inv.", "Opciones", "", ValorLinea::SN, "N"},
    {ConfFormatoCxCDetallada, "ConfFormatoCxCDetallada", ControlLinea::Caja, "Edit32", "CxC Detallada", "Formatos", "", ValorLinea::Formato, ""},
    {ConfFormatoCxPDetallada, "ConfFormatoCxPDetallada", ControlLinea::Caja, "Edit33", "CxP Detallada", "Formatos", "", ValorLinea::Formato, ""},
    {ConfExistenciasNegativas, "ConfExistenciasNegativas", ControlLinea::Casilla, "Negativas", "Existencias menores a Cero", "Opciones", "", ValorLinea::SN, "N"},
    {ConfDigitosCantidad, "ConfDigitosCantidad", ControlLinea::Giro, "Digitos", "Digitos en Cantidad (Ventas)", "Modulos", "Facturación", ValorLinea::Entero, "2", 0, 5},
    {ConfPoliticasPrecios, "ConfPoliticasPrecios", ControlLinea::Casilla, "PoliticaPrecios", "Usar Políticas de Precios", "Opciones", "", ValorLinea::SN, "N"},
    {ConfCalculaPrecios, "ConfCalculaPrecios", ControlLinea::Casilla, "CalculaPrecios", "Calcular Precios Según Costos", "Opciones", "", ValorLinea::SN, "N"},
    {ConfDigitosTotal, "ConfDigitosTotal", ControlLinea::Giro, "DigitosTotal", "Redondear Total a digitos en PV", "Modulos", "Facturación", ValorLinea::Entero, "0", 0, 100},
    {ConfMultialmacen, "ConfMultialmacen", ControlLinea::Casilla, "Usar_Multialmacen", "Utilizar Multialmacenes", "Opciones", "", ValorLinea::SN, "N"},
    {ConfCapturaClaves, "ConfCapturaClaves", ControlLinea::Casilla, "Captura_Claves", "Capturar Claves desde Venta", "Opciones", "", ValorLinea::SN, "N"},
    {ConfComprasPiezas, "ConfComprasPiezas", ControlLinea::Casilla, "CheckBox51", "Piezas", "Calculo de Inventario", "Compras Convertir a:", ValorLinea::SN, "N"},
    {ConfComprasEmpaque, "ConfComprasEmpaque", ControlLinea::Casilla, "CheckBox52", "Empaque", "Calculo de Inventario", "Compras Convertir a:", ValorLinea::SN, "N"},
    {ConfVentasPiezas, "ConfVentasPiezas", ControlLinea::Casilla, "CheckBox53", "Piezas", "Calculo de Inventario", "Ventas Convertir a:", ValorLinea::SN, "N"},
    {ConfVentasEmpaque, "ConfVentasEmpaque", ControlLinea::Casilla, "CheckBox54", "Empaque", "Calculo de Inventario", "Ventas Convertir a:", ValorLinea::SN, "N"},
    {ConfEntradasPiezas, "ConfEntradasPiezas", ControlLinea::Casilla, "CheckBox55", "Piezas", "Calculo de Inventario", "Entradas", ValorLinea::SN, "N"},
    {ConfEntradasEmpaque, "ConfEntradasEmpaque", ControlLinea::Casilla, "CheckBox56", "Empaque", "Calculo de Inventario", "Entradas", ValorLinea::SN, "N"},
    {ConfSalidasPiezas, "ConfSalidasPiezas", ControlLinea::Casilla, "CheckBox57", "Piezas", "Calculo de Inventario", "Salidas", ValorLinea::SN, "N"},
    {ConfSalidasEmpaque, "ConfSalidasEmpaque", ControlLinea::Casilla, "CheckBox58", "Empaque", "Calculo de Inventario", "Salidas", ValorLinea::SN, "N"},
    {ConfTraspasosPiezas, "ConfTraspasosPiezas", ControlLinea::Casilla, "CheckBox59", "Piezas", "Calculo de Inventario", "Traspasos", ValorLinea::SN, "N"},
    {ConfTraspasosEmpaque, "ConfTraspasosEmpaque", ControlLinea::Casilla, "CheckBox60", "Empaque", "Calculo de Inventario", "Traspasos", ValorLinea::SN, "N"},
    {ConfDescuentosClienteLinea, "ConfDescuentosClienteLinea", ControlLinea::Casilla, "Descuentos", "Usar Descuentos por Cliente y Linea", "Opciones", "", ValorLinea::SN, "N"},
    {ConfCarpetaInventario, "ConfCarpetaInventario", ControlLinea::Caja, "EditInventario", "Ruta de Inventario", "Modulos", "Rutas Especiales", ValorLinea::Carpeta, ""},
    {ConfFormatoCheque, "ConfFormatoCheque", ControlLinea::Caja, "Edit34", "Cheque", "Formatos", "", ValorLinea::Formato, ""},
    {ConfDescuentoGlobal, "ConfDescuentoGlobal", ControlLinea::Casilla, "DescuentoGlobal", "Hablilitar Descuento Global", "Opciones", "", ValorLinea::SN, "N"},
    {ConfPagosCaja, "ConfPagosCaja", ControlLinea::Casilla, "PagosCaja", "Habilitar para Recibir Pagos Caja", "Modulos", "", ValorLinea::SN, "N"},
    {ConfCarpetaRemisiones, "ConfCarpetaRemisiones", ControlLinea::Caja, "EditRemisiones", "Ruta Remisiones", "Modulos", "Rutas Especiales", ValorLinea::Carpeta, ""},
    {ConfConsecutivoProductos, "ConfConsecutivoProductos", ControlLinea::Casilla, "ConsecutivoProductos", "Consecutivo Productos", "Opciones", "", ValorLinea::SN, "N"},
    {ConfVistaResaltada, "ConfVistaResaltada", ControlLinea::Radios, "VistaResaltada", "Vista Resaltada", "Ventanas", "", ValorLinea::SN, "N", 0, 0, "VistaClasica", "Vista Clásica"},
    {ConfReservada66, "ConfReservada66", ControlLinea::Ninguno, "", "", "", "", ValorLinea::Texto, ""},
    {ConfReservada67, "ConfReservada67", ControlLinea::Ninguno, "", "", "", "", ValorLinea::Texto, ""},
    {ConfTablaCxC, "ConfTablaCxC", ControlLinea::Caja, "EditTablaDeCxC", "Tabla de CxC", "Modulos", "", ValorLinea::Texto, ""},
    {ConfBusquedaAvanzada, "ConfBusquedaAvanzada", ControlLinea::Casilla, "BusquedaAvanzada", "Busqueda avanzada en captura", "Opciones", "", ValorLinea::SN, "N"},
    {ConfMaximoPartidas, "ConfMaximoPartidas", ControlLinea::Caja, "PartidasFactura", "Máximo de Partidas", "Modulos", "Facturación", ValorLinea::Entero, "30"},
    {ConfChequeoPermanenteMI, "ConfChequeoPermanenteMI", ControlLinea::Casilla, "CheceoPermanente", "Chequeo Permanente MI", "Opciones", "", ValorLinea::SN, "N"},
    {ConfFactorStock, "ConfFactorStock", ControlLinea::Caja, "Edit35", "Reporte Existencias y Stock Mnimo", "Modulos", "Factor para Stock", ValorLinea::Decimal, "0"},
    {ConfDigitosCosto, "ConfDigitosCosto", ControlLinea::Caja, "Edit36", "Digitos en Costo/Precio", "Modulos", "Compras", ValorLinea::Entero, ""},
    {ConfCarpetaFacturaElectronica, "ConfCarpetaFacturaElectronica", ControlLinea::Caja, "EditFE", "Ruta Factura Electrónica", "Electrónica", "", ValorLinea::Carpeta, ""},
    {ConfNumerosSerie, "ConfNumerosSerie", ControlLinea::Casilla, "CheckSeries", "Habilitar Números de Serie", "Modulos", "", ValorLinea::SN, "N"},
    {ConfKits, "ConfKits", ControlLinea::Casilla, "TieneKit", "Tiene Kits", "Modulos", "", ValorLinea::SN, "N"},
    {ConfTurnos, "ConfTurnos", ControlLinea::Casilla, "CheckTurno", "Tiene Turno", "Modulos", "", ValorLinea::SN, "N"},
    {ConfKardexIntegral, "ConfKardexIntegral", ControlLinea::Casilla, "Ver_KDX", "Kardex Integral", "Modulos", "Rutas Especiales", ValorLinea::SN, "N"},
    {ConfCFDI, "ConfCFDI", ControlLinea::Casilla, "CheckCFDI", "Activar CFDI", "Electrónica", "", ValorLinea::SN, "N"},
    {ConfCostoMayor, "ConfCostoMayor", ControlLinea::Casilla, "CheckCostoMayor", "Costo MAYOR", "Opciones", "", ValorLinea::SN, "N"},
    {ConfImpresoraSistema, "ConfImpresoraSistema", ControlLinea::Caja, "EditImpresoraSistema", "Impresora del Sistema", "Opciones", "", ValorLinea::Texto, ""},
    {ConfDescuentosCompras, "ConfDescuentosCompras", ControlLinea::Casilla, "CheckDescuentos", "Usar Descuentos en Compras", "Modulos", "", ValorLinea::SN, "N"},
    {ConfFormulaCosto, "ConfFormulaCosto", ControlLinea::Caja, "EditFormulaCosto", "Fórmula para Calcular Precios  por Costo", "Modulos", "Compras", ValorLinea::Texto, ""},
    {ConfPrecioEnCompra, "ConfPrecioEnCompra", ControlLinea::Casilla, "CheckPrecioEnCompra", "Precio en Compra", "Opciones", "", ValorLinea::SN, "N"},
    {ConfBitacora, "ConfBitacora", ControlLinea::Casilla, "CheckBitacora", "Guardar Bitacora", "Ventanas", "", ValorLinea::SN, "N"},
    {ConfSoloCodigoBidimensional, "ConfSoloCodigoBidimensional", ControlLinea::Casilla, "CheckBidimensional", "Solo Código Bidimensional", "Electrónica", "", ValorLinea::SN, "N"},
    {ConfFechaInicialFolios, "ConfFechaInicialFolios", ControlLinea::Caja, "FechaInicial", "Fecha Inicial", "Electrónica", "Vigencia", ValorLinea::Texto, ""},
    {ConfFechaFinalFolios, "ConfFechaFinalFolios", ControlLinea::Caja, "FechaFinal", "Fecha Final", "Electrónica", "Vigencia", ValorLinea::Texto, ""},
    {ConfFolioInicial, "ConfFolioInicial", ControlLinea::Caja, "FolioInicial", "Folio Inicial", "Electrónica", "", ValorLinea::Texto, ""},
    {ConfFolioFinal, "ConfFolioFinal", ControlLinea::Caja, "FolioFinal", "Folio Final", "Electrónica", "", ValorLinea::Texto, ""},
    {ConfTotalAcumulado, "ConfTotalAcumulado", ControlLinea::Caja, "EditAcumulado", "Total en Acumulado ", "Sistema", "", ValorLinea::Decimal, ""},
    {ConfGenerarMI, "ConfGenerarMI", ControlLinea::Caja, "EditMI", "Generar MI", "Sistema", "", ValorLinea::Texto, ""},
    {ConfModificarImpresas, "ConfModificarImpresas", ControlLinea::Caja, "EditModificarImpresa", "Modificar Impresas", "Sistema", "", ValorLinea::Texto, ""},
    {ConfMonedaFactura, "ConfMonedaFactura", ControlLinea::Caja, "EditCurrencyFactura", "Currencia Factura", "Sistema", "", ValorLinea::Texto, ""},
    {ConfConCortes, "ConfConCortes", ControlLinea::Casilla, "CheckBoxCORTES", "Con Cortes", "Sistema", "", ValorLinea::SN, "N"},
    {ConfCxCRemisiones, "ConfCxCRemisiones", ControlLinea::Casilla, "CheckBoxCxCRemisiones", "CxC Remisiones", "Sistema", "", ValorLinea::SN, "N"},
    {ConfBloqueaCambioVendedor, "ConfBloqueaCambioVendedor", ControlLinea::Casilla, "CheckCambioVendedor", "Deshabilitar  Cambio Vendedor", "Sistema", "", ValorLinea::SN, "N"},
    {ConfBloqueaPorAdeudos, "ConfBloqueaPorAdeudos", ControlLinea::Casilla, "CheckAdeudos", "Bloquea por Adeudos", "Sistema", "", ValorLinea::SN, "N"},
    {ConfPagarCxCMostrador, "ConfPagarCxCMostrador", ControlLinea::Casilla, "CheckPagarMostrador", "Pagar CxC Cliente Mostrador", "Sistema", "", ValorLinea::SN, "N"},
};
// clang-format on

}  // namespace

bool DefLineaConfig::Reservada() const {
  switch (linea) {
    case ConfReservada4:
    case ConfReservada10:
    case ConfReservada26:
    case ConfReservada27:
    case ConfReservada66:
    case ConfReservada67:
      return true;
    default:
      return false;
  }
}

const QVector<DefLineaConfig>& LineasConfiguracion() { return kLineas; }

const DefLineaConfig* DefinicionLinea(int n) {
  if (n < 1 || n > kLineasConfiguracion) return nullptr;
  return &kLineas[n - 1];
}

QStringList ValoresInicialesConfiguracion() {
  QStringList valores;
  valores.reserve(kLineasConfiguracion);
  for (const DefLineaConfig& d : kLineas) valores << d.Inicial();
  return valores;
}

QString ArchivoEmpresa(const QString& carpetaPrograma, const QString& numero) {
  return carpetaPrograma + QStringLiteral("\\Gener") + numero + QStringLiteral(".cnf");
}

void EscribeConfiguracionEmpresa(const QString& ruta, QStringList valores) {
  valores.resize(kLineasConfiguracion);
  fs::ReescribeLineas(ruta, valores);
}

QString CarpetaDatosEmpresa() {
  QString datos;
  LeeLineaConfig(ConfCarpetaDatos, datos);
  if (datos.isEmpty())
    throw plat::Error(plat::Clase::NoExiste,
                      QStringLiteral("La configuración de la empresa no indica la carpeta de datos"));
  return datos;
}
