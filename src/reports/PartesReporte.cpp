#include "reports/PartesReporte.h"

#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QStatusBar>

QChartView* CreaVistaGrafica(QWidget* padre) {
  auto* vista = new QChartView(new QChart, padre);
  vista->setObjectName(QStringLiteral("ModuloGrafica"));
  vista->hide();
  return vista;
}

QStatusBar* CreaBarraDeEstado(QWidget* padre, QLabel*& panelPaginas, const QString& aviso) {
  auto* barra = new QStatusBar(padre);
  barra->setObjectName(QStringLiteral("BarradeEstado"));
  barra->setSizeGripEnabled(false);
  panelPaginas = new QLabel(QStringLiteral("Paginas 0"), barra);
  panelPaginas->setObjectName(QStringLiteral("PanelPaginas"));
  panelPaginas->setFixedWidth(200);
  barra->addWidget(panelPaginas);
  auto* segundo = new QLabel(aviso, barra);
  if (aviso.isEmpty()) segundo->setFixedWidth(50);
  barra->addWidget(segundo);
  return barra;
}
