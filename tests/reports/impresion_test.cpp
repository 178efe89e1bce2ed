#include "platform/Error.h"
#include "platform/ui/PuertaModal.h"
#include "reports/DialogoImprimir.h"
#include "reports/DialogosImpresora.h"
#include "reports/Formatos.h"
#include "reports/ImpresionRenglones.h"
#include "reports/reportes_prueba.h"
#include "support/Maneja.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

using Tipo = print::Operacion::Tipo;

namespace {

// On "laser" a column is 63 dots (5100 / 80) and a line 94 (6600 / 70).
constexpr int kCol = 63;
constexpr int kRen = 94;

TextoImpreso En(int pagina, int columna, int renglon, const char* texto, const char* fuente = "System") {
  return {QStringLiteral("laser"), pagina, columna * kCol, renglon * kRen, QString::fromUtf8(texto),
          QString::fromLatin1(fuente)};
}

}  // namespace

using RenglonesTest = ReportePrueba;

TEST_F(RenglonesTest, TitulosListadoYPiesEnSusRenglones) {
  IniciaImpresionRenglones("Saldos de Clientes", "Al 15/03/2024", 5);
  EXPECT_EQ(UnidadColumnaImpresion, kCol);
  EXPECT_EQ(UnidadRenglonImpresion, kRen);
  ImprimeColumnaRenglon(2, 0, "C-1", u'c', "");
  ImprimeColumnaRenglon(20, 1, "JUAN PEREZ", u'd', "");
  ImprimeColumnaRenglon(2, 1, "no se imprime", u'x', "");
  AvanzaRenglonImpresion();
  ImprimeColumnaRenglon(2, 1, "C-2", u'c', "");
  TerminaImpresionRenglones("Total", "", "Fin", u's');

  const std::vector<TextoImpreso> esperados = {
      En(1, 1, 5, "Saldos de Clientes"), En(1, 1, 6, "Al 15/03/2024"), En(1, 2, 7, "C-1"),
      En(1, 20, 7, "JUAN PEREZ"),        En(1, 2, 10, "C-2"),          En(1, 55, 11, "Total", "Courier"),
      En(1, 55, 12, "Fin", "Courier"),
  };
  EXPECT_EQ(Impresos(), esperados);
  EXPECT_EQ(Pasos(), (std::vector<Tipo>{Tipo::Comienza, Tipo::Termina}));
  EXPECT_FALSE(print::Impresora::Global().Imprimiendo());
  EXPECT_EQ(print::Impresora::Global().lienzo().fuente().nombre, "System");
  EXPECT_EQ(Mensajes(), QStringList{"La Impresión ha finalizado"});
}

TEST_F(RenglonesTest, ElRenglon70EmpiezaOtraPaginaEnElRenglon2) {
  IniciaImpresionRenglones("", "", 68);
  ImprimeColumnaRenglon(1, 1, "68", u'c', "");
  ImprimeColumnaRenglon(1, 1, "69", u'c', "");
  EXPECT_EQ(RenglonImpresion, 2);
  ImprimeColumnaRenglon(1, 1, "2", u'c', "");
  TerminaImpresionRenglones("", "", "", u'n');

  EXPECT_EQ(Impresos(), (std::vector<TextoImpreso>{En(1, 1, 68, "68"), En(1, 1, 69, "69"), En(2, 1, 2, "2")}));
  EXPECT_EQ(Pasos(), (std::vector<Tipo>{Tipo::Comienza, Tipo::Pagina, Tipo::Termina}));
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(RenglonesTest, ImportesEnCourierSegunLaMascara) {
  struct Caso {
    const char* valor;
    const char* mascara;
    const char* impreso;
  };
  const Caso casos[] = {
      {"1234.5", "#,###,##0.00", "$    1,234.50"},
      {"1234.5", "###0.00", "$    1,234.50"},  // "." third from the end: pesos, whatever else
      {"", "#,###,##0.00", "$        0.00"},
      {"1234567.891", "#####", "1,234,568"},
      {"1234.4", "", "    1,234"},
      {"-20", "0.0", "      -20"},
  };
  IniciaImpresionRenglones("", "", 1);
  for (const Caso& c : casos) ImprimeColumnaRenglon(40, 1, c.valor, u'f', c.mascara);
  ImprimeColumnaRenglon(1, 1, "texto", u'c', "");
  TerminaImpresionRenglones("", "", "", u'n');

  std::vector<TextoImpreso> esperados;
  int renglon = 1;
  for (const Caso& c : casos) esperados.push_back(En(1, 40, renglon++, c.impreso, "Courier"));
  esperados.push_back(En(1, 1, renglon, "texto"));
  EXPECT_EQ(Impresos(), esperados);
}

TEST_F(RenglonesTest, UnImporteIlegibleTerminaElListadoSinSalida) {
  IniciaImpresionRenglones("Listado", "", 1);
  try {
    ImprimeColumnaRenglon(40, 1, "12x", u'f', "");
    ADD_FAILURE() << "se imprimió un importe que no es número";
  } catch (const plat::Error& e) {
    EXPECT_EQ(e.clase(), plat::Clase::Conversion);
  }
  EXPECT_FALSE(print::Impresora::Global().Imprimiendo());
  EXPECT_EQ(Pasos(), (std::vector<Tipo>{Tipo::Comienza, Tipo::Aborta}));
  EXPECT_EQ(print::Impresora::Global().lienzo().fuente().nombre, "System");

  // The printer is free for the next listing.
  IniciaImpresionRenglones("Otro", "", 1);
  TerminaImpresionRenglones("", "", "", u'n');
  EXPECT_EQ(Impresos().back(), En(1, 1, 1, "Otro"));
}

using DialogoImprimirTest = ReportePrueba;

TEST_F(DialogoImprimirTest, AceptarDaTag1ConAmbosTextos) {
  struct Caso {
    const char* nombre;
    std::function<void(QDialog&)> respuesta;
    int tag;
  };
  const Caso casos[] = {
      {"Aceptar", [](QDialog& d) { prueba::Pulsa(d, "BitBtn1"); }, 1},
      {"Enter en Aceptar", [](QDialog& d) { prueba::Tecla(d, "BitBtn1", Qt::Key_Return); }, 1},
      {"Cancelar", [](QDialog& d) { prueba::Pulsa(d, "BitBtn2"); }, 0},
      {"Esc", [](QDialog& d) { prueba::Tecla(d, "UltimaPagina", Qt::Key_Escape); }, 0},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    TDialogoImprimir dialogo;
    EXPECT_EQ(DialogoImprimir(), &dialogo);
    EXPECT_EQ(dialogo.windowTitle(), "Rango");
    dialogo.PrimeraPagina->setText("120");
    dialogo.UltimaPagina->setText("130");
    ui::PuertaModal::Espera("TDialogoImprimir", [&](QDialog& d) {
      prueba::Tecla(d, "PrimeraPagina", Qt::Key_End);
      prueba::Teclea(d, "PrimeraPagina", "5");
      prueba::Tecla(d, "UltimaPagina", Qt::Key_Backspace);
      c.respuesta(d);
      EXPECT_FALSE(d.isVisible());
    });
    dialogo.ShowModal();
    EXPECT_EQ(dialogo.Tag(), c.tag);
    EXPECT_EQ(dialogo.PrimeraPagina->text(), "1205");
    EXPECT_EQ(dialogo.UltimaPagina->text(), "13");
  }
}

using DialogosImpresoraTest = ReportePrueba;

TEST_F(DialogosImpresoraTest, LaImpresoraDeLaConfiguracionEsLaDelSiguienteTrabajo) {
  TFormaFormatos forma;
  ui::PuertaModal::Espera("TFormaFormatos", [](QDialog& d) {
    ui::PuertaModal::Espera("Impresora", [](QDialog& i) {
      auto* impresoras = static_cast<QComboBox*>(prueba::Componente(i, "Impresoras"));
      EXPECT_EQ(impresoras->currentText(), "laser");
      EXPECT_TRUE(static_cast<QRadioButton*>(prueba::Componente(i, "Vertical"))->isChecked());
      impresoras->setCurrentIndex(impresoras->findText("otra"));
      prueba::Pulsa(i, "Horizontal");
      prueba::Pulsa(i, "Aceptar");
    });
    prueba::Pulsa(d, "BitBtn1");
    prueba::Pulsa(d, "BitBtn5");
  });
  forma.ShowModal();
  EXPECT_EQ(forma.Tag(), 0);

  // "otra", landscape at 300 dpi: columns of 41 dots (3300 / 80), lines of
  // 36 (2550 / 70).
  IniciaImpresionRenglones("Listado", "", 1);
  TerminaImpresionRenglones("", "", "", u'n');
  EXPECT_EQ(Impresos(), (std::vector<TextoImpreso>{{"otra", 1, 41, 36, "Listado", "System"}}));

  // Cancelled, the set-up changes nothing.
  DialogoConfiguraImpresora configura(nullptr, "Impresora");
  ui::PuertaModal::Espera("Impresora", [](QDialog& i) {
    static_cast<QComboBox*>(prueba::Componente(i, "Impresoras"))->setCurrentIndex(0);
    prueba::Pulsa(i, "Vertical");
    prueba::Pulsa(i, "Cancelar");
  });
  EXPECT_FALSE(configura.Execute());
  EXPECT_EQ(print::Impresora::Global().Seleccionada().nombre, "otra");
  EXPECT_EQ(print::Impresora::Global().orientacion(), print::Orientacion::Horizontal);
}

TEST_F(DialogosImpresoraTest, ImprimirPideImpresoraYPaginasDentroDeLosLimites) {
  struct Caso {
    const char* nombre;
    DialogoImpresion::Rango rango;
    std::function<void(QDialog&)> respuesta;
    bool aceptado;
    int desde, hasta;
    const char* impresora;
  };
  auto paginas = [](int desde, int hasta) {
    return [=](QDialog& d) {
      static_cast<QComboBox*>(prueba::Componente(d, "Impresoras"))->setCurrentIndex(1);
      static_cast<QSpinBox*>(prueba::Componente(d, "Desde"))->setValue(desde);
      static_cast<QSpinBox*>(prueba::Componente(d, "Hasta"))->setValue(hasta);
      prueba::Pulsa(d, "Aceptar");
    };
  };
  const Caso casos[] = {
      {"páginas dentro", DialogoImpresion::Rango::Todas, paginas(3, 4), true, 3, 4, "otra"},
      {"más allá de la última", DialogoImpresion::Rango::Todas, paginas(4, 9), true, 4, 6, "otra"},
      {"al revés", DialogoImpresion::Rango::Todas, paginas(5, 2), true, 2, 5, "otra"},
      {"todas", DialogoImpresion::Rango::Paginas,
       [](QDialog& d) {
         prueba::Pulsa(d, "Todas");
         prueba::Pulsa(d, "Aceptar");
       },
       true, 2, 6, "laser"},
      {"cancelado", DialogoImpresion::Rango::Todas,
       [](QDialog& d) {
         static_cast<QComboBox*>(prueba::Componente(d, "Impresoras"))->setCurrentIndex(1);
         prueba::Pulsa(d, "Cancelar");
       },
       false, 3, 3, "laser"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    print::Impresora::Global().FijaIndice(0);
    DialogoImpresion dialogo(nullptr, "Imprimir");
    dialogo.MinPage = 2;
    dialogo.MaxPage = 6;
    dialogo.FromPage = 3;
    dialogo.ToPage = 3;
    dialogo.PrintRange = c.rango;
    ui::PuertaModal::Espera("Imprimir", [&](QDialog& d) {
      EXPECT_EQ(static_cast<QRadioButton*>(prueba::Componente(d, "Paginas"))->isChecked(),
                c.rango == DialogoImpresion::Rango::Paginas);
      EXPECT_EQ(static_cast<QSpinBox*>(prueba::Componente(d, "Desde"))->value(), 3);
      c.respuesta(d);
    });
    EXPECT_EQ(dialogo.Execute(), c.aceptado);
    EXPECT_EQ(dialogo.FromPage, c.desde);
    EXPECT_EQ(dialogo.ToPage, c.hasta);
    EXPECT_EQ(print::Impresora::Global().Seleccionada().nombre, c.impresora);
  }
}
