#include "pos/CapturaLineas.h"

#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_texto.h"
#include "inventory/CamposRegistro.h"
#include "inventory/ConPro.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/Forma.h"
#include "platform/ui/RejillaDatos.h"
#include "pos/CaptuRap_comun.h"
#include "pos/ImportesVenta.h"
#include "pos/PartidasVenta.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// The column after the amount: Enter there goes on to the next row.
constexpr int kColumnaImpuesto = 5;

// The number a text holds when it is one above 0.
std::optional<double> Positivo(const QString& texto) {
  double valor = 0;
  if (!LeeReal(texto, valor) || valor <= 0) return std::nullopt;
  return valor;
}

db::Campo& Partida(db::Dataset& captura, const char* campo) {
  return captura.FieldByName(QString::fromLatin1(campo));
}

}  // namespace

void EscribeImporteLinea(db::Dataset& captura) {
  registro::Escribe(Partida(captura, "IMPORTE"),
                    std::optional(ImporteLinea(Partida(captura, "CANTIDAD").AsFloat(),
                                               registro::LeeImporte(Partida(captura, "PRECIO")).value_or(Dinero()),
                                               Partida(captura, "DESCUENTO").AsFloat())));
}

CapturaLineas::CapturaLineas(const Componentes& c, std::function<bool()> iniciaEnClave,
                             std::function<void()> colEnter)
    : c_(c), iniciaEnClave_(std::move(iniciaEnClave)), colEnter_(std::move(colEnter)) {}

void CapturaLineas::ConectaRejilla(QObject* contexto) const {
  ui::Eventos& rejilla = ui::Eventos::De(c_.Detalle);
  ui::Conecta(&rejilla, &ui::Eventos::KeyPress, contexto, [](QChar& c) { c = Mayuscula(c); });
  ui::Conecta(&rejilla, &ui::Eventos::KeyUp, contexto, [this](int& tecla, Qt::KeyboardModifiers) {
    if (tecla == Qt::Key_Up || tecla == Qt::Key_Down) MuestraFactor();
  });
}

bool CapturaLineas::EmpaqueVisible() const { return c_.EditEmpaque->isVisibleTo(c_.ventana); }

void CapturaLineas::EnfocaCaptura() const {
  if (iniciaEnClave_ && iniciaEnClave_()) {
    c_.EditClave->setFocus(Qt::OtherFocusReason);
    return;
  }
  c_.EditCantidad->setFocus(Qt::OtherFocusReason);
  c_.EditCantidad->selectAll();
}

void CapturaLineas::VeAColumna(int columna) const {
  // The line is filled on entering column 2: a key typed again while the
  // grid already stands there is filled too.
  if (c_.Detalle->SelectedIndex() == columna) {
    if (colEnter_) colEnter_();
  } else {
    c_.Detalle->SetSelectedIndex(columna);
  }
}

void CapturaLineas::AceptaCantidad() const {
  db::Tabla& captura = *c_.TablaDeta;
  const QString numero = FiltraNumero(c_.EditCantidad->text());
  if (HayFila(captura) && numero != Partida(captura, "CANTIDAD").AsString()) {
    try {
      EditaFila(captura);
      Partida(captura, "CANTIDAD").SetAsString(numero);
    } catch (const plat::Error&) {
      c_.EditCantidad->setFocus(Qt::OtherFocusReason);
      throw;
    }
  }
  c_.EditClave->setFocus(Qt::OtherFocusReason);
}

void CapturaLineas::PosicionaClave() const {
  PostPendiente(*c_.TablaDeta);
  VeAColumna(2);
  if (EmpaqueVisible() && ui::Tag(c_.EditClave) == 0) c_.EditEmpaque->setFocus(Qt::OtherFocusReason);
  else EnfocaCaptura();
}

void CapturaLineas::BuscaEnCatalogo(int orden, bool parcial) const {
  ui::SetTag(c_.Detalle, 3);
  PostPendiente(*c_.TablaDeta);
  EditaFila(*c_.TablaDeta);
  QString clave;
  BuscaProductoPorOrden(c_.EditClave->text(), 1, orden, parcial, clave);
  Partida(*c_.TablaDeta, "CLAVE").SetAsString(clave);
}

std::optional<bool> CapturaLineas::TaraDeClave(const QString& campo, const QString& valor) const {
  const QString clave = c_.EditClave->text();
  db::Tabla& productos = *c_.TablaInventario;
  if (clave.isEmpty() || !productos.Active() || !productos.FindKey({clave})) return std::nullopt;
  const db::Campo* tara = productos.FindField(campo);
  return tara && tara->AsString() == valor;
}

bool CapturaLineas::EmpaqueACantidad() const {
  const std::optional<double> factor = Positivo(c_.LabelFactor->text());
  const std::optional<double> paquetes = Positivo(c_.EditEmpaque->text());
  if (!factor || !paquetes || !HayFila(*c_.TablaDeta)) return false;
  try {
    EditaFila(*c_.TablaDeta);
    Partida(*c_.TablaDeta, "CANTIDAD").SetAsFloat(*factor * *paquetes);
  } catch (const plat::Error&) {
    return false;
  }
  return true;
}

void CapturaLineas::CierraEmpaque(const std::function<void()>& nuevaPartida) const {
  db::Tabla& captura = *c_.TablaDeta;
  if (c_.LabelFactor->text().isEmpty()) VeAColumna(2);
  if (const std::optional<double> paquetes = Positivo(c_.EditEmpaque->text()); paquetes && HayFila(captura)) {
    EditaFila(captura);
    Partida(captura, "CANTIDAD").SetAsFloat(ValorNumerico(c_.LabelFactor->text()) * *paquetes);
  }
  c_.LabelFactor->setText(QStringLiteral("1"));
  VeAColumna(2);
  captura.Last();
  c_.EditClave->setFocus(Qt::OtherFocusReason);
  if (nuevaPartida) nuevaPartida();
}

void CapturaLineas::RepitePartida() const {
  VeAColumna(2);
  if (EmpaqueVisible() && c_.EditEmpaque->text().isEmpty()) c_.EditEmpaque->setFocus(Qt::OtherFocusReason);
  else EnfocaCaptura();
}

void CapturaLineas::EnfocaEmpaque() const {
  MuestraFactor();
  c_.EditEmpaque->setFocus(Qt::OtherFocusReason);
}

void CapturaLineas::MuestraFactor() const {
  if (HayFila(*c_.TablaDeta)) c_.LabelFactor->setText(Partida(*c_.TablaDeta, "FACTOR").AsString());
}

bool CapturaLineas::TeclaRejilla(int& tecla) const {
  ui::RejillaDatos& rejilla = *c_.Detalle;
  switch (tecla) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
      tecla = 0;
      if (!rejilla.CierraEditor()) return true;
      const int siguiente = rejilla.SelectedIndex() + 1;
      if (siguiente == kColumnaImpuesto || siguiente >= rejilla.Columnas()) {
        c_.TablaDeta->Next();
        rejilla.SetSelectedIndex(0);
      } else {
        rejilla.SetSelectedIndex(siguiente);
      }
      return true;
    }
    case Qt::Key_F3:
      if (!EmpaqueVisible()) return false;
      tecla = 0;
      EnfocaEmpaque();
      return true;
    case Qt::Key_F5:
      tecla = 0;
      c_.CAMBIO_F->setFocus(Qt::OtherFocusReason);
      return true;
    case Qt::Key_F12:
      tecla = 0;
      rejilla.SetSelectedIndex(0);
      rejilla.setFocus(Qt::OtherFocusReason);
      return true;
    default:
      return false;
  }
}

bool CapturaLineas::PrimeraPartida() const {
  db::Tabla& captura = *c_.TablaDeta;
  if (!captura.IsEmpty() || captura.State() != db::Dataset::Estado::Navegando) return false;
  captura.Append();
  Partida(captura, "CANTIDAD").SetAsFloat(1);
  c_.Detalle->SetSelectedIndex(1);
  EnfocaCaptura();
  return true;
}

bool CapturaLineas::AgregaPartida() const {
  db::Tabla& captura = *c_.TablaDeta;
  if (!HayFila(captura) || Partida(captura, "CLAVE").AsString().isEmpty() ||
      Partida(captura, "PRODUCTO").AsString().isEmpty())
    return false;
  captura.Append();
  Partida(captura, "CANTIDAD").SetAsFloat(1);
  return true;
}

void CapturaLineas::ImporteDePartida() const {
  EditaFila(*c_.TablaDeta);
  EscribeImporteLinea(*c_.TablaDeta);
  c_.TablaDeta->Post();
}
