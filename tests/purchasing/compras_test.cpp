// The purchase window driven as a buyer drives it: from the main menu, the
// last receipt with its lines and totals, a new document in the program
// folder's own header table, leaving it, the close question, moving between
// documents and searching; and the purchase routines the window rests on:
// totals to the cent, the final number between two stations, the folio
// file, the lines from stock limits and the cost formula.

#include "app/Vorlan.h"
#include "compras_prueba.h"
#include "platform/db/Tabla.h"
#include "foundation/buscar.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Colores.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/RejillaDatos.h"
#include "formats/ImporteLetra.h"
#include "purchasing/Compras.h"
#include "purchasing/DescuentoCompra.h"
#include "purchasing/DesglosaTotal.h"
#include "purchasing/PoliticaCompras.h"
#include "foundation/rutinas_fecha.h"
#include "inventory/RegistroProducto.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaTexto.h"
#include "purchasing/DocumentosCompra.h"
#include "shell/Principa.h"
#include "support/Maneja.h"
#include "support/Proceso.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <QToolButton>

namespace {

using prueba::Tecla;
using prueba::Teclea;

const QStringList kMensajesVacios;

class Compras : public ComprasPrueba {
 protected:
  void SetUp() override {
    ComprasPrueba::SetUp();
    const QByteArray usuarios = ArchivoUsuarios({{"adm", DerechosSin({})},
                                                 {"sin5", DerechosSin({DerechoCompras})},
                                                 {"sin23", DerechosSin({DerechoAltaCompras})}});
    EscribeBytes(fs::Une(kDatos, "usuarios.def"), usuarios);
    EscribeBytes(fs::Une(kPrograma, "usuarios.def"), usuarios);
    ui::PuertaModal::LimpiaMensajes();
  }

  void TearDown() override {
    compras_.reset();
    ComprasPrueba::TearDown();
  }

  struct Linea {
    QString clave;
    double cantidad, precio, impuesto;
  };

  // A saved receipt: its header and its lines, written with its control.
  static void AgregaCompra(const QString& archivo, const QString& detalle, qint64 numero, int control,
                           const QString& proveedor, double total, double saldo, const QList<Linea>& lineas,
                           const QString& referencia = {}, double tasa = 0) {
    auto e = Abre(archivo);
    e->Append();
    e->FieldByName("CLDOC_O").SetAsInteger(numero);
    e->FieldByName("CONTROL").SetAsInteger(control);
    e->FieldByName("CLPRV_O").SetAsString(proveedor);
    e->FieldByName("NOMBR_O").SetAsString("PROVEEDOR " + proveedor);
    e->FieldByName("IMDOC_O").SetAsFloat(total);
    e->FieldByName("SUBTO_O").SetAsFloat(total);
    e->FieldByName("SALDO_O").SetAsFloat(saldo);
    e->FieldByName("TIMPU_O").SetAsFloat(tasa);
    e->FieldByName("REFER_O").SetAsString(referencia);
    e->FieldByName("proceso").SetAsString("G");
    e->Post();
    auto d = Abre(detalle);
    for (const Linea& l : lineas) {
      d->Append();
      d->FieldByName("CLDOC_OD").SetAsString(QString::number(numero));
      d->FieldByName("CONTROL").SetAsInteger(control);
      d->FieldByName("CLPRO_OD").SetAsString(l.clave);
      d->FieldByName("CANTI_OD").SetAsFloat(l.cantidad);
      d->FieldByName("CUNIT_OD").SetAsFloat(l.precio);
      d->FieldByName("POIVA_OD").SetAsFloat(l.impuesto);
      d->Post();
    }
  }
  static void AgregaRecepcion(qint64 numero, int control, const QString& proveedor, double total, double saldo,
                              const QList<Linea>& lineas, const QString& referencia = {}, double tasa = 0) {
    AgregaCompra("ComprasE.dbf", "ComprasD.dbf", numero, control, proveedor, total, saldo, lineas, referencia, tasa);
  }

  static QStringList Columna(const QString& carpeta, const QString& archivo, const QString& campo) {
    db::Tabla t;
    t.SetCarpeta(carpeta);
    t.SetNombreTabla(archivo);
    t.Open();
    QStringList valores;
    for (t.First(); !t.Eof(); t.Next()) valores << t.FieldByName(campo).AsString();
    return valores;
  }

  static QStringList Claves(const TFormaCompras& v) {
    QStringList claves;
    db::Tabla& c = *v.TablaDeta;
    for (c.First(); !c.Eof(); c.Next()) claves << c.FieldByName("CLAVE").AsString();
    return claves;
  }

  static QColor Marco(const TFormaCompras& v) { return v.Panel2->palette().color(QPalette::Window); }
  static QColor Color(ui::TColor c) { return ui::ColorQt(c, QPalette()); }

  static bool Navegando(const TFormaCompras& v) {
    return !v.Caja->isEnabled() && !v.BotonGuardar->isEnabled() && v.BotonNuevo->isEnabled() &&
           v.BotonCambios->isEnabled() && v.Navegador->isEnabled() && v.TipoDocumento->isEnabled() &&
           Marco(v) == Color(ui::clSilver) && ui::Tag(v.BotonNuevo) == 0 && ui::Tag(v.BotonCambios) == 0;
  }

  // The purchase window as the main menu leaves it for `usuario`.
  TFormaCompras& Ventana(const QString& usuario = "0") {
    if (!compras_) compras_ = std::make_unique<TFormaCompras>();
    compras_->Usuario->setText(usuario);
    compras_->Show();
    QApplication::setActiveWindow(compras_.get());
    compras_->DisparaActivacion();
    return *compras_;
  }

  std::unique_ptr<TFormaCompras> compras_;
};

TEST_F(Compras, DesdeElMenuConElDerecho5MuestraLaUltimaRecepcionConSusPartidas) {
  AgregaRecepcion(1, 100, "P1", 50, 0, {{"A", 1, 50, 16}});
  AgregaRecepcion(2, 200, "P2", 1234.5, 1234.5, {{"B", 2, 10, 16}, {"C", 1, 5.5, 16}}, {}, 16);
  // A line of the same number left by an older save: not the document's.
  AgregaCompra("ComprasE.dbf", "ComprasD.dbf", 0, 0, "", 0, 0, {});
  {
    auto e = Abre("ComprasE.dbf");
    e->Last();
    e->Delete();
  }
  auto d = Abre("ComprasD.dbf");
  d->Append();
  d->FieldByName("CLDOC_OD").SetAsString("2");
  d->FieldByName("CONTROL").SetAsInteger(199);
  d->FieldByName("CLPRO_OD").SetAsString("VIEJA");
  d->Post();
  d.reset();

  ProgramaVorlan programa;
  programa.Inicia();
  TFormaPrincipal& principal = *FormaPrincipal();
  principal.Show();
  ui::PuertaModal::Espera("TFormaEmpresas", [](QDialog& dlg) {
    Teclea(dlg, "Clave", "sin5");
    Tecla(dlg, "Clave", Qt::Key_Return);
  });
  principal.DisparaActivacion();
  ASSERT_EQ(principal.Usuario->text(), "1");
  ui::PuertaModal::LimpiaMensajes();

  QAction* item = principal.Item("Compras1");
  ASSERT_TRUE(item->isEnabled());
  item->trigger();
  EXPECT_EQ(Mensajes(), QStringList{kSinAcceso});
  ASSERT_TRUE(FormaCompras());
  EXPECT_FALSE(FormaCompras()->isVisible());

  ui::PuertaModal::LimpiaMensajes();
  principal.Usuario->setText("0");
  principal.BotonCompra->click();
  TFormaCompras& v = *FormaCompras();
  ASSERT_TRUE(v.isVisible());
  v.DisparaActivacion();
  EXPECT_TRUE(v.windowState() & Qt::WindowMaximized);
  EXPECT_EQ(Mensajes(), kMensajesVacios);
  EXPECT_EQ(v.Tag(), 1);
  EXPECT_TRUE(v.BotonPagos->isHidden());
  EXPECT_TRUE(Navegando(v));
  EXPECT_EQ(v.EditCLDOC_O->text(), "2");
  EXPECT_EQ(v.Nombre->text(), "PROVEEDOR P2");
  EXPECT_EQ(Claves(v), (QStringList{"B", "C"}));
  EXPECT_EQ(v.EtiSubtotal->text().trimmed(), "$         25.50");
  EXPECT_EQ(v.EtiImpuesto->text().trimmed(), "$          4.08");
  EXPECT_EQ(v.EtiTotal->text().trimmed(), "$         29.58");
  EXPECT_EQ(v.LabelSaldo->text(), "Saldo 1,234.50");
  EXPECT_EQ(v.Estado->text(), "Activa");
  v.Close();
}

// Another copy of the program on the same program folder.
RUTINA_HIJA(AbreCompras) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char nombre[] = "copia";
  char* argv[] = {nombre, nullptr};
  ui::Aplicacion app(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  TFormaCompras v;
  v.Usuario->setText("0");
  v.Show();
  QApplication::setActiveWindow(&v);
  if (v.isVisible()) v.DisparaActivacion();
  prueba::AvisaPadre(ui::PuertaModal::Mensajes().join("|") + "#" + QString::number(v.Tag()) + "#" +
                     (v.TablaDeta->Active() ? "abierta" : "cerrada") + "#" + (v.isVisible() ? "visible" : "oculta"));
  return 0;
}

TEST_F(Compras, UnaSegundaCopiaDelProgramaNoTomaLaTablaDeCaptura) {
  AgregaRecepcion(1, 100, "P1", 50, 0, {{"A", 1, 50, 16}});
  TFormaCompras& v = Ventana();
  ASSERT_EQ(v.Tag(), 1);
  prueba::ProcesoHijo copia("AbreCompras");
  EXPECT_EQ(copia.EsperaLinea(), kComprasEnOtraCopia + "#0#cerrada#oculta");
  EXPECT_EQ(copia.Espera(), 0);
  // Once this one is gone, another copy may open purchases.
  compras_.reset();
  prueba::ProcesoHijo otra("AbreCompras");
  EXPECT_EQ(otra.EsperaLinea(), "#1#abierta#visible");
  EXPECT_EQ(otra.Espera(), 0);
}

TEST_F(Compras, NuevoEmpiezaEnLaTablaPropiaConElUltimoMasUno) {
  AgregaRecepcion(7, 100, "P1", 50, 0, {{"A", 1, 50, 16}});
  AgregaRecepcion(9, 200, "P2", 20, 0, {{"B", 2, 10, 16}});
  const QByteArray compartida = fs::LeeBytes(fs::Une(kDatos, "ComprasE.dbf"));

  // Without right 23 only the refusal.
  {
    TFormaCompras& v = Ventana("2");
    v.Nuevo1->trigger();
    EXPECT_EQ(Mensajes(), QStringList{kSinAcceso});
    EXPECT_TRUE(Navegando(v));
    EXPECT_EQ(v.TablaComprasE->Carpeta(), kDatos);
    EXPECT_EQ(Claves(v), QStringList{"B"});
    compras_.reset();
  }

  ui::PuertaModal::LimpiaMensajes();
  TFormaCompras& v = Ventana();
  v.Nuevo1->trigger();
  EXPECT_EQ(Mensajes(), kMensajesVacios);
  EXPECT_EQ(v.Estado->text(), "Nueva");
  EXPECT_EQ(Marco(v), Color(ui::clRed));
  EXPECT_TRUE(v.Caja->isEnabled());
  EXPECT_EQ(ui::Tag(v.BotonNuevo), 1);
  for (QToolButton* b : {v.BotonGuardar}) EXPECT_TRUE(b->isEnabled());
  EXPECT_TRUE(v.CancelaMovimiento1->isEnabled());
  for (QToolButton* b : {v.BotonNuevo, v.BotonCambios, v.BotonBuscar, v.BotonImprimir})
    EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
  EXPECT_FALSE(v.Navegador->isEnabled());
  EXPECT_FALSE(v.TipoDocumento->isEnabled());
  EXPECT_EQ(v.TablaComprasE->NombreTabla(), "ComprasE1.dbf");
  EXPECT_EQ(v.EditCLDOC_O->text(), "10");
  EXPECT_EQ(Claves(v), QStringList());
  // Empty edits show "0" after the totals.
  EXPECT_EQ(v.EditDTOTA_O->text(), "0");
  EXPECT_EQ(v.EditDFINT_O->text(), "0");
  EXPECT_EQ(v.EtiTotal->text().trimmed(), "$          0.00");
  v.TablaComprasE->Post();
  EXPECT_EQ(Columna(kPrograma, "ComprasE1.dbf", "CLDOC_O"), QStringList{"10"});
  EXPECT_EQ(Columna(kPrograma, "ComprasE1.dbf", "proceso"), QStringList{"N"});
  EXPECT_EQ(fs::LeeBytes(fs::Une(kDatos, "ComprasE.dbf")), compartida);

  // "Cancela Movimiento": the shared table's last receipt again.
  v.CancelaMovimiento1->trigger();
  EXPECT_TRUE(Navegando(v));
  EXPECT_EQ(v.TablaComprasE->Carpeta(), kDatos);
  EXPECT_EQ(v.TablaComprasE->NombreTabla(), "ComprasE.dbf");
  EXPECT_EQ(v.EditCLDOC_O->text(), "9");
  EXPECT_EQ(Claves(v), QStringList{"B"});

  // The close question: 3 keeps the window and the document, 2 goes back
  // to browsing and closes.
  v.Nuevo1->trigger();
  prueba::RespondeCierre(3);
  v.Close();
  EXPECT_TRUE(v.isVisible());
  EXPECT_EQ(ui::Tag(v.BotonNuevo), 1);
  EXPECT_EQ(v.TablaComprasE->NombreTabla(), "ComprasE1.dbf");
  prueba::RespondeCierre(2);
  v.Close();
  EXPECT_FALSE(v.isVisible());
  EXPECT_TRUE(Navegando(v));
  EXPECT_EQ(v.EditCLDOC_O->text(), "9");
  EXPECT_EQ(fs::LeeBytes(fs::Une(kDatos, "ComprasE.dbf")), compartida);
}

TEST_F(Compras, LaVentanaMuestraLosTotalesConDescuentoComercialYFinanciero) {
  AgregaRecepcion(1, 10, "P1", 102.31, 102.31, {{"A", 1, 100, 16}}, {}, 16);
  {
    auto e = Abre("ComprasE.dbf");
    e->First();
    e->Edit();
    e->FieldByName("DTOTA_O").SetAsFloat(10);
    e->FieldByName("DFINT_O").SetAsFloat(2);
    e->Post();
  }
  TFormaCompras& v = Ventana();
  EXPECT_EQ(v.EtiSubtotal->text().trimmed(), "$         97.91");
  EXPECT_EQ(v.EtiImpuesto->text().trimmed(), "$         14.40");
  EXPECT_EQ(v.EtiTotal->text().trimmed(), "$        102.31");
  EXPECT_EQ(v.Totales.DescuentoDocumentoCompra.Texto(), "10");
  EXPECT_EQ(v.Totales.DescuentoFinancieroCompra.Texto(), "-2.09");
}

TEST_F(Compras, ElArregloDeColumnasYLosTiposDeDocumento) {
  // A layout group renames and widens a column; one whose column does not
  // exist stops there with its error.
  EscribeLineas(fs::Une(kPrograma, "etiqcd.dat"), {"4", "PRODUCTO", "DESCRIPCION", "250", "20", "CLAVE", "X", "10"});
  TFormaCompras& v = Ventana();
  EXPECT_EQ(v.Detalle->Columna(4).titulo, "DESCRIPCION");
  EXPECT_EQ(v.Detalle->Columna(4).ancho, 250);
  EXPECT_EQ(Mensajes(), QStringList{"Índice de columna fuera de rango (20)"});
  // A kind text that is none of the combo's items gives the last good one.
  EXPECT_EQ(v.ValidaTipoDocumento("Orden de Compra"), "Orden de Compra");
  EXPECT_EQ(v.ValidaTipoDocumento("Orden"), "Recepción");
  EXPECT_EQ(LetraMovimientoCompra(kRecepcion), u'O');
  EXPECT_EQ(LetraMovimientoCompra(kOrdenCompra), u'O');
  EXPECT_EQ(LetraMovimientoCompra(kDevolucionCompra), u'P');
  // The suggested order needs a new document with its supplier.
  ui::PuertaModal::LimpiaMensajes();
  v.GeneraCompraSugerida();
  EXPECT_EQ(Mensajes(), QStringList{"No se Puede Generar el Pedido Sugerido..."});
}

// Capture rows of Detacomp.DB: quantity, price, tax.
class TotalesCompraTest : public Compras {
 protected:
  std::unique_ptr<db::Tabla> Captura(const QList<Linea>& lineas) {
    auto c = std::make_unique<db::Tabla>();
    c->SetCarpeta(kPrograma);
    c->SetNombreTabla(kTablaCapturaCompra);
    c->Open();
    for (c->First(); !c->IsEmpty();) c->Delete();
    for (const Linea& l : lineas) {
      c->Append();
      c->FieldByName("CLAVE").SetAsString(l.clave);
      c->FieldByName("CANTIDAD").SetAsFloat(l.cantidad);
      c->FieldByName("PRECIO").SetAsFloat(l.precio);
      c->FieldByName("IMPUESTO").SetAsFloat(l.impuesto);
      c->Post();
    }
    return c;
  }
};

TEST_F(TotalesCompraTest, TotalesAlCentavo) {
  struct Caso {
    const char* nombre;
    QList<Linea> lineas;
    ReglasTotalesCompra reglas;
    QString subtotal, impuesto, total;
  };
  const Caso casos[] = {
      {"IVA incluido, sin tasa en el encabezado", {{"A", 1, 116, 16}}, {true, false, 0, 0, 0, 0}, "100", "16", "116"},
      {"IVA incluido, tasa 16 en el encabezado", {{"A", 1, 116, 16}}, {true, false, 16, 16, 0, 0}, "116", "18.56",
       "134.56"},
      {"No Desglosar IVA: el de cada partida", {{"A", 1, 100, 16}, {"B", 2, 25, 0}}, {false, true, 16, 16, 0, 0},
       "150", "16", "166"},
      {"descuento 10 % y financiero 2 %", {{"A", 1, 100, 16}}, {false, false, 16, 16, 10, 2}, "97.91", "14.4",
       "102.31"},
      {"sin partidas", {}, {false, false, 16, 16, 10, 2}, "0", "0", "0"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    auto captura = Captura(c.lineas);
    const TotalesCompra t = CalculaTotalesCompra(*captura, c.reglas);
    EXPECT_EQ(t.SubtotalCompra.Texto(), c.subtotal);
    EXPECT_EQ(t.ImpuestoCompra.Texto(), c.impuesto);
    EXPECT_EQ(t.TotalCompra.Texto(), c.total);
    EXPECT_EQ(t.Partidas, c.lineas.size());
  }
}

TEST_F(TotalesCompraTest, LaFormulaDeCostoLeeLaPartidaElEncabezadoYElProducto) {
  auto captura = Captura({{"A", 1, 10, 16}});
  captura->First();
  auto encabezado = Abre("ComprasE.dbf");
  auto producto = Abre("INVENTAR.DBF");
  QStringList resultado;
  EXPECT_DOUBLE_EQ(EvaluaFormulaCosto({"variable1=d.precio*1.3"}, resultado, *captura, *encabezado, *producto), 13);
  EXPECT_EQ(resultado, QStringList{"variable1=10*1.3"});
}

TEST_F(TotalesCompraTest, OrdenPorMaximoUnaPartidaPorProductoDelProveedorBajoSuMaximo) {
  auto p = Abre("INVENTAR.DBF");
  const std::tuple<const char*, const char*, double, double> productos[] = {
      {"A", "S", 3, 10}, {"B", "S", 10, 10}, {"C", "T", 0, 10}, {"D", "S", -2, 5}};
  for (const auto& [clave, proveedor, existencia, maximo] : productos) {
    p->Append();
    p->FieldByName("CLPRO_I").SetAsString(clave);
    p->FieldByName("CLPR1_I").SetAsString(proveedor);
    p->FieldByName("EXIST_I").SetAsFloat(existencia);
    p->FieldByName("STMAX_I").SetAsFloat(maximo);
    p->Post();
  }
  auto captura = Captura({});
  EXPECT_EQ(GeneraOrdenPorMaximo(*p, *captura, "S"), 2);
  QStringList filas;
  for (captura->First(); !captura->Eof(); captura->Next())
    filas << captura->FieldByName("CLAVE").AsString() + " " + captura->FieldByName("CANTIDAD").AsString();
  EXPECT_EQ(filas, (QStringList{"A 7", "D 7"}));
}

// A provisional header in the local copy of `programa`, promoted.
qint64 Promueve(const QString& programa, int control) {
  db::Tabla e;
  CreaEncabezadoLocalCompra(e, programa, "ComprasE.dbf");
  e.Append();
  e.FieldByName("CLDOC_O").SetAsInteger(0);
  e.FieldByName("CONTROL").SetAsInteger(control);
  e.FieldByName("proceso").SetAsString("N");
  e.Post();
  return AsignaNumeroFinalCompra(e, kDatos, "ComprasE.dbf");
}

TEST_F(Compras, ElNumeroFinalEsElUltimoMasUnoYLaFilaProvisionalSeQueda) {
  EXPECT_EQ(Promueve(kPrograma, 11), 1);
  for (int n = 2; n <= 5; ++n) AgregaRecepcion(n, n, "P", 1, 0, {});
  EXPECT_EQ(Promueve(kPrograma, 22), 6);
  EXPECT_EQ(Columna(kDatos, "ComprasE.dbf", "CLDOC_O"), (QStringList{"1", "2", "3", "4", "5", "6"}));
  EXPECT_EQ(Columna(kDatos, "ComprasE.dbf", "CONTROL").last(), "22");
  EXPECT_EQ(Columna(kPrograma, "ComprasE1.dbf", "CONTROL"), QStringList{"22"});
  EXPECT_EQ(Columna(kPrograma, "ComprasE1.dbf", "CLDOC_O"), QStringList{"0"});
}

// A station of its own program folder: promotes receipts when the parent
// says so.
RUTINA_HIJA(PromueveRecepciones) {
  prueba::AvisaPadre("LISTO");
  prueba::EsperaPadre();
  for (int i = 0; i < argumentos.value(1).toInt(); ++i) Promueve(argumentos.value(0), i + 1);
  prueba::AvisaPadre("TERMINADO");
  return 0;
}

TEST_F(Compras, DosEstacionesPromuevenCienRecepcionesCadaUnaSinRepetirNumero) {
  for (const char* programa : {"C:\\EST1", "C:\\EST2"}) CreaTablasEmpresa(db::Carpetas{kDatos, {}, {}, programa});
  prueba::ProcesoHijo uno("PromueveRecepciones", {"C:\\EST1", "100"});
  prueba::ProcesoHijo dos("PromueveRecepciones", {"C:\\EST2", "100"});
  ASSERT_EQ(uno.EsperaLinea(), "LISTO");
  ASSERT_EQ(dos.EsperaLinea(), "LISTO");
  uno.Envia("YA");
  dos.Envia("YA");
  EXPECT_EQ(uno.EsperaLinea(60000), "TERMINADO");
  EXPECT_EQ(dos.EsperaLinea(60000), "TERMINADO");
  EXPECT_EQ(uno.Espera(), 0);
  EXPECT_EQ(dos.Espera(), 0);
  const QStringList numeros = Columna(kDatos, "ComprasE.dbf", "CLDOC_O");
  QSet<int> vistos;
  for (const QString& n : numeros) vistos.insert(n.toInt());
  EXPECT_EQ(numeros.size(), 200);
  EXPECT_EQ(vistos.size(), 200);
  EXPECT_EQ(*std::min_element(vistos.begin(), vistos.end()), 1);
  EXPECT_EQ(*std::max_element(vistos.begin(), vistos.end()), 200);
}

TEST_F(Compras, FoliosFaltantesSeCreanYNumeranElEncabezadoSinNumero) {
  const QString folios = fs::Une(kDatos, kArchivoFoliosCompra);
  if (fs::ExisteArchivo(folios)) fs::BorraArchivo(folios);
  for (int n = 1; n <= 3; ++n) AgregaRecepcion(n, n, "P", 1, 0, {});
  AgregaRecepcion(0, 4, "P", 1, 0, {});
  TFormaCompras& v = Ventana();
  EXPECT_EQ(fs::LeeLineas(folios), (QStringList{"1", "0", "0", "1", "0", "0"}));
  EXPECT_EQ(Columna(kDatos, "ComprasE.dbf", "CLDOC_O"), (QStringList{"1", "2", "3", "5"}));
  EXPECT_EQ(v.EditCLDOC_O->text(), "5");

  // A line that is no number: the message, the values kept.
  fs::ReescribeLineas(folios, {"8", "x", "0"});
  FoliosCompra leidos{7, 3};
  LeeFoliosCompra(kDatos, leidos);
  EXPECT_EQ(Mensajes(), QStringList{kErrorFoliosCompra});
  EXPECT_EQ(leidos.base, 7);
  EXPECT_EQ(leidos.ajuste, 3);
  fs::ReescribeLineas(folios, {"8", "2", "0"});
  LeeFoliosCompra(kDatos, leidos);
  EXPECT_EQ(leidos.base, 7);
  EXPECT_EQ(leidos.ajuste, 2);
}

TEST_F(Compras, BuscarPorReferenciaPorDocumentoYSinIndice) {
  AgregaRecepcion(1, 1, "P1", 10, 0, {{"A", 1, 10, 0}}, "FAC-9");
  AgregaRecepcion(2, 2, "P2", 10, 0, {{"B", 1, 10, 0}}, "FAC-1");
  AgregaRecepcion(3, 3, "P3", 10, 0, {{"C", 1, 10, 0}}, "FAC-5");
  TFormaCompras& v = Ventana();
  const auto busca = [&](const QString& texto, const char* opcion) {
    ui::PuertaModal::Espera("TFormaBusqueda", [texto, opcion](QDialog& d) {
      auto& b = static_cast<TFormaBusqueda&>(d);
      b.CajaBuscar->setText(texto);
      for (QRadioButton* r : {b.Clave, b.Nombre, b.Direccion}) r->setChecked(r->objectName() == opcion);
    });
    v.BotonBuscar->click();
  };
  // The reference check reads the receipts; a quote in the text is a
  // character of the value, not of the statement.
  EXPECT_TRUE(ReferenciaCompraUsada("FAC-5"));
  EXPECT_FALSE(ReferenciaCompraUsada("X\" OR \"\"=\""));
  busca("FAC-5", "Direccion");
  EXPECT_EQ(v.windowTitle(), "Compras Ordenado por Referencia");
  EXPECT_EQ(v.EditCLDOC_O->text(), "3");
  EXPECT_EQ(Claves(v), QStringList{"C"});
  busca("1", "Clave");
  EXPECT_EQ(v.windowTitle(), "Compras Ordenado por Clave");
  EXPECT_EQ(v.EditCLDOC_O->text(), "1");
  // Not a number: found by supplier key.
  busca("P2", "Clave");
  EXPECT_EQ(v.EditCLDOC_O->text(), "2");
  EXPECT_EQ(Mensajes(), kMensajesVacios);
  // Purchase orders have no supplier index: neither search can be used.
  v.TextoTipoCompra = kOrdenCompra;
  v.CambiaTipoCompra(u'O');
  busca("P2", "Clave");
  EXPECT_EQ(Mensajes(), QStringList{kValorNoValidoCompra});
}

TEST_F(Compras, F1MuestraLasTeclasDeAccesoRapido) {
  TFormaCompras& v = Ventana();
  QString titulo, texto;
  ui::PuertaModal::Espera("MessageBox", [&](QDialog& d) {
    titulo = d.windowTitle();
    texto = static_cast<QMessageBox&>(d).text();
  });
  Tecla(v, "EditCLDOC_O", Qt::Key_F1);
  EXPECT_EQ(titulo, kTituloTeclasCompra);
  EXPECT_EQ(texto, QString(kTeclasCompra).replace('\r', '\n'));
  EXPECT_EQ(Mensajes(), QStringList{kTeclasCompra});
}

TEST_F(Compras, ElNavegadorCorrigeSoloElTotalQueDifiereYCtrlAyCtrlSNinguno) {
  // Totals stored: 1 wrong, 2 wrong, 3 right (with an odd subtotal that a
  // rewrite would replace).
  AgregaRecepcion(1, 1, "P", 99, 0, {{"A", 1, 10, 0}});
  AgregaRecepcion(2, 2, "P", 99, 0, {{"B", 2, 10, 0}});
  AgregaRecepcion(3, 3, "P", 30, 0, {{"C", 3, 10, 0}});
  {
    auto e = Abre("ComprasE.dbf");
    e->Last();
    e->Edit();
    e->FieldByName("SUBTO_O").SetAsFloat(1);
    e->Post();
  }
  TFormaCompras& v = Ventana();
  ASSERT_EQ(v.EditCLDOC_O->text(), "3");
  // Ctrl+A and Ctrl+S move without any rewrite.
  Tecla(v, "", Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(v.EditCLDOC_O->text(), "2");
  Tecla(v, "", Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(v.EditCLDOC_O->text(), "1");
  Tecla(v, "", Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(v.EditCLDOC_O->text(), "2");
  EXPECT_EQ(Columna(kDatos, "ComprasE.dbf", "IMDOC_O"), (QStringList{"99", "99", "30"}));
  // The navigator: the first header is left, the one that differs is put
  // right, the one that agrees is not touched.
  v.Navegador->Pulsa(ui::Navegador::Primero);
  EXPECT_EQ(v.EditCLDOC_O->text(), "1");
  v.Navegador->Pulsa(ui::Navegador::Siguiente);
  v.Navegador->Pulsa(ui::Navegador::Siguiente);
  EXPECT_EQ(v.EditCLDOC_O->text(), "3");
  EXPECT_EQ(Columna(kDatos, "ComprasE.dbf", "IMDOC_O"), (QStringList{"99", "20", "30"}));
  EXPECT_EQ(Columna(kDatos, "ComprasE.dbf", "SUBTO_O"), (QStringList{"99", "20", "1"}));
}

// --- Typing a receipt by keys.

class CapturaCompras : public Compras {
 protected:
  void SetUp() override {
    Compras::SetUp();
    fs::FijaAhora(QDateTime(QDate(2027, 3, 10), QTime(10, 0)));
    FijaLinea(ConfIva, "16");
    auto t = Abre("PROVEEDO.DBF");
    t->Append();
    t->FieldByName("CLAVE_P").SetAsString("P1");
    t->FieldByName("NOMBR_P").SetAsString("ACEROS DEL NORTE");
    t->FieldByName("DIREC_P").SetAsString("HIDALGO 12");
    t->FieldByName("POBLA_P").SetAsString("MONTERREY");
    t->FieldByName("DCRED_P").SetAsInteger(30);
    t->Post();
    t.reset();
    auto productos = Abre("INVENTAR.DBF");
    const auto producto = [&](const QString& clave, const QString& nombre, double empaque, double costo,
                              const QString& codigo) {
      TRegistroProducto p;
      p.CLPRO_I = clave;
      p.DSCPR_I = nombre;
      p.CODIG_I = codigo;
      p.UEMPA_I = empaque;
      p.ULCOS_I = Dinero::DeReal(costo);
      p.PPUBL_I = Dinero::DeReal(costo * 1.5);
      p.PIVA1_I = 16;
      p.PORC1_I = 50;
      productos->Append();
      p.Escribe(*productos);
      productos->Post();
    };
    producto("P1", "TORNILLO", 12, 10, "750100");
    producto("P2", "CLAVO", 0, 2, "");
  }

  static QString Hoy() { return TextoFecha(fs::Hoy()); }

  // A new document with the focus in the grid, standing on its first line.
  TFormaCompras& NuevaEnRejilla() {
    TFormaCompras& v = Ventana();
    v.Nuevo1->trigger();
    // Entering the tax box gives it line 5.
    v.EditTIMPU_O->setFocus();
    v.Detalle->setFocus();
    return v;
  }

  // Typed into the grid's current cell: the first key opens the cell's
  // editor, the rest goes to it.
  static void Escribe(TFormaCompras& v, const QString& texto) {
    if (!v.Detalle->isAncestorOf(QApplication::focusWidget())) v.Detalle->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), texto.left(1));
    QTest::keyClicks(QApplication::focusWidget(), texto.mid(1));
  }
  static void Pulsa(int tecla) { Tecla(*QApplication::activeWindow(), "", tecla); }

  static QString Campo(const TFormaCompras& v, const char* campo) {
    return v.TablaDeta->FieldByName(QString::fromLatin1(campo)).AsString();
  }
};

TEST_F(CapturaCompras, TabPorElEncabezadoLlenaFechasImpuestoYAlmacen) {
  TFormaCompras& v = Ventana();
  v.Nuevo1->trigger();
  // F2 in "Proveedor": the lookup answered with Enter.
  ui::PuertaModal::Espera("TFormaConProvee", [](QDialog& d) { Tecla(d, "DBGrid1", Qt::Key_Return); });
  v.EditCLPRV_O->setFocus();
  Tecla(v, "EditCLPRV_O", Qt::Key_F2);
  EXPECT_EQ(v.EditCLPRV_O->text(), "P1");
  EXPECT_EQ(v.Nombre->text(), "ACEROS DEL NORTE");
  EXPECT_EQ(v.Direccion->text(), "HIDALGO 12");
  EXPECT_EQ(v.Poblacion->text(), "MONTERREY");
  for (int i = 0; i < 3; ++i) Tecla(v, "", Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), v.EditFEPAG_O);
  EXPECT_EQ(v.EditFEDOC_O->text(), "10/03/2027");
  EXPECT_EQ(v.EditFEREC_O->text(), "10/03/2027");
  EXPECT_EQ(v.EditFEPAG_O->text(), "09/04/2027");
  Tecla(v, "", Qt::Key_Tab);
  EXPECT_EQ(v.EditTIMPU_O->text(), "16");
  for (int i = 0; i < 5; ++i) Tecla(v, "", Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), v.EditNALMA_O);
  Tecla(v, "", Qt::Key_Tab);
  EXPECT_TRUE(v.Detalle->hasFocus());
  EXPECT_EQ(v.EditNALMA_O->text(), "1");
  EXPECT_FALSE(v.KeyPreview());

  // F3 puts today; an impossible receipt date becomes today on leaving.
  v.EditFEDOC_O->setFocus();
  prueba::Reescribe(v.EditFEDOC_O, "01/01/2020");
  Tecla(v, "EditFEDOC_O", Qt::Key_F3);
  EXPECT_EQ(v.EditFEDOC_O->text(), Hoy());
  v.EditFEREC_O->setFocus();
  prueba::Reescribe(v.EditFEREC_O, "31/02/2027");
  v.EditFEPAG_O->setFocus();
  EXPECT_EQ(v.EditFEREC_O->text(), Hoy());
  EXPECT_EQ(v.TablaComprasE->FieldByName("FEREC_O").AsString(), Hoy());
  EXPECT_EQ(Mensajes(), kMensajesVacios);
}

// The header's boxes are walked in the order of their table, and they stand
// in that order: down each column, the columns from left to right.
TEST_F(CapturaCompras, ElTabuladorRecorreElEncabezadoComoSeVe) {
  TFormaCompras& v = Ventana();
  v.Nuevo1->trigger();
  ui::PuertaModal::Espera("TFormaConProvee", [](QDialog& d) { Tecla(d, "DBGrid1", Qt::Key_Return); });
  v.EditCLPRV_O->setFocus();
  Tecla(v, "EditCLPRV_O", Qt::Key_F2);
  const QList<QPair<int, int>> casillas = prueba::CasillasTabulador(v.EditCLDOC_O);
  ASSERT_EQ(casillas.size(), 11);
  for (qsizetype i = 1; i < casillas.size(); ++i) {
    const auto columnaFila = [](QPair<int, int> c) { return qMakePair(c.second, c.first); };
    EXPECT_LT(columnaFila(casillas[i - 1]), columnaFila(casillas[i]))
        << "paso " << i << ": fila " << casillas[i].first << ", columna " << casillas[i].second;
  }
}

TEST_F(CapturaCompras, UnaReferenciaYaRegistradaSeRechazaSalvoLaDelPropioDocumento) {
  AgregaRecepcion(7, 70, "P1", 10, 0, {{"P2", 1, 10, 0}}, "F-100");
  TFormaCompras& v = Ventana();
  v.Nuevo1->trigger();
  v.EditREFER_O->setFocus();
  prueba::Reescribe(v.EditREFER_O, "F-100");
  v.EditNALMA_O->setFocus();
  EXPECT_EQ(Mensajes(), QStringList{"Este Documento ya se Registro..."});
  EXPECT_EQ(QApplication::focusWidget(), v.EditREFER_O);
  ui::PuertaModal::LimpiaMensajes();
  prueba::Reescribe(v.EditREFER_O, "F\"100");
  v.EditNALMA_O->setFocus();
  EXPECT_EQ(Mensajes(), kMensajesVacios);
  EXPECT_EQ(QApplication::focusWidget(), v.EditNALMA_O);
  // The receipt being changed does not find its own reference.
  EXPECT_FALSE(ReferenciaCompraUsada("F-100", 7));
  EXPECT_TRUE(ReferenciaCompraUsada("F-100", 8));
}

TEST_F(CapturaCompras, LaRejillaCompletaLaPartidaDesdeClaveOCodigo) {
  TFormaCompras& v = NuevaEnRejilla();
  EXPECT_EQ(v.Detalle->SelectedIndex(), 0);
  Escribe(v, "2");
  for (int i = 0; i < 3; ++i) Pulsa(Qt::Key_Return);
  EXPECT_EQ(v.Detalle->SelectedIndex(), 3);
  Escribe(v, "750100");
  Pulsa(Qt::Key_Return);
  EXPECT_EQ(Campo(v, "CLAVE"), "P1");
  EXPECT_EQ(Campo(v, "PRODUCTO"), "TORNILLO");
  EXPECT_EQ(Campo(v, "PRECIO"), "10");
  EXPECT_EQ(Campo(v, "PRECIOCLIENTE"), "15");
  EXPECT_EQ(Campo(v, "IMPUESTO"), "16");
  EXPECT_EQ(Campo(v, "PCON_IVA"), "50");
  EXPECT_EQ(Campo(v, "IMPORTE"), "20");
  EXPECT_EQ(v.Detalle->SelectedIndex(), 5);
  // On to the price (DESC 3 hidden is skipped), where Enter ends the line.
  for (int i = 0; i < 3; ++i) Pulsa(Qt::Key_Return);
  EXPECT_EQ(v.Detalle->SelectedIndex(), 9);
  Pulsa(Qt::Key_Return);
  EXPECT_EQ(v.Detalle->SelectedIndex(), 0);
  EXPECT_EQ(v.EtiTotal->text().trimmed(), "$         23.20");
  // Lower case arrives upper-cased; a typed price above 0 stays.
  Escribe(v, "1");
  for (int i = 0; i < 3; ++i) Pulsa(Qt::Key_Return);
  Escribe(v, "p2");
  EXPECT_EQ(Campo(v, "CLAVE"), "P2");
  v.TablaDeta->FieldByName("PRECIO").SetAsFloat(3);
  Pulsa(Qt::Key_Return);
  EXPECT_EQ(Campo(v, "PRODUCTO"), "CLAVO");
  EXPECT_EQ(Campo(v, "PRECIO"), "3");
  EXPECT_EQ(Campo(v, "IMPORTE"), "3");
  EXPECT_EQ(Mensajes(), kMensajesVacios);

  // Packages: units per package times packages, or the packages alone.
  struct Caso {
    const char* clave;
    double empaque;
    QString cantidad, cajas;
  };
  for (const Caso& c : {Caso{"P1", 3, "36", ""}, Caso{"P2", 3, "3", "0"}}) {
    SCOPED_TRACE(c.clave);
    v.TablaDeta->Append();
    v.TablaDeta->FieldByName("CANTIDAD").SetAsFloat(1);
    v.TablaDeta->FieldByName("EMPAQUE").SetAsFloat(c.empaque);
    v.TablaDeta->FieldByName("CLAVE").SetAsString(c.clave);
    v.Detalle->SetSelectedIndex(3);
    v.Detalle->SetSelectedIndex(4);
    EXPECT_EQ(Campo(v, "CANTIDAD"), c.cantidad);
    EXPECT_EQ(Campo(v, "CAJAS"), c.cajas);
  }

  // An unknown key: the message and back to the key.
  v.TablaDeta->Append();
  v.TablaDeta->FieldByName("CANTIDAD").SetAsFloat(1);
  v.TablaDeta->FieldByName("CLAVE").SetAsString("ZZZ");
  v.Detalle->SetSelectedIndex(3);
  v.Detalle->SetSelectedIndex(4);
  EXPECT_EQ(Mensajes(), QStringList{"El Producto No Se encuenta"});
  EXPECT_EQ(v.Detalle->SelectedIndex(), 3);
  EXPECT_EQ(Campo(v, "PRODUCTO"), "");
  // F4: a comment line, which the completion leaves alone.
  Pulsa(Qt::Key_F4);
  EXPECT_EQ(Campo(v, "CLAVE"), "COMENTARIO");
  EXPECT_EQ(Campo(v, "CANTIDAD"), "1");
  v.Detalle->SetSelectedIndex(4);
  EXPECT_EQ(Mensajes(), QStringList{"El Producto No Se encuenta"});
  v.TablaDeta->Post();
}

TEST_F(CapturaCompras, LosTotalesMuestranCadaPartidaEnCuantoTieneSuImporte) {
  TFormaCompras& v = NuevaEnRejilla();
  EXPECT_EQ(v.EtiTotal->text().trimmed(), "$          0.00");
  // Quantity, then the key: the line is completed and counted at once.
  Escribe(v, "2");
  for (int i = 0; i < 3; ++i) Pulsa(Qt::Key_Return);
  Escribe(v, "P1");
  Pulsa(Qt::Key_Return);
  EXPECT_EQ(v.Detalle->SelectedIndex(), 5);
  EXPECT_EQ(v.EtiSubtotal->text().trimmed(), "$         20.00");
  EXPECT_EQ(v.EtiTotal->text().trimmed(), "$         23.20");
  // A discount on the line counts as its amount is worked out.
  v.TablaDeta->Edit();
  v.TablaDeta->FieldByName("DESCUENTO").SetAsFloat(10);
  Pulsa(Qt::Key_Return);
  EXPECT_EQ(v.Detalle->SelectedIndex(), 6);
  EXPECT_EQ(Campo(v, "IMPORTE"), "18");
  EXPECT_EQ(v.EtiTotal->text().trimmed(), "$         20.88");
  // A second line adds to them the same way.
  for (int i = 0; i < 3; ++i) Pulsa(Qt::Key_Return);
  EXPECT_EQ(v.Detalle->SelectedIndex(), 0);
  Escribe(v, "5");
  for (int i = 0; i < 3; ++i) Pulsa(Qt::Key_Return);
  Escribe(v, "P2");
  Pulsa(Qt::Key_Return);
  EXPECT_EQ(Claves(v), (QStringList{"P1", "P2"}));
  EXPECT_EQ(v.EtiTotal->text().trimmed(), "$         32.48");
  EXPECT_EQ(Mensajes(), kMensajesVacios);
}

TEST_F(CapturaCompras, UnaFechaQueNoEsFechaSePideDeNuevoYNadaSeEscribe) {
  TFormaCompras& v = NuevaEnRejilla();
  // The document date: the message, the stored date back, the focus back.
  v.EditFEDOC_O->setFocus();
  const QString guardada = v.EditFEDOC_O->text();
  ASSERT_EQ(guardada, Hoy());
  prueba::Reescribe(v.EditFEDOC_O, "ayer");
  v.EditFEREC_O->setFocus();
  EXPECT_EQ(Mensajes(), QStringList{"La Fecha del Documento \"ayer\" no es válida: escríbala como dd/mm/aaaa "
                                    "(F3 pone la fecha de hoy)"});
  EXPECT_EQ(QApplication::focusWidget(), v.EditFEDOC_O);
  EXPECT_EQ(v.EditFEDOC_O->text(), guardada);
  EXPECT_EQ(v.TablaComprasE->FieldByName("FEDOC_O").AsString(), guardada);

  // Saved while a date box still holds text: the same message, nothing
  // written, the capture as it was.
  ui::PuertaModal::LimpiaMensajes();
  Escribe(v, "1");
  v.Detalle->SetSelectedIndex(3);
  Escribe(v, "P2");
  v.Detalle->SetSelectedIndex(4);
  const QStringList compras = Columna(kDatos, "ComprasE.dbf", "CLDOC_O");
  v.EditFEDOC_O->setFocus();
  prueba::Reescribe(v.EditFEDOC_O, "15/13/2027");
  v.Guardar1->trigger();
  EXPECT_EQ(Mensajes(), QStringList{"La Fecha del Documento \"15/13/2027\" no es válida: escríbala como dd/mm/aaaa "
                                    "(F3 pone la fecha de hoy)"});
  EXPECT_EQ(Columna(kDatos, "ComprasE.dbf", "CLDOC_O"), compras);
  EXPECT_TRUE(v.BotonGuardar->isEnabled());
  EXPECT_EQ(Claves(v), QStringList{"P2"});
  prueba::Reescribe(v.EditFEDOC_O, Hoy());
}

// The grid shows the line with its values as soon as they are written, and
// still shows it, marked off from the new current line, once the next line
// is begun.
TEST_F(CapturaCompras, LaRejillaMuestraLaPartidaEnCuantoSeEscribe) {
  TFormaCompras& v = NuevaEnRejilla();
  const QAbstractItemModel& m = *v.Detalle->model();
  const auto celdas = [&m](int fila) {
    QStringList textos;
    for (const int c : {0, 3, 4, 9, 10}) textos << m.data(m.index(fila, c), Qt::DisplayRole).toString().trimmed();
    return textos.join(u'|');
  };
  Escribe(v, "2");
  for (int i = 0; i < 3; ++i) Pulsa(Qt::Key_Return);
  Escribe(v, "750100");
  Pulsa(Qt::Key_Return);
  EXPECT_EQ(celdas(0), "2|P1|TORNILLO|10|20");
  for (int i = 0; i < 6 && m.rowCount() < 2; ++i) Pulsa(Qt::Key_Return);
  ASSERT_EQ(m.rowCount(), 2);
  EXPECT_EQ(celdas(0), "2|P1|TORNILLO|10|20");
  EXPECT_EQ(m.headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), "");
  EXPECT_NE(m.headerData(1, Qt::Vertical, Qt::DisplayRole).toString(), "");
  EXPECT_EQ(Mensajes(), kMensajesVacios);
}

TEST_F(CapturaCompras, EnterAlFinDeLaPartidaAgregaSoloEnUnDocumentoNuevo) {
  TFormaCompras& v = NuevaEnRejilla();
  Escribe(v, "1");
  v.Detalle->SetSelectedIndex(3);
  Escribe(v, "P2");
  v.Detalle->SetSelectedIndex(4);
  v.Detalle->SetSelectedIndex(9);
  Pulsa(Qt::Key_Return);
  EXPECT_EQ(v.TablaDeta->State(), db::Dataset::Estado::Insertando);
  v.TablaDeta->Cancel();
  EXPECT_EQ(Claves(v), QStringList{"P2"});
  // Tab moves right, and wraps from IMPUESTO to a new line.
  v.Detalle->SetSelectedIndex(5);
  Pulsa(Qt::Key_Tab);
  EXPECT_EQ(v.Detalle->SelectedIndex(), 6);
  v.Detalle->SetSelectedIndex(12);
  Pulsa(Qt::Key_Tab);
  EXPECT_EQ(v.Detalle->SelectedIndex(), 0);
  EXPECT_EQ(v.TablaDeta->State(), db::Dataset::Estado::Insertando);
  v.TablaDeta->Cancel();
  // The same key while a document is changed: the totals, no new line.
  ui::SetTag(v.BotonNuevo, 0);
  ui::SetTag(v.BotonCambios, 1);
  v.Detalle->SetSelectedIndex(9);
  Pulsa(Qt::Key_Return);
  EXPECT_EQ(v.Detalle->SelectedIndex(), 0);
  EXPECT_NE(v.TablaDeta->State(), db::Dataset::Estado::Insertando);
  EXPECT_EQ(Claves(v), QStringList{"P2"});
  EXPECT_EQ(v.EtiTotal->text().trimmed(), "$          2.32");
}

TEST_F(CapturaCompras, VentanaDeDescuentosEligeConF12YGuardaTodaLaLista) {
  EscribeLineas(fs::Une(kPrograma, "DescCompra.cnf"), {"S"});
  QStringList lista;
  for (int i = 1; i <= 20; ++i) lista << QStringLiteral("DESCUENTO %1").arg(i) << QString::number(i);
  const QString archivo = fs::Une(kPrograma, kArchivoDescuentosCompra);
  EscribeLineas(archivo, lista);
  TFormaCompras& v = NuevaEnRejilla();
  ASSERT_TRUE(v.VentanadeDescuentos1->isChecked());
  Escribe(v, "1");
  v.Detalle->SetSelectedIndex(3);
  Escribe(v, "P2");

  // Enter moves to the next cell; F12 takes the row the cell is on.
  ui::PuertaModal::Espera("TFormaDescuentoCompra", [](QDialog& d) {
    auto& p = static_cast<TFormaDescuentoCompra&>(d);
    p.DescuentosDetalle->setFocus();
    p.DescuentosDetalle->SetRow(1);
    p.DescuentosDetalle->SetCol(0);
    Tecla(d, "DescuentosDetalle", Qt::Key_Return);
    EXPECT_TRUE(p.isVisible());
    EXPECT_EQ(p.DescuentosDetalle->Col(), 1);
    Tecla(d, "DescuentosDetalle", Qt::Key_Return);
    EXPECT_EQ(p.DescuentosDetalle->Row(), 2);
    Tecla(d, "DescuentosDetalle", Qt::Key_F12);
  });
  v.Detalle->SetSelectedIndex(4);
  EXPECT_EQ(v.Detalle->SelectedIndex(), 5);
  EXPECT_EQ(Campo(v, "DESCUENTO"), "2");

  // Esc: nothing chosen, the edited cell of row 20 written with every row.
  ui::PuertaModal::Espera("TFormaDescuentoCompra", [](QDialog& d) {
    auto& p = static_cast<TFormaDescuentoCompra&>(d);
    EXPECT_EQ(p.DescuentosDetalle->Cells(1, 20), "20");
    p.DescuentosDetalle->setFocus();
    prueba::TecleaCelda(*p.DescuentosDetalle, 1, 20, "25");
    Tecla(d, "DescuentosDetalle", Qt::Key_Escape);
  });
  v.Detalle->SetSelectedIndex(4);
  v.Detalle->SetSelectedIndex(5);
  EXPECT_EQ(Campo(v, "DESCUENTO"), "");
  const QStringList escrita = fs::LeeLineas(archivo);
  ASSERT_EQ(escrita.size(), 40);
  EXPECT_EQ(escrita[0], "DESCUENTO 1");
  EXPECT_EQ(escrita[38], "DESCUENTO 20");
  EXPECT_EQ(escrita[39], "25");
}

TEST(RedondeaPrecioPolitica, EnteroMasUnPasoOElSiguienteEntero) {
  struct Caso {
    int paso;
    double precio, resultado;
  };
  for (const Caso& c : {Caso{5, 12.30, 12.50}, Caso{5, 12.20, 12.00}, Caso{5, 12.80, 13.00}, Caso{1, 12.12, 12.10},
                        Caso{1, 12.20, 13.00}, Caso{0, 12.37, 12.37}}) {
    SCOPED_TRACE(c.precio);
    EXPECT_EQ(RedondeaPrecioPolitica(c.paso, Dinero::DeReal(c.precio)), Dinero::DeReal(c.resultado));
  }
}

TEST_F(CapturaCompras, PoliticaDePreciosCalculaElPrecioAlSalirDelPorcentaje) {
  auto productos = Abre("INVENTAR.DBF", "ICLPRO");
  ASSERT_TRUE(productos->FindKey({"P1"}));
  TFormaPoliticaCompras politica;
  politica.DataSource1->SetDataSet(productos.get());
  ui::PuertaModal::Espera("TFormaPoliticaCompras", [](QDialog& d) {
    auto& p = static_cast<TFormaPoliticaCompras&>(d);
    EXPECT_EQ(QApplication::focusWidget(), p.Precios[0]);
    // Enter and Down move on.
    Tecla(d, "", Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), p.Precios[1]);
    Tecla(d, "", Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), p.Precios[2]);
    p.Porcentajes[2]->setFocus();
    prueba::Reescribe(p.Porcentajes[2], "20");
    Tecla(d, "", Qt::Key_Return);
    EXPECT_EQ(p.Precios[2]->text(), "12");
    // A percentage of 0 leaves the price.
    p.Porcentajes[3]->setFocus();
    prueba::Reescribe(p.Porcentajes[3], "0");
    Tecla(d, "", Qt::Key_Return);
    EXPECT_EQ(p.Precios[3]->text(), "");
    Tecla(d, "", Qt::Key_Escape);
  });
  politica.ShowModal();
  EXPECT_FALSE(politica.isVisible());
  auto leida = Abre("INVENTAR.DBF", "ICLPRO");
  ASSERT_TRUE(leida->FindKey({"P1"}));
  EXPECT_EQ(leida->FieldByName("PLIS3_I").AsFloat(), 12.0);
  EXPECT_EQ(leida->FieldByName("PORC3_I").AsFloat(), 20.0);
  EXPECT_TRUE(leida->FieldByName("PLIS4_I").IsNull());
}

TEST_F(Compras, TotalesDesglosaElDocumentoYSeCierraConCualquierTecla) {
  AgregaRecepcion(1, 10, "P1", 102.31, 102.31, {{"A", 1, 100, 16}}, {}, 16);
  {
    auto e = Abre("ComprasE.dbf");
    e->First();
    e->Edit();
    e->FieldByName("DTOTA_O").SetAsFloat(10);
    e->FieldByName("DFINT_O").SetAsFloat(2);
    e->Post();
  }
  TFormaCompras& v = Ventana();
  bool visto = false;
  ui::PuertaModal::Espera("TFormaDesglosaTotal", [&](QDialog& d) {
    visto = true;
    auto& t = static_cast<TFormaDesglosaTotal&>(d);
    EXPECT_EQ(t.windowTitle(), "Totales");
    EXPECT_EQ(t.SubTotal->text(), "$" + QString(9, u' ') + "97.91");
    EXPECT_EQ(t.Descuento->text(), "$" + QString(9, u' ') + "10.00");
    EXPECT_EQ(t.DescuentoFin->text(), "$" + QString(10, u' ') + "2.09");
    EXPECT_EQ(t.Iva->text(), "$" + QString(9, u' ') + "14.40");
    EXPECT_EQ(t.Total->text(), "$" + QString(8, u' ') + "102.31");
    EXPECT_EQ(t.Letra1->text(), ImporteConLetra(102.31));
    Tecla(d, "", Qt::Key_Q);
    EXPECT_FALSE(t.isVisible());
  });
  ASSERT_TRUE(v.BotonTotales->isEnabled());
  v.BotonTotales->click();
  EXPECT_TRUE(visto);
  EXPECT_EQ(Mensajes(), kMensajesVacios);
}

}  // namespace
