#include "foundation/DatoForm.h"
#include "platform/ui/PuertaModal.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <functional>
#include <memory>

namespace {

// Shows a new input dialog with the given Tag, lets the script act on it and
// returns the dialog (still alive) for the caller to read.
std::unique_ptr<TFormaDato> Pregunta(int tag, const std::function<void(TFormaDato&)>& guion,
                                     bool conMes = false) {
  auto forma = std::make_unique<TFormaDato>();
  forma->SetTag(tag);
  if (conMes) forma->NumeMes->show();
  ui::PuertaModal::Espera("TFormaDato", [&](QDialog& d) { guion(static_cast<TFormaDato&>(d)); });
  forma->ShowModal();
  return forma;
}

}  // namespace

using DatoFormTest = RaizPrueba;

TEST_F(DatoFormTest, ModoNumericoRevisaElTextoDeLaTeclaAnterior) {
  struct Paso { QString tecla; QString texto; QString etiqueta; };
  // Each key checks the text the previous key left, then is applied.
  const Paso pasos[] = {
      {"1", "1", "Número no Válido"},  // the empty text is not a number
      {"2", "12", "Número Válido"},
      {"a", "12a", "Número Válido"},
      {"3", "123", "Número no Válido"},  // "12a" loses its "a" before the 3
      {".", "123.", "Número Válido"},
      {"x", "123.x", "Número Válido"},
  };
  auto forma = Pregunta(1, [&](TFormaDato& d) {
    for (const Paso& p : pasos) {
      prueba::Teclea(d, "EditDato", p.tecla);
      EXPECT_EQ(d.EditDato->text(), p.texto) << p.tecla.toStdString();
      EXPECT_EQ(prueba::Texto(d, "Label2"), p.etiqueta) << p.tecla.toStdString();
    }
    // Backspace also checks first: "123.x" loses the x, then one more goes.
    prueba::Tecla(d, "EditDato", Qt::Key_Backspace);
    EXPECT_EQ(d.EditDato->text(), "123");
    prueba::Pulsa(d, "BitBtn1");
  });
  EXPECT_EQ(forma->EditDato->text(), "123");
  EXPECT_EQ(forma->Tag(), 1);
  EXPECT_FALSE(forma->isVisible());
}

TEST_F(DatoFormTest, FormasDeCerrar) {
  struct Caso {
    const char* nombre;
    int tag;
    bool conMes;
    QString tecleado;
    bool conEnter;  // Enter in the edit instead of "Aceptar"
    QString texto;
    int tagFinal;
  };
  const Caso casos[] = {
      {"Aceptar con número inválido", 1, false, "12a", false, "0", 1},
      {"Aceptar con número válido", 1, false, "12.5", false, "12.5", 1},
      {"Aceptar con edición vacía", 1, false, "", false, "0", 1},
      {"Enter no procesa el número", 1, false, "12a", true, "12a", 1},
      {"modo texto", 0, false, "Caja 3a", false, "Caja 3a", 0},
      {"modo texto con Enter", 7, false, "abc", true, "abc", 7},
      {"mes visible", 1, true, "12a", false, "12a", 100},
      {"mes visible en modo texto", 0, true, "", false, "", 100},
  };
  for (const Caso& c : casos) {
    auto forma = Pregunta(
        c.tag,
        [&](TFormaDato& d) {
          if (!c.tecleado.isEmpty()) prueba::Teclea(d, "EditDato", c.tecleado);
          if (c.conMes) d.NumeMes->setValue(7);
          if (c.conEnter) prueba::Tecla(d, "EditDato", Qt::Key_Return);
          else prueba::Pulsa(d, "BitBtn1");
          EXPECT_FALSE(d.isVisible()) << c.nombre;
        },
        c.conMes);
    EXPECT_EQ(forma->EditDato->text(), c.texto) << c.nombre;
    EXPECT_EQ(forma->Tag(), c.tagFinal) << c.nombre;
    if (c.conMes) {
      EXPECT_EQ(forma->NumeMes->value(), 7) << c.nombre;
    }
  }
}

TEST_F(DatoFormTest, DisenoYTextosDelLlamador) {
  TFormaDato forma;
  EXPECT_EQ(FormaDato(), &forma);
  EXPECT_EQ(forma.windowTitle(), "Inserta un Dato");
  EXPECT_EQ(forma.Label1->text(), "Insertar un dato");
  EXPECT_EQ(forma.BitBtn1->text(), "Aceptar");
  EXPECT_TRUE(forma.NumeMes->isHidden());
  EXPECT_EQ(forma.NumeMes->minimum(), 1);
  EXPECT_EQ(forma.NumeMes->maximum(), 12);
  EXPECT_EQ(forma.NumeMes->geometry(), forma.EditDato->geometry());

  // A caller's own caption, prompt and proposed value; the value comes
  // selected, so typing replaces it.
  forma.setWindowTitle("No de Caja");
  forma.Label1->setText("Caja No. ");
  forma.EditDato->setText("1");
  ui::PuertaModal::Espera("TFormaDato", [](QDialog& d) {
    EXPECT_TRUE(prueba::Componente(d, "EditDato")->hasFocus());
    prueba::Teclea(d, "EditDato", "2");
    prueba::Tecla(d, "EditDato", Qt::Key_Return);
  });
  forma.ShowModal();
  EXPECT_EQ(forma.EditDato->text(), "2");  // the proposed value was selected
  EXPECT_EQ(forma.windowTitle(), "No de Caja");
}
