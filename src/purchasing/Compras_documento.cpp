// The purchase window's document routines: the kind's tables, a new
// document in the provisional header, its final number, the header and
// lines shown, the capture table and the totals.

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_tablas.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Colores.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/Forma.h"
#include "inventory/RegistroProducto.h"
#include "pos/CaptuRap_comun.h"
#include "pos/TablaCaptura.h"
#include "purchasing/Compras.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>

#include <vector>

namespace {

const QString kCampoNumero = QStringLiteral("CLDOC_O");

QString Texto(const db::Dataset& d, const char* campo) { return d.FieldByName(QString::fromLatin1(campo)).AsString(); }
double Real(const db::Dataset& d, const char* campo) { return d.FieldByName(QString::fromLatin1(campo)).AsFloat(); }

// A percentage typed in a header edit; a text that is no number is refused
// as the class library's conversion did.
double Porcentaje(const QString& texto) {
  double valor = 0;
  if (!LeeReal(texto, valor))
    throw plat::Error(plat::Clase::Conversion, QStringLiteral("'%1' no es un valor numérico válido").arg(texto));
  return valor;
}

// A header edit left empty shows "0".
void CeroSiVacio(QLineEdit* edit) {
  if (edit->text().trimmed().isEmpty()) edit->setText(QStringLiteral("0"));
}

// A saved line as the capture table holds it.
struct PartidaGuardada {
  double cantidad, precio, d1, d2, d3, cajas, empaque, utilidad, impuesto;
  QString clave, producto, caducidad, precioCliente;
  bool conUtilidad;
};

}  // namespace

bool TFormaCompras::EnAlta() const { return ui::Tag(BotonNuevo) == 1; }
bool TFormaCompras::EnCambio() const { return ui::Tag(BotonCambios) == 1; }
int TFormaCompras::NumeroUsuario() const { return Usuario->text().trimmed().toInt(); }

bool TFormaCompras::HayEncabezado() const { return TablaComprasE->Active() && HayFila(*TablaComprasE); }

void TFormaCompras::CambiaTipoCompra(QChar letra) {
  const TipoCompra* tipo = TipoCompraDe(letra);
  if (!tipo) return;
  TablaComprasE->Close();
  TablaComprasD->Close();
  ApuntaTabla(*TablaComprasE, tipo->encabezado);
  TablaComprasE->SetIndexName(kTagEncabezadoCompra);
  ApuntaTabla(*TablaComprasD, tipo->partidas);
  TablaComprasD->SetIndexName(kTagPartidaCompra);
  if (!Recepcin1->property("pendiente").toBool()) Recepcin1->setEnabled(letra.toUpper() == u'O');
  AbreTabla(*TablaComprasE);
  AbreTabla(*TablaComprasD);
}

bool TFormaCompras::NuevoDocumentoCompra() {
  if (!TieneDerecho(NumeroUsuario(), DerechoAltaCompras)) return false;
  NumeroMovimientoCompra = 0;
  TablaComprasE->SetIndexName(kTagEncabezadoCompra);
  TotalAnteriorCompra = Dinero();
  const TipoCompra* tipo = TipoCompraDe(TextoTipoCompra);
  if (!tipo) tipo = TipoCompraDe(u'R');

  // The last number of the shared table, as other stations left it.
  TablaComprasE->Refresh();
  TablaComprasE->Last();
  const qint64 ultimo = TablaComprasE->IsEmpty() ? 0 : TablaComprasE->FieldByName(kCampoNumero).AsInteger();

  CreaEncabezadoLocalCompra(*TablaComprasE, CarpetaLocalCompras, tipo->encabezado);
  HabilitaEncabezadoCompra();
  LimpiaDatosProveedor();
  TablaComprasE->Append();
  TablaComprasE->FieldByName(kCampoNumero).SetAsInteger(ultimo + 1);
  TablaComprasE->FieldByName(QStringLiteral("proceso")).SetAsString(QStringLiteral("N"));
  TablaComprasE->FieldByName(QStringLiteral("FEDOC_O")).SetAsDate(fs::Hoy());
  TablaComprasE->FieldByName(QStringLiteral("FEREC_O")).SetAsDate(fs::Hoy());
  TablaComprasE->Post();
  TablaComprasE->Edit();
  EditCLPRV_O->setFocus(Qt::OtherFocusReason);

  // A capture table that cannot be packed is only emptied: the document
  // goes on.
  try {
    VaciaCapturaCompra();
  } catch (const plat::Error&) {
  }
  HabilitaBotonesCompra(false, false, true, true, false, false, false);
  ui::SetTag(BotonNuevo, 1);
  ui::SetTag(BotonCambios, 0);
  Estado->setText(QStringLiteral("Nueva"));
  PintaEncabezado(true);
  return true;
}

qint64 TFormaCompras::AsignaNumeroFinalCompra() {
  const TipoCompra* tipo = TipoCompraDe(TextoTipoCompra);
  const QString archivo = tipo ? tipo->encabezado : TablaComprasE->NombreTabla();
  return ::AsignaNumeroFinalCompra(*TablaComprasE, TablaComprasD->Carpeta(), archivo);
}

void TFormaCompras::NumeraEncabezadoCompra() {
  if (!HayEncabezado()) return;
  ::NumeraEncabezadoCompra(*TablaComprasE, Folios.base + Folios.ajuste);
}

void TFormaCompras::LeeFoliosCompra() {
  if (!RutaDatosCompras.isEmpty()) ::LeeFoliosCompra(RutaDatosCompras, Folios);
}

void TFormaCompras::LeeNumeroCompras() {
  db::Tabla numeros;
  ApuntaTabla(numeros, QStringLiteral("NUMEROC.DBF"));
  numeros.SetReadOnly(true);
  numeros.Open();
  numeros.First();
  const qint64 numero = numeros.IsEmpty() ? 0 : numeros.FieldByName(QStringLiteral("NUMERO")).AsInteger();
  NumeroCompras = numero > 0 ? numero - 1 : numero;
}

void TFormaCompras::PreparaTablasCompra() {
  RutaDatosCompras = LineaConf(ConfCarpetaDatos);
  Conf.PrecioEnCompra = LineaConf(ConfPrecioEnCompra);
  Conf.BasesAbiertas = LineaConf(ConfBasesAbiertas);
  CarpetaLocal(CarpetaLocalCompras);
  const db::Carpetas carpetas = CarpetasEmpresa();
  const auto tablas = findChildren<db::Tabla*>();
  for (db::Tabla* t : tablas) {
    try {
      t->Close();
      // The header table opens on the shared table of the kind shown.
      if (t == TablaComprasE) {
        const TipoCompra* tipo = TipoCompraDe(TextoTipoCompra);
        t->SetNombreTabla(tipo ? tipo->encabezado : QStringLiteral("ComprasE.dbf"));
      }
      if (t == TablaDeta || t == TablaTotalCompra) t->SetCarpeta(CarpetaLocalCompras);
      else ApuntaTabla(*t, carpetas);
      AbreTabla(*t);
    } catch (const std::exception&) {
      MuestraMensaje(kErrorAbrirTablasCompra + t->NombreTabla());
    }
  }
  Conf.ExistenciasNegativas = LineaConf(ConfExistenciasNegativas).left(1);
}

void TFormaCompras::MuestraEncabezadoCompra() {
  if (!HayEncabezado()) {
    LimpiaDatosProveedor();
    NoDesglosado->setChecked(false);
    MuestraEstadoCompra();
    return;
  }
  // A header another station holds keeps showing its 0 until the next time.
  try {
    NumeraEncabezadoCompra();
  } catch (const plat::Error&) {
  }
  Nombre->setText(Texto(*TablaComprasE, "NOMBR_O"));
  Direccion->setText(Texto(*TablaComprasE, "DIREC_O"));
  Poblacion->setText(Texto(*TablaComprasE, "POBLA_O"));
  NoDesglosado->setChecked(Texto(*TablaComprasE, "TREGI_O") == QStringLiteral("S"));
  if (const db::Campo* moneda = TablaComprasE->FindField(QStringLiteral("MONED_O")))
    EditDIVIS_O->setEditText(moneda->AsString());
  MuestraEstadoCompra();
}

void TFormaCompras::CargaPartidasCompra(const QString& control, const QString& numero) {
  VaciaCapturaCompra();
  if (!TablaComprasD->Active() || numero.isEmpty()) return;
  std::vector<PartidaGuardada> partidas;
  db::Tabla& d = *TablaComprasD;
  d.SetRange({numero}, {numero});
  for (d.First(); !d.Eof(); d.Next()) {
    if (Texto(d, "CONTROL") != control) continue;
    partidas.push_back({Real(d, "CANTI_OD"), Real(d, "CUNIT_OD"), Real(d, "PODES_OD"), Real(d, "PODE2_OD"),
                        Real(d, "PODE3_OD"), Real(d, "CAJAS_OD"),
                        d.FindField(QStringLiteral("EMPAQ_OD")) ? Real(d, "EMPAQ_OD") : 0, Real(d, "PIVAX_OD"),
                        Real(d, "POIVA_OD"), Texto(d, "CLPRO_OD"), Texto(d, "DESCR_OD"), Texto(d, "CADUC_OD"),
                        Texto(d, "PRECL_OD"), true});
  }
  d.CancelRange();
  db::Tabla& c = *TablaDeta;
  for (const PartidaGuardada& p : partidas) {
    c.Append();
    try {
      const auto fija = [&c](const char* campo, double valor) {
        c.FieldByName(QString::fromLatin1(campo)).SetAsFloat(valor);
      };
      fija("CANTIDAD", p.cantidad);
      c.FieldByName(QStringLiteral("CLAVE")).SetAsString(p.clave);
      c.FieldByName(QStringLiteral("PRODUCTO")).SetAsString(p.producto);
      fija("PRECIO", p.precio);
      fija("DESCUENTO", p.d1);
      fija("DESCUENTO2", p.d2);
      fija("DESCUENTO3", p.d3);
      fija("CAJAS", p.cajas);
      c.FieldByName(QStringLiteral("CADUCIDAD")).SetAsString(p.caducidad);
      fija("PRECIOCLIENTE", ValorNumerico(p.precioCliente));
      fija("EMPAQUE", p.empaque);
      if (p.conUtilidad) fija("PCON_IVA", p.utilidad);
      const double neto = p.precio * (1 - p.d1 / 100) * (1 - p.d2 / 100) * (1 - p.d3 / 100);
      fija("IMPORTE", Dinero::DeReal(neto * p.cantidad).Real());
      fija("IMPUESTO", p.impuesto);
      c.Post();
    } catch (...) {
      c.Cancel();
      throw;
    }
  }
  c.First();
}

void TFormaCompras::CargaPartidasOrden(const QString& numero) {
  db::Tabla orden;
  ApuntaTabla(orden, QStringLiteral("OrdenDet.dbf"));
  orden.SetIndexName(kTagPartidaCompra);
  orden.SetReadOnly(true);
  orden.Open();
  // Every line of the order, whatever its control: read as the lines of a
  // document whose control they all carry.
  VaciaCapturaCompra();
  orden.SetRange({numero}, {numero});
  for (orden.First(); !orden.Eof(); orden.Next()) {
    const double precio = Real(orden, "CUNIT_OD");
    const double d1 = Real(orden, "PODES_OD"), d2 = Real(orden, "PODE2_OD"), d3 = Real(orden, "PODE3_OD");
    const double cantidad = Real(orden, "CANTI_OD");
    TablaDeta->Append();
    try {
      TablaDeta->FieldByName(QStringLiteral("CANTIDAD")).SetAsFloat(cantidad);
      TablaDeta->FieldByName(QStringLiteral("CLAVE")).SetAsString(Texto(orden, "CLPRO_OD"));
      TablaDeta->FieldByName(QStringLiteral("PRODUCTO")).SetAsString(Texto(orden, "DESCR_OD"));
      TablaDeta->FieldByName(QStringLiteral("PRECIO")).SetAsFloat(precio);
      TablaDeta->FieldByName(QStringLiteral("DESCUENTO")).SetAsFloat(d1);
      TablaDeta->FieldByName(QStringLiteral("DESCUENTO2")).SetAsFloat(d2);
      TablaDeta->FieldByName(QStringLiteral("DESCUENTO3")).SetAsFloat(d3);
      TablaDeta->FieldByName(QStringLiteral("CAJAS")).SetAsFloat(Real(orden, "CAJAS_OD"));
      TablaDeta->FieldByName(QStringLiteral("CADUCIDAD")).SetAsString(Texto(orden, "CADUC_OD"));
      TablaDeta->FieldByName(QStringLiteral("PRECIOCLIENTE")).SetAsFloat(ValorNumerico(Texto(orden, "PRECL_OD")));
      TablaDeta->FieldByName(QStringLiteral("PCON_IVA")).SetAsFloat(Real(orden, "PIVAX_OD"));
      const double neto = precio * (1 - d1 / 100) * (1 - d2 / 100) * (1 - d3 / 100);
      TablaDeta->FieldByName(QStringLiteral("IMPORTE")).SetAsFloat(Dinero::DeReal(neto * cantidad).Real());
      TablaDeta->FieldByName(QStringLiteral("IMPUESTO")).SetAsFloat(Real(orden, "POIVA_OD"));
      TablaDeta->Post();
    } catch (...) {
      TablaDeta->Cancel();
      throw;
    }
  }
  TablaDeta->First();
}

void TFormaCompras::VaciaCapturaCompra() {
  if (!TablaDeta->Active() || !TablaTotalCompra->Active()) return;
  ::VaciaCaptura(*TablaDeta, *TablaTotalCompra);
}

void TFormaCompras::EmpacaTablaCaptura(const QString& carpeta, const QString& archivo) { CompactaTabla(carpeta, archivo); }

void TFormaCompras::LimpiaDatosProveedor() {
  for (QLabel* l : {Nombre, Direccion, Poblacion}) l->clear();
}

void TFormaCompras::FijaProcesoCompra(const QString& letra) {
  if (TablaComprasE->State() != db::Dataset::Estado::Insertando) EditaFila(*TablaComprasE);
  TablaComprasE->FieldByName(QStringLiteral("proceso")).SetAsString(letra);
}

void TFormaCompras::FijaCampoEncabezadoCompra(const QString& columna, qint64 valor) {
  EditaFila(*TablaComprasE);
  TablaComprasE->FieldByName(columna).SetAsInteger(valor);
}

double TFormaCompras::LeeImpuestoCompras() {
  const QString ruta = fs::Une(RutaDatosCompras, QStringLiteral("impuesto.cnf"));
  try {
    ImpuestoCompras = fs::ExisteArchivo(ruta) ? ValorReal(fs::LeeLineas(ruta).value(0)) : 0;
  } catch (const plat::Error&) {
    ImpuestoCompras = 0;
  }
  return ImpuestoCompras;
}

int TFormaCompras::CalculaTotalesCompra() {
  if (!TablaDeta->Active() || !TablaTotalCompra->Active()) return 0;
  PostPendiente(*TablaDeta);
  CeroSiVacio(EditTIMPU_O);
  CeroSiVacio(EditDTOTA_O);
  CeroSiVacio(EditDFINT_O);
  ReglasTotalesCompra reglas;
  reglas.impuestosIncluidos = Conf.ImpuestosPorPartida;
  reglas.noDesglosado = NoDesglosado->isChecked();
  reglas.tasaEncabezado = HayEncabezado() ? Real(*TablaComprasE, "TIMPU_O") : 0;
  reglas.tasa = Porcentaje(EditTIMPU_O->text());
  reglas.descuentoDocumento = Porcentaje(EditDTOTA_O->text());
  reglas.descuentoFinanciero = Porcentaje(EditDFINT_O->text());
  const double descuentoEncabezado = HayEncabezado() ? Real(*TablaComprasE, "DTOTA_O") : 0;
  const std::function<void()> precioCliente = [&] {
    CalculaPrecioCliente(*TablaTotalCompra, descuentoEncabezado, reglas.tasaEncabezado);
  };
  Totales = ::CalculaTotalesCompra(*TablaTotalCompra, reglas, Conf.FormulaCosto ? precioCliente : nullptr);
  if (TablaDeta->State() == db::Dataset::Estado::Navegando) TablaDeta->Refresh();
  const auto importe = [](Dinero valor) {
    return FormatoImporte(QStringLiteral("###,###,##0.00"), valor.Texto(), QStringLiteral("$"));
  };
  EtiImpuesto->setText(importe(Totales.ImpuestoCompra));
  EtiTotal->setText(importe(Totales.TotalCompra));
  EtiSubtotal->setText(importe(Totales.SubtotalCompra));
  return Totales.Partidas;
}

void TFormaCompras::EscribeTotalesCompra() {
  db::Tabla& e = *TablaComprasE;
  const bool propio = !Editando(e);
  try {
    if (propio) e.Edit();
    const auto escribe = [&e](const char* campo, Dinero valor) {
      e.FieldByName(QString::fromLatin1(campo)).SetAsFloat(valor.Real());
    };
    escribe("SUBTO_O", Totales.SubtotalCompra);
    escribe("IMPMO_O", Totales.ImpuestoCompra);
    escribe("IMDOC_O", Totales.TotalCompra);
    escribe("SALDO_O", Totales.TotalCompra - Dinero::DeReal(Real(e, "ABONO_O")));
    if (e.FindField(QStringLiteral("MONED_O"))) e.FieldByName(QStringLiteral("MONED_O")).SetAsString(EditDIVIS_O->currentText());
    e.Post();
  } catch (...) {
    if (propio && Editando(e)) e.Cancel();
    throw;
  }
}

void TFormaCompras::AplicaDescuentosProveedor() {
  if (!Conf.DescuentosCompras || !TablaProveedor->Active() || !HayFila(*TablaProveedor) || !HayFila(*TablaDeta))
    return;
  EditaFila(*TablaDeta);
  const char* const campos[][2] = {{"DESCUENTO", "DESC1_P"}, {"DESCUENTO2", "DESC2_P"}, {"DESCUENTO3", "DESC3_P"}};
  for (const auto& [captura, proveedor] : campos)
    TablaDeta->FieldByName(QString::fromLatin1(captura)).SetAsFloat(Real(*TablaProveedor, proveedor));
}

QString TFormaCompras::ClavePorCodigo(const QString& codigo) const {
  return ::ClavePorCodigo(TablaInventario->Carpeta(), codigo);
}

void TFormaCompras::GeneraOrdenPorMaximo(const QString& proveedor) {
  ::GeneraOrdenPorMaximo(*TablaInventario, *TablaDeta, proveedor);
}

void TFormaCompras::GeneraCompraSugerida() {
  const QString proveedor = EditCLPRV_O->text().trimmed();
  if (proveedor.isEmpty() || !EnAlta()) {
    MuestraMensaje(QStringLiteral("No se Puede Generar el Pedido Sugerido..."));
    return;
  }
  ::GeneraCompraSugerida(*TablaInventario, *TablaDeta, proveedor);
}

double TFormaCompras::EvaluaFormulaCosto() {
  QStringList resultado;
  const double precio =
      ::EvaluaFormulaCosto(MemoFormula->toPlainText().split(u'\n'), resultado, *TablaDeta, *TablaComprasE,
                           *TablaInventario);
  MemoResultado->setPlainText(resultado.join(u'\n'));
  return precio;
}
