#include "reports/GuionTabla.h"

#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/PuertaModal.h"

#include <algorithm>

namespace {

const QString kNumero = QStringLiteral("NUMERIC(20,4),");
constexpr int kAnchoTextoMaximo = 254;

bool EsTitulo(const QString& linea) { return linea.startsWith(u'%'); }

}  // namespace

QString RutaTablaTemporal() { return kCarpetaTablaTemporal + kTablaTemporal; }

QString MensajeTablaOcupada(const QString& tabla) {
  return QStringLiteral("La tabla ") + tabla + QStringLiteral(" está ocupada por otra estación");
}

QStringList LineasGuion(const QString& archivo) {
  QByteArray bytes = fs::LeeBytes(archivo);
  // CR LF and a lone CR both end a line.
  bytes.replace("\r\n", "\n");
  bytes.replace('\r', '\n');
  return fs::DivideLineasCp1252OUtf8(bytes);
}

void LeeSQLGuion(const QString& archivo, QString& sql) {
  ui::MensajeSimple(archivo);
  sql.clear();
  for (const QString& linea : LineasGuion(archivo)) {
    if (EsTitulo(linea)) break;
    sql += linea + u' ';
  }
}

void LeeTiposColumnaGuion(const QString& archivo, QString& lista) {
  lista.clear();
  bool titulos = false;
  for (const QString& linea : LineasGuion(archivo)) {
    if (!titulos && !EsTitulo(linea)) continue;
    titulos = true;
    if (linea.isEmpty()) continue;
    if (!EsTitulo(linea)) break;
    lista += linea + u',';
  }
}

void TipoCampoSQL(db::TipoDato tipo, int ancho, QString& texto) {
  switch (tipo) {
    case db::TipoDato::Texto:
      texto = QStringLiteral("CHAR(%1),").arg(std::clamp(ancho + 1, 1, kAnchoTextoMaximo));
      return;
    case db::TipoDato::Entero:
    case db::TipoDato::Flotante:
    case db::TipoDato::Moneda:
      texto = kNumero;
      return;
    case db::TipoDato::Fecha:
      texto = QStringLiteral("DATE,");
      return;
    default:
      texto.clear();
  }
}

void DefinicionCamposSQL(const db::Dataset& datos, QString& texto) {
  texto.clear();
  for (int i = 0; i < datos.FieldCount(); ++i) {
    const db::Campo& campo = datos.Fields(i);
    QString tipo;
    TipoCampoSQL(campo.Tipo(), campo.Ancho(), tipo);
    texto += campo.Nombre() + u' ' + tipo;
  }
  if (texto.size() > 2) texto[texto.size() - 1] = u' ';
}

void CreaTablaTemporal(db::Dataset& datos, const QString& ruta) {
  db::Consulta sql;
  const auto ejecuta = [&sql](const QString& texto) {
    try {
      sql.Close();
      sql.SetSQL(texto);
      sql.ExecSQL();
    } catch (const plat::Error&) {
      // A table that was not there, or a kind the table cannot hold: the
      // reading of the table says so.
    }
  };
  const QString tabla = u'"' + ruta + u'"';
  ejecuta(QStringLiteral("DROP TABLE ") + tabla);
  QString definiciones;
  DefinicionCamposSQL(datos, definiciones);
  ejecuta(QStringLiteral("CREATE TABLE ") + tabla + u' ' + u'(' + definiciones + u')');
  try {
    CopiaATablaTemporal(datos);
  } catch (const plat::Error&) {
    // The rows copied so far stay.
  }
}

void CopiaATablaTemporal(db::Dataset& datos) {
  db::Tabla tabla;
  tabla.SetCarpeta(kCarpetaTablaTemporal);
  tabla.SetNombreTabla(kTablaTemporal);
  tabla.Open();
  for (datos.First(); !datos.Eof(); datos.Next()) {
    tabla.Append();
    for (int i = 0; i < datos.FieldCount(); ++i) {
      const db::Campo& origen = datos.Fields(i);
      tabla.FieldByName(origen.Nombre()).SetAsString(origen.AsString());
    }
    tabla.Post();
  }
}

void EjecutaGuionATablaTemporal(const QString& archivo) {
  db::Consulta guion;
  QString sql;
  LeeSQLGuion(archivo, sql);
  guion.SetSQL(sql);
  guion.Open();
  CreaTablaTemporal(guion, RutaTablaTemporal());
}
