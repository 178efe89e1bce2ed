// The cash-cut summaries of report scripts: amounts worked out from the
// blocks' column totals, the cash in the drawer and that amount in words.

#include "reports/RepoSQL.h"

#include "foundation/rutinas.h"
#include "formats/ImporteLetra.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "reports/GuionReporte.h"

#include <QTextEdit>

#include <optional>
#include <vector>

namespace {

const QString kMonedaResumen = QStringLiteral("M.N.");
constexpr int kAltoEncabezadoGlobal = 20;
constexpr int kAltoGlobal = 12;

// A line of a summary: a label followed by an amount, the amount in words,
// or a text as it stands.
struct RenglonResumen {
  QString texto;
  std::optional<Dinero> importe;
  bool letras = false;
};

RenglonResumen Importe(const char16_t* etiqueta, Dinero importe) {
  return {QString::fromUtf16(etiqueta), importe, false};
}
RenglonResumen Letras(Dinero importe) { return {QString(), importe, true}; }
RenglonResumen Texto(const char16_t* texto) { return {QString::fromUtf16(texto), std::nullopt, false}; }
RenglonResumen Vacio() { return {QString(), std::nullopt, false}; }

QStringList Lineas(const std::vector<RenglonResumen>& renglones) {
  // Amounts in words in the national currency.
  QString textos[4];
  for (int i = 0; i < 4; ++i) TextoMoneda(kMonedaResumen, i + 1, textos[i]);
  FijaTextosMoneda(textos[0], textos[1], textos[2], textos[3]);
  QStringList lineas;
  for (const RenglonResumen& r : renglones) {
    if (r.letras) lineas << ImporteConLetra(r.importe->Real());
    else if (r.importe) lineas << r.texto + FormateaValorGuion(r.importe->Texto(), QStringLiteral("f"));
    else lineas << r.texto;
  }
  return lineas;
}

// The amounts every summary reads: T(b, c) of the run, the rates, and the
// cash in the drawer.
struct Totales {
  explicit Totales(const TFormaReporteSQL& ventana) : ventana_(ventana) {}
  Dinero operator()(int bloque, int columna) const {
    const QVector<int>& bloques = ventana_.BloquesResumenGuion;
    return ventana_.TotalGuion(bloques.isEmpty() ? bloque : bloques.value(bloque - 1), columna);
  }
  // The amount the tax total of the column stands for.
  Dinero Gravado(int bloque, int columna) const { return DivideTotalGuion((*this)(bloque, columna), TasaImpuestoReporte); }
  Dinero GravadoIeps(int bloque, int columna) const {
    return DivideTotalGuion((*this)(bloque, columna), TasaIepsReporte);
  }
  Dinero Caja() const { return (*this)(1, 3) + (*this)(2, 3) - (*this)(5, 3) - (*this)(6, 3) + (*this)(7, 3); }

 private:
  const TFormaReporteSQL& ventana_;
};

// The lines every summary ends with, from the cancellations on.
std::vector<RenglonResumen> Cierre(const Totales& t) {
  return {
      Importe(u"Total de Cancelaciones  ", t(4, 3)),
      Importe(u"Total de Devoluciones   ", t(5, 3)),
      Importe(u"Total de Retiros        ", t(6, 3)),
      Importe(u"Total de Entradas       ", t(7, 3)),
      Vacio(),
      Importe(u"Total de DESCUENTOS     ", t(1, 7)),
      Vacio(),
      Importe(u"TOTAL EN CAJA           ", t.Caja()),
      Texto(u" "),
      Texto(u" "),
      Letras(t.Caja()),
      Texto(u"_  "),
  };
}

// Invoices and direct invoices, as the cash and global summaries show them.
std::vector<RenglonResumen> Facturas(const Totales& t) {
  return {
      Importe(u"Total Facturas (GRABADO)    ", t.Gravado(2, 5)),
      Importe(u"Total Facturas (NO GRABADO) ", t(2, 3) - t.Gravado(2, 5)),
      Importe(u"Impuesto de Facturas        ", t(2, 5)),
      Importe(u"Total de Facturas           ", t(2, 3)),
      Vacio(),
      Importe(u"Facturas Directas (GRABADO) ", t.Gravado(3, 5)),
      Importe(u"Facturas Directas (NO GRABADO)", t(3, 3) - t.Gravado(3, 5)),
      Importe(u"Impuesto Directas           ", t(3, 5)),
      Importe(u"Total de Directas           ", t(3, 3)),
      Vacio(),
  };
}

std::vector<RenglonResumen> operator+(std::vector<RenglonResumen> a, const std::vector<RenglonResumen>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

void TFormaReporteSQL::AgregaExtrasReporte(QStringList& lineas) {
  QString carpeta;
  CarpetaLocal(carpeta);
  const QString extras = fs::Une(carpeta, QStringLiteral("extras.txt"));
  if (fs::ExisteArchivo(extras)) lineas << fs::LeeLineas(extras);
}

void TFormaReporteSQL::AgregaResumen(const QStringList& lineas) {
  PaginasGuion << QString();
  PaginasGuion << PaginasGuion.first();
  AgregaExtrasReporte(PaginasGuion);
  PaginasGuion << QString() << lineas;
}

void TFormaReporteSQL::ResumenCorteCaja() {
  const Totales t(*this);
  const std::vector<RenglonResumen> remisiones = {
      Importe(u"Total Remisiones(IVA)       ", t.Gravado(1, 5)),
      Importe(u"Total Remisiones(IEPS)      ", t.GravadoIeps(1, 9)),
      Importe(u"Total Remisiones(NO GRABADO)", t(1, 3) - t.Gravado(1, 5) - t.GravadoIeps(1, 9) - t(1, 5) - t(1, 9)),
      Importe(u"Impuesto de Remisiones      ", t(1, 5)),
      Importe(u"Impuesto de Remisiones IEPS ", t(1, 9)),
      Importe(u"Descuento de Remisiones     ", t(1, 8)),
      Importe(u"Total de Remisiones         ", t(1, 3)),
      Vacio(),
      Letras(t(1, 3)),
      Vacio(),
  };
  const std::vector<RenglonResumen> directas = {Importe(u"Total de Directas       ", t(3, 3))};
  AgregaResumen(Lineas(remisiones + Facturas(t) + directas + Cierre(t)));
}

void TFormaReporteSQL::ResumenCorteCobranza() {
  const Totales t(*this);
  const std::vector<RenglonResumen> lineas = {
      Importe(u"Total Remisiones a CONTADO (GRABADO)    ", t.Gravado(1, 5)),
      Importe(u"Total Remisiones a CONTADO (NO GRABADO) ", t(1, 4) - t.Gravado(1, 5)),
      Importe(u"Impuesto de Remisiones a CONTADO        ", t(1, 5)),
      Importe(u"Impuesto FPGC a CONTADO                 ", t(1, 7)),
      Importe(u"Descuento de Remisiones a CONTADO       ", t(1, 8)),
      Importe(u"Total de Remisiones a CONTADO           ", t(1, 3)),
      Vacio(),
      Letras(t(1, 3)),
      Vacio(),
      Importe(u"///Total Remisiones ABONOS  (GRABADO)     ", t.Gravado(2, 5)),
      Importe(u"Total Remisiones ABONOS  (NO GRABADO)  ", t(2, 3) - t.Gravado(2, 5)),
      Importe(u"Impuesto de  Remisiones ABONOS         ", t(2, 5)),
      Importe(u"Total de  Remisiones ABONOS            ", t(2, 3)),
      Texto(u"////"),
      Importe(u"*Total Remisiones DEUDOR (GRABADO)   ", t.Gravado(3, 5)),
      Importe(u"Total Remisiones DEUDOR (NO GRABADO)", t(3, 3) - t.Gravado(3, 5)),
      Importe(u"Total Remisiones DEUDOR             ", t(3, 5)),
      Importe(u"Total Remisiones DEUDOR             ", t(3, 3)),
      Texto(u"////"),
      Importe(u"Total de SALDOS         ", t(3, 3)),
  };
  AgregaResumen(Lineas(lineas + Cierre(t)));
}

void TFormaReporteSQL::ResumenCorteGlobal() {
  const Totales t(*this);
  const std::vector<RenglonResumen> remisiones = {
      Vacio(),
      Importe(u"Total Remisiones(GRABADO)   ", t.Gravado(1, 5)),
      Importe(u"Total Remisiones(NO GRABADO)", t(1, 4) - t.Gravado(1, 5)),
      Importe(u"Impuesto de Remisiones      ", t(1, 5)),
      Importe(u"Impuesto FPGC               ", t(1, 7)),
      Importe(u"Descuento de Remisiones     ", t(1, 8)),
      Importe(u"Total de Remisiones         ", t(1, 3)),
      Importe(u"Descuento de Remisiones     ", t(1, 7)),
      Importe(u"Total de Remisiones         ", t(1, 3)),
      Texto(u"-------------------------------------------"),
      Vacio(),
      Letras(t(1, 3)),
      Vacio(),
  };
  QTextCharFormat rojo = FormatoTexto();
  rojo.setForeground(QColor(Qt::red));
  QFont fuente = rojo.font();
  fuente.setPixelSize(kAltoEncabezadoGlobal);
  rojo.setFont(fuente);
  LimpiaHoja();
  AgregaLineaHoja(QString(), rojo);

  QTextCharFormat negro = FormatoTexto();
  negro.setForeground(QColor(Qt::black));
  fuente.setPixelSize(kAltoGlobal);
  negro.setFont(fuente);
  QStringList lineas;
  if (!PaginasGuion.isEmpty()) lineas << PaginasGuion.first();
  AgregaExtrasReporte(lineas);
  lineas << Lineas(remisiones + Facturas(t) + Cierre(t));
  for (const QString& linea : std::as_const(lineas)) AgregaLineaHoja(linea, negro);
}
