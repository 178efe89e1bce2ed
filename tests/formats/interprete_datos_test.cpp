// Texts a format takes from outside its datasets: the document's data file,
// label templates, observations, SQL look-ups; and format files written in
// UTF-8.

#include "formats/Interprete_estado.h"
#include "formats/formato_prueba.h"
#include "platform/db/Orden.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/PuertaModal.h"

namespace {

const QString kErrorFormato = QStringLiteral("Error en el Formato Revise su Estructura");
const QString kArchivoDatos = QStringLiteral("C:\\FE\\DAT\\57-JUANPEREZ S.A. DE C.V. Y -A1.dat");

class DatosTest : public FormatoPrueba {
 protected:
  void SetUp() override {
    FormatoPrueba::SetUp();
    CreaFactura(QStringLiteral("A1"));
    db::Tabla::Crea(kDatosFormato, QStringLiteral("INVENTAR.DBF"),
                    {{"CLPRO_I", 'C', 12, 0}, {"DSCPR_I", 'C', 30, 0}, {"PRECI_I", 'N', 10, 2}});
    auto inventario = Abre(QStringLiteral("INVENTAR.DBF"));
    const std::tuple<QString, QString, double> productos[] = {
        {"LE01", "Leche entera", 18.75}, {"QU02", "Queso", 42.3}, {"A\"B", "Comillas", 1}};
    for (const auto& [clave, descripcion, precio] : productos) {
      inventario->Append();
      inventario->FieldByName("CLPRO_I").SetAsString(clave);
      inventario->FieldByName("DSCPR_I").SetAsString(descripcion);
      inventario->FieldByName("PRECI_I").SetAsFloat(precio);
      inventario->Post();
    }
  }

  // Sales document 57 with the control number given; its lines hold only
  // product keys.
  void CreaFactura(const QString& control, const QStringList& claves = {"LE01"}) {
    encabezado_.reset();
    detalle_.reset();
    db::Tabla::Crea(kDatosFormato, QStringLiteral("FACTURAE.DBF"),
                    {{"CLDOC_F", 'N', 8, 0}, {"NOMBR_F", 'C', 40, 0}, {"CONTROL", 'C', 10, 0}, {"CLAVE_F", 'C', 12, 0}});
    encabezado_ = Abre(QStringLiteral("FACTURAE.DBF"));
    encabezado_->Append();
    encabezado_->FieldByName("CLDOC_F").SetAsInteger(57);
    encabezado_->FieldByName("NOMBR_F").SetAsString(QStringLiteral("JUAN/PEREZ: S.A. DE C.V. Y ASOCIADOS"));
    encabezado_->FieldByName("CONTROL").SetAsString(control);
    encabezado_->FieldByName("CLAVE_F").SetAsString(QStringLiteral("QU02"));
    encabezado_->Post();
    db::Tabla::Crea(kDatosFormato, QStringLiteral("DETALLE.DBF"), {{"CLDOC_F", 'N', 8, 0}, {"CLAVE", 'C', 20, 0}});
    detalle_ = Abre(QStringLiteral("DETALLE.DBF"));
    for (const QString& clave : claves) {
      detalle_->Append();
      detalle_->FieldByName("CLDOC_F").SetAsInteger(57);
      detalle_->FieldByName("CLAVE").SetAsString(clave);
      detalle_->Post();
    }
  }

  // The texts of the preview records of a format, in order.
  QStringList Previa(const QStringList& lineas) {
    ui::PuertaModal::LimpiaMensajes();
    Corre(lineas, u'p');
    QStringList r;
    for (const TElementoPagina& e : LeeElementosPagina()) r << e.Texto;
    return r;
  }

  struct Caso {
    QString linea;
    QStringList textos;
    QStringList mensajes = {};
  };
  void Comprueba(const Caso& c) {
    EXPECT_EQ(Previa({c.linea}), c.textos) << c.linea.toStdString();
    EXPECT_EQ(Mensajes(), c.mensajes) << c.linea.toStdString();
  }

  static QStringList ErrorDe(const QString& linea) { return {kErrorFormato, "Linea Afectada " + linea}; }

  // The font of the first text drawn by a print run.
  print::Fuente FuenteImpresa(const QStringList& lineas) {
    print::BorraOperacionesGrabadas();
    print::Impresora::Global().lienzo().fuente() = print::Fuente();
    Corre(QStringList{"impresora,laser"} + lineas, u'i');
    for (const print::Operacion& o : print::OperacionesGrabadas()) {
      if (o.tipo == print::Operacion::Tipo::Texto) return o.fuente;
    }
    ADD_FAILURE() << "nada impreso";
    return {};
  }
};

}  // namespace

TEST_F(DatosTest, SeccionesDelArchivoDeDatosDelDocumento) {
  EscribeBytes(kArchivoDatos, QByteArray("*RFC\r\nABC010101AAA\r\n*NOMBRE\r\n*DOMICILIO\r\nuno\r\n\r\ndos\r\n"
                                         "*UTF8\r\nPe\xC3\xB1" "a Jos\xC3\xA9 \xE2\x82\xAC\r\n"
                                         "*CP1252\r\nPe\xF1" "a\r\n"));
  const Caso casos[] = {
      {"txt(5,3,RFC)", {"ABC010101AAA"}},
      {"txt(5,3,NOMBRE)", {""}},
      {"txt(5,3,DOMICILIO)", {"unodos"}},
      {"txt(5,3,FALTA)", {""}},
      {"txt(5,3,UTF8)", {"Peña José €"}},
      {"txt(5,3,CP1252)", {"Peña"}},
      {"txt(x,3,RFC)", {}, ErrorDe("txt(x,3,RFC)")},
      {"lee(0,0,DOMICILIO)\n@5,3,cadena9", {"unodos"}},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(Previa(c.linea.split(u'\n')), c.textos) << c.linea.toStdString();
    EXPECT_EQ(Mensajes(), c.mensajes) << c.linea.toStdString();
  }

  // Another document's file does not exist: nothing to read.
  CreaFactura(QStringLiteral("B2"));
  EXPECT_EQ(Previa({"txt(5,3,RFC)", "lee(0,0,RFC)", "@5,4,cadena9"}), (QStringList{"", ""}));
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(DatosTest, ElEstiloDeLaSeccionPideInterruptor) {
  EscribeBytes(kArchivoDatos, QByteArray("*RFC\r\nABC010101AAA\r\n"));
  struct Estilo {
    QString linea;
    bool negrita, cursiva;
  };
  const Estilo casos[] = {
      {"txt(5,3,RFC,negrita,s)", true, false},
      {"txt(5,3,RFC,Cursiva,s)", false, true},
      {"txt(5,3,RFC,negrita)", false, false},
      {"txt(5,3,RFC,e,s)", false, false},
  };
  for (const Estilo& c : casos) {
    const print::Fuente f = FuenteImpresa({c.linea});
    EXPECT_EQ(f.negrita, c.negrita) << c.linea.toStdString();
    EXPECT_EQ(f.cursiva, c.cursiva) << c.linea.toStdString();
  }
}

TEST_F(DatosTest, EtiquetasDeLaPlantillaDelDocumento) {
  EscribeLineas("C:\\VRL\\eti\\57.eti", {"Leche,1 litro", "Queso,500 g", "Pan"});
  const Caso casos[] = {
      {"eti(5,3,1)", {"Leche"}},
      {"dto(5,3,1)", {"1 litro"}},
      {"eti(5,3,2)", {"Queso"}},
      {"dto(5,3,3)", {""}},
      // beyond its end the template's last line is read
      {"eti(5,3,9)", {"Pan"}},
      {"eti(5,3,0)", {""}},
      {"eti(5,3,uno)", {}, ErrorDe("eti(5,3,uno)")},
  };
  for (const Caso& c : casos) Comprueba(c);
  EXPECT_TRUE(FuenteImpresa({"eti(5,3,1,cursiva)"}).cursiva);

  fs::BorraArchivo("C:\\VRL\\eti\\57.eti");
  Comprueba({"dto(5,3,1)", {""}});
}

TEST_F(DatosTest, ObservacionesDelDocumento) {
  // The owner's rows are reached through the CLDOC_FO tag.
  db::Tabla::Crea(kDatosFormato, QStringLiteral("factuobs.dbf"),
                  {{"CLDOC_FO", 'C', 20, 0}, {"TIDOC_FO", 'C', 2, 0}, {"OBSER_FO", 'C', 100, 0}},
                  {{"CLDOC_FO", "CLDOC_FO"}});
  auto obs = Abre(QStringLiteral("factuobs.dbf"));
  const std::tuple<QString, QString, QString> filas[] = {
      {"57", "Fa", "Entregar en la mañana"}, {"58", "Fa", "Otro documento"}, {"57", "CL", "Del cliente 57"},
      {"57", "Re", "De la recepción 57"},    {"57", "Fa", "Cliente frecuente"}, {"C1", "CL", "Paga en efectivo"},
  };
  for (const auto& [clave, tipo, texto] : filas) {
    obs->Append();
    obs->FieldByName("CLDOC_FO").SetAsString(clave);
    obs->FieldByName("TIDOC_FO").SetAsString(tipo);
    obs->FieldByName("OBSER_FO").SetAsString(texto);
    obs->Post();
  }
  obs.reset();

  // The document's own observations, one row apart, at absolute rows.
  Corre({"saltar(3)", "com(10,5)"}, u'p');
  std::vector<std::tuple<double, double, QString>> r;
  for (const TElementoPagina& e : LeeElementosPagina()) r.emplace_back(e.X, e.Y, e.Texto);
  EXPECT_EQ(r, (std::vector<std::tuple<double, double, QString>>{{10, 5, "Entregar en la mañana"},
                                                                 {10, 6, "Cliente frecuente"}}));
  print::BorraOperacionesGrabadas();
  Corre({"impresora,laser", "com(10,5)"}, u'i');
  EXPECT_EQ(Impresos(), (std::vector<TextoImpreso>{{1, 630, 600, "Entregar en la mañana"},
                                                   {1, 630, 720, "Cliente frecuente"}}));

  // Errors skip the line without a word.
  Comprueba({"com(1.5,5)", {}});

  // A customer record prints its own kind; a table without observations
  // prints none.
  db::Tabla::Crea(kDatosFormato, QStringLiteral("Cliente.dbf"), {{"CLCLI_C", 'C', 10, 0}});
  auto cliente = Abre(QStringLiteral("Cliente"));
  cliente->Append();
  cliente->FieldByName("CLCLI_C").SetAsString("C1");
  cliente->Post();
  EscribeLineas(kArchivoFormato, {"com(10,5)"});
  EjecutaFormato(cliente.get(), cliente.get(), kArchivoFormato, u'p');
  EXPECT_EQ(PaginasPrevia(), (std::map<int, QStringList>{{1, {"Paga en efectivo"}}}));
  EjecutaFormato(detalle_.get(), detalle_.get(), kArchivoFormato, u'p');
  EXPECT_TRUE(LeeElementosPagina().empty());

  fs::BorraArchivo(kDatosFormato + "\\factuobs.dbf");
  fs::BorraArchivo(kDatosFormato + "\\factuobs.mdx");
  Comprueba({"com(10,5)", {}});
}

TEST_F(DatosTest, ValoresBuscadosPorSQL) {
  // A key with a double quote neither breaks the statement nor matches
  // another product.
  CreaFactura("A1", {"LE01", "QU02", "ZZ99", "A\"B", "X\" OR \"1\"=\"1"});
  EXPECT_EQ(Previa({"&", "sql(20,0,dscpr_i,inventar,clpro_i=,clave)", "saltar(1)", "&"}),
            (QStringList{"Leche entera", "Queso", "", "Comillas", ""}));
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();

  const Caso casos[] = {
      {"vsq(0,0,preci_i,inventar,clpro_i=,clave_f,variable1)\n@1,1,variable1", {"42.3"}},
      {"vsq(0,0,dscpr_i,inventar,clpro_i=,clave_f,cadena2)\n@1,1,cadena2", {"Queso"}},
      {"vsq(0,0,preci_i,inventar,clpro_i=,cldoc_f,variable1)\n@1,1,variable1", {"0"}},
      {"cadena2=x\nvsq(0,0,dscpr_i,inventar,clpro_i=,cldoc_f,cadena2)\n@1,1,cadena2", {""}},
      // errors skip the line without a word
      {"sql(20,0,dscpr_i,noexiste,clpro_i=,clave_f)", {}},
      {"sql(20,0,dscpr_i,inventar,clpro_i=,falta_f)", {}},
      {"sql(20,0,dscpr_i,inventar,clpro_i,clave_f)", {}},
      {"cadena2=x\nvsq(0,0,dscpr_i,noexiste,clpro_i=,clave_f,cadena2)\n@1,1,cadena2", {"x"}},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(Previa(c.linea.split(u'\n')), c.textos) << c.linea.toStdString();
    EXPECT_EQ(Mensajes(), c.mensajes) << c.linea.toStdString();
  }
}

TEST_F(DatosTest, FormatosYArchivosEscritosEnUtf8) {
  // A format saved as UTF-8 (with or without a byte-order mark) reads as
  // one saved as Windows-1252.
  EscribeBytes("C:\\FE\\FE_emisor.ini", QByteArray("NOMBRE\r\nPe\xC3\xB1" "a\r\n"));
  EscribeBytes("C:\\VRL\\eti\\57.eti", QByteArray("Caf\xC3\xA9,Az\xC3\xBA" "car\r\n"));
  const QByteArray utf8("a\xC3\xB1o(5,3,hoy)\r\ntexto(1,1,Se\xC3\xB1or)\r\n@1,2,ini_NOMBRE\r\neti(1,3,1)\r\ndto(1,4,1)\r\n");
  const QByteArray cp1252("a\xF1o(5,3,hoy)\r\ntexto(1,1,Se\xF1or)\r\n@1,2,ini_NOMBRE\r\neti(1,3,1)\r\ndto(1,4,1)\r\n");
  fs::FijaAhora(QDateTime(QDate(2025, 1, 7), QTime(9, 0)));
  for (const QByteArray& formato : {utf8, QByteArray("\xEF\xBB\xBF") + utf8, cp1252}) {
    EscribeBytes(kArchivoFormato, formato);
    EjecutaFormato(encabezado_.get(), detalle_.get(), kArchivoFormato, u'p');
    EXPECT_EQ(PaginasPrevia(), (std::map<int, QStringList>{{1, {"2025", "Señor", "Peña", "Café", "Azúcar"}}}));
  }

  // The printer line of a UTF-8 file with a byte-order mark is still one.
  UsaImpresoras(1);
  EscribeBytes(kArchivoFormato, "\xEF\xBB\xBFimpresora,laser\r\n" + utf8);
  EjecutaFormato(encabezado_.get(), detalle_.get(), kArchivoFormato, u'i');
  ASSERT_FALSE(print::OperacionesGrabadas().empty());
  EXPECT_EQ(print::OperacionesGrabadas().front().impresora, "laser");
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}
