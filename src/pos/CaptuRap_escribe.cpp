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
  if (!EditCLCLI_F->text().isEmpty()) return true;
  MuestraMensaje(QStringLiteral("No se puede Guardar la Factura faltan datos del Cliente"));
  return false;
}

void TFormaCapturaRapida::GuardaPorTipo(QChar letra) {
  if (ui::Tag(BotonNuevo) == 1) {
    if (ValidaClienteDocumento() && EsLetra(letra, "FRPNXCDZ")) EscribeDocumento(letra);
    ui::SetTag(BotonNuevo, 0);
  }
  if (ui::Tag(BotonCambios) == 1) {
    if (letra == u'F') BorraPartidasPorTipo(letra);
    if (EsLetra(letra, "CPRF")) EscribeDocumento(letra);
    ui::SetTag(BotonCambios, 0);
  }
  BloqueaCaptura();
}

void TFormaCapturaRapida::EscribeDocumento(QChar letra) {
  const QString numero = EditCLDOC_F->text();
  BotonNuevo->setEnabled(true);
  BotonGuardar->setEnabled(false);
  try {
    CalculaTotales();
    EscribeEncabezadoDocumento(ui::Tag(BotonNuevo) == 1);
    EscribePartidasDocumento(letra, numero);
    AseguraEncabezado(numero, ControlDocumento);
  } catch (...) {
    BotonNuevo->setEnabled(false);
    BotonGuardar->setEnabled(true);
    throw;
  }
}

void TFormaCapturaRapida::EscribeEncabezadoDocumento(bool nuevo) {
  QDate fecha;
  LeeFecha(EditFEDOC_F->text(), fecha);
  const qint64 numero = EditCLDOC_F->text().trimmed().toLongLong();
  try {
    GrabaFilaDocumento(*TablaFacturae, false, [&](db::Dataset& e) {
      const auto campo = [&e](const char* nombre) -> db::Campo& {
        return e.FieldByName(QString::fromLatin1(nombre));
      };
      campo("CONTROL").SetAsInteger(ControlDocumento);
      const std::pair<const char*, QLabel*> cliente[] = {{"NOMBR_F", Nombre},   {"DIREC_F", Direccion},
                                                         {"DIRE2_F", Direc2},   {"POBLA_F", Poblacion},
                                                         {"RFCXX_F", RFC},      {"CPXXX_F", CodigoPostal}};
      for (const auto& [nombre, etiqueta] : cliente) campo(nombre).SetAsString(etiqueta->text());
      campo("FEDOC_F").SetAsDate(fecha);
      campo("FEENT_F").SetAsDate(fecha);
      if (campo("FEVEN_F").IsNull()) campo("FEVEN_F").SetAsDate(fecha);
      registro::Escribe(campo("SUBTO_F"), std::optional(Totales.SubtotalVenta));
      registro::Escribe(campo("IMIM2_F"), std::optional(Totales.IvaVenta));
      registro::Escribe(campo("IMTOD_F"), std::optional(Totales.TotalVenta));
      registro::Escribe(campo("COSTO_F"), std::optional(Totales.CostoVenta));
      const double ahora = NumeroFechaHora(fs::Ahora());
      campo("HORAX_F").SetAsFloat(ahora);
      campo("PAGOX_F").SetAsString(TipoPago->currentText());
      if (nuevo) campo("TREGI_F").Clear();
      campo("HORAF_F").SetAsFloat(ahora);
    });
  } catch (const plat::Error&) {
    // A header another station removed meanwhile is made again once the
    // lines are written (AseguraEncabezado); any other failure stops here.
    if (HayEncabezado(numero)) throw;
  }
}

void TFormaCapturaRapida::EscribePartidasDocumento(QChar letra, const QString& numero) {
  DatosPartidaDocumento datos;
  datos.numero = numero;
  datos.control = ControlDocumento;
  LeeFecha(EditFEDOC_F->text(), datos.fecha);
  datos.descuentoDocumento = ValorNumerico(EditDESFI_F->text());
  datos.usuario = NumeroUsuario();
  datos.usuarioTexto = OcultarVendedor1->isChecked() ? LabelVendedor->text() : usuario->text();
  const bool conExistencias = letra == u'F' || letra == u'R';
  db::Tabla& captura = *TablaDeta;
  PostPendiente(captura);
  for (captura.First(); !captura.Eof(); captura.Next()) {
    if (!PartidaSeEscribe(captura)) continue;
    if (conExistencias) {
      // The line's stock before and after its sale, read on its own product.
      // The sale does not lower the stock: both are the stock it has.
      const QString clave = Partida("CLAVE").AsString();
      if (clave != kClaveComentario && TablaInventario->Active() && TablaInventario->FindKey({clave})) {
        AnotaExistenciaCaptura(QStringLiteral("i"));
        AnotaExistenciaCaptura(QStringLiteral("f"));
      }
      VerificaProductoPartida();
    }
    GrabaFilaDocumento(*TablaFacturaD, true,
                       [&](db::Dataset& linea) { LlenaPartidaDocumento(linea, captura, datos); });
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

void TFormaCapturaRapida::GrabaFilaDocumento(db::Tabla& tabla, bool nueva,
                                             const std::function<void(db::Dataset&)>& llena) {
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
}
