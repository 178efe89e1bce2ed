// The cash cut as the cashier and the cut reports meet it: "Generar Corte"
// on the sale screen, the rows of Cortes.DBF and the list Cortes.dat, the
// refusals, the cut window as a picker, two stations closing at once; and
// the turns of the Turno menu.

#include "customers/CuentasCobrar.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/db/Numeracion.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/PuertaModal.h"
#include "pos/Corte.h"
#include "support/Maneja.h"
#include "support/Proceso.h"
#include "captura_prueba.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QToolButton>

namespace {

using Pantalla = TFormaCapturaRapida;

const QString kListaCortes = "C:\\VRL\\DATOS\\Cortes\\Cortes.dat";

void Comando(Pantalla& p, const char* nombre) {
  QAction* item = p.MainMenu1->findChild<QAction*>(QString::fromLatin1(nombre));
  ASSERT_TRUE(item && item->isEnabled()) << nombre;
  item->trigger();
}

// Every cut, in order: CORTE, INICIO, FIN, USUARIO.
QList<QStringList> Cortes() {
  auto t = AbreEn(kDatos, "Cortes.DBF", "CORTE");
  QList<QStringList> filas;
  for (t->First(); !t->Eof(); t->Next()) {
    QStringList fila;
    for (const char* campo : {"CORTE", "INICIO", "FIN", "USUARIO"}) fila << t->FieldByName(campo).AsString();
    filas << fila;
  }
  return filas;
}

void AgregaCorte(int corte, int inicio, int fin) {
  auto t = AbreEn(kDatos, "Cortes.DBF");
  t->Append();
  t->FieldByName("CORTE").SetAsInteger(corte);
  t->FieldByName("INICIO").SetAsInteger(inicio);
  t->FieldByName("FIN").SetAsInteger(fin);
  t->FieldByName("USUARIO").SetAsString("1");
  t->Post();
}

// The line "Agregar Corte" adds at 5 March 2010, 10:15.
QString LineaCorte(int n, const QString& documento) {
  return QStringLiteral("Corte de Caja %1 ,05/03/2010 10:15:00 ,40242.427083333336,%2").arg(n).arg(documento);
}

class Corte : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "1"}, {"NOMBR_C", "MOSTRADOR"}});
    for (int numero : {148, 149, 150}) AgregaRemision(numero, {{"CLCLI_F", "1"}});
  }

  // "Generar Corte" on the screen; `guion` runs on the cut window.
  static void GeneraCorte(Pantalla& p, std::function<void(TFormaCorte&)> guion) {
    ui::PuertaModal::Espera("TFormaCorte", [guion](QDialog& d) { guion(static_cast<TFormaCorte&>(d)); });
    Comando(p, "GenerarCorte1");
  }
};

}  // namespace

TEST_F(Corte, AgregarCorteCierraLosDocumentosDesdeElUltimoCorte) {
  struct Caso {
    const char* nombre;
    QList<std::array<int, 3>> antes;  // CORTE, INICIO, FIN
    QStringList lista;                // Cortes.dat before
    const char* de;                   // "De" shown
    const char* hasta;                // "Hasta" typed, when not empty
    QList<QStringList> despues;       // Cortes.DBF after
  };
  const Caso casos[] = {
      {"documentos desde el último corte",
       {{3, 1, 100}, {4, 101, 120}},
       {LineaCorte(1, "100"), LineaCorte(2, "120")},
       "121",
       "",
       {{"3", "1", "100", "1"}, {"4", "101", "120", "1"}, {"5", "121", "150", "0"}}},
      {"ningún documento desde el último: la línea sin corte",
       {{7, 101, 150}},
       {},
       "151",
       "160",
       {{"7", "101", "150", "1"}}},
      {"el primer corte", {}, {}, "1", "", {{"1", "1", "150", "0"}}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    db::Tabla::Borra(kDatos, "Cortes.DBF");
    CreaTablasEmpresa(db::Carpetas{kDatos, {}, {}, kPrograma});
    for (const auto& [corte, inicio, fin] : c.antes) AgregaCorte(corte, inicio, fin);
    fs::BorraArchivo(kListaCortes);
    if (!c.lista.isEmpty()) EscribeLineas(kListaCortes, c.lista);
    Abre("0", [&](Pantalla& p) {
      // The cut starts from the last document, shown.
      p.TablaFacturae->First();
      p.MuestraDocumento();
      GeneraCorte(p, [&](TFormaCorte& d) {
        EXPECT_EQ(p.EditCLDOC_F->text(), "150");
        EXPECT_EQ(d.windowTitle(), "FormaCorte");
        EXPECT_TRUE(d.BotonCorte->isVisible());
        EXPECT_TRUE(d.Clave->isVisible());
        EXPECT_FALSE(d.BotonAceptar->isVisible());
        EXPECT_FALSE(d.Panel2->isEnabled());
        EXPECT_EQ(d.Edit3->text(), "06/03/2010");
        EXPECT_EQ(d.ListaCortes->count(), c.lista.size());
        EXPECT_EQ(d.Edit1->text(), c.de);
        EXPECT_EQ(d.Edit2->text(), "150");
        if (*c.hasta) prueba::Reescribe(d.Edit2, c.hasta);
        // The password decides nothing.
        prueba::Teclea(d, "Clave", "cualquiera");
        prueba::Pulsa(d, "BotonCorte");
        ASSERT_EQ(d.ListaCortes->count(), c.lista.size() + 1);
        EXPECT_EQ(d.ListaCortes->item(c.lista.size())->text(), LineaCorte(c.lista.size() + 1, "150"));
        d.Close();
      });
    });
    EXPECT_EQ(Cortes(), c.despues);
    EXPECT_EQ(fs::LeeLineas(kListaCortes), QStringList(c.lista) << LineaCorte(c.lista.size() + 1, "150"));
    EXPECT_EQ(Mensajes(), QStringList());
  }
  // The row's moment, date and time.
  auto t = AbreEn(kDatos, "Cortes.DBF", "CORTE");
  t->Last();
  EXPECT_NEAR(t->FieldByName("CONTROL").AsFloat(), 40242.427083, 1e-6);
  EXPECT_EQ(t->FieldByName("FECHA").AsDate(), QDate(2010, 3, 5));
  EXPECT_EQ(t->FieldByName("HORA").AsString(), "10:15:00");
}

TEST_F(Corte, LoQueNoDejaCrearUnCorte) {
  QString derechos(kNumeroDerechos, u's');
  QString sinCortes = derechos;
  sinCortes[DerechoCrearCortes - 1] = u'n';
  EscribeUsuarios({{"adm", derechos}, {"caja", sinCortes}});
  AgregaCorte(1, 1, 120);
  struct Caso {
    const char* nombre;
    const char* usuario;
    const char* de;  // typed over "De", when not empty
    const char* hasta;
    QStringList mensajes;
  };
  const Caso casos[] = {
      {"Hasta igual a De", "0", "150", "150", {"No puede crearse el Corte"}},
      {"Hasta bajo De", "0", "", "100", {"No puede crearse el Corte"}},
      {"sin el derecho 60", "1", "", "", {kSinAcceso, "No puede crear el corte..."}},
      {"De no es un número", "0", "05/03/2010 10:15:00 ", "", {"'05/03/2010 10:15:00 ' no es un valor entero válido"}},
      {"Hasta vacío", "0", "", " ", {"' ' no es un valor entero válido"}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    Abre(c.usuario, [&](Pantalla& p) {
      GeneraCorte(p, [&](TFormaCorte& d) {
        if (*c.de) prueba::Reescribe(d.Edit1, c.de);
        if (*c.hasta) prueba::Reescribe(d.Edit2, c.hasta);
        prueba::Pulsa(d, "BotonCorte");
        EXPECT_EQ(d.ListaCortes->count(), 0);
        d.Close();
      });
    });
    EXPECT_EQ(Mensajes(), c.mensajes);
    EXPECT_EQ(Cortes(), (QList<QStringList>{{"1", "1", "120", "1"}}));
    EXPECT_EQ(fs::LeeLineas(kListaCortes), QStringList());
    ui::PuertaModal::LimpiaMensajes();
  }

  // Without a user no window opens.
  Abre("", [&](Pantalla& p) { Comando(p, "GenerarCorte1"); });
  EXPECT_EQ(Mensajes(), QStringList{"No Esta Autorizado"});
  EXPECT_EQ(ui::PuertaModal::SinRespuesta(), QStringList());
}

TEST_F(Corte, DuranteUnaCapturaNoSeGeneraCorte) {
  Abre("0", [&](Pantalla& p) {
    EXPECT_TRUE(p.CortedeCaja2->menuAction()->isEnabled());
    QTest::keyClick(&p, Qt::Key_F9);
    ASSERT_EQ(ui::Tag(p.BotonNuevo), 1);
    EXPECT_FALSE(p.CortedeCaja2->menuAction()->isEnabled());
    EXPECT_EQ(p.EditCLDOC_F->text(), "151");
  });
  EXPECT_EQ(ui::PuertaModal::SinRespuesta(), QStringList());
}

TEST_F(Corte, ComoSelectorUnaLineaDaElPeriodoYAceptarResponde2) {
  const QStringList lista = {"Corte de Caja 1 ,01/03/2010 21:00:00 ,40238.875,120",
                             "Corte de Caja 2 ,03/03/2010 21:30:00 ,40240.8958333333,135",
                             "Corte de Caja 3 ,05/03/2010 10:15:00 ,40242.4270833333,150"};
  EscribeLineas(kListaCortes, lista);
  AgregaCorte(1, 1, 120);
  TFormaCorte corte;
  corte.LabelRuta->setText(kDatos);
  corte.LabelDocumento->setText("150");
  corte.Usuario->setText("2");
  corte.Panel1->setEnabled(true);
  corte.BotonAceptar->show();
  ui::PuertaModal::Espera("TFormaCorte", [&](QDialog&) {
    EXPECT_EQ(corte.Edit1->text(), "121");
    QListWidget* l = corte.ListaCortes;
    ASSERT_EQ(l->count(), 3);
    // The first line has none before it: nothing changes.
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(0)).center());
    EXPECT_EQ(corte.Edit1->text(), "121");
    EXPECT_EQ(corte.Edit2->text(), "150");
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(2)).center());
    EXPECT_EQ(corte.Edit1->text(), "03/03/2010 21:30:00 ");
    EXPECT_EQ(corte.Edit2->text(), "05/03/2010 10:15:00 ");
    // Moving with the keys chooses too.
    QTest::keyClick(l, Qt::Key_Up);
    EXPECT_EQ(corte.Edit1->text(), "01/03/2010 21:00:00 ");
    EXPECT_EQ(corte.Edit2->text(), "03/03/2010 21:30:00 ");
    prueba::Pulsa(corte, "BotonAceptar");
  });
  corte.ShowModal();
  EXPECT_EQ(corte.Tag(), 2);
  EXPECT_EQ(RutaDatosCorte, kDatos);
  EXPECT_EQ(fs::LeeLineas(kListaCortes), lista);
  EXPECT_EQ(Mensajes(), QStringList());
}

// --- Two stations.

namespace {

// Another station: `argumentos[0]` cuts, each at the cut window, closing up
// to the documents 2k + `argumentos[1]`; then the last cut it sees.
RUTINA_HIJA(HaceCortes) {
  static int argc = 1;
  static char nombre[] = "estacion";
  static char* argv[] = {nombre, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ui::Aplicacion aplicacion(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  QString programa;
  CarpetaLocal(programa);
  prueba::AvisaPadre("LISTO");
  prueba::EsperaPadre();
  for (int k = 1; k <= argumentos.value(0).toInt(); ++k) {
    TFormaCorte corte;
    corte.LabelRuta->setText(kDatos);
    corte.LabelDocumento->setText(QString::number(2 * k + argumentos.value(1).toInt()));
    corte.Usuario->setText(argumentos.value(1));
    corte.Panel1->setEnabled(true);
    corte.Show();
    corte.Edit1->setText("0");
    corte.BotonCorteClick();
    corte.Close();
  }
  if (!ui::PuertaModal::Mensajes().isEmpty()) return 2;
  prueba::AvisaPadre(QString::number(UltimoCorte(kDatos)));
  return 0;
}

}  // namespace

RUTINA_HIJA(SostieneNumeracionCortes) {
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla("Cortes.DBF");
  t.Open();
  db::Numeracion numeracion(t);
  prueba::AvisaPadre("LISTO");
  prueba::EsperaPadre();
  return 0;
}

TEST_F(Corte, ConLaNumeracionOcupadaSeDiceYNadaSeEscribe) {
  AgregaCorte(1, 1, 120);
  prueba::ProcesoHijo otra("SostieneNumeracionCortes");
  ASSERT_EQ(otra.EsperaLinea(), "LISTO");
  Abre("0", [&](Pantalla& p) {
    GeneraCorte(p, [&](TFormaCorte& d) {
      prueba::Pulsa(d, "BotonCorte");
      EXPECT_EQ(d.ListaCortes->count(), 0);
      d.Close();
    });
  });
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].contains("Cortes.DBF")) << Mensajes()[0].toStdString();
  EXPECT_EQ(Cortes(), (QList<QStringList>{{"1", "1", "120", "1"}}));
  EXPECT_EQ(fs::LeeLineas(kListaCortes), QStringList());
  otra.Envia("");
  EXPECT_EQ(otra.Espera(), 0);
}

TEST_F(Corte, DosEstacionesNuncaCompartenUnNumeroNiUnDocumento) {
  constexpr int kPorEstacion = 100;
  prueba::ProcesoHijo una("HaceCortes", {QString::number(kPorEstacion), "0"});
  prueba::ProcesoHijo otra("HaceCortes", {QString::number(kPorEstacion), "1"});
  ASSERT_EQ(una.EsperaLinea(), "LISTO");
  ASSERT_EQ(otra.EsperaLinea(), "LISTO");
  una.Envia("");
  otra.Envia("");
  const QString vistaUna = una.EsperaLinea(60000), vistaOtra = otra.EsperaLinea(60000);
  EXPECT_EQ(una.Espera(), 0);
  EXPECT_EQ(otra.Espera(), 0);

  // Numbered 1, 2, 3 ... and each cut starting after the one before.
  const QList<QStringList> cortes = Cortes();
  ASSERT_FALSE(cortes.isEmpty());
  // The highest document of all closes the last cut.
  EXPECT_EQ(cortes.last()[2].toInt(), 2 * kPorEstacion + 1);
  int fin = 0;
  for (int i = 0; i < cortes.size(); ++i) {
    EXPECT_EQ(cortes[i][0].toInt(), i + 1);
    EXPECT_EQ(cortes[i][1].toInt(), fin + 1) << i;
    EXPECT_GT(cortes[i][2].toInt(), fin);
    fin = cortes[i][2].toInt();
  }
  // The station that finished last sees the last cut: the one its next
  // sale belongs to.
  EXPECT_EQ(UltimoCorte(kDatos), cortes.size());
  EXPECT_TRUE(vistaUna == QString::number(cortes.size()) || vistaOtra == QString::number(cortes.size()));
}

// --- Turns.

TEST_F(Corte, CadaTurnoEsDeSuUsuarioYElMarcadoEsElVendedorDeLaVentaNueva) {
  struct Paso {
    const char* item;
    QStringList mensajes;
    QString marcas;  // "01", "02", "SinTurno" marked: "x" or "-"
    QString linea15, linea16;
  };
  struct Caso {
    const char* usuario;
    QList<Paso> pasos;
    const char* vendedor;  // of the next new document
  };
  const Caso casos[] = {
      {"2", {{"N011", {"no es el usuario 1"}, "--x", "N", "N"}, {"N021", {}, "-x-", "N", "02"}}, "02"},
      {"1",
       {{"N011", {}, "x--", "01", "N"},
        {"SinTurno1", {"no es el administrador"}, "x--", "01", "N"},
        {"N011", {}, "---", "N", "N"},
        {"N011", {}, "x--", "01", "N"}},
       "01"},
      {"0", {{"N021", {"no es el usuario 2"}, "--x", "N", "N"}, {"SinTurno1", {}, "---", "N", "N"}}, "2"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.usuario);
    EscribeOpciones();
    Abre(c.usuario, [&](Pantalla& p) {
      p.VendedorCaja = "2";
      for (const Paso& paso : c.pasos) {
        SCOPED_TRACE(paso.item);
        ui::PuertaModal::LimpiaMensajes();
        Comando(p, paso.item);
        EXPECT_EQ(Mensajes(), paso.mensajes);
        QString marcas;
        for (QAction* a : {p.N011, p.N021, p.SinTurno1}) marcas += a->isChecked() ? u'x' : u'-';
        EXPECT_EQ(marcas, paso.marcas);
        const QStringList opciones = fs::LeeLineas(fs::Une(kPrograma, "encabeza.cnf"));
        ASSERT_EQ(opciones.size(), kLineasOpcionesVenta);
        EXPECT_EQ(opciones[14], paso.linea15);
        EXPECT_EQ(opciones[15], paso.linea16);
      }
      QTest::keyClick(&p, Qt::Key_F9);
      EXPECT_EQ(p.TablaFacturae->FieldByName("CLVEN_F").AsString(), c.vendedor);
    });
    // The next screen starts without a turn.
    Abre(c.usuario, [](Pantalla& p) {
      EXPECT_TRUE(p.SinTurno1->isChecked());
      EXPECT_FALSE(p.N011->isChecked() || p.N021->isChecked());
    });
  }
}
