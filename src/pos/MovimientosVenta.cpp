#include "pos/MovimientosVenta.h"

#include "customers/CuentasCobrar.h"
#include "inventory/CamposRegistro.h"
#include "inventory/PosteoMovimiento.h"
#include "platform/Error.h"
#include "platform/db/Dataset.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "foundation/UnidadTrabajo.h"

#include <QElapsedTimer>
#include <QThread>

namespace {

// Retries after a first attempt that failed, and the pause before each: all
// of them within a few seconds, so a busy moment of the network passes.

QString Texto(const db::Dataset& d, const char* campo) { return d.FieldByName(QString::fromLatin1(campo)).AsString(); }

}  // namespace

QString DocumentoMovimientoVenta(const MovimientoVenta& venta) {
  return QString(venta.letra) + venta.numero + u'-' + QString::number(venta.control);
}

void LlenaMovimientoVenta(db::Dataset& movimiento, const MovimientoVenta& venta, const db::Dataset& captura,
                          qint64 numero) {
  EncabezadoMovimiento documento;
  documento.numero = numero;
  documento.concepto = venta.concepto;
  documento.fecha = venta.fecha;
  documento.contraparte = venta.cliente;
  documento.referencia = venta.numero;
  documento.almacen = 1;
  TPartidaCapturaMovimiento partida;
  partida.CANTIDAD = registro::LeeReal(captura.FieldByName(QStringLiteral("CANTIDAD")));
  partida.CLAVE = Texto(captura, "CLAVE");
  partida.DESCRIPCION = Texto(captura, "PRODUCTO");
  partida.COSTO = registro::LeeImporte(captura.FieldByName(QStringLiteral("COSTO")));
  partida.PRECIO = registro::LeeImporte(captura.FieldByName(QStringLiteral("PRECIO")));
  CamposRenglon(movimiento, documento, partida, venta.concepto, partida.CANTIDAD.value_or(0));
  const auto campo = [&](const char* nombre) -> db::Campo& {
    return movimiento.FieldByName(QString::fromLatin1(nombre));
  };
  campo("CLDOC_MI").SetAsInteger(numero);
  campo("CONTROL").SetAsInteger(venta.control);
  campo("NUDOC_MI").SetAsString(DocumentoMovimientoVenta(venta));
  campo("CLVEN_MI").SetAsString(venta.vendedor);
  campo("BANAF_MI").SetAsString(QStringLiteral("F"));
  campo("EXIST_MI").SetAsFloat(0);
  campo("HORAF_F").SetAsInteger(venta.usuario);
}

void LlenaEspejo(db::Dataset& espejo, const db::Dataset& linea, const QString& usuario, const QString& caja) {
  const auto campo = [&](const char* nombre) -> db::Campo& { return espejo.FieldByName(QString::fromLatin1(nombre)); };
  const auto de = [&](const char* nombre) -> const db::Campo& {
    return linea.FieldByName(QString::fromLatin1(nombre));
  };
  campo("CLDOC_MI").SetAsString(de("CLDOC_FD").AsString());
  campo("CLPRO_MI").SetAsString(de("CLPRO_FD").AsString());
  campo("TIMOV_MI").SetAsInteger(3);
  campo("FEDOC_MI").SetAsDate(de("FEDOC_FD").AsDate());
  registro::Escribe(campo("CANTI_MI"), registro::LeeReal(de("CANTI_FD")));
  registro::Escribe(campo("PUNIT_MI"), registro::LeeImporte(de("PUNPR_FD")));
  registro::Escribe(campo("COSUN_MI"), registro::LeeImporte(de("COPRO_FD")));
  campo("CONTROL").SetAsInteger(de("CONTROL").AsInteger());
  campo("USUARIO").SetAsString(usuario);
  campo("PCXXX_MI").SetAsString(caja);
}

void EscribeEspejoLineas(db::Tabla& lineas, const QString& carpeta, const QString& numero, UnidadTrabajo* unidad,
                         const std::function<bool(const db::Dataset& linea)>& toma,
                         const std::function<void(db::Dataset& espejo, const db::Dataset& linea)>& llena) {
  db::Tabla espejo;
  espejo.SetCarpeta(carpeta);
  espejo.SetNombreTabla(kTablaEspejo);
  espejo.Open();
  EsperaBloqueos(espejo);
  lineas.SetRange({numero}, {numero});
  for (lineas.First(); !lineas.Eof(); lineas.Next()) {
    if (!toma(lineas)) continue;
    if (unidad) {
      unidad->Agrega(
          espejo, QStringLiteral("ES") + QString::number(lineas.RecNo()), [&](db::Dataset& fila) { llena(fila, lineas); });
      continue;
    }
    espejo.Append();
    try {
      llena(espejo, lineas);
      espejo.Post();
    } catch (...) {
      espejo.Cancel();
      throw;
    }
  }
}

bool EscribeConReintentos(const std::function<void()>& escribe, const std::function<void()>& primeraFalla,
                          const std::function<void(int intento)>& aviso, int reintentos, unsigned long pausaMs,
                          int plazoMs) {
  // The time spent in the attempts themselves.
  qint64 gastado = 0;
  const auto intenta = [&] {
    QElapsedTimer reloj;
    reloj.start();
    try {
      escribe();
    } catch (const std::exception&) {
      gastado += reloj.elapsed();
      return false;
    }
    return true;
  };
  if (intenta()) return true;
  if (primeraFalla) primeraFalla();
  for (int intento = 0; intento < reintentos; ++intento) {
    if (plazoMs > 0 && gastado >= plazoMs) break;
    QThread::msleep(pausaMs);
    if (intenta()) return true;
    if (aviso) aviso(intento);
  }
  return false;
}

void AnotaSinMovimiento(const QString& programa, const QString& numero) {
  const QString ruta = fs::Une(programa, kArchivoSinMovimiento);
  try {
    if (fs::ExisteArchivo(ruta)) {
      const QStringList lineas = fs::LeeLineas(ruta);
      if (!lineas.isEmpty() && lineas.last() == numero) return;
    }
    fs::AgregaLinea(ruta, numero);
  } catch (const plat::Error&) {
  }
}

