// Another station for the Paradox table tests: opens a table shared or
// exclusive, says "listo" and keeps it open until its input ends.
//   paradox_tenedor <ruta> compartido|exclusivo

#include "platform/Error.h"
#include "platform/db/paradox/ParadoxArchivo.h"

#include <iostream>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const auto uso = std::string(argv[2]) == "exclusivo" ? db::ParadoxArchivo::Uso::Exclusivo
                                                       : db::ParadoxArchivo::Uso::Compartido;
  try {
    db::ParadoxArchivo tabla(QString::fromLocal8Bit(argv[1]), uso);
    std::cout << "listo" << std::endl;
    std::string linea;
    while (std::getline(std::cin, linea)) {
    }
    return 0;
  } catch (const plat::Error& e) {
    std::cout << "error " << e.what() << std::endl;
    return 1;
  }
}
