// The scripts and queries of the product window's reports, queries and
// expiry commands.

#include "inventory/GuionesInventario.h"

#include "foundation/decimal.h"
#include "platform/db/Literales.h"
#include "shell/LugarTablas.h"

namespace {

constexpr QChar kCR = u'\r';
constexpr int kLargoClaveCaducidad = 15;
constexpr int kLargoClaveHistoria = 25;
constexpr int kLargoFactor = 10;

// A table's path between double quotes, as the scripts name it.
QString Ruta(const QString& carpeta, const QString& archivo) { return u'"' + carpeta + u'\\' + archivo + u'"'; }

QString Linea(const char* texto) { return QString::fromUtf8(texto) + kCR; }

}  // namespace

const std::vector<ListadoInventario>& ListadosInventario() {
  static const std::vector<ListadoInventario> listados = {
      {"Stocks1", "CLPRO_I,DSCPR_I,EXIST_I,ULCOS_I,STMIN_I,STMAX_I,EXIST_I-STMIN_I",
       "?(CLPRO_I=CLPRO_I) \u00BF", "!CLPRO_I",
       "%c              c                   f                 t                 f              f             f             ",
       "#PRODUCTO       DESCRIPCION         EXISTENCIAS       ULTIMO_COSTO      STOCK_MINIMO   STOCK_MAXIMO  AJUSTE        "},
      {"VtasyCprasAnuales1", "CLPRO_I,DSCPR_I,VANMO_I",
       "?(CLPRO_I=CLPRO_I) \u00BF", "!CLPRO_I",
       "%c              c              t              ",
       "#PRODUCTO       DESCRIPCION    VENTAS_ANUALES "},
      {"Existencias2", "CLPRO_I,DSCPR_I,EXIST_I",
       "?(CLPRO_I=CLPRO_I) \u00BF", "!CLPRO_I",
       "%c              c                        t                ",
       "#PRODUCTO       DESCRIPCION              EXISTENCIAS      "},
      {"CostoyCostoPromedio1", "CLPRO_I,DSCPR_I,ULCOS_I,CPROM_I,PPUBL_I,PPUBL_I-CPROM_I",
       "?(CLPRO_I=CLPRO_I) \u00BF", "!CLPRO_I",
       "%c              c              f            f            f              t             ",
       "#PRODUCTO       DESCRIPCION    U_COSTO     C_PROMEDIO    PRECIO_PUB.    UTILIDAD      "},
      {"ListadePrecios1", "CLPRO_I,DSCPR_I,PPUBL_I",
       "?(CLPRO_I=CLPRO_I) \u00BF", "!CLPRO_I",
       "%c           c             f                ",
       "#PRODUCTO       DESCRIPCION                                           PRECIO_PBL.    "},
      {"CostodelInventario1", "CLPRO_I,EXIST_I,DSCPR_I,CPROM_I,CPROM_I*EXIST_I,ULCOS_I,ULCOS_I*EXIST_I",
       "?(CLPRO_I=CLPRO_I) \u00BF", "!CLPRO_I",
       "%c              t                  c             f           t                 f            t                ",
       "#PRODUCTO       EXISTENCIAS   DESCRIPCION        C_PROM.     CANT.xC_PROM      U_COSTO      CANT.xU_COSTO    "},
      {"ValordeInventario1", "CLPRO_I,EXIST_I,DSCPR_I,PPUBL_I,PPUBL_I*EXIST_I",
       "?(CLPRO_I=CLPRO_I) \u00BF", "!CLPRO_I",
       "%c              t             c                  f            t                       ",
       "#PRODUCTO       EXISTENCIAS   DESCRIPCION        PRECIO_PUB.  CANT.xPRECIO_PUB.       "},
      {"CatlogodeProductos1", "CLPRO_I,DSCPR_I,FEULC_I,FEULV_I,FPGCI_I,ULCOS_I,EXIST_I",
       "?(CLPRO_I=CLPRO_I) \u00BF", "!CLPRO_I",
       "%c              c                        c                c              h                t                t            ",
       "#PRODUCTO       DESCRIPCION              ULTIMA_COMPRA    ULTIMA_VENTA   ULTIMO_MOV.      ULTIMO_COSTO     EXISTENCIAS  "},
      {"CostoyValor1", "CLPRO_I,EXIST_I,DSCPR_I,ULCOS_I*EXIST_I,PPUBL_I*EXIST_I,(PPUBL_I*EXIST_I)-(ULCOS_I*EXIST_I)",
       "?(CLPRO_I=CLPRO_I) \u00BF", "!CLPRO_I",
       "%c              t             c                  t              t                t           ",
       "#PRODUCTO       EXISTENCIAS   DESCRIPCION        COSTO_TOTAL.   VALOR_TOTAL      UTILIDAD_ESPERADA"},
      {"ListadePolticas1", "CLPRO_I,DSCPR_I,PPUBL_I,POLI1_I,PLIS2_I,POLI2_I,PLIS3_I,POLI3_I",
       "?(CLPRO_I=CLPRO_I) \u00BF", "!CLPRO_I",
       "%c              c                         f             f            f             f            f             f            ",
       "#PRODUCTO       DESCRIPCION               PRECIO_PBL.   POLITICA1    PRECIO2       POLITICA2    PRECIO3       POLITICA3    "},
      {"ExistenciasyStockMnimo1", "CLPRO_I,DSCPR_I,EXIST_I,STMAX_I,((EXIST_I-STMAX_I)*(-1))",
       "?((EXIST_I-(STMAX_I-{factor}))<=0)and(CLPRO_I=CLPRO_I) \u00BF", "!CLPRO_I",
       "%c              c                   t                     f              f             ",
       "#PRODUCTO       DESCRIPCION         EXISTENCIAS           STOCK_MAXIMO   FALTANTES        "},
      {"ReportedeFaltantes1", "CLPRO_I,DSCPR_I,EXIST_I,STMAX_I,((EXIST_I-STMAX_I)*(-1)),CLPR1_I,ULCOS_I",
       "?((EXIST_I-(STMAX_I-{factor}))<=0)and(CLPRO_I=CLPRO_I) \u00BF", "!CLPRO_I",
       "%c              c                   t                     f              f             c            f            ",
       "#PRODUCTO       DESCRIPCION         EXISTENCIAS           STOCK_MAXIMO   FALTANTES     PROVEEDOR    COSTO        "},
      {"MsVendido1", "CLPRO_I,DSCPR_I,VANMO_I,EXIST_I,EXIFA_I",
       "?(CLPRO_I=CLPRO_I) \u00BF", "!VANMO_I desc",
       "%c              c                       t             t            t             ",
       "#PRODUCTO       DESCRIPCION              CANTIDAD     EXISTENCIAS  PIEZAS        "},
      {"EmpaquesyCajas1", "CLPRO_I,DSCPR_I,EXIST_I,EXIFA_I",
       "?(CLPRO_I=CLPRO_I) AND UEMPA_I>0 \u00BF", "!CLPRO_I",
       "%c              c                        t            t             ",
       "#PRODUCTO       DESCRIPCION              EXISTENCIAS  PIEZAS        "},
      {"ExistenciasporFactor1", "CLPRO_I,DSCPR_I,EXIST_I,FPGCC_I,EXIST_I/FPGCC_I",
       "?(CLPRO_I=CLPRO_I) AND FPGCC_I>0 \u00BF", "!CLPRO_I",
       "%c              c                        t                f                t               ",
       "#PRODUCTO       DESCRIPCION              EXISTENCIAS      FACTOR           CAJAS           "},
  };
  return listados;
}

const ListadoInventario* BuscaListadoInventario(const QString& item) {
  for (const ListadoInventario& l : ListadosInventario())
    if (item == QLatin1String(l.item)) return &l;
  return nullptr;
}

QString FactorStockGuion(const QString& linea72) {
  const QString factor = linea72.left(kLargoFactor).trimmed();
  return factor.isEmpty() || !LeeDecimal(factor) ? QStringLiteral("0") : factor;
}

QString GuionListadoInventario(const ListadoInventario& listado, const QString& titulo, const QString& factor) {
  return u'$' + titulo + kCR + QStringLiteral("& Select ") + QString::fromUtf8(listado.columnas) +
         QStringLiteral(" from ") + TablaSQL(kArchivoProductosGuion) + kCR +
         QString::fromUtf8(listado.condicion).replace(QStringLiteral("{factor}"), factor) + kCR +
         Linea(listado.orden) + Linea(listado.tipos) + Linea(listado.encabezado) + u'@' + kCR;
}

QString GuionCaducidadProducto(const QString& titulo, const QString& clave) {
  return u'$' + titulo + kCR +
         QStringLiteral("& Select C.CLDOC_OD,C.CLPRO_OD,C.DESCR_OD,C.CANTI_OD,C.FEDOC_OD,C.CADUC_OD,I.CLPRO_I from ") +
         TablaSQL(kArchivoProductosGuion) + QStringLiteral(" as I,") +
         TablaSQL(QStringLiteral("ComprasD.dbf")) + QStringLiteral(" as C") + kCR +
         QStringLiteral("?(C.CLPRO_OD=I.CLPRO_I AND I.CLPRO_I=") +
         db::LiteralComillas(clave.left(kLargoClaveCaducidad)) + QStringLiteral(") \u00BF") + kCR +
         Linea("!CLDOC_OD") +
         Linea("%c              c            c              t             c             c               ") +
         Linea("#DOCUMENTO      PRODUCTO     DESCRIPCION    CANTIDAD      FECHA         CADUCIDAD       ") + u'@' +
         kCR;
}

QString GuionHistoriaProducto(const QString& titulo, const QString& clave) {
  const QString literal = db::LiteralApostrofos(clave.left(kLargoClaveHistoria));
  return u'$' + titulo + kCR +
         QStringLiteral("& Select CLDOC_OD,CLPRO_OD,DESCR_OD,CANTI_OD,CUNIT_OD,CANTI_OD*CUNIT_OD,'A' from ") +
         TablaSQL(QStringLiteral("COMPRASD.DBF")) + QStringLiteral(" WHERE CLPRO_OD=") + literal +
         QStringLiteral("  UNION & Select CLDOC_FD,CLPRO_FD,DEPRO_FD,CANTI_FD,PUNPR_FD,CANTI_FD*PUNPR_FD,'B' from ") +
         TablaSQL(QStringLiteral("FACTURAD.DBF")) + QStringLiteral(" WHERE CLPRO_FD=") + literal + kCR +
         Linea("%c           c             c                   t              t            t              c      ") +
         Linea("#DOCUMENTO   CLAVE         PRODUCTO            CANTIDAD       PRECIO       IMPORTE        LETRA  ") +
         u'@' + kCR;
}

QString ConsultaLotesProducto(const QString& clave, bool conProducto) {
  const QString literal = db::LiteralComillas(clave);
  return QStringLiteral("SELECT  CANTI_OD AS CANTI_OD,CADUC_OD AS CADUC_OD,CLDOC_OD AS CLDOC_OD,FEDOC_OD AS "
                        "FEDOC_OD,(1*51) AS TIMOV_OD") +
         (conProducto ? QStringLiteral(",CLPRO_OD AS CLPRO,DESCR_OD AS PRODUCTO") : QString()) +
         QStringLiteral(" FROM ") + TablaSQL(QStringLiteral("ComprasD.dbf")) +
         QStringLiteral("  WHERE CLPRO_OD=") + literal +
         QStringLiteral("  UNION ALL SELECT  CANTI_MI AS CANTI_OD,CADUC_MI AS CADUC_OD,CLDOC_MI AS CLDOC_OD,FEDOC_MI "
                        "AS FEDOC_OD,(TIMOV_MI*1) AS TIMOV_OD") +
         (conProducto ? QStringLiteral(",CLPRO_MI AS CLPRO,DESCR_MI AS PRODUCTO") : QString()) +
         QStringLiteral(" FROM ") + TablaSQL(QStringLiteral("MovInven.dbf")) +
         QStringLiteral("  WHERE (TIMOV_MI>50 AND CLPRO_MI=") + literal + QStringLiteral(") order by CADUC_OD ");
}

QString GuionCaducidadTodos(const QString& titulo, const QString& carpetaPrograma) {
  return u'$' + titulo + kCR + QStringLiteral("& Select CLPRO,PRODUCTO,CANTIDAD,CADUCIDAD,DOCUMENTO,MOVIMIENTO from ") +
         Ruta(carpetaPrograma, QStringLiteral("Caducidad.dbf")) + kCR + Linea("?(CLPRO=CLPRO) \u00BF") +
         Linea("!CLPRO,CADUCIDAD") +
         Linea("%c              c                             t                c              c             c            ") +
         Linea("#PRODUCTO       DESCRIPCION                   CANTIDAD         CADUCIDAD      DOCUMENTO     MOVIMIENTO  ") +
         u'@' + kCR;
}

QString ConsultaComprasProducto(const QString& clave) {
  return QStringLiteral("Select CANTI_OD,CUNIT_OD,FEDOC_OD,CLDOC_OD,CLPRO_OD,DESCR_OD   FROM ") +
         TablaSQL(QStringLiteral("ComprasD.dbf")) +
         QStringLiteral(" where (TREGI_OD<>\"C\" OR TREGI_OD IS NULL) AND  CLPRO_OD=") + db::LiteralComillas(clave);
}

QString ConsultaVentasProducto(const QString& clave) {
  return QStringLiteral("Select CANTI_FD,PREDE_FD,FEDOC_FD,CLDOC_FD,DEPRO_FD   FROM ") +
         TablaSQL(QStringLiteral("RemisioD.dbf")) +
         QStringLiteral(" where (TREGI_FD<>\"C\" OR TREGI_FD IS NULL) AND  CLPRO_FD=") + db::LiteralComillas(clave);
}

QString ConsultaMovimientosProducto(const QString& clave) {
  return QStringLiteral("Select CANTI_MI,COSUN_MI,TIMOV_MI,FEDOC_MI,CLDOC_MI,DESCR_MI   FROM ") +
         TablaSQL(QStringLiteral("MovInven.dbf")) + QStringLiteral(" where   CLPRO_MI=") +
         db::LiteralComillas(clave);
}
