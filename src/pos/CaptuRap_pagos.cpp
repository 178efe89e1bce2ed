// Payment on the sale screen: the payment type and what it does to the
// document, the amount received and the change, "Habilitar Pago", paying a
// saved document at the register, split payments and the payment-type
// table.

#include "foundation/BotonEsquinado.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "inventory/CamposRegistro.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/AyudaCampos.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/PuertaModal.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/DescuentoPago.h"
#include "pos/ImportesVenta.h"
#include "pos/MultiPagos.h"
#include "pos/PagosVenta.h"
#include "pos/TeclasVenta.h"
#include "pos/PartidasVenta.h"
#include "pos/TipoPago.h"
#include "pos/XPrecio.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QMenuBar>
#include <QTimer>
#include <QToolButton>

namespace {

bool EsEnter(int tecla) { return tecla == Qt::Key_Return || tecla == Qt::Key_Enter; }

}  // namespace

void TFormaCapturaRapida::ConectaPagos() {
  // The type is typed or picked from the list; a text the cashier did not
  // type (a document shown, a new one) changes nothing by itself.
  TipoPago->setEditable(true);
  TipoPago->setInsertPolicy(QComboBox::NoInsert);
  TipoPago->setCompleter(nullptr);
  ui::Conecta(TipoPago, &QComboBox::textActivated, this, [this] { TipoPagoChange(); });
  ui::Conecta(TipoPago->lineEdit(), &QLineEdit::textEdited, this, [this] { TipoPagoChange(); });
  ui::Eventos& tipo = ui::Eventos::De(TipoPago);
  ui::Conecta(&tipo, &ui::Eventos::Exit, this, [this] { TipoPagoExit(); });
  ui::Conecta(&tipo, &ui::Eventos::KeyDown, this,
              [this](int& tecla, Qt::KeyboardModifiers) { TipoPagoKeyDown(tecla); });

  ui::ResaltaAlEnfocar(CAMBIO_F, ui::ColorQt(ui::clAqua, CAMBIO_F->palette()));
  ui::Eventos& cambio = ui::Eventos::De(CAMBIO_F);
  ui::Conecta(&cambio, &ui::Eventos::Enter, this, [this] { CAMBIO_FEnter(); });
  ui::Conecta(&cambio, &ui::Eventos::Exit, this, [this] { CAMBIO_FExit(); });
  ui::Conecta(&cambio, &ui::Eventos::KeyDown, this,
              [this](int& tecla, Qt::KeyboardModifiers) { CAMBIO_FKeyDown(tecla); });

  // The check mark of "Habilitar Pago" is its handler's.
  AsignaComando(HabilitarPago1, [this] {
    HabilitarPago1->setChecked(!HabilitarPago1->isChecked());
    HabilitarPago1Click();
  });
  AsignaComando(ImprimiryAsignarCaja1, [this] { ImprimiryAsignarCaja1Click(); });
  AsignaComando(MultiPagos1, [this] { MultiPagos1Click(); });
  AsignaComando(DescuentosTipodePago1, [this] { DescuentosTipodePago1Click(); });
}

// --- The payment type.

void TFormaCapturaRapida::TipoPagoChange() {
  const QString tipo = TipoPago->currentText();
  FactorPrecioPago = FactorDePago(tipo);
  const bool cuenta = TipoConCuenta(tipo);
  LabelCuenta->setVisible(cuenta);
  EditCUENTA->setVisible(cuenta);
  if (cuenta && Permitido(BotonRedondo2)) EditCUENTA->setFocus(Qt::OtherFocusReason);
}

void TFormaCapturaRapida::TipoPagoKeyDown(int& tecla) {
  if (!EsEnter(tecla)) return;
  tecla = 0;
  (IniciaenClave1->isChecked() ? EditClave : EditCantidad)->setFocus(Qt::OtherFocusReason);
}

double TFormaCapturaRapida::DescuentoTipoPago(const QString& tipo) const {
  return DescuentoDePago(RutaDatosVenta, tipo);
}

void TFormaCapturaRapida::TipoPagoExit() {
  const QString tipo = TipoPago->currentText();
  if (!Permitido(BotonRedondo2) || tipo.isEmpty()) return;
  double valor = kSinDescuentoPago;
  try {
    valor = DescuentoTipoPago(tipo);
  } catch (const plat::Error&) {
    return;
  }
  if (valor <= kSinDescuentoPago) return;
  if (valor < kBaseListaPago) {
    if (!HayFila(*TablaFacturae)) return;
    EditaFila(*TablaFacturae);
    TablaFacturae->FieldByName(QStringLiteral("DESFI_F")).SetAsFloat(valor);
    return;
  }
  const int lista = static_cast<int>(valor - kBaseListaPago);
  ListaPrecioCliente = lista < 1 ? 0 : lista;
  RepreciaCaptura(ListaPrecioCliente);
  CalculaTotales();
}

void TFormaCapturaRapida::RepreciaCaptura(int lista) {
  if (!TablaDeta->Active() || !TablaInventario->Active()) return;
  PostPendiente(*TablaDeta);
  for (TablaDeta->First(); !TablaDeta->Eof(); TablaDeta->Next()) {
    const QString clave = Partida("CLAVE").AsString();
    if (clave.isEmpty() || clave == kClaveComentario || !TablaInventario->FindKey({clave})) continue;
    // A line that cannot be priced again keeps its price.
    try {
      const Dinero precio = AsignaPrecioLista(lista);
      registro::Escribe(Partida("PRECIO"), std::optional(precio));
      registro::Escribe(Partida("IMPORTE"), std::optional(ImporteLinea(Partida("CANTIDAD").AsFloat(), precio,
                                                                       Partida("DESCUENTO").AsFloat())));
      TablaDeta->Post();
    } catch (const plat::Error&) {
      TablaDeta->Cancel();
    }
  }
}

// --- The amount received and the change.

void TFormaCapturaRapida::CAMBIO_FEnter() { CalculaTotales(); }

bool TFormaCapturaRapida::PagoNoNumerico() const { return ::PagoNoNumerico(CAMBIO_F->text()); }

void TFormaCapturaRapida::CAMBIO_FKeyDown(int& tecla) {
  if (tecla == Qt::Key_F6) {
    tecla = 0;
    if (!Permitido(BotonNuevaVenta)) EliminaPartida();
    return;
  }
  if (!EsEnter(tecla)) return;
  tecla = 0;
  const std::optional<QString> evaluado = EvaluaCampoPago(CAMBIO_F);
  if (!evaluado) return;
  const QString& importe = *evaluado;
  if (HayFila(*TablaFacturae)) {
    EditaFila(*TablaFacturae);
    TablaFacturae->FieldByName(QStringLiteral("CAMBI_F")).SetAsString(importe);
  }
  CAMBIO_F->setText(importe);
  CAMBIO_FExit();
}

void TFormaCapturaRapida::CAMBIO_FExit() {
  const std::optional<Dinero> recibido = LeeCampoPago(CAMBIO_F);
  if (!recibido) return;
  SuCambio->setText(TextoCambio(*recibido, Totales.TotalVenta));
  if (!HayFila(*TablaFacturae)) return;
  db::Campo& total = TablaFacturae->FieldByName(QStringLiteral("IMTOD_F"));
  const Dinero importe = registro::LeeImporte(total).value_or(Dinero());
  const Dinero cubierto =
      registro::LeeImporte(TablaFacturae->FieldByName(QStringLiteral("CAMBI_F"))).value_or(*recibido);
  if (importe > cubierto) return;
  EditaFila(*TablaFacturae);
  registro::Escribe(TablaFacturae->FieldByName(QStringLiteral("ABONO_F")), std::optional(importe));
  registro::Escribe(TablaFacturae->FieldByName(QStringLiteral("SALDO_F")), std::optional(Dinero()));
}

void TFormaCapturaRapida::HabilitarPago1Click() {
  if (usuario->text() != QStringLiteral("0")) return;
  const bool habilitado = !HabilitarPago1->isChecked();
  HabilitarPago1->setChecked(habilitado);
  fs::ReescribeLineas(CarpetaPrograma(QStringLiteral("\\Pagos.cnf")),
                      {habilitado ? QStringLiteral("S") : QStringLiteral("N")});
  // The mark means what Pagos.cnf means when the screen is shown: the
  // amount received can be typed.
  CAMBIO_F->setReadOnly(!habilitado);
}

// --- A saved document paid at the register.

void TFormaCapturaRapida::ImprimiryAsignarCaja1Click() {
  if (!HayFila(*TablaFacturae)) return;
  const auto campo = [this](const char* nombre) -> db::Campo& {
    return TablaFacturae->FieldByName(QString::fromLatin1(nombre));
  };
  if (campo("STATU_F").AsString() == QStringLiteral("C")) {
    MuestraMensaje(QStringLiteral("El documento esta CANCELADO..."));
    return;
  }
  if (!campo("PAGOX_F").AsString().isEmpty()) {
    MuestraMensaje(QStringLiteral("El documento YA ESTA PAGADO..."));
    return;
  }
  TFormaTipoPago tipo(this);
  tipo.LabelRuta8->setText(RutaDatosVenta);
  tipo.move(TipoPago->mapToGlobal(QPoint(0, TipoPago->height() + 50)));
  tipo.ShowModal();
  const QString elegido = tipo.Elegido();
  if (tipo.Tag() != 1 || elegido.isEmpty()) return;
  EditaFila(*TablaFacturae);
  campo("PAGOX_F").SetAsString(elegido);
  TablaFacturae->Post();
  TipoPago->setEditText(elegido);
  BotonImprimirClick();
}

// --- Split payments.

void TFormaCapturaRapida::MultiPagos1Click() {
  if (BotonGuardar->isEnabled()) {
    ui::MensajeSimple(QStringLiteral("No se ha guardado el documento..."));
    return;
  }
  if (!HayFila(*TablaFacturae)) return;
  TFormaMultiPagos pagos(this);
  pagos.LabelRuta->setText(RutaDatosVenta);
  pagos.LabelCLDOC->setText(EditCLDOC_F->text());
  pagos.LabelCONTROL->setText(TablaFacturae->FieldByName(QStringLiteral("CONTROL")).AsString());
  pagos.LabelMONTO->setText(TablaFacturae->FieldByName(QStringLiteral("IMTOD_F")).AsString());
  pagos.AbrePagos();
  pagos.ShowModal();
}

// --- The payment-type table.

void TFormaCapturaRapida::DescuentosTipodePago1Click() {
  TFormaDescuentoPago descuentos(this);
  db::Tabla& tabla = *descuentos.TablaDescuento;
  ApuntaTabla(tabla, QStringLiteral("descuento.dbf"));
  tabla.Open();
  descuentos.ShowModal();
  PostPendiente(tabla);
  QStringList tipos;
  for (tabla.First(); !tabla.Eof(); tabla.Next()) tipos << tabla.FieldByName(QStringLiteral("TIPOPAGO")).AsString();
  fs::ReescribeLineas(fs::Une(RutaDatosVenta, QStringLiteral("pagos.cnf")), tipos);
  // The list is read again when the screen is next shown; the document
  // keeps the type it has.
  const QString actual = TipoPago->currentText();
  TipoPago->clear();
  TipoPago->setEditText(actual);
  tabla.Close();
}
