#pragma once
// A small company for the sale screen's reports: a day (5 March 2010) of
// remissions open, invoiced and cancelled, a direct invoice, a return, cash
// withdrawals and entries, and payments of the remission accounts; the
// report commands joined to the screen; helpers that run a command of the
// Reportes menu through the modal gate and keep what its report showed.

#include "platform/db/Consulta.h"
#include "platform/db/Tabla.h"
#include "platform/ui/PuertaModal.h"
#include "pos/venta_prueba.h"
#include "reports/Formatos.h"
#include "reports/RepoSQL.h"
#include "salesdocs/ReportesVenta.h"
#include "support/Maneja.h"

#include <QAction>
#include <QMenuBar>

#include <functional>
#include <memory>
#include <vector>

// What the report window held while it was shown.
struct CorridaReporte {
  bool mostrada = false;
  QString caption;
  QString sql;  // the last block's statement
  QStringList paginas;
  std::vector<std::vector<Dinero>> totales;
  QString primeraHoja;  // the text of the page shown first
};

class ReportesPrueba : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    UneReportesVenta();
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "1"}, {"NOMBR_C", "MOSTRADOR"}});
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "7"}, {"NOMBR_C", "ANA"}});
    AgregaFila("Vendedor.dbf", {{"CLVEN_V", "01"}, {"NOMBR_V", "LUIS"}});
    AgregaFila("CONCEPTO.DBF", {{"NUMOV_MO", "7"}, {"CONCE_MO", "ABONO"}});
    AgregaFila("INVENTAR.DBF", {{"CLPRO_I", "A1"}, {"DSCPR_I", "ARROZ"}, {"LIPRO_I", "GRANOS"}});
    AgregaFila("INVENTAR.DBF", {{"CLPRO_I", "B2"}, {"DSCPR_I", "FRIJOL"}, {"LIPRO_I", "GRANOS"}});
    const QString hoy = "05/03/2010";
    // Remissions: 1 open (turn 01), 2 invoiced, 3 cancelled, 4 open at 0.1
    // (turn 02), 5 open on credit with a balance and a 5 per cent discount.
    // Their totals are those of their lines, as the screen shows them.
    AgregaRemision(1, {{"CLCLI_F", "1"},
                       {"NOMBR_F", "MOSTRADOR"},
                       {"SUBTO_F", "86.21"},
                       {"IMIM2_F", "13.79"},
                       {"IMTOD_F", "100"},
                       {"FEDOC_F", hoy},
                       {"CLVEN_F", "01"},
                       {"PAGOX_F", "Efectivo"},
                       {"HORAF_F", "40242.4"},
                       {"COSTO_F", "50"}});
    AgregaRemision(2, {{"CLCLI_F", "7"},
                       {"NOMBR_F", "ANA"},
                       {"SUBTO_F", "30"},
                       {"IMIM2_F", "4.8"},
                       {"IMTOD_F", "34.8"},
                       {"FEDOC_F", hoy},
                       {"CLVEN_F", "02"},
                       {"REMIS_F", "F1"},
                       {"PAGOX_F", "Efectivo"},
                       {"HORAF_F", "40242.41"}});
    AgregaRemision(3, {{"CLCLI_F", "1"},
                       {"NOMBR_F", "MOSTRADOR"},
                       {"SUBTO_F", "20"},
                       {"IMIM2_F", "3.2"},
                       {"IMTOD_F", "23.2"},
                       {"FEDOC_F", hoy},
                       {"CLVEN_F", "01"},
                       {"STATU_F", "C"},
                       {"HORAF_F", "40242.42"}});
    AgregaRemision(4, {{"CLCLI_F", "1"},
                       {"NOMBR_F", "MOSTRADOR"},
                       {"SUBTO_F", "0.1"},
                       {"IMTOD_F", "0.1"},
                       {"FEDOC_F", hoy},
                       {"CLVEN_F", "02"},
                       {"HORAF_F", "40242.43"}});
    AgregaRemision(5, {{"CLCLI_F", "7"},
                       {"NOMBR_F", "ANA"},
                       {"SUBTO_F", "200"},
                       {"IMIM2_F", "32"},
                       {"IMTOD_F", "220.4"},
                       {"SALDO_F", "120.4"},
                       {"FEDOC_F", hoy},
                       {"CLVEN_F", "01"},
                       {"PAGOX_F", "CREDITO"},
                       {"HORAF_F", "40242.44"},
                       {"DESFI_F", "5"},
                       {"USUARIO", "0"}});
    const auto linea = [this](int documento, const char* clave, const char* descripcion, double cantidad, double precio,
                              double costo, const char* marca) {
      AgregaFila("RemisioD.dbf", {{"CLDOC_FD", QString::number(documento)},
                                  {"CLPRO_FD", clave},
                                  {"DEPRO_FD", descripcion},
                                  {"CANTI_FD", QString::number(cantidad)},
                                  {"PUNPR_FD", QString::number(precio)},
                                  {"PREDE_FD", QString::number(precio)},
                                  {"COPRO_FD", QString::number(costo)},
                                  {"IMPOR_FD", QString::number(cantidad * precio)},
                                  {"PIVA1_FD", "16"},
                                  {"FEDOC_FD", "05/03/2010"},
                                  {"TREGI_FD", marca},
                                  {"NOMDI_FD", "P1"},
                                  {"PDES1_FD", "0"}});
    };
    linea(1, "B2", "FRIJOL", 2, 30, 20, "");
    linea(1, "A1", "ARROZ", 1, 26.21, 25, "");
    linea(2, "A1", "ARROZ", 3, 10, 9.5, "");
    linea(3, "A1", "ARROZ", 9, 10, 9, "C");
    linea(5, "B2", "FRIJOL", 5, 40, 35, "");
    // A direct invoice and the one made from remission 2.
    AgregaFila("FacturaE.dbf", {{"CLDOC_F", "1"},
                                {"CLCLI_F", "7"},
                                {"SUBTO_F", "50"},
                                {"IMIM2_F", "8"},
                                {"IMTOD_F", "58"},
                                {"FEDOC_F", hoy},
                                {"CLPED_F", "R2"}});
    AgregaFila("FacturaE.dbf", {{"CLDOC_F", "2"},
                                {"CLCLI_F", "1"},
                                {"SUBTO_F", "100"},
                                {"IMIM2_F", "16"},
                                {"IMTOD_F", "116"},
                                {"FEDOC_F", hoy}});
    AgregaFila("Devoluc.dbf", {{"CLDOC_F", "1"},
                               {"CLCLI_F", "1"},
                               {"SUBTO_F", "10"},
                               {"IMIM2_F", "1.6"},
                               {"IMTOD_F", "11.6"},
                               {"FEDOC_F", hoy},
                               {"HORAF_F", "40242.41"}});
    // Cash slips: a withdrawal and an entry of turn 01, a withdrawal of turn 02.
    const auto vale = [this](int n, int concepto, const char* texto, const char* cantidad, const char* turno,
                             const char* sello) {
      AgregaFila("Retiros.dbf", {{"CLDOC_F", QString::number(n)},
                                 {"NUM_CONCEP", QString::number(concepto)},
                                 {"CONCEPTO", texto},
                                 {"CANTIDAD", cantidad},
                                 {"FEDOC_F", "05/03/2010"},
                                 {"CLVEN_F", turno},
                                 {"CLASIFI", "GAS GASTOS"},
                                 {"HORAF_F", sello}});
    };
    vale(1, 1, "GAS  Gasolina", "30", "01", "40242.405");
    vale(2, 2, "FON  Fondo de caja", "500", "01", "40242.406");
    vale(3, 1, "LUZ  Recibo de luz", "20", "02", "40242.407");
    // Payments of the remission accounts: two today, one the day before.
    const auto abono = [this](const char* documento, const char* cliente, const char* nombre, const char* importe,
                              const char* fecha) {
      AgregaFila("CucobrarRemision.DBF", {{"NUFAC_CC", documento},
                                          {"CLCLI_CC", cliente},
                                          {"NOMBR_CC", nombre},
                                          {"IMCUE_CC", importe},
                                          {"ABONO_CC", importe},
                                          {"SALDO_CC", "0"},
                                          {"FEAPL_CC", fecha},
                                          {"TIMOV_CC", "7"}});
    };
    abono("5", "7", "ANA", "100", "05/03/2010");
    abono("1", "1", "MOSTRADOR", "40", "05/03/2010");
    abono("5", "7", "ANA", "25", "04/03/2010");
  }

  // Runs the command of the Reportes menu on the shown screen, accepting
  // every dialog as it comes (the parameters with `dialogo`), and keeps what
  // the report window held.
  static CorridaReporte Ejecuta(TFormaCapturaRapida& p, const char* comando,
                                const std::function<void(TFormaFormatos&)>& dialogo = nullptr) {
    return Ejecuta(p.MainMenu1, comando, dialogo);
  }
  // The same on any window's menu.
  static CorridaReporte Ejecuta(QMenuBar* menu, const char* comando,
                                const std::function<void(TFormaFormatos&)>& dialogo = nullptr) {
    auto corrida = std::make_shared<CorridaReporte>();
    ui::PuertaModal::Espera("TFormaFormatos", [dialogo](QDialog& d) {
      if (dialogo) dialogo(static_cast<TFormaFormatos&>(d));
      prueba::Pulsa(d, "BitBtn4");
    });
    ui::PuertaModal::Espera("TFormaReporteSQL", [corrida](QDialog& d) {
      auto& v = static_cast<TFormaReporteSQL&>(d);
      corrida->mostrada = true;
      corrida->caption = v.windowTitle();
      corrida->sql = v.Query1->SQL();
      corrida->paginas = v.PaginasGuion;
      corrida->totales = v.TotalesGuion;
      corrida->primeraHoja = v.Hoja->toPlainText();
    });
    QAction* item = menu->findChild<QAction*>(QString::fromLatin1(comando));
    EXPECT_TRUE(item && item->isEnabled()) << comando;
    if (item) item->trigger();
    if (!corrida->mostrada) {
      const QStringList mensajes = ui::PuertaModal::Mensajes();
      ui::PuertaModal::Reinicia();
      for (const QString& m : mensajes) ui::PuertaModal::RegistraMensaje(m);
    }
    return *corrida;
  }
};

// The lines of the pages between the title of a block and the next
// block's title (the title of the first block when `seccion` is 1).
inline QStringList Seccion(const CorridaReporte& c, int seccion) {
  QStringList lineas;
  int n = 0;
  for (const QString& l : c.paginas) {
    if (l.startsWith(u'*') || l.startsWith(QStringLiteral("/*")))
      ++n;
    else if (n == seccion)
      lineas << l;
  }
  return lineas;
}
