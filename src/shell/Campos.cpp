#include "shell/Campos.h"

#include "platform/Error.h"
#include "platform/db/Campo.h"
#include "platform/db/Catalogo.h"
#include "platform/db/Tabla.h"
#include "shell/TablaNueva.h"
#include "shell/TablasConfiguracion.h"

#include <QFile>
#include <QStringList>

namespace {

// The source of the field catalogue, built into the program: a line
// "tabla<TAB>file<TAB>list" opens a table, then one "field<TAB>type<TAB>caption"
// line per field; "#" starts a comment. A field whose name is too long for
// the catalogue has an empty name there, and no row here.
const QString kFuente = QStringLiteral(":/fuentes/confcamp.txt");

struct FilaCampo {
  QString tabla, campo, describe, tipo;
};

QVector<FilaCampo> FilasEmbarcadas() {
  QFile archivo(kFuente);
  if (!archivo.open(QIODevice::ReadOnly | QIODevice::Text))
    throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo leer ") + kFuente);
  QVector<FilaCampo> filas;
  QString tabla;
  const QStringList lineas = QString::fromUtf8(archivo.readAll()).split(u'\n');
  for (const QString& linea : lineas) {
    if (linea.trimmed().isEmpty() || linea.startsWith(u'#')) continue;
    const QStringList partes = linea.split(u'\t');
    if (partes.size() != 3)
      throw plat::Error(plat::Clase::Corrupto,
                        QStringLiteral("Línea no válida en ") + kFuente + QStringLiteral(": ") + linea);
    if (partes[0] == u"tabla")
      tabla = partes[1].toLower();
    else if (!partes[0].isEmpty())
      filas.append({tabla, partes[0], partes[2], partes[1]});
  }
  return filas;
}

}  // namespace

bool InstalaCampos(const QString& carpetaPrograma) {
  if (db::Tabla::Existe(carpetaPrograma, kArchivoCampos)) return false;
  const QVector<FilaCampo> filas = FilasEmbarcadas();
  const db::DefTabla def = EsquemaCampos();
  TablaNueva nueva(carpetaPrograma, def.archivo, def.campos, def.tags);
  db::Tabla& t = nueva.Tabla();
  for (const FilaCampo& f : filas) {
    t.Append();
    t.FieldByName(QStringLiteral("TABLA")).SetAsString(f.tabla);
    t.FieldByName(QStringLiteral("CAMPO")).SetAsString(f.campo);
    t.FieldByName(QStringLiteral("DESCRIBE")).SetAsString(f.describe);
    t.FieldByName(QStringLiteral("TIPO")).SetAsString(f.tipo);
    t.FieldByName(QStringLiteral("TAMO")).SetAsInteger(0);
    t.Post();
  }
  try {
    nueva.Coloca();
  } catch (const plat::Error& e) {
    // Another station starting at the same moment put it there first and
    // has it open already.
    if (e.clase() == plat::Clase::EnUso) return false;
    throw;
  }
  return true;
}
