#pragma once
// The company of the sale screen's tests (pos/venta_prueba.h) for the
// legacy document window: remissions with their lines, products, and the
// window opened through the modal gate as a user would see it.

#include "abre_factura.h"
#include "legacy/Factu.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/PuertaModal.h"
#include "pos/venta_prueba.h"
#include "support/Maneja.h"

#include <QMap>
#include <QString>

#include <functional>
#include <memory>

class FacturaPrueba : public VentaPrueba {
 protected:
  // A line of a document's line table (RemisioD.dbf unless told).
  static void AgregaPartida(int numero, int control, const QString& clave, const QString& cantidad,
                            const QString& precio, QMap<QString, QString> otros = {},
                            const QString& tabla = "RemisioD.dbf") {
    otros["CLDOC_FD"] = QString::number(numero);
    otros["CONTROL"] = QString::number(control);
    otros["CLPRO_FD"] = clave;
    otros["DEPRO_FD"] = "ARTICULO " + clave;
    otros["CANTI_FD"] = cantidad;
    otros["PUNPR_FD"] = precio;
    AgregaFila(tabla, otros);
  }

  static void AbreFactura(const QString& usuario, const std::function<void(TFormaFactura&)>& mira) {
    AbreVentanaFactura(usuario, mira);
  }

  // The bytes of a table's file.
  static QByteArray Bytes(const QString& carpeta, const QString& archivo) {
    return fs::LeeBytes(fs::Une(carpeta, archivo));
  }
};
