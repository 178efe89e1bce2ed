#include "foundation/rutinas_tablas.h"

#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_fecha.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/RejillaDatos.h"
#include "platform/fs/Reloj.h"

#include <exception>
#include <optional>

namespace {

// A key that reads as a whole number, without its leading zeros ("" for 0);
// nullopt for any other key.
std::optional<QString> Digitos(const QString& clave) {
  const QString k = clave.trimmed();
  if (k.isEmpty()) return std::nullopt;
  for (QChar c : k)
    if (c < u'0' || c > u'9') return std::nullopt;
  qsizetype i = 0;
  while (i < k.size() && k[i] == u'0') ++i;
  return k.mid(i);
}

bool MayorQue(const QString& a, const QString& b) { return a.size() != b.size() ? a.size() > b.size() : a > b; }

// Adds one to a number written in decimal digits.
QString MasUno(QString digitos) {
  for (qsizetype i = digitos.size() - 1; i >= 0; --i) {
    if (digitos[i] != u'9') {
      digitos[i] = QChar(digitos[i].unicode() + 1);
      return digitos;
    }
    digitos[i] = u'0';
  }
  return QStringLiteral("1") + digitos;
}

}  // namespace

void AbreTabla(db::Dataset& tabla) {
  try {
    tabla.Open();
  } catch (const std::exception&) {
    const QDateTime ahora = fs::Ahora();
    EscribeBitacoraLocal(QStringLiteral("Error Apertura ") + tabla.NombreTabla() + u' ' + TextoHora(ahora.time()) +
                         u' ' + TextoFecha(ahora.date()));
  }
}

void RefrescaTabla(db::Tabla& tabla) {
  // Editing a table with no rows would add a blank one: only re-read it. A
  // record being edited or inserted is posted.
  if (tabla.State() != db::Dataset::Estado::Navegando || !tabla.IsEmpty()) {
    tabla.Edit();
    tabla.Post();
  }
  tabla.Refresh();
  tabla.Prior();
  tabla.Close();
  tabla.Open();
}

void EmpacaTabla(const QString& carpeta, const QString& archivo) {
  db::Tabla tabla;
  tabla.SetCarpeta(carpeta);
  tabla.SetNombreTabla(archivo);
  tabla.SetExclusive(true);
  tabla.Open();
  tabla.Pack();
}

void LiberaBloqueos(db::Tabla& tabla) { tabla.LiberaBloqueos(); }

QString SiguienteClaveNumerica(const db::Tabla& tabla, const QString& campo) {
  db::Tabla lectura;
  lectura.SetCarpeta(tabla.Carpeta());
  lectura.SetNombreTabla(tabla.NombreTabla());
  lectura.SetReadOnly(true);
  lectura.Open();
  const db::Campo& clave = lectura.FieldByName(campo);
  std::optional<QString> mayor;
  for (lectura.First(); !lectura.Eof(); lectura.Next()) {
    const std::optional<QString> d = Digitos(clave.AsString());
    if (d && (!mayor || MayorQue(*d, *mayor))) mayor = d;
  }
  return mayor ? MasUno(*mayor) : QString();
}

bool GuardaFilaRejilla(ui::RejillaDatos& rejilla) {
  db::Dataset* tabla = rejilla.Fuente() ? rejilla.Fuente()->DataSet() : nullptr;
  if (!tabla || !tabla->Active()) return true;
  if (!rejilla.CierraEditor()) return false;
  const auto estado = tabla->State();
  if (estado != db::Dataset::Estado::Editando && estado != db::Dataset::Estado::Insertando) return true;
  try {
    if (tabla->Modified()) tabla->Post();
    else tabla->Cancel();
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return false;
  }
  return true;
}
