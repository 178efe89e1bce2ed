#include "foundation/Lineas.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/PuertaModal.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"

#include <QAbstractItemModel>
#include <QTableView>
#include <QTest>

#include <functional>

namespace {

const QString kDatos = QStringLiteral("C:\\VRL\\DATOS");
const QString kLineas =
    QStringLiteral("SELECT DISTINCT LIPRO_I FROM \"C:\\VRL\\DATOS\\inventar.dbf\" order by LIPRO_I");

class LineasTest : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    fs::CreaCarpeta(kDatos);
    db::Tabla::Crea(kDatos, "inventar.dbf", {{"CLPRO_I", 'C', 20, 0}, {"LIPRO_I", 'C', 10, 0}});
    db::Tabla t;
    t.SetCarpeta(kDatos);
    t.SetNombreTabla("inventar.dbf");
    t.Open();
    const char* filas[][2] = {{"A1", "PINT"}, {"A2", "HERR"}, {"A3", "ABAR"}, {"A4", "HERR"}, {"A5", "PINT"}};
    for (const auto& f : filas) {
      t.Append();
      t.FieldByName("CLPRO_I").SetAsString(f[0]);
      t.FieldByName("LIPRO_I").SetAsString(f[1]);
      t.Post();
    }
  }

  static QStringList Renglones(const QTableView& grid) {
    QStringList r;
    for (int i = 0; i < grid.model()->rowCount(); ++i) r << grid.model()->index(i, 0).data().toString();
    return r;
  }

  static void DobleClic(QTableView& grid, int fila) {
    const QRect celda = grid.visualRect(grid.model()->index(fila, 0));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, celda.center());
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, celda.center());
  }
};

}  // namespace

TEST_F(LineasTest, SeEligeUnRenglonDeLaConsulta) {
  struct Caso {
    const char* nombre;
    std::function<void(TFormaLineas&)> guion;
    int tag;
    QString linea;
  };
  const Caso casos[] = {
      {"doble clic", [](TFormaLineas& f) { DobleClic(*f.DBGrid1, 1); }, 1, "HERR"},
      {"Aceptar", [](TFormaLineas& f) {
         prueba::Tecla(f, "DBGrid1", Qt::Key_Down);
         prueba::Tecla(f, "DBGrid1", Qt::Key_Down);
         prueba::Pulsa(f, "BitBtn1");
       }, 1, "PINT"},
      {"Enter", [](TFormaLineas& f) { prueba::Tecla(f, "DBGrid1", Qt::Key_Return); }, 1, "ABAR"},
      // Esc answers 0; the query still stands on the row the grid showed.
      {"Esc", [](TFormaLineas& f) {
         prueba::Tecla(f, "DBGrid1", Qt::Key_Down);
         prueba::Tecla(f, "DBGrid1", Qt::Key_Escape);
       }, 0, "HERR"},
  };
  for (const Caso& c : casos) {
    TFormaLineas forma;
    forma.SetTag(0);
    ui::PuertaModal::Espera("TFormaLineas", [&](QDialog&) {
      EXPECT_EQ(Renglones(*forma.DBGrid1), (QStringList{"ABAR", "HERR", "PINT"})) << c.nombre;
      EXPECT_EQ(forma.DBGrid1->model()->headerData(0, Qt::Horizontal).toString(), "LIPRO_I");
      c.guion(forma);
      EXPECT_FALSE(forma.isVisible()) << c.nombre;
    });
    EligeDeConsulta(kLineas);
    EXPECT_EQ(forma.Tag(), c.tag) << c.nombre;
    EXPECT_EQ(forma.Query1->FieldByName("LIPRO_I").AsString(), c.linea) << c.nombre;
  }
}

TEST_F(LineasTest, ElErrorDeLaConsultaLlegaAlLlamador) {
  TFormaLineas forma;
  EXPECT_THROW(EligeDeConsulta("SELECT DISTINCT LIPRO_I FROM \"C:\\VRL\\DATOS\\noexiste.dbf\" order by LIPRO_I"),
               plat::Error);
  EXPECT_FALSE(forma.isVisible());
}
