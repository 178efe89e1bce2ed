#include "inventory/DiseClave.h"

#include "foundation/rutinas.h"
#include "inventory/TablasInventario.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/RejillaTexto.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

#include <memory>

const char* const kCamposClave[kCamposExtra] = {"LIPRO_I", "STMIN_I", "ULCOS_I", "PPUBL_I", "PLIS2_I",
                                                "PLIS3_I", "POLI1_I", "POLI2_I", "POLI3_I"};

namespace {

const QString kTotalInicial = QStringLiteral("Total de Claves a Generar    0");

template <class T>
T* Nombrado(T* w, const char* nombre) {
  w->setObjectName(QString::fromLatin1(nombre));
  return w;
}

}  // namespace

QString ArchivoClaves() {
  QString programa;
  CarpetaLocal(programa);
  return fs::Une(programa, QStringLiteral("claves.dat"));
}

TFormaClaveDiseno::TFormaClaveDiseno(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaClaveDiseno>() = this;
  setObjectName(QStringLiteral("FormaClaveDiseno"));
  setWindowTitle(QStringLiteral("Generador automático de Claves"));
  resize(720, 520);

  Detalle = Nombrado(new ui::RejillaTexto(this, 3, 8, 1, 1), "Detalle");
  Detalle->SetEditable(true);
  Detalle->SetColWidths(0, 60);
  Detalle->SetColWidths(1, 220);
  Detalle->SetColWidths(2, 180);
  Detalle->SetCells(1, 0, QStringLiteral("Valores para Clave"));
  Detalle->SetCells(2, 0, QStringLiteral("Agregar al Campo"));
  for (int fila = 1; fila <= kFilasValores; ++fila) Detalle->SetCells(0, fila, QStringLiteral("Dato%1").arg(fila));

  Claves = Nombrado(new QPlainTextEdit(this), "Claves");
  Claves->setLineWrapMode(QPlainTextEdit::NoWrap);

  GroupBox1 = Nombrado(new QGroupBox(QStringLiteral("Campos Extra"), this), "GroupBox1");
  auto* extra = new QGridLayout(GroupBox1);
  // A text field's box takes no more characters than the field holds.
  const db::DefTabla productos = EsquemaInventar();
  for (int i = 0; i < kCamposExtra; ++i) {
    Edits[i] = new QLineEdit(GroupBox1);
    Edits[i]->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
    const db::DefCampo* campo = productos.Campo(QString::fromLatin1(kCamposClave[i]));
    if (campo && campo->tipo == u'C') Edits[i]->setMaxLength(campo->ancho);
  }
  // "Línea/Color:", "Stock mínimo:" and "Últ. Cost." one under the other;
  // the three prices and the three limits in a row each.
  const char* etiquetas[] = {"Línea/Color:", "Stock mínimo:", "Últ. Cost.", "Precios", "Política"};
  for (int fila = 0; fila < 5; ++fila) {
    auto* etiqueta = new QLabel(QString::fromUtf8(etiquetas[fila]), GroupBox1);
    extra->addWidget(etiqueta, fila, 0);
    if (fila < 3) {
      extra->addWidget(Edits[fila], fila, 1, 1, 3);
      etiqueta->setBuddy(Edits[fila]);
    } else {
      for (int j = 0; j < 3; ++j) extra->addWidget(Edits[3 + (fila - 3) * 3 + j], fila, 1 + j);
      etiqueta->setBuddy(Edits[3 + (fila - 3) * 3]);
    }
  }

  LabelRuta = Nombrado(new QLabel(this), "LabelRuta");
  LabelRuta->hide();
  LabelTotal = Nombrado(new QLabel(kTotalInicial, this), "LabelTotal");
  LabelTotal->setCursor(Qt::PointingHandCursor);
  Progreso = Nombrado(new QProgressBar(this), "Progreso");
  Progreso->setRange(0, 100);
  Progreso->setValue(0);
  BitBtn1 = Nombrado(new QPushButton(QStringLiteral("Generar"), this), "BitBtn1");
  BitBtn3 = Nombrado(new QPushButton(QStringLiteral("Agregar al Catalogo"), this), "BitBtn3");
  BitBtn2 = Nombrado(new QPushButton(QStringLiteral("Cancelar"), this), "BitBtn2");

  auto* capa = new QVBoxLayout(this);
  auto* arriba = new QHBoxLayout();
  auto* izquierda = new QVBoxLayout();
  izquierda->addWidget(Detalle, 1);
  izquierda->addWidget(GroupBox1);
  arriba->addLayout(izquierda, 3);
  arriba->addWidget(Claves, 2);
  capa->addLayout(arriba, 1);
  capa->addWidget(LabelTotal);
  capa->addWidget(Progreso);
  auto* botones = new QHBoxLayout();
  botones->addStretch();
  for (QPushButton* b : {BitBtn1, BitBtn3, BitBtn2}) botones->addWidget(b);
  capa->addLayout(botones);

  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ui::Conecta(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  ui::Conecta(&ui::Eventos::De(LabelTotal), &ui::Eventos::MouseDown, this, [this](Qt::MouseButton boton, QPoint) {
    if (boton == Qt::LeftButton) LabelTotalClick();
  });
}

QStringList TFormaClaveDiseno::Valores(int fila) const {
  const QString celda = Detalle->Cells(1, fila);
  return celda.isEmpty() ? QStringList() : celda.split(u',');
}

qint64 TFormaClaveDiseno::Total(int filas) const {
  qint64 total = 0;
  for (int fila = 1; fila <= filas; ++fila) {
    const qsizetype n = Valores(fila).size();
    if (n > 0) total = total == 0 ? n : total * n;
  }
  return total;
}

void TFormaClaveDiseno::MuestraAvance(qint64 hechos, qint64 total) {
  const int porciento = total > 0 ? static_cast<int>(100 * hechos / total) : 100;
  if (porciento == Progreso->value()) return;
  Progreso->setValue(porciento);
  Progreso->repaint();
}

void TFormaClaveDiseno::BitBtn1Click() {
  Detalle->CierraEditor();
  Progreso->setValue(0);
  QList<QStringList> filas;
  for (int fila = 1; fila <= kFilasValores; ++fila)
    if (QStringList v = Valores(fila); !v.isEmpty()) filas << v;
  const qint64 total = Total(kFilasValores);

  const QString ruta = ArchivoClaves();
  QSaveFile archivo(fs::Local(ruta));
  const auto falla = [&] {
    return plat::Error(plat::Clase::Io, QStringLiteral("No se puede escribir %1: %2").arg(ruta, archivo.errorString()));
  };
  if (!archivo.open(QIODevice::WriteOnly)) throw falla();
  // The value chosen in each row, counted like the digits of a number.
  QList<qsizetype> digitos(filas.size(), 0);
  for (qint64 hechos = 1; hechos <= total; ++hechos) {
    QString clave;
    for (qsizetype i = 0; i < filas.size(); ++i) clave += filas[i][digitos[i]];
    if (archivo.write(fs::ACp1252(clave) + "\r\n") < 0) throw falla();
    for (qsizetype i = filas.size() - 1; i >= 0 && ++digitos[i] == filas[i].size(); --i) digitos[i] = 0;
    MuestraAvance(hechos, total);
  }
  if (!archivo.commit()) throw falla();
  Claves->setPlainText(fs::LeeLineas(ruta).join(u'\n'));
}

void TFormaClaveDiseno::BitBtn3Click() {
  Detalle->CierraEditor();
  Progreso->setValue(0);
  db::Tabla productos;
  productos.SetCarpeta(LabelRuta->text());
  productos.SetNombreTabla(QStringLiteral("INVENTAR.DBF"));
  productos.Open();
  productos.SetIndexName(QStringLiteral("iclpro"));
  const int ancho = productos.FieldByName(QStringLiteral("CLPRO_I")).Ancho();
  const QString descripcion = Detalle->Cells(2, 1);
  const QStringList lineas = Claves->toPlainText().split(u'\n');
  for (qsizetype i = 0; i < lineas.size(); ++i) {
    const QString clave = lineas[i].left(ancho);
    if (!clave.trimmed().isEmpty() && !productos.FindKey({clave})) {
      productos.Append();
      productos.FieldByName(QStringLiteral("CLPRO_I")).SetAsString(clave);
      productos.FieldByName(QStringLiteral("DSCPR_I")).SetAsString(descripcion);
      try {
        for (int c = 0; c < kCamposExtra; ++c)
          productos.FieldByName(QString::fromLatin1(kCamposClave[c])).SetAsString(Edits[c]->text());
      } catch (const plat::Error& e) {
        // A value its field does not take: the fields from it on stay empty.
        if (e.clase() != plat::Clase::Conversion && e.clase() != plat::Clase::NoCabe) throw;
      }
      productos.Post();
    }
    MuestraAvance(i + 1, lineas.size());
  }
  Progreso->setValue(100);
  productos.Close();
}

void TFormaClaveDiseno::BitBtn2Click() {
  SetTag(0);
  Close();
}

void TFormaClaveDiseno::LabelTotalClick() {
  Detalle->CierraEditor();
  if (const qint64 total = Total(kFilasDetalleClave); total > 0)
    LabelTotal->setText(QStringLiteral("Total de Claves    ") + QString::number(total));
}
