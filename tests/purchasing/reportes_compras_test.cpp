// The purchase window's printing and reports, the supplier catalogue's
// reports and those of the payables query: every script as the runner
// receives it, the reports run over a few receipts of blank, cancelled and
// paid status, the print and preview of a receipt on the recording
// printer, the saved queries, the generator's supplier balances and the
// detailed payables print.

#include "compras_prueba.h"
#include "formats/ImporteLetra.h"
#include "formats/PaginaPrevia.h"
#include "formats/moneda_prueba.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/PuertaModal.h"
#include "purchasing/Compras.h"
#include "purchasing/ConsultaCuePagar.h"
#include "purchasing/GuionesCompras.h"
#include "purchasing/ReportesCompras.h"
#include "purchasing/ReportesCuePagar.h"
#include "purchasing/ReportesProveedo.h"
#include "reports/Barras.h"
#include "reports/Consulta.h"
#include "reports/Formatos.h"
#include "reports/GeneradorReporte.h"
#include "reports/ImpresionRenglones.h"
#include "reports/RepoSQL.h"
#include "reports/Vistas.h"
#include "support/ImpresionPrueba.h"
#include "support/Maneja.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <memory>

namespace {

using prueba::Pulsa;

const QDate kHoy(2025, 3, 7);

// --- The scripts.

struct Esperado {
  const char* clave;
  const char* campoClave;
  const char* fecha;  // both date fields
  const char* busca;
  const char* mascara;
  QStringList lineas;
};

// Every script of the three windows with the folders of Contexto(), today
// 07/03/2025.
// clang-format off
const Esperado kEsperados[] = {
    {"DocumentosCancelados1", "CLDOC_O", "FEDOC_O", "4", "",
     {R"~($Documentos Cancelados)~",
      R"~(& Select CLDOC_O,NOMBR_O,IMDOC_O,FEDOC_O,FEPAG_O,REFER_O from "C:\D8\COMPRASE.DBF")~",
      R"~(?(STDOC_O="C") ¿)~",
      R"~(!CLDOC_O)~",
      R"~(%e           c          t             c            c             c              )~",
      R"~(#DOCUMENTOS  NOMBRE     IMPORTE       FECHA        FECHA_PAGO    REFERENCIA     )~",
      R"~(@)~"}},
    {"TodoslosDocumentos1", "CLDOC_O", "FEDOC_O", "4", "",
     {R"~($Todos los Documentos)~",
      R"~(& Select CLDOC_O,NOMBR_O,SUBTO_O,IMPMO_O,IMDOC_O,FEDOC_O,FEPAG_O,REFER_O from "C:\D8\COMPRASE.DBF")~",
      R"~(?(STDOC_O<>"C" OR STDOC_O IS NULL) ¿)~",
      R"~(!CLDOC_O)~",
      R"~(%e           c                t             t             t            c            c             c            )~",
      R"~(#DOCUMENTOS  NOMBRE           SUBTOTAL      IMPUESTO      IMPORTE       FECHA        FECHA_PAGO    REFERENCIA   )~",
      R"~(@)~"}},
    {"comprasporProveedor1", "CLDOC_O", "FEDOC_O", "4", "",
     {R"~($Compras por Proveedor)~",
      R"~(& Select CLDOC_O,NOMBR_O,IMDOC_O,FEDOC_O,FEPAG_O,REFER_O from "C:\D8\COMPRASE.DBF")~",
      R"~(?(STDOC_O<>"C" OR STDOC_O IS NULL) ¿)~",
      R"~(!NOMBR_O,CLDOC_O)~",
      R"~(>NOMBR_O)~",
      R"~(%e           c                t             c            c             c               )~",
      R"~(#DOCUMENTOS  NOMBRE           IMPORTE       FECHA        FECHA_PAGO    REFERENCIA      )~",
      R"~(@)~"}},
    {"DocumentosconSaldo1", "CLDOC_O", "", "4", "",
     {R"~($Documentos con Saldo)~",
      R"~(& Select CLDOC_O,NOMBR_O,IMDOC_O,SALDO_O,FEDOC_O,FEPAG_O,REFER_O from "C:\D8\COMPRASE.DBF")~",
      R"~(?(SALDO_O>0.1 AND (STDOC_O<>"C" OR STDOC_O IS NULL)) ¿)~",
      R"~(!CLDOC_O)~",
      R"~(%e           c                t            t             c            c             c                )~",
      R"~(#DOCUMENTOS  NOMBRE           IMPORTE      SALDO         FECHA        FECHA_PAGO    REFERENCIA       )~",
      R"~(@)~"}},
    {"ComprasporProducto1", "CLDOC_OD", "FEDOC_OD", "9", "",
     {R"~($Compras por Producto)~",
      R"~(& Select D.CLDOC_OD,D.CLPRO_OD,D.DESCR_OD,D.CANTI_OD,D.CUNIT_OD,D.CANTI_OD*D.CUNIT_OD,D.FEDOC_OD,E.STDOC_O,E.REFER_O from "C:\D8\COMPRASD.DBF" AS D,"C:\D8\COMPRASE.DBF" AS E )~",
      R"~(?(STDOC_O<>"C" OR STDOC_O IS NULL) AND D.CLDOC_OD=E.CLDOC_O ¿)~",
      R"~(!CLPRO_OD,CLDOC_OD)~",
      R"~(>CLPRO_OD)~",
      R"~(%e          c            c                     t               f              t              c           c             )~",
      R"~(#DOCUMENTO  PRODUCTO     DESCRIPCION           CANTIDAD        COSTO          COSTO_X_CANT.  FECHA       REFERENCIA     )~",
      R"~(@)~"}},
    {"CaducidadProductos1", "CLDOC_OD", "FEDOC_OD", "9", "",
     {R"~($Caducidad Productos)~",
      R"~(& Select CLDOC_OD,CLPRO_OD,DESCR_OD,CANTI_OD,FEDOC_OD,CADUC_OD from "C:\D8\COMPRASD.DBF")~",
      R"~(? CLDOC_OD=CLDOC_OD ¿)~",
      R"~(!CADUC_OD,CLPRO_OD)~",
      R"~(%c          c            c                     t             c              c             )~",
      R"~(#DOCUMENTO  PRODUCTO     DESCRIPCION           CANTIDAD      FECHA          CADUCIDAD     )~",
      R"~(@)~"}},
    {"DescuentosporUsuario1", "CLDOC_O", "FEDOC_O", "4", "",
     {R"~($Descuentos por Usuario)~",
      R"~(& Select CLDOC_O,NOMBR_O,IMDOC_O,IMPMO_O,FEDOC_O,FEPAG_O,DTOTA_O,DFINT_O,REFER_O,CONTR_O from "C:\D8\COMPRASE.DBF")~",
      R"~(?(STDOC_O<>"C" OR STDOC_O IS NULL)and(CONTR_O>" ") ¿)~",
      R"~(!CLDOC_O)~",
      R"~(%e           c                t             t            c            c             f            f             c             c       )~",
      R"~(#DOCUMENTOS  NOMBRE           IMPORTE       IMPUESTO     FECHA        FECHA_PAGO    DESC_TOT     DESC_FIN      REFERENCIA    USUARIO )~",
      R"~(@)~"}},
    {"ListadodeProveedores1", "CLAVE_P", "", "", "",
     {R"~($Listado de Proveedores)~",
      R"~(& Select CLAVE_P,NOMBR_P,TELEF_P,RFCXX_P,POBLA_P« from "C:\D8\PROVEEDO.DBF")~",
      R"~(?(CLAVE_P=CLAVE_P)¿)~",
      R"~(!CLAVE_P)~",
      R"~(%c          c                  c               c                c)~",
      R"~(#CLIENTE    NOMBRE             TELEFONO        R.F.C.           POBLACION          )~",
      R"~(@)~"}},
    {"ProvedoresconSaldo1", "CLAVE_P", "", "P7", "",
     {R"~($Provedores con Saldo)~",
      R"~(& Select CLAVE_P,NOMBR_P,CARGO_P,ABONO_P,SALDO_P from "C:\D8\PROVEEDO.DBF")~",
      R"~(?(SALDO_P>0.01) ¿)~",
      R"~(!CLAVE_P)~",
      R"~(%e           c              t            t            t           )~",
      R"~(#PROVEEDOR   NOMBRE         CARGOS       ABONOS       SALDO       )~",
      R"~(@)~"}},
    {"TodoslosProveedores1", "CLAVE_P", "", "P7", "",
     {R"~($Todos los Proveedores)~",
      R"~(& Select CLAVE_P,NOMBR_P,CARGO_P,ABONO_P,SALDO_P from "C:\D8\PROVEEDO.DBF")~",
      R"~(?(SALDO_P>0.01) ¿)~",
      R"~(!CLAVE_P)~",
      R"~(%e           c              t            t            t           )~",
      R"~(#PROVEEDOR   NOMBRE         CARGOS       ABONOS       SALDO       )~",
      R"~(@)~"}},
    {"PorDocumento1", "CLPRV_O", "FEPAG_O", "P9", "",
     {R"~($Por Documento)~",
      R"~(& Select CLPRV_O,NOMBR_O,CLDOC_O,IMDOC_O,IMDOC_O-SALDO_O,SALDO_O,FEDOC_O,FEPAG_O,REFER_O from "C:\D8\COMPRASE.DBF")~",
      R"~(?(SALDO_O>0.1 AND (STDOC_O<>"C" OR STDOC_O IS NULL)) ¿)~",
      R"~(!CLDOC_O)~",
      R"~(%c           c              e             t            t            t             c           c              c          )~",
      R"~(#PROVEEDOR   NOMBRE         COMPRA        IMPORTE      ABONOS       SALDO       FECHA         FECHA_VENC     REFERENCIA  )~",
      R"~(@)~"}},
    {"PorProveedor1", "CLPRV_O", "FEPAG_O", "P9", "",
     {R"~($Por Proveedor)~",
      R"~(& Select CLPRV_O,NOMBR_O,CLDOC_O,IMDOC_O,IMDOC_O-SALDO_O,SALDO_O,FEDOC_O,FEPAG_O,REFER_O from "C:\D8\COMPRASE.DBF")~",
      R"~(?(SALDO_O>0.1 AND (STDOC_O<>"C" OR STDOC_O IS NULL)) ¿)~",
      R"~(!CLPRV_O,CLDOC_O)~",
      R"~(%c           c              e             t            t            t             c           c              c          )~",
      R"~(#PROVEEDOR   NOMBRE         COMPRA        IMPORTE      ABONOS       SALDO       FECHA         FECHA_VENC     REFERENCIA  )~",
      R"~(@)~"}},
    {"DocumentosVencidos1", "CLPRV_O", "", "P9", "NN",
     {R"~($Documentos Vencidos)~",
      R"~(& Select CLPRV_O,NOMBR_O,CLDOC_O,IMDOC_O,IMDOC_O-SALDO_O,SALDO_O,FEDOC_O,FEPAG_O,REFER_O,("3/7/2025"-FEPAG_O) from "C:\D8\COMPRASE.DBF")~",
      R"~(?(SALDO_O>0.1 AND (STDOC_O<>"C" OR STDOC_O IS NULL)) and(FEPAG_O<="3/7/2025") ¿)~",
      R"~(!CLDOC_O)~",
      R"~(%c           c              e             t            t            t             c           c              c          c            )~",
      R"~(#PROVEEDOR   NOMBRE         COMPRA        IMPORTE      ABONOS       SALDO       FECHA         FECHA_VENC     REFERENCIA    DIAS_VENCIDOS )~",
      R"~(@)~"}},
    {"DocumentosconSaldo1", "CLPRV_O", "", "P9", "",
     {R"~($Documentos con Saldo)~",
      R"~(& Select CLPRV_O,NOMBR_O,CLDOC_O,IMDOC_O,IMDOC_O-SALDO_O,SALDO_O,FEDOC_O,FEPAG_O,REFER_O from "C:\D8\COMPRASE.DBF")~",
      R"~(?(SALDO_O>0.1 AND (STDOC_O<>"C" OR STDOC_O IS NULL)) ¿)~",
      R"~(!CLDOC_O)~",
      R"~(%c           c              e             t            t            t             c           c              c          )~",
      R"~(#PROVEEDOR   NOMBRE         COMPRA        IMPORTE      ABONOS       SALDO       FECHA         FECHA_VENC     REFERENCIA  )~",
      R"~(@)~"}},
    {"DocumentosPagados1", "CLPRV_O", "FEPAG_O", "P9", "",
     {R"~($Documentos Pagados)~",
      R"~(& Select CLPRV_O,NOMBR_O,CLDOC_O,IMDOC_O,IMDOC_O-SALDO_O,SALDO_O,FEDOC_O,FEPAG_O,REFER_O from "C:\D8\COMPRASE.DBF")~",
      R"~(?(SALDO_O<0.1 AND (STDOC_O<>"C" OR STDOC_O IS NULL)) ¿)~",
      R"~(!CLDOC_O)~",
      R"~(%c           c              e             t            t            t             c           c              c          )~",
      R"~(#PROVEEDOR   NOMBRE         COMPRA        IMPORTE      ABONOS       SALDO       FECHA         FECHA_PAG     REFERENCIA  )~",
      R"~(@)~"}},
    {"VencimientosporPeriodo1", "CLPRV_O", "FEPAG_O", "P9", "",
     {R"~($Vencimientos por Periódo)~",
      R"~(& Select CLPRV_O,NOMBR_O,CLDOC_O,IMDOC_O,IMDOC_O-SALDO_O,SALDO_O,FEDOC_O,FEPAG_O,REFER_O,("3/7/2025"-FEPAG_O) from "C:\D8\COMPRASE.DBF")~",
      R"~(?(SALDO_O>0.1 AND (STDOC_O<>"C" OR STDOC_O IS NULL)) and(FEPAG_O<="3/7/2025") ¿)~",
      R"~(!CLDOC_O)~",
      R"~(%c           c              e             t            t            t             c           c              c                        c            )~",
      R"~(#PROVEEDOR   NOMBRE         COMPRA        IMPORTE      ABONOS       SALDO       FECHA         FECHA_VENC     REFERENCIA               DIAS_VENCIDOS )~",
      R"~(@)~"}},
    {"GeneraldeDocumentos1", "CLPRV_O", "", "P9", "",
     {R"~($General de Documentos)~",
      R"~(& Select CLPRV_O,NOMBR_O,CLDOC_O,IMDOC_O,IMDOC_O-SALDO_O,SALDO_O,FEDOC_O,FEPAG_O,REFER_O from "C:\D8\COMPRASE.DBF")~",
      R"~(?((STDOC_O<>"C" OR STDOC_O IS NULL)) ¿)~",
      R"~(!CLDOC_O)~",
      R"~(%c           c              e             t            t            t             c           c              c          )~",
      R"~(#PROVEEDOR   NOMBRE                 COMPRA        IMPORTE      ABONOS       SALDO       FECHA         FECHA_VENC     REFERENCIA             )~",
      R"~(@)~"}},
    {"GeneralporPeriodo1", "CLPRV_O", "FEPAG_O", "P9", "",
     {R"~($General por Periódo)~",
      R"~(& Select CLPRV_O,NOMBR_O,CLDOC_O,IMDOC_O,IMDOC_O-SALDO_O,SALDO_O,FEDOC_O,FEPAG_O,REFER_O from "C:\D8\COMPRASE.DBF")~",
      R"~(?((STDOC_O<>"C" OR STDOC_O IS NULL)) ¿)~",
      R"~(!CLDOC_O)~",
      R"~(%c           c              e             t            t            t             c           c              c          )~",
      R"~(#PROVEEDOR   NOMBRE                 COMPRA        IMPORTE      ABONOS       SALDO       FECHA         FECHA_VENC     REFERENCIA             )~",
      R"~(@)~"}},
    {"MovimientosporPeriodo1", "", "FEAPL_CP", "P7", "",
     {R"~($Movimientos por Período)~",
      R"~(& Select C.NUCOM_CP,C.NOMBR_CP,TIMOV_CP,D.CONCE_MO,C.IMCUE_CP,C.FEAPL_CP,F.FEDOC_O,D.NUMOV_MO,C.SALDO_CP from "C:\D8\CUEPAGAR.DBF" AS C,"C:\D8\COMPRASE.DBF" AS F,"C:\D8\CONCEPTO.DBF" AS D)~",
      R"~(?(ABONO_CP>0.1) AND (F.CLDOC_O=C.NUCOM_CP) AND (TIMOV_CP=D.NUMOV_MO) ¿)~",
      R"~(!NUCOM_CP)~",
      R"~(%e          c              c        c              t              c              c              )~",
      R"~(#DOCUMENTO  NOMBRE         TIPO     MOVIMIENTO     IMPORTE        FECHA_APL      FECHA_VENC     )~",
      R"~(@)~"}},
};
// clang-format on

ContextoReporteCompra Contexto() {
  ContextoReporteCompra x;
  x.lugar.encabezado = "COMPRASE.DBF";
  x.lugar.partidas = "COMPRASD.DBF";
  x.lugar.carpetas = db::Carpetas{"C:\\D8", {}, {}, "C:\\VRL"};
  x.hoy = kHoy;
  x.numeroEncabezado = "4";
  x.numeroPartida = "9";
  x.proveedor = "P7";
  x.proveedorRecepcion = "P9";
  x.letraClave = "c";
  return x;
}

TEST(GuionesCompras, CadaReporteDaSuGuionYSusArgumentos) {
  QVector<const FilaReporteCompra*> filas;
  for (const auto* lista : {&FilasReporteCompras(), &FilasReporteProveedores(), &FilasReporteCuentasPagar()})
    for (const FilaReporteCompra& f : *lista) filas << &f;
  ASSERT_EQ(filas.size(), std::size(kEsperados));
  for (qsizetype i = 0; i < filas.size(); ++i) {
    const Esperado& e = kEsperados[i];
    SCOPED_TRACE(e.clave);
    EXPECT_EQ(QString::fromLatin1(filas[i]->clave), e.clave);
    const ArgumentosReporteCompra a = ArgumentosDeFilaCompra(*filas[i], Contexto());
    EXPECT_EQ(a.guion, e.lineas.join(u'\r') + u'\r');
    EXPECT_EQ(a.titulo, e.lineas[0].mid(1));
    EXPECT_EQ(a.campoClave, e.campoClave);
    EXPECT_EQ(a.fechaDesde, e.fecha);
    EXPECT_EQ(a.fechaHasta, e.fecha);
    EXPECT_EQ(a.claveBusca, e.busca);
    EXPECT_EQ(a.mascara, e.mascara);
    EXPECT_EQ(a.tipo, 0);
    EXPECT_TRUE(a.dialogo);
    EXPECT_EQ(a.sentido, u' ');
  }
}

// --- The reports run.

// What the report window held while it was shown.
struct Corrida {
  bool mostrada = false;
  QString caption;
  QStringList paginas;
  QStringList mensajes;
};

// The first field of every row of a report's pages: the lines after the
// heading, without the underlines, the (sub)total lines under them and the
// closing ".".
QStringList Primeros(const Corrida& c) {
  QStringList primeros;
  bool total = false;
  for (qsizetype i = 2; i < c.paginas.size(); ++i) {
    const QString primero = c.paginas[i].section(u' ', 0, 0, QString::SectionSkipEmpty);
    const bool raya = primero.startsWith(u'_');
    if (!primero.isEmpty() && !raya && !total && primero != u".") primeros << primero;
    if (!primero.isEmpty()) total = raya;
  }
  return primeros;
}

class ReportesCompras : public ComprasPrueba {
 protected:
  void SetUp() override {
    ComprasPrueba::SetUp();
    fs::FijaAhora(QDateTime(kHoy, QTime(10, 0)));
    FijaLinea(ConfFormatoRecepcion, "recepcion.fmt");
    for (const auto& [clave, nombre, saldo] :
         {std::tuple{"P2", "BARNICES", 300.0}, std::tuple{"P1", "ACEROS", 1300.0}, std::tuple{"P3", "CEMENTOS", 0.0}})
      AgregaProveedor(clave, nombre, saldo);
    // Receipts: number, supplier, status, total, balance, date, due date.
    Recepcion(1, "P1", "", 100, 100, "01/03/2025", "05/03/2025");
    Recepcion(2, "P1", "C", 200, 200, "02/03/2025", "06/03/2025");
    Recepcion(3, "P2", "G", 300, 0, "03/03/2025", "04/03/2025");
    Recepcion(4, "P2", "", 400, 0.05, "04/03/2025", "07/03/2025");
    Recepcion(5, "P1", "", 500, 500, "10/02/2025", "07/03/2025");
    Recepcion(6, "P2", "C", 600, 600, "10/02/2025", "10/03/2025");
    Recepcion(7, "P1", "", 700, 700, "05/03/2025", "20/03/2025");
    Fila("CONCEPTO.DBF", {{"NUMOV_MO", "7"}, {"CONCE_MO", "ABONO"}});
    Fila("CONCEPTO.DBF", {{"NUMOV_MO", "51"}, {"CONCE_MO", "COMPRA"}});
    Cuenta(1, "P1", 51, 100, 0, 100, "01/03/2025");
    Cuenta(1, "P1", 7, 0, 40, 60, "06/03/2025");
    Cuenta(3, "P2", 51, 300, 0, 0, "03/03/2025");
    ui::PuertaModal::LimpiaMensajes();
  }

  void TearDown() override {
    compras_.reset();
    fs::LiberaReloj();
    ComprasPrueba::TearDown();
  }

  static void Fila(const QString& archivo, const QMap<QString, QString>& campos) {
    auto t = Abre(archivo);
    t->Append();
    for (auto it = campos.begin(); it != campos.end(); ++it) t->FieldByName(it.key()).SetAsString(it.value());
    t->Post();
  }
  static void Recepcion(int numero, const QString& proveedor, const QString& estado, double total, double saldo,
                        const QString& fecha, const QString& vence) {
    Fila("COMPRASE.DBF", {{"CLDOC_O", QString::number(numero)},
                          {"CONTROL", QString::number(numero * 10)},
                          {"CLPRV_O", proveedor},
                          {"NOMBR_O", "PROVEEDOR " + proveedor},
                          {"STDOC_O", estado},
                          {"IMDOC_O", QString::number(total)},
                          {"SUBTO_O", QString::number(total)},
                          {"SALDO_O", QString::number(saldo)},
                          {"FEDOC_O", fecha},
                          {"FEPAG_O", vence},
                          {"proceso", "G"}});
    Fila("COMPRASD.DBF", {{"CLDOC_OD", QString::number(numero)},
                          {"CONTROL", QString::number(numero * 10)},
                          {"CLPRO_OD", "A" + QString::number(numero)},
                          {"CANTI_OD", "1"},
                          {"CUNIT_OD", QString::number(total)},
                          {"FEDOC_OD", fecha}});
  }
  static void Cuenta(int numero, const QString& proveedor, int concepto, double cargo, double abono, double saldo,
                     const QString& fecha) {
    Fila("CUEPAGAR.DBF", {{"NUCOM_CP", QString::number(numero)},
                          {"CLPRO_CP", proveedor},
                          {"NOMBR_CP", "PROVEEDOR " + proveedor},
                          {"TIMOV_CP", QString::number(concepto)},
                          {"IMCUE_CP", QString::number(cargo + abono)},
                          {"ABONO_CP", QString::number(abono)},
                          {"SALDO_CP", QString::number(saldo)},
                          {"FEAPL_CP", fecha}});
  }

  TFormaCompras& Ventana() {
    if (!compras_) compras_ = std::make_unique<TFormaCompras>();
    compras_->Usuario->setText("0");
    compras_->Show();
    QApplication::setActiveWindow(compras_.get());
    compras_->DisparaActivacion();
    return *compras_;
  }

  // Runs `comando`, the parameters dialog accepted with the dates given
  // (when given), and keeps what the report window held.
  static Corrida Corre(const std::function<void()>& comando, const QDate& desde = {}, const QDate& hasta = {}) {
    auto c = std::make_shared<Corrida>();
    ui::PuertaModal::LimpiaMensajes();
    ui::PuertaModal::Espera("TFormaFormatos", [desde, hasta](QDialog& d) {
      auto& f = static_cast<TFormaFormatos&>(d);
      if (desde.isValid()) f.Inicial->setDate(desde);
      if (hasta.isValid()) f.Final->setDate(hasta);
      Pulsa(d, "BitBtn4");
    });
    ui::PuertaModal::Espera("TFormaReporteSQL", [c](QDialog& d) {
      auto& v = static_cast<TFormaReporteSQL&>(d);
      c->mostrada = true;
      c->caption = v.windowTitle();
      c->paginas = v.PaginasGuion;
    });
    comando();
    c->mensajes = Mensajes();
    ui::PuertaModal::Reinicia();
    return *c;
  }

  std::unique_ptr<TFormaCompras> compras_;
};

TEST_F(ReportesCompras, LosReportesDeLaVentanaDistinguenCanceladasDeLasDemas) {
  TFormaCompras& v = Ventana();
  const auto item = [&v](const char* nombre) {
    QAction* a = v.MainMenu1->findChild<QAction*>(nombre);
    EXPECT_TRUE(a && a->isEnabled()) << nombre;
    return a;
  };
  const QDate desde(2025, 3, 1);
  struct Caso {
    const char* item;
    QStringList documentos;
  };
  const Caso casos[] = {
      // Within the dates only; a blank status is open.
      {"DocumentosCancelados1", {"2"}},
      {"TodoslosDocumentos1", {"1", "3", "4", "7"}},
      // No dates; the balance of 0.05 is none.
      {"DocumentosconSaldo1", {"1", "5", "7"}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.item);
    const Corrida r = Corre([&] { item(c.item)->trigger(); }, desde, kHoy);
    ASSERT_TRUE(r.mostrada) << r.mensajes.join(u'\n').toStdString();
    EXPECT_EQ(Primeros(r), c.documentos) << r.paginas.join(u'\n').toStdString();
    // The window shows its receipt again, with its lines.
    EXPECT_EQ(v.EditCLDOC_O->text(), "7");
    EXPECT_EQ(v.TablaDeta->RecordCount(), 1);
  }
  // The lines of receipts not cancelled, by product.
  const Corrida p = Corre([&] { item("ComprasporProducto1")->trigger(); }, desde, kHoy);
  ASSERT_TRUE(p.mostrada) << p.mensajes.join(u'\n').toStdString();
  EXPECT_EQ(Primeros(p), (QStringList{"1", "3", "4", "7"})) << p.paginas.join(u'\n').toStdString();
  EXPECT_EQ(Mensajes(), QStringList());
}

class ReportesCuentasPagar : public ReportesCompras {
 protected:
  void SetUp() override {
    ReportesCompras::SetUp();
    proveedores_ = Abre("PROVEEDO.DBF", "ICLAPRO");
    recepciones_ = Abre("COMPRASE.DBF", "CLPRV_O");
    proveedores_->FindKey({"P1"});
    recepciones_->SetRange({"P1"}, {"P1"});
    ventana_.proveedores = proveedores_.get();
    ventana_.recepciones = recepciones_.get();
    ventana_.refiltra = [this] {
      ++refiltrados_;
      recepciones_->SetRange({"P1"}, {"P1"});
    };
  }

  Corrida Reporte(const char* clave, const QDate& desde = {}, const QDate& hasta = {}) {
    const FilaReporteCompra* fila = FilaReporteCompraDe(FilasReporteCuentasPagar(), clave);
    EXPECT_TRUE(fila) << clave;
    return Corre([&] { ui::Protege([&] { EjecutaReporteCuentasPagar(ventana_, *fila); }); }, desde, hasta);
  }

  std::unique_ptr<db::Tabla> proveedores_, recepciones_;
  VentanaReportesCxP ventana_;
  int refiltrados_ = 0;
};

TEST_F(ReportesCuentasPagar, PagadosVencidosYMovimientos) {
  // Paid: a balance below 0.1, the one never paid at 0.05 too.
  const Corrida pagados = Reporte("DocumentosPagados1", QDate(2025, 3, 1), QDate(2025, 3, 31));
  ASSERT_TRUE(pagados.mostrada) << pagados.mensajes.join(u'\n').toStdString();
  EXPECT_EQ(pagados.caption, "Reporte de Documentos Pagados");
  EXPECT_EQ(Primeros(pagados), (QStringList{"P2", "P2"})) << pagados.paginas.join(u'\n').toStdString();
  EXPECT_TRUE(pagados.paginas.join(u'\n').contains("PROVEEDOR P2")) << pagados.paginas.join(u'\n').toStdString();

  // Overdue on 07/03/2025: due that day or before, a balance above 0.1,
  // the blank status too, with the calendar days since the due date.
  const Corrida vencidos = Reporte("DocumentosVencidos1");
  ASSERT_TRUE(vencidos.mostrada) << vencidos.mensajes.join(u'\n').toStdString();
  QStringList filas;
  for (const QString& l : vencidos.paginas)
    if (l.startsWith("P1")) filas << l.simplified();
  ASSERT_EQ(filas.size(), 2) << vencidos.paginas.join(u'\n').toStdString();
  EXPECT_TRUE(filas[0].contains(" 1 ") && filas[0].endsWith(" 2")) << filas[0].toStdString();
  EXPECT_TRUE(filas[1].contains(" 5 ") && filas[1].endsWith(" 0")) << filas[1].toStdString();

  // A payment row joined with its receipt and its concept's text; the
  // charges are not payments.
  const Corrida movimientos = Reporte("MovimientosporPeriodo1", QDate(2025, 3, 1), QDate(2025, 3, 31));
  ASSERT_TRUE(movimientos.mostrada) << movimientos.mensajes.join(u'\n').toStdString();
  QStringList pagos;
  for (const QString& l : movimientos.paginas)
    if (l.contains("PROVEEDOR")) pagos << l.simplified();
  ASSERT_EQ(pagos.size(), 1) << movimientos.paginas.join(u'\n').toStdString();
  EXPECT_TRUE(pagos[0].startsWith("1 PROVEEDOR P1")) << pagos[0].toStdString();
  EXPECT_TRUE(pagos[0].contains("ABONO") && pagos[0].contains("01/03/2025")) << pagos[0].toStdString();

  // Every report ends with the list filtered and the totals recomputed.
  EXPECT_EQ(refiltrados_, 3);
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ReportesCompras, ImprimirMarcaLaRecepcionYLaPreliminarNo) {
  const QString formato = "C:\\VRL\\consulta\\recepcion.fmt";
  const auto marca = [] {
    auto t = Abre("COMPRASE.DBF");
    t->Last();
    return t->FieldByName("TDOCU_O").AsString();
  };
  TFormaCompras& v = Ventana();
  ASSERT_EQ(v.EditCLDOC_O->text(), "7");
  EXPECT_EQ(v.FormatoCompra, formato);

  // No format: said, and the preview opens empty.
  bool abierta = false;
  ui::PuertaModal::Espera("TFormaEdicion", [&abierta](QDialog& d) {
    abierta = true;
    d.close();
  });
  Pulsa(v, "BotonPreliminar");
  EXPECT_TRUE(abierta);
  EXPECT_EQ(Mensajes(), QStringList{"El Formato " + formato + " No Existe"});
  EXPECT_TRUE(TrabajosImpresos().isEmpty());

  // Printed from the preview: not marked.
  ui::PuertaModal::LimpiaMensajes();
  EscribeLineas(formato, {"impresora,laser", "@2,2,nombr_o", "@2,3,cldoc_o"});
  ui::PuertaModal::Espera("TFormaEdicion", [](QDialog& d) { Pulsa(d, "BotonImprime"); });
  v.PresentacionPreliminar1->trigger();
  EXPECT_EQ(TrabajosImpresos(), QList<QStringList>{(QStringList{"PROVEEDOR P1", "7"})});
  EXPECT_EQ(marca(), "");

  // "Imprimir": printed and marked, the header left browsing.
  print::BorraOperacionesGrabadas();
  Pulsa(v, "BotonImprimir");
  EXPECT_EQ(TrabajosImpresos(), QList<QStringList>{(QStringList{"PROVEEDOR P1", "7"})});
  EXPECT_EQ(marca(), "I");
  EXPECT_EQ(v.TablaComprasE->State(), db::Dataset::Estado::Navegando);

  // "Elige Formato": a missing file keeps the format; another one is used
  // by the next print.
  const auto elige = [&v](const QString& ruta) {
    ui::PuertaModal::Espera("TFormaFormatos", [ruta](QDialog& d) {
      static_cast<TFormaFormatos&>(d).Rutas->setText(ruta);
      Pulsa(d, "BotonEdicion");
    });
    v.EligeFormato1->trigger();
  };
  elige("C:\\VRL\\consulta\\falta.fmt");
  EXPECT_EQ(v.FormatoCompra, formato);
  const QString otro = "C:\\VRL\\consulta\\otro.fmt";
  EscribeLineas(otro, {"impresora,laser", "@2,2,clprv_o"});
  elige(otro);
  EXPECT_EQ(v.FormatoCompra, otro);
  print::BorraOperacionesGrabadas();
  v.Imprimir1->trigger();
  EXPECT_EQ(TrabajosImpresos(), QList<QStringList>{QStringList{"P1"}});
  EXPECT_EQ(Mensajes(), QStringList{"El Formato C:\\VRL\\consulta\\falta.fmt No Existe"});

  // "Imprime Plantilla": the window's picture, one job; "Diseña Formato":
  // the format editor.
  print::BorraOperacionesGrabadas();
  v.ImprimePlantilla1->trigger();
  EXPECT_EQ(TrabajosImpresos().size(), 1);
  bool editor = false;
  ui::PuertaModal::Espera("TFormaEdicion", [&editor](QDialog&) { editor = true; });
  v.DisenaFormato1->trigger();
  EXPECT_TRUE(editor);
}

TEST_F(ReportesCompras, ElImporteConLetraNombraLaMonedaDelDocumento) {
  EscribeBytes("C:\\VRL\\DATOS\\moneda.vrl", RegistroMoneda("M.N.", {"PESO", "PESOS DE", "PESOS", "M.N."}) +
                                                 RegistroMoneda("USD", {"DOLLAR", "DOLLARS", "DOLLARS", "USD"}));
  EscribeLineas("C:\\VRL\\consulta\\recepcion.fmt", {"impresora,laser", "tra(5,3,imdoc_o)"});
  TFormaCompras& v = Ventana();
  v.EditDIVIS_O->setCurrentText("USD");
  // Another window left the peso's texts.
  FijaTextosMoneda("PESO", "PESOS DE", "PESOS", "M.N.");
  Pulsa(v, "BotonImprimir");
  EXPECT_EQ(TrabajosImpresos(), QList<QStringList>{QStringList{"( SETECIENTOS DOLLARS 00/100 USD)"}});
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ReportesCompras, ElFormatoQueTraeElProgramaImprimeLaRecepcionConSusPartidas) {
  FijaLinea(ConfFormatoRecepcion, "compra.fmt");
  TFormaCompras& v = Ventana();
  Pulsa(v, "BotonImprimir");
  const QList<QStringList> trabajos = TrabajosImpresos();
  ASSERT_EQ(trabajos.size(), 1);
  for (const char* texto : {"COMPRA", "PROVEEDOR P1", "P1", "A7"})
    EXPECT_TRUE(trabajos[0].contains(texto)) << texto << ": " << trabajos[0].join(u'|').toStdString();
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ReportesCompras, LasConsultasOfrecenLasVistasQueExistenYDepuranLaLista) {
  const QString vista = "C:\\VRL\\DATOS\\report\\una.vis";
  EscribeLineas(vista, {"A.CLDOC_O"});
  struct Caso {
    const char* nombre;
    QString lista, copia, tabla, etiqueta;
    std::function<void()> abre;
  };
  const Caso casos[] = {
      {"compras", "comprase.for", "Cliente2.for", "comprase.dbf", "Comprase.for",
       [this] { Ventana().Consultas1->trigger(); }},
      {"proveedores", "proveedo.for", "Cliente2.for", "proveedo.dbf", "proveedo.for",
       [this] {
         QAction* a = ComprasPrueba::Ventana().Reportes1->findChild<QAction*>("Consultas1");
         ASSERT_TRUE(a);
         EXPECT_FALSE(a->isVisible());
         a->trigger();
       }},
      {"cuentas por pagar", "Cxp.for", "Cxp2.for", "Cuepagar.DBF", "Cxp.for",
       [] { ConsultaCuentasPagar(nullptr, kDatos); }},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    const QString lista = fs::Une(kDatos, "report\\" + c.lista);
    AgregaEntradaVista(lista, {vista, "La primera"});
    AgregaEntradaVista(lista, {"C:\\VRL\\DATOS\\report\\falta.vis", "La que falta"});
    QStringList vistas;
    QString etiqueta, tabla;
    ui::PuertaModal::Espera("TFormaConsulta", [&](QDialog& d) {
      auto& q = static_cast<TFormaConsulta&>(d);
      for (int i = 0; i < q.Archivo->count(); ++i) vistas << q.Archivo->itemText(i);
      etiqueta = q.Archi->text();
      tabla = q.TablaConsulta->NombreTabla();
      EXPECT_TRUE(q.TablaConsulta->Active());
      EXPECT_EQ(q.numcampo->text(), "0");
      EXPECT_EQ(q.Descripcion->toPlainText(), "La que falta");
    });
    c.abre();
    EXPECT_EQ(vistas, QStringList{vista});
    EXPECT_EQ(etiqueta, c.etiqueta);
    EXPECT_EQ(tabla, c.tabla);
    // The entry whose view is gone left the list, through the scratch list.
    const QVector<TEntradaVista> quedan = LeeListaVistas(lista);
    ASSERT_EQ(quedan.size(), 1);
    EXPECT_EQ(quedan[0].Archivo, vista);
    EXPECT_TRUE(fs::ExisteArchivo(fs::Une(kDatos, "report\\" + c.copia)));
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ReportesCompras, ElListadoDeProveedoresVaPorClaveYLimitaLasRecepciones) {
  TFormaProveedo& v = ComprasPrueba::Ventana();
  v.TablaProveedor->FindKey({"P2"});
  const Corrida r = Corre([&] { v.ListadodeProveedores1->trigger(); });
  ASSERT_TRUE(r.mostrada) << r.mensajes.join(u'\n').toStdString();
  EXPECT_EQ(r.caption, "Reporte de Listado de Proveedores");
  EXPECT_EQ(Primeros(r), (QStringList{"P1", "P2", "P3"})) << r.paginas.join(u'\n').toStdString();
  // No key is found again: the catalogue is back on its first supplier,
  // and its receipt table holds that supplier's receipts.
  EXPECT_EQ(v.EditCLAVE_P->text(), "P1");
  db::Tabla& recepciones = RecepcionesDelCatalogo(v);
  QStringList numeros;
  for (recepciones.First(); !recepciones.Eof(); recepciones.Next())
    numeros << recepciones.FieldByName("CLDOC_O").AsString();
  numeros.sort();
  EXPECT_EQ(numeros, (QStringList{"1", "2", "5", "7"}));
  EXPECT_EQ(Mensajes(), QStringList());
}

// The user waits while the engine's progress window shows the run.
void EsperaProgreso() {
  ui::PuertaModal::Espera("TFormaProgreso", [](QDialog& d) {
    QElapsedTimer reloj;
    reloj.start();
    while (d.isVisible() && reloj.elapsed() < 60000) QTest::qWait(5);
  });
}

TEST_F(ReportesCompras, LosReportesDelGeneradorLlevanElRangoDeClavesYSusColumnas) {
  struct Caso {
    const char* item;
    bool compras;  // of the purchase window, else of the catalogue
    QString de, hasta, caption, titulos, grafica;
    std::array<QString, 3> columnas;
    QString campoFecha;
  };
  const Caso casos[] = {
      {"Saldos1", false, "P1", "P3", "Reporte de Saldos", "Proveedor Nombre Saldo",
       "Gráfica de Saldos de Proveedores", {"SALDO_P", "", ""}, "f"},
      {"CargosAbonosSaldo1", false, "P1", "P3", "Reporte de Cargos, Abonos, Saldo",
       "Proveedor Nombre Cargos Abonos Saldo", "Gráfica de Cargos, Abonos y Saldo de Proveedores",
       {"CARGO_P", "ABONO_P", "SALDO_P"}, "f"},
      // Every receipt, cancelled or not, within the dialog's dates.
      {"ConsecutivodeDocumentos1", true, "1", "7", "Reporte de Consecutivo de Documentos",
       "Cliente Nombre Importe SubTotal Impuesto", "Gráfica Consecutivo de Documentos",
       {"IMDOC_O", "SUBTO_O", "IMPMO_O"}, "FEDOC_O"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.item);
    QAction* item = c.compras ? Ventana().MainMenu1->findChild<QAction*>(c.item)
                              : ComprasPrueba::Ventana().Reportes1->findChild<QAction*>(c.item);
    ASSERT_TRUE(item);
    EXPECT_FALSE(item->isVisible());
    QString de, hasta, caption, pagina, grafica;
    ui::PuertaModal::Espera("TFormaFormatos", [&](QDialog& d) {
      auto& f = static_cast<TFormaFormatos&>(d);
      de = f.De->text();
      hasta = f.Hasta->text();
      f.Inicial->setDate(QDate(2025, 3, 1));
      f.Final->setDate(kHoy);
      Pulsa(d, "BitBtn4");
      EsperaProgreso();
    });
    ui::PuertaModal::Espera("TFormaBarras", [&](QDialog& d) {
      auto& visor = static_cast<TFormaBarras&>(d);
      caption = visor.windowTitle();
      pagina = visor.Concentrado->toPlainText().simplified();
      Pulsa(d, "BotonGrafica");
      grafica = visor.Grafica.titulo;
    });
    item->trigger();
    EXPECT_EQ(de, c.de);
    EXPECT_EQ(hasta, c.hasta);
    const ArgumentosReporte& a = EstadoGeneradorReporte().Argumentos;
    EXPECT_EQ(a.LlaveDesde, c.de);
    EXPECT_EQ(a.LlaveHasta, c.hasta);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(a.Columnas[i], c.columnas[i]);
    EXPECT_EQ(a.CampoFecha, c.campoFecha);
    EXPECT_EQ(caption, c.caption);
    EXPECT_EQ(grafica, c.grafica);
    EXPECT_TRUE(pagina.contains(c.titulos)) << pagina.toStdString();
    if (c.compras) {
      EXPECT_EQ(a.FechaDesde, "01/03/2025");
      EXPECT_EQ(a.FechaHasta, "07/03/2025");
      EXPECT_TRUE(pagina.contains("2 PROVEEDOR P1") && !pagina.contains("5 PROVEEDOR P1")) << pagina.toStdString();
    } else {
      EXPECT_TRUE(pagina.contains("P1 ACEROS") && pagina.contains("1,300.00")) << pagina.toStdString();
    }
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ReportesCompras, LasCuentasDetalladasSeImprimenEnRenglones) {
  auto cuentas = Abre("CUEPAGAR.DBF", "NUCOM");
  cuentas->SetFilter("TIMOV_CP=51");
  cuentas->SetFiltered(true);
  QStringList pasos;
  ImpresionCuentasDetallado p;
  p.cuentas = cuentas.get();
  p.nombre = "Nombre:  ACEROS";
  p.cargos = "Cargos :   $400.00";
  p.abonos = "Abonos : - $0.00";
  p.saldo = "Saldo  :   $100.00";
  p.muestraCuenta = [&pasos] { pasos << "muestra"; };
  p.imprimeCuenta = [&pasos](const QString& numero) {
    pasos << numero;
    ImprimeColumnaRenglon(1, 1, "CUENTA " + numero, u'c', "");
  };
  p.cierraCuenta = [&pasos] { pasos << "cierra"; };
  ImprimeCuentasDetallado(p);
  EXPECT_EQ(pasos, (QStringList{"muestra", "1", "3", "cierra"}));
  const QList<QStringList> trabajos = TrabajosImpresos();
  ASSERT_EQ(trabajos.size(), 1);
  EXPECT_EQ(trabajos[0], (QStringList{"Reporte de Cuentas por Cobrar Detallado al Día 07/03/2025", "Nombre:  ACEROS",
                                      "CUENTA 1", "CUENTA 3", "Cargos :   $400.00", "Abonos : - $0.00",
                                      "Saldo  :   $100.00"}));
  EXPECT_EQ(Mensajes(), QStringList{"La Impresión ha finalizado"});
}

TEST_F(ReportesCompras, LaConsultaDeCuentasPorPagarLlevaSuMenuDeReportes) {
  TFormaConsultaCuePagar v;
  v.Show();
  v.PosicionaCuentaProveedor("P1");
  QMenu* menu = v.MainMenu1->findChild<QMenu*>("Reportes1");
  ASSERT_TRUE(menu);
  EXPECT_EQ(menu->title(), "&Reportes");
  QStringList visibles, ocultos;
  for (QAction* a : menu->actions()) (a->isVisible() ? visibles : ocultos) << a->text();
  EXPECT_EQ(visibles, (QStringList{"Consulta", "Por Documento", "Por Proveedor", "Documentos Vencidos",
                                   "Documentos con Saldo", "Documentos Pagados", "Vencimientos por Periódo",
                                   "General de Documentos", "General por Periódo", "Movimientos por Período"}));
  EXPECT_EQ(ocultos,
            (QStringList{"Provedores con Saldo", "Todos los Proveedores", "&Imprime Cuentas Detallado"}));
  const auto item = [menu](const char* nombre) { return menu->findChild<QAction*>(nombre); };

  // A receipt report over the window's receipts; the list is the
  // supplier's again afterwards, its totals recomputed.
  const Corrida r = Corre([&] { item("PorDocumento1")->trigger(); }, QDate(2025, 3, 1), QDate(2025, 3, 31));
  ASSERT_TRUE(r.mostrada) << r.mensajes.join(u'\n').toStdString();
  EXPECT_EQ(Primeros(r), (QStringList{"P1", "P1", "P1"})) << r.paginas.join(u'\n').toStdString();
  QStringList lista;
  for (v.TablaCompras->First(); !v.TablaCompras->Eof(); v.TablaCompras->Next())
    lista << v.TablaCompras->FieldByName("CLDOC_O").AsString();
  EXPECT_EQ(lista, (QStringList{"1", "5", "7"}));
  EXPECT_TRUE(v.Saldo->text().endsWith(" 1,300.00")) << v.Saldo->text().toStdString();

  // The suppliers with a balance, from the hidden item (the key column is
  // a number column: these keys show blank).
  const Corrida s = Corre([&] { item("TodoslosProveedores1")->trigger(); });
  ASSERT_TRUE(s.mostrada) << s.mensajes.join(u'\n').toStdString();
  EXPECT_EQ(Primeros(s), (QStringList{"ACEROS", "BARNICES"})) << s.paginas.join(u'\n').toStdString();

  // Every charge with a balance, on the line printer.
  ui::PuertaModal::LimpiaMensajes();
  print::BorraOperacionesGrabadas();
  item("ImprimeCuentasDetallado1")->trigger();
  const QList<QStringList> trabajos = TrabajosImpresos();
  ASSERT_EQ(trabajos.size(), 1);
  ASSERT_GE(trabajos[0].size(), 5);
  EXPECT_EQ(trabajos[0][0], "Reporte de Cuentas por Cobrar Detallado al Día 07/03/2025");
  EXPECT_EQ(trabajos[0][1], v.Nombre->text());
  EXPECT_EQ(trabajos[0].mid(trabajos[0].size() - 3), (QStringList{v.Cargos->text(), v.Abonos->text(), v.Saldo->text()}));
  EXPECT_EQ(Mensajes(), QStringList{"La Impresión ha finalizado"});
}

}  // namespace
