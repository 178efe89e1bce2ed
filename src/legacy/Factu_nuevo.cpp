// A new document of the legacy window and its line capture: F9 posts a
// provisional header (the last number + 1) into the kind's header table and
// opens the capture; the customer typed loads its captions and price list;
// entering a grid column resolves, prices and checks the line. Product
// lookup, prices, reservations and the stock check are the sale screen's
// routines (inventory/RegistroProducto.h, pos/PartidasVenta.h,
// pos/PreciosVenta.h).

#include "foundation/advierte.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/CamposRegistro.h"
#include "inventory/ClaveRapida.h"
#include "inventory/ConPro.h"
#include "inventory/RegistroProducto.h"
#include "legacy/Factu.h"
#include "legacy/FormaTara.h"
#include "platform/Error.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "pos/CaptuRap_comun.h"
#include "pos/EstadoComandos.h"
#include "pos/PartidasVenta.h"
#include "pos/PreciosVenta.h"
#include "pos/XPrecio.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <cmath>

namespace {

const QString kNoGuardadosNuevo = QStringLiteral("No Pueden Guardarse los Datos ha Ocurrido un Error");
const QString kPistaNuevo = QStringLiteral("F9 NUEVO    F10 GUARDAR   F11 IMPRIMIR    Ctrl+B   BUSCAR");
const QString kMascaraTotal = QStringLiteral("##,##0.00");

db::Campo& Fila(db::Dataset& t, const char* campo) { return t.FieldByName(QString::fromLatin1(campo)); }

// The kinds whose lines are filled whatever the stock.
bool SinControlExistencia(const QString& tipo) {
  return tipo == QStringLiteral("Pedido") || tipo == QStringLiteral("Cotización") ||
         tipo == QStringLiteral("Nota de Crédito") || tipo == kBaseDevolucion;
}

}  // namespace

void TFormaFactura::ConectaCapturaFactura() {
  for (QObject* c : {static_cast<QObject*>(BotonNuevo), static_cast<QObject*>(Nuevo1),
                     static_cast<QObject*>(BotonNuevaVenta)})
    AsignaComando(c, this, [this] { BotonNuevoClick(); });
  for (QObject* c : {static_cast<QObject*>(BotonGuardar), static_cast<QObject*>(Guardar1),
                     static_cast<QObject*>(BotonTerminaVenta)})
    AsignaComando(c, this, [this] { BotonGuardarClick(); });
  ui::Conecta(Detalle, &ui::RejillaDatos::ColEnter, this, [this] { DetalleColEnter(); });
  ui::Conecta(EditCLCLI_F, &QLineEdit::editingFinished, this, [this] { EditCLCLI_FExit(); });
}

void TFormaFactura::BotonNuevoClick() {
  EstadoFactura.PrecioAutorizado = false;
  if (!TieneDerecho(usuario->text().toInt(), DerechoAltaFacturacion)) {
    Navegador->setEnabled(false);
    return;
  }
  if (!TablaFacturae->Active() || !estacion_.Tiene()) {
    if (!estacion_.Tiene()) MuestraMensaje(kSinTablaCaptura);
    Navegador->setEnabled(false);
    return;
  }
  try {
    EstadoFactura.ConceptoMovimiento = 3;
    EstadoFactura.MovimientoReutilizado = 0;
    EstadoFactura.ListaPrecio = 0;
    Hora->setText(TextoHora(fs::Ahora().time()));
    Label18->setText(kPistaNuevo);
    db::Tabla& e = *TablaFacturae;
    try {
      e.Refresh();
    } catch (const plat::Error&) {
    }
    e.Last();
    const qint64 ultimo = HayFila(e) ? Fila(e, "CLDOC_F").AsInteger() : 0;
    TipoPago->setCurrentIndex(-1);
    e.Append();
    Fila(e, "BCLIM_F").SetAsString(EstadoFactura.Caja);
    SuCambio->clear();
    LabelPartidas->setText(QStringLiteral("Partidas  0"));
    Fila(e, "CLDOC_F").SetAsInteger(ultimo + 1);
    Fila(e, "CLVEN_F").SetAsString(EstadoFactura.VendedorFijo.isEmpty() ? EstadoFactura.UltimoVendedor
                                                                       : EstadoFactura.VendedorFijo);
    Fila(e, "FEDOC_F").SetAsDate(fs::Hoy());
    e.Post();

    EstadoFactura.ImporteAnterior = Dinero();
    for (QLabel* l : {Nombre, Direccion, Direc2, Poblacion, RFC, CodigoPostal}) l->clear();
    VaciaCapturaFactura();
    EstadoFactura.ReservaClaves.clear();
    EstadoFactura.ReservaCantidades.clear();
    AbreDocumentoNuevoFactura();
    Fila(e, "CLCLI_F").SetAsString(QStringLiteral("1"));
    EditCLCLI_F->setText(QStringLiteral("1"));
    IniciaCapturaFactura();
    SuCambio->setText(QStringLiteral("Cambio 0.00"));
  } catch (const std::exception&) {
    MuestraMensaje(kNoGuardadosNuevo);
  }
  Navegador->setEnabled(false);
}

void TFormaFactura::AbreDocumentoNuevoFactura() {
  ui::SetTag(BotonNuevo, 1);
  ui::SetTag(BotonCambios, 0);
  EstadoFactura.DocumentoNuevo = true;
  Panel4->setEnabled(true);
  EditaFila(*TablaFacturae);
  EditCLCLI_F->show();
  AbreCapturaFactura();
  EditFEDOC_F->setText(fs::Hoy().toString(QStringLiteral("dd/MM/yyyy")));
  CargaImpuestoFactura();
  const QString cero = FormatoImporte(kMascaraTotal, QStringLiteral("0"));
  for (QLabel* total : {SumarTotal, ImpuestoValor, TotalFact}) total->setText(cero);
  HabilitaBotonesFactura(false, false, true, false, false, false, true);
}

void TFormaFactura::IniciaCapturaFactura() {
  if (EstadoFactura.SaltarEncabezado) {
    EditCLCLI_FExit();
    EditaFila(*TablaDeta);
    Fila(*TablaDeta, "CANTIDAD").SetAsFloat(1);
    if (EstadoFactura.IniciaEnClave) EditClave->setFocus(Qt::OtherFocusReason);
    else {
      EditCantidad->setFocus(Qt::OtherFocusReason);
      EditCantidad->selectAll();
    }
  }
  Detalle->SetSoloLectura(false);
  EditCantidad->setReadOnly(false);
  EditClave->setReadOnly(false);
  Impresa->setText(QStringLiteral("No Impresa"));
  ImpresoBitmap->hide();
}

void TFormaFactura::EditCLCLI_FExit() {
  RestauraCampoFactura(3);
  try {
    if (!TablaCliente->Active()) return;
    TablaCliente->SetIndexName(QStringLiteral("ICLACLI"));
    if (!TablaCliente->FindKey({EditCLCLI_F->text()})) return;
    db::Tabla& c = *TablaCliente;
    Nombre->setText(Fila(c, "NOMBR_C").AsString());
    Direccion->setText(Fila(c, "DIREC_C").AsString());
    Direc2->setText(Fila(c, "DIRE2_C").AsString());
    Poblacion->setText(Fila(c, "POBLA_C").AsString());
    RFC->setText(Fila(c, "RFCXX_C").AsString());
    CodigoPostal->setText(Fila(c, "CPXXX_C").AsString());
    const int lista = static_cast<int>(Fila(c, "PREPR_C").AsInteger());
    EstadoFactura.ListaPrecio = lista < 1 ? 0 : lista;
    if (Fila(c, "STATU_C").AsString() == QStringLiteral("I")) {
      MuestraMensaje(QStringLiteral("Cliente Inactivo, tiene que modificar esta clave..."));
      EditCLCLI_F->setFocus(Qt::OtherFocusReason);
    }
  } catch (const std::exception&) {
  }
}

void TFormaFactura::DetalleColEnter() {
  if (!Detalle->isEnabled() || (ui::Tag(BotonNuevo) != 1 && ui::Tag(BotonCambios) != 1)) return;
  if (!TablaDeta->Active()) return;
  db::Tabla& d = *TablaDeta;
  switch (Detalle->SelectedIndex()) {
    case 0:
      try {
        CalculaTotalesFactura();
        SumarTotal->setText(FormatoMascara(kMascaraTotal, EstadoFactura.Subtotal));
      } catch (const std::exception&) {
      }
      break;
    case 1:
      if (Fila(d, "CANTIDAD").AsString().isEmpty()) {
        Detalle->SetSelectedIndex(0);
        return;
      }
      EditaFila(d);
      break;
    case 2:
      ResuelvePartidaFactura();
      break;
    case 3:
      if (EstadoFactura.DescuentosClienteLinea && TablaInventario->Active() &&
          TablaInventario->FindKey({Fila(d, "CLAVE").AsString()})) {
        EditaFila(d);
        Fila(d, "DESCUENTO").SetAsFloat(DescuentoClienteLinea(CarpetaDatos(), EditCLCLI_F->text(),
                                                              Fila(*TablaInventario, "LIPRO_I").AsString()));
      }
      EstadoFactura.PrecioAutorizado = false;
      break;
    case 4: {
      if (!EstadoFactura.PrecioAutorizado) {
        Detalle->SetSelectedIndex(0);
        MuestraMensaje(QStringLiteral("No Tiene Acceso a Precios"));
      }
      QStringList precios;
      if (TablaInventario->Active() && TablaInventario->FindKey({Fila(d, "CLAVE").AsString()}))
        for (const char* c : {"PLIS2_I", "PLIS3_I", "PLIS4_I", "PMINI_I"}) precios << Fila(*TablaInventario, c).AsString();
      Detalle->SetListaColumna(4, precios);
      break;
    }
    case 5: {
      EditaFila(d);
      const double cantidad = Fila(d, "CANTIDAD").AsFloat();
      const double precio = Fila(d, "PRECIO").AsFloat();
      Fila(d, "IMPORTE").SetAsFloat(
          Redondea(3, cantidad * precio - Fila(d, "DESCUENTO").AsFloat() * cantidad * precio / 100));
      EstadoFactura.PrecioAutorizado = false;
      break;
    }
    default:
      break;
  }
}

Dinero TFormaFactura::PrecioPorListaFactura(int lista) {
  if (lista > 7) return Dinero();
  const TRegistroProducto producto = ProductoActual(*TablaInventario);
  db::Campo& precio = Fila(*TablaDeta, "PRECIO");
  const PrecioDeLista p = PrecioLista(producto, lista < 1 ? 1 : lista, registro::LeeImporte(precio));
  registro::Escribe(precio, p.precio);
  return p.resultado;
}

void TFormaFactura::AcumulaReservasFactura() {
  PostPendiente(*TablaDeta);
  SumaCantidadesPorClave(*TablaTotal, EstadoFactura.ReservaClaves, EstadoFactura.ReservaCantidades);
}

bool TFormaFactura::VerificaExistenciaFactura() {
  db::Tabla& p = *TablaInventario;
  double r = CantidadDeClave(EstadoFactura.ReservaClaves, EstadoFactura.ReservaCantidades,
                             Fila(*TablaDeta, "CLAVE").AsString());
  if (r == 0) r = Fila(*TablaDeta, "CANTIDAD").AsFloat();
  const double existencia = Fila(p, "EXIST_I").AsFloat();
  const double faltante = Redondea(4, existencia - r);
  if (faltante >= 0 || Fila(p, "LIPRO_I").AsString().toUpper() == kLineaServicio ||
      EstadoFactura.FacturarSinExistencias != QStringLiteral("N"))
    return true;
  MuestraMensaje(QStringLiteral("Las Compras son Superiores a las Existencias ") + TextoReal(existencia) +
                 QStringLiteral(" Solicitado ") + TextoReal(r));
  const QString tipo = Base->currentText();
  if (tipo == QStringLiteral("Factura") || tipo == kBaseRemision) Detalle->SetSelectedIndex(0);
  return false;
}

void TFormaFactura::NuevaPartidaFactura() {
  db::Tabla& d = *TablaDeta;
  PostPendiente(d);
  d.Last();
  if (Fila(d, "CLAVE").AsString().isEmpty() || Fila(d, "PRODUCTO").AsString().isEmpty()) return;
  d.Append();
  Fila(d, "CANTIDAD").SetAsFloat(1);
}

void TFormaFactura::ResuelvePartidaFactura() {
  db::Tabla& d = *TablaDeta;
  db::Tabla& inventario = *TablaInventario;
  if (Fila(d, "CANTIDAD").AsString().isEmpty()) {
    Detalle->SetSelectedIndex(1);
    return;
  }
  try {
    const QString tecleada = Fila(d, "CLAVE").AsString().trimmed();
    // The text as a key or a code; else as a description near enough to
    // open the lookup on it.
    QString clave;
    if (!tecleada.isEmpty() && tecleada != kClaveComentario && LocalizaProducto(inventario, tecleada))
      clave = Fila(inventario, "CLPRO_I").AsString();
    if (clave.isEmpty() && !tecleada.isEmpty() && tecleada != kClaveComentario) {
      const double parecido = SemejanzaDescripcion(inventario, tecleada);
      inventario.SetIndexName(QStringLiteral("ICLPRO"));
      if (parecido > 0.6) {
        LabelPartidas->setText(TextoReal(parecido));
        QString elegida;
        BuscaProductoPorOrden(tecleada, 1, 2, true, elegida);
        if (!elegida.isEmpty() && elegida != kClaveComentario && inventario.FindKey({elegida})) clave = elegida;
      }
    }
    if (clave.isEmpty()) {
      if (tecleada != kClaveComentario) {
        if (EstadoFactura.CapturaClaves) {
          TFormaAdvertencia pregunta(this);
          pregunta.Label1->setText(QStringLiteral("El Producto No Se encuentra...¿Desea darlo de Alta?"));
          // The answer that registers the product is this button's.
          pregunta.BotonCaptura->show();
          pregunta.ShowModal();
          if (pregunta.Tag() == 2) {
            AltaRapidaProducto(inventario.Carpeta(), tecleada);
            try {
              inventario.Refresh();
            } catch (const plat::Error&) {
            }
          }
        } else {
          MuestraMensaje(QStringLiteral("El Producto No Se encuentra"));
        }
        Detalle->SetSelectedIndex(1);
        EditClave->setProperty("Tag", 1);
        EditClave->setFocus(Qt::OtherFocusReason);
      }
      return;
    }
    EditaFila(d);
    Fila(d, "CLAVE").SetAsString(clave);
    TRegistroProducto producto = ProductoActual(inventario);
    if (producto.FACTO_I.value_or(0) > 0) {
      const double neta = PideTara(Fila(d, "CANTIDAD").AsFloat(), *producto.FACTO_I, producto.EXIFA_I.value_or(0));
      EditaFila(d);
      Fila(d, "CANTIDAD").SetAsFloat(neta);
    }
    AcumulaReservasFactura();
    inventario.FindKey({clave});
    const bool alcanza = VerificaExistenciaFactura();
    EditaFila(d);
    if (!alcanza && producto.LIPRO_I.toUpper() != kLineaServicio &&
        EstadoFactura.FacturarSinExistencias == QStringLiteral("N") && !SinControlExistencia(Base->currentText())) {
      EditClave->setProperty("Tag", 0);
      return;
    }
    Fila(d, "PRODUCTO").SetAsString(producto.DSCPR_I);
    const double factor = FactorDeProducto(producto);
    Fila(d, "FACTOR").SetAsFloat(factor);
    LabelFactor->setText(TextoReal(factor));
    const double cantidad = Fila(d, "CANTIDAD").AsFloat();
    if (EstadoFactura.ListaPrecio > 0 || !EstadoFactura.PoliticasPrecios)
      PrecioPorListaFactura(EstadoFactura.ListaPrecio);
    else
      registro::Escribe(Fila(d, "PRECIO"), std::optional(PrecioPorVolumen(producto, cantidad, 1.0)));
    if (EstadoFactura.DescuentosClienteLinea) {
      const double descuento = DescuentoClienteLinea(CarpetaDatos(), EditCLCLI_F->text(), producto.LIPRO_I);
      const Dinero publico = producto.PPUBL_I.value_or(Dinero());
      registro::Escribe(Fila(d, "PRECIO"), std::optional(publico - publico * (descuento / 100)));
    }
    Fila(d, "UNIDAD").SetAsString(producto.UMEDI_I);
    const double precio = Fila(d, "PRECIO").AsFloat();
    Fila(d, "IMPORTE").SetAsFloat(cantidad * precio - Fila(d, "DESCUENTO").AsFloat() * cantidad * precio / 100);
    const double impuesto = producto.PIVA1_I.value_or(0);
    Fila(d, "IMPUESTO").SetAsFloat(impuesto);
    Fila(d, "DESCUENTO").SetAsFloat(producto.DESCU_I.value_or(0));
    if (const auto costo = CostoDeProducto(producto)) {
      registro::Escribe(Fila(d, "COSTO"), std::optional(*costo * (1 / (1 + impuesto / 100))));
    }
    d.Post();
    try {
      CalculaTotalesFactura();
    } catch (const std::exception&) {
    }
    Detalle->SetSelectedIndex(1);
    EditaFila(d);
    Fila(d, "IMPORTE").SetAsFloat(Redondea(4, Fila(d, "IMPORTE").AsFloat()));
    d.Post();
    if (!EditEmpaque->isVisible()) NuevaPartidaFactura();
    EditClave->setProperty("Tag", 0);
  } catch (const std::exception&) {
    MuestraMensaje(QStringLiteral("Error en la Clave"));
    EditClave->clear();
    try {
      PostPendiente(d);
    } catch (const std::exception&) {
    }
    Detalle->SetSelectedIndex(1);
  }
  EditCantidad->setFocus(Qt::OtherFocusReason);
}
