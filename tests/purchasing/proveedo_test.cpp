// The supplier catalogue driven as a user drives it: from the main menu, new
// suppliers with typed and automatic keys, the key checks of every way a
// supplier is saved, a change made on the copy and written back, deleting,
// and the searches.

#include "app/Vorlan.h"
#include "compras_prueba.h"
#include "foundation/BusNoInd.h"
#include "foundation/buscar.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Colores.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "purchasing/ConsultaCuePagar.h"
#include "purchasing/RegistroProveedor.h"
#include "shell/General.h"
#include "shell/Principa.h"
#include "support/Maneja.h"
#include "support/Proceso.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSet>
#include <QTest>
#include <QToolButton>

namespace {

using prueba::Pulsa;
using prueba::Tecla;
using prueba::Teclea;

class Proveedo : public ComprasPrueba {
 protected:
  static QColor Marco(const TFormaProveedo& v) { return v.Panel2->palette().color(QPalette::Window); }
  static QColor Color(ui::TColor c) { return ui::ColorQt(c, QPalette()); }

  static bool Editando(const TFormaProveedo& v) {
    return v.Caja->isEnabled() && v.BotonGuardar->isEnabled() && Marco(v) == Color(ui::clRed);
  }
  static bool Navegando(const TFormaProveedo& v) {
    return !v.Caja->isEnabled() && !v.BotonGuardar->isEnabled() && v.BotonNuevo->isEnabled() &&
           v.BotonCambios->isEnabled() && v.Navegador->isEnabled() && Marco(v) == Color(ui::clGreen) &&
           ui::Tag(v.BotonNuevo) == 0 && ui::Tag(v.BotonCambios) == 0;
  }

  // Stands the catalogue on the supplier of that key.
  static void EnClave(TFormaProveedo& v, const QString& clave) {
    v.TablaProveedor->SetIndexName(kTagClaveProveedor);
    ASSERT_TRUE(v.TablaProveedor->FindKey({clave})) << clave.toStdString();
  }

  // A new catalogue window on an empty supplier table.
  void EmpiezaDeNuevo() {
    ventana_.reset();
    db::Tabla::Borra(kDatos, "PROVEEDO.DBF");
    CreaTablasEmpresa(db::Carpetas{kDatos, {}, {}, kPrograma});
  }

  // A key column of NUMERIC(10,0), as the configuration window leaves it.
  static void ClavesNumericas() {
    ConvierteClavesCatalogo(kDatos, "proveedo.dbf", "CLAVE_P", "ICLAPRO", true);
  }
};

TEST_F(Proveedo, DesdeElMenuConElDerecho3SeMuestraEnVerdeYSuSaldoLlevaALasCuentasPorPagar) {
  ProgramaVorlan programa;
  programa.Inicia();
  TFormaPrincipal& principal = *FormaPrincipal();
  principal.Show();
  ui::PuertaModal::Espera("TFormaEmpresas", [](QDialog& d) {
    Teclea(d, "Clave", "caja");
    Tecla(d, "Clave", Qt::Key_Return);
  });
  principal.DisparaActivacion();
  ASSERT_EQ(principal.Usuario->text(), "1");
  ui::PuertaModal::LimpiaMensajes();

  // User 1 lacks right 3: the refusal, nothing shown.
  QAction* item = principal.Item("Proveedores2");
  ASSERT_TRUE(item->isEnabled());
  item->trigger();
  EXPECT_EQ(Mensajes(), QStringList{kSinAcceso});
  ASSERT_TRUE(FormaProveedo());
  EXPECT_FALSE(FormaProveedo()->isVisible());

  // User 2 through the toolbar button.
  ui::PuertaModal::LimpiaMensajes();
  principal.Usuario->setText("2");
  principal.BotonProveedo->click();
  TFormaProveedo& v = *FormaProveedo();
  ASSERT_TRUE(v.isVisible());
  v.DisparaActivacion();
  EXPECT_EQ(v.Usuario->text(), "2");
  EXPECT_TRUE(Navegando(v));
  EXPECT_EQ(v.Tag(), 1);
  EXPECT_TRUE(v.TablaProveedor->Active());
  EXPECT_EQ(Mensajes(), QStringList());

  // "Saldo..." is there, and with right 7 opens the payables query.
  ASSERT_FALSE(v.Saldo->isHidden());
  Pulsa(v, "Saldo");
  ASSERT_TRUE(FormaConsultaCuePagar());
  EXPECT_TRUE(FormaConsultaCuePagar()->isVisible());
  EXPECT_EQ(FormaConsultaCuePagar()->Tag(), 1);
  FormaConsultaCuePagar()->Close();
  EXPECT_EQ(Mensajes(), QStringList());

  // User 2 may look but not add.
  Pulsa(v, "BotonNuevo");
  EXPECT_EQ(Mensajes(), QStringList{kSinAcceso});
  EXPECT_TRUE(Navegando(v));
  v.Close();
  EXPECT_FALSE(v.isVisible());
}

// Line 35 "S": the key is proposed and cannot be typed; the next is the
// highest numeric key of the whole table + 1, whatever the column's type.
TEST_F(Proveedo, LaClaveAutomaticaEsLaMayorClaveNumericaMasUno) {
  FijaLinea(ConfConsecutivoProveedores, "S");
  struct Caso {
    const char* nombre;
    bool numerica;
    QStringList claves;
    QString propuesta;
  };
  const Caso casos[] = {
      {"tabla vacía", false, {}, "00001"},
      {"tras la primera", false, {"00001"}, "2"},
      {"más allá de 9999", false, {"9999", "12000", "500"}, "12001"},
      {"claves que no son números", false, {"A7", "15", " 3", "B-20"}, "16"},
      {"numérica vacía", true, {}, "1"},
      {"numérica más allá de 9999", true, {"9999", "12000"}, "12001"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    EmpiezaDeNuevo();
    for (const QString& clave : c.claves) AgregaProveedor(clave, "Proveedor " + clave.trimmed());
    if (c.numerica) ClavesNumericas();

    TFormaProveedo& v = Ventana();
    Pulsa(v, "BotonNuevo");
    EXPECT_TRUE(Editando(v));
    EXPECT_EQ(v.EditCLAVE_P->text(), c.propuesta);
    EXPECT_TRUE(v.EditCLAVE_P->isReadOnly());
    EXPECT_EQ(QApplication::focusWidget(), v.EditCLAVE_P);
    Teclea(v, "EditNOMBR_P", "Nuevo sa");
    Pulsa(v, "BotonGuardar");
    EXPECT_TRUE(Navegando(v));
    EXPECT_TRUE(Proveedores().contains(c.propuesta + "|NUEVO SA")) << Proveedores().join(' ').toStdString();
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

// Guardar, a change of key and the close question's "save" pass the same
// checks: the message, the key focused, nothing stored, the window editing.
// Tab walks the boxes as they stand: across the two columns, then down, so
// what is typed lands in the box the user looks at.
TEST_F(Proveedo, ElTabuladorRecorreLasCajasComoSeVen) {
  TFormaProveedo& v = Ventana();
  Pulsa(v, "BotonNuevo");
  ASSERT_TRUE(Editando(v));
  const QList<QPair<int, int>> casillas = prueba::CasillasTabulador(v.EditCLAVE_P);
  EXPECT_GE(casillas.size(), 14);
  for (qsizetype i = 1; i < casillas.size(); ++i)
    EXPECT_LT(casillas[i - 1], casillas[i]) << "paso " << i << ": fila " << casillas[i].first << ", columna "
                                            << casillas[i].second;
}

TEST_F(Proveedo, ClaveVaciaORepetidaNoSeGuardaPorNingunCamino) {
  struct Caso {
    const char* nombre;
    bool numerica;
    bool cambio;  // a change of P2 (else a new supplier)
    QString clave;
    bool alCerrar;  // saved through the close question
    QString mensaje;
  };
  const Caso casos[] = {
      {"nuevo repetido", false, false, "P1", false, kClaveProveedorExiste},
      {"nuevo vacío", false, false, "", false, kFaltaClaveProveedor},
      {"cambio a la clave de otro", false, true, "P1", false, kClaveProveedorExiste},
      {"cambio a clave vacía", false, true, "", false, kFaltaClaveProveedor},
      {"cerrar guardando un nuevo repetido", false, false, "P1", true, kClaveProveedorExiste},
      {"cerrar guardando un cambio a la clave de otro", false, true, "P1", true, kClaveProveedorExiste},
      {"numérica: 0001 es la clave 1", true, false, "0001", false, kClaveProveedorExiste},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    EmpiezaDeNuevo();
    AgregaProveedor(c.numerica ? "1" : "P1", "UNO");
    AgregaProveedor(c.numerica ? "2" : "P2", "DOS");
    if (c.numerica) ClavesNumericas();
    const QStringList antes = Proveedores();

    TFormaProveedo& v = Ventana();
    ui::PuertaModal::LimpiaMensajes();
    if (c.cambio) {
      EnClave(v, "P2");
      Pulsa(v, "BotonCambios");
      prueba::Reescribe(v.EditCLAVE_P, c.clave);
    } else {
      Pulsa(v, "BotonNuevo");
      Teclea(v, "EditCLAVE_P", c.clave);
      Teclea(v, "EditNOMBR_P", "otro");
    }
    if (c.alCerrar) {
      prueba::RespondeCierre(1);
      v.Close();
      EXPECT_TRUE(v.isVisible());
    } else {
      Pulsa(v, "BotonGuardar");
    }
    EXPECT_EQ(Mensajes(), QStringList{c.mensaje});
    EXPECT_EQ(v.focusWidget(), v.EditCLAVE_P);
    EXPECT_TRUE(Editando(v));
    EXPECT_EQ(Proveedores(), antes);
    EXPECT_EQ(v.EditCLAVE_P->text(), c.clave);

    // Corrected, it saves.
    prueba::Reescribe(v.EditCLAVE_P, c.numerica ? "9" : "P9");
    Pulsa(v, "BotonGuardar");
    EXPECT_TRUE(Navegando(v));
    EXPECT_TRUE(Proveedores().contains(QString(c.numerica ? "9" : "P9") + (c.cambio ? "|DOS" : "|OTRO")));
  }
}

TEST_F(Proveedo, UnCambioSeHaceEnLaCopiaYSeEscribeAlGuardar) {
  AgregaProveedor("P1", "ACEROS DEL NORTE");
  AgregaProveedor("P2", "PAPELERA CENTRAL");
  TFormaProveedo& v = Ventana();
  EnClave(v, "P2");
  Pulsa(v, "BotonCambios");
  EXPECT_TRUE(Editando(v));
  EXPECT_EQ(ui::Tag(v.BotonCambios), 1);
  EXPECT_FALSE(v.EditCLAVE_P->isReadOnly());

  // The copy in the program folder holds the supplier; the boxes change it.
  auto copia = std::make_unique<db::Tabla>();
  copia->SetCarpeta(kPrograma);
  copia->SetNombreTabla("ProvAux.dbf");
  copia->Open();
  ASSERT_EQ(copia->RecordCount(), 1);
  EXPECT_EQ(copia->FieldByName("CLAVE_P").AsString(), "P2");
  copia->Close();
  prueba::Reescribe(v.EditNOMBR_P, "papelera del centro");
  EXPECT_EQ(Proveedores(), (QStringList{"P1|ACEROS DEL NORTE", "P2|PAPELERA CENTRAL"}));
  // The box with the focus is aqua and its two help lines show.
  EXPECT_EQ(v.EditNOMBR_P->palette().color(QPalette::Base), Color(ui::clAqua));
  EXPECT_EQ(v.uno->text(), "Nombre o razón social del proveedor.");
  EXPECT_EQ(v.dos->text(), "Se escribe en mayúsculas.");

  // Closing asks; "Cancelar" keeps the change on screen, still editing.
  prueba::RespondeCierre(3);
  v.Close();
  EXPECT_TRUE(v.isVisible());
  EXPECT_TRUE(Editando(v));
  EXPECT_EQ(v.EditNOMBR_P->text(), "PAPELERA DEL CENTRO");

  // Meanwhile another station raises the supplier's balance: the save
  // writes only what was typed and keeps it.
  {
    db::Tabla t;
    t.SetCarpeta(kDatos);
    t.SetNombreTabla("PROVEEDO.DBF");
    t.SetIndexName("ICLAPRO");
    t.Open();
    ASSERT_TRUE(t.FindKey({"P2"}));
    t.Edit();
    t.FieldByName("SALDO_P").SetAsFloat(150);
    t.Post();
  }
  Pulsa(v, "BotonGuardar");
  EXPECT_TRUE(Navegando(v));
  EXPECT_EQ(Proveedores(), (QStringList{"P1|ACEROS DEL NORTE", "P2|PAPELERA DEL CENTRO"}));
  EXPECT_EQ(v.TablaProveedor->FieldByName("SALDO_P").AsFloat(), 150);
  copia->Open();
  EXPECT_EQ(copia->RecordCount(), 0);
  const QStringList borrados = fs::LeeLineas(fs::Une(kPrograma, "borrados.dat"));
  ASSERT_EQ(borrados.size(), 1);
  EXPECT_TRUE(borrados[0].startsWith("ProvAux.dbf,")) << borrados[0].toStdString();
  EXPECT_TRUE(borrados[0].contains(",CLAVE_P,P2,NOMBR_P,PAPELERA DEL CENTRO,")) << borrados[0].toStdString();
  // The window shows the table again.
  EXPECT_EQ(v.Fuente->DataSet(), v.TablaProveedor);
  EXPECT_EQ(v.EditNOMBR_P->text(), "PAPELERA DEL CENTRO");
  EXPECT_EQ(Mensajes(), QStringList());
}

// Another station holds the supplier's row: the change shows why it was not
// saved and stays in the copy and on screen, to be saved once the row is free.
RUTINA_HIJA(SostieneProveedor) {
  db::Tabla t;
  t.SetCarpeta(argumentos.value(0));
  t.SetNombreTabla("PROVEEDO.DBF");
  t.SetIndexName("ICLAPRO");
  t.Open();
  if (!t.FindKey({argumentos.value(1)})) return 1;
  t.Edit();
  prueba::AvisaPadre("EDITANDO");
  prueba::EsperaPadre();
  t.Cancel();
  prueba::AvisaPadre("LIBRE");
  prueba::EsperaPadre();
  return 0;
}

TEST_F(Proveedo, UnCambioQueNoSePuedeEscribirNoSePierde) {
  AgregaProveedor("P1", "ACEROS DEL NORTE");
  TFormaProveedo& v = Ventana();
  Pulsa(v, "BotonCambios");
  prueba::Reescribe(v.EditSTATU_P, "81 8340 1200");

  prueba::ProcesoHijo otra("SostieneProveedor", {kDatos, "P1"});
  ASSERT_EQ(otra.EsperaLinea(), "EDITANDO");
  Pulsa(v, "BotonGuardar");
  EXPECT_EQ(Mensajes(), QStringList{"El proveedor P1 está en uso en otra estación"});
  EXPECT_TRUE(Editando(v));
  EXPECT_EQ(v.EditSTATU_P->text(), "81 8340 1200");
  auto copia = std::make_unique<db::Tabla>();
  copia->SetCarpeta(kPrograma);
  copia->SetNombreTabla("ProvAux.dbf");
  copia->Open();
  EXPECT_EQ(copia->FieldByName("TELEF_P").AsString(), "81 8340 1200");
  copia->Close();

  otra.Envia("");
  ASSERT_EQ(otra.EsperaLinea(), "LIBRE");
  Pulsa(v, "BotonGuardar");
  EXPECT_TRUE(Navegando(v));
  auto t = Abre("PROVEEDO.DBF");
  EXPECT_EQ(t->FieldByName("TELEF_P").AsString(), "81 8340 1200");
  otra.Envia("");
  EXPECT_EQ(otra.Espera(), 0);
}

TEST_F(Proveedo, CerrarConGuardarODescartarVuelveANavegar) {
  AgregaProveedor("P1", "ACEROS DEL NORTE");
  struct Caso {
    const char* nombre;
    bool cambio;
    int respuesta;
    QStringList proveedores;
  };
  const Caso casos[] = {
      {"nuevo guardado", false, 1, {"P1|ACEROS DEL NORTE", "P5|FERRETERIA"}},
      {"nuevo descartado", false, 2, {"P1|ACEROS DEL NORTE", "P5|FERRETERIA"}},
      {"cambio guardado", true, 1, {"P1|ACEROS", "P5|FERRETERIA"}},
      {"cambio descartado", true, 2, {"P1|ACEROS", "P5|FERRETERIA"}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    TFormaProveedo& v = Ventana();
    if (c.cambio) {
      EnClave(v, "P1");
      Pulsa(v, "BotonCambios");
      prueba::Reescribe(v.EditNOMBR_P, c.respuesta == 1 ? "aceros" : "otro nombre");
    } else {
      Pulsa(v, "BotonNuevo");
      Teclea(v, "EditCLAVE_P", c.respuesta == 1 ? "P5" : "P6");
      Teclea(v, "EditNOMBR_P", "ferreteria");
    }
    prueba::RespondeCierre(c.respuesta);
    v.Close();
    EXPECT_FALSE(v.isVisible());
    EXPECT_TRUE(Navegando(v));
    EXPECT_EQ(Proveedores(), c.proveedores);
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

// F2 in the seller box: the seller lookup's answer replaces the box, a
// refused lookup empties it.
TEST_F(Proveedo, F2EnElVendedorTraeLaClaveDeLaConsulta) {
  AgregaProveedor("P1", "ACEROS");
  {
    auto t = Abre("VENDEDOR.DBF");
    for (const char* clave : {"01", "02", "03"}) {
      t->Append();
      t->FieldByName("CLVEN_V").SetAsString(clave);
      t->Post();
    }
  }
  TFormaProveedo& v = Ventana();
  Pulsa(v, "BotonCambios");
  for (const auto& [tecla, clave] : {std::pair{Qt::Key_Return, "02"}, std::pair{Qt::Key_Escape, ""}}) {
    ui::PuertaModal::Espera("TFormaConVendedores", [tecla](QDialog& d) {
      Tecla(d, "DBGrid1", Qt::Key_Down);
      Tecla(d, "DBGrid1", tecla);
    });
    Tecla(v, "EditCLVEN_P", Qt::Key_F2);
    EXPECT_EQ(v.EditCLVEN_P->text(), clave);
  }
  prueba::Reescribe(v.EditCLVEN_P, "03");
  Pulsa(v, "BotonGuardar");
  TRegistroProveedor p;
  p.Lee(*Abre("PROVEEDO.DBF"));
  EXPECT_EQ(p.CLVEN_P, "03");
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(Proveedo, SoloSeEliminaUnProveedorSinSaldoYConfirmado) {
  struct Caso {
    const char* nombre;
    double saldo;
    bool si;
    QStringList mensajes;
    bool queda;
  };
  const Caso casos[] = {
      {"saldo 0.001", 0.001, true, {kProveedorConSaldo}, true},
      {"saldo negativo", -5, true, {kProveedorConSaldo}, true},
      {"saldo 0, No", 0, false, {}, true},
      {"saldo 0, Si", 0, true, {}, false},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    EmpiezaDeNuevo();
    AgregaProveedor("P1", "ACEROS");
    AgregaProveedor("P2", "PAPELERA", c.saldo);
    TFormaProveedo& v = Ventana();
    EnClave(v, "P2");
    ui::PuertaModal::LimpiaMensajes();
    ui::PuertaModal::Espera("TFormaAdvertencia", [&c](QDialog& d) {
      EXPECT_EQ(prueba::Texto(d, "Label1"), kEliminarRegistro);
      Pulsa(d, c.si ? "BitBtn1" : "BitBtn2");
    });
    v.Eliminar1->trigger();
    EXPECT_EQ(Mensajes(), c.mensajes);
    EXPECT_EQ(Proveedores().contains("P2|PAPELERA"), c.queda);
    EXPECT_TRUE(Proveedores().contains("P1|ACEROS"));
  }
  EXPECT_FALSE(fs::Existe(fs::Une(kPrograma, "borrados.dat")));
}

TEST_F(Proveedo, CancelaMovimientoAbandonaElNuevo) {
  AgregaProveedor("P1", "ACEROS");
  TFormaProveedo& v = Ventana();
  Pulsa(v, "BotonNuevo");
  EXPECT_TRUE(v.CancelaMovimiento1->isEnabled());
  EXPECT_FALSE(v.DBGrid1->isEnabled());
  Teclea(v, "EditCLAVE_P", "P7");
  v.CancelaMovimiento1->trigger();
  EXPECT_TRUE(Navegando(v));
  EXPECT_EQ(Proveedores(), QStringList{"P1|ACEROS"});
  const QStringList borrados = fs::LeeLineas(fs::Une(kPrograma, "borrados.dat"));
  ASSERT_EQ(borrados.size(), 1);
  EXPECT_TRUE(borrados[0].contains(",CLAVE_P,P7,")) << borrados[0].toStdString();
}

TEST_F(Proveedo, BusquedasRapidaYNoIndexada) {
  for (const auto& [clave, nombre] : {std::pair{"P1", "ZAPATOS"}, std::pair{"P2", "ACEROS"},
                                      std::pair{"P3", "MADERAS"}, std::pair{"P4", "BARNICES"}})
    AgregaProveedor(clave, nombre);
  TFormaProveedo& v = Ventana();
  struct Caso {
    const char* nombre;
    bool porClave;
    QString texto;
    QString titulo;
    QString clave;
  };
  const Caso casos[] = {
      {"nombre más cercano", false, "CA", "Proveedores Ordenado por Nombre", "P3"},
      {"nombre exacto", false, "ZAPATOS", "Proveedores Ordenado por Nombre", "P1"},
      {"clave", true, "P2", "Proveedores Ordenado por Clave", "P2"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    ui::PuertaModal::Espera("TFormaBusqueda", [&c](QDialog& d) {
      auto& b = static_cast<TFormaBusqueda&>(d);
      if (!c.porClave) b.Nombre->click();
      Teclea(d, "CajaBuscar", c.texto);
      Pulsa(d, "BotonAceptar");
    });
    Pulsa(v, "BotonBuscar");
    EXPECT_EQ(v.windowTitle(), c.titulo);
    EXPECT_EQ(v.EditCLAVE_P->text(), c.clave);
  }
  // Page Down and Page Up walk the current order.
  Tecla(v, "EditNOMBR_P", Qt::Key_PageDown);
  EXPECT_EQ(v.EditCLAVE_P->text(), "P3");
  Tecla(v, "EditNOMBR_P", Qt::Key_PageUp);
  Tecla(v, "EditNOMBR_P", Qt::Key_PageUp);
  EXPECT_EQ(v.EditCLAVE_P->text(), "P1");

  // Field by field, from the first supplier in the current order.
  struct Secuencial {
    QString campo;
    QString valor;
    QString clave;  // "" : not found
  };
  for (const Secuencial& s : {Secuencial{"Nombre del Proveedor", "MAD", "P3"},
                              Secuencial{"Nombre del Proveedor", "mad", ""},
                              Secuencial{"Clave del Proveedor", "P9", ""}}) {
    ui::PuertaModal::LimpiaMensajes();
    EnClave(v, "P1");
    ui::PuertaModal::Espera("TFormaBusquedaNoIndexada", [&s](QDialog& d) {
      auto& b = static_cast<TFormaBusquedaNoIndexada&>(d);
      b.Campo1->setCurrentText(s.campo);
      Teclea(d, "Valor", s.valor);
      Pulsa(d, "BotonBuscar");
    });
    v.BusquedaNoIndexada1->trigger();
    EXPECT_EQ(Mensajes(), s.clave.isEmpty() ? QStringList{kNoSeEncuentra} : QStringList());
    EXPECT_EQ(v.EditCLAVE_P->text(), s.clave.isEmpty() ? "P1" : s.clave);
  }
}

// Two stations add suppliers with automatic keys at once: every supplier is
// saved, each with a key of its own.
RUTINA_HIJA(AgregaProveedores) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char nombre[] = "estacion";
  char* argv[] = {nombre, nullptr};
  ui::Aplicacion aplicacion(argc, argv);
  ui::PuertaModal::ModoPrueba(true);
  QString programa;
  CarpetaLocal(programa);
  TFormaProveedo v;
  v.Show();
  QApplication::setActiveWindow(&v);
  v.DisparaActivacion();
  prueba::AvisaPadre("LISTO");
  prueba::EsperaPadre();
  const int cuantos = argumentos.value(1).toInt();
  for (int i = 0; i < cuantos; ++i) {
    v.BotonNuevo->click();
    v.TablaProveedor->FieldByName("NOMBR_P").SetAsString(argumentos.value(0) + QString::number(i));
    v.BotonGuardar->click();
    if (ui::Tag(v.BotonNuevo) != 0) return 2;
  }
  prueba::AvisaPadre("TERMINADO");
  return 0;
}

TEST_F(Proveedo, DosEstacionesAgreganConClavesAutomaticasSinRepetir) {
  FijaLinea(ConfConsecutivoProveedores, "S");
  constexpr int kPorEstacion = 50;
  prueba::ProcesoHijo una("AgregaProveedores", {"UNA", QString::number(kPorEstacion)});
  prueba::ProcesoHijo otra("AgregaProveedores", {"OTRA", QString::number(kPorEstacion)});
  ASSERT_EQ(una.EsperaLinea(), "LISTO");
  ASSERT_EQ(otra.EsperaLinea(), "LISTO");
  una.Envia("");
  otra.Envia("");
  EXPECT_EQ(una.EsperaLinea(60000), "TERMINADO");
  EXPECT_EQ(otra.EsperaLinea(60000), "TERMINADO");
  EXPECT_EQ(una.Espera(), 0);
  EXPECT_EQ(otra.Espera(), 0);

  const QStringList filas = Proveedores();
  EXPECT_EQ(filas.size(), 2 * kPorEstacion);
  QSet<QString> claves;
  for (const QString& f : filas) claves.insert(f.section(u'|', 0, 0));
  EXPECT_EQ(claves.size(), 2 * kPorEstacion);
}

}  // namespace
