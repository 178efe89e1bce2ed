// The movement window's capture: a new document, the header boxes' rules,
// the concept and counterpart lookups, the capture grid's line rules and the
// close question.

#include "foundation/cerrar.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_tablas.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/CamposRegistro.h"
#include "inventory/ConMovinv.h"
#include "inventory/ConPro.h"
#include "inventory/DocumentoMovimiento.h"
#include "inventory/RegistroProducto.h"
#include "inventory/movinv.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/RejillaDatos.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QTimer>

namespace {

const QString kCampoCantidad = QStringLiteral("CANTIDAD");
const QString kCampoClave = QStringLiteral("CLAVE");

bool Escribiendo(const db::Dataset& d) {
  return d.State() == db::Dataset::Estado::Editando || d.State() == db::Dataset::Estado::Insertando;
}

// The capture table stands on a line (one being typed counts).
bool HayLinea(db::Dataset& captura) { return captura.Active() && (Escribiendo(captura) || !captura.IsEmpty()); }

// The line in edit, for a rule to write into it.
void EditaLinea(db::Dataset& captura) {
  if (!Escribiendo(captura)) captura.Edit();
}

}  // namespace

void TFormaMovimientosInventario::BotonNuevoClick() {
  bool numero = false;
  const int usuario = Usuario->text().toInt(&numero);
  if (!TieneDerecho(numero ? usuario : -1, DerechoAltaMovimientos)) return;
  IniciaDocumento();
  QString nombre;
  LeeNombreUsuario(Usuario->text(), carpetaPrograma_, nombre);
  RegistraHistorial(bitacora_, carpetaDatos_, u'M', QString::number(numeroDocumento_), QStringLiteral("NUEVO"),
                    nombre);
}

void TFormaMovimientosInventario::IniciaDocumento(int concepto) {
  const auto llena = [concepto](db::Tabla& t) {
    if (concepto != 0) t.FieldByName(QStringLiteral("TIMOV_MI")).SetAsInteger(concepto);
  };
  try {
    numeroDocumento_ = IniciaDocumentoMovimiento(*Tablamovinve, llena, true);
  } catch (...) {
    // No number drawn: the window goes on browsing the document it showed.
    TablaCompleta();
    Tablamovinve->FindNearest({numeroDocumento_});
    MuestraDocumento(Llegada::Busqueda);
    throw;
  }
  VaciaCaptura(true);
  FijaCaptura(true);
  EnlazaCabecera();
  EditTIMOV_MIChange();
  EditCLPRO_MI->setFocus(Qt::OtherFocusReason);
  FechaDeHoy();
  EditAlmacen->setValue(1);
}

void TFormaMovimientosInventario::VaciaCaptura(bool empaca) {
  if (TablaDeta->Active()) {
    if (Escribiendo(*TablaDeta)) TablaDeta->Cancel();
    while (!TablaDeta->IsEmpty()) {
      TablaDeta->First();
      TablaDeta->Delete();
    }
  }
  if (!empaca) return;
  TablaDeta->Close();
  try {
    EmpacaTabla(carpetaPrograma_, kTablaCapturaMovimientos);
  } catch (const std::exception&) {
    // Another copy of the program has it open: it is packed another time.
  }
  AbreTabla(*TablaDeta);
}

void TFormaMovimientosInventario::FechaDeHoy() {
  if (Escribiendo(*Tablamovinve)) Tablamovinve->FieldByName(QStringLiteral("FEDOC_MI")).SetAsDate(fs::Hoy());
}

void TFormaMovimientosInventario::EditFEDOC_MIEnter() {
  if (EditFEDOC_MI->text().trimmed().isEmpty()) FechaDeHoy();
}

void TFormaMovimientosInventario::EditCLDOC_MIEnter() {
  if (Escribiendo(*Tablamovinve)) Tablamovinve->FieldByName(QStringLiteral("CLDOC_MI")).SetAsInteger(numeroDocumento_);
}

void TFormaMovimientosInventario::FijaConcepto(const QString& numero, const QString& nombre) {
  if (Escribiendo(*Tablamovinve)) Tablamovinve->FieldByName(QStringLiteral("TIMOV_MI")).SetAsString(numero);
  else EditTIMOV_MI->setText(numero);
  TIPMOV->setText(nombre);
}

void TFormaMovimientosInventario::EditTIMOV_MIChange() {
  // While browsing the header shows the document as it was reached.
  if (!Capturando()) return;
  const QString texto = EditTIMOV_MI->text().trimmed();
  if (texto.isEmpty()) {
    TIPMOV->setText(kConceptoNoDefinido);
    return;
  }
  bool numero = false;
  const qint64 concepto = texto.toLongLong(&numero);
  if (!numero || !TablaConcepto->Active() || !TablaConcepto->FindKey({concepto})) {
    tipoConcepto_ = u'X';
    return;
  }
  TIPMOV->setText(TablaConcepto->FieldByName(QStringLiteral("DECON_CM")).AsString());
  const QString tipo = TablaConcepto->FieldByName(QStringLiteral("TIPOX_CM")).AsString();
  tipoConcepto_ = tipo.isEmpty() ? QChar(u'X') : tipo[0];
  carpetaDestino_ = TablaConcepto->FieldByName(QStringLiteral("ALMAC_CM")).AsString();
}

void TFormaMovimientosInventario::EditTIMOV_MIExit() {
  if (!Capturando()) return;
  if (EditTIMOV_MI->text().trimmed().isEmpty()) {
    MuestraMensaje(kNoExisteTipoMovimiento);
    QTimer::singleShot(0, EditTIMOV_MI, [this] { EditTIMOV_MI->setFocus(Qt::OtherFocusReason); });
    return;
  }
  MuestraNombreConcepto();
}

void TFormaMovimientosInventario::EditTIMOV_MIKeyDown(int& tecla) {
  Detalle->SetSelectedIndex(ColCantidad);
  if (tecla == Qt::Key_F2) {
    tecla = 0;
    TFormaConMovimiento consulta;
    consulta.ShowModal();
  } else if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
    Detalle->setFocus(Qt::OtherFocusReason);
  }
}

// --- The capture grid.

void TFormaMovimientosInventario::DetalleColEnter() {
  if (!Capturando() || !TablaDeta->Active()) return;
  const bool sinCantidad = !HayLinea(*TablaDeta) || TablaDeta->FieldByName(kCampoCantidad).IsNull();
  switch (Detalle->SelectedIndex()) {
    case ColEmpaque:
      if (sinCantidad) Detalle->SetSelectedIndex(ColCantidad);
      break;
    case ColDescripcion:
      if (sinCantidad) Detalle->SetSelectedIndex(ColClave);
      else BuscaProductoLinea();
      break;
    case ColPrecio:
      CalculaImporte();
      break;
    default:
      break;
  }
}

void TFormaMovimientosInventario::DetalleColExit() {
  if (Capturando() && Detalle->SelectedIndex() == ColCosto && HayLinea(*TablaDeta)) CalculaImporte();
}

void TFormaMovimientosInventario::CalculaImporte() {
  db::Campo& importe = TablaDeta->FieldByName(QStringLiteral("IMPORTE"));
  const double cantidad = TablaDeta->FieldByName(kCampoCantidad).AsFloat();
  const Dinero precio = registro::LeeImporte(TablaDeta->FieldByName(QStringLiteral("PRECIO"))).value_or(Dinero());
  const Dinero calculado = precio * cantidad;
  if (registro::LeeImporte(importe) == calculado) return;
  EditaLinea(*TablaDeta);
  registro::Escribe(importe, std::optional<Dinero>(calculado));
}

void TFormaMovimientosInventario::BuscaProductoLinea() {
  const QString texto = TablaDeta->FieldByName(kCampoClave).AsString();
  if (!TablaInventario->Active() || !LocalizaProducto(*TablaInventario, texto)) {
    Detalle->SetSelectedIndex(ColClave);
    MuestraMensaje(kProductoNoEncontrado);
    return;
  }
  TRegistroProducto producto;
  producto.Lee(*TablaInventario);
  TPartidaCapturaMovimiento linea;
  linea.Lee(*TablaDeta);
  linea.CLAVE = producto.CLPRO_I;
  if (linea.EMPAQUE.value_or(0) > 0 && producto.UEMPA_I.value_or(0) > 0)
    linea.CANTIDAD = *linea.EMPAQUE * *producto.UEMPA_I;
  linea.DESCRIPCION = producto.DSCPR_I;
  linea.COSTO = producto.ULCOS_I;
  linea.PRECIO = producto.PPUBL_I;
  EditaLinea(*TablaDeta);
  linea.Escribe(*TablaDeta);
}

void TFormaMovimientosInventario::DetalleKeyDown(int& tecla) {
  if (!Capturando()) return;
  const int columna = Detalle->SelectedIndex();
  if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
    tecla = 0;
    if (!Detalle->CierraEditor()) return;
    if (columna < ColImporte) {
      Detalle->SetSelectedIndex(columna + 1);
      return;
    }
    // From the amount to the first column of the next line, a new one at
    // the end, so the next quantity typed never overwrites this line.
    if (!HayLinea(*TablaDeta)) return;
    TablaDeta->Next();
    if (TablaDeta->Eof()) TablaDeta->Append();
    Detalle->SetSelectedIndex(ColCantidad);
  } else if (tecla == Qt::Key_F2 && columna == ColClave) {
    tecla = 0;
    if (!Detalle->CierraEditor()) return;
    if (Escribiendo(*TablaDeta)) TablaDeta->Post();
    EditaLinea(*TablaDeta);
    db::Campo& clave = TablaDeta->FieldByName(kCampoClave);
    const QString tecleada = clave.AsString();
    QString elegida = tecleada;
    BuscaProducto(tecleada, NoAlmacen->value(), elegida);
    clave.SetAsString(elegida);
  }
}

// --- Closing.

void TFormaMovimientosInventario::FormCloseQuery(bool& puedeCerrar) {
  if (!Capturando()) return;
  TFormaCerrar pregunta;
  pregunta.SetTag(0);
  pregunta.ShowModal();
  switch (pregunta.Tag()) {
    case 1:
      // Saved as "Guardar" saves, without a credit note or a log line; a
      // document that was not saved keeps the window open.
      if (EditTIMOV_MI->text().trimmed().isEmpty()) {
        MuestraMensaje(kFaltaTipoMovimiento);
        EditTIMOV_MI->setFocus(Qt::OtherFocusReason);
        puedeCerrar = false;
      } else if (!GuardaDocumentoMovimiento()) {
        puedeCerrar = false;
      }
      break;
    case 2:
      DescartaCaptura();
      break;
    default:
      puedeCerrar = false;
  }
}

void TFormaMovimientosInventario::DescartaCaptura() {
  db::Tabla& t = *Tablamovinve;
  if (!t.IsEmpty() && t.FieldByName(QStringLiteral("CANTI_MI")).AsFloat() <= 0) {
    RegistraBorrado(t);
    t.Delete();
  }
  VaciaCaptura(false);
  FijaCaptura(false);
  EnlazaCabecera();
}

void TFormaMovimientosInventario::FormClose() { ui::SetTag(BotonSalir, kVentanaCerrada); }
