// The product lookup's right-hand panel and settings: the price of a
// package, the package label, the quantity available, the price columns and
// precios.cnf.

#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "inventory/ConPro.h"
#include "inventory/RegistroProducto.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/RejillaDatos.h"

#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>

#include <cmath>

namespace {

constexpr int kAnchoColumnaPrecio = 64;

const QString kMascaraEmpaque = QStringLiteral(" ###,##0.00");

QString ArchivoPrecios() { return CarpetaPrograma(QStringLiteral("\\precios.cnf")); }

}  // namespace

Dinero PrecioEmpaque(const TRegistroProducto& producto) {
  const double factor = producto.UEMPA_I.value_or(0);
  Dinero precio;
  for (int n = 1; n <= TFormaConProduct::kPrecios; ++n) {
    const double desde = n == 1 ? 0 : producto.Politica(n - 1).value_or(0);
    if (factor > desde && factor <= producto.Politica(n).value_or(0)) precio = producto.Precio(n).value_or(0);
  }
  return precio * factor;
}

TRegistroProducto TFormaConProduct::ProductoActual() const {
  TRegistroProducto p;
  if (TablaConProducto->Active() && TablaConProducto->RecNo() != 0) p.Lee(*TablaConProducto);
  return p;
}

QString TFormaConProduct::TextoPrecioPorEmpaque() const {
  return FormatoMascara(QStringLiteral("$ ###,##0.00"), PrecioEmpaque(ProductoActual()));
}

QString TFormaConProduct::Descripcion() const { return ProductoActual().DSCPR_I; }

void TFormaConProduct::MuestraEmpaqueProducto() {
  const TRegistroProducto p = ProductoActual();
  const double factor = p.UEMPA_I.value_or(0);
  const double empaques = factor > 0 ? p.EXIST_I.value_or(0) / factor : 0;
  const double enteros = std::trunc(empaques);
  const double piezas = Redondea(0, (empaques - enteros) * factor);
  const Dinero costo = p.ULCOS_I.value_or(0) * factor;
  LabelEmpaque->setText(FormatoMascara(kMascaraEmpaque, enteros) + QStringLiteral(" Emp.\n") +
                        FormatoMascara(kMascaraEmpaque, piezas) + QStringLiteral(" Pz\n") +
                        FormatoMascara(kMascaraEmpaque, costo) + QStringLiteral(" Emp"));
}

void TFormaConProduct::MuestraDisponible() {
  if (VerPoliticas->isChecked() || !TablaConProducto->Active() || TablaConProducto->RecNo() == 0) return;
  Label2->setText(QStringLiteral("Disponible \n") +
                  TextoRedondeado(2, ProductoActual().Disponible()).rightJustified(12, u' '));
}

void TFormaConProduct::MuestraColumnasPrecios(const QString& cuantas) {
  if (cuantas.isEmpty()) return;
  bool numero = false;
  const int n = cuantas.trimmed().toInt(&numero);
  const int visibles = numero && n >= 1 && n <= kPrecios ? n : 0;
  for (int i = 0; i < kPrecios; ++i)
    Detalle->SetAnchoColumna(kColumnaPrecio1 + i, i < visibles ? kAnchoColumnaPrecio : -1);
}

void TFormaConProduct::LeePrecios() {
  QStringList lineas;
  try {
    lineas = fs::LeeLineas(ArchivoPrecios());
  } catch (const plat::Error&) {
    return;  // missing or unreadable: the window as designed
  }
  lineas.resize(3);
  ActivaBusqueda->setChecked(lineas[1] == u"S");
  const bool politicas = lineas[2] == u"S";
  Panel4->setVisible(politicas);
  VerPoliticas->setChecked(politicas);
  MuestraColumnasPrecios(lineas[0]);
  Precios->setValue(lineas[0].trimmed().toInt());
  ui::SetTag(Precios, 1);
}

void TFormaConProduct::PreciosCambiados() {
  if (ui::Tag(Precios) <= 0 || !fs::ExisteArchivo(ArchivoPrecios())) return;
  fs::ReescribeLineas(ArchivoPrecios(), {QString::number(Precios->value()),
                                         ActivaBusqueda->isChecked() ? QStringLiteral("S") : QString(),
                                         VerPoliticas->isChecked() ? QStringLiteral("S") : QString()});
  MuestraColumnasPrecios(QString::number(Precios->value()));
}
