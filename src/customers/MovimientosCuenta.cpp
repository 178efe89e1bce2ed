#include "customers/MovimientosCuenta.h"

#include "foundation/rutinas_numero.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Colores.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/RejillaDatos.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CabeceraCuenta ArmaCabeceraCuenta(ui::Panel& panel, const QString& documento, const QString& contraparte,
                                  const QFont& negrita) {
  const auto etiqueta = [&panel](const char* nombre, const QString& texto = {}) {
    auto* l = new QLabel(texto, &panel);
    if (nombre) l->setObjectName(QString::fromLatin1(nombre));
    return l;
  };
  CabeceraCuenta c{};
  c.factura = new QLineEdit(&panel);
  c.factura->setObjectName(QStringLiteral("Factura"));
  c.factura->setMaximumWidth(110);
  c.clave = etiqueta("ClaveCliente");
  c.aplicacion = etiqueta("FechaAplicacion");
  c.vencimiento = etiqueta("FechaVencimiento");
  c.tiempo = etiqueta("tiempo");
  c.estado = etiqueta("Estado");
  c.estado->setFont(negrita);
  c.saldoE = etiqueta("SaldoE");

  c.rejilla = new QGridLayout(&panel);
  c.rejilla->addWidget(etiqueta(nullptr, documento), 0, 0);
  c.rejilla->addWidget(c.factura, 0, 1);
  c.rejilla->addWidget(etiqueta(nullptr, contraparte), 1, 0);
  c.rejilla->addWidget(c.clave, 1, 1);
  c.rejilla->addWidget(etiqueta(nullptr, QStringLiteral("Fecha de aplicación")), 2, 0);
  c.rejilla->addWidget(c.aplicacion, 2, 1);
  c.rejilla->addWidget(etiqueta(nullptr, QStringLiteral("Fecha de vencimiento")), 3, 0);
  auto* vence = new QHBoxLayout;
  vence->addWidget(c.vencimiento);
  vence->addWidget(c.tiempo, 1);
  c.rejilla->addLayout(vence, 3, 1);
  auto* estado = new QVBoxLayout;
  estado->addWidget(c.estado);
  estado->addWidget(c.saldoE);
  estado->addStretch();
  c.rejilla->addLayout(estado, 0, 2, 4, 1);
  c.rejilla->setColumnStretch(1, 1);
  return c;
}

ui::RejillaDatos* RejillaMovimientosCuenta(QWidget* padre, ui::FuenteDatos* fuente, const ColumnasMovimientos& columnas) {
  const auto campo = [&columnas](const char* raiz) { return QString::fromLatin1(raiz) + columnas.sufijo; };
  auto* d = new ui::RejillaDatos(padre);
  d->setObjectName(QStringLiteral("Detalle"));
  d->SetFuente(fuente);
  d->SetEnterComoTab(true);
  d->AgregaColumna(campo("TIMOV_"), QStringLiteral("Movimiento"));
  d->AgregaColumna(campo("CONCE_"), QStringLiteral("Concepto"), 220);
  d->AgregaColumna(campo("NUDOC_"), QStringLiteral("Documento"));
  d->AgregaColumna(columnas.fechaPago, QStringLiteral("Fecha de Pago"));
  d->AgregaColumna(campo("CARGO_"), columnas.cargos, 100);
  d->AgregaColumna(campo("ABONO_"), columnas.abonos, 100);
  d->SetColorColumna(4, ui::ColorQt(ui::clRed, padre->palette()), false);
  d->SetColorColumna(5, ui::ColorQt(ui::clNavy, padre->palette()), false);
  const QString documento = campo("NUDOC_");
  d->TextoCelda = [documento](const db::Campo& campo, const QVariant& valor, const QString& texto) {
    const bool numero = campo.Tipo() == db::TipoDato::Entero || campo.Tipo() == db::TipoDato::Flotante ||
                        campo.Tipo() == db::TipoDato::Moneda;
    if (!numero || !valor.isValid() || campo.Nombre().compare(documento, Qt::CaseInsensitive) == 0) return texto;
    return FormatoMascara(QStringLiteral("###,##0.00"), valor.toDouble());
  };
  return d;
}

MovimientosCuenta ArmaMovimientosCuenta(QWidget& forma, ui::Panel& cabecera, ui::FuenteDatos* fuente,
                                         const QFont& negrita) {
  MovimientosCuenta m{};
  m.panelRejilla = new ui::Panel(&forma);
  m.panelRejilla->setObjectName(QStringLiteral("Panel2"));
  ui::RejillaDatos* d = m.detalle = RejillaMovimientosCuenta(
      m.panelRejilla, fuente,
      {QStringLiteral("CC"), QStringLiteral("FEVEN_CC"), QStringLiteral("Cargos"), QStringLiteral("Abonos")});
  d->SetSoloLectura(true);
  auto* rejilla = new QVBoxLayout(m.panelRejilla);
  rejilla->setContentsMargins(0, 0, 0, 0);
  rejilla->addWidget(d);

  m.panelPie = new ui::Panel(&forma);
  m.panelPie->setObjectName(QStringLiteral("Panel3"));
  m.saldo = new QLabel(m.panelPie);
  m.saldo->setObjectName(QStringLiteral("Saldo"));
  m.saldo->setFont(negrita);
  auto* pie = new QHBoxLayout(m.panelPie);
  pie->addStretch();
  pie->addWidget(new QLabel(QStringLiteral("Saldo:"), m.panelPie));
  pie->addWidget(m.saldo);

  auto* capa = new QVBoxLayout(&forma);
  capa->setContentsMargins(0, 0, 0, 0);
  capa->setSpacing(0);
  capa->addWidget(&cabecera);
  capa->addWidget(m.panelRejilla, 1);
  capa->addWidget(m.panelPie);
  return m;
}
