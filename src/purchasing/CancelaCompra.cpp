#include "purchasing/CancelaCompra.h"

#include "customers/CuentasCobrar.h"
#include "foundation/rutinas_bitacora.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "purchasing/DocumentosCompra.h"
#include "purchasing/GuardaCompra.h"
#include "inventory/RegistroMovimiento.h"
#include "inventory/RegistroProducto.h"
#include "pos/EscrituraGuardado.h"
#include "pos/ExistenciasVenta.h"

#include <memory>

namespace {

const QString kModo = QStringLiteral("modo");
const QString kCancelacion = QStringLiteral("cancelacion");
const QString kMarcaCancelada = QStringLiteral("C");

std::unique_ptr<db::Tabla> AbreConEspera(const QString& carpeta, const QString& archivo, const QString& tag) {
  auto t = std::make_unique<db::Tabla>();
  t->SetCarpeta(carpeta);
  t->SetNombreTabla(archivo);
  t->SetIndexName(tag);
  t->Open();
  EsperaBloqueos(*t);
  return t;
}

// Sets the fields of the current row; the row is given back on an error.
void FijaFila(db::Tabla& t, const QList<std::pair<const char*, QString>>& valores) {
  t.Edit();
  try {
    for (const auto& [campo, valor] : valores) t.FieldByName(QString::fromLatin1(campo)).SetAsString(valor);
    t.Post();
  } catch (...) {
    t.Cancel();
    throw;
  }
}

}  // namespace

UnidadTrabajo::Datos PlanCancelacionCompra::Datos() const {
  return {{kModo, kCancelacion},
          {QStringLiteral("letra"), QString(letra)},
          {QStringLiteral("numero"), numero},
          {QStringLiteral("control"), control},
          {QStringLiteral("datos"), carpetaDatos},
          {QStringLiteral("inventario"), carpetaInventario},
          {QStringLiteral("encabezado"), tablaEncabezado},
          {QStringLiteral("partidas"), tablaPartidas},
          {QStringLiteral("bitacora"), bitacora ? QStringLiteral("S") : QStringLiteral("N")},
          {QStringLiteral("usuario"), nombreUsuario}};
}

std::optional<PlanCancelacionCompra> PlanCancelacionCompra::De(const UnidadTrabajo::Datos& datos) {
  const auto dato = [&](const char* clave) {
    for (const auto& [c, v] : datos)
      if (c == QLatin1String(clave)) return v;
    return QString();
  };
  if (dato("modo") != kCancelacion) return std::nullopt;
  PlanCancelacionCompra p;
  const QString letra = dato("letra");
  p.letra = letra.isEmpty() ? QChar() : letra[0];
  p.numero = dato("numero");
  p.control = dato("control");
  p.carpetaDatos = dato("datos");
  p.carpetaInventario = dato("inventario");
  p.tablaEncabezado = dato("encabezado");
  p.tablaPartidas = dato("partidas");
  p.bitacora = dato("bitacora") == QStringLiteral("S");
  p.nombreUsuario = dato("usuario");
  return p;
}

namespace {

// What a receipt line took into stock: FINAL - INICIAL as its save wrote
// them (a receipt into a stock below 0 refused stopped at 0), else its
// quantity.
double EntradaPartidaCompra(const db::Dataset& linea) {
  const db::Campo* inicial = linea.FindField(QStringLiteral("INICIAL"));
  const db::Campo* final = linea.FindField(QStringLiteral("FINAL"));
  if (inicial && final && !(inicial->IsNull() && final->IsNull())) return final->AsFloat() - inicial->AsFloat();
  return linea.FieldByName(QStringLiteral("CANTI_OD")).AsFloat();
}

void DevuelveEntradasCompra(UnidadTrabajo& u, const PlanCancelacionCompra& plan) {
  const auto lineas = AbreConEspera(plan.carpetaDatos, plan.tablaPartidas, kTagPartidaCompra);
  const auto productos = AbreConEspera(plan.carpetaInventario, kTablaProductos, kTagClaveProducto);
  const auto kardex = AbreConEspera(plan.carpetaInventario, kTablaKardex, QStringLiteral("CLPRO_I"));
  // The lines are marked only after every one has given its stock back, so
  // a run again finds them in the same order.
  lineas->SetRange({plan.numero}, {plan.numero});
  int i = 0;
  for (lineas->First(); !lineas->Eof(); lineas->Next()) {
    if (lineas->FieldByName(QStringLiteral("CONTROL")).AsString() != plan.control) continue;
    if (lineas->FieldByName(QStringLiteral("TREGI_OD")).AsString() == kMarcaCancelada) continue;
    const QString paso = QStringLiteral("CX") + QString::number(++i);
    const QString clave = lineas->FieldByName(QStringLiteral("CLPRO_OD")).AsString();
    if (clave.isEmpty() || !productos->FindKey({clave})) continue;
    const double entrada = EntradaPartidaCompra(*lineas);
    const double cantidad = lineas->FieldByName(QStringLiteral("CANTI_OD")).AsFloat();
    EscrituraGuardado escritura(u, paso);
    escritura.Cambia(*productos, [&](const db::Dataset& fila) {
      return ValoresFila{{QStringLiteral("EXIST_I"), fila.FieldByName(QStringLiteral("EXIST_I")).AsFloat() - entrada}};
    });
    const double existencia = productos->FieldByName(QStringLiteral("EXIST_I")).AsFloat();
    u.Aplica(
        QStringLiteral("CK") + QString::number(i),
        [&] {
          ActualizaKardexProducto(*kardex, -1, clave, cantidad, existencia, ColumnaKardex::Entradas);
          return QStringList();
        },
        [] { return QStringList{QStringLiteral("dudosa")}; });
  }
  lineas->CancelRange();
}

}  // namespace

void CancelaCompra(UnidadTrabajo& u, const PlanCancelacionCompra& plan) {
  const qint64 numero = plan.numero.toLongLong();
  const auto encabezado = AbreConEspera(plan.carpetaDatos, plan.tablaEncabezado, kTagEncabezadoCompra);
  const auto buscaEncabezado = [&] {
    // Among the rows of its number, the one of its control.
    encabezado->SetRange({numero}, {numero});
    for (encabezado->First(); !encabezado->Eof(); encabezado->Next())
      if (encabezado->FieldByName(QStringLiteral("CONTROL")).AsString() == plan.control) return;
    throw plat::Error(plat::Clase::NoExiste, QStringLiteral("El documento %1 ya no existe en %2")
                                                 .arg(plan.numero, plan.tablaEncabezado));
  };
  const bool recepcion = plan.letra == u'R';
  u.Fija(QStringLiteral("CE"), [&] {
    buscaEncabezado();
    if (recepcion) FijaFila(*encabezado, {{"STDOC_O", kMarcaCancelada}, {"proceso", kMarcaCancelada}});
    else FijaFila(*encabezado, {{"STDOC_O", kMarcaCancelada}});
  });
  if (!recepcion) return;

  DevuelveEntradasCompra(u, plan);
  u.Fija(QStringLiteral("CL"), [&] {
    const auto lineas = AbreConEspera(plan.carpetaDatos, plan.tablaPartidas, kTagPartidaCompra);
    MarcaPartidasCanceladas(*lineas, plan.numero, plan.control);
  });
  u.Fija(QStringLiteral("CM"), [&] { CancelaEspejoCompra(plan.carpetaInventario, plan.numero, plan.control); });
  // The charge row the receipt's save wrote no longer owes anything.
  u.Fija(QStringLiteral("CP"), [&] {
    const auto cuentas = AbreConEspera(plan.carpetaDatos, kTablaCuentasPagar, QStringLiteral("NUCOM"));
    cuentas->SetRange({numero}, {numero});
    for (cuentas->First(); !cuentas->Eof(); cuentas->Next()) {
      if (cuentas->FieldByName(QStringLiteral("TIMOV_CP")).AsString() != kConceptoCompra) continue;
      FijaFila(*cuentas, {{"STATU_CP", kMarcaCancelada}, {"SALDO_CP", QStringLiteral("0")}});
    }
  });
  // The log gains its line once: a line a killed run may have written is
  // taken as written.
  u.Aplica(
      QStringLiteral("CB"),
      [&] {
        RegistraHistorial(plan.bitacora, plan.carpetaDatos, u'C', plan.numero, QStringLiteral("CANCELADA"),
                          plan.nombreUsuario);
        return QStringList();
      },
      [] { return QStringList(); });
  u.Fija(QStringLiteral("CG"), [&] {
    buscaEncabezado();
    FijaFila(*encabezado, {{"proceso", QStringLiteral("G")}});
  });
}

int MarcaPartidasCanceladas(db::Tabla& lineas, const QString& numero, const QString& control) {
  int marcadas = 0;
  lineas.SetRange({numero}, {numero});
  try {
    for (lineas.Last(); !lineas.Bof(); lineas.Prior()) {
      if (lineas.FieldByName(QStringLiteral("CONTROL")).AsString() != control) continue;
      if (lineas.FieldByName(QStringLiteral("TREGI_OD")).AsString() == kMarcaCancelada) continue;
      FijaFila(lineas, {{"TREGI_OD", kMarcaCancelada}});
      ++marcadas;
    }
  } catch (...) {
    lineas.CancelRange();
    throw;
  }
  lineas.CancelRange();
  return marcadas;
}
