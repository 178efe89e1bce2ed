// The currency window driven as a user: moneda.vrl read into the grid,
// written back as seven fixed records, read by the amounts in words.

#include "datos_prueba.h"
#include "formats/ImporteLetra.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/RejillaTexto.h"
#include "shell/Divisa.h"
#include "shell/Moneda.h"
#include "support/Maneja.h"

#include <QHeaderView>
#include <QLabel>
#include <QTest>
#include <QToolButton>

namespace {

using Divisas = DatosPrueba;

const QString kMonedas = QStringLiteral("C:\\DATOS\\moneda.vrl");

// The seven rows of the grid, each as its seven cells.
using Filas = QVector<QStringList>;

Filas Celdas(const ui::RejillaTexto& r) {
  Filas filas;
  for (int fila = 1; fila <= kFilasMoneda; ++fila) {
    QStringList celdas;
    for (int c = 1; c <= kCamposMoneda; ++c) celdas << r.Cells(c, fila);
    filas << celdas;
  }
  return filas;
}

Filas FilasVacias() { return Filas(kFilasMoneda, QStringList(kCamposMoneda, QString())); }

// Opens the window, lets `guion` work on it and closes it by its close box.
void EnVentana(const std::function<void(TFormaDivisa&)>& guion) {
  TFormaDivisa ventana;
  MuestraVentana<TFormaDivisa>(ventana, [&](TFormaDivisa& d) {
    guion(d);
    QTest::mouseClick(d.Panel2, Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
  });
}

// What the grid shows when the window is opened.
Filas AlAbrir() {
  Filas filas;
  EnVentana([&](TFormaDivisa& d) { filas = Celdas(*d.Monedas); });
  return filas;
}

TRegistroMoneda Registro(const QString& divisa, const QString& simbolo) {
  TRegistroMoneda r;
  r.Campos = {divisa, "1.00", "PESO", "DE PESOS", "PESOS", "M.N.", simbolo};
  return r;
}

}  // namespace

TEST_F(Divisas, LaVentanaSeDibujaSinBordeYSeArrastraPorSuTitulo) {
  EnVentana([](TFormaDivisa& d) {
    EXPECT_EQ(d.windowTitle(), "Divisas");
    EXPECT_EQ(d.size(), QSize(464, 218));
    EXPECT_TRUE(d.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(prueba::Texto(d, "Label1"), "  Alta de Divisas  ");
    EXPECT_EQ(d.Monedas->ColCount(), 8);
    EXPECT_EQ(d.Monedas->RowCount(), 8);
    QStringList titulos;
    QVector<int> anchos;
    for (int c = 0; c < 8; ++c) {
      if (c > 0) titulos << d.Monedas->Cells(c, 0);
      anchos << d.Monedas->ColWidths(c);
    }
    EXPECT_EQ(titulos, QStringList({"Divisa", "Valor", "Singular", "Plural", "Plural", "Abrev. Divisa", "Símbolo Mone."}));
    EXPECT_EQ(anchos, QVector<int>({1, 60, 60, 100, 70, 70, 70, 70}));
    EXPECT_EQ(Celdas(*d.Monedas), FilasVacias());  // no file yet

    for (QWidget* asa : {static_cast<QWidget*>(d.Panel1), static_cast<QWidget*>(d.Label1)}) {
      const QPoint antes = d.pos();
      QTest::mousePress(asa, Qt::LeftButton, {}, QPoint(40, 5));
      QTest::mouseMove(asa, QPoint(70, 35));
      QTest::mouseRelease(asa, Qt::LeftButton, {}, QPoint(70, 35));
      EXPECT_EQ(d.pos() - antes, QPoint(30, 30)) << asa->objectName().toStdString();
    }
  });
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(Divisas, GuardarEscribeSieteRegistrosCortadosASusCampos) {
  // An empty grid: seven records of empty texts.
  EnVentana([](TFormaDivisa& d) { prueba::Pulsa(d, "SpeedButton1"); });
  QByteArray bytes = fs::LeeBytes(kMonedas);
  ASSERT_EQ(bytes.size(), 7 * 168);
  for (int r = 0; r < kFilasMoneda; ++r)
    for (const auto& p : TRegistroMoneda::kPosiciones)
      EXPECT_EQ(bytes[r * 168 + p.desplazamiento], 0) << r << " " << p.desplazamiento;

  // Every column typed one character too long; the symbol of row 1 typed
  // with the cell's editor still open when the button is pressed.
  const QStringList largos = {"Pesos Mexicanos", "17.2500000", QString(30, 'S'), QString(30, 'M'),
                              QString(30, 'P'), QString(30, 'A'), "MXN$$"};
  Filas guardadas = FilasVacias();
  EnVentana([&](TFormaDivisa& d) {
    for (int c = 1; c <= kCamposMoneda; ++c) {
      d.Monedas->SetCells(c, 2, largos[c - 1] + "x");
      guardadas[1][c - 1] = largos[c - 1];
    }
    d.Monedas->SetCells(1, 7, "Último");
    guardadas[6][0] = "Último";
    prueba::TecleaCelda(*d.Monedas, 7, 1, "ABCDEF");
    guardadas[0][6] = "ABCDE";
    prueba::Pulsa(d, "SpeedButton1");
    EXPECT_EQ(d.Monedas->Cells(7, 1), "ABCDEF");  // the grid keeps what was typed
  });
  bytes = fs::LeeBytes(kMonedas);
  ASSERT_EQ(bytes.size(), 7 * 168);
  EXPECT_EQ(bytes.mid(151, 6), QByteArray("\x05" "ABCDE"));
  EXPECT_EQ(bytes.mid(6 * 168, 7), QByteArray("\x06\xDAltimo"));  // Windows-1252
  EXPECT_EQ(AlAbrir(), guardadas);

  // Changing the symbol of row 3 changes record 3 only.
  EnVentana([](TFormaDivisa& d) {
    d.Monedas->SetCells(7, 3, "€");
    prueba::Pulsa(d, "SpeedButton1");
  });
  const QByteArray despues = fs::LeeBytes(kMonedas);
  ASSERT_EQ(despues.size(), bytes.size());
  for (int i = 0; i < bytes.size(); ++i)
    if (bytes[i] != despues[i]) {
      EXPECT_TRUE(i >= 2 * 168 + 151 && i < 2 * 168 + 157) << i;
    }
  EXPECT_EQ(despues.mid(2 * 168 + 151, 2), QByteArray("\x01\x80"));
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(Divisas, UnArchivoCortoLlenaLasFilasQueTiene) {
  // Three records and a piece of a fourth (as another program may leave it).
  QByteArray bytes;
  for (const char* nombre : {"Pesos", "Dólares", "Euros"}) bytes += Registro(QString::fromUtf8(nombre), "$").ABytes();
  bytes += Registro("Yenes", "Y").ABytes().left(100);
  EscribeBytes(kMonedas, bytes);

  Filas esperadas = FilasVacias();
  for (int i = 0; i < 3; ++i) {
    const TRegistroMoneda r = Registro(QString::fromUtf8(QByteArrayList{"Pesos", "Dólares", "Euros"}[i]), "$");
    esperadas[i] = QStringList(r.Campos.begin(), r.Campos.end());
  }
  EXPECT_EQ(AlAbrir(), esperadas);
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(Divisas, LosImportesConLetraLeenLoQueLaVentanaGuardo) {
  EnVentana([](TFormaDivisa& d) {
    const QStringList dolares = {"Dólares", "18.00", "DÓLAR", "DE DÓLARES", "DÓLARES", "USD", "US$"};
    for (int c = 1; c <= kCamposMoneda; ++c) d.Monedas->SetCells(c, 7, dolares[c - 1]);
    prueba::Pulsa(d, "SpeedButton1");
  });
  QString t[4];
  for (int i = 0; i < 4; ++i) TextoMoneda("Dólares", i + 1, t[i]);
  EXPECT_EQ(QStringList(std::begin(t), std::end(t)), QStringList({"DÓLAR", "DE DÓLARES", "DÓLARES", "USD"}));
  FijaTextosMoneda(t[0], t[1], t[2], t[3]);
  EXPECT_EQ(ImporteConLetra(1), "( UN DÓLAR 00/100 USD)");
}

TEST_F(Divisas, UnaEscrituraFallidaLoDiceYNoPierdeLaCaptura) {
  struct Caso {
    const char* nombre;
    const char* datos;
    const char* mensaje;
  };
  const Caso casos[] = {
      {"carpeta inexistente", "C:\\NOHAY", "No se pudo escribir C:\\NOHAY\\moneda.vrl"},
      {"sin carpeta de datos", "", "La configuración de la empresa no indica la carpeta de datos"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    ui::PuertaModal::LimpiaMensajes();
    EnVentana([&](TFormaDivisa& d) {
      Configura(c.datos, QString());
      ui::PuertaModal::LimpiaMensajes();  // the window opened on C:\DATOS
      d.Monedas->SetCells(1, 1, "Pesos");
      prueba::Pulsa(d, "SpeedButton1");
      ASSERT_EQ(Mensajes().size(), 1);
      EXPECT_TRUE(Mensajes()[0].startsWith(QString::fromUtf8(c.mensaje))) << Mensajes()[0].toStdString();
      EXPECT_EQ(d.Monedas->Cells(1, 1), "Pesos");

      // Once the folder is right, the same grid is saved.
      Configura(kDatos, QString());
      prueba::Pulsa(d, "SpeedButton1");
    });
    EXPECT_EQ(TRegistroMoneda::DeBytes(fs::LeeBytes(kMonedas)).Campos[MonedaDivisa], "Pesos");
    EXPECT_FALSE(fs::Existe("C:\\NOHAY"));
    fs::BorraArchivo(kMonedas);
  }
}
