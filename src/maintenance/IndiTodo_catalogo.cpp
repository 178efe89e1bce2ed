// The index catalogue: reading it from the tables, checking it against them
// and replaying it.

#include "maintenance/IndiTodo.h"

#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_tablas.h"
#include "maintenance/Piezas.h"
#include "maintenance/respaldo.h"
#include "platform/Error.h"
#include "platform/db/Revision.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/PuertaModal.h"

#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>

namespace {

using plat::Clase;

// The production index file of a table: its name with the last three
// characters replaced by "mdx".
QString ArchivoIndice(const QString& tabla) { return tabla.left(tabla.size() - 3) + QStringLiteral("mdx"); }

void Apunta(db::Tabla& t, const QString& carpeta, const QString& archivo, bool exclusiva, bool soloLectura) {
  t.Close();
  t.SetCarpeta(carpeta);
  t.SetNombreTabla(archivo);
  t.SetExclusive(exclusiva);
  t.SetReadOnly(soloLectura);
}

// Expressions compared as the index file keeps them: case and blanks aside.
QString ExpresionComparable(const QString& expresion) {
  return expresion.simplified().remove(u' ').toUpper();
}

}  // namespace

QString MensajeTablaEnUso(const QString& tabla) {
  return QStringLiteral("La tabla %1 está en uso en otra estación; se dejó sin cambios").arg(tabla);
}

QString MensajeResumenReindexado(const ResumenReindexado& resumen) {
  QStringList lineas{QStringLiteral("Proceso de Regeneración de Indices Terminado")};
  const qsizetype n = resumen.hechas.size();
  lineas << (n == 1 ? QStringLiteral("1 tabla reindexada") : QStringLiteral("%1 tablas reindexadas").arg(n));
  if (!resumen.enUso.isEmpty())
    lineas << QStringLiteral("En uso por una ventana abierta u otra estación, se dejaron sin cambios: ") +
                  resumen.enUso.join(QStringLiteral(", "));
  if (!resumen.fallidas.isEmpty())
    lineas << QStringLiteral("No se pudieron reindexar: ") + resumen.fallidas.join(QStringLiteral(", "));
  return lineas.join(u'\n');
}

void TFormaReindexaTodo::EmpiezaResumen(const QString& inicio) {
  resumen_ = {};
  inicioResumen_ = inicio;
}

void TFormaReindexaTodo::MuestraResumen() { ui::MensajeSimple(MensajeResumenReindexado(resumen_)); }

QString CampoCatalogo(const QString& linea, int n) {
  const QStringList campos = linea.split(u',');
  return n >= 1 && n <= campos.size() ? campos[n - 1] : QString();
}

QString QuitaAsteriscos(const QString& texto) { return QString(texto).remove(u'*'); }

QVector<LineaCatalogo> LeeLineasCatalogo(const QStringList& lineas) {
  QVector<LineaCatalogo> r;
  for (const QString& linea : lineas) {
    const qsizetype primera = linea.indexOf(u',');
    const qsizetype segunda = primera < 0 ? -1 : linea.indexOf(u',', primera + 1);
    if (segunda < 0) continue;
    r.append({linea.left(primera).trimmed(), linea.mid(primera + 1, segunda - primera - 1).trimmed(),
              linea.mid(segunda + 1).trimmed(), linea});
  }
  return r;
}

QString LineaDeTag(const QString& tabla, const db::DefTag& tag, const QStringList& campos) {
  const QString expresion = tag.expresion.trimmed();
  const bool unCampo = campos.contains(expresion, Qt::CaseInsensitive);
  return (tabla + u',' + tag.nombre + u',' + (unCampo ? expresion : u'*' + expresion)).toLower();
}

bool ExisteIndice(const QString& carpeta, const QString& tabla, const QString& tag) {
  if (!fs::ExisteArchivo(fs::Une(carpeta, ArchivoIndice(tabla)))) return false;
  try {
    db::Tabla t;
    t.SetCarpeta(carpeta);
    t.SetNombreTabla(tabla);
    return t.IndexNames().contains(tag.trimmed(), Qt::CaseInsensitive);
  } catch (const plat::Error&) {
    return false;
  }
}

QStringList TFormaReindexaTodo::LineasMemo() const {
  QStringList lineas = Memo1->toPlainText().split(u'\n');
  for (QString& l : lineas)
    if (l.endsWith(u'\r')) l.chop(1);
  while (!lineas.isEmpty() && lineas.last().isEmpty()) lineas.removeLast();
  return lineas;
}

void TFormaReindexaTodo::ReemplazaMemo(const QStringList& lineas) { Memo1->setPlainText(lineas.join(u'\n')); }

bool TFormaReindexaTodo::CargaCatalogo(const QString& carpeta) {
  const QString ruta = fs::Une(carpeta, kCatalogoIndices);
  try {
    ReemplazaMemo(fs::LeeLineas(ruta));
    return true;
  } catch (const plat::Error&) {
    ui::MensajeSimple(QStringLiteral("No se puede abrir el archivo ") + ruta);
    return false;
  }
}

void TFormaReindexaTodo::LlenaArchivos(const QString& carpeta) {
  Archivos->clear();
  Archivos->addItems(ArchivosDeCarpeta(carpeta, QStringLiteral("*.dbf")));
}

QStringList CatalogoDeCarpeta(const QString& carpeta, const std::function<void(const QString&)>& alFallar) {
  QStringList lineas;
  for (const QString& archivo : ArchivosDeCarpeta(carpeta, QStringLiteral("*.dbf"))) {
    try {
      db::Tabla t;
      t.SetCarpeta(carpeta);
      t.SetNombreTabla(archivo);
      t.SetReadOnly(true);
      t.Open();
      const QStringList campos = t.NombresCampos();
      for (const db::DefTag& tag : t.IndexDefs()) lineas << LineaDeTag(archivo, tag, campos);
    } catch (const plat::Error&) {
      if (alFallar) alFallar(archivo);
    }
  }
  return lineas;
}

void TFormaReindexaTodo::BitBtn1Click() {
  const QString carpeta = EditRuta->text();
  LlenaArchivos(carpeta);
  ReemplazaMemo(CatalogoDeCarpeta(carpeta, [](const QString& archivo) {
    ui::MensajeSimple(QStringLiteral("ocurrio un Error al leer los datos de la tabla ") + archivo);
  }));
}

void TFormaReindexaTodo::BitBtn4Click() { fs::ReescribeLineas(fs::Une(EditRuta->text(), kCatalogoIndices), LineasMemo()); }

void TFormaReindexaTodo::BitBtn8Click() { CargaCatalogo(EditRuta->text()); }

void TFormaReindexaTodo::Avanza(int hechas, int total) {
  Progreso->setValue(total <= 1 ? 100 : 100 * (hechas - 1) / (total - 1));
  Progreso->repaint();
}

TFormaReindexaTodo::Preparacion TFormaReindexaTodo::PreparaTablaIndices(const QString& tabla, const QString& carpeta,
                                                                        bool quitaIndice) {
  try {
    Table1->Close();
    if (quitaIndice || !fs::ExisteArchivo(fs::Une(carpeta, ArchivoIndice(tabla)))) {
      if (!db::QuitaIndiceProduccion(carpeta, tabla)) return Preparacion::Fallida;
    }
    Apunta(*Table1, carpeta, tabla, true, false);
    Table1->Open();
    Table1->Pack();
    return Preparacion::Lista;
  } catch (const plat::Error& e) {
    Table1->Close();
    return e.clase() == Clase::EnUso ? Preparacion::EnUso : Preparacion::Fallida;
  }
}

void TFormaReindexaTodo::AgregaIndiceCatalogo(const LineaCatalogo& linea, const QVector<db::DefTag>& anteriores) {
  if (linea.tag.isEmpty()) return;
  const QString clave = QuitaAsteriscos(linea.clave);
  db::DefTag tag{linea.tag, clave};
  // The catalogue does not say whether a tag is unique or descending: a tag
  // the table had under that name and key keeps what it was.
  for (const db::DefTag& a : anteriores) {
    if (a.nombre.compare(tag.nombre, Qt::CaseInsensitive) == 0 &&
        ExpresionComparable(a.expresion) == ExpresionComparable(clave)) {
      tag.unico = a.unico;
      tag.descendente = a.descendente;
    }
  }
  try {
    Table1->AddIndex(tag);
  } catch (const plat::Error&) {
    ui::MensajeSimple(QStringLiteral("Fallo en ") + linea.tag + u' ' + clave);
  }
}

void TFormaReindexaTodo::Reproduce(const QVector<LineaCatalogo>& lineas, bool quitaIndice) {
  const QString carpeta = EditRuta->text();
  Progreso->setValue(0);
  Lista2->clear();
  // Each table once, its lines together, tables in the order they first
  // appear.
  QStringList orden;
  QHash<QString, QVector<LineaCatalogo>> grupos;
  for (const LineaCatalogo& l : lineas) {
    const QString clave = l.tabla.toLower();
    if (!grupos.contains(clave)) orden << clave;
    grupos[clave].append(l);
  }
  const int total = static_cast<int>(lineas.size());
  int hechas = 0;
  for (const QString& clave : orden) {
    const QVector<LineaCatalogo>& grupo = grupos[clave];
    const QString tabla = grupo.first().tabla;
    LabelTabla->setText(tabla);
    Lista2->addItem(tabla);
    QVector<db::DefTag> anteriores;
    try {
      db::Tabla t;
      t.SetCarpeta(carpeta);
      t.SetNombreTabla(tabla);
      anteriores = t.IndexDefs();
    } catch (const plat::Error&) {
    }
    const Preparacion preparada = PreparaTablaIndices(tabla, carpeta, quitaIndice);
    // A numbered subfolder's tables are named with it.
    const QString nombre = carpeta.compare(inicioResumen_, Qt::CaseInsensitive) == 0 || inicioResumen_.isEmpty()
                               ? tabla
                               : fs::NombreArchivo(carpeta) + u'\\' + tabla;
    switch (preparada) {
      case Preparacion::Lista: resumen_.hechas << nombre; break;
      case Preparacion::EnUso: resumen_.enUso << nombre; break;
      case Preparacion::Fallida: resumen_.fallidas << nombre; break;
    }
    for (const LineaCatalogo& l : grupo) {
      if (preparada == Preparacion::Lista) AgregaIndiceCatalogo(l, anteriores);
      else if (preparada == Preparacion::Fallida)
        ui::MensajeSimple(QStringLiteral("Ocurrio un Error al Crear un Indice en la Tabla ") + tabla);
      LabelTabla->setText(tabla);
      Avanza(++hechas, total);
    }
    Table1->Close();
  }
}

void TFormaReindexaTodo::ReindexaCatalogo() { Reproduce(LeeLineasCatalogo(LineasMemo()), true); }

void TFormaReindexaTodo::BitBtn2Click() {
  QString programa;
  CarpetaLocal(programa);
  try {
    if (!db::Tabla::Existe(programa, QStringLiteral("detaVRL.db")))
      db::Tabla::CopiaArchivos(programa, QStringLiteral("deta.db"), QStringLiteral("detaVRL.db"));
  } catch (const plat::Error&) {
  }
  RegistraBitacora(piezas::LineaBitacora(QStringLiteral("Reindexado ")));
  const QString inicio = EditRuta->text();
  if (!CargaCatalogo(inicio)) return;
  EmpiezaResumen(inicio);
  ReindexaCatalogo();
  for (int n = 2; n <= 99; ++n) {
    const QString sub = fs::Une(inicio, QString::number(n));
    if (!fs::ExisteCarpeta(sub)) continue;
    EditRuta->setText(sub);
    if (!CargaCatalogo(sub)) {
      MuestraResumen();
      return;
    }
    ReindexaCatalogo();
  }
  EditRuta->setText(inicio);
  for (const char* numeros : {"numero.dbf", "numeroc.dbf", "numerof.dbf"}) {
    try {
      EmpacaTabla(inicio, QString::fromLatin1(numeros));
    } catch (const plat::Error&) {
      break;
    }
  }
  MuestraResumen();
}

void TFormaReindexaTodo::ChecaIndices() {
  const QString carpeta = EditRuta->text();
  Faltantes->clear();
  for (const LineaCatalogo& l : LeeLineasCatalogo(LineasMemo()))
    if (!ExisteIndice(carpeta, l.tabla, l.tag)) Faltantes->addItem(l.texto);
}

void TFormaReindexaTodo::BitBtn6Click() { ChecaIndices(); }

static QStringList Renglones(const QListWidget& lista) {
  QStringList r;
  for (int i = 0; i < lista.count(); ++i) r << lista.item(i)->text();
  return r;
}

void TFormaReindexaTodo::BitBtn7Click() {
  RegistraBitacora(piezas::LineaBitacora(QStringLiteral("Reindexado Incompletos ")));
  const QStringList lineas = Renglones(*Faltantes);
  ReemplazaMemo(lineas);
  EmpiezaResumen(EditRuta->text());
  Reproduce(LeeLineasCatalogo(lineas), false);
  MuestraResumen();
}

void TFormaReindexaTodo::BitBtn9Click() {
  ChecaIndices();
  EmpiezaResumen(EditRuta->text());
  if (Faltantes->count() > 0) {
    QStringList lineas = Renglones(*Faltantes);
    ReemplazaMemo(lineas);
    Reproduce(LeeLineasCatalogo(lineas), false);
    // A tag still missing is reported and tried once more.
    ChecaIndices();
    lineas = Renglones(*Faltantes);
    if (!lineas.isEmpty()) {
      for (const LineaCatalogo& l : LeeLineasCatalogo(lineas))
        ui::MensajeSimple(QStringLiteral("Ocurrio un Error al Crear un Indice en la Tabla ") + l.tabla);
      ReemplazaMemo(lineas);
      Reproduce(LeeLineasCatalogo(lineas), false);
    }
    MuestraResumen();
  }
  CargaCatalogo(EditRuta->text());
}
