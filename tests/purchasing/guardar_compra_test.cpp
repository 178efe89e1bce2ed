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
#include "pos/UnidadTrabajo.h"
#include "purchasing/BuferCompra.h"
#include "purchasing/Compras.h"
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
  v.Guardar1->trigger();
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
      {"311224", "31/12/24"}, {"31/12/2024", "31/12/2024"}, {"31/99/24x", "10/03/27"}, {"", ""}, {"ab12cd", "ab/12/cd"}};
  for (const auto& [texto, esperado] : casos) EXPECT_EQ(NormalizaCaducidad(texto), esperado) << texto;
}

}  // namespace
