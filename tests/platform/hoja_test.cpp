#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/hoja/Hoja.h"
#include "support/ErrorPrueba.h"
#include "support/LibroPrueba.h"
#include "support/RaizPrueba.h"

#include <QDir>

using HojaTest = RaizPrueba;
using hoja::Tipo;

TEST_F(HojaTest, NombreDeLaExportacion) {
  struct Caso {
    const char* tecleado;
    bool agrega;
    const char* nombre;
  };
  for (const Caso& c : {
           Caso{"C:\\VRL\\ventas", true, "C:\\VRL\\ventas.xlsx"},
           Caso{"C:\\VRL\\ventas.xls", false, "C:\\VRL\\ventas.xlsx"},
           Caso{"C:\\VRL\\VENTAS.XLS", false, "C:\\VRL\\VENTAS.XLSX"},
           Caso{"C:\\VRL\\ventas.xlsx", true, "C:\\VRL\\ventas.xlsx"},
           Caso{"C:\\VRL\\Ventas.XlsX", true, "C:\\VRL\\Ventas.XlsX"},
           Caso{"C:\\VRL\\ventas.dat", false, "C:\\VRL\\ventas.dat"},
           Caso{"C:\\VRL\\ab", false, "C:\\VRL\\ab"},
       }) {
    const QString nombre = hoja::NombreHoja(c.tecleado, c.agrega);
    EXPECT_EQ(nombre, c.nombre) << c.tecleado;
    EXPECT_EQ(hoja::EsLibro(nombre), nombre.endsWith("xlsx", Qt::CaseInsensitive)) << c.tecleado;
  }
}

TEST_F(HojaTest, LibroConTextosYNumerosComoSeMostraban) {
  struct Caso {
    const char* texto;
    Tipo tipo;
    const char* leido;
  };
  const Caso casos[] = {
      {"0012", Tipo::Texto, "0012"},
      {"JOSÉ PÉREZ ÑANDÚ    ", Tipo::Texto, "JOSÉ PÉREZ ÑANDÚ"},
      {"  sangría", Tipo::Texto, "  sangría"},
      {"1234.5", Tipo::Texto, "1234.5"},
      {"$      1,234.50", Tipo::Numero, "=1234.5 [$#,##0.00;$-#,##0.00]"},
      {"$        -5.00", Tipo::Numero, "=-5 [$0.00;$-0.00]"},
      {"1234.5   ", Tipo::Numero, "=1234.5 [0.0]"},
      {"-20", Tipo::Numero, "=-20 [0]"},
      {"   1,234,567", Tipo::Numero, "=1234567 [#,##0]"},
      {".25", Tipo::Numero, "=0.25 [0.00]"},
      {"0012", Tipo::Numero, "=12 [0]"},
      {"abc", Tipo::Numero, "abc"},
      {"1,23", Tipo::Numero, "1,23"},
      {"12.3.4", Tipo::Numero, "12.3.4"},
      {"1e5", Tipo::Numero, "1e5"},
      {"$", Tipo::Numero, "$"},
  };
  const QString nombre = QStringLiteral("C:\\VRL\\libro.xlsx");
  hoja::Hoja salida(nombre);
  ASSERT_TRUE(salida.EsLibro());
  // A row of every case; then an empty cell between two, an empty row and a
  // last row.
  for (const Caso& c : casos) salida.Agrega({{"caso"}, {c.texto, c.tipo}}, true);
  salida.Agrega({{"a"}, {"   "}, {"", Tipo::Numero}, {"b"}});
  salida.Agrega({});
  salida.Agrega({{"fin"}});
  salida.Cierra();

  const LibroLeido libro = LeeLibro(nombre);
  ASSERT_TRUE(libro.error.isEmpty()) << libro.error.toStdString();
  EXPECT_EQ(libro.hoja, "Hoja1");
  ASSERT_EQ(libro.filas.size(), std::size(casos) + 3);
  for (size_t i = 0; i < std::size(casos); ++i)
    EXPECT_EQ(libro.filas[i], (QStringList{"caso", QString::fromUtf8(casos[i].leido)})) << casos[i].texto;
  EXPECT_EQ(libro.filas[std::size(casos)], (QStringList{"a", "", "", "b"}));
  EXPECT_EQ(libro.filas[std::size(casos) + 1], QStringList());
  EXPECT_EQ(libro.filas[std::size(casos) + 2], QStringList{"fin"});
}

TEST_F(HojaTest, TextoSeparadoPorTabuladores) {
  const QString nombre = QStringLiteral("C:\\VRL\\ventas.dat");
  hoja::Hoja salida(nombre);
  EXPECT_FALSE(salida.EsLibro());
  salida.Agrega({{"Clave "}, {"Año"}}, true);
  salida.Agrega({{"0012"}, {"$  1,234.50", Tipo::Numero}, {""}});
  salida.Cierra();
  EXPECT_EQ(fs::LeeBytes(nombre), QByteArray("Clave \tA\xF1o\t\r\n0012\t$  1,234.50\t\r\n"));
}

TEST_F(HojaTest, UnaExportacionQueNoTerminaDejaElArchivoAnterior) {
  for (const QString& nombre : {QStringLiteral("C:\\VRL\\viejo.xlsx"), QStringLiteral("C:\\VRL\\viejo.txt")}) {
    EscribeBytes(nombre, "anterior");
    {
      hoja::Hoja salida(nombre);
      salida.Agrega({{"nuevo"}});
    }
    EXPECT_EQ(fs::LeeBytes(nombre), QByteArray("anterior")) << nombre.toStdString();
    // Nor a temporary file beside it.
    EXPECT_EQ(QDir(fs::Local("C:\\VRL")).entryList({".*"}, QDir::Files | QDir::Hidden), QStringList());
  }
  for (const QString& nombre : {QStringLiteral("C:\\NOHAY\\libro.xlsx"), QStringLiteral("C:\\NOHAY\\libro.txt")}) {
    const auto [clase, mensaje] = ErrorDe([&] { hoja::Hoja salida(nombre); });
    EXPECT_TRUE(mensaje.contains(nombre)) << mensaje.toStdString();
  }
}
