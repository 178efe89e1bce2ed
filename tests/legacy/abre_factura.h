#pragma once
// The legacy document window made for a user, shown through the modal gate
// (its first activation runs), `mira` run while it is shown, then closed
// and freed. A window that never showed, or checks cut short by an
// exception, fail the test.

#include "legacy/Factu.h"
#include "platform/ui/PuertaModal.h"

#include <gtest/gtest.h>

#include <QString>

#include <exception>
#include <functional>
#include <memory>

inline void AbreVentanaFactura(const QString& usuario, const std::function<void(TFormaFactura&)>& mira) {
  auto ventana = std::make_unique<TFormaFactura>();
  ventana->usuario->setText(usuario);
  bool corrio = false;
  ui::PuertaModal::Espera("TFormaFactura", [mira, &corrio](QDialog& d) {
    auto& f = static_cast<TFormaFactura&>(d);
    try {
      mira(f);
      corrio = true;
    } catch (const std::exception& e) {
      ADD_FAILURE() << "excepción: " << e.what();
    }
    if (f.isVisible()) f.Close();
  });
  ventana->ShowModal();
  EXPECT_TRUE(corrio) << "la ventana no llegó a mostrarse o sus pruebas no terminaron";
}
