// Font, colour and mask commands; page numbers with the run's true total;
// print jobs ended, reset and moved to another printer; orientation and
// paper; and the edge cases of these commands side by side.

#include "formats/Interprete_estado.h"
#include "formats/formato_prueba.h"
#include "platform/Error.h"

namespace {

using Tipo = print::Operacion::Tipo;

const QString kFormatoTxt = QStringLiteral("C:\\VRL\\tempo\\formato.txt");

class PaginaTest : public FormatoPrueba {
 protected:
  // What a run leaves for the user to see: the error that ended it, texts
  // on paper or in the preview, raw jobs and messages.
  QStringList Observa(const QStringList& formato, QChar modo) {
    print::BorraOperacionesGrabadas();
    for (const QString& nombre : QDir(cola_.path()).entryList(QDir::Files)) QFile::remove(cola_.filePath(nombre));
    const qsizetype mensajes = Mensajes().size();
    QStringList r;
    try {
      Corre(formato, modo);
    } catch (const plat::Error& e) {
      r << "error " + e.mensaje();
    }
    if (modo == u'p') {
      for (const TElementoPagina& e : LeeElementosPagina()) {
        r << QStringLiteral("p%1 %2,%3 %4").arg(e.NumeroPagina).arg(TextoNumero(e.X), TextoNumero(e.Y), e.Texto);
      }
    } else {
      for (const TextoImpreso& t : Impresos()) r << QStringLiteral("p%1 %2,%3 %4").arg(t.pagina).arg(t.x).arg(t.y).arg(t.texto);
    }
    const QDir cola(cola_.path());
    for (const QString& nombre : cola.entryList(QDir::Files, QDir::Name)) {
      QFile f(cola.filePath(nombre));
      if (f.open(QIODevice::ReadOnly)) r << "crudo " + QString::fromLatin1(f.readAll().toHex(' '));
    }
    for (const QString& m : Mensajes().mid(mensajes)) r << "mensaje " + m;
    return r;
  }

  // Texts of the recording printer with their font and background.
  static QStringList TextosConLetra() {
    QStringList r;
    for (const print::Operacion& o : print::OperacionesGrabadas()) {
      if (o.tipo != Tipo::Texto) continue;
      const print::Fuente& f = o.fuente;
      const QString estilo = f.negrita ? "negrita" : f.cursiva ? "cursiva" : f.subrayada ? "subrayada" : "normal";
      r << QStringLiteral("%1 %2 %3 %4 %5 fondo %6")
               .arg(o.texto, f.nombre)
               .arg(f.tamano)
               .arg(estilo, f.color.name(), o.brocha.color.name());
    }
    return r;
  }

  // Job operations and texts of the recording printers, one line each.
  static QStringList Trabajos() {
    QStringList r;
    for (const print::Operacion& o : print::OperacionesGrabadas()) {
      switch (o.tipo) {
        case Tipo::Comienza: r << o.impresora + " comienza " + o.texto; break;
        case Tipo::Pagina: r << o.impresora + " pagina"; break;
        case Tipo::Termina: r << o.impresora + " termina"; break;
        case Tipo::Texto: r << QStringLiteral("%1 p%2 %3,%4 %5").arg(o.impresora).arg(o.pagina).arg(o.punto.x()).arg(o.punto.y()).arg(o.texto); break;
        default: break;
      }
    }
    return r;
  }

  static int AnchoTexto(const QString& texto) { return print::Impresora::Global().lienzo().AnchoTexto(texto); }
};

}  // namespace

TEST_F(PaginaTest, LetraColorYFondoEnLaImpresora) {
  Corre({"impresora,laser", "tipo(Courier New)", "tamaño(12)", "estilo(negrita)", "color(rojo)", "texto(1,1,A)",
         "estilo(Cursiva)", "color(Rojo)", "fondo(verde)", "texto(1,2,B)", "estilo(otra)", "colores(blanco)",
         "texto(1,3,C)", "estilo(normal)", "color(azul)", "fondo(blanco)", "tipo(Arial)", "tamaño(8)",
         "texto(1,4,D)"},
        u'i');
  // Colour names are matched as written; style words in any case.
  EXPECT_EQ(TextosConLetra(), (QStringList{"A Courier New 12 negrita #ff0000 fondo #ffffff",
                                           "B Courier New 12 cursiva #ff0000 fondo #008000",
                                           "C Courier New 12 cursiva #ffffff fondo #008000",
                                           "D Arial 8 normal #0000ff fondo #ffffff"}));
  EXPECT_EQ(fs::LeeLineas(kFormatoTxt),
            (QStringList{"1,63,240,12,Courier New,,A", "1,63,360,12,Courier New,,B", "1,63,480,12,Courier New,,C",
                         "1,63,600,8,Arial,,D"}));
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(PaginaTest, LaVistaPreviaGuardaColorLetraYTamanoYDejaLaMascara) {
  Corre({"formato(#,##0.000)", "Formatos(0)", "col(azul)", "moneda(1,3,total_f,$,,)", "tipo(Courier New)",
         "tam(14)", "estilo(subrayada)", "texto(1,1,A)", "color(amarillo_claro)", "texto(1,2,B)"},
        u'p');
  const std::vector<TElementoPagina> registros = LeeElementosPagina();
  ASSERT_EQ(registros.size(), 3u);
  EXPECT_EQ(registros[1].Color, "azul");
  EXPECT_EQ(registros[1].Tipo, 14);
  EXPECT_EQ(registros[1].Fuente, "Courier New");
  EXPECT_EQ(registros[2].Color, "amarillo");
  // The amounts keep the mask after a colour; the printer's font name and size are not
  // touched by a preview, its style is.
  EXPECT_EQ(registros[0].Extra, "#,##0.000");
  EXPECT_EQ(registros[0].Texto, "$1,500.500");
  const print::Fuente& fuente = print::Impresora::Global().lienzo().fuente();
  EXPECT_EQ(fuente.nombre, "Arial");
  EXPECT_EQ(fuente.tamano, 10);
  EXPECT_TRUE(fuente.subrayada);
}

TEST_F(PaginaTest, TextoJustificadoHastaSuColumna) {
  Corre({"impresora,laser", "justifica(40)", "texto(0,1,uno dos tres)", "justifica(x)", "texto(0,2,uno dos tres)"},
        u'i');
  const std::vector<TextoImpreso> t = Impresos();
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t[2].texto, "tres");
  EXPECT_EQ(t[2].x + AnchoTexto("tres"), 40 * 63);
  // a column that is no whole number turns justifying off, silently
  EXPECT_EQ(t[3], (TextoImpreso{1, 0, 240, "uno dos tres"}));
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(PaginaTest, NumerosDePaginaConElTotalDeLaCorrida) {
  const QStringList formato{"impresora,laser", "paginas(imprime)", "lineas(4)", "$", "texto(1,0,FACTURA)",
                            "saltar(1)", "$", "&", "@1,1,+descr_f", "saltar(1)", "&"};
  struct Caso {
    int previa;  // lines of a preview run just before; 0 none
    int lineas;
    int paginas;
  };
  // Three records a page. The total is the print run's own, not the one the
  // last preview left.
  for (const Caso& c : {Caso{0, 7, 3}, Caso{7, 5, 2}, Caso{5, 9, 3}}) {
    if (c.previa > 0) {
      CreaDocumentoDe(c.previa);
      Corre(formato, u'p');
    }
    CreaDocumentoDe(c.lineas);
    print::BorraOperacionesGrabadas();
    Corre(formato, u'i');
    std::vector<TextoImpreso> numeros;
    for (const TextoImpreso& t : Impresos()) {
      if (t.texto.endsWith(u"Paginas")) numeros.push_back(t);
    }
    std::vector<TextoImpreso> esperados;
    for (int n = 1; n <= c.paginas; ++n) {
      const QString texto = QStringLiteral("%1 de %2 Paginas").arg(n).arg(c.paginas);
      // page 1 by the command, the others by the page breaks, 10 units in
      esperados.push_back({n, 5100 - AnchoTexto(texto) - (n == 1 ? 0 : 10), 0, texto});
    }
    EXPECT_EQ(numeros, esperados) << c.previa << " " << c.lineas;
    const QString primero = esperados.front().texto;
    EXPECT_TRUE(fs::LeeLineas(kFormatoTxt).contains(QStringLiteral("1,%1,120,10,Arial,,%2").arg(5100 - AnchoTexto(primero)).arg(primero)));
  }

  // A preview places the number at once, with the total the last preview
  // counted (two pages), past the previewed width.
  CreaDocumentoDe(7);
  Corre(formato, u'p');
  const std::vector<TElementoPagina> registros = LeeElementosPagina();
  ASSERT_FALSE(registros.empty());
  EXPECT_EQ(registros[0].Texto, "1 de 2 Paginas");
  EXPECT_EQ(registros[0].X, 5100 - AnchoTexto("1 de 2 Paginas"));
  EXPECT_EQ(registros[0].Tipo, 10);
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(PaginaTest, TerminaImpresionResetYCambiaImpresora) {
  print::FijaImpresorasPrueba({{"laser", "", print::TipoImpresora::Registro, QString(), 600},
                               {"matriz", "", print::TipoImpresora::Registro, QString(), 600}},
                              0);
  print::Impresora::Global().Restablece();
  print::BorraOperacionesGrabadas();
  Corre({"impresora,laser", "paginas(imprime)", "texto(1,1,Uno)", "saltar(3)", "terminaimpresion", "@1,1,Dos",
         "reset", "@1,2,Tres", "cambiaimpresora(matriz)", "@1,1,Cuatro", "cambiaimpresora(texto)", "@1,1,Cinco"},
        u'i');
  const QString uno = QStringLiteral("1 de 1 Paginas");
  EXPECT_EQ(Trabajos(), (QStringList{"laser comienza prueba.fmt", "laser p1 63,120 Uno",
                                     QStringLiteral("laser p1 %1,0 %2").arg(5100 - AnchoTexto(uno)).arg(uno),
                                     "laser termina",
                                     // the row counter starts again with each job and page
                                     "laser comienza prueba.fmt", "laser p1 63,120 Dos", "laser pagina",
                                     "laser p2 63,240 Tres", "laser termina",
                                     "matriz comienza prueba.fmt", "matriz p1 63,120 Cuatro", "matriz termina",
                                     // a printer that cannot be chosen leaves the one there was
                                     "matriz comienza prueba.fmt", "matriz p1 63,120 Cinco", "matriz termina"}));
  // "terminaimpresion" counts a page; "reset" does not.
  EXPECT_EQ(fs::LeeLineas(kFormatoTxt).mid(2).join(u'|'),
            "2,63,240,9,Arial,,Dos|2,63,360,9,Arial,,Tres|2,63,240,9,Arial,,Cuatro|2,63,240,9,Arial,,Cinco");
  EXPECT_FALSE(print::Impresora::Global().Imprimiendo());

  // A preview only counts the page of "terminaimpresion".
  Corre({"texto(1,1,Uno)", "saltar(3)", "terminaimpresion", "@1,1,Dos", "reset", "cambiaimpresora(matriz)",
         "@1,2,Tres"},
        u'p');
  EXPECT_EQ(PaginasPrevia(), (std::map<int, QStringList>{{1, {"Uno"}}, {2, {"Dos", "Tres"}}}));
  EXPECT_EQ(LeeElementosPagina()[1].Y, 1);
  EXPECT_EQ(print::Impresora::Global().Indice(), 0);
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(PaginaTest, EnModoTextoLosTrabajosYPaginasSiguenDebajo) {
  UsaImpresoras(1);
  Corre({"impresora,texto", "@1,0,Uno", "terminaimpresion", "@1,0,Dos", "reset", "@1,0,Tres",
         "cambiaimpresora(laser)", "@1,0,Cuatro", "cuadro(1,1,5,2,1,clRed,X)", "logo(1,1,5,2,c:\\fotos\\logo.bmp)"},
        u'i');
  // One job of text lines, on the default printer the run gives back.
  EXPECT_EQ(TrabajosDeTexto(), (QList<QStringList>{{"Uno", "", "Dos", "", "TresCuatro", ""}}));
  EXPECT_TRUE(print::OperacionesGrabadas().empty());
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(PaginaTest, OrientacionYPapelDeLaImpresora) {
  struct Caso {
    QString previa;  // a line run in a preview first; empty for none
    QString enImpresion;
    int x, y;        // of texto(10,2,A) in the print run that follows
  };
  const Caso casos[] = {
      {"", "", 630, 240},
      // landscape: 6600 wide, 5100 high
      {"direccion(horizontal)", "", 820, 184},
      {"direccion(Horizontal)", "", 630, 240},
      // legal paper: 8400 high
      {"ppl", "", 630, 304},
      // during a print job neither changes anything, and nothing is said
      {"", "direccion(horizontal)", 630, 240},
      {"", "ppl", 630, 240},
  };
  for (const Caso& c : casos) {
    print::Impresora::Global().Restablece();
    if (!c.previa.isEmpty()) Corre({c.previa}, u'p');
    print::BorraOperacionesGrabadas();
    // no printer line: the first line is not run, and the printer keeps its settings
    Corre({"primera", c.enImpresion, "texto(10,2,A)"}, u'i');
    ASSERT_EQ(Impresos().size(), 1u) << c.previa.toStdString();
    EXPECT_EQ(Impresos()[0].x, c.x) << c.previa.toStdString() << c.enImpresion.toStdString();
    EXPECT_EQ(Impresos()[0].y, c.y) << c.previa.toStdString() << c.enImpresion.toStdString();
  }
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(PaginaTest, CasosDeLosComandos) {
  UsaDocumentoConControl(QStringLiteral("JUAN PEREZ"), QStringLiteral("A12"));
  struct Caso {
    QChar modo;
    QStringList lineas;  // after the printer line in print runs
    QStringList visto;
  };
  const Caso casos[] = {
      {u'i', {"saltar(3)", "saltar(-5)", "@1,1,A"}, {"p1 63,120 A"}},
      // a 6600-unit page in 60 rows: rows of 110
      {u'i', {"separa(60)", "texto(1,2,A)"}, {"p1 63,220 A"}},
      {u'p', {"separa(60)", "texto(1,2,A)"}, {"p1 1,2 A"}},
      {u'p', {"bitmap(1,1,20,10,c:\\fotos\\numero)"}, {"p1 1,1 c:\\fotos\\57-JUAN PEREZ-A12.bmp"}},
      // only assignments after "aborta", even raw codes are not taken
      {u'i', {"aborta", "@1,1,A", "variable1=5", "texto(1,2,B)", "esc,65", "cadena1=x"}, {}},
      {u'i', {"@1,1,A", "abortar", "variable1=variable1+2", "nuevapagina", "@1,1,B"}, {"p1 63,120 A"}},
      // raw codes go to the receipt printer (here the default one) after the
      // run, in print and preview runs alike
      {u'i', {"esc,27,112,0,25,250", "@1,1,A"}, {"p1 63,120 A", "crudo 1b 70 00 19 fa"}},
      {u'p', {"esc,27,112,0,25,250", "@1,1,A"}, {"p1 1,1 A", "crudo 1b 70 00 19 fa"}},
      {u'p', {"variable1=123", "esc,&variable1,*AB,13"},
       {"crudo 30 30 30 30 30 30 30 30 31 32 33 30 41 42 0d"}},
      {u'i', {"esc,1", "esc,27,112", "aborta", "@1,1,A"}, {"crudo 1b 70"}},
      {u'i', {"esc"}, {}},
      {u'i', {"esc,27,x"}, {"error 'x' no es un código de impresora válido"}},
      // a box without a colour prints no label; "evi" does nothing
      {u'i', {"cuadro(1,1,10,3,,,Hola)", "evi(S)"}, {}},
      {u'i', {"@1,1,A", "nuevobloque", "@1,2,B"}, {"p1 63,120 A", "p1 63,240 B"}},
  };
  for (const Caso& c : casos) {
    const QStringList formato = c.modo == u'i' ? QStringList{"impresora,laser"} + c.lineas : c.lineas;
    EXPECT_EQ(Observa(formato, c.modo), c.visto) << c.lineas.join(u'|').toStdString();
  }
  // Assignments still run after "aborta".
  Corre({"impresora,laser", "variable1=1", "aborta", "variable1=variable1+2", "cadena1=fin", "variable1=variable1*3"},
        u'i');
  EXPECT_EQ(ValorVariableFormato(QStringLiteral("variable1")), "9");
  EXPECT_EQ(ValorVariableFormato(QStringLiteral("cadena1")), "fin");
}
