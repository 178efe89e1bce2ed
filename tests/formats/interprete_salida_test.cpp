// Where placed texts go: the printer, the preview page file, the side record
// formato.txt, the comment overlay, and texts cut, fitted or justified.

#include "formats/Interprete_estado.h"
#include "formats/formato_prueba.h"

#include <cstring>

namespace {

const QString kFormatoTxt = QStringLiteral("C:\\VRL\\tempo\\formato.txt");
const QString kComentarios = QStringLiteral("C:\\VRL\\tempo\\comentar.tmp");

class SalidaTest : public FormatoPrueba {
 protected:
  // The run state of a print run on "laser" with its job open, for the
  // routines no command of this build reaches yet.
  static EstadoFormato& CorridaAbierta(QChar modo) {
    EstadoFormato& e = EstadoActual();
    e.Modo = modo;
    e.ModoTexto = false;
    e.UnidadVertical = modo == u'p' ? 1 : 120;
    e.UnidadHorizontal = modo == u'p' ? 1 : 63;
    e.LineasPorPagina = 50;
    e.Renglon = 0;
    e.PaginaActual = 1;
    e.Desplazamiento = 0;
    e.UltimaY = 0;
    e.PausaActiva = false;
    e.NombreColor = QStringLiteral("negro");
    CarpetaProgramaFormato = QStringLiteral("C:\\VRL");
    if (modo == u'p') {
      CreaArchivosPrevia();
    } else {
      print::Impresora::Global().Comienza();
    }
    return e;
  }
};

QByteArray Comentario(int columna, int renglon, const QByteArray& texto, int tamano, const QByteArray& fuente) {
  QByteArray r(380, '\0');
  const auto entero = [&](int desde, int valor) {
    for (int i = 0; i < 4; ++i) r[desde + i] = static_cast<char>((static_cast<unsigned>(valor) >> (8 * i)) & 0xFF);
  };
  const auto cadena = [&](int desde, const QByteArray& s) {
    r[desde] = static_cast<char>(s.size());
    std::memcpy(r.data() + desde + 1, s.constData(), static_cast<size_t>(s.size()));
  };
  entero(0, columna);
  entero(4, renglon);
  cadena(8, texto);
  entero(260, tamano);
  cadena(264, fuente);
  return r;
}

}  // namespace

TEST_F(SalidaTest, CadaTextoImpresoDejaSuLineaEnFormatoTxt) {
  Corre({"impresora,laser", "@5,3,Total", "maximo(4)", "texto(1,1,abcdef)"}, u'i');
  EXPECT_EQ(fs::LeeLineas(kFormatoTxt), (QStringList{"1,315,480,9,Arial,,Total", "1,63,240,9,Arial,,abcd",
                                                     "1,63,360,9,Arial,,ef"}));
  // Every run starts without it; a preview run writes none.
  Corre({"@5,3,Total"}, u'p');
  EXPECT_FALSE(fs::ExisteArchivo(kFormatoTxt));
}

TEST_F(SalidaTest, UnTextoLargoOcupaUnRenglonPorTrozo) {
  const QString largo = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY");
  Corre({"impresora,laser", "maximo(10)", "@1,5," + largo, "@1,0,Sigue"}, u'i');
  // Rows 6, 7 and 8, one row below the row asked; the row counter grows by 3.
  EXPECT_EQ(Impresos(), (std::vector<TextoImpreso>{{1, 63, 720, "ABCDEFGHIJ"}, {1, 63, 840, "KLMNOPQRST"},
                                                    {1, 63, 960, "UVWXY"}, {1, 63, 360, "Sigue"}}));
  Corre({"maximo(10)", "@1,5," + largo, "@1,0,Sigue"}, u'p');
  std::vector<std::pair<double, QString>> registros;
  for (const TElementoPagina& e : LeeElementosPagina()) registros.push_back({e.Y, e.Texto});
  EXPECT_EQ(registros, (std::vector<std::pair<double, QString>>{
                           {5, "ABCDEFGHIJ"}, {6, "KLMNOPQRST"}, {7, "UVWXY"}, {3, "Sigue"}}));
}

TEST_F(SalidaTest, RegistrosDeVistaPrevia) {
  Corre({"@c,5,Total:", "texto(10,2,Hola)"}, u'p');
  const std::vector<TElementoPagina> elementos = LeeElementosPagina();
  ASSERT_EQ(elementos.size(), 2u);
  EXPECT_EQ(elementos[0].X, -1000);
  EXPECT_EQ(elementos[0].Y, 5);
  EXPECT_EQ(elementos[0].Texto, "Total:");
  EXPECT_EQ(elementos[0].Tipo, 9);
  EXPECT_EQ(elementos[0].Fuente, "Arial");
  EXPECT_EQ(elementos[0].Color, "negro");
  EXPECT_EQ(elementos[0].NumeroPagina, 1);
  EXPECT_EQ(elementos[1].X, 10);
  EXPECT_EQ(elementos[1].Y, 2);
}

TEST_F(SalidaTest, LosComentariosSeImprimenAlFinalYElArchivoQuedaVacio) {
  EscribeBytes(kComentarios, Comentario(10, 2, "Nota", 8, "Arial") + QByteArray(100, 'x'));
  Corre({"impresora,laser", "@1,1,Texto"}, u'i');
  EXPECT_EQ(Impresos(), (std::vector<TextoImpreso>{{1, 63, 120, "Texto"}, {1, 630, 240, "Nota"}}));
  EXPECT_EQ(fs::LeeBytes(kComentarios).size(), 0);

  EscribeBytes(kComentarios, Comentario(10, 2, "Nota", 8, "Arial"));
  print::BorraOperacionesGrabadas();
  Corre({"@1,1,Texto"}, u'p');
  EXPECT_EQ(PaginasPrevia(), (std::map<int, QStringList>{{1, {"Texto"}}}));
  EXPECT_EQ(fs::LeeBytes(kComentarios).size(), 0);
}

TEST_F(SalidaTest, IndiceDeImpresora) {
  struct Caso {
    QString texto;
    int indice;
  };
  const Caso casos[] = {{"2", 2},      {"0", 0},        {"Texto", 1000}, {"tickets", 1},
                        {"TICKETS", 1}, {"Laser de oficina", 0}, {"desconocida", 0}, {"sistema", 1}};
  for (const Caso& c : casos) EXPECT_EQ(IndiceImpresora(c.texto), c.indice) << c.texto.toStdString();
  // The system printer of configuration line 81 is always a name.
  QStringList config = fs::LeeLineas(QStringLiteral("C:\\VRL\\Gener1.cnf"));
  config[80] = QStringLiteral("1");
  EscribeLineas(QStringLiteral("C:\\VRL\\Gener1.cnf"), config);
  EXPECT_EQ(IndiceImpresora("Sistema"), 0);
  config[80] = QStringLiteral("Texto");
  EscribeLineas(QStringLiteral("C:\\VRL\\Gener1.cnf"), config);
  EXPECT_EQ(IndiceImpresora("sistema"), 1000);
}

TEST_F(SalidaTest, TextoJustificadoTerminaEnSuColumna) {
  CorridaAbierta(u'i');
  print::Impresora& impresora = print::Impresora::Global();
  print::Lienzo& lienzo = impresora.lienzo();
  for (int x : {0, 100}) {
    if (!impresora.Imprimiendo()) impresora.Comienza();
    print::BorraOperacionesGrabadas();
    TextoJustificado(x, 240, 40, QStringLiteral("  uno   dos tres "));
    impresora.Termina();  // the pages reach the printer when the job ends
    const std::vector<TextoImpreso> t = Impresos();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].texto, "uno");
    EXPECT_EQ(t[0].x, x);
    EXPECT_EQ(t[2].texto, "tres");
    EXPECT_EQ(t[2].x + lienzo.AnchoTexto("tres"), 40 * 63);
    // The gap between the words is the same.
    EXPECT_EQ(t[1].x - (t[0].x + lienzo.AnchoTexto("uno")), (40 * 63 - x - lienzo.AnchoTexto("uno dos tres") + 2) / 5);
  }
}

TEST_F(SalidaTest, TextoAjustadoPasaDePaginaConElDesplazamiento) {
  EstadoFormato& e = CorridaAbierta(u'i');
  ColocaTextoAjustado(63, QStringLiteral("Descripcion larga"), QString(), 1200, 9, QStringLiteral("Arial"), 11);
  // The continuation offset carries row 10 past the 50 rows of the page.
  e.Desplazamiento = 5000;
  ColocaTextoAjustado(63, QStringLiteral("Otra descripcion"), QString(), 1200, 9, QStringLiteral("Arial"), 5);
  ColocaTextoAjustado(63, QStringLiteral("Sigue"), QString(), 1320, 9, QStringLiteral("Arial"), 0);
  print::Impresora::Global().Termina();
  EXPECT_EQ(Impresos(), (std::vector<TextoImpreso>{{1, 63, 1200, "Descripcion"}, {2, 63, 1, "Otra "},
                                                    {2, 63, 121, ""}}));
  EXPECT_EQ(e.PaginaActual, 2);
  EXPECT_EQ(e.Desplazamiento, -1199);
}
