// The report definitions of the sale screen's Reportes menu as the runner
// receives them: every list report's script and arguments, the sections of
// the cash cuts, their titles and summary layouts.

#include "reports/GuionReporte.h"
#include "salesdocs/CortesVenta.h"
#include "salesdocs/GuionesVenta.h"
#include "support/RaizPrueba.h"

#include <gtest/gtest.h>

namespace {

LugarReporte Lugar() {
  LugarReporte l;
  l.encabezado = "Remision.dbf";
  l.partidas = "RemisioD.dbf";
  l.productos = "INVENTAR.DBF";
  // Each folder its own: every table is read where the company keeps it.
  l.carpetas = db::Carpetas{"C:\\D", "C:\\I", "C:\\R", "C:\\VRL"};
  return l;
}

ContextoReporte Contexto() {
  ContextoReporte x;
  x.lugar = Lugar();
  x.tituloPantalla = "Punto de Venta CAPTURA RAPIDA caja";
  x.numeroActual = "4";
  x.numeroUltimo = "9";
  x.momento = QDateTime(QDate(2010, 3, 5), QTime(10, 15, 0));
  x.usuario = "ADM";
  return x;
}

struct Esperado {
  const char* clave;
  const char* titulo;
  const char* campoClave;
  const char* fechaDesde;
  const char* fechaHasta;
  const char* busca;
  DatosReporteVenta datos;
  const char* guion;
};

// Every list report: its script with the folders above, and the runner's
// arguments (the screen on document 4, the header table's last row 9).
const Esperado kEsperados[] = {
    {"ConsecutivodeFacturas1", "Consecutivo de Documentos", "CLDOC_F", "FEDOC_F", "FEDOC_F", "4", DatosReporteVenta::Encabezado,
     "$Consecutivo de Documentos\r& Select CLDOC_F,NOMBR_F,IMTOD_F,SUBTO_F,IMIM2_F,IEPS1_F,FEDOC_F from \"C:\\R\\Remision.dbf\"\r?(STATU_F<>\"C\" OR STATU_F IS NULL) ¿\r!cldoc_f\r%e           c                  t            t              t             t             c         \r#DOCUMENTOS  NOMBRE             IMPORTE       SUBTOTAL      IMPUESTO      IEPS          FECHA     \r@\r"},
    {"DocumentosPagados1", "Documentos Pagados", "CLDOC_F", "FEDOC_F", "FEDOC_F", "4", DatosReporteVenta::Encabezado,
     "$Documentos Pagados\r& Select CLDOC_F,NOMBR_F,IMTOD_F,SUBTO_F-(SUBTO_F*DECOT_F/100),IMIM2_F,FEDOC_F from \"C:\\R\\Remision.dbf\"\r?(STATU_F<>\"C\" OR STATU_F IS NULL) and (PAGOX_F>\"A\") ¿\r!cldoc_f\r%e           c                  t            t              t             c         \r#DOCUMENTOS  NOMBRE             IMPORTE       SUBTOTAL      IMPUESTO      FECHA     \r@\r"},
    {"DocumentosnoPagados1", "Documentos No Pagados", "CLDOC_F", "FEDOC_F", "FEDOC_F", "4", DatosReporteVenta::Encabezado,
     "$Documentos No Pagados\r& Select CLDOC_F,NOMBR_F,IMTOD_F,SUBTO_F-(SUBTO_F*DECOT_F/100),IMIM2_F,FEDOC_F from \"C:\\R\\Remision.dbf\"\r?(STATU_F<>\"C\" OR STATU_F IS NULL) and(PAGOX_F <\"A\") ¿\r!cldoc_f\r%e           c                  t            t              t             c         \r#DOCUMENTOS  NOMBRE             IMPORTE       SUBTOTAL      IMPUESTO      FECHA     \r@\r"},
    {"DocumentosCancelados1", "Documentos Cancelados", "CLDOC_F", "FEDOC_F", "FEDOC_F", "9", DatosReporteVenta::Encabezado,
     "$Documentos Cancelados\r& Select CLDOC_F,CLCLI_F,NOMBR_F,SUBTO_F-(SUBTO_F*(DECOT_F/100)),IMIM2_F,IMTOD_F,FEDOC_F,ORIGE_F from \"C:\\R\\Remision.dbf\"\r?(STATU_F=\"C\" ) ¿\r!cldoc_f\r%e          c          c               t              t             t            c            c             \r#DOCUMENTO  CLIENTE    NOMBRE          SUBTOTAL       IVA           TOTAL        FECHA        CANCELADO_POR\r@\r"},
    {"Comisiones1", "Comisiones", "CLDOC_F", "FEDOC_F", "FEDOC_F", "4", DatosReporteVenta::Encabezado,
     "$Comisiones\r& Select CLVEN_F,CLDOC_F,SUBTO_F-(SUBTO_F*DECOT_F/100),(SUBTO_F-(SUBTO_F*DECOT_F/100))*(CTOVE_F*0.01),IMTOD_F,IMTOD_F*CTOVE_F*0.01,FEDOC_F from \"C:\\R\\Remision.dbf\"\r?(STATU_F<>\"C\" OR STATU_F IS NULL) ¿\r!CLVEN_F,cldoc_f\r>CLVEN_F\r%c          c           t             t                 t              t                  c        \r#VENDEDOR   DOCUMENTO   SUBTOTAL      COMISION/SUB.     TOTAL_DOC      COMISION/TOT.      FECHA    \r@\r"},
    {"ComisionesDetallado1", "Comisiones Detallado", "CLDOC_F", "FEDOC_F", "FEDOC_F", "9", DatosReporteVenta::Encabezado,
     "$Comisiones Detallado\r& Select cldoc_f,NOMBR_F,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F from \"C:\\R\\Remision.dbf\"\r?(STATU_F<>\"C\" OR STATU_F IS NULL) ¿\r!CLCLI_F,cldoc_f\r%e          p,1,3           c        t           t           t           c\r#DOCUMENTOS  NOMBRE     CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA     \r@\r"},
    {"VentasyUtilidad1", "Ventas y Utilidad", "CLDOC_F", "FEDOC_F", "FEDOC_F", "4", DatosReporteVenta::Encabezado,
     "$Ventas y Utilidad\r& Select CLDOC_F,NOMBR_F,COSTO_F,SUBTO_F-(SUBTO_F*DECOT_F/100),((SUBTO_F-(SUBTO_F*DECOT_F/100)))-COSTO_F,((SUBTO_F-COSTO_F)/SUBTO_F)*100,FEDOC_F from \"C:\\R\\Remision.dbf\"\r?(STATU_F<>\"C\" OR STATU_F IS NULL) ¿\r!cldoc_f\r%e           c             t            t             t            m            c         \r#DOCUMENTOS  NOMBRE        COSTO        SUBTOTAL      UTILIDAD     PROM.UTILID. FECHA     \r@\r"},
    {"VentasporArtculo1", "Ventas por Artículo", "CLDOC_FD", "FEDOC_FD", "FEDOC_FD", "4", DatosReporteVenta::Partidas,
     "$Ventas por Artículo\r& Select CLDOC_FD,CLPRO_FD,DEPRO_FD,CANTI_FD,CANTI_FD*COPRO_FD,(CANTI_FD*PREDE_FD),(CANTI_FD*PREDE_FD)-(CANTI_FD*COPRO_FD),((PREDE_FD-COPRO_FD)/PREDE_FD)*100,FEDOC_FD from \"C:\\R\\RemisioD.dbf\"\r?(TREGI_FD<>\"C\" OR TREGI_FD IS NULL) ¿\r!CLPRO_FD\r%e          c            c               t               t              t                  t             m             c\r#DOCUMENTO  PRODUCTO     DESCRIPCION     CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID. FECHA     \r@\r"},
    {"VentasporVendedor2", "Ventas por Vendedor y Artículo", "CLDOC_FD", "FEDOC_FD", "FEDOC_FD", "4", DatosReporteVenta::Partidas,
     "$Ventas por Vendedor y Artículo\r& Select E.CLVEN_F,F.CLDOC_FD,F.DEPRO_FD,F.CLPRO_FD,F.CANTI_FD,F.CANTI_FD*F.COPRO_FD,(F.CANTI_FD*F.PUNPR_FD),(F.CANTI_FD*F.PUNPR_FD)-(F.CANTI_FD*F.COPRO_FD),((PUNPR_FD-COPRO_FD)/PUNPR_FD)*100,F.FEDOC_FD,E.CLDOC_F from \"C:\\R\\RemisioD.dbf\" AS F,\"C:\\R\\Remision.dbf\" as E\r?(TREGI_FD<>\"C\" OR TREGI_FD IS NULL) and (F.CLDOC_FD=E.CLDOC_F) ¿\r!CLVEN_F\r>CLVEN_F\r%c     e          c                c             t               t              t                  t             m                 c\r#VEND  DOCUMENTO  DESCRIPCION      CLAVE         CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID.     FECHA     \r@\r"},
    {"VentasaCrdito1", "Ventas a Crédito", "CLDOC_F", "FEDOC_F", "FEDOC_F", "4", DatosReporteVenta::Encabezado,
     "$Ventas a Crédito\r& Select CLDOC_F,CLCLI_F,IMTOD_F,SUBTO_F,IMIM2_F,SALDO_F,FEDOC_F from \"C:\\R\\Remision.dbf\"\r?(STATU_F<>\"C\" OR STATU_F IS NULL)AND (SALDO_F>0 AND (PAGOX_F=\"CREDITO\" OR PAGOX_F=\"Credito\" OR PAGOX_F=\"Crédito\"))¿\r!cldoc_f\r%e           c                  t            t              t             t               c         \r#DOCUMENTOS  CLIENTE            IMPORTE       SUBTOTAL      IMPUESTO      SALDO           FECHA     \r@\r"},
    {"VentasaCrditoTodas1", "Ventas a Crédito (Todas)", "CLDOC_F", "FEDOC_F", "FEDOC_F", "4", DatosReporteVenta::Encabezado,
     "$Ventas a Crédito (Todas)\r& Select CLDOC_F,CLCLI_F,IMTOD_F,SUBTO_F,IMIM2_F,SALDO_F,FEDOC_F from \"C:\\R\\Remision.dbf\"\r?(STATU_F<>\"C\" OR STATU_F IS NULL)AND (PAGOX_F=\"CREDITO\" OR PAGOX_F=\"Credito\" OR PAGOX_F=\"Crédito\")¿\r!cldoc_f\r%e           c                  t            t              t             t               c         \r#DOCUMENTOS  CLIENTE            IMPORTE       SUBTOTAL      IMPUESTO      SALDO           FECHA     \r@\r"},
    {"UtilidadporProducto1", "Utilidad por Producto", "CLDOC_FD", "FEDOC_FD", "FEDOC_FD", "4", DatosReporteVenta::Partidas,
     "$Utilidad por Producto\r& Select CLDOC_FD,CLPRO_FD,DEPRO_FD,CANTI_FD,CANTI_FD*COPRO_FD,(CANTI_FD*PREDE_FD),(CANTI_FD*PREDE_FD)-(CANTI_FD*COPRO_FD),((PREDE_FD-COPRO_FD)/PREDE_FD)*100,FEDOC_FD from \"C:\\R\\RemisioD.dbf\"\r?(TREGI_FD<>\"C\" OR TREGI_FD IS NULL) ¿\r!cldoc_fd\r%e          c            c                t               t              t                  t             m             c\r#DOCUMENTO  PRODUCTO     DESCRIPCION      CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID. FECHA     \r@\r"},
    {"UtilidadporProductoLinea1", "Utilidad por Producto (Linea)", "CLDOC_FD", "FEDOC_FD", "FEDOC_FD", "4", DatosReporteVenta::Partidas,
     "$Utilidad por Producto (Linea)\r&  Select I.LIPRO_I,F.CLPRO_FD,F.DEPRO_FD,F.CANTI_FD,(F.CANTI_FD*(F.COPRO_FD)),(F.CANTI_FD*F.PUNPR_FD),(F.CANTI_FD*F.PUNPR_FD)-(F.CANTI_FD*F.COPRO_FD),((F.PUNPR_FD-F.COPRO_FD)/F.PREDE_FD)*100,F.FEDOC_FD,F.CLDOC_FD,I.CLPRO_I,I.LIPRO_I,F.TREGI_FD from \"C:\\R\\RemisioD.dbf\" AS F,\"C:\\I\\INVENTAR.DBF\" as I\r?(F.TREGI_FD<>\"C\" OR F.TREGI_FD IS NULL)and(F.CLPRO_FD=I.CLPRO_I) ¿\r!LIPRO_I\r>LIPRO_I\r%c         c          c                   t               t              t                  t             m                 c          e          \r#LINEA     CLAVE      DESCRIPCION         CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID.     FECHA      DOCUMENTO  \r@\r"},
    {"UtilidadporProductoProveedor1", "Utilidad por Producto (Proveedor)", "CLDOC_FD", "FEDOC_FD", "FEDOC_FD", "4", DatosReporteVenta::Partidas,
     "$Utilidad por Producto (Proveedor)\r& Select I.CLPR1_I,F.CLDOC_FD,F.DEPRO_FD,F.CLPRO_FD,F.CANTI_FD,F.CANTI_FD*F.COPRO_FD,(F.CANTI_FD*F.PREDE_FD),(F.CANTI_FD*F.PREDE_FD)-(F.CANTI_FD*F.COPRO_FD),((PREDE_FD-COPRO_FD)/PREDE_FD)*100,F.FEDOC_FD,I.CLPRO_I from \"C:\\R\\RemisioD.dbf\" AS F,\"C:\\I\\INVENTAR.DBF\" as I\r?(TREGI_FD<>\"C\" OR TREGI_FD IS NULL) and (F.CLPRO_FD=I.CLPRO_I) ¿\r!CLPR1_I\r>CLPR1_I\r%c           e          c                c             t               t              t                  t             m                 c\r#PROVEEDOR   DOCUMENTO  DESCRIPCION      CLAVE         CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID.     FECHA     \r@\r"},
    {"UtilidadporProductoantesdeIVA1", "Utilidad por Producto (antes de IVA)", "CLDOC_FD", "FEDOC_FD", "FEDOC_FD", "4", DatosReporteVenta::Partidas,
     "$Utilidad por Producto (antes de IVA)\r& Select CLDOC_FD,CLPRO_FD,DEPRO_FD,CANTI_FD,CANTI_FD*(COPRO_FD*(1+(PIVA1_FD/100))),(CANTI_FD*PUNPR_FD),(CANTI_FD*PUNPR_FD)-(CANTI_FD*(COPRO_FD*(1+(PIVA1_FD/100)))),((PUNPR_FD-COPRO_FD)/COPRO_FD)*100,FEDOC_FD from \"C:\\R\\RemisioD.dbf\"\r?(TREGI_FD<>\"C\" OR TREGI_FD IS NULL) ¿\r!cldoc_fd\r%e          c            c               t               t              t                  t             m             c\r#DOCUMENTO  PRODUCTO     DESCRIPCION     CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID. FECHA     \r@\r"},
    {"UtilidadMenor1", "Utilidad Menor  5%", "CLDOC_FD", "FEDOC_FD", "FEDOC_FD", "4", DatosReporteVenta::Partidas,
     "$Utilidad Menor  5%\r& Select CLDOC_FD,CLPRO_FD,CANTI_FD,CANTI_FD*(COPRO_FD*(1+(PIVA1_FD/100))),(CANTI_FD*PUNPR_FD),(CANTI_FD*PUNPR_FD)-(CANTI_FD*(COPRO_FD*(1+(PIVA1_FD/100)))),((PUNPR_FD-(COPRO_FD*(1+(PIVA1_FD/100))))/PUNPR_FD)*100,FEDOC_FD from \"C:\\R\\RemisioD.dbf\"\r?(TREGI_FD<>\"C\" OR TREGI_FD IS NULL) AND (((PUNPR_FD-(COPRO_FD*(1+(PIVA1_FD/100))))/PUNPR_FD)*100<5)¿\r!cldoc_fd\r%e          c            t               t              t                  t             m             c\r#DOCUMENTO  PRODUCTO     CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID. FECHA     \r@\r"},
    {"ConsentradoporArtculo1", "Concentrado por Artículo", "CLDOC_FD", "FEDOC_FD", "FEDOC_FD", "4", DatosReporteVenta::Partidas,
     "$Concentrado por Artículo\r& Select F.CLPRO_FD,F.CLDOC_FD,F.DEPRO_FD,I.LIPRO_I,F.CANTI_FD,F.CANTI_FD*F.COPRO_FD,(F.CANTI_FD*F.PREDE_FD),(F.CANTI_FD*F.PREDE_FD)-(F.CANTI_FD*F.COPRO_FD),((PREDE_FD-COPRO_FD)/PREDE_FD)*100,F.FEDOC_FD,I.CLPRO_I from \"C:\\R\\RemisioD.dbf\" AS F,\"C:\\I\\INVENTAR.DBF\" as I\r?(F.TREGI_FD<>\"C\" OR F.TREGI_FD IS NULL) and (F.CLPRO_FD=I.CLPRO_I) ¿\r!CLPRO_FD\r>CLPRO_FD\r%c         e          c                c             t               t              t                  t             m                 c\r#CLAVE     DOCUMENTO  DESCRIPCION      LINEA         CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID.     FECHA     \r@\r"},
    {"UtilidadporProductoCliente1", "Utilidad por Producto (Cliente)", "CLDOC_FD", "FEDOC_FD", "FEDOC_FD", "4", DatosReporteVenta::Partidas,
     "$Utilidad por Producto (Cliente)\r& Select I.CLCLI_F,F.CLDOC_FD,F.DEPRO_FD,F.CLPRO_FD,F.CANTI_FD,F.CANTI_FD*F.COPRO_FD,(F.CANTI_FD*F.PUNPR_FD),(F.CANTI_FD*F.PUNPR_FD)-(F.CANTI_FD*F.COPRO_FD),((PUNPR_FD-COPRO_FD)/COPRO_FD)*100,F.FEDOC_FD,I.CLCLI_F,I.CLDOC_F from \"C:\\R\\RemisioD.dbf\" AS F,\"C:\\R\\Remision.dbf\" as I\r?(TREGI_FD<>\"C\" OR TREGI_FD IS NULL)AND(F.CLDOC_FD=I.CLDOC_F) ¿\r!CLCLI_F\r>CLCLI_F\r%c           e          c                c             t               t              t                  t             m                 c\r#CLIENTE   DOCUMENTO  DESCRIPCION      CLAVE         CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID.     FECHA     \r@\r"},
    {"VendedoryLinea1", "Vendedor y Linea", "CLDOC_FD", "FEDOC_FD", "FEDOC_FD", "4", DatosReporteVenta::Partidas,
     "$Vendedor y Linea\r& Select E.CLVEN_F,F.CLDOC_FD,I.LIPRO_I,F.DEPRO_FD,F.CLPRO_FD,F.CANTI_FD,F.CANTI_FD*F.COPRO_FD,(F.CANTI_FD*F.PREDE_FD),(F.CANTI_FD*F.PREDE_FD)-(F.CANTI_FD*F.COPRO_FD),((PREDE_FD-COPRO_FD)/PREDE_FD)*100,F.FEDOC_FD,E.CLDOC_F from \"C:\\R\\RemisioD.dbf\" AS F,\"C:\\I\\INVENTAR.DBF\" as I, \"C:\\R\\Remision.dbf\" as E\r?(TREGI_FD<>\"C\" OR TREGI_FD IS NULL) and (F.CLDOC_FD=E.CLDOC_F) and (I.CLPRO_I=F.CLPRO_FD)¿\r!CLVEN_F,LIPRO_I,CLDOC_FD\r>CLVEN_F\r%c      e          c            c                c             t               t              t                  t             m                 c\r#VEND   DOCUMENTO  LINEA        DESCRIPCION      CLAVE         CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID.     FECHA     \r@\r"},
    {"LineaTemporal1", "Linea Temporal", "CLDOC_FD", "FEDOC_FD", "FEDOC_FD", "4", DatosReporteVenta::Partidas,
     "$Linea Temporal\r& Select E.CLVEN_F,F.CLDOC_FD,I.LITEM_I,F.DEPRO_FD,F.CLPRO_FD,F.CANTI_FD,F.CANTI_FD*F.COPRO_FD,(F.CANTI_FD*F.PREDE_FD),(F.CANTI_FD*F.PREDE_FD)-(F.CANTI_FD*F.COPRO_FD),((PREDE_FD-COPRO_FD)/PREDE_FD)*100,F.FEDOC_FD,E.CLDOC_F from \"C:\\R\\RemisioD.dbf\" AS F,\"C:\\I\\INVENTAR.DBF\" as I, \"C:\\R\\Remision.dbf\" as E\r?(TREGI_FD<>\"C\" OR TREGI_FD IS NULL) and (F.CLDOC_FD=E.CLDOC_F) and (I.CLPRO_I=F.CLPRO_FD)¿\r!CLVEN_F,LITEM_I,CLDOC_FD\r>CLVEN_F\r%c      e          c            c                c             t               t              t                  t             m                 c\r#VEND   DOCUMENTO  LINEA_TEMP   DESCRIPCION      CLAVE         CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID.     FECHA     \r@\r"},
    {"ReporteFPGC1", "Reporte FPGC", "CLDOC_FD", "FEDOC_FD", "FEDOC_FD", "4", DatosReporteVenta::Partidas,
     "$Reporte FPGC\r& Select CLDOC_FD,CLPRO_FD,CANTI_FD,DEPRO_FD,FPGCX_FD,FEDOC_FD from \"C:\\R\\RemisioD.dbf\"\r?(TREGI_FD<>\"C\" OR TREGI_FD IS NULL) AND (FPGCX_FD>0) ¿\r!cldoc_fd\r%e          c            t               c                         t             c\r#DOCUMENTO  PRODUCTO     CANTIDAD        DESCRIPCION               FPGC          FECHA     \r@\r"},
    {"CanceladasnoImpresas1", "Canceladas no Pagadas", "CLDOC_F", "FEDOC_F", "FEDOC_F", "9", DatosReporteVenta::Encabezado,
     "$Canceladas no Pagadas\r& Select PAGOX_F,CLDOC_F,CLCLI_F,NOMBR_F,SUBTO_F-(SUBTO_F*(DECOT_F/100)),IMIM2_F,IMTOD_F,FEDOC_F from \"C:\\R\\Remision.dbf\"\r?(STATU_F=\"C\" ) ¿\r!PAGOX_F,cldoc_f\r>PAGOX_F\r%c                 e          c          c               t              t             t            c\r#PAGADA            DOCUMENTO  CLIENTE    NOMBRE          SUBTOTAL       IVA           TOTAL        FECHA     \r@\r"},
    {"ProductosmsVendidos1", "Productos más Vendidos", "CLDOC_FD", "", "", "4", DatosReporteVenta::Partidas,
     "$Productos más Vendidos\r& Select CLPRO_FD,DEPRO_FD,SUM(CANTI_FD) AS TOTAL,SUM(CANTI_FD*PREDE_FD) AS IMPORTE from \"C:\\R\\RemisioD.dbf\" WHERE (TREGI_FD<>\"C\" OR TREGI_FD IS NULL) GROUP BY CLPRO_FD,DEPRO_FD HAVING Count(CANTI_FD) > 1 ORDER BY TOTAL DESC \r%c            c                            t                t              \r#PRODUCTO     DESCRIPCION                  TOTAL            IMPORTE        \r@\r"},
    {"VentasporVendedor3", "Ventas por Vendedor", "", "FEDOC_F", "FEDOC_F", "4", DatosReporteVenta::Encabezado,
     "$Ventas por Vendedor\r& Select CLVEN_F,SUM(IMTOD_F) from \"C:\\R\\Remision.dbf\"\r? (STATU_F<>\"C\" OR STATU_F IS NULL)  ¿ GROUP BY CLVEN_F  ORDER BY CLVEN_F\r%c            t                   \r#VENDEDOR     TOTAL               \r@\r"},
    {"DescuentosporDocumento1", "Descuentos por Documento", "CLDOC_FD", "FEDOC_FD", "FEDOC_FD", "4", DatosReporteVenta::Partidas,
     "$Descuentos por Documento\r& Select CLDOC_FD,CLPRO_FD,DEPRO_FD,CANTI_FD,(CANTI_FD*PUNPR_FD),(CANTI_FD*PUNPR_FD)*(1-(PDES1_FD*0.01)),(CANTI_FD*PUNPR_FD)*(PDES1_FD*0.01),PDES1_FD,FEDOC_FD from \"C:\\R\\RemisioD.dbf\"\r?(TREGI_FD<>\"C\" OR TREGI_FD IS NULL) AND (PDES1_FD>0)¿\r!cldoc_fd\r>CLDOC_FD\r%e          c         c                        t               t             t              t              f             c\r#DOCUMENTO  PRODUCTO  DESCRIPCION              CANTIDAD        IMPORTE       IMPORTE_DESCU  DESCUENTO      %DESCUENTO    FECHA     \r@\r"},
    {"DescuentoporProducto1", "Descuento por Producto", "CLDOC_FD", "FEDOC_FD", "FEDOC_FD", "4", DatosReporteVenta::Partidas,
     "$Descuento por Producto\r& Select CLDOC_FD,CLPRO_FD,DEPRO_FD,CANTI_FD,PUNPR_FD,PREDE_FD,PDES1_FD,(CANTI_FD*PUNPR_FD),(CANTI_FD*PREDE_FD),(CANTI_FD*PREDE_FD)-(CANTI_FD*COPRO_FD),((PREDE_FD-COPRO_FD)/PREDE_FD)*100,FEDOC_FD from \"C:\\R\\RemisioD.dbf\"\r?(TREGI_FD<>\"C\" OR TREGI_FD IS NULL) ¿\r!cldoc_fd\r%e          c            c                t           t             t              t           t               t                  t             m             c\r#DOCUMENTO  PRODUCTO     DESCRIPCION      CANTIDAD    PRECIO_NORMAL PRECIO_VENTA    DESCUENTO  IMPORTE_NORMAL  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID. FECHA     \r@\r"},
    {"DescuentoporUsuario1", "Descuento por Usuario", "CLDOC_F", "FEDOC_F", "FEDOC_F", "4", DatosReporteVenta::Encabezado,
     "$Descuento por Usuario\r& Select CLDOC_F,NOMBR_F,IMTOD_F,SUBTO_F,IMIM2_F,FEDOC_F,DESFI_F,USUARIO from \"C:\\R\\Remision.dbf\"\r?(STATU_F<>\"C\" OR STATU_F IS NULL)and(DESFI_F>0) ¿\r!cldoc_f\r%e           c                  t            t              t             c           f             c          \r#DOCUMENTOS  NOMBRE             IMPORTE       SUBTOTAL      IMPUESTO      FECHA        DESCUENTO    USUARIO    \r@\r"},
    {"VentasporProveedor1", "Ventas por Proveedor", "CLDOC_FD", "FEDOC_FD", "FEDOC_FD", "4", DatosReporteVenta::Partidas,
     "$Ventas por Proveedor\r& Select CLDOC_FD,CLPRO_FD,DEPRO_FD,CANTI_FD,CANTI_FD*COPRO_FD,(CANTI_FD*PREDE_FD),(CANTI_FD*PREDE_FD)-(CANTI_FD*COPRO_FD),((PREDE_FD-COPRO_FD)/PREDE_FD)*100,FEDOC_FD,NOMDI_FD from \"C:\\R\\RemisioD.dbf\"\r?(TREGI_FD<>\"C\" OR TREGI_FD IS NULL) ¿\r!CLPRO_FD\r%e          c            c               t               t              t                  t             m             c              c             \r#DOCUMENTO  PRODUCTO     DESCRIPCION     CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID. FECHA          PROVEEDOR     \r@\r"},
    {"comparativoPagadas2", "Punto de Venta CAPTURA RAPIDA caja", "", "FEDOC_F", "FEDOC_F", "4", DatosReporteVenta::Encabezado,
     "$Punto de Venta CAPTURA RAPIDA caja\r& Select PAGOX_F,IMTOD_F,SUBTO_F-(SUBTO_F*DECOT_F/100),IMIM2_F,CLDOC_F,FEDOC_F from \"C:\\R\\Remision.dbf\"\r?(STATU_F<>\"C\" OR STATU_F IS NULL) AND (PAGOX_F>\"A\") ¿\r!PAGOX_F\r%c                       t            t              t             e            c         \r#PAGO                    IMPORTE       SUBTOTAL      IMPUESTO      DOCUMENTO    FECHA     \r@\r"},
    {"DocumentossinFacturar1", "Documentos sin Facturar", "CLDOC_F", "FEDOC_F", "FEDOC_F", "4", DatosReporteVenta::Encabezado,
     "$Documentos sin Facturar\r& Select CLDOC_F,NOMBR_F,IMTOD_F,SUBTO_F,IMIM2_F,FEDOC_F from \"C:\\R\\Remision.dbf\"\r?(STATU_F<>\"C\" OR STATU_F IS NULL) and (REMIS_F =\"\") ¿\r!cldoc_f\r%e           c                  t            t              t             c         \r#DOCUMENTOS  NOMBRE             IMPORTE       SUBTOTAL      IMPUESTO      FECHA     \r@\r"},
    {"VentasporCantidad1", "Ventas por Cantidad", "CLDOC_FD", "FEDOC_FD", "FEDOC_FD", "4", DatosReporteVenta::Partidas,
     "$Ventas por Cantidad\r& Select CLDOC_FD,CLPRO_FD,DEPRO_FD,CANTI_FD,FEDOC_FD,CANTI_FD*COPRO_FD,(CANTI_FD*PREDE_FD),(CANTI_FD*PREDE_FD)-(CANTI_FD*COPRO_FD),((PREDE_FD-COPRO_FD)/PREDE_FD)*100 from \"C:\\R\\RemisioD.dbf\"\r?(TREGI_FD<>\"C\" OR TREGI_FD IS NULL) ¿\r!cldoc_fd\r%e          c            c                t               c           \r#DOCUMENTO  PRODUCTO     DESCRIPCION      CANTIDAD        FECHA       \r@\r"},
    {"NmerodeVentasporVendedor1", "Número de Ventas por Vendedor", "", "FEDOC_F", "FEDOC_F", "4", DatosReporteVenta::Encabezado,
     "$Número de Ventas por Vendedor\r& Select V.NOMBR_V,Count(*) from \"C:\\R\\Remision.dbf\" As F,  \"C:\\D\\Vendedor.dbf\" As V\r? V.CLVEN_V=F.CLVEN_F AND (STATU_F<>\"C\" OR STATU_F IS NULL)  ¿ GROUP BY V.NOMBR_V  ORDER BY V.NOMBR_V\r%c              t                   \r#NOMBRE         TOTAL               \r@\r"},
    {"SaldosporDocumento1", "Saldos por Documento", "CLDOC_F", "FEVEN_F", "FEVEN_F", "4", DatosReporteVenta::Encabezado,
     "$Saldos por Documento\r& Select CLDOC_F,NOMBR_F,IMTOD_F,IMTOD_F-SALDO_F,SALDO_F,FEENT_F,FEVEN_F from \"C:\\R\\Remision.dbf\"\r?(STATU_F<>\"C\" OR STATU_F IS NULL) ¿\r!CLDOC_F\r%e          c          t              t             t              c              c              \r#DOCUMENTO  NOMBRE     IMPORTE        ABONOS        SALDO          FECHA_APL      FECHA_VENC     \r@\r"},
    {"SaldosNoPagadas1", "Saldos No Pagadas", "CLDOC_F", "FEVEN_F", "FEVEN_F", "4", DatosReporteVenta::Encabezado,
     "$Saldos No Pagadas\r& Select CLDOC_F,NOMBR_F,IMTOD_F,IMTOD_F-SALDO_F,SALDO_F,FEENT_F,FEVEN_F from \"C:\\R\\Remision.dbf\"\r?(STATU_F<>\"C\" OR STATU_F IS NULL) and SALDO_F>0 ¿\r!CLDOC_F\r%e          c          t              t             t           c              c              \r#DOCUMENTO  NOMBRE     IMPORTE        ABONOS        SALDO       FECHA_APL      FECHA_VENC     \r@\r"},
    {"CobrosporDa1", "Cobros por Día", "", "FEAPL_CC", "FEAPL_CC", "", DatosReporteVenta::Cobros,
     "$Cobros por Día\r& Select C.NUFAC_CC,C.NOMBR_CC,TIMOV_CC,D.CONCE_MO,C.IMCUE_CC,C.SALDO_CC,C.FEAPL_CC,F.FEVEN_F,D.NUMOV_MO from \"C:\\R\\CucobrarRemision.DBF\" AS C, \"C:\\R\\Remision.dbf\" AS F, \"C:\\D\\CONCEPTO.DBF\" AS D\r?(ABONO_CC>0.1) AND (F.CLDOC_F=C.NUFAC_CC) AND (TIMOV_CC=D.NUMOV_MO) ¿\r!NUFAC_CC\r%e          c              e        c              t              t               c              c              \r#DOCUMENTO  NOMBRE         TIPO     MOVIMIENTO     IMPORTE        SALDO           FECHA_APL      FECHA_VENC     \r@\r"},
    {"EntradasyRetirosdeEfectivo1", "Entradas y Retiros de Efectivo", "CLDOC_F", "FEDOC_F", "FEDOC_F", "", DatosReporteVenta::Retiros,
     "$Entradas y Retiros de Efectivo RETIROS \r& Select CLDOC_F,CONCEPTO,CANTIDAD*(-1),FEDOC_F,NUM_CONCEP,NUM_CONCEP*0 from \"C:\\R\\retiros.dbf\" WHERE (NUM_CONCEP=1 AND CLDOC_F=CLDOC_F) ¿  UNION Select CLDOC_F,CONCEPTO,CANTIDAD,FEDOC_F,NUM_CONCEP,NUM_CONCEP*0 from \"C:\\R\\retiros.dbf\"\r? (NUM_CONCEP=2 AND CLDOC_F=CLDOC_F)¿\r!CLDOC_F\r%e           c            t            c             c          \r#DOCUMENTOS  CONCEPTO     IMPORTE      FECHA         TIPO       \r@\r"},
    {"CorteDetallado1", "Corte Detallado", "CLDOC_FD", "FEDOC_FD", "FEDOC_FD", "4", DatosReporteVenta::Partidas,
     "$Corte Detallado\r& Select CLDOC_FD,CLPRO_FD,DEPRO_FD,CANTI_FD,PUNPR_FD,IMPOR_FD,FEDOC_FD from \"C:\\R\\RemisioD.dbf\"\r?(TREGI_FD<>\"C\" OR TREGI_FD IS NULL) ¿\r!cldoc_fd\r>cldoc_fd\r%e          c               c                    t               f              t               c\r#DOCUMENTO  PRODUCTO        DESCRIPCIÓN          CANTIDAD        PRECIO         IMPORTE         FECHA     \r@\r"},
};

}  // namespace

TEST(DefinicionesReporte, CadaReporteDaSuGuionYSusArgumentos) {
  ASSERT_EQ(FilasReporteVenta().size(), std::size(kEsperados));
  for (const Esperado& e : kEsperados) {
    SCOPED_TRACE(e.clave);
    const FilaReporteVenta* fila = FilaReporte(QString::fromLatin1(e.clave));
    ASSERT_TRUE(fila);
    const ArgumentosReporteVenta a = ArgumentosDeFila(*fila, Contexto());
    EXPECT_EQ(a.guion, QString::fromUtf8(e.guion));
    EXPECT_EQ(a.titulo, QString::fromUtf8(e.titulo));
    EXPECT_EQ(a.campoClave, e.campoClave);
    EXPECT_EQ(a.fechaDesde, e.fechaDesde);
    EXPECT_EQ(a.fechaHasta, e.fechaHasta);
    EXPECT_EQ(a.claveBusca, e.busca);
    EXPECT_EQ(a.datos, e.datos);
    EXPECT_EQ(a.tipo, 0);
    EXPECT_EQ(a.mascara, "");
    EXPECT_TRUE(a.dialogo);
    EXPECT_EQ(a.sentido, u' ');
  }
}

TEST(DefinicionesReporte, CorteZCompletoByteAByte) {
  const CorteVenta* corte = CorteDeClave("CorteZ1");
  ASSERT_TRUE(corte);
  const ArgumentosReporteVenta a = ArgumentosDeCorte(*corte, Contexto());
  const QString remision = "\"C:\\R\\remision.dbf\"";
  const QString guion = QString::fromUtf8(
      "$Corte Z  05/03/2010 REMISIONES ADM HORA : 10:15:00\r"
      "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,DECOT_F,(SUBTO_F+IMIM2_F)*(DESFI_F/100),IEPS1_F,EXENT_F,"
      "IEPS2_F,IVAX1_F,IEPS3_F,IVAX2_F from \"C:\\R\\remision.dbf\"\r"
      "?(STATU_F<>\"C\" OR STATU_F IS NULL)AND (REMIS_F =\"\") \u00BF\r"
      "!cldoc_f\r"
      "%e           c            t             t             t             c            t            t            t     "
      "        t           t           t           t            t        \r"
      "#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA        DESCUENTO    DESCUENTO_G  IEPS  "
      "        et          et          et          et           et        \r"
      "@\r"
      "$Corte Z FACTURADAS DESDE REMISION\r"
      "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F*0,FPGCX_F*0,IEPS1_F from \"C:\\R\\remision.dbf\"\r"
      "?((STATU_F<>\"C\" OR STATU_F IS NULL)AND REMIS_F>\" \") \u00BF \r"
      "!cldoc_f\r"
      "%e           c            t             t             t             c          t       t             t           \r"
      "#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA      FPGC    DESCUENTO_G   IEPS        \r"
      "@\r"
      "$Corte Z FACTURADAS DIRECTAMENTE \r"
      "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F*0,FPGCX_F*0,FPGCX_F*0 from \"C:\\D\\FACTURAE.dbf\"\r"
      "?((STATU_F<>\"C\" OR STATU_F IS NULL)AND CLPED_F IS NULL) \u00BF \r"
      "!cldoc_f\r"
      "%e           c        t           t           t           c              t            t            t        \r"
      "#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA     FPGC    DESCUENTO_G  IEPS     \r"
      "@\r"
      "$Corte Z CANCELADAS \r"
      "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F*0,FPGCX_F*0,IEPS1_F from \"C:\\R\\remision.dbf\"\r"
      "?(STATU_F=\"C\") \u00BF\r"
      "!cldoc_f\r"
      "%e           c        t           t           t           c             t           t             t           \r"
      "#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA     FPGC   DESCUENTO_G  IEPS        \r"
      "@\r"
      "$Corte Z DEVOLUCIONES \r"
      "& Select cldoc_f,CLCLI_F,imtod_f*0,SUBTO_F*0,IMIM2_F*0,FEDOC_F,FPGCX_F*0,FPGCX_F*0,FPGCX_F*0 from \"C:\\D\\devoluc.dbf\"\r"
      "?(STATU_F<>\"C\" OR STATU_F IS NULL) \u00BF\r"
      "!cldoc_f\r"
      "%e           c        t           t           t           c             t           t            t        \r"
      "#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA     FPGC   DESCUENTO_G  _       \r"
      "@\r"
      "$Corte Z RETIROS \r"
      "& Select CLDOC_F,CONCEPTO,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F,CANTIDAD,NUM_CONCEP*0,NUM_CONCEP*0,NUM_CONCEP*0 from "
      "\"C:\\R\\retiros.dbf\"\r"
      "? (NUM_CONCEP<=1 AND CLDOC_F=CLDOC_F)\u00BF\r"
      "!CLDOC_F\r"
      "%e           c            t           t           t           c                  t       t       t         \r"
      "#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA        _        _      _         \r"
      "@\r"
      "$Corte Z ENTRADAS \r"
      "& Select CLDOC_F,CONCEPTO,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F,CANTIDAD,NUM_CONCEP*0,NUM_CONCEP*0,NUM_CONCEP*0 from "
      "\"C:\\R\\retiros.dbf\"\r"
      "? (NUM_CONCEP=2 AND CLDOC_F=CLDOC_F)\u00BF\r"
      "!CLDOC_F\r"
      "%e           c            t           t           t           c                  t       t       t       \r"
      "#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA        _        _      _       \r"
      "@\r"
      "<14-24\r"
      "@\r");
  EXPECT_EQ(a.guion, guion);
  EXPECT_EQ(a.titulo, "Corte Z  05/03/2010 VENTAS REMISION ");
  EXPECT_EQ(a.campoClave, "CLDOC_F");
  EXPECT_EQ(a.fechaDesde, "FEDOC_F");
  EXPECT_EQ(a.fechaHasta, "FEDOC_F");
  EXPECT_EQ(a.claveBusca, "4");
  EXPECT_EQ(a.datos, DatosReporteVenta::Encabezado);
  EXPECT_EQ(a.tipo, 1);
  EXPECT_TRUE(a.dialogo);
}
