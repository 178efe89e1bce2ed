#include "formats/ImporteLetra.h"

#include "formats/CarpetaFormato.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "platform/Error.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "shell/Moneda.h"

#include <array>
#include <cmath>

namespace {

std::array<QString, 4> TextosMoneda;

const char* const kCientos[] = {"", " ciento", " doscientos", " trescientos", " cuatrocientos",
                                " quinientos", " seiscientos", " setecientos", " ochocientos", " novecientos"};
const char* const kDecenas[] = {"", "", "", " treinta", " cuarenta", " cincuenta", " sesenta", " setenta",
                                " ochenta", " noventa"};
const char* const kDiezAVeintinueve[] = {
    " diez",      " once",       " doce",      " trece",     " catorce",      " quince",     " dieciseis",
    " diecisiete", " dieciocho", " diecinueve", " veinte",    " veintiun",     " veintidos",  " veintitres",
    " veinticuatro", " veinticinco", " veintiseis", " veintisiete", " veintiocho", " veintinueve"};
const char* const kUnidadesTrasDecena[] = {"", " y un", " y dos", " y tres", " y cuatro", " y cinco",
                                           " y seis", " y siete", " y ocho", " y nueve"};
const char* const kUnidades[] = {"", " un", " dos", " tres", " cuatro", " cinco", " seis", " siete", " ocho", " nueve"};

const char* const kUnitsEn[] = {"ZERO", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine",
                                "ten", "eleven", "twelve", "thirteen", "fourteen", "fifteen", "sixteen",
                                "seventeen", "eighteen", "nineteen"};
const char* const kTensEn[] = {"", "ten", "twenty", "thirty", "forty", "fifty", "sixty", "seventy", "eighty", "ninety"};

const QString kErrorCantidad = QStringLiteral(" Error en Cantidad");
constexpr int kMaximoGrupos = 4;  // up to 999,999,999,999
constexpr double kMaximoIngles = 4294967295.99;

// Upper case for the letters a to z only: "millón" becomes "MILLóN".
QString MayusculasAZ(QString texto) {
  for (QChar& c : texto) {
    if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - 32);
  }
  return texto;
}

// A finite amount rounded to cents by the money rule, as it is printed in
// figures: the whole part's digits, signed, and the two digits of the cents.
struct Centavos {
  QString entero;
  QString centavos;
};

Centavos EnCentavos(double importe) {
  const QString fijo = TextoRedondeado(2, importe);
  return {fijo.left(fijo.size() - 3), fijo.right(2)};
}

// The Spanish words of the digits of a whole part, group by group from the
// left; false when there are no digits, a group is not a number (a minus
// sign) or there are more groups than have a scale word.
bool PalabrasEspanol(const QString& digitos, QString& palabras) {
  if (digitos.isEmpty()) return false;
  QString relleno = digitos;
  while (relleno.size() % 3 != 0) relleno.prepend(u'0');
  const int grupos = static_cast<int>(relleno.size() / 3);
  if (grupos > kMaximoGrupos) return false;
  palabras.clear();
  for (int i = 0; i < grupos; ++i) {
    bool ok = false;
    const QString grupo = relleno.mid(i * 3, 3);
    const int n = grupo.toInt(&ok);
    if (!ok || n < 0 || grupo.contains(u'-') || grupo.contains(u'+')) return false;
    palabras += GrupoEnLetra(n, grupos - i);
  }
  return true;
}

QString PalabrasIngles(std::int64_t n, bool solo) {
  if (n < 20) return (n == 0 && !solo) ? QString() : QString::fromLatin1(kUnitsEn[n]);
  if (n < 100) return QString::fromLatin1(kTensEn[n / 10]) + u' ' + PalabrasIngles(n % 10, false);
  if (n < 1000) {
    return QString::fromLatin1(kUnitsEn[n / 100]) + QStringLiteral(" hundred ") + PalabrasIngles(n % 100, false);
  }
  if (n < 1000000) {
    return PalabrasIngles(n / 1000, false) + QStringLiteral(" thousand ") + PalabrasIngles(n % 1000, false);
  }
  if (n < 1000000000) {
    return PalabrasIngles(n / 1000000, false) + QStringLiteral(" million ") + PalabrasIngles(n % 1000000, false);
  }
  if (n < 1000000000000) {
    return PalabrasIngles(n / 1000000000, false) + QStringLiteral(" billion ") +
           PalabrasIngles(n % 1000000000, false);
  }
  return QString();
}

}  // namespace

void FijaTextosMoneda(const QString& texto1, const QString& texto2, const QString& texto3, const QString& texto4) {
  TextosMoneda = {texto1.left(30), texto2.left(30), texto3.left(30), texto4.left(30)};
  CarpetaLocal(CarpetaProgramaFormato);
}

QString GrupoEnLetra(int n, int grupo) {
  const int h = n / 100 % 10;
  const int r = n % 100;
  const int t = r / 10;
  const int u = r % 10;
  QString texto = n == 100 ? QStringLiteral(" cien") : QString::fromLatin1(kCientos[h]);
  if (r >= 30) {
    texto += QString::fromLatin1(kDecenas[t]);
    if (r > 30) texto += QString::fromLatin1(kUnidadesTrasDecena[u]);
  } else if (r >= 10) {
    texto += QString::fromLatin1(kDiezAVeintinueve[r - 10]);
  } else {
    texto += QString::fromLatin1(kUnidades[u]);
  }
  switch (grupo) {
    case 2:
      if (n != 0) texto += QStringLiteral(" mil");
      break;
    case 3:
      texto += n == 1 ? QStringLiteral(" millón") : QStringLiteral(" millones");
      break;
    case 4:
      texto += QStringLiteral(" mil");
      break;
    default:
      break;
  }
  return texto;
}

QString ImporteConLetra(double importe) {
  const Centavos c = std::isfinite(importe) ? EnCentavos(importe) : Centavos{QString(), QStringLiteral("00")};
  QString palabras;
  if (!PalabrasEspanol(c.entero, palabras)) palabras = kErrorCantidad;
  // From here a negative amount counts without its sign.
  const QString sinSigno = c.entero.startsWith(u'-') ? c.entero.mid(1) : c.entero;
  if (sinSigno == u"0") palabras = QStringLiteral("cero ");
  QString texto;
  if (sinSigno == u"1") {
    texto = palabras + u' ' + TextosMoneda[0] + u' ' + c.centavos + QStringLiteral("/100 ") + TextosMoneda[3];
  } else if (!palabras.isEmpty()) {
    const QString& plural = palabras.endsWith(QStringLiteral("ones")) ? TextosMoneda[1] : TextosMoneda[2];
    texto = palabras + u' ' + plural + u' ' + c.centavos + QStringLiteral("/100 ") + TextosMoneda[3];
  }
  return u'(' + MayusculasAZ(texto) + u')';
}

QString NumeroEnIngles(std::int64_t n) { return PalabrasIngles(n, true); }

QString ImporteEnIngles(const QString& moneda, double importe) {
  if (importe == 0) {
    return MayusculasAZ(QStringLiteral("(ZERO") + (moneda.isEmpty() ? QString() : u' ' + moneda) +
                        QStringLiteral(" )"));
  }
  if (!(importe >= 1 && importe <= kMaximoIngles)) {
    throw plat::Error(QStringLiteral("%1 not in valid range %2..%3")
                          .arg(QString::number(importe, 'g', 15), QString::number(1),
                               QString::number(kMaximoIngles, 'g', 15)));
  }
  const Centavos c = EnCentavos(importe);
  const QString texto = u'(' + NumeroEnIngles(c.entero.toLongLong()) + u' ' + TextosMoneda[2] + u' ' +
                        QString::number(c.centavos.toInt()) + QStringLiteral("/100 ") + TextosMoneda[3] + u')';
  return MayusculasAZ(texto);
}

void TextoMoneda(const QString& nombre, int n, QString& salida) {
  QString carpeta;
  LeeLineaConfig(8, carpeta);
  if (carpeta.isEmpty()) return;
  const QString ruta = fs::Une(carpeta, kArchivoMonedas);
  if (!fs::ExisteArchivo(ruta)) return;
  salida = QStringLiteral("xx");
  const QByteArray bytes = fs::LeeBytes(ruta);
  for (const TRegistroMoneda& r : RegistrosMoneda(bytes)) {
    if (r.Campos[MonedaDivisa] != nombre) continue;
    if (n >= 1 && n <= 4) salida = r.Campos[MonedaSingular + n - 1];
    return;
  }
  if (bytes.size() % TRegistroMoneda::kTamano != 0)
    throw plat::Error(plat::Clase::Corrupto, QStringLiteral("El archivo %1 está incompleto").arg(ruta));
}
