#include "foundation/adminis.h"
#include "foundation/advierte.h"
#include "foundation/cerrar.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/PuertaModal.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QtEndian>

#include <functional>

namespace {

using Accion = std::function<void(QDialog&)>;

// Geometry of a message box as shown, checked against its text's width.
void RevisaCaja(QDialog& d, const QString& texto) {
  auto& caja = static_cast<TDialogo&>(d);
  EXPECT_EQ(caja.Mens->text(), texto);
  const int ancho = caja.Mens->width() + 38;
  EXPECT_EQ(caja.width(), ancho);
  EXPECT_EQ(caja.height(), 142);
  EXPECT_EQ(caja.BotonAceptar->x(), ancho / 2 - 33);
  EXPECT_EQ(caja.Cuadrito->width(), ancho - 15);
  EXPECT_EQ(caja.Panel3->width(), ancho - 6);
  EXPECT_EQ(caja.Panel4->x(), ancho - 25);
  for (QFrame* raya : {caja.Raya1, caja.Raya2, caja.Raya3}) EXPECT_EQ(raya->width(), ancho - 6 - 49);
  EXPECT_EQ(caja.Titulo->x(), (ancho - 6) / 2 - 26);
  EXPECT_EQ(caja.windowTitle(), "Mensaje");
}

}  // namespace

using DialogosTest = RaizPrueba;

TEST_F(DialogosTest, LaCajaSeAjustaAlTexto) {
  struct Caso { QString texto; QString mostrado; };
  const Caso casos[] = {
      {"Hola", "Hola         "},
      {"1234567890", "1234567890"},
      {"123456789", "123456789         "},
      {"", "         "},
      {"El Archivo C:\\VRL\\DATOS\\Folios.dbs No Existe, revise la ruta de la base de datos",
       "El Archivo C:\\VRL\\DATOS\\Folios.dbs No Existe, revise la ruta de la base de datos"},
  };
  for (const Caso& c : casos) {
    ui::PuertaModal::LimpiaMensajes();
    int ancho = 0;
    ui::PuertaModal::Espera("TDialogo", [&](QDialog& d) {
      RevisaCaja(d, c.mostrado);
      ancho = d.width();
      prueba::Pulsa(d, "BotonAceptar");
    });
    MuestraMensaje(c.texto);
    EXPECT_EQ(Mensajes(), QStringList{c.mostrado});
    if (c.texto.size() > 40) {
      EXPECT_GT(ancho, 313);
    }
  }
  EXPECT_EQ(Dialogo(), nullptr);  // freed after each call
}

TEST_F(DialogosTest, FormasDeCerrarLaCaja) {
  struct Caso { const char* nombre; Accion accion; };
  const Caso casos[] = {
      {"Esc", [](QDialog& d) { prueba::Tecla(d, "", Qt::Key_Escape); }},
      {"Esc en el botón", [](QDialog& d) { prueba::Tecla(d, "BotonAceptar", Qt::Key_Escape); }},
      {"Enter en el botón", [](QDialog& d) { prueba::Tecla(d, "BotonAceptar", Qt::Key_Return); }},
      {"botón", [](QDialog& d) { prueba::Pulsa(d, "BotonAceptar"); }},
      {"cuadro de cierre", [](QDialog& d) { QTest::mouseClick(prueba::Componente(d, "Panel4"), Qt::LeftButton); }},
  };
  for (const Caso& c : casos) {
    bool cerrada = false;
    ui::PuertaModal::Espera("TDialogo", [&](QDialog& d) {
      EXPECT_TRUE(d.isVisible());
      c.accion(d);
      cerrada = !d.isVisible();
    });
    MuestraMensaje("Hola");
    EXPECT_TRUE(cerrada) << c.nombre;
  }
  // Nobody answers: the box only informs, so the gate closes it.
  MuestraMensaje("Sin respuesta");
  EXPECT_EQ(Mensajes().last(), "Sin respuesta");
}

TEST_F(DialogosTest, LasVentanasSinBordeSeArrastranPorSuTitulo) {
  struct Caso { const char* clase; const char* asa; };
  for (const Caso& c : {Caso{"TDialogo", "Label2"}, Caso{"TDialogo", "Panel3"}, Caso{"TFormaCerrar", "Label3"}, Caso{"TFormaCerrar", "Panel1"}}) {
    auto arrastra = [&](QDialog& d) {
      QWidget* asa = prueba::Componente(d, c.asa);
      const QPoint antes = d.pos();
      QTest::mousePress(asa, Qt::LeftButton, {}, QPoint(30, 5));
      QTest::mouseMove(asa, QPoint(80, 25));
      QTest::mouseRelease(asa, Qt::LeftButton, {}, QPoint(80, 25));
      EXPECT_EQ(d.pos() - antes, QPoint(50, 20)) << c.clase << " " << c.asa;
      EXPECT_TRUE(d.isVisible());
      prueba::Pulsa(d, QString(c.clase) == "TDialogo" ? "BotonAceptar" : "BitBtn1");
    };
    ui::PuertaModal::Espera(c.clase, arrastra);
    if (QString(c.clase) == "TDialogo") {
      MuestraMensaje("Arrastre");
    } else {
      TFormaCerrar forma;
      forma.ShowModal();
    }
  }
}

TEST_F(DialogosTest, ConfirmacionSiNoYCaptura) {
  struct Caso {
    const char* nombre;
    bool conCaptura;
    Accion accion;
    int tag;
  };
  const Caso casos[] = {
      {"Si", false, [](QDialog& d) { prueba::Pulsa(d, "BitBtn1"); }, 1},
      {"No", false, [](QDialog& d) { prueba::Pulsa(d, "BitBtn2"); }, 0},
      {"botón de captura", true, [](QDialog& d) { prueba::Pulsa(d, "BotonCaptura"); }, 2},
      {"F9 con captura", true, [](QDialog& d) { prueba::Tecla(d, "BitBtn1", Qt::Key_F9); }, 2},
      {"F9 sin captura", false, [](QDialog& d) { prueba::Tecla(d, "BitBtn1", Qt::Key_F9); }, -1},
  };
  for (const Caso& c : casos) {
    TFormaAdvertencia forma;
    forma.Label1->setText("¿ Desea Continuar ?");
    if (c.conCaptura) forma.BotonCaptura->show();
    forma.SetTag(-1);
    bool abierta = true;
    ui::PuertaModal::Espera("TFormaAdvertencia", [&](QDialog& d) {
      EXPECT_EQ(d.windowTitle(), "Advertencia !!!");
      c.accion(d);
      abierta = d.isVisible();
    });
    forma.ShowModal();
    EXPECT_EQ(forma.Tag(), c.tag) << c.nombre;
    EXPECT_EQ(abierta, c.tag == -1) << c.nombre;  // F9 without the button does nothing
  }
}

TEST_F(DialogosTest, ConfirmacionTomaElAnchoDeSuTexto) {
  struct Caso { int anchoTexto; int anchoVentana; };
  for (const Caso& c : {Caso{465, 495}, Caso{570, 600}}) {
    TFormaAdvertencia forma;
    forma.Label1->setText("Recuerde que el siguente Proceso es muy DELICADO Desea Continuar?...");
    forma.Label1->resize(c.anchoTexto, forma.Label1->height());
    forma.BotonCaptura->show();
    ui::PuertaModal::Espera("TFormaAdvertencia", [&](QDialog& d) {
      EXPECT_EQ(forma.Label1->x(), 15);
      EXPECT_EQ(d.width(), c.anchoVentana);
      EXPECT_GE(d.height(), 92);
      // Every button sits below the question and inside the window.
      for (QPushButton* b : {forma.BitBtn1, forma.BitBtn2, forma.BotonCaptura}) {
        EXPECT_GT(b->y(), forma.Label1->geometry().bottom());
        EXPECT_TRUE(d.rect().contains(b->geometry())) << b->objectName().toStdString();
      }
      prueba::Pulsa(d, "BitBtn2");
    });
    forma.ShowModal();
  }

  // Shown without waiting as a notice, and closed by its caller.
  TFormaAdvertencia aviso;
  aviso.Label1->setText("Espere un momento por Favor...");
  aviso.Show();
  aviso.repaint();
  EXPECT_TRUE(aviso.isVisible());
  aviso.Close();
  EXPECT_FALSE(aviso.isVisible());
}

TEST_F(DialogosTest, GuardarCambios) {
  struct Caso { const char* nombre; Accion accion; int tag; };
  const Caso casos[] = {
      {"Si", [](QDialog& d) { prueba::Pulsa(d, "BitBtn1"); }, 1},
      {"No", [](QDialog& d) { prueba::Pulsa(d, "BitBtn3"); }, 2},
      {"Cancelar", [](QDialog& d) { prueba::Pulsa(d, "BitBtn2"); }, 3},
      {"cuadro de cierre", [](QDialog& d) { QTest::mouseClick(prueba::Componente(d, "Panel2"), Qt::LeftButton); }, 9},
  };
  for (const Caso& c : casos) {
    TFormaCerrar forma;
    forma.SetTag(9);
    bool cerrada = false;
    ui::PuertaModal::Espera("TFormaCerrar", [&](QDialog& d) {
      EXPECT_EQ(d.size(), QSize(396, 98));
      EXPECT_EQ(d.windowTitle(), "Cerrar");
      EXPECT_EQ(prueba::Texto(d, "Label1"), "¿ Desea guardar los datos introducidos al sistema ?");
      c.accion(d);
      cerrada = !d.isVisible();
    });
    forma.ShowModal();
    EXPECT_TRUE(cerrada) << c.nombre;
    EXPECT_EQ(forma.Tag(), c.tag) << c.nombre;
  }
}

namespace {

// Users file with the administrator's password `clave` and one more user.
QByteArray ArchivoConAdministrador(const QByteArray& clave) {
  QByteArray bytes;
  for (const auto& [numero, contrasena] : {std::pair<int, QByteArray>{0, clave}, {1, "cajero"}}) {
    QByteArray r(140, '\0');
    qToLittleEndian<qint32>(numero, r.data());
    r[68] = static_cast<char>(contrasena.size());
    r.replace(69, contrasena.size(), contrasena);
    r[79] = 60;
    r.replace(80, 60, QByteArray(60, 's'));
    bytes += r;
  }
  return bytes;
}

class AdministradorTest : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    QString carpeta;
    CarpetaLocal(carpeta);
  }
};

}  // namespace

TEST_F(AdministradorTest, ClaveDelAdministrador) {
  EscribeBytes("C:\\VRL\\usuarios.def", ArchivoConAdministrador("jefe"));
  struct Caso { const char* nombre; Accion accion; int tag; };
  const Caso casos[] = {
      {"Aceptar", [](QDialog& d) { prueba::Teclea(d, "Clave", "jefe"); prueba::Pulsa(d, "BitBtn1"); }, 1},
      {"Enter", [](QDialog& d) { prueba::Teclea(d, "Clave", "jefe"); prueba::Tecla(d, "Clave", Qt::Key_Return); }, 1},
      {"otra clave", [](QDialog& d) { prueba::Teclea(d, "Clave", "cajero"); prueba::Pulsa(d, "BitBtn1"); }, 0},
      {"mayúsculas", [](QDialog& d) { prueba::Teclea(d, "Clave", "JEFE"); prueba::Tecla(d, "Clave", Qt::Key_Enter); }, 0},
      {"vacía", [](QDialog& d) { prueba::Pulsa(d, "BitBtn1"); }, 0},
      {"Cancelar", [](QDialog& d) { prueba::Teclea(d, "Clave", "jefe"); prueba::Pulsa(d, "BitBtn2"); }, 2},
  };
  for (const Caso& c : casos) {
    TFormaAdministrador forma;
    forma.Clave->setText("de antes");  // each activation starts empty
    forma.SetTag(-1);
    bool cerrada = false;
    QString tecleado;
    ui::PuertaModal::Espera("TFormaAdministrador", [&](QDialog& d) {
      EXPECT_EQ(d.windowTitle(), "Clave de Acceso");
      EXPECT_EQ(forma.Clave->echoMode(), QLineEdit::Password);
      c.accion(d);
      cerrada = !d.isVisible();
    });
    forma.ShowModal();
    EXPECT_TRUE(cerrada) << c.nombre;
    EXPECT_EQ(forma.Tag(), c.tag) << c.nombre;
  }
  // Callers that test a user's right read the typed text afterwards.
  TFormaAdministrador forma;
  ui::PuertaModal::Espera("TFormaAdministrador", [](QDialog& d) {
    prueba::Teclea(d, "Clave", "cajero");
    prueba::Pulsa(d, "BitBtn1");
  });
  forma.ShowModal();
  EXPECT_EQ(forma.Clave->text(), "cajero");
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(AdministradorTest, ArchivoDeUsuariosVacioOFaltante) {
  struct Caso { const char* nombre; std::optional<QByteArray> archivo; QString clave; int tag; QStringList mensajes; };
  const Caso casos[] = {
      {"clave vacía del administrador", ArchivoConAdministrador(""), "", 1, {}},
      {"archivo vacío", QByteArray(), "", 0, {}},
      {"sin archivo", std::nullopt, "jefe", 0, {"El Archivo de Usuarios No Existe "}},
  };
  for (const Caso& c : casos) {
    ui::PuertaModal::LimpiaMensajes();
    if (c.archivo) EscribeBytes("C:\\VRL\\usuarios.def", *c.archivo);
    else fs::BorraArchivo("C:\\VRL\\usuarios.def");
    TFormaAdministrador forma;
    ui::PuertaModal::Espera("TFormaAdministrador", [&](QDialog& d) {
      prueba::Teclea(d, "Clave", c.clave);
      prueba::Tecla(d, "Clave", Qt::Key_Return);
    });
    forma.ShowModal();
    EXPECT_EQ(forma.Tag(), c.tag) << c.nombre;
    EXPECT_EQ(Mensajes(), c.mensajes) << c.nombre;
  }
}
