// The costing method picker answers the choice checked when it closes, and
// closes by every way a user has.

#include "inventory/Tipinve.h"
#include "platform/ui/PuertaModal.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"

#include <QRadioButton>

#include <functional>

namespace {

using prueba::Pulsa;
using prueba::Tecla;

class TipoCosto : public RaizPrueba {};

TEST_F(TipoCosto, ElSelectorDeCostoContestaLaOpcionMarcadaAlCerrarse) {
  struct Caso {
    const char* nombre;
    std::function<void(QDialog&)> guion;
    const char* tipo;
  };
  const Caso casos[] = {
      {"sin tocar", [](QDialog& d) { d.close(); }, "PROM"},
      {"Enter en UEPS",
       [](QDialog& d) {
         Pulsa(d, "RadioButton2");
         Tecla(d, "RadioButton2", Qt::Key_Return);
       },
       "UEPS"},
      {"Aceptar", [](QDialog& d) {
         Pulsa(d, "RadioButton1");
         Pulsa(d, "Aceptar");
       },
       "PEPS"},
      {"Enter en Aceptar",
       [](QDialog& d) {
         Pulsa(d, "RadioButton2");
         Tecla(d, "Aceptar", Qt::Key_Return);
       },
       "UEPS"},
      {"doble clic en PEPS", [](QDialog& d) { prueba::DobleClic(prueba::Componente(d, "RadioButton1"), QPoint(8, 10)); }, "PEPS"},
      {"doble clic en la ventana", [](QDialog& d) { prueba::DobleClic(&d, QPoint(5, 140)); }, "PROM"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    bool abierta = true;
    ui::PuertaModal::Espera("TFormaTipoInventario", [&](QDialog& d) {
      EXPECT_EQ(d.windowTitle(), "Control");
      c.guion(d);
      abierta = d.isVisible();
    });
    QString tipo = "nada";
    EligeTipoCosto(tipo);
    EXPECT_EQ(tipo, c.tipo);
    EXPECT_FALSE(abierta);
    EXPECT_EQ(FormaTipoInventario(), nullptr);
  }
}

}  // namespace
