#include "salesdocs/BuscarSQL.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas_fecha.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/hoja/Hoja.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "reports/CamposReporte.h"
#include "reports/Formatos.h"
#include "reports/OperacionesRejilla.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

namespace {

const QString kTipoFecha = QStringLiteral("ftDate");
// Field names and types are kept to this many characters.
constexpr int kLargoCampo = 15;

}  // namespace

QString TablaCatalogoCampos(const QString& tabla) { return TablaCamposReporte(tabla.toLower()); }

QString CondicionSQLBusqueda(const QString& operador, const QString& valor) {
  QString fragmento;
  ComparacionSQL(operador, valor, fragmento);
  return fragmento;
}

QString FechaBusquedaSQL(const QString& texto) { return FechaSQL(texto); }

QString LineaCodigoBusqueda(const CondicionBusqueda& c) {
  return c.campo + u',' + c.operador + u',' + c.valor;
}

TFormaBuscaSQL::TFormaBuscaSQL(QWidget* owner) : ui::Forma(owner) {
  if (!ui::InstanciaDe<TFormaBuscaSQL>()) ui::InstanciaDe<TFormaBuscaSQL>() = this;
  setObjectName(QStringLiteral("FormaBuscaSQL"));
  setWindowTitle(QStringLiteral("Filtrado de Información"));
  resize(760, 520);
  SetKeyPreview(true);

  const auto nombra = [](QObject* o, const char* nombre) { o->setObjectName(QString::fromLatin1(nombre)); };

  auto* capas = new QVBoxLayout(this);
  auto* arriba = new QGridLayout;
  capas->addLayout(arriba);

  RadioButton1 = new QRadioButton(QStringLiteral("Encabezado"), this);
  nombra(RadioButton1, "RadioButton1");
  RadioButton2 = new QRadioButton(QStringLiteral("Detalle"), this);
  nombra(RadioButton2, "RadioButton2");
  Label1 = new QLabel(QStringLiteral("Formato"), this);
  nombra(Label1, "Label1");
  NumeroFormato = new QSpinBox(this);
  nombra(NumeroFormato, "NumeroFormato");
  NumeroFormato->setRange(1, 3);
  NumeroFormato->setValue(1);
  arriba->addWidget(RadioButton1, 0, 0);
  arriba->addWidget(RadioButton2, 0, 1);
  arriba->addWidget(Label1, 0, 2);
  arriba->addWidget(NumeroFormato, 0, 3);

  Condicion1 = new QComboBox(this);
  nombra(Condicion1, "Condicion1");
  Operador1 = new QComboBox(this);
  nombra(Operador1, "Operador1");
  Operador1->addItems({QStringLiteral("="), QStringLiteral("<"), QStringLiteral(">"), QStringLiteral("<>"),
                       QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("Inicia_Con"),
                       QStringLiteral("Termina_Con"), QStringLiteral("Incluye")});
  Operador1->setCurrentIndex(0);
  Valor1 = new QComboBox(this);
  nombra(Valor1, "Valor1");
  Valor1->setEditable(true);
  Valor1->setInsertPolicy(QComboBox::NoInsert);
  arriba->addWidget(Condicion1, 1, 0, 1, 2);
  arriba->addWidget(Operador1, 1, 2);
  arriba->addWidget(Valor1, 1, 3, 1, 2);

  C1 = new QLabel(this);
  nombra(C1, "C1");
  T1 = new QLabel(this);
  nombra(T1, "T1");
  LabelEncabezado = new QLabel(this);
  nombra(LabelEncabezado, "LabelEncabezado");
  LabelDetalle = new QLabel(this);
  nombra(LabelDetalle, "LabelDetalle");
  for (QLabel* oculta : {C1, T1, LabelEncabezado, LabelDetalle}) oculta->setVisible(false);

  BitBtn1 = new QPushButton(QStringLiteral("Agregar"), this);
  nombra(BitBtn1, "BitBtn1");
  BitBtn2 = new QPushButton(QStringLiteral("Ejecutar"), this);
  nombra(BitBtn2, "BitBtn2");
  Button1 = new QPushButton(QStringLiteral("Limpiar..."), this);
  nombra(Button1, "Button1");
  SpeedButton1 = new QToolButton(this);
  nombra(SpeedButton1, "SpeedButton1");
  SpeedButton1->setText(QStringLiteral("XLS"));
  SpeedButton1->setToolTip(QStringLiteral("Exportar a Hoja de Cálculo"));
  auto* botones = new QHBoxLayout;
  for (QWidget* b : {static_cast<QWidget*>(BitBtn1), static_cast<QWidget*>(BitBtn2),
                     static_cast<QWidget*>(Button1), static_cast<QWidget*>(SpeedButton1)})
    botones->addWidget(b);
  botones->addStretch(1);
  arriba->addLayout(botones, 2, 0, 1, 5);

  auto* memos = new QHBoxLayout;
  MemoCondiciones = new QPlainTextEdit(this);
  nombra(MemoCondiciones, "MemoCondiciones");
  MemoCodigo = new QPlainTextEdit(this);
  nombra(MemoCodigo, "MemoCodigo");
  MemoCodigo->setReadOnly(true);
  MemoCodigo->setVisible(false);
  memos->addWidget(MemoCondiciones);
  memos->addWidget(MemoCodigo);
  MemoCondiciones->setMaximumHeight(110);
  MemoCodigo->setMaximumHeight(110);
  capas->addLayout(memos);

  Query1 = new db::Consulta(this);
  nombra(Query1, "Query1");
  DataSource1 = new ui::FuenteDatos(this);
  nombra(DataSource1, "DataSource1");
  DataSource1->SetDataSet(Query1);
  DetalleC = new ui::RejillaDatos(this);
  nombra(DetalleC, "DetalleC");
  DetalleC->SetSoloLectura(true);
  DetalleC->setSelectionBehavior(QAbstractItemView::SelectRows);
  DetalleC->SetFuente(DataSource1);
  capas->addWidget(DetalleC, 1);

  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  ui::Conecta(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  ui::Conecta(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
  ui::Conecta(RadioButton1, &QRadioButton::clicked, this, [this] { RadioButton1Click(); });
  ui::Conecta(RadioButton2, &QRadioButton::clicked, this, [this] { RadioButton2Click(); });
  ui::Conecta(NumeroFormato, &QSpinBox::valueChanged, this, [this] { NumeroFormatoChange(); });
  ui::Conecta(Condicion1, &QComboBox::currentIndexChanged, this, [this] { Condicion1Change(); });
  ui::Conecta(&ui::Eventos::De(DetalleC), &ui::Eventos::DblClick, this, [this] { DetalleCDblClick(); });
}

TFormaBuscaSQL::~TFormaBuscaSQL() = default;

void TFormaBuscaSQL::FormShow() {
  SetTag(0);
  Condicion1->setFocus(Qt::OtherFocusReason);
}

void TFormaBuscaSQL::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  if (tecla != Qt::Key_F12) return;
  MemoCodigo->setVisible(!MemoCodigo->isVisible());
  tecla = 0;
}

void TFormaBuscaSQL::CargaCamposBusqueda(const QString& tabla, const QString& carpeta, int formato) {
  db::Tabla campos;
  campos.SetCarpeta(carpeta);
  campos.SetNombreTabla(QStringLiteral("campos.dbf"));
  campos.SetReadOnly(true);
  campos.Open();
  campos.SetIndexName(QStringLiteral("TABLA"));
  const QString catalogada = TablaCatalogoCampos(tabla);
  campos.SetRange({catalogada}, {catalogada});
  if (formato >= 1 && formato <= 3) {
    campos.SetFilter(QStringLiteral("(Tamo = 0 ) or (Tamo = %1)").arg(formato));
    campos.SetFiltered(true);
  }

  const QSignalBlocker bloqueo(Condicion1);
  Condicion1->clear();
  Valor1->setEditText(QString());
  C1->clear();
  T1->clear();
  CamposBusqueda.clear();
  TiposCampoBusqueda.clear();
  DescripcionesBusqueda.clear();
  db::Campo& describe = campos.FieldByName(QStringLiteral("DESCRIBE"));
  db::Campo& campo = campos.FieldByName(QStringLiteral("CAMPO"));
  db::Campo& tipo = campos.FieldByName(QStringLiteral("TIPO"));
  for (campos.First(); !campos.Eof(); campos.Next()) {
    if (describe.AsString().isEmpty()) continue;
    DescripcionesBusqueda << describe.AsString();
    CamposBusqueda << campo.AsString().left(kLargoCampo);
    TiposCampoBusqueda << tipo.AsString().left(kLargoCampo);
  }
  Condicion1->addItems(DescripcionesBusqueda);
  Condicion1->setCurrentIndex(-1);
}

void TFormaBuscaSQL::Condicion1Change() {
  const int i = Condicion1->currentIndex();
  C1->setText(i >= 0 && i < CamposBusqueda.size() ? CamposBusqueda[i] : QString());
  T1->setText(i >= 0 && i < TiposCampoBusqueda.size() ? TiposCampoBusqueda[i] : QString());
}

void TFormaBuscaSQL::BitBtn1Click() {
  // A field must be chosen: a condition without one could only break the
  // query.
  if (C1->text().isEmpty()) {
    MuestraMensaje(QStringLiteral("Seleccione el campo de la condición..."));
    return;
  }
  const QString valor = Valor1->currentText();
  // The date is read first, so a value that is no date adds nothing.
  const QString codigo = T1->text() == kTipoFecha && !valor.isEmpty() ? FechaBusquedaSQL(valor) : valor;
  Condiciones.append({C1->text(), Operador1->currentText(), codigo});
  MemoCondiciones->appendPlainText(Condicion1->currentText() + u' ' + Operador1->currentText() + u' ' + valor);
  MuestraCondiciones();
}

void TFormaBuscaSQL::MuestraCondiciones() {
  QStringList lineas;
  for (const CondicionBusqueda& c : std::as_const(Condiciones)) lineas << LineaCodigoBusqueda(c);
  MemoCodigo->setPlainText(lineas.join(u'\n'));
}

QString TFormaBuscaSQL::TextoConsulta() const {
  QString condiciones;
  QString columnas;
  for (const CondicionBusqueda& c : Condiciones) {
    if (!condiciones.isEmpty()) condiciones += QStringLiteral(" and ");
    condiciones += c.campo + u' ' + CondicionSQLBusqueda(c.operador, c.valor);
    columnas += u',' + c.campo;
  }
  QString texto = SelectActual + columnas + QStringLiteral(" From \"") + fs::Une(Datos.CarpetaDatos, TablaActual) + u'"';
  if (!Condiciones.isEmpty()) texto += QStringLiteral(" WHERE ") + condiciones;
  if (!Datos.LlaveEncabezado.isEmpty()) texto += QStringLiteral(" order by ") + LlaveActual;
  return texto;
}

void TFormaBuscaSQL::BitBtn2Click() {
  Query1->Close();
  DetalleC->QuitaColumnas();
  try {
    Query1->SetSQL(TextoConsulta());
    Query1->Open();
  } catch (const plat::Error& e) {
    // The conditions stay, to be mended.
    Query1->Close();
    MuestraMensaje(e.mensaje());
    return;
  }
  // A column of a field of the list is titled with its caption; a repeated
  // column (NOMBR_F_1) is the same field.
  static const QRegularExpression kRepetido(QStringLiteral("^(.*)_\\d+$"));
  for (const QString& nombre : Query1->NombresCampos()) {
    int i = CamposBusqueda.indexOf(nombre);
    if (i < 0) {
      const QRegularExpressionMatch m = kRepetido.match(nombre);
      if (m.hasMatch()) i = CamposBusqueda.indexOf(m.captured(1));
    }
    DetalleC->AgregaColumna(nombre, i >= 0 ? DescripcionesBusqueda[i] : nombre);
  }
}

void TFormaBuscaSQL::LimpiaCondiciones() {
  Condiciones.clear();
  MemoCondiciones->clear();
  MemoCodigo->clear();
}

void TFormaBuscaSQL::Button1Click() { LimpiaCondiciones(); }

void TFormaBuscaSQL::RadioButton1Click() {
  CargaCamposBusqueda(LabelEncabezado->text(), Datos.CarpetaPrograma, NumeroFormato->value());
  TablaActual = LabelEncabezado->text();
  LlaveActual = Datos.LlaveEncabezado;
  SelectActual = Datos.SelectEncabezado;
  LimpiaCondiciones();
}

void TFormaBuscaSQL::RadioButton2Click() {
  CargaCamposBusqueda(LabelDetalle->text(), Datos.CarpetaPrograma, NumeroFormato->value());
  TablaActual = LabelDetalle->text();
  LlaveActual = Datos.LlaveDetalle;
  SelectActual = Datos.SelectDetalle;
  LimpiaCondiciones();
}

void TFormaBuscaSQL::NumeroFormatoChange() {
  if (!RadioButton1->isChecked() && !RadioButton2->isChecked()) return;
  const QString tabla = RadioButton2->isChecked() ? LabelDetalle->text() : LabelEncabezado->text();
  CargaCamposBusqueda(tabla, Datos.CarpetaPrograma, NumeroFormato->value());
}

void TFormaBuscaSQL::DetalleCDblClick() {
  if (!Query1->Active() || Query1->IsEmpty() || Query1->FieldCount() == 0) return;
  SetTag(static_cast<int>(Query1->Fields(0).AsInteger()));
  Close();
}

void TFormaBuscaSQL::SpeedButton1Click() {
  if (!Query1->Active()) return;
  const QString nombre = hoja::NombreHoja(fs::Une(Datos.CarpetaPrograma, QStringLiteral("tempo\\tempo.xls")), false);
  try {
    ExportaRejilla(*DetalleC, nombre);
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}

int MuestraBusquedaAvanzada(const BusquedaAvanzada& datos) {
  std::unique_ptr<TFormaBuscaSQL> propia;
  TFormaBuscaSQL* forma = FormaBuscaSQL();
  if (!forma) {
    propia = std::make_unique<TFormaBuscaSQL>();
    forma = propia.get();
  }
  forma->Datos = datos;
  forma->TablaActual = datos.TablaEncabezado;
  forma->LlaveActual = datos.LlaveEncabezado;
  forma->SelectActual = datos.SelectEncabezado;
  forma->LabelEncabezado->setText(datos.TablaEncabezado);
  forma->LabelDetalle->setText(datos.TablaDetalle);
  if (!forma->RadioButton1->isChecked() && !forma->RadioButton2->isChecked()) {
    forma->RadioButton1->setChecked(true);
    forma->RadioButton1Click();
  } else if (forma->RadioButton2->isChecked()) {
    forma->RadioButton2Click();
  }
  forma->ShowModal();
  return forma->Tag();
}
