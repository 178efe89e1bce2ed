#include "reports/Consolidar.h"

#include "foundation/BotonEsquinado.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/db/Literales.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/Colores.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "shell/LugarTablas.h"

#include <QChart>
#include <QChartView>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString kMascara = QStringLiteral("###,###,##0.00");

// The six figures, in the order of their lines.
struct Figura {
  const char* etiqueta;
  const char* suma;
  const char* tabla;
  const char* campoFecha;  // kind 1 ("Por Periódo")
  bool porPeriodo;         // follows the period when one is chosen
  const char* condicion;   // kind 2
};

constexpr Figura kFigurasConsolidar[TFormaConsolidar::kFiguras] = {
    {"Total de Remisiones  ", "IMTOD_F", "remision.dbf", "FEDOC_F", true, ""},
    {"Total de Compras     ", "IMDOC_O", "comprasE.dbf", "FEDOC_O", true, ""},
    {"Abonos en Compras    ", "IMDOC_O-SALDO_O", "comprasE.dbf", "FEDOC_O", true, ""},
    {"Saldo en Compras     ", "SALDO_O", "comprasE.dbf", "FEDOC_O", true, ""},
    {"Costo del Inventario ", "CPROM_I*EXIST_I", "inventar.dbf", "", false, "EXIST_I>0"},
    {"Valor del Inventario ", "PPUBL_I*EXIST_I", "inventar.dbf", "", false, "EXIST_I>0"},
};

constexpr int kPorFechas = 1;
constexpr int kConCondicion = 2;
constexpr int kCompleto = 3;

// "<month>/<day>/<year>" of a picker's date.
QString FechaConsolidar(const QDateEdit& fecha) { return FechaSQL(TextoFecha(fecha.date())); }

TBotonEsquinado* Boton(QWidget* padre, const char* nombre, const QString& texto) {
  auto* boton = new TBotonEsquinado(padre);
  boton->setObjectName(QString::fromLatin1(nombre));
  boton->setText(texto);
  boton->SetRedondes_x(20);
  boton->SetRedondes_y(15);
  boton->SetEl_color(ui::clBlue);
  QFont fuente = boton->font();
  fuente.setBold(true);
  boton->setFont(fuente);
  QPalette colores = boton->palette();
  colores.setColor(QPalette::ButtonText, Qt::yellow);
  boton->setPalette(colores);
  boton->setMinimumSize(110, 40);
  return boton;
}

QDateEdit* Fecha(QWidget* padre, const char* nombre) {
  auto* fecha = new QDateEdit(padre);
  fecha->setObjectName(QString::fromLatin1(nombre));
  fecha->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
  fecha->setCalendarPopup(true);
  fecha->setDate(fs::Hoy());
  fecha->setEnabled(false);
  return fecha;
}

QLabel* Etiqueta(QWidget* padre, const QString& texto) {
  auto* etiqueta = new QLabel(texto, padre);
  QPalette colores = etiqueta->palette();
  colores.setColor(QPalette::WindowText, Qt::white);
  etiqueta->setPalette(colores);
  return etiqueta;
}

}  // namespace

QString FormatoConsolidar(const QString& mascara, const QString& valor, const QString& prefijo) {
  if (prefijo == u"c") return valor;
  try {
    return FormatoImporte(mascara, valor, prefijo);
  } catch (const plat::Error&) {
    return FormatoImporte(mascara, QString(), prefijo);
  }
}

QString EtiquetaConsolidar(const QString& linea) {
  const qsizetype pesos = linea.indexOf(u'$');
  return pesos < 0 ? linea : linea.left(pesos);
}

TFormaConsolidar::TFormaConsolidar(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaConsolidar>() = this;
  setObjectName(QStringLiteral("FormaConsolidar"));
  setWindowTitle(QStringLiteral("Consolidar"));
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setAutoFillBackground(true);
  QPalette colores = palette();
  colores.setColor(QPalette::Window, QColor(0, 0, 255));
  setPalette(colores);
  resize(860, 480);

  LabelRuta = new QLabel(this);
  LabelRuta->setObjectName(QStringLiteral("LabelRuta"));
  LabelRuta->hide();

  MemoConsolidar = new QPlainTextEdit(this);
  MemoConsolidar->setObjectName(QStringLiteral("MemoConsolidar"));
  MemoConsolidar->setReadOnly(true);
  MemoConsolidar->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont letra(QStringLiteral("Courier New"));
  letra.setStyleHint(QFont::Monospace);
  letra.setBold(true);
  MemoConsolidar->setFont(letra);
  QPalette memo = MemoConsolidar->palette();
  memo.setColor(QPalette::Base, Qt::black);
  memo.setColor(QPalette::Text, Qt::white);
  MemoConsolidar->setPalette(memo);

  ModuloGrafica = new QChartView(this);
  ModuloGrafica->setObjectName(QStringLiteral("ModuloGrafica"));
  ModuloGrafica->setRenderHint(QPainter::Antialiasing);
  Grafica.titulo = QStringLiteral("Gráfica");
  Grafica.fondo = Qt::black;
  Grafica.vista3D = false;
  SerieGrafica barras;
  barras.color = Qt::red;
  barras.marcas = MarcaGrafica::Valor;
  barras.mascaraMarcas = kMascara;
  barras.largoFlecha = 10;
  Grafica.series.push_back(barras);

  BotonEsquinado1 = Boton(this, "BotonEsquinado1", QStringLiteral("Consolida"));
  BotonEsquinado2 = Boton(this, "BotonEsquinado2", QStringLiteral("Graficar"));
  RadioButton1 = new QRadioButton(QStringLiteral("Completo"), this);
  RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
  RadioButton1->setChecked(true);
  RadioButton2 = new QRadioButton(QStringLiteral("Por Periódo"), this);
  RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
  for (QRadioButton* r : {RadioButton1, RadioButton2}) {
    QPalette p = r->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    r->setPalette(p);
  }
  FechaInicio = Fecha(this, "FechaInicio");
  FechaFinal = Fecha(this, "FechaFinal");
  Progreso = new QProgressBar(this);
  Progreso->setObjectName(QStringLiteral("Progreso"));
  Progreso->setRange(0, 100);
  Progreso->setValue(0);
  Progreso->setStyleSheet(QStringLiteral("QProgressBar::chunk { background-color: lime; }"));

  auto* disposicion = new QVBoxLayout(this);
  auto* arriba = new QHBoxLayout;
  arriba->addWidget(MemoConsolidar, 1);
  arriba->addWidget(ModuloGrafica, 1);
  disposicion->addLayout(arriba, 1);
  auto* abajo = new QHBoxLayout;
  abajo->addWidget(BotonEsquinado1);
  abajo->addWidget(BotonEsquinado2);
  auto* periodo = new QGridLayout;
  periodo->addWidget(RadioButton1, 0, 0);
  periodo->addWidget(RadioButton2, 1, 0);
  periodo->addWidget(Etiqueta(this, QStringLiteral("Inicio")), 0, 1);
  periodo->addWidget(FechaInicio, 0, 2);
  periodo->addWidget(Etiqueta(this, QStringLiteral("Final")), 1, 1);
  periodo->addWidget(FechaFinal, 1, 2);
  abajo->addLayout(periodo);
  abajo->addWidget(Progreso, 1);
  disposicion->addLayout(abajo);

  ui::Conecta(BotonEsquinado1, &QPushButton::clicked, this, [this] { BotonEsquinado1Click(); });
  ui::Conecta(BotonEsquinado2, &QPushButton::clicked, this, [this] { BotonEsquinado2Click(); });
  ui::Conecta(RadioButton1, &QRadioButton::clicked, this, [this] { RadioButtonClick(); });
  ui::Conecta(RadioButton2, &QRadioButton::clicked, this, [this] { RadioButtonClick(); });
  ui::CentraEnPantalla(*this);
}

void TFormaConsolidar::FormShow() {
  repaint();
  BotonEsquinado1Click();
  BotonEsquinado2Click();
}

void TFormaConsolidar::RadioButtonClick() {
  const bool periodo = !RadioButton1->isChecked();
  FechaInicio->setEnabled(periodo);
  FechaFinal->setEnabled(periodo);
}

QString TFormaConsolidar::SumaConsolidar(const QString& expresion, const QString& tabla, const QString& campoFecha,
                                         int tipo, const QString& condicion) {
  QString resultado;
  try {
    QString sql = QStringLiteral("Select Sum(") + expresion + QStringLiteral(") from ") +
                  TablaSQL(tabla) + u' ';
    if (tipo == kPorFechas) {
      sql += QStringLiteral(" where ") + campoFecha + QStringLiteral(">=") +
             db::LiteralComillas(FechaConsolidar(*FechaInicio)) + QStringLiteral(" and ") + campoFecha +
             QStringLiteral("<=") + db::LiteralComillas(FechaConsolidar(*FechaFinal));
    } else if (tipo == kConCondicion) {
      sql += QStringLiteral(" where ") + condicion;
    }
    db::Consulta consulta;
    consulta.SetSQL(sql);
    consulta.Open();
    resultado = consulta.FieldCount() > 0 && !consulta.IsEmpty() ? consulta.Fields(0).AsString() : QString();
  } catch (const plat::Error&) {
    // A table that cannot be read counts as nothing, without a word.
    resultado = QStringLiteral("0");
  }
  const size_t n = static_cast<size_t>(std::clamp(ContadorConsolidar, 1, kFiguras));
  ValoresConsolidar[n] = Dinero::Lee(resultado).value_or(Dinero());
  const QString salida = FormatoConsolidar(kMascara, resultado, QStringLiteral("f"));
  Progreso->setValue(ContadorConsolidar * 100 / TotalConsolidar);
  ++ContadorConsolidar;
  return salida;
}

void TFormaConsolidar::BotonEsquinado1Click() {
  ContadorConsolidar = 1;
  MemoConsolidar->clear();
  const bool periodo = RadioButton2->isChecked();
  for (const Figura& f : kFigurasConsolidar) {
    const int tipo = f.porPeriodo ? (periodo ? kPorFechas : kCompleto) : kConCondicion;
    MemoConsolidar->appendPlainText(QString::fromLatin1(f.etiqueta) +
                                    SumaConsolidar(QString::fromLatin1(f.suma), QString::fromLatin1(f.tabla),
                                                   QString::fromLatin1(f.campoFecha), tipo,
                                                   QString::fromLatin1(f.condicion)));
  }
}

void TFormaConsolidar::BotonEsquinado2Click() {
  SerieGrafica& barras = Grafica.series[0];
  barras.puntos.clear();
  const QStringList lineas = MemoConsolidar->toPlainText().split(u'\n');
  for (int i = 1; i <= TotalConsolidar; ++i)
    barras.Agrega(i, ValoresConsolidar[static_cast<size_t>(i)].Real(), EtiquetaConsolidar(lineas.value(i - 1)));
  DibujaGrafica(Grafica, *ModuloGrafica->chart());
}
