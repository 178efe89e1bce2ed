#include "pos/ExistenciasVenta.h"

#include "foundation/rutinas_numero.h"
#include "inventory/CamposRegistro.h"
#include "inventory/RegistroMovimiento.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "pos/DocumentosVenta.h"

namespace {

// Thrown from inside the stock change to give it up untouched.
struct Rechazo {};

void Suma(db::Campo& campo, double cantidad) { campo.SetAsFloat(registro::LeeReal(campo).value_or(0) + cantidad); }

}  // namespace

SalidaExistencia DescuentaExistencia(db::Tabla& productos, double cantidad, Dinero precio, const QDate& fecha,
                                     bool rechazaSinExistencia, bool sinNegativos) {
  SalidaExistencia s;
  try {
    SumaExistencia(productos, -cantidad, [&](db::Tabla& t) {
      const auto campo = [&t](const char* nombre) -> db::Campo& { return t.FieldByName(QString::fromLatin1(nombre)); };
      db::Campo& existencia = campo("EXIST_I");
      // The stock read under the lock, before and after the line.
      s.sinTope = existencia.AsFloat();
      s.inicial = s.sinTope + cantidad;
      if (rechazaSinExistencia && cantidad > s.inicial) {
        s.rechazada = true;
        throw Rechazo{};
      }
      s.final = s.sinTope;
      if (s.final < 0 && sinNegativos) {
        s.final = 0;
        existencia.SetAsFloat(0);
      }
      // What was sold is the stock actually removed.
      const double vendida = s.inicial - s.final;
      Suma(campo("VANCA_I"), vendida);
      registro::Escribe(campo("VANMO_I"),
                        std::optional(registro::LeeImporte(campo("VANMO_I")).value_or(Dinero()) + precio * vendida));
      campo("FEULV_I").SetAsDate(fecha);
      campo("HORAF_F").SetAsFloat(NumeroFechaHora(fs::Ahora()));
    });
  } catch (const Rechazo&) {
    // The edit was given up: the row is as it was.
  }
  return s;
}

std::optional<EfectoPartida> EfectoPartidaVenta(const db::Dataset& linea) {
  const auto campo = [&linea](const char* nombre) -> const db::Campo& {
    return linea.FieldByName(QString::fromLatin1(nombre));
  };
  if (!campo("TDOCU_FD").AsString().isEmpty()) return std::nullopt;
  const double cantidad = campo("CANTI_FD").AsFloat();
  EfectoPartida e;
  if (campo("TIPOX_FD").AsString() == u"X") {
    if (campo("PCOMI_FD").AsString().trimmed() != u"-1") return std::nullopt;
    e.existencia = cantidad;
    e.totales = cantidad;
    return e;
  }
  if (campo("INICIAL").IsNull() && campo("FINAL").IsNull()) {
    e.existencia = cantidad;
    return e;
  }
  e.existencia = campo("INICIAL").AsFloat() - campo("FINAL").AsFloat();
  e.vendida = e.existencia;
  e.precio = registro::LeeImporte(campo("PUNPR_FD")).value_or(Dinero());
  e.totales = cantidad;
  return e;
}

double DevuelveExistencia(db::Tabla& productos, const EfectoPartida& efecto) {
  return SumaExistencia(productos, efecto.existencia, [&](db::Tabla& t) {
    if (efecto.vendida == 0) return;
    db::Campo& vanmo = t.FieldByName(QStringLiteral("VANMO_I"));
    Suma(t.FieldByName(QStringLiteral("VANCA_I")), -efecto.vendida);
    registro::Escribe(vanmo, std::optional(registro::LeeImporte(vanmo).value_or(Dinero()) - efecto.precio * efecto.vendida));
  });
}

void ActualizaKardexProducto(db::Tabla& kardex, int signo, const QString& clave, double cantidad, double existencia,
                             ColumnaKardex columna) {
  const double movida = signo * cantidad;
  if (columna == ColumnaKardex::Entradas) SumaKardex(kardex, clave, movida, 0, movida, existencia);
  else SumaKardex(kardex, clave, 0, movida, movida, existencia);
}

void TFaltanteExistencia::Escribe(db::Dataset& faltantes) const {
  faltantes.FieldByName(QStringLiteral("CLAVE")).SetAsString(CLAVE);
  faltantes.FieldByName(QStringLiteral("CANTI")).SetAsFloat(CANTI);
  faltantes.FieldByName(QStringLiteral("CONTROL")).SetAsString(CONTROL);
  faltantes.FieldByName(QStringLiteral("MODULO")).SetAsString(MODULO);
  faltantes.FieldByName(QStringLiteral("MOVIMIENTO")).SetAsInteger(MOVIMIENTO);
}

void AcumulaReserva(QStringList& claves, QStringList& cantidades, const QString& clave, double cantidad) {
  const qsizetype i = claves.indexOf(clave);
  if (i < 0) {
    claves << clave;
    cantidades << TextoReal(cantidad);
    return;
  }
  while (cantidades.size() <= i) cantidades << QStringLiteral("0");
  cantidades[i] = TextoReal(ValorNumerico(cantidades[i]) + cantidad);
}
