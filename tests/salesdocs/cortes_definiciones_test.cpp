// The sections of every cash cut as the runner receives them: title, query,
// conditions, order and break lines as written; kinds and titles in order,
// laid out in the columns of the same "Corte Z" line.

#include "reports/GuionReporte.h"
#include "salesdocs/CortesVenta.h"
#include "support/RaizPrueba.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

#define REM "\"C:\\R\\remision.dbf\""
#define FAC "\"C:\\D\\FACTURAE.dbf\""
#define DEV "\"C:\\D\\devoluc.dbf\""
#define RET "\"C:\\R\\retiros.dbf\""
#define CXC "\"C:\\R\\CucobrarRemision.dbf\""
#define Q1 "(STATU_F<>\"C\" OR STATU_F IS NULL)AND (REMIS_F =\"\") \u00BF"
#define Q2 "((STATU_F<>\"C\" OR STATU_F IS NULL)AND REMIS_F>\" \") \u00BF "
#define Q3 "((STATU_F<>\"C\" OR STATU_F IS NULL)AND CLPED_F IS NULL) \u00BF "
#define Q4 "(STATU_F=\"C\") \u00BF"
#define Q5 "(STATU_F<>\"C\" OR STATU_F IS NULL) \u00BF"
#define Q6 " (NUM_CONCEP<=1 AND CLDOC_F=CLDOC_F)\u00BF"
#define Q7 " (NUM_CONCEP=2 AND CLDOC_F=CLDOC_F)\u00BF"
#define K9 "e c t t t c t t t"
#define BASE "DOCUMENTOS CLAVE IMPORTE SUBTOTAL IMPUESTO FECHA "
#define PANTALLA "Punto de Venta CAPTURA RAPIDA caja"
#define RETIROS9 "CLDOC_F,CONCEPTO,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F,CANTIDAD,NUM_CONCEP*0,NUM_CONCEP*0"

struct SeccionCorte {
  const char* titulo;
  const char* consulta;
  const char* condicion;
  const char* orden;
  const char* corte;  // "" when the section has no break line
  const char* tipos;  // the kinds in order
  const char* titulos;
};

struct Corte {
  const char* clave;
  const char* titulo;  // the runner's
  const char* campoClave;
  int tipo;
  std::vector<SeccionCorte> secciones;
};

ContextoReporte Contexto() {
  ContextoReporte x;
  x.lugar.encabezado = "Remision.dbf";
  x.lugar.carpetas = db::Carpetas{"C:\\D", {}, "C:\\R", "C:\\VRL"};
  x.tituloPantalla = PANTALLA;
  x.numeroActual = "4";
  x.momento = QDateTime(QDate(2010, 3, 5), QTime(10, 15, 0));
  x.usuario = "ADM";
  x.turno = CondicionTurno(true, false);
  x.ventana = " (HORAF_F>=40242 and HORAF_F<=40242.4)";
  return x;
}

const std::vector<Corte> kCortes = {
    {"CorteZRESUMEN1", PANTALLA "  05/03/2010 VENTAS REMISION ", "", 2,
     {{"$" PANTALLA "  05/03/2010 REMISIONES ADM  05/03/2010 HORA : 10:15:00",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,(SUBTO_F+IMIM2_F)*(DESFI_F/100),IEPS1_F,EXENT_F,"
       "IEPS2_F,IVAX1_F,IEPS3_F,IVAX2_F from " REM,
       "?" Q1, "!cldoc_f", "", "e c t t t c t t t t t t t", BASE "DESCUENTO DESCUENTO_g"},
      {"$" PANTALLA " FACTURADAS DESDE REMISION",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,DECOT_F,IEPS1_F,EXENT_F,IEPS2_F,IVAX1_F,IEPS3_F,"
       "IVAX2_F  from " REM,
       "?" Q2, "!cldoc_f", "", "e c t t t c t t", BASE "DESCUENTO DESCUENTO_g"},
      {"$" PANTALLA " FACTURADAS DIRECTAMENTE ",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0,FPGCX_F*0,FPGCX_F*0,FPGCX_F*0,"
       "FPGCX_F*0,FPGCX_F*0 from " FAC,
       "?" Q3, "!cldoc_f", "", K9, BASE "FPGC DESCUENTO_g"},
      {"$" PANTALLA " CANCELADAS ",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0,FPGCX_F*0,FPGCX_F*0,FPGCX_F*0,"
       "FPGCX_F*0,FPGCX_F*0 from " REM,
       "?" Q4, "!cldoc_f", "", K9, BASE "FPGC DESCUENTO_g"},
      {"$" PANTALLA " DEVOLUCIONES ",
       "& Select cldoc_f,CLCLI_F,imtod_f*0,SUBTO_F*0,IMIM2_F*0,FEDOC_F,FPGCX_F,FPGCX_F*0,FPGCX_F*0,FPGCX_F*0,"
       "FPGCX_F*0,FPGCX_F*0,FPGCX_F*0 from " DEV,
       "?" Q5, "!cldoc_f", "", K9, BASE "FPGC DESCUENTO_g"},
      {"$" PANTALLA " RETIROS ",
       "& Select CLDOC_F,CONCEPTO,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F,CANTIDAD,NUM_CONCEP*0,NUM_CONCEP*0,NUM_CONCEP*0,"
       "NUM_CONCEP*0,NUM_CONCEP*0,NUM_CONCEP*0,NUM_CONCEP*0 from " RET,
       "?" Q6, "!CLDOC_F", "", K9, BASE "_ -"},
      {"$" PANTALLA " ENTRADAS ",
       "& Select CLDOC_F,CONCEPTO,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F,CANTIDAD,NUM_CONCEP*0,NUM_CONCEP*0,NUM_CONCEP*0,"
       "NUM_CONCEP*0,NUM_CONCEP*0,NUM_CONCEP*0,NUM_CONCEP*0 from " RET,
       "?" Q7, "!CLDOC_F", "", K9, BASE "_ _"},
      {"$" PANTALLA " DESCUENTOS REMISION",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,DECOT_F,FEDOC_F,FPGCX_F*0,FPGCX_F*0,FPGCX_F*0,FPGCX_F*0,FPGCX_F*0,"
       "FPGCX_F*0,FPGCX_F*0 from " REM,
       "?" Q2, "!cldoc_f", "", "e c t t t c t t", "DOCUMENTOS CLAVE IMPORTE SUBTOTAL DESCUENTO FECHA FPGC DESCUENTO_g"}}},

    {"CorteZZUV1", "Corte Z ZUV  05/03/2010 VENTAS REMISION ", "CLDOC_F", 1,
     {{"$Corte Z ZUV  05/03/2010 REMISIONES ADM HORA : 10:15:00",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,DECOT_F,(SUBTO_F+IMIM2_F)*(DESFI_F/100),CLCLI_F from " REM,
       "?" Q1, "!cldoc_f", "", "e c t t t c t t", BASE "DESCUENTO DESCUENTO_G"},
      {"$Corte Z ZUV FACTURADAS DESDE REMISION",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0,CLCLI_F from " REM, "?" Q2,
       "!cldoc_f", "", "e c t t t c t t", BASE "FPGC DESCUENTO_G"},
      {"$Corte Z ZUV FACTURADAS DIRECTAMENTE ",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0,CLCLI_F from " FAC, "?" Q3,
       "!cldoc_f", "", "e c t t t c t t", BASE "FPGC DESCUENTO_G"},
      {"$Corte Z ZUV CANCELADAS ",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0,CLCLI_F from " REM, "?" Q4,
       "!cldoc_f", "", "e c t t t c t t", BASE "FPGC DESCUENTO_G"},
      {"$Corte Z ZUV DEVOLUCIONES ",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0,CLCLI_F from " DEV, "?" Q5,
       "!cldoc_f", "", "e c t t t c t t", BASE "FPGC DESCUENTO_G"},
      {"$Corte Z ZUV RETIROS ",
       "& Select CLDOC_F,CONCEPTO AS CONCE,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F,CANTIDAD,NUM_CONCEP*0,NUM_CONCEP*0,"
       "SUBSTRING(CONCEPTO FROM 1 FOR 3)AS CONCEPTO from " RET,
       "?" Q6, "!CONCEPTO", ">CONCEPTO", K9, "DOCUMENTOS CLAVE IMPORTE IMPORTE IMPUESTO FECHA _ _"},
      {"$Corte Z ZUV ENTRADAS ",
       "& Select CLDOC_F,CONCEPTO AS CONCE,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F,CANTIDAD,NUM_CONCEP*0,NUM_CONCEP*0,"
       "SUBSTRING(CONCEPTO FROM 1 FOR 3)AS CONCEPTO from " RET,
       "?" Q7, "!CLDOC_F", "", K9, "DOCUMENTOS CLAVE IMPORTE IMPORTE IMPUESTO FECHA _ _"}}},

    {"CorteZRESUMENZUV1", "Corte Z (RESUMEN) ZUV  05/03/2010 VENTAS REMISION ", "CLDOC_F", 4,
     {{"$Corte Z (RESUMEN) ZUV  05/03/2010 REMISIONES ADM HORA : 10:15:00",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,DECOT_F,(SUBTO_F+IMIM2_F)*(DESFI_F/100),CLCLI_F from " REM,
       "?" Q1, "!cldoc_f", "", "e c t t t c t t", BASE "DESCUENTO DESCUENTO_G"},
      {"$Corte Z (RESUMEN) ZUV FACTURADAS DESDE REMISION",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0,CLCLI_F from " REM, "?" Q2,
       "!cldoc_f", "", "e c t t t c t t", "DOCUMENTOS CLAVE IMPORTE IMPORTE IMPUESTO FECHA FPGC DESCUENTO_G"},
      {"$Corte Z (RESUMEN) ZUV FACTURADAS DIRECTAMENTE ",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0,CLCLI_F from " FAC, "?" Q3,
       "!cldoc_f", "", "e c t t t c t t", "DOCUMENTOS CLAVE IMPORTE IMPORTE IMPUESTO FECHA FPGC DESCUENTO_G"},
      {"$Corte Z (RESUMEN) ZUV CANCELADAS ",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0,CLCLI_F from " REM, "?" Q4,
       "!cldoc_f", "", "e c t t t c t t", BASE "FPGC DESCUENTO_G"},
      {"$Corte Z (RESUMEN) ZUV DEVOLUCIONES ",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0,CLCLI_F from " DEV, "?" Q5,
       "!cldoc_f", "", "e c t t t c t t", BASE "FPGC DESCUENTO_G"},
      {"$Corte Z (RESUMEN) ZUV RETIROS ",
       "& Select CLASIFI,CLDOC_F,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F,CANTIDAD,NUM_CONCEP*0,NUM_CONCEP*0,CLASIFI from " RET,
       "?" Q6, "!CLASIFI", ">CLASIFI", "c c t t t c t t", "CLAVE DOCUMENTOS IMPORTE SUBTOTAL IMPUESTO FECHA _ _"},
      {"$Corte Z (RESUMEN) ZUV ENTRADAS ",
       "& Select CLASIFI,CLDOC_F,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F,CANTIDAD,NUM_CONCEP*0,NUM_CONCEP*0,CLASIFI from " RET,
       "? (NUM_CONCEP=2 AND CLDOC_F=CLDOC_F) \u00BF", "!CLASIFI", ">CLASIFI", "c c t t t c t t",
       "CLAVE DOCUMENTOS IMPORTE SUBTOTAL IMPUESTO FECHA _ _"}}},

    {"CortedeCajayRetiros1", "Corte Z por Tipo de Pagos  05/03/2010 VENTAS REMISION ", "CLDOC_F", 1,
     {{"$Corte Z por Tipo de Pagos  05/03/2010 REMISIONES ADM HORA : 10:15:00",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,DECOT_F,(SUBTO_F+IMIM2_F)*(DESFI_F/100),PAGOX_F from " REM,
       "?" Q1, "!PAGOX_F,cldoc_f", ">PAGOX_F", "e c t t t c t t c", BASE "DESCUENTO DESCUENTO_G PAGO"},
      {"$Corte Z por Tipo de Pagos FACTURADAS DESDE REMISION",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0 from " REM, "?" Q2, "!cldoc_f", "",
       "e c t t t c t t", BASE "FPGC DESCUENTO_G"},
      {"$Corte Z por Tipo de Pagos FACTURADAS DIRECTAMENTE ",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0 from " FAC, "?" Q3, "!cldoc_f", "",
       "e c t t t c t t", BASE "FPGC DESCUENTO_G"},
      {"$Corte Z por Tipo de Pagos CANCELADAS ",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0 from " REM, "?" Q4, "!cldoc_f", "",
       "e c t t t c t t", BASE "FPGC DESCUENTO_G"},
      {"$Corte Z por Tipo de Pagos DEVOLUCIONES ",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0 from " DEV, "?" Q5, "!cldoc_f", "",
       "e c t t t c t t", BASE "FPGC DESCUENTO_G"},
      {"$Corte Z por Tipo de Pagos RETIROS ", "& Select " RETIROS9 " from " RET, "?" Q6, "!CLDOC_F", "", K9,
       BASE "_ _"},
      {"$Corte Z por Tipo de Pagos ENTRADAS ", "& Select " RETIROS9 " from " RET, "?" Q7, "!CLDOC_F", "", K9,
       BASE "_ _"}}},

    {"CorteZporTurno1", "Corte Z por Turno VENTAS REMISION ", "CLDOC_F", 1,
     {{"$Corte Z por Turno REMISIONES ADM HORA : 10:15:00",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,DECOT_F from " REM,
       "? (CLVEN_F=\"01\") AND " Q1, "!cldoc_f", "", "e c t t t c t", BASE "DESCUENTO"},
      {"$Corte Z por Turno FACTURADAS DESDE REMISION",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F from " REM, "? (CLVEN_F=\"01\") AND " Q2,
       "!cldoc_f", "", "e c t t t c t", BASE "FPGC"},
      {"$Corte Z por Turno FACTURADAS DIRECTAMENTE ",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F from " FAC, "? (CLVEN_F=\"01\") AND " Q3,
       "!cldoc_f", "", "e c t t t c t", BASE "FPGC"},
      {"$Corte Z por Turno CANCELADAS ",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F from " REM, "? (CLVEN_F=\"01\") AND " Q4,
       "!cldoc_f", "", "e c t t t c t", BASE "FPGC"},
      {"$Corte Z por Turno DEVOLUCIONES ",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F from " DEV, "? (CLVEN_F=\"01\") AND " Q5,
       "!cldoc_f", "", "e c t t t c t", BASE "FPGC"},
      {"$Corte Z por Turno RETIROS ",
       "& Select CLDOC_F,CONCEPTO,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F,CANTIDAD,NUM_CONCEP from " RET,
       "? (CLVEN_F=\"01\") AND " Q6, "!CLDOC_F", "", "e c t t t c t", BASE "_"},
      {"$Corte Z por Turno ENTRADAS ",
       "& Select CLDOC_F,CONCEPTO,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F,CANTIDAD,NUM_CONCEP from " RET,
       "? (CLVEN_F=\"01\") AND " Q7, "!CLDOC_F", "", "e c t t t c t", BASE "_"}}},

    {"CortesSeparados1", "Cortes Separados VENTAS REMISION ", "CLDOC_F", 1,
     {{"$Cortes Separados REMISIONES ADM HORA : 10:15:00",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,DECOT_F,(SUBTO_F+IMIM2_F)*(DESFI_F/100),HORAF_F from " REM,
       "? (HORAF_F>=40242 and HORAF_F<=40242.4) and (STATU_F<>\"C\" OR STATU_F IS NULL)AND (REMIS_F =\"\") ",
       "!cldoc_f", "", "e c t t t c t t", BASE "DESCUENTO DESCUENTO_G"},
      {"$Cortes Separados FACTURADAS DESDE REMISION",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0,HORAF_F from " REM,
       "? (HORAF_F>=40242 and HORAF_F<=40242.4) and " Q2, "!cldoc_f", "", K9, BASE "FPGC DESCUENTO_G"},
      {"$Cortes Separados FACTURADAS DIRECTAMENTE ",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0,HORAF_F from " FAC,
       "? (HORAF_F>=40242 and HORAF_F<=40242.4) and " Q3, "!cldoc_f", "", K9, BASE "FPGC DESCUENTO_G"},
      {"$Cortes Separados CANCELADAS ",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0,HORAF_F from " REM,
       "? (HORAF_F>=40242 and HORAF_F<=40242.4) and " Q4, "!cldoc_f", "", K9, BASE "FPGC DESCUENTO_G"},
      {"$Cortes Separados DEVOLUCIONES ",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0,HORAF_F from " DEV,
       "? (HORAF_F>=40242 and HORAF_F<=40242.4) and " Q5, "!cldoc_f", "", K9, BASE "FPGC DESCUENTO_G"},
      {"$Cortes Separados RETIROS ", "& Select " RETIROS9 ",HORAF_F from " RET,
       "? (HORAF_F>=40242 and HORAF_F<=40242.4) and " Q6, "!CLDOC_F", "", K9, BASE "_ _"},
      {"$Cortes Separados ENTRADAS ", "& Select " RETIROS9 ",HORAF_F from " RET,
       "? (HORAF_F>=40242 and HORAF_F<=40242.4) and " Q7, "!CLDOC_F", "", K9, BASE "_ _"}}},

    {"CorteZconCxC1", "Corte Z con CxC  05/03/2010 VENTAS CONTADO ", "CLDOC_F", 3,
     {{"$Corte Z con CxC VENTAS ABONOS",
       "& Select NUFAC_CC,CLCLI_CC,IMCUE_CC,IMCUE_CC,IMCUE_CC*0,FEAPL_CC,IMCUE_CC*0,IMCUE_CC*0 from " CXC,
       "? CLCLI_CC=\"1\" \u00C7", "!NUFAC_CC", "", "e c t t t c t t",
       "DOCUMENTOS CLAVE ABONO SUBTOTAL IMPUESTO FECHA FPGC DESCUENTO_G"},
      {"$Corte Z con CxC VENTAS ABONOS",
       "& Select NUFAC_CC,NOMBR_CC,IMCUE_CC,IMCUE_CC,IMCUE_CC*0,FEAPL_CC,IMCUE_CC*0,IMCUE_CC*0 from " CXC,
       "? CLCLI_CC<>\"1\" \u00C7", "!NUFAC_CC", "", "e c t t t c t t",
       "DOCUMENTOS NOMBRE ABONO SUBTOTAL IMPUESTO FECHA FPGC DESCUENTO_G"},
      {"$Corte Z con CxC VENTAS SALDOS ",
       "& Select cldoc_f,NOMBR_F,SALDO_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0 from \"C:\\R\\REMISION.dbf\"",
       "?((STATU_F<>\"C\" OR STATU_F IS NULL)) AND SALDO_F>0.01 \u00BF ", "!cldoc_f", "", K9,
       "DOCUMENTOS NOMBRE SALDO SUBTOTAL IMPUESTO FECHA FPGC DESCUENTO_G"},
      {"$Corte Z con CxC CANCELADAS ",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0 from " REM, "?" Q4, "!cldoc_f", "",
       K9, BASE "FPGC DESCUENTO_G"},
      {"$Corte Z con CxC DEVOLUCIONES ",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0 from " DEV, "?" Q5, "!cldoc_f", "",
       K9, BASE "FPGC DESCUENTO_G"},
      {"$Corte Z con CxC RETIROS ", "& Select " RETIROS9 " from " RET, "?" Q6, "!CLDOC_F", "", K9, BASE "_ _"},
      {"$Corte Z con CxC ENTRADAS ", "& Select " RETIROS9 " from " RET, "?" Q7, "!CLDOC_F", "", K9, BASE "_ _"}}},

    {"VentasTotales1", PANTALLA " VENTAS REMISION ", "", 2,
     {{"$" PANTALLA " REMISIONES ADM HORA : 10:15:00",
       "& Select cldoc_f,CLCLI_F,imtod_f*(0.7),SUBTO_F*(0.7),IMIM2_F*(0.7),FEDOC_F,DECOT_F from " REM,
       "?((STATU_F<>\"C\" OR STATU_F IS NULL)AND (REMIS_F <\"0\") ) \u00BF", "!cldoc_f", "", "e c t t t c t",
       BASE "DESCUENTO"},
      {"$" PANTALLA " FACTURADAS DESDE REMISION",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,DECOT_F from " REM, "?" Q2, "!cldoc_f", "", K9,
       BASE "DESCUENTO"},
      {"$" PANTALLA " FACTURADAS DIRECTAMENTE ",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F from " FAC, "?" Q3, "!cldoc_f", "", K9,
       BASE "FPGC"},
      {"$" PANTALLA " CANCELADAS ", "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F from " REM,
       "?" Q4, "!cldoc_f", "", K9, BASE "FPGC"},
      {"$" PANTALLA " DEVOLUCIONES ", "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F from " DEV,
       "?" Q5, "!cldoc_f", "", K9, BASE "FPGC"},
      {"$" PANTALLA " RETIROS ",
       "& Select CLDOC_F,CONCEPTO,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F,CANTIDAD,NUM_CONCEP from \"C:\\R\\retiros.dbf\"",
       "?" Q6, "!CLDOC_F", "", K9, BASE "_"},
      {"$" PANTALLA " ENTRADAS ",
       "& Select CLDOC_F,CONCEPTO,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F,CANTIDAD,NUM_CONCEP from \"C:\\R\\retiros.dbf\"",
       "?" Q7, "!CLDOC_F", "", K9, BASE "_"},
      {"$" PANTALLA " DESCUENTOS REMISION",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,DECOT_F,FEDOC_F,FPGCX_F from " REM, "?" Q2, "!cldoc_f", "",
       "e c t t t c t t t t t t t t", "DOCUMENTOS CLAVE IMPORTE SUBTOTAL DESCUENTO FECHA FPGC"}}},

    {"CorteconCxC1", "Corte con CxC  05/03/2010 VENTAS REMISION ", "CLDOC_F", 1,
     {{"$Corte con CxC  05/03/2010 REMISIONES ADM HORA : 10:15:00",
       "& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,DECOT_F,(SUBTO_F+IMIM2_F)*(DESFI_F/100) from " REM,
       "?" Q1, "!cldoc_f", "", "e c t t t c t t", BASE "DESCUENTO DESCUENTO_G"},
      {"$Corte con CxC CUENTAS POR COBRAR REMISIONES ",
       "& Select NUFAC_CC,NOMBR_CC,IMCUE_CC,IMCUE_CC,SALDO_CC,FEAPL_CC,TIMOV_CC,TIMOV_CC  from " CXC,
       "?(ABONO_CC>0.1)  AND FEAPL_CC='3/5/2010'", "!NUFAC_CC", "", "e c t t t c t t", BASE "FPGC DESCUENTO_G"},
      {"$Corte con CxC RETIROS ", "& Select " RETIROS9 " from " RET, "?" Q6, "!CLDOC_F", "", K9, BASE "_ _"},
      {"$Corte con CxC ENTRADAS ", "& Select " RETIROS9 " from " RET, "?" Q7, "!CLDOC_F", "", K9, BASE "_ _"}}},
};

// The script's sections as lists of lines, without their "@"; the lines
// after the last section apart.
QList<QStringList> Secciones(const QString& guion, QStringList& cierre) {
  QList<QStringList> secciones;
  QStringList actual;
  QStringList lineas = guion.split(u'\r');
  EXPECT_TRUE(lineas.last().isEmpty());  // a carriage return after the last line
  lineas.removeLast();
  for (const QString& l : lineas) {
    if (l == u"@") {
      secciones << actual;
      actual.clear();
    } else {
      actual << l;
    }
  }
  cierre = secciones.takeLast();
  return secciones;
}

QStringList Fichas(const QString& linea) { return linea.mid(1).split(u' ', Qt::SkipEmptyParts); }

}  // namespace

TEST(DefinicionesCorte, CadaSeccionDeCadaCorte) {
  ASSERT_EQ(CortesVenta().size(), kCortes.size() + 1);  // and Corte Z, byte for byte elsewhere
  for (const Corte& e : kCortes) {
    SCOPED_TRACE(e.clave);
    const CorteVenta* corte = CorteDeClave(e.clave);
    ASSERT_TRUE(corte);
    const ArgumentosReporteVenta a = ArgumentosDeCorte(*corte, Contexto());
    EXPECT_EQ(a.titulo, QString::fromUtf8(e.titulo));
    EXPECT_EQ(a.campoClave, e.campoClave);
    EXPECT_EQ(a.fechaDesde, "FEDOC_F");
    EXPECT_EQ(a.fechaHasta, "FEDOC_F");
    EXPECT_EQ(a.claveBusca, "4");
    EXPECT_EQ(a.datos, DatosReporteVenta::Encabezado);
    EXPECT_EQ(a.tipo, e.tipo);
    EXPECT_TRUE(a.dialogo);
    QStringList cierre;
    const QList<QStringList> secciones = Secciones(a.guion, cierre);
    EXPECT_EQ(cierre, QStringList{"<14-24"});
    ASSERT_EQ(secciones.size(), static_cast<qsizetype>(e.secciones.size()));
    for (size_t i = 0; i < e.secciones.size(); ++i) {
      SCOPED_TRACE(i + 1);
      const SeccionCorte& s = e.secciones[i];
      QStringList esperadas = {QString::fromUtf8(s.titulo), QString::fromUtf8(s.consulta),
                               QString::fromUtf8(s.condicion), QString::fromUtf8(s.orden)};
      if (*s.corte) esperadas << QString::fromUtf8(s.corte);
      const QStringList& l = secciones[i];
      ASSERT_EQ(l.size(), esperadas.size() + 2);
      EXPECT_EQ(l.mid(0, esperadas.size()), esperadas);
      const QString tipos = l[esperadas.size()];
      const QString titulos = l[esperadas.size() + 1];
      EXPECT_TRUE(tipos.startsWith(u'%'));
      EXPECT_EQ(Fichas(tipos), QString::fromUtf8(s.tipos).split(u' '));
      EXPECT_TRUE(titulos.startsWith(u'#'));
      EXPECT_EQ(Fichas(titulos), QString::fromUtf8(s.titulos).split(u' '));
    }
  }
}

TEST(DefinicionesCorte, LasLineasNuevasTomanLasColumnasDeCorteZ) {
  // Each item in the column of the model's item at its place; one blank
  // kept after an item wider than its column; 13 beyond the model.
  const QString modelo = "#DOCUMENTOS  CLAVE        IMPORTE ";
  EXPECT_EQ(LineaEnColumnas(modelo, {"A", "B", "C"}), "#A           B            C       ");
  EXPECT_EQ(LineaEnColumnas(modelo, {"DOCUMENTOS_LARGO", "B"}), "#DOCUMENTOS_LARGO B            ");
  EXPECT_EQ(LineaEnColumnas(modelo, {"A", "B", "C", "D"}), "#A           B            C       D            ");
  // The runner then gives them the widths Corte Z's line gives.
  const QString z = "#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA        _        _      _ ";
  const std::vector<int> anchos = AnchosDeEncabezado(z.mid(1));
  const std::vector<int> nuevos =
      AnchosDeEncabezado(LineaEnColumnas(z, {"DOCUMENTOS", "CLAVE", "IMPORTE", "IMPORTE", "IMPUESTO", "FECHA"}).mid(1));
  EXPECT_EQ(std::vector<int>(nuevos.begin(), nuevos.begin() + 5), std::vector<int>(anchos.begin(), anchos.begin() + 5));
}
