#include "platform/db/Consulta.h"

#include "platform/db/FilasConsulta.h"
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

// The definition of a computed column, from what its values were.
void TipoPorValores(const ValoresColumna& v, DefCampo& def, TipoDato& tipo) {
  if (v.textos && !v.reales && !v.enteros && v.fechas && v.largo == 10) {
    def.tipo = u'D', def.ancho = 8, def.decimales = 0;
  } else if (v.textos || (!v.reales && !v.enteros)) {
    def.tipo = u'C', def.ancho = std::min(v.largo, 254), def.decimales = 0;
  } else if (v.reales) {
    def.tipo = u'N', def.ancho = 20, def.decimales = 4;
  } else {
    def.tipo = u'N', def.ancho = std::clamp(v.digitos, 10, 18), def.decimales = 0;
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

qint64 Consulta::ExecSQL() { return sql::Ejecuta(sql_, ValoresParametros()); }

void Consulta::SetCarpetaTrabajo(const QString& carpeta) { carpetaTrabajo_ = carpeta; }

namespace {

// The rows of a run, into the store as SQLite gives them.
class Receptor : public sql::ReceptorFilas {
 public:
  explicit Receptor(const QString& carpeta) : carpeta_(carpeta) {}
  void Columnas(const QVector<sql::ColumnaResultado>& columnas) override {
    columnas_ = columnas;
    filas_ = std::make_unique<FilasConsulta>(static_cast<int>(columnas.size()), carpeta_);
  }
  void Fila(const sql::ValorSql* valores) override { filas_->Agrega(valores); }

  QVector<sql::ColumnaResultado> columnas_;
  std::unique_ptr<FilasConsulta> filas_;

 private:
  QString carpeta_;
};

}  // namespace

void Consulta::Carga() {
  Receptor receptor(carpetaTrabajo_);
  sql::Ejecuta(sql_, ValoresParametros(), &receptor);
  if (!receptor.filas_) receptor.filas_ = std::make_unique<FilasConsulta>(0, carpetaTrabajo_);
  const int n = static_cast<int>(receptor.columnas_.size());
  QVector<DefCampo> defs(n);
  QVector<TipoDato> tipos(n);
  static const QRegularExpression nombreValido(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
  QSet<QString> usados;
  QVector<bool> calculadas(n);
  for (int i = 0; i < n; ++i) {
    const sql::ColumnaResultado& c = receptor.columnas_[i];
    DefCampo& d = defs[i];
    calculadas[i] = c.declarado.isEmpty();
    if (calculadas[i] || !sql::DeTipoDeclarado(c.declarado, d, tipos[i]))
      TipoPorValores(receptor.filas_->Valores(i), d, tipos[i]);
    QString nombre = nombreValido.match(c.nombre).hasMatch() ? c.nombre : QStringLiteral("EXPR%1").arg(i + 1);
    for (int k = 1; usados.contains(nombre.toUpper()); ++k) {
      const QString sufijo = QStringLiteral("_%1").arg(k);
      QString base = nombreValido.match(c.nombre).hasMatch() ? c.nombre : QStringLiteral("EXPR%1").arg(i + 1);
      nombre = base.left(std::max<qsizetype>(1, 10 - sufijo.size())) + sufijo;
    }
    usados.insert(nombre.toUpper());
    d.nombre = nombre;
  }
  defs_ = defs;
  tipos_ = tipos;
  calculadas_ = calculadas;
  filas_ = std::move(receptor.filas_);
  leida_ = 0;
}

qint64 Consulta::Cuenta() const { return filas_ ? filas_->Cuenta() : 0; }

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
  filas_.reset();
  actual_ = 0;
  leida_ = 0;
}

bool Consulta::CursorPrimero() {
  actual_ = Cuenta() == 0 ? 0 : 1;
  return actual_ > 0;
}

bool Consulta::CursorUltimo() {
  actual_ = Cuenta();
  return actual_ > 0;
}

bool Consulta::CursorSiguiente() {
  if (actual_ >= Cuenta()) return false;
  ++actual_;
  return true;
}

bool Consulta::CursorAnterior() {
  if (actual_ <= 1) return false;
  --actual_;
  return true;
}

bool Consulta::CursorVeA(qint64 registro) {
  if (registro < 1 || registro > Cuenta()) return false;
  actual_ = registro;
  return true;
}

void Consulta::CursorRefresca() {
  const QVector<DefCampo> antes = defs_;
  Carga();
  if (actual_ > Cuenta()) actual_ = Cuenta();
  bool iguales = antes.size() == defs_.size();
  for (int i = 0; iguales && i < antes.size(); ++i) iguales = antes[i].nombre == defs_[i].nombre && antes[i].tipo == defs_[i].tipo;
  if (!iguales)
    throw ErrorDe(plat::Clase::Estado, QStringLiteral("Las columnas cambiaron al volver a ejecutar la consulta"));
}

QVariant Consulta::LeeCampo(int i) const {
  if (actual_ < 1 || actual_ > Cuenta()) return {};
  if (leida_ != actual_) {
    // The row's values in their columns' types, read once for all fields.
    fila_ = filas_->Fila(actual_ - 1);
    for (int c = 0; c < fila_.size(); ++c) fila_[c] = Convierte(fila_[c], tipos_[c], calculadas_[c]);
    leida_ = actual_;
  }
  return fila_[i];
}

}  // namespace db
