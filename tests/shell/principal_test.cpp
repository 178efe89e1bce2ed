// The program started as it starts (the program body, the main window shown,
// the first activation with its login) and closed as a user closes it: what
// the program folder and the data folder hold afterwards, what the main
// window shows, which programs were started and asked to close.

#include "foundation/ArchivosPrograma.h"
#include "inventory/Inven.h"
#include "platform/ui/RejillaDatos.h"
#include "programa_prueba.h"
#include "reports/ConsCata.h"
#include "shell/Campos.h"
#include "shell/Elipse.h"
#include "shell/Empresas.h"
#include "support/LanzadorGrabador.h"
#include "support/Proceso.h"
#include "suplente_prueba.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

#include <optional>

namespace {

// A table's layout as text: "NAME type width.decimals" per field and
// "NAME=expression" per tag.
struct DefinicionTabla {
  QStringList campos;
  QStringList tags;
  qint64 filas = 0;
};

DefinicionTabla Definicion(const QString& carpeta, const QString& archivo) {
  db::Tabla t;
  t.SetCarpeta(carpeta);
  t.SetNombreTabla(archivo);
  t.SetReadOnly(true);
  t.Open();
  DefinicionTabla d;
  for (const db::DefCampo& c : t.Definiciones())
    d.campos << QString("%1 %2 %3.%4").arg(c.nombre, QString(c.tipo)).arg(c.ancho).arg(c.decimales);
  for (const db::DefTag& tag : t.IndexDefs()) d.tags << tag.nombre + "=" + tag.expresion;
  d.filas = t.RecordCount();
  return d;
}

void AgregaFilas(const QString& carpeta, const QString& archivo, const QString& campo, const QList<int>& valores) {
  db::Tabla t;
  t.SetCarpeta(carpeta);
  t.SetNombreTabla(archivo);
  t.Open();
  for (int v : valores) {
    t.Append();
    t.FieldByName(campo).SetAsInteger(v);
    t.Post();
  }
}

QList<qint64> Columna(const QString& carpeta, const QString& archivo, const QString& campo) {
  db::Tabla t;
  t.SetCarpeta(carpeta);
  t.SetNombreTabla(archivo);
  t.SetReadOnly(true);
  t.Open();
  QList<qint64> valores;
  for (t.First(); !t.Eof(); t.Next()) valores << t.FieldByName(campo).AsInteger();
  return valores;
}

std::optional<QString> Marca() {
  const QString ruta = fs::Une(kPrograma, "inicio.vrl");
  if (!fs::ExisteArchivo(ruta)) return std::nullopt;
  return fs::LeeLineas(ruta).join("|");
}

class Principal : public ProgramaPrueba {
 protected:
  static void FijaLinea(int linea, const QString& valor) {
    const QString archivo = "C:\\VRL\\Gener1.cnf";
    QStringList lineas = fs::LeeLineas(archivo);
    lineas[linea - 1] = valor;
    EscribeLineas(archivo, lineas);
  }

  // "Salir", then the program's windows go.
  void Sale() {
    prueba::Pulsa(*FormaPrincipal(), "BotonSalir");
    programa_.reset();
  }

  static bool EnRojo(const QLabel* etiqueta) { return etiqueta->palette().color(QPalette::WindowText) == QColor(Qt::red); }
};

// Helper process: holds a table of the program folder open until told.
RUTINA_HIJA(SostieneTabla) {
  db::Tabla t;
  t.SetCarpeta(argumentos.value(0));
  t.SetNombreTabla(argumentos.value(1));
  t.Open();
  prueba::AvisaPadre(QStringLiteral("ABIERTA"));
  prueba::EsperaPadre();
  return 0;
}

}  // namespace

TEST_F(Principal, ElProgramaCreaSusVentanasEnOrden) {
  TFormaPrincipal& principal = Arranca();
  QStringList clases;
  for (const auto& v : programa_->Ventanas()) clases << v->metaObject()->className();
  EXPECT_EQ(clases, (QStringList{"TFormaPrincipal", "TFormaEmpresas", "TFormaCompras", "TFormaInventario", "TFormaConProduct",
                                 "TFormaProveedo", "TFormaProgreso", "TFormaGlyp", "TFormaConsultaCuePagar",
                                 "TFormaClientes", "TFormaCxPDetalle", "TFormaEdicion",
                                 "TFormaMovimientos", "TFormaColector", "TFormaCaducidad", "TFormaRemCuCobra", "TFormaConceptos",
                                 "TFormaBuscaSQL", "TFormaListaSQL", "TFormaHotReporte"}));
  EXPECT_EQ(FormaElipse(), nullptr);  // the splash is gone
  EXPECT_FALSE(principal.isEnabled());
  EXPECT_EQ(principal.windowTitle(), QString(10, ' '));
  EXPECT_EQ(qApp->property("ArchivoAyuda").toString(), kArchivoAyuda);
  Ingresa(principal, "Bodega");
  EXPECT_TRUE(principal.isEnabled());
  EXPECT_EQ(prueba::Texto(principal, "Usuario"), "3");
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Principal, ElProgramaUneLosModulosDelMenu) {
  TFormaPrincipal& principal = Arranca();
  Ingresa(principal, "adm");
  AgregaFilas(kDatos1, "FacturaE.dbf", "CLDOC_F", {5, 12});
  struct Caso {
    const char* item;
    const char* clase;
  };
  for (const Caso& c : {Caso{"Divisas1", "TFormaDivisa"}, Caso{"ValoresIniciales1", "TFormaInicial"},
                        Caso{"AltadeConceptosMovimientos1", "TFormacomovinv"}, Caso{"ReportesSQL1", "TFormaSQL"},
                        Caso{"Consolidar1", "TFormaConsolidar"}}) {
    SCOPED_TRACE(c.item);
    EXPECT_TRUE(principal.Item(c.item)->isEnabled());
    bool mostrada = false;
    ui::PuertaModal::Espera(c.clase, [&](QDialog& d) { mostrada = d.isVisible(); });
    principal.Item(c.item)->trigger();
    EXPECT_TRUE(mostrada);
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Principal, ElPrimerArranquePreparaLasTablasYElSegundoNoRehaceLasQueHay) {
  AgregaFilas(kDatos1, "FacturaE.dbf", "CLDOC_F", {5, 12, 7});
  AgregaFilas(kDatos1, "ComprasE.dbf", "CLDOC_O", {9, 3});

  TFormaPrincipal& principal = Arranca();
  EXPECT_FALSE(EnRojo(principal.Usuario));
  EXPECT_EQ(prueba::Texto(principal, "EditRuta"), kDatos1);
  // The capture template is a copy of Deta.db.
  const DefinicionTabla deta = Definicion(kPrograma, "Deta.db");
  EXPECT_EQ(Definicion(kPrograma, "DetaCR.db").campos, deta.campos);
  // Templates: empty, with the fields and tags of the data folder's tables.
  for (const char* t : {"Remision.dbf", "ComprasE.dbf", "OrdenCom.dbf", "DevolCom.DBF", "Cotizar.DBF"}) {
    SCOPED_TRACE(t);
    const DefinicionTabla fuente = Definicion(kDatos1, t);
    const DefinicionTabla plantilla = Definicion(kTempo, t);
    EXPECT_EQ(plantilla.campos, fuente.campos);
    EXPECT_EQ(plantilla.tags, fuente.tags);
    EXPECT_FALSE(plantilla.tags.isEmpty());
    EXPECT_EQ(plantilla.filas, 0);
  }
  // Counters seeded with the last number of their header table by number.
  EXPECT_EQ(Columna(kDatos1, "numerof.dbf", "NUMERO"), QList<qint64>{12});
  EXPECT_EQ(Columna(kDatos1, "numeroc.dbf", "NUMERO"), QList<qint64>{9});
  EXPECT_EQ(Definicion(kDatos1, "Kardex.dbf").tags, QStringList{"CLPRO_I=CLPRO_I"});
  EXPECT_TRUE(fs::ExisteCarpeta("C:\\VRL\\Control"));
  EXPECT_FALSE(fs::ExisteCarpeta(fs::Une(kDatos1, "Bitacora")));  // line 85 is "N"
  EXPECT_EQ(Mensajes(), QStringList());
  Ingresa(principal, "adm");
  Sale();

  // Meanwhile: a row in the capture template, one in a template, a new
  // invoice, and the change logs asked for.
  AgregaFilas(kPrograma, "DetaCR.db", "CANTIDAD", {4});
  AgregaFilas(kTempo, "Remision.dbf", "CLDOC_F", {77});
  AgregaFilas(kDatos1, "FacturaE.dbf", "CLDOC_F", {20});
  FijaLinea(ConfBitacora, "S");

  Arranca();
  EXPECT_EQ(Columna(kPrograma, "DetaCR.db", "CANTIDAD"), QList<qint64>{4});  // not copied again
  EXPECT_EQ(Definicion(kTempo, "Remision.dbf").filas, 0);                   // made again
  EXPECT_EQ(Columna(kDatos1, "numerof.dbf", "NUMERO"), QList<qint64>{12});  // left alone
  EXPECT_TRUE(fs::ExisteCarpeta(fs::Une(kDatos1, "Bitacora")));
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Principal, LasTablasSeHacenEnLasCarpetasDeLaEmpresaUno) {
  struct Caso {
    const char* inicio;  // the company the start file names before the start
    const char* linea59;
    const char* kardex;  // where Kardex.dbf appears
  };
  for (const Caso& c : {Caso{"C:\\VRL\\Gener1.cnf", "", "C:\\VRL\\DATOS"},
                        Caso{"C:\\VRL\\Gener1.cnf", "D:\\INVENTA", "D:\\INVENTA"},
                        Caso{"C:\\VRL\\Gener2.cnf", "", "C:\\VRL\\DATOS"}}) {
    SCOPED_TRACE(std::string(c.inicio) + " / " + c.linea59);
    EscribeLineas(kArchivoInicio, {kPrograma, c.inicio, ""});
    FijaLinea(ConfCarpetaInventario, c.linea59);
    fs::CreaCarpeta("D:\\INVENTA");
    Arranca();
    for (const QString& carpeta : {kDatos1, kDatos2, QString("D:\\INVENTA")}) {
      EXPECT_EQ(db::Tabla::Existe(carpeta, "Kardex.dbf"), carpeta == c.kardex) << carpeta.toStdString();
      EXPECT_EQ(db::Tabla::Existe(carpeta, "numerof.dbf"), carpeta == kDatos1) << carpeta.toStdString();
    }
    programa_.reset();
    db::Tabla::Borra(c.kardex, "Kardex.dbf");
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Principal, LaMarcaDeInicioYFin) {
  struct Caso {
    const char* linea36;
    const char* alCerrar;
  };
  for (const Caso& c : {Caso{"N", "XXXXXXX"}, Caso{"S", "Final Perfecto"}}) {
    SCOPED_TRACE(c.linea36);
    fs::BorraArchivo(fs::Une(kPrograma, "inicio.vrl"));
    FijaLinea(ConfFallosEnergia, c.linea36);
    Ingresa(Arranca(), "adm");
    EXPECT_EQ(Marca(), std::nullopt);  // the first closing makes it
    Sale();
    EXPECT_EQ(Marca(), QString(c.alCerrar));
    // The next start rewrites it only when line 36 is "S".
    Arranca();
    EXPECT_EQ(Marca(), QString(c.linea36 == QString("S") ? "Inicio Perfecto" : c.alCerrar));
    programa_.reset();
  }
}

TEST_F(Principal, OtraCopiaConLaTablaDeMovimientosAbiertaPoneElUsuarioEnRojo) {
  prueba::ProcesoHijo otra("SostieneTabla", {kPrograma, "Detaminv.db"});
  ASSERT_EQ(otra.EsperaLinea(), "ABIERTA");
  TFormaPrincipal& principal = Arranca();
  EXPECT_TRUE(EnRojo(principal.Usuario));
  // Start-up went on.
  EXPECT_TRUE(db::Tabla::Existe(kPrograma, "DetaCR.db"));
  EXPECT_TRUE(db::Tabla::Existe(kDatos1, "Kardex.dbf"));
  EXPECT_TRUE(db::Tabla::Existe(kDatos1, "numerof.dbf"));
  EXPECT_EQ(Mensajes(), QStringList());
  otra.Envia("FIN");
  EXPECT_EQ(otra.Espera(), 0);

  // Without the other copy the label keeps its colour.
  programa_.reset();
  EXPECT_FALSE(EnRojo(Arranca().Usuario));
}

TEST_F(Principal, LasOpcionesDeInicioAbrenLaVentaTrasElIngreso) {
  struct Caso {
    std::optional<QStringList> rapida;  // rapida.cnf, or none
    const char* linea71;
    bool conVenta;  // a stand-in for the sale screen; otherwise the program's own
    int abiertas;
    bool detallada, sencilla, reloj;
  };
  const Caso casos[] = {
      {std::nullopt, "S", true, 0, false, false, false},
      {QStringList{"S", "N", "N"}, "S", true, 1, true, false, true},
      {QStringList{"Sí", "S", "S"}, "N", true, 1, true, false, false},
      {QStringList{"T", "S", "N"}, "S", true, 0, false, true, true},
      {QStringList{"N", "N", "N"}, "N", true, 0, false, false, false},
      // The program's own sale screen.
      {QStringList{"S", "N", "N"}, "N", false, 1, true, false, false},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.rapida ? c.rapida->join(',').toStdString() : "sin rapida.cnf");
    fs::BorraArchivo(fs::Une(kPrograma, "rapida.cnf"));
    if (c.rapida) EscribeLineas(fs::Une(kPrograma, "rapida.cnf"), *c.rapida);
    FijaLinea(ConfChequeoPermanenteMI, c.linea71);
    TFormaPrincipal& principal = Arranca();
    int abiertas = 0;
    if (c.conVenta) {
      principal.Une("CapturaRpida1", [&] {
        ++abiertas;
        EXPECT_TRUE(principal.isEnabled());  // after the login
        return std::make_unique<VentanaSuplente>();
      });
      if (c.abiertas) ui::PuertaModal::Espera("VentanaSuplente", [](QDialog&) {});
    } else {
      InstalaArchivosPrograma();
      ui::PuertaModal::Espera("TFormaCapturaRapida", [&](QDialog&) { ++abiertas; });
    }
    Ingresa(principal, "caja");
    EXPECT_EQ(abiertas, c.abiertas);
    EXPECT_EQ(principal.IniciarenCapturaRpida1->isChecked(), c.detallada);
    EXPECT_EQ(principal.IniciarenCapturaRpida2->isChecked(), c.sencilla);
    EXPECT_EQ(principal.TimerHora->isActive(), c.reloj);
    EXPECT_EQ(Mensajes(), QStringList());
    programa_.reset();
  }
}

TEST_F(Principal, SoloElAdministradorGuardaLasOpcionesDeInicio) {
  const QString rapida = fs::Une(kPrograma, "rapida.cnf");
  TFormaPrincipal& principal = Arranca();
  struct Caso {
    const char* clave;
    bool detallada, sencilla, horario;
    std::optional<QStringList> archivo;
  };
  for (const Caso& c : {Caso{"caja", true, false, false, std::nullopt},
                        Caso{"adm", true, true, false, QStringList{"S", "N", "N"}},
                        Caso{"adm", false, true, true, QStringList{"T", "S", "N"}},
                        Caso{"adm", false, false, false, QStringList{"N", "N", "N"}}}) {
    SCOPED_TRACE(c.clave);
    fs::BorraArchivo(rapida);
    ui::PuertaModal::Espera("TFormaEmpresas", [&](QDialog& d) {
      prueba::Teclea(d, "Clave", c.clave);
      prueba::Tecla(d, "Clave", Qt::Key_Return);
    });
    FormaEmpresas()->ShowModal();
    principal.IniciarenCapturaRpida1->setChecked(c.detallada);
    principal.IniciarenCapturaRpida2->setChecked(c.sencilla);
    principal.ServidordeHorario1->setChecked(c.horario);
    principal.GuardaOpcionesInicio();
    if (c.archivo) EXPECT_EQ(fs::LeeLineas(rapida), *c.archivo);
    else EXPECT_FALSE(fs::Existe(rapida));
  }
}

TEST_F(Principal, AlSalirCierraCompanerosYCatalogosYArrancaElAjuste) {
  qputenv("VORLAN_PROGRAMAS", "Plenvik.exe=plenvik-ajuste;Tolvrin.exe=tolvrin;Monitor Vorlan.exe=monitor");
  prueba::LanzadorGrabador lanzador;
  ASSERT_TRUE(proc::Ejecuta("\"C:\\VRL\\Monitor Vorlan.exe\""));
  ASSERT_TRUE(proc::Ejecuta("C:\\VRL\\Tolvrin.exe"));
  for (const char* f : {"_qsq0001.db", "_QSQ77.px", "_qsqtmp", "qsq.db"}) EscribeBytes(fs::Une(kPrograma, f), "x");

  TFormaPrincipal& principal = Arranca();
  // The monitor of an earlier run is closed at start.
  ASSERT_EQ(lanzador.cerrados.size(), 1);
  EXPECT_EQ(lanzador.cerrados[0].programa, "monitor");

  VentanaSuplente abierta, oculta;
  abierta.AbreTabla(kDatos1, "Cliente.dbf");
  oculta.AbreTabla(kDatos1, "Cliente.dbf");
  abierta.Show();
  principal.Une("Clientes2", [&] { return &abierta; });
  principal.Une("Proveedores2", [&] { return &oculta; });
  principal.Une("Producto1", []() -> ui::Forma* { return nullptr; });  // not created
  principal.Une("Vendedores2", [] {
    auto vendedor = std::make_unique<VentanaSuplente>();
    vendedor->AbreTabla(kDatos1, "Vendedor.dbf");
    return vendedor;
  });
  Ingresa(principal, "adm");

  // A change of company closes the tables of every catalogue window, the
  // seller's while it is open.
  abierta.SetTag(5);
  ui::PuertaModal::Espera("VentanaSuplente", [&](QDialog& d) {
    auto& vendedor = static_cast<VentanaSuplente&>(d);
    vendedor.SetTag(7);
    CierraTablasCatalogos();
    for (VentanaSuplente* v : {&abierta, &oculta, &vendedor}) {
      EXPECT_FALSE(v->Tabla->Active());
      EXPECT_EQ(v->Tag(), 0);
    }
  });
  principal.Item("Vendedores2")->trigger();

  prueba::Pulsa(principal, "BotonSalir");
  EXPECT_EQ(ui::Tag(principal.BotonSalir), 1000);
  EXPECT_FALSE(principal.isVisible());
  // The visible catalogue windows went through their own closing.
  EXPECT_EQ(abierta.cierres, 1);
  EXPECT_FALSE(abierta.isVisible());
  EXPECT_EQ(oculta.cierres, 0);
  ASSERT_EQ(lanzador.cerrados.size(), 2);
  EXPECT_EQ(lanzador.cerrados[1].programa, "tolvrin");
  ASSERT_EQ(lanzador.iniciados.size(), 3);
  EXPECT_EQ(lanzador.iniciados[2], (proc::Orden{"plenvik-ajuste", {}, {}}));
  EXPECT_EQ(fs::ListaCarpeta(kPrograma, "*qsq*"), QStringList{"qsq.db"});
  EXPECT_EQ(Mensajes(), QStringList());
  programa_.reset();
}

TEST_F(Principal, SinElAjusteElCierreNoDiceNada) {
  prueba::LanzadorGrabador lanzador;
  Ingresa(Arranca(), "adm");
  Sale();
  EXPECT_TRUE(lanzador.iniciados.isEmpty());
  EXPECT_EQ(Marca(), QString("XXXXXXX"));
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Principal, LosCatalogosAbrenElNavegadorDeTablas) {
  // User 1 without right 8 (products).
  QByteArray usuarios;
  for (int i = 0; i < 2; ++i) {
    TRegistroUsuario r;
    r.NumeroUsuario = i;
    r.NombreUsuario = QStringLiteral("Usuario %1").arg(i);
    r.ClaveUsuario = i == 0 ? "adm" : "caja";
    r.Derechos = QString(kNumeroDerechos, u's');
    if (i == 1) r.Derechos[DerechoInventarios - 1] = u'n';
    usuarios += r.ABytes();
  }
  EscribeBytes(fs::Une(kDatos1, "usuarios.def"), usuarios);
  InstalaArchivosPrograma();
  db::Tabla::Borra(kPrograma, kArchivoCampos);  // the empty one of the tables made for the test
  InstalaCampos(kPrograma);
  const auto agrega = [](const QString& archivo, const QString& campo, const QStringList& valores) {
    db::Tabla t;
    t.SetCarpeta(kDatos1);
    t.SetNombreTabla(archivo);
    t.Open();
    for (const QString& v : valores) {
      t.Append();
      t.FieldByName(campo).SetAsString(v);
      t.Post();
    }
  };
  agrega("inventar.dbf", "DSCPR_I", {"TORNILLO", "ARANDELA"});
  agrega("cuepagar.dbf", "NOMBR_CP", {"UNO", "DOS", "TRES"});
  TFormaPrincipal& principal = Arranca();
  Ingresa(principal, "caja");
  principal.Item("Inventario2")->trigger();  // refused: no window shown
  EXPECT_EQ(Mensajes(), QStringList{kSinAcceso});
  ui::PuertaModal::LimpiaMensajes();

  ui::PuertaModal::Espera("TFormaEmpresas", [](QDialog& d) {
    prueba::Teclea(d, "Clave", "adm");
    prueba::Tecla(d, "Clave", Qt::Key_Return);
  });
  FormaEmpresas()->ShowModal();
  QStringList vistos;
  ui::PuertaModal::Espera("TFormaCatalogo", [&](QDialog& d) {
    auto& c = static_cast<TFormaCatalogo&>(d);
    EXPECT_EQ(c.TablaConsulta->IndexName(), "DSCPR_I");
    EXPECT_EQ(c.DetalleCatalogo->Columna(1).titulo, "Descripción del Producto");
    EXPECT_EQ(c.Usuario->text(), "0");
    for (c.TablaConsulta->First(); !c.TablaConsulta->Eof(); c.TablaConsulta->Next())
      vistos << c.TablaConsulta->FieldByName("DSCPR_I").AsString();
  });
  principal.Item("Inventario2")->trigger();
  // The payables: every row.
  ui::PuertaModal::Espera("TFormaCatalogo", [&](QDialog& d) {
    vistos << QString::number(static_cast<TFormaCatalogo&>(d).TablaConsulta->RecordCount());
  });
  principal.Item("CuentasPorPagar1")->trigger();
  EXPECT_EQ(vistos, (QStringList{"ARANDELA", "TORNILLO", "3"}));
  EXPECT_EQ(FormaCatalogo(), nullptr);
  EXPECT_EQ(Mensajes(), QStringList());
}

// A drill-down of the catalogue browser into the product window while that
// window is entering a product leaves it as it is: the key typed, its user
// and its row; the user is told. Once the product is saved the drill-down
// opens the row asked for, with the browser's user.
TEST_F(Principal, ElNavegadorNoTocaLaVentanaDeProductosQueCaptura) {
  InstalaArchivosPrograma();
  db::Tabla::Borra(kPrograma, kArchivoCampos);  // the empty one of the tables made for the test
  InstalaCampos(kPrograma);
  {
    db::Tabla t;
    t.SetCarpeta(kDatos1);
    t.SetNombreTabla("inventar.dbf");
    t.Open();
    for (const char* clave : {"A1", "B2"}) {
      t.Append();
      t.FieldByName("CLPRO_I").SetAsString(clave);
      t.FieldByName("DSCPR_I").SetAsString(QStringLiteral("Producto %1").arg(clave));
      t.Post();
    }
  }
  TFormaPrincipal& principal = Arranca();
  Ingresa(principal, "caja");
  // The opener offers the administrator's password first; left without it.
  ui::PuertaModal::Espera("TFormaAdministrador", [](QDialog& d) { prueba::Pulsa(d, "BitBtn2"); });
  principal.Item("Producto1")->trigger();
  TFormaInventario& productos = *FormaInventario();
  productos.DisparaActivacion();
  ASSERT_EQ(productos.Usuario->text(), "1");
  prueba::Pulsa(productos, "BotonNuevo");
  ASSERT_TRUE(productos.Nuevo());
  prueba::Teclea(productos, "EditCLPRO_I", "C3");

  // The administrator opens the product catalogue and drills into B2.
  ui::PuertaModal::Espera("TFormaEmpresas", [](QDialog& d) {
    prueba::Teclea(d, "Clave", "adm");
    prueba::Tecla(d, "Clave", Qt::Key_Return);
  });
  FormaEmpresas()->ShowModal();
  const auto abreB2 = [&] {
    ui::PuertaModal::Espera("TFormaCatalogo", [](QDialog& d) {
      auto& c = static_cast<TFormaCatalogo&>(d);
      ASSERT_TRUE(c.TablaConsulta->Locate("CLPRO_I", {"B2"}));
      c.DetalleCatalogoDblClick();
    });
    principal.Item("Inventario2")->trigger();
  };
  abreB2();
  EXPECT_EQ(Mensajes(), QStringList{"En la ventana de Inventario se está capturando un producto; guárdelo o "
                                    "descártelo antes de abrir otro"});
  EXPECT_TRUE(productos.Nuevo());
  EXPECT_EQ(productos.EditCLPRO_I->text(), "C3");
  EXPECT_EQ(productos.Usuario->text(), "1");
  EXPECT_EQ(productos.TablaInventario->FieldByName("CLPRO_I").AsString(), "");

  ui::PuertaModal::LimpiaMensajes();
  prueba::Pulsa(productos, "BotonGuardar");
  EXPECT_FALSE(productos.Editando());
  abreB2();
  EXPECT_EQ(productos.EditCLPRO_I->text(), "B2");
  EXPECT_EQ(productos.Usuario->text(), "0");
  db::Tabla t;
  t.SetCarpeta(kDatos1);
  t.SetNombreTabla("inventar.dbf");
  t.SetIndexName("ICLPRO");
  t.Open();
  EXPECT_TRUE(t.FindKey({"C3"}));
  EXPECT_EQ(Mensajes(), QStringList());
}
