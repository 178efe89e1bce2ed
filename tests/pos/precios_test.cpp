// The price of a sale line: the list price and its fall-back, the volume
// price of the quantity limits, the customer's line discount as another
// station leaves it, the order line capture applies them; "Cambio Precio"
// and "Descuento" through the modal gate.

#include "foundation/rutinas_usuarios.h"
#include "inventory/ConPro.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Forma.h"
#include "pos/PreciosVenta.h"
#include "support/Maneja.h"
#include "support/Proceso.h"
#include "captura_prueba.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <optional>

namespace {

using Pantalla = TFormaCapturaRapida;

std::optional<Dinero> D(const char* texto) {
  if (!*texto) return std::nullopt;
  return Dinero::DeTexto(QString::fromLatin1(texto));
}

// A product with prices 1 to 7 (p1 100, p2 90 ... p7 40) and the limits
// given.
TRegistroProducto Producto(std::initializer_list<double> limites = {}) {
  TRegistroProducto p;
  p.PPUBL_I = Dinero(100);
  p.PLIS2_I = Dinero(90);
  p.PLIS3_I = Dinero(80);
  p.PLIS4_I = Dinero(70);
  p.PMINI_I = Dinero(60);
  p.PLIS6_I = Dinero(50);
  p.PLIS7_I = Dinero(40);
  std::optional<double> TRegistroProducto::*const poli[] = {&TRegistroProducto::POLI1_I, &TRegistroProducto::POLI2_I,
                                                             &TRegistroProducto::POLI3_I, &TRegistroProducto::POLI4_I,
                                                             &TRegistroProducto::POLI5_I, &TRegistroProducto::POLI6_I,
                                                             &TRegistroProducto::POLI7_I};
  int i = 0;
  for (double q : limites) p.*poli[i++] = q;
  return p;
}

}  // namespace

TEST(PreciosVenta, ElPrecioDeUnaListaVaciaOEnCeroEsElPublicoYUnaListaQueNoExisteDejaElPrecio) {
  struct Caso {
    const char* nombre;
    int lista;
    const char* valorLista;  // "-" leaves the product's price
    const char* actual;
    const char* precio;      // "" empty
    const char* resultado;
  };
  const Caso casos[] = {
      {"lista 3", 3, "-", "", "80", "80"},
      {"lista 2 vacía", 2, "", "12", "100", "100"},
      {"lista 4 en cero", 4, "0", "", "100", "100"},
      {"lista 6 negativa", 6, "-5", "", "-5", "-5"},
      {"lista 0 es la 1", 0, "-", "", "100", "100"},
      {"lista 150 de la tabla", 150, "33.5", "12", "33.5", "33.5"},
      {"lista 150 vacía", 150, "", "12", "100", "100"},
      {"lista 160 sin columna", 160, "-", "12", "12", "12"},
      {"lista 160 sin columna ni precio", 160, "-", "", "100", "100"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    TRegistroProducto p = Producto();
    p.PreciosExtra[150] = std::nullopt;
    if (std::string(c.valorLista) != "-") {
      if (c.lista == 150) p.PreciosExtra[150] = D(c.valorLista);
      else if (c.lista == 2) p.PLIS2_I = D(c.valorLista);
      else if (c.lista == 4) p.PLIS4_I = D(c.valorLista);
      else if (c.lista == 6) p.PLIS6_I = D(c.valorLista);
    }
    const PrecioDeLista r = PrecioLista(p, c.lista, D(c.actual));
    EXPECT_EQ(r.precio, D(c.precio));
    EXPECT_EQ(r.resultado, *D(c.resultado));
  }
  // Without a public price the line is left without one.
  TRegistroProducto sinPublico = Producto();
  sinPublico.PPUBL_I.reset();
  sinPublico.PLIS3_I.reset();
  const PrecioDeLista r = PrecioLista(sinPublico, 3, D("7"));
  EXPECT_EQ(r.precio, std::nullopt);
  EXPECT_EQ(r.resultado, Dinero());
}

TEST(PreciosVenta, ElPrecioPorVolumenTomaLaPrimeraBandaQueCabeYArribaDelMayorLimiteSuLista) {
  struct Caso {
    const char* nombre;
    std::initializer_list<double> limites;
    double cantidad;
    double factor;
    const char* precio;
  };
  const std::initializer_list<double> escalones = {10, 20, 30, 40, 50, 60, 70};
  const Caso casos[] = {
      {"25 en la banda 3", escalones, 25, 1, "80"},
      {"25 con el factor de tarjeta", escalones, 25, 1.025, "82"},
      {"un límite exacto es de su banda", escalones, 20, 1, "90"},
      {"70 llega al mayor", escalones, 70, 1.025, "41"},
      {"más que el mayor", escalones, 500, 1, "40"},
      {"0 en la primera", escalones, 0, 1.025, "102.5"},
      {"negativa: el público sin factor", escalones, -1, 1.025, "100"},
      {"límites en cero: el público por el factor", {}, 3, 1.025, "102.5"},
      {"dos mayores iguales: el primero", {10, 50, 50}, 60, 1, "90"},
      {"límites desordenados: la primera que cabe", {50, 10}, 30, 1.025, "102.5"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    EXPECT_EQ(PrecioPorVolumen(Producto(c.limites), c.cantidad, c.factor), *D(c.precio));
  }
  // The top band falls back to the public price, the lower bands do not.
  TRegistroProducto p = Producto(escalones);
  p.PLIS7_I = Dinero();
  p.PLIS3_I.reset();
  EXPECT_EQ(PrecioPorVolumen(p, 80, 1), Dinero(100));
  EXPECT_EQ(PrecioPorVolumen(p, 25, 1), Dinero());
}

TEST(PreciosVenta, LaListaDelClienteLaPoliticaOLaListaUnoYLuegoElDescuentoPorLinea) {
  struct Caso {
    const char* nombre;
    ReglasPrecio reglas;
    double descuento;
    const char* precio;
  };
  const Caso casos[] = {
      {"lista del cliente", {3, true, false, 1.025}, 0, "80"},
      {"política", {0, true, false, 1.025}, 0, "82"},
      {"sin política: la lista 1", {0, false, false, 1.025}, 0, "100"},
      {"10 % de la línea aun con lista 3", {3, false, true, 1}, 10, "90"},
      {"sin renglón de la línea: el público", {3, true, true, 1}, 0, "100"},
      {"12.5 %", {0, false, true, 1}, 12.5, "87.5"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    EXPECT_EQ(PrecioPartida(Producto({10, 20, 30}), 25, std::nullopt, c.reglas, c.descuento), D(c.precio));
  }
}

namespace {

class DescuentosCliente : public VentaPrueba {
 protected:
  static void AgregaDescuento(const QString& cliente, const QString& linea, double descuento) {
    auto t = AbreEn(kDatos, "ClieDesc.dbf");
    AgregaFilas(*t, {{{"CLCLI_D", cliente}, {"LINEA_D", linea}, {"DESCU_D", descuento}}});
  }
};

// Another station gives a customer a discount for a line, then waits.
RUTINA_HIJA(DaDescuento) {
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla("ClieDesc.dbf");
  t.Open();
  t.Append();
  t.FieldByName("CLCLI_D").SetAsString(argumentos.value(0));
  t.FieldByName("LINEA_D").SetAsString(argumentos.value(1));
  t.FieldByName("DESCU_D").SetAsString(argumentos.value(2));
  t.Post();
  prueba::AvisaPadre("LISTO");
  prueba::EsperaPadre();
  return 0;
}

}  // namespace

TEST_F(DescuentosCliente, ElPorcentajeEsDelPrimerRenglonDelClienteYLaLineaExactos) {
  AgregaDescuento("120", "A", 30);
  AgregaDescuento("12", "a", 20);
  AgregaDescuento("12", "A", 10);
  AgregaDescuento("12", "A", 5);
  struct Caso {
    const char* cliente;
    const char* linea;
    double descuento;
  };
  for (const Caso& c : {Caso{"12", "A", 10}, Caso{"12", "a", 20}, Caso{"120", "A", 30}, Caso{"1", "A", 0},
                        Caso{"12", "B", 0}}) {
    SCOPED_TRACE(std::string(c.cliente) + " " + c.linea);
    EXPECT_EQ(DescuentoClienteLinea(kDatos, c.cliente, c.linea), c.descuento);
  }

  // A row another station has just saved counts at once.
  prueba::ProcesoHijo otra("DaDescuento", {"7", "HERR", "15"});
  ASSERT_EQ(otra.EsperaLinea(), "LISTO");
  EXPECT_EQ(DescuentoClienteLinea(kDatos, "7", "HERR"), 15);
  otra.Envia("fin");
  EXPECT_EQ(otra.Espera(), 0);
}

namespace {

// The fixture's users, and user 4 "sinp" with every right but 51 and 59.
class ComandosPrecio : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    const QString todos(kNumeroDerechos, u's');
    QString libre = todos;
    libre[DerechoLimitarVendedor - 1] = u'n';
    QString sinPrecios = libre;
    sinPrecios[DerechoCambiarPrecios - 1] = u'n';
    sinPrecios[DerechoDescuentosConClave - 1] = u'n';
    EscribeUsuarios({{"adm", todos}, {"caja", todos}, {"otra", libre}, {"bodega", todos}, {"sinp", sinPrecios}});
    TRegistroProducto p;
    p.CLPRO_I = "T2";
    p.DSCPR_I = "TUERCA";
    p.PPUBL_I = Dinero(10);
    p.PLIS2_I = Dinero(9);
    p.POLI1_I = 10;
    p.POLI2_I = 50;
    AgregaProducto(p);
    AgregaRemision(40, {});
    fs::CreaCarpeta(fs::Une(kDatos, "Bitacora"));
  }

  // A new document (F9) with one line of quantity 1 at 10.
  static void Captura(Pantalla& p) {
    p.Nuevo1->trigger();
    ASSERT_EQ(ui::Tag(p.BotonNuevo), 1);
    p.TablaDeta->Append();
    p.TablaDeta->FieldByName("CANTIDAD").SetAsFloat(1);
    p.TablaDeta->FieldByName("CLAVE").SetAsString("T2");
    p.TablaDeta->FieldByName("PRECIO").SetAsFloat(10);
    p.TablaDeta->FieldByName("IMPORTE").SetAsFloat(10);
    p.TablaDeta->Post();
  }

  static void Clave(const QString& clave) {
    ui::PuertaModal::Espera("TFormaAdministrador", [clave](QDialog& d) {
      prueba::Teclea(d, "Clave", clave);
      prueba::Pulsa(d, "BitBtn1");
    });
  }

  static void CambioPrecio(Pantalla& p) { p.MainMenu1->findChild<QAction*>("CambioPrecio1")->trigger(); }
};

}  // namespace

TEST_F(ComandosPrecio, CambioPrecioAbreLaCeldaDelPrecioSoloAQuienTieneElDerecho51) {
  struct Caso {
    const char* usuario;
    const char* clave;  // "" no prompt
    bool abierto;
    QString mensaje;
  };
  const Caso casos[] = {
      {"0", "", true, {}},
      {"2", "adm", true, {}},
      {"2", "caja", true, {}},
      {"2", "sinp", false, kSinAcceso},
      {"2", "nadie", false, kUsuarioNoValido},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.usuario) + " " + c.clave);
    ui::PuertaModal::LimpiaMensajes();
    Abre(c.usuario, [&](Pantalla& p) {
      Captura(p);
      p.TablaInventario->First();
      p.TablaInventario->FindKey({"NINGUNA"});
      if (*c.clave) Clave(c.clave);
      CambioPrecio(p);
      EXPECT_EQ(p.PrecioDesbloqueado, c.abierto);
      EXPECT_EQ(Mensajes(), c.mensaje.isEmpty() ? QStringList() : QStringList{c.mensaje});
      if (c.abierto) {
        EXPECT_EQ(p.Detalle->SelectedIndex(), 3);
        QWidget* foco = p.focusWidget();
        EXPECT_TRUE(foco && p.Detalle->isAncestorOf(foco));
        EXPECT_EQ(p.TablaInventario->FieldByName("CLPRO_I").AsString(), "T2");
        p.Detalle->CierraEditor();
      }
      // The quantity changed from 1 to 12: repriced by volume on the next
      // run, unless the price is open.
      p.TablaDeta->Edit();
      p.TablaDeta->FieldByName("CANTIDAD").SetAsFloat(12);
      p.CalculaTotales();
      EXPECT_EQ(p.SumarTotal->text().trimmed(), c.abierto ? "120.00" : "108.00");
    });
  }

  // Without a document in capture nothing is unlocked, not even for "0".
  Abre("0", [](Pantalla& p) {
    CambioPrecio(p);
    EXPECT_FALSE(p.PrecioDesbloqueado);
  });
}

TEST_F(ComandosPrecio, DescuentoConElDerecho59AbreElDescuentoAnotaAlUsuarioYLoRegistra) {
  struct Caso {
    const char* bitacora;  // configuration line 85
    const char* clave;
    bool concedido;
    QStringList lineas;
  };
  const Caso casos[] = {
      {"S", "caja", true, {"05/03/2010 10:15:00 DESCUENTO Por Usuario 1"}},
      {"N", "otra", true, {}},
      {"S", "sinp", false, {}},
  };
  const QString bitacora = fs::Une(kDatos, "Bitacora\\R-41.bit");
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.clave);
    ui::PuertaModal::LimpiaMensajes();
    fs::BorraArchivo(bitacora);
    FijaLinea(ConfBitacora, c.bitacora);
    Abre("0", [&](Pantalla& p) {
      Captura(p);
      ASSERT_TRUE(p.BoronDescuento->isVisible());
      ASSERT_TRUE(p.EditDESFI_F->isReadOnly());
      ui::PuertaModal::Espera("TFormaAdministrador", [&](QDialog& d) {
        EXPECT_EQ(prueba::Texto(d, "Label1"), "Esta Opción Esta Limitada");
        EXPECT_EQ(prueba::Texto(d, "Label2"), "Introduzca su Clave");
        prueba::Teclea(d, "Clave", c.clave);
        prueba::Pulsa(d, "BitBtn1");
      });
      prueba::Pulsa(p, "BoronDescuento");
      EXPECT_EQ(p.EditDESFI_F->isReadOnly(), !c.concedido);
      if (c.concedido) {
        EXPECT_EQ(p.focusWidget(), p.EditDESFI_F);
        EXPECT_EQ(p.TablaFacturae->FieldByName("USUARIO").AsString(), c.clave == QString("caja") ? "1" : "2");
        EXPECT_EQ(Mensajes(), QStringList());
      } else {
        EXPECT_EQ(p.focusWidget(), p.EditCantidad);
        EXPECT_EQ(Mensajes(), QStringList{kSinAcceso});
      }
    });
    EXPECT_EQ(fs::Existe(bitacora) ? fs::LeeLineas(bitacora) : QStringList(), c.lineas);
  }
}

TEST_F(ComandosPrecio, ChecarPrecioMuestraElCatalogoPorDescripcionSinTocarLaVenta) {
  auto catalogo = std::make_unique<TFormaConProduct>();
  Abre("1", [](Pantalla& p) {
    Captura(p);
    bool visto = false;
    ui::PuertaModal::Espera("TFormaConProduct", [&](QDialog& d) {
      auto& f = static_cast<TFormaConProduct&>(d);
      visto = true;
      EXPECT_EQ(f.TablaConProducto->IndexName().toUpper(), kTagDescripcionProducto);
      prueba::Tecla(f, "Detalle", Qt::Key_Return);
    });
    p.MainMenu1->findChild<QAction*>("ChecarPrecio1")->trigger();
    EXPECT_TRUE(visto);
    EXPECT_EQ(ColumnaCaptura(*p.TablaDeta, "CLAVE"), QStringList{"T2"});
    EXPECT_EQ(ColumnaCaptura(*p.TablaDeta, "PRECIO"), QStringList{"10"});
  });
}

TEST_F(ComandosPrecio, LaPantallaPreciaLaLineaConLaListaDelClienteOElDescuentoDeSuLinea) {
  TRegistroProducto p;
  p.CLPRO_I = "A1";
  p.LIPRO_I = "A";
  p.PPUBL_I = Dinero(20);
  p.PLIS3_I = Dinero(15);
  AgregaProducto(p);
  auto descuentos = AbreEn(kDatos, "ClieDesc.dbf");
  AgregaFilas(*descuentos, {{{"CLCLI_D", "12"}, {"LINEA_D", "A"}, {"DESCU_D", 10}}});
  struct Caso {
    const char* nombre;
    const char* descuentosLinea;  // configuration line 58
    int lista;
    const char* cliente;
    const char* precio;
  };
  const Caso casos[] = {
      {"lista 3 del cliente", "N", 3, "12", "15"},
      {"10 % de su línea aun con lista 3", "S", 3, "12", "18"},
      {"cliente sin renglón de la línea", "S", 3, "1", "20"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    FijaLinea(ConfDescuentosClienteLinea, c.descuentosLinea);
    Abre("1", [&](Pantalla& pantalla) {
      Captura(pantalla);
      ASSERT_TRUE(pantalla.TablaInventario->FindKey({"A1"}));
      pantalla.ListaPrecioCliente = c.lista;
      pantalla.EditCLCLI_F->setText(c.cliente);
      pantalla.AsignaPrecioPartida();
      EXPECT_EQ(pantalla.TablaDeta->FieldByName("PRECIO").AsString(), c.precio);
      // A list the product table lacks keeps the line's price.
      EXPECT_EQ(pantalla.AsignaPrecioLista(160), Dinero::DeTexto(c.precio));
      EXPECT_EQ(pantalla.TablaDeta->FieldByName("PRECIO").AsString(), c.precio);
    });
  }
}
