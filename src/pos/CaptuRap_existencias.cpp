// The stock of a sale on the sale screen: each saved line's exit from its
// product, kits exploded into their components, the shortage log of stock
// writes that failed, the reserved quantities of a document under change,
// and what a saved document's lines took given back when it is cancelled
// or changed (the rules are ExistenciasVenta.h's).
//
// During a save each change of a product row or of its totals row is a step
// of the save's unit of work: it is applied once, a run again over the
// journal takes its result from there, and one whose outcome a killed run
// left unknown is never applied again but noted in Existe.dbf.

#include "foundation/dialogos.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "inventory/CamposRegistro.h"
#include "inventory/RegistroProducto.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/ExistenciasVenta.h"
#include "pos/PartidasDocumento.h"
#include "pos/PlanGuardado.h"
#include "foundation/UnidadTrabajo.h"
#include "pos/XPrecio.h"
#include "shell/LugarTablas.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>
#include <cmath>

namespace {

const QString kAplicada = QStringLiteral("aplicada");
const QString kRechazada = QStringLiteral("rechazada");
const QString kFaltante = QStringLiteral("faltante");  // the write failed: nothing changed
const QString kDudosa = QStringLiteral("dudosa");      // a killed run left it unknown

}  // namespace

QStringList TFormaCapturaRapida::CambiaExistencia(const QString& paso, const QString& clave, double cantidad,
                                                  const std::function<QStringList()>& cambio) {
  // A row another station keeps past the retries, or any other failure of
  // the write, changes nothing: the line goes on and the shortage is noted.
  const auto aplica = [&]() -> QStringList {
    try {
      return cambio();
    } catch (const plat::Error&) {
      return {kFaltante};
    }
  };
  const QStringList r = plan_ ? guardado_->Aplica(paso, aplica, [] { return QStringList{kDudosa}; }) : aplica();
  if (r.value(0) == kFaltante || r.value(0) == kDudosa) AnotaFaltante(paso, clave, cantidad);
  return r;
}

void TFormaCapturaRapida::AnotaFaltante(const QString& paso, const QString& clave, double cantidad) {
  TFaltanteExistencia faltante;
  faltante.CLAVE = clave;
  faltante.CANTI = cantidad;
  faltante.CONTROL = QString::number(ControlDocumento);
  faltante.MODULO = plan_ ? plan_->tipo : Base->currentText();
  faltante.MOVIMIENTO = plan_ ? plan_->concepto : ConceptoMovimiento;
  db::Tabla existe;
  ApuntaTabla(existe, kTablaFaltantes);
  existe.Open();
  if (plan_) {
    guardado_->Agrega(
        existe, QStringLiteral("F") + paso, [&](db::Dataset& fila) { faltante.Escribe(fila); });
    return;
  }
  existe.Append();
  faltante.Escribe(existe);
  existe.Post();
}

void TFormaCapturaRapida::RegistraFaltanteExistencia(const QString& clave, const QString& carpeta,
                                                     const QString& control, double cantidad) {
  db::Tabla existe;
  existe.SetCarpeta(carpeta);
  existe.SetNombreTabla(kTablaFaltantes);
  existe.Open();
  TFaltanteExistencia faltante;
  faltante.CLAVE = clave;
  faltante.CANTI = cantidad;
  faltante.CONTROL = control;
  faltante.MODULO = Base->currentText();
  faltante.MOVIMIENTO = ConceptoMovimiento;
  existe.Append();
  faltante.Escribe(existe);
  existe.Post();
}

void TFormaCapturaRapida::ActualizaKardexProducto(int signo, const QString& clave, double cantidad,
                                                  double existencia) {
  ::ActualizaKardexProducto(*TablaKardex, signo, clave, cantidad, existencia);
}

double TFormaCapturaRapida::DescuentaExistenciaPartida() {
  const QString clave = Partida("CLAVE").AsString();
  if (clave.isEmpty() || clave == kClaveComentario || !TablaInventario->Active() ||
      !TablaInventario->FindKey({clave}) ||
      TablaInventario->FieldByName(QStringLiteral("DSCPR_I")).AsString().isEmpty())
    return 0;
  const QString fila = QString::number(TablaDeta->RecNo());
  const QString paso = QStringLiteral("S") + fila;
  const bool decidida = plan_ && guardado_->Hecho(paso);
  const double cantidad = Partida("CANTIDAD").AsFloat();
  const Dinero precio = registro::LeeImporte(Partida("PRECIO")).value_or(Dinero());
  QDate fecha;
  if (plan_) fecha = plan_->Valor(QStringLiteral("FEDOC_F")).toDate();
  else LeeFecha(EditFEDOC_F->text(), fecha);
  const bool rechaza = plan_ ? plan_->rechazaSinExistencia : Conf.FacturarSinExistencias == QStringLiteral("N");
  const bool sinNegativos = plan_ ? plan_->sinNegativos : Conf.ExistenciasNegativas == QStringLiteral("N");
  const double leida = TablaInventario->FieldByName(QStringLiteral("EXIST_I")).AsFloat();

  const QStringList r = CambiaExistencia(paso, clave, cantidad, [&] {
    const SalidaExistencia s = DescuentaExistencia(*TablaInventario, cantidad, precio, fecha, rechaza, sinNegativos);
    if (s.rechazada) return QStringList{kRechazada, TextoReal(s.inicial)};
    return QStringList{kAplicada, TextoReal(s.inicial), TextoReal(s.final), TextoReal(s.sinTope)};
  });
  const QString estado = r.value(0);
  EditaFila(*TablaDeta);
  if (estado == kRechazada) {
    if (!decidida)
      MuestraMensaje(QStringLiteral("No hay Existencias Suficientes Para Surtir ") + Partida("PRODUCTO").AsString() +
                     QStringLiteral("  Existencias ") + r.value(1));
    Partida("CANTIDAD").SetAsFloat(0);
    Partida("PREC_TARA").SetAsFloat(0);
    TablaDeta->Post();
    return -1;
  }
  if (estado == kAplicada) {
    Partida("INICIAL").SetAsFloat(ValorNumerico(r.value(1)));
    Partida("FINAL").SetAsFloat(ValorNumerico(r.value(2)));
    Partida("PREC_TARA").SetAsFloat(cantidad);
  } else if (estado == kFaltante) {
    Partida("INICIAL").SetAsFloat(leida);
    Partida("FINAL").SetAsFloat(leida);
  }
  TablaDeta->Post();
  if (estado != kAplicada) return leida;
  // The totals keep the stock before the clamp at zero.
  CambiaExistencia(QStringLiteral("K") + fila, clave, cantidad, [&] {
    ActualizaKardexProducto(-1, clave, cantidad, ValorNumerico(r.value(3)));
    return QStringList{kAplicada};
  });
  return ValorNumerico(r.value(2));
}

void TFormaCapturaRapida::ExplotaKit(const QString& cantidad, const QString& clave) {
  const QString fila = QString::number(TablaDeta->RecNo());
  const double kits = ValorNumerico(cantidad);
  const qint64 control = plan_ ? plan_->control : ControlDocumento;
  const QString numero = plan_ ? numeroGuardado_ : EditCLDOC_F->text();
  QDate fecha;
  if (plan_) fecha = plan_->Valor(QStringLiteral("FEDOC_F")).toDate();
  else LeeFecha(EditFEDOC_F->text(), fecha);
  const qint64 usuarioLinea = plan_ ? plan_->usuario : NumeroUsuario();
  const QString tara = Partida("TARA").AsString();
  const QVariant fpgc = Partida("FPGC").Value();

  db::Tabla componentes;
  ApuntaTabla(componentes, kTablaKits);
  componentes.SetIndexName(QStringLiteral("CLPRO_I"));
  componentes.SetReadOnly(true);
  componentes.Open();
  componentes.SetRange({clave}, {clave});
  int j = 0;
  for (; !componentes.Eof(); componentes.Next()) {
    const QString componente = componentes.FieldByName(QStringLiteral("CLPRO_K")).AsString();
    if (componente.isEmpty()) continue;
    const QString paso = fila + u'.' + QString::number(++j);
    if (plan_ && guardado_->Hecho(QStringLiteral("X") + paso)) continue;
    const double canti = componentes.FieldByName(QStringLiteral("CANTI_K")).AsFloat() * kits;
    const QString descripcion = componentes.FieldByName(QStringLiteral("DESCR_K")).AsString();
    // A component that is a product: its stock lowered, unchecked and
    // unclamped, and its totals.
    bool bajada = false;
    if (TablaInventario->Active() && TablaInventario->FindKey({componente})) {
      const QStringList r = CambiaExistencia(QStringLiteral("S") + paso, componente, canti, [&] {
        return QStringList{kAplicada, TextoReal(SumaExistencia(*TablaInventario, -canti))};
      });
      bajada = r.value(0) == kAplicada;
      if (bajada)
        CambiaExistencia(QStringLiteral("K") + paso, componente, canti, [&] {
          ActualizaKardexProducto(-1, componente, canti, ValorNumerico(r.value(1)));
          return QStringList{kAplicada};
        });
    }
    GrabaFilaDocumento(
        *TablaFacturaD, QStringLiteral("X") + paso, true,
        [&](db::Dataset& l) {
          const auto campo = [&l](const char* nombre) -> db::Campo& {
            return l.FieldByName(QString::fromLatin1(nombre));
          };
          campo("CLDOC_FD").SetAsString(numero);
          campo("CONTROL").SetAsInteger(control);
          campo("CLPRO_FD").SetAsString(componente);
          campo("CANTI_FD").SetAsFloat(canti);
          campo("PENDI_FD").SetAsString(tara);
          campo("DEPRO_FD").SetAsString(descripcion);
          campo("PUNPR_FD").SetAsFloat(0);
          campo("PREDE_FD").SetAsFloat(0);
          campo("IMPOR_FD").SetAsFloat(0);
          campo("FEDOC_FD").SetAsDate(fecha);
          campo("FPGCX_FD").SetValue(fpgc);
          campo("FECHA").SetAsInteger(SelloFecha(fecha));
          campo("TIPOX_FD").SetAsString(QStringLiteral("X"));
          campo("HORAF_F").SetAsInteger(usuarioLinea);
          campo("PCOMI_FD").SetAsString(bajada ? QStringLiteral("-1") : QStringLiteral("0"));
        });
  }
}

void TFormaCapturaRapida::AcumulaReservaProducto(const QString& clave, double cantidad) {
  AcumulaReserva(ClavesReservadas, CantidadesReservadas, clave, cantidad);
}

QList<std::pair<QString, double>> TFormaCapturaRapida::FaltantesDeControl(qint64 control) const {
  QList<std::pair<QString, double>> faltantes;
  if (!TablaInventario->Active()) return faltantes;
  db::Tabla existe;
  existe.SetCarpeta(TablaInventario->Carpeta());
  existe.SetNombreTabla(kTablaFaltantes);
  existe.SetReadOnly(true);
  try {
    existe.Open();
  } catch (const plat::Error&) {
    return faltantes;  // no log: no line failed
  }
  const QString texto = QString::number(control);
  for (existe.First(); !existe.Eof(); existe.Next())
    if (existe.FieldByName(QStringLiteral("CONTROL")).AsString().trimmed() == texto)
      faltantes.append({existe.FieldByName(QStringLiteral("CLAVE")).AsString(),
                        existe.FieldByName(QStringLiteral("CANTI")).AsFloat()});
  return faltantes;
}

void TFormaCapturaRapida::DevuelveEfectosVenta(const QString& numero, qint64 control) {
  struct Devuelta {
    qint64 registro;
    QString clave;
    EfectoPartida efecto;
  };
  // A line whose stock write failed at its save (noted in Existe.dbf under
  // the document's control) took nothing.
  QList<std::pair<QString, double>> faltantes = FaltantesDeControl(control);
  QList<Devuelta> devueltas;
  db::Tabla& lineas = *TablaFacturaD;
  lineas.SetRange({numero}, {numero});
  for (lineas.First(); !lineas.Eof(); lineas.Next()) {
    if (lineas.FieldByName(QStringLiteral("CONTROL")).AsInteger() != control) continue;
    const QString clave = lineas.FieldByName(QStringLiteral("CLPRO_FD")).AsString();
    const double cantidad = lineas.FieldByName(QStringLiteral("CANTI_FD")).AsFloat();
    const auto faltante = std::find_if(faltantes.begin(), faltantes.end(), [&](const auto& f) {
      return f.first == clave && std::abs(f.second - cantidad) < 0.0005;
    });
    if (faltante != faltantes.end()) {
      faltantes.erase(faltante);
      continue;
    }
    if (const std::optional<EfectoPartida> e = EfectoPartidaVenta(lineas)) devueltas.append({lineas.RecNo(), clave, *e});
  }
  for (const Devuelta& d : devueltas) {
    if (!TablaInventario->Active() || !TablaInventario->FindKey({d.clave})) continue;
    const QString fila = QString::number(d.registro);
    const QStringList r = CambiaExistencia(QStringLiteral("VE") + fila, d.clave, -d.efecto.existencia, [&] {
      return QStringList{kAplicada, TextoReal(DevuelveExistencia(*TablaInventario, d.efecto))};
    });
    if (r.value(0) != kAplicada || d.efecto.totales == 0) continue;
    CambiaExistencia(QStringLiteral("VK") + fila, d.clave, -d.efecto.totales, [&] {
      ActualizaKardexProducto(1, d.clave, d.efecto.totales, ValorNumerico(r.value(1)));
      return QStringList{kAplicada};
    });
  }
}

bool TFormaCapturaRapida::PartidasConvertidas() {
  db::Tabla& lineas = *TablaFacturaD;
  if (!lineas.Active() || !HayFila(*TablaFacturae)) return false;
  const QString numero = TablaFacturae->FieldByName(QStringLiteral("CLDOC_F")).AsString();
  const qint64 control = TablaFacturae->FieldByName(QStringLiteral("CONTROL")).AsInteger();
  lineas.SetRange({numero}, {numero});
  for (lineas.First(); !lineas.Eof(); lineas.Next())
    if (lineas.FieldByName(QStringLiteral("CONTROL")).AsInteger() == control &&
        !lineas.FieldByName(QStringLiteral("TDOCU_FD")).AsString().isEmpty())
      return true;
  return false;
}

void TFormaCapturaRapida::BorraPartidasAnteriores() {
  guardado_->Fija(QStringLiteral("B"), [this] { BorraLineasDocumento(); });
}
