#include "reports/TablaTrabajo.h"

#include "foundation/dinero.h"
#include "foundation/rutinas_numero.h"
#include "platform/Error.h"
#include "platform/db/Bloqueo.h"
#include "platform/db/Consulta.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "reports/ArchivosReporte.h"
#include "reports/Consulta.h"
#include "reports/Vistas.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <optional>
#include <vector>

namespace {

constexpr int kAnchoTextoMaximo = 254;
constexpr int kAnchoNumeroTexto = 24;
constexpr int kAnchoFechaTexto = 10;
constexpr int kAnchoLogicoTexto = 5;
const QString kNumero = QStringLiteral("NUMERIC(20,4)");
const QString kConsecutivo = QStringLiteral("CONSEC");
const QString kTotales = QStringLiteral("TOTALES");
const QString kMascaraRetiros = QStringLiteral("#,###,##0.00");
constexpr int kAnchoRetiros = 12;

int AnchoTexto(const db::Campo& campo) { return std::clamp(campo.Ancho() + 1, 1, kAnchoTextoMaximo); }

// The column type of result field i; empty when it gets no column.
QString TipoColumna(const db::Campo& campo, int i) {
  const auto caracteres = [](int n) { return QStringLiteral("CHAR(%1)").arg(n); };
  switch (campo.Tipo()) {
    case db::TipoDato::Texto: return caracteres(AnchoTexto(campo));
    case db::TipoDato::Entero:
    case db::TipoDato::Flotante:
    case db::TipoDato::Moneda: return i == 0 ? caracteres(kAnchoNumeroTexto) : kNumero;
    case db::TipoDato::Fecha: return i == 0 ? caracteres(kAnchoFechaTexto) : QStringLiteral("DATE");
    case db::TipoDato::Logico: return i == 0 ? caracteres(kAnchoLogicoTexto) : QString();
    case db::TipoDato::Memo: return i == 0 ? caracteres(kAnchoTextoMaximo) : QString();
  }
  return {};
}

// Writes rows of the work table from the result's rows, field by field.
class Llenado {
 public:
  Llenado(db::Dataset& resultado, db::Tabla& trabajo, const QStringList& titulos, bool consecutivo)
      : r_(resultado), t_(trabajo) {
    int j = 0;
    for (int i = 0; i < r_.FieldCount(); ++i) {
      destino_.push_back(TipoColumna(r_.Fields(i), i).isEmpty() ? -1 : j++);
      suma_.push_back(i < titulos.size() && titulos[i].startsWith(u'$'));
      titulos_ << (i < titulos.size() ? QString(titulos[i]).remove(u'#').remove(u'$') : QString());
    }
    if (consecutivo) consecutivo_ = t_.FindField(kConsecutivo);
  }

  int Campos() const { return static_cast<int>(destino_.size()); }
  bool Suma(int i) const { return suma_[i]; }
  const QString& Titulo(int i) const { return titulos_[i]; }

  // The value of result field i as an amount, when its text reads as one.
  std::optional<Dinero> Importe(int i) const { return Dinero::Lee(r_.Fields(i).AsString()); }
  QString Texto(int i) const { return i < r_.FieldCount() ? r_.Fields(i).AsString() : QString(); }

  void Vacio() {
    t_.Append();
    t_.Post();
  }
  // The result's current row.
  void Copia() {
    t_.Append();
    for (int i = 0; i < Campos(); ++i) {
      if (destino_[i] >= 0) t_.Fields(destino_[i]).SetAsString(r_.Fields(i).AsString());
    }
    Numera();
    t_.Post();
  }
  // A row with `llave` in the first field and the sums in the summed
  // columns.
  void Sumas(const QString& llave, const std::vector<Dinero>& sumas, bool numerada) {
    t_.Append();
    for (int i = 1; i < Campos(); ++i) {
      if (suma_[i] && destino_[i] >= 0) t_.Fields(destino_[i]).SetAsString(sumas[i].Redondeada(2).Texto());
    }
    if (destino_[0] >= 0) t_.Fields(destino_[0]).SetAsString(llave);
    if (numerada) Numera();
    t_.Post();
  }

 private:
  void Numera() {
    ++renglones_;
    if (consecutivo_) consecutivo_->SetAsInteger(renglones_);
  }

  db::Dataset& r_;
  db::Tabla& t_;
  std::vector<int> destino_;
  std::vector<bool> suma_;
  QStringList titulos_;
  db::Campo* consecutivo_ = nullptr;
  qint64 renglones_ = 0;
};

// Adds field i of the current row to `suma` (and `total`) when it reads as
// an amount.
void Acumula(const Llenado& llenado, int i, Dinero& suma, Dinero* total = nullptr) {
  const std::optional<Dinero> importe = llenado.Importe(i);
  if (!importe) return;
  suma += *importe;
  if (total) *total += *importe;
}

void LlenaDetalle(db::Dataset& r, Llenado& l, bool porGrupos) {
  std::vector<Dinero> sumas(l.Campos());
  std::optional<QString> anterior;
  for (r.First(); !r.Eof(); r.Next()) {
    const QString llave = l.Texto(0);
    if (porGrupos && anterior && *anterior != llave) {
      l.Vacio();
      l.Sumas(kTotales, sumas, false);
      std::fill(sumas.begin(), sumas.end(), Dinero());
    }
    anterior = llave;
    l.Copia();
    for (int i = 0; i < l.Campos(); ++i) {
      if (l.Suma(i)) Acumula(l, i, sumas[i]);
    }
  }
  l.Vacio();
  l.Vacio();
  l.Sumas(kTotales, sumas, false);
}

void LlenaCruzada(db::Dataset& r, Llenado& l, bool todas) {
  std::vector<Dinero> grupo(l.Campos()), totales(l.Campos());
  std::optional<QString> llave;
  for (r.First(); !r.Eof(); r.Next()) {
    const QString actual = l.Texto(0);
    if (llave && *llave != actual) {
      l.Sumas(*llave, grupo, true);
      std::fill(grupo.begin(), grupo.end(), Dinero());
    }
    llave = actual;
    const QString segundo = l.Texto(1);
    for (int i = 0; i < l.Campos(); ++i) {
      if (l.Suma(i) && (todas || i < 3 || segundo == l.Titulo(i))) Acumula(l, i, grupo[i], &totales[i]);
    }
  }
  if (llave) l.Sumas(*llave, grupo, true);
  l.Vacio();
  l.Sumas(kTotales, totales, false);
}

}  // namespace

QString RutaTablaTrabajo() { return fs::Une(CarpetaTrabajoReporte(), kTablaTrabajo); }

QString ColumnasTablaTrabajo(const db::Dataset& resultado) {
  QString lista;
  for (int i = 0; i < resultado.FieldCount(); ++i) {
    const db::Campo& campo = resultado.Fields(i);
    const QString tipo = TipoColumna(campo, i);
    if (!tipo.isEmpty()) lista += QString(campo.Nombre()).remove(u' ') + u' ' + tipo + u',';
  }
  if (lista.size() > 2) lista[lista.size() - 1] = u' ';
  return lista;
}

QStringList TitulosTablaTrabajo(const db::Dataset& resultado, const QStringList& titulos, bool consecutivo) {
  QStringList deTrabajo;
  for (int i = 0; i < resultado.FieldCount(); ++i) {
    if (!TipoColumna(resultado.Fields(i), i).isEmpty()) deTrabajo << titulos.value(i);
  }
  if (consecutivo) deTrabajo << QStringLiteral("#Consecutivo");
  return deTrabajo;
}

void CreaTablaTrabajo(db::Consulta& ejecutor, const db::Dataset& resultado, bool consecutivo) {
  const QString ruta = u'"' + RutaTablaTrabajo() + u'"';
  const auto ejecuta = [&ejecutor](const QString& sql) {
    try {
      ejecutor.Close();
      ejecutor.SetSQL(sql);
      ejecutor.ExecSQL();
    } catch (const plat::Error&) {
      // A table that was not there, or not made: the filling says so.
    }
  };
  ejecuta(QStringLiteral("DROP TABLE ") + ruta);
  ejecuta(QStringLiteral("CREATE TABLE ") + ruta + QStringLiteral(" (") + ColumnasTablaTrabajo(resultado) +
          (consecutivo ? u',' + kConsecutivo + u' ' + kNumero + u')' : QStringLiteral(")")));
}

void LlenaTablaTrabajo(db::Dataset& resultado, db::Tabla& trabajo, const QStringList& titulos, QChar modo,
                       bool consecutivo) {
  trabajo.EmptyTable();
  Llenado llenado(resultado, trabajo, titulos, consecutivo);
  switch (modo.unicode()) {
    case u'T': LlenaDetalle(resultado, llenado, false); break;
    case u'D': LlenaDetalle(resultado, llenado, true); break;
    case u'A': LlenaCruzada(resultado, llenado, false); break;
    case u'C': LlenaCruzada(resultado, llenado, true); break;
    default: break;
  }
}

void EscribeRetirosVista(const QStringList& vista) {
  EstadoConsultas().BanderaRetiros = QStringLiteral("N");
  const QString archivo = ArchivoTrabajoReporte(kArchivoRetiros);
  try {
    // No earlier run's total is ever shown.
    fs::BorraArchivo(archivo);
    if (LineaVista(vista, 12).isEmpty()) return;
    EstadoConsultas().BanderaRetiros = QStringLiteral("S");
    if (LineaVista(vista, 11) != u"Retiros") return;
    db::Tabla retiros;
    ApuntaTabla(retiros, QStringLiteral("Retiros.dbf"));
    retiros.SetReadOnly(true);
    retiros.Open();
    Dinero suma;
    db::Campo& cantidad = retiros.FieldByName(QStringLiteral("CANTIDAD"));
    for (retiros.First(); !retiros.Eof(); retiros.Next()) suma += Dinero::DeReal(cantidad.AsFloat());
    retiros.Close();
    fs::ReescribeLineas(archivo, {QStringLiteral("Total de Retiros $") +
                                      FormatoMascara(kMascaraRetiros, suma).rightJustified(kAnchoRetiros, u' '),
                                  QString(), QString()});
  } catch (const std::exception&) {
    // The report goes on without the total.
  }
}
