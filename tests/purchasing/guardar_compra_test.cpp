// Saving purchases as a buyer saves them: a receipt with its stock, costs,
// supplier balance, charge row, mirror, control files and log; a change;
// the key and description checks; the sale prices from the new cost; two
// stations receiving the same products at once; a station killed in the
// middle of a save; the empty number; the buffer files.

#include "compras_prueba.h"
#include "foundation/cerrar.h"
#include "foundation/rutinas_bitacora.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Falla.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/PuertaModal.h"
#include "foundation/UnidadTrabajo.h"
#include "purchasing/BuferCompra.h"
#include "purchasing/Compras.h"
#include "purchasing/ConsultaCuePagar.h"
#include "purchasing/CxPDetalle.h"
#include "purchasing/GuardaCompra.h"
#include "purchasing/PoliticaCompras.h"
#include "support/Maneja.h"
#include "support/Proceso.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QToolButton>


namespace {

const QString kControlDatos = QStringLiteral("C:\\VRL\\DATOS\\Control\\03-2027");
const QString kControlPrograma = QStringLiteral("C:\\VRL\\Control\\03-2027");
// NumeroControlCompra at 10:00.
const QString kControl = QStringLiteral("41666");

class GuardaCompras : public ComprasPrueba {
 protected:
  void SetUp() override {
    ComprasPrueba::SetUp();
    fs::FijaAhora(QDateTime(QDate(2027, 3, 10), QTime(10, 0)));
    FijaLinea(ConfBitacora, "S");
    EscribeLineas(fs::Une(kDatos, "impuesto.cnf"), {"16"});
    QDir().mkpath(fs::Local(kControlDatos));
    QDir().mkpath(fs::Local(fs::Une(kDatos, "Bitacora")));
    AgregaProveedor("S", "ACEROS DEL NORTE", 500);
    Producto("P", "TORNILLO", 10, 5);
    auto conceptos = Abre("concepto.dbf");
    conceptos->Append();
    conceptos->FieldByName("NUMOV_MO").SetAsInteger(51);
    conceptos->FieldByName("CONCE_MO").SetAsString("COMPRA");
    conceptos->Post();
    // An earlier receipt: the new one is number 5.
    auto e = Abre("ComprasE.dbf");
    e->Append();
    e->FieldByName("CLDOC_O").SetAsInteger(4);
    e->FieldByName("CLPRV_O").SetAsString("S");
    e->FieldByName("proceso").SetAsString("G");
    e->Post();
    ui::PuertaModal::LimpiaMensajes();
  }

  void TearDown() override {
    compras_.reset();
    ComprasPrueba::TearDown();
  }

  static void Producto(const QString& clave, const QString& nombre, double existencia, double costo,
                       const QString& metodo = "PROM") {
    auto t = Abre("INVENTAR.DBF");
    TRegistroProducto p;
    p.CLPRO_I = clave;
    p.DSCPR_I = nombre;
    p.EXIST_I = existencia;
    p.ULCOS_I = Dinero::DeReal(costo);
    p.CPROM_I = Dinero::DeReal(costo);
    p.PPUBL_I = Dinero::DeReal(costo * 2);
    p.PIVA1_I = 16;
    p.PORC1_I = 100;
    p.TICOS_I = metodo;
    t->Append();
    p.Escribe(*t);
    t->Post();
  }

  // Product columns set after the product is made.
  static void FijaProducto(const QString& clave, const QList<std::pair<QString, QVariant>>& valores) {
    auto t = Abre("INVENTAR.DBF", "ICLPRO");
    ASSERT_TRUE(t->FindKey({clave}));
    t->Edit();
    for (const auto& [campo, valor] : valores) t->FieldByName(campo).SetValue(valor);
    t->Post();
  }

  static QString Valor(const QString& archivo, const QString& tag, const QVariant& clave, const char* campo) {
    auto t = Abre(archivo, tag);
    if (!t->FindKey({clave})) return "(no hay)";
    return t->FieldByName(campo).AsString();
  }
  static QString DeProducto(const QString& clave, const char* campo) { return Valor("INVENTAR.DBF", "ICLPRO", clave, campo); }
  static QString DeKardex(const QString& clave, const char* campo) { return Valor("Kardex.dbf", "CLPRO_I", clave, campo); }
  static QString DeProveedor(const char* campo) { return Valor("PROVEEDO.DBF", "ICLAPRO", "S", campo); }

  static QStringList Filas(const QString& archivo, const QStringList& campos) {
    auto t = Abre(archivo);
    QStringList filas;
    for (t->First(); !t->Eof(); t->Next()) {
      QStringList valores;
      for (const QString& c : campos) valores << t->FieldByName(c).AsString();
      filas << valores.join(u'|');
    }
    return filas;
  }

  TFormaCompras& Ventana(const QString& usuario = "0") {
    if (!compras_) compras_ = std::make_unique<TFormaCompras>();
    compras_->Usuario->setText(usuario);
    compras_->Show();
    QApplication::setActiveWindow(compras_.get());
    compras_->DisparaActivacion();
    return *compras_;
  }

  // A capture line as the grid leaves it once the product is completed.
  static void Linea(TFormaCompras& v, double cantidad, const QString& clave, double precio,
                    const QString& descripcion = {}) {
    db::Tabla& c = *v.TablaDeta;
    c.Append();
    c.FieldByName("CANTIDAD").SetAsFloat(cantidad);
    c.FieldByName("CLAVE").SetAsString(clave);
    auto p = Abre("INVENTAR.DBF", "ICLPRO");
    const bool producto = p->FindKey({clave});
    c.FieldByName("PRODUCTO").SetAsString(!descripcion.isEmpty() ? descripcion
                                          : producto            ? p->FieldByName("DSCPR_I").AsString()
                                                                : clave);
    c.FieldByName("PRECIO").SetAsFloat(precio);
    c.FieldByName("IMPUESTO").SetAsFloat(16);
    c.FieldByName("PCON_IVA").SetAsFloat(producto ? p->FieldByName("PORC1_I").AsFloat() : 0);
    c.Post();
  }

  // New, the supplier typed and left, the lines.
  TFormaCompras& NuevaRecepcion(const QList<std::tuple<double, QString, double>>& lineas,
                                const QString& proveedor = "S") {
    TFormaCompras& v = Ventana();
    v.Nuevo1->trigger();
    v.EditCLPRV_O->setFocus();
    prueba::Reescribe(v.EditCLPRV_O, proveedor);
    v.EditFEDOC_O->setFocus();
    for (const auto& [cantidad, clave, precio] : lineas) Linea(v, cantidad, clave, precio);
    v.CalculaTotalesCompra();
    return v;
  }

  static bool Navegando(const TFormaCompras& v) {
    return !v.Caja->isEnabled() && !v.BotonGuardar->isEnabled() && v.BotonNuevo->isEnabled() &&
           v.BotonCambios->isEnabled() && ui::Tag(v.BotonNuevo) == 0 && ui::Tag(v.BotonCambios) == 0;
  }

  std::unique_ptr<TFormaCompras> compras_;
};

TEST_F(GuardaCompras, UnaRecepcionNuevaConTodosSusEfectos) {
  TFormaCompras& v = NuevaRecepcion({{10, "P", 7}});
  EXPECT_EQ(v.Nombre->text(), "ACEROS DEL NORTE");
  EXPECT_EQ(v.EtiTotal->text().trimmed(), "$         81.20");
  prueba::Tecla(v, "", Qt::Key_G, Qt::ControlModifier);
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_TRUE(Navegando(v));
  EXPECT_EQ(v.EditCLDOC_O->text(), "5");
  EXPECT_EQ(v.TablaDeta->RecordCount(), 1);

  EXPECT_EQ(Filas("ComprasE.dbf", {"CLDOC_O", "CLPRV_O", "NOMBR_O", "SUBTO_O", "IMPMO_O", "IMDOC_O", "SALDO_O",
                                   "CONTROL", "TREFE_O", "MI", "proceso", "HORAF_F", "USUARIO"})
                .value(1),
            "5|S|ACEROS DEL NORTE|70|11.2|81.2|81.2|" + kControl + "|1|S|G|0|0");
  EXPECT_EQ(Filas("ComprasD.dbf", {"CLDOC_OD", "CONTROL", "CLPRO_OD", "CANTI_OD", "CUNIT_OD", "INICIAL", "FINAL",
                                   "PROVE_OD", "FEDOC_OD"}),
            QStringList{"5|" + kControl + "|P|10|7|10|20|S|10/03/2027"});
  EXPECT_EQ(DeProducto("P", "EXIST_I"), "20");
  EXPECT_EQ(DeProducto("P", "ULCOS_I"), "7");
  EXPECT_EQ(DeProducto("P", "CPROM_I"), "6");
  EXPECT_EQ(DeProducto("P", "FEULC_I"), "10/03/2027");
  EXPECT_EQ(DeKardex("P", "ENTRA_I"), "10");
  EXPECT_EQ(DeKardex("P", "INVEN_I"), "20");
  EXPECT_EQ(Filas("MOVIMIENTOS.DBF", {"CLDOC_MI", "CLPRO_MI", "TIMOV_MI", "CANTI_MI", "CONTROL"}),
            QStringList{"5|P|51|10|" + kControl});
  EXPECT_EQ(DeProveedor("SALDO_P"), "581.2");
  EXPECT_EQ(DeProveedor("COMPR_P"), "81.2");
  EXPECT_EQ(DeProveedor("FULCO_P"), "10/03/2027");
  EXPECT_EQ(Filas("CUEPAGAR.DBF", {"NUCOM_CP", "NUDOC_CP", "CLPRO_CP", "NOMBR_CP", "TIMOV_CP", "CONCE_CP",
                                   "OPERA_CP", "IMCUE_CP", "CARGO_CP", "SALDO_CP", "FEAPL_CP"}),
            QStringList{"5|5|S|ACEROS DEL NORTE|51|COMPRA|C|81.2|81.2|81.2|10/03/2027"});

  // The control files: the marker, the snapshot, the movement check and
  // the document log.
  EXPECT_EQ(fs::LeeLineas(fs::Une(kControlDatos, "Conse.dat")), QStringList{"R,5," + kControl});
  const QStringList fotos = QDir(fs::Local(kControlPrograma)).entryList({"CO-R5-*.con"});
  ASSERT_EQ(fotos.size(), 1);
  const QStringList foto = fs::LeeLineas(fs::Une(kControlPrograma, fotos[0]));
  ASSERT_EQ(foto.size(), 2);
  EXPECT_TRUE(foto[0].startsWith("CLDOC_O,5,CLPRV_O,S,")) << foto[0].toStdString();
  EXPECT_TRUE(foto[1].contains("CLPRO_OD,P,")) << foto[1].toStdString();
  EXPECT_EQ(fs::LeeLineas(fs::Une(kPrograma, "compras.dat")), QStringList{"O5-" + kControl});
  EXPECT_EQ(fs::LeeLineas(ArchivoHistorial(kDatos, u'C', "5")),
            QStringList{LineaHistorial("GUARDADA", "Usuario 0")});
  EXPECT_FALSE(fs::ExisteArchivo(fs::Une(kPrograma, kDiarioCompras)));
}

// Another station holding a receipt's header in edit until the parent
// answers.
RUTINA_HIJA(RetieneCompra) {
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla("ComprasE.dbf");
  t.SetIndexName("ICOMENC");
  t.Open();
  if (!t.FindKey({argumentos.value(0).toLongLong()})) return 1;
  t.Edit();
  prueba::AvisaPadre("LISTO");
  prueba::EsperaPadre();
  t.Cancel();
  return 0;
}

TEST_F(GuardaCompras, UnCambioAplicaSoloLaDiferencia) {
  TFormaCompras& v = NuevaRecepcion({{10, "P", 7}});
  v.Guardar1->trigger();
  ASSERT_EQ(v.EditCLDOC_O->text(), "5");
  const QString guardada = LineaHistorial("GUARDADA", "Usuario 0");
  fs::FijaAhora(QDateTime(QDate(2027, 3, 10), QTime(11, 0)));

  v.Modificar1->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(ui::Tag(v.BotonCambios), 1);
  EXPECT_TRUE(v.Caja->isEnabled());
  EXPECT_EQ(v.ClavesAnterioresCompra, QStringList{"P"});
  EXPECT_EQ(v.CantidadesAnterioresCompra, QStringList{"10"});
  // Proceso "N" while the change lasts.
  EXPECT_EQ(Valor("ComprasE.dbf", "ICOMENC", 5, "proceso"), "N");
  v.TablaDeta->First();
  v.TablaDeta->Edit();
  v.TablaDeta->FieldByName("CANTIDAD").SetAsFloat(12);
  v.TablaDeta->Post();
  v.Guardar1->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_TRUE(Navegando(v));

  EXPECT_EQ(Filas("ComprasE.dbf", {"CLDOC_O", "IMDOC_O", "SALDO_O", "CONTROL", "proceso"}).value(1),
            "5|97.44|97.44|" + kControl + "|G");
  EXPECT_EQ(Filas("ComprasD.dbf", {"CLDOC_OD", "CANTI_OD", "INICIAL", "FINAL"}), QStringList{"5|12|10|22"});
  EXPECT_EQ(DeProducto("P", "EXIST_I"), "22");
  // Entries are counted again in full, as the totals always did.
  EXPECT_EQ(DeKardex("P", "ENTRA_I"), "22");
  EXPECT_EQ(Filas("MOVIMIENTOS.DBF", {"CLDOC_MI", "CANTI_MI", "TIMOV_MI"}), QStringList{"5|12|51"});
  EXPECT_EQ(DeProveedor("SALDO_P"), "597.44");
  EXPECT_EQ(DeProveedor("COMPR_P"), "97.44");
  EXPECT_EQ(Filas("CUEPAGAR.DBF", {"NUCOM_CP", "IMCUE_CP", "CARGO_CP", "SALDO_CP"}), QStringList{"5|97.44|97.44|97.44"});
  EXPECT_EQ(fs::LeeLineas(ArchivoHistorial(kDatos, u'C', "5")),
            (QStringList{guardada, LineaHistorial("MODIFICADA", "Usuario 0"),
                         LineaHistorial("GUARDADA", "Usuario 0")}));
  // Two snapshots, one per save.
  EXPECT_EQ(QDir(fs::Local(kControlPrograma)).entryList({"CO-R5-*.con"}).size(), 2);

  // A receipt another station holds in edit is not changed here.
  prueba::ProcesoHijo otra("RetieneCompra", {"5"});
  ASSERT_EQ(otra.EsperaLinea(), "LISTO");
  v.Modificar1->trigger();
  EXPECT_EQ(Mensajes(), QStringList{"Este documento esta siendo Modificado por otro usuario..."});
  EXPECT_TRUE(Navegando(v));
  otra.Envia("YA");
  EXPECT_EQ(otra.Espera(), 0);
}

TEST_F(GuardaCompras, ClavesInexistentesComentariosYDescripcionCambiada) {
  Producto("Q", "ARANDELA", 0, 3);
  TFormaCompras& v = NuevaRecepcion({{1, "ZZZ", 1}, {1, "COMENTARIO", 0}});
  Linea(v, 2, "Q", 9, "OTRA COSA");
  v.Guardar1->trigger();
  EXPECT_EQ(Mensajes(), (QStringList{"No se encontro esta CLAVE ZZZ",
                                     "La Descripción no corresponde al producto Q se calculara el precio"}));
  // The comment is kept as a line; the changed description takes the
  // product's and its last cost.
  EXPECT_EQ(Filas("ComprasD.dbf", {"CLPRO_OD", "DESCR_OD", "CUNIT_OD"}),
            (QStringList{"COMENTARIO|COMENTARIO|0", "Q|ARANDELA|3"}));
  EXPECT_EQ(DeProducto("Q", "EXIST_I"), "2");
  EXPECT_EQ(DeProducto("Q", "ULCOS_I"), "3");
  // Stock 0: the average is the new cost.
  EXPECT_EQ(DeProducto("Q", "CPROM_I"), "3");
}

TEST_F(GuardaCompras, LaCaducidadSeNormaliza) {
  fs::FijaAhora(QDateTime(QDate(2027, 3, 10), QTime(10, 0)));
  const std::pair<const char*, const char*> casos[] = {
      {"311224", "31/12/24"}, {"31/12/2024", "31/12/2024"}, {"31/99/24x", "10/03/2027"}, {"", ""}, {"ab12cd", "ab/12/cd"},
      {"1/2/2025", "01/02/2025"}};
  for (const auto& [texto, esperado] : casos) EXPECT_EQ(NormalizaCaducidad(texto), esperado) << texto;
}

TEST_F(GuardaCompras, LosPreciosDeVentaSeCalculanDelCostoNuevo) {
  FijaLinea(ConfCalculaPrecios, "S");
  Producto("A", "ALAMBRE", 10, 5, "PEPS");
  FijaProducto("A", {{"PORC4_I", 1.0}, {"PLIS4_I", 99.0}, {"PORC5_I", 1.01}});
  Producto("B", "BISAGRA", 10, 5, "PROM");
  Producto("C", "CANDADO", 10, 5, "PRO");
  Producto("D", "DADO", 10, 5, "UEPS");
  TFormaCompras& v = NuevaRecepcion({{10, "A", 7}, {10, "B", 7}, {10, "C", 7}, {10, "D", 7}});
  v.Guardar1->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
  struct Caso {
    const char* clave;
    const char *promedio, *publico, *lista4, *minimo;
  };
  // Percentage 1.00 leaves its price, 1.01 computes it; the average methods
  // ("PROM", and "PRO" as the column may keep it) price from the new average.
  for (const Caso& c : {Caso{"A", "7", "14", "99", "7.07"}, Caso{"B", "6", "12", "", ""}, Caso{"C", "6", "12", "", ""},
                        Caso{"D", "7", "14", "", ""}}) {
    SCOPED_TRACE(c.clave);
    EXPECT_EQ(DeProducto(c.clave, "CPROM_I"), c.promedio);
    EXPECT_EQ(DeProducto(c.clave, "PPUBL_I"), c.publico);
    EXPECT_EQ(DeProducto(c.clave, "PLIS4_I"), c.lista4);
    EXPECT_EQ(DeProducto(c.clave, "PMINI_I"), c.minimo);
  }
  // The line's client price is the new public price.
  EXPECT_EQ(Filas("ComprasD.dbf", {"CLPRO_OD", "PRECL_OD"}), (QStringList{"A|14", "B|12", "C|12", "D|14"}));
  // Only the last-in-first-out and first-in-first-out products get a layer.
  EXPECT_EQ(Filas("Costeo.dbf", {"CLDOC_I", "CLPRO_I", "CANTI_I", "FECHA_I"}),
            (QStringList{"5|A|10|10/03/2027", "5|D|10|10/03/2027"}));

  // "Por Costo Mayor": price 10, last cost 9 (a 10 % discount), average 12.
  Producto("E", "ESCUADRA", 10, 15, "PEPS");
  FijaProducto("E", {{"CPROM_I", 15.0}});
  v.PorCostoPromedio1->setChecked(true);
  v.Nuevo1->trigger();
  v.EditCLPRV_O->setFocus();
  prueba::Reescribe(v.EditCLPRV_O, "S");
  v.EditFEDOC_O->setFocus();
  Linea(v, 10, "E", 10);
  v.TablaDeta->Edit();
  v.TablaDeta->FieldByName("DESCUENTO").SetAsFloat(10);
  v.TablaDeta->Post();
  FijaProducto("E", {{"TICOS_I", "PROM"}});
  v.Guardar1->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(DeProducto("E", "ULCOS_I"), "9");
  EXPECT_EQ(DeProducto("E", "CPROM_I"), "12");
  EXPECT_EQ(DeProducto("E", "PPUBL_I"), "24");
}

TEST_F(GuardaCompras, ConPoliticaDePreciosCadaPartidaAbreSuVentana) {
  FijaLinea(ConfCalculaPrecios, "S");
  FijaLinea(ConfPrecioEnCompra, "S");
  Producto("B", "BISAGRA", 0, 5);
  QStringList vistas;
  const auto responde = [&vistas](QDialog& d) {
    auto& p = static_cast<TFormaPoliticaCompras&>(d);
    vistas << d.windowTitle() + "|" + p.LabelProducto->text() + "|" + p.LabelCosto->text();
    d.reject();
  };
  ui::PuertaModal::Espera("TFormaPoliticaCompras", responde);
  ui::PuertaModal::Espera("TFormaPoliticaCompras", responde);
  TFormaCompras& v = NuevaRecepcion({{1, "P", 7}, {2, "B", 8}});
  v.Guardar1->trigger();
  EXPECT_EQ(vistas, (QStringList{"Política de Precios|TORNILLO|Costo   7.00", "Política de Precios|BISAGRA|Costo   8.00"}));
  // No price is computed besides the window.
  EXPECT_EQ(DeProducto("P", "PPUBL_I"), "10");
  EXPECT_EQ(DeProducto("P", "EXIST_I"), "11");
}

TEST_F(GuardaCompras, SinNumeroNoSeEscribeNadaNiDesdeLaPreguntaDeCierre) {
  const QStringList encabezados = Filas("ComprasE.dbf", {"CLDOC_O"});
  TFormaCompras& v = NuevaRecepcion({{10, "P", 7}});
  v.EditCLDOC_O->setFocus();
  prueba::Reescribe(v.EditCLDOC_O, "");
  v.EditFEDOC_O->setFocus();
  v.Guardar1->trigger();
  EXPECT_EQ(Mensajes(), QStringList{"Falta el Número de Documento"});
  EXPECT_EQ(ui::Tag(v.BotonNuevo), 1);
  EXPECT_EQ(v.TablaDeta->RecordCount(), 1);
  // Through the close question the window stays with the document.
  ui::PuertaModal::LimpiaMensajes();
  prueba::RespondeCierre(1);
  v.Close();
  EXPECT_EQ(Mensajes(), QStringList{"Falta el Número de Documento"});
  EXPECT_TRUE(v.isVisible());
  EXPECT_EQ(ui::Tag(v.BotonNuevo), 1);
  EXPECT_EQ(v.TablaDeta->RecordCount(), 1);
  EXPECT_EQ(Filas("ComprasE.dbf", {"CLDOC_O"}), encabezados);
  EXPECT_EQ(DeProducto("P", "EXIST_I"), "10");
  EXPECT_EQ(DeProveedor("SALDO_P"), "500");
  EXPECT_FALSE(fs::ExisteArchivo(fs::Une(kPrograma, kDiarioCompras)));

  // With its number the close question saves it and the window closes.
  prueba::Reescribe(v.EditCLDOC_O, "5");
  v.EditFEDOC_O->setFocus();
  ui::PuertaModal::LimpiaMensajes();
  prueba::RespondeCierre(1);
  v.Close();
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_FALSE(v.isVisible());
  EXPECT_EQ(DeProducto("P", "EXIST_I"), "20");
  EXPECT_EQ(DeProveedor("SALDO_P"), "581.2");
}

TEST_F(GuardaCompras, LosArchivosIntermediosGuardanYLeenLasPartidas) {
  Producto("A", "ALAMBRE", 0, 1);
  Producto("B", "BISAGRA", 0, 2);
  TFormaCompras& v = NuevaRecepcion({{1, "A", 1.5}, {2, "B", 2.25}, {3, "P", 3}});
  v.Nombre->setText(QString(70, u'N'));
  v.GuardaPartidasEnBufer();
  v.GuardaEncabezadoEnBufer();
  const QByteArray partidas = fs::LeeBytes(fs::Une(kPrograma, kBuferPartidasCompra));
  ASSERT_EQ(partidas.size(), 390);
  QStringList guardadas;
  for (const PartidaBuferCompra& p : DecodificaPartidasBuferCompra(partidas))
    guardadas << p.clave + "=" + QString::number(p.cantidad) + "x" + QString::number(p.precio);
  EXPECT_EQ(guardadas, (QStringList{"P=3x3", "B=2x2.25", "A=1x1.5"}));
  const QByteArray encabezado = fs::LeeBytes(fs::Une(kPrograma, kBuferEncabezadoCompra));
  ASSERT_EQ(encabezado.size(), 328);
  EXPECT_EQ(static_cast<unsigned char>(encabezado[32]), 60);
  EXPECT_EQ(encabezado.mid(33, 60), QByteArray(60, 'N'));
  EXPECT_EQ(DecodificaEncabezadoBuferCompra(encabezado).proveedor, "S");

  // Read back into an empty capture: the order the lines had.
  v.VaciaCapturaCompra();
  v.CargaBuferCompra();
  QStringList leidas;
  for (v.TablaDeta->First(); !v.TablaDeta->Eof(); v.TablaDeta->Next())
    leidas << v.TablaDeta->FieldByName("CLAVE").AsString();
  EXPECT_EQ(leidas, (QStringList{"A", "B", "P"}));
  EXPECT_EQ(v.Nombre->text(), QString(60, u'N'));
  // An empty capture gives an empty file.
  v.VaciaCapturaCompra();
  v.GuardaPartidasEnBufer();
  EXPECT_EQ(fs::LeeBytes(fs::Une(kPrograma, kBuferPartidasCompra)).size(), 0);
}

TEST_F(GuardaCompras, UnaDevolucionBajaLaExistenciaYEscribeSusMovimientos) {
  // No command reaches the return kind; the window is switched by code.
  FijaLinea(ConfExistenciasNegativas, "N");
  FijaLinea(ConfIntegraMovimientos, "SI");
  Producto("Q", "ARANDELA", 2, 3);
  TFormaCompras& v = Ventana();
  v.TextoTipoCompra = kDevolucionCompra;
  v.CambiaTipoCompra(u'D');
  v.MovimientosCompra = u'S';
  v.Nuevo1->trigger();
  v.EditCLPRV_O->setFocus();
  prueba::Reescribe(v.EditCLPRV_O, "S");
  v.EditFEDOC_O->setFocus();
  Linea(v, 3, "Q", 3);
  Linea(v, 1, "P", 5);
  v.Guardar1->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(Filas("DevolCom.DBF", {"CLDOC_O", "TREFE_O", "proceso"}), QStringList{"1|1|G"});
  // The stock clamped at zero; the totals keep the whole exit.
  EXPECT_EQ(DeProducto("Q", "EXIST_I"), "0");
  EXPECT_EQ(DeProducto("Q", "ULCOS_I"), "3");
  EXPECT_EQ(DeKardex("Q", "ENTRA_I"), "-3");
  EXPECT_EQ(DeKardex("Q", "INVEN_I"), "-1");
  EXPECT_EQ(DeProducto("P", "EXIST_I"), "9");
  const QString documento = "P1-" + kControl;
  EXPECT_EQ(Filas("Movinven.DBF", {"CLDOC_MI", "CLPRO_MI", "TIMOV_MI", "NUDOC_MI", "CANTI_MI", "BANAF_MI", "CLPRV_MI"}),
            (QStringList{"1|Q|2|" + documento + "|3|C|S", "1|P|2|" + documento + "|1|C|S"}));
  // Returns touch neither the supplier nor the payables, and keep no mirror.
  EXPECT_EQ(DeProveedor("SALDO_P"), "500");
  EXPECT_EQ(Filas("CUEPAGAR.DBF", {"NUCOM_CP"}), QStringList());
  EXPECT_EQ(Filas("MOVIMIENTOS.DBF", {"CLDOC_MI"}), QStringList());
  // Its rows are there: nothing for the movement check.
  EXPECT_FALSE(fs::ExisteArchivo(fs::Une(kPrograma, "compras.dat")) &&
               fs::LeeLineas(fs::Une(kPrograma, "compras.dat")).contains(documento));
}

TEST_F(GuardaCompras, SinLaCarpetaDeDatosNoSeGuardaYCerrarNoPregunta) {
  TFormaCompras& v = NuevaRecepcion({{10, "P", 7}});
  const QString datos = fs::Local(kDatos);
  ASSERT_TRUE(QDir().rename(datos, datos + "_fuera"));
  v.Guardar1->trigger();
  ASSERT_TRUE(QDir().rename(datos + "_fuera", datos));
  EXPECT_EQ(Mensajes(), QStringList{"No es Posible Guardar los Datos...error de conexión...\r Se Recomienda revisar su "
                                    "red y REINICIAR EL PROGRAMA"});
  EXPECT_TRUE(v.SinConexionCompras);
  EXPECT_FALSE(v.TablaComprasE->Active());
  // Closing asks nothing and touches no closed table.
  ui::PuertaModal::LimpiaMensajes();
  v.Close();
  EXPECT_FALSE(v.isVisible());
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(DeProducto("P", "EXIST_I"), "10");
  EXPECT_EQ(Filas("ComprasE.dbf", {"CLDOC_O"}), QStringList{"4"});
}

TEST_F(GuardaCompras, LosPagosDeUnaCompraYLasPartidasCanceladas) {
  struct Fila {
    qint64 numero;
    int concepto;
    const char* operacion;
    const char* estado;
    double importe, saldo;
  };
  auto cuentas = Abre("CUEPAGAR.DBF");
  for (const Fila& f : {Fila{5, 51, "C", "", 100, 100}, Fila{6, 51, "C", "", 100, 40}, Fila{7, 51, "C", "C", 100, 100},
                        Fila{8, 51, "C", "C", 100, 0}, Fila{9, 51, "C", "", 100, 100}, Fila{9, 7, "A", "", 100, 0},
                        Fila{10, 51, "C", "", 100, 100}, Fila{10, 2, "C", "", 30, 0}}) {
    cuentas->Append();
    cuentas->FieldByName("NUCOM_CP").SetAsInteger(f.numero);
    cuentas->FieldByName("NUDOC_CP").SetAsString(QString::number(f.numero));
    cuentas->FieldByName("TIMOV_CP").SetAsInteger(f.concepto);
    cuentas->FieldByName("OPERA_CP").SetAsString(f.operacion);
    cuentas->FieldByName("STATU_CP").SetAsString(f.estado);
    cuentas->FieldByName("IMCUE_CP").SetAsFloat(f.importe);
    cuentas->FieldByName("SALDO_CP").SetAsFloat(f.saldo);
    cuentas->Post();
  }
  cuentas.reset();
  struct Caso {
    qint64 numero;
    bool tienePagos, sinCancelar;
  };
  // No rows: nothing paid; a charge owed whole: nothing paid; one partly
  // paid: paid; a cancelled one owed whole counts against the deletion; a
  // payment row whose charge still shows the whole amount (a bulk payment
  // of a former version): paid; a second charge is no payment.
  for (const Caso& c : {Caso{4, false, true}, Caso{5, false, true}, Caso{6, true, true}, Caso{7, false, false},
                        Caso{8, true, true}, Caso{9, true, true}, Caso{10, false, true}}) {
    SCOPED_TRACE(c.numero);
    EXPECT_EQ(TienePagosCompra(kDatos, c.numero), c.tienePagos);
    EXPECT_EQ(PagosSinCancelar(kDatos, QString::number(c.numero)), c.sinCancelar);
  }

  auto lineas = Abre("ComprasD.dbf", "ICOMDET");
  for (const auto& [numero, control] : {std::pair{"5", 1}, std::pair{"5", 2}, std::pair{"6", 1}, std::pair{"5", 1}}) {
    lineas->Append();
    lineas->FieldByName("CLDOC_OD").SetAsString(numero);
    lineas->FieldByName("CONTROL").SetAsInteger(control);
    lineas->Post();
  }
  MarcaPartidasCanceladas(*lineas, "5", 1);
  EXPECT_EQ(Filas("ComprasD.dbf", {"CLDOC_OD", "CONTROL", "TREGI_OD"}), (QStringList{"5|1|C", "5|2|", "6|1|", "5|1|C"}));
}

// The payments of a receipt stay with it, whatever the purchase window
// does: paid in full by "Pago Masivo", its cancel ends without a word and
// the payment stays listed; partly paid through its account, a change keeps
// what was paid and its cancel ends without a word too; a receipt without
// payments cancels. The receipt's balance, its charge row and the account's
// rows agree all along.
TEST_F(GuardaCompras, LosPagosDeUnaRecepcionSeConservan) {
  auto conceptos = Abre("concepto.dbf");
  for (const auto& [numero, nombre, tipo] : {std::tuple{7, "Efectivo", "A"}, std::tuple{3, "Abono", "A"}}) {
    conceptos->Append();
    conceptos->FieldByName("NUMOV_MO").SetAsInteger(numero);
    conceptos->FieldByName("CONCE_MO").SetAsString(nombre);
    conceptos->FieldByName("TIPOO_MO").SetAsString(tipo);
    conceptos->Post();
  }
  conceptos.reset();
  // Receipts 5, 6 and 7, each 10 x 10 and its tax: 116.00.
  for (int i = 0; i < 3; ++i) {
    TFormaCompras& v = NuevaRecepcion({{10, "P", 10}});
    v.Guardar1->trigger();
  }
  ASSERT_EQ(Filas("ComprasE.dbf", {"CLDOC_O", "SALDO_O"}), (QStringList{"4|", "5|116", "6|116", "7|116"}));
  const auto cuenta = [](int numero) {
    QStringList filas;
    auto t = Abre("CUEPAGAR.DBF");
    for (t->First(); !t->Eof(); t->Next())
      if (t->FieldByName("NUCOM_CP").AsInteger() == numero)
        filas << QStringList{t->FieldByName("TIMOV_CP").AsString(), t->FieldByName("IMCUE_CP").AsString(),
                             t->FieldByName("SALDO_CP").AsString()}
                     .join(u'|');
    return filas;
  };
  const auto compra = [](int numero) {
    return Valor("ComprasE.dbf", "ICOMENC", numero, "STDOC_O") + u'|' +
           Valor("ComprasE.dbf", "ICOMENC", numero, "IMDOC_O") + u'|' +
           Valor("ComprasE.dbf", "ICOMENC", numero, "ABONO_O") + u'|' +
           Valor("ComprasE.dbf", "ICOMENC", numero, "SALDO_O");
  };
  // The cancel with the administrator's password; the question, when it is
  // asked, answered "Si".
  const auto cancela = [this](int numero, bool pregunta) {
    TFormaCompras& v = Ventana();
    v.PosicionaCompra(QString::number(numero));
    ui::PuertaModal::Espera("TFormaAdministrador", [](QDialog& d) {
      prueba::Teclea(d, "Clave", "adm");
      prueba::Pulsa(d, "BitBtn1");
    });
    if (pregunta) ui::PuertaModal::Espera("TFormaAdvertencia", [](QDialog& d) { prueba::Pulsa(d, "BitBtn1"); });
    v.Cancelar1->trigger();
  };

  // Receipt 5 paid in full in bulk.
  {
    TFormaConsultaCuePagar consulta;
    consulta.Show();
    consulta.PosicionaCuentaProveedor("S");
    ASSERT_TRUE(consulta.TablaCompras->Locate("CLDOC_O", {5}));
    consulta.PagoMasivo1->trigger();
    consulta.Agregar1->trigger();
    ui::PuertaModal::Espera("TFormaAdvertencia", [](QDialog& d) { prueba::Pulsa(d, "BitBtn1"); });
    consulta.Aplicar1->trigger();
  }
  EXPECT_EQ(Mensajes(), QStringList{"Aplicara pagos a 5"});
  EXPECT_EQ(cuenta(5), (QStringList{"51|116|0", "7|116|"}));
  EXPECT_EQ(compra(5), "|116|116|0");
  ui::PuertaModal::LimpiaMensajes();
  cancela(5, false);
  EXPECT_EQ(ui::PuertaModal::Pendientes(), 0);
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(compra(5), "|116|116|0");
  EXPECT_EQ(cuenta(5), (QStringList{"51|116|0", "7|116|"}));
  {
    // Listed with its payment among all the supplier's receipts.
    TFormaConsultaCuePagar consulta;
    consulta.Show();
    consulta.PosicionaCuentaProveedor("S");
    consulta.SoloconSaldo1->trigger();
    EXPECT_TRUE(consulta.TablaCompras->Locate("CLDOC_O", {5}));
  }

  // Receipt 6: 40.00 paid through its account.
  {
    TFormaCxPDetalle detalle;
    detalle.MuestraCxPDocumento("6");
    ui::PuertaModal::Espera("TFormaMovimientoCxP", [](QDialog& d) {
      prueba::Teclea(d, "EditTIMOV_CP", "3");
      prueba::Teclea(d, "EditIMCUE_CP", "40");
      prueba::Pulsa(d, "BotonSi");
    });
    prueba::Pulsa(detalle, "BotonNuevo");
    EXPECT_EQ(detalle.Saldo->text().remove(u' '), "$76.00");
  }
  EXPECT_EQ(cuenta(6), (QStringList{"51|116|76", "3|40|"}));
  EXPECT_EQ(compra(6), "|116|40|76");
  // Changed to 12 units and saved: it owes its new total less what was paid.
  {
    TFormaCompras& v = Ventana();
    v.PosicionaCompra("6");
    v.Modificar1->trigger();
    v.TablaDeta->First();
    v.TablaDeta->Edit();
    v.TablaDeta->FieldByName("CANTIDAD").SetAsFloat(12);
    v.TablaDeta->Post();
    prueba::Tecla(v, "", Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(Mensajes(), QStringList());
    EXPECT_EQ(v.LabelSaldo->text(), "Saldo 99.20");
  }
  EXPECT_EQ(compra(6), "|139.2|40|99.2");
  EXPECT_EQ(cuenta(6), (QStringList{"51|139.2|99.2", "3|40|"}));
  cancela(6, false);
  EXPECT_EQ(ui::PuertaModal::Pendientes(), 0);
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(compra(6), "|139.2|40|99.2");

  // Receipt 7, never paid, cancels.
  cancela(7, true);
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(Valor("ComprasE.dbf", "ICOMENC", 7, "STDOC_O"), "C");
  EXPECT_EQ(cuenta(7), QStringList{"51|116|0"});
}

TEST_F(GuardaCompras, ElCatalogoPosicionaLaVentanaEnUnaRecepcion) {
  TFormaCompras& v = NuevaRecepcion({{10, "P", 7}});
  v.Guardar1->trigger();
  ASSERT_EQ(v.EditCLDOC_O->text(), "5");
  compras_.reset();
  // A window never shown yet claims its capture table and shows the receipt
  // asked for, with its lines.
  compras_ = std::make_unique<TFormaCompras>();
  TFormaCompras& otra = *compras_;
  otra.Usuario->setText("0");
  otra.PosicionaCompra("4");
  EXPECT_EQ(otra.Tag(), 1);
  EXPECT_EQ(otra.EditCLDOC_O->text(), "4");
  EXPECT_EQ(otra.TablaDeta->RecordCount(), 0);
  otra.PosicionaCompra("5");
  EXPECT_EQ(otra.EditCLDOC_O->text(), "5");
  EXPECT_EQ(otra.TablaDeta->RecordCount(), 1);
  EXPECT_EQ(otra.Nombre->text(), "ACEROS DEL NORTE");
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(GuardaCompras, UnaOrdenSumaLoPedidoYSuRecepcionLoResta) {
  // The kind combo offers no orders yet; the window is switched by code.
  TFormaCompras& v = Ventana();
  v.TextoTipoCompra = kOrdenCompra;
  v.CambiaTipoCompra(u'O');
  v.Nuevo1->trigger();
  v.EditCLPRV_O->setFocus();
  prueba::Reescribe(v.EditCLPRV_O, "S");
  v.EditFEDOC_O->setFocus();
  Linea(v, 4, "P", 7);
  v.Guardar1->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(Filas("OrdenCom.dbf", {"CLDOC_O", "IMDOC_O", "proceso", "TREFE_O"}), QStringList{"1|32.48|G|"});
  EXPECT_EQ(Filas("OrdenDet.dbf", {"CLDOC_OD", "CLPRO_OD", "CANTI_OD"}), QStringList{"1|P|4"});
  // On order only: no stock, cost, supplier, payable or mirror.
  EXPECT_EQ(DeProducto("P", "COMRE_I"), "4");
  EXPECT_EQ(DeProducto("P", "EXIST_I"), "10");
  EXPECT_EQ(DeProducto("P", "ULCOS_I"), "5");
  EXPECT_EQ(DeProveedor("SALDO_P"), "500");
  EXPECT_EQ(Filas("CUEPAGAR.DBF", {"NUCOM_CP"}), QStringList());
  EXPECT_EQ(Filas("MOVIMIENTOS.DBF", {"CLDOC_MI"}), QStringList());
  EXPECT_EQ(fs::LeeLineas(fs::Une(kControlDatos, "Conse.dat")), QStringList{"O,1," + kControl});

  // A receipt generated from the order takes it off again.
  v.TextoTipoCompra = kRecepcion;
  v.CambiaTipoCompra(u'R');
  v.Nuevo1->trigger();
  v.EditCLPRV_O->setFocus();
  prueba::Reescribe(v.EditCLPRV_O, "S");
  v.EditFEDOC_O->setFocus();
  Linea(v, 4, "P", 7);
  ui::SetTag(v.TipoDocumento, 1);
  v.Guardar1->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(ui::Tag(v.TipoDocumento), 0);
  EXPECT_EQ(DeProducto("P", "COMRE_I"), "0");
  EXPECT_EQ(DeProducto("P", "EXIST_I"), "14");
}

// --- Other stations: each has a program folder of its own on the one data
// folder.

void CopiaPrograma(const QString& de, const QString& a) {
  QDir().mkpath(a);
  for (const QFileInfo& f : QDir(de).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
    if (f.isDir() && f.fileName().compare("DATOS", Qt::CaseInsensitive) == 0) continue;
    const QString destino = a + u'/' + f.fileName();
    if (f.isDir()) CopiaPrograma(f.filePath(), destino);
    else QFile::copy(f.filePath(), destino);
  }
}

// The purchase window of a station whose program folder is `programa`,
// shown and activated, in a child process.
std::unique_ptr<TFormaCompras> VentanaHija(const QString& programa, std::unique_ptr<ui::Aplicacion>& aplicacion) {
  qputenv("VORLAN_PROGRAM_FOLDER", programa.toLocal8Bit());
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char nombre[] = "estacion";
  static char* argv[] = {nombre, nullptr};
  aplicacion = std::make_unique<ui::Aplicacion>(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  auto v = std::make_unique<TFormaCompras>();
  v->Usuario->setText("0");
  v->Show();
  QApplication::setActiveWindow(v.get());
  v->DisparaActivacion();
  return v;
}

// A receipt of the three products: 1 P1 at 10, 2 P2 at 5, 3 P3 at 1, 16 %.
void CapturaTres(TFormaCompras& v) {
  v.Nuevo1->trigger();
  v.EditCLPRV_O->setFocus();
  prueba::Reescribe(v.EditCLPRV_O, "S");
  v.EditFEDOC_O->setFocus();
  const std::tuple<double, const char*, const char*, double> lineas[] = {
      {1, "P1", "UNO", 10}, {2, "P2", "DOS", 5}, {3, "P3", "TRES", 1}};
  for (const auto& [cantidad, clave, nombre, precio] : lineas) {
    db::Tabla& c = *v.TablaDeta;
    c.Append();
    c.FieldByName("CANTIDAD").SetAsFloat(cantidad);
    c.FieldByName("CLAVE").SetAsString(clave);
    c.FieldByName("PRODUCTO").SetAsString(nombre);
    c.FieldByName("PRECIO").SetAsFloat(precio);
    c.FieldByName("IMPUESTO").SetAsFloat(16);
    c.Post();
  }
  v.CalculaTotalesCompra();
}

// Saves argumentos[1] receipts once the parent says so; "BIEN" when each
// ended saved with nothing told.
RUTINA_HIJA(EstacionCompra) {
  std::unique_ptr<ui::Aplicacion> aplicacion;
  auto v = VentanaHija(argumentos.value(0), aplicacion);
  prueba::AvisaPadre(v->Tag() == 1 ? "LISTO" : ui::PuertaModal::Mensajes().join(u';'));
  prueba::EsperaPadre();
  QStringList fallas;
  for (int i = 0; i < argumentos.value(1).toInt(); ++i) {
    CapturaTres(*v);
    v->Guardar1->trigger();
    if (!ui::PuertaModal::Mensajes().isEmpty() || ui::Tag(v->BotonNuevo) != 0)
      fallas << QString::number(i) + u':' + ui::PuertaModal::Mensajes().join(u';');
    ui::PuertaModal::LimpiaMensajes();
  }
  prueba::AvisaPadre(fallas.isEmpty() ? QStringLiteral("BIEN") : fallas.join(u' '));
  return 0;
}

// Captures one receipt and saves it with the fault seam armed at
// argumentos[1], pass argumentos[2].
RUTINA_HIJA(EstacionMuereCompra) {
  std::unique_ptr<ui::Aplicacion> aplicacion;
  auto v = VentanaHija(argumentos.value(0), aplicacion);
  CapturaTres(*v);
  falla::Arma(argumentos.value(1), argumentos.value(2).toInt());
  prueba::AvisaPadre("ARMADO");
  v->Guardar1->trigger();
  falla::Desarma();
  return 0;
}

// Takes the receipt shown into change and goes one step at each word of
// the parent: its line to 12 units with the totals, "Imprimir" (Ctrl+I),
// the save. Each step answers what the window shows.
RUTINA_HIJA(CambiaCompraPorPasos) {
  std::unique_ptr<ui::Aplicacion> aplicacion;
  auto v = VentanaHija(argumentos.value(0), aplicacion);
  print::FijaImpresorasPrueba({{"laser", "", print::TipoImpresora::Registro, QString(), 600}}, 0);
  const auto dice = [&](const QString& paso) {
    const QStringList mensajes = ui::PuertaModal::Mensajes();
    prueba::AvisaPadre(mensajes.isEmpty() ? paso : paso + u' ' + mensajes.join(u';'));
    ui::PuertaModal::LimpiaMensajes();
    prueba::EsperaPadre();
  };
  v->Modificar1->trigger();
  dice(ui::Tag(v->BotonCambios) == 1 ? "MODIFICANDO" : "NO");
  v->TablaDeta->First();
  v->TablaDeta->Edit();
  v->TablaDeta->FieldByName("CANTIDAD").SetAsFloat(12);
  v->TablaDeta->Post();
  v->CalculaTotalesCompra();
  dice("LINEA " + v->EtiTotal->text().simplified());
  v->Imprimir1->trigger();
  dice(QStringLiteral("IMPRESO ") + (v->TablaComprasE->State() == db::Dataset::Estado::Editando ? "EDITANDO" : "NO"));
  v->Guardar1->trigger();
  dice(ui::Tag(v->BotonCambios) == 0 ? "GUARDADO" : "NO");
  return 0;
}

class EstacionesCompra : public GuardaCompras {
 protected:
  void SetUp() override {
    GuardaCompras::SetUp();
    for (const auto& [clave, nombre] : {std::pair{"P1", "UNO"}, std::pair{"P2", "DOS"}, std::pair{"P3", "TRES"}})
      Producto(clave, nombre, 100, 1);
    for (const char* programa : {"C:\\VRL2", "C:\\VRL3"}) CopiaPrograma(fs::Local(kPrograma), fs::Local(programa));
  }
};

TEST_F(EstacionesCompra, DosEstacionesRecibenLosMismosProductosSinPerderNada) {
  constexpr int kPorEstacion = 20;
  prueba::ProcesoHijo una("EstacionCompra", {"C:\\VRL2", QString::number(kPorEstacion)});
  prueba::ProcesoHijo otra("EstacionCompra", {"C:\\VRL3", QString::number(kPorEstacion)});
  ASSERT_EQ(una.EsperaLinea(60000), "LISTO");
  ASSERT_EQ(otra.EsperaLinea(60000), "LISTO");
  una.Envia("YA");
  otra.Envia("YA");
  EXPECT_EQ(una.EsperaLinea(300000), "BIEN");
  EXPECT_EQ(otra.EsperaLinea(300000), "BIEN");
  EXPECT_EQ(una.Espera(), 0);
  EXPECT_EQ(otra.Espera(), 0);

  QStringList numeros = Filas("ComprasE.dbf", {"CLDOC_O"});
  numeros.removeAll("4");
  numeros.removeDuplicates();
  EXPECT_EQ(numeros.size(), 2 * kPorEstacion);
  EXPECT_EQ(Filas("ComprasD.dbf", {"CLDOC_OD"}).size(), 3 * 2 * kPorEstacion);
  const std::pair<const char*, int> recibidos[] = {{"P1", 1}, {"P2", 2}, {"P3", 3}};
  for (const auto& [clave, cantidad] : recibidos) {
    SCOPED_TRACE(clave);
    EXPECT_EQ(DeProducto(clave, "EXIST_I"), QString::number(100 + cantidad * 2 * kPorEstacion));
    EXPECT_EQ(DeKardex(clave, "ENTRA_I"), QString::number(cantidad * 2 * kPorEstacion));
  }
  EXPECT_EQ(Filas("Kardex.dbf", {"CLPRO_I"}).size(), 3);
  EXPECT_EQ(DeProveedor("SALDO_P"), Dinero::DeReal(500 + 2 * kPorEstacion * 26.68).Texto());
  EXPECT_EQ(Filas("CUEPAGAR.DBF", {"NUCOM_CP"}).size(), 2 * kPorEstacion);
  for (const char* t : {"ComprasE.dbf", "ComprasD.dbf", "INVENTAR.DBF", "Kardex.dbf", "PROVEEDO.DBF", "CUEPAGAR.DBF"}) {
    SCOPED_TRACE(t);
    EXPECT_EQ(Abre(t)->TagsDiscrepantes(), QStringList());
  }
}

TEST_F(EstacionesCompra, UnaEstacionMuertaAlGuardarTerminaLaRecepcionAlVolver) {
  const auto revisa = [&](bool) {
    // The station opens purchases again: the receipt is there once.
    qputenv("VORLAN_PROGRAM_FOLDER", "C:\\VRL2");
    {
      TFormaCompras v;
      v.Usuario->setText("0");
      v.Show();
      QApplication::setActiveWindow(&v);
      v.DisparaActivacion();
      EXPECT_EQ(Mensajes(), QStringList());
      // It shows the receipt it finished, in browse state.
      EXPECT_EQ(v.EditCLDOC_O->text(), "5");
      EXPECT_TRUE(Navegando(v));
      v.Close();
    }
    qunsetenv("VORLAN_PROGRAM_FOLDER");
    ui::PuertaModal::LimpiaMensajes();
    EXPECT_FALSE(fs::ExisteArchivo(fs::Une("C:\\VRL2", kDiarioCompras)));
    EXPECT_EQ(Filas("ComprasE.dbf", {"CLDOC_O", "IMDOC_O", "TREFE_O", "proceso"}),
              (QStringList{"4|||G", "5|26.68|1|G"}));
    QStringList lineas = Filas("ComprasD.dbf", {"CLPRO_OD", "CANTI_OD", "FINAL"});
    lineas.sort();
    EXPECT_EQ(lineas, (QStringList{"P1|1|101", "P2|2|102", "P3|3|103"}));
    for (const auto& [clave, existencia] : {std::pair{"P1", "101"}, std::pair{"P2", "102"}, std::pair{"P3", "103"}}) {
      EXPECT_EQ(DeProducto(clave, "EXIST_I"), existencia) << clave;
      EXPECT_EQ(DeKardex(clave, "INVEN_I"), existencia) << clave;
    }
    EXPECT_EQ(DeProveedor("SALDO_P"), "526.68");
    EXPECT_EQ(Filas("CUEPAGAR.DBF", {"NUCOM_CP", "SALDO_CP"}), QStringList{"5|26.68"});
    EXPECT_EQ(Filas("MOVIMIENTOS.DBF", {"CLDOC_MI"}), (QStringList{"5", "5", "5"}));
    EXPECT_EQ(fs::LeeLineas(ArchivoHistorial(kDatos, u'C', "5")).size(), 1);
  };
  const int muertes = prueba::MuereEnCadaEscritura(fs::Local("C:\\"), "EstacionMuereCompra", {"C:\\VRL2"},
                                                   {{guardado::puntos::kEscrito, {}}}, revisa, 80);
  EXPECT_GT(muertes, 10);
}

// One station per receipt: while another station has receipt 5 in change,
// whatever it does (a line and the totals, printing), "Modificar" here is
// refused; once it saves, this station gets in on the receipt as it left
// it, and stock, supplier balance, payable and lines count each save once.
TEST_F(EstacionesCompra, UnaRecepcionEnCambioEsDeUnaSolaEstacion) {
  TFormaCompras& v = NuevaRecepcion({{10, "P1", 7}});
  v.Guardar1->trigger();
  ASSERT_EQ(v.EditCLDOC_O->text(), "5");
  ASSERT_EQ(DeProducto("P1", "EXIST_I"), "110");
  QStringList conf = fs::LeeLineas("C:\\VRL2\\Gener1.cnf");
  conf[ConfFormatoRecepcion - 1] = "recepcion.fmt";
  EscribeLineas("C:\\VRL2\\Gener1.cnf", conf);
  EscribeLineas("C:\\VRL2\\consulta\\recepcion.fmt", {"impresora,laser", "@2,2,cldoc_o"});

  prueba::ProcesoHijo otra("CambiaCompraPorPasos", {"C:\\VRL2"});
  ASSERT_EQ(otra.EsperaLinea(60000), "MODIFICANDO");
  const auto rechazada = [&](const char* paso) {
    SCOPED_TRACE(paso);
    ui::PuertaModal::LimpiaMensajes();
    v.Modificar1->trigger();
    EXPECT_EQ(Mensajes(), QStringList{"Este documento esta siendo Modificado por otro usuario..."});
    EXPECT_TRUE(Navegando(v));
  };
  rechazada("tomada");
  otra.Envia("SIGUE");
  ASSERT_EQ(otra.EsperaLinea(60000), "LINEA $ 97.44");
  rechazada("con la linea cambiada");
  otra.Envia("SIGUE");
  ASSERT_EQ(otra.EsperaLinea(60000), "IMPRESO EDITANDO");
  rechazada("impresa");
  otra.Envia("SIGUE");
  ASSERT_EQ(otra.EsperaLinea(60000), "GUARDADO");
  EXPECT_EQ(DeProducto("P1", "EXIST_I"), "112");

  // Saved (its window still open), the receipt is free: here now, on the
  // 12 units the other station saved, 15.
  ui::PuertaModal::LimpiaMensajes();
  v.Modificar1->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
  ASSERT_EQ(ui::Tag(v.BotonCambios), 1);
  EXPECT_EQ(v.CantidadesAnterioresCompra, QStringList{"12"});
  v.TablaDeta->First();
  EXPECT_EQ(v.TablaDeta->FieldByName("CANTIDAD").AsString(), "12");
  v.TablaDeta->Edit();
  v.TablaDeta->FieldByName("CANTIDAD").SetAsFloat(15);
  v.TablaDeta->Post();
  v.Guardar1->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_TRUE(Navegando(v));
  otra.Envia("CIERRA");
  EXPECT_EQ(otra.Espera(), 0);

  EXPECT_EQ(Filas("ComprasE.dbf", {"CLDOC_O", "IMDOC_O", "TDOCU_O", "proceso"}).value(1), "5|121.8|I|G");
  EXPECT_EQ(Filas("ComprasD.dbf", {"CLDOC_OD", "CLPRO_OD", "CANTI_OD"}), QStringList{"5|P1|15"});
  EXPECT_EQ(DeProducto("P1", "EXIST_I"), "115");
  EXPECT_EQ(DeProveedor("SALDO_P"), "621.8");
  EXPECT_EQ(Filas("CUEPAGAR.DBF", {"NUCOM_CP", "IMCUE_CP", "SALDO_CP"}), QStringList{"5|121.8|121.8"});
  EXPECT_EQ(Filas("MOVIMIENTOS.DBF", {"CLDOC_MI", "CANTI_MI"}), QStringList{"5|15"});
}

}  // namespace
