#include "foundation/TablasBase.h"

using namespace db::campo;

void RegistraTablasBase(db::Catalogo& catalogo) {
  // One row per line of the observations of a record: its key (a document
  // number or a catalogue key), the owner kind cut to two letters, the line.
  catalogo.Registra(db::Duenio(QStringLiteral("foundation")).Esquema("factuobs.dbf", db::CarpetaTabla::Datos,
                                       db::OrigenTabla::Empresa,
                                       {C("CLDOC_FO", 20),  // as wide as a product key, the widest owner key
                                        C("TIDOC_FO", 2), C("OBSER_FO", 100)},
                                       {Tag("CLDOC_FO")}));
}
