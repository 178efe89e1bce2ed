// Commands that place amounts, amounts in words, dates, times, the print
// user's name and fitted values, as a format run places them.

#include "formats/ImporteLetra.h"
#include "formats/formato_prueba.h"
#include "formats/moneda_prueba.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/PuertaModal.h"

namespace {

const QString kErrorFormato = QStringLiteral("Error en el Formato Revise su Estructura");

class ColocacionTest : public FormatoPrueba {
 protected:
  void SetUp() override {
    FormatoPrueba::SetUp();
    FijaTextosMoneda("PESO", "PESOS DE", "PESOS", "M.N.");
    FijaUsuarioImpresion("-1");
    fs::FijaAhora(QDateTime(QDate(2025, 1, 7), QTime(10, 30)));
  }

  void TearDown() override {
    FijaUsuarioImpresion("-1");
    FormatoPrueba::TearDown();
  }

  // The preview records of a format of one line, and the messages it showed.
  std::vector<TElementoPagina> Previa(const QString& linea) {
    ui::PuertaModal::LimpiaMensajes();
    Corre({linea}, u'p');
    return LeeElementosPagina();
  }

  // The texts a one-line format leaves in the preview, each case in turn:
  // no text at all when `texto` is null, else exactly that one text.
  struct Caso {
    QString linea;
    QString texto;  // null: nothing placed
    QStringList mensajes = {};
  };
  void Comprueba(const Caso& c) {
    const std::vector<TElementoPagina> r = Previa(c.linea);
    if (c.texto.isNull()) {
      EXPECT_TRUE(r.empty()) << c.linea.toStdString();
    } else {
      ASSERT_EQ(r.size(), 1u) << c.linea.toStdString();
      EXPECT_EQ(r[0].Texto, c.texto) << c.linea.toStdString();
    }
    EXPECT_EQ(Mensajes(), c.mensajes) << c.linea.toStdString();
  }

  static QStringList ErrorDe(const QString& linea) { return {kErrorFormato, "Linea Afectada " + linea}; }

  // Users 0 to 5 in the program folder's users file.
  static void EscribeUsuarios() {
    const QStringList nombres{"ADMINISTRADOR", "Ana", "Luis", "María López", "Rosa", "Pedro Ruiz"};
    QByteArray bytes;
    for (int i = 0; i < nombres.size(); ++i) {
      TRegistroUsuario r;
      r.NumeroUsuario = i;
      r.NombreUsuario = nombres[i];
      r.Derechos = QString(60, u's');
      bytes += r.ABytes();
    }
    EscribeBytes("C:\\VRL\\usuarios.def", bytes);
  }
};

}  // namespace

TEST_F(ColocacionTest, Moneda) {
  const Caso casos[] = {
      {"moneda(50,3,total_f,$,,)", "$      1,500.50"},
      {"moneda(50,3,total_f,f,Total: ,2)", "Total: $      1,500.50"},
      {"moneda(50,3,total_f,c,,)", "1500.5"},
      // the decimals step rounds and right-aligns in 12 characters
      {"moneda(50,3,total_f,c,,0)", "        1501"},
      {"moneda(50,3,total_f,c,,2)", "     1500.50"},
      // decimals that are not a number leave the value as written
      {"moneda(50,3,total_f,,,x)", "      1,500.50"},
      {"moneda(50,3,abc,$,,2)", QString(), ErrorDe("moneda(50,3,abc,$,,2)")},
      // only the word "moneda" as written places an amount
      {"Moneda(50,3,total_f,$,,2)", QString()},
      {"monedas(50,3,total_f,$,,2)", QString()},
  };
  for (const Caso& c : casos) Comprueba(c);

  // The amount carries the mask and the font it was placed with.
  const std::vector<TElementoPagina> r = Previa("moneda(50,3,total_f,$,,2)");
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].X, 50);
  EXPECT_EQ(r[0].Y, 3);
  EXPECT_EQ(r[0].Extra, "###,###,##0.00");
  EXPECT_EQ(r[0].Fuente, "Courier New");
  EXPECT_EQ(r[0].Tipo, 9);
}

TEST_F(ColocacionTest, MonedaImprimeEnCourierYDevuelveLaFuente) {
  Corre({"impresora,laser", "Moneda(50,1,total_f,$,,2)", "@1,1,A", "moneda(50,2,total_f,$,,2)", "@1,2,B"}, u'i');
  std::vector<std::pair<QString, QString>> textos;
  for (const print::Operacion& o : print::OperacionesGrabadas()) {
    if (o.tipo == print::Operacion::Tipo::Texto) textos.emplace_back(o.texto, o.fuente.nombre);
  }
  EXPECT_EQ(textos, (std::vector<std::pair<QString, QString>>{
                        {"A", "Arial"}, {"$      1,500.50", "Courier New"}, {"B", "Arial"}}));
  EXPECT_EQ(print::Impresora::Global().lienzo().fuente().nombre, "Arial");
}

TEST_F(ColocacionTest, ImportesConLetra) {
  EscribeBytes("C:\\DATOS\\moneda.vrl", RegistroMoneda("M.N.", {"PESO", "PESOS DE", "PESOS", "M.N."}) +
                                            RegistroMoneda("USD", {"DOLLAR", "DOLLARS", "DOLLARS", "USD"}));
  const Caso casos[] = {
      {"tra(5,3,1)", "( UN PESO 00/100 M.N.)"},
      {"tra(5,3,0)", "(CERO  PESOS 00/100 M.N.)"},
      {"tra(5,3,total_f)", "( UN MIL QUINIENTOS PESOS 50/100 M.N.)"},
      {"tra(5,3,2000000)", "( DOS MILLONES PESOS DE 00/100 M.N.)"},
      {"tra(5,3,nombr_f)", QString(), ErrorDe("tra(5,3,nombr_f)")},
      {"tin(5,3,1234.5,USD)", "(ONE THOUSAND TWO HUNDRED THIRTY FOUR DOLLARS 50/100 USD)"},
      {"tin(5,3,0.5,USD)", QString(), ErrorDe("tin(5,3,0.5,USD)")},
      // "tin" left the dollar's texts for later amounts in words
      {"tra(5,3,1)", "( UN DOLLAR 00/100 USD)"},
      {"tin(5,3,20,M.N.)", "(TWENTY  PESOS 0/100 M.N.)"},
      {"tra(5,3,1)", "( UN PESO 00/100 M.N.)"},
  };
  for (const Caso& c : casos) Comprueba(c);
}

// The cents of an amount are the same in figures (moneda with and without
// its decimals step, FormatoImporte) and in words (tra, tin): each rounds the
// value as the decimal that was written, halves away from zero.
TEST_F(ColocacionTest, LosCentavosEnCifrasYEnLetraCoinciden) {
  EscribeBytes("C:\\DATOS\\moneda.vrl", RegistroMoneda("M.N.", {"PESO", "PESOS DE", "PESOS", "M.N."}));
  struct Caso {
    const char* valor;
    const char* cifras;
    const char* letra;
    const char* ingles;  // null: below 1, "tin" reports the range error
  };
  const Caso casos[] = {
      {"2.675", "2.68", "( DOS PESOS 68/100 M.N.)", "(TWO PESOS 68/100 M.N.)"},
      {"1.005", "1.01", "( UN PESO 01/100 M.N.)", "(ONE PESOS 1/100 M.N.)"},
      {"1.015", "1.02", "( UN PESO 02/100 M.N.)", "(ONE PESOS 2/100 M.N.)"},
      {"0.575", "0.58", "(CERO  PESOS 58/100 M.N.)", nullptr},
      {"-2.675", "-2.68", "( ERROR EN CANTIDAD PESOS 68/100 M.N.)", nullptr},
      {"1234.565", "1,234.57", "( UN MIL DOSCIENTOS TREINTA Y CUATRO PESOS 57/100 M.N.)",
       "(ONE THOUSAND TWO HUNDRED THIRTY FOUR PESOS 57/100 M.N.)"},
      // the cents carry into the whole part
      {"1.995", "2.00", "( DOS PESOS 00/100 M.N.)", "(TWO PESOS 0/100 M.N.)"},
  };
  for (const Caso& c : casos) {
    const QString v = c.valor;
    const QString tin = "tin(5,4," + v + ",M.N.)";
    ui::PuertaModal::LimpiaMensajes();
    Corre({"moneda(5,1," + v + ",$,,)", "moneda(5,2," + v + ",$,,2)", "tra(5,3," + v + ")", tin}, u'p');
    const QString cifras = "$" + QString(c.cifras).rightJustified(14);
    QStringList esperados{cifras, cifras, QString::fromUtf8(c.letra)};
    if (c.ingles) esperados << c.ingles;
    EXPECT_EQ(PaginasPrevia()[1], esperados) << c.valor;
    EXPECT_EQ(Mensajes(), c.ingles ? QStringList() : ErrorDe(tin)) << c.valor;
    EXPECT_EQ(FormatoImporte("###,###,##0.00", v, "$"), cifras) << c.valor;
  }
}

TEST_F(ColocacionTest, UnTotalCalculadoSeEscribeIgualEnCifrasYEnLetra) {
  Corre({"variable1=3*0.335", "moneda(5,1,variable1,$,,)", "moneda(5,2,variable1,$,,2)", "tra(5,3,variable1)"},
        u'p');
  EXPECT_EQ(PaginasPrevia()[1], (QStringList{"$          1.01", "$          1.01", "( UN PESO 01/100 M.N.)"}));
}

TEST_F(ColocacionTest, FechasYHoras) {
  const Caso casos[] = {
      {"dia(5,3,hoy)", "07"},
      {"dia(5,3,HOY)", "07"},
      {"dia(5,3,fedoc_f)", "05"},
      {"dia(5,3,[003])", "05"},
      {"Dia(5,3,FEDOC_F)", "05"},
      {"diario(5,3,fedoc_f)", QString()},
      {"dia(5,3,falta_f)", QString(), ErrorDe("dia(5,3,falta_f)")},
      {"dia(5,3,nombr_f)", QString(), ErrorDe("dia(5,3,nombr_f)")},
      {"mes(5,3,fedoc_f)", "03"},
      {"año(5,3,fedoc_f)", "2024"},
      {"Año(5,3,hoy)", "2025"},
      {"mletra(5,3,fedoc_f)", "Marzo"},
      {"mletra(5,3,hoy)", "Enero"},
      // another word of the same letters places an empty text
      {"mletras(5,3,fedoc_f)", ""},
      {"flarga(5,3,fedoc_f)", "Martes 5 de Marzo del año 2024"},
      {"flarga(5,3,hoy)", "Martes 7 de Enero del año 2025"},
      {"flargas(5,3,fedoc_f)", ""},
      {"hor(5,3,0.5)", "12:00:00"},
      {"hor(5,3,1.75)", "18:00:00"},
      {"hor(5,3,)", ""},
      {"hor(5,3,tarde)", QString(), ErrorDe("hor(5,3,tarde)")},
  };
  for (const Caso& c : casos) Comprueba(c);
}

TEST_F(ColocacionTest, UnaFechaEnBlancoNoPoneNingunaParte) {
  encabezado_->Edit();
  encabezado_->FieldByName("FEDOC_F").Clear();
  encabezado_->Post();
  const Caso casos[] = {
      {"dia(5,3,fedoc_f)", ""},
      {"mes(5,3,fedoc_f)", ""},
      {"año(5,3,fedoc_f)", ""},
      {"mletra(5,3,fedoc_f)", ""},
      // the long date of a text that is no date is today's short date
      {"flarga(5,3,fedoc_f)", "07/01/2025"},
  };
  for (const Caso& c : casos) Comprueba(c);
}

TEST_F(ColocacionTest, CadaComandoUsaSuFormaDeRenglon) {
  // Rows of 120 device units and columns of 63; the row counter stands at 4:
  // row-relative commands add it, "dia" does not, and the fixed-step ones
  // move 50 units per counted row.
  EscribeUsuarios();
  FijaUsuarioImpresion("3");
  Corre({"impresora,laser", "saltar(4)", "mes(5,2,fedoc_f)", "dia(5,2,fedoc_f)", "año(5,2,fedoc_f)",
         "mletra(5,2,fedoc_f)", "flarga(5,2,fedoc_f)", "usu(5,2)", "con(5,3)", "tra(5,2,1)", "hor(5,2,0.5)",
         "moneda(5,2,total_f,c,,)", "aju(5,2,nombr_f,4)"},
        u'i');
  EXPECT_EQ(Impresos(), (std::vector<TextoImpreso>{{1, 315, 720, "03"},
                                                   {1, 315, 240, "05"},
                                                   {1, 315, 720, "2024"},
                                                   {1, 315, 440, "Marzo"},
                                                   {1, 315, 440, "Martes 5 de Marzo del año 2024"},
                                                   {1, 315, 440, "MARíA LóPEZ"},
                                                   {1, 315, 560, "MARíA LóPEZ"},
                                                   {1, 315, 720, "( UN PESO 00/100 M.N.)"},
                                                   {1, 315, 720, "12:00:00"},
                                                   {1, 315, 720, "1500.5"},
                                                   {1, 315, 720, "JUAN"}}));
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(ColocacionTest, ElUsuarioDeImpresionEsElPrimeroQueImprime) {
  EscribeUsuarios();
  struct Paso {
    QStringList usuarios;  // FijaUsuarioImpresion calls before the run
    QString nombre;        // what "usu" prints
  };
  const Paso pasos[] = {
      {{"3"}, "MARíA LóPEZ"},
      // the name stays until it is cleared
      {{"5"}, "MARíA LóPEZ"},
      {{"-1", "5"}, "PEDRO RUIZ"},
      {{"-1"}, ""},
      {{"9"}, "NO REGISTRADO"},
  };
  for (const Paso& p : pasos) {
    for (const QString& u : p.usuarios) FijaUsuarioImpresion(u);
    const std::vector<TElementoPagina> r = Previa("usu(5,3)");
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].Texto, p.nombre) << p.usuarios.join(u',').toStdString();
  }
}

TEST_F(ColocacionTest, AjustaCortaElValorAlAncho) {
  const Caso casos[] = {
      {"aju(5,3,nombr_f,4)", "JUAN"},
      {"aju(5,3,nombr_f,40)", "JUAN PEREZ"},
      {"aju(5,3,Sr. +nombr_f,6)", "Sr. JU"},
      {"aju(5,3,nombr_f,0)", ""},
      {"aju(5,3,nombr_f,x)", QString(), ErrorDe("aju(5,3,nombr_f,x)")},
  };
  for (const Caso& c : casos) Comprueba(c);
}
