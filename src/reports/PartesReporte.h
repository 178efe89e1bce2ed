#pragma once
// Parts the report windows build alike: the chart view, hidden until a chart
// is asked for, and the status bar whose first panel tells the page.

#include <QString>

class QChartView;
class QLabel;
class QStatusBar;
class QWidget;

// "ModuloGrafica": a chart view with an empty chart, hidden.
QChartView* CreaVistaGrafica(QWidget* padre);

// "BarradeEstado": its first panel "PanelPaginas" (200 wide, "Paginas 0"),
// then a second one holding `aviso`.
QStatusBar* CreaBarraDeEstado(QWidget* padre, QLabel*& panelPaginas, const QString& aviso);
