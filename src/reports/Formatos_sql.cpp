// The parameters dialog's choices as SQL text for report scripts.

#include "foundation/rutinas_fecha.h"
#include "platform/db/Literales.h"
#include "reports/Formatos.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>

namespace {

// The user's value between the wildcards, matched as typed: when it holds a
// %, an _ or a backslash, these are escaped and the LIKE takes an ESCAPE
// clause.
QString Patron(const QString& antes, const QString& valor, const QString& despues) {
  const QString patron = db::PatronLike(valor);
  return QStringLiteral(" LIKE ") + db::LiteralApostrofos(antes + patron + despues) +
         (patron == valor ? QString() : QString::fromLatin1(db::kEscapeLike));
}

QString FechaDe(const QDateEdit* fecha) { return FechaSQL(TextoFecha(fecha->date())); }

}  // namespace

void ComparacionSQL(const QString& palabra, const QString& valor, QString& salida) {
  static const QStringList kComparaciones = {QStringLiteral("="),  QStringLiteral("<"),  QStringLiteral(">"),
                                             QStringLiteral("<>"), QStringLiteral("<="), QStringLiteral(">=")};
  if (palabra == u"=" && valor.isEmpty()) salida = QStringLiteral(" IS NULL");
  else if (palabra == u"<>" && valor.isEmpty()) salida = QStringLiteral(" LIKE NOT NULL");
  else if (kComparaciones.contains(palabra)) salida = palabra + u' ' + db::LiteralComillas(valor);
  else if (palabra == u"&") salida = QStringLiteral("W");
  else if (palabra == u"Inicia_Con") salida = Patron(QString(), valor, QStringLiteral("%"));
  else if (palabra == u"Termina_Con") salida = Patron(QStringLiteral("%"), valor, QString());
  else if (palabra == u"Incluye") salida = Patron(QStringLiteral("%"), valor, QStringLiteral("%"));
}

void CondicionesReporteSQL(const QString& campoDesde, const QString& campoHasta, QString& salida) {
  salida.clear();
  const TFormaFormatos* forma = FormaFormatos();
  if (!forma) return;
  QString texto;
  const QString desde = campoDesde + QStringLiteral(" >= '") + FechaDe(forma->Inicial) + u'\'';
  const QString hasta = campoHasta + QStringLiteral(" <= '") + FechaDe(forma->Final) + QStringLiteral("'  ");
  if (!campoDesde.isEmpty() && !campoHasta.isEmpty()) texto = desde + QStringLiteral(" and ") + hasta;
  else if (!campoDesde.isEmpty()) texto = desde + u' ';
  else if (!campoHasta.isEmpty()) texto = hasta;

  for (int n = 0; n < 3; ++n) {
    // A field box whose text names no offered field gives no condition.
    if (forma->Condicion[n]->currentText().isEmpty() || forma->Operador[n]->currentText().isEmpty() ||
        forma->C[n]->text().isEmpty())
      continue;
    if (!texto.isEmpty()) texto += QStringLiteral(" and ");
    QString comparacion;
    ComparacionSQL(forma->Operador[n]->currentText(), forma->Valor[n]->currentText(), comparacion);
    texto += forma->C[n]->text() + comparacion;
  }
  if (!texto.isEmpty()) salida = QStringLiteral("and ") + texto;
}

void OrdenReporteSQL(const QString&, QString& salida) {
  const TFormaFormatos* forma = FormaFormatos();
  salida = forma && !forma->Orden->currentText().isEmpty() ? forma->O1->text() : QString();
}
