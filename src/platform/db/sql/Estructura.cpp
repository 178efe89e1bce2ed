#include "platform/db/sql/Estructura.h"

#include "platform/Error.h"
#include "platform/db/Almacen.h"
#include "platform/db/Campo.h"
#include "platform/db/Tabla.h"
#include "platform/db/sql/Motor.h"
#include "platform/fs/Rutas.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstdio>

namespace db::sql {
namespace {

using plat::Clase;
using plat::Error;

struct Archivo {
  QString carpeta;
  QString nombre;
};

class Lector {
 public:
  Lector(const QVector<Pieza>& piezas, const QString& sql) : sql_(sql) {
    for (const Pieza& p : piezas)
      if (!p.Es(TipoPieza::Blanco)) p_.append(p);
  }

  Error Falla(const QString& detalle) const { return Error(Clase::Sql, ConInstruccion(detalle, sql_)); }

  bool Fin() const { return k_ >= p_.size() || (k_ == p_.size() - 1 && p_[k_].EsOperador(";")); }
  const Pieza* Mira() const { return k_ < p_.size() ? &p_[k_] : nullptr; }
  bool Toma(const char* palabra) {
    if (k_ < p_.size() && p_[k_].EsPalabra(palabra)) return ++k_, true;
    return false;
  }
  bool TomaOp(const char* op) {
    if (k_ < p_.size() && p_[k_].EsOperador(op)) return ++k_, true;
    return false;
  }
  void Exige(const char* palabra) {
    if (!Toma(palabra)) throw Falla(QStringLiteral("Se esperaba %1").arg(QString::fromLatin1(palabra)));
  }
  void ExigeOp(const char* op) {
    if (!TomaOp(op)) throw Falla(QStringLiteral("Se esperaba \"%1\"").arg(QString::fromLatin1(op)));
  }
  void ExigeFin() {
    if (!Fin()) throw Falla(QStringLiteral("Sobra texto después de \"%1\"").arg(p_[k_ - 1].texto));
  }

  QString Nombre(const char* que) {
    if (k_ < p_.size() && p_[k_].Es(TipoPieza::Palabra)) return p_[k_++].texto;
    throw Falla(QStringLiteral("Se esperaba %1").arg(QString::fromUtf8(que)));
  }

  Archivo Tabla() {
    if (k_ < p_.size() && p_[k_].EsTexto()) {
      const QString ruta = p_[k_++].valor;
      return {fs::CarpetaDe(ruta), fs::NombreArchivo(ruta)};
    }
    throw Falla(QStringLiteral("Se esperaba la ruta de la tabla entre comillas"));
  }

  int Entero() {
    if (k_ < p_.size() && p_[k_].Es(TipoPieza::Numero)) {
      bool ok = false;
      const int n = p_[k_].texto.toInt(&ok);
      if (ok) return ++k_, n;
    }
    throw Falla(QStringLiteral("Se esperaba un número"));
  }

  // NOMBRE CHAR(n) | NUMERIC(w[,d]) | FLOAT(w[,d]) | DATE
  DefCampo Columna() {
    DefCampo d;
    d.nombre = Nombre("el nombre de una columna");
    const QString tipo = Nombre("el tipo de la columna").toUpper();
    if (tipo == u"DATE") {
      d.tipo = u'D';
      d.ancho = 8;
      return d;
    }
    if (tipo != u"CHAR" && tipo != u"NUMERIC" && tipo != u"FLOAT")
      throw Falla(QStringLiteral("El tipo %1 de la columna %2 no se puede usar").arg(tipo, d.nombre));
    d.tipo = tipo == u"CHAR" ? u'C' : tipo == u"NUMERIC" ? u'N' : u'F';
    ExigeOp("(");
    d.ancho = Entero();
    if (d.tipo != u'C' && TomaOp(",")) d.decimales = Entero();
    ExigeOp(")");
    return d;
  }

 private:
  QString sql_;
  QVector<Pieza> p_;
  qsizetype k_ = 0;
};

int Busca(const QVector<DefCampo>& defs, const QString& nombre) {
  QStringList nombres;
  for (const DefCampo& d : defs) nombres << d.nombre;
  return IndiceDeCampo(nombres, nombre);
}

std::unique_ptr<db::Tabla> Abre(const Archivo& a, bool exclusiva) {
  auto t = std::make_unique<db::Tabla>();
  t->SetCarpeta(a.carpeta);
  t->SetNombreTabla(a.nombre);
  t->SetExclusive(exclusiva);
  t->Open();
  return t;
}

QString Local(const Archivo& a) { return fs::Local(a.carpeta.isEmpty() ? a.nombre : fs::Une(a.carpeta, a.nombre)); }

QString ConExtension(const QString& nombre) {
  return QFileInfo(nombre).suffix().isEmpty() ? nombre + QStringLiteral(".dbf") : nombre;
}

// A dBASE table keeps the first 10 characters of a field name, as the
// table layouts do; other storages keep the name given.
void NombreQueCabe(const Archivo& a, DefCampo& d) {
  if (QFileInfo(ConExtension(a.nombre)).suffix().compare(QStringLiteral("dbf"), Qt::CaseInsensitive) == 0)
    d.nombre = d.nombre.left(kLargoNombreDbf);
}

void CreaTabla(Lector& l) {
  const Archivo a = l.Tabla();
  QVector<DefCampo> campos;
  QVector<DefTag> tags;
  l.ExigeOp("(");
  do {
    if (l.Toma("PRIMARY")) {
      l.Exige("KEY");
      l.ExigeOp("(");
      const QString col = l.Nombre("la columna de la llave");
      l.ExigeOp(")");
      tags.append({col.toUpper(), col.toUpper(), false, false});
    } else {
      campos.append(l.Columna());
    }
  } while (l.TomaOp(","));
  l.ExigeOp(")");
  l.ExigeFin();
  for (DefCampo& c : campos) NombreQueCabe(a, c);
  for (DefTag& t : tags) {
    const int i = Busca(campos, t.expresion);
    if (i < 0) throw l.Falla(QStringLiteral("La llave %1 no es una columna de la tabla").arg(t.expresion));
    t.nombre = t.expresion = campos[i].nombre.toUpper();
  }
  if (db::Tabla::Existe(a.carpeta, a.nombre))
    throw Error(Clase::Sql, QStringLiteral("La tabla %1 ya existe").arg(a.nombre));
  db::Tabla::Crea(a.carpeta, a.nombre, campos, tags);
}

void CreaIndice(Lector& l) {
  const QString nombre = l.Nombre("el nombre del índice");
  l.Exige("ON");
  const Archivo a = l.Tabla();
  l.ExigeOp("(");
  const QString col = l.Nombre("la columna del índice");
  l.ExigeOp(")");
  l.ExigeFin();
  auto t = Abre(a, true);
  if (!t->FindField(col)) throw Error(Clase::NoExiste, QStringLiteral("Campo %1 no encontrado en %2").arg(col, a.nombre));
  t->AddIndex({nombre, t->FieldByName(col).Nombre(), false, false});
}

void BorraTabla(Lector& l) {
  const Archivo a = l.Tabla();
  l.ExigeFin();
  db::Tabla::Borra(a.carpeta, a.nombre);
}

// Moves a table file and its companions to another name in the same folder.
void Renombra(const Archivo& de, const Archivo& a) {
  const QString origen = Local(de), destino = Local(a);
  FabricaAlmacen* f = FabricaPara(QFileInfo(destino).suffix());
  const QStringList compOrigen = f ? f->Companeros(origen) : QStringList();
  const QStringList compDestino = f ? f->Companeros(destino) : QStringList();
  auto mueve = [&](const QString& x, const QString& y) {
    if (std::rename(QFile::encodeName(x).constData(), QFile::encodeName(y).constData()) != 0)
      throw plat::ErrorDeSistema(QStringLiteral("No se pudo renombrar %1 a %2").arg(x, y), errno);
  };
  for (int i = 0; i < compOrigen.size() && i < compDestino.size(); ++i)
    if (QFileInfo::exists(compOrigen[i])) mueve(compOrigen[i], compDestino[i]);
  mueve(origen, destino);
}

void AlteraTabla(Lector& l) {
  const Archivo a = l.Tabla();
  struct Columna {
    DefCampo def;
    int origen;  // field of the old table, -1 for a new one
  };
  struct Accion {
    bool agrega;
    DefCampo def;
  };
  QVector<Accion> acciones;
  do {
    if (l.Toma("ADD")) {
      l.Toma("COLUMN");
      acciones.append({true, l.Columna()});
    } else if (l.Toma("DROP")) {
      l.Toma("COLUMN");
      acciones.append({false, {l.Nombre("la columna que se quita"), QChar(), 0, 0}});
    } else {
      throw l.Falla(QStringLiteral("Se esperaba ADD o DROP"));
    }
  } while (l.TomaOp(","));
  l.ExigeFin();

  auto vieja = Abre(a, true);
  const QVector<DefCampo> antes = vieja->Definiciones();
  QVector<Columna> columnas;
  for (int i = 0; i < antes.size(); ++i) columnas.append({antes[i], i});
  QStringList quitadas;
  for (Accion& ac : acciones) {
    QVector<DefCampo> actuales;
    for (const Columna& c : columnas) actuales << c.def;
    if (ac.agrega) NombreQueCabe(a, ac.def);
    const int i = Busca(actuales, ac.def.nombre);
    if (ac.agrega) {
      if (i >= 0) throw Error(Clase::Sql, QStringLiteral("El campo %1 ya existe en la tabla %2").arg(ac.def.nombre, a.nombre));
      columnas.append({ac.def, -1});
    } else {
      if (i < 0) throw Error(Clase::NoExiste, QStringLiteral("Campo %1 no encontrado en %2").arg(ac.def.nombre, a.nombre));
      quitadas << columnas[i].def.nombre;
      columnas.remove(i);
    }
  }
  if (columnas.isEmpty()) throw Error(Clase::Sql, QStringLiteral("La tabla %1 no puede quedar sin campos").arg(a.nombre));
  QVector<DefTag> tags;
  for (const DefTag& t : vieja->IndexDefs()) {
    bool usa = false;
    for (const QString& q : quitadas)
      usa = usa || t.expresion.contains(QRegularExpression(QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(q)),
                                                           QRegularExpression::CaseInsensitiveOption));
    if (!usa) tags.append(t);
  }

  // The new layout is filled beside the old table, which is replaced only
  // once every row is copied.
  // The file keeps the name it has on disk.
  const QString nombre = QFileInfo(Local({a.carpeta, ConExtension(a.nombre)})).fileName();
  const Archivo nueva{a.carpeta, QStringLiteral("_alt%1_").arg(QCoreApplication::applicationPid()) + nombre};
  QVector<DefCampo> defs;
  for (const Columna& c : columnas) defs << c.def;
  db::Tabla::Crea(nueva.carpeta, nueva.nombre, defs);
  try {
    auto t = Abre(nueva, true);
    for (vieja->First(); !vieja->Eof(); vieja->Next()) {
      t->Append();
      for (int j = 0; j < columnas.size(); ++j)
        if (columnas[j].origen >= 0) t->Fields(j).SetValue(vieja->Fields(columnas[j].origen).Value());
      t->Post();
    }
    t->Close();
    vieja->Close();
    db::Tabla::Borra(a.carpeta, a.nombre);
  } catch (...) {
    try {
      db::Tabla::Borra(nueva.carpeta, nueva.nombre);
    } catch (...) {
    }
    throw;
  }
  try {
    Renombra(nueva, {a.carpeta, nombre});
  } catch (const Error& e) {
    throw Error(e.clase(), e.mensaje() + QStringLiteral("; los datos quedaron en %1").arg(nueva.nombre));
  }
  if (tags.isEmpty()) return;
  auto t = Abre({a.carpeta, nombre}, true);
  for (const DefTag& tag : tags) t->AddIndex(tag);
}

}  // namespace

void EjecutaEstructura(const QVector<Pieza>& piezas, const QString& sql) {
  Lector l(piezas, sql);
  try {
    if (l.Toma("CREATE")) {
      if (l.Toma("TABLE")) return CreaTabla(l);
      if (l.Toma("INDEX")) return CreaIndice(l);
      throw l.Falla(QStringLiteral("Sólo se pueden crear tablas e índices"));
    }
    if (l.Toma("ALTER")) {
      l.Exige("TABLE");
      return AlteraTabla(l);
    }
    if (l.Toma("DROP")) {
      l.Exige("TABLE");
      return BorraTabla(l);
    }
    throw l.Falla(QStringLiteral("Instrucción no reconocida"));
  } catch (const Error& e) {
    if (e.mensaje().endsWith(sql)) throw;
    throw Error(e.clase(), ConInstruccion(e.mensaje(), sql));
  }
}

}  // namespace db::sql
