// The Reportes menu of the sale screen driven as a cashier drives it: every
// command over a small company's day, the list reports' selections, the
// day's paid-documents file and the count of documents at zero.

#include "foundation/DatoForm.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "pos/Corte.h"
#include "reportes_prueba.h"
#include "reports/Consulta.h"
#include "reports/Vistas.h"
#include "salesdocs/CortesVenta.h"
#include "salesdocs/GlobalesVenta.h"
#include "support/Proceso.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTextEdit>

namespace {

using Pantalla = TFormaCapturaRapida;

const QString kErrorReporte = "Error al ejecutar el reporte...";
const QString kListaCortes = "C:\\VRL\\DATOS\\Cortes\\Cortes.dat";

// The first field of each line of a block after its heading: its rows,
// then its totals line.
QStringList Primeros(const QStringList& seccion) {
  QStringList primeros;
  for (const QString& l : seccion.mid(1)) {
    if (l.trimmed().isEmpty() || l.contains(u'_') || l == u".") continue;
    primeros << l.section(u' ', 0, 0, QString::SectionSkipEmpty);
  }
  return primeros;
}

class Reportes : public ReportesPrueba {};

}  // namespace

TEST_F(Reportes, CadaComandoDelMenuMuestraSuPrimeraPagina) {
  EscribeLineas(kListaCortes, {"Corte de Caja 1 ,05/03/2010 09:00:00 ,40242.375,3"});
  QStringList comandos;
  for (const FilaReporteVenta& f : FilasReporteVenta()) comandos << QString::fromLatin1(f.clave);
  for (const CorteVenta& c : CortesVenta()) comandos << QString::fromLatin1(c.clave);
  Abre("0", [&](Pantalla& p) {
    // Every item of the menu with a command of its own is usable; those of
    // the reports not built yet, and the caption lines, are not.
    QStringList propios = QStringList(comandos) << "Consultas1";
    // The paid cuts, the comparative, "Producto Requerido" and the charts.
    propios << QStringList{"CortePagadosConcentrado1", "CorteDetallado2", "CortePagadosConcentradoporPeriodo1",
                           "Detallado1", "CortePagadosDetallado1", "CortePagadosConcentradoParcial1",
                           "CorteDetalladoParcial1", "DetalladosinCrdito1", "CorteComparativo1", "VentasPorFactor1",
                           "VentasporDa1", "VentasporMes1", "Ventasporao1", "CortedeCaja1",
                           "VentasporVendedor1"};  // and two hidden items
    propios << "ConcentradodeVentassinFacturar1" << "VentasporFacturar1";
    for (const MiembroGlobal& g : MiembrosGlobales()) propios << g.clave;
    QStringList usables;
    QList<QMenu*> menus = {p.Reportes1};
    while (!menus.isEmpty()) {
      for (QAction* a : menus.takeFirst()->actions()) {
        if (a->menu()) menus << a->menu();
        else if (a->isEnabled()) usables << a->objectName();
      }
    }
    usables.sort();
    QStringList esperados = propios;
    esperados.sort();
    EXPECT_EQ(usables, esperados);
    for (const QString& comando : std::as_const(comandos)) {
      SCOPED_TRACE(comando.toStdString());
      ui::PuertaModal::LimpiaMensajes();
      if (comando.startsWith(u"Documentos") && comando.contains(u"agados"))
        ui::PuertaModal::Espera("TFormaDato", [](QDialog&) {});
      if (comando == u"CortesSeparados1") {
        ui::PuertaModal::Espera("TFormaCorte", [](QDialog& d) {
          auto& c = static_cast<TFormaCorte&>(d);
          c.ListaCortes->setCurrentRow(0);
          prueba::Pulsa(d, "BotonAceptar");
        });
      }
      const CorridaReporte c = Ejecuta(p, comando.toLatin1().constData());
      if (comando == u"LineaTemporal1") {
        // The product table has no temporary line (LITEM_I): the runner says so.
        EXPECT_FALSE(c.mostrada);
        EXPECT_EQ(Mensajes(), QStringList{kErrorReporte});
        continue;
      }
      EXPECT_TRUE(c.mostrada);
      EXPECT_FALSE(c.primeraHoja.isEmpty());
      EXPECT_FALSE(Mensajes().contains(kErrorReporte)) << c.sql.toStdString();
    }
    ui::PuertaModal::Espera("TFormaConsulta", [](QDialog& d) {
      EXPECT_EQ(d.windowTitle(), "Reporte de Clientes");
      EXPECT_EQ(prueba::Texto(d, "Archi"), "facturae.for");
    });
    QAction* consultas = p.MainMenu1->findChild<QAction*>("Consultas1");
    ASSERT_TRUE(consultas && consultas->isEnabled());
    consultas->trigger();
  });
  EXPECT_EQ(ui::PuertaModal::SinRespuesta(), QStringList());
}

TEST_F(Reportes, LasSeleccionesDeLosReportes) {
  Abre("0", [&](Pantalla& p) {
    p.TablaFacturae->FindKey({2});
    p.MuestraDocumento();
    // By product key, cancelled lines left out, the screen's document again.
    CorridaReporte c = Ejecuta(p, "VentasporArtculo1");
    QStringList filas = Primeros(Seccion(c, 1));
    filas.removeLast();  // the totals line
    EXPECT_EQ(filas, QStringList({"1", "2", "1", "5"}));
    EXPECT_EQ(p.EditCLDOC_F->text(), "2");

    // Only products on more than one line, largest quantity first.
    c = Ejecuta(p, "ProductosmsVendidos1");
    QStringList productos = Primeros(Seccion(c, 1));
    productos.removeLast();
    EXPECT_EQ(productos, QStringList({"B2", "A1"}));

    // Margins under 5 per cent over cost plus tax, negative ones included:
    // beans at 30 over 23.20 (22 per cent) are left out; rice at 26.21 over
    // 29.00, rice at 10 over 11.02 and beans at 40 over 40.60 are listed.
    c = Ejecuta(p, "UtilidadMenor1");
    QStringList menores = Primeros(Seccion(c, 1));
    menores.removeLast();
    EXPECT_EQ(menores, QStringList({"1", "2", "5"}));

    // Paid: a payment text; unpaid: none. The register prompt asks for "1"
    // and the list does not depend on it.
    const auto caja = [](QDialog& d) {
      auto& dato = static_cast<TFormaDato&>(d);
      EXPECT_EQ(dato.windowTitle(), "No de Caja");
      EXPECT_EQ(dato.Label1->text(), "Caja No. ");
      EXPECT_EQ(dato.EditDato->text(), "1");
      dato.EditDato->setText("7");
    };
    ui::PuertaModal::Espera("TFormaDato", caja);
    c = Ejecuta(p, "DocumentosnoPagados1");
    QStringList sinPagar = Primeros(Seccion(c, 1));
    sinPagar.removeLast();
    EXPECT_EQ(sinPagar, QStringList({"4"}));
    ui::PuertaModal::Espera("TFormaDato", caja);
    c = Ejecuta(p, "DocumentosPagados1");
    QStringList pagados = Primeros(Seccion(c, 1));
    pagados.removeLast();
    EXPECT_EQ(pagados, QStringList({"1", "2", "5"}));
    // The header table left on its last row.
    Ejecuta(p, "DocumentosCancelados1");
    EXPECT_EQ(p.TablaFacturae->FieldByName("CLDOC_F").AsInteger(), 5);
  });
}

TEST_F(Reportes, DocumentosEnCeroCuentaLosDeHoyActivosHastaUnDecimo) {
  // With document 4 at 0.1: one over 0.1, one of the day before, one
  // cancelled (the last, which the screen shows).
  AgregaRemision(6, {{"CLCLI_F", "1"}, {"IMTOD_F", "0.11"}, {"FEDOC_F", "05/03/2010"}});
  AgregaRemision(7, {{"CLCLI_F", "1"}, {"IMTOD_F", "0"}, {"FEDOC_F", "04/03/2010"}});
  AgregaRemision(8, {{"CLCLI_F", "1"}, {"IMTOD_F", "0.05"}, {"FEDOC_F", "05/03/2010"}, {"STATU_F", "C"}});
  Abre("0", [&](Pantalla& p) {
    CuentaDocumentosEnCero(p);
    EXPECT_EQ(p.LabelControl->text(), "1");
  });
}

TEST_F(Reportes, PagosDelDiaMarcanLosDocumentos) {
  struct Caso {
    const char* nombre;
    std::optional<QStringList> archivo;
    const char* pago;      // PAGOX_F of document 1 before
    const char* marca;     // TREGI_F of document 1 before
    QStringList esperado;  // PAGOX_F, TREGI_F, BCLIM_F of document 1 after
  };
  const Caso casos[] = {
      {"12 y 3", QStringList{"1", "3"}, "Efectivo", "", {"Pagada en 3", "I", "3"}},
      {"ya marcado: no se edita", QStringList{"1", "3"}, "Pagada en 3", "", {"Pagada en 3", "", ""}},
      {"renglones impares: caja vacía", QStringList{"4", "9", "1"}, "Efectivo", "", {"Pagada en", "I", ""}},
      {"sin archivo", std::nullopt, "Efectivo", "", {"Efectivo", "", ""}},
  };
  EXPECT_EQ(ArchivoPagosDelDia("C:\\D", QDate(2024, 3, 5)), "C:\\D\\532024.pag");
  EXPECT_EQ(ArchivoPagosDelDia("C:\\D", QDate(2024, 1, 11)), ArchivoPagosDelDia("C:\\D", QDate(2024, 11, 1)));
  const QString archivo = ArchivoPagosDelDia(kDatos, QDate(2010, 3, 5));
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    {
      auto t = std::make_unique<db::Tabla>();
      t->SetCarpeta(kDatos);
      t->SetNombreTabla("Remision.dbf");
      t->SetIndexName("INUMENC");
      t->Open();
      ASSERT_TRUE(t->FindKey({1}));
      t->Edit();
      t->FieldByName("PAGOX_F").SetAsString(c.pago);
      t->FieldByName("TREGI_F").SetAsString(c.marca);
      t->FieldByName("BCLIM_F").SetAsString("");
      t->Post();
    }
    fs::BorraArchivo(archivo);
    if (c.archivo) EscribeLineas(archivo, *c.archivo);
    Abre("0", [&](Pantalla& p) { AplicaPagosDelDia(p); });
    auto t = std::make_unique<db::Tabla>();
    t->SetCarpeta(kDatos);
    t->SetNombreTabla("Remision.dbf");
    t->SetIndexName("INUMENC");
    t->Open();
    ASSERT_TRUE(t->FindKey({1}));
    EXPECT_EQ(QStringList({t->FieldByName("PAGOX_F").AsString(), t->FieldByName("TREGI_F").AsString(),
                           t->FieldByName("BCLIM_F").AsString()}),
              c.esperado);
  }
}

RUTINA_HIJA(BloqueaRemision) {
  db::Tabla t;
  t.SetCarpeta(argumentos.value(0));
  t.SetNombreTabla("Remision.dbf");
  t.SetIndexName("INUMENC");
  t.Open();
  if (!t.FindKey({argumentos.value(1).toLongLong()})) return 1;
  t.Edit();
  prueba::AvisaPadre("LISTO");
  prueba::EsperaPadre();
  t.Cancel();
  return 0;
}

TEST_F(Reportes, PagosDelDiaSaltanElDocumentoQueOtraEstacionTiene) {
  EscribeLineas(ArchivoPagosDelDia(kDatos, QDate(2010, 3, 5)), {"1", "3", "4", "3"});
  prueba::ProcesoHijo otra("BloqueaRemision", {kDatos, "1"});
  ASSERT_EQ(otra.EsperaLinea(), "LISTO");
  Abre("0", [&](Pantalla& p) {
    AplicaPagosDelDia(p);
    EXPECT_EQ(p.TipoPago->currentText(), "Pagada en 3");
  });
  otra.Envia("FIN");
  EXPECT_EQ(otra.Espera(), 0);
  auto t = std::make_unique<db::Tabla>();
  t->SetCarpeta(kDatos);
  t->SetNombreTabla("Remision.dbf");
  t->SetIndexName("INUMENC");
  t->Open();
  ASSERT_TRUE(t->FindKey({1}));
  EXPECT_EQ(t->FieldByName("PAGOX_F").AsString(), "Efectivo");
  ASSERT_TRUE(t->FindKey({4}));
  EXPECT_EQ(t->FieldByName("PAGOX_F").AsString(), "Pagada en 3");
  EXPECT_EQ(t->FieldByName("TREGI_F").AsString(), "I");
  EXPECT_EQ(t->FieldByName("BCLIM_F").AsString(), "3");
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Reportes, ConsultasOfreceLasVistasQueExistenYDepuraLaLista) {
  const QString lista = "C:\\VRL\\DATOS\\report\\facturae.for";
  const QString existe = "C:\\VRL\\DATOS\\report\\ventas.vis";
  EscribeLineas(existe, {"CLDOC_F,NOMBR_F,IMTOD_F"});
  AgregaEntradaVista(lista, {"C:\\VRL\\DATOS\\report\\borrada.vis", "Ya no existe"});
  AgregaEntradaVista(lista, {existe, "Ventas del día"});
  Abre("0", [&](Pantalla& p) {
    ui::PuertaModal::Espera("TFormaConsulta", [&](QDialog& d) {
      auto& c = static_cast<TFormaConsulta&>(d);
      EXPECT_EQ(c.windowTitle(), "Reporte de Clientes");
      EXPECT_EQ(c.Archi->text(), "facturae.for");
      ASSERT_EQ(c.Archivo->count(), 1);
      EXPECT_EQ(c.Archivo->itemText(0), existe);
      EXPECT_EQ(c.TablaConsulta->NombreTabla(), "facturae.dbf");
      EXPECT_TRUE(c.TablaConsulta->Active());
    });
    QAction* consultas = p.MainMenu1->findChild<QAction*>("Consultas1");
    ASSERT_TRUE(consultas && consultas->isEnabled());
    consultas->trigger();
  });
  const QVector<TEntradaVista> quedan = LeeListaVistas(lista);
  ASSERT_EQ(quedan.size(), 1);
  EXPECT_EQ(quedan[0].Archivo, existe);
}

// A report opened from the sale screen leaves the document on screen as it
// was: its header boxes keep their texts behind the viewer and after it.
TEST_F(Reportes, UnReporteNoVaciaElEncabezadoDeLaPantalla) {
  Abre("0", [&](Pantalla& p) {
    const auto encabezado = [&p] {
      QStringList textos;
      for (QLineEdit* e : p.findChildren<QLineEdit*>())
        if (!e->objectName().isEmpty() && e->objectName().startsWith(u"Edit")) textos << e->objectName() + "=" + e->text();
      textos.sort();
      return textos;
    };
    const QStringList antes = encabezado();
    ASSERT_FALSE(antes.isEmpty());
    QStringList detras;
    int vistos = 0;
    for (const FilaReporteVenta& f : FilasReporteVenta()) {
      SCOPED_TRACE(f.clave);
      ui::PuertaModal::Espera("TFormaReporteSQL", [&](QDialog&) { detras = encabezado(); });
      ui::PuertaModal::Espera("TFormaFormatos", [](QDialog& d) { prueba::Pulsa(d, "BitBtn4"); });
      QAction* item = p.MainMenu1->findChild<QAction*>(QString::fromLatin1(f.clave));
      if (!item || !item->isEnabled()) continue;
      detras.clear();
      item->trigger();
      ui::PuertaModal::Reinicia();
      if (!detras.isEmpty()) {
        ++vistos;
        EXPECT_EQ(detras, antes);
      }
      EXPECT_EQ(encabezado(), antes);
    }
    EXPECT_GT(vistos, 10);
  });
}
