#include "foundation/ArchivosPrograma.h"
#include "foundation/describe.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/PuertaModal.h"
#include "support/RaizPrueba.h"

#include <QTextEdit>

using ArchivosProgramaTest = RaizPrueba;

TEST_F(ArchivosProgramaTest, CopiaLoQueFaltaYRespetaLoQueHay) {
  // The installation changed one topic (under another case of its name).
  EscribeLineas("c:\\VRL\\Ayuda\\Clientes.HTML", {"<p>Nuestra propia ayuda</p>"});

  const QStringList escritos = InstalaArchivosPrograma();
  EXPECT_TRUE(escritos.contains("C:\\VRL\\ayuda\\describe.des"));
  EXPECT_TRUE(escritos.contains("C:\\VRL\\ayuda\\movinv.html"));
  EXPECT_FALSE(escritos.contains("C:\\VRL\\ayuda\\clientes.html"));
  EXPECT_EQ(fs::LeeLineas("c:\\VRL\\ayuda\\clientes.html"), QStringList{"<p>Nuestra propia ayuda</p>"});
  for (const char* tema : {"clientes", "vendedor", "proveedo", "inventar", "movinv", "factura", "compras", "edicion"})
    EXPECT_TRUE(fs::ExisteArchivo(QString("c:\\VRL\\ayuda\\%1.html").arg(tema))) << tema;

  // A second run finds everything in place.
  EXPECT_EQ(InstalaArchivosPrograma(), QStringList{});
}

TEST_F(ArchivosProgramaTest, LosTextosBrevesInstaladosSeMuestran) {
  InstalaArchivosPrograma();
  struct Caso { int n; QString empieza; };
  const Caso casos[] = {{0, "Modificar: permite cambiar los datos del cliente"},
                        {117, "Inventario: abre el catálogo de productos"},
                        {20, "No hay una descripción"}};
  for (const Caso& c : casos) {
    QString texto;
    ui::PuertaModal::Espera("TFormaDescribe", [&](QDialog& d) {
      texto = static_cast<TFormaDescribe&>(d).Comenta->toPlainText();
    });
    MuestraDescripcion(Qt::RightButton, 100, 100, c.n);
    EXPECT_TRUE(texto.startsWith(c.empieza)) << c.n << ": " << texto.toStdString();
  }
}
