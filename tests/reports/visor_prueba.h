#pragma once
// The viewer over work files a test writes itself, as the engine leaves
// them: final.tmp with its type-letter row first, etique.tmp, anchos.tmp;
// then the viewer shown by a report command of the protocol and answered
// through the modal gate.

#include "reports/generador_prueba.h"

#include <initializer_list>

// A row of final.tmp: key, text and the columns given (the others "0").
inline TRenglonReporte Renglon(const QString& llave, const QString& texto, std::initializer_list<QString> columnas) {
  TRenglonReporte r;
  r.Llave = llave;
  r.Texto = texto;
  r.Columnas.fill(QStringLiteral("0"));
  std::copy(columnas.begin(), columnas.end(), r.Columnas.begin());
  return r;
}

// What the work files hold.
struct ReporteEscrito {
  QString modo = QStringLiteral("D");
  std::array<QString, 10> titulos{QStringLiteral("Clave"), QString(), QStringLiteral("Importe")};
  std::array<QString, 8> tipos{QStringLiteral("f"), QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("x"),
                               QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("x")};
  std::array<QString, 10> condiciones{};
  std::array<quint16, 10> anchos{6, 0, 16};
  std::vector<TRenglonReporte> renglones;  // after the type letters' row
};

class VisorPrueba : public GeneradorPrueba {
 protected:
  // Holds the work files, as a run of the engine does, and writes them.
  static void EscribeReporte(const ReporteEscrito& r) {
    ASSERT_TRUE(TomaArchivosReporte(false));
    EscritorRenglones final(kArchivoFinal);
    TRenglonReporte letras;
    std::copy(r.tipos.begin(), r.tipos.end(), letras.Columnas.begin());
    final.Escribe(letras);
    for (const TRenglonReporte& renglon : r.renglones) final.Escribe(renglon);
    final.Cierra();
    std::array<TTitulosReporte, 3> etiquetas;
    etiquetas[0].Textos = r.titulos;
    etiquetas[1].Textos[0] = r.modo;
    std::copy(r.tipos.begin(), r.tipos.end(), etiquetas[1].Textos.begin() + 2);
    etiquetas[2].Textos = r.condiciones;
    EscribeArchivoTitulos(etiquetas);
    TAnchosReporte anchos;
    anchos.Anchos = r.anchos;
    EscribeBytes(ArchivoTrabajoReporte(kArchivoAnchos), anchos.ABytes());
  }

  // A report command shows the viewer on its text pages, captioned
  // `titulo`, charting `valores` values a row.
  static void MuestraVisor(const QString& titulo, qint16 valores, ui::Guion guion) {
    TFormaBarras barras;
    PreparaGraficaReporte(QStringLiteral("Gráfica de Ventas"), QStringLiteral("Cliente"), QStringLiteral("Total"),
                          valores);
    ui::SetTag(barras.Panel2, 0);
    ui::SetTag(barras.BotonGrafica, kVistaReporte);
    barras.Concentrado->clear();
    barras.setWindowTitle(titulo);
    ui::PuertaModal::Espera("TFormaBarras", std::move(guion));
    barras.ShowModal();
  }
};
