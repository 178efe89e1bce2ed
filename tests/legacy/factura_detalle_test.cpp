// The legacy window's grid and capture edits driven by keys as a cashier
// does it: quantity and key typed into their edits, Enter walking the grid,
// the amount once the price is left, upper-cased typing, packages, the tare
// edit of especial.cnf, a line deleted from the grid.

#include "factura_prueba.h"

#include "inventory/ConPro.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Texto.h"
#include "platform/ui/PuertaModal.h"
#include "pos/CaptuRap_comun.h"
#include "shell/LineasConfiguracion.h"
#include "support/Maneja.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QToolButton>

namespace {

QWidget* Foco() { return QApplication::focusWidget(); }
void Escribe(const QString& texto) {
  for (const QChar c : texto) QTest::keyClicks(Foco(), QString(c));
}
void Pulsa(int tecla, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::keyClick(Foco(), static_cast<Qt::Key>(tecla), mods);
}

// Quantity, Enter, key, Enter: from the quantity edit, as the capture
// leaves the focus for the next line.
void Linea(const QString& cantidad, const QString& clave) {
  Escribe(cantidad);
  Pulsa(Qt::Key_Return);
  Escribe(clave);
  Pulsa(Qt::Key_Return);
}

// A field of every written row of the window's capture, read through a
// table of its own so the window's cursor stays where the cashier left it.
QStringList Columna(const db::Tabla& captura, const QString& campo) {
  db::Tabla t;
  t.SetCarpeta(captura.Carpeta());
  t.SetNombreTabla(captura.NombreTabla());
  t.Open();
  QStringList valores;
  for (t.First(); !t.Eof(); t.Next()) valores << t.FieldByName(campo).AsString();
  return valores;
}

TRegistroProducto Producto(const QString& clave, const QString& descripcion, double precio) {
  TRegistroProducto p;
  p.CLPRO_I = clave;
  p.DSCPR_I = descripcion;
  p.PPUBL_I = Dinero::DeReal(precio);
  p.UMEDI_I = "pza";
  p.PIVA1_I = 0;
  p.EXIST_I = 500;
  return p;
}

void AgregaProducto(const TRegistroProducto& p) {
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla("INVENTAR.DBF");
  t.Open();
  t.Append();
  p.Escribe(t);
  t.Post();
}

class FacturaDetalle : public FacturaPrueba {
 protected:
  void SetUp() override {
    FacturaPrueba::SetUp();
    FijaLinea(ConfFacturarSinExistencias, "S");
    FijaLinea(ConfIva, "0");
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "1"}, {"NOMBR_C", "MOSTRADOR"}});
    AgregaProducto(Producto("P1", "TORNILLO", 10));
    AgregaProducto(Producto("P2", "CLAVO", 4));
    TRegistroProducto caja = Producto("CJ", "CAJA DE PIJAS", 2);
    caja.UEMPA_I = 12;
    AgregaProducto(caja);
    TRegistroProducto suelto = Producto("S0", "PIJA SUELTA", 1);
    suelto.UEMPA_I = 0;
    AgregaProducto(suelto);
    TRegistroProducto bistec = Producto("B1", "BISTEC", 120);
    bistec.LIPRO_I = "CARNE";
    bistec.UMEDI_I = "kg";
    AgregaProducto(bistec);
  }

  // F9, then the focus on the quantity edit.
  static void Nuevo(TFormaFactura& f) {
    f.BotonNuevo->click();
    f.EditCantidad->setFocus();
    ASSERT_EQ(Foco(), f.EditCantidad);
  }
};

}  // namespace

TEST_F(FacturaDetalle, EnterRecorreLasColumnasElPrecioDejadoRehaceElImporteYSeEscribeEnMayusculas) {
  AbreFactura("1", [](TFormaFactura& f) {
    Nuevo(f);
    // Two text lines; the first one of 2 at 7 with a discount of 5.
    db::Tabla& d = *f.TablaDeta;
    for (const char* cantidad : {"2", "1"}) {
      d.Append();
      d.FieldByName("CANTIDAD").SetAsString(cantidad);
      d.FieldByName("CLAVE").SetAsString("COMENTARIO");
      d.Post();
    }
    d.First();
    EditaFila(d);
    d.FieldByName("PRECIO").SetAsFloat(7);
    d.FieldByName("DESCUENTO").SetAsFloat(5);
    d.Post();
    ui::PuertaModal::LimpiaMensajes();
    // F12 from the quantity: the grid on column 0 of the current row.
    Pulsa(Qt::Key_F12);
    ASSERT_EQ(Foco(), f.Detalle);
    EXPECT_EQ(f.Detalle->SelectedIndex(), 0);
    QList<int> columnas;
    for (int i = 0; i < 2; ++i) {
      Pulsa(Qt::Key_Return);
      columnas << f.Detalle->SelectedIndex();
    }
    // In the description, lower case arrives upper-cased.
    Escribe("nota uno");
    Pulsa(Qt::Key_Return);
    columnas << f.Detalle->SelectedIndex();
    // The price typed, and the amount column opened to it as "Cambio
    // Precio" leaves it once the price column is reached.
    prueba::DobleClic(f.Detalle->viewport(), f.Detalle->visualRect(f.Detalle->currentIndex()).center());
    Pulsa(Qt::Key_A, Qt::ControlModifier);
    Escribe("10");
    f.EstadoFactura.PrecioAutorizado = true;
    Pulsa(Qt::Key_Return);
    columnas << f.Detalle->SelectedIndex();
    EXPECT_EQ(d.FieldByName("IMPORTE").AsString(), "19");
    Pulsa(Qt::Key_Return);
    columnas << f.Detalle->SelectedIndex();
    EXPECT_EQ(columnas, (QList<int>{1, 2, 3, 4, 0}));
    EXPECT_EQ(d.RecNo(), 2);
    EXPECT_EQ(Columna(d, "PRODUCTO"), (QStringList{"NOTA UNO", ""}));
    EXPECT_EQ(Columna(d, "IMPORTE").value(0), "19");
    prueba::RespondeCierre(2);
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(FacturaDetalle, LosPaquetesPorSuFactorDanLaCantidadYSinFactorSeAvisa) {
  EscribeLineas(fs::Une(kPrograma, "empaque.cnf"), {"S"});
  AbreFactura("1", [](TFormaFactura& f) {
    ASSERT_TRUE(f.EditEmpaque->isVisible());
    Nuevo(f);
    Linea("1", "CJ");
    EXPECT_EQ(Foco(), f.EditEmpaque);
    EXPECT_EQ(f.LabelFactor->text(), "12");
    ui::PuertaModal::LimpiaMensajes();
    Escribe("3");
    Pulsa(Qt::Key_Return);
    db::Tabla& d = *f.TablaDeta;
    EXPECT_EQ(f.LabelFactor->text(), "1");
    EXPECT_EQ(Foco(), f.EditClave);
    // The line filled again for 36 pieces, and a new line offered.
    EXPECT_EQ(Columna(d, "CANTIDAD"), QStringList{"36"});
    EXPECT_EQ(d.FieldByName("CANTIDAD").AsString(), "1");
    EXPECT_EQ(Columna(d, "IMPORTE"), QStringList{"72"});
    EXPECT_EQ(Mensajes(), QStringList());
    EXPECT_EQ(f.SumarTotal->text().trimmed(), "72.00");

    // A product without a package factor: told on leaving the packages.
    Escribe("S0");
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(Foco(), f.EditEmpaque);
    EXPECT_EQ(f.LabelFactor->text(), "0");
    Escribe("3");
    Pulsa(Qt::Key_F4);
    EXPECT_EQ(Foco(), f.EditCantidad);
    EXPECT_EQ(Mensajes(), QStringList{"Falta la Unidad de Empaque"});
    EXPECT_EQ(Columna(d, "CANTIDAD"), (QStringList{"36", "1"}));
    EXPECT_EQ(Columna(d, "PRODUCTO"), (QStringList{"CAJA DE PIJAS", "PIJA SUELTA"}));
    prueba::RespondeCierre(2);
  });
}

TEST_F(FacturaDetalle, SoloLosProductosDeLaLineaDeEspecialCnfPidenLaTara) {
  EscribeLineas(fs::Une(kPrograma, "especial.cnf"), {"S", "LIPRO_I", "CARNE"});
  AbreFactura("1", [](TFormaFactura& f) {
    Nuevo(f);
    db::Tabla& d = *f.TablaDeta;
    Linea("1.5", "B1");
    // The tare edit first; the line waits for it.
    EXPECT_TRUE(f.EditTARA->isVisible());
    EXPECT_EQ(Foco(), f.EditTARA);
    EXPECT_TRUE(d.FieldByName("PRODUCTO").AsString().isEmpty());
    Escribe("0.2");
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(Columna(d, "PRODUCTO"), QStringList{"BISTEC"});
    EXPECT_EQ(Foco(), f.EditCantidad);
    EXPECT_EQ(Columna(d, "TARA"), QStringList{"0.2"});
    Linea("2", "P1");
    EXPECT_FALSE(f.EditTARA->isVisible());
    EXPECT_EQ(Columna(d, "PRODUCTO"), (QStringList{"BISTEC", "TORNILLO"}));
    EXPECT_EQ(Columna(d, "IMPORTE"), (QStringList{"180", "20"}));
    prueba::RespondeCierre(2);
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(FacturaDetalle, UnaPartidaBorradaDeLaRejillaSaleDeLosTotales) {
  AbreFactura("1", [](TFormaFactura& f) {
    Nuevo(f);
    Linea("2", "P1");
    Linea("1", "P2");
    EXPECT_EQ(f.SumarTotal->text().trimmed(), "24.00");
    db::Tabla& d = *f.TablaDeta;
    PostPendiente(d);
    d.First();
    d.Next();
    ASSERT_EQ(d.FieldByName("CLAVE").AsString(), "P2");
    f.Detalle->setFocus();
    ui::PuertaModal::Espera("MessageDlg", [](QDialog& pregunta) { pregunta.done(QMessageBox::Yes); });
    Pulsa(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_FALSE(Columna(d, "CLAVE").contains("P2"));
    EXPECT_EQ(f.SumarTotal->text().trimmed(), "20.00");
    prueba::RespondeCierre(2);
  });
}

TEST_F(FacturaDetalle, ElPrimerRenglonSeOfreceAlEntrarYF1OF2TraenLaClaveDelCatalogo) {
  const auto catalogo = std::make_unique<TFormaConProduct>();
  const QColor aqua(0, 255, 255);
  AbreFactura("1", [&](TFormaFactura& f) {
    Nuevo(f);
    db::Tabla& d = *f.TablaDeta;
    // The grid entered on an empty capture: a first row of 1, then the
    // quantity edit, painted aqua while it has the focus.
    f.Detalle->setFocus();
    EXPECT_EQ(f.Detalle->SelectedIndex(), 1);
    EXPECT_EQ(d.FieldByName("CANTIDAD").AsString(), "1");
    EXPECT_EQ(Foco(), f.EditCantidad);
    EXPECT_EQ(f.EditCantidad->palette().color(QPalette::Base), aqua);
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(Foco(), f.EditClave);
    EXPECT_NE(f.EditCantidad->palette().color(QPalette::Base), aqua);

    // F1: the catalogue showing the descriptions that hold the letters
    // typed; the first one chosen.
    int abierto = 0;
    const auto elige = [&](QDialog& c) {
      ++abierto;
      prueba::Tecla(c, "Detalle", Qt::Key_Return);
    };
    ui::PuertaModal::Espera("TFormaConProduct", elige);
    Escribe("CLA");
    Pulsa(Qt::Key_F1);
    EXPECT_EQ(abierto, 1);
    EXPECT_EQ(ui::Tag(f.Detalle), 3);
    EXPECT_EQ(d.FieldByName("CLAVE").AsString(), "P2");
    EXPECT_EQ(Foco(), f.EditCantidad);
    Pulsa(Qt::Key_Return);
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(Columna(d, "PRODUCTO"), QStringList{"CLAVO"});

    // F2 in the grid: the catalogue by key; the key edit takes the answer.
    Pulsa(Qt::Key_F12);
    ASSERT_EQ(Foco(), f.Detalle);
    ui::SetTag(f.Detalle, 0);
    ui::PuertaModal::Espera("TFormaConProduct", elige);
    Pulsa(Qt::Key_F2);
    EXPECT_EQ(abierto, 2);
    EXPECT_EQ(ui::Tag(f.Detalle), 3);
    EXPECT_EQ(Foco(), f.EditClave);
    const QString elegida = f.EditClave->text();
    EXPECT_FALSE(elegida.isEmpty());
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(Columna(d, "CLAVE"), (QStringList{"P2", elegida}));
    prueba::RespondeCierre(2);
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(FacturaDetalle, SaltandoElEncabezadoLaCantidadUnoQueSeMuestraEsLaDeLaPartida) {
  // Capture starting in the quantity, then in the key: the 1 offered is the
  // line's whether or not the quantity is passed through.
  for (const char* enClave : {"N", "S"}) {
    SCOPED_TRACE(enClave);
    EscribeOpciones({{1, "S"}, {2, enClave}});
    AbreFactura("1", [&](TFormaFactura& f) {
      f.BotonNuevo->click();
      if (QString(enClave) == "N") {
        ASSERT_EQ(Foco(), f.EditCantidad);
        EXPECT_EQ(f.EditCantidad->selectedText(), "1");
        Pulsa(Qt::Key_Return);
      }
      ASSERT_EQ(Foco(), f.EditClave);
      EXPECT_EQ(f.EditCantidad->text(), "1");
      Escribe("P1");
      Pulsa(Qt::Key_Return);
      EXPECT_EQ(Columna(*f.TablaDeta, "PRODUCTO"), QStringList{"TORNILLO"});
      EXPECT_EQ(Columna(*f.TablaDeta, "IMPORTE"), QStringList{"10"});
      prueba::RespondeCierre(2);
    });
  }
  EXPECT_EQ(Mensajes(), QStringList());
}
