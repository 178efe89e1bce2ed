// The purchase window's document commands, options and tools, driven as a
// buyer drives them: the kind combo, a receipt from the order shown, an
// order from a supplier's stock limits, the suggested order, reproducing a
// receipt, the archive copy, the option files, the discounts unlocked by
// password, imported lines, the marking of cancelled lines, "MI", the log,
// the help page and the calculator.

#include "compras_prueba.h"
#include "foundation/observa.h"
#include "foundation/rutinas_fecha.h"
#include "inventory/Importa.h"
#include "platform/fs/Falla.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "purchasing/Compras.h"
#include "purchasing/CxPDetalle.h"
#include "purchasing/DocumentosCompra.h"
#include "purchasing/GuardaCompra.h"
#include "foundation/UnidadTrabajo.h"
#include "foundation/rutinas_bitacora.h"
#include "support/LanzadorGrabador.h"
#include "support/Maneja.h"
#include "support/Proceso.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextEdit>
#include <QToolButton>

#include <map>
#include <optional>

namespace {

using prueba::Pulsa;
using prueba::Tecla;

// The password prompt answered with `clave`, and the question, when `si`
// is given, with "Si" or "No".
void RespondeCancelacion(const QString& clave, std::optional<bool> si = true) {
  ui::PuertaModal::Espera("TFormaAdministrador", [clave](QDialog& d) {
    prueba::Teclea(d, "Clave", clave);
    Pulsa(d, "BitBtn1");
  });
  if (!si) return;
  ui::PuertaModal::Espera("TFormaAdvertencia", [si](QDialog& d) {
    EXPECT_EQ(prueba::Texto(d, "Label1"), "Esta Seguro de Cancelar este Documento ?");
    Pulsa(d, *si ? "BitBtn1" : "BitBtn2");
  });
}

class ComandosCompra : public ComprasPrueba {
 protected:
  void SetUp() override {
    ComprasPrueba::SetUp();
    fs::FijaAhora(QDateTime(QDate(2027, 3, 10), QTime(10, 0)));
    // 0 every right; 1 too; 2 neither cancels purchases (57) nor unlocks
    // discounts (59) nor imports lines (20).
    const QByteArray usuarios =
        ArchivoUsuarios({{"adm", DerechosSin({})},
                         {"jefe", DerechosSin({})},
                         {"caja", DerechosSin({DerechoCancelarCompra, DerechoDescuentosConClave,
                                               DerechoAltaFacturacion})}});
    EscribeBytes(fs::Une(kDatos, "usuarios.def"), usuarios);
    EscribeBytes(fs::Une(kPrograma, "usuarios.def"), usuarios);
    FijaLinea(ConfIva, "16");
    FijaLinea(ConfBitacora, "S");
    FijaLinea(ConfFormatoRecepcion, "recibo.fmt");
    FijaLinea(ConfFormatoOrdenCompra, "orden.fmt");
    FijaLinea(ConfIntegraMovimientos, "SI");
    auto t = Abre("PROVEEDO.DBF");
    for (const auto& [clave, nombre, dias] :
         {std::tuple{"P1", "ACEROS DEL NORTE", 30}, std::tuple{"P2", "PAPELERA DEL SUR", 0}}) {
      t->Append();
      t->FieldByName("CLAVE_P").SetAsString(clave);
      t->FieldByName("NOMBR_P").SetAsString(nombre);
      t->FieldByName("DCRED_P").SetAsInteger(dias);
      t->Post();
    }
    t.reset();
    // key, first supplier, stock, minimum, maximum, last cost
    Producto("A", "P1", 2, 5, 10, 9);
    Producto("B", "P1", 10, 3, 10, 4);
    Producto("C", "P2", 0, 1, 4, 7);
    Producto("D", "P1", 1, 6, 3, 2);
    ui::PuertaModal::LimpiaMensajes();
  }

  void TearDown() override {
    compras_.reset();
    ComprasPrueba::TearDown();
  }

  static void Producto(const QString& clave, const QString& proveedor, double existencia, double minimo,
                       double maximo, double costo) {
    auto t = Abre("INVENTAR.DBF");
    t->Append();
    t->FieldByName("CLPRO_I").SetAsString(clave);
    t->FieldByName("DSCPR_I").SetAsString("PRODUCTO " + clave);
    t->FieldByName("CLPR1_I").SetAsString(proveedor);
    t->FieldByName("EXIST_I").SetAsFloat(existencia);
    t->FieldByName("STMIN_I").SetAsFloat(minimo);
    t->FieldByName("STMAX_I").SetAsFloat(maximo);
    t->FieldByName("ULCOS_I").SetAsFloat(costo);
    t->FieldByName("CPROM_I").SetAsFloat(costo);
    t->Post();
  }

  static QString DeProducto(const QString& clave, const QString& campo) {
    auto t = Abre("INVENTAR.DBF", "ICLPRO");
    return t->FindKey({clave}) ? t->FieldByName(campo).AsString() : QString("?");
  }

  // A saved document: the header with its number, control and the columns
  // given; one line row per "key:quantity" with that control (a line of
  // another control when written "key:quantity@control").
  static void Documento(const QString& encabezado, const QString& partidas, qint64 numero, int control,
                        const std::map<QString, QString>& columnas, const QStringList& lineas) {
    auto e = Abre(encabezado);
    e->Append();
    e->FieldByName("CLDOC_O").SetAsInteger(numero);
    e->FieldByName("CONTROL").SetAsInteger(control);
    e->FieldByName("proceso").SetAsString("G");
    for (const auto& [campo, valor] : columnas) e->FieldByName(campo).SetAsString(valor);
    e->Post();
    auto d = Abre(partidas);
    for (const QString& linea : lineas) {
      const QStringList partes = linea.split(QRegularExpression("[:@]"));
      d->Append();
      d->FieldByName("CLDOC_OD").SetAsString(QString::number(numero));
      d->FieldByName("CONTROL").SetAsInteger(partes.size() > 2 ? partes[2].toInt() : control);
      d->FieldByName("CLPRO_OD").SetAsString(partes[0]);
      d->FieldByName("DESCR_OD").SetAsString("PRODUCTO " + partes[0]);
      d->FieldByName("CANTI_OD").SetAsFloat(partes[1].toDouble());
      d->FieldByName("CUNIT_OD").SetAsFloat(10);
      d->Post();
    }
  }
  static void Recepcion(qint64 numero, int control, const std::map<QString, QString>& columnas,
                        const QStringList& lineas) {
    Documento("ComprasE.dbf", "ComprasD.dbf", numero, control, columnas, lineas);
  }
  static void Orden(qint64 numero, int control, const std::map<QString, QString>& columnas, const QStringList& lineas) {
    Documento("OrdenCom.dbf", "OrdenDet.dbf", numero, control, columnas, lineas);
  }

  // The capture lines on screen as "key:quantity".
  static QStringList Lineas(const TFormaCompras& v) {
    QStringList lineas;
    db::Tabla& c = *v.TablaDeta;
    for (c.First(); !c.Eof(); c.Next())
      lineas << c.FieldByName("CLAVE").AsString() + u':' + c.FieldByName("CANTIDAD").AsString();
    return lineas;
  }

  static QString Encabezado(const TFormaCompras& v, const char* campo) {
    return v.TablaComprasE->FieldByName(QString::fromLatin1(campo)).AsString();
  }

  // The purchase window as the main menu leaves it for `usuario` (payments
  // button hidden by the opener).
  TFormaCompras& Ventana(const QString& usuario = "0") {
    if (!compras_) compras_ = std::make_unique<TFormaCompras>();
    compras_->Usuario->setText(usuario);
    compras_->BotonPagos->hide();
    compras_->Show();
    QApplication::setActiveWindow(compras_.get());
    compras_->DisparaActivacion();
    return *compras_;
  }

  static QString Hoy() { return TextoFecha(fs::Hoy()); }


  // A saved receipt as its save leaves it: header, lines, mirror rows and
  // charge row, all of control `control`.
  static void RecepcionGuardada(qint64 numero, int control, const QString& proveedor, double total, double saldo) {
    Documento("ComprasE.dbf", "ComprasD.dbf", numero, control,
              {{"CLPRV_O", proveedor}, {"IMDOC_O", QString::number(total)}, {"SALDO_O", QString::number(saldo)}},
              {"A:5", "B:2"});
    auto espejo = Abre("MOVIMIENTOS.DBF");
    for (const char* clave : {"A", "B"}) {
      espejo->Append();
      espejo->FieldByName("CLDOC_MI").SetAsString(QString::number(numero));
      espejo->FieldByName("CLPRO_MI").SetAsString(clave);
      espejo->FieldByName("TIMOV_MI").SetAsInteger(51);
      espejo->FieldByName("CONTROL").SetAsInteger(control);
      espejo->Post();
    }
    auto c = Abre("Cuepagar.DBF");
    c->Append();
    c->FieldByName("NUCOM_CP").SetAsInteger(numero);
    c->FieldByName("NUDOC_CP").SetAsString(QString::number(numero));
    c->FieldByName("CLPRO_CP").SetAsString(proveedor);
    c->FieldByName("TIMOV_CP").SetAsInteger(51);
    c->FieldByName("OPERA_CP").SetAsString("C");
    c->FieldByName("IMCUE_CP").SetAsFloat(total);
    c->FieldByName("CARGO_CP").SetAsFloat(total);
    c->FieldByName("SALDO_CP").SetAsFloat(saldo);
    c->Post();
  }

  // What a cancel marks of receipt `numero`: header status and phase, the
  // lines' marks, the mirror rows' status, the charge row's status and balance.
  static QString MarcasCompra(qint64 numero) {
    QStringList partes;
    auto e = Abre("ComprasE.dbf", "ICOMENC");
    if (e->FindKey({numero}))
      partes << e->FieldByName("STDOC_O").AsString() + e->FieldByName("proceso").AsString();
    QStringList lineas;
    auto d = Abre("ComprasD.dbf");
    for (d->First(); !d->Eof(); d->Next())
      if (d->FieldByName("CLDOC_OD").AsString() == QString::number(numero))
        lineas << d->FieldByName("TREGI_OD").AsString();
    partes << lineas.join(u',');
    QStringList espejo;
    auto m = Abre("MOVIMIENTOS.DBF");
    for (m->First(); !m->Eof(); m->Next())
      if (m->FieldByName("CLDOC_MI").AsString() == QString::number(numero)) espejo << m->FieldByName("STATUS").AsString();
    partes << espejo.join(u',');
    auto c = Abre("Cuepagar.DBF");
    for (c->First(); !c->Eof(); c->Next())
      if (c->FieldByName("NUCOM_CP").AsInteger() == numero)
        partes << c->FieldByName("STATU_CP").AsString() + u'/' + c->FieldByName("SALDO_CP").AsString();
    return partes.join(u'|');
  }

  std::unique_ptr<TFormaCompras> compras_;
};

// --- Kind switch and the documents generated from others.

TEST_F(ComandosCompra, ElTipoDeDocumentoCambiaTablasComandosYFormato) {
  Recepcion(1, 10, {{"CLPRV_O", "P1"}}, {"A:1"});
  Recepcion(2, 20, {{"CLPRV_O", "P2"}}, {"C:2"});
  Orden(7, 70, {{"CLPRV_O", "P2"}}, {"C:4"});
  Orden(8, 80, {{"CLPRV_O", "P1"}, {"NOMBR_O", "ACEROS DEL NORTE"}}, {"A:8", "D:2"});
  TFormaCompras& v = Ventana();
  EXPECT_TRUE(v.BotonPagos->isHidden());
  EXPECT_EQ(v.EditCLDOC_O->text(), "2");

  v.TipoDocumento->setCurrentText(kOrdenCompra);
  EXPECT_EQ(v.TextoTipoCompra, kOrdenCompra);
  EXPECT_TRUE(v.BotonPagos->isHidden());
  EXPECT_TRUE(v.Recepcin1->isEnabled());
  EXPECT_FALSE(v.BotonObservacion->isEnabled());
  EXPECT_EQ(v.FormatoCompra, "C:\\VRL\\consulta\\orden.fmt");
  EXPECT_EQ(v.MovimientosCompra, u'S');
  EXPECT_EQ(v.EditCLDOC_O->text(), "8");
  EXPECT_EQ(v.Nombre->text(), "ACEROS DEL NORTE");
  EXPECT_EQ(Lineas(v), (QStringList{"A:8", "D:2"}));
  EXPECT_EQ(v.TablaComprasD->NombreTabla(), "OrdenDet.dbf");

  // A typed abbreviation goes back to the kind shown.
  v.TipoDocumento->setEditText("Rec");
  EXPECT_EQ(v.TipoDocumento->currentText(), kOrdenCompra);
  EXPECT_EQ(v.TextoTipoCompra, kOrdenCompra);
  EXPECT_EQ(v.EditCLDOC_O->text(), "8");

  // Back to receipts: the payments button the opener hid is shown again.
  v.TipoDocumento->setCurrentText(kRecepcion);
  EXPECT_FALSE(v.BotonPagos->isHidden());
  EXPECT_TRUE(v.BotonPagos->isEnabled());
  EXPECT_FALSE(v.Recepcin1->isEnabled());
  EXPECT_TRUE(v.BotonObservacion->isEnabled());
  EXPECT_EQ(v.FormatoCompra, "C:\\VRL\\consulta\\recibo.fmt");
  EXPECT_EQ(v.MovimientosCompra, u'N');
  EXPECT_EQ(v.ConceptoMovimientoCompra, 51);
  EXPECT_EQ(v.EditCLDOC_O->text(), "2");
  EXPECT_EQ(Lineas(v), QStringList{"C:2"});
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ComandosCompra, RecepcionDeLaOrdenMostradaLlevaSuEncabezadoYSusPartidas) {
  Recepcion(1, 10, {{"CLPRV_O", "P2"}}, {"C:1"});
  Recepcion(2, 20, {{"CLPRV_O", "P2"}}, {"C:2"});
  Orden(8, 80,
        {{"CLPRV_O", "P1"}, {"FEDOC_O", "01/03/2027"}, {"FEREC_O", "05/03/2027"}, {"FEPAG_O", "04/04/2027"},
         {"DTOTA_O", "5"}, {"DFINT_O", "2"}, {"REFER_O", "OC-8"}, {"NOMBR_O", "ACEROS DEL NORTE"},
         {"TDOCU_O", "I"}},
        {"A:8", "D:2"});
  for (const auto& [clave, pedido] : {std::pair{"A", 12}, std::pair{"B", 6}, std::pair{"D", 3}}) {
    auto p = Abre("INVENTAR.DBF", "ICLPRO");
    ASSERT_TRUE(p->FindKey({clave}));
    p->Edit();
    p->FieldByName("COMRE_I").SetAsFloat(pedido);
    p->Post();
  }
  TFormaCompras& v = Ventana();
  v.TipoDocumento->setCurrentText(kOrdenCompra);
  v.Recepcin1->trigger();

  EXPECT_EQ(ui::Tag(v.BotonNuevo), 1);
  EXPECT_EQ(ui::Tag(v.TipoDocumento), 1);
  EXPECT_EQ(v.TipoDocumento->currentText(), kRecepcion);
  EXPECT_EQ(v.TextoTipoCompra, kRecepcion);
  EXPECT_FALSE(v.BotonPagos->isHidden());
  EXPECT_EQ(v.TablaComprasD->NombreTabla(), "ComprasD.dbf");
  // Numbered among the receipts, with the order's header.
  EXPECT_EQ(v.EditCLDOC_O->text(), "3");
  EXPECT_EQ(v.EditCLPRV_O->text(), "P1");
  EXPECT_EQ(v.EditFEDOC_O->text(), "01/03/2027");
  EXPECT_EQ(v.EditFEREC_O->text(), "05/03/2027");
  EXPECT_EQ(v.EditFEPAG_O->text(), "04/04/2027");
  EXPECT_EQ(v.EditDTOTA_O->text(), "5");
  EXPECT_EQ(v.EditDFINT_O->text(), "2");
  EXPECT_EQ(v.EditREFER_O->text(), "OC-8");
  EXPECT_EQ(v.Nombre->text(), "ACEROS DEL NORTE");
  // Still a new, unprinted document.
  EXPECT_EQ(Encabezado(v, "proceso"), "N");
  EXPECT_EQ(Encabezado(v, "TDOCU_O"), "");
  EXPECT_EQ(Lineas(v), (QStringList{"A:8", "D:2"}));
  // Nothing reached the shared receipts yet.
  EXPECT_EQ(Abre("ComprasE.dbf")->RecordCount(), 2);
  EXPECT_EQ(Mensajes(), QStringList());

  // Saved, it takes what it received off the products' quantities on order.
  v.Guardar1->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(ui::Tag(v.BotonNuevo), 0);
  EXPECT_EQ(ui::Tag(v.TipoDocumento), 0);
  EXPECT_EQ(DeProducto("A", "COMRE_I"), "4");
  EXPECT_EQ(DeProducto("D", "COMRE_I"), "1");
  EXPECT_EQ(DeProducto("B", "COMRE_I"), "6");
  auto e = Abre("ComprasE.dbf", "ICOMENC");
  ASSERT_TRUE(e->FindKey({3}));
  EXPECT_EQ(e->FieldByName("CLPRV_O").AsString(), "P1");
  EXPECT_EQ(e->FieldByName("REFER_O").AsString(), "OC-8");
}

TEST_F(ComandosCompra, OrdenPorProveedorYCompraSugerida) {
  TFormaCompras& v = Ventana();
  // The lookup left without a supplier.
  ui::PuertaModal::Espera("TFormaConProvee", [](QDialog& d) { Tecla(d, "DBGrid1", Qt::Key_Escape); });
  v.OrdendeCompra1->trigger();
  EXPECT_EQ(Mensajes(), QStringList{"Falto un Proveedor..."});
  EXPECT_EQ(v.TextoTipoCompra, kOrdenCompra);
  EXPECT_EQ(ui::Tag(v.BotonNuevo), 0);

  // P1 chosen: one line per product of P1 below its maximum, the header's
  // defaults filled as each box is entered.
  ui::PuertaModal::LimpiaMensajes();
  ui::PuertaModal::Espera("TFormaConProvee", [](QDialog& d) { Tecla(d, "DBGrid1", Qt::Key_Return); });
  v.OrdendeCompra1->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(ui::Tag(v.BotonNuevo), 1);
  EXPECT_EQ(v.EditCLPRV_O->text(), "P1");
  EXPECT_EQ(v.Nombre->text(), "ACEROS DEL NORTE");
  EXPECT_EQ(Lineas(v), (QStringList{"A:8", "D:2"}));
  EXPECT_EQ(v.EditFEDOC_O->text(), "10/03/2027");
  EXPECT_EQ(v.EditFEPAG_O->text(), "09/04/2027");
  EXPECT_EQ(v.EditTIMPU_O->text(), "16");
  EXPECT_EQ(v.EditNALMA_O->text(), "1");

  // Entering the grid of a new order offers the suggested order: from the
  // minimum of the supplier's products.
  EXPECT_TRUE(v.CompraSugerida1->isEnabled());
  v.CompraSugerida1->trigger();
  EXPECT_EQ(Lineas(v), (QStringList{"A:8", "D:2", "A:3", "D:5"}));
  v.CancelaMovimiento1->trigger();
  EXPECT_FALSE(v.CompraSugerida1->isEnabled());

  // A new order without a supplier: refused.
  v.Nuevo1->trigger();
  v.Detalle->setFocus();
  ASSERT_TRUE(v.CompraSugerida1->isEnabled());
  v.CompraSugerida1->trigger();
  EXPECT_EQ(Mensajes(), QStringList{"No se Puede Generar el Pedido Sugerido..."});
  v.CancelaMovimiento1->trigger();
  // Not offered for a new receipt.
  v.TipoDocumento->setCurrentText(kRecepcion);
  v.Nuevo1->trigger();
  v.Detalle->setFocus();
  EXPECT_FALSE(v.CompraSugerida1->isEnabled());
  v.CancelaMovimiento1->trigger();
}

TEST_F(ComandosCompra, ReproducirEmpiezaUnaRecepcionConElEncabezadoYLasPartidasDeLaMostrada) {
  Recepcion(4, 40,
            {{"CLPRV_O", "P1"}, {"FEDOC_O", "01/02/2027"}, {"FEREC_O", "02/02/2027"}, {"FEPAG_O", "03/03/2027"},
             {"REFER_O", "F-9"}, {"STDOC_O", "G"}, {"ABONO_O", "50"}, {"TREFE_O", "1"}, {"MI", "S"}},
            {"A:3", "B:1", "C:9@39"});
  TFormaCompras& v = Ventana();
  v.ReproducirDocumento1->trigger();
  EXPECT_EQ(ui::Tag(v.BotonNuevo), 1);
  EXPECT_EQ(v.EditCLDOC_O->text(), "5");
  EXPECT_EQ(v.EditCLPRV_O->text(), "P1");
  EXPECT_EQ(v.EditREFER_O->text(), "F-9");
  // Today's document date; the receipt and payment dates from their
  // defaults; a control of its own; none of the saved one's marks.
  EXPECT_EQ(v.EditFEDOC_O->text(), "10/03/2027");
  EXPECT_EQ(v.EditFEREC_O->text(), "10/03/2027");
  EXPECT_EQ(v.EditFEPAG_O->text(), "09/04/2027");
  EXPECT_NE(Encabezado(v, "CONTROL"), "40");
  EXPECT_EQ(Encabezado(v, "CONTROL").toInt(), v.ControlInicioCompra);
  for (const char* marca : {"STDOC_O", "ABONO_O", "TREFE_O", "MI"}) EXPECT_EQ(Encabezado(v, marca), "") << marca;
  EXPECT_EQ(Encabezado(v, "proceso"), "N");
  EXPECT_EQ(Lineas(v), (QStringList{"A:3", "B:1"}));
  v.CancelaMovimiento1->trigger();

  // The receipt changed at another station since it was shown: an empty one.
  {
    auto e = Abre("ComprasE.dbf", "ICOMENC");
    ASSERT_TRUE(e->FindKey({4}));
    e->Edit();
    e->FieldByName("CONTROL").SetAsInteger(41);
    e->Post();
  }
  v.ReproducirDocumento1->trigger();
  EXPECT_EQ(ui::Tag(v.BotonNuevo), 1);
  EXPECT_EQ(v.EditCLPRV_O->text(), "");
  EXPECT_EQ(Lineas(v), QStringList());
  v.CancelaMovimiento1->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ComandosCompra, ArchivoDeComprasCopiaLaTablaDeCapturaAVRL) {
  // A program folder of its own, so the copy is not the table itself.
  qputenv("VORLAN_PROGRAM_FOLDER", "C:\\TIENDA");
  struct Fin {
    ~Fin() { qunsetenv("VORLAN_PROGRAM_FOLDER"); }
  } fin;
  EscribeLineas(kArchivoInicio, {"C:\\TIENDA", kConfiguracion, ""});
  InstalaArchivosPrograma();
  CreaTablasEmpresa(db::Carpetas{kDatos, {}, {}, "C:\\TIENDA"});
  for (const char* archivo : {"Gener1.cnf", "usuarios.def"})
    ASSERT_TRUE(fs::CopiaArchivo(fs::Une(kPrograma, archivo), fs::Une("C:\\TIENDA", archivo)));
  Recepcion(1, 10, {{"CLPRV_O", "P1"}}, {"A:3", "B:1"});
  EscribeBytes("C:\\VRL\\Detacomp.DB", "viejo");
  TFormaCompras& v = Ventana();
  ASSERT_EQ(fs::Local(v.TablaDeta->Carpeta()), fs::Local("C:\\TIENDA"));
  v.ArchivodeCompras1->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
  db::Tabla copia;
  copia.SetCarpeta("C:\\VRL");
  copia.SetNombreTabla("Detacomp.DB");
  copia.Open();
  QStringList claves;
  for (copia.First(); !copia.Eof(); copia.Next()) claves << copia.FieldByName("CLAVE").AsString();
  EXPECT_EQ(claves, (QStringList{"A", "B"}));
}

TEST_F(ComandosCompra, PagosAbreLaCuentaDeLaRecepcionConElDerecho6) {
  Recepcion(3, 30, {{"CLPRV_O", "P1"}, {"IMDOC_O", "1000"}, {"SALDO_O", "600"}}, {"A:100"});
  {
    auto c = Abre("Cuepagar.DBF");
    for (const auto& [concepto, operacion, importe] : {std::tuple{51, "C", 1000}, std::tuple{7, "A", 400}}) {
      c->Append();
      c->FieldByName("NUCOM_CP").SetAsInteger(3);
      c->FieldByName("NUDOC_CP").SetAsString("3");
      c->FieldByName("CLPRO_CP").SetAsString("P1");
      c->FieldByName("TIMOV_CP").SetAsInteger(concepto);
      c->FieldByName("OPERA_CP").SetAsString(operacion);
      c->FieldByName("IMCUE_CP").SetAsFloat(importe);
      c->Post();
    }
  }
  TFormaCompras& v = Ventana("2");
  v.TipoDocumento->setCurrentText(kOrdenCompra);
  v.TipoDocumento->setCurrentText(kRecepcion);
  ASSERT_FALSE(v.BotonPagos->isHidden());
  ASSERT_EQ(v.LabelSaldo->text(), "Saldo 600.00");
  QString cuenta;
  ui::PuertaModal::Espera("TFormaCxPDetalle", [&cuenta](QDialog& d) {
    auto& c = static_cast<TFormaCxPDetalle&>(d);
    cuenta = c.Factura->text() + u'|' + c.SaldoE->text().remove(u' ') + u'|' + c.Estado->text();
    // Paid meanwhile: the window shows it when the account closes.
    auto e = Abre("ComprasE.dbf", "ICOMENC");
    e->FindKey({3});
    e->Edit();
    e->FieldByName("SALDO_O").SetAsFloat(0);
    e->FieldByName("STDOC_O").SetAsString("G");
    e->Post();
  });
  Pulsa(v, "BotonPagos");
  EXPECT_EQ(cuenta, "3|$600.00|Deudor");
  EXPECT_EQ(v.LabelSaldo->text(), "Saldo 0.00");
  EXPECT_EQ(v.Estado->text(), "Pagada");
  EXPECT_EQ(Mensajes(), QStringList());

  // Without right 6 the account does not open.
  {
    const QByteArray usuarios = ArchivoUsuarios({{"adm", DerechosSin({})}, {"sin6", DerechosSin({6})}});
    EscribeBytes(fs::Une(kDatos, "usuarios.def"), usuarios);
    EscribeBytes(fs::Une(kPrograma, "usuarios.def"), usuarios);
  }
  v.Usuario->setText("1");
  Pulsa(v, "BotonPagos");
  EXPECT_EQ(Mensajes(), QStringList{kSinAcceso});
  EXPECT_EQ(ui::PuertaModal::SinRespuesta(), QStringList());
}

// --- Cancel.

TEST_F(ComandosCompra, CancelarConLaClaveDeQuienTieneElDerecho57) {
  fs::CreaCarpeta(fs::Une(kDatos, "Bitacora"));
  RecepcionGuardada(1, 10, "P1", 100, 100);
  RecepcionGuardada(2, 20, "P1", 80, 80);
  {
    auto p = Abre("PROVEEDO.DBF", "ICLAPRO");
    p->FindKey({"P1"});
    p->Edit();
    p->FieldByName("SALDO_P").SetAsFloat(180);
    p->Post();
  }
  TFormaCompras& v = Ventana("2");
  ASSERT_EQ(v.EditCLDOC_O->text(), "2");
  ASSERT_TRUE(v.Cancelar1->isEnabled());

  // The user's own password lacks the right; "No" leaves it as it was.
  RespondeCancelacion("caja", std::nullopt);
  v.Cancelar1->trigger();
  EXPECT_EQ(Mensajes(), QStringList{kSinAcceso});
  RespondeCancelacion("jefe", false);
  v.Cancelar1->trigger();
  EXPECT_EQ(MarcasCompra(2), "G|,|,|/80");

  ui::PuertaModal::LimpiaMensajes();
  RespondeCancelacion("jefe");
  v.Cancelar1->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(v.Estado->text(), "Cancelada");
  EXPECT_FALSE(v.BotonCambios->isEnabled());
  EXPECT_EQ(MarcasCompra(2), "CG|C,C|C,C|C/0");
  EXPECT_EQ(MarcasCompra(1), "G|,|,|/100");
  EXPECT_EQ(fs::LeeLineas(ArchivoHistorial(kDatos, u'C', "2")),
            QStringList{LineaHistorial("CANCELADA", "Usuario 2")});
  EXPECT_FALSE(fs::ExisteArchivo(fs::Une(kPrograma, kDiarioCompras)));
  // Stock and the supplier's balance stay.
  EXPECT_EQ(DeProducto("A", "EXIST_I"), "2");
  auto proveedor = Abre("PROVEEDO.DBF", "ICLAPRO");
  ASSERT_TRUE(proveedor->FindKey({"P1"}));
  EXPECT_EQ(proveedor->FieldByName("SALDO_P").AsString(), "180");
  proveedor.reset();

  // A second cancel asks the password and nothing more.
  RespondeCancelacion("jefe", std::nullopt);
  v.Cancelar1->trigger();
  EXPECT_EQ(ui::PuertaModal::Pendientes(), 0);
  EXPECT_EQ(fs::LeeLineas(ArchivoHistorial(kDatos, u'C', "2")).size(), 1);

  // The logged-in administrator goes on whatever is typed (the right check
  // still says the text is nobody's).
  v.Usuario->setText("0");
  v.Navegador->Pulsa(ui::Navegador::Primero);
  RespondeCancelacion("zzz");
  v.Cancelar1->trigger();
  EXPECT_EQ(Mensajes(), QStringList{kUsuarioNoValido});
  EXPECT_EQ(MarcasCompra(1), "CG|C,C|C,C|C/0");
}

TEST_F(ComandosCompra, CancelarUnaRecepcionPagadaTerminaSinDecirNadaYUnaOrdenSoloSeMarca) {
  // Paid by a bulk payment: its charge owes nothing.
  RecepcionGuardada(3, 30, "P1", 100, 0);
  Orden(8, 80, {{"CLPRV_O", "P1"}}, {"A:8"});
  TFormaCompras& v = Ventana();
  RespondeCancelacion("adm", std::nullopt);
  v.Cancelar1->trigger();
  EXPECT_EQ(ui::PuertaModal::Pendientes(), 0);
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(MarcasCompra(3), "G|,|,|/0");

  v.TipoDocumento->setCurrentText(kOrdenCompra);
  RespondeCancelacion("adm");
  v.Cancelar1->trigger();
  EXPECT_EQ(v.Estado->text(), "Cancelada");
  auto e = Abre("OrdenCom.dbf");
  e->First();
  EXPECT_EQ(e->FieldByName("STDOC_O").AsString() + e->FieldByName("proceso").AsString(), "CG");
  auto d = Abre("OrdenDet.dbf");
  d->First();
  EXPECT_EQ(d->FieldByName("TREGI_OD").AsString(), "");
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ComandosCompra, UnaCancelacionEsperaLaRecepcionQueOtraEstacionCambiaYNoCambiaNada) {
  RecepcionGuardada(5, 50, "P1", 100, 100);
  TFormaCompras& v = Ventana();
  // Another station holds receipt 5 in edit.
  prueba::ProcesoHijo otra("RetieneCompra", {"5"});
  ASSERT_EQ(otra.EsperaLinea(), "LISTO");
  RespondeCancelacion("adm");
  v.Cancelar1->trigger();
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].startsWith("No se pudo cancelar la compra 5: ")) << Mensajes()[0].toStdString();
  EXPECT_TRUE(Mensajes()[0].contains("bloqueado por otro usuario")) << Mensajes()[0].toStdString();
  EXPECT_EQ(MarcasCompra(5), "G|,|,|/100");
  EXPECT_EQ(v.Estado->text(), "Activa");
  EXPECT_FALSE(fs::ExisteArchivo(fs::Une(kPrograma, kDiarioCompras)));
  otra.Envia("FIN");
  EXPECT_EQ(otra.Espera(), 0);

  // Free again: it cancels.
  ui::PuertaModal::LimpiaMensajes();
  RespondeCancelacion("adm");
  v.Cancelar1->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(MarcasCompra(5), "CG|C,C|C,C|C/0");
}

// A station that cancels the receipt shown and is stopped dead at the
// given write of the cancel.
RUTINA_HIJA(CancelaCompraYMuere) {
  int argc = 1;
  char nombre[] = "estacion";
  char* argv[] = {nombre, nullptr};
  ui::Aplicacion app(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  TFormaCompras v;
  v.Usuario->setText("0");
  v.Show();
  QApplication::setActiveWindow(&v);
  v.DisparaActivacion();
  RespondeCancelacion("adm");
  falla::Arma(QString::fromLatin1(guardado::puntos::kEscrito), argumentos.value(0).toInt());
  prueba::AvisaPadre("ARMADO");
  v.Cancelar1->trigger();
  return 0;  // the point was not reached
}

TEST_F(ComandosCompra, UnaEstacionMuertaAMitadDeCancelarTerminaLaCancelacionUnaVezAlVolver) {
  fs::CreaCarpeta(fs::Une(kDatos, "Bitacora"));
  int muertes = 0;
  for (int pasada = 1; pasada <= 8; ++pasada) {
    RecepcionGuardada(pasada, 100 + pasada, "P1", 100, 100);
    {
      prueba::ProcesoHijo estacion("CancelaCompraYMuere", {QString::number(pasada)});
      ASSERT_EQ(estacion.EsperaLinea(), "ARMADO");
      const std::optional<int> fin = estacion.EsperaFin();
      if (fin) {
        // The cancel ended before that write: nothing is left to finish.
        EXPECT_EQ(*fin, 0);
        EXPECT_EQ(MarcasCompra(pasada), "CG|C,C|C,C|C/0");
        break;
      }
      ++muertes;
    }
    // The station comes back: its window finishes the cancel once.
    compras_.reset();
    Ventana();
    EXPECT_EQ(Mensajes(), QStringList()) << pasada;
    EXPECT_EQ(MarcasCompra(pasada), "CG|C,C|C,C|C/0") << pasada;
    EXPECT_EQ(fs::LeeLineas(ArchivoHistorial(kDatos, u'C', QString::number(pasada))).size(), 1) << pasada;
    EXPECT_FALSE(fs::ExisteArchivo(fs::Une(kPrograma, kDiarioCompras))) << pasada;
    compras_.reset();
  }
  EXPECT_GE(muertes, 5);
}

TEST_F(ComandosCompra, LasOcultasEliminarYDevolucion) {
  RecepcionGuardada(4, 40, "P1", 100, 0);
  TFormaCompras& v = Ventana();
  EXPECT_FALSE(v.Eliminar1->isVisible());
  EXPECT_FALSE(v.Devolucin1->isVisible());
  // A receipt with payments is not deleted.
  v.Eliminar1->trigger();
  EXPECT_EQ(Mensajes(), QStringList{"La Compra no puede Eliminarse porque Tiene Movimientos"});

  // The return: a new return to the supplier with the receipt's header and
  // lines.
  ui::PuertaModal::LimpiaMensajes();
  v.Devolucin1->trigger();
  EXPECT_EQ(ui::Tag(v.BotonNuevo), 1);
  EXPECT_EQ(v.TextoTipoCompra, kDevolucionCompra);
  EXPECT_EQ(v.TablaComprasD->NombreTabla(), "DevolDet.dbf");
  EXPECT_EQ(v.ConceptoMovimientoCompra, 2);
  EXPECT_EQ(v.EditCLDOC_O->text(), "1");
  EXPECT_EQ(v.EditCLPRV_O->text(), "P1");
  EXPECT_EQ(Lineas(v), (QStringList{"A:5", "B:2"}));
  v.CancelaMovimiento1->trigger();

  // An order: its lines of the header's control go, the header stays.
  Orden(8, 80, {{"CLPRV_O", "P1"}}, {"A:8", "D:2", "B:1@79"});
  v.TipoDocumento->setCurrentText(kOrdenCompra);
  ui::PuertaModal::Espera("TFormaAdvertencia", [](QDialog& d) {
    EXPECT_EQ(prueba::Texto(d, "Label1"), "Esta Seguro de Eliminar este Registro ?");
    Pulsa(d, "BitBtn1");
  });
  v.Eliminar1->trigger();
  EXPECT_EQ(Abre("OrdenCom.dbf")->RecordCount(), 1);
  QStringList quedan;
  auto d = Abre("OrdenDet.dbf");
  for (d->First(); !d->Eof(); d->Next()) quedan << d->FieldByName("CLPRO_OD").AsString();
  EXPECT_EQ(quedan, QStringList{"B"});
  EXPECT_EQ(Lineas(v), QStringList());
  EXPECT_EQ(Mensajes(), QStringList());
}

// --- Options and tools.

TEST_F(ComandosCompra, LasOpcionesReescribenSuArchivoDeUnaLinea) {
  TFormaCompras& v = Ventana();
  const auto archivo = [](const QString& nombre) { return fs::LeeLineas(fs::Une(kPrograma, nombre)); };
  struct Caso {
    QAction* opcion;
    QString archivo;
    QStringList marcada, desmarcada;
  };
  for (const Caso& c : {Caso{v.QuitarPrecioCliente1, "opc_com.cnf", {"S"}, {"N"}},
                        Caso{v.VentanadeDescuentos1, "DescCompra.cnf", {"S"}, {"N"}},
                        Caso{v.ReferenciaenCuentaPorPagar1, "RefCxP.cnf", {"S"}, {"N"}},
                        Caso{v.PorCostoPromedio1, "Compras.cnf", {"P"}, {}}}) {
    ASSERT_FALSE(c.opcion->isChecked()) << c.archivo.toStdString();
    c.opcion->trigger();
    EXPECT_EQ(archivo(c.archivo), c.marcada) << c.archivo.toStdString();
    c.opcion->trigger();
    EXPECT_EQ(archivo(c.archivo), c.desmarcada) << c.archivo.toStdString();
  }
  EXPECT_EQ(fs::LeeBytes(fs::Une(kPrograma, "Compras.cnf")), QByteArray());
  // The client price stays hidden once unchecked, until the next start.
  EXPECT_FALSE(v.Detalle->Columna(8).visible);

  // "Quitar Empaques" hides the boxes now, the packages at the next start.
  EXPECT_TRUE(v.Detalle->Columna(1).visible);
  v.QuitarEmpaques1->trigger();
  EXPECT_EQ(archivo("empa_com.cnf"), (QStringList{"N", "S"}));
  EXPECT_FALSE(v.Detalle->Columna(1).visible);
  EXPECT_TRUE(v.Detalle->Columna(2).visible);
  v.QuitarEmpaque1->trigger();
  EXPECT_EQ(archivo("empa_com.cnf"), (QStringList{"S", "S"}));
  compras_.reset();
  TFormaCompras& otra = Ventana();
  EXPECT_FALSE(otra.Detalle->Columna(1).visible);
  EXPECT_FALSE(otra.Detalle->Columna(2).visible);
  EXPECT_TRUE(otra.QuitarEmpaques1->isChecked());
  EXPECT_EQ(otra.Detalle->Columna(8).ancho, 60);
  EXPECT_TRUE(otra.Detalle->Columna(8).visible);
  // "Compras.cnf" is not read back.
  EXPECT_FALSE(otra.PorCostoPromedio1->isChecked());
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ComandosCompra, DescuentoConLaClaveDeQuienTieneElDerecho59) {
  const auto columnaDescuentoSoloLectura = [](const TFormaCompras& v) {
    return v.Detalle->Columna(5).soloLectura && v.Detalle->Columna(6).soloLectura;
  };
  fs::CreaCarpeta(fs::Une(kDatos, "Bitacora"));
  TFormaCompras& v = Ventana();
  v.Nuevo1->trigger();
  ASSERT_TRUE(v.BotonDescuento->isVisible());
  EXPECT_TRUE(columnaDescuentoSoloLectura(v));
  const auto clave = [](const QString& texto) {
    ui::PuertaModal::Espera("TFormaAdministrador", [texto](QDialog& d) {
      EXPECT_EQ(prueba::Texto(d, "Label1"), "Esta Opción Esta Limitada");
      EXPECT_EQ(prueba::Texto(d, "Label2"), "Introduzca su Clave");
      prueba::Teclea(d, "Clave", texto);
      Pulsa(d, "BitBtn1");
    });
  };
  // A user without the right, and a password that is nobody's.
  clave("caja");
  Pulsa(v, "BotonDescuento");
  clave("nadie");
  Pulsa(v, "BotonDescuento");
  EXPECT_EQ(Mensajes(), (QStringList{kSinAcceso, kUsuarioNoValido}));
  EXPECT_TRUE(columnaDescuentoSoloLectura(v));
  EXPECT_TRUE(v.EditDTOTA_O->isReadOnly());
  EXPECT_EQ(Encabezado(v, "CONTR_O"), "");

  ui::PuertaModal::LimpiaMensajes();
  clave("jefe");
  Pulsa(v, "BotonDescuento");
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_FALSE(columnaDescuentoSoloLectura(v));
  EXPECT_FALSE(v.EditDTOTA_O->isReadOnly());
  EXPECT_FALSE(v.EditDFINT_O->isReadOnly());
  EXPECT_EQ(Encabezado(v, "CONTR_O"), "1");
  const QStringList bitacora = fs::LeeLineas(fs::Une(kDatos, "Bitacora\\C-" + v.EditCLDOC_O->text() + ".bit"));
  ASSERT_EQ(bitacora.size(), 1);
  EXPECT_TRUE(bitacora[0].endsWith(" DESCUENTO Por Usuario 0")) << bitacora[0].toStdString();

  // A later wrong password locks them again.
  clave("nadie");
  Pulsa(v, "BotonDescuento");
  EXPECT_TRUE(columnaDescuentoSoloLectura(v));
  v.CancelaMovimiento1->trigger();
}

TEST_F(ComandosCompra, ImportarArchivoCompletaLasPartidasDesdeSuProducto) {
  const QString datos = "C:\\VRL\\importa\\compra.txt";
  EscribeLineas("C:\\VRL\\importa_fact.cnf", {"CLAVE", "CANTIDAD"});
  EscribeLineas(datos, {"A,5,1", "B,2,1", "ZZ,1,1", "C,3,2"});
  EscribeLineas("C:\\VRL\\confi_importa.cnf", {datos});
  TFormaCompras& v = Ventana();
  v.Nuevo1->trigger();
  ui::PuertaModal::Espera("TFormaImportaArchivo", [](QDialog& d) {
    prueba::Reescribe(static_cast<QLineEdit*>(prueba::Componente(d, "EditDocumento")), "1");
    Pulsa(d, "BotonAgregar");
    Pulsa(d, "BotonImportar");
  });
  v.ImportarArchivo1->trigger();
  EXPECT_EQ(Lineas(v), (QStringList{"A:5", "B:2", "ZZ:1"}));
  db::Tabla& c = *v.TablaDeta;
  c.First();
  EXPECT_EQ(c.FieldByName("PRODUCTO").AsString(), "PRODUCTO A");
  EXPECT_EQ(c.FieldByName("PRECIO").AsString(), "9");
  c.Next();
  EXPECT_EQ(c.FieldByName("PRODUCTO").AsString(), "PRODUCTO B");
  EXPECT_EQ(Mensajes(), QStringList{"El Producto No Se encuenta"});
  EXPECT_EQ(v.EtiSubtotal->text().remove(' '), "$53.00");

  // A map naming a field the capture lacks: said, nothing added.
  ui::PuertaModal::LimpiaMensajes();
  EscribeLineas("C:\\VRL\\importa_fact.cnf", {"CLAVE", "CUANTOS"});
  ui::PuertaModal::Espera("TFormaImportaArchivo", [](QDialog& d) {
    Pulsa(d, "BotonAgregar");
    Pulsa(d, "BotonImportar");
  });
  v.ImportarArchivo1->trigger();
  EXPECT_EQ(Mensajes(), QStringList{"El archivo importa_fact.cnf nombra el campo CUANTOS, que la captura de compras "
                                    "no tiene. No se importó nada."});
  EXPECT_EQ(Lineas(v).size(), 3);
  v.CancelaMovimiento1->trigger();

  // Without right 20 the dialog does not open.
  ui::PuertaModal::LimpiaMensajes();
  v.Usuario->setText("2");
  v.Nuevo1->trigger();
  v.ImportarArchivo1->trigger();
  EXPECT_EQ(Mensajes(), QStringList{kSinAcceso});
  EXPECT_EQ(ui::PuertaModal::Pendientes(), 0);
  v.CancelaMovimiento1->trigger();
}

TEST_F(ComandosCompra, MantenimientoMarcaLasPartidasDeLasCanceladasDesdeLaMostrada) {
  Recepcion(1, 10, {{"STDOC_O", "C"}}, {"A:1"});
  Recepcion(2, 20, {}, {"A:2"});
  Recepcion(3, 30, {{"STDOC_O", "C"}}, {"A:3", "B:3", "C:3@29"});
  Recepcion(4, 40, {{"STDOC_O", "G"}}, {"A:4"});
  TFormaCompras& v = Ventana();
  v.Navegador->Pulsa(ui::Navegador::Primero);
  v.Navegador->Pulsa(ui::Navegador::Siguiente);
  ASSERT_EQ(v.EditCLDOC_O->text(), "2");
  v.MantenimientoModulo1->trigger();
  const auto marcas = [] {
    QStringList filas;
    auto d = Abre("ComprasD.dbf");
    for (d->First(); !d->Eof(); d->Next())
      filas << d->FieldByName("CLDOC_OD").AsString() + d->FieldByName("CLPRO_OD").AsString() + u'|' +
                   d->FieldByName("TREGI_OD").AsString();
    return filas;
  };
  // Receipt 1 lies before the one shown; the line of 3 with an older control
  // is not its.
  EXPECT_EQ(marcas(), (QStringList{"1A|", "2A|", "3A|C", "3B|C", "3C|", "4A|"}));
  // From the first header, the whole table.
  v.Navegador->Pulsa(ui::Navegador::Primero);
  v.MantenimientoModulo1->trigger();
  EXPECT_EQ(marcas(), (QStringList{"1A|C", "2A|", "3A|C", "3B|C", "3C|", "4A|"}));
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ComandosCompra, MIPoneElPrecioDeLasPartidasComoUltimoCostoYCostoPromedio) {
  Recepcion(1, 10, {}, {"A:1", "ZZ:1", "C:2"});
  TFormaCompras& v = Ventana();
  {
    db::Tabla& c = *v.TablaDeta;
    c.Last();
    c.Edit();
    c.FieldByName("PRECIO").SetAsFloat(12.75);
    c.Post();
  }
  v.MI1->trigger();
  EXPECT_EQ(DeProducto("A", "ULCOS_I"), "10");
  EXPECT_EQ(DeProducto("A", "CPROM_I"), "10");
  EXPECT_EQ(DeProducto("C", "ULCOS_I"), "12.75");
  EXPECT_EQ(DeProducto("C", "CPROM_I"), "12.75");
  EXPECT_EQ(DeProducto("B", "ULCOS_I"), "4");
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ComandosCompra, BitacoraSoloParaElUsuario0AyudaYCalculadora) {
  Recepcion(6, 60, {{"CLPRV_O", "P1"}}, {"A:1"});
  fs::CreaCarpeta(fs::Une(kDatos, "Bitacora"));
  EscribeLineas(fs::Une(kDatos, "Bitacora\\C-6.bit"), {"09/03/2027 10:00:00 GUARDADA Por Usuario 1"});
  TFormaCompras& v = Ventana("1");
  v.Bitacora1->trigger();
  EXPECT_EQ(ui::PuertaModal::SinRespuesta(), QStringList());
  v.Usuario->setText("0");
  QString mostrado;
  ui::PuertaModal::Espera("TFormaObservaciones", [&](QDialog& d) {
    mostrado = d.windowTitle() + u'|' + static_cast<TFormaObservaciones&>(d).Observacion->toPlainText();
    EXPECT_TRUE(static_cast<TFormaObservaciones&>(d).BitBtn1->isHidden());
  });
  v.Bitacora1->trigger();
  EXPECT_EQ(mostrado, "Bitacora|09/03/2027 10:00:00 GUARDADA Por Usuario 1");

  QString ayuda;
  ui::PuertaModal::Espera("TFormaAyudaLinea", [&](QDialog& d) {
    ayuda = static_cast<QTextEdit*>(prueba::Componente(d, "Texto"))->toPlainText();
  });
  v.Ayuda2->trigger();
  EXPECT_TRUE(ayuda.contains("Compras")) << ayuda.toStdString();

  prueba::LanzadorGrabador lanzador;
  qputenv("VORLAN_PROGRAMAS", "calc.exe=gnome-calculator");
  v.Calculadora1->trigger();
  qunsetenv("VORLAN_PROGRAMAS");
  ASSERT_EQ(lanzador.iniciados.size(), 1);
  EXPECT_EQ(lanzador.iniciados[0].programa, "gnome-calculator");
  EXPECT_EQ(Mensajes(), QStringList());
}

}  // namespace
