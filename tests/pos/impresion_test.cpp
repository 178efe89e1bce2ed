// Printing a sale as a cashier does it: F11 on the document shown sends its
// ticket (the shipped text format of configuration line 15) to the receipt
// printer as one raw job and marks it printed; a reprint or a cancelled
// document asks for a user with the reprint right; the preview, a range of
// documents, the format picker, the save with "Guardar e Imprimir con F10"
// and paying at the register.

#include "foundation/ArchivosPrograma.h"
#include "platform/fs/Texto.h"
#include "platform/print/Impresora.h"
#include "platform/print/Impresoras.h"
#include "platform/print/Registro.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "support/Proceso.h"
#include "captura_prueba.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace {

using Pantalla = TFormaCapturaRapida;

const QString kTicket = QStringLiteral("C:\\VRL\\consulta\\ticket.fmt");

// The users of VentaPrueba and 4 "sinreimp", who may not reprint.
class Impresion : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    QString todos(kNumeroDerechos, u's');
    QString sinReimprimir = todos;
    sinReimprimir[DerechoReimprimir - 1] = u'n';
    QString libre = todos;
    libre[DerechoLimitarVendedor - 1] = u'n';
    EscribeUsuarios({{"adm", todos}, {"caja", todos}, {"otra", libre}, {"bodega", libre}, {"sinreimp", sinReimprimir}});
    FijaLinea(ConfFormatoRemision, "ticket.fmt");
    InstalaArchivosPrograma();
    cola_ = raiz() + "/cola";
    qputenv("VORLAN_RAW_SPOOL", QFile::encodeName(cola_));
    print::FijaImpresorasPrueba({{"tickets", "Tickets", print::TipoImpresora::Cola, QString(), 203}}, 0);
    print::Impresora::Global().Restablece();
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "1"}, {"NOMBR_C", "MOSTRADOR"}});
    AgregaRemision(4, {{"CONTROL", "40"}, {"NOMBR_F", "ANA LOPEZ"}, {"FEDOC_F", "04/03/2010"}, {"IMTOD_F", "10"}});
    AgregaLinea(4, 40, "P9", "BROCA", "1", "10");
    AgregaRemision(6, {{"CONTROL", "60"}, {"NOMBR_F", "JUAN PEREZ"}, {"FEDOC_F", "05/03/2010"}, {"IMTOD_F", "87.5"},
                       {"PAGOX_F", "Efectivo"}});
    AgregaLinea(6, 60, "P1", "TORNILLO", "2", "12.5");
    AgregaLinea(6, 60, "P2", "TUERCA", "5", "12.5");
  }
  void TearDown() override {
    qunsetenv("VORLAN_RAW_SPOOL");
    print::RefrescaImpresoras();
    print::Impresora::Global().Restablece();
    VentaPrueba::TearDown();
  }

  static void AgregaLinea(int numero, int control, const QString& clave, const QString& descripcion,
                          const QString& cantidad, const QString& precio) {
    AgregaFila("RemisioD.dbf", {{"CLDOC_FD", QString::number(numero)},
                                {"CONTROL", QString::number(control)},
                                {"CLPRO_FD", clave},
                                {"DEPRO_FD", descripcion},
                                {"CANTI_FD", cantidad},
                                {"PUNPR_FD", precio}});
  }

  // The jobs that reached the receipt printer, each as its text lines.
  QList<QStringList> Trabajos() const {
    QList<QStringList> r;
    const QDir dir(cola_);
    for (const QString& nombre : dir.entryList(QDir::Files, QDir::Name)) {
      QFile f(dir.filePath(nombre));
      if (!f.open(QIODevice::ReadOnly)) continue;
      QStringList lineas = fs::DeCp1252(f.readAll()).split(QStringLiteral("\r\n"));
      if (!lineas.isEmpty() && lineas.last().isEmpty()) lineas.removeLast();
      r << lineas;
    }
    return r;
  }

  static QString Marca(int numero) {
    auto t = AbreEn(kDatos, "Remision.dbf", "INUMENC");
    return t->FindKey({numero}) ? t->FieldByName("TREGI_F").AsString() : QStringLiteral("sin remisión");
  }

  // The administrator prompt answered with a password.
  static void Clave(const QString& clave) {
    ui::PuertaModal::Espera("TFormaAdministrador", [clave](QDialog& d) {
      prueba::Teclea(d, "Clave", clave);
      prueba::Pulsa(d, "BitBtn1");
    });
  }

  static void F11(Pantalla& p) {
    p.Detalle->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F11);
  }

  QString cola_;
};

const QStringList kTicketSeis = {"NOTA DE REMISION",
                                 "Remision 6",
                                 "Fecha 05/03/2010",
                                 "Cliente JUAN PEREZ",
                                 "----------------------------------------",
                                 "2 x TORNILLO  $         25.00",
                                 "5 x TUERCA  $         62.50",
                                 "----------------------------------------",
                                 "TOTAL $         87.50",
                                 "Pago Efectivo",
                                 "",
                                 "GRACIAS POR SU COMPRA",
                                 ""};

}  // namespace

TEST_F(Impresion, F11ImprimeElTicketYLoMarcaLaReimpresionPideElDerecho53) {
  Abre("2", [this](Pantalla& p) {
    ASSERT_EQ(p.EditCLDOC_F->text(), "6");
    EXPECT_EQ(p.Impresa->text(), "No Impresa");
    F11(p);
    EXPECT_EQ(Trabajos(), QList<QStringList>{kTicketSeis});
    EXPECT_EQ(p.Impresa->text(), "Impresa PAGADA");
    EXPECT_TRUE(p.ImpresoBitmap->isVisible());
    EXPECT_EQ(Mensajes(), QStringList());

    // Again: a user without right 53 prints nothing; one with it prints.
    Clave("sinreimp");
    F11(p);
    EXPECT_EQ(Trabajos().size(), 1);
    EXPECT_EQ(Mensajes(), QStringList{kSinAcceso});
    ui::PuertaModal::LimpiaMensajes();
    // "Cancelar" in the prompt gives up without a word.
    ui::PuertaModal::Espera("TFormaAdministrador", [](QDialog& d) { prueba::Pulsa(d, "BitBtn2"); });
    F11(p);
    EXPECT_EQ(Trabajos().size(), 1);
    Clave("caja");
    p.Imprimir1->trigger();
    EXPECT_EQ(Trabajos().size(), 2);
    EXPECT_EQ(Trabajos().last(), kTicketSeis);
    EXPECT_EQ(Mensajes(), QStringList());
    EXPECT_EQ(ui::PuertaModal::Pendientes(), 0);
  });
  EXPECT_EQ(Marca(6), "I");
  EXPECT_EQ(Marca(4), "");
}

TEST_F(Impresion, CanceladaPideClaveVistaPreviaCapturaYFormatoFaltante) {
  AgregaRemision(7, {{"CONTROL", "70"}, {"NOMBR_F", "CANCELADA"}, {"STATU_F", "C"}});
  Abre("2", [this](Pantalla& p) {
    // A cancelled document asks even on its first print.
    Clave("sinreimp");
    F11(p);
    EXPECT_EQ(Trabajos().size(), 0);
    EXPECT_EQ(Mensajes(), QStringList{kSinAcceso});
    ui::PuertaModal::LimpiaMensajes();
    Clave("adm");
    F11(p);
    EXPECT_EQ(Trabajos().size(), 1);
    EXPECT_EQ(Trabajos().value(0).value(3), "Cliente CANCELADA");

    // "Imprimir en Archivo": F11 shows the preview of the ticket and marks
    // nothing.
    QTest::keyClick(&p, Qt::Key_A, Qt::ControlModifier);
    ASSERT_EQ(p.EditCLDOC_F->text(), "6");
    p.ImprimirenArchivo1->trigger();
    EXPECT_TRUE(p.ImprimirenArchivo1->isChecked());
    bool vista = false;
    ui::PuertaModal::Espera("TFormaEdicion", [&](QDialog& d) {
      vista = true;
      EXPECT_EQ(d.findChild<QWidget*>("Hoja")->property("Tag").toInt(), 0);
    });
    F11(p);
    EXPECT_TRUE(vista);
    EXPECT_EQ(Trabajos().size(), 1);
    EXPECT_EQ(p.Impresa->text(), "No Impresa");
    p.ImprimirenArchivo1->trigger();
    EXPECT_FALSE(p.ImprimirenArchivo1->isChecked());

    // "Preliminar" previews without asking for any right.
    vista = false;
    ui::PuertaModal::Espera("TFormaEdicion", [&](QDialog&) { vista = true; });
    p.Preliminar1->trigger();
    EXPECT_TRUE(vista);

    // During a capture nothing prints.
    QTest::keyClick(&p, Qt::Key_F9);
    ASSERT_FALSE(p.BotonNuevo->isEnabled());
    p.ImprimirDocumento1->setEnabled(true);
    p.ImprimirDocumento1->trigger();
    EXPECT_EQ(Mensajes(), QStringList{"Para Imprimir tiene que Guardar el Documento..."});
    EXPECT_EQ(Trabajos().size(), 1);
  });
  EXPECT_EQ(Marca(7), "I");
  EXPECT_EQ(Marca(6), "");

  // A format that is not there: told, nothing printed or marked.
  fs::BorraArchivo(kTicket);
  ui::PuertaModal::LimpiaMensajes();
  Abre("2", [this](Pantalla& p) {
    QTest::keyClick(&p, Qt::Key_A, Qt::ControlModifier);
    ASSERT_EQ(p.EditCLDOC_F->text(), "6");
    F11(p);
    EXPECT_EQ(Mensajes(), QStringList{"El Formato " + kTicket + " No Existe"});
    EXPECT_EQ(p.Impresa->text(), "No Impresa");
  });
  EXPECT_EQ(Trabajos().size(), 1);
  EXPECT_EQ(Marca(7), "I");
  EXPECT_EQ(Marca(6), "");
}

TEST_F(Impresion, UnRangoImprimeCadaNumeroUnaVezSinMarcarloYElegirFormatoConservaElAnterior) {
  Abre("2", [this](Pantalla& p) {
    // Cancelled: nothing.
    ui::PuertaModal::Espera("TDialogoImprimir", [](QDialog& d) { prueba::Pulsa(d, "BitBtn2"); });
    p.ImprimirRangodeDocumentos1->trigger();
    EXPECT_EQ(Trabajos().size(), 0);

    // From 0 to the number shown: 4 and 6, the gap 5 skipped.
    ui::PuertaModal::Espera("TDialogoImprimir", [](QDialog& d) {
      EXPECT_EQ(prueba::Texto(d, "PrimeraPagina"), "0");
      EXPECT_EQ(prueba::Texto(d, "UltimaPagina"), "6");
      prueba::Pulsa(d, "BitBtn1");
    });
    p.ImprimirRangodeDocumentos1->trigger();
    const QList<QStringList> trabajos = Trabajos();
    ASSERT_EQ(trabajos.size(), 2);
    EXPECT_EQ(trabajos[0].value(1), "Remision 4");
    EXPECT_EQ(trabajos[0].value(5).trimmed(), "1 x BROCA  $         10.00");
    EXPECT_EQ(trabajos[1], kTicketSeis);
    EXPECT_EQ(p.EditCLDOC_F->text(), "6");

    // A format path that names no file keeps the format in force.
    ui::PuertaModal::Espera("TFormaFormatos", [](QDialog& d) {
      auto* rutas = d.findChild<QLineEdit*>("Rutas");
      rutas->setText("C:\\VRL\\consulta\\noexiste.fmt");
      prueba::Pulsa(d, "BotonEdicion");
    });
    p.findChild<QAction*>("Elegirformato1")->trigger();
    EXPECT_EQ(Mensajes(), QStringList{"El Formato C:\\VRL\\consulta\\noexiste.fmt No Existe"});
    EXPECT_EQ(p.FormatoTicket.toLower(), kTicket.toLower());
  });
  EXPECT_EQ(Marca(4), "");
  EXPECT_EQ(Marca(6), "");
}

// Another station: the sale screen of user 2 shows its last document and
// prints it when the parent says so; it answers the print mark shown.
RUTINA_HIJA(ImprimeEnOtraCaja) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char nombre[] = "estacion";
  static char* argv[] = {nombre, nullptr};
  ui::Aplicacion aplicacion(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  print::FijaImpresorasPrueba({{"tickets", "Tickets", print::TipoImpresora::Cola, QString(), 203}}, 0);
  TFormaCapturaRapida p;
  p.usuario->setText("2");
  p.Show();
  p.DisparaActivacion();
  prueba::AvisaPadre(p.EditCLDOC_F->text());
  prueba::EsperaPadre();
  p.ImprimirDocumento1->trigger();
  prueba::AvisaPadre(p.Impresa->text() + "|" + ui::PuertaModal::Mensajes().join(u'|'));
  prueba::EsperaPadre();
  return 0;
}

TEST_F(Impresion, UnDocumentoImpresoEnOtraCajaPideAquiLaAutorizacion) {
  Abre("2", [this](Pantalla& p) {
    ASSERT_EQ(p.EditCLDOC_F->text(), "6");
    EXPECT_EQ(p.Impresa->text(), "No Impresa");
    prueba::ProcesoHijo otra("ImprimeEnOtraCaja");
    ASSERT_EQ(otra.EsperaLinea(), "6");
    otra.Envia("");
    EXPECT_EQ(otra.EsperaLinea(), "Impresa PAGADA|");
    otra.Envia("");
    EXPECT_EQ(otra.Espera(), 0);
    EXPECT_EQ(Trabajos().size(), 1);
    // Printed here without showing it again: its mark is read from the
    // file, so the approval is asked.
    int preguntas = 0;
    const auto sinDerecho = [&](QDialog& d) {
      ++preguntas;
      prueba::Teclea(d, "Clave", "sinreimp");
      prueba::Pulsa(d, "BitBtn1");
    };
    ui::PuertaModal::Espera("TFormaAdministrador", sinDerecho);
    F11(p);
    EXPECT_EQ(preguntas, 1);
    // Shown again, it reads as printed and asks again.
    QTest::keyClick(&p, Qt::Key_End);
    EXPECT_EQ(p.Impresa->text(), "Impresa PAGADA");
    ui::PuertaModal::Espera("TFormaAdministrador", sinDerecho);
    F11(p);
    EXPECT_EQ(preguntas, 2);
    EXPECT_EQ(Trabajos().size(), 1);
  });
}

TEST_F(Impresion, ImprimePlantillaMandaLaImagenDeLaPantallaALaImpresora) {
  print::FijaImpresorasPrueba({{"laser", "Laser", print::TipoImpresora::Registro, QString(), 600}}, 0);
  print::Impresora::Global().Restablece();
  print::BorraOperacionesGrabadas();
  Abre("2", [](Pantalla& p) { p.findChild<QAction*>("ImprimePlantilla1")->trigger(); });
  QStringList operaciones;
  for (const print::Operacion& o : print::OperacionesGrabadas()) {
    if (o.tipo == print::Operacion::Tipo::Comienza) operaciones << "Comienza " + o.texto;
    if (o.tipo == print::Operacion::Tipo::Imagen) operaciones << (o.imagen.isEmpty() ? "sin imagen" : "Imagen");
    if (o.tipo == print::Operacion::Tipo::Termina) operaciones << "Termina";
  }
  EXPECT_EQ(operaciones.size(), 3);
  EXPECT_TRUE(operaciones.value(0).startsWith("Comienza Punto de Venta CAPTURA RAPIDA")) << operaciones.value(0).toStdString();
  EXPECT_EQ(operaciones.mid(1), (QStringList{"Imagen", "Termina"}));
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Impresion, GuardarEImprimirConF10YPagarEnCajaImprimen) {
  AgregaRemision(8, {{"CONTROL", "80"}, {"NOMBR_F", "SIN PAGO"}});
  EscribeLineas(fs::Une(kDatos, "pagos.cnf"), {"Efectivo", "Tarjeta"});
  Abre("2", [this](Pantalla& p) {
    QTest::keyClick(&p, Qt::Key_End);
    ASSERT_EQ(p.EditCLDOC_F->text(), "8");
    // Paid at the register: the type chosen, then the ticket.
    ui::PuertaModal::Espera("TFormaTipoPago", [](QDialog& d) {
      prueba::Tecla(d, "ListaPagos", Qt::Key_Down);
      prueba::Tecla(d, "ListaPagos", Qt::Key_Return);
    });
    p.ImprimiryAsignarCaja1->trigger();
    ASSERT_EQ(Trabajos().size(), 1);
    EXPECT_EQ(Trabajos().value(0).value(3), "Cliente SIN PAGO");
    EXPECT_TRUE(Trabajos().value(0).contains("Pago Tarjeta"));
  });
  EXPECT_EQ(Marca(8), "I");
  EXPECT_EQ(Mensajes(), QStringList());

  // With "Guardar e Imprimir con F10" the sale saved is printed at once.
  EscribeOpciones({{10, "S"}});
  TRegistroProducto clavo;
  clavo.CLPRO_I = "P5";
  clavo.DSCPR_I = "CLAVO";
  clavo.PPUBL_I = Dinero(2);
  clavo.UMEDI_I = "pza";
  clavo.EXIST_I = 100;
  AgregaProducto(clavo);
  Abre("2", [this](Pantalla& p) {
    ASSERT_TRUE(p.GuardareImprimirconF101->isChecked());
    QTest::keyClick(&p, Qt::Key_F9);
    prueba::Tecla(p, "EditCantidad", Qt::Key_F4);
    for (const char* tecla : {"3", "\r", "P5", "\r"}) {
      if (QString(tecla) == "\r") QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      else QTest::keyClicks(QApplication::focusWidget(), tecla);
    }
    QTest::keyClick(&p, Qt::Key_F10);
    ASSERT_EQ(p.EstadoCaptura->text(), "Terminada");
    const QList<QStringList> trabajos = Trabajos();
    ASSERT_EQ(trabajos.size(), 2);
    EXPECT_EQ(trabajos[1].value(1), "Remision " + p.EditCLDOC_F->text());
    EXPECT_EQ(trabajos[1].value(5), "3 x CLAVO  $          6.00");
    EXPECT_EQ(p.Impresa->text(), "Impresa PAGADA");
    EXPECT_EQ(p.TablaFacturae->FieldByName("TREGI_F").AsString(), "I");
    EXPECT_EQ(p.TablaFacturae->FieldByName("NOMBR_F").AsString(), "MOSTRADOR");
  });
  EXPECT_EQ(Mensajes(), QStringList());
}
