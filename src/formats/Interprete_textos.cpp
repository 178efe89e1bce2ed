// Commands that place a text: "@x,y,value" and "texto(x,y,text)".

#include "formats/Interprete_estado.h"
#include "formats/PaginaPrevia.h"
#include "platform/print/Impresora.h"

void ComandoColoca(const LineaFormato& l) {
  if (l.Token(4).isEmpty()) return;
  const EstadoFormato& e = EstadoActual();
  try {
    // The row may be a number, a variable or a field; the column a number,
    // "j12" for 12, or "c" for a text centred on the page.
    const double fila = NumeroArgumento(ValorElemento(l.Token(3), l.datos));
    QString columna = l.Token(2);
    if (columna.size() > 1 && (columna[0] == u'j' || columna[0] == u'J')) columna.remove(0, 1);
    const QString texto = ValorCompuesto(l.Token(4), l.datos);
    int x = 0;
    if (columna == u"c" || columna == u"C") {
      if (e.Modo == u'p') {
        x = static_cast<int>(kColumnaCentrada);
      } else {
        print::Impresora& impresora = print::Impresora::Global();
        const int libre = impresora.AnchoPagina() - impresora.lienzo().AnchoTexto(texto);
        x = libre > 0 ? Trunca(libre * 0.5) : 1;
      }
    } else {
      x = ColumnaDispositivo(NumeroArgumento(columna));
    }
    ColocaTexto(x, texto, QString(), RenglonRelativo(fila, l.renglon), e.TamanoFuente, e.NombreFuente, l.contexto);
  } catch (const std::exception&) {
    ReportaErrorDeLinea(l.texto);
  }
}

void ComandoTexto(const LineaFormato& l) {
  if (!EsPalabra(l, u"texto")) return;
  const EstadoFormato& e = EstadoActual();
  const int x = ColumnaDispositivo(NumeroArgumento(l.Token(2)));
  const int y = RenglonAbsoluto(NumeroArgumento(l.Token(3)));
  ColocaTexto(x, l.Token(4), QString(), y, e.TamanoFuente, e.NombreFuente, l.contexto);
}
