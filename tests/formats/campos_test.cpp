// The field picker over the shipped field catalogue, the field lists of the
// editor, and the printer picker.

#include "formats/Impresoras.h"
#include "formats/catfor.h"
#include "foundation/ArchivosPrograma.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_catalogo.h"
#include "platform/db/Catalogo.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/print/Impresora.h"
#include "platform/print/Impresoras.h"
#include "platform/print/Registro.h"
#include "platform/ui/PuertaModal.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"
#include "tablas/TablasVorlan.h"

#include <QComboBox>
#include <QListWidget>
#include <QTest>

#include <cmath>

namespace {

class CamposTest : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    InstalaArchivosPrograma();
    QString carpeta;
    CarpetaLocal(carpeta);
  }
};

QStringList Entradas(const TFormaCampos& picker) {
  QStringList r;
  for (int i = 0; i < picker.Campos->count(); ++i) r << picker.Campos->item(i)->text();
  return r;
}

// The type name the catalogue gives a field the program reads as `tipo`.
QString NombreTipo(db::TipoDato tipo) {
  switch (tipo) {
    case db::TipoDato::Texto: return QStringLiteral("ftString");
    case db::TipoDato::Entero: return QStringLiteral("ftInteger");
    case db::TipoDato::Flotante: return QStringLiteral("ftFloat");
    case db::TipoDato::Moneda: return QStringLiteral("ftCurrency");
    case db::TipoDato::Fecha: return QStringLiteral("ftDate");
    case db::TipoDato::Logico: return QStringLiteral("ftBoolean");
    case db::TipoDato::Memo: return QStringLiteral("ftMemo");
  }
  return QString();
}

}  // namespace

// Each entry's index tag is the field's index in its table, which formats
// read as "[nnn]": the shipped catalogue must list every table's fields in
// the table's order, with their types, and the editor's field lists must
// begin each line with the same tag.
TEST_F(CamposTest, ElCatalogoSigueElOrdenYLosTiposDeCadaTabla) {
  struct Caso {
    const char* tabla;
    db::CarpetaTabla carpeta;
    const char* archivo;
    const char* lista;  // define\<lista>, or null
  };
  const Caso casos[] = {
      {"Clientes", db::CarpetaTabla::Datos, "CLIENTE.DBF", "Clientes.cam"},
      {"Compras", db::CarpetaTabla::Datos, "ComprasE.dbf", "Compras.cam"},
      {"Compras Partidas", db::CarpetaTabla::Programa, "Detacomp.DB", nullptr},
      {"Ctas.Cobrar", db::CarpetaTabla::Datos, "CUCOBRAR.DBF", "CtasXC.cam"},
      {"Ctas. Pagar", db::CarpetaTabla::Datos, "CUEPAGAR.DBF", "CtasXP.cam"},
      {"Facturas", db::CarpetaTabla::Datos, "FacturaE.dbf", "Factu.cam"},
      {"Facturas Partidas", db::CarpetaTabla::Programa, "Deta.db", nullptr},
      {"Inventarios", db::CarpetaTabla::Inventario, "INVENTAR.DBF", "Inventa.cam"},
      {"Mov. Inventario", db::CarpetaTabla::Inventario, "MOVINVEN.DBF", "MovInv.cam"},
      {"Vendedores", db::CarpetaTabla::Datos, "VENDEDOR.DBF", "Vende.cam"},
      {"Proveedores", db::CarpetaTabla::Datos, "PROVEEDO.DBF", "Provee.cam"},
  };
  ASSERT_EQ(TablasCampos().size(), std::size(casos));
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.tabla);
    const db::DefTabla& tabla = CatalogoVorlan().Tabla(c.carpeta, c.archivo);
    const int bloque = PosicionTablaCatalogo(ArchivoTablaCampos(c.tabla).toLower());
    ASSERT_GE(bloque, 0);
    const int listados = std::min<int>(tabla.campos.size(), 49);
    QStringList lista;
    if (c.lista) lista = fs::LeeLineas(QStringLiteral("C:\\VRL\\define\\") + c.lista);
    EXPECT_EQ(lista.size(), c.lista ? listados : 0);
    for (int i = 0; i < 49; ++i) {
      QString nombre, descripcion, tipo;
      const int registro = bloque * 50 + 1 + i;
      DatoCatalogoCampos(registro, 1, nombre);
      DatoCatalogoCampos(registro, 2, descripcion);
      DatoCatalogoCampos(registro, 3, tipo);
      if (i >= listados) {
        EXPECT_EQ(descripcion, "No Disponible") << i;
        continue;
      }
      const db::DefCampo& campo = tabla.campos[i];
      // A name longer than the catalogue holds is left out and named in the description.
      if (campo.nombre.size() > 10) {
        EXPECT_TRUE(nombre.isEmpty());
        EXPECT_TRUE(descripcion.contains(campo.nombre)) << descripcion.toStdString();
      } else {
        EXPECT_EQ(nombre, campo.nombre) << i;
      }
      EXPECT_EQ(tipo, NombreTipo(db::TipoDatoDe(campo, tabla.Paradox()))) << campo.nombre.toStdString();
      EXPECT_FALSE(descripcion.isEmpty());
      if (c.lista) {
        EXPECT_TRUE(lista[i].startsWith(QStringLiteral("[%1]  ").arg(i, 3, 10, QChar(u'0')) + nombre))
            << lista[i].toStdString();
      }
    }
  }
}

TEST_F(CamposTest, LaListaDeCadaTabla) {
  TFormaCampos picker;
  // Before a table is chosen: the first table's name and no entries.
  EXPECT_EQ(picker.Bases->currentText(), "Clientes");
  EXPECT_EQ(picker.Campos->count(), 0);

  struct Caso {
    const char* tabla;
    int entradas;
    const char* primera;
    const char* otra;
  };
  const Caso casos[] = {
      {"Clientes", 49, "CLCLI_C  [000]  Clave del Cliente", "NOMBR_C  [001]  Nombre del Cliente"},
      {"Facturas Partidas", 49, "CANTIDAD  [000]  Cantidad", "  [021]  No Disponible"},
      {"Compras Partidas", 49, "CANTIDAD  [000]  Cantidad", "  [011]  Precio al Cliente (PRECIOCLIENTE)"},
      {"Inventarios", 49, "CLPRO_I  [000]  Clave del Producto", "UBICA_I  [048]  Ubicación"},
      {"Bodegas", 0, nullptr, nullptr},  // not a table of the picker
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.tabla);
    // As the caller sets a table: the text, then the list.
    picker.Bases->setCurrentText(c.tabla);
    picker.BasesChange();
    const QStringList entradas = Entradas(picker);
    ASSERT_EQ(entradas.size(), c.entradas);
    if (!c.primera) continue;
    EXPECT_EQ(entradas.first(), c.primera);
    EXPECT_TRUE(entradas.contains(c.otra)) << c.otra;
  }
}

TEST_F(CamposTest, DobleClicOEscCierranYElEntradaSeLee) {
  TFormaCampos picker;
  ui::PuertaModal::Espera("TFormaCampos", [](QDialog& d) {
    auto& p = static_cast<TFormaCampos&>(d);
    p.Bases->setCurrentText("Vendedores");
    prueba::DobleClic(p.Campos->viewport(), p.Campos->visualItemRect(p.Campos->item(1)).center());
    EXPECT_FALSE(d.isVisible());
  });
  picker.ShowModal();
  EXPECT_EQ(picker.Elegido(), QString("NOMBR_V  [001]  Nombre del Vendedor"));

  TFormaCampos otro;
  ui::PuertaModal::Espera("TFormaCampos", [](QDialog& d) {
    static_cast<TFormaCampos&>(d).Bases->setCurrentText("Vendedores");
    prueba::Tecla(d, "Campos", Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
  });
  otro.ShowModal();
  EXPECT_EQ(otro.Elegido(), std::nullopt);
}

TEST_F(CamposTest, ImprimeLaListaEnUnaPagina) {
  print::FijaImpresorasPrueba({{"laser", "", print::TipoImpresora::Registro, QString(), 600}}, 0);
  print::Impresora::Global().Restablece();
  print::BorraOperacionesGrabadas();
  TFormaCampos picker;
  // The user picks the table already in the box.
  emit picker.Bases->textActivated("Clientes");
  ASSERT_EQ(picker.Campos->count(), 49);
  prueba::Pulsa(picker, "SpeedButton1");

  const double alto = print::Impresora::Global().AltoPagina() / 55.0;
  int textos = 0;
  for (const print::Operacion& o : print::OperacionesGrabadas()) {
    EXPECT_NE(o.tipo, print::Operacion::Tipo::Pagina);
    if (o.tipo != print::Operacion::Tipo::Texto) continue;
    EXPECT_EQ(o.texto, picker.Campos->item(textos)->text());
    EXPECT_EQ(o.punto, QPoint(10, static_cast<int>(std::lround(alto * textos))));
    EXPECT_EQ(o.fuente.nombre, "Arial");
    EXPECT_EQ(o.fuente.tamano, 11);
    ++textos;
  }
  EXPECT_EQ(textos, 49);
  EXPECT_EQ(print::OperacionesGrabadas().back().tipo, print::Operacion::Tipo::Termina);
  print::RefrescaImpresoras();
  print::Impresora::Global().Restablece();
}

TEST_F(CamposTest, AgregarSinImpresoraElegidaNoHaceNada) {
  TFormaImpresoras picker;
  picker.ListBox1->addItems({"laser", "tickets"});
  ui::PuertaModal::Espera("TFormaImpresoras", [](QDialog& d) {
    prueba::Pulsa(d, "BitBtn1");
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(ui::Tag(&d), 0);
    static_cast<TFormaImpresoras&>(d).ListBox1->setCurrentRow(1);
    prueba::Pulsa(d, "BitBtn1");
    EXPECT_FALSE(d.isVisible());
  });
  picker.ShowModal();
  EXPECT_EQ(picker.Tag(), 1);
  EXPECT_EQ(picker.ListBox1->currentItem()->text(), "tickets");
}
