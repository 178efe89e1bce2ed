// Printing from the supplier catalogue: the preview of the supplier shown
// through the format of line 25, its print, and a range of suppliers, on the
// recording printer.

#include "compras_prueba.h"
#include "formats/PaginaPrevia.h"
#include "platform/ui/ControlesDatos.h"
#include "support/ImpresionPrueba.h"
#include "support/Maneja.h"

#include <QAction>

namespace {

using prueba::Pulsa;
using prueba::Teclea;

const QString kFormato = QStringLiteral("C:\\VRL\\consulta\\proveedo.fmt");

class ImpresionProveedores : public ComprasPrueba {
 protected:
  void SetUp() override {
    ComprasPrueba::SetUp();
    for (const auto& [clave, nombre] : {std::pair{"1", "ACEROS"}, std::pair{"2", "BARNICES"},
                                        std::pair{"3", "CEMENTOS"}, std::pair{"4", "DUCTOS"}})
      AgregaProveedor(clave, nombre);
  }

  static void EscribeFormato() { EscribeLineas(kFormato, {"impresora,laser", "@2,2,nombr_p", "@2,3,clave_p"}); }

  // The texts of the last preview.
  static QStringList TextosPrevia() {
    QStringList textos;
    const QByteArray bytes = fs::LeeBytes(ArchivoPaginaPrevia());
    for (qsizetype i = 0; i + kTamanoElementoPagina <= bytes.size(); i += kTamanoElementoPagina)
      textos << DecodificaElementoPagina(bytes.constData() + i).Texto;
    return textos;
  }

  static QList<QStringList> Trabajos() { return TrabajosImpresos(); }
};

TEST_F(ImpresionProveedores, LaPresentacionPreliminarMuestraAlProveedorYPuedeImprimirlo) {
  TFormaProveedo& v = Ventana();
  v.TablaProveedor->FindKey({"2"});

  // No format file: said, and the viewer shows nothing.
  ui::PuertaModal::Espera("TFormaEdicion", [](QDialog& d) { d.close(); });
  Pulsa(v, "BotonPreliminar");
  EXPECT_EQ(Mensajes(), QStringList{"El Formato " + kFormato + " No Existe"});
  EXPECT_TRUE(Trabajos().isEmpty());

  ui::PuertaModal::LimpiaMensajes();
  EscribeFormato();
  ui::PuertaModal::Espera("TFormaEdicion", [](QDialog& d) {
    EXPECT_EQ(TextosPrevia(), (QStringList{"BARNICES", "2"}));
    Pulsa(d, "BotonImprime");
  });
  v.PresentacionPreliminar1->trigger();
  EXPECT_EQ(Trabajos(), QList<QStringList>{(QStringList{"BARNICES", "2"})});
  EXPECT_EQ(v.EditCLAVE_P->text(), "2");

  print::BorraOperacionesGrabadas();
  Pulsa(v, "BotonImprimir");
  EXPECT_EQ(Trabajos(), QList<QStringList>{(QStringList{"BARNICES", "2"})});
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(ImpresionProveedores, ImprimeRangoImprimeUnTrabajoPorProveedor) {
  EscribeFormato();
  TFormaProveedo& v = Ventana();
  v.TablaProveedor->FindKey({"4"});
  struct Caso {
    const char* nombre;
    bool acepta;
    QList<QStringList> trabajos;
  };
  const Caso casos[] = {
      {"de 1 a 3", true, {{"ACEROS", "1"}, {"BARNICES", "2"}, {"CEMENTOS", "3"}}},
      {"cancelado", false, {}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    print::BorraOperacionesGrabadas();
    ui::PuertaModal::Espera("TDialogoImprimir", [&c](QDialog& d) {
      Teclea(d, "PrimeraPagina", "1");
      Teclea(d, "UltimaPagina", "3");
      Pulsa(d, c.acepta ? "BitBtn1" : "BitBtn2");
    });
    v.ImprimeRango1->trigger();
    EXPECT_EQ(Trabajos(), c.trabajos);
    // The whole catalogue again, on the supplier it was on.
    EXPECT_EQ(v.TablaProveedor->RecordCount(), 4);
    EXPECT_EQ(v.EditCLAVE_P->text(), "4");
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

}  // namespace
