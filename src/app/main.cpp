// Vorlan: the program body.

#include "app/Vorlan.h"
#include "foundation/ArchivosPrograma.h"
#include "platform/Error.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "demo/Demo.h"
#include "shell/Campos.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  // "--prepara-demo": create the demonstration company when the root has no
  // start file, tell its passwords, and end; needs no display.
  if (argc == 2 && std::strcmp(argv[1], "--prepara-demo") == 0) {
    QCoreApplication app(argc, argv);
    try {
      if (PreparaEmpresaDemo()) std::puts("Empresa de demostración creada.");
      const QString aviso = AvisoEmpresaDemo();
      if (!aviso.isEmpty()) std::puts(aviso.toUtf8().constData());
    } catch (const plat::Error& e) {
      std::fprintf(stderr, "No se pudo preparar la empresa de demostración: %s\n", e.what());
      return 1;
    }
    return 0;
  }

  ui::Aplicacion app(argc, argv);
  // The display name follows the application name; set on its own it would be
  // appended to every window's caption.
  QApplication::setApplicationName(QStringLiteral("Vorlan"));
  QApplication::setApplicationVersion(QStringLiteral("4.9"));
  // Help topics and other shipped files the program folder is missing.
  ui::Protege([] { InstalaArchivosPrograma(); });
  ui::Protege([] { InstalaCampos(fs::CarpetaDelPrograma()); });

  return EjecutaVorlan(app);
}
