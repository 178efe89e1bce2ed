#include "salesdocs/GuionesVenta.h"

#include <QRegularExpression>

namespace {

using Datos = DatosReporteVenta;

QString Ruta(const QString& carpeta, const QString& archivo) { return u'"' + carpeta + u'\\' + archivo + u'"'; }

QString Texto(const char* s) { return s ? QString::fromUtf8(s) : QString(); }

// The list reports. Lines as the runner reads them; "¿" is U+00BF.
// clang-format off
const QVector<FilaReporteVenta> kFilas = {
    {"ConsecutivodeFacturas1", R"~(Consecutivo de Documentos)~",
     R"~(& Select CLDOC_F,NOMBR_F,IMTOD_F,SUBTO_F,IMIM2_F,IEPS1_F,FEDOC_F from [H])~",
     R"~(?(STATU_F<>"C" OR STATU_F IS NULL) ¿)~",
     R"~(!cldoc_f)~", nullptr,
     R"~(%e           c                  t            t              t             t             c         )~",
     R"~(#DOCUMENTOS  NOMBRE             IMPORTE       SUBTOTAL      IMPUESTO      IEPS          FECHA     )~",
     Datos::Encabezado, CuentaCeros},
    {"DocumentosPagados1", R"~(Documentos Pagados)~",
     R"~(& Select CLDOC_F,NOMBR_F,IMTOD_F,SUBTO_F-(SUBTO_F*DECOT_F/100),IMIM2_F,FEDOC_F from [H])~",
     R"~(?(STATU_F<>"C" OR STATU_F IS NULL) and (PAGOX_F>"A") ¿)~",
     R"~(!cldoc_f)~", nullptr,
     R"~(%e           c                  t            t              t             c         )~",
     R"~(#DOCUMENTOS  NOMBRE             IMPORTE       SUBTOTAL      IMPUESTO      FECHA     )~",
     Datos::Encabezado, AplicaPagos},
    {"DocumentosnoPagados1", R"~(Documentos No Pagados)~",
     R"~(& Select CLDOC_F,NOMBR_F,IMTOD_F,SUBTO_F-(SUBTO_F*DECOT_F/100),IMIM2_F,FEDOC_F from [H])~",
     R"~(?(STATU_F<>"C" OR STATU_F IS NULL) and(PAGOX_F <"A") ¿)~",
     R"~(!cldoc_f)~", nullptr,
     R"~(%e           c                  t            t              t             c         )~",
     R"~(#DOCUMENTOS  NOMBRE             IMPORTE       SUBTOTAL      IMPUESTO      FECHA     )~",
     Datos::Encabezado, AplicaPagos},
    {"DocumentosCancelados1", R"~(Documentos Cancelados)~",
     R"~(& Select CLDOC_F,CLCLI_F,NOMBR_F,SUBTO_F-(SUBTO_F*(DECOT_F/100)),IMIM2_F,IMTOD_F,FEDOC_F,ORIGE_F from [H])~",
     R"~(?(STATU_F="C" ) ¿)~",
     R"~(!cldoc_f)~", nullptr,
     R"~(%e          c          c               t              t             t            c            c             )~",
     R"~(#DOCUMENTO  CLIENTE    NOMBRE          SUBTOTAL       IVA           TOTAL        FECHA        CANCELADO_POR)~",
     Datos::Encabezado, BuscaUltimo | SinRedibujo},
    {"Comisiones1", R"~(Comisiones)~",
     R"~(& Select CLVEN_F,CLDOC_F,SUBTO_F-(SUBTO_F*DECOT_F/100),(SUBTO_F-(SUBTO_F*DECOT_F/100))*(CTOVE_F*0.01),IMTOD_F,IMTOD_F*CTOVE_F*0.01,FEDOC_F from [H])~",
     R"~(?(STATU_F<>"C" OR STATU_F IS NULL) ¿)~",
     R"~(!CLVEN_F,cldoc_f)~", R"~(>CLVEN_F)~",
     R"~(%c          c           t             t                 t              t                  c        )~",
     R"~(#VENDEDOR   DOCUMENTO   SUBTOTAL      COMISION/SUB.     TOTAL_DOC      COMISION/TOT.      FECHA    )~",
     Datos::Encabezado, 0},
    {"ComisionesDetallado1", R"~(Comisiones Detallado)~",
     R"~(& Select cldoc_f,NOMBR_F,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F from [H])~",
     R"~(?(STATU_F<>"C" OR STATU_F IS NULL) ¿)~",
     R"~(!CLCLI_F,cldoc_f)~", nullptr,
     R"~(%e          p,1,3           c        t           t           t           c)~",
     R"~(#DOCUMENTOS  NOMBRE     CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA     )~",
     Datos::Encabezado, BuscaUltimo | ReencuentraActual},
    {"VentasyUtilidad1", R"~(Ventas y Utilidad)~",
     R"~(& Select CLDOC_F,NOMBR_F,COSTO_F,SUBTO_F-(SUBTO_F*DECOT_F/100),((SUBTO_F-(SUBTO_F*DECOT_F/100)))-COSTO_F,((SUBTO_F-COSTO_F)/SUBTO_F)*100,FEDOC_F from [H])~",
     R"~(?(STATU_F<>"C" OR STATU_F IS NULL) ¿)~",
     R"~(!cldoc_f)~", nullptr,
     R"~(%e           c             t            t             t            m            c         )~",
     R"~(#DOCUMENTOS  NOMBRE        COSTO        SUBTOTAL      UTILIDAD     PROM.UTILID. FECHA     )~",
     Datos::Encabezado, 0},
    {"VentasporArtculo1", R"~(Ventas por Artículo)~",
     R"~(& Select CLDOC_FD,CLPRO_FD,DEPRO_FD,CANTI_FD,CANTI_FD*COPRO_FD,(CANTI_FD*PREDE_FD),(CANTI_FD*PREDE_FD)-(CANTI_FD*COPRO_FD),((PREDE_FD-COPRO_FD)/PREDE_FD)*100,FEDOC_FD from [L])~",
     R"~(?(TREGI_FD<>"C" OR TREGI_FD IS NULL) ¿)~",
     R"~(!CLPRO_FD)~", nullptr,
     R"~(%e          c            c               t               t              t                  t             m             c)~",
     R"~(#DOCUMENTO  PRODUCTO     DESCRIPCION     CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID. FECHA     )~",
     Datos::Partidas, 0},
    {"VentasporVendedor2", R"~(Ventas por Vendedor y Artículo)~",
     R"~(& Select E.CLVEN_F,F.CLDOC_FD,F.DEPRO_FD,F.CLPRO_FD,F.CANTI_FD,F.CANTI_FD*F.COPRO_FD,(F.CANTI_FD*F.PUNPR_FD),(F.CANTI_FD*F.PUNPR_FD)-(F.CANTI_FD*F.COPRO_FD),((PUNPR_FD-COPRO_FD)/PUNPR_FD)*100,F.FEDOC_FD,E.CLDOC_F from [L] AS F,[H] as E)~",
     R"~(?(TREGI_FD<>"C" OR TREGI_FD IS NULL) and (F.CLDOC_FD=E.CLDOC_F) ¿)~",
     R"~(!CLVEN_F)~", R"~(>CLVEN_F)~",
     R"~(%c     e          c                c             t               t              t                  t             m                 c)~",
     R"~(#VEND  DOCUMENTO  DESCRIPCION      CLAVE         CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID.     FECHA     )~",
     Datos::Partidas, 0},
    {"VentasaCrdito1", R"~(Ventas a Crédito)~",
     R"~(& Select CLDOC_F,CLCLI_F,IMTOD_F,SUBTO_F,IMIM2_F,SALDO_F,FEDOC_F from [H])~",
     R"~(?(STATU_F<>"C" OR STATU_F IS NULL)AND (SALDO_F>0 AND (PAGOX_F="CREDITO" OR PAGOX_F="Credito" OR PAGOX_F="Crédito"))¿)~",
     R"~(!cldoc_f)~", nullptr,
     R"~(%e           c                  t            t              t             t               c         )~",
     R"~(#DOCUMENTOS  CLIENTE            IMPORTE       SUBTOTAL      IMPUESTO      SALDO           FECHA     )~",
     Datos::Encabezado, 0},
    {"VentasaCrditoTodas1", R"~(Ventas a Crédito (Todas))~",
     R"~(& Select CLDOC_F,CLCLI_F,IMTOD_F,SUBTO_F,IMIM2_F,SALDO_F,FEDOC_F from [H])~",
     R"~(?(STATU_F<>"C" OR STATU_F IS NULL)AND (PAGOX_F="CREDITO" OR PAGOX_F="Credito" OR PAGOX_F="Crédito")¿)~",
     R"~(!cldoc_f)~", nullptr,
     R"~(%e           c                  t            t              t             t               c         )~",
     R"~(#DOCUMENTOS  CLIENTE            IMPORTE       SUBTOTAL      IMPUESTO      SALDO           FECHA     )~",
     Datos::Encabezado, 0},
    {"UtilidadporProducto1", R"~(Utilidad por Producto)~",
     R"~(& Select CLDOC_FD,CLPRO_FD,DEPRO_FD,CANTI_FD,CANTI_FD*COPRO_FD,(CANTI_FD*PREDE_FD),(CANTI_FD*PREDE_FD)-(CANTI_FD*COPRO_FD),((PREDE_FD-COPRO_FD)/PREDE_FD)*100,FEDOC_FD from [L])~",
     R"~(?(TREGI_FD<>"C" OR TREGI_FD IS NULL) ¿)~",
     R"~(!cldoc_fd)~", nullptr,
     R"~(%e          c            c                t               t              t                  t             m             c)~",
     R"~(#DOCUMENTO  PRODUCTO     DESCRIPCION      CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID. FECHA     )~",
     Datos::Partidas, 0},
    {"UtilidadporProductoLinea1", R"~(Utilidad por Producto (Linea))~",
     R"~(&  Select I.LIPRO_I,F.CLPRO_FD,F.DEPRO_FD,F.CANTI_FD,(F.CANTI_FD*(F.COPRO_FD)),(F.CANTI_FD*F.PUNPR_FD),(F.CANTI_FD*F.PUNPR_FD)-(F.CANTI_FD*F.COPRO_FD),((F.PUNPR_FD-F.COPRO_FD)/F.PREDE_FD)*100,F.FEDOC_FD,F.CLDOC_FD,I.CLPRO_I,I.LIPRO_I,F.TREGI_FD from [L] AS F,[P] as I)~",
     R"~(?(F.TREGI_FD<>"C" OR F.TREGI_FD IS NULL)and(F.CLPRO_FD=I.CLPRO_I) ¿)~",
     R"~(!LIPRO_I)~", R"~(>LIPRO_I)~",
     R"~(%c         c          c                   t               t              t                  t             m                 c          e          )~",
     R"~(#LINEA     CLAVE      DESCRIPCION         CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID.     FECHA      DOCUMENTO  )~",
     Datos::Partidas, 0},
    {"UtilidadporProductoProveedor1", R"~(Utilidad por Producto (Proveedor))~",
     R"~(& Select I.CLPR1_I,F.CLDOC_FD,F.DEPRO_FD,F.CLPRO_FD,F.CANTI_FD,F.CANTI_FD*F.COPRO_FD,(F.CANTI_FD*F.PREDE_FD),(F.CANTI_FD*F.PREDE_FD)-(F.CANTI_FD*F.COPRO_FD),((PREDE_FD-COPRO_FD)/PREDE_FD)*100,F.FEDOC_FD,I.CLPRO_I from [L] AS F,[P] as I)~",
     R"~(?(TREGI_FD<>"C" OR TREGI_FD IS NULL) and (F.CLPRO_FD=I.CLPRO_I) ¿)~",
     R"~(!CLPR1_I)~", R"~(>CLPR1_I)~",
     R"~(%c           e          c                c             t               t              t                  t             m                 c)~",
     R"~(#PROVEEDOR   DOCUMENTO  DESCRIPCION      CLAVE         CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID.     FECHA     )~",
     Datos::Partidas, 0},
    {"UtilidadporProductoantesdeIVA1", R"~(Utilidad por Producto (antes de IVA))~",
     R"~(& Select CLDOC_FD,CLPRO_FD,DEPRO_FD,CANTI_FD,CANTI_FD*(COPRO_FD*(1+(PIVA1_FD/100))),(CANTI_FD*PUNPR_FD),(CANTI_FD*PUNPR_FD)-(CANTI_FD*(COPRO_FD*(1+(PIVA1_FD/100)))),((PUNPR_FD-COPRO_FD)/COPRO_FD)*100,FEDOC_FD from [L])~",
     R"~(?(TREGI_FD<>"C" OR TREGI_FD IS NULL) ¿)~",
     R"~(!cldoc_fd)~", nullptr,
     R"~(%e          c            c               t               t              t                  t             m             c)~",
     R"~(#DOCUMENTO  PRODUCTO     DESCRIPCION     CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID. FECHA     )~",
     Datos::Partidas, 0},
    {"UtilidadMenor1", R"~(Utilidad Menor  5%)~",
     R"~(& Select CLDOC_FD,CLPRO_FD,CANTI_FD,CANTI_FD*(COPRO_FD*(1+(PIVA1_FD/100))),(CANTI_FD*PUNPR_FD),(CANTI_FD*PUNPR_FD)-(CANTI_FD*(COPRO_FD*(1+(PIVA1_FD/100)))),((PUNPR_FD-(COPRO_FD*(1+(PIVA1_FD/100))))/PUNPR_FD)*100,FEDOC_FD from [L])~",
     R"~(?(TREGI_FD<>"C" OR TREGI_FD IS NULL) AND (((PUNPR_FD-(COPRO_FD*(1+(PIVA1_FD/100))))/PUNPR_FD)*100<5)¿)~",
     R"~(!cldoc_fd)~", nullptr,
     R"~(%e          c            t               t              t                  t             m             c)~",
     R"~(#DOCUMENTO  PRODUCTO     CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID. FECHA     )~",
     Datos::Partidas, 0},
    {"ConsentradoporArtculo1", R"~(Concentrado por Artículo)~",
     R"~(& Select F.CLPRO_FD,F.CLDOC_FD,F.DEPRO_FD,I.LIPRO_I,F.CANTI_FD,F.CANTI_FD*F.COPRO_FD,(F.CANTI_FD*F.PREDE_FD),(F.CANTI_FD*F.PREDE_FD)-(F.CANTI_FD*F.COPRO_FD),((PREDE_FD-COPRO_FD)/PREDE_FD)*100,F.FEDOC_FD,I.CLPRO_I from [L] AS F,[P] as I)~",
     R"~(?(F.TREGI_FD<>"C" OR F.TREGI_FD IS NULL) and (F.CLPRO_FD=I.CLPRO_I) ¿)~",
     R"~(!CLPRO_FD)~", R"~(>CLPRO_FD)~",
     R"~(%c         e          c                c             t               t              t                  t             m                 c)~",
     R"~(#CLAVE     DOCUMENTO  DESCRIPCION      LINEA         CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID.     FECHA     )~",
     Datos::Partidas, 0},
    {"UtilidadporProductoCliente1", R"~(Utilidad por Producto (Cliente))~",
     R"~(& Select I.CLCLI_F,F.CLDOC_FD,F.DEPRO_FD,F.CLPRO_FD,F.CANTI_FD,F.CANTI_FD*F.COPRO_FD,(F.CANTI_FD*F.PUNPR_FD),(F.CANTI_FD*F.PUNPR_FD)-(F.CANTI_FD*F.COPRO_FD),((PUNPR_FD-COPRO_FD)/COPRO_FD)*100,F.FEDOC_FD,I.CLCLI_F,I.CLDOC_F from [L] AS F,[H] as I)~",
     R"~(?(TREGI_FD<>"C" OR TREGI_FD IS NULL)AND(F.CLDOC_FD=I.CLDOC_F) ¿)~",
     R"~(!CLCLI_F)~", R"~(>CLCLI_F)~",
     R"~(%c           e          c                c             t               t              t                  t             m                 c)~",
     R"~(#CLIENTE   DOCUMENTO  DESCRIPCION      CLAVE         CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID.     FECHA     )~",
     Datos::Partidas, 0},
    {"VendedoryLinea1", R"~(Vendedor y Linea)~",
     R"~(& Select E.CLVEN_F,F.CLDOC_FD,I.LIPRO_I,F.DEPRO_FD,F.CLPRO_FD,F.CANTI_FD,F.CANTI_FD*F.COPRO_FD,(F.CANTI_FD*F.PREDE_FD),(F.CANTI_FD*F.PREDE_FD)-(F.CANTI_FD*F.COPRO_FD),((PREDE_FD-COPRO_FD)/PREDE_FD)*100,F.FEDOC_FD,E.CLDOC_F from [L] AS F,[P] as I, [H] as E)~",
     R"~(?(TREGI_FD<>"C" OR TREGI_FD IS NULL) and (F.CLDOC_FD=E.CLDOC_F) and (I.CLPRO_I=F.CLPRO_FD)¿)~",
     R"~(!CLVEN_F,LIPRO_I,CLDOC_FD)~", R"~(>CLVEN_F)~",
     R"~(%c      e          c            c                c             t               t              t                  t             m                 c)~",
     R"~(#VEND   DOCUMENTO  LINEA        DESCRIPCION      CLAVE         CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID.     FECHA     )~",
     Datos::Partidas, 0},
    {"LineaTemporal1", R"~(Linea Temporal)~",
     R"~(& Select E.CLVEN_F,F.CLDOC_FD,I.LITEM_I,F.DEPRO_FD,F.CLPRO_FD,F.CANTI_FD,F.CANTI_FD*F.COPRO_FD,(F.CANTI_FD*F.PREDE_FD),(F.CANTI_FD*F.PREDE_FD)-(F.CANTI_FD*F.COPRO_FD),((PREDE_FD-COPRO_FD)/PREDE_FD)*100,F.FEDOC_FD,E.CLDOC_F from [L] AS F,[P] as I, [H] as E)~",
     R"~(?(TREGI_FD<>"C" OR TREGI_FD IS NULL) and (F.CLDOC_FD=E.CLDOC_F) and (I.CLPRO_I=F.CLPRO_FD)¿)~",
     R"~(!CLVEN_F,LITEM_I,CLDOC_FD)~", R"~(>CLVEN_F)~",
     R"~(%c      e          c            c                c             t               t              t                  t             m                 c)~",
     R"~(#VEND   DOCUMENTO  LINEA_TEMP   DESCRIPCION      CLAVE         CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID.     FECHA     )~",
     Datos::Partidas, 0},
    {"ReporteFPGC1", R"~(Reporte FPGC)~",
     R"~(& Select CLDOC_FD,CLPRO_FD,CANTI_FD,DEPRO_FD,FPGCX_FD,FEDOC_FD from [L])~",
     R"~(?(TREGI_FD<>"C" OR TREGI_FD IS NULL) AND (FPGCX_FD>0) ¿)~",
     R"~(!cldoc_fd)~", nullptr,
     R"~(%e          c            t               c                         t             c)~",
     R"~(#DOCUMENTO  PRODUCTO     CANTIDAD        DESCRIPCION               FPGC          FECHA     )~",
     Datos::Partidas, 0},
    {"CanceladasnoImpresas1", R"~(Canceladas no Pagadas)~",
     R"~(& Select PAGOX_F,CLDOC_F,CLCLI_F,NOMBR_F,SUBTO_F-(SUBTO_F*(DECOT_F/100)),IMIM2_F,IMTOD_F,FEDOC_F from [H])~",
     R"~(?(STATU_F="C" ) ¿)~",
     R"~(!PAGOX_F,cldoc_f)~", R"~(>PAGOX_F)~",
     R"~(%c                 e          c          c               t              t             t            c)~",
     R"~(#PAGADA            DOCUMENTO  CLIENTE    NOMBRE          SUBTOTAL       IVA           TOTAL        FECHA     )~",
     Datos::Encabezado, BuscaUltimo | SinRedibujo},
    {"ProductosmsVendidos1", R"~(Productos más Vendidos)~",
     R"~(& Select CLPRO_FD,DEPRO_FD,SUM(CANTI_FD) AS TOTAL,SUM(CANTI_FD*PREDE_FD) AS IMPORTE from [LL] WHERE (TREGI_FD<>"C" OR TREGI_FD IS NULL) GROUP BY CLPRO_FD,DEPRO_FD HAVING Count(CANTI_FD) > 1 ORDER BY TOTAL DESC )~",
     nullptr,
     nullptr, nullptr,
     R"~(%c            c                            t                t              )~",
     R"~(#PRODUCTO     DESCRIPCION                  TOTAL            IMPORTE        )~",
     Datos::Partidas, SinFechas},
    {"VentasporVendedor3", R"~(Ventas por Vendedor)~",
     R"~(& Select CLVEN_F,SUM(IMTOD_F) from [H])~",
     R"~(? (STATU_F<>"C" OR STATU_F IS NULL)  ¿ GROUP BY CLVEN_F  ORDER BY CLVEN_F)~",
     nullptr, nullptr,
     R"~(%c            t                   )~",
     R"~(#VENDEDOR     TOTAL               )~",
     Datos::Encabezado, SinClave},
    {"DescuentosporDocumento1", R"~(Descuentos por Documento)~",
     R"~(& Select CLDOC_FD,CLPRO_FD,DEPRO_FD,CANTI_FD,(CANTI_FD*PUNPR_FD),(CANTI_FD*PUNPR_FD)*(1-(PDES1_FD*0.01)),(CANTI_FD*PUNPR_FD)*(PDES1_FD*0.01),PDES1_FD,FEDOC_FD from [L])~",
     R"~(?(TREGI_FD<>"C" OR TREGI_FD IS NULL) AND (PDES1_FD>0)¿)~",
     R"~(!cldoc_fd)~", R"~(>CLDOC_FD)~",
     R"~(%e          c         c                        t               t             t              t              f             c)~",
     R"~(#DOCUMENTO  PRODUCTO  DESCRIPCION              CANTIDAD        IMPORTE       IMPORTE_DESCU  DESCUENTO      %DESCUENTO    FECHA     )~",
     Datos::Partidas, 0},
    {"DescuentoporProducto1", R"~(Descuento por Producto)~",
     R"~(& Select CLDOC_FD,CLPRO_FD,DEPRO_FD,CANTI_FD,PUNPR_FD,PREDE_FD,PDES1_FD,(CANTI_FD*PUNPR_FD),(CANTI_FD*PREDE_FD),(CANTI_FD*PREDE_FD)-(CANTI_FD*COPRO_FD),((PREDE_FD-COPRO_FD)/PREDE_FD)*100,FEDOC_FD from [L])~",
     R"~(?(TREGI_FD<>"C" OR TREGI_FD IS NULL) ¿)~",
     R"~(!cldoc_fd)~", nullptr,
     R"~(%e          c            c                t           t             t              t           t               t                  t             m             c)~",
     R"~(#DOCUMENTO  PRODUCTO     DESCRIPCION      CANTIDAD    PRECIO_NORMAL PRECIO_VENTA    DESCUENTO  IMPORTE_NORMAL  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID. FECHA     )~",
     Datos::Partidas, 0},
    {"DescuentoporUsuario1", R"~(Descuento por Usuario)~",
     R"~(& Select CLDOC_F,NOMBR_F,IMTOD_F,SUBTO_F,IMIM2_F,FEDOC_F,DESFI_F,USUARIO from [H])~",
     R"~(?(STATU_F<>"C" OR STATU_F IS NULL)and(DESFI_F>0) ¿)~",
     R"~(!cldoc_f)~", nullptr,
     R"~(%e           c                  t            t              t             c           f             c          )~",
     R"~(#DOCUMENTOS  NOMBRE             IMPORTE       SUBTOTAL      IMPUESTO      FECHA        DESCUENTO    USUARIO    )~",
     Datos::Encabezado, SinRedibujo},
    {"VentasporProveedor1", R"~(Ventas por Proveedor)~",
     R"~(& Select CLDOC_FD,CLPRO_FD,DEPRO_FD,CANTI_FD,CANTI_FD*COPRO_FD,(CANTI_FD*PREDE_FD),(CANTI_FD*PREDE_FD)-(CANTI_FD*COPRO_FD),((PREDE_FD-COPRO_FD)/PREDE_FD)*100,FEDOC_FD,NOMDI_FD from [L])~",
     R"~(?(TREGI_FD<>"C" OR TREGI_FD IS NULL) ¿)~",
     R"~(!CLPRO_FD)~", nullptr,
     R"~(%e          c            c               t               t              t                  t             m             c              c             )~",
     R"~(#DOCUMENTO  PRODUCTO     DESCRIPCION     CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID. FECHA          PROVEEDOR     )~",
     Datos::Partidas, 0},
    {"comparativoPagadas2", R"~(comparativo Pagadas)~",
     R"~(& Select PAGOX_F,IMTOD_F,SUBTO_F-(SUBTO_F*DECOT_F/100),IMIM2_F,CLDOC_F,FEDOC_F from [H])~",
     R"~(?(STATU_F<>"C" OR STATU_F IS NULL) AND (PAGOX_F>"A") ¿)~",
     R"~(!PAGOX_F)~", nullptr,
     R"~(%c                       t            t              t             e            c         )~",
     R"~(#PAGO                    IMPORTE       SUBTOTAL      IMPUESTO      DOCUMENTO    FECHA     )~",
     Datos::Encabezado, SinClave | TituloPantalla},
    {"DocumentossinFacturar1", R"~(Documentos sin Facturar)~",
     R"~(& Select CLDOC_F,NOMBR_F,IMTOD_F,SUBTO_F,IMIM2_F,FEDOC_F from [H])~",
     R"~(?(STATU_F<>"C" OR STATU_F IS NULL) and (REMIS_F ="") ¿)~",
     R"~(!cldoc_f)~", nullptr,
     R"~(%e           c                  t            t              t             c         )~",
     R"~(#DOCUMENTOS  NOMBRE             IMPORTE       SUBTOTAL      IMPUESTO      FECHA     )~",
     Datos::Encabezado, 0},
    {"VentasporCantidad1", R"~(Ventas por Cantidad)~",
     R"~(& Select CLDOC_FD,CLPRO_FD,DEPRO_FD,CANTI_FD,FEDOC_FD,CANTI_FD*COPRO_FD,(CANTI_FD*PREDE_FD),(CANTI_FD*PREDE_FD)-(CANTI_FD*COPRO_FD),((PREDE_FD-COPRO_FD)/PREDE_FD)*100 from [L])~",
     R"~(?(TREGI_FD<>"C" OR TREGI_FD IS NULL) ¿)~",
     R"~(!cldoc_fd)~", nullptr,
     R"~(%e          c            c                t               c           )~",
     R"~(#DOCUMENTO  PRODUCTO     DESCRIPCION      CANTIDAD        FECHA       )~",
     Datos::Partidas, 0},
    {"NmerodeVentasporVendedor1", R"~(Número de Ventas por Vendedor)~",
     R"~(& Select V.NOMBR_V,Count(*) from [H] As F,  [HF]Vendedor.dbf As V)~",
     R"~(? V.CLVEN_V=F.CLVEN_F AND (STATU_F<>"C" OR STATU_F IS NULL)  ¿ GROUP BY V.NOMBR_V  ORDER BY V.NOMBR_V)~",
     nullptr, nullptr,
     R"~(%c              t                   )~",
     R"~(#NOMBRE         TOTAL               )~",
     Datos::Encabezado, SinClave},
    {"SaldosporDocumento1", R"~(Saldos por Documento)~",
     R"~(& Select CLDOC_F,NOMBR_F,IMTOD_F,IMTOD_F-SALDO_F,SALDO_F,FEENT_F,FEVEN_F from [C8H])~",
     R"~(?(STATU_F<>"C" OR STATU_F IS NULL) ¿)~",
     R"~(!CLDOC_F)~", nullptr,
     R"~(%e          c          t              t             t              c              c              )~",
     R"~(#DOCUMENTO  NOMBRE     IMPORTE        ABONOS        SALDO          FECHA_APL      FECHA_VENC     )~",
     Datos::Encabezado, FechasVencimiento},
    {"SaldosNoPagadas1", R"~(Saldos No Pagadas)~",
     R"~(& Select CLDOC_F,NOMBR_F,IMTOD_F,IMTOD_F-SALDO_F,SALDO_F,FEENT_F,FEVEN_F from [C8H])~",
     R"~(?(STATU_F<>"C" OR STATU_F IS NULL) and SALDO_F>0 ¿)~",
     R"~(!CLDOC_F)~", nullptr,
     R"~(%e          c          t              t             t           c              c              )~",
     R"~(#DOCUMENTO  NOMBRE     IMPORTE        ABONOS        SALDO       FECHA_APL      FECHA_VENC     )~",
     Datos::Encabezado, FechasVencimiento},
    {"CobrosporDa1", R"~(Cobros por Día)~",
     R"~(& Select C.NUFAC_CC,C.NOMBR_CC,TIMOV_CC,D.CONCE_MO,C.IMCUE_CC,C.SALDO_CC,C.FEAPL_CC,F.FEVEN_F,D.NUMOV_MO from [RF]CucobrarRemision.DBF AS C, [C8H] AS F, [C8]CONCEPTO.DBF AS D)~",
     R"~(?(ABONO_CC>0.1) AND (F.CLDOC_F=C.NUFAC_CC) AND (TIMOV_CC=D.NUMOV_MO) ¿)~",
     R"~(!NUFAC_CC)~", nullptr,
     R"~(%e          c              e        c              t              t               c              c              )~",
     R"~(#DOCUMENTO  NOMBRE         TIPO     MOVIMIENTO     IMPORTE        SALDO           FECHA_APL      FECHA_VENC     )~",
     Datos::Cobros, SinClave | SinBusca},
    {"EntradasyRetirosdeEfectivo1", R"~(Entradas y Retiros de Efectivo)~",
     R"~(& Select CLDOC_F,CONCEPTO,CANTIDAD*(-1),FEDOC_F,NUM_CONCEP,NUM_CONCEP*0 from [HF]retiros.dbf WHERE (NUM_CONCEP=1 AND CLDOC_F=CLDOC_F) ¿  UNION Select CLDOC_F,CONCEPTO,CANTIDAD,FEDOC_F,NUM_CONCEP,NUM_CONCEP*0 from [HF]retiros.dbf)~",
     R"~(? (NUM_CONCEP=2 AND CLDOC_F=CLDOC_F)¿)~",
     R"~(!CLDOC_F)~", nullptr,
     R"~(%e           c            t            c             c          )~",
     R"~(#DOCUMENTOS  CONCEPTO     IMPORTE      FECHA         TIPO       )~",
     Datos::Retiros, SinBusca | TituloRetiros},
    {"CorteDetallado1", R"~(Corte Detallado)~",
     R"~(& Select CLDOC_FD,CLPRO_FD,DEPRO_FD,CANTI_FD,PUNPR_FD,IMPOR_FD,FEDOC_FD from [L])~",
     R"~(?(TREGI_FD<>"C" OR TREGI_FD IS NULL) ¿)~",
     R"~(!cldoc_fd)~", R"~(>cldoc_fd)~",
     R"~(%e          c               c                    t               f              t               c)~",
     R"~(#DOCUMENTO  PRODUCTO        DESCRIPCIÓN          CANTIDAD        PRECIO         IMPORTE         FECHA     )~",
     Datos::Partidas, 0},
};
// clang-format on

}  // namespace

QString LlenaRutasGuion(const QString& texto, const LugarReporte& l) {
  static const QRegularExpression kMarca(QStringLiteral("\\[(H|L|LL|P|C8H)\\]|\\[(HF|DF|C8|RF)\\]([A-Za-z0-9_.]+)"));
  QString lleno;
  qsizetype desde = 0;
  for (auto it = kMarca.globalMatch(texto); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    lleno += texto.mid(desde, m.capturedStart() - desde);
    desde = m.capturedEnd();
    const QString sola = m.captured(1);
    const QString carpeta = m.captured(2);
    const QString archivo = m.captured(3);
    if (sola == u"H")
      lleno += Ruta(l.carpetaEncabezado, l.encabezado);
    else if (sola == u"L")
      lleno += Ruta(l.carpetaEncabezado, l.partidas);
    else if (sola == u"LL")
      lleno += Ruta(l.carpetaPartidas, l.partidas);
    else if (sola == u"P")
      lleno += Ruta(l.carpetaProductos, l.productos);
    else if (sola == u"C8H")
      lleno += Ruta(l.carpetaLinea8, l.encabezado);
    else if (carpeta == u"HF")
      lleno += Ruta(l.carpetaEncabezado, archivo);
    else if (carpeta == u"DF")
      lleno += Ruta(l.carpetaDatos, archivo);
    else if (carpeta == u"C8")
      lleno += Ruta(l.carpetaLinea8, archivo);
    else
      lleno += Ruta(l.carpetaRemisiones, archivo);
  }
  return lleno + texto.mid(desde);
}

QString GuionDeSecciones(const QVector<SeccionGuion>& secciones, const LugarReporte& lugar, bool corte) {
  QString guion;
  const auto linea = [&guion](const QString& texto) {
    if (!texto.isNull()) guion += texto + u'\r';
  };
  for (const SeccionGuion& s : secciones) {
    linea(s.titulo);
    linea(s.consulta);
    linea(s.condicion);
    linea(s.orden);
    linea(s.corte);
    linea(s.tipos);
    linea(s.titulos);
    linea(QStringLiteral("@"));
  }
  if (corte) {
    linea(QStringLiteral("<14-24"));
    linea(QStringLiteral("@"));
  }
  return LlenaRutasGuion(guion, lugar);
}

const QVector<FilaReporteVenta>& FilasReporteVenta() { return kFilas; }

const FilaReporteVenta* FilaReporte(const QString& clave) {
  for (const FilaReporteVenta& f : kFilas)
    if (clave == QLatin1String(f.clave)) return &f;
  return nullptr;
}

FilaReporteVenta FilaConCambios(const FilaReporteVenta& fila, const CambiosFila& c) {
  FilaReporteVenta f = fila;
  const auto cambia = [](const char*& linea, const char* nueva) {
    if (nueva) linea = *nueva ? nueva : nullptr;
  };
  if (c.titulo) f.titulo = c.titulo;
  cambia(f.consulta, c.consulta);
  cambia(f.condicion, c.condicion);
  cambia(f.orden, c.orden);
  cambia(f.corte, c.corte);
  cambia(f.tipos, c.tipos);
  cambia(f.titulos, c.titulos);
  f.extras = (f.extras & ~c.quita) | c.agrega;
  return f;
}

ArgumentosReporte ArgumentosDeFila(const FilaReporteVenta& fila, const ContextoReporte& contexto) {
  const unsigned x = fila.extras;
  const QString titulo = x & TituloPantalla ? contexto.tituloPantalla : Texto(fila.titulo);
  SeccionGuion s;
  s.titulo = u'$' + titulo + (x & TituloRetiros ? QStringLiteral(" RETIROS ") : QString());
  s.consulta = Texto(fila.consulta);
  s.condicion = Texto(fila.condicion);
  s.orden = Texto(fila.orden);
  s.corte = Texto(fila.corte);
  s.tipos = Texto(fila.tipos);
  s.titulos = Texto(fila.titulos);

  ArgumentosReporte a;
  a.titulo = titulo;
  a.datos = fila.datos;
  const bool partidas = fila.datos == Datos::Partidas;
  a.campoClave = partidas ? QStringLiteral("CLDOC_FD") : QStringLiteral("CLDOC_F");
  a.fechaDesde = a.fechaHasta = partidas ? QStringLiteral("FEDOC_FD") : QStringLiteral("FEDOC_F");
  if (fila.datos == Datos::Cobros) a.fechaDesde = a.fechaHasta = QStringLiteral("FEAPL_CC");
  if (x & FechasVencimiento) a.fechaDesde = a.fechaHasta = QStringLiteral("FEVEN_F");
  if (x & SinFechas) a.fechaDesde = a.fechaHasta = QString();
  if (x & SinClave) a.campoClave.clear();
  a.claveBusca = x & BuscaUltimo ? contexto.numeroUltimo : contexto.numeroActual;
  if (x & SinBusca) a.claveBusca.clear();
  a.guion = GuionDeSecciones({s}, contexto.lugar);
  return a;
}
