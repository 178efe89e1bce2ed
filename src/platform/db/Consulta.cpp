#include "platform/db/Consulta.h"

#include "platform/db/Valores.h"
#include "platform/db/sql/Funciones.h"
#include "platform/db/sql/Lexico.h"
#include "platform/db/sql/ModuloTabla.h"
#include "platform/db/sql/Motor.h"

#include <QRegularExpression>
#include <QSet>

#include <cmath>

namespace db {

namespace {

bool EsFechaIso(const QString& t) {
  static const QRegularExpression patron(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
  return patron.match(t).hasMatch() && QDate::fromString(t, QStringLiteral("yyyy-MM-dd")).isValid();
}

// The definition of a computed column, from its values.
void TipoPorValores(const std::vector<QVector<QVariant>>& filas, int i, DefCampo& def, TipoDato& tipo) {
  bool textos = false, reales = false, enteros = false, fechas = true;
  int largo = 1, digitos = 1;
  for (const QVector<QVariant>& f : filas) {
    const QVariant& v = f[i];
    switch (v.typeId()) {
      case QMetaType::QString: {
        const QString t = v.toString();
        textos = true;
        largo = std::max<int>(largo, static_cast<int>(t.size()));
        if (!t.isEmpty() && !EsFechaIso(t)) fechas = false;
        break;
      }
      case QMetaType::Double: reales = true; break;
      case QMetaType::LongLong:
        enteros = true;
        digitos = std::max<int>(digitos, static_cast<int>(QString::number(v.toLongLong()).size()));
        break;
      default: break;
    }
  }
  if (textos && !reales && !enteros && fechas && largo == 10) {
    def.tipo = u'D', def.ancho = 8, def.decimales = 0;
  } else if (textos || (!reales && !enteros)) {
    def.tipo = u'C', def.ancho = std::min(largo, 254), def.decimales = 0;
  } else if (reales) {
    def.tipo = u'N', def.ancho = 20, def.decimales = 4;
  } else {
    def.tipo = u'N', def.ancho = std::clamp(digitos, 10, 18), def.decimales = 0;
  }
  tipo = TipoDatoDe(def);
}

// A value from SQLite in the type of its column; a computed column's
// numbers to 15 significant digits.
QVariant Convierte(const QVariant& valor, TipoDato tipo, bool calculada) {
  if (!valor.isValid()) return valor;
  const QVariant v = calculada && valor.typeId() == QMetaType::Double ? QVariant(sql::QuinceCifras(valor.toDouble())) : valor;
  const bool texto = v.typeId() == QMetaType::QString;
  switch (tipo) {
    case TipoDato::Texto:
    case TipoDato::Memo:
      if (!texto) return v.typeId() == QMetaType::Double ? TextoReal(v.toDouble()) : v.toString();
      if (v.toString().isEmpty()) return {};
      return v;
    case TipoDato::Entero:
      if (v.typeId() == QMetaType::LongLong) return v;
      if (texto) {
        if (auto e = EnteroDeTexto(v.toString())) return QVariant::fromValue<qint64>(*e);
        if (auto r = RealDeTexto(v.toString())) return QVariant::fromValue<qint64>(RedondeaEntero(*r));
        return {};
      }
      return QVariant::fromValue<qint64>(RedondeaEntero(v.toDouble()));
    case TipoDato::Flotante:
    case TipoDato::Moneda:
      if (texto) {
        if (auto r = RealDeTexto(v.toString())) return *r;
        return {};
      }
      return v.toDouble();
    case TipoDato::Fecha: {
      if (!texto) return {};
      const QDate d = QDate::fromString(v.toString(), QStringLiteral("yyyy-MM-dd"));
      return d.isValid() ? QVariant(d) : QVariant();
    }
    case TipoDato::Logico: return texto ? QVariant(v.toString().startsWith(u'T', Qt::CaseInsensitive)) : QVariant(v.toDouble() != 0);
  }
  return v;
}

}  // namespace

Consulta::Consulta(QObject* parent) : Dataset(parent) {}

Consulta::~Consulta() {
  try {
    Close();
  } catch (...) {
  }
}

void Parametro::SetValue(const QVariant& valor) {
  switch (valor.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::QString:
    case QMetaType::Double:
    case QMetaType::LongLong: return Fija(valor);
    case QMetaType::Int: return SetAsInteger(valor.toInt());
    case QMetaType::QDate: return SetAsDate(valor.toDate());
    default:
      throw plat::Error(plat::Clase::Conversion,
                        QStringLiteral("\"%1\" no es un valor válido para el parámetro %2").arg(valor.toString(), nombre_));
  }
}

void Consulta::SetSQL(const QString& sql) {
  ExigeInactivo("cambiar la instrucción SQL");
  sql_ = sql;
  params_.clear();
  QVector<sql::Pieza> piezas;
  try {
    piezas = sql::Divide(sql);
  } catch (const plat::Error&) {
    return;  // the statement's own error is raised when it runs
  }
  QSet<QString> vistos;
  for (const sql::Pieza& p : piezas) {
    if (!p.Es(sql::TipoPieza::Parametro) || vistos.contains(p.valor.toUpper())) continue;
    vistos.insert(p.valor.toUpper());
    params_.emplace_back(p.valor);
  }
}

Parametro& Consulta::Params(int i) {
  if (i < 0 || i >= ParamCount())
    throw plat::Error(plat::Clase::NoExiste, QStringLiteral("La instrucción no tiene el parámetro número %1").arg(i));
  return params_[static_cast<size_t>(i)];
}

Parametro& Consulta::ParamByName(const QString& nombre) {
  for (Parametro& p : params_)
    if (p.Nombre().compare(nombre.trimmed(), Qt::CaseInsensitive) == 0) return p;
  throw plat::Error(plat::Clase::NoExiste, QStringLiteral("Parámetro %1 no encontrado").arg(nombre));
}

QHash<QString, QVariant> Consulta::ValoresParametros() const {
  QHash<QString, QVariant> valores;
  for (const Parametro& p : params_)
    if (p.Asignado()) valores.insert(p.Nombre().toUpper(), p.Value());
  return valores;
}

QString Consulta::NombreTabla() const { return QStringLiteral("(consulta SQL)"); }

qint64 Consulta::ExecSQL() { return sql::Ejecuta(sql_, ValoresParametros()).cambios; }

void Consulta::Carga() {
  sql::Resultado r = sql::Ejecuta(sql_, ValoresParametros());
  const int n = static_cast<int>(r.columnas.size());
  QVector<DefCampo> defs(n);
  QVector<TipoDato> tipos(n);
  static const QRegularExpression nombreValido(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
  QSet<QString> usados;
  QVector<bool> calculadas(n);
  for (int i = 0; i < n; ++i) {
    const sql::ColumnaResultado& c = r.columnas[i];
    DefCampo& d = defs[i];
    calculadas[i] = c.declarado.isEmpty();
    if (calculadas[i] || !sql::DeTipoDeclarado(c.declarado, d, tipos[i])) TipoPorValores(r.filas, i, d, tipos[i]);
    QString nombre = nombreValido.match(c.nombre).hasMatch() ? c.nombre : QStringLiteral("EXPR%1").arg(i + 1);
    for (int k = 1; usados.contains(nombre.toUpper()); ++k) {
      const QString sufijo = QStringLiteral("_%1").arg(k);
      QString base = nombreValido.match(c.nombre).hasMatch() ? c.nombre : QStringLiteral("EXPR%1").arg(i + 1);
      nombre = base.left(std::max<qsizetype>(1, 10 - sufijo.size())) + sufijo;
    }
    usados.insert(nombre.toUpper());
    d.nombre = nombre;
  }
  for (QVector<QVariant>& f : r.filas)
    for (int i = 0; i < n; ++i) f[i] = Convierte(f[i], tipos[i], calculadas[i]);
  defs_ = defs;
  tipos_ = tipos;
  filas_ = std::move(r.filas);
}

QVector<DefCampo> Consulta::AbreCursor() {
  Carga();
  actual_ = 0;
  return defs_;
}

TipoDato Consulta::TipoDe(const DefCampo& def) const {
  for (int i = 0; i < defs_.size(); ++i)
    if (defs_[i].nombre == def.nombre) return tipos_[i];
  return TipoDatoDe(def);
}

void Consulta::CierraCursor() {
  filas_.clear();
  actual_ = 0;
}

bool Consulta::CursorPrimero() {
  actual_ = filas_.empty() ? 0 : 1;
  return actual_ > 0;
}

bool Consulta::CursorUltimo() {
  actual_ = static_cast<qint64>(filas_.size());
  return actual_ > 0;
}

bool Consulta::CursorSiguiente() {
  if (actual_ >= static_cast<qint64>(filas_.size())) return false;
  ++actual_;
  return true;
}

bool Consulta::CursorAnterior() {
  if (actual_ <= 1) return false;
  --actual_;
  return true;
}

bool Consulta::CursorVeA(qint64 registro) {
  if (registro < 1 || registro > static_cast<qint64>(filas_.size())) return false;
  actual_ = registro;
  return true;
}

void Consulta::CursorRefresca() {
  const QVector<DefCampo> antes = defs_;
  Carga();
  if (actual_ > static_cast<qint64>(filas_.size())) actual_ = static_cast<qint64>(filas_.size());
  bool iguales = antes.size() == defs_.size();
  for (int i = 0; iguales && i < antes.size(); ++i) iguales = antes[i].nombre == defs_[i].nombre && antes[i].tipo == defs_[i].tipo;
  if (!iguales)
    throw ErrorDe(plat::Clase::Estado, QStringLiteral("Las columnas cambiaron al volver a ejecutar la consulta"));
}

QVariant Consulta::LeeCampo(int i) const {
  if (actual_ < 1 || actual_ > static_cast<qint64>(filas_.size())) return {};
  return filas_[static_cast<size_t>(actual_ - 1)][i];
}

}  // namespace db
