#include "purchasing/GuardaCompra.h"

#include "customers/CuentasCobrar.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "inventory/DocumentoMovimiento.h"
#include "inventory/PosteoMovimiento.h"
#include "inventory/RegistroMovimiento.h"
#include "inventory/RegistroProducto.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/db/Literales.h"
#include "platform/db/Numeracion.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Real6.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "pos/CaptuRap_comun.h"
#include "pos/ControlVenta.h"
#include "pos/DocumentosVenta.h"
#include "pos/EscrituraGuardado.h"
#include "pos/ExistenciasVenta.h"
#include "pos/MovimientosVenta.h"
#include "pos/NumeroFinal.h"
#include "foundation/UnidadTrabajo.h"
#include "purchasing/CuentaPagar.h"
#include "purchasing/DocumentosCompra.h"
#include "shell/LugarTablas.h"

#include <QDate>
#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace {

const QString kExtra = QStringLiteral("C:");
const QString kErrorControl = QStringLiteral("Ocurrio un error en el directorio de Control");
// A changed receipt with more line rows than this keeps its mirror as it is.
constexpr int kLimiteEspejo = 500;

QString Texto(const db::Dataset& d, const char* campo) { return d.FieldByName(QString::fromLatin1(campo)).AsString(); }
double Real(const db::Dataset& d, const char* campo) { return d.FieldByName(QString::fromLatin1(campo)).AsFloat(); }
Dinero ImporteDe(const db::Dataset& d, const char* campo) { return Dinero::DeReal(Real(d, campo)); }
QVariant Importe(Dinero d) { return d.Texto(); }
QString Si(bool b) { return b ? QStringLiteral("S") : QStringLiteral("N"); }

QDate FechaDe(const QVariant& v) {
  if (v.typeId() == QMetaType::QDate) return v.toDate();
  QDate f;
  LeeFecha(v.toString(), f);
  return f;
}

// A date for a row's values: a blank one as no value, so a row written
// with it is recognised again.
QVariant ValorFecha(const QVariant& v) {
  const QDate f = FechaDe(v);
  return f.isValid() ? QVariant(f) : QVariant();
}

// The concept text of purchases (51) in concepto.dbf; "" without one.
QString TextoConceptoCompra(const QString& carpetaDatos) {
  try {
    db::Tabla conceptos;
    ApuntaTabla(conceptos, QStringLiteral("concepto.dbf"), db::Carpetas{carpetaDatos, {}, {}, {}});
    conceptos.SetIndexName(QStringLiteral("NUME"));
    conceptos.SetReadOnly(true);
    conceptos.Open();
    if (conceptos.FindKey({kConceptoCompra.toLongLong()})) return Texto(conceptos, "CONCE_MO");
  } catch (const plat::Error&) {
  }
  return {};
}

void EjecutaEspejo(const QString& sql) {
  try {
    db::Consulta q;
    q.SetSQL(sql);
    q.ExecSQL();
  } catch (const std::exception&) {
  }
}

QString CondicionEspejo(const QString& numero, const QString& control) {
  bool entero = false;
  const qint64 c = control.trimmed().toLongLong(&entero);
  return QStringLiteral(" WHERE CLDOC_MI=") + db::LiteralComillas(numero) + QStringLiteral(" and CONTROL=") +
         (entero ? QString::number(c) : db::LiteralComillas(control)) + QStringLiteral(" and TIMOV_MI=") +
         kConceptoCompra;
}

// The movement mirror in the inventory folder the save resolved.
QString RutaEspejo(const QString& carpetaInventario) {
  return TablaSQL(QStringLiteral("Movimientos.dbf"), db::Carpetas{{}, carpetaInventario, {}, {}});
}

}  // namespace

// --- The plan.

UnidadTrabajo::Datos PlanCompra::Datos() const {
  UnidadTrabajo::Datos d = base.Datos();
  d.append({kExtra + QStringLiteral("programa"), carpetaPrograma});
  d.append({kExtra + QStringLiteral("inventario"), carpetaInventario});
  d.append({kExtra + QStringLiteral("nombre"), nombreUsuario});
  d.append({kExtra + QStringLiteral("inicio"), QString::number(controlInicio)});
  d.append({kExtra + QStringLiteral("precios"), Si(calculaPrecios)});
  d.append({kExtra + QStringLiteral("mayor"), Si(costoMayor)});
  d.append({kExtra + QStringLiteral("formula"), Si(formula)});
  d.append({kExtra + QStringLiteral("politica"), Si(politica)});
  d.append({kExtra + QStringLiteral("orden"), Si(desdeOrden)});
  d.append({kExtra + QStringLiteral("margen"), QString::number(margenProveedor, 'g', 17)});
  return d;
}

PlanCompra PlanCompra::De(const UnidadTrabajo::Datos& datos) {
  PlanCompra p;
  p.base = PlanGuardado::De(datos);
  for (const auto& [clave, valor] : datos) {
    if (!clave.startsWith(kExtra)) continue;
    const QString c = clave.mid(kExtra.size());
    if (c == u"programa") p.carpetaPrograma = valor;
    else if (c == u"inventario") p.carpetaInventario = valor;
    else if (c == u"nombre") p.nombreUsuario = valor;
    else if (c == u"inicio") p.controlInicio = valor.toLongLong();
    else if (c == u"precios") p.calculaPrecios = valor == u"S";
    else if (c == u"mayor") p.costoMayor = valor == u"S";
    else if (c == u"formula") p.formula = valor == u"S";
    else if (c == u"politica") p.politica = valor == u"S";
    else if (c == u"orden") p.desdeOrden = valor == u"S";
    else if (c == u"margen") p.margenProveedor = valor.toDouble();
  }
  return p;
}

QString PlanCompra::Numero() const { return base.Valor(QStringLiteral("CLDOC_O")).toString(); }
QString PlanCompra::Proveedor() const { return base.Valor(QStringLiteral("CLPRV_O")).toString(); }
Dinero PlanCompra::Total() const { return Dinero::DeReal(base.Valor(QStringLiteral("IMDOC_O")).toDouble()); }

// --- Standalone routines.

bool EsCostoPromedio(const QString& metodo) {
  const QString m = metodo.trimmed().toUpper();
  return m == u"PRO" || m == u"PROM";
}

double CalculaCostoPromedio(const QString& metodo, double existencia, double cantidad, double promedio, double costo) {
  const bool promedia = metodo.trimmed().isEmpty() || EsCostoPromedio(metodo);
  if (!(existencia > 0) || !promedia) return fs::AjustaReal6(costo);
  const double piezas = existencia + cantidad;
  if (std::abs(piezas) < 1e-9) return promedio;
  return fs::AjustaReal6((existencia * promedio + cantidad * costo) / piezas);
}

Dinero RedondeaDosDecimales(Dinero importe) { return importe.Redondeada(2); }

QString NormalizaCaducidad(const QString& texto) {
  if (texto.isEmpty()) return texto;
  if (texto.size() == 6) return texto.left(2) + u'/' + texto.mid(2, 2) + u'/' + texto.mid(4, 2);
  QDate fecha;
  if (!LeeFecha(texto.trimmed(), fecha) || !fecha.isValid()) fecha = fs::Hoy();
  return TextoFecha(fecha);
}

ValoresFila CalculaPreciosVenta(const db::Dataset& producto, double base, double utilidad) {
  static const char* const pares[][2] = {{"PORC1_I", "PPUBL_I"}, {"PORC2_I", "PLIS2_I"}, {"PORC3_I", "PLIS3_I"},
                                         {"PORC4_I", "PLIS4_I"}, {"PORC5_I", "PMINI_I"}, {"PORC6_I", "PLIS6_I"},
                                         {"PORC7_I", "PLIS7_I"}};
  ValoresFila v;
  for (int i = 0; i < 7; ++i) {
    double porcentaje = Real(producto, pares[i][0]);
    if (i == 0 && std::abs(utilidad - porcentaje) > 1e-9) {
      porcentaje = utilidad;
      v.append({QStringLiteral("PORC1_I"), utilidad});
    }
    if (!(porcentaje > 1)) continue;
    const Dinero precio = RedondeaDosDecimales(Dinero::DeReal(base * (porcentaje * 0.01 + 1)));
    v.append({QString::fromLatin1(pares[i][1]), Importe(precio)});
  }
  return v;
}

void AcumulaCantidadAnterior(QStringList& claves, QStringList& cantidades, const QString& clave, double cantidad) {
  for (qsizetype i = 0; i < claves.size(); ++i) {
    if (claves[i].compare(clave, Qt::CaseInsensitive) != 0) continue;
    cantidades[i] = TextoReal(ValorNumerico(cantidades.value(i)) + cantidad);
    return;
  }
  claves << clave;
  cantidades << TextoReal(cantidad);
}

bool TienePagosCompra(const QString& carpetaDatos, qint64 numero) {
  db::Tabla t;
  t.SetCarpeta(carpetaDatos);
  t.SetNombreTabla(kTablaCuentasPagar);
  t.SetReadOnly(true);
  t.Open();
  return LeeCuentaPagar(t, numero).ConPagos();
}

bool PagosSinCancelar(const QString& carpetaDatos, const QString& numero) {
  db::Tabla t;
  t.SetCarpeta(carpetaDatos);
  t.SetNombreTabla(kTablaCuentasPagar);
  t.SetIndexName(QStringLiteral("NUCOM"));
  t.SetReadOnly(true);
  t.Open();
  t.SetRange({numero.toLongLong()}, {numero.toLongLong()});
  int vivas = 0;
  for (t.First(); !t.Eof(); t.Next())
    if (Texto(t, "STATU_CP") == u"C" && ImporteDe(t, "SALDO_CP") == ImporteDe(t, "IMCUE_CP")) ++vivas;
  return vivas == 0;
}

void RegistraConsecutivoCompra(const QString& carpetaDatos, QChar letra, const QString& numero, qint64 control) {
  try {
    const QString carpeta = fs::Une(fs::Une(carpetaDatos, QStringLiteral("Control")),
                                    fs::Ahora().date().toString(QStringLiteral("MM-yyyy")));
    if (!fs::ExisteCarpeta(carpeta)) return;
    fs::ReescribeLineas(fs::Une(carpeta, QStringLiteral("Conse.dat")),
                        {QString(letra) + u',' + numero + u',' + QString::number(control)});
  } catch (const plat::Error&) {
  }
}

void MarcaPartidasCanceladas(db::Tabla& partidas, const QString& numero, qint64 control) {
  partidas.SetRange({numero}, {numero});
  QList<qint64> registros;
  for (partidas.First(); !partidas.Eof(); partidas.Next())
    if (partidas.FieldByName(QStringLiteral("CONTROL")).AsInteger() == control) registros.prepend(partidas.RecNo());
  partidas.CancelRange();
  for (const qint64 registro : registros) {
    if (!partidas.VeARegistro(registro)) continue;
    partidas.Edit();
    partidas.FieldByName(QStringLiteral("TREGI_OD")).SetAsString(QStringLiteral("C"));
    partidas.Post();
  }
}

void CancelaEspejoCompra(const QString& carpetaInventario, const QString& numero, const QString& control) {
  EjecutaEspejo(QStringLiteral("UPDATE ") + RutaEspejo(carpetaInventario) + QStringLiteral(" SET STATUS=\"C\"") +
                CondicionEspejo(numero, control));
}

void BorraEspejoCompra(const QString& carpetaInventario, const QString& numero, const QString& control) {
  EjecutaEspejo(QStringLiteral("DELETE FROM ") + RutaEspejo(carpetaInventario) + CondicionEspejo(numero, control));
}

// --- The save.

GuardadoCompra::GuardadoCompra(UnidadTrabajo& unidad, const PlanCompra& plan, db::Tabla& encabezado,
                               db::Tabla& partidas, db::Tabla& captura, AvisosCompra avisos)
    : u_(unidad), plan_(plan), encabezado_(encabezado), partidas_(partidas), captura_(captura),
      avisos_(std::move(avisos)) {}

QString GuardadoCompra::Dato(const char* campo) const {
  return plan_.base.Valor(QString::fromLatin1(campo)).toString();
}

db::Tabla& GuardadoCompra::Abre(std::unique_ptr<db::Tabla>& t, const QString& carpeta, const QString& archivo,
                                const QString& tag) {
  if (!t) {
    t = std::make_unique<db::Tabla>();
    t->SetCarpeta(carpeta);
    t->SetNombreTabla(archivo);
    if (!tag.isEmpty()) t->SetIndexName(tag);
    t->Open();
    EsperaBloqueos(*t);
  }
  return *t;
}

QString GuardadoCompra::Ejecuta() {
  const bool nuevo = plan_.base.modo == PlanGuardado::Modo::Nuevo;
  // A changed receipt first gives back the stock it had added.
  if (!nuevo && plan_.EsRecepcion()) RestaCantidadesAnteriores();
  Encabezado();
  ProveedorCompra();
  CuentaPorPagar();
  if (!nuevo) {
    BorraPartidasCompra();
    BorraMovimientosCompra();
  }
  Partidas();
  if (!plan_.EsOrden()) {
    u_.Fija(QStringLiteral("TREFE"), [&] {
      EditaFila(encabezado_);
      encabezado_.FieldByName(QStringLiteral("TREFE_O")).SetAsInteger(1);
      encabezado_.Post();
    });
  }
  if (plan_.EsOrden() && nuevo) SumaPendiente(1);
  if (plan_.EsRecepcion() && plan_.desdeOrden) SumaPendiente(-1);
  Espejo();
  Rastros();
  return numero_;
}

void GuardadoCompra::Encabezado() {
  const PlanGuardado& p = plan_.base;
  db::Tabla& e = encabezado_;
  if (fs::Local(e.Carpeta()) != fs::Local(p.carpetaEncabezado) ||
      e.NombreTabla().compare(p.tablaEncabezado, Qt::CaseInsensitive) != 0 || !e.Active()) {
    if (Editando(e)) e.Cancel();
    e.Close();
    e.SetCarpeta(p.carpetaEncabezado);
    e.SetNombreTabla(p.tablaEncabezado);
    e.SetIndexName(kTagEncabezadoCompra);
    e.Open();
  }
  db::Tabla& l = partidas_;
  if (fs::Local(l.Carpeta()) != fs::Local(p.carpetaPartidas) ||
      l.NombreTabla().compare(p.tablaPartidas, Qt::CaseInsensitive) != 0 || !l.Active()) {
    l.Close();
    l.SetCarpeta(p.carpetaPartidas);
    l.SetNombreTabla(p.tablaPartidas);
    l.SetIndexName(kTagPartidaCompra);
    l.Open();
  }
  const auto escribe = [&p](db::Dataset& fila) {
    for (const auto& [nombre, valor] : p.encabezado) {
      if (nombre.compare(QStringLiteral("CLDOC_O"), Qt::CaseInsensitive) == 0) continue;
      if (db::Campo* c = fila.FindField(nombre)) {
        try {
          c->SetValue(valor);
        } catch (const plat::Error&) {
          // A column of the station's copy that the shared table keeps
          // otherwise is left out, as the header copy always did.
        }
      }
    }
  };
  if (p.modo == PlanGuardado::Modo::Nuevo) {
    qint64 registro = 0;
    if (const auto hecho = u_.Resultado(QStringLiteral("E"))) {
      registro = hecho->value(0).toLongLong();
    } else {
      if (!Editando(e)) e.SetIndexName(kTagEncabezadoCompra);
      registro = AgregaConSiguienteNumero(e, QStringLiteral("CLDOC_O"), [&](qint64 siguiente) {
        return u_.Agrega(
            e, QStringLiteral("E"),
            [&](db::Dataset& fila) {
              escribe(fila);
              fila.FieldByName(QStringLiteral("CLDOC_O")).SetAsInteger(siguiente);
            },
            true);
      });
    }
    if (!e.VeARegistro(registro))
      throw plat::Error(plat::Clase::NoExiste,
                        QStringLiteral("El registro %1 de la tabla %2 ya no existe").arg(registro).arg(e.NombreTabla()));
  } else {
    if (!(HayFila(e) && e.RecNo() == p.registro) && !e.VeARegistro(p.registro))
      throw plat::Error(plat::Clase::NoExiste,
                        QStringLiteral("El registro %1 de la tabla %2 ya no existe").arg(p.registro).arg(e.NombreTabla()));
    u_.Fija(QStringLiteral("E"), [&] {
      const bool propia = !Editando(e);
      if (propia) e.Edit();
      try {
        escribe(e);
        e.Post();
      } catch (...) {
        if (propia && Editando(e)) e.Cancel();
        throw;
      }
    });
  }
  numero_ = Texto(e, "CLDOC_O");
}

void GuardadoCompra::ProveedorCompra() {
  if (!plan_.EsRecepcion()) return;
  db::Tabla& t = Abre(proveedores_, plan_.base.carpetaDatos, kTablaProveedores, QStringLiteral("ICLAPRO"));
  if (!t.FindKey({plan_.Proveedor()})) return;
  // A change adds only what its total moved.
  const Dinero diferencia = plan_.Total() - plan_.base.totalAnterior;
  const QDate fecha = FechaDe(plan_.base.Valor(QStringLiteral("FEDOC_O")));
  EscrituraGuardado escritura(u_, QStringLiteral("PRV"));
  escritura.Cambia(t, [&](const db::Dataset& fila) {
    return ValoresFila{{QStringLiteral("FULCO_P"), fecha.isValid() ? QVariant(fecha) : QVariant()},
                       {QStringLiteral("SALDO_P"), Importe(ImporteDe(fila, "SALDO_P") + diferencia)},
                       {QStringLiteral("COMPR_P"), Importe(ImporteDe(fila, "COMPR_P") + diferencia)}};
  });
}

void GuardadoCompra::CuentaPorPagar() {
  if (!plan_.EsRecepcion()) return;
  db::Tabla& t = Abre(cuentas_, plan_.base.carpetaDatos, kTablaCuentasPagar, QStringLiteral("NUCOM"));
  const qint64 numero = numero_.toLongLong();
  const Dinero total = plan_.Total();
  const Dinero saldo = Dinero::DeReal(plan_.base.Valor(QStringLiteral("SALDO_O")).toDouble());
  EscrituraGuardado escritura(u_, QStringLiteral("CXP"));
  const auto valor = [&](const char* campo) { return plan_.base.Valor(QString::fromLatin1(campo)); };
  const ValoresFila cargo{{QStringLiteral("NUCOM_CP"), numero},
                          {QStringLiteral("NUDOC_CP"), numero_},
                          {QStringLiteral("CLPRO_CP"), plan_.Proveedor()},
                          {QStringLiteral("NOMBR_CP"), valor("NOMBR_O").toString()},
                          {QStringLiteral("TIMOV_CP"), qint64{kConceptoCargoCompra}},
                          {QStringLiteral("CONCE_CP"), TextoConceptoCompra(plan_.base.carpetaDatos)},
                          {QStringLiteral("OPERA_CP"), QStringLiteral("C")},
                          {QStringLiteral("IMCUE_CP"), Importe(total)},
                          {QStringLiteral("CARGO_CP"), Importe(total)},
                          {QStringLiteral("SALDO_CP"), Importe(saldo)},
                          {QStringLiteral("FEAPL_CP"), ValorFecha(valor("FEREC_O"))},
                          {QStringLiteral("FEVEN_CP"), ValorFecha(valor("FEPAG_O"))},
                          {QStringLiteral("REFER_CP"), valor("REFER_O").toString()},
                          {QStringLiteral("DIVIO_CP"), valor("MONED_O").toString()}};
  if (plan_.base.modo == PlanGuardado::Modo::Nuevo) {
    escritura.Agrega(t, cargo);
    return;
  }
  // A change: the charge takes the new total and the account keeps the
  // payments made, its balance stored in the charge row and the header.
  bool conCargo = false;
  t.SetRange({numero}, {numero});
  for (t.First(); !t.Eof(); t.Next()) {
    if (t.FieldByName(QStringLiteral("TIMOV_CP")).AsInteger() != kConceptoCargoCompra) continue;
    escritura.Cambia(t, [&](const db::Dataset&) {
      return ValoresFila{{QStringLiteral("IMCUE_CP"), Importe(total)}, {QStringLiteral("CARGO_CP"), Importe(total)}};
    });
    conCargo = true;
    break;
  }
  t.CancelRange();
  if (!conCargo) escritura.Agrega(t, cargo);
  AsientaCuentaPagar(escritura, t, &encabezado_, numero);
}

void GuardadoCompra::RestaCantidadesAnteriores() {
  db::Tabla& productos = Abre(productos_, plan_.carpetaInventario, kTablaProductos, kTagClaveProducto);
  const QStringList& claves = plan_.base.clavesReservadas;
  for (qsizetype i = 0; i < claves.size(); ++i) {
    if (!productos.FindKey({claves[i]})) continue;
    const double cantidad = ValorNumerico(plan_.base.cantidadesReservadas.value(i));
    EscrituraGuardado escritura(u_, QStringLiteral("A") + QString::number(i));
    escritura.Cambia(productos, [&](const db::Dataset& fila) {
      return ValoresFila{{QStringLiteral("EXIST_I"), Real(fila, "EXIST_I") - cantidad}};
    });
  }
}

void GuardadoCompra::BorraPartidasCompra() {
  const qint64 control = plan_.base.controlAnterior;
  u_.Fija(QStringLiteral("B"), [&] {
    db::Tabla& l = partidas_;
    l.SetRange({numero_}, {numero_});
    l.First();
    while (!l.Eof()) {
      if (Texto(l, "CLDOC_OD") == numero_ && l.FieldByName(QStringLiteral("CONTROL")).AsInteger() == control)
        l.Delete();
      else l.Next();
    }
  });
}

void GuardadoCompra::Partidas() {
  PostPendiente(captura_);
  db::Tabla* productos = nullptr;
  db::Tabla* kardex = nullptr;
  if (!plan_.EsOrden()) {
    productos = &Abre(productos_, plan_.carpetaInventario, kTablaProductos, kTagClaveProducto);
    kardex = &Abre(kardex_, plan_.carpetaInventario, kTablaKardex, QStringLiteral("CLPRO_I"));
  }
  for (captura_.First(); !captura_.Eof(); captura_.Next()) {
    const QString fila = QString::number(captura_.RecNo());
    if (productos) EfectoPartida(fila, *productos, *kardex);
    // Receipts never write movement rows; a return does with the switch on.
    if (plan_.EsDevolucion() && plan_.base.movimientos) MovimientoPartida(fila);
    EscribePartida(fila);
  }
}

void GuardadoCompra::EfectoPartida(const QString& fila, db::Tabla& productos, db::Tabla& kardex) {
  const QString clave = Texto(captura_, "CLAVE");
  if (clave.isEmpty() || !productos.FindKey({clave})) return;
  const QString paso = QStringLiteral("S") + fila;
  const bool recepcion = plan_.EsRecepcion();
  const int signo = plan_.EsDevolucion() ? -1 : 1;
  const bool hecho = u_.Hecho(paso + QStringLiteral(".1"));
  const double descuentoDocumento = plan_.base.Valor(QStringLiteral("DTOTA_O")).toDouble();

  // A description that is not the product's: the product's data and its
  // last cost go into the line.
  if (!hecho && Texto(captura_, "PRODUCTO").left(40) != Texto(productos, "DSCPR_I").left(40)) {
    if (avisos_.mensaje)
      avisos_.mensaje(QStringLiteral("La Descripción no corresponde al producto ") + clave +
                      QStringLiteral(" se calculara el precio"));
    EditaFila(captura_);
    captura_.FieldByName(QStringLiteral("PRODUCTO")).SetAsString(Texto(productos, "DSCPR_I"));
    captura_.FieldByName(QStringLiteral("PRECIO")).SetAsFloat(Real(productos, "ULCOS_I"));
    captura_.FieldByName(QStringLiteral("PRECIOCLIENTE")).SetAsFloat(Real(productos, "PPUBL_I"));
    captura_.FieldByName(QStringLiteral("IMPUESTO")).SetAsFloat(Real(productos, "PIVA1_I"));
    captura_.FieldByName(QStringLiteral("PCON_IVA")).SetAsFloat(Real(productos, "PORC1_I"));
    captura_.Post();
  }

  const double cantidad = Real(captura_, "CANTIDAD");
  const double precio = Real(captura_, "PRECIO");
  EscrituraGuardado escritura(u_, paso);
  escritura.Cambia(productos, [&](const db::Dataset& p) {
    ValoresFila v;
    const double inicial = Real(p, "EXIST_I");
    const QString metodo = Texto(p, "TICOS_I");
    double ultimo = Real(p, "ULCOS_I");
    double promedio = Real(p, "CPROM_I");
    const double previo = ultimo;
    if (recepcion) {
      const double neto = fs::AjustaReal6(CostoNetoPartida(captura_, descuentoDocumento));
      ultimo = neto;
      promedio = CalculaCostoPromedio(metodo, inicial, cantidad, promedio, neto);
      v.append({QStringLiteral("ULCOS_I"), Importe(Dinero::DeReal(ultimo))});
      v.append({QStringLiteral("CPROM_I"), Importe(Dinero::DeReal(promedio))});
    }
    double final = inicial + cantidad * signo;
    if (final < 0 && plan_.base.sinNegativos) final = 0;
    v.append({QStringLiteral("EXIST_I"), final});
    v.append({QStringLiteral("EXIFA_I"), Real(p, "EXIFA_I") + Real(captura_, "CAJAS") * signo});
    std::optional<Dinero> precioCliente;
    if (plan_.calculaPrecios) {
      double base = CostoNetoPartida(captura_, descuentoDocumento);
      if (plan_.formula && avisos_.formula) {
        try {
          base = avisos_.formula(productos);
          ultimo = precio;
          v.append({QStringLiteral("ULCOS_I"), Importe(Dinero::DeReal(precio))});
          const char* const descuentos[][2] = {
              {"DESC1_I", "DESCUENTO"}, {"DESC2_I", "DESCUENTO2"}, {"DESC3_I", "DESCUENTO3"}};
          for (const auto& [campo, linea] : descuentos)
            if (p.FindField(QString::fromLatin1(campo))) v.append({QString::fromLatin1(campo), Real(captura_, linea)});
        } catch (const std::exception&) {
        }
      }
      if (!plan_.politica) {
        if (EsCostoPromedio(metodo)) base = promedio;
        if (base == 0) base = precio;
        if (plan_.costoMayor) base = std::max({precio, ultimo, promedio});
        const ValoresFila precios = CalculaPreciosVenta(p, base, Real(captura_, "PCON_IVA"));
        v += precios;
        precioCliente = ImporteDe(p, "PPUBL_I");
        for (const auto& [campo, valor] : precios)
          if (campo == u"PPUBL_I") precioCliente = Dinero::DeTexto(valor.toString());
      }
    }
    // The supplier's margin on the price before discounts, when it went up.
    if (plan_.margenProveedor > 0 && !plan_.formula && previo < precio)
      v.append({QStringLiteral("PPUBL_I"), Importe(Dinero::DeReal(precio * (1 + plan_.margenProveedor * 0.01)))});
    v.append({QStringLiteral("FEULC_I"), ValorFecha(plan_.base.Valor(QStringLiteral("FEDOC_O")))});
    v.append({QStringLiteral("HORAF_F"), NumeroFechaHora(fs::Ahora())});
    // The line keeps the stock before and after (the totals row reads the
    // one before when the save is run again).
    EditaFila(captura_);
    captura_.FieldByName(QStringLiteral("INICIAL")).SetAsFloat(inicial);
    captura_.FieldByName(QStringLiteral("FINAL")).SetAsFloat(final);
    if (precioCliente) captura_.FieldByName(QStringLiteral("PRECIOCLIENTE")).SetAsFloat(precioCliente->Real());
    captura_.Post();
    return v;
  });
  if (!hecho && plan_.calculaPrecios && plan_.politica && avisos_.politica) avisos_.politica(clave);

  // The totals row keeps the stock before the clamp at zero.
  const double sinTope = Real(captura_, "INICIAL") + cantidad * signo;
  u_.Aplica(
      QStringLiteral("K") + fila,
      [&] {
        ActualizaKardexProducto(kardex, 1, clave, cantidad * signo, sinTope, ColumnaKardex::Entradas);
        return QStringList();
      },
      [] { return QStringList{QStringLiteral("dudosa")}; });

  if (recepcion) {
    if (!productos.FindKey({clave})) return;
    const QString metodo = Texto(productos, "TICOS_I").trimmed().toUpper();
    if (metodo == u"PEPS" || metodo == u"UEPS") AgregaCapaCosto(fila, clave, cantidad);
  }
}

void GuardadoCompra::AgregaCapaCosto(const QString& fila, const QString& clave, double cantidad) {
  try {
    db::Tabla capas;
    capas.SetCarpeta(plan_.base.carpetaDatos);
    capas.SetNombreTabla(kTablaCosteo);
    capas.SetIndexName(QStringLiteral("CLPRO_I"));
    capas.Open();
    const QDate fecha = FechaDe(plan_.base.Valor(QStringLiteral("FEDOC_O")));
    const QString texto = TextoReal(cantidad);
    u_.Agrega(
        capas, QStringLiteral("CO") + fila,
        [&](db::Dataset& c) {
          c.FieldByName(QStringLiteral("CLDOC_I")).SetAsString(numero_);
          c.FieldByName(QStringLiteral("CLPRO_I")).SetAsString(clave);
          c.FieldByName(QStringLiteral("CANTI_I")).SetAsString(texto);
          c.FieldByName(QStringLiteral("FECHA_I")).SetAsString(TextoFecha(fecha));
        });
  } catch (const std::exception&) {
  }
}

void GuardadoCompra::EscribePartida(const QString& fila) {
  const qint64 control = plan_.base.control;
  const QString clave = Texto(captura_, "CLAVE");
  const double cantidad = Real(captura_, "CANTIDAD");
  const QDate fecha = FechaDe(plan_.base.Valor(QStringLiteral("FEREC_O")));
  u_.Agrega(
      partidas_, QStringLiteral("L") + fila,
      [&](db::Dataset& l) {
        const auto campo = [&l](const char* nombre) -> db::Campo& { return l.FieldByName(QString::fromLatin1(nombre)); };
        const auto real = [this](const char* nombre) { return Real(captura_, nombre); };
        campo("CLDOC_OD").SetAsString(numero_);
        campo("CLPRO_OD").SetAsString(clave);
        campo("DESCR_OD").SetAsString(Texto(captura_, "PRODUCTO"));
        campo("CANTI_OD").SetAsFloat(cantidad);
        campo("CUNIT_OD").SetAsFloat(real("PRECIO"));
        campo("PODES_OD").SetAsFloat(real("DESCUENTO"));
        campo("PODE2_OD").SetAsFloat(real("DESCUENTO2"));
        campo("PODE3_OD").SetAsFloat(real("DESCUENTO3"));
        campo("CAJAS_OD").SetAsFloat(real("CAJAS"));
        campo("PRECL_OD").SetAsString(TextoReal(real("PRECIOCLIENTE")));
        campo("CONTROL").SetAsInteger(control);
        campo("CADUC_OD").SetAsString(NormalizaCaducidad(Texto(captura_, "CADUCIDAD")));
        campo("REFER_OD").SetAsString(Dato("REFER_O"));
        campo("PROVE_OD").SetAsString(plan_.Proveedor());
        if (db::Campo* empaque = l.FindField(QStringLiteral("EMPAQ_OD"))) empaque->SetAsFloat(real("EMPAQUE"));
        campo("POIVA_OD").SetAsFloat(real("IMPUESTO"));
        campo("NALMA_OD").SetAsString(Dato("NALMA_O"));
        campo("FEDOC_OD").SetAsDate(fecha);
        // The stamp, margin, user and stock columns: a failure leaves them.
        try {
          campo("FECHA").SetAsInteger(SelloFecha(fecha));
          campo("PIVAX_OD").SetAsFloat(real("PCON_IVA"));
          campo("USUARIO").SetAsString(plan_.base.usuarioTexto);
          campo("INICIAL").SetAsFloat(real("INICIAL"));
          campo("FINAL").SetAsFloat(real("FINAL"));
        } catch (const plat::Error&) {
        }
      });
}

void GuardadoCompra::BorraMovimientosCompra() {
  if (!plan_.base.movimientos) return;
  const QString documento = QString(LetraMovimientoCompra(plan_.base.tipo)) + numero_ + u'-' +
                            QString::number(plan_.base.controlAnterior);
  int i = 0;
  for (const QString& archivo : {QStringLiteral("Movinven.DBF"), QStringLiteral("Movinven2.DBF")}) {
    const QString paso = QStringLiteral("BM") + QString::number(++i);
    u_.Fija(paso, [&] {
      try {
        db::Tabla t;
        t.SetCarpeta(plan_.carpetaInventario);
        t.SetNombreTabla(archivo);
        t.Open();
        EsperaBloqueos(t);
        t.SetIndexName(QStringLiteral("NUDOC_MI"));
        t.SetRange({documento}, {documento});
        t.First();
        // The changed document keeps the number of its rows.
        if (!t.Eof() && !u_.Resultado(QStringLiteral("MIN")))
          u_.Anota(QStringLiteral("MIN"), {t.FieldByName(QStringLiteral("CLDOC_MI")).AsString()});
        while (!t.IsEmpty() && !t.Eof()) {
          RegistraBorrado(t);
          t.Delete();
        }
      } catch (const plat::Error&) {
        // A table without the tag, or one that cannot be read: nothing more
        // is deleted from it.
      }
    });
  }
}

void GuardadoCompra::MovimientoPartida(const QString& fila) {
  const QString paso = QStringLiteral("MI") + fila, reserva = paso + u'b';
  if (u_.Hecho(paso) || u_.Hecho(reserva)) return;
  const PlanGuardado& p = plan_.base;
  const QString clave = Texto(captura_, "CLAVE");
  const QString documento =
      QString(LetraMovimientoCompra(p.tipo)) + numero_ + u'-' + QString::number(p.control);
  const double neto = CostoNetoPartida(captura_, p.Valor(QStringLiteral("DTOTA_O")).toDouble());
  const auto escribe = [&](std::unique_ptr<db::Tabla>& tabla, const QString& archivo, const QString& nombre) {
    db::Tabla& t = Abre(tabla, plan_.carpetaInventario, archivo, {});
    // One movement document for every line: the number of the first row.
    std::optional<db::Numeracion> numeracion;
    qint64 numero = 0;
    if (const auto r = u_.Resultado(QStringLiteral("MIN"))) {
      numero = r->value(0).toLongLong();
    } else {
      numeracion.emplace(t);
      numero = SiguienteNumeroMovimiento(t);
      u_.Anota(QStringLiteral("MIN"), {QString::number(numero)});
    }
    u_.Agrega(
        t, nombre,
        [&](db::Dataset& m) {
          EncabezadoMovimiento e;
          e.numero = numero;
          e.concepto = p.concepto;
          e.fecha = FechaDe(p.Valor(QStringLiteral("FEDOC_O")));
          e.contraparte = plan_.Proveedor();
          e.referencia = numero_;
          e.almacen = static_cast<int>(p.Valor(QStringLiteral("NALMA_O")).toDouble());
          TPartidaCapturaMovimiento l;
          l.CANTIDAD = Real(captura_, "CANTIDAD");
          l.CLAVE = clave;
          l.DESCRIPCION = Texto(captura_, "PRODUCTO");
          l.COSTO = Dinero::DeReal(neto);
          l.PRECIO = Dinero::DeReal(Real(captura_, "PRECIO"));
          CamposRenglon(m, e, l, p.concepto, l.CANTIDAD.value_or(0));
          m.FieldByName(QStringLiteral("CLDOC_MI")).SetAsInteger(numero);
          m.FieldByName(QStringLiteral("NUDOC_MI")).SetAsString(documento);
          m.FieldByName(QStringLiteral("BANAF_MI")).SetAsString(QStringLiteral("C"));
          m.FieldByName(QStringLiteral("CLPRV_MI")).SetAsString(plan_.Proveedor());
          m.FieldByName(QStringLiteral("COSUN_MI")).SetAsFloat(neto);
          m.FieldByName(QStringLiteral("PUNIT_MI")).SetAsFloat(Real(captura_, "PRECIO"));
          try {
            m.FieldByName(QStringLiteral("CONTROL")).SetAsInteger(p.control);
            m.FieldByName(QStringLiteral("HORAF_F")).SetAsInteger(p.usuario);
          } catch (const plat::Error&) {
          }
        });
  };
  const bool escrita = EscribeConReintentos(
      [&] { escribe(movimientos_, QStringLiteral("Movinven.DBF"), paso); },
      [&] { AnotaSinMovimiento(plan_.carpetaPrograma, numero_); }, {});
  // Once more on the second movement table; a failure there stops the save.
  if (!escrita) escribe(movimientos2_, QStringLiteral("Movinven2.DBF"), reserva);
}

void GuardadoCompra::SumaPendiente(int signo) {
  db::Tabla& productos = Abre(productos_, plan_.carpetaInventario, kTablaProductos, kTagClaveProducto);
  const QString prefijo = signo > 0 ? QStringLiteral("OP") : QStringLiteral("RP");
  for (captura_.First(); !captura_.Eof(); captura_.Next()) {
    const QString clave = Texto(captura_, "CLAVE");
    if (clave.isEmpty() || !productos.FindKey({clave})) continue;
    const double cantidad = Real(captura_, "CANTIDAD") * signo;
    EscrituraGuardado escritura(u_, prefijo + QString::number(captura_.RecNo()));
    escritura.Cambia(productos, [&](const db::Dataset& p) {
      return ValoresFila{{QStringLiteral("COMRE_I"), Real(p, "COMRE_I") + cantidad}};
    });
  }
}

void GuardadoCompra::Espejo() {
  // Only the receipts' tables keep a mirror.
  if (!plan_.base.tablaEncabezado.startsWith(u'c', Qt::CaseInsensitive)) return;
  const qint64 control = plan_.base.control;
  const QString usuario = plan_.base.usuarioTexto;
  const auto llena = [&usuario](db::Dataset& m, const db::Dataset& l) {
    m.FieldByName(QStringLiteral("CLDOC_MI")).SetAsString(Texto(l, "CLDOC_OD"));
    m.FieldByName(QStringLiteral("CLPRO_MI")).SetAsString(Texto(l, "CLPRO_OD"));
    m.FieldByName(QStringLiteral("TIMOV_MI")).SetAsInteger(kConceptoCompra.toLongLong());
    m.FieldByName(QStringLiteral("FEDOC_MI")).SetAsDate(l.FieldByName(QStringLiteral("FEDOC_OD")).AsDate());
    m.FieldByName(QStringLiteral("CANTI_MI")).SetAsFloat(Real(l, "CANTI_OD"));
    m.FieldByName(QStringLiteral("PUNIT_MI")).SetAsFloat(Real(l, "CUNIT_OD"));
    m.FieldByName(QStringLiteral("COSUN_MI")).SetAsFloat(Real(l, "CUNIT_OD"));
    m.FieldByName(QStringLiteral("CONTROL")).SetAsInteger(l.FieldByName(QStringLiteral("CONTROL")).AsInteger());
    m.FieldByName(QStringLiteral("USUARIO")).SetAsString(usuario);
  };
  try {
    if (plan_.base.modo == PlanGuardado::Modo::Nuevo) {
      EscribeEspejoLineas(
          partidas_, plan_.carpetaInventario, numero_, &u_,
          [control](const db::Dataset& l) { return l.FieldByName(QStringLiteral("CONTROL")).AsInteger() == control; },
          llena);
    } else {
      qint64 filas = 0;
      partidas_.SetRange({numero_}, {numero_});
      for (partidas_.First(); !partidas_.Eof() && filas <= kLimiteEspejo; partidas_.Next()) ++filas;
      if (filas > kLimiteEspejo) return;
      // The rows of the version before, by the bare number and its control.
      u_.Fija(QStringLiteral("ESB"), [&] {
        BorraEspejoCompra(plan_.carpetaInventario, numero_, QString::number(plan_.base.controlAnterior));
      });
      EscribeEspejoLineas(
          partidas_, plan_.carpetaInventario, numero_, &u_, [](const db::Dataset&) { return true; }, llena);
    }
    u_.Fija(QStringLiteral("MI"), [&] {
      EditaFila(encabezado_);
      encabezado_.FieldByName(QStringLiteral("MI")).SetAsString(QStringLiteral("S"));
      encabezado_.Post();
    });
  } catch (const std::exception&) {
    if (Editando(encabezado_)) encabezado_.Cancel();
  }
}

void GuardadoCompra::Rastros() {
  const PlanGuardado& p = plan_.base;
  db::Tabla& e = encabezado_;
  const qint64 control = p.control;
  // The moment of the snapshot is kept, so a save finished again writes
  // the same file.
  QDateTime momento = fs::Ahora();
  if (const auto hecho = u_.Resultado(QStringLiteral("CONM")))
    momento = QDateTime::fromString(hecho->value(0), Qt::ISODateWithMs);
  else u_.Anota(QStringLiteral("CONM"), {momento.toString(Qt::ISODateWithMs)});
  const QString mes = momento.date().toString(QStringLiteral("MM-yyyy"));
  const QChar letra = p.tipo.isEmpty() ? p.letra : p.tipo[0];
  u_.Fija(QStringLiteral("CON"), [&] {
    try {
      const QString carpeta = fs::Une(fs::Une(plan_.carpetaPrograma, QStringLiteral("Control")), mes);
      if (!fs::ExisteCarpeta(carpeta) && !fs::CreaCarpeta(carpeta)) throw plat::Error(plat::Clase::Io, kErrorControl);
      QStringList lineas{LineaControl(e)};
      partidas_.SetRange({numero_}, {numero_});
      for (partidas_.First(); !partidas_.Eof(); partidas_.Next()) lineas << LineaControl(partidas_);
      const QString archivo = QStringLiteral("CO-") + letra + numero_ + u'-' +
                              QString::number(NumeroFechaHora(momento), 'g', 15) + QStringLiteral(".con");
      fs::ReescribeLineas(fs::Une(carpeta, archivo), lineas);
    } catch (const plat::Error&) {
      if (avisos_.mensaje) avisos_.mensaje(kErrorControl);
    }
  });
  // The marker of the last purchase saved; a missing month folder is
  // passed over.
  u_.Fija(QStringLiteral("CONSE"),
          [&] { RegistraConsecutivoCompra(p.carpetaDatos, letra, numero_, plan_.controlInicio); });
  u_.Fija(QStringLiteral("G"), [&] {
    EditaFila(e);
    e.FieldByName(QStringLiteral("proceso")).SetAsString(QStringLiteral("G"));
    e.Post();
  });
  if (p.bitacora) {
    // Never written twice: a line whose writing a kill cut short is lost.
    u_.Aplica(
        QStringLiteral("T"),
        [&] {
          RegistraHistorial(true, p.carpetaDatos, u'C', numero_, QStringLiteral("GUARDADA"), plan_.nombreUsuario);
          return QStringList();
        },
        [] { return QStringList(); });
  }
  // A document without movement rows is noted for the movement check.
  u_.Aplica(
      QStringLiteral("CD"),
      [&] {
        try {
          const QString documento =
              QString(LetraMovimientoCompra(p.tipo)) + numero_ + u'-' + QString::number(control);
          db::Tabla movimientos;
          ApuntaTabla(movimientos, QStringLiteral("Movinven.DBF"),
                      db::Carpetas{plan_.base.carpetaDatos, plan_.carpetaInventario, {}, {}});
          movimientos.SetIndexName(QStringLiteral("NUDOC_MI"));
          movimientos.SetReadOnly(true);
          movimientos.Open();
          movimientos.SetRange({documento}, {documento});
          movimientos.First();
          if (movimientos.Eof())
            fs::AgregaLinea(fs::Une(plan_.carpetaPrograma, kArchivoComprasSinMovimiento), documento);
        } catch (const plat::Error&) {
        }
        return QStringList();
      },
      [] { return QStringList(); });
}
