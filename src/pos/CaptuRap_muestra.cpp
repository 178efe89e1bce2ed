// A saved document on the sale screen: what the data-aware header fields
// do not show of the header row, the lines of the document loaded into the
// capture table, the navigator, the number search and the document of
// actual.dat.

#include "foundation/buscar.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "inventory/CamposRegistro.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/DocumentosVenta.h"
#include "pos/PagosVenta.h"
#include "pos/PartidasDocumento.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

namespace {

// The hint line of a shown document; a generated document's reference
// follows it.
const QString kPistaDocumento = QStringLiteral("F11 IMPRIME TICKET,     Ctrl+B   BUSCAR       ");

}  // namespace

void TFormaCapturaRapida::ConectaMuestra() {
  ui::Conecta(Navegador, &ui::Navegador::Click, this, [this] { NavegadorClick(); });
  ui::Conecta(BotonBuscar, &QToolButton::clicked, this, [this] { BotonBuscarClick(); });
  AsignaComando(Buscar1, [this] { BotonBuscarClick(); });
}

void TFormaCapturaRapida::MuestraDocumento() {
  db::Tabla& e = *TablaFacturae;
  if (!HayFila(e)) return;
  const auto campo = [&e](const char* nombre) -> db::Campo& { return e.FieldByName(QString::fromLatin1(nombre)); };
  PartidasCargadas = 0;

  Nombre->setText(campo("NOMBR_F").AsString());
  TipoPago->setCurrentText(campo("PAGOX_F").AsString());
  const bool cuenta = TipoConCuenta(TipoPago->currentText());
  LabelCuenta->setVisible(cuenta);
  EditCUENTA->setVisible(cuenta);
  const std::pair<const char*, QLabel*> cliente[] = {{"DIREC_F", Direccion}, {"DIRE2_F", Direc2},
                                                     {"POBLA_F", Poblacion}, {"RFCXX_F", RFC},
                                                     {"CPXXX_F", CodigoPostal}};
  for (const auto& [nombre, etiqueta] : cliente) etiqueta->setText(campo(nombre).AsString());
  EditFEDOC_F->setText(campo("FEDOC_F").AsString());
  // A time that cannot be read leaves the one shown.
  try {
    const db::Campo& hora = campo("HORAX_F");
    if (!hora.IsNull()) Hora->setText(TextoHora(HoraDeNumero(hora.AsFloat())));
  } catch (const plat::Error&) {
  }
  SuCambio->setText(TextoCambioDocumento(e));
  // The status text, the print mark and Cancelar (every status the display
  // knows is one the status text knows too).
  MuestraEstadoDocumento();

  CargaPartidasDocumento();
  CalculaTotales();

  const QString generado = campo("REMIS_F").AsString();
  Label18->setText(generado.isEmpty() ? kPistaDocumento : kPistaDocumento + generado);
  PostPendiente(e);
  if (TablaFacturaD->Active()) PostPendiente(*TablaFacturaD);
  const QString origen = campo("CLPED_F").AsString();
  LabelFactura->setText(origen.isEmpty() ? QString() : QStringLiteral("Factura ") + origen);
  if (TablaVendedores->Active() && TablaVendedores->FindKey({EditCLVEN_F->text()}))
    LabelVendedor->setText(TablaVendedores->FieldByName(QStringLiteral("NOMBR_V")).AsString());
}

void TFormaCapturaRapida::CargaPartidasDocumento() {
  if (!TablaDeta->Active() || !HayFila(*TablaFacturae)) return;
  CargaPartidasDe(*TablaFacturaD, TablaFacturae->FieldByName(QStringLiteral("CLDOC_F")).AsInteger());
}

void TFormaCapturaRapida::CargaPartidasDe(db::Tabla& lineas, qint64 numero) {
  if (!TablaDeta->Active() || !HayFila(*TablaFacturae)) return;
  if (numero == 0) {
    VaciaCaptura();
    return;
  }
  if (PartidasCargadas > 0) return;
  ++PartidasCargadas;
  Label8->setText(QStringLiteral("det ") + QString::number(PartidasCargadas));
  const qint64 control = TablaFacturae->FieldByName(QStringLiteral("CONTROL")).AsInteger();
  VaciaCaptura();
  if (!lineas.Active()) return;
  CargaPartidasDeControl(lineas, *TablaDeta, numero, control);
}

void TFormaCapturaRapida::NavegadorClick() { MuestraDocumento(); }

void TFormaCapturaRapida::BotonBuscarClick() {
  TFormaBusqueda busqueda(this);
  busqueda.Clave->setText(QStringLiteral("Por Documento (F1)"));
  busqueda.ShowModal();
  // Esc leaves no option chosen: the search was given up.
  if (!busqueda.Clave->isChecked() && !busqueda.Nombre->isChecked()) return;
  bool deTicket = false;
  const QString texto = QuitaCerosBusqueda(busqueda.CajaBuscar->text(), deTicket);
  if (deTicket) busqueda.SetTag(1);
  busqueda.CajaBuscar->setText(texto);
  if (texto.trimmed().isEmpty()) return;
  bool esNumero = false;
  const qint64 numero = texto.trimmed().toLongLong(&esNumero);
  if (!esNumero) {
    MuestraMensaje(QStringLiteral("Valor no Válido"));
    return;
  }
  if (!TablaFacturae->Active()) return;
  if (TablaFacturae->FindKey({numero}) && busqueda.Tag() == 1) ImprimiryAsignarCaja1Click();
  MuestraDocumento();
}

void TFormaCapturaRapida::PosicionaDocumentoActual() {
  if (!TablaFacturae->Active()) return;
  try {
    const std::optional<QString> linea = PrimeraLinea(QStringLiteral("actual.dat"));
    if (!linea) return;
    bool esNumero = false;
    const qint64 numero = linea->trimmed().toLongLong(&esNumero);
    if (!esNumero) return;
    TablaFacturae->FindNearest({numero});
    if (TablaFacturae->Eof()) TablaFacturae->Last();
  } catch (const plat::Error&) {
    return;
  }
  MuestraDocumento();
}
