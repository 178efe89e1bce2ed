// The initial document numbers: the opener's last numbers and adjustments
// from the header tables, Folios.dbs read and written by the window, and a
// reader in another process while both shared files are saved.

#include "datos_prueba.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Texto.h"
#include "platform/ui/RejillaTexto.h"
#include "shell/Divisa.h"
#include "shell/Inicial.h"
#include "shell/Moneda.h"
#include "support/ErrorPrueba.h"
#include "support/Maneja.h"
#include "support/Proceso.h"

#include <QLabel>
#include <QLineEdit>
#include <QThread>

namespace {

using Folios = DatosPrueba;

const QString kFolios = QStringLiteral("C:\\DATOS\\Folios.dbs");

void Remisiones(const QVariantList& numeros, const QString& carpeta = kDatos) {
  LlenaTablaRegistrada(db::CarpetaTabla::Remisiones, carpeta, "Remision.dbf", "CLDOC_F", numeros);
}
void Facturas(const QVariantList& numeros) {
  LlenaTablaRegistrada(db::CarpetaTabla::Datos, kDatos, "FacturaE.dbf", "CLDOC_F", numeros);
}

QVariantList Del1Al(int n) {
  QVariantList v;
  for (int i = 1; i <= n; ++i) v << i;
  return v;
}

// What the opener put in the window: Edit3, LabelAjuste, Edit4, LabelAjuste2.
QStringList Calculados(const TFormaInicial& f) {
  return {f.Edit3->text(), f.LabelAjuste->text(), f.Edit4->text(), f.LabelAjuste2->text()};
}

// Opens the window as the menu does and lets `guion` work on it.
void EnVentana(const std::function<void(TFormaInicial&)>& guion) {
  std::unique_ptr<TFormaInicial> ventana = CreaFormaInicial();
  EXPECT_EQ(ventana->LabelRuta->text(), kDatos);
  MuestraVentana<TFormaInicial>(*ventana, guion);
}

QByteArray Lineas(const QStringList& lineas) {
  QByteArray b;
  for (const QString& l : lineas) b += l.toLatin1() + "\r\n";
  return b;
}

}  // namespace

TEST_F(Folios, ElAbridorCalculaUltimoNumeroYAjuste) {
  struct Caso {
    const char* nombre;
    QVariantList numeros;
    QString ultimo, ajuste;
  };
  const Caso casos[] = {
      {"tabla vacía", {}, "", "0"},
      // Record 100 holds 120; record 101 comes later but numbers lower.
      {"último por número", Del1Al(99) << 120 << 50, "120", "20"},
      {"uno en el primer registro", {7}, "7", "6"},
      {"número cero", {-4, 0}, "0", "0"},
      {"número negativo", {-9, -3}, "-3", "-3"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    Remisiones(c.numeros);
    Facturas(c.numeros);
    const std::unique_ptr<TFormaInicial> f = CreaFormaInicial();
    EXPECT_EQ(Calculados(*f), (QStringList{c.ultimo, c.ajuste, c.ultimo, c.ajuste}));
  }

  // Each series from its own table.
  Remisiones({10, 11, 12});
  Facturas({500});
  EXPECT_EQ(Calculados(*CreaFormaInicial()), (QStringList{"12", "9", "500", "499"}));
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(Folios, LasRemisionesSeLeenDeLaCarpetaDeRemisiones) {
  Remisiones({100});
  Remisiones({5, 6}, "D:\\REMIS");
  Facturas({});
  Configura(kDatos, "D:\\REMIS");
  std::unique_ptr<TFormaInicial> f = CreaFormaInicial();
  EXPECT_EQ(Calculados(*f), (QStringList{"6", "4", "", "0"}));
  EXPECT_EQ(f->LabelRuta->text(), kDatos);  // Folios.dbs stays in the data folder

  // A table that cannot be read: no window.
  db::Tabla::Borra("D:\\REMIS", "Remision.dbf");
  EXPECT_EQ(ErrorDe([] { CreaFormaInicial(); }).first, plat::Clase::NoExiste);
}

TEST_F(Folios, GuardarEscribeLasSieteLineas) {
  Remisiones(Del1Al(3));
  Facturas(Del1Al(4) << 40);

  // Without Folios.dbs: empty first numbers beside the computed values.
  EnVentana([](TFormaInicial& d) {
    EXPECT_EQ(d.windowTitle(), "Ajustes Iniciales");
    EXPECT_EQ(prueba::Texto(d, "Label1"), "Remisión");
    EXPECT_EQ(prueba::Texto(d, "Label2"), "Factura");
    EXPECT_EQ(d.Edit1->text(), "");
    EXPECT_EQ(d.Edit2->text(), "");
    EXPECT_EQ(Calculados(d), (QStringList{"3", "0", "40", "35"}));
    prueba::Teclea(d, "Edit1", "100");
    prueba::Pulsa(d, "BitBtn1");
    const QByteArray primera = fs::LeeBytes(kFolios);
    EXPECT_EQ(primera, Lineas({"100", "0", "3", "0", "35", "40", ""}));
    prueba::Pulsa(d, "BitBtn1");
    EXPECT_EQ(fs::LeeBytes(kFolios), primera);
    EXPECT_TRUE(d.isVisible());  // the window stays open
  });

  // An existing file fills the first numbers; the other lines give way to
  // what the tables hold now. Texts are stored as typed.
  EscribeLineas(kFolios, {"100", "77", "1", "5000", "88", "2", ""});
  EnVentana([](TFormaInicial& d) {
    EXPECT_EQ(d.Edit1->text(), "100");
    EXPECT_EQ(d.Edit2->text(), "5000");
    EXPECT_EQ(Calculados(d), (QStringList{"3", "0", "40", "35"}));
    d.Edit2->clear();
    prueba::Teclea(d, "Edit2", "F-12");
    d.Edit3->clear();
    prueba::Pulsa(d, "BitBtn1");
  });
  EXPECT_EQ(fs::LeeBytes(kFolios), Lineas({"100", "0", "0", "F-12", "35", "40", ""}));
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(Folios, GuardarEnUnaCarpetaQueNoExisteLoDice) {
  TFormaInicial f;
  f.LabelRuta->setText("C:\\NOHAY");
  MuestraVentana<TFormaInicial>(f, [](TFormaInicial& d) {
    prueba::Teclea(d, "Edit1", "100");
    prueba::Pulsa(d, "BitBtn1");
    EXPECT_EQ(d.Edit1->text(), "100");
  });
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].startsWith("No se pudo escribir C:\\NOHAY\\Folios.dbs")) << Mensajes()[0].toStdString();
  EXPECT_FALSE(fs::Existe("C:\\NOHAY"));
}

namespace {

// Another station: reads moneda.vrl and Folios.dbs over and over until the
// file "C:\fin" appears, then tells how many reads it made and how many
// found a file missing, cut, or other than one of the two versions saved.
RUTINA_HIJA(LeeArchivosCompartidos) {
  const auto monedaBuena = [](const QByteArray& b) {
    if (b.size() != kFilasMoneda * TRegistroMoneda::kTamano) return false;
    const QString nombre = TRegistroMoneda::DeBytes(b).Campos[MonedaDivisa];
    return nombre == "Uno" || nombre == "Dos";
  };
  const auto foliosBuenos = [](const QByteArray& b) {
    return b == Lineas({"1", "0", "0", "0", "0", "0", ""}) || b == Lineas({"22222", "0", "0", "0", "0", "0", ""});
  };
  prueba::AvisaPadre("LISTO");
  int lecturas = 0, malas = 0;
  while (!fs::Existe("C:\\fin")) {
    for (const char* ruta : {"C:\\DATOS\\moneda.vrl", "C:\\DATOS\\Folios.dbs"}) {
      ++lecturas;
      try {
        const QByteArray b = fs::LeeBytes(ruta);
        if (!(QString(ruta).endsWith("vrl") ? monedaBuena(b) : foliosBuenos(b))) ++malas;
      } catch (const plat::Error&) {
        ++malas;
      }
    }
  }
  prueba::AvisaPadre(QStringLiteral("%1 %2").arg(lecturas).arg(malas));
  return 0;
}

}  // namespace

TEST_F(Folios, OtraEstacionNuncaLeeUnArchivoAMedias) {
  Remisiones({});
  Facturas({});
  TFormaDivisa divisa;
  MuestraVentana<TFormaDivisa>(divisa, [](TFormaDivisa& monedas) {
    EnVentana([&](TFormaInicial& folios) {
      const auto guarda = [&](int vez) {
        monedas.Monedas->SetCells(1, 1, vez % 2 ? "Dos" : "Uno");
        folios.Edit1->setText(vez % 2 ? "22222" : "1");
        prueba::Pulsa(monedas, "SpeedButton1");
        prueba::Pulsa(folios, "BitBtn1");
      };
      guarda(0);
      prueba::ProcesoHijo lector("LeeArchivosCompartidos");
      ASSERT_EQ(lector.EsperaLinea(), "LISTO");
      for (int vez = 1; vez <= 200; ++vez) guarda(vez);
      EscribeLineas("C:\\fin", {});
      const QStringList cuenta = lector.EsperaLinea().split(' ');
      ASSERT_EQ(cuenta.size(), 2);
      EXPECT_GT(cuenta[0].toInt(), 0);
      EXPECT_EQ(cuenta[1], "0") << cuenta[0].toStdString() << " lecturas";
      EXPECT_EQ(lector.Espera(), 0);
    });
  });
  EXPECT_TRUE(Mensajes().isEmpty());
}
