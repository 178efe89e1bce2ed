#include "empresa_prueba.h"

#include "foundation/BusNoInd.h"
#include "foundation/rutinas_catalogo.h"
#include "platform/Error.h"
#include "platform/ui/PuertaModal.h"
#include "support/Maneja.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <functional>
#include <map>

namespace {

const QString kCatalogo = QStringLiteral("C:\\VRL\\confcamp.cmp");

// One 83-byte record written from the file's layout: six strings, each a
// length byte and its characters. Bytes a string does not use hold garbage,
// since readers must ignore them.
QByteArray Registro(const std::map<int, QByteArray>& textos) {
  static constexpr int posicion[] = {0, 5, 16, 52, 63, 67};
  QByteArray r(83, '\xCC');
  for (int i = 0; i < 6; ++i) r[posicion[i]] = 0;
  for (const auto& [i, texto] : textos) {
    r[posicion[i]] = static_cast<char>(texto.size());
    r.replace(posicion[i] + 1, texto.size(), texto);
  }
  return r;
}

// A catalogue of three tables: 3 blocks of 50 records, the directory in
// records 150-152, the count in record 153.
QByteArray TresTablas() {
  std::map<int, std::map<int, QByteArray>> campos = {
      {1, {{1, "CLCLI_C"}, {2, "Clave del Cliente"}}},
      {51, {{1, "CLPRO_P"}, {2, "Clave del Proveedor"}, {3, "ftString"}, {4, "xyz"}, {5, "no se lee"}}},
      {52, {{1, "NOMBR_P"}, {2, ""}}},
      {53, {{1, "TELEF_P"}, {2, "No Disponible"}}},
      {54, {{1, "CIUDA_P"}, {2, "Ciudad de Le\xF3n"}}},
      {101, {{1, "CLDOC_OD"}, {2, "N\xFAmero de Documento"}}},
      {150, {{2, "CLIENTE.DBF"}}},
      {151, {{2, "proveedo.dbf"}}},
      {152, {{2, "ComprasD.dbf"}}},
      {153, {{0, "3"}}},
  };
  QByteArray bytes;
  for (int n = 0; n < 154; ++n) bytes += Registro(campos.count(n) ? campos[n] : std::map<int, QByteArray>{});
  return bytes;
}

class CatalogoTest : public EmpresaPrueba {
 protected:
  void SetUp() override {
    EmpresaPrueba::SetUp();
    EscribeBytes(kCatalogo, TresTablas());
  }
  void TearDown() override {
    delete FormaBusquedaNoIndexada();
    EmpresaPrueba::TearDown();
  }
};

// What the dialog showed, and what the caller reads afterwards.
struct Busqueda {
  QStringList descripciones, nombres;
  QString elegidoAlMostrar;
  int tag = -1;
  QString campo, valor;
  bool desdeInicio = false;
};

// Runs BuscaSinIndice with a user who does `accion` in the dialog.
Busqueda Busca(const QString& tabla, const std::function<void(QDialog&)>& accion) {
  Busqueda b;
  ui::PuertaModal::Espera("TFormaBusquedaNoIndexada", [&](QDialog& d) {
    auto& f = static_cast<TFormaBusquedaNoIndexada&>(d);
    EXPECT_EQ(f.windowTitle(), "Busqueda No Indexada");
    for (int i = 0; i < f.Campo1->count(); ++i) b.descripciones << f.Campo1->itemText(i);
    for (int i = 0; i < f.Campo2->count(); ++i) b.nombres << f.Campo2->itemText(i);
    EXPECT_FALSE(f.Campo2->isVisible());
    b.elegidoAlMostrar = f.Campo1->currentText() + u'|' + f.Campo2->currentText();
    accion(d);
  });
  BuscaSinIndice(tabla);
  TFormaBusquedaNoIndexada* f = FormaBusquedaNoIndexada();
  b.tag = f->Tag();
  b.campo = f->Campo2->currentText();
  b.valor = f->Valor->text();
  b.desdeInicio = f->InicioOpcion->isChecked();
  return b;
}

}  // namespace

TEST_F(CatalogoTest, PosicionDeCadaTabla) {
  struct Caso { QString nombre; int bloque; };
  const Caso casos[] = {
      {"proveedo.dbf", 1},  // named in record 151
      {"PROVEEDO.DBF", 1},
      {"cliente.dbf", 0},
      {"COMPRASD.DBF", 2},
      {"ORDENDET.DBF", 2},  // purchase orders share the receipts' fields
      {"ordencom.dbf", -1},
      {"C:\\VRL\\DATOS\\cliente.dbf", -1},
  };
  for (const Caso& c : casos) EXPECT_EQ(PosicionTablaCatalogo(c.nombre), c.bloque) << c.nombre.toStdString();
}

TEST_F(CatalogoTest, TextosDeUnRegistro) {
  struct Caso { int registro, texto; QString esperado; };
  const Caso casos[] = {
      {153, 0, "3"},
      {51, 1, "CLPRO_P"},
      {51, 2, "Clave del Proveedor"},
      {51, 3, "ftString"},
      {51, 4, "xyz"},
      {51, 5, "no se lee"},
      {52, 2, "NOMBR_P"},   // no description: the field name
      {54, 2, "Ciudad de León"},
      {151, 2, "proveedo.dbf"},
      {60, 2, ""},
      {154, 1, "sin tocar"},  // beyond the end
      {-1, 1, "sin tocar"},
      {51, 6, "sin tocar"},
  };
  for (const Caso& c : casos) {
    QString salida = "sin tocar";
    DatoCatalogoCampos(c.registro, c.texto, salida);
    EXPECT_EQ(salida, c.esperado) << c.registro << "/" << c.texto;
  }

  // A length byte larger than its field reads the whole field.
  QByteArray bytes = TresTablas();
  bytes[51 * 83 + 5] = '\xFF';
  bytes.replace(51 * 83 + 6, 10, "ABCDEFGHIJ");
  EscribeBytes(kCatalogo, bytes);
  QString salida;
  DatoCatalogoCampos(51, 1, salida);
  EXPECT_EQ(salida, "ABCDEFGHIJ");
}

TEST_F(CatalogoTest, CatalogoFaltanteODanado) {
  struct Caso { const char* nombre; QByteArray bytes; plat::Clase clase; };
  const QByteArray bien = TresTablas();
  const Caso casos[] = {
      {"vacío", QByteArray(), plat::Clase::Corrupto},
      {"cuenta que no es número", bien.left(153 * 83) + Registro({{0, "x3"}}), plat::Clase::Conversion},
      {"directorio antes del inicio", bien.left(153 * 83) + Registro({{0, "200"}}), plat::Clase::Corrupto},
  };
  for (const Caso& c : casos) {
    EscribeBytes(kCatalogo, c.bytes);
    try {
      PosicionTablaCatalogo("proveedo.dbf");
      ADD_FAILURE() << c.nombre;
    } catch (const plat::Error& e) {
      EXPECT_EQ(e.clase(), c.clase) << c.nombre;
    }
  }

  fs::BorraArchivo(kCatalogo);
  QString salida = "sin tocar";
  for (const std::function<void()>& lectura : std::initializer_list<std::function<void()>>{
           [] { PosicionTablaCatalogo("cliente.dbf"); }, [&] { DatoCatalogoCampos(1, 1, salida); },
           [] { BuscaSinIndice("cliente.dbf"); }}) {
    try {
      lectura();
      ADD_FAILURE() << "se leyó un catálogo que no existe";
    } catch (const plat::Error& e) {
      EXPECT_EQ(e.clase(), plat::Clase::NoExiste);
      EXPECT_EQ(e.mensaje(), "El Archivo C:\\VRL\\confcamp.cmp No Existe");
    }
  }
  EXPECT_EQ(salida, "sin tocar");
  EXPECT_TRUE(ui::PuertaModal::SinRespuesta().isEmpty());
}

TEST_F(CatalogoTest, ElDialogoListaDescripcionesYDaElCampo) {
  // The user picks the second entry with the keyboard, types the value and
  // searches from the current position.
  const Busqueda b = Busca("proveedo.dbf", [](QDialog& d) {
    prueba::Tecla(d, "Campo1", Qt::Key_Down);
    prueba::Tecla(d, "Campo1", Qt::Key_Down);
    prueba::Teclea(d, "Valor", "Lopez");
    prueba::Pulsa(d, "Actual");
    prueba::Pulsa(d, "BotonBuscar");
  });
  ASSERT_EQ(b.descripciones.size(), 49);
  ASSERT_EQ(b.nombres.size(), 49);
  EXPECT_EQ(b.descripciones.mid(0, 5),
            QStringList({"Clave del Proveedor", "NOMBR_P", "No Disponible", "Ciudad de León", ""}));
  EXPECT_EQ(b.nombres.mid(0, 5), QStringList({"CLPRO_P", "NOMBR_P", "TELEF_P", "CIUDA_P", ""}));
  EXPECT_EQ(b.elegidoAlMostrar, "|");  // nothing chosen until the user chooses
  EXPECT_EQ(b.tag, 1);
  EXPECT_EQ(b.campo, "NOMBR_P");
  EXPECT_EQ(b.valor, "Lopez");
  EXPECT_FALSE(b.desdeInicio);
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(CatalogoTest, FormasDeContestarElDialogo) {
  using Accion = std::function<void(QDialog&)>;
  struct Caso { const char* nombre; QString tabla; Accion accion; int tag; QString campo; };
  const Caso casos[] = {
      {"Enter en el valor", "ORDENDET.DBF",
       [](QDialog& d) {
         prueba::Tecla(d, "Campo1", Qt::Key_Down);
         prueba::Teclea(d, "Valor", "57");
         prueba::Tecla(d, "Valor", Qt::Key_Return);
       },
       1, "CLDOC_OD"},
      {"Cancelar", "cliente.dbf",
       [](QDialog& d) {
         prueba::Tecla(d, "Campo1", Qt::Key_Down);
         prueba::Pulsa(d, "BotonCancelar");
       },
       0, "CLCLI_C"},
      {"Esc", "cliente.dbf", [](QDialog& d) { prueba::Tecla(d, "Valor", Qt::Key_Escape); }, 0, ""},
      {"tabla sin catálogo", "ordencom.dbf", [](QDialog& d) { prueba::Pulsa(d, "BotonBuscar"); }, 1, ""},
  };
  for (const Caso& c : casos) {
    // The same dialog serves every search: each starts with Tag 0 and no field chosen.
    const Busqueda b = Busca(c.tabla, c.accion);
    EXPECT_EQ(b.elegidoAlMostrar, "|") << c.nombre;
    EXPECT_EQ(b.tag, c.tag) << c.nombre;
    EXPECT_EQ(b.campo, c.campo) << c.nombre;
    EXPECT_TRUE(b.desdeInicio) << c.nombre;
    EXPECT_EQ(b.descripciones.size(), c.tabla == "ordencom.dbf" ? 0 : 49) << c.nombre;
  }
}
