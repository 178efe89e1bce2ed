#include "formats/catfor.h"

#include "foundation/rutinas_catalogo.h"
#include "platform/print/Impresora.h"
#include "platform/ui/Aplicacion.h"

#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <cmath>

namespace {

// The picker's tables: name, catalogue file, and the editor's field list
// file in define\ (the two tables of document lines have none).
struct TablaCampos {
  const char16_t* nombre;
  const char16_t* archivo;
  const char16_t* lista;
};

constexpr TablaCampos kTablas[] = {
    {u"Clientes", u"cliente.dbf", u"Clientes.cam"},    {u"Compras", u"comprase.dbf", u"Compras.cam"},
    {u"Compras Partidas", u"Detacomp.db", u""},        {u"Ctas.Cobrar", u"cucobrar.dbf", u"CtasXC.cam"},
    {u"Ctas. Pagar", u"cuepagar.dbf", u"CtasXP.cam"},  {u"Facturas", u"facturae.dbf", u"Factu.cam"},
    {u"Facturas Partidas", u"Deta.db", u""},           {u"Inventarios", u"inventar.dbf", u"Inventa.cam"},
    {u"Mov. Inventario", u"movinven.dbf", u"MovInv.cam"}, {u"Vendedores", u"vendedor.dbf", u"Vende.cam"},
    {u"Proveedores", u"proveedo.dbf", u"Provee.cam"},
};

const TablaCampos* BuscaTabla(const QString& tabla) {
  for (const TablaCampos& t : kTablas) {
    if (tabla == QStringView(t.nombre)) return &t;
  }
  return nullptr;
}

constexpr int kEntradas = kRegistrosPorTabla - 1;

}  // namespace

QStringList TablasCampos() {
  QStringList r;
  for (const TablaCampos& t : kTablas) r << QString::fromUtf16(t.nombre);
  return r;
}

QString ArchivoTablaCampos(const QString& tabla) {
  const TablaCampos* t = BuscaTabla(tabla);
  return t ? QString::fromUtf16(t->archivo) : QString();
}

QString ListaCamposTabla(const QString& tabla) {
  const TablaCampos* t = BuscaTabla(tabla);
  return t ? QString::fromUtf16(t->lista) : QString();
}

TFormaCampos::TFormaCampos(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaCampos>() = this;
  setObjectName(QStringLiteral("FormaCampos"));
  setWindowTitle(QStringLiteral("Campos de las Bases de Datos"));
  setFixedSize(470, 420);

  Label1 = new QLabel(QStringLiteral("Tabla"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(10, 14, 40, 20);
  Bases = new QComboBox(this);
  Bases->setObjectName(QStringLiteral("Bases"));
  Bases->setEditable(true);
  Bases->setInsertPolicy(QComboBox::NoInsert);
  Bases->addItems(TablasCampos());
  Bases->setCurrentText(QStringLiteral("Clientes"));
  Bases->setGeometry(52, 10, 220, 26);
  SpeedButton1 = new QPushButton(QStringLiteral("Imprimir"), this);
  SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
  SpeedButton1->setToolTip(QStringLiteral("Imprime la lista de campos"));
  SpeedButton1->setGeometry(284, 10, 90, 26);
  Label2 = new QLabel(QStringLiteral("Formatos"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setGeometry(390, 14, 70, 20);

  Campos = new QListWidget(this);
  Campos->setObjectName(QStringLiteral("Campos"));
  QFont fuente(QStringLiteral("Courier New"));
  fuente.setPointSize(9);
  fuente.setBold(true);
  Campos->setFont(fuente);
  Campos->setGeometry(10, 46, 450, 364);

  SetKeyPreview(true);
  // The list is filled when the caller or the user chooses a table; the
  // first table's name stands in the box with an empty list.
  ui::Conecta(Bases, &QComboBox::currentTextChanged, this, [this] { BasesChange(); });
  // Choosing the table that stands in the box fills the list too.
  ui::Conecta(Bases, &QComboBox::textActivated, this, [this](const QString& tabla) {
    if (tabla == Bases->currentText() && Campos->count() == 0) BasesChange();
  });
  ui::Conecta(Campos, &QListWidget::itemDoubleClicked, this, [this] { Close(); });
  ui::Conecta(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
}

void TFormaCampos::BasesChange() {
  Campos->clear();
  const QString archivo = ArchivoTablaCampos(Bases->currentText());
  if (archivo.isEmpty()) return;
  const int bloque = PosicionTablaCatalogo(archivo.toLower());
  if (bloque < 0) return;
  for (int i = 0; i < kEntradas; ++i) {
    const int registro = bloque * kRegistrosPorTabla + 1 + i;
    QString nombre;
    QString descripcion;
    DatoCatalogoCampos(registro, 1, nombre);
    DatoCatalogoCampos(registro, 2, descripcion);
    Campos->addItem(nombre + QStringLiteral("  [") + QStringLiteral("%1").arg(i, 3, 10, QChar(u'0')) +
                    QStringLiteral("]  ") + descripcion);
  }
}

std::optional<QString> TFormaCampos::Elegido() const {
  const int fila = Campos->currentRow();
  if (fila < 0 || !Campos->item(fila)->isSelected()) return std::nullopt;
  return Campos->item(fila)->text();
}

void TFormaCampos::SpeedButton1Click() {
  print::Impresora& impresora = print::Impresora::Global();
  print::Fuente& fuente = impresora.lienzo().fuente();
  fuente.nombre = QStringLiteral("Arial");
  fuente.tamano = 11;
  impresora.Comienza();
  try {
    const double alto = impresora.AltoPagina() / 55.0;
    for (int i = 0; i < Campos->count(); ++i)
      impresora.lienzo().Texto(10, static_cast<int>(std::lround(alto * i)), Campos->item(i)->text());
    impresora.Termina();
  } catch (...) {
    impresora.Aborta();
    throw;
  }
}

void TFormaCampos::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  if (tecla != Qt::Key_Escape) return;
  tecla = 0;
  Close();
}
