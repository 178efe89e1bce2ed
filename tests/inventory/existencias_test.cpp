// Stock moved by several stations at once: a signed quantity added to the
// stock read under the row's lock, rows held elsewhere waited for, and the
// totals kept by two processes together.

#include "inventario_prueba.h"
#include "inventory/RegistroMovimiento.h"
#include "inventory/RegistroProducto.h"
#include "support/Proceso.h"

#include <QThread>
#include <gtest/gtest.h>

#include <cmath>

using prueba::AvisaPadre;
using prueba::EsperaPadre;
using prueba::ProcesoHijo;

namespace {

double Existencia(const QString& clave) {
  auto t = AbreTabla(kDatos, kTablaProductos, kTagClaveProducto);
  if (!t->FindKey({clave})) return NAN;
  return t->FieldByName("EXIST_I").AsFloat();
}

}  // namespace

// Children: the first argument is the folder, the second the product key.

// Holds the product's row and its totals row in edit, each raised by 100,
// then posts them after the given milliseconds, or cancels them when the
// parent says so (0 milliseconds).
RUTINA_HIJA(RetieneRenglones) {
  auto productos = AbreTabla(argumentos[0], kTablaProductos, kTagClaveProducto);
  auto kardex = AbreTabla(argumentos[0], kTablaKardex, kTagKardex);
  if (!productos->FindKey({argumentos[1]}) || !kardex->FindKey({argumentos[1]})) return 2;
  for (const auto& [t, campo] : {std::pair{productos.get(), "EXIST_I"}, std::pair{kardex.get(), "ENTRA_I"}}) {
    t->Edit();
    t->FieldByName(campo).SetAsFloat(t->FieldByName(campo).AsFloat() + 100);
  }
  kardex->FieldByName("EXIST_I").SetAsFloat(kardex->FieldByName("EXIST_I").AsFloat() + 100);
  AvisaPadre("RETENIDOS");
  const int ms = argumentos[2].toInt();
  if (ms == 0) {
    EsperaPadre();
    return 0;
  }
  QThread::msleep(ms);
  productos->Post();
  kardex->Post();
  return 0;
}

// Moves the product's stock by +3 and -2 in turn, keeping its totals as
// movement posting does, as many times as the third argument says.
RUTINA_HIJA(MueveExistencias) {
  auto productos = AbreTabla(argumentos[0], kTablaProductos, kTagClaveProducto);
  auto kardex = AbreTabla(argumentos[0], kTablaKardex);
  const QString clave = argumentos[1];
  if (!productos->FindKey({clave})) return 2;
  AvisaPadre("LISTO");
  if (EsperaPadre() != "YA") return 3;
  for (int i = 0; i < argumentos[2].toInt(); ++i) {
    const int concepto = i % 2 == 0 ? ConceptoCompra : ConceptoVentaRemision;
    const double cantidad = i % 2 == 0 ? 3 : 2;
    const int signo = SignoConcepto(concepto);
    const double existencia = SumaExistencia(*productos, signo * cantidad);
    ActualizaKardexMovimiento(*kardex, signo, clave, concepto, cantidad, existencia);
  }
  return 0;
}

namespace {

// The stock is added to what the file holds when the row is locked, not to
// what this station read before; the caller's own rule runs before the
// post, and a failure of it leaves the row as it was.
TEST_F(InventarioPrueba, LaExistenciaSeSumaALoQueHayBajoElBloqueo) {
  {
    auto t = Abre(kTablaProductos);
    AgregaProducto(*t, "P1", "", 10);
    AgregaProducto(*t, "VACIO");
  }
  auto t = Abre(kTablaProductos, kTagClaveProducto);
  ASSERT_TRUE(t->FindKey({"P1"}));
  {
    auto otra = Abre(kTablaProductos, kTagClaveProducto);
    ASSERT_TRUE(otra->FindKey({"P1"}));
    SumaExistencia(*otra, 5);
  }
  EXPECT_EQ(SumaExistencia(*t, 3), 18);
  EXPECT_EQ(SumaExistencia(*t, -0.125), 17.875);
  EXPECT_EQ(Existencia("P1"), 17.875);

  const auto sinNegativos = [](db::Tabla& p) {
    db::Campo& e = p.FieldByName("EXIST_I");
    if (e.AsFloat() < 0) e.SetAsFloat(0);
    p.FieldByName("VANCA_I").SetAsFloat(1);
  };
  EXPECT_EQ(SumaExistencia(*t, -20, sinNegativos), 0);
  EXPECT_EQ(Existencia("P1"), 0);

  const auto falla = [](db::Tabla&) { throw plat::Error(plat::Clase::NoCabe, "no cabe"); };
  EXPECT_EQ(ErrorDe([&] { SumaExistencia(*t, 4, falla); }).second, "no cabe");
  EXPECT_EQ(t->State(), db::Dataset::Estado::Navegando);
  EXPECT_EQ(Existencia("P1"), 0);

  ASSERT_TRUE(t->FindKey({"VACIO"}));
  EXPECT_EQ(SumaExistencia(*t, 2.5), 2.5);
}

// A product with stock 10 and its totals row, both open here on the
// product, while a child holds both rows (RetieneRenglones).
class RenglonesRetenidos : public InventarioPrueba {
 protected:
  void Retiene(const QString& clave, const QString& milisegundos) {
    {
      auto t = Abre(kTablaProductos);
      AgregaProducto(*t, clave, "", 10);
      auto k = Abre(kTablaKardex);
      ActualizaKardexMovimiento(*k, 1, clave, ConceptoInventarioInicial, 10, 10);
    }
    productos = Abre(kTablaProductos, kTagClaveProducto);
    kardex = Abre(kTablaKardex);
    ASSERT_TRUE(productos->FindKey({clave}));
    hijo = std::make_unique<ProcesoHijo>("RetieneRenglones", QStringList{kDatos, clave, milisegundos});
    ASSERT_EQ(hijo->EsperaLinea(), "RETENIDOS");
  }

  std::unique_ptr<db::Tabla> productos, kardex;
  std::unique_ptr<ProcesoHijo> hijo;
};

TEST_F(RenglonesRetenidos, UnRenglonRetenidoPorOtraEstacionSeEspera) {
  ASSERT_NO_FATAL_FAILURE(Retiene("P1", "300"));
  const double existencia = SumaExistencia(*productos, -4);
  ActualizaKardexMovimiento(*kardex, -1, "P1", ConceptoVentaRemision, 4, existencia);
  EXPECT_EQ(hijo->Espera(), 0);

  EXPECT_EQ(existencia, 106);
  EXPECT_EQ(Existencia("P1"), 106);
  const auto k = Abre(kTablaKardex);
  TRegistroKardex r;
  r.Lee(*k);
  EXPECT_EQ(r.ENTRA_I, 110);
  EXPECT_EQ(r.SALID_I, -4);
  EXPECT_EQ(r.EXIST_I, 106);
  EXPECT_EQ(r.INVEN_I, 106);
}

// Past the bounded wait the caller learns which product is busy; the totals
// update gives up silently. Neither row changes.
TEST_F(RenglonesRetenidos, UnRenglonRetenidoMasAllaDeLaEsperaNombraAlProducto) {
  ASSERT_NO_FATAL_FAILURE(Retiene("P-7", "0"));
  EXPECT_EQ(ErrorDe([&] { SumaExistencia(*productos, 1); }),
            std::make_pair(plat::Clase::Bloqueado, QString("El producto P-7 está en uso en otra estación")));
  EXPECT_EQ(productos->State(), db::Dataset::Estado::Navegando);
  ActualizaKardexMovimiento(*kardex, 1, "P-7", ConceptoCompra, 1, 11);
  EXPECT_EQ(kardex->State(), db::Dataset::Estado::Navegando);
  hijo->Envia("FIN");
  EXPECT_EQ(hijo->Espera(), 0);

  EXPECT_EQ(Existencia("P-7"), 10);
  const auto k = Abre(kTablaKardex);
  TRegistroKardex r;
  r.Lee(*k);
  EXPECT_EQ(r.ENTRA_I, 10);
  EXPECT_EQ(r.EXIST_I, 10);
  EXPECT_TRUE(Mensajes().isEmpty());
}

// Two processes move one product 500 times each and keep the totals of a
// key that had no totals row: no quantity is lost, and one row holds them.
TEST_F(InventarioPrueba, DosProcesosMuevenUnProductoALaVez) {
  {
    auto t = Abre(kTablaProductos);
    AgregaProducto(*t, "OTRO", "", 1);
    AgregaProducto(*t, "P1", "", 40);
  }
  ProcesoHijo a("MueveExistencias", {kDatos, "P1", "500"});
  ProcesoHijo b("MueveExistencias", {kDatos, "P1", "500"});
  ASSERT_EQ(a.EsperaLinea(), "LISTO");
  ASSERT_EQ(b.EsperaLinea(), "LISTO");
  a.Envia("YA");
  b.Envia("YA");
  EXPECT_EQ(a.Espera(), 0);
  EXPECT_EQ(b.Espera(), 0);

  EXPECT_EQ(Existencia("P1"), 540);
  EXPECT_EQ(Existencia("OTRO"), 1);
  auto k = Abre(kTablaKardex);
  ASSERT_EQ(k->RecordCount(), 1);
  TRegistroKardex r;
  r.Lee(*k);
  EXPECT_EQ(r.CLPRO_I, "P1");
  EXPECT_EQ(r.ENTRA_I, 1500);
  EXPECT_EQ(r.SALID_I, -1000);
  EXPECT_EQ(r.EXIST_I, 500);
}

}  // namespace
