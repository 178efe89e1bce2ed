// The sale screen's creation and show: the option files of the station and
// the configuration lines its handlers use.

#include "foundation/BotonEsquinado.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_usuarios.h"
#include "formats/Interprete.h"
#include "platform/Error.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Componentes.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/RegistroCaja.h"
#include "shell/LineasConfiguracion.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>

namespace {

const QString kS = QStringLiteral("S");

QString Consulta(const QString& archivo) { return CarpetaPrograma(QStringLiteral("\\consulta\\")) + archivo; }

int Entero(const QString& texto) { return static_cast<int>(ValorNumerico(texto)); }

// Runs `accion` with the first line of an optional file of the program
// folder, when the file is there; a file that cannot be read is ignored.
template <class Accion>
void ConPrimeraLineaSinErrores(const QString& archivo, Accion&& accion) {
  try {
    if (const std::optional<QString> linea = PrimeraLinea(archivo)) accion(*linea);
  } catch (const plat::Error&) {
  }
}

}  // namespace

void TFormaCapturaRapida::FormCreate() {
  FactorPrecioPago = 1.0;
  RutaDatosVenta = LineaConf(ConfCarpetaDatos);
  // PaintBox1 follows PanelSuma in FormResize; Panel2's colour is kept in
  // colorPanel2_ for MuestraEstadoCaptura.
  LeeOpcionesVenta();
  FormResize();

  const bool descuentoLibre = LineaConf(ConfDescuentoGlobal) == kS;
  EditDESFI_F->setReadOnly(!descuentoLibre);
  BoronDescuento->setVisible(!descuentoLibre);
  FijaFormatosRegionales();

  LineaFormatoDocumento = ConfFormatoRemision;
  FormatoTicket = Consulta(LineaConf(LineaFormatoDocumento));
  UltimoVendedor.clear();
  DocumentoOrigen.clear();

  Conf.DigitosCantidad = Entero(LineaConf(ConfDigitosCantidad));
  Conf.DigitosTotal = Entero(LineaConf(ConfDigitosTotal));
  Conf.CapturaClaves = LineaConf(ConfCapturaClaves) == kS;
  Conf.PoliticasPrecios = LineaConf(ConfPoliticasPrecios) == kS;
  MascaraCantidad.clear();
  if (Conf.DigitosCantidad > 0)
    MascaraCantidad = (QStringLiteral("##,##0.") + QString(Conf.DigitosCantidad, u'0')).left(20);

  Funciones->setText(QStringLiteral("F2 -> Buscar Producto\rF3 -> Repite el último Movimiento\r"
                                    "F4 -> Salta a Cantidad\rF5 -> Ingresar Efectivo\r"));
  ClavesReservadas.clear();
  CantidadesReservadas.clear();

  LeeEspecial();
  if (PrimeraLinea(QStringLiteral("Serial.cnf")) == kS) {
    ConfigurarLectorSerial1->setChecked(true);
    setWindowTitle(windowTitle() + QStringLiteral("    Conectado a Puerto Serial..."));
  }

  Conf.DescuentosClienteLinea = LineaConf(ConfDescuentosClienteLinea) == kS;
  Conf.PagosCaja = LineaConf(ConfPagosCaja).left(2);
  Conf.BusquedaAvanzada = LineaConf(ConfBusquedaAvanzada) == kS;
  // A limit that is no whole number is 1000 lines.
  bool entero = false;
  Conf.MaximoPartidas = LineaConf(ConfMaximoPartidas).trimmed().toInt(&entero);
  if (!entero) Conf.MaximoPartidas = 1000;
  ConceptoMovimiento = 3;

  fs::EscribeAtomico(CarpetaPrograma(QStringLiteral("\\ventas.dat")), QByteArray());

  if (OcultarVendedor1->isChecked()) {
    EditCLVEN_F->setEchoMode(QLineEdit::Password);
    EditCLVEN_F->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
  }
  BitacoraVenta = LineaConf(ConfBitacora) == kS;
}

void TFormaCapturaRapida::LeeOpcionesVenta() {
  // A missing or short file is reported; what it lacks reads as "N" (and
  // the shortcut captions keep their own).
  const QString ruta = CarpetaPrograma(QStringLiteral("\\") + kArchivoOpcionesEncabezado);
  QStringList lineas;
  try {
    lineas = LeeOpcionesEncabezado();
    if (lineas.size() < kLineasOpcionesVenta)
      throw plat::Error(plat::Clase::Corrupto, QStringLiteral("El Archivo %1 tiene %2 de las %3 líneas de opciones")
                                                   .arg(ruta)
                                                   .arg(lineas.size())
                                                   .arg(kLineasOpcionesVenta));
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
  const auto marca = [&](QAction* item, int linea) {
    item->setChecked(lineas.value(linea - 1) == kS);
    return item->isChecked();
  };
  OpcionSaltarEncabezado = marca(SaltarEncabezado1, 1);
  OpcionIniciaEnClave = marca(IniciaenClave1, 2);
  QAction* const atajos[] = {CtrlF11, CtrlF21, CtrlF31, CtrlF41, CtrlF51, CtrlF61};
  for (int i = 0; i < 6; ++i)
    if (2 + i < lineas.size()) atajos[i]->setText(lineas[2 + i]);
  QFont totales = PanelSuma->font();
  totales.setFamily(marca(VerTotalesenformatoDigital1, 9) ? QStringLiteral("Digiface") : QStringLiteral("Courier New"));
  PanelSuma->setFont(totales);
  marca(GuardareImprimirconF101, 10);
  marca(IniciaenVendedor1, 11);
  marca(PersonalizarDetalle1, 12);
  marca(IntegrarIdentificadorTelefnico1, 13);
  if (marca(HabilitarBascula1, 14)) {
    for (QWidget* w : {static_cast<QWidget*>(BotonReset), static_cast<QWidget*>(EditPeso), shPortOpen,
                       static_cast<QWidget*>(StaticText6), static_cast<QWidget*>(BotonBascula)})
      w->show();
  }
  // Lines 15 and 16 hold the turns of the last session; a screen starts
  // without a turn.
  SinTurno1->setChecked(true);
  N011->setChecked(false);
  N021->setChecked(false);
  marca(OcultarVendedor1, 17);
  if (marca(VerSoloTotal1, 18)) {
    for (QLabel* l : {SumarTotal, ImpuestoValor, Label12, Label22}) l->hide();
  }
  Conf.ImpuestosPorPartida = LineaConf(ConfImpuestosPorPartida) == kS;
}

void TFormaCapturaRapida::LeeEspecial() {
  const QString archivo = QStringLiteral("especial.cnf");
  if (!fs::ExisteArchivo(CarpetaPrograma(QStringLiteral("\\") + archivo))) return;
  const QStringList lineas = fs::LeeLineas(CarpetaPrograma(QStringLiteral("\\") + archivo));
  OpcionTara = lineas.value(0) == kS;
  if (OpcionTara) {
    VerCampoTara1->setChecked(true);
    EditClave->resize(EditClave->width() - EditTARA->width() - 5, EditClave->height());
  }
  CampoTaraProducto = lineas.value(1).left(25);
  ValorTaraProducto = lineas.value(2).left(25);
  OpcionHerrajesF5 = lineas.value(3) == QStringLiteral("HERRAJES_F5");
  OpcionSinFecha = lineas.value(4) == QStringLiteral("SIN_FECHA");
}

void TFormaCapturaRapida::FormShow() {
  LeeFolios();
  ui::RedondeaRegion(*Panel8, 15, 15);
  FijaUsuarioImpresion(QStringLiteral("-1"));
  setWindowState(windowState() | Qt::WindowMaximized);
  Conf.FacturarSinExistencias = LineaConf(ConfFacturarSinExistencias).left(1);
  LeeCaja();
  Conf.IntegraInventario = QStringLiteral("N");

  const QString pagos = fs::Une(RutaDatosVenta, QStringLiteral("pagos.cnf"));
  if (fs::ExisteArchivo(pagos)) {
    TipoPago->clear();
    TipoPago->addItems(fs::LeeLineas(pagos));
  }

  const bool esAdministrador = usuario->text() == QStringLiteral("0");
  Permite(Reportes1->menuAction(), Derecho(DerechoReportesFacturacion));
  if (!esAdministrador) DesactivaMenusInactivos();
  ReportesPermitidos = Permitido(Reportes1->menuAction());

  HabilitaTerminaVenta(false);

  ConPrimeraLineaSinErrores(QStringLiteral("empaque.cnf"), [this](const QString& linea) {
    const bool empaque = linea == kS;
    for (QWidget* w : {static_cast<QWidget*>(LabelEmpaque), static_cast<QWidget*>(EditEmpaque),
                       static_cast<QWidget*>(LabelFactor)})
      w->setVisible(empaque);
    CapturaporEmpaque1->setChecked(empaque);
  });
  ConPrimeraLineaSinErrores(QStringLiteral("Pagos.cnf"), [this](const QString& linea) {
    const bool pago = linea == kS;
    CAMBIO_F->setReadOnly(!pago);
    HabilitarPago1->setChecked(pago);
    Permite(ImprimiryAsignarCaja1, pago);
  });
  if (PersonalizarDetalle1->isChecked()) AplicaAnchosDetalle();

  UsuarioRestringido = Derecho(DerechoLimitarVendedor);
  Navegador->setVisible(!UsuarioRestringido);
  Navegador->setEnabled(!UsuarioRestringido);
  if (PrimeraLinea(QStringLiteral("mdf.cnf")) == kClaveModificacion) {
    ModificacionDesbloqueada = true;
    Modificar1->setVisible(true);
  }
  if (LineaConf(ConfCarpetaFacturaElectronica) == kS) Caja->hide();
  OpcionMI = PrimeraLinea(QStringLiteral("mi.cnf")) == QStringLiteral("con movimientos");
  Conf.NumerosSerie = LineaConf(ConfNumerosSerie) == kS;
  Conf.Kits = LineaConf(ConfKits) == kS;
  OcultaReportesBloqueados();
  if (LineaConf(ConfTurnos) == kS && NumeroUsuario() > 0) {
    SinTurno1->setChecked(true);
    N011->setChecked(false);
    N021->setChecked(false);
  }
  const QString acumulado = LineaConf(ConfTotalAcumulado);
  Conf.TotalAcumulado = acumulado.isEmpty() ? 0 : ValorNumerico(acumulado);
  FacturaeImprimir1->setVisible(LineaConf(ConfSoloCodigoBidimensional) == kS);
  Conf.ConCortes = LineaConf(ConfConCortes) == kS;
  Conf.CxCRemisiones = LineaConf(ConfCxCRemisiones) == kS;
  Conf.BloqueaPorAdeudos = LineaConf(ConfBloqueaPorAdeudos) == kS;
  Conf.PagarCxCMostrador = LineaConf(ConfPagarCxCMostrador) == kS;
  if (LineaConf(ConfBloqueaCambioVendedor) == kS) EditCLVEN_F->setReadOnly(true);
}

void TFormaCapturaRapida::LeeCaja() {
  CajaActual.clear();
  VendedorCaja.clear();
  // A file without a first record is reported and the show goes on.
  try {
    const std::optional<TRegistroCaja> caja = LeePrimeraCaja(CarpetaPrograma(QString()));
    if (!caja) return;
    CajaActual = caja->Caja.left(10);
    VendedorCaja = usuario->text().left(10);
    if (!caja->Formato.isEmpty()) FormatoTicket = Consulta(caja->Formato);
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}

void TFormaCapturaRapida::AplicaAnchosDetalle() {
  const QString ruta = CarpetaPrograma(QStringLiteral("\\detalle.dat"));
  if (!fs::ExisteArchivo(ruta)) return;
  const QStringList lineas = fs::LeeLineas(ruta);
  for (int i = 0; i < lineas.size() && i < Detalle->Columnas(); ++i) {
    bool numero = false;
    const int ancho = lineas[i].trimmed().toInt(&numero);
    // A width of 0 or less hides the column, as it did in the grid it came from.
    if (numero) Detalle->SetAnchoColumna(i, ancho > 0 ? ancho : -1);
  }
}

bool TFormaCapturaRapida::Derecho(int posicion) const {
  bool numero = false;
  const int usuarioActual = usuario->text().toInt(&numero);
  return numero && TieneDerechoSinAviso(usuarioActual, posicion);
}
