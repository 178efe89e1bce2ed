// Typing a purchase by keys: the header boxes (defaults on entering, checks
// on leaving, F2 and F3) and the line grid (what entering each column does,
// its keys, the line completed from the product).

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_texto.h"
#include "inventory/ConPro.h"
#include "inventory/RegistroProducto.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/RejillaDatos.h"
#include "pos/CaptuRap_comun.h"
#include "pos/XPrecio.h"
#include "purchasing/Compras.h"
#include "purchasing/ConProvee.h"
#include "purchasing/DescuentoCompra.h"
#include "purchasing/DesglosaTotal.h"
#include "shell/LineasConfiguracion.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QLabel>
#include <QToolButton>

#include <memory>

namespace {

const QString kReferenciaUsada = QStringLiteral("Este Documento ya se Registro...");
const QString kProductoNoEncontrado = QStringLiteral("El Producto No Se encuenta");
// Tab here wraps to the quantity of the next line.
constexpr int kColumnaVueltaTab = 12;

QString FechaDeHoy() { return TextoFecha(fs::Hoy()); }

}  // namespace

void TFormaCompras::FijaCampoCompra(ui::EditDatos* caja, const QString& valor) {
  if (!TablaComprasE->Active() || !HayFila(*TablaComprasE)) {
    caja->setText(valor);
    return;
  }
  EditaFila(*TablaComprasE);
  TablaComprasE->FieldByName(caja->Campo()).SetAsString(valor);
  caja->setText(valor);
}

void TFormaCompras::ConectaCapturaCompra() {
  const auto entra = [this](QWidget* caja, std::function<void()> accion) {
    ui::Conecta(&ui::Eventos::De(caja), &ui::Eventos::Enter, this, std::move(accion));
  };
  const auto sale = [this](QWidget* caja, std::function<void()> accion) {
    ui::Conecta(&ui::Eventos::De(caja), &ui::Eventos::Exit, this, std::move(accion));
  };
  entra(EditFEDOC_O, [this] {
    if (EditFEDOC_O->text().trimmed().isEmpty()) FijaCampoCompra(EditFEDOC_O, FechaDeHoy());
  });
  entra(EditFEREC_O, [this] {
    if (EditFEREC_O->text().trimmed().isEmpty()) FijaCampoCompra(EditFEREC_O, EditFEDOC_O->text());
  });
  entra(EditFEPAG_O, [this] { EditFEPAG_OEnter(); });
  entra(EditTIMPU_O, [this] {
    const QString tasa = EditTIMPU_O->text().trimmed();
    if (tasa.isEmpty() || tasa == QStringLiteral("0")) FijaCampoCompra(EditTIMPU_O, LineaConf(ConfIva));
  });
  sale(EditCLPRV_O, [this] { EditCLPRV_OExit(); });
  // Checked as the box is left, before the box hands its text to the field
  // (which would refuse a date the calendar does not have).
  for (ui::EditDatos* fecha : {EditFEREC_O, EditFEPAG_O}) {
    ui::Conecta(fecha, &QLineEdit::editingFinished, this, [this, fecha] { EditFechaExit(fecha); });
    sale(fecha, [this, fecha] { EditFechaExit(fecha); });
  }
  // The document date is asked for again rather than replaced, also before
  // the box hands its text to the field.
  ui::Conecta(EditFEDOC_O, &QLineEdit::editingFinished, this, [this] { EditFEDOC_OExit(); });
  sale(EditFEDOC_O, [this] { EditFEDOC_OExit(); });
  sale(EditREFER_O, [this] { EditREFER_OExit(); });
  sale(EditNALMA_O, [this] { EditNALMA_OExit(); });
  sale(EditDIVIS_O, [this] {
    if (EditDIVIS_O->currentText().isEmpty() && EditDIVIS_O->count() > 0) EditDIVIS_O->setCurrentIndex(0);
  });

  ui::Conecta(&ui::Eventos::De(EditCLPRV_O), &ui::Eventos::KeyDown, this, [this](int& tecla, Qt::KeyboardModifiers) {
    if (tecla != Qt::Key_F2) return;
    tecla = 0;
    FijaCampoCompra(EditCLPRV_O, BuscaProveedor(EditCLPRV_O->text()));
    MuestraProveedorCompra();
  });
  for (ui::EditDatos* fecha : {EditFEDOC_O, EditFEREC_O, EditFEPAG_O})
    ui::Conecta(&ui::Eventos::De(fecha), &ui::Eventos::KeyDown, this, [this, fecha](int& tecla, Qt::KeyboardModifiers) {
      if (tecla != Qt::Key_F3) return;
      tecla = 0;
      FijaCampoCompra(fecha, FechaDeHoy());
    });
  ui::Conecta(&ui::Eventos::De(EditNALMA_O), &ui::Eventos::KeyDown, this, [this](int& tecla, Qt::KeyboardModifiers) {
    if (tecla != Qt::Key_Tab && tecla != Qt::Key_Return && tecla != Qt::Key_Enter) return;
    tecla = 0;
    Detalle->setFocus(Qt::TabFocusReason);
  });

  // The line grid.
  ui::Eventos& rejilla = ui::Eventos::De(Detalle);
  ui::Conecta(&rejilla, &ui::Eventos::Enter, this, [this] { DetalleEnter(); });
  ui::Conecta(&rejilla, &ui::Eventos::Exit, this, [this] { SetKeyPreview(true); });
  ui::Conecta(&rejilla, &ui::Eventos::KeyPress, this, [](QChar& c) { c = Mayuscula(c); });
  ui::Conecta(&rejilla, &ui::Eventos::KeyDown, this,
              [this](int& tecla, Qt::KeyboardModifiers) { DetalleKeyDown(tecla); });
  ui::Conecta(Detalle, &ui::RejillaDatos::ColEnter, this, [this] { DetalleColEnter(); });
  // A deleted line leaves the totals at once.
  TablaDeta->AfterDelete = [this](db::Dataset&) {
    if (EnAlta() || EnCambio()) CalculaTotalesCompra();
  };

  ui::Conecta(BotonTotales, &QToolButton::clicked, this, [this] { BotonTotalesClick(); });
  ui::Conecta(TotalesDetallado1, &QAction::triggered, this, [this] { BotonTotalesClick(); });
}

// --- Header.

void TFormaCompras::EditFEPAG_OEnter() {
  QDate recepcion;
  // With no receipt date the payment date stays as it is.
  if (!LeeFecha(EditFEREC_O->text().trimmed(), recepcion) || !recepcion.isValid()) return;
  FijaCampoCompra(EditFEPAG_O, TextoFecha(recepcion.addDays(DiasCreditoProveedor)));
}

void TFormaCompras::EditCLPRV_OExit() {
  if (EditCLPRV_O->text().trimmed().isEmpty()) return;
  MuestraProveedorCompra();
}

void TFormaCompras::EditFechaExit(ui::EditDatos* caja) {
  if (!FechaPosible(caja->text().trimmed())) FijaCampoCompra(caja, FechaDeHoy());
}

void TFormaCompras::EditFEDOC_OExit() {
  const QString texto = EditFEDOC_O->text().trimmed();
  if (texto.isEmpty() || FechaPosible(texto)) return;
  PideFechaCompra(EditFEDOC_O, texto);
}

void TFormaCompras::PideFechaCompra(ui::EditDatos* caja, const QString& texto) {
  // The field keeps the date it had: the box shows it again before the
  // message takes the focus, so nothing of the text reaches the header.
  const db::Campo* campo =
      TablaComprasE->Active() && HayFila(*TablaComprasE) ? &TablaComprasE->FieldByName(caja->Campo()) : nullptr;
  caja->setText(campo ? campo->AsString() : QString());
  MuestraMensaje(MensajeFechaCompra(caja, texto));
  caja->setFocus(Qt::OtherFocusReason);
}

QString TFormaCompras::MensajeFechaCompra(const ui::EditDatos* caja, const QString& texto) const {
  const QString nombre = caja == EditFEDOC_O   ? QStringLiteral("del Documento")
                         : caja == EditFEREC_O ? QStringLiteral("de Recepción")
                                               : QStringLiteral("de Pago");
  return QStringLiteral("La Fecha ") + nombre + QStringLiteral(" \"") + texto +
         QStringLiteral("\" no es válida: escríbala como dd/mm/aaaa (F3 pone la fecha de hoy)");
}

bool TFormaCompras::RevisaFechasCompra() {
  for (ui::EditDatos* caja : {EditFEDOC_O, EditFEREC_O, EditFEPAG_O}) {
    const QString texto = caja->text().trimmed();
    if (texto.isEmpty() || FechaPosible(texto)) continue;
    PideFechaCompra(caja, texto);
    return false;
  }
  return true;
}

void TFormaCompras::EditREFER_OExit() {
  const QString referencia = EditREFER_O->text();
  if (referencia.trimmed().isEmpty() || RutaDatosCompras.isEmpty()) return;
  // A receipt being changed keeps its own reference.
  const qint64 propio = EnCambio() && TextoTipoCompra == kRecepcion ? EditCLDOC_O->text().trimmed().toLongLong() : 0;
  bool usada = false;
  try {
    usada = ReferenciaCompraUsada(referencia, propio);
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
    return;
  }
  if (!usada) return;
  MuestraMensaje(kReferenciaUsada);
  EditREFER_O->setFocus(Qt::OtherFocusReason);
}

void TFormaCompras::EditNALMA_OExit() {
  if (EditNALMA_O->text().trimmed().isEmpty()) FijaCampoCompra(EditNALMA_O, QStringLiteral("1"));
  AlmacenAnteriorCompra = EditNALMA_O->text().trimmed().toInt();
}

// --- Line grid.

namespace {

double Numero(const db::Dataset& t, const char* campo) {
  const db::Campo& c = t.FieldByName(QString::fromLatin1(campo));
  return c.IsNull() ? 0 : c.AsFloat();
}

double ImporteConDescuentos(const db::Dataset& t) {
  return Numero(t, "CANTIDAD") * Numero(t, "PRECIO") * (1 - Numero(t, "DESCUENTO") / 100) *
         (1 - Numero(t, "DESCUENTO2") / 100) * (1 - Numero(t, "DESCUENTO3") / 100);
}

int PosicionDe(const ui::RejillaDatos& rejilla, const QString& campo) {
  for (int i = 0; i < rejilla.Columnas(); ++i)
    if (rejilla.Columna(i).campo.compare(campo, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

}  // namespace

void TFormaCompras::DetalleEnter() {
  const int clave = PosicionDe(*Detalle, QStringLiteral("CLAVE"));
  const int producto = PosicionDe(*Detalle, QStringLiteral("PRODUCTO"));
  if (clave >= 0) ColumnaClaveCompra = clave;
  if (producto >= 0) ColumnaProductoCompra = producto;
  if (EnAlta() || EnCambio()) FijaCampoCompra(EditNALMA_O, QStringLiteral("1"));
  // The suggested order is offered while a new purchase order is captured.
  if (EnAlta() && TextoTipoCompra == kOrdenCompra) CompraSugerida1->setEnabled(true);
  const int fin = PosicionDe(*Detalle, Conf.FormulaCosto ? QStringLiteral("PCON_IVA") : QStringLiteral("PRECIO"));
  if (fin >= 0) ColumnaFinCapturaCompra = fin;
  SetKeyPreview(false);
  // Standing on the quantity already, its entry runs all the same.
  if (Detalle->SelectedIndex() == 0) DetalleColEnter();
  else Detalle->SetSelectedIndex(0);
}

void TFormaCompras::DetalleColEnter() {
  if (!(EnAlta() || EnCambio()) || Detalle->SoloLectura()) return;
  const int columna = Detalle->SelectedIndex();
  if (!Detalle->Columna(columna).visible) {
    if (columna + 1 < Detalle->Columnas()) Detalle->SetSelectedIndex(columna + 1);
    return;
  }
  const bool fila = HayFila(*TablaDeta);
  switch (columna) {
    case 0:
      // A line just started is the new line already.
      if (TablaDeta->State() == db::Dataset::Estado::Insertando &&
          TablaDeta->FieldByName(QStringLiteral("CANTIDAD")).IsNull())
        break;
      if (!fila || TablaDeta->FieldByName(QStringLiteral("CANTIDAD")).IsNull()) {
        CalculaTotalesCompra();
        TablaDeta->Append();
      }
      break;
    case 2:
      if (!fila) break;
      if (TablaDeta->FieldByName(QStringLiteral("CAJAS")).IsNull() &&
          TablaDeta->FieldByName(QStringLiteral("CANTIDAD")).IsNull()) {
        Detalle->SetSelectedIndex(0);
      } else if (TablaDeta->FieldByName(QStringLiteral("CANTIDAD")).IsNull()) {
        EditaFila(*TablaDeta);
        TablaDeta->FieldByName(QStringLiteral("CANTIDAD")).SetAsFloat(0);
      }
      break;
    case 4:
      CompletaPartidaCompra();
      break;
    case 5:
      if (fila && VentanadeDescuentos1->isChecked()) {
        QString descuento;
        {
          auto picker = std::make_unique<TFormaDescuentoCompra>(this);
          picker->EligeDescuentoCompra(descuento);
        }
        EditaFila(*TablaDeta);
        TablaDeta->FieldByName(QStringLiteral("DESCUENTO")).SetAsString(descuento.trimmed());
      }
      break;
    case 6:
      if (!fila) break;
      EditaFila(*TablaDeta);
      TablaDeta->FieldByName(QStringLiteral("IMPORTE")).SetAsFloat(Redondea(3, ImporteConDescuentos(*TablaDeta)));
      // The totals follow each amount as it is worked out.
      CalculaTotalesCompra();
      break;
    default:
      break;
  }
}

void TFormaCompras::CompletaPartidaCompra() {
  if (!HayFila(*TablaDeta) || TablaDeta->FieldByName(QStringLiteral("CANTIDAD")).IsNull()) {
    Detalle->SetSelectedIndex(0);
    return;
  }
  const QString tecleada = TablaDeta->FieldByName(QStringLiteral("CLAVE")).AsString();
  if (tecleada == kClaveComentario) return;
  bool hallado = false;
  try {
    TablaInventario->SetIndexName(QStringLiteral("ICLPRO"));
    hallado = !tecleada.isEmpty() && TablaInventario->FindKey({tecleada});
    if (!hallado) {
      // A bar code (or code) names the product: its key replaces it.
      const QString clave = ClavePorCodigo(tecleada);
      if (!clave.isEmpty() && TablaInventario->FindKey({clave})) {
        EditaFila(*TablaDeta);
        TablaDeta->FieldByName(QStringLiteral("CLAVE")).SetAsString(clave);
        hallado = true;
      }
    }
  } catch (const plat::Error&) {
    hallado = false;
  }
  if (!hallado) {
    MuestraMensaje(kProductoNoEncontrado);
    Detalle->SetSelectedIndex(ColumnaClaveCompra);
    Detalle->setFocus(Qt::OtherFocusReason);
    return;
  }
  const TRegistroProducto producto = ProductoActual(*TablaInventario);
  const double empaque = producto.UEMPA_I.value_or(0);
  EditaFila(*TablaDeta);
  db::Campo& cantidad = TablaDeta->FieldByName(QStringLiteral("CANTIDAD"));
  const db::Campo& empaques = TablaDeta->FieldByName(QStringLiteral("EMPAQUE"));
  if (!empaques.IsNull()) {
    if (empaque > 0) cantidad.SetAsFloat(empaques.AsFloat() * empaque);
    else if (empaques.AsFloat() > 0) cantidad.SetAsFloat(empaques.AsFloat());
  }
  if (empaque <= 0) {
    TablaDeta->FieldByName(QStringLiteral("CAJAS")).SetAsFloat(0);
    if (cantidad.AsFloat() <= 0) {
      Detalle->SetSelectedIndex(0);
      return;
    }
  }
  TablaDeta->FieldByName(QStringLiteral("PRODUCTO")).SetAsString(producto.DSCPR_I);
  if (Numero(*TablaDeta, "PRECIO") <= 0)
    TablaDeta->FieldByName(QStringLiteral("PRECIO")).SetAsFloat(producto.ULCOS_I.value_or(Dinero()).Real());
  TablaDeta->FieldByName(QStringLiteral("PRECIOCLIENTE")).SetAsFloat(producto.PPUBL_I.value_or(Dinero()).Real());
  TablaDeta->FieldByName(QStringLiteral("IMPUESTO")).SetAsFloat(producto.PIVA1_I.value_or(0));
  TablaDeta->FieldByName(QStringLiteral("IMPORTE")).SetAsFloat(Redondea(4, ImporteConDescuentos(*TablaDeta)));
  TablaDeta->FieldByName(QStringLiteral("PCON_IVA")).SetAsFloat(producto.PORC1_I.value_or(0));
  AplicaDescuentosProveedor();
  CalculaTotalesCompra();
  Detalle->SetSelectedIndex(ColumnaProductoCompra + 1);
}

void TFormaCompras::DetalleKeyDown(int& tecla) {
  if (!(EnAlta() || EnCambio()) || Detalle->SoloLectura() || !Detalle->isEnabled()) return;
  switch (tecla) {
    case Qt::Key_F4:
      if (TablaDeta->State() == db::Dataset::Estado::Navegando) break;
      tecla = 0;
      TablaDeta->FieldByName(QStringLiteral("CLAVE")).SetAsString(kClaveComentario);
      TablaDeta->FieldByName(QStringLiteral("CANTIDAD")).SetAsString(QStringLiteral("1"));
      break;
    case Qt::Key_Tab:
      tecla = 0;
      if (!Detalle->CierraEditor()) return;
      if (Detalle->SelectedIndex() == kColumnaVueltaTab) {
        Detalle->SetSelectedIndex(0);
        if (EnAlta()) TablaDeta->Append();
        Detalle->SetSelectedIndex(0);
      } else {
        Detalle->SetSelectedIndex(Detalle->SelectedIndex() + 1);
      }
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      tecla = 0;
      if (!Detalle->CierraEditor()) return;
      if (Detalle->SelectedIndex() == ColumnaFinCapturaCompra) {
        Detalle->SetSelectedIndex(0);
        CalculaTotalesCompra();
        if (EnAlta()) TablaDeta->Append();
      } else {
        Detalle->SetSelectedIndex(Detalle->SelectedIndex() + 1);
      }
      break;
    case Qt::Key_F2: {
      tecla = 0;
      if (!Detalle->CierraEditor() || !HayFila(*TablaDeta)) return;
      EditaFila(*TablaDeta);
      TablaDeta->Post();
      EditaFila(*TablaDeta);
      QString clave = TablaDeta->FieldByName(QStringLiteral("CLAVE")).AsString();
      try {
        BuscaProducto(clave, EditNALMA_O->text().trimmed().toInt(), clave);
      } catch (const plat::Error& e) {
        MuestraMensaje(e.mensaje());
        return;
      }
      TablaDeta->FieldByName(QStringLiteral("CLAVE")).SetAsString(clave);
      break;
    }
    default:
      break;
  }
}

// --- Totals breakdown.

void TFormaCompras::BotonTotalesClick() {
  CalculaTotalesCompra();
  if (EditDTOTA_O->text().trimmed().isEmpty()) FijaCampoCompra(EditDTOTA_O, QStringLiteral("0"));
  MuestraDesglosaTotal(Totales.SubtotalCompra, Totales.DescuentoDocumentoCompra, -Totales.DescuentoFinancieroCompra,
                       Totales.ImpuestoCompra, Totales.TotalCompra, this);
}
