#include "inventory/DocumentoMovimiento.h"

#include "foundation/rutinas_bitacora.h"
#include "inventory/CamposRegistro.h"
#include "platform/db/Numeracion.h"
#include "platform/db/Tabla.h"

#include <exception>
#include <vector>

namespace {

using P = TPartidaCapturaMovimiento;

const std::vector<registro::Campo<P>>& CamposPartida() {
  static const std::vector<registro::Campo<P>> campos = {
      {"CANTIDAD", &P::CANTIDAD}, {"EMPAQUE", &P::EMPAQUE},       {"CLAVE", &P::CLAVE},
      {"DESCRIPCION", &P::DESCRIPCION}, {"COSTO", &P::COSTO},     {"PRECIO", &P::PRECIO},
      {"IMPORTE", &P::IMPORTE},   {"REFERENCIA", &P::REFERENCIA}, {"CADUCIDAD", &P::CADUCIDAD},
      {"INICIAL", &P::INICIAL},   {"FINAL", &P::FINAL}};
  return campos;
}

const QString kCampoNumero = QStringLiteral("CLDOC_MI");
const QString kCampoCantidad = QStringLiteral("CANTI_MI");

}  // namespace

void TPartidaCapturaMovimiento::Lee(const db::Dataset& captura) { registro::Lee(*this, captura, CamposPartida()); }

void TPartidaCapturaMovimiento::Escribe(db::Dataset& captura) const {
  registro::Escribe(*this, captura, CamposPartida());
}

qint64 SiguienteNumeroMovimiento(db::Tabla& movimientos) {
  movimientos.CancelRange();
  movimientos.SetFiltered(false);
  movimientos.SetIndexName(kTagDocumentoMovimiento);
  movimientos.Last();
  return movimientos.IsEmpty() ? 1 : movimientos.FieldByName(kCampoNumero).AsInteger() + 1;
}

qint64 IniciaDocumentoMovimiento(db::Tabla& movimientos, const std::function<void(db::Tabla&)>& llena,
                                 bool retiene) {
  movimientos.CancelRange();
  movimientos.SetFiltered(false);
  movimientos.SetIndexName(kTagDocumentoMovimiento);
  db::Numeracion numeracion(movimientos);
  const qint64 numero = SiguienteNumeroMovimiento(movimientos);
  movimientos.Append();
  try {
    movimientos.FieldByName(kCampoNumero).SetAsInteger(numero);
    if (llena) llena(movimientos);
    movimientos.Post();
  } catch (...) {
    movimientos.Cancel();
    throw;
  }
  if (retiene) movimientos.Edit();
  return numero;
}

void QuitaProvisionales(db::Tabla& movimientos, qint64 numero) {
  const bool filtrada = movimientos.Filtered();
  try {
    movimientos.SetFiltered(false);
    const auto provisional = [&] { return movimientos.FieldByName(kCampoCantidad).AsFloat() <= 0; };
    bool hay = false;
    for (movimientos.First(); !movimientos.Eof() && !hay; movimientos.Next()) hay = provisional();
    if (hay) {
      const db::Numeracion numeracion(movimientos);
      movimientos.First();
      while (!movimientos.Eof() && !movimientos.IsEmpty()) {
        if (movimientos.FieldByName(kCampoNumero).AsInteger() != numero || !provisional()) {
          movimientos.Next();
          continue;
        }
        try {
          // Locks the row: one held by a station capturing its document is
          // refused here and stays.
          movimientos.Edit();
          RegistraBorrado(movimientos);
          movimientos.Delete();
        } catch (const std::exception&) {
          if (movimientos.State() != db::Dataset::Estado::Navegando) movimientos.Cancel();
          movimientos.Next();
        }
      }
    }
  } catch (const std::exception&) {
  }
  try {
    movimientos.SetFiltered(filtrada);
    movimientos.First();
  } catch (const std::exception&) {
  }
}
