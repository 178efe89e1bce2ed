// The traces a saved sale leaves: with mi.cnf on a movement row for every
// written line but a comment (numbered under the movement table's lock,
// retried when a write fails, three stations at once, a station killed in
// the middle), the movement mirror of a new remission, the rows of a
// cancelled capture, the tax check of the lines; the control snapshot, the
// document log and its viewer, the day's accumulator and its items.

#include "foundation/observa.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/PuntosFalla.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Falla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Forma.h"
#include "platform/ui/PuertaModal.h"
#include "pos/DocumentosVenta.h"
#include "pos/RegistroCaja.h"
#include "foundation/UnidadTrabajo.h"
#include "support/Maneja.h"
#include "support/Proceso.h"
#include "captura_prueba.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <set>

namespace {

using Pantalla = TFormaCapturaRapida;
using Filas = QList<QStringList>;

const QString kInventario = QStringLiteral("C:\\VRL\\INVEN");
const QString kRemisiones = QStringLiteral("C:\\VRL\\REMIS");

QWidget* Foco() { return QApplication::focusWidget(); }

void Escribe(const QString& texto) {
  for (const QChar c : texto) QTest::keyClicks(Foco(), QString(c));
}
void Pulsa(int tecla) {
  QWidget* w = Foco() ? Foco() : QApplication::activeWindow();
  QTest::keyClick(w, static_cast<Qt::Key>(tecla));
}

// F9, then each line (quantity, Enter, key, Enter); the row the capture
// offers for the next line given up.
void Captura(Pantalla& p, const QList<std::pair<QString, QString>>& lineas) {
  Pulsa(Qt::Key_F9);
  for (const auto& [cantidad, clave] : lineas) {
    Escribe(cantidad);
    Pulsa(Qt::Key_Return);
    Escribe(clave);
    Pulsa(Qt::Key_Return);
  }
  if (p.TablaDeta->State() == db::Dataset::Estado::Insertando) p.TablaDeta->Cancel();
}

// The named fields of every row of a table (in its physical order, or in a
// tag's), each row a list.
Filas Renglones(const QString& carpeta, const QString& archivo, const QStringList& campos,
                const std::function<bool(const db::Dataset&)>& filtro = {}) {
  auto t = AbreEn(carpeta, archivo);
  Filas filas;
  for (t->First(); !t->Eof(); t->Next()) {
    if (filtro && !filtro(*t)) continue;
    QStringList fila;
    for (const QString& c : campos) fila << t->FieldByName(c).AsString();
    filas << fila;
  }
  return filas;
}

// The rows of one document's NUDOC_MI.
Filas MovimientosDe(const QString& carpeta, const QString& documento, const QStringList& campos) {
  return Renglones(carpeta, "MOVINVEN.DBF", campos,
                   [&](const db::Dataset& t) { return t.FieldByName("NUDOC_MI").AsString() == documento; });
}

TRegistroProducto Producto(const QString& clave, const QString& descripcion, double precio, double costo) {
  TRegistroProducto p;
  p.CLPRO_I = clave;
  p.DSCPR_I = descripcion;
  p.PPUBL_I = Dinero::DeReal(precio);
  p.CPROM_I = Dinero::DeReal(costo);
  p.UMEDI_I = "kg";
  p.PIVA1_I = 16;
  p.EXIST_I = 50;
  return p;
}

class RastrosVenta : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    FijaLinea(ConfIva, "0");
    FijaLinea(ConfFacturarSinExistencias, "N");
    EscribeOpciones({{1, "S"}});  // New goes straight to the quantity
    AgregaFila("VENDEDOR.DBF", {{"CLVEN_V", "01"}, {"NOMBR_V", "ANA"}});
    AgregaProductos(kDatos);
  }

  static void AgregaProductos(const QString& carpeta) {
    TRegistroProducto servicio = Producto("P4", "AFILADO", 25, 0);
    servicio.LIPRO_I = "servi";
    TRegistroProducto taladro = Producto("P6", "TALADRO", 4000, 3000);
    taladro.PIVA1_I = 0;
    for (const TRegistroProducto& p : {Producto("P1", "TORNILLO", 10, 6), Producto("P2", "CLAVO", 2.5, 1),
                                       Producto("P3", "BROCA", 40, 30), servicio, Producto("P5", "LIJA", 3, 2),
                                       taladro}) {
      auto t = AbreEn(carpeta, kTablaProductos);
      t->Append();
      p.Escribe(*t);
      t->Post();
    }
  }

  static void Movimientos(const QString& primeraLinea) {
    EscribeLineas(fs::Une(kPrograma, "mi.cnf"), {primeraLinea});
  }

  // A product's field, as another station leaves it.
  static void CambiaProducto(const QString& clave, const QString& campo, const QString& valor,
                             const QString& carpeta = kDatos) {
    auto t = AbreEn(carpeta, kTablaProductos, kTagClaveProducto);
    ASSERT_TRUE(t->FindKey({clave}));
    t->Edit();
    t->FieldByName(campo).SetAsString(valor);
    t->Post();
  }

  static QString Documento(Pantalla& p) {
    return "R" + p.EditCLDOC_F->text() + "-" + QString::number(p.ControlDocumento);
  }
};

const QStringList kCamposMovimiento = {"CLDOC_MI", "CLPRO_MI", "DESCR_MI", "TIMOV_MI", "CONTROL", "NUDOC_MI",
                                       "FEDOC_MI", "REFMO_MI", "CLCOP_MI", "CLPRV_MI", "CLVEN_MI", "CANTI_MI",
                                       "PUNIT_MI", "COSUN_MI", "NALMA_MI", "BANAF_MI", "EXIST_MI", "HORAF_F"};

// Another station: F9, five lines, then F10 when the parent says; it tells
// the number saved. Argument: the second of the clock, so each station
// draws its own control number.
RUTINA_HIJA(VendeCinco) {
  int argc = 1;
  char nombre[] = "estacion";
  char* argv[] = {nombre, nullptr};
  ui::Aplicacion app(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  fs::FijaAhora(QDateTime(QDate(2010, 3, 5), QTime(10, 15, argumentos.value(0).toInt())));
  int resultado = 1;
  auto pantalla = std::make_unique<Pantalla>();
  pantalla->usuario->setText("2");
  ui::PuertaModal::Espera("TFormaCapturaRapida", [&](QDialog& d) {
    auto& p = static_cast<Pantalla&>(d);
    Captura(p, {{"1", "P1"}, {"1", "P2"}, {"1", "P3"}, {"2", "P1"}, {"1", "P5"}});
    prueba::AvisaPadre("LISTO");
    prueba::EsperaPadre();
    Pulsa(Qt::Key_F10);
    prueba::AvisaPadre(p.EditCLDOC_F->text() + " " + QString::number(p.ControlDocumento) + " " +
                       ui::PuertaModal::Mensajes().join("|"));
    resultado = 0;
  });
  pantalla->ShowModal();
  return resultado;
}

// A station that dies at the given pass of the save's "written, not yet
// journaled" point while saving three lines.
RUTINA_HIJA(GuardaYMuere) {
  int argc = 1;
  char nombre[] = "estacion";
  char* argv[] = {nombre, nullptr};
  ui::Aplicacion app(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  fs::FijaAhora(QDateTime(QDate(2010, 3, 5), QTime(11, 0, argumentos.value(0).toInt())));
  auto pantalla = std::make_unique<Pantalla>();
  pantalla->usuario->setText("2");
  ui::PuertaModal::Espera("TFormaCapturaRapida", [&](QDialog& d) {
    auto& p = static_cast<Pantalla&>(d);
    Captura(p, {{"1", "P1"}, {"2", "P2"}, {"1", "P1"}});
    falla::Arma(QString::fromLatin1(guardado::puntos::kEscrito), argumentos.value(0).toInt());
    Pulsa(Qt::Key_F10);
  });
  pantalla->ShowModal();
  return 0;  // the point was never reached
}

}  // namespace

TEST_F(RastrosVenta, ConMiCnfCadaLineaEscritaDejaSuRenglonDeMovimiento) {
  // Another movement document is number 41.
  AgregaFila("MOVINVEN.DBF", {{"CLDOC_MI", "41"}, {"CLPRO_MI", "P1"}, {"CANTI_MI", "1"}, {"TIMOV_MI", "56"}});
  struct Caso {
    const char* nombre;
    const char* mi;  // first line of mi.cnf; null: no file
    const char* linea6;
    bool renglones;
  };
  for (const Caso& c : {Caso{"sin mi.cnf", nullptr, "SI", false}, Caso{"otro texto", "sin movimientos", "SI", false},
                        Caso{"con movimientos", "con movimientos", "NO", true}}) {
    SCOPED_TRACE(c.nombre);
    fs::BorraArchivo(fs::Une(kPrograma, "mi.cnf"));
    if (c.mi) Movimientos(c.mi);
    FijaLinea(ConfIntegraMovimientos, c.linea6);
    CambiaProducto("P5", "EXIST_I", "50");
    ui::PuertaModal::LimpiaMensajes();
    Abre("2", [&](Pantalla& p) {
      Captura(p, {{"3", "P1"}, {"2", "P5"}, {"2", "P2"}, {"1", "P3"}});
      AgregaFilas(*p.TablaDeta, {{{"CANTIDAD", 1}, {"CLAVE", "COMENTARIO"}, {"PRODUCTO", "ENTREGAR EN LA TARDE"}}});
      // Another station leaves too little of the second line's product.
      CambiaProducto("P5", "EXIST_I", "1");
      Pulsa(Qt::Key_F10);
      const QString numero = p.EditCLDOC_F->text();
      const QString control = QString::number(p.ControlDocumento);
      const QString documento = Documento(p);
      const QString vendedor = p.TablaFacturae->FieldByName("CLVEN_F").AsString();
      EXPECT_EQ(Renglones(kDatos, "RemisioD.dbf", {"CLPRO_FD"},
                          [&](const db::Dataset& t) { return t.FieldByName("CLDOC_FD").AsString() == numero; }),
                (Filas{{"P1"}, {"P2"}, {"P3"}, {"COMENTARIO"}}));
      if (!c.renglones) {
        EXPECT_EQ(MovimientosDe(kDatos, documento, {"CLPRO_MI"}), Filas());
        return;
      }
      EXPECT_EQ(MovimientosDe(kDatos, documento, kCamposMovimiento),
                (Filas{{"42", "P1", "TORNILLO", "3", control, documento, "05/03/2010", numero, "1", "1", vendedor,
                        "3", "10", "6", "1", "F", "0", "2"},
                       {"43", "P2", "CLAVO", "3", control, documento, "05/03/2010", numero, "1", "1", vendedor, "2",
                        "2.5", "1", "1", "F", "0", "2"},
                       {"44", "P3", "BROCA", "3", control, documento, "05/03/2010", numero, "1", "1", vendedor, "1",
                        "40", "30", "1", "F", "0", "2"}}));
      EXPECT_FALSE(fs::ExisteArchivo(fs::Une(kPrograma, "mi_tmp.dat")));
    });
    EXPECT_EQ(Mensajes(), QStringList{"No hay Existencias Suficientes Para Surtir LIJA  Existencias 1"});
  }
}

// Movement writes failing: after the first attempt the document goes to
// mi_tmp.dat once, and ten retries tell themselves in the caption; the sale
// is saved whatever becomes of its rows.
TEST_F(RastrosVenta, LosRenglonesQueFallanSeReintentanYLaVentaSeGuarda) {
  Movimientos("con movimientos");
  const QString punto = QString::fromLatin1(db::puntos::kAntesDeEscribir) + ":MOVINVEN.DBF";
  struct Caso {
    const char* nombre;
    int fallas;
    int renglones;
    const char* intento;  // the caption's end
  };
  for (const Caso& c : {Caso{"pasa al tercer intento", 3, 2, "intento 1"}, Caso{"nunca pasa", 1000, 0, "intento 9"}}) {
    SCOPED_TRACE(c.nombre);
    Abre("2", [&](Pantalla& p) {
      Captura(p, {{"1", "P1"}, {"1", "P2"}});
      const QString titulo = p.windowTitle();
      falla::ArmaError(punto, 1, c.fallas);
      Pulsa(Qt::Key_F10);
      falla::Desarma();
      const QString numero = p.EditCLDOC_F->text();
      EXPECT_EQ(p.windowTitle(), titulo + " Guardando MI, Problema de Tráfico..." + c.intento);
      EXPECT_EQ(MovimientosDe(kDatos, Documento(p), {"CLPRO_MI"}).size(), c.renglones);
      EXPECT_EQ(Renglones(kDatos, "RemisioD.dbf", {"CLPRO_FD"},
                          [&](const db::Dataset& t) { return t.FieldByName("CLDOC_FD").AsString() == numero; }),
                (Filas{{"P1"}, {"P2"}}));
      EXPECT_EQ(fs::LeeLineas(fs::Une(kPrograma, "mi_tmp.dat")).last(), numero);
      EXPECT_EQ(fs::LeeLineas(fs::Une(kPrograma, "mi_tmp.dat")).count(numero), 1);
      EXPECT_EQ(ui::Tag(p.BotonNuevo), 0);
      EXPECT_EQ(p.EstadoCaptura->text(), "Terminada");
    });
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

// Three stations save five lines each at once: every line has its row,
// each row a number of its own.
TEST_F(RastrosVenta, TresEstacionesGuardanALaVezSinPerderRenglones) {
  Movimientos("con movimientos");
  std::vector<std::unique_ptr<prueba::ProcesoHijo>> estaciones;
  for (int i = 1; i <= 3; ++i)
    estaciones.push_back(std::make_unique<prueba::ProcesoHijo>("VendeCinco", QStringList{QString::number(i)}));
  for (auto& e : estaciones) ASSERT_EQ(e->EsperaLinea(), "LISTO");
  for (auto& e : estaciones) e->Envia("");
  QStringList documentos;
  for (auto& e : estaciones) {
    const QStringList r = e->EsperaLinea().split(u' ');
    ASSERT_GE(r.size(), 2) << r.join(' ').toStdString();
    EXPECT_EQ(r.mid(2).join(' '), "");  // nothing told
    documentos << "R" + r[0] + "-" + r[1];
    EXPECT_EQ(e->Espera(), 0);
  }
  std::set<QString> numeros;
  for (const QString& d : documentos) {
    SCOPED_TRACE(d.toStdString());
    const Filas filas = MovimientosDe(kDatos, d, {"CLDOC_MI", "CLPRO_MI", "CANTI_MI"});
    ASSERT_EQ(filas.size(), 5);
    QStringList claves;
    for (const QStringList& f : filas) {
      numeros.insert(f[0]);
      claves << f[1] + "x" + f[2];
    }
    EXPECT_EQ(claves, (QStringList{"P1x1", "P2x1", "P3x1", "P1x2", "P5x1"}));
  }
  std::set<QString> esperados;
  for (int i = 1; i <= 15; ++i) esperados.insert(QString::number(i));
  EXPECT_EQ(numeros, esperados);
  const QString pendientes = fs::Une(kPrograma, "mi_tmp.dat");
  EXPECT_TRUE(!fs::ExisteArchivo(pendientes) || fs::LeeLineas(pendientes).isEmpty());
}

// Line 59 and line 63 set: the movement rows and the mirror live in the
// inventory folder; the new remission's lines are mirrored and its MI is
// "S". Line 63 empty: no mirror, MI empty.
TEST_F(RastrosVenta, ElEspejoDeUnaRemisionNuevaEnLaCarpetaDelInventario) {
  fs::CreaCarpeta(kInventario);
  fs::CreaCarpeta(kRemisiones);
  CreaTablasEmpresa(db::Carpetas{kDatos, kInventario, kRemisiones, kPrograma});
  AgregaProductos(kInventario);
  Movimientos("con movimientos");
  TRegistroCaja caja;
  caja.Caja = "7";
  EscribeBytes(fs::Une(kPrograma, "caja.cnf"), caja.ABytes());
  struct Caso {
    const char* nombre;
    const char* remisiones;  // line 63
    QString carpeta;         // of the remissions
  };
  int segundo = 0;
  for (const Caso& c : {Caso{"sin línea 63", "", kDatos}, Caso{"línea 63", "C:\\VRL\\REMIS", kRemisiones}}) {
    SCOPED_TRACE(c.nombre);
    // Both documents are number 1 of their tables: each its own control.
    fs::FijaAhora(QDateTime(QDate(2010, 3, 5), QTime(10, 15, ++segundo)));
    FijaLinea(ConfCarpetaInventario, kInventario);
    FijaLinea(ConfCarpetaRemisiones, c.remisiones);
    Abre("2", [&](Pantalla& p) {
      Captura(p, {{"3", "P1"}, {"2", "P2"}});
      Pulsa(Qt::Key_F10);
      const QString numero = p.EditCLDOC_F->text();
      const QString control = QString::number(p.ControlDocumento);
      EXPECT_EQ(MovimientosDe(kInventario, Documento(p), {"CLPRO_MI"}), (Filas{{"P1"}, {"P2"}}));
      const Filas espejo = Renglones(kInventario, "MOVIMIENTOS.DBF",
                                     {"CLDOC_MI", "CLPRO_MI", "TIMOV_MI", "FEDOC_MI", "CANTI_MI", "PUNIT_MI",
                                      "COSUN_MI", "CONTROL", "USUARIO", "PCXXX_MI"},
                                     [&](const db::Dataset& t) {
                                       return t.FieldByName("CONTROL").AsString() == control;
                                     });
      auto e = AbreEn(c.carpeta, "Remision.dbf", "INUMENC");
      ASSERT_TRUE(e->FindKey({numero.toLongLong()}));
      if (*c.remisiones) {
        EXPECT_EQ(espejo, (Filas{{numero, "P1", "3", "05/03/2010", "3", "10", "6", control, "2", "7"},
                                 {numero, "P2", "3", "05/03/2010", "2", "2.5", "1", control, "2", "7"}}));
        EXPECT_EQ(e->FieldByName("MI").AsString(), "S");
      } else {
        EXPECT_EQ(espejo, Filas());
        EXPECT_EQ(e->FieldByName("MI").AsString(), "");
      }
    });
  }
  EXPECT_EQ(Renglones(kDatos, "MOVINVEN.DBF", {"CLDOC_MI"}), Filas());
  EXPECT_EQ(Mensajes(), QStringList());
}

// A station killed at any moment of a save with movement rows and a mirror:
// started again, it finishes the save, and every movement row and mirror
// row is there once.
TEST_F(RastrosVenta, UnaEstacionMuertaAMitadDelGuardadoEscribeCadaRenglonUnaVez) {
  fs::CreaCarpeta(kRemisiones);
  CreaTablasEmpresa(db::Carpetas{kDatos, {}, kRemisiones, kPrograma});
  FijaLinea(ConfCarpetaRemisiones, kRemisiones);
  Movimientos("con movimientos");
  for (int pase : {2, 5, 9, 12, 15, 17, 19, 20}) {
    SCOPED_TRACE(pase);
    {
      prueba::ProcesoHijo estacion("GuardaYMuere", {QString::number(pase)});
      ASSERT_TRUE(estacion.EsperaQueMuera());
    }
    Abre("2", [&](Pantalla& p) {
      // The first activation finished the save and shows it.
      const QString numero = p.EditCLDOC_F->text();
      const QString control = p.TablaFacturae->FieldByName("CONTROL").AsString();
      EXPECT_EQ(MovimientosDe(kDatos, "R" + numero + "-" + control, {"CLPRO_MI", "CANTI_MI"}),
                (Filas{{"P1", "1"}, {"P2", "2"}, {"P1", "1"}}));
      EXPECT_EQ(Renglones(kDatos, "MOVIMIENTOS.DBF", {"CLPRO_MI", "CANTI_MI"},
                          [&](const db::Dataset& t) { return t.FieldByName("CLDOC_MI").AsString() == numero; }),
                (Filas{{"P1", "1"}, {"P2", "2"}, {"P1", "1"}}));
      EXPECT_EQ(p.TablaFacturae->FieldByName("MI").AsString(), "S");
    });
  }
  // Every movement row has a number of its own.
  std::set<QString> numeros;
  const Filas todos = Renglones(kDatos, "MOVINVEN.DBF", {"CLDOC_MI"});
  for (const QStringList& f : todos) numeros.insert(f[0]);
  EXPECT_EQ(numeros.size(), static_cast<std::size_t>(todos.size()));
}

// The cancel of a remission writes the rows of its capture under concept
// 54 and the header's CONTROL; a service and a comment get none.
TEST_F(RastrosVenta, LosRenglonesDeUnaCapturaCanceladaSaltanServiciosYComentarios) {
  Movimientos("con movimientos");
  AgregaRemision(20, {{"CONTROL", "4321"}, {"CLCLI_F", "1"}, {"CLVEN_F", "01"}, {"FEDOC_F", "04/03/2010"}});
  for (const auto& [clave, descripcion, cantidad] :
       {std::tuple{"P1", "TORNILLO", "2"}, {"P4", "AFILADO", "1"}, {"COMENTARIO", "ENTREGAR EN LA TARDE", "1"},
        {"P2", "CLAVO", "3"}})
    AgregaFila("RemisioD.dbf", {{"CLDOC_FD", "20"}, {"CONTROL", "4321"}, {"CLPRO_FD", clave},
                                {"DEPRO_FD", descripcion}, {"CANTI_FD", cantidad}, {"PUNPR_FD", "5"}});
  Abre("2", [](Pantalla& p) {
    ASSERT_EQ(p.EditCLDOC_F->text(), "20");
    p.EscribeMovimientosCaptura(54);
    p.ConceptoMovimiento = 3;
  });
  EXPECT_EQ(MovimientosDe(kDatos, "R20-4321", {"CLDOC_MI", "CLPRO_MI", "TIMOV_MI", "CONTROL", "CANTI_MI", "CLVEN_MI"}),
            (Filas{{"1", "P1", "54", "4321", "2", "01"}, {"2", "P2", "54", "4321", "3", "01"}}));
  EXPECT_EQ(Mensajes(), QStringList());
}

// "Chequeo de Impuestos" on the document shown: the line whose rate differs
// from its product's takes it.
TEST_F(RastrosVenta, ChequeoDeImpuestosAjustaLaTasaQueDifiere) {
  AgregaRemision(30, {{"CONTROL", "55"}, {"CLCLI_F", "1"}});
  for (const auto& [clave, tasa] : {std::pair{"P1", "16"}, {"P2", "0"}, {"P3", "16"}})
    AgregaFila("RemisioD.dbf", {{"CLDOC_FD", "30"}, {"CONTROL", "55"}, {"CLPRO_FD", clave}, {"DEPRO_FD", clave},
                                {"CANTI_FD", "1"}, {"PIVA1_FD", tasa}});
  Abre("2", [](Pantalla& p) {
    ASSERT_EQ(p.EditCLDOC_F->text(), "30");
    p.MainMenu1->findChild<QAction*>("ChequeodeMovimientos1")->trigger();
  });
  EXPECT_EQ(Mensajes(), QStringList{"Partidas Revisadas   3  Ajustadas   1"});
  EXPECT_EQ(Renglones(kDatos, "RemisioD.dbf", {"CLPRO_FD", "PIVA1_FD"}),
            (Filas{{"P1", "16"}, {"P2", "16"}, {"P3", "16"}}));
}

// A save leaves its control snapshot (the lines of the saved document, not
// those of the one shown before), the empty folder of the station in the
// data folder and, with line 85 "S", its log line, which "Bitacora" shows
// to the administrator only.
TEST_F(RastrosVenta, ElGuardadoDejaSuArchivoDeControlYSuBitacora) {
  AgregaRemision(1, {{"CONTROL", "99"}, {"CLCLI_F", "1"}});
  for (const char* clave : {"P1", "P2", "P3", "P5"})
    AgregaFila("RemisioD.dbf", {{"CLDOC_FD", "1"}, {"CONTROL", "99"}, {"CLPRO_FD", clave}, {"DEPRO_FD", clave},
                                {"CANTI_FD", "1"}});
  FijaLinea(ConfBitacora, "S");
  // The folder of the logs, as the main window makes it at start.
  fs::CreaCarpeta(fs::Une(kDatos, "Bitacora"));
  QString numero, control;
  Abre("2", [&](Pantalla& p) {
    ASSERT_EQ(p.EditCLDOC_F->text(), "1");
    Captura(p, {{"3", "P1"}, {"2", "P2"}});
    Pulsa(Qt::Key_F10);
    numero = p.EditCLDOC_F->text();
    control = QString::number(p.ControlDocumento);
  });
  QString computadora;
  NombreComputadora(computadora);
  EXPECT_EQ(fs::ListaCarpeta(fs::Une(kDatos, "Control")), QStringList{"03-2010-" + computadora});
  EXPECT_EQ(fs::ListaCarpeta(fs::Une(kDatos, "Control\\03-2010-" + computadora)), QStringList());
  const QString nombre = "FA-R-" + numero + "-" + control + "-40242.4270833333.con";
  ASSERT_EQ(fs::ListaCarpeta(fs::Une(kPrograma, "Control\\03-2010")), QStringList{nombre});
  const QStringList con = fs::LeeLineas(fs::Une(kPrograma, "Control\\03-2010\\" + nombre));
  ASSERT_EQ(con.size(), 3);
  auto e = AbreEn(kDatos, "Remision.dbf", "INUMENC");
  ASSERT_TRUE(e->FindKey({numero.toLongLong()}));
  QString encabezado;
  for (const QString& campo : e->NombresCampos()) encabezado += campo + "," + e->FieldByName(campo).AsString() + ",";
  EXPECT_EQ(con[0], encabezado);
  EXPECT_TRUE(con[0].startsWith("CLDOC_F," + numero + ",")) << con[0].toStdString();
  for (int i : {1, 2}) {
    EXPECT_TRUE(con[i].startsWith("CLDOC_FD," + numero + ",")) << con[i].toStdString();
    EXPECT_TRUE(con[i].contains(",CONTROL," + control + ",")) << con[i].toStdString();
  }
  EXPECT_TRUE(con[1].contains(",CLPRO_FD,P1,"));
  EXPECT_TRUE(con[2].contains(",CLPRO_FD,P2,"));

  const QString bitacora = fs::Une(kDatos, "Bitacora\\R-" + numero + ".bit");
  const QString vendedor = e->FieldByName("CLVEN_F").AsString();
  EXPECT_EQ(fs::LeeLineas(bitacora), QStringList{"05/03/2010 10:15:00 GUARDADA Por " + vendedor});

  // "Bitacora": nothing for another user; the log, read only, for "0".
  for (const char* usuario : {"2", "0"}) {
    bool vista = false;
    if (QString(usuario) == "0")
      ui::PuertaModal::Espera("TFormaObservaciones", [&](QDialog& d) {
        auto& o = static_cast<TFormaObservaciones&>(d);
        vista = true;
        EXPECT_EQ(o.windowTitle(), "Bitacora");
        EXPECT_TRUE(o.Observacion->isReadOnly());
        EXPECT_FALSE(o.BitBtn1->isVisible());
        EXPECT_EQ(o.Observacion->toPlainText(), "05/03/2010 10:15:00 GUARDADA Por " + vendedor);
      });
    Abre(usuario, [&](Pantalla& p) {
      ASSERT_EQ(p.EditCLDOC_F->text(), numero);
      p.MainMenu1->findChild<QAction*>("Bitacora1")->trigger();
    });
    EXPECT_EQ(vista, QString(usuario) == "0");
  }

  // Line 85 "N": the next save logs nothing.
  FijaLinea(ConfBitacora, "N");
  Abre("2", [&](Pantalla& p) {
    Captura(p, {{"1", "P3"}});
    Pulsa(Qt::Key_F10);
    EXPECT_FALSE(fs::ExisteArchivo(fs::Une(kDatos, "Bitacora\\R-" + p.EditCLDOC_F->text() + ".bit")));
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

// Line 91 = 10000: the third sale of 4000 passes the ceiling; a cancelled
// one takes its total back; "Reiniciar Acumulado" deletes today's file only.
TEST_F(RastrosVenta, ElAcumuladoDelDiaAvisaAlPasarElLimite) {
  FijaLinea(ConfTotalAcumulado, "10000");
  EscribeLineas(fs::Une(kPrograma, "Acumular\\2010-3-4.acu"), {"9000"});
  const QString hoy = fs::Une(kPrograma, "Acumular\\2010-3-5.acu");
  Abre("2", [&](Pantalla& p) {
    for (int venta = 1; venta <= 3; ++venta) {
      SCOPED_TRACE(venta);
      ui::PuertaModal::LimpiaMensajes();
      Captura(p, {{"1", "P6"}});
      Pulsa(Qt::Key_F10);
      EXPECT_EQ(Mensajes(), venta < 3 ? QStringList() : QStringList{"Ya se Excedió el Efectivo 12,000.00"});
    }
    ui::PuertaModal::LimpiaMensajes();
    // The cancel of the document shown.
    p.AcumulaTotalDia(-1, p.Conf.TotalAcumulado);
    EXPECT_EQ(fs::LeeLineas(hoy), (QStringList{"4000", "4000", "4000", "-4000"}));
    p.MainMenu1->findChild<QAction*>("Acumulado1")->trigger();
    EXPECT_EQ(Mensajes(), QStringList{"Acumulado... 8,000.00"});
    p.MainMenu1->findChild<QAction*>("ReiniciarAcumulado1")->trigger();
  });
  EXPECT_FALSE(fs::ExisteArchivo(hoy));
  EXPECT_EQ(fs::ListaCarpeta(fs::Une(kPrograma, "Acumular")), QStringList{"2010-3-4.acu"});
}

// A snapshot that cannot be written (a file stands where its folder goes)
// is told through the plain message; the sale is saved and the rest of its
// traces are written.
TEST_F(RastrosVenta, UnArchivoDeControlQueNoSeEscribeNoDetieneElGuardado) {
  EscribeLineas(fs::Une(kPrograma, "Control"), {"no es carpeta"});
  FijaLinea(ConfTotalAcumulado, "10000");
  Movimientos("con movimientos");
  Abre("2", [](Pantalla& p) {
    Captura(p, {{"1", "P6"}});
    Pulsa(Qt::Key_F10);
    EXPECT_EQ(ui::Tag(p.BotonNuevo), 0);
    EXPECT_EQ(MovimientosDe(kDatos, "R" + p.EditCLDOC_F->text() + "-" + QString::number(p.ControlDocumento),
                            {"CLPRO_MI"}),
              Filas{{"P6"}});
  });
  EXPECT_EQ(Mensajes(), QStringList{"Ocurrio un error en el directorio de Control"});
  EXPECT_EQ(fs::LeeLineas(fs::Une(kPrograma, "Acumular\\2010-3-5.acu")), QStringList{"4000"});
  EXPECT_EQ(Renglones(kDatos, "Remision.dbf", {"IMTOD_F"}), Filas{{"4000"}});
}
