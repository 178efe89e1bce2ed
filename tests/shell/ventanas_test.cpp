// The small shell windows driven as a user: the splash, the about box, the
// system information, the folder picker and the movement mirror viewer.

#include "datos_prueba.h"
#include "foundation/rutinas.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Sistema.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/Acerca.h"
#include "shell/Elipse.h"
#include "shell/Movimientos.h"
#include "shell/Sistema.h"
#include "shell/directorio.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"
#include "tablas/TablasVorlan.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <functional>

using prueba::Pulsa;
using prueba::Tecla;
using prueba::Texto;

namespace {

using Ventanas = RaizPrueba;

}  // namespace

TEST_F(Ventanas, LaPresentacionSeCierraConTeclaOClic) {
  struct Caso {
    const char* accion;
    std::function<void(TFormaElipse&)> haz;
    bool cierra;
  };
  const Caso casos[] = {
      {"tecla", [](TFormaElipse& w) { QTest::keyClick(&w, Qt::Key_A); }, true},
      {"Esc", [](TFormaElipse& w) { QTest::keyClick(&w, Qt::Key_Escape); }, true},
      {"clic en la ventana", [](TFormaElipse& w) { QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(556, 120)); }, true},
      {"clic en la imagen ancha", [](TFormaElipse& w) { QTest::mouseClick(w.Image1, Qt::LeftButton); }, true},
      {"clic en la imagen central", [](TFormaElipse& w) { QTest::mouseClick(w.Image2, Qt::LeftButton); }, false},
      {"doble clic en la imagen central", [](TFormaElipse& w) { QTest::mouseDClick(w.Image2, Qt::LeftButton); }, true},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.accion);
    TFormaElipse presentacion;
    EXPECT_EQ(FormaElipse(), &presentacion);
    presentacion.Show();
    EXPECT_EQ(presentacion.size(), QSize(563, 258));
    EXPECT_TRUE(presentacion.windowFlags() & Qt::FramelessWindowHint);
    // Cut to the ellipse (0, 40)-(550, 200).
    EXPECT_TRUE(presentacion.mask().contains(QPoint(275, 120)));
    EXPECT_TRUE(presentacion.mask().contains(QPoint(2, 120)));
    EXPECT_FALSE(presentacion.mask().contains(QPoint(20, 45)));
    EXPECT_FALSE(presentacion.mask().contains(QPoint(275, 30)));
    c.haz(presentacion);
    EXPECT_EQ(presentacion.isVisible(), !c.cierra);
  }
}

TEST_F(Ventanas, AcercaDeMuestraLaVersionYEscLaCierra) {
  TFormaAcerca acerca;
  bool abierta = true;
  MuestraVentana<TFormaAcerca>(acerca, [&](TFormaAcerca& d) {
    EXPECT_EQ(d.windowTitle(), "Acerca de Vorlan");
    EXPECT_EQ(d.size(), QSize(278, 346));
    EXPECT_EQ(Texto(d, "Label1"), "Vorlan");
    EXPECT_EQ(Texto(d, "Label2"), "Versión 4.9");
    d.Timer1->start();  // as its opener does
    QTest::keyClick(&d, Qt::Key_Escape);
    abierta = d.isVisible();
  });
  EXPECT_FALSE(abierta);
  EXPECT_FALSE(acerca.Timer1->isActive());
}

TEST_F(Ventanas, InformacionDelSistemaEnSusFormatos) {
  struct Caso {
    const char* meminfo;
    qint64 total, disponible;
    int carga;
  };
  for (const Caso& c : {
           Caso{"MemTotal:       16314140 kB\nMemFree:         1000000 kB\nMemAvailable:   10196337 kB\n",
                16314140LL * 1024, 10196337LL * 1024, 37},
           Caso{"MemTotal: 2000 kB\nMemFree: 500 kB\nBuffers: 100 kB\nCached: 400 kB\n", 2000 * 1024, 1000 * 1024,
                50},
           Caso{"", 0, 0, 0},
       }) {
    SCOPED_TRACE(c.meminfo);
    const fs::EstadoMemoria m = fs::EstadoMemoriaDe(c.meminfo);
    EXPECT_EQ(m.totalBytes, c.total);
    EXPECT_EQ(m.disponibleBytes, c.disponible);
    EXPECT_EQ(m.cargaPorciento, c.carga);
  }
  EXPECT_EQ(TextoMemoria(fs::EstadoMemoriaDe("MemTotal: 16314140 kB\nMemAvailable: 10196337 kB")), "16,314,140 KB");
  EXPECT_EQ(TextoMemoria({}), "0 KB");
  EXPECT_EQ(TextoMemoriaEnUso(fs::EstadoMemoriaDe("MemTotal: 1000 kB\nMemAvailable: 10 kB")), "99 %");
  EXPECT_EQ(TextoEspacioLibre(1234567LL * 1024 + 1023), "1,234,567 Kbytes.");
  EXPECT_EQ(TextoEspacioLibre(512), "0 Kbytes.");
  EXPECT_EQ(TextoEspacioLibre(-1), "0 Kbytes.");  // the disk could not be asked

  // The window, on this machine's figures.
  for (bool conEsc : {true, false}) {
    TFormaSistema sistema;
    bool abierta = true;
    MuestraVentana<TFormaSistema>(sistema, [&](TFormaSistema& d) {
      EXPECT_EQ(d.windowTitle(), "Información del Sistema");
      EXPECT_EQ(d.size(), QSize(357, 243));
      EXPECT_EQ(Texto(d, "Memoria"), TextoMemoria(fs::LeeEstadoMemoria()));
      EXPECT_GT(fs::LeeEstadoMemoria().totalBytes, 0);
      EXPECT_TRUE(QRegularExpression("^\\d{1,3} %$").match(Texto(d, "EnUso")).hasMatch()) << Texto(d, "EnUso").toStdString();
      EXPECT_TRUE(QRegularExpression("^\\d{1,3}(,\\d{3})* Kbytes\\.$").match(Texto(d, "Disco")).hasMatch());
      EXPECT_GT(fs::EspacioLibre(fs::CarpetaDelPrograma()), 0);
      if (conEsc) QTest::keyClick(&d, Qt::Key_Escape);
      else Pulsa(d, "Aceptar");
      abierta = d.isVisible();
    });
    EXPECT_FALSE(abierta) << conEsc;
  }
}

TEST_F(Ventanas, ElSelectorDeCarpetasDevuelveLaCarpetaEnFormaWindows) {
  for (const char* c : {"C:\\VRL\\DATOS", "C:\\VRL\\Formatos", "D:\\Respaldos\\2020"}) fs::CreaCarpeta(c);
  // Opens the item of the list whose text is `nombre`, with Enter.
  const auto abre = [](TFormaDirectorio& d, const QString& nombre) {
    const auto encontrados = d.DirectoryListBox1->findItems(nombre, Qt::MatchEndsWith);
    ASSERT_FALSE(encontrados.isEmpty()) << nombre.toStdString();
    d.DirectoryListBox1->setCurrentItem(encontrados[0]);
    Tecla(d, "DirectoryListBox1", Qt::Key_Return);
  };
  struct Caso {
    const char* nombre;
    std::function<void(TFormaDirectorio&)> guion;
    const char* salida;
  };
  const Caso casos[] = {
      {"Esc", [](TFormaDirectorio& d) { QTest::keyClick(&d, Qt::Key_Escape); }, "sin cambio"},
      {"Cancelar", [](TFormaDirectorio& d) { Pulsa(d, "Cancelar"); }, "sin cambio"},
      {"Aceptar de entrada", [](TFormaDirectorio& d) { Pulsa(d, "Aceptar"); }, "C:\\VRL"},
      {"una subcarpeta",
       [&](TFormaDirectorio& d) {
         abre(d, "DATOS");
         EXPECT_EQ(Texto(d, "LabelDirectorio"), "C:\\VRL\\DATOS");
         Pulsa(d, "Aceptar");
       },
       "C:\\VRL\\DATOS"},
      {"la raíz de la unidad",
       [&](TFormaDirectorio& d) {
         abre(d, "C:\\");
         Pulsa(d, "Aceptar");
       },
       "C:\\"},
      {"la unidad D: sin elegir carpeta",
       [](TFormaDirectorio& d) {
         Tecla(d, "DriveComboBox1", Qt::Key_Down);
         EXPECT_EQ(d.DriveComboBox1->currentText(), "d:");
         EXPECT_EQ(Texto(d, "LabelDirectorio"), "D:\\");
         Pulsa(d, "Aceptar");
       },
       "D:\\"},
      {"una carpeta de la unidad D:",
       [&](TFormaDirectorio& d) {
         Tecla(d, "DriveComboBox1", Qt::Key_Down);
         abre(d, "Respaldos");
         abre(d, "2020");
         QStringList lista;
         for (int i = 0; i < d.DirectoryListBox1->count(); ++i) lista << d.DirectoryListBox1->item(i)->text();
         EXPECT_EQ(lista, (QStringList{"D:\\", "  Respaldos", "    2020"}));
         Pulsa(d, "Aceptar");
       },
       "D:\\Respaldos\\2020"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    ui::PuertaModal::Espera("TFormaDirectorio", [&](QDialog& d) {
      auto& picker = static_cast<TFormaDirectorio&>(d);
      QStringList unidades;
      for (int i = 0; i < picker.DriveComboBox1->count(); ++i) unidades << picker.DriveComboBox1->itemText(i);
      EXPECT_EQ(unidades, (QStringList{"c:", "d:"}));
      EXPECT_EQ(Texto(d, "LabelDirectorio"), "C:\\VRL");
      c.guion(picker);
    });
    QString salida = "sin cambio";
    EligeCarpeta(salida);
    EXPECT_EQ(salida, c.salida);
  }
}

TEST_F(Ventanas, ElVisorDeMovimientosMuestraCadaCampo) {
  const QString carpeta = "C:\\VRL\\DATOS";
  LlenaTablaRegistrada(db::CarpetaTabla::Inventario, carpeta, "MOVIMIENTOS.DBF", "CLPRO_MI", {"P001", "P002"});
  const db::DefTabla& def = CatalogoVorlan().Tabla(db::CarpetaTabla::Inventario, "MOVIMIENTOS.DBF");

  TFormaMovimientos visor;
  visor.LabelRuta->setText(carpeta);
  MuestraVentana<TFormaMovimientos>(visor, [&](TFormaMovimientos& d) {
    EXPECT_EQ(d.windowTitle(), "Movimientos");
    const QAbstractItemModel* modelo = d.DBGrid1->model();
    ASSERT_EQ(modelo->columnCount(), def.campos.size());
    for (int i = 0; i < def.campos.size(); ++i)
      EXPECT_EQ(modelo->headerData(i, Qt::Horizontal).toString(), def.campos[i].nombre);
    ASSERT_EQ(modelo->rowCount(), 2);
    const int columna = d.Table1->FieldByName("CLPRO_MI").Indice();
    EXPECT_EQ(modelo->data(modelo->index(1, columna)).toString(), "P002");
    // Read only: what is typed goes nowhere.
    d.DBGrid1->setCurrentIndex(modelo->index(0, columna));
    prueba::Teclea(d, "DBGrid1", "X");
    EXPECT_EQ(d.Table1->State(), db::Dataset::Estado::Navegando);
  });
  EXPECT_EQ(Mensajes(), QStringList());

  // A folder without the table: the engine's error, and an empty grid.
  visor.LabelRuta->setText("C:\\VRL");
  MuestraVentana<TFormaMovimientos>(visor, [](TFormaMovimientos& d) { EXPECT_FALSE(d.Table1->Active()); });
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].contains("Movimientos.dbf", Qt::CaseInsensitive)) << Mensajes()[0].toStdString();
}
