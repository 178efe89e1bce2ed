#include "inventory/RegistroMovimiento.h"

#include "inventory/CamposRegistro.h"
#include "inventory/EdicionFila.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"

#include <exception>
#include <vector>

namespace {

using M = TRegistroMovimientoInventario;
using K = TRegistroKardex;

const std::vector<registro::Campo<M>>& CamposMovimiento() {
  static const std::vector<registro::Campo<M>> campos = {
      {"CLDOC_MI", &M::CLDOC_MI}, {"TIMOV_MI", &M::TIMOV_MI}, {"FEDOC_MI", &M::FEDOC_MI},
      {"REFMO_MI", &M::REFMO_MI}, {"NUDOC_MI", &M::NUDOC_MI}, {"CLPRO_MI", &M::CLPRO_MI},
      {"DESCR_MI", &M::DESCR_MI}, {"CLPRV_MI", &M::CLPRV_MI}, {"CLCOP_MI", &M::CLCOP_MI},
      {"CLVEN_MI", &M::CLVEN_MI}, {"CANTI_MI", &M::CANTI_MI}, {"PUNIT_MI", &M::PUNIT_MI},
      {"COSUN_MI", &M::COSUN_MI}, {"NALMA_MI", &M::NALMA_MI}, {"BANAF_MI", &M::BANAF_MI},
      {"EXIST_MI", &M::EXIST_MI}, {"CADUC_MI", &M::CADUC_MI}, {"EMPAQUE", &M::EMPAQUE},
      {"INICIAL", &M::INICIAL},   {"FINAL", &M::FINAL},       {"USUARIO", &M::USUARIO},
      {"HORAF_F", &M::HORAF_F},   {"FECHA", &M::FECHA},       {"CONTROL", &M::CONTROL},
      {"PRECL_OD", &M::PRECL_OD}};
  return campos;
}

const std::vector<registro::Campo<K>>& CamposKardex() {
  static const std::vector<registro::Campo<K>> campos = {{"CLPRO_I", &K::CLPRO_I}, {"ENTRA_I", &K::ENTRA_I},
                                                         {"SALID_I", &K::SALID_I}, {"EXIST_I", &K::EXIST_I},
                                                         {"INVEN_I", &K::INVEN_I}, {"OK", &K::OK}};
  return campos;
}

}  // namespace

QString CondicionEntradas(const QString& columna) { return columna + QStringLiteral(">%1").arg(kUltimoConceptoSalida); }

QString CondicionSalidas(const QString& columna) {
  return columna + QStringLiteral("<%1").arg(kUltimoConceptoSalida + 1);
}

void TRegistroMovimientoInventario::Lee(const db::Dataset& movimientos) {
  registro::Lee(*this, movimientos, CamposMovimiento());
}

void TRegistroMovimientoInventario::Escribe(db::Dataset& movimientos) const {
  registro::Escribe(*this, movimientos, CamposMovimiento());
}

void TRegistroKardex::Lee(const db::Dataset& kardex) { registro::Lee(*this, kardex, CamposKardex()); }

void TRegistroKardex::Escribe(db::Dataset& kardex) const { registro::Escribe(*this, kardex, CamposKardex()); }

void CambiaRenglonKardex(db::Tabla& kardex, const QString& clave, const std::function<void()>& cambio) {
  if (kardex.IndexName().compare(kTagKardex, Qt::CaseInsensitive) != 0) kardex.SetIndexName(kTagKardex);
  const auto cambiaRenglon = [&] {
    CambiaFila(kardex, QStringLiteral("El producto %1 está en uso en los totales").arg(clave), cambio);
  };
  if (kardex.FindKey({clave})) {
    cambiaRenglon();
    return;
  }
  kardex.Append();
  try {
    kardex.FieldByName(QStringLiteral("CLPRO_I")).SetAsString(clave);
    cambio();
    kardex.Post();
  } catch (const std::exception&) {
    kardex.Cancel();
    // Another station made the key's row since the search: the unique tag
    // refused this one, so the change goes into that row.
    if (!kardex.FindKey({clave})) throw;
    cambiaRenglon();
  }
}

ValoresFila SumaTotales(const db::Dataset& fila, double entradas, double salidas, double existencia,
                        double inventario) {
  const auto suma = [&](const QString& campo, double cantidad) {
    return std::pair<QString, QVariant>{campo, registro::LeeReal(fila.FieldByName(campo)).value_or(0) + cantidad};
  };
  return {suma(QStringLiteral("ENTRA_I"), entradas), suma(QStringLiteral("SALID_I"), salidas),
          suma(QStringLiteral("EXIST_I"), existencia), {QStringLiteral("INVEN_I"), inventario}};
}

void SumaKardex(db::Tabla& kardex, const QString& clave, double entradas, double salidas, double existencia,
                double inventario) {
  CambiaRenglonKardex(kardex, clave,
                      [&] { EscribeValores(kardex, SumaTotales(kardex, entradas, salidas, existencia, inventario)); });
}

void ActualizaKardexMovimiento(db::Tabla& kardex, int signo, const QString& clave, int concepto, double cantidad,
                               double existencia) {
  try {
    if (EsEntrada(concepto))
      SumaKardex(kardex, clave, cantidad, 0, signo * cantidad, existencia);
    else
      SumaKardex(kardex, clave, 0, signo * cantidad, signo * cantidad, existencia);
  } catch (const std::exception&) {
    // The totals are a summary beside the stock: a failure leaves the row as
    // it was and the posting goes on.
  }
}
