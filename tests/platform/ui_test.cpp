#include "platform/Error.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/Forma.h"
#include "platform/ui/PuertaModal.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

namespace {

// A small dialog: a name edit and two buttons. "Aceptar" answers 1 when a
// name was typed and tells the user otherwise; "Falla" raises an error.
class TFormaPrueba : public ui::Forma {
  Q_OBJECT
 public:
  TFormaPrueba() {
    ui::InstanciaDe<TFormaPrueba>() = this;
    auto* capa = new QVBoxLayout(this);
    nombre_ = new QLineEdit(this);
    nombre_->setObjectName("EditNombre");
    auto* aceptar = new QPushButton("&Aceptar", this);
    aceptar->setObjectName("BotonAceptar");
    auto* falla = new QPushButton("Falla", this);
    falla->setObjectName("BotonFalla");
    capa->addWidget(nombre_);
    capa->addWidget(aceptar);
    capa->addWidget(falla);
    ui::Conecta(aceptar, &QPushButton::clicked, this, [this] { BotonAceptarClick(); });
    ui::Conecta(falla, &QPushButton::clicked, this, [] { throw plat::Error("Algo salió mal"); });
  }
  int activaciones = 0;
  int teclasVistas = 0;

 protected:
  void FormActivate() override {
    ++activaciones;
    nombre_->clear();
  }
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers) override {
    ++teclasVistas;
    if (tecla == Qt::Key_F9) tecla = 0;
  }

 private:
  void BotonAceptarClick() {
    if (nombre_->text().isEmpty()) {
      ui::MensajeSimple("Escriba un nombre");
      return;
    }
    SetTag(1);
    Close();
  }
  QLineEdit* nombre_;
};

TFormaPrueba* FormaPrueba() { return ui::InstanciaDe<TFormaPrueba>().data(); }

}  // namespace

using PuertaTest = RaizPrueba;

TEST_F(PuertaTest, UnGuionContestaLaVentanaSinBloquear) {
  auto* forma = new TFormaPrueba;
  forma->SetTag(0);
  ui::PuertaModal::Espera("TFormaPrueba", [](QDialog& d) {
    prueba::Pulsa(d, "BotonAceptar");             // nothing typed: a message, still open
    prueba::Teclea(d, "EditNombre", "Ana");
    prueba::Pulsa(d, "BotonAceptar");
  });
  const int resultado = forma->ShowModal();
  EXPECT_EQ(resultado, ui::mrCancel);
  EXPECT_EQ(forma->Tag(), 1);
  EXPECT_EQ(forma->activaciones, 1);
  EXPECT_FALSE(forma->isVisible());
  EXPECT_EQ(Mensajes(), QStringList{"Escriba un nombre"});
  delete forma;
  EXPECT_EQ(FormaPrueba(), nullptr);
}

TEST_F(PuertaTest, LaExcepcionDeUnManejadorSeMuestraYElProgramaSigue) {
  TFormaPrueba forma;
  ui::PuertaModal::Espera("TFormaPrueba", [](QDialog& d) {
    prueba::Pulsa(d, "BotonFalla");
    prueba::Teclea(d, "EditNombre", "Luis");
    prueba::Pulsa(d, "BotonAceptar");
  });
  forma.ShowModal();
  EXPECT_EQ(Mensajes(), QStringList{"Algo salió mal"});
  EXPECT_EQ(forma.Tag(), 1);
}

TEST_F(PuertaTest, VentanaSinRespuestaSeAnotaYSeCierra) {
  TFormaPrueba forma;
  EXPECT_EQ(forma.ShowModal(), ui::mrCancel);
  EXPECT_EQ(ui::PuertaModal::SinRespuesta(), QStringList{"TFormaPrueba"});
  ui::PuertaModal::Reinicia();
}

TEST_F(PuertaTest, ModalResultTerminaLaVentana) {
  TFormaPrueba forma;
  ui::PuertaModal::Espera("TFormaPrueba", [](QDialog& d) { static_cast<ui::Forma&>(d).SetModalResult(ui::mrOk); });
  EXPECT_EQ(forma.ShowModal(), ui::mrOk);
  EXPECT_FALSE(forma.isVisible());
}

TEST_F(PuertaTest, KeyPreviewVeLasTeclasAntesQueLosControles) {
  TFormaPrueba forma;
  forma.SetKeyPreview(true);
  ui::PuertaModal::Espera("TFormaPrueba", [&](QDialog& d) {
    prueba::Teclea(d, "EditNombre", "ab");
    prueba::Tecla(d, "EditNombre", Qt::Key_F9);
    EXPECT_EQ(prueba::Texto(d, "EditNombre"), "ab");
    // A key the box ignores travels up to the window: seen once all the same.
    prueba::Tecla(d, "EditNombre", Qt::Key_Return);
    forma.SetModalResult(ui::mrOk);
  });
  forma.ShowModal();
  EXPECT_EQ(forma.teclasVistas, 4);
}

TEST_F(PuertaTest, SeTecleanLetrasAcentuadas) {
  TFormaPrueba forma;
  ui::PuertaModal::Espera("TFormaPrueba", [](QDialog& d) {
    prueba::Teclea(d, "EditNombre", "Peña Ramón");
    EXPECT_EQ(prueba::Texto(d, "EditNombre"), "Peña Ramón");
    prueba::Pulsa(d, "BotonAceptar");
  });
  forma.ShowModal();
  EXPECT_EQ(forma.Tag(), 1);
}

TEST_F(PuertaTest, EnterSoloPulsaElBotonConFocoOElPredeterminado) {
  TFormaPrueba forma;
  ui::PuertaModal::Espera("TFormaPrueba", [&](QDialog& d) {
    prueba::Teclea(d, "EditNombre", "Ana");
    prueba::Tecla(d, "EditNombre", Qt::Key_Return);
    EXPECT_EQ(forma.Tag(), 0) << "Enter en la caja no debe pulsar el primer botón";
    prueba::Tecla(d, "BotonAceptar", Qt::Key_Return);
    EXPECT_EQ(forma.Tag(), 1);
  });
  forma.ShowModal();

  TFormaPrueba otra;
  otra.Componente<QPushButton>("BotonAceptar")->setDefault(true);
  ui::PuertaModal::Espera("TFormaPrueba", [&](QDialog& d) {
    prueba::Teclea(d, "EditNombre", "Luis");
    prueba::Tecla(d, "EditNombre", Qt::Key_Return);
  });
  otra.ShowModal();
  EXPECT_EQ(otra.Tag(), 1);
}

// A window whose key handler moves the focus before the key reaches its box:
// to the box's own panel (which then gets the key as it travels up), or away
// from every widget, as a message closing may leave it.
class TFormaFoco : public ui::Forma {
  Q_OBJECT
 public:
  TFormaFoco() {
    auto* capa = new QVBoxLayout(this);
    panel_ = new QWidget(this);
    panel_->setObjectName("Panel");
    panel_->setFocusPolicy(Qt::StrongFocus);
    auto* interior = new QVBoxLayout(panel_);
    auto* caja = new QLineEdit(panel_);
    caja->setObjectName("EditClave");
    interior->addWidget(caja);
    capa->addWidget(panel_);
    SetKeyPreview(true);
  }
  QStringList vistas;

 protected:
  void FormKeyDown(int& tecla, Qt::KeyboardModifiers) override {
    vistas << QKeySequence(tecla).toString();
    if (tecla == Qt::Key_F5) panel_->setFocus();
    if (tecla == Qt::Key_F6 && QApplication::focusWidget()) QApplication::focusWidget()->clearFocus();
  }

 private:
  QWidget* panel_;
};

TEST_F(PuertaTest, UnaTeclaQueMueveElFocoSeVeUnaSolaVez) {
  TFormaFoco forma;
  // The box the key was typed in still runs its own handler, once, though the
  // window's preview took the focus away first; the panel's sees its own key.
  QStringList enCaja, enPanel;
  const auto anota = [](QStringList& lista) {
    return [&lista](int& tecla, Qt::KeyboardModifiers) { lista << QKeySequence(tecla).toString(); };
  };
  ui::Conecta(&ui::Eventos::De(forma.Componente("EditClave")), &ui::Eventos::KeyDown, &forma, anota(enCaja));
  ui::Conecta(&ui::Eventos::De(forma.Componente("Panel")), &ui::Eventos::KeyDown, &forma, anota(enPanel));
  ui::PuertaModal::Espera("TFormaFoco", [&](QDialog& d) {
    prueba::Tecla(d, "EditClave", Qt::Key_F5);
    prueba::Tecla(d, "EditClave", Qt::Key_F6);
    // The next press in the panel the focus went to is a new key.
    prueba::Tecla(d, "Panel", Qt::Key_F7);
    forma.SetModalResult(ui::mrOk);
  });
  forma.ShowModal();
  EXPECT_EQ(forma.vistas, QStringList({"F5", "F6", "F7"}));
  EXPECT_EQ(enCaja, QStringList({"F5", "F6"}));
  EXPECT_EQ(enPanel, QStringList({"F7"}));
}

TEST_F(PuertaTest, UnEnterQueDevuelveElFocoNoSacaALaCajaQueLoTiene) {
  TFormaFoco forma;
  QWidget* caja = forma.Componente("EditClave");
  auto* otra = new QLineEdit(&forma);
  forma.layout()->addWidget(otra);
  // The other box, told first, sends the focus straight back: the box,
  // which never lost it, is told no Exit.
  ui::Conecta(&ui::Eventos::De(otra), &ui::Eventos::Enter, &forma, [caja] { caja->setFocus(); });
  QStringList enCaja;
  ui::Conecta(&ui::Eventos::De(caja), &ui::Eventos::Enter, &forma, [&] { enCaja << "Enter"; });
  ui::Conecta(&ui::Eventos::De(caja), &ui::Eventos::Exit, &forma, [&] { enCaja << "Exit"; });
  ui::PuertaModal::Espera("TFormaFoco", [&](QDialog&) {
    caja->setFocus();
    otra->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), caja);
    forma.SetModalResult(ui::mrOk);
  });
  forma.ShowModal();
  EXPECT_EQ(enCaja, QStringList({"Enter"}));
}

// The program's own modal run (out of test mode): when a dialog the window
// opened is over, that window has the keyboard again, on the box that had
// it, whatever the window system made active meanwhile.
TEST_F(PuertaTest, AlTerminarUnModalLaVentanaQueLoAbrioRecuperaElTeclado) {
  TFormaFoco abre;
  abre.show();
  QApplication::setActiveWindow(&abre);
  QWidget* caja = abre.Componente("EditClave");
  caja->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), caja);
  TFormaPrueba dialogo;
  QWidget otra;
  ui::PuertaModal::ModoPrueba(false);
  // The dialog ends, and meanwhile another window took the activation.
  QTimer::singleShot(0, &dialogo, [&] {
    otra.show();
    QApplication::setActiveWindow(&otra);
    dialogo.SetModalResult(ui::mrOk);
  });
  dialogo.ShowModal();
  ui::PuertaModal::ModoPrueba(true);
  QCoreApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), &abre);
  EXPECT_EQ(QApplication::focusWidget(), caja);
}

#include "ui_test.moc"
