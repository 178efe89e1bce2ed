// Payment on the sale screen as the cashier takes it: the payment type and
// what its row of Descuento.DBF does to the document, the amount received
// and the change, "Habilitar Pago", split payments of a saved document, the
// payment-type table and paying a saved document at the register.

#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/PuertaModal.h"
#include "pos/MultiPagos.h"
#include "pos/PagosVenta.h"
#include "support/Maneja.h"
#include "captura_prueba.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolButton>

namespace {

using Pantalla = TFormaCapturaRapida;

QWidget* Foco() { return QApplication::focusWidget(); }

void Escribe(const QString& texto) {
  for (const QChar c : texto) QTest::keyClicks(Foco(), QString(c));
}
void Pulsa(int tecla, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QWidget* w = Foco() ? Foco() : QApplication::activeWindow();
  QTest::keyClick(w, static_cast<Qt::Key>(tecla), mods);
}
void Linea(const QString& cantidad, const QString& clave) {
  Escribe(cantidad);
  Pulsa(Qt::Key_Return);
  Escribe(clave);
  Pulsa(Qt::Key_Return);
}

// F8, then the type typed over what the box holds.
void Tipo(const QString& tipo) {
  Pulsa(Qt::Key_F8);
  Pulsa(Qt::Key_A, Qt::ControlModifier);
  Escribe(tipo);
}

QStringList Columna(Pantalla& p, const QString& campo) {
  auto t = AbreEn(kPrograma, p.TablaDeta->NombreTabla());
  return ColumnaCaptura(*t, campo);
}

QString Encabezado(Pantalla& p, const char* campo) { return p.TablaFacturae->FieldByName(campo).AsString(); }

// The named fields of every row of a table of the data folder.
QList<QStringList> Filas(const QString& archivo, const QStringList& campos) {
  auto t = AbreEn(kDatos, archivo);
  QList<QStringList> filas;
  for (t->First(); !t->Eof(); t->Next()) {
    QStringList fila;
    for (const QString& c : campos) fila << t->FieldByName(c).AsString();
    filas << fila;
  }
  return filas;
}

TRegistroProducto Producto(const QString& clave, double precio, double lista3) {
  TRegistroProducto p;
  p.CLPRO_I = clave;
  p.DSCPR_I = "PRODUCTO " + clave;
  p.PPUBL_I = Dinero::DeReal(precio);
  p.PLIS3_I = Dinero::DeReal(lista3);
  p.UMEDI_I = "pza";
  p.EXIST_I = 100;
  return p;
}

class Pagos : public VentaPrueba {
 protected:
  void SetUp() override {
    VentaPrueba::SetUp();
    FijaLinea(ConfIva, "0");
    EscribeOpciones({{1, "S"}});  // New goes straight to the quantity
    AgregaRemision(7, {});
    AgregaProducto(Producto("P1", 873.5, 800));
    AgregaProducto(Producto("P2", 100, 90));
  }

  // F9 and one line of P1: a total of 873.50.
  static void Venta() {
    Pulsa(Qt::Key_F9);
    Linea("1", "P1");
  }
};

}  // namespace

TEST_F(Pagos, ElTipoDaElFactorDeLaTarjetaACreditoYElCampoDeLaCuenta) {
  EscribeLineas(fs::Une(kDatos, "pagos.cnf"), {"Efectivo", "Transferencia", "T.CREDITO"});
  Abre("2", [](Pantalla& p) {
    EXPECT_EQ(p.TipoPago->count(), 3);
    Venta();
    Tipo("T.CREDITO");
    EXPECT_EQ(p.FactorPrecioPago, 1.025);
    EXPECT_FALSE(p.EditCUENTA->isVisible());
    Tipo("Transferencia");
    EXPECT_EQ(p.FactorPrecioPago, 1.0);
    EXPECT_TRUE(p.EditCUENTA->isVisible());
    EXPECT_TRUE(p.LabelCuenta->isVisible());
    EXPECT_EQ(Foco(), p.EditCUENTA);
    Escribe("0123-4");
    EXPECT_EQ(Encabezado(p, "NUCTA_F"), "0123-4");
    Tipo("Efectivo");
    EXPECT_FALSE(p.EditCUENTA->isVisible());
    // Enter goes on to the capture.
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(Foco(), p.EditCantidad);
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Pagos, LaFilaDelTipoEnDescuentoDaElDescuentoOLaListaDelDocumento) {
  for (const QMap<QString, QString>& fila : QList<QMap<QString, QString>>{
           {{"TIPOPAGO", "Vale"}, {"DESCUENTO", "5"}},
           {{"TIPOPAGO", "Cero"}, {"DESCUENTO", "0"}},
           {{"TIPOPAGO", "Mayoreo"}, {"PRECIO", "3"}},
           {{"TIPOPAGO", "Ambos"}, {"PRECIO", "3"}, {"DESCUENTO", "8"}},
           {{"TIPOPAGO", "Nada"}}})
    AgregaFila("Descuento.DBF", fila);
  struct Caso {
    const char* tipo;
    const char* descuento;  // DESFI_F, 2 before
    int lista;
    QStringList importes;
    const char* total;
  };
  const Caso casos[] = {
      {"Vale", "5", 0, {"873.5", "200"}, "1,019.82"},
      {"Cero", "0", 0, {"873.5", "200"}, "1,073.50"},
      {"Mayoreo", "2", 3, {"800", "180"}, "960.40"},
      {"Ambos", "8", 0, {"873.5", "200"}, "987.62"},
      {"Nada", "2", 0, {"873.5", "200"}, "1,052.03"},
      {"Otro", "2", 0, {"873.5", "200"}, "1,052.03"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.tipo);
    Abre("2", [&](Pantalla& p) {
      Venta();
      Linea("2", "P2");
      p.TablaFacturae->Edit();
      p.TablaFacturae->FieldByName("DESFI_F").SetAsFloat(2);
      Tipo(c.tipo);
      // Leaving the type applies it; the amount received shows the totals.
      Pulsa(Qt::Key_F5);
      EXPECT_EQ(Encabezado(p, "DESFI_F"), c.descuento);
      EXPECT_EQ(p.ListaPrecioCliente, c.lista);
      EXPECT_EQ(Columna(p, "IMPORTE").mid(0, 2), c.importes);
      EXPECT_EQ(p.TotalFact->text().trimmed(), c.total);
    });
    EXPECT_EQ(Mensajes(), QStringList());
    ui::PuertaModal::LimpiaMensajes();
  }
  // A table that cannot be read changes nothing.
  db::Tabla::Borra(kDatos, "Descuento.DBF");
  Abre("2", [](Pantalla& p) {
    Venta();
    Tipo("Vale");
    Pulsa(Qt::Key_F5);
    EXPECT_EQ(Encabezado(p, "DESFI_F"), "0");
  });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Pagos, ElImporteRecibidoDaElCambioYPagaElDocumentoQueCubre) {
  struct Caso {
    const char* tecleado;
    const char* campo;   // CAMBIO_F after Enter
    const char* cambi;   // CAMBI_F
    const char* cambio;  // SuCambio
    const char* abono;   // ABONO_F
    const char* saldo;   // SALDO_F
  };
  const Caso casos[] = {
      {"1000", "1000.00", "1000", "Cambio    126.50", "873.5", "0"},
      {"500", "500.00", "500", "Cambio   -373.50", "", "873.5"},
      {"500+200", "700.00", "700", "Cambio   -173.50", "", "873.5"},
      {"400*2 + 73.5", "873.50", "873.5", "Cambio      0.00", "873.5", "0"},
      {"", "0.00", "0", "Cambio   -873.50", "", "873.5"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.tecleado);
    Abre("2", [&](Pantalla& p) {
      Venta();
      Pulsa(Qt::Key_F5);
      ASSERT_EQ(Foco(), p.CAMBIO_F);
      Escribe(c.tecleado);
      Pulsa(Qt::Key_Return);
      EXPECT_EQ(Foco(), p.CAMBIO_F);
      EXPECT_EQ(p.CAMBIO_F->text(), c.campo);
      EXPECT_EQ(p.SuCambio->text(), c.cambio);
      EXPECT_EQ(Encabezado(p, "CAMBI_F"), c.cambi);
      EXPECT_EQ(Encabezado(p, "ABONO_F"), c.abono);
      EXPECT_EQ(Encabezado(p, "SALDO_F"), c.saldo);
    });
    EXPECT_EQ(Mensajes(), QStringList());
    ui::PuertaModal::LimpiaMensajes();
  }

  // Letters are no amount, on Enter or on leaving the field: the message,
  // the text selected for correction, nothing paid.
  Abre("2", [](Pantalla& p) {
    Venta();
    Pulsa(Qt::Key_F5);
    Escribe("abc");
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(Foco(), p.CAMBIO_F);
    EXPECT_EQ(p.CAMBIO_F->selectedText(), "abc");
    Pulsa(Qt::Key_F8);
    QCoreApplication::processEvents();
    EXPECT_EQ(p.focusWidget(), p.CAMBIO_F);
    QApplication::setActiveWindow(&p);
    EXPECT_EQ(p.CAMBIO_F->selectedText(), "abc");
    EXPECT_EQ(Encabezado(p, "SALDO_F"), "873.5");
    // Corrected, it is taken.
    Escribe("900");
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(p.SuCambio->text(), "Cambio     26.50");
    EXPECT_EQ(Encabezado(p, "SALDO_F"), "0");
  });
  EXPECT_EQ(Mensajes(), QStringList(2, "Hay un error en el PAGO..."));
}

TEST_F(Pagos, HabilitarPagoEsDelAdministradorYPagosCnfDiceSiSeTecleaElImporte) {
  const QString archivo = fs::Une(kPrograma, "Pagos.cnf");
  Abre("2", [&](Pantalla& p) {
    p.HabilitarPago1->trigger();
    EXPECT_FALSE(p.HabilitarPago1->isChecked());
    EXPECT_FALSE(fs::Existe(archivo));
    EXPECT_FALSE(p.CAMBIO_F->isReadOnly());
    EXPECT_TRUE(p.ImprimiryAsignarCaja1->isEnabled());
  });
  // The administrator marks it: the amount can be typed, as the next screen
  // reads the file; unmarked, it cannot.
  struct Caso {
    const char* linea;
    bool marca;
  };
  for (const Caso& c : {Caso{"S", true}, Caso{"N", false}}) {
    SCOPED_TRACE(c.linea);
    Abre("0", [&](Pantalla& p) {
      p.HabilitarPago1->trigger();
      EXPECT_EQ(fs::LeeLineas(archivo), QStringList{c.linea});
      EXPECT_EQ(p.HabilitarPago1->isChecked(), c.marca);
      EXPECT_EQ(p.CAMBIO_F->isReadOnly(), !c.marca);
    });
    Abre("2", [&](Pantalla& p) {
      EXPECT_EQ(p.HabilitarPago1->isChecked(), c.marca);
      EXPECT_EQ(p.CAMBIO_F->isReadOnly(), !c.marca);
      EXPECT_EQ(p.ImprimiryAsignarCaja1->isEnabled(), c.marca);
    });
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Pagos, LosPagosDivididosCierranSoloConElSaldoEnCeroExacto) {
  AgregaRemision(8, {{"IMTOD_F", "100"}, {"CONTROL", "4321"}});
  AgregaFila("RemisioD.dbf", {{"CLDOC_FD", "8"},
                              {"CONTROL", "4321"},
                              {"CLPRO_FD", "P2"},
                              {"DEPRO_FD", "PRODUCTO P2"},
                              {"CANTI_FD", "1"},
                              {"PUNPR_FD", "100"}});
  EscribeLineas(fs::Une(kDatos, "pagos.cnf"), {"Efectivo", "Tarjeta", "Vales"});
  // Amount, then the type by its place in the list.
  const auto paga = [](QDialog& d, const QString& monto, int tipo) {
    prueba::Reescribe(static_cast<QLineEdit*>(prueba::Componente(d, "EditMonto")), monto);
    d.findChild<QComboBox*>("TipoPago")->setCurrentIndex(tipo);
    prueba::Pulsa(d, "BitBtn1");
  };
  struct Caso {
    const char* nombre;
    std::function<void(QDialog&)> guion;
    QStringList mensajes;
    QList<QStringList> pagos;  // MONTO_F, PAGOX_F, FEDOC_F of the document's rows
  };
  const Caso casos[] = {
      {"60 y 40", [&](QDialog& d) {
         paga(d, "60", 0);
         EXPECT_EQ(prueba::Texto(d, "LabelFalta"), "40.00");
         paga(d, "40", 1);
         EXPECT_EQ(prueba::Texto(d, "LabelTOTAL"), "100.00");
         d.close();
         EXPECT_FALSE(d.isVisible());
       },
       {},
       {{"60", "Efectivo", "05/03/2010"}, {"40", "Tarjeta", "05/03/2010"}}},
      {"60 solo; el saldo completa", [&](QDialog& d) {
         paga(d, "60", 2);
         d.close();
         EXPECT_TRUE(d.isVisible());
         prueba::Pulsa(d, "BitBtn2");
         EXPECT_EQ(prueba::Texto(d, "EditMonto"), "40.00");
         prueba::Pulsa(d, "BitBtn1");
         d.close();
         EXPECT_FALSE(d.isVisible());
       },
       {"No se ha pagado completo el documento"},
       {{"60", "Vales", "05/03/2010"}, {"40", "Vales", "05/03/2010"}}},
      {"60 y 50", [&](QDialog& d) {
         paga(d, "60", 0);
         paga(d, "50", 0);
         EXPECT_EQ(prueba::Texto(d, "LabelFalta"), "-10.00");
         d.close();
         EXPECT_TRUE(d.isVisible());
         auto& pagos = static_cast<TFormaMultiPagos&>(d);
         pagos.Table1->Last();
         pagos.Table1->Delete();
         paga(d, "40", 0);
         d.close();
         EXPECT_FALSE(d.isVisible());
       },
       {"Pago Incorrecto en el documento"},
       {{"60", "Efectivo", "05/03/2010"}, {"40", "Efectivo", "05/03/2010"}}},
      {"montos que no son pagos", [&](QDialog& d) {
         paga(d, "abc", 0);
         paga(d, "-5", 0);
         paga(d, "0", 0);
         d.close();
       },
       {"Un error en el monto..."},
       {}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    db::Tabla::Borra(kDatos, "MultiPagos.dbf");
    CreaTablasEmpresa(db::Carpetas{kDatos, {}, {}, kPrograma});
    // A payment of another document numbered 8 (another control) is not
    // one of these.
    AgregaFila("MultiPagos.dbf", {{"CLDOC_F", "8"}, {"CONTROL", "999"}, {"MONTO_F", "100"}, {"PAGOX_F", "Efectivo"}});
    Abre("2", [&](Pantalla& p) {
      ASSERT_EQ(p.EditCLDOC_F->text(), "8");
      ui::PuertaModal::Espera("TFormaMultiPagos", [&](QDialog& d) {
        EXPECT_EQ(prueba::Texto(d, "LabelMONTO"), "100");
        EXPECT_EQ(d.findChild<QComboBox*>("TipoPago")->count(), 3);
        c.guion(d);
      });
      p.MultiPagos1->trigger();
    });
    QList<QStringList> pagos;
    for (const QStringList& f : Filas("MultiPagos.dbf", {"CLDOC_F", "CONTROL", "MONTO_F", "PAGOX_F", "FEDOC_F"}))
      if (f[1] == "4321") pagos << f.mid(2);
    EXPECT_EQ(pagos, c.pagos);
    EXPECT_EQ(Mensajes(), c.mensajes);
    ui::PuertaModal::LimpiaMensajes();
  }

  // A document not saved yet has no split payments.
  Abre("2", [](Pantalla& p) {
    Pulsa(Qt::Key_F9);
    p.MultiPagos1->trigger();
  });
  EXPECT_EQ(Mensajes(), QStringList{"No se ha guardado el documento..."});
}

TEST_F(Pagos, DescuentosTipoDePagoEscribePagosCnfEnElOrdenDeLaTabla) {
  AgregaFila("Descuento.DBF", {{"TIPOPAGO", "Tarjeta"}});
  AgregaFila("Descuento.DBF", {{"TIPOPAGO", "Efectivo"}, {"DESCUENTO", "3"}});
  Abre("2", [](Pantalla& p) {
    Venta();
    Tipo("Tarjeta");
    ui::PuertaModal::Espera("TFormaDescuentoPago", [](QDialog& d) {
      EXPECT_EQ(d.windowTitle(), "Descuentos Tipo Pago");
      // A row added at the end of the grid by keys.
      for (int i = 0; i < 3; ++i) prueba::Tecla(d, "DBGrid1", Qt::Key_Down);
      Escribe("Vale");
    });
    p.findChild<QAction*>("DescuentosTipodePago1")->trigger();
    // The list is read again when the screen is next shown; the document
    // keeps its type.
    EXPECT_EQ(p.TipoPago->count(), 0);
    EXPECT_EQ(p.TipoPago->currentText(), "Tarjeta");
  });
  EXPECT_EQ(fs::LeeLineas(fs::Une(kDatos, "pagos.cnf")), QStringList({"Tarjeta", "Efectivo", "Vale"}));
  Abre("2", [](Pantalla& p) { EXPECT_EQ(p.TipoPago->count(), 3); });
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Pagos, PagarEnCajaAsignaElTipoElegidoAUnDocumentoSinPago) {
  AgregaRemision(8, {{"STATU_F", "C"}});
  AgregaRemision(9, {{"PAGOX_F", "Efectivo"}});
  AgregaRemision(10, {});
  EscribeLineas(fs::Une(kDatos, "pagos.cnf"), {"Efectivo", "Tarjeta", "Vales"});
  QStringList lista;
  Abre("2", [&](Pantalla& p) {
    // The cancelled and the paid document only say so.
    for (int i = 0; i < 2; ++i) Pulsa(Qt::Key_A, Qt::ControlModifier);
    ASSERT_EQ(p.EditCLDOC_F->text(), "8");
    p.ImprimiryAsignarCaja1->trigger();
    Pulsa(Qt::Key_S, Qt::ControlModifier);
    p.ImprimiryAsignarCaja1->trigger();
    // Cancelled in the picker: nothing.
    Pulsa(Qt::Key_End);
    ui::PuertaModal::Espera("TFormaTipoPago", [](QDialog& d) { prueba::Pulsa(d, "BitBtn2"); });
    p.ImprimiryAsignarCaja1->trigger();
    // The third type chosen by keys.
    ui::PuertaModal::Espera("TFormaTipoPago", [&](QDialog& d) {
      auto* tipos = d.findChild<QListWidget*>("ListaPagos");
      for (int i = 0; i < tipos->count(); ++i) lista << tipos->item(i)->text();
      for (int i = 0; i < 3; ++i) prueba::Tecla(d, "ListaPagos", Qt::Key_Down);
      prueba::Tecla(d, "ListaPagos", Qt::Key_Return);
    });
    p.ImprimiryAsignarCaja1->trigger();
    EXPECT_EQ(p.TipoPago->currentText(), "Vales");
  });
  EXPECT_EQ(lista, QStringList({"Efectivo", "Tarjeta", "Vales"}));
  EXPECT_EQ(Filas("Remision.dbf", {"CLDOC_F", "PAGOX_F"}),
            (QList<QStringList>{{"7", ""}, {"8", ""}, {"9", "Efectivo"}, {"10", "Vales"}}));
  // The type assigned, the document is printed: this company names no
  // ticket format.
  EXPECT_EQ(Mensajes(), QStringList({"El documento esta CANCELADO...", "El documento YA ESTA PAGADO...",
                                     "El Formato C:\\VRL\\consulta\\ No Existe"}));
}
