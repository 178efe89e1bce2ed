// A new company's empty tables, made from the registry, and the check of a
// company's folders.

#include "platform/db/Tabla.h"
#include "support/RaizPrueba.h"
#include "tablas/TablasVorlan.h"

#include <cstdio>

using db::CarpetaTabla;
using db::DefTabla;
using db::Diferencia;
using db::OrigenTabla;

namespace {

class EmpresaNueva : public RaizPrueba {
 protected:
  // Inventory in a folder of its own; remissions in the data folder.
  db::Carpetas carpetas{"C:\\VRL\\DATOS", "C:\\VRL\\INVENTARIO", "", "C:\\VRL"};

  static QStringList Textos(const QVector<Diferencia>& d) {
    QStringList r;
    for (const Diferencia& x : d) r << x.Texto();
    return r;
  }
};

}  // namespace

TEST_F(EmpresaNueva, CadaTablaRegistradaSeCreaYAbreConSusIndices) {
  const QStringList hechas = CreaTablasEmpresa(carpetas);
  std::printf("Tablas creadas para una empresa nueva (%d):\n", int(hechas.size()));
  for (const QString& h : hechas) std::printf("  %s\n", h.toUtf8().constData());

  int esperadas = 0;
  for (const DefTabla& t : CatalogoVorlan().Tablas()) {
    if (t.origen == OrigenTabla::Corrida) continue;
    ++esperadas;
    const QString carpeta = carpetas.De(t.carpeta);
    EXPECT_TRUE(hechas.contains(carpeta + "\\" + t.archivo)) << t.archivo.toStdString();
    db::Tabla tabla;
    tabla.SetCarpeta(carpeta);
    tabla.SetNombreTabla(t.archivo);
    tabla.SetReadOnly(true);
    tabla.Open();
    EXPECT_TRUE(tabla.IsEmpty()) << t.archivo.toStdString();
    EXPECT_EQ(tabla.FieldCount(), t.campos.size()) << t.archivo.toStdString();
    QStringList tags;
    for (const db::DefTag& g : t.tags) tags << g.nombre.toUpper();
    QStringList abiertos;
    for (const QString& n : tabla.IndexNames()) abiertos << n.toUpper();
    EXPECT_EQ(abiertos, tags) << t.archivo.toStdString();
    for (const db::DefTag& g : t.tags) tabla.SetIndexName(g.nombre);
  }
  EXPECT_EQ(hechas.size(), esperadas);
  EXPECT_EQ(esperadas, 61);
  EXPECT_EQ(Textos(VerificaTablasEmpresa(carpetas)), QStringList());
  // Nothing is made twice.
  EXPECT_TRUE(CreaTablasEmpresa(carpetas).isEmpty());
}

TEST_F(EmpresaNueva, LaRevisionNombraElCampoYElIndiceQueFaltan) {
  CreaTablasEmpresa(carpetas);
  // A product table of an older installation: without the purchase
  // discounts and without the tag of the alternative code.
  DefTabla viejo = *CatalogoVorlan().Busca(CarpetaTabla::Inventario, "INVENTAR.DBF");
  viejo.campos.removeIf([](const db::DefCampo& c) { return c.nombre.startsWith("DESC") && c.nombre != "DESCU_I"; });
  viejo.tags.removeLast();
  db::Tabla::Crea("C:\\VRL\\INVENTARIO", "INVENTAR.DBF", viejo.campos, viejo.tags);
  db::Tabla::Borra("C:\\VRL", "Detaminv.db");

  EXPECT_EQ(Textos(VerificaTablasEmpresa(carpetas)),
            (QStringList{"A la tabla INVENTAR.DBF le falta el campo DESC1_I",
                         "A la tabla INVENTAR.DBF le falta el campo DESC2_I",
                         "A la tabla INVENTAR.DBF le falta el campo DESC3_I",
                         "A la tabla INVENTAR.DBF le falta el índice CODIG_I",
                         "Falta la tabla Detaminv.db en C:\\VRL"}));
}
