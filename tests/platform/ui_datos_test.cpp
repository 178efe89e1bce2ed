// The window toolkit over the table layer: data grids, data-aware boxes,
// string grids, key handling, help lines, focus colour and window shapes,
// driven with keys and clicks as a user would, checked in the files.

#include "db_comun.h"
#include "platform/ui/AyudaCampos.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/Forma.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/RejillaDatos.h"
#include "platform/ui/RejillaTexto.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

using db::Dataset;
using db::Tabla;

namespace {

// Shows a window and makes it the active one, as the window system does.
void Muestra(QWidget& ventana) {
  ventana.show();
  QApplication::setActiveWindow(&ventana);
  QApplication::processEvents();
}

// Keys go where the focus is, as typed by a user.
void Teclea(const QString& texto) {
  for (const QChar c : texto) QTest::keyClicks(QApplication::focusWidget(), QString(c));
}
void Pulsa(int tecla, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(tecla), mods);
}

class PruebaDatos : public PruebaTabla {
 protected:
  void SetUp() override {
    PruebaTabla::SetUp();
    CreaClientes();
    auto t = Abre("CLIENTES.DBF");
    Agrega(*t, {{"Ana", 1}, {"Beto", 2}, {"Carla", 3}});
  }

  // The column as another station reads it from the file.
  static QStringList EnArchivo(const QString& campo, const QString& tabla = "CLIENTES.DBF") {
    auto t = Abre(tabla, false, true);
    return Columna(*t, campo);
  }

  // A window with a data grid over the table, columns NOMBRE and NUMERO.
  struct ConRejilla {
    std::unique_ptr<Tabla> t = Abre("CLIENTES.DBF");
    ui::FuenteDatos fuente;
    QWidget ventana;
    ui::RejillaDatos* rejilla = new ui::RejillaDatos(&ventana);
    ConRejilla() {
      auto* capa = new QVBoxLayout(&ventana);
      capa->addWidget(rejilla);
      rejilla->setObjectName("Detalle");
      fuente.SetDataSet(t.get());
      rejilla->SetFuente(&fuente);
      rejilla->AgregaColumna("NOMBRE", "Nombre");
      rejilla->AgregaColumna("NUMERO", "Número");
      ventana.resize(400, 300);
      Muestra(ventana);
      rejilla->setFocus();
    }
    QString Celda(int fila, int col) const { return rejilla->model()->index(fila, col).data().toString(); }
  };
};

// --- Data grid.

TEST_F(PruebaDatos, CeldaEditadaSeGrabaEnElArchivoAlDejarLaFila) {
  ConRejilla r;
  r.t->Next();
  ASSERT_EQ(r.rejilla->currentIndex().row(), 1);
  Teclea("Bruno");
  EXPECT_EQ(r.t->State(), Dataset::Estado::Editando);
  EXPECT_EQ(EnArchivo("NOMBRE"), QStringList({"Ana", "Beto", "Carla"}));  // not yet
  Pulsa(Qt::Key_Down);
  EXPECT_EQ(r.t->State(), Dataset::Estado::Navegando);
  EXPECT_EQ(r.t->FieldByName("NOMBRE").AsString(), "Carla");
  EXPECT_EQ(r.rejilla->currentIndex().row(), 2);
  EXPECT_EQ(EnArchivo("NOMBRE"), QStringList({"Ana", "Bruno", "Carla"}));
  EXPECT_EQ(r.Celda(1, 0), "Bruno");
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(PruebaDatos, AbajoEnLaUltimaFilaAgregaYArribaSinTeclearLaQuita) {
  struct Caso {
    QString tecleado;
    QStringList archivo;
  };
  const Caso casos[] = {
      {"", {"Ana", "Beto", "Carla"}},
      {"Dora", {"Ana", "Beto", "Carla", "Dora"}},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.tecleado.toStdString());
    ConRejilla r;
    r.t->Last();
    Pulsa(Qt::Key_Down);
    EXPECT_EQ(r.t->State(), Dataset::Estado::Insertando);
    EXPECT_EQ(r.rejilla->model()->rowCount(), 4);
    EXPECT_EQ(r.rejilla->currentIndex().row(), 3);
    Pulsa(Qt::Key_Down);  // nothing typed: no second new row
    EXPECT_EQ(r.rejilla->model()->rowCount(), 4);
    Teclea(caso.tecleado);
    Pulsa(Qt::Key_Up);
    EXPECT_EQ(r.t->State(), Dataset::Estado::Navegando);
    EXPECT_EQ(r.rejilla->model()->rowCount(), caso.archivo.size());
    EXPECT_EQ(EnArchivo("NOMBRE"), caso.archivo);
  }
}

TEST_F(PruebaDatos, DejarLaRejillaQuitaLaFilaNuevaSinTeclear) {
  ConRejilla r;
  auto* otro = new QLineEdit(&r.ventana);
  r.ventana.layout()->addWidget(otro);
  r.t->Last();
  Pulsa(Qt::Key_Down);
  // Another window taking the focus for a while is no leaving.
  QWidget mensaje;
  auto* boton = new QPushButton("Aceptar", &mensaje);
  Muestra(mensaje);
  boton->setFocus();
  EXPECT_EQ(QApplication::focusWidget(), boton);
  Muestra(r.ventana);
  EXPECT_EQ(QApplication::focusWidget(), r.rejilla);
  EXPECT_EQ(r.t->State(), Dataset::Estado::Insertando);
  otro->setFocus();
  EXPECT_EQ(r.t->State(), Dataset::Estado::Navegando);
  EXPECT_EQ(r.rejilla->model()->rowCount(), 3);
}

TEST_F(PruebaDatos, LaListaDeLaColumnaSeOfreceEnLaCelda) {
  ConRejilla r;
  r.rejilla->SetListaColumna(0, {"Zoe", "Zulema"});
  Pulsa(Qt::Key_F2);
  QComboBox* combo = nullptr;
  for (QWidget* w = QApplication::focusWidget(); w && !combo; w = w->parentWidget()) combo = qobject_cast<QComboBox*>(w);
  ASSERT_TRUE(combo);
  EXPECT_EQ(combo->count(), 2);
  EXPECT_EQ(combo->currentText(), "Ana");
  combo->setCurrentIndex(1);
  emit combo->activated(1);
  Pulsa(Qt::Key_Down);
  EXPECT_EQ(EnArchivo("NOMBRE"), QStringList({"Zulema", "Beto", "Carla"}));
}

TEST_F(PruebaDatos, TabYEnterRecorrenLasColumnasVisiblesConSusEventos) {
  ConRejilla r;
  r.rejilla->AgregaColumna("SALDO", "Saldo");
  r.rejilla->SetAnchoColumna(1, -1);  // NUMERO hidden, keeps position 1
  QStringList log;
  QObject::connect(r.rejilla, &ui::RejillaDatos::ColExit, [&] { log << QString("sale %1").arg(r.rejilla->SelectedIndex()); });
  QObject::connect(r.rejilla, &ui::RejillaDatos::ColEnter, [&] { log << QString("entra %1").arg(r.rejilla->SelectedIndex()); });
  Pulsa(Qt::Key_Tab);
  EXPECT_EQ(log, QStringList({"sale 0", "entra 2"}));
  EXPECT_EQ(r.rejilla->CampoSeleccionado(), "SALDO");
  Pulsa(Qt::Key_Tab);  // past the last column: next row, first column
  EXPECT_EQ(r.t->RecNo(), 2);
  EXPECT_EQ(r.rejilla->SelectedIndex(), 0);
  Pulsa(Qt::Key_Return);  // Enter keeps its meaning
  EXPECT_EQ(r.rejilla->SelectedIndex(), 0);
  r.rejilla->SetEnterComoTab(true);
  Pulsa(Qt::Key_Return);
  EXPECT_EQ(r.rejilla->SelectedIndex(), 2);
  Pulsa(Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(r.rejilla->SelectedIndex(), 0);
  log.clear();
  r.rejilla->SetSelectedIndex(1);  // by code, onto the hidden column
  EXPECT_EQ(log, QStringList({"sale 0", "entra 1"}));
  EXPECT_EQ(r.rejilla->currentIndex().column(), 1);
}

TEST_F(PruebaDatos, UnManejadorQueMueveLaColumnaSigueElOrdenDeLaRejilla) {
  ConRejilla r;
  r.rejilla->AgregaColumna("SALDO", "Saldo");
  QStringList log;
  // Leaving column 1 sends the grid to column 0; entering column 2 sends it
  // back to column 1.
  QObject::connect(r.rejilla, &ui::RejillaDatos::ColExit, [&] {
    log << QString("sale %1").arg(r.rejilla->SelectedIndex());
    if (r.rejilla->SelectedIndex() == 1) r.rejilla->SetSelectedIndex(0);
  });
  QObject::connect(r.rejilla, &ui::RejillaDatos::ColEnter, [&] {
    log << QString("entra %1").arg(r.rejilla->SelectedIndex());
    if (r.rejilla->SelectedIndex() == 2) r.rejilla->SetSelectedIndex(1);
  });
  r.rejilla->SetSelectedIndex(2);
  EXPECT_EQ(log, QStringList({"sale 0", "entra 2", "sale 2", "entra 1"}));
  EXPECT_EQ(r.rejilla->SelectedIndex(), 1);
  // The move out of column 1 is given up: no second exit, column 0 entered.
  log.clear();
  Pulsa(Qt::Key_Tab);
  EXPECT_EQ(log, QStringList({"sale 1", "entra 0"}));
  EXPECT_EQ(r.rejilla->SelectedIndex(), 0);
  EXPECT_EQ(r.rejilla->currentIndex().column(), 0);
  log.clear();
  r.rejilla->SetSelectedIndex(1);
  r.rejilla->SetSelectedIndex(2);
  EXPECT_EQ(log, QStringList({"sale 0", "entra 1", "sale 1", "entra 0"}));
  EXPECT_EQ(r.rejilla->currentIndex().column(), 0);
}

// A ColEnter handler that sends the cursor elsewhere has the last word.
TEST_F(PruebaDatos, UnColEnterQueDevuelveElCursorSeRespeta) {
  ConRejilla r;
  QStringList log;
  QObject::connect(r.rejilla, &ui::RejillaDatos::ColEnter, [&] {
    log << QString("entra %1").arg(r.rejilla->SelectedIndex());
    if (r.rejilla->SelectedIndex() == 1) r.rejilla->SetSelectedIndex(0);
  });
  r.rejilla->SetSelectedIndex(1);
  EXPECT_EQ(log, QStringList({"entra 1", "entra 0"}));
  EXPECT_EQ(r.rejilla->SelectedIndex(), 0);
  EXPECT_EQ(r.rejilla->currentIndex().column(), 0);
}

TEST_F(PruebaDatos, ColumnaOTablaDeSoloLecturaNoSeEditan) {
  for (const bool tabla : {false, true}) {
    SCOPED_TRACE(tabla ? "tabla" : "columna");
    ConRejilla r;
    if (tabla) {
      r.t->Close();
      r.t->SetReadOnly(true);
      r.t->Open();
    } else {
      r.rejilla->SetColumnaSoloLectura(0, true);
    }
    Teclea("Zoe");
    EXPECT_EQ(r.t->State(), Dataset::Estado::Navegando);
    EXPECT_EQ(r.Celda(0, 0), "Ana");
    // Past the last row a read-only table gets no new row.
    r.t->Last();
    Pulsa(Qt::Key_Down);
    EXPECT_EQ(r.rejilla->model()->rowCount(), tabla ? 3 : 4);
    Pulsa(Qt::Key_Up);
    EXPECT_EQ(EnArchivo("NOMBRE"), QStringList({"Ana", "Beto", "Carla"}));
    EXPECT_TRUE(Mensajes().isEmpty());
  }
}

TEST_F(PruebaDatos, ErroresDeLaCeldaSeMuestranYNoSeGrabaNada) {
  // A row another station holds, and a number that is none.
  ConRejilla r;
  auto otra = Abre("CLIENTES.DBF");
  otra->Edit();  // holds row 1
  Teclea("Z");
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].contains("CLIENTES")) << Mensajes()[0].toStdString();
  EXPECT_EQ(r.t->State(), Dataset::Estado::Navegando);
  EXPECT_EQ(r.Celda(0, 0), "Ana");
  Pulsa(Qt::Key_Escape);  // the text kept in the cell dropped
  otra->Cancel();
  ui::PuertaModal::LimpiaMensajes();

  // The cell stays open on what was typed; Esc drops it; no part of it is
  // posted when the row is left.
  r.rejilla->SetSelectedIndex(1);
  Teclea("12x");
  Pulsa(Qt::Key_Down);
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].contains("NUMERO")) << Mensajes()[0].toStdString();
  EXPECT_EQ(r.t->RecNo(), 1);
  ASSERT_TRUE(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
  EXPECT_EQ(qobject_cast<QLineEdit*>(QApplication::focusWidget())->text(), "12x");
  Pulsa(Qt::Key_Escape);
  Pulsa(Qt::Key_Down);
  EXPECT_EQ(r.t->RecNo(), 2);
  EXPECT_EQ(Mensajes().size(), 1);
  EXPECT_EQ(EnArchivo("NUMERO"), QStringList({"1", "2", "3"}));
  EXPECT_EQ(EnArchivo("NOMBRE"), QStringList({"Ana", "Beto", "Carla"}));
}

TEST_F(PruebaDatos, LoTecleadoEnUnaFilaRetenidaSeQuedaEnLaCeldaHastaQueSeLibera) {
  ConRejilla r;
  auto otra = Abre("CLIENTES.DBF");
  otra->Edit();  // holds row 1
  Teclea("Zoe");
  EXPECT_EQ(Mensajes().size(), 1);  // told once, not at each key
  auto* celda = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_TRUE(celda);
  EXPECT_EQ(celda->text(), "Zoe");
  EXPECT_EQ(r.t->State(), Dataset::Estado::Navegando);

  // A message window over it for a while leaves the cell open.
  QWidget mensaje;
  auto* boton = new QPushButton("Aceptar", &mensaje);
  Muestra(mensaje);
  boton->setFocus();
  Muestra(r.ventana);
  EXPECT_EQ(QApplication::focusWidget(), celda);

  // Still held: Enter tells again and the cell stays open on the text.
  Pulsa(Qt::Key_Return);
  EXPECT_EQ(Mensajes().size(), 2);
  EXPECT_EQ(QApplication::focusWidget(), celda);
  EXPECT_EQ(celda->text(), "Zoe");

  // Released: the row is read again and takes what was typed.
  otra->FieldByName("NUMERO").SetAsInteger(7);
  otra->Post();
  Pulsa(Qt::Key_Return);
  EXPECT_EQ(r.t->State(), Dataset::Estado::Editando);
  Pulsa(Qt::Key_Down);
  EXPECT_EQ(EnArchivo("NOMBRE"), QStringList({"Zoe", "Beto", "Carla"}));
  EXPECT_EQ(EnArchivo("NUMERO"), QStringList({"7", "2", "3"}));
  EXPECT_EQ(Mensajes().size(), 2);
}

TEST_F(PruebaDatos, CtrlSuprPreguntaAntesDeBorrar) {
  for (const bool si : {false, true}) {
    SCOPED_TRACE(si);
    ConRejilla r;
    r.t->Next();
    ui::PuertaModal::Espera("MessageDlg", [si](QDialog& d) { d.done(si ? QMessageBox::Yes : QMessageBox::No); });
    Pulsa(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Mensajes().last(), "¿Borrar el registro?");
    EXPECT_EQ(EnArchivo("NOMBRE"), si ? QStringList({"Ana", "Carla"}) : QStringList({"Ana", "Beto", "Carla"}));
    EXPECT_EQ(r.rejilla->model()->rowCount(), si ? 2 : 3);
    EXPECT_EQ(r.Celda(r.rejilla->currentIndex().row(), 0), r.t->FieldByName("NOMBRE").AsString());
  }
}

TEST_F(PruebaDatos, LaRejillaSigueAlDatasetMovidoPorCodigo) {
  ConRejilla r;
  r.t->Last();
  EXPECT_EQ(r.rejilla->currentIndex().row(), 2);
  r.t->Append();
  r.t->FieldByName("NOMBRE").SetAsString("Dora");
  EXPECT_EQ(r.rejilla->model()->rowCount(), 4);
  EXPECT_EQ(r.Celda(3, 0), "Dora");
  r.t->Post();
  r.t->First();
  EXPECT_EQ(r.rejilla->currentIndex().row(), 0);
  EXPECT_EQ(r.Celda(3, 0), "Dora");
  // Another station's row shows after a refresh.
  {
    auto otra = Abre("CLIENTES.DBF");
    Agrega(*otra, {{"Elsa", 5}});
  }
  r.t->Refresh();
  EXPECT_EQ(r.rejilla->model()->rowCount(), 5);
  EXPECT_EQ(r.Celda(4, 0), "Elsa");
  r.t->Close();
  EXPECT_EQ(r.rejilla->model()->rowCount(), 0);
  r.t->Open();
  EXPECT_EQ(r.rejilla->model()->rowCount(), 5);
  EXPECT_EQ(r.Celda(1, 1), "2");
}

// The grid reads the rows around the current one unseen: a walk of the
// dataset's own sees the same Bof and Eof as without a grid.
TEST_F(PruebaDatos, LaRejillaNoCambiaLosLimitesDeUnRecorrido) {
  ConRejilla r;
  QStringList atras;
  for (r.t->Last(); !r.t->Bof(); r.t->Prior()) atras << r.t->FieldByName("NOMBRE").AsString();
  EXPECT_EQ(atras, QStringList({"Carla", "Beto", "Ana"}));
  QStringList adelante;
  for (r.t->First(); !r.t->Eof(); r.t->Next()) adelante << r.t->FieldByName("NOMBRE").AsString();
  EXPECT_EQ(adelante, QStringList({"Ana", "Beto", "Carla"}));
}

TEST_F(PruebaDatos, FilasQueOtraEstacionMovioSeCuentanDeNuevo) {
  ConRejilla r;
  r.t->Last();
  EXPECT_EQ(r.Celda(0, 0), "Ana");
  {
    auto otra = Abre("CLIENTES.DBF");
    otra->Delete();  // Ana
    Agrega(*otra, {{"Dora", 4}});
  }
  r.t->Refresh();  // as many rows as before, Carla now the second
  r.Celda(0, 0);
  QApplication::processEvents();
  EXPECT_EQ(r.rejilla->currentIndex().row(), 1);
  EXPECT_EQ(r.Celda(0, 0), "Beto");
  EXPECT_EQ(r.Celda(1, 0), "Carla");
  EXPECT_EQ(r.Celda(2, 0), "Dora");
}

TEST_F(PruebaDatos, SinColumnasMuestraTodosLosCamposYCaminaUnaTablaGrande) {
  {
    auto t = Abre("CLIENTES.DBF");
    for (int i = 4; i <= 600; ++i) Agrega(*t, {{QString("Cliente %1").arg(i), i}});
  }
  auto t = Abre("CLIENTES.DBF");
  ui::FuenteDatos fuente;
  fuente.SetDataSet(t.get());
  ui::RejillaDatos rejilla;
  rejilla.SetFuente(&fuente);
  rejilla.resize(500, 300);
  Muestra(rejilla);
  EXPECT_EQ(rejilla.model()->columnCount(), 5);
  EXPECT_EQ(rejilla.model()->headerData(2, Qt::Horizontal).toString(), "SALDO");
  // A window's display mask: numbers with two decimals, the rest as it is.
  rejilla.TextoCelda = [](const db::Campo& campo, const QVariant& valor, const QString& texto) {
    return campo.Tipo() == db::TipoDato::Entero && valor.isValid() ? QString::number(valor.toDouble(), 'f', 2) : texto;
  };
  EXPECT_EQ(rejilla.model()->index(1, 1).data().toString(), "2.00");
  EXPECT_EQ(rejilla.model()->index(1, 1).data(Qt::EditRole).toString(), "2");
  EXPECT_EQ(rejilla.model()->index(1, 2).data().toString(), "");
  t->Last();
  EXPECT_EQ(rejilla.currentIndex().row(), 599);
  EXPECT_EQ(rejilla.model()->index(598, 0).data().toString(), "Cliente 599");
  t->MoveBy(-300);
  EXPECT_EQ(rejilla.model()->index(0, 1).data().toString(), "1.00");
  EXPECT_EQ(rejilla.model()->index(299, 0).data().toString(), "Cliente 300");
  // Reading the rows left the dataset where the code put it.
  EXPECT_EQ(t->FieldByName("NUMERO").AsInteger(), 300);
  t->Last();
  t->Next();
  rejilla.model()->index(10, 0).data();
  EXPECT_TRUE(t->Eof());
  EXPECT_EQ(t->RecNo(), 600);
}

// A table too large to count: its rows are numbered by its estimated
// count and a guess of the current row's place, put right when the rows
// read reach the real first or last row.
TEST_F(PruebaDatos, UnaTablaGrandeSeNumeraPorEstimacionYSeCorrigeEnLosExtremos) {
  {
    auto t = Abre("CLIENTES.DBF");
    for (int i = 4; i <= 3000; ++i) Agrega(*t, {{QString("Cliente %1").arg(i, 4, 10, QChar(u'0')), i}});
  }
  ConRejilla r;
  // Physical order: the row's place in the file.
  r.t->MoveBy(1999);
  EXPECT_EQ(r.rejilla->currentIndex().row(), 1999);
  EXPECT_EQ(r.Celda(1998, 1), "1999");
  // Half the rows hidden: still numbered as 3,000 until the ends are read.
  r.t->SetFilter("NUMERO > 1500");
  r.t->SetFiltered(true);
  r.t->First();
  EXPECT_EQ(r.rejilla->currentIndex().row(), 0);
  EXPECT_EQ(r.Celda(1, 1), "1502");
  r.t->Last();
  EXPECT_EQ(r.rejilla->model()->rowCount(), 3000);
  EXPECT_EQ(r.rejilla->currentIndex().row(), 2999);
  EXPECT_EQ(r.Celda(2998, 1), "2999");
  r.Celda(0, 1);  // the first row comes 1,500 rows sooner
  QApplication::processEvents();
  EXPECT_EQ(r.rejilla->model()->rowCount(), 1500);
  EXPECT_EQ(r.rejilla->currentIndex().row(), 1499);
  EXPECT_EQ(r.Celda(0, 1), "1501");
  EXPECT_EQ(r.t->FieldByName("NUMERO").AsInteger(), 3000);
  // The grid's first row is the table's first row, however it is numbered.
  r.t->MoveBy(-700);
  r.rejilla->setCurrentIndex(r.rejilla->model()->index(0, 0));
  EXPECT_EQ(r.t->FieldByName("NUMERO").AsInteger(), 1501);
  EXPECT_TRUE(r.t->Bof());
}

TEST_F(PruebaDatos, NavegadorMueveElDatasetYAvisaDespues) {
  auto t = Abre("CLIENTES.DBF");
  ui::FuenteDatos fuente;
  fuente.SetDataSet(t.get());
  ui::Navegador nav;
  nav.SetFuente(&fuente);
  auto habilitados = [&] {
    QString s;
    for (const char* n : {"Primero", "Anterior", "Siguiente", "Ultimo"})
      s += nav.findChild<QToolButton*>(n)->isEnabled() ? "1" : "0";
    return s;
  };
  EXPECT_EQ(habilitados(), "0011");
  qint64 enClick = 0;
  QObject::connect(&nav, &ui::Navegador::Click, [&](ui::Navegador::Boton b) {
    EXPECT_EQ(b, ui::Navegador::Siguiente);
    enClick = t->RecNo();
  });
  nav.findChild<QToolButton*>("Siguiente")->click();
  EXPECT_EQ(enClick, 2);
  EXPECT_EQ(habilitados(), "1111");
  t->Last();
  EXPECT_EQ(habilitados(), "1100");
  t->Close();
  EXPECT_EQ(habilitados(), "0000");
}

// --- Data-aware boxes.

TEST_F(PruebaDatos, EditCambiaEntreDosTablasDeUnMismoFormato) {
  // The one-record edit copy: the same box on the table and on its copy.
  Tabla::CreaComo(kDatos, "CLIEAUXI.DBF", *Abre("CLIENTES.DBF"));
  {
    auto copia = Abre("CLIEAUXI.DBF");
    Agrega(*copia, {{"Copia", 9}});
  }
  auto tabla = Abre("CLIENTES.DBF");
  auto copia = Abre("CLIEAUXI.DBF");
  ui::FuenteDatos fuente;
  fuente.SetDataSet(tabla.get());
  QWidget ventana;
  auto* edit = new ui::EditDatos(&ventana);
  edit->setObjectName("EditNOMBR_C");
  edit->SetFuente(&fuente);
  edit->SetCampo("nombre");
  Muestra(ventana);
  EXPECT_EQ(edit->text(), "Ana");
  tabla->Next();
  EXPECT_EQ(edit->text(), "Beto");

  fuente.SetDataSet(copia.get());
  EXPECT_EQ(edit->text(), "Copia");
  tabla->Next();  // the table it left no longer moves it
  EXPECT_EQ(edit->text(), "Copia");
  edit->setFocus();
  edit->selectAll();
  Teclea("Cambiada");
  EXPECT_EQ(copia->State(), Dataset::Estado::Editando);
  EXPECT_EQ(tabla->State(), Dataset::Estado::Navegando);
  copia->Post();
  EXPECT_EQ(EnArchivo("NOMBRE", "CLIEAUXI.DBF"), QStringList({"Cambiada"}));
  EXPECT_EQ(EnArchivo("NOMBRE"), QStringList({"Ana", "Beto", "Carla"}));

  fuente.SetDataSet(tabla.get());
  EXPECT_EQ(edit->text(), "Carla");
  fuente.SetDataSet(nullptr);
  EXPECT_EQ(edit->text(), "");
}

TEST_F(PruebaDatos, EditSigueAlDatasetYSusCambiosDeEstado) {
  auto t = Abre("CLIENTES.DBF");
  ui::FuenteDatos fuente;
  fuente.SetDataSet(t.get());
  QWidget ventana;
  auto* edit = new ui::EditDatos(&ventana);
  edit->SetFuente(&fuente);
  edit->SetCampo("NOMBRE");
  Muestra(ventana);
  edit->setFocus();
  edit->selectAll();
  Teclea("Anita");
  EXPECT_EQ(t->FieldByName("NOMBRE").AsString(), "Anita");  // in the edit buffer at once
  t->Cancel();
  EXPECT_EQ(edit->text(), "Ana");
  t->Edit();
  t->FieldByName("NOMBRE").SetAsString("Por código");
  EXPECT_EQ(edit->text(), "Por código");
  t->Cancel();
  t->Close();
  EXPECT_EQ(edit->text(), "");
  Teclea("x");  // a closed dataset takes nothing
  EXPECT_EQ(edit->text(), "");
  t->Open();
  EXPECT_EQ(edit->text(), "Ana");
  EXPECT_EQ(edit->maxLength(), 20);

  fuente.SetAutoEdit(false);  // browsing: typing is refused
  Teclea("z");
  EXPECT_EQ(edit->text(), "Ana");
  EXPECT_EQ(t->State(), Dataset::Estado::Navegando);
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(PruebaDatos, EditConRegistroBloqueadoOTextoInvalido) {
  auto t = Abre("CLIENTES.DBF");
  ui::FuenteDatos fuente;
  fuente.SetDataSet(t.get());
  QWidget ventana;
  auto* capa = new QVBoxLayout(&ventana);
  auto* nombre = new ui::EditDatos(&ventana);
  auto* alta = new ui::EditDatos(&ventana);
  auto* otro = new QLineEdit(&ventana);
  for (QWidget* w : {static_cast<QWidget*>(nombre), static_cast<QWidget*>(alta), static_cast<QWidget*>(otro)})
    capa->addWidget(w);
  nombre->SetFuente(&fuente);
  nombre->SetCampo("NOMBRE");
  alta->SetFuente(&fuente);
  alta->SetCampo("ALTA");
  Muestra(ventana);

  auto otra = Abre("CLIENTES.DBF");
  otra->Edit();
  nombre->setFocus();
  Teclea("x");
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_EQ(nombre->text(), "Ana");
  EXPECT_EQ(t->State(), Dataset::Estado::Navegando);
  otra->Cancel();
  ui::PuertaModal::LimpiaMensajes();

  // A date typed half is no error until the box is left.
  alta->setFocus();
  Teclea("12/0");
  EXPECT_TRUE(Mensajes().isEmpty());
  otro->setFocus();
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].contains("ALTA")) << Mensajes()[0].toStdString();
  QApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), alta);
  Teclea("3/2024");
  otro->setFocus();
  EXPECT_EQ(Mensajes().size(), 1);
  t->Post();
  auto leida = Abre("CLIENTES.DBF", false, true);
  EXPECT_EQ(leida->FieldByName("ALTA").AsDate(), QDate(2024, 3, 12));
}

TEST_F(PruebaDatos, CadaCajaMuestraYEscribeSuCampo) {
  Tabla::Crea(kDatos, "FICHA.DBF",
              {{"NOMBRE", 'C', 20, 0}, {"ZONA", 'C', 10, 0}, {"LINEA", 'N', 4, 0}, {"ACTIVO", 'L', 1, 0},
               {"SERVI", 'C', 1, 0}, {"NOTA", 'M', 10, 0}});
  Tabla::Crea(kDatos, "LINEAS.DBF", {{"LINEA", 'N', 4, 0}, {"DESCR", 'C', 20, 0}});
  {
    auto f = Abre("FICHA.DBF");
    f->Append();
    f->FieldByName("NOMBRE").SetAsString("Uno");
    f->FieldByName("ZONA").SetAsString("Norte");
    f->FieldByName("LINEA").SetAsInteger(2);
    f->FieldByName("ACTIVO").SetAsBoolean(true);
    f->FieldByName("SERVI").SetAsString("N");
    f->FieldByName("NOTA").SetAsString("nota uno");
    f->Post();
    f->Append();
    f->FieldByName("NOMBRE").SetAsString("Dos");
    f->Post();
    auto l = Abre("LINEAS.DBF");
    for (auto [n, d] : {std::pair{1, "Abarrotes"}, std::pair{2, "Bebidas"}, std::pair{3, "Carnes"}}) {
      l->Append();
      l->FieldByName("LINEA").SetAsInteger(n);
      l->FieldByName("DESCR").SetAsString(d);
      l->Post();
    }
  }
  auto ficha = Abre("FICHA.DBF");
  auto lineas = Abre("LINEAS.DBF");
  ui::FuenteDatos fuente, fuenteLineas;
  fuente.SetDataSet(ficha.get());
  fuenteLineas.SetDataSet(lineas.get());
  QWidget ventana;
  auto* capa = new QVBoxLayout(&ventana);
  auto* etiqueta = new ui::EtiquetaDatos(&ventana);
  auto* zona = new ui::ComboDatos(&ventana);
  zona->addItems({"Norte", "Sur"});
  auto* linea = new ui::ComboBusqueda(&ventana);
  auto* activo = new ui::CasillaDatos(&ventana);
  auto* servi = new ui::CasillaDatos(&ventana);
  auto* nota = new ui::MemoDatos(&ventana);
  for (QWidget* w : std::initializer_list<QWidget*>{etiqueta, zona, linea, activo, servi, nota}) capa->addWidget(w);
  etiqueta->SetFuente(&fuente);
  etiqueta->SetCampo("NOMBRE");
  zona->SetFuente(&fuente);
  zona->SetCampo("ZONA");
  linea->SetFuenteLista(&fuenteLineas);
  linea->SetCampoClave("LINEA");
  linea->SetCampoLista("DESCR");
  linea->SetFuente(&fuente);
  linea->SetCampo("LINEA");
  activo->SetFuente(&fuente);
  activo->SetCampo("ACTIVO");
  servi->SetFuente(&fuente);
  servi->SetCampo("SERVI");
  nota->SetFuente(&fuente);
  nota->SetCampo("NOTA");
  Muestra(ventana);

  auto vistos = [&] {
    return QStringList{etiqueta->text(), zona->currentText(), linea->currentText(), activo->isChecked() ? "x" : "-",
                       servi->isChecked() ? "x" : "-", nota->toPlainText()};
  };
  EXPECT_EQ(vistos(), QStringList({"Uno", "Norte", "Bebidas", "x", "-", "nota uno"}));
  ficha->Next();
  EXPECT_EQ(vistos(), QStringList({"Dos", "", "", "-", "-", ""}));

  // The user fills the second record.
  for (QComboBox* combo : std::initializer_list<QComboBox*>{zona, linea}) {
    const int i = combo->findText(combo == zona ? "Sur" : "Carnes");
    combo->setCurrentIndex(i);
    emit combo->activated(i);
  }
  activo->click();
  servi->click();
  nota->setFocus();
  Teclea("hola");
  EXPECT_EQ(ficha->State(), Dataset::Estado::Editando);
  ficha->Post();
  auto leida = Abre("FICHA.DBF", false, true);
  leida->Last();
  EXPECT_EQ(leida->FieldByName("ZONA").AsString(), "Sur");
  EXPECT_EQ(leida->FieldByName("LINEA").AsInteger(), 3);
  EXPECT_TRUE(leida->FieldByName("ACTIVO").AsBoolean());
  EXPECT_EQ(leida->FieldByName("SERVI").AsString(), "S");
  EXPECT_EQ(leida->FieldByName("NOTA").AsString(), "hola");
  EXPECT_EQ(vistos(), QStringList({"Dos", "Sur", "Carnes", "x", "x", "hola"}));

  // A line added to the list table shows in the lookup.
  lineas->Append();
  lineas->FieldByName("LINEA").SetAsInteger(4);
  lineas->FieldByName("DESCR").SetAsString("Dulces");
  lineas->Post();
  linea->showPopup();
  linea->hidePopup();
  EXPECT_EQ(linea->count(), 4);
  EXPECT_EQ(linea->currentText(), "Carnes");
  EXPECT_TRUE(Mensajes().isEmpty());
}

// --- String grids.

TEST_F(RaizPrueba, RejillaTextoEnterYAbajoSonTabYElParentesisSeEscribe) {
  QWidget ventana;
  auto* capa = new QVBoxLayout(&ventana);
  auto* rejilla = new ui::RejillaTexto(&ventana, 4, 3);
  auto* edit = new QLineEdit(&ventana);
  capa->addWidget(rejilla);
  capa->addWidget(edit);
  rejilla->SetEditable(true);
  rejilla->SetCells(1, 0, "Divisa");
  EXPECT_EQ(rejilla->Cells(1, 0), "Divisa");
  EXPECT_EQ(rejilla->model()->headerData(0, Qt::Horizontal).toString(), "Divisa");
  QList<int> vistas;
  QObject::connect(&ui::Eventos::De(rejilla), &ui::Eventos::KeyDown,
                   [&](int& tecla, Qt::KeyboardModifiers) { vistas << tecla; });
  Muestra(ventana);
  rejilla->setFocus();
  rejilla->SetRow(1);
  rejilla->SetCol(1);

  struct Paso {
    int tecla;
    int col, fila;
  };
  for (const Paso& p : {Paso{Qt::Key_Return, 2, 1}, Paso{Qt::Key_Down, 3, 1}, Paso{Qt::Key_Enter, 1, 2}}) {
    Pulsa(p.tecla);
    EXPECT_EQ(rejilla->Col(), p.col);
    EXPECT_EQ(rejilla->Row(), p.fila);
  }
  EXPECT_EQ(vistas, QList<int>({Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab}));
  Teclea("(5)");
  Pulsa(Qt::Key_Down);  // in the cell editor too
  EXPECT_EQ(rejilla->Cells(1, 2), "(5)");
  EXPECT_EQ(rejilla->Col(), 2);

  // A line edit keeps Enter; the grid's cell does not move.
  edit->setFocus();
  QSignalSpy enter(edit, &QLineEdit::returnPressed);
  Teclea("(");
  Pulsa(Qt::Key_Return);
  EXPECT_EQ(enter.count(), 1);
  EXPECT_EQ(edit->text(), "(");
  EXPECT_EQ(QApplication::focusWidget(), edit);
  EXPECT_EQ(rejilla->Col(), 2);
  EXPECT_EQ(rejilla->Row(), 2);
}

// --- Key preview and component events.

namespace {

class TFormaTres : public ui::Forma {
  Q_OBJECT
 public:
  TFormaTres() {
    auto* capa = new QVBoxLayout(this);
    for (const char* n : {"Edit1", "Edit2", "Edit3"}) {
      auto* e = new QLineEdit(this);
      e->setObjectName(n);
      capa->addWidget(e);
    }
    SetKeyPreview(true);
    SetMueveFocoConTeclas(true);
  }
  bool consumeAbajo = false;

 protected:
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers) override {
    if (consumeAbajo && tecla == Qt::Key_Down) tecla = 0;
  }
};

}  // namespace

TEST_F(RaizPrueba, VistaPreviaMueveElFocoConEnterAbajoYArriba) {
  TFormaTres forma;
  Muestra(forma);
  forma.Componente<QLineEdit>("Edit1")->setFocus();
  QSignalSpy enter(forma.Componente<QLineEdit>("Edit1"), &QLineEdit::returnPressed);
  struct Paso {
    int tecla;
    const char* foco;
  };
  for (const Paso& p : {Paso{Qt::Key_Return, "Edit2"}, Paso{Qt::Key_Down, "Edit3"}, Paso{Qt::Key_Up, "Edit2"},
                        Paso{Qt::Key_Up, "Edit1"}, Paso{Qt::Key_Enter, "Edit2"}}) {
    Pulsa(p.tecla);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QString(p.foco)) << p.tecla;
  }
  EXPECT_EQ(enter.count(), 2);  // the box that had the focus still got its Enter
  forma.consumeAbajo = true;
  Pulsa(Qt::Key_Down);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "Edit2");
  forma.SetKeyPreview(false);
  Pulsa(Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "Edit2");
}

TEST_F(PruebaDatos, ManejadoresDeTeclasDeLaRejillaVenLasDelEditorDeCelda) {
  ConRejilla r;
  QStringList log;
  ui::Eventos& eventos = ui::Eventos::De(r.rejilla);
  QObject::connect(&eventos, &ui::Eventos::KeyPress, [](QChar& c) { c = c.toUpper(); });
  QObject::connect(&eventos, &ui::Eventos::KeyDown, [&](int& tecla, Qt::KeyboardModifiers) {
    if (tecla == Qt::Key_F2) {
      log << "F2 " + r.t->FieldByName("NOMBRE").AsString();
      tecla = 0;
    }
  });
  Teclea("bea");
  Pulsa(Qt::Key_F2);  // the cell editor is open
  Pulsa(Qt::Key_Down);
  EXPECT_EQ(log, QStringList({"F2 BEA"}));
  EXPECT_EQ(EnArchivo("NOMBRE"), QStringList({"BEA", "Beto", "Carla"}));
}

// --- Help lines, focus colour, shapes.

TEST_F(RaizPrueba, AyudaDeDosLineasYCajaEnfocadaEnCian) {
  QWidget ventana;
  auto* capa = new QVBoxLayout(&ventana);
  auto* fecha = new QLineEdit(&ventana);
  auto* numero = new QLineEdit(&ventana);
  auto* uno = new QLabel(&ventana);
  auto* dos = new QLabel(&ventana);
  for (QWidget* w : std::initializer_list<QWidget*>{fecha, numero, uno, dos}) capa->addWidget(w);
  QStringList archivo = {"Fecha del movimiento", "F3 pone la fecha de hoy", "Número", "Lo da el sistema"};
  int lecturas = 0;
  ui::AyudaCampos ayuda(uno, dos, [&](int n) {
    ++lecturas;
    return archivo.value(n - 1);
  });
  ayuda.Agrega(fecha, 1);
  ayuda.Agrega(numero, 3);
  const QColor blanco = fecha->palette().color(QPalette::Base);
  ui::ResaltaAlEnfocar(fecha);
  ui::ResaltaAlEnfocar(numero);
  Muestra(ventana);

  fecha->setFocus();
  EXPECT_EQ(uno->text(), "Fecha del movimiento");
  EXPECT_EQ(dos->text(), "F3 pone la fecha de hoy");
  EXPECT_EQ(fecha->palette().color(QPalette::Base), QColor(0, 255, 255));
  numero->setFocus();
  EXPECT_EQ(fecha->palette().color(QPalette::Base), blanco);
  EXPECT_EQ(numero->palette().color(QPalette::Base), QColor(0, 255, 255));
  EXPECT_EQ(uno->text(), "Número");
  archivo[0] = "Fecha (cambiada)";  // read again, never kept
  QMouseEvent mueve(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(fecha, &mueve);
  EXPECT_EQ(uno->text(), "Fecha (cambiada)");
  const int antes = lecturas;
  QApplication::sendEvent(fecha, &mueve);
  EXPECT_EQ(lecturas, antes);
}

TEST_F(RaizPrueba, RegionesRedondeadaYEliptica) {
  QWidget panel;
  panel.resize(100, 60);
  ui::RedondeaRegion(panel, 30, 30);
  const QRegion r = panel.mask();
  EXPECT_TRUE(r.contains(QPoint(50, 30)));
  EXPECT_TRUE(r.contains(QPoint(50, 1)));
  EXPECT_FALSE(r.contains(QPoint(0, 0)));
  EXPECT_FALSE(r.contains(QPoint(99, 59)));

  QWidget splash;
  splash.resize(563, 258);
  auto* boton = new QPushButton(&splash);
  boton->setGeometry(500, 5, 40, 20);
  ui::RegionEliptica(splash, QRect(0, 40, 550, 160));
  const QRegion e = splash.mask();
  EXPECT_TRUE(e.contains(QPoint(275, 120)));
  EXPECT_FALSE(e.contains(QPoint(2, 42)));
  EXPECT_FALSE(e.contains(QPoint(275, 30)));
  EXPECT_TRUE(e.contains(QPoint(520, 15)));  // the button stays whole
}

}  // namespace

#include "ui_datos_test.moc"
