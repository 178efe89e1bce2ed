#pragma once
// The error an operation throws, for tests that check kind and message.

#include "platform/Error.h"

#include <QString>
#include <gtest/gtest.h>

#include <functional>
#include <utility>

// Runs fn and returns the kind and message of the plat::Error it throws; a
// test failure when it throws nothing.
inline std::pair<plat::Clase, QString> ErrorDe(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const plat::Error& e) {
    return {e.clase(), e.mensaje()};
  }
  ADD_FAILURE() << "no se lanzó ningún error";
  return {plat::Clase::General, {}};
}
