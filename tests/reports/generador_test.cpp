#include "platform/Error.h"
#include "reports/GeneradorReporte.h"
#include "reports/Progreso.h"
#include "reports/ProtocoloReporte.h"
#include "reports/generador_prueba.h"
#include "support/ErrorPrueba.h"
#include "support/Maneja.h"

#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

namespace {

const std::vector<Venta> kVentas = {
    {1, QDate(2024, 3, 15), "JUAN", 200, 5, "", "M.N."},
    {2, QDate(2024, 3, 2), "ANA", 100.5, 10, "C", "DLLS"},
    {3, QDate(2024, 4, 1), "JUAN", 50.25, 0, "", "M.N."},
};

const QStringList kCierre = {"*", "", "0", "0", "0", "0", "0", "0", "0", "0"};

using GeneradorTest = GeneradorPrueba;

}  // namespace

TEST_F(GeneradorTest, RenglonesSegunElModo) {
  struct Caso {
    const char* nombre;
    std::array<QString, 8> columnas;
    QString modo;
    std::vector<QStringList> renglones;
  };
  const Caso casos[] = {
      {"detalle en el orden del índice",
       {"CLDOC_F", "FEDOC_F", "NOMBR_F", "IMTOD_F"},
       "D",
       {{"", "", "e", "d", "c", "f", "x", "x", "x", "x"},
        {"ANA", "ANA", "2", "02/03/2024", "ANA", "100.5", "0", "0", "0", "0"},
        {"JUAN", "JUAN", "1", "15/03/2024", "JUAN", "200", "0", "0", "0", "0"},
        {"JUAN", "JUAN", "3", "01/04/2024", "JUAN", "50.25", "0", "0", "0", "0"},
        kCierre}},
      {"detalle por llave",
       {"CLDOC_F"},
       "DC",
       {{"", "", "e", "x", "x", "x", "x", "x", "x", "x"},
        kCierre,
        {"ANA", "ANA", "2", "0", "0", "0", "0", "0", "0", "0"},
        {"JUAN", "JUAN", "1", "0", "0", "0", "0", "0", "0", "0"},
        {"JUAN", "JUAN", "3", "0", "0", "0", "0", "0", "0", "0"},
        kCierre, kCierre, kCierre}},
      // "f" and "e" columns are summed; the others keep the first row's
      // value as a number.
      {"concentrado por llave",
       {"IMTOD_F", "CLDOC_F", "FEDOC_F", "&IMTOD_F&*&2&", "NOMBR_F"},
       "C",
       {{"", "", "0", "0", "0", "0", "0", "0", "0", "0"},
        kCierre,
        {"ANA", "ANA", "100.5", "2", "0", "201", "0", "0", "0", "0"},
        {"JUAN", "JUAN", "250.25", "4", "0", "500.5", "0", "0", "0", "0"}}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    EscribeVentas(kVentas);
    Genera("NOMBR_F", "NOMBR_F", c.columnas, c.modo);
    std::vector<QStringList> renglones;
    for (const TRenglonReporte& r : Renglones()) renglones.push_back(Textos(r));
    EXPECT_EQ(renglones, c.renglones);
    EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
  }
}

TEST_F(GeneradorTest, RenglonDeCuatrocientosDiezBytes) {
  EscribeVentas({{7, QDate(2024, 3, 15), "JUAN", 200, 5, "", "M.N."}});
  Genera("NOMBR_F", "CLDOC_F", {"&%IMTOD_F&*&%CTOVE_F&*&0.01&", "", "", "", "", "", "", "MONED_F"}, "D");
  const QByteArray bytes = fs::LeeBytes(ArchivoTrabajoReporte(kArchivoFinal));
  ASSERT_EQ(bytes.size(), 3 * 410);
  const QByteArray renglon = bytes.mid(410, 410);
  EXPECT_EQ(renglon.mid(0, 5), QByteArray("\x04JUAN"));
  EXPECT_EQ(renglon.mid(101, 2), QByteArray("\x01" "7"));
  EXPECT_EQ(renglon.mid(202, 16), QByteArray("\x0F        10.0000"));  // 15 wide, 4 decimals
  EXPECT_EQ(renglon.mid(228, 2), QByteArray("\x01" "0"));
  EXPECT_EQ(renglon.mid(202 + 26 * 7, 5), QByteArray("\x04M.N."));
  EXPECT_EQ(bytes.mid(202, 2), QByteArray("\x01" "f"));  // the arithmetic column's letter
  EXPECT_EQ(bytes.mid(820, 2), QByteArray("\x01*"));
}

TEST_F(GeneradorTest, FiltrosDeLaCorrida) {
  struct Caso {
    const char* nombre;
    QString llave = "NOMBR_F";
    QString desde{}, hasta{};
    QString campoFecha = "f", fechaDesde = "f", fechaHasta = "f";
    QString campo4{}, codigo4 = "X", valor4{};
    CondicionReporte condicion{};
    QString conector = "Y";
    QStringList llaves{};
  };
  const Caso casos[] = {
      {.nombre = "sin llave", .llave = "", .llaves = {"", "N.A.", "N.A.", "N.A.", "*"}},
      {.nombre = "prefijo de la llave", .llave = "%2NOMBR_F", .llaves = {"", "AN", "JU", "JU", "*"}},
      {.nombre = "prefijo de un campo que no existe", .llave = "%2NOHAY", .llaves = {"", "N.A.", "N.A.", "N.A.", "*"}},
      {.nombre = "rango de llaves", .desde = "A", .hasta = "B", .llaves = {"", "ANA", "*"}},
      {.nombre = "rango al revés: todos", .desde = "B", .hasta = "A", .llaves = {"", "ANA", "JUAN", "JUAN", "*"}},
      {.nombre = "rango sin fin: todos", .desde = "A", .llaves = {"", "ANA", "JUAN", "JUAN", "*"}},
      {.nombre = "sin canceladas", .campo4 = "STATU_F", .codigo4 = "!", .valor4 = "C", .llaves = {"", "JUAN", "JUAN", "*"}},
      {.nombre = "fechas",
       .campoFecha = "FEDOC_F",
       .fechaDesde = "01/03/2024",
       .fechaHasta = "15/03/2024",
       .llaves = {"", "ANA", "JUAN", "*"}},
      {.nombre = "fechas sin campo", .fechaDesde = "01/03/2024", .fechaHasta = "02/03/2024", .llaves = {"", "ANA", "JUAN", "JUAN", "*"}},
      {.nombre = "condición del diálogo",
       .condicion = {"NOMBR_F", "I", "JU", "ftString"},
       .llaves = {"", "JUAN", "JUAN", "*"}},
      {.nombre = "condición numérica",
       .condicion = {"IMTOD_F", "Z", "100.5", "ftFloat"},
       .llaves = {"", "ANA", "JUAN", "*"}},
      {.nombre = "condición de fecha",
       .condicion = {"FEDOC_F", "<", "15/03/2024", "ftDate"},
       .llaves = {"", "ANA", "*"}},
      // A name that holds the letter X is still tested.
      {.nombre = "valor X", .condicion = {"STATU_F", "=", "C", "ftString"}, .llaves = {"", "ANA", "*"}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    db::Tabla& ventas = EscribeVentas(kVentas);
    FijaCondicionesReporte(c.condicion.campo, c.condicion.codigo, c.condicion.valor, c.condicion.tipo, "", "X", "",
                           "", "", "X", "", "", c.conector);
    EsperaProgreso();
    GeneraReporte(ventas, c.desde, c.hasta, c.campoFecha, c.fechaDesde, c.fechaHasta, c.llave, "", {"IMTOD_F"},
                  c.campo4, c.codigo4, c.valor4, "D");
    EXPECT_EQ(Llaves(), c.llaves);
    EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
    // The range is gone and the conditions are the dialog's until titles
    // are written.
    EXPECT_EQ(ventas.RecordCount(), 3);
    EscribeTitulosReporte("", "", {});
  }
}

TEST_F(GeneradorTest, LlavesIgualesSiguenElTextoDeSuNumero) {
  std::vector<Venta> ventas;
  for (int i = 1; i <= 11; ++i) ventas.push_back({i, QDate(2024, 3, 1), i % 2 ? "eva" : "Eva"});
  ventas.push_back({12, QDate(2024, 3, 1), "Ñandú"});
  ventas.push_back({13, QDate(2024, 3, 1), "Nube"});
  ventas.push_back({14, QDate(2024, 3, 1), "oso"});
  EscribeVentas(ventas).SetIndexName("");
  Genera("NOMBR_F", "CLDOC_F", {}, "DC");
  QStringList textos;
  for (const TRenglonReporte& r : Renglones()) textos << r.Texto;
  // Without regard to case; "Ñ" after "N".
  EXPECT_EQ(textos, (QStringList{"", "", "1", "10", "11", "2", "3", "4", "5", "6", "7", "8", "9", "13", "12", "14", "",
                                 "", ""}));
}

TEST_F(GeneradorTest, CondicionesDelDialogoPorTipo) {
  struct Caso {
    const char* valor;
    char codigo;
    const char* condicion;
    db::TipoDato tipo;
    bool cumple;
  };
  const Caso casos[] = {
      {"AB", 'U', "?B", db::TipoDato::Texto, true},
      {"BA", 'U', "?B", db::TipoDato::Texto, false},
      {"XXAB", 'U', "??AB", db::TipoDato::Texto, true},
      {"JUAN PEREZ", 'U', "PER", db::TipoDato::Texto, true},
      {"JUAN", 'U', "", db::TipoDato::Texto, false},
      {"JUAN", 'I', "JU", db::TipoDato::Texto, true},
      {"JUAN", 'T', "AN", db::TipoDato::Texto, true},
      {"JUAN", 'T', "", db::TipoDato::Texto, false},
      {"juan", '=', "JUAN", db::TipoDato::Texto, false},
      {"ANA", '<', "JUAN", db::TipoDato::Texto, true},
      {"ANA", 'X', "JUAN", db::TipoDato::Texto, true},
      {"JUAN", 'Y', "JUAN", db::TipoDato::Texto, true},
      {"ANA", 'Z', "JUAN", db::TipoDato::Texto, false},
      {"X", '=', "JUAN", db::TipoDato::Texto, false},
      {"", '<', "02/01/1980", db::TipoDato::Fecha, true},
      {"15/03/2024", '>', "02/03/2024", db::TipoDato::Fecha, true},
      {"15/03/2024", 'I', "15/", db::TipoDato::Fecha, true},
      {"9", '<', "10", db::TipoDato::Flotante, true},
      {"0", '=', "", db::TipoDato::Entero, true},
      {"abc", '=', "0", db::TipoDato::Flotante, true},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.valor) + " " + c.codigo + " " + c.condicion);
    EXPECT_EQ(CumpleCondicionReporte(c.valor, QChar(c.codigo), c.condicion, c.tipo), c.cumple);
  }
  EXPECT_EQ(ErrorDe([] { CumpleCondicionReporte("01/01/2024", '=', "ayer", db::TipoDato::Fecha); }).first,
            plat::Clase::Conversion);
  EXPECT_EQ(ErrorDe([] { CumpleCondicionReporte("5", '=', "cinco", db::TipoDato::Entero); }).first,
            plat::Clase::Conversion);

  EXPECT_TRUE(CumpleCondicionLlave("A", "!", "C"));
  EXPECT_FALSE(CumpleCondicionLlave("C", "!", "C"));
  EXPECT_TRUE(CumpleCondicionLlave("C", "X", "A"));
  EXPECT_FALSE(CumpleCondicionLlave("C", "?", "C"));
  EXPECT_TRUE(FechaEnRango("15/03/2024", "01/03/2024", "15/03/2024"));
  EXPECT_FALSE(FechaEnRango("", "01/03/2024", "15/03/2024"));
  EXPECT_FALSE(FechaEnRango("15/03/2024", "f", "15/03/2024"));
}

TEST_F(GeneradorTest, TitulosYAnchos) {
  EscribeVentas(kVentas);
  FijaCondicionesReporte("NOMBR_F", "I", "JU", "ftString", "", "X", "", "", "IMTOD_F", "Z", "100", "ftFloat", "Y");
  Genera("NOMBR_F", "NOMBR_F", {"IMTOD_F", "&IMTOD_F&*&2&", "FEDOC_F"}, "DC");
  EscribeTitulosReporte("Cliente", "-Nombre", {"Importe", "%Doble", "Fecha", "", "", "", "", "Moneda larga de más de 25 letras"});
  EscribeAnchosReporte({10, 30, 14, 14, 10, 0, 0, 0, 0, 8});

  const QByteArray etiquetas = fs::LeeBytes(ArchivoTrabajoReporte(kArchivoEtiquetas));
  ASSERT_EQ(etiquetas.size(), 3 * 260);
  const auto ranura = [&](int registro, int i) { return fs::LeeCadenaCorta(etiquetas, 260 * registro + 26 * i, 26); };
  QStringList titulos, tipos, condiciones;
  for (int i = 0; i < 10; ++i) {
    titulos << ranura(0, i);
    tipos << ranura(1, i);
    condiciones << ranura(2, i);
  }
  EXPECT_EQ(titulos, (QStringList{"Cliente", "-Nombre", "Importe", "%Doble", "Fecha", "", "", "", "",
                                  "Moneda larga de más de 25"}));
  EXPECT_EQ(tipos, (QStringList{"DC", "-Nombre", "f", "f", "d", "x", "x", "x", "x", "x"}));
  EXPECT_EQ(condiciones, (QStringList{"NOMBR_F", "-Nombre", "", "IMTOD_F", "I", "", "Z", "JU", "", "100"}));
  EXPECT_EQ(static_cast<unsigned char>(etiquetas[26 * 9]), 25);

  EXPECT_EQ(fs::LeeBytes(ArchivoTrabajoReporte(kArchivoAnchos)),
            QByteArray("\x0A\x00\x1E\x00\x0E\x00\x0E\x00\x0A\x00\x00\x00\x00\x00\x00\x00\x00\x00\x08\x00", 20));
  // Writing the titles clears the dialog's conditions.
  for (const CondicionReporte& c : CondicionesDialogoReporte().condiciones) {
    EXPECT_TRUE(c.campo.isEmpty());
    EXPECT_EQ(c.codigo, "X");
  }
}

TEST_F(GeneradorTest, TotalesPorMesYPorAno) {
  EscribeVentas({
      {1, QDate(2024, 3, 15), "A", 100.25},
      {2, QDate(2024, 3, 2), "B", 50},
      {3, QDate(2023, 12, 24), "C", 7},
      {4, QDate(), "D", 3},
  });
  Genera("FEDOC_F", "", {"IMTOD_F", "CLDOC_F"}, "C");
  ConcentraPorMes();
  const std::vector<TRenglonReporte> meses = Renglones();
  ASSERT_EQ(meses.size(), 12u);
  EXPECT_EQ(meses[2].Llave, "Marzo");
  EXPECT_EQ(meses[2].Columnas[0], "150.25");
  EXPECT_EQ(meses[2].Columnas[1], "3");
  EXPECT_EQ(meses[11].Llave, "Diciembre");
  EXPECT_EQ(meses[11].Columnas[0], "7");
  EXPECT_EQ(meses[6].Llave, "julio");
  EXPECT_EQ(meses[0].Columnas[0], "0");

  Genera("FEDOC_F", "", {"IMTOD_F", "CLDOC_F"}, "C");
  ConcentraPorAno();
  QStringList anos;
  for (const TRenglonReporte& r : Renglones()) anos << Textos(r).mid(0, 4).join(u'|');
  EXPECT_EQ(anos, (QStringList{"||0|0", "2023||7|3", "2024||150.25|3", "N.A.||3|4"}));
}

TEST_F(GeneradorTest, UnErrorNoDejaResultado) {
  EscribeVentas(kVentas);
  Genera("NOMBR_F", "", {"IMTOD_F"}, "D");
  EscribeTitulosReporte("", "", {});
  EscribeAnchosReporte({});
  ASSERT_TRUE(Existe(kArchivoFinal));

  struct Caso {
    const char* nombre;
    QString llave;
    std::array<QString, 8> columnas;
    QString fechaDesde;
    QString mensaje;
  };
  const Caso casos[] = {
      {"columna de un campo que no existe", "NOMBR_F", {"IMTOD_F", "NOHAY_F"}, "01/01/2024",
       "Campo NOHAY_F no encontrado en ventas.dbf"},
      {"prefijo en una columna", "NOMBR_F", {"%2NOMBR_F"}, "01/01/2024", "Campo %2NOMBR_F no encontrado en ventas.dbf"},
      {"número que no convierte", "NOMBR_F", {"&NOMBR_F&*&2&"}, "01/01/2024", ""},
      {"fecha que no convierte", "NOMBR_F", {"IMTOD_F"}, "ayer", "'ayer' no es una fecha válida"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    ui::PuertaModal::LimpiaMensajes();
    bool cerrada = false;
    EsperaProgreso(&cerrada);
    GeneraReporte(*ventas_, "", "", "FEDOC_F", c.fechaDesde, "31/12/2024", c.llave, "", c.columnas, "", "X", "", "D");
    ASSERT_EQ(Mensajes().size(), 1);
    if (!c.mensaje.isEmpty()) {
      EXPECT_EQ(Mensajes()[0], c.mensaje);
    }
    EXPECT_TRUE(cerrada);
    for (const QString& archivo : {kArchivoFinal, kArchivoEtiquetas, kArchivoAnchos}) EXPECT_FALSE(Existe(archivo));
  }

  // No work folder.
  fs::BorraArchivo(ArchivoTrabajoReporte(QStringLiteral("concen.tmp")));
  SueltaArchivosReporte();
  QDir(fs::Local(CarpetaTrabajoReporte())).removeRecursively();
  ui::PuertaModal::LimpiaMensajes();
  GeneraReporte(*ventas_, "", "", "f", "f", "f", "NOMBR_F", "", {}, "", "X", "", "D");
  EXPECT_EQ(Mensajes(), QStringList{"No existe la carpeta de trabajo C:\\VRL\\tempo"});
}

TEST_F(GeneradorTest, VentanaDeProgreso) {
  TFormaProgreso progreso;
  EXPECT_EQ(progreso.windowTitle(), "Generando Reporte...");
  EXPECT_EQ(FormaProgreso(), &progreso);

  // Another module's loop: shown modeless, stopped by "Terminar".
  progreso.Show();
  progreso.FijaAvance(40);
  EXPECT_EQ(progreso.BarraProgreso->value(), 40);
  prueba::Pulsa(progreso, "BitBtn1");
  EXPECT_EQ(progreso.Tag(), 2000);
  EXPECT_FALSE(progreso.isVisible());
  EXPECT_EQ(progreso.BarraProgreso->value(), 0);

  // "Terminar" before the report has begun: no result, not the last one.
  EscribeVentas(kVentas);
  Genera("NOMBR_F", "", {"IMTOD_F"}, "D");
  ASSERT_TRUE(Existe(kArchivoFinal));
  ui::PuertaModal::Espera("TFormaProgreso", [](QDialog& d) { prueba::Pulsa(d, "BitBtn1"); });
  GeneraReporte(*ventas_, "", "", "f", "f", "f", "NOMBR_F", "", {"IMTOD_F"}, "", "X", "", "D");
  EXPECT_FALSE(Existe(kArchivoFinal));
  EXPECT_FALSE(progreso.Timer1->isActive());

  // While the engine runs, the gauge ends full and the window closes itself.
  progreso.SetTag(0);
  Genera("NOMBR_F", "", {"IMTOD_F"}, "C");
  EXPECT_EQ(progreso.Mensaje->text(), "Concentrando Datos");
  EXPECT_FALSE(progreso.isVisible());
  EXPECT_EQ(Llaves(), (QStringList{"", "*", "ANA", "JUAN"}));
}

TEST_F(GeneradorTest, ConversionDeMoneda) {
  EscribeMonedas({{"M.N.", "1"}, {"DLLS", "17.5"}});
  EXPECT_EQ(TasaMoneda("DLLS"), Dinero::DeTexto("17.5"));
  EXPECT_EQ(TasaMoneda("EUR"), Dinero());
  EXPECT_EQ(ConvierteImporteMoneda("10", "*", "17.5"), Dinero::DeTexto("175"));
  EXPECT_EQ(ConvierteImporteMoneda("10", "/", "3"), Dinero::DeTexto("3.3333"));
  EXPECT_EQ(ConvierteImporteMoneda("", "+", "2"), Dinero(2));
  EXPECT_EQ(ConvierteImporteMoneda("10", "?", "2"), Dinero(1));
  EXPECT_EQ(ErrorDe([] { ConvierteImporteMoneda("10", "/", "0"); }).first, plat::Clase::Conversion);

  EscribeVentas(kVentas);
  FijaConversionMonedaReporte({{{"*", "MONED_F"}}});
  Genera("NOMBR_F", "", {"IMTOD_F", "CTOVE_F"}, "D");
  FijaConversionMonedaReporte({});
  QStringList importes;
  for (const TRenglonReporte& r : Renglones()) importes << r.Columnas[0] + u'|' + r.Columnas[1];
  EXPECT_EQ(importes, (QStringList{"f|f", "1758.75|10", "200|5", "50.25|0", "0|0"}));
}
