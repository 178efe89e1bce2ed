#include "reports/OrdenPor.h"
#include "reports/Tipos.h"
#include "reports/catalogo_prueba.h"
#include "support/LanzadorGrabador.h"
#include "support/LibroPrueba.h"
#include "support/Proceso.h"

#include "platform/ui/Eventos.h"
#include "platform/ui/RejillaDatos.h"

#include "platform/fs/Texto.h"

#include <QCheckBox>
#include <QRegularExpression>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

namespace {

class CatalogoTest : public CatalogoPrueba {};

const CatalogoMenu kMenuInventario{"inventar.dbf",
                                   {"CLPRO_I", "DSCPR_I", "UMEDI_I", "EXIST_I", "PPUBL_I", "c6", "c7", "c8", "c9"},
                                   {"Producto", "Descripción", "unid. Med.", "Existencias", "Precio Publ.", "e6",
                                    "e7", "e8", "e9"}};

void Productos() {
  CatalogoPrueba::CreaTabla("inventar.dbf", {{"CLPRO_I", "DSCPR_I", "EXIST_I", "PPUBL_I"},
                                             {{"P3", "TORNILLO", 40, 1.5},
                                              {"P1", "ARANDELA", 10, 0.25},
                                              {"P2", "MARTILLO", 3, 120}}});
}

}  // namespace

TEST_F(CatalogoTest, AbreLaTablaEnSuOrdenConLasColumnasYTitulosDeSusCatalogos) {
  Productos();
  Clientes();
  std::unique_ptr<ui::Forma> ventana = CreaNavegadorCatalogo(kMenuInventario);
  auto& c = static_cast<TFormaCatalogo&>(*ventana);
  EXPECT_EQ(c.windowTitle(), "Catalogos");
  // Ordered by description; the leading columns as the menu asks, titled
  // from confcamp.cmp until shown, the others in table order.
  EXPECT_EQ(c.TablaConsulta->IndexName(), "DSCPR_I");
  EXPECT_EQ(Columna(c, "CLPRO_I"), (QStringList{"P1", "P2", "P3"}));
  EXPECT_EQ(Titulos(c).mid(0, 6),
            (QStringList{"Producto", "Descripción", "unid. Med.", "Existencias", "Precio Publ.", ""}));
  const QStringList campos = c.TablaConsulta->NombresCampos();
  EXPECT_EQ(c.DetalleCatalogo->Columna(3).campo, "EXIST_I");
  EXPECT_EQ(c.DetalleCatalogo->Columna(5).campo, campos[5]);
  EXPECT_EQ(c.DetalleCatalogo->Columnas(), campos.size());
  EXPECT_EQ(c.Indices->count(), 3);
  ventana.reset();

  // An "e<n>" title empties that title; a "c<n>" field keeps the column's.
  Navega(CatalogoMenu{"cliente.dbf", {}, {}}, [](TFormaCatalogo& c) {
    EXPECT_EQ(c.TablaConsulta->IndexName(), "ICLACLI");
    // Shown: every title comes from Campos.DBF.
    EXPECT_EQ(Titulos(c).mid(0, 3), (QStringList{"Clave del Cliente", "Nombre del Cliente", "Teléfono"}));
    c.ConfiguraColumnasCatalogo("cliente.dbf", {"NOMBR_C", "c2"}, {"Nombre", "e2"});
    EXPECT_EQ(Titulos(c).mid(0, 2), (QStringList{"Nombre", ""}));
    EXPECT_EQ(c.DetalleCatalogo->Columna(0).campo, "NOMBR_C");
    EXPECT_EQ(c.DetalleCatalogo->Columna(1).campo, "NOMBR_C");
    EXPECT_TRUE(c.DetalleCatalogo->SoloLectura());
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(CatalogoTest, BuscaPorElIndiceElegido) {
  Clientes();
  struct Caso {
    const char* opcion;
    const char* texto;
    const char* indice;
    const char* cliente;
  };
  for (const Caso& caso : {Caso{"Nombre", "GAR", "NOMBR_C", "10"}, Caso{"Clave", "25", "ICLACLI", "30"},
                           Caso{"Direccion", "J", "DIREC_C", "20"}}) {
    SCOPED_TRACE(caso.opcion);
    Navega("cliente.dbf", [&](TFormaCatalogo& c) {
      ui::PuertaModal::Espera("TFormaBusqueda", [&](QDialog& d) {
        EXPECT_FALSE(prueba::Componente(d, "Direccion")->isHidden());
        prueba::Pulsa(d, caso.opcion);
        prueba::Teclea(d, "CajaBuscar", caso.texto);
        prueba::Pulsa(d, "BotonAceptar");
      });
      c.Buscar1->trigger();
      EXPECT_EQ(c.TablaConsulta->IndexName(), caso.indice);
      EXPECT_EQ(c.TablaConsulta->FieldByName("CLCLI_C").AsString(), caso.cliente);
    });
  }
  // A table without indexes has nothing to search by.
  db::Tabla::Crea(kDatosReporte, "libre.dbf", {{"NOMBRE", 'C', 10, 0}});
  Navega("libre.dbf", [](TFormaCatalogo& c) { prueba::Pulsa(c, "BotonBuscar"); });
  EXPECT_EQ(Mensajes(), QStringList{kSinIndice});
}

TEST_F(CatalogoTest, SumaFlotantesYEnterosCortosNoOtrosCampos) {
  Clientes();
  CreaTabla("cuepagar.dbf", {{"NUCOM_CP", "SALDO_CP"}, {{1, 99999.99}, {2, 0.01}}});
  struct Caso {
    const char* tabla;
    const char* campo;
    QString mensaje;
  };
  const Caso casos[] = {
      {"cliente.dbf", "SALDO_C", "La suma es =      1,170.75"},
      {"cliente.dbf", "DCRED_C", "La suma es =         52.00"},  // N(4,0), read as a small integer
      {"cuepagar.dbf", "SALDO_CP", "La suma es =    100,000.00"},
      {"cuepagar.dbf", "NUCOM_CP", kNoSumable},  // a wide whole number
      {"cliente.dbf", "NOMBR_C", kNoSumable},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.campo);
    ui::PuertaModal::LimpiaMensajes();
    Navega(caso.tabla, [&](TFormaCatalogo& c) {
      c.DetalleCatalogo->SetSelectedIndex(ColumnaDe(c, caso.campo));
      c.Sumar1->trigger();
      if (caso.mensaje != kNoSumable) {
        EXPECT_TRUE(c.TablaConsulta->Eof());
      }
    });
    EXPECT_EQ(Mensajes(), QStringList{caso.mensaje});
  }
}

TEST_F(CatalogoTest, LaClaseDeColumnaDesdeSuTitulo) {
  Clientes();
  const auto elige = [](const char* clase, bool acumula) {
    ui::PuertaModal::Espera("TFormaTipos", [=](QDialog& d) {
      prueba::Pulsa(d, clase);
      if (acumula) static_cast<TFormaTipos&>(d).AcumulaNumerico->setChecked(true);
      prueba::Pulsa(d, "BitBtn1");
    });
  };
  Navega("cliente.dbf", [&](TFormaCatalogo& c) {
    const int saldo = ColumnaDe(c, "SALDO_C");
    const int nombre = ColumnaDe(c, "NOMBR_C");
    QHeaderView* titulos = c.DetalleCatalogo->horizontalHeader();
    elige("Moneda", false);
    emit titulos->sectionClicked(nombre);
    EXPECT_EQ(Mensajes(), QStringList{kNoNumerica});
    EXPECT_FALSE(c.DetalleCatalogo->Columna(nombre).colorTitulo.isValid());

    elige("Numero", true);
    emit titulos->sectionClicked(saldo);
    EXPECT_EQ(c.DetalleCatalogo->Columna(saldo).colorTitulo, kColorNumero);
    EXPECT_EQ(c.DetalleCatalogo->model()->headerData(saldo, Qt::Horizontal, Qt::ForegroundRole).value<QColor>(),
              kColorNumero);
    EXPECT_EQ(c.DetalleCatalogo->Columna(saldo).titulo, "+Saldo");
    elige("Moneda", true);  // already marked: no second "+"
    emit titulos->sectionClicked(saldo);
    EXPECT_EQ(c.DetalleCatalogo->Columna(saldo).colorTitulo, kColorMoneda);
    EXPECT_EQ(c.DetalleCatalogo->Columna(saldo).titulo, "+Saldo");

    elige("Cadena", false);
    emit titulos->sectionClicked(nombre);
    EXPECT_EQ(c.DetalleCatalogo->Columna(nombre).colorTitulo, kColorCadena);
    elige("NoVisible", false);
    emit titulos->sectionClicked(nombre);
    EXPECT_FALSE(CamposVisibles(c).contains("NOMBR_C"));
    // Cancelled: nothing changes.
    ui::PuertaModal::Espera("TFormaTipos", [](QDialog& d) { prueba::Pulsa(d, "BitBtn2"); });
    emit titulos->sectionClicked(saldo);
    // Every field comes back, titled again.
    prueba::Pulsa(c, "TodosCampos");
    EXPECT_TRUE(CamposVisibles(c).contains("NOMBR_C"));
    EXPECT_EQ(c.DetalleCatalogo->Columna(saldo).titulo, "Saldo");
  });
}

TEST_F(CatalogoTest, ModificarPideLaClaveDelAdministrador) {
  Clientes();
  Navega("cliente.dbf", [](TFormaCatalogo& c) {
    for (const char* clave : {"caja", "adm"}) {
      ui::PuertaModal::Espera("TFormaAdministrador", [clave](QDialog& d) {
        prueba::Teclea(d, "Clave", clave);
        prueba::Pulsa(d, "BitBtn1");
      });
      prueba::Pulsa(c, "BotonCambios");
      EXPECT_EQ(c.DetalleCatalogo->SoloLectura(), QString(clave) == "caja");
    }
    // Closing makes it read only again.
    c.Close();
    EXPECT_TRUE(c.DetalleCatalogo->SoloLectura());
  });
  EXPECT_EQ(Mensajes(), QStringList{kPasswordInvalido});
}

TEST_F(CatalogoTest, ElOrdenSeEligeEntreOchoIndicesConSuDescripcion) {
  Productos();
  Navega(kMenuInventario, [](TFormaCatalogo& c) {
    // The close box accepts the choice checked.
    ui::PuertaModal::Espera("TFormaOrdenarPor", [](QDialog& d) {
      auto& o = static_cast<TFormaOrdenarPor&>(d);
      EXPECT_EQ(o.Opciones[0]->text(), "ICLPRO");
      EXPECT_EQ(o.Etiquetas[0]->text(), "Clave del Producto");
      EXPECT_EQ(o.Etiquetas[1]->text(), "Descripción del Producto");
      EXPECT_TRUE(o.Opciones[3]->isHidden());
      EXPECT_TRUE(o.Etiquetas[3]->isHidden());
      o.Opciones[2]->setChecked(true);
      o.close();
    });
    prueba::Pulsa(c, "BotonIndices");
    EXPECT_EQ(c.TablaConsulta->IndexName(), "CODIG_I");
    ui::PuertaModal::Espera("TFormaOrdenarPor", [](QDialog& d) {
      static_cast<TFormaOrdenarPor&>(d).Opciones[0]->setChecked(true);
      prueba::Pulsa(d, "BitBtn2");
    });
    c.AsignaOrden1->trigger();
    EXPECT_EQ(c.TablaConsulta->IndexName(), "CODIG_I");
    // "Ver Reporte" names it.
    prueba::Pulsa(c, "BotonReporte");
  });
  EXPECT_EQ(Mensajes(), QStringList{"CODIG_I"});

  // Nine indexes: the first eight are offered; one without a catalogue
  // entry under its own name.
  QVector<db::DefTag> tags;
  for (int i = 1; i <= 9; ++i) tags.push_back({QStringLiteral("T%1").arg(i), QStringLiteral("C%1").arg(i)});
  QVector<db::DefCampo> campos;
  for (int i = 1; i <= 9; ++i) campos.push_back({QStringLiteral("C%1").arg(i), 'C', 5, 0});
  db::Tabla::Crea(kDatosReporte, "nueve.dbf", campos, tags);
  Navega("nueve.dbf", [](TFormaCatalogo& c) {
    ui::PuertaModal::Espera("TFormaOrdenarPor", [](QDialog& d) {
      auto& o = static_cast<TFormaOrdenarPor&>(d);
      QStringList nombres, descripciones;
      for (int k = 0; k < TFormaOrdenarPor::kOpciones; ++k) {
        nombres << (o.Opciones[k]->isHidden() ? QString() : o.Opciones[k]->text());
        descripciones << o.Etiquetas[k]->text();
      }
      EXPECT_EQ(nombres, (QStringList{"T1", "T2", "T3", "T4", "T5", "T6", "T7", "T8"}));
      EXPECT_EQ(descripciones, nombres);
      o.Opciones[7]->setChecked(true);
      prueba::Pulsa(d, "BitBtn1");
    });
    prueba::Pulsa(c, "BotonIndices");
    EXPECT_EQ(c.TablaConsulta->IndexName(), "T8");
  });
}

TEST_F(CatalogoTest, LaPlantillaGuardaIndiceYColumnasYMuestraSoloSusCampos) {
  Productos();
  Navega(kMenuInventario, [](TFormaCatalogo& c) {
    c.TablaConsulta->SetIndexName("CODIG_I");
    for (int i = 0; i < c.DetalleCatalogo->Columnas(); ++i)
      if (i > 2) c.DetalleCatalogo->SetColumnaVisible(i, false);
    c.DetalleCatalogo->SetTituloColumna(1, "Artículo");
    c.GuardarPlantilla1->trigger();
  });
  EXPECT_EQ(fs::LeeLineas("C:\\VRL\\inventar.xla"), QStringList{"CODIG_I"});
  const QStringList plantilla = fs::LeeLineas("C:\\VRL\\inventar.pla");
  ASSERT_EQ(plantilla.size(), 3);
  EXPECT_TRUE(plantilla[1].startsWith("DSCPR_I\t"));
  EXPECT_TRUE(plantilla[1].endsWith("\tArtículo"));

  // Reopened: the template's columns and titles, still ordered by
  // description; the other fields hidden until asked for.
  Navega(kMenuInventario, [](TFormaCatalogo& c) {
    EXPECT_EQ(c.TablaConsulta->IndexName(), "DSCPR_I");
    EXPECT_EQ(CamposVisibles(c), (QStringList{"CLPRO_I", "DSCPR_I", "UMEDI_I"}));
    EXPECT_EQ(Titulos(c)[1], "Artículo");
    prueba::Pulsa(c, "TodosCampos");
    EXPECT_EQ(CamposVisibles(c).size(), c.TablaConsulta->FieldCount());
    c.CheckPlantilla->click();
    EXPECT_EQ(CamposVisibles(c), (QStringList{"CLPRO_I", "DSCPR_I", "UMEDI_I"}));
    c.CheckPlantilla->click();
    EXPECT_EQ(CamposVisibles(c).size(), c.TablaConsulta->FieldCount());
  });
  // A template naming a field the table lacks: the table's error, nothing
  // hidden; the window still opens.
  EscribeLineas("C:\\VRL\\inventar.pla", {"CLPRO_I\t80\tClave", "NOEXISTE\t80\tOtro"});
  Navega(kMenuInventario, [](TFormaCatalogo& c) {
    EXPECT_EQ(CamposVisibles(c), QStringList{"CLPRO_I"});
    prueba::Pulsa(c, "TodosCampos");
    c.CheckPlantilla->click();
    EXPECT_EQ(CamposVisibles(c).size(), c.TablaConsulta->FieldCount());
  });
  EXPECT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes().value(0).contains("NOEXISTE")) << Mensajes().value(0).toStdString();
}

TEST_F(CatalogoTest, BordesExportaCadaCampoYAbreLaHojaDeCalculo) {
  ConHojaCalculo();
  CreaTabla("cuepagar.dbf", {{"NUCOM_CP", "NOMBR_CP", "SALDO_CP", "FEVEN_CP"},
                             {{7, "FERRETERA", 123456.78, QDate(2024, 4, 30)}}});
  struct Caso {
    const char* tecleado;
    const char* archivo;
  };
  for (const Caso& caso : {Caso{"C:\\EXPORTA\\pagos", "C:\\EXPORTA\\pagos.xlsx"},
                           Caso{"C:\\EXPORTA\\pagos.txt", "C:\\EXPORTA\\pagos.txt"}}) {
    SCOPED_TRACE(caso.tecleado);
    prueba::LanzadorGrabador lanzador;
    Navega("cuepagar.dbf", [&](TFormaCatalogo& c) {
      c.DetalleCatalogo->SetColumnaVisible(1, false);  // hidden fields go too
      ui::PuertaModal::Espera("DialogoGuarda", [&](QDialog& d) { prueba::EligeArchivo(d, caso.tecleado); });
      prueba::Pulsa(c, "BotonBordes");
    });
    ASSERT_EQ(lanzador.iniciados.size(), 1);
    EXPECT_EQ(lanzador.iniciados[0], (proc::Orden{"hojacalc", {"--abre", fs::Local(caso.archivo)}, {}}));
    if (QString(caso.archivo).endsWith("xlsx")) {
      const LibroLeido libro = LeeLibro(caso.archivo);
      ASSERT_EQ(libro.error, "");
      ASSERT_EQ(libro.filas.size(), 1u);
      const QStringList fila = libro.filas[0];
      EXPECT_TRUE(fila.value(0).startsWith("=7 ")) << fila.value(0).toStdString();
      EXPECT_EQ(fila.value(2), "FERRETERA");
      EXPECT_EQ(fila.filter(QRegularExpression("^=123456\\.78")).size(), 1) << fila.join('|').toStdString();
      EXPECT_TRUE(fila.contains("30/04/2024"));
    } else {
      const QString texto = fs::DeCp1252(fs::LeeBytes(caso.archivo));
      EXPECT_TRUE(texto.startsWith("7\t\tFERRETERA\t")) << texto.toStdString();
      EXPECT_TRUE(texto.contains("\t123456.78\t"));
    }
  }
}

TEST_F(CatalogoTest, ElDetalleAbreLaVentanaRegistradaDeLaTabla) {
  Clientes();
  CreaTabla("cuepagar.dbf", {{"NUCOM_CP", "NOMBR_CP"}, {{7, "FERRETERA"}}});
  CreaTabla("cucobrar.dbf", {{"NUFAC_CC", "CLCLI_CC", "NOMBR_CC", "TIMOV_CC"}, {{55, "10", "GARCIA", "1"}}});
  std::vector<RegistroCatalogo> abiertos;
  const auto apertura = [&](const RegistroCatalogo& r) { abiertos.push_back(r); };
  UneAperturaCatalogo("cliente.dbf", apertura);
  UneAperturaCatalogo("CUCOBRAR.DBF", apertura);
  Navega(CatalogoMenu{"cliente.dbf", {"NOMBR_C", "CLCLI_C", "c3"}, {"Nombre", "Clave", "e3"}},
         [](TFormaCatalogo& c) {
           c.Usuario->setText("3");
           c.TablaConsulta->Last();
           prueba::DobleClic(c.DetalleCatalogo->viewport(),
                             c.DetalleCatalogo->visualRect(c.DetalleCatalogo->model()->index(3, 0)).center());
           c.TablaConsulta->First();
           prueba::Tecla(c, "DetalleCatalogo", Qt::Key_F2);
         });
  Navega("cucobrar.dbf", [](TFormaCatalogo& c) { prueba::Tecla(c, "DetalleCatalogo", Qt::Key_F2); });
  Navega("cuepagar.dbf", [](TFormaCatalogo& c) { prueba::Tecla(c, "DetalleCatalogo", Qt::Key_F2); });
  UneAperturaCatalogo("cliente.dbf", {});
  UneAperturaCatalogo("cucobrar.dbf", {});
  ASSERT_EQ(abiertos.size(), 3u);
  EXPECT_EQ(abiertos[0].clave, "A*B");  // the first visible column, as configured
  EXPECT_EQ(abiertos[0].usuario, "3");
  EXPECT_EQ(abiertos[1].clave, "GARCIA LUIS");  // the first row by key
  EXPECT_EQ(abiertos[2].clave, "55");
  EXPECT_EQ(abiertos[2].cuartaColumna, "GARCIA");
  EXPECT_EQ(Mensajes(), QStringList());
}

namespace {

// A picture file of one colour, in Windows form.
void Imagen(const QString& ruta, QColor color, const char* formato) {
  fs::CreaCarpeta(fs::CarpetaDe(ruta));
  QImage imagen(8, 6, QImage::Format_RGB32);
  imagen.fill(color);
  ASSERT_TRUE(imagen.save(fs::Local(ruta), formato));
}

}  // namespace

TEST_F(CatalogoTest, LasImagenesDeCuatroProductos) {
  Imagen("C:\\FOTOS\\martillo.png", Qt::red, "PNG");
  Imagen("C:\\VRL\\blanco.bmp", Qt::white, "BMP");
  CreaTabla("inventar.dbf", {{"CLPRO_I", "DSCPR_I", "EXIST_I", "IMAGE_I"},
                             {{"P1", "ARANDELA", 10, ""},
                              {"P2", "BROCA", 4, "C:\\FOTOS\\no.jpg"},
                              {"P3", "CLAVO", 500, ""},
                              {"P4", "MARTILLO", 3, "C:\\FOTOS\\martillo.png"},
                              {"P5", "PINZAS", 7, ""},
                              {"P6", "TORNILLO", 40, ""}}});
  CatalogoMenu menu = kMenuInventario;
  menu.imagenes = true;
  const auto tira = [](const TFormaCatalogo& c) {
    QStringList filas;
    for (int k = 0; k < 4; ++k)
      filas << c.Cajas[k]->Lineas().join(u' ') + " " + fs::NombreArchivo(c.Imagenes[k]->property("archivo").toString());
    return filas;
  };
  Navega(menu, [&](TFormaCatalogo& c) {
    EXPECT_TRUE(c.DetalleCatalogo->isHidden());
    EXPECT_EQ(tira(c), (QStringList{"P1 ARANDELA 10 blanco.bmp", "P2 BROCA 4 blanco.bmp", "P3 CLAVO 500 blanco.bmp",
                                    "P4 MARTILLO 3 martillo.png"}));
    EXPECT_EQ(c.TablaConsulta->FieldByName("CLPRO_I").AsString(), "P5");
    EXPECT_FALSE(c.Imagenes[3]->pixmap().isNull());
    // The navigator moves and the strip follows; past the end the last
    // product repeats.
    c.DBNavigator1->Pulsa(ui::Navegador::Ultimo);
    EXPECT_EQ(tira(c), QStringList(4, "P6 TORNILLO 40 blanco.bmp"));
    // A click on the strip closes the window.
    QTest::mouseClick(c.Panel2, Qt::LeftButton);
    EXPECT_FALSE(c.isVisible());
  });
}

TEST_F(CatalogoTest, BusquedaAvanzadaYCuentaDeRegistros) {
  Productos();
  QStringList pedidos;
  UneBusquedaProductoCatalogo([&](const QString& inicial) {
    pedidos << inicial;
    return pedidos.size() == 1 ? QString("P3") : QString("NADA");
  });
  Navega(kMenuInventario, [](TFormaCatalogo& c) {
    c.TablaConsulta->Last();  // TORNILLO, P3
    c.TablaConsulta->First();  // ARANDELA, P1
    c.BusquedaAvanzada1->trigger();
    EXPECT_EQ(c.TablaConsulta->IndexName().toUpper(), "ICLPRO");
    EXPECT_EQ(c.TablaConsulta->FieldByName("CLPRO_I").AsString(), "P3");
    c.BusquedaAvanzada1->trigger();  // a key that is not there: it stays
    EXPECT_EQ(c.TablaConsulta->FieldByName("CLPRO_I").AsString(), "P3");
    emit ui::Eventos::De(c.BarraDeEstado).DblClick();
    EXPECT_EQ(c.PanelesEstado[0]->text(), "Registros  3");
  });
  // Only the products have it.
  Clientes();
  Navega("cliente.dbf", [](TFormaCatalogo& c) { c.BusquedaAvanzada1->trigger(); });
  UneBusquedaProductoCatalogo({});
  EXPECT_EQ(pedidos, (QStringList{"P1", "P3"}));
}

namespace {

// Another station edits customer 20's name until told, then saves it.
RUTINA_HIJA(EditaCliente) {
  db::Tabla t;
  t.SetCarpeta(argumentos.value(0));
  t.SetNombreTabla("cliente.dbf");
  t.SetIndexName("ICLACLI");
  t.Open();
  if (!t.FindKey({"20"})) return 1;
  t.Edit();
  t.FieldByName("NOMBR_C").SetAsString("DE LA OTRA");
  prueba::AvisaPadre("EDITANDO");
  prueba::EsperaPadre();
  t.Post();
  return 0;
}

}  // namespace

TEST_F(CatalogoTest, UnRenglonQueOtraEstacionEditaNoSeModificaAqui) {
  Clientes();
  prueba::ProcesoHijo otra("EditaCliente", {kDatosReporte});
  ASSERT_EQ(otra.EsperaLinea(), "EDITANDO");
  Navega("cliente.dbf", [&](TFormaCatalogo& c) {
    ui::PuertaModal::Espera("TFormaAdministrador", [](QDialog& d) {
      prueba::Teclea(d, "Clave", "adm");
      prueba::Pulsa(d, "BitBtn1");
    });
    prueba::Pulsa(c, "BotonCambios");
    ASSERT_FALSE(c.DetalleCatalogo->SoloLectura());
    ASSERT_TRUE(c.TablaConsulta->FindKey({"20"}));
    c.DetalleCatalogo->SetSelectedIndex(ColumnaDe(c, "NOMBR_C"));
    c.DetalleCatalogo->setFocus();
    QTest::keyClicks(c.DetalleCatalogo, "X");
    EXPECT_EQ(Mensajes().size(), 1);
    EXPECT_TRUE(Mensajes().value(0).contains("bloqueado")) << Mensajes().value(0).toStdString();
    EXPECT_EQ(c.TablaConsulta->State(), db::Dataset::Estado::Navegando);
    otra.Envia("guarda");
    EXPECT_EQ(otra.Espera(), 0);
    c.TablaConsulta->Refresh();
    EXPECT_EQ(c.TablaConsulta->FieldByName("NOMBR_C").AsString(), "DE LA OTRA");
  });
}
