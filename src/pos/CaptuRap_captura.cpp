// The capture of lines on the sale screen: the quantity and key fields, a
// key, code or description made a filled line, the stock check.

#include "foundation/advierte.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas_numero.h"
#include "inventory/CamposRegistro.h"
#include "inventory/ClaveRapida.h"
#include "inventory/ConPro.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "platform/ui/AyudaCampos.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/ImportesVenta.h"
#include "pos/PartidasVenta.h"
#include "pos/XPrecio.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include <memory>

namespace {

const QString kLimitePartidas = QStringLiteral("Se ha llegado al límite de PARTIDAS...");
const QString kNoEncontrado = QStringLiteral("El Producto No Se encuentra");
const QString kDarDeAlta = QStringLiteral("El Producto No Se encuentra...¿Desea darlo de Alta?");
const QString kErrorClave = QStringLiteral("Error en la Clave");
// A description at least this near to the typed text opens the lookup.
constexpr double kSemejanzaMinima = 0.6;
// The answer of the question that asks for the quick registration.
constexpr int kRespuestaCaptura = 2;

// Kinds of document that take a line whatever the stock.
bool SinExistenciaAdmitida(const QString& tipo) {
  for (const char* t : {"Pedido", "Cotización", "Nota de Crédito", "Devolución"})
    if (tipo == QString::fromUtf8(t)) return true;
  return false;
}

bool EsEnterCaptura(int tecla) { return tecla == Qt::Key_Return || tecla == Qt::Key_Enter; }

bool EsModificador(int tecla) {
  return tecla == Qt::Key_Shift || tecla == Qt::Key_Control || tecla == Qt::Key_Alt || tecla == Qt::Key_Meta ||
         tecla == Qt::Key_AltGr;
}

}  // namespace

void TFormaCapturaRapida::ConectaCaptura() {
  Lineas = CapturaLineas({this, Detalle, TablaDeta, TablaInventario, EditCantidad, EditClave, EditTARA, EditEmpaque,
                          LabelFactor, CAMBIO_F},
                         [this] { return OpcionIniciaEnClave; }, [this] { DetalleColEnter(); });
  const QColor aqua = ui::ColorQt(ui::clAqua, EditClave->palette());
  for (QWidget* caja : {EditCantidad, EditClave, EditEmpaque}) ui::ResaltaAlEnfocar(caja, aqua);
  const auto teclas = [this](QWidget* caja, void (TFormaCapturaRapida::*manejador)(int&)) {
    ui::Conecta(&ui::Eventos::De(caja), &ui::Eventos::KeyDown, this,
                [this, manejador](int& tecla, Qt::KeyboardModifiers) { (this->*manejador)(tecla); });
  };
  ui::Conecta(&ui::Eventos::De(EditCantidad), &ui::Eventos::Enter, this, [this] { EditCantidadEnter(); });
  teclas(EditCantidad, &TFormaCapturaRapida::EditCantidadKeyDown);
  teclas(EditClave, &TFormaCapturaRapida::EditClaveKeyDown);
  ui::Conecta(&ui::Eventos::De(EditTARA), &ui::Eventos::KeyDown, this, [this](int& tecla, Qt::KeyboardModifiers) {
    if (!Capturando() || !EsEnterCaptura(tecla)) return;
    tecla = 0;
    AceptaClave();
  });
  ui::Conecta(&ui::Eventos::De(EditEmpaque), &ui::Eventos::Enter, this, [this] { EditEmpaqueEnter(); });
  ui::Conecta(&ui::Eventos::De(EditEmpaque), &ui::Eventos::Exit, this, [this] { EditEmpaqueExit(); });
  teclas(EditEmpaque, &TFormaCapturaRapida::EditEmpaqueKeyDown);

  ui::Conecta(Detalle, &ui::RejillaDatos::ColEnter, this, [this] { DetalleColEnter(); });
  ui::Conecta(Detalle, &ui::RejillaDatos::ColExit, this, [this] { DetalleColExit(); });
  ui::Conecta(Detalle, &ui::RejillaDatos::CellClick, this, [this] {
    if (Capturando() && Detalle->SelectedIndex() == ColumnaPrecio) ListaDePrecios();
  });
  ui::Eventos& rejilla = ui::Eventos::De(Detalle);
  ui::Conecta(&rejilla, &ui::Eventos::Enter, this, [this] { DetalleEnter(); });
  ui::Conecta(&rejilla, &ui::Eventos::Exit, this, [this] { SetKeyPreview(true); });
  teclas(Detalle, &TFormaCapturaRapida::DetalleKeyDown);
  Lineas.ConectaRejilla(this);
  // A deleted line is taken out of the totals at once.
  TablaDeta->AfterDelete = [this](db::Dataset&) {
    if (!Permitido(BotonNuevaVenta)) CalculaTotales();
  };

  AsignaComando(BotonAgregarPartida, [this] { BotonAgregarPartidaClick(); });
  // The check marks of the two options are theirs: the handlers set them.
  AsignaComando(CapturaporEmpaque1, [this] {
    CapturaporEmpaque1->setChecked(!CapturaporEmpaque1->isChecked());
    CapturaporEmpaque1Click();
  });
  AsignaComando(VerCampoTara1, [this] { VerCampoTara1Click(); });
}

bool TFormaCapturaRapida::Capturando() const {
  return (ui::Tag(BotonNuevo) == 1 || ui::Tag(BotonCambios) == 1) && Detalle->isEnabled();
}

db::Campo& TFormaCapturaRapida::Partida(const char* campo) const {
  return TablaDeta->FieldByName(QString::fromLatin1(campo));
}

void TFormaCapturaRapida::IniciaCaptura() {
  if (TablaDeta->Active()) {
    const bool sinCantidad = TablaDeta->IsEmpty() || Partida("CANTIDAD").IsNull();
    if (sinCantidad) {
      TablaDeta->Append();
      Partida("CANTIDAD").SetAsFloat(1);
    }
  }
  EnfocaCaptura();
}

void TFormaCapturaRapida::EnfocaCaptura() { Lineas.EnfocaCaptura(); }

// --- The quantity field.

void TFormaCapturaRapida::EditCantidadEnter() {
  if (Capturando()) {
    if (Detalle->SoloLectura()) Detalle->SetSoloLectura(false);
    EditCantidad->setReadOnly(false);
    EditClave->setReadOnly(false);
  }
  EditCantidad->selectAll();
}

void TFormaCapturaRapida::EditCantidadKeyDown(int& tecla) {
  if (!Capturando()) return;
  if (tecla == Qt::Key_F12) {
    tecla = 0;
    Detalle->SetSelectedIndex(0);
    return;
  }
  if (!EsEnterCaptura(tecla)) return;
  tecla = 0;
  Lineas.AceptaCantidad();
}

// --- The key field.

void TFormaCapturaRapida::EditClaveKeyDown(int& tecla) {
  if (!Capturando() || EsModificador(tecla)) return;
  if (LineasCaptura > Conf.MaximoPartidas - 1) {
    tecla = 0;
    MuestraMensaje(kLimitePartidas);
    VaciaClave();
    EditClave->setFocus(Qt::OtherFocusReason);
    return;
  }
  switch (tecla) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      tecla = 0;
      if (OpcionTara) MuestraTara();
      if (EditTARA->isVisibleTo(this)) EditTARA->setFocus(Qt::OtherFocusReason);
      else AceptaClave();
      ValidaPiezas();
      if (IniciaenClave1->isChecked() && EditClave->text().isEmpty()) EditClave->setFocus(Qt::OtherFocusReason);
      break;
    case Qt::Key_F1:
      tecla = 0;
      BuscaEnCatalogo(2);
      EnfocaCaptura();
      ValidaPiezas();
      break;
    case Qt::Key_F2:
      tecla = 0;
      BuscaPorClave();
      break;
    case Qt::Key_F3:
      tecla = 0;
      RepitePartida();
      break;
    default:
      break;
  }
}

void TFormaCapturaRapida::VaciaClave() {
  EditClave->clear();
  if (!HayFila(*TablaDeta)) return;
  EditaFila(*TablaDeta);
  Partida("CLAVE").Clear();
}

void TFormaCapturaRapida::MuestraTara() {
  if (const std::optional<bool> tara = Lineas.TaraDeClave(CampoTaraProducto, ValorTaraProducto))
    EditTARA->setVisible(*tara);
}

void TFormaCapturaRapida::AceptaClave() { Lineas.PosicionaClave(); }

void TFormaCapturaRapida::BuscaEnCatalogo(int orden) { Lineas.BuscaEnCatalogo(orden, Conf.BusquedaAvanzada); }

void TFormaCapturaRapida::BuscaPorClave() {
  BuscaEnCatalogo(1);
  VeAColumna(2);
  if (!EditClave->text().isEmpty() && OpcionIniciaEnClave) {
    EditClave->setFocus(Qt::OtherFocusReason);
  } else {
    EditCantidad->setFocus(Qt::OtherFocusReason);
    EditCantidad->selectAll();
  }
  ValidaPiezas();
}

void TFormaCapturaRapida::RepitePartida() {
  PostPendiente(*TablaDeta);
  EditaFila(*TablaDeta);
  Lineas.RepitePartida();
  ValidaPiezas();
}

void TFormaCapturaRapida::ValidaPiezas() {
  if (!HayFila(*TablaDeta) || !CorrigePiezas(*TablaDeta)) return;
  Detalle->SetSelectedIndex(0);
  EditCantidad->setFocus(Qt::OtherFocusReason);
}

bool TFormaCapturaRapida::EmpaqueVisible() const { return Lineas.EmpaqueVisible(); }

void TFormaCapturaRapida::VeAColumna(int columna) { Lineas.VeAColumna(columna); }

// --- The product of a line.

bool TFormaCapturaRapida::BuscaProductoPorClave() {
  try {
    const QString clave = Partida("CLAVE").AsString();
    return clave != kClaveComentario && TablaInventario->Active() && LocalizaProducto(*TablaInventario, clave);
  } catch (const plat::Error&) {
    return false;
  }
}

QString TFormaCapturaRapida::ClavePorCodigo(const QString& texto) const {
  return ::ClavePorCodigo(TablaInventario->Carpeta(), texto);
}

double TFormaCapturaRapida::SemejanzaDescripcion(const QString& texto) {
  return ::SemejanzaDescripcion(*TablaInventario, texto);
}

void TFormaCapturaRapida::SumaCantidadesPorClave() {
  PostPendiente(*TablaDeta);
  ::SumaCantidadesPorClave(*TablaTotal, ClavesCapturadas, CantidadesCapturadas);
}

double TFormaCapturaRapida::CantidadCapturada(const QString& clave) const {
  return CantidadDeClave(ClavesCapturadas, CantidadesCapturadas, clave);
}

double TFormaCapturaRapida::CantidadReservada(const QString& clave) const {
  return CantidadDeClave(ClavesReservadas, CantidadesReservadas, clave);
}

void TFormaCapturaRapida::VerificaExistencia() {
  const TRegistroProducto producto = ProductoActual(*TablaInventario);
  const QString clave = Partida("CLAVE").AsString();
  double pedida = CantidadCapturada(clave);
  if (pedida == 0) pedida = Partida("CANTIDAD").AsFloat();
  double disponible = producto.EXIST_I.value_or(0);
  if (ui::Tag(BotonCambios) == 1) disponible += CantidadReservada(clave);
  DisponibleLinea = Dinero::DeReal(disponible - pedida);
  if (DisponibleLinea >= Dinero() || producto.LIPRO_I.toUpper() == kLineaServicio ||
      Conf.FacturarSinExistencias != QStringLiteral("N"))
    return;
  const QString existencia = TextoExistencia(producto);
  LabelExistencia->setText(existencia + QStringLiteral("  *  ") + producto.DSCPR_I);
  MuestraMensaje(QStringLiteral("Las Compras son Superiores a las Existencias ") + existencia +
                 QStringLiteral(" Solicitado ") + TextoReal(pedida));
  const QString tipo = Base->currentText();
  if (tipo == QStringLiteral("Factura") || tipo == QStringLiteral("Remisión")) Detalle->SetSelectedIndex(0);
}

void TFormaCapturaRapida::NuevaPartida() {
  TablaDeta->Last();
  if (Lineas.AgregaPartida()) EnfocaCaptura();
}

void TFormaCapturaRapida::BotonAgregarPartidaClick() {
  if (Capturando() && Lineas.AgregaPartida()) EnfocaCaptura();
}

// --- Filling a line (the grid enters column 2).

void TFormaCapturaRapida::LlenaPartida() {
  if (!HayFila(*TablaDeta) || Partida("CANTIDAD").IsNull()) {
    Detalle->SetSelectedIndex(Detalle->SelectedIndex() - 1);
    return;
  }
  try {
    const QString texto = Partida("CLAVE").AsString();
    bool hallado = false;
    try {
      hallado = ResuelveProducto(texto, false);
    } catch (const std::exception&) {
      hallado = ResuelveProducto(texto, true);
    }
    if (hallado) PartidaDeProducto();
    else if (texto != kClaveComentario) ProductoNoEncontrado(texto);
  } catch (const std::exception&) {
    MuestraMensaje(kErrorClave);
    VaciaClave();
    PostPendiente(*TablaDeta);
    Detalle->SetSelectedIndex(1);
  }
  EditCantidad->setFocus(Qt::OtherFocusReason);
}

bool TFormaCapturaRapida::ResuelveProducto(const QString& texto, bool desdeCodigo) {
  // A text-only line is never looked up.
  if (texto == kClaveComentario) return false;
  QString clave;
  const bool enTabla = !desdeCodigo && BuscaProductoPorClave();
  if (enTabla) {
    clave = TablaInventario->FieldByName(QStringLiteral("CLPRO_I")).AsString();
  } else {
    clave = ClavePorCodigo(texto.left(30));
    if (clave.isEmpty()) {
      const double semejanza = Conf.BusquedaAvanzada ? 1 : SemejanzaDescripcion(texto);
      if (semejanza > kSemejanzaMinima) {
        LabelPartidas->setText(TextoReal(semejanza));
        // Opened where the nearness was measured, on the upper-cased text;
        // a search held in the descriptions takes the text as typed.
        BuscaProductoPorOrden(Conf.BusquedaAvanzada ? texto : texto.toUpper(), 1, 2, Conf.BusquedaAvanzada, clave);
      }
    }
  }
  if (clave.isEmpty() || (!enTabla && !TablaInventario->FindKey({clave}))) return false;
  EditaFila(*TablaDeta);
  if (Partida("CLAVE").AsString() != clave) Partida("CLAVE").SetAsString(clave);
  const double factor = FactorDeProducto(ProductoActual(*TablaInventario));
  Partida("FACTOR").SetAsFloat(factor);
  LabelFactor->setText(TextoReal(factor));
  return true;
}

void TFormaCapturaRapida::PartidaDeProducto() {
  // As it stands in the file now: the lookup read it afresh.
  const TRegistroProducto producto = ProductoActual(*TablaInventario);
  SumaCantidadesPorClave();
  VerificaExistencia();
  EditaFila(*TablaDeta);
  if (DisponibleLinea < Dinero() && producto.LIPRO_I.toUpper() != kLineaServicio &&
      Conf.FacturarSinExistencias == QStringLiteral("N") && !SinExistenciaAdmitida(Base->currentText())) {
    ui::SetTag(EditClave, 0);
    return;
  }
  // A fractional quantity of whole pieces leaves the line unfilled.
  Partida("UNIDAD").SetAsString(producto.UMEDI_I);
  if (CorrigePiezas(*TablaDeta)) {
    Detalle->SetSelectedIndex(0);
    EditCantidad->setFocus(Qt::OtherFocusReason);
    return;
  }
  DatosDeProducto(*TablaDeta, producto);
  LabelFactor->setText(Partida("FACTOR").AsString());
  AsignaPrecioPartida();
  // The amount with the discount the line keeps, so the totals find it as
  // it is and do not price the line again.
  EscribeImporteLinea(*TablaDeta);
  LabelExistencia->setText(TextoExistencia(producto) + QStringLiteral("  *  ") + producto.DSCPR_I);
  CostoDePartida(*TablaDeta, producto);
  TablaDeta->Post();
  CalculaTotales();
  Detalle->SetSelectedIndex(1);
  // The amount kept at four decimals.
  db::Campo& importe = Partida("IMPORTE");
  const std::optional<Dinero> cuatroDecimales = registro::LeeImporte(importe);
  EditaFila(*TablaDeta);
  registro::Escribe(importe, cuatroDecimales);
  if (!EmpaqueVisible()) NuevaPartida();
  ui::SetTag(EditClave, 0);
}

void TFormaCapturaRapida::ProductoNoEncontrado(const QString& texto) {
  if (Conf.CapturaClaves) {
    TFormaAdvertencia pregunta(this);
    pregunta.Label1->setText(kDarDeAlta);
    pregunta.BotonCaptura->show();
    pregunta.ShowModal();
    if (pregunta.Tag() == kRespuestaCaptura) {
      // The quick registration window lives for the occasion when the
      // program made none.
      std::unique_ptr<TFormaClaveRapida> propia;
      if (!FormaClaveRapida()) propia = std::make_unique<TFormaClaveRapida>();
      AltaRapidaProducto(TablaInventario->Carpeta(), texto);
      TablaInventario->Refresh();
    }
  } else {
    MuestraMensaje(kNoEncontrado);
  }
  Detalle->SetSelectedIndex(Detalle->SelectedIndex() - 1);
  ui::SetTag(EditClave, 1);
  Detalle->setFocus(Qt::OtherFocusReason);
  EditClave->setFocus(Qt::OtherFocusReason);
}
