// Saved documents on the sale screen: what showing one puts on the screen,
// moving between them, the number search, the lines loaded into the
// capture; and a captured document written by kind (header, lines, the
// check of each line's product, a changed document's old lines, a missing
// header), read back as it was captured, with another station appending
// remissions or keeping the line table busy.

#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Forma.h"
#include "platform/ui/PuertaModal.h"
#include "pos/DocumentosVenta.h"
#include "pos/PartidasDocumento.h"
#include "support/Maneja.h"
#include "support/OcupaTabla.h"
#include "support/Proceso.h"
#include "captura_prueba.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>


namespace {

using Pantalla = TFormaCapturaRapida;
using Campos = QMap<QString, QString>;

QWidget* Foco() { return QApplication::focusWidget(); }

void Escribe(const QString& texto) {
  for (const QChar c : texto) QTest::keyClicks(Foco(), QString(c));
}
void Pulsa(int tecla, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QWidget* w = Foco() ? Foco() : QApplication::activeWindow();
  QTest::keyClick(w, static_cast<Qt::Key>(tecla), mods);
}
// Quantity, Enter, key, Enter, from the quantity field.
void Linea(const QString& cantidad, const QString& clave) {
  Escribe(cantidad);
  Pulsa(Qt::Key_Return);
  Escribe(clave);
  Pulsa(Qt::Key_Return);
}

QStringList Columna(Pantalla& p, const QString& campo) {
  auto t = AbreEn(kPrograma, p.TablaDeta->NombreTabla());
  return ColumnaCaptura(*t, campo);
}

// The fields both mappings carry, of every capture row.
const QStringList kCamposCaptura = {"CANTIDAD", "TARA",     "CLAVE",  "PRODUCTO", "UNIDAD",
                                    "PRECIO",   "COSTO",    "DESCUENTO", "IMPORTE", "IMPUESTO",
                                    "FACTOR",   "FPGC",     "EMPAQUE", "TIPO",     "IEPS1"};
QList<QStringList> Captura(Pantalla& p, const QStringList& campos = kCamposCaptura) {
  auto t = AbreEn(kPrograma, p.TablaDeta->NombreTabla());
  QList<QStringList> filas;
  for (t->First(); !t->Eof(); t->Next()) {
    QStringList fila;
    for (const QString& c : campos) fila << t->FieldByName(c).AsString();
    filas << fila;
  }
  return filas;
}

// The named fields of the line rows of a document number, in the line
// tag's order.
QList<QStringList> Lineas(const QString& numero, const QStringList& campos) {
  auto t = AbreEn(kDatos, "RemisioD.dbf", "CLDOC_FD");
  t->SetRange({numero}, {numero});
  QList<QStringList> filas;
  for (; !t->Eof(); t->Next()) {
    QStringList fila;
    for (const QString& c : campos) fila << t->FieldByName(c).AsString();
    filas << fila;
  }
  return filas;
}

// A field of a capture row (from 0), written through the screen's cursor.
void CambiaPartida(Pantalla& p, int fila, const QString& campo, const QVariant& valor) {
  p.TablaDeta->First();
  p.TablaDeta->MoveBy(fila);
  p.TablaDeta->Edit();
  p.TablaDeta->FieldByName(campo).SetValue(valor);
  p.TablaDeta->Post();
}

// The save's final numbering, which these tests stand in for: the
// provisional header row copied into a new row of the shared remissions,
// on which the header table then stands.
void PasaAlCompartido(Pantalla& p) {
  db::Tabla& e = *p.TablaFacturae;
  if (e.State() != db::Dataset::Estado::Navegando) e.Post();
  QMap<QString, QVariant> valores;
  for (const QString& c : e.NombresCampos()) valores[c] = e.FieldByName(c).Value();
  e.Close();
  e.SetCarpeta(kDatos);
  e.SetNombreTabla("Remision.dbf");
  e.Open();
  e.Append();
  for (auto it = valores.begin(); it != valores.end(); ++it) e.FieldByName(it.key()).SetValue(it.value());
  e.Post();
}

// The saved phase the save returns to, then End.
void MuestraUltimo(Pantalla& p) {
  p.HabilitaBotonesCaptura(true, true, false, true, true, true, false);
  p.Detalle->setFocus();
  Pulsa(Qt::Key_End);
}

TRegistroProducto Producto(const QString& clave, const QString& descripcion, double precio) {
  TRegistroProducto p;
  p.CLPRO_I = clave;
  p.DSCPR_I = descripcion;
  p.PPUBL_I = Dinero::DeReal(precio);
  p.UMEDI_I = "kg";
  p.EXIST_I = 50;
  return p;
}

QString HoraNumero(int h, int m, int s) {
  return QString::number(NumeroFechaHora(QDateTime(QDate(2010, 3, 5), QTime(h, m, s))), 'f', 6);
}

class Documentos : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    FijaLinea(ConfIva, "0");
    EscribeOpciones({{1, "S"}});  // New goes straight to the quantity
    AgregaFila("VENDEDOR.DBF", {{"CLVEN_V", "01"}, {"NOMBR_V", "ANA"}});
    TRegistroProducto p1 = Producto("P1", "TORNILLO", 12.5);
    p1.PIVA1_I = 16;
    p1.CPROM_I = Dinero::DeReal(7.25);
    p1.DESCU_I = 10;
    p1.FPGCC_I = 1.5;
    TRegistroProducto p2 = Producto("P2", "CAFÉ MOLIDO DE ALTURA", 100);
    p2.PIVA2_I = 8;
    p2.UEMPA_I = 12;
    TRegistroProducto p3 = Producto("P3", "ESTUCHE", 40);
    p3.KITXX_I = "S";
    for (const TRegistroProducto& p :
         {p1, p2, p3, Producto("P4", "QUESO", 3.3333), Producto("P5", "CLAVO", 2), Producto("P9", "BROCA", 9)})
      AgregaProducto(p);
    AgregaFila("KITS.DBF", {{"CLPRO_I", "P3"}, {"CLPRO_K", "P5"}, {"CANTI_K", "2"}, {"DESCR_K", "CLAVO"}});
  }

  static void AgregaLinea(int numero, int control, const QString& clave, Campos campos = {}) {
    campos["CLDOC_FD"] = QString::number(numero);
    campos["CONTROL"] = QString::number(control);
    campos["CLPRO_FD"] = clave;
    if (!campos.contains("CANTI_FD")) campos["CANTI_FD"] = "1";
    AgregaFila("RemisioD.dbf", campos);
  }

  // F9 and the five lines of the round trip: a line discount, an IEPS and
  // a package, a kit, a fraction, a plain line.
  static void CapturaCinco(Pantalla& p) {
    Pulsa(Qt::Key_F9);
    for (const auto& [cantidad, clave] :
         {std::pair{"3", "P1"}, {"2", "P2"}, {"1", "P3"}, {"2.5", "P4"}, {"4", "P5"}})
      Linea(cantidad, clave);
    // The row the capture offers for the next line is given up.
    if (p.TablaDeta->State() == db::Dataset::Estado::Insertando) p.TablaDeta->Cancel();
  }
};

// Another station: a remission numbered by the argument with two lines.
RUTINA_HIJA(AgregaRemisionOtra) {
  const int numero = argumentos.value(0).toInt();
  db::Tabla e;
  e.SetCarpeta(kDatos);
  e.SetNombreTabla("Remision.dbf");
  e.Open();
  e.Append();
  e.FieldByName("CLDOC_F").SetAsInteger(numero);
  e.FieldByName("CONTROL").SetAsInteger(777);
  e.FieldByName("NOMBR_F").SetAsString("OTRA ESTACION");
  e.Post();
  db::Tabla l;
  l.SetCarpeta(kDatos);
  l.SetNombreTabla("RemisioD.dbf");
  l.Open();
  for (const char* clave : {"P5", "P1"}) {
    l.Append();
    l.FieldByName("CLDOC_FD").SetAsString(QString::number(numero));
    l.FieldByName("CONTROL").SetAsInteger(777);
    l.FieldByName("CLPRO_FD").SetAsString(clave);
    l.FieldByName("DEPRO_FD").SetAsString(clave);
    l.FieldByName("CANTI_FD").SetAsFloat(1);
    l.Post();
  }
  return 0;
}

RUTINA_HIJA(OcupaTabla) { return prueba::OcupaTabla(argumentos); }

}  // namespace

TEST(PartidasDocumentoTest, QuitaAcentosYElPrecioNeto) {
  EXPECT_EQ(QuitaAcentos("Café Ñandú ü ç ÀÉÎÕÜ"), "Cafe Nandu u c AEIOU");
  EXPECT_EQ(QuitaAcentos("€ 12.5 ¿Qué?"), "€ 12.5 ¿Que?");
  EXPECT_EQ(QuitaAcentos("Ĳ ∑"), "? ?");  // outside the code page
  EXPECT_TRUE(DescripcionCorresponde("CAFE MOLIDO", "CAFÉ MOLIDO"));
  EXPECT_TRUE(DescripcionCorresponde(QString(40, u'A') + "X", QString(40, u'A') + "Y"));
  EXPECT_FALSE(DescripcionCorresponde(QString(39, u'A') + "X", QString(39, u'A') + "Y"));
  EXPECT_EQ(PrecioNetoPartida(Dinero::DeReal(100), 10, 0, 0, 5), Dinero::DeReal(85.5));
  EXPECT_EQ(PrecioNetoPartida(Dinero::DeReal(100), 10, 10, 10, 0), Dinero::DeReal(72.9));

  bool deTicket = false;
  struct Caso {
    const char* texto;
    const char* leido;
    bool deTicket;
  };
  for (const Caso& c : {Caso{"0000123", "123", true}, Caso{"00001", "00001", false}, Caso{"000123", "000123", false},
                        Caso{"000000", "", true}, Caso{"00001a", "1a", true}, Caso{"12", "12", false}}) {
    deTicket = false;
    EXPECT_EQ(QuitaCerosBusqueda(c.texto, deTicket), c.leido) << c.texto;
    EXPECT_EQ(deTicket, c.deTicket) << c.texto;
  }
  EXPECT_EQ(HoraDeNumero(40242.588299), QTime(14, 7, 9));
}

TEST_F(Documentos, MostrarUnDocumentoLlenaLaPantallaDesdeSuEncabezado) {
  struct Caso {
    int numero;
    Campos campos;
    const char* cambio;
    bool cuenta;
    const char* pista;  // after "BUSCAR       "
    const char* factura;
    const char* estado;
    const char* vendedor;
  };
  const Caso casos[] = {
      {1, {{"CAMBI_F", "500"}, {"IMTOD_F", "423.50"}, {"PAGOX_F", "Transferencia"}, {"CLVEN_F", "01"}},
       "Cambio     76.50", true, "", "", "Activa", "ANA"},
      {2, {{"CAMBI_F", "0"}, {"IMTOD_F", "423.50"}, {"PAGOX_F", "tarjeta"}, {"CLVEN_F", "99"}},
       "Cambio 0.00", false, "", "", "Activa", "ANA"},
      {3, {{"CAMBI_F", "100"}, {"IMTOD_F", "150"}, {"PAGOX_F", "Cheque"}, {"REMIS_F", "F77"},
           {"CLPED_F", "R12"}, {"STATU_F", "D"}},
       "Cambio    -50.00", true, "F77", "Factura R12", "Dev. Total Genero F77", "ANA"},
      {4, {{"PAGOX_F", "Efectivo"}, {"STATU_F", "C"}, {"REMIS_F", "F78"}}, "Cambio 0.00", false, "F78", "",
       "Cancelada", "ANA"},
  };
  for (const Caso& c : casos) {
    Campos campos = c.campos;
    campos["NOMBR_F"] = QString("CLIENTE %1").arg(c.numero);
    campos["DIREC_F"] = "CALLE 5";
    campos["RFCXX_F"] = "XAXX010101000";
    campos["FEDOC_F"] = QString("0%1/03/2010").arg(c.numero);
    campos["HORAX_F"] = HoraNumero(14, 7, c.numero);
    AgregaRemision(c.numero, campos);
  }
  Abre("2", [&](Pantalla& p) {
    for (const Caso& c : casos) {
      SCOPED_TRACE(c.numero);
      ASSERT_TRUE(p.TablaFacturae->FindKey({c.numero}));
      p.MuestraDocumento();
      EXPECT_EQ(p.Nombre->text(), QString("CLIENTE %1").arg(c.numero));
      EXPECT_EQ(p.Direccion->text(), "CALLE 5");
      EXPECT_EQ(p.RFC->text(), "XAXX010101000");
      EXPECT_EQ(p.EditFEDOC_F->text(), QString("0%1/03/2010").arg(c.numero));
      EXPECT_EQ(p.Hora->text(), QString("14:07:0%1").arg(c.numero));
      EXPECT_EQ(p.TipoPago->currentText(), c.campos.value("PAGOX_F"));
      EXPECT_EQ(p.SuCambio->text(), c.cambio);
      EXPECT_EQ(p.EditCUENTA->isVisible(), c.cuenta);
      EXPECT_EQ(p.LabelCuenta->isVisible(), c.cuenta);
      EXPECT_EQ(p.Label18->text(), "F11 IMPRIME TICKET,     Ctrl+B   BUSCAR       " + QString(c.pista));
      EXPECT_EQ(p.LabelFactura->text(), c.factura);
      EXPECT_EQ(p.Estado->text(), c.estado);
      EXPECT_EQ(p.LabelVendedor->text(), c.vendedor);
      // The header's totals follow its lines (none here).
      EXPECT_EQ(p.TablaFacturae->FieldByName("IMTOD_F").AsFloat(), 0);
      EXPECT_EQ(p.TablaFacturae->State(), db::Dataset::Estado::Navegando);
    }
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Documentos, ConLaTablaVaciaNadaCambia) {
  Abre("2", [](Pantalla& p) {
    p.Nombre->setText("antes");
    p.SuCambio->setText("Cambio 1.00");
    p.MuestraDocumento();
    p.Detalle->setFocus();
    Pulsa(Qt::Key_End);
    EXPECT_EQ(p.Nombre->text(), "antes");
    EXPECT_EQ(p.SuCambio->text(), "Cambio 1.00");
    EXPECT_EQ(p.PartidasCargadas, 0);
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Documentos, LasLineasSeCarganEnSuOrdenSinComponentesNiOtroControl) {
  AgregaRemision(20, {{"CONTROL", "111"}});
  AgregaLinea(20, 111, "P1", {{"DEPRO_FD", "TORNILLO"}, {"CANTI_FD", "2"}, {"PUNPR_FD", "50"}, {"PDES1_FD", "10"},
                              {"IEPS1_FD", "0"}});
  AgregaLinea(20, 222, "P9", {{"DEPRO_FD", "DE OTRO DOCUMENTO"}});
  AgregaLinea(20, 111, "P3", {{"DEPRO_FD", "ESTUCHE"}, {"TIPOX_FD", "K"}, {"PUNPR_FD", "40"}});
  AgregaLinea(20, 111, "P5", {{"DEPRO_FD", "CLAVO"}, {"TIPOX_FD", "X"}, {"CANTI_FD", "2"}});
  AgregaLinea(20, 111, "P2", {{"DEPRO_FD", "CAFE"}, {"IEPS1_FD", "8"}, {"PUNPR_FD", "100"}, {"PENDI_FD", "12"},
                              {"PIVA2_FD", "12"}, {"TICAM_FD", "3"}, {"UNIDA_FD", "kg"}});
  AgregaRemision(21, {{"CONTROL", "5"}});
  AgregaLinea(21, 5, "P4", {{"DEPRO_FD", "QUESO"}});
  AgregaRemision(0, {});
  Abre("2", [](Pantalla& p) {
    ASSERT_TRUE(p.TablaFacturae->FindKey({20}));
    p.MuestraDocumento();
    EXPECT_EQ(Captura(p, {"CLAVE", "CANTIDAD", "PRECIO", "DESCUENTO", "IMPORTE", "TIPO", "IEPS1", "TARA", "FACTOR",
                          "EMPAQUE", "UNIDAD"}),
              (QList<QStringList>{{"P1", "2", "50", "10", "90", "", "", "", "", "", ""},
                                  {"P3", "1", "40", "", "40", "K", "", "", "", "", ""},
                                  {"P2", "1", "100", "", "100", "", "8", "12", "12", "3", "kg"}}));
    EXPECT_EQ(p.Label8->text(), "det 1");
    EXPECT_EQ(p.PartidasCargadas, 1);
    EXPECT_EQ(p.TotalFact->text().trimmed(), "230.00");

    // A second load before the next display loads nothing.
    AgregaFilas(*p.TablaDeta, {{{"CLAVE", "AJENA"}, {"CANTIDAD", 1}}});
    p.CargaPartidasDocumento();
    EXPECT_EQ(Columna(p, "CLAVE"), QStringList({"P1", "P3", "P2", "AJENA"}));
    EXPECT_EQ(p.Label8->text(), "det 1");

    // Ctrl+S shows the next document and loads its lines once again.
    p.Detalle->setFocus();
    Pulsa(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(p.EditCLDOC_F->text(), "21");
    EXPECT_EQ(Columna(p, "CLAVE"), QStringList{"P4"});
    EXPECT_EQ(p.Label8->text(), "det 1");

    // Number 0 only empties the capture.
    ASSERT_TRUE(p.TablaFacturae->FindKey({0}));
    p.MuestraDocumento();
    EXPECT_EQ(Columna(p, "CLAVE"), QStringList());
    EXPECT_EQ(p.PartidasCargadas, 0);
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Documentos, LaBusquedaPorNumeroYElPagoEnCaja) {
  for (int numero : {1, 7, 123}) {
    AgregaRemision(numero, {{"CONTROL", "9"}, {"NOMBR_F", QString("CLIENTE %1").arg(numero)}});
    AgregaLinea(numero, 9, "P5", {{"DEPRO_FD", "CLAVO"}, {"CANTI_FD", QString::number(numero)}});
  }
  enum Cierre { Enter, Aceptar, Esc };
  struct Caso {
    const char* texto;
    Cierre cierre;
    const char* documento;
    bool pagoEnCaja;
    QStringList mensajes;
  };
  const Caso casos[] = {
      {"0000123", Enter, "123", true, {}},
      {"00001", Enter, "1", false, {}},
      {"00001", Aceptar, "1", true, {}},
      {"000123", Enter, "123", false, {}},
      {"555", Enter, "7", false, {}},
      {"abc", Enter, "7", false, {"Valor no Válido"}},
      // Nothing typed, or Esc: the search is given up.
      {"", Aceptar, "7", false, {}},
      {"0000123", Esc, "7", false, {}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.texto);
    Abre("2", [&](Pantalla& p) {
      ASSERT_TRUE(p.TablaFacturae->FindKey({7}));
      p.MuestraDocumento();
      // A line taken out of the capture: a display loads the lines again.
      CambiaPartida(p, 0, "CLAVE", "QUITADA");
      ui::PuertaModal::Espera("TFormaBusqueda", [&](QDialog& d) {
        EXPECT_EQ(prueba::Texto(d, "Clave"), "Por Documento (F1)");
        prueba::Teclea(d, "CajaBuscar", c.texto);
        if (c.cierre == Aceptar) prueba::Pulsa(d, "BotonAceptar");
        else prueba::Tecla(d, "CajaBuscar", c.cierre == Esc ? Qt::Key_Escape : Qt::Key_Return);
      });
      bool picker = false;
      if (c.pagoEnCaja) ui::PuertaModal::Espera("TFormaTipoPago", [&](QDialog& d) {
          picker = true;
          d.close();
        });
      p.Detalle->setFocus();
      Pulsa(Qt::Key_B, Qt::ControlModifier);
      EXPECT_EQ(p.EditCLDOC_F->text(), c.documento);
      EXPECT_EQ(picker, c.pagoEnCaja);
      EXPECT_EQ(ui::PuertaModal::SinRespuesta(), QStringList());
      const bool mostrado = c.mensajes.isEmpty() && QString(c.texto) != "" && c.cierre != Esc;
      EXPECT_EQ(Columna(p, "CLAVE"), QStringList{mostrado ? "P5" : "QUITADA"});
      if (mostrado) {
        EXPECT_EQ(Columna(p, "CANTIDAD"), QStringList{c.documento});
      }
    });
    EXPECT_EQ(Mensajes(), c.mensajes);
    ui::PuertaModal::LimpiaMensajes();
  }
}

TEST_F(Documentos, AlAbrirSeVeElUltimoYElNavegadorMueveYMuestra) {
  for (int numero : {3, 4, 5}) {
    AgregaRemision(numero, {{"CONTROL", "1"}, {"NOMBR_F", QString("CLIENTE %1").arg(numero)}});
    AgregaLinea(numero, 1, "P5", {{"DEPRO_FD", "CLAVO"}, {"CANTI_FD", QString::number(numero)}});
  }
  EscribeLineas(fs::Une(kPrograma, "actual.dat"), {"4"});
  Abre("2", [](Pantalla& p) {
    EXPECT_EQ(p.EditCLDOC_F->text(), "5");
    EXPECT_EQ(p.Nombre->text(), "CLIENTE 5");
    EXPECT_EQ(Columna(p, "CANTIDAD"), QStringList{"5"});
    EXPECT_EQ(p.UltimoNumeroDocumento, 5);
    p.Navegador->Pulsa(ui::Navegador::Primero);
    EXPECT_EQ(p.Nombre->text(), "CLIENTE 3");
    EXPECT_EQ(Columna(p, "CANTIDAD"), QStringList{"3"});
    p.PosicionaDocumentoActual();
    EXPECT_EQ(p.Nombre->text(), "CLIENTE 4");
    EXPECT_EQ(Columna(p, "CANTIDAD"), QStringList{"4"});
    // A line that is no number leaves the document shown.
    EscribeLineas(fs::Une(kPrograma, "actual.dat"), {"cuatro"});
    p.Navegador->Pulsa(ui::Navegador::Ultimo);
    p.PosicionaDocumentoActual();
    EXPECT_EQ(p.Nombre->text(), "CLIENTE 5");
    // The kind chosen again shows the row its table stands on.
    p.Base->setCurrentText("Caja Chica");
    p.BaseChange();
    EXPECT_EQ(p.Nombre->text(), "CLIENTE 5");
    AgregaFila("CajaChic.dbf", {{"CLDOC_F", "1"}, {"NOMBR_F", "CAJA"}});
    p.TablaFacturae->Refresh();
    p.TablaFacturae->First();
    p.BaseChange();
    EXPECT_EQ(p.Nombre->text(), "CAJA");
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Documentos, EscribirUnaRemisionLineaPorLinea) {
  // A description longer than the 40 characters the check compares.
  const QString largo = "CLAVO DE ACERO GALVANIZADO PARA MADERA DE PINO";
  {
    auto productos = AbreEn(kDatos, kTablaProductos, kTagClaveProducto);
    ASSERT_TRUE(productos->FindKey({"P5"}));
    productos->Edit();
    productos->FieldByName("DSCPR_I").SetAsString(largo);
    productos->Post();
  }
  Abre("2", [&](Pantalla& p) {
    Pulsa(Qt::Key_F9);
    Linea("3", "P1");  // price 12.50, its 10 % discount
    Linea("2", "P2");
    Linea("1", "P3");  // a kit, kits off
    Linea("1", "P9");  // a product deleted before the save
    Linea("1", "P4");
    Linea("1", "P5");
    if (p.TablaFacturae->State() == db::Dataset::Estado::Navegando) p.TablaFacturae->Edit();
    p.TablaFacturae->FieldByName("DESFI_F").SetAsFloat(5);
    // Prices changed with their amounts, so the totals keep them.
    CambiaPartida(p, 0, "PRECIO", 100);
    CambiaPartida(p, 0, "IMPORTE", 270);
    CambiaPartida(p, 1, "PRODUCTO", "CAFE MOLIDO DE ALTURA");  // accents only
    CambiaPartida(p, 4, "PRODUCTO", QString(40, u'Q'));        // another product's text
    CambiaPartida(p, 4, "PRECIO", 1);
    CambiaPartida(p, 4, "IMPORTE", 1);
    CambiaPartida(p, 5, "PRODUCTO", largo.left(40) + " TRATADO");  // after character 40
    // A package count the line's field cannot hold: the package fields
    // stay blank, the line is written.
    CambiaPartida(p, 5, "EMPAQUE", 1e12);
    // Rows that are not written: no quantity, no key, no description.
    AgregaFilas(*p.TablaDeta, {{{"CANTIDAD", 0}, {"CLAVE", "P5"}, {"PRODUCTO", "CLAVO"}},
                               {{"CANTIDAD", 1}, {"PRODUCTO", "SIN CLAVE"}},
                               {{"CANTIDAD", 1}, {"CLAVE", "P5"}}});
    {
      auto productos = AbreEn(kDatos, kTablaProductos, kTagClaveProducto);
      ASSERT_TRUE(productos->FindKey({"P9"}));
      productos->Delete();
    }
    Pulsa(Qt::Key_F10);
    const QString numero = p.EditCLDOC_F->text();

    EXPECT_EQ(Mensajes(), QStringList({"La Clave P9 del producto no se encuentra la cantidad se cambiara a 0.00",
                                       "La Descripción no corresponde al producto P4 se calculara el precio"}));
    const QString control = QString::number(p.ControlDocumento);
    // Each line's stock before and after it left the product.
    EXPECT_EQ(Lineas(numero, {"CLPRO_FD", "CANTI_FD", "DEPRO_FD", "PUNPR_FD", "PREDE_FD", "IMPOR_FD", "TIPOX_FD",
                              "CONTROL", "FEDOC_FD", "USUARIO", "HORAF_F", "PCOMI_FD", "INICIAL", "FINAL"}),
              (QList<QStringList>{
                  {"P1", "3", "TORNILLO", "100", "85.5", "300", "", control, "05/03/2010", "2", "2", "1", "50", "47"},
                  {"P2", "2", "CAFE MOLIDO DE ALTURA", "100", "95", "200", "", control, "05/03/2010", "2", "2", "1",
                   "50", "48"},
                  {"P3", "1", "ESTUCHE", "40", "38", "40", "K", control, "05/03/2010", "2", "2", "1", "50", "49"},
                  {"P9", "0", "PRODUCTO SIN CLAVE", "9", "8.55", "0", "", control, "05/03/2010", "2", "2", "1", "",
                   ""},
                  {"P4", "1", "QUESO", "3.3333", "3.1666", "3.3333", "", control, "05/03/2010", "2", "2", "1", "50",
                   "49"},
                  {"P5", "1", largo.left(40) + " TRATADO", "2", "1.9", "2", "", control, "05/03/2010",
                   "2", "2", "1", "50", "49"}}));
    EXPECT_EQ(Lineas(numero, {"CLPRO_FD", "TICAM_FD", "PIVA2_FD"}).mid(1),
              (QList<QStringList>{{"P2", "", "12"}, {"P3", "", "1"}, {"P9", "", "1"}, {"P4", "", "1"}, {"P5", "", ""}}));
    // The header from the screen.
    db::Tabla& e = *p.TablaFacturae;
    ASSERT_TRUE(e.FindKey({numero.toLongLong()}));
    EXPECT_EQ(e.FieldByName("CONTROL").AsString(), control);
    EXPECT_EQ(e.FieldByName("PAGOX_F").AsString(), "Efectivo");
    EXPECT_EQ(e.FieldByName("FEENT_F").AsString(), "05/03/2010");
    EXPECT_EQ(e.FieldByName("FEVEN_F").AsString(), "05/03/2010");
    // Shown again after the save, the header's totals follow the lines as
    // saved (the two lines priced again, the one without product at 0).
    EXPECT_EQ(e.FieldByName("IMTOD_F").AsString(), "530.6");
    EXPECT_NEAR(e.FieldByName("HORAX_F").AsFloat(), NumeroFechaHora(QDateTime(QDate(2010, 3, 5), QTime(10, 15))),
                1e-6);
    // The capture is locked, the screen in its saved phase.
    EXPECT_EQ(ui::Tag(p.BotonNuevo), 0);
    EXPECT_TRUE(p.EditClave->isReadOnly());
    EXPECT_TRUE(p.BotonNuevo->isEnabled());
    EXPECT_FALSE(p.BotonGuardar->isEnabled());
  });
}

TEST_F(Documentos, UnCambioBorraSusLineasViejasYUnEncabezadoFaltanteSeRehace) {
  AgregaRemision(30, {{"CONTROL", "300"}, {"CLCLI_F", "1"}});
  AgregaLinea(30, 300, "P5", {{"DEPRO_FD", "CLAVO"}, {"PUNPR_FD", "2"}});
  AgregaLinea(30, 300, "P1", {{"DEPRO_FD", "TORNILLO"}, {"PUNPR_FD", "12.5"}});
  AgregaLinea(30, 299, "P4", {{"DEPRO_FD", "QUESO DE OTRO CONTROL"}});
  Abre("2", [](Pantalla& p) {
    ASSERT_EQ(p.EditCLDOC_F->text(), "30");
    // The change itself (taking the document into capture) stood in for.
    ui::SetTag(p.BotonCambios, 1);
    CambiaPartida(p, 1, "CANTIDAD", 4);
    p.GuardaPorTipo(u'F');
    const QString control = QString::number(p.ControlDocumento);
    EXPECT_NE(control, "300");
    // A line of the number under a control no header has is an orphan of an
    // interrupted save: it stays, emptied.
    EXPECT_EQ(Lineas("30", {"CLPRO_FD", "CANTI_FD", "CONTROL"}),
              (QList<QStringList>{{"P4", "0", "299"}, {"P5", "1", control}, {"P1", "4", control}}));
    EXPECT_EQ(p.TablaFacturae->FieldByName("CONTROL").AsString(), control);
    EXPECT_EQ(ui::Tag(p.BotonCambios), 0);
  });
  EXPECT_EQ(Mensajes(), QStringList());

  // A new remission whose header another station removed before the save.
  Abre("2", [](Pantalla& p) {
    Pulsa(Qt::Key_F9);
    Linea("2", "P5");
    PasaAlCompartido(p);
    const QString numero = p.EditCLDOC_F->text();
    {
      auto otra = AbreEn(kDatos, "Remision.dbf", "INUMENC");
      ASSERT_TRUE(otra->FindKey({numero.toLongLong()}));
      otra->Delete();
    }
    p.GuardaPorTipo(u'R');
    const QString control = QString::number(p.ControlDocumento);
    EXPECT_EQ(Lineas(numero, {"CLPRO_FD", "CANTI_FD", "CONTROL"}), (QList<QStringList>{{"P5", "2", control}}));
    auto e = AbreEn(kDatos, "Remision.dbf", "INUMENC");
    ASSERT_TRUE(e->FindKey({numero.toLongLong()}));
    EXPECT_EQ(e->FieldByName("CONTROL").AsString(), control);
    EXPECT_EQ(e->FieldByName("IMTOD_F").AsString(), "4");
    EXPECT_EQ(e->FieldByName("FEDOC_F").AsString(), "05/03/2010");
  });
  EXPECT_EQ(Mensajes(), QStringList());

  // Without a customer a new document writes nothing, and is still done.
  Abre("2", [](Pantalla& p) {
    Pulsa(Qt::Key_F9);
    Linea("2", "P5");
    PasaAlCompartido(p);
    const QString numero = p.EditCLDOC_F->text();
    p.TablaFacturae->Edit();
    p.TablaFacturae->FieldByName("CLCLI_F").Clear();
    p.GuardaPorTipo(u'R');
    EXPECT_EQ(Lineas(numero, {"CLPRO_FD"}), QList<QStringList>());
    EXPECT_EQ(ui::Tag(p.BotonNuevo), 0);
  });
  EXPECT_EQ(Mensajes(), QStringList{"No se puede Guardar la Factura faltan datos del Cliente"});
}

TEST_F(Documentos, CincoLineasEscritasYMostradasDeNuevoSonLasCapturadas) {
  Abre("2", [](Pantalla& p) {
    CapturaCinco(p);
    CambiaPartida(p, 1, "EMPAQUE", 3);
    CambiaPartida(p, 4, "DESCUENTO", 12.5);
    CambiaPartida(p, 4, "IMPORTE", 7);  // 4 × 2 less 12.5 %
    PasaAlCompartido(p);
    p.GuardaPorTipo(u'R');
    const QList<QStringList> escritas = Captura(p);
    ASSERT_EQ(escritas.size(), 5);
    EXPECT_EQ(escritas[1], (QStringList{"2", "12", "P2", "CAFÉ MOLIDO DE ALTURA", "kg", "100", "", "", "200", "", "12",
                                        "", "3", "", "8"}));
    EXPECT_EQ(escritas[2][13], "K");
    EXPECT_EQ(escritas[3][0], "2.5");
    // What the screen holds is replaced by what the tables give back.
    CambiaPartida(p, 0, "CLAVE", "OTRA");
    AgregaFilas(*p.TablaDeta, {{{"CLAVE", "DE MAS"}, {"CANTIDAD", 1}}});
    p.Label8->clear();
    MuestraUltimo(p);
    EXPECT_EQ(p.Label8->text(), "det 1");
    EXPECT_EQ(Captura(p), escritas);
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Documentos, OtraEstacionAgregaUnaRemisionYFinLaMuestra) {
  AgregaRemision(40, {{"CONTROL", "1"}});
  Abre("2", [](Pantalla& p) {
    ASSERT_EQ(p.EditCLDOC_F->text(), "40");
    prueba::ProcesoHijo otra("AgregaRemisionOtra", {"41"});
    ASSERT_EQ(otra.Espera(), 0);
    p.Detalle->setFocus();
    Pulsa(Qt::Key_End);
    EXPECT_EQ(p.EditCLDOC_F->text(), "41");
    EXPECT_EQ(p.Nombre->text(), "OTRA ESTACION");
    EXPECT_EQ(Columna(p, "CLAVE"), QStringList({"P5", "P1"}));
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Documentos, UnaTablaDeLineasOcupadaDetieneElGuardadoYF10LoTerminaConSuNumero) {
  Abre("2", [](Pantalla& p) {
    CapturaCinco(p);
    const QList<QStringList> capturadas = Captura(p, {"CLAVE", "CANTIDAD", "PRECIO"});
    QString numero;
    {
      prueba::ProcesoHijo otra("OcupaTabla", {kDatos, "RemisioD.dbf"});
      ASSERT_EQ(otra.EsperaLinea(), "LISTO");
      Pulsa(Qt::Key_F10);
      numero = p.EditCLDOC_F->text();
      otra.Envia("fin");
      EXPECT_EQ(otra.Espera(), 0);
    }
    ASSERT_EQ(Mensajes().size(), 1);
    EXPECT_TRUE(Mensajes()[0].contains("RemisioD", Qt::CaseInsensitive)) << Mensajes()[0].toStdString();
    ui::PuertaModal::LimpiaMensajes();
    // The header is numbered and the stock of the first line taken: the
    // capture stays whole and locked, Save still there.
    EXPECT_EQ(Captura(p, {"CLAVE", "CANTIDAD", "PRECIO"}), capturadas);
    EXPECT_EQ(ui::Tag(p.BotonNuevo), 1);
    EXPECT_TRUE(p.EditClave->isReadOnly());
    EXPECT_TRUE(p.BotonGuardar->isEnabled());
    EXPECT_FALSE(p.BotonNuevo->isEnabled());
    EXPECT_EQ(p.EstadoCaptura->text(), "Capturando...");
    EXPECT_EQ(Lineas(numero, {"CLPRO_FD"}), QList<QStringList>());
    // F10 once the table is free: the same number, each stock lowered once.
    Pulsa(Qt::Key_F10);
    EXPECT_EQ(p.EditCLDOC_F->text(), numero);
    EXPECT_EQ(Lineas(numero, {"CLPRO_FD", "CANTI_FD"}),
              (QList<QStringList>{{"P1", "3"}, {"P2", "2"}, {"P3", "1"}, {"P4", "2.5"}, {"P5", "4"}}));
    auto e = AbreEn(kDatos, "Remision.dbf");
    EXPECT_EQ(e->RecordCount(), 1);
    auto productos = AbreEn(kDatos, kTablaProductos, kTagClaveProducto);
    for (const auto& [clave, existencia] : {std::pair{"P1", 47.0}, {"P2", 48.0}, {"P3", 49.0}, {"P4", 47.5}, {"P5", 46.0}}) {
      ASSERT_TRUE(productos->FindKey({clave}));
      EXPECT_EQ(productos->FieldByName("EXIST_I").AsFloat(), existencia) << clave;
    }
    EXPECT_EQ(ui::Tag(p.BotonNuevo), 0);
    EXPECT_TRUE(p.BotonNuevo->isEnabled());
  });
  EXPECT_EQ(Mensajes(), QStringList());
}
