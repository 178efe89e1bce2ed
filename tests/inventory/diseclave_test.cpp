// The product-key generator opened from the product window: the keys made
// of the values typed, the keys file, the count of combinations, and the new
// products added to the catalogue.

#include "inventory/DiseClave.h"
#include "platform/fs/Texto.h"
#include "platform/ui/RejillaTexto.h"
#include "ventana_inventario.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>

#include <functional>

namespace {

using prueba::Pulsa;
using prueba::Teclea;

const QString kClaves = QStringLiteral("C:\\VRL\\claves.dat");

// Types into a cell as a user and leaves it with Enter.
void TecleaCelda(ui::RejillaTexto& r, int col, int fila, const QString& texto) {
  prueba::TecleaCelda(r, col, fila, texto);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

// Column 1 of rows 1 on, an empty text leaves its row empty.
void Valores(TFormaClaveDiseno& g, const QStringList& filas) {
  for (int i = 0; i < filas.size(); ++i)
    if (!filas[i].isEmpty()) TecleaCelda(*g.Detalle, 1, i + 1, filas[i]);
}

class GeneradorClaves : public VentanaInventario {
 protected:
  // The generator opened by "Configura Clave", run by the script.
  void Generador(const std::function<void(TFormaClaveDiseno&)>& guion) {
    TFormaInventario& f = forma_ ? *forma_ : Ventana();
    ui::PuertaModal::Espera("TFormaClaveDiseno", [&guion](QDialog& d) { guion(static_cast<TFormaClaveDiseno&>(d)); });
    f.Componente<QAction>("ConfiguraClave1")->trigger();
  }
};

TEST_F(GeneradorClaves, CadaCombinacionUnaVezConLaPrimeraFilaMasLenta) {
  struct Caso {
    QStringList filas;
    QStringList claves;
    QString total;  // LabelTotal after a click
  };
  const Caso casos[] = {
      {{"A,B", "1,2,3"}, {"A1", "A2", "A3", "B1", "B2", "B3"}, "Total de Claves    6"},
      {{"A,B", "X,Y", "1,2"}, {"AX1", "AX2", "AY1", "AY2", "BX1", "BX2", "BY1", "BY2"}, "Total de Claves    8"},
      {{"", "", "R,V"}, {"R", "V"}, "Total de Claves    2"},
      {{"A,,B"}, {"A", "", "B"}, "Total de Claves    3"},
      // Rows 5 to 7 count, but make no keys.
      {{"A,B", "", "", "", "1,2,3", "", "x,y"}, {"A", "B"}, "Total de Claves    12"},
      // Blanks are part of the values; the file is Windows-1252.
      {{"Rojo ,Azúl", " 1"}, {"Rojo  1", "Azúl 1"}, "Total de Claves    2"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.filas.join(u'/').toStdString());
    Generador([&](TFormaClaveDiseno& g) {
      EXPECT_EQ(g.windowTitle(), "Generador automático de Claves");
      EXPECT_EQ(g.LabelTotal->text(), "Total de Claves a Generar    0");
      Valores(g, c.filas);
      Pulsa(g, "BitBtn1");
      QByteArray archivo;
      for (const QString& clave : c.claves) archivo += fs::ACp1252(clave) + "\r\n";
      EXPECT_EQ(fs::LeeBytes(kClaves), archivo);
      EXPECT_EQ(g.Claves->toPlainText(), c.claves.join(u'\n'));
      EXPECT_EQ(g.Progreso->value(), 100);
      QTest::mouseClick(g.LabelTotal, Qt::LeftButton);
      EXPECT_EQ(g.LabelTotal->text(), c.total);
      Pulsa(g, "BitBtn2");
      EXPECT_FALSE(g.isVisible());
    });
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(GeneradorClaves, SinValoresNoHayClavesYElTotalQuedaComoEstaba) {
  EscribeLineas(kClaves, {"VIEJA"});
  Generador([](TFormaClaveDiseno& g) {
    Pulsa(g, "BitBtn1");
    EXPECT_EQ(fs::LeeBytes(kClaves), QByteArray());
    EXPECT_EQ(g.Claves->toPlainText(), "");
    QTest::mouseClick(g.LabelTotal, Qt::LeftButton);
    EXPECT_EQ(g.LabelTotal->text(), "Total de Claves a Generar    0");
  });
}

TEST_F(GeneradorClaves, AgregarDosVecesAgregaCadaClaveUnaVezEnLaCarpetaDeInventario) {
  // The products live in the folder of line 59; line 8's table is not theirs.
  const QString inventario = QStringLiteral("C:\\VRL\\INVEN");
  Lineas({{ConfCarpetaInventario, inventario}});
  CreaTabla(inventario, "INVENTAR.DBF");
  {
    auto t = AbreTabla(inventario, "INVENTAR.DBF");
    t->Append();
    t->FieldByName("CLPRO_I").SetAsString("A2");
    t->FieldByName("DSCPR_I").SetAsString("Ya estaba");
    t->Post();
  }
  const char* extra[kCamposExtra] = {"ROPA", "5", "12.5", "100", "90", "80", "10", "20", "30"};
  for (int vez = 0; vez < 2; ++vez) {
    Generador([&](TFormaClaveDiseno& g) {
      Valores(g, {"A,B", "1,2"});
      TecleaCelda(*g.Detalle, 2, 1, "Playera");
      for (int i = 0; i < kCamposExtra; ++i) Teclea(g, QStringLiteral("Edit%1").arg(i + 1), extra[i]);
      Pulsa(g, "BitBtn1");
      // Edited by the user: an empty line and a key longer than the field.
      g.Claves->appendPlainText("\nCLAVEMUYLARGADEVEINTICINCO\n");
      Pulsa(g, "BitBtn3");
      EXPECT_EQ(g.Progreso->value(), 100);
    });
  }
  std::map<QString, int> veces;
  auto t = AbreTabla(inventario, "INVENTAR.DBF");
  for (t->First(); !t->Eof(); t->Next()) ++veces[t->FieldByName("CLPRO_I").AsString()];
  EXPECT_EQ(veces, (std::map<QString, int>{{"A1", 1}, {"A2", 1}, {"B1", 1}, {"B2", 1}, {"CLAVEMUYLARGADEVEINT", 1}}));
  ASSERT_TRUE(Abre("INVENTAR.DBF")->IsEmpty());

  t->SetIndexName("ICLPRO");
  ASSERT_TRUE(t->FindKey({"A2"}));
  EXPECT_EQ(t->FieldByName("DSCPR_I").AsString(), "Ya estaba");
  ASSERT_TRUE(t->FindKey({"B1"}));
  EXPECT_EQ(t->FieldByName("DSCPR_I").AsString(), "Playera");
  for (int i = 0; i < kCamposExtra; ++i)
    EXPECT_EQ(t->FieldByName(kCamposClave[i]).AsString(), extra[i]) << kCamposClave[i];
  EXPECT_EQ(Mensajes(), QStringList());
}

TEST_F(GeneradorClaves, UnValorQueSuCampoNoTomaDejaVaciosEseYLosSiguientes) {
  Generador([](TFormaClaveDiseno& g) {
    Valores(g, {"N1"});
    const char* extra[kCamposExtra] = {"ROPA", "5", "caro", "100", "90", "80", "10", "20", "30"};
    for (int i = 0; i < kCamposExtra; ++i) Teclea(g, QStringLiteral("Edit%1").arg(i + 1), extra[i]);
    Pulsa(g, "BitBtn1");
    Pulsa(g, "BitBtn3");
  });
  QStringList valores;
  for (const char* campo : kCamposClave) valores << Campo("N1", campo);
  EXPECT_EQ(valores, QStringList({"ROPA", "5", "", "", "", "", "", "", ""}));
  EXPECT_EQ(Mensajes(), QStringList());
}

// A text field's box stops at what the field holds, as the user types.
TEST_F(GeneradorClaves, LaCajaDeLineaNoTomaMasLetrasQueSuCampo) {
  Generador([](TFormaClaveDiseno& g) {
    Teclea(g, "Edit1", "CAMISETAS");
    EXPECT_EQ(g.Edits[0]->text(), "CAMISETA");
  });
}

TEST_F(GeneradorClaves, SinTablaDeProductosSeAvisaElError) {
  db::Tabla::Borra(kDatos, "INVENTAR.DBF");
  Generador([](TFormaClaveDiseno& g) {
    Valores(g, {"A"});
    Pulsa(g, "BitBtn1");
    Pulsa(g, "BitBtn3");
    ASSERT_EQ(Mensajes().size(), 1);
    EXPECT_TRUE(Mensajes()[0].contains("INVENTAR", Qt::CaseInsensitive)) << Mensajes()[0].toStdString();
  });
}

}  // namespace
