// The grid of the sale screen during a capture: what entering and leaving
// each column does, its keys, and the deletion of a line.

#include "foundation/BotonEsquinado.h"
#include "foundation/advierte.h"
#include "foundation/dialogos.h"
#include "inventory/CamposRegistro.h"
#include "platform/db/Tabla.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/ImportesVenta.h"
#include "pos/TeclasVenta.h"

#include <QLabel>
#include <QPushButton>

namespace {

const QString kPrecio = QStringLiteral("PRECIO");
const QString kDescuento = QStringLiteral("DESCUENTO");
// The column after the amount: Enter there goes on to the next row.
constexpr int kColumnaImpuesto = 5;

// The prices the price column offers: lists 2, 3, 4 and 5.
const char* const kListasOfrecidas[] = {"PLIS2_I", "PLIS3_I", "PLIS4_I", "PMINI_I"};

}  // namespace

void TFormaCapturaRapida::DetalleColEnter() {
  if (!Capturando()) return;
  const int columna = Detalle->SelectedIndex();
  const bool producto = columna == ColumnaPrecio && columna != 0 && ListaDePrecios();
  switch (columna) {
    case 0:
      CalculaTotales();
      break;
    case 1:
      if (!HayFila(*TablaDeta) || Partida("CANTIDAD").IsNull()) Detalle->SetSelectedIndex(0);
      else EditaFila(*TablaDeta);
      break;
    case 2:
      LlenaPartida();
      break;
    case 3:
      ValidaPiezas();
      if (Conf.DescuentosClienteLinea && producto) {
        EditaFila(*TablaDeta);
        Partida("DESCUENTO").SetAsFloat(DescuentoClienteLinea(
            EditCLCLI_F->text(), TablaInventario->FieldByName(QStringLiteral("LIPRO_I")).AsString()));
      }
      if (!PrecioDesbloqueado) {
        Detalle->SetSelectedIndex(0);
        MuestraMensaje(QStringLiteral("No Tiene Acceso a Precios"));
      }
      if (Detalle->SelectedIndex() != ColumnaPrecio) PrecioDesbloqueado = false;
      break;
    case 4:
      ListaDePrecios();
      if (Detalle->CampoSeleccionado().compare(kDescuento, Qt::CaseInsensitive) == 0) Detalle->SetSelectedIndex(0);
      break;
    case kColumnaImpuesto:
      if (HayFila(*TablaDeta)) {
        EditaFila(*TablaDeta);
        EscribeImporteLinea(*TablaDeta);
      }
      PrecioDesbloqueado = false;
      Detalle->SetSelectedIndex(0);
      CalculaTotales();
      break;
    default:
      break;
  }
}

void TFormaCapturaRapida::DetalleColExit() {
  if (!Capturando() || !HayFila(*TablaDeta)) return;
  const int columna = Detalle->SelectedIndex();
  if (columna == 3) Lineas.ImporteDePartida();
  if (columna == ColumnaPrecio) {
    const Dinero costo = registro::LeeImporte(Partida("COSTO")).value_or(Dinero());
    const Dinero precio = registro::LeeImporte(Partida("PRECIO")).value_or(Dinero());
    // The price typed stays: the cashier is told and the grid goes on.
    if (costo > Dinero() && costo > precio) MuestraMensaje(QStringLiteral("El precio es menor al costo..."));
    Detalle->SetSelectedIndex(0);
    TablaDeta->Next();
  }
  if (Detalle->Columna(columna).campo.compare(kDescuento, Qt::CaseInsensitive) == 0)
    EditClave->setFocus(Qt::OtherFocusReason);
}

void TFormaCapturaRapida::DetalleEnter() {
  // The grid's keys are its own while a capture is in progress.
  if (Permitido(BotonRedondo2)) SetKeyPreview(false);
  if (!Capturando()) return;
  Detalle->SetSelectedIndex(0);
  Lineas.MuestraFactor();
  ColumnaPrecio = 0;
  while (ColumnaPrecio < Detalle->Columnas() &&
         Detalle->Columna(ColumnaPrecio).campo.compare(kPrecio, Qt::CaseInsensitive) != 0)
    ++ColumnaPrecio;
  Lineas.PrimeraPartida();
}

bool TFormaCapturaRapida::ListaDePrecios() {
  if (!HayFila(*TablaDeta) || !TablaInventario->Active()) return false;
  const QString clave = Partida("CLAVE").AsString();
  if (clave.isEmpty()) return false;
  const bool estaEn = HayFila(*TablaInventario) &&
                      TablaInventario->FieldByName(QStringLiteral("CLPRO_I")).AsString() == clave;
  if (!estaEn && !TablaInventario->FindKey({clave})) return false;
  QStringList precios;
  for (const char* lista : kListasOfrecidas)
    precios << TablaInventario->FieldByName(QString::fromLatin1(lista)).AsString();
  Detalle->SetListaColumna(ColumnaPrecio, precios);
  return true;
}

void TFormaCapturaRapida::DetalleKeyDown(int& tecla) {
  if (!Capturando()) return;
  switch (tecla) {
    case Qt::Key_F2:
      tecla = 0;
      BuscaPorClave();
      EditClave->setFocus(Qt::OtherFocusReason);
      break;
    case Qt::Key_F4:
      tecla = 0;
      Detalle->SetSelectedIndex(0);
      EditCantidad->setFocus(Qt::OtherFocusReason);
      break;
    case Qt::Key_F6:
      tecla = 0;
      EliminaPartida();
      break;
    default:
      Lineas.TeclaRejilla(tecla);
      break;
  }
}

void TFormaCapturaRapida::EliminaPartida() {
  if (Capturando()) EliminaPartidaCaptura(this, *TablaDeta, *TablaTotal);
}
