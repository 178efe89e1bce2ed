// Editor mode: the syntax check of the format text against the command
// signatures, with the rejected lines in red, and the sketch of the format
// on the layer over the page.

#include "formats/Interprete_estado.h"
#include "formats/edicion.h"
#include "foundation/rutinas_numero.h"
#include "platform/fs/Rutas.h"
#include "platform/print/Imagen.h"

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

#include <cmath>

namespace {

// The signatures agree with the commands of the interpreter's table that
// start with the same three letters (a test holds them to it). "traduce"
// places an amount in words at x, y; "tipo" takes the font name.
constexpr FirmaComando kFirmas[] = {
    {u"@", {u"num", u"num", u"campo", u"-", u"-"}},
    {u"color", {u"rojo", u"azul", u"verde", u"amarillo", u"negro"}},
    {u"traduce", {u"num", u"num", u"campo", u"-", u"-"}},
    {u"cuadro", {u"numE", u"numE", u"numE", u"numE", u"-"}},
    {u"tamaño", {u"numE", u"-", u"-", u"-", u"-"}},
    {u"tipo", {u"texto", u"-", u"-", u"-", u"-"}},
    {u"logo", {u"num", u"num", u"num", u"num", u"archivo"}},
    {u"dia", {u"num", u"num", u"campo", u"-", u"-"}},
    {u"mes", {u"num", u"num", u"campo", u"-", u"-"}},
    {u"año", {u"num", u"num", u"campo", u"-", u"-"}},
    {u"texto", {u"num", u"num", u"texto", u"-", u"-"}},
    {u"moneda", {u"num", u"num", u"campo", u"-", u"-"}},
    {u"estilo", {u"letra", u"-", u"-", u"-", u"-"}},
    {u"separa", {u"numE", u"-", u"-", u"-", u"-"}},
    {u"formato", {u"texto", u"", u"", u"", u""}},
};

const FirmaComando* FirmaDeLinea(const QString& linea) {
  if (linea.startsWith(u'@')) return &kFirmas[0];
  const QStringView inicio = QStringView(linea).left(3);
  if (inicio.size() < 3) return nullptr;
  for (const FirmaComando& f : kFirmas) {
    if (f.comando.left(3) == inicio) return &f;
  }
  return nullptr;
}

// The parts of a line as the check reads them: the command and up to four
// arguments, cut at "(", ")" and "," (commas stay in the mask of "formato").
// The command and the first two arguments lose their blanks, the others
// their "@". The sixth part is never filled.
std::array<QString, 6> PartesDeLinea(const QString& linea) {
  std::array<QString, 6> partes;
  size_t parte = 0;
  qsizetype i = 0;
  if (linea.startsWith(u'@')) {
    partes[0] = QStringLiteral("@");
    parte = 1;
    i = 1;
  }
  for (; i < linea.size() && parte < 5; ++i) {
    const QChar c = linea[i];
    if (c == u'(' || c == u')' || (c == u',' && partes[0] != u"formato")) {
      ++parte;
    } else if (parte < 3 ? c != u' ' : c != u'@') {
      partes[parte] += c;
    }
  }
  return partes;
}

bool SoloLetras(const QString& texto) {
  for (QChar c : texto) {
    if (!c.isLetter()) return false;
  }
  return !texto.isEmpty();
}

// Whether argument n (1 to 5) of the line is of its kind.
bool AceptaArgumento(QStringView tipo, int n, const QString& parte) {
  if (tipo == u"num") {
    double valor = 0;
    return LeeReal(parte, valor);
  }
  if (tipo == u"numE") {
    int valor = 0;
    return LeeEnteroArgumento(parte, valor);
  }
  if (tipo == u"campo" || tipo == u"texto") return !parte.isEmpty();
  if (tipo == u"letra") return SoloLetras(parte);
  // "-": the command takes nothing more there, and whatever follows (the
  // further commas of an "@" value, the optional arguments of "moneda") is
  // not judged. Empty: nothing may follow the mask of "formato".
  if (tipo == u"archivo" || tipo == u"-") return true;
  if (tipo.isEmpty()) return parte.isEmpty();
  // A colour name: the command's one argument is a colour the language
  // knows; the row's further names only list the others.
  return n > 1 || ColorFormato(parte).has_value();
}

// The parts of a line as the sketch reads them: up to six, cut at ",", "("
// and ")", without blanks and "@", each of at most 170 characters.
std::array<QString, 6> PartesBoceto(const QString& linea) {
  std::array<QString, 6> partes;
  size_t parte = 0;
  for (QChar c : linea) {
    if (c == u',' || c == u'(' || c == u')') {
      if (++parte >= partes.size()) break;
    } else if (c != u' ' && c != u'@' && partes[parte].size() < 170) {
      partes[parte] += c;
    }
  }
  return partes;
}

// The "@" line's column, line and value as the sketch reads them: the text
// before the first comma, before the second one (each cut to 6 characters),
// and after the last one.
struct Colocacion {
  QString x, y, valor;
};

Colocacion LeeColocacion(const QString& linea) {
  Colocacion c;
  QString actual;
  int comas = 0;
  for (QChar ch : QStringView(linea).mid(1)) {
    if (ch != u',') {
      actual += ch;
      continue;
    }
    ++comas;
    if (comas == 1) c.x = actual.left(6);
    else if (comas == 2) c.y = actual.left(6);
    actual.clear();
  }
  c.valor = actual;
  return c;
}

}  // namespace

std::span<const FirmaComando> FirmasComandos() { return kFirmas; }

bool VerificaLineaFormato(const QString& linea) {
  const FirmaComando* firma = FirmaDeLinea(linea);
  if (!firma) return false;
  const std::array<QString, 6> partes = PartesDeLinea(linea);
  for (int n = 1; n <= 5; ++n) {
    if (!AceptaArgumento(firma->argumentos[static_cast<size_t>(n - 1)], n, partes[static_cast<size_t>(n)]))
      return false;
  }
  return true;
}

void TFormaEdicion::ColoreaLinea(int linea, const QColor& color) {
  QTextCursor cursor(Codigo->document()->findBlockByNumber(linea));
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  QTextCharFormat formato;
  formato.setForeground(color);
  cursor.mergeCharFormat(formato);
}

void TFormaEdicion::Compilar1Click() {
  // The page is cleared white; the sketch font stays as the last check left it.
  hayBoceto_ = true;
  boceto_.clear();
  bocetoConPuntos_ = false;
  VistaPreliminar->update();
  QTextDocument* texto = Codigo->document();
  QTextCursor edicion(texto);
  edicion.beginEditBlock();  // one step to undo
  const int lineas = texto->blockCount();
  for (int i = 0; i < lineas; ++i) ColoreaLinea(i, Qt::black);
  try {
    for (int i = 0; i < lineas; ++i) {
      const QString linea = texto->findBlockByNumber(i).text();
      if (!linea.isEmpty() && !VerificaLineaFormato(linea)) ColoreaLinea(i, QColor(255, 0, 0));
      DibujaLineaBoceto(linea);
    }
  } catch (...) {
    // The lines done keep their colours; the error reaches the window's report.
    edicion.endEditBlock();
    throw;
  }
  edicion.endEditBlock();
}

void TFormaEdicion::DibujaLineaBoceto(const QString& linea) {
  const QSize pagina = VistaPreliminar->size();
  if (linea.startsWith(u'@')) {
    const Colocacion c = LeeColocacion(linea);
    int x = 0;
    int y = 0;
    if (!LeeEnteroArgumento(c.x, x) || !LeeEnteroArgumento(c.y, y)) return;
    fuenteBoceto_ = QStringLiteral("Arial");
    QFont fuente(fuenteBoceto_);
    // Points on a screen of 96 pixels per inch.
    fuente.setPixelSize(std::max(1, static_cast<int>(std::lround(tamanoBoceto_ * 96.0 / 72.0))));
    boceto_.push_back({TrazoPagina::Tipo::Texto, QPoint(2 * x, 5 * y), {}, {}, c.valor, fuente, colorBoceto_, {}});
    VistaPreliminar->update();
    return;
  }
  const QStringView inicio = QStringView(linea).left(4);
  if (inicio != u"colo" && inicio != u"tama" && inicio != u"logo") return;
  const std::array<QString, 6> partes = PartesBoceto(linea);
  if (partes[0] == u"color") {
    // The five colours of the command's signature; any other name keeps the colour.
    for (QStringView nombre : kFirmas[1].argumentos) {
      if (partes[1] == nombre) colorBoceto_ = *ColorFormato(partes[1]);
    }
  } else if (partes[0] == u"tamaño") {
    tamanoBoceto_ = EnteroArgumento(partes[1]) / 3;
  } else if (partes[0] == u"logo") {
    const int columna = pagina.width() / 82;
    const int renglon = pagina.height() / 55;
    const QRect rect(QPoint(EnteroArgumento(partes[1]) * columna, EnteroArgumento(partes[2]) * renglon),
                     QPoint(EnteroArgumento(partes[3]) * columna, EnteroArgumento(partes[4]) * renglon));
    if (!fs::ExisteArchivo(partes[5])) return;
    TrazoPagina t;
    t.tipo = TrazoPagina::Tipo::Imagen;
    t.rect = rect;
    t.imagen = print::LeeImagen(fs::Local(partes[5]));
    boceto_.push_back(std::move(t));
    VistaPreliminar->update();
  }
}
