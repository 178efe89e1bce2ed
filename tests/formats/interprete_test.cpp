// Running format files: printer line, page header, detail template and its
// page breaks, condition blocks, error reports, text mode.

#include "formats/Interprete_estado.h"
#include "formats/formato_prueba.h"
#include "platform/Error.h"

using Tipo = print::Operacion::Tipo;

namespace {

const QString kErrorFormato = QStringLiteral("Error en el Formato Revise su Estructura");
const QString kErrorLinea = QStringLiteral("Existe un error en la estructura de la linea ");

class InterpreteTest : public FormatoPrueba {};

// The texts of one page of the recording printer.
QStringList TextosDePagina(const std::vector<TextoImpreso>& impresos, int pagina) {
  QStringList r;
  for (const TextoImpreso& t : impresos) {
    if (t.pagina == pagina) r << t.texto;
  }
  return r;
}

}  // namespace

TEST_F(InterpreteTest, LosErroresDeUnaLineaSeMuestranYLaCorridaSigue) {
  Corre({"impresora,laser",
         "texto(a,2,Hola)",
         "@x,2,Hola",
         "variable1=5*",
         "variable2=(1+2",
         "$",
         "lineas(cinco)",
         "$",
         "&",
         "saltar(uno)",
         "&",
         "texto(1,3,Sigue)"},
        u'i');
  EXPECT_EQ(Mensajes(), (QStringList{kErrorFormato, "Linea Afectada texto(a,2,Hola)",
                                     kErrorLinea + "@x,2,Hola",
                                     kErrorLinea + "variable1=5*",
                                     "Existe un error en la expresion Faltan parentesis",
                                     kErrorLinea + "variable2=(1+2",
                                     kErrorFormato, "Linea Afectada lineas(cinco)",
                                     // one report per detail record
                                     kErrorFormato, "Linea Afectada saltar(uno)",
                                     kErrorFormato, "Linea Afectada saltar(uno)",
                                     kErrorFormato, "Linea Afectada saltar(uno)"}));
  EXPECT_EQ(Impresos(), (std::vector<TextoImpreso>{{1, 63, 360, "Sigue"}}));
  EXPECT_EQ(Trabajo(), (std::vector<Tipo>{Tipo::Comienza, Tipo::Termina}));
}

TEST_F(InterpreteTest, LaPrimeraLineaDeUnaImpresionEsLaDeImpresora) {
  struct Caso {
    QString primera;
    QChar modo;
    QStringList textos;
  };
  const Caso casos[] = {
      {"texto(1,1,Primera)", u'i', {"Segunda"}},
      {"texto(1,1,Primera)", u'p', {"Primera", "Segunda"}},
      {"impresora,laser", u'i', {"Segunda"}},
      {"impresora,laser", u'p', {"Segunda"}},
      // beyond 150 characters the first line goes on as the next line
      {"impresora," + QString(140, u'x') + "texto(1,1,Resto)", u'i', {"Resto", "Segunda"}},
  };
  for (const Caso& c : casos) {
    print::BorraOperacionesGrabadas();
    Corre({c.primera, "texto(1,2,Segunda)"}, c.modo);
    QStringList textos;
    if (c.modo == u'p') {
      for (const TElementoPagina& e : LeeElementosPagina()) textos << e.Texto;
    } else {
      for (const TextoImpreso& t : Impresos()) textos << t.texto;
    }
    EXPECT_EQ(textos, c.textos) << c.primera.toStdString() << " " << char(c.modo.unicode());
  }
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(InterpreteTest, LaLineaDeImpresoraEligeImpresoraYOrientacionSoloDuranteLaCorrida) {
  UsaImpresoras(1);
  struct Caso {
    QString linea;
    QString impresora;  // where the text is drawn; "" for the default queue
    int anchoPagina;
  };
  const Caso casos[] = {
      {"impresora,laser", "laser", 5100},
      {"impresora,Laser de Oficina,horizontal", "laser", 6600},
      {"impresora,0", "laser", 5100},
      {"impresora,no instalada", "laser", 5100},  // the first of the list
  };
  for (const Caso& c : casos) {
    print::BorraOperacionesGrabadas();
    Corre({c.linea, "@c,1,X"}, u'i');
    const std::vector<print::Operacion> ops = print::OperacionesGrabadas();
    ASSERT_FALSE(ops.empty()) << c.linea.toStdString();
    EXPECT_EQ(ops.front().impresora, c.impresora) << c.linea.toStdString();
    ASSERT_EQ(Impresos().size(), 1u);
    const int ancho = print::Impresora::Global().lienzo().AnchoTexto("X");
    EXPECT_EQ(Impresos()[0].x, (c.anchoPagina - ancho) / 2) << c.linea.toStdString();
    EXPECT_EQ(print::Impresora::Global().Indice(), 1) << "vuelve la impresora predeterminada";
    print::Impresora::Global().FijaOrientacion(print::Orientacion::Vertical);
  }
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(InterpreteTest, TresRegistrosPorPaginaCadaPaginaConSuEncabezado) {
  CreaDocumentoDe(7);
  const QStringList formato{"impresora,laser",
                            "lineas(9)",
                            "$",
                            "@1,0,FACTURA +cldoc_f",
                            "saltar(2)",
                            "$",
                            "&",
                            "@1,0,+descr_f",
                            "@1,1,+canti_f",
                            "saltar(3)",
                            "&"};
  const QStringList pagina1{"FACTURA 57", "Articulo 1", "1", "Articulo 2", "1", "Articulo 3", "1"};
  const QStringList pagina2{"FACTURA 57", "Articulo 4", "1", "Articulo 5", "1", "Articulo 6", "1"};
  const QStringList pagina3{"FACTURA 57", "Articulo 7", "1"};

  Corre(formato, u'i');
  const std::vector<TextoImpreso> impresos = Impresos();
  EXPECT_EQ(TextosDePagina(impresos, 1), pagina1);
  EXPECT_EQ(TextosDePagina(impresos, 2), pagina2);
  EXPECT_EQ(TextosDePagina(impresos, 3), pagina3);
  EXPECT_EQ(Trabajo(), (std::vector<Tipo>{Tipo::Comienza, Tipo::Pagina, Tipo::Pagina, Tipo::Termina}));
  // Each page: the header on row 0, the records from row 2 on, 3 rows apart.
  for (int pagina = 2; pagina <= 3; ++pagina) {
    std::vector<int> ys;
    for (const TextoImpreso& t : impresos) {
      if (t.pagina == pagina) ys.push_back(t.y);
    }
    EXPECT_EQ(ys.front(), 0);
    EXPECT_EQ(ys[1], 2 * 120);
    if (pagina == 2) {
      EXPECT_EQ(ys[3], 5 * 120);
    }
  }

  Corre(formato, u'p');
  EXPECT_EQ(PaginasPrevia(), (std::map<int, QStringList>{{1, pagina1}, {2, pagina2}, {3, pagina3}}));
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(InterpreteTest, UnTextoDelEncabezadoBajoElLimiteAbrePagina) {
  // Texts of the header context past LineasPorPagina - 1 rows start a page.
  Corre({"impresora,laser", "lineas(5)", "$", "texto(1,0,Hoja)", "$", "saltar(4)", "@1,0,Cuatro", "@1,0,Otra"},
        u'i');
  EXPECT_EQ(Impresos(), (std::vector<TextoImpreso>{{1, 63, 0, "Hoja"}, {1, 63, 480, "Cuatro"}, {2, 63, 0, "Hoja"},
                                                    {2, 63, 0, "Otra"}}));
}

TEST_F(InterpreteTest, BloquesDeEncabezado) {
  CreaDocumentoDe(3);
  struct Caso {
    QStringList formato;
    std::map<int, QStringList> paginas;
  };
  const Caso casos[] = {
      // A second block without "nuevobloque" prints once, as ordinary lines.
      {{"$", "texto(1,0,Uno)", "$", "$", "texto(1,0,Dos)", "$", "lineas(1)", "&", "@1,0,+descr_f", "saltar(1)", "&"},
       {{1, {"Uno", "Dos", "Articulo 1"}}, {2, {"Uno", "Articulo 2"}}, {3, {"Uno", "Articulo 3"}}}},
      // With "nuevobloque" it replaces the first one and prints at once.
      {{"$", "texto(1,0,Uno)", "$", "nuevobloque", "$", "texto(1,0,Dos)", "$", "lineas(1)", "&", "@1,0,+descr_f", "saltar(1)", "&"},
       {{1, {"Uno", "Dos", "Articulo 1"}}, {2, {"Dos", "Articulo 2"}}, {3, {"Dos", "Articulo 3"}}}},
      // No block: later pages have no header, whatever an earlier run recorded.
      {{"lineas(1)", "&", "@1,0,+descr_f", "saltar(1)", "&"},
       {{1, {"Articulo 1"}}, {2, {"Articulo 2"}}, {3, {"Articulo 3"}}}},
  };
  for (const Caso& c : casos) {
    Corre(c.formato, u'p');
    EXPECT_EQ(PaginasPrevia(), c.paginas) << c.formato.join(u'|').toStdString();
  }
}

TEST_F(InterpreteTest, BloquesDeCondicion) {
  CreaDocumento(1500.5, {{"A", "Barato", 1, 5}, {"B", "Caro", 1, 500}});
  Corre({"si(total_f>1000)",
         "texto(1,0,Grande)",
         "si(total_f<0)",  // nested "si" lines do nothing
         "@1,1,Sigue",
         "terminacondicion",
         "si(total_f<1000)",
         "@1,2,Pequeño",
         "terminacondicion",
         "&",
         "si(preci_f>100)",
         "@1,0,+descr_f",
         "terminacondicion",
         "saltar(1)",
         "&"},
        u'p');
  EXPECT_EQ(PaginasPrevia(), (std::map<int, QStringList>{{1, {"Grande", "Sigue", "Caro"}}}));
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(InterpreteTest, UnErrorDentroDeUnaCondicionTerminaLaCorridaYDejaLaImpresoraEnOrden) {
  UsaImpresoras(1);
  for (const QStringList& formato :
       {QStringList{"impresora,laser", "texto(1,1,Antes)", "si(total_f>", "terminacondicion", "texto(1,2,Nunca)"},
        QStringList{"impresora,laser", "si(total_f>0)", "texto(x,1,Hola)", "terminacondicion", "texto(1,2,Nunca)"}}) {
    print::BorraOperacionesGrabadas();
    EXPECT_THROW(Corre(formato, u'i'), plat::Error) << formato.join(u'|').toStdString();
    EXPECT_EQ(Trabajo().back(), Tipo::Aborta);
    EXPECT_FALSE(print::Impresora::Global().Imprimiendo());
    EXPECT_EQ(print::Impresora::Global().Indice(), 1);
  }
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
  // The next run is not refused.
  print::BorraOperacionesGrabadas();
  Corre({"impresora,laser", "texto(1,1,Otra)"}, u'i');
  EXPECT_EQ(Impresos().size(), 1u);
}

TEST_F(InterpreteTest, UnaCorridaDentroDeOtraSeRechaza) {
  QString rechazo;
  detalle_->AfterScroll = [&](db::Dataset&) {
    try {
      EjecutaFormato(encabezado_.get(), detalle_.get(), kArchivoFormato, u'p');
    } catch (const plat::Error& e) {
      rechazo = e.mensaje();
    }
  };
  Corre({"&", "@1,0,+descr_f", "saltar(1)", "&"}, u'p');
  detalle_->AfterScroll = nullptr;
  EXPECT_EQ(rechazo, "Ya se está ejecutando otro formato");
  EXPECT_EQ(PaginasPrevia(), (std::map<int, QStringList>{{1, {"Leche entera", "Queso", "Pan"}}}));
}

TEST_F(InterpreteTest, UnArchivoDeFormatoFaltanteLlegaAlLlamador) {
  try {
    EjecutaFormato(encabezado_.get(), detalle_.get(), QStringLiteral("C:\\VRL\\consulta\\falta.fmt"), u'i');
    ADD_FAILURE() << "sin error";
  } catch (const plat::Error& e) {
    EXPECT_EQ(e.clase(), plat::Clase::NoExiste);
  }
  EXPECT_FALSE(print::Impresora::Global().Imprimiendo());
}

TEST_F(InterpreteTest, TicketEnModoTexto) {
  UsaImpresoras(1);
  Corre({"impresora,texto",
         "$",
         "@1,0,Ticket +cldoc_f+ del +fedoc_f",
         "$",
         "&",
         "@1,1,+canti_f+ x +descr_f",
         "variable1=variable1+canti_f*preci_f",
         "saltar(1)",
         "&",
         "@1,1,TOTAL +variable1"},
        u'i');
  // Row r of the format is line r; each text placed past the end of the list
  // leaves one empty line after it.
  EXPECT_EQ(TrabajosDeTexto(), (QList<QStringList>{{"Ticket 57 del 05/03/2024", "2 x Leche entera", "1.5 x Queso",
                                                     "3 x Pan", "TOTAL 129.45", ""}}));
  EXPECT_TRUE(Impresos().empty());
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(InterpreteTest, ModoTextoTrasUnSaltoDePaginaSigueDebajo) {
  UsaImpresoras(1);
  Corre({"impresora,texto", "lineas(2)", "@5,0,Hola", "@30,0,Mundo", "&", "@1,0,+descr_f", "saltar(1)", "&"}, u'i');
  // Pages of two rows: the second page starts after the lines of the first.
  EXPECT_EQ(TrabajosDeTexto(), (QList<QStringList>{{"HolaMundoLeche entera", "Queso", "Pan", ""}}));
}

TEST_F(InterpreteTest, LasLineasConBlancoAlInicioNoSonComandos) {
  Corre({" texto(1,0,Uno)", "texto (1,1,Dos)", "Texto(1,2,Tres)", "texto(1,3,Hola, amigo)", "@1,4,Hola, amigo",
         " $", "texto(1,5,Seis)", " $"},
        u'p');
  EXPECT_EQ(PaginasPrevia(), (std::map<int, QStringList>{{1, {"Tres", "Hola", "Hola, amigo", "Seis"}}}));
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(InterpreteTest, ComandosDeRenglonYPagina) {
  struct Caso {
    QStringList lineas;  // after the printer line
    std::vector<TextoImpreso> impresos;
  };
  const Caso casos[] = {
      {{"separa(60)", "texto(1,2,A)"}, {{1, 63, 220, "A"}}},
      // the row height never falls below one device unit
      {{"separa(100000)", "texto(1,5,A)"}, {{1, 63, 5, "A"}}},
      {{"separa(0)", "texto(1,2,A)"}, {{1, 63, 240, "A"}}},
      {{"saltar(3)", "saltar(-5)", "@1,1,A"}, {{1, 63, 120, "A"}}},
      {{"saltar(3)", "saltar(inicio)", "@1,1,A", "Saltar(2)", "@1,1,B"}, {{1, 63, 120, "A"}, {1, 63, 360, "B"}}},
      // "fin": later texts continue below the last one placed
      {{"texto(1,10,A)", "saltar(fin)", "texto(1,1,B)"}, {{1, 63, 1200, "A"}, {1, 63, 1320, "B"}}},
      // a new page without the page header; "nuevobloque" is no new page
      {{"$", "texto(1,0,H)", "$", "saltar(3)", "@1,1,A", "nuevobloque", "nuevapagina", "@1,1,B"},
       {{1, 63, 0, "H"}, {1, 63, 480, "A"}, {2, 63, 120, "B"}}},
  };
  for (const Caso& c : casos) {
    print::BorraOperacionesGrabadas();
    Corre(QStringList{"impresora,laser"} + c.lineas, u'i');
    EXPECT_EQ(Impresos(), c.impresos) << c.lineas.join(u'|').toStdString();
  }
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(InterpreteTest, SinImpresorasElModoTextoUsaCartaA600PuntosYElErrorLlegaAlLlamador) {
  print::FijaImpresorasPrueba({}, -1);
  print::Impresora::Global().Restablece();
  try {
    Corre({"impresora,texto", "separa(60)", "@1,2,Hola"}, u'i');
    ADD_FAILURE() << "sin error";
  } catch (const plat::Error& e) {
    EXPECT_EQ(e.clase(), plat::Clase::NoExiste);
  }
  EXPECT_EQ(EstadoActual().UnidadVertical, 110);
  EXPECT_EQ(EstadoActual().UnidadHorizontal, 63);
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}
