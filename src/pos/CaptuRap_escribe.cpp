// A document of the sale screen written by kind: the save switch, the
// header row from the screen, a line row for each captured line, the check
// of a line against its product, the stock snapshot of a line, the old lines
// of a changed document deleted, and the one way every row of a document is
// written.
//
// A row that cannot be written (a table another station keeps busy past the
// table layer's retries, a value that does not fit) stops the writing: the
// error, naming the table, reaches the save, the capture keeps every line
// and the screen stays in capture, so the cashier can save again.

#include "foundation/dialogos.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "inventory/CamposRegistro.h"
#include "inventory/RegistroProducto.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/Forma.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/DocumentosVenta.h"
#include "pos/PartidasDocumento.h"
#include "pos/PartidasVenta.h"
#include "pos/PlanGuardado.h"
#include "pos/TablaCaptura.h"
#include "foundation/UnidadTrabajo.h"
#include "pos/XPrecio.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

bool EsLetra(QChar letra, const char* letras) {
  for (const char* l = letras; *l; ++l)
    if (letra == QLatin1Char(*l)) return true;
  return false;
}

}  // namespace

bool TFormaCapturaRapida::ValidaClienteDocumento() {
  // A save checks the customer it began with.
  const QString cliente = plan_ ? plan_->Valor(QStringLiteral("CLCLI_F")).toString() : EditCLCLI_F->text();
  if (!cliente.isEmpty()) return true;
  MuestraMensaje(QStringLiteral("No se puede Guardar la Factura faltan datos del Cliente"));
  return false;
}

void TFormaCapturaRapida::GuardaPorTipo(QChar letra) {
  if (!plan_) {
    GuardaSuelto(letra);
    return;
  }
  if (plan_->modo != PlanGuardado::Modo::Cambio) {
    if (ValidaClienteDocumento() && EsLetra(letra, "FRPNXCDZ")) {
      EscribeDocumento(letra);
      if (EsLetra(letra, "FZ")) SaldoClienteGuardado();
    }
  } else if (EsLetra(letra, "CPRFZ")) {
    // The old lines went before the header was written (BorraPartidasAnteriores).
    EscribeDocumento(letra);
    if (EsLetra(letra, "FZ")) SaldoClienteGuardado();
  }
  ui::SetTag(BotonNuevo, 0);
  ui::SetTag(BotonCambios, 0);
  BloqueaCaptura();
}

void TFormaCapturaRapida::GuardaSuelto(QChar letra) {
  UnidadTrabajo* diario = Diario();
  if (!diario) throw plat::Error(plat::Clase::NoExiste, kSinTablaCaptura);
  if (!diario->Pendiente()) {
    const bool nuevo = ui::Tag(BotonNuevo) == 1;
    const bool cambio = ui::Tag(BotonCambios) == 1;
    if (!nuevo && !cambio) {
      BloqueaCaptura();
      return;
    }
    PlanGuardado plan = PlanDePantalla(letra, nuevo, cambio);
    if (!cambio) plan.modo = PlanGuardado::Modo::Derivado;
    diario->Inicia(plan.Datos());
  }
  try {
    EjecutaGuardado(PlanGuardado::De(diario->Inicio()));
  } catch (...) {
    if (!diario->HayEscrituras()) diario->Termina();
    else BloqueaCaptura();
    throw;
  }
  diario->Termina();
}

void TFormaCapturaRapida::EscribeDocumento(QChar letra) {
  if (!plan_)
    throw plat::Error(plat::Clase::Estado, QStringLiteral("El documento se escribe dentro de un guardado"));
  const QString numero = numeroGuardado_;
  BotonNuevo->setEnabled(true);
  BotonGuardar->setEnabled(false);
  try {
    EscribeEncabezadoGuardado(numero);
    EscribePartidasDocumento(letra, numero);
    AseguraEncabezadoGuardado(numero);
  } catch (...) {
    BotonNuevo->setEnabled(false);
    BotonGuardar->setEnabled(true);
    throw;
  }
}

void TFormaCapturaRapida::EscribeEncabezadoDocumento(PlanGuardado& plan) {
  QDate fecha;
  LeeFecha(EditFEDOC_F->text(), fecha);
  plan.Fija(QStringLiteral("CONTROL"), static_cast<qint64>(ControlDocumento));
  const std::pair<const char*, QLabel*> cliente[] = {{"NOMBR_F", Nombre}, {"DIREC_F", Direccion}, {"DIRE2_F", Direc2},
                                                     {"POBLA_F", Poblacion}, {"RFCXX_F", RFC},
                                                     {"CPXXX_F", CodigoPostal}};
  for (const auto& [nombre, etiqueta] : cliente) plan.Fija(QString::fromLatin1(nombre), etiqueta->text());
  plan.Fija(QStringLiteral("FEDOC_F"), fecha);
  plan.Fija(QStringLiteral("FEENT_F"), fecha);
  if (!plan.Valor(QStringLiteral("FEVEN_F")).isValid()) plan.Fija(QStringLiteral("FEVEN_F"), fecha);
  plan.Fija(QStringLiteral("SUBTO_F"), Totales.SubtotalVenta.Real());
  plan.Fija(QStringLiteral("IMIM2_F"), Totales.IvaVenta.Real());
  plan.Fija(QStringLiteral("IMTOD_F"), Totales.TotalVenta.Real());
  plan.Fija(QStringLiteral("COSTO_F"), Totales.CostoVenta.Real());
  const double ahora = NumeroFechaHora(fs::Ahora());
  plan.Fija(QStringLiteral("HORAX_F"), ahora);
  plan.Fija(QStringLiteral("PAGOX_F"), TipoPago->currentText());
  if (ui::Tag(BotonNuevo) == 1) plan.Fija(QStringLiteral("TREGI_F"), QVariant());
  plan.Fija(QStringLiteral("HORAF_F"), ahora);
}

void TFormaCapturaRapida::EscribeEncabezadoGuardado(const QString& numero) {
  // A new document's header was appended whole with these values.
  if (plan_->modo == PlanGuardado::Modo::Nuevo) return;
  try {
    GrabaFilaDocumento(*TablaFacturae, QStringLiteral("H"), false,
                       [this](db::Dataset& e) { plan_->EscribeEncabezado(e); });
  } catch (const plat::Error&) {
    // A header another station removed meanwhile is made again once the
    // lines are written (AseguraEncabezadoGuardado); any other failure stops
    // here.
    if (HayEncabezado(numero.toLongLong())) throw;
  }
}

void TFormaCapturaRapida::AseguraEncabezadoGuardado(const QString& numero) {
  const qint64 documento = numero.trimmed().toLongLong();
  if (HayEncabezado(documento)) return;
  GrabaFilaDocumento(
      *TablaFacturae, QStringLiteral("A"), true,
      [&](db::Dataset& e) {
        plan_->EscribeEncabezado(e);
        e.FieldByName(QStringLiteral("CLDOC_F")).SetAsInteger(documento);
      });
}

void TFormaCapturaRapida::EscribePartidasDocumento(QChar letra, const QString& numero) {
  const PlanGuardado& plan = *plan_;
  UnidadTrabajo& u = *guardado_;
  DatosPartidaDocumento datos;
  datos.numero = numero;
  datos.control = plan.control;
  datos.fecha = plan.Valor(QStringLiteral("FEDOC_F")).toDate();
  datos.descuentoDocumento = plan.Valor(QStringLiteral("DESFI_F")).toDouble();
  datos.usuario = plan.usuario;
  datos.usuarioTexto = plan.usuarioTexto;
  // An invoice made from remissions takes no stock: its lines say so.
  if (letra == u'Z') datos.conversion = QStringLiteral("F");
  const bool conExistencias = letra == u'F' || letra == u'R';
  db::Tabla& captura = *TablaDeta;
  PostPendiente(captura);
  // Each capture row is one line, its steps named by its place in the
  // capture, which the save does not change.
  for (captura.First(); !captura.Eof(); captura.Next()) {
    const QString fila = QString::number(captura.RecNo());
    if (!u.Hecho(QStringLiteral("L") + fila)) {
      // A row that qualified when the save began still does.
      if (!PartidaSeEscribe(captura) && !u.Hecho(QStringLiteral("Q") + fila)) continue;
      u.Anota(QStringLiteral("Q") + fila);
      if (conExistencias) {
        const double r = DescuentaExistenciaPartida();
        VerificaProductoPartida();
        GuardaMovimientoPartida();
        if (r < 0 && plan.rechazaSinExistencia) continue;
      }
      GrabaFilaDocumento(
          *TablaFacturaD, QStringLiteral("L") + fila, true,
          [&](db::Dataset& linea) { LlenaPartidaDocumento(linea, captura, datos); });
    }
    if (Partida("TIPO").AsString() == u"K" && plan.kits) ExplotaKit(Partida("CANTIDAD").AsString(), Partida("CLAVE").AsString());
  }
}

void TFormaCapturaRapida::AnotaExistenciaCaptura(const QString& cual) {
  const char* campo = cual == u"i" ? "INICIAL" : cual == u"f" ? "FINAL" : nullptr;
  if (!campo) return;
  EditaFila(*TablaDeta);
  Partida(campo).SetValue(TablaInventario->FieldByName(QStringLiteral("EXIST_I")).Value());
  TablaDeta->Post();
}

void TFormaCapturaRapida::VerificaProductoPartida() {
  const QString clave = Partida("CLAVE").AsString();
  // A text-only line names no product; without the product table nothing
  // can be checked.
  if (clave.isEmpty() || clave == kClaveComentario || !TablaInventario->Active()) return;
  if (!TablaInventario->FindKey({clave})) {
    EditaFila(*TablaDeta);
    Partida("CANTIDAD").SetAsFloat(0);
    Partida("PRODUCTO").SetAsString(QStringLiteral("PRODUCTO SIN CLAVE"));
    TablaDeta->Post();
    MuestraMensaje(QStringLiteral("La Clave ") + clave +
                   QStringLiteral(" del producto no se encuentra la cantidad se cambiara a 0.00"));
    EditClave->setFocus(Qt::OtherFocusReason);
    return;
  }
  const TRegistroProducto producto = ProductoActual(*TablaInventario);
  if (DescripcionCorresponde(Partida("PRODUCTO").AsString(), producto.DSCPR_I)) return;
  MuestraMensaje(QStringLiteral("La Descripción no corresponde al producto ") + clave +
                 QStringLiteral(" se calculara el precio"));
  EditaFila(*TablaDeta);
  try {
    RehacePartidaDeProducto(*TablaDeta, producto, FactorPrecioPago);
    TablaDeta->Post();
  } catch (...) {
    TablaDeta->Cancel();
    throw;
  }
}

void TFormaCapturaRapida::BorraPartidasDocumento(QChar letra) {
  if (letra == u'F' || letra == u'R') BorraLineasDocumento();
}

void TFormaCapturaRapida::BorraPartidasPorTipo(QChar letra) {
  // One pass takes every line of the document, so the kinds F and R need no
  // second one.
  if (letra != u'X') BorraLineasDocumento();
}

void TFormaCapturaRapida::BorraLineasDocumento() {
  if (!HayFila(*TablaFacturae)) return;
  const QString numero = TablaFacturae->FieldByName(QStringLiteral("CLDOC_F")).AsString();
  const qint64 control = TablaFacturae->FieldByName(QStringLiteral("CONTROL")).AsInteger();
  db::Tabla& lineas = *TablaFacturaD;
  lineas.SetRange({numero}, {numero});
  db::Campo& controlLinea = lineas.FieldByName(QStringLiteral("CONTROL"));
  while (!lineas.IsEmpty() && !lineas.Eof()) {
    if (controlLinea.AsInteger() == control) lineas.Delete();
    else lineas.Next();
  }
}

void TFormaCapturaRapida::GrabaFilaDocumento(db::Tabla& tabla, const QString& paso, bool nueva,
                                             const std::function<void(db::Dataset&)>& llena) {
  if (plan_ && nueva) {
    guardado_->Agrega(tabla, paso, llena);
    return;
  }
  const auto escribe = [&] {
    const bool propia = nueva || !Editando(tabla);
    if (nueva) tabla.Append();
    else EditaFila(tabla);
    try {
      llena(tabla);
      tabla.Post();
    } catch (...) {
      if (propia && Editando(tabla)) tabla.Cancel();
      throw;
    }
  };
  if (plan_) guardado_->Fija(paso, escribe);
  else escribe();
}
