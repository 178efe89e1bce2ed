#include "platform/db/sql/Motor.h"

#include "platform/Error.h"
#include "platform/db/Campo.h"
#include "platform/db/Tabla.h"
#include "platform/db/sql/Colacion.h"
#include "platform/db/sql/Estructura.h"
#include "platform/db/sql/Funciones.h"
#include "platform/db/sql/Lexico.h"
#include "platform/db/sql/ModuloTabla.h"
#include "platform/db/sql/Traductor.h"
#include "platform/fs/Rutas.h"

#include <sqlite3.h>

#include <optional>
#include <vector>

namespace db::sql {

using plat::Clase;
using plat::Error;

QString ConInstruccion(const QString& detalle, const QString& sql) {
  return detalle + QStringLiteral(" en la instrucción SQL:\n") + sql;
}

namespace {

// SQLite's English account of the commonest mistakes in Spanish, naming what
// it names (the table or field written, the word the statement breaks at);
// any other account as SQLite gives it.
QString ExplicaFallaSqlite(const QString& mensaje) {
  struct Forma {
    const char* ingles;
    const char* espanol;
  };
  static const Forma formas[] = {
      {"no such table: ", "no existe la tabla %1 (escriba la ruta completa de su archivo entre comillas dobles)"},
      {"no such column: ", "no existe el campo %1"},
      {"ambiguous column name: ", "el campo %1 está en más de una tabla; antepóngale el nombre de su tabla"},
  };
  for (const Forma& f : formas) {
    const QString ingles = QString::fromLatin1(f.ingles);
    if (mensaje.startsWith(ingles)) return QString::fromUtf8(f.espanol).arg(mensaje.mid(ingles.size()));
  }
  static const QString cerca = QStringLiteral("near ");
  static const QString sintaxis = QStringLiteral(": syntax error");
  if (mensaje.startsWith(cerca) && mensaje.endsWith(sintaxis))
    return QStringLiteral("error de sintaxis cerca de ") + mensaje.mid(cerca.size(), mensaje.size() - cerca.size() - sintaxis.size());
  if (mensaje == u"incomplete input") return QStringLiteral("la instrucción está incompleta");
  return mensaje;
}

class Conexion {
 public:
  Conexion() {
    if (sqlite3_open_v2(":memory:", &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK)
      throw Error(Clase::Sql, QStringLiteral("No se pudo iniciar el motor SQL"));
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_exec(db_, "PRAGMA case_sensitive_like = ON", nullptr, nullptr, nullptr);
    sqlite3_create_collation(db_, kColacion, SQLITE_UTF8, nullptr, [](void*, int na, const void* a, int nb, const void* b) {
      return ComparaCp1252(static_cast<const char*>(a), na, static_cast<const char*>(b), nb);
    });
    RegistraFunciones(db_);
    RegistraModuloTabla(db_, &pendiente_);
  }
  ~Conexion() { sqlite3_close_v2(db_); }
  Conexion(const Conexion&) = delete;
  Conexion& operator=(const Conexion&) = delete;

  qint64 Ejecuta(const QString& sql, const Parametros& parametros, ReceptorFilas* receptor) {
    pendiente_.reset();
    const QString prefijo = QStringLiteral("t%1_").arg(++serie_);
    const Traduccion tr =
        Traduce(sql, [&](const QString& ruta) { return ColumnasDe(ruta, sql); }, prefijo, parametros);
    QStringList creadas;
    qint64 r = 0;
    try {
      for (const TablaNombrada& t : tr.tablas) {
        Exec(CreaTablaVirtual(t.nombre, t.ruta), sql);
        creadas << t.nombre;
      }
      r = Corre(tr.sqlite, sql, parametros, receptor);
    } catch (...) {
      Borra(creadas);
      throw;
    }
    Borra(creadas);
    return r;
  }

 private:
  // The columns of a table named in a statement, for the translator.
  QVector<ColumnaTabla> ColumnasDe(const QString& ruta, const QString& sql) {
    try {
      Tabla t;
      t.SetCarpeta(fs::CarpetaDe(ruta));
      t.SetNombreTabla(fs::NombreArchivo(ruta));
      t.SetReadOnly(true);
      t.Open();
      QVector<ColumnaTabla> c;
      for (int i = 0; i < t.FieldCount(); ++i) c.append({t.Fields(i).Nombre(), t.Fields(i).Tipo()});
      return c;
    } catch (const Error& e) {
      throw Error(e.clase(), ConInstruccion(e.mensaje(), sql));
    }
  }

  void Borra(const QStringList& nombres) {
    for (const QString& n : nombres) {
      const QByteArray s = (QStringLiteral("DROP TABLE temp.") + n).toUtf8();
      sqlite3_exec(db_, s.constData(), nullptr, nullptr, nullptr);
    }
  }

  Error Falla(const QString& sql) {
    if (pendiente_) {
      Error e(pendiente_->clase(), ConInstruccion(pendiente_->mensaje(), sql));
      pendiente_.reset();
      return e;
    }
    return Error(Clase::Sql, ConInstruccion(QStringLiteral("No se pudo ejecutar: ") + ExplicaFallaSqlite(QString::fromUtf8(sqlite3_errmsg(db_))), sql));
  }

  void Exec(const QString& sentencia, const QString& sql) {
    const QByteArray s = sentencia.toUtf8();
    if (sqlite3_exec(db_, s.constData(), nullptr, nullptr, nullptr) != SQLITE_OK) throw Falla(sql);
  }

  // Gives each parameter of the statement its value.
  void Enlaza(sqlite3_stmt* st, const Parametros& parametros, const QString& sql) {
    for (int i = 1; i <= sqlite3_bind_parameter_count(st); ++i) {
      const char* nombre = sqlite3_bind_parameter_name(st, i);
      const QString clave = nombre ? QString::fromUtf8(nombre + 1).toUpper() : QString();
      const auto it = parametros.constFind(clave);
      if (!nombre || it == parametros.constEnd())
        throw Error(Clase::Sql, ConInstruccion(QStringLiteral("La instrucción tiene parámetros sin valor (%1)")
                                                   .arg(nombre ? QString::fromUtf8(nombre) : QStringLiteral("?")),
                                               sql));
      const QVariant& v = *it;
      int rc;
      switch (v.typeId()) {
        case QMetaType::UnknownType: rc = sqlite3_bind_null(st, i); break;
        case QMetaType::Int:
        case QMetaType::LongLong: rc = sqlite3_bind_int64(st, i, v.toLongLong()); break;
        case QMetaType::Double: rc = sqlite3_bind_double(st, i, v.toDouble()); break;
        case QMetaType::Bool: rc = sqlite3_bind_int(st, i, v.toBool() ? 1 : 0); break;
        default: {
          const QByteArray t = (v.typeId() == QMetaType::QDate ? v.toDate().toString(QStringLiteral("yyyy-MM-dd"))
                                                               : v.toString()).toUtf8();
          rc = sqlite3_bind_text(st, i, t.constData(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
        }
      }
      if (rc != SQLITE_OK) throw Falla(sql);
    }
  }

  qint64 Corre(const QString& traducida, const QString& sql, const Parametros& parametros, ReceptorFilas* receptor) {
    const QByteArray texto = traducida.toUtf8();
    sqlite3_stmt* st = nullptr;
    const char* resto = nullptr;
    if (sqlite3_prepare_v2(db_, texto.constData(), static_cast<int>(texto.size()), &st, &resto) != SQLITE_OK) throw Falla(sql);
    struct Final {
      sqlite3_stmt* st;
      ~Final() { sqlite3_finalize(st); }
    } final{st};
    if (!st) throw Error(Clase::Sql, ConInstruccion(QStringLiteral("No hay ninguna instrucción"), sql));
    for (const char* p = resto; p && *p; ++p) {
      if (*p == ';' || QChar::isSpace(static_cast<unsigned char>(*p))) continue;
      throw Error(Clase::Sql, ConInstruccion(QStringLiteral("Sólo se puede ejecutar una instrucción a la vez"), sql));
    }
    Enlaza(st, parametros, sql);
    const int n = sqlite3_column_count(st);
    if (n > 0 && receptor) {
      QVector<ColumnaResultado> columnas;
      for (int i = 0; i < n; ++i) {
        const char* decl = sqlite3_column_decltype(st, i);
        columnas.append({QString::fromUtf8(sqlite3_column_name(st, i)), decl ? QString::fromUtf8(decl) : QString()});
      }
      receptor->Columnas(columnas);
    }
    std::vector<ValorSql> fila(static_cast<size_t>(n));
    for (;;) {
      const int rc = sqlite3_step(st);
      if (rc == SQLITE_DONE) break;
      if (rc != SQLITE_ROW) throw Falla(sql);
      if (!receptor || n == 0) continue;
      for (int i = 0; i < n; ++i) {
        ValorSql& v = fila[static_cast<size_t>(i)];
        switch (sqlite3_column_type(st, i)) {
          case SQLITE_INTEGER:
            v.tipo = ValorSql::Tipo::Entero;
            v.entero = sqlite3_column_int64(st, i);
            break;
          case SQLITE_FLOAT:
            v.tipo = ValorSql::Tipo::Real;
            v.real = sqlite3_column_double(st, i);
            break;
          case SQLITE_NULL: v.tipo = ValorSql::Tipo::Nulo; break;
          default:
            v.tipo = ValorSql::Tipo::Texto;
            v.texto = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
            v.largo = sqlite3_column_bytes(st, i);
        }
      }
      receptor->Fila(fila.data());
    }
    return n > 0 ? 0 : sqlite3_changes64(db_);
  }

  sqlite3* db_ = nullptr;
  std::optional<Error> pendiente_;
  quint64 serie_ = 0;
};

Conexion& DelHilo() {
  thread_local Conexion c;
  return c;
}

// The first word of a statement (after blanks and parentheses), upper case.
QString PrimeraPalabra(const QVector<Pieza>& piezas) {
  for (const Pieza& p : piezas) {
    if (p.Es(TipoPieza::Blanco) || p.EsOperador("(")) continue;
    return p.Es(TipoPieza::Palabra) ? p.texto.toUpper() : QString();
  }
  return {};
}

}  // namespace

qint64 Ejecuta(const QString& sql, const Parametros& parametros, ReceptorFilas* receptor) {
  const QVector<Pieza> piezas = Divide(sql);
  const QString orden = PrimeraPalabra(piezas);
  if (orden == u"CREATE" || orden == u"ALTER" || orden == u"DROP") {
    EjecutaEstructura(piezas, sql);
    return 0;
  }
  if (orden != u"SELECT" && orden != u"INSERT" && orden != u"UPDATE" && orden != u"DELETE")
    throw Error(Clase::Sql, ConInstruccion(orden.isEmpty() ? QStringLiteral("No hay ninguna instrucción")
                                                           : QStringLiteral("La instrucción %1 no se puede usar").arg(orden),
                                           sql));
  return DelHilo().Ejecuta(sql, parametros, receptor);
}

}  // namespace db::sql
