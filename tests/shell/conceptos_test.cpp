// The concept catalogues as their users reach them: the movement concepts
// from the main menu, the account concepts through their callers (catalogue,
// pick and fill modes), a change of company, and another station editing
// and adding concepts at the same time.

#include "platform/db/Tabla.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/RejillaDatos.h"
#include "programa_prueba.h"
#include "shell/Comovinv.h"
#include "shell/Concep.h"
#include "support/Proceso.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <functional>

namespace {

using prueba::Pulsa;

// Rows appended to a table: its fields and one list of values per row.
void Agrega(const QString& carpeta, const QString& archivo, const QStringList& campos,
            const QList<QVariantList>& filas) {
  db::Tabla t;
  t.SetCarpeta(carpeta);
  t.SetNombreTabla(archivo);
  t.Open();
  for (const QVariantList& fila : filas) {
    t.Append();
    for (int i = 0; i < campos.size(); ++i) t.FieldByName(campos[i]).SetValue(fila.value(i));
    t.Post();
  }
}

// The rows of a table as another station reads them, in the order of the
// tag: the fields joined by "|".
QStringList Filas(const QString& carpeta, const QString& archivo, const QString& tag, const QStringList& campos) {
  db::Tabla t;
  t.SetCarpeta(carpeta);
  t.SetNombreTabla(archivo);
  t.SetIndexName(tag);
  t.SetReadOnly(true);
  t.Open();
  QStringList filas;
  for (t.First(); !t.Eof(); t.Next()) {
    QStringList valores;
    for (const QString& c : campos) valores << t.FieldByName(c).AsString();
    filas << valores.join('|');
  }
  return filas;
}

QStringList FilasConceptos(const QString& carpeta) {
  return Filas(carpeta, "concepto.dbf", "NUME", {"NUMOV_MO", "CONCE_MO", "TIPOO_MO"});
}
QStringList Movimientos() {
  return Filas(kDatos1, "comovinv.dbf", "ITIPMOV", {"NUCON_CM", "DECON_CM", "TIPOX_CM"});
}

// The account concepts of a data folder made anew with rows 1 to `hasta`.
void CreaConceptos(const QString& carpeta, int hasta, const QString& nombre) {
  const db::DefTabla& def = CatalogoVorlan().Tabla(db::CarpetaTabla::Datos, "concepto.dbf");
  db::Tabla::Crea(carpeta, def.archivo, def.campos, def.tags);
  QList<QVariantList> filas;
  for (int n = 1; n <= hasta; ++n) filas << QVariantList{n, QString("%1 %2").arg(nombre).arg(n), n % 2 ? "A" : "C"};
  Agrega(carpeta, "concepto.dbf", {"NUMOV_MO", "CONCE_MO", "TIPOO_MO"}, filas);
}

// Keys where the focus is, as a user types them.
void Escribe(const QString& texto) {
  for (const QChar c : texto) QTest::keyClicks(QApplication::focusWidget(), QString(c));
}
void Tecla(int tecla, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(tecla), mods);
}

// The focus into the grid, on the row of the concept and the column.
void VeA(ui::RejillaDatos& rejilla, const QString& campo, int concepto, int columna = 0) {
  db::Dataset& d = *rejilla.Fuente()->DataSet();
  ASSERT_TRUE(d.Locate(campo, {concepto})) << concepto;
  rejilla.SetSelectedIndex(columna);
  rejilla.setFocus();
}

void DobleClicEnCelda(ui::RejillaDatos& rejilla) {
  const QModelIndex celda = rejilla.model()->index(0, 0);
  prueba::DobleClic(rejilla.viewport(), rejilla.visualRect(celda).center());
}

class Conceptos : public ProgramaPrueba {
 protected:
  void SetUp() override {
    ProgramaPrueba::SetUp();
    CreaConceptos(kDatos1, 12, "Uno");
    QList<QVariantList> movimientos;
    for (int n : {0, 1, 7, 8, 50, 51, 57, 58}) movimientos << QVariantList{n, QString("Mov %1").arg(n)};
    Agrega(kDatos1, "comovinv.dbf", {"NUCON_CM", "DECON_CM"}, movimientos);
    Ingresa(Arranca(), "adm");
    ui::PuertaModal::LimpiaMensajes();
  }

  // The account concepts shown by a caller through the modal gate, the grid
  // in the mode given, answered by `guion`.
  static void MuestraConceptos(int modo, const std::function<void(TFormaConceptos&)>& guion) {
    TFormaConceptos* conceptos = FormaConceptos();
    ASSERT_TRUE(conceptos);
    ui::SetTag(conceptos->RejillaConceptos, modo);
    ui::PuertaModal::Espera("TFormaConceptos", [&guion](QDialog& d) { guion(static_cast<TFormaConceptos&>(d)); });
    conceptos->ShowModal();
  }
};

// Another station: edits concept 12 (marking it a charge) until told, posts,
// then adds concept 13 when told.
RUTINA_HIJA(OtraEstacionConceptos) {
  db::Tabla t;
  t.SetCarpeta(argumentos.value(0));
  t.SetNombreTabla("concepto.dbf");
  t.SetIndexName("NUME");
  t.Open();
  if (!t.FindKey({12})) return 1;
  t.Edit();
  t.FieldByName("TIPOO_MO").SetAsString("C");
  prueba::AvisaPadre("EDITANDO");
  prueba::EsperaPadre();
  t.Post();
  prueba::AvisaPadre("GUARDADO");
  prueba::EsperaPadre();
  t.Append();
  t.FieldByName("NUMOV_MO").SetAsInteger(13);
  t.FieldByName("CONCE_MO").SetAsString("De la otra");
  t.Post();
  prueba::AvisaPadre("AGREGADO");
  return 0;
}

}  // namespace

TEST_F(Conceptos, LosConceptosDeMovimientosDesdeElMenu) {
  QAction* item = FormaPrincipal()->Item("AltadeConceptosMovimientos1");
  ASSERT_TRUE(item->isEnabled());
  bool visto = false;
  ui::PuertaModal::Espera("TFormacomovinv", [&](QDialog& d) {
    visto = true;
    auto& v = static_cast<TFormacomovinv&>(d);
    EXPECT_EQ(v.windowTitle(), "Concepto de Movimientos al Inventario");
    QStringList titulos;
    for (int i = 0; i < v.Detalle->Columnas(); ++i) titulos << v.Detalle->Columna(i).titulo;
    EXPECT_EQ(titulos, (QStringList{"Concepto", "Descripción", "Tipo Concepto", "Ruta Almacen"}));

    // The program's own concepts stay; the others go.
    struct Caso {
      int concepto;
      bool queda;
    };
    for (const Caso& c : {Caso{7, true}, Caso{51, true}, Caso{57, true}, Caso{0, true}, Caso{8, false},
                          Caso{50, false}, Caso{58, false}}) {
      SCOPED_TRACE(c.concepto);
      VeA(*v.Detalle, "NUCON_CM", c.concepto);
      Pulsa(v, "BotonEliminar");
      EXPECT_EQ(Mensajes(), c.queda ? QStringList{kConceptoNoSeElimina} : QStringList());
      ui::PuertaModal::LimpiaMensajes();
      EXPECT_EQ(Movimientos().contains(QString("%1|Mov %1|").arg(c.concepto)), c.queda);
    }

    // A new concept typed with Enter between the columns, which goes round
    // the first three. (The window is active again once the messages went,
    // as the window system makes it.)
    QApplication::setActiveWindow(&v);
    Pulsa(v, "BotonNuevo");
    QList<int> columnas{v.Detalle->SelectedIndex()};
    for (const char* texto : {"30", "Merma", "T", ""}) {
      Escribe(texto);
      Tecla(Qt::Key_Return);
      columnas << v.Detalle->SelectedIndex();
    }
    EXPECT_EQ(columnas, (QList<int>{0, 1, 2, 0, 1}));
    Pulsa(v, "BotonGuardar");
    EXPECT_EQ(Movimientos(), (QStringList{"0|Mov 0|", "1|Mov 1|", "7|Mov 7|", "30|Merma|T", "51|Mov 51|",
                                          "57|Mov 57|"}));

    // A second activation leaves the table open where it stood.
    db::Tabla* tabla = v.Tablacomovinv;
    VeA(*v.Detalle, "NUCON_CM", 51);
    QEvent desactiva(QEvent::WindowDeactivate);
    QApplication::sendEvent(&v, &desactiva);
    v.DisparaActivacion();
    EXPECT_EQ(v.Tablacomovinv, tabla);
    EXPECT_TRUE(tabla->Active());
    EXPECT_EQ(tabla->FieldByName("NUCON_CM").AsInteger(), 51);
    Pulsa(v, "BotonSalir");
    EXPECT_FALSE(v.isVisible());
  });
  item->trigger();
  EXPECT_TRUE(visto);
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Conceptos, EliminarSoloPasadoElOnceYEscODobleClicCierran) {
  MuestraConceptos(0, [](TFormaConceptos& v) {
    EXPECT_EQ(v.windowTitle(), "Conceptos de Cuentas");
    EXPECT_TRUE(v.RejillaConceptos->font().bold());
    VeA(*v.RejillaConceptos, "NUMOV_MO", 11);
    Pulsa(v, "BotonEliminar");
    VeA(*v.RejillaConceptos, "NUMOV_MO", 12);
    Pulsa(v, "BotonEliminar");
    EXPECT_EQ(FilasConceptos(kDatos1).size(), 11);
    EXPECT_EQ(FilasConceptos(kDatos1).last(), "11|Uno 11|A");
    Tecla(Qt::Key_Escape);
    EXPECT_FALSE(v.isVisible());
  });
  for (int modo : {0, 1, 2}) {
    SCOPED_TRACE(modo);
    MuestraConceptos(modo, [](TFormaConceptos& v) {
      DobleClicEnCelda(*v.RejillaConceptos);
      EXPECT_FALSE(v.isVisible());
    });
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Conceptos, ElegirYLlenarLaCuentaPorPagar) {
  // Pick: Enter closes on the row chosen.
  MuestraConceptos(1, [](TFormaConceptos& v) {
    v.RejillaConceptos->setFocus();
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Return);
    EXPECT_FALSE(v.isVisible());
  });
  EXPECT_EQ(FormaConceptos()->TablaConcepto->FieldByName("NUMOV_MO").AsInteger(), 3);

  // Fill: the payable being edited takes the concept and stays in edit for
  // its window to post.
  db::Tabla cuenta;
  cuenta.SetCarpeta(kDatos1);
  cuenta.SetNombreTabla("CUEPAGAR.DBF");
  cuenta.Open();
  cuenta.Append();
  cuenta.FieldByName("NUCOM_CP").SetAsInteger(500);
  cuenta.Post();
  cuenta.Edit();
  cuenta.FieldByName("IMCUE_CP").SetAsFloat(150);
  ui::SetTag(&cuenta, 5);
  FormaConceptos()->TablaCxP = &cuenta;
  MuestraConceptos(2, [](TFormaConceptos& v) {
    VeA(*v.RejillaConceptos, "NUMOV_MO", 12);
    Tecla(Qt::Key_Return);
    EXPECT_FALSE(v.isVisible());
  });
  EXPECT_EQ(cuenta.State(), db::Dataset::Estado::Editando);
  EXPECT_EQ(ui::Tag(&cuenta), 0);
  EXPECT_EQ(cuenta.FieldByName("TIMOV_CP").AsString(), "12");
  EXPECT_EQ(cuenta.FieldByName("CONCE_CP").AsString(), "Uno 12");
  const QStringList campos{"NUCOM_CP", "TIMOV_CP", "CONCE_CP", "IMCUE_CP"};
  EXPECT_EQ(Filas(kDatos1, "CUEPAGAR.DBF", "", campos), QStringList{"500|||"});
  cuenta.Post();
  EXPECT_EQ(Filas(kDatos1, "CUEPAGAR.DBF", "", campos), QStringList{"500|12|Uno 12|150"});
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Conceptos, UnaSegundaActivacionNoReabreYOtraEmpresaMuestraLosSuyos) {
  CreaConceptos(kDatos2, 3, "Dos");
  db::Tabla* tabla = FormaConceptos()->TablaConcepto;
  MuestraConceptos(0, [](TFormaConceptos& v) { VeA(*v.RejillaConceptos, "NUMOV_MO", 7); });
  MuestraConceptos(0, [tabla](TFormaConceptos& v) {
    EXPECT_EQ(v.TablaConcepto, tabla);
    EXPECT_EQ(tabla->FieldByName("NUMOV_MO").AsInteger(), 7);
  });

  ui::PuertaModal::Espera("TFormaEmpresas", [](QDialog& d) {
    prueba::Tecla(d, "Empresa", Qt::Key_A, Qt::ControlModifier);
    prueba::Teclea(d, "Empresa", "2");
    prueba::Teclea(d, "Clave", "jefe");
    prueba::Tecla(d, "Clave", Qt::Key_Return);
  });
  FormaPrincipal()->Item("Empresa1")->trigger();
  EXPECT_FALSE(tabla->Active());
  MuestraConceptos(0, [](TFormaConceptos& v) {
    EXPECT_EQ(v.TablaConcepto->Carpeta(), kDatos2);
    EXPECT_EQ(v.TablaConcepto->FieldByName("CONCE_MO").AsString(), "Dos 1");
    EXPECT_EQ(v.TablaConcepto->RecordCount(), 3);
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Conceptos, OtraEstacionRetieneUnConceptoYAgregaElMismoNumero) {
  prueba::ProcesoHijo otra("OtraEstacionConceptos", {kDatos1});
  ASSERT_EQ(otra.EsperaLinea(), "EDITANDO");
  MuestraConceptos(0, [&](TFormaConceptos& v) {
    // Concept 12 is held: the change is refused once and stays in its cell.
    VeA(*v.RejillaConceptos, "NUMOV_MO", 12, 1);
    Escribe("Recargo");
    EXPECT_EQ(Mensajes().size(), 1);
    EXPECT_TRUE(Mensajes().value(0).contains("bloqueado")) << Mensajes().value(0).toStdString();
    const auto* celda = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    EXPECT_EQ(celda ? celda->text() : QString(), "Recargo");
    // Released: Guardar writes it over what the other station saved.
    otra.Envia("sigue");
    ASSERT_EQ(otra.EsperaLinea(), "GUARDADO");
    Pulsa(v, "BotonGuardar");
    EXPECT_EQ(FilasConceptos(kDatos1).last(), "12|Recargo|C");
    ui::PuertaModal::LimpiaMensajes();

    // A number another station took meanwhile is refused; the row stays
    // as typed, and saves once its number is changed.
    otra.Envia("sigue");
    ASSERT_EQ(otra.EsperaLinea(), "AGREGADO");
    Pulsa(v, "BotonNuevo");
    Escribe("13");
    Tecla(Qt::Key_Tab);
    Escribe("Intereses");
    Tecla(Qt::Key_Tab);
    Escribe("C");
    Pulsa(v, "BotonGuardar");
    EXPECT_EQ(Mensajes().size(), 1);
    EXPECT_TRUE(Mensajes().value(0).contains("ya existe")) << Mensajes().value(0).toStdString();
    EXPECT_EQ(v.TablaConcepto->State(), db::Dataset::Estado::Insertando);
    EXPECT_EQ(v.TablaConcepto->FieldByName("CONCE_MO").AsString(), "Intereses");
    Tecla(Qt::Key_Tab, Qt::ShiftModifier);
    Tecla(Qt::Key_Tab, Qt::ShiftModifier);
    Escribe("14");
    Pulsa(v, "BotonGuardar");
    EXPECT_EQ(v.TablaConcepto->State(), db::Dataset::Estado::Navegando);
  });
  EXPECT_EQ(otra.Espera(), 0);
  EXPECT_EQ(FilasConceptos(kDatos1).mid(11), (QStringList{"12|Recargo|C", "13|De la otra|", "14|Intereses|C"}));
  EXPECT_EQ(Mensajes().size(), 1);
}
