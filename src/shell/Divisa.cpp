#include "shell/Divisa.h"

#include "foundation/Glyps.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/RejillaTexto.h"
#include "shell/LineasConfiguracion.h"
#include "shell/Moneda.h"

#include <QLabel>
#include <QToolButton>

namespace {

// Grid column c (1 to 7) holds field c - 1 of the record.
constexpr int kAnchos[] = {1, 60, 60, 100, 70, 70, 70, 70};
const char* const kTitulos[] = {"Divisa", "Valor", "Singular", "Plural", "Plural", "Abrev. Divisa", "Símbolo Mone."};

QString RutaMonedas() { return fs::Une(CarpetaDatosEmpresa(), kArchivoMonedas); }

}  // namespace

TFormaDivisa::TFormaDivisa(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaDivisa>() = this;
  setObjectName(QStringLiteral("FormaDivisa"));
  setWindowTitle(QStringLiteral("Divisas"));
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setFixedSize(464, 218);

  auto* fondo = new ui::Panel(this);
  fondo->setGeometry(rect());

  const ui::BarraTitulo barra =
      ui::CreaBarraTitulo(this, QRect(3, 3, width() - 6, 20), QStringLiteral("  Alta de Divisas  "),
                          QStringLiteral("Panel1"), QStringLiteral("Label1"), QStringLiteral("Panel2"));
  Panel1 = barra.barra;
  Label1 = barra.titulo;
  Panel2 = barra.cierre;

  Panel3 = new ui::Panel(this);
  Panel3->setObjectName(QStringLiteral("Panel3"));
  Panel3->setGeometry(3, 24, width() - 6, 30);
  SpeedButton1 = new QToolButton(Panel3);
  SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
  SpeedButton1->setAutoRaise(true);
  SpeedButton1->setGeometry(3, 2, 26, 26);
  CopiaGlyp(QStringLiteral("BotonGuardar1"), SpeedButton1);

  Monedas = new ui::RejillaTexto(this, 8, kFilasMoneda + 1, 1, 1);
  Monedas->setObjectName(QStringLiteral("Monedas"));
  Monedas->setGeometry(3, 55, width() - 6, height() - 58);
  Monedas->SetEditable(true);
  for (int c = 0; c < Monedas->ColCount(); ++c) Monedas->SetColWidths(c, kAnchos[c]);
  for (int c = 1; c < Monedas->ColCount(); ++c) Monedas->SetCells(c, 0, QString::fromUtf8(kTitulos[c - 1]));

  ui::Conecta(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
  ui::Conecta(Panel2, &ui::Panel::Click, this, [this] { Close(); });

  ui::CentraEnPantalla(*this);
}

// A file with fewer records than rows fills the rows it has; the others stay
// empty.
void TFormaDivisa::FormShow() {
  const QString ruta = RutaMonedas();
  if (!fs::ExisteArchivo(ruta)) return;
  const QVector<TRegistroMoneda> registros = RegistrosMoneda(fs::LeeBytes(ruta));
  for (int fila = 1; fila <= kFilasMoneda; ++fila) {
    const TRegistroMoneda registro = registros.value(fila - 1);
    for (int c = 0; c < kCamposMoneda; ++c) Monedas->SetCells(c + 1, fila, registro.Campos[c]);
  }
}

// Formats and reports of every station read the file at any moment: it is
// replaced whole, and a failed write leaves the old one (and the grid).
void TFormaDivisa::SpeedButton1Click() {
  Monedas->CierraEditor();
  QByteArray bytes;
  for (int fila = 1; fila <= kFilasMoneda; ++fila) {
    TRegistroMoneda registro;
    for (int c = 0; c < kCamposMoneda; ++c) registro.Campos[c] = Monedas->Cells(c + 1, fila);
    bytes += registro.ABytes();
  }
  fs::EscribeAtomico(RutaMonedas(), bytes);
}
