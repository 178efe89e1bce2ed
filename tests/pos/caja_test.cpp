// The cash register of a station and its cash vouchers, driven through the
// sale screen's menu: "Configurar Caja" writes a slot of caja.cnf; the
// voucher window records cash taken out and put in (Retiros.dbf beside the
// remissions, the day's cash file, the concept's classification), numbers
// them under the table's numbering lock, and prints them with retiro.fmt.

#include "foundation/ArchivosPrograma.h"
#include "platform/db/Numeracion.h"
#include "platform/print/Impresora.h"
#include "platform/print/Impresoras.h"
#include "pos/AcumulaEfectivo.h"
#include "pos/Efectivo.h"
#include "pos/RegistroCaja.h"
#include "pos/SalidasEfectivo.h"
#include "shell/Moneda.h"
#include "support/LanzadorGrabador.h"
#include "support/Proceso.h"
#include "venta_prueba.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTest>

namespace {

using Pantalla = TFormaCapturaRapida;

const QString kDia = QStringLiteral("C:\\VRL\\Acumular\\2010-3-5.acu");
const QString kRetiro = QStringLiteral("C:\\VRL\\consulta\\retiro.fmt");

class Caja : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "1"}, {"NOMBR_C", "MOSTRADOR"}});
    AgregaRemision(3, {{"CONTROL", "30"}, {"BCLIM_F", "7"}});
  }
  void TearDown() override {
    qunsetenv("VORLAN_RAW_SPOOL");
    print::RefrescaImpresoras();
    print::Impresora::Global().Restablece();
    VentaPrueba::TearDown();
  }

  void UsaTicketera() {
    InstalaArchivosPrograma();
    cola_ = raiz() + "/cola";
    qputenv("VORLAN_RAW_SPOOL", QFile::encodeName(cola_));
    print::FijaImpresorasPrueba({{"tickets", "Tickets", print::TipoImpresora::Cola, QString(), 203}}, 0);
    print::Impresora::Global().Restablece();
  }
  QList<QStringList> Trabajos() const {
    QList<QStringList> r;
    const QDir dir(cola_);
    for (const QString& nombre : dir.entryList(QDir::Files, QDir::Name)) {
      QFile f(dir.filePath(nombre));
      if (f.open(QIODevice::ReadOnly)) r << fs::DeCp1252(f.readAll()).split(QStringLiteral("\r\n"));
    }
    return r;
  }

  static QStringList Retiros() {
    QStringList filas;
    db::Tabla t;
    t.SetCarpeta(kDatos);
    t.SetNombreTabla("Retiros.dbf");
    t.Open();
    for (t.First(); !t.Eof(); t.Next()) {
      QStringList valores;
      for (const char* campo : {"CLDOC_F", "FEDOC_F", "NUM_CONCEP", "CONCEPTO", "CANTIDAD", "CLASIFI", "BCLIM_F",
                                "CLVEN_F", "NUM_RETIRO"})
        valores << t.FieldByName(campo).AsString();
      filas << valores.join(u'|');
    }
    return filas;
  }

  // A voucher typed in the window: "&Nuevo", the concept picked, the amount,
  // "&Guardar".
  static void Vale(QDialog& d, const QString& concepto, const QString& cantidad) {
    prueba::Pulsa(d, "BitBtn3");
    auto* lista = d.findChild<QListWidget*>("ListaConceptos");
    const QList<QListWidgetItem*> items = lista->findItems(concepto, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << concepto.toStdString();
    lista->setCurrentItem(items.first());
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(items.first()).center());
    prueba::Reescribe(d.findChild<QLineEdit*>("EditCantidad"), cantidad);
    prueba::Pulsa(d, "Guardar");
  }

  // The voucher window of a kind opened from the screen's Generar menu.
  static void Efectivo(Pantalla& p, int tipo, const std::function<void(QDialog&)>& guion) {
    ui::PuertaModal::Espera("TFormaSalidasEfectivo", guion);
    p.findChild<QAction*>(tipo == 1 ? "SalidasdeEfectivo1" : "EntradasdeEfectivo1")->trigger();
  }

  static QStringList Dia() { return fs::ExisteArchivo(kDia) ? fs::LeeLineas(kDia) : QStringList{"sin archivo"}; }

  QString cola_;
};

}  // namespace

TEST_F(Caja, ConfigurarCajaEscribeSuRanuraYSoloParaElAdministrador) {
  QByteArray dos = TRegistroCaja{"1", "V1", "uno.fmt"}.ABytes() + TRegistroCaja{"2", "V2", "dos.fmt"}.ABytes();
  EscribeBytes(fs::Une(kPrograma, "caja.cnf"), dos);
  const QString formato = "formato_de_ticket_largo_123.fmt";  // 31 characters
  Abre("0", [&](Pantalla& p) {
    ui::PuertaModal::Espera("TFormaCaja", [&](QDialog& d) {
      // Slot 1 is read; a slot past the end shows empty boxes.
      EXPECT_EQ(prueba::Texto(d, "NoCaja"), "1");
      EXPECT_EQ(prueba::Texto(d, "Formato"), "uno.fmt");
      d.findChild<QSpinBox*>("NumeroCaja")->setValue(5);
      EXPECT_EQ(prueba::Texto(d, "ClaveVendedor"), "");
      // Each box stops at what its field holds, as the user types.
      prueba::Teclea(d, "NoCaja", "12345");
      prueba::Teclea(d, "ClaveVendedor", "VEND123");
      prueba::Teclea(d, "Formato", formato);
      EXPECT_EQ(prueba::Texto(d, "NoCaja"), "123");
      EXPECT_EQ(prueba::Texto(d, "ClaveVendedor"), "VEND1");
      EXPECT_EQ(prueba::Texto(d, "Formato"), formato.left(25));
      prueba::Pulsa(d, "BitBtn1");
    });
    p.findChild<QAction*>("ConfigurarCaja1")->trigger();
    EXPECT_EQ(p.CajaActual, "123");
    EXPECT_EQ(p.VendedorCaja, "VEND1");
    EXPECT_EQ(p.FormatoTicket, "C:\\VRL\\consulta\\" + formato.left(25));

    // Slots 3 and 4 read empty, slot 2 as it was; "Cancelar" writes nothing.
    ui::PuertaModal::Espera("TFormaCaja", [&](QDialog& d) {
      auto* ranura = d.findChild<QSpinBox*>("NumeroCaja");
      for (int n : {3, 4}) {
        ranura->setValue(n);
        EXPECT_EQ(prueba::Texto(d, "NoCaja") + prueba::Texto(d, "ClaveVendedor") + prueba::Texto(d, "Formato"), "");
      }
      ranura->setValue(2);
      EXPECT_EQ(prueba::Texto(d, "ClaveVendedor"), "V2");
      prueba::Teclea(d, "NoCaja", "9");
      prueba::Pulsa(d, "BitBtn2");
    });
    p.findChild<QAction*>("ConfigurarCaja1")->trigger();
  });
  const QByteArray bytes = fs::LeeBytes(fs::Une(kPrograma, "caja.cnf"));
  ASSERT_EQ(bytes.size(), 180);
  EXPECT_EQ(bytes.left(72), dos);
  EXPECT_EQ(bytes.mid(72, 72), QByteArray(72, '\0'));
  const std::optional<TRegistroCaja> cinco = LeeCaja(kPrograma, 5);
  ASSERT_TRUE(cinco);
  EXPECT_EQ((QStringList{cinco->Caja, cinco->Vendedor, cinco->Formato}),
            (QStringList{"123", "VEND1", formato.left(25)}));
  EXPECT_EQ(LeeCaja(kPrograma, 4)->Caja, "");
  EXPECT_FALSE(LeeCaja(kPrograma, 6));
  EXPECT_EQ(Mensajes(), QStringList());

  // Only the administrator.
  Abre("2", [](Pantalla& p) { p.findChild<QAction*>("ConfigurarCaja1")->trigger(); });
  EXPECT_EQ(Mensajes(), QStringList{"Esta Opción es Exclusiva del Administrador..."});
  EXPECT_EQ(fs::LeeBytes(fs::Une(kPrograma, "caja.cnf")), bytes);
}

TEST_F(Caja, SalidasYEntradasVanARetirosAlArchivoDelDiaYSuClasificacion) {
  FijaLinea(ConfTotalAcumulado, "1");
  EscribeLineas(fs::Une(kDatos, "Salidas.cnf"), {"07  Gasolina", "99  Sin clasificar"});
  AgregaFila("Clasificacion.dbf", {{"CLAVE", "07"}, {"CLASIFICAC", "Combustibles"}});
  Abre("2", [](Pantalla& p) {
    Efectivo(p, 1, [](QDialog& d) {
      EXPECT_EQ(d.windowTitle(), "Salidas de Efectivo");
      EXPECT_FALSE(d.findChild<QLineEdit*>("EditCantidad")->isEnabled());
      Vale(d, "07  Gasolina", "500");
      EXPECT_FALSE(d.findChild<QLineEdit*>("EditCantidad")->isEnabled());
      EXPECT_EQ(prueba::Texto(d, "Total"), "Retiros  500");
    });
    EXPECT_EQ(Dia(), QStringList{"-500"});
    Efectivo(p, 2, [](QDialog& d) {
      EXPECT_EQ(d.windowTitle(), "Entradas de Efectivo");
      // The day's cash-ins only: the cash-out is not listed.
      EXPECT_EQ(static_cast<TFormaSalidasEfectivo&>(d).TablaRetiros->RecordCount(), 0);
      Vale(d, "99  Sin clasificar", "500");
      EXPECT_EQ(prueba::Texto(d, "Total"), "Retiros  1000");
    });
    EXPECT_EQ(Dia(), (QStringList{"-500", "500"}));
  });
  // Each kind numbers from 1; the register of the document shown, no turn.
  EXPECT_EQ(Retiros(), (QStringList{"1|05/03/2010|1|07  Gasolina|500|07 Combustibles|7||",
                                    "1|05/03/2010|2|99  Sin clasificar|500||7||"}));
  EXPECT_EQ(Mensajes(), QStringList());

  // Past 10,000.00 for the day the cashier is told.
  EscribeLineas(kDia, {"8000"});
  Abre("2", [](Pantalla& p) { Efectivo(p, 2, [](QDialog& d) { Vale(d, "99  Sin clasificar", "2500"); }); });
  EXPECT_EQ(Dia(), (QStringList{"8000", "2500"}));
  EXPECT_EQ(Mensajes(), QStringList{"Ya se Excedió el Efectivo 10,500.00"});

  // Line 91 empty or 0: the voucher is kept, the day file untouched.
  for (const char* linea : {"", "0"}) {
    FijaLinea(ConfTotalAcumulado, linea);
    Abre("2", [](Pantalla& p) { Efectivo(p, 1, [](QDialog& d) { Vale(d, "07  Gasolina", "100"); }); });
    EXPECT_EQ(Dia(), (QStringList{"8000", "2500"}));
  }
  EXPECT_EQ(Retiros().size(), 5);
  EXPECT_EQ(Retiros().last(), "3|05/03/2010|1|07  Gasolina|100|07 Combustibles|7||");
}

// Another register: voucher 1 of the day's cash-outs saved under the
// numbering lock while this one types its own.
RUTINA_HIJA(GuardaValeOtraCaja) {
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla("Retiros.dbf");
  t.Open();
  db::Numeracion n(t);
  t.Append();
  t.FieldByName("CLDOC_F").SetAsInteger(1);
  t.FieldByName("FEDOC_F").SetAsDate(QDate(2010, 3, 5));
  t.FieldByName("NUM_CONCEP").SetAsInteger(1);
  t.FieldByName("CANTIDAD").SetAsFloat(20);
  t.FieldByName("BCLIM_F").SetAsString("2");
  t.Post();
  n.Suelta();
  prueba::AvisaPadre("LISTO");
  return 0;
}

TEST_F(Caja, DosCajasNoTomanElMismoNumeroYUnValeEnCapturaVaAlRetirosDeLasRemisiones) {
  EscribeLineas(fs::Une(kDatos, "Salidas.cnf"), {"07  Gasolina"});
  Abre("2", [&](Pantalla& p) {
    Efectivo(p, 1, [](QDialog& d) {
      prueba::Pulsa(d, "BitBtn3");
      EXPECT_EQ(static_cast<TFormaSalidasEfectivo&>(d).TablaRetiros->FieldByName("CLDOC_F").AsString(), "1");
      // Meanwhile another register saves its voucher 1.
      prueba::ProcesoHijo otra("GuardaValeOtraCaja");
      EXPECT_EQ(otra.EsperaLinea(), "LISTO");
      EXPECT_EQ(otra.Espera(), 0);
      prueba::Reescribe(d.findChild<QLineEdit*>("EditCantidad"), "30");
      prueba::Pulsa(d, "Guardar");
    });
  });
  EXPECT_EQ(Retiros(), (QStringList{"1|05/03/2010|1||20||2||", "2|05/03/2010|1||30||7||"}));

  // The remissions in a folder of their own: vouchers go there, made during
  // a capture (on the station's provisional header table) or after it.
  const QString remisiones = "C:\\VRL\\REMIS";
  CreaTablasEmpresa(db::Carpetas{remisiones, {}, remisiones, kPrograma});
  AgregaFila("Remision.dbf", {{"CLDOC_F", "3"}, {"CONTROL", "30"}}, remisiones);
  FijaLinea(ConfCarpetaRemisiones, remisiones);
  const auto vale = [](Pantalla& p, const char* cantidad) {
    Efectivo(p, 2, [cantidad](QDialog& d) {
      prueba::Pulsa(d, "BitBtn3");
      prueba::Reescribe(d.findChild<QLineEdit*>("EditCantidad"), cantidad);
      prueba::Pulsa(d, "Guardar");
    });
  };
  Abre("2", [&](Pantalla& p) {
    QTest::keyClick(&p, Qt::Key_F9);
    ASSERT_FALSE(p.BotonNuevo->isEnabled());
    ASSERT_NE(fs::Local(p.TablaFacturae->Carpeta()), fs::Local(remisiones));
    vale(p, "40");
  });
  Abre("2", [&](Pantalla& p) { vale(p, "50"); });
  db::Tabla t;
  t.SetCarpeta(remisiones);
  t.SetNombreTabla("Retiros.dbf");
  t.Open();
  QStringList filas;
  for (t.First(); !t.Eof(); t.Next())
    filas << t.FieldByName("CLDOC_F").AsString() + "|" + t.FieldByName("CANTIDAD").AsString();
  EXPECT_EQ(filas, (QStringList{"1|40", "2|50"}));
  EXPECT_EQ(Retiros().size(), 2);
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Caja, UnValeImpresoPideLaClaveParaReimprimirseYSinRetiroFmtQuedaMarcado) {
  UsaTicketera();
  EscribeLineas(fs::Une(kDatos, "Salidas.cnf"), {"07  Gasolina"});
  // "&Imprimir" on the voucher just typed: saved, marked, printed.
  Abre("2", [](Pantalla& p) {
    p.N011->setChecked(true);
    Efectivo(p, 1, [](QDialog& d) {
      prueba::Pulsa(d, "BitBtn3");
      auto* lista = d.findChild<QListWidget*>("ListaConceptos");
      lista->setCurrentRow(0);
      QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(lista->item(0)).center());
      prueba::Reescribe(d.findChild<QLineEdit*>("EditCantidad"), "125.5");
      prueba::Pulsa(d, "BitBtn1");
    });
    EXPECT_EQ(p.VendedorCaja, "01");
    EXPECT_EQ(p.FormatoTicket, "C:\\VRL\\consulta\\");
  });
  EXPECT_EQ(Trabajos(), (QList<QStringList>{{"VALE DE EFECTIVO No. 1", "Fecha 05/03/2010 10:15:00", "Caja 7 Turno 01",
                                             "Concepto 07  Gasolina", "Cantidad $        125.50", "", "",
                                             "________________________", "Firma", ""}}));
  EXPECT_EQ(Retiros(), QStringList{"1|05/03/2010|1|07  Gasolina|125.5||7|01|1"});

  // Printing it again needs the administrator's password.
  const auto reimprime = [](Pantalla& p) {
    Efectivo(p, 1, [](QDialog& d) { prueba::Pulsa(d, "BitBtn1"); });
  };
  ui::PuertaModal::Espera("TFormaAdministrador", [](QDialog& d) {
    prueba::Teclea(d, "Clave", "caja");
    prueba::Pulsa(d, "BitBtn1");
  });
  Abre("2", reimprime);
  EXPECT_EQ(Trabajos().size(), 1);
  ui::PuertaModal::Espera("TFormaAdministrador", [](QDialog& d) {
    prueba::Teclea(d, "Clave", "adm");
    prueba::Pulsa(d, "BitBtn1");
  });
  Abre("2", reimprime);
  EXPECT_EQ(Trabajos().size(), 2);
  EXPECT_EQ(Mensajes(), QStringList());

  // Without retiro.fmt: told, and the new voucher stays marked printed.
  fs::BorraArchivo(kRetiro);
  Abre("2", [](Pantalla& p) {
    Efectivo(p, 2, [](QDialog& d) {
      prueba::Pulsa(d, "BitBtn3");
      prueba::Reescribe(d.findChild<QLineEdit*>("EditCantidad"), "10");
      prueba::Pulsa(d, "BitBtn1");
    });
  });
  EXPECT_EQ(Mensajes(), QStringList{"El Formato " + kRetiro + " No Existe"});
  EXPECT_EQ(Retiros().last(), "1|05/03/2010|2||10||7||1");
  EXPECT_EQ(Trabajos().size(), 2);
}

TEST_F(Caja, ConceptosEliminarYLaListaEnElEditor) {
  AgregaFila("Clasificacion.dbf", {{"CLAVE", "03"}, {"CLASIFICAC", "Papelería"}});
  AgregaFila("Pagos.dbf", {{"CLAVE", "03"}, {"CONCEPTO", "Hojas"}});
  FijaLinea(ConfTotalAcumulado, "1");
  qputenv("VORLAN_PROGRAMAS", "notepad.exe=editor");
  prueba::LanzadorGrabador lanzador;
  Abre("2", [&](Pantalla& p) {
    Efectivo(p, 1, [&](QDialog& d) {
      // "...": a concept added under the classification chosen, the list
      // written and read again.
      ui::PuertaModal::Espera("TFormaConceptoPago", [](QDialog& c) {
        prueba::Pulsa(c, "BitBtn1");
        prueba::Teclea(c, "EditCONCEPTO", "Lapices");
        prueba::Pulsa(c, "Actualizar");
      });
      prueba::Pulsa(d, "SpeedButton1");
      auto* lista = d.findChild<QListWidget*>("ListaConceptos");
      QStringList conceptos;
      for (int i = 0; i < lista->count(); ++i) conceptos << lista->item(i)->text();
      EXPECT_EQ(conceptos, (QStringList{"03  Hojas", "03  Lapices"}));

      // A double click on the list opens it in the text editor.
      prueba::Pulsa(d, "BitBtn3");
      prueba::DobleClic(lista->viewport(), lista->visualItemRect(lista->item(0)).center());
      EXPECT_EQ(lanzador.iniciados.size(), 1);
      lista->setCurrentRow(1);
      QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(lista->item(1)).center());
      prueba::Reescribe(d.findChild<QLineEdit*>("EditCantidad"), "15");
      prueba::Pulsa(d, "Guardar");
      // "Eliminar" asks for the administrator: refused, then granted.
      ui::PuertaModal::Espera("TFormaAdministrador", [](QDialog& c) {
        prueba::Teclea(c, "Clave", "caja");
        prueba::Pulsa(c, "BitBtn1");
      });
      prueba::Pulsa(d, "BitBtn4");
      EXPECT_EQ(static_cast<TFormaSalidasEfectivo&>(d).TablaRetiros->RecordCount(), 1);
      ui::PuertaModal::Espera("TFormaAdministrador", [](QDialog& c) {
        prueba::Teclea(c, "Clave", "adm");
        prueba::Pulsa(c, "BitBtn1");
      });
      prueba::Pulsa(d, "BitBtn4");
      EXPECT_EQ(static_cast<TFormaSalidasEfectivo&>(d).TablaRetiros->RecordCount(), 0);
      EXPECT_EQ(prueba::Texto(d, "Total"), "Retiros  0");
    });
  });
  EXPECT_EQ(fs::LeeLineas(fs::Une(kDatos, "Salidas.cnf")), (QStringList{"03  Hojas", "03  Lapices"}));
  ASSERT_EQ(lanzador.iniciados.size(), 1);
  EXPECT_EQ(lanzador.iniciados[0].programa, "editor");
  EXPECT_EQ(lanzador.iniciados[0].argumentos, QStringList{fs::Local(fs::Une(kDatos, "Salidas.cnf"))});
  EXPECT_EQ(Retiros(), QStringList());
  EXPECT_TRUE(fs::LeeLineas(fs::Une(kPrograma, "borrados.dat")).value(0).startsWith("Retiros.dbf,"));
  EXPECT_EQ(Dia(), QStringList{"-15"});
  EXPECT_EQ(Mensajes(), QStringList());
  qunsetenv("VORLAN_PROGRAMAS");
}

TEST(Efectivo, RedondeaCentavosSubeAlSiguienteMultiploYLosNegativosVanHaciaCero) {
  const std::pair<const char*, const char*> redondeos[] = {
      {"12.34", "12.4"}, {"12.9", "13"}, {"12.4", "12.4"}, {"12", "12"}, {"-12.34", "-12.2"}, {"12.005", "12.005"}};
  for (const auto& [valor, esperado] : redondeos)
    EXPECT_EQ(RedondeaCentavos(Dinero::DeTexto(valor), 2).Texto(), esperado) << valor;
}

TEST_F(Caja, TextoMonedaVentaBuscaHastaElUltimoRegistro) {
  const auto moneda = [](const QString& nombre, const QString& singular) {
    TRegistroMoneda r;
    r.Campos[MonedaDivisa] = nombre;
    r.Campos[MonedaSingular] = singular;
    r.Campos[MonedaPluralMillones] = singular + " DE";
    r.Campos[MonedaPlural] = singular + "S";
    r.Campos[MonedaAbreviatura] = nombre;
    return r.ABytes();
  };
  EXPECT_EQ(TextoMonedaVenta(kDatos, "M.N.", 1), "xx");  // no file
  EscribeBytes(fs::Une(kDatos, kArchivoMonedas), moneda("Dolar", "DOLAR") + moneda("M.N.", "PESO"));
  EXPECT_EQ((QStringList{TextoMonedaVenta(kDatos, "M.N.", 1), TextoMonedaVenta(kDatos, "M.N.", 2),
                         TextoMonedaVenta(kDatos, "M.N.", 3), TextoMonedaVenta(kDatos, "M.N.", 4)}),
            (QStringList{"PESO", "PESO DE", "PESOS", "M.N."}));
  EXPECT_EQ(TextoMonedaVenta(kDatos, "Euro", 1), "xx");
}
