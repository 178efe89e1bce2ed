#include "customers/MovimientosCuenta.h"

#include "foundation/rutinas_numero.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Colores.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/RejillaDatos.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

MovimientosCuenta ArmaMovimientosCuenta(QWidget& forma, ui::Panel& cabecera, ui::FuenteDatos* fuente,
                                         const QFont& negrita) {
  MovimientosCuenta m{};
  m.panelRejilla = new ui::Panel(&forma);
  m.panelRejilla->setObjectName(QStringLiteral("Panel2"));
  ui::RejillaDatos* d = m.detalle = new ui::RejillaDatos(m.panelRejilla);
  d->setObjectName(QStringLiteral("Detalle"));
  d->SetFuente(fuente);
  d->SetSoloLectura(true);
  d->SetEnterComoTab(true);
  d->AgregaColumna(QStringLiteral("TIMOV_CC"), QStringLiteral("Movimiento"));
  d->AgregaColumna(QStringLiteral("CONCE_CC"), QStringLiteral("Concepto"), 220);
  d->AgregaColumna(QStringLiteral("NUDOC_CC"), QStringLiteral("Documento"));
  d->AgregaColumna(QStringLiteral("FEVEN_CC"), QStringLiteral("Fecha de Pago"));
  d->AgregaColumna(QStringLiteral("CARGO_CC"), QStringLiteral("Cargos"), 100);
  d->AgregaColumna(QStringLiteral("ABONO_CC"), QStringLiteral("Abonos"), 100);
  d->SetColorColumna(4, ui::ColorQt(ui::clRed, forma.palette()), false);
  d->SetColorColumna(5, ui::ColorQt(ui::clNavy, forma.palette()), false);
  d->TextoCelda = [](const db::Campo& campo, const QVariant& valor, const QString& texto) {
    const bool numero = campo.Tipo() == db::TipoDato::Entero || campo.Tipo() == db::TipoDato::Flotante ||
                        campo.Tipo() == db::TipoDato::Moneda;
    if (!numero || !valor.isValid() || campo.Nombre().compare(QStringLiteral("NUDOC_CC"), Qt::CaseInsensitive) == 0)
      return texto;
    return FormatoMascara(QStringLiteral("###,##0.00"), valor.toDouble());
  };
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
