#include "pos/TotalesVenta.h"

#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "inventory/CamposRegistro.h"
#include "inventory/RegistroProducto.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Texto.h"
#include "pos/ImportesVenta.h"
#include "pos/PreciosVenta.h"

#include <cmath>

namespace {

const QString kMascaraComparacion = QStringLiteral("#######0.000");

// The fields of a capture row the walk uses, found once.
struct CamposCaptura {
  explicit CamposCaptura(db::Dataset& c)
      : cantidad(c.FieldByName(QStringLiteral("CANTIDAD"))),
        clave(c.FieldByName(QStringLiteral("CLAVE"))),
        precio(c.FieldByName(QStringLiteral("PRECIO"))),
        descuento(c.FieldByName(QStringLiteral("DESCUENTO"))),
        importe(c.FieldByName(QStringLiteral("IMPORTE"))),
        costo(c.FieldByName(QStringLiteral("COSTO"))),
        impuesto(c.FieldByName(QStringLiteral("IMPUESTO"))),
        factor(c.FieldByName(QStringLiteral("FACTOR"))),
        empaque(c.FieldByName(QStringLiteral("EMPAQUE"))),
        fpgc(c.FieldByName(QStringLiteral("FPGC"))),
        ieps(c.FieldByName(QStringLiteral("IEPS1"))) {}
  db::Campo &cantidad, &clave, &precio, &descuento, &importe, &costo, &impuesto, &factor, &empaque, &fpgc, &ieps;
};

// What a capture row holds of what the walk may change.
struct Fila {
  std::optional<Dinero> precio, importe;
  std::optional<double> factor, empaque;
  bool operator==(const Fila&) const = default;
};

// The row's price by the volume policy of its product, with its amount and
// its packages. A product not found, or any error on the way, leaves the row
// as it was.
void Reprecia(Fila& fila, const QString& clave, double cantidad, double descuento, db::Tabla& productos,
              const ReglasTotales& reglas) {
  try {
    if (!LocalizaProducto(productos, clave)) return;
    TRegistroProducto producto;
    producto.Lee(productos);
    Fila nueva = fila;
    nueva.precio = PrecioPorVolumen(producto, cantidad, reglas.factorPrecio);
    nueva.importe = ImporteLinea(cantidad, *nueva.precio, descuento);
    if (!producto.UEMPA_I) {
      nueva.empaque.reset();
    } else {
      const double unidades = *producto.UEMPA_I;
      nueva.factor = unidades;
      // Whole or half packages only.
      const double paquetes = unidades == 0 ? 0 : cantidad / unidades;
      const double fraccion = paquetes - std::floor(paquetes);
      if (unidades != 0 && paquetes != nueva.empaque.value_or(0))
        nueva.empaque = paquetes >= 0.5 && (fraccion == 0 || fraccion == 0.5) ? paquetes : 0;
    }
    fila = nueva;
  } catch (const plat::Error&) {
  }
}

}  // namespace

Dinero RedondeaTotal(int digitos, Dinero importe) {
  if (digitos <= 0) return importe;
  if (importe < Dinero()) return -RedondeaTotal(digitos, -importe);
  const std::int64_t paso = 10 * static_cast<std::int64_t>(digitos);
  const std::int64_t pesos = importe.Diezmilesimas() / Dinero::kEscala;
  const std::int64_t centavos = importe.Diezmilesimas() % Dinero::kEscala / 100;
  if (centavos == 0) return importe;
  const std::int64_t q = centavos / paso;
  const std::int64_t r = centavos % paso;
  const std::int64_t redondeados = r > 0 ? q * paso + paso : q * paso;
  return Dinero::DeDiezmilesimas((pesos * 100 + redondeados) * 100);
}

TotalesVenta CalculaTotalesCaptura(db::Dataset& captura, db::Tabla* productos, const ReglasTotales& reglas) {
  TotalesVenta t;
  double ivaAcumulado = 0;
  CamposCaptura f(captura);
  for (captura.First(); !captura.Eof(); captura.Next()) {
    const QString clave = f.clave.AsString();
    const double cantidad = f.cantidad.AsFloat();
    const double descuento = f.descuento.AsFloat();
    const Fila guardada{registro::LeeImporte(f.precio), registro::LeeImporte(f.importe), registro::LeeReal(f.factor),
                        registro::LeeReal(f.empaque)};
    Fila fila = guardada;
    if (clave.isEmpty()) fila.precio = fila.importe = Dinero();
    const std::optional<Dinero> anterior = fila.importe;
    fila.importe = ImporteLinea(cantidad, fila.precio.value_or(Dinero()), descuento);
    if (fila.importe != anterior && !reglas.precioDesbloqueado && productos)
      Reprecia(fila, clave, cantidad, descuento, *productos, reglas);
    // Only a row that changed is written.
    if (fila != guardada) {
      captura.Edit();
      try {
        registro::Escribe(f.precio, fila.precio);
        registro::Escribe(f.importe, fila.importe);
        registro::Escribe(f.factor, fila.factor);
        registro::Escribe(f.empaque, fila.empaque);
        captura.Post();
      } catch (...) {
        captura.Cancel();
        throw;
      }
    }

    const Dinero precio = fila.precio.value_or(Dinero());
    const Dinero importe = fila.importe.value_or(Dinero());
    const double tasa = f.impuesto.AsFloat();
    t.SubtotalVenta += importe;
    t.DescuentoLineas += DescuentoDeLinea(cantidad, precio, descuento);
    if (reglas.impuestosIncluidos) {
      const double monto = importe.Real();
      const double iva = ImpuestoIncluido(monto, tasa);
      ivaAcumulado += iva;
      // A row marked so in FPGC only adds its IVA.
      if (f.fpgc.AsFloat() >= -1000) {
        const Dinero costo = registro::LeeImporte(f.costo).value_or(Dinero());
        t.CostoVenta += Dinero::DeReal(cantidad * costo.Real() / (1 + tasa / 100));
        const double tasaIeps = f.ieps.AsFloat();
        const double neto = monto - iva;
        const double ieps = neto - neto / (1 + tasaIeps / 100);
        t.IepsVenta += ieps;
        if (tasa == 0 && tasaIeps == 0) {
          t.ExentoVenta += importe;
        } else if (tasa == 0 && tasaIeps > 0) {
          t.IepsSinIva += ieps;
        } else if (tasa > 0 && tasaIeps == 0) {
          t.IvaSinIeps += iva;
        } else if (tasa > 0 && tasaIeps > 0) {
          t.IepsConIva += ieps;
          t.IvaConIeps += iva;
        }
      }
    } else {
      ivaAcumulado += importe.Real() * tasa / 100;
      t.CostoVenta += registro::LeeImporte(f.costo).value_or(Dinero()) * cantidad;
    }
    ++t.Partidas;
    t.Articulos += cantidad;
  }

  t.SubtotalVenta = reglas.impuestosIncluidos ? ACentavos(t.SubtotalVenta.Real() - ivaAcumulado)
                                              : t.SubtotalVenta.Redondeada(2);
  t.IvaVenta = reglas.tasaDocumento == 0 ? ACentavos(ivaAcumulado)
                                         : PorcentajeACentavos(t.SubtotalVenta, reglas.tasaDocumento);
  const Dinero bruto = t.SubtotalVenta + t.IvaVenta;
  t.DescuentoDocumento = PorcentajeACentavos(bruto, reglas.descuentoDocumento);
  t.TotalVenta = RedondeaTotal(reglas.digitosTotal, bruto - t.DescuentoDocumento);
  return t;
}

bool DifiereCampo(const db::Dataset& encabezado, const QString& campo, double valor) {
  return FormatoMascara(kMascaraComparacion, encabezado.FieldByName(campo).AsFloat()) !=
         FormatoMascara(kMascaraComparacion, valor);
}

bool TotalesDifieren(const db::Dataset& e, const TotalesVenta& t) {
  return DifiereCampo(e, QStringLiteral("IMTOD_F"), t.TotalVenta.Real()) ||
         DifiereCampo(e, QStringLiteral("SUBTO_F"), t.SubtotalVenta.Real()) ||
         DifiereCampo(e, QStringLiteral("IEPS1_F"), t.IepsVenta) ||
         DifiereCampo(e, QStringLiteral("EXENT_F"), t.ExentoVenta.Real()) ||
         DifiereCampo(e, QStringLiteral("IVAX1_F"), t.IvaSinIeps) ||
         DifiereCampo(e, QStringLiteral("IVAX2_F"), t.IvaConIeps) ||
         DifiereCampo(e, QStringLiteral("IEPS2_F"), t.IepsSinIva) ||
         DifiereCampo(e, QStringLiteral("IEPS3_F"), t.IepsConIva);
}

void EscribeTotales(db::Dataset& e, const TotalesVenta& t) {
  const auto escribe = [&e](const char* campo, Dinero valor) {
    registro::Escribe(e.FieldByName(QString::fromLatin1(campo)), std::optional(valor));
  };
  const auto real = [&escribe](const char* campo, double valor) { escribe(campo, Dinero::DeReal(valor)); };
  escribe("SUBTO_F", t.SubtotalVenta);
  escribe("IMIM2_F", t.IvaVenta);
  escribe("IMTOD_F", t.TotalVenta);
  escribe("COSTO_F", t.CostoVenta);
  escribe("SALDO_F", t.TotalVenta - Dinero::DeReal(e.FieldByName(QStringLiteral("ABONO_F")).AsFloat()));
  real("IEPS1_F", t.IepsVenta);
  escribe("EXENT_F", t.ExentoVenta);
  real("IEPS2_F", t.IepsSinIva);
  real("IVAX1_F", t.IvaSinIeps);
  real("IEPS3_F", t.IepsConIva);
  real("IVAX2_F", t.IvaConIeps);
}

QString TextoTotalArchivo(const QString& totalMostrado) {
  QString texto = totalMostrado;
  texto.remove(u',').remove(u'.').remove(u' ');
  return texto;
}

void EscribeTotalArchivo(const QString& totalMostrado) {
  try {
    fs::ReescribeLineas(CarpetaPrograma(QStringLiteral("\\total.dat")), {TextoTotalArchivo(totalMostrado)});
  } catch (const plat::Error&) {
  }
}
