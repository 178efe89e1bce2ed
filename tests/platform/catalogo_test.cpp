#include "platform/Error.h"
#include "platform/db/Catalogo.h"

#include <gtest/gtest.h>

#include <functional>

using namespace db;
using namespace db::campo;

namespace {

DefTabla Clientes() {
  return Duenio("prueba").Esquema("CLIENTE.DBF", CarpetaTabla::Datos, OrigenTabla::Empresa,
                                  {C("CLCLI_C", 10), C("NOMBR_C", 60), N("SALDO_C", 16, 4), D("FULCO_C")},
                                  {Tag("ICLACLI", "CLCLI_C"), Tag("NOMBR_C")});
}

QString Unidas(const QStringList& l) { return l.join(QStringLiteral(" | ")); }

}  // namespace

TEST(Catalogo, UnaTablaSanaNoTieneProblemas) {
  EXPECT_TRUE(Problemas(Clientes()).isEmpty()) << Unidas(Problemas(Clientes())).toStdString();
  const DefTabla captura = Duenio("prueba").Esquema("Deta.db", CarpetaTabla::Programa, OrigenTabla::Programa,
                                                    {Numero("CANTIDAD"), A("DESCRIPCION", 40), Moneda("PRECIO")});
  EXPECT_TRUE(Problemas(captura).isEmpty()) << Unidas(Problemas(captura)).toStdString();
}

TEST(Catalogo, ProblemasDeUnaTabla) {
  struct Caso {
    const char* que;
    std::function<void(DefTabla&)> cambia;
    QString esperado;  // a part of the one message expected
  };
  const QVector<Caso> casos = {
      {"nombre repetido sin importar mayúsculas", [](DefTabla& t) { t.campos << C("nombr_c", 5); },
       "repite el campo nombr_c"},
      {"nombre de más de 10 en dBASE", [](DefTabla& t) { t.campos << N("VALOR_TEORICO", 10, 2); },
       "\"VALOR_TEORICO\" no es válido"},
      {"nombre con acento", [](DefTabla& t) { t.campos << C("AÑO", 4); }, "\"AÑO\" no es válido"},
      {"texto de 300", [](DefTabla& t) { t.campos[1].ancho = 300; }, "NOMBR_C: ancho 300 fuera de 1 a 254"},
      {"número de 21", [](DefTabla& t) { t.campos[2].ancho = 21; }, "SALDO_C: ancho 21 fuera de 1 a 20"},
      {"decimales que no caben", [](DefTabla& t) { t.campos[2] = N("SALDO_C", 5, 4); },
       "4 decimales no caben en un ancho de 5"},
      {"fecha de 10", [](DefTabla& t) { t.campos[3].ancho = 10; }, "FULCO_C: una fecha mide 8"},
      {"tipo desconocido",
       [](DefTabla& t) {
         t.campos << DefCampo{"RARO", QChar('X'), 4, 0};
       },
       "tipo 'X'"},
      {"registro de más de 4000 bytes",
       [](DefTabla& t) {
         for (int i = 0; i < 16; ++i) t.campos << C(QStringLiteral("TEXTO%1").arg(i), 250);
       },
       "(20 campos, 4095 bytes)"},
      {"índice sobre un campo que no existe", [](DefTabla& t) { t.tags << Tag("IRFC", "RFCXX_C"); },
       "usa el campo RFCXX_C, que la tabla no tiene"},
      {"índice de expresión con un campo ajeno",
       [](DefTabla& t) { t.tags << Tag("INOMBRE", "UPPER(NOMBR_C)+DTOS(FEDOC_F)"); }, "usa el campo FEDOC_F"},
      {"índice repetido", [](DefTabla& t) { t.tags << Tag("iclacli", "NOMBR_C"); }, "repite el índice iclacli"},
      {"índice sin campos", [](DefTabla& t) { t.tags << Tag("IVACIO", "'X'"); }, "no usa ningún campo"},
      {"tabla de captura con índice",
       [](DefTabla& t) {
         t.archivo = "Deta.db";
         t.campos = {A("CLAVE", 30)};
         t.tags = {Tag("CLAVE")};
       },
       "es de captura y no lleva índices"},
      {"alfanumérico Paradox de 256",
       [](DefTabla& t) {
         t.archivo = "Deta.db";
         t.campos = {A("CLAVE", 256)};
         t.tags.clear();
       },
       "ancho 256 fuera de 1 a 255"},
      {"número Paradox con ancho",
       [](DefTabla& t) {
         t.archivo = "Deta.db";
         t.campos = {DefCampo{"CANTIDAD", QChar('N'), 8, 0}};
         t.tags.clear();
       },
       "tamaño fijo no lleva ancho"},
  };
  for (const Caso& c : casos) {
    DefTabla t = Clientes();
    c.cambia(t);
    const QStringList p = Problemas(t);
    ASSERT_EQ(p.size(), 1) << c.que << ": " << Unidas(p).toStdString();
    EXPECT_TRUE(p[0].contains(c.esperado)) << c.que << ": " << p[0].toStdString();
  }
}

TEST(Catalogo, CamposDeUnaExpresionDeIndice) {
  struct Caso {
    QString expresion;
    QStringList campos;
  };
  for (const Caso& c :
       {Caso{"CLPRO_I", {"CLPRO_I"}}, Caso{"CLDOC_F+CLPRO_F", {"CLDOC_F", "CLPRO_F"}},
        Caso{"UPPER(NOMBR_C)", {"NOMBR_C"}}, Caso{"DTOS ( FEDOC_F )+STR(CLDOC_F,10)", {"FEDOC_F", "CLDOC_F"}},
        Caso{"'R'+NUDOC_MI", {"NUDOC_MI"}}, Caso{"", {}}})
    EXPECT_EQ(CamposDeExpresion(c.expresion), c.campos) << c.expresion.toStdString();
}

TEST(Catalogo, ComparaUnaTablaConSuRegistro) {
  const DefTabla r = Clientes();
  // What the file declares: CLCLI_C narrower, SALDO_C stored as F, FULCO_C
  // missing, an extra column; tag NOMBR_C on another expression, ICLACLI
  // missing, an extra tag.
  const QVector<DefCampo> campos = {{"clcli_c", QChar('C'), 8, 0},
                                    {"NOMBR_C", QChar('C'), 60, 0},
                                    {"SALDO_C", QChar('F'), 16, 4},
                                    {"PLIS101_I", QChar('N'), 8, 2}};
  const QVector<DefTag> tags = {Tag("nombr_c", "upper(NOMBR_C)"), Tag("OTRO", "NOMBR_C")};
  const QVector<Diferencia> d = ComparaTabla(r, "C:\\DATOS", campos, tags);
  QStringList textos;
  for (const Diferencia& x : d) textos << x.Texto();
  EXPECT_EQ(textos,
            (QStringList{
                "El campo CLCLI_C de la tabla CLIENTE.DBF es C(8) y debe ser C(10)",
                "A la tabla CLIENTE.DBF le falta el campo FULCO_C", "A la tabla CLIENTE.DBF le falta el índice ICLACLI",
                "El índice NOMBR_C de la tabla CLIENTE.DBF es sobre upper(NOMBR_C) y debe ser sobre NOMBR_C"}));
  ASSERT_EQ(d.size(), 4);
  EXPECT_EQ(d[1].tipo, Diferencia::Tipo::FaltaCampo);
  EXPECT_EQ(d[1].nombre, "FULCO_C");
  EXPECT_EQ(d[1].carpeta, "C:\\DATOS");
}

TEST(Catalogo, ComparaTiposYTamanos) {
  struct Caso {
    const char* que;
    DefTabla registrada;
    DefCampo enArchivo;
    QString esperado;  // empty: no difference
  };
  const auto dbf = [](DefCampo c) {
    return Duenio("prueba").Esquema("T.DBF", CarpetaTabla::Datos, OrigenTabla::Empresa, {c});
  };
  const auto px = [](DefCampo c) {
    return Duenio("prueba").Esquema("T.DB", CarpetaTabla::Programa, OrigenTabla::Programa, {c});
  };
  const QVector<Caso> casos = {
      {"N y F son un tipo", dbf(N("X", 10, 2)), {"X", QChar('F'), 10, 2}, ""},
      {"otros decimales", dbf(N("X", 10, 2)), {"X", QChar('N'), 10, 3}, "es N(10,3) y debe ser N(10,2)"},
      {"texto donde va número", dbf(N("X", 10, 2)), {"X", QChar('C'), 10, 0}, "es C(10) y debe ser N(10,2)"},
      {"fecha igual", dbf(D("X")), {"X", QChar('D'), 8, 0}, ""},
      {"lógico donde va fecha", dbf(D("X")), {"X", QChar('L'), 1, 0}, "es L y debe ser D"},
      {"número Paradox sin ancho", px(Numero("X")), {"X", QChar('N'), 0, 0}, ""},
      {"moneda donde va número", px(Numero("X")), {"X", QChar('$'), 0, 0}, "es $ y debe ser N"},
      {"alfa más corto", px(A("X", 30)), {"X", QChar('A'), 20, 0}, "es A(20) y debe ser A(30)"},
  };
  for (const Caso& c : casos) {
    const QVector<Diferencia> d = ComparaTabla(c.registrada, "C:\\D", {c.enArchivo}, {});
    if (c.esperado.isEmpty()) {
      EXPECT_TRUE(d.isEmpty()) << c.que;
    } else {
      ASSERT_EQ(d.size(), 1) << c.que;
      EXPECT_EQ(d[0].tipo, Diferencia::Tipo::CampoDistinto) << c.que;
      EXPECT_EQ(d[0].detalle, c.esperado) << c.que;
    }
  }
}

TEST(Catalogo, RegistraYBusca) {
  Catalogo cat;
  cat.Registra(Clientes());
  DefTabla plantilla = ComoTabla(Clientes(), "Cliente.dbf", CarpetaTabla::Tempo, OrigenTabla::Programa, false);
  EXPECT_TRUE(plantilla.tags.isEmpty());
  EXPECT_EQ(plantilla.campos.size(), Clientes().campos.size());
  cat.Registra(plantilla);

  try {
    cat.Registra(Duenio("otro").Esquema("cliente.dbf", CarpetaTabla::Datos, OrigenTabla::Empresa, {C("X", 1)}));
    FAIL() << "se aceptó una tabla repetida";
  } catch (const plat::Error& e) {
    EXPECT_EQ(e.mensaje(), "La tabla cliente.dbf ya está registrada");
  }

  ASSERT_NE(cat.Busca(CarpetaTabla::Datos, "cliente.DBF"), nullptr);
  EXPECT_EQ(cat.Busca(CarpetaTabla::Tempo, "CLIENTE.DBF")->origen, OrigenTabla::Programa);
  EXPECT_EQ(cat.Busca("CLIENTE.DBF"), nullptr) << "dos carpetas: el nombre solo no basta";
  EXPECT_EQ(cat.Busca(CarpetaTabla::Remisiones, "CLIENTE.DBF"), nullptr);
  EXPECT_EQ(cat.Tablas(OrigenTabla::Empresa).size(), 1);

  DefTabla variante = Clientes();
  variante.variante = "corta";
  variante.campos.resize(1);
  cat.Registra(variante);
  EXPECT_EQ(cat.Busca(CarpetaTabla::Datos, "CLIENTE.DBF", "CORTA")->campos.size(), 1);
  try {
    cat.Tabla(CarpetaTabla::Datos, "NADA.DBF");
    FAIL();
  } catch (const plat::Error& e) {
    EXPECT_EQ(e.clase(), plat::Clase::NoExiste);
    EXPECT_EQ(e.mensaje(), "La tabla NADA.DBF no está registrada");
  }
}

TEST(Catalogo, CarpetasDeCadaPapel) {
  Carpetas c{"C:\\VRL\\DATOS", "", "D:\\REM", "C:\\VRL"};
  EXPECT_EQ(c.De(CarpetaTabla::Datos), "C:\\VRL\\DATOS");
  EXPECT_EQ(c.De(CarpetaTabla::Inventario), "C:\\VRL\\DATOS") << "sin carpeta de inventario va la de datos";
  EXPECT_EQ(c.De(CarpetaTabla::Remisiones), "D:\\REM");
  EXPECT_EQ(c.De(CarpetaTabla::Programa), "C:\\VRL");
  EXPECT_EQ(c.De(CarpetaTabla::Tempo), "C:\\VRL\\tempo");
  c.inventario = "E:\\INV";
  c.remisiones.clear();
  EXPECT_EQ(c.De(CarpetaTabla::Inventario), "E:\\INV");
  EXPECT_EQ(c.De(CarpetaTabla::Remisiones), "C:\\VRL\\DATOS");
}
