#include "foundation/UnidadTrabajo.h"

#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Falla.h"
#include "platform/fs/Rutas.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// One entry: its kind, the step and its values, separated by tabs. A tab, a
// line end or a backslash inside a value is written escaped, so an entry is
// always one line.
QString Escapa(const QString& texto) {
  QString r;
  r.reserve(texto.size());
  for (const QChar c : texto) {
    switch (c.unicode()) {
      case '\\': r += QStringLiteral("\\\\"); break;
      case '\t': r += QStringLiteral("\\t"); break;
      case '\n': r += QStringLiteral("\\n"); break;
      case '\r': r += QStringLiteral("\\r"); break;
      default: r += c;
    }
  }
  return r;
}

QString Desescapa(const QString& texto) {
  QString r;
  r.reserve(texto.size());
  for (qsizetype i = 0; i < texto.size(); ++i) {
    const QChar c = texto[i];
    if (c != u'\\' || i + 1 == texto.size()) {
      r += c;
      continue;
    }
    const QChar s = texto[++i];
    r += s == u't' ? QChar(u'\t') : s == u'n' ? QChar(u'\n') : s == u'r' ? QChar(u'\r') : s;
  }
  return r;
}

plat::Error ErrorDiario(const QString& ruta, int codigo) {
  return plat::ErrorDeSistema(QStringLiteral("No se pudo escribir el diario de guardado ") + ruta, codigo);
}

}  // namespace

UnidadTrabajo::UnidadTrabajo(const QString& carpeta, const QString& archivo)
    : ruta_(fs::Local(fs::Une(carpeta, archivo))) {
  Lee();
}

UnidadTrabajo::~UnidadTrabajo() { Cierra(); }

QString UnidadTrabajo::Dato(const QString& clave) const {
  for (const auto& [k, v] : inicio_)
    if (k == clave) return v;
  return {};
}

void UnidadTrabajo::Lee() {
  QFile f(ruta_);
  if (!f.open(QIODevice::ReadOnly)) return;
  QByteArray bytes = f.readAll();
  f.close();
  // A last entry without its end was cut short by a kill: it never counted.
  const qsizetype fin = bytes.lastIndexOf('\n') + 1;
  const bool recortar = fin < bytes.size();
  bytes.truncate(fin);
  for (const QByteArray& linea : bytes.split('\n')) {
    if (linea.isEmpty()) continue;
    const QStringList partes = QString::fromUtf8(linea).split(u'\t');
    const QString tipo = partes.value(0);
    const QString paso = Desescapa(partes.value(1));
    QStringList valores;
    for (qsizetype i = 2; i < partes.size(); ++i) valores << Desescapa(partes[i]);
    if (tipo == u"I") {
      pendiente_ = true;
      for (qsizetype i = 0; i + 1 < valores.size(); i += 2) inicio_.append({valores[i], valores[i + 1]});
    } else if (tipo == u"P") {
      iniciados_.insert(paso);
    } else if (tipo == u"H" || tipo == u"A") {
      iniciados_.remove(paso);
      hechos_[paso] = valores;
      if (tipo == u"H") ++escrituras_;
    } else if (tipo == u"X") {
      reservadas_[paso] = {valores.value(1).toLongLong(), QByteArray::fromHex(valores.value(2).toLatin1())};
    } else if (tipo == u"R") {
      iniciados_.remove(paso);
      reservadas_.remove(paso);
      hechos_[paso] = {valores.value(1)};
      ++escrituras_;
    }
  }
  if (!pendiente_) {
    // Entries without a start belong to no save.
    hechos_.clear();
    iniciados_.clear();
    reservadas_.clear();
    escrituras_ = 0;
    return;
  }
  if (recortar) {
    if (::truncate(QFile::encodeName(ruta_).constData(), static_cast<off_t>(fin)) != 0)
      throw ErrorDiario(ruta_, errno);
  }
  Abre(false);
}

void UnidadTrabajo::Abre(bool nuevo) {
  const int banderas = O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | (nuevo ? O_TRUNC : 0);
  fd_ = ::open(QFile::encodeName(ruta_).constData(), banderas, 0666);
  if (fd_ < 0) throw ErrorDiario(ruta_, errno);
}

void UnidadTrabajo::Cierra() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void UnidadTrabajo::Escribe(char tipo, const QString& paso, const QStringList& valores) {
  QString linea = QChar(QLatin1Char(tipo)) + u'\t' + Escapa(paso);
  for (const QString& v : valores) linea += u'\t' + Escapa(v);
  linea += u'\n';
  const QByteArray bytes = linea.toUtf8();
  qsizetype escritos = 0;
  while (escritos < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.constData() + escritos, static_cast<size_t>(bytes.size() - escritos));
    if (n < 0) {
      if (errno == EINTR) continue;
      throw ErrorDiario(ruta_, errno);
    }
    escritos += n;
  }
}

void UnidadTrabajo::Inicia(const Datos& datos) {
  if (pendiente_)
    throw plat::Error(plat::Clase::Estado, QStringLiteral("Hay un guardado sin terminar en ") + ruta_);
  Cierra();
  Abre(true);
  QStringList valores;
  for (const auto& [clave, valor] : datos) valores << clave << valor;
  Escribe('I', QString(), valores);
  inicio_ = datos;
  pendiente_ = true;
}

void UnidadTrabajo::Termina() {
  Cierra();
  ::unlink(QFile::encodeName(ruta_).constData());
  pendiente_ = false;
  escrituras_ = 0;
  inicio_.clear();
  hechos_.clear();
  iniciados_.clear();
  reservadas_.clear();
}

std::optional<QStringList> UnidadTrabajo::Resultado(const QString& paso) const {
  const auto i = hechos_.constFind(paso);
  if (i == hechos_.constEnd()) return std::nullopt;
  return *i;
}

void UnidadTrabajo::AnotaAgregada(const QString& paso, const QString& tabla, qint64 registro) {
  Escribe('R', paso, {tabla, QString::number(registro)});
  hechos_[paso] = {QString::number(registro)};
  iniciados_.remove(paso);
  reservadas_.remove(paso);
  ++escrituras_;
}

qint64 UnidadTrabajo::Agrega(db::Tabla& tabla, const QString& paso, const Llenado& llena, bool renueva) {
  if (const auto hecho = Resultado(paso)) {
    const qint64 registro = hecho->value(0).toLongLong();
    tabla.VeARegistro(registro);
    return registro;
  }
  const QString nombre = tabla.NombreTabla();
  if (const auto r = reservadas_.constFind(paso); r != reservadas_.constEnd()) {
    const qint64 registro = r->registro;
    switch (tabla.EstadoReserva(registro, r->firma)) {
      case db::Tabla::Reserva::Reservada:
        if (renueva) break;
        tabla.Restituye(registro);
        [[fallthrough]];
      case db::Tabla::Reserva::Viva:
        tabla.VeARegistro(registro);
        falla::Punto(guardado::puntos::kEscrito);
        AnotaAgregada(paso, nombre, registro);
        return registro;
      case db::Tabla::Reserva::Ajena:
        // The reserved row is gone (the table was packed while it was
        // deleted): the row is appended anew.
        break;
    }
  } else if (!iniciados_.contains(paso)) {
    Escribe('P', paso, {});
    iniciados_.insert(paso);
  }
  tabla.Append();
  qint64 registro = 0;
  try {
    llena(tabla);
    registro = tabla.PostReservado([&](qint64 n, const QByteArray& firma) {
      falla::Punto(guardado::puntos::kReservado);
      Escribe('X', paso, {nombre, QString::number(n), QString::fromLatin1(firma.toHex())});
      reservadas_[paso] = {n, firma};
      falla::Punto(guardado::puntos::kReservado);
    });
  } catch (...) {
    if (tabla.State() == db::Dataset::Estado::Insertando) tabla.Cancel();
    throw;
  }
  falla::Punto(guardado::puntos::kEscrito);
  AnotaAgregada(paso, nombre, registro);
  return registro;
}

void UnidadTrabajo::QuitaAgregada(const QString& paso, const QString& deshace, db::Tabla& tabla) {
  Fija(deshace, [&] {
    qint64 registro = 0;
    if (const auto hecho = Resultado(paso)) {
      registro = hecho->value(0).toLongLong();
    } else if (const auto r = reservadas_.constFind(paso); r != reservadas_.constEnd()) {
      // Only a reserved row that went live is there to delete.
      if (tabla.EstadoReserva(r->registro, r->firma) == db::Tabla::Reserva::Viva) registro = r->registro;
    }
    if (registro > 0 && tabla.VeARegistro(registro)) tabla.Delete();
  });
}

void UnidadTrabajo::Cambia(const QString& paso, db::Tabla& tabla,
                           const std::function<ValoresFila(const db::Dataset& fila)>& calcula) {
  if (Hecho(paso)) return;
  const auto escribe = [&] {
    const bool propia = tabla.State() == db::Dataset::Estado::Navegando;
    if (propia) tabla.Edit();
    try {
      // The values of each former try, journaled before it wrote: a row
      // holding them was written.
      QString nombre;
      for (int intento = 1;; ++intento) {
        nombre = paso + u'=' + QString::number(intento);
        const auto anotados = Resultado(nombre);
        if (!anotados) break;
        if (Coinciden(tabla, DecodificaValores(*anotados))) {
          if (propia) tabla.Cancel();
          return QStringList();
        }
      }
      const ValoresFila valores = calcula(tabla);
      Anota(nombre, CodificaValores(valores));
      EscribeValores(tabla, valores);
      tabla.Post();
    } catch (...) {
      if (propia && tabla.State() != db::Dataset::Estado::Navegando) tabla.Cancel();
      throw;
    }
    return QStringList();
  };
  Aplica(paso, escribe, escribe);
}

void UnidadTrabajo::Fija(const QString& paso, const std::function<void()>& cambio) {
  if (hechos_.contains(paso)) return;
  cambio();
  falla::Punto(guardado::puntos::kEscrito);
  Escribe('H', paso, {});
  hechos_[paso] = {};
  ++escrituras_;
}

QStringList UnidadTrabajo::Aplica(const QString& paso, const std::function<QStringList()>& cambio,
                                  const std::function<QStringList()>& dudoso) {
  if (const auto hecho = Resultado(paso)) return *hecho;
  QStringList valores;
  if (iniciados_.contains(paso)) {
    valores = dudoso();
  } else {
    Escribe('P', paso, {});
    iniciados_.insert(paso);
    valores = cambio();
    falla::Punto(guardado::puntos::kEscrito);
  }
  Escribe('H', paso, valores);
  iniciados_.remove(paso);
  hechos_[paso] = valores;
  ++escrituras_;
  return valores;
}

void UnidadTrabajo::Anota(const QString& paso, const QStringList& valores) {
  if (hechos_.contains(paso)) return;
  Escribe('A', paso, valores);
  hechos_[paso] = valores;
}
