// The movement window's capture driven as a user drives it: from the main
// menu to a new document, the capture grid's line rules, the concept and
// counterpart lookups, the close question, and two stations starting
// documents at once.

#include "app/Vorlan.h"
#include "inventory/ConMovinv.h"
#include "inventory/DocumentoMovimiento.h"
#include "movimientos_prueba.h"
#include "platform/db/Numeracion.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/Principa.h"
#include "support/Maneja.h"
#include "support/Proceso.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>
#include <QToolButton>

namespace {

using namespace movimientos;
// Named here too: another unit of the same batch may bring the test support's keys.
using movimientos::Tecla;

class Movimientos : public MovimientosPrueba {
 protected:
  static bool Navegando(const TFormaMovimientosInventario& v) {
    return !v.Capturando() && !v.Caja->isEnabled() && v.DetalleConsulta->isVisible() && v.BotonNuevo->isEnabled() &&
           v.Botonultimo->isEnabled() && v.BotonBuscar->isEnabled() && v.Buscar1->isEnabled() &&
           !v.BotonGuardar->isEnabled();
  }
  static bool Capturando(const TFormaMovimientosInventario& v) {
    return v.Capturando() && v.Caja->isEnabled() && v.Detalle->isVisible() && !v.DetalleConsulta->isVisible() &&
           !v.BotonNuevo->isEnabled() && !v.Nuevo1->isEnabled() && !v.Botonprimero->isEnabled() &&
           !v.BotonBuscar->isEnabled() && !v.Eliminar1->isEnabled() && v.BotonGuardar->isEnabled();
  }

  // A new document, the focus then put in the capture grid's first column.
  TFormaMovimientosInventario& EnCaptura() {
    TFormaMovimientosInventario& v = Ventana();
    prueba::Pulsa(v, "BotonNuevo");
    v.Detalle->setFocus();
    v.Detalle->SetSelectedIndex(0);
    return v;
  }

  static QString Celda(const TFormaMovimientosInventario& v, const char* campo) {
    return v.TablaDeta->FieldByName(campo).AsString();
  }
};

TEST_F(Movimientos, DesdeElMenuNuevoReservaElNumeroYSinElDerecho35SeQuedaConsultando) {
  ProgramaVorlan programa;
  programa.Inicia();
  TFormaPrincipal& principal = *FormaPrincipal();
  principal.Show();
  ui::PuertaModal::Espera("TFormaEmpresas", [](QDialog& d) {
    prueba::Teclea(d, "Clave", "adm");
    prueba::Tecla(d, "Clave", Qt::Key_Return);
  });
  principal.DisparaActivacion();
  ASSERT_EQ(principal.Usuario->text(), "0");
  ui::PuertaModal::LimpiaMensajes();

  QAction* item = principal.Item("MovalInventario1");
  ASSERT_TRUE(item->isEnabled());
  ui::PuertaModal::Espera("TFormaMovimientosInventario", [this](QDialog& d) {
    auto& v = static_cast<TFormaMovimientosInventario&>(d);
    EXPECT_EQ(v.windowTitle(), "Movimientos al Inventario");
    EXPECT_TRUE(Navegando(v));
    prueba::Pulsa(v, "BotonNuevo");
    EXPECT_TRUE(Capturando(v));
    EXPECT_EQ(v.EditCLDOC_MI->text(), "1");
    EXPECT_EQ(v.EditFEDOC_MI->text(), "05/03/2024");
    EXPECT_EQ(v.EditAlmacen->value(), 1);
    EXPECT_EQ(v.TIPMOV->text(), kConceptoNoDefinido);
    EXPECT_EQ(QApplication::focusWidget(), v.EditCLPRO_MI);
    // The provisional row: the number, the warehouse and the user.
    EXPECT_EQ(Filas("MOVINVEN.DBF", {"CLDOC_MI", "NALMA_MI", "USUARIO", "CANTI_MI"}), QStringList{"1|1|0|"});
    Responde(2);
  });
  item->trigger();
  EXPECT_EQ(Mensajes(), QStringList());
  EXPECT_EQ(fs::LeeLineas(fs::Une(kDatos, "Bitacora\\M-1.bit")),
            QStringList{"05/03/2024 10:30:00 NUEVO Por Usuario 0"});

  // User 1 may look but not start a document; user 2 not even look.
  principal.Usuario->setText("1");
  ui::PuertaModal::Espera("TFormaMovimientosInventario", [](QDialog& d) {
    auto& v = static_cast<TFormaMovimientosInventario&>(d);
    prueba::Pulsa(v, "BotonNuevo");
    EXPECT_TRUE(Navegando(v));
    EXPECT_EQ(Mensajes(), QStringList{kSinAcceso});
  });
  principal.BotonMovinv->click();
  ui::PuertaModal::LimpiaMensajes();
  principal.Usuario->setText("2");
  item->trigger();
  EXPECT_EQ(Mensajes(), QStringList{kSinAcceso});
  EXPECT_EQ(FilasMovimientos(), QStringList());
}

TEST_F(Movimientos, NuevoTomaElMayorNumeroMasUnoYConLaNumeracionOcupadaSigueConsultando) {
  AgregaMovimientos({{7, 51, "P1", 2}, {3, 51, "P2", 1}, {12, 6, "P3", 4}, {12, 6, "P1", 1}});
  TFormaMovimientosInventario& v = Ventana();
  EXPECT_EQ(v.EditCLDOC_MI->text(), "12");
  prueba::Pulsa(v, "BotonNuevo");
  EXPECT_EQ(v.EditCLDOC_MI->text(), "13");
  Descarta(v);

  // Another station holds the numbering: after the bounded wait the window
  // says which table is busy and goes on showing its document.
  prueba::ProcesoHijo otra("SostieneNumeracion", {kDatos});
  ASSERT_EQ(otra.EsperaLinea(), "LISTO");
  TFormaMovimientosInventario& w = Ventana();
  ui::PuertaModal::LimpiaMensajes();
  prueba::Pulsa(w, "BotonNuevo");
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].contains("MOVINVEN.DBF")) << Mensajes()[0].toStdString();
  EXPECT_TRUE(Navegando(w));
  EXPECT_EQ(w.EditCLDOC_MI->text(), "12");
  EXPECT_EQ(w.Tablamovinve->RecordCount(), 2);
  otra.Envia("");
  EXPECT_EQ(otra.Espera(), 0);
}

TEST_F(Movimientos, LaCabeceraCorrigeLaFechaYElAlmacen) {
  TFormaMovimientosInventario& v = Ventana();
  prueba::Pulsa(v, "BotonNuevo");
  struct Caso {
    const char* nombre;
    QString tecleada;
    QString esperada;
  };
  const Caso casos[] = {
      {"una fecha", "12/04/2024", "12/04/2024"},
      {"no es fecha: hoy", "45/13/2024", "05/03/2024"},
      {"vacía: hoy", "", "05/03/2024"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    v.EditFEDOC_MI->setFocus();
    v.EditFEDOC_MI->selectAll();
    Tecla(Qt::Key_Delete);
    Escribe(c.tecleada);
    v.EditREFMO_MI->setFocus();
    EXPECT_EQ(v.EditFEDOC_MI->text(), c.esperada);
    EXPECT_EQ(v.Tablamovinve->FieldByName("FEDOC_MI").AsString(), c.esperada);
  }
  // F3 in the reference box: today's date.
  v.Tablamovinve->FieldByName("FEDOC_MI").SetAsString("12/04/2024");
  Tecla(Qt::Key_F3);
  EXPECT_EQ(v.EditFEDOC_MI->text(), "05/03/2024");
  // An emptied warehouse box is 1, and the next digit replaces it.
  v.EditAlmacen->setFocus();
  v.EditAlmacen->selectAll();
  Tecla(Qt::Key_Delete);
  EXPECT_EQ(v.EditAlmacen->value(), 1);
  Escribe("7");
  EXPECT_EQ(v.EditAlmacen->value(), 7);
  EXPECT_EQ(Mensajes(), QStringList());
  Descarta(v);
}

TEST_F(Movimientos, LaRejillaDeCapturaSigueLasReglasDeSusColumnas) {
  struct Caso {
    const char* nombre;
    QString cantidad, empaques, clave;
    QString esperada;  // CANTIDAD|EMPAQUE|CLAVE|DESCRIPCION|COSTO|PRECIO
    int columna;       // where the cursor ends
    QStringList mensajes;
  };
  const Caso casos[] = {
      {"la clave", "3", "", "P2", "3||P2|Frijol 1 kg|20|30", 3, {}},
      {"el código es cambiado por la clave", "5", "", "c1", "5||P1|Arroz 1 kg|18.5|24.9", 3, {}},
      {"dos empaques de doce", "1", "2", "P1", "24|2|P1|Arroz 1 kg|18.5|24.9", 3, {}},
      {"empaques sin piezas por empaque", "4", "2", "P3", "4|2|P3|Sal 1 kg|5|9.5", 3, {}},
      {"clave desconocida", "1", "", "ZZ", "1||ZZ|||", 2, {kProductoNoEncontrado}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    TFormaMovimientosInventario& v = EnCaptura();
    ui::PuertaModal::LimpiaMensajes();
    Escribe(c.cantidad);
    Tecla(Qt::Key_Return);
    Escribe(c.empaques);
    Tecla(Qt::Key_Return);
    EXPECT_EQ(v.Detalle->SelectedIndex(), 2);
    Escribe(c.clave);
    Tecla(Qt::Key_Return);
    EXPECT_EQ(v.Detalle->SelectedIndex(), c.columna);
    QStringList valores;
    for (const char* campo : {"CANTIDAD", "EMPAQUE", "CLAVE", "DESCRIPCION", "COSTO", "PRECIO"})
      valores << Celda(v, campo);
    EXPECT_EQ(valores.join(u'|'), c.esperada);
    EXPECT_EQ(Mensajes(), c.mensajes);
    Descarta(v);
  }
}

// The grid shows the line with its values as soon as they are written, and
// still shows it, marked off from the new current line, once the next line
// is begun.
TEST_F(Movimientos, LaRejillaMuestraLaPartidaEnCuantoSeEscribe) {
  TFormaMovimientosInventario& v = EnCaptura();
  const QAbstractItemModel& m = *v.Detalle->model();
  const auto celdas = [&m](int fila) {
    QStringList textos;
    for (int c = 0; c < 7; ++c) textos << m.data(m.index(fila, c), Qt::DisplayRole).toString().trimmed();
    return textos.join(u'|');
  };
  Escribe("2");
  for (int i = 0; i < 2; ++i) Tecla(Qt::Key_Return);
  Escribe("P2");
  Tecla(Qt::Key_Return);
  EXPECT_EQ(celdas(0), "2||P2|Frijol 1 kg|20|30|");
  for (int i = 0; i < 6 && m.rowCount() < 2; ++i) Tecla(Qt::Key_Return);
  ASSERT_EQ(m.rowCount(), 2);
  EXPECT_EQ(celdas(0), "2||P2|Frijol 1 kg|20|30|60");
  EXPECT_EQ(m.headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), "");
  EXPECT_NE(m.headerData(1, Qt::Vertical, Qt::DisplayRole).toString(), "");
  EXPECT_EQ(Mensajes(), QStringList());
  Descarta(v);
}

TEST_F(Movimientos, SinCantidadNoSeAvanzaYElImporteSigueAlPrecio) {
  TFormaMovimientosInventario& v = EnCaptura();
  // An empty quantity sends the cursor back to the first column.
  Tecla(Qt::Key_Return);
  EXPECT_EQ(v.Detalle->SelectedIndex(), 0);
  v.Detalle->SetSelectedIndex(3);
  EXPECT_EQ(v.Detalle->SelectedIndex(), 2);

  v.Detalle->SetSelectedIndex(0);
  Escribe("2");
  for (int i = 0; i < 2; ++i) Tecla(Qt::Key_Return);
  Escribe("P2");
  for (int i = 0; i < 2; ++i) Tecla(Qt::Key_Return);
  EXPECT_EQ(v.Detalle->SelectedIndex(), 4);
  Escribe("21");  // the cost typed over
  Tecla(Qt::Key_Return);
  EXPECT_EQ(Celda(v, "IMPORTE"), "60");
  Escribe("35");  // the price typed over: the amount follows on coming back to it
  Tecla(Qt::Key_Return);
  EXPECT_EQ(v.Detalle->SelectedIndex(), 6);
  v.Detalle->SetSelectedIndex(5);
  EXPECT_EQ(Celda(v, "IMPORTE"), "70");
  v.Detalle->SetSelectedIndex(6);
  // From the amount to the first column of a new line.
  Tecla(Qt::Key_Return);
  EXPECT_EQ(v.Detalle->SelectedIndex(), 0);
  Escribe("1");
  Tecla(Qt::Key_Down);
  EXPECT_EQ(Captura(), (QStringList{"2||P2|Frijol 1 kg|21|35|70", "1||||||"}));
  Descarta(v);
}

TEST_F(Movimientos, F2EnLaClaveTraeLaDeLaConsultaDeProductos) {
  TFormaMovimientosInventario& v = EnCaptura();
  v.NoAlmacen->setValue(1);
  Escribe("1");
  for (int i = 0; i < 2; ++i) Tecla(Qt::Key_Return);
  Escribe("P");
  ui::PuertaModal::Espera("TFormaConProduct", [](QDialog& d) {
    auto& consulta = static_cast<TFormaConProduct&>(d);
    EXPECT_EQ(consulta.TablaConProducto->FieldByName("CLPRO_I").AsString(), "P1");
    consulta.TablaConProducto->FindKey({"P3"});
    prueba::Tecla(d, "Detalle", Qt::Key_Return);
  });
  Tecla(Qt::Key_F2);
  EXPECT_EQ(Celda(v, "CLAVE"), "P3");
  EXPECT_EQ(Captura(), QStringList{"1||P||||"});  // posted before the lookup
  Tecla(Qt::Key_Return);
  EXPECT_EQ(Celda(v, "DESCRIPCION"), "Sal 1 kg");
  Descarta(v);
}

TEST_F(Movimientos, ElConceptoSeEligeConF2YNoSeDejaVacio) {
  TFormaMovimientosInventario& v = Ventana();
  prueba::Pulsa(v, "BotonNuevo");
  v.EditTIMOV_MI->setFocus();
  ui::PuertaModal::Espera("TFormaConMovimiento", [](QDialog& d) {
    auto& c = static_cast<TFormaConMovimiento&>(d);
    EXPECT_EQ(QApplication::focusWidget(), c.DBGrid1);
    c.TablaConMovimiento->FindKey({57});
    prueba::Tecla(d, "DBGrid1", Qt::Key_Escape);  // nothing in the grid
    EXPECT_TRUE(c.isVisible());
    prueba::Tecla(d, "DBGrid1", Qt::Key_Return);
  });
  Tecla(Qt::Key_F2);
  EXPECT_EQ(v.EditTIMOV_MI->text(), "57");
  EXPECT_EQ(v.TIPMOV->text(), "Inventario Inicial");
  EXPECT_EQ(v.Tablamovinve->FieldByName("TIMOV_MI").AsInteger(), 57);

  // The close box, and Esc in the window, pick nothing.
  for (const bool caja : {true, false}) {
    ui::PuertaModal::Espera("TFormaConMovimiento", [caja](QDialog& d) {
      auto& c = static_cast<TFormaConMovimiento&>(d);
      c.TablaConMovimiento->FindKey({6});
      if (caja) {
        QTest::mouseClick(c.Panel2, Qt::LeftButton);
      } else {
        c.DBGrid1->clearFocus();
        QTest::keyClick(&c, Qt::Key_Escape);
      }
      EXPECT_FALSE(c.isVisible());
    });
    v.EditTIMOV_MI->setFocus();
    Tecla(Qt::Key_F2);
    EXPECT_EQ(v.EditTIMOV_MI->text(), "57");
    EXPECT_EQ(v.TIPMOV->text(), "Inventario Inicial");
  }

  // Typed: the name follows a known number and stays on an unknown one.
  v.EditTIMOV_MI->setFocus();
  v.EditTIMOV_MI->selectAll();
  Escribe("51");
  EXPECT_EQ(v.TIPMOV->text(), "Compra");
  Escribe("9");
  EXPECT_EQ(v.TIPMOV->text(), "Compra");

  // Leaving it empty: said, and the focus comes back.
  v.EditTIMOV_MI->selectAll();
  Tecla(Qt::Key_Delete);
  EXPECT_EQ(v.TIPMOV->text(), kConceptoNoDefinido);
  ui::PuertaModal::LimpiaMensajes();
  v.EditREFMO_MI->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(Mensajes(), QStringList{kNoExisteTipoMovimiento});
  EXPECT_EQ(v.focusWidget(), v.EditTIMOV_MI);
  Descarta(v);
}

TEST_F(Movimientos, UnaTablaDeConceptosVaciaEligeTextosVacios) {
  db::Tabla::Borra(kDatos, "comovinv.dbf");
  CreaTablasEmpresa(db::Carpetas{kDatos, {}, {}, kPrograma});
  TFormaMovimientosInventario& v = Ventana();
  prueba::Pulsa(v, "BotonNuevo");
  v.EditTIMOV_MI->setFocus();
  Escribe("6");
  ui::PuertaModal::Espera("TFormaConMovimiento", [](QDialog& d) {
    EXPECT_EQ(static_cast<TFormaConMovimiento&>(d).DBGrid1->model()->rowCount(), 0);
    prueba::Tecla(d, "DBGrid1", Qt::Key_Return);
  });
  Tecla(Qt::Key_F2);
  EXPECT_EQ(v.EditTIMOV_MI->text(), "");
  EXPECT_EQ(v.TIPMOV->text(), "");
  Descarta(v);
}

TEST_F(Movimientos, LaContraparteSeBuscaConF2EnProveedoresYConF3EnClientes) {
  struct Caso {
    const char* nombre;
    int tecla;
    const char* ventana;
    const char* rejilla;
    int respuesta;  // Enter accepts, Esc in the grid refuses
    QString esperada;
  };
  const Caso casos[] = {
      {"proveedor elegido", Qt::Key_F2, "TFormaConProvee", "DBGrid1", Qt::Key_Return, "PR1"},
      {"proveedor abandonado: vacía", Qt::Key_F2, "TFormaConProvee", "DBGrid1", Qt::Key_Escape, ""},
      {"cliente elegido", Qt::Key_F3, "TFormaConClientes", "Detalle", Qt::Key_Return, "CL1"},
      {"cliente abandonado: lo tecleado", Qt::Key_F3, "TFormaConClientes", "Detalle", Qt::Key_Escape, "X"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    TFormaMovimientosInventario& v = Ventana();
    prueba::Pulsa(v, "BotonNuevo");
    Escribe("X");
    ui::PuertaModal::Espera(c.ventana, [&c](QDialog& d) { prueba::Tecla(d, c.rejilla, c.respuesta); });
    Tecla(c.tecla);
    EXPECT_EQ(v.EditCLPRO_MI->text(), c.esperada);
    EXPECT_EQ(v.Tablamovinve->FieldByName("CLPRV_MI").AsString(), c.esperada);
    EXPECT_EQ(ui::Tag(v.EditCLPRO_MI), 1);
    Descarta(v);
  }
}

TEST_F(Movimientos, CerrarDuranteLaCapturaPreguntaYDescartarNoDejaElNumero) {
  AgregaMovimientos({{1, 51, "P1", 2}});
  TFormaMovimientosInventario& v = Ventana();
  prueba::Pulsa(v, "BotonNuevo");
  ASSERT_EQ(v.EditCLDOC_MI->text(), "2");
  Escribe("PR1");
  ui::PuertaModal::LimpiaMensajes();

  // Print and preview wait for the save.
  prueba::Pulsa(v, "BotonImprimir");
  v.PresentacionPreliminar1->trigger();
  EXPECT_EQ(Mensajes(), (QStringList{kNecesarioGuardar, kNecesarioGuardar}));

  // Cancel and the close box stay.
  ui::PuertaModal::Espera("TFormaCerrar", [](QDialog& d) {
    EXPECT_EQ(d.findChild<QLabel*>("Label1")->text(), "¿ Desea guardar los datos introducidos al sistema ?");
    EXPECT_TRUE(d.findChild<QPushButton*>("BitBtn1")->isEnabled());
    QTest::mouseClick(d.findChild<QWidget*>("BitBtn2"), Qt::LeftButton);
  });
  v.Close();
  ui::PuertaModal::Espera("TFormaCerrar", [](QDialog& d) { QTest::mouseClick(d.findChild<QWidget*>("Panel2"), Qt::LeftButton); });
  v.Close();
  EXPECT_TRUE(v.isVisible());
  EXPECT_TRUE(Capturando(v));
  EXPECT_EQ(FilasMovimientos(), (QStringList{"1|P1|2", "2||"}));

  Descarta(v);
  EXPECT_FALSE(v.isVisible());
  EXPECT_EQ(ui::Tag(v.BotonSalir), kVentanaCerrada);
  EXPECT_EQ(FilasMovimientos(), QStringList{"1|P1|2"});
  const QStringList borrados = Borrados();
  ASSERT_EQ(borrados.size(), 1);
  EXPECT_TRUE(borrados[0].startsWith("MOVINVEN.DBF,05/03/2024 10:30:00,CLDOC_MI,2,"))
      << borrados[0].toStdString();
  EXPECT_TRUE(borrados[0].contains("CLPRV_MI,PR1,")) << borrados[0].toStdString();
}

// --- Two stations.

// The program of another station, on the same root.
std::unique_ptr<ui::Aplicacion> ArrancaEstacion() {
  static int argc = 1;
  static char nombre[] = "estacion";
  static char* argv[] = {nombre, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  auto aplicacion = std::make_unique<ui::Aplicacion>(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  QString programa;
  CarpetaLocal(programa);
  return aplicacion;
}

std::unique_ptr<TFormaMovimientosInventario> VentanaEstacion() {
  auto v = std::make_unique<TFormaMovimientosInventario>();
  v->Show();
  QApplication::setActiveWindow(v.get());
  v->DisparaActivacion();
  return v;
}

// Presses "Nuevo" in a window made for each press; the window goes without
// closing, so its provisional row stays.
RUTINA_HIJA(NuevosMovimientos) {
  const auto estacion = ArrancaEstacion();
  prueba::AvisaPadre("LISTO");
  prueba::EsperaPadre();
  for (int i = 0; i < argumentos.value(0).toInt(); ++i) {
    auto v = VentanaEstacion();
    v->BotonNuevo->click();
    if (!v->Capturando()) return 2;
  }
  return 0;
}

// Captures a new document until told to end.
RUTINA_HIJA(CapturaMovimiento) {
  const auto estacion = ArrancaEstacion();
  auto v = VentanaEstacion();
  v->BotonNuevo->click();
  prueba::AvisaPadre(v->EditCLDOC_MI->text());
  prueba::EsperaPadre();
  return 0;
}

RUTINA_HIJA(SostieneNumeracion) {
  db::Tabla t;
  t.SetCarpeta(argumentos.value(0));
  t.SetNombreTabla("MOVINVEN.DBF");
  t.Open();
  db::Numeracion numeracion(t);
  prueba::AvisaPadre("LISTO");
  prueba::EsperaPadre();
  return 0;
}

TEST_F(Movimientos, DosEstacionesNuncaTomanElMismoNumero) {
  constexpr int kPorEstacion = 50;
  prueba::ProcesoHijo una("NuevosMovimientos", {QString::number(kPorEstacion)});
  prueba::ProcesoHijo otra("NuevosMovimientos", {QString::number(kPorEstacion)});
  ASSERT_EQ(una.EsperaLinea(), "LISTO");
  ASSERT_EQ(otra.EsperaLinea(), "LISTO");
  una.Envia("");
  otra.Envia("");
  EXPECT_EQ(una.Espera(), 0);
  EXPECT_EQ(otra.Espera(), 0);
  const QStringList filas = Filas("MOVINVEN.DBF", {"CLDOC_MI"});
  EXPECT_EQ(filas.size(), 2 * kPorEstacion);
  QSet<int> numeros;
  for (const QString& f : filas) numeros.insert(f.toInt());
  EXPECT_EQ(numeros.size(), 2 * kPorEstacion);
  EXPECT_TRUE(numeros.contains(1) && numeros.contains(2 * kPorEstacion));
}

TEST_F(Movimientos, LaNavegacionRespetaLaCapturaDeOtraEstacionYQuitaLaAbandonada) {
  AgregaMovimientos({{1, 51, "P1", 2}, {2, 51, "P2", 3}});
  prueba::ProcesoHijo otra("CapturaMovimiento");
  ASSERT_EQ(otra.EsperaLinea(), "3");

  TFormaMovimientosInventario& v = Ventana();
  for (QToolButton* boton : {v.Botonultimo, v.Botonprimero, v.Botonanterior, v.Botonanterior, v.Botonultimo}) {
    boton->click();
    EXPECT_EQ(FilasMovimientos(), (QStringList{"1|P1|2", "2|P2|3", "3||"}));
  }
  EXPECT_EQ(Borrados(), QStringList());

  otra.Mata();
  v.Botonultimo->click();
  EXPECT_EQ(FilasMovimientos(), (QStringList{"1|P1|2", "2|P2|3"}));
  const QStringList borrados = Borrados();
  ASSERT_EQ(borrados.size(), 1);
  EXPECT_TRUE(borrados[0].startsWith("MOVINVEN.DBF,")) << borrados[0].toStdString();
}

}  // namespace
