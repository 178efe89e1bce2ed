#include "platform/Error.h"
#include "platform/fs/Texto.h"
#include "platform/print/Cola.h"
#include "platform/print/Colores.h"
#include "platform/print/Impresora.h"
#include "platform/print/Impresoras.h"
#include "platform/print/Registro.h"
#include "support/RaizPrueba.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

using print::DatosImpresora;
using print::Impresora;
using print::Operacion;
using print::TipoImpresora;

namespace {

// A root of its own, a spool folder for queue jobs, and the printer object
// as the program starts it.
class ImpresionTest : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    ASSERT_TRUE(cola_.isValid());
    qputenv("VORLAN_RAW_SPOOL", QFile::encodeName(cola_.path()));
    Usa({{"oficina", "Laser de la oficina", TipoImpresora::Cola, QString(), 300},
         {"recibos", "Impresora de Tickets", TipoImpresora::Cola, QString(), 180},
         {"PDF", "Imprimir a PDF", TipoImpresora::Pdf, Archivo("salida.pdf"), 0},
         {"Registro", "", TipoImpresora::Registro, QString(), 600}},
        0);
  }

  void TearDown() override {
    Impresora::Global().Restablece();
    print::RefrescaImpresoras();
    RaizPrueba::TearDown();
  }

  static void Usa(std::vector<DatosImpresora> lista, int predeterminada) {
    print::FijaImpresorasPrueba(std::move(lista), predeterminada);
    Impresora::Global().Restablece();
    print::BorraOperacionesGrabadas();
  }

  QString Archivo(const QString& nombre) const { return raiz() + u'/' + nombre; }

  // The jobs of the spool folder, in the order sent.
  QStringList Trabajos() const { return QDir(cola_.path()).entryList(QDir::Files, QDir::Name); }
  QByteArray Trabajo(const QString& nombre) const {
    QFile f(cola_.path() + u'/' + nombre);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(no existe)");
  }

  static QString Ejecuta(const QString& programa, const QStringList& argumentos) {
    QProcess p;
    p.start(programa, argumentos);
    if (!p.waitForFinished(20000)) return QStringLiteral("(no terminó)");
    return QString::fromUtf8(p.readAllStandardOutput());
  }

  QTemporaryDir cola_;
};

std::vector<Operacion::Tipo> Tipos(const std::vector<Operacion>& ops) {
  std::vector<Operacion::Tipo> tipos;
  for (const Operacion& op : ops) tipos.push_back(op.tipo);
  return tipos;
}

}  // namespace

TEST_F(ImpresionTest, DosPaginasEnLaImpresoraPdf) {
  Impresora& imp = Impresora::Global();
  imp.FijaIndice(2);
  EXPECT_EQ(imp.AnchoPagina(), 5100);
  EXPECT_EQ(imp.AltoPagina(), 6600);
  imp.Comienza(QStringLiteral("Factura"));
  imp.lienzo().Texto(600, 600, QStringLiteral("Primera hoja"));
  imp.NuevaPagina();
  EXPECT_EQ(imp.NumeroPagina(), 2);
  imp.lienzo().Texto(600, 600, QStringLiteral("Segunda hoja"));
  imp.Termina();
  EXPECT_FALSE(imp.Imprimiendo());

  const QString info = Ejecuta(QStringLiteral("pdfinfo"), {Archivo("salida.pdf")});
  EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n")))) << info.toStdString();
  EXPECT_TRUE(info.contains(QStringLiteral("612 x 792 pts (letter)"))) << info.toStdString();
  EXPECT_TRUE(Ejecuta(QStringLiteral("pdftotext"), {"-f", "2", "-l", "2", Archivo("salida.pdf"), "-"})
                  .contains(QStringLiteral("Segunda hoja")));
}

TEST_F(ImpresionTest, UnTrabajoGuardaSusPaginasHastaTerminarYAdmiteTextosEnLasAnteriores) {
  Impresora& imp = Impresora::Global();
  imp.FijaIndice(2);
  imp.Comienza(QStringLiteral("Factura"));
  imp.lienzo().Texto(600, 600, QStringLiteral("Primera hoja"));
  imp.NuevaPagina();
  imp.lienzo().Texto(600, 600, QStringLiteral("Segunda hoja"));
  imp.lienzo().TextoEnPagina(1, 600, 900, QStringLiteral("1 de 2"));
  imp.lienzo().Texto(600, 900, QStringLiteral("2 de 2"));  // still on the current page
  for (int pagina : {0, 3}) {
    try {
      imp.lienzo().TextoEnPagina(pagina, 0, 0, QStringLiteral("x"));
      ADD_FAILURE() << "página " << pagina;
    } catch (const plat::Error& e) {
      EXPECT_EQ(e.clase(), plat::Clase::Estado);
    }
  }
  imp.Termina();
  EXPECT_THROW(imp.lienzo().TextoEnPagina(1, 0, 0, QStringLiteral("x")), plat::Error);

  const QString archivo = Archivo("salida.pdf");
  const auto pagina = [&](int n) {
    return Ejecuta(QStringLiteral("pdftotext"), {"-f", QString::number(n), "-l", QString::number(n), archivo, "-"})
        .simplified();
  };
  EXPECT_EQ(pagina(1), "Primera hoja 1 de 2");
  EXPECT_EQ(pagina(2), "Segunda hoja 2 de 2");
}

TEST_F(ImpresionTest, TamanoDePaginaSegunPapelOrientacionYResolucion) {
  struct Caso { int impresora; print::Papel papel; print::Orientacion orientacion; int ancho, alto; };
  const Caso casos[] = {
      {3, print::Papel::Carta, print::Orientacion::Vertical, 5100, 6600},
      {3, print::Papel::Oficio, print::Orientacion::Vertical, 5100, 8400},
      {3, print::Papel::Carta, print::Orientacion::Horizontal, 6600, 5100},
      {0, print::Papel::Carta, print::Orientacion::Vertical, 2550, 3300},
      {0, print::Papel::A4, print::Orientacion::Vertical, 2480, 3508},
  };
  Impresora& imp = Impresora::Global();
  for (const Caso& c : casos) {
    imp.FijaIndice(c.impresora);
    imp.FijaPapel(c.papel);
    imp.FijaOrientacion(c.orientacion);
    EXPECT_EQ(imp.AnchoPagina(), c.ancho) << c.impresora << " " << c.ancho;
    EXPECT_EQ(imp.AltoPagina(), c.alto) << c.impresora << " " << c.ancho;
  }
}

TEST_F(ImpresionTest, UnTrabajoEnUnaColaSeEnviaComoPdfASuResolucion) {
  Impresora& imp = Impresora::Global();
  imp.FijaOrientacion(print::Orientacion::Horizontal);
  imp.Comienza(QStringLiteral("Remision"));
  EXPECT_EQ(imp.AnchoPagina(), 3300);
  imp.lienzo().Texto(100, 100, QStringLiteral("Remision 15"));
  imp.Termina();
  ASSERT_EQ(Trabajos(), QStringList{"000001-oficina.pdf"});
  QFile::copy(QDir(cola_.path()).filePath(Trabajos()[0]), Archivo("enviado.pdf"));
  const QString info = Ejecuta(QStringLiteral("pdfinfo"), {Archivo("enviado.pdf")});
  EXPECT_TRUE(info.contains(QStringLiteral("792 x 612 pts"))) << info.toStdString();
}

TEST_F(ImpresionTest, ElegirImpresoraPorNombreODescripcion) {
  struct Caso { const char* nombre; int indice; };
  const Caso casos[] = {{"recibos", 1}, {"RECIBOS", 1}, {"impresora de tickets", 1},
                        {"Laser de la Oficina", 0}, {"pdf", 2}, {"", -1}, {"HP LaserJet", -1}};
  for (const Caso& c : casos) EXPECT_EQ(print::BuscaImpresora(QString::fromUtf8(c.nombre)), c.indice) << c.nombre;
  EXPECT_EQ(print::NombresImpresoras(), (QStringList{"oficina", "recibos", "PDF", "Registro"}));
}

TEST_F(ImpresionTest, SeleccionDeImpresora) {
  Impresora& imp = Impresora::Global();
  EXPECT_EQ(imp.Indice(), 0);  // the default one
  imp.FijaIndice(3);
  EXPECT_EQ(imp.Seleccionada().nombre, "Registro");
  imp.FijaIndice(-1);
  EXPECT_EQ(imp.Indice(), 0);

  EXPECT_THROW(imp.FijaIndice(4), plat::Error);
  imp.FijaIndice(3);
  imp.Comienza();
  // Nothing of the printer's choice or page changes while a job is open.
  for (const auto& cambio : std::vector<std::function<void()>>{
           [&] { imp.FijaIndice(0); }, [&] { imp.FijaPapel(print::Papel::Oficio); },
           [&] { imp.FijaOrientacion(print::Orientacion::Horizontal); }, [&] { imp.Comienza(); },
           [&] { imp.ImprimeTexto({"x"}); }}) {
    try {
      cambio();
      ADD_FAILURE() << "se aceptó un cambio con un trabajo abierto";
    } catch (const plat::Error& e) {
      EXPECT_EQ(e.clase(), plat::Clase::Estado);
    }
  }
  imp.Termina();
  EXPECT_THROW(imp.NuevaPagina(), plat::Error);
  EXPECT_THROW(imp.Termina(), plat::Error);

  // A new list drops a choice made on the old one.
  Usa({{"unica", "", TipoImpresora::Registro, QString(), 600}}, 0);
  EXPECT_EQ(imp.Seleccionada().nombre, "unica");
}

TEST_F(ImpresionTest, SinImpresorasNoSeImprimeYSeDiceClaramente) {
  Usa({}, -1);
  Impresora& imp = Impresora::Global();
  EXPECT_EQ(imp.Indice(), -1);
  for (const auto& accion : std::vector<std::function<void()>>{[&] { imp.Comienza(); },
                                                               [&] { imp.ImprimeTexto({"Hola"}); }}) {
    try {
      accion();
      ADD_FAILURE() << "se imprimió sin impresoras";
    } catch (const plat::Error& e) {
      EXPECT_EQ(e.clase(), plat::Clase::NoExiste);
      EXPECT_EQ(e.mensaje(), "No hay ninguna impresora instalada");
    }
  }
  EXPECT_FALSE(imp.Imprimiendo());
}

TEST_F(ImpresionTest, LasFuentesLogicasMidenComoSusCarasDeWindows) {
  // "System" is drawn as Arial and "Courier" as Courier New, whatever the
  // case the program writes them in.
  Impresora& imp = Impresora::Global();
  imp.FijaIndice(3);
  print::Lienzo& l = imp.lienzo();
  auto ancho = [&](const char* nombre) {
    l.fuente().nombre = QString::fromLatin1(nombre);
    return l.AnchoTexto(QStringLiteral("Total $ 1,234.50 MMiii"));
  };
  EXPECT_EQ(ancho("System"), ancho("Arial"));
  EXPECT_EQ(ancho("Courier"), ancho("Courier New"));
  EXPECT_EQ(ancho("COURIER"), ancho("Courier New"));
  EXPECT_NE(ancho("System"), ancho("Courier"));
}

TEST_F(ImpresionTest, FuenteYPlumaSiguenDeUnTrabajoAOtro) {
  Impresora& imp = Impresora::Global();
  imp.FijaIndice(3);
  print::Lienzo& l = imp.lienzo();
  l.fuente().nombre = QStringLiteral("Courier New");
  l.fuente().tamano = 12;
  l.fuente().negrita = true;
  l.fuente().color = print::ColorWindows(0x0000FF);
  l.pluma().grosor = 3;
  l.brocha().color = Qt::yellow;
  imp.Comienza(QStringLiteral("uno"));
  imp.Termina();
  imp.Comienza(QStringLiteral("dos"));
  l.Texto(10, 20, QStringLiteral("Total"));
  l.MueveA(0, 100);
  l.LineaA(500, 100);
  imp.Termina();

  const std::vector<Operacion> ops = print::OperacionesGrabadas();
  ASSERT_EQ(ops.size(), 6u);
  const Operacion& texto = ops[3];
  EXPECT_EQ(texto.tipo, Operacion::Tipo::Texto);
  EXPECT_EQ(texto.punto, QPoint(10, 20));
  EXPECT_EQ(texto.fuente.nombre, "Courier New");
  EXPECT_EQ(texto.fuente.tamano, 12);
  EXPECT_TRUE(texto.fuente.negrita);
  EXPECT_EQ(texto.fuente.color, QColor(Qt::red));
  EXPECT_EQ(texto.brocha.color, QColor(Qt::yellow));
  EXPECT_EQ(ops[4].pluma.grosor, 3);
  EXPECT_EQ(ops[4].punto, QPoint(0, 100));
  EXPECT_EQ(ops[4].hasta, QPoint(500, 100));
}

TEST_F(ImpresionTest, ElLienzoGrabaLoQueDibujaYSoloConTrabajoAbierto) {
  Impresora& imp = Impresora::Global();
  imp.FijaIndice(3);
  print::Lienzo& l = imp.lienzo();
  // With no job, drawing leaves no mark and measuring still works.
  l.Texto(0, 0, QStringLiteral("nada"));
  l.Rectangulo(0, 0, 10, 10);
  EXPECT_TRUE(print::OperacionesGrabadas().empty());
  EXPECT_GT(l.AnchoTexto(QStringLiteral("nada")), 0);

  QImage(40, 20, QImage::Format_RGB32).save(Archivo("logo.bmp"));
  imp.Comienza();
  l.brocha().color = print::ColorDeTexto(QStringLiteral("clRed"));
  l.Rectangulo(100, 200, 300, 400);
  l.RellenaRectangulo(300, 400, 100, 200);  // corners in any order
  l.RectanguloRedondeado(0, 0, 50, 60, 10, 12);
  l.EstiraImagen(QRect(10, 10, 400, 200), Archivo("logo.bmp"));
  EXPECT_THROW(l.EstiraImagen(QRect(10, 10, 400, 200), Archivo("falta.bmp")), plat::Error);
  imp.NuevaPagina();
  l.MueveA(1, 2);
  l.LineaA(3, 4);
  l.LineaA(5, 6);
  imp.Termina();

  const std::vector<Operacion> ops = print::OperacionesGrabadas();
  using T = Operacion::Tipo;
  ASSERT_EQ(Tipos(ops), (std::vector<T>{T::Comienza, T::Rectangulo, T::Rectangulo, T::Redondeado, T::Imagen,
                                        T::Pagina, T::Linea, T::Linea, T::Termina}));
  EXPECT_EQ(ops[1].rect, QRect(100, 200, 200, 200));
  EXPECT_TRUE(ops[1].conPluma && ops[1].conBrocha);
  EXPECT_EQ(ops[1].brocha.color, QColor(Qt::red));
  EXPECT_EQ(ops[2].rect, QRect(100, 200, 200, 200));
  EXPECT_FALSE(ops[2].conPluma);
  EXPECT_EQ(ops[3].esquina, QSize(10, 12));
  EXPECT_EQ(ops[4].imagen, QSize(40, 20));
  EXPECT_EQ(ops[4].rect, QRect(10, 10, 400, 200));
  EXPECT_EQ(ops[7].punto, QPoint(3, 4));
  EXPECT_EQ(ops[7].hasta, QPoint(5, 6));
  EXPECT_EQ(ops[7].pagina, 2);
}

TEST_F(ImpresionTest, LasFuentesDeWindowsMidenComoEnWindows) {
  // Arial and Courier New are served by metric-compatible fonts, so texts
  // take the width they took on the Windows printers: at 600 dpi a 10-point
  // font is 83 dots high, a Courier New character 0.6 of that wide.
  Impresora& imp = Impresora::Global();
  imp.FijaIndice(3);
  print::Fuente& f = imp.lienzo().fuente();
  f.tamano = 10;
  f.nombre = QStringLiteral("Courier New");
  EXPECT_EQ(imp.lienzo().AnchoTexto(QStringLiteral("ABCDEFGHIJ")), 498);
  f.nombre = QStringLiteral("Arial");
  EXPECT_EQ(imp.lienzo().AnchoTexto(QStringLiteral("Hola")), 171);
  EXPECT_EQ(imp.lienzo().AnchoTexto(QStringLiteral("WWWW")), 313);
}

TEST_F(ImpresionTest, ModoTextoEnUnaColaYEnUnaSeudoImpresora) {
  Impresora& imp = Impresora::Global();
  imp.FijaIndice(1);
  imp.ImprimeTexto({QStringLiteral("Año 2024"), QString(), QStringLiteral("HolaMundo")}, QStringLiteral("Ticket"));
  ASSERT_EQ(Trabajos(), QStringList{"000001-recibos.prn"});
  EXPECT_EQ(Trabajo(Trabajos()[0]), QByteArray("A\xF1o 2024\r\n\r\nHolaMundo\r\n"));

  imp.FijaIndice(3);
  imp.ImprimeTexto({QStringLiteral("uno"), QStringLiteral("dos")});
  const std::vector<Operacion> ops = print::OperacionesGrabadas();
  ASSERT_EQ(ops.size(), 4u);
  EXPECT_EQ(ops[1].texto, "uno");
  EXPECT_EQ(ops[2].texto, "dos");
  EXPECT_EQ(ops[1].punto.y(), 0);
  EXPECT_GT(ops[2].punto.y(), imp.lienzo().AltoTexto(QStringLiteral("uno")) - 1);
}

TEST_F(ImpresionTest, TrabajosCrudosNumeradosEnLaCarpeta) {
  print::EnviaCrudo(QStringLiteral("recibos"), QByteArray("\x1B\x70\x00", 3), QStringLiteral("Cajon"));
  print::EnviaCrudo(QStringLiteral("recibos"), QByteArray(), QStringLiteral("Cajon"));
  print::EnviaCrudo(QStringLiteral("Caja 2: Mostrador"), QByteArray("x"), QStringLiteral("x"));
  EXPECT_EQ(Trabajos(), (QStringList{"000001-recibos.prn", "000002-recibos.prn", "000003-Caja_2__Mostrador.prn"}));
  EXPECT_EQ(Trabajo("000001-recibos.prn"), QByteArray("\x1B\x70\x00", 3));
  EXPECT_EQ(Trabajo("000002-recibos.prn"), QByteArray());
}

TEST_F(ImpresionTest, SinCarpetaNiServidorLaColaFallaSinEsperar) {
  // No CUPS server runs for the tests (or it has no such queue): the job
  // fails at once with a message instead of waiting for a printer.
  qunsetenv("VORLAN_RAW_SPOOL");
  try {
    print::EnviaCrudo(QStringLiteral("no-existe-en-este-equipo"), QByteArray("x"), QStringLiteral("x"));
    ADD_FAILURE() << "se envió a una cola que no existe";
  } catch (const plat::Error& e) {
    EXPECT_TRUE(e.clase() == plat::Clase::NoExiste || e.clase() == plat::Clase::Io) << e.what();
    EXPECT_TRUE(e.mensaje().contains(QStringLiteral("no-existe-en-este-equipo"))) << e.what();
  }
}

TEST_F(ImpresionTest, UnTrabajoAbortadoNoDejaArchivo) {
  Impresora& imp = Impresora::Global();
  imp.FijaIndice(2);
  imp.Comienza();
  imp.lienzo().Texto(0, 0, QStringLiteral("a medias"));
  imp.Aborta();
  EXPECT_FALSE(imp.Imprimiendo());
  EXPECT_FALSE(QFile::exists(Archivo("salida.pdf")));
  imp.Aborta();  // with no job, nothing
}

TEST(ColoresTest, TextosDeColor) {
  struct Caso { const char* texto; QColor color; };
  const Caso casos[] = {{"clRed", Qt::red},           {"CLNAVY", QColor(0, 0, 128)}, {"clWhite", Qt::white},
                        {"$FF0000", Qt::blue},        {"255", Qt::red},              {"$00FFFF", Qt::yellow},
                        {"0", Qt::black}};
  for (const Caso& c : casos) EXPECT_EQ(print::ColorDeTexto(QString::fromUtf8(c.texto)), c.color) << c.texto;
  for (const char* malo : {"rojo", "", "clRojo", "$GG", "-5", "16777216"}) {
    try {
      print::ColorDeTexto(QString::fromUtf8(malo));
      ADD_FAILURE() << malo;
    } catch (const plat::Error& e) {
      EXPECT_EQ(e.clase(), plat::Clase::Conversion) << malo;
    }
  }
}
