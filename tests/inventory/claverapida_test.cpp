// Quick product registration: from the main menu, one product after another;
// from a caller with a key already typed, one product saved after the window
// closes; and a price or package that is not a number.

#include "app/Vorlan.h"
#include "inventario_prueba.h"
#include "inventory/ClaveRapida.h"
#include "platform/ui/PuertaModal.h"
#include "shell/Principa.h"
#include "support/Maneja.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

namespace {

using prueba::Pulsa;
using prueba::Tecla;
using prueba::Teclea;

class ClaveRapida : public InventarioPrueba {
 protected:
  // The products of INVENTAR.DBF as "key|description|code|price|package".
  static QStringList Productos() {
    QStringList filas;
    auto t = Abre("INVENTAR.DBF");
    for (t->First(); !t->Eof(); t->Next()) {
      QStringList campos;
      for (const char* c : {"CLPRO_I", "DSCPR_I", "CODIG_I", "PPUBL_I", "UEMPA_I"})
        campos << t->FieldByName(QString::fromLatin1(c)).AsString();
      filas << campos.join(u'|');
    }
    return filas;
  }

  static void AgregaExistente(const QString& clave) {
    auto t = Abre("INVENTAR.DBF");
    AgregaProducto(*t, clave);
  }

  // Types the five boxes as a user goes through them.
  static void Captura(QDialog& d, const QStringList& textos) {
    for (int i = 0; i < textos.size(); ++i) Teclea(d, QStringLiteral("Edit%1").arg(i + 1), textos[i]);
  }

  static QStringList Cajas(const TFormaClaveRapida& f) {
    QStringList textos;
    for (const QLineEdit* e : {f.Edit1, f.Edit2, f.Edit3, f.Edit4, f.Edit5}) textos << e->text();
    return textos;
  }
};

TEST_F(ClaveRapida, DesdeElMenuSeRegistranProductosUnoTrasOtro) {
  AgregaExistente("A1");
  ProgramaVorlan programa;
  programa.Inicia();
  ui::PuertaModal::LimpiaMensajes();

  bool mostrada = false;
  ui::PuertaModal::Espera("TFormaClaveRapida", [&](QDialog& d) {
    mostrada = true;
    auto& f = static_cast<TFormaClaveRapida&>(d);
    EXPECT_EQ(f.windowTitle(), "Captura Rápida de Producto");
    EXPECT_EQ(QApplication::focusWidget(), f.Edit1);
    EXPECT_FALSE(f.BotonNuevo->isHidden());
    EXPECT_FALSE(f.BotonNuevo->isEnabled());

    Captura(d, {"T-100", "Tornillo 1/4\" cabeza hexagonal", "7501", "12.5", "100"});
    Pulsa(d, "BotonGuardar");
    const QStringList guardados = {"A1|Producto A1|||", "T-100|Tornillo 1/4\" cabeza hexagonal|7501|12.5|100"};
    EXPECT_EQ(Productos(), guardados);
    EXPECT_TRUE(f.BotonNuevo->isEnabled());

    // Saved once: "Guardar" is disabled until "Nuevo".
    Pulsa(d, "BotonGuardar");
    Tecla(d, "Edit5", Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(Productos(), guardados);

    Tecla(d, "Edit3", Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Cajas(f), QStringList(5));
    EXPECT_EQ(QApplication::focusWidget(), f.Edit1);
    EXPECT_TRUE(f.BotonGuardar->isEnabled());
    EXPECT_FALSE(f.BotonNuevo->isEnabled());

    // An existing key: said on leaving the box, which keeps the focus.
    Teclea(d, "Edit1", "A1");
    Tecla(d, "Edit1", Qt::Key_Return);
    EXPECT_EQ(Mensajes(), QStringList{kProductoYaRegistrado});
    EXPECT_EQ(QApplication::focusWidget(), f.Edit1);
    Pulsa(d, "BotonGuardar");
    EXPECT_EQ(Productos(), guardados);
  });
  FormaPrincipal()->Item("CapturaRapidadeClaves1")->trigger();
  EXPECT_TRUE(mostrada);
  EXPECT_EQ(FormaClaveRapida(), nullptr);
  // The table was closed with the window: it opens exclusively.
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla("INVENTAR.DBF");
  t.SetExclusive(true);
  EXPECT_NO_THROW(t.Open());
}

TEST_F(ClaveRapida, ConUnaClaveDadaGuardaAlCerrarseSiSeAcepto) {
  struct Caso {
    const char* nombre;
    std::function<void(QDialog&)> guion;
    QStringList productos;
    int tag;
  };
  const Caso casos[] = {
      {"Guardar",
       [](QDialog& d) {
         Captura(d, {"", "Clavo", "", "3", ""});
         Pulsa(d, "BotonGuardar");
         EXPECT_FALSE(d.isVisible());
         EXPECT_EQ(Productos().size(), 1);  // not yet: after the window closes
       },
       {"A1|Producto A1|||", "P9|Clavo||3|"},
       1},
      {"Ctrl+G",
       [](QDialog& d) {
         Captura(d, {"", "Clavo"});
         Tecla(d, "Edit2", Qt::Key_G, Qt::ControlModifier);
         EXPECT_FALSE(d.isVisible());
       },
       {"A1|Producto A1|||", "P9|Clavo|||"},
       1},
      {"Esc",
       [](QDialog& d) {
         Captura(d, {"", "Clavo", "", "3"});
         Tecla(d, "Edit4", Qt::Key_Escape);
         EXPECT_FALSE(d.isVisible());
       },
       {"A1|Producto A1|||"},
       0},
      {"Cancelar",
       [](QDialog& d) {
         Captura(d, {"", "Clavo"});
         Pulsa(d, "BotonCancelar");
       },
       {"A1|Producto A1|||"},
       0},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    CreaTabla(kDatos, "INVENTAR.DBF");
    AgregaExistente("A1");
    TFormaClaveRapida forma;
    ui::PuertaModal::Espera("TFormaClaveRapida", [&](QDialog& d) {
      auto& f = static_cast<TFormaClaveRapida&>(d);
      EXPECT_TRUE(f.BotonNuevo->isHidden());
      EXPECT_EQ(f.Edit1->text(), "P9");
      c.guion(d);
    });
    AltaRapidaProducto(kDatos, "P9");
    EXPECT_EQ(Productos(), c.productos);
    EXPECT_EQ(forma.Tag(), c.tag);
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

// Nothing is written and what was typed stays to be corrected: in repeat
// mode "Guardar" is usable again; for a single product the window comes back.
TEST_F(ClaveRapida, UnPrecioOEmpaqueQueNoEsNumeroNoGuardaNadaYSePuedeCorregir) {
  {
    TFormaClaveRapida forma;
    forma.BotonNuevo->show();
    forma.BotonNuevo->setEnabled(false);
    ui::PuertaModal::Espera("TFormaClaveRapida", [&](QDialog& d) {
      Captura(d, {"R1", "Rondana", "", "2.50", "caja"});
      Pulsa(d, "BotonGuardar");
      EXPECT_EQ(Productos(), QStringList());
      EXPECT_EQ(Cajas(forma), QStringList({"R1", "Rondana", "", "2.50", "caja"}));
      EXPECT_TRUE(forma.BotonGuardar->isEnabled());
      EXPECT_FALSE(forma.BotonNuevo->isEnabled());
      forma.Edit5->clear();
      Teclea(d, "Edit5", "50");
      Pulsa(d, "BotonGuardar");
    });
    AltaRapidaProducto(kDatos, QString());
  }
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].contains("UEMPA_I")) << Mensajes()[0].toStdString();
  EXPECT_EQ(Productos(), QStringList{"R1|Rondana||2.5|50"});

  ui::PuertaModal::LimpiaMensajes();
  TFormaClaveRapida forma;
  ui::PuertaModal::Espera("TFormaClaveRapida", [](QDialog& d) {
    Captura(d, {"", "Arandela", "", "1,5"});
    Pulsa(d, "BotonGuardar");
  });
  ui::PuertaModal::Espera("TFormaClaveRapida", [&](QDialog& d) {
    EXPECT_EQ(Cajas(forma), QStringList({"R2", "Arandela", "", "1,5", ""}));
    EXPECT_EQ(Productos().size(), 1);
    forma.Edit4->clear();
    Teclea(d, "Edit4", "1.5");
    Pulsa(d, "BotonGuardar");
  });
  AltaRapidaProducto(kDatos, "R2");
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].contains("PPUBL_I")) << Mensajes()[0].toStdString();
  EXPECT_EQ(Productos(), QStringList({"R1|Rondana||2.5|50", "R2|Arandela||1.5|"}));
}

}  // namespace
