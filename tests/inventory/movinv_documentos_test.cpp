// The movement window's documents as a user browses them: opening on the
// last one, moving between documents and what the header shows, stale
// provisional rows, the search and its load into the capture table,
// deleting, printing, the document's log and observations, and the files
// that rename columns and labels and give the field help.

#include "formats/PaginaPrevia.h"
#include "foundation/PapelTap.h"
#include "foundation/observa.h"
#include "inventory/Costeo.h"
#include "platform/ui/Componentes.h"
#include "movimientos_prueba.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "support/ImpresionPrueba.h"
#include "support/Maneja.h"

#include <QAction>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

namespace {

using namespace movimientos;
// Named here too: another unit of the same batch may bring the test support's keys.
using movimientos::Tecla;

class DocumentosMovimiento : public MovimientosPrueba {
 protected:
  void SetUp() override {
    MovimientosPrueba::SetUp();
    AgregaMovimientos({{1, 51, "P1", 2, 2, 18.5, 24.9},
                       {1, 51, "P2", 3, 2, 20, 30},
                       {2, 57, "P3", 1, 3, 5, 9.5},
                       {3, 6, "P1", 4, 4, 18.5, 24.9}});
  }

  // Number, header warehouse, concept name and the lines shown.
  static QString Cabecera(const TFormaMovimientosInventario& v) {
    QStringList lineas;
    const QAbstractItemModel* m = v.DetalleConsulta->model();
    for (int i = 0; i < m->rowCount(); ++i) lineas << m->index(i, 2).data().toString();
    return QStringLiteral("%1|%2|%3|%4")
        .arg(v.EditCLDOC_MI->text())
        .arg(v.EditAlmacen->value())
        .arg(v.TIPMOV->text(), lineas.join(u','));
  }

  static void Busca(const QString& texto, bool acepta = true) {
    ui::PuertaModal::Espera("TFormaBusqueda", [texto, acepta](QDialog& d) {
      EXPECT_EQ(prueba::Texto(d, "Clave"), "Por Documento (F1)");
      EXPECT_TRUE(d.findChild<QRadioButton*>("Nombre")->isHidden());
      prueba::Teclea(d, "CajaBuscar", texto);
      if (acepta) prueba::Pulsa(d, "BotonAceptar");
      else prueba::Tecla(d, "CajaBuscar", Qt::Key_Escape);
    });
  }

};

TEST_F(DocumentosMovimiento, SeAbreEnElUltimoYSeRecorrenLosDocumentos) {
  TFormaMovimientosInventario& v = Ventana();
  EXPECT_EQ(Cabecera(v), "3|4|Ajuste de Salida|P1");
  struct Paso {
    const char* nombre;
    std::function<void()> accion;
    QString esperada;
  };
  const Paso pasos[] = {
      // An initial inventory keeps the warehouse and name shown before it.
      {"anterior", [&] { v.Botonsiguiente1->click(); }, "2|4|Ajuste de Salida|P3"},
      {"anterior", [&] { v.Botonsiguiente1->click(); }, "1|2|Compra|P1,P2"},
      {"anterior en el primero", [&] { v.Botonsiguiente1->click(); }, "1|2|Compra|P1,P2"},
      {"siguiente", [&] { v.Botonanterior->click(); }, "2|2|Compra|P3"},
      {"Re Pág: el siguiente", [&] { QTest::keyClick(v.EditCLDOC_MI, Qt::Key_PageUp); }, "3|4|Ajuste de Salida|P1"},
      {"siguiente en el último", [&] { v.Botonanterior->click(); }, "3|4|Ajuste de Salida|P1"},
      {"Av Pág: el anterior", [&] { QTest::keyClick(v.EditCLDOC_MI, Qt::Key_PageDown); }, "2|4|Ajuste de Salida|P3"},
      {"primero", [&] { v.Botonprimero->click(); }, "1|2|Compra|P1,P2"},
      {"con Ver Inventario Inicial", [&] {
         v.InventarioInicial->setChecked(true);
         v.Botonanterior->click();
       },
       "2|3|Inventario Inicial|P3"},
      {"último", [&] { v.Botonultimo->click(); }, "3|4|Ajuste de Salida|P1"},
  };
  for (const Paso& p : pasos) {
    SCOPED_TRACE(p.nombre);
    p.accion();
    EXPECT_EQ(Cabecera(v), p.esperada);
  }
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(FilasMovimientos().size(), 4);
}

// A provisional row nobody holds: the first, next and last commands and a
// change of the toolbar warehouse remove it; the previous one leaves it. One
// a station holds in edit stays.
TEST_F(DocumentosMovimiento, ElRenglonProvisionalAbandonadoSeQuitaAlLlegarASuDocumento) {
  FijaLinea(ConfMultialmacen, "S");
  AgregaMovimientos({{5, 51, "P2", 1}});
  using V = TFormaMovimientosInventario;
  struct Caso {
    const char* nombre;
    qint64 provisional;
    std::function<void(V&)> llega;
    bool quita;
  };
  const Caso casos[] = {
      {"último", 6, [](V& v) { v.Botonultimo->click(); }, true},
      {"primero", 0, [](V& v) { v.Botonprimero->click(); }, true},
      {"siguiente", 4, [](V& v) {
         v.Botonprimero->click();
         for (int i = 0; i < 3; ++i) v.Botonanterior->click();
       },
       true},
      {"anterior", 4, [](V& v) { v.Botonsiguiente1->click(); }, false},
      {"almacén de la barra", 4, [](V& v) {
         v.Botonsiguiente1->click();
         v.NoAlmacen->setValue(5);
       },
       true},
  };
  for (const bool retenido : {false, true}) {
    for (const Caso& c : casos) {
      SCOPED_TRACE(std::string(c.nombre) + (retenido ? ", retenido" : ""));
      fs::BorraArchivo(kBorrados);
      AgregaMovimientos({{c.provisional, 0, "", 0}});
      const QString fila = QString::number(c.provisional) + "||";
      auto otra = Abre("MOVINVEN.DBF", "CLDOC_MI");
      otra->FindKey({c.provisional});
      if (retenido) otra->Edit();
      V& v = Ventana();
      ASSERT_EQ(v.EditCLDOC_MI->text(), c.provisional == 6 ? "" : "5");
      c.llega(v);
      EXPECT_TRUE(v.Tablamovinve->IsEmpty());  // nothing of it is shown
      const bool quitado = !FilasMovimientos().contains(fila);
      EXPECT_EQ(quitado, c.quita && !retenido);
      EXPECT_EQ(Borrados().size(), quitado ? 1 : 0);
      ventana_.reset();
      otra.reset();
      if (!quitado) {
        auto t = Abre("MOVINVEN.DBF", "CLDOC_MI");
        t->FindKey({c.provisional});
        t->Delete();
      }
    }
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(DocumentosMovimiento, ElAlmacenDeLaBarraVaEnCadaRenglonConVariosAlmacenes) {
  for (const bool varios : {false, true}) {
    SCOPED_TRACE(varios ? "varios almacenes" : "un almacén");
    FijaLinea(ConfMultialmacen, varios ? "S" : "N");
    TFormaMovimientosInventario& v = Ventana();
    EXPECT_EQ(v.NoAlmacen->isEnabled(), varios);
    if (varios) v.NoAlmacen->setValue(7);
    prueba::Pulsa(v, "BotonNuevo");
    auto t = Abre("MOVINVEN.DBF", "CLDOC_MI");
    t->Last();
    EXPECT_EQ(t->FieldByName("NALMA_MI").AsInteger(), varios ? 7 : 1);
    Descarta(v);
  }
}

TEST_F(DocumentosMovimiento, BuscarPorDocumentoLoMuestraYLoCargaEnLaCaptura) {
  struct Caso {
    const char* nombre;
    QString texto;
    bool acepta;
    QString numero;
    QStringList captura;
    QStringList mensajes;
  };
  const Caso casos[] = {
      // Lines from the last back to the first; an entry's amount at cost.
      {"compra", "1", true, "1", {"3||P2|Producto P2|20|30|60", "2||P1|Producto P1|18.5|24.9|37"}, {}},
      // An exit's amount at price.
      {"salida", "3", true, "3", {"4||P1|Producto P1|18.5|24.9|99.6"}, {}},
      {"el más cercano", "0", true, "1", {"3||P2|Producto P2|20|30|60", "2||P1|Producto P1|18.5|24.9|37"}, {}},
      {"no es un número", "abc", true, "3", {}, {kErrorBusquedaMovimiento}},
      {"Esc", "1", false, "3", {}, {}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    TFormaMovimientosInventario& v = Ventana();
    ui::PuertaModal::LimpiaMensajes();
    Busca(c.texto, c.acepta);
    prueba::Pulsa(v, "BotonBuscar");
    EXPECT_EQ(v.EditCLDOC_MI->text(), c.numero);
    // The header's warehouse and name stay as they were.
    EXPECT_EQ(v.EditAlmacen->value(), 4);
    EXPECT_EQ(v.TIPMOV->text(), "Ajuste de Salida");
    EXPECT_EQ(Captura(), c.captura);
    EXPECT_EQ(Mensajes(), c.mensajes);
  }
}

TEST_F(DocumentosMovimiento, EliminarConLaClaveDelAdministradorBorraElDocumentoMostrado) {
  TFormaMovimientosInventario& v = Ventana();
  v.Botonprimero->click();
  const auto clave = [](const QString& texto) {
    ui::PuertaModal::Espera("TFormaAdministrador", [texto](QDialog& d) {
      prueba::Teclea(d, "Clave", texto);
      prueba::Pulsa(d, "BitBtn1");
    });
  };
  clave("bodega");
  v.Eliminar1->trigger();
  EXPECT_EQ(FilasMovimientos().size(), 4);
  EXPECT_EQ(Borrados(), QStringList());

  clave("adm");
  v.Eliminar1->trigger();
  EXPECT_EQ(FilasMovimientos(), (QStringList{"2|P3|1", "3|P1|4"}));
  const QStringList borrados = Borrados();
  ASSERT_EQ(borrados.size(), 2);
  EXPECT_TRUE(borrados[0].contains(",CLPRO_MI,P1,")) << borrados[0].toStdString();
  EXPECT_TRUE(borrados[1].contains(",CLPRO_MI,P2,")) << borrados[1].toStdString();
  // Stock and totals stay.
  EXPECT_EQ(Filas("INVENTAR.DBF", {"CLPRO_I", "EXIST_I"}), (QStringList{"P1|40", "P2|10", "P3|7"}));
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(DocumentosMovimiento, ImprimeYPresentaElDocumentoConElFormatoDeLaLinea18) {
  const QString formato = "C:\\VRL\\consulta\\movinv.fmt";
  TFormaMovimientosInventario& v = Ventana();
  v.Botonprimero->click();
  ui::PuertaModal::Espera("TFormaEdicion", [](QDialog& d) { d.close(); });
  prueba::Pulsa(v, "BotonPreliminar");
  prueba::Pulsa(v, "BotonImprimir");
  EXPECT_EQ(Mensajes(), QStringList(2, "El Formato " + formato + " No Existe"));

  ui::PuertaModal::LimpiaMensajes();
  EscribeLineas(formato, {"impresora,laser", "$", "@2,2,cldoc_mi", "$", "&", "@2,0,clpro_mi", "saltar(1)", "&"});
  ui::PuertaModal::Espera("TFormaEdicion", [](QDialog& d) {
    QStringList textos;
    for (const TElementoPagina& e : LeeElementosPagina()) textos << e.Texto;
    EXPECT_EQ(textos, (QStringList{"1", "P1", "P2"}));
    d.close();
  });
  v.PresentacionPreliminar1->trigger();
  v.Imprimir2->trigger();
  EXPECT_EQ(TrabajosImpresos(), QList<QStringList>{(QStringList{"1", "P1", "P2"})});
  EXPECT_EQ(v.EditCLDOC_MI->text(), "1");
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(DocumentosMovimiento, LaBitacoraEsDelAdministradorYLasObservacionesDelDocumento) {
  TFormaMovimientosInventario& v = Ventana();
  prueba::Pulsa(v, "BotonNuevo");
  Descarta(v);
  EXPECT_FALSE(Ventana("1").Bitacora1->isEnabled());

  TFormaMovimientosInventario& w = Ventana("0");
  EXPECT_TRUE(w.Bitacora1->isEnabled());
  w.Botonultimo->click();  // the discarded 4 is gone: the last is 3
  w.Botonanterior->click();
  ASSERT_EQ(w.EditCLDOC_MI->text(), "3");
  // Document 3 has no log: nothing shown. Number 4 had one.
  w.Bitacora1->trigger();
  EXPECT_EQ(ui::PuertaModal::SinRespuesta(), QStringList());
  AgregaMovimientos({{4, 51, "P1", 1}});
  w.Botonultimo->click();
  ui::PuertaModal::Espera("TFormaObservaciones", [](QDialog& d) {
    auto& o = static_cast<TFormaObservaciones&>(d);
    EXPECT_EQ(o.windowTitle(), "Bitacora");
    EXPECT_TRUE(o.BitBtn1->isHidden());
    EXPECT_TRUE(o.Observacion->isReadOnly());
    EXPECT_EQ(o.Observacion->toPlainText(), "05/03/2024 10:30:00 NUEVO Por Usuario 0");
  });
  w.Bitacora1->trigger();

  ui::PuertaModal::Espera("TFormaObservaciones", [](QDialog& d) {
    auto& o = static_cast<TFormaObservaciones&>(d);
    o.Observacion->setPlainText("Llegó incompleto");
    prueba::Pulsa(d, "BitBtn1");
  });
  prueba::Pulsa(w, "BotonObservacion");
  EXPECT_EQ(Filas("factuobs.dbf", {"CLDOC_FO", "TIDOC_FO", "OBSER_FO"}), QStringList{"4|MI|Llegó incompleto"});
}

TEST_F(DocumentosMovimiento, UtilidadMuestraUnKardexVacioQueNoCambiaNada) {
  TFormaMovimientosInventario& v = Ventana();
  for (const char* boton : {"BitBtn1", "BitBtn2"}) {
    SCOPED_TRACE(boton);
    ui::PuertaModal::Espera("TFormaCosteo", [boton](QDialog& d) {
      auto& c = static_cast<TFormaCosteo&>(d);
      EXPECT_EQ(c.Detalle->model()->rowCount(), 0);
      EXPECT_EQ(c.Panel2->Caption().simplified(), "Entradas 0.00 Salidas 0.00 Existencias 0.00");
      EXPECT_EQ(c.EtiquetaProducto->text(), "");
      if (QString(boton) == "BitBtn1") prueba::Pulsa(d, boton);
      else d.close();
    });
    v.Utilidad1->trigger();
  }
  EXPECT_EQ(FilasMovimientos().size(), 4);
  EXPECT_EQ(Filas("INVENTAR.DBF", {"CLPRO_I", "EXIST_I"}), (QStringList{"P1|40", "P2|10", "P3|7"}));
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(DocumentosMovimiento, LosArchivosDeEtiquetasCambianColumnasYTitulos) {
  EscribeLineas("C:\\VRL\\etiqmid.dat", {"2", "CLAVE", "PRODUCTO", "150", "4", "COSTO", "COSTO", "-1", "x", "", "", ""});
  EscribeLineas("C:\\VRL\\etiqmi.dat", {"Documento ", "Factura", "Sin etiqueta", "Nada"});
  FijaLinea(ConfIntegraMovimientos, "NO");
  FijaLinea(ConfVistaResaltada, "N");
  TFormaMovimientosInventario& v = Ventana();
  EXPECT_EQ(v.windowTitle(), "Movimientos al Inventario no Esta INTEGRADO ");
  EXPECT_EQ(v.Detalle->Columna(2).titulo, "PRODUCTO");
  EXPECT_EQ(v.Detalle->Columna(2).ancho, 150);
  EXPECT_FALSE(v.Detalle->Columna(4).visible);
  EXPECT_EQ(v.DetalleConsulta->Columna(2).titulo, "PRODUCTO");
  EXPECT_FALSE(v.DetalleConsulta->Columna(4).visible);
  EXPECT_EQ(v.findChild<QLabel*>("LabelEditREFMO_MI")->text(), "Factura");
  // The classic view: no wallpaper, no white labels.
  EXPECT_TRUE(v.findChild<TPapelTapiz*>()->isHidden());
  EXPECT_EQ(v.TIPMOV->palette().color(QPalette::WindowText), QColor(Qt::black));
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(DocumentosMovimiento, LaAyudaDeCadaCajaYElArchivoFaltanteSeDiceUnaVezPorMostrada) {
  TFormaMovimientosInventario& v = Ventana();
  prueba::Pulsa(v, "BotonNuevo");
  const QStringList lineas = fs::LeeLineas("C:\\VRL\\movin.des");
  const std::pair<QWidget*, int> cajas[] = {{v.EditFEDOC_MI, 1}, {v.EditAlmacen, 7}, {v.EditTIMOV_MI, 11}};
  for (const auto& [caja, linea] : cajas) {
    caja->setFocus();
    EXPECT_EQ(prueba::Texto(v, "uno"), lineas[linea - 1]);
    EXPECT_EQ(prueba::Texto(v, "dos"), lineas[linea]);
  }
  Descarta(v);

  fs::BorraArchivo("C:\\VRL\\movin.des");
  ui::PuertaModal::LimpiaMensajes();
  TFormaMovimientosInventario& w = Ventana();
  prueba::Pulsa(w, "BotonNuevo");
  for (int vez = 0; vez < 2; ++vez) {
    for (QWidget* caja : {static_cast<QWidget*>(w.EditFEDOC_MI), static_cast<QWidget*>(w.EditREFMO_MI),
                          static_cast<QWidget*>(w.EditCLPRO_MI)}) {
      caja->setFocus();
      QTest::mouseMove(caja);
    }
    EXPECT_EQ(Mensajes(), QStringList{"El Archivo movin.des No Existe"});
    EXPECT_EQ(prueba::Texto(w, "uno"), "");
    ui::PuertaModal::LimpiaMensajes();
    w.hide();
    w.Show();
    QApplication::setActiveWindow(&w);
  }
  Descarta(w);
}

TEST_F(DocumentosMovimiento, PreparaMovimientosInventarioLaDejaEnElUltimoUnaSolaVez) {
  auto v = std::make_unique<TFormaMovimientosInventario>();
  PreparaMovimientosInventario();
  EXPECT_EQ(v->Tag(), 1);
  EXPECT_EQ(v->EditCLDOC_MI->text(), "3");
  EXPECT_EQ(v->NoAlmacen->value(), 4);
  EXPECT_EQ(v->EditAlmacen->value(), 4);
  v->Botonprimero->click();
  v->Show();
  v->DisparaActivacion();
  EXPECT_EQ(v->EditCLDOC_MI->text(), "1");
}

}  // namespace
