#include "platform/db/Catalogo.h"

#include "platform/Error.h"

#include <QSet>

namespace db {

namespace {

bool EsNumero(QChar tipo) { return tipo == QChar('N') || tipo == QChar('F'); }

// Type and size as a layout writes them: "C(20)", "N(14,2)", "D", "A(30)", "$".
QString Describe(const DefCampo& c, bool paradox) {
  const QChar t = c.tipo;
  if (paradox) return t == QChar('A') ? QStringLiteral("A(%1)").arg(c.ancho) : QString(t);
  if (t == QChar('C')) return QStringLiteral("C(%1)").arg(c.ancho);
  if (EsNumero(t)) return QStringLiteral("%1(%2,%3)").arg(t).arg(c.ancho).arg(c.decimales);
  return QString(t);
}

bool NombreValido(const QString& nombre, int maximo) {
  if (nombre.isEmpty() || nombre.size() > maximo) return false;
  for (QChar ch : nombre)
    if (!(ch.isLetterOrNumber() || ch == QChar('_')) || ch.unicode() > 127) return false;
  return true;
}

QString ProblemaCampo(const DefCampo& c, bool paradox) {
  const char t = c.tipo.toLatin1();
  if (paradox) {
    switch (t) {
      case 'A':
        return c.ancho >= 1 && c.ancho <= 255 ? QString() : QStringLiteral("ancho %1 fuera de 1 a 255").arg(c.ancho);
      case 'N':
      case '$':
      case 'D':
      case 'S':
      case 'I':
      case 'L':
      case '+':
        return c.ancho == 0 ? QString() : QStringLiteral("un campo de tamaño fijo no lleva ancho");
      default:
        return QStringLiteral("tipo '%1' desconocido").arg(c.tipo);
    }
  }
  switch (t) {
    case 'C':
      return c.ancho >= 1 && c.ancho <= 254 && c.decimales == 0
                 ? QString()
                 : QStringLiteral("ancho %1 fuera de 1 a 254").arg(c.ancho);
    case 'N':
    case 'F':
      if (c.ancho < 1 || c.ancho > 20) return QStringLiteral("ancho %1 fuera de 1 a 20").arg(c.ancho);
      if (c.decimales < 0 || (c.decimales > 0 && c.decimales > c.ancho - 2))
        return QStringLiteral("%1 decimales no caben en un ancho de %2").arg(c.decimales).arg(c.ancho);
      return {};
    case 'D':
      return c.ancho == 8 ? QString() : QStringLiteral("una fecha mide 8");
    case 'L':
      return c.ancho == 1 ? QString() : QStringLiteral("un lógico mide 1");
    case 'M':
      return c.ancho == 10 ? QString() : QStringLiteral("un memo mide 10");
    default:
      return QStringLiteral("tipo '%1' desconocido").arg(c.tipo);
  }
}

QString NormalizaExpresion(const QString& expresion) {
  QString r;
  for (QChar ch : expresion)
    if (!ch.isSpace()) r += ch.toUpper();
  return r;
}

QString Clave(CarpetaTabla carpeta, const QString& archivo, const QString& variante) {
  return QString::number(static_cast<int>(carpeta)) + QChar('|') + archivo.toLower() + QChar('|') + variante.toLower();
}

}  // namespace

bool DefTabla::Paradox() const { return archivo.endsWith(QStringLiteral(".db"), Qt::CaseInsensitive); }

const DefCampo* DefTabla::Campo(const QString& nombre) const {
  for (const DefCampo& c : campos)
    if (c.nombre.compare(nombre, Qt::CaseInsensitive) == 0) return &c;
  return nullptr;
}

QString DefTabla::Titulo() const {
  return variante.isEmpty() ? archivo : archivo + QStringLiteral(" (") + variante + QChar(')');
}

DefTabla Duenio::Esquema(const QString& archivo, CarpetaTabla carpeta, OrigenTabla origen, QVector<DefCampo> campos,
                         QVector<DefTag> tags, const QString& variante) const {
  return {archivo, carpeta, origen, variante, subsistema_, std::move(campos), std::move(tags)};
}

DefTabla ComoTabla(const DefTabla& modelo, const QString& archivo, CarpetaTabla carpeta, OrigenTabla origen,
                   bool conTags) {
  DefTabla copia = modelo;
  copia.archivo = archivo;
  copia.carpeta = carpeta;
  copia.origen = origen;
  copia.variante.clear();
  if (!conTags) copia.tags.clear();
  return copia;
}

QString Carpetas::De(CarpetaTabla carpeta) const {
  switch (carpeta) {
    case CarpetaTabla::Datos:
      return datos;
    case CarpetaTabla::Inventario:
      return inventario.isEmpty() ? datos : inventario;
    case CarpetaTabla::Remisiones:
      return remisiones.isEmpty() ? datos : remisiones;
    case CarpetaTabla::Programa:
      return programa;
    case CarpetaTabla::Tempo:
      return programa + QStringLiteral("\\tempo");
  }
  return datos;
}

QStringList CamposDeExpresion(const QString& expresion) {
  QStringList nombres;
  int i = 0;
  const int n = expresion.size();
  while (i < n) {
    const QChar ch = expresion[i];
    if (ch == QChar('\'') || ch == QChar('"')) {  // a quoted constant names no field
      const int fin = expresion.indexOf(ch, i + 1);
      i = fin < 0 ? n : fin + 1;
    } else if (ch.isLetter() || ch == QChar('_')) {
      int j = i;
      while (j < n && (expresion[j].isLetterOrNumber() || expresion[j] == QChar('_'))) ++j;
      int k = j;
      while (k < n && expresion[k].isSpace()) ++k;
      if (k >= n || expresion[k] != QChar('(')) nombres << expresion.mid(i, j - i);
      i = j;
    } else if (ch.isDigit()) {
      while (i < n && (expresion[i].isLetterOrNumber() || expresion[i] == QChar('.'))) ++i;
    } else {
      ++i;
    }
  }
  return nombres;
}

QStringList Problemas(const DefTabla& tabla) {
  QStringList r;
  const QString t = tabla.Titulo();
  const bool paradox = tabla.Paradox();
  const int largoNombre = paradox ? 25 : 10;
  if (tabla.archivo.isEmpty()) r << QStringLiteral("Una tabla no tiene nombre de archivo");
  if (tabla.campos.isEmpty()) r << QStringLiteral("La tabla %1 no tiene campos").arg(t);
  QSet<QString> vistos;
  for (const DefCampo& c : tabla.campos) {
    if (!NombreValido(c.nombre, largoNombre))
      r << QStringLiteral("La tabla %1: el nombre de campo \"%2\" no es válido (letras, dígitos y _, hasta %3)")
               .arg(t, c.nombre)
               .arg(largoNombre);
    if (vistos.contains(c.nombre.toUpper())) r << QStringLiteral("La tabla %1 repite el campo %2").arg(t, c.nombre);
    vistos.insert(c.nombre.toUpper());
    const QString p = ProblemaCampo(c, paradox);
    if (!p.isEmpty()) r << QStringLiteral("La tabla %1, campo %2: %3").arg(t, c.nombre, p);
  }
  if (!paradox) {
    int largo = 1;  // the deletion mark
    for (const DefCampo& c : tabla.campos) largo += c.ancho;
    if (tabla.campos.size() > 255 || largo > 4000)
      r << QStringLiteral("La tabla %1 pasa de 255 campos o de 4000 bytes por registro (%2 campos, %3 bytes)")
               .arg(t)
               .arg(tabla.campos.size())
               .arg(largo);
  }
  if (paradox && !tabla.tags.isEmpty()) r << QStringLiteral("La tabla %1 es de captura y no lleva índices").arg(t);
  QSet<QString> tags;
  for (const DefTag& g : tabla.tags) {
    if (!NombreValido(g.nombre, 10))
      r << QStringLiteral("La tabla %1: el nombre de índice \"%2\" no es válido").arg(t, g.nombre);
    if (tags.contains(g.nombre.toUpper())) r << QStringLiteral("La tabla %1 repite el índice %2").arg(t, g.nombre);
    tags.insert(g.nombre.toUpper());
    const QStringList usados = CamposDeExpresion(g.expresion);
    if (usados.isEmpty()) r << QStringLiteral("El índice %1 de la tabla %2 no usa ningún campo").arg(g.nombre, t);
    for (const QString& u : usados)
      if (!tabla.Campo(u))
        r << QStringLiteral("El índice %1 de la tabla %2 usa el campo %3, que la tabla no tiene").arg(g.nombre, t, u);
  }
  return r;
}

QString Diferencia::Texto() const {
  switch (tipo) {
    case Tipo::FaltaTabla:
      return QStringLiteral("Falta la tabla %1 en %2").arg(tabla, carpeta);
    case Tipo::NoAbre:
      return QStringLiteral("No se pudo abrir la tabla %1 en %2: %3").arg(tabla, carpeta, detalle);
    case Tipo::FaltaCampo:
      return QStringLiteral("A la tabla %1 le falta el campo %2").arg(tabla, nombre);
    case Tipo::CampoDistinto:
      return QStringLiteral("El campo %1 de la tabla %2 %3").arg(nombre, tabla, detalle);
    case Tipo::FaltaTag:
      return QStringLiteral("A la tabla %1 le falta el índice %2").arg(tabla, nombre);
    case Tipo::TagDistinto:
      return QStringLiteral("El índice %1 de la tabla %2 %3").arg(nombre, tabla, detalle);
  }
  return {};
}

QVector<Diferencia> ComparaTabla(const DefTabla& registrada, const QString& carpeta, const QVector<DefCampo>& campos,
                                 const QVector<DefTag>& tags) {
  using T = Diferencia::Tipo;
  QVector<Diferencia> r;
  const bool paradox = registrada.Paradox();
  for (const DefCampo& esperado : registrada.campos) {
    const DefCampo* hallado = nullptr;
    for (const DefCampo& c : campos)
      if (c.nombre.compare(esperado.nombre, Qt::CaseInsensitive) == 0) hallado = &c;
    if (!hallado) {
      r.append({T::FaltaCampo, registrada.archivo, carpeta, esperado.nombre, {}});
      continue;
    }
    const QChar te = esperado.tipo.toUpper(), th = hallado->tipo.toUpper();
    const bool mismoTipo = te == th || (!paradox && EsNumero(te) && EsNumero(th));
    bool mismoTamano = true;
    if (paradox)
      mismoTamano = te != QChar('A') || hallado->ancho == esperado.ancho;
    else if (te == QChar('C') || EsNumero(te))
      mismoTamano = hallado->ancho == esperado.ancho && hallado->decimales == esperado.decimales;
    if (!mismoTipo || !mismoTamano)
      r.append({T::CampoDistinto, registrada.archivo, carpeta, esperado.nombre,
                QStringLiteral("es %1 y debe ser %2").arg(Describe(*hallado, paradox), Describe(esperado, paradox))});
  }
  for (const DefTag& esperado : registrada.tags) {
    const DefTag* hallado = nullptr;
    for (const DefTag& g : tags)
      if (g.nombre.compare(esperado.nombre, Qt::CaseInsensitive) == 0) hallado = &g;
    if (!hallado)
      r.append({T::FaltaTag, registrada.archivo, carpeta, esperado.nombre, {}});
    else if (NormalizaExpresion(hallado->expresion) != NormalizaExpresion(esperado.expresion))
      r.append({T::TagDistinto, registrada.archivo, carpeta, esperado.nombre,
                QStringLiteral("es sobre %1 y debe ser sobre %2").arg(hallado->expresion, esperado.expresion)});
  }
  return r;
}

void Catalogo::Registra(DefTabla tabla) {
  if (Busca(tabla.carpeta, tabla.archivo, tabla.variante))
    throw plat::Error(QStringLiteral("La tabla %1 ya está registrada").arg(tabla.Titulo()));
  tablas_.append(std::move(tabla));
}

const DefTabla* Catalogo::Busca(CarpetaTabla carpeta, const QString& archivo, const QString& variante) const {
  const QString clave = Clave(carpeta, archivo, variante);
  for (const DefTabla& t : tablas_)
    if (Clave(t.carpeta, t.archivo, t.variante) == clave) return &t;
  return nullptr;
}

const DefTabla* Catalogo::Busca(const QString& archivo, const QString& variante) const {
  const DefTabla* hallada = nullptr;
  for (const DefTabla& t : tablas_) {
    if (t.archivo.compare(archivo, Qt::CaseInsensitive) != 0 || t.variante.compare(variante, Qt::CaseInsensitive) != 0)
      continue;
    if (hallada) return nullptr;
    hallada = &t;
  }
  return hallada;
}

const DefTabla& Catalogo::Tabla(CarpetaTabla carpeta, const QString& archivo, const QString& variante) const {
  if (const DefTabla* t = Busca(carpeta, archivo, variante)) return *t;
  throw plat::Error(plat::Clase::NoExiste, QStringLiteral("La tabla %1 no está registrada")
                                               .arg(variante.isEmpty() ? archivo : archivo + " (" + variante + ")"));
}

QVector<DefTabla> Catalogo::Tablas(OrigenTabla origen) const {
  QVector<DefTabla> r;
  for (const DefTabla& t : tablas_)
    if (t.origen == origen) r.append(t);
  return r;
}

}  // namespace db
