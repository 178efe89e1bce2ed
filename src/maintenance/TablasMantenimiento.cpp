#include "maintenance/TablasMantenimiento.h"

using namespace db::campo;

void RegistraTablasMantenimiento(db::Catalogo& catalogo) {
  // The movement rebuild's recount, made again at each start of the tool.
  catalogo.Registra(db::Duenio(QStringLiteral("maintenance")).Esquema("MI.dbf", db::CarpetaTabla::Programa,
                                       db::OrigenTabla::Corrida,
                                       {C("CLAVE", 20), N("ANTERIOR", 10, 3), N("REALES", 10, 3), N("ACTUAL", 10, 3),
                                        C("OTRO", 1)},
                                       {Tag("CLAVE")}));
}
