// The stock card: its builders, the card window driven as a user does
// (filters, recount, "Ajustar Inv.", "Exportar"), and two stations carding
// at once.

#include "documentos_prueba.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/Costeo.h"
#include "inventory/RecalculoExistencia.h"
#include "inventory/RegistroMovimiento.h"
#include "platform/db/Consulta.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/RejillaDatos.h"
#include "reports/Barras.h"
#include "reports/Formatos.h"
#include "support/LanzadorGrabador.h"
#include "support/Maneja.h"
#include "support/Proceso.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QElapsedTimer>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <functional>

using prueba::AvisaPadre;
using prueba::EsperaPadre;
using prueba::ProcesoHijo;

namespace {

const QDate kMarzo(2025, 3, 1);

// Answers the next card window.
void AlMostrar(std::function<void(TFormaCosteo&)> guion) {
  ui::PuertaModal::Espera("TFormaCosteo", [guion](QDialog& d) { guion(static_cast<TFormaCosteo&>(d)); });
}

// The visible rows of the card, the named fields of each joined by "/".
QStringList Filas(TFormaCosteo& f, const QStringList& campos) {
  QStringList filas;
  db::Tabla& t = *f.TablaNormal;
  for (t.First(); !t.Eof(); t.Next()) {
    QStringList valores;
    for (const QString& c : campos) valores << t.FieldByName(c).AsString();
    filas << valores.join(u'/');
  }
  return filas;
}

// The movement rows of a product with a concept above 0, for the cards
// over MOVINVEN.DBF.
QString ConsultaMovimientos(const QString& clave, const QString& columnas = "*") {
  return "Select " + columnas + " From \"" + kDatos + "\\MOVINVEN.DBF\" where CLPRO_MI=\"" + clave +
         "\" and TIMOV_MI>0";
}
const QString kOrden = "ORDER BY FEDOC_MI,CLDOC_MI";

using Kardex = DocumentosPrueba;

// The counting builders over the recount union and over movement rows.
TEST_F(Kardex, LosRecuentosDevuelvenSusTotales) {
  Movimiento("A", ConceptoCompra, 12);
  Movimiento("A", ConceptoVentaRemision, 5);
  Movimiento("A", ConceptoAjusteEntrada, 3);
  Movimiento("B", ConceptoCompra, 10, {{"COSUN_MI", 5}});
  Movimiento("B", ConceptoCompra, 30, {{"COSUN_MI", 7}, {"FEDOC_MI", kMarzo.addDays(1)}});
  Movimiento("B", ConceptoVentaRemision, 4, {{"COSUN_MI", 9}, {"FEDOC_MI", kMarzo.addDays(2)}});
  Movimiento("C", ConceptoAjusteEntrada, 10, {{"COSUN_MI", 5}});
  Movimiento("C", ConceptoVentaRemision, 4);

  struct Caso {
    std::function<QString()> calcula;
    QString esperado;
  };
  const Caso casos[] = {
      {[] { return CalculaExistenciaKardex(ConsultaExistencia(Empresa(), "A")); }, "10,15,5,"},
      {[] { return SumaMovimientosKardex(ConsultaExistencia(Empresa(), "A")); }, "15\t-5"},
      {[] { return CalculaExistenciaKardex(ConsultaExistencia(Empresa(), "VACIO")); }, "0,0,0,"},
      {[] { return SumaMovimientosKardex(ConsultaExistencia(Empresa(), "VACIO")); }, "0\t0"},
      {[] { return CalculaCostoPromedio(ConsultaMovimientos("B"), kOrden, "promedio", "B"); }, "36,6.5"},
      {[] { return CalculaCostoPromedio(ConsultaMovimientos("C"), kOrden, "promedio", "C"); }, "6,0"},
      {[] { return CalculaCostoPromedio(ConsultaMovimientos("B"), kOrden, "", "B"); }, ""},
      {[] { return MuestraKardexIntegral(ConsultaMovimientos("B"), kOrden, "", false); }, "36"},
  };
  for (const Caso& c : casos) EXPECT_EQ(c.calcula(), c.esperado);
  // Every card's folder went with its window.
  EXPECT_TRUE(QDir(fs::Local("C:\\VRL\\tempo")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

TEST(TextoDocumentoKardex, LaLetraSeparaAlNumeroRellenado) {
  const std::pair<QString, QString> casos[] = {{"R15", "R-000015"}, {"123456", "1-023456"},
                                               {"F1234567", "F-01234567"}, {"F12345", "F-012345"},
                                               {"R", "R"}, {"", ""}};
  for (const auto& [texto, documento] : casos)
    EXPECT_EQ(TextoDocumentoKardex(texto), documento) << texto.toStdString();
}

// The integral card numbers its documents as "letter-number" and names
// the concepts it knows.
TEST_F(Kardex, LaTarjetaIntegralNumeraLosDocumentos) {
  for (const auto& [documento, concepto] : {std::pair{"R15", 3}, std::pair{"123456", 56}, std::pair{"F1234567", 77}})
    AgregaFila(kDatos, "MOVIMIENTOS.DBF", {{"CLDOC_MI", documento}, {"CLPRO_MI", "P1"}, {"TIMOV_MI", concepto},
                                           {"CANTI_MI", 2}, {"FEDOC_MI", kMarzo}, {"COSUN_MI", 1.5}});
  QStringList filas;
  AlMostrar([&](TFormaCosteo& f) { filas = Filas(f, {"DOCUMENTO", "CANTIDAD", "KARDEX", "COSTO", "DES_MOVIM"}); });
  const QString consulta = "Select * From \"" + kDatos + "\\MOVIMIENTOS.DBF\" where CLPRO_MI=\"P1\"";
  EXPECT_EQ(MuestraKardexIntegral(consulta, "ORDER BY CLDOC_MI", "2", true), "");
  EXPECT_EQ(filas, (QStringList{"1-023456/2/2/1.5/Ajuste Entrada", "F-01234567/2/4/1.5/",
                                "R-000015/-2/2/1.5/Venta Remisión"}));
}

// The running stock is rounded to two decimals at every row; columns the
// query lacks stay empty, and are filled when it has them; long texts are
// cut to the card's columns.
TEST_F(Kardex, LaExistenciaCorridaSeRedondeaADosDecimales) {
  for (int i = 0; i < 3; ++i)
    Movimiento("P1", ConceptoAjusteEntrada, 0.333,
               {{"CLDOC_MI", 20 + i}, {"EXIST_MI", 7}, {"REFMO_MI", QString("R%1").arg(i)},
                {"DESCR_MI", "Tornillo de acero inoxidable 3/8 x 2 pulgadas"}});
  struct Caso {
    QString columnas;
    QString existencia, referencia;
  };
  for (const Caso& c : {Caso{"CLPRO_MI,TIMOV_MI,CANTI_MI,COSUN_MI,CLDOC_MI,FEDOC_MI,DESCR_MI,REFMO_MI", "", ""},
                        Caso{"*,REFMO_MI AS REFE", "7", "R"}}) {
    QStringList filas;
    AlMostrar([&](TFormaCosteo& f) {
      filas = Filas(f, {"KARDEX", "EXISTENCIA", "ORIGEN"});
      EXPECT_EQ(f.TablaNormal->FieldByName("REFERENCIA").AsString().left(1), c.referencia);
      EXPECT_EQ(f.TablaNormal->FieldByName("DESCRIPCIO").AsString(), "Tornillo de acero inoxida");
      prueba::Pulsa(f, "BitBtn1");
    });
    EXPECT_EQ(MuestraKardex(ConsultaMovimientos("P1", c.columnas), kOrden, "1"), "0.99");
    EXPECT_EQ(filas, (QStringList{"0.33/" + c.existencia + "/R0", "0.66/" + c.existencia + "/R1",
                                  "0.99/" + c.existencia + "/R2"}));
  }
}

// The alternate card of a product: signed quantities, running stock,
// totals, counterpart and user columns; "Ajustar Inv." writes the card's
// stock into the product and its totals row.
TEST_F(Kardex, ElKardexAlternoAjustaElInventario) {
  auto usuario = [](qint32 numero, const QString& nombre) {
    TRegistroUsuario r;
    r.NumeroUsuario = numero;
    r.NombreUsuario = nombre;
    return r.ABytes();
  };
  EscribeBytes("C:\\VRL\\usuarios.def", usuario(0, "ADMINISTRADOR") + usuario(1, "Ana López Martínez"));
  {
    auto p = Abre(kTablaProductos);
    AgregaProducto(*p, "P1", "", 12);
  }
  Movimiento("P1", 50, 5, {{"USUARIO", "1"}, {"PRECL_OD", "0"}});
  Movimiento("P1", ConceptoCompra, 5, {{"FEDOC_MI", kMarzo.addDays(1)}, {"USUARIO", "CAJA"}, {"PRECL_OD", "PROV1"}});
  Movimiento("P1", ConceptoCancelacionVenta, 40);

  QString carpeta;
  AlMostrar([&](TFormaCosteo& f) {
    carpeta = f.CarpetaTarjeta();
    EXPECT_EQ(f.windowTitle(), "Kardex");
    EXPECT_EQ(prueba::Texto(f, "Actuales"), "12");
    EXPECT_EQ(f.Panel2->Caption(), "   Entradas        5.00   Salidas       -5.00  Existencias        0.00");
    EXPECT_EQ(Filas(f, {"CLAVE", "CANTIDAD", "KARDEX", "MOVIMIENTO", "DES_MOVIM", "CLIPROV", "USUARIO", "NOMBRE"}),
              (QStringList{"P1/-5/-5/50/Salida Varios//1/Ana López", "P1/5/0/51/Compra/PROV1/CAJA/CAJA"}));
    EXPECT_EQ(f.Detalle->Columna(4).titulo, "Kardex");
    EXPECT_EQ(f.Detalle->model()->index(0, 4).data().toString(), "-5.00");
    EXPECT_FALSE(f.Detalle->Columna(0).visible);
    EXPECT_EQ(f.Detalle->Columna(11).titulo, "Cli/Prov");
    prueba::Pulsa(f, "BitBtn1");
  });
  KardexAlternoProducto("P1", "12", *Producto("P1"));
  EXPECT_FALSE(carpeta.isEmpty());
  EXPECT_FALSE(QDir(carpeta).exists());

  EXPECT_EQ(Producto("P1")->FieldByName("EXIST_I").AsString(), "0");
  auto k = Abre(kTablaKardex, kTagKardex);
  ASSERT_TRUE(k->FindKey({"P1"}));
  TRegistroKardex r;
  r.Lee(*k);
  EXPECT_EQ(r.ENTRA_I, 5);
  EXPECT_EQ(r.SALID_I, -5);
  EXPECT_EQ(r.EXIST_I, 0);
}

// "Ajustar Inv." answers the card's totals only on an unfiltered card;
// closing the card otherwise answers nothing.
TEST_F(Kardex, AjustarSoloSinFiltro) {
  Compra("P1", 10);
  Remision(kDatos, "P1", 3, {{"FEDOC_FD", kMarzo.addDays(1)}});
  struct Caso {
    bool filtra, ajusta;
    QString totales;
  };
  for (const Caso& c : {Caso{false, true, "7,10,3,"}, Caso{true, true, ""}, Caso{false, false, ""}}) {
    AlMostrar([&](TFormaCosteo& f) {
      if (c.filtra) prueba::Pulsa(f, "BotonFiltrar");
      if (c.ajusta) prueba::Pulsa(f, "BitBtn1");
    });
    EXPECT_EQ(MuestraKardexAlterno(ConsultaKardexAlterno(Empresa(), "P1"), "P1", "", true), c.totales);
  }
}

// A date filter recounts the running stock from the first row shown;
// removing it recounts every row. Field conditions narrow the card further,
// their values taken as typed.
TEST_F(Kardex, FiltrarRecuentaLaExistenciaCorrida) {
  Compra("P1", 5, {{"REFER_OD", "FAC-100"}});
  Remision(kDatos, "P1", 2, {{"FEDOC_FD", kMarzo.addDays(1)}, {"REFER_FD", "O'BRIEN 2"}});
  Movimiento("P1", ConceptoAjusteEntrada, 4, {{"FEDOC_MI", kMarzo.addDays(2)}, {"REFMO_MI", "AJ-100"}});
  Movimiento("P1", 50, 1, {{"FEDOC_MI", kMarzo.addDays(3)}, {"REFMO_MI", "FAC-9"}});

  struct Condicion {
    QString campo, operador, valor;
    QStringList filas;  // REFERENCIA/KARDEX
  };
  const Condicion condiciones[] = {
      {"REFERENCIA", "Inicia_Con", "FAC", {"FAC-100/5", "FAC-9/4"}},
      {"REFERENCIA", "Termina_Con", "100", {"FAC-100/5", "AJ-100/9"}},
      {"REFERENCIA", "Incluye", "'BRI", {"O'BRIEN 2/-2"}},
      {"REFERENCIA", "=", "O'BRIEN 2", {"O'BRIEN 2/-2"}},
      {"CANTIDAD", "<", "0", {"O'BRIEN 2/-2", "FAC-9/-3"}},
      {"MOVIMIENTO", ">=", "51", {"FAC-100/5", "AJ-100/9"}},
      {"REFERENCIA", "Incluye", "fac", {}},
  };
  AlMostrar([&](TFormaCosteo& f) {
    const QStringList campos = {"REFERENCIA", "KARDEX"};
    EXPECT_EQ(Filas(f, campos), (QStringList{"FAC-100/5", "O'BRIEN 2/3", "AJ-100/7", "FAC-9/6"}));
    EXPECT_EQ(f.Inicio->date(), kMarzo);
    EXPECT_EQ(f.Final->date(), kMarzo.addDays(3));

    f.Inicio->setDate(kMarzo.addDays(1));
    f.Final->setDate(kMarzo.addDays(2));
    prueba::Pulsa(f, "BotonFiltrar");
    EXPECT_EQ(prueba::Texto(f, "BotonFiltrar"), "Quitar Filtro");
    EXPECT_EQ(Filas(f, campos), (QStringList{"O'BRIEN 2/-2", "AJ-100/2"}));
    prueba::Pulsa(f, "BotonFiltrar");
    EXPECT_EQ(prueba::Texto(f, "BotonFiltrar"), "Filtrar");
    EXPECT_EQ(Filas(f, campos), (QStringList{"FAC-100/5", "O'BRIEN 2/3", "AJ-100/7", "FAC-9/6"}));

    f.Inicio->setDate(kMarzo);
    f.Final->setDate(kMarzo.addDays(3));
    for (const Condicion& c : condiciones) {
      f.ComboCampos->setCurrentText(c.campo);
      f.Operador1->setCurrentText(c.operador);
      f.EditFiltro->setText(c.valor);
      prueba::Pulsa(f, "BotonFiltrar");
      EXPECT_EQ(Filas(f, campos), c.filas) << c.operador.toStdString() << ' ' << c.valor.toStdString();
      prueba::Pulsa(f, "BotonFiltrar");
    }

    // A value the field cannot take is told and leaves the card as it was.
    f.ComboCampos->setCurrentText("CANTIDAD");
    f.Operador1->setCurrentText("=");
    f.EditFiltro->setText("cinco");
    prueba::Pulsa(f, "BotonFiltrar");
    EXPECT_EQ(Mensajes(), (QStringList{kUsuariosNoExiste, "El valor \"cinco\" del filtro no es un número válido para "
                                                          "el campo CANTIDAD de la tabla auxiliar.dbf"}));
    EXPECT_EQ(prueba::Texto(f, "BotonFiltrar"), "Filtrar");
    EXPECT_EQ(Filas(f, campos), (QStringList{"FAC-100/5", "O'BRIEN 2/3", "AJ-100/7", "FAC-9/6"}));
  });
  EXPECT_EQ(MuestraKardexAlterno(ConsultaKardexAlterno(Empresa(), "P1"), "P1", "", true), "");
}

// "Exportar" writes the column titles and every visible row, each field
// followed by a tab, and opens the file with the spreadsheet program of
// configuration line 31.
TEST_F(Kardex, ExportarEscribeLaTarjetaYAbreLaHojaDeCalculo) {
  QStringList lineas = ValoresInicialesConfiguracion();
  lineas[ConfCarpetaDatos - 1] = kDatos;
  lineas[ConfHojaCalculo - 1] = "C:\\Archivos de programa\\Office\\EXCEL.EXE";
  EscribeLineas("C:\\VRL\\Gener1.cnf", lineas);
  EscribeLineas("C:\\VRL\\programas.map", {"EXCEL.EXE=libreoffice --calc"});
  prueba::LanzadorGrabador lanzador;
  Movimiento("P1", 50, 5, {{"USUARIO", "7"}, {"REFMO_MI", "Año"}});

  const QString archivo = "C:\\VRL\\tempo\\kardex.xls";
  AlMostrar([&](TFormaCosteo& f) {
    ui::PuertaModal::Espera("DialogoGuarda", [&](QDialog& d) { prueba::EligeArchivo(d, archivo); });
    prueba::Pulsa(f, "BitBtn2");
  });
  MuestraKardexAlterno(ConsultaKardexAlterno(Empresa(), "P1"), "P1", "", true);

  EXPECT_EQ(fs::LeeBytes(archivo),
            fs::ACp1252("Clave\tProducto\tCantidad\tTipo Movimiento\tKardex\tNum. Mov.\tCosto\tFecha\tMovimiento\t"
                        "Origen\tReferencia\tCli/Prov\tUsuario\tNombre\t\r\n"
                        "P1\t\t-5\t50\t-5\t9\t\t01/03/2025\tSalida Varios\t9\tAño\t\t7\tNo Registr\t\r\n"));
  ASSERT_EQ(lanzador.iniciados.size(), 1);
  EXPECT_EQ(lanzador.iniciados[0], (proc::Orden{"libreoffice", {"--calc", fs::Local(archivo)}, {}}));
}

}  // namespace

// Child: builds the alternate card of the product in the second argument
// and, while it is shown, tells the parent, waits for "LEE" and writes the
// card's keys and quantities as one line.
RUTINA_HIJA(MuestraTarjeta) {
  int argc = 1;
  char nombre[] = "hijo";
  char* argv[] = {nombre, nullptr};
  ui::Aplicacion app(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  AlMostrar([](TFormaCosteo& f) {
    AvisaPadre("MOSTRANDO");
    if (EsperaPadre() != "LEE") return;
    AvisaPadre(Filas(f, {"CLAVE", "CANTIDAD"}).join(u' '));
  });
  MuestraKardexAlterno(ConsultaKardexAlterno(db::Carpetas{argumentos[0], {}, {}, {}}, argumentos[1]),
                       argumentos[1], "", true);
  return 0;
}

namespace {

// Two stations show cards of different products at the same moment: each
// card holds its own product's rows only, and both scratch folders go.
TEST_F(Kardex, DosEstacionesMuestranTarjetasALaVez) {
  for (int i = 0; i < 30; ++i) {
    Movimiento("A", ConceptoCompra, 1, {{"CLDOC_MI", i}});
    Movimiento("B", ConceptoAjusteEntrada, 2, {{"CLDOC_MI", i}});
  }
  const QString a = QStringList(30, "A/1").join(u' ');
  const QString b = QStringList(30, "B/2").join(u' ');
  ProcesoHijo primera("MuestraTarjeta", {kDatos, "A"});
  ASSERT_EQ(primera.EsperaLinea(), "MOSTRANDO");
  ProcesoHijo segunda("MuestraTarjeta", {kDatos, "B"});
  ASSERT_EQ(segunda.EsperaLinea(), "MOSTRANDO");
  primera.Envia("LEE");
  segunda.Envia("LEE");
  EXPECT_EQ(primera.EsperaLinea(), a);
  EXPECT_EQ(segunda.EsperaLinea(), b);
  EXPECT_EQ(primera.Espera(), 0);
  EXPECT_EQ(segunda.Espera(), 0);
  EXPECT_TRUE(QDir(fs::Local("C:\\VRL\\tempo")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

// "Imprimir" hands the card the user sees to the report engine and shows it
// in the report viewer with the card's titles and chart.
TEST_F(Kardex, ImprimirMuestraLaTarjetaEnElVisor) {
  Movimiento("P1", 51, 10, {{"CLDOC_MI", 21}, {"COSUN_MI", 4}});
  Movimiento("P1", 50, 3, {{"CLDOC_MI", 22}, {"FEDOC_MI", kMarzo.addDays(1)}});
  Movimiento("P1", 51, 2, {{"CLDOC_MI", 23}, {"FEDOC_MI", kMarzo.addDays(2)}});
  struct Caso {
    bool filtra;
    QStringList documentos;  // the rows of the pages, by their document
  };
  const Caso casos[] = {{false, {"21", "22", "23"}}, {true, {"22", "23"}}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.filtra);
    QString caption, grafica, inferior, izquierdo, pagina;
    std::array<QString, 10> titulos;
    AlMostrar([&](TFormaCosteo& f) {
      if (c.filtra) {
        f.Inicio->setDate(kMarzo.addDays(1));
        prueba::Pulsa(f, "BotonFiltrar");
      }
      ui::PuertaModal::Espera("TFormaFormatos", [](QDialog& d) {
        auto& p = static_cast<TFormaFormatos&>(d);
        p.Inicial->setDate(QDate(2025, 1, 1));
        p.Final->setDate(QDate(2025, 12, 31));
        prueba::Pulsa(d, "BitBtn4");
      });
      // The engine runs behind its progress window, which closes itself.
      ui::PuertaModal::Espera("TFormaProgreso", [](QDialog& d) {
        QElapsedTimer reloj;
        reloj.start();
        while (d.isVisible() && reloj.elapsed() < 60000) QTest::qWait(5);
      });
      ui::PuertaModal::Espera("TFormaBarras", [&](QDialog& d) {
        auto& b = static_cast<TFormaBarras&>(d);
        caption = b.windowTitle();
        grafica = b.Grafica.titulo;
        inferior = b.Grafica.ejeInferior.titulo;
        izquierdo = b.Grafica.ejeIzquierdo.titulo;
        pagina = b.Concentrado->toPlainText();
        titulos = EstadoVisorReporte().TitulosColumnas;
      });
      prueba::Pulsa(f, "SpeedButton1");
      // The card shows what it showed.
      EXPECT_EQ(Filas(f, {"DOCUMENTO"}), c.documentos);
    });
    MuestraKardex(ConsultaMovimientos("P1"), kOrden, "");
    EXPECT_EQ(caption, "P1  Producto P1");
    EXPECT_EQ(grafica, "Gráfica de Kardex P1  Producto P1");
    EXPECT_EQ(inferior, "Número de Documento");
    EXPECT_EQ(izquierdo, "Total por Documento");
    EXPECT_EQ((std::vector<QString>(titulos.begin(), titulos.begin() + 7)),
              (std::vector<QString>{"Cantidad", "Tipo Mov.", "-Kardex", "-Documento", "Costo", "-Fecha",
                                    "-Descripción Mov."}));
    QStringList documentos;
    for (const QString& linea : pagina.split(u'\n')) {
      const QStringList partes = linea.simplified().split(u' ');
      // A row: quantity, concept, running stock, document, ...
      if (partes.size() > 4 && (partes[1] == u"51" || partes[1] == u"50")) documentos << partes[3];
    }
    EXPECT_EQ(documentos, c.documentos) << pagina.toStdString();
    EXPECT_EQ(Mensajes(), QStringList());
  }
}

}  // namespace
