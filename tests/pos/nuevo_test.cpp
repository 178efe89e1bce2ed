// New on the sale screen and the header's customer and seller: the number
// shown, the station's provisional header table, what New leaves on screen
// and in actual.dat, the customer's data and debts, the seller and the
// start of the capture; two stations pressing New at once.

#include "platform/db/Consulta.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/Aplicacion.h"
#include "pos/ListaSQL.h"
#include "support/Maneja.h"
#include "support/Proceso.h"
#include "venta_prueba.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QToolButton>
#include <QTest>

#include <array>
#include <memory>

namespace {

using Pantalla = TFormaCapturaRapida;

// The named fields of every row of a table, in physical order.
QList<QStringList> Filas(const QString& carpeta, const QString& archivo, const QStringList& campos) {
  db::Tabla t;
  t.SetCarpeta(carpeta);
  t.SetNombreTabla(archivo);
  t.SetReadOnly(true);
  t.Open();
  QList<QStringList> filas;
  for (t.First(); !t.Eof(); t.Next()) {
    QStringList fila;
    for (const QString& c : campos) fila << t.FieldByName(c).AsString();
    filas << fila;
  }
  return filas;
}

QByteArray Bytes(const QString& carpeta, const QString& archivo) { return fs::LeeBytes(fs::Une(carpeta, archivo)); }

QString Encabezado(Pantalla& p, const char* campo) { return p.TablaFacturae->FieldByName(campo).AsString(); }

// The quantity of the capture row the screen stands on; "" when none.
QString Cantidad(Pantalla& p) {
  return p.TablaDeta->IsEmpty() ? QString() : p.TablaDeta->FieldByName("CANTIDAD").AsString();
}

QWidget* FocoNuevo() { return QApplication::focusWidget(); }

// F9 as the cashier presses it.
void Nueva(Pantalla& p) { QTest::keyClick(&p, Qt::Key_F9); }

// The key typed into the customer field, then Enter.
void Cliente(Pantalla& p, const QString& clave) {
  prueba::Teclea(p, "EditCLCLI_F", clave);
  prueba::Tecla(p, "EditCLCLI_F", Qt::Key_Return);
}

class Nuevo : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    QString todos(kNumeroDerechos, u's');
    QString libre = todos;
    libre[DerechoLimitarVendedor - 1] = u'n';
    QString sinVentas = todos;
    sinVentas[DerechoFacturacion - 1] = u'n';
    QString sinAltas = libre;
    sinAltas[DerechoAltaFacturacion - 1] = u'n';
    EscribeUsuarios({{"adm", todos}, {"caja", todos}, {"otra", libre}, {"bodega", sinVentas}, {"nueva", sinAltas}});
    FijaLinea(ConfIva, "16");
    AgregaRemision(7, {{"CLCLI_F", "1"}});
    AgregaRemision(12, {{"CLCLI_F", "2"}});
    for (const QMap<QString, QString>& c : QList<QMap<QString, QString>>{
             {{"CLCLI_C", "1"}, {"NOMBR_C", "MOSTRADOR"}},
             {{"CLCLI_C", "2"}, {"NOMBR_C", "JUAN PEREZ"}, {"DIREC_C", "HIDALGO 5"}, {"RFCXX_C", "PEJ800101"}},
             {{"CLCLI_C", "7"}, {"NOMBR_C", "ROSA DIAZ"}, {"DCRED_C", "30"}, {"PREPR_C", "3"},
              {"ESTAD_C", "JALISCO"}, {"PAISX_C", "MEXICO"}},
             {{"CLCLI_C", "8"}, {"NOMBR_C", "PEDRO BAJA"}, {"STATU_C", "I"}}})
      AgregaFila("CLIENTE.DBF", c);
    AgregaFila("VENDEDOR.DBF", {{"CLVEN_V", "01"}, {"NOMBR_V", "LUIS"}, {"COMIS_V", "2"}});
    AgregaFila("VENDEDOR.DBF", {{"CLVEN_V", "02"}, {"NOMBR_V", "MARTA"}, {"COMIS_V", "3"}});
  }
};

// A sale screen of another station: presses New, tells the parent the
// number shown and the header table, and stays open until the parent
// answers.
RUTINA_HIJA(PulsaNuevo) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char nombre[] = "estacion";
  char* argv[] = {nombre, nullptr};
  ui::Aplicacion app(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  auto p = std::make_unique<Pantalla>();
  p->usuario->setText("2");
  ui::PuertaModal::Espera("TFormaCapturaRapida", [](QDialog& d) {
    auto& p = static_cast<Pantalla&>(d);
    p.BotonNuevoClick();
    prueba::AvisaPadre(p.EditCLDOC_F->text() + " " + p.TablaFacturae->NombreTabla() + " " +
                       ui::PuertaModal::Mensajes().join("|"));
    prueba::EsperaPadre();
  });
  p->ShowModal();
  return 0;
}

}  // namespace

TEST_F(Nuevo, F9DaElUltimoMasUnoDesdeLaTablaPropiaDeLaEstacion) {
  // The shared table as the document shown at opening left it.
  QByteArray remisiones;
  Abre("2", [&](Pantalla& p) {
    remisiones = Bytes(kDatos, "Remision.dbf");
    p.TipoPago->setCurrentText("Tarjeta");
    Nueva(p);
    EXPECT_EQ(p.EditCLDOC_F->text(), "13");
    EXPECT_EQ(p.TablaFacturae->Carpeta(), kPrograma);
    EXPECT_EQ(p.TablaFacturae->NombreTabla(), "Remision1.dbf");
    EXPECT_TRUE(fs::ExisteArchivo(fs::Une(kPrograma, "Remision1.mdx")));
    // 10:15 is 0.4270833 of the day.
    EXPECT_EQ(Filas(kPrograma, "Remision1.dbf", {"CLDOC_F", "CONTROL", "proceso", "CLCLI_F", "FEDOC_F"}),
              (QList<QStringList>{{"13", "42708", "N", "1", "05/03/2010"}}));
    EXPECT_EQ(p.ControlVenta, 42708);
    EXPECT_EQ(p.EditIMIM1_F->text(), "16");
    EXPECT_EQ(p.TasaIvaVenta, 16);
    EXPECT_EQ(p.EditCLCLI_F->text(), "1");
    EXPECT_EQ(p.EditFEDOC_F->text(), "05/03/2010");
    EXPECT_EQ(p.EstadoCaptura->text(), "Capturando...");
    EXPECT_EQ(p.TipoPago->currentText(), "Efectivo");
    EXPECT_EQ(p.TotalFact->text(), "0.00");
    EXPECT_EQ(p.LabelPartidas->text(), "Partidas  0");
    EXPECT_EQ(ui::Tag(p.BotonNuevo), 1);
    EXPECT_TRUE(p.DocumentoNuevo);
    EXPECT_TRUE(p.Caja->isEnabled());
    EXPECT_FALSE(p.EditClave->isReadOnly());
    EXPECT_FALSE(p.Navegador->isEnabled());
    EXPECT_FALSE(p.Nuevo1->isEnabled());
    EXPECT_TRUE(Pantalla::Permitido(p.Guardar1));
    EXPECT_EQ(FocoNuevo(), p.EditCLCLI_F);
    EXPECT_EQ(fs::LeeLineas(fs::Une(kPrograma, "actual.dat")), QStringList{"13"});
  });
  EXPECT_EQ(Bytes(kDatos, "Remision.dbf"), remisiones);
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Nuevo, SinElDerecho20SoloEscribeActualYElTipoDePago) {
  Abre("4", [&](Pantalla& p) {
    p.TipoPago->setCurrentText("Tarjeta");
    Nueva(p);
    EXPECT_EQ(p.EditCLDOC_F->text(), "12");
    EXPECT_EQ(p.TablaFacturae->NombreTabla(), "Remision.dbf");
    EXPECT_EQ(p.EstadoCaptura->text(), "Terminada");
    EXPECT_FALSE(p.Caja->isEnabled());
    EXPECT_TRUE(p.Navegador->isEnabled());
    EXPECT_EQ(p.TipoPago->currentText(), "Efectivo");
    EXPECT_EQ(fs::LeeLineas(fs::Une(kPrograma, "actual.dat")), QStringList{"12"});
  });
  EXPECT_FALSE(db::Tabla::Existe(kPrograma, "Remision1.dbf"));
  EXPECT_EQ(Mensajes(), QStringList{kSinAcceso});
}

TEST_F(Nuevo, UnaPantallaSinTablaDeCapturaNoEmpiezaNada) {
  std::array<EstacionCaptura, 10> otras;
  for (EstacionCaptura& e : otras) ASSERT_NE(e.Reclama(kPrograma), kSinEstacion);
  ui::PuertaModal::LimpiaMensajes();
  Abre("2", [](Pantalla& p) {
    Nueva(p);
    EXPECT_EQ(p.EstadoCaptura->text(), "Terminada");
    EXPECT_EQ(p.TablaFacturae->NombreTabla(), "Remision.dbf");
  });
  EXPECT_FALSE(fs::Existe(fs::Une(kPrograma, "actual.dat")));
  EXPECT_EQ(Mensajes(), QStringList(2, kSinTablaCaptura));
}

TEST_F(Nuevo, CasosDelNumeroDelVendedorYDelTipo) {
  struct Caso {
    const char* nombre;
    std::function<void()> prepara;
    std::function<void(Pantalla&)> antes;
    std::function<void(Pantalla&)> mira;
  };
  const Caso casos[] = {
      {"un último renglón con número 0 en el registro 15",
       [] {
         db::Tabla::Borra(kDatos, "Remision.dbf");
         CreaTablasEmpresa(db::Carpetas{kDatos, {}, {}, kPrograma});
         for (int i = 0; i < 15; ++i) AgregaRemision(0, {});
       },
       [](Pantalla&) {},
       [](Pantalla& p) {
         EXPECT_EQ(p.EditCLDOC_F->text(), "1");
         QStringList numeros;
         for (const QStringList& f : Filas(kDatos, "Remision.dbf", {"CLDOC_F"})) numeros << f[0];
         EXPECT_EQ(numeros, QStringList(14, "0") << "16");
       }},
      {"una tabla de remisiones vacía", [] { db::Tabla::Borra(kDatos, "Remision.dbf");
         CreaTablasEmpresa(db::Carpetas{kDatos, {}, {}, kPrograma}); },
       [](Pantalla&) {}, [](Pantalla& p) { EXPECT_EQ(p.EditCLDOC_F->text(), "1"); }},
      {"el turno 02 da el vendedor 02", [] {},
       [](Pantalla& p) {
         p.VendedorCaja = "5";
         p.N021->setChecked(true);
       },
       [](Pantalla& p) { EXPECT_EQ(Encabezado(p, "CLVEN_F"), "02"); }},
      {"el vendedor de la caja", [] {},
       [](Pantalla& p) {
         p.VendedorCaja = "5";
         p.UltimoVendedor = "01";
       },
       [](Pantalla& p) { EXPECT_EQ(Encabezado(p, "CLVEN_F"), "5"); }},
      {"sin vendedor de caja, el último", [] {}, [](Pantalla& p) { p.UltimoVendedor = "01"; },
       [](Pantalla& p) { EXPECT_EQ(Encabezado(p, "CLVEN_F"), "01"); }},
      {"caja chica toma la plantilla de las remisiones", [] { AgregaFila("CajaChic.dbf", {{"CLDOC_F", "40"}}); },
       [](Pantalla& p) {
         p.Base->setCurrentText("Caja Chica");
         p.BaseChange();
       },
       [](Pantalla& p) {
         EXPECT_EQ(p.EditCLDOC_F->text(), "41");
         EXPECT_EQ(p.TablaFacturae->NombreTabla(), "CajaChic1.dbf");
         EXPECT_EQ(Filas(kPrograma, "CajaChic1.dbf", {"CLDOC_F"}), QList<QStringList>{{"41"}});
       }},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    c.prepara();
    Abre("2", [&](Pantalla& p) {
      c.antes(p);
      Nueva(p);
      c.mira(p);
    });
    EXPECT_EQ(Mensajes(), QStringList());
    ui::PuertaModal::LimpiaMensajes();
  }
}

TEST_F(Nuevo, ElFocoTrasNuevoSigueLasOpciones) {
  struct Caso {
    const char* nombre;
    QMap<int, QString> opciones;
    QString foco;
    bool partida;
    QString cliente;
  };
  // Skipping the header, or leaving the customer field for the seller's,
  // takes the counter customer.
  const Caso casos[] = {
      {"en el cliente", {}, "EditCLCLI_F", false, ""},
      {"saltando el encabezado", {{1, "S"}}, "EditCantidad", true, "MOSTRADOR"},
      {"saltando el encabezado, en la clave", {{1, "S"}, {2, "S"}}, "EditClave", true, "MOSTRADOR"},
      {"en el vendedor", {{11, "S"}}, "EditCLVEN_F", false, "MOSTRADOR"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    EscribeOpciones(c.opciones);
    Abre("2", [&](Pantalla& p) {
      Nueva(p);
      EXPECT_EQ(FocoNuevo() ? FocoNuevo()->objectName() : QString(), c.foco);
      EXPECT_EQ(Cantidad(p), c.partida ? "1" : "");
      EXPECT_EQ(p.Nombre->text(), c.cliente);
    });
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Nuevo, ElClienteLlenaElEncabezado) {
  fs::FijaAhora(QDateTime(QDate(2024, 1, 10), QTime(9, 0)));
  struct Caso {
    QString clave;
    QString nombre;
    QStringList encabezado;  // CLCLI_F, CONDI_F, FEVEN_F, ESTAD_F, PAISX_F
    int lista;
    QStringList mensajes;
    bool regresa;
  };
  const Caso casos[] = {
      {"7", "ROSA DIAZ", {"7", "30", "09/02/2024", "JALISCO", "MEXICO"}, 3, {}, false},
      {"2", "JUAN PEREZ", {"2", "", "", "", ""}, 0, {}, false},
      {"8", "PEDRO BAJA", {"8", "", "", "", ""}, 0, {"Cliente Inactivo, tiene que modificar esta clave..."}, true},
      // An unknown key is kept as typed; the screen shows nothing of it.
      {"99", "", {"99", "", "", "", ""}, 0, {}, false},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.clave.toStdString());
    Abre("2", [&](Pantalla& p) {
      Nueva(p);
      Cliente(p, c.clave);
      EXPECT_EQ(p.Nombre->text(), c.nombre);
      QStringList encabezado;
      for (const char* campo : {"CLCLI_F", "CONDI_F", "FEVEN_F", "ESTAD_F", "PAISX_F"})
        encabezado << Encabezado(p, campo);
      EXPECT_EQ(encabezado, c.encabezado);
      EXPECT_EQ(p.ListaPrecioCliente, c.lista);
      EXPECT_EQ(FocoNuevo() == p.EditCLCLI_F, c.regresa);
    });
    EXPECT_EQ(Mensajes(), c.mensajes);
    ui::PuertaModal::LimpiaMensajes();
  }
}

TEST_F(Nuevo, ConAdeudosBloqueadosDosRemisionesActivasLoDetienen) {
  FijaLinea(ConfBloqueaPorAdeudos, "S");
  AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "A\"B"}, {"NOMBR_C", "COMILLAS"}});
  AgregaRemision(20, {{"CLCLI_F", "2"}});  // blank status: active
  AgregaRemision(21, {{"CLCLI_F", "7"}});
  AgregaRemision(22, {{"CLCLI_F", "7"}, {"STATU_F", "C"}});
  AgregaRemision(23, {{"CLCLI_F", "A\"B"}});
  AgregaRemision(24, {{"CLCLI_F", "A\"B"}, {"STATU_F", "G"}});
  // The counter customer has remissions 7 and more: never looked at.
  AgregaRemision(25, {{"CLCLI_F", "1"}});
  struct Caso {
    QString clave;
    QList<QStringList> lista;  // the remissions listed; none: accepted
    QString nombre;
  };
  const Caso casos[] = {
      {"2", {{"12", "2"}, {"20", "2"}}, ""},
      {"A\"B", {{"23", "A\"B"}, {"24", "A\"B"}}, ""},
      {"7", {}, "ROSA DIAZ"},
      {"1", {}, "MOSTRADOR"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.clave.toStdString());
    QList<QStringList> lista;
    if (!c.lista.isEmpty()) {
      ui::PuertaModal::Espera("TFormaListaSQL", [&](QDialog& d) {
        auto& l = static_cast<TFormaListaSQL&>(d);
        EXPECT_EQ(l.windowTitle(), "Lista de Datos");
        for (l.QueryLista->First(); !l.QueryLista->Eof(); l.QueryLista->Next())
          lista << QStringList{l.QueryLista->FieldByName("CLDOC_F").AsString(),
                               l.QueryLista->FieldByName("CLCLI_F").AsString()};
        d.close();
      });
    }
    Abre("2", [&](Pantalla& p) {
      Nueva(p);
      Cliente(p, c.clave);
      EXPECT_EQ(p.Nombre->text(), c.nombre);
      EXPECT_EQ(FocoNuevo() == p.EditCLCLI_F, !c.lista.isEmpty());
    });
    EXPECT_EQ(lista, c.lista);
    EXPECT_EQ(Mensajes(), QStringList());
  }
}

TEST_F(Nuevo, SoloConTeclasClienteVendedorYCaptura) {
  ui::PuertaModal::Espera("TFormaConVendedores", [](QDialog& d) {
    prueba::Tecla(d, "DBGrid1", Qt::Key_Down);
    prueba::Tecla(d, "DBGrid1", Qt::Key_Return);
  });
  Abre("2", [](Pantalla& p) {
    Nueva(p);
    prueba::Teclea(p, "EditCLCLI_F", "2");
    prueba::Tecla(p, "", Qt::Key_Return);
    EXPECT_EQ(p.Nombre->text(), "JUAN PEREZ");
    EXPECT_EQ(p.RFC->text(), "PEJ800101");
    prueba::Tecla(p, "EditCLVEN_F", Qt::Key_F2);
    EXPECT_EQ(p.EditCLVEN_F->text(), "02");
    EXPECT_EQ(FocoNuevo(), p.EditCLVEN_F);
    prueba::Tecla(p, "", Qt::Key_Return);
    EXPECT_EQ(p.LabelVendedor->text(), "MARTA");
    EXPECT_EQ(p.EditCTOVE_F->text(), "3");
    EXPECT_EQ(FocoNuevo(), p.EditCantidad);
    EXPECT_EQ(p.EditCantidad->text(), "1");
    EXPECT_EQ(Cantidad(p), "1");
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Nuevo, UnVendedorOcultoQueNoExisteSeBorra) {
  EscribeOpciones({{17, "S"}});
  Abre("2", [](Pantalla& p) {
    Nueva(p);
    prueba::Teclea(p, "EditCLVEN_F", "99");
    prueba::Tecla(p, "", Qt::Key_Return);
    EXPECT_EQ(Encabezado(p, "CLVEN_F"), "");
    EXPECT_EQ(FocoNuevo(), p.EditCLVEN_F);
    // A seller that exists starts the capture.
    prueba::Teclea(p, "EditCLVEN_F", "01");
    prueba::Tecla(p, "", Qt::Key_Return);
    EXPECT_EQ(p.LabelVendedor->text(), "LUIS");
    EXPECT_EQ(FocoNuevo(), p.EditCantidad);
  });
  EXPECT_EQ(Mensajes(), QStringList{"El Vendedor no Existe"});
}

TEST_F(Nuevo, AsignarClienteCopiaSusDatosAlDocumentoMostrado) {
  ui::PuertaModal::Espera("TFormaConClientes", [](QDialog& d) {
    prueba::Tecla(d, "Detalle", Qt::Key_Down);
    prueba::Tecla(d, "Detalle", Qt::Key_Return);
  });
  Abre("2", [](Pantalla& p) {
    ASSERT_EQ(p.EditCLDOC_F->text(), "12");
    p.findChild<QAction*>("AsignarCliente1")->trigger();
    EXPECT_EQ(p.EditCLCLI_F->text(), "7");
  });
  EXPECT_EQ(Filas(kDatos, "Remision.dbf", {"CLDOC_F", "CLCLI_F", "NOMBR_F", "ESTAD_F", "PAISX_F"}),
            (QList<QStringList>{{"7", "1", "", "", ""}, {"12", "7", "ROSA DIAZ", "JALISCO", "MEXICO"}}));
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Nuevo, ElEstadoYElPaisFaltantesVienenDelClienteActual) {
  AgregaRemision(14, {{"CLCLI_F", "7"}, {"ESTAD_F", "SONORA"}, {"PAISX_F", "MEXICO"}});
  Abre("2", [](Pantalla& p) {
    ASSERT_TRUE(p.TablaCliente->FindKey({"7"}));
    for (int numero : {12, 14}) {
      ASSERT_TRUE(p.TablaFacturae->FindKey({numero}));
      p.CompletaEstadoPais();
    }
  });
  EXPECT_EQ(Filas(kDatos, "Remision.dbf", {"CLDOC_F", "ESTAD_F", "PAISX_F"}),
            (QList<QStringList>{{"7", "", ""}, {"12", "JALISCO", "MEXICO"}, {"14", "SONORA", "MEXICO"}}));
}

TEST_F(Nuevo, DosEstacionesPulsanNuevoALaVez) {
  const int remisiones = Filas(kDatos, "Remision.dbf", {"CLDOC_F"}).size();
  prueba::ProcesoHijo primera("PulsaNuevo");
  EXPECT_EQ(primera.EsperaLinea().trimmed(), "13 Remision1.dbf");
  prueba::ProcesoHijo segunda("PulsaNuevo");
  EXPECT_EQ(segunda.EsperaLinea().trimmed(), "13 Remision2.dbf");
  for (const QString archivo : {"Remision1.dbf", "Remision2.dbf"})
    EXPECT_EQ(Filas(kPrograma, archivo, {"CLDOC_F", "proceso"}), (QList<QStringList>{{"13", "N"}}));
  EXPECT_EQ(Filas(kDatos, "Remision.dbf", {"CLDOC_F"}).size(), remisiones);
  primera.Envia("");
  segunda.Envia("");
  EXPECT_EQ(primera.Espera(), 0);
  EXPECT_EQ(segunda.Espera(), 0);
}

TEST_F(Nuevo, ConLaCarpetaDelProgramaComoDatosLaTablaCompartidaNoSeToca) {
  FijaLinea(ConfCarpetaDatos, kPrograma);
  CreaTablasEmpresa(db::Carpetas{kPrograma, {}, {}, kPrograma});
  AgregaFila("Remision.dbf", {{"CLDOC_F", "30"}}, kPrograma);
  QByteArray remisiones;
  Abre("2", [&](Pantalla& p) {
    remisiones = Bytes(kPrograma, "Remision.dbf");
    Nueva(p);
    EXPECT_EQ(p.EditCLDOC_F->text(), "31");
    EXPECT_EQ(p.TablaFacturae->NombreTabla(), "Remision1.dbf");
  });
  EXPECT_EQ(Bytes(kPrograma, "Remision.dbf"), remisiones);
  EXPECT_EQ(Mensajes(), QStringList());
}
