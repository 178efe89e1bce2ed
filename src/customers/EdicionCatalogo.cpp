#include "customers/EdicionCatalogo.h"

#include "foundation/cerrar.h"
#include "foundation/rutinas_bitacora.h"
#include "inventory/EdicionFila.h"
#include "platform/db/Tabla.h"
#include "platform/ui/FuenteDatos.h"

namespace {

bool Editando(const db::Dataset& d) {
  return d.State() == db::Dataset::Estado::Editando || d.State() == db::Dataset::Estado::Insertando;
}

}  // namespace

void PreparaCopiaRegistro(db::Tabla& origen, db::Tabla& copia, const QString& carpeta, const QString& archivo,
                          ui::FuenteDatos& fuente) {
  copia.Close();
  copia.SetCarpeta(carpeta);
  copia.SetNombreTabla(archivo);
  db::Tabla::CopiaRegistros(origen, copia, false);
  copia.Open();
  fuente.SetDataSet(&copia);
}

void AplicaCopiaRegistro(db::Tabla& copia, db::Tabla& destino, const QString& ocupado) {
  if (Editando(copia)) copia.Post();
  CambiaFila(destino, ocupado, [&] {
    for (int i = 0; i < copia.FieldCount(); ++i) {
      const db::Campo& campo = copia.Fields(i);
      destino.FieldByName(campo.Nombre()).SetAsString(campo.AsString());
    }
  });
}

void DescartaCopiaRegistro(db::Tabla& copia, ui::FuenteDatos& fuente, db::Tabla& tabla) {
  if (copia.Active()) {
    if (Editando(copia)) copia.Cancel();
    copia.First();
    while (!copia.IsEmpty()) {
      RegistraBorrado(copia);
      copia.Delete();
    }
  }
  fuente.SetDataSet(&tabla);
}

bool ClaveRepetida(db::Tabla& repetido, const QVariant& clave, qint64 propio) {
  repetido.Refresh();
  repetido.SetRange({clave}, {clave});
  bool otra = false;
  try {
    for (repetido.First(); !repetido.Eof() && !otra; repetido.Next()) otra = repetido.RecNo() != propio;
  } catch (...) {
    repetido.CancelRange();
    throw;
  }
  repetido.CancelRange();
  return otra;
}

int PreguntaGuardarCambios() {
  TFormaCerrar pregunta;
  pregunta.SetTag(3);
  pregunta.ShowModal();
  const int respuesta = pregunta.Tag();
  return respuesta == 1 || respuesta == 2 ? respuesta : 3;
}
