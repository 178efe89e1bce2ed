#include "foundation/rutinas_texto.h"

#include <gtest/gtest.h>

TEST(TextoTest, SubTexto) {
  struct Caso { int inicio, fin; const char* texto; const char* esperado; };
  const Caso casos[] = {
      {2, 4, "abcdef", "bcd"}, {1, 1, "abcdef", "a"}, {5, 20, "abcdef", "ef"}, {7, 9, "abcdef", ""},
      {4, 3, "abcdef", ""},    {0, 3, "abcdef", "abc"}, {-5, 2, "abcdef", "ab"}, {1, 5, "", ""},
  };
  for (const Caso& c : casos) EXPECT_EQ(SubTexto(c.inicio, c.fin, c.texto), c.esperado) << c.inicio << "," << c.fin;
}

TEST(TextoTest, AnchoFijo) {
  struct Caso { int ancho; const char* texto; const char* esperado; };
  for (const Caso& c : {Caso{5, "abc", "abc  "}, Caso{2, "abc", "ab"}, Caso{3, "abc", "abc"}, Caso{3, "", "   "},
                        Caso{0, "abc", ""}, Caso{-1, "abc", ""}}) {
    EXPECT_EQ(AnchoFijo(c.ancho, c.texto), c.esperado) << c.ancho << " " << c.texto;
  }
}

TEST(TextoTest, Mayuscula) {
  const QString entrada = QString::fromUtf8("azAZ_`[1ñé ");
  const QString esperado = QString::fromUtf8("AZAZ_`[1ñé ");
  for (qsizetype i = 0; i < entrada.size(); ++i) EXPECT_EQ(Mayuscula(entrada[i]), esperado[i]) << i;
}

TEST(TextoTest, LimpiaNombreArchivo) {
  EXPECT_EQ(LimpiaNombreArchivo(QString::fromUtf8("A\"B*C+D/E:F<G>H?I\\J|K L.ñ-1")), QString::fromUtf8("ABCDEFGHIJK L.ñ-1"));
  EXPECT_EQ(LimpiaNombreArchivo("**"), "");
}

TEST(TextoTest, TituloYContenido) {
  EXPECT_EQ(TituloReporte("Ventas", QString::fromUtf8("Título")), "Ventas");
  EXPECT_EQ(TituloReporte("Ventas", "Ventas de Enero"), "Ventas de Enero");
  EXPECT_EQ(TituloReporte("Ventas", QString::fromUtf8("Título ")), QString::fromUtf8("Título "));
  EXPECT_EQ(TituloReporte("Ventas", ""), "");

  struct Caso { const char* parte; const char* texto; bool esta; };
  for (const Caso& c : {Caso{"bc", "abcd", true}, Caso{"BC", "abcd", false}, Caso{"", "abcd", false},
                        Caso{"", "", false}, Caso{"abcde", "abcd", false}}) {
    EXPECT_EQ(ContieneTexto(c.parte, c.texto), c.esta) << c.parte << " en " << c.texto;
  }
}

TEST(TextoTest, UneTextos) {
  struct Caso { const char* texto; const char* unido; };
  const Caso casos[] = {
      {"JUAN+ +PEREZ", "JUAN PEREZ"},
      {"a;b+c", "abc"},
      {"ab>ab>cd", "abcd"},  // a piece ended by ">" that is already there is left out
      {"ab+b>c", "abc"},
      {"", ""},
      {"+;>", ""},
      {"sin separador", "sin separador"},
  };
  for (const Caso& c : casos) EXPECT_EQ(UneTextos(c.texto), c.unido) << c.texto;
}

TEST(TextoTest, RutinasFijas) {
  EXPECT_EQ(AjustaClave(" 0012 ", 3), " 0012 ");
  EXPECT_TRUE(ImpresoraLista());
}
