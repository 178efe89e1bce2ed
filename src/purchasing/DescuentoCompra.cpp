#include "purchasing/DescuentoCompra.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/RejillaTexto.h"

#include <QVBoxLayout>

namespace {

// Rows shown when the file holds fewer: row 0 and fourteen rows of list.
constexpr int kFilasMinimas = 15;

QString RutaLista() { return CarpetaPrograma(QStringLiteral("\\") + kArchivoDescuentosCompra); }

}  // namespace

TFormaDescuentoCompra::TFormaDescuentoCompra(QWidget* owner) : ui::Forma(owner) {
  setObjectName(QStringLiteral("FormaDescuentoCompra"));
  setWindowTitle(QStringLiteral("FormaDescuentoCompra"));
  resize(272, 431);
  SetKeyPreview(true);
  // Enter moves inside the list; the window's own focus moves stay out.
  SetMueveFocoConTeclas(false);

  DescuentosDetalle = new ui::RejillaTexto(this, 2, kFilasMinimas, 0, 0);
  DescuentosDetalle->setObjectName(QStringLiteral("DescuentosDetalle"));
  DescuentosDetalle->SetEditable(true);
  auto* capa = new QVBoxLayout(this);
  capa->setContentsMargins(0, 0, 0, 0);
  capa->addWidget(DescuentosDetalle);

  // Row n of the list is the n-th pair of lines, from row 1.
  QStringList lineas;
  try {
    if (fs::ExisteArchivo(RutaLista())) lineas = fs::LeeLineas(RutaLista());
  } catch (const std::exception&) {
    lineas.clear();
  }
  const int filas = static_cast<int>(lineas.size() + 1) / 2;
  DescuentosDetalle->SetRowCount(std::max(kFilasMinimas, filas + 1));
  for (int i = 0; i < filas; ++i) {
    DescuentosDetalle->SetCells(0, i + 1, lineas.value(2 * i));
    DescuentosDetalle->SetCells(1, i + 1, lineas.value(2 * i + 1));
  }

  ui::Eventos& lista = ui::Eventos::De(DescuentosDetalle);
  ui::Conecta(&lista, &ui::Eventos::Enter, this, [this] { SetKeyPreview(false); });
  ui::Conecta(&lista, &ui::Eventos::Exit, this, [this] { SetKeyPreview(true); });
  ui::Conecta(&lista, &ui::Eventos::DblClick, this, [this] { Acepta(); });
  ui::Conecta(&lista, &ui::Eventos::KeyDown, this, [this](int& tecla, Qt::KeyboardModifiers) {
    if (tecla == Qt::Key_F12) {
      tecla = 0;
      Acepta();
    } else if (tecla == Qt::Key_Escape) {
      tecla = 0;
      Close();
    }
  });
}

void TFormaDescuentoCompra::Acepta() {
  DescuentosDetalle->CierraEditor();
  SetTag(1);
  Close();
}

void TFormaDescuentoCompra::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
    tecla = 0;
    Acepta();
  } else if (tecla == Qt::Key_Escape) {
    tecla = 0;
    Close();
  }
}

void TFormaDescuentoCompra::FormClose() { GuardaLista(); }

void TFormaDescuentoCompra::GuardaLista() {
  DescuentosDetalle->CierraEditor();
  // Every row of the list, so a list longer than the window shows loses
  // nothing; empty rows at the end are not written.
  int ultima = DescuentosDetalle->RowCount() - 1;
  while (ultima >= 1 && DescuentosDetalle->Cells(0, ultima).isEmpty() && DescuentosDetalle->Cells(1, ultima).isEmpty())
    --ultima;
  QStringList lineas;
  for (int fila = 1; fila <= std::max(ultima, kFilasMinimas - 1); ++fila)
    lineas << DescuentosDetalle->Cells(0, fila) << DescuentosDetalle->Cells(1, fila);
  try {
    fs::ReescribeLineas(RutaLista(), lineas);
  } catch (const std::exception& e) {
    MuestraMensaje(QString::fromUtf8(e.what()));
  }
}

void TFormaDescuentoCompra::EligeDescuentoCompra(QString& texto) {
  ShowModal();
  if (Tag() == 1) texto = DescuentosDetalle->Cells(1, DescuentosDetalle->Row());
}
