#include "pos/PlanGuardado.h"

#include "platform/db/Dataset.h"

#include <QDate>

namespace {

const QString kCampo = QStringLiteral("E:");

QString TextoModo(PlanGuardado::Modo m) {
  switch (m) {
    case PlanGuardado::Modo::Nuevo: return QStringLiteral("nuevo");
    case PlanGuardado::Modo::Cambio: return QStringLiteral("cambio");
    case PlanGuardado::Modo::Cancelacion: return QStringLiteral("cancelacion");
    default: return QStringLiteral("derivado");
  }
}

QString Si(bool b) { return b ? QStringLiteral("S") : QStringLiteral("N"); }

}  // namespace

UnidadTrabajo::Datos PlanGuardado::Datos() const {
  UnidadTrabajo::Datos d = {
      {"tipo", tipo},
      {"letra", QString(letra)},
      {"modo", TextoModo(modo)},
      {"control", QString::number(control)},
      {"controlAnterior", QString::number(controlAnterior)},
      {"registro", QString::number(registro)},
      {"ajuste", QString::number(ajuste)},
      {"usuario", QString::number(usuario)},
      {"usuarioTexto", usuarioTexto},
      {"vendedor", vendedor},
      {"factor", QString::number(factor, 'g', 17)},
      {"datos", carpetaDatos},
      {"carpetaEncabezado", carpetaEncabezado},
      {"tablaEncabezado", tablaEncabezado},
      {"carpetaPartidas", carpetaPartidas},
      {"tablaPartidas", tablaPartidas},
      {"rechazaSinExistencia", Si(rechazaSinExistencia)},
      {"sinNegativos", Si(sinNegativos)},
      {"kits", Si(kits)},
      {"basesCerradas", Si(basesCerradas)},
      {"bitacora", Si(bitacora)},
      {"concepto", QString::number(concepto)},
      {"movimientos", Si(movimientos)},
      {"espejo", Si(espejo)},
      {"limiteAcumulado", QString::number(limiteAcumulado, 'g', 17)},
      {"caja", caja},
      {"totalAnterior", totalAnterior.Texto()},
      {"remisiones", carpetaRemisiones},
      {"abonaMostrador", Si(abonaMostrador)},
      {"autoriza", QString::number(autoriza)},
      {"facturadas", remisionesFacturadas},
  };
  for (qsizetype i = 0; i < clavesReservadas.size(); ++i)
    d.append({QStringLiteral("R:") + clavesReservadas[i], cantidadesReservadas.value(i)});
  for (const auto& [campo, valor] : encabezado) d.append({kCampo + campo, CodificaValor(valor)});
  return d;
}

PlanGuardado PlanGuardado::De(const UnidadTrabajo::Datos& datos) {
  PlanGuardado p;
  for (const auto& [clave, valor] : datos) {
    if (clave.startsWith(kCampo)) {
      p.encabezado.append({clave.mid(kCampo.size()), DecodificaValor(valor)});
    } else if (clave.startsWith(u"R:")) {
      p.clavesReservadas << clave.mid(2);
      p.cantidadesReservadas << valor;
    } else if (clave == u"tipo") p.tipo = valor;
    else if (clave == u"letra") p.letra = valor.isEmpty() ? QChar() : valor[0];
    else if (clave == u"modo")
      p.modo = valor == u"nuevo"         ? Modo::Nuevo
               : valor == u"cambio"      ? Modo::Cambio
               : valor == u"cancelacion" ? Modo::Cancelacion
                                         : Modo::Derivado;
    else if (clave == u"control") p.control = valor.toLongLong();
    else if (clave == u"controlAnterior") p.controlAnterior = valor.toLongLong();
    else if (clave == u"registro") p.registro = valor.toLongLong();
    else if (clave == u"ajuste") p.ajuste = valor.toLongLong();
    else if (clave == u"usuario") p.usuario = valor.toLongLong();
    else if (clave == u"usuarioTexto") p.usuarioTexto = valor;
    else if (clave == u"vendedor") p.vendedor = valor;
    else if (clave == u"factor") p.factor = valor.toDouble();
    else if (clave == u"datos") p.carpetaDatos = valor;
    else if (clave == u"carpetaEncabezado") p.carpetaEncabezado = valor;
    else if (clave == u"tablaEncabezado") p.tablaEncabezado = valor;
    else if (clave == u"carpetaPartidas") p.carpetaPartidas = valor;
    else if (clave == u"tablaPartidas") p.tablaPartidas = valor;
    else if (clave == u"rechazaSinExistencia") p.rechazaSinExistencia = valor == u"S";
    else if (clave == u"sinNegativos") p.sinNegativos = valor == u"S";
    else if (clave == u"kits") p.kits = valor == u"S";
    else if (clave == u"basesCerradas") p.basesCerradas = valor == u"S";
    else if (clave == u"bitacora") p.bitacora = valor == u"S";
    else if (clave == u"concepto") p.concepto = valor.toInt();
    else if (clave == u"movimientos") p.movimientos = valor == u"S";
    else if (clave == u"espejo") p.espejo = valor == u"S";
    else if (clave == u"limiteAcumulado") p.limiteAcumulado = valor.toDouble();
    else if (clave == u"caja") p.caja = valor;
    else if (clave == u"totalAnterior") p.totalAnterior = Dinero::DeTexto(valor);
    else if (clave == u"remisiones") p.carpetaRemisiones = valor;
    else if (clave == u"abonaMostrador") p.abonaMostrador = valor == u"S";
    else if (clave == u"autoriza") p.autoriza = valor.toLongLong();
    else if (clave == u"facturadas") p.remisionesFacturadas = valor;
  }
  return p;
}

QVariant PlanGuardado::Valor(const QString& campo) const {
  for (const auto& [nombre, valor] : encabezado)
    if (nombre.compare(campo, Qt::CaseInsensitive) == 0) return valor;
  return {};
}

void PlanGuardado::EscribeEncabezado(db::Dataset& e) const {
  for (const auto& [nombre, valor] : encabezado) {
    if (nombre.compare(QStringLiteral("CLDOC_F"), Qt::CaseInsensitive) == 0) continue;
    if (db::Campo* c = e.FindField(nombre)) c->SetValue(valor);
  }
}

void PlanGuardado::LeeEncabezado(const db::Dataset& e) {
  encabezado.clear();
  for (int i = 0; i < e.FieldCount(); ++i) encabezado.append({e.Fields(i).Nombre(), e.Fields(i).Value()});
}

void PlanGuardado::Fija(const QString& campo, const QVariant& valor) {
  for (auto& [nombre, v] : encabezado)
    if (nombre.compare(campo, Qt::CaseInsensitive) == 0) {
      v = valor;
      return;
    }
  encabezado.append({campo, valor});
}
