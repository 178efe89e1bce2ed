#include "shell/TablasConfiguracion.h"

#include "foundation/Anchos.h"

using namespace db::campo;
using db::CarpetaTabla;
using db::DefTabla;
using db::OrigenTabla;

namespace {

const db::Duenio kConfiguracion(QStringLiteral("shell"));

}  // namespace

DefTabla EsquemaCampos() {
  return kConfiguracion.Esquema("Campos.DBF", CarpetaTabla::Programa, OrigenTabla::Programa,
                                {C("TABLA", 25),  // "cucobrarremision.dbf" the longest table name
                                 C("CAMPO", 10), C("DESCRIBE", 40),
                                 C("TIPO", 15),  // "ftString", "ftSmallint" ...
                                 N("TAMO", 3, 0)},
                                {Tag("TABLA"), Tag("CAMPO")});
}

void RegistraTablasConfiguracion(db::Catalogo& catalogo) {
  using namespace ancho;
  catalogo.Registra(EsquemaCampos());
  // Concept numbers are unique: a second row with a number is refused.
  catalogo.Registra(kConfiguracion.Esquema("concepto.dbf", CarpetaTabla::Datos, OrigenTabla::Empresa,
                                           {Concepto("NUMOV_MO"), C("CONCE_MO", 30), Marca("TIPOO_MO")},
                                           {db::DefTag{"NUME", "NUMOV_MO", true, false}}));
  catalogo.Registra(kConfiguracion.Esquema(
      "comovinv.dbf", CarpetaTabla::Datos, OrigenTabla::Empresa,
      {Concepto("NUCON_CM"), C("DECON_CM", 50), C("TIPOX_CM", 1), C("ALMAC_CM", 50)},
      {db::DefTag{"ITIPMOV", "NUCON_CM", true, false}}));
  // Document counters: purchases, sales, and the remission counter that the
  // maintenance utilities empty and pack beside them.
  for (const char* archivo : {"numeroc.dbf", "numerof.dbf", "numero.dbf"})
    catalogo.Registra(kConfiguracion.Esquema(archivo, CarpetaTabla::Datos, OrigenTabla::Empresa, {N("NUMERO", 8, 0)}));
}
