// The customer and seller lookups as a document field uses them: the key
// each way of closing answers, the quick and advanced searches, the
// catalogue button.

#include "clientes_prueba.h"
#include "customers/CONVEN.h"
#include "customers/Clientes.h"
#include "customers/Conclie.h"
#include "foundation/buscar.h"
#include "platform/ui/RejillaDatos.h"
#include "support/Maneja.h"

#include <QRadioButton>

#include <functional>
#include <tuple>

namespace {

using Guion = std::function<void(QDialog&)>;

// The grid of a lookup: Detalle or DBGrid1.
ui::RejillaDatos* Rejilla(QDialog& d) {
  if (auto* r = d.findChild<ui::RejillaDatos*>("Detalle")) return r;
  return d.findChild<ui::RejillaDatos*>("DBGrid1");
}

void Teclas(QDialog& d, std::initializer_list<int> teclas) {
  for (int t : teclas) prueba::Tecla(d, Rejilla(d)->objectName(), t);
}

// A way of closing a lookup started at a key, and the key it answers.
struct Cierre {
  const char* nombre;
  QString inicio;
  Guion guion;
  QString clave;
};

const Guion kEnter = [](QDialog& d) { Teclas(d, {Qt::Key_Return}); };
const Guion kEscEnRejilla = [](QDialog& d) { Teclas(d, {Qt::Key_Escape}); };
const Guion kDobleClic = [](QDialog& d) {
  ui::RejillaDatos* r = Rejilla(d);
  prueba::DobleClic(r->viewport(), r->visualRect(r->currentIndex()).center());
};
const Guion kBajaYEnter = [](QDialog& d) { Teclas(d, {Qt::Key_Down, Qt::Key_Return}); };

// Answers the next "Busquedas Rápidas" with a text and Enter, or Esc.
void Busca(const QString& texto, bool cancela = false) {
  ui::PuertaModal::Espera("TFormaBusqueda", [texto, cancela](QDialog& d) {
    prueba::Teclea(d, "CajaBuscar", texto);
    prueba::Tecla(d, "CajaBuscar", cancela ? Qt::Key_Escape : Qt::Key_Return);
  });
}

class Consultas : public ClientesPrueba {
 protected:
  void SetUp() override {
    ClientesPrueba::SetUp();
    Agrega("CLIENTE.DBF", {"CLCLI_C", "NOMBR_C"},
           {{"A1", "ADAN LOPEZ"},
            {"B2", "BEATRIZ GOMEZ"},
            {"C3", "CARLOS LOPEZ"},
            {"D4", "O'BRIEN PATRICK"},
            {"E5", "ZAIRA LOPEZ"},
            {"F6", "TIENDA 100%"}});
    Agrega("VENDEDOR.DBF", {"CLVEN_V", "NOMBR_V", "COMIS_V"}, {{"01", "LUIS", "2"}, {"02", "MARTA", "3"}});
  }

  static QString Cliente(const QString& inicio, const Guion& guion, const QString& usuario = "0") {
    ui::PuertaModal::Espera("TFormaConClientes", guion);
    return BuscaCliente(inicio, usuario);
  }
};

}  // namespace

TEST_F(Consultas, CadaCierreDelClienteDaSuClave) {
  const Cierre casos[] = {
      {"Esc en la rejilla: la clave de inicio", "C3", kEscEnRejilla, "C3"},
      {"Enter: la clave del renglón", "C3", kBajaYEnter, "D4"},
      {"una clave que no existe queda en la siguiente", "B", kEnter, "B2"},
      {"doble clic", "E5", kDobleClic, "E5"},
      {"Esc fuera de la rejilla: el renglón", "B2",
       [](QDialog& d) {
         prueba::Tecla(d, "PorClave", Qt::Key_Down);
         prueba::Tecla(d, "", Qt::Key_Escape);
       },
       "B2"},
      {"la caja de cierre: el renglón", "A1", [](QDialog& d) { d.close(); }, "A1"},
  };
  for (const Cierre& c : casos) {
    SCOPED_TRACE(c.nombre);
    EXPECT_EQ(Cliente(c.inicio, c.guion), c.clave);
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Consultas, LaBusquedaRapidaVaAlMasCercanoPorNombreOPorClave) {
  struct Caso {
    const char* nombre;
    int tecla;
    QString texto;
    bool cancela;
    QString clave;
  };
  const Caso casos[] = {
      {"F2 por nombre", Qt::Key_F2, "CARL", false, "C3"},
      {"F3 por clave", Qt::Key_F3, "D", false, "D4"},
      {"cancelada no se mueve", Qt::Key_F2, "ZAI", true, "B2"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    Busca(c.texto, c.cancela);
    EXPECT_EQ(Cliente("B2", [&](QDialog& d) { Teclas(d, {c.tecla, Qt::Key_Return}); }), c.clave);
  }
  // The radio buttons search the same way; "Avanzada" searches by key.
  Busca("O'B");
  EXPECT_EQ(Cliente("A1", [](QDialog& d) { prueba::Pulsa(d, "PorNombre"); kEnter(d); }), "D4");
  Busca("C");
  EXPECT_EQ(Cliente("A1", [](QDialog& d) { prueba::Pulsa(d, "Avanzada"); kEnter(d); }), "C3");
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Consultas, LaBusquedaAvanzadaListaLosNombresQueContienenElTexto) {
  struct Caso {
    QString texto;
    QStringList nombres;
  };
  const Caso casos[] = {
      {"LOP", {"ADAN LOPEZ", "CARLOS LOPEZ", "ZAIRA LOPEZ"}},
      {"", {"ADAN LOPEZ", "BEATRIZ GOMEZ", "CARLOS LOPEZ", "O'BRIEN PATRICK", "TIENDA 100%", "ZAIRA LOPEZ"}},
      {"O'BRIEN", {"O'BRIEN PATRICK"}},
      {"%' OR 'x'='x", {}},
      {"\"", {}},
      // What is typed is looked for as typed.
      {"0%", {"TIENDA 100%"}},
      {"_", {}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.texto.toStdString());
    Busca(c.texto);
    QStringList nombres;
    bool avanzada = false;
    const QString clave = Cliente("A1", [&](QDialog& d) {
      prueba::Tecla(d, "Detalle", Qt::Key_F4);
      avanzada = d.findChild<QRadioButton*>("Avanzada")->isChecked();
      nombres = Columna(Rejilla(d), 1);
      kEnter(d);
    });
    EXPECT_TRUE(avanzada);
    EXPECT_EQ(nombres, c.nombres);
    // The answer is the key of the result's row; none when it has no rows.
    const QMap<QString, QString> claves = {{"ADAN LOPEZ", "A1"}, {"O'BRIEN PATRICK", "D4"}, {"TIENDA 100%", "F6"}};
    EXPECT_EQ(clave, claves.value(c.nombres.value(0)));
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

// "Clientes" opens a catalogue of its own after right 1; the lookup then
// stands on the customer the catalogue was showing.
TEST_F(Consultas, ElBotonClientesAbreElCatalogoConElDerecho1) {
  TFormaClientes global;
  for (const auto& [usuario, mensajes, clave] :
       {std::tuple<QString, QStringList, QString>{"1", {kSinAcceso}, "C3"},
        std::tuple<QString, QStringList, QString>{"0", {}, "G7"}}) {
    SCOPED_TRACE(usuario.toStdString());
    ui::PuertaModal::LimpiaMensajes();
    bool visible = false;
    const QDialog* catalogo = nullptr;
    QString usuarioCatalogo;
    if (usuario == "0") {
      ui::PuertaModal::Espera("TFormaClientes", [&](QDialog& d) {
        catalogo = &d;
        usuarioCatalogo = prueba::Texto(d, "Usuario");
        prueba::Pulsa(d, "BotonNuevo");
        prueba::Teclea(d, "EditCLCLI_C", "G7");
        prueba::Teclea(d, "EditNOMBR_C", "gabriel");
        prueba::Pulsa(d, "BotonGuardar");
        d.close();
      });
    }
    EXPECT_EQ(Cliente("C3",
                      [&](QDialog& d) {
                        visible = prueba::Componente(d, "BotonClientes")->isVisible();
                        prueba::Pulsa(d, "BotonClientes");
                        kEnter(d);
                      },
                      usuario),
              clave);
    EXPECT_TRUE(visible);
    EXPECT_EQ(Mensajes(), mensajes);
    if (usuario == "0") {
      EXPECT_NE(catalogo, &global);
      EXPECT_EQ(usuarioCatalogo, "0");
    }
  }
  EXPECT_EQ(FormaClientes(), &global);
}

TEST_F(Consultas, ElVendedorCanceladoDaClaveVacia) {
  const Cierre casos[] = {
      {"Esc en la rejilla", "02", kEscEnRejilla, ""},
      {"Esc fuera de la rejilla", "02",
       [](QDialog& d) {
         prueba::Componente(d, "DBNavigator1")->setFocus();
         prueba::Tecla(d, "", Qt::Key_Escape);
       },
       ""},
      {"la caja de cierre", "02", [](QDialog& d) { d.close(); }, ""},
      {"Enter", "", kBajaYEnter, "02"},
      {"doble clic en la clave de inicio", "02", kDobleClic, "02"},
  };
  for (const Cierre& c : casos) {
    SCOPED_TRACE(c.nombre);
    ui::PuertaModal::Espera("TFormaConVendedores", c.guion);
    EXPECT_EQ(BuscaVendedor(c.inicio), c.clave);
  }
  EXPECT_EQ(Mensajes(), QStringList());
}
