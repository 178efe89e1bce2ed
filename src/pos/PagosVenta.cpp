#include "pos/PagosVenta.h"

#include "foundation/aritmetica.h"
#include "foundation/dinero.h"
#include "foundation/rutinas_numero.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "shell/LugarTablas.h"

double FactorDePago(const QString& tipo) { return tipo == QLatin1String("T.CREDITO") ? 1.025 : 1.0; }

bool TipoConCuenta(const QString& tipo) {
  return tipo == QLatin1String("Tarjeta") || tipo == QLatin1String("Cheque") ||
         tipo == QLatin1String("Transferencia");
}

double DescuentoDePago(const QString& carpeta, const QString& tipo) {
  db::Tabla tabla;
  ApuntaTabla(tabla, QStringLiteral("Descuento.DBF"), db::Carpetas{carpeta, {}, {}, {}});
  tabla.SetIndexName(QStringLiteral("TIPOPAGO"));
  tabla.SetReadOnly(true);
  tabla.Open();
  if (!tabla.FindKey({tipo})) return kSinDescuentoPago;
  const db::Campo& descuento = tabla.FieldByName(QStringLiteral("DESCUENTO"));
  const db::Campo& precio = tabla.FieldByName(QStringLiteral("PRECIO"));
  if (!descuento.IsNull()) return descuento.AsFloat();
  if (!precio.IsNull()) return precio.AsFloat() + kBaseListaPago;
  return kSinDescuentoPago;
}

std::optional<QStringList> TiposDePago(const QString& carpeta) {
  const QString ruta = fs::Une(carpeta, QStringLiteral("pagos.cnf"));
  if (!fs::ExisteArchivo(ruta)) return std::nullopt;
  return fs::LeeLineas(ruta);
}

bool EsImporteAritmetico(const QString& texto) {
  bool digito = false;
  for (const QChar c : texto) {
    if (c.isDigit()) digito = true;
    else if (c != u'.' && c != u' ' && c != u'+' && c != u'-' && c != u'*' && c != u'/') return false;
  }
  return digito;
}

QString EvaluaImporte(const QString& texto) {
  return FormatoMascara(QStringLiteral("#####0.00"), Dinero::DeTexto(EvaluaAritmetica(texto).trimmed()));
}
