// The kit components and the serial numbers of a product, opened from the
// product window as a user does, and the serial dialog's row allowance and
// picking as the sale screen uses them.

#include "inventory/ConPro.h"
#include "inventory/Kit.h"
#include "inventory/Serie.h"
#include "platform/ui/RejillaDatos.h"
#include "ventana_inventario.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QTest>

#include <functional>

namespace {

using prueba::Pulsa;

const QString kSeries = kDatos + "\\serie";

// Keys where the focus is, as a user types them.
void Escribe(const QString& texto) {
  for (const QChar c : texto) QTest::keyClicks(QApplication::focusWidget(), QString(c));
}
void Tecla(int tecla) { QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(tecla)); }

// The focus into the grid, on its row `fila` (from 0) and the column.
void VeA(ui::RejillaDatos& rejilla, int fila, int columna) {
  rejilla.setFocus();
  rejilla.setCurrentIndex(rejilla.model()->index(fila, columna));
}

// The rows of a table in physical order, the fields joined by "|".
QStringList Filas(const QString& carpeta, const QString& archivo, const QStringList& campos) {
  auto t = AbreTabla(carpeta, archivo);
  QStringList filas;
  for (t->First(); !t->Eof(); t->Next()) {
    QStringList valores;
    for (const QString& c : campos) valores << t->FieldByName(c).AsString();
    filas << valores.join(u'|');
  }
  return filas;
}

QStringList Kits() { return Filas(kDatos, "KITS.DBF", {"CLPRO_I", "CLPRO_K", "DESCR_K", "CANTI_K"}); }
QStringList FilasSeries(const QString& clave) {
  return Filas(kSeries, clave + ".dbf", {"NUSER_NS", "DOSAL_NS", "control"});
}

// What the grid shows: every row, its cells joined by "|".
QStringList Rejilla(const ui::RejillaDatos& rejilla) {
  QStringList filas;
  const QAbstractItemModel* m = rejilla.model();
  for (int r = 0; r < m->rowCount(); ++r) {
    QStringList celdas;
    for (int c = 0; c < m->columnCount(); ++c) celdas << m->index(r, c).data().toString();
    filas << celdas.join(u'|');
  }
  return filas;
}

class KitSerie : public VentanaInventario {
 protected:
  void SetUp() override {
    VentanaInventario::SetUp();
    CreaTabla(kDatos, "KITS.DBF");
    Producto({{"CLPRO_I", "K1"}, {"DSCPR_I", "Juego"}, {"KITXX_I", "N"}, {"SERIE_I", "S"}, {"ALMAC_I", "1"}});
    Producto({{"CLPRO_I", "P1"}, {"DSCPR_I", "Tornillo"}, {"ALMAC_I", "1"}});
    Producto({{"CLPRO_I", "P2"}, {"DSCPR_I", "Tuerca"}, {"ALMAC_I", "1"}});
    // The product lookup lives from program start.
    consulta_ = std::make_unique<TFormaConProduct>();
  }
  void TearDown() override {
    consulta_.reset();
    VentanaInventario::TearDown();
  }

  static void Componente(const QString& kit, const QString& clave, const QString& descripcion, double cantidad) {
    auto t = Abre("KITS.DBF");
    t->Append();
    t->FieldByName("CLPRO_I").SetAsString(kit);
    t->FieldByName("CLPRO_K").SetAsString(clave);
    t->FieldByName("DESCR_K").SetAsString(descripcion);
    t->FieldByName("CANTI_K").SetAsFloat(cantidad);
    t->Post();
  }

  // The serial table of a product with these serials in stock.
  static void TablaSeries(const QString& clave, const QStringList& series) {
    const db::DefTabla& d = CatalogoVorlan().Tabla(db::CarpetaTabla::Datos, "serie\\<clave>.dbf");
    fs::CreaCarpeta(kSeries);
    db::Tabla::Crea(kSeries, clave + ".dbf", d.campos, d.tags);
    auto t = AbreTabla(kSeries, clave + ".dbf");
    for (const QString& s : series) {
      t->Append();
      t->FieldByName("NUSER_NS").SetAsString(s);
      t->Post();
    }
  }

  // The kit dialog opened by "..." while the product is being changed.
  void Kit(TFormaInventario& f, const std::function<void(TFormaKit&)>& guion) {
    if (!f.Editando()) Pulsa(f, "BotonCambios");
    ui::PuertaModal::Espera("TFormaKit", [&guion](QDialog& d) { guion(static_cast<TFormaKit&>(d)); });
    Pulsa(f, "SpeedButton1");
  }

  // A lookup answered by `guion` on its grid.
  static void Consulta(const std::function<void(QWidget&)>& guion) {
    ui::PuertaModal::Espera("TFormaConProduct", [guion](QDialog& d) {
      prueba::Componente(d, "Detalle")->setFocus();
      guion(d);
    });
  }

  void AbreSeries(TFormaInventario& f, const std::function<void(TFormaNumeroSerie&)>& guion) {
    ui::PuertaModal::Espera("TFormaNumeroSerie", [&guion](QDialog& d) { guion(static_cast<TFormaNumeroSerie&>(d)); });
    f.Componente<QAction>("NmerosdeSerie1")->trigger();
  }

  std::unique_ptr<TFormaConProduct> consulta_;
};

TEST_F(KitSerie, ElKitMuestraSoloSusComponentesYUnaFilaNuevaLePertenece) {
  Componente("K1", "P1", "Tornillo", 2);
  Componente("K9", "P2", "Tuerca", 1);
  Componente("K1", "P2", "Tuerca", 4);
  TFormaInventario& f = Ventana();
  ASSERT_EQ(f.EditCLPRO_I->text(), "K1");
  ASSERT_FALSE(f.Kit->isChecked());
  Kit(f, [](TFormaKit& k) {
    EXPECT_EQ(k.windowTitle(), "Kit");
    const QAbstractItemModel* m = k.Detalle->model();
    QStringList titulos;
    for (int c = 0; c < m->columnCount(); ++c) titulos << m->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titulos, QStringList({"Producto", "Clave Kit", "Descripción", "Cantidad"}));
    EXPECT_EQ(Rejilla(*k.Detalle), QStringList({"K1|P1|Tornillo|2", "K1|P2|Tuerca|4"}));

    // A new row below the last, its component picked with F2 and its
    // quantity typed.
    VeA(*k.Detalle, 1, 1);
    Tecla(Qt::Key_Down);
    Consulta([](QWidget&) {
      Tecla(Qt::Key_Down);
      Tecla(Qt::Key_Return);
    });
    Tecla(Qt::Key_F2);
    VeA(*k.Detalle, 2, 3);
    Escribe("3");
    Pulsa(k, "BitBtn1");
  });
  EXPECT_EQ(Kits(), QStringList({"K1|P1|Tornillo|2", "K9|P2|Tuerca|1", "K1|P2|Tuerca|4", "K1|P1|Tornillo|3"}));
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(KitSerie, F2CanceladoConservaLaClaveYTomaLaDescripcionDondeQuedoLaConsulta) {
  Componente("K1", "P1", "Tornillo", 2);
  TFormaInventario& f = Ventana();
  Kit(f, [](TFormaKit& k) {
    VeA(*k.Detalle, 0, 1);
    Consulta([](QWidget&) {
      Tecla(Qt::Key_Down);
      Tecla(Qt::Key_Escape);
    });
    Tecla(Qt::Key_F2);
    Pulsa(k, "BitBtn1");
  });
  EXPECT_EQ(Kits(), QStringList({"K1|P1|Tuerca|2"}));
}

TEST_F(KitSerie, UnKitVacioTomaSuPrimeraFilaYCerrarNoPierdeLoTecleado) {
  Componente("K9", "P2", "Tuerca", 1);
  TFormaInventario& f = Ventana();
  Kit(f, [](TFormaKit& k) {
    EXPECT_EQ(k.TablaKit->RecordCount(), 0);
    k.Detalle->setFocus();
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Tab);
    Escribe("P2");
    // Closed by its close box, without "Guardar".
  });
  EXPECT_EQ(Kits(), QStringList({"K9|P2|Tuerca|1", "K1|P2||"}));

  // A row added and left untouched is no component.
  Kit(f, [](TFormaKit& k) {
    VeA(*k.Detalle, 0, 1);
    Tecla(Qt::Key_Down);
    ASSERT_EQ(k.TablaKit->State(), db::Dataset::Estado::Insertando);
    Pulsa(k, "BitBtn1");
  });
  EXPECT_EQ(Kits(), QStringList({"K9|P2|Tuerca|1", "K1|P2||"}));
}

TEST_F(KitSerie, SinKitsDbfSeAvisaElErrorYNoSeAbre) {
  db::Tabla::Borra(kDatos, "KITS.DBF");
  TFormaInventario& f = Ventana();
  Pulsa(f, "BotonCambios");
  Pulsa(f, "SpeedButton1");
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].contains("KITS", Qt::CaseInsensitive)) << Mensajes()[0].toStdString();
}

TEST_F(KitSerie, LosNumerosDeSerieSeAgreganSinLimiteYGuardarOCancelarResponden) {
  TablaSeries("K1", {"S-001"});
  TFormaInventario& f = Ventana();
  ASSERT_TRUE(f.Series->isChecked());
  int respuesta = -1;
  AbreSeries(f, [&](TFormaNumeroSerie& s) {
    EXPECT_EQ(s.windowTitle(), "Numero Serie");
    EXPECT_EQ(s.LabelRegistros->text(), "Registros 0");
    VeA(*s.Detalle, 0, 0);
    for (const char* serie : {"S-002", "S-003", "S-004"}) {
      Tecla(Qt::Key_Down);
      Escribe(serie);
    }
    Pulsa(s, "BotonGuardar");
    respuesta = s.Tag();
  });
  EXPECT_EQ(respuesta, kSeriesGuardadas);
  EXPECT_EQ(FilasSeries("K1"), QStringList({"S-001||", "S-002||", "S-003||", "S-004||"}));

  AbreSeries(f, [&](TFormaNumeroSerie& s) {
    EXPECT_EQ(s.LabelRegistros->text(), "Registros 3");
    VeA(*s.Detalle, 3, 0);
    Tecla(Qt::Key_Down);
    Escribe("S-005");
    Tecla(Qt::Key_Down);
    Escribe("S-006");
    Pulsa(s, "BitBtn2");
    respuesta = s.Tag();
  });
  EXPECT_EQ(respuesta, 0);
  EXPECT_EQ(FilasSeries("K1"), QStringList({"S-001||", "S-002||", "S-003||", "S-004||", "S-005||"}));
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(KitSerie, SinNumerosDeSerieOSinSuTablaNoSeAbreElDialogo) {
  Producto({{"CLPRO_I", "..\\INVENTAR"}, {"SERIE_I", "S"}, {"ALMAC_I", "1"}});
  Producto({{"CLPRO_I", "K2"}, {"SERIE_I", "S"}, {"ALMAC_I", "1"}});
  TablaSeries("P1", {"S-1"});
  struct Caso {
    const char* clave;
    const char* mensaje;
  };
  const Caso casos[] = {
      {"P1", "El Producto No Tiene Numeros de Serie"},  // "# de Serie" unchecked, a table there
      {"K2", "no existe"},                                // no table
      {"..\\INVENTAR", "no existe"},                      // a key naming a table elsewhere
  };
  TFormaInventario& f = Ventana();
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.clave);
    ui::PuertaModal::LimpiaMensajes();
    ASSERT_TRUE(f.TablaInventario->FindKey({c.clave}));
    f.MuestraProducto();
    f.Componente<QAction>("NmerosdeSerie1")->trigger();
    ASSERT_EQ(Mensajes().size(), 1);
    EXPECT_TRUE(Mensajes()[0].contains(c.mensaje)) << Mensajes()[0].toStdString();
  }
}

// The sale screen's use: a row allowance and the picking of serials for a
// document.
class DialogoSeries : public KitSerie {
 protected:
  static void Muestra(TFormaNumeroSerie& s, const std::function<void()>& guion) {
    ui::PuertaModal::Espera("TFormaNumeroSerie", [&guion](QDialog&) { guion(); });
    s.MuestraNumerosSerie("P1", kSeries);
  }
};

TEST_F(DialogoSeries, ConLimiteUnaFilaDeMasSeRechaza) {
  TablaSeries("P1", {"S-1"});
  TFormaNumeroSerie s;
  s.LimiteSeries = 1;
  Muestra(s, [&] {
    VeA(*s.Detalle, 0, 0);
    Tecla(Qt::Key_Down);
    Escribe("S-2");
    Tecla(Qt::Key_Down);
    EXPECT_EQ(Mensajes(), QStringList({kNoMasSeries}));
    EXPECT_EQ(s.TablaNumeroSerie->State(), db::Dataset::Estado::Navegando);
    Pulsa(s, "BotonGuardar");
  });
  EXPECT_EQ(FilasSeries("P1"), QStringList({"S-1||", "S-2||"}));
}

TEST_F(DialogoSeries, SeEligenSeriesEnExistenciaYSeAsignanAlDocumento) {
  TablaSeries("P1", {"S-1", "S-2", "S-3"});
  {
    auto t = AbreTabla(kSeries, "P1.dbf");
    t->VeARegistro(2);
    t->Edit();
    t->FieldByName("DOSAL_NS").SetAsInteger(77);
    t->Post();
  }
  TFormaNumeroSerie s;
  s.LimiteSeleccion = 1;
  s.Documento = 501;
  s.Control = "12345";
  Muestra(s, [&] {
    const auto agrega = [&](int fila) {
      VeA(*s.Detalle, fila, 0);
      Pulsa(s, "Agregar");
    };
    agrega(0);
    agrega(0);  // listed already
    agrega(1);  // taken by a document
    agrega(2);  // beyond the pick allowance
    EXPECT_EQ(s.SeriesElegidas(), QStringList({"S-1"}));
    EXPECT_EQ(Mensajes(), QStringList(3, kSerieAsignada));
    s.MemoSeries->setCurrentRow(0);
    Pulsa(s, "Quitar");
    agrega(2);
    EXPECT_EQ(s.SeriesElegidas(), QStringList({"S-3"}));
    Pulsa(s, "Asignar");
    Pulsa(s, "BotonGuardar");
  });
  EXPECT_EQ(FilasSeries("P1"), QStringList({"S-1||", "S-2|77|", "S-3|501|12345"}));
}

}  // namespace
