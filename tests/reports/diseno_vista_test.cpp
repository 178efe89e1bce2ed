#include "platform/fs/CadenaCorta.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"
#include "reports/DisenoVista.h"
#include "reports/Vistas.h"
#include "reports/consultas_prueba.h"
#include "support/Proceso.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>

namespace {

const QString kVista = QStringLiteral("C:\\VRL\\report\\saldos.vis");

const QString kListaClientes = QStringLiteral("C:\\DATOS\\report\\clientes.for");

// Another station's designer: once the parent says so, saves views
// C:\VRL\report\v1.vis ... v<n>.vis of the customers, one after another,
// each added to clientes.for; then "FIN".
RUTINA_HIJA(GuardaVistas) {
  int argc = 1;
  char nombre[] = "estacion";
  char* argv[] = {nombre, nullptr};
  ui::Aplicacion aplicacion(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  TFormaDisenoVista diseno;
  ui::PuertaModal::Espera("TFormaDisenoVista", [&](QDialog& d) {
    diseno.Lista->setCurrentIndex(diseno.Lista->findText("Clientes"));
    diseno.Edit1->setText("Clientes");
    prueba::AvisaPadre("LISTO");
    prueba::EsperaPadre();
    for (int i = 1; i <= argumentos.value(0).toInt(); ++i) {
      const QString vista = "C:\\VRL\\report\\v" + QString::number(i) + ".vis";
      diseno.Describe->setPlainText("Vista " + QString::number(i));
      ui::PuertaModal::Espera("GuardaBase", [vista](QDialog& g) { prueba::EligeArchivo(g, vista); });
      prueba::Pulsa(d, "BotonGuardar2");
    }
    prueba::AvisaPadre("FIN " + ui::PuertaModal::Mensajes().join(u'|'));
    prueba::Pulsa(d, "BotonSalir");
  });
  diseno.ShowModal();
  return 0;
}

class DisenoVistaTest : public ConsultaPrueba {
 protected:
  // Opens the designer from its menu item and lets `usuario` act in it.
  static void Disena(std::function<void(TFormaDisenoVista&)> usuario) {
    TFormaDisenoVista diseno;
    ui::PuertaModal::Espera("TFormaDisenoVista", [&](QDialog& d) {
      usuario(static_cast<TFormaDisenoVista&>(d));
      prueba::Pulsa(d, "BotonSalir");
    });
    diseno.ShowModal();
  }

  static void Categoria(TFormaDisenoVista& d, const QString& nombre) {
    d.Lista->setCurrentIndex(d.Lista->findText(nombre));
  }

  static QPoint CentroCelda(TFormaDisenoVista& d, int col, int fila) {
    const QModelIndex i = d.DatosConsulta->model()->index(fila - 1, col - 1);
    d.DatosConsulta->scrollTo(i);
    return d.DatosConsulta->visualRect(i).center();
  }

  // Drags the field of that caption from the list onto the grid's column.
  static void Arrastra(TFormaDisenoVista& d, const QString& campo, int col) {
    const QList<QListWidgetItem*> items = d.ListaCampos->findItems(campo, Qt::MatchExactly);
    ASSERT_FALSE(items.isEmpty()) << campo.toStdString();
    QTest::mousePress(d.ListaCampos->viewport(), Qt::LeftButton, {}, d.ListaCampos->visualItemRect(items[0]).center());
    std::unique_ptr<QMimeData> datos(d.ListaCampos->model()->mimeData({d.ListaCampos->indexFromItem(items[0])}));
    const QPoint punto = CentroCelda(d, col, TFormaDisenoVista::FilaCampo);
    QWidget* destino = d.DatosConsulta->viewport();
    QDragEnterEvent entra(punto, Qt::CopyAction, datos.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(destino, &entra);
    ASSERT_TRUE(entra.isAccepted());
    QDragMoveEvent mueve(punto, Qt::CopyAction, datos.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(destino, &mueve);
    QDropEvent suelta(QPointF(punto), Qt::CopyAction, datos.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(destino, &suelta);
    QTest::mouseRelease(d.ListaCampos->viewport(), Qt::LeftButton, {}, d.ListaCampos->visualItemRect(items[0]).center());
  }

  static void DobleClic(TFormaDisenoVista& d, int col, int fila) {
    prueba::DobleClic(d.DatosConsulta->viewport(), CentroCelda(d, col, fila));
  }

  // The save dialog answered with the path.
  static void Guarda(TFormaDisenoVista& d, const QString& ruta) {
    ui::PuertaModal::Espera("GuardaBase", [ruta](QDialog& g) { prueba::EligeArchivo(g, ruta); });
    prueba::Pulsa(d, "BotonGuardar2");
  }

  // Three customer fields and an invoice's customer, joined; the balance
  // totalled with its amount format, sorted by the name.
  static void DisenaSaldos(TFormaDisenoVista& d) {
    Categoria(d, "Facturación");
    Arrastra(d, "Cliente", 4);
    Categoria(d, "Clientes");
    Arrastra(d, "Cliente", 1);
    Arrastra(d, "Nombre", 2);
    Arrastra(d, "Saldo", 3);
    DobleClic(d, 3, TFormaDisenoVista::FilaFormato);
    DobleClic(d, 3, TFormaDisenoVista::FilaTotales);
    DobleClic(d, 2, TFormaDisenoVista::FilaOrden);
    DobleClic(d, 1, TFormaDisenoVista::FilaLlave);
    DobleClic(d, 4, TFormaDisenoVista::FilaLlave);
    d.Edit1->setText("Saldos por Cliente");
    d.Describe->setPlainText("Saldos\nde los\nclientes\nque no va");
  }
};

const QStringList kLineasSaldos = {"A.CLCLI_C,A.NOMBR_C,A.SALDO_C,D.CLCLI_F",
                                   "\\cliente.dbf\" as A,\\facturae.dbf\" as D ",
                                   "Cliente,Nombre,Saldo,Cliente ",
                                   "C,C,###,##0.00,C ",
                                   "0,0,0,0,",
                                   "NOMBR_C,",
                                   "N,N,totalizar,N,",
                                   "N,N,N,N,",
                                   "CLCLI_C=CLCLI_F ",
                                   "Saldos por Cliente"};

QByteArray Bytes(const QStringList& lineas) { return fs::ACp1252(lineas.join("\r\n") + "\r\n"); }

}  // namespace

TEST_F(DisenoVistaTest, GuardaLaVistaSuListaYEspeciales) {
  Disena([](TFormaDisenoVista& d) {
    DisenaSaldos(d);
    EXPECT_EQ(d.DatosConsulta->Cells(4, TFormaDisenoVista::FilaTabla), "facturae.dbf");
    EXPECT_EQ(d.DatosConsulta->Cells(4, TFormaDisenoVista::FilaIdentificador), "D");
    EXPECT_EQ(d.DatosConsulta->Cells(1, TFormaDisenoVista::FilaAncho), "0");
    EXPECT_EQ(d.Llaves.size(), 1u);
    Guarda(d, kVista);
  });
  EXPECT_EQ(fs::LeeBytes(kVista), Bytes(kLineasSaldos));
  const QByteArray lista = fs::LeeBytes("C:\\DATOS\\report\\clientes.for");
  ASSERT_EQ(lista.size(), 187);
  EXPECT_EQ(fs::LeeCadenaCorta(lista, 0, 61), kVista);
  EXPECT_EQ(fs::LeeCadenaCorta(lista, 61, 126), "Saldosde losclientes");
  EXPECT_EQ(lista.mid(1 + kVista.size(), 60 - kVista.size()), QByteArray(60 - kVista.size(), '\0'));
  EXPECT_EQ(fs::LeeBytes("C:\\VRL\\report\\Especiales.cnf"), "Clientes\r\n" + fs::ACp1252(kVista) + "\r\n");
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();

  // The view runs: the customers with their invoices, balances totalled.
  EscribeClientesConsulta({{"15", "ZOILA", "10.5"}, {"16", "ANA", "20"}, {"17", "SIN FACTURAS", "5"}});
  EscribeFacturas({{"1", "15"}, {"2", "16"}, {"3", "15"}});
  QStringList lineas;
  CorreVista(kVista, [&](TFormaNuevoReporte& r) { lineas = LineasReporte(r); });
  // Texts are as wide as their fields in the work table (width + 1).
  EXPECT_EQ(lineas.mid(0, 5),
            (QStringList{"Saldos por Cliente ", " ",
                         "Cliente      Nombre                           Saldo         Cliente       ", " ",
                         "16           ANA                                     20.00  16            "}));
  EXPECT_EQ(lineas.last(), "TOTALES                                              41.00                ");
}

TEST_F(DisenoVistaTest, UnaVistaGuardadaSeAbreYSeGuardaDeNuevo) {
  Disena([](TFormaDisenoVista& d) {
    DisenaSaldos(d);
    Guarda(d, kVista);
  });
  Disena([](TFormaDisenoVista& d) {
    ui::PuertaModal::Espera("AbreBase", [](QDialog& a) { prueba::EligeArchivo(a, kVista); });
    prueba::Pulsa(d, "BotonAbrir");
    EXPECT_EQ(d.LineasVista(), kLineasSaldos);
    EXPECT_EQ(d.Lista->currentText(), "Clientes");
    EXPECT_EQ(d.ListaCampos->count(), 6);
    EXPECT_EQ(d.DatosConsulta->Cells(3, TFormaDisenoVista::FilaFormato), "###,##0.00");
    d.Describe->setPlainText("Otra descripción");
    // The next key pair takes number 2.
    DobleClic(d, 2, TFormaDisenoVista::FilaLlave);
    DobleClic(d, 3, TFormaDisenoVista::FilaLlave);
    EXPECT_EQ(d.DatosConsulta->Cells(3, TFormaDisenoVista::FilaLlave), "Llave 2");
    Guarda(d, kVista);
  });
  QStringList lineas = kLineasSaldos;
  lineas[8] = "CLCLI_C=NOMBR_C=SALDO_C=CLCLI_F ";
  EXPECT_EQ(fs::LeeBytes(kVista), Bytes(lineas));
  // The list keeps one record for the view, with its new description.
  const QVector<TEntradaVista> entradas = LeeListaVistas("C:\\DATOS\\report\\clientes.for");
  ASSERT_EQ(entradas.size(), 1);
  EXPECT_EQ(entradas[0].Descripcion, "Otra descripción");
  EXPECT_EQ(fs::LeeLineas("C:\\VRL\\report\\Especiales.cnf").size(), 4);
}

TEST_F(DisenoVistaTest, DobleClicAlternaCadaPropiedad) {
  struct Caso {
    int fila;
    QStringList valores;  // after one, two and three double clicks
  };
  const Caso casos[] = {
      {TFormaDisenoVista::FilaFormato, {"###,##0.00", "ninguno", "###,##0.00"}},
      {TFormaDisenoVista::FilaAlineacion, {"derecha", "izquierda", "derecha"}},
      {TFormaDisenoVista::FilaTotales, {"totalizar", "sin totales", "totalizar"}},
      {TFormaDisenoVista::FilaOrden, {"Incluir", "", "Incluir"}},
      {TFormaDisenoVista::FilaAccion, {"Ejecutar", "", "Ejecutar"}},
      {TFormaDisenoVista::FilaLlave, {"Llave 1", "", "Llave 1"}},
      {TFormaDisenoVista::FilaFormula, {"", "", ""}},
      {TFormaDisenoVista::FilaNombre, {"NOMBR_C", "NOMBR_C", "NOMBR_C"}},
      {TFormaDisenoVista::FilaTitulo, {"", "", ""}},
  };
  Disena([&](TFormaDisenoVista& d) {
    Categoria(d, "Clientes");
    Arrastra(d, "Nombre", 1);
    for (const Caso& c : casos) {
      SCOPED_TRACE(c.fila);
      for (const QString& valor : c.valores) {
        DobleClic(d, 1, c.fila);
        EXPECT_EQ(d.DatosConsulta->Cells(1, c.fila), valor);
      }
    }
    // A column without a field takes none.
    DobleClic(d, 2, TFormaDisenoVista::FilaFormato);
    EXPECT_EQ(d.DatosConsulta->Cells(2, TFormaDisenoVista::FilaFormato), "");

    // Another field dropped on the column keeps its other properties.
    Arrastra(d, "Saldo", 1);
    EXPECT_EQ(d.DatosConsulta->Cells(1, TFormaDisenoVista::FilaCampo), "Saldo");
    EXPECT_EQ(d.DatosConsulta->Cells(1, TFormaDisenoVista::FilaNombre), "SALDO_C");
    EXPECT_EQ(d.DatosConsulta->Cells(1, TFormaDisenoVista::FilaFormato), "###,##0.00");
  });
}

TEST_F(DisenoVistaTest, LlavesEnParesYCuatroColumnasEncadenadas) {
  Disena([](TFormaDisenoVista& d) {
    Categoria(d, "Clientes");
    for (int col = 1; col <= 4; ++col) {
      Arrastra(d, QStringList{"Cliente", "Nombre", "Saldo", "Visitas"}[col - 1], col);
      DobleClic(d, col, TFormaDisenoVista::FilaLlave);
    }
    EXPECT_EQ(d.DatosConsulta->Cells(2, TFormaDisenoVista::FilaLlave), "Llave 1");
    EXPECT_EQ(d.DatosConsulta->Cells(4, TFormaDisenoVista::FilaLlave), "Llave 2");
    EXPECT_EQ(d.LineasVista().value(8), "CLCLI_C=NOMBR_C=SALDO_C=VISIT_C ");
    ASSERT_EQ(d.Llaves.size(), 2u);
    EXPECT_LT(d.Llaves[1].first, d.Llaves[1].second);
    EXPECT_LT(d.Llaves[1].second, d.Llaves[2].first);

    // Key numbers of two digits typed by hand pair with each other; a key
    // without a number is no key.
    Arrastra(d, "Alta", 5);
    Arrastra(d, "Cliente", 7);
    d.DatosConsulta->SetCells(5, TFormaDisenoVista::FilaLlave, "Llave 12");
    d.DatosConsulta->SetCells(7, TFormaDisenoVista::FilaLlave, "Llave 12");
    d.DatosConsulta->SetCells(6, TFormaDisenoVista::FilaLlave, "Llave x");
    d.DibujaLlaves();
    ASSERT_EQ(d.Llaves.count(12), 1u);
    EXPECT_GE(d.Llaves[12].second, 0);
    EXPECT_LT(d.Llaves[12].first, d.Llaves[12].second);
    EXPECT_EQ(d.ContadorLlaves, 4);
  });
}

TEST_F(DisenoVistaTest, NoSeGuardaSinCategoriaNiConRutaLarga) {
  const QString larga = "C:\\VRL\\report\\" + QString(43, u'x') + ".vis";  // 61 characters
  Disena([&](TFormaDisenoVista& d) {
    prueba::Pulsa(d, "BotonGuardar2");
    Categoria(d, "Clientes");
    Arrastra(d, "Cliente", 1);
    Guarda(d, larga);
    // The empty last category keeps the list of the one before.
    Categoria(d, "");
    EXPECT_EQ(d.ListaCampos->count(), 0);
    EXPECT_TRUE(d.Tipos->text().endsWith("clientes.for"));
  });
  EXPECT_EQ(Mensajes(), (QStringList{"Elija una categoría", "La ruta de la vista no cabe en la lista (más de 60 caracteres)"}));
  EXPECT_FALSE(fs::ExisteArchivo(larga));
  EXPECT_FALSE(fs::Existe("C:\\DATOS\\report"));
  EXPECT_FALSE(fs::ExisteArchivo("C:\\VRL\\report\\Especiales.cnf"));
}

// The one cleaning of every module's view list: records of missing views
// go, the others stay byte for byte (whatever follows their texts); a list
// naming only existing views, and a missing list, are not written.
TEST_F(DisenoVistaTest, LaListaDepuradaConservaLosRegistrosVigentes) {
  const QString lista = QStringLiteral("C:\\DATOS\\report\\proveedo.for");
  const auto registro = [](const QString& vista, const QString& descripcion) {
    QByteArray bytes = TEntradaVista{vista, descripcion}.ABytes();
    bytes[TEntradaVista::kTamano - 1] = 'x';  // what an old writer left after the description
    return bytes;
  };
  EscribeLineas(kVista, {"A.CLAVE_P"});
  const QString otra = QStringLiteral("C:\\VRL\\report\\otra.vis");
  EscribeLineas(otra, {"A.NOMBR_P"});
  const QByteArray vigente = registro(kVista, "Saldos");
  const QByteArray borrada = registro("C:\\VRL\\report\\borrada.vis", "Borrada");
  const QByteArray otraVigente = registro(otra, "Otra");
  // A piece shorter than a record at the end is no record.
  EscribeBytes(lista, vigente + borrada + otraVigente + "resto");

  QVector<TEntradaVista> leidos;
  const QVector<TEntradaVista> vigentes = DepuraListaVistas(lista, &leidos);
  ASSERT_EQ(vigentes.size(), 2);
  EXPECT_EQ(vigentes[0].Archivo, kVista);
  EXPECT_EQ(vigentes[1].Descripcion, "Otra");
  ASSERT_EQ(leidos.size(), 3);
  EXPECT_EQ(leidos[1].Descripcion, "Borrada");
  EXPECT_EQ(fs::LeeBytes(lista), vigente + otraVigente);

  // Nothing missing: the list is left as it is.
  EscribeBytes(lista, vigente + "resto");
  EXPECT_EQ(DepuraListaVistas(lista).size(), 1);
  EXPECT_EQ(fs::LeeBytes(lista), vigente + "resto");
  fs::BorraArchivo(lista);
  EXPECT_TRUE(DepuraListaVistas(lista, &leidos).isEmpty());
  EXPECT_TRUE(leidos.isEmpty());
  EXPECT_FALSE(fs::Existe(lista));
}

// One station cleans the customers' view list (a view of it is gone) while
// another saves views into it, a hundred times: every view saved is in the
// list, once, and the gone ones are not.
TEST_F(DisenoVistaTest, UnaListaQueSeDepuraNoPierdeLasVistasQueOtraEstacionGuarda) {
  constexpr int kVistas = 100;
  prueba::ProcesoHijo otra("GuardaVistas", {QString::number(kVistas)});
  ASSERT_EQ(otra.EsperaLinea(60000), "LISTO");
  otra.Envia("YA");
  for (int i = 1; i <= kVistas; ++i) {
    // A view of the list whose file is gone, then the list opened as the
    // customer window opens it, which cleans it.
    const QString vieja = "C:\\VRL\\report\\vieja" + QString::number(i) + ".vis";
    EscribeLineas(vieja, {"A.CLCLI_C"});
    AgregaEntradaVista(kListaClientes, {vieja, "vieja"});
    fs::BorraArchivo(vieja);
    TFormaConsulta consulta;
    consulta.CargaListaVistas(kListaClientes, "C:\\DATOS\\report\\Cliente2.for");
  }
  EXPECT_EQ(otra.EsperaLinea(300000), "FIN");
  EXPECT_EQ(otra.Espera(), 0);
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();

  QStringList guardadas;
  for (const TEntradaVista& e : DepuraListaVistas(kListaClientes)) guardadas << e.Archivo;
  EXPECT_EQ(guardadas.size(), kVistas);
  for (int i = 1; i <= kVistas; ++i)
    EXPECT_TRUE(guardadas.contains("C:\\VRL\\report\\v" + QString::number(i) + ".vis")) << i;
  EXPECT_EQ(LeeListaVistas(kListaClientes).size(), kVistas);
}
