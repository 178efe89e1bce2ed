// Line capture on the sale screen, driven with keys as the cashier does:
// a key, code or description made a filled line, the stock and pieces
// checks, the line limit, deleting a line, package capture, the price
// column and its cost warning, the tare field, and a price another station
// posts.

#include "foundation/advierte.h"
#include "inventory/ClaveRapida.h"
#include "inventory/ConPro.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/PuertaModal.h"
#include "pos/PartidasVenta.h"
#include "support/LanzadorGrabador.h"
#include "support/Maneja.h"
#include "support/Proceso.h"
#include "captura_prueba.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

using Pantalla = TFormaCapturaRapida;

QWidget* Foco() { return QApplication::focusWidget(); }

// Keys typed where the focus is.
void Escribe(const QString& texto) {
  for (const QChar c : texto) QTest::keyClicks(Foco(), QString(c));
}
void Pulsa(int tecla) { QTest::keyClick(Foco(), static_cast<Qt::Key>(tecla)); }

// F9, then (encabeza.cnf skips the header) the focus on the quantity.
void Nueva(Pantalla& p) {
  QTest::keyClick(&p, Qt::Key_F9);
  ASSERT_EQ(ui::Tag(p.BotonNuevo), 1);
  ASSERT_EQ(Foco(), p.EditCantidad);
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

// A product with stock 100, sold in "pza" at 16 % IVA.
TRegistroProducto Producto(const QString& clave, const QString& descripcion, double precio) {
  TRegistroProducto p;
  p.CLPRO_I = clave;
  p.DSCPR_I = descripcion;
  p.PPUBL_I = Dinero::DeReal(precio);
  p.UMEDI_I = "pza";
  p.PIVA1_I = 16;
  p.EXIST_I = 100;
  return p;
}

class Partidas : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    FijaLinea(ConfIva, "16");
    EscribeOpciones({{1, "S"}});
    AgregaRemision(7, {});
    TRegistroProducto tuerca = Producto("T2", "TUERCA", 10);
    tuerca.CODIG_I = "CB75010";
    tuerca.PIVA2_I = 8;
    tuerca.CPROM_I = Dinero(6);
    tuerca.ULCOS_I = Dinero(7);
    tuerca.UEMPA_I = 12;
    tuerca.CLPR1_I = "P01";
    tuerca.FPGCC_I = 1.5;
    AgregaProducto(tuerca);
    TRegistroProducto clavo = Producto("C3", "CLAVO", 2.5);
    clavo.TICOS_I = "PEPS";
    clavo.CPROM_I = Dinero(2);
    clavo.ULCOS_I = Dinero(3);
    clavo.UMEDI_I = "kg";
    AgregaProducto(clavo);
    TRegistroProducto arandela = Producto("A1", "ARANDELA", 1);
    arandela.TICOS_I = "PROM";
    arandela.CPROM_I = Dinero::DeReal(0.5);
    arandela.ULCOS_I = Dinero(4);
    AgregaProducto(arandela);
    // The lookup window, as the program makes it at start.
    catalogo_ = std::make_unique<TFormaConProduct>();
  }

  // The product's public price or stock, as another station leaves it.
  static void CambiaProducto(const QString& clave, const QString& campo, const QString& valor) {
    auto t = AbreEn(kDatos, kTablaProductos, kTagClaveProducto);
    ASSERT_TRUE(t->FindKey({clave}));
    t->Edit();
    t->FieldByName(campo).SetAsString(valor);
    t->Post();
  }

  std::unique_ptr<TFormaConProduct> catalogo_;
};

// Another station changes a product's public price and waits.
RUTINA_HIJA(CambiaPrecio) {
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla(kTablaProductos);
  t.SetIndexName(kTagClaveProducto);
  t.Open();
  if (!t.FindKey({argumentos.value(0)})) return 1;
  t.Edit();
  t.FieldByName("PPUBL_I").SetAsString(argumentos.value(1));
  t.Post();
  prueba::AvisaPadre("LISTO");
  prueba::EsperaPadre();
  return 0;
}

}  // namespace

TEST(PartidasVenta, LaCantidadTecleadaGuardaSoloPuntoDiagonalYDigitos) {
  struct Caso {
    const char* texto;
    const char* numero;
  };
  for (const Caso& c : {Caso{"12", "12"}, Caso{"1,500.25", "1500.25"}, Caso{" 3 pz", "3"}, Caso{"1/2", "1/2"},
                        Caso{"-4", "4"}, Caso{"", ""}}) {
    SCOPED_TRACE(c.texto);
    EXPECT_EQ(FiltraNumero(c.texto), c.numero);
  }
}

TEST_F(Partidas, UnaClaveOUnCodigoLlenanLaPartidaYSeAgregaLaSiguiente) {
  struct Caso {
    const char* tecleado;
    const char* cantidad;
    QStringList campos;  // CLAVE PRODUCTO PRECIO UNIDAD IMPUESTO IEPS1 COSTO FACTOR PROVEEDOR FPGC IMPORTE TARA
  };
  const Caso casos[] = {
      {"T2", "2", {"T2", "TUERCA", "10", "pza", "16", "8", "6", "12", "P01", "1.5", "20", "12"}},
      {"cb75010", "3", {"T2", "TUERCA", "10", "pza", "16", "8", "6", "12", "P01", "1.5", "30", "12"}},
      {"C3", "4", {"C3", "CLAVO", "2.5", "kg", "16", "", "3", "1", "", "", "10", ""}},
      {"A1", "1", {"A1", "ARANDELA", "1", "pza", "16", "", "0.5", "1", "", "", "1", ""}},
  };
  const QStringList campos = {"CLAVE", "PRODUCTO", "PRECIO", "UNIDAD", "IMPUESTO", "IEPS1",
                              "COSTO", "FACTOR", "PROVEEDOR", "FPGC", "IMPORTE", "TARA"};
  Abre("2", [&](Pantalla& p) {
    Nueva(p);
    for (const Caso& c : casos) Linea(c.cantidad, c.tecleado);
    // A text-only line is never looked up.
    Linea("1", "COMENTARIO");
    EXPECT_EQ(Foco(), p.EditCantidad);
    EXPECT_EQ(p.SumarTotal->text().trimmed(), "61.00");
    EXPECT_EQ(p.TotalFact->text().trimmed(), "70.76");
    EXPECT_EQ(p.LabelExistencia->text(), "100  *  ARANDELA");
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE(casos[i].tecleado);
      QStringList fila;
      for (const QString& campo : campos) fila << Columna(p, campo).value(i);
      EXPECT_EQ(fila, casos[i].campos);
    }
    // The text-only line stays as typed, and no row follows it.
    EXPECT_EQ(Columna(p, "CLAVE"), QStringList({"T2", "T2", "C3", "A1", "COMENTARIO"}));
    EXPECT_EQ(Columna(p, "PRODUCTO").value(4), "");
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Partidas, UnaDescripcionParecidaAbreElCatalogoYUnaClaveQueNoExisteSeDaDeAlta) {
  AgregaProducto(Producto("X1", "TORNIZZZ", 5));
  AgregaProducto(Producto("X2", "CLAVZZZZ", 6));
  // "TORNILLO" agrees with "TORNIZZZ" in 5 of 8 places: the lookup by
  // description opens on it; "CLAVOXYW" with "CLAVZZZZ" in 4: not found.
  Abre("2", [&](Pantalla& p) {
    Nueva(p);
    QString semejanza;
    ui::PuertaModal::Espera("TFormaConProduct", [&](QDialog& d) {
      semejanza = p.LabelPartidas->text();
      prueba::Tecla(d, "Detalle", Qt::Key_Return);
    });
    Linea("1", "tornillo");
    EXPECT_EQ(semejanza, "0.625");
    Linea("1", "CLAVOXYW");
    EXPECT_EQ(ui::Tag(p.EditClave), 1);
    // An empty key is no code and no description.
    Pulsa(Qt::Key_Return);
    prueba::Reescribe(p.EditClave, "");
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(Columna(p, "CLAVE"), QStringList({"X1", ""}));
    EXPECT_EQ(Columna(p, "PRODUCTO"), QStringList({"TORNIZZZ", ""}));
  });
  EXPECT_EQ(Mensajes(), QStringList({"El Producto No Se encuentra", "El Producto No Se encuentra"}));

  // Configuration line 47: the question, whose capture-key answer opens the
  // quick registration with the typed key; the key then fills its line.
  ui::PuertaModal::LimpiaMensajes();
  FijaLinea(ConfCapturaClaves, "S");
  FijaLinea(ConfFacturarSinExistencias, "S");
  Abre("2", [&](Pantalla& p) {
    Nueva(p);
    QString pregunta, clave;
    ui::PuertaModal::Espera("TFormaAdvertencia", [&](QDialog& d) {
      pregunta = prueba::Texto(d, "Label1");
      EXPECT_TRUE(prueba::Componente(d, "BotonCaptura")->isVisible());
      prueba::Pulsa(d, "BotonCaptura");
    });
    ui::PuertaModal::Espera("TFormaClaveRapida", [&](QDialog& d) {
      clave = prueba::Texto(d, "Edit1");
      prueba::Teclea(d, "Edit2", "PIJA NUEVA");
      prueba::Teclea(d, "Edit4", "15");
      prueba::Pulsa(d, "BotonGuardar");
    });
    Linea("2", "PJ9");
    EXPECT_EQ(pregunta, "El Producto No Se encuentra...¿Desea darlo de Alta?");
    EXPECT_EQ(clave, "PJ9");
    EXPECT_EQ(Foco(), p.EditCantidad);
    Pulsa(Qt::Key_Return);
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(Columna(p, "PRODUCTO").value(0), "PIJA NUEVA");
    EXPECT_EQ(Columna(p, "IMPORTE").value(0), "30");
  });
  EXPECT_EQ(Mensajes(), QStringList());

  // A lookup that fails (no lookup window) empties the key.
  catalogo_.reset();
  Abre("2", [&](Pantalla& p) {
    Nueva(p);
    Linea("1", "TORNILLO");
    EXPECT_EQ(Columna(p, "CLAVE"), QStringList{""});
    EXPECT_EQ(p.Detalle->SelectedIndex(), 1);
    EXPECT_EQ(Foco(), p.EditCantidad);
  });
  EXPECT_EQ(Mensajes(), QStringList{"Error en la Clave"});
}

TEST_F(Partidas, PiezasEnterasYExistenciasSegunElTipoDeDocumento) {
  TRegistroProducto escasa = Producto("S1", "SIERRA", 40);
  escasa.EXIST_I = 2;
  AgregaProducto(escasa);
  TRegistroProducto servicio = Producto("V1", "AFILADO", 25);
  servicio.EXIST_I = 0;
  servicio.LIPRO_I = "servi";
  AgregaProducto(servicio);
  const QString escasez = "Las Compras son Superiores a las Existencias 2 Solicitado 3";
  struct Caso {
    const char* nombre;
    const char* tipo;
    QList<std::pair<const char*, const char*>> lineas;  // quantity, key
    QStringList productos;   // of the lines written
    QStringList cantidades;
    bool siguiente;          // a new line is being typed
    QStringList mensajes;
  };
  const Caso casos[] = {
      {"pieza con fracción", "Remisión", {{"1.5", "T2"}}, {""}, {"1"}, false, {"Cantidad con error producto en PIEZA"}},
      {"más que la existencia", "Remisión", {{"1", "S1"}, {"2", "S1"}}, {"SIERRA", ""}, {"1", "2"}, false, {escasez}},
      {"devolución", "Devolución", {{"1", "S1"}, {"2", "S1"}}, {"SIERRA", "SIERRA"}, {"1", "2"}, true, {escasez}},
      {"servicio sin existencia", "Remisión", {{"5", "V1"}}, {"AFILADO"}, {"5"}, true, {}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    ui::PuertaModal::LimpiaMensajes();
    Abre("2", [&](Pantalla& p) {
      p.Base->setCurrentText(QString::fromUtf8(c.tipo));
      p.BaseChange();
      Nueva(p);
      for (const auto& [cantidad, clave] : c.lineas) Linea(cantidad, clave);
      EXPECT_EQ(Columna(p, "PRODUCTO"), c.productos);
      EXPECT_EQ(Columna(p, "CANTIDAD"), c.cantidades);
      EXPECT_EQ(p.TablaDeta->State() == db::Dataset::Estado::Insertando, c.siguiente);
      EXPECT_EQ(Foco(), p.EditCantidad);
    });
    EXPECT_EQ(Mensajes(), c.mensajes);
  }
}

TEST_F(Partidas, ElLimiteDePartidasYF6BorraLaPartidaYRecalcula) {
  // Thirty lines counted: a key is refused and the field emptied.
  Abre("2", [&](Pantalla& p) {
    EXPECT_EQ(p.Conf.MaximoPartidas, 30);
    Nueva(p);
    for (int i = 0; i < 30; ++i) {
      if (p.TablaDeta->State() == db::Dataset::Estado::Navegando) p.TablaDeta->Edit();
      p.TablaDeta->FieldByName("CANTIDAD").SetAsFloat(1);
      p.TablaDeta->FieldByName("CLAVE").SetAsString("A1");
      p.TablaDeta->FieldByName("PRODUCTO").SetAsString("ARANDELA");
      p.TablaDeta->Append();
    }
    p.TablaDeta->FieldByName("CANTIDAD").SetAsFloat(1);
    p.CalculaTotales();
    Pulsa(Qt::Key_Return);
    Escribe("T");
    EXPECT_EQ(p.EditClave->text(), "");
    EXPECT_EQ(Foco(), p.EditClave);
  });
  EXPECT_EQ(Mensajes(), QStringList({"Se ha llegado al límite de PARTIDAS..."}));

  // A limit that is no whole number is 1000 lines.
  FijaLinea(ConfMaximoPartidas, "treinta");
  ui::PuertaModal::LimpiaMensajes();
  Abre("2", [&](Pantalla& p) {
    EXPECT_EQ(p.Conf.MaximoPartidas, 1000);
    Nueva(p);
    Linea("2", "T2");
    Linea("4", "C3");
    EXPECT_EQ(p.SumarTotal->text().trimmed(), "30.00");
    p.Detalle->setFocus();
    p.TablaDeta->First();
    QStringList preguntas;
    for (const char* boton : {"BitBtn2", "BitBtn1"}) {
      ui::PuertaModal::Espera("TFormaAdvertencia", [&preguntas, boton](QDialog& d) {
        preguntas << prueba::Texto(d, "Label1");
        prueba::Pulsa(d, boton);
      });
      Pulsa(Qt::Key_F6);
    }
    EXPECT_EQ(preguntas, QStringList(2, "Esta Seguro que Desea ELIMINAR esta Partida 2  TUERCA"));
    EXPECT_EQ(Columna(p, "CLAVE"), QStringList({"C3", ""}));
    EXPECT_EQ(p.TablaDeta->FieldByName("CLAVE").AsString(), "C3");
    EXPECT_EQ(p.SumarTotal->text().trimmed(), "10.00");
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Partidas, EnLaRejillaSusTeclasSonSuyasYEnterRecorreLasColumnas) {
  Abre("2", [&](Pantalla& p) {
    Nueva(p);
    Linea("2", "T2");
    Linea("4", "C3");
    ASSERT_TRUE(p.KeyPreview());
    p.Detalle->setFocus();
    EXPECT_FALSE(p.KeyPreview());
    EXPECT_EQ(p.Detalle->SelectedIndex(), 0);
    p.TablaDeta->First();
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(p.Detalle->SelectedIndex(), 1);
    EXPECT_EQ(p.TablaDeta->State(), db::Dataset::Estado::Editando);
    // From the amount Enter goes on to the next line's quantity.
    p.Detalle->SetSelectedIndex(4);
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(p.Detalle->SelectedIndex(), 0);
    EXPECT_EQ(p.TablaDeta->FieldByName("CLAVE").AsString(), "C3");
    Pulsa(Qt::Key_F4);
    EXPECT_EQ(Foco(), p.EditCantidad);
    EXPECT_TRUE(p.KeyPreview());
    EXPECT_EQ(Columna(p, "CANTIDAD"), QStringList({"2", "4", "1"}));
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Partidas, CapturaPorEmpaqueSoloDelAdministradorYPaquetesPorFactor) {
  const QString empaque = fs::Une(kPrograma, "empaque.cnf");
  for (const char* usuario : {"2", "0"}) {
    SCOPED_TRACE(usuario);
    fs::BorraArchivo(empaque);
    Abre(usuario, [&](Pantalla& p) {
      const bool administrador = QString(usuario) == "0";
      p.CapturaporEmpaque1->trigger();
      EXPECT_EQ(p.CapturaporEmpaque1->isChecked(), administrador);
      EXPECT_EQ(p.EditEmpaque->isVisible(), administrador);
      EXPECT_EQ(fs::Existe(empaque) ? fs::LeeLineas(empaque) : QStringList(),
                administrador ? QStringList{"S"} : QStringList());
    });
  }
  // The option as the next screen reads it: 3 packages of 12 are 36 pieces.
  Abre("0", [&](Pantalla& p) {
    ASSERT_TRUE(p.EditEmpaque->isVisible());
    Nueva(p);
    Linea("1", "T2");
    EXPECT_EQ(Foco(), p.EditEmpaque);
    EXPECT_EQ(p.LabelFactor->text(), "12");
    Escribe("3");
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(Columna(p, "CANTIDAD"), QStringList{"36"});
    EXPECT_EQ(Columna(p, "IMPORTE"), QStringList{"360"});
    EXPECT_EQ(p.TablaDeta->State(), db::Dataset::Estado::Insertando);
    EXPECT_EQ(Foco(), p.EditCantidad);
    p.CapturaporEmpaque1->trigger();
  });
  EXPECT_EQ(fs::LeeLineas(empaque), QStringList{"N"});
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Partidas, LaColumnaDelPrecioSoloConCambioPrecioYElPrecioBajoElCostoSeAvisaYSeQueda) {
  TRegistroProducto pinza = Producto("P8", "PINZA", 12);
  pinza.CPROM_I = Dinero(10);
  AgregaProducto(pinza);
  Abre("0", [&](Pantalla& p) {
    Nueva(p);
    Linea("1", "P8");
    // Entering the price column while it is locked.
    p.Detalle->setFocus();
    p.Detalle->SetSelectedIndex(3);
    EXPECT_EQ(p.Detalle->SelectedIndex(), 0);
    // "Cambio Precio" (Ctrl+P) opens the cell: 8.00 under a cost of 10.00.
    p.TablaDeta->First();
    QTest::keyClick(&p, Qt::Key_P, Qt::ControlModifier);
    ASSERT_EQ(p.Detalle->SelectedIndex(), 3);
    QWidget* celda = Foco();
    ASSERT_TRUE(celda && p.Detalle->isAncestorOf(celda));
    QTest::keyClick(celda, Qt::Key_A, Qt::ControlModifier);
    Escribe("8");
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(Columna(p, "PRECIO").value(0), "8");
    EXPECT_EQ(Columna(p, "IMPORTE").value(0), "8");
    EXPECT_EQ(p.Detalle->SelectedIndex(), 0);
    EXPECT_EQ(p.SumarTotal->text().trimmed(), "8.00");
  });
  EXPECT_EQ(Mensajes(), QStringList({"No Tiene Acceso a Precios", "El precio es menor al costo..."}));
}

TEST_F(Partidas, F2LlenaConLaClaveElegidaYF3LlenaOtraVezConElProductoComoEstaAhora) {
  QString inicial;
  ui::PuertaModal::Espera("TFormaConProduct", [&](QDialog& d) {
    inicial = static_cast<TFormaConProduct&>(d).TablaConProducto->FieldByName("CLPRO_I").AsString();
    prueba::Tecla(d, "Detalle", Qt::Key_Return);
  });
  Abre("2", [&](Pantalla& p) {
    Nueva(p);
    Escribe("5");
    Pulsa(Qt::Key_Return);
    Escribe("A");
    Pulsa(Qt::Key_F2);
    EXPECT_EQ(inicial, "A1");
    EXPECT_EQ(Columna(p, "PRODUCTO"), QStringList{"ARANDELA"});
    EXPECT_EQ(Columna(p, "IMPORTE"), QStringList{"5"});
    EXPECT_EQ(Foco(), p.EditCantidad);
    p.TablaDeta->Cancel();
    p.TablaDeta->First();
    p.TablaDeta->Delete();
    Linea("2", "T2");
    CambiaProducto("T2", "PPUBL_I", "11");
    p.TablaDeta->First();
    p.EditClave->setFocus();
    Pulsa(Qt::Key_F3);
    EXPECT_EQ(Columna(p, "PRECIO").value(0), "11");
    EXPECT_EQ(Columna(p, "IMPORTE").value(0), "22");
    EXPECT_EQ(p.SumarTotal->text().trimmed(), "22.00");
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Partidas, ElCampoTaraSoloParaElValorConfiguradoYVerCampoTaraAbreEspecialCnf) {
  EscribeLineas(fs::Une(kPrograma, "especial.cnf"), {"S", "LIPRO_I", "GRANEL", "", ""});
  TRegistroProducto granel = Producto("G1", "AVENA", 20);
  granel.LIPRO_I = "GRANEL";
  granel.UMEDI_I = "kg";
  AgregaProducto(granel);
  prueba::LanzadorGrabador lanzador;
  Abre("2", [&](Pantalla& p) {
    EXPECT_TRUE(p.VerCampoTara1->isChecked());
    Nueva(p);
    Linea("1", "G1");
    EXPECT_TRUE(p.EditTARA->isVisible());
    EXPECT_EQ(Foco(), p.EditTARA);
    EXPECT_EQ(Columna(p, "PRODUCTO"), QStringList());
    Escribe("0.3");
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(Columna(p, "PRODUCTO"), QStringList{"AVENA"});
    Linea("1", "T2");
    EXPECT_FALSE(p.EditTARA->isVisible());
    EXPECT_EQ(Columna(p, "PRODUCTO"), QStringList({"AVENA", "TUERCA"}));

    // The editor of the program map, on the station's especial.cnf.
    p.VerCampoTara1->trigger();
    EscribeLineas(fs::Une(kPrograma, "programas.map"), {"notepad.exe=mousepad"});
    p.VerCampoTara1->trigger();
    EXPECT_TRUE(p.VerCampoTara1->isChecked());
  });
  ASSERT_EQ(lanzador.iniciados.size(), 1);
  EXPECT_EQ(lanzador.iniciados[0].programa, "mousepad");
  EXPECT_EQ(lanzador.iniciados[0].argumentos, QStringList{fs::Local(fs::Une(kPrograma, "especial.cnf"))});
  const QStringList mensajes = Mensajes();
  ASSERT_EQ(mensajes.size(), 2);
  EXPECT_TRUE(mensajes[0].startsWith("No se pudo abrir el editor: "));
  EXPECT_EQ(mensajes[1], "Para que este cambio se lleve a cabo reinicie el sistema...");
}

TEST_F(Partidas, SoloConTeclasTresPartidasYElPrecioQueOtraEstacionAcabaDePublicar) {
  ui::PuertaModal::Espera("TFormaConProduct", [](QDialog& d) { prueba::Tecla(d, "Detalle", Qt::Key_Return); });
  Abre("2", [&](Pantalla& p) {
    Nueva(p);
    Linea("2", "T2");
    Linea("1", "CB75010");
    // A few letters of the description, F1, the lookup accepted with Enter.
    Escribe("3");
    Pulsa(Qt::Key_Return);
    Escribe("CLA");
    Pulsa(Qt::Key_F1);
    EXPECT_EQ(Foco(), p.EditCantidad);
    Pulsa(Qt::Key_Return);
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(Columna(p, "CLAVE"), QStringList({"T2", "T2", "C3"}));
    EXPECT_EQ(Columna(p, "IMPORTE"), QStringList({"20", "10", "7.5"}));
    EXPECT_EQ(p.SumarTotal->text().trimmed(), "37.50");
    EXPECT_EQ(p.TotalFact->text().trimmed(), "43.50");

    prueba::ProcesoHijo otra("CambiaPrecio", {"T2", "12.5"});
    ASSERT_EQ(otra.EsperaLinea(), "LISTO");
    Linea("1", "T2");
    EXPECT_EQ(Columna(p, "PRECIO").value(3), "12.5");
    EXPECT_EQ(p.TotalFact->text().trimmed(), "58.00");
    otra.Envia("fin");
    EXPECT_EQ(otra.Espera(), 0);
  });
  EXPECT_EQ(Mensajes(), QStringList());
}
