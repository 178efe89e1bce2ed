#pragma once
// The consolidated totals "Consolidar" (TFormaConsolidar): six figures of
// the whole company at a glance, each a line of the memo and a bar of the
// chart: the remissions, the purchases, what was paid of them and what is
// owed, and the stock at average cost and at public price.
//
// Every figure is one query over a company table in its own folder
// (shell/LugarTablas.h: the remissions and products may live apart from the
// data folder the main menu puts in LabelRuta); one that cannot be read,
// or a sum without rows, is 0, without a message. With "Por Periódo" the
// remission and purchase figures take only the documents dated from
// FechaInicio to FechaFinal; the stock figures always cover the whole
// product table (products with stock above 0).
//
// Showing the window computes and charts the figures; "Consolida" computes
// them again (the gauge goes 16, 33, 50, 66, 83, 100), "Graficar" charts
// the figures last computed.

#include "foundation/dinero.h"
#include "platform/ui/Forma.h"
#include "reports/ModeloGrafica.h"

#include <QString>

#include <array>

class QChartView;
class QDateEdit;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QRadioButton;
class TBotonEsquinado;

// A figure's amount text: prefix "f" shows "$"; prefix "c" gives the value
// text as it is; otherwise an empty value is 0, the amount is written with
// the mask and filled with blanks on the left to the mask's length, behind
// the prefix. A value that is no number is 0.
QString FormatoConsolidar(const QString& mascara, const QString& valor, const QString& prefijo);
// The text of a line before its first "$" (the whole line without one).
QString EtiquetaConsolidar(const QString& linea);

class TFormaConsolidar : public ui::Forma {
  Q_OBJECT
 public:
  static constexpr int kFiguras = 6;

  explicit TFormaConsolidar(QWidget* owner = nullptr);

  QPlainTextEdit* MemoConsolidar;
  TBotonEsquinado* BotonEsquinado1;  // "Consolida"
  TBotonEsquinado* BotonEsquinado2;  // "Graficar"
  QRadioButton* RadioButton1;        // "Completo"
  QRadioButton* RadioButton2;        // "Por Periódo"
  QDateEdit* FechaInicio;
  QDateEdit* FechaFinal;
  QProgressBar* Progreso;
  QChartView* ModuloGrafica;
  QLabel* LabelRuta;  // hidden: the data folder

  // The chart as data: one red bar series with value marks.
  ModeloGrafica Grafica;
  // The figures by line, 1 to 6 (index 0 unused).
  std::array<Dinero, kFiguras + 1> ValoresConsolidar{};
  int TotalConsolidar = kFiguras;
  int ContadorConsolidar = 1;

  // One figure: the sum of `expresion` over the company table `tabla`;
  // kind 1 between the two dates on `campoFecha`, kind 2 under `condicion`,
  // kind 3 over every row. Its amount text.
  QString SumaConsolidar(const QString& expresion, const QString& tabla, const QString& campoFecha, int tipo,
                         const QString& condicion);

  void BotonEsquinado1Click();  // "Consolida"
  void BotonEsquinado2Click();  // "Graficar"
  void RadioButtonClick();

 protected:
  void FormShow() override;
};

inline TFormaConsolidar* FormaConsolidar() { return ui::InstanciaDe<TFormaConsolidar>().data(); }
