#include "purchasing/GuionesCompras.h"

#include "foundation/rutinas_fecha.h"
#include "platform/db/Tabla.h"

namespace {

using Datos = DatosReporteCompra;
namespace x = extras_compra;

// Lines as the runner reads them; "¿" is U+00BF, "«" U+00AB.
// clang-format off
const QVector<FilaReporteCompra> kFilasCompras = {
    {"DocumentosCancelados1", R"~(Documentos Cancelados)~",
     R"~(& Select CLDOC_O,NOMBR_O,IMDOC_O,FEDOC_O,FEPAG_O,REFER_O from [C8H])~",
     R"~(?(STDOC_O="C") ¿)~",
     R"~(!CLDOC_O)~", nullptr,
     R"~(%e           c          t             c            c             c              )~",
     R"~(#DOCUMENTOS  NOMBRE     IMPORTE       FECHA        FECHA_PAGO    REFERENCIA     )~",
     Datos::Encabezado, 0},
    {"TodoslosDocumentos1", R"~(Todos los Documentos)~",
     R"~(& Select CLDOC_O,NOMBR_O,SUBTO_O,IMPMO_O,IMDOC_O,FEDOC_O,FEPAG_O,REFER_O from [C8H])~",
     R"~(?(STDOC_O<>"C" OR STDOC_O IS NULL) ¿)~",
     R"~(!CLDOC_O)~", nullptr,
     R"~(%e           c                t             t             t            c            c             c            )~",
     R"~(#DOCUMENTOS  NOMBRE           SUBTOTAL      IMPUESTO      IMPORTE       FECHA        FECHA_PAGO    REFERENCIA   )~",
     Datos::Encabezado, 0},
    {"comprasporProveedor1", R"~(Compras por Proveedor)~",
     R"~(& Select CLDOC_O,NOMBR_O,IMDOC_O,FEDOC_O,FEPAG_O,REFER_O from [C8H])~",
     R"~(?(STDOC_O<>"C" OR STDOC_O IS NULL) ¿)~",
     R"~(!NOMBR_O,CLDOC_O)~", R"~(>NOMBR_O)~",
     R"~(%e           c                t             c            c             c               )~",
     R"~(#DOCUMENTOS  NOMBRE           IMPORTE       FECHA        FECHA_PAGO    REFERENCIA      )~",
     Datos::Encabezado, 0},
    {"DocumentosconSaldo1", R"~(Documentos con Saldo)~",
     R"~(& Select CLDOC_O,NOMBR_O,IMDOC_O,SALDO_O,FEDOC_O,FEPAG_O,REFER_O from [C8H])~",
     R"~(?(SALDO_O>0.1 AND (STDOC_O<>"C" OR STDOC_O IS NULL)) ¿)~",
     R"~(!CLDOC_O)~", nullptr,
     R"~(%e           c                t            t             c            c             c                )~",
     R"~(#DOCUMENTOS  NOMBRE           IMPORTE      SALDO         FECHA        FECHA_PAGO    REFERENCIA       )~",
     Datos::Encabezado, x::SinFechas},
    {"ComprasporProducto1", R"~(Compras por Producto)~",
     R"~(& Select D.CLDOC_OD,D.CLPRO_OD,D.DESCR_OD,D.CANTI_OD,D.CUNIT_OD,D.CANTI_OD*D.CUNIT_OD,D.FEDOC_OD,E.STDOC_O,E.REFER_O from [L] AS D,[H] AS E )~",
     R"~(?(STDOC_O<>"C" OR STDOC_O IS NULL) AND D.CLDOC_OD=E.CLDOC_O ¿)~",
     R"~(!CLPRO_OD,CLDOC_OD)~", R"~(>CLPRO_OD)~",
     R"~(%e          c            c                     t               f              t              c           c             )~",
     R"~(#DOCUMENTO  PRODUCTO     DESCRIPCION           CANTIDAD        COSTO          COSTO_X_CANT.  FECHA       REFERENCIA     )~",
     Datos::Partidas, 0},
    {"CaducidadProductos1", R"~(Caducidad Productos)~",
     R"~(& Select CLDOC_OD,CLPRO_OD,DESCR_OD,CANTI_OD,FEDOC_OD,CADUC_OD from [L])~",
     R"~(? CLDOC_OD=CLDOC_OD ¿)~",
     R"~(!CADUC_OD,CLPRO_OD)~", nullptr,
     R"~(%c          c            c                     t             c              c             )~",
     R"~(#DOCUMENTO  PRODUCTO     DESCRIPCION           CANTIDAD      FECHA          CADUCIDAD     )~",
     Datos::Partidas, 0},
    {"DescuentosporUsuario1", R"~(Descuentos por Usuario)~",
     R"~(& Select CLDOC_O,NOMBR_O,IMDOC_O,IMPMO_O,FEDOC_O,FEPAG_O,DTOTA_O,DFINT_O,REFER_O,CONTR_O from [C8H])~",
     R"~(?(STDOC_O<>"C" OR STDOC_O IS NULL)and(CONTR_O>" ") ¿)~",
     R"~(!CLDOC_O)~", nullptr,
     R"~(%e           c                t             t            c            c             f            f             c             c       )~",
     R"~(#DOCUMENTOS  NOMBRE           IMPORTE       IMPUESTO     FECHA        FECHA_PAGO    DESC_TOT     DESC_FIN      REFERENCIA    USUARIO )~",
     Datos::Encabezado, 0},

};

const QVector<FilaReporteCompra> kFilasProveedores = {
    {"ListadodeProveedores1", R"~(Listado de Proveedores)~",
     R"~(& Select CLAVE_P,NOMBR_P,TELEF_P,RFCXX_P,POBLA_P« from [C8]PROVEEDO.DBF)~",
     R"~(?(CLAVE_P=CLAVE_P)¿)~",
     R"~(!CLAVE_P)~", nullptr,
     R"~(%c          c                  c               c                c)~",
     R"~(#CLIENTE    NOMBRE             TELEFONO        R.F.C.           POBLACION          )~",
     Datos::Proveedores, x::SinBusca},
};

// "Provedores con Saldo" and "Todos los Proveedores" run the same script.
const QVector<FilaReporteCompra> kFilasCuentasPagar = {
    {"ProvedoresconSaldo1", R"~(Provedores con Saldo)~",
     R"~(& Select CLAVE_P,NOMBR_P,CARGO_P,ABONO_P,SALDO_P from [C8]PROVEEDO.DBF)~",
     R"~(?(SALDO_P>0.01) ¿)~",
     R"~(!CLAVE_P)~", nullptr,
     R"~(%e           c              t            t            t           )~",
     R"~(#PROVEEDOR   NOMBRE         CARGOS       ABONOS       SALDO       )~",
     Datos::Proveedores, 0},
    {"TodoslosProveedores1", R"~(Todos los Proveedores)~",
     R"~(& Select CLAVE_P,NOMBR_P,CARGO_P,ABONO_P,SALDO_P from [C8]PROVEEDO.DBF)~",
     R"~(?(SALDO_P>0.01) ¿)~",
     R"~(!CLAVE_P)~", nullptr,
     R"~(%e           c              t            t            t           )~",
     R"~(#PROVEEDOR   NOMBRE         CARGOS       ABONOS       SALDO       )~",
     Datos::Proveedores, 0},
    {"PorDocumento1", R"~(Por Documento)~",
     R"~(& Select CLPRV_O,NOMBR_O,CLDOC_O,IMDOC_O,IMDOC_O-SALDO_O,SALDO_O,FEDOC_O,FEPAG_O,REFER_O from [C8]COMPRASE.DBF)~",
     R"~(?(SALDO_O>0.1 AND (STDOC_O<>"C" OR STDOC_O IS NULL)) ¿)~",
     R"~(!CLDOC_O)~", nullptr,
     R"~(%           c              e             t            t            t             c           c              c          )~",
     R"~(#PROVEEDOR   NOMBRE         COMPRA        IMPORTE      ABONOS       SALDO       FECHA         FECHA_VENC     REFERENCIA  )~",
     Datos::Recepciones, x::LetraClave | x::FechasPago},
    {"PorProveedor1", R"~(Por Proveedor)~",
     R"~(& Select CLPRV_O,NOMBR_O,CLDOC_O,IMDOC_O,IMDOC_O-SALDO_O,SALDO_O,FEDOC_O,FEPAG_O,REFER_O from [C8]COMPRASE.DBF)~",
     R"~(?(SALDO_O>0.1 AND (STDOC_O<>"C" OR STDOC_O IS NULL)) ¿)~",
     R"~(!CLPRV_O,CLDOC_O)~", nullptr,
     R"~(%           c              e             t            t            t             c           c              c          )~",
     R"~(#PROVEEDOR   NOMBRE         COMPRA        IMPORTE      ABONOS       SALDO       FECHA         FECHA_VENC     REFERENCIA  )~",
     Datos::Recepciones, x::LetraClave | x::FechasPago},
    {"DocumentosVencidos1", R"~(Documentos Vencidos)~",
     R"~(& Select CLPRV_O,NOMBR_O,CLDOC_O,IMDOC_O,IMDOC_O-SALDO_O,SALDO_O,FEDOC_O,FEPAG_O,REFER_O,([HOY]-FEPAG_O) from [C8]COMPRASE.DBF)~",
     R"~(?(SALDO_O>0.1 AND (STDOC_O<>"C" OR STDOC_O IS NULL)) and(FEPAG_O<=[HOY]) ¿)~",
     R"~(!CLDOC_O)~", nullptr,
     R"~(%           c              e             t            t            t             c           c              c          c            )~",
     R"~(#PROVEEDOR   NOMBRE         COMPRA        IMPORTE      ABONOS       SALDO       FECHA         FECHA_VENC     REFERENCIA    DIAS_VENCIDOS )~",
     Datos::Recepciones, x::LetraClave | x::MascaraNN},
    {"DocumentosconSaldo1", R"~(Documentos con Saldo)~",
     R"~(& Select CLPRV_O,NOMBR_O,CLDOC_O,IMDOC_O,IMDOC_O-SALDO_O,SALDO_O,FEDOC_O,FEPAG_O,REFER_O from [C8]COMPRASE.DBF)~",
     R"~(?(SALDO_O>0.1 AND (STDOC_O<>"C" OR STDOC_O IS NULL)) ¿)~",
     R"~(!CLDOC_O)~", nullptr,
     R"~(%           c              e             t            t            t             c           c              c          )~",
     R"~(#PROVEEDOR   NOMBRE         COMPRA        IMPORTE      ABONOS       SALDO       FECHA         FECHA_VENC     REFERENCIA  )~",
     Datos::Recepciones, x::LetraClave},
    {"DocumentosPagados1", R"~(Documentos Pagados)~",
     R"~(& Select CLPRV_O,NOMBR_O,CLDOC_O,IMDOC_O,IMDOC_O-SALDO_O,SALDO_O,FEDOC_O,FEPAG_O,REFER_O from [C8]COMPRASE.DBF)~",
     R"~(?(SALDO_O<0.1 AND (STDOC_O<>"C" OR STDOC_O IS NULL)) ¿)~",
     R"~(!CLDOC_O)~", nullptr,
     R"~(%           c              e             t            t            t             c           c              c          )~",
     R"~(#PROVEEDOR   NOMBRE         COMPRA        IMPORTE      ABONOS       SALDO       FECHA         FECHA_PAG     REFERENCIA  )~",
     Datos::Recepciones, x::LetraClave | x::FechasPago},
    {"VencimientosporPeriodo1", R"~(Vencimientos por Periódo)~",
     R"~(& Select CLPRV_O,NOMBR_O,CLDOC_O,IMDOC_O,IMDOC_O-SALDO_O,SALDO_O,FEDOC_O,FEPAG_O,REFER_O,([HOY]-FEPAG_O) from [C8]COMPRASE.DBF)~",
     R"~(?(SALDO_O>0.1 AND (STDOC_O<>"C" OR STDOC_O IS NULL)) and(FEPAG_O<=[HOY]) ¿)~",
     R"~(!CLDOC_O)~", nullptr,
     R"~(%           c              e             t            t            t             c           c              c                        c            )~",
     R"~(#PROVEEDOR   NOMBRE         COMPRA        IMPORTE      ABONOS       SALDO       FECHA         FECHA_VENC     REFERENCIA               DIAS_VENCIDOS )~",
     Datos::Recepciones, x::LetraClave | x::FechasPago},
    {"GeneraldeDocumentos1", R"~(General de Documentos)~",
     R"~(& Select CLPRV_O,NOMBR_O,CLDOC_O,IMDOC_O,IMDOC_O-SALDO_O,SALDO_O,FEDOC_O,FEPAG_O,REFER_O from [C8]COMPRASE.DBF)~",
     R"~(?((STDOC_O<>"C" OR STDOC_O IS NULL)) ¿)~",
     R"~(!CLDOC_O)~", nullptr,
     R"~(%           c              e             t            t            t             c           c              c          )~",
     R"~(#PROVEEDOR   NOMBRE                 COMPRA        IMPORTE      ABONOS       SALDO       FECHA         FECHA_VENC     REFERENCIA             )~",
     Datos::Recepciones, x::LetraClave},
    {"GeneralporPeriodo1", R"~(General por Periódo)~",
     R"~(& Select CLPRV_O,NOMBR_O,CLDOC_O,IMDOC_O,IMDOC_O-SALDO_O,SALDO_O,FEDOC_O,FEPAG_O,REFER_O from [C8]COMPRASE.DBF)~",
     R"~(?((STDOC_O<>"C" OR STDOC_O IS NULL)) ¿)~",
     R"~(!CLDOC_O)~", nullptr,
     R"~(%           c              e             t            t            t             c           c              c          )~",
     R"~(#PROVEEDOR   NOMBRE                 COMPRA        IMPORTE      ABONOS       SALDO       FECHA         FECHA_VENC     REFERENCIA             )~",
     Datos::Recepciones, x::LetraClave | x::FechasPago},
    {"MovimientosporPeriodo1", R"~(Movimientos por Período)~",
     R"~(& Select C.NUCOM_CP,C.NOMBR_CP,TIMOV_CP,D.CONCE_MO,C.IMCUE_CP,C.FEAPL_CP,F.FEDOC_O,D.NUMOV_MO,C.SALDO_CP from [C8]CUEPAGAR.DBF AS C,[C8]COMPRASE.DBF AS F,[C8]CONCEPTO.DBF AS D)~",
     R"~(?(ABONO_CP>0.1) AND (F.CLDOC_O=C.NUCOM_CP) AND (TIMOV_CP=D.NUMOV_MO) ¿)~",
     R"~(!NUCOM_CP)~", nullptr,
     R"~(%e          c              c        c              t              c              c              )~",
     R"~(#DOCUMENTO  NOMBRE         TIPO     MOVIMIENTO     IMPORTE        FECHA_APL      FECHA_VENC     )~",
     Datos::Movimientos, 0},
};
// clang-format on

}  // namespace

const QVector<FilaReporteCompra>& FilasReporteCompras() { return kFilasCompras; }
const QVector<FilaReporteCompra>& FilasReporteProveedores() { return kFilasProveedores; }
const QVector<FilaReporteCompra>& FilasReporteCuentasPagar() { return kFilasCuentasPagar; }

const FilaReporteCompra* FilaReporteCompraDe(const QVector<FilaReporteCompra>& filas, const QString& clave) {
  for (const FilaReporteCompra& f : filas)
    if (clave == QLatin1String(f.clave)) return &f;
  return nullptr;
}

QString ValorActualReporte(const db::Tabla& tabla, const QString& campo) {
  if (!tabla.Active() || tabla.IsEmpty() || !tabla.FindField(campo)) return QString();
  return tabla.FieldByName(campo).AsString();
}

ArgumentosReporteCompra ArgumentosDeFilaCompra(const FilaReporteCompra& fila, const ContextoReporteCompra& c) {
  const unsigned e = fila.extras;
  ArgumentosReporteCompra a;
  a.titulo = QString::fromUtf8(fila.titulo);
  a.datos = fila.datos;
  QString fecha;
  switch (fila.datos) {
    case Datos::Encabezado:
      a.campoClave = QStringLiteral("CLDOC_O");
      fecha = QStringLiteral("FEDOC_O");
      a.claveBusca = c.numeroEncabezado;
      break;
    case Datos::Partidas:
      a.campoClave = QStringLiteral("CLDOC_OD");
      fecha = QStringLiteral("FEDOC_OD");
      a.claveBusca = c.numeroPartida;
      break;
    case Datos::Proveedores:
      a.campoClave = QStringLiteral("CLAVE_P");
      a.claveBusca = c.proveedor;
      break;
    case Datos::Recepciones:
      a.campoClave = QStringLiteral("CLPRV_O");
      a.claveBusca = c.proveedorRecepcion;
      break;
    case Datos::Movimientos:
      fecha = QStringLiteral("FEAPL_CP");
      a.claveBusca = c.proveedor;
      break;
  }
  if (e & x::FechasPago) fecha = QStringLiteral("FEPAG_O");
  if (e & x::SinFechas) fecha.clear();
  a.fechaDesde = a.fechaHasta = fecha;
  if (e & x::SinBusca) a.claveBusca.clear();
  if (e & x::MascaraNN) a.mascara = QStringLiteral("NN");

  SeccionGuion s = SeccionDeFila(fila, u'$' + a.titulo);
  if (e & x::LetraClave) s.tipos.insert(1, c.letraClave);
  const QString hoy = u'"' + FechaSQL(TextoFecha(c.hoy)) + u'"';
  s.consulta.replace(QStringLiteral("[HOY]"), hoy);
  s.condicion.replace(QStringLiteral("[HOY]"), hoy);
  a.guion = GuionDeSecciones({s}, c.lugar);
  return a;
}
