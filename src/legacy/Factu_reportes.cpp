#include "legacy/Factu_reportes.h"

#include "customers/CucobraRemision.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "legacy/Factu.h"
#include "platform/db/Literales.h"
#include "platform/fs/Reloj.h"
#include "pos/EstadoComandos.h"
#include "reports/Consulta.h"
#include "salesdocs/GraficasVenta.h"
#include "salesdocs/ReportesVenta.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QMenu>
#include <QMenuBar>

namespace {

using Datos = DatosReporteVenta;

// clang-format off
const QVector<ItemReporteFactura> kItems = {
    {"Consultas1", "Consultas", false},
    {"Concentrar1", "Facturas,Importe,Iva", false},
    {"ConsecutivodeFacturas1", "Consecutivo de Documentos", false},
    {"DocumentosPagados1", "Documentos Pagados", false},
    {"DocumentosnoPagados1", "Documentos No Pagados", false},
    {"DocumentosCancelados1", "Documentos Cancelados", false},
    {"Comisiones1", "Comisiones", false},
    {"ComisionesDetallado1", "Comisiones Detallado", false},
    {"VentasyUtilidad1", "Ventas y Utilidad", false},
    {"UtilidadporProducto1", "Utilidad por Producto", false},
    {"UtilidadporProductoLinea1", "Utilidad por Producto (Linea)", false},
    {"UtilidadporProductoantesdeIVA1", "Utilidad por Producto (antes de IVA)", false},
    {"UtilidadMenor1", "Utilidad Menor  5%", false},
    {"VentasporDa1", "Ventas por Día", false},
    {"VentasporMes1", "Ventas por Mes", false},
    {"Ventasporao1", "Ventas por año", false},
    {"VentasporArtculo1", "Ventas por Artículo", false},
    {"DesgloceporMoneda1", "Desgloce por Moneda", true},
    {"CortedeCaja1", "Corte de Caja", false},
    {"VentasporCaja1", "Ventas por Caja", true},
    {"VentasporVendedor1", "Ventas por Vendedor", false},
    {"CortedeCajayRetiros1", "Corte de Caja y Retiros", true},
    {"CorteZ1", "Corte Z", false},
    {"CorteZRESUMEN1", "Corte Z (RESUMEN)", false},
    {"CorteDetallado1", "Corte Detallado", false},
    {"CorteComparativo1", "Corte Comparativo", true},
    {"ReporteFPGC1", "Reporte FPGC", false},
    {"CanceladasnoImpresas1", "Canceladas no Impresas", false},
};

const char* const kTiposArticulo =
    R"~(%e          c            t               t              t                  t             m             c)~";
const char* const kTitulosArticulo =
    R"~(#DOCUMENTO  PRODUCTO     CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID. FECHA     )~";
const char* const kArticulo =
    R"~(& Select CLDOC_FD,CLPRO_FD,CANTI_FD,CANTI_FD*COPRO_FD,(CANTI_FD*PREDE_FD),(CANTI_FD*PREDE_FD)-(CANTI_FD*COPRO_FD),((PREDE_FD-COPRO_FD)/PREDE_FD)*100,FEDOC_FD from [L])~";

// What this window runs differently from the sale screen's rows; a row not
// here runs as the sale screen's.
const CambiosFila kCambios[] = {
    {"ConsecutivodeFacturas1", nullptr,
     R"~(& Select CLDOC_F,NOMBR_F,IMTOD_F,SUBTO_F-(SUBTO_F*DECOT_F/100),IMIM2_F,FEDOC_F from [H])~",
     nullptr, nullptr, nullptr,
     R"~(%e           c                  t            t              t             c         )~",
     R"~(#DOCUMENTOS  NOMBRE             IMPORTE       SUBTOTAL      IMPUESTO      FECHA     )~",
     CuentaCeros, 0},
    {"DocumentosnoPagados1", nullptr, nullptr,
     R"~(?(STATU_F<>"C" OR STATU_F IS NULL) and(PAGOX_F IS NULL) ¿)~",
     nullptr, nullptr, nullptr, nullptr, 0, 0},
    {"DocumentosCancelados1", nullptr,
     R"~(& Select CLDOC_F,CLCLI_F,NOMBR_F,SUBTO_F-(SUBTO_F*(DECOT_F/100)),IMIM2_F,IMTOD_F,FEDOC_F from [H])~",
     nullptr, nullptr, nullptr,
     R"~(%e          c          c               t              t             t            c)~",
     R"~(#DOCUMENTO  CLIENTE    NOMBRE          SUBTOTAL       IVA           TOTAL        FECHA     )~",
     0, 0},
    {"Comisiones1", nullptr,
     R"~(& Select CLDOC_F,CLVEN_F,SUBTO_F-(SUBTO_F*DECOT_F/100),(SUBTO_F-(SUBTO_F*DECOT_F/100))*(CTOVE_F*0.01),IMTOD_F,IMTOD_F*CTOVE_F*0.01,FEDOC_F from [H])~",
     nullptr, R"~(!cldoc_f)~", "",
     R"~(%e          c             t             t                 t              t                  c        )~",
     R"~(#DOCUMENTO  VENDEDOR      SUBTOTAL      COMISION/SUB.     TOTAL_DOC      COMISION/TOT.      FECHA    )~",
     0, 0},
    {"VentasporArtculo1", nullptr, kArticulo, nullptr, nullptr, nullptr, kTiposArticulo, kTitulosArticulo, 0, 0},
    {"UtilidadporProducto1", nullptr, kArticulo, nullptr, nullptr, nullptr, kTiposArticulo, kTitulosArticulo, 0, 0},
    {"UtilidadporProductoantesdeIVA1", nullptr,
     R"~(& Select CLDOC_FD,CLPRO_FD,CANTI_FD,CANTI_FD*(COPRO_FD*(1+(PIVA1_FD/100))),(CANTI_FD*PUNPR_FD),(CANTI_FD*PUNPR_FD)-(CANTI_FD*(COPRO_FD*(1+(PIVA1_FD/100)))),((PUNPR_FD-(COPRO_FD*(1+(PIVA1_FD/100))))/PUNPR_FD)*100,FEDOC_FD from [L])~",
     nullptr, nullptr, nullptr, kTiposArticulo, kTitulosArticulo, 0, 0},
    {"UtilidadporProductoLinea1", nullptr,
     R"~(& Select I.LIPRO_I,F.CLDOC_FD,F.CLPRO_FD,F.CANTI_FD,F.CANTI_FD*F.COPRO_FD,(F.CANTI_FD*F.PREDE_FD),(F.CANTI_FD*F.PREDE_FD)-(F.CANTI_FD*F.COPRO_FD),((PREDE_FD-COPRO_FD)/PREDE_FD)*100,F.FEDOC_FD,I.CLPRO_I from [L] AS F,[P] as I )~",
     R"~(?(TREGI_FD<>"C" OR TREGI_FD IS NULL) and (F.CLPRO_FD=I.CLPRO_I) ¿)~",
     nullptr, nullptr,
     R"~(%c         e          c            t               t              t                  t             m                 c)~",
     R"~(#LINEA     DOCUMENTO  PRODUCTO     CANTIDAD        COSTO_X_CANT.  PRECIO_X_CANT.     UTILIDAD      %PROM.UTILID.     FECHA     )~",
     0, 0},
    {"CanceladasnoImpresas1", nullptr,
     R"~(& Select TREGI_F,CLDOC_F,CLCLI_F,NOMBR_F,SUBTO_F-(SUBTO_F*(DECOT_F/100)),IMIM2_F,IMTOD_F,FEDOC_F from [H])~",
     nullptr, R"~(!TREGI_F,cldoc_f)~", R"~(>TREGI_F)~",
     R"~(%c         e          c          c               t              t             t            c)~",
     R"~(#IMPRESA   DOCUMENTO  CLIENTE    NOMBRE          SUBTOTAL       IVA           TOTAL        FECHA     )~",
     0, 0},
};

// The Z cuts: remissions open, invoiced and cancelled, returns and cash
// withdrawals of the header table's folder.
struct SeccionZ {
  const char* titulo;
  const char* tabla;
  const char* condicion;
  const char* tipos;         // "Corte Z"
  const char* titulos;       // "Corte Z"
  const char* tiposResumen;  // "Corte Z (RESUMEN)"
};
const char* const kTitulosZ = R"~(#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA     FPGC    )~";
const char* const kTitulosZ3 = R"~(#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA     FPGC   )~";
const char* const kTitulosResumen = R"~(#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA     )~";
const char* const kTiposResumen = R"~(%e           c        t           t           t           c)~";
const SeccionZ kSeccionesZ[] = {
    {" REMISIONES ", "remision.dbf", R"~(?((STATU_F<>"C" OR STATU_F IS NULL)AND REMIS_F IS NULL ) ¿)~",
     R"~(%e           c        t           t           t           c          t         )~", kTitulosZ, kTiposResumen},
    {" FACTURADAS ", "remision.dbf", R"~(?((STATU_F<>"C" OR STATU_F IS NULL)AND REMIS_F>" ") ¿)~",
     R"~(%e           c        t           t           t           c           t        )~", kTitulosZ, kTiposResumen},
    {" CANCELADAS ", "remision.dbf", R"~(?(STATU_F="C") ¿)~",
     R"~(%e           c        t           t           t           c         t           )~", kTitulosZ3, kTiposResumen},
    {" DEVOLUCIONES ", "devoluc.dbf", R"~(?(STATU_F<>"C" OR STATU_F IS NULL) ¿)~",
     R"~(%e           c        t           t           t           c         t           )~", kTitulosZ3, kTiposResumen},
    {" RETIROS ", "retiros.dbf", R"~(? (CLDOC_F=CLDOC_F)¿)~",
     R"~(%e           c            t           t           t           c             t       )~",
     R"~(#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA   _  )~",
     R"~(%e           c            t           t           t           c)~"},
};
// clang-format on

const char* CaptionDe(const QString& clave) {
  for (const ItemReporteFactura& i : kItems)
    if (clave == QLatin1String(i.clave)) return i.caption;
  return nullptr;
}

QString U(const char* s) { return QString::fromUtf8(s); }

ArgumentosReporteVenta ArgumentosPropios(const QString& titulo, const QString& clave, const QString& fecha, Datos datos,
                                    const QString& busca, int tipo, const QString& guion) {
  ArgumentosReporteVenta a;
  a.titulo = titulo;
  a.campoClave = clave;
  a.fechaDesde = a.fechaHasta = fecha;
  a.claveBusca = busca;
  a.datos = datos;
  a.guion = guion;
  a.tipo = tipo;
  return a;
}

ArgumentosReporteVenta CorteZ(const QString& caption, bool resumen, const ContextoReporte& x) {
  QVector<SeccionGuion> secciones;
  for (const SeccionZ& z : kSeccionesZ) {
    const bool retiros = secciones.size() == 4;
    SeccionGuion s;
    s.titulo = u'$' + caption + U(z.titulo);
    if (secciones.isEmpty()) s.titulo += x.usuario + QStringLiteral(" HORA : ") + TextoHora(x.momento.time());
    if (retiros)
      s.consulta = resumen ? QStringLiteral("& Select CLDOC_F,CONCEPTO,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F from ")
                           : QStringLiteral("& Select CLDOC_F,CONCEPTO,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F,CANTIDAD from ");
    else
      s.consulta = resumen ? QStringLiteral("& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F from ")
                           : QStringLiteral("& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F from ");
    s.consulta += QStringLiteral("[HF]") + U(z.tabla);
    s.condicion = U(z.condicion);
    s.orden = retiros ? QStringLiteral("!CLDOC_F") : QStringLiteral("!cldoc_f");
    s.tipos = U(resumen ? z.tiposResumen : z.tipos);
    s.titulos = U(resumen ? kTitulosResumen : z.titulos);
    secciones.append(s);
  }
  return ArgumentosPropios(caption + QStringLiteral(" VENTAS REMISION "), QStringLiteral("CLDOC_F"),
                           QStringLiteral("FEDOC_F"), Datos::Encabezado, x.numeroActual, resumen ? 2 : 1,
                           GuionDeSecciones(secciones, x.lugar, true));
}

ArgumentosReporteVenta Concentrar(const QString& caption, const ContextoReporte& x) {
  SeccionGuion s;
  s.titulo = u'$' + caption;
  s.consulta = QStringLiteral(
      "& Select CLCLI_F,NOMBR_F,CLDOC_F,SUBTO_F-(SUBTO_F*(DECOT_F/100)),IMIM2_F,IMTOD_F,FEDOC_F from [H]");
  s.condicion = U(R"~(?(STATU_F<>"C" OR STATU_F IS NULL) ¿)~");
  s.orden = QStringLiteral("!CLCLI_F,NOMBR_F,cldoc_f");
  s.corte = QStringLiteral(">CLCLI_F");
  s.tipos = QStringLiteral("%c          c          e             t              t             t            c");
  s.titulos = QStringLiteral("#CLIENTE    NOMBRE     DOCUMENTO     SUBTOTAL       IVA           TOTAL        FECHA     ");
  return ArgumentosPropios(caption, QStringLiteral("CLDOC_F"), QStringLiteral("FEDOC_F"), Datos::Encabezado,
                           QStringLiteral("0"), 0, GuionDeSecciones({s}, x.lugar));
}

// The union's second half names line columns in the header table: the
// runner answers it as it answers any statement that does not run.
ArgumentosReporteVenta Comparativo(const QString& caption, const ContextoReporte& x) {
  SeccionGuion s;
  s.titulo = u'$' + caption;
  s.consulta = U(
      R"~(& Select CLDOC_FD,CLPRO_FD,CANTI_FD,PUNPR_FD,IMPOR_FD,FEDOC_FD from [L] WHERE (TREGI_FD<>"C" OR TREGI_FD IS NULL) ¿  UNION Select CLDOC_FD,CLPRO_FD,CANTI_FD,PUNPR_FD,IMPOR_FD,FEDOC_FD from [H])~");
  s.condicion = U(R"~(?(STATU_F<>"C" OR STATU_F IS NULL) ¿)~");
  s.orden = QStringLiteral("!cldoc_fd");
  s.tipos = QStringLiteral("%e          c            t               f              t               c");
  s.titulos = QStringLiteral("#DOCUMENTO  PRODUCTO     CANTIDAD        PRECIO         IMPORTE         FECHA     ");
  return ArgumentosPropios(caption, QStringLiteral("CLDOC_FD"), QStringLiteral("FEDOC_FD"), Datos::Partidas,
                           x.numeroActual, 0, GuionDeSecciones({s}, x.lugar));
}

// The sale screen's row of the item as this window runs it: its caption,
// its differences, and for the paid list the condition of the register
// typed (`condicion` keeps that text alive).
std::optional<FilaReporteVenta> FilaDeFactura(const QString& clave, const QString& caja, QByteArray& condicion) {
  const FilaReporteVenta* base = FilaReporte(clave);
  const char* caption = CaptionDe(clave);
  if (!base || !caption) return std::nullopt;
  FilaReporteVenta fila = *base;
  for (const CambiosFila& c : kCambios)
    if (clave == QLatin1String(c.clave)) fila = FilaConCambios(fila, c);
  if (clave == u"DocumentosPagados1") {
    // The register as a literal: a quote in it neither ends the text nor
    // changes the selection.
    condicion = (QStringLiteral("?(STATU_F<>\"C\" OR STATU_F IS NULL) and(PAGOX_F=") +
                 db::LiteralApostrofos(QStringLiteral("Pagada en ") + caja) + QStringLiteral(") ¿"))
                    .toUtf8();
    fila.condicion = condicion.constData();
  }
  fila.titulo = caption;
  return fila;
}

ContextoReporte ContextoFactura(TFormaFactura& f) {
  ContextoReporte x = ContextoDeTablas(*f.TablaFacturae, *f.TablaFacturaD, *f.TablaInventario, f.usuario->text());
  x.tituloPantalla = f.windowTitle();
  return x;
}

// A chart of the sale screen over this window's tables; false for another
// name.
bool Grafica(TFormaFactura& f, const QString& clave) {
  VentanaGrafica v;
  v.menu = f.MainMenu1;
  v.encabezado = f.TablaFacturae;
  v.auxiliar = f.TablaAuxiliar;
  v.carpetaAuxiliar = RutaDatosCxC.isEmpty() ? f.CarpetaDatos() : RutaDatosCxC;
  v.preparaAuxiliar = [&f](const QString& fuente, const QString& devoluciones, const QString& trabajo,
                           const QDate& desde, const QDate& hasta, const QString& indice) {
    f.CreaAuxiliarFactura(fuente, devoluciones, trabajo, desde, hasta, indice);
  };
  return EjecutaGraficaVenta(v, clave);
}

// The query window on the invoices; once closed, the cash-cut view of the
// program folder run at once over today.
void CorteCajaRetiros(TFormaFactura& f) {
  TFormaConsulta consulta(&f);
  PreparaConsultaVentas(consulta, f.CarpetaDatos());
  consulta.Archivo->setCurrentText(CarpetaPrograma(QStringLiteral("\\report\\CorteCajaVRL")));
  consulta.UsarFecha->setChecked(true);
  consulta.FechaReporte->show();
  consulta.FechaReporte->setCurrentText(QStringLiteral("FEDOC_F"));
  consulta.Inicial->setDate(fs::Hoy());
  consulta.Final->setDate(fs::Hoy());
  consulta.EjecutarClick();
}

void EjecutaReporteFactura(TFormaFactura& f, const QString& clave) {
  if (clave == u"Consultas1") {
    f.PreparaConsultaFactura();
    return;
  }
  if (clave == u"CortedeCajayRetiros1") {
    CorteCajaRetiros(f);
    return;
  }
  if (Grafica(f, clave)) {
    f.MuestraDocumentoFactura();
    return;
  }
  QString caja;
  if (clave == u"DocumentosPagados1" || clave == u"DocumentosnoPagados1") {
    f.AplicaPagosFactura();
    caja = PideCajaReporte();
  }
  const ContextoReporte contexto = ContextoFactura(f);
  QByteArray condicion;
  if (const std::optional<FilaReporteVenta> fila = FilaDeFactura(clave, caja, condicion)) {
    if (CorreFilaReporte(*fila, contexto, *f.TablaFacturae, *f.TablaFacturaD)) f.MuestraDocumentoFactura();
    return;
  }
  if (const std::optional<ArgumentosReporteVenta> a = ArgumentosReporteFactura(clave, contexto, caja)) {
    CorreReporteVenta(*a, *f.TablaFacturae, *f.TablaFacturaD);
    f.MuestraDocumentoFactura();
  }
}

}  // namespace

const QVector<ItemReporteFactura>& ItemsReporteFactura() { return kItems; }

std::optional<ArgumentosReporteVenta> ArgumentosReporteFactura(const QString& clave, const ContextoReporte& contexto,
                                                           const QString& caja) {
  const char* caption = CaptionDe(clave);
  if (!caption) return std::nullopt;
  QByteArray condicion;
  if (const std::optional<FilaReporteVenta> fila = FilaDeFactura(clave, caja, condicion))
    return ArgumentosDeFila(*fila, contexto);
  const QString titulo = U(caption);
  if (clave == u"Concentrar1") return Concentrar(titulo, contexto);
  if (clave == u"CorteZ1" || clave == u"CorteZRESUMEN1") return CorteZ(titulo, clave == u"CorteZRESUMEN1", contexto);
  if (clave == u"CorteComparativo1") return Comparativo(titulo, contexto);
  return std::nullopt;
}

void TFormaFactura::ConstruyeReportesFactura() {
  for (const ItemReporteFactura& i : kItems) {
    QAction* a = Reportes1->addAction(U(i.caption));
    a->setObjectName(QString::fromLatin1(i.clave));
    a->setVisible(!i.oculto);
    const QString clave = a->objectName();
    AsignaComando(a, this, [this, clave] { EjecutaReporteFactura(*this, clave); });
  }
}
