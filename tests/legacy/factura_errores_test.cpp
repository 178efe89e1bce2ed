// Several stations on the legacy window's tables: a row another station
// holds is waited for a few seconds, then the operation ends naming the
// table; the header of a document not being made fails at once.

#include "factura_prueba.h"
#include "platform/Error.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/PuertaModal.h"
#include "support/Proceso.h"
#include "support/SostieneRegistro.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace {

RUTINA_HIJA(SostieneRegistro) { return prueba::SostieneRegistro(argumentos); }

// The name of customer 2 as another station reads it.
QString NombreCliente2() {
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla("CLIENTE.DBF");
  t.SetIndexName("ICLACLI");
  t.Open();
  return t.FindKey({"2"}) ? t.FieldByName("NOMBR_C").AsString() : QString("<ninguno>");
}

const QString kNoSeEditan = "No se Pueden Editar los Datos ha Ocurrido un Error";

class ErroresFactura : public FacturaPrueba {
 protected:
  void SetUp() override {
    FacturaPrueba::SetUp();
    AgregaRemision(12, {{"CONTROL", "120"}, {"NOMBR_F", "ANA LOPEZ"}});
    AgregaFila("CLIENTE.DBF", {{"CLCLI_C", "2"}, {"NOMBR_C", "JUAN"}});
  }
};

TEST_F(ErroresFactura, UnBloqueoSeReintentaYLoDemasFallaNombrandoLaTabla) {
  auto f = std::make_unique<TFormaFactura>();
  const auto accion = [](const db::Dataset::EventoError& manejador, db::Dataset& t, plat::Clase clase) {
    if (!manejador) return QString("sin manejador");
    try {
      return manejador(t, plat::Error(clase, "falla")) == db::AccionError::Retry ? QString("reintenta")
                                                                                 : QString("falla");
    } catch (const plat::Error& e) {
      return e.mensaje();
    }
  };
  for (db::Tabla* t : {f->TablaFacturae, f->TablaFacturaD, f->TablaCliente, f->TablaInventario, f->TablaVendedores,
                       f->TablamovimientosInventario}) {
    SCOPED_TRACE(t->objectName().toStdString());
    const QString propio = "falla (tabla " + t->NombreTabla() + ")";
    for (auto* manejador : {&t->OnEditError, &t->OnPostError, &t->OnDeleteError}) {
      if (t == f->TablaFacturae && manejador == &t->OnEditError) continue;
      EXPECT_EQ(accion(*manejador, *t, plat::Clase::Bloqueado), "reintenta");
      EXPECT_EQ(accion(*manejador, *t, plat::Clase::EnUso), "reintenta");
      EXPECT_EQ(accion(*manejador, *t, plat::Clase::NoCabe), propio);
      EXPECT_EQ(accion(*manejador, *t, plat::Clase::Io), propio);
    }
  }
  // The window's own tables keep the table layer's errors.
  for (db::Tabla* t : {f->TablaDeta, f->TablaTotal, f->TablaAuxiliar})
    EXPECT_EQ(accion(t->OnEditError, *t, plat::Clase::Bloqueado), "sin manejador");
  // The header's edit: retried only while a new document is made.
  EXPECT_EQ(accion(f->TablaFacturae->OnEditError, *f->TablaFacturae, plat::Clase::Bloqueado), kNoSeEditan);
  f->EstadoFactura.DocumentoNuevo = true;
  EXPECT_EQ(accion(f->TablaFacturae->OnEditError, *f->TablaFacturae, plat::Clase::Bloqueado), "reintenta");
  EXPECT_EQ(accion(f->TablaFacturae->OnEditError, *f->TablaFacturae, plat::Clase::Io),
            "falla (tabla Remision.dbf)");
}

TEST_F(ErroresFactura, OtraEstacionConElRegistroSeEsperaYLuegoSeAvisa) {
  bool recorrido = false;  // every step run, none ended by an error
  AbreFactura("2", [&](TFormaFactura& f) {
    // A customer another station holds for a moment: the edit waits for it
    // and the change is written.
    {
      prueba::ProcesoHijo otra("SostieneRegistro", {kDatos, "CLIENTE.DBF", "ICLACLI", "2", "600"});
      ASSERT_EQ(otra.EsperaLinea(), "LISTO");
      ASSERT_TRUE(f.TablaCliente->FindKey({"2"}));
      QElapsedTimer reloj;
      reloj.start();
      f.TablaCliente->Edit();
      EXPECT_GE(reloj.elapsed(), 300);
      f.TablaCliente->FieldByName("NOMBR_C").SetAsString("JUAN PEREZ");
      f.TablaCliente->Post();
      EXPECT_EQ(otra.Espera(), 0);
    }
    EXPECT_EQ(NombreCliente2(), "JUAN PEREZ");

    // Held past the table layer's bound: the operation ends with a message
    // naming the table and nothing of it is written.
    {
      prueba::ProcesoHijo otra("SostieneRegistro", {kDatos, "CLIENTE.DBF", "ICLACLI", "2"});
      ASSERT_EQ(otra.EsperaLinea(), "LISTO");
      ASSERT_TRUE(f.TablaCliente->FindKey({"2"}));
      QElapsedTimer reloj;
      reloj.start();
      ui::Protege([&] {
        f.TablaCliente->Edit();
        f.TablaCliente->FieldByName("NOMBR_C").SetAsString("OTRO");
        f.TablaCliente->Post();
      });
      EXPECT_GE(reloj.elapsed(), 4000);
      EXPECT_LT(reloj.elapsed(), 15000);
      EXPECT_EQ(f.TablaCliente->State(), db::Dataset::Estado::Navegando);
      otra.Envia("fin");
      EXPECT_EQ(otra.Espera(), 0);
    }
    ASSERT_EQ(Mensajes().size(), 1);
    EXPECT_TRUE(Mensajes()[0].contains("CLIENTE.DBF", Qt::CaseInsensitive)) << Mensajes()[0].toStdString();
    EXPECT_EQ(NombreCliente2(), "JUAN PEREZ");
    ui::PuertaModal::LimpiaMensajes();

    // The document shown, not one being made, is held by another station:
    // editing its header fails at once with the header's message.
    ASSERT_FALSE(f.EstadoFactura.DocumentoNuevo);
    ASSERT_EQ(f.TablaFacturae->FieldByName("CLDOC_F").AsString(), "12");
    {
      prueba::ProcesoHijo otra("SostieneRegistro", {kDatos, "Remision.dbf", "INUMENC", "#12"});
      ASSERT_EQ(otra.EsperaLinea(), "LISTO");
      QElapsedTimer reloj;
      reloj.start();
      ui::Protege([&] { f.TablaFacturae->Edit(); });
      EXPECT_LT(reloj.elapsed(), 2000);
      EXPECT_EQ(Mensajes(), QStringList{kNoSeEditan});
      EXPECT_EQ(f.TablaFacturae->State(), db::Dataset::Estado::Navegando);
      otra.Envia("fin");
      EXPECT_EQ(otra.Espera(), 0);
    }
    recorrido = true;
  });
  EXPECT_TRUE(recorrido);
}

}  // namespace
