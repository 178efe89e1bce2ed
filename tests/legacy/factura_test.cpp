// The legacy document window as a user meets it: opened from the catalogue
// browser on a document, its capture table claimed beside a sale screen of
// another process, the kind selector, the totals, the status and printing,
// the buffer files and the loading of lines.

#include "factura_prueba.h"

#include "customers/CucobraRemision.h"
#include "foundation/rutinas.h"
#include "platform/fs/Texto.h"
#include "platform/print/Impresora.h"
#include "platform/print/Impresoras.h"
#include "platform/print/Registro.h"
#include "platform/ui/Componentes.h"
#include "pos/EstadoComandos.h"
#include "pos/RegistroCaja.h"
#include "pos/TablaCaptura.h"
#include "reports/ConsCata.h"
#include "salesdocs/BuferVenta.h"
#include "shell/Principa.h"
#include "support/ImpresionPrueba.h"
#include "support/Proceso.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace {

// Another station: the sale screen's claim of the first free station, its
// table held open until the parent says so.
RUTINA_HIJA(OcupaEstacionVenta) {
  EstacionCaptura estacion;
  const int numero = estacion.Reclama(kPrograma);
  db::Tabla deta;
  deta.SetCarpeta(kPrograma);
  deta.SetNombreTabla(estacion.NombreTabla());
  deta.Open();
  prueba::AvisaPadre(QString::number(numero));
  prueba::EsperaPadre();
  return 0;
}

class Factura : public FacturaPrueba {
 protected:
  void SetUp() override {
    FacturaPrueba::SetUp();
    AgregaRemision(5, {{"CONTROL", "50"}, {"NOMBR_F", "OTRO"}});
    AgregaRemision(12, {{"CONTROL", "120"},
                        {"NOMBR_F", "ANA LOPEZ"},
                        {"DIREC_F", "JUAREZ 10"},
                        {"POBLA_F", "PUEBLA"},
                        {"RFCXX_F", "LOAA800101"},
                        {"FEDOC_F", "04/03/2010"},
                        {"IMIM1_F", "0"}});
    AgregaPartida(12, 120, "P1", "2", "10");
    AgregaPartida(12, 99, "VIEJA", "1", "1000");  // left by an older save of the number
    AgregaPartida(12, 120, "P2", "1", "30");
    AgregaPartida(12, 120, "P3", "4", "5");
  }

  static QStringList Claves(db::Tabla& captura) {
    QStringList claves;
    for (captura.First(); !captura.Eof(); captura.Next()) claves << captura.FieldByName("CLAVE").AsString();
    return claves;
  }
};

// --- Reach and display.

TEST_F(Factura, ElNavegadorAbreLaRemisionMaximizadaYLaFacturaDeFormaModal) {
  UneDocumentosFactura();
  std::unique_ptr<ui::Forma> navegador =
      CreaNavegadorCatalogo(CatalogoMenu{"remision.dbf", {"CLDOC_F", "NOMBR_F"}, {"Número", "Nombre"}});
  ui::PuertaModal::Espera("TFormaCatalogo", [](QDialog& d) {
    auto& c = static_cast<TFormaCatalogo&>(d);
    c.Usuario->setText("1");
    c.TablaConsulta->Last();
    prueba::Tecla(c, "DetalleCatalogo", Qt::Key_F2);
  });
  navegador->ShowModal();

  TFormaFactura* f = FormaFactura();
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(f->isVisible());
  EXPECT_TRUE(f->windowState() & Qt::WindowMaximized);
  EXPECT_EQ(f->EditCLDOC_F->text(), "12");
  EXPECT_EQ(f->Nombre->text(), "ANA LOPEZ");
  EXPECT_EQ(f->Direccion->text(), "JUAREZ 10");
  EXPECT_EQ(f->Poblacion->text(), "PUEBLA");
  EXPECT_EQ(f->RFC->text(), "LOAA800101");
  EXPECT_EQ(Claves(*f->TablaDeta), (QStringList{"P1", "P2", "P3"}));
  EXPECT_EQ(f->LabelPartidas->text(), "Partidas  3");
  EXPECT_EQ(f->SumarTotal->text().trimmed(), "70.00");
  EXPECT_EQ(f->TotalFact->text().trimmed(), "70.00");
  EXPECT_EQ(f->Estado->text(), "Activa");
  EXPECT_EQ(f->Impresa->text(), "No Impresa");
  EXPECT_EQ(f->usuario->text(), "1");
  EXPECT_EQ(f->Base->currentText(), "Remisión");
  f->Close();
  delete f;

  // An invoice opens modally, on the invoice tables.
  AgregaFila("FacturaE.dbf", {{"CLDOC_F", "7"}, {"CONTROL", "70"}, {"NOMBR_F", "FERRETERA"}});
  AgregaPartida(7, 70, "P9", "3", "2", {}, "FacturaD.dbf");
  QString visto;
  ui::PuertaModal::Espera("TFormaFactura", [&visto](QDialog& d) {
    auto& factura = static_cast<TFormaFactura&>(d);
    visto = factura.Base->currentText() + "|" + factura.TablaFacturae->NombreTabla() + "|" +
            factura.EditCLDOC_F->text() + "|" + factura.Nombre->text() + "|" + factura.LabelPartidas->text() + "|" +
            QString::number(factura.EstadoFactura.LineaFormato);
    factura.Close();
  });
  ui::PuertaModal::Espera("TFormaCatalogo", [](QDialog& d) {
    auto& c = static_cast<TFormaCatalogo&>(d);
    c.TablaConsulta->First();
    prueba::Tecla(c, "DetalleCatalogo", Qt::Key_F2);
  });
  CreaNavegadorCatalogo(CatalogoMenu{"facturae.dbf", {"CLDOC_F", "NOMBR_F"}, {"Número", "Nombre"}})->ShowModal();
  EXPECT_EQ(visto, "Factura|Facturae.dbf|7|FERRETERA|Partidas  1|14");
  EXPECT_EQ(FormaFactura(), nullptr);
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Factura, EstadoDelDocumentoYMarcaDeImpresion) {
  struct Caso {
    const char *statu, *tregi, *estado, *impresa;
    bool imagen;
  };
  const Caso casos[] = {{"E", "", "En Espera...", "No Impresa", false},
                        {"P", "", "Dev. Parcial", "No Impresa", false},
                        {"G", "I", "Pagada", "Impresa", true},
                        {"C", "I", "Cancelada", "Impresa", true}};
  int numero = 20;
  for (const Caso& c : casos)
    AgregaRemision(numero++, {{"CONTROL", "1"}, {"STATU_F", c.statu}, {"TREGI_F", c.tregi}});
  AbreFactura("1", [&](TFormaFactura& f) {
    int n = 20;
    for (const Caso& c : casos) {
      SCOPED_TRACE(c.statu);
      f.PosicionaFactura(n++);
      EXPECT_EQ(f.Estado->text(), c.estado);
      EXPECT_EQ(f.Impresa->text(), c.impresa);
      EXPECT_EQ(f.ImpresoBitmap->isVisibleTo(&f), c.imagen);
      EXPECT_TRUE(ComandoPermitido(f.Cancelar1));
    }
  });
}

TEST_F(Factura, LaPrimeraActivacionMuestraElUltimoDocumentoEnEstadoDeConsulta) {
  AbreFactura("usuario", [](TFormaFactura& f) {
    // Without a user handed over, Multi.dat's, or "0" when it is missing.
    EXPECT_EQ(f.usuario->text(), "0");
    EXPECT_EQ(f.Tag(), 1);
    EXPECT_EQ(f.EditCLDOC_F->text(), "12");
    EXPECT_EQ(f.EstadoFactura.UltimoFolio, 12);
    // What the phase allows; an item is usable once its command is there.
    EXPECT_TRUE(ComandoPermitido(f.BotonNuevo));
    EXPECT_FALSE(ComandoPermitido(f.BotonGuardar));
    EXPECT_FALSE(ComandoPermitido(f.Guardar1));
    EXPECT_FALSE(ComandoPermitido(f.Pedido1));
    EXPECT_TRUE(ComandoPermitido(f.Factura1));
    EXPECT_TRUE(f.ImprimirDocumento1->isEnabled());
    EXPECT_TRUE(f.Nuevo1->isEnabled());
    EXPECT_FALSE(f.Detalle->isEnabled());
    EXPECT_TRUE(f.EditClave->isReadOnly());
    EXPECT_EQ(f.EstadoCaptura->text(), "Terminada");
    EXPECT_EQ(f.Label18->text(), "F9 NUEVO    F10 GUARDAR   F11 IMPRIMIR    Ctrl+B   BUSCAR");
    // Typing into a header edit does not change the saved document.
    prueba::Teclea(f, "EditCLCLI_F", "99");
    EXPECT_EQ(f.TablaFacturae->State(), db::Dataset::Estado::Navegando);
    f.TablaFacturae->Refresh();
    EXPECT_EQ(f.TablaFacturae->FieldByName("CLCLI_F").AsString(), "");
  });
}

// --- The capture table beside a sale screen.

TEST_F(Factura, ConLaVentaEnOtroProcesoTomaDeta2CopiadaDeDeta) {
  if (db::Tabla::Existe(kPrograma, "deta2.db")) db::Tabla::Borra(kPrograma, "deta2.db");
  {
    prueba::ProcesoHijo venta("OcupaEstacionVenta");
    ASSERT_EQ(venta.EsperaLinea(), "1");
    AbreFactura("1", [](TFormaFactura& f) {
      EXPECT_EQ(f.Estacion().Numero(), 2);
      EXPECT_EQ(f.TablaDeta->NombreTabla(), "deta2.db");
      EXPECT_EQ(f.TablaTotal->NombreTabla(), "deta2.db");
      EXPECT_TRUE(f.TablaDeta->Active());
      EXPECT_TRUE(f.windowTitle().endsWith("           VENTANA 2")) << f.windowTitle().toStdString();
      EXPECT_EQ(f.Panel8->palette().color(QPalette::Window), QColor(Qt::cyan));
      // The lines of the document shown are in its own table.
      EXPECT_EQ(Claves(*f.TablaTotal), (QStringList{"P1", "P2", "P3"}));
    });
    db::Tabla deta, copia;
    for (auto [t, archivo] : {std::pair{&deta, "deta.db"}, std::pair{&copia, "deta2.db"}}) {
      t->SetCarpeta(kPrograma);
      t->SetNombreTabla(archivo);
      t->SetReadOnly(true);
      t->Open();
    }
    EXPECT_EQ(copia.NombresCampos(), deta.NombresCampos());
    venta.Envia("fin");
    EXPECT_EQ(venta.Espera(), 0);
  }
  AbreFactura("1", [](TFormaFactura& f) {
    EXPECT_EQ(f.Estacion().Numero(), 1);
    EXPECT_EQ(f.TablaDeta->NombreTabla(), "deta.db");
    EXPECT_FALSE(f.windowTitle().contains("VENTANA"));
  });
  // Before any sale screen made deta.db, the window makes it as they do.
  db::Tabla::Borra(kPrograma, "deta.db");
  AbreFactura("1", [](TFormaFactura& f) {
    EXPECT_EQ(f.Estacion().Numero(), 1);
    EXPECT_TRUE(f.TablaDeta->Active());
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

// --- The kind selector.

TEST_F(Factura, ElSelectorDeTipoCambiaTablasFormatoYMenuGenerar) {
  AgregaFila("CajaChic.dbf", {{"CLDOC_F", "3"}, {"CONTROL", "30"}, {"NOMBR_F", "PAPELERIA"}});
  AbreFactura("1", [](TFormaFactura& f) {
    f.Base->setCurrentText("Caja Chica");
    f.BaseChange();
    EXPECT_EQ(f.TablaFacturae->NombreTabla(), "CajaChic.dbf");
    EXPECT_EQ(f.TablaFacturaD->NombreTabla(), "CajaChiD.dbf");
    EXPECT_EQ(f.EstadoFactura.LineaFormato, 17);
    for (QAction* a : {f.Pedido1, f.Remisin1, f.Factura1, f.Devolucin1, f.NotadeCrdito1})
      EXPECT_FALSE(ComandoPermitido(a)) << a->objectName().toStdString();
    f.TablaFacturae->Last();
    f.MuestraDocumentoFactura();
    EXPECT_EQ(f.Nombre->text(), "PAPELERIA");

    f.Base->setCurrentText("Devolución");
    f.BaseChange();
    EXPECT_EQ(f.TablaFacturae->NombreTabla(), "CajaChic.dbf");
    EXPECT_EQ(f.EstadoFactura.LineaFormato, 17);

    // Any other text is a remission.
    f.Base->setCurrentText("Otra cosa");
    f.BaseChange();
    EXPECT_EQ(f.Base->currentText(), "Remisión");
    EXPECT_EQ(f.TablaFacturae->NombreTabla(), "Remision.dbf");
    EXPECT_EQ(f.EstadoFactura.LineaFormato, 15);
    EXPECT_TRUE(ComandoPermitido(f.Factura1));
    EXPECT_FALSE(ComandoPermitido(f.Pedido1));
  });
  for (const auto& caso : {std::pair{"0", true}, std::pair{"3", false}}) {
    SCOPED_TRACE(caso.first);
    const bool soloLectura = caso.second;
    AbreFactura(caso.first, [soloLectura](TFormaFactura& f) {
      f.Base->setCurrentText("Remisión");
      f.BaseChange();
      EXPECT_EQ(f.EditCLDOC_F->isReadOnly(), soloLectura);
    });
  }
}

// --- Totals.

TEST_F(Factura, TotalesPorRenglonTasaDelEncabezadoYRedondeo) {
  struct Caso {
    QString incluido, digitos, tasa;
    QList<std::array<QString, 4>> lineas;  // quantity, price, tax %, FPGC
    QString subtotal, impuesto, total;
  };
  const QList<Caso> casos = {
      {"S", "0", "0", {{"1", "116", "16", "0"}}, "100.00", "16.00", "116.00"},
      {"S", "0", "0", {{"1", "116", "16", "10"}}, "101.38", "14.62", "116.00"},
      {"N", "0", "0", {{"1", "100", "10", "0"}}, "100.00", "10.00", "110.00"},
      {"N", "0", "16", {{"1", "100", "10", "0"}}, "100.00", "16.00", "116.00"},
      {"N", "5", "0", {{"1", "12.30", "0", "0"}}, "12.30", "0.00", "12.50"},
      {"N", "5", "0", {{"1", "12.50", "0", "0"}}, "12.50", "0.00", "12.50"},
      {"N", "5", "0", {{"1", "12.60", "0", "0"}}, "12.60", "0.00", "13.00"},
  };
  int numero = 40;
  for (const Caso& c : casos) {
    SCOPED_TRACE((c.incluido + " " + c.digitos + " " + c.tasa + " " + c.lineas[0][1]).toStdString());
    FijaLinea(ConfImpuestosPorPartida, c.incluido);
    FijaLinea(ConfDigitosTotal, c.digitos);
    // Each case the last document, which the window shows first.
    ++numero;
    AgregaRemision(numero, {{"CONTROL", "400"}, {"IMIM1_F", c.tasa}});
    for (const auto& l : c.lineas)
      AgregaPartida(numero, 400, "P1", l[0], l[1], {{"PIVA1_FD", l[2]}, {"FPGCX_FD", l[3]}});
    AbreFactura("1", [&c](TFormaFactura& f) {
      EXPECT_EQ(f.SumarTotal->text().trimmed(), c.subtotal);
      EXPECT_EQ(f.ImpuestoValor->text().trimmed(), c.impuesto);
      EXPECT_EQ(f.TotalFact->text().trimmed(), c.total);
      QString total = c.total;
      total.remove('.');
      EXPECT_EQ(fs::LeeLineas(fs::Une(kPrograma, "total.dat")), QStringList{total});
      // A saved document shown keeps its header as its save wrote it.
      f.TablaFacturae->Refresh();
      EXPECT_TRUE(f.TablaFacturae->FieldByName("IMTOD_F").IsNull());
      EXPECT_TRUE(f.TablaFacturae->FieldByName("SUBTO_F").IsNull());
    });
  }
}

TEST_F(Factura, MostrarDosVecesUnDocumentoSinCambiosNoReescribeSuEncabezado) {
  AbreFactura("1", [](TFormaFactura& f) {
    f.PosicionaFactura(12);
    const QByteArray antes = Bytes(kDatos, "Remision.dbf");
    const int control = f.EstadoFactura.Control;
    f.PosicionaFactura(5);
    f.PosicionaFactura(12);
    EXPECT_EQ(Bytes(kDatos, "Remision.dbf"), antes);
    EXPECT_EQ(f.EstadoFactura.Control, control);
  });
}

// --- Printing.

class ImpresionFactura : public Factura {
 protected:
  void SetUp() override {
    Factura::SetUp();
    FijaLinea(ConfFormatoRemision, "remi.fmt");
    EscribeLineas("C:\\VRL\\consulta\\remi.fmt", {"impresora,laser", "@2,2,nombr_f", "@2,3,cldoc_f"});
    print::FijaImpresorasPrueba({{"laser", "", print::TipoImpresora::Registro, QString(), 600}}, 0);
    print::Impresora::Global().Restablece();
    print::BorraOperacionesGrabadas();
  }
  void TearDown() override {
    print::Impresora::Global().Restablece();
    print::RefrescaImpresoras();
    Factura::TearDown();
  }
  static QString MarcaImpresa(int numero) {
    db::Tabla t;
    t.SetCarpeta(kDatos);
    t.SetNombreTabla("Remision.dbf");
    t.SetIndexName("INUMENC");
    t.Open();
    return t.FindKey({numero}) ? t.FieldByName("TREGI_F").AsString() : QString("?");
  }
};

TEST_F(ImpresionFactura, ImprimirDocumentoImprimeConElFormatoDeLaLinea15YLoMarca) {
  // A register without a format keeps the format of line 15.
  EscribeCaja(CarpetaPrograma(QString()), 1, TRegistroCaja{"01", "V1", ""});
  AbreFactura("1", [](TFormaFactura& f) {
    f.PosicionaFactura(12);
    EXPECT_EQ(f.EstadoFactura.Caja, "01");
    EXPECT_EQ(f.EstadoFactura.VendedorFijo, "V1");
    f.ImprimirDocumento1->trigger();
    EXPECT_EQ(f.Impresa->text(), "Impresa");
    EXPECT_TRUE(f.ImpresoBitmap->isVisibleTo(&f));
  });
  EXPECT_EQ(TrabajosImpresos(), QList<QStringList>{(QStringList{"ANA LOPEZ", "12"})});
  EXPECT_EQ(MarcaImpresa(12), "I");
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ImpresionFactura, SinFormatoSeAvisaYNadaSeMarca) {
  fs::BorraArchivo(fs::Une(kPrograma, "consulta\\remi.fmt"));
  AbreFactura("1", [](TFormaFactura& f) {
    f.PosicionaFactura(12);
    f.ImprimirDocumento1->trigger();
    EXPECT_EQ(f.Impresa->text(), "No Impresa");
    // The grid stays locked after the attempt.
    EXPECT_FALSE(f.Detalle->isEnabled());
  });
  EXPECT_EQ(Mensajes(), QStringList{"El Formato C:\\VRL\\consulta\\remi.fmt No Existe"});
  EXPECT_TRUE(TrabajosImpresos().isEmpty());
  EXPECT_EQ(MarcaImpresa(12), "");
}

// --- Buffer files and lines.

TEST_F(Factura, ElBuferDe423BytesYLasExistenciasQueDevuelveF) {
  AgregaFila("INVENTAR.DBF", {{"CLPRO_I", "P1"}, {"DSCPR_I", "TORNILLO"}, {"EXIST_I", "10"}, {"VANCA_I", "8"},
                              {"VANMO_I", "80"}});
  const auto producto = [] {
    db::Tabla t;
    t.SetCarpeta(kDatos);
    t.SetNombreTabla("INVENTAR.DBF");
    t.Open();
    return QList<double>{t.FieldByName("EXIST_I").AsFloat(), t.FieldByName("VANCA_I").AsFloat(),
                         t.FieldByName("VANMO_I").AsFloat()};
  };
  AbreFactura("1", [&](TFormaFactura& f) {
    f.PosicionaFactura(12);
    f.GuardaDocumentoEnBufer('C');
    EXPECT_EQ(fs::LeeBytes(fs::Une(kPrograma, kArchivoBuferEncabezado)).size(), 423);
    EXPECT_EQ(fs::LeeBytes(fs::Une(kPrograma, kArchivoBuferPartidas)).size(), 3 * kTamanoBuferPartida);
    const TRegistroBuferEncabezado e = LeeArchivoBuferEncabezado();
    EXPECT_EQ(e.Documento, "12");
    EXPECT_EQ(e.Nombre, "ANA LOPEZ");
    EXPECT_EQ(e.Fecha, "04/03/2010");
    EXPECT_EQ(producto(), (QList<double>{10, 8, 80}));

    f.GuardaDocumentoEnBufer('F');
    EXPECT_EQ(producto(), (QList<double>{12, 6, 60}));
    EXPECT_EQ(LeeArchivoBuferPartidas().size(), 3);
  });
}

TEST_F(Factura, UnDocumentoDelBuferSeNumeraTrasElUltimoConSusPartidas) {
  AbreFactura("1", [](TFormaFactura& f) {
    f.PosicionaFactura(12);
    f.GuardaDocumentoEnBufer('C');
    f.EstadoFactura.DocumentoOrigen = "R12";
    f.CargaDocumentoDeBufer('P');
    EXPECT_EQ(f.Base->currentText(), "Pedido");
    EXPECT_EQ(f.TablaFacturae->NombreTabla(), "Pedido.dbf");
    EXPECT_EQ(f.EstadoFactura.LineaFormato, 16);
    EXPECT_EQ(f.TablaFacturae->FieldByName("CLDOC_F").AsString(), "1");
    EXPECT_EQ(f.TablaFacturae->FieldByName("CLPED_F").AsString(), "R12");
    EXPECT_EQ(f.TablaFacturae->FieldByName("CONTROL").AsInteger(), f.EstadoFactura.Control);
    EXPECT_EQ(f.Nombre->text(), "ANA LOPEZ");
    EXPECT_EQ(Claves(*f.TablaTotal), (QStringList{"P1", "P2", "P3"}));
  });
}

TEST_F(Factura, LasPartidasDeCierreOmitenCanceladasYRemisionesFacturadas) {
  AgregaRemision(30, {{"CONTROL", "1"}});
  AgregaPartida(30, 1, "A", "1", "1");
  AgregaPartida(30, 1, "B", "1", "1", {{"TREGI_FD", "C"}});
  AgregaRemision(31, {{"CONTROL", "1"}, {"REMIS_F", "F4"}});
  AgregaPartida(31, 1, "C", "1", "1");
  AgregaRemision(32, {{"CONTROL", "1"}});
  AgregaPartida(32, 1, "D", "1", "1");
  AbreFactura("1", [](TFormaFactura& f) {
    f.CargaPartidasCierre(30, 32);
    EXPECT_EQ(Claves(*f.TablaTotal), (QStringList{"A", "D"}));
  });
  EXPECT_EQ(Mensajes(), QStringList());

  AgregaPartida(32, 1, "E", "1", "1", {{"TREGI_FD", "F"}});
  AbreFactura("1", [](TFormaFactura& f) {
    f.CargaPartidasCierre(30, 32);
    EXPECT_EQ(Claves(*f.TablaTotal), (QStringList{"A", "D"}));
  });
  EXPECT_EQ(Mensajes(), QStringList{"Existe una Factura de Cierre para esta Fecha..."});
}

TEST_F(Factura, CancelarMarcaLasPartidasYElBuferLasRestituyeConSuExistencia) {
  AgregaFila("INVENTAR.DBF", {{"CLPRO_I", "P1"}, {"DSCPR_I", "TORNILLO"}, {"EXIST_I", "10"}});
  AbreFactura("1", [](TFormaFactura& f) {
    f.PosicionaFactura(12);
    f.GuardaDocumentoEnBufer('C');
    f.CancelaPartidasFactura("12");
    QStringList marcas;
    db::Tabla& l = *f.TablaFacturaD;
    l.SetRange({"12"}, {"12"});
    for (l.First(); !l.Eof(); l.Next()) marcas << l.FieldByName("TREGI_FD").AsString();
    l.CancelRange();
    EXPECT_EQ(marcas, QStringList(4, "C"));

    // Only the lines of products that exist come back, their stock taken.
    f.RestauraPartidasDeBufer();
    l.SetRange({"12"}, {"12"});
    QStringList vivas;
    for (l.First(); !l.Eof(); l.Next())
      if (l.FieldByName("TREGI_FD").AsString().isEmpty())
        vivas << l.FieldByName("CLPRO_FD").AsString() + "/" + l.FieldByName("CONTROL").AsString();
    l.CancelRange();
    EXPECT_EQ(vivas, QStringList{"P1/" + QString::number(f.EstadoFactura.Control)});
    f.TablaInventario->Refresh();
    EXPECT_EQ(f.TablaInventario->FieldByName("EXIST_I").AsFloat(), 8);
  });
}

TEST_F(Factura, UnaConversionPorListaTomaLasPartidasVivasDeLosDocumentos) {
  AgregaPartida(5, 50, "Q1", "1", "3");
  AgregaPartida(5, 50, "Q2", "1", "3", {{"TREGI_FD", "C"}});
  AbreFactura("1", [](TFormaFactura& f) {
    f.PosicionaFactura(12);
    EXPECT_EQ(f.ExpandeListaFolios("5-12"), (QList<qint64>{5, 12}));
    f.GuardaDocumentoEnBufer('C');
    f.EstadoFactura.ConversionPorLista = true;
    f.EstadoFactura.ListaOrigen = "5,12";
    f.CargaDocumentoDeBufer('D');
    EXPECT_EQ(f.TablaFacturae->NombreTabla(), "Devoluc.dbf");
    EXPECT_EQ(Claves(*f.TablaTotal), (QStringList{"Q1", "P1", "VIEJA", "P2", "P3"}));
  });
}

TEST_F(Factura, LosPagosDelDiaAnotadosSeAplicanALasRemisiones) {
  EscribeCaja(CarpetaPrograma(QString()), 1, TRegistroCaja{"07", "", ""});
  AbreFactura("1", [](TFormaFactura& f) {
    f.PosicionaFactura(5);
    f.AnotaPagoFactura();
    f.PosicionaFactura(12);
    f.AnotaPagoFactura();
    EXPECT_EQ(fs::LeeLineas(fs::Une(kDatos, "532010.pag")), (QStringList{"5", "07", "12", "07"}));
    f.AplicaPagosFactura();
    EXPECT_EQ(f.TipoPago->currentText(), "Pagada en 07");
  });
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla("Remision.dbf");
  t.SetIndexName("INUMENC");
  t.Open();
  for (const int n : {5, 12}) {
    ASSERT_TRUE(t.FindKey({n}));
    EXPECT_EQ(t.FieldByName("PAGOX_F").AsString(), "Pagada en 07");
    EXPECT_EQ(t.FieldByName("TREGI_F").AsString(), "I");
    EXPECT_EQ(t.FieldByName("BCLIM_F").AsString(), "07");
  }
}

TEST_F(Factura, LasTablasDeGraficasVanALaCarpetaDeCuentasPorCobrar) {
  const QString cxc = "C:\\VRL\\CXC";
  QDir().mkpath(fs::Local(cxc));
  RutaDatosCxC = cxc;
  AbreFactura("1", [](TFormaFactura& f) {
    f.CreaAuxiliarFactura("Remision.dbf", "Devoluc.dbf", "FactAuxi.dbf", QDate(2010, 3, 4), QDate(2010, 3, 4),
                          "INUMENC");
    EXPECT_EQ(f.TablaAuxiliar->Carpeta(), "C:\\VRL\\CXC");
    QStringList numeros;
    for (f.TablaAuxiliar->First(); !f.TablaAuxiliar->Eof(); f.TablaAuxiliar->Next())
      numeros << f.TablaAuxiliar->FieldByName("CLDOC_F").AsString();
    EXPECT_EQ(numeros, QStringList{"12"});
  });
  RutaDatosCxC.clear();
  EXPECT_TRUE(db::Tabla::Existe(cxc, "FactAuxi.dbf"));
  EXPECT_FALSE(db::Tabla::Existe(kDatos, "FactAuxi.dbf"));
}

TEST_F(Factura, LasFasesDeCapturaYConsultaDecidenBotonesYMenus) {
  AbreFactura("1", [](TFormaFactura& f) {
    f.HabilitaBotonesFactura(false, false, true, false, false, false, true);
    EXPECT_TRUE(ComandoPermitido(f.BotonGuardar));
    EXPECT_TRUE(ComandoPermitido(f.CancelaMovimiento1));
    EXPECT_TRUE(ComandoPermitido(f.BotonTerminaVenta));
    EXPECT_FALSE(ComandoPermitido(f.BotonNuevaVenta));
    EXPECT_FALSE(ComandoPermitido(f.Generar1->menuAction()));
    EXPECT_FALSE(f.ImprimirDocumento1->isEnabled());
    EXPECT_FALSE(f.Navegador->isEnabled());
    EXPECT_TRUE(f.EditClave->isEnabled());
    EXPECT_EQ(f.EstadoCaptura->text(), "Capturando...");
    EXPECT_EQ(f.Panel2->palette().color(QPalette::Window), QColor(Qt::red));
    // "Agregar Partida" is offered in no phase.
    EXPECT_TRUE(f.BotonAgregarPartida->isHidden());

    f.HabilitaBotonesFactura(true, true, false, true, true, true, false);
    EXPECT_FALSE(ComandoPermitido(f.BotonGuardar));
    EXPECT_TRUE(ComandoPermitido(f.BotonNuevaVenta));
    EXPECT_TRUE(ComandoPermitido(f.Generar1->menuAction()));
    EXPECT_TRUE(f.ImprimirDocumento1->isEnabled());
    EXPECT_TRUE(f.Navegador->isEnabled());
    EXPECT_FALSE(f.EditClave->isEnabled());
    EXPECT_EQ(f.EstadoCaptura->text(), "Terminada");
    EXPECT_NE(f.Panel2->palette().color(QPalette::Window), QColor(Qt::red));
    EXPECT_TRUE(f.BotonAgregarPartida->isHidden());
  });
}

// --- Closing and the options file.

TEST_F(Factura, AlCerrarConDocumentoEnCursoCancelarLaDejaAbiertaYDescartarLaCierra) {
  AbreFactura("1", [](TFormaFactura& f) {
    ui::SetTag(f.BotonNuevo, 1);
    prueba::RespondeCierre(3);
    f.Close();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(ui::Tag(f.BotonNuevo), 1);
    prueba::RespondeCierre(2);
    f.Close();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(ui::Tag(f.BotonNuevo), 0);
  });
}

TEST_F(Factura, LasOpcionesDeLaVentanaSonLasPrimerasNueveLineasDeEncabezaCnf) {
  EscribeOpciones({{1, "S"}, {4, "Ctrl+F2 (x.fmt)"}, {14, "S"}});
  AbreFactura("1", [](TFormaFactura& f) {
    EXPECT_TRUE(f.SaltarEncabezado1->isChecked());
    EXPECT_FALSE(f.IniciaenClave1->isChecked());
    EXPECT_EQ(f.CtrlF21->text(), "Ctrl+F2 (x.fmt)");
    f.IniciaenClave1->setChecked(true);
    f.GuardaOpcionesFactura();
  });
  const QStringList lineas = fs::LeeLineas(fs::Une(kPrograma, "encabeza.cnf"));
  ASSERT_EQ(lineas.size(), 18);
  EXPECT_EQ(lineas.mid(0, 4), (QStringList{"S", "S", "Ctrl+F1", "Ctrl+F2 (x.fmt)"}));
  // The sale screen's lines stay as they were.
  EXPECT_EQ(lineas[13], "S");

  // Without the file both options are off and the captions as designed;
  // prices still include their taxes when the company says so.
  fs::BorraArchivo(fs::Une(kPrograma, "encabeza.cnf"));
  FijaLinea(ConfImpuestosPorPartida, "S");
  AbreFactura("1", [](TFormaFactura& f) {
    EXPECT_FALSE(f.SaltarEncabezado1->isChecked());
    EXPECT_EQ(f.CtrlF11->text(), "Ctrl+F1");
    EXPECT_TRUE(f.EstadoFactura.ImpuestoIncluido);
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

}  // namespace
