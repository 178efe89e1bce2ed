#include "customers/EdicionCatalogo.h"

#include "foundation/BusNoInd.h"
#include "foundation/cerrar.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "inventory/EdicionFila.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/FuenteDatos.h"

#include <QComboBox>
#include <QDate>
#include <QLineEdit>

namespace {

bool Editando(const db::Dataset& d) {
  return d.State() == db::Dataset::Estado::Editando || d.State() == db::Dataset::Estado::Insertando;
}

}  // namespace

QVector<QVariant> PreparaCopiaRegistro(db::Tabla& origen, db::Tabla& copia, const QString& carpeta,
                                       const QString& archivo, ui::FuenteDatos& fuente) {
  copia.Close();
  copia.SetCarpeta(carpeta);
  copia.SetNombreTabla(archivo);
  db::Tabla::CopiaRegistros(origen, copia, false);
  copia.Open();
  QVector<QVariant> valores;
  for (int i = 0; i < copia.FieldCount(); ++i) valores << copia.Fields(i).Value();
  fuente.SetDataSet(&copia);
  return valores;
}

void AplicaCopiaRegistro(db::Tabla& copia, db::Tabla& destino, const QString& ocupado,
                         const QVector<QVariant>& original) {
  if (Editando(copia)) copia.Post();
  CambiaFila(destino, ocupado, [&] {
    for (int i = 0; i < copia.FieldCount(); ++i) {
      const db::Campo& campo = copia.Fields(i);
      if (i < original.size() && campo.Value() == original[i]) continue;
      destino.FieldByName(campo.Nombre()).SetAsString(campo.AsString());
    }
  });
}

void DescartaCopiaRegistro(db::Tabla& copia, ui::FuenteDatos& fuente, db::Tabla& tabla, bool registra) {
  if (copia.Active()) {
    if (Editando(copia)) copia.Cancel();
    copia.First();
    while (!copia.IsEmpty()) {
      if (registra) RegistraBorrado(copia);
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

bool CierraConPregunta(const std::function<bool()>& guarda, const std::function<void()>& descarta) {
  switch (PreguntaGuardarCambios()) {
    case 1:
      try {
        return guarda();
      } catch (const std::exception& e) {
        ui::MuestraExcepcion(e);
        return false;
      }
    case 2:
      descarta();
      return true;
    default:
      return false;
  }
}

int PreguntaGuardarCambios() {
  TFormaCerrar pregunta;
  pregunta.SetTag(3);
  pregunta.ShowModal();
  const int respuesta = pregunta.Tag();
  return respuesta == 1 || respuesta == 2 ? respuesta : 3;
}

namespace {

// The text is a value the field can hold: a number for a number field, a
// date for a date field.
bool Cabe(const db::Campo& campo, const QString& texto) {
  if (texto.trimmed().isEmpty()) return true;
  switch (campo.Tipo()) {
    case db::TipoDato::Entero:
    case db::TipoDato::Flotante:
    case db::TipoDato::Moneda: {
      double numero = 0;
      return LeeReal(texto, numero);
    }
    case db::TipoDato::Fecha: {
      QDate fecha;
      return LeeFecha(texto, fecha);
    }
    default:
      return true;
  }
}

}  // namespace

void BusquedaNoIndexada(db::Dataset& tabla, const QString& archivo) {
  TFormaBusquedaNoIndexada dialogo;
  BuscaSinIndice(archivo);
  if (dialogo.Tag() != 1 || !tabla.Active()) return;
  const QString campo = dialogo.Campo2->currentText();
  const QString valor = dialogo.Valor->text();
  try {
    if (!Cabe(tabla.FieldByName(campo), valor)) {
      MuestraMensaje(kValorNoValidoRevise);
      return;
    }
    if (!tabla.Locate(campo, {valor}, {.parcial = true})) MuestraMensaje(kNoSeEncuentra);
  } catch (const plat::Error&) {
    MuestraMensaje(kValorNoValidoRevise);
  }
}
