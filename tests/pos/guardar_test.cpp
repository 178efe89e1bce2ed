// Saving a sale with F10 as a cashier does it: the checks that refuse a
// save, the final number from Folios.dbs, the stock, per-product totals and
// kits of each line, the shortage log, the orphan lines of the number, a
// change giving its reserves back, the close question; then the save as
// stations meet: three stations saving at once, a product row held by
// another station, a station killed at every write of its save and started
// again, the data folder lost in the middle of a sale.

#include "customers/CuentasCobrar.h"
#include "inventory/RegistroMovimiento.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/PuntosFalla.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Falla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Forma.h"
#include "platform/ui/PuertaModal.h"
#include "pos/ExistenciasVenta.h"
#include "foundation/UnidadTrabajo.h"
#include "support/Maneja.h"
#include "support/Proceso.h"
#include "captura_prueba.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QTest>
#include <QToolButton>

#include <map>

namespace {

using Pantalla = TFormaCapturaRapida;

const QString kSinConexion = QStringLiteral("No es Posible Guardar los Datos...error de conexión...") + QChar(u'\r') +
                             QStringLiteral(" Se Recomienda revisar su red y REINICIAR EL PROGRAMA");
const QString kDiario = QStringLiteral("C:\\VRL\\Guardado1.jnl");

QWidget* Foco() { return QApplication::focusWidget(); }
void Escribe(const QString& texto) {
  for (const QChar c : texto) QTest::keyClicks(Foco(), QString(c));
}
void Pulsa(int tecla, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QWidget* w = Foco() ? Foco() : QApplication::activeWindow();
  QTest::keyClick(w, static_cast<Qt::Key>(tecla), mods);
}
// F9, then each line: quantity, Enter, key, Enter.
void Captura(const QList<std::pair<QString, QString>>& lineas) {
  Pulsa(Qt::Key_F9);
  for (const auto& [cantidad, clave] : lineas) {
    Escribe(cantidad);
    Pulsa(Qt::Key_Return);
    Escribe(clave);
    Pulsa(Qt::Key_Return);
  }
}

// The named fields of every live row, in physical order, joined by "|".
QStringList Filas(const QString& archivo, const QStringList& campos, const QString& carpeta = kDatos) {
  auto t = AbreEn(carpeta, archivo);
  QStringList filas;
  for (t->First(); !t->Eof(); t->Next()) {
    QStringList fila;
    for (const QString& c : campos) fila << t->FieldByName(c).AsString();
    filas << fila.join(u'|');
  }
  return filas;
}

// Every row of a data-folder table removed.
void Vacia(std::initializer_list<const char*> archivos) {
  for (const char* archivo : archivos) {
    db::Tabla t;
    t.SetCarpeta(kDatos);
    t.SetNombreTabla(QString::fromLatin1(archivo));
    t.SetExclusive(true);
    t.Open();
    t.EmptyTable();
  }
}

QString Campo(const QString& archivo, const QString& tag, const QString& clave, const QString& campo) {
  auto t = AbreEn(kDatos, archivo, tag);
  return t->FindKey({clave}) ? t->FieldByName(campo).AsString() : QStringLiteral("(no está)");
}
QString Producto(const QString& clave, const QString& campo) {
  return Campo(kTablaProductos, kTagClaveProducto, clave, campo);
}
QString Kardex(const QString& clave, const QString& campo) { return Campo(kTablaKardex, kTagKardex, clave, campo); }

// The line rows of a number and control: key and quantity.
QStringList LineasDe(const QString& numero, const QString& control, const QString& archivo = "RemisioD.dbf") {
  QStringList r;
  auto t = AbreEn(kDatos, archivo, "CLDOC_FD");
  t->SetRange({numero}, {numero});
  for (; !t->Eof(); t->Next())
    if (t->FieldByName("CONTROL").AsString() == control)
      r << t->FieldByName("CLPRO_FD").AsString() + u'=' + t->FieldByName("CANTI_FD").AsString();
  return r;
}

TRegistroProducto Articulo(const QString& clave, const QString& descripcion, double precio, double existencia) {
  TRegistroProducto p;
  p.CLPRO_I = clave;
  p.DSCPR_I = descripcion;
  p.PPUBL_I = Dinero::DeReal(precio);
  p.UMEDI_I = "kg";
  p.EXIST_I = existencia;
  return p;
}

class Guardar : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    FijaLinea(ConfIva, "0");
    EscribeOpciones({{1, "S"}});  // New goes straight to the quantity
    for (const TRegistroProducto& p : {Articulo("P1", "TORNILLO", 10, 50), Articulo("P2", "CLAVO", 2, 50),
                                       Articulo("P3", "TUERCA", 3, 50), Articulo("P4", "ROLDANA", 1, 50),
                                       Articulo("P5", "TAQUETE", 4, 50)})
      AgregaProducto(p);
  }

  static void Folios(const QStringList& lineas) { EscribeLineas(fs::Une(kDatos, "Folios.dbs"), lineas); }
  // Totals rows that count the initial stock as an entry.
  static void KardexInicial(const QStringList& claves, double existencia) {
    for (const QString& c : claves)
      AgregaFila(kTablaKardex, {{"CLPRO_I", c}, {"ENTRA_I", QString::number(existencia)},
                                {"SALID_I", "0"}, {"EXIST_I", QString::number(existencia)},
                                {"INVEN_I", QString::number(existencia)}});
  }
  static void Existencia(const QString& clave, double existencia) {
    auto t = AbreEn(kDatos, kTablaProductos, kTagClaveProducto);
    ASSERT_TRUE(t->FindKey({clave}));
    t->Edit();
    t->FieldByName("EXIST_I").SetAsFloat(existencia);
    t->Post();
  }
  static bool Capturando(Pantalla& p) { return p.EstadoCaptura->text() == "Capturando..."; }
};

// --- Other stations.

// The application of a child station, for the routine's life.
std::unique_ptr<ui::Aplicacion> AplicacionHija() {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char nombre[] = "estacion";
  static char* argv[] = {nombre, nullptr};
  auto aplicacion = std::make_unique<ui::Aplicacion>(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  return aplicacion;
}

// Runs `mira` on a sale screen of user 2, shown through the modal gate.
void PantallaHija(const std::function<void(Pantalla&)>& mira) {
  auto pantalla = std::make_unique<TFormaCapturaRapida>();
  pantalla->usuario->setText("2");
  ui::PuertaModal::Espera("TFormaCapturaRapida", [&](QDialog& d) { mira(static_cast<Pantalla&>(d)); });
  pantalla->ShowModal();
}

const QList<std::pair<QString, QString>> kCincoLineas = {
    {"1", "P1"}, {"2", "P2"}, {"1", "P3"}, {"3", "P4"}, {"1", "P5"}};
const std::map<QString, double> kCantidades = {{"P1", 1}, {"P2", 2}, {"P3", 1}, {"P4", 3}, {"P5", 1}};

// A station that saves `argumentos[0]` five-line remissions once the parent
// says so; "BIEN" when every save ended in the saved phase with nothing told.
RUTINA_HIJA(EstacionVende) {
  const auto aplicacion = AplicacionHija();
  const int documentos = argumentos.value(0).toInt();
  QStringList fallas;
  PantallaHija([&](Pantalla& p) {
    prueba::AvisaPadre("LISTO");
    prueba::EsperaPadre();
    for (int i = 0; i < documentos; ++i) {
      Captura(kCincoLineas);
      Pulsa(Qt::Key_F10);
      if (!ui::PuertaModal::Mensajes().isEmpty() || p.EstadoCaptura->text() != "Terminada")
        fallas << QString::number(i) + u':' + ui::PuertaModal::Mensajes().join(u';');
      ui::PuertaModal::LimpiaMensajes();
    }
  });
  prueba::AvisaPadre(fallas.isEmpty() ? QStringLiteral("BIEN") : fallas.join(u' '));
  return 0;
}

// A station that captures a five-line remission and saves it with the fault
// seam armed at argumentos[0], pass argumentos[1].
RUTINA_HIJA(EstacionMuere) {
  const auto aplicacion = AplicacionHija();
  PantallaHija([&](Pantalla&) {
    Captura(kCincoLineas);
    falla::Arma(argumentos.value(0), argumentos.value(1).toInt());
    prueba::AvisaPadre("ARMADO");
    Pulsa(Qt::Key_F10);
    falla::Desarma();
  });
  return 0;
}

// A station that captures a five-line remission, says so, and when the
// parent answers saves it with the fault seam armed at argumentos[0], pass
// argumentos[1].
RUTINA_HIJA(EstacionCapturaYMuere) {
  const auto aplicacion = AplicacionHija();
  PantallaHija([&](Pantalla&) {
    Captura(kCincoLineas);
    prueba::AvisaPadre("CAPTURADA");
    prueba::EsperaPadre();
    falla::Arma(argumentos.value(0), argumentos.value(1).toInt());
    Pulsa(Qt::Key_F10);
    falla::Desarma();
  });
  return 0;
}

// Another station holding a product row in edit until the parent answers.
RUTINA_HIJA(RetieneProducto) {
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla(kTablaProductos);
  t.SetIndexName(kTagClaveProducto);
  t.Open();
  if (!t.FindKey({argumentos.value(0)})) return 1;
  t.Edit();
  prueba::AvisaPadre("LISTO");
  prueba::EsperaPadre();
  t.Cancel();
  return 0;
}

}  // namespace

TEST_F(Guardar, LosFoliosDanElNumeroFinalDesdeElRegistroDelEncabezado) {
  struct Caso {
    QStringList folios;  // empty: no file
    const char* numero;
    QStringList mensajes;
    QStringList archivo;
  };
  const Caso casos[] = {
      {{"100", "0", "0", "5000", "0", "0"}, "100", {}, {"100", "0", "0", "5000", "0", "0"}},
      {{}, "1", {}, {"1", "0", "0", "1", "0", "0"}},
      {{"20", "5", "0", "1", "0", "0"}, "25", {}, {"20", "5", "0", "1", "0", "0"}},
      // What was read before the bad line stays: base 99, adjustment 0.
      {{"100", "x", "0", "1", "0", "0"}, "100", {"Hay un error en la base de datos Folios"}, {}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.numero);
    Vacia({"Remision.dbf", "RemisioD.dbf"});
    fs::BorraArchivo(fs::Une(kDatos, "Folios.dbs"));
    if (!c.folios.isEmpty()) Folios(c.folios);
    Abre("2", [&](Pantalla& p) {
      // The number shown while capturing is only provisional.
      Captura({{"2", "P1"}});
      EXPECT_EQ(p.EditCLDOC_F->text(), "1");
      Pulsa(Qt::Key_F10);
      EXPECT_EQ(p.EditCLDOC_F->text(), c.numero);
      EXPECT_EQ(p.EstadoCaptura->text(), "Terminada");
    });
    EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F"}), QStringList{c.numero});
    EXPECT_EQ(Filas("RemisioD.dbf", {"CLDOC_FD", "CLPRO_FD", "CANTI_FD"}), QStringList{QString(c.numero) + "|P1|2"});
    if (!c.archivo.isEmpty()) {
      EXPECT_EQ(fs::LeeLineas(fs::Une(kDatos, "Folios.dbs")), c.archivo);
    }
    EXPECT_EQ(Mensajes(), c.mensajes);
    ui::PuertaModal::LimpiaMensajes();
    EXPECT_FALSE(fs::ExisteArchivo(kDiario));
  }
}

TEST_F(Guardar, UnGuardadoRechazadoNoEscribeNadaYLaVentaSigueEnCaptura) {
  EscribeLineas(fs::Une(kPrograma, "especial.cnf"), {"N", "", "", "HERRAJES_F5", ""});
  struct Caso {
    const char* nombre;
    std::function<void(Pantalla&)> prepara;
    QStringList mensajes;
  };
  const Caso casos[] = {
      {"sin cambio", [](Pantalla&) {}, {"Falta Calcular Cambio..."}},
      {"sin cliente",
       [](Pantalla& p) {
         p.CAMBIO_F->setText("1000");
         p.TablaFacturae->FieldByName("CLCLI_F").Clear();
       },
       {"No se puede Guardar la Factura faltan datos del Cliente",
        "No Pueden Guardarse los Datos ha Ocurrido un Error"}},
      {"sin numero",
       [](Pantalla& p) {
         p.CAMBIO_F->setText("1000");
         p.TablaFacturae->FieldByName("CLDOC_F").Clear();
       },
       {"Falta el Número de Documento"}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    Abre("2", [&](Pantalla& p) {
      Captura({{"2", "P1"}, {"1", "P2"}});
      if (p.TablaFacturae->State() == db::Dataset::Estado::Navegando) p.TablaFacturae->Edit();
      c.prepara(p);
      Pulsa(Qt::Key_F10);
      EXPECT_EQ(Mensajes(), c.mensajes);
      EXPECT_TRUE(Capturando(p));
      EXPECT_TRUE(p.BotonGuardar->isEnabled());
      EXPECT_FALSE(p.EditClave->isReadOnly());
      EXPECT_EQ(ColumnaCaptura(*AbreEn(kPrograma, p.TablaDeta->NombreTabla()), "CLAVE"),
                (QStringList{"P1", "P2"}));
    });
    ui::PuertaModal::LimpiaMensajes();
    EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F"}), QStringList());
    EXPECT_EQ(Filas("RemisioD.dbf", {"CLDOC_FD"}), QStringList());
    EXPECT_EQ(Producto("P1", "EXIST_I"), "50");
    EXPECT_FALSE(fs::ExisteArchivo(kDiario));
  }
}

TEST_F(Guardar, LaExistenciaDeCadaLineaSegunLasLineas21Y41) {
  struct Caso {
    const char* linea21;
    const char* linea41;
    const char* existencia;  // the product's after the save
    const char* vendida;     // VANCA_I
    QStringList lineas;      // key=quantity|INICIAL|FINAL of the line rows
    QStringList mensajes;
  };
  const Caso casos[] = {
      {"S", "N", "0", "5", {"P1=8|5|0", "P2=1|50|49"}, {}},
      {"S", "S", "-3", "8", {"P1=8|5|-3", "P2=1|50|49"}, {}},
      // Another station took the stock after the line was captured.
      {"N", "N", "5", "", {"P2=1|50|49"}, {"No hay Existencias Suficientes Para Surtir TORNILLO  Existencias 5"}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.linea21) + c.linea41);
    Vacia({"Remision.dbf", "RemisioD.dbf", "Kardex.dbf"});
    Existencia("P1", c.linea21 == QString("N") ? 10 : 5);
    Existencia("P2", 50);
    AbreEn(kDatos, kTablaProductos, kTagClaveProducto)->FindKey({"P1"});
    KardexInicial({"P1"}, 5);
    FijaLinea(ConfFacturarSinExistencias, c.linea21);
    FijaLinea(ConfExistenciasNegativas, c.linea41);
    {
      auto t = AbreEn(kDatos, kTablaProductos, kTagClaveProducto);
      ASSERT_TRUE(t->FindKey({"P1"}));
      t->Edit();
      t->FieldByName("VANCA_I").Clear();
      t->FieldByName("VANMO_I").Clear();
      t->FieldByName("FEULV_I").Clear();
      t->Post();
    }
    Abre("2", [&](Pantalla& p) {
      Captura({{"8", "P1"}, {"1", "P2"}});
      if (c.linea21 == QString("N")) Existencia("P1", 5);
      Pulsa(Qt::Key_F10);
      EXPECT_EQ(p.EstadoCaptura->text(), "Terminada");
    });
    QStringList lineas;
    for (const QString& f : Filas("RemisioD.dbf", {"CLPRO_FD", "CANTI_FD", "INICIAL", "FINAL"})) {
      const QStringList v = f.split(u'|');
      lineas << v[0] + u'=' + v[1] + u'|' + v[2] + u'|' + v[3];
    }
    EXPECT_EQ(lineas, c.lineas);
    EXPECT_EQ(Producto("P1", "EXIST_I"), c.existencia);
    EXPECT_EQ(Producto("P1", "VANCA_I"), c.vendida);
    EXPECT_EQ(Producto("P1", "VANMO_I"), QString(c.vendida).isEmpty() ? "" : QString::number(10 * QString(c.vendida).toInt()));
    EXPECT_EQ(Producto("P1", "FEULV_I"), c.lineas.size() == 2 ? "05/03/2010" : "");
    // The totals take the whole quantity; INVEN_I is the stock before the clamp.
    const bool vendido = c.lineas.size() == 2;
    EXPECT_EQ(Kardex("P1", "SALID_I"), vendido ? "-8" : "0");
    EXPECT_EQ(Kardex("P1", "EXIST_I"), vendido ? "-3" : "5");
    EXPECT_EQ(Kardex("P1", "INVEN_I"), vendido ? "-3" : "5");
    EXPECT_EQ(Kardex("P2", "SALID_I"), "-1");
    EXPECT_EQ(Kardex("P2", "INVEN_I"), "49");
    EXPECT_EQ(Filas(kTablaFaltantes, {"CLAVE"}, kDatos), QStringList());
    EXPECT_EQ(Mensajes(), c.mensajes);
    ui::PuertaModal::LimpiaMensajes();
  }
}

TEST_F(Guardar, UnKitVendidoEscribeSusComponentesYBajaSusExistencias) {
  FijaLinea(ConfKits, "S");
  TRegistroProducto kit = Articulo("KIT1", "JUEGO DE FIJACION", 25, 50);
  kit.KITXX_I = "S";
  AgregaProducto(kit);
  for (const auto& [componente, cantidad] : {std::pair{"P2", "2"}, std::pair{"P3", "1"}})
    AgregaFila(kTablaKits, {{"CLPRO_I", "KIT1"}, {"CLPRO_K", componente}, {"CANTI_K", cantidad},
                            {"DESCR_K", componente + QString(" DEL JUEGO")}});
  Abre("2", [&](Pantalla& p) {
    Captura({{"3", "KIT1"}});
    Pulsa(Qt::Key_F10);
    EXPECT_EQ(p.EstadoCaptura->text(), "Terminada");
  });
  EXPECT_EQ(Filas("RemisioD.dbf", {"CLPRO_FD", "CANTI_FD", "TIPOX_FD", "PUNPR_FD", "IMPOR_FD"}),
            (QStringList{"KIT1|3|K|25|75", "P2|6|X|0|0", "P3|3|X|0|0"}));
  EXPECT_EQ(Producto("KIT1", "EXIST_I"), "47");
  EXPECT_EQ(Producto("P2", "EXIST_I"), "44");
  EXPECT_EQ(Producto("P3", "EXIST_I"), "47");
  EXPECT_EQ(Kardex("P2", "SALID_I"), "-6");
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Guardar, SinLaCarpetaDeDatosLaVentanaCierraYElSiguienteInicioGuarda) {
  const QString datos = fs::Local(kDatos);
  const QString aparte = datos + ".aparte";
  Abre("2", [&](Pantalla& p) {
    Captura({{"2", "P1"}, {"1", "P2"}});
    ASSERT_TRUE(QDir().rename(datos, aparte));
    Pulsa(Qt::Key_F10);
    EXPECT_FALSE(p.isVisible());
  });
  EXPECT_EQ(Mensajes(), QStringList{kSinConexion});
  ui::PuertaModal::LimpiaMensajes();
  ASSERT_TRUE(QDir().rename(aparte, datos));
  EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F"}), QStringList());
  // The next start saves the sale before anything is shown.
  Abre("2", [&](Pantalla& p) {
    EXPECT_EQ(p.EditCLDOC_F->text(), "1");
    EXPECT_FALSE(Capturando(p));
  });
  EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F"}), QStringList{"1"});
  EXPECT_EQ(Filas("RemisioD.dbf", {"CLDOC_FD", "CLPRO_FD", "CANTI_FD"}), (QStringList{"1|P1|2", "1|P2|1"}));
  EXPECT_EQ(Producto("P1", "EXIST_I"), "48");
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_FALSE(fs::ExisteArchivo(kDiario));
}

TEST_F(Guardar, TresEstacionesGuardanALaVezSinCompartirNumeroNiPerderLineas) {
  for (const char* c : {"P1", "P2", "P3", "P4", "P5"}) Existencia(c, 10000);
  constexpr int kPorEstacion = 100;
  std::vector<std::unique_ptr<prueba::ProcesoHijo>> estaciones;
  for (int i = 0; i < 3; ++i)
    estaciones.push_back(std::make_unique<prueba::ProcesoHijo>("EstacionVende", QStringList{QString::number(kPorEstacion)}));
  for (auto& e : estaciones) ASSERT_EQ(e->EsperaLinea(60000), "LISTO");
  for (auto& e : estaciones) e->Envia("YA");
  for (auto& e : estaciones) EXPECT_EQ(e->EsperaLinea(600000), "BIEN");
  for (auto& e : estaciones) EXPECT_EQ(e->Espera(), 0);

  // Each header: its number its record's, its own five lines, nothing torn.
  auto encabezados = AbreEn(kDatos, "Remision.dbf");
  QSet<QString> numeros;
  for (encabezados->First(); !encabezados->Eof(); encabezados->Next()) {
    const QString numero = encabezados->FieldByName("CLDOC_F").AsString();
    const QString control = encabezados->FieldByName("CONTROL").AsString();
    SCOPED_TRACE(numero.toStdString());
    EXPECT_EQ(numero, QString::number(encabezados->RecNo()));
    EXPECT_EQ(encabezados->FieldByName("IMTOD_F").AsString(), "24");
    numeros.insert(numero);
    QStringList lineas = LineasDe(numero, control);
    lineas.sort();
    EXPECT_EQ(lineas, (QStringList{"P1=1", "P2=2", "P3=1", "P4=3", "P5=1"}));
  }
  EXPECT_EQ(numeros.size(), 3 * kPorEstacion);
  EXPECT_EQ(Filas("RemisioD.dbf", {"CLDOC_FD"}).size(), 5 * 3 * kPorEstacion);
  // Stock and totals lowered by exactly what was sold; one totals row a key.
  for (const auto& [clave, cantidad] : kCantidades) {
    SCOPED_TRACE(clave.toStdString());
    const double vendido = cantidad * 3 * kPorEstacion;
    EXPECT_EQ(Producto(clave, "EXIST_I"), QString::number(10000 - vendido));
    EXPECT_EQ(Producto(clave, "VANCA_I"), QString::number(vendido));
    EXPECT_EQ(Kardex(clave, "SALID_I"), QString::number(-vendido));
  }
  EXPECT_EQ(Filas(kTablaKardex, {"CLPRO_I"}).size(), 5);
  EXPECT_EQ(Filas(kTablaFaltantes, {"CLAVE"}), QStringList());
  for (const char* t : {"Remision.dbf", "RemisioD.dbf", "INVENTAR.DBF", "Kardex.dbf"}) {
    SCOPED_TRACE(t);
    EXPECT_EQ(AbreEn(kDatos, t)->TagsDiscrepantes(), QStringList());
  }
}

TEST_F(Guardar, UnaEstacionMuertaEnCadaEscrituraDelGuardadoLoTerminaAlVolver) {
  // Another sale, saved before: nothing of it may change.
  Abre("2", [&](Pantalla&) {
    Captura({{"4", "P1"}});
    Pulsa(Qt::Key_F10);
  });
  ASSERT_EQ(Filas("Remision.dbf", {"CLDOC_F"}), QStringList{"1"});
  const QStringList otraVenta = Filas("Remision.dbf", {"CLDOC_F", "CONTROL", "IMTOD_F"});
  const auto revisa = [&](bool) {
    // The company opens with every tag agreeing with its rows.
    for (const char* t : {"Remision.dbf", "RemisioD.dbf", "INVENTAR.DBF", "Kardex.dbf"}) {
      SCOPED_TRACE(t);
      EXPECT_EQ(AbreEn(kDatos, t)->TagsDiscrepantes(), QStringList());
    }
    EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F", "CONTROL", "IMTOD_F"}).value(0), otraVenta.value(0));
    // The station starts again: the sale is there once.
    Abre("2", [&](Pantalla& p) { EXPECT_FALSE(Capturando(p)); });
    EXPECT_EQ(Mensajes(), QStringList());
    ui::PuertaModal::LimpiaMensajes();
    EXPECT_FALSE(fs::ExisteArchivo(kDiario));
    const QStringList ventas = Filas("Remision.dbf", {"CLDOC_F", "CONTROL", "IMTOD_F"});
    ASSERT_EQ(ventas.size(), 2);
    EXPECT_EQ(ventas[0], otraVenta.value(0));
    const QStringList nueva = ventas[1].split(u'|');
    // Numbered by its header's record: a row a kill left reserved and
    // unjournaled stays deleted and its record unused.
    {
      auto encabezados = AbreEn(kDatos, "Remision.dbf");
      encabezados->Last();
      EXPECT_EQ(nueva[0], QString::number(encabezados->RecNo()));
      EXPECT_LE(encabezados->RecNo(), 3);
    }
    EXPECT_EQ(nueva[2], "24");
    QStringList lineas = LineasDe(nueva[0], nueva[1]);
    lineas.sort();
    EXPECT_EQ(lineas, (QStringList{"P1=1", "P2=2", "P3=1", "P4=3", "P5=1"}));
    EXPECT_EQ(Filas("RemisioD.dbf", {"CLDOC_FD"}).size(), 6);
    // Each stock lowered once; a totals write a kill left unknown is noted
    // in Existe.dbf, never made twice.
    const QStringList dudosas = Filas(kTablaFaltantes, {"CLAVE"});
    EXPECT_LE(dudosas.size(), 1);
    for (const auto& [clave, cantidad] : kCantidades) {
      SCOPED_TRACE(clave.toStdString());
      const double antes = clave == "P1" ? 46 : 50;
      EXPECT_EQ(Producto(clave, "EXIST_I"), QString::number(antes - cantidad));
      const double salidas = Kardex(clave, "SALID_I").toDouble();
      if (dudosas.contains(clave)) EXPECT_GE(salidas, -(50 - antes) - cantidad);
      else EXPECT_EQ(salidas, -(50 - antes) - cantidad);
    }
  };
  const int muertes = prueba::MuereEnCadaEscritura(fs::Local("C:\\"), "EstacionMuere", {},
                                                   {{guardado::puntos::kEscrito, {}},
                                                    {guardado::puntos::kReservado, {}},
                                                    {db::puntos::kRegistroAMedias, {1, 2, 4, 12}},
                                                    {db::puntos::kAntesDeClaves, {1, 3, 13}}},
                                                   revisa);
  EXPECT_GE(muertes, 15 + 2 + 7);
}

// Station A is killed after its journal began an append and before the
// row showed; station B saves at the same moment a sale with the same
// control number and time. When A starts again its sale is finished under
// a header of its own, and B's header keeps only B's lines.
TEST_F(Guardar, UnaVentaCortadaSeTerminaEnSuPropioEncabezadoAunqueOtraGuardeConSuControl) {
  for (const char* c : {"P1", "P2", "P3", "P4", "P5"}) Existencia(c, 1000);
  // Both stations read one clock: the same control number and HORAF_F.
  struct Reloj {
    Reloj() { qputenv("VORLAN_AHORA", "2010-03-05T10:15:00.000"); }
    ~Reloj() { qunsetenv("VORLAN_AHORA"); }
  } reloj;
  const std::pair<QString, int> casos[] = {
      {QString(db::puntos::kAntesDeEscribir) + ":Remision.dbf", 1},  // the header not begun
      {guardado::puntos::kReservado, 1},                              // the header reserved, unjournaled
      {guardado::puntos::kReservado, 2},                              // journaled, not shown
      {guardado::puntos::kEscrito, 1},                                // shown, not journaled done
      {QString(db::puntos::kAntesDeEscribir) + ":RemisioD.dbf", 1},  // the first line not begun
  };
  int ventas = 0;
  for (const auto& [punto, vez] : casos) {
    SCOPED_TRACE(punto.toStdString() + " " + std::to_string(vez));
    prueba::ProcesoHijo a("EstacionCapturaYMuere", {punto, QString::number(vez)});
    ASSERT_EQ(a.EsperaLinea(), "CAPTURADA");
    prueba::ProcesoHijo b("EstacionVende", {"1"});
    ASSERT_EQ(b.EsperaLinea(), "LISTO");
    a.Envia("YA");
    b.Envia("YA");
    ASSERT_TRUE(a.EsperaQueMuera());
    EXPECT_EQ(b.EsperaLinea(), "BIEN");
    EXPECT_EQ(b.Espera(), 0);
    // A starts again: its sale is finished before anything is shown.
    Abre("2", [&](Pantalla& p) { EXPECT_FALSE(Capturando(p)); });
    EXPECT_EQ(Mensajes(), QStringList());
    ui::PuertaModal::LimpiaMensajes();
    EXPECT_FALSE(fs::ExisteArchivo(kDiario));
    ventas += 2;

    // Every header under its own number with its own five lines, whatever
    // control it shares.
    auto encabezados = AbreEn(kDatos, "Remision.dbf");
    int vistas = 0;
    QSet<QString> controles;
    for (encabezados->First(); !encabezados->Eof(); encabezados->Next(), ++vistas) {
      const QString numero = encabezados->FieldByName("CLDOC_F").AsString();
      SCOPED_TRACE(numero.toStdString());
      EXPECT_EQ(numero, QString::number(encabezados->RecNo()));
      controles.insert(encabezados->FieldByName("CONTROL").AsString());
      EXPECT_EQ(encabezados->FieldByName("IMTOD_F").AsString(), "24");
      auto lineas = AbreEn(kDatos, "RemisioD.dbf", "CLDOC_FD");
      lineas->SetRange({numero}, {numero});
      QStringList deEsta;
      for (; !lineas->Eof(); lineas->Next())
        deEsta << lineas->FieldByName("CLPRO_FD").AsString() + u'=' + lineas->FieldByName("CANTI_FD").AsString();
      deEsta.sort();
      EXPECT_EQ(deEsta, (QStringList{"P1=1", "P2=2", "P3=1", "P4=3", "P5=1"}));
    }
    EXPECT_EQ(vistas, ventas);
    EXPECT_EQ(controles.size(), 1);
    EXPECT_EQ(Filas("RemisioD.dbf", {"CLDOC_FD"}).size(), 5 * ventas);
    for (const auto& [clave, cantidad] : kCantidades) {
      SCOPED_TRACE(clave.toStdString());
      EXPECT_EQ(Producto(clave, "EXIST_I"), QString::number(1000 - cantidad * ventas));
    }
    for (const char* t : {"Remision.dbf", "RemisioD.dbf", "INVENTAR.DBF", "Kardex.dbf"}) {
      SCOPED_TRACE(t);
      EXPECT_EQ(AbreEn(kDatos, t)->TagsDiscrepantes(), QStringList());
    }
  }
}

TEST_F(Guardar, UnProductoRetenidoPorOtraEstacionQuedaEnExisteYElGuardadoTermina) {
  prueba::ProcesoHijo otra("RetieneProducto", {"P3"});
  ASSERT_EQ(otra.EsperaLinea(), "LISTO");
  Abre("2", [&](Pantalla& p) {
    Captura({{"2", "P1"}, {"4", "P3"}});
    Pulsa(Qt::Key_F10);
    EXPECT_EQ(p.EstadoCaptura->text(), "Terminada");
  });
  otra.Envia("YA");
  EXPECT_EQ(otra.Espera(), 0);
  EXPECT_EQ(Filas(kTablaFaltantes, {"CLAVE", "CANTI", "MODULO", "MOVIMIENTO"}),
            QStringList{"P3|4|Remisión|3"});
  EXPECT_EQ(Filas("RemisioD.dbf", {"CLPRO_FD", "CANTI_FD"}), (QStringList{"P1|2", "P3|4"}));
  EXPECT_EQ(Producto("P1", "EXIST_I"), "48");
  EXPECT_EQ(Producto("P3", "EXIST_I"), "50");
  EXPECT_FALSE(fs::ExisteArchivo(kDiario));
}

TEST_F(Guardar, CerrarDuranteCajaChicaYGuardarLaNumeraEnSuTabla) {
  Abre("2", [&](Pantalla& p) {
    p.Base->setCurrentText("Caja Chica");
    p.BaseChange();
    Captura({{"2", "P1"}, {"1", "P2"}});
    prueba::RespondeCierre(1);
    p.close();
    EXPECT_FALSE(p.isVisible());
  });
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(Filas("CajaChic.dbf", {"CLDOC_F"}), QStringList{"1"});
  EXPECT_EQ(Filas("CajaChiD.dbf", {"CLDOC_FD", "CLPRO_FD", "CANTI_FD"}), (QStringList{"1|P1|2", "1|P2|1"}));
  EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F"}), QStringList());
  EXPECT_FALSE(fs::ExisteArchivo(kDiario));
}

// --- The customer side of a save.

namespace {

// F9, the customer typed with Enter, then the lines.
void CapturaPara(Pantalla& p, const QString& cliente, const QList<std::pair<QString, QString>>& lineas) {
  Pulsa(Qt::Key_F9);
  prueba::Teclea(p, "EditCLCLI_F", cliente);
  prueba::Tecla(p, "EditCLCLI_F", Qt::Key_Return);
  p.EditCantidad->setFocus(Qt::OtherFocusReason);
  for (const auto& [cantidad, clave] : lineas) {
    Escribe(cantidad);
    Pulsa(Qt::Key_Return);
    Escribe(clave);
    Pulsa(Qt::Key_Return);
  }
}

// The screen on the invoice tables, as the derived-document routines put it
// (the screen offers no invoices of its own).
void PonFactura(Pantalla& p) {
  p.Base->setCurrentText("Factura");
  for (const auto& [tabla, archivo] : {std::pair{p.TablaFacturae, "FacturaE.dbf"}, std::pair{p.TablaFacturaD, "FacturaD.dbf"}}) {
    tabla->Close();
    tabla->SetNombreTabla(archivo);
    tabla->Open();
  }
}

// A station that saves a counter sale ("mostrador") or an invoice of
// customer 20 ("factura") with the fault seam armed at argumentos[1], pass
// argumentos[2].
RUTINA_HIJA(EstacionMuereCuenta) {
  const auto aplicacion = AplicacionHija();
  PantallaHija([&](Pantalla& p) {
    if (argumentos.value(0) == "factura") {
      PonFactura(p);
      CapturaPara(p, "20", {{"10", "P1"}});
    } else {
      CapturaPara(p, "1", {{"2", "P1"}, {"1", "P5"}});
    }
    falla::Arma(argumentos.value(1), argumentos.value(2).toInt());
    prueba::AvisaPadre("ARMADO");
    Pulsa(Qt::Key_F10);
    falla::Desarma();
  });
  return 0;
}

}  // namespace

class GuardarCuentas : public Guardar {
 protected:
  void SetUp() override {
    Guardar::SetUp();
    EscribeLineas(fs::Une(kDatos, "pagos.cnf"), {"Efectivo", "Crédito", "Tarjeta", "Cheque"});
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "1"}, {"NOMBR_C", "PUBLICO EN GENERAL"}});
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "20"}, {"NOMBR_C", "FERRETERIA LUNA"}, {"SALDO_C", "50"},
                               {"COMPR_C", "70"}});
  }
  static QStringList Cuentas() {
    return Filas(kTablaCxCRemision, {"NUFAC_CC", "CONCE_CC", "TIMOV_CC", "OPERA_CC", "IMCUE_CC", "ABONO_CC", "CONTROL",
                                     "CLCLI_CC"});
  }
};

TEST_F(GuardarCuentas, LaVentaDeMostradorQuedaSaldadaAlGuardarLaDeOtroClienteNo) {
  FijaLinea(ConfCxCRemisiones, "S");
  FijaLinea(ConfPagarCxCMostrador, "S");
  Abre("2", [&](Pantalla& p) {
    CapturaPara(p, "1", {{"2", "P1"}, {"1", "P5"}});
    Pulsa(Qt::Key_F10);
    EXPECT_EQ(p.EstadoCaptura->text(), "Terminada");
    CapturaPara(p, "20", {{"1", "P2"}});
    Pulsa(Qt::Key_F10);
    EXPECT_EQ(p.EstadoCaptura->text(), "Terminada");
  });
  const QStringList encabezados = Filas("Remision.dbf", {"CLDOC_F", "CLCLI_F", "CONTROL", "IMTOD_F", "ABONO_F", "SALDO_F"});
  ASSERT_EQ(encabezados.size(), 2);
  const QStringList mostrador = encabezados[0].split(u'|');
  EXPECT_EQ(mostrador.mid(3), (QStringList{"24", "24", "0"}));
  EXPECT_EQ(Cuentas(), QStringList{"1|Efectivo Contado 1|7|A|24|24|" + mostrador[2] + "|1"});
  EXPECT_EQ(encabezados[1].split(u'|').value(1), "20");
  EXPECT_EQ(encabezados[1].split(u'|').value(4), "");
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(GuardarCuentas, DosEstacionesVendiendoAlMostradorDejanUnaCuentaPorVenta) {
  FijaLinea(ConfCxCRemisiones, "S");
  FijaLinea(ConfPagarCxCMostrador, "S");
  for (const char* c : {"P1", "P2", "P3", "P4", "P5"}) Existencia(c, 10000);
  constexpr int kPorEstacion = 20;
  prueba::ProcesoHijo una("EstacionVende", {QString::number(kPorEstacion)});
  prueba::ProcesoHijo otra("EstacionVende", {QString::number(kPorEstacion)});
  ASSERT_EQ(una.EsperaLinea(60000), "LISTO");
  ASSERT_EQ(otra.EsperaLinea(60000), "LISTO");
  una.Envia("YA");
  otra.Envia("YA");
  EXPECT_EQ(una.EsperaLinea(300000), "BIEN");
  EXPECT_EQ(otra.EsperaLinea(300000), "BIEN");
  EXPECT_EQ(una.Espera(), 0);
  EXPECT_EQ(otra.Espera(), 0);
  QStringList esperadas;
  for (const QString& e : Filas("Remision.dbf", {"CLDOC_F", "CONTROL", "SALDO_F"})) {
    const QStringList v = e.split(u'|');
    EXPECT_EQ(v[2], "0");
    esperadas << v[0] + "|Efectivo Contado " + v[0] + "|7|A|24|24|" + v[1] + "|1";
  }
  EXPECT_EQ(esperadas.size(), 2 * kPorEstacion);
  QStringList cuentas = Cuentas();
  cuentas.sort();
  esperadas.sort();
  EXPECT_EQ(cuentas, esperadas);
}

TEST_F(GuardarCuentas, UnaFacturaSubeElSaldoDelClienteConSuIva) {
  FijaLinea(ConfIva, "16");
  Abre("2", [&](Pantalla& p) {
    PonFactura(p);
    CapturaPara(p, "20", {{"10", "P1"}});
    Pulsa(Qt::Key_F10);
    EXPECT_EQ(p.EstadoCaptura->text(), "Terminada");
  });
  EXPECT_EQ(Filas("FacturaE.dbf", {"CLDOC_F", "CLCLI_F", "SUBTO_F", "IMTOD_F"}), QStringList{"1|20|100|116"});
  EXPECT_EQ(Filas("CLIENTE.DBF", {"CLCLI_C", "SALDO_C", "COMPR_C", "FULCO_C"}),
            (QStringList{"1|||", "20|166|186|05/03/2010"}));
  EXPECT_EQ(Cuentas(), QStringList());
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(GuardarCuentas, UnaEstacionMuertaAlSaldarOSubirElSaldoLoHaceUnaVezAlVolver) {
  FijaLinea(ConfCxCRemisiones, "S");
  FijaLinea(ConfPagarCxCMostrador, "S");
  FijaLinea(ConfIva, "16");
  for (const QString venta : {"mostrador", "factura"}) {
    SCOPED_TRACE(venta.toStdString());
    const auto revisa = [&](bool murio) {
      if (murio) Abre("2", [](Pantalla&) {});
      EXPECT_EQ(Mensajes(), QStringList());
      ui::PuertaModal::LimpiaMensajes();
      EXPECT_FALSE(fs::ExisteArchivo(kDiario));
      if (venta == QString("mostrador")) {
        const QStringList e = Filas("Remision.dbf", {"CLDOC_F", "CONTROL", "SALDO_F", "ABONO_F"});
        ASSERT_EQ(e.size(), 1);
        const QStringList v = e[0].split(u'|');
        EXPECT_EQ(v.mid(2), (QStringList{"0", "27.84"}));
        EXPECT_EQ(Cuentas(), QStringList{v[0] + "|Efectivo Contado " + v[0] + "|7|A|27.84|27.84|" + v[1] + "|1"});
      } else {
        EXPECT_EQ(Filas("FacturaE.dbf", {"CLDOC_F", "IMTOD_F"}), QStringList{"1|116"});
        EXPECT_EQ(Filas("CLIENTE.DBF", {"CLCLI_C", "SALDO_C", "COMPR_C"}), (QStringList{"1||", "20|166|186"}));
      }
    };
    prueba::MuereEnCadaEscritura(fs::Local("C:\\"), "EstacionMuereCuenta", {venta}, {{guardado::puntos::kEscrito, {}}},
                                 revisa, 30);
  }
}

TEST_F(Guardar, ConCortesLaVentaLlevaElCorteEnCursoComoLasCuentas) {
  FijaLinea(ConfConCortes, "S");
  // Appended out of order: the cut in course is the highest.
  for (const char* corte : {"12", "3"}) AgregaFila("Cortes.DBF", {{"CORTE", corte}, {"INICIO", "1"}, {"FIN", "9"}});
  Abre("2", [&](Pantalla&) {
    Captura({{"1", "P1"}});
    Pulsa(Qt::Key_F10);
  });
  EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F", "CORTE"}), QStringList{"1|12"});
  EXPECT_EQ(UltimoCorte(kDatos), 12);
  EXPECT_EQ(Mensajes(), QStringList());
}
